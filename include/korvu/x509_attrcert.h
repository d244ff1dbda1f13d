/* KORVU ASN.1: attribute certificates (RFC 5755) and their attribute and extension value types. Included by
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
/* digestedObjectType: ENUMERATED { publicKey (0), publicKeyCert (1), otherObjectTypes (2) }. */
typedef struct korvu_ac_objectdigestinfo_st {
  KORVU_ASN1_INTEGER *digestedObjectType;
  KORVU_ASN1_OID *otherObjectTypeID; /* null when absent */
  KORVU_X509_ALGID *digestAlgorithm;
  KORVU_ASN1_BITSTRING *objectDigest;
} KORVU_AC_OBJECTDIGESTINFO;

KORVU_API KORVU_AC_OBJECTDIGESTINFO *korvu_objectdigestinfo_new(const KORVU_ASN1_INTEGER *digested_object_type,
                                                               const KORVU_ASN1_OID *other_object_type_id,
                                                               const KORVU_X509_ALGID *digest_algorithm,
                                                               const KORVU_ASN1_BITSTRING *object_digest);
KORVU_API KORVU_ASN1_INTEGER *korvu_objectdigestinfo_gettype(const KORVU_AC_OBJECTDIGESTINFO *odi);
KORVU_API KORVU_ASN1_OID *korvu_objectdigestinfo_gettypeid(const KORVU_AC_OBJECTDIGESTINFO *odi);
KORVU_API KORVU_X509_ALGID *korvu_objectdigestinfo_getalgo(const KORVU_AC_OBJECTDIGESTINFO *odi);
KORVU_API KORVU_ASN1_BITSTRING *korvu_objectdigestinfo_getdigest(const KORVU_AC_OBJECTDIGESTINFO *odi);

/* ---- IssuerSerial (253) ------------------------------------------------ */
typedef struct korvu_ac_issuerserial_st {
  KORVU_ASN1_LIST *issuer; /* GeneralNames: of KORVU_X509_GENERALNAME */
  KORVU_ASN1_INTEGER *serial;
  KORVU_ASN1_BITSTRING *issuerUID; /* null when absent */
} KORVU_AC_ISSUERSERIAL;

KORVU_API KORVU_AC_ISSUERSERIAL *korvu_acissuerserial_new(const KORVU_ASN1_LIST *issuer,
                                                         const KORVU_ASN1_INTEGER *serial,
                                                         const KORVU_ASN1_BITSTRING *issuer_uid);
KORVU_API KORVU_ASN1_LIST *korvu_acissuerserial_getissuer(const KORVU_AC_ISSUERSERIAL *is);
KORVU_API KORVU_ASN1_INTEGER *korvu_acissuerserial_getserial(const KORVU_AC_ISSUERSERIAL *is);
KORVU_API KORVU_ASN1_BITSTRING *korvu_acissuerserial_getissueruid(const KORVU_AC_ISSUERSERIAL *is);

/* ---- Holder (254) ------------------------------------------------------ */
typedef struct korvu_ac_holder_st {
  KORVU_AC_ISSUERSERIAL *baseCertificateID;        /* [0], null when absent */
  KORVU_ASN1_LIST *entityName;                     /* [1] GeneralNames, null when absent */
  KORVU_AC_OBJECTDIGESTINFO *objectDigestInfo;     /* [2], null when absent */
} KORVU_AC_HOLDER;

KORVU_API KORVU_AC_HOLDER *korvu_holder_new(const KORVU_AC_ISSUERSERIAL *base_certificate_id,
                                           const KORVU_ASN1_LIST *entity_name,
                                           const KORVU_AC_OBJECTDIGESTINFO *object_digest_info);
KORVU_API KORVU_AC_ISSUERSERIAL *korvu_holder_getbasecertid(const KORVU_AC_HOLDER *holder);
KORVU_API KORVU_ASN1_LIST *korvu_holder_getbaseentityname(const KORVU_AC_HOLDER *holder);
KORVU_API KORVU_AC_OBJECTDIGESTINFO *korvu_holder_getobjectdigestinfo(const KORVU_AC_HOLDER *holder);

