/** @file
 * KORVU ASN.1: values of signature attributes: ESS (RFC 2634, RFC 5035), S/MIME (RFC 5751), CAdES (RFC 5126,
 * ETSI EN 319 122), long-term validation, CMS algorithm protection (RFC 6211) and the PDF revocation archive.
 * Included by korvu/asn1.h.
 *
 * The library keeps no table from attribute identifiers to these types: decode an attribute value with the
 * type number that belongs to its identifier. An optional component is a null pointer when absent (no present
 * flags). A CHOICE is { uint32_t choice; void *value; }; its gettype returns the choice number, 0xFFFFFFFF for
 * null. Lists are KORVU_ASN1_LIST values of the element records named beside them. Constructors copy their
 * arguments and return null when a required one is null or a copy fails. */
#ifndef KORVU_CADES_H
#define KORVU_CADES_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Records of other families, by their struct names. */
struct korvu_x500_name_st;
struct korvu_x500_dirstring_st;
struct korvu_x509_algid_st;
struct korvu_ac_cert_st;
struct korvu_cms_issuerandsn_st;
struct korvu_pkcs7_contentinfo_st;
struct korvu_ocsp_responderid_st;
struct korvu_ers_evidencerecord_st;

/* ---- IssuerSerial (193): issuer GeneralNames (64, of KORVU_X509_GENERALNAME), serialNumber ---------- */
/** The record of IssuerSerial (193). */
typedef struct korvu_ess_issuerserial_st {
  KORVU_ASN1_LIST *issuer; /**< GeneralNames (64) */
  KORVU_ASN1_INTEGER *serialNumber; /**< INTEGER (2) */
} KORVU_ESS_ISSUERSERIAL;

/** A new IssuerSerial (193) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_ESS_ISSUERSERIAL *korvu_ess_issuerserial_new(const KORVU_ASN1_LIST *issuer,
                                                            const KORVU_ASN1_INTEGER *serial);
/** The record's `issuer` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ess_issuerserial_getissuer(const KORVU_ESS_ISSUERSERIAL *is);
/** The record's `serialNumber` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ess_issuerserial_getsn(const KORVU_ESS_ISSUERSERIAL *is);

/* ---- ESSCertID (194), ESSCertIDv2 (195); their lists 196, 197 -------------------------------------------
 * ESSCertIDv2's hashAlgorithm is DEFAULT SHA-256 (2.16.840.1.101.3.4.2.1): never null; left out of the
 * encoding whenever its OID is SHA-256, whatever its parameters. */
/** The record of ESSCertID (194). */
typedef struct korvu_ess_certid_st {
  KORVU_ASN1_OCTETSTRING *certHash; /**< OCTET STRING (4) */
  KORVU_ESS_ISSUERSERIAL *issuerSerial; /**< IssuerSerial (193), OPTIONAL: null when absent */
} KORVU_ESS_CERTID;

/** The record of ESSCertIDv2 (195). */
typedef struct korvu_ess_certidv2_st {
  struct korvu_x509_algid_st *hashAlgorithm; /**< AlgorithmIdentifier (33), DEFAULT */
  KORVU_ASN1_OCTETSTRING *certHash; /**< OCTET STRING (4) */
  KORVU_ESS_ISSUERSERIAL *issuerSerial; /**< IssuerSerial (193), OPTIONAL: null when absent */
} KORVU_ESS_CERTIDV2;

/** A new ESSCertID (194) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_ESS_CERTID *korvu_ess_certid_new(const KORVU_ASN1_OCTETSTRING *cert_hash,
                                                const KORVU_ESS_ISSUERSERIAL *issuer_serial);
/** The record's `certHash` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ess_certid_getcerthash(const KORVU_ESS_CERTID *id);
/** The record's `issuerSerial` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ESS_ISSUERSERIAL *korvu_ess_certid_getissuersn(const KORVU_ESS_CERTID *id);
/** A new ESSCertIDv2 (195) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null hash_algorithm stores SHA-256 without parameters. */
KORVU_API KORVU_ESS_CERTIDV2 *korvu_ess_certidv2_new(const struct korvu_x509_algid_st *hash_algorithm,
                                                    const KORVU_ASN1_OCTETSTRING *cert_hash,
                                                    const KORVU_ESS_ISSUERSERIAL *issuer_serial);
/** The record's `hashAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_ess_certidv2_getcerthashalgo(const KORVU_ESS_CERTIDV2 *id);
/** The record's `certHash` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ess_certidv2_getcerthash(const KORVU_ESS_CERTIDV2 *id);
/** The record's `issuerSerial` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ESS_ISSUERSERIAL *korvu_ess_certidv2_getissuersn(const KORVU_ESS_CERTIDV2 *id);

/* ---- SigningCertificate (199), SigningCertificateV2 (200): one record ------------------------------------
 * certs: of KORVU_ESS_CERTID (199) or KORVU_ESS_CERTIDV2 (200); policies: SEQUENCE OF PolicyInformation (198,
 * of KORVU_X509_POLICYINFO). Both are read with the SigningCertificate getters. */
/** The record of SigningCertificate (199) and SigningCertificateV2 (200). */
typedef struct korvu_ess_signingcertificate_st {
  KORVU_ASN1_LIST *certs; /**< SEQUENCE OF ESSCertID (196), or of ESSCertIDv2 (197) in SigningCertificateV2 */
  KORVU_ASN1_LIST *policies; /**< SEQUENCE OF PolicyInformation (198), OPTIONAL: null when absent */
} KORVU_ESS_SIGNINGCERTIFICATE;

