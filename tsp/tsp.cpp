// The Time-Stamp Protocol (RFC 3161 2.4, module PKIXTSP, IMPLICIT TAGS): MessageImprint, TimeStampReq,
// PKIFreeText, PKIStatusInfo, TimeStampResp, Accuracy and TSTInfo. The token of a response is a ContentInfo
// (RFC 5652) held by its type number; its SignedData carries the DER of a TSTInfo.
// Optional components are absent as null pointers; the record layouts are in korvu/tsp.h.
#define KORVU_SRC "KORVU_ASN1_TSP"
#include "korvu/tsp.h"

#include "../x509/cert_internal.h"

using namespace korvu;
using st::field;

namespace {
constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};
}  // namespace

// MessageImprint ::= SEQUENCE { hashAlgorithm AlgorithmIdentifier, hashedMessage OCTET STRING }
constexpr st::Field kImprintFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_TSP_MESSAGEIMPRINT, hashAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_TSP_MESSAGEIMPRINT, hashedMessage)};
constexpr st::StructDef kImprint =
    st::sequence(KORVU_TYPE_MESSAGEIMPRINT, kImprintFields, sizeof(KORVU_TSP_MESSAGEIMPRINT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_MESSAGEIMPRINT, kImprint);

// TimeStampReq ::= SEQUENCE { version INTEGER { v1(1) }, messageImprint MessageImprint,
//   reqPolicy TSAPolicyId OPTIONAL, nonce INTEGER OPTIONAL, certReq BOOLEAN DEFAULT FALSE,
//   extensions [0] IMPLICIT Extensions OPTIONAL }
// The version is written as it is and not examined.
constexpr st::Field kRequestFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_TSP_TIMESTAMPREQ, version),
    KORVU_FIELD(KORVU_TYPE_MESSAGEIMPRINT, KORVU_TSP_TIMESTAMPREQ, messageImprint),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_TSP_TIMESTAMPREQ, reqPolicy).optional(),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_TSP_TIMESTAMPREQ, nonce).optional(),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_TSP_TIMESTAMPREQ, certReq).defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_TSP_TIMESTAMPREQ, extensions).implicit(0).optional()};
constexpr st::StructDef kRequest =
    st::sequence(KORVU_TYPE_TIMESTAMPREQ, kRequestFields, sizeof(KORVU_TSP_TIMESTAMPREQ));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TIMESTAMPREQ, kRequest);
KORVU_API KORVU_TSP_TIMESTAMPREQ *korvu_tsp_timestampreq_new(const KORVU_ASN1_INTEGER *version,
                                                            const KORVU_TSP_MESSAGEIMPRINT *message_imprint,
                                                            const KORVU_ASN1_OID *req_policy,
                                                            const KORVU_ASN1_INTEGER *nonce,
                                                            const KORVU_ASN1_BOOLEAN *cert_req,
                                                            const KORVU_ASN1_LIST *extensions) {
  return static_cast<KORVU_TSP_TIMESTAMPREQ *>(
      st::make<kRequest>(version, message_imprint, req_policy, nonce, cert_req, extensions));
}
KORVU_GET(korvu_tsp_timestampreq_getversion, kRequest, version);
KORVU_GET(korvu_tsp_timestampreq_getmessageimprint, kRequest, messageImprint);
KORVU_GET(korvu_tsp_timestampreq_getpolicy, kRequest, reqPolicy);
KORVU_GET(korvu_tsp_timestampreq_getnonce, kRequest, nonce);
KORVU_GET(korvu_tsp_timestampreq_getcertreq, kRequest, certReq);
KORVU_GET(korvu_tsp_timestampreq_getexts, kRequest, extensions);

