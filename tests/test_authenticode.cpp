// Authenticode: hex vectors (tests/data/authenticode_vectors.txt) rebuilt with the constructors; the values of
// the corpus and of fresh osslsigncode signatures (tests/make_authenticode.sh) found by a TLV walk.
#include "vectors.h"

using namespace korvu_test;

namespace {

// The constructors, fed with a decoded value's getters.
void *rebuild(uint32_t type, const void *v) {
  auto *l = static_cast<const KORVU_SPC_LINK *>(v);
  switch (type) {
    case KORVU_TYPE_SPCSERIALIZEDOBJECT:
      return KORVU_FROM_GETTERS(v, korvu_spcserialzedobject_, new, getclassid, getserializeddata);
    case KORVU_TYPE_SPCSTRING: return KORVU_FROM_GETTERS(v, korvu_spcstring_, new, gettype, getstring);
    case KORVU_TYPE_SPCLINK:
      if (korvu_spclink_geturl(l)) return korvu_spclink_newurl(korvu_spclink_geturl(l));
      if (korvu_spclink_getmoniker(l)) return korvu_spclink_newmoniker(korvu_spclink_getmoniker(l));
      return korvu_spclink_newfile(korvu_spclink_getfile(l));
    case KORVU_TYPE_SPCPEIMAGEDATA: return KORVU_FROM_GETTERS(v, korvu_spcpeimagedata_, new, getflag, getfile);
    case KORVU_TYPE_SPCSPOPUSINFO: return KORVU_FROM_GETTERS(v, korvu_spcspopusinfo_, new, getprogramname, getmoreinfo);
    case KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE:
      return KORVU_FROM_GETTERS(v, korvu_spcattrtypeandoptvalue_, new, gettype, getvalue);
    case KORVU_TYPE_SPCINDIRECTDATACONTENT:
      return KORVU_FROM_GETTERS(v, korvu_spcindirectdatacontent_, new, getdata, getmessagedigest);
    default: return KORVU_FROM_GETTERS(v, korvu_authenticode_timestampreq_, new, getalgo, getattrs, getcontent);
  }
}

// A string's octets as characters, zero octets (a BMPString's high ones) left out.
std::string chars(const KORVU_ASN1_STRING *s) {
  std::string out(korvu_asn1_string_getlength(s), '\0');
  korvu_asn1_string_get(s, out.data());
  std::erase(out, '\0');
  return out;
}

// " TYPE CHARACTERS" of an SpcString; " KIND DETAILS" of an SpcLink: " 0 URL", " 1 CLASSID" (moniker) or
// " 2 STRING" (file); " - -" for none.
std::string string_text(const KORVU_SPC_STRING *s) {
  return s ? " " + std::to_string(korvu_spcstring_gettype(s)) + " " + chars(korvu_spcstring_getstring(s)) : " - -";
}

std::string link_text(const KORVU_SPC_LINK *l) {
  if (!l) return " - -";
  if (korvu_spclink_getfile(l)) return " 2" + string_text(korvu_spclink_getfile(l));
  if (!korvu_spclink_getmoniker(l)) return " 0 " + chars(korvu_spclink_geturl(l));
  return " 1 " + lower_hex(ocsp::contents(encode(KORVU_TYPE_OCTET_STRING, korvu_spclink_getmoniker(l)->classId)));
}

// Each SpcIndirectDataContent and SpcSpOpusInfo value in `der`, decoded, written back and rebuilt byte for byte;
// a line each: "data TYPE FLAGS LINK DIGEST" or "opus NAME LINK" (a missing part as "-").
std::vector<std::string> spc_values(const Bytes &der, const std::string &label) {
  std::vector<std::string> out;
  const auto sub = [&](const DerNode &n) { return Bytes(der.begin() + long(n.at), der.begin() + long(n.end())); };
  for (const DerNode &n : der_all(der)) {
    const std::vector<DerNode> k = der_kids(der, n);
    if (der[n.at] != 0x30 || k.size() != 2 || der[k[0].at] != 6 || der_kids(der, k[1]).empty()) continue;
    const std::string oid = lower_hex(sub(k[0]));
    const uint32_t type = oid == "060a2b060104018237020104" && der[k[1].at] == 0xA0 ? KORVU_TYPE_SPCINDIRECTDATACONTENT
                          : oid == "060a2b06010401823702010c" && der[k[1].at] == 0x31 ? KORVU_TYPE_SPCSPOPUSINFO : 0;
    if (type == 0) continue;
    const Bytes value = sub(der_kids(der, k[1])[0]);
    ErrCtx ctx;
    Val v(type, decode(type, value, ctx)), again(type, rebuild(type, v.v));
    EXPECT_TRUE(v.v && encode(type, v.v) == value && encode(type, again.v) == value) << label << " " << type;
    if (type == KORVU_TYPE_SPCSPOPUSINFO) {
      auto *o = v.as<KORVU_SPC_SPOPUSINFO>();
      out.push_back("opus" + string_text(korvu_spcspopusinfo_getprogramname(o)) + link_text(korvu_spcspopusinfo_getmoreinfo(o)));
      continue;
    }
    auto *c = v.as<KORVU_SPC_INDIRECTDATACONTENT>();
    auto *data = korvu_spcindirectdatacontent_getdata(c);
    std::string line = std::string("data ") + korvu_asn1_oid_getstring(korvu_spcattrtypeandoptvalue_gettype(data));
    void *pe = nullptr;
    if (line.substr(5) == "1.3.6.1.4.1.311.2.1.15" &&
        korvu_asn1_any_toobject(korvu_spcattrtypeandoptvalue_getvalue(data), KORVU_TYPE_SPCPEIMAGEDATA, &pe, ctx) == 1) {
      Val p(KORVU_TYPE_SPCPEIMAGEDATA, pe);
      line += " " + lower_hex(encode(KORVU_TYPE_BIT_STRING, korvu_spcpeimagedata_getflag(p.as<KORVU_SPC_PEIMAGEDATA>()))) +
              link_text(korvu_spcpeimagedata_getfile(p.as<KORVU_SPC_PEIMAGEDATA>()));
    } else {
      line += korvu_spcattrtypeandoptvalue_hasvalue(data) ? " value" : " -";
    }
    const Bytes digest_info = encode(KORVU_TYPE_DIGESTINFO, korvu_spcindirectdatacontent_getmessagedigest(c));
    out.push_back(line + " " + lower_hex(ocsp::contents(der_elements(digest_info).at(1))));
  }
  return out;
}

size_t count(const std::vector<std::string> &lines, const std::string &start) {
  return std::count_if(lines.begin(), lines.end(), [&](const std::string &l) { return l.rfind(start, 0) == 0; });
}

}  // namespace

