/** @file
 * KORVU ASN.1: keys and key containers: PKCS #1 RSA keys and their parameters, DSA and ECDSA signature values
 * and domain parameters, PKCS #3 Diffie-Hellman parameters, PKCS #8 private keys, PKCS #5 password-based
 * parameters, PKCS #12 containers and their bags, the CKX container, EC and SM2 private keys and the GM/T 0009
 * key envelopes. Included by korvu/asn1.h.
 *
 * A record holds one owned pointer per component, in the order of the ASN.1. An OPTIONAL component is a null
 * pointer when absent; where a `has` getter exists a 32-bit present flag follows the pointer. An absent DEFAULT
 * component reads as its default value. Every constructor copies its arguments and returns null when a required
 * one is null or a copy fails. Getters hand out borrowed pointers. */
#ifndef KORVU_KEYS_H
#define KORVU_KEYS_H
#include "korvu/asn1.h"
#include "korvu/x509_cert.h"
#include "korvu/cms.h"
#ifdef __cplusplus
extern "C" {
#endif

struct korvu_pkcs7_contentinfo_st;

/* ---- RSAPublicKey (56) --------------------------------------------------- */
/** The record of RSAPublicKey (56). */
typedef struct korvu_rsa_pubkey_st {
  KORVU_ASN1_INTEGER *modulus; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *publicExponent; /**< INTEGER (2) */
} KORVU_RSA_PUBKEY;

/** A new RSAPublicKey (56) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_RSA_PUBKEY *korvu_rsapubkey_new(const KORVU_ASN1_INTEGER *modulus,
                                               const KORVU_ASN1_INTEGER *public_exponent);
/** The record's `modulus` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_rsapubkey_getmodulus(const KORVU_RSA_PUBKEY *key);
/** The record's `publicExponent` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_rsapubkey_getpubexponent(const KORVU_RSA_PUBKEY *key);

/* ---- DigestInfo (57): built and read through the generic operations ------- */
/** The record of DigestInfo (57). */
typedef struct korvu_digestinfo_st {
  KORVU_X509_ALGID *digestAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *digest; /**< OCTET STRING (4) */
} KORVU_DIGESTINFO;

/* ---- Dss-Sig-Value (58) and ECDSA-Sig-Value (59): one record ------------- */
/** The record of Dss-Sig-Value (58) and ECDSA-Sig-Value (59). */
typedef struct korvu_dss_sigvalue_st {
  KORVU_ASN1_INTEGER *r; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *s; /**< INTEGER (2) */
} KORVU_DSS_SIGVALUE;

/** A new Dss-Sig-Value (58) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_DSS_SIGVALUE *korvu_dsssignvalue_new(const KORVU_ASN1_INTEGER *r, const KORVU_ASN1_INTEGER *s);
/** The record's `r` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_dsssignvalue_getr(const KORVU_DSS_SIGVALUE *sig);
/** The record's `s` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_dsssignvalue_gets(const KORVU_DSS_SIGVALUE *sig);

/* ---- Dss-Parms (60) ------------------------------------------------------ */
/** The record of Dss-Parms (60). */
typedef struct korvu_dss_parms_st {
  KORVU_ASN1_INTEGER *p; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *q; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *g; /**< INTEGER (2) */
} KORVU_DSS_PARMS;

/** A new Dss-Parms (60) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_DSS_PARMS *korvu_dssparam_new(const KORVU_ASN1_INTEGER *p, const KORVU_ASN1_INTEGER *q,
                                             const KORVU_ASN1_INTEGER *g);
/** The record's `p` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_dssparam_getp(const KORVU_DSS_PARMS *parms);
/** The record's `q` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_dssparam_getq(const KORVU_DSS_PARMS *parms);
/** The record's `g` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_dssparam_getg(const KORVU_DSS_PARMS *parms);

/* ---- RSAPrivateKey (99), OtherPrimeInfo (144), OtherPrimeInfos (145: a list of 144, SIZE (1..MAX)) -------- */
/** The record of OtherPrimeInfo (144). */
typedef struct korvu_pkcs1_otherprimeinfo_st {
  KORVU_ASN1_INTEGER *prime; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *exponent; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *coefficient; /**< INTEGER (2) */
} KORVU_PKCS1_OTHERPRIMEINFO;

/** A new OtherPrimeInfo (144) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS1_OTHERPRIMEINFO *korvu_pkcs1otherprimeinfo_new(const KORVU_ASN1_INTEGER *prime,
                                                                   const KORVU_ASN1_INTEGER *exponent,
                                                                   const KORVU_ASN1_INTEGER *coefficient);
/** The record's `prime` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1otherprimeinfo_getprime(const KORVU_PKCS1_OTHERPRIMEINFO *info);
/** The record's `exponent` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1otherprimeinfo_getexponent(const KORVU_PKCS1_OTHERPRIMEINFO *info);
/** The record's `coefficient` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1otherprimeinfo_getcoefficient(const KORVU_PKCS1_OTHERPRIMEINFO *info);

/** The record of RSAPrivateKey (99). */
typedef struct korvu_pkcs1_rsaprivkey_st {
  KORVU_ASN1_INTEGER *version;      /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *modulus;      /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *publicExponent; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *privateExponent; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *prime1;       /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *prime2;       /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *exponent1;    /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *exponent2;    /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *coefficient;  /**< INTEGER (2) */
  KORVU_ASN1_LIST *otherPrimeInfos; /**< of OtherPrimeInfo (144), null unless hasOtherPrimeInfos */
  uint32_t hasOtherPrimeInfos;      /**< 1 when `otherPrimeInfos` is present, else 0 */
} KORVU_PKCS1_RSAPRIVKEY;

/** A new RSAPrivateKey (99) of copies of the arguments, in component order; null when a required one is null or
 * building fails. The version is stored as given. other_prime_infos may be null. */
KORVU_API KORVU_PKCS1_RSAPRIVKEY *korvu_pkcs1rsaprivkey_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_ASN1_INTEGER *modulus, const KORVU_ASN1_INTEGER *public_exponent,
    const KORVU_ASN1_INTEGER *private_exponent, const KORVU_ASN1_INTEGER *prime1, const KORVU_ASN1_INTEGER *prime2,
    const KORVU_ASN1_INTEGER *exponent1, const KORVU_ASN1_INTEGER *exponent2, const KORVU_ASN1_INTEGER *coefficient,
    const KORVU_ASN1_LIST *other_prime_infos);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsaprivkey_getversion(const KORVU_PKCS1_RSAPRIVKEY *key);
