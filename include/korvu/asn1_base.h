/* KORVU ASN.1: the generic operations every family header builds on (type
 * numbers, value operations, the codec, BOOLEAN, INTEGER, NULL). Family
 * headers include this one, never korvu/asn1.h, so that each compiles alone.
 *
 * BER/DER encoding and decoding of ASN.1 values for PKI.
 *
 * Every type has a number (korvu/asn1_types.h); the generic operations take
 * the type number and a value, a pointer to the type's own record. Results:
 * 1 is success, anything else a failure recorded in the caller's error
 * context. Lengths are unsigned 32-bit: 0xFFFFFFFE is an error, 0xFFFFFFFF
 * an indefinite length (or a sum past 0x7FFFFFFF). */
#ifndef KORVU_ASN1_BASE_H
#define KORVU_ASN1_BASE_H

#include <stddef.h>
#include <stdint.h>

#include "korvu/asn1_types.h"
#include "korvu/util.h"

#if defined(_WIN32)
#define KORVU_API __declspec(dllexport)
#else
#define KORVU_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define KORVU_FORM_CONSTRUCTED 0u
#define KORVU_FORM_PRIMITIVE 1u
#define KORVU_FORM_EITHER 0xFFFFFFFFu

#define KORVU_CLASS_UNIVERSAL 0x00u
#define KORVU_CLASS_APPLICATION 0x40u
#define KORVU_CLASS_CONTEXT 0x80u
#define KORVU_CLASS_PRIVATE 0xC0u

#define KORVU_LENGTH_INDEFINITE 0xFFFFFFFFu
#define KORVU_LENGTH_ERROR 0xFFFFFFFEu

/* ---- Ownership ------------------------------------------------------------
 * The same rules hold however a value was built: decoded from memory or from
 * a file stream, by a constructor, by korvu_asn1_dupobject, from JSON, by a
 * push decoder.
 * - korvu_asn1_value_free(type, v) releases v and every value v points to:
 *   each component of a record, each element of a list, a Time's KORVU_TIME
 *   handle, an OCTET STRING's or BIT STRING's stream when owns_stream is 1.
 * - Every pointer in a record that names a value (a component, a list, a list
 *   element) is a value of its own. A caller may take it out and set the
 *   member to null (or clear its present flag) before freeing the record
 *   ("detach"), free it and put another value of the same type in its place
 *   ("replace"), or exchange it with another value; the record frees whatever
 *   it holds when it is freed. A constructor ending in 0
 *   (korvu_pkcs7signeddata_new0) takes over the values it is given, so the
 *   caller nulls its own pointers to them.
 * - An INTEGER or ENUMERATED is a data blob: its `data` is a block of its own
 *   (korvu_free it and set new bytes from korvu_malloc). A Time's handle is a
 *   block of its own. The octets and text of an OBJECT IDENTIFIER, the text
 *   of a Time and the first buffer of a string's stream live in the value's
 *   own block: they go with the value.
 * - A BOOLEAN is a word of its own, decoded or made (an absent DEFAULT too):
 *   its holder may write it, free it or replace it.
 * - Kept encodings (the `encoded`, `tbsEncoded`, `encoding` members of signed
 *   structures and names) are not values: the record owns them, callers only
 *   read them.
 * - Assigning one record to another (a = *b) copies pointers, not values:
 *   the two then share components and only one of them may be freed.
 *   korvu_asn1_dupobject(type, v, ctx) is the copy. */

/* ---- Generic value operations ------------------------------------------- */
KORVU_API void korvu_asn1_value_free(uint32_t type, void *value);
KORVU_API uint32_t korvu_asn1_content_length(uint32_t type, const void *value);
KORVU_API uint32_t korvu_asn1_length(uint32_t type, const void *value);
KORVU_API int korvu_asn1_encode_content(KORVU_STREAM *stream, uint32_t type, const void *value, uint32_t length,
                                        uint32_t *written, KORVU_ERR_CTX *ctx);
