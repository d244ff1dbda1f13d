// Authenticode: hex vectors of every type and of the CHOICE rules (tests/data/authenticode_vectors.txt), rebuilt
// with the constructors; the SpcIndirectDataContent and SpcSpOpusInfo values of the corpus and of fresh
// osslsigncode signatures (tests/make_authenticode.sh), found by a TLV walk, written back byte for byte and read
// by their getters; the legacy TimeStampRequest osslsigncode posts.
#include "ocsp_peer.h"
#include "seal_util.h"

using namespace korvu_test;
using korvu_test::seal::item;

namespace {

const Bytes kIndirectOid = hex("06 0A 2B 06 01 04 01 82 37 02 01 04");
const Bytes kOpusOid = hex("06 0A 2B 06 01 04 01 82 37 02 01 0C");
constexpr const char *kPeData = "1.3.6.1.4.1.311.2.1.15";

Bytes slice(const Bytes &b, const DerNode &n) {
  return Bytes(b.begin() + static_cast<long>(n.at), b.begin() + static_cast<long>(n.end()));
}
Bytes contents(const Bytes &tlv) {
  DerNode n;
  return der_node(tlv, 0, tlv.size(), n) ? Bytes(tlv.begin() + static_cast<long>(n.hdr), tlv.end()) : Bytes{};
}
std::string text(uint32_t type, const void *v) {
  const Bytes c = contents(encode(type, v));
  std::string s;
  for (size_t i = type == KORVU_TYPE_BMPSTRING ? 1 : 0; i < c.size(); i += type == KORVU_TYPE_BMPSTRING ? 2 : 1)
    s += static_cast<char>(c[i]);
  return s;
}

// Every SpcIndirectDataContent (the content after its eContentType) and SpcSpOpusInfo (its attribute's value).
std::vector<std::pair<uint32_t, Bytes>> spc_values(const Bytes &der) {
  std::vector<std::pair<uint32_t, Bytes>> out;
  for (const DerNode &n : der_all(der)) {
    const std::vector<DerNode> k = der_kids(der, n);
    if (der[n.at] != 0x30 || k.size() != 2 || der_kids(der, k[1]).empty()) continue;
    const Bytes oid = slice(der, k[0]), inner = slice(der, der_kids(der, k[1])[0]);
    if (oid == kIndirectOid && der[k[1].at] == 0xA0) out.emplace_back(KORVU_TYPE_SPCINDIRECTDATACONTENT, inner);
    if (oid == kOpusOid && der[k[1].at] == 0x31) out.emplace_back(KORVU_TYPE_SPCSPOPUSINFO, inner);
  }
  return out;
}

// What a value holds, read through its getters, each checked against the walk on the way.
struct Read {
  std::string data_type, flags, name, url, moniker_class, digest;
  uint32_t link = 0xFFFFFFFF, name_type = 0xFFFFFFFF;
  bool has_value = false;
};

void read_string(Read &r, const KORVU_SPC_STRING *s) {
  r.name_type = korvu_spcstring_gettype(s);
  r.name = text(r.name_type == 0 ? KORVU_TYPE_BMPSTRING : KORVU_TYPE_IA5STRING, korvu_spcstring_getstring(s));
}
void read_link(Read &r, const KORVU_SPC_LINK *l) {
  r.link = korvu_spclink_gettype(l);
  if (korvu_spclink_geturl(l)) r.url = text(KORVU_TYPE_IA5STRING, korvu_spclink_geturl(l));
  if (korvu_spclink_getmoniker(l))
    r.moniker_class = lower_hex(contents(encode(KORVU_TYPE_OCTET_STRING,
                                                korvu_spcserialzedobject_getclassid(korvu_spclink_getmoniker(l)))));
  if (korvu_spclink_getfile(l)) read_string(r, korvu_spclink_getfile(l));
}

Read read_value(uint32_t type, const Bytes &der, const std::string &label) {
  Read r;
  ErrCtx ctx;
  const std::vector<Bytes> k = der_elements(der);
  if (type == KORVU_TYPE_SPCSPOPUSINFO) {
    Val v(type, decode(type, der, ctx));
    EXPECT_NE(v.v, nullptr) << label;
    EXPECT_EQ(encode(type, v.v), der) << label;
    auto *o = v.as<KORVU_SPC_SPOPUSINFO>();
    size_t i = 0;
    if (korvu_spcspopusinfo_getprogramname(o)) {
      EXPECT_EQ(encode(KORVU_TYPE_SPCSTRING, korvu_spcspopusinfo_getprogramname(o)), contents(k.at(i++))) << label;
      read_string(r, korvu_spcspopusinfo_getprogramname(o));
    }
    if (korvu_spcspopusinfo_getmoreinfo(o)) {
      EXPECT_EQ(encode(KORVU_TYPE_SPCLINK, korvu_spcspopusinfo_getmoreinfo(o)), contents(k.at(i++))) << label;
      read_link(r, korvu_spcspopusinfo_getmoreinfo(o));
    }
    EXPECT_EQ(i, k.size()) << label;
    return r;
  }
  // SpcIndirectDataContent: its data alone, and the whole when DigestInfo (57) is in the build.
  r.digest = lower_hex(contents(der_elements(k.at(1)).at(1)));
  if (korvu_asn1_hascodec(KORVU_TYPE_DIGESTINFO)) {
    Val v(type, decode(type, der, ctx));
    EXPECT_NE(v.v, nullptr) << label;
    EXPECT_EQ(encode(type, v.v), der) << label;
    auto *c = v.as<KORVU_SPC_INDIRECTDATACONTENT>();
    EXPECT_EQ(encode(KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE, korvu_spcindirectdatacontent_getdata(c)), k[0]);
    EXPECT_EQ(encode(KORVU_TYPE_DIGESTINFO, korvu_spcindirectdatacontent_getmessagedigest(c)), k[1]) << label;
  }
  Val d(KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE, decode(KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE, k[0], ctx));
  auto *a = d.as<KORVU_X509_ALGID>();
  EXPECT_NE(a, nullptr) << label;
  EXPECT_EQ(encode(KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE, a), k[0]) << label;
  const std::vector<Bytes> dk = der_elements(k[0]);
  EXPECT_EQ(encode(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_spcattrtypeandoptvalue_gettype(a)), dk.at(0)) << label;
  r.data_type = korvu_asn1_oid_getstring(korvu_spcattrtypeandoptvalue_gettype(a));
  r.has_value = korvu_spcattrtypeandoptvalue_hasvalue(a) == 1;
  EXPECT_EQ(r.has_value, dk.size() == 2) << label;
  if (!r.has_value) return r;
  EXPECT_EQ(encode(KORVU_TYPE_ANY, korvu_spcattrtypeandoptvalue_getvalue(a)), dk[1]) << label;
  if (r.data_type != kPeData) return r;
  void *pe = nullptr;
  EXPECT_EQ(korvu_asn1_any_toobject(korvu_spcattrtypeandoptvalue_getvalue(a), KORVU_TYPE_SPCPEIMAGEDATA, &pe, ctx), 1);
  Val p(KORVU_TYPE_SPCPEIMAGEDATA, pe);
  EXPECT_EQ(encode(KORVU_TYPE_SPCPEIMAGEDATA, pe), dk[1]) << label;
  r.flags = lower_hex(encode(KORVU_TYPE_BIT_STRING, korvu_spcpeimagedata_getflag(p.as<KORVU_SPC_PEIMAGEDATA>())));
  read_link(r, korvu_spcpeimagedata_getfile(p.as<KORVU_SPC_PEIMAGEDATA>()));
  return r;
}

// The constructors, fed with a decoded value's getters.
void *rebuild(uint32_t type, const void *v) {
  switch (type) {
    case KORVU_TYPE_SPCSERIALIZEDOBJECT: {
      auto *s = static_cast<const KORVU_SPC_SERIALIZEDOBJECT *>(v);
      return korvu_spcserialzedobject_new(korvu_spcserialzedobject_getclassid(s),
                                          korvu_spcserialzedobject_getserializeddata(s));
    }
    case KORVU_TYPE_SPCSTRING: {
      auto *s = static_cast<const KORVU_SPC_STRING *>(v);
      return korvu_spcstring_new(korvu_spcstring_gettype(s), korvu_spcstring_getstring(s));
    }
    case KORVU_TYPE_SPCLINK: {
      auto *l = static_cast<const KORVU_SPC_LINK *>(v);
      if (korvu_spclink_geturl(l)) return korvu_spclink_newurl(korvu_spclink_geturl(l));
      if (korvu_spclink_getmoniker(l)) return korvu_spclink_newmoniker(korvu_spclink_getmoniker(l));
      return korvu_spclink_newfile(korvu_spclink_getfile(l));
    }
    case KORVU_TYPE_SPCPEIMAGEDATA: {
      auto *p = static_cast<const KORVU_SPC_PEIMAGEDATA *>(v);
      return korvu_spcpeimagedata_new(korvu_spcpeimagedata_getflag(p), korvu_spcpeimagedata_getfile(p));
    }
    case KORVU_TYPE_SPCSPOPUSINFO: {
      auto *o = static_cast<const KORVU_SPC_SPOPUSINFO *>(v);
      return korvu_spcspopusinfo_new(korvu_spcspopusinfo_getprogramname(o), korvu_spcspopusinfo_getmoreinfo(o));
    }
    case KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE: {
      auto *a = static_cast<const KORVU_X509_ALGID *>(v);
      return korvu_spcattrtypeandoptvalue_new(korvu_spcattrtypeandoptvalue_gettype(a),
                                              korvu_spcattrtypeandoptvalue_getvalue(a));
    }
    case KORVU_TYPE_SPCINDIRECTDATACONTENT: {
      auto *c = static_cast<const KORVU_SPC_INDIRECTDATACONTENT *>(v);
      return korvu_spcindirectdatacontent_new(korvu_spcindirectdatacontent_getdata(c),
                                              korvu_spcindirectdatacontent_getmessagedigest(c));
    }
    default: {
      auto *t = static_cast<const KORVU_AUTHENTICODE_TIMESTAMPREQ *>(v);
      return korvu_authenticode_timestampreq_new(korvu_authenticode_timestampreq_getalgo(t),
                                                 korvu_authenticode_timestampreq_getattrs(t),
                                                 korvu_authenticode_timestampreq_getcontent(t));
    }
  }
}

}  // namespace

