// TBSCertificate, Certificate and CertificatePair (RFC 5280 4.1, X.509
// 11.2.3). A Certificate keeps the octets of its whole encoding and those of
// its TBSCertificate as received (or as first written), so that re-encoding a
// decoded certificate reproduces the signed octets, BER forms included.
#define KORVU_SRC "KORVU_ASN1_X509"
#include <cstring>

#include "../core/struct.h"
#include "cert_internal.h"

namespace korvu {
namespace {

using st::field;

// version [0] EXPLICIT Version DEFAULT v1, v1 being INTEGER 0.
constexpr unsigned char kVersion1[] = {0x02, 0x01, 0x00};

// TBSCertificate ::= SEQUENCE {
//   version [0] EXPLICIT Version DEFAULT v1, serialNumber CertificateSerialNumber,
//   signature AlgorithmIdentifier, issuer Name, validity Validity, subject Name,
//   subjectPublicKeyInfo SubjectPublicKeyInfo,
//   issuerUniqueID [1] IMPLICIT UniqueIdentifier OPTIONAL,
//   subjectUniqueID [2] IMPLICIT UniqueIdentifier OPTIONAL,
//   extensions [3] EXPLICIT Extensions OPTIONAL }
// Presence of the unique identifiers and extensions is not tied to the
// version number.
constexpr st::Field kTbsFields[] = {
    field(2, offsetof(KORVU_X509_TBSCERT, version)).explicit_(0).defaults(kVersion1, sizeof kVersion1),
    field(2, offsetof(KORVU_X509_TBSCERT, serialNumber)),
    field(33, offsetof(KORVU_X509_TBSCERT, signature)),
    field(32, offsetof(KORVU_X509_TBSCERT, issuer)),
    field(34, offsetof(KORVU_X509_TBSCERT, validity)),
    field(32, offsetof(KORVU_X509_TBSCERT, subject)),
    field(35, offsetof(KORVU_X509_TBSCERT, subjectPublicKeyInfo)),
    field(3, offsetof(KORVU_X509_TBSCERT, issuerUniqueID))
        .implicit(1)
        .optional(offsetof(KORVU_X509_TBSCERT, hasIssuerUniqueID)),
    field(3, offsetof(KORVU_X509_TBSCERT, subjectUniqueID))
        .implicit(2)
        .optional(offsetof(KORVU_X509_TBSCERT, hasSubjectUniqueID)),
    field(37, offsetof(KORVU_X509_TBSCERT, extensions))
        .explicit_(3)
        .optional(offsetof(KORVU_X509_TBSCERT, hasExtensions)),
};
constexpr st::StructDef kTbs = st::sequence(38, kTbsFields, sizeof(KORVU_X509_TBSCERT));

// Certificate ::= SEQUENCE { tbsCertificate TBSCertificate,
//   signatureAlgorithm AlgorithmIdentifier, signatureValue BIT STRING }
constexpr st::Field kCertFields[] = {
    field(38, offsetof(KORVU_X509_CERT, tbsCertificate)).keeps(offsetof(KORVU_X509_CERT, tbsEncoded)),
    field(33, offsetof(KORVU_X509_CERT, signatureAlgorithm)),
    field(3, offsetof(KORVU_X509_CERT, signatureValue)),
};

constexpr st::StructDef cert_def() {
  st::StructDef d = st::sequence(39, kCertFields, sizeof(KORVU_X509_CERT));
  d.kept = offsetof(KORVU_X509_CERT, encoded);
  d.kept_capacity = 2048;
  d.leftover_code = kErrIncorrectLength;
  return d;
}
constexpr st::StructDef kCert = cert_def();

// The record's kept encodings are laid out as st::Kept.
static_assert(offsetof(KORVU_X509_CERT, encodedLength) - offsetof(KORVU_X509_CERT, encoded) ==
              offsetof(st::Kept, length));
static_assert(offsetof(KORVU_X509_CERT, hasEncoded) - offsetof(KORVU_X509_CERT, encoded) == offsetof(st::Kept, has));
static_assert(offsetof(KORVU_X509_CERT, tbsEncodedLength) - offsetof(KORVU_X509_CERT, tbsEncoded) ==
              offsetof(st::Kept, length));
static_assert(offsetof(KORVU_X509_CERT, hasTbsEncoded) - offsetof(KORVU_X509_CERT, tbsEncoded) ==
              offsetof(st::Kept, has));

// CertificatePair ::= SEQUENCE { issuedToThisCA [0] Certificate OPTIONAL,
//                                issuedByThisCA [1] Certificate OPTIONAL }
// (X.509 11.2.3; explicit tags)
constexpr st::Field kPairFields[] = {
    field(39, offsetof(KORVU_X509_CERTPAIR, issuedToThisCA))
        .explicit_(0)
        .optional(offsetof(KORVU_X509_CERTPAIR, hasIssuedToThisCA)),
    field(39, offsetof(KORVU_X509_CERTPAIR, issuedByThisCA))
        .explicit_(1)
        .optional(offsetof(KORVU_X509_CERTPAIR, hasIssuedByThisCA)),
};
constexpr st::StructDef kPair = st::sequence(55, kPairFields, sizeof(KORVU_X509_CERTPAIR));

const KORVU_X509_TBSCERT *tbs_of(const KORVU_X509_CERT *c) { return c ? c->tbsCertificate : nullptr; }

// Fills the kept TBSCertificate octets of a certificate that has none.
int keep_tbs(KORVU_X509_CERT *c) {
  if (c->hasTbsEncoded) return 1;
  KORVU_STREAM *m = korvu_stream_new_mem(2048, nullptr);
  if (m == nullptr) return 0;
  int r = encode_value(m, 38, c->tbsCertificate, nullptr, nullptr);
  unsigned char *data = nullptr;
  uint32_t len = 0;
  if (r == 1 && (korvu_memstreamdeatch(m, &data, &len) != 1 || data == nullptr)) r = 0;
  korvu_stream_free(m);
  if (r != 1) {
    korvu_free(data);
    return 0;
  }
  c->tbsEncoded = data;
  c->tbsEncodedLength = len;
  c->hasTbsEncoded = 1;
  return 1;
}

}  // namespace

KORVU_X509_CERT *x509::certificate_create(const KORVU_X509_TBSCERT *tbs, const KORVU_ASN1_BITSTRING *signature) {
  if (tbs == nullptr || signature == nullptr) return nullptr;
  auto *c = static_cast<KORVU_X509_CERT *>(st::new_record(kCert, {tbs, tbs->signature, signature}));
  if (c == nullptr) return nullptr;
  if (st::ensure_kept(kCert, c, nullptr) != 1) {
    st::free_record(kCert, c);
    return nullptr;
  }
  return c;
}

}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(38) = st::Sequence<kTbs>::ops;
KORVU_REGISTER_TYPE(39) = st::Sequence<kCert>::ops;
KORVU_REGISTER_TYPE(55) = st::Sequence<kPair>::ops;

