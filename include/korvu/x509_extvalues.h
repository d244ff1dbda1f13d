/* KORVU ASN.1: the values of the standard certificate and CRL extensions (RFC 5280 4.2.1, 5.2), the attribute
 * certificate issuing distribution point (RFC 5755), the qualified-certificate statements (RFC 3739) and the
 * identity structures. Included by korvu/asn1.h.
 *
 * Records follow the ASN.1 component order. An OPTIONAL component is a pointer followed by a 32-bit present flag,
 * except in BiometricData and SemanticsInformation, where an absent component is a null pointer. A BOOLEAN or
 * INTEGER with a DEFAULT is always present in memory. A CHOICE is { uint32_t choice; void *value; }. The SEQUENCE
 * OF types are KORVU_ASN1_LIST values of the element records named beside them, built with the list operations.
 * Constructors copy their arguments and return null when a required one is null, a stated rule is broken or a copy
 * fails; nothing is reported. */
#ifndef KORVU_X509_EXTVALUES_H
#define KORVU_X509_EXTVALUES_H
#include "korvu/asn1_base.h"
#include "korvu/x509_cert.h"
#include "korvu/x509_name.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- AuthorityKeyIdentifier (65) ---------------------------------------- */
typedef struct korvu_x509_akid_st {
  KORVU_ASN1_OCTETSTRING *keyIdentifier; /* [0] */
  uint32_t hasKeyIdentifier;
  KORVU_ASN1_LIST *authorityCertIssuer; /* [1] GeneralNames: of KORVU_X509_GENERALNAME */
  uint32_t hasAuthorityCertIssuer;
  KORVU_ASN1_INTEGER *authorityCertSerialNumber; /* [2] */
  uint32_t hasAuthorityCertSerialNumber;
} KORVU_X509_AKID;

/* Issuer and serial both given or both null; keyIdentifier and serial not both null. */
KORVU_API KORVU_X509_AKID *korvu_x509akid_new(const KORVU_ASN1_OCTETSTRING *key_identifier,
                                             const KORVU_ASN1_LIST *authority_cert_issuer,
                                             const KORVU_ASN1_INTEGER *authority_cert_serial);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_x509akid_getkeyid(const KORVU_X509_AKID *akid);
KORVU_API KORVU_ASN1_LIST *korvu_x509akid_getissuerissuer(const KORVU_X509_AKID *akid);
KORVU_API KORVU_ASN1_INTEGER *korvu_x509akid_getissuercertsn(const KORVU_X509_AKID *akid);

/* ---- ExtKeyUsage (66): a list of KORVU_ASN1_OID ------------------------ */

/* ---- PrivateKeyUsagePeriod (67) ----------------------------------------- */
typedef struct korvu_x509_privkeyperiod_st {
  KORVU_ASN1_TIME *notBefore; /* [0] GeneralizedTime */
  uint32_t hasNotBefore;
  KORVU_ASN1_TIME *notAfter; /* [1] GeneralizedTime */
  uint32_t hasNotAfter;
} KORVU_X509_PRIVKEYPERIOD;

/* Not both null. */
KORVU_API KORVU_X509_PRIVKEYPERIOD *korvu_x509privkeyperiod_new(const KORVU_ASN1_TIME *not_before,
                                                               const KORVU_ASN1_TIME *not_after);
KORVU_API KORVU_ASN1_TIME *korvu_x509privkeyperiod_getnotbefore(const KORVU_X509_PRIVKEYPERIOD *period);
KORVU_API KORVU_ASN1_TIME *korvu_x509privkeyperiod_getnotafter(const KORVU_X509_PRIVKEYPERIOD *period);

/* ---- PolicyQualifierInfo (68), PolicyQualifierInfos (137), PolicyInformation (69),
 * CertificatePolicies (70: a list of KORVU_X509_POLICYINFO) ---------------- */
/* PolicyQualifierInfo is the AlgorithmIdentifier record: policyQualifierId and the optional qualifier (ANY). */
typedef KORVU_X509_ALGID KORVU_X509_POLQUALIFIERINFO;