/** The record's `modulus` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsaprivkey_getmodulus(const KORVU_PKCS1_RSAPRIVKEY *key);
/** The record's `publicExponent` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsaprivkey_getpublicexponent(const KORVU_PKCS1_RSAPRIVKEY *key);
/** The record's `privateExponent` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsaprivkey_getprivateexponent(const KORVU_PKCS1_RSAPRIVKEY *key);
/** The record's `prime1` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsaprivkey_getprime1(const KORVU_PKCS1_RSAPRIVKEY *key);
/** The record's `prime2` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsaprivkey_getprime2(const KORVU_PKCS1_RSAPRIVKEY *key);
/** The record's `exponent1` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsaprivkey_getexponent1(const KORVU_PKCS1_RSAPRIVKEY *key);
/** The record's `exponent2` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsaprivkey_getexponent2(const KORVU_PKCS1_RSAPRIVKEY *key);
/** The record's `coefficient` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsaprivkey_getcoefficient(const KORVU_PKCS1_RSAPRIVKEY *key);
/** 1 when the record's `otherPrimeInfos` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs1rsaprivkey_hasotherprimeinfos(const KORVU_PKCS1_RSAPRIVKEY *key);
/** The record's `otherPrimeInfos` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_pkcs1rsaprivkey_getotherprimeinfos(const KORVU_PKCS1_RSAPRIVKEY *key);

/* ---- RSAES-OAEP-params (100), RSASSA-PSS-params (101) (RFC 4055 defaults) -----------------------------
 * A null constructor argument gives the default: hash {sha1, NULL}, mask generation {mgf1, {sha1, NULL}},
 * pSource {pSpecified, empty OCTET STRING}, salt length 20, trailer field 1. A component whose DER equals its
 * default is left out when encoding. */
/** The record of RSAES-OAEP-params (100). */
typedef struct korvu_pkcs1_rsaesoaepparams_st {
  KORVU_X509_ALGID *hashAlgorithm;    /**< [0] */
  KORVU_X509_ALGID *maskGenAlgorithm; /**< [1] */
  KORVU_X509_ALGID *pSourceAlgorithm; /**< [2] */
} KORVU_PKCS1_RSAESOAEPPARAMS;

/** A new RSAES-OAEP-params (100) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_PKCS1_RSAESOAEPPARAMS *korvu_pkcs1rsaesoaepprarams_new(const KORVU_X509_ALGID *hash_algorithm,
                                                                      const KORVU_X509_ALGID *mask_gen_algorithm,
                                                                      const KORVU_X509_ALGID *p_source_algorithm);
/** The record's `hashAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs1rsaesoaepprarams_gethashalgorithm(const KORVU_PKCS1_RSAESOAEPPARAMS *p);
/** The record's `maskGenAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs1rsaesoaepprarams_getmaskgenalgorithm(const KORVU_PKCS1_RSAESOAEPPARAMS *p);
/** The record's `pSourceAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs1rsaesoaepprarams_getpsourcealgorithm(const KORVU_PKCS1_RSAESOAEPPARAMS *p);

/** The record of RSASSA-PSS-params (101). */
typedef struct korvu_pkcs1_rsassapssparams_st {
  KORVU_X509_ALGID *hashAlgorithm;    /**< [0] */
  KORVU_X509_ALGID *maskGenAlgorithm; /**< [1] */
  KORVU_ASN1_INTEGER *saltLength;     /**< [2] */
  KORVU_ASN1_INTEGER *trailerField;   /**< [3] */
} KORVU_PKCS1_RSASSAPSSPARAMS;

/** A new RSASSA-PSS-params (101) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_PKCS1_RSASSAPSSPARAMS *korvu_pkcs1rsassapssprarams_new(const KORVU_X509_ALGID *hash_algorithm,
                                                                      const KORVU_X509_ALGID *mask_gen_algorithm,
                                                                      const KORVU_ASN1_INTEGER *salt_length,
                                                                      const KORVU_ASN1_INTEGER *trailer_field);
/** The record's `hashAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs1rsassapssprarams_gethashalgorithm(const KORVU_PKCS1_RSASSAPSSPARAMS *p);
/** The record's `maskGenAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs1rsassapssprarams_getmaskgenalgorithm(const KORVU_PKCS1_RSASSAPSSPARAMS *p);
/** The record's `saltLength` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsassapssprarams_getsaltlen(const KORVU_PKCS1_RSASSAPSSPARAMS *p);
/** The record's `trailerField` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs1rsassapssprarams_gettrailerfield(const KORVU_PKCS1_RSASSAPSSPARAMS *p);

/* ---- DHParameter (102, PKCS #3) ----------------------------------------- */
/** The record of DHParameter (102). */
typedef struct korvu_pkcs3_dhparam_st {
  KORVU_ASN1_INTEGER *prime;              /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *base;               /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *privateValueLength; /**< null unless hasPrivateValueLength */
  uint32_t hasPrivateValueLength;         /**< 1 when `privateValueLength` is present, else 0 */
} KORVU_PKCS3_DHPARAM;

/** A new DHParameter (102) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS3_DHPARAM *korvu_pkcs3dhpraram_new(const KORVU_ASN1_INTEGER *prime,
                                                      const KORVU_ASN1_INTEGER *base,
                                                      const KORVU_ASN1_INTEGER *private_value_length);
/** The record's `prime` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs3dhpraram_getprime(const KORVU_PKCS3_DHPARAM *p);
/** The record's `base` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs3dhpraram_getbase(const KORVU_PKCS3_DHPARAM *p);
/** 1 when the record's `privateValueLength` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs3dhpraram_hasprivvaluelen(const KORVU_PKCS3_DHPARAM *p);
/** The record's `privateValueLength` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs3dhpraram_getprivvaluelen(const KORVU_PKCS3_DHPARAM *p);

/* ---- PrivateKeyInfo (103), EncryptedPrivateKeyInfo (104) (RFC 5208) -------------------------------------- */
/** The record of PrivateKeyInfo (103). */
typedef struct korvu_pkcs8_privkeyinfo_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_X509_ALGID *privateKeyAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *privateKey; /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *attributes; /**< [0] IMPLICIT Attributes (44), null unless hasAttributes */
  uint32_t hasAttributes;      /**< 1 when `attributes` is present, else 0 */
} KORVU_PKCS8_PRIVKEYINFO;

