// Helpers shared by the X.509 modules.
#ifndef KORVU_X509_CERT_INTERNAL_H
#define KORVU_X509_CERT_INTERNAL_H

#include "../core/struct.h"
#include "../core/list_codec.h"

namespace korvu::x509 {

// A signed structure whose table `d` is { to-be-signed part (keeping its encoding),
// signatureAlgorithm, signatureValue } and keeps its whole encoding: a new record from copies of the three,
// encoded once right away. Null when an argument is null, a copy fails or the encoding fails.
void *signed_create(const st::StructDef &d, const void *tbs, const void *algorithm, const void *signature);
// The kept octets of a signed structure's to-be-signed part (its first component), written first when the
// record has none, under the buffer convention of st::copy_kept.
int signed_tbs_octets(const st::StructDef &d, const void *record, unsigned char *buffer, uint32_t *length,
                      KORVU_ERR_CTX *ctx);

}  // namespace korvu::x509

#endif
