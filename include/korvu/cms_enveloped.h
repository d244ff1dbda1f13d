/** @file
 * KORVU ASN.1: the encrypted, authenticated and digested content types of the cryptographic message syntax
 * (RFC 5652 6-9, RFC 2315 12) with every kind of recipient information, the Diffie-Hellman and elliptic-curve
 * key-agreement inputs (RFC 2631, RFC 5753) and DHSigStatic (RFC 2875). Included by korvu/asn1.h.
 *
 * Conventions are those of korvu/cms.h: an optional component is a pointer plus a 32-bit present flag (the
 * pointer counts only when the flag is 1), except in KORVU_ECC_CMS_SHAREDINFO and KORVU_DHSIGSTATIC, where an
 * absent component is a null pointer. A CHOICE is { uint32_t choice; void *value; }. Constructors copy their
 * arguments and return null when a required one is null or a copy fails; getters borrow. */
#ifndef KORVU_CMS_ENVELOPED_H
#define KORVU_CMS_ENVELOPED_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Records of other families, by their struct names: AlgorithmIdentifier and SubjectPublicKeyInfo
 * (korvu/x509_cert.h), IssuerAndSerialNumber, SignerIdentifier, ContentInfo and EncapsulatedContentInfo
 * (korvu/cms.h). */
struct korvu_x509_algid_st;
struct korvu_x509_spki_st;
struct korvu_cms_issuerandsn_st;
struct korvu_cms_signerid_st;
struct korvu_pkcs7_contentinfo_st;
struct korvu_cms_encapcontentinfo_st;

/* ---- EncryptedContentInfo (148) ------------------------------------------
 * SEQUENCE { contentType OBJECT IDENTIFIER, contentEncryptionAlgorithm AlgorithmIdentifier,
 *   encryptedContent [0] IMPLICIT OCTET STRING OPTIONAL, sharedInfo1 [1] IMPLICIT OCTET STRING OPTIONAL,
 *   sharedInfo2 [2] IMPLICIT OCTET STRING OPTIONAL }   (the shared infos only in the SM2 envelope form) */
/** The record of EncryptedContentInfo (148). */
typedef struct korvu_cms_enccontentinfo_st {
  KORVU_ASN1_OID *contentType; /**< OBJECT IDENTIFIER (6) */
  struct korvu_x509_algid_st *contentEncryptionAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *encryptedContent; /**< OCTET STRING (4), [0] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasEncryptedContent; /**< 1 when `encryptedContent` is present, else 0 */
  KORVU_ASN1_OCTETSTRING *sharedInfo1; /**< OCTET STRING (4), [1] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasSharedInfo1; /**< 1 when `sharedInfo1` is present, else 0 */
  KORVU_ASN1_OCTETSTRING *sharedInfo2; /**< OCTET STRING (4), [2] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasSharedInfo2; /**< 1 when `sharedInfo2` is present, else 0 */
} KORVU_CMS_ENCCONTENTINFO;

/** A new EncryptedContentInfo (148) of copies of the arguments (`content` may be null), without the SM2 shared
 * infos; null when a required one is null or building fails. */
KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_cmsencryptedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                      const struct korvu_x509_algid_st *algorithm,
                                                                      const KORVU_ASN1_OCTETSTRING *content);
/** A new EncryptedContentInfo (148) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_sm2_cmsencryptedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                          const struct korvu_x509_algid_st *algorithm,
                                                                          const KORVU_ASN1_OCTETSTRING *content,
                                                                          const KORVU_ASN1_OCTETSTRING *shared_info1,
                                                                          const KORVU_ASN1_OCTETSTRING *shared_info2);
/** The record's `contentType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_cmsencryptedcontentinfo_gettype(const KORVU_CMS_ENCCONTENTINFO *eci);
/** The record's `contentEncryptionAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmsencryptedcontentinfo_getalgo(const KORVU_CMS_ENCCONTENTINFO *eci);
/** The record's `encryptedContent` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsencryptedcontentinfo_getenccontent(const KORVU_CMS_ENCCONTENTINFO *eci);
/** 1 when the record's `encryptedContent` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsencryptedcontentinfo_hasenccontent(const KORVU_CMS_ENCCONTENTINFO *eci);
/** The record's `sharedInfo1` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsencryptedcontentinfo_getsharedinfo1(const KORVU_CMS_ENCCONTENTINFO *eci);
/** 1 when the record's `sharedInfo1` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsencryptedcontentinfo_hassharedinfo1(const KORVU_CMS_ENCCONTENTINFO *eci);
/** The record's `sharedInfo2` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsencryptedcontentinfo_getsharedinfo2(const KORVU_CMS_ENCCONTENTINFO *eci);
/** 1 when the record's `sharedInfo2` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsencryptedcontentinfo_hassharedinfo2(const KORVU_CMS_ENCCONTENTINFO *eci);

/* ---- EncryptedData (149) -------------------------------------------------
 * SEQUENCE { version, encryptedContentInfo, unprotectedAttrs [1] IMPLICIT SET OF Attribute OPTIONAL }
 * Attribute lists hold KORVU_X500_ATTRIBUTE values (type 43) and are written in list order. */
