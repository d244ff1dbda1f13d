// SCVP (RFC 5055, module SCVP with IMPLICIT TAGS): the certificate validation request and response, the
// validation policy request and response, and their components. A tagged CHOICE (requestorName, responderName,
// requestRef) is written under an EXPLICIT tag, as X.680 31.2.7 requires; every other tag is IMPLICIT.
// Certificates, attribute certificates and CRLs under an IMPLICIT tag keep the octets they were read from.
// Optional components are absent as null pointers; the record layouts are in korvu/scvp.h.
#define KORVU_SRC "KORVU_ASN1_SCVP"
#include "korvu/scvp.h"

#include "../core/list_codec.h"
#include "../core/struct.h"

using namespace korvu;
using st::alternative;
using st::DefaultRule;

namespace {
constexpr unsigned char kInteger1[] = {0x02, 0x01, 0x01};   // cvRequestVersion, vpRequestVersion
constexpr unsigned char kInteger0[] = {0x02, 0x01, 0x00};   // ReplyCheck status
constexpr unsigned char kInteger10[] = {0x02, 0x01, 0x0A};  // clockSkew
constexpr unsigned char kEnum0[] = {0x0A, 0x01, 0x00};      // replyStatus success, statusCode okay
constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};
constexpr unsigned char kTrue[] = {0x01, 0x01, 0xFF};
// HashAlgorithm DEFAULT { algorithm id-sha1 }: written whenever it has parameters, NULL included.
constexpr unsigned char kSha1[] = {0x30, 0x07, 0x06, 0x05, 0x2B, 0x0E, 0x03, 0x02, 0x1A};
}  // namespace

// Lists: CertChecks, WantBack, UserPolicySet, ExtendedKeyUsages, ValidationErrors and the SEQUENCE OF OBJECT
// IDENTIFIER of ValPolResponse (OBJECT IDENTIFIER); KeyUsages (BIT STRING); CertBundle (Certificate); CertBundles;
// SEQUENCE OF PKCReference / ACReference, TrustAnchors, RevocationInfos, ReplyChecks, ReplyWantBacks,
// ReplyObjects, KeyAgreePublicKeys; SEQUENCE OF AlgorithmIdentifier. Only hashAlgorithms keeps its SIZE (1..MAX).
#define KORVU_SCVP_LIST(n, element) \
  KORVU_REGISTER_TYPE(n) = list::TypedList<n, element>::ops
KORVU_SCVP_LIST(KORVU_TYPE_SEQUENCE_OF_PKCREFERENCE, KORVU_TYPE_PKCREFERENCE);
KORVU_SCVP_LIST(KORVU_TYPE_SEQUENCE_OF_ACREFERENCE, KORVU_TYPE_ACREFERENCE);
KORVU_SCVP_LIST(KORVU_TYPE_CERTCHECKS, KORVU_TYPE_OBJECT_IDENTIFIER);
KORVU_SCVP_LIST(KORVU_TYPE_WANTBACK, KORVU_TYPE_OBJECT_IDENTIFIER);
KORVU_SCVP_LIST(KORVU_TYPE_REVOCATIONINFOS, KORVU_TYPE_REVOCATIONINFO);
KORVU_SCVP_LIST(KORVU_TYPE_USERPOLICYSET, KORVU_TYPE_OBJECT_IDENTIFIER);
KORVU_SCVP_LIST(KORVU_TYPE_TRUSTANCHORS, KORVU_TYPE_PKCREFERENCE);
KORVU_SCVP_LIST(KORVU_TYPE_KEYUSAGES, KORVU_TYPE_BIT_STRING);
KORVU_SCVP_LIST(KORVU_TYPE_EXTENDEDKEYUSAGES, KORVU_TYPE_OBJECT_IDENTIFIER);
KORVU_SCVP_LIST(KORVU_TYPE_CERTBUNDLE, KORVU_TYPE_CERTIFICATE);
KORVU_SCVP_LIST(KORVU_TYPE_REPLYCHECKS, KORVU_TYPE_REPLYCHECK);
KORVU_SCVP_LIST(KORVU_TYPE_REPLYWANTBACKS, KORVU_TYPE_REPLYWANTBACK);
KORVU_SCVP_LIST(KORVU_TYPE_CERTBUNDLES, KORVU_TYPE_CERTBUNDLE);
KORVU_SCVP_LIST(KORVU_TYPE_VALIDATIONERRORS, KORVU_TYPE_OBJECT_IDENTIFIER);
KORVU_SCVP_LIST(KORVU_TYPE_REPLYOBJECTS, KORVU_TYPE_CERTREPLY);
KORVU_SCVP_LIST(KORVU_TYPE_SCVP_SEQUENCE_OF_OBJECT_IDENTIFIER, KORVU_TYPE_OBJECT_IDENTIFIER);
KORVU_SCVP_LIST(KORVU_TYPE_SCVP_SEQUENCE_OF_ALGORITHMIDENTIFIER, KORVU_TYPE_ALGORITHMIDENTIFIER);
KORVU_SCVP_LIST(KORVU_TYPE_KEYAGREEPUBLICKEYS, KORVU_TYPE_KEYAGREEPUBLICKEY);
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_SIZE_OF_OBJECT_IDENTIFIER) =
    list::kNonEmpty<KORVU_TYPE_SEQUENCE_SIZE_OF_OBJECT_IDENTIFIER, KORVU_TYPE_OBJECT_IDENTIFIER>;
#undef KORVU_SCVP_LIST

// SCVPIssuerSerial ::= SEQUENCE { issuer GeneralNames, serialNumber CertificateSerialNumber }
constexpr st::Field kIssuerSerialFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_SCVP_ISSUERSERIAL, issuer),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_ISSUERSERIAL, serialNumber)};
constexpr st::StructDef kIssuerSerial =
    st::sequence(KORVU_TYPE_SCVPISSUERSERIAL, kIssuerSerialFields, sizeof(KORVU_SCVP_ISSUERSERIAL));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SCVPISSUERSERIAL, kIssuerSerial);
KORVU_API KORVU_SCVP_ISSUERSERIAL *korvu_scvpissuerserial_new(const KORVU_ASN1_LIST *issuer,
                                                              const KORVU_ASN1_INTEGER *serial_number) {
  return static_cast<KORVU_SCVP_ISSUERSERIAL *>(st::make<kIssuerSerial>(issuer, serial_number));
}
KORVU_GET(korvu_scvpissuerserial_getissuer, kIssuerSerial, issuer);
KORVU_GET(korvu_scvpissuerserial_getserial, kIssuerSerial, serialNumber);

// SCVPCertID ::= SEQUENCE { certHash OCTET STRING, issuerSerial SCVPIssuerSerial,
//   hashAlgorithm AlgorithmIdentifier DEFAULT { algorithm sha-1 } }
constexpr st::Field kCertIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SCVP_CERTID, certHash),
    KORVU_FIELD(KORVU_TYPE_SCVPISSUERSERIAL, KORVU_SCVP_CERTID, issuerSerial),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SCVP_CERTID, hashAlgorithm)
        .defaults(kSha1, DefaultRule::AlgorithmOidAbsent)};
