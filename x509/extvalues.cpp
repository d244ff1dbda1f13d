// Values of the standard extensions: RFC 5280 4.2.1 and 5.2 (module PKIX1Implicit88, IMPLICIT TAGS), X.509's
// NameConstraints with requiredNameForms and its NameForms, the AAIssuingDistributionPoint of RFC 5755 (X.509
// 14.5.3), the qualified-certificate statements of RFC 3739 3.2.6 and the identity structures
// (IdentityCode, identification items). Record layouts are in korvu/x509_extvalues.h. PolicyQualifierInfo and
// QCStatement are AlgorithmIdentifier's table, registered in x509/certificate.cpp.
#define KORVU_SRC "KORVU_ASN1_X509"
#include "cert_internal.h"

using namespace korvu;
using st::alternative;
using st::field;

namespace {

constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};
constexpr unsigned char kTrue[] = {0x01, 0x01, 0xFF};
constexpr unsigned char kZero[] = {0x02, 0x01, 0x00};

template <uint32_t ListType, uint32_t ElemType>
constexpr TypeOps kList = list::TypedList<ListType, ElemType>::ops;

bool is_true(const KORVU_ASN1_BOOLEAN *b) { return b != nullptr && *b != 0; }

}  // namespace

// AuthorityKeyIdentifier ::= SEQUENCE { keyIdentifier [0] KeyIdentifier OPTIONAL,
//   authorityCertIssuer [1] GeneralNames OPTIONAL, authorityCertSerialNumber [2] CertificateSerialNumber OPTIONAL }
constexpr st::Field kAkidFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_X509_AKID, keyIdentifier).implicit(0)
        .optional(offsetof(KORVU_X509_AKID, hasKeyIdentifier)),
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_X509_AKID, authorityCertIssuer).implicit(1)
        .optional(offsetof(KORVU_X509_AKID, hasAuthorityCertIssuer)),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_AKID, authorityCertSerialNumber).implicit(2)
        .optional(offsetof(KORVU_X509_AKID, hasAuthorityCertSerialNumber))};
constexpr st::StructDef kAkid = st::sequence(KORVU_TYPE_AUTHORITYKEYIDENTIFIER, kAkidFields, sizeof(KORVU_X509_AKID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_AUTHORITYKEYIDENTIFIER, kAkid);
KORVU_API KORVU_X509_AKID *korvu_x509akid_new(const KORVU_ASN1_OCTETSTRING *key_id, const KORVU_ASN1_LIST *issuer,
                                             const KORVU_ASN1_INTEGER *serial) {
  if ((issuer == nullptr) != (serial == nullptr) || (key_id == nullptr && serial == nullptr)) return nullptr;
  return static_cast<KORVU_X509_AKID *>(st::make<kAkid>(key_id, issuer, serial));
}
KORVU_GET(korvu_x509akid_getkeyid, kAkid, keyIdentifier);
KORVU_GET(korvu_x509akid_getissuerissuer, kAkid, authorityCertIssuer);
KORVU_GET(korvu_x509akid_getissuercertsn, kAkid, authorityCertSerialNumber);

// ExtKeyUsageSyntax ::= SEQUENCE SIZE (1..MAX) OF KeyPurposeId (OBJECT IDENTIFIER)
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_OBJECT_IDENTIFIER) =
    list::kNonEmpty<KORVU_TYPE_SEQUENCE_OF_OBJECT_IDENTIFIER, KORVU_TYPE_OBJECT_IDENTIFIER>;

// PrivateKeyUsagePeriod ::= SEQUENCE { notBefore [0] GeneralizedTime OPTIONAL,
//   notAfter [1] GeneralizedTime OPTIONAL }
constexpr st::Field kPeriodFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_X509_PRIVKEYPERIOD, notBefore).implicit(0)
        .optional(offsetof(KORVU_X509_PRIVKEYPERIOD, hasNotBefore)),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_X509_PRIVKEYPERIOD, notAfter).implicit(1)
        .optional(offsetof(KORVU_X509_PRIVKEYPERIOD, hasNotAfter))};
constexpr st::StructDef kPeriod =
    st::sequence(KORVU_TYPE_PRIVATEKEYUSAGEPERIOD, kPeriodFields, sizeof(KORVU_X509_PRIVKEYPERIOD));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PRIVATEKEYUSAGEPERIOD, kPeriod);
KORVU_API KORVU_X509_PRIVKEYPERIOD *korvu_x509privkeyperiod_new(const KORVU_ASN1_TIME *not_before,
                                                               const KORVU_ASN1_TIME *not_after) {
  if (not_before == nullptr && not_after == nullptr) return nullptr;
  return static_cast<KORVU_X509_PRIVKEYPERIOD *>(st::make<kPeriod>(not_before, not_after));
}
KORVU_GET(korvu_x509privkeyperiod_getnotbefore, kPeriod, notBefore);
KORVU_GET(korvu_x509privkeyperiod_getnotafter, kPeriod, notAfter);

// PolicyQualifierInfo (an AlgorithmIdentifier record); PolicyQualifierInfos ::= SEQUENCE SIZE (1..MAX) OF it.
KORVU_REGISTER_TYPE(KORVU_TYPE_POLICYQUALIFIERINFOS) =
    list::kNonEmpty<KORVU_TYPE_POLICYQUALIFIERINFOS, KORVU_TYPE_POLICYQUALIFIERINFO>;
