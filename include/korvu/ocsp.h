/** @file
 * KORVU ASN.1: OCSP messages (RFC 6960): requests, responses and the OCSP extension value types. Included by
 * korvu/asn1.h.
 *
 * An OPTIONAL component is a null pointer when absent; a CHOICE is { uint32_t choice; void *value; }. Lists are
 * KORVU_ASN1_LIST values of the element records named beside them. Every constructor copies its arguments and
 * returns null when a required one is null or a copy fails. An OCSPRequest and a BasicOCSPResponse keep the
 * octets of their signed part as read (or as first written) and write them again unchanged. */
#ifndef KORVU_OCSP_H
#define KORVU_OCSP_H
#include "korvu/asn1_base.h"
#include "korvu/x509_cert.h"
#ifdef __cplusplus
extern "C" {
#endif

struct korvu_x500_name_st;

/* ---- CertID (168) ------------------------------------------------------ */
/** The record of CertID (168). */
typedef struct korvu_ocsp_certid_st {
  KORVU_X509_ALGID *hashAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *issuerNameHash; /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *issuerKeyHash; /**< OCTET STRING (4) */
  KORVU_ASN1_INTEGER *serialNumber; /**< INTEGER (2) */
} KORVU_OCSP_CERTID;

/** A new CertID (168) of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_OCSP_CERTID *korvu_ocsp_certid_new(const KORVU_X509_ALGID *hash_algorithm,
                                                  const KORVU_ASN1_OCTETSTRING *issuer_name_hash,
                                                  const KORVU_ASN1_OCTETSTRING *issuer_key_hash,
                                                  const KORVU_ASN1_INTEGER *serial_number);
/** The record's `hashAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_ocsp_certid_gethashalgo(const KORVU_OCSP_CERTID *id);
/** The record's `issuerNameHash` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ocsp_certid_getissuernamehash(const KORVU_OCSP_CERTID *id);
/** The record's `issuerKeyHash` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ocsp_certid_getissuerkeyhash(const KORVU_OCSP_CERTID *id);
/** The record's `serialNumber` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ocsp_certid_getsn(const KORVU_OCSP_CERTID *id);

/* ---- Request (169), RequestList (170: of KORVU_OCSP_REQUEST) ------------ */
/** The record of Request (169). */
typedef struct korvu_ocsp_request_st {
  KORVU_OCSP_CERTID *reqCert;               /**< CertID (168) */
  KORVU_ASN1_LIST *singleRequestExtensions; /**< [0] Extensions, null when absent */
} KORVU_OCSP_REQUEST;

/** A new Request (169) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_OCSP_REQUEST *korvu_ocsp_request_new(const KORVU_OCSP_CERTID *req_cert,
                                                    const KORVU_ASN1_LIST *single_request_extensions);
/** The record's `reqCert` (not a copy), null for a null record. */
KORVU_API KORVU_OCSP_CERTID *korvu_ocsp_request_getcertid(const KORVU_OCSP_REQUEST *request);
/** The record's `singleRequestExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ocsp_request_getexts(const KORVU_OCSP_REQUEST *request);

/* ---- TBSRequest (171) -------------------------------------------------- */
/** The record of TBSRequest (171). */
typedef struct korvu_ocsp_tbsrequest_st {
  KORVU_ASN1_INTEGER *version;              /**< [0], always present; 0 when the encoding leaves it out */
  KORVU_X509_GENERALNAME *requestorName;    /**< [1], null when absent */
  KORVU_ASN1_LIST *requestList;             /**< RequestList */
  KORVU_ASN1_LIST *requestExtensions;       /**< [2] Extensions, null when absent */
} KORVU_OCSP_TBSREQUEST;

/** A new TBSRequest (171) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null version gives INTEGER 0. */
KORVU_API KORVU_OCSP_TBSREQUEST *korvu_ocsp_tbsrequest_new(const KORVU_ASN1_INTEGER *version,
                                                          const KORVU_X509_GENERALNAME *requestor_name,
                                                          const KORVU_ASN1_LIST *request_list,
                                                          const KORVU_ASN1_LIST *request_extensions);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ocsp_tbsrequest_getversion(const KORVU_OCSP_TBSREQUEST *tbs);
/** The record's `requestorName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_ocsp_tbsrequest_getname(const KORVU_OCSP_TBSREQUEST *tbs);
/** The record's `requestList` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ocsp_tbsrequest_getreqlist(const KORVU_OCSP_TBSREQUEST *tbs);
/** The record's `requestExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ocsp_tbsrequest_getexts(const KORVU_OCSP_TBSREQUEST *tbs);

/* ---- Signature (172) --------------------------------------------------- */
/** The record of Signature (172). */
typedef struct korvu_ocsp_signature_st {
  KORVU_X509_ALGID *signatureAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_BITSTRING *signature; /**< BIT STRING (3) */
  KORVU_ASN1_LIST *certs; /**< [0] SEQUENCE OF Certificate (KORVU_X509_CERT), null when absent */
} KORVU_OCSP_SIGNATURE;

/** A new Signature (172) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_OCSP_SIGNATURE *korvu_ocsp_signature_new(const KORVU_X509_ALGID *signature_algorithm,
                                                        const KORVU_ASN1_BITSTRING *signature,
                                                        const KORVU_ASN1_LIST *certs);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_ocsp_signature_getsignalgo(const KORVU_OCSP_SIGNATURE *sig);
/** The record's `signature` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ocsp_signature_getsignature(const KORVU_OCSP_SIGNATURE *sig);
/** The record's `certs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ocsp_signature_getcerts(const KORVU_OCSP_SIGNATURE *sig);

/* ---- OCSPRequest (173) ------------------------------------------------- */
/** The record of OCSPRequest (173). */
typedef struct korvu_ocsp_ocsprequest_st {
  KORVU_OCSP_TBSREQUEST *tbsRequest;       /**< TBSRequest (171) */
  KORVU_OCSP_SIGNATURE *optionalSignature; /**< [0], null when absent */
  unsigned char *tbsEncoded;               /**< the TBSRequest as read or first written */
  uint32_t tbsEncodedLength;               /**< length of `tbsEncoded` */
  uint32_t hasTbsEncoded;                  /**< 1 when `tbsEncoded` is present, else 0 */
} KORVU_OCSP_OCSPREQUEST;

/** A new OCSPRequest (173) of copies of the arguments, in component order; null when a required one is null or
 * building fails. No encoding is kept until the request is first written. */
KORVU_API KORVU_OCSP_OCSPREQUEST *korvu_ocsp_ocsprequest_new(const KORVU_OCSP_TBSREQUEST *tbs_request,
                                                            const KORVU_OCSP_SIGNATURE *optional_signature);
/** The record's `tbsRequest` (not a copy), null for a null record. */
KORVU_API KORVU_OCSP_TBSREQUEST *korvu_ocsp_ocsprequest_gettbs(const KORVU_OCSP_OCSPREQUEST *request);
/** The record's `optionalSignature` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_OCSP_SIGNATURE *korvu_ocsp_ocsprequest_getsignature(const KORVU_OCSP_OCSPREQUEST *request);

/* ---- ResponseBytes (174), OCSPResponse (175) ---------------------------- */
/** The record of ResponseBytes (174). */
typedef struct korvu_ocsp_responsebytes_st {
  KORVU_ASN1_OID *responseType;     /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_OCTETSTRING *response; /**< a BasicOCSPResponse (182) for id-pkix-ocsp-basic */
} KORVU_OCSP_RESPONSEBYTES;

/** responseStatus: ENUMERATED { successful (0), malformedRequest (1), internalError (2), tryLater (3),
 * sigRequired (5), unauthorized (6) }, not checked. */
typedef struct korvu_ocsp_ocspresponse_st {
  KORVU_ASN1_INTEGER *responseStatus;      /**< ENUMERATED (7) */
  KORVU_OCSP_RESPONSEBYTES *responseBytes; /**< [0], null when absent */
} KORVU_OCSP_OCSPRESPONSE;

/** A new ResponseBytes (174) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_OCSP_RESPONSEBYTES *korvu_ocsp_responsebytes_new(const KORVU_ASN1_OID *response_type,
                                                                const KORVU_ASN1_OCTETSTRING *response);
/** The record's `responseType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ocsp_responsebytes_gettype(const KORVU_OCSP_RESPONSEBYTES *rb);
/** The record's `response` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ocsp_responsebytes_getresponse(const KORVU_OCSP_RESPONSEBYTES *rb);
/** A new OCSPResponse (175) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_OCSP_OCSPRESPONSE *korvu_ocsp_ocspresponse_new(const KORVU_ASN1_INTEGER *response_status,
                                                              const KORVU_OCSP_RESPONSEBYTES *response_bytes);
/** The record's `responseStatus` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ocsp_ocspresponse_getstatus(const KORVU_OCSP_OCSPRESPONSE *response);
/** The record's `responseBytes` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_OCSP_RESPONSEBYTES *korvu_ocsp_ocspresponse_getresponse(const KORVU_OCSP_OCSPRESPONSE *response);

/* ---- ResponderID (176): choice 1 byName (Name), 2 byKey (OCTET STRING) --- */
/** The record of ResponderID (176): a CHOICE, `choice` is the number of the alternative held and `value` its
 * value. */
typedef struct korvu_ocsp_responderid_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_OCSP_RESPONDERID;

/** A new ResponderID (176) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_OCSP_RESPONDERID *korvu_ocsp_responderid_newname(const struct korvu_x500_name_st *name);
/** A new ResponderID (176) holding a copy of the argument as alternative 2; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_OCSP_RESPONDERID *korvu_ocsp_responderid_newkeyhash(const KORVU_ASN1_OCTETSTRING *key_hash);
/** The choice number, or 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_ocsp_responderid_gettype(const KORVU_OCSP_RESPONDERID *id);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_x500_name_st *korvu_ocsp_responderid_getname(const KORVU_OCSP_RESPONDERID *id);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ocsp_responderid_getkeyhash(const KORVU_OCSP_RESPONDERID *id);

/* ---- RevokedInfo (177) ------------------------------------------------- */
/** revocationReason: CRLReason ENUMERATED. */
typedef struct korvu_ocsp_revokedinfo_st {
  KORVU_ASN1_TIME *revocationTime;       /**< GeneralizedTime */
  KORVU_ASN1_INTEGER *revocationReason;  /**< [0], null when absent */
} KORVU_OCSP_REVOKEDINFO;

/** A new RevokedInfo (177) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_OCSP_REVOKEDINFO *korvu_ocsp_revokedinfo_new(const KORVU_ASN1_TIME *revocation_time,
                                                            const KORVU_ASN1_INTEGER *revocation_reason);
/** The record's `revocationTime` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_ocsp_revokedinfo_gettime(const KORVU_OCSP_REVOKEDINFO *info);
/** The record's `revocationReason` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ocsp_revokedinfo_getreason(const KORVU_OCSP_REVOKEDINFO *info);

/* ---- CertStatus (178): choice 0 good, 1 revoked (RevokedInfo), 2 unknown - */
/** good and unknown are NULL: their value is the shared NULL marker. */
typedef struct korvu_ocsp_certstatus_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_OCSP_CERTSTATUS;

/** A new CertStatus holding good (alternative 0, NULL); null without memory. */
KORVU_API KORVU_OCSP_CERTSTATUS *korvu_ocsp_certstatus_newgood(void);
/** A new CertStatus (178) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_OCSP_CERTSTATUS *korvu_ocsp_certstatus_newrevoked(const KORVU_OCSP_REVOKEDINFO *revoked);
/** A new CertStatus holding unknown (alternative 2, NULL); null without memory. */
KORVU_API KORVU_OCSP_CERTSTATUS *korvu_ocsp_certstatus_newunknown(void);
/** The choice number, or 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_ocsp_certstatus_gettype(const KORVU_OCSP_CERTSTATUS *status);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_OCSP_REVOKEDINFO *korvu_ocsp_certstatus_getrevoked(const KORVU_OCSP_CERTSTATUS *status);

/* ---- SingleResponse (179), Responses (180: of KORVU_OCSP_SINGLERESPONSE) -- */
/** The record of SingleResponse (179). */
typedef struct korvu_ocsp_singleresponse_st {
  KORVU_OCSP_CERTID *certID;               /**< CertID (168) */
  KORVU_OCSP_CERTSTATUS *certStatus;       /**< CertStatus (178) */
  KORVU_ASN1_TIME *thisUpdate;             /**< GeneralizedTime */
  KORVU_ASN1_TIME *nextUpdate;             /**< [0] GeneralizedTime, null when absent */
  KORVU_ASN1_LIST *singleExtensions;       /**< [1] Extensions, null when absent */
} KORVU_OCSP_SINGLERESPONSE;

/** A new SingleResponse (179) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_OCSP_SINGLERESPONSE *korvu_ocsp_singleresponse_new(const KORVU_OCSP_CERTID *cert_id,
                                                                  const KORVU_OCSP_CERTSTATUS *cert_status,
                                                                  const KORVU_ASN1_TIME *this_update,
                                                                  const KORVU_ASN1_TIME *next_update,
                                                                  const KORVU_ASN1_LIST *single_extensions);
/** The record's `certID` (not a copy), null for a null record. */
KORVU_API KORVU_OCSP_CERTID *korvu_ocsp_singleresponse_getcertid(const KORVU_OCSP_SINGLERESPONSE *sr);
/** The record's `certStatus` (not a copy), null for a null record. */
KORVU_API KORVU_OCSP_CERTSTATUS *korvu_ocsp_singleresponse_getcertstatus(const KORVU_OCSP_SINGLERESPONSE *sr);
/** The record's `thisUpdate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_ocsp_singleresponse_getthisupdate(const KORVU_OCSP_SINGLERESPONSE *sr);
/** The record's `nextUpdate` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_ocsp_singleresponse_getnextupdate(const KORVU_OCSP_SINGLERESPONSE *sr);
/** The record's `singleExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ocsp_singleresponse_getexts(const KORVU_OCSP_SINGLERESPONSE *sr);

/* ---- ResponseData (181) ------------------------------------------------ */
/** The record of ResponseData (181). */
typedef struct korvu_ocsp_responsedata_st {
  KORVU_ASN1_INTEGER *version;             /**< [0], always present; 0 when the encoding leaves it out */
  KORVU_OCSP_RESPONDERID *responderID;     /**< ResponderID (176) */
  KORVU_ASN1_TIME *producedAt;             /**< GeneralizedTime */
  KORVU_ASN1_LIST *responses;              /**< Responses */
  KORVU_ASN1_LIST *responseExtensions;     /**< [1] Extensions, null when absent */
} KORVU_OCSP_RESPONSEDATA;

/** A new ResponseData (181) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null version gives INTEGER 0. */
KORVU_API KORVU_OCSP_RESPONSEDATA *korvu_ocsp_responsedata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_OCSP_RESPONDERID *responder_id,
                                                              const KORVU_ASN1_TIME *produced_at,
                                                              const KORVU_ASN1_LIST *responses,
                                                              const KORVU_ASN1_LIST *response_extensions);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ocsp_responsedata_getversion(const KORVU_OCSP_RESPONSEDATA *rd);
