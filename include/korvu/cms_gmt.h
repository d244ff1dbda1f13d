/** @file
 * KORVU ASN.1: the GM/T message variants: PKCS #7 SignedAndEnvelopedData (used by SM2 digital envelopes) and the
 * SM9 identity-based family (GM/T 0010 and 0044): SM9 signature and cipher, the SM9 identifier, published system
 * parameters, identifier revocation lists, SM9 SignedData and EnvelopedData with their signer and recipient
 * infos. The SM2 envelope form of EncryptedContentInfo is korvu_sm2_cmsencryptedcontentinfo_new
 * (korvu/cms_enveloped.h). Included by korvu/asn1.h.
 *
 * The SM9 records hold owned pointers in the order of their components, with no present flags: an absent
 * optional component is a null pointer. SignedAndEnvelopedData keeps a present flag before each of its two
 * optional pointers. Constructors copy their arguments and return null when a required one is null or a copy
 * fails; getters borrow. */
#ifndef KORVU_CMS_GMT_H
#define KORVU_CMS_GMT_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Records of other families, by their struct names: AlgorithmIdentifier and Validity (korvu/x509_cert.h),
 * ContentInfo (korvu/cms.h), EncryptedContentInfo (korvu/cms_enveloped.h). */
struct korvu_x509_algid_st;
struct korvu_x509_validity_st;
struct korvu_pkcs7_contentinfo_st;
struct korvu_cms_enccontentinfo_st;

/* ---- SignedAndEnvelopedData (355), RFC 2315 11 ---------------------------
 * SEQUENCE { version, recipientInfos RecipientInfos, digestAlgorithms DigestAlgorithmIdentifiers,
 *   encryptedContentInfo, certificates [0] IMPLICIT CertificateSet OPTIONAL,
 *   crls [1] IMPLICIT RevocationInfoChoices OPTIONAL, signerInfos SignerInfos } */
/** The record of SignedAndEnvelopedData (355). */
typedef struct korvu_signedandenvelopeddata_st {
  KORVU_ASN1_INTEGER *version;       /**< INTEGER (2) */
  KORVU_ASN1_LIST *recipientInfos;   /**< KORVU_CMS_RECIPIENTINFO */
  KORVU_ASN1_LIST *digestAlgorithms; /**< KORVU_X509_ALGID */
  struct korvu_cms_enccontentinfo_st *encryptedContentInfo; /**< EncryptedContentInfo (148) */
  uint32_t hasCertificates;          /**< 1 when `certificates` is present, else 0 */
  KORVU_ASN1_LIST *certificates; /**< KORVU_CMS_CERTCHOICE */
  uint32_t hasCrls;                  /**< 1 when `crls` is present, else 0 */
  KORVU_ASN1_LIST *crls;        /**< KORVU_CMS_REVINFOCHOICE */
  KORVU_ASN1_LIST *signerInfos; /**< KORVU_CMS_SIGNERINFO */
} KORVU_SIGNEDANDENVELOPEDDATA;

/** A new SignedAndEnvelopedData (355) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_SIGNEDANDENVELOPEDDATA *korvu_signedandenvelopeddata_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_ASN1_LIST *recipient_infos, const KORVU_ASN1_LIST *digest_algorithms,
    const struct korvu_cms_enccontentinfo_st *enc_info, const KORVU_ASN1_LIST *certificates,
    const KORVU_ASN1_LIST *crls, const KORVU_ASN1_LIST *signer_infos);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_signedandenvelopeddata_getversion(const KORVU_SIGNEDANDENVELOPEDDATA *v);
/** The record's `recipientInfos` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_signedandenvelopeddata_getrecipientinfos(const KORVU_SIGNEDANDENVELOPEDDATA *v);
/** The record's `digestAlgorithms` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_signedandenvelopeddata_getdigestalgorithms(const KORVU_SIGNEDANDENVELOPEDDATA *v);
/** The record's `encryptedContentInfo` (not a copy), null for a null record. */
KORVU_API struct korvu_cms_enccontentinfo_st *korvu_signedandenvelopeddata_getencryptedcontentinfo(
    const KORVU_SIGNEDANDENVELOPEDDATA *v);
