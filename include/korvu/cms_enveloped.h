/* KORVU ASN.1: the encrypted, authenticated and digested content types of the cryptographic message syntax
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
typedef struct korvu_cms_enccontentinfo_st {
  KORVU_ASN1_OID *contentType;
  struct korvu_x509_algid_st *contentEncryptionAlgorithm;
  KORVU_ASN1_OCTETSTRING *encryptedContent;
  uint32_t hasEncryptedContent;
  KORVU_ASN1_OCTETSTRING *sharedInfo1;
  uint32_t hasSharedInfo1;
  KORVU_ASN1_OCTETSTRING *sharedInfo2;
  uint32_t hasSharedInfo2;
} KORVU_CMS_ENCCONTENTINFO;

KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_cmsencryptedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                      const struct korvu_x509_algid_st *algorithm,
                                                                      const KORVU_ASN1_OCTETSTRING *content);
KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_sm2_cmsencryptedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                          const struct korvu_x509_algid_st *algorithm,
                                                                          const KORVU_ASN1_OCTETSTRING *content,
                                                                          const KORVU_ASN1_OCTETSTRING *shared_info1,
                                                                          const KORVU_ASN1_OCTETSTRING *shared_info2);
KORVU_API KORVU_ASN1_OID *korvu_cmsencryptedcontentinfo_gettype(const KORVU_CMS_ENCCONTENTINFO *eci);
KORVU_API struct korvu_x509_algid_st *korvu_cmsencryptedcontentinfo_getalgo(const KORVU_CMS_ENCCONTENTINFO *eci);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsencryptedcontentinfo_getenccontent(const KORVU_CMS_ENCCONTENTINFO *eci);
KORVU_API int korvu_cmsencryptedcontentinfo_hasenccontent(const KORVU_CMS_ENCCONTENTINFO *eci);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsencryptedcontentinfo_getsharedinfo1(const KORVU_CMS_ENCCONTENTINFO *eci);
KORVU_API int korvu_cmsencryptedcontentinfo_hassharedinfo1(const KORVU_CMS_ENCCONTENTINFO *eci);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsencryptedcontentinfo_getsharedinfo2(const KORVU_CMS_ENCCONTENTINFO *eci);
KORVU_API int korvu_cmsencryptedcontentinfo_hassharedinfo2(const KORVU_CMS_ENCCONTENTINFO *eci);

/* ---- EncryptedData (149) -------------------------------------------------
 * SEQUENCE { version, encryptedContentInfo, unprotectedAttrs [1] IMPLICIT SET OF Attribute OPTIONAL }
 * Attribute lists hold KORVU_X500_ATTRIBUTE values (type 43) and are written in list order. */
typedef struct korvu_cms_encrypteddata_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_CMS_ENCCONTENTINFO *encryptedContentInfo;
  KORVU_ASN1_LIST *unprotectedAttrs;
  uint32_t hasUnprotectedAttrs;
} KORVU_CMS_ENCRYPTEDDATA;

KORVU_API KORVU_CMS_ENCRYPTEDDATA *korvu_cmsencrypteddata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_CMS_ENCCONTENTINFO *enc_info,
                                                              const KORVU_ASN1_LIST *unprotected_attrs);
KORVU_API KORVU_ASN1_INTEGER *korvu_cmsencrypteddata_getversion(const KORVU_CMS_ENCRYPTEDDATA *ed);
KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_cmsencrypteddata_getencinfo(const KORVU_CMS_ENCRYPTEDDATA *ed);
KORVU_API KORVU_ASN1_LIST *korvu_cmsencrypteddata_getattrs(const KORVU_CMS_ENCRYPTEDDATA *ed);
KORVU_API int korvu_cmsencrypteddata_hasattrs(const KORVU_CMS_ENCRYPTEDDATA *ed);

/* ---- OriginatorInfo (150) ------------------------------------------------
 * SEQUENCE { certs [0] IMPLICIT CertificateSet OPTIONAL, crls [1] IMPLICIT RevocationInfoChoices OPTIONAL } */