/** The record's `responderID` (not a copy), null for a null record. */
KORVU_API KORVU_OCSP_RESPONDERID *korvu_ocsp_responsedata_getrespid(const KORVU_OCSP_RESPONSEDATA *rd);
/** The record's `producedAt` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_ocsp_responsedata_getproducedat(const KORVU_OCSP_RESPONSEDATA *rd);
/** The record's `responses` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ocsp_responsedata_getresponses(const KORVU_OCSP_RESPONSEDATA *rd);
/** The record's `responseExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ocsp_responsedata_getexts(const KORVU_OCSP_RESPONSEDATA *rd);

/* ---- BasicOCSPResponse (182) ------------------------------------------- */
/** The record of BasicOCSPResponse (182). */
typedef struct korvu_ocsp_basicresponse_st {
  KORVU_OCSP_RESPONSEDATA *tbsResponseData; /**< ResponseData (181) */
  KORVU_X509_ALGID *signatureAlgorithm;    /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_BITSTRING *signature;         /**< BIT STRING (3) */
  KORVU_ASN1_LIST *certs;                  /**< [0] SEQUENCE OF Certificate (KORVU_X509_CERT), null when absent */
  unsigned char *tbsEncoded;               /**< the ResponseData as read or first written */
  uint32_t tbsEncodedLength;               /**< length of `tbsEncoded` */
  uint32_t hasTbsEncoded;                  /**< 1 when `tbsEncoded` is present, else 0 */
} KORVU_OCSP_BASICRESPONSE;

