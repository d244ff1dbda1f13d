// Attribute certificates (RFC 5755 4.1, module PKIXAttributeCertificate-2009, IMPLICIT TAGS): ObjectDigestInfo,
// IssuerSerial, Holder, V2Form, AttCertIssuer, AttCertValidityPeriod, AttributeCertificateInfo and
// AttributeCertificate; the attribute values of RFC 5755 4.4 (SvceAuthInfo, IetfAttrSyntax, RoleSyntax, Clearance
// with its SecurityCategory), the targetInformation extension (4.3.2: TargetCert, Target, Targets), ACClearAttrs
// of attribute encryption (7.1) and AAControls with AttrSpec (7.4).
// Optional components are absent as null pointers; the record layouts are in korvu/x509_attrcert.h.
#define KORVU_SRC "KORVU_ASN1_X509"
#include "korvu/x509_attrcert.h"

#include "cert_internal.h"

using namespace korvu;
using st::alternative;
using st::field;

// ObjectDigestInfo ::= SEQUENCE { digestedObjectType ENUMERATED { publicKey (0), publicKeyCert (1),
//   otherObjectTypes (2) }, otherObjectTypeID OBJECT IDENTIFIER OPTIONAL, digestAlgorithm AlgorithmIdentifier,
//   objectDigest BIT STRING }
constexpr st::Field kOdiFields[] = {
    KORVU_FIELD(KORVU_TYPE_ENUMERATED, KORVU_AC_OBJECTDIGESTINFO, digestedObjectType),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_AC_OBJECTDIGESTINFO, otherObjectTypeID).optional(),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_AC_OBJECTDIGESTINFO, digestAlgorithm),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_AC_OBJECTDIGESTINFO, objectDigest)};
constexpr st::StructDef kOdi =
    st::sequence(KORVU_TYPE_OBJECTDIGESTINFO, kOdiFields, sizeof(KORVU_AC_OBJECTDIGESTINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OBJECTDIGESTINFO, kOdi);
KORVU_API KORVU_AC_OBJECTDIGESTINFO *korvu_objectdigestinfo_new(const KORVU_ASN1_INTEGER *type,
                                                               const KORVU_ASN1_OID *type_id,
                                                               const KORVU_X509_ALGID *algorithm,
                                                               const KORVU_ASN1_BITSTRING *digest) {
  return static_cast<KORVU_AC_OBJECTDIGESTINFO *>(st::make<kOdi>(type, type_id, algorithm, digest));
}
KORVU_GET(korvu_objectdigestinfo_gettype, kOdi, digestedObjectType);
KORVU_GET(korvu_objectdigestinfo_gettypeid, kOdi, otherObjectTypeID);
KORVU_GET(korvu_objectdigestinfo_getalgo, kOdi, digestAlgorithm);
KORVU_GET(korvu_objectdigestinfo_getdigest, kOdi, objectDigest);

// IssuerSerial ::= SEQUENCE { issuer GeneralNames, serial CertificateSerialNumber,
//   issuerUID UniqueIdentifier OPTIONAL }
constexpr st::Field kIssuerSerialFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_AC_ISSUERSERIAL, issuer),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_AC_ISSUERSERIAL, serial),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_AC_ISSUERSERIAL, issuerUID).optional()};
constexpr st::StructDef kIssuerSerial =
    st::sequence(KORVU_TYPE_ATTCERT_ISSUERSERIAL, kIssuerSerialFields, sizeof(KORVU_AC_ISSUERSERIAL));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTCERT_ISSUERSERIAL, kIssuerSerial);