typedef struct korvu_cms_originatorinfo_st {
  KORVU_ASN1_LIST *certs; /* KORVU_CMS_CERTCHOICE */
  uint32_t hasCerts;
  KORVU_ASN1_LIST *crls; /* KORVU_CMS_REVINFOCHOICE */
  uint32_t hasCrls;
} KORVU_CMS_ORIGINATORINFO;

KORVU_API KORVU_CMS_ORIGINATORINFO *korvu_cmsoriginatorinfo_new(const KORVU_ASN1_LIST *certs,
                                                                const KORVU_ASN1_LIST *crls);
KORVU_API KORVU_ASN1_LIST *korvu_cmsoriginatorinfo_getcerts(const KORVU_CMS_ORIGINATORINFO *oi);
KORVU_API int korvu_cmsoriginatorinfo_hascerts(const KORVU_CMS_ORIGINATORINFO *oi);
KORVU_API KORVU_ASN1_LIST *korvu_cmsoriginatorinfo_getcrls(const KORVU_CMS_ORIGINATORINFO *oi);
KORVU_API int korvu_cmsoriginatorinfo_hascrls(const KORVU_CMS_ORIGINATORINFO *oi);

/* ---- KeyTransRecipientInfo (151) -----------------------------------------
 * SEQUENCE { version, rid RecipientIdentifier (a SignerIdentifier), keyEncryptionAlgorithm, encryptedKey } */
typedef struct korvu_cms_ktri_st {
  KORVU_ASN1_INTEGER *version;
  struct korvu_cms_signerid_st *rid;
  struct korvu_x509_algid_st *keyEncryptionAlgorithm;
  KORVU_ASN1_OCTETSTRING *encryptedKey;
} KORVU_CMS_KTRI;

KORVU_API KORVU_CMS_KTRI *korvu_cmskeytransrecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                             const struct korvu_cms_signerid_st *rid,
                                                             const struct korvu_x509_algid_st *key_enc_algorithm,
                                                             const KORVU_ASN1_OCTETSTRING *encrypted_key);
KORVU_API KORVU_ASN1_INTEGER *korvu_cmskeytransrecipientinfo_getversion(const KORVU_CMS_KTRI *ri);
KORVU_API struct korvu_cms_signerid_st *korvu_cmskeytransrecipientinfo_getrid(const KORVU_CMS_KTRI *ri);
KORVU_API struct korvu_x509_algid_st *korvu_cmskeytransrecipientinfo_getencalgo(const KORVU_CMS_KTRI *ri);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmskeytransrecipientinfo_getenckey(const KORVU_CMS_KTRI *ri);

/* ---- OriginatorIdentifierOrKey (152) -------------------------------------
 * CHOICE { issuerAndSerialNumber (0), subjectKeyIdentifier [0] IMPLICIT OCTET STRING (1),
 *   originatorKey [1] IMPLICIT OriginatorPublicKey (2, a struct korvu_x509_spki_st) } */
typedef struct korvu_cms_orgidorkey_st {
  uint32_t choice;
  void *value;
} KORVU_CMS_ORGIDORKEY;

KORVU_API KORVU_CMS_ORGIDORKEY *korvu_cmsorgidorkey_newissuersn(const struct korvu_cms_issuerandsn_st *ias);
KORVU_API KORVU_CMS_ORGIDORKEY *korvu_cmsorgidorkey_newsubkeyid(const KORVU_ASN1_OCTETSTRING *key_id);
KORVU_API KORVU_CMS_ORGIDORKEY *korvu_cmsorgidorkey_neworgkey(const struct korvu_x509_spki_st *key);
KORVU_API uint32_t korvu_cmsorgidorkey_gettype(const KORVU_CMS_ORGIDORKEY *o);
KORVU_API struct korvu_cms_issuerandsn_st *korvu_cmsorgidorkey_getissuersn(const KORVU_CMS_ORGIDORKEY *o);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsorgidorkey_getsubkeyid(const KORVU_CMS_ORGIDORKEY *o);
KORVU_API struct korvu_x509_spki_st *korvu_cmsorgidorkey_getorgkey(const KORVU_CMS_ORGIDORKEY *o);

