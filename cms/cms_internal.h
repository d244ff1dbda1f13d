// Shared between the signed-message tables and the streaming SignedData decoder.
#ifndef KORVU_CMS_INTERNAL_H
#define KORVU_CMS_INTERNAL_H

#include "korvu/cms.h"
#include "../core/struct.h"

namespace korvu::cms {

inline constexpr uint32_t kOctetStringTag = kCatalog[KORVU_TYPE_OCTET_STRING].tag_number;

// An empty SignedData record (wrapper kind 1), freed with the type's free.
KORVU_PKCS7_SIGNEDDATA *new_signeddata_record();

}  // namespace korvu::cms

#endif
