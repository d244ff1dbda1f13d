/* KORVU ASN.1: values of signature attributes: ESS (RFC 2634, RFC 5035), S/MIME (RFC 5751), CAdES (RFC 5126,
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
typedef struct korvu_ess_issuerserial_st {
  KORVU_ASN1_LIST *issuer;
  KORVU_ASN1_INTEGER *serialNumber;
} KORVU_ESS_ISSUERSERIAL;

KORVU_API KORVU_ESS_ISSUERSERIAL *korvu_ess_issuerserial_new(const KORVU_ASN1_LIST *issuer,
                                                            const KORVU_ASN1_INTEGER *serial);
KORVU_API KORVU_ASN1_LIST *korvu_ess_issuerserial_getissuer(const KORVU_ESS_ISSUERSERIAL *is);
KORVU_API KORVU_ASN1_INTEGER *korvu_ess_issuerserial_getsn(const KORVU_ESS_ISSUERSERIAL *is);

/* ---- ESSCertID (194), ESSCertIDv2 (195); their lists 196, 197 -------------------------------------------
 * ESSCertIDv2's hashAlgorithm is DEFAULT SHA-256 (2.16.840.1.101.3.4.2.1): never null; left out of the
 * encoding whenever its OID is SHA-256, whatever its parameters. */
typedef struct korvu_ess_certid_st {
  KORVU_ASN1_OCTETSTRING *certHash;
  KORVU_ESS_ISSUERSERIAL *issuerSerial;
} KORVU_ESS_CERTID;

typedef struct korvu_ess_certidv2_st {
  struct korvu_x509_algid_st *hashAlgorithm;
  KORVU_ASN1_OCTETSTRING *certHash;
  KORVU_ESS_ISSUERSERIAL *issuerSerial;
} KORVU_ESS_CERTIDV2;

KORVU_API KORVU_ESS_CERTID *korvu_ess_certid_new(const KORVU_ASN1_OCTETSTRING *cert_hash,
                                                const KORVU_ESS_ISSUERSERIAL *issuer_serial);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ess_certid_getcerthash(const KORVU_ESS_CERTID *id);
KORVU_API KORVU_ESS_ISSUERSERIAL *korvu_ess_certid_getissuersn(const KORVU_ESS_CERTID *id);
/* A null hash_algorithm stores SHA-256 without parameters. */
KORVU_API KORVU_ESS_CERTIDV2 *korvu_ess_certidv2_new(const struct korvu_x509_algid_st *hash_algorithm,
                                                    const KORVU_ASN1_OCTETSTRING *cert_hash,
                                                    const KORVU_ESS_ISSUERSERIAL *issuer_serial);
KORVU_API struct korvu_x509_algid_st *korvu_ess_certidv2_getcerthashalgo(const KORVU_ESS_CERTIDV2 *id);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ess_certidv2_getcerthash(const KORVU_ESS_CERTIDV2 *id);
KORVU_API KORVU_ESS_ISSUERSERIAL *korvu_ess_certidv2_getissuersn(const KORVU_ESS_CERTIDV2 *id);

/* ---- SigningCertificate (199), SigningCertificateV2 (200): one record ------------------------------------
 * certs: of KORVU_ESS_CERTID (199) or KORVU_ESS_CERTIDV2 (200); policies: SEQUENCE OF PolicyInformation (198,
 * of KORVU_X509_POLICYINFO). Both are read with the SigningCertificate getters. */
typedef struct korvu_ess_signingcertificate_st {
  KORVU_ASN1_LIST *certs;
  KORVU_ASN1_LIST *policies;
} KORVU_ESS_SIGNINGCERTIFICATE;

KORVU_API KORVU_ESS_SIGNINGCERTIFICATE *korvu_ess_signingcertificate_new(const KORVU_ASN1_LIST *certs,
                                                                        const KORVU_ASN1_LIST *policies);
KORVU_API KORVU_ESS_SIGNINGCERTIFICATE *korvu_ess_signingcertificatev2_new(const KORVU_ASN1_LIST *certs,
                                                                          const KORVU_ASN1_LIST *policies);
KORVU_API KORVU_ASN1_LIST *korvu_ess_signingcertificate_getcerts(const KORVU_ESS_SIGNINGCERTIFICATE *sc);
KORVU_API KORVU_ASN1_LIST *korvu_ess_signingcertificate_getpolicies(const KORVU_ESS_SIGNINGCERTIFICATE *sc);

/* ---- SMIMEEncryptionKeyPreference (216) ---------------------------------------------------------------
 * 0 issuerAndSerialNumber [0] (struct korvu_cms_issuerandsn_st), 1 receipentKeyId [1] (RecipientKeyIdentifier,
 * type 154), 2 subjectAltKeyIdentifier [2] (OCTET STRING); all IMPLICIT. */
typedef struct korvu_smime_ekp_st {
  uint32_t choice;
  void *value;
} KORVU_SMIME_ENCRYPTIONKEYPREFERENCE;

