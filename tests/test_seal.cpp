// Electronic seals of both editions: hex vectors (tests/data/seal_vectors.txt), openssl asn1parse -genconf, the
// corpus seals and seal signatures, the certListType rules of GB records and `korvu-asn1 decode --summary`.
#include "vectors.h"

using namespace korvu_test;

namespace {

// A seal value built with its constructor from the getters of `p` (components passed as they are; a list copied).
void *rebuild(uint32_t type, const void *p) {
  switch (type) {
    case KORVU_TYPE_EXTDATA: return KORVU_FROM_GETTERS(p, korvu_ses_extdata_, new, getextnid, getcritical, getextnvalue);
    case KORVU_TYPE_SES_HEADER: return KORVU_FROM_GETTERS(p, korvu_ses_header_, new, getid, geversion, getvid);
    case KORVU_TYPE_SES_ESPICTUREINFO:
      return KORVU_FROM_GETTERS(p, korvu_ses_espictureinfo_, new, gettype, getdata, getwidth, getheigth);
    case KORVU_TYPE_CERTDIGESTOBJ: return KORVU_FROM_GETTERS(p, korvu_ses_certdigestobj_, new, gettype, getvalue);
    case KORVU_TYPE_SES_ESPROPERTYINFO:
      return KORVU_FROM_GETTERS(p, korvu_ses_espropertyinfo_, new, gettype, getname, getcertlist, getcreatedate,
                                getvalidstart, getvalidend);
    case KORVU_TYPE_SES_ESPROPERTYINFO_GB:
      if (korvu_gb_ses_espropertyinfo_getcertlistype(static_cast<const KORVU_GB_SES_ESPROPERTYINFO *>(p)) == 1)
        return KORVU_FROM_GETTERS(p, korvu_gb_ses_espropertyinfo_, newcert, gettype, getname, getcertlist, getcreatedate,
                                  getvalidstart, getvalidend);
      return KORVU_FROM_GETTERS(p, korvu_gb_ses_espropertyinfo_, newcertdigest, gettype, getname, getcertdigestlist,
                                getcreatedate, getvalidstart, getvalidend);
    case KORVU_TYPE_SES_SEALINFO:
      return KORVU_FROM_GETTERS(p, korvu_ses_sealinfo_, new, getheader, getesid, getproperty, getpicture, getextdatas);
    case KORVU_TYPE_SES_SEALINFO_GB:
      return KORVU_FROM_GETTERS(p, korvu_gb_ses_sealinfo_, new, getheader, getesid, getproperty, getpicture, getextdatas);
    case KORVU_TYPE_SES_SIGNINFO:
      return KORVU_FROM_GETTERS(p, korvu_ses_signinfo_, new, getcert, getsignaturealgorithm, getsigndata);
    case KORVU_TYPE_SESEALTBS:
      return KORVU_FROM_GETTERS(p, korvu_ses_sesealtbs_, new, getesealinfo, getcert, getsignaturealgorithm);
    case KORVU_TYPE_SESEAL: return KORVU_FROM_GETTERS(p, korvu_ses_seseal_, new, getesealinfo, getsigninfo);
    case KORVU_TYPE_TBS_SIGN:
      return KORVU_FROM_GETTERS(p, korvu_ses_tbssign_, new, getversion, geteseal, gettimeinfo, getdatahash,
                                getpropertyinfo, getcert, getsignaturealgorithm);
    case KORVU_TYPE_SES_SIGNATURE: return KORVU_FROM_GETTERS(p, korvu_ses_signature_, new, gettosign, getsignature);
    case KORVU_TYPE_SES_SEAL:
      return KORVU_FROM_GETTERS(p, korvu_gb_ses_seal_, new, getesealinfo, getcert, getsignalgid, getsignedvalue);
    case KORVU_TYPE_TBS_SIGN_GB:  // its propertyInfo getter is korvu_ses_gb_tbssign_getpropertyinfo
      return from_getters(p, korvu_gb_ses_tbssign_new, korvu_gb_ses_tbssign_getversion, korvu_gb_ses_tbssign_geteseal,
                          korvu_gb_ses_tbssign_gettimeinfo, korvu_gb_ses_tbssign_getdatahash,
                          korvu_ses_gb_tbssign_getpropertyinfo, korvu_gb_ses_tbssign_getextdatas);
    case KORVU_TYPE_SES_SIGNATURE_GB:
      return KORVU_FROM_GETTERS(p, korvu_gb_ses_signature_, new, gettosign, getcert, getsignaturealgid, getsignature,
                                gettimestamp);
    default: return korvu_asn1_dupobject(type, p, nullptr);
  }
}

// The field values of the vectors as openssl asn1parse -genconf sections, "NAME FIELD...", a section a line; a
// section named as a vector is written and compared with it.
const char *const kGenconf[] = {
    "header IA5:ES INT:4 IA5:V1",
    "picture IA5:PNG FORMAT:HEX,OCT:89504E47 INT:40 INT:40",
    "digest1 PRINTABLESTRING:SM3 FORMAT:HEX,OCT:0102",
    "digest2 PRINTABLESTRING:SM3 FORMAT:HEX,OCT:0304",
    "digests SEQUENCE:digest1 SEQUENCE:digest2",
    "gb_property_digests INT:3 UTF8:A INT:2 SEQUENCE:digests GENTIME:20260101000000Z GENTIME:20260101000000Z "
    "GENTIME:20260101000000Z",
    "certs FORMAT:HEX,OCT:AA FORMAT:HEX,OCT:BBCC",
    "older_property INT:1 UTF8:A SEQUENCE:certs UTCTIME:260101000000Z UTCTIME:260101000000Z UTCTIME:260101000000Z",
    "ext1 OID:1.2.3 BOOL:TRUE FORMAT:HEX,OCT:05",
    "ext2 OID:1.2.4 FORMAT:HEX,OCT:06",
    "extdatas SEQUENCE:ext1 SEQUENCE:ext2",
    "gb_sealinfo_indefinite SEQUENCE:header IA5:1 SEQUENCE:gb_property_digests SEQUENCE:picture",
    "gb_seal SEQUENCE:gb_sealinfo_indefinite FORMAT:HEX,OCT:AA OID:1.2.156.10197.1.501 FORMAT:HEX,BITSTRING:0102",
    "gb_tbs_sign INT:4 SEQUENCE:gb_seal GENTIME:20260101000000Z FORMAT:HEX,BITSTRING:AA IA5:A EXPLICIT:0,SEQUENCE:extdatas",
    "gb_signature_timestamp SEQUENCE:gb_tbs_sign FORMAT:HEX,OCT:AA OID:1.2.156.10197.1.501 FORMAT:HEX,BITSTRING:BB "
    "EXPLICIT:0,FORMAT:HEX,BITSTRING:CC",
    "older_sealinfo SEQUENCE:header IA5:1 SEQUENCE:older_property SEQUENCE:picture SEQUENCE:extdatas",
    "older_signinfo FORMAT:HEX,OCT:AA OID:1.2.156.10197.1.501 FORMAT:HEX,BITSTRING:DD",
    "seseal SEQUENCE:older_sealinfo SEQUENCE:older_signinfo",
    "sesealtbs SEQUENCE:older_sealinfo FORMAT:HEX,OCT:AA OID:1.2.3",
    "older_tbs_sign INT:1 SEQUENCE:seseal FORMAT:HEX,BITSTRING:EE FORMAT:HEX,BITSTRING:FF IA5:A FORMAT:HEX,OCT:AA "
    "OID:1.2.156.10197.1.501",
    "older_signature SEQUENCE:older_tbs_sign FORMAT:HEX,BITSTRING:11"};

}  // namespace

