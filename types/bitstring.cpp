// BIT STRING (universal 3): the bytes of the bits in a byte stream plus the
// count of unused bits in the last byte (X.690 8.6). Written primitive, or
// constructed with an indefinite length when the data stream cannot tell its
// length; read from either form.
#define KORVU_SRC "KORVU_ASN1_BitString"
#include <cstring>

#include "strings_internal.h"

namespace korvu {
namespace {

constexpr uint32_t kBitStringType = KORVU_TYPE_BIT_STRING;
constexpr uint32_t kBitStringTag = 3;
constexpr uint32_t kDecodeCapacity = 300;

KORVU_ASN1_BITSTRING *new_value(KORVU_STREAM *stream, uint32_t unused, uint32_t owns) {
  auto *v = static_cast<KORVU_ASN1_BITSTRING *>(KORVU_ALLOC(sizeof(KORVU_ASN1_BITSTRING)));
  if (v == nullptr) return nullptr;
  v->stream = stream;
  v->unused_bits = unused;
  v->owns_stream = owns;
  return v;
}

const KORVU_ASN1_BITSTRING *as_value(const void *value) { return static_cast<const KORVU_ASN1_BITSTRING *>(value); }

void bitstring_free(void *value);

// A new value owning a memory stream with a copy of the bytes.
KORVU_ASN1_BITSTRING *new_owned(uint32_t unused, const unsigned char *bytes, uint32_t count) {
  auto *v = new_with_stream<KORVU_ASN1_BITSTRING>(count);
  if (v == nullptr) return nullptr;
  v->unused_bits = unused;
  if (korvu_stream_writen(v->stream, bytes, count) != 1) {
    bitstring_free(v);
    return nullptr;
  }
  return v;
}

// The data length: kLenIndef when the stream cannot tell it (a file past
// 32 bits or without a length) or reports 0xFFFFFFFF; kLenError on failure.
Len data_length(const KORVU_ASN1_BITSTRING *v) {
  if (v == nullptr || v->stream == nullptr) return kLenError;
  uint32_t n = 0;
  int rc = korvu_stream_ctrl(v->stream, KORVU_STREAM_CTRL_LENGTH, &n);
  if (rc != 1) {
    bool mem = korvu_stream_gettype(v->stream) == KORVU_STREAM_TYPE_MEM;
    return (!mem && rc == static_cast<int>(KORVU_STREAM_ERR_LENGTH)) ? kLenIndef : kLenError;
  }
  return n;
}

void bitstring_free(void *value) {
  auto *v = static_cast<KORVU_ASN1_BITSTRING *>(value);
  if (v == nullptr) return;
  if (v->owns_stream == 1) korvu_stream_free(v->stream);
  korvu_free(v);
}

// Contents: the unused-bits octet and the data. The indefinite and error
// markers pass through; data that cannot take the extra octet is an error.
Len bitstring_content_length(const void *value) {
  const KORVU_ASN1_BITSTRING *v = as_value(value);
  Len n = data_length(v);
  if (n == kLenError || n == kLenIndef) return n;
  if (v->unused_bits > 7 || (n == 0 && v->unused_bits != 0) || n >= kLenMax) return kLenError;
  return n + 1;
}

int bitstring_encode_content(KORVU_STREAM *s, const void *value, uint32_t length, uint32_t *written,
                             KORVU_ERR_CTX *ctx) {
  if (written != nullptr) *written = 0;
  if (value == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  const KORVU_ASN1_BITSTRING *v = as_value(value);
  if (v->unused_bits > 7) {
    KORVU_ERR(ctx, kErrBadUnusedBits);
    return 0;
  }
  return write_string_data(s, v->stream, length, kBitStringTag, true, v->unused_bits, written, ctx);
}

int decode_owned(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                 KORVU_ERR_CTX *ctx, int depth) {
  auto *v = new_with_stream<KORVU_ASN1_BITSTRING>(contents_capacity(length, kDecodeCapacity));
  if (v == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  uint32_t n = 0, unused = 0;
  int rc = read_bitstring_contents(s, v->stream, primitive, length, &unused, &n, ctx, depth);
  if (rc != 1) {
    bitstring_free(v);
    return rc;
  }
  v->unused_bits = unused;
  *out = v;
  if (consumed != nullptr) *consumed = n;
  return 1;
}

int bitstring_decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                             KORVU_ERR_CTX *ctx, int depth) {
  if (consumed != nullptr) *consumed = 0;
  if (out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  int rc = decode_owned(s, out, primitive, length, consumed, ctx, depth);
  if (rc != 1) KORVU_DECODE_ERR(ctx, kBitStringType);
  return rc;
}

int bitstring_encode(KORVU_STREAM *s, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx) {
  if (written != nullptr) *written = 0;
  if (s == nullptr || value == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  Len length = bitstring_content_length(value);
  if (length == kLenError) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  uint32_t head = 0, body = 0;
  int rc = write_header(s, KORVU_CLASS_UNIVERSAL, length != kLenIndef, kBitStringTag, static_cast<uint32_t>(length),
                        &head, ctx);
  if (rc != 1) return rc;
  rc = bitstring_encode_content(s, value, static_cast<uint32_t>(length), &body, ctx);
  if (rc != 1) return rc;
  if (written != nullptr) *written = head + body;
  return 1;
}

int bitstring_decode_tlv(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                         int depth) {
  if (consumed != nullptr) *consumed = 0;
  if (out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  int rc = 0;
  if (h.tag_class != KORVU_CLASS_UNIVERSAL || h.tag != kBitStringTag)
    KORVU_ERR(ctx, kErrIncorrectItem);
  else
    rc = decode_owned(s, out, h.primitive, h.length, consumed, ctx, depth);
  if (rc != 1) KORVU_DECODE_ERR(ctx, kBitStringType);
  return rc;
}

// The data as a whole, for the bit-level readers: borrowed for memory
// streams, else read into `owned` (freed by the caller).
const unsigned char *all_bytes(const KORVU_ASN1_BITSTRING *v, uint32_t *count, unsigned char **owned) {
  *owned = nullptr;
  *count = 0;
  if (v == nullptr || v->stream == nullptr) return nullptr;
  if (korvu_stream_gettype(v->stream) == KORVU_STREAM_TYPE_MEM) return korvu_memstream_data(v->stream, count);
  Len n = data_length(v);
  if (!len_ok(n)) return nullptr;
  auto *buf = static_cast<unsigned char *>(KORVU_ALLOC(n == 0 ? 1 : n));
  if (buf == nullptr) return nullptr;
  if (read_all(v->stream, buf, static_cast<uint32_t>(n)) != 1) {
    korvu_free(buf);
    return nullptr;
  }
  *owned = buf;
  *count = static_cast<uint32_t>(n);
  return buf;
}

}  // namespace
}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(KORVU_TYPE_BIT_STRING) = {
    .free = bitstring_free,
    .content_length = bitstring_content_length,
    .total_length = nullptr,
    .encode_content = bitstring_encode_content,
    .decode_content = bitstring_decode_content,
    .encode = bitstring_encode,
    .decode_tlv = bitstring_decode_tlv,
    .shift_offsets = nullptr,
};

extern "C" {

KORVU_API KORVU_ASN1_BITSTRING *korvu_asn1_bitstring_new(uint32_t unused_bits, const void *bytes, int32_t count) {
  if (unused_bits > 7 || count < 0 || (bytes == nullptr && count > 0) || (count == 0 && unused_bits != 0))
    return nullptr;
  if (count == 0) return new_owned(0, nullptr, 0);
  KORVU_ASN1_BITSTRING *v = new_owned(unused_bits, static_cast<const unsigned char *>(bytes),
                                      static_cast<uint32_t>(count));
  if (v == nullptr) return nullptr;
  // Clear the unused low bits of the last byte in the copy.
  unsigned char *p = v->stream->data;
  p[count - 1] &= static_cast<unsigned char>(0xFFu << unused_bits);
  return v;
}

KORVU_API KORVU_ASN1_BITSTRING *korvu_asn1_bitstring_newbits(const int32_t *positions, int32_t count) {
  if (count < 0) return nullptr;
  if (positions == nullptr || count == 0) return new_owned(0, nullptr, 0);
  int32_t high = 0;
  for (int32_t i = 0; i < count; i++) {
    if (positions[i] < 0) return nullptr;
    if (positions[i] > high) high = positions[i];
  }
  uint32_t bytes = static_cast<uint32_t>(high) / 8 + 1;
  auto *buf = static_cast<unsigned char *>(KORVU_ALLOC(bytes));
  if (buf == nullptr) return nullptr;
  std::memset(buf, 0, bytes);
  for (int32_t i = 0; i < count; i++) {
    uint32_t q = static_cast<uint32_t>(positions[i]);
    buf[q / 8] |= static_cast<unsigned char>(0x80u >> (q % 8));
  }
  KORVU_ASN1_BITSTRING *v = new_owned(7 - static_cast<uint32_t>(high) % 8, buf, bytes);
  korvu_free(buf);
  return v;
}

KORVU_API KORVU_ASN1_BITSTRING *korvu_asn1_bitstring_newbitset(const KORVU_BITSET *bits) {
  uint32_t unused = 0, count = 0;
  const unsigned char *bytes = nullptr;
  if (korvu_bitset_getdata(bits, &unused, &bytes, &count) != 1 || count > static_cast<uint32_t>(INT32_MAX))
    return nullptr;
  return korvu_asn1_bitstring_new(unused, bytes, static_cast<int32_t>(count));
}

KORVU_API KORVU_BITSET *korvu_asn1_bitstring_getbitset(const KORVU_ASN1_BITSTRING *value) {
  if (value == nullptr || value->unused_bits > 7) return nullptr;
  unsigned char *owned = nullptr;
  uint32_t count = 0;
  const unsigned char *p = all_bytes(value, &count, &owned);
  if (p == nullptr) return nullptr;
  KORVU_BITSET *set =
      count == 0 && value->unused_bits == 0 ? korvu_bitset_empty() : korvu_bitset_new(value->unused_bits, p, count);
  korvu_free(owned);
  return set;
}

KORVU_API int korvu_asn1_bitstring_getbit(const KORVU_ASN1_BITSTRING *value, int32_t position) {
  if (value == nullptr || position < 0 || value->unused_bits > 7) return 0;
  unsigned char *owned = nullptr;
  uint32_t count = 0;
  const unsigned char *p = all_bytes(value, &count, &owned);
  int bit = 0;
  uint64_t q = static_cast<uint32_t>(position);
  if (p != nullptr && q < uint64_t{count} * 8 - (count != 0 ? value->unused_bits : 0))
    bit = (p[q / 8] >> (7 - q % 8)) & 1;
  korvu_free(owned);
  return bit;
}

KORVU_API uint32_t korvu_asn1_bitstring_getlength(const KORVU_ASN1_BITSTRING *value) {
  Len n = data_length(value);
  return n == kLenIndef ? KORVU_LENGTH_ERROR : static_cast<uint32_t>(n);
}

KORVU_API int korvu_asn1_bitstring_getunusedbits(const KORVU_ASN1_BITSTRING *value, uint32_t *count) {
  if (value == nullptr || count == nullptr) return 0;
  *count = value->unused_bits;
  return 1;
}

KORVU_API int korvu_asn1_bitstring_getall(const KORVU_ASN1_BITSTRING *value, void *buffer) {
  Len n = data_length(value);
  if (!len_ok(n)) return 0;
  return read_all(value->stream, buffer, static_cast<uint32_t>(n));
}

KORVU_API int korvu_asn1_bitstring_get(KORVU_ASN1_BITSTRING *value, int mode, void *buffer, int32_t size,
                                       uint32_t *count, KORVU_ERR_CTX *ctx) {
  return read_piece(value != nullptr ? value->stream : nullptr, mode, buffer, size, count, ctx);
}

KORVU_API int korvu_asn1_bitstring_getobject(const KORVU_ASN1_BITSTRING *value, uint32_t type, void **object,
                                             KORVU_ERR_CTX *ctx) {
  return decode_object_from(value != nullptr ? value->stream : nullptr, type, object, ctx);
}

KORVU_API int korvu_asn1_decode_bitstring_content_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                                     KORVU_ASN1_BITSTRING **value, uint32_t primitive,
                                                     uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx) {
  if (value != nullptr) *value = nullptr;
  if (consumed != nullptr) *consumed = 0;
  uint32_t n = 0, unused = 0;
  int rc = read_bitstring_contents(input, output, primitive ? 1 : 0, length, &unused, &n, ctx, 0);
  return hand_out_ex(rc, value, consumed, n, kBitStringType, ctx, [&] { return new_value(output, unused, 0); });
}

KORVU_API int korvu_asn1_decode_bitstring_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                             KORVU_ASN1_BITSTRING **value, uint32_t *consumed, KORVU_ERR_CTX *ctx) {
  return decode_ex(input, output, value, consumed, ctx, kBitStringType, kBitStringTag, korvu_asn1_decode_bitstring_content_ex);
}

}  // extern "C"
