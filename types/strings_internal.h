// Shared reader of string contents: OCTET STRING, the character string types
// and the time types all accept primitive and constructed (BER) encodings.
#ifndef KORVU_TYPES_STRINGS_INTERNAL_H
#define KORVU_TYPES_STRINGS_INTERNAL_H

#include "../core/internal.h"

namespace korvu {

// Reads the contents of a string whose identifier and length have been read:
// primitive bytes, or constructed segments (each a complete encoding of
// universal class and tag `segment_tag`, primitive or constructed, nested up
// to the recursion limit), appending the data octets to `out`. `length` is
// 0xFFFFFFFF for an indefinite length. `consumed` counts the contents octets
// read, including the end-of-contents octets of indefinite levels.
// Every segment of a definite level must fit in what is left of that level.
// Failures are recorded in ctx (the caller adds its type's decode failure);
// a level nested past korvu_get_recursive_level() returns KORVU_ERR_DEPTH.
int read_string_contents(KORVU_STREAM *s, KORVU_STREAM *out, int primitive, uint32_t length,
                         uint32_t segment_tag, uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth);

// The same for BIT STRING contents (segments tagged 3): every primitive
// segment starts with its unused-bits octet, which must be below 8, 0 for a
// segment of no data, and 0 for every segment but the last. `unused` receives
// the last segment's count.
int read_bitstring_contents(KORVU_STREAM *s, KORVU_STREAM *out, int primitive, uint32_t length,
                            uint32_t *unused, uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth);

// A new value of record type T (a string record with `stream` and
// `owns_stream`) whose data stream is a growable memory stream with its
// initial buffer (`capacity` octets, 64 to 2048) in the value's own block, so
// that a small value is one allocation; the value owns the stream. Null when
// memory runs out. Freeing the stream releases only a buffer it grew.
//
// The stream keeps no error context: the value outlives the call that made
// it, and with it the caller's context, which a later write that runs out of
// memory would otherwise report into.
template <class T>
T *new_with_stream(uint32_t capacity) {
  if (capacity < 64) capacity = 64;
  if (capacity > 2048) capacity = 2048;
  const size_t head = (sizeof(T) + 7) & ~size_t{7};
  auto *v = static_cast<T *>(KORVU_ALLOC(head + stream::embedded_size(capacity)));
  if (v == nullptr) return nullptr;
  *v = T{};
  v->stream = stream::embed_mem(reinterpret_cast<char *>(v) + head, capacity, nullptr);
  v->owns_stream = 1;
  return v;
}

// ---------------------------------------------------------------------------
// Writing. Segment size of the constructed indefinite form.
inline constexpr uint32_t kSegmentSize = 8192;
// A data stream other than a memory stream of this length or more is written
// constructed with an indefinite length (as is one whose length is unknown).
inline constexpr uint32_t kLargeValue = 0x500000;

// Length of an OCTET STRING or character string's data under the large-value
// rule: the data length, kLenIndef when it is written in segments, kLenError
// for a null stream or a memory stream whose length fails or passes kLenMax.
Len string_content_length(KORVU_STREAM *data);

// Writes the data of `data`: all of it (exactly `length` octets, else
// KORVU_ERR_COUNT_MISMATCH) when `length` is definite; when it is kLenIndef,
// segments `segment_tag` of up to kSegmentSize octets, then 00 00. For BIT
// STRING (bits = true) every segment and the definite form carry an
// unused-bits octet first: `unused` in the last, 0 in the others. `written`
// gets the octets written.
int write_string_data(KORVU_STREAM *out, KORVU_STREAM *data, Len length, uint32_t segment_tag, bool bits,
                      uint32_t unused, uint32_t *written, KORVU_ERR_CTX *ctx);

// Decodes the data of `data` as one complete value of `type`, which must use
// up the data exactly (else kErrBytesNotDecoded). Memory streams are read
// through a read-only view, other streams are rewound.
int decode_object_from(KORVU_STREAM *data, uint32_t type, void **object, KORVU_ERR_CTX *ctx);

// Reads all data bytes of `data` into `buffer` (`length` of them).
int read_all(KORVU_STREAM *data, void *buffer, uint32_t length);

// Piecewise reader behind the _get exports (mode 1 rewinds, mode 2 continues).
int read_piece(KORVU_STREAM *data, int mode, void *buffer, int32_t size, uint32_t *count, KORVU_ERR_CTX *ctx);

// Reports a failed stream operation: `rc` when it is a stream or general
// code, else KORVU_STREAM_ERR_READ; returns `rc` unchanged (0 stays 0).
int stream_failure(KORVU_ERR_CTX *ctx, int rc, const char *src, int line);

// ---------------------------------------------------------------------------
// The OCTET STRING value operations, shared by the character string types.
void octetstring_free(void *value);
Len octetstring_content_length(const void *value);
int octetstring_encode_content(KORVU_STREAM *s, const void *value, uint32_t length, uint32_t *written,
                               KORVU_ERR_CTX *ctx);
int octetstring_decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                               KORVU_ERR_CTX *ctx, int depth);
// Whole encoding and decoding of a string of universal tag `tag` (type
// `type` for the errors); constructed forms use segments tagged 4.
int string_encode(KORVU_STREAM *s, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx, uint32_t type,
                  uint32_t tag);