// Every vector that decodes is rebuilt from its getters; openssl asn1parse -genconf writes the sections of kGenconf
// (certListType 2, the older 409, 411 and 412, GB TBS_Sign with extDatas, GB SES_Signature with timeStamp, an
// indefinite SES_SealInfo ...) to the same octets. A GB property record with another certListType is neither
// measured nor written (0x1056E, 0x1056C); its list getters answer by it; constructors lacking a part give null.
TEST(SealVectors, RebuildCertListTypeAndGenconf) {
  std::map<std::string, Bytes> written;
  run_hex_vectors("seal_vectors.txt", 22, 16, [&](uint32_t type, const std::string &name, const void *v, const Bytes &out) {
    Val again(type, rebuild(type, v));
    EXPECT_EQ(to_hex(encode(type, again.v)), to_hex(out)) << name << " rebuilt";
    written[name] = out;
  });
  ErrCtx ctx;
  const uint32_t gb = KORVU_TYPE_SES_ESPROPERTYINFO_GB;
  Val p1(gb, decode(gb, hex_vector("seal_vectors.txt", "gb_property_certs"), ctx));
  Val p2(gb, decode(gb, hex_vector("seal_vectors.txt", "gb_property_digests"), ctx));
  auto *cr = p1.as<KORVU_GB_SES_ESPROPERTYINFO>(), *pr = p2.as<KORVU_GB_SES_ESPROPERTYINFO>();
  ASSERT_TRUE(cr != nullptr && pr != nullptr);
  EXPECT_TRUE(korvu_gb_ses_espropertyinfo_getcertlist(pr) == nullptr && korvu_gb_ses_espropertyinfo_getcertdigestlist(cr) == nullptr);
  for (uint32_t bad : {0u, 3u, 0xFFFFFFFFu}) {
    pr->certListType = bad;
    EXPECT_EQ(korvu_asn1_length(gb, pr), 0xFFFFFFFEu);
    KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
    ErrCtx e;
    EXPECT_NE(korvu_asn1_encode(s, gb, pr, nullptr, e), 1);
    korvu_stream_free(s);
    EXPECT_TRUE(e.has(0x1056E) && e.has(0x1056C)) << bad << ": " << ::testing::PrintToString(e.codes());
  }
  pr->certListType = 2;
  auto *digest = static_cast<KORVU_SES_CERTDIGESTOBJ *>(ocsp::item(korvu_gb_ses_espropertyinfo_getcertdigestlist(pr), 0));
  EXPECT_EQ(korvu_ses_extdata_new(nullptr, nullptr, korvu_ses_certdigestobj_getvalue(digest)), nullptr);
  EXPECT_EQ(korvu_gb_ses_espropertyinfo_newcert(pr->type, pr->name, nullptr, pr->createDate, pr->validStart, pr->validEnd), nullptr);
  const std::string conf = ::testing::TempDir() + "korvu_seal_genconf_" + std::to_string(getpid()) + ".cnf";
  std::ofstream f(conf);
  int compared = 0;
  for (const char *section : kGenconf) {  // a section refers only to sections before it
    std::istringstream fields(section);
    std::string name, field;
    fields >> name;
    f << "[" << name << "]\n";
    for (int i = 0; fields >> field; i++) f << "f" << i << " = " << field << "\n";
    if (!written.count(name)) continue;
    f.flush();
    compared++;
    int status = 0;
    const std::string made = run_command("openssl asn1parse -genconf " + conf + " -genstr SEQUENCE:" + name +
                                         " -noout -out /dev/stdout 2>/dev/null", &status);
    if (status != 0 && !under_ci()) GTEST_SKIP() << "openssl asn1parse -genconf failed";
    EXPECT_EQ(to_hex(Bytes(made.begin(), made.end())), to_hex(written[name])) << name;
  }
  EXPECT_EQ(compared, 15);
}