KORVU_API KORVU_AC_ISSUERSERIAL *korvu_acissuerserial_new(const KORVU_ASN1_LIST *issuer,
                                                         const KORVU_ASN1_INTEGER *serial,
                                                         const KORVU_ASN1_BITSTRING *issuer_uid) {
  return static_cast<KORVU_AC_ISSUERSERIAL *>(st::make<kIssuerSerial>(issuer, serial, issuer_uid));
}
KORVU_GET(korvu_acissuerserial_getissuer, kIssuerSerial, issuer);
KORVU_GET(korvu_acissuerserial_getserial, kIssuerSerial, serial);
KORVU_GET(korvu_acissuerserial_getissueruid, kIssuerSerial, issuerUID);

// Holder ::= SEQUENCE { baseCertificateID [0] IssuerSerial OPTIONAL, entityName [1] GeneralNames OPTIONAL,
//   objectDigestInfo [2] ObjectDigestInfo OPTIONAL }
constexpr st::Field kHolderFields[] = {
    KORVU_FIELD(KORVU_TYPE_ATTCERT_ISSUERSERIAL, KORVU_AC_HOLDER, baseCertificateID).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_AC_HOLDER, entityName).implicit(1).optional(),
    KORVU_FIELD(KORVU_TYPE_OBJECTDIGESTINFO, KORVU_AC_HOLDER, objectDigestInfo).implicit(2).optional()};
constexpr st::StructDef kHolder = st::sequence(KORVU_TYPE_HOLDER, kHolderFields, sizeof(KORVU_AC_HOLDER));
KORVU_REGISTER_STRUCT(KORVU_TYPE_HOLDER, kHolder);
KORVU_API KORVU_AC_HOLDER *korvu_holder_new(const KORVU_AC_ISSUERSERIAL *base, const KORVU_ASN1_LIST *entity,
                                           const KORVU_AC_OBJECTDIGESTINFO *odi) {
  return static_cast<KORVU_AC_HOLDER *>(st::make<kHolder>(base, entity, odi));
}
KORVU_GET(korvu_holder_getbasecertid, kHolder, baseCertificateID);
KORVU_GET(korvu_holder_getbaseentityname, kHolder, entityName);
KORVU_GET(korvu_holder_getobjectdigestinfo, kHolder, objectDigestInfo);

// V2Form ::= SEQUENCE { issuerName GeneralNames OPTIONAL, baseCertificateID [0] IssuerSerial OPTIONAL,
//   objectDigestInfo [1] ObjectDigestInfo OPTIONAL }
constexpr st::Field kV2FormFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_AC_V2FORM, issuerName).optional(),
    KORVU_FIELD(KORVU_TYPE_ATTCERT_ISSUERSERIAL, KORVU_AC_V2FORM, baseCertificateID).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_OBJECTDIGESTINFO, KORVU_AC_V2FORM, objectDigestInfo).implicit(1).optional()};
constexpr st::StructDef kV2Form = st::sequence(KORVU_TYPE_V2FORM, kV2FormFields, sizeof(KORVU_AC_V2FORM));
KORVU_REGISTER_STRUCT(KORVU_TYPE_V2FORM, kV2Form);
KORVU_API KORVU_AC_V2FORM *korvu_acv2form_new(const KORVU_ASN1_LIST *issuer_name, const KORVU_AC_ISSUERSERIAL *base,
                                             const KORVU_AC_OBJECTDIGESTINFO *odi) {
  return static_cast<KORVU_AC_V2FORM *>(st::make<kV2Form>(issuer_name, base, odi));
}
KORVU_GET(korvu_acv2form_getissuername, kV2Form, issuerName);
KORVU_GET(korvu_acv2form_getbasecertid, kV2Form, baseCertificateID);
KORVU_GET(korvu_acv2form_getobjectdigestinfo, kV2Form, objectDigestInfo);

// AttCertIssuer ::= CHOICE { v1Form GeneralNames, v2Form [0] V2Form }  (choice numbers 1 and 2)
constexpr st::Field kIssuerAlts[] = {alternative(1, KORVU_TYPE_GENERALNAMES),
                                     alternative(2, KORVU_TYPE_V2FORM).implicit(0)};
