/** @file
 * KORVU ASN.1: Server-based Certificate Validation Protocol messages (RFC 5055): CVRequest, CVResponse,
 * ValPolRequest, ValPolResponse and their components. Included by korvu/asn1.h.
 *
 * An OPTIONAL component is a null pointer when absent; an absent DEFAULT component holds its default value. A
 * CHOICE is { uint32_t choice; void *value; } with the choice numbers given beside it. Lists are KORVU_ASN1_LIST
 * values of the element records named beside them. Every constructor copies its arguments and returns null when a
 * required one is null or a copy fails. Certificates, attribute certificates and CRLs written under an IMPLICIT
 * tag keep the octets they were read from. SCVPResponses (389) has no operations in this library. */
#ifndef KORVU_SCVP_H
#define KORVU_SCVP_H
#include "korvu/asn1.h"
#include "korvu/x509_cert.h"
#ifdef __cplusplus
extern "C" {
#endif

struct korvu_ac_cert_st;          /* KORVU_AC_CERT, korvu/x509_attrcert.h */
struct korvu_x509_crl_st;        /* KORVU_X509_CRL, korvu/x509_crl.h */
struct korvu_ocsp_ocspresponse_st; /* KORVU_OCSP_OCSPRESPONSE, korvu/ocsp.h */

/* ---- SCVPIssuerSerial (356), SCVPCertID (357) ------------------------------ */
/** The record of SCVPIssuerSerial (356). */
typedef struct korvu_scvp_issuerserial_st {
  KORVU_ASN1_LIST *issuer; /**< GeneralNames: of KORVU_X509_GENERALNAME */
  KORVU_ASN1_INTEGER *serialNumber; /**< INTEGER (2) */
} KORVU_SCVP_ISSUERSERIAL;

/** The record of SCVPCertID (357). */
typedef struct korvu_scvp_certid_st {
  KORVU_ASN1_OCTETSTRING *certHash; /**< OCTET STRING (4) */
  KORVU_SCVP_ISSUERSERIAL *issuerSerial; /**< SCVPIssuerSerial (356) */
  KORVU_X509_ALGID *hashAlgorithm; /**< DEFAULT SHA-1 (1.3.14.3.2.26 without parameters) */
} KORVU_SCVP_CERTID;

/** A new SCVPIssuerSerial (356) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_SCVP_ISSUERSERIAL *korvu_scvpissuerserial_new(const KORVU_ASN1_LIST *issuer,
                                                              const KORVU_ASN1_INTEGER *serial_number);
/** The record's `issuer` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpissuerserial_getissuer(const KORVU_SCVP_ISSUERSERIAL *is);
/** The record's `serialNumber` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpissuerserial_getserial(const KORVU_SCVP_ISSUERSERIAL *is);

/** A new SCVPCertID (357) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null hash_algorithm gives SHA-1. */
KORVU_API KORVU_SCVP_CERTID *korvu_scvpcertid_new(const KORVU_ASN1_OCTETSTRING *cert_hash,
                                                  const KORVU_SCVP_ISSUERSERIAL *issuer_serial,
                                                  const KORVU_X509_ALGID *hash_algorithm);
/** The record's `certHash` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_scvpcertid_getcerthash(const KORVU_SCVP_CERTID *id);
/** The record's `issuerSerial` (not a copy), null for a null record. */
KORVU_API KORVU_SCVP_ISSUERSERIAL *korvu_scvpcertid_getissuerserial(const KORVU_SCVP_CERTID *id);
/** The record's `hashAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_scvpcertid_gethashalgorithm(const KORVU_SCVP_CERTID *id);

/* ---- the reference CHOICEs -------------------------------------------------- */
/** PKCReference (358): 0 cert [0] Certificate (KORVU_X509_CERT), 1 pkcRef [1] SCVPCertID. */
typedef struct korvu_scvp_pkcreference_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_SCVP_PKCREFERENCE;
/** ACReference (359): 2 attrCert [2] AttributeCertificate (KORVU_AC_CERT), 3 acRef [3] SCVPCertID. */
typedef struct korvu_scvp_acreference_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_SCVP_ACREFERENCE;
/** CertReference (360): 1 pkc PKCReference, 2 ac ACReference (untagged). */
typedef struct korvu_scvp_certreference_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_SCVP_CERTREFERENCE;
/** CertReferences (363): 0 pkcRefs [0] (361: of KORVU_SCVP_PKCREFERENCE), 1 acRefs [1] (362: of
 * KORVU_SCVP_ACREFERENCE). */
typedef struct korvu_scvp_certreferences_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_SCVP_CERTREFERENCES;

/** A new PKCReference (358) holding a copy of the argument as alternative 0; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_SCVP_PKCREFERENCE *korvu_scvppkcreference_new_cert(const KORVU_X509_CERT *cert);
/** A new PKCReference (358) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_SCVP_PKCREFERENCE *korvu_scvppkcreference_new_pkcref(const KORVU_SCVP_CERTID *pkc_ref);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_scvppkcreference_gettype(const KORVU_SCVP_PKCREFERENCE *ref);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_X509_CERT *korvu_scvppkcreference_getcert(const KORVU_SCVP_PKCREFERENCE *ref);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SCVP_CERTID *korvu_scvppkcreference_getpkcref(const KORVU_SCVP_PKCREFERENCE *ref);

/** A new ACReference (359) holding a copy of the argument as alternative 2; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_SCVP_ACREFERENCE *korvu_scvpacreference_new_attrcert(const struct korvu_ac_cert_st *attr_cert);
/** A new ACReference (359) holding a copy of the argument as alternative 3; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_SCVP_ACREFERENCE *korvu_scvpacreference_new_acref(const KORVU_SCVP_CERTID *ac_ref);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_scvpacreference_gettype(const KORVU_SCVP_ACREFERENCE *ref);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_ac_cert_st *korvu_scvpacreference_getattrcert(const KORVU_SCVP_ACREFERENCE *ref);
/** The value of alternative 3 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SCVP_CERTID *korvu_scvpacreference_getacref(const KORVU_SCVP_ACREFERENCE *ref);

/** A new CertReference (360) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_SCVP_CERTREFERENCE *korvu_scvpcertreference_new_pkc(const KORVU_SCVP_PKCREFERENCE *pkc);
/** A new CertReference (360) holding a copy of the argument as alternative 2; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_SCVP_CERTREFERENCE *korvu_scvpcertreference_new_ac(const KORVU_SCVP_ACREFERENCE *ac);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_scvpcertreference_gettype(const KORVU_SCVP_CERTREFERENCE *ref);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SCVP_PKCREFERENCE *korvu_scvpcertreference_getpkc(const KORVU_SCVP_CERTREFERENCE *ref);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SCVP_ACREFERENCE *korvu_scvpcertreference_getac(const KORVU_SCVP_CERTREFERENCE *ref);

/** A new CertReferences (363) holding a copy of the argument as alternative 0; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_SCVP_CERTREFERENCES *korvu_scvpcertreferences_new_pkcrefs(const KORVU_ASN1_LIST *pkc_refs);
/** A new CertReferences (363) holding a copy of the argument as alternative 1; null for a null argument or when
 * the copy fails. Builds a CertReferences (363) holding acRefs, despite its family name. */
KORVU_API KORVU_SCVP_CERTREFERENCES *korvu_scvpcertreference_new_acrefs(const KORVU_ASN1_LIST *ac_refs);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_scvpcertreferences_gettype(const KORVU_SCVP_CERTREFERENCES *refs);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcertreferences_getpkcrefs(const KORVU_SCVP_CERTREFERENCES *refs);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcertreferences_getacrefs(const KORVU_SCVP_CERTREFERENCES *refs);

/* ---- ValidationPolRef (366), ValidationAlg (367), NameValidationAlgParms (368) */
/** The record of ValidationPolRef (366). */
typedef struct korvu_scvp_validationpolref_st {
  KORVU_ASN1_OID *valPolId;     /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *valPolParams; /**< null when absent */
} KORVU_SCVP_VALIDATIONPOLREF;
/** The record of ValidationAlg (367). */
typedef struct korvu_scvp_validationalg_st {
  KORVU_ASN1_OID *valAlgId;   /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *parameters; /**< null when absent */
} KORVU_SCVP_VALIDATIONALG;
/** The record of NameValidationAlgParms (368). */
typedef struct korvu_scvp_namevalidationalgparms_st {
  KORVU_ASN1_OID *nameCompAlgId;    /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_LIST *validationNames; /**< GeneralNames */
} KORVU_SCVP_NAMEVALIDATIONALGPARMS;

/** A new ValidationPolRef (366) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_SCVP_VALIDATIONPOLREF *korvu_scvpvalidationpolref_new(const KORVU_ASN1_OID *val_pol_id,
                                                                      const KORVU_ASN1_ANY *val_pol_params);
/** The record's `valPolId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_scvpvalidationpolref_getvalpolid(const KORVU_SCVP_VALIDATIONPOLREF *ref);
/** The record's `valPolParams` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_scvpvalidationpolref_getvalpolparams(const KORVU_SCVP_VALIDATIONPOLREF *ref);
/** 1 when the record's `valPolParams` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolref_hasvalpolparams(const KORVU_SCVP_VALIDATIONPOLREF *ref);

/** A new ValidationAlg (367) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SCVP_VALIDATIONALG *korvu_scvpvalidationalg_new(const KORVU_ASN1_OID *val_alg_id,
                                                                const KORVU_ASN1_ANY *parameters);
/** The record's `valAlgId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_scvpvalidationalg_getvalalgid(const KORVU_SCVP_VALIDATIONALG *alg);
/** The record's `parameters` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_scvpvalidationalg_getparameters(const KORVU_SCVP_VALIDATIONALG *alg);
/** 1 when the record's `parameters` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationalg_hasparameters(const KORVU_SCVP_VALIDATIONALG *alg);

/** A new NameValidationAlgParms (368) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_SCVP_NAMEVALIDATIONALGPARMS *korvu_scvpnamevalidationalgparms_new(
    const KORVU_ASN1_OID *name_comp_alg_id, const KORVU_ASN1_LIST *validation_names);
/** The record's `nameCompAlgId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_scvpnamevalidationalgparms_getnamecompalgid(
    const KORVU_SCVP_NAMEVALIDATIONALGPARMS *p);
/** The record's `validationNames` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpnamevalidationalgparms_getvalidationnames(
    const KORVU_SCVP_NAMEVALIDATIONALGPARMS *p);

/* ---- ResponseFlags (369) ---------------------------------------------------- */
/** The record of ResponseFlags (369). */
typedef struct korvu_scvp_responseflags_st {
  KORVU_ASN1_BOOLEAN *fullRequestInResponse;      /**< [0] DEFAULT FALSE */
  KORVU_ASN1_BOOLEAN *responseValidationPolByRef; /**< [1] DEFAULT TRUE */
  KORVU_ASN1_BOOLEAN *protectResponse;            /**< [2] DEFAULT TRUE */
  KORVU_ASN1_BOOLEAN *cachedResponse;             /**< [3] DEFAULT TRUE */
} KORVU_SCVP_RESPONSEFLAGS;

/** A new ResponseFlags (369) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SCVP_RESPONSEFLAGS *korvu_scvpresponseflags_new(const KORVU_ASN1_BOOLEAN *full_request_in_response,
                                                                const KORVU_ASN1_BOOLEAN *response_validation_pol_by_ref,
                                                                const KORVU_ASN1_BOOLEAN *protect_response,
                                                                const KORVU_ASN1_BOOLEAN *cached_response);
/** The record's `fullRequestInResponse` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_scvpresponseflags_getfullrequestinresponse(const KORVU_SCVP_RESPONSEFLAGS *f);
/** The record's `responseValidationPolByRef` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_scvpresponseflags_getresponsevalidationpolbyref(
    const KORVU_SCVP_RESPONSEFLAGS *f);
/** The record's `protectResponse` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_scvpresponseflags_getprotectresponse(const KORVU_SCVP_RESPONSEFLAGS *f);
/** The record's `cachedResponse` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_scvpresponseflags_getcachedresponse(const KORVU_SCVP_RESPONSEFLAGS *f);

/* ---- OtherRevInfo (370), RevocationInfo (371), RevInfoWantBack (420) --------- */
/** The record of OtherRevInfo (370). */
typedef struct korvu_scvp_otherrevinfo_st {
  KORVU_ASN1_OID *riType; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *riValue; /**< ANY (23) */
} KORVU_SCVP_OTHERREVINFO;
/** RevocationInfo: 0 crl [0] and 1 delta-crl [1] CertificateList (KORVU_X509_CRL), 2 ocsp [2] OCSPResponse, 3 other
 * [3] OtherRevInfo. RevocationInfos (372) is a list of them. */
typedef struct korvu_scvp_revocationinfo_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_SCVP_REVOCATIONINFO;
/** The record of RevInfoWantBack (420). */
typedef struct korvu_scvp_revinfowantback_st {
  KORVU_ASN1_LIST *revocationInfo; /**< RevocationInfos */
  KORVU_ASN1_LIST *extraCerts;     /**< CertBundle (378: of KORVU_X509_CERT), null when absent */
} KORVU_SCVP_REVINFOWANTBACK;

/** A new OtherRevInfo (370) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SCVP_OTHERREVINFO *korvu_scvpotherrevinfo_new(const KORVU_ASN1_OID *ri_type,
                                                              const KORVU_ASN1_ANY *ri_value);
/** The record's `riType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_scvpotherrevinfo_getritype(const KORVU_SCVP_OTHERREVINFO *o);
/** The record's `riValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_scvpotherrevinfo_getrivalue(const KORVU_SCVP_OTHERREVINFO *o);

/** A new RevocationInfo (371) holding a copy of the argument as alternative 0; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_SCVP_REVOCATIONINFO *korvu_scvprevocationinfo_new_crl(const struct korvu_x509_crl_st *crl);
/** A new RevocationInfo (371) holding a copy of the argument as alternative 1; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_SCVP_REVOCATIONINFO *korvu_scvprevocationinfo_new_deltacrl(const struct korvu_x509_crl_st *crl);
/** A new RevocationInfo (371) holding a copy of the argument as alternative 2; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_SCVP_REVOCATIONINFO *korvu_scvprevocationinfo_new_ocsp(
    const struct korvu_ocsp_ocspresponse_st *ocsp);
/** A new RevocationInfo (371) holding a copy of the argument as alternative 3; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_SCVP_REVOCATIONINFO *korvu_scvprevocationinfo_new_other(const KORVU_SCVP_OTHERREVINFO *other);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_scvprevocationinfo_gettype(const KORVU_SCVP_REVOCATIONINFO *ri);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_x509_crl_st *korvu_scvprevocationinfo_getcrl(const KORVU_SCVP_REVOCATIONINFO *ri);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_x509_crl_st *korvu_scvprevocationinfo_getdeltacrl(const KORVU_SCVP_REVOCATIONINFO *ri);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_ocsp_ocspresponse_st *korvu_scvprevocationinfo_getocsp(const KORVU_SCVP_REVOCATIONINFO *ri);
/** The value of alternative 3 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SCVP_OTHERREVINFO *korvu_scvprevocationinfo_getother(const KORVU_SCVP_REVOCATIONINFO *ri);

/** A new RevInfoWantBack (420) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SCVP_REVINFOWANTBACK *korvu_scvprevinfowantback_new(const KORVU_ASN1_LIST *revocation_info,
                                                                    const KORVU_ASN1_LIST *extra_certs);
/** The record's `revocationInfo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvprevinfowantback_getrevocationinfo(const KORVU_SCVP_REVINFOWANTBACK *w);
/** The record's `extraCerts` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvprevinfowantback_getextracerts(const KORVU_SCVP_REVINFOWANTBACK *w);
/** 1 when the record's `extraCerts` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvprevinfowantback_hasextracerts(const KORVU_SCVP_REVINFOWANTBACK *w);

/* ---- ValidationPolicy (377) --------------------------------------------------- */
/** The record of ValidationPolicy (377). */
typedef struct korvu_scvp_validationpolicy_st {
  KORVU_SCVP_VALIDATIONPOLREF *validationPolRef; /**< ValidationPolRef (366) */
  KORVU_SCVP_VALIDATIONALG *validationAlg;   /**< [0] */
  KORVU_ASN1_LIST *userPolicySet;            /**< [1] UserPolicySet (373: of KORVU_ASN1_OID) */
  KORVU_ASN1_BOOLEAN *inhibitPolicyMapping;  /**< [2] */
  KORVU_ASN1_BOOLEAN *requireExplicitPolicy; /**< [3] */
  KORVU_ASN1_BOOLEAN *inhibitAnyPolicy;      /**< [4] */
  KORVU_ASN1_LIST *trustAnchors;             /**< [5] TrustAnchors (374: of KORVU_SCVP_PKCREFERENCE) */
  KORVU_ASN1_LIST *keyUsages;                /**< [6] KeyUsages (375: of KORVU_ASN1_BITSTRING) */
  KORVU_ASN1_LIST *extendedKeyUsages;        /**< [7] ExtendedKeyUsages (376: of KORVU_ASN1_OID) */
  KORVU_ASN1_LIST *specifiedKeyUsages;       /**< [8] ExtendedKeyUsages */
} KORVU_SCVP_VALIDATIONPOLICY;

/** A new ValidationPolicy (377) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_SCVP_VALIDATIONPOLICY *korvu_scvpvalidationpolicy_new(
    const KORVU_SCVP_VALIDATIONPOLREF *validation_pol_ref, const KORVU_SCVP_VALIDATIONALG *validation_alg,
    const KORVU_ASN1_LIST *user_policy_set, const KORVU_ASN1_BOOLEAN *inhibit_policy_mapping,
    const KORVU_ASN1_BOOLEAN *require_explicit_policy, const KORVU_ASN1_BOOLEAN *inhibit_any_policy,
    const KORVU_ASN1_LIST *trust_anchors, const KORVU_ASN1_LIST *key_usages,
    const KORVU_ASN1_LIST *extended_key_usages, const KORVU_ASN1_LIST *specified_key_usages);
/** The record's `validationPolRef` (not a copy), null for a null record. */
KORVU_API KORVU_SCVP_VALIDATIONPOLREF *korvu_scvpvalidationpolicy_getvalidationpolref(
    const KORVU_SCVP_VALIDATIONPOLICY *p);
/** The record's `validationAlg` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_SCVP_VALIDATIONALG *korvu_scvpvalidationpolicy_getvalidationalg(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** The record's `userPolicySet` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalidationpolicy_getuserpolicyset(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** The record's `inhibitPolicyMapping` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_scvpvalidationpolicy_getinhibitpolicymapping(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** The record's `requireExplicitPolicy` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_scvpvalidationpolicy_getrequireexplicitpolicy(
    const KORVU_SCVP_VALIDATIONPOLICY *p);
/** The record's `inhibitAnyPolicy` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_scvpvalidationpolicy_getinhibitanypolicy(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** The record's `trustAnchors` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalidationpolicy_gettrustanchors(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** The record's `keyUsages` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalidationpolicy_getkeyusages(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** The record's `extendedKeyUsages` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalidationpolicy_getextendedkeyusages(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** The record's `specifiedKeyUsages` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalidationpolicy_getspecifiedkeyusages(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** 1 when the record's `validationAlg` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolicy_hasvalidationalg(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** 1 when the record's `userPolicySet` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolicy_hasuserpolicyset(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** 1 when the record's `inhibitPolicyMapping` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolicy_hasinhibitpolicymapping(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** 1 when the record's `requireExplicitPolicy` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolicy_hasrequireexplicitpolicy(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** 1 when the record's `inhibitAnyPolicy` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolicy_hasinhibitanypolicy(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** 1 when the record's `trustAnchors` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolicy_hastrustanchors(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** 1 when the record's `keyUsages` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolicy_haskeyusages(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** 1 when the record's `extendedKeyUsages` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolicy_hasextendedkeyusages(const KORVU_SCVP_VALIDATIONPOLICY *p);
/** 1 when the record's `specifiedKeyUsages` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalidationpolicy_hasspecifiedkeyusages(const KORVU_SCVP_VALIDATIONPOLICY *p);

/* ---- Query (379), CVRequest (380) --------------------------------------------- */
/** The record of Query (379). */
typedef struct korvu_scvp_query_st {
  KORVU_SCVP_CERTREFERENCES *queriedCerts;   /**< CertReferences (363) */
  KORVU_ASN1_LIST *checks;   /**< CertChecks (364: of KORVU_ASN1_OID) */
  KORVU_ASN1_LIST *wantBack; /**< [1] WantBack (365: of KORVU_ASN1_OID) */
  KORVU_SCVP_VALIDATIONPOLICY *validationPolicy; /**< ValidationPolicy (377) */
  KORVU_SCVP_RESPONSEFLAGS *responseFlags;   /**< ResponseFlags (369), OPTIONAL: null when absent */
  KORVU_ASN1_OCTETSTRING *serverContextInfo; /**< [2] */
  KORVU_ASN1_TIME *validationTime;           /**< [3] GeneralizedTime */
  KORVU_ASN1_LIST *intermediateCerts;        /**< [4] CertBundle (378: of KORVU_X509_CERT) */
  KORVU_ASN1_LIST *revInfos;                 /**< [5] RevocationInfos (372: of KORVU_SCVP_REVOCATIONINFO) */
  KORVU_ASN1_TIME *producedAt;               /**< [6] GeneralizedTime */
  KORVU_ASN1_LIST *queryExtensions;          /**< [7] Extensions */
} KORVU_SCVP_QUERY;

/** A new Query (379) of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_SCVP_QUERY *korvu_scvpquery_new(
    const KORVU_SCVP_CERTREFERENCES *queried_certs, const KORVU_ASN1_LIST *checks, const KORVU_ASN1_LIST *want_back,
    const KORVU_SCVP_VALIDATIONPOLICY *validation_policy, const KORVU_SCVP_RESPONSEFLAGS *response_flags,
    const KORVU_ASN1_OCTETSTRING *server_context_info, const KORVU_ASN1_TIME *validation_time,
    const KORVU_ASN1_LIST *intermediate_certs, const KORVU_ASN1_LIST *rev_infos, const KORVU_ASN1_TIME *produced_at,
    const KORVU_ASN1_LIST *query_extensions);
/** The record's `queriedCerts` (not a copy), null for a null record. */
KORVU_API KORVU_SCVP_CERTREFERENCES *korvu_scvpquery_getqueriedcerts(const KORVU_SCVP_QUERY *q);
/** The record's `checks` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpquery_getchecks(const KORVU_SCVP_QUERY *q);
/** The record's `wantBack` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpquery_getwantback(const KORVU_SCVP_QUERY *q);
/** The record's `validationPolicy` (not a copy), null for a null record. */
KORVU_API KORVU_SCVP_VALIDATIONPOLICY *korvu_scvpquery_getvalidationpolicy(const KORVU_SCVP_QUERY *q);
/** The record's `responseFlags` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_SCVP_RESPONSEFLAGS *korvu_scvpquery_getresponseflags(const KORVU_SCVP_QUERY *q);
/** The record's `serverContextInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_scvpquery_getservercontextinfo(const KORVU_SCVP_QUERY *q);
/** The record's `validationTime` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_scvpquery_getvalidationtime(const KORVU_SCVP_QUERY *q);
/** The record's `intermediateCerts` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpquery_getintermediatecerts(const KORVU_SCVP_QUERY *q);
/** The record's `revInfos` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpquery_getrevinfos(const KORVU_SCVP_QUERY *q);
/** The record's `producedAt` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_scvpquery_getproducedat(const KORVU_SCVP_QUERY *q);
/** The record's `queryExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpquery_getqueryextensions(const KORVU_SCVP_QUERY *q);
/** 1 when the record's `wantBack` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpquery_haswantback(const KORVU_SCVP_QUERY *q);
/** 1 when the record's `responseFlags` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpquery_hasresponseflags(const KORVU_SCVP_QUERY *q);
/** 1 when the record's `serverContextInfo` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpquery_hasservercontextinfo(const KORVU_SCVP_QUERY *q);
/** 1 when the record's `validationTime` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpquery_hasvalidationtime(const KORVU_SCVP_QUERY *q);
/** 1 when the record's `intermediateCerts` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpquery_hasintermediatecerts(const KORVU_SCVP_QUERY *q);
/** 1 when the record's `revInfos` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpquery_hasrevinfos(const KORVU_SCVP_QUERY *q);
/** 1 when the record's `producedAt` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpquery_hasproducedat(const KORVU_SCVP_QUERY *q);
/** 1 when the record's `queryExtensions` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpquery_hasqueryextensions(const KORVU_SCVP_QUERY *q);

/** The record of CVRequest (380). */
typedef struct korvu_scvp_cvrequest_st {
  KORVU_ASN1_INTEGER *cvRequestVersion; /**< DEFAULT 1 */
  KORVU_SCVP_QUERY *query;                /**< Query (379) */
  KORVU_ASN1_LIST *requestorRef;          /**< [0] GeneralNames */
  KORVU_ASN1_OCTETSTRING *requestNonce;   /**< [1] */
  KORVU_X509_GENERALNAME *requestorName;  /**< [2] EXPLICIT */
  KORVU_X509_GENERALNAME *responderName;  /**< [3] EXPLICIT */
  KORVU_ASN1_LIST *requestExtensions;     /**< [4] Extensions */
  KORVU_X509_ALGID *signatureAlg;         /**< [5] */
  KORVU_ASN1_OID *hashAlg;                /**< [6] */
  KORVU_ASN1_STRING *requestorText;       /**< [7] UTF8String */
} KORVU_SCVP_CVREQUEST;

/** A new CVRequest (380) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null cv_request_version gives 1. */
KORVU_API KORVU_SCVP_CVREQUEST *korvu_scvpcvrequest_new(
    const KORVU_ASN1_INTEGER *cv_request_version, const KORVU_SCVP_QUERY *query, const KORVU_ASN1_LIST *requestor_ref,
    const KORVU_ASN1_OCTETSTRING *request_nonce, const KORVU_X509_GENERALNAME *requestor_name,
    const KORVU_X509_GENERALNAME *responder_name, const KORVU_ASN1_LIST *request_extensions,
    const KORVU_X509_ALGID *signature_alg, const KORVU_ASN1_OID *hash_alg, const KORVU_ASN1_STRING *requestor_text);
/** The record's `cvRequestVersion` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpcvrequest_getcvrequestversion(const KORVU_SCVP_CVREQUEST *r);
/** The record's `query` (not a copy), null for a null record. */
KORVU_API KORVU_SCVP_QUERY *korvu_scvpcvrequest_getquery(const KORVU_SCVP_CVREQUEST *r);
/** The record's `requestorRef` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcvrequest_getrequestorref(const KORVU_SCVP_CVREQUEST *r);
/** The record's `requestNonce` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_scvpcvrequest_getrequestnonce(const KORVU_SCVP_CVREQUEST *r);
/** The record's `requestorName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_scvpcvrequest_getrequestorname(const KORVU_SCVP_CVREQUEST *r);
/** The record's `responderName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_scvpcvrequest_getrespondername(const KORVU_SCVP_CVREQUEST *r);
/** The record's `requestExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcvrequest_getrequestextensions(const KORVU_SCVP_CVREQUEST *r);
/** The record's `signatureAlg` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_scvpcvrequest_getsignaturealg(const KORVU_SCVP_CVREQUEST *r);
/** The record's `hashAlg` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_scvpcvrequest_gethashalg(const KORVU_SCVP_CVREQUEST *r);
/** The record's `requestorText` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_scvpcvrequest_getrequestortext(const KORVU_SCVP_CVREQUEST *r);
/** 1 when the record's `requestorRef` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvrequest_hasrequestorref(const KORVU_SCVP_CVREQUEST *r);
/** 1 when the record's `requestNonce` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvrequest_hasrequestnonce(const KORVU_SCVP_CVREQUEST *r);
/** 1 when the record's `requestorName` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvrequest_hasrequestorname(const KORVU_SCVP_CVREQUEST *r);
/** 1 when the record's `responderName` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvrequest_hasrespondername(const KORVU_SCVP_CVREQUEST *r);
/** 1 when the record's `requestExtensions` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvrequest_hasrequestextensions(const KORVU_SCVP_CVREQUEST *r);
/** 1 when the record's `signatureAlg` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvrequest_hassignaturealg(const KORVU_SCVP_CVREQUEST *r);
/** 1 when the record's `hashAlg` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvrequest_hashashalg(const KORVU_SCVP_CVREQUEST *r);
/** 1 when the record's `requestorText` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvrequest_hasrequestortext(const KORVU_SCVP_CVREQUEST *r);

/* ---- ResponseStatus (381), HashValue (382), RequestReference (383) ------------- */
/** The record of ResponseStatus (381). */
typedef struct korvu_scvp_responsestatus_st {
  KORVU_ASN1_INTEGER *statusCode;   /**< ENUMERATED DEFAULT okay (0) */
  KORVU_ASN1_STRING *errorMessage;  /**< UTF8String, null when absent */
} KORVU_SCVP_RESPONSESTATUS;
/** The record of HashValue (382). */
typedef struct korvu_scvp_hashvalue_st {
  KORVU_X509_ALGID *algorithm; /**< DEFAULT SHA-1 */
  KORVU_ASN1_OCTETSTRING *value; /**< OCTET STRING (4) */
} KORVU_SCVP_HASHVALUE;
/** RequestReference: 0 requestHash [0] HashValue, 1 fullRequest [1] CVRequest. */
typedef struct korvu_scvp_requestreference_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_SCVP_REQUESTREFERENCE;

/** A new ResponseStatus (381) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null status_code gives 0 (okay). */
KORVU_API KORVU_SCVP_RESPONSESTATUS *korvu_scvpresponsestatus_new(const KORVU_ASN1_INTEGER *status_code,
                                                                  const KORVU_ASN1_STRING *error_message);
/** The record's `statusCode` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpresponsestatus_getstatuscode(const KORVU_SCVP_RESPONSESTATUS *s);
/** The record's `errorMessage` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_scvpresponsestatus_geterrormessage(const KORVU_SCVP_RESPONSESTATUS *s);
/** 1 when the record's `errorMessage` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpresponsestatus_haserrormessage(const KORVU_SCVP_RESPONSESTATUS *s);

/** A new HashValue (382) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null algorithm gives SHA-1. */
KORVU_API KORVU_SCVP_HASHVALUE *korvu_scvphashvalue_new(const KORVU_X509_ALGID *algorithm,
                                                        const KORVU_ASN1_OCTETSTRING *value);
/** The record's `algorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_scvphashvalue_getalgorithm(const KORVU_SCVP_HASHVALUE *h);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_scvphashvalue_getvalue(const KORVU_SCVP_HASHVALUE *h);

/** A new RequestReference (383) holding a copy of the argument as alternative 0; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_SCVP_REQUESTREFERENCE *korvu_scvprequestreference_new_requesthash(const KORVU_SCVP_HASHVALUE *hash);
/** A new RequestReference (383) holding a copy of the argument as alternative 1; null for a null argument or when
 * the copy fails. */
KORVU_API KORVU_SCVP_REQUESTREFERENCE *korvu_scvprequestreference_new_fullrequest(
    const KORVU_SCVP_CVREQUEST *request);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_scvprequestreference_gettype(const KORVU_SCVP_REQUESTREFERENCE *ref);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SCVP_HASHVALUE *korvu_scvprequestreference_getrequesthash(const KORVU_SCVP_REQUESTREFERENCE *ref);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SCVP_CVREQUEST *korvu_scvprequestreference_getfullrequest(const KORVU_SCVP_REQUESTREFERENCE *ref);

/* ---- ReplyCheck (384), ReplyWantBack (386), CertReply (391) --------------------- */
/** The record of ReplyCheck (384). */
typedef struct korvu_scvp_replycheck_st {
  KORVU_ASN1_OID *check;      /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_INTEGER *status; /**< DEFAULT 0 */
} KORVU_SCVP_REPLYCHECK;
/** The record of ReplyWantBack (386). */
typedef struct korvu_scvp_replywantback_st {
  KORVU_ASN1_OID *wb; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OCTETSTRING *value; /**< OCTET STRING (4) */
} KORVU_SCVP_REPLYWANTBACK;
/** The record of CertReply (391). */
typedef struct korvu_scvp_certreply_st {
  KORVU_SCVP_CERTREFERENCE *cert;       /**< CertReference (360) */
  KORVU_ASN1_INTEGER *replyStatus; /**< ENUMERATED DEFAULT success (0) */
  KORVU_ASN1_TIME *replyValTime;        /**< GeneralizedTime (22) */
  KORVU_ASN1_LIST *replyChecks;         /**< ReplyChecks (385: of KORVU_SCVP_REPLYCHECK) */
  KORVU_ASN1_LIST *replyWantBacks;      /**< ReplyWantBacks (387: of KORVU_SCVP_REPLYWANTBACK) */
  KORVU_ASN1_LIST *validationErrors;    /**< [0] ValidationErrors (390: of KORVU_ASN1_OID) */
  KORVU_ASN1_TIME *nextUpdate;          /**< [1] GeneralizedTime */
  KORVU_ASN1_LIST *certReplyExtensions; /**< [2] Extensions */
} KORVU_SCVP_CERTREPLY;

/** A new ReplyCheck (384) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null status gives 0. */
KORVU_API KORVU_SCVP_REPLYCHECK *korvu_scvpreplycheck_new(const KORVU_ASN1_OID *check,
                                                          const KORVU_ASN1_INTEGER *status);
/** The record's `check` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_scvpreplycheck_getcheck(const KORVU_SCVP_REPLYCHECK *c);
/** The record's `status` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpreplycheck_getstatus(const KORVU_SCVP_REPLYCHECK *c);

/** A new ReplyWantBack (386) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SCVP_REPLYWANTBACK *korvu_scvpreplywantback_new(const KORVU_ASN1_OID *wb,
                                                                const KORVU_ASN1_OCTETSTRING *value);
/** The record's `wb` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_scvpreplywantback_getwb(const KORVU_SCVP_REPLYWANTBACK *w);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_scvpreplywantback_getvalue(const KORVU_SCVP_REPLYWANTBACK *w);

/** A new CertReply (391) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null reply_status gives 0. */
KORVU_API KORVU_SCVP_CERTREPLY *korvu_scvpcertreply_new(
    const KORVU_SCVP_CERTREFERENCE *cert, const KORVU_ASN1_INTEGER *reply_status, const KORVU_ASN1_TIME *reply_val_time,
    const KORVU_ASN1_LIST *reply_checks, const KORVU_ASN1_LIST *reply_want_backs,
    const KORVU_ASN1_LIST *validation_errors, const KORVU_ASN1_TIME *next_update,
    const KORVU_ASN1_LIST *cert_reply_extensions);
/** The record's `cert` (not a copy), null for a null record. */
KORVU_API KORVU_SCVP_CERTREFERENCE *korvu_scvpcertreply_getcert(const KORVU_SCVP_CERTREPLY *r);
/** The record's `replyStatus` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpcertreply_getreplystatus(const KORVU_SCVP_CERTREPLY *r);
/** The record's `replyValTime` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_scvpcertreply_getreplyvaltime(const KORVU_SCVP_CERTREPLY *r);
/** The record's `replyChecks` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcertreply_getreplychecks(const KORVU_SCVP_CERTREPLY *r);
/** The record's `replyWantBacks` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcertreply_getreplywantbacks(const KORVU_SCVP_CERTREPLY *r);
/** The record's `validationErrors` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcertreply_getvalidationerrors(const KORVU_SCVP_CERTREPLY *r);
/** The record's `nextUpdate` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_scvpcertreply_getnextupdate(const KORVU_SCVP_CERTREPLY *r);
/** The record's `certReplyExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcertreply_getcertreplyextensions(const KORVU_SCVP_CERTREPLY *r);
/** 1 when the record's `validationErrors` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcertreply_hasvalidationerrors(const KORVU_SCVP_CERTREPLY *r);
/** 1 when the record's `nextUpdate` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcertreply_hasnextupdate(const KORVU_SCVP_CERTREPLY *r);
/** 1 when the record's `certReplyExtensions` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcertreply_hascertreplyextensions(const KORVU_SCVP_CERTREPLY *r);

/* ---- CVResponse (393) -------------------------------------------------------- */
/** The record of CVResponse (393). */
typedef struct korvu_scvp_cvresponse_st {
  KORVU_ASN1_INTEGER *cvResponseVersion;             /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *serverConfigurationID;         /**< INTEGER (2) */
  KORVU_ASN1_TIME *producedAt; /**< GeneralizedTime */
  KORVU_SCVP_RESPONSESTATUS *responseStatus;         /**< ResponseStatus (381) */
  KORVU_SCVP_VALIDATIONPOLICY *respValidationPolicy; /**< [0] */
  KORVU_SCVP_REQUESTREFERENCE *requestRef;           /**< [1] EXPLICIT */
  KORVU_ASN1_LIST *requestorRef;                     /**< [2] GeneralNames */
  KORVU_ASN1_LIST *requestorName;                    /**< [3] GeneralNames */
  KORVU_ASN1_LIST *replyObjects;                     /**< [4] ReplyObjects (392: of KORVU_SCVP_CERTREPLY) */
  KORVU_ASN1_OCTETSTRING *respNonce;                 /**< [5] */
  KORVU_ASN1_OCTETSTRING *serverContextInfo;         /**< [6] */
  KORVU_ASN1_LIST *cvResponseExtensions;             /**< [7] Extensions */
  KORVU_ASN1_STRING *requestorText;                  /**< [8] UTF8String */
} KORVU_SCVP_CVRESPONSE;

/** A new CVResponse (393) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SCVP_CVRESPONSE *korvu_scvpcvresponse_new(
    const KORVU_ASN1_INTEGER *cv_response_version, const KORVU_ASN1_INTEGER *server_configuration_id,
    const KORVU_ASN1_TIME *produced_at, const KORVU_SCVP_RESPONSESTATUS *response_status,
    const KORVU_SCVP_VALIDATIONPOLICY *resp_validation_policy, const KORVU_SCVP_REQUESTREFERENCE *request_ref,
    const KORVU_ASN1_LIST *requestor_ref, const KORVU_ASN1_LIST *requestor_name, const KORVU_ASN1_LIST *reply_objects,
    const KORVU_ASN1_OCTETSTRING *resp_nonce, const KORVU_ASN1_OCTETSTRING *server_context_info,
    const KORVU_ASN1_LIST *cv_response_extensions, const KORVU_ASN1_STRING *requestor_text);
/** The record's `cvResponseVersion` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpcvresponse_getcvresponseversion(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `serverConfigurationID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpcvresponse_getserverconfigurationid(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `producedAt` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_scvpcvresponse_getproducedat(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `responseStatus` (not a copy), null for a null record. */
KORVU_API KORVU_SCVP_RESPONSESTATUS *korvu_scvpcvresponse_getresponsestatus(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `respValidationPolicy` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_SCVP_VALIDATIONPOLICY *korvu_scvpcvresponse_getrespvalidationpolicy(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `requestRef` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_SCVP_REQUESTREFERENCE *korvu_scvpcvresponse_getrequestref(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `requestorRef` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcvresponse_getrequestorref(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `requestorName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcvresponse_getrequestorname(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `replyObjects` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcvresponse_getreplyobjects(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `respNonce` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_scvpcvresponse_getrespnonce(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `serverContextInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_scvpcvresponse_getservercontextinfo(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `cvResponseExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpcvresponse_getcvresponseextensions(const KORVU_SCVP_CVRESPONSE *r);
/** The record's `requestorText` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_scvpcvresponse_getrequestortext(const KORVU_SCVP_CVRESPONSE *r);
/** 1 when the record's `respValidationPolicy` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvresponse_hasrespvalidationpolicy(const KORVU_SCVP_CVRESPONSE *r);
/** 1 when the record's `requestRef` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvresponse_hasrequestref(const KORVU_SCVP_CVRESPONSE *r);
/** 1 when the record's `requestorRef` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvresponse_hasrequestorref(const KORVU_SCVP_CVRESPONSE *r);
/** 1 when the record's `requestorName` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvresponse_hasrequestorname(const KORVU_SCVP_CVRESPONSE *r);
/** 1 when the record's `replyObjects` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvresponse_hasreplyobjects(const KORVU_SCVP_CVRESPONSE *r);
/** 1 when the record's `respNonce` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvresponse_hasrespnonce(const KORVU_SCVP_CVRESPONSE *r);
/** 1 when the record's `serverContextInfo` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvresponse_hasservercontextinfo(const KORVU_SCVP_CVRESPONSE *r);
/** 1 when the record's `cvResponseExtensions` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvresponse_hascvresponseextensions(const KORVU_SCVP_CVRESPONSE *r);
/** 1 when the record's `requestorText` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpcvresponse_hasrequestortext(const KORVU_SCVP_CVRESPONSE *r);

/* ---- ValPolRequest (394) ------------------------------------------------------- */
/** The record of ValPolRequest (394). */
typedef struct korvu_scvp_valpolrequest_st {
  KORVU_ASN1_INTEGER *vpRequestVersion; /**< DEFAULT 1 */
  KORVU_ASN1_OCTETSTRING *requestNonce; /**< OCTET STRING (4) */
} KORVU_SCVP_VALPOLREQUEST;

/** A new ValPolRequest (394) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null vp_request_version gives 1. */
KORVU_API KORVU_SCVP_VALPOLREQUEST *korvu_scvpvalpolrequest_new(const KORVU_ASN1_INTEGER *vp_request_version,
                                                                const KORVU_ASN1_OCTETSTRING *request_nonce);
/** The record's `vpRequestVersion` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpvalpolrequest_getvprequestversion(const KORVU_SCVP_VALPOLREQUEST *r);
/** The record's `requestNonce` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_scvpvalpolrequest_getrequestnonce(const KORVU_SCVP_VALPOLREQUEST *r);

/* ---- KeyAgreePublicKey (398), ValPolResponse (400) ----------------------------- */
/** The record of KeyAgreePublicKey (398). */
typedef struct korvu_scvp_keyagreepublickey_st {
  KORVU_X509_ALGID *algorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_BITSTRING *publicKey; /**< BIT STRING (3) */
  KORVU_X509_ALGID *macAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_X509_ALGID *kDF; /**< null when absent */
} KORVU_SCVP_KEYAGREEPUBLICKEY;

/** A new KeyAgreePublicKey (398) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_SCVP_KEYAGREEPUBLICKEY *korvu_scvpkeyagreepublickey_new(const KORVU_X509_ALGID *algorithm,
                                                                        const KORVU_ASN1_BITSTRING *public_key,
                                                                        const KORVU_X509_ALGID *mac_algorithm,
                                                                        const KORVU_X509_ALGID *kdf);
/** The record's `algorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_scvpkeyagreepublickey_getalgorithm(const KORVU_SCVP_KEYAGREEPUBLICKEY *k);
/** The record's `publicKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_scvpkeyagreepublickey_getpublickey(const KORVU_SCVP_KEYAGREEPUBLICKEY *k);
/** The record's `macAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_scvpkeyagreepublickey_getmacalgorithm(const KORVU_SCVP_KEYAGREEPUBLICKEY *k);
/** The record's `kDF` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_scvpkeyagreepublickey_getkdf(const KORVU_SCVP_KEYAGREEPUBLICKEY *k);
/** 1 when the record's `kDF` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpkeyagreepublickey_haskdf(const KORVU_SCVP_KEYAGREEPUBLICKEY *k);

/** The record of ValPolResponse (400). */
typedef struct korvu_scvp_valpolresponse_st {
  KORVU_ASN1_INTEGER *vpResponseVersion;        /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *maxCVRequestVersion;      /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *maxVPRequestVersion;      /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *serverConfigurationID;    /**< INTEGER (2) */
  KORVU_ASN1_TIME *thisUpdate;                  /**< GeneralizedTime */
  KORVU_ASN1_TIME *nextUpdate;                  /**< GeneralizedTime, null when absent */
  KORVU_ASN1_LIST *supportedChecks;             /**< CertChecks (364) */
  KORVU_ASN1_LIST *supportedWantBacks;          /**< WantBack (365) */
  KORVU_ASN1_LIST *validationPolicies;          /**< 395: of KORVU_ASN1_OID */
  KORVU_ASN1_LIST *validationAlgs;              /**< 395 */
  KORVU_ASN1_LIST *authPolicies;                /**< 395 */
  KORVU_ASN1_INTEGER *responseTypes;            /**< ENUMERATED */
  KORVU_SCVP_VALIDATIONPOLICY *defaultPolicyValues; /**< ValidationPolicy (377) */
  KORVU_ASN1_BITSTRING *revocationInfoTypes;    /**< BIT STRING (3) */
  KORVU_ASN1_LIST *signatureGeneration;         /**< 397: of KORVU_X509_ALGID */
  KORVU_ASN1_LIST *signatureVerification;       /**< 397 */
  KORVU_ASN1_LIST *hashAlgorithms;              /**< 396: of KORVU_ASN1_OID, at least one */
  KORVU_ASN1_LIST *serverPublicKeys;            /**< KeyAgreePublicKeys (399), null when absent */
  KORVU_ASN1_INTEGER *clockSkew;                /**< DEFAULT 10 */
  KORVU_ASN1_OCTETSTRING *requestNonce;         /**< null when absent */
} KORVU_SCVP_VALPOLRESPONSE;

/** A new ValPolResponse (400) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null clock_skew gives 10. */
KORVU_API KORVU_SCVP_VALPOLRESPONSE *korvu_scvpvalpolresponse_new(
    const KORVU_ASN1_INTEGER *vp_response_version, const KORVU_ASN1_INTEGER *max_cv_request_version,
    const KORVU_ASN1_INTEGER *max_vp_request_version, const KORVU_ASN1_INTEGER *server_configuration_id,
    const KORVU_ASN1_TIME *this_update, const KORVU_ASN1_TIME *next_update, const KORVU_ASN1_LIST *supported_checks,
    const KORVU_ASN1_LIST *supported_want_backs, const KORVU_ASN1_LIST *validation_policies,
    const KORVU_ASN1_LIST *validation_algs, const KORVU_ASN1_LIST *auth_policies,
    const KORVU_ASN1_INTEGER *response_types, const KORVU_SCVP_VALIDATIONPOLICY *default_policy_values,
    const KORVU_ASN1_BITSTRING *revocation_info_types, const KORVU_ASN1_LIST *signature_generation,
    const KORVU_ASN1_LIST *signature_verification, const KORVU_ASN1_LIST *hash_algorithms,
    const KORVU_ASN1_LIST *server_public_keys, const KORVU_ASN1_INTEGER *clock_skew,
    const KORVU_ASN1_OCTETSTRING *request_nonce);
/** The record's `vpResponseVersion` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpvalpolresponse_getvpresponseversion(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `maxCVRequestVersion` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpvalpolresponse_getmaxcvrequestversion(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `maxVPRequestVersion` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpvalpolresponse_getmaxvprequestversion(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `serverConfigurationID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpvalpolresponse_getserverconfigurationid(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `thisUpdate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_scvpvalpolresponse_getthisupdate(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `nextUpdate` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_scvpvalpolresponse_getnextupdate(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `supportedChecks` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalpolresponse_getsupportedchecks(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `supportedWantBacks` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalpolresponse_getsupportedwantbacks(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `validationPolicies` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalpolresponse_getvalidationpolicies(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `validationAlgs` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalpolresponse_getvalidationalgs(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `authPolicies` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalpolresponse_getauthpolicies(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `responseTypes` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpvalpolresponse_getresponsetypes(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `defaultPolicyValues` (not a copy), null for a null record. */
KORVU_API KORVU_SCVP_VALIDATIONPOLICY *korvu_scvpvalpolresponse_getdefaultpolicyvalues(
    const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `revocationInfoTypes` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_scvpvalpolresponse_getrevocationinfotypes(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `signatureGeneration` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalpolresponse_getsignaturegeneration(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `signatureVerification` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalpolresponse_getsignatureverification(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `hashAlgorithms` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalpolresponse_gethashalgorithms(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `serverPublicKeys` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_scvpvalpolresponse_getserverpublickeys(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `clockSkew` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_scvpvalpolresponse_getclockskew(const KORVU_SCVP_VALPOLRESPONSE *r);
/** The record's `requestNonce` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_scvpvalpolresponse_getrequestnonce(const KORVU_SCVP_VALPOLRESPONSE *r);
/** 1 when the record's `nextUpdate` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalpolresponse_hasnextupdate(const KORVU_SCVP_VALPOLRESPONSE *r);
/** 1 when the record's `serverPublicKeys` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalpolresponse_hasserverpublickeys(const KORVU_SCVP_VALPOLRESPONSE *r);
/** 1 when the record's `requestNonce` is present, 0 when absent or for a null record. */
KORVU_API int korvu_scvpvalpolresponse_hasrequestnonce(const KORVU_SCVP_VALPOLRESPONSE *r);

#ifdef __cplusplus
}
#endif
#endif
