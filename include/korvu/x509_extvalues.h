/** @file
 * KORVU ASN.1: the values of the standard certificate and CRL extensions (RFC 5280 4.2.1, 5.2), the attribute
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
/** The record of AuthorityKeyIdentifier (65). */
typedef struct korvu_x509_akid_st {
  KORVU_ASN1_OCTETSTRING *keyIdentifier; /**< [0] */
  uint32_t hasKeyIdentifier;                     /**< 1 when `keyIdentifier` is present, else 0 */
  KORVU_ASN1_LIST *authorityCertIssuer; /**< [1] GeneralNames: of KORVU_X509_GENERALNAME */
  uint32_t hasAuthorityCertIssuer;               /**< 1 when `authorityCertIssuer` is present, else 0 */
  KORVU_ASN1_INTEGER *authorityCertSerialNumber; /**< [2] */
  uint32_t hasAuthorityCertSerialNumber;         /**< 1 when `authorityCertSerialNumber` is present, else 0 */
} KORVU_X509_AKID;

/** A new AuthorityKeyIdentifier (65) of copies of the arguments, in component order; null when a required one is
 * null or building fails. Issuer and serial both given or both null; keyIdentifier and serial not both null. */
KORVU_API KORVU_X509_AKID *korvu_x509akid_new(const KORVU_ASN1_OCTETSTRING *key_identifier,
                                             const KORVU_ASN1_LIST *authority_cert_issuer,
                                             const KORVU_ASN1_INTEGER *authority_cert_serial);
/** The record's `keyIdentifier` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_x509akid_getkeyid(const KORVU_X509_AKID *akid);
/** The record's `authorityCertIssuer` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509akid_getissuerissuer(const KORVU_X509_AKID *akid);
/** The record's `authorityCertSerialNumber` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509akid_getissuercertsn(const KORVU_X509_AKID *akid);

/* ---- ExtKeyUsage (66): a list of KORVU_ASN1_OID ------------------------ */

/* ---- PrivateKeyUsagePeriod (67) ----------------------------------------- */
/** The record of PrivateKeyUsagePeriod (67). */
typedef struct korvu_x509_privkeyperiod_st {
  KORVU_ASN1_TIME *notBefore; /**< [0] GeneralizedTime */
  uint32_t hasNotBefore;      /**< 1 when `notBefore` is present, else 0 */
  KORVU_ASN1_TIME *notAfter; /**< [1] GeneralizedTime */
  uint32_t hasNotAfter;       /**< 1 when `notAfter` is present, else 0 */
} KORVU_X509_PRIVKEYPERIOD;

/** A new PrivateKeyUsagePeriod (67) of copies of the arguments, in component order; null when a required one is
 * null or building fails. Not both null. */
KORVU_API KORVU_X509_PRIVKEYPERIOD *korvu_x509privkeyperiod_new(const KORVU_ASN1_TIME *not_before,
                                                               const KORVU_ASN1_TIME *not_after);
/** The record's `notBefore` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_x509privkeyperiod_getnotbefore(const KORVU_X509_PRIVKEYPERIOD *period);
/** The record's `notAfter` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_x509privkeyperiod_getnotafter(const KORVU_X509_PRIVKEYPERIOD *period);

/* ---- PolicyQualifierInfo (68), PolicyQualifierInfos (137), PolicyInformation (69),
 * CertificatePolicies (70: a list of KORVU_X509_POLICYINFO) ---------------- */
/** PolicyQualifierInfo is the AlgorithmIdentifier record: policyQualifierId and the optional qualifier (ANY). */
typedef KORVU_X509_ALGID KORVU_X509_POLQUALIFIERINFO;

/** A new PolicyQualifierInfo from a copy of the id and of the qualifier (left out when null); null when the id is
 * null or building fails. */
KORVU_API KORVU_X509_POLQUALIFIERINFO *korvu_x509polqualifierinfo_new(const KORVU_ASN1_OID *policy_qualifier_id,
                                                                     const KORVU_ASN1_ANY *qualifier);