constexpr st::StructDef kCertId = st::sequence(KORVU_TYPE_SCVPCERTID, kCertIdFields, sizeof(KORVU_SCVP_CERTID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SCVPCERTID, kCertId);
KORVU_API KORVU_SCVP_CERTID *korvu_scvpcertid_new(const KORVU_ASN1_OCTETSTRING *cert_hash,
                                                  const KORVU_SCVP_ISSUERSERIAL *issuer_serial,
                                                  const KORVU_X509_ALGID *hash_algorithm) {
  return static_cast<KORVU_SCVP_CERTID *>(st::make<kCertId>(cert_hash, issuer_serial, hash_algorithm));
}
KORVU_GET(korvu_scvpcertid_getcerthash, kCertId, certHash);
KORVU_GET(korvu_scvpcertid_getissuerserial, kCertId, issuerSerial);
KORVU_GET(korvu_scvpcertid_gethashalgorithm, kCertId, hashAlgorithm);

// PKCReference ::= CHOICE { cert [0] Certificate, pkcRef [1] SCVPCertID }  (choice numbers 0 and 1)
constexpr st::Field kPkcReferenceAlts[] = {alternative(0, KORVU_TYPE_CERTIFICATE).implicit(0),
                                           alternative(1, KORVU_TYPE_SCVPCERTID).implicit(1)};
constexpr st::StructDef kPkcReference = st::choice(KORVU_TYPE_PKCREFERENCE, kPkcReferenceAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_PKCREFERENCE, kPkcReference);
KORVU_NEW_CHOICE(korvu_scvppkcreference_new_cert, kPkcReference, 0);
KORVU_NEW_CHOICE(korvu_scvppkcreference_new_pkcref, kPkcReference, 1);
KORVU_API uint32_t korvu_scvppkcreference_gettype(const KORVU_SCVP_PKCREFERENCE *ref) { return st::choice_of(ref); }
KORVU_GET_CHOICE(korvu_scvppkcreference_getcert, 0);
KORVU_GET_CHOICE(korvu_scvppkcreference_getpkcref, 1);

// ACReference ::= CHOICE { attrCert [2] AttributeCertificate, acRef [3] SCVPCertID }  (choice numbers 2 and 3)
constexpr st::Field kAcReferenceAlts[] = {alternative(2, KORVU_TYPE_ATTRIBUTECERTIFICATE).implicit(2),
                                          alternative(3, KORVU_TYPE_SCVPCERTID).implicit(3)};
constexpr st::StructDef kAcReference = st::choice(KORVU_TYPE_ACREFERENCE, kAcReferenceAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_ACREFERENCE, kAcReference);
KORVU_NEW_CHOICE(korvu_scvpacreference_new_attrcert, kAcReference, 2);
KORVU_NEW_CHOICE(korvu_scvpacreference_new_acref, kAcReference, 3);
KORVU_API uint32_t korvu_scvpacreference_gettype(const KORVU_SCVP_ACREFERENCE *ref) { return st::choice_of(ref); }
KORVU_GET_CHOICE(korvu_scvpacreference_getattrcert, 2);
KORVU_GET_CHOICE(korvu_scvpacreference_getacref, 3);

// CertReference ::= CHOICE { pkc PKCReference, ac ACReference }  (untagged; choice numbers 1 and 2)
constexpr st::Field kCertReferenceAlts[] = {alternative(1, KORVU_TYPE_PKCREFERENCE),
                                            alternative(2, KORVU_TYPE_ACREFERENCE)};
constexpr st::StructDef kCertReference = st::choice(KORVU_TYPE_CERTREFERENCE, kCertReferenceAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTREFERENCE, kCertReference);
KORVU_NEW_CHOICE(korvu_scvpcertreference_new_pkc, kCertReference, 1);
KORVU_NEW_CHOICE(korvu_scvpcertreference_new_ac, kCertReference, 2);
KORVU_API uint32_t korvu_scvpcertreference_gettype(const KORVU_SCVP_CERTREFERENCE *ref) { return st::choice_of(ref); }
KORVU_GET_CHOICE(korvu_scvpcertreference_getpkc, 1);
KORVU_GET_CHOICE(korvu_scvpcertreference_getac, 2);

// CertReferences ::= CHOICE { pkcRefs [0] SEQUENCE OF PKCReference, acRefs [1] SEQUENCE OF ACReference }
// (choice numbers 0 and 1). RFC 5055 says SIZE (1..MAX) for both; an empty list is read and written here.
constexpr st::Field kCertReferencesAlts[] = {alternative(0, KORVU_TYPE_SEQUENCE_OF_PKCREFERENCE).implicit(0),
                                             alternative(1, KORVU_TYPE_SEQUENCE_OF_ACREFERENCE).implicit(1)};
constexpr st::StructDef kCertReferences = st::choice(KORVU_TYPE_CERTREFERENCES, kCertReferencesAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTREFERENCES, kCertReferences);
KORVU_NEW_CHOICE(korvu_scvpcertreferences_new_pkcrefs, kCertReferences, 0);
KORVU_NEW_CHOICE(korvu_scvpcertreference_new_acrefs, kCertReferences, 1);
KORVU_API uint32_t korvu_scvpcertreferences_gettype(const KORVU_SCVP_CERTREFERENCES *refs) {
  return st::choice_of(refs);
}
KORVU_GET_CHOICE(korvu_scvpcertreferences_getpkcrefs, 0);
KORVU_GET_CHOICE(korvu_scvpcertreferences_getacrefs, 1);

// ValidationPolRef ::= SEQUENCE { valPolId OBJECT IDENTIFIER, valPolParams ANY DEFINED BY valPolId OPTIONAL }
constexpr st::Field kValidationPolRefFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SCVP_VALIDATIONPOLREF, valPolId),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_SCVP_VALIDATIONPOLREF, valPolParams).optional()};
constexpr st::StructDef kValidationPolRef =
    st::sequence(KORVU_TYPE_VALIDATIONPOLREF, kValidationPolRefFields, sizeof(KORVU_SCVP_VALIDATIONPOLREF));
KORVU_REGISTER_STRUCT(KORVU_TYPE_VALIDATIONPOLREF, kValidationPolRef);
KORVU_API KORVU_SCVP_VALIDATIONPOLREF *korvu_scvpvalidationpolref_new(const KORVU_ASN1_OID *val_pol_id,
                                                                      const KORVU_ASN1_ANY *val_pol_params) {
  return static_cast<KORVU_SCVP_VALIDATIONPOLREF *>(st::make<kValidationPolRef>(val_pol_id, val_pol_params));
}
KORVU_GET(korvu_scvpvalidationpolref_getvalpolid, kValidationPolRef, valPolId);
KORVU_GET(korvu_scvpvalidationpolref_getvalpolparams, kValidationPolRef, valPolParams);
KORVU_HAS(korvu_scvpvalidationpolref_hasvalpolparams, kValidationPolRef, valPolParams);

// ValidationAlg ::= SEQUENCE { valAlgId OBJECT IDENTIFIER, parameters ANY DEFINED BY valAlgId OPTIONAL }
constexpr st::Field kValidationAlgFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SCVP_VALIDATIONALG, valAlgId),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_SCVP_VALIDATIONALG, parameters).optional()};
constexpr st::StructDef kValidationAlg =
    st::sequence(KORVU_TYPE_VALIDATIONALG, kValidationAlgFields, sizeof(KORVU_SCVP_VALIDATIONALG));
KORVU_REGISTER_STRUCT(KORVU_TYPE_VALIDATIONALG, kValidationAlg);
KORVU_API KORVU_SCVP_VALIDATIONALG *korvu_scvpvalidationalg_new(const KORVU_ASN1_OID *val_alg_id,
                                                                const KORVU_ASN1_ANY *parameters) {
  return static_cast<KORVU_SCVP_VALIDATIONALG *>(st::make<kValidationAlg>(val_alg_id, parameters));
}
KORVU_GET(korvu_scvpvalidationalg_getvalalgid, kValidationAlg, valAlgId);
KORVU_GET(korvu_scvpvalidationalg_getparameters, kValidationAlg, parameters);
KORVU_HAS(korvu_scvpvalidationalg_hasparameters, kValidationAlg, parameters);

