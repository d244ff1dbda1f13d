/* KORVU ASN.1: signed messages of the cryptographic message syntax (RFC 5652) and of PKCS #7 (RFC 2315):
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
typedef struct korvu_pkcs7_contentinfo_st {
  KORVU_ASN1_OID *contentType;
  KORVU_ASN1_ANY *content;
  uint32_t hasContent;
} KORVU_PKCS7_CONTENTINFO;

KORVU_API KORVU_PKCS7_CONTENTINFO *korvu_pkcs7contentinfo_new(const KORVU_ASN1_OID *content_type,
                                                             const KORVU_ASN1_ANY *content);
KORVU_API KORVU_ASN1_OID *korvu_pkcs7contentinfo_getcontenttype(const KORVU_PKCS7_CONTENTINFO *ci);
KORVU_API KORVU_ASN1_ANY *korvu_pkcs7contentinfo_getcontent(const KORVU_PKCS7_CONTENTINFO *ci);
KORVU_API int korvu_pkcs7contentinfo_hascontent(const KORVU_PKCS7_CONTENTINFO *ci);

/* ---- EncapsulatedContentInfo (147) ---------------------------------------
 * EncapsulatedContentInfo ::= SEQUENCE { eContentType OBJECT IDENTIFIER, eContent [0] EXPLICIT OCTET STRING
 *   OPTIONAL } */
typedef struct korvu_cms_encapcontentinfo_st {
  KORVU_ASN1_OID *eContentType;
  KORVU_ASN1_OCTETSTRING *eContent;
  uint32_t hasEContent;
} KORVU_CMS_ENCAPCONTENTINFO;

KORVU_API KORVU_CMS_ENCAPCONTENTINFO *korvu_cmsencapsulatedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                          const KORVU_ASN1_OCTETSTRING *content);
KORVU_API KORVU_ASN1_OID *korvu_cmsencapsulatedcontentinfo_getcontenttype(const KORVU_CMS_ENCAPCONTENTINFO *eci);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmsencapsulatedcontentinfo_getcontent(const KORVU_CMS_ENCAPCONTENTINFO *eci);

/* ---- IssuerAndSerialNumber (122) ----------------------------------------- */
typedef struct korvu_cms_issuerandsn_st {
  struct korvu_x500_name_st *issuer;
  KORVU_ASN1_INTEGER *serialNumber;
} KORVU_CMS_ISSUERANDSN;

KORVU_API KORVU_CMS_ISSUERANDSN *korvu_cmsissuerandsn_new(const struct korvu_x500_name_st *issuer,
                                                         const KORVU_ASN1_INTEGER *serial);
KORVU_API struct korvu_x500_name_st *korvu_cmsissuerandsn_getissuer(const KORVU_CMS_ISSUERANDSN *ias);
KORVU_API KORVU_ASN1_INTEGER *korvu_cmsissuerandsn_getsn(const KORVU_CMS_ISSUERANDSN *ias);

/* ---- SignerIdentifier (123) ----------------------------------------------
 * CHOICE { issuerAndSerialNumber (0), subjectKeyIdentifier [0] IMPLICIT OCTET STRING (1) } */
typedef struct korvu_cms_signerid_st {
  uint32_t choice;
  void *value; /* KORVU_CMS_ISSUERANDSN (0) or KORVU_ASN1_OCTETSTRING (1) */
} KORVU_CMS_SIGNERID;

KORVU_API KORVU_CMS_SIGNERID *korvu_cmssignerid_newissuersn(const KORVU_CMS_ISSUERANDSN *ias);
KORVU_API KORVU_CMS_SIGNERID *korvu_cmssignerid_newsubkeyid(const KORVU_ASN1_OCTETSTRING *key_id);
KORVU_API uint32_t korvu_cmssignerid_gettype(const KORVU_CMS_SIGNERID *sid);
KORVU_API KORVU_CMS_ISSUERANDSN *korvu_cmssignerid_getissuersn(const KORVU_CMS_SIGNERID *sid);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmssignerid_getkeyid(const KORVU_CMS_SIGNERID *sid);

/* ---- SignerInfo (124); SignerInfos (125): SET OF SignerInfo -----------------
 * The attribute sets are lists of KORVU_X500_ATTRIBUTE (type 43), written in list order (sort the signed
 * attributes with korvu_asn1_pkcs10attributes_sort for DER). */
typedef struct korvu_cms_signerinfo_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_CMS_SIGNERID *sid;
  struct korvu_x509_algid_st *digestAlgorithm;
  KORVU_ASN1_LIST *signedAttrs;
  uint32_t hasSignedAttrs;
  struct korvu_x509_algid_st *signatureAlgorithm;
  KORVU_ASN1_OCTETSTRING *signature;
  KORVU_ASN1_LIST *unsignedAttrs;
  uint32_t hasUnsignedAttrs;
} KORVU_CMS_SIGNERINFO;

