// Values of S/MIME and CAdES signature attributes (RFC 5751 2.5.3, RFC 5126 5.8-5.11 and 6, ETSI EN 319 122-1
// 5.2.9 and 5.5, ETSI TS 119 172-4 long-term validation), CMS algorithm protection (RFC 6211) and the PDF
// revocation archive (adbe-revocationInfoArchival). Record layouts: korvu/cades.h. Every CHOICE here refuses a
// record whose choice number is outside its table with "incorrect item".
#define KORVU_SRC "KORVU_ASN1_CMS"
#include "cades_internal.h"

using namespace korvu;
using st::alternative;

namespace {
template <size_t N>
constexpr st::StructDef choice_table(uint32_t type, const st::Field (&alts)[N]) {
  return st::choice(type, alts).unknown_choice(kErrIncorrectItem);
}
template <uint32_t List, uint32_t Elem>
inline constexpr TypeOps kList = list::TypedList<List, Elem>::ops;
}  // namespace

// SMIMEEncryptionKeyPreference ::= CHOICE { issuerAndSerialNumber [0] IssuerAndSerialNumber,
//   receipentKeyId [1] RecipientKeyIdentifier, subjectAltKeyIdentifier [2] SubjectKeyIdentifier }  (IMPLICIT)
constexpr st::Field kEkpAlts[] = {alternative(0, KORVU_TYPE_ISSUERANDSERIALNUMBER).implicit(0),
                                  alternative(1, KORVU_TYPE_RECIPIENTKEYIDENTIFIER_ALSO_KEKIDENTIFIER).implicit(1),
                                  alternative(2, KORVU_TYPE_OCTET_STRING).implicit(2)};
constexpr st::StructDef kEkp = choice_table(KORVU_TYPE_SMIMEENCRYPTIONKEYPREFERENCE, kEkpAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SMIMEENCRYPTIONKEYPREFERENCE, kEkp);
KORVU_NEW_CHOICE(korvu_smimeencryptionkeypreference_newissuerandsn, kEkp, 0);
KORVU_NEW_CHOICE(korvu_smimeencryptionkeypreference_newreceipentkeyid, kEkp, 1);
KORVU_NEW_CHOICE(korvu_smimeencryptionkeypreference_newsubjectaltkeyid, kEkp, 2);
KORVU_API uint32_t korvu_smimeencryptionkeypreference_gettype(const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *p) {
  return st::choice_of(p);
}
KORVU_GET_CHOICE(korvu_smimeencryptionkeypreference_getissuerandsn, 0);
KORVU_GET_CHOICE(korvu_smimeencryptionkeypreference_getreceipentkeyid, 1);
KORVU_GET_CHOICE(korvu_smimeencryptionkeypreference_getsubjectaltkeyid, 2);

// OtherHashAlgAndValue ::= SEQUENCE { hashAlgorithm AlgorithmIdentifier, hashValue OCTET STRING }
// OtherHash ::= CHOICE { sha1Hash OtherHashValue, otherHash OtherHashAlgAndValue }  (numbered 1 and 2)
constexpr st::Field kHashAlgValueFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CADES_OTHERHASHALGANDVALUE, hashAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CADES_OTHERHASHALGANDVALUE, hashValue)};
constexpr st::StructDef kHashAlgValue =
    st::sequence(KORVU_TYPE_OTHERHASHALGANDVALUE, kHashAlgValueFields, sizeof(KORVU_CADES_OTHERHASHALGANDVALUE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERHASHALGANDVALUE, kHashAlgValue);
constexpr st::Field kOtherHashAlts[] = {alternative(1, KORVU_TYPE_OCTET_STRING),
                                        alternative(2, KORVU_TYPE_OTHERHASHALGANDVALUE)};
constexpr st::StructDef kOtherHash = choice_table(KORVU_TYPE_OTHERHASH, kOtherHashAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERHASH, kOtherHash);
KORVU_NEW_CHOICE(korvu_otherhash_newsha1, kOtherHash, 1);
KORVU_NEW_CHOICE(korvu_otherhash_newother, kOtherHash, 2);
KORVU_API uint32_t korvu_otherhash_gettype(const KORVU_CADES_OTHERHASH *h) { return st::choice_of(h); }
KORVU_GET_CHOICE(korvu_otherhash_getsha1, 1);
KORVU_GET_CHOICE(korvu_otherhash_getother, 2);

// OtherCertID ::= SEQUENCE { otherCertHash OtherHash, issuerSerial IssuerSerial OPTIONAL }
// OtherSigningCertificate ::= SEQUENCE { certs SEQUENCE OF OtherCertID, policies SEQUENCE OF PolicyInformation
//   OPTIONAL }
constexpr st::Field kOtherCertIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_OTHERHASH, KORVU_CADES_OTHERCERTID, otherCertHash),
    KORVU_FIELD(KORVU_TYPE_ESS_ISSUERSERIAL, KORVU_CADES_OTHERCERTID, issuerSerial).optional()};
constexpr st::StructDef kOtherCertId =
    st::sequence(KORVU_TYPE_OTHERCERTID, kOtherCertIdFields, sizeof(KORVU_CADES_OTHERCERTID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERCERTID, kOtherCertId);
KORVU_REGISTER_TYPE(KORVU_TYPE_OTHERCERTIDS) = kList<KORVU_TYPE_OTHERCERTIDS, KORVU_TYPE_OTHERCERTID>;
KORVU_API KORVU_CADES_OTHERCERTID *korvu_othercertid_new(const KORVU_CADES_OTHERHASH *cert_hash,
                                                         const KORVU_ESS_ISSUERSERIAL *issuer_serial) {
  return static_cast<KORVU_CADES_OTHERCERTID *>(st::make<kOtherCertId>(cert_hash, issuer_serial));
}
KORVU_GET(korvu_othercertid_getcerthash, kOtherCertId, otherCertHash);
KORVU_GET(korvu_othercertid_getissuerserial, kOtherCertId, issuerSerial);
constexpr st::Field kOtherSigningCertFields[] = {
    KORVU_FIELD(KORVU_TYPE_OTHERCERTIDS, KORVU_CADES_OTHERSIGNINGCERT, certs),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_POLICYINFORMATION, KORVU_CADES_OTHERSIGNINGCERT, policies).optional()};
