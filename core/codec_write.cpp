// X.690 identifier, length and end-of-contents octets: writing and sizing.
#define KORVU_SRC "KORVU_ASN1_Codec"

#include "internal.h"

namespace korvu {

namespace {
bool valid_class(uint32_t c) { return c == 0x00 || c == 0x40 || c == 0x80 || c == 0xC0; }
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

}  // extern "C"