/* ---- V2Form (255) ------------------------------------------------------ */
typedef struct korvu_ac_v2form_st {
  KORVU_ASN1_LIST *issuerName;                 /* GeneralNames, null when absent */
  KORVU_AC_ISSUERSERIAL *baseCertificateID;    /* [0], null when absent */
  KORVU_AC_OBJECTDIGESTINFO *objectDigestInfo; /* [1], null when absent */
} KORVU_AC_V2FORM;

KORVU_API KORVU_AC_V2FORM *korvu_acv2form_new(const KORVU_ASN1_LIST *issuer_name,
                                             const KORVU_AC_ISSUERSERIAL *base_certificate_id,
                                             const KORVU_AC_OBJECTDIGESTINFO *object_digest_info);
KORVU_API KORVU_ASN1_LIST *korvu_acv2form_getissuername(const KORVU_AC_V2FORM *v2);
KORVU_API KORVU_AC_ISSUERSERIAL *korvu_acv2form_getbasecertid(const KORVU_AC_V2FORM *v2);
KORVU_API KORVU_AC_OBJECTDIGESTINFO *korvu_acv2form_getobjectdigestinfo(const KORVU_AC_V2FORM *v2);

/* ---- AttCertIssuer (256): choice 1 v1Form (GeneralNames), choice 2 v2Form ([0] V2Form) ---------- */
typedef struct korvu_ac_attcertissuer_st {
  uint32_t choice;
  void *value;
} KORVU_AC_ATTCERTISSUER;

KORVU_API KORVU_AC_ATTCERTISSUER *korvu_attcertissuer_newv1(const KORVU_ASN1_LIST *general_names);
KORVU_API KORVU_AC_ATTCERTISSUER *korvu_attcertissuer_newv2(const KORVU_AC_V2FORM *v2_form);
/* The choice number, or 0xFFFFFFFF for a null argument. */
KORVU_API uint32_t korvu_attcertissuer_gettype(const KORVU_AC_ATTCERTISSUER *issuer);
KORVU_API KORVU_ASN1_LIST *korvu_attcertissuer_getv1(const KORVU_AC_ATTCERTISSUER *issuer);
KORVU_API KORVU_AC_V2FORM *korvu_attcertissuer_getv2(const KORVU_AC_ATTCERTISSUER *issuer);

/* ---- AttCertValidityPeriod (257): two GeneralizedTime values ------------ */
typedef struct korvu_ac_validityperiod_st {
  KORVU_ASN1_TIME *notBeforeTime;
  KORVU_ASN1_TIME *notAfterTime;
} KORVU_AC_VALIDITYPERIOD;

KORVU_API KORVU_AC_VALIDITYPERIOD *korvu_attcertvalidityperiod_new(const KORVU_ASN1_TIME *not_before_time,
                                                                  const KORVU_ASN1_TIME *not_after_time);
KORVU_API KORVU_ASN1_TIME *korvu_attcertvalidityperiod_getnotbefore(const KORVU_AC_VALIDITYPERIOD *period);
KORVU_API KORVU_ASN1_TIME *korvu_attcertvalidityperiod_getnotafter(const KORVU_AC_VALIDITYPERIOD *period);

/* ---- AttributeCertificateInfo (259), with its attributes a SEQUENCE OF Attribute (258) of
 * KORVU_X500_ATTRIBUTE -------------------------------------------------------------------- */