/** A new PrivateKeyInfo (103) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS8_PRIVKEYINFO *korvu_pkcs8privatekeyinfo_new(const KORVU_ASN1_INTEGER *version,
                                                                const KORVU_X509_ALGID *private_key_algorithm,
                                                                const KORVU_ASN1_OCTETSTRING *private_key,
                                                                const KORVU_ASN1_LIST *attributes);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs8privatekeyinfo_getversion(const KORVU_PKCS8_PRIVKEYINFO *info);
/** The record's `privateKeyAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs8privatekeyinfo_getprivkeyalgo(const KORVU_PKCS8_PRIVKEYINFO *info);
/** The record's `privateKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs8privatekeyinfo_getprivkey(const KORVU_PKCS8_PRIVKEYINFO *info);
/** 1 when the record's `attributes` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs8privatekeyinfo_hasattrs(const KORVU_PKCS8_PRIVKEYINFO *info);
/** The record's `attributes` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_pkcs8privatekeyinfo_getattrs(const KORVU_PKCS8_PRIVKEYINFO *info);

/** The record of EncryptedPrivateKeyInfo (104). */
typedef struct korvu_pkcs8_encprivkeyinfo_st {
  KORVU_X509_ALGID *encryptionAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *encryptedData; /**< OCTET STRING (4) */
} KORVU_PKCS8_ENCPRIVKEYINFO;

/** A new EncryptedPrivateKeyInfo (104) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_PKCS8_ENCPRIVKEYINFO *korvu_pkcs8encprivatekeyinfo_new(const KORVU_X509_ALGID *encryption_algorithm,
                                                                      const KORVU_ASN1_OCTETSTRING *encrypted_data);
/** The record's `encryptionAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs8encprivatekeyinfo_getencalgo(const KORVU_PKCS8_ENCPRIVKEYINFO *info);
/** The record's `encryptedData` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs8encprivatekeyinfo_getencdata(const KORVU_PKCS8_ENCPRIVKEYINFO *info);

/* ---- PKCS #5 (RFC 8018): PBKDF2 salt (146, a CHOICE), PBKDF2-params (105), GM/T 0091 PBKDF-params (424),
 * PBEParameter (106), PBES2-params (107), PBMAC1-params (108), RC2-CBC-Parameter (109),
 * RC5-CBC-Parameters (110) ------------------------------------------------------------------------------ */
/** The record of PBKDF2 salt (146): a CHOICE, `choice` is the number of the alternative held and `value` its
 * value. */
typedef struct korvu_pkcs5_pbkdf2salt_st {
  uint32_t choice; /**< 0 specified (OCTET STRING), 1 otherSource (AlgorithmIdentifier) */
  void *value;     /**< the alternative's value, a record of its type */
} KORVU_PKCS5_PBKDF2SALT;

/** A new PBKDF2 salt (146) holding a copy of the argument as alternative 0; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_PKCS5_PBKDF2SALT *korvu_pkcs5pbkdf2paramssalt_newvalue(const KORVU_ASN1_OCTETSTRING *specified);
/** A new PBKDF2 salt (146) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_PKCS5_PBKDF2SALT *korvu_pkcs5pbkdf2paramssalt_newother(const KORVU_X509_ALGID *other_source);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_pkcs5pbkdf2paramssalt_gettype(const KORVU_PKCS5_PBKDF2SALT *salt);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs5pbkdf2paramssalt_getvalue(const KORVU_PKCS5_PBKDF2SALT *salt);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs5pbkdf2paramssalt_getother(const KORVU_PKCS5_PBKDF2SALT *salt);

/** PBKDF2-params and GM/T 0091 PBKDF-params share this record. The prf is never null: absent it is
 * {hmacWithSHA1, NULL} (105) or {HMAC-SM3, NULL} (424), and exactly that value is left out when encoding. */
typedef struct korvu_pkcs5_pbkdf2params_st {
  KORVU_PKCS5_PBKDF2SALT *salt;  /**< PBKDF2 salt (146) */
  KORVU_ASN1_INTEGER *iterationCount; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *keyLength; /**< null unless hasKeyLength */
  uint32_t hasKeyLength;         /**< 1 when `keyLength` is present, else 0 */
  KORVU_X509_ALGID *prf;         /**< AlgorithmIdentifier (33), DEFAULT */
} KORVU_PKCS5_PBKDF2PARAMS;