constexpr st::StructDef kIssuer = st::choice(KORVU_TYPE_ATTCERTISSUER, kIssuerAlts);
static_assert(offsetof(KORVU_AC_ATTCERTISSUER, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTCERTISSUER, kIssuer);
KORVU_NEW_CHOICE(korvu_attcertissuer_newv1, kIssuer, 1);
KORVU_NEW_CHOICE(korvu_attcertissuer_newv2, kIssuer, 2);
KORVU_API uint32_t korvu_attcertissuer_gettype(const KORVU_AC_ATTCERTISSUER *issuer) { return st::choice_of(issuer); }
KORVU_GET_CHOICE(korvu_attcertissuer_getv1, 1);
KORVU_GET_CHOICE(korvu_attcertissuer_getv2, 2);

// AttCertValidityPeriod ::= SEQUENCE { notBeforeTime GeneralizedTime, notAfterTime GeneralizedTime }
constexpr st::Field kPeriodFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_AC_VALIDITYPERIOD, notBeforeTime),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_AC_VALIDITYPERIOD, notAfterTime)};
constexpr st::StructDef kPeriod =
    st::sequence(KORVU_TYPE_ATTCERTVALIDITYPERIOD, kPeriodFields, sizeof(KORVU_AC_VALIDITYPERIOD));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTCERTVALIDITYPERIOD, kPeriod);
KORVU_API KORVU_AC_VALIDITYPERIOD *korvu_attcertvalidityperiod_new(const KORVU_ASN1_TIME *not_before,
                                                                  const KORVU_ASN1_TIME *not_after) {
  return static_cast<KORVU_AC_VALIDITYPERIOD *>(st::make<kPeriod>(not_before, not_after));
}
KORVU_GET(korvu_attcertvalidityperiod_getnotbefore, kPeriod, notBeforeTime);
KORVU_GET(korvu_attcertvalidityperiod_getnotafter, kPeriod, notAfterTime);

// AttributeCertificateInfo ::= SEQUENCE { version AttCertVersion, holder Holder, issuer AttCertIssuer,
//   signature AlgorithmIdentifier, serialNumber CertificateSerialNumber,
//   attrCertValidityPeriod AttCertValidityPeriod, attributes SEQUENCE OF Attribute,
//   issuerUniqueID UniqueIdentifier OPTIONAL, extensions Extensions OPTIONAL }
// AttCertVersion ::= INTEGER { v2(1) }, always written and not examined. X.509's older form, which starts with
// the holder ([0] or [1]) and has no version, is not this type and is refused.
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_ATTRIBUTE) =
    list::TypedList<KORVU_TYPE_SEQUENCE_OF_ATTRIBUTE, KORVU_TYPE_ATTRIBUTE>::ops;
constexpr st::Field kInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_AC_INFO, version),
    KORVU_FIELD(KORVU_TYPE_HOLDER, KORVU_AC_INFO, holder),
    KORVU_FIELD(KORVU_TYPE_ATTCERTISSUER, KORVU_AC_INFO, issuer),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_AC_INFO, signature),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_AC_INFO, serialNumber),
    KORVU_FIELD(KORVU_TYPE_ATTCERTVALIDITYPERIOD, KORVU_AC_INFO, attrCertValidityPeriod),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_ATTRIBUTE, KORVU_AC_INFO, attributes),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_AC_INFO, issuerUniqueID).optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_AC_INFO, extensions).optional()};