typedef struct korvu_ac_info_st {
  KORVU_ASN1_INTEGER *version; /* always written; v2 is 1 */
  KORVU_AC_HOLDER *holder;
  KORVU_AC_ATTCERTISSUER *issuer;
  KORVU_X509_ALGID *signature;
  KORVU_ASN1_INTEGER *serialNumber;
  KORVU_AC_VALIDITYPERIOD *attrCertValidityPeriod;
  KORVU_ASN1_LIST *attributes;     /* of KORVU_X500_ATTRIBUTE */
  KORVU_ASN1_BITSTRING *issuerUniqueID; /* null when absent */
  KORVU_ASN1_LIST *extensions;     /* of KORVU_X509_EXTENSION, null when absent */
} KORVU_AC_INFO;

KORVU_API KORVU_AC_INFO *korvu_attributecertificateinfo_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_AC_HOLDER *holder, const KORVU_AC_ATTCERTISSUER *issuer,
    const KORVU_X509_ALGID *signature, const KORVU_ASN1_INTEGER *serial_number,
    const KORVU_AC_VALIDITYPERIOD *validity, const KORVU_ASN1_LIST *attributes,
    const KORVU_ASN1_BITSTRING *issuer_unique_id, const KORVU_ASN1_LIST *extensions);
KORVU_API KORVU_ASN1_INTEGER *korvu_attributecertificateinfo_getversion(const KORVU_AC_INFO *info);
KORVU_API KORVU_AC_HOLDER *korvu_attributecertificateinfo_getholder(const KORVU_AC_INFO *info);
KORVU_API KORVU_AC_ATTCERTISSUER *korvu_attributecertificateinfo_getissuer(const KORVU_AC_INFO *info);
KORVU_API KORVU_X509_ALGID *korvu_attributecertificateinfo_getsignaturealgo(const KORVU_AC_INFO *info);
KORVU_API KORVU_ASN1_INTEGER *korvu_attributecertificateinfo_getserialnumber(const KORVU_AC_INFO *info);
KORVU_API KORVU_AC_VALIDITYPERIOD *korvu_attributecertificateinfo_getvalidity(const KORVU_AC_INFO *info);
KORVU_API KORVU_ASN1_LIST *korvu_attributecertificateinfo_getattributes(const KORVU_AC_INFO *info);
KORVU_API KORVU_ASN1_BITSTRING *korvu_attributecertificateinfo_getissueruniqueid(const KORVU_AC_INFO *info);
KORVU_API KORVU_ASN1_LIST *korvu_attributecertificateinfo_getextensions(const KORVU_AC_INFO *info);

/* ---- AttributeCertificate (260). Keeps the octets it was decoded from (or first encoded to), and those of its
 * AttributeCertificateInfo, and writes them again unchanged. */
typedef struct korvu_ac_cert_st {
  KORVU_AC_INFO *acinfo;
  KORVU_X509_ALGID *signatureAlgorithm;
  KORVU_ASN1_BITSTRING *signatureValue;
  unsigned char *encoded; /* the whole AttributeCertificate as read or first written */
  uint32_t encodedLength;
  uint32_t hasEncoded;
  unsigned char *infoEncoded; /* the AttributeCertificateInfo as read or first written */
  uint32_t infoEncodedLength;
  uint32_t hasInfoEncoded;
} KORVU_AC_CERT;

/* signatureAlgorithm is a copy of the info's signature; the certificate is encoded once right away so that it
 * carries its kept encodings. */
KORVU_API KORVU_AC_CERT *korvu_attributecertificate_new(const KORVU_AC_INFO *acinfo,
                                                       const KORVU_ASN1_BITSTRING *signature_value);
KORVU_API KORVU_AC_INFO *korvu_attributecertificate_getacinfo(const KORVU_AC_CERT *ac);
KORVU_API KORVU_X509_ALGID *korvu_attributecertificate_getsignalgo(const KORVU_AC_CERT *ac);
KORVU_API KORVU_ASN1_BITSTRING *korvu_attributecertificate_getsignvalue(const KORVU_AC_CERT *ac);
/* The AttributeCertificateInfo octets: with a null buffer stores the length and returns 1; with *length too small
 * stores the length and returns 0; else copies. */