/* ---- OtherKeyAttribute (153) ---------------------------------------------
 * SEQUENCE { keyAttrId OBJECT IDENTIFIER, keyAttr ANY OPTIONAL } */
typedef struct korvu_cms_otherkeyattr_st {
  KORVU_ASN1_OID *keyAttrId;
  KORVU_ASN1_ANY *keyAttr;
  uint32_t hasKeyAttr;
} KORVU_CMS_OTHERKEYATTR;

KORVU_API KORVU_CMS_OTHERKEYATTR *korvu_cmsotherkeyattr_new(const KORVU_ASN1_OID *id, const KORVU_ASN1_ANY *value);
KORVU_API KORVU_ASN1_OID *korvu_cmsotherkeyattr_getattrid(const KORVU_CMS_OTHERKEYATTR *a);
KORVU_API KORVU_ASN1_ANY *korvu_cmsotherkeyattr_getattrvalue(const KORVU_CMS_OTHERKEYATTR *a);
KORVU_API int korvu_cmsotherkeyattr_hasattrvalue(const KORVU_CMS_OTHERKEYATTR *a);

/* ---- RecipientKeyIdentifier, also KEKIdentifier (154) --------------------
 * SEQUENCE { subjectKeyIdentifier OCTET STRING, date GeneralizedTime OPTIONAL, other OtherKeyAttribute OPTIONAL } */
typedef struct korvu_cms_recipientkeyid_st {
  KORVU_ASN1_OCTETSTRING *subjectKeyIdentifier;
  KORVU_ASN1_TIME *date;
  uint32_t hasDate;
  KORVU_CMS_OTHERKEYATTR *other;
  uint32_t hasOther;
} KORVU_CMS_RECIPIENTKEYID;

KORVU_API KORVU_CMS_RECIPIENTKEYID *korvu_cmsrecipientkeyid_new(const KORVU_ASN1_OCTETSTRING *key_id,
                                                                const KORVU_ASN1_TIME *date,
                                                                const KORVU_CMS_OTHERKEYATTR *other);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsrecipientkeyid_getsubkeyid(const KORVU_CMS_RECIPIENTKEYID *k);
KORVU_API KORVU_ASN1_TIME *korvu_cmsrecipientkeyid_getdate(const KORVU_CMS_RECIPIENTKEYID *k);
KORVU_API int korvu_cmsrecipientkeyid_hasdate(const KORVU_CMS_RECIPIENTKEYID *k);
KORVU_API KORVU_CMS_OTHERKEYATTR *korvu_cmsrecipientkeyid_getotherattr(const KORVU_CMS_RECIPIENTKEYID *k);
KORVU_API int korvu_cmsrecipientkeyid_hasotherattr(const KORVU_CMS_RECIPIENTKEYID *k);

/* ---- KeyAgreeRecipientIdentifier (155) -----------------------------------
 * CHOICE { issuerAndSerialNumber (0), rKeyId [0] IMPLICIT RecipientKeyIdentifier (1) } */
typedef struct korvu_cms_karid_st {
  uint32_t choice;
  void *value;
} KORVU_CMS_KARID;

KORVU_API KORVU_CMS_KARID *korvu_cmskeyagreerecipientid_newissuersn(const struct korvu_cms_issuerandsn_st *ias);
KORVU_API KORVU_CMS_KARID *korvu_cmskeyagreerecipientid_newrkeyid(const KORVU_CMS_RECIPIENTKEYID *key_id);
KORVU_API uint32_t korvu_cmskeyagreerecipientid_gettype(const KORVU_CMS_KARID *r);
KORVU_API struct korvu_cms_issuerandsn_st *korvu_cmskeyagreerecipientid_getissuersn(const KORVU_CMS_KARID *r);
KORVU_API KORVU_CMS_RECIPIENTKEYID *korvu_cmskeyagreerecipientid_getrkeyid(const KORVU_CMS_KARID *r);

/* ---- RecipientEncryptedKey (156); RecipientEncryptedKeys (157): SEQUENCE OF it */
typedef struct korvu_cms_recipientenckey_st {
  KORVU_CMS_KARID *rid;
  KORVU_ASN1_OCTETSTRING *encryptedKey;
} KORVU_CMS_RECIPIENTENCKEY;