TEST(AuthenticodeVectors, DecodeWriteBackRebuildOrRefuse) {
  const bool digest_info = korvu_asn1_hascodec(KORVU_TYPE_DIGESTINFO) == 1;
  int run = 0;
  for (const seal::Vector &c : seal::read_vectors(KORVU_SOURCE_DIR "/tests/data/authenticode_vectors.txt")) {
    if (c.type == KORVU_TYPE_SPCINDIRECTDATACONTENT && !digest_info) continue;
    run++;
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(c.type, decode(c.type, c.in, ctx, &used));
    if (c.code != 0) {
      EXPECT_EQ(v.v, nullptr) << c.name;
      EXPECT_TRUE(ctx.has(c.code)) << c.name << ": " << ::testing::PrintToString(ctx.codes());
      continue;
    }
    ASSERT_NE(v.v, nullptr) << c.name << ": " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(used, c.in.size()) << c.name;
    EXPECT_EQ(to_hex(encode(c.type, v.v)), to_hex(c.out)) << c.name;
    Val again(c.type, rebuild(c.type, v.v));
    EXPECT_EQ(to_hex(encode(c.type, again.v)), to_hex(c.out)) << c.name << " (rebuilt)";
  }
  EXPECT_GE(run, 36);
  if (!digest_info) std::printf("[ note ] SpcIndirectDataContent vectors need DigestInfo (57) in the build\n");
}