KORVU_API KORVU_X509_POLQUALIFIERINFO *korvu_x509polqualifierinfo_new(const KORVU_ASN1_OID *policy_qualifier_id,
                                                                     const KORVU_ASN1_ANY *qualifier);
KORVU_API KORVU_ASN1_OID *korvu_x509polqualifierinfo_getid(const KORVU_X509_POLQUALIFIERINFO *info);
KORVU_API KORVU_ASN1_ANY *korvu_x509polqualifierinfo_getqualifier(const KORVU_X509_POLQUALIFIERINFO *info);

typedef struct korvu_x509_policyinfo_st {
  KORVU_ASN1_OID *policyIdentifier;
  KORVU_ASN1_LIST *policyQualifiers; /* of KORVU_X509_POLQUALIFIERINFO */
  uint32_t hasPolicyQualifiers;
} KORVU_X509_POLICYINFO;

KORVU_API KORVU_X509_POLICYINFO *korvu_x509policyinfo_new(const KORVU_ASN1_OID *policy_identifier,
                                                         const KORVU_ASN1_LIST *policy_qualifiers);
KORVU_API KORVU_ASN1_OID *korvu_x509policyinfo_getid(const KORVU_X509_POLICYINFO *info);
KORVU_API KORVU_ASN1_LIST *korvu_x509policyinfo_getqualifiers(const KORVU_X509_POLICYINFO *info);

/* ---- DisplayText (71), noticeNumbers (138: a list of KORVU_ASN1_INTEGER), NoticeReference (72),
 * UserNotice (73) ----------------------------------------------------------- */
/* DisplayText is the DirectoryString record: the string's universal tag (22 IA5String, 26 VisibleString,
 * 30 BMPString, 12 UTF8String) and its contents octets. */
typedef KORVU_X500_DIRSTRING KORVU_PKIX_DISPLAYTEXT;

KORVU_API KORVU_PKIX_DISPLAYTEXT *korvu_pkixdisplaytext_new(uint32_t tag, const KORVU_ASN1_OCTETSTRING *string);
/* 1 and the tag, or 0 for a null argument. */
KORVU_API int korvu_pkixdisplaytext_gettype(const KORVU_PKIX_DISPLAYTEXT *text, uint32_t *tag);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkixdisplaytext_getstring(const KORVU_PKIX_DISPLAYTEXT *text);

typedef struct korvu_pkix_noticeref_st {
  KORVU_PKIX_DISPLAYTEXT *organization;
  KORVU_ASN1_LIST *noticeNumbers; /* of KORVU_ASN1_INTEGER */
} KORVU_PKIX_NOTICEREF;

KORVU_API KORVU_PKIX_NOTICEREF *korvu_pkixnoticeref_new(const KORVU_PKIX_DISPLAYTEXT *organization,
                                                       const KORVU_ASN1_LIST *notice_numbers);
KORVU_API KORVU_PKIX_DISPLAYTEXT *korvu_pkixnoticeref_getorg(const KORVU_PKIX_NOTICEREF *ref);
KORVU_API KORVU_ASN1_LIST *korvu_pkixnoticeref_getnums(const KORVU_PKIX_NOTICEREF *ref);

typedef struct korvu_pkix_usernotice_st {
  KORVU_PKIX_NOTICEREF *noticeRef;
  uint32_t hasNoticeRef;
  KORVU_PKIX_DISPLAYTEXT *explicitText;
  uint32_t hasExplicitText;
} KORVU_PKIX_USERNOTICE;

KORVU_API KORVU_PKIX_USERNOTICE *korvu_pkixusernotice_new(const KORVU_PKIX_NOTICEREF *notice_ref,
                                                         const KORVU_PKIX_DISPLAYTEXT *explicit_text);
KORVU_API KORVU_PKIX_NOTICEREF *korvu_pkixusernotice_getref(const KORVU_PKIX_USERNOTICE *notice);
KORVU_API KORVU_PKIX_DISPLAYTEXT *korvu_pkixusernotice_gettext(const KORVU_PKIX_USERNOTICE *notice);

