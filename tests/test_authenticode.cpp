// Authenticode: hex vectors (tests/data/authenticode_vectors.txt) rebuilt with the constructors; the
// SpcIndirectDataContent and SpcSpOpusInfo values of the corpus and of fresh osslsigncode signatures
// (tests/make_authenticode.sh), found by a TLV walk, written back byte for byte and read by their getters; the
// legacy TimeStampRequest osslsigncode posts.
#include "seal_util.h"

using namespace korvu_test;

namespace {

constexpr const char *kPeData = "1.3.6.1.4.1.311.2.1.15";

// The constructors, fed with a decoded value's getters.
void *rebuild(uint32_t type, const void *v) {
  auto *s = static_cast<const KORVU_SPC_SERIALIZEDOBJECT *>(v);
  auto *str = static_cast<const KORVU_SPC_STRING *>(v);
  auto *l = static_cast<const KORVU_SPC_LINK *>(v);
  auto *pe = static_cast<const KORVU_SPC_PEIMAGEDATA *>(v);
  auto *o = static_cast<const KORVU_SPC_SPOPUSINFO *>(v);
  auto *a = static_cast<const KORVU_X509_ALGID *>(v);
  auto *c = static_cast<const KORVU_SPC_INDIRECTDATACONTENT *>(v);
  auto *t = static_cast<const KORVU_AUTHENTICODE_TIMESTAMPREQ *>(v);
  switch (type) {
    case KORVU_TYPE_SPCSERIALIZEDOBJECT:
      return korvu_spcserialzedobject_new(korvu_spcserialzedobject_getclassid(s), korvu_spcserialzedobject_getserializeddata(s));
    case KORVU_TYPE_SPCSTRING: return korvu_spcstring_new(korvu_spcstring_gettype(str), korvu_spcstring_getstring(str));
    case KORVU_TYPE_SPCLINK:
      if (korvu_spclink_geturl(l)) return korvu_spclink_newurl(korvu_spclink_geturl(l));
      if (korvu_spclink_getmoniker(l)) return korvu_spclink_newmoniker(korvu_spclink_getmoniker(l));
      return korvu_spclink_newfile(korvu_spclink_getfile(l));
    case KORVU_TYPE_SPCPEIMAGEDATA: return korvu_spcpeimagedata_new(korvu_spcpeimagedata_getflag(pe), korvu_spcpeimagedata_getfile(pe));
    case KORVU_TYPE_SPCSPOPUSINFO:
      return korvu_spcspopusinfo_new(korvu_spcspopusinfo_getprogramname(o), korvu_spcspopusinfo_getmoreinfo(o));
    case KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE:
      return korvu_spcattrtypeandoptvalue_new(korvu_spcattrtypeandoptvalue_gettype(a), korvu_spcattrtypeandoptvalue_getvalue(a));
    case KORVU_TYPE_SPCINDIRECTDATACONTENT:
      return korvu_spcindirectdatacontent_new(korvu_spcindirectdatacontent_getdata(c),
                                              korvu_spcindirectdatacontent_getmessagedigest(c));
    default:
      return korvu_authenticode_timestampreq_new(korvu_authenticode_timestampreq_getalgo(t),
                                                 korvu_authenticode_timestampreq_getattrs(t),
                                                 korvu_authenticode_timestampreq_getcontent(t));
  }
}

std::string text(const KORVU_ASN1_STRING *ia5) {
  const Bytes c = ocsp::contents(encode(KORVU_TYPE_IA5STRING, ia5));
  return std::string(c.begin(), c.end());
}
// A string's characters (a BMPString's low octets).
std::string chars(const KORVU_SPC_STRING *s) {
  const bool bmp = korvu_spcstring_gettype(s) == KORVU_SPCSTRING_UNICODE;
  const Bytes c = ocsp::contents(encode(bmp ? KORVU_TYPE_BMPSTRING : KORVU_TYPE_IA5STRING, korvu_spcstring_getstring(s)));
  std::string out;
  for (size_t i = bmp; i < c.size(); i += 1 + bmp) out += static_cast<char>(c[i]);
  return out;
}

// Each SpcIndirectDataContent (the content after its eContentType) and SpcSpOpusInfo (its attribute's value) in
// `der`, decoded (an SpcIndirectDataContent's data alone when DigestInfo is not in the build), written back byte
// for byte and rebuilt; one line per value: "data TYPE FLAGS LINK NAME-TYPE NAME DIGEST" or "opus NAME-TYPE NAME
// LINK URL" (a missing part as "-").
std::vector<std::string> spc_values(const Bytes &der, const std::string &label, std::vector<Bytes> *found = nullptr) {
  std::vector<std::string> out;
  const auto sub = [&](const DerNode &n) { return Bytes(der.begin() + static_cast<long>(n.at), der.begin() + static_cast<long>(n.end())); };
  const auto oid = [&](const DerNode &n) { return der[n.at] == 6 ? lower_hex(sub(n)) : ""; };
  for (const DerNode &n : der_all(der)) {
    const std::vector<DerNode> k = der_kids(der, n);
    if (der[n.at] != 0x30 || k.size() != 2 || der_kids(der, k[1]).empty()) continue;
    const DerNode in = der_kids(der, k[1])[0];
    uint32_t type = oid(k[0]) == "060a2b060104018237020104" && der[k[1].at] == 0xA0 ? KORVU_TYPE_SPCINDIRECTDATACONTENT
                    : oid(k[0]) == "060a2b06010401823702010c" && der[k[1].at] == 0x31 ? KORVU_TYPE_SPCSPOPUSINFO : 0;
    Bytes value = sub(in);
    if (found && type) found->push_back(value);
    const Bytes digest = type == KORVU_TYPE_SPCINDIRECTDATACONTENT ? der_elements(der_elements(value).at(1)).at(1) : Bytes{};
    if (type == KORVU_TYPE_SPCINDIRECTDATACONTENT && !korvu_asn1_hascodec(KORVU_TYPE_DIGESTINFO))
      type = KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE, value = der_elements(value)[0];
    if (type == 0) continue;
    ErrCtx ctx;
    Val v(type, decode(type, value, ctx)), again(type, rebuild(type, v.v));
    EXPECT_TRUE(v.v && encode(type, v.v) == value && encode(type, again.v) == value) << label << " " << type;
    std::string line;
    const auto link = [&](const KORVU_SPC_LINK *l) {
      if (!l) return std::string(" - -");
      if (korvu_spclink_getmoniker(l))
        return " 1 " + lower_hex(ocsp::contents(encode(KORVU_TYPE_OCTET_STRING, korvu_spclink_getmoniker(l)->classId)));
      return " " + std::to_string(korvu_spclink_gettype(l)) + " " +
             (korvu_spclink_getfile(l) ? std::to_string(korvu_spcstring_gettype(korvu_spclink_getfile(l))) + " " +
                                             chars(korvu_spclink_getfile(l))
                                       : text(korvu_spclink_geturl(l)));
    };
    if (type == KORVU_TYPE_SPCSPOPUSINFO) {
      auto *o = v.as<KORVU_SPC_SPOPUSINFO>();
      auto *name = korvu_spcspopusinfo_getprogramname(o);
      line = "opus" + (name ? " " + std::to_string(korvu_spcstring_gettype(name)) + " " + chars(name) : " - -") +
             link(korvu_spcspopusinfo_getmoreinfo(o));
    } else {
      auto *a = type == KORVU_TYPE_SPCINDIRECTDATACONTENT
                    ? korvu_spcindirectdatacontent_getdata(v.as<KORVU_SPC_INDIRECTDATACONTENT>()) : v.as<KORVU_X509_ALGID>();
      line = std::string("data ") + korvu_asn1_oid_getstring(korvu_spcattrtypeandoptvalue_gettype(a));
      void *pe = nullptr;
      if (line.substr(5) == kPeData &&
          korvu_asn1_any_toobject(korvu_spcattrtypeandoptvalue_getvalue(a), KORVU_TYPE_SPCPEIMAGEDATA, &pe, ctx) == 1) {
        Val p(KORVU_TYPE_SPCPEIMAGEDATA, pe);
        line += " " + lower_hex(encode(KORVU_TYPE_BIT_STRING, korvu_spcpeimagedata_getflag(p.as<KORVU_SPC_PEIMAGEDATA>()))) +
                link(korvu_spcpeimagedata_getfile(p.as<KORVU_SPC_PEIMAGEDATA>()));
      } else {
        line += korvu_spcattrtypeandoptvalue_hasvalue(a) ? " value" : " -";
      }
      line += " " + lower_hex(ocsp::contents(digest));
    }
    out.push_back(line);
  }
  return out;
}

size_t count(const std::vector<std::string> &lines, const std::string &start) {
  return std::count_if(lines.begin(), lines.end(), [&](const std::string &l) { return l.rfind(start, 0) == 0; });
}

}  // namespace