constexpr st::StructDef kOtherSigningCert =
    st::sequence(KORVU_TYPE_OTHERSIGNINGCERT, kOtherSigningCertFields, sizeof(KORVU_CADES_OTHERSIGNINGCERT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERSIGNINGCERT, kOtherSigningCert);
KORVU_API KORVU_CADES_OTHERSIGNINGCERT *korvu_othersigningcert_new(const KORVU_ASN1_LIST *certs,
                                                                   const KORVU_ASN1_LIST *policies) {
  return static_cast<KORVU_CADES_OTHERSIGNINGCERT *>(st::make<kOtherSigningCert>(certs, policies));
}
KORVU_GET(korvu_othersigningcert_getcerts, kOtherSigningCert, certs);
KORVU_GET(korvu_othersigningcert_getpolicies, kOtherSigningCert, policies);

// SignaturePolicyId ::= SEQUENCE { sigPolicyId SigPolicyId, sigPolicyHash SigPolicyHash,
//   sigPolicyQualifiers SEQUENCE SIZE (1..MAX) OF SigPolicyQualifierInfo OPTIONAL }
// SignaturePolicyIdentifier ::= CHOICE { signaturePolicyId SignaturePolicyId, signaturePolicyImplied NULL }
//   (numbered 1 and 2)
constexpr st::Field kPolicyIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_CADES_SIGNATUREPOLICYID, sigPolicyId),
    KORVU_FIELD(KORVU_TYPE_OTHERHASHALGANDVALUE, KORVU_CADES_SIGNATUREPOLICYID, sigPolicyHash),
    KORVU_FIELD(KORVU_TYPE_POLICYQUALIFIERINFOS, KORVU_CADES_SIGNATUREPOLICYID, sigPolicyQualifiers).optional()};
constexpr st::StructDef kPolicyId =
    st::sequence(KORVU_TYPE_SIGNATUREPOLICYID, kPolicyIdFields, sizeof(KORVU_CADES_SIGNATUREPOLICYID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNATUREPOLICYID, kPolicyId);
KORVU_API KORVU_CADES_SIGNATUREPOLICYID *korvu_signaturepolicyid_new(const KORVU_ASN1_OID *id,
                                                                     const KORVU_CADES_OTHERHASHALGANDVALUE *hash,
                                                                     const KORVU_ASN1_LIST *qualifiers) {
  return static_cast<KORVU_CADES_SIGNATUREPOLICYID *>(st::make<kPolicyId>(id, hash, qualifiers));
}
KORVU_GET(korvu_signaturepolicyid_getid, kPolicyId, sigPolicyId);
KORVU_GET(korvu_signaturepolicyid_gethash, kPolicyId, sigPolicyHash);
KORVU_GET(korvu_signaturepolicyid_getqualifiers, kPolicyId, sigPolicyQualifiers);
constexpr st::Field kPolicyIdentifierAlts[] = {alternative(1, KORVU_TYPE_SIGNATUREPOLICYID),
                                               alternative(2, KORVU_TYPE_NULL)};
constexpr st::StructDef kPolicyIdentifier = choice_table(KORVU_TYPE_SIGNATUREPOLICYIDENTIFIER, kPolicyIdentifierAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNATUREPOLICYIDENTIFIER, kPolicyIdentifier);
KORVU_NEW_CHOICE(korvu_signaturepolicyidentifier_newid, kPolicyIdentifier, 1);
KORVU_API KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *korvu_signaturepolicyidentifier_newimplied(void) {
  static const unsigned char kNull = 0;  // any pointer stands for a NULL value
  return static_cast<KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *>(st::new_choice(kPolicyIdentifier, 2, &kNull));
}
KORVU_API uint32_t korvu_signaturepolicyidentifier_gettype(const KORVU_CADES_SIGNATUREPOLICYIDENTIFIER *p) {
  return st::choice_of(p);
}
KORVU_GET_CHOICE(korvu_signaturepolicyidentifier_getid, 1);

// CommitmentTypeIndication ::= SEQUENCE { commitmentTypeId CommitmentTypeIdentifier,
//   commitmentTypeQualifier SEQUENCE SIZE (1..MAX) OF CommitmentTypeQualifier OPTIONAL }
constexpr st::Field kCommitmentFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_CADES_COMMITMENTTYPEINDICATION, commitmentTypeId),
    KORVU_FIELD(KORVU_TYPE_POLICYQUALIFIERINFOS, KORVU_CADES_COMMITMENTTYPEINDICATION, commitmentTypeQualifier)
        .optional()};
constexpr st::StructDef kCommitment =
    st::sequence(KORVU_TYPE_COMMITMENTTYPEINDICATION, kCommitmentFields, sizeof(KORVU_CADES_COMMITMENTTYPEINDICATION));
KORVU_REGISTER_STRUCT(KORVU_TYPE_COMMITMENTTYPEINDICATION, kCommitment);
KORVU_API KORVU_CADES_COMMITMENTTYPEINDICATION *korvu_commitmenttypeindication_new(const KORVU_ASN1_OID *id,
                                                                                   const KORVU_ASN1_LIST *qualifiers) {
  return static_cast<KORVU_CADES_COMMITMENTTYPEINDICATION *>(st::make<kCommitment>(id, qualifiers));
}
KORVU_GET(korvu_commitmenttypeindication_getid, kCommitment, commitmentTypeId);
KORVU_GET(korvu_commitmenttypeindication_getqualifiers, kCommitment, commitmentTypeQualifier);

// SignerLocation ::= SEQUENCE { countryName [0] DirectoryString OPTIONAL, localityName [1] DirectoryString
//   OPTIONAL, postalAdddress [2] PostalAddress OPTIONAL }  (EXPLICIT)
constexpr st::Field kLocationFields[] = {
    KORVU_FIELD(KORVU_TYPE_DIRECTORYSTRING, KORVU_CADES_SIGNERLOCATION, countryName).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_DIRECTORYSTRING, KORVU_CADES_SIGNERLOCATION, localityName).explicit_(1).optional(),
    KORVU_FIELD(KORVU_TYPE_POSTALADDRESS, KORVU_CADES_SIGNERLOCATION, postalAdddress).explicit_(2).optional()};
constexpr st::StructDef kLocation =
    st::sequence(KORVU_TYPE_SIGNERLOCATION, kLocationFields, sizeof(KORVU_CADES_SIGNERLOCATION));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNERLOCATION, kLocation);
KORVU_API KORVU_CADES_SIGNERLOCATION *korvu_signerlocation_new(const KORVU_X500_DIRSTRING *country,
                                                               const KORVU_X500_DIRSTRING *locality,
                                                               const KORVU_ASN1_LIST *postal_address) {
  if (country == nullptr && locality == nullptr && postal_address == nullptr) return nullptr;
  return static_cast<KORVU_CADES_SIGNERLOCATION *>(st::make<kLocation>(country, locality, postal_address));
}
KORVU_GET(korvu_signerlocation_getcountryname, kLocation, countryName);
KORVU_GET(korvu_signerlocation_getlocalityname, kLocation, localityName);
KORVU_GET(korvu_signerlocation_getpostaladdress, kLocation, postalAdddress);