/* ---- PolicyMapping (139), PolicyMappings (74: a list of KORVU_X509_POLICYMAPPING),
 * SubjectDirectoryAttributes (75: a list of KORVU_X500_ATTRIBUTE) ---------- */
typedef struct korvu_x509_policymapping_st {
  KORVU_ASN1_OID *issuerDomainPolicy;
  KORVU_ASN1_OID *subjectDomainPolicy;
} KORVU_X509_POLICYMAPPING;

KORVU_API KORVU_X509_POLICYMAPPING *korvu_x509policymapping_new(const KORVU_ASN1_OID *issuer_domain_policy,
                                                               const KORVU_ASN1_OID *subject_domain_policy);
KORVU_API KORVU_ASN1_OID *korvu_x509policymapping_getissuerpolicy(const KORVU_X509_POLICYMAPPING *mapping);
KORVU_API KORVU_ASN1_OID *korvu_x509policymapping_getsubjectpolicy(const KORVU_X509_POLICYMAPPING *mapping);

/* ---- BasicConstraints (76) ---------------------------------------------- */
typedef struct korvu_x509_basicconstraints_st {
  KORVU_ASN1_BOOLEAN *cA; /* always present; FALSE when the encoding leaves it out */
  KORVU_ASN1_INTEGER *pathLenConstraint;
  uint32_t hasPathLenConstraint;
} KORVU_X509_BASICCONSTRAINTS;

/* A null cA is FALSE; pathLenConstraint is kept only when cA is TRUE. */
KORVU_API KORVU_X509_BASICCONSTRAINTS *korvu_x509basicconstraints_new(const KORVU_ASN1_BOOLEAN *ca,
                                                                     const KORVU_ASN1_INTEGER *path_len);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509basicconstraints_getisca(const KORVU_X509_BASICCONSTRAINTS *bc);
KORVU_API KORVU_ASN1_INTEGER *korvu_x509basicconstraints_getlen(const KORVU_X509_BASICCONSTRAINTS *bc);

/* ---- GeneralSubtree (77), GeneralSubtrees (78: a list of KORVU_X509_GENSUBTREE), NameForms (79),
 * NameConstraints (80, and 81: the same record without requiredNameForms) --- */
typedef struct korvu_x509_gensubtree_st {
  KORVU_X509_GENERALNAME *base;
  KORVU_ASN1_INTEGER *minimum; /* [0], always present; 0 when the encoding leaves it out */
  KORVU_ASN1_INTEGER *maximum; /* [1] */
  uint32_t hasMaximum;
} KORVU_X509_GENSUBTREE;

KORVU_API KORVU_X509_GENSUBTREE *korvu_x509gensubtree_new(const KORVU_X509_GENERALNAME *base,
                                                         const KORVU_ASN1_INTEGER *minimum,
                                                         const KORVU_ASN1_INTEGER *maximum);
KORVU_API KORVU_X509_GENERALNAME *korvu_x509gensubtree_getbase(const KORVU_X509_GENSUBTREE *subtree);
KORVU_API KORVU_ASN1_INTEGER *korvu_x509gensubtree_getmin(const KORVU_X509_GENSUBTREE *subtree);
KORVU_API KORVU_ASN1_INTEGER *korvu_x509gensubtree_getmax(const KORVU_X509_GENSUBTREE *subtree);

typedef struct korvu_x509_nameforms_st {
  KORVU_ASN1_BITSTRING *basicNameForms; /* [0] */
  uint32_t hasBasicNameForms;
  KORVU_ASN1_LIST *otherNameForms; /* [1] of KORVU_ASN1_OID */
  uint32_t hasOtherNameForms;
} KORVU_X509_NAMEFORMS;

/* Not both null. */
KORVU_API KORVU_X509_NAMEFORMS *korvu_x509nameforms_new(const KORVU_ASN1_BITSTRING *basic_name_forms,
                                                       const KORVU_ASN1_LIST *other_name_forms);
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509nameforms_getbasic(const KORVU_X509_NAMEFORMS *forms);
KORVU_API KORVU_ASN1_LIST *korvu_x509nameforms_getother(const KORVU_X509_NAMEFORMS *forms);