int string_decode_tlv(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                      int depth, uint32_t type, uint32_t tag);

template <uint32_t Type, uint32_t Tag>
int string_encode_t(KORVU_STREAM *s, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx) {
  return string_encode(s, value, written, ctx, Type, Tag);
}
template <uint32_t Type, uint32_t Tag>
int string_decode_tlv_t(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                        int depth) {
  return string_decode_tlv(s, h, out, consumed, ctx, depth, Type, Tag);
}

// The tail shared by the *_content_ex exports: once the contents are read
// (rc) hand out the value made by `make`, or record the type's failure.
template <class V, class Make>
int hand_out_ex(int rc, V **value, uint32_t *consumed, uint32_t n, uint32_t type, KORVU_ERR_CTX *ctx, Make &&make) {
  V *v = nullptr;
  if (rc == 1 && value != nullptr && (v = make()) == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    rc = 0;
  }
  if (rc != 1) {
    KORVU_DECODE_ERR(ctx, type);
    return rc;
  }
  if (value != nullptr) *value = v;
  if (consumed != nullptr) *consumed = n;
  return 1;
}

// The *_ex exports that read a whole string: the identifier and length of a
// universal `tag` value, then its contents through `contents` (one of the
// *_content_ex exports, which counts the contents octets).
template <class V, class Contents>
int decode_ex(KORVU_STREAM *input, KORVU_STREAM *output, V **value, uint32_t *consumed, KORVU_ERR_CTX *ctx,
              uint32_t type, uint32_t tag, Contents &&contents) {
  if (value != nullptr) *value = nullptr;
  if (consumed != nullptr) *consumed = 0;
  if (input == nullptr || output == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  Header h;
  int rc = read_header(input, h, ctx);
  if (rc == 1 && (h.tag_class != KORVU_CLASS_UNIVERSAL || h.tag != tag)) {
    // An end-of-contents where the string was expected is only the summary.
    if (!(h.tag_class == 0 && h.primitive && h.tag == 0)) KORVU_ERR(ctx, kErrIncorrectItem);
    rc = 0;
  }
  if (rc != 1) {
    KORVU_DECODE_ERR(ctx, type);
    return rc;
  }
  uint32_t n = 0;
  rc = contents(input, output, value, h.primitive ? 1 : 0, h.length, &n, ctx);
  if (rc != 1) return rc;
  if (consumed != nullptr) *consumed = h.size + n;
  return 1;
}

}  // namespace korvu

#endif