/** A new PBKDF2-params (105) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS5_PBKDF2PARAMS *korvu_pkcs5pbkdf2params_new(const KORVU_PKCS5_PBKDF2SALT *salt,
                                                               const KORVU_ASN1_INTEGER *iteration_count,
                                                               const KORVU_ASN1_INTEGER *key_length,
                                                               const KORVU_X509_ALGID *prf);
/** The record's `salt` (not a copy), null for a null record. */
KORVU_API KORVU_PKCS5_PBKDF2SALT *korvu_pkcs5pbkdf2params_getsalt(const KORVU_PKCS5_PBKDF2PARAMS *p);
/** The record's `iterationCount` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs5pbkdf2params_getitercount(const KORVU_PKCS5_PBKDF2PARAMS *p);
/** 1 when the record's `keyLength` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs5pbkdf2params_haskeylen(const KORVU_PKCS5_PBKDF2PARAMS *p);
/** The record's `keyLength` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs5pbkdf2params_getkeylen(const KORVU_PKCS5_PBKDF2PARAMS *p);
/** The record's `prf` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs5pbkdf2params_getprf(const KORVU_PKCS5_PBKDF2PARAMS *p);

/** GM/T 0091 PBKDF-params: the same record as PBKDF2-params. */
typedef KORVU_PKCS5_PBKDF2PARAMS KORVU_GMT0091_PBKDFPARAMS;
/** A new GM/T 0091 PBKDF-params (424) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_GMT0091_PBKDFPARAMS *korvu_gmt0091pbkdfparams_new(const KORVU_PKCS5_PBKDF2SALT *salt,
                                                                 const KORVU_ASN1_INTEGER *iteration_count,
                                                                 const KORVU_ASN1_INTEGER *dk_len,
                                                                 const KORVU_X509_ALGID *prf);
/** The record's `salt` (not a copy), null for a null record. */
KORVU_API KORVU_PKCS5_PBKDF2SALT *korvu_gmt0091pbkdfparams_getsalt(const KORVU_GMT0091_PBKDFPARAMS *p);
/** The record's `iterationCount` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_gmt0091pbkdfparams_getitercount(const KORVU_GMT0091_PBKDFPARAMS *p);
/** 1 when the record's `keyLength` is present, 0 when absent or for a null record. */
KORVU_API int korvu_gmt0091pbkdfparams_hasdklen(const KORVU_GMT0091_PBKDFPARAMS *p);
/** The record's `keyLength` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_gmt0091pbkdfparams_getdklen(const KORVU_GMT0091_PBKDFPARAMS *p);
/** The record's `prf` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_gmt0091pbkdfparams_getprf(const KORVU_GMT0091_PBKDFPARAMS *p);

/** PBEParameter: the constructor refuses a salt that is not 8 octets (decoding takes any). */
typedef struct korvu_pkcs5_pbeparam_st {
  KORVU_ASN1_OCTETSTRING *salt; /**< OCTET STRING (4) */
  KORVU_ASN1_INTEGER *iterationCount; /**< INTEGER (2) */
} KORVU_PKCS5_PBEPARAM;

/** A new PBEParameter (106) of copies of the arguments, in component order; null when one is null, the salt is not
 * 8 octets long, or building fails. */
KORVU_API KORVU_PKCS5_PBEPARAM *korvu_pkcs5pbeparam_new(const KORVU_ASN1_OCTETSTRING *salt,
                                                       const KORVU_ASN1_INTEGER *iteration_count);
/** The record's `salt` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs5pbeparam_getsalt(const KORVU_PKCS5_PBEPARAM *p);
/** The record's `iterationCount` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs5pbeparam_getitercount(const KORVU_PKCS5_PBEPARAM *p);

/** The record of PBES2-params (107). */
typedef struct korvu_pkcs5_pbes2params_st {
  KORVU_X509_ALGID *keyDerivationFunc; /**< AlgorithmIdentifier (33) */
  KORVU_X509_ALGID *encryptionScheme; /**< AlgorithmIdentifier (33) */
} KORVU_PKCS5_PBES2PARAMS;

/** A new PBES2-params (107) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS5_PBES2PARAMS *korvu_pkcs5pbes2params_new(const KORVU_X509_ALGID *key_derivation_func,
                                                             const KORVU_X509_ALGID *encryption_scheme);
/** The record's `keyDerivationFunc` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs5pbes2params_getkeyderivfunc(const KORVU_PKCS5_PBES2PARAMS *p);
/** The record's `encryptionScheme` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs5pbes2params_getencscheme(const KORVU_PKCS5_PBES2PARAMS *p);

/** The record of PBMAC1-params (108). */
typedef struct korvu_pkcs5_pbmac1params_st {
  KORVU_X509_ALGID *keyDerivationFunc; /**< AlgorithmIdentifier (33) */
  KORVU_X509_ALGID *messageAuthScheme; /**< AlgorithmIdentifier (33) */
} KORVU_PKCS5_PBMAC1PARAMS;

/** A new PBMAC1-params (108) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS5_PBMAC1PARAMS *korvu_pkcs5pbmac1params_new(const KORVU_X509_ALGID *key_derivation_func,
                                                               const KORVU_X509_ALGID *message_auth_scheme);
/** The record's `keyDerivationFunc` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs5pbmac1params_getkeyderivfunc(const KORVU_PKCS5_PBMAC1PARAMS *p);
/** The record's `messageAuthScheme` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs5pbmac1params_getauthscheme(const KORVU_PKCS5_PBMAC1PARAMS *p);

/** The record of RC2-CBC-Parameter (109). */
typedef struct korvu_pkcs5_rc2cbcparam_st {
  KORVU_ASN1_INTEGER *rc2ParameterVersion; /**< null unless hasVersion */
  uint32_t hasVersion;                     /**< 1 when `rc2ParameterVersion` is present, else 0 */
  KORVU_ASN1_OCTETSTRING *iv;              /**< OCTET STRING (4) */
} KORVU_PKCS5_RC2CBCPARAM;

/** A new RC2-CBC-Parameter (109) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_PKCS5_RC2CBCPARAM *korvu_pkcs5rc2cbcparameter_new(const KORVU_ASN1_INTEGER *version,
                                                                 const KORVU_ASN1_OCTETSTRING *iv);
/** 1 when the record's `rc2ParameterVersion` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs5rc2cbcparameter_hasversion(const KORVU_PKCS5_RC2CBCPARAM *p);
/** The record's `rc2ParameterVersion` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs5rc2cbcparameter_getversion(const KORVU_PKCS5_RC2CBCPARAM *p);
/** The record's `iv` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs5rc2cbcparameter_getiv(const KORVU_PKCS5_RC2CBCPARAM *p);

/** The record of RC5-CBC-Parameters (110). */
typedef struct korvu_pkcs5_rc5cbcparam_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *rounds; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *blockSizeInBits; /**< INTEGER (2) */
  KORVU_ASN1_OCTETSTRING *iv; /**< null unless hasIv */
  uint32_t hasIv;             /**< 1 when `iv` is present, else 0 */
} KORVU_PKCS5_RC5CBCPARAM;