// CrlIdentifier ::= SEQUENCE { crlissuer Name, crlIssuedTime UTCTime, crlNumber INTEGER OPTIONAL }
// CrlValidatedID ::= SEQUENCE { crlHash OtherHash, crlIdentifier CrlIdentifier OPTIONAL }
// CRLListID ::= SEQUENCE { crls SEQUENCE OF CrlValidatedID }
constexpr st::Field kCrlIdentifierFields[] = {
    KORVU_FIELD(KORVU_TYPE_NAME, KORVU_CADES_CRLIDENTIFIER, crlissuer),
    KORVU_FIELD(KORVU_TYPE_UTCTIME, KORVU_CADES_CRLIDENTIFIER, crlIssuedTime),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CADES_CRLIDENTIFIER, crlNumber).optional()};
constexpr st::StructDef kCrlIdentifier =
    st::sequence(KORVU_TYPE_CRLIDENTIFIER, kCrlIdentifierFields, sizeof(KORVU_CADES_CRLIDENTIFIER));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CRLIDENTIFIER, kCrlIdentifier);
KORVU_API KORVU_CADES_CRLIDENTIFIER *korvu_crlidentifier_new(const KORVU_X500_NAME *issuer,
                                                             const KORVU_ASN1_TIME *issued_time,
                                                             const KORVU_ASN1_INTEGER *number) {
  return static_cast<KORVU_CADES_CRLIDENTIFIER *>(st::make<kCrlIdentifier>(issuer, issued_time, number));
}
KORVU_GET(korvu_crlidentifier_getcrlissuer, kCrlIdentifier, crlissuer);
KORVU_GET(korvu_crlidentifier_getcrlissuedtime, kCrlIdentifier, crlIssuedTime);
KORVU_GET(korvu_crlidentifier_getcrlnumber, kCrlIdentifier, crlNumber);
constexpr st::Field kCrlValidatedFields[] = {
    KORVU_FIELD(KORVU_TYPE_OTHERHASH, KORVU_CADES_CRLVALIDATEDID, crlHash),
    KORVU_FIELD(KORVU_TYPE_CRLIDENTIFIER, KORVU_CADES_CRLVALIDATEDID, crlIdentifier).optional()};
constexpr st::StructDef kCrlValidated =
    st::sequence(KORVU_TYPE_CRLVALIDATEDID, kCrlValidatedFields, sizeof(KORVU_CADES_CRLVALIDATEDID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CRLVALIDATEDID, kCrlValidated);
KORVU_REGISTER_TYPE(KORVU_TYPE_CRLVALIDATEDIDS) = kList<KORVU_TYPE_CRLVALIDATEDIDS, KORVU_TYPE_CRLVALIDATEDID>;
KORVU_API KORVU_CADES_CRLVALIDATEDID *korvu_crlvalidatedid_new(const KORVU_CADES_OTHERHASH *hash,
                                                               const KORVU_CADES_CRLIDENTIFIER *id) {
  return static_cast<KORVU_CADES_CRLVALIDATEDID *>(st::make<kCrlValidated>(hash, id));
}
KORVU_GET(korvu_crlvalidatedid_getcrlhash, kCrlValidated, crlHash);
KORVU_GET(korvu_crlvalidatedid_getcrlid, kCrlValidated, crlIdentifier);
constexpr st::Field kCrlListIdFields[] = {KORVU_FIELD(KORVU_TYPE_CRLVALIDATEDIDS, KORVU_CADES_CRLLISTID, crls)};
constexpr st::StructDef kCrlListId =
    st::sequence(KORVU_TYPE_CRLLISTID, kCrlListIdFields, sizeof(KORVU_CADES_CRLLISTID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CRLLISTID, kCrlListId);
KORVU_API KORVU_CADES_CRLLISTID *korvu_crllistid_new(const KORVU_ASN1_LIST *crls) {
  return static_cast<KORVU_CADES_CRLLISTID *>(st::make<kCrlListId>(crls));
}
KORVU_GET(korvu_crllistid_getcrls, kCrlListId, crls);

// OcspIdentifier ::= SEQUENCE { ocspResponderID ResponderID, producedAt GeneralizedTime }
// OcspResponsesID ::= SEQUENCE { ocspIdentifier OcspIdentifier, ocspRepHash OtherHash OPTIONAL }
// OcspListID ::= SEQUENCE { ocspResponses SEQUENCE OF OcspResponsesID }
constexpr st::Field kOcspIdentifierFields[] = {
    KORVU_FIELD(KORVU_TYPE_RESPONDERID, KORVU_CADES_OCSPIDENTIFIER, ocspResponderID),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_CADES_OCSPIDENTIFIER, producedAt)};
constexpr st::StructDef kOcspIdentifier =
    st::sequence(KORVU_TYPE_OCSPIDENTIFIER, kOcspIdentifierFields, sizeof(KORVU_CADES_OCSPIDENTIFIER));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OCSPIDENTIFIER, kOcspIdentifier);
KORVU_API KORVU_CADES_OCSPIDENTIFIER *korvu_ocspidentifier_new(const KORVU_OCSP_RESPONDERID *responder,
                                                               const KORVU_ASN1_TIME *produced_at) {
  return static_cast<KORVU_CADES_OCSPIDENTIFIER *>(st::make<kOcspIdentifier>(responder, produced_at));
}
KORVU_GET(korvu_ocspidentifier_getocsprespid, kOcspIdentifier, ocspResponderID);
KORVU_GET(korvu_ocspidentifier_getproducedat, kOcspIdentifier, producedAt);
constexpr st::Field kOcspResponsesIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCSPIDENTIFIER, KORVU_CADES_OCSPRESPONSESID, ocspIdentifier),
    KORVU_FIELD(KORVU_TYPE_OTHERHASH, KORVU_CADES_OCSPRESPONSESID, ocspRepHash).optional()};
constexpr st::StructDef kOcspResponsesId =
    st::sequence(KORVU_TYPE_OCSPRESPONSESID, kOcspResponsesIdFields, sizeof(KORVU_CADES_OCSPRESPONSESID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OCSPRESPONSESID, kOcspResponsesId);
KORVU_REGISTER_TYPE(KORVU_TYPE_OCSPRESPONSESIDS) = kList<KORVU_TYPE_OCSPRESPONSESIDS, KORVU_TYPE_OCSPRESPONSESID>;
KORVU_API KORVU_CADES_OCSPRESPONSESID *korvu_ocspresponsesid_new(const KORVU_CADES_OCSPIDENTIFIER *id,
                                                                 const KORVU_CADES_OTHERHASH *hash) {
  return static_cast<KORVU_CADES_OCSPRESPONSESID *>(st::make<kOcspResponsesId>(id, hash));
}
KORVU_GET(korvu_ocspresponsesid_getid, kOcspResponsesId, ocspIdentifier);
KORVU_GET(korvu_ocspresponsesid_gethash, kOcspResponsesId, ocspRepHash);
constexpr st::Field kOcspListIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCSPRESPONSESIDS, KORVU_CADES_OCSPLISTID, ocspResponses)};
constexpr st::StructDef kOcspListId =
    st::sequence(KORVU_TYPE_OCSPLISTID, kOcspListIdFields, sizeof(KORVU_CADES_OCSPLISTID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OCSPLISTID, kOcspListId);
KORVU_API KORVU_CADES_OCSPLISTID *korvu_ocsplistid_new(const KORVU_ASN1_LIST *responses) {
  return static_cast<KORVU_CADES_OCSPLISTID *>(st::make<kOcspListId>(responses));
}
KORVU_GET(korvu_ocsplistid_getocspresponses, kOcspListId, ocspResponses);

// OtherRevRefs ::= SEQUENCE { otherRevRefType OtherRevRefType, otherRevRefs ANY DEFINED BY otherRevRefType }
// OtherRevVals ::= SEQUENCE { otherRevValType OtherRevValType, otherRevVals ANY DEFINED BY otherRevValType }
constexpr st::Field kOtherRevRefsFields[] = {KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_CADES_OTHERREVREFS, type),
                                             KORVU_FIELD(KORVU_TYPE_ANY, KORVU_CADES_OTHERREVREFS, value)};