/** The record's policyQualifierId (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_x509polqualifierinfo_getid(const KORVU_X509_POLQUALIFIERINFO *info);
/** The record's qualifier (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_x509polqualifierinfo_getqualifier(const KORVU_X509_POLQUALIFIERINFO *info);

/** The record of PolicyInformation (69). */
typedef struct korvu_x509_policyinfo_st {
  KORVU_ASN1_OID *policyIdentifier;  /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_LIST *policyQualifiers; /**< of KORVU_X509_POLQUALIFIERINFO */
  uint32_t hasPolicyQualifiers;      /**< 1 when `policyQualifiers` is present, else 0 */
} KORVU_X509_POLICYINFO;

/** A new PolicyInformation (69) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_X509_POLICYINFO *korvu_x509policyinfo_new(const KORVU_ASN1_OID *policy_identifier,
                                                         const KORVU_ASN1_LIST *policy_qualifiers);
/** The record's `policyIdentifier` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_x509policyinfo_getid(const KORVU_X509_POLICYINFO *info);
/** The record's `policyQualifiers` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509policyinfo_getqualifiers(const KORVU_X509_POLICYINFO *info);

/* ---- DisplayText (71), noticeNumbers (138: a list of KORVU_ASN1_INTEGER), NoticeReference (72),
 * UserNotice (73) ----------------------------------------------------------- */
/** DisplayText is the DirectoryString record: the string's universal tag (22 IA5String, 26 VisibleString,
 * 30 BMPString, 12 UTF8String) and its contents octets. */
typedef KORVU_X500_DIRSTRING KORVU_PKIX_DISPLAYTEXT;

/** A new DisplayText of the string type `tag` (22, 26, 30 or 12) holding a copy of `string`; null for another tag,
 * a null string or when the copy fails. */
KORVU_API KORVU_PKIX_DISPLAYTEXT *korvu_pkixdisplaytext_new(uint32_t tag, const KORVU_ASN1_OCTETSTRING *string);
/** 1 and the tag, or 0 for a null argument. */
KORVU_API int korvu_pkixdisplaytext_gettype(const KORVU_PKIX_DISPLAYTEXT *text, uint32_t *tag);
/** The record's `string` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkixdisplaytext_getstring(const KORVU_PKIX_DISPLAYTEXT *text);

/** The record of NoticeReference (72). */
typedef struct korvu_pkix_noticeref_st {
  KORVU_PKIX_DISPLAYTEXT *organization; /**< DisplayText (71) */
  KORVU_ASN1_LIST *noticeNumbers; /**< of KORVU_ASN1_INTEGER */
} KORVU_PKIX_NOTICEREF;

/** A new NoticeReference (72) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKIX_NOTICEREF *korvu_pkixnoticeref_new(const KORVU_PKIX_DISPLAYTEXT *organization,
                                                       const KORVU_ASN1_LIST *notice_numbers);
/** The record's `organization` (not a copy), null for a null record. */
KORVU_API KORVU_PKIX_DISPLAYTEXT *korvu_pkixnoticeref_getorg(const KORVU_PKIX_NOTICEREF *ref);
/** The record's `noticeNumbers` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_pkixnoticeref_getnums(const KORVU_PKIX_NOTICEREF *ref);

/** The record of UserNotice (73). */
typedef struct korvu_pkix_usernotice_st {
  KORVU_PKIX_NOTICEREF *noticeRef; /**< NoticeReference (72), OPTIONAL: null when absent */
  uint32_t hasNoticeRef; /**< 1 when `noticeRef` is present, else 0 */
  KORVU_PKIX_DISPLAYTEXT *explicitText; /**< DisplayText (71), OPTIONAL: null when absent */
  uint32_t hasExplicitText; /**< 1 when `explicitText` is present, else 0 */
} KORVU_PKIX_USERNOTICE;

