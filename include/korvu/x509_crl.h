/** @file
 * KORVU ASN.1: X.509 certificate revocation lists (RFC 5280 5.1). Included by korvu/asn1.h. */
#ifndef KORVU_X509_CRL_H
#define KORVU_X509_CRL_H
#include "korvu/asn1_base.h"
#include "korvu/x509_cert.h"
#ifdef __cplusplus
extern "C" {
#endif
struct korvu_x500_name_st;

/* ---- revoked-certificate entry (92) and their list (140, a KORVU_ASN1_LIST of entries) ---- */
/** The record of revoked-certificate entry (92). */
typedef struct korvu_x509_revcert_st {
  KORVU_ASN1_INTEGER *userCertificate; /**< INTEGER (2) */
  KORVU_ASN1_TIME *revocationDate;     /**< Time (UTCTime or GeneralizedTime) (20) */
  KORVU_ASN1_LIST *crlEntryExtensions; /**< of KORVU_X509_EXTENSION; null unless hasExtensions */
  uint32_t hasExtensions;              /**< 1 when `crlEntryExtensions` is present, else 0 */
} KORVU_X509_REVCERT;
/** A new revoked-certificate entry (92) of copies of the arguments, in component order; null when a required one
 * is null or building fails. `extensions` may be null. */
KORVU_API KORVU_X509_REVCERT *korvu_x509revcertinfo_new(const KORVU_ASN1_INTEGER *user_certificate,
                                                       const KORVU_ASN1_TIME *revocation_date,
                                                       const KORVU_ASN1_LIST *extensions);
/** The record's `userCertificate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509revcertinfo_getserilano(const KORVU_X509_REVCERT *entry);
/** The record's `revocationDate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_x509revcertinfo_getrevdate(const KORVU_X509_REVCERT *entry);
/** 1 when the record's `crlEntryExtensions` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x509revcertinfo_hasexts(const KORVU_X509_REVCERT *entry);
/** The record's `crlEntryExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509revcertinfo_getexts(const KORVU_X509_REVCERT *entry);

/* ---- TBSCertList (40), CertificateList (41). A CertificateList keeps the octets it was decoded from (or first
 * encoded to), and those of its TBSCertList, and writes them again unchanged. */
/** The record of TBSCertList (40). */
typedef struct korvu_x509_tbscrl_st {
  KORVU_ASN1_INTEGER *version; /**< an untagged INTEGER with no default: null unless hasVersion */
  uint32_t hasVersion;                  /**< 1 when `version` is present, else 0 */
  KORVU_X509_ALGID *signature;          /**< AlgorithmIdentifier (33) */
  struct korvu_x500_name_st *issuer;    /**< Name (32) */
  KORVU_ASN1_TIME *thisUpdate;          /**< Time (UTCTime or GeneralizedTime) (20) */
  KORVU_ASN1_TIME *nextUpdate;          /**< Time (UTCTime or GeneralizedTime) (20), OPTIONAL: null when absent */
  uint32_t hasNextUpdate;               /**< 1 when `nextUpdate` is present, else 0 */
  KORVU_ASN1_LIST *revokedCertificates; /**< of KORVU_X509_REVCERT */
  uint32_t hasRevokedCertificates;      /**< set for an empty SEQUENCE too */
  KORVU_ASN1_LIST *crlExtensions;       /**< of KORVU_X509_EXTENSION */
  uint32_t hasExtensions;               /**< 1 when `crlExtensions` is present, else 0 */
} KORVU_X509_TBSCRL;
/** The record of CertificateList (41). */
typedef struct korvu_x509_crl_st {
  KORVU_X509_TBSCRL *tbsCertList; /**< TBSCertList (40) */
  KORVU_X509_ALGID *signatureAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_BITSTRING *signatureValue; /**< BIT STRING (3) */
  unsigned char *encoded; /**< the whole CertificateList as read or first written */
  uint32_t encodedLength;    /**< length of `encoded` */
  uint32_t hasEncoded;       /**< 1 when `encoded` is present, else 0 */
  unsigned char *tbsEncoded; /**< the TBSCertList as read or first written */
  uint32_t tbsEncodedLength; /**< length of `tbsEncoded` */
  uint32_t hasTbsEncoded;    /**< 1 when `tbsEncoded` is present, else 0 */
} KORVU_X509_CRL;
/** A new TBSCertList (40) of the arguments, in component order; null when a required one is null or building
 * fails. `version`, `next_update`, `revoked` and `extensions` may be null; a null version is left out of
 * the encoding. With `dup_revoked` non-zero the revoked list is copied entry by entry; with 0 the list itself
 * becomes part of the new record (and is freed with it), but only when the call succeeds: on failure the caller
 * still owns it. */
KORVU_API KORVU_X509_TBSCRL *korvu_x509TBSCertList_new(const KORVU_ASN1_INTEGER *version,
                                                      const KORVU_X509_ALGID *signature,
                                                      const struct korvu_x500_name_st *issuer,
                                                      const KORVU_ASN1_TIME *this_update,
                                                      const KORVU_ASN1_TIME *next_update, KORVU_ASN1_LIST *revoked,
                                                      uint32_t dup_revoked, const KORVU_ASN1_LIST *extensions);
/** A CertificateList from DER (first byte 0x30), Base64 of DER (first byte 'M') or PEM text labelled "X509 CRL" or,
 * failing that, "CRL" (first byte '-'). The DER must hold exactly one CertificateList. */
KORVU_API KORVU_X509_CRL *korvu_x509crl_new(const void *bytes, int32_t length, KORVU_ERR_CTX *ctx);
/** A CertificateList from a TBSCertList and a signature value (both copied); its signatureAlgorithm is a copy of the
 * TBSCertList's signature, and it is encoded once right away so that it carries its kept encodings. */
KORVU_API KORVU_X509_CRL *korvu_x509crl_create(const KORVU_X509_TBSCRL *tbs, const KORVU_ASN1_BITSTRING *signature);
/** 1 when the record's `tbsCertList->version` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x509crl_hasversion(const KORVU_X509_CRL *crl);
/** The record's `tbsCertList->version` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509crl_getversion(const KORVU_X509_CRL *crl);
/** The record's `tbsCertList->signature` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_x509crl_getinnersignalgo(const KORVU_X509_CRL *crl);
/** The record's `tbsCertList->issuer` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x500_name_st *korvu_x509crl_getissuer(const KORVU_X509_CRL *crl);
/** The record's `tbsCertList->thisUpdate` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_x509crl_getthisupdate(const KORVU_X509_CRL *crl);
/** 1 when the record's `tbsCertList->nextUpdate` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x509crl_hasnextupdate(const KORVU_X509_CRL *crl);
/** The record's `tbsCertList->nextUpdate` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_x509crl_getnextupdate(const KORVU_X509_CRL *crl);
/** 1 when the record's `tbsCertList->revokedCertificates` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x509crl_hasrevcerts(const KORVU_X509_CRL *crl);
/** The record's `tbsCertList->revokedCertificates` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509crl_getrevcerts(const KORVU_X509_CRL *crl);
/** 1 when the record's `tbsCertList->crlExtensions` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x509crl_hasexts(const KORVU_X509_CRL *crl);
/** The record's `tbsCertList->crlExtensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509crl_getexts(const KORVU_X509_CRL *crl);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_x509crl_getsignalgo(const KORVU_X509_CRL *crl);
/** The record's `signatureValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509crl_getsignvalue(const KORVU_X509_CRL *crl);
/** The TBSCertList octets: with a null buffer stores the length and returns 1; with *length too small stores the
 * length and returns 0; else copies. */
KORVU_API int korvu_x509crl_gettbsocts(KORVU_X509_CRL *crl, unsigned char *buffer, uint32_t *length,
                                       KORVU_ERR_CTX *ctx);
#ifdef __cplusplus
}
#endif
#endif