// NameValidationAlgParms ::= SEQUENCE { nameCompAlgId OBJECT IDENTIFIER, validationNames GeneralNames }
constexpr st::Field kNameValAlgParmsFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SCVP_NAMEVALIDATIONALGPARMS, nameCompAlgId),
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_SCVP_NAMEVALIDATIONALGPARMS, validationNames)};
constexpr st::StructDef kNameValAlgParms = st::sequence(KORVU_TYPE_NAMEVALIDATIONALGPARMS, kNameValAlgParmsFields,
                                                        sizeof(KORVU_SCVP_NAMEVALIDATIONALGPARMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_NAMEVALIDATIONALGPARMS, kNameValAlgParms);
KORVU_API KORVU_SCVP_NAMEVALIDATIONALGPARMS *korvu_scvpnamevalidationalgparms_new(
    const KORVU_ASN1_OID *name_comp_alg_id, const KORVU_ASN1_LIST *validation_names) {
  return static_cast<KORVU_SCVP_NAMEVALIDATIONALGPARMS *>(
      st::make<kNameValAlgParms>(name_comp_alg_id, validation_names));
}
KORVU_GET(korvu_scvpnamevalidationalgparms_getnamecompalgid, kNameValAlgParms, nameCompAlgId);
KORVU_GET(korvu_scvpnamevalidationalgparms_getvalidationnames, kNameValAlgParms, validationNames);

// ResponseFlags ::= SEQUENCE { fullRequestInResponse [0] BOOLEAN DEFAULT FALSE,
//   responseValidationPolByRef [1] BOOLEAN DEFAULT TRUE, protectResponse [2] BOOLEAN DEFAULT TRUE,
//   cachedResponse [3] BOOLEAN DEFAULT TRUE }
constexpr st::Field kResponseFlagsFields[] = {
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_SCVP_RESPONSEFLAGS, fullRequestInResponse).implicit(0)
        .defaults(kFalse, DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_SCVP_RESPONSEFLAGS, responseValidationPolByRef).implicit(1)
        .defaults(kTrue, DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_SCVP_RESPONSEFLAGS, protectResponse).implicit(2)
        .defaults(kTrue, DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_SCVP_RESPONSEFLAGS, cachedResponse).implicit(3)
        .defaults(kTrue, DefaultRule::Boolean)};
constexpr st::StructDef kResponseFlags =
    st::sequence(KORVU_TYPE_RESPONSEFLAGS, kResponseFlagsFields, sizeof(KORVU_SCVP_RESPONSEFLAGS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RESPONSEFLAGS, kResponseFlags);
KORVU_API KORVU_SCVP_RESPONSEFLAGS *korvu_scvpresponseflags_new(const KORVU_ASN1_BOOLEAN *full_request_in_response,
                                                                const KORVU_ASN1_BOOLEAN *response_validation_pol_by_ref,
                                                                const KORVU_ASN1_BOOLEAN *protect_response,
                                                                const KORVU_ASN1_BOOLEAN *cached_response) {
  return static_cast<KORVU_SCVP_RESPONSEFLAGS *>(st::make<kResponseFlags>(
      full_request_in_response, response_validation_pol_by_ref, protect_response, cached_response));
}
KORVU_GET(korvu_scvpresponseflags_getfullrequestinresponse, kResponseFlags, fullRequestInResponse);
KORVU_GET(korvu_scvpresponseflags_getresponsevalidationpolbyref, kResponseFlags, responseValidationPolByRef);
KORVU_GET(korvu_scvpresponseflags_getprotectresponse, kResponseFlags, protectResponse);
KORVU_GET(korvu_scvpresponseflags_getcachedresponse, kResponseFlags, cachedResponse);

// OtherRevInfo ::= SEQUENCE { riType OBJECT IDENTIFIER, riValue ANY DEFINED BY riType }
constexpr st::Field kOtherRevInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SCVP_OTHERREVINFO, riType),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_SCVP_OTHERREVINFO, riValue)};
constexpr st::StructDef kOtherRevInfo =
    st::sequence(KORVU_TYPE_OTHERREVINFO, kOtherRevInfoFields, sizeof(KORVU_SCVP_OTHERREVINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERREVINFO, kOtherRevInfo);
KORVU_API KORVU_SCVP_OTHERREVINFO *korvu_scvpotherrevinfo_new(const KORVU_ASN1_OID *ri_type,
                                                              const KORVU_ASN1_ANY *ri_value) {
  return static_cast<KORVU_SCVP_OTHERREVINFO *>(st::make<kOtherRevInfo>(ri_type, ri_value));
}
KORVU_GET(korvu_scvpotherrevinfo_getritype, kOtherRevInfo, riType);
KORVU_GET(korvu_scvpotherrevinfo_getrivalue, kOtherRevInfo, riValue);

// RevocationInfo ::= CHOICE { crl [0] CertificateList, delta-crl [1] CertificateList, ocsp [2] OCSPResponse,
//   other [3] OtherRevInfo }  (choice number = tag)
constexpr st::Field kRevocationInfoAlts[] = {alternative(0, KORVU_TYPE_CERTIFICATELIST).implicit(0),
                                             alternative(1, KORVU_TYPE_CERTIFICATELIST).implicit(1),
                                             alternative(2, KORVU_TYPE_OCSPRESPONSE).implicit(2),
                                             alternative(3, KORVU_TYPE_OTHERREVINFO).implicit(3)};
constexpr st::StructDef kRevocationInfo = st::choice(KORVU_TYPE_REVOCATIONINFO, kRevocationInfoAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_REVOCATIONINFO, kRevocationInfo);
KORVU_NEW_CHOICE(korvu_scvprevocationinfo_new_crl, kRevocationInfo, 0);
KORVU_NEW_CHOICE(korvu_scvprevocationinfo_new_deltacrl, kRevocationInfo, 1);
KORVU_NEW_CHOICE(korvu_scvprevocationinfo_new_ocsp, kRevocationInfo, 2);
KORVU_NEW_CHOICE(korvu_scvprevocationinfo_new_other, kRevocationInfo, 3);
KORVU_API uint32_t korvu_scvprevocationinfo_gettype(const KORVU_SCVP_REVOCATIONINFO *ri) { return st::choice_of(ri); }
KORVU_GET_CHOICE(korvu_scvprevocationinfo_getcrl, 0);
KORVU_GET_CHOICE(korvu_scvprevocationinfo_getdeltacrl, 1);
KORVU_GET_CHOICE(korvu_scvprevocationinfo_getocsp, 2);
KORVU_GET_CHOICE(korvu_scvprevocationinfo_getother, 3);

// RevInfoWantBack ::= SEQUENCE { revocationInfo RevocationInfos, extraCerts CertBundle OPTIONAL }
constexpr st::Field kRevInfoWantBackFields[] = {
    KORVU_FIELD(KORVU_TYPE_REVOCATIONINFOS, KORVU_SCVP_REVINFOWANTBACK, revocationInfo),
    KORVU_FIELD(KORVU_TYPE_CERTBUNDLE, KORVU_SCVP_REVINFOWANTBACK, extraCerts).optional()};
constexpr st::StructDef kRevInfoWantBack =
    st::sequence(KORVU_TYPE_REVINFOWANTBACK, kRevInfoWantBackFields, sizeof(KORVU_SCVP_REVINFOWANTBACK));
KORVU_REGISTER_STRUCT(KORVU_TYPE_REVINFOWANTBACK, kRevInfoWantBack);
KORVU_API KORVU_SCVP_REVINFOWANTBACK *korvu_scvprevinfowantback_new(const KORVU_ASN1_LIST *revocation_info,
                                                                    const KORVU_ASN1_LIST *extra_certs) {
  return static_cast<KORVU_SCVP_REVINFOWANTBACK *>(st::make<kRevInfoWantBack>(revocation_info, extra_certs));
}
KORVU_GET(korvu_scvprevinfowantback_getrevocationinfo, kRevInfoWantBack, revocationInfo);
KORVU_GET(korvu_scvprevinfowantback_getextracerts, kRevInfoWantBack, extraCerts);
KORVU_HAS(korvu_scvprevinfowantback_hasextracerts, kRevInfoWantBack, extraCerts);

// ValidationPolicy ::= SEQUENCE { validationPolRef ValidationPolRef, validationAlg [0] ValidationAlg OPTIONAL,
//   userPolicySet [1] SEQUENCE SIZE (1..MAX) OF OBJECT IDENTIFIER OPTIONAL,
//   inhibitPolicyMapping [2] BOOLEAN OPTIONAL, requireExplicitPolicy [3] BOOLEAN OPTIONAL,
//   inhibitAnyPolicy [4] BOOLEAN OPTIONAL, trustAnchors [5] TrustAnchors OPTIONAL,
//   keyUsages [6] SEQUENCE OF KeyUsage OPTIONAL, extendedKeyUsages [7] SEQUENCE OF KeyPurposeId OPTIONAL,
//   specifiedKeyUsages [8] SEQUENCE OF KeyPurposeId OPTIONAL }
constexpr st::Field kValidationPolicyFields[] = {
    KORVU_FIELD(KORVU_TYPE_VALIDATIONPOLREF, KORVU_SCVP_VALIDATIONPOLICY, validationPolRef),
    KORVU_FIELD(KORVU_TYPE_VALIDATIONALG, KORVU_SCVP_VALIDATIONPOLICY, validationAlg).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_USERPOLICYSET, KORVU_SCVP_VALIDATIONPOLICY, userPolicySet).implicit(1).optional(),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_SCVP_VALIDATIONPOLICY, inhibitPolicyMapping).implicit(2).optional(),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_SCVP_VALIDATIONPOLICY, requireExplicitPolicy).implicit(3).optional(),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_SCVP_VALIDATIONPOLICY, inhibitAnyPolicy).implicit(4).optional(),
    KORVU_FIELD(KORVU_TYPE_TRUSTANCHORS, KORVU_SCVP_VALIDATIONPOLICY, trustAnchors).implicit(5).optional(),
    KORVU_FIELD(KORVU_TYPE_KEYUSAGES, KORVU_SCVP_VALIDATIONPOLICY, keyUsages).implicit(6).optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENDEDKEYUSAGES, KORVU_SCVP_VALIDATIONPOLICY, extendedKeyUsages).implicit(7)
        .optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENDEDKEYUSAGES, KORVU_SCVP_VALIDATIONPOLICY, specifiedKeyUsages).implicit(8)
        .optional()};