constexpr st::StructDef kInfo = st::sequence(KORVU_TYPE_ATTRIBUTECERTIFICATEINFO, kInfoFields, sizeof(KORVU_AC_INFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTRIBUTECERTIFICATEINFO, kInfo);
KORVU_API KORVU_AC_INFO *korvu_attributecertificateinfo_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_AC_HOLDER *holder, const KORVU_AC_ATTCERTISSUER *issuer,
    const KORVU_X509_ALGID *signature, const KORVU_ASN1_INTEGER *serial, const KORVU_AC_VALIDITYPERIOD *validity,
    const KORVU_ASN1_LIST *attributes, const KORVU_ASN1_BITSTRING *issuer_uid, const KORVU_ASN1_LIST *extensions) {
  return static_cast<KORVU_AC_INFO *>(
      st::make<kInfo>(version, holder, issuer, signature, serial, validity, attributes, issuer_uid, extensions));
}
KORVU_GET(korvu_attributecertificateinfo_getversion, kInfo, version);
KORVU_GET(korvu_attributecertificateinfo_getholder, kInfo, holder);
KORVU_GET(korvu_attributecertificateinfo_getissuer, kInfo, issuer);
KORVU_GET(korvu_attributecertificateinfo_getsignaturealgo, kInfo, signature);
KORVU_GET(korvu_attributecertificateinfo_getserialnumber, kInfo, serialNumber);
KORVU_GET(korvu_attributecertificateinfo_getvalidity, kInfo, attrCertValidityPeriod);
KORVU_GET(korvu_attributecertificateinfo_getattributes, kInfo, attributes);
KORVU_GET(korvu_attributecertificateinfo_getissueruniqueid, kInfo, issuerUniqueID);
KORVU_GET(korvu_attributecertificateinfo_getextensions, kInfo, extensions);

// AttributeCertificate ::= SEQUENCE { acinfo AttributeCertificateInfo, signatureAlgorithm AlgorithmIdentifier,
//   signatureValue BIT STRING }
// keeping its whole encoding and that of its AttributeCertificateInfo as received (or as first written), as a
// Certificate does, so that a decoded certificate is written back with its signed octets unchanged.
constexpr st::Field kAcFields[] = {
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTECERTIFICATEINFO, KORVU_AC_CERT, acinfo)
        .keeps(offsetof(KORVU_AC_CERT, infoEncoded)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_AC_CERT, signatureAlgorithm),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_AC_CERT, signatureValue)};
constexpr st::StructDef kAc = st::sequence(KORVU_TYPE_ATTRIBUTECERTIFICATE, kAcFields, sizeof(KORVU_AC_CERT))
                                  .keeping(offsetof(KORVU_AC_CERT, encoded), 2048)
                                  .leftover(kErrIncorrectLength);
static_assert(offsetof(KORVU_AC_CERT, hasEncoded) - offsetof(KORVU_AC_CERT, encoded) == offsetof(st::Kept, has) &&
              offsetof(KORVU_AC_CERT, hasInfoEncoded) - offsetof(KORVU_AC_CERT, infoEncoded) ==
                  offsetof(st::Kept, has));
static_assert(st::index_at(kAc, offsetof(KORVU_AC_CERT, acinfo)) == 0);
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTRIBUTECERTIFICATE, kAc);
KORVU_API KORVU_AC_CERT *korvu_attributecertificate_new(const KORVU_AC_INFO *acinfo,
                                                       const KORVU_ASN1_BITSTRING *signature) {
  if (acinfo == nullptr) return nullptr;
  return static_cast<KORVU_AC_CERT *>(x509::signed_create(kAc, acinfo, acinfo->signature, signature));
}
KORVU_GET(korvu_attributecertificate_getacinfo, kAc, acinfo);
KORVU_GET(korvu_attributecertificate_getsignalgo, kAc, signatureAlgorithm);
KORVU_GET(korvu_attributecertificate_getsignvalue, kAc, signatureValue);
KORVU_API int korvu_attributecertificate_gettbsocts(KORVU_AC_CERT *ac, unsigned char *buffer, uint32_t *length,
                                                    KORVU_ERR_CTX *ctx) {
  return x509::signed_tbs_octets(kAc, ac, buffer, length, ctx);
}