KORVU_API KORVU_X509_POLQUALIFIERINFO *korvu_x509polqualifierinfo_new(const KORVU_ASN1_OID *id,
                                                                     const KORVU_ASN1_ANY *qualifier) {
  return qualifier != nullptr ? korvu_x509algoid_new(id, KORVU_TYPE_ANY, qualifier)
                              : korvu_x509algoid_new_without_param(id);
}
KORVU_API KORVU_ASN1_OID *korvu_x509polqualifierinfo_getid(const KORVU_X509_POLQUALIFIERINFO *info) {
  return korvu_x509algoid_getalgo(info);
}
KORVU_API KORVU_ASN1_ANY *korvu_x509polqualifierinfo_getqualifier(const KORVU_X509_POLQUALIFIERINFO *info) {
  return korvu_x509algoid_getparam(info);
}

// PolicyInformation ::= SEQUENCE { policyIdentifier CertPolicyId,
//   policyQualifiers SEQUENCE SIZE (1..MAX) OF PolicyQualifierInfo OPTIONAL }
// CertificatePolicies ::= SEQUENCE SIZE (1..MAX) OF PolicyInformation
constexpr st::Field kPolicyInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_X509_POLICYINFO, policyIdentifier),
    KORVU_FIELD(KORVU_TYPE_POLICYQUALIFIERINFOS, KORVU_X509_POLICYINFO, policyQualifiers)
        .optional(offsetof(KORVU_X509_POLICYINFO, hasPolicyQualifiers))};
constexpr st::StructDef kPolicyInfo =
    st::sequence(KORVU_TYPE_POLICYINFORMATION, kPolicyInfoFields, sizeof(KORVU_X509_POLICYINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_POLICYINFORMATION, kPolicyInfo);
KORVU_REGISTER_TYPE(KORVU_TYPE_CERTIFICATEPOLICIES) =
    list::kNonEmpty<KORVU_TYPE_CERTIFICATEPOLICIES, KORVU_TYPE_POLICYINFORMATION>;
KORVU_API KORVU_X509_POLICYINFO *korvu_x509policyinfo_new(const KORVU_ASN1_OID *id, const KORVU_ASN1_LIST *qualifiers) {
  return static_cast<KORVU_X509_POLICYINFO *>(st::make<kPolicyInfo>(id, qualifiers));
}
KORVU_GET(korvu_x509policyinfo_getid, kPolicyInfo, policyIdentifier);
KORVU_GET(korvu_x509policyinfo_getqualifiers, kPolicyInfo, policyQualifiers);

// DisplayText ::= CHOICE { ia5String IA5String, visibleString VisibleString, bmpString BMPString,
//   utf8String UTF8String }
// flattened as DirectoryString is: the choice number is the string's universal tag, its contents kept as octets.
static constexpr st::Field display_alt(uint32_t tag) {
  return alternative(tag, KORVU_TYPE_OCTET_STRING).implicit(tag, 0x00).reports(kCatalog[KORVU_TYPE_DISPLAYTEXT].error_code);
}
constexpr st::Field kDisplayTextAlts[] = {display_alt(22), display_alt(26), display_alt(30), display_alt(12)};
constexpr st::StructDef kDisplayText = st::choice(KORVU_TYPE_DISPLAYTEXT, kDisplayTextAlts);
static_assert(offsetof(KORVU_PKIX_DISPLAYTEXT, tag) == offsetof(st::ChoiceRecord, choice) &&
              offsetof(KORVU_PKIX_DISPLAYTEXT, string) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DISPLAYTEXT, kDisplayText);
KORVU_API KORVU_PKIX_DISPLAYTEXT *korvu_pkixdisplaytext_new(uint32_t tag, const KORVU_ASN1_OCTETSTRING *string) {
  return static_cast<KORVU_PKIX_DISPLAYTEXT *>(st::new_choice(kDisplayText, tag, string));
}
KORVU_API int korvu_pkixdisplaytext_gettype(const KORVU_PKIX_DISPLAYTEXT *text, uint32_t *tag) {
  return st::choice_number(text, tag);
}
KORVU_GET(korvu_pkixdisplaytext_getstring, kDisplayText, string);

// NoticeReference ::= SEQUENCE { organization DisplayText, noticeNumbers SEQUENCE OF INTEGER }
constexpr st::Field kNoticeRefFields[] = {
    KORVU_FIELD(KORVU_TYPE_DISPLAYTEXT, KORVU_PKIX_NOTICEREF, organization),
    KORVU_FIELD(KORVU_TYPE_NOTICENUMBERS, KORVU_PKIX_NOTICEREF, noticeNumbers)};
constexpr st::StructDef kNoticeRef =
    st::sequence(KORVU_TYPE_NOTICEREFERENCE, kNoticeRefFields, sizeof(KORVU_PKIX_NOTICEREF));
KORVU_REGISTER_STRUCT(KORVU_TYPE_NOTICEREFERENCE, kNoticeRef);
KORVU_REGISTER_TYPE(KORVU_TYPE_NOTICENUMBERS) = kList<KORVU_TYPE_NOTICENUMBERS, KORVU_TYPE_INTEGER>;
KORVU_API KORVU_PKIX_NOTICEREF *korvu_pkixnoticeref_new(const KORVU_PKIX_DISPLAYTEXT *organization,
                                                       const KORVU_ASN1_LIST *numbers) {
  return static_cast<KORVU_PKIX_NOTICEREF *>(st::make<kNoticeRef>(organization, numbers));
}
KORVU_GET(korvu_pkixnoticeref_getorg, kNoticeRef, organization);
KORVU_GET(korvu_pkixnoticeref_getnums, kNoticeRef, noticeNumbers);

// UserNotice ::= SEQUENCE { noticeRef NoticeReference OPTIONAL, explicitText DisplayText OPTIONAL }
constexpr st::Field kUserNoticeFields[] = {
    KORVU_FIELD(KORVU_TYPE_NOTICEREFERENCE, KORVU_PKIX_USERNOTICE, noticeRef)
        .optional(offsetof(KORVU_PKIX_USERNOTICE, hasNoticeRef)),
    KORVU_FIELD(KORVU_TYPE_DISPLAYTEXT, KORVU_PKIX_USERNOTICE, explicitText)
        .optional(offsetof(KORVU_PKIX_USERNOTICE, hasExplicitText))};
constexpr st::StructDef kUserNotice =
    st::sequence(KORVU_TYPE_USERNOTICE, kUserNoticeFields, sizeof(KORVU_PKIX_USERNOTICE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_USERNOTICE, kUserNotice);
KORVU_API KORVU_PKIX_USERNOTICE *korvu_pkixusernotice_new(const KORVU_PKIX_NOTICEREF *ref,
                                                         const KORVU_PKIX_DISPLAYTEXT *text) {
  return static_cast<KORVU_PKIX_USERNOTICE *>(st::make<kUserNotice>(ref, text));
}
KORVU_GET(korvu_pkixusernotice_getref, kUserNotice, noticeRef);
KORVU_GET(korvu_pkixusernotice_gettext, kUserNotice, explicitText);

// PolicyMappings ::= SEQUENCE SIZE (1..MAX) OF SEQUENCE { issuerDomainPolicy CertPolicyId,
//   subjectDomainPolicy CertPolicyId }
constexpr st::Field kMappingFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_X509_POLICYMAPPING, issuerDomainPolicy),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_X509_POLICYMAPPING, subjectDomainPolicy)};
constexpr st::StructDef kMapping =
    st::sequence(KORVU_TYPE_POLICYMAPPING, kMappingFields, sizeof(KORVU_X509_POLICYMAPPING));
