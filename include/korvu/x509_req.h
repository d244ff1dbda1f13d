/** @file
 * KORVU ASN.1: PKCS#10 certification requests (RFC 2986). Included by korvu/asn1.h. */
#ifndef KORVU_X509_REQ_H
#define KORVU_X509_REQ_H
#include "korvu/asn1_base.h"
#include "korvu/x509_cert.h"
#ifdef __cplusplus
extern "C" {
#endif
struct korvu_x500_name_st;

/* ---- CertificationRequestInfo (45), CertificationRequest (46). The attributes are a KORVU_ASN1_LIST of
 * KORVU_X500_ATTRIBUTE (type 43), never null in a decoded or built record. `hasAttributes` says that the
 * [0] element is present: set by decoding a [0] (an empty A0 00 included) and by the constructor, 0 when the
 * encoding has no [0] (the list is then empty). The [0] is written when the flag is set or the list holds
 * elements, so a decoded info re-encodes as received and a built one always writes it. */
/** The record of CertificationRequestInfo (45). */
typedef struct korvu_pkcs10_reqinfo_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  struct korvu_x500_name_st *subject; /**< Name (32) */
  KORVU_X509_SPKI *subjectPKInfo; /**< SubjectPublicKeyInfo (35) */
  KORVU_ASN1_LIST *attributes; /**< Attributes (44), [0] IMPLICIT, OPTIONAL: null when absent */
  uint32_t hasAttributes; /**< 1 when `attributes` is present, else 0 */
} KORVU_PKCS10_REQINFO;
/** A CertificationRequest keeps the octets it was decoded from (or first encoded to), and those of its
 * CertificationRequestInfo, and writes them again unchanged. */
typedef struct korvu_pkcs10_req_st {
  KORVU_PKCS10_REQINFO *certificationRequestInfo; /**< CertificationRequestInfo (45) */
  KORVU_X509_ALGID *signatureAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_BITSTRING *signatureValue; /**< BIT STRING (3) */
  unsigned char *encoded; /**< the whole request as read or first written */
  uint32_t encodedLength;    /**< length of `encoded` */
  uint32_t hasEncoded;       /**< 1 when `encoded` is present, else 0 */
  unsigned char *tbsEncoded; /**< the CertificationRequestInfo as read or first written */
  uint32_t tbsEncodedLength; /**< length of `tbsEncoded` */
  uint32_t hasTbsEncoded;    /**< 1 when `tbsEncoded` is present, else 0 */
} KORVU_PKCS10_REQ;
/** A new CertificationRequestInfo (45) of copies of the arguments, in component order; null when a required one is
 * null or building fails. All four are required (the attribute list may be empty); the copies are the new
 * record's. */
KORVU_API KORVU_PKCS10_REQINFO *korvu_pkcs10certreqinfo_new(const KORVU_ASN1_INTEGER *version,
                                                           const struct korvu_x500_name_st *subject,
                                                           const KORVU_X509_SPKI *subject_pk_info,
                                                           const KORVU_ASN1_LIST *attributes);
/** A CertificationRequest from DER (first byte 0x30), Base64 of DER (first byte 'M') or PEM text labelled
 * "CERTIFICATE REQUEST" or, failing that, "NEW CERTIFICATE REQUEST" (first byte '-'). The DER must hold
 * exactly one request. */
KORVU_API KORVU_PKCS10_REQ *korvu_pkcs10certreq_new(const void *bytes, int32_t length, KORVU_ERR_CTX *ctx);
/** A CertificationRequest from copies of the three, encoded once right away so that it carries its kept
 * encodings. */
KORVU_API KORVU_PKCS10_REQ *korvu_pkcs10certreq_create(const KORVU_PKCS10_REQINFO *info,
                                                      const KORVU_X509_ALGID *signature_algorithm,
                                                      const KORVU_ASN1_BITSTRING *signature);
/** The record's `certificationRequestInfo->version` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs10certreq_getversion(const KORVU_PKCS10_REQ *req);
/** The record's `certificationRequestInfo->subject` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x500_name_st *korvu_pkcs10certreq_getsubject(const KORVU_PKCS10_REQ *req);
/** The record's `certificationRequestInfo->subjectPKInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_SPKI *korvu_pkcs10certreq_getpubkey(const KORVU_PKCS10_REQ *req);
/** The info's `attributes` list (not a copy), null for a null record or info. */
KORVU_API KORVU_ASN1_LIST *korvu_pkcs10certreq_getattrs(const KORVU_PKCS10_REQ *req);
/** 1 when the info's `attributes` is present, else 0 (also for null). */
KORVU_API int korvu_pkcs10certreq_hasattrs(const KORVU_PKCS10_REQ *req);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_pkcs10certreq_getsignalgo(const KORVU_PKCS10_REQ *req);
/** The record's `signatureValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_pkcs10certreq_getsignvalue(const KORVU_PKCS10_REQ *req);
/** The CertificationRequestInfo octets, under korvu_x509pubkeycert_gettbsocts' buffer convention. */
KORVU_API int korvu_pkcs10certreq_gettbsocts(KORVU_PKCS10_REQ *req, unsigned char *buffer, uint32_t *length,
                                             KORVU_ERR_CTX *ctx);
#ifdef __cplusplus
}
#endif
#endif
