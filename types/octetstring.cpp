// OCTET STRING (universal 4): a value over a byte stream, written primitive,
// or constructed with an indefinite length in 8192-octet segments when the
// data is a large file; read from either form (X.690 8.7).
#define KORVU_SRC "KORVU_ASN1_OctetString"

#include "strings_internal.h"

namespace korvu {
namespace {

// The parameters of the shared codec (strings_internal.h).
struct OctetStringForm {
  using Value = KORVU_ASN1_OCTETSTRING;
  static constexpr uint32_t kType = KORVU_TYPE_OCTET_STRING, kTag = 4, kDecodeCapacity = 128;
  static constexpr bool kUnusedBits = false;

  static Len content_length(const void *value) {
    return value == nullptr ? kLenError : string_content_length(static_cast<const Value *>(value)->stream);
  }
  // The contents are the data.
  static Len data_length(const Value *v) { return content_length(v); }
};
using Codec = StringCodec<OctetStringForm>;

}  // namespace

// The operations the character string types share.
void octetstring_free(void *value) { Codec::free_value(value); }

Len octetstring_content_length(const void *value) { return OctetStringForm::content_length(value); }

int octetstring_encode_content(KORVU_STREAM *s, const void *value, uint32_t length, uint32_t *written,
                               KORVU_ERR_CTX *ctx) {
  return Codec::encode_content(s, value, length, written, ctx);
}

int octetstring_decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                               KORVU_ERR_CTX *ctx, int depth) {
  return Codec::decode_content(s, out, primitive, length, consumed, ctx, depth);
}

void *octetstring_copy(const unsigned char *data, uint32_t length) { return Codec::copy_of(data, length, 0); }

int string_encode(KORVU_STREAM *s, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx, uint32_t type,
                  uint32_t tag) {
  return Codec::encode(s, value, written, ctx, type, tag);
}

int string_decode_tlv(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                      int depth, uint32_t type, uint32_t tag) {
  return Codec::decode_tlv(s, h, out, consumed, ctx, depth, type, tag);
}

}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(KORVU_TYPE_OCTET_STRING) = Codec::ops();

extern "C" {

KORVU_API KORVU_ASN1_OCTETSTRING *korvu_asn1_octetstring_new(const void *bytes, int32_t count) {
  if (count < 0 || (bytes == nullptr && count != 0)) return nullptr;
  return Codec::new_copy(0, bytes, static_cast<uint32_t>(count));
}

KORVU_API KORVU_ASN1_OCTETSTRING *korvu_asn1_octetstring_newstream(KORVU_STREAM *stream) {
  return stream == nullptr ? nullptr : Codec::new_value(stream, 0, 0);
}

KORVU_API uint32_t korvu_asn1_octetstring_getlength(const KORVU_ASN1_OCTETSTRING *value) {
  return len_export(octetstring_content_length(value));
}

KORVU_API int korvu_asn1_octetstring_getall(const KORVU_ASN1_OCTETSTRING *value, void *buffer) {
  return Codec::get_all(value, buffer);
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

KORVU_API int korvu_asn1_decode_octetstring_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                               KORVU_ASN1_OCTETSTRING **value, uint32_t *consumed,
                                               KORVU_ERR_CTX *ctx) {
  return Codec::decode_ex(input, output, value, consumed, ctx);
}

KORVU_API int korvu_asn1_decode_octetstring_content_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                                       KORVU_ASN1_OCTETSTRING **value, uint32_t primitive,
                                                       uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx) {
  return Codec::decode_content_ex(input, output, value, primitive, length, consumed, ctx);
}

}  // extern "C"