KORVU_API KORVU_CMS_RECIPIENTENCKEY *korvu_cmsrecipientenckey_new(const KORVU_CMS_KARID *rid,
                                                                  const KORVU_ASN1_OCTETSTRING *encrypted_key);
KORVU_API KORVU_CMS_KARID *korvu_cmsrecipientenckey_getid(const KORVU_CMS_RECIPIENTENCKEY *k);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsrecipientenckey_getenckey(const KORVU_CMS_RECIPIENTENCKEY *k);

/* ---- KeyAgreeRecipientInfo (158) -----------------------------------------
 * SEQUENCE { version, originator [0] EXPLICIT OriginatorIdentifierOrKey, ukm [1] EXPLICIT OCTET STRING OPTIONAL,
 *   keyEncryptionAlgorithm, recipientEncryptedKeys } */
typedef struct korvu_cms_kari_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_CMS_ORGIDORKEY *originator;
  KORVU_ASN1_OCTETSTRING *ukm;
  uint32_t hasUkm;
  struct korvu_x509_algid_st *keyEncryptionAlgorithm;
  KORVU_ASN1_LIST *recipientEncryptedKeys; /* KORVU_CMS_RECIPIENTENCKEY */
} KORVU_CMS_KARI;

KORVU_API KORVU_CMS_KARI *korvu_cmskeyagreerecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                             const KORVU_CMS_ORGIDORKEY *originator,
                                                             const KORVU_ASN1_OCTETSTRING *ukm,
                                                             const struct korvu_x509_algid_st *key_enc_algorithm,
                                                             const KORVU_ASN1_LIST *encrypted_keys);
KORVU_API KORVU_ASN1_INTEGER *korvu_cmskeyagreerecipientinfo_getversion(const KORVU_CMS_KARI *ri);
KORVU_API KORVU_CMS_ORGIDORKEY *korvu_cmskeyagreerecipientinfo_getoriginator(const KORVU_CMS_KARI *ri);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmskeyagreerecipientinfo_getukm(const KORVU_CMS_KARI *ri);
KORVU_API int korvu_cmskeyagreerecipientinfo_hasukm(const KORVU_CMS_KARI *ri);
KORVU_API struct korvu_x509_algid_st *korvu_cmskeyagreerecipientinfo_getencalgo(const KORVU_CMS_KARI *ri);
KORVU_API KORVU_ASN1_LIST *korvu_cmskeyagreerecipientinfo_getenckeys(const KORVU_CMS_KARI *ri);

/* ---- KEKRecipientInfo (159) ----------------------------------------------
 * SEQUENCE { version, kekid KEKIdentifier, keyEncryptionAlgorithm, encryptedKey } */
typedef struct korvu_cms_kekri_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_CMS_RECIPIENTKEYID *kekid;
  struct korvu_x509_algid_st *keyEncryptionAlgorithm;
  KORVU_ASN1_OCTETSTRING *encryptedKey;
} KORVU_CMS_KEKRI;

KORVU_API KORVU_CMS_KEKRI *korvu_cmskekrecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                         const KORVU_CMS_RECIPIENTKEYID *kekid,
                                                         const struct korvu_x509_algid_st *key_enc_algorithm,
                                                         const KORVU_ASN1_OCTETSTRING *encrypted_key);
KORVU_API KORVU_ASN1_INTEGER *korvu_cmskekrecipientinfo_getversion(const KORVU_CMS_KEKRI *ri);
KORVU_API KORVU_CMS_RECIPIENTKEYID *korvu_cmskekrecipientinfo_getkekid(const KORVU_CMS_KEKRI *ri);
KORVU_API struct korvu_x509_algid_st *korvu_cmskekrecipientinfo_getencalgo(const KORVU_CMS_KEKRI *ri);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmskekrecipientinfo_getenckey(const KORVU_CMS_KEKRI *ri);

/* ---- PasswordRecipientInfo (160) -----------------------------------------
 * SEQUENCE { version, keyDerivationAlgorithm [0] IMPLICIT AlgorithmIdentifier OPTIONAL, keyEncryptionAlgorithm,
 *   encryptedKey } */