struct korvu_cms_recipientkeyid_st; /* RecipientKeyIdentifier (154), korvu/cms_enveloped.h */
KORVU_API KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *korvu_smimeencryptionkeypreference_newissuerandsn(
    const struct korvu_cms_issuerandsn_st *ias);
KORVU_API KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *korvu_smimeencryptionkeypreference_newreceipentkeyid(
    const struct korvu_cms_recipientkeyid_st *key_id);
KORVU_API KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *korvu_smimeencryptionkeypreference_newsubjectaltkeyid(
    const KORVU_ASN1_OCTETSTRING *key_id);
KORVU_API uint32_t korvu_smimeencryptionkeypreference_gettype(const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *p);
KORVU_API struct korvu_cms_issuerandsn_st *korvu_smimeencryptionkeypreference_getissuerandsn(
    const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *p);
KORVU_API struct korvu_cms_recipientkeyid_st *korvu_smimeencryptionkeypreference_getreceipentkeyid(const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *p);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_smimeencryptionkeypreference_getsubjectaltkeyid(
    const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *p);

/* ---- OtherHashAlgAndValue (225), OtherHash (226: 1 sha1Hash OCTET STRING, 2 otherHash) ----------------- */
typedef struct korvu_cades_otherhashalgandvalue_st {
  struct korvu_x509_algid_st *hashAlgorithm;
  KORVU_ASN1_OCTETSTRING *hashValue;
} KORVU_CADES_OTHERHASHALGANDVALUE;

typedef struct korvu_cades_otherhash_st {
  uint32_t choice;
  void *value;
} KORVU_CADES_OTHERHASH;

KORVU_API KORVU_CADES_OTHERHASH *korvu_otherhash_newsha1(const KORVU_ASN1_OCTETSTRING *sha1);
KORVU_API KORVU_CADES_OTHERHASH *korvu_otherhash_newother(const KORVU_CADES_OTHERHASHALGANDVALUE *other);
KORVU_API uint32_t korvu_otherhash_gettype(const KORVU_CADES_OTHERHASH *h);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_otherhash_getsha1(const KORVU_CADES_OTHERHASH *h);
KORVU_API KORVU_CADES_OTHERHASHALGANDVALUE *korvu_otherhash_getother(const KORVU_CADES_OTHERHASH *h);

/* ---- OtherCertID (227), OtherCertIDs (228), OtherSigningCert (229) --------------------------------------- */
typedef struct korvu_cades_othercertid_st {
  KORVU_CADES_OTHERHASH *otherCertHash;
  KORVU_ESS_ISSUERSERIAL *issuerSerial;
} KORVU_CADES_OTHERCERTID;

typedef struct korvu_cades_othersigningcert_st {
  KORVU_ASN1_LIST *certs;    /* of KORVU_CADES_OTHERCERTID */
  KORVU_ASN1_LIST *policies; /* of KORVU_X509_POLICYINFO */
} KORVU_CADES_OTHERSIGNINGCERT;

KORVU_API KORVU_CADES_OTHERCERTID *korvu_othercertid_new(const KORVU_CADES_OTHERHASH *cert_hash,
                                                        const KORVU_ESS_ISSUERSERIAL *issuer_serial);
KORVU_API KORVU_CADES_OTHERHASH *korvu_othercertid_getcerthash(const KORVU_CADES_OTHERCERTID *id);
KORVU_API KORVU_ESS_ISSUERSERIAL *korvu_othercertid_getissuerserial(const KORVU_CADES_OTHERCERTID *id);
KORVU_API KORVU_CADES_OTHERSIGNINGCERT *korvu_othersigningcert_new(const KORVU_ASN1_LIST *certs,
                                                                  const KORVU_ASN1_LIST *policies);
KORVU_API KORVU_ASN1_LIST *korvu_othersigningcert_getcerts(const KORVU_CADES_OTHERSIGNINGCERT *sc);
KORVU_API KORVU_ASN1_LIST *korvu_othersigningcert_getpolicies(const KORVU_CADES_OTHERSIGNINGCERT *sc);

/* ---- SignaturePolicyId (230), SignaturePolicyIdentifier (231: 1 signaturePolicyId, 2 signaturePolicyImplied
 * NULL), CommitmentTypeIndication (232). Qualifiers: PolicyQualifierInfos (137). */
typedef struct korvu_cades_sigpolicyid_st {
  KORVU_ASN1_OID *sigPolicyId;
  KORVU_CADES_OTHERHASHALGANDVALUE *sigPolicyHash;
  KORVU_ASN1_LIST *sigPolicyQualifiers;
} KORVU_CADES_SIGNATUREPOLICYID;

typedef struct korvu_cades_sigpolicyidentifier_st {
  uint32_t choice;
  void *value;
} KORVU_CADES_SIGNATUREPOLICYIDENTIFIER;

typedef struct korvu_cades_commitmenttype_st {
  KORVU_ASN1_OID *commitmentTypeId;
  KORVU_ASN1_LIST *commitmentTypeQualifier;
} KORVU_CADES_COMMITMENTTYPEINDICATION;