KORVU_REGISTER_STRUCT(KORVU_TYPE_POLICYMAPPING, kMapping);
KORVU_REGISTER_TYPE(KORVU_TYPE_POLICYMAPPINGS) = list::kNonEmpty<KORVU_TYPE_POLICYMAPPINGS, KORVU_TYPE_POLICYMAPPING>;
KORVU_API KORVU_X509_POLICYMAPPING *korvu_x509policymapping_new(const KORVU_ASN1_OID *issuer_policy,
                                                               const KORVU_ASN1_OID *subject_policy) {
  return static_cast<KORVU_X509_POLICYMAPPING *>(st::make<kMapping>(issuer_policy, subject_policy));
}
KORVU_GET(korvu_x509policymapping_getissuerpolicy, kMapping, issuerDomainPolicy);
KORVU_GET(korvu_x509policymapping_getsubjectpolicy, kMapping, subjectDomainPolicy);

// SubjectDirectoryAttributes ::= SEQUENCE SIZE (1..MAX) OF Attribute
KORVU_REGISTER_TYPE(KORVU_TYPE_SUBJECTDIRECTORYATTRIBUTES) =
    list::kNonEmpty<KORVU_TYPE_SUBJECTDIRECTORYATTRIBUTES, KORVU_TYPE_ATTRIBUTE>;

// BasicConstraints ::= SEQUENCE { cA BOOLEAN DEFAULT FALSE, pathLenConstraint INTEGER (0..MAX) OPTIONAL }
constexpr st::Field kBasicFields[] = {
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_X509_BASICCONSTRAINTS, cA).defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_BASICCONSTRAINTS, pathLenConstraint)
        .optional(offsetof(KORVU_X509_BASICCONSTRAINTS, hasPathLenConstraint))};
constexpr st::StructDef kBasic =
    st::sequence(KORVU_TYPE_BASICCONSTRAINTS, kBasicFields, sizeof(KORVU_X509_BASICCONSTRAINTS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_BASICCONSTRAINTS, kBasic);
// A path length means something only for a CA: it is dropped otherwise.
KORVU_API KORVU_X509_BASICCONSTRAINTS *korvu_x509basicconstraints_new(const KORVU_ASN1_BOOLEAN *ca,
                                                                     const KORVU_ASN1_INTEGER *path_len) {
  const KORVU_ASN1_INTEGER *kept_len = is_true(ca) ? path_len : nullptr;
  return static_cast<KORVU_X509_BASICCONSTRAINTS *>(st::make<kBasic>(ca, kept_len));
}
KORVU_GET(korvu_x509basicconstraints_getisca, kBasic, cA);
KORVU_GET(korvu_x509basicconstraints_getlen, kBasic, pathLenConstraint);

// GeneralSubtree ::= SEQUENCE { base GeneralName, minimum [0] BaseDistance DEFAULT 0,
//   maximum [1] BaseDistance OPTIONAL }
// GeneralSubtrees ::= SEQUENCE SIZE (1..MAX) OF GeneralSubtree
constexpr st::Field kSubtreeFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_X509_GENSUBTREE, base),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_GENSUBTREE, minimum).implicit(0)
        .defaults(kZero, st::DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_GENSUBTREE, maximum).implicit(1)
        .optional(offsetof(KORVU_X509_GENSUBTREE, hasMaximum))};
