// X.509 certificates (RFC 5280 4.1, 4.2.1.6): AlgorithmIdentifier, Validity,
// SubjectPublicKeyInfo, Extension(s), GeneralName and its parts,
// TBSCertificate, Certificate and CertificatePair (X.509 11.2.3), and
// SMIMECapability (RFC 8551 2.5.2), PolicyQualifierInfo (RFC 5280 4.2.1.4) and
// QCStatement (RFC 3739 3.2.6), AlgorithmIdentifiers by other names.
#define KORVU_SRC "KORVU_ASN1_X509"
#include "cert_internal.h"

using namespace korvu;
using st::alternative;
using st::field;

// AlgorithmIdentifier ::= SEQUENCE { algorithm OBJECT IDENTIFIER, parameters ANY DEFINED BY algorithm OPTIONAL }
// SMIMECapability ::= SEQUENCE { capabilityID OBJECT IDENTIFIER, parameters ANY DEFINED BY capabilityID OPTIONAL }
// SMIMECapabilities ::= SEQUENCE OF SMIMECapability
using x509::kAlgIdFields;
using x509::algid_finish;
constexpr st::StructDef kAlgId =
    st::sequence(KORVU_TYPE_ALGORITHMIDENTIFIER, kAlgIdFields, sizeof(KORVU_X509_ALGID)).finished(algid_finish);
constexpr st::StructDef kCapability =
    st::sequence(KORVU_TYPE_SMIMECAPABILITY, kAlgIdFields, sizeof(KORVU_X509_ALGID)).finished(algid_finish);
KORVU_REGISTER_STRUCT(KORVU_TYPE_ALGORITHMIDENTIFIER, kAlgId);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SMIMECAPABILITY, kCapability);
// The same shape in the extension values (x509/extvalues.cpp):
// PolicyQualifierInfo ::= SEQUENCE { policyQualifierId OBJECT IDENTIFIER, qualifier ANY OPTIONAL }
// QCStatement ::= SEQUENCE { statementId OBJECT IDENTIFIER, statementInfo ANY OPTIONAL }
constexpr st::StructDef kPolicyQualifierInfo =
    st::sequence(KORVU_TYPE_POLICYQUALIFIERINFO, kAlgIdFields, sizeof(KORVU_X509_ALGID)).finished(algid_finish);
constexpr st::StructDef kQcStatement =
    st::sequence(KORVU_TYPE_QCSTATEMENT, kAlgIdFields, sizeof(KORVU_X509_ALGID)).finished(algid_finish);
KORVU_REGISTER_STRUCT(KORVU_TYPE_POLICYQUALIFIERINFO, kPolicyQualifierInfo);
KORVU_REGISTER_STRUCT(KORVU_TYPE_QCSTATEMENT, kQcStatement);
KORVU_REGISTER_TYPE(KORVU_TYPE_SMIMECAPABILITIES) =
    list::TypedList<KORVU_TYPE_SMIMECAPABILITIES, KORVU_TYPE_SMIMECAPABILITY>::ops;
// The parameters are `value` written as type `type` and read back as ANY.
KORVU_API KORVU_X509_ALGID *korvu_x509algoid_new(const KORVU_ASN1_OID *algorithm, uint32_t type, const void *value) {
  if (algorithm == nullptr || type_desc(type) == nullptr) return nullptr;
  KORVU_DATA_BLOB *der = korvu_asn1_mem_encode(type, value);
  void *any = nullptr;
  KORVU_X509_ALGID *a = nullptr;
  if (der && korvu_asn1_mem_decode(der->data, static_cast<int32_t>(der->length), KORVU_TYPE_ANY, &any) == der->length)
    a = static_cast<KORVU_X509_ALGID *>(st::make<kAlgId>(algorithm, static_cast<const KORVU_ASN1_ANY *>(any)));
  value_free(KORVU_TYPE_ANY, any);
  korvu_data_blob_free(der);
  return a;
}
KORVU_API KORVU_X509_ALGID *korvu_x509algoid_new_without_param(const KORVU_ASN1_OID *algorithm) {
  return static_cast<KORVU_X509_ALGID *>(st::make<kAlgId>(algorithm, static_cast<const KORVU_ASN1_ANY *>(nullptr)));
}
KORVU_GET(korvu_x509algoid_getalgo, kAlgId, algorithm);
KORVU_GET(korvu_x509algoid_getparam, kAlgId, parameters);
KORVU_HAS(korvu_x509algoid_hasparam, kAlgId, parameters);
KORVU_API int korvu_x509algoid_isnullparam(const KORVU_X509_ALGID *a) { return a && a->isNullParameter ? 1 : 0; }

