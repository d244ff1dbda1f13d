// X.509 certificate revocation lists (RFC 5280 5.1): the revoked-certificate
// entry and its list, TBSCertList and CertificateList.
#define KORVU_SRC "KORVU_ASN1_X509"
#include "cert_internal.h"
#include "korvu/x509_crl.h"

using namespace korvu;
using st::field;

// revokedCertificates' element: SEQUENCE { userCertificate CertificateSerialNumber, revocationDate Time,
//   crlEntryExtensions Extensions OPTIONAL }
constexpr st::Field kEntryFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_REVCERT, userCertificate),
    KORVU_FIELD(KORVU_TYPE_TIME, KORVU_X509_REVCERT, revocationDate),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_X509_REVCERT, crlEntryExtensions)
        .optional(offsetof(KORVU_X509_REVCERT, hasExtensions))};
constexpr st::StructDef kEntry =
    st::sequence(KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, kEntryFields, sizeof(KORVU_X509_REVCERT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, kEntry);
// SEQUENCE OF entry; a failing entry reports the entry's code, the list its own.
KORVU_REGISTER_TYPE(KORVU_TYPE_REVOKED_CERTIFICATE_LIST) =
    list::TypedList<KORVU_TYPE_REVOKED_CERTIFICATE_LIST, KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY>::ops;
KORVU_API KORVU_X509_REVCERT *korvu_x509revcertinfo_new(const KORVU_ASN1_INTEGER *serial, const KORVU_ASN1_TIME *date,
                                                       const KORVU_ASN1_LIST *extensions) {
  return static_cast<KORVU_X509_REVCERT *>(st::make<kEntry>(serial, date, extensions));
}
KORVU_GET(korvu_x509revcertinfo_getserilano, kEntry, userCertificate);
KORVU_GET(korvu_x509revcertinfo_getrevdate, kEntry, revocationDate);
KORVU_HAS(korvu_x509revcertinfo_hasexts, kEntry, crlEntryExtensions);
KORVU_GET(korvu_x509revcertinfo_getexts, kEntry, crlEntryExtensions);

// TBSCertList ::= SEQUENCE { version Version OPTIONAL, signature AlgorithmIdentifier, issuer Name,
//   thisUpdate Time, nextUpdate Time OPTIONAL, revokedCertificates SEQUENCE OF entry OPTIONAL,
//   crlExtensions [0] EXPLICIT Extensions OPTIONAL }
// The version is a plain INTEGER with no default: its absence is kept as absence. An empty
// revokedCertificates SEQUENCE is kept as present and empty.
constexpr st::Field kTbsCrlFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_X509_TBSCRL, version).optional(offsetof(KORVU_X509_TBSCRL, hasVersion)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_X509_TBSCRL, signature),
    KORVU_FIELD(KORVU_TYPE_NAME, KORVU_X509_TBSCRL, issuer),
    KORVU_FIELD(KORVU_TYPE_TIME, KORVU_X509_TBSCRL, thisUpdate),
    KORVU_FIELD(KORVU_TYPE_TIME, KORVU_X509_TBSCRL, nextUpdate)
        .optional(offsetof(KORVU_X509_TBSCRL, hasNextUpdate)),
    KORVU_FIELD(KORVU_TYPE_REVOKED_CERTIFICATE_LIST, KORVU_X509_TBSCRL, revokedCertificates)
        .optional(offsetof(KORVU_X509_TBSCRL, hasRevokedCertificates)),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_X509_TBSCRL, crlExtensions).explicit_(0)
        .optional(offsetof(KORVU_X509_TBSCRL, hasExtensions))};
constexpr st::StructDef kTbsCrl = st::sequence(KORVU_TYPE_TBSCERTLIST, kTbsCrlFields, sizeof(KORVU_X509_TBSCRL));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TBSCERTLIST, kTbsCrl);
// With dup_revoked 0 the caller's list is built in only once everything else has been copied, so a failure
// leaves it with the caller.
KORVU_API KORVU_X509_TBSCRL *korvu_x509TBSCertList_new(const KORVU_ASN1_INTEGER *version,
                                                      const KORVU_X509_ALGID *signature,
                                                      const korvu_x500_name_st *issuer,
                                                      const KORVU_ASN1_TIME *this_update,
                                                      const KORVU_ASN1_TIME *next_update, KORVU_ASN1_LIST *revoked,
                                                      uint32_t dup_revoked, const KORVU_ASN1_LIST *extensions) {
  const KORVU_ASN1_LIST *copied = dup_revoked != 0 ? revoked : nullptr;
  auto *t = static_cast<KORVU_X509_TBSCRL *>(
      st::make<kTbsCrl>(version, signature, issuer, this_update, next_update, copied, extensions));
  if (t != nullptr && revoked != nullptr && dup_revoked == 0) {
    t->revokedCertificates = revoked;
    t->hasRevokedCertificates = 1;
  }
  return t;
}

