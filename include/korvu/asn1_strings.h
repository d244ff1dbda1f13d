/** @file
 * KORVU ASN.1: BIT STRING, OCTET STRING and the character string types. Included by korvu/asn1.h.
 *
 * The data of these values lives in a byte stream, so a value may be as large
 * as a file. A value either owns its stream (made by a constructor or a
 * decoder) or borrows one the caller keeps (korvu_asn1_octetstring_newstream,
 * the _ex decoders). The character string types (UTF8String, PrintableString,
 * IA5String, BMPString ...) use the OCTET STRING value: their bytes are the
 * contents octets, stored and written unchanged. */
#ifndef KORVU_ASN1_STRINGS_H
#define KORVU_ASN1_STRINGS_H
#include "korvu/asn1_base.h"
#ifdef __cplusplus
extern "C" {
#endif

/** OCTET STRING (type 4) and the character strings (types 8 to 19). */
typedef struct korvu_asn1_octetstring_st {
  KORVU_STREAM *stream; /**< the data octets */
  uint32_t owns_stream; /**< 1 when the value frees the stream with itself */
} KORVU_ASN1_OCTETSTRING;
/** A character string value: the same record as OCTET STRING. */
typedef KORVU_ASN1_OCTETSTRING KORVU_ASN1_STRING;

/** BIT STRING (type 3). */
typedef struct korvu_asn1_bitstring_st {
  KORVU_STREAM *stream; /**< the bytes of the bits, first bit in the MSB of the first byte */
  uint32_t unused_bits; /**< unused low bits of the last byte, 0 to 7 */
  uint32_t owns_stream; /**< 1 when the value frees the stream with itself */
} KORVU_ASN1_BITSTRING;

/** Modes of the piecewise readers. */
#define KORVU_ASN1_GET_FIRST 1 /* rewind, then read */
#define KORVU_ASN1_GET_NEXT 2  /**< continue from the last position */

/* ---- OCTET STRING ------------------------------------------------------- */
/** A value owning a new memory stream with a copy of the bytes; null for a
 * negative count or null bytes with a nonzero count. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_asn1_octetstring_new(const void *bytes, int32_t count);
/** A value over the caller's stream (not owned: the caller frees the stream
 * after the value). Data streams other than memory streams of 5 MiB or more,
 * or of unknown length, are written constructed with an indefinite length. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_asn1_octetstring_newstream(KORVU_STREAM *stream);
/** The data length; 0xFFFFFFFF when the value is written in segments (see
 * above), 0xFFFFFFFE for a null value or a stream whose length fails. */
KORVU_API uint32_t korvu_asn1_octetstring_getlength(const KORVU_ASN1_OCTETSTRING *value);
/** Copies every data byte into `buffer`, sized by the caller from the length. */
KORVU_API int korvu_asn1_octetstring_getall(const KORVU_ASN1_OCTETSTRING *value, void *buffer);
/** Reads up to `size` bytes: mode 1 from the start, mode 2 from where the last
 * read stopped. `count` receives the bytes read (0 at the end). */
KORVU_API int korvu_asn1_octetstring_get(KORVU_ASN1_OCTETSTRING *value, int mode, void *buffer, int32_t size,
                                         uint32_t *count, KORVU_ERR_CTX *ctx);
/** A copy of all data bytes, freed with korvu_data_blob_free. */
KORVU_API KORVU_DATA_BLOB *korvu_asn1_octetstring_getblob(const KORVU_ASN1_OCTETSTRING *value);
/** Decodes the data as exactly one complete encoding of `type`. */
KORVU_API int korvu_asn1_octetstring_getobject(const KORVU_ASN1_OCTETSTRING *value, uint32_t type, void **object,
                                               KORVU_ERR_CTX *ctx);
/** Decode a whole OCTET STRING (or its contents only, after the caller read the
 * identifier and length) writing the data into `output`, which the value
 * borrows. `value` may be null when only the data is wanted. On failure the
 * data already written stays in `output`. */
KORVU_API int korvu_asn1_decode_octetstring_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                               KORVU_ASN1_OCTETSTRING **value, uint32_t *consumed,
                                               KORVU_ERR_CTX *ctx);
