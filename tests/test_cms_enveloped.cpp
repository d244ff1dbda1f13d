// Enveloped, encrypted, authenticated and digested messages (RFC 5652, RFC 2315) and the GM/T variants: corpus
// files and fresh openssl output decoded as their content types and compared with pyasn1-modules
// (tests/asn1_peer.py), messages built with the constructors, the vectors of tests/data/cms_enveloped.txt, and
// malformed input.
#include <cstring>
#include <functional>
#include <memory>
#include <tuple>

#include "peer_compare.h"

using namespace korvu_test;

namespace {

constexpr uint32_t kCi = KORVU_TYPE_CONTENTINFO;

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
void originator_info(LibDump &o, const std::string &p, const KORVU_CMS_ORIGINATORINFO *oi) {
  if (oi == nullptr) o.at[p] = "-";
  o.list<KORVU_CMS_CERTCHOICE>(p + "/certs", korvu_cmsoriginatorinfo_getcerts(oi), [&](auto &q, auto *c) {
    o.der(q + "/certificate", KORVU_TYPE_CERTIFICATE, korvu_cmscertchoice_getx509pubkeycert(c));
  });
  o.list<KORVU_CMS_REVINFOCHOICE>(p + "/crls", korvu_cmsoriginatorinfo_getcrls(oi), [&](auto &q, auto *c) {
    o.der(q + "/crl", KORVU_TYPE_CERTIFICATELIST, korvu_cmsrevinfochoice_getcrl(c));
  });
}

void key_id(LibDump &o, const std::string &p, const KORVU_CMS_RECIPIENTKEYID *k, const char *first) {
  o.der(p + first, KORVU_TYPE_OCTET_STRING, korvu_cmsrecipientkeyid_getsubkeyid(k));
  o.der(p + "/date", KORVU_TYPE_GENERALIZEDTIME, korvu_cmsrecipientkeyid_getdate(k));
  o.der(p + "/other", KORVU_TYPE_OTHERKEYATTRIBUTE, korvu_cmsrecipientkeyid_getotherattr(k));
}

void recipient_infos(LibDump &o, const std::string &path, const KORVU_ASN1_LIST *l, bool pkcs7) {
  constexpr uint32_t kAlg = KORVU_TYPE_ALGORITHMIDENTIFIER, kOcts = KORVU_TYPE_OCTET_STRING;
  o.list<KORVU_CMS_RECIPIENTINFO>(path, l, [&](const std::string &q, const KORVU_CMS_RECIPIENTINFO *ri) {
    if (const KORVU_CMS_KTRI *t = korvu_cmsrecipientinfo_getktri(ri)) {
      const std::string p = pkcs7 ? q : q + "/ktri";
      const KORVU_CMS_SIGNERID *rid = korvu_cmskeytransrecipientinfo_getrid(t);
      o.der(p + "/version", KORVU_TYPE_INTEGER, korvu_cmskeytransrecipientinfo_getversion(t));
      o.der(p + (pkcs7 ? "/issuerAndSerialNumber" : "/rid/issuerAndSerialNumber"), KORVU_TYPE_ISSUERANDSERIALNUMBER,
            korvu_cmssignerid_getissuersn(rid));
      if (!pkcs7) o.der(p + "/rid/subjectKeyIdentifier", kOcts, korvu_cmssignerid_getkeyid(rid));
      o.der(p + "/keyEncryptionAlgorithm", kAlg, korvu_cmskeytransrecipientinfo_getencalgo(t));
      o.der(p + "/encryptedKey", kOcts, korvu_cmskeytransrecipientinfo_getenckey(t));
    } else if (const KORVU_CMS_KARI *a = korvu_cmsrecipientinfo_getkari(ri)) {
      const std::string p = q + "/kari";
      const KORVU_CMS_ORGIDORKEY *org = korvu_cmskeyagreerecipientinfo_getoriginator(a);
      o.der(p + "/version", KORVU_TYPE_INTEGER, korvu_cmskeyagreerecipientinfo_getversion(a));
      o.der(p + "/originator/issuerAndSerialNumber", KORVU_TYPE_ISSUERANDSERIALNUMBER,
            korvu_cmsorgidorkey_getissuersn(org));
      o.der(p + "/originator/subjectKeyIdentifier", kOcts, korvu_cmsorgidorkey_getsubkeyid(org));
      o.der(p + "/originator/originatorKey", KORVU_TYPE_SUBJECTPUBLICKEYINFO, korvu_cmsorgidorkey_getorgkey(org));
      o.der(p + "/ukm", kOcts, korvu_cmskeyagreerecipientinfo_getukm(a));
      o.der(p + "/keyEncryptionAlgorithm", kAlg, korvu_cmskeyagreerecipientinfo_getencalgo(a));
      o.list<KORVU_CMS_RECIPIENTENCKEY>(
          p + "/recipientEncryptedKeys", korvu_cmskeyagreerecipientinfo_getenckeys(a), [&](auto &r, auto *k) {
            const KORVU_CMS_KARID *id = korvu_cmsrecipientenckey_getid(k);
            o.der(r + "/rid/issuerAndSerialNumber", KORVU_TYPE_ISSUERANDSERIALNUMBER,
                  korvu_cmskeyagreerecipientid_getissuersn(id));
            if (const KORVU_CMS_RECIPIENTKEYID *rk = korvu_cmskeyagreerecipientid_getrkeyid(id))
              key_id(o, r + "/rid/rKeyId", rk, "/subjectKeyIdentifier");
            o.der(r + "/encryptedKey", kOcts, korvu_cmsrecipientenckey_getenckey(k));
          });
    } else if (const KORVU_CMS_KEKRI *k = korvu_cmsrecipientinfo_getkekri(ri)) {
      const std::string p = q + "/kekri";
      o.der(p + "/version", KORVU_TYPE_INTEGER, korvu_cmskekrecipientinfo_getversion(k));
      key_id(o, p + "/kekid", korvu_cmskekrecipientinfo_getkekid(k), "/keyIdentifier");
      o.der(p + "/keyEncryptionAlgorithm", kAlg, korvu_cmskekrecipientinfo_getencalgo(k));
      o.der(p + "/encryptedKey", kOcts, korvu_cmskekrecipientinfo_getenckey(k));
    } else if (const KORVU_CMS_PWRI *w = korvu_cmsrecipientinfo_getpwri(ri)) {
      const std::string p = q + "/pwri";
      o.der(p + "/version", KORVU_TYPE_INTEGER, korvu_cmspwdrecipientinfo_getversion(w));
      o.der(p + "/keyDerivationAlgorithm", kAlg, korvu_cmspwdrecipientinfo_getderivalgo(w));
      o.der(p + "/keyEncryptionAlgorithm", kAlg, korvu_cmspwdrecipientinfo_getencalgo(w));
      o.der(p + "/encryptedKey", kOcts, korvu_cmspwdrecipientinfo_getenckey(w));
    } else if (const KORVU_CMS_ORI *x = korvu_cmsrecipientinfo_getori(ri)) {
      o.der(q + "/ori/oriType", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_cmsotherrecipientinfo_gettype(x));
      o.der(q + "/ori/oriValue", KORVU_TYPE_ANY, korvu_cmsotherrecipientinfo_getvalue(x));
    } else {
      ADD_FAILURE() << q << ": a recipient of no kind (" << korvu_cmsrecipientinfo_gettype(ri) << ")";
    }
  });
}

void enc_info(LibDump &o, const std::string &p, const KORVU_CMS_ENCCONTENTINFO *e) {
  o.der(p + "/contentType", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_cmsencryptedcontentinfo_gettype(e));
  o.der(p + "/contentEncryptionAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_cmsencryptedcontentinfo_getalgo(e));
  o.der(p + "/encryptedContent", KORVU_TYPE_OCTET_STRING, korvu_cmsencryptedcontentinfo_getenccontent(e));
}

LibDump lib_dump(uint32_t type, const void *v) {
  LibDump o;
  if (type == KORVU_TYPE_ENVELOPEDDATA) {
    auto *e = static_cast<const KORVU_CMS_ENVELOPEDDATA *>(v);
    o.der("/version", KORVU_TYPE_INTEGER, korvu_cmsenvelopeddata_getversion(e));
    originator_info(o, "/originatorInfo", korvu_cmsenvelopeddata_getoriginator(e));
    recipient_infos(o, "/recipientInfos", korvu_cmsenvelopeddata_getrecipinfos(e), false);
    enc_info(o, "/encryptedContentInfo", korvu_cmsenvelopeddata_getencinfo(e));
    o.list_der("/unprotectedAttrs", KORVU_TYPE_ATTRIBUTE_PLAIN, korvu_cmsenvelopeddata_getattrs(e));
  } else if (type == KORVU_TYPE_ENCRYPTEDDATA) {
    auto *e = static_cast<const KORVU_CMS_ENCRYPTEDDATA *>(v);
    o.der("/version", KORVU_TYPE_INTEGER, korvu_cmsencrypteddata_getversion(e));
    enc_info(o, "/encryptedContentInfo", korvu_cmsencrypteddata_getencinfo(e));
    o.list_der("/unprotectedAttrs", KORVU_TYPE_ATTRIBUTE_PLAIN, korvu_cmsencrypteddata_getattrs(e));
  } else if (type == KORVU_TYPE_AUTHENTICATEDDATA) {
    auto *a = static_cast<const KORVU_CMS_AUTHDATA *>(v);
    o.der("/version", KORVU_TYPE_INTEGER, korvu_cmsauthdata_getversion(a));
    originator_info(o, "/originatorInfo", korvu_cmsauthdata_getoriginator(a));
    recipient_infos(o, "/recipientInfos", korvu_cmsauthdata_getrecipinfos(a), false);
    o.der("/macAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_cmsauthdata_getmacalgo(a));
    o.der("/digestAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_cmsauthdata_gethashalgo(a));
    const KORVU_CMS_ENCAPCONTENTINFO *eci = korvu_cmsauthdata_getencapinfo(a);
    o.der("/encapContentInfo/eContentType", KORVU_TYPE_OBJECT_IDENTIFIER,
          korvu_cmsencapsulatedcontentinfo_getcontenttype(eci));
    o.der("/encapContentInfo/eContent", KORVU_TYPE_OCTET_STRING, korvu_cmsencapsulatedcontentinfo_getcontent(eci));
    o.list_der("/authAttrs", KORVU_TYPE_ATTRIBUTE_PLAIN, korvu_cmsauthdata_getauthatrrs(a));
    o.der("/mac", KORVU_TYPE_OCTET_STRING, korvu_cmsauthdata_getmac(a));
    o.list_der("/unauthAttrs", KORVU_TYPE_ATTRIBUTE_PLAIN, korvu_cmsauthdata_getunauthatrrs(a));
  } else if (type == KORVU_TYPE_DIGESTEDDATA) {
    auto *d = static_cast<const KORVU_PKCS7_DIGESTEDDATA *>(v);
    const KORVU_PKCS7_CONTENTINFO *ci = korvu_pkcs7digesteddata_getcontentinfo(d);
    o.der("/version", KORVU_TYPE_INTEGER, korvu_pkcs7digesteddata_getversion(d));
    o.der("/digestAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_pkcs7digesteddata_getdigestalgo(d));
    o.der("/contentInfo/contentType", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_pkcs7contentinfo_getcontenttype(ci));
    o.der("/contentInfo/content", KORVU_TYPE_ANY, korvu_pkcs7contentinfo_getcontent(ci));
    o.der("/digest", KORVU_TYPE_OCTET_STRING, korvu_pkcs7digesteddata_getdigest(d));
  } else if (type == KORVU_TYPE_SIGNEDANDENVELOPEDDATA) {
    auto *d = static_cast<const KORVU_SIGNEDANDENVELOPEDDATA *>(v);
    o.der("/version", KORVU_TYPE_INTEGER, korvu_signedandenvelopeddata_getversion(d));
    recipient_infos(o, "/recipientInfos", korvu_signedandenvelopeddata_getrecipientinfos(d), true);
    o.list_der("/digestAlgorithms", KORVU_TYPE_ALGORITHMIDENTIFIER,
               korvu_signedandenvelopeddata_getdigestalgorithms(d));
    enc_info(o, "/encryptedContentInfo", korvu_signedandenvelopeddata_getencryptedcontentinfo(d));
    o.list<KORVU_CMS_CERTCHOICE>(
        "/certificates", korvu_signedandenvelopeddata_getcertificates(d), [&](auto &q, auto *c) {
          o.der(q + "/certificate", KORVU_TYPE_CERTIFICATE, korvu_cmscertchoice_getx509pubkeycert(c));
        });
    o.at["/signerInfos/#"] = std::to_string(korvu_asn1_list_getsize(korvu_signedandenvelopeddata_getsignerinfos(d)));
  }
  return o;
}

// ---- one message, checked whole ---------------------------------------------------------------------------
struct Checked {
  std::string label, peer;
  Bytes content, der;  // the content as read and as the library writes it
  LibDump lib;
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
  EXPECT_NE(v.v, nullptr) << "code " << std::hex << (ctx.codes().empty() ? 0u : ctx.codes()[0]);
  if (v.v == nullptr) return true;
  const Bytes again = encode(kind->type, v.v);
  Val twice(kind->type, decode(kind->type, again, ctx));
  EXPECT_EQ(twice.v ? encode(kind->type, twice.v) : Bytes{}, again);
  Val copy(kind->type, korvu_asn1_dupobject(kind->type, v.v, ctx));
  EXPECT_EQ(encode(kind->type, copy.v), again);
  out.push_back({label, kind->peer, content, again, lib_dump(kind->type, v.v)});
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
    auto it = dumps.find(c.label);
    if (it == dumps.end() || !it->second.error.empty()) {
      ADD_FAILURE() << c.label << ": pyasn1 did not read it " << (it == dumps.end() ? "" : it->second.error);
      continue;
    }
    EXPECT_EQ(lower_hex(c.der), it->second.get("")) << c.label;
    n += compare_dumps(c.lib, it->second, c.label);
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
const std::map<std::string, std::string> kExpectedFailures = {
    {"cms/bc-java__NewEnvelopedDataTest_oldKEK.der", "kekri under an explicit [2] (OpenSSL refuses it too)"},
    {"cms/tongsuo__d2i-tests_bad-cms.der", "truncated"},
    {"cms/pyasn1-alt-modules__rfc5794_pem_text_2.der", "KEK date 202009108120000Z has 15 digits"},
    {"cms/pyasn1-alt-modules__rfc5794_pem_text_3.der", "KEK date 202009108120000Z has 15 digits"},
    {"gmt/gmsm__pkcs7_sign_enveloped_smSignedEvelopedTestData.der", "the recipient's issuer is 00 00, not a Name"},
};

}  // namespace

// Every enveloped, encrypted, authenticated, digested and signed-and-enveloped message of the corpus decodes as
// its content type and re-encodes (DER: byte for byte), and its getters agree with pyasn1-modules; the files
// known to be broken fail for their reason.
TEST(CmsEnveloped, CorpusMessages) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  std::vector<Checked> checked;
  std::map<uint32_t, size_t> per_type;
  size_t failures = 0;
  for (const auto &row : corpus_manifest()) {
    if (row.type.rfind("ContentInfo", 0) != 0 || (row.family != "cms" && row.family != "gmt")) continue;
    const Bytes msg = corpus_message(row);
    auto bad = kExpectedFailures.find(row.path);
    if (bad != kExpectedFailures.end()) {
      SCOPED_TRACE(row.path + ": " + bad->second);
      ErrCtx ctx;
      Bytes content;
      const ContentKind *kind = content_of(msg, &content);
      if (kind == nullptr) {  // the truncated file fails as a ContentInfo already
        EXPECT_EQ(decode(kCi, msg, ctx), nullptr);
      } else {
        EXPECT_EQ(decode(kind->type, content, ctx), nullptr);
        EXPECT_GT(ctx.count(), 0u);
      }
      failures++;
      continue;
    }
    Bytes content;
    if (const ContentKind *k = content_of(msg, &content)) per_type[k->type]++;
    check_message(row.path, msg, checked);
  }
  EXPECT_EQ(failures, kExpectedFailures.size());
  EXPECT_GE(per_type[KORVU_TYPE_ENVELOPEDDATA], 45u);
  EXPECT_GE(per_type[KORVU_TYPE_ENCRYPTEDDATA], 7u);
  EXPECT_GE(per_type[KORVU_TYPE_AUTHENTICATEDDATA], 4u);
  EXPECT_GE(per_type[KORVU_TYPE_DIGESTEDDATA], 3u);
  EXPECT_GE(per_type[KORVU_TYPE_SIGNEDANDENVELOPEDDATA], 1u);
  EXPECT_GT(compare_with_pyasn1(checked), 500u);
}

namespace {

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

}  // namespace

// Fresh openssl messages of every recipient kind decode, re-encode as pyasn1 writes them and agree with it; the
// recipients are of the kinds asked for, and the streamed message's content arrives as one OCTET STRING.
TEST(CmsEnveloped, OpensslMessages) {
  const std::string dir = enveloped_dir();
  if (dir.empty()) GTEST_SKIP() << "no openssl";
  const std::map<std::string, std::string> kinds = {
      {"ktri.der", "0.0"},    {"ktri_keyid.der", "0.1"}, {"ktri_oaep.der", "0.0"},
      {"kari_ec.der", "1.2"}, {"kari_dh.der", "1.2"},    {"several.der", "0.0 0.0 1.2"},
      {"kekri.der", "2"},     {"pwri.der", "3"},         {"stream.ber", "0.0"},
      {"sm4.der", "0.0"},     {"encrypted.der", ""},     {"digested.der", ""}};
  std::vector<Checked> checked;
  for (const auto &[name, want] : kinds) {
    const Bytes msg = read_file(dir + "/" + name);
    ASSERT_TRUE(check_message(name, msg, checked)) << name;
    Bytes content;
    const ContentKind *k = content_of(msg, &content);
    ErrCtx ctx;
    Val v(k->type, decode(k->type, content, ctx));
    if (k->type != KORVU_TYPE_ENVELOPEDDATA) continue;
    auto *ed = v.as<KORVU_CMS_ENVELOPEDDATA>();
    EXPECT_EQ(recipient_kinds(korvu_cmsenvelopeddata_getrecipinfos(ed)), want) << name;
    const KORVU_ASN1_OCTETSTRING *c =
        korvu_cmsencryptedcontentinfo_getenccontent(korvu_cmsenvelopeddata_getencinfo(ed));
    EXPECT_EQ(encode(KORVU_TYPE_OCTET_STRING, c)[0], 0x04) << name;
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
  std::vector<std::unique_ptr<Val>> keep;  // every value built, freed at the end
  auto own = [&](uint32_t type, void *v) {
    keep.push_back(std::make_unique<Val>(type, v));
    return v;
  };
  auto first = [&](const char *name) {
    Bytes content;
    content_of(read_file(dir + "/" + name), &content);
    auto *e = static_cast<KORVU_CMS_ENVELOPEDDATA *>(
        own(KORVU_TYPE_ENVELOPEDDATA, decode(KORVU_TYPE_ENVELOPEDDATA, content, ctx)));
    return list_items<KORVU_CMS_RECIPIENTINFO>(korvu_cmsenvelopeddata_getrecipinfos(e))[0];
  };
  auto oid = [&](const char *t) {
    return static_cast<KORVU_ASN1_OID *>(own(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new(t)));
  };
  auto octs = [&](const char *t) {
    return static_cast<KORVU_ASN1_OCTETSTRING *>(
        own(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(t, static_cast<int32_t>(std::strlen(t)))));
  };
  auto list = [&](uint32_t type, std::initializer_list<void *> items) {
    auto *l = static_cast<KORVU_ASN1_LIST *>(own(type, korvu_asn1_list_new()));
    for (void *i : items) korvu_asn1_list_put(l, i);
    return l;
  };
  auto alg = [&](const char *t) {
    return static_cast<KORVU_X509_ALGID *>(
        own(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509algoid_new_without_param(oid(t))));
  };
  // Recipients: key transport, key agreement named by issuer and serial with ukm, KEK, password, other.
  const KORVU_CMS_RECIPIENTINFO *ktri = first("ktri.der");
  const KORVU_CMS_KARI *ka = korvu_cmsrecipientinfo_getkari(first("kari_ec.der"));
  const KORVU_CMS_KARID *rid = korvu_cmsrecipientenckey_getid(
      list_items<KORVU_CMS_RECIPIENTENCKEY>(korvu_cmskeyagreerecipientinfo_getenckeys(ka))[0]);
  auto *org = static_cast<KORVU_CMS_ORGIDORKEY *>(
      own(KORVU_TYPE_ORIGINATORIDENTIFIERORKEY,
          korvu_cmsorgidorkey_newissuersn(korvu_cmskeyagreerecipientid_getissuersn(rid))));
  auto *kari = static_cast<KORVU_CMS_KARI *>(
      own(KORVU_TYPE_KEYAGREERECIPIENTINFO,
          korvu_cmskeyagreerecipientinfo_new(korvu_cmskeyagreerecipientinfo_getversion(ka), org, octs("ukm"),
                                             korvu_cmskeyagreerecipientinfo_getencalgo(ka),
                                             korvu_cmskeyagreerecipientinfo_getenckeys(ka))));
  auto *ori = static_cast<KORVU_CMS_ORI *>(
      own(KORVU_TYPE_OTHERRECIPIENTINFO,
          korvu_cmsotherrecipientinfo_new(
              oid("1.2.3.4"),
              static_cast<KORVU_ASN1_ANY *>(own(KORVU_TYPE_ANY, korvu_asn1_any_new(0, 1, 5, 0, nullptr, 0))))));
  KORVU_ASN1_LIST *rl = list(
      KORVU_TYPE_RECIPIENTINFOS,
      {korvu_asn1_dupobject(KORVU_TYPE_RECIPIENTINFO, ktri, ctx), korvu_cmsrecipientinfo_newkari(kari),
       korvu_asn1_dupobject(KORVU_TYPE_RECIPIENTINFO, first("kekri.der"), ctx),
       korvu_asn1_dupobject(KORVU_TYPE_RECIPIENTINFO, first("pwri.der"), ctx), korvu_cmsrecipientinfo_newori(ori)});
  // Originator certificates and CRLs; attributes.
  const Bytes cert_pem = read_file(dir + "/r1.pem"), crl_pem = read_file(made + "/full.pem");
  auto *cert = static_cast<KORVU_X509_CERT *>(own(
      KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(cert_pem.data(), static_cast<int32_t>(cert_pem.size()), ctx)));
  auto *crl = static_cast<KORVU_X509_CRL *>(
      own(KORVU_TYPE_CERTIFICATELIST, korvu_x509crl_new(crl_pem.data(), static_cast<int32_t>(crl_pem.size()), ctx)));
  ASSERT_TRUE(cert && crl);
  KORVU_ASN1_LIST *crls = list(KORVU_TYPE_REVOCATIONINFOCHOICES, {korvu_cmsrevinfochoice_newcrl(crl)});
  auto *oi = static_cast<KORVU_CMS_ORIGINATORINFO *>(
      own(KORVU_TYPE_ORIGINATORINFO,
          korvu_cmsoriginatorinfo_new(list(KORVU_TYPE_CERTIFICATESET, {korvu_cmscertchoice_newx509pubkeycert(cert)}),
                                      crls)));
  auto *oi_crls = static_cast<KORVU_CMS_ORIGINATORINFO *>(
      own(KORVU_TYPE_ORIGINATORINFO, korvu_cmsoriginatorinfo_new(nullptr, crls)));
  auto *al = static_cast<KORVU_ASN1_LIST *>(
      own(KORVU_TYPE_ATTRIBUTES,
          decode(KORVU_TYPE_ATTRIBUTES,
                 hex("31 1A 30 18 06 09 2A 86 48 86 F7 0D 01 09 03 31 0B 06 09 2A 86 48 86 F7 0D 01 07 01"), ctx)));
  const KORVU_ASN1_INTEGER *version = korvu_cmskeytransrecipientinfo_getversion(korvu_cmsrecipientinfo_getktri(ktri));
  auto *encap = static_cast<KORVU_CMS_ENCAPCONTENTINFO *>(
      own(KORVU_TYPE_ENCAPSULATEDCONTENTINFO,
          korvu_cmsencapsulatedcontentinfo_new(oid("1.2.840.113549.1.7.1"), octs("content"))));
  void *auth = own(KORVU_TYPE_AUTHENTICATEDDATA,
                   korvu_cmsauthdata_new(version, oi, rl, alg("1.2.840.113549.2.9"), alg("2.16.840.1.101.3.4.2.1"),
                                         encap, al, octs("0123456789abcdef"), al));
  auto *bare = static_cast<KORVU_CMS_ENCCONTENTINFO *>(
      own(KORVU_TYPE_ENCRYPTEDCONTENTINFO,
          korvu_cmsencryptedcontentinfo_new(oid("1.2.840.113549.1.7.1"), alg("2.16.840.1.101.3.4.1.2"), nullptr)));
  void *env = own(KORVU_TYPE_ENVELOPEDDATA, korvu_cmsenvelopeddata_new(version, oi_crls, rl, bare, al));
  ASSERT_TRUE(auth && env);
  EXPECT_EQ(korvu_cmsauthdata_hashashalgo(static_cast<KORVU_CMS_AUTHDATA *>(auth)), 1);
  EXPECT_EQ(korvu_cmsencryptedcontentinfo_hasenccontent(bare) + korvu_cmsoriginatorinfo_hascerts(oi_crls), 0);
  EXPECT_EQ(recipient_kinds(korvu_cmsauthdata_getrecipinfos(static_cast<KORVU_CMS_AUTHDATA *>(auth))), "0.0 1.0 2 3 4");
  std::vector<Checked> checked;
  for (const auto &[label, type, ct, v] :
       {std::tuple{"auth", KORVU_TYPE_AUTHENTICATEDDATA, "1.2.840.113549.1.9.16.1.2", auth},
        std::tuple{"env", KORVU_TYPE_ENVELOPEDDATA, "1.2.840.113549.1.7.3", env}}) {
    Val content(KORVU_TYPE_ANY, decode(KORVU_TYPE_ANY, encode(type, v), ctx));
    Val ci(kCi, korvu_pkcs7contentinfo_new(oid(ct), content.as<KORVU_ASN1_ANY>()));
    EXPECT_TRUE(check_message(label, encode(kCi, ci.v), checked));
  }
  EXPECT_GT(compare_with_pyasn1(checked), 40u);
}

namespace {

struct Vector {
  bool bad;
  uint32_t type;
  Bytes der;
  std::string check;  // MODULE.TYPE, gmt:... or, for a malformed value, its code in hex
};

std::vector<Vector> vectors() {
  std::vector<Vector> out;
  std::ifstream f(KORVU_SOURCE_DIR "/tests/data/cms_enveloped.txt");
  for (std::string line; std::getline(f, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    std::string type, der, check;
    in >> type >> der >> std::ws;
    std::getline(in, check);
    const bool bad = type[0] == '!';
    out.push_back({bad, static_cast<uint32_t>(std::stoul(type.substr(bad))), hex(der), check});
  }
  return out;
}

// The names openssl asn1parse gives the components of the outer element, comma-separated; "!" when it refuses it.
std::string asn1parse_outline(const Bytes &der) {
  char path[] = "/tmp/korvu_gmt_XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return "!";
  EXPECT_EQ(write(fd, der.data(), der.size()), static_cast<ssize_t>(der.size()));
  close(fd);
  int status = 0;
  const std::string out = run_command(std::string("openssl asn1parse -inform DER -in ") + path + " 2>&1", &status);
  std::remove(path);
  if (status != 0) return "!";
  std::string names;
  std::istringstream lines(out);
  for (std::string l; std::getline(lines, l);) {
    const size_t d = l.find("d=1 "), colon = l.find(": ");
    if (d == std::string::npos || colon == std::string::npos) continue;
    std::string name = l.substr(colon + 2);
    name = name.substr(0, std::min(name.find("  "), name.find(':')));
    names += (names.empty() ? "" : ",") + name;
  }
  return names;
}

}  // namespace

// Every vector decodes as its type, encodes back to the same octets (also when copied), fails cleanly when cut
// at every octet, and is read the same by pyasn1-modules or parsed by openssl asn1parse into the components its
// shape predicts; every malformed value fails with its code and hands out nothing.
TEST(CmsEnveloped, Vectors) {
  const std::string py = pyasn1_python("pyasn1_modules.rfc5652");
  const bool openssl = std::system("openssl version >/dev/null 2>&1") == 0;
  std::vector<PeerJob> jobs;
  std::map<std::string, Bytes> want;
  size_t good = 0, bad = 0, outlines = 0;
  for (const Vector &v : vectors()) {
    SCOPED_TRACE(std::to_string(v.type) + " " + to_hex(v.der));
    ErrCtx ctx;
    if (v.bad) {
      EXPECT_EQ(decode(v.type, v.der, ctx), nullptr);
      EXPECT_TRUE(ctx.has(static_cast<uint32_t>(std::stoul(v.check, nullptr, 16))))
          << ::testing::PrintToString(ctx.codes());
      bad++;
      continue;
    }
    Val val(v.type, decode(v.type, v.der, ctx));
    ASSERT_NE(val.v, nullptr) << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(encode(v.type, val.v), v.der);
    Val copy(v.type, korvu_asn1_dupobject(v.type, val.v, ctx));
    EXPECT_EQ(encode(v.type, copy.v), v.der);
    for (size_t n = 0; n < v.der.size(); n++) {
      ErrCtx cut;
      EXPECT_EQ(decode(v.type, Bytes(v.der.begin(), v.der.begin() + static_cast<long>(n)), cut), nullptr) << n;
      EXPECT_GT(cut.count(), 0u);
    }
    if (v.check.rfind("gmt:", 0) == 0 && openssl) {
      EXPECT_EQ(asn1parse_outline(v.der), v.check.substr(4));
      outlines++;
    } else if (!v.check.empty() && v.check.rfind("gmt:", 0) != 0) {
      const std::string label = std::to_string(jobs.size());
      jobs.push_back({label, v.check, "hex:" + lower_hex(v.der), ""});
      want[label] = v.der;
    }
    good++;
  }
  EXPECT_GE(good, 40u);
  EXPECT_GE(bad, 10u);
  if (openssl) {
    EXPECT_GE(outlines, 25u);
  }
  if (py.empty()) return;
  for (const auto &[label, dump] : run_asn1_peer(py, jobs)) {
    EXPECT_EQ(dump.error, "") << label;
    EXPECT_EQ(dump.get(""), lower_hex(want[label])) << label;
  }
}

// The GM/T constructors: an SM9 identifier without a version and one with INTEGER 1 write no version (and read
// back as 1), version 2 is written; SignedAndEnvelopedData says whether it carries certificates; the signer infos
// of the corpus's GM/T SignedAndEnvelopedData decode on their own.
TEST(CmsEnveloped, GmtConstructors) {
  std::map<uint32_t, std::vector<Bytes>> v;
  for (const Vector &x : vectors())
    if (!x.bad) v[x.type].push_back(x.der);
  ErrCtx ctx;
  Val id(KORVU_TYPE_SM9_IDENTIFIER, decode(KORVU_TYPE_SM9_IDENTIFIER, v[KORVU_TYPE_SM9_IDENTIFIER][0], ctx));
  auto *i = id.as<KORVU_SM9_IDENTIFIER>();
  ASSERT_NE(i, nullptr);
  int32_t n = 0;
  EXPECT_EQ(korvu_asn1_integer_getlong(korvu_sm9identifier_getversion(i), &n), 1);
  EXPECT_EQ(n, 1);
  const unsigned char one = 1, two = 2;
  Val v1(KORVU_TYPE_INTEGER, korvu_asn1_integer_new(&one, 1)), v2(KORVU_TYPE_INTEGER, korvu_asn1_integer_new(&two, 1));
  for (const KORVU_ASN1_INTEGER *version : {static_cast<KORVU_ASN1_INTEGER *>(nullptr), v1.as<KORVU_ASN1_INTEGER>()}) {
    Val built(KORVU_TYPE_SM9_IDENTIFIER,
              korvu_sm9identifier_new(version, korvu_sm9identifier_getibctype(i), nullptr,
                                      korvu_sm9identifier_getidentitydata(i), korvu_sm9identifier_getvalidstart(i),
                                      nullptr, nullptr));
    EXPECT_EQ(encode(KORVU_TYPE_SM9_IDENTIFIER, built.v), v[KORVU_TYPE_SM9_IDENTIFIER][0]);
  }
  Val with2(KORVU_TYPE_SM9_IDENTIFIER,
            korvu_sm9identifier_new(v2.as<KORVU_ASN1_INTEGER>(), korvu_sm9identifier_getibctype(i), nullptr,
                                    korvu_sm9identifier_getidentitydata(i), korvu_sm9identifier_getvalidstart(i),
                                    nullptr, nullptr));
  const Bytes der2 = encode(KORVU_TYPE_SM9_IDENTIFIER, with2.v);
  EXPECT_EQ(Bytes(der2.begin() + 2, der2.begin() + 5), hex("02 01 02"));
  // SignedAndEnvelopedData with and without certificates.
  Val sed(KORVU_TYPE_SIGNEDANDENVELOPEDDATA,
          decode(KORVU_TYPE_SIGNEDANDENVELOPEDDATA, v[KORVU_TYPE_SIGNEDANDENVELOPEDDATA][0], ctx));
  auto *s = sed.as<KORVU_SIGNEDANDENVELOPEDDATA>();
  ASSERT_NE(s, nullptr);
  Val certs(KORVU_TYPE_CERTIFICATESET, korvu_asn1_list_new());
  for (const KORVU_ASN1_LIST *c : {static_cast<KORVU_ASN1_LIST *>(nullptr), certs.as<KORVU_ASN1_LIST>()}) {
    Val b(KORVU_TYPE_SIGNEDANDENVELOPEDDATA,
          korvu_signedandenvelopeddata_new(korvu_signedandenvelopeddata_getversion(s),
                                           korvu_signedandenvelopeddata_getrecipientinfos(s),
                                           korvu_signedandenvelopeddata_getdigestalgorithms(s),
                                           korvu_signedandenvelopeddata_getencryptedcontentinfo(s), c, nullptr,
                                           korvu_signedandenvelopeddata_getsignerinfos(s)));
    EXPECT_EQ(korvu_signedandenvelopeddata_hascertificates(b.as<KORVU_SIGNEDANDENVELOPEDDATA>()), c ? 1 : 0);
    EXPECT_EQ(korvu_signedandenvelopeddata_getcertificates(b.as<KORVU_SIGNEDANDENVELOPEDDATA>()) != nullptr,
              c != nullptr);
    EXPECT_EQ(korvu_signedandenvelopeddata_hascrls(b.as<KORVU_SIGNEDANDENVELOPEDDATA>()), 0);
    if (c == nullptr) {
      EXPECT_EQ(encode(KORVU_TYPE_SIGNEDANDENVELOPEDDATA, b.v), v[KORVU_TYPE_SIGNEDANDENVELOPEDDATA][0]);
    }
  }
  // The corpus's GM/T message: its recipient cannot be read, its signer infos can.
  if (!have_corpus()) return;
  const Bytes gm = read_file(corpus_dir() + "/gmt/gmsm__pkcs7_sign_enveloped_smSignedEvelopedTestData.der");
  Bytes content;
  ASSERT_NE(content_of(gm, &content), nullptr);
  const std::vector<Bytes> parts = der_elements(content);
  ASSERT_FALSE(parts.empty());
  Val signers(KORVU_TYPE_SIGNERINFOS, decode(KORVU_TYPE_SIGNERINFOS, parts.back(), ctx));
  EXPECT_EQ(korvu_asn1_list_getsize(signers.as<KORVU_ASN1_LIST>()), 1);
}

// `decode --type 111 --summary` names each recipient's kind and identifier, the algorithms and the content.
TEST(CmsEnveloped, CliSummary) {
  const std::string dir = enveloped_dir();
  if (dir.empty()) GTEST_SKIP() << "no openssl";
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"several.der",
       {"version: 2", "recipient 1: ktri issuerAndSerialNumber CN=CA, serial ",
        "recipient 3: kari originator key 1.2.840.10045.2.1; for issuerAndSerialNumber CN=ec",
        "contentEncryptionAlgorithm: 2.16.840.1.101.3.4.1.2", "content: 1.2.840.113549.1.7.1, 32 octets"}},
      {"ktri_keyid.der", {"recipient 1: ktri subjectKeyIdentifier "}},
      {"kekri.der", {"recipient 1: kekri keyIdentifier 0A0B0C"}},
      {"pwri.der", {"version: 3", "recipient 1: pwri keyDerivationAlgorithm 1.2.840.113549.1.5.12"}},
      {"encrypted.der",
       {"contentType: encryptedData (1.2.840.113549.1.7.6)", "version: 0", "content: 1.2.840.113549.1.7.1, 32 octets"}},
      {"digested.der", {"digestAlgorithm: 2.16.840.1.101.3.4.2.1", "content: data (1.2.840.113549.1.7.1), 18 octets"}}};
  for (const auto &[file, lines] : cases) {
    int status = -1;
    const std::string out =
        run_command(std::string(KORVU_TOOL_PATH) + " decode --type 111 --summary " + dir + "/" + file, &status);
    EXPECT_EQ(status, 0) << file;
    for (const std::string &l : lines)
      EXPECT_NE(out.find("\n" + l), std::string::npos) << file << ": " << l << "\n" << out;
  }
}