/** A new SigningCertificate (199) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_ESS_SIGNINGCERTIFICATE *korvu_ess_signingcertificate_new(const KORVU_ASN1_LIST *certs,
                                                                        const KORVU_ASN1_LIST *policies);
/** A new SigningCertificateV2 (200) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_ESS_SIGNINGCERTIFICATE *korvu_ess_signingcertificatev2_new(const KORVU_ASN1_LIST *certs,
                                                                          const KORVU_ASN1_LIST *policies);
/** The record's `certs` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ess_signingcertificate_getcerts(const KORVU_ESS_SIGNINGCERTIFICATE *sc);
/** The record's `policies` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ess_signingcertificate_getpolicies(const KORVU_ESS_SIGNINGCERTIFICATE *sc);

/* ---- SMIMEEncryptionKeyPreference (216) ---------------------------------------------------------------
 * 0 issuerAndSerialNumber [0] (struct korvu_cms_issuerandsn_st), 1 receipentKeyId [1] (RecipientKeyIdentifier,
 * type 154), 2 subjectAltKeyIdentifier [2] (OCTET STRING); all IMPLICIT. */
/** The record of SMIMEEncryptionKeyPreference (216): a CHOICE, `choice` is the number of the alternative held and
 * `value` its value. */
typedef struct korvu_smime_ekp_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_SMIME_ENCRYPTIONKEYPREFERENCE;

struct korvu_cms_recipientkeyid_st; /* RecipientKeyIdentifier (154), korvu/cms_enveloped.h */
/** A new SMIMEEncryptionKeyPreference (216) holding a copy of the argument as alternative 0; null for a null
 * argument or when the copy fails. */
KORVU_API KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *korvu_smimeencryptionkeypreference_newissuerandsn(
    const struct korvu_cms_issuerandsn_st *ias);
/** A new SMIMEEncryptionKeyPreference (216) holding a copy of the argument as alternative 1; null for a null
 * argument or when the copy fails. */
KORVU_API KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *korvu_smimeencryptionkeypreference_newreceipentkeyid(
    const struct korvu_cms_recipientkeyid_st *key_id);
/** A new SMIMEEncryptionKeyPreference (216) holding a copy of the argument as alternative 2; null for a null
 * argument or when the copy fails. */
KORVU_API KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *korvu_smimeencryptionkeypreference_newsubjectaltkeyid(
    const KORVU_ASN1_OCTETSTRING *key_id);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_smimeencryptionkeypreference_gettype(const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *p);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_cms_issuerandsn_st *korvu_smimeencryptionkeypreference_getissuerandsn(
    const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *p);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_cms_recipientkeyid_st *korvu_smimeencryptionkeypreference_getreceipentkeyid(const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *p);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_smimeencryptionkeypreference_getsubjectaltkeyid(
    const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *p);

/* ---- OtherHashAlgAndValue (225), OtherHash (226: 1 sha1Hash OCTET STRING, 2 otherHash) ----------------- */
/** The record of OtherHashAlgAndValue (225). */
typedef struct korvu_cades_otherhashalgandvalue_st {
  struct korvu_x509_algid_st *hashAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *hashValue; /**< OCTET STRING (4) */
} KORVU_CADES_OTHERHASHALGANDVALUE;

/** The record of OtherHash (226): a CHOICE, `choice` is the number of the alternative held and `value` its value. */
typedef struct korvu_cades_otherhash_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CADES_OTHERHASH;

/** A new OtherHash (226) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_CADES_OTHERHASH *korvu_otherhash_newsha1(const KORVU_ASN1_OCTETSTRING *sha1);
/** A new OtherHash (226) holding a copy of the argument as alternative 2; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_CADES_OTHERHASH *korvu_otherhash_newother(const KORVU_CADES_OTHERHASHALGANDVALUE *other);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_otherhash_gettype(const KORVU_CADES_OTHERHASH *h);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_otherhash_getsha1(const KORVU_CADES_OTHERHASH *h);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CADES_OTHERHASHALGANDVALUE *korvu_otherhash_getother(const KORVU_CADES_OTHERHASH *h);

/* ---- OtherCertID (227), OtherCertIDs (228), OtherSigningCert (229) --------------------------------------- */
/** The record of OtherCertID (227). */
typedef struct korvu_cades_othercertid_st {
  KORVU_CADES_OTHERHASH *otherCertHash; /**< OtherHash (226) */
  KORVU_ESS_ISSUERSERIAL *issuerSerial; /**< IssuerSerial (193), OPTIONAL: null when absent */
} KORVU_CADES_OTHERCERTID;

/** The record of OtherSigningCert (229). */
typedef struct korvu_cades_othersigningcert_st {
  KORVU_ASN1_LIST *certs;    /**< of KORVU_CADES_OTHERCERTID */
  KORVU_ASN1_LIST *policies; /**< of KORVU_X509_POLICYINFO */
} KORVU_CADES_OTHERSIGNINGCERT;

/** A new OtherCertID (227) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_OTHERCERTID *korvu_othercertid_new(const KORVU_CADES_OTHERHASH *cert_hash,
                                                        const KORVU_ESS_ISSUERSERIAL *issuer_serial);
/** The record's `otherCertHash` (not a copy), null for a null record. */
KORVU_API KORVU_CADES_OTHERHASH *korvu_othercertid_getcerthash(const KORVU_CADES_OTHERCERTID *id);
/** The record's `issuerSerial` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ESS_ISSUERSERIAL *korvu_othercertid_getissuerserial(const KORVU_CADES_OTHERCERTID *id);
/** A new OtherSigningCert (229) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CADES_OTHERSIGNINGCERT *korvu_othersigningcert_new(const KORVU_ASN1_LIST *certs,
                                                                  const KORVU_ASN1_LIST *policies);
/** The record's `certs` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_othersigningcert_getcerts(const KORVU_CADES_OTHERSIGNINGCERT *sc);
/** The record's `policies` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_othersigningcert_getpolicies(const KORVU_CADES_OTHERSIGNINGCERT *sc);

/* ---- SignaturePolicyId (230), SignaturePolicyIdentifier (231: 1 signaturePolicyId, 2 signaturePolicyImplied
 * NULL), CommitmentTypeIndication (232). Qualifiers: PolicyQualifierInfos (137). */
