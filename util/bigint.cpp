// Big integers as two's complement bytes, most significant first, kept in
// their shortest form (the X.690 INTEGER contents rule).
#include <cstring>

#include "korvu/util.h"

#define KORVU_UTIL_SRC "KORVU_UTIL_BigInteger"

struct korvu_biginteger_st {
  unsigned char *data;  // at least one byte
  uint32_t length;
};

namespace {

// Leading bytes that only repeat the sign of the next byte are redundant.
uint32_t redundant_prefix(const unsigned char *p, uint32_t n) {
  uint32_t i = 0;
  while (i + 1 < n && ((p[i] == 0x00 && (p[i + 1] & 0x80) == 0) || (p[i] == 0xFF && (p[i + 1] & 0x80) != 0))) i++;
  return i;
}

}  // namespace

extern "C" {

// An empty byte string has no value and is refused.
KORVU_BIGINTEGER *korvu_biginteger_newdata(const void *bytes, uint32_t length) {
  if (bytes == nullptr || length == 0) return nullptr;
  const auto *p = static_cast<const unsigned char *>(bytes);
  uint32_t skip = redundant_prefix(p, length);
  auto *v = static_cast<KORVU_BIGINTEGER *>(korvu_malloc(sizeof(KORVU_BIGINTEGER), KORVU_UTIL_SRC, __LINE__));
  if (v == nullptr) return nullptr;
  v->length = length - skip;
  v->data = static_cast<unsigned char *>(korvu_malloc(v->length, KORVU_UTIL_SRC, __LINE__));
  if (v->data == nullptr) {
    korvu_free(v);
    return nullptr;
  }
  std::memcpy(v->data, p + skip, v->length);
  return v;
}

KORVU_DATA_BLOB *korvu_biginteger_getdata(const KORVU_BIGINTEGER *value) {
  if (value == nullptr) return nullptr;
  return korvu_data_blob_new(value->data, value->length);
}

KORVU_BIGINTEGER *korvu_biginteger_newlong(int64_t value) {
  unsigned char bytes[8];
  uint64_t u = static_cast<uint64_t>(value);
  for (int i = 7; i >= 0; i--) {
    bytes[i] = static_cast<unsigned char>(u & 0xFF);
    u >>= 8;
  }
  return korvu_biginteger_newdata(bytes, 8);
}

int korvu_biginteger_getlong(const KORVU_BIGINTEGER *value, int64_t *out) {
  if (out != nullptr) *out = 0;
  if (value == nullptr || out == nullptr || value->length == 0 || value->length > 8) return 0;
  uint64_t u = (value->data[0] & 0x80) != 0 ? ~uint64_t{0} : 0;  // sign extension
  for (uint32_t i = 0; i < value->length; i++) u = (u << 8) | value->data[i];
  *out = static_cast<int64_t>(u);
  return 1;
}

void korvu_biginteger_free(KORVU_BIGINTEGER *value) {
  if (value == nullptr) return;
  korvu_free(value->data);
  korvu_free(value);
}

}  // extern "C"
