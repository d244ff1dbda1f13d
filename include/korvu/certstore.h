/* KORVU ASN.1: the certificate store: certificates with per-certificate attributes and the description of where
 * each private key lives. Included by korvu/asn1.h.
 *
 *   CertStore ::= SEQUENCE OF CertWithAttributes                        (97: a list of 96)
 *   CertWithAttributes ::= SEQUENCE { certificate Certificate, attributes StoreAttributeList OPTIONAL }
 *   StoreAttributeList ::= SEQUENCE OF StoreAttribute                   (95: a list of 94)
 *   StoreAttribute ::= SEQUENCE { type INTEGER, value ANY }
 *   PrivKeyAttribute ::= SEQUENCE { provider UTF8String, subProvider UTF8String OPTIONAL,
 *     keyType [0] IMPLICIT INTEGER OPTIONAL, flag INTEGER, keyId [1] EXPLICIT PrivKeyId OPTIONAL }
 *   PrivKeyId ::= CHOICE { keyId UTF8String, algoId [0] IMPLICIT AlgorithmIdentifier }
 *
 * Type 91 is a SEQUENCE OF DigestInfo (57), thumbprints of a holder's earlier certificates: a plain list.
 * OPTIONAL components are null pointers when absent. Constructors copy their arguments and return null when a
 * required one is null or a copy fails; getters hand out borrowed pointers. */
#ifndef KORVU_CERTSTORE_H
#define KORVU_CERTSTORE_H
#include "korvu/asn1.h"
#include "korvu/x509_cert.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- PrivKeyId (98) ------------------------------------------------------ */
typedef struct korvu_certstore_keyid_st {
  uint32_t choice; /* 0 keyId (UTF8String), 1 algoId (AlgorithmIdentifier) */
  void *value;
} KORVU_CERTSTORE_KEYID;

KORVU_API KORVU_CERTSTORE_KEYID *korvu_certstore_keyid_newkeyid(const KORVU_ASN1_STRING *key_id);
KORVU_API KORVU_CERTSTORE_KEYID *korvu_certstore_keyid_newalgoid(const KORVU_X509_ALGID *algo_id);
KORVU_API uint32_t korvu_certstore_keyid_gettype(const KORVU_CERTSTORE_KEYID *id);
KORVU_API KORVU_ASN1_STRING *korvu_certstore_keyid_getkeyid(const KORVU_CERTSTORE_KEYID *id);
KORVU_API KORVU_X509_ALGID *korvu_certstore_keyid_getalgoid(const KORVU_CERTSTORE_KEYID *id);

/* ---- PrivKeyAttribute (93) ----------------------------------------------- */
typedef struct korvu_certstore_privkeyattr_st {
  KORVU_ASN1_STRING *provider;    /* UTF8String */
  KORVU_ASN1_STRING *subProvider; /* UTF8String, null when absent */
  KORVU_ASN1_INTEGER *keyType;    /* [0] IMPLICIT, null when absent */
  KORVU_ASN1_INTEGER *flag;
  KORVU_CERTSTORE_KEYID *keyId;   /* [1] EXPLICIT, null when absent */
} KORVU_CERTSTORE_PRIVKEYATTR;

KORVU_API KORVU_CERTSTORE_PRIVKEYATTR *korvu_certstore_privkeyattr_new(const KORVU_ASN1_STRING *provider,
                                                                      const KORVU_ASN1_STRING *sub_provider,
                                                                      const KORVU_ASN1_INTEGER *key_type,
                                                                      const KORVU_ASN1_INTEGER *flag,
                                                                      const KORVU_CERTSTORE_KEYID *key_id);
KORVU_API KORVU_ASN1_STRING *korvu_certstore_privkeyattr_getprovider(const KORVU_CERTSTORE_PRIVKEYATTR *a);
KORVU_API KORVU_ASN1_STRING *korvu_certstore_privkeyattr_getsubprovider(const KORVU_CERTSTORE_PRIVKEYATTR *a);
KORVU_API KORVU_ASN1_INTEGER *korvu_certstore_privkeyattr_getkeytype(const KORVU_CERTSTORE_PRIVKEYATTR *a);
KORVU_API KORVU_ASN1_INTEGER *korvu_certstore_privkeyattr_getflag(const KORVU_CERTSTORE_PRIVKEYATTR *a);
KORVU_API KORVU_CERTSTORE_KEYID *korvu_certstore_privkeyattr_getkeyid(const KORVU_CERTSTORE_PRIVKEYATTR *a);

/* ---- StoreAttribute (94) ------------------------------------------------- */
typedef struct korvu_certstore_attr_st {
  KORVU_ASN1_INTEGER *type;
  KORVU_ASN1_ANY *value;
} KORVU_CERTSTORE_ATTR;

KORVU_API KORVU_CERTSTORE_ATTR *korvu_certstore_attr_new(const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_ANY *value);
KORVU_API KORVU_ASN1_INTEGER *korvu_certstore_attr_gettype(const KORVU_CERTSTORE_ATTR *a);
KORVU_API KORVU_ASN1_ANY *korvu_certstore_attr_getvalue(const KORVU_CERTSTORE_ATTR *a);

/* ---- CertWithAttributes (96) --------------------------------------------- */
typedef struct korvu_certstore_certwithattr_st {
  struct korvu_x509_cert_st *certificate;
  KORVU_ASN1_LIST *attributes; /* StoreAttributeList (95), null when absent */
} KORVU_CERTSTORE_CERTWITHATTR;

KORVU_API KORVU_CERTSTORE_CERTWITHATTR *korvu_certstore_certwithattr_new(const struct korvu_x509_cert_st *certificate,
                                                                        const KORVU_ASN1_LIST *attributes);
KORVU_API struct korvu_x509_cert_st *korvu_certstore_certwithattr_getcert(const KORVU_CERTSTORE_CERTWITHATTR *c);
KORVU_API KORVU_ASN1_LIST *korvu_certstore_certwithattr_getattrlist(const KORVU_CERTSTORE_CERTWITHATTR *c);

#ifdef __cplusplus
}
#endif
#endif
