/** @file
 * KORVU ASN.1: signed messages of the cryptographic message syntax (RFC 5652) and of PKCS #7 (RFC 2315):
 * ContentInfo, SignedData with its signer infos and certificate and revocation sets, and the streaming decoder of
 * a signed message. Included by korvu/asn1.h.
 *
 * An optional component is a pointer plus a 32-bit present flag (the pointer counts only when the flag is 1). A
 * CHOICE is { uint32_t choice; void *value; }. Lists are KORVU_ASN1_LIST values of the element records named
 * beside them. Constructors copy their arguments (korvu_pkcs7signeddata_new0 takes them over) and return null when
 * a required one is null or a copy fails. */
#ifndef KORVU_CMS_H
#define KORVU_CMS_H
#include "korvu/asn1_base.h"
#include "korvu/asn1_strings.h"
#include "korvu/asn1_oid.h"
#include "korvu/asn1_time.h"
#include "korvu/asn1_any.h"
#include "korvu/x509_name.h"
#include "korvu/x509_cert.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Records of other families, by their struct names: Name (korvu/x509_name.h), AlgorithmIdentifier and
 * Certificate (korvu/x509_cert.h), AttributeCertificate (korvu/x509_attrcert.h), CertificateList
 * (korvu/x509_crl.h). */
struct korvu_x500_name_st;
struct korvu_x509_algid_st;
struct korvu_x509_cert_st;
struct korvu_ac_cert_st;
struct korvu_x509_crl_st;

/* ---- ContentInfo (111) ---------------------------------------------------
 * ContentInfo ::= SEQUENCE { contentType OBJECT IDENTIFIER, content [0] EXPLICIT ANY OPTIONAL } */
/** The record of ContentInfo (111). */
typedef struct korvu_pkcs7_contentinfo_st {
  KORVU_ASN1_OID *contentType; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *content; /**< ANY (23), [0] EXPLICIT, OPTIONAL: null when absent */
  uint32_t hasContent; /**< 1 when `content` is present, else 0 */
  uint32_t indefinite; /**< indefinite lengths as received, written so again (0 when built) */
} KORVU_PKCS7_CONTENTINFO;

/** A new ContentInfo (111) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKCS7_CONTENTINFO *korvu_pkcs7contentinfo_new(const KORVU_ASN1_OID *content_type,
                                                             const KORVU_ASN1_ANY *content);
/** The record's `contentType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_pkcs7contentinfo_getcontenttype(const KORVU_PKCS7_CONTENTINFO *ci);
/** The record's `content` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_pkcs7contentinfo_getcontent(const KORVU_PKCS7_CONTENTINFO *ci);
/** 1 when the record's `content` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs7contentinfo_hascontent(const KORVU_PKCS7_CONTENTINFO *ci);

/* ---- EncapsulatedContentInfo (147) ---------------------------------------
 * EncapsulatedContentInfo ::= SEQUENCE { eContentType OBJECT IDENTIFIER, eContent [0] EXPLICIT OCTET STRING
 *   OPTIONAL } */
/** The record of EncapsulatedContentInfo (147). */
typedef struct korvu_cms_encapcontentinfo_st {
  KORVU_ASN1_OID *eContentType; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OCTETSTRING *eContent; /**< OCTET STRING (4), [0] EXPLICIT, OPTIONAL: null when absent */
  uint32_t hasEContent; /**< 1 when `eContent` is present, else 0 */
} KORVU_CMS_ENCAPCONTENTINFO;

/** A new EncapsulatedContentInfo (147) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_CMS_ENCAPCONTENTINFO *korvu_cmsencapsulatedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                          const KORVU_ASN1_OCTETSTRING *content);
/** The record's `eContentType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_cmsencapsulatedcontentinfo_getcontenttype(const KORVU_CMS_ENCAPCONTENTINFO *eci);
/** The record's `eContent` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsencapsulatedcontentinfo_getcontent(const KORVU_CMS_ENCAPCONTENTINFO *eci);

/* ---- IssuerAndSerialNumber (122) ----------------------------------------- */
/** The record of IssuerAndSerialNumber (122). */
typedef struct korvu_cms_issuerandsn_st {
  struct korvu_x500_name_st *issuer; /**< Name (32) */
  KORVU_ASN1_INTEGER *serialNumber; /**< INTEGER (2) */
} KORVU_CMS_ISSUERANDSN;