/** The record's `certificates` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_signedandenvelopeddata_getcertificates(const KORVU_SIGNEDANDENVELOPEDDATA *v);
/** 1 when the record's `certificates` is present, 0 when absent or for a null record. */
KORVU_API int korvu_signedandenvelopeddata_hascertificates(const KORVU_SIGNEDANDENVELOPEDDATA *v);
/** The record's `crls` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_signedandenvelopeddata_getcrls(const KORVU_SIGNEDANDENVELOPEDDATA *v);
/** 1 when the record's `crls` is present, 0 when absent or for a null record. */
KORVU_API int korvu_signedandenvelopeddata_hascrls(const KORVU_SIGNEDANDENVELOPEDDATA *v);
/** The record's `signerInfos` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_signedandenvelopeddata_getsignerinfos(const KORVU_SIGNEDANDENVELOPEDDATA *v);

/* ---- SM9 signature (421) and cipher (422) ---------------------------------
 * SM9Signature ::= SEQUENCE { h OCTET STRING, S BIT STRING }
 * SM9Cipher ::= SEQUENCE { enType INTEGER, C1 BIT STRING, C3 OCTET STRING, CipherText OCTET STRING } */
/** The record of SM9 signature (421). */
typedef struct korvu_sm9_signature_st {
  KORVU_ASN1_OCTETSTRING *h; /**< OCTET STRING (4) */
  KORVU_ASN1_BITSTRING *S; /**< BIT STRING (3) */
} KORVU_SM9_SIGNATURE;

/** The record of SM9 cipher (422). */
typedef struct korvu_sm9_cipher_st {
  KORVU_ASN1_INTEGER *enType; /**< INTEGER (2) */
  KORVU_ASN1_BITSTRING *C1; /**< BIT STRING (3) */
  KORVU_ASN1_OCTETSTRING *C3; /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *CipherText; /**< OCTET STRING (4) */
} KORVU_SM9_CIPHER;

/** A new SM9 signature (421) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM9_SIGNATURE *korvu_sm9signature_new(const KORVU_ASN1_OCTETSTRING *h, const KORVU_ASN1_BITSTRING *s);
/** The record's `h` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9signature_geth(const KORVU_SM9_SIGNATURE *v);
/** The record's `S` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_sm9signature_gets(const KORVU_SM9_SIGNATURE *v);
/** A new SM9 cipher (422) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM9_CIPHER *korvu_sm9cipher_new(const KORVU_ASN1_INTEGER *en_type, const KORVU_ASN1_BITSTRING *c1,
                                                const KORVU_ASN1_OCTETSTRING *c3,
                                                const KORVU_ASN1_OCTETSTRING *cipher_text);
/** The record's `enType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm9cipher_getentype(const KORVU_SM9_CIPHER *v);
/** The record's `C1` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_sm9cipher_getc1(const KORVU_SM9_CIPHER *v);
/** The record's `C3` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9cipher_getc3(const KORVU_SM9_CIPHER *v);
/** The record's `CipherText` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9cipher_getciphertext(const KORVU_SM9_CIPHER *v);

/* ---- SM9 DistricInfo (427) and Identifier (428) ---------------------------
 * DistricInfo ::= SEQUENCE { district IA5String, districtNo INTEGER }
 * Identifier ::= SEQUENCE { version INTEGER DEFAULT 1, ibcType OBJECT IDENTIFIER,
 *   ibcTypeAlias [0] EXPLICIT OCTET STRING OPTIONAL, identityData OCTET STRING, validStart UTCTime,
 *   validEnd [1] EXPLICIT UTCTime OPTIONAL, extensions [2] EXPLICIT Extensions OPTIONAL }
 * version is never null: an absent one is INTEGER 1, and a version equal to 1 is not written. */
/** The record of SM9 DistricInfo (427). */
typedef struct korvu_sm9_districtinfo_st {
  KORVU_ASN1_STRING *district; /**< IA5String (14) */
  KORVU_ASN1_INTEGER *districtNo; /**< INTEGER (2) */
} KORVU_SM9_DISTRICTINFO;

/** The record of SM9 Identifier (428). */
typedef struct korvu_sm9_identifier_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2), DEFAULT */
  KORVU_ASN1_OID *ibcType;     /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OCTETSTRING *ibcTypeAlias; /**< OCTET STRING (4), [0] EXPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_OCTETSTRING *identityData; /**< OCTET STRING (4) */
  KORVU_ASN1_TIME *validStart; /**< UTCTime (21) */
  KORVU_ASN1_TIME *validEnd;   /**< UTCTime (21), [1] EXPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *extensions; /**< KORVU_X509_EXTENSION */
} KORVU_SM9_IDENTIFIER;