/** The record of EncryptedData (149). */
typedef struct korvu_cms_encrypteddata_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_CMS_ENCCONTENTINFO *encryptedContentInfo; /**< EncryptedContentInfo (148) */
  KORVU_ASN1_LIST *unprotectedAttrs; /**< Attributes (44), [1] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasUnprotectedAttrs; /**< 1 when `unprotectedAttrs` is present, else 0 */
} KORVU_CMS_ENCRYPTEDDATA;

/** A new EncryptedData (149) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CMS_ENCRYPTEDDATA *korvu_cmsencrypteddata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_CMS_ENCCONTENTINFO *enc_info,
                                                              const KORVU_ASN1_LIST *unprotected_attrs);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_cmsencrypteddata_getversion(const KORVU_CMS_ENCRYPTEDDATA *ed);
/** The record's `encryptedContentInfo` (not a copy), null for a null record. */
KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_cmsencrypteddata_getencinfo(const KORVU_CMS_ENCRYPTEDDATA *ed);
/** The record's `unprotectedAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmsencrypteddata_getattrs(const KORVU_CMS_ENCRYPTEDDATA *ed);
/** 1 when the record's `unprotectedAttrs` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsencrypteddata_hasattrs(const KORVU_CMS_ENCRYPTEDDATA *ed);

/* ---- OriginatorInfo (150) ------------------------------------------------
 * SEQUENCE { certs [0] IMPLICIT CertificateSet OPTIONAL, crls [1] IMPLICIT RevocationInfoChoices OPTIONAL } */
/** The record of OriginatorInfo (150). */
typedef struct korvu_cms_originatorinfo_st {
  KORVU_ASN1_LIST *certs; /**< KORVU_CMS_CERTCHOICE */
  uint32_t hasCerts;      /**< 1 when `certs` is present, else 0 */
  KORVU_ASN1_LIST *crls; /**< KORVU_CMS_REVINFOCHOICE */
  uint32_t hasCrls;       /**< 1 when `crls` is present, else 0 */
} KORVU_CMS_ORIGINATORINFO;

/** A new OriginatorInfo (150) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CMS_ORIGINATORINFO *korvu_cmsoriginatorinfo_new(const KORVU_ASN1_LIST *certs,
                                                                const KORVU_ASN1_LIST *crls);
/** The record's `certs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmsoriginatorinfo_getcerts(const KORVU_CMS_ORIGINATORINFO *oi);
/** 1 when the record's `certs` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsoriginatorinfo_hascerts(const KORVU_CMS_ORIGINATORINFO *oi);
/** The record's `crls` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmsoriginatorinfo_getcrls(const KORVU_CMS_ORIGINATORINFO *oi);
/** 1 when the record's `crls` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsoriginatorinfo_hascrls(const KORVU_CMS_ORIGINATORINFO *oi);

/* ---- KeyTransRecipientInfo (151) -----------------------------------------
 * SEQUENCE { version, rid RecipientIdentifier (a SignerIdentifier), keyEncryptionAlgorithm, encryptedKey } */
/** The record of KeyTransRecipientInfo (151). */
typedef struct korvu_cms_ktri_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  struct korvu_cms_signerid_st *rid; /**< SignerIdentifier (123) */
  struct korvu_x509_algid_st *keyEncryptionAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *encryptedKey; /**< OCTET STRING (4) */
} KORVU_CMS_KTRI;

/** A new KeyTransRecipientInfo (151) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_CMS_KTRI *korvu_cmskeytransrecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                             const struct korvu_cms_signerid_st *rid,
                                                             const struct korvu_x509_algid_st *key_enc_algorithm,
                                                             const KORVU_ASN1_OCTETSTRING *encrypted_key);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_cmskeytransrecipientinfo_getversion(const KORVU_CMS_KTRI *ri);
/** The record's `rid` (not a copy), null for a null record. */
KORVU_API struct korvu_cms_signerid_st *korvu_cmskeytransrecipientinfo_getrid(const KORVU_CMS_KTRI *ri);
/** The record's `keyEncryptionAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmskeytransrecipientinfo_getencalgo(const KORVU_CMS_KTRI *ri);
/** The record's `encryptedKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmskeytransrecipientinfo_getenckey(const KORVU_CMS_KTRI *ri);

/* ---- OriginatorIdentifierOrKey (152) -------------------------------------
 * CHOICE { issuerAndSerialNumber (0), subjectKeyIdentifier [0] IMPLICIT OCTET STRING (1),
 *   originatorKey [1] IMPLICIT OriginatorPublicKey (2, a struct korvu_x509_spki_st) } */
/** The record of OriginatorIdentifierOrKey (152): a CHOICE, `choice` is the number of the alternative held and
 * `value` its value. */
typedef struct korvu_cms_orgidorkey_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CMS_ORGIDORKEY;

/** A new OriginatorIdentifierOrKey (152) holding a copy of the argument as alternative 0; null for a null argument
 * or when the copy fails. */