constexpr st::StructDef kOtherRevRefs =
    st::sequence(KORVU_TYPE_OTHERREVREFS, kOtherRevRefsFields, sizeof(KORVU_CADES_OTHERREVREFS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERREVREFS, kOtherRevRefs);
constexpr st::StructDef kOtherRevVals =
    st::sequence(KORVU_TYPE_OTHERREVVALS, kOtherRevRefsFields, sizeof(KORVU_CADES_OTHERREVVALS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERREVVALS, kOtherRevVals);
KORVU_API KORVU_CADES_OTHERREVREFS *korvu_otherrevrefs_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_CADES_OTHERREVREFS *>(st::make<kOtherRevRefs>(type, value));
}
KORVU_GET(korvu_otherrevrefs_gettype, kOtherRevRefs, type);
KORVU_GET(korvu_otherrevrefs_getvalue, kOtherRevRefs, value);
KORVU_API KORVU_CADES_OTHERREVVALS *korvu_otherrevvals_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_CADES_OTHERREVVALS *>(st::make<kOtherRevVals>(type, value));
}
KORVU_GET(korvu_otherrevvals_gettype, kOtherRevVals, type);
KORVU_GET(korvu_otherrevvals_getvalue, kOtherRevVals, value);

// CrlOcspRef ::= SEQUENCE { crlids [0] CRLListID OPTIONAL, ocspids [1] OcspListID OPTIONAL,
//   otherRev [2] OtherRevRefs OPTIONAL }  (EXPLICIT)
// CompleteRevocationRefs ::= SEQUENCE OF CrlOcspRef
constexpr st::Field kCrlOcspRefFields[] = {
    KORVU_FIELD(KORVU_TYPE_CRLLISTID, KORVU_CADES_CRLOCSPREF, crlids).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_OCSPLISTID, KORVU_CADES_CRLOCSPREF, ocspids).explicit_(1).optional(),
    KORVU_FIELD(KORVU_TYPE_OTHERREVREFS, KORVU_CADES_CRLOCSPREF, otherRev).explicit_(2).optional()};
constexpr st::StructDef kCrlOcspRef =
    st::sequence(KORVU_TYPE_CRLOCSPREF, kCrlOcspRefFields, sizeof(KORVU_CADES_CRLOCSPREF));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CRLOCSPREF, kCrlOcspRef);
KORVU_REGISTER_TYPE(KORVU_TYPE_COMPLETEREVOCATIONREFS) =
    kList<KORVU_TYPE_COMPLETEREVOCATIONREFS, KORVU_TYPE_CRLOCSPREF>;
KORVU_API KORVU_CADES_CRLOCSPREF *korvu_crlocspref_new(const KORVU_CADES_CRLLISTID *crlids,
                                                       const KORVU_CADES_OCSPLISTID *ocspids,
                                                       const KORVU_CADES_OTHERREVREFS *other) {
  return static_cast<KORVU_CADES_CRLOCSPREF *>(st::make<kCrlOcspRef>(crlids, ocspids, other));
}
KORVU_GET(korvu_crlocspref_getcrl, kCrlOcspRef, crlids);
KORVU_GET(korvu_crlocspref_getocsp, kCrlOcspRef, ocspids);
KORVU_GET(korvu_crlocspref_getother, kCrlOcspRef, otherRev);

// Certificates ::= SEQUENCE OF Certificate; CRLs, BasicOCSPResponses likewise.
// RevocationValues ::= SEQUENCE { crlVals [0] SEQUENCE OF CertificateList OPTIONAL,
//   ocspVals [1] SEQUENCE OF BasicOCSPResponse OPTIONAL, otherRevVals [2] OtherRevVals OPTIONAL }  (EXPLICIT)
KORVU_REGISTER_TYPE(KORVU_TYPE_CERTIFICATES) = kList<KORVU_TYPE_CERTIFICATES, KORVU_TYPE_CERTIFICATE>;
KORVU_REGISTER_TYPE(KORVU_TYPE_CRLS) = kList<KORVU_TYPE_CRLS, KORVU_TYPE_CERTIFICATELIST>;
KORVU_REGISTER_TYPE(KORVU_TYPE_BASICOCSPRESPONSES) = kList<KORVU_TYPE_BASICOCSPRESPONSES, KORVU_TYPE_BASICOCSPRESPONSE>;
constexpr st::Field kRevValuesFields[] = {
    KORVU_FIELD(KORVU_TYPE_CRLS, KORVU_CADES_REVOCATIONVALUES, crlVals).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_BASICOCSPRESPONSES, KORVU_CADES_REVOCATIONVALUES, ocspVals).explicit_(1).optional(),
    KORVU_FIELD(KORVU_TYPE_OTHERREVVALS, KORVU_CADES_REVOCATIONVALUES, otherRevVals).explicit_(2).optional()};
constexpr st::StructDef kRevValues =
    st::sequence(KORVU_TYPE_REVOCATIONVALUES, kRevValuesFields, sizeof(KORVU_CADES_REVOCATIONVALUES));
KORVU_REGISTER_STRUCT(KORVU_TYPE_REVOCATIONVALUES, kRevValues);
KORVU_API KORVU_CADES_REVOCATIONVALUES *korvu_revocationvalues_new(const KORVU_ASN1_LIST *crls,
                                                                   const KORVU_ASN1_LIST *ocsps,
                                                                   const KORVU_CADES_OTHERREVVALS *other) {
  return static_cast<KORVU_CADES_REVOCATIONVALUES *>(st::make<kRevValues>(crls, ocsps, other));
}
KORVU_GET(korvu_revocationvalues_getcrls, kRevValues, crlVals);
KORVU_GET(korvu_revocationvalues_getocsps, kRevValues, ocspVals);
KORVU_GET(korvu_revocationvalues_getother, kRevValues, otherRevVals);