/** The record of SignaturePolicyId (230). */
typedef struct korvu_cades_sigpolicyid_st {
  KORVU_ASN1_OID *sigPolicyId; /**< OBJECT IDENTIFIER (6) */
  KORVU_CADES_OTHERHASHALGANDVALUE *sigPolicyHash; /**< OtherHashAlgAndValue (225) */
  KORVU_ASN1_LIST *sigPolicyQualifiers; /**< PolicyQualifierInfos (137), OPTIONAL: null when absent */
} KORVU_CADES_SIGNATUREPOLICYID;

/** The record of SignaturePolicyIdentifier (231): a CHOICE, `choice` is the number of the alternative held and
 * `value` its value. */
typedef struct korvu_cades_sigpolicyidentifier_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CADES_SIGNATUREPOLICYIDENTIFIER;

/** The record of CommitmentTypeIndication (232). */
typedef struct korvu_cades_commitmenttype_st {
  KORVU_ASN1_OID *commitmentTypeId; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_LIST *commitmentTypeQualifier; /**< PolicyQualifierInfos (137), OPTIONAL: null when absent */
} KORVU_CADES_COMMITMENTTYPEINDICATION;

/** A new SignaturePolicyId (230) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CADES_SIGNATUREPOLICYID *korvu_signaturepolicyid_new(const KORVU_ASN1_OID *id,
                                                                    const KORVU_CADES_OTHERHASHALGANDVALUE *hash,
                                                                    const KORVU_ASN1_LIST *qualifiers);
/** The record's `sigPolicyId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_signaturepolicyid_getid(const KORVU_CADES_SIGNATUREPOLICYID *p);
/** The record's `sigPolicyHash` (not a copy), null for a null record. */
KORVU_API KORVU_CADES_OTHERHASHALGANDVALUE *korvu_signaturepolicyid_gethash(const KORVU_CADES_SIGNATUREPOLICYID *p);
/** The record's `sigPolicyQualifiers` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_signaturepolicyid_getqualifiers(const KORVU_CADES_SIGNATUREPOLICYID *p);
/** A new SignaturePolicyIdentifier (231) holding a copy of the argument as alternative 1; null for a null argument
 * or when the copy fails. */
KORVU_API KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *korvu_signaturepolicyidentifier_newid(
    const KORVU_CADES_SIGNATUREPOLICYID *id);
/** A new SignaturePolicyIdentifier holding signaturePolicyImplied (alternative 2, NULL); null without memory. */
KORVU_API KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *korvu_signaturepolicyidentifier_newimplied(void);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_signaturepolicyidentifier_gettype(const KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *p);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CADES_SIGNATUREPOLICYID *korvu_signaturepolicyidentifier_getid(
    const KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *p);
/** A new CommitmentTypeIndication (232) of copies of the arguments, in component order; null when a required one
 * is null or building fails. */
KORVU_API KORVU_CADES_COMMITMENTTYPEINDICATION *korvu_commitmenttypeindication_new(const KORVU_ASN1_OID *id,
                                                                                  const KORVU_ASN1_LIST *qualifiers);
/** The record's `commitmentTypeId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_commitmenttypeindication_getid(const KORVU_CADES_COMMITMENTTYPEINDICATION *c);
/** The record's `commitmentTypeQualifier` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_commitmenttypeindication_getqualifiers(
    const KORVU_CADES_COMMITMENTTYPEINDICATION *c);

/* ---- SignerLocation (233): [0] [1] [2] EXPLICIT; the postal address is a list of KORVU_X500_DIRSTRING --- */
/** The record of SignerLocation (233). */
typedef struct korvu_cades_signerlocation_st {
  struct korvu_x500_dirstring_st *countryName; /**< DirectoryString (47), [0] EXPLICIT, OPTIONAL: null when absent */
  struct korvu_x500_dirstring_st *localityName; /**< DirectoryString (47), [1] EXPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *postalAdddress; /**< PostalAddress (49), [2] EXPLICIT, OPTIONAL: null when absent */
} KORVU_CADES_SIGNERLOCATION;

/** A new SignerLocation (233) of copies of the arguments, in component order; null when a required one is null or
 * building fails. Null unless at least one argument is given. */
KORVU_API KORVU_CADES_SIGNERLOCATION *korvu_signerlocation_new(const struct korvu_x500_dirstring_st *country,
                                                              const struct korvu_x500_dirstring_st *locality,
                                                              const KORVU_ASN1_LIST *postal_address);
/** The record's `countryName` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x500_dirstring_st *korvu_signerlocation_getcountryname(const KORVU_CADES_SIGNERLOCATION *l);
/** The record's `localityName` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x500_dirstring_st *korvu_signerlocation_getlocalityname(const KORVU_CADES_SIGNERLOCATION *l);
/** The record's `postalAdddress` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_signerlocation_getpostaladdress(const KORVU_CADES_SIGNERLOCATION *l);

/* ---- Revocation references: CrlIdentifier (234), CrlValidatedID (235), CrlValidatedIDs (236), CRLListID
 * (237), OcspIdentifier (238), OcspResponsesID (239), OcspResponsesIDs (240), OcspListID (241), OtherRevRefs
 * (242), CrlOcspRef (243: [0] [1] [2] EXPLICIT), CompleteRevocationRefs (244). */
/** The record of CrlIdentifier (234). */
typedef struct korvu_cades_crlidentifier_st {
  struct korvu_x500_name_st *crlissuer; /**< Name (32) */
  KORVU_ASN1_TIME *crlIssuedTime; /**< UTCTime */
  KORVU_ASN1_INTEGER *crlNumber;  /**< INTEGER (2), OPTIONAL: null when absent */
} KORVU_CADES_CRLIDENTIFIER;

