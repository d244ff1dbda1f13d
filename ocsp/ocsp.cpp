// OCSP (RFC 6960 4.1, 4.2, 4.4; module OCSP-2013-88, EXPLICIT TAGS): CertID, Request, RequestList, TBSRequest,
// Signature, OCSPRequest, ResponseBytes, OCSPResponse, ResponderID, RevokedInfo, CertStatus, SingleResponse,
// Responses, ResponseData and BasicOCSPResponse; the extension values CrlID (4.4.2), ServiceLocator (4.4.6) and
// PreferredSignatureAlgorithm(s) (4.4.7.1).
// Optional components are absent as null pointers; the record layouts are in korvu/ocsp.h.
#define KORVU_SRC "KORVU_ASN1_OCSP"
#include "korvu/ocsp.h"

#include "../x509/cert_internal.h"

using namespace korvu;
using st::alternative;
using st::field;

namespace {
// Version ::= INTEGER { v1(0) }, the DEFAULT of TBSRequest and ResponseData.
constexpr unsigned char kVersion1[] = {0x02, 0x01, 0x00};
}  // namespace

// CertID ::= SEQUENCE { hashAlgorithm AlgorithmIdentifier, issuerNameHash OCTET STRING,
//   issuerKeyHash OCTET STRING, serialNumber CertificateSerialNumber }
constexpr st::Field kCertIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_OCSP_CERTID, hashAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_OCSP_CERTID, issuerNameHash),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_OCSP_CERTID, issuerKeyHash),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_OCSP_CERTID, serialNumber)};
constexpr st::StructDef kCertId = st::sequence(KORVU_TYPE_CERTID, kCertIdFields, sizeof(KORVU_OCSP_CERTID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTID, kCertId);
KORVU_API KORVU_OCSP_CERTID *korvu_ocsp_certid_new(const KORVU_X509_ALGID *hash_algorithm,
                                                  const KORVU_ASN1_OCTETSTRING *issuer_name_hash,
                                                  const KORVU_ASN1_OCTETSTRING *issuer_key_hash,
                                                  const KORVU_ASN1_INTEGER *serial_number) {
  return static_cast<KORVU_OCSP_CERTID *>(
      st::make<kCertId>(hash_algorithm, issuer_name_hash, issuer_key_hash, serial_number));
}
KORVU_GET(korvu_ocsp_certid_gethashalgo, kCertId, hashAlgorithm);
KORVU_GET(korvu_ocsp_certid_getissuernamehash, kCertId, issuerNameHash);
KORVU_GET(korvu_ocsp_certid_getissuerkeyhash, kCertId, issuerKeyHash);
KORVU_GET(korvu_ocsp_certid_getsn, kCertId, serialNumber);

// Request ::= SEQUENCE { reqCert CertID, singleRequestExtensions [0] EXPLICIT Extensions OPTIONAL }
// RequestList ::= SEQUENCE OF Request
constexpr st::Field kRequestFields[] = {
    KORVU_FIELD(KORVU_TYPE_CERTID, KORVU_OCSP_REQUEST, reqCert),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_OCSP_REQUEST, singleRequestExtensions).explicit_(0).optional()};
constexpr st::StructDef kRequest = st::sequence(KORVU_TYPE_REQUEST, kRequestFields, sizeof(KORVU_OCSP_REQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_REQUEST, kRequest);
KORVU_REGISTER_TYPE(KORVU_TYPE_REQUESTLIST) = list::TypedList<KORVU_TYPE_REQUESTLIST, KORVU_TYPE_REQUEST>::ops;
KORVU_API KORVU_OCSP_REQUEST *korvu_ocsp_request_new(const KORVU_OCSP_CERTID *req_cert,
                                                    const KORVU_ASN1_LIST *single_request_extensions) {
  return static_cast<KORVU_OCSP_REQUEST *>(st::make<kRequest>(req_cert, single_request_extensions));
}
KORVU_GET(korvu_ocsp_request_getcertid, kRequest, reqCert);
KORVU_GET(korvu_ocsp_request_getexts, kRequest, singleRequestExtensions);

// TBSRequest ::= SEQUENCE { version [0] EXPLICIT Version DEFAULT v1, requestorName [1] EXPLICIT GeneralName
//   OPTIONAL, requestList SEQUENCE OF Request, requestExtensions [2] EXPLICIT Extensions OPTIONAL }
constexpr st::Field kTbsRequestFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_OCSP_TBSREQUEST, version).explicit_(0)
        .defaults(kVersion1, st::DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_OCSP_TBSREQUEST, requestorName).explicit_(1).optional(),
    KORVU_FIELD(KORVU_TYPE_REQUESTLIST, KORVU_OCSP_TBSREQUEST, requestList),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_OCSP_TBSREQUEST, requestExtensions).explicit_(2).optional()};
