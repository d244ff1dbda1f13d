/** @file
 * KORVU ASN.1: the certificate store: certificates with per-certificate attributes and the description of where
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
/** The record of PrivKeyId (98): a CHOICE, `choice` is the number of the alternative held and `value` its value. */
typedef struct korvu_certstore_keyid_st {
  uint32_t choice; /**< 0 keyId (UTF8String), 1 algoId (AlgorithmIdentifier) */
  void *value;     /**< the alternative's value, a record of its type */
} KORVU_CERTSTORE_KEYID;

/** A new PrivKeyId (98) holding a copy of the argument as alternative 0; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_CERTSTORE_KEYID *korvu_certstore_keyid_newkeyid(const KORVU_ASN1_STRING *key_id);
/** A new PrivKeyId (98) holding a copy of the argument as alternative 1; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_CERTSTORE_KEYID *korvu_certstore_keyid_newalgoid(const KORVU_X509_ALGID *algo_id);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_certstore_keyid_gettype(const KORVU_CERTSTORE_KEYID *id);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_certstore_keyid_getkeyid(const KORVU_CERTSTORE_KEYID *id);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_X509_ALGID *korvu_certstore_keyid_getalgoid(const KORVU_CERTSTORE_KEYID *id);

/* ---- PrivKeyAttribute (93) ----------------------------------------------- */
/** The record of PrivKeyAttribute (93). */
typedef struct korvu_certstore_privkeyattr_st {
  KORVU_ASN1_STRING *provider;    /**< UTF8String */
  KORVU_ASN1_STRING *subProvider; /**< UTF8String, null when absent */
  KORVU_ASN1_INTEGER *keyType;    /**< [0] IMPLICIT, null when absent */
  KORVU_ASN1_INTEGER *flag;       /**< INTEGER (2) */
  KORVU_CERTSTORE_KEYID *keyId;   /**< [1] EXPLICIT, null when absent */
} KORVU_CERTSTORE_PRIVKEYATTR;

/** A new PrivKeyAttribute (93) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CERTSTORE_PRIVKEYATTR *korvu_certstore_privkeyattr_new(const KORVU_ASN1_STRING *provider,
                                                                      const KORVU_ASN1_STRING *sub_provider,
                                                                      const KORVU_ASN1_INTEGER *key_type,
                                                                      const KORVU_ASN1_INTEGER *flag,
                                                                      const KORVU_CERTSTORE_KEYID *key_id);
/** The record's `provider` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_certstore_privkeyattr_getprovider(const KORVU_CERTSTORE_PRIVKEYATTR *a);
/** The record's `subProvider` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_certstore_privkeyattr_getsubprovider(const KORVU_CERTSTORE_PRIVKEYATTR *a);
/** The record's `keyType` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_certstore_privkeyattr_getkeytype(const KORVU_CERTSTORE_PRIVKEYATTR *a);
/** The record's `flag` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_certstore_privkeyattr_getflag(const KORVU_CERTSTORE_PRIVKEYATTR *a);
/** The record's `keyId` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CERTSTORE_KEYID *korvu_certstore_privkeyattr_getkeyid(const KORVU_CERTSTORE_PRIVKEYATTR *a);

/* ---- StoreAttribute (94) ------------------------------------------------- */
/** The record of StoreAttribute (94). */
typedef struct korvu_certstore_attr_st {
  KORVU_ASN1_INTEGER *type; /**< INTEGER (2) */
  KORVU_ASN1_ANY *value; /**< ANY (23) */
} KORVU_CERTSTORE_ATTR;

/** A new StoreAttribute (94) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CERTSTORE_ATTR *korvu_certstore_attr_new(const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_ANY *value);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_certstore_attr_gettype(const KORVU_CERTSTORE_ATTR *a);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_certstore_attr_getvalue(const KORVU_CERTSTORE_ATTR *a);

/* ---- CertWithAttributes (96) --------------------------------------------- */
/** The record of CertWithAttributes (96). */
typedef struct korvu_certstore_certwithattr_st {
  struct korvu_x509_cert_st *certificate; /**< Certificate (39) */
  KORVU_ASN1_LIST *attributes; /**< StoreAttributeList (95), null when absent */
} KORVU_CERTSTORE_CERTWITHATTR;

/** A new CertWithAttributes (96) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CERTSTORE_CERTWITHATTR *korvu_certstore_certwithattr_new(const struct korvu_x509_cert_st *certificate,
                                                                        const KORVU_ASN1_LIST *attributes);
/** The record's `certificate` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_cert_st *korvu_certstore_certwithattr_getcert(const KORVU_CERTSTORE_CERTWITHATTR *c);
/** The record's `attributes` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_certstore_certwithattr_getattrlist(const KORVU_CERTSTORE_CERTWITHATTR *c);

#ifdef __cplusplus
}
#endif
#endif
