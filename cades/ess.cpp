// ESS certificate identification (RFC 2634 5.4, RFC 5035 3): IssuerSerial, ESSCertID, ESSCertIDv2, their lists,
// the list of PolicyInformation, SigningCertificate and SigningCertificateV2. Record layouts: korvu/cades.h.
#define KORVU_SRC "KORVU_ASN1_TSP"
#include "cades_internal.h"

using namespace korvu;

// IssuerSerial ::= SEQUENCE { issuer GeneralNames, serialNumber CertificateSerialNumber }
constexpr st::Field kIssuerSerialFields[] = {KORVU_FIELD(KORVU_TYPE_GENERALNAMES, KORVU_ESS_ISSUERSERIAL, issuer),
                                             KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_ESS_ISSUERSERIAL, serialNumber)};
constexpr st::StructDef kIssuerSerial =
    st::sequence(KORVU_TYPE_ESS_ISSUERSERIAL, kIssuerSerialFields, sizeof(KORVU_ESS_ISSUERSERIAL));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ESS_ISSUERSERIAL, kIssuerSerial);
KORVU_API KORVU_ESS_ISSUERSERIAL *korvu_ess_issuerserial_new(const KORVU_ASN1_LIST *issuer,
                                                             const KORVU_ASN1_INTEGER *serial) {
  return static_cast<KORVU_ESS_ISSUERSERIAL *>(st::make<kIssuerSerial>(issuer, serial));
}
KORVU_GET(korvu_ess_issuerserial_getissuer, kIssuerSerial, issuer);
KORVU_GET(korvu_ess_issuerserial_getsn, kIssuerSerial, serialNumber);

// ESSCertID ::= SEQUENCE { certHash Hash, issuerSerial IssuerSerial OPTIONAL }
constexpr st::Field kCertIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ESS_CERTID, certHash),
    KORVU_FIELD(KORVU_TYPE_ESS_ISSUERSERIAL, KORVU_ESS_CERTID, issuerSerial).optional()};
constexpr st::StructDef kCertId = st::sequence(KORVU_TYPE_ESSCERTID, kCertIdFields, sizeof(KORVU_ESS_CERTID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ESSCERTID, kCertId);
KORVU_API KORVU_ESS_CERTID *korvu_ess_certid_new(const KORVU_ASN1_OCTETSTRING *cert_hash,
                                                 const KORVU_ESS_ISSUERSERIAL *issuer_serial) {
  return static_cast<KORVU_ESS_CERTID *>(st::make<kCertId>(cert_hash, issuer_serial));
}
KORVU_GET(korvu_ess_certid_getcerthash, kCertId, certHash);
KORVU_GET(korvu_ess_certid_getissuersn, kCertId, issuerSerial);

// ESSCertIDv2 ::= SEQUENCE { hashAlgorithm AlgorithmIdentifier DEFAULT {algorithm id-sha256},
//   certHash Hash, issuerSerial IssuerSerial OPTIONAL }
// The algorithm is left out whenever its OID is SHA-256, whatever its parameters.
constexpr st::Field kCertIdV2Fields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_ESS_CERTIDV2, hashAlgorithm)
        .defaults(cades::kSha256, st::DefaultRule::AlgorithmOid),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ESS_CERTIDV2, certHash),
    KORVU_FIELD(KORVU_TYPE_ESS_ISSUERSERIAL, KORVU_ESS_CERTIDV2, issuerSerial).optional()};
constexpr st::StructDef kCertIdV2 = st::sequence(KORVU_TYPE_ESSCERTIDV2, kCertIdV2Fields, sizeof(KORVU_ESS_CERTIDV2));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ESSCERTIDV2, kCertIdV2);
KORVU_API KORVU_ESS_CERTIDV2 *korvu_ess_certidv2_new(const KORVU_X509_ALGID *hash_algorithm,
                                                     const KORVU_ASN1_OCTETSTRING *cert_hash,
                                                     const KORVU_ESS_ISSUERSERIAL *issuer_serial) {
  return static_cast<KORVU_ESS_CERTIDV2 *>(st::make<kCertIdV2>(hash_algorithm, cert_hash, issuer_serial));
}
KORVU_GET(korvu_ess_certidv2_getcerthashalgo, kCertIdV2, hashAlgorithm);
KORVU_GET(korvu_ess_certidv2_getcerthash, kCertIdV2, certHash);
KORVU_GET(korvu_ess_certidv2_getissuersn, kCertIdV2, issuerSerial);

KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_ESSCERTID) =
    list::TypedList<KORVU_TYPE_SEQUENCE_OF_ESSCERTID, KORVU_TYPE_ESSCERTID>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_ESSCERTIDV2) =
    list::TypedList<KORVU_TYPE_SEQUENCE_OF_ESSCERTIDV2, KORVU_TYPE_ESSCERTIDV2>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_POLICYINFORMATION) =
    list::TypedList<KORVU_TYPE_SEQUENCE_OF_POLICYINFORMATION, KORVU_TYPE_POLICYINFORMATION>::ops;

// SigningCertificate ::= SEQUENCE { certs SEQUENCE OF ESSCertID, policies SEQUENCE OF PolicyInformation OPTIONAL }
// SigningCertificateV2 ::= SEQUENCE { certs SEQUENCE OF ESSCertIDv2, policies ... OPTIONAL }  (one record)
constexpr st::Field kSigningCertFields[] = {
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_ESSCERTID, KORVU_ESS_SIGNINGCERTIFICATE, certs),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_POLICYINFORMATION, KORVU_ESS_SIGNINGCERTIFICATE, policies).optional()};
constexpr st::StructDef kSigningCert =
    st::sequence(KORVU_TYPE_SIGNINGCERTIFICATE, kSigningCertFields, sizeof(KORVU_ESS_SIGNINGCERTIFICATE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNINGCERTIFICATE, kSigningCert);
constexpr st::Field kSigningCertV2Fields[] = {
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_ESSCERTIDV2, KORVU_ESS_SIGNINGCERTIFICATE, certs),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_POLICYINFORMATION, KORVU_ESS_SIGNINGCERTIFICATE, policies).optional()};
constexpr st::StructDef kSigningCertV2 =
    st::sequence(KORVU_TYPE_SIGNINGCERTIFICATEV2, kSigningCertV2Fields, sizeof(KORVU_ESS_SIGNINGCERTIFICATE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNINGCERTIFICATEV2, kSigningCertV2);
KORVU_API KORVU_ESS_SIGNINGCERTIFICATE *korvu_ess_signingcertificate_new(const KORVU_ASN1_LIST *certs,
                                                                         const KORVU_ASN1_LIST *policies) {
  return static_cast<KORVU_ESS_SIGNINGCERTIFICATE *>(st::make<kSigningCert>(certs, policies));
}
KORVU_API KORVU_ESS_SIGNINGCERTIFICATE *korvu_ess_signingcertificatev2_new(const KORVU_ASN1_LIST *certs,
                                                                           const KORVU_ASN1_LIST *policies) {
  return static_cast<KORVU_ESS_SIGNINGCERTIFICATE *>(st::make<kSigningCertV2>(certs, policies));
}
KORVU_GET(korvu_ess_signingcertificate_getcerts, kSigningCert, certs);
KORVU_GET(korvu_ess_signingcertificate_getpolicies, kSigningCert, policies);