constexpr st::StructDef kTbsRequest =
    st::sequence(KORVU_TYPE_TBSREQUEST, kTbsRequestFields, sizeof(KORVU_OCSP_TBSREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TBSREQUEST, kTbsRequest);
KORVU_API KORVU_OCSP_TBSREQUEST *korvu_ocsp_tbsrequest_new(const KORVU_ASN1_INTEGER *version,
                                                          const KORVU_X509_GENERALNAME *requestor_name,
                                                          const KORVU_ASN1_LIST *request_list,
                                                          const KORVU_ASN1_LIST *request_extensions) {
  return static_cast<KORVU_OCSP_TBSREQUEST *>(
      st::make<kTbsRequest>(version, requestor_name, request_list, request_extensions));
}
KORVU_GET(korvu_ocsp_tbsrequest_getversion, kTbsRequest, version);
KORVU_GET(korvu_ocsp_tbsrequest_getname, kTbsRequest, requestorName);
KORVU_GET(korvu_ocsp_tbsrequest_getreqlist, kTbsRequest, requestList);
KORVU_GET(korvu_ocsp_tbsrequest_getexts, kTbsRequest, requestExtensions);

// Signature ::= SEQUENCE { signatureAlgorithm AlgorithmIdentifier, signature BIT STRING,
//   certs [0] EXPLICIT SEQUENCE OF Certificate OPTIONAL }
constexpr st::Field kSignatureFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_OCSP_SIGNATURE, signatureAlgorithm),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_OCSP_SIGNATURE, signature),
    KORVU_FIELD(KORVU_TYPE_CERTIFICATE, KORVU_OCSP_SIGNATURE, certs).sequence_of().explicit_(0).optional()
        .reports(kErrEncodeOcspSignatureCerts)};
constexpr st::StructDef kSignature =
    st::sequence(KORVU_TYPE_SIGNATURE, kSignatureFields, sizeof(KORVU_OCSP_SIGNATURE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNATURE, kSignature);
KORVU_API KORVU_OCSP_SIGNATURE *korvu_ocsp_signature_new(const KORVU_X509_ALGID *signature_algorithm,
                                                        const KORVU_ASN1_BITSTRING *signature,
                                                        const KORVU_ASN1_LIST *certs) {
  return static_cast<KORVU_OCSP_SIGNATURE *>(st::make<kSignature>(signature_algorithm, signature, certs));
}
KORVU_GET(korvu_ocsp_signature_getsignalgo, kSignature, signatureAlgorithm);
KORVU_GET(korvu_ocsp_signature_getsignature, kSignature, signature);
KORVU_GET(korvu_ocsp_signature_getcerts, kSignature, certs);

// OCSPRequest ::= SEQUENCE { tbsRequest TBSRequest, optionalSignature [0] EXPLICIT Signature OPTIONAL }
// keeping the octets of its TBSRequest as received (or as first written), so that a decoded request is written
// back with its signed octets unchanged.
constexpr st::Field kOcspRequestFields[] = {
    KORVU_FIELD(KORVU_TYPE_TBSREQUEST, KORVU_OCSP_OCSPREQUEST, tbsRequest)
        .keeps(offsetof(KORVU_OCSP_OCSPREQUEST, tbsEncoded)),
    KORVU_FIELD(KORVU_TYPE_SIGNATURE, KORVU_OCSP_OCSPREQUEST, optionalSignature).explicit_(0).optional()};
constexpr st::StructDef kOcspRequest =
    st::sequence(KORVU_TYPE_OCSPREQUEST, kOcspRequestFields, sizeof(KORVU_OCSP_OCSPREQUEST));
static_assert(offsetof(KORVU_OCSP_OCSPREQUEST, hasTbsEncoded) - offsetof(KORVU_OCSP_OCSPREQUEST, tbsEncoded) ==
              offsetof(st::Kept, has));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OCSPREQUEST, kOcspRequest);
