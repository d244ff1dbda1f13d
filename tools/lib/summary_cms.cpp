#include "summary_cms.h"

#include <cstring>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"
#include "summary.h"

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
  }
  std::fprintf(out, "certificates: %d\n", size_of(korvu_pkcs7signeddata_getcerts(sd)));
  std::fprintf(out, "crls: %d\n", size_of(korvu_pkcs7signeddata_getcrls(sd)));
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
  if (content == nullptr || (ct != "1.2.840.113549.1.7.2" && ct != "1.2.156.10197.6.1.4.2.2")) return 1;
  void *sd = nullptr;
  if (korvu_asn1_any_toobject(content, KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, &sd, nullptr) != 1) return 0;
  int r = print_signeddata(static_cast<KORVU_PKCS7_SIGNEDDATA *>(sd), out);
  korvu_asn1_value_free(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd);
  return r;
}

}  // namespace korvu::tool