KORVU_API int korvu_attributecertificate_gettbsocts(KORVU_AC_CERT *ac, unsigned char *buffer, uint32_t *length,
                                                    KORVU_ERR_CTX *ctx);

/* ---- TargetCert (277), Target (278), Targets (279, of KORVU_AC_TARGET) and SEQUENCE OF Targets (289, of
 * Targets lists: the targetInformation extension value) ------------------------------------------------ */
typedef struct korvu_ac_targetcert_st {
  KORVU_AC_ISSUERSERIAL *targetCertificate;
  KORVU_X509_GENERALNAME *targetName;          /* null when absent */
  KORVU_AC_OBJECTDIGESTINFO *certDigestInfo;   /* null when absent */
} KORVU_AC_TARGETCERT;

/* Choice 0 targetName ([0] GeneralName), 1 targetGroup ([1] GeneralName), 2 targetCert ([2] TargetCert). */
typedef struct korvu_ac_target_st {
  uint32_t choice;
  void *value;
} KORVU_AC_TARGET;

KORVU_API KORVU_AC_TARGETCERT *korvu_ac_targetcert_new(const KORVU_AC_ISSUERSERIAL *target_certificate,
                                                      const KORVU_X509_GENERALNAME *target_name,
                                                      const KORVU_AC_OBJECTDIGESTINFO *cert_digest_info);
KORVU_API KORVU_AC_ISSUERSERIAL *korvu_ac_targetcert_gettargetcert(const KORVU_AC_TARGETCERT *tc);
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_targetcert_gettargetname(const KORVU_AC_TARGETCERT *tc);
KORVU_API KORVU_AC_OBJECTDIGESTINFO *korvu_ac_targetcert_getcertdigestinfo(const KORVU_AC_TARGETCERT *tc);

KORVU_API KORVU_AC_TARGET *korvu_ac_target_newname(const KORVU_X509_GENERALNAME *name);
KORVU_API KORVU_AC_TARGET *korvu_ac_target_newgroup(const KORVU_X509_GENERALNAME *group);
KORVU_API KORVU_AC_TARGET *korvu_ac_target_newcert(const KORVU_AC_TARGETCERT *cert);
/* The choice number, or 0xFFFFFFFF (-1) for a null argument. */
KORVU_API uint32_t korvu_ac_target_gettype(const KORVU_AC_TARGET *target);
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_target_getname(const KORVU_AC_TARGET *target);
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_target_getgroup(const KORVU_AC_TARGET *target);
KORVU_API KORVU_AC_TARGETCERT *korvu_ac_target_getcert(const KORVU_AC_TARGET *target);

/* ---- IetfAttrSyntax (280), its value CHOICE (281: 0 octets, 1 oid, 2 UTF8String) and values list (282) --- */
typedef struct korvu_ac_ietfattrvalue_st {
  uint32_t choice;
  void *value;
} KORVU_AC_IETFATTRVALUE;

typedef struct korvu_ac_ietfattrsyntax_st {
  KORVU_ASN1_LIST *policyAuthority; /* [0] GeneralNames, null when absent */
  KORVU_ASN1_LIST *values;          /* of KORVU_AC_IETFATTRVALUE */
} KORVU_AC_IETFATTRSYNTAX;

KORVU_API KORVU_AC_IETFATTRVALUE *korvu_ac_ietfattrsyntaxvalue_newoctets(const KORVU_ASN1_OCTETSTRING *octets);
KORVU_API KORVU_AC_IETFATTRVALUE *korvu_ac_ietfattrsyntaxvalue_newoid(const KORVU_ASN1_OID *oid);
KORVU_API KORVU_AC_IETFATTRVALUE *korvu_ac_ietfattrsyntaxvalue_newutf8(const KORVU_ASN1_STRING *utf8);
/* The choice number, or 0xFFFFFFFF (-1) for a null argument. */
KORVU_API uint32_t korvu_ac_ietfattrsyntaxvalue_gettype(const KORVU_AC_IETFATTRVALUE *value);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ac_ietfattrsyntaxvalue_getoctets(const KORVU_AC_IETFATTRVALUE *value);
KORVU_API KORVU_ASN1_OID *korvu_ac_ietfattrsyntaxvalue_getoid(const KORVU_AC_IETFATTRVALUE *value);
KORVU_API KORVU_ASN1_STRING *korvu_ac_ietfattrsyntaxvalue_getutf8(const KORVU_AC_IETFATTRVALUE *value);