// PKIFreeText ::= SEQUENCE SIZE (1..MAX) OF UTF8String (RFC 4210), the size checked on decoding only.
// PKIStatusInfo ::= SEQUENCE { status PKIStatus, statusString PKIFreeText OPTIONAL,
//   failInfo PKIFailureInfo OPTIONAL }
// PKIStatus ::= INTEGER, PKIFailureInfo ::= BIT STRING: neither value is examined.
KORVU_REGISTER_TYPE(KORVU_TYPE_PKIFREETEXT) =
    list::kNonEmpty<KORVU_TYPE_PKIFREETEXT, KORVU_TYPE_UTF8STRING>;
constexpr st::Field kStatusFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_TSP_PKISTATUSINFO, status),
    KORVU_FIELD(KORVU_TYPE_PKIFREETEXT, KORVU_TSP_PKISTATUSINFO, statusString).optional(),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_TSP_PKISTATUSINFO, failInfo).optional()};
constexpr st::StructDef kStatus =
    st::sequence(KORVU_TYPE_PKISTATUSINFO, kStatusFields, sizeof(KORVU_TSP_PKISTATUSINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PKISTATUSINFO, kStatus);
KORVU_API KORVU_TSP_PKISTATUSINFO *korvu_tsp_pkistatusinfo_new(const KORVU_ASN1_INTEGER *status,
                                                              const KORVU_ASN1_LIST *status_string,
                                                              const KORVU_ASN1_BITSTRING *fail_info) {
  return static_cast<KORVU_TSP_PKISTATUSINFO *>(st::make<kStatus>(status, status_string, fail_info));
}
KORVU_GET(korvu_tsp_pkistatusinfo_getstatus, kStatus, status);
KORVU_GET(korvu_tsp_pkistatusinfo_getstatusstring, kStatus, statusString);
KORVU_GET(korvu_tsp_pkistatusinfo_getfailinfo, kStatus, failInfo);

// TimeStampResp ::= SEQUENCE { status PKIStatusInfo, timeStampToken TimeStampToken OPTIONAL }
// TimeStampToken ::= ContentInfo
constexpr st::Field kResponseFields[] = {
    KORVU_FIELD(KORVU_TYPE_PKISTATUSINFO, KORVU_TSP_TIMESTAMPRESP, status),
    KORVU_FIELD_OPEN(KORVU_TYPE_CONTENTINFO, KORVU_TSP_TIMESTAMPRESP, timeStampToken).optional()};
constexpr st::StructDef kResponse =
    st::sequence(KORVU_TYPE_TIMESTAMPRESP, kResponseFields, sizeof(KORVU_TSP_TIMESTAMPRESP));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TIMESTAMPRESP, kResponse);
KORVU_API KORVU_TSP_TIMESTAMPRESP *korvu_tsp_timestampresp_new(const KORVU_TSP_PKISTATUSINFO *status,
                                                              const void *time_stamp_token) {
  return static_cast<KORVU_TSP_TIMESTAMPRESP *>(st::make<kResponse>(status, time_stamp_token));
}
KORVU_GET(korvu_tsp_timestampresp_getstatus, kResponse, status);
KORVU_GET(korvu_tsp_timestampresp_gettoken, kResponse, timeStampToken);