constexpr st::StructDef kSubtree = st::sequence(KORVU_TYPE_GENERALSUBTREE, kSubtreeFields, sizeof(KORVU_X509_GENSUBTREE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_GENERALSUBTREE, kSubtree);
KORVU_REGISTER_TYPE(KORVU_TYPE_GENERALSUBTREES) = list::kNonEmpty<KORVU_TYPE_GENERALSUBTREES, KORVU_TYPE_GENERALSUBTREE>;
KORVU_API KORVU_X509_GENSUBTREE *korvu_x509gensubtree_new(const KORVU_X509_GENERALNAME *base,
                                                         const KORVU_ASN1_INTEGER *minimum,
                                                         const KORVU_ASN1_INTEGER *maximum) {
  return static_cast<KORVU_X509_GENSUBTREE *>(st::make<kSubtree>(base, minimum, maximum));
}
KORVU_GET(korvu_x509gensubtree_getbase, kSubtree, base);
KORVU_GET(korvu_x509gensubtree_getmin, kSubtree, minimum);
KORVU_GET(korvu_x509gensubtree_getmax, kSubtree, maximum);

// NameForms ::= SEQUENCE { basicNameForms [0] BasicNameForms OPTIONAL,
//   otherNameForms [1] SEQUENCE SIZE (1..MAX) OF OBJECT IDENTIFIER OPTIONAL }  (X.509 9.3.3)
// BasicNameForms ::= BIT STRING
constexpr st::Field kNameFormsFields[] = {
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_X509_NAMEFORMS, basicNameForms).implicit(0)
        .optional(offsetof(KORVU_X509_NAMEFORMS, hasBasicNameForms)),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_OBJECT_IDENTIFIER, KORVU_X509_NAMEFORMS, otherNameForms).implicit(1)
        .optional(offsetof(KORVU_X509_NAMEFORMS, hasOtherNameForms))};
constexpr st::StructDef kNameForms = st::sequence(KORVU_TYPE_NAMEFORMS, kNameFormsFields, sizeof(KORVU_X509_NAMEFORMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_NAMEFORMS, kNameForms);
KORVU_API KORVU_X509_NAMEFORMS *korvu_x509nameforms_new(const KORVU_ASN1_BITSTRING *basic, const KORVU_ASN1_LIST *other) {
  if (basic == nullptr && other == nullptr) return nullptr;
  return static_cast<KORVU_X509_NAMEFORMS *>(st::make<kNameForms>(basic, other));
}
KORVU_GET(korvu_x509nameforms_getbasic, kNameForms, basicNameForms);
KORVU_GET(korvu_x509nameforms_getother, kNameForms, otherNameForms);

// NameConstraints ::= SEQUENCE { permittedSubtrees [0] GeneralSubtrees OPTIONAL,
//   excludedSubtrees [1] GeneralSubtrees OPTIONAL, requiredNameForms [2] NameForms OPTIONAL }  (X.509 9.4.2.2)
// RFC 5280 4.2.1.10 has no requiredNameForms: its form is the same record, refused when [2] is present.
constexpr st::Field kNameConsFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALSUBTREES, KORVU_X509_NAMECONS, permittedSubtrees).implicit(0)
        .optional(offsetof(KORVU_X509_NAMECONS, hasPermittedSubtrees)),
    KORVU_FIELD(KORVU_TYPE_GENERALSUBTREES, KORVU_X509_NAMECONS, excludedSubtrees).implicit(1)
        .optional(offsetof(KORVU_X509_NAMECONS, hasExcludedSubtrees)),
    KORVU_FIELD(KORVU_TYPE_NAMEFORMS, KORVU_X509_NAMECONS, requiredNameForms).implicit(2)
        .optional(offsetof(KORVU_X509_NAMECONS, hasRequiredNameForms))};
static int pkix_namecons_check(const void *record, KORVU_ERR_CTX *ctx) {
  if (static_cast<const KORVU_X509_NAMECONS *>(record)->hasRequiredNameForms == 0) return 1;
  KORVU_ERR(ctx, kErrNotPkixNameConstraints);
  return 0;
}
constexpr st::StructDef kNameCons = st::sequence(KORVU_TYPE_NAMECONSTRAINTS, kNameConsFields, sizeof(KORVU_X509_NAMECONS));
constexpr st::StructDef kPkixNameCons =
    st::sequence(KORVU_TYPE_NAMECONSTRAINTS_PKIX, kNameConsFields, sizeof(KORVU_X509_NAMECONS))
        .checked(pkix_namecons_check);
KORVU_REGISTER_STRUCT(KORVU_TYPE_NAMECONSTRAINTS, kNameCons);
KORVU_REGISTER_STRUCT(KORVU_TYPE_NAMECONSTRAINTS_PKIX, kPkixNameCons);
KORVU_API KORVU_X509_NAMECONS *korvu_x509namecons_new(const KORVU_ASN1_LIST *permitted, const KORVU_ASN1_LIST *excluded,
                                                     const KORVU_X509_NAMEFORMS *required_forms) {
  return static_cast<KORVU_X509_NAMECONS *>(st::make<kNameCons>(permitted, excluded, required_forms));
}
KORVU_GET(korvu_x509namecons_getpermit, kNameCons, permittedSubtrees);
KORVU_GET(korvu_x509namecons_getexclude, kNameCons, excludedSubtrees);
KORVU_GET(korvu_x509namecons_getreqforms, kNameCons, requiredNameForms);