// CertificateList ::= SEQUENCE { tbsCertList TBSCertList, signatureAlgorithm AlgorithmIdentifier,
//   signatureValue BIT STRING }
// keeping its whole encoding and its TBSCertList's as received (or as first written).
constexpr st::Field kCrlFields[] = {
    KORVU_FIELD(KORVU_TYPE_TBSCERTLIST, KORVU_X509_CRL, tbsCertList).keeps(offsetof(KORVU_X509_CRL, tbsEncoded)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_X509_CRL, signatureAlgorithm),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_X509_CRL, signatureValue)};
constexpr st::StructDef kCrl = st::sequence(KORVU_TYPE_CERTIFICATELIST, kCrlFields, sizeof(KORVU_X509_CRL))
                                   .keeping(offsetof(KORVU_X509_CRL, encoded), 2048)
                                   .leftover(kErrIncorrectLength);
static_assert(offsetof(KORVU_X509_CRL, hasEncoded) - offsetof(KORVU_X509_CRL, encoded) == offsetof(st::Kept, has) &&
              offsetof(KORVU_X509_CRL, hasTbsEncoded) - offsetof(KORVU_X509_CRL, tbsEncoded) ==
                  offsetof(st::Kept, has));
static_assert(st::index_at(kCrl, offsetof(KORVU_X509_CRL, tbsCertList)) == 0);
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTIFICATELIST, kCrl);
KORVU_API KORVU_X509_CRL *korvu_x509crl_new(const void *bytes, int32_t length, KORVU_ERR_CTX *ctx) {
  return static_cast<KORVU_X509_CRL *>(
      x509::signed_parse(KORVU_TYPE_CERTIFICATELIST, {"X509 CRL", "CRL"}, bytes, length, ctx));
}
// The signatureAlgorithm is a copy of the TBSCertList's signature.
KORVU_API KORVU_X509_CRL *korvu_x509crl_create(const KORVU_X509_TBSCRL *tbs, const KORVU_ASN1_BITSTRING *sig) {
  return tbs ? static_cast<KORVU_X509_CRL *>(x509::signed_create(kCrl, tbs, tbs->signature, sig)) : nullptr;
}
KORVU_HAS_IN(korvu_x509crl_hasversion, tbsCertList, kTbsCrl, version);
KORVU_GET_IN(korvu_x509crl_getversion, tbsCertList, kTbsCrl, version);
KORVU_GET_IN(korvu_x509crl_getinnersignalgo, tbsCertList, kTbsCrl, signature);
KORVU_GET_IN(korvu_x509crl_getissuer, tbsCertList, kTbsCrl, issuer);
KORVU_GET_IN(korvu_x509crl_getthisupdate, tbsCertList, kTbsCrl, thisUpdate);
KORVU_HAS_IN(korvu_x509crl_hasnextupdate, tbsCertList, kTbsCrl, nextUpdate);
KORVU_GET_IN(korvu_x509crl_getnextupdate, tbsCertList, kTbsCrl, nextUpdate);
KORVU_HAS_IN(korvu_x509crl_hasrevcerts, tbsCertList, kTbsCrl, revokedCertificates);
KORVU_GET_IN(korvu_x509crl_getrevcerts, tbsCertList, kTbsCrl, revokedCertificates);
KORVU_HAS_IN(korvu_x509crl_hasexts, tbsCertList, kTbsCrl, crlExtensions);
KORVU_GET_IN(korvu_x509crl_getexts, tbsCertList, kTbsCrl, crlExtensions);
KORVU_GET(korvu_x509crl_getsignalgo, kCrl, signatureAlgorithm);
KORVU_GET(korvu_x509crl_getsignvalue, kCrl, signatureValue);
KORVU_API int korvu_x509crl_gettbsocts(KORVU_X509_CRL *crl, unsigned char *buffer, uint32_t *length,
                                       KORVU_ERR_CTX *ctx) {
  return x509::signed_tbs_octets(kCrl, crl, buffer, length, ctx);
}