/** A new BasicOCSPResponse (182) of copies of the arguments, in component order; null when a required one is null
 * or building fails. No encoding is kept until the response is first written (or its signed octets asked for). */
KORVU_API KORVU_OCSP_BASICRESPONSE *korvu_ocsp_basicocspresponse_new(const KORVU_OCSP_RESPONSEDATA *tbs_response_data,
                                                                    const KORVU_X509_ALGID *signature_algorithm,
                                                                    const KORVU_ASN1_BITSTRING *signature,
                                                                    const KORVU_ASN1_LIST *certs);
/** The record's `tbsResponseData` (not a copy), null for a null record. */
KORVU_API KORVU_OCSP_RESPONSEDATA *korvu_ocsp_basicocspresponse_gettbs(const KORVU_OCSP_BASICRESPONSE *br);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_ocsp_basicocspresponse_getsignalgo(const KORVU_OCSP_BASICRESPONSE *br);
/** The record's `signature` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ocsp_basicocspresponse_getsignature(const KORVU_OCSP_BASICRESPONSE *br);
/** The record's `certs` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ocsp_basicocspresponse_getcerts(const KORVU_OCSP_BASICRESPONSE *br);
/** The octets of tbsResponseData that the signature covers (kept, or written now and kept). A null buffer:
 * *count receives the size, result 1. A count at least the size: the octets are copied, *count receives the
 * size, result 1. A smaller or negative count: *count receives the size, result 0, nothing copied. A null
 * response or count, or an encoding failure: 0. Nothing is reported. */
