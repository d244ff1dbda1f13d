/** @file
 * KORVU ASN.1: attribute certificates (RFC 5755) and their attribute and extension value types. Included by
 * korvu/asn1.h.
 *
 * An OPTIONAL component is a null pointer when absent; a CHOICE is { uint32_t choice; void *value; }. Lists are
 * KORVU_ASN1_LIST values of the element records named beside them. Every constructor copies its arguments and
 * returns null when a required one is null or a copy fails. */
#ifndef KORVU_X509_ATTRCERT_H
#define KORVU_X509_ATTRCERT_H
#include "korvu/asn1_base.h"
#include "korvu/x509_cert.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- ObjectDigestInfo (252) -------------------------------------------- */
/** digestedObjectType: ENUMERATED { publicKey (0), publicKeyCert (1), otherObjectTypes (2) }. */
typedef struct korvu_ac_objectdigestinfo_st {
  KORVU_ASN1_INTEGER *digestedObjectType; /**< ENUMERATED (7) */
  KORVU_ASN1_OID *otherObjectTypeID; /**< null when absent */
  KORVU_X509_ALGID *digestAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_BITSTRING *objectDigest; /**< BIT STRING (3) */
} KORVU_AC_OBJECTDIGESTINFO;

/** A new ObjectDigestInfo (252) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_AC_OBJECTDIGESTINFO *korvu_objectdigestinfo_new(const KORVU_ASN1_INTEGER *digested_object_type,
                                                               const KORVU_ASN1_OID *other_object_type_id,
                                                               const KORVU_X509_ALGID *digest_algorithm,
                                                               const KORVU_ASN1_BITSTRING *object_digest);
/** The record's `digestedObjectType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_objectdigestinfo_gettype(const KORVU_AC_OBJECTDIGESTINFO *odi);
/** The record's `otherObjectTypeID` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_objectdigestinfo_gettypeid(const KORVU_AC_OBJECTDIGESTINFO *odi);
/** The record's `digestAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_objectdigestinfo_getalgo(const KORVU_AC_OBJECTDIGESTINFO *odi);
/** The record's `objectDigest` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_objectdigestinfo_getdigest(const KORVU_AC_OBJECTDIGESTINFO *odi);

/* ---- IssuerSerial (253) ------------------------------------------------ */
/** The record of IssuerSerial (253). */
typedef struct korvu_ac_issuerserial_st {
  KORVU_ASN1_LIST *issuer; /**< GeneralNames: of KORVU_X509_GENERALNAME */
  KORVU_ASN1_INTEGER *serial;      /**< INTEGER (2) */
  KORVU_ASN1_BITSTRING *issuerUID; /**< null when absent */
} KORVU_AC_ISSUERSERIAL;

/** A new IssuerSerial (253) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_AC_ISSUERSERIAL *korvu_acissuerserial_new(const KORVU_ASN1_LIST *issuer,
                                                         const KORVU_ASN1_INTEGER *serial,
                                                         const KORVU_ASN1_BITSTRING *issuer_uid);
/** The record's `issuer` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_acissuerserial_getissuer(const KORVU_AC_ISSUERSERIAL *is);
/** The record's `serial` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_acissuerserial_getserial(const KORVU_AC_ISSUERSERIAL *is);
/** The record's `issuerUID` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_acissuerserial_getissueruid(const KORVU_AC_ISSUERSERIAL *is);

/* ---- Holder (254) ------------------------------------------------------ */
/** The record of Holder (254). */
typedef struct korvu_ac_holder_st {
  KORVU_AC_ISSUERSERIAL *baseCertificateID;        /**< [0], null when absent */
  KORVU_ASN1_LIST *entityName;                     /**< [1] GeneralNames, null when absent */
  KORVU_AC_OBJECTDIGESTINFO *objectDigestInfo;     /**< [2], null when absent */
} KORVU_AC_HOLDER;