typedef struct korvu_x509_namecons_st {
  KORVU_ASN1_LIST *permittedSubtrees; /* [0] GeneralSubtrees */
  uint32_t hasPermittedSubtrees;
  KORVU_ASN1_LIST *excludedSubtrees; /* [1] GeneralSubtrees */
  uint32_t hasExcludedSubtrees;
  KORVU_X509_NAMEFORMS *requiredNameForms; /* [2]; never present in type 81 */
  uint32_t hasRequiredNameForms;
} KORVU_X509_NAMECONS;

KORVU_API KORVU_X509_NAMECONS *korvu_x509namecons_new(const KORVU_ASN1_LIST *permitted_subtrees,
                                                     const KORVU_ASN1_LIST *excluded_subtrees,
                                                     const KORVU_X509_NAMEFORMS *required_name_forms);
KORVU_API KORVU_ASN1_LIST *korvu_x509namecons_getpermit(const KORVU_X509_NAMECONS *nc);
KORVU_API KORVU_ASN1_LIST *korvu_x509namecons_getexclude(const KORVU_X509_NAMECONS *nc);
KORVU_API KORVU_X509_NAMEFORMS *korvu_x509namecons_getreqforms(const KORVU_X509_NAMECONS *nc);

/* ---- PolicyConstraints (82) --------------------------------------------- */
typedef struct korvu_x509_polcons_st {
  KORVU_ASN1_INTEGER *requireExplicitPolicy; /* [0] */
  uint32_t hasRequireExplicitPolicy;
  KORVU_ASN1_INTEGER *inhibitPolicyMapping; /* [1] */
  uint32_t hasInhibitPolicyMapping;
} KORVU_X509_POLCONS;

KORVU_API KORVU_X509_POLCONS *korvu_x509polcons_new(const KORVU_ASN1_INTEGER *require_explicit_policy,
                                                   const KORVU_ASN1_INTEGER *inhibit_policy_mapping);
KORVU_API KORVU_ASN1_INTEGER *korvu_x509polcons_getreqexppol(const KORVU_X509_POLCONS *pc);
KORVU_API KORVU_ASN1_INTEGER *korvu_x509polcons_getinhibitpolmap(const KORVU_X509_POLCONS *pc);

/* ---- DistributionPointName (83), DistributionPoint (84), CRLDistributionPoints (85: a list of
 * KORVU_X509_DISTPOINT) ------------------------------------------------------ */
/* choice 0: fullName, a GeneralNames list; 1: nameRelativeToCRLIssuer, a RelativeDistinguishedName list. */
typedef struct korvu_x509_distpointname_st {
  uint32_t choice;
  void *value;
} KORVU_X509_DISTPOINTNAME;

KORVU_API KORVU_X509_DISTPOINTNAME *korvu_x509distpointname_new_fullname(const KORVU_ASN1_LIST *full_name);
KORVU_API KORVU_X509_DISTPOINTNAME *korvu_x509distpointname_new_relname(const KORVU_ASN1_LIST *relative_name);
/* The choice number, 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_x509distpointname_gettype(const KORVU_X509_DISTPOINTNAME *name);
KORVU_API KORVU_ASN1_LIST *korvu_x509distpointname_getfullname(const KORVU_X509_DISTPOINTNAME *name);
KORVU_API KORVU_ASN1_LIST *korvu_x509distpointname_getrelname(const KORVU_X509_DISTPOINTNAME *name);

typedef struct korvu_x509_distpoint_st {
  KORVU_X509_DISTPOINTNAME *distributionPoint; /* [0] */
  uint32_t hasDistributionPoint;
  KORVU_ASN1_BITSTRING *reasons; /* [1] ReasonFlags */
  uint32_t hasReasons;
  KORVU_ASN1_LIST *cRLIssuer; /* [2] GeneralNames */
  uint32_t hasCRLIssuer;
} KORVU_X509_DISTPOINT;

KORVU_API KORVU_X509_DISTPOINT *korvu_x509distpoint_new(const KORVU_X509_DISTPOINTNAME *distribution_point,
                                                       const KORVU_ASN1_BITSTRING *reasons,
                                                       const KORVU_ASN1_LIST *crl_issuer);