KORVU_API int korvu_ocsp_basicocspresponse_gettbsocts(KORVU_OCSP_BASICRESPONSE *br, unsigned char *buffer,
                                                     int32_t *count);

/* ---- CrlID (183), ServiceLocator (184), PreferredSignatureAlgorithm (185),
 *      PreferredSignatureAlgorithms (293: of KORVU_OCSP_PREFSIGALGO) ----- */
/** The record of CrlID (183). */
typedef struct korvu_ocsp_crlid_st {
  KORVU_ASN1_STRING *crlUrl;   /**< [0] IA5String, null when absent */
  KORVU_ASN1_INTEGER *crlNum;  /**< [1], null when absent */
  KORVU_ASN1_TIME *crlTime;    /**< [2] GeneralizedTime, null when absent */
} KORVU_OCSP_CRLID;

/** The record of ServiceLocator (184). */
typedef struct korvu_ocsp_servicelocator_st {
  struct korvu_x500_name_st *issuer; /**< Name (32) */
  KORVU_ASN1_LIST *locator; /**< AuthorityInfoAccessSyntax (87) */
} KORVU_OCSP_SERVICELOCATOR;

/** The record of PreferredSignatureAlgorithm (185). */
typedef struct korvu_ocsp_prefsigalgo_st {
  KORVU_X509_ALGID *sigIdentifier;       /**< AlgorithmIdentifier (33) */
  KORVU_X509_ALGID *pubKeyAlgIdentifier; /**< null when absent */
} KORVU_OCSP_PREFSIGALGO;