typedef struct korvu_cms_pwri_st {
  KORVU_ASN1_INTEGER *version;
  struct korvu_x509_algid_st *keyDerivationAlgorithm;
  uint32_t hasKeyDerivationAlgorithm;
  struct korvu_x509_algid_st *keyEncryptionAlgorithm;
  KORVU_ASN1_OCTETSTRING *encryptedKey;
} KORVU_CMS_PWRI;

KORVU_API KORVU_CMS_PWRI *korvu_cmspwdrecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                        const struct korvu_x509_algid_st *key_derivation_algorithm,
                                                        const struct korvu_x509_algid_st *key_enc_algorithm,
                                                        const KORVU_ASN1_OCTETSTRING *encrypted_key);
KORVU_API KORVU_ASN1_INTEGER *korvu_cmspwdrecipientinfo_getversion(const KORVU_CMS_PWRI *ri);
KORVU_API struct korvu_x509_algid_st *korvu_cmspwdrecipientinfo_getderivalgo(const KORVU_CMS_PWRI *ri);
KORVU_API int korvu_cmspwdrecipientinfo_hasderivalgo(const KORVU_CMS_PWRI *ri);
KORVU_API struct korvu_x509_algid_st *korvu_cmspwdrecipientinfo_getencalgo(const KORVU_CMS_PWRI *ri);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmspwdrecipientinfo_getenckey(const KORVU_CMS_PWRI *ri);

/* ---- OtherRecipientInfo (161) --------------------------------------------
 * SEQUENCE { oriType OBJECT IDENTIFIER, oriValue ANY } */
typedef struct korvu_cms_ori_st {
  KORVU_ASN1_OID *oriType;
  KORVU_ASN1_ANY *oriValue;
} KORVU_CMS_ORI;

KORVU_API KORVU_CMS_ORI *korvu_cmsotherrecipientinfo_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value);
KORVU_API KORVU_ASN1_OID *korvu_cmsotherrecipientinfo_gettype(const KORVU_CMS_ORI *ri);
KORVU_API KORVU_ASN1_ANY *korvu_cmsotherrecipientinfo_getvalue(const KORVU_CMS_ORI *ri);

/* ---- RecipientInfo (162); RecipientInfos (163): SET OF RecipientInfo ------
 * CHOICE { ktri (0), kari [1] (1), kekri [2] (2), pwri [3] (3), ori [4] (4) }, all IMPLICIT */
typedef struct korvu_cms_recipientinfo_st {
  uint32_t choice;
  void *value;
} KORVU_CMS_RECIPIENTINFO;

KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newktri(const KORVU_CMS_KTRI *ri);
KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newkari(const KORVU_CMS_KARI *ri);
KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newkekri(const KORVU_CMS_KEKRI *ri);
KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newpwri(const KORVU_CMS_PWRI *ri);
KORVU_API KORVU_CMS_RECIPIENTINFO *korvu_cmsrecipientinfo_newori(const KORVU_CMS_ORI *ri);
KORVU_API uint32_t korvu_cmsrecipientinfo_gettype(const KORVU_CMS_RECIPIENTINFO *ri);
KORVU_API KORVU_CMS_KTRI *korvu_cmsrecipientinfo_getktri(const KORVU_CMS_RECIPIENTINFO *ri);
KORVU_API KORVU_CMS_KARI *korvu_cmsrecipientinfo_getkari(const KORVU_CMS_RECIPIENTINFO *ri);
KORVU_API KORVU_CMS_KEKRI *korvu_cmsrecipientinfo_getkekri(const KORVU_CMS_RECIPIENTINFO *ri);
KORVU_API KORVU_CMS_PWRI *korvu_cmsrecipientinfo_getpwri(const KORVU_CMS_RECIPIENTINFO *ri);
KORVU_API KORVU_CMS_ORI *korvu_cmsrecipientinfo_getori(const KORVU_CMS_RECIPIENTINFO *ri);

