// X.690 identifier, length and end-of-contents octets.
#define KORVU_SRC "KORVU_ASN1_Codec"
#include <algorithm>

#include "internal.h"

namespace korvu {

namespace {
// Identifier octets beyond the first are bounded: the tag number itself stops
// at 2^31, and a run of leading 0x80 groups (legal BER, value unchanged) is cut
// off at 16 octets so a header always fits in Header::raw.
constexpr uint32_t kMaxTagOctets = 16;

bool valid_class(uint32_t c) { return c == 0x00 || c == 0x40 || c == 0x80 || c == 0xC0; }

// Records the stream's own failure code, then passes it up.
int stream_fail(KORVU_ERR_CTX *ctx, int r) {
  KORVU_ERR(ctx, static_cast<uint32_t>(r));
  return r;
}
}  // namespace

uint32_t identifier_octets(uint32_t tag) {
  if (tag <= 30) return 1;
  uint32_t n = 1;
  while (tag > 0) {
    n++;
    tag >>= 7;
  }
  return n;
}

uint32_t length_octets(uint32_t length) {
  if (length <= 127 || length == 0xFFFFFFFFu) return 1;
  uint32_t n = 1;
  while (length > 0) {
    n++;
    length >>= 8;
  }
  return n;
}

Len tlv_length(uint32_t tag, Len content) {
  if (content == kLenError || content == kLenOverflow || content == kLenIndef) return content;
  if (content > kLenMax) return kLenOverflow;
  Len total = identifier_octets(tag) + length_octets(static_cast<uint32_t>(content)) + content;
  return total > kLenMax ? kLenOverflow : total;
}

int write_octets(KORVU_STREAM *s, const void *p, uint32_t n, KORVU_ERR_CTX *ctx) {
  int r = korvu_stream_writen(s, p, n);
  if (r != 1) KORVU_ERR(ctx, static_cast<uint32_t>(r == 0 ? KORVU_STREAM_ERR_WRITE : r));
  return r == 0 ? static_cast<int>(KORVU_STREAM_ERR_WRITE) : r;
}

int write_identifier(KORVU_STREAM *s, uint32_t tag_class, int primitive, uint32_t tag, uint32_t *written,
                     KORVU_ERR_CTX *ctx) {
  if (!valid_class(tag_class)) {
    KORVU_ERR(ctx, kErrInvalidTagClass);
    return 0;
  }
  if (tag > 0x7FFFFFFFu) {
    KORVU_ERR(ctx, kErrBadTagNumber);
    return 0;
  }
  unsigned char buf[8];
  uint32_t n = 0;
  unsigned char first = static_cast<unsigned char>(tag_class | (primitive ? 0 : 0x20));
  if (tag <= 30) {
    buf[n++] = static_cast<unsigned char>(first | tag);
  } else {
    buf[n++] = static_cast<unsigned char>(first | 0x1F);
    uint32_t groups = identifier_octets(tag) - 1;
    for (uint32_t i = groups; i-- > 0;) {
      unsigned char g = static_cast<unsigned char>((tag >> (7 * i)) & 0x7F);
      buf[n++] = static_cast<unsigned char>(i ? (g | 0x80) : g);
    }
  }
  int r = write_octets(s, buf, n, ctx);
  if (r != 1) return r;
  if (written) *written = n;
  return 1;
}

int write_length(KORVU_STREAM *s, uint32_t length, uint32_t *written, KORVU_ERR_CTX *ctx) {
  unsigned char buf[5];
  uint32_t n = 0;
  if (length == 0xFFFFFFFFu) {
    buf[n++] = 0x80;
  } else if (length > 0x7FFFFFFFu) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  } else if (length <= 127) {
    buf[n++] = static_cast<unsigned char>(length);
  } else {
    uint32_t count = length_octets(length) - 1;
    buf[n++] = static_cast<unsigned char>(0x80 | count);
    for (uint32_t i = count; i-- > 0;) buf[n++] = static_cast<unsigned char>(length >> (8 * i));
  }
  int r = write_octets(s, buf, n, ctx);
  if (r != 1) return r;
  if (written) *written = n;
  return 1;
}

int write_header(KORVU_STREAM *s, uint32_t tag_class, int primitive, uint32_t tag, uint32_t length,
                 uint32_t *written, KORVU_ERR_CTX *ctx) {
  uint32_t a = 0, b = 0;
  int r = write_identifier(s, tag_class, primitive, tag, &a, ctx);
  if (r != 1) {
    KORVU_ERR(ctx, kErrEncodeIdentifier);
    return r;
  }
  r = write_length(s, length, &b, ctx);
  if (r != 1) {
    KORVU_ERR(ctx, kErrEncodeLengthOctets);
    return r;
  }
  if (written) *written = a + b;
  return 1;
}

int write_eoc(KORVU_STREAM *s, KORVU_ERR_CTX *ctx) {
  static constexpr unsigned char kEoc[2] = {0, 0};
  int r = write_octets(s, kEoc, 2, ctx);
  if (r != 1) KORVU_ERR(ctx, kErrEncodeEocOctets);
  return r;
}

int close_contents(KORVU_STREAM *s, uint32_t length, uint64_t &total, KORVU_ERR_CTX *ctx) {
  if (length == 0xFFFFFFFFu) {
    int r = write_eoc(s, ctx);
    if (r == 1) total += 2;
    return r;
  }
  if (total != length) {
    KORVU_ERR(ctx, KORVU_ERR_COUNT_MISMATCH);
    return 0;
  }
  return 1;
}

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

KORVU_API int korvu_asn1_encode_identifier(KORVU_STREAM *stream, uint32_t tag_class, uint32_t primitive,
                                           int32_t tag_number, uint32_t *length, KORVU_ERR_CTX *ctx) {
  if (stream == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (tag_number < 0) {
    KORVU_ERR(ctx, kErrBadTagNumber);
    return 0;
  }
  return write_identifier(stream, tag_class, primitive ? 1 : 0, static_cast<uint32_t>(tag_number), length, ctx);
}

KORVU_API uint32_t korvu_asn1_identifier_length(int32_t tag_number) {
  if (tag_number < 0) return 0xFFFFFFFEu;
  return identifier_octets(static_cast<uint32_t>(tag_number));
}

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

KORVU_API int korvu_asn1_encode_length(KORVU_STREAM *stream, uint32_t length, uint32_t *length_length,
                                       KORVU_ERR_CTX *ctx) {
  if (stream == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  return write_length(stream, length, length_length, ctx);
}

KORVU_API uint32_t korvu_asn1_length_length(uint32_t length) {
  if (length != 0xFFFFFFFFu && length > 0x7FFFFFFFu) return 0xFFFFFFFEu;
  return length_octets(length);
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