// Accuracy ::= SEQUENCE { seconds INTEGER OPTIONAL, millis [0] INTEGER (1..999) OPTIONAL,
//   micros [1] INTEGER (1..999) OPTIONAL }  (the ranges are not checked)
constexpr st::Field kAccuracyFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_TSP_ACCURACY, seconds).optional(),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_TSP_ACCURACY, millis).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_TSP_ACCURACY, micros).implicit(1).optional()};
constexpr st::StructDef kAccuracy = st::sequence(KORVU_TYPE_ACCURACY, kAccuracyFields, sizeof(KORVU_TSP_ACCURACY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ACCURACY, kAccuracy);
KORVU_API KORVU_TSP_ACCURACY *korvu_tsp_accuracy_new(const KORVU_ASN1_INTEGER *seconds,
                                                    const KORVU_ASN1_INTEGER *millis,
                                                    const KORVU_ASN1_INTEGER *micros) {
  return static_cast<KORVU_TSP_ACCURACY *>(st::make<kAccuracy>(seconds, millis, micros));
}
KORVU_GET(korvu_tsp_accuracy_getseconds, kAccuracy, seconds);
KORVU_GET(korvu_tsp_accuracy_getmillis, kAccuracy, millis);
KORVU_GET(korvu_tsp_accuracy_getmicros, kAccuracy, micros);

// TSTInfo ::= SEQUENCE { version INTEGER { v1(1) }, policy TSAPolicyId, messageImprint MessageImprint,
//   serialNumber INTEGER, genTime GeneralizedTime, accuracy Accuracy OPTIONAL, ordering BOOLEAN DEFAULT FALSE,
//   nonce INTEGER OPTIONAL, tsa [0] GeneralName OPTIONAL, extensions [1] IMPLICIT Extensions OPTIONAL }
// tsa is EXPLICIT, GeneralName being a CHOICE (X.680 31.2.7); the version is not examined.
constexpr st::Field kTstInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_TSP_TSTINFO, version),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_TSP_TSTINFO, policy),
    KORVU_FIELD(KORVU_TYPE_MESSAGEIMPRINT, KORVU_TSP_TSTINFO, messageImprint),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_TSP_TSTINFO, serialNumber),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_TSP_TSTINFO, genTime),
    KORVU_FIELD(KORVU_TYPE_ACCURACY, KORVU_TSP_TSTINFO, accuracy).optional(),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_TSP_TSTINFO, ordering).defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_TSP_TSTINFO, nonce).optional(),
    KORVU_FIELD(KORVU_TYPE_GENERALNAME, KORVU_TSP_TSTINFO, tsa).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_TSP_TSTINFO, extensions).implicit(1).optional()};
constexpr st::StructDef kTstInfo = st::sequence(KORVU_TYPE_TSTINFO, kTstInfoFields, sizeof(KORVU_TSP_TSTINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TSTINFO, kTstInfo);
KORVU_API KORVU_TSP_TSTINFO *korvu_tsp_tstinfo_new(const KORVU_ASN1_INTEGER *version, const KORVU_ASN1_OID *policy,
                                                  const KORVU_TSP_MESSAGEIMPRINT *message_imprint,
                                                  const KORVU_ASN1_INTEGER *serial_number,
                                                  const KORVU_ASN1_TIME *gen_time, const KORVU_TSP_ACCURACY *accuracy,
                                                  const KORVU_ASN1_BOOLEAN *ordering, const KORVU_ASN1_INTEGER *nonce,
                                                  const KORVU_X509_GENERALNAME *tsa,
                                                  const KORVU_ASN1_LIST *extensions) {
  return static_cast<KORVU_TSP_TSTINFO *>(st::make<kTstInfo>(version, policy, message_imprint, serial_number,
                                                              gen_time, accuracy, ordering, nonce, tsa, extensions));
}
KORVU_GET(korvu_tsp_tstinfo_getversion, kTstInfo, version);
KORVU_GET(korvu_tsp_tstinfo_getpolicy, kTstInfo, policy);
KORVU_GET(korvu_tsp_tstinfo_getmessageimprint, kTstInfo, messageImprint);
KORVU_GET(korvu_tsp_tstinfo_getsn, kTstInfo, serialNumber);
KORVU_GET(korvu_tsp_tstinfo_getgentime, kTstInfo, genTime);
KORVU_GET(korvu_tsp_tstinfo_getaccuracy, kTstInfo, accuracy);
KORVU_GET(korvu_tsp_tstinfo_getordering, kTstInfo, ordering);
KORVU_GET(korvu_tsp_tstinfo_getnonce, kTstInfo, nonce);
KORVU_GET(korvu_tsp_tstinfo_gettsaname, kTstInfo, tsa);
KORVU_GET(korvu_tsp_tstinfo_getexts, kTstInfo, extensions);