KORVU_API KORVU_OCSP_OCSPREQUEST *korvu_ocsp_ocsprequest_new(const KORVU_OCSP_TBSREQUEST *tbs_request,
                                                            const KORVU_OCSP_SIGNATURE *optional_signature) {
  return static_cast<KORVU_OCSP_OCSPREQUEST *>(st::make<kOcspRequest>(tbs_request, optional_signature));
}
KORVU_GET(korvu_ocsp_ocsprequest_gettbs, kOcspRequest, tbsRequest);
KORVU_GET(korvu_ocsp_ocsprequest_getsignature, kOcspRequest, optionalSignature);

// ResponseBytes ::= SEQUENCE { responseType OBJECT IDENTIFIER, response OCTET STRING }
constexpr st::Field kResponseBytesFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_OCSP_RESPONSEBYTES, responseType),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_OCSP_RESPONSEBYTES, response)};
constexpr st::StructDef kResponseBytes =
    st::sequence(KORVU_TYPE_RESPONSEBYTES, kResponseBytesFields, sizeof(KORVU_OCSP_RESPONSEBYTES));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RESPONSEBYTES, kResponseBytes);
KORVU_API KORVU_OCSP_RESPONSEBYTES *korvu_ocsp_responsebytes_new(const KORVU_ASN1_OID *response_type,
                                                                const KORVU_ASN1_OCTETSTRING *response) {
  return static_cast<KORVU_OCSP_RESPONSEBYTES *>(st::make<kResponseBytes>(response_type, response));
}
KORVU_GET(korvu_ocsp_responsebytes_gettype, kResponseBytes, responseType);
KORVU_GET(korvu_ocsp_responsebytes_getresponse, kResponseBytes, response);

// OCSPResponse ::= SEQUENCE { responseStatus OCSPResponseStatus, responseBytes [0] EXPLICIT ResponseBytes OPTIONAL }
// OCSPResponseStatus ::= ENUMERATED { successful (0), malformedRequest (1), internalError (2), tryLater (3),
//   sigRequired (5), unauthorized (6) }. Neither the status value nor its agreement with the presence of
// responseBytes is checked.
constexpr st::Field kOcspResponseFields[] = {
    KORVU_FIELD(KORVU_TYPE_ENUMERATED, KORVU_OCSP_OCSPRESPONSE, responseStatus),
    KORVU_FIELD(KORVU_TYPE_RESPONSEBYTES, KORVU_OCSP_OCSPRESPONSE, responseBytes).explicit_(0).optional()};