constexpr st::StructDef kValidationPolicy =
    st::sequence(KORVU_TYPE_VALIDATIONPOLICY, kValidationPolicyFields, sizeof(KORVU_SCVP_VALIDATIONPOLICY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_VALIDATIONPOLICY, kValidationPolicy);
KORVU_API KORVU_SCVP_VALIDATIONPOLICY *korvu_scvpvalidationpolicy_new(
    const KORVU_SCVP_VALIDATIONPOLREF *validation_pol_ref, const KORVU_SCVP_VALIDATIONALG *validation_alg,
    const KORVU_ASN1_LIST *user_policy_set, const KORVU_ASN1_BOOLEAN *inhibit_policy_mapping,
    const KORVU_ASN1_BOOLEAN *require_explicit_policy, const KORVU_ASN1_BOOLEAN *inhibit_any_policy,
    const KORVU_ASN1_LIST *trust_anchors, const KORVU_ASN1_LIST *key_usages,
    const KORVU_ASN1_LIST *extended_key_usages, const KORVU_ASN1_LIST *specified_key_usages) {
  return static_cast<KORVU_SCVP_VALIDATIONPOLICY *>(st::make<kValidationPolicy>(
      validation_pol_ref, validation_alg, user_policy_set, inhibit_policy_mapping, require_explicit_policy,
      inhibit_any_policy, trust_anchors, key_usages, extended_key_usages, specified_key_usages));
}
KORVU_GET(korvu_scvpvalidationpolicy_getvalidationpolref, kValidationPolicy, validationPolRef);
KORVU_GET(korvu_scvpvalidationpolicy_getvalidationalg, kValidationPolicy, validationAlg);
KORVU_GET(korvu_scvpvalidationpolicy_getuserpolicyset, kValidationPolicy, userPolicySet);
KORVU_GET(korvu_scvpvalidationpolicy_getinhibitpolicymapping, kValidationPolicy, inhibitPolicyMapping);
KORVU_GET(korvu_scvpvalidationpolicy_getrequireexplicitpolicy, kValidationPolicy, requireExplicitPolicy);
KORVU_GET(korvu_scvpvalidationpolicy_getinhibitanypolicy, kValidationPolicy, inhibitAnyPolicy);
KORVU_GET(korvu_scvpvalidationpolicy_gettrustanchors, kValidationPolicy, trustAnchors);
KORVU_GET(korvu_scvpvalidationpolicy_getkeyusages, kValidationPolicy, keyUsages);
KORVU_GET(korvu_scvpvalidationpolicy_getextendedkeyusages, kValidationPolicy, extendedKeyUsages);
KORVU_GET(korvu_scvpvalidationpolicy_getspecifiedkeyusages, kValidationPolicy, specifiedKeyUsages);
KORVU_HAS(korvu_scvpvalidationpolicy_hasvalidationalg, kValidationPolicy, validationAlg);
KORVU_HAS(korvu_scvpvalidationpolicy_hasuserpolicyset, kValidationPolicy, userPolicySet);
KORVU_HAS(korvu_scvpvalidationpolicy_hasinhibitpolicymapping, kValidationPolicy, inhibitPolicyMapping);
KORVU_HAS(korvu_scvpvalidationpolicy_hasrequireexplicitpolicy, kValidationPolicy, requireExplicitPolicy);
KORVU_HAS(korvu_scvpvalidationpolicy_hasinhibitanypolicy, kValidationPolicy, inhibitAnyPolicy);
KORVU_HAS(korvu_scvpvalidationpolicy_hastrustanchors, kValidationPolicy, trustAnchors);
KORVU_HAS(korvu_scvpvalidationpolicy_haskeyusages, kValidationPolicy, keyUsages);
KORVU_HAS(korvu_scvpvalidationpolicy_hasextendedkeyusages, kValidationPolicy, extendedKeyUsages);
KORVU_HAS(korvu_scvpvalidationpolicy_hasspecifiedkeyusages, kValidationPolicy, specifiedKeyUsages);

// Query ::= SEQUENCE { queriedCerts CertReferences, checks CertChecks, wantBack [1] WantBack OPTIONAL,
//   validationPolicy ValidationPolicy, responseFlags ResponseFlags OPTIONAL,
//   serverContextInfo [2] OCTET STRING OPTIONAL, validationTime [3] GeneralizedTime OPTIONAL,
//   intermediateCerts [4] CertBundle OPTIONAL, revInfos [5] RevocationInfos OPTIONAL,
//   producedAt [6] GeneralizedTime OPTIONAL, queryExtensions [7] Extensions OPTIONAL }
constexpr st::Field kQueryFields[] = {
    KORVU_FIELD(KORVU_TYPE_CERTREFERENCES, KORVU_SCVP_QUERY, queriedCerts),
    KORVU_FIELD(KORVU_TYPE_CERTCHECKS, KORVU_SCVP_QUERY, checks),
    KORVU_FIELD(KORVU_TYPE_WANTBACK, KORVU_SCVP_QUERY, wantBack).implicit(1).optional(),
    KORVU_FIELD(KORVU_TYPE_VALIDATIONPOLICY, KORVU_SCVP_QUERY, validationPolicy),
    KORVU_FIELD(KORVU_TYPE_RESPONSEFLAGS, KORVU_SCVP_QUERY, responseFlags).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SCVP_QUERY, serverContextInfo).implicit(2).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SCVP_QUERY, validationTime).implicit(3).optional(),
    KORVU_FIELD(KORVU_TYPE_CERTBUNDLE, KORVU_SCVP_QUERY, intermediateCerts).implicit(4).optional(),
    KORVU_FIELD(KORVU_TYPE_REVOCATIONINFOS, KORVU_SCVP_QUERY, revInfos).implicit(5).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SCVP_QUERY, producedAt).implicit(6).optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_SCVP_QUERY, queryExtensions).implicit(7).optional()};
