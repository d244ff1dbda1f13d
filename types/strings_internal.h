// Shared reader and writer of string contents: OCTET STRING, the character
// string types and the time types all accept primitive and constructed (BER)
// encodings; BIT STRING adds its unused-bits octet. StringCodec, at the end,
// is the one codec of the BIT STRING and OCTET STRING values.
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
// initial buffer (`capacity` octets, at most 2048; at least 64 unless `exact`,
// for data whose size is known) in the value's own block, so that a small
// value is one allocation; the value owns the stream. Null when memory runs
// out. Freeing the stream releases only a buffer it grew.
//
// The stream keeps no error context: the value outlives the call that made
// it, and with it the caller's context, which a later write that runs out of
// memory would otherwise report into.
template <class T>
T *new_with_stream(uint32_t capacity, bool exact = false) {
  if (capacity < (exact ? 1u : 64u)) capacity = exact ? 1 : 64;
  if (capacity > 2048) capacity = 2048;
  // The stream follows the record at its alignment; nothing follows the
  // buffer, so the block ends with it.
  const size_t head = (sizeof(T) + alignof(korvu_stream_st) - 1) & ~(alignof(korvu_stream_st) - 1);
  auto *v = static_cast<T *>(KORVU_ALLOC(head + sizeof(korvu_stream_st) + capacity));
  if (v == nullptr) return nullptr;
  std::memset(static_cast<void *>(v), 0, sizeof(T));
  v->stream = stream::embed_mem(reinterpret_cast<char *>(v) + head, capacity);
  v->owns_stream = 1;
  return v;
}

