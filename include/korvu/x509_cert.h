/* KORVU ASN.1: X.509 certificates, extensions and general names. Included by korvu/asn1.h. */
#ifndef KORVU_X509_CERT_H
#define KORVU_X509_CERT_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- AlgorithmIdentifier (33) ------------------------------------------- */
typedef struct korvu_x509_algid_st {
  KORVU_ASN1_OID *algorithm;
  KORVU_ASN1_ANY *parameters; /* null unless hasParameters */
  uint32_t hasParameters;
  uint32_t isNullParameter; /* parameters are a universal primitive NULL 05 00 */
} KORVU_X509_ALGID;

/* Parameters: `value` encoded as type `type` and kept as ANY. */
KORVU_API KORVU_X509_ALGID *korvu_x509algoid_new(const KORVU_ASN1_OID *algorithm, uint32_t type, const void *value);
KORVU_API KORVU_X509_ALGID *korvu_x509algoid_new_without_param(const KORVU_ASN1_OID *algorithm);
KORVU_API KORVU_ASN1_OID *korvu_x509algoid_getalgo(const KORVU_X509_ALGID *algid);
KORVU_API KORVU_ASN1_ANY *korvu_x509algoid_getparam(const KORVU_X509_ALGID *algid);
KORVU_API int korvu_x509algoid_hasparam(const KORVU_X509_ALGID *algid);
KORVU_API int korvu_x509algoid_isnullparam(const KORVU_X509_ALGID *algid);

/* ---- Validity (34) ------------------------------------------------------ */
typedef struct korvu_x509_validity_st {
  KORVU_ASN1_TIME *notBefore;
  KORVU_ASN1_TIME *notAfter;
} KORVU_X509_VALIDITY;

KORVU_API KORVU_X509_VALIDITY *korvu_x509validity_new(const KORVU_ASN1_TIME *not_before,
                                                     const KORVU_ASN1_TIME *not_after);
KORVU_API KORVU_ASN1_TIME *korvu_x509validity_getnotbefore(const KORVU_X509_VALIDITY *validity);
KORVU_API KORVU_ASN1_TIME *korvu_x509validity_getnotafter(const KORVU_X509_VALIDITY *validity);

/* ---- SubjectPublicKeyInfo (35) ------------------------------------------- */
typedef struct korvu_x509_spki_st {
  KORVU_X509_ALGID *algorithm;
  KORVU_ASN1_BITSTRING *subjectPublicKey;
} KORVU_X509_SPKI;

KORVU_API KORVU_X509_SPKI *korvu_x509subjpubkeyinfo_new(const KORVU_X509_ALGID *algorithm,
                                                       const KORVU_ASN1_BITSTRING *public_key);
KORVU_API KORVU_X509_ALGID *korvu_x509subjpubkeyinfo_getalgo(const KORVU_X509_SPKI *spki);
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509subjpubkeyinfo_getpubkey(const KORVU_X509_SPKI *spki);

#ifdef __cplusplus
}
#endif
#endif