KORVU_API KORVU_X509_DISTPOINTNAME *korvu_x509distpoint_getname(const KORVU_X509_DISTPOINT *dp);
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509distpoint_getreason(const KORVU_X509_DISTPOINT *dp);
KORVU_API KORVU_ASN1_LIST *korvu_x509distpoint_getcrlissuer(const KORVU_X509_DISTPOINT *dp);

/* ---- AccessDescription (86), AuthorityInfoAccess (87: a list of KORVU_PKIX_ACCESSDESC) ---- */
typedef struct korvu_pkix_accessdesc_st {
  KORVU_ASN1_OID *accessMethod;
  KORVU_X509_GENERALNAME *accessLocation;
} KORVU_PKIX_ACCESSDESC;

KORVU_API KORVU_PKIX_ACCESSDESC *korvu_pkixaccessdesp_new(const KORVU_ASN1_OID *access_method,
                                                         const KORVU_X509_GENERALNAME *access_location);
KORVU_API KORVU_ASN1_OID *korvu_pkixaccessdesp_getmethod(const KORVU_PKIX_ACCESSDESC *ad);
KORVU_API KORVU_X509_GENERALNAME *korvu_pkixaccessdesp_getlocate(const KORVU_PKIX_ACCESSDESC *ad);

/* ---- IssuingDistributionPoint (88) --------------------------------------- */
typedef struct korvu_pkix_idp_st {
  KORVU_X509_DISTPOINTNAME *distributionPoint; /* [0] */
  uint32_t hasDistributionPoint;
  KORVU_ASN1_BOOLEAN *onlyContainsUserCerts; /* [1], always present */
  KORVU_ASN1_BOOLEAN *onlyContainsCACerts;   /* [2], always present */
  KORVU_ASN1_BITSTRING *onlySomeReasons;     /* [3] */
  uint32_t hasOnlySomeReasons;
  KORVU_ASN1_BOOLEAN *indirectCRL;                /* [4], always present */
  KORVU_ASN1_BOOLEAN *onlyContainsAttributeCerts; /* [5], always present */
} KORVU_PKIX_IDP;

/* Every argument may be null (a null boolean is FALSE); refused when the CA, user and attribute flags are all
 * given and all TRUE. Note the order: the CA flag before the user flag. */
KORVU_API KORVU_PKIX_IDP *korvu_pkixidp_new2(const KORVU_X509_DISTPOINTNAME *distribution_point,
                                            const KORVU_ASN1_BOOLEAN *only_ca_certs,
                                            const KORVU_ASN1_BOOLEAN *only_user_certs,
                                            const KORVU_ASN1_BITSTRING *only_some_reasons,
                                            const KORVU_ASN1_BOOLEAN *indirect_crl,
                                            const KORVU_ASN1_BOOLEAN *only_attribute_certs);
/* korvu_pkixidp_new2 with a null onlyContainsAttributeCerts. */
KORVU_API KORVU_PKIX_IDP *korvu_pkixidp_new(const KORVU_X509_DISTPOINTNAME *distribution_point,
                                           const KORVU_ASN1_BOOLEAN *only_ca_certs,
                                           const KORVU_ASN1_BOOLEAN *only_user_certs,
                                           const KORVU_ASN1_BITSTRING *only_some_reasons,
                                           const KORVU_ASN1_BOOLEAN *indirect_crl);
KORVU_API KORVU_X509_DISTPOINTNAME *korvu_pkixidp_getdpname(const KORVU_PKIX_IDP *idp);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_pkixidp_getonlyusercert(const KORVU_PKIX_IDP *idp);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_pkixidp_getonlycacert(const KORVU_PKIX_IDP *idp);
KORVU_API KORVU_ASN1_BITSTRING *korvu_pkixidp_getonlysomereason(const KORVU_PKIX_IDP *idp);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_pkixidp_getindirectCRL(const KORVU_PKIX_IDP *idp);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_pkixidp_getonlyattrcert(const KORVU_PKIX_IDP *idp);