/** A new RC5-CBC-Parameters (110) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_PKCS5_RC5CBCPARAM *korvu_pkcs5rc5cbcparameter_new(const KORVU_ASN1_INTEGER *version,
                                                                 const KORVU_ASN1_INTEGER *rounds,
                                                                 const KORVU_ASN1_INTEGER *block_size_in_bits,
                                                                 const KORVU_ASN1_OCTETSTRING *iv);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs5rc5cbcparameter_getversion(const KORVU_PKCS5_RC5CBCPARAM *p);
/** The record's `rounds` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs5rc5cbcparameter_getrounds(const KORVU_PKCS5_RC5CBCPARAM *p);
/** The record's `blockSizeInBits` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs5rc5cbcparameter_getblockbits(const KORVU_PKCS5_RC5CBCPARAM *p);
/** 1 when the record's `iv` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs5rc5cbcparameter_hasiv(const KORVU_PKCS5_RC5CBCPARAM *p);
/** The record's `iv` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs5rc5cbcparameter_getiv(const KORVU_PKCS5_RC5CBCPARAM *p);

/* ---- PKCS #12 (RFC 7292): MacData (112), PFX (113), AuthenticatedSafe (114: a list of ContentInfo 111),
 * SafeBag (115), SafeContents (116: a list of 115), CertBag (117), CRLBag (118), SecretBag (119),
 * PKCS12PbeParams (120); CKX MacData (425) and CKX (426) ------------------------------------------------- */
/** MacData and CKX MacData share this record; iterations is never null (absent: 1, or 1024 for CKX) and a value
 * equal to the default is left out when encoding. */
typedef struct korvu_pkcs12_macdata_st {
  KORVU_DIGESTINFO *mac; /**< DigestInfo (57) */
  KORVU_ASN1_OCTETSTRING *macSalt; /**< OCTET STRING (4) */
  KORVU_ASN1_INTEGER *iterations; /**< INTEGER (2), DEFAULT */
} KORVU_PKCS12_MACDATA;

/** A new MacData (112) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS12_MACDATA *korvu_pkcs12macdata_new(const KORVU_DIGESTINFO *mac,
                                                       const KORVU_ASN1_OCTETSTRING *mac_salt,
                                                       const KORVU_ASN1_INTEGER *iterations);
/** The record's `mac` (not a copy), null for a null record. */
KORVU_API KORVU_DIGESTINFO *korvu_pkcs12macdata_getmac(const KORVU_PKCS12_MACDATA *m);
/** The record's `macSalt` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs12macdata_getsalt(const KORVU_PKCS12_MACDATA *m);
/** The record's `iterations` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs12macdata_getitercount(const KORVU_PKCS12_MACDATA *m);

/** CKX MacData: the same record as PKCS #12 MacData. */
typedef KORVU_PKCS12_MACDATA KORVU_CKX_MACDATA;
/** A new CKX MacData (425) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CKX_MACDATA *korvu_ckxmacdata_new(const KORVU_DIGESTINFO *mac, const KORVU_ASN1_OCTETSTRING *mac_salt,
                                                 const KORVU_ASN1_INTEGER *iterations);
/** The record's `mac` (not a copy), null for a null record. */
KORVU_API KORVU_DIGESTINFO *korvu_ckxmacdata_getmac(const KORVU_CKX_MACDATA *m);
/** The record's `macSalt` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ckxmacdata_getsalt(const KORVU_CKX_MACDATA *m);
/** The record's `iterations` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ckxmacdata_getitercount(const KORVU_CKX_MACDATA *m);

/** PFX and CKX share this record (macData: a MacData, or a CKX MacData for CKX). */
typedef struct korvu_pkcs12_pfx_st {
  KORVU_ASN1_INTEGER *version;   /**< INTEGER (2) */
  struct korvu_pkcs7_contentinfo_st *authSafe; /**< ContentInfo (111) */
  KORVU_PKCS12_MACDATA *macData; /**< null unless hasMacData */
  uint32_t hasMacData;           /**< 1 when `macData` is present, else 0 */
  uint32_t indefinite; /**< indefinite lengths as received, written so again (0 when built) */
} KORVU_PKCS12_PFX;

/** A new PFX (113) of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_PKCS12_PFX *korvu_pkcs12pfx_new(const KORVU_ASN1_INTEGER *version,
                                               const struct korvu_pkcs7_contentinfo_st *auth_safe,
                                               const KORVU_PKCS12_MACDATA *mac_data);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs12pfx_getversion(const KORVU_PKCS12_PFX *pfx);
/** The record's `authSafe` (not a copy), null for a null record. */
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_pkcs12pfx_getauthsafe(const KORVU_PKCS12_PFX *pfx);
/** 1 when the record's `macData` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs12pfx_hasmac(const KORVU_PKCS12_PFX *pfx);
/** The record's `macData` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_PKCS12_MACDATA *korvu_pkcs12pfx_getmac(const KORVU_PKCS12_PFX *pfx);

/** CKX: the same record as PKCS #12 PFX. */
typedef KORVU_PKCS12_PFX KORVU_CKX;
/** A new CKX (426) of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_CKX *korvu_ckx_new(const KORVU_ASN1_INTEGER *version, const struct korvu_pkcs7_contentinfo_st *auth_safe,
                                  const KORVU_CKX_MACDATA *mac_data);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ckx_getversion(const KORVU_CKX *ckx);
/** The record's `authSafe` (not a copy), null for a null record. */
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_ckx_getauthsafe(const KORVU_CKX *ckx);
/** 1 when the record's `macData` is present, 0 when absent or for a null record. */
KORVU_API int korvu_ckx_hasmac(const KORVU_CKX *ckx);
/** The record's `macData` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CKX_MACDATA *korvu_ckx_getmac(const KORVU_CKX *ckx);

/** The record of SafeBag (115). */
typedef struct korvu_pkcs12_safebag_st {
  KORVU_ASN1_OID *bagId;           /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *bagValue;        /**< [0] EXPLICIT */
  KORVU_ASN1_LIST *bagAttributes;  /**< Attributes (44), null unless hasBagAttributes */
  uint32_t hasBagAttributes;       /**< 1 when `bagAttributes` is present, else 0 */
  uint32_t indefinite; /**< indefinite lengths as received, written so again (0 when built) */
} KORVU_PKCS12_SAFEBAG;

