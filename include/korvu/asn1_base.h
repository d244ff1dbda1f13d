/** @file
 * KORVU ASN.1: the generic operations every family header builds on (type
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
/** Marks a function the library exports. */
#define KORVU_API __declspec(dllexport)
#else
/** Marks a function the library exports. */
#define KORVU_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** The constructed form (identifier bit 6 set): `primitive` argument or result 0. */
#define KORVU_FORM_CONSTRUCTED 0u
/** The primitive form: `primitive` argument or result 1. */
#define KORVU_FORM_PRIMITIVE 1u
/** A type whose encodings come in both forms (strings, ANY). */
#define KORVU_FORM_EITHER 0xFFFFFFFFu

/** Tag class UNIVERSAL: the identifier octet's top two bits, as the library passes classes. */
#define KORVU_CLASS_UNIVERSAL 0x00u
/** Tag class APPLICATION (bits 01). */
#define KORVU_CLASS_APPLICATION 0x40u
/** Tag class context-specific (bits 10). */
#define KORVU_CLASS_CONTEXT 0x80u
/** Tag class PRIVATE (bits 11). */
#define KORVU_CLASS_PRIVATE 0xC0u

/** A length that is indefinite (X.690 8.1.3.6), or a sum past 0x7FFFFFFF. */
#define KORVU_LENGTH_INDEFINITE 0xFFFFFFFFu
/** A length that could not be computed (null value, unknown type). */
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
 *   of a Time and a string's stream object with its first buffer live in the
 *   value's own block: they go with the value. A decoded well-known OBJECT
 *   IDENTIFIER's octets and text are constants instead (read, never written).
 * - A BOOLEAN is a word of its own, decoded or made (an absent DEFAULT too):
 *   its holder may write it, free it or replace it.
 * - Kept encodings (the `encoded`, `tbsEncoded`, `encoding` members of signed
 *   structures and names) are not values: the record owns them, callers only
 *   read them.
 * - Assigning one record to another (a = *b) copies pointers, not values:
 *   the two then share components and only one of them may be freed.
 *   korvu_asn1_dupobject(type, v, ctx) is the copy. */

/* ---- Generic value operations ------------------------------------------- */
/** Frees a value of `type` and everything it holds (see the ownership rules above); a null value or an unknown
 * type does nothing. */
KORVU_API void korvu_asn1_value_free(uint32_t type, void *value);
/** The number of contents octets the value encodes to; KORVU_LENGTH_INDEFINITE for an indefinite length,
 * KORVU_LENGTH_ERROR for an unknown type or a value that cannot be measured. */
KORVU_API uint32_t korvu_asn1_content_length(uint32_t type, const void *value);
/** The number of octets of the whole encoding (identifier, length and contents, end-of-contents included); the
 * same error values as korvu_asn1_content_length. */
KORVU_API uint32_t korvu_asn1_length(uint32_t type, const void *value);
/** Writes only the contents octets of the value (`length` is its content length, from korvu_asn1_content_length)
 * and the count written into *written. 1, or a failure in `ctx`: an unknown type, KORVU_ASN1_ERR_NOCODEC,
 * KORVU_ERR_NULLARG for a null stream, or the type's own codes. */
KORVU_API int korvu_asn1_encode_content(KORVU_STREAM *stream, uint32_t type, const void *value, uint32_t length,
                                        uint32_t *written, KORVU_ERR_CTX *ctx);
/** Decodes the contents octets of a value of `type` whose identifier and length the caller has read (`primitive` 1
 * or 0, `length` possibly KORVU_LENGTH_INDEFINITE); the new value goes to *value (freed with
 * korvu_asn1_value_free) and the octets read to *consumed. On failure *value is null and the reasons are in `ctx`. */
KORVU_API int korvu_asn1_decode_content(KORVU_STREAM *stream, uint32_t type, void **value, uint32_t primitive,
                                        uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx);
/** A deep copy of the value, made by encoding and decoding it (freed with korvu_asn1_value_free); null with the
 * reason in `ctx` for an unknown type, a null value, no memory, or a value that does not encode and decode again. */
KORVU_API void *korvu_asn1_dupobject(uint32_t type, const void *value, KORVU_ERR_CTX *ctx);
/** Records the encode-failure code of `type` (the catalogue's code, or the unsupported-type code for an unknown
 * number) in `ctx` with the source position `file`:`line`. */