/** The contents-only form of korvu_asn1_decode_octetstring_ex, after the caller read the identifier (`primitive`)
 * and `length`. */
KORVU_API int korvu_asn1_decode_octetstring_content_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                                       KORVU_ASN1_OCTETSTRING **value, uint32_t primitive,
                                                       uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx);

/* ---- Character strings (same operations as OCTET STRING) ---------------- */
/** As korvu_asn1_octetstring_new: a character string value holding a copy of the bytes. */
KORVU_API KORVU_ASN1_STRING *korvu_asn1_string_new(const void *bytes, int32_t count);
/** As korvu_asn1_octetstring_getlength. */
KORVU_API uint32_t korvu_asn1_string_getlength(const KORVU_ASN1_STRING *value);
/** Copies every byte into `buffer`, as korvu_asn1_octetstring_getall. */
KORVU_API int korvu_asn1_string_get(const KORVU_ASN1_STRING *value, void *buffer);

/* ---- BIT STRING --------------------------------------------------------- */
/** Null unless 0 <= unused <= 7, count >= 0, bytes given when count > 0 and
 * count > 0 when unused > 0. The unused low bits of the last byte are cleared. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_asn1_bitstring_new(uint32_t unused_bits, const void *bytes, int32_t count);
/** A named-bit string with exactly the given bit positions set (position q is
 * bit 7 - q % 8 of byte q / 8) and no trailing zero bits. A null array gives
 * the empty string; a negative count or position gives null. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_asn1_bitstring_newbits(const int32_t *positions, int32_t count);
/** A new BIT STRING holding the bits of a bit set (copied); null for a null set or without memory. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_asn1_bitstring_newbitset(const KORVU_BITSET *bits);
/** The bits as a new bit set (freed with korvu_bitset_free); null for a null value or on a read failure. */
KORVU_API KORVU_BITSET *korvu_asn1_bitstring_getbitset(const KORVU_ASN1_BITSTRING *value);
/** 1 when the bit is set; 0 when clear or outside the string. */
KORVU_API int korvu_asn1_bitstring_getbit(const KORVU_ASN1_BITSTRING *value, int32_t position);
/** The number of data bytes (without the unused-bits octet); 0xFFFFFFFE on failure. */
KORVU_API uint32_t korvu_asn1_bitstring_getlength(const KORVU_ASN1_BITSTRING *value);
/** The number of unused bits into *count; 1, or 0 for a null argument. */
KORVU_API int korvu_asn1_bitstring_getunusedbits(const KORVU_ASN1_BITSTRING *value, uint32_t *count);
/** Copies every data byte into `buffer`, sized by the caller from korvu_asn1_bitstring_getlength; 1 on success. */
KORVU_API int korvu_asn1_bitstring_getall(const KORVU_ASN1_BITSTRING *value, void *buffer);
/** Reads up to `size` data bytes, as korvu_asn1_octetstring_get. */
KORVU_API int korvu_asn1_bitstring_get(KORVU_ASN1_BITSTRING *value, int mode, void *buffer, int32_t size,
                                       uint32_t *count, KORVU_ERR_CTX *ctx);
/** Decodes the data bytes as exactly one complete encoding of `type`, as korvu_asn1_octetstring_getobject. */
KORVU_API int korvu_asn1_bitstring_getobject(const KORVU_ASN1_BITSTRING *value, uint32_t type, void **object,
                                             KORVU_ERR_CTX *ctx);
/** Decodes a whole BIT STRING writing its data bytes into `output`, which the value borrows, as
 * korvu_asn1_decode_octetstring_ex. */
KORVU_API int korvu_asn1_decode_bitstring_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                             KORVU_ASN1_BITSTRING **value, uint32_t *consumed, KORVU_ERR_CTX *ctx);
/** The contents-only form of korvu_asn1_decode_bitstring_ex, after the caller read the identifier and length. */
KORVU_API int korvu_asn1_decode_bitstring_content_ex(KORVU_STREAM *input, KORVU_STREAM *output,
                                                     KORVU_ASN1_BITSTRING **value, uint32_t primitive,
                                                     uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx);

#ifdef __cplusplus
}
#endif
#endif