/** The record of CrlValidatedID (235). */
typedef struct korvu_cades_crlvalidatedid_st {
  KORVU_CADES_OTHERHASH *crlHash; /**< OtherHash (226) */
  KORVU_CADES_CRLIDENTIFIER *crlIdentifier; /**< CrlIdentifier (234), OPTIONAL: null when absent */
} KORVU_CADES_CRLVALIDATEDID;

/** The record of CRLListID (237). */
typedef struct korvu_cades_crllistid_st {
  KORVU_ASN1_LIST *crls; /**< of KORVU_CADES_CRLVALIDATEDID */
} KORVU_CADES_CRLLISTID;

/** The record of OcspIdentifier (238). */
typedef struct korvu_cades_ocspidentifier_st {
  struct korvu_ocsp_responderid_st *ocspResponderID; /**< ResponderID (176) */
  KORVU_ASN1_TIME *producedAt; /**< GeneralizedTime */
} KORVU_CADES_OCSPIDENTIFIER;

/** The record of OcspResponsesID (239). */
typedef struct korvu_cades_ocspresponsesid_st {
  KORVU_CADES_OCSPIDENTIFIER *ocspIdentifier; /**< OcspIdentifier (238) */
  KORVU_CADES_OTHERHASH *ocspRepHash; /**< OtherHash (226), OPTIONAL: null when absent */
} KORVU_CADES_OCSPRESPONSESID;

/** The record of OcspListID (241). */
typedef struct korvu_cades_ocsplistid_st {
  KORVU_ASN1_LIST *ocspResponses; /**< of KORVU_CADES_OCSPRESPONSESID */
} KORVU_CADES_OCSPLISTID;

/** The record of OtherRevRefs (242). */
typedef struct korvu_cades_otherrev_st {
  KORVU_ASN1_OID *type; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *value; /**< ANY (23) */
} KORVU_CADES_OTHERREVREFS;
/** OtherRevVals: the same record as OtherRevRefs. */
typedef KORVU_CADES_OTHERREVREFS KORVU_CADES_OTHERREVVALS;

/** The record of CrlOcspRef (243). */
typedef struct korvu_cades_crlocspref_st {
  KORVU_CADES_CRLLISTID *crlids; /**< CRLListID (237), [0] EXPLICIT, OPTIONAL: null when absent */
  KORVU_CADES_OCSPLISTID *ocspids; /**< OcspListID (241), [1] EXPLICIT, OPTIONAL: null when absent */
  KORVU_CADES_OTHERREVREFS *otherRev; /**< OtherRevRefs (242), [2] EXPLICIT, OPTIONAL: null when absent */
} KORVU_CADES_CRLOCSPREF;

/** A new CrlIdentifier (234) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_CRLIDENTIFIER *korvu_crlidentifier_new(const struct korvu_x500_name_st *issuer,
                                                            const KORVU_ASN1_TIME *issued_time,
                                                            const KORVU_ASN1_INTEGER *number);
/** The record's `crlissuer` (not a copy), null for a null record. */
KORVU_API struct korvu_x500_name_st *korvu_crlidentifier_getcrlissuer(const KORVU_CADES_CRLIDENTIFIER *c);
/** The record's `crlIssuedTime` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_crlidentifier_getcrlissuedtime(const KORVU_CADES_CRLIDENTIFIER *c);
/** The record's `crlNumber` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_crlidentifier_getcrlnumber(const KORVU_CADES_CRLIDENTIFIER *c);
/** A new CrlValidatedID (235) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_CRLVALIDATEDID *korvu_crlvalidatedid_new(const KORVU_CADES_OTHERHASH *hash,
                                                              const KORVU_CADES_CRLIDENTIFIER *id);
/** The record's `crlHash` (not a copy), null for a null record. */
KORVU_API KORVU_CADES_OTHERHASH *korvu_crlvalidatedid_getcrlhash(const KORVU_CADES_CRLVALIDATEDID *c);
/** The record's `crlIdentifier` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CADES_CRLIDENTIFIER *korvu_crlvalidatedid_getcrlid(const KORVU_CADES_CRLVALIDATEDID *c);
/** A new CRLListID (237) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_CRLLISTID *korvu_crllistid_new(const KORVU_ASN1_LIST *crls);
/** The record's `crls` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_crllistid_getcrls(const KORVU_CADES_CRLLISTID *c);
/** A new OcspIdentifier (238) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_OCSPIDENTIFIER *korvu_ocspidentifier_new(const struct korvu_ocsp_responderid_st *responder,
                                                              const KORVU_ASN1_TIME *produced_at);
/** The record's `ocspResponderID` (not a copy), null for a null record. */
KORVU_API struct korvu_ocsp_responderid_st *korvu_ocspidentifier_getocsprespid(const KORVU_CADES_OCSPIDENTIFIER *o);
/** The record's `producedAt` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_ocspidentifier_getproducedat(const KORVU_CADES_OCSPIDENTIFIER *o);
/** A new OcspResponsesID (239) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_OCSPRESPONSESID *korvu_ocspresponsesid_new(const KORVU_CADES_OCSPIDENTIFIER *id,
                                                                const KORVU_CADES_OTHERHASH *hash);
/** The record's `ocspIdentifier` (not a copy), null for a null record. */
KORVU_API KORVU_CADES_OCSPIDENTIFIER *korvu_ocspresponsesid_getid(const KORVU_CADES_OCSPRESPONSESID *o);
/** The record's `ocspRepHash` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CADES_OTHERHASH *korvu_ocspresponsesid_gethash(const KORVU_CADES_OCSPRESPONSESID *o);
/** A new OcspListID (241) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_OCSPLISTID *korvu_ocsplistid_new(const KORVU_ASN1_LIST *responses);
/** The record's `ocspResponses` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ocsplistid_getocspresponses(const KORVU_CADES_OCSPLISTID *o);
/** A new OtherRevRefs (242) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_OTHERREVREFS *korvu_otherrevrefs_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_otherrevrefs_gettype(const KORVU_CADES_OTHERREVREFS *o);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_otherrevrefs_getvalue(const KORVU_CADES_OTHERREVREFS *o);
/** A new CrlOcspRef (243) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_CRLOCSPREF *korvu_crlocspref_new(const KORVU_CADES_CRLLISTID *crlids,
                                                      const KORVU_CADES_OCSPLISTID *ocspids,
                                                      const KORVU_CADES_OTHERREVREFS *other);
/** The record's `crlids` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CADES_CRLLISTID *korvu_crlocspref_getcrl(const KORVU_CADES_CRLOCSPREF *r);
/** The record's `ocspids` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CADES_OCSPLISTID *korvu_crlocspref_getocsp(const KORVU_CADES_CRLOCSPREF *r);
/** The record's `otherRev` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CADES_OTHERREVREFS *korvu_crlocspref_getother(const KORVU_CADES_CRLOCSPREF *r);

/* ---- Revocation values: Certificates (245), CRLs (246), BasicOCSPResponses (247), OtherRevVals (248),
 * RevocationValues (249: [0] CRLs, [1] BasicOCSPResponses, [2] OtherRevVals, all EXPLICIT). */