TEST(AuthenticodeVectors, DecodeWriteBackRebuildOrRefuse) {
  const bool digest_info = korvu_asn1_hascodec(KORVU_TYPE_DIGESTINFO) == 1;
  const int run = seal::run_vectors("authenticode_vectors.txt", rebuild, [&](uint32_t type) {
    return type == KORVU_TYPE_SPCINDIRECTDATACONTENT && !digest_info;
  });
  EXPECT_EQ(run, digest_info ? 38 : 36);
}

// The default PE flags are bit 1 (03 02 06 40); a selector outside the CHOICE gives null, a getter of another
// alternative null.
TEST(AuthenticodeBuild, DefaultsAndSelectors) {
  Val bmp(KORVU_TYPE_BMPSTRING, korvu_asn1_string_new("\0A", 2));
  Val name(KORVU_TYPE_SPCSTRING, korvu_spcstring_new(KORVU_SPCSTRING_UNICODE, bmp.as<KORVU_ASN1_STRING>()));
  Val file(KORVU_TYPE_SPCLINK, korvu_spclink_newfile(name.as<KORVU_SPC_STRING>()));
  Val pe(KORVU_TYPE_SPCPEIMAGEDATA, korvu_spcpeimagedata_new(nullptr, file.as<KORVU_SPC_LINK>()));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_SPCPEIMAGEDATA, pe.v)), "30 0C 03 02 06 40 A0 06 A2 04 80 02 00 41");
  EXPECT_EQ(korvu_spcstring_new(2, bmp.as<KORVU_ASN1_STRING>()), nullptr);
  EXPECT_TRUE(korvu_spcpeimagedata_new(nullptr, nullptr) == nullptr && korvu_spclink_newfile(nullptr) == nullptr);
  EXPECT_TRUE(korvu_spclink_geturl(file.as<KORVU_SPC_LINK>()) == nullptr && korvu_spclink_getfile(nullptr) == nullptr);
  EXPECT_EQ(korvu_spclink_gettype(nullptr) & korvu_spcstring_gettype(nullptr), 0xFFFFFFFFu);
}

