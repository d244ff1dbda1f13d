// Shared by the signature-attribute tables.
#ifndef KORVU_CADES_INTERNAL_H
#define KORVU_CADES_INTERNAL_H

#include "../core/list_codec.h"
#include "../core/struct.h"
#include "korvu/asn1.h"

namespace korvu::cades {

// AlgorithmIdentifier { id-sha256 } (2.16.840.1.101.3.4.2.1), the DEFAULT of ESSCertIDv2 and ATSHashIndex.
constexpr unsigned char kSha256[] = {0x30, 0x0B, 0x06, 0x09, 0x60, 0x86, 0x48, 0x01, 0x65, 0x03, 0x04, 0x02, 0x01};

}  // namespace korvu::cades

#endif