constexpr st::StructDef kOcspResponse =
    st::sequence(KORVU_TYPE_OCSPRESPONSE, kOcspResponseFields, sizeof(KORVU_OCSP_OCSPRESPONSE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OCSPRESPONSE, kOcspResponse);
KORVU_API KORVU_OCSP_OCSPRESPONSE *korvu_ocsp_ocspresponse_new(const KORVU_ASN1_INTEGER *response_status,
                                                              const KORVU_OCSP_RESPONSEBYTES *response_bytes) {
  return static_cast<KORVU_OCSP_OCSPRESPONSE *>(st::make<kOcspResponse>(response_status, response_bytes));
}
KORVU_GET(korvu_ocsp_ocspresponse_getstatus, kOcspResponse, responseStatus);
KORVU_GET(korvu_ocsp_ocspresponse_getresponse, kOcspResponse, responseBytes);

// ResponderID ::= CHOICE { byName [1] Name, byKey [2] KeyHash }  (choice numbers 1 and 2)
// KeyHash ::= OCTET STRING
constexpr st::Field kResponderIdAlts[] = {alternative(1, KORVU_TYPE_NAME).explicit_(1),
                                          alternative(2, KORVU_TYPE_OCTET_STRING).explicit_(2)};
constexpr st::StructDef kResponderId = st::choice(KORVU_TYPE_RESPONDERID, kResponderIdAlts);
static_assert(offsetof(KORVU_OCSP_RESPONDERID, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RESPONDERID, kResponderId);
KORVU_NEW_CHOICE(korvu_ocsp_responderid_newname, kResponderId, 1);
KORVU_NEW_CHOICE(korvu_ocsp_responderid_newkeyhash, kResponderId, 2);
KORVU_API uint32_t korvu_ocsp_responderid_gettype(const KORVU_OCSP_RESPONDERID *id) { return st::choice_of(id); }
KORVU_GET_CHOICE(korvu_ocsp_responderid_getname, 1);
KORVU_GET_CHOICE(korvu_ocsp_responderid_getkeyhash, 2);

// RevokedInfo ::= SEQUENCE { revocationTime GeneralizedTime, revocationReason [0] EXPLICIT CRLReason OPTIONAL }
constexpr st::Field kRevokedInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_OCSP_REVOKEDINFO, revocationTime),
    KORVU_FIELD(KORVU_TYPE_ENUMERATED, KORVU_OCSP_REVOKEDINFO, revocationReason).explicit_(0).optional()};
constexpr st::StructDef kRevokedInfo =
    st::sequence(KORVU_TYPE_REVOKEDINFO, kRevokedInfoFields, sizeof(KORVU_OCSP_REVOKEDINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_REVOKEDINFO, kRevokedInfo);
KORVU_API KORVU_OCSP_REVOKEDINFO *korvu_ocsp_revokedinfo_new(const KORVU_ASN1_TIME *revocation_time,
                                                            const KORVU_ASN1_INTEGER *revocation_reason) {
  return static_cast<KORVU_OCSP_REVOKEDINFO *>(st::make<kRevokedInfo>(revocation_time, revocation_reason));
}
KORVU_GET(korvu_ocsp_revokedinfo_gettime, kRevokedInfo, revocationTime);
KORVU_GET(korvu_ocsp_revokedinfo_getreason, kRevokedInfo, revocationReason);

// CertStatus ::= CHOICE { good [0] IMPLICIT NULL, revoked [1] IMPLICIT RevokedInfo, unknown [2] IMPLICIT
//   UnknownInfo }, UnknownInfo ::= NULL  (choice numbers = tags). good and unknown are written 80 00 and 82 00.
constexpr st::Field kCertStatusAlts[] = {alternative(0, KORVU_TYPE_NULL).implicit(0),
                                         alternative(1, KORVU_TYPE_REVOKEDINFO).implicit(1),
                                         alternative(2, KORVU_TYPE_NULL).implicit(2)};
constexpr st::StructDef kCertStatus = st::choice(KORVU_TYPE_CERTSTATUS, kCertStatusAlts);
static_assert(offsetof(KORVU_OCSP_CERTSTATUS, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTSTATUS, kCertStatus);
namespace {
// Any pointer stands for a NULL value; the copy made of it is the shared marker.
constexpr uint32_t kNullValue = 0;
}  // namespace
KORVU_API KORVU_OCSP_CERTSTATUS *korvu_ocsp_certstatus_newgood(void) {
  return static_cast<KORVU_OCSP_CERTSTATUS *>(st::new_choice(kCertStatus, 0, &kNullValue));
}
KORVU_NEW_CHOICE(korvu_ocsp_certstatus_newrevoked, kCertStatus, 1);
KORVU_API KORVU_OCSP_CERTSTATUS *korvu_ocsp_certstatus_newunknown(void) {
  return static_cast<KORVU_OCSP_CERTSTATUS *>(st::new_choice(kCertStatus, 2, &kNullValue));
}
KORVU_API uint32_t korvu_ocsp_certstatus_gettype(const KORVU_OCSP_CERTSTATUS *status) {
  return st::choice_of(status);
}
KORVU_GET_CHOICE(korvu_ocsp_certstatus_getrevoked, 1);

// SingleResponse ::= SEQUENCE { certID CertID, certStatus CertStatus, thisUpdate GeneralizedTime,
//   nextUpdate [0] EXPLICIT GeneralizedTime OPTIONAL, singleExtensions [1] EXPLICIT Extensions OPTIONAL }
// Responses ::= SEQUENCE OF SingleResponse
constexpr st::Field kSingleResponseFields[] = {
    KORVU_FIELD(KORVU_TYPE_CERTID, KORVU_OCSP_SINGLERESPONSE, certID),
    KORVU_FIELD(KORVU_TYPE_CERTSTATUS, KORVU_OCSP_SINGLERESPONSE, certStatus),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_OCSP_SINGLERESPONSE, thisUpdate),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_OCSP_SINGLERESPONSE, nextUpdate).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_OCSP_SINGLERESPONSE, singleExtensions).explicit_(1).optional()};
