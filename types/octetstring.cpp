// OCTET STRING (universal 4): a value over a byte stream, written primitive,
// or constructed with an indefinite length in 8192-octet segments when the
// data is a large file; read from either form (X.690 8.7).
#define KORVU_SRC "KORVU_ASN1_OctetString"
#include <cstring>

#include "strings_internal.h"

namespace korvu {

namespace {

constexpr uint32_t kOctetStringType = KORVU_TYPE_OCTET_STRING;
constexpr uint32_t kOctetStringTag = 4;
constexpr uint32_t kDecodeCapacity = 128;

KORVU_ASN1_OCTETSTRING *new_value(KORVU_STREAM *stream, uint32_t owns) {
  auto *v = static_cast<KORVU_ASN1_OCTETSTRING *>(KORVU_ALLOC(sizeof(KORVU_ASN1_OCTETSTRING)));
  if (v == nullptr) return nullptr;
  v->stream = stream;
  v->owns_stream = owns;
  return v;
}

const KORVU_ASN1_OCTETSTRING *as_value(const void *value) {
  return static_cast<const KORVU_ASN1_OCTETSTRING *>(value);
}


// Reads contents into a new memory stream and hands out a value owning it.
int decode_owned(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                 KORVU_ERR_CTX *ctx, int depth) {
  auto *v = new_with_stream<KORVU_ASN1_OCTETSTRING>(contents_capacity(length, kDecodeCapacity));
  if (v == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  uint32_t n = 0;
  int rc = read_string_contents(s, v->stream, primitive, length, kOctetStringTag, &n, ctx, depth);
  if (rc != 1) {
    octetstring_free(v);
    return rc;
  }
  *out = v;
  if (consumed != nullptr) *consumed = n;
  return 1;
}

}  // namespace

void octetstring_free(void *value) {
  auto *v = static_cast<KORVU_ASN1_OCTETSTRING *>(value);
  if (v == nullptr) return;
  if (v->owns_stream == 1) korvu_stream_free(v->stream);
  korvu_free(v);
}

Len octetstring_content_length(const void *value) {
  return value == nullptr ? kLenError : string_content_length(as_value(value)->stream);
}

int octetstring_encode_content(KORVU_STREAM *s, const void *value, uint32_t length, uint32_t *written,
                               KORVU_ERR_CTX *ctx) {
  if (written != nullptr) *written = 0;
  if (value == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  return write_string_data(s, as_value(value)->stream, length, kOctetStringTag, false, 0, written, ctx);
}

int octetstring_decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                               KORVU_ERR_CTX *ctx, int depth) {
  if (consumed != nullptr) *consumed = 0;
  if (out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  int rc = decode_owned(s, out, primitive, length, consumed, ctx, depth);
  if (rc != 1) KORVU_DECODE_ERR(ctx, kOctetStringType);
  return rc;
}

int string_encode(KORVU_STREAM *s, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx, uint32_t type,
                  uint32_t tag) {
  if (written != nullptr) *written = 0;
  if (s == nullptr || value == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  Len length = octetstring_content_length(value);
  if (length == kLenError) {
    KORVU_ERR(ctx, type == kOctetStringType ? kErrBadLength : kErrCalLength);
    return 0;
  }
  uint32_t head = 0, body = 0;
  int rc = write_header(s, KORVU_CLASS_UNIVERSAL, length != kLenIndef, tag, static_cast<uint32_t>(length), &head,
                        ctx);
  if (rc != 1) return rc;
  rc = write_string_data(s, as_value(value)->stream, length, kOctetStringTag, false, 0, &body, ctx);
  if (rc != 1) return rc;
  if (written != nullptr) *written = head + body;
  return 1;
}

int string_decode_tlv(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
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

}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(KORVU_TYPE_OCTET_STRING) = {
    .free = octetstring_free,
    .content_length = octetstring_content_length,
    .total_length = nullptr,
    .encode_content = octetstring_encode_content,
    .decode_content = octetstring_decode_content,
    .encode = string_encode_t<kOctetStringType, kOctetStringTag>,
    .decode_tlv = string_decode_tlv_t<kOctetStringType, kOctetStringTag>,
    .shift_offsets = nullptr,
};

extern "C" {

KORVU_API KORVU_ASN1_OCTETSTRING *korvu_asn1_octetstring_new(const void *bytes, int32_t count) {
  if (count < 0 || (bytes == nullptr && count != 0)) return nullptr;
  auto *v = new_with_stream<KORVU_ASN1_OCTETSTRING>(static_cast<uint32_t>(count));
  if (v == nullptr) return nullptr;
  if (korvu_stream_writen(v->stream, bytes, static_cast<uint32_t>(count)) != 1) {
    octetstring_free(v);
    return nullptr;
  }
  return v;
}

KORVU_API KORVU_ASN1_OCTETSTRING *korvu_asn1_octetstring_newstream(KORVU_STREAM *stream) {
  return stream == nullptr ? nullptr : new_value(stream, 0);
}

KORVU_API uint32_t korvu_asn1_octetstring_getlength(const KORVU_ASN1_OCTETSTRING *value) {
  return len_export(octetstring_content_length(value));
}

KORVU_API int korvu_asn1_octetstring_getall(const KORVU_ASN1_OCTETSTRING *value, void *buffer) {
  Len length = octetstring_content_length(value);
  if (!len_ok(length)) return 0;
  return read_all(value->stream, buffer, static_cast<uint32_t>(length));
}

KORVU_API int korvu_asn1_octetstring_get(KORVU_ASN1_OCTETSTRING *value, int mode, void *buffer, int32_t size,
                                         uint32_t *count, KORVU_ERR_CTX *ctx) {
  return read_piece(value != nullptr ? value->stream : nullptr, mode, buffer, size, count, ctx);
}

KORVU_API KORVU_DATA_BLOB *korvu_asn1_octetstring_getblob(const KORVU_ASN1_OCTETSTRING *value) {
  Len length = octetstring_content_length(value);
  if (!len_ok(length)) return nullptr;
  uint32_t n = static_cast<uint32_t>(length);
  if (korvu_stream_gettype(value->stream) == KORVU_STREAM_TYPE_MEM) {
    uint32_t held = 0;
    const unsigned char *p = korvu_memstream_data(value->stream, &held);
    return p != nullptr && held == n ? korvu_data_blob_new(p, n) : nullptr;
  }
  // A file below the large-value size: its real length, not a claimed one.
  auto *buf = static_cast<unsigned char *>(KORVU_ALLOC(n == 0 ? 1 : n));
  if (buf == nullptr) return nullptr;
  KORVU_DATA_BLOB *blob = nullptr;
  if (read_all(value->stream, buf, n) == 1) blob = korvu_data_blob_new(buf, n);
  korvu_free(buf);
  return blob;
}

KORVU_API int korvu_asn1_octetstring_getobject(const KORVU_ASN1_OCTETSTRING *value, uint32_t type, void **object,
                                               KORVU_ERR_CTX *ctx) {
  return decode_object_from(value != nullptr ? value->stream : nullptr, type, object, ctx);
}

KORVU_API int korvu_asn1_decode_octetstring_content_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                                       KORVU_ASN1_OCTETSTRING **value, uint32_t primitive,
                                                       uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx) {
  if (value != nullptr) *value = nullptr;
  if (consumed != nullptr) *consumed = 0;
  uint32_t n = 0;
  int rc = read_string_contents(input, output, primitive ? 1 : 0, length, kOctetStringTag, &n, ctx, 0);
  return hand_out_ex(rc, value, consumed, n, kOctetStringType, ctx, [&] { return new_value(output, 0); });
}

KORVU_API int korvu_asn1_decode_octetstring_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                               KORVU_ASN1_OCTETSTRING **value, uint32_t *consumed,
                                               KORVU_ERR_CTX *ctx) {
  return decode_ex(input, output, value, consumed, ctx, kOctetStringType, kOctetStringTag, korvu_asn1_decode_octetstring_content_ex);
}

}  // extern "C"