/** A new UserNotice (73) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_PKIX_USERNOTICE *korvu_pkixusernotice_new(const KORVU_PKIX_NOTICEREF *notice_ref,
                                                         const KORVU_PKIX_DISPLAYTEXT *explicit_text);
/** The record's `noticeRef` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_PKIX_NOTICEREF *korvu_pkixusernotice_getref(const KORVU_PKIX_USERNOTICE *notice);
/** The record's `explicitText` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_PKIX_DISPLAYTEXT *korvu_pkixusernotice_gettext(const KORVU_PKIX_USERNOTICE *notice);

/* ---- PolicyMapping (139), PolicyMappings (74: a list of KORVU_X509_POLICYMAPPING),
 * SubjectDirectoryAttributes (75: a list of KORVU_X500_ATTRIBUTE) ---------- */
/** The record of PolicyMapping (139). */
typedef struct korvu_x509_policymapping_st {
  KORVU_ASN1_OID *issuerDomainPolicy; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OID *subjectDomainPolicy; /**< OBJECT IDENTIFIER (6) */
} KORVU_X509_POLICYMAPPING;

/** A new PolicyMapping (139) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_X509_POLICYMAPPING *korvu_x509policymapping_new(const KORVU_ASN1_OID *issuer_domain_policy,
                                                               const KORVU_ASN1_OID *subject_domain_policy);
/** The record's `issuerDomainPolicy` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_x509policymapping_getissuerpolicy(const KORVU_X509_POLICYMAPPING *mapping);
/** The record's `subjectDomainPolicy` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_x509policymapping_getsubjectpolicy(const KORVU_X509_POLICYMAPPING *mapping);

/* ---- BasicConstraints (76) ---------------------------------------------- */
/** The record of BasicConstraints (76). */
typedef struct korvu_x509_basicconstraints_st {
  KORVU_ASN1_BOOLEAN *cA; /**< always present; FALSE when the encoding leaves it out */
  KORVU_ASN1_INTEGER *pathLenConstraint; /**< INTEGER (2), OPTIONAL: null when absent */
  uint32_t hasPathLenConstraint; /**< 1 when `pathLenConstraint` is present, else 0 */
} KORVU_X509_BASICCONSTRAINTS;

/** A new BasicConstraints (76) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null cA is FALSE; pathLenConstraint is kept only when cA is TRUE. */
KORVU_API KORVU_X509_BASICCONSTRAINTS *korvu_x509basicconstraints_new(const KORVU_ASN1_BOOLEAN *ca,
                                                                     const KORVU_ASN1_INTEGER *path_len);
/** The record's `cA` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509basicconstraints_getisca(const KORVU_X509_BASICCONSTRAINTS *bc);
/** The record's `pathLenConstraint` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509basicconstraints_getlen(const KORVU_X509_BASICCONSTRAINTS *bc);

/* ---- GeneralSubtree (77), GeneralSubtrees (78: a list of KORVU_X509_GENSUBTREE), NameForms (79),
 * NameConstraints (80, and 81: the same record without requiredNameForms) --- */
/** The record of GeneralSubtree (77). */
typedef struct korvu_x509_gensubtree_st {
  KORVU_X509_GENERALNAME *base; /**< GeneralName (63) */
  KORVU_ASN1_INTEGER *minimum; /**< [0], always present; 0 when the encoding leaves it out */
  KORVU_ASN1_INTEGER *maximum; /**< [1] */
  uint32_t hasMaximum;         /**< 1 when `maximum` is present, else 0 */
} KORVU_X509_GENSUBTREE;