// PolicyConstraints ::= SEQUENCE { requireExplicitPolicy [0] SkipCerts OPTIONAL,
//   inhibitPolicyMapping [1] SkipCerts OPTIONAL }
constexpr st::Field kPolConsFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_POLCONS, requireExplicitPolicy).implicit(0)
        .optional(offsetof(KORVU_X509_POLCONS, hasRequireExplicitPolicy)),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_POLCONS, inhibitPolicyMapping).implicit(1)
        .optional(offsetof(KORVU_X509_POLCONS, hasInhibitPolicyMapping))};
constexpr st::StructDef kPolCons = st::sequence(KORVU_TYPE_POLICYCONSTRAINTS, kPolConsFields, sizeof(KORVU_X509_POLCONS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_POLICYCONSTRAINTS, kPolCons);
KORVU_API KORVU_X509_POLCONS *korvu_x509polcons_new(const KORVU_ASN1_INTEGER *require, const KORVU_ASN1_INTEGER *inhibit) {
  return static_cast<KORVU_X509_POLCONS *>(st::make<kPolCons>(require, inhibit));
}
KORVU_GET(korvu_x509polcons_getreqexppol, kPolCons, requireExplicitPolicy);
KORVU_GET(korvu_x509polcons_getinhibitpolmap, kPolCons, inhibitPolicyMapping);

// DistributionPointName ::= CHOICE { fullName [0] GeneralNames,
//   nameRelativeToCRLIssuer [1] RelativeDistinguishedName }  (choice numbers 0 and 1)
constexpr st::Field kDpNameAlts[] = {alternative(0, KORVU_TYPE_GENERALNAMES).implicit(0),
                                     alternative(1, KORVU_TYPE_RELATIVEDISTINGUISHEDNAME).implicit(1)};
constexpr st::StructDef kDpName = st::choice(KORVU_TYPE_DISTRIBUTIONPOINTNAME, kDpNameAlts);
static_assert(offsetof(KORVU_X509_DISTPOINTNAME, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DISTRIBUTIONPOINTNAME, kDpName);
KORVU_NEW_CHOICE(korvu_x509distpointname_new_fullname, kDpName, 0);
KORVU_NEW_CHOICE(korvu_x509distpointname_new_relname, kDpName, 1);
KORVU_API uint32_t korvu_x509distpointname_gettype(const KORVU_X509_DISTPOINTNAME *name) { return st::choice_of(name); }
KORVU_GET_CHOICE(korvu_x509distpointname_getfullname, 0);
KORVU_GET_CHOICE(korvu_x509distpointname_getrelname, 1);

// DistributionPoint ::= SEQUENCE { distributionPoint [0] DistributionPointName OPTIONAL,
//   reasons [1] ReasonFlags OPTIONAL, cRLIssuer [2] GeneralNames OPTIONAL }
// ([0] is EXPLICIT, DistributionPointName being a CHOICE: X.680 31.2.7)
// CRLDistributionPoints ::= SEQUENCE SIZE (1..MAX) OF DistributionPoint (FreshestCRL too)
constexpr st::Field kDpFields[] = {
    KORVU_FIELD(KORVU_TYPE_DISTRIBUTIONPOINTNAME, KORVU_X509_DISTPOINT, distributionPoint).explicit_(0)
        .optional(offsetof(KORVU_X509_DISTPOINT, hasDistributionPoint)),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_X509_DISTPOINT, reasons).implicit(1)
        .optional(offsetof(KORVU_X509_DISTPOINT, hasReasons)),
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_X509_DISTPOINT, cRLIssuer).implicit(2)
        .optional(offsetof(KORVU_X509_DISTPOINT, hasCRLIssuer))};
constexpr st::StructDef kDp = st::sequence(KORVU_TYPE_DISTRIBUTIONPOINT, kDpFields, sizeof(KORVU_X509_DISTPOINT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DISTRIBUTIONPOINT, kDp);
KORVU_REGISTER_TYPE(KORVU_TYPE_CRLDISTRIBUTIONPOINTS) =
    list::kNonEmpty<KORVU_TYPE_CRLDISTRIBUTIONPOINTS, KORVU_TYPE_DISTRIBUTIONPOINT>;
KORVU_API KORVU_X509_DISTPOINT *korvu_x509distpoint_new(const KORVU_X509_DISTPOINTNAME *name,
                                                       const KORVU_ASN1_BITSTRING *reasons,
                                                       const KORVU_ASN1_LIST *crl_issuer) {
  return static_cast<KORVU_X509_DISTPOINT *>(st::make<kDp>(name, reasons, crl_issuer));
}
KORVU_GET(korvu_x509distpoint_getname, kDp, distributionPoint);
KORVU_GET(korvu_x509distpoint_getreason, kDp, reasons);
KORVU_GET(korvu_x509distpoint_getcrlissuer, kDp, cRLIssuer);

// AccessDescription ::= SEQUENCE { accessMethod OBJECT IDENTIFIER, accessLocation GeneralName }
// AuthorityInfoAccessSyntax ::= SEQUENCE SIZE (1..MAX) OF AccessDescription (SubjectInfoAccessSyntax too)
constexpr st::Field kAccessFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_PKIX_ACCESSDESC, accessMethod),
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_PKIX_ACCESSDESC, accessLocation)};
constexpr st::StructDef kAccess = st::sequence(KORVU_TYPE_ACCESSDESCRIPTION, kAccessFields, sizeof(KORVU_PKIX_ACCESSDESC));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ACCESSDESCRIPTION, kAccess);
KORVU_REGISTER_TYPE(KORVU_TYPE_AUTHORITYINFOACCESS) =
    list::kNonEmpty<KORVU_TYPE_AUTHORITYINFOACCESS, KORVU_TYPE_ACCESSDESCRIPTION>;