// The corpus: 16 SpcIndirectDataContent values (two in nested signatures; 15 PE images with flags 03 01 00 and a
// file link holding a unicode string, one OCTET STRING) and 15 SpcSpOpusInfo values (8 empty).
TEST(AuthenticodeCorpus, IndirectDataAndOpusInfo) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  std::vector<std::string> all;
  for (const ManifestRow &row : corpus_manifest())
    if (row.family == "authenticode")
      for (const std::string &l : spc_values(read_file(corpus_dir() + "/" + row.path), row.path)) all.push_back(l);
  EXPECT_EQ(count(all, "data "), 16u);
  EXPECT_EQ(count(all, std::string("data ") + kPeData + " 030100 2 0 "), 15u);
  EXPECT_EQ(count(all, "data 1.3.6.1.4.1.311.2.1.29 value"), 1u);
  EXPECT_EQ(count(all, "opus "), 15u);
  EXPECT_EQ(count(all, "opus - - - -"), 8u);
}

// Fresh signatures of a PE image and of a script, with and without page hashes, nested, and the legacy
// time-stamp request posted to a listener on 127.0.0.1.
TEST(AuthenticodeOsslsigncode, FreshSignaturesAndTimeStampRequest) {
  if (std::system("osslsigncode --version >/dev/null 2>&1") != 0) {
    if (under_ci()) ADD_FAILURE() << "osslsigncode missing";
    GTEST_SKIP() << "osslsigncode missing";
  }
  char dir[] = "/tmp/korvu_authenticode_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string d = dir;
  ASSERT_EQ(std::system(("sh " KORVU_SOURCE_DIR "/tests/make_authenticode.sh " + d).c_str()), 0);
  const auto values = [&](const char *f) { return spc_values(read_file(d + "/" + f), f); };
  const Bytes verify_octets = read_file(d + "/verify.txt");
  std::string verify(verify_octets.begin(), verify_octets.end());
  // -n and -i: an ascii programName and a url, absent from the corpus; the digest osslsigncode computes.
  const std::vector<std::string> s = values("s.p7");
  ASSERT_EQ(s.size(), 2u);
  const std::string digest = s[0].substr(s[0].rfind(' ') + 1);
  EXPECT_EQ(s[0], std::string("data ") + kPeData + " 03020780 2 0 <<<Obsolete>>> " + digest);
  EXPECT_EQ(s[1], "opus 1 Korvu test 0 https://example.org/k");
  for (const char *line : {"Text description: Korvu test\n", "URL description: https://example.org/k\n"})
    EXPECT_NE(verify.find(line), std::string::npos) << verify;
  std::transform(verify.begin(), verify.end(), verify.begin(), ::tolower);
  EXPECT_NE(verify.find("current message digest    : " + digest), std::string::npos) << verify;
  // -ph: a moniker link; -nest: a second signature; a script: its own data type with a value.
  EXPECT_EQ(values("ph.p7").at(0).substr(0, 71), std::string("data ") + kPeData + " 03020780 1 a6b586d5b4a12466ae05a217da8e60d6");
  EXPECT_EQ(count(values("n.p7"), "data "), 2u);
  EXPECT_EQ(values("ps.p7").at(0).substr(0, 34), "data 1.3.6.1.4.1.311.2.1.30 value ");
  if (korvu_asn1_hascodec(KORVU_TYPE_DIGESTINFO)) {  // `korvu-asn1 decode --summary` of the SpcIndirectDataContent
    std::vector<Bytes> found;
    spc_values(read_file(d + "/s.p7"), "s.p7", &found);
    ocsp::write_file(d + "/idc.der", found.at(0));
    const std::string out = ocsp::summary_of(KORVU_TYPE_SPCINDIRECTDATACONTENT, d + "/idc.der");
    for (const std::string &l : {std::string("PE flags: 03020780\n"), std::string("link: file <<<Obsolete>>>\n"),
                                 std::string("digest algorithm: 2.16.840.1.101.3.4.2.1\n")})
      EXPECT_NE(out.find(l), std::string::npos) << l << out;
  }
  // The legacy request: written back byte for byte and rebuilt from its getters.
  const Bytes req = read_file(d + "/req.der");
  ErrCtx ctx;
  Val t(KORVU_TYPE_TIMESTAMPREQUEST, decode(KORVU_TYPE_TIMESTAMPREQUEST, req, ctx));
  ASSERT_NE(t.v, nullptr) << ::testing::PrintToString(ctx.codes());
  Val again(KORVU_TYPE_TIMESTAMPREQUEST, rebuild(KORVU_TYPE_TIMESTAMPREQUEST, t.v));
  EXPECT_TRUE(encode(KORVU_TYPE_TIMESTAMPREQUEST, t.v) == req && encode(KORVU_TYPE_TIMESTAMPREQUEST, again.v) == req);
  auto *tr = t.as<KORVU_AUTHENTICODE_TIMESTAMPREQ>();
  EXPECT_STREQ(korvu_asn1_oid_getstring(korvu_authenticode_timestampreq_getalgo(tr)), "1.3.6.1.4.1.311.3.2.1");
  EXPECT_EQ(korvu_authenticode_timestampreq_hasattrs(tr), 0);
  std::system(("rm -rf " + d).c_str());
}
