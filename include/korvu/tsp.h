/** @file
 * KORVU ASN.1: the Time-Stamp Protocol (RFC 3161): request, response and the contents of a time-stamp token.
 * Included by korvu/asn1.h.
 *
 * An OPTIONAL component is a null pointer when absent. A BOOLEAN DEFAULT FALSE component is never null: an
 * absent one reads as FALSE. Every constructor copies its arguments and returns null when a required one is
 * null or a copy fails. The token of a response is a ContentInfo (111) whose SignedData carries the DER of a
 * TSTInfo (192) as its encapsulated content. */
#ifndef KORVU_TSP_H
#define KORVU_TSP_H
#include "korvu/asn1_base.h"
#include "korvu/x509_cert.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- MessageImprint (186): built by decoding only ----------------------- */
/** The record of MessageImprint (186). */
typedef struct korvu_tsp_messageimprint_st {
  KORVU_X509_ALGID *hashAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_OCTETSTRING *hashedMessage; /**< OCTET STRING (4) */
} KORVU_TSP_MESSAGEIMPRINT;

/* ---- TimeStampReq (187) ------------------------------------------------ */
/** The record of TimeStampReq (187). */
typedef struct korvu_tsp_timestampreq_st {
  KORVU_ASN1_INTEGER *version;       /**< INTEGER (2) */
  KORVU_TSP_MESSAGEIMPRINT *messageImprint; /**< MessageImprint (186) */
  KORVU_ASN1_OID *reqPolicy;         /**< null when absent */
  KORVU_ASN1_INTEGER *nonce;         /**< null when absent */
  KORVU_ASN1_BOOLEAN *certReq;       /**< never null */
  KORVU_ASN1_LIST *extensions;       /**< [0] IMPLICIT Extensions, null when absent */
} KORVU_TSP_TIMESTAMPREQ;

/** A new TimeStampReq (187) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null certReq gives FALSE. */
KORVU_API KORVU_TSP_TIMESTAMPREQ *korvu_tsp_timestampreq_new(const KORVU_ASN1_INTEGER *version,
                                                            const KORVU_TSP_MESSAGEIMPRINT *message_imprint,
                                                            const KORVU_ASN1_OID *req_policy,
                                                            const KORVU_ASN1_INTEGER *nonce,
                                                            const KORVU_ASN1_BOOLEAN *cert_req,
                                                            const KORVU_ASN1_LIST *extensions);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_tsp_timestampreq_getversion(const KORVU_TSP_TIMESTAMPREQ *req);
/** The record's `messageImprint` (not a copy), null for a null record. */
KORVU_API KORVU_TSP_MESSAGEIMPRINT *korvu_tsp_timestampreq_getmessageimprint(const KORVU_TSP_TIMESTAMPREQ *req);
/** The record's `reqPolicy` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_tsp_timestampreq_getpolicy(const KORVU_TSP_TIMESTAMPREQ *req);
/** The record's `nonce` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_tsp_timestampreq_getnonce(const KORVU_TSP_TIMESTAMPREQ *req);
/** The record's `certReq` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_tsp_timestampreq_getcertreq(const KORVU_TSP_TIMESTAMPREQ *req);
/** The record's `extensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_tsp_timestampreq_getexts(const KORVU_TSP_TIMESTAMPREQ *req);

/* ---- PKIFreeText (188: of UTF8String), PKIStatusInfo (189) ------------- */
/** status: PKIStatus INTEGER { granted (0), grantedWithMods (1), rejection (2), waiting (3),
 * revocationWarning (4), revocationNotification (5) }; failInfo: PKIFailureInfo BIT STRING. */
typedef struct korvu_tsp_pkistatusinfo_st {
  KORVU_ASN1_INTEGER *status;        /**< INTEGER (2) */
  KORVU_ASN1_LIST *statusString;     /**< PKIFreeText, null when absent */
  KORVU_ASN1_BITSTRING *failInfo;    /**< null when absent */
} KORVU_TSP_PKISTATUSINFO;

/** A new PKIStatusInfo (189) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_TSP_PKISTATUSINFO *korvu_tsp_pkistatusinfo_new(const KORVU_ASN1_INTEGER *status,
                                                              const KORVU_ASN1_LIST *status_string,
                                                              const KORVU_ASN1_BITSTRING *fail_info);
/** The record's `status` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_tsp_pkistatusinfo_getstatus(const KORVU_TSP_PKISTATUSINFO *info);
/** The record's `statusString` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_tsp_pkistatusinfo_getstatusstring(const KORVU_TSP_PKISTATUSINFO *info);
/** The record's `failInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_tsp_pkistatusinfo_getfailinfo(const KORVU_TSP_PKISTATUSINFO *info);

/* ---- TimeStampResp (190) ----------------------------------------------- */
/** The record of TimeStampResp (190). */
typedef struct korvu_tsp_timestampresp_st {
  KORVU_TSP_PKISTATUSINFO *status;   /**< PKIStatusInfo (189) */
  void *timeStampToken;              /**< ContentInfo (111), null when absent */
} KORVU_TSP_TIMESTAMPRESP;

/** A new TimeStampResp (190) of copies of the arguments, in component order; null when a required one is null or
 * building fails. The token is copied as type 111. */
