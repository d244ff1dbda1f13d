// AlgorithmIdentifier, Validity and SubjectPublicKeyInfo (RFC 5280 4.1.1.2,
// 4.1.2.5, 4.1.2.7): three small tables of the structure engine.
#define KORVU_SRC "KORVU_ASN1_X509"
#include "../core/struct.h"

namespace korvu {
namespace {

using st::field;

// AlgorithmIdentifier ::= SEQUENCE { algorithm OBJECT IDENTIFIER,
//                                    parameters ANY DEFINED BY algorithm OPTIONAL }
constexpr st::Field kAlgIdFields[] = {
    field(6, offsetof(KORVU_X509_ALGID, algorithm)),
    field(23, offsetof(KORVU_X509_ALGID, parameters)).optional(offsetof(KORVU_X509_ALGID, hasParameters)),
};

int algid_finish(void *record, KORVU_ERR_CTX *) {
  auto *a = static_cast<KORVU_X509_ALGID *>(record);
  const KORVU_ASN1_ANY *p = a->parameters;
  a->isNullParameter = a->hasParameters && p != nullptr && !p->eoc && p->tag_class == 0 && p->primitive &&
                       p->tag_number == 5 && p->content_length == 0;
  return 1;
}

constexpr st::StructDef algid_def() {
  st::StructDef d = st::sequence(33, kAlgIdFields, sizeof(KORVU_X509_ALGID));
  d.finish = algid_finish;
  return d;
}
constexpr st::StructDef kAlgId = algid_def();

// Validity ::= SEQUENCE { notBefore Time, notAfter Time }
constexpr st::Field kValidityFields[] = {
    field(20, offsetof(KORVU_X509_VALIDITY, notBefore)),
    field(20, offsetof(KORVU_X509_VALIDITY, notAfter)),
};
constexpr st::StructDef kValidity = st::sequence(34, kValidityFields, sizeof(KORVU_X509_VALIDITY));

// SubjectPublicKeyInfo ::= SEQUENCE { algorithm AlgorithmIdentifier, subjectPublicKey BIT STRING }
constexpr st::Field kSpkiFields[] = {
    field(33, offsetof(KORVU_X509_SPKI, algorithm)),
    field(3, offsetof(KORVU_X509_SPKI, subjectPublicKey)),
};
constexpr st::StructDef kSpki = st::sequence(35, kSpkiFields, sizeof(KORVU_X509_SPKI));

}  // namespace
}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(33) = st::Sequence<kAlgId>::ops;
KORVU_REGISTER_TYPE(34) = st::Sequence<kValidity>::ops;
KORVU_REGISTER_TYPE(35) = st::Sequence<kSpki>::ops;

extern "C" {

KORVU_API KORVU_X509_ALGID *korvu_x509algoid_new(const KORVU_ASN1_OID *algorithm, uint32_t type, const void *value) {
  if (algorithm == nullptr || type_desc(type) == nullptr) return nullptr;
  KORVU_STREAM *m = korvu_stream_new_mem(128, nullptr);
  if (m == nullptr) return nullptr;
  void *params = nullptr;
  KORVU_X509_ALGID *a = nullptr;
  if (encode_value(m, type, value, nullptr, nullptr) == 1 && decode_value(m, 23, &params, nullptr, nullptr, 0) == 1 &&
      korvu_stream_ctrl(m, KORVU_STREAM_CTRL_ATEND, nullptr) == 1)
    a = static_cast<KORVU_X509_ALGID *>(st::new_record(kAlgId, {algorithm, params}));
  value_free(23, params);
  korvu_stream_free(m);
  return a;
}

KORVU_API KORVU_X509_ALGID *korvu_x509algoid_new_without_param(const KORVU_ASN1_OID *algorithm) {
  return static_cast<KORVU_X509_ALGID *>(st::new_record(kAlgId, {algorithm, nullptr}));
}

KORVU_API KORVU_ASN1_OID *korvu_x509algoid_getalgo(const KORVU_X509_ALGID *a) {
  return static_cast<KORVU_ASN1_OID *>(st::get(kAlgId, a, 0));
}
KORVU_API KORVU_ASN1_ANY *korvu_x509algoid_getparam(const KORVU_X509_ALGID *a) {
  return static_cast<KORVU_ASN1_ANY *>(st::get(kAlgId, a, 1));
}
KORVU_API int korvu_x509algoid_hasparam(const KORVU_X509_ALGID *a) { return st::has(kAlgId, a, 1); }
KORVU_API int korvu_x509algoid_isnullparam(const KORVU_X509_ALGID *a) {
  return a != nullptr && a->isNullParameter ? 1 : 0;
}

KORVU_API KORVU_X509_VALIDITY *korvu_x509validity_new(const KORVU_ASN1_TIME *not_before,
                                                     const KORVU_ASN1_TIME *not_after) {
  return static_cast<KORVU_X509_VALIDITY *>(st::new_record(kValidity, {not_before, not_after}));
}
KORVU_API KORVU_ASN1_TIME *korvu_x509validity_getnotbefore(const KORVU_X509_VALIDITY *v) {
  return static_cast<KORVU_ASN1_TIME *>(st::get(kValidity, v, 0));
}
KORVU_API KORVU_ASN1_TIME *korvu_x509validity_getnotafter(const KORVU_X509_VALIDITY *v) {
  return static_cast<KORVU_ASN1_TIME *>(st::get(kValidity, v, 1));
}

KORVU_API KORVU_X509_SPKI *korvu_x509subjpubkeyinfo_new(const KORVU_X509_ALGID *algorithm,
                                                       const KORVU_ASN1_BITSTRING *public_key) {
  return static_cast<KORVU_X509_SPKI *>(st::new_record(kSpki, {algorithm, public_key}));
}
KORVU_API KORVU_X509_ALGID *korvu_x509subjpubkeyinfo_getalgo(const KORVU_X509_SPKI *s) {
  return static_cast<KORVU_X509_ALGID *>(st::get(kSpki, s, 0));
}
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509subjpubkeyinfo_getpubkey(const KORVU_X509_SPKI *s) {
  return static_cast<KORVU_ASN1_BITSTRING *>(st::get(kSpki, s, 1));
}

}  // extern "C"