/** The record of RevocationValues (249). */
typedef struct korvu_cades_revocationvalues_st {
  KORVU_ASN1_LIST *crlVals;  /**< of KORVU_X509_CRL */
  KORVU_ASN1_LIST *ocspVals; /**< of KORVU_OCSP_BASICRESPONSE */
  KORVU_CADES_OTHERREVVALS *otherRevVals; /**< OtherRevVals (248), [2] EXPLICIT, OPTIONAL: null when absent */
} KORVU_CADES_REVOCATIONVALUES;

/** A new OtherRevVals (248) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_OTHERREVVALS *korvu_otherrevvals_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_otherrevvals_gettype(const KORVU_CADES_OTHERREVVALS *o);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_otherrevvals_getvalue(const KORVU_CADES_OTHERREVVALS *o);
/** A new RevocationValues (249) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CADES_REVOCATIONVALUES *korvu_revocationvalues_new(const KORVU_ASN1_LIST *crls,
                                                                  const KORVU_ASN1_LIST *ocsps,
                                                                  const KORVU_CADES_OTHERREVVALS *other);
/** The record's `crlVals` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_revocationvalues_getcrls(const KORVU_CADES_REVOCATIONVALUES *v);
/** The record's `ocspVals` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_revocationvalues_getocsps(const KORVU_CADES_REVOCATIONVALUES *v);
/** The record's `otherRevVals` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CADES_OTHERREVVALS *korvu_revocationvalues_getother(const KORVU_CADES_REVOCATIONVALUES *v);

/* ---- ATSHashIndex (251), ATSHashIndexV3 (302): one record; the three indexes are SEQUENCE OF OCTET STRING
 * (250, lists of KORVU_ASN1_OCTETSTRING). ATSHashIndex's hashIndAlgorithm is DEFAULT SHA-256 (never null, left
 * out when its OID is SHA-256, and read as present when the first element is a SEQUENCE that starts with an
 * OBJECT IDENTIFIER); ATSHashIndexV3 always writes it. V3 values are read with the ATSHashIndex getters. */
/** The record of ATSHashIndex (251) and ATSHashIndexV3 (302). */
typedef struct korvu_cades_atshashindex_st {
  struct korvu_x509_algid_st *hashIndAlgorithm; /**< AlgorithmIdentifier (33): DEFAULT SHA-256 in ATSHashIndex */
  KORVU_ASN1_LIST *certificatesHashIndex; /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *crlsHashIndex; /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *unsignedAttrsHashIndex; /**< OCTET STRING (4) */
} KORVU_CADES_ATSHASHINDEX;

/** A new ATSHashIndex (251) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null algorithm stores SHA-256 without parameters. */
KORVU_API KORVU_CADES_ATSHASHINDEX *korvu_atshashindex_new(const struct korvu_x509_algid_st *algorithm,
                                                          const KORVU_ASN1_LIST *certs, const KORVU_ASN1_LIST *crls,
                                                          const KORVU_ASN1_LIST *unsigned_attrs);
/** A new ATSHashIndexV3 (302) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_ATSHASHINDEX *korvu_atshashindexv3_new(const struct korvu_x509_algid_st *algorithm,
                                                            const KORVU_ASN1_LIST *certs,
                                                            const KORVU_ASN1_LIST *crls,
                                                            const KORVU_ASN1_LIST *unsigned_attrs);
/** The record's `hashIndAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_atshashindex_gethashalgo(const KORVU_CADES_ATSHASHINDEX *a);
/** The record's `certificatesHashIndex` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_atshashindex_getcertshash(const KORVU_CADES_ATSHASHINDEX *a);
/** The record's `crlsHashIndex` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_atshashindex_getcrlshash(const KORVU_CADES_ATSHASHINDEX *a);
/** The record's `unsignedAttrsHashIndex` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_atshashindex_getunsignedattrshash(const KORVU_CADES_ATSHASHINDEX *a);

/* ---- SignerAttribute item (261: 0 claimedAttributes [0] SEQUENCE OF Attribute, 1 certifiedAttributes [1]
 * AttributeCertificate, both EXPLICIT), SignerAttribute (262: list of items). */
/** The record of SignerAttribute item (261): a CHOICE, `choice` is the number of the alternative held and `value`
 * its value. */
typedef struct korvu_cades_signerattritem_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CADES_SIGNERATTRIBUTEITEM;