// The corpus seals (410, 417) and seal signatures (419): written back byte for byte (ofdrw__SESealData.DER
// without its two explicit FALSE critical flags) and rebuilt from their getters to the same octets;
// ofdrw__UserV5_ts.esl, with a [0] after signedValue, is refused; every truncation fails.
TEST(SealCorpus, WriteBackRebuildAndTruncate) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::map<std::string, uint32_t> types = {
      {"SESeal", KORVU_TYPE_SESEAL}, {"SES_Seal", KORVU_TYPE_SES_SEAL}, {"SES_Signature", KORVU_TYPE_SES_SIGNATURE_GB}};
  std::map<uint32_t, int> seen;
  for (const ManifestRow &row : corpus_manifest()) {
    auto t = types.find(row.type.substr(0, row.type.find(' ')));
    if (row.family != "gmt" || t == types.end()) continue;
    const uint32_t type = t->second;
    const Bytes in = read_file(corpus_dir() + "/" + row.path);
    ErrCtx ctx;
    Val v(type, decode(type, in, ctx));
    seen[v.v ? type : 0]++;
    const bool leftover = row.path.find("UserV5_ts") != std::string::npos;  // the only one refused, as `seen` says
    EXPECT_TRUE(leftover ? ctx.has(0x1020A) && ctx.has(0x10571) : v.v != nullptr)
        << row.path << " " << ::testing::PrintToString(ctx.codes());
    if (v.v == nullptr) continue;
    const Bytes out = encode(type, v.v);
    Val again(type, decode(type, out, ctx)), rebuilt(type, rebuild(type, v.v));
    EXPECT_TRUE(encode(type, rebuilt.v) == out && encode(type, again.v) == out) << row.path;
    const bool false_flags = row.path.find("SESealData") != std::string::npos;
    EXPECT_TRUE(false_flags ? out.size() + 6 == in.size() : out == in) << row.path;
    for (size_t n = 0; n < in.size(); n += (n > 800 && n + 1400 < in.size()) ? 97 : 1) {  // the picture sparsely
      ErrCtx cut_ctx;
      Val cut(type, decode(type, Bytes(in.begin(), in.begin() + static_cast<long>(n)), cut_ctx));
      EXPECT_TRUE(cut.v == nullptr && cut_ctx.count() > 0) << row.path << " cut at " << n;
    }
  }
  EXPECT_EQ(seen, (std::map<uint32_t, int>{{0, 1}, {KORVU_TYPE_SESEAL, 1}, {KORVU_TYPE_SES_SEAL, 3},
                                           {KORVU_TYPE_SES_SIGNATURE_GB, 2}}));
}