// ATSHashIndex ::= SEQUENCE { hashIndAlgorithm AlgorithmIdentifier DEFAULT {algorithm id-sha256},
//   certificatesHashIndex SEQUENCE OF OCTET STRING, crlsHashIndex SEQUENCE OF OCTET STRING,
//   unsignedAttrsHashIndex SEQUENCE OF OCTET STRING }
// ATSHashIndexV3: the same with the algorithm required. All four start with a SEQUENCE: the algorithm is there
// when the first element's first inner element is an OBJECT IDENTIFIER.
namespace {
constexpr bool starts_with_oid(const Header &h, const unsigned char *inner, uint32_t n) {
  return h.primitive == 0 && n > 0 && inner[0] == 0x06;
}
}  // namespace
constexpr st::Field kAtsHashIndexFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CADES_ATSHASHINDEX, hashIndAlgorithm)
        .defaults(cades::kSha256, st::DefaultRule::AlgorithmOid)
        .accepts_if(starts_with_oid),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CADES_ATSHASHINDEX, certificatesHashIndex).sequence_of(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CADES_ATSHASHINDEX, crlsHashIndex).sequence_of(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CADES_ATSHASHINDEX, unsignedAttrsHashIndex).sequence_of()};
constexpr st::StructDef kAtsHashIndex =
    st::sequence(KORVU_TYPE_ATSHASHINDEX, kAtsHashIndexFields, sizeof(KORVU_CADES_ATSHASHINDEX));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATSHASHINDEX, kAtsHashIndex);
constexpr st::Field kAtsHashIndexV3Fields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CADES_ATSHASHINDEX, hashIndAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CADES_ATSHASHINDEX, certificatesHashIndex).sequence_of(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CADES_ATSHASHINDEX, crlsHashIndex).sequence_of(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CADES_ATSHASHINDEX, unsignedAttrsHashIndex).sequence_of()};
constexpr st::StructDef kAtsHashIndexV3 =
    st::sequence(KORVU_TYPE_ATSHASHINDEXV3, kAtsHashIndexV3Fields, sizeof(KORVU_CADES_ATSHASHINDEX));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATSHASHINDEXV3, kAtsHashIndexV3);
KORVU_API KORVU_CADES_ATSHASHINDEX *korvu_atshashindex_new(const KORVU_X509_ALGID *algorithm,
                                                           const KORVU_ASN1_LIST *certs, const KORVU_ASN1_LIST *crls,
                                                           const KORVU_ASN1_LIST *unsigned_attrs) {
  return static_cast<KORVU_CADES_ATSHASHINDEX *>(st::make<kAtsHashIndex>(algorithm, certs, crls, unsigned_attrs));
}
KORVU_API KORVU_CADES_ATSHASHINDEX *korvu_atshashindexv3_new(const KORVU_X509_ALGID *algorithm,
                                                             const KORVU_ASN1_LIST *certs, const KORVU_ASN1_LIST *crls,
                                                             const KORVU_ASN1_LIST *unsigned_attrs) {
  return static_cast<KORVU_CADES_ATSHASHINDEX *>(st::make<kAtsHashIndexV3>(algorithm, certs, crls, unsigned_attrs));
}
KORVU_GET(korvu_atshashindex_gethashalgo, kAtsHashIndex, hashIndAlgorithm);
KORVU_GET(korvu_atshashindex_getcertshash, kAtsHashIndex, certificatesHashIndex);
KORVU_GET(korvu_atshashindex_getcrlshash, kAtsHashIndex, crlsHashIndex);
KORVU_GET(korvu_atshashindex_getunsignedattrshash, kAtsHashIndex, unsignedAttrsHashIndex);

// SignerAttribute ::= SEQUENCE OF CHOICE { claimedAttributes [0] ClaimedAttributes,
//   certifiedAttributes [1] CertifiedAttributes }  (EXPLICIT; ClaimedAttributes ::= SEQUENCE OF Attribute,
//   CertifiedAttributes ::= AttributeCertificate)
constexpr st::Field kSignerAttrAlts[] = {alternative(0, KORVU_TYPE_SEQUENCE_OF_ATTRIBUTE).explicit_(0),
                                         alternative(1, KORVU_TYPE_ATTRIBUTECERTIFICATE).explicit_(1)};
constexpr st::StructDef kSignerAttr = choice_table(KORVU_TYPE_SIGNERATTRIBUTE_ITEM, kSignerAttrAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNERATTRIBUTE_ITEM, kSignerAttr);
KORVU_REGISTER_TYPE(KORVU_TYPE_SIGNERATTRIBUTE) = kList<KORVU_TYPE_SIGNERATTRIBUTE, KORVU_TYPE_SIGNERATTRIBUTE_ITEM>;
KORVU_NEW_CHOICE(korvu_signerattributeitem_newattr, kSignerAttr, 0);
KORVU_NEW_CHOICE(korvu_signerattributeitem_newattrcert, kSignerAttr, 1);
KORVU_API uint32_t korvu_signerattributeitem_gettype(const KORVU_CADES_SIGNERATTRIBUTEITEM *i) {
  return st::choice_of(i);
}
KORVU_GET_CHOICE(korvu_signerattributeitem_getattr, 0);
KORVU_GET_CHOICE(korvu_signerattributeitem_getattrcert, 1);

