// Enveloped, encrypted, authenticated and digested messages (RFC 5652, RFC 2315) and the GM/T variants: corpus
// files and fresh openssl output decoded as their content types and compared with pyasn1-modules
// (tests/asn1_peer.py), messages built with the constructors, the vectors of tests/data/cms_enveloped.txt, and
// malformed input.
#include <algorithm>
#include <cstring>
#include <tuple>

#include "peer_compare.h"
#include "vectors.h"

using namespace korvu_test;

namespace {

constexpr uint32_t kCi = KORVU_TYPE_CONTENTINFO, kAlg = KORVU_TYPE_ALGORITHMIDENTIFIER, kOcts = KORVU_TYPE_OCTET_STRING;
constexpr uint32_t kInt = KORVU_TYPE_INTEGER, kIsn = KORVU_TYPE_ISSUERANDSERIALNUMBER, kAttr = KORVU_TYPE_ATTRIBUTE_PLAIN;

struct ContentKind {
  const char *oid;
  uint32_t type;
  bool pkcs7;        // read by pyasn1 with rfc2315's shapes
  const char *peer;  // pyasn1-modules' type
};
const ContentKind kKinds[] = {
    {"1.2.840.113549.1.7.3", KORVU_TYPE_ENVELOPEDDATA, false, "rfc5652.EnvelopedData"},
    {"1.2.840.113549.1.7.6", KORVU_TYPE_ENCRYPTEDDATA, false, "rfc5652.EncryptedData"},
    {"1.2.840.113549.1.9.16.1.2", KORVU_TYPE_AUTHENTICATEDDATA, false, "rfc5652.AuthenticatedData"},
    {"1.2.840.113549.1.7.5", KORVU_TYPE_DIGESTEDDATA, true, "rfc2315.DigestedData"},
    {"1.2.840.113549.1.7.4", KORVU_TYPE_SIGNEDANDENVELOPEDDATA, true, "rfc2315.SignedAndEnvelopedData"},
    {"1.2.156.10197.6.1.4.2.4", KORVU_TYPE_SIGNEDANDENVELOPEDDATA, true, "rfc2315.SignedAndEnvelopedData"},
};

// A ContentInfo's content type among those above (null for the others) and its content's TLV.
const ContentKind *content_of(const Bytes &msg, Bytes *content) {
  ErrCtx ctx;
  Val ci(kCi, decode(kCi, msg, ctx));
  if (ci.v == nullptr) return nullptr;
  auto *c = ci.as<KORVU_PKCS7_CONTENTINFO>();
  const char *oid = korvu_asn1_oid_getstring(korvu_pkcs7contentinfo_getcontenttype(c));
  for (const ContentKind &k : kKinds)
    if (oid != nullptr && std::strcmp(oid, k.oid) == 0 && korvu_pkcs7contentinfo_hascontent(c)) {
      *content = encode(KORVU_TYPE_ANY, korvu_pkcs7contentinfo_getcontent(c));
      return &k;
    }
  return nullptr;
}

// ---- the library's reading by the paths of rfc5652 / rfc2315 ------------------------------------------------
using P = const std::string &;
struct Dump : LibDump {
  void originator_info(P p, const KORVU_CMS_ORIGINATORINFO *oi) {
    if (oi == nullptr) at[p] = "-";
    list<KORVU_CMS_CERTCHOICE>(p + "/certs", korvu_cmsoriginatorinfo_getcerts(oi), [&](P q, auto *c) {
      der(q + "/certificate", KORVU_TYPE_CERTIFICATE, korvu_cmscertchoice_getx509pubkeycert(c));
    });
    list<KORVU_CMS_REVINFOCHOICE>(p + "/crls", korvu_cmsoriginatorinfo_getcrls(oi), [&](P q, auto *c) {
      der(q + "/crl", KORVU_TYPE_CERTIFICATELIST, korvu_cmsrevinfochoice_getcrl(c));
    });
  }
  void key_id(P p, const KORVU_CMS_RECIPIENTKEYID *k, const char *first) {
    der(p + first, kOcts, korvu_cmsrecipientkeyid_getsubkeyid(k));
    der(p + "/date", KORVU_TYPE_GENERALIZEDTIME, korvu_cmsrecipientkeyid_getdate(k));
    der(p + "/other", KORVU_TYPE_OTHERKEYATTRIBUTE, korvu_cmsrecipientkeyid_getotherattr(k));
  }
  void recipient(P q, const KORVU_CMS_RECIPIENTINFO *ri, bool pkcs7) {
    if (const KORVU_CMS_KTRI *t = korvu_cmsrecipientinfo_getktri(ri)) {
      const std::string p = pkcs7 ? q : q + "/ktri";
      const KORVU_CMS_SIGNERID *rid = korvu_cmskeytransrecipientinfo_getrid(t);
      der(p + "/version", kInt, korvu_cmskeytransrecipientinfo_getversion(t));
      der(p + (pkcs7 ? "/issuerAndSerialNumber" : "/rid/issuerAndSerialNumber"), kIsn, korvu_cmssignerid_getissuersn(rid));
      if (!pkcs7) der(p + "/rid/subjectKeyIdentifier", kOcts, korvu_cmssignerid_getkeyid(rid));
      der(p + "/keyEncryptionAlgorithm", kAlg, korvu_cmskeytransrecipientinfo_getencalgo(t));
      der(p + "/encryptedKey", kOcts, korvu_cmskeytransrecipientinfo_getenckey(t));
    } else if (const KORVU_CMS_KARI *a = korvu_cmsrecipientinfo_getkari(ri)) {
      const std::string p = q + "/kari";
      const KORVU_CMS_ORGIDORKEY *org = korvu_cmskeyagreerecipientinfo_getoriginator(a);
      der(p + "/version", kInt, korvu_cmskeyagreerecipientinfo_getversion(a));
      der(p + "/originator/issuerAndSerialNumber", kIsn, korvu_cmsorgidorkey_getissuersn(org));
      der(p + "/originator/subjectKeyIdentifier", kOcts, korvu_cmsorgidorkey_getsubkeyid(org));
      der(p + "/originator/originatorKey", KORVU_TYPE_SUBJECTPUBLICKEYINFO, korvu_cmsorgidorkey_getorgkey(org));
      der(p + "/ukm", kOcts, korvu_cmskeyagreerecipientinfo_getukm(a));
      der(p + "/keyEncryptionAlgorithm", kAlg, korvu_cmskeyagreerecipientinfo_getencalgo(a));
      list<KORVU_CMS_RECIPIENTENCKEY>(p + "/recipientEncryptedKeys", korvu_cmskeyagreerecipientinfo_getenckeys(a), [&](P r, auto *k) {
        const KORVU_CMS_KARID *id = korvu_cmsrecipientenckey_getid(k);
        der(r + "/rid/issuerAndSerialNumber", kIsn, korvu_cmskeyagreerecipientid_getissuersn(id));
        if (auto *rk = korvu_cmskeyagreerecipientid_getrkeyid(id)) key_id(r + "/rid/rKeyId", rk, "/subjectKeyIdentifier");
        der(r + "/encryptedKey", kOcts, korvu_cmsrecipientenckey_getenckey(k));
      });
    } else if (const KORVU_CMS_KEKRI *k = korvu_cmsrecipientinfo_getkekri(ri)) {
      der(q + "/kekri/version", kInt, korvu_cmskekrecipientinfo_getversion(k));
      key_id(q + "/kekri/kekid", korvu_cmskekrecipientinfo_getkekid(k), "/keyIdentifier");
      der(q + "/kekri/keyEncryptionAlgorithm", kAlg, korvu_cmskekrecipientinfo_getencalgo(k));
      der(q + "/kekri/encryptedKey", kOcts, korvu_cmskekrecipientinfo_getenckey(k));
    } else if (const KORVU_CMS_PWRI *w = korvu_cmsrecipientinfo_getpwri(ri)) {
      der(q + "/pwri/version", kInt, korvu_cmspwdrecipientinfo_getversion(w));
      der(q + "/pwri/keyDerivationAlgorithm", kAlg, korvu_cmspwdrecipientinfo_getderivalgo(w));
      der(q + "/pwri/keyEncryptionAlgorithm", kAlg, korvu_cmspwdrecipientinfo_getencalgo(w));
      der(q + "/pwri/encryptedKey", kOcts, korvu_cmspwdrecipientinfo_getenckey(w));
    } else if (const KORVU_CMS_ORI *x = korvu_cmsrecipientinfo_getori(ri)) {
      der(q + "/ori/oriType", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_cmsotherrecipientinfo_gettype(x));
      der(q + "/ori/oriValue", KORVU_TYPE_ANY, korvu_cmsotherrecipientinfo_getvalue(x));
    } else {
      ADD_FAILURE() << q << ": a recipient of no kind (" << korvu_cmsrecipientinfo_gettype(ri) << ")";
    }
  }
  void recipients(const KORVU_ASN1_LIST *l, bool pkcs7 = false) {
    list<KORVU_CMS_RECIPIENTINFO>("/recipientInfos", l, [&](P q, auto *ri) { recipient(q, ri, pkcs7); });
  }
  void enc_info(const KORVU_CMS_ENCCONTENTINFO *e) {
    der("/encryptedContentInfo/contentType", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_cmsencryptedcontentinfo_gettype(e));
    der("/encryptedContentInfo/contentEncryptionAlgorithm", kAlg, korvu_cmsencryptedcontentinfo_getalgo(e));
    der("/encryptedContentInfo/encryptedContent", kOcts, korvu_cmsencryptedcontentinfo_getenccontent(e));
  }
};

Dump lib_dump(uint32_t type, const void *v) {
  Dump o;
  if (type == KORVU_TYPE_ENVELOPEDDATA) {
    auto *e = static_cast<const KORVU_CMS_ENVELOPEDDATA *>(v);
    o.der("/version", kInt, korvu_cmsenvelopeddata_getversion(e));
    o.originator_info("/originatorInfo", korvu_cmsenvelopeddata_getoriginator(e));
    o.recipients(korvu_cmsenvelopeddata_getrecipinfos(e));
    o.enc_info(korvu_cmsenvelopeddata_getencinfo(e));
    o.list_der("/unprotectedAttrs", kAttr, korvu_cmsenvelopeddata_getattrs(e));
  } else if (type == KORVU_TYPE_ENCRYPTEDDATA) {
    auto *e = static_cast<const KORVU_CMS_ENCRYPTEDDATA *>(v);
    o.der("/version", kInt, korvu_cmsencrypteddata_getversion(e));
    o.enc_info(korvu_cmsencrypteddata_getencinfo(e));
    o.list_der("/unprotectedAttrs", kAttr, korvu_cmsencrypteddata_getattrs(e));
  } else if (type == KORVU_TYPE_AUTHENTICATEDDATA) {
    auto *a = static_cast<const KORVU_CMS_AUTHDATA *>(v);
    const KORVU_CMS_ENCAPCONTENTINFO *eci = korvu_cmsauthdata_getencapinfo(a);
    o.der("/version", kInt, korvu_cmsauthdata_getversion(a));
    o.originator_info("/originatorInfo", korvu_cmsauthdata_getoriginator(a));
    o.recipients(korvu_cmsauthdata_getrecipinfos(a));
    o.der("/macAlgorithm", kAlg, korvu_cmsauthdata_getmacalgo(a));
    o.der("/digestAlgorithm", kAlg, korvu_cmsauthdata_gethashalgo(a));
    o.der("/encapContentInfo/eContentType", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_cmsencapsulatedcontentinfo_getcontenttype(eci));
    o.der("/encapContentInfo/eContent", kOcts, korvu_cmsencapsulatedcontentinfo_getcontent(eci));
    o.list_der("/authAttrs", kAttr, korvu_cmsauthdata_getauthatrrs(a));
    o.der("/mac", kOcts, korvu_cmsauthdata_getmac(a));
    o.list_der("/unauthAttrs", kAttr, korvu_cmsauthdata_getunauthatrrs(a));
  } else if (type == KORVU_TYPE_DIGESTEDDATA) {
    auto *d = static_cast<const KORVU_PKCS7_DIGESTEDDATA *>(v);
    const KORVU_PKCS7_CONTENTINFO *ci = korvu_pkcs7digesteddata_getcontentinfo(d);
    o.der("/version", kInt, korvu_pkcs7digesteddata_getversion(d));
    o.der("/digestAlgorithm", kAlg, korvu_pkcs7digesteddata_getdigestalgo(d));
    o.der("/contentInfo/contentType", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_pkcs7contentinfo_getcontenttype(ci));
    o.der("/contentInfo/content", KORVU_TYPE_ANY, korvu_pkcs7contentinfo_getcontent(ci));
    o.der("/digest", kOcts, korvu_pkcs7digesteddata_getdigest(d));
  } else if (type == KORVU_TYPE_SIGNEDANDENVELOPEDDATA) {
    auto *d = static_cast<const KORVU_SIGNEDANDENVELOPEDDATA *>(v);
    o.der("/version", kInt, korvu_signedandenvelopeddata_getversion(d));
    o.recipients(korvu_signedandenvelopeddata_getrecipientinfos(d), true);
    o.list_der("/digestAlgorithms", kAlg, korvu_signedandenvelopeddata_getdigestalgorithms(d));
    o.enc_info(korvu_signedandenvelopeddata_getencryptedcontentinfo(d));
    o.list<KORVU_CMS_CERTCHOICE>("/certificates", korvu_signedandenvelopeddata_getcertificates(d), [&](P q, auto *c) {
      o.der(q + "/certificate", KORVU_TYPE_CERTIFICATE, korvu_cmscertchoice_getx509pubkeycert(c));
    });
    o.at["/signerInfos/#"] = std::to_string(korvu_asn1_list_getsize(korvu_signedandenvelopeddata_getsignerinfos(d)));
  }
  return o;
}

// The recipients' kinds in order, each as its choice number and, for key transport and key agreement, the
// kind of its identifier ("0.1" is a key-transport recipient named by its key identifier).
std::string recipient_kinds(const KORVU_ASN1_LIST *l) {
  std::string s;
  for (auto *ri : list_items<KORVU_CMS_RECIPIENTINFO>(l)) {
    s += (s.empty() ? "" : " ") + std::to_string(korvu_cmsrecipientinfo_gettype(ri));
    if (const KORVU_CMS_KTRI *t = korvu_cmsrecipientinfo_getktri(ri))
      s += "." + std::to_string(korvu_cmssignerid_gettype(korvu_cmskeytransrecipientinfo_getrid(t)));
    if (const KORVU_CMS_KARI *a = korvu_cmsrecipientinfo_getkari(ri))
      s += "." + std::to_string(korvu_cmsorgidorkey_gettype(korvu_cmskeyagreerecipientinfo_getoriginator(a)));
  }
  return s;
}

// ---- one message, checked whole ---------------------------------------------------------------------------
struct Checked {
  std::string label, peer;
  Bytes content, der;  // the content as read and as the library writes it
  LibDump lib;
  std::string kinds;  // an EnvelopedData's recipient_kinds()
  bool streamed_as_one;  // its encryptedContent reads as one primitive OCTET STRING
};

// Decodes a message's content as its type: the encoding is stable (encode, decode, encode) and the copy encodes
// the same; the library's reading and encoding are kept for the comparison with pyasn1.
bool check_message(const std::string &label, const Bytes &msg, std::vector<Checked> &out) {
  SCOPED_TRACE(label);
  Bytes content;
  const ContentKind *kind = content_of(msg, &content);
  if (kind == nullptr) return false;
  ErrCtx ctx;
  Val v(kind->type, decode(kind->type, content, ctx));
  EXPECT_NE(v.v, nullptr) << "codes " << ::testing::PrintToString(ctx.codes());
  if (v.v == nullptr) return true;
  const Bytes again = encode(kind->type, v.v);
  Val twice(kind->type, decode(kind->type, again, ctx));
  EXPECT_EQ(twice.v ? encode(kind->type, twice.v) : Bytes{}, again);
  Val copy(kind->type, korvu_asn1_dupobject(kind->type, v.v, ctx));
  EXPECT_EQ(encode(kind->type, copy.v), again);
  auto *ed = kind->type == KORVU_TYPE_ENVELOPEDDATA ? v.as<KORVU_CMS_ENVELOPEDDATA>() : nullptr;
  const auto *c = ed ? korvu_cmsencryptedcontentinfo_getenccontent(korvu_cmsenvelopeddata_getencinfo(ed)) : nullptr;
  out.push_back({label, kind->peer, content, again, lib_dump(kind->type, v.v),
                 ed ? recipient_kinds(korvu_cmsenvelopeddata_getrecipinfos(ed)) : "", c && encode(kOcts, c)[0] == 0x04});
  return true;
}

// Compares every checked message with pyasn1's reading of its content: the library writes the DER pyasn1
// writes (so a DER input comes back byte for byte), and the getters agree component by component. Returns how
// many components agreed.
size_t compare_with_pyasn1(const std::vector<Checked> &checked) {
  const std::string py = pyasn1_python("pyasn1_modules.rfc5652");
  if (py.empty()) return 0;
  std::vector<PeerJob> jobs;
  for (const Checked &c : checked) jobs.push_back({c.label, c.peer, "hex:" + lower_hex(c.content), "ber"});
  const auto dumps = run_asn1_peer(py, jobs);
  size_t n = 0;
  for (const Checked &c : checked) {
    const PeerDump p = dumps.count(c.label) ? dumps.at(c.label) : PeerDump{{}, "no output", {}};
    EXPECT_EQ(p.error, "") << c.label << ": pyasn1 did not read it";
    EXPECT_EQ(lower_hex(c.der), p.get("")) << c.label;
    n += compare_dumps(c.lib, p, c.label);
  }
  return n;
}

// Corpus rows whose content we read; PEM and Base64 text decoded first.
Bytes corpus_message(const ManifestRow &row) {
  const Bytes file = read_file(corpus_dir() + "/" + row.path);
  if (row.encoding != "pem") return file;
  const std::string text(file.begin(), file.end());
  unsigned char *b = nullptr;
  uint32_t n = 0;
  int r = 0;
  for (const char *label : {"PKCS7", "CMS"})
    if ((r = korvu_pemdecode(label, text.data(), static_cast<uint32_t>(text.size()), &b, &n)) == 1) break;
  if (r != 1) r = korvu_base64decode(2, text.data(), static_cast<uint32_t>(text.size()), &b, &n);
  Bytes out = r == 1 ? Bytes(b, b + n) : Bytes{};
  korvu_free(b);
  return out;
}

// Files that must fail, with the reason.
const std::string kGmtSignedEnveloped = "gmt/gmsm__pkcs7_sign_enveloped_smSignedEvelopedTestData.der";
const std::map<std::string, std::string> kExpectedFailures = {
    {"cms/bc-java__NewEnvelopedDataTest_oldKEK.der", "kekri under an explicit [2] (OpenSSL refuses it too)"},
    {"cms/tongsuo__d2i-tests_bad-cms.der", "truncated"},
    {"cms/pyasn1-alt-modules__rfc5794_pem_text_2.der", "KEK date 202009108120000Z has 15 digits"},
    {"cms/pyasn1-alt-modules__rfc5794_pem_text_3.der", "KEK date 202009108120000Z has 15 digits"},
    {kGmtSignedEnveloped, "the recipient's issuer is 00 00, not a Name"},
};

// Messages made by tests/make_enveloped.sh, made once per run; empty when openssl is missing (a failure under
// CI=true).
std::string enveloped_dir() {
  static const std::string dir = [] {
    if (std::system("openssl version >/dev/null 2>&1") != 0) return std::string();
    char tmpl[] = "/tmp/korvu_enveloped_XXXXXX";
    if (mkdtemp(tmpl) == nullptr) return std::string();
    const std::string cmd = "sh " KORVU_SOURCE_DIR "/tests/make_enveloped.sh " + std::string(tmpl) + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0 ? std::string(tmpl) : std::string();
  }();
  if (dir.empty() && under_ci()) ADD_FAILURE() << "openssl missing or failing";
  return dir;
}

}  // namespace