// TargetCert ::= SEQUENCE { targetCertificate IssuerSerial, targetName GeneralName OPTIONAL,
//   certDigestInfo ObjectDigestInfo OPTIONAL }
constexpr st::Field kTargetCertFields[] = {
    KORVU_FIELD(KORVU_TYPE_ATTCERT_ISSUERSERIAL, KORVU_AC_TARGETCERT, targetCertificate),
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_AC_TARGETCERT, targetName).optional(),
    KORVU_FIELD(KORVU_TYPE_OBJECTDIGESTINFO, KORVU_AC_TARGETCERT, certDigestInfo).optional()};
constexpr st::StructDef kTargetCert =
    st::sequence(KORVU_TYPE_TARGETCERT, kTargetCertFields, sizeof(KORVU_AC_TARGETCERT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TARGETCERT, kTargetCert);
KORVU_API KORVU_AC_TARGETCERT *korvu_ac_targetcert_new(const KORVU_AC_ISSUERSERIAL *cert,
                                                      const KORVU_X509_GENERALNAME *name,
                                                      const KORVU_AC_OBJECTDIGESTINFO *digest) {
  return static_cast<KORVU_AC_TARGETCERT *>(st::make<kTargetCert>(cert, name, digest));
}
KORVU_GET(korvu_ac_targetcert_gettargetcert, kTargetCert, targetCertificate);
KORVU_GET(korvu_ac_targetcert_gettargetname, kTargetCert, targetName);
KORVU_GET(korvu_ac_targetcert_getcertdigestinfo, kTargetCert, certDigestInfo);

// Target ::= CHOICE { targetName [0] GeneralName, targetGroup [1] GeneralName, targetCert [2] TargetCert }
// (GeneralName being a CHOICE, its tags are EXPLICIT: X.680 31.2.7)
// Targets ::= SEQUENCE OF Target; the targetInformation extension holds SEQUENCE OF Targets.
constexpr st::Field kTargetAlts[] = {alternative(0, KORVU_TYPE_GENERALNAME).explicit_(0),
                                     alternative(1, KORVU_TYPE_GENERALNAME).explicit_(1),
                                     alternative(2, KORVU_TYPE_TARGETCERT).implicit(2)};
constexpr st::StructDef kTarget = st::choice(KORVU_TYPE_TARGET, kTargetAlts);
static_assert(offsetof(KORVU_AC_TARGET, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TARGET, kTarget);
KORVU_REGISTER_TYPE(KORVU_TYPE_TARGETS) = list::TypedList<KORVU_TYPE_TARGETS, KORVU_TYPE_TARGET>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_TARGETS) =
    list::TypedList<KORVU_TYPE_SEQUENCE_OF_TARGETS, KORVU_TYPE_TARGETS>::ops;
KORVU_NEW_CHOICE(korvu_ac_target_newname, kTarget, 0);
KORVU_NEW_CHOICE(korvu_ac_target_newgroup, kTarget, 1);
KORVU_NEW_CHOICE(korvu_ac_target_newcert, kTarget, 2);
KORVU_API uint32_t korvu_ac_target_gettype(const KORVU_AC_TARGET *target) { return st::choice_of(target); }
KORVU_GET_CHOICE(korvu_ac_target_getname, 0);
KORVU_GET_CHOICE(korvu_ac_target_getgroup, 1);
KORVU_GET_CHOICE(korvu_ac_target_getcert, 2);

// IetfAttrSyntax ::= SEQUENCE { policyAuthority [0] GeneralNames OPTIONAL,
//   values SEQUENCE OF CHOICE { octets OCTET STRING, oid OBJECT IDENTIFIER, string UTF8String } }
constexpr st::Field kIetfValueAlts[] = {alternative(0, KORVU_TYPE_OCTET_STRING),
                                        alternative(1, KORVU_TYPE_OBJECT_IDENTIFIER),
                                        alternative(2, KORVU_TYPE_UTF8STRING)};
constexpr st::StructDef kIetfValue = st::choice(KORVU_TYPE_IETFATTRSYNTAX_VALUE, kIetfValueAlts);
static_assert(offsetof(KORVU_AC_IETFATTRVALUE, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_IETFATTRSYNTAX_VALUE, kIetfValue);
KORVU_REGISTER_TYPE(KORVU_TYPE_IETFATTRSYNTAX_VALUES) =
    list::TypedList<KORVU_TYPE_IETFATTRSYNTAX_VALUES, KORVU_TYPE_IETFATTRSYNTAX_VALUE>::ops;
KORVU_NEW_CHOICE(korvu_ac_ietfattrsyntaxvalue_newoctets, kIetfValue, 0);
KORVU_NEW_CHOICE(korvu_ac_ietfattrsyntaxvalue_newoid, kIetfValue, 1);
KORVU_NEW_CHOICE(korvu_ac_ietfattrsyntaxvalue_newutf8, kIetfValue, 2);
KORVU_API uint32_t korvu_ac_ietfattrsyntaxvalue_gettype(const KORVU_AC_IETFATTRVALUE *value) {
  return st::choice_of(value);
}
KORVU_GET_CHOICE(korvu_ac_ietfattrsyntaxvalue_getoctets, 0);
KORVU_GET_CHOICE(korvu_ac_ietfattrsyntaxvalue_getoid, 1);
KORVU_GET_CHOICE(korvu_ac_ietfattrsyntaxvalue_getutf8, 2);

constexpr st::Field kIetfFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_AC_IETFATTRSYNTAX, policyAuthority).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_IETFATTRSYNTAX_VALUES, KORVU_AC_IETFATTRSYNTAX, values)};
constexpr st::StructDef kIetf = st::sequence(KORVU_TYPE_IETFATTRSYNTAX, kIetfFields, sizeof(KORVU_AC_IETFATTRSYNTAX));
KORVU_REGISTER_STRUCT(KORVU_TYPE_IETFATTRSYNTAX, kIetf);
KORVU_API KORVU_AC_IETFATTRSYNTAX *korvu_ac_ietfattrsyntax_new(const KORVU_ASN1_LIST *policy_authority,
                                                              const KORVU_ASN1_LIST *values) {
  return static_cast<KORVU_AC_IETFATTRSYNTAX *>(st::make<kIetf>(policy_authority, values));
}
KORVU_GET(korvu_ac_ietfattrsyntax_getpolicyauth, kIetf, policyAuthority);
KORVU_GET(korvu_ac_ietfattrsyntax_getvalues, kIetf, values);