KORVU_API KORVU_CADES_SIGNATUREPOLICYID *korvu_signaturepolicyid_new(const KORVU_ASN1_OID *id,
                                                                    const KORVU_CADES_OTHERHASHALGANDVALUE *hash,
                                                                    const KORVU_ASN1_LIST *qualifiers);
KORVU_API KORVU_ASN1_OID *korvu_signaturepolicyid_getid(const KORVU_CADES_SIGNATUREPOLICYID *p);
KORVU_API KORVU_CADES_OTHERHASHALGANDVALUE *korvu_signaturepolicyid_gethash(const KORVU_CADES_SIGNATUREPOLICYID *p);
KORVU_API KORVU_ASN1_LIST *korvu_signaturepolicyid_getqualifiers(const KORVU_CADES_SIGNATUREPOLICYID *p);
KORVU_API KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *korvu_signaturepolicyidentifier_newid(
    const KORVU_CADES_SIGNATUREPOLICYID *id);
KORVU_API KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *korvu_signaturepolicyidentifier_newimplied(void);
KORVU_API uint32_t korvu_signaturepolicyidentifier_gettype(const KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *p);
KORVU_API KORVU_CADES_SIGNATUREPOLICYID *korvu_signaturepolicyidentifier_getid(
    const KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *p);
KORVU_API KORVU_CADES_COMMITMENTTYPEINDICATION *korvu_commitmenttypeindication_new(const KORVU_ASN1_OID *id,
                                                                                  const KORVU_ASN1_LIST *qualifiers);
KORVU_API KORVU_ASN1_OID *korvu_commitmenttypeindication_getid(const KORVU_CADES_COMMITMENTTYPEINDICATION *c);
KORVU_API KORVU_ASN1_LIST *korvu_commitmenttypeindication_getqualifiers(
    const KORVU_CADES_COMMITMENTTYPEINDICATION *c);

/* ---- SignerLocation (233): [0] [1] [2] EXPLICIT; the postal address is a list of KORVU_X500_DIRSTRING --- */
typedef struct korvu_cades_signerlocation_st {
  struct korvu_x500_dirstring_st *countryName;
  struct korvu_x500_dirstring_st *localityName;
  KORVU_ASN1_LIST *postalAdddress;
} KORVU_CADES_SIGNERLOCATION;

/* Null unless at least one argument is given. */
KORVU_API KORVU_CADES_SIGNERLOCATION *korvu_signerlocation_new(const struct korvu_x500_dirstring_st *country,
                                                              const struct korvu_x500_dirstring_st *locality,
                                                              const KORVU_ASN1_LIST *postal_address);
KORVU_API struct korvu_x500_dirstring_st *korvu_signerlocation_getcountryname(const KORVU_CADES_SIGNERLOCATION *l);
KORVU_API struct korvu_x500_dirstring_st *korvu_signerlocation_getlocalityname(const KORVU_CADES_SIGNERLOCATION *l);
KORVU_API KORVU_ASN1_LIST *korvu_signerlocation_getpostaladdress(const KORVU_CADES_SIGNERLOCATION *l);

/* ---- Revocation references: CrlIdentifier (234), CrlValidatedID (235), CrlValidatedIDs (236), CRLListID
 * (237), OcspIdentifier (238), OcspResponsesID (239), OcspResponsesIDs (240), OcspListID (241), OtherRevRefs
 * (242), CrlOcspRef (243: [0] [1] [2] EXPLICIT), CompleteRevocationRefs (244). */
typedef struct korvu_cades_crlidentifier_st {
  struct korvu_x500_name_st *crlissuer;
  KORVU_ASN1_TIME *crlIssuedTime; /* UTCTime */
  KORVU_ASN1_INTEGER *crlNumber;
} KORVU_CADES_CRLIDENTIFIER;

typedef struct korvu_cades_crlvalidatedid_st {
  KORVU_CADES_OTHERHASH *crlHash;
  KORVU_CADES_CRLIDENTIFIER *crlIdentifier;
} KORVU_CADES_CRLVALIDATEDID;

typedef struct korvu_cades_crllistid_st {
  KORVU_ASN1_LIST *crls; /* of KORVU_CADES_CRLVALIDATEDID */
} KORVU_CADES_CRLLISTID;

typedef struct korvu_cades_ocspidentifier_st {
  struct korvu_ocsp_responderid_st *ocspResponderID;
  KORVU_ASN1_TIME *producedAt; /* GeneralizedTime */
} KORVU_CADES_OCSPIDENTIFIER;

typedef struct korvu_cades_ocspresponsesid_st {
  KORVU_CADES_OCSPIDENTIFIER *ocspIdentifier;
  KORVU_CADES_OTHERHASH *ocspRepHash;
} KORVU_CADES_OCSPRESPONSESID;

typedef struct korvu_cades_ocsplistid_st {
  KORVU_ASN1_LIST *ocspResponses; /* of KORVU_CADES_OCSPRESPONSESID */
} KORVU_CADES_OCSPLISTID;

