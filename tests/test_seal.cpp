// Electronic seals of both editions: hex vectors (tests/data/seal_vectors.txt) decoded, written back or refused;
// the corpus seals and seal signatures written back, rebuilt from their getters with the constructors and cut
// short at every length; the certListType rules of GB records; `korvu-asn1 decode --summary`.
#include "seal_util.h"

using namespace korvu_test;
using namespace korvu_test::seal;

TEST(SealVectors, DecodeWriteBackRebuildOrRefuse) {
  EXPECT_EQ(run_vectors("seal_vectors.txt", rebuild), 41);
}

// The corpus seals (410, 417) and seal signatures (419): written back byte for byte (ofdrw__SESealData.DER
// without its two explicit FALSE critical flags) and rebuilt from their getters to the same octets;
// ofdrw__UserV5_ts.esl, with a [0] after signedValue, is refused; every truncation fails.
TEST(SealCorpus, WriteBackRebuildAndTruncate) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  std::map<uint32_t, int> seen;
  for (const ManifestRow &row : corpus_manifest()) {
    const std::map<std::string, uint32_t> types = {
        {"SESeal", KORVU_TYPE_SESEAL}, {"SES_Seal", KORVU_TYPE_SES_SEAL}, {"SES_Signature", KORVU_TYPE_SES_SIGNATURE_GB}};
    auto t = types.find(row.type.substr(0, row.type.find(' ')));
    if (row.family != "gmt" || t == types.end()) continue;
    const uint32_t type = t->second;
    const Bytes in = read_file(corpus_dir() + "/" + row.path);
    ErrCtx ctx;
    Val v(type, decode(type, in, ctx));
    seen[v.v ? type : 0]++;
    if (row.path.find("UserV5_ts") != std::string::npos) {
      EXPECT_TRUE(v.v == nullptr && ctx.has(0x1020A) && ctx.has(0x10571)) << ::testing::PrintToString(ctx.codes());
      continue;
    }
    ASSERT_NE(v.v, nullptr) << row.path << " " << ::testing::PrintToString(ctx.codes());
    const Bytes out = encode(type, v.v);
    Val again(type, decode(type, out, ctx)), rebuilt(type, rebuild(type, v.v));
    EXPECT_EQ(encode(type, rebuilt.v), out) << row.path;
    EXPECT_EQ(encode(type, again.v), out) << row.path;
    // Only the explicit FALSE flags (01 01 00 inside two ExtData) go.
    const size_t dropped = row.path.find("SESealData") != std::string::npos ? 6 : 0;
    EXPECT_EQ(out.size() + dropped, in.size()) << row.path;
    if (dropped == 0) {
      EXPECT_EQ(out, in) << row.path;
    }
    for (size_t n = 0; n < in.size(); n += (n > 800 && n + 1400 < in.size()) ? 97 : 1) {  // the picture sparsely
      ErrCtx cut_ctx;
      Val cut(type, decode(type, Bytes(in.begin(), in.begin() + static_cast<long>(n)), cut_ctx));
      EXPECT_TRUE(cut.v == nullptr && cut_ctx.count() > 0) << row.path << " cut at " << n;
    }
  }
  EXPECT_EQ(seen, (std::map<uint32_t, int>{{0, 1}, {KORVU_TYPE_SESEAL, 1}, {KORVU_TYPE_SES_SEAL, 3},
                                           {KORVU_TYPE_SES_SIGNATURE_GB, 2}}));
}