// ContentReference ::= SEQUENCE { contentType ContentType, signedContentIdentifier ContentIdentifier,
//   originatorSignatureValue OCTET STRING }
// ContentHints ::= SEQUENCE { contentDescription UTF8String (SIZE (1..MAX)) OPTIONAL, contentType ContentType }
constexpr st::Field kContentRefFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_ESS_CONTENTREFERENCE, contentType),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ESS_CONTENTREFERENCE, signedContentIdentifier),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ESS_CONTENTREFERENCE, originatorSignatureValue)};
constexpr st::StructDef kContentRef =
    st::sequence(KORVU_TYPE_CONTENTREFERENCE, kContentRefFields, sizeof(KORVU_ESS_CONTENTREFERENCE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CONTENTREFERENCE, kContentRef);
KORVU_API KORVU_ESS_CONTENTREFERENCE *korvu_contentreference_new(const KORVU_ASN1_OID *content_type,
                                                                 const KORVU_ASN1_OCTETSTRING *content_id,
                                                                 const KORVU_ASN1_OCTETSTRING *signature_value) {
  return static_cast<KORVU_ESS_CONTENTREFERENCE *>(st::make<kContentRef>(content_type, content_id, signature_value));
}
KORVU_GET(korvu_contentreference_getcontenttype, kContentRef, contentType);
KORVU_GET(korvu_contentreference_getsigncontentid, kContentRef, signedContentIdentifier);
KORVU_GET(korvu_contentreference_getsignvalue, kContentRef, originatorSignatureValue);
constexpr st::Field kContentHintsFields[] = {
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, KORVU_ESS_CONTENTHINTS, contentDescription).optional(),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_ESS_CONTENTHINTS, contentType)};
constexpr st::StructDef kContentHints =
    st::sequence(KORVU_TYPE_CONTENTHINTS, kContentHintsFields, sizeof(KORVU_ESS_CONTENTHINTS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CONTENTHINTS, kContentHints);
KORVU_API KORVU_ESS_CONTENTHINTS *korvu_contenthints_new(const KORVU_ASN1_STRING *description,
                                                         const KORVU_ASN1_OID *content_type) {
  return static_cast<KORVU_ESS_CONTENTHINTS *>(st::make<kContentHints>(description, content_type));
}
KORVU_GET(korvu_contenthints_getdecription, kContentHints, contentDescription);
KORVU_GET(korvu_contenthints_gettype, kContentHints, contentType);

// PoeValue ::= CHOICE { timeStampToken [0] TimeStampToken, evidenceRecord [1] EvidenceRecord }  (EXPLICIT)
// LongTermValidation ::= SEQUENCE { poeDate GeneralizedTime, poeValue PoeValue OPTIONAL,
//   extraCertificates [0] IMPLICIT CertificateSet OPTIONAL,
//   extraRevocation [1] IMPLICIT RevocationInfoChoices OPTIONAL }
// The tags of poeValue and of the sets coincide: a [0] holding a SEQUENCE that starts with an OBJECT IDENTIFIER
// (a ContentInfo) or a [1] holding one that starts with an INTEGER (an EvidenceRecord) is the poeValue.
namespace {
constexpr bool holds_poe_value(const Header &h, const unsigned char *inner, uint32_t n) {
  if (h.primitive != 0 || n < 3 || inner[0] != 0x30) return false;
  const uint32_t at = inner[1] <= 0x80 ? 2 : 2 + (inner[1] & 0x7F);
  return at < n && inner[at] == (h.tag == 0 ? 0x06 : 0x02);
}
}  // namespace
constexpr st::Field kPoeValueAlts[] = {alternative(0, KORVU_TYPE_CONTENTINFO).explicit_(0),
                                       alternative(1, KORVU_TYPE_EVIDENCERECORD).explicit_(1)};
constexpr st::StructDef kPoeValue = choice_table(KORVU_TYPE_POEVALUE, kPoeValueAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_POEVALUE, kPoeValue);
KORVU_NEW_CHOICE(korvu_poevalue_newtimestamp, kPoeValue, 0);
KORVU_NEW_CHOICE(korvu_poevalue_newevidencerecord, kPoeValue, 1);
KORVU_API uint32_t korvu_poevalue_gettype(const KORVU_CADES_POEVALUE *p) { return st::choice_of(p); }
KORVU_GET_CHOICE(korvu_poevalue_gettimestamp, 0);
KORVU_GET_CHOICE(korvu_poevalue_getevidencerecord, 1);
constexpr st::Field kLtvFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_CADES_LONGTERMVALIDATION, poeDate),
    KORVU_FIELD(KORVU_TYPE_POEVALUE, KORVU_CADES_LONGTERMVALIDATION, poeValue).optional().accepts_if(holds_poe_value),
    KORVU_FIELD(KORVU_TYPE_CERTIFICATESET, KORVU_CADES_LONGTERMVALIDATION, extraCertificates).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_REVOCATIONINFOCHOICES, KORVU_CADES_LONGTERMVALIDATION, extraRevocation)
        .implicit(1)
        .optional()};
constexpr st::StructDef kLtv =
    st::sequence(KORVU_TYPE_LONGTERMVALIDATION, kLtvFields, sizeof(KORVU_CADES_LONGTERMVALIDATION));
KORVU_REGISTER_STRUCT(KORVU_TYPE_LONGTERMVALIDATION, kLtv);
KORVU_API KORVU_CADES_LONGTERMVALIDATION *korvu_longtermvalidation_new(const KORVU_ASN1_TIME *poe_date,
                                                                       const KORVU_CADES_POEVALUE *poe_value,
                                                                       const KORVU_ASN1_LIST *extra_certs,
                                                                       const KORVU_ASN1_LIST *extra_revocation) {
  return static_cast<KORVU_CADES_LONGTERMVALIDATION *>(
      st::make<kLtv>(poe_date, poe_value, extra_certs, extra_revocation));
}
KORVU_GET(korvu_longtermvalidation_getpoedate, kLtv, poeDate);
KORVU_GET(korvu_longtermvalidation_getpoevalue, kLtv, poeValue);
KORVU_GET(korvu_longtermvalidation_getextracerts, kLtv, extraCertificates);
KORVU_GET(korvu_longtermvalidation_getextrarevocation, kLtv, extraRevocation);

// RevocationInfoArchival ::= SEQUENCE { crl [0] EXPLICIT SEQUENCE OF CRLs OPTIONAL,
//   ocsp [1] EXPLICIT SEQUENCE OF OCSPResponse OPTIONAL, otherRevInfo [2] EXPLICIT SEQUENCE OF OtherRevInfo
//   OPTIONAL }
// OtherRevInfo ::= SEQUENCE { type OBJECT IDENTIFIER, value OCTET STRING }
constexpr st::Field kOtherRevInfoFields[] = {KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_ADOBE_OTHERREVINFO, type),
                                             KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ADOBE_OTHERREVINFO, value)};
constexpr st::StructDef kOtherRevInfo =
    st::sequence(KORVU_TYPE_PDF_OTHERREVINFO, kOtherRevInfoFields, sizeof(KORVU_ADOBE_OTHERREVINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PDF_OTHERREVINFO, kOtherRevInfo);
KORVU_REGISTER_TYPE(KORVU_TYPE_PDF_OTHERREVINFOS) = kList<KORVU_TYPE_PDF_OTHERREVINFOS, KORVU_TYPE_PDF_OTHERREVINFO>;
KORVU_REGISTER_TYPE(KORVU_TYPE_PDF_CRLS) = kList<KORVU_TYPE_PDF_CRLS, KORVU_TYPE_CERTIFICATELIST>;
KORVU_REGISTER_TYPE(KORVU_TYPE_PDF_OCSP_RESPONSES) = kList<KORVU_TYPE_PDF_OCSP_RESPONSES, KORVU_TYPE_OCSPRESPONSE>;
KORVU_API KORVU_ADOBE_OTHERREVINFO *korvu_adobe_otherrevinfo_new(const KORVU_ASN1_OID *type,
                                                                 const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_ADOBE_OTHERREVINFO *>(st::make<kOtherRevInfo>(type, value));
}
KORVU_GET(korvu_adobe_otherrevinfo_gettype, kOtherRevInfo, type);
KORVU_GET(korvu_adobe_otherrevinfo_getvalue, kOtherRevInfo, value);
constexpr st::Field kArchivalFields[] = {
    KORVU_FIELD(KORVU_TYPE_PDF_CRLS, KORVU_ADOBE_REVOCATIONINFOARCHIVAL, crl).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_PDF_OCSP_RESPONSES, KORVU_ADOBE_REVOCATIONINFOARCHIVAL, ocsp).explicit_(1).optional(),
    KORVU_FIELD(KORVU_TYPE_PDF_OTHERREVINFOS, KORVU_ADOBE_REVOCATIONINFOARCHIVAL, otherRevInfo)
        .explicit_(2)
        .optional()};