/* ---- EnvelopedData (164) -------------------------------------------------
 * SEQUENCE { version, originatorInfo [0] IMPLICIT OriginatorInfo OPTIONAL, recipientInfos,
 *   encryptedContentInfo, unprotectedAttrs [1] IMPLICIT SET OF Attribute OPTIONAL } */
typedef struct korvu_cms_envelopeddata_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_CMS_ORIGINATORINFO *originatorInfo;
  uint32_t hasOriginatorInfo;
  KORVU_ASN1_LIST *recipientInfos; /* KORVU_CMS_RECIPIENTINFO */
  KORVU_CMS_ENCCONTENTINFO *encryptedContentInfo;
  KORVU_ASN1_LIST *unprotectedAttrs;
  uint32_t hasUnprotectedAttrs;
} KORVU_CMS_ENVELOPEDDATA;

KORVU_API KORVU_CMS_ENVELOPEDDATA *korvu_cmsenvelopeddata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_CMS_ORIGINATORINFO *originator,
                                                              const KORVU_ASN1_LIST *recipient_infos,
                                                              const KORVU_CMS_ENCCONTENTINFO *enc_info,
                                                              const KORVU_ASN1_LIST *unprotected_attrs);
KORVU_API KORVU_ASN1_INTEGER *korvu_cmsenvelopeddata_getversion(const KORVU_CMS_ENVELOPEDDATA *ed);
KORVU_API KORVU_CMS_ORIGINATORINFO *korvu_cmsenvelopeddata_getoriginator(const KORVU_CMS_ENVELOPEDDATA *ed);
KORVU_API int korvu_cmsenvelopeddata_hasoriginator(const KORVU_CMS_ENVELOPEDDATA *ed);
KORVU_API KORVU_ASN1_LIST *korvu_cmsenvelopeddata_getrecipinfos(const KORVU_CMS_ENVELOPEDDATA *ed);
KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_cmsenvelopeddata_getencinfo(const KORVU_CMS_ENVELOPEDDATA *ed);
KORVU_API KORVU_ASN1_LIST *korvu_cmsenvelopeddata_getattrs(const KORVU_CMS_ENVELOPEDDATA *ed);
KORVU_API int korvu_cmsenvelopeddata_hasattrs(const KORVU_CMS_ENVELOPEDDATA *ed);

/* ---- AuthenticatedData (165) ---------------------------------------------
 * SEQUENCE { version, originatorInfo [0] IMPLICIT OPTIONAL, recipientInfos, macAlgorithm,
 *   digestAlgorithm [1] IMPLICIT AlgorithmIdentifier OPTIONAL, encapContentInfo,
 *   authAttrs [2] IMPLICIT SET OF Attribute OPTIONAL, mac OCTET STRING,
 *   unauthAttrs [3] IMPLICIT SET OF Attribute OPTIONAL } */
typedef struct korvu_cms_authdata_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_CMS_ORIGINATORINFO *originatorInfo;
  uint32_t hasOriginatorInfo;
  KORVU_ASN1_LIST *recipientInfos; /* KORVU_CMS_RECIPIENTINFO */
  struct korvu_x509_algid_st *macAlgorithm;
  struct korvu_x509_algid_st *digestAlgorithm;
  uint32_t hasDigestAlgorithm;
  struct korvu_cms_encapcontentinfo_st *encapContentInfo;
  KORVU_ASN1_LIST *authAttrs;
  uint32_t hasAuthAttrs;
  KORVU_ASN1_OCTETSTRING *mac;
  KORVU_ASN1_LIST *unauthAttrs;
  uint32_t hasUnauthAttrs;
} KORVU_CMS_AUTHDATA;

KORVU_API KORVU_CMS_AUTHDATA *korvu_cmsauthdata_new(const KORVU_ASN1_INTEGER *version,
                                                    const KORVU_CMS_ORIGINATORINFO *originator,
                                                    const KORVU_ASN1_LIST *recipient_infos,
                                                    const struct korvu_x509_algid_st *mac_algorithm,
                                                    const struct korvu_x509_algid_st *digest_algorithm,
                                                    const struct korvu_cms_encapcontentinfo_st *encap_info,
                                                    const KORVU_ASN1_LIST *auth_attrs,
                                                    const KORVU_ASN1_OCTETSTRING *mac,
                                                    const KORVU_ASN1_LIST *unauth_attrs);