KORVU_API KORVU_CMS_ORGIDORKEY *korvu_cmsorgidorkey_newissuersn(const struct korvu_cms_issuerandsn_st *ias);
/** A new OriginatorIdentifierOrKey (152) holding a copy of the argument as alternative 1; null for a null argument
 * or when the copy fails. */
KORVU_API KORVU_CMS_ORGIDORKEY *korvu_cmsorgidorkey_newsubkeyid(const KORVU_ASN1_OCTETSTRING *key_id);
/** A new OriginatorIdentifierOrKey (152) holding a copy of the argument as alternative 2; null for a null argument
 * or when the copy fails. */
KORVU_API KORVU_CMS_ORGIDORKEY *korvu_cmsorgidorkey_neworgkey(const struct korvu_x509_spki_st *key);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_cmsorgidorkey_gettype(const KORVU_CMS_ORGIDORKEY *o);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_cms_issuerandsn_st *korvu_cmsorgidorkey_getissuersn(const KORVU_CMS_ORGIDORKEY *o);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsorgidorkey_getsubkeyid(const KORVU_CMS_ORGIDORKEY *o);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_x509_spki_st *korvu_cmsorgidorkey_getorgkey(const KORVU_CMS_ORGIDORKEY *o);

/* ---- OtherKeyAttribute (153) ---------------------------------------------
 * SEQUENCE { keyAttrId OBJECT IDENTIFIER, keyAttr ANY OPTIONAL } */
/** The record of OtherKeyAttribute (153). */
typedef struct korvu_cms_otherkeyattr_st {
  KORVU_ASN1_OID *keyAttrId; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *keyAttr; /**< ANY (23), OPTIONAL: null when absent */
  uint32_t hasKeyAttr; /**< 1 when `keyAttr` is present, else 0 */
} KORVU_CMS_OTHERKEYATTR;

/** A new OtherKeyAttribute (153) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CMS_OTHERKEYATTR *korvu_cmsotherkeyattr_new(const KORVU_ASN1_OID *id, const KORVU_ASN1_ANY *value);
/** The record's `keyAttrId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_cmsotherkeyattr_getattrid(const KORVU_CMS_OTHERKEYATTR *a);
/** The record's `keyAttr` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_cmsotherkeyattr_getattrvalue(const KORVU_CMS_OTHERKEYATTR *a);
/** 1 when the record's `keyAttr` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsotherkeyattr_hasattrvalue(const KORVU_CMS_OTHERKEYATTR *a);

/* ---- RecipientKeyIdentifier, also KEKIdentifier (154) --------------------
 * SEQUENCE { subjectKeyIdentifier OCTET STRING, date GeneralizedTime OPTIONAL, other OtherKeyAttribute OPTIONAL } */
/** The record of RecipientKeyIdentifier, also KEKIdentifier (154). */
typedef struct korvu_cms_recipientkeyid_st {
  KORVU_ASN1_OCTETSTRING *subjectKeyIdentifier; /**< OCTET STRING (4) */
  KORVU_ASN1_TIME *date; /**< GeneralizedTime (22), OPTIONAL: null when absent */
  uint32_t hasDate; /**< 1 when `date` is present, else 0 */
  KORVU_CMS_OTHERKEYATTR *other; /**< OtherKeyAttribute (153), OPTIONAL: null when absent */
  uint32_t hasOther; /**< 1 when `other` is present, else 0 */
} KORVU_CMS_RECIPIENTKEYID;

/** A new RecipientKeyIdentifier, also KEKIdentifier (154) of copies of the arguments, in component order; null
 * when a required one is null or building fails. */
KORVU_API KORVU_CMS_RECIPIENTKEYID *korvu_cmsrecipientkeyid_new(const KORVU_ASN1_OCTETSTRING *key_id,
                                                                const KORVU_ASN1_TIME *date,
                                                                const KORVU_CMS_OTHERKEYATTR *other);
/** The record's `subjectKeyIdentifier` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsrecipientkeyid_getsubkeyid(const KORVU_CMS_RECIPIENTKEYID *k);
/** The record's `date` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_cmsrecipientkeyid_getdate(const KORVU_CMS_RECIPIENTKEYID *k);
/** 1 when the record's `date` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsrecipientkeyid_hasdate(const KORVU_CMS_RECIPIENTKEYID *k);
/** The record's `other` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CMS_OTHERKEYATTR *korvu_cmsrecipientkeyid_getotherattr(const KORVU_CMS_RECIPIENTKEYID *k);
/** 1 when the record's `other` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsrecipientkeyid_hasotherattr(const KORVU_CMS_RECIPIENTKEYID *k);

/* ---- KeyAgreeRecipientIdentifier (155) -----------------------------------
 * CHOICE { issuerAndSerialNumber (0), rKeyId [0] IMPLICIT RecipientKeyIdentifier (1) } */
/** The record of KeyAgreeRecipientIdentifier (155): a CHOICE, `choice` is the number of the alternative held and
 * `value` its value. */