constexpr st::StructDef kArchival =
    st::sequence(KORVU_TYPE_REVOCATIONINFOARCHIVAL, kArchivalFields, sizeof(KORVU_ADOBE_REVOCATIONINFOARCHIVAL));
KORVU_REGISTER_STRUCT(KORVU_TYPE_REVOCATIONINFOARCHIVAL, kArchival);
KORVU_API KORVU_ADOBE_REVOCATIONINFOARCHIVAL *korvu_adobe_revocationinfoarchival_new(const KORVU_ASN1_LIST *crls,
                                                                                     const KORVU_ASN1_LIST *ocsps,
                                                                                     const KORVU_ASN1_LIST *others) {
  return static_cast<KORVU_ADOBE_REVOCATIONINFOARCHIVAL *>(st::make<kArchival>(crls, ocsps, others));
}
KORVU_GET(korvu_adobe_revocationinfoarchival_getcrl, kArchival, crl);
KORVU_GET(korvu_adobe_revocationinfoarchival_getocsp, kArchival, ocsp);
KORVU_GET(korvu_adobe_revocationinfoarchival_getotherrevinfo, kArchival, otherRevInfo);

// OtherAttributeCertificate ::= SEQUENCE { otherAttributeCertId OBJECT IDENTIFIER,
//   otherAttributeCert ANY DEFINED BY otherAttributeCertId OPTIONAL }
// SignedAssertion ::= SEQUENCE { signedAssertionID OBJECT IDENTIFIER, signedAssertion ANY OPTIONAL }
// CertifiedAttributesV2 ::= SEQUENCE OF CHOICE { attributeCertificate [0] AttributeCertificate,
//   otherAttributeCertificate [1] OtherAttributeCertificate }  (EXPLICIT)
// SignerAttributeV2 ::= SEQUENCE { claimedAttributes [0] ClaimedAttributes OPTIONAL,
//   certifiedAttributesV2 [1] CertifiedAttributesV2 OPTIONAL, signedAssertions [2] SignedAssertions OPTIONAL }
constexpr st::Field kOidAnyFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_CADES_OTHERATTRIBUTECERTIFICATE, id),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_CADES_OTHERATTRIBUTECERTIFICATE, value).optional()};
constexpr st::StructDef kOtherAttrCert =
    st::sequence(KORVU_TYPE_OTHERATTRIBUTECERTIFICATE, kOidAnyFields, sizeof(KORVU_CADES_OTHERATTRIBUTECERTIFICATE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERATTRIBUTECERTIFICATE, kOtherAttrCert);
constexpr st::StructDef kSignedAssertion =
    st::sequence(KORVU_TYPE_SIGNEDASSERTION, kOidAnyFields, sizeof(KORVU_CADES_SIGNEDASSERTION));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNEDASSERTION, kSignedAssertion);
KORVU_REGISTER_TYPE(KORVU_TYPE_SIGNEDASSERTIONS) = kList<KORVU_TYPE_SIGNEDASSERTIONS, KORVU_TYPE_SIGNEDASSERTION>;
KORVU_API KORVU_CADES_OTHERATTRIBUTECERTIFICATE *korvu_cadesotherattributecertificate_new(const KORVU_ASN1_OID *id,
                                                                                          const KORVU_ASN1_ANY *cert) {
  return static_cast<KORVU_CADES_OTHERATTRIBUTECERTIFICATE *>(st::make<kOtherAttrCert>(id, cert));
}
KORVU_GET(korvu_cadesotherattributecertificate_getotherattrcertid, kOtherAttrCert, id);
KORVU_GET(korvu_cadesotherattributecertificate_getotherattrcert, kOtherAttrCert, value);
KORVU_API KORVU_CADES_SIGNEDASSERTION *korvu_cadessignedassertion_new(const KORVU_ASN1_OID *id,
                                                                      const KORVU_ASN1_ANY *assertion) {
  return static_cast<KORVU_CADES_SIGNEDASSERTION *>(st::make<kSignedAssertion>(id, assertion));
}
KORVU_GET(korvu_cadessignedassertion_getsignedassertionid, kSignedAssertion, id);
KORVU_GET(korvu_cadessignedassertion_getsignedassertion, kSignedAssertion, value);
constexpr st::Field kCertifiedAlts[] = {alternative(0, KORVU_TYPE_ATTRIBUTECERTIFICATE).explicit_(0),
                                        alternative(1, KORVU_TYPE_OTHERATTRIBUTECERTIFICATE).explicit_(1)};
constexpr st::StructDef kCertified = choice_table(KORVU_TYPE_CERTIFIEDATTRIBUTESV2_ITEM, kCertifiedAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTIFIEDATTRIBUTESV2_ITEM, kCertified);
KORVU_REGISTER_TYPE(KORVU_TYPE_CERTIFIEDATTRIBUTESV2) =
    kList<KORVU_TYPE_CERTIFIEDATTRIBUTESV2, KORVU_TYPE_CERTIFIEDATTRIBUTESV2_ITEM>;
KORVU_NEW_CHOICE(korvu_cadescertifiedattributesv2item_newattrcert, kCertified, 0);
KORVU_NEW_CHOICE(korvu_cadescertifiedattributesv2item_newotherattrcert, kCertified, 1);
KORVU_API uint32_t korvu_cadescertifiedattributesv2item_gettype(const KORVU_CADES_CERTIFIEDATTRIBUTESV2ITEM *i) {
  return st::choice_of(i);
}
KORVU_GET_CHOICE(korvu_cadescertifiedattributesv2item_getattrcert, 0);
KORVU_GET_CHOICE(korvu_cadescertifiedattributesv2item_getotherattrcert, 1);
constexpr st::Field kSignerAttrV2Fields[] = {
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_ATTRIBUTE, KORVU_CADES_SIGNERATTRIBUTEV2, claimedAttributes)
        .explicit_(0)
        .optional(),
    KORVU_FIELD(KORVU_TYPE_CERTIFIEDATTRIBUTESV2, KORVU_CADES_SIGNERATTRIBUTEV2, certifiedAttributesV2)
        .explicit_(1)
        .optional(),
    KORVU_FIELD(KORVU_TYPE_SIGNEDASSERTIONS, KORVU_CADES_SIGNERATTRIBUTEV2, signedAssertions).explicit_(2).optional()};
constexpr st::StructDef kSignerAttrV2 =
    st::sequence(KORVU_TYPE_SIGNERATTRIBUTEV2, kSignerAttrV2Fields, sizeof(KORVU_CADES_SIGNERATTRIBUTEV2));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNERATTRIBUTEV2, kSignerAttrV2);