// The constructors' own rules: the default PE flags are bit 1 (03 02 06 40), selectors outside the CHOICE give
// null, a getter of another alternative gives null.
TEST(AuthenticodeBuild, DefaultsAndSelectors) {
  Val bmp(KORVU_TYPE_BMPSTRING, korvu_asn1_string_new("\0A", 2));
  Val link(KORVU_TYPE_SPCLINK, korvu_spclink_newfile(nullptr));
  EXPECT_EQ(link.v, nullptr);
  Val name(KORVU_TYPE_SPCSTRING, korvu_spcstring_new(KORVU_SPCSTRING_UNICODE, bmp.as<KORVU_ASN1_STRING>()));
  Val file(KORVU_TYPE_SPCLINK, korvu_spclink_newfile(name.as<KORVU_SPC_STRING>()));
  Val pe(KORVU_TYPE_SPCPEIMAGEDATA, korvu_spcpeimagedata_new(nullptr, file.as<KORVU_SPC_LINK>()));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_SPCPEIMAGEDATA, pe.v)), "30 0C 03 02 06 40 A0 06 A2 04 80 02 00 41");
  EXPECT_EQ(korvu_spcpeimagedata_new(nullptr, nullptr), nullptr);
  EXPECT_EQ(korvu_spcstring_new(2, bmp.as<KORVU_ASN1_STRING>()), nullptr);
  EXPECT_EQ(korvu_spcstring_new(KORVU_SPCSTRING_ASCII, nullptr), nullptr);
  EXPECT_EQ(korvu_spclink_getfile(nullptr), nullptr);
  EXPECT_EQ(korvu_spclink_gettype(nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_spcstring_gettype(nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_spclink_geturl(file.as<KORVU_SPC_LINK>()), nullptr);
  EXPECT_EQ(korvu_spclink_getmoniker(file.as<KORVU_SPC_LINK>()), nullptr);
  Val opus(KORVU_TYPE_SPCSPOPUSINFO, korvu_spcspopusinfo_new(nullptr, nullptr));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_SPCSPOPUSINFO, opus.v)), "30 00");
  EXPECT_EQ(korvu_spcspopusinfo_getprogramname(opus.as<KORVU_SPC_SPOPUSINFO>()), nullptr);
}