/** A new SafeBag (115) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS12_SAFEBAG *korvu_pkcs12safebag_new(const KORVU_ASN1_OID *bag_id, const KORVU_ASN1_ANY *bag_value,
                                                       const KORVU_ASN1_LIST *bag_attributes);
/** The record's `bagId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_pkcs12safebag_getid(const KORVU_PKCS12_SAFEBAG *bag);
/** The record's `bagValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_pkcs12safebag_getvalue(const KORVU_PKCS12_SAFEBAG *bag);
/** 1 when the record's `bagAttributes` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs12safebag_hasattrs(const KORVU_PKCS12_SAFEBAG *bag);
/** The record's `bagAttributes` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_pkcs12safebag_getattrs(const KORVU_PKCS12_SAFEBAG *bag);

/** CertBag, CRLBag and SecretBag share this record: { id OBJECT IDENTIFIER, value [0] EXPLICIT ANY }. */
typedef struct korvu_pkcs12_typedbag_st {
  KORVU_ASN1_OID *id; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *value; /**< ANY (23), [0] EXPLICIT */
  uint32_t indefinite; /**< indefinite lengths as received, written so again (0 when built) */
} KORVU_PKCS12_TYPEDBAG;

/** A new CertBag (117) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS12_TYPEDBAG *korvu_pkcs12certbag_new(const KORVU_ASN1_OID *cert_id,
                                                        const KORVU_ASN1_ANY *cert_value);
/** The record's `id` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_pkcs12certbag_getid(const KORVU_PKCS12_TYPEDBAG *bag);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_pkcs12certbag_getvalue(const KORVU_PKCS12_TYPEDBAG *bag);
/** A new CRLBag (118) of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_PKCS12_TYPEDBAG *korvu_pkcs12crlbag_new(const KORVU_ASN1_OID *crl_id, const KORVU_ASN1_ANY *crl_value);
/** The record's `id` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_pkcs12crlbag_getid(const KORVU_PKCS12_TYPEDBAG *bag);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_pkcs12crlbag_getvalue(const KORVU_PKCS12_TYPEDBAG *bag);
/** A new SecretBag (119) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS12_TYPEDBAG *korvu_pkcs12secretbag_new(const KORVU_ASN1_OID *secret_type_id,
                                                          const KORVU_ASN1_ANY *secret_value);
/** The record's `id` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_pkcs12secretbag_getid(const KORVU_PKCS12_TYPEDBAG *bag);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_pkcs12secretbag_getvalue(const KORVU_PKCS12_TYPEDBAG *bag);

/** The record of PKCS12PbeParams (120). */
typedef struct korvu_pkcs12_pbeparams_st {
  KORVU_ASN1_OCTETSTRING *salt; /**< OCTET STRING (4) */
  KORVU_ASN1_INTEGER *iterations; /**< INTEGER (2) */
} KORVU_PKCS12_PBEPARAMS;

/** A new PKCS12PbeParams (120) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS12_PBEPARAMS *korvu_pkcs12pbeparams_new(const KORVU_ASN1_OCTETSTRING *salt,
                                                           const KORVU_ASN1_INTEGER *iterations);
/** The record's `salt` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs12pbeparams_getsalt(const KORVU_PKCS12_PBEPARAMS *p);
/** The record's `iterations` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs12pbeparams_getitercount(const KORVU_PKCS12_PBEPARAMS *p);

/* ---- EcpkParameters (201, a CHOICE), ECPrivateKey (202, RFC 5915 and its SM2 form) ------------------------ */
/** The record of EcpkParameters (201): a CHOICE, `choice` is the number of the alternative held and `value` its
 * value. */
typedef struct korvu_ec_pkparams_st {
  uint32_t choice; /**< 1 ecParameters (a list of ANY, type 25), 2 namedCurve (OID), 3 implicitlyCA (NULL) */
  void *value;     /**< the alternative's value, a record of its type */
} KORVU_EC_PKPARAMS;

/** A new EcpkParameters (201) holding a copy of the argument as alternative 2; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_EC_PKPARAMS *korvu_ecpkparameters_new_namedcurve(const KORVU_ASN1_OID *named_curve);
/** A new ECPKParameters holding implicitlyCA (alternative 3, NULL); null without memory. */
KORVU_API KORVU_EC_PKPARAMS *korvu_ecpkparameters_new_implicitlyca(void);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_ecpkparameters_gettype(const KORVU_EC_PKPARAMS *p);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OID *korvu_ecpkparameters_namedcurve(const KORVU_EC_PKPARAMS *p);

/** The private key is an OCTET STRING (standard form, isSm2 0) or an INTEGER (SM2 form, isSm2 1); exactly one
 * of privateKey and sm2PrivateKey is present. */
typedef struct korvu_ec_privkey_st {
  KORVU_ASN1_INTEGER *version;     /**< INTEGER (2) */
  uint32_t isSm2;                  /**< 1 for the SM2 form (INTEGER key), 0 for the standard form */
  KORVU_ASN1_OCTETSTRING *privateKey; /**< OCTET STRING (4), OPTIONAL: null when absent */
  KORVU_ASN1_INTEGER *sm2PrivateKey; /**< INTEGER (2), OPTIONAL: null when absent */
  KORVU_EC_PKPARAMS *parameters;  /**< [0] EXPLICIT, null when absent */
  KORVU_ASN1_BITSTRING *publicKey; /**< [1] EXPLICIT, null when absent */
} KORVU_EC_PRIVKEY;

/** A new ECPrivateKey (202) in the standard form (an OCTET STRING key) of copies of the arguments (`parameters`
 * and `public_key` may be null); null when `version` or `private_key` is null or building fails. */
KORVU_API KORVU_EC_PRIVKEY *korvu_ecprivatekey_new(const KORVU_ASN1_INTEGER *version,
                                                  const KORVU_ASN1_OCTETSTRING *private_key,
                                                  const KORVU_EC_PKPARAMS *parameters,
                                                  const KORVU_ASN1_BITSTRING *public_key);
/** A new ECPrivateKey (202) in the SM2 form (an INTEGER key) of copies of the arguments (`parameters` may be
 * null); null when `version`, `private_key` or `public_key` is null or building fails. */
KORVU_API KORVU_EC_PRIVKEY *korvu_ecprivatekey_newsm2(const KORVU_ASN1_INTEGER *version,
                                                     const KORVU_ASN1_INTEGER *private_key,
                                                     const KORVU_EC_PKPARAMS *parameters,
                                                     const KORVU_ASN1_BITSTRING *public_key);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ecprivatekey_getversion(const KORVU_EC_PRIVKEY *key);
