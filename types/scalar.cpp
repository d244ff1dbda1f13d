// End-of-contents, BOOLEAN, INTEGER, ENUMERATED and NULL (X.690 8.1.5, 8.2,
// 8.3, 8.4, 8.8).
#define KORVU_SRC "KORVU_ASN1_Scalar"
#include <array>
#include <cstring>

#include "../core/internal.h"

namespace korvu {

namespace {
// One constant word per contents octet, so that a BER TRUE keeps its octet.
constexpr auto kBooleans = [] {
  std::array<uint32_t, 256> a{};
  for (uint32_t i = 0; i < 256; i++) a[i] = i;
  return a;
}();
}  // namespace

const uint32_t *shared_boolean(unsigned char octet) { return &kBooleans[octet]; }

bool is_shared_boolean(const void *v) {
  const auto p = reinterpret_cast<uintptr_t>(v), base = reinterpret_cast<uintptr_t>(kBooleans.data());
  return p >= base && p < base + sizeof kBooleans;
}

namespace {

// Decoded NULL and end-of-contents values point here; freeing them does nothing.
constexpr uint32_t kMarker = 0;
void *marker() { return const_cast<uint32_t *>(&kMarker); }

void free_nothing(void *) {}
Len zero_length(const void *) { return 0; }

// Shared checks of a primitive contents decoder.
int check_primitive(int primitive, uint32_t length, KORVU_ERR_CTX *ctx) {
  if (!primitive) {
    KORVU_ERR(ctx, kErrPcBit);
    return 0;
  }
  if (length == 0xFFFFFFFFu) {
    KORVU_ERR(ctx, kErrMustBeDefinite);
    return 0;
  }
  return 1;
}

// ---- end-of-contents (type 0) ---------------------------------------------

int eoc_encode_content(KORVU_STREAM *, const void *, uint32_t length, uint32_t *written, KORVU_ERR_CTX *ctx) {
  if (length != 0) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  if (written) *written = 0;
  return 1;
}

int eoc_decode_content(KORVU_STREAM *, void **out, int primitive, uint32_t length, uint32_t *consumed,
                       KORVU_ERR_CTX *ctx, int) {
  if (!primitive) {
    KORVU_ERR(ctx, kErrPcBit);
    return 0;
  }
  if (length != 0) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  *out = marker();
  if (consumed) *consumed = 0;
  return 1;
}

int eoc_encode(KORVU_STREAM *s, const void *, uint32_t *written, KORVU_ERR_CTX *ctx) {
  if (s == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  static constexpr unsigned char kEoc[2] = {0, 0};
  int r = write_octets(s, kEoc, 2, ctx);
  if (r == 1 && written) *written = 2;
  return r;
}

int eoc_decode_tlv(KORVU_STREAM *, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx, int) {
  if (h.size != 2 || h.raw[0] != 0 || h.raw[1] != 0) {
    KORVU_ERR(ctx, kErrDecodeEoc);
    return 0;
  }
  *out = marker();
  if (consumed) *consumed = 0;
  return 1;
}

// ---- BOOLEAN (type 1) -----------------------------------------------------

uint32_t *new_word(uint32_t v) {
  auto *p = static_cast<uint32_t *>(KORVU_ALLOC(sizeof(uint32_t)));
  if (p) *p = v;
  return p;
}

// Every BOOLEAN is a word of its own that its holder may write; freeing one
// of the shared constants does nothing.
void boolean_free(void *v) {
  if (!is_shared_boolean(v)) korvu_free(v);
}
Len boolean_length(const void *v) { return v ? 1 : kLenError; }

int boolean_encode_content(KORVU_STREAM *s, const void *v, uint32_t length, uint32_t *written,
                           KORVU_ERR_CTX *ctx) {
  if (s == nullptr || v == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (length != 1) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  uint32_t w = *static_cast<const uint32_t *>(v);
  unsigned char octet = w == 0 ? 0 : static_cast<unsigned char>(w & 0xFF);
  // A stored word whose low byte is zero but which is TRUE writes FF.
  if (w != 0 && octet == 0) octet = 0xFF;
  int r = write_octets(s, &octet, 1, ctx);
  if (r == 1 && written) *written = 1;
  return r;
}

int boolean_decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                           KORVU_ERR_CTX *ctx, int) {
  if (check_primitive(primitive, length, ctx) != 1) return 0;
  if (length != 1) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  unsigned char octet;
  int r = stream::read_byte(s, &octet);
  if (r != 1) {
    KORVU_ERR(ctx, static_cast<uint32_t>(r));
    return r;
  }
  uint32_t *v = new_word(octet);
  if (v == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  *out = v;
  if (consumed) *consumed = 1;
  return 1;
}

// ---- INTEGER (type 2) and ENUMERATED (type 7) -----------------------------

using Integer = KORVU_DATA_BLOB;

// A new INTEGER record.
Integer *new_integer() {
  auto *v = static_cast<Integer *>(KORVU_ALLOC(sizeof(Integer)));
  if (v != nullptr) std::memset(v, 0, sizeof *v);
  return v;
}

Integer *integer_from(const unsigned char *p, uint32_t n) {
  auto *v = new_integer();
  if (v == nullptr) return nullptr;
  v->data = static_cast<unsigned char *>(KORVU_ALLOC(n ? n : 1));
  if (v->data == nullptr) {
    korvu_free(v);
    return nullptr;
  }
  if (n) std::memcpy(v->data, p, n);
  v->length = n;
  return v;
}

void integer_free(void *p) {
  auto *v = static_cast<Integer *>(p);
  if (v == nullptr) return;
  korvu_free(v->data);
  korvu_free(v);
}

Len integer_length(const void *p) {
  auto *v = static_cast<const Integer *>(p);
  if (v == nullptr || v->data == nullptr) return kLenError;
  return v->length > kLenMax ? kLenOverflow : v->length;
}

int integer_encode_content(KORVU_STREAM *s, const void *p, uint32_t length, uint32_t *written,
                           KORVU_ERR_CTX *ctx) {
  auto *v = static_cast<const Integer *>(p);
  if (s == nullptr || v == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (length != v->length) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  int r = write_octets(s, v->data, v->length, ctx);
  if (r == 1 && written) *written = v->length;
  return r;
}

// X.690 8.3.2: the first nine bits of a multi-octet integer are not all equal.
bool integer_minimal(const unsigned char *p, uint32_t n) {
  if (n < 2) return true;
  return !((p[0] == 0x00 && p[1] < 0x80) || (p[0] == 0xFF && p[1] >= 0x80));
}

int integer_decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                           KORVU_ERR_CTX *ctx, int) {
  if (check_primitive(primitive, length, ctx) != 1) return 0;
  if (length < 1) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  unsigned char *bytes = nullptr;
  int r = read_alloc(s, length, &bytes, ctx);
  if (r != 1) return r;
  auto *v = new_integer();
  if (v == nullptr) {
    korvu_free(bytes);
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  v->data = bytes;
  v->length = length;
  // Kept as received; the caller is told that the encoding is not DER.
  if (!integer_minimal(bytes, length)) KORVU_ERR(ctx, kErrBadIntegerEncode);
  *out = v;
  if (consumed) *consumed = length;
  return 1;
}

// Drops redundant leading sign octets (at least one octet stays).
Integer *integer_minimised(const unsigned char *p, uint32_t n) {
  uint32_t i = 0;
  while (n - i >= 2 && ((p[i] == 0x00 && p[i + 1] < 0x80) || (p[i] == 0xFF && p[i + 1] >= 0x80))) i++;
  return integer_from(p + i, n - i);
}

Integer *integer_from_int32(int32_t value) {
  // The magnitude is taken unsigned so that -2^31 does not overflow.
  uint32_t u = static_cast<uint32_t>(value);
  unsigned char b[4] = {static_cast<unsigned char>(u >> 24), static_cast<unsigned char>(u >> 16),
                        static_cast<unsigned char>(u >> 8), static_cast<unsigned char>(u)};
  return integer_minimised(b, 4);
}

int integer_to_int32(const Integer *v, int32_t *out) {
  if (v == nullptr || out == nullptr || v->data == nullptr || v->length == 0) return 0;
  const unsigned char *p = v->data;
  uint32_t n = v->length;
  bool negative = (p[0] & 0x80) != 0;
  uint32_t i = 0;
  // Leading sign octets carry no value.
  while (n - i > 1 && p[i] == (negative ? 0xFF : 0x00)) i++;
  if (n - i > 4) return 0;
  uint32_t u = negative ? 0xFFFFFFFFu : 0;
  for (; i < n; i++) u = (u << 8) | p[i];
  if (negative) {
    uint32_t magnitude = ~u + 1;  // two's complement magnitude, computed unsigned
    if (magnitude > 0x7FFFFFFFu || magnitude == 0) return 0;
    *out = -static_cast<int32_t>(magnitude);
  } else {
    if (u > 0x7FFFFFFFu) return 0;
    *out = static_cast<int32_t>(u);
  }
  return 1;
}

// ---- NULL (type 5) ----------------------------------------------------------

int null_encode_content(KORVU_STREAM *, const void *, uint32_t length, uint32_t *written, KORVU_ERR_CTX *ctx) {
  if (length != 0) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  if (written) *written = 0;
  return 1;
}

int null_decode_content(KORVU_STREAM *, void **out, int primitive, uint32_t length, uint32_t *consumed,
                        KORVU_ERR_CTX *ctx, int) {
  if (check_primitive(primitive, length, ctx) != 1) return 0;
  if (length != 0) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  *out = marker();
  if (consumed) *consumed = 0;
  return 1;
}

int null_encode(KORVU_STREAM *s, const void *, uint32_t *written, KORVU_ERR_CTX *ctx) {
  if (s == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  static constexpr unsigned char kNull[2] = {0x05, 0x00};
  int r = write_octets(s, kNull, 2, ctx);
  if (r == 1 && written) *written = 2;
  return r;
}

}  // namespace
}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(KORVU_TYPE_END_OF_CONTENTS) = {
    free_nothing, zero_length, nullptr, eoc_encode_content, eoc_decode_content, eoc_encode, eoc_decode_tlv};
KORVU_REGISTER_TYPE(KORVU_TYPE_BOOLEAN) = {
    boolean_free, boolean_length, nullptr, boolean_encode_content, boolean_decode_content};
KORVU_REGISTER_TYPE(KORVU_TYPE_INTEGER) = {
    integer_free, integer_length, nullptr, integer_encode_content, integer_decode_content, nullptr, nullptr};
KORVU_REGISTER_TYPE(KORVU_TYPE_ENUMERATED) = {
    integer_free, integer_length, nullptr, integer_encode_content, integer_decode_content, nullptr, nullptr};
KORVU_REGISTER_TYPE(KORVU_TYPE_NULL) = {
    free_nothing, zero_length, nullptr, null_encode_content, null_decode_content, null_encode};

extern "C" {

KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_true(void) { return new_word(255); }
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_false(void) { return new_word(0); }
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_new(uint8_t octet) { return new_word(octet); }

KORVU_API int korvu_asn1_boolean_istrue(const KORVU_ASN1_BOOLEAN *value) {
  return value != nullptr && *value != 0 ? 1 : 0;
}

KORVU_API int korvu_asn1_boolean_getvalue(const KORVU_ASN1_BOOLEAN *value, uint32_t *word) {
  if (value == nullptr || word == nullptr) return 0;
  *word = *value;
  return 1;
}

KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_value(int32_t value) { return integer_from_int32(value); }
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_enum_value(int32_t value) { return integer_from_int32(value); }

KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_new(const void *bytes, int32_t count) {
  if (bytes == nullptr || count < 1) return nullptr;
  return integer_minimised(static_cast<const unsigned char *>(bytes), static_cast<uint32_t>(count));
}

KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_unsigned_integer_new(const void *bytes, int32_t count) {
  if (bytes == nullptr || count < 1) return nullptr;
  auto *p = static_cast<const unsigned char *>(bytes);
  auto n = static_cast<uint32_t>(count);
  if (p[0] >= 0x80) {
    auto *v = new_integer();
    if (v == nullptr) return nullptr;
    if (n > 0x7FFFFFFEu || (v->data = static_cast<unsigned char *>(KORVU_ALLOC(n + 1))) == nullptr) {
      korvu_free(v);
      return nullptr;
    }
    v->data[0] = 0x00;
    std::memcpy(v->data + 1, p, n);
    v->length = n + 1;
    return v;
  }
  uint32_t i = 0;
  while (n - i >= 2 && p[i] == 0x00 && p[i + 1] < 0x80) i++;
  return integer_from(p + i, n - i);
}

KORVU_API int korvu_asn1_integer_get(const KORVU_ASN1_INTEGER *value, void *buffer) {
  if (value == nullptr || buffer == nullptr) return 0;
  if (value->length) std::memcpy(buffer, value->data, value->length);
  return 1;
}

KORVU_API uint32_t korvu_asn1_integer_getlength(const void *value) {
  // Also serves OBJECT IDENTIFIER and RELATIVE-OID, whose records begin with
  // the same byte array and length.
  if (value == nullptr) return 0xFFFFFFFEu;
  return static_cast<const KORVU_DATA_BLOB *>(value)->length;
}

KORVU_API int korvu_asn1_integer_getlong(const KORVU_ASN1_INTEGER *value, int32_t *out) {
  return integer_to_int32(value, out);
}

KORVU_API int korvu_asn1_enum_getlong(const KORVU_ASN1_INTEGER *value, int32_t *out) {
  return integer_to_int32(value, out);
}

KORVU_API int korvu_asn1_integer_equals(const KORVU_ASN1_INTEGER *a, const KORVU_ASN1_INTEGER *b) {
  if (a == nullptr || b == nullptr) return a == b ? 1 : 0;
  return a->length == b->length && (a->length == 0 || std::memcmp(a->data, b->data, a->length) == 0) ? 1 : 0;
}

KORVU_API int korvu_asn1_integer_encodecmp(const KORVU_ASN1_INTEGER *a, const KORVU_ASN1_INTEGER *b) {
  if (a == nullptr || b == nullptr) return a == b ? 0 : (a == nullptr ? -1 : 1);
  if (a->length != b->length) return a->length < b->length ? -1 : 1;
  int c = a->length ? std::memcmp(a->data, b->data, a->length) : 0;
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

KORVU_API KORVU_BIGINTEGER *korvu_asn1_integer_getbigintger(const KORVU_ASN1_INTEGER *value) {
  if (value == nullptr) return nullptr;
  return korvu_biginteger_newdata(value->data, value->length);
}

KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_newbigint(const KORVU_BIGINTEGER *value) {
  if (value == nullptr) return nullptr;
  KORVU_DATA_BLOB *blob = korvu_biginteger_getdata(value);
  if (blob == nullptr) return nullptr;
  KORVU_ASN1_INTEGER *v = nullptr;
  if (blob->length <= 0x7FFFFFFFu) v = korvu_asn1_integer_new(blob->data, static_cast<int32_t>(blob->length));
  korvu_data_blob_free(blob);
  return v;
}

}  // extern "C"