/** A new CrlID (183) of copies of the arguments, in component order; null when a required one is null or building
 * fails. All three may be null (an empty SEQUENCE). */
KORVU_API KORVU_OCSP_CRLID *korvu_ocsp_crlid_new(const KORVU_ASN1_STRING *crl_url, const KORVU_ASN1_INTEGER *crl_num,
                                                const KORVU_ASN1_TIME *crl_time);
/** The record's `crlUrl` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ocsp_crlid_geturl(const KORVU_OCSP_CRLID *id);
/** The record's `crlNum` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ocsp_crlid_getnum(const KORVU_OCSP_CRLID *id);
/** The record's `crlTime` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_ocsp_crlid_gettime(const KORVU_OCSP_CRLID *id);
/** A new PreferredSignatureAlgorithm (185) of copies of the arguments, in component order; null when a required
 * one is null or building fails. */
KORVU_API KORVU_OCSP_PREFSIGALGO *korvu_ocsp_preferredsignalgo_new(const KORVU_X509_ALGID *sig_identifier,
                                                                  const KORVU_X509_ALGID *pub_key_alg_identifier);
/** The record's `sigIdentifier` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_ocsp_preferredsignalgo_getsignalgo(const KORVU_OCSP_PREFSIGALGO *p);
/** The record's `pubKeyAlgIdentifier` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_ocsp_preferredsignalgo_getpubkeyalgo(const KORVU_OCSP_PREFSIGALGO *p);

#ifdef __cplusplus
}
#endif
#endif /* KORVU_OCSP_H */