KORVU_API KORVU_CMS_SIGNERINFO *korvu_cmssignerinfo_new(const KORVU_ASN1_INTEGER *version,
                                                       const KORVU_CMS_SIGNERID *sid,
                                                       const struct korvu_x509_algid_st *digest_algorithm,
                                                       const KORVU_ASN1_LIST *signed_attrs,
                                                       const struct korvu_x509_algid_st *signature_algorithm,
                                                       const KORVU_ASN1_OCTETSTRING *signature,
                                                       const KORVU_ASN1_LIST *unsigned_attrs);
KORVU_API KORVU_ASN1_INTEGER *korvu_cmssignerinfo_getversion(const KORVU_CMS_SIGNERINFO *si);
KORVU_API KORVU_CMS_SIGNERID *korvu_cmssignerinfo_getsid(const KORVU_CMS_SIGNERINFO *si);
KORVU_API struct korvu_x509_algid_st *korvu_cmssignerinfo_getdigestalgo(const KORVU_CMS_SIGNERINFO *si);
KORVU_API KORVU_ASN1_LIST *korvu_cmssignerinfo_getsignattrs(const KORVU_CMS_SIGNERINFO *si);
KORVU_API int korvu_cmssignerinfo_hassignattrs(const KORVU_CMS_SIGNERINFO *si);
KORVU_API struct korvu_x509_algid_st *korvu_cmssignerinfo_getsignalgo(const KORVU_CMS_SIGNERINFO *si);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cmssignerinfo_getsignature(const KORVU_CMS_SIGNERINFO *si);
KORVU_API KORVU_ASN1_LIST *korvu_cmssignerinfo_getunsignattrs(const KORVU_CMS_SIGNERINFO *si);
KORVU_API int korvu_cmssignerinfo_hasunsignattrs(const KORVU_CMS_SIGNERINFO *si);

/* ---- OtherCertificateFormat (127), OtherRevocationInfoFormat (128) -------- */
typedef struct korvu_cms_otherformat_st {
  KORVU_ASN1_OID *format;
  KORVU_ASN1_ANY *value;
} KORVU_CMS_OTHERCERTFORMAT;
typedef KORVU_CMS_OTHERCERTFORMAT KORVU_CMS_OTHERREVINFOFORMAT;

KORVU_API KORVU_CMS_OTHERCERTFORMAT *korvu_cmsothercertformat_new(const KORVU_ASN1_OID *format,
                                                                 const KORVU_ASN1_ANY *value);
KORVU_API KORVU_ASN1_OID *korvu_cmsothercertformat_getformat(const KORVU_CMS_OTHERCERTFORMAT *o);
KORVU_API KORVU_ASN1_ANY *korvu_cmsothercertformat_getothercert(const KORVU_CMS_OTHERCERTFORMAT *o);
KORVU_API KORVU_CMS_OTHERREVINFOFORMAT *korvu_cmsotherrevinfoformat_new(const KORVU_ASN1_OID *format,
                                                                       const KORVU_ASN1_ANY *value);
KORVU_API KORVU_ASN1_OID *korvu_cmsotherrevinfoformat_getformat(const KORVU_CMS_OTHERREVINFOFORMAT *o);
KORVU_API KORVU_ASN1_ANY *korvu_cmsotherrevinfoformat_getotherrevinfo(const KORVU_CMS_OTHERREVINFOFORMAT *o);

/* ---- CertificateChoices (129); CertificateSet (131): SET OF CertificateChoices
 * 0 certificate, 1 extendedCertificate [0] and 2 v1AttrCert [1] (each a list of KORVU_ASN1_ANY, only decoded),
 * 3 v2AttrCert [2] (struct korvu_ac_cert_st, re-encoded under [2] with the octets it was read from), 4 other [3]. */
typedef struct korvu_cms_certchoice_st {
  uint32_t choice;
  void *value;
} KORVU_CMS_CERTCHOICE;

KORVU_API KORVU_CMS_CERTCHOICE *korvu_cmscertchoice_newx509pubkeycert(const struct korvu_x509_cert_st *cert);
KORVU_API KORVU_CMS_CERTCHOICE *korvu_cmscertchoice_newv2attrcert(const struct korvu_ac_cert_st *ac);
KORVU_API KORVU_CMS_CERTCHOICE *korvu_cmscertchoice_newothercert(const KORVU_CMS_OTHERCERTFORMAT *other);
KORVU_API uint32_t korvu_cmscertchoice_gettype(const KORVU_CMS_CERTCHOICE *cc);
KORVU_API struct korvu_x509_cert_st *korvu_cmscertchoice_getx509pubkeycert(const KORVU_CMS_CERTCHOICE *cc);
KORVU_API struct korvu_ac_cert_st *korvu_cmscertchoice_getv2attrcert(const KORVU_CMS_CERTCHOICE *cc);
KORVU_API KORVU_CMS_OTHERCERTFORMAT *korvu_cmscertchoice_getothercert(const KORVU_CMS_CERTCHOICE *cc);