// The vectors rebuilt from their getters; the default PE flags, bit 1 (03 02 06 40); a selector outside the CHOICE
// or a missing component gives null; `korvu-asn1 decode --summary` of an SpcIndirectDataContent.
TEST(AuthenticodeVectors, RebuildDefaultsAndSelectors) {
  run_hex_vectors("authenticode_vectors.txt", 20, 15, [](uint32_t type, const std::string &name, const void *v, const Bytes &out) {
    Val again(type, rebuild(type, v));
    EXPECT_EQ(to_hex(encode(type, again.v)), to_hex(out)) << name << " rebuilt";
  });
  Val bmp(KORVU_TYPE_BMPSTRING, korvu_asn1_string_new("\0A", 2));
  Val name(KORVU_TYPE_SPCSTRING, korvu_spcstring_new(KORVU_SPCSTRING_UNICODE, bmp.as<KORVU_ASN1_STRING>()));
  Val file(KORVU_TYPE_SPCLINK, korvu_spclink_newfile(name.as<KORVU_SPC_STRING>()));
  Val pe(KORVU_TYPE_SPCPEIMAGEDATA, korvu_spcpeimagedata_new(nullptr, file.as<KORVU_SPC_LINK>()));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_SPCPEIMAGEDATA, pe.v)), "30 0C 03 02 06 40 A0 06 A2 04 80 02 00 41");
  EXPECT_EQ(korvu_spcstring_new(2, bmp.as<KORVU_ASN1_STRING>()), nullptr);
  EXPECT_TRUE(korvu_spcpeimagedata_new(nullptr, nullptr) == nullptr && korvu_spclink_newfile(nullptr) == nullptr);
  const std::string tmp = ::testing::TempDir() + "korvu_authenticode_summary_" + std::to_string(getpid()) + ".der";
  ocsp::write_file(tmp, hex_vector("authenticode_vectors.txt", "indirectdatacontent"));
  const std::string out = ocsp::summary_of(KORVU_TYPE_SPCINDIRECTDATACONTENT, tmp);
  for (const char *l : {"PE flags: 030100\n", "link: file <<<Obsolete>>>\n", "digest algorithm: 2.16.840.1.101.3.4.2.1\n",
                        "data type: 1.3.6.1.4.1.311.2.1.15\n", "digest: 0102030405060708\n"})
    EXPECT_NE(out.find(l), std::string::npos) << l << out;
}