KORVU_API KORVU_PKIX_ACCESSDESC *korvu_pkixaccessdesp_new(const KORVU_ASN1_OID *method,
                                                         const KORVU_X509_GENERALNAME *location) {
  return static_cast<KORVU_PKIX_ACCESSDESC *>(st::make<kAccess>(method, location));
}
KORVU_GET(korvu_pkixaccessdesp_getmethod, kAccess, accessMethod);
KORVU_GET(korvu_pkixaccessdesp_getlocate, kAccess, accessLocation);

// IssuingDistributionPoint ::= SEQUENCE { distributionPoint [0] DistributionPointName OPTIONAL,
//   onlyContainsUserCerts [1] BOOLEAN DEFAULT FALSE, onlyContainsCACerts [2] BOOLEAN DEFAULT FALSE,
//   onlySomeReasons [3] ReasonFlags OPTIONAL, indirectCRL [4] BOOLEAN DEFAULT FALSE,
//   onlyContainsAttributeCerts [5] BOOLEAN DEFAULT FALSE }
constexpr st::Field kIdpFields[] = {
    KORVU_FIELD(KORVU_TYPE_DISTRIBUTIONPOINTNAME, KORVU_PKIX_IDP, distributionPoint).explicit_(0)
        .optional(offsetof(KORVU_PKIX_IDP, hasDistributionPoint)),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_PKIX_IDP, onlyContainsUserCerts).implicit(1)
        .defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_PKIX_IDP, onlyContainsCACerts).implicit(2)
        .defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_PKIX_IDP, onlySomeReasons).implicit(3)
        .optional(offsetof(KORVU_PKIX_IDP, hasOnlySomeReasons)),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_PKIX_IDP, indirectCRL).implicit(4)
        .defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_PKIX_IDP, onlyContainsAttributeCerts).implicit(5)
        .defaults(kFalse, st::DefaultRule::Boolean)};
constexpr st::StructDef kIdp = st::sequence(KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT, kIdpFields, sizeof(KORVU_PKIX_IDP));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT, kIdp);
// RFC 5280 5.2.5: at most one of the three "only contains" flags may be TRUE; all three TRUE is refused.
KORVU_API KORVU_PKIX_IDP *korvu_pkixidp_new2(const KORVU_X509_DISTPOINTNAME *name, const KORVU_ASN1_BOOLEAN *only_ca,
                                            const KORVU_ASN1_BOOLEAN *only_user, const KORVU_ASN1_BITSTRING *reasons,
                                            const KORVU_ASN1_BOOLEAN *indirect, const KORVU_ASN1_BOOLEAN *only_attr) {
  if (is_true(only_ca) && is_true(only_user) && is_true(only_attr)) return nullptr;
  return static_cast<KORVU_PKIX_IDP *>(st::make<kIdp>(name, only_user, only_ca, reasons, indirect, only_attr));
}
KORVU_API KORVU_PKIX_IDP *korvu_pkixidp_new(const KORVU_X509_DISTPOINTNAME *name, const KORVU_ASN1_BOOLEAN *only_ca,
                                           const KORVU_ASN1_BOOLEAN *only_user, const KORVU_ASN1_BITSTRING *reasons,
                                           const KORVU_ASN1_BOOLEAN *indirect) {
  return korvu_pkixidp_new2(name, only_ca, only_user, reasons, indirect, nullptr);
}
KORVU_GET(korvu_pkixidp_getdpname, kIdp, distributionPoint);
KORVU_GET(korvu_pkixidp_getonlyusercert, kIdp, onlyContainsUserCerts);
KORVU_GET(korvu_pkixidp_getonlycacert, kIdp, onlyContainsCACerts);
KORVU_GET(korvu_pkixidp_getonlysomereason, kIdp, onlySomeReasons);
KORVU_GET(korvu_pkixidp_getindirectCRL, kIdp, indirectCRL);
KORVU_GET(korvu_pkixidp_getonlyattrcert, kIdp, onlyContainsAttributeCerts);