/** A new SM9 DistricInfo (427) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM9_DISTRICTINFO *korvu_sm9districtinfo_new(const KORVU_ASN1_STRING *district,
                                                            const KORVU_ASN1_INTEGER *district_no);
/** The record's `district` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_sm9districtinfo_getdistrict(const KORVU_SM9_DISTRICTINFO *v);
/** The record's `districtNo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm9districtinfo_getdistrictno(const KORVU_SM9_DISTRICTINFO *v);
/** A new SM9 Identifier (428) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM9_IDENTIFIER *korvu_sm9identifier_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_ASN1_OID *ibc_type,
                                                        const KORVU_ASN1_OCTETSTRING *ibc_type_alias,
                                                        const KORVU_ASN1_OCTETSTRING *identity_data,
                                                        const KORVU_ASN1_TIME *valid_start,
                                                        const KORVU_ASN1_TIME *valid_end,
                                                        const KORVU_ASN1_LIST *extensions);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm9identifier_getversion(const KORVU_SM9_IDENTIFIER *v);
/** The record's `ibcType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_sm9identifier_getibctype(const KORVU_SM9_IDENTIFIER *v);
/** The record's `ibcTypeAlias` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9identifier_getibctypealias(const KORVU_SM9_IDENTIFIER *v);
/** The record's `identityData` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9identifier_getidentitydata(const KORVU_SM9_IDENTIFIER *v);
/** The record's `validStart` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_sm9identifier_getvalidstart(const KORVU_SM9_IDENTIFIER *v);
/** The record's `validEnd` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_sm9identifier_getvalidend(const KORVU_SM9_IDENTIFIER *v);
/** The record's `extensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9identifier_getextensions(const KORVU_SM9_IDENTIFIER *v);

/* ---- system parameters (429-434, 438, 439, 442) ---------------------------
 * IBCPublicParameter ::= SEQUENCE { ibcAlgorithm OBJECT IDENTIFIER, publicParameterData OCTET STRING }
 * IBCPublicParameters ::= SEQUENCE OF IBCPublicParameter (430)
 * SM9PublicParameterData ::= SEQUENCE { pkgId OCTET STRING, encMasterPublicKey BIT STRING,
 *   signMasterPublicKey BIT STRING }
 * IBCParamExtension ::= SEQUENCE { oid OBJECT IDENTIFIER, value OCTET STRING }; IBCParamExtensions (433)
 * IBCSysParams ::= SEQUENCE { version INTEGER, districtName IA5String, districtSerial INTEGER, validity Validity,
 *   ibcPublicParams IBCPublicParameters, ibcIdentityType OBJECT IDENTIFIER, issuerId Identifier,
 *   ibcParamExts IBCParamExtensions OPTIONAL }
 * IBCSysParamsPublishinfo ::= SEQUENCE { sysParams IBCSysParams, signAlgo OBJECT IDENTIFIER, signValue BIT STRING }
 * IBCSysParamsPublishinfos ::= SET OF IBCSysParamsPublishinfo (439)
 * BeSignParamsPubInfo ::= SEQUENCE { sysParams IBCSysParams, signAlgo OBJECT IDENTIFIER } */
/** The record of IBCPublicParameter (429). */
typedef struct korvu_ibc_publicparameter_st {
  KORVU_ASN1_OID *ibcAlgorithm; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OCTETSTRING *publicParameterData; /**< OCTET STRING (4) */
} KORVU_IBC_PUBLICPARAMETER;

/** The record of SM9PublicParameterData (431). */
typedef struct korvu_sm9_publicparameterdata_st {
  KORVU_ASN1_OCTETSTRING *pkgId; /**< OCTET STRING (4) */
  KORVU_ASN1_BITSTRING *encMasterPublicKey; /**< BIT STRING (3) */
  KORVU_ASN1_BITSTRING *signMasterPublicKey; /**< BIT STRING (3) */
} KORVU_SM9_PUBLICPARAMETERDATA;

/** The record of IBCParamExtension (432). */
typedef struct korvu_ibc_paramextension_st {
  KORVU_ASN1_OID *oid; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OCTETSTRING *value; /**< OCTET STRING (4) */
} KORVU_IBC_PARAMEXTENSION;