/** A new Holder (254) of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_AC_HOLDER *korvu_holder_new(const KORVU_AC_ISSUERSERIAL *base_certificate_id,
                                           const KORVU_ASN1_LIST *entity_name,
                                           const KORVU_AC_OBJECTDIGESTINFO *object_digest_info);
/** The record's `baseCertificateID` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_AC_ISSUERSERIAL *korvu_holder_getbasecertid(const KORVU_AC_HOLDER *holder);
/** The record's `entityName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_holder_getbaseentityname(const KORVU_AC_HOLDER *holder);
/** The record's `objectDigestInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_AC_OBJECTDIGESTINFO *korvu_holder_getobjectdigestinfo(const KORVU_AC_HOLDER *holder);

/* ---- V2Form (255) ------------------------------------------------------ */
/** The record of V2Form (255). */
typedef struct korvu_ac_v2form_st {
  KORVU_ASN1_LIST *issuerName;                 /**< GeneralNames, null when absent */
  KORVU_AC_ISSUERSERIAL *baseCertificateID;    /**< [0], null when absent */
  KORVU_AC_OBJECTDIGESTINFO *objectDigestInfo; /**< [1], null when absent */
} KORVU_AC_V2FORM;

/** A new V2Form (255) of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_AC_V2FORM *korvu_acv2form_new(const KORVU_ASN1_LIST *issuer_name,
                                             const KORVU_AC_ISSUERSERIAL *base_certificate_id,
                                             const KORVU_AC_OBJECTDIGESTINFO *object_digest_info);
/** The record's `issuerName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_acv2form_getissuername(const KORVU_AC_V2FORM *v2);
/** The record's `baseCertificateID` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_AC_ISSUERSERIAL *korvu_acv2form_getbasecertid(const KORVU_AC_V2FORM *v2);
/** The record's `objectDigestInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_AC_OBJECTDIGESTINFO *korvu_acv2form_getobjectdigestinfo(const KORVU_AC_V2FORM *v2);

/* ---- AttCertIssuer (256): choice 1 v1Form (GeneralNames), choice 2 v2Form ([0] V2Form) ---------- */
/** The record of AttCertIssuer (256): a CHOICE, `choice` is the number of the alternative held and `value` its
 * value. */
typedef struct korvu_ac_attcertissuer_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_AC_ATTCERTISSUER;

/** A new AttCertIssuer (256) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_AC_ATTCERTISSUER *korvu_attcertissuer_newv1(const KORVU_ASN1_LIST *general_names);
/** A new AttCertIssuer (256) holding a copy of the argument as alternative 2; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_AC_ATTCERTISSUER *korvu_attcertissuer_newv2(const KORVU_AC_V2FORM *v2_form);
/** The choice number, or 0xFFFFFFFF for a null argument. */
KORVU_API uint32_t korvu_attcertissuer_gettype(const KORVU_AC_ATTCERTISSUER *issuer);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_attcertissuer_getv1(const KORVU_AC_ATTCERTISSUER *issuer);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_AC_V2FORM *korvu_attcertissuer_getv2(const KORVU_AC_ATTCERTISSUER *issuer);

/* ---- AttCertValidityPeriod (257): two GeneralizedTime values ------------ */
/** The record of AttCertValidityPeriod (257). */
typedef struct korvu_ac_validityperiod_st {
  KORVU_ASN1_TIME *notBeforeTime; /**< GeneralizedTime (22) */
  KORVU_ASN1_TIME *notAfterTime; /**< GeneralizedTime (22) */
} KORVU_AC_VALIDITYPERIOD;

/** A new AttCertValidityPeriod (257) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_AC_VALIDITYPERIOD *korvu_attcertvalidityperiod_new(const KORVU_ASN1_TIME *not_before_time,
                                                                  const KORVU_ASN1_TIME *not_after_time);
/** The record's `notBeforeTime` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_attcertvalidityperiod_getnotbefore(const KORVU_AC_VALIDITYPERIOD *period);
/** The record's `notAfterTime` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_attcertvalidityperiod_getnotafter(const KORVU_AC_VALIDITYPERIOD *period);

/* ---- AttributeCertificateInfo (259), with its attributes a SEQUENCE OF Attribute (258) of
 * KORVU_X500_ATTRIBUTE -------------------------------------------------------------------- */
