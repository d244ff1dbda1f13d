// BIT STRING (universal 3): the bytes of the bits in a byte stream plus the
// count of unused bits in the last byte (X.690 8.6). Written primitive, or
// constructed with an indefinite length when the data stream cannot tell its
// length; read from either form.
#define KORVU_SRC "KORVU_ASN1_BitString"
#include <cstring>

#include "strings_internal.h"

namespace korvu {
namespace {

// The parameters of the shared codec (strings_internal.h).
struct BitStringForm {
  using Value = KORVU_ASN1_BITSTRING;
  static constexpr uint32_t kType = KORVU_TYPE_BIT_STRING, kTag = 3, kDecodeCapacity = 300;
  static constexpr bool kUnusedBits = true;

  // The data length: kLenIndef when the stream cannot tell it (a file past
  // 32 bits or without a length) or reports 0xFFFFFFFF; kLenError on failure.
  static Len data_length(const Value *v) {
    if (v == nullptr || v->stream == nullptr) return kLenError;
    uint32_t n = 0;
    int rc = korvu_stream_ctrl(v->stream, KORVU_STREAM_CTRL_LENGTH, &n);
    if (rc != 1) {
      bool mem = korvu_stream_gettype(v->stream) == KORVU_STREAM_TYPE_MEM;
      return (!mem && rc == static_cast<int>(KORVU_STREAM_ERR_LENGTH)) ? kLenIndef : kLenError;
    }
    return n;
  }

  // Contents: the unused-bits octet and the data. The indefinite and error
  // markers pass through; data that cannot take the extra octet is an error.
  static Len content_length(const void *value) {
    const auto *v = static_cast<const Value *>(value);
    Len n = data_length(v);
    if (n == kLenError || n == kLenIndef) return n;
    if (v->unused_bits > 7 || (n == 0 && v->unused_bits != 0) || n >= kLenMax) return kLenError;
    return n + 1;
  }
};
using Codec = StringCodec<BitStringForm>;

// The data as a whole, for the bit-level readers: borrowed for memory
// streams, else read into `owned` (freed by the caller).
const unsigned char *all_bytes(const KORVU_ASN1_BITSTRING *v, uint32_t *count, unsigned char **owned) {
  *owned = nullptr;
  *count = 0;
  if (v == nullptr || v->stream == nullptr) return nullptr;
  if (korvu_stream_gettype(v->stream) == KORVU_STREAM_TYPE_MEM) return korvu_memstream_data(v->stream, count);
  Len n = BitStringForm::data_length(v);
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

KORVU_REGISTER_TYPE(KORVU_TYPE_BIT_STRING) = Codec::ops();

extern "C" {

KORVU_API KORVU_ASN1_BITSTRING *korvu_asn1_bitstring_new(uint32_t unused_bits, const void *bytes, int32_t count) {
  if (unused_bits > 7 || count < 0 || (bytes == nullptr && count > 0) || (count == 0 && unused_bits != 0))
    return nullptr;
  if (count == 0) return Codec::new_copy(0, nullptr, 0);
  KORVU_ASN1_BITSTRING *v = Codec::new_copy(unused_bits, bytes, static_cast<uint32_t>(count));
  if (v == nullptr) return nullptr;
  // Clear the unused low bits of the last byte in the copy.
  unsigned char *p = v->stream->data;
  p[count - 1] &= static_cast<unsigned char>(0xFFu << unused_bits);
  return v;
}

KORVU_API KORVU_ASN1_BITSTRING *korvu_asn1_bitstring_newbits(const int32_t *positions, int32_t count) {
  if (count < 0) return nullptr;
  if (positions == nullptr || count == 0) return Codec::new_copy(0, nullptr, 0);
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
  KORVU_ASN1_BITSTRING *v = Codec::new_copy(7 - static_cast<uint32_t>(high) % 8, buf, bytes);
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
  Len n = BitStringForm::data_length(value);
  return n == kLenIndef ? KORVU_LENGTH_ERROR : static_cast<uint32_t>(n);
}

KORVU_API int korvu_asn1_bitstring_getunusedbits(const KORVU_ASN1_BITSTRING *value, uint32_t *count) {
  if (value == nullptr || count == nullptr) return 0;
  *count = value->unused_bits;
  return 1;
}

KORVU_API int korvu_asn1_bitstring_getall(const KORVU_ASN1_BITSTRING *value, void *buffer) {
  return Codec::get_all(value, buffer);
}

KORVU_API int korvu_asn1_bitstring_get(KORVU_ASN1_BITSTRING *value, int mode, void *buffer, int32_t size,
                                       uint32_t *count, KORVU_ERR_CTX *ctx) {
  return read_piece(value != nullptr ? value->stream : nullptr, mode, buffer, size, count, ctx);
}

KORVU_API int korvu_asn1_bitstring_getobject(const KORVU_ASN1_BITSTRING *value, uint32_t type, void **object,
                                             KORVU_ERR_CTX *ctx) {
  return decode_object_from(value != nullptr ? value->stream : nullptr, type, object, ctx);
}

KORVU_API int korvu_asn1_decode_bitstring_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                             KORVU_ASN1_BITSTRING **value, uint32_t *consumed, KORVU_ERR_CTX *ctx) {
  return Codec::decode_ex(input, output, value, consumed, ctx);
}

KORVU_API int korvu_asn1_decode_bitstring_content_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                                     KORVU_ASN1_BITSTRING **value, uint32_t primitive,
                                                     uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx) {
  return Codec::decode_content_ex(input, output, value, primitive, length, consumed, ctx);
}

}  // extern "C"