constexpr st::StructDef kQuery = st::sequence(KORVU_TYPE_QUERY, kQueryFields, sizeof(KORVU_SCVP_QUERY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_QUERY, kQuery);
KORVU_API KORVU_SCVP_QUERY *korvu_scvpquery_new(
    const KORVU_SCVP_CERTREFERENCES *queried_certs, const KORVU_ASN1_LIST *checks, const KORVU_ASN1_LIST *want_back,
    const KORVU_SCVP_VALIDATIONPOLICY *validation_policy, const KORVU_SCVP_RESPONSEFLAGS *response_flags,
    const KORVU_ASN1_OCTETSTRING *server_context_info, const KORVU_ASN1_TIME *validation_time,
    const KORVU_ASN1_LIST *intermediate_certs, const KORVU_ASN1_LIST *rev_infos, const KORVU_ASN1_TIME *produced_at,
    const KORVU_ASN1_LIST *query_extensions) {
  return static_cast<KORVU_SCVP_QUERY *>(st::make<kQuery>(queried_certs, checks, want_back, validation_policy,
                                                          response_flags, server_context_info, validation_time,
                                                          intermediate_certs, rev_infos, produced_at,
                                                          query_extensions));
}
KORVU_GET(korvu_scvpquery_getqueriedcerts, kQuery, queriedCerts);
KORVU_GET(korvu_scvpquery_getchecks, kQuery, checks);
KORVU_GET(korvu_scvpquery_getwantback, kQuery, wantBack);
KORVU_GET(korvu_scvpquery_getvalidationpolicy, kQuery, validationPolicy);
KORVU_GET(korvu_scvpquery_getresponseflags, kQuery, responseFlags);
KORVU_GET(korvu_scvpquery_getservercontextinfo, kQuery, serverContextInfo);
KORVU_GET(korvu_scvpquery_getvalidationtime, kQuery, validationTime);
KORVU_GET(korvu_scvpquery_getintermediatecerts, kQuery, intermediateCerts);
KORVU_GET(korvu_scvpquery_getrevinfos, kQuery, revInfos);
KORVU_GET(korvu_scvpquery_getproducedat, kQuery, producedAt);
KORVU_GET(korvu_scvpquery_getqueryextensions, kQuery, queryExtensions);
KORVU_HAS(korvu_scvpquery_haswantback, kQuery, wantBack);
KORVU_HAS(korvu_scvpquery_hasresponseflags, kQuery, responseFlags);
KORVU_HAS(korvu_scvpquery_hasservercontextinfo, kQuery, serverContextInfo);
KORVU_HAS(korvu_scvpquery_hasvalidationtime, kQuery, validationTime);
KORVU_HAS(korvu_scvpquery_hasintermediatecerts, kQuery, intermediateCerts);
KORVU_HAS(korvu_scvpquery_hasrevinfos, kQuery, revInfos);
KORVU_HAS(korvu_scvpquery_hasproducedat, kQuery, producedAt);
KORVU_HAS(korvu_scvpquery_hasqueryextensions, kQuery, queryExtensions);

// CVRequest ::= SEQUENCE { cvRequestVersion INTEGER DEFAULT 1, query Query,
//   requestorRef [0] GeneralNames OPTIONAL, requestNonce [1] OCTET STRING OPTIONAL,
//   requestorName [2] GeneralName OPTIONAL, responderName [3] GeneralName OPTIONAL,
//   requestExtensions [4] Extensions OPTIONAL, signatureAlg [5] AlgorithmIdentifier OPTIONAL,
//   hashAlg [6] OBJECT IDENTIFIER OPTIONAL, requestorText [7] UTF8String (SIZE (1..256)) OPTIONAL }
constexpr st::Field kCvRequestFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_CVREQUEST, cvRequestVersion)
        .defaults(kInteger1, DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_QUERY, KORVU_SCVP_CVREQUEST, query),
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_SCVP_CVREQUEST, requestorRef).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SCVP_CVREQUEST, requestNonce).implicit(1).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_SCVP_CVREQUEST, requestorName).explicit_(2).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_SCVP_CVREQUEST, responderName).explicit_(3).optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_SCVP_CVREQUEST, requestExtensions).implicit(4).optional(),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SCVP_CVREQUEST, signatureAlg).implicit(5).optional(),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SCVP_CVREQUEST, hashAlg).implicit(6).optional(),
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, KORVU_SCVP_CVREQUEST, requestorText).implicit(7).optional()};
constexpr st::StructDef kCvRequest =
    st::sequence(KORVU_TYPE_CVREQUEST, kCvRequestFields, sizeof(KORVU_SCVP_CVREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CVREQUEST, kCvRequest);
KORVU_API KORVU_SCVP_CVREQUEST *korvu_scvpcvrequest_new(
    const KORVU_ASN1_INTEGER *cv_request_version, const KORVU_SCVP_QUERY *query, const KORVU_ASN1_LIST *requestor_ref,
    const KORVU_ASN1_OCTETSTRING *request_nonce, const KORVU_X509_GENERALNAME *requestor_name,
    const KORVU_X509_GENERALNAME *responder_name, const KORVU_ASN1_LIST *request_extensions,
    const KORVU_X509_ALGID *signature_alg, const KORVU_ASN1_OID *hash_alg, const KORVU_ASN1_STRING *requestor_text) {
  return static_cast<KORVU_SCVP_CVREQUEST *>(st::make<kCvRequest>(cv_request_version, query, requestor_ref,
                                                                  request_nonce, requestor_name, responder_name,
                                                                  request_extensions, signature_alg, hash_alg,
                                                                  requestor_text));
}
KORVU_GET(korvu_scvpcvrequest_getcvrequestversion, kCvRequest, cvRequestVersion);
KORVU_GET(korvu_scvpcvrequest_getquery, kCvRequest, query);
KORVU_GET(korvu_scvpcvrequest_getrequestorref, kCvRequest, requestorRef);
KORVU_GET(korvu_scvpcvrequest_getrequestnonce, kCvRequest, requestNonce);
KORVU_GET(korvu_scvpcvrequest_getrequestorname, kCvRequest, requestorName);
KORVU_GET(korvu_scvpcvrequest_getrespondername, kCvRequest, responderName);
KORVU_GET(korvu_scvpcvrequest_getrequestextensions, kCvRequest, requestExtensions);
KORVU_GET(korvu_scvpcvrequest_getsignaturealg, kCvRequest, signatureAlg);
KORVU_GET(korvu_scvpcvrequest_gethashalg, kCvRequest, hashAlg);
KORVU_GET(korvu_scvpcvrequest_getrequestortext, kCvRequest, requestorText);
KORVU_HAS(korvu_scvpcvrequest_hasrequestorref, kCvRequest, requestorRef);
KORVU_HAS(korvu_scvpcvrequest_hasrequestnonce, kCvRequest, requestNonce);
KORVU_HAS(korvu_scvpcvrequest_hasrequestorname, kCvRequest, requestorName);
KORVU_HAS(korvu_scvpcvrequest_hasrespondername, kCvRequest, responderName);
KORVU_HAS(korvu_scvpcvrequest_hasrequestextensions, kCvRequest, requestExtensions);
KORVU_HAS(korvu_scvpcvrequest_hassignaturealg, kCvRequest, signatureAlg);
KORVU_HAS(korvu_scvpcvrequest_hashashalg, kCvRequest, hashAlg);
KORVU_HAS(korvu_scvpcvrequest_hasrequestortext, kCvRequest, requestorText);

// ResponseStatus ::= SEQUENCE { statusCode CVStatusCode DEFAULT okay, errorMessage UTF8String OPTIONAL }
constexpr st::Field kResponseStatusFields[] = {
    KORVU_FIELD(KORVU_TYPE_ENUMERATED, KORVU_SCVP_RESPONSESTATUS, statusCode)
        .defaults(kEnum0, DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, KORVU_SCVP_RESPONSESTATUS, errorMessage).optional()};
constexpr st::StructDef kResponseStatus =
    st::sequence(KORVU_TYPE_RESPONSESTATUS, kResponseStatusFields, sizeof(KORVU_SCVP_RESPONSESTATUS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RESPONSESTATUS, kResponseStatus);
KORVU_API KORVU_SCVP_RESPONSESTATUS *korvu_scvpresponsestatus_new(const KORVU_ASN1_INTEGER *status_code,
                                                                  const KORVU_ASN1_STRING *error_message) {
  return static_cast<KORVU_SCVP_RESPONSESTATUS *>(st::make<kResponseStatus>(status_code, error_message));
}
KORVU_GET(korvu_scvpresponsestatus_getstatuscode, kResponseStatus, statusCode);
KORVU_GET(korvu_scvpresponsestatus_geterrormessage, kResponseStatus, errorMessage);
KORVU_HAS(korvu_scvpresponsestatus_haserrormessage, kResponseStatus, errorMessage);

// HashValue ::= SEQUENCE { algorithm HashAlgorithm DEFAULT { algorithm sha-1 }, value OCTET STRING }
constexpr st::Field kHashValueFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SCVP_HASHVALUE, algorithm)
        .defaults(kSha1, DefaultRule::AlgorithmOidAbsent),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SCVP_HASHVALUE, value)};
