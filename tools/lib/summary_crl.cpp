// Summaries of CRLs and PKCS#10 requests, and their PEM labels.
#include "summary_crl.h"

#include <cstring>
#include <string>

#include "korvu/asn1.h"
#include "summary.h"

namespace korvu::tool {
namespace {

std::string extension_ids(const KORVU_ASN1_LIST *exts) {
  std::string out;
  for (int32_t i = 0; exts && i < korvu_asn1_list_getsize(exts); i++) {
    void *e = nullptr;
    if (korvu_asn1_list_get(exts, i, &e) != 1) return "?";
    out += (out.empty() ? "" : ", ") + oid_label(korvu_x509extension_getid(static_cast<KORVU_X509_EXTENSION *>(e)));
  }
  return out.empty() ? "none" : out;
}

constexpr const char *kExtensionRequest = "1.2.840.113549.1.9.14";  // PKCS #9 extensionRequest

}  // namespace

int print_crl_summary(const void *value, std::FILE *out) {
  auto *crl = static_cast<const KORVU_X509_CRL *>(value);
  std::string issuer;
  if (crl == nullptr || out == nullptr || !name_text(korvu_x509crl_getissuer(crl), issuer)) return 0;
  std::string version = "v1";  // absent
  if (const KORVU_ASN1_INTEGER *v = korvu_x509crl_getversion(crl)) {
    int32_t n = 0;
    // The INTEGER holds the version less one: 1 is v2.
    if (korvu_asn1_integer_getlong(v, &n) == 1)
      version.replace(1, std::string::npos, std::to_string(n + 1));
    else
      version.replace(0, std::string::npos, 1, '?');
  }
  const KORVU_ASN1_LIST *revoked = korvu_x509crl_getrevcerts(crl);
  std::fprintf(out, "version: %s\n", version.c_str());
  std::fprintf(out, "issuer: %s\n", issuer.c_str());
  std::fprintf(out, "signature algorithm: %s\n",
               oid_label(korvu_x509algoid_getalgo(korvu_x509crl_getsignalgo(crl))).c_str());
  std::fprintf(out, "thisUpdate: %s\n", time_string(korvu_x509crl_getthisupdate(crl)).c_str());
  std::fprintf(out, "nextUpdate: %s\n", time_string(korvu_x509crl_getnextupdate(crl)).c_str());
  std::fprintf(out, "entries: %d\n", revoked ? korvu_asn1_list_getsize(revoked) : 0);
  std::fprintf(out, "extensions: %s\n", extension_ids(korvu_x509crl_getexts(crl)).c_str());
  return 1;
}

int print_request_summary(const void *value, std::FILE *out) {
  auto *req = static_cast<const KORVU_PKCS10_REQ *>(value);
  std::string subject;
  if (req == nullptr || out == nullptr || !name_text(korvu_pkcs10certreq_getsubject(req), subject)) return 0;
  std::string types, requested;
  const KORVU_ASN1_LIST *attrs = korvu_pkcs10certreq_getattrs(req);
  for (int32_t i = 0; attrs && i < korvu_asn1_list_getsize(attrs); i++) {
    void *a = nullptr;
    if (korvu_asn1_list_get(attrs, i, &a) != 1) return 0;
    auto *attr = static_cast<KORVU_X500_ATTRIBUTE *>(a);
    const std::string type = oid_string(korvu_x500attribute_gettype(attr));
    types += (types.empty() ? "" : ", ") + oid_label(korvu_x500attribute_gettype(attr));
    const KORVU_ASN1_LIST *values = korvu_x500attribute_getvalue(attr);
    void *first = nullptr;
    if (type != kExtensionRequest || korvu_asn1_list_get(values, 0, &first) != 1) continue;
    // The value is an ANY holding Extensions: read it again as that type.
    KORVU_DATA_BLOB *der = korvu_asn1_mem_encode(KORVU_TYPE_ANY, first);
    void *exts = nullptr;
    if (der != nullptr &&
        korvu_asn1_mem_decode(der->data, static_cast<int32_t>(der->length), KORVU_TYPE_EXTENSIONS, &exts) ==
            der->length)
      requested += (requested.empty() ? "" : ", ") + extension_ids(static_cast<KORVU_ASN1_LIST *>(exts));
    else
      requested += (requested.empty() ? "" : ", ") + std::string("?");
    korvu_asn1_value_free(KORVU_TYPE_EXTENSIONS, exts);
    korvu_data_blob_free(der);
  }
  const KORVU_X509_SPKI *spki = korvu_pkcs10certreq_getpubkey(req);
  std::fprintf(out, "subject: %s\n", subject.c_str());
  std::fprintf(out, "key algorithm: %s\n",
               oid_label(korvu_x509algoid_getalgo(korvu_x509subjpubkeyinfo_getalgo(spki))).c_str());
  std::fprintf(out, "attributes: %s\n", types.empty() ? "none" : types.c_str());
  std::fprintf(out, "requested extensions: %s\n", requested.empty() ? "none" : requested.c_str());
  return 1;
}

bool load_labelled_pem(uint32_t type, const std::vector<unsigned char> &raw, LoadedInput &out) {
  static const char *const kCrl[] = {"X509 CRL", "CRL", nullptr};
  static const char *const kReq[] = {"CERTIFICATE REQUEST", "NEW CERTIFICATE REQUEST", nullptr};
  const char *const *labels = type == KORVU_TYPE_CERTIFICATELIST        ? kCrl
                              : type == KORVU_TYPE_CERTIFICATIONREQUEST ? kReq
                                                                        : nullptr;
  if (labels == nullptr || raw.empty() || raw.size() > 0xFFFFFFFFu ||
      std::memchr(raw.data(), 0, raw.size()) != nullptr)
    return false;
  for (; *labels != nullptr; labels++) {
    unsigned char *der = nullptr;
    uint32_t n = 0;
    if (korvu_pemdecode(*labels, reinterpret_cast<const char *>(raw.data()), static_cast<uint32_t>(raw.size()), &der,
                        &n) == 1) {
      out.format = InputFormat::Pem;
      out.label = *labels;
      out.bytes.assign(der, der + n);
      korvu_free(der);
      return true;
    }
    korvu_free(der);
  }
  return false;
}

}  // namespace korvu::tool