constexpr st::StructDef kSingleResponse =
    st::sequence(KORVU_TYPE_SINGLERESPONSE, kSingleResponseFields, sizeof(KORVU_OCSP_SINGLERESPONSE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SINGLERESPONSE, kSingleResponse);
KORVU_REGISTER_TYPE(KORVU_TYPE_RESPONSES) = list::TypedList<KORVU_TYPE_RESPONSES, KORVU_TYPE_SINGLERESPONSE>::ops;
KORVU_API KORVU_OCSP_SINGLERESPONSE *korvu_ocsp_singleresponse_new(const KORVU_OCSP_CERTID *cert_id,
                                                                  const KORVU_OCSP_CERTSTATUS *cert_status,
                                                                  const KORVU_ASN1_TIME *this_update,
                                                                  const KORVU_ASN1_TIME *next_update,
                                                                  const KORVU_ASN1_LIST *single_extensions) {
  return static_cast<KORVU_OCSP_SINGLERESPONSE *>(
      st::make<kSingleResponse>(cert_id, cert_status, this_update, next_update, single_extensions));
}
KORVU_GET(korvu_ocsp_singleresponse_getcertid, kSingleResponse, certID);
KORVU_GET(korvu_ocsp_singleresponse_getcertstatus, kSingleResponse, certStatus);
KORVU_GET(korvu_ocsp_singleresponse_getthisupdate, kSingleResponse, thisUpdate);
KORVU_GET(korvu_ocsp_singleresponse_getnextupdate, kSingleResponse, nextUpdate);
KORVU_GET(korvu_ocsp_singleresponse_getexts, kSingleResponse, singleExtensions);

// ResponseData ::= SEQUENCE { version [0] EXPLICIT Version DEFAULT v1, responderID ResponderID,
//   producedAt GeneralizedTime, responses SEQUENCE OF SingleResponse,
//   responseExtensions [1] EXPLICIT Extensions OPTIONAL }
constexpr st::Field kResponseDataFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_OCSP_RESPONSEDATA, version).explicit_(0)
        .defaults(kVersion1, st::DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_RESPONDERID, KORVU_OCSP_RESPONSEDATA, responderID),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_OCSP_RESPONSEDATA, producedAt),
    KORVU_FIELD(KORVU_TYPE_RESPONSES, KORVU_OCSP_RESPONSEDATA, responses),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_OCSP_RESPONSEDATA, responseExtensions).explicit_(1).optional()};