typedef struct korvu_cades_otherrev_st {
  KORVU_ASN1_OID *type;
  KORVU_ASN1_ANY *value;
} KORVU_CADES_OTHERREVREFS;
typedef KORVU_CADES_OTHERREVREFS KORVU_CADES_OTHERREVVALS;

typedef struct korvu_cades_crlocspref_st {
  KORVU_CADES_CRLLISTID *crlids;
  KORVU_CADES_OCSPLISTID *ocspids;
  KORVU_CADES_OTHERREVREFS *otherRev;
} KORVU_CADES_CRLOCSPREF;

KORVU_API KORVU_CADES_CRLIDENTIFIER *korvu_crlidentifier_new(const struct korvu_x500_name_st *issuer,
                                                            const KORVU_ASN1_TIME *issued_time,
                                                            const KORVU_ASN1_INTEGER *number);
KORVU_API struct korvu_x500_name_st *korvu_crlidentifier_getcrlissuer(const KORVU_CADES_CRLIDENTIFIER *c);
KORVU_API KORVU_ASN1_TIME *korvu_crlidentifier_getcrlissuedtime(const KORVU_CADES_CRLIDENTIFIER *c);
KORVU_API KORVU_ASN1_INTEGER *korvu_crlidentifier_getcrlnumber(const KORVU_CADES_CRLIDENTIFIER *c);
KORVU_API KORVU_CADES_CRLVALIDATEDID *korvu_crlvalidatedid_new(const KORVU_CADES_OTHERHASH *hash,
                                                              const KORVU_CADES_CRLIDENTIFIER *id);
KORVU_API KORVU_CADES_OTHERHASH *korvu_crlvalidatedid_getcrlhash(const KORVU_CADES_CRLVALIDATEDID *c);
KORVU_API KORVU_CADES_CRLIDENTIFIER *korvu_crlvalidatedid_getcrlid(const KORVU_CADES_CRLVALIDATEDID *c);
KORVU_API KORVU_CADES_CRLLISTID *korvu_crllistid_new(const KORVU_ASN1_LIST *crls);
KORVU_API KORVU_ASN1_LIST *korvu_crllistid_getcrls(const KORVU_CADES_CRLLISTID *c);
KORVU_API KORVU_CADES_OCSPIDENTIFIER *korvu_ocspidentifier_new(const struct korvu_ocsp_responderid_st *responder,
                                                              const KORVU_ASN1_TIME *produced_at);
KORVU_API struct korvu_ocsp_responderid_st *korvu_ocspidentifier_getocsprespid(const KORVU_CADES_OCSPIDENTIFIER *o);
KORVU_API KORVU_ASN1_TIME *korvu_ocspidentifier_getproducedat(const KORVU_CADES_OCSPIDENTIFIER *o);
KORVU_API KORVU_CADES_OCSPRESPONSESID *korvu_ocspresponsesid_new(const KORVU_CADES_OCSPIDENTIFIER *id,
                                                                const KORVU_CADES_OTHERHASH *hash);
KORVU_API KORVU_CADES_OCSPIDENTIFIER *korvu_ocspresponsesid_getid(const KORVU_CADES_OCSPRESPONSESID *o);
KORVU_API KORVU_CADES_OTHERHASH *korvu_ocspresponsesid_gethash(const KORVU_CADES_OCSPRESPONSESID *o);
KORVU_API KORVU_CADES_OCSPLISTID *korvu_ocsplistid_new(const KORVU_ASN1_LIST *responses);
KORVU_API KORVU_ASN1_LIST *korvu_ocsplistid_getocspresponses(const KORVU_CADES_OCSPLISTID *o);
KORVU_API KORVU_CADES_OTHERREVREFS *korvu_otherrevrefs_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value);
KORVU_API KORVU_ASN1_OID *korvu_otherrevrefs_gettype(const KORVU_CADES_OTHERREVREFS *o);
KORVU_API KORVU_ASN1_ANY *korvu_otherrevrefs_getvalue(const KORVU_CADES_OTHERREVREFS *o);
KORVU_API KORVU_CADES_CRLOCSPREF *korvu_crlocspref_new(const KORVU_CADES_CRLLISTID *crlids,
                                                      const KORVU_CADES_OCSPLISTID *ocspids,
                                                      const KORVU_CADES_OTHERREVREFS *other);
KORVU_API KORVU_CADES_CRLLISTID *korvu_crlocspref_getcrl(const KORVU_CADES_CRLOCSPREF *r);
KORVU_API KORVU_CADES_OCSPLISTID *korvu_crlocspref_getocsp(const KORVU_CADES_CRLOCSPREF *r);
KORVU_API KORVU_CADES_OTHERREVREFS *korvu_crlocspref_getother(const KORVU_CADES_CRLOCSPREF *r);

/* ---- Revocation values: Certificates (245), CRLs (246), BasicOCSPResponses (247), OtherRevVals (248),
 * RevocationValues (249: [0] CRLs, [1] BasicOCSPResponses, [2] OtherRevVals, all EXPLICIT). */
