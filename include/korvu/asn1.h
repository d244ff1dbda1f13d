/* KORVU ASN.1: BER/DER encoding and decoding of ASN.1 values for PKI.
 *
 * Every type has a number (korvu/asn1_types.h); the generic operations take
 * the type number and a value, a pointer to the type's own record. Results:
 * 1 is success, anything else a failure recorded in the caller's error
 * context. Lengths are unsigned 32-bit: 0xFFFFFFFE is an error, 0xFFFFFFFF
 * an indefinite length (or a sum past 0x7FFFFFFF). */
#ifndef KORVU_ASN1_H
#define KORVU_ASN1_H

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

KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_true(void);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_false(void);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_asn1_boolean_new(uint8_t octet);
KORVU_API int korvu_asn1_boolean_istrue(const KORVU_ASN1_BOOLEAN *value);
KORVU_API int korvu_asn1_boolean_getvalue(const KORVU_ASN1_BOOLEAN *value, uint32_t *word);

/* ---- INTEGER (2) and ENUMERATED (7) -------------------------------------- */
/* The contents octets: two's complement, most significant first. */
typedef KORVU_DATA_BLOB KORVU_ASN1_INTEGER;

KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_value(int32_t value);
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_enum_value(int32_t value);
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_new(const void *bytes, int32_t count);
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_unsigned_integer_new(const void *bytes, int32_t count);
KORVU_API int korvu_asn1_integer_get(const KORVU_ASN1_INTEGER *value, void *buffer);
KORVU_API uint32_t korvu_asn1_integer_getlength(const void *value);
KORVU_API int korvu_asn1_integer_getlong(const KORVU_ASN1_INTEGER *value, int32_t *out);
KORVU_API int korvu_asn1_enum_getlong(const KORVU_ASN1_INTEGER *value, int32_t *out);
KORVU_API int korvu_asn1_integer_equals(const KORVU_ASN1_INTEGER *a, const KORVU_ASN1_INTEGER *b);
KORVU_API int korvu_asn1_integer_encodecmp(const KORVU_ASN1_INTEGER *a, const KORVU_ASN1_INTEGER *b);
KORVU_API KORVU_BIGINTEGER *korvu_asn1_integer_getbigintger(const KORVU_ASN1_INTEGER *value);
KORVU_API KORVU_ASN1_INTEGER *korvu_asn1_integer_newbigint(const KORVU_BIGINTEGER *value);

/* ---- NULL (5) ----------------------------------------------------------- */
/* Any pointer stands for NULL; decoding hands out a shared constant marker. */

#ifdef __cplusplus
}
#endif

#include "korvu/asn1_strings.h"
#include "korvu/asn1_oid.h"
#include "korvu/asn1_time.h"
#include "korvu/asn1_any.h"
#include "korvu/asn1_stream.h"
#include "korvu/asn1_json.h"
#include "korvu/x509_name.h"
#include "korvu/x509_cert.h"
#include "korvu/x509_attrcert.h"
#include "korvu/x509_extvalues.h"
#include "korvu/ocsp.h"
#include "korvu/tsp.h"
#include "korvu/cms.h"
#include "korvu/x509_crl.h"
#include "korvu/x509_req.h"

#endif /* KORVU_ASN1_H */