KORVU_API KORVU_AC_IETFATTRSYNTAX *korvu_ac_ietfattrsyntax_new(const KORVU_ASN1_LIST *policy_authority,
                                                              const KORVU_ASN1_LIST *values);
KORVU_API KORVU_ASN1_LIST *korvu_ac_ietfattrsyntax_getpolicyauth(const KORVU_AC_IETFATTRSYNTAX *syntax);
KORVU_API KORVU_ASN1_LIST *korvu_ac_ietfattrsyntax_getvalues(const KORVU_AC_IETFATTRSYNTAX *syntax);

/* ---- SvceAuthInfo (283) -------------------------------------------------- */
typedef struct korvu_ac_svceauthinfo_st {
  KORVU_X509_GENERALNAME *service;
  KORVU_X509_GENERALNAME *ident;
  KORVU_ASN1_OCTETSTRING *authInfo; /* null when absent */
} KORVU_AC_SVCEAUTHINFO;

KORVU_API KORVU_AC_SVCEAUTHINFO *korvu_ac_svceauthinfo_new(const KORVU_X509_GENERALNAME *service,
                                                          const KORVU_X509_GENERALNAME *ident,
                                                          const KORVU_ASN1_OCTETSTRING *auth_info);
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_svceauthinfo_getservice(const KORVU_AC_SVCEAUTHINFO *info);
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_svceauthinfo_getident(const KORVU_AC_SVCEAUTHINFO *info);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ac_svceauthinfo_getauthinfo(const KORVU_AC_SVCEAUTHINFO *info);

/* ---- RoleSyntax (284) ---------------------------------------------------- */
typedef struct korvu_ac_rolesyntax_st {
  KORVU_ASN1_LIST *roleAuthority; /* [0] GeneralNames, null when absent */
  KORVU_X509_GENERALNAME *roleName; /* [1] */
} KORVU_AC_ROLESYNTAX;

KORVU_API KORVU_AC_ROLESYNTAX *korvu_ac_rolesyntax_new(const KORVU_ASN1_LIST *role_authority,
                                                      const KORVU_X509_GENERALNAME *role_name);
KORVU_API KORVU_ASN1_LIST *korvu_ac_rolesyntax_getauthority(const KORVU_AC_ROLESYNTAX *role);
KORVU_API KORVU_X509_GENERALNAME *korvu_ac_rolesyntax_getname(const KORVU_AC_ROLESYNTAX *role);

/* ---- SecurityCategory (285), SecurityCategories (286: SET OF, of KORVU_AC_SECURITYCATEGORY), Clearance (287) */
typedef struct korvu_ac_securitycategory_st {
  KORVU_ASN1_OID *type; /* [0] */
  KORVU_ASN1_ANY *value; /* [1] */
} KORVU_AC_SECURITYCATEGORY;

typedef struct korvu_ac_clearance_st {
  KORVU_ASN1_OID *policyId;
  KORVU_ASN1_BITSTRING *classList;     /* always present: { unclassified } (03 02 06 40) when not encoded */
  KORVU_ASN1_LIST *securityCategories; /* of KORVU_AC_SECURITYCATEGORY, null when absent */
} KORVU_AC_CLEARANCE;

KORVU_API KORVU_AC_SECURITYCATEGORY *korvu_ac_securitycategory_new(const KORVU_ASN1_OID *type,
                                                                  const KORVU_ASN1_ANY *value);