/** The record of AttributeCertificateInfo (259). */
typedef struct korvu_ac_info_st {
  KORVU_ASN1_INTEGER *version; /**< always written; v2 is 1 */
  KORVU_AC_HOLDER *holder;              /**< Holder (254) */
  KORVU_AC_ATTCERTISSUER *issuer;       /**< AttCertIssuer (256) */
  KORVU_X509_ALGID *signature;          /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_INTEGER *serialNumber;     /**< INTEGER (2) */
  KORVU_AC_VALIDITYPERIOD *attrCertValidityPeriod; /**< AttCertValidityPeriod (257) */
  KORVU_ASN1_LIST *attributes;     /**< of KORVU_X500_ATTRIBUTE */
  KORVU_ASN1_BITSTRING *issuerUniqueID; /**< null when absent */
  KORVU_ASN1_LIST *extensions;     /**< of KORVU_X509_EXTENSION, null when absent */
} KORVU_AC_INFO;

/** A new AttributeCertificateInfo (259) of copies of the arguments, in component order; null when a required one
 * is null or building fails. */
KORVU_API KORVU_AC_INFO *korvu_attributecertificateinfo_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_AC_HOLDER *holder, const KORVU_AC_ATTCERTISSUER *issuer,
    const KORVU_X509_ALGID *signature, const KORVU_ASN1_INTEGER *serial_number,
    const KORVU_AC_VALIDITYPERIOD *validity, const KORVU_ASN1_LIST *attributes,
    const KORVU_ASN1_BITSTRING *issuer_unique_id, const KORVU_ASN1_LIST *extensions);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_attributecertificateinfo_getversion(const KORVU_AC_INFO *info);
/** The record's `holder` (not a copy), null for a null record. */
KORVU_API KORVU_AC_HOLDER *korvu_attributecertificateinfo_getholder(const KORVU_AC_INFO *info);
/** The record's `issuer` (not a copy), null for a null record. */
KORVU_API KORVU_AC_ATTCERTISSUER *korvu_attributecertificateinfo_getissuer(const KORVU_AC_INFO *info);
/** The record's `signature` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_attributecertificateinfo_getsignaturealgo(const KORVU_AC_INFO *info);
/** The record's `serialNumber` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_attributecertificateinfo_getserialnumber(const KORVU_AC_INFO *info);
/** The record's `attrCertValidityPeriod` (not a copy), null for a null record. */
KORVU_API KORVU_AC_VALIDITYPERIOD *korvu_attributecertificateinfo_getvalidity(const KORVU_AC_INFO *info);
/** The record's `attributes` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_attributecertificateinfo_getattributes(const KORVU_AC_INFO *info);
/** The record's `issuerUniqueID` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_attributecertificateinfo_getissueruniqueid(const KORVU_AC_INFO *info);
/** The record's `extensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_attributecertificateinfo_getextensions(const KORVU_AC_INFO *info);

/* ---- AttributeCertificate (260). Keeps the octets it was decoded from (or first encoded to), and those of its
 * AttributeCertificateInfo, and writes them again unchanged. */
/** The record of AttributeCertificate (260). */
typedef struct korvu_ac_cert_st {
  KORVU_AC_INFO *acinfo;      /**< AttributeCertificateInfo (259) */
  KORVU_X509_ALGID *signatureAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_BITSTRING *signatureValue; /**< BIT STRING (3) */
  unsigned char *encoded; /**< the whole AttributeCertificate as read or first written */
  uint32_t encodedLength;     /**< length of `encoded` */
  uint32_t hasEncoded;        /**< 1 when `encoded` is present, else 0 */
  unsigned char *infoEncoded; /**< the AttributeCertificateInfo as read or first written */
  uint32_t infoEncodedLength; /**< length of `infoEncoded` */
  uint32_t hasInfoEncoded;    /**< 1 when `infoEncoded` is present, else 0 */
} KORVU_AC_CERT;

/** signatureAlgorithm is a copy of the info's signature; the certificate is encoded once right away so that it
 * carries its kept encodings. */
KORVU_API KORVU_AC_CERT *korvu_attributecertificate_new(const KORVU_AC_INFO *acinfo,
                                                       const KORVU_ASN1_BITSTRING *signature_value);
/** The record's `acinfo` (not a copy), null for a null record. */
KORVU_API KORVU_AC_INFO *korvu_attributecertificate_getacinfo(const KORVU_AC_CERT *ac);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_attributecertificate_getsignalgo(const KORVU_AC_CERT *ac);
/** The record's `signatureValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_attributecertificate_getsignvalue(const KORVU_AC_CERT *ac);
/** The AttributeCertificateInfo octets: with a null buffer stores the length and returns 1; with *length too small
 * stores the length and returns 0; else copies. */