// Every enveloped, encrypted, authenticated, digested and signed-and-enveloped message of the corpus decodes as
// its content type and re-encodes (DER: byte for byte), and its getters agree with pyasn1-modules; the files
// known to be broken fail for their reason (the GM/T one's signer infos, cut out, still decode).
TEST(CmsEnveloped, CorpusMessages) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  std::vector<Checked> checked;
  std::map<uint32_t, size_t> per_type;
  size_t failures = 0;
  for (const auto &row : corpus_manifest()) {
    if (row.type.rfind("ContentInfo", 0) != 0 || (row.family != "cms" && row.family != "gmt")) continue;
    const Bytes msg = corpus_message(row);
    Bytes content;
    const ContentKind *kind = content_of(msg, &content);
    auto bad = kExpectedFailures.find(row.path);
    if (bad == kExpectedFailures.end()) {
      if (kind) per_type[kind->type]++;
      check_message(row.path, msg, checked);
      continue;
    }
    SCOPED_TRACE(row.path + ": " + bad->second);
    ErrCtx ctx;
    EXPECT_EQ(kind ? decode(kind->type, content, ctx) : decode(kCi, msg, ctx), nullptr);  // truncated: as a ContentInfo
    EXPECT_GT(ctx.count(), 0u);
    if (row.path == kGmtSignedEnveloped) {
      const std::vector<Bytes> parts = der_elements(content);
      ASSERT_FALSE(parts.empty());
      Val signers(KORVU_TYPE_SIGNERINFOS, decode(KORVU_TYPE_SIGNERINFOS, parts.back(), ctx));
      EXPECT_EQ(korvu_asn1_list_getsize(signers.as<KORVU_ASN1_LIST>()), 1);
    }
    failures++;
  }
  EXPECT_EQ(failures, kExpectedFailures.size());
  EXPECT_EQ(per_type, (std::map<uint32_t, size_t>{{KORVU_TYPE_ENVELOPEDDATA, 51}, {KORVU_TYPE_ENCRYPTEDDATA, 7},
      {KORVU_TYPE_AUTHENTICATEDDATA, 4}, {KORVU_TYPE_DIGESTEDDATA, 3}, {KORVU_TYPE_SIGNEDANDENVELOPEDDATA, 1}}));
  EXPECT_GT(compare_with_pyasn1(checked), 500u);
}