/* ---- AAIssuingDistributionPoint (89) ------------------------------------- */
typedef struct korvu_x509_aaidp_st {
  KORVU_X509_DISTPOINTNAME *distributionPoint; /* [0] */
  uint32_t hasDistributionPoint;
  KORVU_ASN1_BITSTRING *onlySomeReasons; /* [1] */
  uint32_t hasOnlySomeReasons;
  KORVU_ASN1_BOOLEAN *indirectCRL;                /* [2], always present, FALSE by default */
  KORVU_ASN1_BOOLEAN *containsUserAttributeCerts; /* [3], always present, TRUE by default */
  KORVU_ASN1_BOOLEAN *containsAACerts;            /* [4], always present, TRUE by default */
  KORVU_ASN1_BOOLEAN *containsSOAPublicKeyCerts;  /* [5], always present, TRUE by default */
} KORVU_X509_AAIDP;

/* Null contains-flags are TRUE, a null indirectCRL FALSE. Note the argument order. */
KORVU_API KORVU_X509_AAIDP *korvu_x509aaidp_new(const KORVU_X509_DISTPOINTNAME *distribution_point,
                                               const KORVU_ASN1_BOOLEAN *contains_aa_certs,
                                               const KORVU_ASN1_BOOLEAN *contains_user_attribute_certs,
                                               const KORVU_ASN1_BOOLEAN *contains_soa_public_key_certs,
                                               const KORVU_ASN1_BITSTRING *only_some_reasons,
                                               const KORVU_ASN1_BOOLEAN *indirect_crl);
KORVU_API KORVU_X509_DISTPOINTNAME *korvu_x509aaidp_getdpname(const KORVU_X509_AAIDP *idp);
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509aaidp_getonlysomereason(const KORVU_X509_AAIDP *idp);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509aaidp_getindirectCRL(const KORVU_X509_AAIDP *idp);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509aaidp_getcontuserattrcert(const KORVU_X509_AAIDP *idp);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509aaidp_getcontaacert(const KORVU_X509_AAIDP *idp);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509aaidp_getcontsoacert(const KORVU_X509_AAIDP *idp);

/* ---- IdentityCode (217) -------------------------------------------------- */
/* choice 0: residenterCardNumber [0] PrintableString; 1: militaryOfficerCardNumber [1] UTF8String;
 * 2: passportNumber [2] PrintableString. */
typedef struct korvu_identitycode_st {
  uint32_t choice;
  void *value;
} KORVU_IDENTITYCODE;

KORVU_API KORVU_IDENTITYCODE *korvu_identitycode_newresidentercardnumber(const KORVU_ASN1_STRING *number);
KORVU_API KORVU_IDENTITYCODE *korvu_identitycode_newmilitaryofficercardnumber(const KORVU_ASN1_STRING *number);
KORVU_API KORVU_IDENTITYCODE *korvu_identitycode_newpassportnumber(const KORVU_ASN1_STRING *number);
/* The choice number, 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_identitycode_gettype(const KORVU_IDENTITYCODE *code);
KORVU_API KORVU_ASN1_STRING *korvu_identitycode_getresidentercardnumber(const KORVU_IDENTITYCODE *code);
KORVU_API KORVU_ASN1_STRING *korvu_identitycode_getmilitaryofficercardnumber(const KORVU_IDENTITYCODE *code);
KORVU_API KORVU_ASN1_STRING *korvu_identitycode_getpassportnumber(const KORVU_IDENTITYCODE *code);

/* ---- TypeOfBiometricData (219), BiometricData (220) ---------------------- */
/* choice 1: predefinedBiometricType INTEGER; 2: biometricDataOid OBJECT IDENTIFIER. */
typedef struct korvu_typeofbiometricdata_st {
  uint32_t choice;
  void *value;
} KORVU_TYPEOFBIOMETRICDATA;