/** The record of IBC Sys Params (434). */
typedef struct korvu_ibc_sysparams_st {
  KORVU_ASN1_INTEGER *version;      /**< INTEGER (2) */
  KORVU_ASN1_STRING *districtName;  /**< IA5String (14) */
  KORVU_ASN1_INTEGER *districtSerial; /**< INTEGER (2) */
  struct korvu_x509_validity_st *validity; /**< Validity (34) */
  KORVU_ASN1_LIST *ibcPublicParams; /**< KORVU_IBC_PUBLICPARAMETER */
  KORVU_ASN1_OID *ibcIdentityType;  /**< OBJECT IDENTIFIER (6) */
  KORVU_SM9_IDENTIFIER *issuerId;   /**< SM9 Identifier (428) */
  KORVU_ASN1_LIST *ibcParamExts; /**< KORVU_IBC_PARAMEXTENSION, null when absent */
} KORVU_IBC_SYSPARAMS;

/** The record of IBCSysParamsPublishinfo (438). */
typedef struct korvu_ibc_sysparamspublishinfo_st {
  KORVU_IBC_SYSPARAMS *sysParams; /**< IBC Sys Params (434) */
  KORVU_ASN1_OID *signAlgo; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_BITSTRING *signValue; /**< BIT STRING (3) */
} KORVU_IBC_SYSPARAMSPUBLISHINFO;

/** The record of SM9 BeSignParamsPubInfo (442). */
typedef struct korvu_sm9_besignparamspubinfo_st {
  KORVU_IBC_SYSPARAMS *sysParams; /**< IBC Sys Params (434) */
  KORVU_ASN1_OID *signAlgo; /**< OBJECT IDENTIFIER (6) */
} KORVU_SM9_BESIGNPARAMSPUBINFO;

/** A new IBCPublicParameter (429) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_IBC_PUBLICPARAMETER *korvu_ibcpublicparameter_new(const KORVU_ASN1_OID *algorithm,
                                                                  const KORVU_ASN1_OCTETSTRING *data);
/** The record's `ibcAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ibcpublicparameter_getibcalgo(const KORVU_IBC_PUBLICPARAMETER *v);
/** The record's `publicParameterData` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ibcpublicparameter_getpublicparamdata(const KORVU_IBC_PUBLICPARAMETER *v);
/** A new SM9PublicParameterData (431) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_SM9_PUBLICPARAMETERDATA *korvu_sm9publicparameterdata_new(const KORVU_ASN1_OCTETSTRING *pkg_id,
                                                                          const KORVU_ASN1_BITSTRING *enc_master,
                                                                          const KORVU_ASN1_BITSTRING *sign_master);
/** The record's `pkgId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9publicparameterdata_getpkgid(const KORVU_SM9_PUBLICPARAMETERDATA *v);
/** The record's `encMasterPublicKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_sm9publicparameterdata_getencmasterpublickey(
    const KORVU_SM9_PUBLICPARAMETERDATA *v);
/** The record's `signMasterPublicKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_sm9publicparameterdata_getsignmasterpublickey(
    const KORVU_SM9_PUBLICPARAMETERDATA *v);
/** A new IBCParamExtension (432) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_IBC_PARAMEXTENSION *korvu_ibcparamextension_new(const KORVU_ASN1_OID *oid,
                                                                const KORVU_ASN1_OCTETSTRING *value);
/** The record's `oid` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ibcparamextension_getoid(const KORVU_IBC_PARAMEXTENSION *v);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ibcparamextension_getvalue(const KORVU_IBC_PARAMEXTENSION *v);
/** A new IBC Sys Params (434) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_IBC_SYSPARAMS *korvu_ibcsysparams_new(const KORVU_ASN1_INTEGER *version,
                                                      const KORVU_ASN1_STRING *district_name,
                                                      const KORVU_ASN1_INTEGER *district_serial,
                                                      const struct korvu_x509_validity_st *validity,
                                                      const KORVU_ASN1_LIST *public_params,
                                                      const KORVU_ASN1_OID *identity_type,
                                                      const KORVU_SM9_IDENTIFIER *issuer_id,
                                                      const KORVU_ASN1_LIST *param_exts);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ibcsysparams_getversion(const KORVU_IBC_SYSPARAMS *v);
/** The record's `districtName` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ibcsysparams_getdistrictname(const KORVU_IBC_SYSPARAMS *v);
/** The record's `districtSerial` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ibcsysparams_getdistrictserial(const KORVU_IBC_SYSPARAMS *v);
/** The record's `validity` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_validity_st *korvu_ibcsysparams_getvalidity(const KORVU_IBC_SYSPARAMS *v);
/** The record's `ibcPublicParams` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ibcsysparams_getibcpublicparams(const KORVU_IBC_SYSPARAMS *v);
/** The record's `ibcIdentityType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ibcsysparams_getibcidentitytype(const KORVU_IBC_SYSPARAMS *v);
/** The record's `issuerId` (not a copy), null for a null record. */
KORVU_API KORVU_SM9_IDENTIFIER *korvu_ibcsysparams_getissuerid(const KORVU_IBC_SYSPARAMS *v);
/** The record's `ibcParamExts` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ibcsysparams_getibcparamexts(const KORVU_IBC_SYSPARAMS *v);
/** A new IBCSysParamsPublishinfo (438) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_IBC_SYSPARAMSPUBLISHINFO *korvu_ibcsysparamspublishinfo_new(const KORVU_IBC_SYSPARAMS *sys_params,
                                                                            const KORVU_ASN1_OID *sign_algo,
                                                                            const KORVU_ASN1_BITSTRING *sign_value);
/** The record's `sysParams` (not a copy), null for a null record. */
KORVU_API KORVU_IBC_SYSPARAMS *korvu_ibcsysparamspublishinfo_getsysparams(const KORVU_IBC_SYSPARAMSPUBLISHINFO *v);
/** The record's `signAlgo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ibcsysparamspublishinfo_getsignalgo(const KORVU_IBC_SYSPARAMSPUBLISHINFO *v);
/** The record's `signValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ibcsysparamspublishinfo_getsignvalue(const KORVU_IBC_SYSPARAMSPUBLISHINFO *v);
/** A new SM9 BeSignParamsPubInfo (442) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_SM9_BESIGNPARAMSPUBINFO *korvu_sm9besignparamspubinfo_new(const KORVU_IBC_SYSPARAMS *sys_params,
                                                                          const KORVU_ASN1_OID *sign_algo);
/** The record's `sysParams` (not a copy), null for a null record. */
KORVU_API KORVU_IBC_SYSPARAMS *korvu_sm9besignparamspubinfo_getsysparams(const KORVU_SM9_BESIGNPARAMSPUBINFO *v);
/** The record's `signAlgo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_sm9besignparamspubinfo_getsignalgo(const KORVU_SM9_BESIGNPARAMSPUBINFO *v);

/* ---- SM9 SignerInfo (440); SM9 SignerInfos (441): SET OF SM9 SignerInfo ---
 * SEQUENCE { version, signerId Identifier, digestAlgorithm, signedAttrs [0] IMPLICIT SET OF Attribute OPTIONAL,
 *   signatureAlgorithm, signature SM9Signature, unsignedAttrs [1] IMPLICIT SET OF Attribute OPTIONAL } */