// Fresh openssl messages of every recipient kind decode, re-encode as pyasn1 writes them and agree with it; the
// recipients are of the kinds asked for, the streamed message's content arrives as one OCTET STRING, and
// `korvu-asn1 decode --type 111 --summary` names each recipient's kind and identifier, the algorithms and the content.
TEST(CmsEnveloped, OpensslMessages) {
  const std::string dir = enveloped_dir();
  if (dir.empty()) GTEST_SKIP() << "no openssl";
  const std::map<std::string, std::pair<std::string, std::vector<std::string>>> files = {
      {"ktri.der", {"0.0", {}}}, {"ktri_oaep.der", {"0.0", {}}}, {"stream.ber", {"0.0", {}}}, {"sm4.der", {"0.0", {}}},
      {"ktri_keyid.der", {"0.1", {"recipient 1: ktri subjectKeyIdentifier "}}},
      {"kari_ec.der", {"1.2", {}}}, {"kari_dh.der", {"1.2", {}}},
      {"several.der", {"0.0 0.0 1.2", {"version: 2", "recipient 1: ktri issuerAndSerialNumber CN=CA, serial ",
                                       "recipient 3: kari originator key 1.2.840.10045.2.1; for issuerAndSerialNumber CN=ec",
                                       "contentEncryptionAlgorithm: 2.16.840.1.101.3.4.1.2", "content: 1.2.840.113549.1.7.1, 32 octets"}}},
      {"kekri.der", {"2", {"recipient 1: kekri keyIdentifier 0A0B0C"}}},
      {"pwri.der", {"3", {"version: 3", "recipient 1: pwri keyDerivationAlgorithm 1.2.840.113549.1.5.12"}}},
      {"encrypted.der",
       {"", {"contentType: encryptedData (1.2.840.113549.1.7.6)", "version: 0", "content: 1.2.840.113549.1.7.1, 32 octets"}}},
      {"digested.der", {"", {"digestAlgorithm: 2.16.840.1.101.3.4.2.1", "content: data (1.2.840.113549.1.7.1), 18 octets"}}}};
  std::vector<Checked> checked;
  for (const auto &[name, want] : files) {
    ASSERT_TRUE(check_message(name, read_file(dir + "/" + name), checked)) << name;
    EXPECT_EQ(checked.back().kinds, want.first) << name;
    EXPECT_EQ(checked.back().streamed_as_one, !want.first.empty()) << name;
    int status = -1;
    const std::string out = run_command(std::string(KORVU_TOOL_PATH) + " decode --type 111 --summary " + dir + "/" + name, &status);
    EXPECT_EQ(status, 0) << name;
    for (const std::string &l : want.second) EXPECT_NE(out.find("\n" + l), std::string::npos) << name << ": " << l << "\n" << out;
  }
  EXPECT_GT(compare_with_pyasn1(checked), 80u);
}