// Copies n octets; the short ones most values hold (names, attribute values)
// without a call, as two copies of a fixed size that may overlap.
inline void copy_octets(unsigned char *to, const unsigned char *from, uint32_t n) {
  if (n >= 8 && n <= 16) {
    std::memcpy(to, from, 8);
    std::memcpy(to + n - 8, from + n - 8, 8);
  } else if (n >= 4 && n < 8) {
    std::memcpy(to, from, 4);
    std::memcpy(to + n - 4, from + n - 4, 4);
  } else if (n > 16 && n <= 32) {
    std::memcpy(to, from, 16);
    std::memcpy(to + n - 16, from + n - 16, 16);
  } else if (n < 4) {
    for (uint32_t i = 0; i < n; i++) to[i] = from[i];
  } else {
    std::memcpy(to, from, n);
  }
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

// ---------------------------------------------------------------------------
// The codec of a value record over a data stream, for a form that gives
//
//   using Value = ...;                   // a record with `stream` and `owns_stream`
//   static constexpr uint32_t kType;     // its type number
//   static constexpr uint32_t kTag;      // universal tag, also of every segment
//   static constexpr uint32_t kDecodeCapacity;  // first buffer for an indefinite length
//   static constexpr bool kUnusedBits;   // BIT STRING: the record has unused_bits
//   static Len content_length(const void *value);
//   static Len data_length(const Value *v);  // kLenIndef, kLenError as above
//
// BIT STRING and OCTET STRING differ only in the unused-bits count: a member
// of the record, and an octet that leads the contents and every segment. The
// form must be local to its file (an unnamed namespace): errors and
// allocations name the source of the file that instantiates the codec.
template <class Form>
struct StringCodec {
  using V = typename Form::Value;

  static uint32_t unused_of(const V *v) {
    if constexpr (Form::kUnusedBits)
      return v->unused_bits;
    else
      return 0;
  }
  static void set_unused(V *v, uint32_t unused) {
    if constexpr (Form::kUnusedBits) v->unused_bits = unused;
  }

  // A value over `stream` (freed with it when `owns` is 1).
  static V *new_value(KORVU_STREAM *stream, uint32_t unused, uint32_t owns) {
    auto *v = static_cast<V *>(KORVU_ALLOC(sizeof(V)));
    if (v == nullptr) return nullptr;
    std::memset(static_cast<void *>(v), 0, sizeof(V));
    v->stream = stream;
    set_unused(v, unused);
    v->owns_stream = owns;
    return v;
  }

  // A value owning a memory stream with a copy of the bytes.
  static V *new_copy(uint32_t unused, const void *bytes, uint32_t count) {
    auto *v = new_with_stream<V>(count, true);
    if (v == nullptr) return nullptr;
    set_unused(v, unused);
    if (korvu_stream_writen(v->stream, bytes, count) != 1) {
      free_value(v);
      return nullptr;
    }
    return v;
  }

  static void free_value(void *value) {
    auto *v = static_cast<V *>(value);
    if (v == nullptr) return;
    // A stream in the value's block still on its first buffer has nothing
    // else to release.
    const KORVU_STREAM *st = v->stream;
    if (v->owns_stream == 1 && st != nullptr && !(st->embedded && st->inline_data)) korvu_stream_free(v->stream);
    korvu_free(v);
  }

  // Reads contents into `out`; `unused` receives the count of a BIT STRING.
  static int read(KORVU_STREAM *s, KORVU_STREAM *out, int primitive, uint32_t length, uint32_t *unused,
                  uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth) {
    if constexpr (Form::kUnusedBits)
      return read_bitstring_contents(s, out, primitive, length, unused, consumed, ctx, depth);
    else
      return read_string_contents(s, out, primitive, length, Form::kTag, consumed, ctx, depth);
  }

  // Primitive contents that a memory input holds whole, with a valid
  // unused-bits octet for a BIT STRING: copied once into a value sized to
  // them, without the segment reader (which reports every other case).
  // 1 when taken, 0 when not, KORVU_ERR_NOMEM when memory runs out.
  static int take_primitive(KORVU_STREAM *s, void **out, uint32_t length, uint32_t *consumed) {
    if (!stream::mem_holds(s, length)) return 0;
    const unsigned char *p = s->data + s->pos;
    uint32_t skip = 0, unused = 0;
    if constexpr (Form::kUnusedBits) {
      if (length == 0 || p[0] > 7 || (length == 1 && p[0] != 0)) return 0;
      unused = p[0];
      skip = 1;
    }
    V *v = copy_of(p + skip, length - skip, unused);
    if (v == nullptr) return static_cast<int>(KORVU_ERR_NOMEM);
    s->pos += length;
    *out = v;
    if (consumed != nullptr) *consumed = length;
    return 1;
  }

  // A value owning a copy of the `n` data octets at `data`: one block up to
  // the largest first buffer, past it the data in a block of its own. Null
  // when memory runs out.
  static V *copy_of(const unsigned char *data, uint32_t n, uint32_t unused) {
    auto *v = new_with_stream<V>(n > 2048 ? 1 : n, true);
    if (v == nullptr) return nullptr;
    if (n > 2048 && !stream::reserve_exact(v->stream, n)) {
      free_value(v);
      return nullptr;
    }
    copy_octets(v->stream->data, data, n);
    v->stream->size = n;
    set_unused(v, unused);
    return v;
  }

  // Reads contents into a new memory stream and hands out a value owning it.
  static int decode_owned(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                          KORVU_ERR_CTX *ctx, int depth) {
    const bool known = primitive && length != 0xFFFFFFFFu;
    if (known) {
      const int taken = take_primitive(s, out, length, consumed);
      if (taken == 1) return 1;
      if (taken != 0) {
        KORVU_ERR(ctx, KORVU_ERR_NOMEM);
        return 0;
      }
    }
    auto *v = new_with_stream<V>(contents_capacity(length, Form::kDecodeCapacity), known);
    // Primitive contents longer than the first buffer, held by a memory
    // input, get one buffer of their size.
    if (v != nullptr && known && stream::mem_holds(s, length) &&
        !stream::reserve_exact(v->stream, length)) {
      free_value(v);
      v = nullptr;
    }
    if (v == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
    uint32_t n = 0, unused = 0;
    int rc = read(s, v->stream, primitive, length, &unused, &n, ctx, depth);
    if (rc != 1) {
      free_value(v);
      return rc;
    }
    set_unused(v, unused);
    *out = v;
    if (consumed != nullptr) *consumed = n;
    return 1;
  }

  static int encode_content(KORVU_STREAM *s, const void *value, uint32_t length, uint32_t *written,
                            KORVU_ERR_CTX *ctx) {
    if (written != nullptr) *written = 0;
    if (value == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    const V *v = static_cast<const V *>(value);
    if (unused_of(v) > 7) {
      KORVU_ERR(ctx, kErrBadUnusedBits);
      return 0;
    }
    return write_string_data(s, v->stream, length, Form::kTag, Form::kUnusedBits, unused_of(v), written, ctx);
  }

  static int decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                            KORVU_ERR_CTX *ctx, int depth) {
    if (consumed != nullptr) *consumed = 0;
    if (out == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    *out = nullptr;
    int rc = decode_owned(s, out, primitive, length, consumed, ctx, depth);
    if (rc != 1) KORVU_DECODE_ERR(ctx, Form::kType);
    return rc;
  }

  // Whole encoding under universal `tag` for type `type` (another type than
  // the form's is a character string over the same record: its failed length
  // is reported as such).
  static int encode(KORVU_STREAM *s, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx, uint32_t type,
                    uint32_t tag) {
    if (written != nullptr) *written = 0;
    if (s == nullptr || value == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    Len length = Form::content_length(value);
    if (length == kLenError) {
      KORVU_ERR(ctx, type == Form::kType ? kErrBadLength : kErrCalLength);
      return 0;
    }
    uint32_t head = 0, body = 0;
    int rc = write_header(s, KORVU_CLASS_UNIVERSAL, length != kLenIndef, tag, static_cast<uint32_t>(length), &head,
                          ctx);
    if (rc != 1) return rc;
    rc = encode_content(s, value, static_cast<uint32_t>(length), &body, ctx);
    if (rc != 1) return rc;
    if (written != nullptr) *written = head + body;
    return 1;
  }

  static int decode_tlv(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                        int depth, uint32_t type, uint32_t tag) {
    if (consumed != nullptr) *consumed = 0;
    if (out == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    *out = nullptr;
    int rc = 0;
    if (h.tag_class != KORVU_CLASS_UNIVERSAL || h.tag != tag)
      KORVU_ERR(ctx, kErrIncorrectItem);
    else
      rc = decode_owned(s, out, h.primitive, h.length, consumed, ctx, depth);
    if (rc != 1) KORVU_DECODE_ERR(ctx, type);
    return rc;
  }

  // The form's own type operations.
  static int encode_own(KORVU_STREAM *s, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx) {
    return encode(s, value, written, ctx, Form::kType, Form::kTag);
  }
  static int decode_tlv_own(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                            int depth) {
    return decode_tlv(s, h, out, consumed, ctx, depth, Form::kType, Form::kTag);
  }
  static constexpr TypeOps ops() {
    return {.free = free_value,
            .content_length = Form::content_length,
            .total_length = nullptr,
            .encode_content = encode_content,
            .decode_content = decode_content,
            .encode = encode_own,
            .decode_tlv = decode_tlv_own,
            .shift_offsets = nullptr,
            .def = nullptr,
            .accepts = nullptr,
            .mem_read = Form::kUnusedBits ? TypeOps::MemRead::None : TypeOps::MemRead::Octets};
  }

  // The *_getall export: all the data octets into `buffer`.
  static int get_all(const V *value, void *buffer) {
    Len n = Form::data_length(value);
    if (!len_ok(n)) return 0;
    return read_all(value->stream, buffer, static_cast<uint32_t>(n));
  }

  // The *_content_ex export: the contents into the caller's `output`, and a
  // value over it that does not own it.
  static int decode_content_ex(KORVU_STREAM *input, KORVU_STREAM *output, V **value, uint32_t primitive,
                               uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx) {
    if (value != nullptr) *value = nullptr;
    if (consumed != nullptr) *consumed = 0;
    uint32_t n = 0, unused = 0;
    int rc = read(input, output, primitive ? 1 : 0, length, &unused, &n, ctx, 0);
    V *v = nullptr;
    if (rc == 1 && value != nullptr && (v = new_value(output, unused, 0)) == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      rc = 0;
    }
    if (rc != 1) {
      KORVU_DECODE_ERR(ctx, Form::kType);
      return rc;
    }
    if (value != nullptr) *value = v;
    if (consumed != nullptr) *consumed = n;
    return 1;
  }

  // The *_ex export: the identifier and length of a value of the form's own
  // tag, then its contents as above.
  static int decode_ex(KORVU_STREAM *input, KORVU_STREAM *output, V **value, uint32_t *consumed,
                       KORVU_ERR_CTX *ctx) {
    if (value != nullptr) *value = nullptr;
    if (consumed != nullptr) *consumed = 0;
    if (input == nullptr || output == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    Header h;
    int rc = read_header(input, h, ctx);
    if (rc == 1 && (h.tag_class != KORVU_CLASS_UNIVERSAL || h.tag != Form::kTag)) {
      // An end-of-contents where the string was expected is only the summary.
      if (!(h.tag_class == 0 && h.primitive && h.tag == 0)) KORVU_ERR(ctx, kErrIncorrectItem);
      rc = 0;
    }
    if (rc != 1) {
      KORVU_DECODE_ERR(ctx, Form::kType);
      return rc;
    }
    uint32_t n = 0;
    rc = decode_content_ex(input, output, value, h.primitive ? 1 : 0, h.length, &n, ctx);
    if (rc != 1) return rc;
    if (consumed != nullptr) *consumed = h.size + n;
    return 1;
  }
};

}  // namespace korvu

#endif