// `korvu-asn1 decode --summary`: a corpus seal and seal signature, and vectors of both editions.
TEST(SealSummary, DecodeSummaryLines) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string tmp = ::testing::TempDir() + "korvu_seal_summary_" + std::to_string(getpid()) + ".der";
  const std::vector<std::tuple<std::string, uint32_t, std::vector<std::string>>> want = {
      {"gmt/ofdrw__UserV1.esl", KORVU_TYPE_SESEAL,
       {"header: ES 1 OFDR&WTest\n", "certificates: 1\n", "picture: PNG, 15693 octets, 40x40\n",
        "validity: 200422021807Z created, 200422021807Z to 220422021807Z\n"}},
      {"gmt/ofdrw__SignedValueV5.dat", KORVU_TYPE_SES_SIGNATURE_GB,
       {"version: 5\n", "timeInfo: 20260424085326Z\n", "dataHash: 32 octets\n", "time-stamp: no\n", "extDatas: none\n"}},
      {"gb_signature_timestamp", KORVU_TYPE_SES_SIGNATURE_GB,
       {"certListType: 2 (digests), 2 entries\n", "time-stamp: yes\n", "seal: type 3, name A\n"}},
      {"older_signature", KORVU_TYPE_SES_SIGNATURE,
       {"esID: 1\n", "extDatas: 2\n", "timeInfo: EE\n", "seal signature algorithm: 1.2.156.10197.1.501\n"}}};
  for (const auto &[name, type, lines] : want) {
    ocsp::write_file(tmp, hex_vector("seal_vectors.txt", name));  // empty for a corpus file
    int status = -1;
    const std::string out = ocsp::summary_of(type, name.find('/') < name.size() ? corpus_dir() + "/" + name : tmp, &status);
    EXPECT_EQ(status, 0) << out;
    for (const std::string &line : lines) EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  }
}