// AAIssuingDistributionPoint ::= SEQUENCE { distributionPoint [0] DistributionPointName OPTIONAL,
//   onlySomeReasons [1] ReasonFlags OPTIONAL, indirectCRL [2] BOOLEAN DEFAULT FALSE,
//   containsUserAttributeCerts [3] BOOLEAN DEFAULT TRUE, containsAACerts [4] BOOLEAN DEFAULT TRUE,
//   containsSOAPublicKeyCerts [5] BOOLEAN DEFAULT TRUE }
constexpr st::Field kAaIdpFields[] = {
    KORVU_FIELD(KORVU_TYPE_DISTRIBUTIONPOINTNAME, KORVU_X509_AAIDP, distributionPoint).explicit_(0)
        .optional(offsetof(KORVU_X509_AAIDP, hasDistributionPoint)),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_X509_AAIDP, onlySomeReasons).implicit(1)
        .optional(offsetof(KORVU_X509_AAIDP, hasOnlySomeReasons)),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_X509_AAIDP, indirectCRL).implicit(2)
        .defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_X509_AAIDP, containsUserAttributeCerts).implicit(3)
        .defaults(kTrue, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_X509_AAIDP, containsAACerts).implicit(4)
        .defaults(kTrue, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_X509_AAIDP, containsSOAPublicKeyCerts).implicit(5)
        .defaults(kTrue, st::DefaultRule::Boolean)};
constexpr st::StructDef kAaIdp = st::sequence(KORVU_TYPE_AAISSUINGDISTRIBUTIONPOINT, kAaIdpFields, sizeof(KORVU_X509_AAIDP));
KORVU_REGISTER_STRUCT(KORVU_TYPE_AAISSUINGDISTRIBUTIONPOINT, kAaIdp);
KORVU_API KORVU_X509_AAIDP *korvu_x509aaidp_new(const KORVU_X509_DISTPOINTNAME *name, const KORVU_ASN1_BOOLEAN *aa,
                                               const KORVU_ASN1_BOOLEAN *user, const KORVU_ASN1_BOOLEAN *soa,
                                               const KORVU_ASN1_BITSTRING *reasons, const KORVU_ASN1_BOOLEAN *indirect) {
  return static_cast<KORVU_X509_AAIDP *>(st::make<kAaIdp>(name, reasons, indirect, user, aa, soa));
}
KORVU_GET(korvu_x509aaidp_getdpname, kAaIdp, distributionPoint);
KORVU_GET(korvu_x509aaidp_getonlysomereason, kAaIdp, onlySomeReasons);
KORVU_GET(korvu_x509aaidp_getindirectCRL, kAaIdp, indirectCRL);
KORVU_GET(korvu_x509aaidp_getcontuserattrcert, kAaIdp, containsUserAttributeCerts);
KORVU_GET(korvu_x509aaidp_getcontaacert, kAaIdp, containsAACerts);
KORVU_GET(korvu_x509aaidp_getcontsoacert, kAaIdp, containsSOAPublicKeyCerts);

// IdentityCode ::= CHOICE { residenterCardNumber [0] PrintableString, militaryOfficerCardNumber [1] UTF8String,
//   passportNumber [2] PrintableString }  (choice numbers 0 to 2)
constexpr st::Field kIdentityAlts[] = {alternative(0, KORVU_TYPE_PRINTABLESTRING).implicit(0),
                                       alternative(1, KORVU_TYPE_UTF8STRING).implicit(1),
                                       alternative(2, KORVU_TYPE_PRINTABLESTRING).implicit(2)};