// An AuthenticatedData and an EnvelopedData built with the constructors from the parts of fresh messages carry
// what OpenSSL does not make (originator certificates and CRLs, a digest algorithm, authenticated and
// unauthenticated attributes, an issuer-and-serial originator with ukm, an other recipient, unprotected attributes,
// absent content) and agree with pyasn1 after a round trip.
TEST(CmsEnveloped, BuiltMessages) {
  const std::string dir = enveloped_dir(), made = openssl_made_dir();
  if (dir.empty() || made.empty()) GTEST_SKIP() << "no openssl";
  ErrCtx ctx;
  OwnedValues m;
  auto first = [&](const char *name) {
    Bytes content;
    content_of(read_file(dir + "/" + name), &content);
    auto *e = m.der<KORVU_CMS_ENVELOPEDDATA>(KORVU_TYPE_ENVELOPEDDATA, content);
    return list_items<KORVU_CMS_RECIPIENTINFO>(korvu_cmsenvelopeddata_getrecipinfos(e))[0];
  };
  auto oid = [&](const char *t) { return m.own<KORVU_ASN1_OID>(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new(t)); };
  auto octs = [&](const char *t) {
    return m.own<KORVU_ASN1_OCTETSTRING>(kOcts, korvu_asn1_octetstring_new(t, static_cast<int32_t>(std::strlen(t))));
  };
  auto alg = [&](const char *t) { return m.own<KORVU_X509_ALGID>(kAlg, korvu_x509algoid_new_without_param(oid(t))); };
  // Recipients: key transport, key agreement named by issuer and serial with ukm, KEK, password, other.
  const KORVU_CMS_RECIPIENTINFO *ktri = first("ktri.der");
  const KORVU_CMS_KARI *ka = korvu_cmsrecipientinfo_getkari(first("kari_ec.der"));
  auto *rek = list_items<KORVU_CMS_RECIPIENTENCKEY>(korvu_cmskeyagreerecipientinfo_getenckeys(ka))[0];
  auto *isn = korvu_cmskeyagreerecipientid_getissuersn(korvu_cmsrecipientenckey_getid(rek));
  auto *org = m.own<KORVU_CMS_ORGIDORKEY>(KORVU_TYPE_ORIGINATORIDENTIFIERORKEY, korvu_cmsorgidorkey_newissuersn(isn));
  auto *kari = m.own<KORVU_CMS_KARI>(KORVU_TYPE_KEYAGREERECIPIENTINFO, korvu_cmskeyagreerecipientinfo_new(
      korvu_cmskeyagreerecipientinfo_getversion(ka), org, octs("ukm"), korvu_cmskeyagreerecipientinfo_getencalgo(ka),
      korvu_cmskeyagreerecipientinfo_getenckeys(ka)));
  auto *ori = m.own<KORVU_CMS_ORI>(KORVU_TYPE_OTHERRECIPIENTINFO, korvu_cmsotherrecipientinfo_new(
      oid("1.2.3.4"), m.own<KORVU_ASN1_ANY>(KORVU_TYPE_ANY, korvu_asn1_any_new(0, 1, 5, 0, nullptr, 0))));
  KORVU_ASN1_LIST *rl = m.take(KORVU_TYPE_RECIPIENTINFOS,
      {korvu_asn1_dupobject(KORVU_TYPE_RECIPIENTINFO, ktri, ctx), korvu_cmsrecipientinfo_newkari(kari),
       korvu_asn1_dupobject(KORVU_TYPE_RECIPIENTINFO, first("kekri.der"), ctx),
       korvu_asn1_dupobject(KORVU_TYPE_RECIPIENTINFO, first("pwri.der"), ctx), korvu_cmsrecipientinfo_newori(ori)});
  // Originator certificates and CRLs; attributes.
  const Bytes cert_pem = read_file(dir + "/r1.pem"), crl_pem = read_file(made + "/full.pem");
  const auto size = [](const Bytes &b) { return static_cast<int32_t>(b.size()); };
  auto *cert = m.own<KORVU_X509_CERT>(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(cert_pem.data(), size(cert_pem), ctx));
  auto *crl = m.own<KORVU_X509_CRL>(KORVU_TYPE_CERTIFICATELIST, korvu_x509crl_new(crl_pem.data(), size(crl_pem), ctx));
  ASSERT_TRUE(cert && crl);
  KORVU_ASN1_LIST *crls = m.take(KORVU_TYPE_REVOCATIONINFOCHOICES, {korvu_cmsrevinfochoice_newcrl(crl)});
  auto *oi = m.own<KORVU_CMS_ORIGINATORINFO>(KORVU_TYPE_ORIGINATORINFO, korvu_cmsoriginatorinfo_new(
      m.take(KORVU_TYPE_CERTIFICATESET, {korvu_cmscertchoice_newx509pubkeycert(cert)}), crls));
  auto *oi_crls = m.own<KORVU_CMS_ORIGINATORINFO>(KORVU_TYPE_ORIGINATORINFO, korvu_cmsoriginatorinfo_new(nullptr, crls));
  auto *al = m.der<KORVU_ASN1_LIST>(KORVU_TYPE_ATTRIBUTES, hex("311A301806092A864886F70D010903310B06092A864886F70D010701"));
  const KORVU_ASN1_INTEGER *version = korvu_cmskeytransrecipientinfo_getversion(korvu_cmsrecipientinfo_getktri(ktri));
  auto *encap = m.own<KORVU_CMS_ENCAPCONTENTINFO>(KORVU_TYPE_ENCAPSULATEDCONTENTINFO,
      korvu_cmsencapsulatedcontentinfo_new(oid("1.2.840.113549.1.7.1"), octs("content")));
  auto *auth = m.own<KORVU_CMS_AUTHDATA>(KORVU_TYPE_AUTHENTICATEDDATA, korvu_cmsauthdata_new(
      version, oi, rl, alg("1.2.840.113549.2.9"), alg("2.16.840.1.101.3.4.2.1"), encap, al, octs("0123456789abcdef"), al));
  auto *bare = m.own<KORVU_CMS_ENCCONTENTINFO>(KORVU_TYPE_ENCRYPTEDCONTENTINFO,
      korvu_cmsencryptedcontentinfo_new(oid("1.2.840.113549.1.7.1"), alg("2.16.840.1.101.3.4.1.2"), nullptr));
  void *env = m.own(KORVU_TYPE_ENVELOPEDDATA, korvu_cmsenvelopeddata_new(version, oi_crls, rl, bare, al));
  ASSERT_TRUE(auth && env);
  EXPECT_EQ(korvu_cmsauthdata_hashashalgo(auth), 1);
  EXPECT_EQ(korvu_cmsencryptedcontentinfo_hasenccontent(bare) + korvu_cmsoriginatorinfo_hascerts(oi_crls), 0);
  EXPECT_EQ(recipient_kinds(korvu_cmsauthdata_getrecipinfos(auth)), "0.0 1.0 2 3 4");
  std::vector<Checked> checked;
  for (const auto &[label, type, ct, v] : {std::tuple<const char *, uint32_t, const char *, void *>{
           "auth", KORVU_TYPE_AUTHENTICATEDDATA, "1.2.840.113549.1.9.16.1.2", auth},
       {"env", KORVU_TYPE_ENVELOPEDDATA, "1.2.840.113549.1.7.3", env}}) {
    Val content(KORVU_TYPE_ANY, decode(KORVU_TYPE_ANY, encode(type, v), ctx));
    Val ci(kCi, korvu_pkcs7contentinfo_new(oid(ct), content.as<KORVU_ASN1_ANY>()));
    EXPECT_TRUE(check_message(label, encode(kCi, ci.v), checked));
  }
  EXPECT_GT(compare_with_pyasn1(checked), 40u);
}

