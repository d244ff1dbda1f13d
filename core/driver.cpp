// Generic value operations: free, lengths, encode, decode and copy of a value
// of any registered type, dispatched through the registry.
#define KORVU_SRC "KORVU_ASN1_Decode"
#include "internal.h"

namespace korvu {

namespace {

const TypeOps *ops_of(const TypeDesc *d) { return d ? d->ops : nullptr; }

// The last entry of the context, or 0.
uint32_t last_code(KORVU_ERR_CTX *ctx) {
  uint32_t n = korvu_err_ctx_count(ctx);
  uint32_t code = 0;
  if (n > 0) korvu_err_ctx_get(ctx, n - 1, &code, nullptr, nullptr, nullptr);
  return code;
}

}  // namespace

void value_free(uint32_t type, void *value) {
  const TypeOps *o = ops_of(type_desc(type));
  if (o != nullptr && o->free != nullptr && value != nullptr) o->free(value);
}

Len value_content_length(uint32_t type, const void *value) {
  const TypeOps *o = ops_of(type_desc(type));
  if (o == nullptr || o->content_length == nullptr) return kLenError;
  return o->content_length(value);
}

Len value_length(uint32_t type, const void *value) {
  const TypeDesc *d = type_desc(type);
  const TypeOps *o = ops_of(d);
  if (o == nullptr) return kLenError;
  if (o->total_length != nullptr) return o->total_length(value);
  if (o->content_length == nullptr) return kLenError;
  return tlv_length(d->tag_number, o->content_length(value));
}

int encode_value(KORVU_STREAM *s, uint32_t type, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx) {
  const TypeDesc *d = type_desc(type);
  if (d == nullptr) {
    KORVU_ERR(ctx, kErrUnsupportType);
    return 0;
  }
  const TypeOps *o = d->ops;
  if (o == nullptr) {
    KORVU_ERR(ctx, kErrNoCodec);
    return 0;
  }
  if (o->encode != nullptr) {
    uint32_t n = 0;
    int r = o->encode(s, value, &n, ctx);
    if (r == 1 && written) *written = n;
    return r;
  }
  if (s == nullptr || o == nullptr || o->encode_content == nullptr || o->content_length == nullptr ||
      (value == nullptr && type != KORVU_TYPE_NULL)) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  Len l = o->content_length(value);
  if (l == kLenError || l == kLenOverflow) {
    KORVU_ERR(ctx, kErrIncorrectLength);
    return 0;
  }
  int primitive = d->form == KORVU_FORM_EITHER ? (l != kLenIndef) : static_cast<int>(d->form);
  uint32_t head = 0, body = 0;
  int r = write_header(s, d->tag_class, primitive, d->tag_number, static_cast<uint32_t>(l), &head, ctx);
  if (r != 1) return r;
  r = o->encode_content(s, value, static_cast<uint32_t>(l), &body, ctx);
  if (r != 1) return r;
  if (o->shift_offsets != nullptr) o->shift_offsets(const_cast<void *>(value), head);
  if (written) *written = head + body;
  return 1;
}

int decode_after_header(KORVU_STREAM *s, uint32_t type, const Header &h, void **out, uint32_t *consumed,
                        KORVU_ERR_CTX *ctx, int depth) {
  const TypeDesc *d = type_desc(type);
  if (d == nullptr) {
    KORVU_ERR(ctx, kErrUnsupportType);
    return 0;
  }
  const TypeOps *o = d->ops;
  if (o == nullptr) {
    KORVU_ERR(ctx, kErrNoCodec);
    return 0;
  }
  uint32_t n = 0;
  int r;
  if (o->decode_tlv != nullptr) {
    r = o->decode_tlv(s, h, out, &n, ctx, depth);
  } else {
    if (o == nullptr || o->decode_content == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    if (h.tag_class != d->tag_class || h.tag != d->tag_number) {
      KORVU_ERR(ctx, kErrIncorrectItem);
      return 0;
    }
    if (d->form != KORVU_FORM_EITHER && static_cast<uint32_t>(h.primitive) != d->form) {
      KORVU_ERR(ctx, kErrPcBit);
      return 0;
    }
    r = o->decode_content(s, out, h.primitive, h.length, &n, ctx, depth);
  }
  if (r != 1) {
    if (*out != nullptr) {  // a decoder must not hand out a value on failure
      value_free(type, *out);
      *out = nullptr;
    }
    return r;
  }
  if (o->shift_offsets != nullptr) o->shift_offsets(*out, h.size);
  if (consumed) *consumed = n;
  return 1;
}

int decode_value(KORVU_STREAM *s, uint32_t type, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth) {
  if (out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  const TypeDesc *d = type_desc(type);
  if (d == nullptr) {
    KORVU_ERR(ctx, kErrUnsupportType);
    return 0;
  }
  if (d->ops == nullptr) {
    KORVU_ERR(ctx, kErrNoCodec);
    return 0;
  }
  if (s == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  Header h;
  int r = read_header(s, h, ctx);
  if (r != 1) return r;
  uint32_t n = 0;
  r = decode_after_header(s, type, h, out, &n, ctx, depth);
  if (r != 1) return r;
  if (consumed) *consumed = h.size + n;
  return 1;
}

}  // namespace korvu

using namespace korvu;

extern "C" {

KORVU_API void korvu_asn1_value_free(uint32_t type, void *value) { value_free(type, value); }

KORVU_API uint32_t korvu_asn1_content_length(uint32_t type, const void *value) {
  return len_export(value_content_length(type, value));
}

KORVU_API uint32_t korvu_asn1_length(uint32_t type, const void *value) {
  return len_export(value_length(type, value));
}

KORVU_API int korvu_asn1_encode_content(KORVU_STREAM *stream, uint32_t type, const void *value, uint32_t length,
                                        uint32_t *written, KORVU_ERR_CTX *ctx) {
  const TypeDesc *d = type_desc(type);
  if (d == nullptr) {
    KORVU_ERR(ctx, kErrUnsupportType);
    return 0;
  }
  if (d->ops == nullptr) {
    KORVU_ERR(ctx, kErrNoCodec);
    return 0;
  }
  if (d->ops->encode_content == nullptr || stream == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  return d->ops->encode_content(stream, value, length, written, ctx);
}

KORVU_API int korvu_asn1_decode_content(KORVU_STREAM *stream, uint32_t type, void **value, uint32_t primitive,
                                        uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx) {
  const TypeDesc *d = type_desc(type);
  if (d == nullptr) {
    KORVU_ERR(ctx, kErrUnsupportType);
    return 0;
  }
  if (d->ops == nullptr) {
    KORVU_ERR(ctx, kErrNoCodec);
    return 0;
  }
  if (d->ops->decode_content == nullptr || stream == nullptr || value == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *value = nullptr;
  int r = d->ops->decode_content(stream, value, primitive ? 1 : 0, length, consumed, ctx, 0);
  if (r != 1 && *value != nullptr) {
    value_free(type, *value);
    *value = nullptr;
  }
  return r;
}

KORVU_API int korvu_asn1_encode(KORVU_STREAM *stream, uint32_t type, const void *value, uint32_t *written,
                                KORVU_ERR_CTX *ctx) {
  int r = encode_value(stream, type, value, written, ctx);
  if (r != 1 && type < kTypeCount && last_code(ctx) != static_cast<uint32_t>(type_desc(type)->error_code))
    KORVU_ENCODE_ERR(ctx, type);
  return r;
}

KORVU_API int korvu_asn1_decode(KORVU_STREAM *stream, uint32_t type, void **value, uint32_t *consumed,
                                KORVU_ERR_CTX *ctx) {
  int r = decode_value(stream, type, value, consumed, ctx, 0);
  // The caller sees which type failed, whatever the step (the depth limit
  // included, which records no message of its own).
  if (r != 1 && type < kTypeCount && last_code(ctx) != static_cast<uint32_t>(type_desc(type)->error_code) + 1)
    KORVU_DECODE_ERR(ctx, type);
  return r;
}

KORVU_API KORVU_DATA_BLOB *korvu_asn1_mem_encode(uint32_t type, const void *value) {
  if (type_desc(type) == nullptr) return nullptr;
  // A value whose whole length is known (every definite-length value, and a
  // kept encoding in one step) is written straight into the blob's buffer.
  const Len total = value != nullptr ? value_length(type, value) : kLenError;
  if (total != kLenError && total != kLenOverflow && total != kLenIndef && total > 0 && total <= kLenMax) {
    auto *blob = static_cast<KORVU_DATA_BLOB *>(KORVU_ALLOC(sizeof(KORVU_DATA_BLOB)));
    if (blob == nullptr) return nullptr;
    std::memset(blob, 0, sizeof *blob);
    korvu_stream_st s{};
    s.type = KORVU_STREAM_TYPE_MEM;
    s.data = static_cast<unsigned char *>(KORVU_ALLOC(static_cast<size_t>(total)));
    s.cap = static_cast<size_t>(total);
    s.embedded = true;  // the stream struct is this frame's; its buffer becomes the blob's
    if (s.data == nullptr || encode_value(&s, type, value, nullptr, nullptr) != 1) {
      korvu_free(s.data);
      korvu_free(blob);
      return nullptr;
    }
    blob->data = s.data;
    blob->length = static_cast<uint32_t>(s.size);
    return blob;
  }
  KORVU_STREAM *s = korvu_stream_new_mem(1024, nullptr);
  if (s == nullptr) return nullptr;
  KORVU_DATA_BLOB *blob = nullptr;
  if (encode_value(s, type, value, nullptr, nullptr) == 1) {
    uint32_t n = 0;
    const unsigned char *p = korvu_memstream_data(s, &n);
    blob = korvu_data_blob_new(p, n);
  }
  korvu_stream_free(s);
  return blob;
}

KORVU_API uint32_t korvu_asn1_mem_decode(const void *bytes, int32_t length, uint32_t type, void **value) {
  if (value != nullptr) *value = nullptr;
  if (bytes == nullptr || length < 1 || value == nullptr || type_desc(type) == nullptr) return 0xFFFFFFFFu;
  MemView in(bytes, static_cast<uint32_t>(length));
  uint32_t n = 0;
  if (decode_value(&in.s, type, value, &n, nullptr, 0) != 1) return 0xFFFFFFFFu;
  return n;
}

KORVU_API void *korvu_asn1_dupobject(uint32_t type, const void *value, KORVU_ERR_CTX *ctx) {
  if (type_desc(type) == nullptr) {
    KORVU_ERR(ctx, kErrUnsupportType);
    return nullptr;
  }
  if (value == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return nullptr;
  }
  KORVU_STREAM *s = korvu_stream_new_mem(128, ctx);
  if (s == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return nullptr;
  }
  void *copy = nullptr;
  if (encode_value(s, type, value, nullptr, ctx) != 1) {
    KORVU_ENCODE_ERR(ctx, type);
  } else if (decode_value(s, type, &copy, nullptr, ctx, 0) != 1) {
    KORVU_DECODE_ERR(ctx, type);
  } else if (korvu_stream_ctrl(s, KORVU_STREAM_CTRL_ATEND, nullptr) != 1) {
    value_free(type, copy);
    copy = nullptr;
    KORVU_ERR(ctx, kErrBytesNotDecoded);
  }
  korvu_stream_free(s);
  return copy;
}

}  // extern "C"