/** A new GeneralSubtree (77) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_X509_GENSUBTREE *korvu_x509gensubtree_new(const KORVU_X509_GENERALNAME *base,
                                                         const KORVU_ASN1_INTEGER *minimum,
                                                         const KORVU_ASN1_INTEGER *maximum);
/** The record's `base` (not a copy), null for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_x509gensubtree_getbase(const KORVU_X509_GENSUBTREE *subtree);
/** The record's `minimum` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509gensubtree_getmin(const KORVU_X509_GENSUBTREE *subtree);
/** The record's `maximum` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509gensubtree_getmax(const KORVU_X509_GENSUBTREE *subtree);

/** The record of NameForms (79). */
typedef struct korvu_x509_nameforms_st {
  KORVU_ASN1_BITSTRING *basicNameForms; /**< [0] */
  uint32_t hasBasicNameForms;           /**< 1 when `basicNameForms` is present, else 0 */
  KORVU_ASN1_LIST *otherNameForms; /**< [1] of KORVU_ASN1_OID */
  uint32_t hasOtherNameForms;           /**< 1 when `otherNameForms` is present, else 0 */
} KORVU_X509_NAMEFORMS;

/** A new NameForms (79) of copies of the arguments, in component order; null when a required one is null or
 * building fails. Not both null. */
KORVU_API KORVU_X509_NAMEFORMS *korvu_x509nameforms_new(const KORVU_ASN1_BITSTRING *basic_name_forms,
                                                       const KORVU_ASN1_LIST *other_name_forms);
/** The record's `basicNameForms` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509nameforms_getbasic(const KORVU_X509_NAMEFORMS *forms);
/** The record's `otherNameForms` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509nameforms_getother(const KORVU_X509_NAMEFORMS *forms);

/** The record of NameConstraints (X.509 form) (80) and NameConstraints (PKIX form) (81). */
typedef struct korvu_x509_namecons_st {
  KORVU_ASN1_LIST *permittedSubtrees; /**< [0] GeneralSubtrees */
  uint32_t hasPermittedSubtrees;           /**< 1 when `permittedSubtrees` is present, else 0 */
  KORVU_ASN1_LIST *excludedSubtrees; /**< [1] GeneralSubtrees */
  uint32_t hasExcludedSubtrees;            /**< 1 when `excludedSubtrees` is present, else 0 */
  KORVU_X509_NAMEFORMS *requiredNameForms; /**< [2]; never present in type 81 */
  uint32_t hasRequiredNameForms;           /**< 1 when `requiredNameForms` is present, else 0 */
} KORVU_X509_NAMECONS;

/** A new NameConstraints (X.509 form) (80) of copies of the arguments, in component order; null when a required
 * one is null or building fails. */
KORVU_API KORVU_X509_NAMECONS *korvu_x509namecons_new(const KORVU_ASN1_LIST *permitted_subtrees,
                                                     const KORVU_ASN1_LIST *excluded_subtrees,
                                                     const KORVU_X509_NAMEFORMS *required_name_forms);
/** The record's `permittedSubtrees` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509namecons_getpermit(const KORVU_X509_NAMECONS *nc);
/** The record's `excludedSubtrees` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509namecons_getexclude(const KORVU_X509_NAMECONS *nc);
/** The record's `requiredNameForms` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_NAMEFORMS *korvu_x509namecons_getreqforms(const KORVU_X509_NAMECONS *nc);

/* ---- PolicyConstraints (82) --------------------------------------------- */
/** The record of PolicyConstraints (82). */
typedef struct korvu_x509_polcons_st {
  KORVU_ASN1_INTEGER *requireExplicitPolicy; /**< [0] */
  uint32_t hasRequireExplicitPolicy;         /**< 1 when `requireExplicitPolicy` is present, else 0 */
  KORVU_ASN1_INTEGER *inhibitPolicyMapping; /**< [1] */
  uint32_t hasInhibitPolicyMapping;          /**< 1 when `inhibitPolicyMapping` is present, else 0 */
} KORVU_X509_POLCONS;

/** A new PolicyConstraints (82) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_X509_POLCONS *korvu_x509polcons_new(const KORVU_ASN1_INTEGER *require_explicit_policy,
                                                   const KORVU_ASN1_INTEGER *inhibit_policy_mapping);
/** The record's `requireExplicitPolicy` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509polcons_getreqexppol(const KORVU_X509_POLCONS *pc);
/** The record's `inhibitPolicyMapping` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509polcons_getinhibitpolmap(const KORVU_X509_POLCONS *pc);

/* ---- DistributionPointName (83), DistributionPoint (84), CRLDistributionPoints (85: a list of
 * KORVU_X509_DISTPOINT) ------------------------------------------------------ */