KORVU_API KORVU_TSP_TIMESTAMPRESP *korvu_tsp_timestampresp_new(const KORVU_TSP_PKISTATUSINFO *status,
                                                              const void *time_stamp_token);
/** The record's `status` (not a copy), null for a null record. */
KORVU_API KORVU_TSP_PKISTATUSINFO *korvu_tsp_timestampresp_getstatus(const KORVU_TSP_TIMESTAMPRESP *resp);
/** The record's `timeStampToken` (not a copy), null when absent or for a null record. */
KORVU_API void *korvu_tsp_timestampresp_gettoken(const KORVU_TSP_TIMESTAMPRESP *resp);

/* ---- Accuracy (191) ---------------------------------------------------- */
/** The record of Accuracy (191). */
typedef struct korvu_tsp_accuracy_st {
  KORVU_ASN1_INTEGER *seconds;       /**< null when absent */
  KORVU_ASN1_INTEGER *millis;        /**< [0] IMPLICIT, null when absent; 1..999 is not checked */
  KORVU_ASN1_INTEGER *micros;        /**< [1] IMPLICIT, null when absent; 1..999 is not checked */
} KORVU_TSP_ACCURACY;

/** A new Accuracy (191) of copies of the arguments, in component order; null when a required one is null or
 * building fails. All three may be null (an empty SEQUENCE). */
KORVU_API KORVU_TSP_ACCURACY *korvu_tsp_accuracy_new(const KORVU_ASN1_INTEGER *seconds,
                                                    const KORVU_ASN1_INTEGER *millis,
                                                    const KORVU_ASN1_INTEGER *micros);
/** The record's `seconds` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_tsp_accuracy_getseconds(const KORVU_TSP_ACCURACY *acc);
/** The record's `millis` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_tsp_accuracy_getmillis(const KORVU_TSP_ACCURACY *acc);
/** The record's `micros` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_tsp_accuracy_getmicros(const KORVU_TSP_ACCURACY *acc);

/* ---- TSTInfo (192) ----------------------------------------------------- */
/** The record of TSTInfo (192). */
typedef struct korvu_tsp_tstinfo_st {
  KORVU_ASN1_INTEGER *version;       /**< INTEGER (2) */
  KORVU_ASN1_OID *policy;            /**< OBJECT IDENTIFIER (6) */
  KORVU_TSP_MESSAGEIMPRINT *messageImprint; /**< MessageImprint (186) */
  KORVU_ASN1_INTEGER *serialNumber;  /**< INTEGER (2) */
  KORVU_ASN1_TIME *genTime;          /**< GeneralizedTime */
  KORVU_TSP_ACCURACY *accuracy;      /**< null when absent */
  KORVU_ASN1_BOOLEAN *ordering;      /**< never null */
  KORVU_ASN1_INTEGER *nonce;         /**< null when absent */
  KORVU_X509_GENERALNAME *tsa;       /**< [0] EXPLICIT, null when absent */
  KORVU_ASN1_LIST *extensions;       /**< [1] IMPLICIT Extensions, null when absent */
} KORVU_TSP_TSTINFO;

/** A new TSTInfo (192) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null ordering gives FALSE. */
KORVU_API KORVU_TSP_TSTINFO *korvu_tsp_tstinfo_new(const KORVU_ASN1_INTEGER *version, const KORVU_ASN1_OID *policy,
                                                  const KORVU_TSP_MESSAGEIMPRINT *message_imprint,
                                                  const KORVU_ASN1_INTEGER *serial_number,
                                                  const KORVU_ASN1_TIME *gen_time, const KORVU_TSP_ACCURACY *accuracy,
                                                  const KORVU_ASN1_BOOLEAN *ordering, const KORVU_ASN1_INTEGER *nonce,
                                                  const KORVU_X509_GENERALNAME *tsa,
                                                  const KORVU_ASN1_LIST *extensions);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_tsp_tstinfo_getversion(const KORVU_TSP_TSTINFO *info);
/** The record's `policy` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_tsp_tstinfo_getpolicy(const KORVU_TSP_TSTINFO *info);
/** The record's `messageImprint` (not a copy), null for a null record. */
KORVU_API KORVU_TSP_MESSAGEIMPRINT *korvu_tsp_tstinfo_getmessageimprint(const KORVU_TSP_TSTINFO *info);
/** The record's `serialNumber` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_tsp_tstinfo_getsn(const KORVU_TSP_TSTINFO *info);
/** The record's `genTime` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_tsp_tstinfo_getgentime(const KORVU_TSP_TSTINFO *info);
/** The record's `accuracy` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_TSP_ACCURACY *korvu_tsp_tstinfo_getaccuracy(const KORVU_TSP_TSTINFO *info);
/** The record's `ordering` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_tsp_tstinfo_getordering(const KORVU_TSP_TSTINFO *info);
/** The record's `nonce` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_tsp_tstinfo_getnonce(const KORVU_TSP_TSTINFO *info);
/** The record's `tsa` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_GENERALNAME *korvu_tsp_tstinfo_gettsaname(const KORVU_TSP_TSTINFO *info);
/** The record's `extensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_tsp_tstinfo_getexts(const KORVU_TSP_TSTINFO *info);

#ifdef __cplusplus
}
#endif
#endif /* KORVU_TSP_H */
