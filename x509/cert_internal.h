// Helpers shared by the X.509 modules.
#ifndef KORVU_X509_CERT_INTERNAL_H
#define KORVU_X509_CERT_INTERNAL_H

#include "../core/struct.h"
#include "../types/list_internal.h"

namespace korvu::x509 {

// A Certificate from a TBSCertificate and a signature value (both copied);
// its signatureAlgorithm is a copy of the TBSCertificate's signature. It is
// encoded once right away so that it carries its kept encodings. Null when
// an argument is null, a copy fails or the encoding fails.
KORVU_X509_CERT *certificate_create(const KORVU_X509_TBSCERT *tbs, const KORVU_ASN1_BITSTRING *signature);

// 1 and the choice number of a CHOICE record, or 0 for a null argument.
inline int choice_number(const void *record, uint32_t *choice) {
  if (record == nullptr || choice == nullptr) return 0;
  *choice = st::choice_of(record);
  return 1;
}

}  // namespace korvu::x509

#endif