/** choice 0: fullName, a GeneralNames list; 1: nameRelativeToCRLIssuer, a RelativeDistinguishedName list. */
typedef struct korvu_x509_distpointname_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_X509_DISTPOINTNAME;

/** A new DistributionPointName (83) holding a copy of the argument as alternative 0; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_X509_DISTPOINTNAME *korvu_x509distpointname_new_fullname(const KORVU_ASN1_LIST *full_name);
/** A new DistributionPointName (83) holding a copy of the argument as alternative 1; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_X509_DISTPOINTNAME *korvu_x509distpointname_new_relname(const KORVU_ASN1_LIST *relative_name);
/** The choice number, 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_x509distpointname_gettype(const KORVU_X509_DISTPOINTNAME *name);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_x509distpointname_getfullname(const KORVU_X509_DISTPOINTNAME *name);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_x509distpointname_getrelname(const KORVU_X509_DISTPOINTNAME *name);

/** The record of DistributionPoint (84). */
typedef struct korvu_x509_distpoint_st {
  KORVU_X509_DISTPOINTNAME *distributionPoint; /**< [0] */
  uint32_t hasDistributionPoint;               /**< 1 when `distributionPoint` is present, else 0 */
  KORVU_ASN1_BITSTRING *reasons; /**< [1] ReasonFlags */
  uint32_t hasReasons;                         /**< 1 when `reasons` is present, else 0 */
  KORVU_ASN1_LIST *cRLIssuer; /**< [2] GeneralNames */
  uint32_t hasCRLIssuer;                       /**< 1 when `cRLIssuer` is present, else 0 */
} KORVU_X509_DISTPOINT;

/** A new DistributionPoint (84) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_X509_DISTPOINT *korvu_x509distpoint_new(const KORVU_X509_DISTPOINTNAME *distribution_point,
                                                       const KORVU_ASN1_BITSTRING *reasons,
                                                       const KORVU_ASN1_LIST *crl_issuer);
/** The record's `distributionPoint` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_DISTPOINTNAME *korvu_x509distpoint_getname(const KORVU_X509_DISTPOINT *dp);
/** The record's `reasons` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509distpoint_getreason(const KORVU_X509_DISTPOINT *dp);
/** The record's `cRLIssuer` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509distpoint_getcrlissuer(const KORVU_X509_DISTPOINT *dp);

/* ---- AccessDescription (86), AuthorityInfoAccess (87: a list of KORVU_PKIX_ACCESSDESC) ---- */
/** The record of AccessDescription (86). */
typedef struct korvu_pkix_accessdesc_st {
  KORVU_ASN1_OID *accessMethod; /**< OBJECT IDENTIFIER (6) */
  KORVU_X509_GENERALNAME *accessLocation; /**< GeneralName (63) */
} KORVU_PKIX_ACCESSDESC;

/** A new AccessDescription (86) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_PKIX_ACCESSDESC *korvu_pkixaccessdesp_new(const KORVU_ASN1_OID *access_method,
                                                         const KORVU_X509_GENERALNAME *access_location);
/** The record's `accessMethod` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_pkixaccessdesp_getmethod(const KORVU_PKIX_ACCESSDESC *ad);
/** The record's `accessLocation` (not a copy), null for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_pkixaccessdesp_getlocate(const KORVU_PKIX_ACCESSDESC *ad);

/* ---- IssuingDistributionPoint (88) --------------------------------------- */
/** The record of IssuingDistributionPoint (88). */
typedef struct korvu_pkix_idp_st {
  KORVU_X509_DISTPOINTNAME *distributionPoint; /**< [0] */
  uint32_t hasDistributionPoint;                  /**< 1 when `distributionPoint` is present, else 0 */
  KORVU_ASN1_BOOLEAN *onlyContainsUserCerts; /**< [1], always present */
  KORVU_ASN1_BOOLEAN *onlyContainsCACerts;   /**< [2], always present */
  KORVU_ASN1_BITSTRING *onlySomeReasons;     /**< [3] */
  uint32_t hasOnlySomeReasons;                    /**< 1 when `onlySomeReasons` is present, else 0 */
  KORVU_ASN1_BOOLEAN *indirectCRL;                /**< [4], always present */
  KORVU_ASN1_BOOLEAN *onlyContainsAttributeCerts; /**< [5], always present */
} KORVU_PKIX_IDP;