typedef struct korvu_cms_karid_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CMS_KARID;

/** A new KeyAgreeRecipientIdentifier (155) holding a copy of the argument as alternative 0; null for a null
 * argument or when the copy fails. */
KORVU_API KORVU_CMS_KARID *korvu_cmskeyagreerecipientid_newissuersn(const struct korvu_cms_issuerandsn_st *ias);
/** A new KeyAgreeRecipientIdentifier (155) holding a copy of the argument as alternative 1; null for a null
 * argument or when the copy fails. */
KORVU_API KORVU_CMS_KARID *korvu_cmskeyagreerecipientid_newrkeyid(const KORVU_CMS_RECIPIENTKEYID *key_id);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_cmskeyagreerecipientid_gettype(const KORVU_CMS_KARID *r);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_cms_issuerandsn_st *korvu_cmskeyagreerecipientid_getissuersn(const KORVU_CMS_KARID *r);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CMS_RECIPIENTKEYID *korvu_cmskeyagreerecipientid_getrkeyid(const KORVU_CMS_KARID *r);

/* ---- RecipientEncryptedKey (156); RecipientEncryptedKeys (157): SEQUENCE OF it */
/** The record of RecipientEncryptedKey (156). */
typedef struct korvu_cms_recipientenckey_st {
  KORVU_CMS_KARID *rid; /**< KeyAgreeRecipientIdentifier (155) */
  KORVU_ASN1_OCTETSTRING *encryptedKey; /**< OCTET STRING (4) */
} KORVU_CMS_RECIPIENTENCKEY;

/** A new RecipientEncryptedKey (156) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_CMS_RECIPIENTENCKEY *korvu_cmsrecipientenckey_new(const KORVU_CMS_KARID *rid,
                                                                  const KORVU_ASN1_OCTETSTRING *encrypted_key);
/** The record's `rid` (not a copy), null for a null record. */
KORVU_API KORVU_CMS_KARID *korvu_cmsrecipientenckey_getid(const KORVU_CMS_RECIPIENTENCKEY *k);
/** The record's `encryptedKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsrecipientenckey_getenckey(const KORVU_CMS_RECIPIENTENCKEY *k);

/* ---- KeyAgreeRecipientInfo (158) -----------------------------------------
 * SEQUENCE { version, originator [0] EXPLICIT OriginatorIdentifierOrKey, ukm [1] EXPLICIT OCTET STRING OPTIONAL,
 *   keyEncryptionAlgorithm, recipientEncryptedKeys } */
/** The record of KeyAgreeRecipientInfo (158). */
typedef struct korvu_cms_kari_st {
  KORVU_ASN1_INTEGER *version;             /**< INTEGER (2) */
  KORVU_CMS_ORGIDORKEY *originator;        /**< OriginatorIdentifierOrKey (152), [0] EXPLICIT */
  KORVU_ASN1_OCTETSTRING *ukm;             /**< OCTET STRING (4), [1] EXPLICIT, OPTIONAL: null when absent */
  uint32_t hasUkm;                         /**< 1 when `ukm` is present, else 0 */
  struct korvu_x509_algid_st *keyEncryptionAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_LIST *recipientEncryptedKeys; /**< KORVU_CMS_RECIPIENTENCKEY */
} KORVU_CMS_KARI;

/** A new KeyAgreeRecipientInfo (158) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_CMS_KARI *korvu_cmskeyagreerecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                             const KORVU_CMS_ORGIDORKEY *originator,
                                                             const KORVU_ASN1_OCTETSTRING *ukm,
                                                             const struct korvu_x509_algid_st *key_enc_algorithm,
                                                             const KORVU_ASN1_LIST *encrypted_keys);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_cmskeyagreerecipientinfo_getversion(const KORVU_CMS_KARI *ri);
/** The record's `originator` (not a copy), null for a null record. */
KORVU_API KORVU_CMS_ORGIDORKEY *korvu_cmskeyagreerecipientinfo_getoriginator(const KORVU_CMS_KARI *ri);
/** The record's `ukm` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmskeyagreerecipientinfo_getukm(const KORVU_CMS_KARI *ri);
/** 1 when the record's `ukm` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmskeyagreerecipientinfo_hasukm(const KORVU_CMS_KARI *ri);
/** The record's `keyEncryptionAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmskeyagreerecipientinfo_getencalgo(const KORVU_CMS_KARI *ri);
/** The record's `recipientEncryptedKeys` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmskeyagreerecipientinfo_getenckeys(const KORVU_CMS_KARI *ri);

/* ---- KEKRecipientInfo (159) ----------------------------------------------
 * SEQUENCE { version, kekid KEKIdentifier, keyEncryptionAlgorithm, encryptedKey } */
/** The record of KEKRecipientInfo (159). */
typedef struct korvu_cms_kekri_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_CMS_RECIPIENTKEYID *kekid; /**< RecipientKeyIdentifier, also KEKIdentifier (154) */
  struct korvu_x509_algid_st *keyEncryptionAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *encryptedKey; /**< OCTET STRING (4) */
} KORVU_CMS_KEKRI;