typedef struct korvu_cades_revocationvalues_st {
  KORVU_ASN1_LIST *crlVals;  /* of KORVU_X509_CRL */
  KORVU_ASN1_LIST *ocspVals; /* of KORVU_OCSP_BASICRESPONSE */
  KORVU_CADES_OTHERREVVALS *otherRevVals;
} KORVU_CADES_REVOCATIONVALUES;

KORVU_API KORVU_CADES_OTHERREVVALS *korvu_otherrevvals_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value);
KORVU_API KORVU_ASN1_OID *korvu_otherrevvals_gettype(const KORVU_CADES_OTHERREVVALS *o);
KORVU_API KORVU_ASN1_ANY *korvu_otherrevvals_getvalue(const KORVU_CADES_OTHERREVVALS *o);
KORVU_API KORVU_CADES_REVOCATIONVALUES *korvu_revocationvalues_new(const KORVU_ASN1_LIST *crls,
                                                                  const KORVU_ASN1_LIST *ocsps,
                                                                  const KORVU_CADES_OTHERREVVALS *other);
KORVU_API KORVU_ASN1_LIST *korvu_revocationvalues_getcrls(const KORVU_CADES_REVOCATIONVALUES *v);
KORVU_API KORVU_ASN1_LIST *korvu_revocationvalues_getocsps(const KORVU_CADES_REVOCATIONVALUES *v);
KORVU_API KORVU_CADES_OTHERREVVALS *korvu_revocationvalues_getother(const KORVU_CADES_REVOCATIONVALUES *v);

/* ---- ATSHashIndex (251), ATSHashIndexV3 (302): one record; the three indexes are SEQUENCE OF OCTET STRING
 * (250, lists of KORVU_ASN1_OCTETSTRING). ATSHashIndex's hashIndAlgorithm is DEFAULT SHA-256 (never null, left
 * out when its OID is SHA-256, and read as present when the first element is a SEQUENCE that starts with an
 * OBJECT IDENTIFIER); ATSHashIndexV3 always writes it. V3 values are read with the ATSHashIndex getters. */
typedef struct korvu_cades_atshashindex_st {
  struct korvu_x509_algid_st *hashIndAlgorithm;
  KORVU_ASN1_LIST *certificatesHashIndex;
  KORVU_ASN1_LIST *crlsHashIndex;
  KORVU_ASN1_LIST *unsignedAttrsHashIndex;
} KORVU_CADES_ATSHASHINDEX;

/* A null algorithm stores SHA-256 without parameters. */
KORVU_API KORVU_CADES_ATSHASHINDEX *korvu_atshashindex_new(const struct korvu_x509_algid_st *algorithm,
                                                          const KORVU_ASN1_LIST *certs, const KORVU_ASN1_LIST *crls,
                                                          const KORVU_ASN1_LIST *unsigned_attrs);
KORVU_API KORVU_CADES_ATSHASHINDEX *korvu_atshashindexv3_new(const struct korvu_x509_algid_st *algorithm,
                                                            const KORVU_ASN1_LIST *certs,
                                                            const KORVU_ASN1_LIST *crls,
                                                            const KORVU_ASN1_LIST *unsigned_attrs);
KORVU_API struct korvu_x509_algid_st *korvu_atshashindex_gethashalgo(const KORVU_CADES_ATSHASHINDEX *a);
KORVU_API KORVU_ASN1_LIST *korvu_atshashindex_getcertshash(const KORVU_CADES_ATSHASHINDEX *a);
KORVU_API KORVU_ASN1_LIST *korvu_atshashindex_getcrlshash(const KORVU_CADES_ATSHASHINDEX *a);
KORVU_API KORVU_ASN1_LIST *korvu_atshashindex_getunsignedattrshash(const KORVU_CADES_ATSHASHINDEX *a);

/* ---- SignerAttribute item (261: 0 claimedAttributes [0] SEQUENCE OF Attribute, 1 certifiedAttributes [1]
 * AttributeCertificate, both EXPLICIT), SignerAttribute (262: list of items). */
typedef struct korvu_cades_signerattritem_st {
  uint32_t choice;
  void *value;
} KORVU_CADES_SIGNERATTRIBUTEITEM;

KORVU_API KORVU_CADES_SIGNERATTRIBUTEITEM *korvu_signerattributeitem_newattr(const KORVU_ASN1_LIST *attributes);
KORVU_API KORVU_CADES_SIGNERATTRIBUTEITEM *korvu_signerattributeitem_newattrcert(const struct korvu_ac_cert_st *ac);
KORVU_API uint32_t korvu_signerattributeitem_gettype(const KORVU_CADES_SIGNERATTRIBUTEITEM *i);
KORVU_API KORVU_ASN1_LIST *korvu_signerattributeitem_getattr(const KORVU_CADES_SIGNERATTRIBUTEITEM *i);
KORVU_API struct korvu_ac_cert_st *korvu_signerattributeitem_getattrcert(const KORVU_CADES_SIGNERATTRIBUTEITEM *i);