/** A new IssuingDistributionPoint (88) of copies of the arguments, in component order; null when a required one is
 * null or building fails. Every argument may be null (a null boolean is FALSE); refused when the CA, user and
 * attribute flags are all given and all TRUE. Note the order: the CA flag before the user flag. */
KORVU_API KORVU_PKIX_IDP *korvu_pkixidp_new2(const KORVU_X509_DISTPOINTNAME *distribution_point,
                                            const KORVU_ASN1_BOOLEAN *only_ca_certs,
                                            const KORVU_ASN1_BOOLEAN *only_user_certs,
                                            const KORVU_ASN1_BITSTRING *only_some_reasons,
                                            const KORVU_ASN1_BOOLEAN *indirect_crl,
                                            const KORVU_ASN1_BOOLEAN *only_attribute_certs);
/** korvu_pkixidp_new2 with a null onlyContainsAttributeCerts. */
KORVU_API KORVU_PKIX_IDP *korvu_pkixidp_new(const KORVU_X509_DISTPOINTNAME *distribution_point,
                                           const KORVU_ASN1_BOOLEAN *only_ca_certs,
                                           const KORVU_ASN1_BOOLEAN *only_user_certs,
                                           const KORVU_ASN1_BITSTRING *only_some_reasons,
                                           const KORVU_ASN1_BOOLEAN *indirect_crl);
/** The record's `distributionPoint` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_DISTPOINTNAME *korvu_pkixidp_getdpname(const KORVU_PKIX_IDP *idp);
/** The record's `onlyContainsUserCerts` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_pkixidp_getonlyusercert(const KORVU_PKIX_IDP *idp);
/** The record's `onlyContainsCACerts` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_pkixidp_getonlycacert(const KORVU_PKIX_IDP *idp);
/** The record's `onlySomeReasons` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_pkixidp_getonlysomereason(const KORVU_PKIX_IDP *idp);
/** The record's `indirectCRL` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_pkixidp_getindirectCRL(const KORVU_PKIX_IDP *idp);
/** The record's `onlyContainsAttributeCerts` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_pkixidp_getonlyattrcert(const KORVU_PKIX_IDP *idp);

/* ---- AAIssuingDistributionPoint (89) ------------------------------------- */
/** The record of AAIssuingDistributionPoint (89). */
typedef struct korvu_x509_aaidp_st {
  KORVU_X509_DISTPOINTNAME *distributionPoint; /**< [0] */
  uint32_t hasDistributionPoint;                  /**< 1 when `distributionPoint` is present, else 0 */
  KORVU_ASN1_BITSTRING *onlySomeReasons; /**< [1] */
  uint32_t hasOnlySomeReasons;                    /**< 1 when `onlySomeReasons` is present, else 0 */
  KORVU_ASN1_BOOLEAN *indirectCRL;                /**< [2], always present, FALSE by default */
  KORVU_ASN1_BOOLEAN *containsUserAttributeCerts; /**< [3], always present, TRUE by default */
  KORVU_ASN1_BOOLEAN *containsAACerts;            /**< [4], always present, TRUE by default */
  KORVU_ASN1_BOOLEAN *containsSOAPublicKeyCerts;  /**< [5], always present, TRUE by default */
} KORVU_X509_AAIDP;

