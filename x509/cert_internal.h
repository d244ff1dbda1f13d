// Helpers shared by the X.509 modules.
#ifndef KORVU_X509_CERT_INTERNAL_H
#define KORVU_X509_CERT_INTERNAL_H

#include "../core/struct.h"
#include "../core/list_codec.h"

#include <initializer_list>

namespace korvu::x509 {

// The components of AlgorithmIdentifier's record (KORVU_X509_ALGID), shared by every type of its shape
// (SMIMECapability, PolicyQualifierInfo, QCStatement, SpcAttributeTypeAndOptionalValue):
// { OBJECT IDENTIFIER, ANY OPTIONAL }.
constexpr st::Field kAlgIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_X509_ALGID, algorithm),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_X509_ALGID, parameters).optional(offsetof(KORVU_X509_ALGID, hasParameters))};
// Their finish: isNullParameter says the parameters are 05 00.
static inline int algid_finish(void *record, KORVU_ERR_CTX *) {
  auto *a = static_cast<KORVU_X509_ALGID *>(record);
  const KORVU_ASN1_ANY *p = a->parameters;
  a->isNullParameter = a->hasParameters && p != nullptr && !p->eoc && p->tag_class == 0 && p->primitive &&
                       p->tag_number == 5 && p->content_length == 0;
  return 1;
}

// A signed structure whose table `d` is { to-be-signed part (keeping its encoding),
// signatureAlgorithm, signatureValue } and keeps its whole encoding: a new record from copies of the three,
// encoded once right away. Null when an argument is null, a copy fails or the encoding fails.
void *signed_create(const st::StructDef &d, const void *tbs, const void *algorithm, const void *signature);
// The kept octets of a signed structure's to-be-signed part (its first component), written first when the
// record has none, under the buffer convention of st::copy_kept.
int signed_tbs_octets(const st::StructDef &d, const void *record, unsigned char *buffer, uint32_t *length,
                      KORVU_ERR_CTX *ctx);
// A signed structure of type `type` read from DER (first octet 30), Base64 of DER (first octet 'M') or PEM text
// (first octet '-'; the labels tried in order, the first block found is used), whose DER must hold exactly one
// value. Failures: null or empty input (the utility library's argument codes), bad Base64 (stream read error),
// no block under any label (stream write error), another first octet (the type's decode code), octets after the
// value ("incorrect length"), or the value's own decode errors.
void *signed_parse(uint32_t type, std::initializer_list<const char *> labels, const void *bytes, int32_t length,
                   KORVU_ERR_CTX *ctx);

}  // namespace korvu::x509

#endif
