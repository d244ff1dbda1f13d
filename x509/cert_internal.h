// Helpers shared by the X.509 modules.
#ifndef KORVU_X509_CERT_INTERNAL_H
#define KORVU_X509_CERT_INTERNAL_H

#include "../core/struct.h"
#include "../core/list_codec.h"

namespace korvu::x509 {

// A Certificate from a TBSCertificate and a signature value (both copied);
// its signatureAlgorithm is a copy of the TBSCertificate's signature. It is
// encoded once right away so that it carries its kept encodings. Null when
// an argument is null, a copy fails or the encoding fails.
KORVU_X509_CERT *certificate_create(const KORVU_X509_TBSCERT *tbs, const KORVU_ASN1_BITSTRING *signature);

}  // namespace korvu::x509

#endif