/** A new KEKRecipientInfo (159) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CMS_KEKRI *korvu_cmskekrecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                         const KORVU_CMS_RECIPIENTKEYID *kekid,
                                                         const struct korvu_x509_algid_st *key_enc_algorithm,
                                                         const KORVU_ASN1_OCTETSTRING *encrypted_key);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_cmskekrecipientinfo_getversion(const KORVU_CMS_KEKRI *ri);
/** The record's `kekid` (not a copy), null for a null record. */
KORVU_API KORVU_CMS_RECIPIENTKEYID *korvu_cmskekrecipientinfo_getkekid(const KORVU_CMS_KEKRI *ri);
/** The record's `keyEncryptionAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmskekrecipientinfo_getencalgo(const KORVU_CMS_KEKRI *ri);
/** The record's `encryptedKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmskekrecipientinfo_getenckey(const KORVU_CMS_KEKRI *ri);

/* ---- PasswordRecipientInfo (160) -----------------------------------------
 * SEQUENCE { version, keyDerivationAlgorithm [0] IMPLICIT AlgorithmIdentifier OPTIONAL, keyEncryptionAlgorithm,
 *   encryptedKey } */
/** The record of PasswordRecipientInfo (160). */
typedef struct korvu_cms_pwri_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  struct korvu_x509_algid_st *keyDerivationAlgorithm; /**< AlgorithmIdentifier (33), [0] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasKeyDerivationAlgorithm; /**< 1 when `keyDerivationAlgorithm` is present, else 0 */
  struct korvu_x509_algid_st *keyEncryptionAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *encryptedKey; /**< OCTET STRING (4) */
} KORVU_CMS_PWRI;

/** A new PasswordRecipientInfo (160) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_CMS_PWRI *korvu_cmspwdrecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                        const struct korvu_x509_algid_st *key_derivation_algorithm,
                                                        const struct korvu_x509_algid_st *key_enc_algorithm,
                                                        const KORVU_ASN1_OCTETSTRING *encrypted_key);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_cmspwdrecipientinfo_getversion(const KORVU_CMS_PWRI *ri);
/** The record's `keyDerivationAlgorithm` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmspwdrecipientinfo_getderivalgo(const KORVU_CMS_PWRI *ri);
/** 1 when the record's `keyDerivationAlgorithm` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmspwdrecipientinfo_hasderivalgo(const KORVU_CMS_PWRI *ri);
/** The record's `keyEncryptionAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmspwdrecipientinfo_getencalgo(const KORVU_CMS_PWRI *ri);
/** The record's `encryptedKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmspwdrecipientinfo_getenckey(const KORVU_CMS_PWRI *ri);

/* ---- OtherRecipientInfo (161) --------------------------------------------
 * SEQUENCE { oriType OBJECT IDENTIFIER, oriValue ANY } */
/** The record of OtherRecipientInfo (161). */
typedef struct korvu_cms_ori_st {
  KORVU_ASN1_OID *oriType; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *oriValue; /**< ANY (23) */
} KORVU_CMS_ORI;

/** A new OtherRecipientInfo (161) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CMS_ORI *korvu_cmsotherrecipientinfo_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value);
/** The record's `oriType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_cmsotherrecipientinfo_gettype(const KORVU_CMS_ORI *ri);
/** The record's `oriValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_cmsotherrecipientinfo_getvalue(const KORVU_CMS_ORI *ri);

/* ---- RecipientInfo (162); RecipientInfos (163): SET OF RecipientInfo ------
 * CHOICE { ktri (0), kari [1] (1), kekri [2] (2), pwri [3] (3), ori [4] (4) }, all IMPLICIT */
/** The record of RecipientInfo (162): a CHOICE, `choice` is the number of the alternative held and `value` its
 * value. */
typedef struct korvu_cms_recipientinfo_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CMS_RECIPIENTINFO;

/** A new RecipientInfo (162) holding a copy of the argument as alternative 0; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newktri(const KORVU_CMS_KTRI *ri);
/** A new RecipientInfo (162) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newkari(const KORVU_CMS_KARI *ri);
/** A new RecipientInfo (162) holding a copy of the argument as alternative 2; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newkekri(const KORVU_CMS_KEKRI *ri);
/** A new RecipientInfo (162) holding a copy of the argument as alternative 3; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newpwri(const KORVU_CMS_PWRI *ri);
/** A new RecipientInfo (162) holding a copy of the argument as alternative 4; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newori(const KORVU_CMS_ORI *ri);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_cmsrecipientinfo_gettype(const KORVU_CMS_RECIPIENTINFO *ri);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CMS_KTRI *korvu_cmsrecipientinfo_getktri(const KORVU_CMS_RECIPIENTINFO *ri);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CMS_KARI *korvu_cmsrecipientinfo_getkari(const KORVU_CMS_RECIPIENTINFO *ri);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CMS_KEKRI *korvu_cmsrecipientinfo_getkekri(const KORVU_CMS_RECIPIENTINFO *ri);
/** The value of alternative 3 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CMS_PWRI *korvu_cmsrecipientinfo_getpwri(const KORVU_CMS_RECIPIENTINFO *ri);
/** The value of alternative 4 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CMS_ORI *korvu_cmsrecipientinfo_getori(const KORVU_CMS_RECIPIENTINFO *ri);

/* ---- EnvelopedData (164) -------------------------------------------------
 * SEQUENCE { version, originatorInfo [0] IMPLICIT OriginatorInfo OPTIONAL, recipientInfos,
 *   encryptedContentInfo, unprotectedAttrs [1] IMPLICIT SET OF Attribute OPTIONAL } */
