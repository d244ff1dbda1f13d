// PKCS#10 certification requests (RFC 2986 4): CertificationRequestInfo and
// CertificationRequest.
#define KORVU_SRC "KORVU_ASN1_X509"
#include "cert_internal.h"
#include "korvu/x509_req.h"

using namespace korvu;
using st::field;

// CertificationRequestInfo ::= SEQUENCE { version INTEGER { v1(0) } (v1,...), subject Name,
//   subjectPKInfo SubjectPublicKeyInfo{{ PKInfoAlgorithms }}, attributes [0] Attributes{{ CRIAttributes }} }
// Attributes { ATTRIBUTE:IOSet } ::= SET OF Attribute{{ IOSet }}   (IMPLICIT TAGS)
// RFC 2986 makes [0] required; requests without it exist and are read, an empty list then standing in for it.
// hasAttributes says whether [0] is there: a decoded info writes it back exactly when it was received
// (A0 00 included), and it is also written whenever the list holds elements.
constexpr st::Field kReqInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS10_REQINFO, version),
    KORVU_FIELD(KORVU_TYPE_NAME, KORVU_PKCS10_REQINFO, subject),
    KORVU_FIELD(KORVU_TYPE_SUBJECTPUBLICKEYINFO, KORVU_PKCS10_REQINFO, subjectPKInfo),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_PKCS10_REQINFO, attributes).implicit(0)
        .optional(offsetof(KORVU_PKCS10_REQINFO, hasAttributes))};
// A missing [0] leaves an empty list, never a null one.
static int reqinfo_finish(void *record, KORVU_ERR_CTX *ctx) {
  auto *r = static_cast<KORVU_PKCS10_REQINFO *>(record);
  if (r->attributes != nullptr) return 1;
  r->attributes = korvu_asn1_list_new();
  if (r->attributes != nullptr) return 1;
  KORVU_ERR(ctx, KORVU_ERR_NOMEM);
  return 0;
}
constexpr st::StructDef kReqInfo =
    st::sequence(KORVU_TYPE_CERTIFICATIONREQUESTINFO, kReqInfoFields, sizeof(KORVU_PKCS10_REQINFO))
        .finished(reqinfo_finish);
// Elements put into the list of an info read without [0] bring the [0] with them.
static void reqinfo_mark(const void *record) {
  auto *r = static_cast<KORVU_PKCS10_REQINFO *>(const_cast<void *>(record));
  if (r != nullptr && r->attributes != nullptr && r->attributes->count > 0) r->hasAttributes = 1;
}
static Len reqinfo_length(const void *record) {
  reqinfo_mark(record);
  return st::content_length(kReqInfo, record);
}
static int reqinfo_encode(KORVU_STREAM *s, const void *record, uint32_t length, uint32_t *written,
                          KORVU_ERR_CTX *ctx) {
  reqinfo_mark(record);
  return st::encode_content(kReqInfo, s, record, length, written, ctx);
}
constexpr TypeOps reqinfo_ops() {
  TypeOps o = st::ops_of<kReqInfo>();
  o.content_length = &reqinfo_length;
  o.encode_content = &reqinfo_encode;
  return o;
}
static_assert(st::check_table(kReqInfo, KORVU_TYPE_CERTIFICATIONREQUESTINFO), "table checked against its row");
KORVU_REGISTER_TYPE(KORVU_TYPE_CERTIFICATIONREQUESTINFO) = reqinfo_ops();
KORVU_API KORVU_PKCS10_REQINFO *korvu_pkcs10certreqinfo_new(const KORVU_ASN1_INTEGER *version,
                                                           const korvu_x500_name_st *subject,
                                                           const KORVU_X509_SPKI *spki,
                                                           const KORVU_ASN1_LIST *attributes) {
  if (attributes == nullptr) return nullptr;  // required here, even empty
  return static_cast<KORVU_PKCS10_REQINFO *>(st::make<kReqInfo>(version, subject, spki, attributes));
}

// CertificationRequest ::= SEQUENCE { certificationRequestInfo CertificationRequestInfo,
//   signatureAlgorithm AlgorithmIdentifier{{ SignatureAlgorithms }}, signature BIT STRING }
// keeping its whole encoding and its info's as received (or as first written).
constexpr st::Field kReqFields[] = {
    KORVU_FIELD(KORVU_TYPE_CERTIFICATIONREQUESTINFO, KORVU_PKCS10_REQ, certificationRequestInfo)
        .keeps(offsetof(KORVU_PKCS10_REQ, tbsEncoded)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS10_REQ, signatureAlgorithm),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_PKCS10_REQ, signatureValue)};
constexpr st::StructDef kReq = st::sequence(KORVU_TYPE_CERTIFICATIONREQUEST, kReqFields, sizeof(KORVU_PKCS10_REQ))
                                   .keeping(offsetof(KORVU_PKCS10_REQ, encoded), 2048)
                                   .leftover(kErrIncorrectLength);
static_assert(offsetof(KORVU_PKCS10_REQ, hasEncoded) - offsetof(KORVU_PKCS10_REQ, encoded) ==
                  offsetof(st::Kept, has) &&
              offsetof(KORVU_PKCS10_REQ, hasTbsEncoded) - offsetof(KORVU_PKCS10_REQ, tbsEncoded) ==
                  offsetof(st::Kept, has));
static_assert(st::index_at(kReq, offsetof(KORVU_PKCS10_REQ, certificationRequestInfo)) == 0);
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTIFICATIONREQUEST, kReq);
KORVU_API KORVU_PKCS10_REQ *korvu_pkcs10certreq_new(const void *bytes, int32_t length, KORVU_ERR_CTX *ctx) {
  return static_cast<KORVU_PKCS10_REQ *>(x509::signed_parse(
      KORVU_TYPE_CERTIFICATIONREQUEST, {"CERTIFICATE REQUEST", "NEW CERTIFICATE REQUEST"}, bytes, length, ctx));
}
KORVU_API KORVU_PKCS10_REQ *korvu_pkcs10certreq_create(const KORVU_PKCS10_REQINFO *info,
                                                      const KORVU_X509_ALGID *algorithm,
                                                      const KORVU_ASN1_BITSTRING *signature) {
  return static_cast<KORVU_PKCS10_REQ *>(x509::signed_create(kReq, info, algorithm, signature));
}
KORVU_GET_IN(korvu_pkcs10certreq_getversion, certificationRequestInfo, kReqInfo, version);
KORVU_GET_IN(korvu_pkcs10certreq_getsubject, certificationRequestInfo, kReqInfo, subject);
KORVU_GET_IN(korvu_pkcs10certreq_getpubkey, certificationRequestInfo, kReqInfo, subjectPKInfo);
KORVU_API KORVU_ASN1_LIST *korvu_pkcs10certreq_getattrs(const KORVU_PKCS10_REQ *req) {
  return req && req->certificationRequestInfo ? req->certificationRequestInfo->attributes : nullptr;
}
KORVU_API int korvu_pkcs10certreq_hasattrs(const KORVU_PKCS10_REQ *req) {
  return req && req->certificationRequestInfo && req->certificationRequestInfo->hasAttributes ? 1 : 0;
}
KORVU_GET(korvu_pkcs10certreq_getsignalgo, kReq, signatureAlgorithm);
KORVU_GET(korvu_pkcs10certreq_getsignvalue, kReq, signatureValue);
KORVU_API int korvu_pkcs10certreq_gettbsocts(KORVU_PKCS10_REQ *req, unsigned char *buffer, uint32_t *length,
                                             KORVU_ERR_CTX *ctx) {
  return x509::signed_tbs_octets(kReq, req, buffer, length, ctx);
}
