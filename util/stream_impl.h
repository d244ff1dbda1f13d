// Internal layout of a stream, shared by the utility library and the codec so
// that reading a few octets from a memory stream is an inline copy rather than
// a call per octet. Not a public header.
#ifndef KORVU_UTIL_STREAM_IMPL_H
#define KORVU_UTIL_STREAM_IMPL_H

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "korvu/util.h"

struct korvu_stream_st {
  union {
    unsigned char *data;  // memory streams: the bytes
    std::FILE *fp;        // file streams (only `type` tells which member is live)
  };
  // Memory streams hold at most 0xFFFFFFFF octets, so their counts are 32 bits.
  uint32_t size;  // memory streams: bytes held
  uint32_t cap;   // memory streams: allocated size (0 for read-only views)
  uint32_t pos;   // memory streams: read position
  uint32_t type : 24;        // KORVU_STREAM_TYPE_MEM or KORVU_STREAM_TYPE_FILE
  uint32_t readonly : 1;     // memory view over bytes it does not own
  uint32_t inline_data : 1;  // memory streams: `data` is the initial buffer that
                             // shares the stream's own block (not freed apart)
  uint32_t embedded : 1;     // the stream lives inside another object's block:
                             // korvu_stream_free releases only a grown buffer
  uint32_t has_ctx : 1;      // an error context follows the stream in its block
};
// The bytes and the file share a word, the counts are 32 bits and the flags
// share a word with the type: 24 octets, which every OCTET STRING and BIT
// STRING value carries in its block. The error context a stream reports
// running out of memory into is rare (korvu_stream_new_mem with a context):
// it follows the stream in its block, behind `has_ctx`.
static_assert(sizeof(void *) != 8 || sizeof(korvu_stream_st) == 24, "stream layout");
static_assert(KORVU_STREAM_TYPE_MEM < (1u << 24) && KORVU_STREAM_TYPE_FILE < (1u << 24), "stream types fit");

namespace korvu::stream {

// Reads exactly n octets; memory streams are served inline.
inline int readn(KORVU_STREAM *s, void *buf, uint32_t n) {
  if (s != nullptr && s->type == KORVU_STREAM_TYPE_MEM) {
    if (s->size - s->pos < n) return KORVU_STREAM_ERR_READ;
    if (n == 1)
      *static_cast<unsigned char *>(buf) = s->data[s->pos];
    else if (n != 0)
      std::memcpy(buf, s->data + s->pos, n);
    s->pos += n;
    return 1;
  }
  return korvu_stream_readn(s, buf, n);
}

inline int read_byte(KORVU_STREAM *s, unsigned char *b) {
  if (s != nullptr && s->type == KORVU_STREAM_TYPE_MEM) {
    if (s->pos >= s->size) return KORVU_STREAM_ERR_READ;
    *b = s->data[s->pos++];
    return 1;
  }
  return korvu_stream_readn(s, b, 1);
}

// Bytes of a block that holds an embedded memory stream with `cap` bytes of
// initial buffer (see embed_mem), rounded up so that another stream may follow.
inline constexpr size_t embedded_size(size_t cap) { return (sizeof(korvu_stream_st) + cap + 7) & ~size_t{7}; }

// Builds a growable memory stream at `at` (8-aligned, followed by `cap` bytes
// inside a larger block), so that an object and its small streams are one
// allocation. An embedded stream keeps no error context (the third argument
// says so at the call): it lives as long as the object, which outlives the
// call that made it and that call's context.
inline KORVU_STREAM *embed_mem(void *at, uint32_t cap, std::nullptr_t = nullptr) {
  auto *s = static_cast<korvu_stream_st *>(at);
  *s = korvu_stream_st{};
  s->type = KORVU_STREAM_TYPE_MEM;
  s->data = reinterpret_cast<unsigned char *>(s + 1);
  s->cap = cap;
  s->inline_data = true;
  s->embedded = true;
  return s;
}

// The error context a memory stream reports running out of memory into
// (korvu_stream_new_mem's); null for every other stream.
inline KORVU_ERR_CTX *context(const KORVU_STREAM *s) {
  if (s == nullptr || !s->has_ctx) return nullptr;
  KORVU_ERR_CTX *ctx;
  std::memcpy(&ctx, s + 1, sizeof ctx);
  return ctx;
}

inline bool is_mem(const KORVU_STREAM *s) { return s != nullptr && s->type == KORVU_STREAM_TYPE_MEM; }

// True when a memory input holds at least n more octets.
inline bool mem_holds(const KORVU_STREAM *s, size_t n) { return is_mem(s) && s->pos <= s->size && s->size - s->pos >= n; }

// Gives a growable memory stream a buffer of exactly `cap` octets when it has
// less (a definite length known ahead: one allocation of that size instead of
// a doubling series that may end at twice the size). False when memory runs
// out; the stream is then unchanged.
inline bool reserve_exact(KORVU_STREAM *s, size_t cap) {
  if (!is_mem(s) || s->readonly || cap <= s->cap) return true;
  if (cap > 0xFFFFFFFFu) return false;
  auto *grown = static_cast<unsigned char *>(korvu_malloc(cap, "KORVU_UTIL_Stream", __LINE__));
  if (grown == nullptr) return false;
  if (s->size != 0) std::memcpy(grown, s->data, s->size);
  if (!s->inline_data) korvu_free(s->data);
  s->inline_data = false;
  s->data = grown;
  s->cap = static_cast<uint32_t>(cap);
  return true;
}

}  // namespace korvu::stream

#endif