KORVU_API void korvu_asn1_encode_puterr(KORVU_ERR_CTX *ctx, uint32_t type, const char *file, int line);
/** Records the decode-failure code of `type` (its encode code + 1) in `ctx`, as korvu_asn1_encode_puterr. */
KORVU_API void korvu_asn1_decode_puterr(KORVU_ERR_CTX *ctx, uint32_t type, const char *file, int line);
/** The library's fixed identification text (a static string). */
KORVU_API const char *korvu_asn1_version(void);
/** The message of a library code, a static string ("" outside 0x10200..0x105B4,
 * except KORVU_ASN1_ERR_NOCODEC). */
KORVU_API const char *korvu_asn1_errmessage(uint32_t code);
/** The name of a type number (a static string); null above 449. */
KORVU_API const char *korvu_asn1_typename(uint32_t type);
/** 1 when this build can encode and decode values of the type, 0 when its
 * module is not part of the build (or the number is above 449). Encoding or
 * decoding such a type fails with KORVU_ASN1_ERR_NOCODEC in the context. */
KORVU_API int korvu_asn1_hascodec(uint32_t type);
/** Error code of a type whose module this build leaves out. */
#define KORVU_ASN1_ERR_NOCODEC 0x10600u
/** Decodes one value of `type` from the first encoding in
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
/** Writes an identifier (X.690 8.1.2): class, form (`primitive` non-zero for primitive), tag number; the octets
 * written go to *length (may be null). 1, or a failure in `ctx` (null stream, negative tag number, a stream
 * failure). */
KORVU_API int korvu_asn1_encode_identifier(KORVU_STREAM *stream, uint32_t tag_class, uint32_t primitive,
                                           int32_t tag_number, uint32_t *length, KORVU_ERR_CTX *ctx);
/** The number of identifier octets a tag number takes; 0xFFFFFFFE for a negative one. */
KORVU_API uint32_t korvu_asn1_identifier_length(int32_t tag_number);
/** Reads an identifier: its class, form (1 primitive) and tag number, and the octets read into *length (may be
 * null). 1, or a failure in `ctx`. */
KORVU_API int korvu_asn1_decode_identifier(KORVU_STREAM *stream, uint32_t *tag_class, uint32_t *primitive,
                                           uint32_t *tag_number, uint32_t *length, KORVU_ERR_CTX *ctx);
/** Writes length octets in the fewest octets (KORVU_LENGTH_INDEFINITE writes 80); the count into *length_length
 * (may be null). 1, or a failure in `ctx`. */
KORVU_API int korvu_asn1_encode_length(KORVU_STREAM *stream, uint32_t length, uint32_t *length_length,
                                       KORVU_ERR_CTX *ctx);
/** The number of length octets a length takes (1 for KORVU_LENGTH_INDEFINITE); 0xFFFFFFFE above 0x7FFFFFFF
 * otherwise. */
KORVU_API uint32_t korvu_asn1_length_length(uint32_t length);
/** Reads length octets into *length (KORVU_LENGTH_INDEFINITE for 80) and their count into *length_length (may be
 * null). 1, or a failure in `ctx`. */
KORVU_API int korvu_asn1_decode_length(KORVU_STREAM *stream, uint32_t *length, uint32_t *length_length,
                                       KORVU_ERR_CTX *ctx);
/** Reads the length octet of an end-of-contents whose identifier octet 00 was read: it must be 00. *length (may be
 * null) gets 1. 1, or a failure in `ctx`. */
KORVU_API int korvu_asn1_decode_eoc_length(KORVU_STREAM *stream, uint32_t *length, KORVU_ERR_CTX *ctx);
/** Writes the whole encoding of a value of `type` (DER for values built by constructors; a kept encoding as kept)
 * and the octets written into *written (may be null). 1, or a failure in `ctx`, ending with the type's encode
 * code. */
KORVU_API int korvu_asn1_encode(KORVU_STREAM *stream, uint32_t type, const void *value, uint32_t *written,
                                KORVU_ERR_CTX *ctx);
/** Reads one value of `type` (BER) into *value (freed with korvu_asn1_value_free) and the octets read into
 * *consumed (may be null). On failure *value is null and `ctx` ends with the type's decode code. */
KORVU_API int korvu_asn1_decode(KORVU_STREAM *stream, uint32_t type, void **value, uint32_t *consumed,
                                KORVU_ERR_CTX *ctx);
/** The encoding of a value of `type` as a new blob (freed with korvu_data_blob_free); null on any failure (no
 * context). */
