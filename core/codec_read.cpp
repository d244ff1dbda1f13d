// X.690 identifier, length and end-of-contents octets: reading, and the
// bounded reads of contents octets.
#define KORVU_SRC "KORVU_ASN1_Codec"
#include <algorithm>

#include "internal.h"

namespace korvu {

namespace {
// Identifier octets beyond the first are bounded: the tag number itself stops
// at 2^31, and a run of leading 0x80 groups (legal BER, value unchanged) is cut
// off at 16 octets so a header always fits in Header::raw.
constexpr uint32_t kMaxTagOctets = 16;

// Records the stream's own failure code, then passes it up.
int stream_fail(KORVU_ERR_CTX *ctx, int r) {
  KORVU_ERR(ctx, static_cast<uint32_t>(r));
  return r;
}
}  // namespace

int read_identifier(KORVU_STREAM *s, Header &h, KORVU_ERR_CTX *ctx) {
  unsigned char b;
  int r = stream::read_byte(s, &b);
  if (r != 1) return stream_fail(ctx, r);
  h.size = 0;
  h.raw[h.size++] = b;
  h.tag_class = b & 0xC0u;
  h.primitive = (b & 0x20) ? 0 : 1;
  uint32_t tag = b & 0x1Fu;
  if (tag == 0x1F) {
    tag = 0;
    for (;;) {
      if (tag >= 0x1000000u || h.size > kMaxTagOctets) {
        KORVU_ERR(ctx, kErrTagTooLarge);
        return 0;
      }
      r = stream::read_byte(s, &b);
      if (r != 1) return stream_fail(ctx, r);
      h.raw[h.size++] = b;
      tag = (tag << 7) | (b & 0x7Fu);
      if ((b & 0x80) == 0) break;
    }
    if (tag < 31) {
      KORVU_ERR(ctx, kErrBadTagNumber);
      return 0;
    }
  }
  h.tag = tag;
  return 1;
}

int read_length(KORVU_STREAM *s, Header &h, KORVU_ERR_CTX *ctx) {
  unsigned char b;
  int r = stream::read_byte(s, &b);
  if (r != 1) return stream_fail(ctx, r);
  h.raw[h.size++] = b;
  if (b < 0x80) {
    h.length = b;
    return 1;
  }
  if (b == 0x80) {
    h.length = 0xFFFFFFFFu;
    return 1;
  }
  if (b == 0xFF) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  uint32_t count = b & 0x7Fu, value = 0;
  for (uint32_t i = 0; i < count; i++) {
    if (value >= 0x800000u) {
      KORVU_ERR(ctx, kErrLengthTooLarge);
      return 0;
    }
    r = stream::read_byte(s, &b);
    if (r != 1) return stream_fail(ctx, r);
    h.raw[h.size++] = b;
    value = (value << 8) | b;
  }
  h.length = value;
  return 1;
}

namespace {

// Identifier and length octet by octet: every input and every form.
__attribute__((noinline)) int read_header_octets(KORVU_STREAM *s, Header &h, KORVU_ERR_CTX *ctx) {
  int r = read_identifier(s, h, ctx);
  if (r != 1) {
    KORVU_ERR(ctx, kErrDecodeIdentifier);
    return r;
  }
  r = read_length(s, h, ctx);
  if (r != 1) {
    KORVU_ERR(ctx, kErrDecodeLengthOctets);
    return r;
  }
  return 1;
}

}  // namespace

int read_header(KORVU_STREAM *s, Header &h, KORVU_ERR_CTX *ctx) {
  // The common case, read from memory in one step: a low tag number and a
  // definite length of at most two octets (the same result as below). The
  // rest is a call of its own, so that this path needs no stack frame.
  if (stream::is_mem(s) && s->pos <= s->size && s->size - s->pos >= 4) {
    const unsigned char *p = s->data + s->pos;
    const unsigned char id = p[0], l = p[1];
    if ((id & 0x1F) != 0x1F && l != 0x80 && l <= 0x82) {
      h.tag_class = id & 0xC0u;
      h.primitive = (id & 0x20) ? 0 : 1;
      h.tag = id & 0x1Fu;
      const uint32_t n = l < 0x80 ? 2 : l == 0x81 ? 3 : 4;
      h.length = l < 0x80 ? l : l == 0x81 ? p[2] : (static_cast<uint32_t>(p[2]) << 8) | p[3];
      std::memcpy(h.raw, p, 4);  // the octets past n are not part of the header
      h.size = n;
      s->pos += n;
      return 1;
    }
  }
  return read_header_octets(s, h, ctx);
}

int read_eoc_tail(KORVU_STREAM *s, KORVU_ERR_CTX *ctx) {
  unsigned char b;
  int r = stream::read_byte(s, &b);
  if (r != 1) {
    KORVU_ERR(ctx, static_cast<uint32_t>(r));
    KORVU_ERR(ctx, kErrDecodeEocOctets);
    return r;
  }
  if (b != 0) {
    KORVU_ERR(ctx, kErrDecodeEoc);
    return 0;
  }
  return 1;
}

int copy_octets(KORVU_STREAM *s, KORVU_STREAM *out, uint32_t n) {
  if (n == 0) return 1;
  if (stream::is_mem(s)) {
    if (s->size - s->pos < n) return KORVU_STREAM_ERR_READ;
    if (out != nullptr) {
      int r = korvu_stream_writen(out, s->data + s->pos, n);
      if (r != 1) return r == 0 ? static_cast<int>(KORVU_STREAM_ERR_WRITE) : r;
    }
    s->pos += n;
    return 1;
  }
  unsigned char buf[8192];
  while (n > 0) {
    uint32_t chunk = std::min<uint32_t>(n, sizeof buf);
    int r = korvu_stream_readn(s, buf, chunk);
    if (r != 1) return r == 0 ? static_cast<int>(KORVU_STREAM_ERR_READ) : r;
    if (out != nullptr) {
      r = korvu_stream_writen(out, buf, chunk);
      if (r != 1) return r == 0 ? static_cast<int>(KORVU_STREAM_ERR_WRITE) : r;
    }
    n -= chunk;
  }
  return 1;
}

int read_alloc(KORVU_STREAM *s, uint32_t n, unsigned char **out, KORVU_ERR_CTX *ctx) {
  *out = nullptr;
  if (stream::is_mem(s)) {
    if (s->size - s->pos < n) return stream_fail(ctx, KORVU_STREAM_ERR_READ);
    auto *p = static_cast<unsigned char *>(KORVU_ALLOC(n ? n : 1));
    if (p == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
    if (n) std::memcpy(p, s->data + s->pos, n);
    s->pos += n;
    *out = p;
    return 1;
  }
  // Unknown size: grow as octets actually arrive.
  KORVU_STREAM *tmp = korvu_stream_new_mem(std::min<uint32_t>(std::max<uint32_t>(n, 64), 2048), ctx);
  if (tmp == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  int r = copy_octets(s, tmp, n);
  if (r != 1) {
    korvu_stream_free(tmp);
    return stream_fail(ctx, r);
  }
  unsigned char *data = nullptr;
  uint32_t len = 0;
  r = korvu_memstreamdeatch(tmp, &data, &len);
  korvu_stream_free(tmp);
  if (r != 1 || (data == nullptr && n != 0)) {
    korvu_free(data);
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  if (data == nullptr) {
    data = static_cast<unsigned char *>(KORVU_ALLOC(1));
    if (data == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
  }
  *out = data;
  return 1;
}

}  // namespace korvu

using namespace korvu;

extern "C" {

KORVU_API int korvu_asn1_decode_identifier(KORVU_STREAM *stream, uint32_t *tag_class, uint32_t *primitive,
                                           uint32_t *tag_number, uint32_t *length, KORVU_ERR_CTX *ctx) {
  if (stream == nullptr || tag_class == nullptr || primitive == nullptr || tag_number == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  Header h;
  int r = read_identifier(stream, h, ctx);
  if (r != 1) return r;
  *tag_class = h.tag_class;
  *primitive = static_cast<uint32_t>(h.primitive);
  *tag_number = h.tag;
  if (length) *length = h.size;
  return 1;
}

KORVU_API int korvu_asn1_decode_length(KORVU_STREAM *stream, uint32_t *length, uint32_t *length_length,
                                       KORVU_ERR_CTX *ctx) {
  if (stream == nullptr || length == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  Header h;
  h.size = 0;
  int r = read_length(stream, h, ctx);
  if (r != 1) return r;
  *length = h.length;
  if (length_length) *length_length = h.size;
  return 1;
}

KORVU_API int korvu_asn1_decode_eoc_length(KORVU_STREAM *stream, uint32_t *length, KORVU_ERR_CTX *ctx) {
  if (stream == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  int r = read_eoc_tail(stream, ctx);
  if (r != 1) return r;
  if (length) *length = 1;
  return 1;
}

}  // extern "C"