/** The record of SM9 SignerInfo (440). */
typedef struct korvu_sm9_signerinfo_st {
  KORVU_ASN1_INTEGER *version;    /**< INTEGER (2) */
  KORVU_SM9_IDENTIFIER *signerId; /**< SM9 Identifier (428) */
  struct korvu_x509_algid_st *digestAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_LIST *signedAttrs; /**< null when absent */
  struct korvu_x509_algid_st *signatureAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_SM9_SIGNATURE *signature; /**< SM9 signature (421) */
  KORVU_ASN1_LIST *unsignedAttrs; /**< null when absent */
} KORVU_SM9_SIGNERINFO;

/** A new SM9 SignerInfo (440) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM9_SIGNERINFO *korvu_sm9signerinfo_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_SM9_IDENTIFIER *signer_id,
                                                        const struct korvu_x509_algid_st *digest_algorithm,
                                                        const KORVU_ASN1_LIST *signed_attrs,
                                                        const struct korvu_x509_algid_st *signature_algorithm,
                                                        const KORVU_SM9_SIGNATURE *signature,
                                                        const KORVU_ASN1_LIST *unsigned_attrs);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm9signerinfo_getversion(const KORVU_SM9_SIGNERINFO *v);
/** The record's `signerId` (not a copy), null for a null record. */
KORVU_API KORVU_SM9_IDENTIFIER *korvu_sm9signerinfo_getsignerid(const KORVU_SM9_SIGNERINFO *v);
/** The record's `digestAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_sm9signerinfo_getdigestalgo(const KORVU_SM9_SIGNERINFO *v);
/** The record's `signedAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9signerinfo_getsignattrs(const KORVU_SM9_SIGNERINFO *v);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_sm9signerinfo_getsignalgo(const KORVU_SM9_SIGNERINFO *v);
/** The record's `signature` (not a copy), null for a null record. */
KORVU_API KORVU_SM9_SIGNATURE *korvu_sm9signerinfo_getsignature(const KORVU_SM9_SIGNERINFO *v);
/** The record's `unsignedAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9signerinfo_getunsignattrs(const KORVU_SM9_SIGNERINFO *v);

/* ---- identifier revocation lists (435-437, 443, 444) ----------------------
 * RevokedId ::= SEQUENCE { id OCTET STRING, revocationDate GeneralizedTime, exts [0] EXPLICIT Extensions OPTIONAL }
 * RevokedIds ::= SEQUENCE OF RevokedId (436)
 * TBSIdList ::= SEQUENCE { version INTEGER, signature AlgorithmIdentifier, issuerId Identifier,
 *   thisUpdate GeneralizedTime, nextUpdate [0] EXPLICIT GeneralizedTime OPTIONAL, revokedIds RevokedIds,
 *   exts [1] EXPLICIT Extensions OPTIONAL }
 * IdentifierRevocationList ::= SEQUENCE { tbsIdList TBSIdList, signInfos SM9 SignerInfos }
 * IdentifierRevocationLists ::= SET OF IdentifierRevocationList (444) */