namespace {
// The names openssl asn1parse gives the components of the outer element, comma-separated (empty when it refuses it).
std::string asn1parse_outline(const Bytes &der) {
  const std::string path = std::string(::testing::TempDir()) + "/korvu_gmt_" + std::to_string(getpid()) + ".der";
  ocsp::write_file(path, der);
  return run_command("openssl asn1parse -inform DER -in " + path +
                     R"( | awk -F': ' '/d=1 /{split($2, a, "  "); sub(/:.*/, "", a[1]); printf "%s%s", (n++ ? "," : ""), a[1]}')");
}

}  // namespace

// tests/data/cms_enveloped.txt through the common runner (written back as read, every prefix refused, bad input
// refused with its code); each valid value's copy encodes the same, and it is read by pyasn1-modules to the same
// DER or parsed by openssl asn1parse into the components its shape predicts.
TEST(CmsEnveloped, Vectors) {
  run_hex_vectors("cms_enveloped.txt", 41, 13);
  const std::string py = pyasn1_python("pyasn1_modules.rfc5652");
  const bool openssl = std::system("openssl version >/dev/null 2>&1") == 0;
  std::vector<PeerJob> jobs;
  std::map<std::string, Bytes> want;
  size_t outlines = 0;
  for (VectorRow &v : valid_vectors("cms_enveloped.txt")) {
    SCOPED_TRACE(std::to_string(v.type) + " " + to_hex(v.in));
    ErrCtx ctx;
    Val val(v.type, decode(v.type, v.in, ctx)), copy(v.type, korvu_asn1_dupobject(v.type, val.v, ctx));
    EXPECT_EQ(encode(v.type, copy.v), v.in);
    std::replace(v.name.begin(), v.name.end(), '_', ' ');
    if (v.name.rfind("gmt=", 0) == 0 && openssl) {
      EXPECT_EQ(asn1parse_outline(v.in), v.name.substr(4));
      outlines++;
    } else if (v.name.find('.') != std::string::npos) {
      jobs.push_back({std::to_string(jobs.size()), v.name, "hex:" + lower_hex(v.in), ""});
      want[jobs.back().label] = v.in;
    }
  }
  EXPECT_GE(outlines, openssl ? 25u : 0u);
  if (py.empty()) return;
  for (const auto &[label, dump] : run_asn1_peer(py, jobs)) {
    EXPECT_EQ(dump.error, "") << label;
    EXPECT_EQ(dump.get(""), lower_hex(want[label])) << label;
  }
}