/* ---- RevocationInfoChoice (130); RevocationInfoChoices (132) --------------
 * 0 crl (CertificateList, type 41), 1 other [1]. */
typedef struct korvu_cms_revinfochoice_st {
  uint32_t choice;
  void *value;
} KORVU_CMS_REVINFOCHOICE;

KORVU_API KORVU_CMS_REVINFOCHOICE *korvu_cmsrevinfochoice_newcrl(const struct korvu_x509_crl_st *crl);
KORVU_API KORVU_CMS_REVINFOCHOICE *korvu_cmsrevinfochoice_newotherrevinfo(const KORVU_CMS_OTHERREVINFOFORMAT *other);
KORVU_API uint32_t korvu_cmsrevinfochoice_gettype(const KORVU_CMS_REVINFOCHOICE *ri);
KORVU_API struct korvu_x509_crl_st *korvu_cmsrevinfochoice_getcrl(const KORVU_CMS_REVINFOCHOICE *ri);
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
#define KORVU_PKCS7_SIGNEDDATA_WRAPPED 0u
#define KORVU_PKCS7_SIGNEDDATA_BARE 1u
#define KORVU_PKCS7_SIGNEDDATA_GMT 2u

typedef struct korvu_pkcs7_signeddata_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_ASN1_LIST *digestAlgorithms; /* of struct korvu_x509_algid_st */
  KORVU_PKCS7_CONTENTINFO *contentInfo;
  KORVU_ASN1_LIST *certificates; /* of KORVU_CMS_CERTCHOICE */
  uint32_t hasCertificates;
  KORVU_ASN1_LIST *crls; /* of KORVU_CMS_REVINFOCHOICE */
  uint32_t hasCrls;
  KORVU_ASN1_LIST *signerInfos; /* of KORVU_CMS_SIGNERINFO */
  uint32_t wrapperKind;
  uint32_t contentInfoOffset;
  uint32_t contentInfoEndOffset;
  uint32_t signerInfosOffset;
} KORVU_PKCS7_SIGNEDDATA;

KORVU_API KORVU_PKCS7_SIGNEDDATA *korvu_pkcs7signeddata_new(const KORVU_ASN1_INTEGER *version,
                                                           const KORVU_ASN1_LIST *digest_algorithms,
                                                           const KORVU_PKCS7_CONTENTINFO *content_info,
                                                           const KORVU_ASN1_LIST *certificates,
                                                           const KORVU_ASN1_LIST *crls,
                                                           const KORVU_ASN1_LIST *signer_infos);
/* Takes the six values over (on success only: on failure the caller keeps them). */
KORVU_API KORVU_PKCS7_SIGNEDDATA *korvu_pkcs7signeddata_new0(KORVU_ASN1_INTEGER *version,
                                                            KORVU_ASN1_LIST *digest_algorithms,
                                                            KORVU_PKCS7_CONTENTINFO *content_info,
                                                            KORVU_ASN1_LIST *certificates, KORVU_ASN1_LIST *crls,
                                                            KORVU_ASN1_LIST *signer_infos);
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs7signeddata_getversion(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API KORVU_ASN1_LIST *korvu_pkcs7signeddata_getdigestalgos(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API KORVU_PKCS7_CONTENTINFO *korvu_pkcs7signeddata_getcontentinfo(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API KORVU_ASN1_LIST *korvu_pkcs7signeddata_getcerts(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API int korvu_pkcs7signeddata_hascerts(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API KORVU_ASN1_LIST *korvu_pkcs7signeddata_getcrls(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API int korvu_pkcs7signeddata_hascrls(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API KORVU_ASN1_LIST *korvu_pkcs7signeddata_getsignerinfos(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API uint32_t korvu_pkcs7signeddata_gettype(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API uint32_t korvu_pkcs7signeddata_getcontentinfooffset(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API uint32_t korvu_pkcs7signeddata_getcontentinfoendoffset(const KORVU_PKCS7_SIGNEDDATA *sd);
KORVU_API uint32_t korvu_pkcs7signeddata_getsignerinfosoffset(const KORVU_PKCS7_SIGNEDDATA *sd);

/* ---- Streaming decoder ------------------------------------------------------
 * Reads one signed message (a ContentInfo of id-signedData or of the GM/T signed-data type, or a bare SignedData)
 * front to back from `stream`, never past its end. 1 with *result set on success (consumed: the octets read,
 * end-of-contents included); 1 with *result null when the input is not a signed message; 0 (or the stream's own
 * code) on a failure recorded in ctx. */
KORVU_API int korvu_asn1_decode_pkcs7signeddata(KORVU_STREAM *stream, KORVU_PKCS7_SIGNEDDATA **result,
                                                uint32_t *consumed, KORVU_ERR_CTX *ctx);

#ifdef __cplusplus
}
#endif
#endif