// SvceAuthInfo ::= SEQUENCE { service GeneralName, ident GeneralName, authInfo OCTET STRING OPTIONAL }
constexpr st::Field kSvceFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_AC_SVCEAUTHINFO, service),
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_AC_SVCEAUTHINFO, ident),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_AC_SVCEAUTHINFO, authInfo).optional()};
constexpr st::StructDef kSvce = st::sequence(KORVU_TYPE_SVCEAUTHINFO, kSvceFields, sizeof(KORVU_AC_SVCEAUTHINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SVCEAUTHINFO, kSvce);
KORVU_API KORVU_AC_SVCEAUTHINFO *korvu_ac_svceauthinfo_new(const KORVU_X509_GENERALNAME *service,
                                                          const KORVU_X509_GENERALNAME *ident,
                                                          const KORVU_ASN1_OCTETSTRING *auth_info) {
  return static_cast<KORVU_AC_SVCEAUTHINFO *>(st::make<kSvce>(service, ident, auth_info));
}
KORVU_GET(korvu_ac_svceauthinfo_getservice, kSvce, service);
KORVU_GET(korvu_ac_svceauthinfo_getident, kSvce, ident);
KORVU_GET(korvu_ac_svceauthinfo_getauthinfo, kSvce, authInfo);

// RoleSyntax ::= SEQUENCE { roleAuthority [0] GeneralNames OPTIONAL, roleName [1] GeneralName }
constexpr st::Field kRoleFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_AC_ROLESYNTAX, roleAuthority).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_AC_ROLESYNTAX, roleName).explicit_(1)};
constexpr st::StructDef kRole = st::sequence(KORVU_TYPE_ROLESYNTAX, kRoleFields, sizeof(KORVU_AC_ROLESYNTAX));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ROLESYNTAX, kRole);
KORVU_API KORVU_AC_ROLESYNTAX *korvu_ac_rolesyntax_new(const KORVU_ASN1_LIST *authority,
                                                      const KORVU_X509_GENERALNAME *name) {
  return static_cast<KORVU_AC_ROLESYNTAX *>(st::make<kRole>(authority, name));
}
KORVU_GET(korvu_ac_rolesyntax_getauthority, kRole, roleAuthority);
KORVU_GET(korvu_ac_rolesyntax_getname, kRole, roleName);

