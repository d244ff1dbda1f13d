/* KORVU ASN.1: PKCS#10 certification requests (RFC 2986). Included by korvu/asn1.h. */
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
typedef struct korvu_pkcs10_reqinfo_st {
  KORVU_ASN1_INTEGER *version;
  struct korvu_x500_name_st *subject;
  KORVU_X509_SPKI *subjectPKInfo;
  KORVU_ASN1_LIST *attributes;
  uint32_t hasAttributes;
} KORVU_PKCS10_REQINFO;
/* A CertificationRequest keeps the octets it was decoded from (or first encoded to), and those of its
 * CertificationRequestInfo, and writes them again unchanged. */
typedef struct korvu_pkcs10_req_st {
  KORVU_PKCS10_REQINFO *certificationRequestInfo;
  KORVU_X509_ALGID *signatureAlgorithm;
  KORVU_ASN1_BITSTRING *signatureValue;
  unsigned char *encoded; /* the whole request as read or first written */
  uint32_t encodedLength;
  uint32_t hasEncoded;
  unsigned char *tbsEncoded; /* the CertificationRequestInfo as read or first written */
  uint32_t tbsEncodedLength;
  uint32_t hasTbsEncoded;
} KORVU_PKCS10_REQ;
/* All four are required (the attribute list may be empty); the copies are the new record's. */
KORVU_API KORVU_PKCS10_REQINFO *korvu_pkcs10certreqinfo_new(const KORVU_ASN1_INTEGER *version,
                                                           const struct korvu_x500_name_st *subject,
                                                           const KORVU_X509_SPKI *subject_pk_info,
                                                           const KORVU_ASN1_LIST *attributes);
/* A CertificationRequest from DER (first byte 0x30), Base64 of DER (first byte 'M') or PEM text labelled
 * "CERTIFICATE REQUEST" or, failing that, "NEW CERTIFICATE REQUEST" (first byte '-'). The DER must hold
 * exactly one request. */
KORVU_API KORVU_PKCS10_REQ *korvu_pkcs10certreq_new(const void *bytes, int32_t length, KORVU_ERR_CTX *ctx);
/* A CertificationRequest from copies of the three, encoded once right away so that it carries its kept
 * encodings. */
KORVU_API KORVU_PKCS10_REQ *korvu_pkcs10certreq_create(const KORVU_PKCS10_REQINFO *info,
                                                      const KORVU_X509_ALGID *signature_algorithm,
                                                      const KORVU_ASN1_BITSTRING *signature);
KORVU_API KORVU_ASN1_INTEGER *korvu_pkcs10certreq_getversion(const KORVU_PKCS10_REQ *req);
KORVU_API struct korvu_x500_name_st *korvu_pkcs10certreq_getsubject(const KORVU_PKCS10_REQ *req);
KORVU_API KORVU_X509_SPKI *korvu_pkcs10certreq_getpubkey(const KORVU_PKCS10_REQ *req);
KORVU_API KORVU_ASN1_LIST *korvu_pkcs10certreq_getattrs(const KORVU_PKCS10_REQ *req);
KORVU_API int korvu_pkcs10certreq_hasattrs(const KORVU_PKCS10_REQ *req);
KORVU_API KORVU_X509_ALGID *korvu_pkcs10certreq_getsignalgo(const KORVU_PKCS10_REQ *req);
KORVU_API KORVU_ASN1_BITSTRING *korvu_pkcs10certreq_getsignvalue(const KORVU_PKCS10_REQ *req);
/* The CertificationRequestInfo octets, under korvu_x509pubkeycert_gettbsocts' buffer convention. */
KORVU_API int korvu_pkcs10certreq_gettbsocts(KORVU_PKCS10_REQ *req, unsigned char *buffer, uint32_t *length,
                                             KORVU_ERR_CTX *ctx);
#ifdef __cplusplus
}
#endif
#endif