extern "C" {

KORVU_API KORVU_X509_TBSCERT *korvu_x509TBSCertificate_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_ASN1_INTEGER *serial_number, const KORVU_X509_ALGID *signature,
    const korvu_x500_name_st *issuer, const KORVU_X509_VALIDITY *validity, const korvu_x500_name_st *subject,
    const KORVU_X509_SPKI *spki,
    const KORVU_ASN1_BITSTRING *issuer_uid, const KORVU_ASN1_BITSTRING *subject_uid,
    const KORVU_ASN1_LIST *extensions) {
  return static_cast<KORVU_X509_TBSCERT *>(st::new_record(
      kTbs, {version, serial_number, signature, issuer, validity, subject, spki, issuer_uid, subject_uid, extensions}));
}

KORVU_API KORVU_X509_CERT *korvu_x509pubkeycert_create(const KORVU_X509_TBSCERT *tbs,
                                                      const KORVU_ASN1_BITSTRING *signature) {
  return x509::certificate_create(tbs, signature);
}

KORVU_API KORVU_X509_CERT *korvu_x509pubkeycert_new(const void *bytes, int32_t length, KORVU_ERR_CTX *ctx) {
  if (bytes == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return nullptr;
  }
  if (length <= 0) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return nullptr;
  }
  const auto *in = static_cast<const unsigned char *>(bytes);
  const auto *text = static_cast<const char *>(bytes);
  const unsigned char *der = in;
  uint32_t der_len = static_cast<uint32_t>(length);
  unsigned char *decoded = nullptr;
  switch (in[0]) {
    case 0x30:
      break;
    case 'M':
      if (korvu_base64decode(2, text, der_len, &decoded, &der_len) != 1) {
        korvu_free(decoded);
        KORVU_ERR(ctx, KORVU_STREAM_ERR_READ);
        return nullptr;
      }
      der = decoded;
      break;
    case '-':
      if (korvu_pemdecode("CERTIFICATE", text, der_len, &decoded, &der_len) != 1) {
        korvu_free(decoded);
        KORVU_ERR(ctx, KORVU_STREAM_ERR_WRITE);
        return nullptr;
      }
      der = decoded;
      break;
    default:
      KORVU_DECODE_ERR(ctx, 39);
      return nullptr;
  }
  MemView view(der, der_len);
  void *cert = nullptr;
  uint32_t used = 0;
  int r = decode_value(view.get(), 39, &cert, &used, ctx, 0);
  if (r == 1 && used != der_len) {
    // One Certificate and nothing after it.
    value_free(39, cert);
    cert = nullptr;
    KORVU_ERR(ctx, kErrIncorrectLength);
  }
  korvu_free(decoded);
  return static_cast<KORVU_X509_CERT *>(cert);
}