// Validity ::= SEQUENCE { notBefore Time, notAfter Time }
constexpr st::Field kValidityFields[] = {KORVU_FIELD(KORVU_TYPE_TIME, KORVU_X509_VALIDITY, notBefore),
                                         KORVU_FIELD(KORVU_TYPE_TIME, KORVU_X509_VALIDITY, notAfter)};
constexpr st::StructDef kValidity = st::sequence(KORVU_TYPE_VALIDITY, kValidityFields, sizeof(KORVU_X509_VALIDITY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_VALIDITY, kValidity);
KORVU_API KORVU_X509_VALIDITY *korvu_x509validity_new(const KORVU_ASN1_TIME *before, const KORVU_ASN1_TIME *after) {
  return static_cast<KORVU_X509_VALIDITY *>(st::make<kValidity>(before, after));
}
KORVU_GET(korvu_x509validity_getnotbefore, kValidity, notBefore);
KORVU_GET(korvu_x509validity_getnotafter, kValidity, notAfter);

// SubjectPublicKeyInfo ::= SEQUENCE { algorithm AlgorithmIdentifier, subjectPublicKey BIT STRING }
constexpr st::Field kSpkiFields[] = {KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_X509_SPKI, algorithm),
                                     KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_X509_SPKI, subjectPublicKey)};
constexpr st::StructDef kSpki = st::sequence(KORVU_TYPE_SUBJECTPUBLICKEYINFO, kSpkiFields, sizeof(KORVU_X509_SPKI));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SUBJECTPUBLICKEYINFO, kSpki);
KORVU_API KORVU_X509_SPKI *korvu_x509subjpubkeyinfo_new(const KORVU_X509_ALGID *alg, const KORVU_ASN1_BITSTRING *key) {
  return static_cast<KORVU_X509_SPKI *>(st::make<kSpki>(alg, key));
}
KORVU_GET(korvu_x509subjpubkeyinfo_getalgo, kSpki, algorithm);
KORVU_GET(korvu_x509subjpubkeyinfo_getpubkey, kSpki, subjectPublicKey);

// Extension ::= SEQUENCE { extnID OBJECT IDENTIFIER, critical BOOLEAN DEFAULT FALSE, extnValue OCTET STRING }
// Extensions ::= SEQUENCE SIZE (1..MAX) OF Extension (an empty list is accepted on decoding)
constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};
constexpr st::Field kExtensionFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_X509_EXTENSION, extnID),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_X509_EXTENSION, critical).defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_X509_EXTENSION, extnValue)};
constexpr st::StructDef kExtension = st::sequence(KORVU_TYPE_EXTENSION, kExtensionFields, sizeof(KORVU_X509_EXTENSION));
KORVU_REGISTER_STRUCT(KORVU_TYPE_EXTENSION, kExtension);
KORVU_REGISTER_TYPE(KORVU_TYPE_EXTENSIONS) = list::TypedList<KORVU_TYPE_EXTENSIONS, KORVU_TYPE_EXTENSION>::ops;
KORVU_API KORVU_X509_EXTENSION *korvu_x509extension_new(const KORVU_ASN1_OID *id, const KORVU_ASN1_BOOLEAN *critical,
                                                       const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_X509_EXTENSION *>(st::make<kExtension>(id, critical, value));
}
// The value is written with its kept encoding where it has one, so a decoded
// Name or Certificate is wrapped exactly as it was received.
KORVU_API KORVU_X509_EXTENSION *korvu_x509extension_create(const KORVU_ASN1_OID *id, const KORVU_ASN1_BOOLEAN *critical,
                                                          uint32_t type, const void *value) {
  if (type == 0 || id == nullptr || value == nullptr) return nullptr;
  KORVU_DATA_BLOB *der = korvu_asn1_mem_encode(type, value);  // null for an unknown type
  KORVU_ASN1_OCTETSTRING *os = der ? korvu_asn1_octetstring_new(der->data, static_cast<int32_t>(der->length)) : nullptr;
  KORVU_X509_EXTENSION *ext = os ? korvu_x509extension_new(id, critical, os) : nullptr;
  value_free(KORVU_TYPE_OCTET_STRING, os);
  korvu_data_blob_free(der);
  return ext;
}
KORVU_GET(korvu_x509extension_getid, kExtension, extnID);
KORVU_GET(korvu_x509extension_getcritical, kExtension, critical);
KORVU_GET(korvu_x509extension_getvalue, kExtension, extnValue);