/** 1 when the key is in the SM2 form, else 0 (also for null). */
KORVU_API int korvu_ecprivatekey_issm2privkey(const KORVU_EC_PRIVKEY *key);
/** The OCTET STRING key (not a copy) of the standard form; null for the SM2 form or a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ecprivatekey_getprivkey(const KORVU_EC_PRIVKEY *key);
/** The INTEGER key (not a copy) of the SM2 form; null for the standard form or a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ecprivatekey_getsm2privkey(const KORVU_EC_PRIVKEY *key);
/** The record's `parameters` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_EC_PKPARAMS *korvu_ecprivatekey_getparam(const KORVU_EC_PRIVKEY *key);
/** The record's `publicKey` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ecprivatekey_getpubkey(const KORVU_EC_PRIVKEY *key);

/* ---- GM/T 0009 key envelopes: SM2Cipher (203), SM2EnvelopedKey (204), RSAEnvelopedKeyPair (205),
 * EccEnvelopedKeyPair (301), InnerEnvelopedKeyPair (206, a CHOICE), EnvelopedKeyPair (207) ---------------- */
/** The record of SM2Cipher (203). */
typedef struct korvu_sm2_cipher_st {
  KORVU_ASN1_INTEGER *xCoordinate; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *yCoordinate; /**< INTEGER (2) */
  KORVU_ASN1_OCTETSTRING *hash; /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *cipherText; /**< OCTET STRING (4) */
} KORVU_SM2_CIPHER;

/** A new SM2Cipher (203) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM2_CIPHER *korvu_sm2cipher_new(const KORVU_ASN1_INTEGER *x, const KORVU_ASN1_INTEGER *y,
                                               const KORVU_ASN1_OCTETSTRING *hash,
                                               const KORVU_ASN1_OCTETSTRING *cipher_text);
/** The record's `xCoordinate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm2cipher_getx(const KORVU_SM2_CIPHER *c);
/** The record's `yCoordinate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm2cipher_gety(const KORVU_SM2_CIPHER *c);
/** The record's `hash` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm2cipher_gethash(const KORVU_SM2_CIPHER *c);
/** The record's `cipherText` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm2cipher_getciphertext(const KORVU_SM2_CIPHER *c);

/** The record of SM2EnvelopedKey (204). */
typedef struct korvu_sm2_envelopedkey_st {
  KORVU_X509_ALGID *symAlgID; /**< AlgorithmIdentifier (33) */
  KORVU_SM2_CIPHER *symEncryptedKey; /**< SM2Cipher (203) */
  KORVU_ASN1_BITSTRING *sm2PublicKey; /**< BIT STRING (3) */
  KORVU_ASN1_BITSTRING *sm2EncryptedPrivateKey; /**< BIT STRING (3) */
} KORVU_SM2_ENVELOPEDKEY;

/** A new SM2EnvelopedKey (204) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM2_ENVELOPEDKEY *korvu_sm2envelopedkey_new(const KORVU_X509_ALGID *sym_alg_id,
                                                           const KORVU_SM2_CIPHER *sym_encrypted_key,
                                                           const KORVU_ASN1_BITSTRING *sm2_public_key,
                                                           const KORVU_ASN1_BITSTRING *sm2_encrypted_private_key);
/** The record's `symAlgID` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_sm2envelopedkey_getsymalgid(const KORVU_SM2_ENVELOPEDKEY *k);
/** The record's `symEncryptedKey` (not a copy), null for a null record. */
KORVU_API KORVU_SM2_CIPHER *korvu_sm2envelopedkey_getsymencryptedkey(const KORVU_SM2_ENVELOPEDKEY *k);
/** The record's `sm2PublicKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_sm2envelopedkey_getsm2publickey(const KORVU_SM2_ENVELOPEDKEY *k);
/** The record's `sm2EncryptedPrivateKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_sm2envelopedkey_getsm2encryptedprivatekey(const KORVU_SM2_ENVELOPEDKEY *k);

/** The record of RSAEnvelopedKeyPair (205). */
typedef struct korvu_rsa_envelopedkeypair_st {
  KORVU_X509_ALGID *symAlgID; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *symEncryptedKey; /**< OCTET STRING (4) */
  KORVU_RSA_PUBKEY *rsaPublicKey; /**< RSAPublicKey (56) */
  KORVU_ASN1_OCTETSTRING *rsaEncryptedPrivateKey; /**< OCTET STRING (4) */
} KORVU_RSA_ENVELOPEDKEYPAIR;

/** A new RSAEnvelopedKeyPair (205) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_RSA_ENVELOPEDKEYPAIR *korvu_rsaenvelopedkeypair_new(const KORVU_X509_ALGID *sym_alg_id,
                                                                   const KORVU_ASN1_OCTETSTRING *sym_encrypted_key,
                                                                   const KORVU_RSA_PUBKEY *rsa_public_key,
                                                                   const KORVU_ASN1_OCTETSTRING *rsa_encrypted_private_key);
/** The record's `symAlgID` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_rsaenvelopedkeypair_getsymalgid(const KORVU_RSA_ENVELOPEDKEYPAIR *k);
/** The record's `symEncryptedKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_rsaenvelopedkeypair_getsymencryptedkey(const KORVU_RSA_ENVELOPEDKEYPAIR *k);
/** The record's `rsaPublicKey` (not a copy), null for a null record. */
KORVU_API KORVU_RSA_PUBKEY *korvu_rsaenvelopedkeypair_getrsapublickey(const KORVU_RSA_ENVELOPEDKEYPAIR *k);
/** The record's `rsaEncryptedPrivateKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_rsaenvelopedkeypair_getrsaencryptedprivatekey(
    const KORVU_RSA_ENVELOPEDKEYPAIR *k);

/** EccEnvelopedKeyPair (301) ::= SEQUENCE { symAlgId AlgorithmIdentifier, originatorKey SubjectPublicKeyInfo,
 *   hashAlgo AlgorithmIdentifier, sharedInfo ECC-CMS-SharedInfo, encryptedKey OCTET STRING,
 *   eccPublicKey OCTET STRING, eccEncryptedPrivateKey OCTET STRING } */