constexpr st::StructDef kResponseData =
    st::sequence(KORVU_TYPE_RESPONSEDATA, kResponseDataFields, sizeof(KORVU_OCSP_RESPONSEDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RESPONSEDATA, kResponseData);
KORVU_API KORVU_OCSP_RESPONSEDATA *korvu_ocsp_responsedata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_OCSP_RESPONDERID *responder_id,
                                                              const KORVU_ASN1_TIME *produced_at,
                                                              const KORVU_ASN1_LIST *responses,
                                                              const KORVU_ASN1_LIST *response_extensions) {
  return static_cast<KORVU_OCSP_RESPONSEDATA *>(
      st::make<kResponseData>(version, responder_id, produced_at, responses, response_extensions));
}
KORVU_GET(korvu_ocsp_responsedata_getversion, kResponseData, version);
KORVU_GET(korvu_ocsp_responsedata_getrespid, kResponseData, responderID);
KORVU_GET(korvu_ocsp_responsedata_getproducedat, kResponseData, producedAt);
KORVU_GET(korvu_ocsp_responsedata_getresponses, kResponseData, responses);
KORVU_GET(korvu_ocsp_responsedata_getexts, kResponseData, responseExtensions);

// BasicOCSPResponse ::= SEQUENCE { tbsResponseData ResponseData, signatureAlgorithm AlgorithmIdentifier,
//   signature BIT STRING, certs [0] EXPLICIT SEQUENCE OF Certificate OPTIONAL }
// keeping the octets of its ResponseData as received (or as first written): the octets the responder signed.
constexpr st::Field kBasicFields[] = {
    KORVU_FIELD(KORVU_TYPE_RESPONSEDATA, KORVU_OCSP_BASICRESPONSE, tbsResponseData)
        .keeps(offsetof(KORVU_OCSP_BASICRESPONSE, tbsEncoded)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_OCSP_BASICRESPONSE, signatureAlgorithm),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_OCSP_BASICRESPONSE, signature),
    KORVU_FIELD(KORVU_TYPE_CERTIFICATE, KORVU_OCSP_BASICRESPONSE, certs).sequence_of().explicit_(0).optional()};
constexpr st::StructDef kBasic =
    st::sequence(KORVU_TYPE_BASICOCSPRESPONSE, kBasicFields, sizeof(KORVU_OCSP_BASICRESPONSE));
static_assert(offsetof(KORVU_OCSP_BASICRESPONSE, hasTbsEncoded) - offsetof(KORVU_OCSP_BASICRESPONSE, tbsEncoded) ==
              offsetof(st::Kept, has));
static_assert(st::index_at(kBasic, offsetof(KORVU_OCSP_BASICRESPONSE, tbsResponseData)) == 0);
KORVU_REGISTER_STRUCT(KORVU_TYPE_BASICOCSPRESPONSE, kBasic);
KORVU_API KORVU_OCSP_BASICRESPONSE *korvu_ocsp_basicocspresponse_new(const KORVU_OCSP_RESPONSEDATA *tbs_response_data,
                                                                    const KORVU_X509_ALGID *signature_algorithm,
                                                                    const KORVU_ASN1_BITSTRING *signature,
                                                                    const KORVU_ASN1_LIST *certs) {
  return static_cast<KORVU_OCSP_BASICRESPONSE *>(
      st::make<kBasic>(tbs_response_data, signature_algorithm, signature, certs));
}
KORVU_GET(korvu_ocsp_basicocspresponse_gettbs, kBasic, tbsResponseData);
KORVU_GET(korvu_ocsp_basicocspresponse_getsignalgo, kBasic, signatureAlgorithm);
KORVU_GET(korvu_ocsp_basicocspresponse_getsignature, kBasic, signature);
KORVU_GET(korvu_ocsp_basicocspresponse_getcerts, kBasic, certs);
// The count is signed: a negative one is smaller than any encoding, and nothing is copied past the buffer.
KORVU_API int korvu_ocsp_basicocspresponse_gettbsocts(KORVU_OCSP_BASICRESPONSE *br, unsigned char *buffer,
                                                     int32_t *count) {
  if (br == nullptr || count == nullptr) return 0;
  uint32_t size = 0;
  if (x509::signed_tbs_octets(kBasic, br, nullptr, &size, nullptr) != 1 || size > 0x7FFFFFFFu) return 0;
  if (buffer == nullptr || *count < 0 || static_cast<uint32_t>(*count) < size) {
    *count = static_cast<int32_t>(size);
    return buffer == nullptr ? 1 : 0;
  }
  int r = x509::signed_tbs_octets(kBasic, br, buffer, &size, nullptr);
  if (r == 1) *count = static_cast<int32_t>(size);
  return r;
}