/** The record of EnvelopedData (164). */
typedef struct korvu_cms_envelopeddata_st {
  KORVU_ASN1_INTEGER *version;     /**< INTEGER (2) */
  KORVU_CMS_ORIGINATORINFO *originatorInfo; /**< OriginatorInfo (150), [0] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasOriginatorInfo;      /**< 1 when `originatorInfo` is present, else 0 */
  KORVU_ASN1_LIST *recipientInfos; /**< KORVU_CMS_RECIPIENTINFO */
  KORVU_CMS_ENCCONTENTINFO *encryptedContentInfo; /**< EncryptedContentInfo (148) */
  KORVU_ASN1_LIST *unprotectedAttrs; /**< Attributes (44), [1] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasUnprotectedAttrs;    /**< 1 when `unprotectedAttrs` is present, else 0 */
} KORVU_CMS_ENVELOPEDDATA;

/** A new EnvelopedData (164) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CMS_ENVELOPEDDATA *korvu_cmsenvelopeddata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_CMS_ORIGINATORINFO *originator,
                                                              const KORVU_ASN1_LIST *recipient_infos,
                                                              const KORVU_CMS_ENCCONTENTINFO *enc_info,
                                                              const KORVU_ASN1_LIST *unprotected_attrs);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_cmsenvelopeddata_getversion(const KORVU_CMS_ENVELOPEDDATA *ed);
/** The record's `originatorInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CMS_ORIGINATORINFO *korvu_cmsenvelopeddata_getoriginator(const KORVU_CMS_ENVELOPEDDATA *ed);
/** 1 when the record's `originatorInfo` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsenvelopeddata_hasoriginator(const KORVU_CMS_ENVELOPEDDATA *ed);
/** The record's `recipientInfos` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmsenvelopeddata_getrecipinfos(const KORVU_CMS_ENVELOPEDDATA *ed);
/** The record's `encryptedContentInfo` (not a copy), null for a null record. */
KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_cmsenvelopeddata_getencinfo(const KORVU_CMS_ENVELOPEDDATA *ed);
/** The record's `unprotectedAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmsenvelopeddata_getattrs(const KORVU_CMS_ENVELOPEDDATA *ed);
/** 1 when the record's `unprotectedAttrs` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsenvelopeddata_hasattrs(const KORVU_CMS_ENVELOPEDDATA *ed);

/* ---- AuthenticatedData (165) ---------------------------------------------
 * SEQUENCE { version, originatorInfo [0] IMPLICIT OPTIONAL, recipientInfos, macAlgorithm,
 *   digestAlgorithm [1] IMPLICIT AlgorithmIdentifier OPTIONAL, encapContentInfo,
 *   authAttrs [2] IMPLICIT SET OF Attribute OPTIONAL, mac OCTET STRING,
 *   unauthAttrs [3] IMPLICIT SET OF Attribute OPTIONAL } */
/** The record of AuthenticatedData (165). */
typedef struct korvu_cms_authdata_st {
  KORVU_ASN1_INTEGER *version;     /**< INTEGER (2) */
  KORVU_CMS_ORIGINATORINFO *originatorInfo; /**< OriginatorInfo (150), [0] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasOriginatorInfo;      /**< 1 when `originatorInfo` is present, else 0 */
  KORVU_ASN1_LIST *recipientInfos; /**< KORVU_CMS_RECIPIENTINFO */
  struct korvu_x509_algid_st *macAlgorithm; /**< AlgorithmIdentifier (33) */
  struct korvu_x509_algid_st *digestAlgorithm; /**< AlgorithmIdentifier (33), [1] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasDigestAlgorithm;     /**< 1 when `digestAlgorithm` is present, else 0 */
  struct korvu_cms_encapcontentinfo_st *encapContentInfo; /**< EncapsulatedContentInfo (147) */
  KORVU_ASN1_LIST *authAttrs;      /**< Attributes (44), [2] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasAuthAttrs;           /**< 1 when `authAttrs` is present, else 0 */
  KORVU_ASN1_OCTETSTRING *mac;     /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *unauthAttrs;    /**< Attributes (44), [3] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasUnauthAttrs;         /**< 1 when `unauthAttrs` is present, else 0 */
} KORVU_CMS_AUTHDATA;