constexpr st::StructDef kHashValue =
    st::sequence(KORVU_TYPE_HASHVALUE, kHashValueFields, sizeof(KORVU_SCVP_HASHVALUE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_HASHVALUE, kHashValue);
KORVU_API KORVU_SCVP_HASHVALUE *korvu_scvphashvalue_new(const KORVU_X509_ALGID *algorithm,
                                                        const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_SCVP_HASHVALUE *>(st::make<kHashValue>(algorithm, value));
}
KORVU_GET(korvu_scvphashvalue_getalgorithm, kHashValue, algorithm);
KORVU_GET(korvu_scvphashvalue_getvalue, kHashValue, value);

// RequestReference ::= CHOICE { requestHash [0] HashValue, fullRequest [1] CVRequest }  (choice numbers 0 and 1)
constexpr st::Field kRequestReferenceAlts[] = {alternative(0, KORVU_TYPE_HASHVALUE).implicit(0),
                                               alternative(1, KORVU_TYPE_CVREQUEST).implicit(1)};
constexpr st::StructDef kRequestReference = st::choice(KORVU_TYPE_REQUESTREFERENCE, kRequestReferenceAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_REQUESTREFERENCE, kRequestReference);
KORVU_NEW_CHOICE(korvu_scvprequestreference_new_requesthash, kRequestReference, 0);
KORVU_NEW_CHOICE(korvu_scvprequestreference_new_fullrequest, kRequestReference, 1);
KORVU_API uint32_t korvu_scvprequestreference_gettype(const KORVU_SCVP_REQUESTREFERENCE *ref) {
  return st::choice_of(ref);
}
KORVU_GET_CHOICE(korvu_scvprequestreference_getrequesthash, 0);
KORVU_GET_CHOICE(korvu_scvprequestreference_getfullrequest, 1);

// ReplyCheck ::= SEQUENCE { check OBJECT IDENTIFIER, status INTEGER DEFAULT 0 }
constexpr st::Field kReplyCheckFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SCVP_REPLYCHECK, check),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_REPLYCHECK, status).defaults(kInteger0, DefaultRule::IntegerValue)};
constexpr st::StructDef kReplyCheck =
    st::sequence(KORVU_TYPE_REPLYCHECK, kReplyCheckFields, sizeof(KORVU_SCVP_REPLYCHECK));
KORVU_REGISTER_STRUCT(KORVU_TYPE_REPLYCHECK, kReplyCheck);
KORVU_API KORVU_SCVP_REPLYCHECK *korvu_scvpreplycheck_new(const KORVU_ASN1_OID *check,
                                                          const KORVU_ASN1_INTEGER *status) {
  return static_cast<KORVU_SCVP_REPLYCHECK *>(st::make<kReplyCheck>(check, status));
}
KORVU_GET(korvu_scvpreplycheck_getcheck, kReplyCheck, check);
KORVU_GET(korvu_scvpreplycheck_getstatus, kReplyCheck, status);

// ReplyWantBack ::= SEQUENCE { wb OBJECT IDENTIFIER, value OCTET STRING }
constexpr st::Field kReplyWantBackFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SCVP_REPLYWANTBACK, wb),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SCVP_REPLYWANTBACK, value)};
constexpr st::StructDef kReplyWantBack =
    st::sequence(KORVU_TYPE_REPLYWANTBACK, kReplyWantBackFields, sizeof(KORVU_SCVP_REPLYWANTBACK));
KORVU_REGISTER_STRUCT(KORVU_TYPE_REPLYWANTBACK, kReplyWantBack);
KORVU_API KORVU_SCVP_REPLYWANTBACK *korvu_scvpreplywantback_new(const KORVU_ASN1_OID *wb,
                                                                const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_SCVP_REPLYWANTBACK *>(st::make<kReplyWantBack>(wb, value));
}
KORVU_GET(korvu_scvpreplywantback_getwb, kReplyWantBack, wb);
KORVU_GET(korvu_scvpreplywantback_getvalue, kReplyWantBack, value);

// CertReply ::= SEQUENCE { cert CertReference, replyStatus ReplyStatus DEFAULT success,
//   replyValTime GeneralizedTime, replyChecks ReplyChecks, replyWantBacks ReplyWantBacks,
//   validationErrors [0] SEQUENCE SIZE (1..MAX) OF OBJECT IDENTIFIER OPTIONAL,
//   nextUpdate [1] GeneralizedTime OPTIONAL, certReplyExtensions [2] Extensions OPTIONAL }
constexpr st::Field kCertReplyFields[] = {
    KORVU_FIELD(KORVU_TYPE_CERTREFERENCE, KORVU_SCVP_CERTREPLY, cert),
    KORVU_FIELD(KORVU_TYPE_ENUMERATED, KORVU_SCVP_CERTREPLY, replyStatus)
        .defaults(kEnum0, DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SCVP_CERTREPLY, replyValTime),
    KORVU_FIELD(KORVU_TYPE_REPLYCHECKS, KORVU_SCVP_CERTREPLY, replyChecks),
    KORVU_FIELD(KORVU_TYPE_REPLYWANTBACKS, KORVU_SCVP_CERTREPLY, replyWantBacks),
    KORVU_FIELD(KORVU_TYPE_VALIDATIONERRORS, KORVU_SCVP_CERTREPLY, validationErrors).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SCVP_CERTREPLY, nextUpdate).implicit(1).optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_SCVP_CERTREPLY, certReplyExtensions).implicit(2).optional()};