// CrlID ::= SEQUENCE { crlUrl [0] EXPLICIT IA5String OPTIONAL, crlNum [1] EXPLICIT INTEGER OPTIONAL,
//   crlTime [2] EXPLICIT GeneralizedTime OPTIONAL }
constexpr st::Field kCrlIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_OCSP_CRLID, crlUrl).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_OCSP_CRLID, crlNum).explicit_(1).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_OCSP_CRLID, crlTime).explicit_(2).optional()};
constexpr st::StructDef kCrlId = st::sequence(KORVU_TYPE_CRLID, kCrlIdFields, sizeof(KORVU_OCSP_CRLID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CRLID, kCrlId);
KORVU_API KORVU_OCSP_CRLID *korvu_ocsp_crlid_new(const KORVU_ASN1_STRING *crl_url, const KORVU_ASN1_INTEGER *crl_num,
                                                const KORVU_ASN1_TIME *crl_time) {
  return static_cast<KORVU_OCSP_CRLID *>(st::make<kCrlId>(crl_url, crl_num, crl_time));
}
KORVU_GET(korvu_ocsp_crlid_geturl, kCrlId, crlUrl);
KORVU_GET(korvu_ocsp_crlid_getnum, kCrlId, crlNum);
KORVU_GET(korvu_ocsp_crlid_gettime, kCrlId, crlTime);

// ServiceLocator ::= SEQUENCE { issuer Name, locator AuthorityInfoAccessSyntax }
constexpr st::Field kServiceLocatorFields[] = {
    KORVU_FIELD(KORVU_TYPE_NAME, KORVU_OCSP_SERVICELOCATOR, issuer),
    KORVU_FIELD(KORVU_TYPE_AUTHORITYINFOACCESS, KORVU_OCSP_SERVICELOCATOR, locator)};
constexpr st::StructDef kServiceLocator =
    st::sequence(KORVU_TYPE_SERVICELOCATOR, kServiceLocatorFields, sizeof(KORVU_OCSP_SERVICELOCATOR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SERVICELOCATOR, kServiceLocator);

// PreferredSignatureAlgorithm ::= SEQUENCE { sigIdentifier AlgorithmIdentifier,
//   pubKeyAlgIdentifier SMIMECapability OPTIONAL }  (an SMIMECapability has an AlgorithmIdentifier's shape)
// PreferredSignatureAlgorithms ::= SEQUENCE OF PreferredSignatureAlgorithm
constexpr st::Field kPrefSigAlgoFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_OCSP_PREFSIGALGO, sigIdentifier),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_OCSP_PREFSIGALGO, pubKeyAlgIdentifier).optional()};
constexpr st::StructDef kPrefSigAlgo =
    st::sequence(KORVU_TYPE_PREFERREDSIGNATUREALGORITHM, kPrefSigAlgoFields, sizeof(KORVU_OCSP_PREFSIGALGO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PREFERREDSIGNATUREALGORITHM, kPrefSigAlgo);
KORVU_REGISTER_TYPE(KORVU_TYPE_PREFERREDSIGNATUREALGORITHMS) =
    list::TypedList<KORVU_TYPE_PREFERREDSIGNATUREALGORITHMS, KORVU_TYPE_PREFERREDSIGNATUREALGORITHM>::ops;
KORVU_API KORVU_OCSP_PREFSIGALGO *korvu_ocsp_preferredsignalgo_new(const KORVU_X509_ALGID *sig_identifier,
                                                                  const KORVU_X509_ALGID *pub_key_alg_identifier) {
  return static_cast<KORVU_OCSP_PREFSIGALGO *>(st::make<kPrefSigAlgo>(sig_identifier, pub_key_alg_identifier));
}
KORVU_GET(korvu_ocsp_preferredsignalgo_getsignalgo, kPrefSigAlgo, sigIdentifier);
KORVU_GET(korvu_ocsp_preferredsignalgo_getpubkeyalgo, kPrefSigAlgo, pubKeyAlgIdentifier);