/** The record of SM9 RevokedId (435). */
typedef struct korvu_sm9_revokedid_st {
  KORVU_ASN1_OCTETSTRING *id; /**< OCTET STRING (4) */
  KORVU_ASN1_TIME *revocationDate; /**< GeneralizedTime (22) */
  KORVU_ASN1_LIST *exts; /**< Extensions (37), [0] EXPLICIT, OPTIONAL: null when absent */
} KORVU_SM9_REVOKEDID;

/** The record of SM9 TBSIdList (437). */
typedef struct korvu_sm9_tbsidlist_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  struct korvu_x509_algid_st *signature; /**< AlgorithmIdentifier (33) */
  KORVU_SM9_IDENTIFIER *issuerId; /**< SM9 Identifier (428) */
  KORVU_ASN1_TIME *thisUpdate; /**< GeneralizedTime (22) */
  KORVU_ASN1_TIME *nextUpdate; /**< GeneralizedTime (22), [0] EXPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *revokedIds; /**< KORVU_SM9_REVOKEDID */
  KORVU_ASN1_LIST *exts;       /**< Extensions (37), [1] EXPLICIT, OPTIONAL: null when absent */
} KORVU_SM9_TBSIDLIST;

/** The record of SM9 IdentifierRevocationList (443). */
typedef struct korvu_sm9_irl_st {
  KORVU_SM9_TBSIDLIST *tbsIdList; /**< SM9 TBSIdList (437) */
  KORVU_ASN1_LIST *signInfos; /**< KORVU_SM9_SIGNERINFO */
} KORVU_SM9_IRL;

/** A new SM9 RevokedId (435) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM9_REVOKEDID *korvu_sm9revokedid_new(const KORVU_ASN1_OCTETSTRING *id,
                                                      const KORVU_ASN1_TIME *revocation_date,
                                                      const KORVU_ASN1_LIST *exts);
/** The record's `id` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9revokedid_getid(const KORVU_SM9_REVOKEDID *v);
/** The record's `revocationDate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_sm9revokedid_getrevocationdate(const KORVU_SM9_REVOKEDID *v);
/** The record's `exts` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9revokedid_getexts(const KORVU_SM9_REVOKEDID *v);
/** A new SM9 TBSIdList (437) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM9_TBSIDLIST *korvu_sm9tbsidlist_new(const KORVU_ASN1_INTEGER *version,
                                                      const struct korvu_x509_algid_st *signature,
                                                      const KORVU_SM9_IDENTIFIER *issuer_id,
                                                      const KORVU_ASN1_TIME *this_update,
                                                      const KORVU_ASN1_TIME *next_update,
                                                      const KORVU_ASN1_LIST *revoked_ids,
                                                      const KORVU_ASN1_LIST *exts);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm9tbsidlist_getversion(const KORVU_SM9_TBSIDLIST *v);
/** The record's `signature` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_sm9tbsidlist_getsignatureoid(const KORVU_SM9_TBSIDLIST *v);
/** The record's `issuerId` (not a copy), null for a null record. */
KORVU_API KORVU_SM9_IDENTIFIER *korvu_sm9tbsidlist_getissuerid(const KORVU_SM9_TBSIDLIST *v);
/** The record's `thisUpdate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_sm9tbsidlist_getthisupdate(const KORVU_SM9_TBSIDLIST *v);
/** The record's `nextUpdate` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_sm9tbsidlist_getnextupdate(const KORVU_SM9_TBSIDLIST *v);
/** The record's `revokedIds` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9tbsidlist_getrevokedids(const KORVU_SM9_TBSIDLIST *v);
/** The record's `exts` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9tbsidlist_getexts(const KORVU_SM9_TBSIDLIST *v);
/** A new SM9 IdentifierRevocationList (443) of copies of the arguments, in component order; null when a required
 * one is null or building fails. */