KORVU_API int korvu_asn1_decode_content(KORVU_STREAM *stream, uint32_t type, void **value, uint32_t primitive,
                                        uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx);
KORVU_API void *korvu_asn1_dupobject(uint32_t type, const void *value, KORVU_ERR_CTX *ctx);
KORVU_API void korvu_asn1_encode_puterr(KORVU_ERR_CTX *ctx, uint32_t type, const char *file, int line);
KORVU_API void korvu_asn1_decode_puterr(KORVU_ERR_CTX *ctx, uint32_t type, const char *file, int line);
KORVU_API const char *korvu_asn1_version(void);
/* Our additions: the message of a library code ("" outside 0x10200..0x105B4,
 * except KORVU_ASN1_ERR_NOCODEC)
 * and the name of a type number (null above 449). */
KORVU_API const char *korvu_asn1_errmessage(uint32_t code);
KORVU_API const char *korvu_asn1_typename(uint32_t type);
/* 1 when this build can encode and decode values of the type, 0 when its
 * module is not part of the build (or the number is above 449). Encoding or
 * decoding such a type fails with KORVU_ASN1_ERR_NOCODEC in the context. */
KORVU_API int korvu_asn1_hascodec(uint32_t type);
#define KORVU_ASN1_ERR_NOCODEC 0x10600u
/* Our addition: decodes one value of `type` from the first encoding in
 * bytes[0, length), like korvu_asn1_mem_decode, and on failure says where.
 * Returns 1 with the value in *value (freed with korvu_asn1_value_free) and
 * the octets it took in *consumed; octets after the first encoding are left
 * alone. On failure *value is null, the reasons are in `ctx` and *offset is
 * the offset of the octet at which the input stopped decoding: the first
 * octet of the element the decoder refused (a wrong tag, bad contents; for a
 * component missing at the end of a structure, the last element read), or,
 * where the encoding itself breaks, the first length octet of a length that
 * runs past its container or the octet where an end-of-contents is missing. `consumed`, `offset` and `ctx` may be null; a null
 * `value`, or null `bytes` with a non-zero length, fails with
 * KORVU_ERR_NULLARG. */
KORVU_API int korvu_asn1_decode_diag(const void *bytes, uint32_t length, uint32_t type, void **value,
                                     uint32_t *consumed, uint32_t *offset, KORVU_ERR_CTX *ctx);

/* ---- Codec and drivers -------------------------------------------------- */
KORVU_API int korvu_asn1_encode_identifier(KORVU_STREAM *stream, uint32_t tag_class, uint32_t primitive,
                                           int32_t tag_number, uint32_t *length, KORVU_ERR_CTX *ctx);
KORVU_API uint32_t korvu_asn1_identifier_length(int32_t tag_number);
KORVU_API int korvu_asn1_decode_identifier(KORVU_STREAM *stream, uint32_t *tag_class, uint32_t *primitive,
                                           uint32_t *tag_number, uint32_t *length, KORVU_ERR_CTX *ctx);
KORVU_API int korvu_asn1_encode_length(KORVU_STREAM *stream, uint32_t length, uint32_t *length_length,
                                       KORVU_ERR_CTX *ctx);
KORVU_API uint32_t korvu_asn1_length_length(uint32_t length);
KORVU_API int korvu_asn1_decode_length(KORVU_STREAM *stream, uint32_t *length, uint32_t *length_length,
                                       KORVU_ERR_CTX *ctx);
KORVU_API int korvu_asn1_decode_eoc_length(KORVU_STREAM *stream, uint32_t *length, KORVU_ERR_CTX *ctx);
KORVU_API int korvu_asn1_encode(KORVU_STREAM *stream, uint32_t type, const void *value, uint32_t *written,
                                KORVU_ERR_CTX *ctx);
KORVU_API int korvu_asn1_decode(KORVU_STREAM *stream, uint32_t type, void **value, uint32_t *consumed,
                                KORVU_ERR_CTX *ctx);