// OtherName ::= INSTANCE OF TYPE-IDENTIFIER, that is (X.681 C.7)
//   [UNIVERSAL 8] IMPLICIT SEQUENCE { type-id OBJECT IDENTIFIER, value [0] EXPLICIT ANY }
constexpr st::Field kOtherNameFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_X509_OTHERNAME, typeId),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_X509_OTHERNAME, value).explicit_(0)};
constexpr st::StructDef kOtherName = st::sequence(KORVU_TYPE_OTHERNAME, kOtherNameFields, sizeof(KORVU_X509_OTHERNAME));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERNAME, kOtherName);
KORVU_API KORVU_X509_OTHERNAME *korvu_instanceoftypeid_new(const KORVU_ASN1_OID *id, const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_X509_OTHERNAME *>(st::make<kOtherName>(id, value));
}
KORVU_GET(korvu_instanceoftypeid_getid, kOtherName, typeId);
KORVU_GET(korvu_instanceoftypeid_gettype, kOtherName, value);

// EDIPartyName ::= SEQUENCE { nameAssigner [0] DirectoryString OPTIONAL, partyName [1] DirectoryString }
// EXPLICIT in a module of IMPLICIT TAGS, DirectoryString being a CHOICE (X.680 31.2.7).
constexpr st::Field kEdiFields[] = {
    KORVU_FIELD(KORVU_TYPE_DIRECTORYSTRING, KORVU_X509_EDIPARTYNAME, nameAssigner).explicit_(0)
        .optional(offsetof(KORVU_X509_EDIPARTYNAME, hasNameAssigner)),
    KORVU_FIELD(KORVU_TYPE_DIRECTORYSTRING, KORVU_X509_EDIPARTYNAME, partyName).explicit_(1)};
constexpr st::StructDef kEdi = st::sequence(KORVU_TYPE_EDIPARTYNAME, kEdiFields, sizeof(KORVU_X509_EDIPARTYNAME));
KORVU_REGISTER_STRUCT(KORVU_TYPE_EDIPARTYNAME, kEdi);
KORVU_API KORVU_X509_EDIPARTYNAME *korvu_x509edipartyname_new(const korvu_x500_dirstring_st *assigner,
                                                             const korvu_x500_dirstring_st *party) {
  return static_cast<KORVU_X509_EDIPARTYNAME *>(st::make<kEdi>(assigner, party));
}
KORVU_GET(korvu_x509edipartyname_getnameassigner, kEdi, nameAssigner);
KORVU_GET(korvu_x509edipartyname_getpartyname, kEdi, partyName);

// GeneralName ::= CHOICE { otherName [0] OtherName, rfc822Name [1] IA5String, dNSName [2] IA5String,
//   x400Address [3] ORAddress, directoryName [4] Name, ediPartyName [5] EDIPartyName,
//   uniformResourceIdentifier [6] IA5String, iPAddress [7] OCTET STRING, registeredID [8] OBJECT IDENTIFIER }
// IMPLICIT TAGS, but directoryName is EXPLICIT (Name is a CHOICE); an ORAddress is kept as its components.
// GeneralNames ::= SEQUENCE SIZE (1..MAX) OF GeneralName
constexpr st::Field kGeneralNameAlts[] = {
    alternative(0, KORVU_TYPE_OTHERNAME).implicit(0),      alternative(1, KORVU_TYPE_IA5STRING).implicit(1),
    alternative(2, KORVU_TYPE_IA5STRING).implicit(2),      alternative(3, KORVU_TYPE_SEQUENCE_SIZE_OF_ANY).implicit(3),
    alternative(4, KORVU_TYPE_NAME).explicit_(4),          alternative(5, KORVU_TYPE_EDIPARTYNAME).implicit(5),
    alternative(6, KORVU_TYPE_IA5STRING).implicit(6),      alternative(7, KORVU_TYPE_OCTET_STRING).implicit(7),
    alternative(8, KORVU_TYPE_OBJECT_IDENTIFIER).implicit(8)};