/** A new IssuerAndSerialNumber (122) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_CMS_ISSUERANDSN *korvu_cmsissuerandsn_new(const struct korvu_x500_name_st *issuer,
                                                         const KORVU_ASN1_INTEGER *serial);
/** The record's `issuer` (not a copy), null for a null record. */
KORVU_API struct korvu_x500_name_st *korvu_cmsissuerandsn_getissuer(const KORVU_CMS_ISSUERANDSN *ias);
/** The record's `serialNumber` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_cmsissuerandsn_getsn(const KORVU_CMS_ISSUERANDSN *ias);

/* ---- SignerIdentifier (123) ----------------------------------------------
 * CHOICE { issuerAndSerialNumber (0), subjectKeyIdentifier [0] IMPLICIT OCTET STRING (1) } */
/** The record of SignerIdentifier (123): a CHOICE, `choice` is the number of the alternative held and `value` its
 * value. */
typedef struct korvu_cms_signerid_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< KORVU_CMS_ISSUERANDSN (0) or KORVU_ASN1_OCTETSTRING (1) */
} KORVU_CMS_SIGNERID;

/** A new SignerIdentifier (123) holding a copy of the argument as alternative 0; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_CMS_SIGNERID *korvu_cmssignerid_newissuersn(const KORVU_CMS_ISSUERANDSN *ias);
/** A new SignerIdentifier (123) holding a copy of the argument as alternative 1; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_CMS_SIGNERID *korvu_cmssignerid_newsubkeyid(const KORVU_ASN1_OCTETSTRING *key_id);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_cmssignerid_gettype(const KORVU_CMS_SIGNERID *sid);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CMS_ISSUERANDSN *korvu_cmssignerid_getissuersn(const KORVU_CMS_SIGNERID *sid);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmssignerid_getkeyid(const KORVU_CMS_SIGNERID *sid);

/* ---- SignerInfo (124); SignerInfos (125): SET OF SignerInfo -----------------
 * The attribute sets are lists of KORVU_X500_ATTRIBUTE (type 43), written in list order (sort the signed
 * attributes with korvu_asn1_pkcs10attributes_sort for DER). */
/** The record of SignerInfo (124). */
typedef struct korvu_cms_signerinfo_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_CMS_SIGNERID *sid; /**< SignerIdentifier (123) */
  struct korvu_x509_algid_st *digestAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_LIST *signedAttrs; /**< Attributes (44), [0] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasSignedAttrs; /**< 1 when `signedAttrs` is present, else 0 */
  struct korvu_x509_algid_st *signatureAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *signature; /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *unsignedAttrs; /**< Attributes (44), [1] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasUnsignedAttrs; /**< 1 when `unsignedAttrs` is present, else 0 */
} KORVU_CMS_SIGNERINFO;

/** A new SignerInfo (124) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CMS_SIGNERINFO *korvu_cmssignerinfo_new(const KORVU_ASN1_INTEGER *version,
                                                       const KORVU_CMS_SIGNERID *sid,
                                                       const struct korvu_x509_algid_st *digest_algorithm,
                                                       const KORVU_ASN1_LIST *signed_attrs,
                                                       const struct korvu_x509_algid_st *signature_algorithm,
                                                       const KORVU_ASN1_OCTETSTRING *signature,
                                                       const KORVU_ASN1_LIST *unsigned_attrs);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_cmssignerinfo_getversion(const KORVU_CMS_SIGNERINFO *si);
/** The record's `sid` (not a copy), null for a null record. */
KORVU_API KORVU_CMS_SIGNERID *korvu_cmssignerinfo_getsid(const KORVU_CMS_SIGNERINFO *si);
/** The record's `digestAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmssignerinfo_getdigestalgo(const KORVU_CMS_SIGNERINFO *si);
/** The record's `signedAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmssignerinfo_getsignattrs(const KORVU_CMS_SIGNERINFO *si);
/** 1 when the record's `signedAttrs` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmssignerinfo_hassignattrs(const KORVU_CMS_SIGNERINFO *si);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmssignerinfo_getsignalgo(const KORVU_CMS_SIGNERINFO *si);
/** The record's `signature` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmssignerinfo_getsignature(const KORVU_CMS_SIGNERINFO *si);
/** The record's `unsignedAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cmssignerinfo_getunsignattrs(const KORVU_CMS_SIGNERINFO *si);
/** 1 when the record's `unsignedAttrs` is present, 0 when absent or for a null record. */
KORVU_API int korvu_cmssignerinfo_hasunsignattrs(const KORVU_CMS_SIGNERINFO *si);