constexpr st::StructDef kCertReply = st::sequence(KORVU_TYPE_CERTREPLY, kCertReplyFields, sizeof(KORVU_SCVP_CERTREPLY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTREPLY, kCertReply);
KORVU_API KORVU_SCVP_CERTREPLY *korvu_scvpcertreply_new(
    const KORVU_SCVP_CERTREFERENCE *cert, const KORVU_ASN1_INTEGER *reply_status, const KORVU_ASN1_TIME *reply_val_time,
    const KORVU_ASN1_LIST *reply_checks, const KORVU_ASN1_LIST *reply_want_backs,
    const KORVU_ASN1_LIST *validation_errors, const KORVU_ASN1_TIME *next_update,
    const KORVU_ASN1_LIST *cert_reply_extensions) {
  return static_cast<KORVU_SCVP_CERTREPLY *>(st::make<kCertReply>(cert, reply_status, reply_val_time, reply_checks,
                                                                  reply_want_backs, validation_errors, next_update,
                                                                  cert_reply_extensions));
}
KORVU_GET(korvu_scvpcertreply_getcert, kCertReply, cert);
KORVU_GET(korvu_scvpcertreply_getreplystatus, kCertReply, replyStatus);
KORVU_GET(korvu_scvpcertreply_getreplyvaltime, kCertReply, replyValTime);
KORVU_GET(korvu_scvpcertreply_getreplychecks, kCertReply, replyChecks);
KORVU_GET(korvu_scvpcertreply_getreplywantbacks, kCertReply, replyWantBacks);
KORVU_GET(korvu_scvpcertreply_getvalidationerrors, kCertReply, validationErrors);
KORVU_GET(korvu_scvpcertreply_getnextupdate, kCertReply, nextUpdate);
KORVU_GET(korvu_scvpcertreply_getcertreplyextensions, kCertReply, certReplyExtensions);
KORVU_HAS(korvu_scvpcertreply_hasvalidationerrors, kCertReply, validationErrors);
KORVU_HAS(korvu_scvpcertreply_hasnextupdate, kCertReply, nextUpdate);
KORVU_HAS(korvu_scvpcertreply_hascertreplyextensions, kCertReply, certReplyExtensions);

// CVResponse ::= SEQUENCE { cvResponseVersion INTEGER, serverConfigurationID INTEGER,
//   producedAt GeneralizedTime, responseStatus ResponseStatus,
//   respValidationPolicy [0] RespValidationPolicy OPTIONAL, requestRef [1] RequestReference OPTIONAL,
//   requestorRef [2] GeneralNames OPTIONAL, requestorName [3] GeneralNames OPTIONAL,
//   replyObjects [4] ReplyObjects OPTIONAL, respNonce [5] OCTET STRING OPTIONAL,
//   serverContextInfo [6] OCTET STRING OPTIONAL, cvResponseExtensions [7] Extensions OPTIONAL,
//   requestorText [8] UTF8String (SIZE (1..256)) OPTIONAL }
constexpr st::Field kCvResponseFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_CVRESPONSE, cvResponseVersion),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_CVRESPONSE, serverConfigurationID),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SCVP_CVRESPONSE, producedAt),
    KORVU_FIELD(KORVU_TYPE_RESPONSESTATUS, KORVU_SCVP_CVRESPONSE, responseStatus),
    KORVU_FIELD(KORVU_TYPE_VALIDATIONPOLICY, KORVU_SCVP_CVRESPONSE, respValidationPolicy).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_REQUESTREFERENCE, KORVU_SCVP_CVRESPONSE, requestRef).explicit_(1).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_SCVP_CVRESPONSE, requestorRef).implicit(2).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_SCVP_CVRESPONSE, requestorName).implicit(3).optional(),
    KORVU_FIELD(KORVU_TYPE_REPLYOBJECTS, KORVU_SCVP_CVRESPONSE, replyObjects).implicit(4).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SCVP_CVRESPONSE, respNonce).implicit(5).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SCVP_CVRESPONSE, serverContextInfo).implicit(6).optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_SCVP_CVRESPONSE, cvResponseExtensions).implicit(7).optional(),
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, KORVU_SCVP_CVRESPONSE, requestorText).implicit(8).optional()};
constexpr st::StructDef kCvResponse =
    st::sequence(KORVU_TYPE_CVRESPONSE, kCvResponseFields, sizeof(KORVU_SCVP_CVRESPONSE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CVRESPONSE, kCvResponse);
KORVU_API KORVU_SCVP_CVRESPONSE *korvu_scvpcvresponse_new(
    const KORVU_ASN1_INTEGER *cv_response_version, const KORVU_ASN1_INTEGER *server_configuration_id,
    const KORVU_ASN1_TIME *produced_at, const KORVU_SCVP_RESPONSESTATUS *response_status,
    const KORVU_SCVP_VALIDATIONPOLICY *resp_validation_policy, const KORVU_SCVP_REQUESTREFERENCE *request_ref,
    const KORVU_ASN1_LIST *requestor_ref, const KORVU_ASN1_LIST *requestor_name, const KORVU_ASN1_LIST *reply_objects,
    const KORVU_ASN1_OCTETSTRING *resp_nonce, const KORVU_ASN1_OCTETSTRING *server_context_info,
    const KORVU_ASN1_LIST *cv_response_extensions, const KORVU_ASN1_STRING *requestor_text) {
  return static_cast<KORVU_SCVP_CVRESPONSE *>(st::make<kCvResponse>(
      cv_response_version, server_configuration_id, produced_at, response_status, resp_validation_policy, request_ref,
      requestor_ref, requestor_name, reply_objects, resp_nonce, server_context_info, cv_response_extensions,
      requestor_text));
}
KORVU_GET(korvu_scvpcvresponse_getcvresponseversion, kCvResponse, cvResponseVersion);
KORVU_GET(korvu_scvpcvresponse_getserverconfigurationid, kCvResponse, serverConfigurationID);
KORVU_GET(korvu_scvpcvresponse_getproducedat, kCvResponse, producedAt);
KORVU_GET(korvu_scvpcvresponse_getresponsestatus, kCvResponse, responseStatus);
KORVU_GET(korvu_scvpcvresponse_getrespvalidationpolicy, kCvResponse, respValidationPolicy);
KORVU_GET(korvu_scvpcvresponse_getrequestref, kCvResponse, requestRef);
KORVU_GET(korvu_scvpcvresponse_getrequestorref, kCvResponse, requestorRef);
KORVU_GET(korvu_scvpcvresponse_getrequestorname, kCvResponse, requestorName);
KORVU_GET(korvu_scvpcvresponse_getreplyobjects, kCvResponse, replyObjects);
KORVU_GET(korvu_scvpcvresponse_getrespnonce, kCvResponse, respNonce);
KORVU_GET(korvu_scvpcvresponse_getservercontextinfo, kCvResponse, serverContextInfo);
KORVU_GET(korvu_scvpcvresponse_getcvresponseextensions, kCvResponse, cvResponseExtensions);
KORVU_GET(korvu_scvpcvresponse_getrequestortext, kCvResponse, requestorText);
KORVU_HAS(korvu_scvpcvresponse_hasrespvalidationpolicy, kCvResponse, respValidationPolicy);
KORVU_HAS(korvu_scvpcvresponse_hasrequestref, kCvResponse, requestRef);
KORVU_HAS(korvu_scvpcvresponse_hasrequestorref, kCvResponse, requestorRef);
KORVU_HAS(korvu_scvpcvresponse_hasrequestorname, kCvResponse, requestorName);
KORVU_HAS(korvu_scvpcvresponse_hasreplyobjects, kCvResponse, replyObjects);
KORVU_HAS(korvu_scvpcvresponse_hasrespnonce, kCvResponse, respNonce);
KORVU_HAS(korvu_scvpcvresponse_hasservercontextinfo, kCvResponse, serverContextInfo);
KORVU_HAS(korvu_scvpcvresponse_hascvresponseextensions, kCvResponse, cvResponseExtensions);
KORVU_HAS(korvu_scvpcvresponse_hasrequestortext, kCvResponse, requestorText);

// ValPolRequest ::= SEQUENCE { vpRequestVersion INTEGER DEFAULT 1, requestNonce OCTET STRING }
constexpr st::Field kValPolRequestFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_VALPOLREQUEST, vpRequestVersion)
        .defaults(kInteger1, DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SCVP_VALPOLREQUEST, requestNonce)};