KORVU_API KORVU_DATA_BLOB *korvu_asn1_mem_encode(uint32_t type, const void *value);
KORVU_API uint32_t korvu_asn1_mem_decode(const void *bytes, int32_t length, uint32_t type, void **value);

/* ---- BOOLEAN (1) -------------------------------------------------------- */
typedef uint32_t KORVU_ASN1_BOOLEAN;

/* A new TRUE (the contents octet FF); null without memory. Freed with
 * korvu_asn1_value_free(KORVU_TYPE_BOOLEAN, value), as every value below. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_true(void);
/* A new FALSE (00); null without memory. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_false(void);
/* A new BOOLEAN holding `octet` as its contents octet (any non-zero octet is
 * TRUE; it is kept, so 01 re-encodes as 01); null without memory. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_new(uint8_t octet);
/* 1 when the value is TRUE (a non-zero octet), 0 when FALSE or null. */
KORVU_API int korvu_asn1_boolean_istrue(const KORVU_ASN1_BOOLEAN *value);
/* The contents octet into *word; 1, or 0 for a null argument. */
KORVU_API int korvu_asn1_boolean_getvalue(const KORVU_ASN1_BOOLEAN *value, uint32_t *word);

/* ---- INTEGER (2) and ENUMERATED (7) -------------------------------------- */
/* The contents octets: two's complement, most significant first. */
typedef KORVU_DATA_BLOB KORVU_ASN1_INTEGER;

/* A new INTEGER (ENUMERATED) of the value, in the fewest contents octets;
 * null without memory. Freed with korvu_asn1_value_free(KORVU_TYPE_INTEGER
 * or KORVU_TYPE_ENUMERATED, value). */
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_value(int32_t value);
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_enum_value(int32_t value);
/* A new INTEGER from `count` octets of two's complement, most significant
 * first (copied; redundant leading 00 or FF octets dropped); null for null
 * bytes, a count below 1 or without memory. */
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_new(const void *bytes, int32_t count);
/* The same from an unsigned magnitude: a 00 octet is put in front when the
 * first octet has its top bit set, so the value stays positive. */
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_unsigned_integer_new(const void *bytes, int32_t count);
/* Copies the contents octets into `buffer` (korvu_asn1_integer_getlength
 * octets); 1, or 0 for a null argument. */
KORVU_API int korvu_asn1_integer_get(const KORVU_ASN1_INTEGER *value, void *buffer);
/* The number of contents octets of an INTEGER, ENUMERATED, OBJECT IDENTIFIER
 * or RELATIVE-OID value; 0xFFFFFFFE for null. */
KORVU_API uint32_t korvu_asn1_integer_getlength(const void *value);
/* The value as a 32-bit signed number into *out; 1, or 0 when it does not fit
 * or an argument is null. */
KORVU_API int korvu_asn1_integer_getlong(const KORVU_ASN1_INTEGER *value, int32_t *out);
KORVU_API int korvu_asn1_enum_getlong(const KORVU_ASN1_INTEGER *value, int32_t *out);
/* 1 when both hold the same contents octets (or both are null), else 0. */
KORVU_API int korvu_asn1_integer_equals(const KORVU_ASN1_INTEGER *a, const KORVU_ASN1_INTEGER *b);
/* Orders by contents length, then octet by octet: -1, 0 or 1 (null first). */
KORVU_API int korvu_asn1_integer_encodecmp(const KORVU_ASN1_INTEGER *a, const KORVU_ASN1_INTEGER *b);
/* A new big integer of the value (freed with korvu_biginteger_free); null for
 * null or without memory. */
KORVU_API KORVU_BIGINTEGER *korvu_asn1_integer_getbigintger(const KORVU_ASN1_INTEGER *value);
/* A new INTEGER of a big integer's value; null for null or without memory. */
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_newbigint(const KORVU_BIGINTEGER *value);

/* ---- NULL (5) ----------------------------------------------------------- */
/* Any pointer stands for NULL; decoding hands out a shared constant marker. */

#ifdef __cplusplus
}
#endif

#endif /* KORVU_ASN1_BASE_H */