/** A new AAIssuingDistributionPoint (89) of copies of the arguments, in component order; null when a required one
 * is null or building fails. Null contains-flags are TRUE, a null indirectCRL FALSE. Note the argument order. */
KORVU_API KORVU_X509_AAIDP *korvu_x509aaidp_new(const KORVU_X509_DISTPOINTNAME *distribution_point,
                                               const KORVU_ASN1_BOOLEAN *contains_aa_certs,
                                               const KORVU_ASN1_BOOLEAN *contains_user_attribute_certs,
                                               const KORVU_ASN1_BOOLEAN *contains_soa_public_key_certs,
                                               const KORVU_ASN1_BITSTRING *only_some_reasons,
                                               const KORVU_ASN1_BOOLEAN *indirect_crl);
/** The record's `distributionPoint` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_DISTPOINTNAME *korvu_x509aaidp_getdpname(const KORVU_X509_AAIDP *idp);
/** The record's `onlySomeReasons` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509aaidp_getonlysomereason(const KORVU_X509_AAIDP *idp);
/** The record's `indirectCRL` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509aaidp_getindirectCRL(const KORVU_X509_AAIDP *idp);
/** The record's `containsUserAttributeCerts` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509aaidp_getcontuserattrcert(const KORVU_X509_AAIDP *idp);
/** The record's `containsAACerts` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509aaidp_getcontaacert(const KORVU_X509_AAIDP *idp);
/** The record's `containsSOAPublicKeyCerts` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509aaidp_getcontsoacert(const KORVU_X509_AAIDP *idp);

/* ---- IdentityCode (217) -------------------------------------------------- */
/** choice 0: residenterCardNumber [0] PrintableString; 1: militaryOfficerCardNumber [1] UTF8String;
 * 2: passportNumber [2] PrintableString. */
typedef struct korvu_identitycode_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_IDENTITYCODE;

/** A new IdentityCode (217) holding a copy of the argument as alternative 0; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_IDENTITYCODE *korvu_identitycode_newresidentercardnumber(const KORVU_ASN1_STRING *number);
/** A new IdentityCode (217) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_IDENTITYCODE *korvu_identitycode_newmilitaryofficercardnumber(const KORVU_ASN1_STRING *number);
/** A new IdentityCode (217) holding a copy of the argument as alternative 2; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_IDENTITYCODE *korvu_identitycode_newpassportnumber(const KORVU_ASN1_STRING *number);
/** The choice number, 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_identitycode_gettype(const KORVU_IDENTITYCODE *code);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_identitycode_getresidentercardnumber(const KORVU_IDENTITYCODE *code);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_identitycode_getmilitaryofficercardnumber(const KORVU_IDENTITYCODE *code);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_identitycode_getpassportnumber(const KORVU_IDENTITYCODE *code);

/* ---- TypeOfBiometricData (219), BiometricData (220) ---------------------- */
/** choice 1: predefinedBiometricType INTEGER; 2: biometricDataOid OBJECT IDENTIFIER. */
typedef struct korvu_typeofbiometricdata_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_TYPEOFBIOMETRICDATA;

/** A new TypeOfBiometricData (219) holding a copy of the argument as alternative 1; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_TYPEOFBIOMETRICDATA *korvu_typeofbiometricdata_newpredefined(const KORVU_ASN1_INTEGER *type);
/** A new TypeOfBiometricData (219) holding a copy of the argument as alternative 2; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_TYPEOFBIOMETRICDATA *korvu_typeofbiometricdata_newoid(const KORVU_ASN1_OID *oid);
/** The choice number, 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_typeofbiometricdata_gettype(const KORVU_TYPEOFBIOMETRICDATA *type);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_INTEGER *korvu_typeofbiometricdata_getpredefined(const KORVU_TYPEOFBIOMETRICDATA *type);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OID *korvu_typeofbiometricdata_getoid(const KORVU_TYPEOFBIOMETRICDATA *type);

/** The record of BiometricData (220). */
typedef struct korvu_biometricdata_st {
  KORVU_TYPEOFBIOMETRICDATA *typeOfBiometricData; /**< TypeOfBiometricData (219) */
  KORVU_X509_ALGID *hashAlgorithm;  /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *biometricDataHash; /**< OCTET STRING (4) */
  KORVU_ASN1_STRING *sourceDataUri; /**< IA5String, null when absent */
} KORVU_BIOMETRICDATA;