KORVU_API KORVU_ASN1_INTEGER *korvu_cmsauthdata_getversion(const KORVU_CMS_AUTHDATA *ad);
KORVU_API KORVU_CMS_ORIGINATORINFO *korvu_cmsauthdata_getoriginator(const KORVU_CMS_AUTHDATA *ad);
KORVU_API int korvu_cmsauthdata_hasoriginator(const KORVU_CMS_AUTHDATA *ad);
KORVU_API KORVU_ASN1_LIST *korvu_cmsauthdata_getrecipinfos(const KORVU_CMS_AUTHDATA *ad);
KORVU_API struct korvu_x509_algid_st *korvu_cmsauthdata_getmacalgo(const KORVU_CMS_AUTHDATA *ad);
KORVU_API struct korvu_x509_algid_st *korvu_cmsauthdata_gethashalgo(const KORVU_CMS_AUTHDATA *ad);
KORVU_API int korvu_cmsauthdata_hashashalgo(const KORVU_CMS_AUTHDATA *ad);
KORVU_API struct korvu_cms_encapcontentinfo_st *korvu_cmsauthdata_getencapinfo(const KORVU_CMS_AUTHDATA *ad);
KORVU_API KORVU_ASN1_LIST *korvu_cmsauthdata_getauthatrrs(const KORVU_CMS_AUTHDATA *ad);
KORVU_API int korvu_cmsauthdata_hasauthatrrs(const KORVU_CMS_AUTHDATA *ad);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsauthdata_getmac(const KORVU_CMS_AUTHDATA *ad);
KORVU_API KORVU_ASN1_LIST *korvu_cmsauthdata_getunauthatrrs(const KORVU_CMS_AUTHDATA *ad);
KORVU_API int korvu_cmsauthdata_hasunauthatrrs(const KORVU_CMS_AUTHDATA *ad);

/* ---- Diffie-Hellman KeySpecificInfo (166) and OtherInfo (167), RFC 2631 ----
 * KeySpecificInfo ::= SEQUENCE { algorithm OBJECT IDENTIFIER, counter OCTET STRING (SIZE (4)) }
 * OtherInfo ::= SEQUENCE { keyInfo KeySpecificInfo, partyAInfo [0] EXPLICIT OCTET STRING OPTIONAL,
 *   suppPubInfo [2] EXPLICIT OCTET STRING } */
typedef struct korvu_dh_keyspecinfo_st {
  KORVU_ASN1_OID *algorithm;
  KORVU_ASN1_OCTETSTRING *counter;
} KORVU_DH_KEYSPECINFO;

typedef struct korvu_dh_otherinfo_st {
  KORVU_DH_KEYSPECINFO *keyInfo;
  KORVU_ASN1_OCTETSTRING *partyAInfo;
  uint32_t hasPartyAInfo;
  KORVU_ASN1_OCTETSTRING *suppPubInfo;
} KORVU_DH_OTHERINFO;

KORVU_API KORVU_DH_KEYSPECINFO *korvu_dhkeyspecinfo_new(const KORVU_ASN1_OID *algorithm,
                                                        const KORVU_ASN1_OCTETSTRING *counter);
KORVU_API KORVU_ASN1_OID *korvu_dhkeyspecinfo_getalgo(const KORVU_DH_KEYSPECINFO *k);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_dhkeyspecinfo_getcount(const KORVU_DH_KEYSPECINFO *k);
KORVU_API KORVU_DH_OTHERINFO *korvu_dhotherinfo_new(const KORVU_DH_KEYSPECINFO *key_info,
                                                    const KORVU_ASN1_OCTETSTRING *party_a_info,
                                                    const KORVU_ASN1_OCTETSTRING *supp_pub_info);