/* ---- OtherCertificateFormat (127), OtherRevocationInfoFormat (128) -------- */
/** The record of OtherCertificateFormat (127). */
typedef struct korvu_cms_otherformat_st {
  KORVU_ASN1_OID *format; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *value; /**< ANY (23) */
} KORVU_CMS_OTHERCERTFORMAT;
/** OtherRevocationInfoFormat: the same record as OtherCertificateFormat. */
typedef KORVU_CMS_OTHERCERTFORMAT KORVU_CMS_OTHERREVINFOFORMAT;

/** A new OtherCertificateFormat (127) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_CMS_OTHERCERTFORMAT *korvu_cmsothercertformat_new(const KORVU_ASN1_OID *format,
                                                                 const KORVU_ASN1_ANY *value);
/** The record's `format` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_cmsothercertformat_getformat(const KORVU_CMS_OTHERCERTFORMAT *o);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_cmsothercertformat_getothercert(const KORVU_CMS_OTHERCERTFORMAT *o);
/** A new OtherRevocationInfoFormat (128) of copies of the arguments, in component order; null when a required one
 * is null or building fails. */
KORVU_API KORVU_CMS_OTHERREVINFOFORMAT *korvu_cmsotherrevinfoformat_new(const KORVU_ASN1_OID *format,
                                                                       const KORVU_ASN1_ANY *value);
/** The record's `format` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_cmsotherrevinfoformat_getformat(const KORVU_CMS_OTHERREVINFOFORMAT *o);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_cmsotherrevinfoformat_getotherrevinfo(const KORVU_CMS_OTHERREVINFOFORMAT *o);

/* ---- CertificateChoices (129); CertificateSet (131): SET OF CertificateChoices
 * 0 certificate, 1 extendedCertificate [0] and 2 v1AttrCert [1] (each a list of KORVU_ASN1_ANY, only decoded),
 * 3 v2AttrCert [2] (struct korvu_ac_cert_st, re-encoded under [2] with the octets it was read from), 4 other [3]. */
/** The record of CertificateChoices (129): a CHOICE, `choice` is the number of the alternative held and `value`
 * its value. */
typedef struct korvu_cms_certchoice_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CMS_CERTCHOICE;

/** A new CertificateChoices (129) holding a copy of the argument as alternative 0; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_CMS_CERTCHOICE *korvu_cmscertchoice_newx509pubkeycert(const struct korvu_x509_cert_st *cert);
/** A new CertificateChoices (129) holding a copy of the argument as alternative 3; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_CMS_CERTCHOICE *korvu_cmscertchoice_newv2attrcert(const struct korvu_ac_cert_st *ac);
/** A new CertificateChoices (129) holding a copy of the argument as alternative 4; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_CMS_CERTCHOICE *korvu_cmscertchoice_newothercert(const KORVU_CMS_OTHERCERTFORMAT *other);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_cmscertchoice_gettype(const KORVU_CMS_CERTCHOICE *cc);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_x509_cert_st *korvu_cmscertchoice_getx509pubkeycert(const KORVU_CMS_CERTCHOICE *cc);
/** The value of alternative 3 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_ac_cert_st *korvu_cmscertchoice_getv2attrcert(const KORVU_CMS_CERTCHOICE *cc);
/** The value of alternative 4 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CMS_OTHERCERTFORMAT *korvu_cmscertchoice_getothercert(const KORVU_CMS_CERTCHOICE *cc);

/* ---- RevocationInfoChoice (130); RevocationInfoChoices (132) --------------
 * 0 crl (CertificateList, type 41), 1 other [1]. */