typedef struct korvu_ecc_envelopedkeypair_st {
  KORVU_X509_ALGID *symAlgId;                     /**< AlgorithmIdentifier (33) */
  KORVU_X509_SPKI *originatorKey;                 /**< SubjectPublicKeyInfo (35) */
  KORVU_X509_ALGID *hashAlgo;                     /**< AlgorithmIdentifier (33) */
  struct korvu_ecc_cms_sharedinfo_st *sharedInfo; /**< ECC-CMS-SharedInfo (292), korvu/cms_enveloped.h */
  KORVU_ASN1_OCTETSTRING *encryptedKey;           /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *eccPublicKey;           /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *eccEncryptedPrivateKey; /**< OCTET STRING (4) */
} KORVU_ECC_ENVELOPEDKEYPAIR;

/** A new EccEnvelopedKeyPair (301) of copies of the arguments, in component order; null when a required one is
 * null or building fails. All seven components are required; each is copied. */
KORVU_API KORVU_ECC_ENVELOPEDKEYPAIR *korvu_eccenvelopedkeypair_new(
    const KORVU_X509_ALGID *sym_alg_id, const KORVU_X509_SPKI *originator_key, const KORVU_X509_ALGID *hash_algo,
    const struct korvu_ecc_cms_sharedinfo_st *shared_info, const KORVU_ASN1_OCTETSTRING *encrypted_key,
    const KORVU_ASN1_OCTETSTRING *ecc_public_key, const KORVU_ASN1_OCTETSTRING *ecc_encrypted_private_key);
/** The record's `symAlgId` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_eccenvelopedkeypair_getsymalgid(const KORVU_ECC_ENVELOPEDKEYPAIR *k);
/** The record's `originatorKey` (not a copy), null for a null record. */
KORVU_API KORVU_X509_SPKI *korvu_eccenvelopedkeypair_getoriginatorkey(const KORVU_ECC_ENVELOPEDKEYPAIR *k);
/** The record's `hashAlgo` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_eccenvelopedkeypair_gethashalgo(const KORVU_ECC_ENVELOPEDKEYPAIR *k);
/** The record's `sharedInfo` (not a copy), null for a null record. */
KORVU_API struct korvu_ecc_cms_sharedinfo_st *korvu_eccenvelopedkeypair_getsharedinfo(
    const KORVU_ECC_ENVELOPEDKEYPAIR *k);
/** The record's `encryptedKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_eccenvelopedkeypair_getencryptedkey(const KORVU_ECC_ENVELOPEDKEYPAIR *k);
/** The record's `eccPublicKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_eccenvelopedkeypair_geteccpublickey(const KORVU_ECC_ENVELOPEDKEYPAIR *k);
/** The record's `eccEncryptedPrivateKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_eccenvelopedkeypair_geteccencryptedprivatekey(
    const KORVU_ECC_ENVELOPEDKEYPAIR *k);

/** The record of InnerEnvelopedKeyPair (206): a CHOICE, `choice` is the number of the alternative held and `value`
 * its value. */
typedef struct korvu_inner_envelopedkeypair_st {
  uint32_t choice; /**< 1 rsa [1], 2 sm2 [0], 3 ecc [2], each EXPLICIT */
  void *value;     /**< the alternative's value, a record of its type */
} KORVU_INNER_ENVELOPEDKEYPAIR;

/** A new InnerEnvelopedKeyPair (206) holding a copy of the argument as alternative 1; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_INNER_ENVELOPEDKEYPAIR *korvu_innerenvelopedkeypair_newrsa(const KORVU_RSA_ENVELOPEDKEYPAIR *rsa);
/** A new InnerEnvelopedKeyPair (206) holding a copy of the argument as alternative 2; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_INNER_ENVELOPEDKEYPAIR *korvu_innerenvelopedkeypair_newsm2(const KORVU_SM2_ENVELOPEDKEY *sm2);
/** A new InnerEnvelopedKeyPair (206) holding a copy of the argument as alternative 3; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_INNER_ENVELOPEDKEYPAIR *korvu_innerenvelopedkeypair_newecc(const KORVU_ECC_ENVELOPEDKEYPAIR *ecc);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_innerenvelopedkeypair_gettype(const KORVU_INNER_ENVELOPEDKEYPAIR *k);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_RSA_ENVELOPEDKEYPAIR *korvu_innerenvelopedkeypair_getrsa(const KORVU_INNER_ENVELOPEDKEYPAIR *k);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SM2_ENVELOPEDKEY *korvu_innerenvelopedkeypair_getsm2(const KORVU_INNER_ENVELOPEDKEYPAIR *k);
/** The value of alternative 3 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ECC_ENVELOPEDKEYPAIR *korvu_innerenvelopedkeypair_getecc(const KORVU_INNER_ENVELOPEDKEYPAIR *k);

/** The record of EnvelopedKeyPair (207). */
typedef struct korvu_envelopedkeypair_st {
  KORVU_X509_SPKI *signPubKey; /**< SubjectPublicKeyInfo (35) */
  KORVU_INNER_ENVELOPEDKEYPAIR *envKeyPair; /**< InnerEnvelopedKeyPair (206) */
} KORVU_ENVELOPEDKEYPAIR;

/** A new EnvelopedKeyPair (207) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_ENVELOPEDKEYPAIR *korvu_envelopedkeypair_new(const KORVU_X509_SPKI *sign_pub_key,
                                                            const KORVU_INNER_ENVELOPEDKEYPAIR *env_key_pair);
/** The record's `signPubKey` (not a copy), null for a null record. */
KORVU_API KORVU_X509_SPKI *korvu_envelopedkeypair_getsignpubkey(const KORVU_ENVELOPEDKEYPAIR *k);
/** The record's `envKeyPair` (not a copy), null for a null record. */
KORVU_API KORVU_INNER_ENVELOPEDKEYPAIR *korvu_envelopedkeypair_getenvkeypair(const KORVU_ENVELOPEDKEYPAIR *k);

#ifdef __cplusplus
}
#endif
#endif