KORVU_API int korvu_attributecertificate_gettbsocts(KORVU_AC_CERT *ac, unsigned char *buffer, uint32_t *length,
                                                    KORVU_ERR_CTX *ctx);

/* ---- TargetCert (277), Target (278), Targets (279, of KORVU_AC_TARGET) and SEQUENCE OF Targets (289, of
 * Targets lists: the targetInformation extension value) ------------------------------------------------ */
/** The record of TargetCert (277). */
typedef struct korvu_ac_targetcert_st {
  KORVU_AC_ISSUERSERIAL *targetCertificate;    /**< IssuerSerial (253) */
  KORVU_X509_GENERALNAME *targetName;          /**< null when absent */
  KORVU_AC_OBJECTDIGESTINFO *certDigestInfo;   /**< null when absent */
} KORVU_AC_TARGETCERT;

/** Choice 0 targetName ([0] GeneralName), 1 targetGroup ([1] GeneralName), 2 targetCert ([2] TargetCert). */
typedef struct korvu_ac_target_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_AC_TARGET;

/** A new TargetCert (277) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_AC_TARGETCERT *korvu_ac_targetcert_new(const KORVU_AC_ISSUERSERIAL *target_certificate,
                                                      const KORVU_X509_GENERALNAME *target_name,
                                                      const KORVU_AC_OBJECTDIGESTINFO *cert_digest_info);
/** The record's `targetCertificate` (not a copy), null for a null record. */
KORVU_API KORVU_AC_ISSUERSERIAL *korvu_ac_targetcert_gettargetcert(const KORVU_AC_TARGETCERT *tc);
/** The record's `targetName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_targetcert_gettargetname(const KORVU_AC_TARGETCERT *tc);
/** The record's `certDigestInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_AC_OBJECTDIGESTINFO *korvu_ac_targetcert_getcertdigestinfo(const KORVU_AC_TARGETCERT *tc);

/** A new Target (278) holding a copy of the argument as alternative 0; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_AC_TARGET *korvu_ac_target_newname(const KORVU_X509_GENERALNAME *name);
/** A new Target (278) holding a copy of the argument as alternative 1; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_AC_TARGET *korvu_ac_target_newgroup(const KORVU_X509_GENERALNAME *group);
/** A new Target (278) holding a copy of the argument as alternative 2; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_AC_TARGET *korvu_ac_target_newcert(const KORVU_AC_TARGETCERT *cert);
/** The choice number, or 0xFFFFFFFF (-1) for a null argument. */
KORVU_API uint32_t korvu_ac_target_gettype(const KORVU_AC_TARGET *target);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_target_getname(const KORVU_AC_TARGET *target);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_target_getgroup(const KORVU_AC_TARGET *target);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_AC_TARGETCERT *korvu_ac_target_getcert(const KORVU_AC_TARGET *target);

/* ---- IetfAttrSyntax (280), its value CHOICE (281: 0 octets, 1 oid, 2 UTF8String) and values list (282) --- */
/** The record of IetfAttrSyntax value (281): a CHOICE, `choice` is the number of the alternative held and `value`
 * its value. */
typedef struct korvu_ac_ietfattrvalue_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_AC_IETFATTRVALUE;

/** The record of IetfAttrSyntax (280). */
typedef struct korvu_ac_ietfattrsyntax_st {
  KORVU_ASN1_LIST *policyAuthority; /**< [0] GeneralNames, null when absent */
  KORVU_ASN1_LIST *values;          /**< of KORVU_AC_IETFATTRVALUE */
} KORVU_AC_IETFATTRSYNTAX;