KORVU_API KORVU_SM9_IRL *korvu_sm9identifierrevocationlist_new(const KORVU_SM9_TBSIDLIST *tbs_id_list,
                                                               const KORVU_ASN1_LIST *sign_infos);
/** The record's `tbsIdList` (not a copy), null for a null record. */
KORVU_API KORVU_SM9_TBSIDLIST *korvu_sm9identifierrevocationlist_gettbsidlist(const KORVU_SM9_IRL *v);
/** The record's `signInfos` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9identifierrevocationlist_getsigninfos(const KORVU_SM9_IRL *v);

/* ---- SM9 SignedData (445) -------------------------------------------------
 * SEQUENCE { version, digestAlgorithms, contentInfo ContentInfo,
 *   ibcSysParamsPublishInfos [0] IMPLICIT IBCSysParamsPublishinfos OPTIONAL,
 *   irls [1] IMPLICIT IdentifierRevocationLists OPTIONAL, signerInfos SM9 SignerInfos } */
/** The record of SM9 SignedData (445). */
typedef struct korvu_sm9_signeddata_st {
  KORVU_ASN1_INTEGER *version;               /**< INTEGER (2) */
  KORVU_ASN1_LIST *digestAlgorithms;         /**< DigestAlgorithmIdentifiers (126) */
  struct korvu_pkcs7_contentinfo_st *contentInfo; /**< ContentInfo (111) */
  KORVU_ASN1_LIST *ibcSysParamsPublishInfos; /**< KORVU_IBC_SYSPARAMSPUBLISHINFO, null when absent */
  KORVU_ASN1_LIST *irls;                     /**< KORVU_SM9_IRL, null when absent */
  KORVU_ASN1_LIST *signerInfos;              /**< KORVU_SM9_SIGNERINFO */
} KORVU_SM9_SIGNEDDATA;

/** A new SM9 SignedData (445) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SM9_SIGNEDDATA *korvu_sm9signeddata_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_ASN1_LIST *digest_algorithms,
                                                        const struct korvu_pkcs7_contentinfo_st *content_info,
                                                        const KORVU_ASN1_LIST *publish_infos,
                                                        const KORVU_ASN1_LIST *irls,
                                                        const KORVU_ASN1_LIST *signer_infos);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm9signeddata_getversion(const KORVU_SM9_SIGNEDDATA *v);
/** The record's `digestAlgorithms` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9signeddata_getdigestalgos(const KORVU_SM9_SIGNEDDATA *v);
/** The record's `contentInfo` (not a copy), null for a null record. */
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_sm9signeddata_getcontentinfo(const KORVU_SM9_SIGNEDDATA *v);
/** The record's `ibcSysParamsPublishInfos` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9signeddata_getibssysparamspublishinfos(const KORVU_SM9_SIGNEDDATA *v);
/** The record's `irls` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9signeddata_getirls(const KORVU_SM9_SIGNEDDATA *v);
/** The record's `signerInfos` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9signeddata_getsignerinfos(const KORVU_SM9_SIGNEDDATA *v);

/* ---- SM9 EncryptedContentInfo (446), RecipientInfo(s) (447, 448), EnvelopedData (449)
 * EncryptedContentInfo ::= SEQUENCE { contentType, contentEncryptionAlgorithm,
 *   sharedInfo1 [0] EXPLICIT OCTET STRING OPTIONAL, sharedInfo2 [1] EXPLICIT OCTET STRING OPTIONAL,
 *   encryptedContent [2] IMPLICIT OCTET STRING OPTIONAL }
 * RecipientInfo ::= SEQUENCE { version, recipientId Identifier, keyEncryptionAlgorithm, encryptedKey SM9Cipher }
 * EnvelopedData ::= SEQUENCE { version, recipientInfos SET OF RecipientInfo, encryptedContentInfo } */