KORVU_API KORVU_TYPEOFBIOMETRICDATA *korvu_typeofbiometricdata_newpredefined(const KORVU_ASN1_INTEGER *type);
KORVU_API KORVU_TYPEOFBIOMETRICDATA *korvu_typeofbiometricdata_newoid(const KORVU_ASN1_OID *oid);
/* The choice number, 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_typeofbiometricdata_gettype(const KORVU_TYPEOFBIOMETRICDATA *type);
KORVU_API KORVU_ASN1_INTEGER *korvu_typeofbiometricdata_getpredefined(const KORVU_TYPEOFBIOMETRICDATA *type);
KORVU_API KORVU_ASN1_OID *korvu_typeofbiometricdata_getoid(const KORVU_TYPEOFBIOMETRICDATA *type);

typedef struct korvu_biometricdata_st {
  KORVU_TYPEOFBIOMETRICDATA *typeOfBiometricData;
  KORVU_X509_ALGID *hashAlgorithm;
  KORVU_ASN1_OCTETSTRING *biometricDataHash;
  KORVU_ASN1_STRING *sourceDataUri; /* IA5String, null when absent */
} KORVU_BIOMETRICDATA;

KORVU_API KORVU_BIOMETRICDATA *korvu_biometricdata_new(const KORVU_TYPEOFBIOMETRICDATA *type,
                                                      const KORVU_X509_ALGID *hash_algorithm,
                                                      const KORVU_ASN1_OCTETSTRING *hash,
                                                      const KORVU_ASN1_STRING *source_data_uri);
KORVU_API KORVU_TYPEOFBIOMETRICDATA *korvu_biometricdata_gettype(const KORVU_BIOMETRICDATA *data);
KORVU_API KORVU_X509_ALGID *korvu_biometricdata_gethashalgorithm(const KORVU_BIOMETRICDATA *data);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_biometricdata_gethashvalue(const KORVU_BIOMETRICDATA *data);
KORVU_API KORVU_ASN1_STRING *korvu_biometricdata_geturi(const KORVU_BIOMETRICDATA *data);

/* ---- QCStatement (221), QCStatements (222: a list of KORVU_QCSTATEMENT),
 * NameRegistrationAuthorities (223: a list of KORVU_X509_GENERALNAME), SemanticsInformation (224) ---- */
/* QCStatement is the AlgorithmIdentifier record: statementId and the optional statementInfo (ANY). */
typedef KORVU_X509_ALGID KORVU_QCSTATEMENT;

typedef struct korvu_semanticsinformation_st {
  KORVU_ASN1_OID *semanticsIdentifier;       /* null when absent */
  KORVU_ASN1_LIST *nameRegistrationAuthorities; /* of KORVU_X509_GENERALNAME, null when absent */
} KORVU_SEMANTICSINFORMATION;

/* Not both null. */
KORVU_API KORVU_SEMANTICSINFORMATION *korvu_semanticsinformation_new(const KORVU_ASN1_OID *semantics_identifier,
                                                                    const KORVU_ASN1_LIST *name_authorities);
KORVU_API KORVU_ASN1_OID *korvu_semanticsinformation_getsemanticsIdentifier(const KORVU_SEMANTICSINFORMATION *si);
KORVU_API KORVU_ASN1_LIST *korvu_semanticsinformation_getnameregauthorities(const KORVU_SEMANTICSINFORMATION *si);

/* ---- identification item (299), identification items (300: a list of KORVU_IDENTIFICATIONITEM) ---- */
typedef struct korvu_identificationitem_st {
  KORVU_ASN1_INTEGER *type;
  KORVU_ASN1_INTEGER *encode;
  KORVU_ASN1_OCTETSTRING *value;
} KORVU_IDENTIFICATIONITEM;

KORVU_API KORVU_IDENTIFICATIONITEM *korvu_korvuidentificationitem_new(const KORVU_ASN1_INTEGER *type,
                                                                     const KORVU_ASN1_INTEGER *encode,
                                                                     const KORVU_ASN1_OCTETSTRING *value);
KORVU_API KORVU_ASN1_INTEGER *korvu_korvuidentificationitem_gettype(const KORVU_IDENTIFICATIONITEM *item);
KORVU_API KORVU_ASN1_INTEGER *korvu_korvuidentificationitem_getencode(const KORVU_IDENTIFICATIONITEM *item);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_korvuidentificationitem_getvalue(const KORVU_IDENTIFICATIONITEM *item);

#ifdef __cplusplus
}
#endif
#endif