constexpr st::StructDef kGeneralName = st::choice(KORVU_TYPE_GENERALNAME, kGeneralNameAlts);
static_assert(offsetof(KORVU_X509_GENERALNAME, choice) == offsetof(st::ChoiceRecord, choice) &&
              offsetof(KORVU_X509_GENERALNAME, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_GENERALNAME, kGeneralName);
KORVU_REGISTER_TYPE(KORVU_TYPE_GENERALNAMES) =
    list::TypedList<KORVU_TYPE_GENERALNAMES, KORVU_TYPE_GENERALNAME, 0x00, list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;
KORVU_NEW_CHOICE(korvu_x509generalname_new_othername, kGeneralName, 0);
KORVU_NEW_CHOICE(korvu_x509generalname_new_rfc822name, kGeneralName, 1);
KORVU_NEW_CHOICE(korvu_x509generalname_new_dnsname, kGeneralName, 2);
KORVU_NEW_CHOICE(korvu_x509generalname_new_dirname, kGeneralName, 4);
KORVU_NEW_CHOICE(korvu_x509generalname_new_ediname, kGeneralName, 5);
KORVU_NEW_CHOICE(korvu_x509generalname_new_uri, kGeneralName, 6);
KORVU_NEW_CHOICE(korvu_x509generalname_new_ip, kGeneralName, 7);
KORVU_NEW_CHOICE(korvu_x509generalname_new_regid, kGeneralName, 8);
KORVU_API int korvu_x509generalname_gettype(const KORVU_X509_GENERALNAME *gn, uint32_t *choice) {
  return st::choice_number(gn, choice);
}
KORVU_GET_CHOICE(korvu_x509generalname_getothername, 0);
KORVU_GET_CHOICE(korvu_x509generalname_getrfc822name, 1);
KORVU_GET_CHOICE(korvu_x509generalname_getdnsname, 2);
KORVU_GET_CHOICE(korvu_x509generalname_getdirname, 4);
KORVU_GET_CHOICE(korvu_x509generalname_getediname, 5);
KORVU_GET_CHOICE(korvu_x509generalname_geturi, 6);
KORVU_GET_CHOICE(korvu_x509generalname_getip, 7);
KORVU_GET_CHOICE(korvu_x509generalname_getregid, 8);

// TBSCertificate ::= SEQUENCE { version [0] EXPLICIT Version DEFAULT v1, serialNumber CertificateSerialNumber,
//   signature AlgorithmIdentifier, issuer Name, validity Validity, subject Name,
//   subjectPublicKeyInfo SubjectPublicKeyInfo, issuerUniqueID [1] IMPLICIT UniqueIdentifier OPTIONAL,
//   subjectUniqueID [2] IMPLICIT UniqueIdentifier OPTIONAL, extensions [3] EXPLICIT Extensions OPTIONAL }
// Version ::= INTEGER { v1(0), v2(1), v3(2) }. The unique identifiers and extensions are accepted whatever the
// version.
constexpr unsigned char kVersion1[] = {0x02, 0x01, 0x00};
constexpr st::Field kTbsFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_TBSCERT, version).explicit_(0)
        .defaults(kVersion1, st::DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_TBSCERT, serialNumber),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_X509_TBSCERT, signature),
    KORVU_FIELD(KORVU_TYPE_NAME, KORVU_X509_TBSCERT, issuer),
    KORVU_FIELD(KORVU_TYPE_VALIDITY, KORVU_X509_TBSCERT, validity),
    KORVU_FIELD(KORVU_TYPE_NAME, KORVU_X509_TBSCERT, subject),
    KORVU_FIELD(KORVU_TYPE_SUBJECTPUBLICKEYINFO, KORVU_X509_TBSCERT, subjectPublicKeyInfo),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_X509_TBSCERT, issuerUniqueID).implicit(1)
        .optional(offsetof(KORVU_X509_TBSCERT, hasIssuerUniqueID)),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_X509_TBSCERT, subjectUniqueID).implicit(2)
        .optional(offsetof(KORVU_X509_TBSCERT, hasSubjectUniqueID)),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_X509_TBSCERT, extensions).explicit_(3)
        .optional(offsetof(KORVU_X509_TBSCERT, hasExtensions))};
constexpr st::StructDef kTbs = st::sequence(KORVU_TYPE_TBSCERTIFICATE, kTbsFields, sizeof(KORVU_X509_TBSCERT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TBSCERTIFICATE, kTbs);
KORVU_API KORVU_X509_TBSCERT *korvu_x509TBSCertificate_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_ASN1_INTEGER *serial, const KORVU_X509_ALGID *signature,
    const korvu_x500_name_st *issuer, const KORVU_X509_VALIDITY *validity, const korvu_x500_name_st *subject,
    const KORVU_X509_SPKI *spki, const KORVU_ASN1_BITSTRING *issuer_uid, const KORVU_ASN1_BITSTRING *subject_uid,
    const KORVU_ASN1_LIST *extensions) {
  return static_cast<KORVU_X509_TBSCERT *>(st::make<kTbs>(version, serial, signature, issuer, validity, subject, spki,
                                                           issuer_uid, subject_uid, extensions));
}