constexpr st::StructDef kValPolRequest =
    st::sequence(KORVU_TYPE_VALPOLREQUEST, kValPolRequestFields, sizeof(KORVU_SCVP_VALPOLREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_VALPOLREQUEST, kValPolRequest);
KORVU_API KORVU_SCVP_VALPOLREQUEST *korvu_scvpvalpolrequest_new(const KORVU_ASN1_INTEGER *vp_request_version,
                                                                const KORVU_ASN1_OCTETSTRING *request_nonce) {
  return static_cast<KORVU_SCVP_VALPOLREQUEST *>(st::make<kValPolRequest>(vp_request_version, request_nonce));
}
KORVU_GET(korvu_scvpvalpolrequest_getvprequestversion, kValPolRequest, vpRequestVersion);
KORVU_GET(korvu_scvpvalpolrequest_getrequestnonce, kValPolRequest, requestNonce);

// KeyAgreePublicKey ::= SEQUENCE { algorithm AlgorithmIdentifier, publicKey BIT STRING,
//   macAlgorithm AlgorithmIdentifier, kDF AlgorithmIdentifier OPTIONAL }
constexpr st::Field kKeyAgreePublicKeyFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SCVP_KEYAGREEPUBLICKEY, algorithm),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SCVP_KEYAGREEPUBLICKEY, publicKey),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SCVP_KEYAGREEPUBLICKEY, macAlgorithm),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SCVP_KEYAGREEPUBLICKEY, kDF).optional()};
constexpr st::StructDef kKeyAgreePublicKey =
    st::sequence(KORVU_TYPE_KEYAGREEPUBLICKEY, kKeyAgreePublicKeyFields, sizeof(KORVU_SCVP_KEYAGREEPUBLICKEY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_KEYAGREEPUBLICKEY, kKeyAgreePublicKey);
KORVU_API KORVU_SCVP_KEYAGREEPUBLICKEY *korvu_scvpkeyagreepublickey_new(const KORVU_X509_ALGID *algorithm,
                                                                        const KORVU_ASN1_BITSTRING *public_key,
                                                                        const KORVU_X509_ALGID *mac_algorithm,
                                                                        const KORVU_X509_ALGID *kdf) {
  return static_cast<KORVU_SCVP_KEYAGREEPUBLICKEY *>(
      st::make<kKeyAgreePublicKey>(algorithm, public_key, mac_algorithm, kdf));
}
KORVU_GET(korvu_scvpkeyagreepublickey_getalgorithm, kKeyAgreePublicKey, algorithm);
KORVU_GET(korvu_scvpkeyagreepublickey_getpublickey, kKeyAgreePublicKey, publicKey);
KORVU_GET(korvu_scvpkeyagreepublickey_getmacalgorithm, kKeyAgreePublicKey, macAlgorithm);
KORVU_GET(korvu_scvpkeyagreepublickey_getkdf, kKeyAgreePublicKey, kDF);
KORVU_HAS(korvu_scvpkeyagreepublickey_haskdf, kKeyAgreePublicKey, kDF);

// ValPolResponse ::= SEQUENCE { vpResponseVersion INTEGER, maxCVRequestVersion INTEGER,
//   maxVPRequestVersion INTEGER, serverConfigurationID INTEGER, thisUpdate GeneralizedTime,
//   nextUpdate GeneralizedTime OPTIONAL, supportedChecks CertChecks, supportedWantBacks WantBack,
//   validationPolicies SEQUENCE OF OBJECT IDENTIFIER, validationAlgs SEQUENCE OF OBJECT IDENTIFIER,
//   authPolicies SEQUENCE OF AuthPolicy, responseTypes ResponseTypes, defaultPolicyValues RespValidationPolicy,
//   revocationInfoTypes RevocationInfoTypes, signatureGeneration SEQUENCE OF AlgorithmIdentifier,
//   signatureVerification SEQUENCE OF AlgorithmIdentifier, hashAlgorithms SEQUENCE SIZE (1..MAX) OF
//   OBJECT IDENTIFIER, serverPublicKeys SEQUENCE OF KeyAgreePublicKey OPTIONAL, clockSkew INTEGER DEFAULT 10,
//   requestNonce OCTET STRING OPTIONAL }
constexpr st::Field kValPolResponseFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_VALPOLRESPONSE, vpResponseVersion),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_VALPOLRESPONSE, maxCVRequestVersion),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_VALPOLRESPONSE, maxVPRequestVersion),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_VALPOLRESPONSE, serverConfigurationID),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SCVP_VALPOLRESPONSE, thisUpdate),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SCVP_VALPOLRESPONSE, nextUpdate).optional(),
    KORVU_FIELD(KORVU_TYPE_CERTCHECKS, KORVU_SCVP_VALPOLRESPONSE, supportedChecks),
    KORVU_FIELD(KORVU_TYPE_WANTBACK, KORVU_SCVP_VALPOLRESPONSE, supportedWantBacks),
    KORVU_FIELD(KORVU_TYPE_SCVP_SEQUENCE_OF_OBJECT_IDENTIFIER, KORVU_SCVP_VALPOLRESPONSE, validationPolicies),
    KORVU_FIELD(KORVU_TYPE_SCVP_SEQUENCE_OF_OBJECT_IDENTIFIER, KORVU_SCVP_VALPOLRESPONSE, validationAlgs),
    KORVU_FIELD(KORVU_TYPE_SCVP_SEQUENCE_OF_OBJECT_IDENTIFIER, KORVU_SCVP_VALPOLRESPONSE, authPolicies),
    KORVU_FIELD(KORVU_TYPE_ENUMERATED, KORVU_SCVP_VALPOLRESPONSE, responseTypes),
    KORVU_FIELD(KORVU_TYPE_VALIDATIONPOLICY, KORVU_SCVP_VALPOLRESPONSE, defaultPolicyValues),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SCVP_VALPOLRESPONSE, revocationInfoTypes),
    KORVU_FIELD(KORVU_TYPE_SCVP_SEQUENCE_OF_ALGORITHMIDENTIFIER, KORVU_SCVP_VALPOLRESPONSE, signatureGeneration),
    KORVU_FIELD(KORVU_TYPE_SCVP_SEQUENCE_OF_ALGORITHMIDENTIFIER, KORVU_SCVP_VALPOLRESPONSE, signatureVerification),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_SIZE_OF_OBJECT_IDENTIFIER, KORVU_SCVP_VALPOLRESPONSE, hashAlgorithms),
    KORVU_FIELD(KORVU_TYPE_KEYAGREEPUBLICKEYS, KORVU_SCVP_VALPOLRESPONSE, serverPublicKeys).optional(),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SCVP_VALPOLRESPONSE, clockSkew)
        .defaults(kInteger10, DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SCVP_VALPOLRESPONSE, requestNonce).optional()};
constexpr st::StructDef kValPolResponse =
    st::sequence(KORVU_TYPE_VALPOLRESPONSE, kValPolResponseFields, sizeof(KORVU_SCVP_VALPOLRESPONSE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_VALPOLRESPONSE, kValPolResponse);
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
    const KORVU_ASN1_OCTETSTRING *request_nonce) {
  return static_cast<KORVU_SCVP_VALPOLRESPONSE *>(st::make<kValPolResponse>(
      vp_response_version, max_cv_request_version, max_vp_request_version, server_configuration_id, this_update,
      next_update, supported_checks, supported_want_backs, validation_policies, validation_algs, auth_policies,
      response_types, default_policy_values, revocation_info_types, signature_generation, signature_verification,
      hash_algorithms, server_public_keys, clock_skew, request_nonce));
}
KORVU_GET(korvu_scvpvalpolresponse_getvpresponseversion, kValPolResponse, vpResponseVersion);
KORVU_GET(korvu_scvpvalpolresponse_getmaxcvrequestversion, kValPolResponse, maxCVRequestVersion);
KORVU_GET(korvu_scvpvalpolresponse_getmaxvprequestversion, kValPolResponse, maxVPRequestVersion);
KORVU_GET(korvu_scvpvalpolresponse_getserverconfigurationid, kValPolResponse, serverConfigurationID);
KORVU_GET(korvu_scvpvalpolresponse_getthisupdate, kValPolResponse, thisUpdate);
KORVU_GET(korvu_scvpvalpolresponse_getnextupdate, kValPolResponse, nextUpdate);
KORVU_GET(korvu_scvpvalpolresponse_getsupportedchecks, kValPolResponse, supportedChecks);
KORVU_GET(korvu_scvpvalpolresponse_getsupportedwantbacks, kValPolResponse, supportedWantBacks);
KORVU_GET(korvu_scvpvalpolresponse_getvalidationpolicies, kValPolResponse, validationPolicies);
KORVU_GET(korvu_scvpvalpolresponse_getvalidationalgs, kValPolResponse, validationAlgs);
KORVU_GET(korvu_scvpvalpolresponse_getauthpolicies, kValPolResponse, authPolicies);
KORVU_GET(korvu_scvpvalpolresponse_getresponsetypes, kValPolResponse, responseTypes);
KORVU_GET(korvu_scvpvalpolresponse_getdefaultpolicyvalues, kValPolResponse, defaultPolicyValues);
KORVU_GET(korvu_scvpvalpolresponse_getrevocationinfotypes, kValPolResponse, revocationInfoTypes);
KORVU_GET(korvu_scvpvalpolresponse_getsignaturegeneration, kValPolResponse, signatureGeneration);
KORVU_GET(korvu_scvpvalpolresponse_getsignatureverification, kValPolResponse, signatureVerification);
KORVU_GET(korvu_scvpvalpolresponse_gethashalgorithms, kValPolResponse, hashAlgorithms);
KORVU_GET(korvu_scvpvalpolresponse_getserverpublickeys, kValPolResponse, serverPublicKeys);
KORVU_GET(korvu_scvpvalpolresponse_getclockskew, kValPolResponse, clockSkew);
KORVU_GET(korvu_scvpvalpolresponse_getrequestnonce, kValPolResponse, requestNonce);
KORVU_HAS(korvu_scvpvalpolresponse_hasnextupdate, kValPolResponse, nextUpdate);
KORVU_HAS(korvu_scvpvalpolresponse_hasserverpublickeys, kValPolResponse, serverPublicKeys);
KORVU_HAS(korvu_scvpvalpolresponse_hasrequestnonce, kValPolResponse, requestNonce);