// SecurityCategory ::= SEQUENCE { type [0] OBJECT IDENTIFIER, value [1] EXPLICIT ANY DEFINED BY type }
// SecurityCategories ::= SET OF SecurityCategory
constexpr st::Field kCategoryFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_AC_SECURITYCATEGORY, type).implicit(0),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_AC_SECURITYCATEGORY, value).explicit_(1)};
constexpr st::StructDef kCategory =
    st::sequence(KORVU_TYPE_SECURITYCATEGORY, kCategoryFields, sizeof(KORVU_AC_SECURITYCATEGORY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SECURITYCATEGORY, kCategory);
KORVU_REGISTER_TYPE(KORVU_TYPE_SECURITYCATEGORIES) =
    list::TypedList<KORVU_TYPE_SECURITYCATEGORIES, KORVU_TYPE_SECURITYCATEGORY>::ops;
KORVU_API KORVU_AC_SECURITYCATEGORY *korvu_ac_securitycategory_new(const KORVU_ASN1_OID *type,
                                                                  const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_AC_SECURITYCATEGORY *>(st::make<kCategory>(type, value));
}
KORVU_GET(korvu_ac_securitycategory_gettype, kCategory, type);
KORVU_GET(korvu_ac_securitycategory_getvalue, kCategory, value);

// Clearance ::= SEQUENCE { policyId OBJECT IDENTIFIER, classList ClassList DEFAULT { unclassified },
//   securityCategories SET OF SecurityCategory OPTIONAL }
// ClassList ::= BIT STRING { unmarked (0), unclassified (1), restricted (2), confidential (3), secret (4),
//   topSecret (5) }
// The class list is compared with its default as a set of bits, so { unclassified } written with trailing zero
// bits is still left out. (RFC 3281's form, with [0] [1] [2] tags, is another type and is refused.)
constexpr unsigned char kUnclassified[] = {0x03, 0x02, 0x06, 0x40};
constexpr st::Field kClearanceFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_AC_CLEARANCE, policyId),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_AC_CLEARANCE, classList)
        .defaults(kUnclassified, st::DefaultRule::BitSet),
    KORVU_FIELD(KORVU_TYPE_SECURITYCATEGORIES, KORVU_AC_CLEARANCE, securityCategories).optional()};