/* ---- ContentReference (263), ContentHints (264) -------------------------------------------------------- */
typedef struct korvu_ess_contentreference_st {
  KORVU_ASN1_OID *contentType;
  KORVU_ASN1_OCTETSTRING *signedContentIdentifier;
  KORVU_ASN1_OCTETSTRING *originatorSignatureValue;
} KORVU_ESS_CONTENTREFERENCE;

typedef struct korvu_ess_contenthints_st {
  KORVU_ASN1_STRING *contentDescription; /* UTF8String */
  KORVU_ASN1_OID *contentType;
} KORVU_ESS_CONTENTHINTS;

KORVU_API KORVU_ESS_CONTENTREFERENCE *korvu_contentreference_new(const KORVU_ASN1_OID *content_type,
                                                                const KORVU_ASN1_OCTETSTRING *content_id,
                                                                const KORVU_ASN1_OCTETSTRING *signature_value);
KORVU_API KORVU_ASN1_OID *korvu_contentreference_getcontenttype(const KORVU_ESS_CONTENTREFERENCE *r);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_contentreference_getsigncontentid(const KORVU_ESS_CONTENTREFERENCE *r);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_contentreference_getsignvalue(const KORVU_ESS_CONTENTREFERENCE *r);
KORVU_API KORVU_ESS_CONTENTHINTS *korvu_contenthints_new(const KORVU_ASN1_STRING *description,
                                                        const KORVU_ASN1_OID *content_type);
KORVU_API KORVU_ASN1_STRING *korvu_contenthints_getdecription(const KORVU_ESS_CONTENTHINTS *h);
KORVU_API KORVU_ASN1_OID *korvu_contenthints_gettype(const KORVU_ESS_CONTENTHINTS *h);

/* ---- PoeValue (275: 0 timeStampToken [0] ContentInfo, 1 evidenceRecord [1] EvidenceRecord, both EXPLICIT),
 * LongTermValidation (276). extraCertificates [0] IMPLICIT CertificateSet (of KORVU_CMS_CERTCHOICE),
 * extraRevocation [1] IMPLICIT RevocationInfoChoices (of KORVU_CMS_REVINFOCHOICE). A [0] or [1] right after
 * poeDate is the poeValue when it holds a SEQUENCE starting with an OBJECT IDENTIFIER ([0]) or an INTEGER
 * ([1]), and one of the sets otherwise. */
typedef struct korvu_cades_poevalue_st {
  uint32_t choice;
  void *value;
} KORVU_CADES_POEVALUE;

typedef struct korvu_cades_longtermvalidation_st {
  KORVU_ASN1_TIME *poeDate;
  KORVU_CADES_POEVALUE *poeValue;
  KORVU_ASN1_LIST *extraCertificates;
  KORVU_ASN1_LIST *extraRevocation;
} KORVU_CADES_LONGTERMVALIDATION;

KORVU_API KORVU_CADES_POEVALUE *korvu_poevalue_newtimestamp(const struct korvu_pkcs7_contentinfo_st *token);
KORVU_API KORVU_CADES_POEVALUE *korvu_poevalue_newevidencerecord(const struct korvu_ers_evidencerecord_st *er);
KORVU_API uint32_t korvu_poevalue_gettype(const KORVU_CADES_POEVALUE *p);
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_poevalue_gettimestamp(const KORVU_CADES_POEVALUE *p);
KORVU_API struct korvu_ers_evidencerecord_st *korvu_poevalue_getevidencerecord(const KORVU_CADES_POEVALUE *p);
KORVU_API KORVU_CADES_LONGTERMVALIDATION *korvu_longtermvalidation_new(const KORVU_ASN1_TIME *poe_date,
                                                                      const KORVU_CADES_POEVALUE *poe_value,
                                                                      const KORVU_ASN1_LIST *extra_certs,
                                                                      const KORVU_ASN1_LIST *extra_revocation);
KORVU_API KORVU_ASN1_TIME *korvu_longtermvalidation_getpoedate(const KORVU_CADES_LONGTERMVALIDATION *l);
KORVU_API KORVU_CADES_POEVALUE *korvu_longtermvalidation_getpoevalue(const KORVU_CADES_LONGTERMVALIDATION *l);
KORVU_API KORVU_ASN1_LIST *korvu_longtermvalidation_getextracerts(const KORVU_CADES_LONGTERMVALIDATION *l);
KORVU_API KORVU_ASN1_LIST *korvu_longtermvalidation_getextrarevocation(const KORVU_CADES_LONGTERMVALIDATION *l);

/* ---- PDF revocation archive: OtherRevInfo (294), OtherRevInfos (295), CRLs (296, of KORVU_X509_CRL), OCSP
 * responses (297, of KORVU_OCSP_OCSPRESPONSE), RevocationInfoArchival (298: [0] [1] [2] EXPLICIT). */
typedef struct korvu_adobe_otherrevinfo_st {
  KORVU_ASN1_OID *type;
  KORVU_ASN1_OCTETSTRING *value;
} KORVU_ADOBE_OTHERREVINFO;