/** A new SignerAttribute item (261) holding a copy of the argument as alternative 0; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_CADES_SIGNERATTRIBUTEITEM *korvu_signerattributeitem_newattr(const KORVU_ASN1_LIST *attributes);
/** A new SignerAttribute item (261) holding a copy of the argument as alternative 1; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_CADES_SIGNERATTRIBUTEITEM *korvu_signerattributeitem_newattrcert(const struct korvu_ac_cert_st *ac);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_signerattributeitem_gettype(const KORVU_CADES_SIGNERATTRIBUTEITEM *i);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_signerattributeitem_getattr(const KORVU_CADES_SIGNERATTRIBUTEITEM *i);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_ac_cert_st *korvu_signerattributeitem_getattrcert(const KORVU_CADES_SIGNERATTRIBUTEITEM *i);

/* ---- ContentReference (263), ContentHints (264) -------------------------------------------------------- */
/** The record of ContentReference (263). */
typedef struct korvu_ess_contentreference_st {
  KORVU_ASN1_OID *contentType; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OCTETSTRING *signedContentIdentifier; /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *originatorSignatureValue; /**< OCTET STRING (4) */
} KORVU_ESS_CONTENTREFERENCE;

/** The record of ContentHints (264). */
typedef struct korvu_ess_contenthints_st {
  KORVU_ASN1_STRING *contentDescription; /**< UTF8String */
  KORVU_ASN1_OID *contentType;           /**< OBJECT IDENTIFIER (6) */
} KORVU_ESS_CONTENTHINTS;

/** A new ContentReference (263) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_ESS_CONTENTREFERENCE *korvu_contentreference_new(const KORVU_ASN1_OID *content_type,
                                                                const KORVU_ASN1_OCTETSTRING *content_id,
                                                                const KORVU_ASN1_OCTETSTRING *signature_value);
/** The record's `contentType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_contentreference_getcontenttype(const KORVU_ESS_CONTENTREFERENCE *r);
/** The record's `signedContentIdentifier` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_contentreference_getsigncontentid(const KORVU_ESS_CONTENTREFERENCE *r);
/** The record's `originatorSignatureValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_contentreference_getsignvalue(const KORVU_ESS_CONTENTREFERENCE *r);
/** A new ContentHints (264) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_ESS_CONTENTHINTS *korvu_contenthints_new(const KORVU_ASN1_STRING *description,
                                                        const KORVU_ASN1_OID *content_type);
/** The record's `contentDescription` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_contenthints_getdecription(const KORVU_ESS_CONTENTHINTS *h);
/** The record's `contentType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_contenthints_gettype(const KORVU_ESS_CONTENTHINTS *h);

/* ---- PoeValue (275: 0 timeStampToken [0] ContentInfo, 1 evidenceRecord [1] EvidenceRecord, both EXPLICIT),
 * LongTermValidation (276). extraCertificates [0] IMPLICIT CertificateSet (of KORVU_CMS_CERTCHOICE),
 * extraRevocation [1] IMPLICIT RevocationInfoChoices (of KORVU_CMS_REVINFOCHOICE). A [0] or [1] right after
 * poeDate is the poeValue when it holds a SEQUENCE starting with an OBJECT IDENTIFIER ([0]) or an INTEGER
 * ([1]), and one of the sets otherwise. */
/** The record of PoeValue (275): a CHOICE, `choice` is the number of the alternative held and `value` its value. */
typedef struct korvu_cades_poevalue_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CADES_POEVALUE;

/** The record of LongTermValidation (276). */
typedef struct korvu_cades_longtermvalidation_st {
  KORVU_ASN1_TIME *poeDate; /**< GeneralizedTime (22) */
  KORVU_CADES_POEVALUE *poeValue; /**< PoeValue (275), OPTIONAL: null when absent */
  KORVU_ASN1_LIST *extraCertificates; /**< CertificateSet (131), [0] IMPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *extraRevocation; /**< RevocationInfoChoices (132), [1] IMPLICIT, OPTIONAL: null when absent */
} KORVU_CADES_LONGTERMVALIDATION;

/** A new PoeValue (275) holding a copy of the argument as alternative 0; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_CADES_POEVALUE *korvu_poevalue_newtimestamp(const struct korvu_pkcs7_contentinfo_st *token);
/** A new PoeValue (275) holding a copy of the argument as alternative 1; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_CADES_POEVALUE *korvu_poevalue_newevidencerecord(const struct korvu_ers_evidencerecord_st *er);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_poevalue_gettype(const KORVU_CADES_POEVALUE *p);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_poevalue_gettimestamp(const KORVU_CADES_POEVALUE *p);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_ers_evidencerecord_st *korvu_poevalue_getevidencerecord(const KORVU_CADES_POEVALUE *p);
/** A new LongTermValidation (276) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CADES_LONGTERMVALIDATION *korvu_longtermvalidation_new(const KORVU_ASN1_TIME *poe_date,
                                                                      const KORVU_CADES_POEVALUE *poe_value,
                                                                      const KORVU_ASN1_LIST *extra_certs,
                                                                      const KORVU_ASN1_LIST *extra_revocation);
/** The record's `poeDate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_longtermvalidation_getpoedate(const KORVU_CADES_LONGTERMVALIDATION *l);
/** The record's `poeValue` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_CADES_POEVALUE *korvu_longtermvalidation_getpoevalue(const KORVU_CADES_LONGTERMVALIDATION *l);
/** The record's `extraCertificates` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_longtermvalidation_getextracerts(const KORVU_CADES_LONGTERMVALIDATION *l);
/** The record's `extraRevocation` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_longtermvalidation_getextrarevocation(const KORVU_CADES_LONGTERMVALIDATION *l);

/* ---- PDF revocation archive: OtherRevInfo (294), OtherRevInfos (295), CRLs (296, of KORVU_X509_CRL), OCSP
 * responses (297, of KORVU_OCSP_OCSPRESPONSE), RevocationInfoArchival (298: [0] [1] [2] EXPLICIT). */
/** The record of PDF OtherRevInfo (294). */
typedef struct korvu_adobe_otherrevinfo_st {
  KORVU_ASN1_OID *type; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OCTETSTRING *value; /**< OCTET STRING (4) */
} KORVU_ADOBE_OTHERREVINFO;