// The GM/T constructors: an SM9 identifier without a version and one with INTEGER 1 write no version (and read
// back as 1), version 2 is written; SignedAndEnvelopedData says whether it carries certificates.
TEST(CmsEnveloped, GmtConstructors) {
  std::map<uint32_t, Bytes> first;  // the first valid vector of each type
  for (const VectorRow &v : valid_vectors("cms_enveloped.txt")) first.insert({v.type, v.in});
  const Bytes id_der = first[KORVU_TYPE_SM9_IDENTIFIER], sed_der = first[KORVU_TYPE_SIGNEDANDENVELOPEDDATA];
  ErrCtx ctx;
  Val id(KORVU_TYPE_SM9_IDENTIFIER, decode(KORVU_TYPE_SM9_IDENTIFIER, id_der, ctx));
  auto *i = id.as<KORVU_SM9_IDENTIFIER>();
  ASSERT_NE(i, nullptr);
  int32_t n = 0;
  EXPECT_EQ(korvu_asn1_integer_getlong(korvu_sm9identifier_getversion(i), &n), 1);
  EXPECT_EQ(n, 1);
  const unsigned char one = 1, two = 2;
  Val v1(kInt, korvu_asn1_integer_new(&one, 1)), v2(kInt, korvu_asn1_integer_new(&two, 1));
  for (auto *version : {static_cast<KORVU_ASN1_INTEGER *>(nullptr), v1.as<KORVU_ASN1_INTEGER>(), v2.as<KORVU_ASN1_INTEGER>()}) {
    Val built(KORVU_TYPE_SM9_IDENTIFIER, korvu_sm9identifier_new(version, korvu_sm9identifier_getibctype(i), nullptr,
        korvu_sm9identifier_getidentitydata(i), korvu_sm9identifier_getvalidstart(i), nullptr, nullptr));
    const Bytes der = encode(KORVU_TYPE_SM9_IDENTIFIER, built.v);
    if (version == v2.v) EXPECT_EQ(Bytes(der.begin() + 2, der.begin() + 5), hex("02 01 02"));
    else EXPECT_EQ(der, id_der);
  }
  // SignedAndEnvelopedData with and without certificates.
  Val sed(KORVU_TYPE_SIGNEDANDENVELOPEDDATA, decode(KORVU_TYPE_SIGNEDANDENVELOPEDDATA, sed_der, ctx));
  auto *s = sed.as<KORVU_SIGNEDANDENVELOPEDDATA>();
  ASSERT_NE(s, nullptr);
  Val certs(KORVU_TYPE_CERTIFICATESET, korvu_asn1_list_new());
  for (const KORVU_ASN1_LIST *c : {static_cast<KORVU_ASN1_LIST *>(nullptr), certs.as<KORVU_ASN1_LIST>()}) {
    Val b(KORVU_TYPE_SIGNEDANDENVELOPEDDATA, korvu_signedandenvelopeddata_new(
        korvu_signedandenvelopeddata_getversion(s), korvu_signedandenvelopeddata_getrecipientinfos(s),
        korvu_signedandenvelopeddata_getdigestalgorithms(s), korvu_signedandenvelopeddata_getencryptedcontentinfo(s), c,
        nullptr, korvu_signedandenvelopeddata_getsignerinfos(s)));
    auto *built = b.as<KORVU_SIGNEDANDENVELOPEDDATA>();
    EXPECT_EQ(korvu_signedandenvelopeddata_hascertificates(built), c ? 1 : 0);
    EXPECT_EQ(korvu_signedandenvelopeddata_getcertificates(built) != nullptr, c != nullptr);
    EXPECT_EQ(korvu_signedandenvelopeddata_hascrls(built), 0);
    if (c == nullptr) { EXPECT_EQ(encode(KORVU_TYPE_SIGNEDANDENVELOPEDDATA, b.v), sed_der); }
  }
}