// The corpus: 16 SpcIndirectDataContent values (two in nested signatures): 15 PE images with flags 03 01 00 and a
// file link holding a unicode string, one OCTET STRING; 15 SpcSpOpusInfo values (8 empty).
TEST(AuthenticodeCorpus, IndirectDataAndOpusInfo) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  std::vector<std::string> all;
  for (const ManifestRow &row : corpus_manifest())
    if (row.family == "authenticode")
      for (const std::string &l : spc_values(read_file(corpus_dir() + "/" + row.path), row.path)) all.push_back(l);
  EXPECT_EQ(count(all, "data 1.3.6.1.4.1.311.2.1.15 030100 2 0 "), 15u);
  EXPECT_EQ(count(all, "data 1.3.6.1.4.1.311.2.1.29 value"), 1u);
  EXPECT_EQ(count(all, "opus "), 15u);
  EXPECT_EQ(count(all, "opus - - - -"), 8u);
}

// Fresh signatures: a PE image with and without page hashes, nested, a script; the legacy time-stamp request.
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
  std::string verify = ocsp::shell("osslsigncode verify -CAfile " + d + "/c.pem -in " + d + "/s.exe");
  // -n and -i: an ascii programName and a url, absent from the corpus; the digest osslsigncode computes.
  const std::vector<std::string> s = values("s.p7");
  const std::string digest = s.empty() ? "?" : s[0].substr(s[0].rfind(' ') + 1);
  EXPECT_EQ(s, (std::vector<std::string>{"data 1.3.6.1.4.1.311.2.1.15 03020780 2 0 <<<Obsolete>>> " + digest,
                                         "opus 1 Korvu test 0 https://example.org/k"}));
  for (const char *line : {"Text description: Korvu test\n", "URL description: https://example.org/k\n"})
    EXPECT_NE(verify.find(line), std::string::npos) << verify;
  std::transform(verify.begin(), verify.end(), verify.begin(), ::tolower);
  EXPECT_NE(verify.find("current message digest    : " + digest), std::string::npos) << verify;
  // -ph: a moniker link; -nest: a second signature; a script: its own data type with a value.
  EXPECT_EQ(values("ph.p7").at(0).substr(0, 71), "data 1.3.6.1.4.1.311.2.1.15 03020780 1 a6b586d5b4a12466ae05a217da8e60d6");
  EXPECT_EQ(count(values("n.p7"), "data "), 2u);
  EXPECT_EQ(values("ps.p7").at(0).substr(0, 34), "data 1.3.6.1.4.1.311.2.1.30 value ");
  // The legacy request: written back byte for byte and rebuilt from its getters.
  const Bytes req = read_file(d + "/req.der");
  const uint32_t tsr = KORVU_TYPE_TIMESTAMPREQUEST;
  ErrCtx ctx;
  Val t(tsr, decode(tsr, req, ctx)), again(tsr, rebuild(tsr, t.v));
  EXPECT_TRUE(t.v && encode(tsr, t.v) == req && encode(tsr, again.v) == req) << ::testing::PrintToString(ctx.codes());
  auto *tr = t.as<KORVU_AUTHENTICODE_TIMESTAMPREQ>();
  EXPECT_EQ(ocsp::oid_text(korvu_authenticode_timestampreq_getalgo(tr)), "1.3.6.1.4.1.311.3.2.1");
  EXPECT_EQ(korvu_authenticode_timestampreq_hasattrs(tr), 0);
  std::system(("rm -rf " + d).c_str());
}