/** The record of RevocationInfoArchival (298). */
typedef struct korvu_adobe_revinfoarchival_st {
  KORVU_ASN1_LIST *crl; /**< PDF CRLs (296), [0] EXPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *ocsp; /**< PDF OCSP Responses (297), [1] EXPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *otherRevInfo; /**< PDF OtherRevInfos (295), [2] EXPLICIT, OPTIONAL: null when absent */
} KORVU_ADOBE_REVOCATIONINFOARCHIVAL;

/** A new PDF OtherRevInfo (294) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_ADOBE_OTHERREVINFO *korvu_adobe_otherrevinfo_new(const KORVU_ASN1_OID *type,
                                                                const KORVU_ASN1_OCTETSTRING *value);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_adobe_otherrevinfo_gettype(const KORVU_ADOBE_OTHERREVINFO *o);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_adobe_otherrevinfo_getvalue(const KORVU_ADOBE_OTHERREVINFO *o);
/** A new RevocationInfoArchival (298) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_ADOBE_REVOCATIONINFOARCHIVAL *korvu_adobe_revocationinfoarchival_new(
    const KORVU_ASN1_LIST *crls, const KORVU_ASN1_LIST *ocsps, const KORVU_ASN1_LIST *others);
/** The record's `crl` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_adobe_revocationinfoarchival_getcrl(const KORVU_ADOBE_REVOCATIONINFOARCHIVAL *a);
/** The record's `ocsp` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_adobe_revocationinfoarchival_getocsp(const KORVU_ADOBE_REVOCATIONINFOARCHIVAL *a);
/** The record's `otherRevInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_adobe_revocationinfoarchival_getotherrevinfo(
    const KORVU_ADOBE_REVOCATIONINFOARCHIVAL *a);

/* ---- Signer attributes V2: OtherAttributeCertificate (303), CertifiedAttributesV2 item (304: 0
 * attributeCertificate [0], 1 otherAttributeCertificate [1], both EXPLICIT), CertifiedAttributesV2 (305),
 * SignedAssertion (306), SignedAssertions (307), SignerAttributeV2 (308: [0] [1] [2] EXPLICIT). */
/** The record of OtherAttributeCertificate (303). */
typedef struct korvu_cades_oidany_st {
  KORVU_ASN1_OID *id; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *value; /**< ANY (23), OPTIONAL: null when absent */
} KORVU_CADES_OTHERATTRIBUTECERTIFICATE;
/** SignedAssertion: the same record as OtherAttributeCertificate. */
typedef KORVU_CADES_OTHERATTRIBUTECERTIFICATE KORVU_CADES_SIGNEDASSERTION;

/** The record of CertifiedAttributesV2 item (304): a CHOICE, `choice` is the number of the alternative held and
 * `value` its value. */
typedef struct korvu_cades_certattrv2item_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM;

/** The record of SignerAttributeV2 (308). */
typedef struct korvu_cades_signerattrv2_st {
  KORVU_ASN1_LIST *claimedAttributes;     /**< of KORVU_X500_ATTRIBUTE */
  KORVU_ASN1_LIST *certifiedAttributesV2; /**< of KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM */
  KORVU_ASN1_LIST *signedAssertions;      /**< of KORVU_CADES_SIGNEDASSERTION */
} KORVU_CADES_SIGNERATTRIBUTEV2;

/** A new OtherAttributeCertificate (303) of copies of the arguments, in component order; null when a required one
 * is null or building fails. */
KORVU_API KORVU_CADES_OTHERATTRIBUTECERTIFICATE *korvu_cadesotherattributecertificate_new(
    const KORVU_ASN1_OID *id, const KORVU_ASN1_ANY *cert);
/** The record's `id` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_cadesotherattributecertificate_getotherattrcertid(
    const KORVU_CADES_OTHERATTRIBUTECERTIFICATE *o);
/** The record's `value` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_cadesotherattributecertificate_getotherattrcert(
    const KORVU_CADES_OTHERATTRIBUTECERTIFICATE *o);
/** A new CertifiedAttributesV2 item (304) holding a copy of the argument as alternative 0; null for a null
 * argument or when the copy fails. */
KORVU_API KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *korvu_cadescertifiedattributesv2item_newattrcert(
    const struct korvu_ac_cert_st *ac);
/** A new CertifiedAttributesV2 item (304) holding a copy of the argument as alternative 1; null for a null
 * argument or when the copy fails. */
KORVU_API KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *korvu_cadescertifiedattributesv2item_newotherattrcert(
    const KORVU_CADES_OTHERATTRIBUTECERTIFICATE *other);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_cadescertifiedattributesv2item_gettype(const KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *i);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_ac_cert_st *korvu_cadescertifiedattributesv2item_getattrcert(
    const KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *i);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_CADES_OTHERATTRIBUTECERTIFICATE *korvu_cadescertifiedattributesv2item_getotherattrcert(
    const KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *i);
/** A new SignedAssertion (306) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_CADES_SIGNEDASSERTION *korvu_cadessignedassertion_new(const KORVU_ASN1_OID *id,
                                                                     const KORVU_ASN1_ANY *assertion);
/** The record's `id` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_cadessignedassertion_getsignedassertionid(const KORVU_CADES_SIGNEDASSERTION *a);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_cadessignedassertion_getsignedassertion(const KORVU_CADES_SIGNEDASSERTION *a);
/** A new SignerAttributeV2 (308) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_CADES_SIGNERATTRIBUTEV2 *korvu_cadessignerattributev2_new(const KORVU_ASN1_LIST *claimed,
                                                                         const KORVU_ASN1_LIST *certified,
                                                                         const KORVU_ASN1_LIST *assertions);
/** The record's `claimedAttributes` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cadessignerattributev2_getclaimedattributes(const KORVU_CADES_SIGNERATTRIBUTEV2 *s);
/** The record's `certifiedAttributesV2` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cadessignerattributev2_getcertifiedattributesv2(
    const KORVU_CADES_SIGNERATTRIBUTEV2 *s);
/** The record's `signedAssertions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_cadessignerattributev2_getsignedassertions(const KORVU_CADES_SIGNERATTRIBUTEV2 *s);

/* ---- Signature policy store: SPDocSpecification (309: 0 oid, 1 uri IA5String), SignaturePolicyDocument
 * (310: 0 sigPolicyEncoded OCTET STRING, 1 sigPolicyLocalURI IA5String), SignaturePolicyStore (311). */