typedef struct korvu_adobe_revinfoarchival_st {
  KORVU_ASN1_LIST *crl;
  KORVU_ASN1_LIST *ocsp;
  KORVU_ASN1_LIST *otherRevInfo;
} KORVU_ADOBE_REVOCATIONINFOARCHIVAL;

KORVU_API KORVU_ADOBE_OTHERREVINFO *korvu_adobe_otherrevinfo_new(const KORVU_ASN1_OID *type,
                                                                const KORVU_ASN1_OCTETSTRING *value);
KORVU_API KORVU_ASN1_OID *korvu_adobe_otherrevinfo_gettype(const KORVU_ADOBE_OTHERREVINFO *o);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_adobe_otherrevinfo_getvalue(const KORVU_ADOBE_OTHERREVINFO *o);
KORVU_API KORVU_ADOBE_REVOCATIONINFOARCHIVAL *korvu_adobe_revocationinfoarchival_new(
    const KORVU_ASN1_LIST *crls, const KORVU_ASN1_LIST *ocsps, const KORVU_ASN1_LIST *others);
KORVU_API KORVU_ASN1_LIST *korvu_adobe_revocationinfoarchival_getcrl(const KORVU_ADOBE_REVOCATIONINFOARCHIVAL *a);
KORVU_API KORVU_ASN1_LIST *korvu_adobe_revocationinfoarchival_getocsp(const KORVU_ADOBE_REVOCATIONINFOARCHIVAL *a);
KORVU_API KORVU_ASN1_LIST *korvu_adobe_revocationinfoarchival_getotherrevinfo(
    const KORVU_ADOBE_REVOCATIONINFOARCHIVAL *a);

/* ---- Signer attributes V2: OtherAttributeCertificate (303), CertifiedAttributesV2 item (304: 0
 * attributeCertificate [0], 1 otherAttributeCertificate [1], both EXPLICIT), CertifiedAttributesV2 (305),
 * SignedAssertion (306), SignedAssertions (307), SignerAttributeV2 (308: [0] [1] [2] EXPLICIT). */
typedef struct korvu_cades_oidany_st {
  KORVU_ASN1_OID *id;
  KORVU_ASN1_ANY *value;
} KORVU_CADES_OTHERATTRIBUTECERTIFICATE;
typedef KORVU_CADES_OTHERATTRIBUTECERTIFICATE KORVU_CADES_SIGNEDASSERTION;

typedef struct korvu_cades_certattrv2item_st {
  uint32_t choice;
  void *value;
} KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM;

typedef struct korvu_cades_signerattrv2_st {
  KORVU_ASN1_LIST *claimedAttributes;     /* of KORVU_X500_ATTRIBUTE */
  KORVU_ASN1_LIST *certifiedAttributesV2; /* of KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM */
  KORVU_ASN1_LIST *signedAssertions;      /* of KORVU_CADES_SIGNEDASSERTION */
} KORVU_CADES_SIGNERATTRIBUTEV2;

KORVU_API KORVU_CADES_OTHERATTRIBUTECERTIFICATE *korvu_cadesotherattributecertificate_new(
    const KORVU_ASN1_OID *id, const KORVU_ASN1_ANY *cert);
KORVU_API KORVU_ASN1_OID *korvu_cadesotherattributecertificate_getotherattrcertid(
    const KORVU_CADES_OTHERATTRIBUTECERTIFICATE *o);
KORVU_API KORVU_ASN1_ANY *korvu_cadesotherattributecertificate_getotherattrcert(
    const KORVU_CADES_OTHERATTRIBUTECERTIFICATE *o);
KORVU_API KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *korvu_cadescertifiedattributesv2item_newattrcert(
    const struct korvu_ac_cert_st *ac);
KORVU_API KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *korvu_cadescertifiedattributesv2item_newotherattrcert(
    const KORVU_CADES_OTHERATTRIBUTECERTIFICATE *other);
KORVU_API uint32_t korvu_cadescertifiedattributesv2item_gettype(const KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *i);
KORVU_API struct korvu_ac_cert_st *korvu_cadescertifiedattributesv2item_getattrcert(
    const KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *i);
KORVU_API KORVU_CADES_OTHERATTRIBUTECERTIFICATE *korvu_cadescertifiedattributesv2item_getotherattrcert(
    const KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *i);
KORVU_API KORVU_CADES_SIGNEDASSERTION *korvu_cadessignedassertion_new(const KORVU_ASN1_OID *id,
                                                                     const KORVU_ASN1_ANY *assertion);
KORVU_API KORVU_ASN1_OID *korvu_cadessignedassertion_getsignedassertionid(const KORVU_CADES_SIGNEDASSERTION *a);
KORVU_API KORVU_ASN1_ANY *korvu_cadessignedassertion_getsignedassertion(const KORVU_CADES_SIGNEDASSERTION *a);
KORVU_API KORVU_CADES_SIGNERATTRIBUTEV2 *korvu_cadessignerattributev2_new(const KORVU_ASN1_LIST *claimed,
                                                                         const KORVU_ASN1_LIST *certified,
                                                                         const KORVU_ASN1_LIST *assertions);