// The corpus' signatures: 16 SpcIndirectDataContent values (two inside nested signatures) and their SpcSpOpusInfo
// attributes, each written back byte for byte and read as the walk reads it.
TEST(AuthenticodeCorpus, IndirectDataAndOpusInfo) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  int files = 0, indirect = 0, pe_file_unicode = 0, octets = 0, opus = 0, opus_empty = 0;
  for (const ManifestRow &row : corpus_manifest()) {
    if (row.family != "authenticode") continue;
    files++;
    for (const auto &[type, der] : spc_values(read_file(corpus_dir() + "/" + row.path))) {
      const Read r = read_value(type, der, row.path);
      if (type == KORVU_TYPE_SPCSPOPUSINFO) {
        opus++;
        opus_empty += r.name_type == 0xFFFFFFFF && r.link == 0xFFFFFFFF;
        continue;
      }
      indirect++;
      pe_file_unicode += r.data_type == kPeData && r.flags == "030100" && r.link == 2 && r.name_type == 0;
      octets += r.data_type != kPeData && r.has_value;
    }
  }
  EXPECT_EQ(files, 15);
  EXPECT_EQ(indirect, 16);
  EXPECT_EQ(pe_file_unicode, 15);
  EXPECT_EQ(octets, 1);
  EXPECT_EQ(opus, 15);
  EXPECT_EQ(opus_empty, 8);
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
  ASSERT_EQ(std::system(("sh " KORVU_SOURCE_DIR "/tests/make_authenticode.sh " + std::string(dir)).c_str()), 0);
  const auto values = [&](const char *f) { return spc_values(read_file(std::string(dir) + "/" + f)); };
  // -n and -i: an ascii programName and a url, absent from the corpus; the digest osslsigncode verifies.
  const auto s = values("s.p7");
  ASSERT_EQ(s.size(), 2u);
  const Read data = read_value(s[0].first, s[0].second, "s.p7"), info = read_value(s[1].first, s[1].second, "s.p7");
  EXPECT_EQ(data.data_type, kPeData);
  EXPECT_EQ(data.flags, "03020780");
  EXPECT_EQ(data.link, 2u);
  const std::string verify = [&] {
    const Bytes v = read_file(std::string(dir) + "/verify.txt");
    return std::string(v.begin(), v.end());
  }();
  std::string digest = data.digest;
  for (char &ch : digest) ch = static_cast<char>(std::toupper(ch));
  EXPECT_NE(verify.find("Current message digest    : " + digest), std::string::npos) << verify;
  EXPECT_EQ(info.name_type, 1u);
  EXPECT_NE(verify.find("Text description: " + info.name + "\n"), std::string::npos) << info.name;
  EXPECT_NE(verify.find("URL description: " + info.url + "\n"), std::string::npos) << info.url;
  EXPECT_EQ(info.name + " " + info.url, "Korvu test https://example.org/k");
  if (korvu_asn1_hascodec(KORVU_TYPE_DIGESTINFO)) {  // the summary of `korvu-asn1 decode --summary`
    const std::string tmp = std::string(dir) + "/idc.der";
    ocsp::write_file(tmp, s[0].second);
    int status = -1;
    const std::string out = ocsp::summary_of(KORVU_TYPE_SPCINDIRECTDATACONTENT, tmp, &status);
    EXPECT_EQ(status, 0) << out;
    for (const std::string &line : {std::string("data type: 1.3.6.1.4.1.311.2.1.15\n"), std::string("PE flags: 03020780\n"),
                                    std::string("link: file <<<Obsolete>>>\n"),
                                    std::string("digest algorithm: 2.16.840.1.101.3.4.2.1\n"), "digest: " + digest + "\n"})
      EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  }
  // -ph: a moniker link; -nest: the second signature's values too; a script: its own data type and value.
  const auto ph = values("ph.p7");
  ASSERT_FALSE(ph.empty());
  const Read moniker = read_value(ph[0].first, ph[0].second, "ph.p7");
  EXPECT_EQ(moniker.link, 1u);
  EXPECT_EQ(moniker.moniker_class, "a6b586d5b4a12466ae05a217da8e60d6");
  EXPECT_EQ(values("n.p7").size(), 3u) << "two SpcIndirectDataContent, the outer SpcSpOpusInfo";
  for (const auto &[type, der] : values("n.p7")) read_value(type, der, "n.p7");
  const auto ps = values("ps.p7");
  ASSERT_FALSE(ps.empty());
  const Read script = read_value(ps[0].first, ps[0].second, "ps.p7");
  EXPECT_EQ(script.data_type, "1.3.6.1.4.1.311.2.1.30");
  EXPECT_TRUE(script.has_value);
  // The legacy request: written back byte for byte, rebuilt from its getters.
  const Bytes req = read_file(std::string(dir) + "/req.der");
  ErrCtx ctx;
  Val t(KORVU_TYPE_TIMESTAMPREQUEST, decode(KORVU_TYPE_TIMESTAMPREQUEST, req, ctx));
  ASSERT_NE(t.v, nullptr) << ::testing::PrintToString(ctx.codes());
  EXPECT_EQ(encode(KORVU_TYPE_TIMESTAMPREQUEST, t.v), req);
  auto *tr = t.as<KORVU_AUTHENTICODE_TIMESTAMPREQ>();
  EXPECT_STREQ(korvu_asn1_oid_getstring(korvu_authenticode_timestampreq_getalgo(tr)), "1.3.6.1.4.1.311.3.2.1");
  EXPECT_EQ(korvu_authenticode_timestampreq_hasattrs(tr), 0);
  EXPECT_STREQ(korvu_asn1_oid_getstring(korvu_pkcs7contentinfo_getcontenttype(korvu_authenticode_timestampreq_getcontent(tr))),
               "1.2.840.113549.1.7.1");
  Val again(KORVU_TYPE_TIMESTAMPREQUEST, rebuild(KORVU_TYPE_TIMESTAMPREQUEST, tr));
  EXPECT_EQ(encode(KORVU_TYPE_TIMESTAMPREQUEST, again.v), req);
  std::system(("rm -rf " + std::string(dir)).c_str());
}