// Certificate ::= SEQUENCE { tbsCertificate TBSCertificate, signatureAlgorithm AlgorithmIdentifier,
//   signatureValue BIT STRING }
// keeping the octets of its whole encoding and of its TBSCertificate as received (or as first written), so
// that re-encoding a decoded certificate reproduces the signed octets, BER forms included.
constexpr st::Field kCertFields[] = {
    KORVU_FIELD(KORVU_TYPE_TBSCERTIFICATE, KORVU_X509_CERT, tbsCertificate)
        .keeps(offsetof(KORVU_X509_CERT, tbsEncoded)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_X509_CERT, signatureAlgorithm),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_X509_CERT, signatureValue)};
constexpr st::StructDef kCert = st::sequence(KORVU_TYPE_CERTIFICATE, kCertFields, sizeof(KORVU_X509_CERT))
                                    .keeping(offsetof(KORVU_X509_CERT, encoded), 2048)
                                    .leftover(kErrIncorrectLength);
static_assert(offsetof(KORVU_X509_CERT, hasEncoded) - offsetof(KORVU_X509_CERT, encoded) == offsetof(st::Kept, has) &&
              offsetof(KORVU_X509_CERT, hasTbsEncoded) - offsetof(KORVU_X509_CERT, tbsEncoded) ==
                  offsetof(st::Kept, has));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTIFICATE, kCert);