KORVU_API KORVU_DH_KEYSPECINFO *korvu_dhotherinfo_getkeyspec(const KORVU_DH_OTHERINFO *o);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_dhotherinfo_getpartyainfo(const KORVU_DH_OTHERINFO *o);
KORVU_API int korvu_dhotherinfo_haspartyainfo(const KORVU_DH_OTHERINFO *o);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_dhotherinfo_getsupppubinfo(const KORVU_DH_OTHERINFO *o);

/* ---- ECC-CMS-SharedInfo (292), RFC 5753 ------------------------------------
 * SEQUENCE { keyInfo AlgorithmIdentifier, entityUInfo [0] EXPLICIT OCTET STRING OPTIONAL,
 *   suppPubInfo [2] EXPLICIT OCTET STRING }   (entityUInfo null when absent) */
typedef struct korvu_ecc_cms_sharedinfo_st {
  struct korvu_x509_algid_st *keyInfo;
  KORVU_ASN1_OCTETSTRING *entityUInfo;
  KORVU_ASN1_OCTETSTRING *suppPubInfo;
} KORVU_ECC_CMS_SHAREDINFO;

KORVU_API KORVU_ECC_CMS_SHAREDINFO *korvu_ecccmssharedinfo_new(const struct korvu_x509_algid_st *key_info,
                                                               const KORVU_ASN1_OCTETSTRING *entity_u_info,
                                                               const KORVU_ASN1_OCTETSTRING *supp_pub_info);
KORVU_API struct korvu_x509_algid_st *korvu_ecccmssharedinfo_getkeyinfo(const KORVU_ECC_CMS_SHAREDINFO *s);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ecccmssharedinfo_getentityuinfo(const KORVU_ECC_CMS_SHAREDINFO *s);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ecccmssharedinfo_getsupppubinfo(const KORVU_ECC_CMS_SHAREDINFO *s);

/* ---- DigestedData (121), PKCS #7 -------------------------------------------
 * SEQUENCE { version, digestAlgorithm, contentInfo ContentInfo, digest OCTET STRING } */
typedef struct korvu_pkcs7_digesteddata_st {
  KORVU_ASN1_INTEGER *version;
  struct korvu_x509_algid_st *digestAlgorithm;
  struct korvu_pkcs7_contentinfo_st *contentInfo;
  KORVU_ASN1_OCTETSTRING *digest;
} KORVU_PKCS7_DIGESTEDDATA;

KORVU_API KORVU_PKCS7_DIGESTEDDATA *korvu_pkcs7digesteddata_new(const KORVU_ASN1_INTEGER *version,
                                                                const struct korvu_x509_algid_st *digest_algorithm,
                                                                const struct korvu_pkcs7_contentinfo_st *content_info,
                                                                const KORVU_ASN1_OCTETSTRING *digest);
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs7digesteddata_getversion(const KORVU_PKCS7_DIGESTEDDATA *dd);
KORVU_API struct korvu_x509_algid_st *korvu_pkcs7digesteddata_getdigestalgo(const KORVU_PKCS7_DIGESTEDDATA *dd);
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_pkcs7digesteddata_getcontentinfo(const KORVU_PKCS7_DIGESTEDDATA *dd);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs7digesteddata_getdigest(const KORVU_PKCS7_DIGESTEDDATA *dd);

/* ---- DHSigStatic (218), RFC 2875 -------------------------------------------
 * SEQUENCE { issuerAndSerial IssuerAndSerialNumber OPTIONAL, hashValue OCTET STRING }
 * (issuerAndSerial null when absent) */
typedef struct korvu_dhsigstatic_st {
  struct korvu_cms_issuerandsn_st *issuerAndSerial;
  KORVU_ASN1_OCTETSTRING *hashValue;
} KORVU_DHSIGSTATIC;

KORVU_API KORVU_DHSIGSTATIC *korvu_dhsigstatic_new(const struct korvu_cms_issuerandsn_st *issuer_and_serial,
                                                   const KORVU_ASN1_OCTETSTRING *hash_value);
KORVU_API struct korvu_cms_issuerandsn_st *korvu_dhsigstatic_getissuerandserial(const KORVU_DHSIGSTATIC *s);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_dhsigstatic_gethashvalue(const KORVU_DHSIGSTATIC *s);

#ifdef __cplusplus
}
#endif
#endif