/** The record of SPDocSpecification (309): a CHOICE, `choice` is the number of the alternative held and `value`
 * its value. */
typedef struct korvu_cades_choice_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_CADES_SPDOCSPECIFICATION;
/** SignaturePolicyDocument: the same record as SPDocSpecification. */
typedef KORVU_CADES_SPDOCSPECIFICATION KORVU_CADES_SIGNATUREPOLICYDOCUMENT;

/** The record of SignaturePolicyStore (311). */
typedef struct korvu_cades_sigpolicystore_st {
  KORVU_CADES_SPDOCSPECIFICATION *spDocSpec; /**< SPDocSpecification (309) */
  KORVU_CADES_SIGNATUREPOLICYDOCUMENT *spDocument; /**< SignaturePolicyDocument (310) */
} KORVU_CADES_SIGNATUREPOLICYSTORE;

/** A new SPDocSpecification (309) holding a copy of the argument as alternative 0; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_CADES_SPDOCSPECIFICATION *korvu_cadesspdocspecification_newoid(const KORVU_ASN1_OID *oid);
/** A new SPDocSpecification (309) holding a copy of the argument as alternative 1; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_CADES_SPDOCSPECIFICATION *korvu_cadesspdocspecification_newuri(const KORVU_ASN1_STRING *uri);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_cadesspdocspecification_gettype(const KORVU_CADES_SPDOCSPECIFICATION *s);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OID *korvu_cadesspdocspecification_getoid(const KORVU_CADES_SPDOCSPECIFICATION *s);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_cadesspdocspecification_geturi(const KORVU_CADES_SPDOCSPECIFICATION *s);
/** A new SignaturePolicyDocument (310) holding a copy of the argument as alternative 0; null for a null argument
 * or when the copy fails. */
KORVU_API KORVU_CADES_SIGNATUREPOLICYDOCUMENT *korvu_cadessignaturepolicydocument_newencoded(
    const KORVU_ASN1_OCTETSTRING *encoded);
/** A new SignaturePolicyDocument (310) holding a copy of the argument as alternative 1; null for a null argument
 * or when the copy fails. */
KORVU_API KORVU_CADES_SIGNATUREPOLICYDOCUMENT *korvu_cadessignaturepolicydocument_newlocaluri(
    const KORVU_ASN1_STRING *uri);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_cadessignaturepolicydocument_gettype(const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *d);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cadessignaturepolicydocument_getencoded(
    const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *d);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_cadessignaturepolicydocument_getlocaluri(
    const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *d);
/** A new SignaturePolicyStore (311) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_CADES_SIGNATUREPOLICYSTORE *korvu_cadessignaturepolicystore_new(
    const KORVU_CADES_SPDOCSPECIFICATION *spec, const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *doc);
/** The record's `spDocSpec` (not a copy), null for a null record. */
KORVU_API KORVU_CADES_SPDOCSPECIFICATION *korvu_cadessignaturepolicystore_getdocspec(
    const KORVU_CADES_SIGNATUREPOLICYSTORE *s);
/** The record's `spDocument` (not a copy), null for a null record. */
KORVU_API KORVU_CADES_SIGNATUREPOLICYDOCUMENT *korvu_cadessignaturepolicystore_getdoc(
    const KORVU_CADES_SIGNATUREPOLICYSTORE *s);

/* ---- CMSAlgorithmProtection (401): signatureAlgorithm [1] and macAlgorithm [2] IMPLICIT --------------- */
/** The record of CMSAlgorithmProtection (401). */
typedef struct korvu_cms_algprotection_st {
  struct korvu_x509_algid_st *digestAlgorithm; /**< AlgorithmIdentifier (33) */
  struct korvu_x509_algid_st *signatureAlgorithm; /**< AlgorithmIdentifier (33), [1] IMPLICIT, OPTIONAL: null when absent */
  struct korvu_x509_algid_st *macAlgorithm; /**< AlgorithmIdentifier (33), [2] IMPLICIT, OPTIONAL: null when absent */
} KORVU_CMS_ALGORITHMPROTECTION;

/** A new CMSAlgorithmProtection (401) of copies of `digest` and of `signature` as signatureAlgorithm (no
 * macAlgorithm); null when `signature` is null, `digest` is null or building fails. */
KORVU_API KORVU_CMS_ALGORITHMPROTECTION *korvu_cmsalgorithmprotection_newsign(
    const struct korvu_x509_algid_st *digest, const struct korvu_x509_algid_st *signature);
/** A new CMSAlgorithmProtection (401) of copies of `digest` and of `mac` as macAlgorithm (no signatureAlgorithm);
 * null when `mac` is null, `digest` is null or building fails. */
KORVU_API KORVU_CMS_ALGORITHMPROTECTION *korvu_cmsalgorithmprotection_newmac(const struct korvu_x509_algid_st *digest,
                                                                           const struct korvu_x509_algid_st *mac);
/** The record's `digestAlgorithm` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmsalgorithmprotection_getdigestalgorithm(
    const KORVU_CMS_ALGORITHMPROTECTION *p);
/** The record's `signatureAlgorithm` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmsalgorithmprotection_getsignaturealgorithm(
    const KORVU_CMS_ALGORITHMPROTECTION *p);
/** The record's `macAlgorithm` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_cmsalgorithmprotection_getmacalgorithm(
    const KORVU_CMS_ALGORITHMPROTECTION *p);

#ifdef __cplusplus
}
#endif
#endif