/** The record of RevocationInfoChoice (130): a CHOICE, `choice` is the number of the alternative held and `value`
 * its value. */
typedef struct korvu_cms_revinfochoice_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CMS_REVINFOCHOICE;

/** A new RevocationInfoChoice (130) holding a copy of the CertificateList as alternative 0 (crl); null for a null
 * argument or when the copy fails. */
KORVU_API KORVU_CMS_REVINFOCHOICE *korvu_cmsrevinfochoice_newcrl(const struct korvu_x509_crl_st *crl);
/** A new RevocationInfoChoice (130) holding a copy of the argument as alternative 1; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_CMS_REVINFOCHOICE *korvu_cmsrevinfochoice_newotherrevinfo(const KORVU_CMS_OTHERREVINFOFORMAT *other);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_cmsrevinfochoice_gettype(const KORVU_CMS_REVINFOCHOICE *ri);
/** The CertificateList of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_x509_crl_st *korvu_cmsrevinfochoice_getcrl(const KORVU_CMS_REVINFOCHOICE *ri);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CMS_OTHERREVINFOFORMAT *korvu_cmsrevinfochoice_getotherrevinfo(const KORVU_CMS_REVINFOCHOICE *ri);

/* ---- SignedData (133 PKCS #7 form, 134 CMS form: one record) ---------------
 * SignedData ::= SEQUENCE { version INTEGER, digestAlgorithms SET OF AlgorithmIdentifier, contentInfo ContentInfo,
 *   certificates [0] IMPLICIT CertificateSet OPTIONAL, crls [1] IMPLICIT RevocationInfoChoices OPTIONAL,
 *   signerInfos SET OF SignerInfo }
 * The CMS form (134) also requires the content, when present, to be an OCTET STRING.
 * wrapperKind: 0 read inside a ContentInfo of id-signedData, 2 inside one of the GM/T signed-data type, 1 bare
 * (or built, or decoded as 133/134). The offsets locate the contentInfo element, the octet after it and the
 * signerInfos SET in the last encoding written or read: from the SignedData's first octet (133), from its first
 * contents octet (134), from the first octet of the input (korvu_asn1_decode_pkcs7signeddata). 0xFFFFFFFF until
 * the first encode or decode. */
/** wrapperKind: read inside a ContentInfo of id-signedData. */
#define KORVU_PKCS7_SIGNEDDATA_WRAPPED 0u
/** wrapperKind: bare, built, or decoded as 133/134. */
#define KORVU_PKCS7_SIGNEDDATA_BARE 1u
/** wrapperKind: read inside a ContentInfo of the GM/T signed-data type. */
#define KORVU_PKCS7_SIGNEDDATA_GMT 2u

/** The record of SignedData, CMS form (134) and SignedData, PKCS #7 form (133). */
typedef struct korvu_pkcs7_signeddata_st {
  KORVU_ASN1_INTEGER *version;       /**< INTEGER (2) */
  KORVU_ASN1_LIST *digestAlgorithms; /**< of struct korvu_x509_algid_st */
  KORVU_PKCS7_CONTENTINFO *contentInfo; /**< ContentInfo (111) */
  KORVU_ASN1_LIST *certificates; /**< of KORVU_CMS_CERTCHOICE */
  uint32_t hasCertificates;          /**< 1 when `certificates` is present, else 0 */
  KORVU_ASN1_LIST *crls; /**< of KORVU_CMS_REVINFOCHOICE */
  uint32_t hasCrls;                  /**< 1 when `crls` is present, else 0 */
  KORVU_ASN1_LIST *signerInfos; /**< of KORVU_CMS_SIGNERINFO */
  uint32_t wrapperKind;              /**< KORVU_PKCS7_SIGNEDDATA_WRAPPED, _BARE or _GMT */
  uint32_t contentInfoOffset;        /**< offset of the contentInfo element */
  uint32_t contentInfoEndOffset;     /**< offset of the octet after the contentInfo element */
  uint32_t signerInfosOffset;        /**< offset of the signerInfos SET */
} KORVU_PKCS7_SIGNEDDATA;