KORVU_API KORVU_DATA_BLOB *korvu_asn1_mem_encode(uint32_t type, const void *value);
/** Decodes one value of `type` from bytes[0, length) into *value (freed with korvu_asn1_value_free); returns the
 * octets it took, or 0xFFFFFFFF with *value null on failure (no context). */
KORVU_API uint32_t korvu_asn1_mem_decode(const void *bytes, int32_t length, uint32_t type, void **value);

/* ---- BOOLEAN (1) -------------------------------------------------------- */
/** A BOOLEAN: the contents octet in a word of its own (00 FALSE, anything else TRUE). */
typedef uint32_t KORVU_ASN1_BOOLEAN;

/** A new TRUE (the contents octet FF); null without memory. Freed with
 * korvu_asn1_value_free(KORVU_TYPE_BOOLEAN, value), as every value below. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_true(void);
/** A new FALSE (00); null without memory. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_false(void);
/** A new BOOLEAN holding `octet` as its contents octet (any non-zero octet is
 * TRUE; it is kept, so 01 re-encodes as 01); null without memory. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_new(uint8_t octet);
/** 1 when the value is TRUE (a non-zero octet), 0 when FALSE or null. */
KORVU_API int korvu_asn1_boolean_istrue(const KORVU_ASN1_BOOLEAN *value);
/** The contents octet into *word; 1, or 0 for a null argument. */
KORVU_API int korvu_asn1_boolean_getvalue(const KORVU_ASN1_BOOLEAN *value, uint32_t *word);

/* ---- INTEGER (2) and ENUMERATED (7) -------------------------------------- */
/** The contents octets: two's complement, most significant first. */
typedef KORVU_DATA_BLOB KORVU_ASN1_INTEGER;

/** A new INTEGER (ENUMERATED) of the value, in the fewest contents octets;
 * null without memory. Freed with korvu_asn1_value_free(KORVU_TYPE_INTEGER
 * or KORVU_TYPE_ENUMERATED, value). */
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_value(int32_t value);
/** A new ENUMERATED of the value, as korvu_asn1_integer_value. */
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_enum_value(int32_t value);
/** A new INTEGER from `count` octets of two's complement, most significant
 * first (copied; redundant leading 00 or FF octets dropped); null for null
 * bytes, a count below 1 or without memory. */
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_new(const void *bytes, int32_t count);
/** The same from an unsigned magnitude: a 00 octet is put in front when the
 * first octet has its top bit set, so the value stays positive. */
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_unsigned_integer_new(const void *bytes, int32_t count);
/** Copies the contents octets into `buffer` (korvu_asn1_integer_getlength
 * octets); 1, or 0 for a null argument. */
KORVU_API int korvu_asn1_integer_get(const KORVU_ASN1_INTEGER *value, void *buffer);
/** The number of contents octets of an INTEGER, ENUMERATED, OBJECT IDENTIFIER
 * or RELATIVE-OID value; 0xFFFFFFFE for null. */
KORVU_API uint32_t korvu_asn1_integer_getlength(const void *value);
/** The value as a 32-bit signed number into *out; 1, or 0 when it does not fit
 * or an argument is null. */
KORVU_API int korvu_asn1_integer_getlong(const KORVU_ASN1_INTEGER *value, int32_t *out);
/** The value of an ENUMERATED into *out, as korvu_asn1_integer_getlong. */
KORVU_API int korvu_asn1_enum_getlong(const KORVU_ASN1_INTEGER *value, int32_t *out);
/** 1 when both hold the same contents octets (or both are null), else 0. */
KORVU_API int korvu_asn1_integer_equals(const KORVU_ASN1_INTEGER *a, const KORVU_ASN1_INTEGER *b);
/** Orders by contents length, then octet by octet: -1, 0 or 1 (null first). */
KORVU_API int korvu_asn1_integer_encodecmp(const KORVU_ASN1_INTEGER *a, const KORVU_ASN1_INTEGER *b);
/** A new big integer of the value (freed with korvu_biginteger_free); null for
 * null or without memory. */
KORVU_API KORVU_BIGINTEGER *korvu_asn1_integer_getbigintger(const KORVU_ASN1_INTEGER *value);
/** A new INTEGER of a big integer's value; null for null or without memory. */
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_newbigint(const KORVU_BIGINTEGER *value);

/* ---- NULL (5) ----------------------------------------------------------- */
/* Any pointer stands for NULL; decoding hands out a shared constant marker. */

#ifdef __cplusplus
}
#endif

#endif /* KORVU_ASN1_BASE_H */