// certListType: the list getters answer by it, the constructors set it, and a record holding another value is
// neither measured nor written (certlist code and SES_ESPropertyInfo's encode code); a null critical is FALSE.
TEST(SealBuild, CertListTypeAndCritical) {
  std::map<std::string, Vector> v;
  for (const Vector &c : read_vectors(KORVU_SOURCE_DIR "/tests/data/seal_vectors.txt")) v[c.name] = c;
  ErrCtx ctx;
  Val p1(KORVU_TYPE_SES_ESPROPERTYINFO_GB, decode(KORVU_TYPE_SES_ESPROPERTYINFO_GB, v["GB property, certificates"].in, ctx));
  Val p2(KORVU_TYPE_SES_ESPROPERTYINFO_GB, decode(KORVU_TYPE_SES_ESPROPERTYINFO_GB, v["GB property, digests"].in, ctx));
  auto *cr = p1.as<KORVU_GB_SES_ESPROPERTYINFO>(), *pr = p2.as<KORVU_GB_SES_ESPROPERTYINFO>();
  ASSERT_TRUE(cr != nullptr && pr != nullptr);
  EXPECT_EQ(korvu_gb_ses_espropertyinfo_getcertlistype(pr), 2u);
  EXPECT_TRUE(korvu_gb_ses_espropertyinfo_getcertlist(pr) == nullptr && korvu_gb_ses_espropertyinfo_getcertdigestlist(cr) == nullptr);
  EXPECT_EQ(korvu_asn1_list_getsize(korvu_gb_ses_espropertyinfo_getcertdigestlist(pr)), 2);
  EXPECT_EQ(korvu_gb_ses_espropertyinfo_getcertlistype(nullptr), 0xFFFFFFFFu);
  for (uint32_t bad : {0u, 3u, 0xFFFFFFFFu}) {
    pr->certListType = bad;
    EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_SES_ESPROPERTYINFO_GB, pr), 0xFFFFFFFEu);
    KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
    uint32_t written = 0;
    ErrCtx e;
    EXPECT_NE(korvu_asn1_encode(s, KORVU_TYPE_SES_ESPROPERTYINFO_GB, pr, &written, e), 1);
    korvu_stream_free(s);
    EXPECT_TRUE(e.has(0x1056E) && e.has(0x1056C)) << bad << ": " << ::testing::PrintToString(e.codes());
  }
  pr->certListType = 2;
  Val list(KORVU_TYPE_EXTDATAS, decode(KORVU_TYPE_EXTDATAS, v["ExtDatas"].in, ctx));
  auto *ext = static_cast<KORVU_SES_EXTDATA *>(ocsp::item(list.as<KORVU_ASN1_LIST>(), 0));
  Val plain(KORVU_TYPE_EXTDATA, korvu_ses_extdata_new(ext->extnID, nullptr, ext->extnValue));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTDATA, plain.v)), "30 07 06 02 2A 03 04 01 05");
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_ses_extdata_getcritical(plain.as<KORVU_SES_EXTDATA>())), 0);
  EXPECT_EQ(korvu_ses_extdata_new(nullptr, ext->critical, ext->extnValue), nullptr);
  EXPECT_EQ(korvu_gb_ses_espropertyinfo_newcert(pr->type, pr->name, nullptr, pr->createDate, pr->validStart, pr->validEnd), nullptr);
}

// `korvu-asn1 decode --summary`: a corpus seal and seal signature, and vectors of both editions.
TEST(SealSummary, DecodeSummaryLines) {
  std::map<std::string, Vector> v;
  for (const Vector &c : read_vectors(KORVU_SOURCE_DIR "/tests/data/seal_vectors.txt")) v[c.name] = c;
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_seal_summary.der";
  const std::vector<std::tuple<std::string, uint32_t, std::vector<std::string>>> want = {
      {"gmt/ofdrw__UserV1.esl", KORVU_TYPE_SESEAL,
       {"header: ES 1 OFDR&WTest\n", "certificates: 1\n", "picture: PNG, 15693 octets, 40x40\n",
        "validity: 200422021807Z created, 200422021807Z to 220422021807Z\n"}},
      {"gmt/ofdrw__SignedValueV5.dat", KORVU_TYPE_SES_SIGNATURE_GB,
       {"version: 5\n", "timeInfo: 20260424085326Z\n", "dataHash: 32 octets\n", "time-stamp: no\n", "extDatas: none\n"}},
      {"GB signature with timeStamp", KORVU_TYPE_SES_SIGNATURE_GB,
       {"certListType: 2 (digests), 2 entries\n", "time-stamp: yes\n", "seal: type 3, name A\n"}},
      {"Older signature", KORVU_TYPE_SES_SIGNATURE,
       {"esID: 1\n", "extDatas: 2\n", "timeInfo: EE\n", "seal signature algorithm: 1.2.156.10197.1.501\n"}}};
  for (const auto &[name, type, lines] : want) {
    const bool corpus = name.find('/') != std::string::npos;
    if (corpus && !have_corpus()) continue;
    if (!corpus) ocsp::write_file(tmp, v[name].in);
    int status = -1;
    const std::string out = ocsp::summary_of(type, corpus ? corpus_dir() + "/" + name : tmp, &status);
    EXPECT_EQ(status, 0) << out;
    for (const std::string &line : lines) EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  }
}
