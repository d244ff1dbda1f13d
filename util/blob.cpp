// Data blobs: a byte buffer with its 32-bit length, owning a private copy.
#include <cstring>

#include "korvu/util.h"

#define KORVU_UTIL_SRC "KORVU_UTIL_Blob"

extern "C" {

// An empty blob still carries a non-null (one-byte) block, so `data` is never
// null in a blob made here; korvu_data_blob_free accepts a null `data` too.
KORVU_DATA_BLOB *korvu_data_blob_new(const void *bytes, uint32_t length) {
  if (bytes == nullptr && length != 0) return nullptr;
  auto *blob = static_cast<KORVU_DATA_BLOB *>(korvu_malloc(sizeof(KORVU_DATA_BLOB), KORVU_UTIL_SRC, __LINE__));
  if (blob == nullptr) return nullptr;
  blob->data = static_cast<unsigned char *>(korvu_malloc(length, KORVU_UTIL_SRC, __LINE__));
  if (blob->data == nullptr) {
    korvu_free(blob);
    return nullptr;
  }
  if (length != 0) std::memcpy(blob->data, bytes, length);
  blob->length = length;
  return blob;
}

void korvu_data_blob_free(KORVU_DATA_BLOB *blob) {
  if (blob == nullptr) return;
  korvu_free(blob->data);
  korvu_free(blob);
}

}  // extern "C"
