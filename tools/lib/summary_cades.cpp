#include "summary_cades.h"

#include <vector>

#include "dump.h"
#include "korvu/asn1.h"
#include "korvu/holder.hpp"
#include "summary.h"

namespace korvu::tool {
namespace {

constexpr SignerAttributeType kSignerAttributes[] = {
    {"1.2.840.113549.1.9.16.2.12", "signingCertificate", KORVU_TYPE_SIGNINGCERTIFICATE},
    {"1.2.840.113549.1.9.16.2.47", "signingCertificateV2", KORVU_TYPE_SIGNINGCERTIFICATEV2},
    {"1.2.840.113549.1.9.16.2.4", "contentHints", KORVU_TYPE_CONTENTHINTS},
    {"1.2.840.113549.1.9.16.2.10", "contentReference", KORVU_TYPE_CONTENTREFERENCE},
    {"1.2.840.113549.1.9.16.2.11", "smimeEncryptionKeyPreference", KORVU_TYPE_SMIMEENCRYPTIONKEYPREFERENCE},
    {"1.2.840.113549.1.9.16.2.15", "sigPolicyId", KORVU_TYPE_SIGNATUREPOLICYIDENTIFIER},
    {"1.2.840.113549.1.9.16.2.16", "commitmentType", KORVU_TYPE_COMMITMENTTYPEINDICATION},
    {"1.2.840.113549.1.9.16.2.17", "signerLocation", KORVU_TYPE_SIGNERLOCATION},
    {"1.2.840.113549.1.9.16.2.18", "signerAttr", KORVU_TYPE_SIGNERATTRIBUTE},
    {"1.2.840.113549.1.9.16.2.19", "otherSigCert", KORVU_TYPE_OTHERSIGNINGCERT},
    {"1.2.840.113549.1.9.16.2.21", "certificateRefs", KORVU_TYPE_OTHERCERTIDS},
    {"1.2.840.113549.1.9.16.2.22", "revocationRefs", KORVU_TYPE_COMPLETEREVOCATIONREFS},
    {"1.2.840.113549.1.9.16.2.23", "certValues", KORVU_TYPE_CERTIFICATES},
    {"1.2.840.113549.1.9.16.2.24", "revocationValues", KORVU_TYPE_REVOCATIONVALUES},
    {"1.2.840.113549.1.9.52", "cmsAlgorithmProtect", KORVU_TYPE_CMSALGORITHMPROTECTION},
    {"1.2.840.113583.1.1.8", "adbe-revocationInfoArchival", KORVU_TYPE_REVOCATIONINFOARCHIVAL},
    {"0.4.0.1733.2.5", "atsHashIndex", KORVU_TYPE_ATSHASHINDEX},
    {"0.4.0.19122.1.1", "signerAttrV2", KORVU_TYPE_SIGNERATTRIBUTEV2},
    {"0.4.0.19122.1.3", "sigPolicyStore", KORVU_TYPE_SIGNATUREPOLICYSTORE},
    {"0.4.0.19122.1.5", "atsHashIndexV3", KORVU_TYPE_ATSHASHINDEXV3},
};

void *item(const KORVU_ASN1_LIST *l, int32_t i) {
  void *e = nullptr;
  korvu_asn1_list_get(l, i, &e);
  return e;
}
int32_t size_of(const KORVU_ASN1_LIST *l) { return l ? korvu_asn1_list_getsize(l) : 0; }

std::string algorithm_name(const KORVU_X509_ALGID *a) {
  if (a == nullptr) return "none";
  const std::string dotted = oid_string(korvu_x509algoid_getalgo(a));
  const char *name = oid_name(dotted.c_str());
  return name ? name : dotted;
}

// The genTime of the TSTInfo a time-stamp token carries, or "?".
std::string token_time(const KORVU_PKCS7_CONTENTINFO *token) {
  const KORVU_ASN1_ANY *content = token ? korvu_pkcs7contentinfo_getcontent(token) : nullptr;
  void *sd = nullptr, *os = nullptr, *tst = nullptr;
  std::string out = "?";
  if (content && korvu_asn1_any_toobject(content, KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, &sd, nullptr) == 1) {
    const KORVU_PKCS7_CONTENTINFO *eci =
        korvu_pkcs7signeddata_getcontentinfo(static_cast<KORVU_PKCS7_SIGNEDDATA *>(sd));
    const KORVU_ASN1_ANY *e = eci ? korvu_pkcs7contentinfo_getcontent(eci) : nullptr;
    if (e && korvu_asn1_any_toobject(e, KORVU_TYPE_OCTET_STRING, &os, nullptr) == 1) {
      auto *o = static_cast<KORVU_ASN1_OCTETSTRING *>(os);
      std::vector<unsigned char> b(korvu_asn1_octetstring_getlength(o));
      if (!b.empty() && korvu_asn1_octetstring_getall(o, b.data()) == 1 &&
          korvu_asn1_mem_decode(b.data(), static_cast<int32_t>(b.size()), KORVU_TYPE_TSTINFO, &tst) == b.size()) {
        const KORVU_ASN1_TIME *t = korvu_tsp_tstinfo_getgentime(static_cast<KORVU_TSP_TSTINFO *>(tst));
        if (t && t->text) out = t->text;
      }
    }
  }
  korvu_asn1_value_free(KORVU_TYPE_TSTINFO, tst);
  korvu_asn1_value_free(KORVU_TYPE_OCTET_STRING, os);
  korvu_asn1_value_free(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd);
  return out;
}

}  // namespace

const SignerAttributeType *signer_attribute_type(const std::string &oid) {
  for (const SignerAttributeType &a : kSignerAttributes)
    if (oid == a.oid) return &a;
  return nullptr;
}

void print_signer_attributes(int signer, const void *attributes, std::FILE *out) {
  auto *attrs = static_cast<const KORVU_ASN1_LIST *>(attributes);
  for (int32_t i = 0; i < size_of(attrs); i++) {
    auto *attr = static_cast<KORVU_X500_ATTRIBUTE *>(item(attrs, i));
    const SignerAttributeType *known = signer_attribute_type(oid_string(attr->type));
    for (int32_t j = 0; known != nullptr && j < size_of(attr->values); j++) {
      void *v = nullptr;
      const char *type_name = korvu_asn1_typename(known->type);
      if (korvu_asn1_any_toobject(static_cast<KORVU_ASN1_ANY *>(item(attr->values, j)), known->type, &v, nullptr) !=
          1) {
        std::fprintf(out, "signer %d %s: does not decode as %s\n", signer, known->name, type_name);
        continue;
      }
      std::string detail;
      if (known->type == KORVU_TYPE_SIGNINGCERTIFICATE || known->type == KORVU_TYPE_SIGNINGCERTIFICATEV2)
        detail = ", " +
                 std::to_string(
                     size_of(korvu_ess_signingcertificate_getcerts(static_cast<KORVU_ESS_SIGNINGCERTIFICATE *>(v)))) +
                 " certificate identifiers";
      std::fprintf(out, "signer %d %s: %s%s\n", signer, known->name, type_name, detail.c_str());
      korvu_asn1_value_free(known->type, v);
    }
  }
}

int print_evidencerecord_summary(uint32_t, const void *value, std::FILE *out) {
  auto *er = static_cast<const KORVU_ERS_EVIDENCERECORD *>(value);
  if (er == nullptr || out == nullptr) return 0;
  const KORVU_ASN1_INTEGER *v = korvu_ers_evidencerecord_getversion(er);
  int32_t version = 0;
  if (v && korvu_asn1_integer_getlong(v, &version) == 1)
    std::fprintf(out, "version: %d\n", version);
  else
    std::fprintf(out, "version: 0x%s\n", v ? hex(v->data, v->length).c_str() : "?");
  std::string digests;
  const KORVU_ASN1_LIST *algs = korvu_ers_evidencerecord_getdigestalgorithms(er);
  for (int32_t i = 0; i < size_of(algs); i++)
    digests += (i ? ", " : "") + algorithm_name(static_cast<KORVU_X509_ALGID *>(item(algs, i)));
  std::fprintf(out, "digestAlgorithms: %s\n", digests.empty() ? "none" : digests.c_str());
  const KORVU_ASN1_LIST *chains = korvu_ers_evidencerecord_getarchivetimestampseq(er);
  for (int32_t c = 0; c < size_of(chains); c++) {
    auto *chain = static_cast<KORVU_ASN1_LIST *>(item(chains, c));
    for (int32_t t = 0; t < size_of(chain); t++) {
      auto *ats = static_cast<KORVU_ERS_ARCHIVETIMESTAMP *>(item(chain, t));
      std::fprintf(out, "chain %d timestamp %d: digestAlgorithm %s, attributes %d, partial hash trees %d, genTime %s\n",
                   c + 1, t + 1, algorithm_name(korvu_ers_encryptioninfo_getdigestalgorithm(ats)).c_str(),
                   size_of(korvu_ers_encryptioninfo_getattributes(ats)),
                   size_of(korvu_ers_encryptioninfo_getreducedhashtree(ats)),
                   token_time(korvu_ers_encryptioninfo_gettimestamp(ats)).c_str());
    }
  }
  return 1;
}

}  // namespace korvu::tool