/** A new AuthenticatedData (165) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CMS_AUTHDATA *korvu_cmsauthdata_new(const KORVU_ASN1_INTEGER *version,
                                                    const KORVU_CMS_ORIGINATORINFO *originator,
                                                    const KORVU_ASN1_LIST *recipient_infos,
                                                    const struct korvu_x509_algid_st *mac_algorithm,
                                                    const struct korvu_x509_algid_st *digest_algorithm,
                                                    const struct korvu_cms_encapcontentinfo_st *encap_info,
                                                    const KORVU_ASN1_LIST *auth_attrs,
                                                    const KORVU_ASN1_OCTETSTRING *mac,
                                                    const KORVU_ASN1_LIST *unauth_attrs);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_cmsauthdata_getversion(const KORVU_CMS_AUTHDATA *ad);
/** The record's `originatorInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CMS_ORIGINATORINFO *korvu_cmsauthdata_getoriginator(const KORVU_CMS_AUTHDATA *ad);
/** 1 when the record's `originatorInfo` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsauthdata_hasoriginator(const KORVU_CMS_AUTHDATA *ad);
/** The record's `recipientInfos` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmsauthdata_getrecipinfos(const KORVU_CMS_AUTHDATA *ad);
/** The record's `macAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmsauthdata_getmacalgo(const KORVU_CMS_AUTHDATA *ad);
/** The record's `digestAlgorithm` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmsauthdata_gethashalgo(const KORVU_CMS_AUTHDATA *ad);
/** 1 when the record's `digestAlgorithm` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsauthdata_hashashalgo(const KORVU_CMS_AUTHDATA *ad);
/** The record's `encapContentInfo` (not a copy), null for a null record. */
KORVU_API struct korvu_cms_encapcontentinfo_st *korvu_cmsauthdata_getencapinfo(const KORVU_CMS_AUTHDATA *ad);
/** The record's `authAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmsauthdata_getauthatrrs(const KORVU_CMS_AUTHDATA *ad);
/** 1 when the record's `authAttrs` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsauthdata_hasauthatrrs(const KORVU_CMS_AUTHDATA *ad);
/** The record's `mac` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsauthdata_getmac(const KORVU_CMS_AUTHDATA *ad);
/** The record's `unauthAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmsauthdata_getunauthatrrs(const KORVU_CMS_AUTHDATA *ad);
/** 1 when the record's `unauthAttrs` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmsauthdata_hasunauthatrrs(const KORVU_CMS_AUTHDATA *ad);

/* ---- Diffie-Hellman KeySpecificInfo (166) and OtherInfo (167), RFC 2631 ----
 * KeySpecificInfo ::= SEQUENCE { algorithm OBJECT IDENTIFIER, counter OCTET STRING (SIZE (4)) }
 * OtherInfo ::= SEQUENCE { keyInfo KeySpecificInfo, partyAInfo [0] EXPLICIT OCTET STRING OPTIONAL,
 *   suppPubInfo [2] EXPLICIT OCTET STRING } */
/** The record of Diffie-Hellman KeySpecificInfo (166). */
typedef struct korvu_dh_keyspecinfo_st {
  KORVU_ASN1_OID *algorithm; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OCTETSTRING *counter; /**< OCTET STRING (4) */
} KORVU_DH_KEYSPECINFO;

/** The record of Diffie-Hellman OtherInfo (167). */
typedef struct korvu_dh_otherinfo_st {
  KORVU_DH_KEYSPECINFO *keyInfo; /**< Diffie-Hellman KeySpecificInfo (166) */
  KORVU_ASN1_OCTETSTRING *partyAInfo; /**< OCTET STRING (4), [0] EXPLICIT, OPTIONAL: null when absent */
  uint32_t hasPartyAInfo; /**< 1 when `partyAInfo` is present, else 0 */
  KORVU_ASN1_OCTETSTRING *suppPubInfo; /**< OCTET STRING (4), [2] EXPLICIT */
} KORVU_DH_OTHERINFO;

/** A new Diffie-Hellman KeySpecificInfo (166) of copies of the arguments, in component order; null when a required
 * one is null or building fails. */
KORVU_API KORVU_DH_KEYSPECINFO *korvu_dhkeyspecinfo_new(const KORVU_ASN1_OID *algorithm,
                                                        const KORVU_ASN1_OCTETSTRING *counter);
/** The record's `algorithm` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_dhkeyspecinfo_getalgo(const KORVU_DH_KEYSPECINFO *k);
/** The record's `counter` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_dhkeyspecinfo_getcount(const KORVU_DH_KEYSPECINFO *k);
/** A new Diffie-Hellman OtherInfo (167) of copies of the arguments, in component order; null when a required one
 * is null or building fails. */
KORVU_API KORVU_DH_OTHERINFO *korvu_dhotherinfo_new(const KORVU_DH_KEYSPECINFO *key_info,
                                                    const KORVU_ASN1_OCTETSTRING *party_a_info,
                                                    const KORVU_ASN1_OCTETSTRING *supp_pub_info);