/** A new IetfAttrSyntax value (281) holding a copy of the argument as alternative 0; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_AC_IETFATTRVALUE *korvu_ac_ietfattrsyntaxvalue_newoctets(const KORVU_ASN1_OCTETSTRING *octets);
/** A new IetfAttrSyntax value (281) holding a copy of the argument as alternative 1; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_AC_IETFATTRVALUE *korvu_ac_ietfattrsyntaxvalue_newoid(const KORVU_ASN1_OID *oid);
/** A new IetfAttrSyntax value (281) holding a copy of the argument as alternative 2; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_AC_IETFATTRVALUE *korvu_ac_ietfattrsyntaxvalue_newutf8(const KORVU_ASN1_STRING *utf8);
/** The choice number, or 0xFFFFFFFF (-1) for a null argument. */
KORVU_API uint32_t korvu_ac_ietfattrsyntaxvalue_gettype(const KORVU_AC_IETFATTRVALUE *value);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ac_ietfattrsyntaxvalue_getoctets(const KORVU_AC_IETFATTRVALUE *value);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OID *korvu_ac_ietfattrsyntaxvalue_getoid(const KORVU_AC_IETFATTRVALUE *value);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_ac_ietfattrsyntaxvalue_getutf8(const KORVU_AC_IETFATTRVALUE *value);

/** A new IetfAttrSyntax (280) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_AC_IETFATTRSYNTAX *korvu_ac_ietfattrsyntax_new(const KORVU_ASN1_LIST *policy_authority,
                                                              const KORVU_ASN1_LIST *values);
/** The record's `policyAuthority` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ac_ietfattrsyntax_getpolicyauth(const KORVU_AC_IETFATTRSYNTAX *syntax);
/** The record's `values` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ac_ietfattrsyntax_getvalues(const KORVU_AC_IETFATTRSYNTAX *syntax);

/* ---- SvceAuthInfo (283) -------------------------------------------------- */
/** The record of SvceAuthInfo (283). */
typedef struct korvu_ac_svceauthinfo_st {
  KORVU_X509_GENERALNAME *service;  /**< GeneralName (63) */
  KORVU_X509_GENERALNAME *ident;    /**< GeneralName (63) */
  KORVU_ASN1_OCTETSTRING *authInfo; /**< null when absent */
} KORVU_AC_SVCEAUTHINFO;

/** A new SvceAuthInfo (283) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_AC_SVCEAUTHINFO *korvu_ac_svceauthinfo_new(const KORVU_X509_GENERALNAME *service,
                                                          const KORVU_X509_GENERALNAME *ident,
                                                          const KORVU_ASN1_OCTETSTRING *auth_info);
/** The record's `service` (not a copy), null for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_svceauthinfo_getservice(const KORVU_AC_SVCEAUTHINFO *info);
/** The record's `ident` (not a copy), null for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_svceauthinfo_getident(const KORVU_AC_SVCEAUTHINFO *info);
/** The record's `authInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ac_svceauthinfo_getauthinfo(const KORVU_AC_SVCEAUTHINFO *info);

/* ---- RoleSyntax (284) ---------------------------------------------------- */
/** The record of RoleSyntax (284). */
typedef struct korvu_ac_rolesyntax_st {
  KORVU_ASN1_LIST *roleAuthority; /**< [0] GeneralNames, null when absent */
  KORVU_X509_GENERALNAME *roleName; /**< [1] */
} KORVU_AC_ROLESYNTAX;

/** A new RoleSyntax (284) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_AC_ROLESYNTAX *korvu_ac_rolesyntax_new(const KORVU_ASN1_LIST *role_authority,
                                                      const KORVU_X509_GENERALNAME *role_name);
/** The record's `roleAuthority` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ac_rolesyntax_getauthority(const KORVU_AC_ROLESYNTAX *role);
/** The record's `roleName` (not a copy), null for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_rolesyntax_getname(const KORVU_AC_ROLESYNTAX *role);

/* ---- SecurityCategory (285), SecurityCategories (286: SET OF, of KORVU_AC_SECURITYCATEGORY), Clearance (287) */
/** The record of SecurityCategory (285). */
typedef struct korvu_ac_securitycategory_st {
  KORVU_ASN1_OID *type; /**< [0] */
  KORVU_ASN1_ANY *value; /**< [1] */
} KORVU_AC_SECURITYCATEGORY;

/** The record of Clearance (287). */
typedef struct korvu_ac_clearance_st {
  KORVU_ASN1_OID *policyId;            /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_BITSTRING *classList;     /**< always present: { unclassified } (03 02 06 40) when not encoded */
  KORVU_ASN1_LIST *securityCategories; /**< of KORVU_AC_SECURITYCATEGORY, null when absent */
} KORVU_AC_CLEARANCE;