KORVU_API KORVU_ASN1_INTEGER *korvu_x509pubkeycert_getversion(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_ASN1_INTEGER *>(st::get(kTbs, tbs_of(c), 0));
}
KORVU_API KORVU_ASN1_INTEGER *korvu_x509pubkeycert_getserialno(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_ASN1_INTEGER *>(st::get(kTbs, tbs_of(c), 1));
}
KORVU_API KORVU_X509_ALGID *korvu_x509pubkeycert_getinnersignalgo(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_X509_ALGID *>(st::get(kTbs, tbs_of(c), 2));
}
KORVU_API korvu_x500_name_st *korvu_x509pubkeycert_getissuer(const KORVU_X509_CERT *c) {
  return static_cast<korvu_x500_name_st *>(st::get(kTbs, tbs_of(c), 3));
}
KORVU_API KORVU_X509_VALIDITY *korvu_x509pubkeycert_getvalidity(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_X509_VALIDITY *>(st::get(kTbs, tbs_of(c), 4));
}
KORVU_API korvu_x500_name_st *korvu_x509pubkeycert_getsubject(const KORVU_X509_CERT *c) {
  return static_cast<korvu_x500_name_st *>(st::get(kTbs, tbs_of(c), 5));
}
KORVU_API KORVU_X509_SPKI *korvu_x509pubkeycert_getpubkey(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_X509_SPKI *>(st::get(kTbs, tbs_of(c), 6));
}
KORVU_API int korvu_x509pubkeycert_hasissueruid(const KORVU_X509_CERT *c) { return st::has(kTbs, tbs_of(c), 7); }
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509pubkeycert_getissueruid(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_ASN1_BITSTRING *>(st::get(kTbs, tbs_of(c), 7));
}
KORVU_API int korvu_x509pubkeycert_hassubjectuid(const KORVU_X509_CERT *c) { return st::has(kTbs, tbs_of(c), 8); }
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509pubkeycert_getsubjectuid(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_ASN1_BITSTRING *>(st::get(kTbs, tbs_of(c), 8));
}
KORVU_API int korvu_x509pubkeycert_hasexts(const KORVU_X509_CERT *c) { return st::has(kTbs, tbs_of(c), 9); }
KORVU_API KORVU_ASN1_LIST *korvu_x509pubkeycert_getexts(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_ASN1_LIST *>(st::get(kTbs, tbs_of(c), 9));
}
KORVU_API KORVU_X509_ALGID *korvu_x509pubkeycert_getsignalgo(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_X509_ALGID *>(st::get(kCert, c, 1));
}
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509pubkeycert_getsignvalue(const KORVU_X509_CERT *c) {
  return static_cast<KORVU_ASN1_BITSTRING *>(st::get(kCert, c, 2));
}

KORVU_API int korvu_x509pubkeycert_gettbsocts(KORVU_X509_CERT *c, unsigned char *buffer, uint32_t *length,
                                              KORVU_ERR_CTX *ctx) {
  (void)ctx;
  if (c == nullptr || length == nullptr || keep_tbs(c) != 1) return 0;
  const uint32_t n = c->tbsEncodedLength;
  if (buffer == nullptr) {
    *length = n;
    return 1;
  }
  if (*length < n) {
    *length = n;
    return 0;
  }
  std::memcpy(buffer, c->tbsEncoded, n);
  *length = n;
  return 1;
}

KORVU_API KORVU_X509_CERTPAIR *korvu_x509certpair_new(const KORVU_X509_CERT *issued_to_this_ca,
                                                     const KORVU_X509_CERT *issued_by_this_ca) {
  if (issued_to_this_ca == nullptr && issued_by_this_ca == nullptr) return nullptr;
  return static_cast<KORVU_X509_CERTPAIR *>(st::new_record(kPair, {issued_to_this_ca, issued_by_this_ca}));
}
KORVU_API KORVU_X509_CERT *korvu_x509certpair_getissuedtothisca(const KORVU_X509_CERTPAIR *p) {
  return static_cast<KORVU_X509_CERT *>(st::get(kPair, p, 0));
}
KORVU_API KORVU_X509_CERT *korvu_x509certpair_getissuedbythisca(const KORVU_X509_CERTPAIR *p) {
  return static_cast<KORVU_X509_CERT *>(st::get(kPair, p, 1));
}

}  // extern "C"
