#include "summary_cms.h"

#include <cstring>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"
#include "summary.h"
#include "summary_cades.h"
#include "summary_scvp.h"

namespace korvu::tool {
namespace {

void *item(const KORVU_ASN1_LIST *l, int32_t i) {
  void *e = nullptr;
  korvu_asn1_list_get(l, i, &e);
  return e;
}

int32_t size_of(const KORVU_ASN1_LIST *l) { return l ? korvu_asn1_list_getsize(l) : 0; }

// A Name as RFC 4514 text, "?" when it does not encode.
std::string name_text(const KORVU_X500_NAME *name) {
  std::string text;
  return korvu::tool::name_text(name, text) ? text : "?";
}

// Octets of an OCTET STRING content (either form), or the contents length of another encoding.
std::string content_text(const KORVU_PKCS7_CONTENTINFO *ci) {
  std::string type = oid_label(korvu_pkcs7contentinfo_getcontenttype(ci));
  const KORVU_ASN1_ANY *c = korvu_pkcs7contentinfo_getcontent(ci);
  if (c == nullptr) return type + ", detached";
  uint32_t n = korvu_asn1_any_getcontentlength(c);
  if (c->tag_class == 0 && c->tag_number == 4) {
    void *os = nullptr;
    if (korvu_asn1_any_toobject(c, KORVU_TYPE_OCTET_STRING, &os, nullptr) == 1)
      n = korvu_asn1_octetstring_getlength(static_cast<KORVU_ASN1_OCTETSTRING *>(os));
    korvu_asn1_value_free(KORVU_TYPE_OCTET_STRING, os);
  }
  if (n == 0xFFFFFFFFu) return type + ", indefinite length";
  return type + ", " + std::to_string(n) + " octets";
}

int print_signeddata(const KORVU_PKCS7_SIGNEDDATA *sd, std::FILE *out) {
  const KORVU_ASN1_INTEGER *version = korvu_pkcs7signeddata_getversion(sd);
  if (version == nullptr) return 0;
  uint64_t number = 0;
  for (uint32_t i = 0; i < version->length && i < 8; i++) number = number << 8 | version->data[i];
  if (version->length <= 8 && (version->length == 0 || version->data[0] < 0x80))
    std::fprintf(out, "version: %llu\n", static_cast<unsigned long long>(number));
  else
    std::fprintf(out, "version: 0x%s\n", hex(version->data, version->length).c_str());
  const KORVU_ASN1_LIST *digests = korvu_pkcs7signeddata_getdigestalgos(sd);
  std::string d;
  for (int32_t i = 0; i < size_of(digests); i++) {
    if (i) d += ", ";
    d += oid_label(korvu_x509algoid_getalgo(static_cast<KORVU_X509_ALGID *>(item(digests, i))));
  }
  std::fprintf(out, "digestAlgorithms: %s\n", d.empty() ? "none" : d.c_str());
  std::fprintf(out, "content: %s\n", content_text(korvu_pkcs7signeddata_getcontentinfo(sd)).c_str());
  const KORVU_ASN1_LIST *signers = korvu_pkcs7signeddata_getsignerinfos(sd);
  for (int32_t i = 0; i < size_of(signers); i++) {
    const KORVU_CMS_SIGNERID *sid = korvu_cmssignerinfo_getsid(static_cast<KORVU_CMS_SIGNERINFO *>(item(signers, i)));
    std::string text = "?";
    if (const KORVU_CMS_ISSUERANDSN *ias = korvu_cmssignerid_getissuersn(sid)) {
      const KORVU_ASN1_INTEGER *sn = korvu_cmsissuerandsn_getsn(ias);
      text = "issuerAndSerialNumber " + name_text(korvu_cmsissuerandsn_getissuer(ias)) + ", serial " +
             (sn ? hex(sn->data, sn->length) : "?");
    } else if (const KORVU_ASN1_OCTETSTRING *kid = korvu_cmssignerid_getkeyid(sid)) {
      std::vector<unsigned char> b(korvu_asn1_octetstring_getlength(kid));
      if (b.empty() || korvu_asn1_octetstring_getall(kid, b.data()) == 1) text = "subjectKeyIdentifier " + hex(b.data(), b.size());
    }
    std::fprintf(out, "signer %d: %s\n", i + 1, text.c_str());
    auto *si = static_cast<KORVU_CMS_SIGNERINFO *>(item(signers, i));
    print_signer_attributes(i + 1, korvu_cmssignerinfo_getsignattrs(si), out);
    print_signer_attributes(i + 1, korvu_cmssignerinfo_getunsignattrs(si), out);
  }
  std::fprintf(out, "certificates: %d\n", size_of(korvu_pkcs7signeddata_getcerts(sd)));
  std::fprintf(out, "crls: %d\n", size_of(korvu_pkcs7signeddata_getcrls(sd)));
  return 1;
}

// ---- enveloped, encrypted, authenticated, digested and signed-and-enveloped messages ----------------------
std::string octets_text(const KORVU_ASN1_OCTETSTRING *o) {
  if (o == nullptr) return "absent";
  std::vector<unsigned char> b(korvu_asn1_octetstring_getlength(o));
  if (!b.empty() && korvu_asn1_octetstring_getall(o, b.data()) != 1) return "?";
  return hex(b.data(), b.size());
}

std::string algorithm_text(const KORVU_X509_ALGID *a) { return a ? oid_string(korvu_x509algoid_getalgo(a)) : "absent"; }

std::string issuer_serial_text(const KORVU_CMS_ISSUERANDSN *ias) {
  const KORVU_ASN1_INTEGER *sn = korvu_cmsissuerandsn_getsn(ias);
  return "issuerAndSerialNumber " + name_text(korvu_cmsissuerandsn_getissuer(ias)) + ", serial " +
         (sn ? hex(sn->data, sn->length) : "?");
}

void print_version(const KORVU_ASN1_INTEGER *version, std::FILE *out) {
  int32_t n = 0;
  if (korvu_asn1_integer_getlong(version, &n) == 1)
    std::fprintf(out, "version: %d\n", n);
  else
    std::fprintf(out, "version: 0x%s\n", version ? hex(version->data, version->length).c_str() : "?");
}

// One line per recipient: its kind and how it is identified.
void print_recipients(const KORVU_ASN1_LIST *l, std::FILE *out) {
  for (int32_t i = 0; i < size_of(l); i++) {
    auto *ri = static_cast<KORVU_CMS_RECIPIENTINFO *>(item(l, i));
    std::string text = "?";
    if (const KORVU_CMS_KTRI *t = korvu_cmsrecipientinfo_getktri(ri)) {
      const KORVU_CMS_SIGNERID *rid = korvu_cmskeytransrecipientinfo_getrid(t);
      const KORVU_CMS_ISSUERANDSN *ias = korvu_cmssignerid_getissuersn(rid);
      text = "ktri " + (ias ? issuer_serial_text(ias) : "subjectKeyIdentifier " + octets_text(korvu_cmssignerid_getkeyid(rid)));
    } else if (const KORVU_CMS_KARI *a = korvu_cmsrecipientinfo_getkari(ri)) {
      const KORVU_CMS_ORGIDORKEY *o = korvu_cmskeyagreerecipientinfo_getoriginator(a);
      text = "kari originator ";
      if (const KORVU_CMS_ISSUERANDSN *ias = korvu_cmsorgidorkey_getissuersn(o))
        text += issuer_serial_text(ias);
      else if (const KORVU_X509_SPKI *k = korvu_cmsorgidorkey_getorgkey(o))
        text += "key " + algorithm_text(korvu_x509subjpubkeyinfo_getalgo(k));
      else
        text += "subjectKeyIdentifier " + octets_text(korvu_cmsorgidorkey_getsubkeyid(o));
      const KORVU_ASN1_LIST *keys = korvu_cmskeyagreerecipientinfo_getenckeys(a);
      for (int32_t j = 0; j < size_of(keys); j++) {
        const KORVU_CMS_KARID *id = korvu_cmsrecipientenckey_getid(static_cast<KORVU_CMS_RECIPIENTENCKEY *>(item(keys, j)));
        const KORVU_CMS_ISSUERANDSN *ias = korvu_cmskeyagreerecipientid_getissuersn(id);
        const KORVU_CMS_RECIPIENTKEYID *rk = korvu_cmskeyagreerecipientid_getrkeyid(id);
        text += "; for " + (ias ? issuer_serial_text(ias) : "rKeyId " + octets_text(korvu_cmsrecipientkeyid_getsubkeyid(rk)));
      }
    } else if (const KORVU_CMS_KEKRI *k = korvu_cmsrecipientinfo_getkekri(ri)) {
      text = "kekri keyIdentifier " + octets_text(korvu_cmsrecipientkeyid_getsubkeyid(korvu_cmskekrecipientinfo_getkekid(k)));
    } else if (const KORVU_CMS_PWRI *w = korvu_cmsrecipientinfo_getpwri(ri)) {
      text = "pwri keyDerivationAlgorithm " + algorithm_text(korvu_cmspwdrecipientinfo_getderivalgo(w));
    } else if (const KORVU_CMS_ORI *x = korvu_cmsrecipientinfo_getori(ri)) {
      text = "ori " + oid_string(korvu_cmsotherrecipientinfo_gettype(x));
    }
    std::fprintf(out, "recipient %d: %s\n", i + 1, text.c_str());
  }
}

void print_enc_info(const KORVU_CMS_ENCCONTENTINFO *e, std::FILE *out) {
  std::fprintf(out, "contentEncryptionAlgorithm: %s\n", algorithm_text(korvu_cmsencryptedcontentinfo_getalgo(e)).c_str());
  const KORVU_ASN1_OCTETSTRING *c = korvu_cmsencryptedcontentinfo_getenccontent(e);
  std::string text = oid_string(korvu_cmsencryptedcontentinfo_gettype(e)) + ", ";
  text += c ? std::to_string(korvu_asn1_octetstring_getlength(c)) + " octets" : "absent";
  std::fprintf(out, "content: %s\n", text.c_str());
}

// The summary of a content other than SignedData: 1 when printed or of another type, 0 when it does not decode.
int print_other_content(const std::string &ct, const KORVU_ASN1_ANY *content, std::FILE *out) {
  static const struct {
    const char *oid;
    uint32_t type;
  } kTypes[] = {{"1.2.840.113549.1.7.3", KORVU_TYPE_ENVELOPEDDATA},
                {"1.2.840.113549.1.7.6", KORVU_TYPE_ENCRYPTEDDATA},
                {"1.2.840.113549.1.9.16.1.2", KORVU_TYPE_AUTHENTICATEDDATA},
                {"1.2.840.113549.1.7.5", KORVU_TYPE_DIGESTEDDATA},
                {"1.2.840.113549.1.7.4", KORVU_TYPE_SIGNEDANDENVELOPEDDATA},
                {"1.2.156.10197.6.1.4.2.4", KORVU_TYPE_SIGNEDANDENVELOPEDDATA}};
  uint32_t type = 0;
  for (const auto &t : kTypes)
    if (ct == t.oid) type = t.type;
  void *v = nullptr;
  if (type == 0) return 1;
  if (korvu_asn1_any_toobject(content, type, &v, nullptr) != 1) return 0;
  if (type == KORVU_TYPE_ENVELOPEDDATA) {
    auto *e = static_cast<KORVU_CMS_ENVELOPEDDATA *>(v);
    print_version(korvu_cmsenvelopeddata_getversion(e), out);
    print_recipients(korvu_cmsenvelopeddata_getrecipinfos(e), out);
    print_enc_info(korvu_cmsenvelopeddata_getencinfo(e), out);
  } else if (type == KORVU_TYPE_ENCRYPTEDDATA) {
    auto *e = static_cast<KORVU_CMS_ENCRYPTEDDATA *>(v);
    print_version(korvu_cmsencrypteddata_getversion(e), out);
    print_enc_info(korvu_cmsencrypteddata_getencinfo(e), out);
  } else if (type == KORVU_TYPE_AUTHENTICATEDDATA) {
    auto *a = static_cast<KORVU_CMS_AUTHDATA *>(v);
    print_version(korvu_cmsauthdata_getversion(a), out);
    print_recipients(korvu_cmsauthdata_getrecipinfos(a), out);
    std::fprintf(out, "macAlgorithm: %s\n", algorithm_text(korvu_cmsauthdata_getmacalgo(a)).c_str());
    std::fprintf(out, "digestAlgorithm: %s\n", algorithm_text(korvu_cmsauthdata_gethashalgo(a)).c_str());
    const KORVU_CMS_ENCAPCONTENTINFO *eci = korvu_cmsauthdata_getencapinfo(a);
    const KORVU_ASN1_OCTETSTRING *c = korvu_cmsencapsulatedcontentinfo_getcontent(eci);
    std::fprintf(out, "content: %s, %s\n", oid_string(korvu_cmsencapsulatedcontentinfo_getcontenttype(eci)).c_str(),
                 c ? (std::to_string(korvu_asn1_octetstring_getlength(c)) + " octets").c_str() : "absent");
  } else if (type == KORVU_TYPE_DIGESTEDDATA) {
    auto *d = static_cast<KORVU_PKCS7_DIGESTEDDATA *>(v);
    print_version(korvu_pkcs7digesteddata_getversion(d), out);
    std::fprintf(out, "digestAlgorithm: %s\n", algorithm_text(korvu_pkcs7digesteddata_getdigestalgo(d)).c_str());
    std::fprintf(out, "content: %s\n", content_text(korvu_pkcs7digesteddata_getcontentinfo(d)).c_str());
  } else {
    auto *d = static_cast<KORVU_SIGNEDANDENVELOPEDDATA *>(v);
    print_version(korvu_signedandenvelopeddata_getversion(d), out);
    print_recipients(korvu_signedandenvelopeddata_getrecipientinfos(d), out);
    print_enc_info(korvu_signedandenvelopeddata_getencryptedcontentinfo(d), out);
    std::fprintf(out, "signers: %d\n", size_of(korvu_signedandenvelopeddata_getsignerinfos(d)));
  }
  korvu_asn1_value_free(type, v);
  return 1;
}

}  // namespace

int print_cms_summary(uint32_t type, const void *value, std::FILE *out) {
  if (value == nullptr || out == nullptr) return 0;
  if (type != KORVU_TYPE_CONTENTINFO) return print_signeddata(static_cast<const KORVU_PKCS7_SIGNEDDATA *>(value), out);
  auto *ci = static_cast<const KORVU_PKCS7_CONTENTINFO *>(value);
  const std::string ct = oid_string(korvu_pkcs7contentinfo_getcontenttype(ci));
  std::fprintf(out, "contentType: %s\n", oid_label(korvu_pkcs7contentinfo_getcontenttype(ci)).c_str());
  const KORVU_ASN1_ANY *content = korvu_pkcs7contentinfo_getcontent(ci);
  if (content != nullptr && scvp_content_type(ct) != 0) return print_scvp_content(scvp_content_type(ct), content, out);
  if (content == nullptr) return 1;
  if (ct != "1.2.840.113549.1.7.2" && ct != "1.2.156.10197.6.1.4.2.2") return print_other_content(ct, content, out);
  void *sd = nullptr;
  if (korvu_asn1_any_toobject(content, KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, &sd, nullptr) != 1) return 0;
  int r = print_signeddata(static_cast<KORVU_PKCS7_SIGNEDDATA *>(sd), out);
  // An SCVP message signed in the SignedData: its summary follows.
  const KORVU_PKCS7_CONTENTINFO *eci = korvu_pkcs7signeddata_getcontentinfo(static_cast<KORVU_PKCS7_SIGNEDDATA *>(sd));
  const uint32_t scvp = scvp_content_type(oid_string(korvu_pkcs7contentinfo_getcontenttype(eci)));
  if (r == 1 && scvp != 0 && korvu_pkcs7contentinfo_getcontent(eci) != nullptr)
    r = print_scvp_content(scvp, korvu_pkcs7contentinfo_getcontent(eci), out);
  korvu_asn1_value_free(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd);
  return r;
}

}  // namespace korvu::tool