/** The record's `keyInfo` (not a copy), null for a null record. */
KORVU_API KORVU_DH_KEYSPECINFO *korvu_dhotherinfo_getkeyspec(const KORVU_DH_OTHERINFO *o);
/** The record's `partyAInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_dhotherinfo_getpartyainfo(const KORVU_DH_OTHERINFO *o);
/** 1 when the record's `partyAInfo` is present, 0 when absent or for a null record. */
KORVU_API int korvu_dhotherinfo_haspartyainfo(const KORVU_DH_OTHERINFO *o);
/** The record's `suppPubInfo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_dhotherinfo_getsupppubinfo(const KORVU_DH_OTHERINFO *o);

/* ---- ECC-CMS-SharedInfo (292), RFC 5753 ------------------------------------
 * SEQUENCE { keyInfo AlgorithmIdentifier, entityUInfo [0] EXPLICIT OCTET STRING OPTIONAL,
 *   suppPubInfo [2] EXPLICIT OCTET STRING }   (entityUInfo null when absent) */
/** The record of ECC-CMS-SharedInfo (292). */
typedef struct korvu_ecc_cms_sharedinfo_st {
  struct korvu_x509_algid_st *keyInfo; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *entityUInfo; /**< OCTET STRING (4), [0] EXPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_OCTETSTRING *suppPubInfo; /**< OCTET STRING (4), [2] EXPLICIT */
} KORVU_ECC_CMS_SHAREDINFO;

/** A new ECC-CMS-SharedInfo (292) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_ECC_CMS_SHAREDINFO *korvu_ecccmssharedinfo_new(const struct korvu_x509_algid_st *key_info,
                                                               const KORVU_ASN1_OCTETSTRING *entity_u_info,
                                                               const KORVU_ASN1_OCTETSTRING *supp_pub_info);
/** The record's `keyInfo` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_ecccmssharedinfo_getkeyinfo(const KORVU_ECC_CMS_SHAREDINFO *s);
/** The record's `entityUInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ecccmssharedinfo_getentityuinfo(const KORVU_ECC_CMS_SHAREDINFO *s);
/** The record's `suppPubInfo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ecccmssharedinfo_getsupppubinfo(const KORVU_ECC_CMS_SHAREDINFO *s);

/* ---- DigestedData (121), PKCS #7 -------------------------------------------
 * SEQUENCE { version, digestAlgorithm, contentInfo ContentInfo, digest OCTET STRING } */
/** The record of DigestedData (PKCS #7) (121). */
typedef struct korvu_pkcs7_digesteddata_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  struct korvu_x509_algid_st *digestAlgorithm; /**< AlgorithmIdentifier (33) */
  struct korvu_pkcs7_contentinfo_st *contentInfo; /**< ContentInfo (111) */
  KORVU_ASN1_OCTETSTRING *digest; /**< OCTET STRING (4) */
} KORVU_PKCS7_DIGESTEDDATA;

/** A new DigestedData (PKCS #7) (121) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_PKCS7_DIGESTEDDATA *korvu_pkcs7digesteddata_new(const KORVU_ASN1_INTEGER *version,
                                                                const struct korvu_x509_algid_st *digest_algorithm,
                                                                const struct korvu_pkcs7_contentinfo_st *content_info,
                                                                const KORVU_ASN1_OCTETSTRING *digest);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs7digesteddata_getversion(const KORVU_PKCS7_DIGESTEDDATA *dd);
/** The record's `digestAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_pkcs7digesteddata_getdigestalgo(const KORVU_PKCS7_DIGESTEDDATA *dd);
/** The record's `contentInfo` (not a copy), null for a null record. */
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_pkcs7digesteddata_getcontentinfo(const KORVU_PKCS7_DIGESTEDDATA *dd);
/** The record's `digest` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs7digesteddata_getdigest(const KORVU_PKCS7_DIGESTEDDATA *dd);

/* ---- DHSigStatic (218), RFC 2875 -------------------------------------------
 * SEQUENCE { issuerAndSerial IssuerAndSerialNumber OPTIONAL, hashValue OCTET STRING }
 * (issuerAndSerial null when absent) */
/** The record of DHSigStatic (218). */
typedef struct korvu_dhsigstatic_st {
  struct korvu_cms_issuerandsn_st *issuerAndSerial; /**< IssuerAndSerialNumber (122), OPTIONAL: null when absent */
  KORVU_ASN1_OCTETSTRING *hashValue; /**< OCTET STRING (4) */
} KORVU_DHSIGSTATIC;

/** A new DHSigStatic (218) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_DHSIGSTATIC *korvu_dhsigstatic_new(const struct korvu_cms_issuerandsn_st *issuer_and_serial,
                                                   const KORVU_ASN1_OCTETSTRING *hash_value);
/** The record's `issuerAndSerial` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_cms_issuerandsn_st *korvu_dhsigstatic_getissuerandserial(const KORVU_DHSIGSTATIC *s);
/** The record's `hashValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_dhsigstatic_gethashvalue(const KORVU_DHSIGSTATIC *s);

#ifdef __cplusplus
}
#endif
#endif