constexpr st::StructDef kIdentity = st::choice(KORVU_TYPE_IDENTITYCODE, kIdentityAlts);
static_assert(offsetof(KORVU_IDENTITYCODE, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_IDENTITYCODE, kIdentity);
KORVU_NEW_CHOICE(korvu_identitycode_newresidentercardnumber, kIdentity, 0);
KORVU_NEW_CHOICE(korvu_identitycode_newmilitaryofficercardnumber, kIdentity, 1);
KORVU_NEW_CHOICE(korvu_identitycode_newpassportnumber, kIdentity, 2);
KORVU_API uint32_t korvu_identitycode_gettype(const KORVU_IDENTITYCODE *code) { return st::choice_of(code); }
KORVU_GET_CHOICE(korvu_identitycode_getresidentercardnumber, 0);
KORVU_GET_CHOICE(korvu_identitycode_getmilitaryofficercardnumber, 1);
KORVU_GET_CHOICE(korvu_identitycode_getpassportnumber, 2);

// TypeOfBiometricData ::= CHOICE { predefinedBiometricType PredefinedBiometricType (INTEGER),
//   biometricDataOid OBJECT IDENTIFIER }  (choice numbers 1 and 2)
constexpr st::Field kBioTypeAlts[] = {alternative(1, KORVU_TYPE_INTEGER),
                                      alternative(2, KORVU_TYPE_OBJECT_IDENTIFIER)};
constexpr st::StructDef kBioType = st::choice(KORVU_TYPE_TYPEOFBIOMETRICDATA, kBioTypeAlts);
static_assert(offsetof(KORVU_TYPEOFBIOMETRICDATA, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TYPEOFBIOMETRICDATA, kBioType);
KORVU_NEW_CHOICE(korvu_typeofbiometricdata_newpredefined, kBioType, 1);
KORVU_NEW_CHOICE(korvu_typeofbiometricdata_newoid, kBioType, 2);
KORVU_API uint32_t korvu_typeofbiometricdata_gettype(const KORVU_TYPEOFBIOMETRICDATA *type) {
  return st::choice_of(type);
}
KORVU_GET_CHOICE(korvu_typeofbiometricdata_getpredefined, 1);
KORVU_GET_CHOICE(korvu_typeofbiometricdata_getoid, 2);

// BiometricData ::= SEQUENCE { typeOfBiometricData TypeOfBiometricData, hashAlgorithm AlgorithmIdentifier,
//   biometricDataHash OCTET STRING, sourceDataUri IA5String OPTIONAL }
constexpr st::Field kBioFields[] = {
    KORVU_FIELD(KORVU_TYPE_TYPEOFBIOMETRICDATA, KORVU_BIOMETRICDATA, typeOfBiometricData),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_BIOMETRICDATA, hashAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_BIOMETRICDATA, biometricDataHash),
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_BIOMETRICDATA, sourceDataUri).optional()};
constexpr st::StructDef kBio = st::sequence(KORVU_TYPE_BIOMETRICDATA, kBioFields, sizeof(KORVU_BIOMETRICDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_BIOMETRICDATA, kBio);
KORVU_API KORVU_BIOMETRICDATA *korvu_biometricdata_new(const KORVU_TYPEOFBIOMETRICDATA *type,
                                                      const KORVU_X509_ALGID *hash_algorithm,
                                                      const KORVU_ASN1_OCTETSTRING *hash, const KORVU_ASN1_STRING *uri) {
  return static_cast<KORVU_BIOMETRICDATA *>(st::make<kBio>(type, hash_algorithm, hash, uri));
}
KORVU_GET(korvu_biometricdata_gettype, kBio, typeOfBiometricData);
KORVU_GET(korvu_biometricdata_gethashalgorithm, kBio, hashAlgorithm);
KORVU_GET(korvu_biometricdata_gethashvalue, kBio, biometricDataHash);
KORVU_GET(korvu_biometricdata_geturi, kBio, sourceDataUri);

// QCStatements ::= SEQUENCE OF QCStatement (an AlgorithmIdentifier record)
// NameRegistrationAuthorities ::= SEQUENCE SIZE (1..ub-name-registration-authorities) OF GeneralName
// Both accept an empty list.
KORVU_REGISTER_TYPE(KORVU_TYPE_QCSTATEMENTS) = kList<KORVU_TYPE_QCSTATEMENTS, KORVU_TYPE_QCSTATEMENT>;
KORVU_REGISTER_TYPE(KORVU_TYPE_NAMEREGISTRATIONAUTHORITIES) =
    kList<KORVU_TYPE_NAMEREGISTRATIONAUTHORITIES, KORVU_TYPE_GENERALNAME>;

// SemanticsInformation ::= SEQUENCE { semanticsIdentifier OBJECT IDENTIFIER OPTIONAL,
//   nameRegistrationAuthorities NameRegistrationAuthorities OPTIONAL }
constexpr st::Field kSemanticsFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SEMANTICSINFORMATION, semanticsIdentifier).optional(),
    KORVU_FIELD(KORVU_TYPE_NAMEREGISTRATIONAUTHORITIES, KORVU_SEMANTICSINFORMATION, nameRegistrationAuthorities)
        .optional()};
constexpr st::StructDef kSemantics =
    st::sequence(KORVU_TYPE_SEMANTICSINFORMATION, kSemanticsFields, sizeof(KORVU_SEMANTICSINFORMATION));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SEMANTICSINFORMATION, kSemantics);
KORVU_API KORVU_SEMANTICSINFORMATION *korvu_semanticsinformation_new(const KORVU_ASN1_OID *id,
                                                                    const KORVU_ASN1_LIST *authorities) {
  if (id == nullptr && authorities == nullptr) return nullptr;
  return static_cast<KORVU_SEMANTICSINFORMATION *>(st::make<kSemantics>(id, authorities));
}
KORVU_GET(korvu_semanticsinformation_getsemanticsIdentifier, kSemantics, semanticsIdentifier);
KORVU_GET(korvu_semanticsinformation_getnameregauthorities, kSemantics, nameRegistrationAuthorities);

// identification item ::= SEQUENCE { type INTEGER, encode INTEGER, value OCTET STRING }
// identification items ::= SEQUENCE SIZE (1..MAX) OF identification item
constexpr st::Field kIdItemFields[] = {KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_IDENTIFICATIONITEM, type),
                                       KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_IDENTIFICATIONITEM, encode),
                                       KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_IDENTIFICATIONITEM, value)};
constexpr st::StructDef kIdItem =
    st::sequence(KORVU_TYPE_IDENTIFICATION_ITEM, kIdItemFields, sizeof(KORVU_IDENTIFICATIONITEM));
KORVU_REGISTER_STRUCT(KORVU_TYPE_IDENTIFICATION_ITEM, kIdItem);
KORVU_REGISTER_TYPE(KORVU_TYPE_IDENTIFICATION_ITEMS) =
    list::kNonEmpty<KORVU_TYPE_IDENTIFICATION_ITEMS, KORVU_TYPE_IDENTIFICATION_ITEM>;
KORVU_API KORVU_IDENTIFICATIONITEM *korvu_korvuidentificationitem_new(const KORVU_ASN1_INTEGER *type,
                                                                     const KORVU_ASN1_INTEGER *encode,
                                                                     const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_IDENTIFICATIONITEM *>(st::make<kIdItem>(type, encode, value));
}
KORVU_GET(korvu_korvuidentificationitem_gettype, kIdItem, type);
KORVU_GET(korvu_korvuidentificationitem_getencode, kIdItem, encode);
KORVU_GET(korvu_korvuidentificationitem_getvalue, kIdItem, value);