constexpr st::StructDef kClearance = st::sequence(KORVU_TYPE_CLEARANCE, kClearanceFields, sizeof(KORVU_AC_CLEARANCE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CLEARANCE, kClearance);
KORVU_API KORVU_AC_CLEARANCE *korvu_ac_clearance_new(const KORVU_ASN1_OID *policy_id,
                                                    const KORVU_ASN1_BITSTRING *class_list,
                                                    const KORVU_ASN1_LIST *categories) {
  return static_cast<KORVU_AC_CLEARANCE *>(st::make<kClearance>(policy_id, class_list, categories));
}
KORVU_GET(korvu_ac_clearance_getpolicyid, kClearance, policyId);
KORVU_GET(korvu_ac_securitycategory_getclasslist, kClearance, classList);
KORVU_GET(korvu_ac_securitycategory_getsecuritycategories, kClearance, securityCategories);

// ACClearAttrs ::= SEQUENCE { acIssuer GeneralName, acSerial INTEGER, attrs SEQUENCE OF Attribute }
constexpr st::Field kClearAttrsFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_AC_CLEARATTRS, acIssuer),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_AC_CLEARATTRS, acSerial),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_ATTRIBUTE, KORVU_AC_CLEARATTRS, attrs)};
constexpr st::StructDef kClearAttrs =
    st::sequence(KORVU_TYPE_ACCLEARATTRS, kClearAttrsFields, sizeof(KORVU_AC_CLEARATTRS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ACCLEARATTRS, kClearAttrs);
KORVU_API KORVU_AC_CLEARATTRS *korvu_acclearattrs_new(const KORVU_X509_GENERALNAME *issuer,
                                                     const KORVU_ASN1_INTEGER *serial, const KORVU_ASN1_LIST *attrs) {
  return static_cast<KORVU_AC_CLEARATTRS *>(st::make<kClearAttrs>(issuer, serial, attrs));
}
KORVU_GET(korvu_acclearattrs_getissuer, kClearAttrs, acIssuer);
KORVU_GET(korvu_acclearattrs_getserial, kClearAttrs, acSerial);
KORVU_GET(korvu_acclearattrs_getattrs, kClearAttrs, attrs);

// AttrSpec ::= SEQUENCE OF OBJECT IDENTIFIER
// AAControls ::= SEQUENCE { pathLenConstraint INTEGER (0..MAX) OPTIONAL, permittedAttrs [0] AttrSpec OPTIONAL,
//   excludedAttrs [1] AttrSpec OPTIONAL, permitUnSpecified BOOLEAN DEFAULT TRUE }
KORVU_REGISTER_TYPE(KORVU_TYPE_ATTRSPEC) = list::TypedList<KORVU_TYPE_ATTRSPEC, KORVU_TYPE_OBJECT_IDENTIFIER>::ops;
constexpr unsigned char kTrue[] = {0x01, 0x01, 0xFF};
constexpr st::Field kAaControlsFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_AC_AACONTROLS, pathLenConstraint).optional(),
    KORVU_FIELD(KORVU_TYPE_ATTRSPEC, KORVU_AC_AACONTROLS, permittedAttrs).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_ATTRSPEC, KORVU_AC_AACONTROLS, excludedAttrs).implicit(1).optional(),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_AC_AACONTROLS, permitUnSpecified)
        .defaults(kTrue, st::DefaultRule::Boolean)};
constexpr st::StructDef kAaControls =
    st::sequence(KORVU_TYPE_AACONTROLS, kAaControlsFields, sizeof(KORVU_AC_AACONTROLS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_AACONTROLS, kAaControls);
KORVU_API KORVU_AC_AACONTROLS *korvu_ac_aacontrols_new(const KORVU_ASN1_INTEGER *path_len,
                                                      const KORVU_ASN1_LIST *permitted,
                                                      const KORVU_ASN1_LIST *excluded,
                                                      const KORVU_ASN1_BOOLEAN *permit_unspecified) {
  return static_cast<KORVU_AC_AACONTROLS *>(st::make<kAaControls>(path_len, permitted, excluded, permit_unspecified));
}
KORVU_GET(korvu_ac_aacontrols_getpathlencontraint, kAaControls, pathLenConstraint);
KORVU_GET(korvu_ac_aacontrols_getpermittedattrs, kAaControls, permittedAttrs);
KORVU_GET(korvu_ac_aacontrols_getexcludedattrs, kAaControls, excludedAttrs);
KORVU_GET(korvu_ac_aacontrols_getpermitunspecified, kAaControls, permitUnSpecified);