/** A new BiometricData (220) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_BIOMETRICDATA *korvu_biometricdata_new(const KORVU_TYPEOFBIOMETRICDATA *type,
                                                      const KORVU_X509_ALGID *hash_algorithm,
                                                      const KORVU_ASN1_OCTETSTRING *hash,
                                                      const KORVU_ASN1_STRING *source_data_uri);
/** The record's `typeOfBiometricData` (not a copy), null for a null record. */
KORVU_API KORVU_TYPEOFBIOMETRICDATA *korvu_biometricdata_gettype(const KORVU_BIOMETRICDATA *data);
/** The record's `hashAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_biometricdata_gethashalgorithm(const KORVU_BIOMETRICDATA *data);
/** The record's `biometricDataHash` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_biometricdata_gethashvalue(const KORVU_BIOMETRICDATA *data);
/** The record's `sourceDataUri` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_biometricdata_geturi(const KORVU_BIOMETRICDATA *data);

/* ---- QCStatement (221), QCStatements (222: a list of KORVU_QCSTATEMENT),
 * NameRegistrationAuthorities (223: a list of KORVU_X509_GENERALNAME), SemanticsInformation (224) ---- */
/** QCStatement is the AlgorithmIdentifier record: statementId and the optional statementInfo (ANY). */
typedef KORVU_X509_ALGID KORVU_QCSTATEMENT;

/** The record of SemanticsInformation (224). */
typedef struct korvu_semanticsinformation_st {
  KORVU_ASN1_OID *semanticsIdentifier;       /**< null when absent */
  KORVU_ASN1_LIST *nameRegistrationAuthorities; /**< of KORVU_X509_GENERALNAME, null when absent */
} KORVU_SEMANTICSINFORMATION;

/** A new SemanticsInformation (224) of copies of the arguments, in component order; null when a required one is
 * null or building fails. Not both null. */
KORVU_API KORVU_SEMANTICSINFORMATION *korvu_semanticsinformation_new(const KORVU_ASN1_OID *semantics_identifier,
                                                                    const KORVU_ASN1_LIST *name_authorities);
/** The record's `semanticsIdentifier` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_semanticsinformation_getsemanticsIdentifier(const KORVU_SEMANTICSINFORMATION *si);
/** The record's `nameRegistrationAuthorities` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_semanticsinformation_getnameregauthorities(const KORVU_SEMANTICSINFORMATION *si);

/* ---- identification item (299), identification items (300: a list of KORVU_IDENTIFICATIONITEM) ---- */
/** The record of identification item (299). */
typedef struct korvu_identificationitem_st {
  KORVU_ASN1_INTEGER *type; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *encode; /**< INTEGER (2) */
  KORVU_ASN1_OCTETSTRING *value; /**< OCTET STRING (4) */
} KORVU_IDENTIFICATIONITEM;

/** A new identification item (299) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_IDENTIFICATIONITEM *korvu_korvuidentificationitem_new(const KORVU_ASN1_INTEGER *type,
                                                                     const KORVU_ASN1_INTEGER *encode,
                                                                     const KORVU_ASN1_OCTETSTRING *value);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_korvuidentificationitem_gettype(const KORVU_IDENTIFICATIONITEM *item);
/** The record's `encode` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_korvuidentificationitem_getencode(const KORVU_IDENTIFICATIONITEM *item);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_korvuidentificationitem_getvalue(const KORVU_IDENTIFICATIONITEM *item);

#ifdef __cplusplus
}
#endif
#endif