KORVU_API KORVU_ASN1_OID *korvu_ac_securitycategory_gettype(const KORVU_AC_SECURITYCATEGORY *category);
KORVU_API KORVU_ASN1_ANY *korvu_ac_securitycategory_getvalue(const KORVU_AC_SECURITYCATEGORY *category);

/* A null class list gives the default { unclassified }. */
KORVU_API KORVU_AC_CLEARANCE *korvu_ac_clearance_new(const KORVU_ASN1_OID *policy_id,
                                                    const KORVU_ASN1_BITSTRING *class_list,
                                                    const KORVU_ASN1_LIST *security_categories);
KORVU_API KORVU_ASN1_OID *korvu_ac_clearance_getpolicyid(const KORVU_AC_CLEARANCE *clearance);
/* These two read a Clearance, whatever their names say. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ac_securitycategory_getclasslist(const KORVU_AC_CLEARANCE *clearance);
KORVU_API KORVU_ASN1_LIST *korvu_ac_securitycategory_getsecuritycategories(const KORVU_AC_CLEARANCE *clearance);

/* ---- ACClearAttrs (288) -------------------------------------------------- */
typedef struct korvu_ac_clearattrs_st {
  KORVU_X509_GENERALNAME *acIssuer;
  KORVU_ASN1_INTEGER *acSerial;
  KORVU_ASN1_LIST *attrs; /* of KORVU_X500_ATTRIBUTE */
} KORVU_AC_CLEARATTRS;

KORVU_API KORVU_AC_CLEARATTRS *korvu_acclearattrs_new(const KORVU_X509_GENERALNAME *ac_issuer,
                                                     const KORVU_ASN1_INTEGER *ac_serial,
                                                     const KORVU_ASN1_LIST *attrs);
KORVU_API KORVU_X509_GENERALNAME *korvu_acclearattrs_getissuer(const KORVU_AC_CLEARATTRS *attrs);
KORVU_API KORVU_ASN1_INTEGER *korvu_acclearattrs_getserial(const KORVU_AC_CLEARATTRS *attrs);
KORVU_API KORVU_ASN1_LIST *korvu_acclearattrs_getattrs(const KORVU_AC_CLEARATTRS *attrs);

/* ---- AttrSpec (290: SEQUENCE OF OBJECT IDENTIFIER), AAControls (291) ------ */
typedef struct korvu_ac_aacontrols_st {
  KORVU_ASN1_INTEGER *pathLenConstraint; /* null when absent */
  KORVU_ASN1_LIST *permittedAttrs;       /* [0] AttrSpec, of KORVU_ASN1_OID, null when absent */
  KORVU_ASN1_LIST *excludedAttrs;        /* [1] AttrSpec, null when absent */
  KORVU_ASN1_BOOLEAN *permitUnSpecified; /* always present: TRUE when not encoded */
} KORVU_AC_AACONTROLS;

/* A null permitUnSpecified gives TRUE. */
KORVU_API KORVU_AC_AACONTROLS *korvu_ac_aacontrols_new(const KORVU_ASN1_INTEGER *path_len_constraint,
                                                      const KORVU_ASN1_LIST *permitted_attrs,
                                                      const KORVU_ASN1_LIST *excluded_attrs,
                                                      const KORVU_ASN1_BOOLEAN *permit_unspecified);
KORVU_API KORVU_ASN1_INTEGER *korvu_ac_aacontrols_getpathlencontraint(const KORVU_AC_AACONTROLS *controls);
KORVU_API KORVU_ASN1_LIST *korvu_ac_aacontrols_getpermittedattrs(const KORVU_AC_AACONTROLS *controls);
KORVU_API KORVU_ASN1_LIST *korvu_ac_aacontrols_getexcludedattrs(const KORVU_AC_AACONTROLS *controls);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ac_aacontrols_getpermitunspecified(const KORVU_AC_AACONTROLS *controls);

#ifdef __cplusplus
}
#endif
#endif