/** A new SignedData, PKCS #7 form (133) of copies of the arguments, in component order; null when a required one
 * is null or building fails. */
KORVU_API KORVU_PKCS7_SIGNEDDATA *korvu_pkcs7signeddata_new(const KORVU_ASN1_INTEGER *version,
                                                           const KORVU_ASN1_LIST *digest_algorithms,
                                                           const KORVU_PKCS7_CONTENTINFO *content_info,
                                                           const KORVU_ASN1_LIST *certificates,
                                                           const KORVU_ASN1_LIST *crls,
                                                           const KORVU_ASN1_LIST *signer_infos);
/** Takes the six values over (on success only: on failure the caller keeps them). */
KORVU_API KORVU_PKCS7_SIGNEDDATA *korvu_pkcs7signeddata_new0(KORVU_ASN1_INTEGER *version,
                                                            KORVU_ASN1_LIST *digest_algorithms,
                                                            KORVU_PKCS7_CONTENTINFO *content_info,
                                                            KORVU_ASN1_LIST *certificates, KORVU_ASN1_LIST *crls,
                                                            KORVU_ASN1_LIST *signer_infos);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs7signeddata_getversion(const KORVU_PKCS7_SIGNEDDATA *sd);
/** The record's `digestAlgorithms` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_pkcs7signeddata_getdigestalgos(const KORVU_PKCS7_SIGNEDDATA *sd);
/** The record's `contentInfo` (not a copy), null for a null record. */
KORVU_API KORVU_PKCS7_CONTENTINFO *korvu_pkcs7signeddata_getcontentinfo(const KORVU_PKCS7_SIGNEDDATA *sd);
/** The record's `certificates` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_pkcs7signeddata_getcerts(const KORVU_PKCS7_SIGNEDDATA *sd);
/** 1 when the record's `certificates` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs7signeddata_hascerts(const KORVU_PKCS7_SIGNEDDATA *sd);
/** The record's `crls` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_pkcs7signeddata_getcrls(const KORVU_PKCS7_SIGNEDDATA *sd);
/** 1 when the record's `crls` is present, 0 when absent or for a null record. */
KORVU_API int korvu_pkcs7signeddata_hascrls(const KORVU_PKCS7_SIGNEDDATA *sd);
/** The record's `signerInfos` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_pkcs7signeddata_getsignerinfos(const KORVU_PKCS7_SIGNEDDATA *sd);
/** The record's `wrapperKind`; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_pkcs7signeddata_gettype(const KORVU_PKCS7_SIGNEDDATA *sd);
/** The record's `contentInfoOffset`; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_pkcs7signeddata_getcontentinfooffset(const KORVU_PKCS7_SIGNEDDATA *sd);
/** The record's `contentInfoEndOffset`; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_pkcs7signeddata_getcontentinfoendoffset(const KORVU_PKCS7_SIGNEDDATA *sd);
/** The record's `signerInfosOffset`; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_pkcs7signeddata_getsignerinfosoffset(const KORVU_PKCS7_SIGNEDDATA *sd);

/* ---- Streaming decoder ------------------------------------------------------ */
/** Reads one signed message (a ContentInfo of id-signedData or of the GM/T signed-data type, or a bare SignedData)
 * front to back from `stream`, never past its end. 1 with *result set on success (freed with korvu_asn1_value_free
 * as type 133; *consumed: the octets read, end-of-contents included); 1 with *result null when the input is not a
 * signed message; 0 (or the stream's own code) on a failure recorded in ctx. */
KORVU_API int korvu_asn1_decode_pkcs7signeddata(KORVU_STREAM *stream, KORVU_PKCS7_SIGNEDDATA **result,
                                                uint32_t *consumed, KORVU_ERR_CTX *ctx);

#ifdef __cplusplus
}
#endif
#endif
