// Contents of BIT STRING, OCTET STRING and the character strings: the BER
// reader of primitive and constructed (segmented) contents, and the writer of
// the definite and the constructed indefinite forms (X.690 8.6, 8.7, 8.23).
#define KORVU_SRC "KORVU_ASN1_String"
#include <cstring>

#include "strings_internal.h"

namespace korvu {

int stream_failure(KORVU_ERR_CTX *ctx, int rc, const char *src, int line) {
  uint32_t code = static_cast<uint32_t>(rc);
  if (rc == 0 || code < KORVU_ERR_NOMEM || code >= kErrInvalidTagClass) code = KORVU_STREAM_ERR_READ;
  put_err(ctx, src, line, code);
  return rc;
}
#define KORVU_STREAM_FAIL(ctx, rc) ::korvu::stream_failure((ctx), (rc), KORVU_SRC, __LINE__)

namespace {

// Copies n contents octets in bounded chunks (never allocating a length the
// input claims: a lie fails when the input ends).
int copy_bounded(KORVU_STREAM *s, KORVU_STREAM *out, uint32_t n, KORVU_ERR_CTX *ctx) {
  int rc = copy_octets(s, out, n);
  return rc == 1 ? 1 : KORVU_STREAM_FAIL(ctx, rc);
}

struct Reader {
  KORVU_STREAM *s;
  KORVU_STREAM *out;
  uint32_t tag;   // tag of every segment
  bool bits;      // BIT STRING segments
  bool pending;   // a segment with unused bits was read: no other may follow
  uint32_t unused;
  KORVU_ERR_CTX *ctx;
};

// Primitive contents of `length` octets.
int read_primitive(Reader &r, uint32_t length) {
  if (!r.bits) return copy_bounded(r.s, r.out, length, r.ctx);
  if (length == 0) {
    KORVU_ERR(r.ctx, kErrBadLength);
    return 0;
  }
  unsigned char u = 0;
  int rc = stream::read_byte(r.s, &u);
  if (rc != 1) return KORVU_STREAM_FAIL(r.ctx, rc);
  if (u > 7 || (length == 1 && u != 0) || r.pending) {
    KORVU_ERR(r.ctx, kErrBadUnusedBits);
    return 0;
  }
  r.unused = u;
  r.pending = u != 0;
  return copy_bounded(r.s, r.out, length - 1, r.ctx);
}

// One level of contents. `budget` is the most octets this level may take
// (kLenIndef when unbounded, that is inside indefinite levels only).
int read_level(Reader &r, int primitive, uint32_t length, Len budget, Len *consumed, int depth) {
  *consumed = 0;
  if (primitive) {
    if (length == kLenIndef) {
      KORVU_ERR(r.ctx, kErrMustBeDefinite);
      return 0;
    }
    if (budget != kLenIndef && length > budget) {
      KORVU_ERR(r.ctx, kErrBadLength);
      return 0;
    }
    int rc = read_primitive(r, length);
    if (rc != 1) return rc;
    *consumed = length;
    return 1;
  }
  if (depth_exceeded(depth)) return depth_failure(r.ctx);
  const bool definite = length != kLenIndef;
  Len limit = budget;
  if (definite) {
    if (budget != kLenIndef && length > budget) {
      KORVU_ERR(r.ctx, kErrBadLength);
      return 0;
    }
    limit = length;
  }
  Len used = 0;
  for (;;) {
    if (definite && used == limit) break;
    Header h;
    int rc = read_identifier(r.s, h, r.ctx);
    if (rc != 1) {
      KORVU_ERR(r.ctx, kErrDecodeIdentifier);
      return rc;
    }
    if (!definite && h.tag_class == 0 && h.primitive && h.tag == 0) {
      // End-of-contents: 00 00.
      rc = read_eoc_tail(r.s, r.ctx);  // records its own failure
      if (rc != 1) return rc;
      used += 2;
      if (limit != kLenIndef && used > limit) {
        KORVU_ERR(r.ctx, kErrBadLength);
        return 0;
      }
      break;
    }
    if (h.tag_class != KORVU_CLASS_UNIVERSAL || h.tag != r.tag) {
      KORVU_ERR(r.ctx, kErrIncorrectItem);
      return 0;
    }
    rc = read_length(r.s, h, r.ctx);
    if (rc != 1) {
      KORVU_ERR(r.ctx, kErrDecodeLengthOctets);
      return rc;
    }
    Len room = kLenIndef;
    if (limit != kLenIndef) {
      room = limit - used;
      if (h.size > room) {
        KORVU_ERR(r.ctx, kErrBadLength);
        return 0;
      }
      room -= h.size;
    }
    Len inner = 0;
    rc = read_level(r, h.primitive, h.length, room, &inner, depth + 1);
    if (rc != 1) return rc;
    used += h.size + inner;
    if (used > kLenMax) {
      KORVU_ERR(r.ctx, kErrLengthTooLarge);
      return 0;
    }
  }
  *consumed = used;
  return 1;
}

int read_contents(Reader &r, int primitive, uint32_t length, uint32_t *consumed, int depth) {
  if (consumed != nullptr) *consumed = 0;
  if (r.s == nullptr || r.out == nullptr) {
    KORVU_ERR(r.ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  Len used = 0;
  int rc = read_level(r, primitive, length, kLenIndef, &used, depth);
  if (rc != 1) return rc;
  if (consumed != nullptr) *consumed = static_cast<uint32_t>(used);
  return 1;
}

}  // namespace

int read_string_contents(KORVU_STREAM *s, KORVU_STREAM *out, int primitive, uint32_t length,
                         uint32_t segment_tag, uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth) {
  Reader r{s, out, segment_tag, false, false, 0, ctx};
  return read_contents(r, primitive, length, consumed, depth);
}

int read_bitstring_contents(KORVU_STREAM *s, KORVU_STREAM *out, int primitive, uint32_t length,
                            uint32_t *unused, uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth) {
  Reader r{s, out, 3, true, false, 0, ctx};
  int rc = read_contents(r, primitive, length, consumed, depth);
  if (rc == 1 && unused != nullptr) *unused = r.unused;
  return rc;
}

// ---------------------------------------------------------------------------
// Writing.

Len string_content_length(KORVU_STREAM *data) {
  if (data == nullptr) return kLenError;
  const bool mem = korvu_stream_gettype(data) == KORVU_STREAM_TYPE_MEM;
  uint32_t n = 0;
  int rc = korvu_stream_ctrl(data, KORVU_STREAM_CTRL_LENGTH, &n);
  if (rc != 1) {
    // A file whose length cannot be told (a pipe, or 4 GiB and more) is
    // still written, in segments, up to its end.
    return (!mem && rc == static_cast<int>(KORVU_STREAM_ERR_LENGTH)) ? kLenIndef : kLenError;
  }
  if (!mem && n >= kLargeValue) return kLenIndef;
  return n > kLenMax ? kLenError : n;
}

namespace {

int write_bytes(KORVU_STREAM *out, const void *p, uint32_t n, KORVU_ERR_CTX *ctx) {
  int rc = korvu_stream_writen(out, p, n);
  return rc == 1 ? 1 : KORVU_STREAM_FAIL(ctx, rc);
}

// Fills buf with up to kSegmentSize octets (fewer only at the end).
int fill(KORVU_STREAM *data, unsigned char *buf, uint32_t *got, KORVU_ERR_CTX *ctx) {
  *got = 0;
  while (*got < kSegmentSize) {
    uint32_t n = 0;
    int rc = korvu_stream_read(data, buf + *got, kSegmentSize - *got, &n);
    if (rc != 1) return KORVU_STREAM_FAIL(ctx, rc);
    if (n == 0) break;
    *got += n;
  }
  return 1;
}

int rewind_data(KORVU_STREAM *data, KORVU_ERR_CTX *ctx) {
  int rc = korvu_stream_ctrl(data, KORVU_STREAM_CTRL_REWIND, nullptr);
  if (rc == 1) return 1;
  KORVU_ERR(ctx, KORVU_STREAM_ERR_SEEK);
  return rc == 0 ? static_cast<int>(KORVU_STREAM_ERR_SEEK) : rc;
}

int write_segment(KORVU_STREAM *out, uint32_t tag, bool bits, uint32_t unused, const unsigned char *p, uint32_t n,
                  uint64_t *total, KORVU_ERR_CTX *ctx) {
  uint32_t hw = 0;
  int rc = write_header(out, KORVU_CLASS_UNIVERSAL, 1, tag, bits ? n + 1 : n, &hw, ctx);
  if (rc != 1) return rc;
  if (bits) {
    unsigned char u = static_cast<unsigned char>(unused);
    if ((rc = write_bytes(out, &u, 1, ctx)) != 1) return rc;
  }
  if ((rc = write_bytes(out, p, n, ctx)) != 1) return rc;
  *total += hw + n + (bits ? 1 : 0);
  return 1;
}

int write_segments(KORVU_STREAM *out, KORVU_STREAM *data, uint32_t tag, bool bits, uint32_t unused,
                   uint64_t *total, KORVU_ERR_CTX *ctx) {
  // Two buffers: a BIT STRING segment is known to be the last (and takes the
  // unused-bit count) only once the next read comes back empty.
  unsigned char bufs[2][kSegmentSize];
  int cur = 0;
  uint32_t have = 0;
  int rc;
  if ((rc = fill(data, bufs[cur], &have, ctx)) != 1) return rc;
  while (have != 0) {
    uint32_t next = 0;
    if (have == kSegmentSize) {
      if ((rc = fill(data, bufs[1 - cur], &next, ctx)) != 1) return rc;
    }
    rc = write_segment(out, tag, bits, next == 0 ? unused : 0, bufs[cur], have, total, ctx);
    if (rc != 1) return rc;
    cur = 1 - cur;
    have = next;
  }
  if ((rc = write_eoc(out, ctx)) != 1) return rc;
  *total += 2;
  return 1;
}

int write_definite(KORVU_STREAM *out, KORVU_STREAM *data, uint32_t length, uint64_t *total, KORVU_ERR_CTX *ctx) {
  if (korvu_stream_gettype(data) == KORVU_STREAM_TYPE_MEM) {
    uint32_t n = 0;
    const unsigned char *p = korvu_memstream_data(data, &n);
    if (p == nullptr || n != length) {
      KORVU_ERR(ctx, KORVU_ERR_COUNT_MISMATCH);
      return 0;
    }
    int rc = write_bytes(out, p, n, ctx);
    if (rc != 1) return rc;
    *total += n;
    return 1;
  }
  int rc = rewind_data(data, ctx);
  if (rc != 1) return rc;
  unsigned char buf[kSegmentSize];
  uint32_t left = length;
  for (;;) {
    uint32_t got = 0;
    if ((rc = fill(data, buf, &got, ctx)) != 1) return rc;
    if (got == 0) break;
    if (got > left) {
      KORVU_ERR(ctx, KORVU_ERR_COUNT_MISMATCH);
      return 0;
    }
    if ((rc = write_bytes(out, buf, got, ctx)) != 1) return rc;
    left -= got;
    *total += got;
  }
  if (left != 0) {
    KORVU_ERR(ctx, KORVU_ERR_COUNT_MISMATCH);
    return 0;
  }
  return 1;
}

}  // namespace

int write_string_data(KORVU_STREAM *out, KORVU_STREAM *data, Len length, uint32_t segment_tag, bool bits,
                      uint32_t unused, uint32_t *written, KORVU_ERR_CTX *ctx) {
  if (written != nullptr) *written = 0;
  if (out == nullptr || data == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  uint64_t total = 0;
  int rc;
  if (length == kLenIndef) {
    if ((rc = rewind_data(data, ctx)) != 1) return rc;
    rc = write_segments(out, data, segment_tag, bits, unused, &total, ctx);
  } else {
    if (!len_ok(length)) {
      KORVU_ERR(ctx, kErrBadLength);
      return 0;
    }
    uint32_t n = static_cast<uint32_t>(length);
    if (bits) {
      if (n == 0) {
        KORVU_ERR(ctx, kErrBadLength);
        return 0;
      }
      unsigned char u = static_cast<unsigned char>(unused);
      if ((rc = write_bytes(out, &u, 1, ctx)) != 1) return rc;
      total = 1;
      n -= 1;
    }
    rc = write_definite(out, data, n, &total, ctx);
  }
  if (rc != 1) return rc;
  if (written != nullptr) *written = total > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(total);
  return 1;
}

// ---------------------------------------------------------------------------
// Reading a value's data back.

int decode_object_from(KORVU_STREAM *data, uint32_t type, void **object, KORVU_ERR_CTX *ctx) {
  if (object != nullptr) *object = nullptr;
  if (data == nullptr || object == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  KORVU_STREAM *view = nullptr;
  KORVU_STREAM *in = data;
  if (korvu_stream_gettype(data) == KORVU_STREAM_TYPE_MEM) {
    view = korvu_memstream_dup_readonly(data);
    if (view == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
    in = view;
  } else {
    int rc = rewind_data(data, ctx);
    if (rc != 1) return rc;
  }
  Holder value(type);
  uint32_t used = 0;
  int rc = decode_value(in, type, value.out(), &used, ctx, 0);
  if (rc == 1 && korvu_stream_ctrl(in, KORVU_STREAM_CTRL_ATEND, nullptr) != 1) {
    KORVU_ERR(ctx, kErrBytesNotDecoded);
    rc = 0;
  } else if (rc != 1 && type_desc(type) != nullptr) {
    KORVU_DECODE_ERR(ctx, type);
  }
  if (view != nullptr) korvu_stream_free(view);
  if (rc != 1) return rc;
  *object = value.release();
  return 1;
}

int read_all(KORVU_STREAM *data, void *buffer, uint32_t length) {
  if (data == nullptr || (buffer == nullptr && length != 0)) return 0;
  if (korvu_stream_gettype(data) == KORVU_STREAM_TYPE_MEM) {
    uint32_t n = 0;
    const unsigned char *p = korvu_memstream_data(data, &n);
    if (p == nullptr || n != length) return 0;
    if (n != 0) std::memcpy(buffer, p, n);
    return 1;
  }
  if (korvu_stream_ctrl(data, KORVU_STREAM_CTRL_REWIND, nullptr) != 1) return 0;
  if (length == 0) return 1;
  return korvu_stream_readn(data, buffer, length) == 1 ? 1 : 0;
}

int read_piece(KORVU_STREAM *data, int mode, void *buffer, int32_t size, uint32_t *count, KORVU_ERR_CTX *ctx) {
  if (count != nullptr) *count = 0;
  if (data == nullptr || count == nullptr || (buffer == nullptr && size > 0)) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (mode != KORVU_ASN1_GET_FIRST && mode != KORVU_ASN1_GET_NEXT) {
    KORVU_ERR(ctx, KORVU_STREAM_ERR_MODE);
    return static_cast<int>(KORVU_STREAM_ERR_MODE);
  }
  if (size < 0) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return 0;
  }
  if (mode == KORVU_ASN1_GET_FIRST) {
    int rc = rewind_data(data, ctx);
    if (rc != 1) return rc;
  }
  if (size == 0) return 1;
  int rc = korvu_stream_read(data, buffer, static_cast<uint32_t>(size), count);
  return rc == 1 ? 1 : KORVU_STREAM_FAIL(ctx, rc);
}

}  // namespace korvu