KORVU_API KORVU_ASN1_LIST *korvu_cadessignerattributev2_getclaimedattributes(const KORVU_CADES_SIGNERATTRIBUTEV2 *s);
KORVU_API KORVU_ASN1_LIST *korvu_cadessignerattributev2_getcertifiedattributesv2(
    const KORVU_CADES_SIGNERATTRIBUTEV2 *s);
KORVU_API KORVU_ASN1_LIST *korvu_cadessignerattributev2_getsignedassertions(const KORVU_CADES_SIGNERATTRIBUTEV2 *s);

/* ---- Signature policy store: SPDocSpecification (309: 0 oid, 1 uri IA5String), SignaturePolicyDocument
 * (310: 0 sigPolicyEncoded OCTET STRING, 1 sigPolicyLocalURI IA5String), SignaturePolicyStore (311). */
typedef struct korvu_cades_choice_st {
  uint32_t choice;
  void *value;
} KORVU_CADES_SPDOCSPECIFICATION;
typedef KORVU_CADES_SPDOCSPECIFICATION KORVU_CADES_SIGNATUREPOLICYDOCUMENT;

typedef struct korvu_cades_sigpolicystore_st {
  KORVU_CADES_SPDOCSPECIFICATION *spDocSpec;
  KORVU_CADES_SIGNATUREPOLICYDOCUMENT *spDocument;
} KORVU_CADES_SIGNATUREPOLICYSTORE;

KORVU_API KORVU_CADES_SPDOCSPECIFICATION *korvu_cadesspdocspecification_newoid(const KORVU_ASN1_OID *oid);
KORVU_API KORVU_CADES_SPDOCSPECIFICATION *korvu_cadesspdocspecification_newuri(const KORVU_ASN1_STRING *uri);
KORVU_API uint32_t korvu_cadesspdocspecification_gettype(const KORVU_CADES_SPDOCSPECIFICATION *s);
KORVU_API KORVU_ASN1_OID *korvu_cadesspdocspecification_getoid(const KORVU_CADES_SPDOCSPECIFICATION *s);
KORVU_API KORVU_ASN1_STRING *korvu_cadesspdocspecification_geturi(const KORVU_CADES_SPDOCSPECIFICATION *s);
KORVU_API KORVU_CADES_SIGNATUREPOLICYDOCUMENT *korvu_cadessignaturepolicydocument_newencoded(
    const KORVU_ASN1_OCTETSTRING *encoded);
KORVU_API KORVU_CADES_SIGNATUREPOLICYDOCUMENT *korvu_cadessignaturepolicydocument_newlocaluri(
    const KORVU_ASN1_STRING *uri);
KORVU_API uint32_t korvu_cadessignaturepolicydocument_gettype(const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *d);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_cadessignaturepolicydocument_getencoded(
    const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *d);
KORVU_API KORVU_ASN1_STRING *korvu_cadessignaturepolicydocument_getlocaluri(
    const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *d);
KORVU_API KORVU_CADES_SIGNATUREPOLICYSTORE *korvu_cadessignaturepolicystore_new(
    const KORVU_CADES_SPDOCSPECIFICATION *spec, const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *doc);
KORVU_API KORVU_CADES_SPDOCSPECIFICATION *korvu_cadessignaturepolicystore_getdocspec(
    const KORVU_CADES_SIGNATUREPOLICYSTORE *s);
KORVU_API KORVU_CADES_SIGNATUREPOLICYDOCUMENT *korvu_cadessignaturepolicystore_getdoc(
    const KORVU_CADES_SIGNATUREPOLICYSTORE *s);

/* ---- CMSAlgorithmProtection (401): signatureAlgorithm [1] and macAlgorithm [2] IMPLICIT --------------- */
typedef struct korvu_cms_algprotection_st {
  struct korvu_x509_algid_st *digestAlgorithm;
  struct korvu_x509_algid_st *signatureAlgorithm;
  struct korvu_x509_algid_st *macAlgorithm;
} KORVU_CMS_ALGORITHMPROTECTION;

KORVU_API KORVU_CMS_ALGORITHMPROTECTION *korvu_cmsalgorithmprotection_newsign(
    const struct korvu_x509_algid_st *digest, const struct korvu_x509_algid_st *signature);
KORVU_API KORVU_CMS_ALGORITHMPROTECTION *korvu_cmsalgorithmprotection_newmac(const struct korvu_x509_algid_st *digest,
                                                                           const struct korvu_x509_algid_st *mac);
KORVU_API struct korvu_x509_algid_st *korvu_cmsalgorithmprotection_getdigestalgorithm(
    const KORVU_CMS_ALGORITHMPROTECTION *p);
KORVU_API struct korvu_x509_algid_st *korvu_cmsalgorithmprotection_getsignaturealgorithm(
    const KORVU_CMS_ALGORITHMPROTECTION *p);
KORVU_API struct korvu_x509_algid_st *korvu_cmsalgorithmprotection_getmacalgorithm(
    const KORVU_CMS_ALGORITHMPROTECTION *p);

#ifdef __cplusplus
}
#endif
#endif