/** The record of SM9 EncryptedContentInfo (446). */
typedef struct korvu_sm9_enccontentinfo_st {
  KORVU_ASN1_OID *contentType; /**< OBJECT IDENTIFIER (6) */
  struct korvu_x509_algid_st *contentEncryptionAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *sharedInfo1; /**< OCTET STRING (4), [0] EXPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_OCTETSTRING *sharedInfo2; /**< OCTET STRING (4), [1] EXPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_OCTETSTRING *encryptedContent; /**< OCTET STRING (4), [2] IMPLICIT, OPTIONAL: null when absent */
} KORVU_SM9_ENCCONTENTINFO;

/** The record of SM9 RecipientInfo (447). */
typedef struct korvu_sm9_recipientinfo_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_SM9_IDENTIFIER *recipientId; /**< SM9 Identifier (428) */
  struct korvu_x509_algid_st *keyEncryptionAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_SM9_CIPHER *encryptedKey; /**< SM9 cipher (422) */
} KORVU_SM9_RECIPIENTINFO;

/** The record of SM9 EnvelopedData (449). */
typedef struct korvu_sm9_envelopeddata_st {
  KORVU_ASN1_INTEGER *version;     /**< INTEGER (2) */
  KORVU_ASN1_LIST *recipientInfos; /**< KORVU_SM9_RECIPIENTINFO */
  KORVU_SM9_ENCCONTENTINFO *encryptedContentInfo; /**< SM9 EncryptedContentInfo (446) */
} KORVU_SM9_ENVELOPEDDATA;

/** A new SM9 EncryptedContentInfo (446) of copies of the arguments, in component order; null when a required one
 * is null or building fails. */
KORVU_API KORVU_SM9_ENCCONTENTINFO *korvu_sm9encryptedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                      const struct korvu_x509_algid_st *algorithm,
                                                                      const KORVU_ASN1_OCTETSTRING *shared_info1,
                                                                      const KORVU_ASN1_OCTETSTRING *shared_info2,
                                                                      const KORVU_ASN1_OCTETSTRING *content);
/** The record's `contentType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_sm9encryptedcontentinfo_gettype(const KORVU_SM9_ENCCONTENTINFO *v);
/** The record's `contentEncryptionAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_sm9encryptedcontentinfo_getalgo(const KORVU_SM9_ENCCONTENTINFO *v);
/** The record's `sharedInfo1` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9encryptedcontentinfo_getsharedinfo(const KORVU_SM9_ENCCONTENTINFO *v);
/** The record's `sharedInfo2` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9encryptedcontentinfo_getsharedinfo2(const KORVU_SM9_ENCCONTENTINFO *v);
/** The record's `encryptedContent` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_sm9encryptedcontentinfo_getenccontent(const KORVU_SM9_ENCCONTENTINFO *v);
/** A new SM9 RecipientInfo (447) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_SM9_RECIPIENTINFO *korvu_sm9recipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_SM9_IDENTIFIER *recipient_id,
                                                              const struct korvu_x509_algid_st *key_enc_algorithm,
                                                              const KORVU_SM9_CIPHER *encrypted_key);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm9recipientinfo_getversion(const KORVU_SM9_RECIPIENTINFO *v);
/** The record's `recipientId` (not a copy), null for a null record. */
KORVU_API KORVU_SM9_IDENTIFIER *korvu_sm9recipientinfo_getrecipientid(const KORVU_SM9_RECIPIENTINFO *v);
/** The record's `keyEncryptionAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_sm9recipientinfo_getencalgo(const KORVU_SM9_RECIPIENTINFO *v);
/** The record's `encryptedKey` (not a copy), null for a null record. */
KORVU_API KORVU_SM9_CIPHER *korvu_sm9recipientinfo_getenckey(const KORVU_SM9_RECIPIENTINFO *v);
/** A new SM9 EnvelopedData (449) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_SM9_ENVELOPEDDATA *korvu_sm9envelopeddata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_ASN1_LIST *recipient_infos,
                                                              const KORVU_SM9_ENCCONTENTINFO *enc_info);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_sm9envelopeddata_getversion(const KORVU_SM9_ENVELOPEDDATA *v);
/** The record's `recipientInfos` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_sm9envelopeddata_getrecipinfos(const KORVU_SM9_ENVELOPEDDATA *v);
/** The record's `encryptedContentInfo` (not a copy), null for a null record. */
KORVU_API KORVU_SM9_ENCCONTENTINFO *korvu_sm9envelopeddata_getencinfo(const KORVU_SM9_ENVELOPEDDATA *v);

#ifdef __cplusplus
}
#endif
#endif