/** A new SecurityCategory (285) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_AC_SECURITYCATEGORY *korvu_ac_securitycategory_new(const KORVU_ASN1_OID *type,
                                                                  const KORVU_ASN1_ANY *value);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ac_securitycategory_gettype(const KORVU_AC_SECURITYCATEGORY *category);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_ac_securitycategory_getvalue(const KORVU_AC_SECURITYCATEGORY *category);

/** A new Clearance (287) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null class list gives the default { unclassified }. */
KORVU_API KORVU_AC_CLEARANCE *korvu_ac_clearance_new(const KORVU_ASN1_OID *policy_id,
                                                    const KORVU_ASN1_BITSTRING *class_list,
                                                    const KORVU_ASN1_LIST *security_categories);
/** The record's `policyId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ac_clearance_getpolicyid(const KORVU_AC_CLEARANCE *clearance);
/** The record's `classList` (not a copy), null for a null record. These two read a Clearance, whatever their names
 * say. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ac_securitycategory_getclasslist(const KORVU_AC_CLEARANCE *clearance);
/** The record's `securityCategories` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ac_securitycategory_getsecuritycategories(const KORVU_AC_CLEARANCE *clearance);

/* ---- ACClearAttrs (288) -------------------------------------------------- */
/** The record of ACClearAttrs (288). */
typedef struct korvu_ac_clearattrs_st {
  KORVU_X509_GENERALNAME *acIssuer; /**< GeneralName (63) */
  KORVU_ASN1_INTEGER *acSerial; /**< INTEGER (2) */
  KORVU_ASN1_LIST *attrs; /**< of KORVU_X500_ATTRIBUTE */
} KORVU_AC_CLEARATTRS;

/** A new ACClearAttrs (288) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_AC_CLEARATTRS *korvu_acclearattrs_new(const KORVU_X509_GENERALNAME *ac_issuer,
                                                     const KORVU_ASN1_INTEGER *ac_serial,
                                                     const KORVU_ASN1_LIST *attrs);
/** The record's `acIssuer` (not a copy), null for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_acclearattrs_getissuer(const KORVU_AC_CLEARATTRS *attrs);
/** The record's `acSerial` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_acclearattrs_getserial(const KORVU_AC_CLEARATTRS *attrs);
/** The record's `attrs` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_acclearattrs_getattrs(const KORVU_AC_CLEARATTRS *attrs);

/* ---- AttrSpec (290: SEQUENCE OF OBJECT IDENTIFIER), AAControls (291) ------ */
/** The record of AAControls (291). */
typedef struct korvu_ac_aacontrols_st {
  KORVU_ASN1_INTEGER *pathLenConstraint; /**< null when absent */
  KORVU_ASN1_LIST *permittedAttrs;       /**< [0] AttrSpec, of KORVU_ASN1_OID, null when absent */
  KORVU_ASN1_LIST *excludedAttrs;        /**< [1] AttrSpec, null when absent */
  KORVU_ASN1_BOOLEAN *permitUnSpecified; /**< always present: TRUE when not encoded */
} KORVU_AC_AACONTROLS;

/** A new AAControls (291) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null permitUnSpecified gives TRUE. */
KORVU_API KORVU_AC_AACONTROLS *korvu_ac_aacontrols_new(const KORVU_ASN1_INTEGER *path_len_constraint,
                                                      const KORVU_ASN1_LIST *permitted_attrs,
                                                      const KORVU_ASN1_LIST *excluded_attrs,
                                                      const KORVU_ASN1_BOOLEAN *permit_unspecified);
/** The record's `pathLenConstraint` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ac_aacontrols_getpathlencontraint(const KORVU_AC_AACONTROLS *controls);
/** The record's `permittedAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ac_aacontrols_getpermittedattrs(const KORVU_AC_AACONTROLS *controls);
/** The record's `excludedAttrs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ac_aacontrols_getexcludedattrs(const KORVU_AC_AACONTROLS *controls);
/** The record's `permitUnSpecified` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ac_aacontrols_getpermitunspecified(const KORVU_AC_AACONTROLS *controls);

#ifdef __cplusplus
}
#endif
#endif