void *x509::signed_create(const st::StructDef &d, const void *tbs, const void *algorithm, const void *signature) {
  if (tbs == nullptr || algorithm == nullptr || signature == nullptr) return nullptr;
  const void *args[] = {tbs, algorithm, signature};
  void *c = st::new_record(d, args, 3);
  if (c != nullptr && st::record_kept(d, c, nullptr) == nullptr) {
    st::free_record(d, c);
    return nullptr;
  }
  return c;
}
int x509::signed_tbs_octets(const st::StructDef &d, const void *record, unsigned char *buffer, uint32_t *length,
                            KORVU_ERR_CTX *ctx) {
  return record && length ? st::copy_kept(st::field_kept(d, record, 0, ctx), buffer, length) : 0;
}
// The signatureAlgorithm is a copy of the TBSCertificate's signature.
KORVU_API KORVU_X509_CERT *korvu_x509pubkeycert_create(const KORVU_X509_TBSCERT *tbs, const KORVU_ASN1_BITSTRING *sig) {
  return tbs ? static_cast<KORVU_X509_CERT *>(x509::signed_create(kCert, tbs, tbs->signature, sig)) : nullptr;
}
void *x509::signed_parse(uint32_t type, std::initializer_list<const char *> labels, const void *bytes,
                         int32_t length, KORVU_ERR_CTX *ctx) {
  if (bytes == nullptr || length <= 0) {
    KORVU_ERR(ctx, bytes == nullptr ? KORVU_ERR_NULLARG : KORVU_ERR_BADARG);
    return nullptr;
  }
  const auto *text = static_cast<const char *>(bytes);
  uint32_t n = static_cast<uint32_t>(length);
  unsigned char *decoded = nullptr;
  int r = 0;
  if (text[0] == 'M') {
    r = korvu_base64decode(2, text, n, &decoded, &n);
  } else if (text[0] == '-') {
    for (const char *label : labels) {
      uint32_t m = 0;
      if ((r = korvu_pemdecode(label, text, n, &decoded, &m)) == 1) {
        n = m;
        break;
      }
      korvu_free(decoded);
      decoded = nullptr;
    }
  } else {
    r = text[0] == 0x30;
  }
  if (r != 1) {
    korvu_free(decoded);
    if (text[0] == 'M' || text[0] == '-')
      KORVU_ERR(ctx, text[0] == 'M' ? KORVU_STREAM_ERR_READ : KORVU_STREAM_ERR_WRITE);
    else
      KORVU_DECODE_ERR(ctx, type);
    return nullptr;
  }
  MemView view(decoded != nullptr ? decoded : static_cast<const unsigned char *>(bytes), n);
  void *value = nullptr;
  uint32_t used = 0;
  if (decode_value(view.get(), type, &value, &used, ctx, 0) == 1 && used != n) {
    value_free(type, value);
    value = nullptr;
    KORVU_ERR(ctx, kErrIncorrectLength);
  }
  korvu_free(decoded);
  return value;
}
// DER, Base64 of DER or PEM labelled CERTIFICATE, holding exactly one Certificate.
KORVU_API KORVU_X509_CERT *korvu_x509pubkeycert_new(const void *bytes, int32_t length, KORVU_ERR_CTX *ctx) {
  return static_cast<KORVU_X509_CERT *>(x509::signed_parse(KORVU_TYPE_CERTIFICATE, {"CERTIFICATE"}, bytes, length, ctx));
}
KORVU_GET_IN(korvu_x509pubkeycert_getversion, tbsCertificate, kTbs, version);
KORVU_GET_IN(korvu_x509pubkeycert_getserialno, tbsCertificate, kTbs, serialNumber);
KORVU_GET_IN(korvu_x509pubkeycert_getinnersignalgo, tbsCertificate, kTbs, signature);
KORVU_GET_IN(korvu_x509pubkeycert_getissuer, tbsCertificate, kTbs, issuer);
KORVU_GET_IN(korvu_x509pubkeycert_getvalidity, tbsCertificate, kTbs, validity);
KORVU_GET_IN(korvu_x509pubkeycert_getsubject, tbsCertificate, kTbs, subject);
KORVU_GET_IN(korvu_x509pubkeycert_getpubkey, tbsCertificate, kTbs, subjectPublicKeyInfo);
KORVU_HAS_IN(korvu_x509pubkeycert_hasissueruid, tbsCertificate, kTbs, issuerUniqueID);
KORVU_GET_IN(korvu_x509pubkeycert_getissueruid, tbsCertificate, kTbs, issuerUniqueID);
KORVU_HAS_IN(korvu_x509pubkeycert_hassubjectuid, tbsCertificate, kTbs, subjectUniqueID);
KORVU_GET_IN(korvu_x509pubkeycert_getsubjectuid, tbsCertificate, kTbs, subjectUniqueID);
KORVU_HAS_IN(korvu_x509pubkeycert_hasexts, tbsCertificate, kTbs, extensions);
KORVU_GET_IN(korvu_x509pubkeycert_getexts, tbsCertificate, kTbs, extensions);
KORVU_GET(korvu_x509pubkeycert_getsignalgo, kCert, signatureAlgorithm);
KORVU_GET(korvu_x509pubkeycert_getsignvalue, kCert, signatureValue);
// The TBSCertificate's kept octets, written first if the record has none.
KORVU_API int korvu_x509pubkeycert_gettbsocts(KORVU_X509_CERT *c, unsigned char *buffer, uint32_t *length,
                                              KORVU_ERR_CTX *ctx) {
  static_assert(st::index_at(kCert, offsetof(KORVU_X509_CERT, tbsCertificate)) == 0);
  return x509::signed_tbs_octets(kCert, c, buffer, length, ctx);
}

// CertificatePair ::= SEQUENCE { issuedToThisCA [0] Certificate OPTIONAL, issuedByThisCA [1] Certificate OPTIONAL }
// (EXPLICIT TAGS)
constexpr st::Field kPairFields[] = {
    KORVU_FIELD(KORVU_TYPE_CERTIFICATE, KORVU_X509_CERTPAIR, issuedToThisCA).explicit_(0)
        .optional(offsetof(KORVU_X509_CERTPAIR, hasIssuedToThisCA)),
    KORVU_FIELD(KORVU_TYPE_CERTIFICATE, KORVU_X509_CERTPAIR, issuedByThisCA).explicit_(1)
        .optional(offsetof(KORVU_X509_CERTPAIR, hasIssuedByThisCA))};
constexpr st::StructDef kPair = st::sequence(KORVU_TYPE_CERTIFICATEPAIR, kPairFields, sizeof(KORVU_X509_CERTPAIR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTIFICATEPAIR, kPair);
KORVU_API KORVU_X509_CERTPAIR *korvu_x509certpair_new(const KORVU_X509_CERT *to_ca, const KORVU_X509_CERT *by_ca) {
  if (to_ca == nullptr && by_ca == nullptr) return nullptr;  // at least one of the two
  return static_cast<KORVU_X509_CERTPAIR *>(st::make<kPair>(to_ca, by_ca));
}
KORVU_GET(korvu_x509certpair_getissuedtothisca, kPair, issuedToThisCA);
KORVU_GET(korvu_x509certpair_getissuedbythisca, kPair, issuedByThisCA);
