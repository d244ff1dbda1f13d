// The restricted character string types of X.680 (UTF8String, NumericString,
// PrintableString, TeletexString, VideotexString, IA5String, GraphicString,
// VisibleString, GeneralString, UniversalString, BMPString) and the abstract
// string type. They share the OCTET STRING value and contents operations: the
// bytes are stored and written unchanged, no character set is checked.
// Constructed encodings use segments tagged OCTET STRING (X.690 8.23.6).
#define KORVU_SRC "KORVU_ASN1_String"

#include "strings_internal.h"

namespace korvu {
namespace {

// The abstract string has no tag of its own: only its contents operations,
// under a tag the enclosing structure chooses, make sense.
int abstract_encode(KORVU_STREAM *, const void *, uint32_t *written, KORVU_ERR_CTX *ctx) {
  if (written != nullptr) *written = 0;
  KORVU_ERR(ctx, kErrUnsupportEncode);
  return 0;
}

int abstract_decode_tlv(KORVU_STREAM *, const Header &, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx, int) {
  if (out != nullptr) *out = nullptr;
  if (consumed != nullptr) *consumed = 0;
  KORVU_ERR(ctx, kErrUnsupportDecode);
  return 0;
}

}  // namespace
}  // namespace korvu

using namespace korvu;

#define KORVU_STRING_OPS(encode_op, decode_op, mem)    \
  {                                                   \
    .free = octetstring_free,                         \
    .content_length = octetstring_content_length,     \
    .total_length = nullptr,                          \
    .encode_content = octetstring_encode_content,     \
    .decode_content = octetstring_decode_content,     \
    .encode = encode_op,                              \
    .decode_tlv = decode_op,                          \
    .shift_offsets = nullptr,                         \
    .def = nullptr,                                   \
    .accepts = nullptr,                               \
    .mem_read = TypeOps::MemRead::mem,                \
  }
#define KORVU_STRING_TYPE(n, tag) \
  KORVU_REGISTER_TYPE(n) = KORVU_STRING_OPS((string_encode_t<n, tag>), (string_decode_tlv_t<n, tag>), Octets)

// The character string types, each with its universal tag number.
KORVU_REGISTER_TYPE(KORVU_TYPE_STRING) = KORVU_STRING_OPS(abstract_encode, abstract_decode_tlv, None);
KORVU_STRING_TYPE(KORVU_TYPE_UTF8STRING, 12);
KORVU_STRING_TYPE(KORVU_TYPE_NUMERICSTRING, 18);
KORVU_STRING_TYPE(KORVU_TYPE_PRINTABLESTRING, 19);
KORVU_STRING_TYPE(KORVU_TYPE_TELETEXSTRING, 20);
KORVU_STRING_TYPE(KORVU_TYPE_VIDEOTEXSTRING, 21);
KORVU_STRING_TYPE(KORVU_TYPE_IA5STRING, 22);
KORVU_STRING_TYPE(KORVU_TYPE_GRAPHICSTRING, 25);
KORVU_STRING_TYPE(KORVU_TYPE_VISIBLESTRING, 26);
KORVU_STRING_TYPE(KORVU_TYPE_GENERALSTRING, 27);
KORVU_STRING_TYPE(KORVU_TYPE_UNIVERSALSTRING, 28);
KORVU_STRING_TYPE(KORVU_TYPE_BMPSTRING, 30);

extern "C" {

KORVU_API KORVU_ASN1_STRING *korvu_asn1_string_new(const void *bytes, int32_t count) {
  return korvu_asn1_octetstring_new(bytes, count);
}

KORVU_API uint32_t korvu_asn1_string_getlength(const KORVU_ASN1_STRING *value) {
  return korvu_asn1_octetstring_getlength(value);
}

KORVU_API int korvu_asn1_string_get(const KORVU_ASN1_STRING *value, void *buffer) {
  return korvu_asn1_octetstring_getall(value, buffer);
}

}  // extern "C"