KORVU_API KORVU_CADES_SIGNERATTRIBUTEV2 *korvu_cadessignerattributev2_new(const KORVU_ASN1_LIST *claimed,
                                                                          const KORVU_ASN1_LIST *certified,
                                                                          const KORVU_ASN1_LIST *assertions) {
  return static_cast<KORVU_CADES_SIGNERATTRIBUTEV2 *>(st::make<kSignerAttrV2>(claimed, certified, assertions));
}
KORVU_GET(korvu_cadessignerattributev2_getclaimedattributes, kSignerAttrV2, claimedAttributes);
KORVU_GET(korvu_cadessignerattributev2_getcertifiedattributesv2, kSignerAttrV2, certifiedAttributesV2);
KORVU_GET(korvu_cadessignerattributev2_getsignedassertions, kSignerAttrV2, signedAssertions);

// SPDocSpecification ::= CHOICE { oid OBJECT IDENTIFIER, uri IA5String }
// SignaturePolicyDocument ::= CHOICE { sigPolicyEncoded OCTET STRING, sigPolicyLocalURI IA5String }
// SignaturePolicyStore ::= SEQUENCE { spDocSpec SPDocSpecification, spDocument SignaturePolicyDocument }
constexpr st::Field kDocSpecAlts[] = {alternative(0, KORVU_TYPE_OBJECT_IDENTIFIER),
                                      alternative(1, KORVU_TYPE_IA5STRING)};
constexpr st::StructDef kDocSpec = choice_table(KORVU_TYPE_SPDOC_FORMAT, kDocSpecAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SPDOC_FORMAT, kDocSpec);
KORVU_NEW_CHOICE(korvu_cadesspdocspecification_newoid, kDocSpec, 0);
KORVU_NEW_CHOICE(korvu_cadesspdocspecification_newuri, kDocSpec, 1);
KORVU_API uint32_t korvu_cadesspdocspecification_gettype(const KORVU_CADES_SPDOCSPECIFICATION *s) {
  return st::choice_of(s);
}
KORVU_GET_CHOICE(korvu_cadesspdocspecification_getoid, 0);
KORVU_GET_CHOICE(korvu_cadesspdocspecification_geturi, 1);
constexpr st::Field kPolicyDocAlts[] = {alternative(0, KORVU_TYPE_OCTET_STRING), alternative(1, KORVU_TYPE_IA5STRING)};
constexpr st::StructDef kPolicyDoc = choice_table(KORVU_TYPE_SIGNATUREPOLICYDOCUMENT, kPolicyDocAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNATUREPOLICYDOCUMENT, kPolicyDoc);
KORVU_NEW_CHOICE(korvu_cadessignaturepolicydocument_newencoded, kPolicyDoc, 0);
KORVU_NEW_CHOICE(korvu_cadessignaturepolicydocument_newlocaluri, kPolicyDoc, 1);
KORVU_API uint32_t korvu_cadessignaturepolicydocument_gettype(const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *d) {
  return st::choice_of(d);
}
KORVU_GET_CHOICE(korvu_cadessignaturepolicydocument_getencoded, 0);
KORVU_GET_CHOICE(korvu_cadessignaturepolicydocument_getlocaluri, 1);
constexpr st::Field kPolicyStoreFields[] = {
    KORVU_FIELD(KORVU_TYPE_SPDOC_FORMAT, KORVU_CADES_SIGNATUREPOLICYSTORE, spDocSpec),
    KORVU_FIELD(KORVU_TYPE_SIGNATUREPOLICYDOCUMENT, KORVU_CADES_SIGNATUREPOLICYSTORE, spDocument)};
constexpr st::StructDef kPolicyStore =
    st::sequence(KORVU_TYPE_SIGNATUREPOLICYSTORE, kPolicyStoreFields, sizeof(KORVU_CADES_SIGNATUREPOLICYSTORE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNATUREPOLICYSTORE, kPolicyStore);
KORVU_API KORVU_CADES_SIGNATUREPOLICYSTORE *korvu_cadessignaturepolicystore_new(
    const KORVU_CADES_SPDOCSPECIFICATION *spec, const KORVU_CADES_SIGNATUREPOLICYDOCUMENT *doc) {
  return static_cast<KORVU_CADES_SIGNATUREPOLICYSTORE *>(st::make<kPolicyStore>(spec, doc));
}
KORVU_GET(korvu_cadessignaturepolicystore_getdocspec, kPolicyStore, spDocSpec);
KORVU_GET(korvu_cadessignaturepolicystore_getdoc, kPolicyStore, spDocument);

// CMSAlgorithmProtection ::= SEQUENCE { digestAlgorithm DigestAlgorithmIdentifier,
//   signatureAlgorithm [1] SignatureAlgorithmIdentifier OPTIONAL, macAlgorithm [2] MessageAuthenticationCodeAlgorithm
//   OPTIONAL }  (IMPLICIT)
constexpr st::Field kAlgProtFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_ALGORITHMPROTECTION, digestAlgorithm),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_ALGORITHMPROTECTION, signatureAlgorithm)
        .implicit(1)
        .optional(),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_ALGORITHMPROTECTION, macAlgorithm).implicit(2).optional()};
constexpr st::StructDef kAlgProt =
    st::sequence(KORVU_TYPE_CMSALGORITHMPROTECTION, kAlgProtFields, sizeof(KORVU_CMS_ALGORITHMPROTECTION));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CMSALGORITHMPROTECTION, kAlgProt);
KORVU_API KORVU_CMS_ALGORITHMPROTECTION *korvu_cmsalgorithmprotection_newsign(const KORVU_X509_ALGID *digest,
                                                                              const KORVU_X509_ALGID *signature) {
  if (signature == nullptr) return nullptr;
  return static_cast<KORVU_CMS_ALGORITHMPROTECTION *>(
      st::make<kAlgProt>(digest, signature, static_cast<const KORVU_X509_ALGID *>(nullptr)));
}
KORVU_API KORVU_CMS_ALGORITHMPROTECTION *korvu_cmsalgorithmprotection_newmac(const KORVU_X509_ALGID *digest,
                                                                             const KORVU_X509_ALGID *mac) {
  if (mac == nullptr) return nullptr;
  return static_cast<KORVU_CMS_ALGORITHMPROTECTION *>(
      st::make<kAlgProt>(digest, static_cast<const KORVU_X509_ALGID *>(nullptr), mac));
}
KORVU_GET(korvu_cmsalgorithmprotection_getdigestalgorithm, kAlgProt, digestAlgorithm);
KORVU_GET(korvu_cmsalgorithmprotection_getsignaturealgorithm, kAlgProt, signatureAlgorithm);
KORVU_GET(korvu_cmsalgorithmprotection_getmacalgorithm, kAlgProt, macAlgorithm);
