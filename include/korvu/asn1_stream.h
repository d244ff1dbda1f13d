/** @file
 * KORVU ASN.1: Push decoding and streaming encoding. Included by korvu/asn1.h.
 *
 * Push decoders are fed byte buffers of any size one after another and keep
 * their own state between calls, so an encoding can be decoded as it arrives
 * (network reads, large files) without ever holding more than the buffer at
 * hand. Their failures are silent: the context enters its failed state and
 * the feeding call returns 0; no error context is involved.
 *
 * Context states (korvu_asn1_decode_*_ctx_* report 6 as "finished"):
 *   0 first identifier octet, 1 further tag-number octets (ANY only),
 *   2 first length octet, 3 further length octets, 4 contents,
 *   5 second octet of an end-of-contents, 6 finished, 7 failed (final). */
#ifndef KORVU_ASN1_STREAM_H
#define KORVU_ASN1_STREAM_H
#include "korvu/asn1_base.h"
#ifdef __cplusplus
extern "C" {
#endif

/** State of an OCTET STRING push decoder (opaque). */
typedef struct korvu_asn1_decode_octetstring_ctx_st KORVU_ASN1_DECODE_OCTETSTRING_CTX;
/** State of an ANY push decoder (opaque). */
typedef struct korvu_asn1_decode_any_ctx_st KORVU_ASN1_DECODE_ANY_CTX;

/** Returned by korvu_asn1_decode_any_ctx_toobject while the context is not
 * finished yet. */
#define KORVU_ASN1_PUSH_NOT_FINISHED (-100)

/* ---- OCTET STRING push decoder ------------------------------------------ */
/** A context in state 0, or null when out of memory. */
KORVU_API KORVU_ASN1_DECODE_OCTETSTRING_CTX *korvu_asn1_decode_octetstring_ctx_new(void);
/** Feeds `count` bytes. The data octets of the string (primitive or
 * constructed, definite or indefinite, nested) are written to `out` as soon as
 * they are known to be data; identifier, length and end-of-contents octets
 * never are. When the encoding ends inside the buffer the context is finished
 * and `*left` receives the number of bytes after its end; otherwise 0.
 * Returns 1, or 0 for a null context, stream or `left`, a negative count, null
 * bytes with a nonzero count, a failed context or a decoding failure. A count
 * of 0 succeeds; a finished context takes nothing (`*left` = count). */
KORVU_API int korvu_asn1_decode_octetstring_update(KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx, KORVU_STREAM *out,
                                                   const void *bytes, int32_t count, uint32_t *left);
/** 1 when the context is finished. */
KORVU_API int korvu_asn1_decode_octetstring_isfinish(const KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx);
/** The length of the whole encoding once finished (the contents only for a
 * context started by korvu_asn1_decode_octetstring_ctx_setstate); 0xFFFFFFFF
 * before that, or when the length does not fit 32 bits. */
KORVU_API uint32_t korvu_asn1_decode_octetstring_ctx_getencodelength(const KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx);
/** Puts a fresh context (state 0, nothing fed) straight into the contents
 * state, for a caller that has read the identifier and length itself (an
 * implicitly tagged OCTET STRING): `primitive` 1 or 0, `length` the contents
 * length or 0xFFFFFFFF for indefinite (constructed only). A length of 0
 * finishes the context. Returns 1, or 0 (the context then fails) for a
 * primitive indefinite length or a length past 0x7FFFFFFF; 0 without touching
 * the context when it is not fresh. */
KORVU_API int korvu_asn1_decode_octetstring_ctx_setstate(KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx, uint32_t primitive,
                                                         uint32_t length);
/** As korvu_asn1_decode_octetstring_update, allowed only while the context is
 * in the contents state (else 0, context untouched). */
KORVU_API int korvu_asn1_decode_octetstring_content_update(KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx, KORVU_STREAM *out,
                                                           const void *bytes, int32_t count, uint32_t *left);
/** Frees the context; null is accepted. */
KORVU_API void korvu_asn1_decode_octetstring_ctx_free(KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx);

/* ---- ANY push decoder ---------------------------------------------------- */
/** Collects one encoding of any tag: its identifier and length octets in a
 * header stream, its contents octets (nested encodings and, for an indefinite
 * length, the closing end-of-contents included) in a content stream.
 * Constructed contents, definite or indefinite, are walked encoding by
 * encoding; tag numbers of 0x1000000 and more are refused. */
KORVU_API KORVU_ASN1_DECODE_ANY_CTX *korvu_asn1_decode_any_ctx_new(void);
/** As korvu_asn1_decode_octetstring_update, the octets going to the context's
 * own streams. */
KORVU_API int korvu_asn1_decode_any_update(KORVU_ASN1_DECODE_ANY_CTX *ctx, const void *bytes, int32_t count,
                                           uint32_t *left);
/** Advances only through the identifier and length octets. With `fresh` set
 * the context must be in state 0, otherwise in a state before the contents
 * (else 0, context untouched). Once the contents state is reached (or the
 * encoding is already complete: an end-of-contents, or a contents length of
 * 0) the header fields are handed out (each out argument but `left` is
 * optional) and `*left` receives the bytes of the buffer not yet used. While
 * the header is still incomplete, `*length` receives 0xFFFFFFFE and `*left`
 * 0. Returns 1, or 0 on failure as for update. */
KORVU_API int korvu_asn1_decode_any_identifier_length(KORVU_ASN1_DECODE_ANY_CTX *ctx, int fresh, const void *bytes,
                                                      int32_t count, uint32_t *tag_class, uint32_t *primitive,
                                                      uint32_t *tag_number, uint32_t *length, uint32_t *left);
/** 1 when the context is finished. */
KORVU_API int korvu_asn1_decode_any_isfinish(const KORVU_ASN1_DECODE_ANY_CTX *ctx);
/** 1 when the finished encoding was an end-of-contents (00 00). */
KORVU_API int korvu_asn1_decode_any_ctx_iseoc(const KORVU_ASN1_DECODE_ANY_CTX *ctx);
/** Decodes the collected header and contents as `type` with korvu_asn1_decode;
 * the whole must be used ("there is some bytes not decode" otherwise).
 * Returns 1, a failure, or KORVU_ASN1_PUSH_NOT_FINISHED while the context is
 * not finished. */
KORVU_API int korvu_asn1_decode_any_ctx_toobject(const KORVU_ASN1_DECODE_ANY_CTX *ctx, uint32_t type, void **value,
                                                 KORVU_ERR_CTX *err);
/** Frees the context and the octets it collected; null is accepted. */
KORVU_API void korvu_asn1_decode_any_ctx_free(KORVU_ASN1_DECODE_ANY_CTX *ctx);

/* ---- Streaming OCTET STRING encoder -------------------------------------- */
/** An OCTET STRING of unknown length in the constructed indefinite form:
 * init writes 24 80, each update one primitive segment (04, the definite
 * length, the bytes; a count of 0 writes 04 00), end the end-of-contents
 * 00 00. Each returns 1, 0 for bad arguments, or the stream's failure. */
KORVU_API int korvu_asn1_encode_octetstring_init(KORVU_STREAM *out);
/** Writes one primitive segment of `count` bytes. */
KORVU_API int korvu_asn1_encode_octetstring_update(KORVU_STREAM *out, const void *bytes, int32_t count);
/** Writes the end-of-contents 00 00. */
KORVU_API int korvu_asn1_encode_octetstring_end(KORVU_STREAM *out);

#ifdef __cplusplus
}
#endif
#endif
