/** @file
 * KORVU ASN.1: ANY values and lists. Included by korvu/asn1.h. */
#ifndef KORVU_ASN1_ANY_H
#define KORVU_ASN1_ANY_H
#include "korvu/asn1_base.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- ANY (23) ------------------------------------------------------------
 * One complete encoding of any tag: its identifier and length octets exactly
 * as read (or as written by korvu_asn1_any_new) and its contents octets. For
 * an indefinite length the contents include the nested encodings and the
 * closing end-of-contents octets 00 00. An end-of-contents value (eoc = 1)
 * has class 0, primitive, tag 0, length 0 and no streams. */
/** The record of ANY (23). */
typedef struct korvu_asn1_any_st {
  uint32_t tag_class;      /**< 0x00, 0x40, 0x80 or 0xC0 */
  uint32_t primitive;      /**< 1 primitive, 0 constructed */
  uint32_t tag_number;     /**< tag number */
  uint32_t content_length; /**< 0xFFFFFFFF when indefinite */
  KORVU_STREAM *header;    /**< identifier and length octets */
  KORVU_STREAM *content;   /**< contents octets */
  uint32_t owns_content;   /**< 1: freed with the value; 0: the caller's stream */
  uint32_t eoc;            /**< 1: an end-of-contents marker */
} KORVU_ASN1_ANY;

/** Null when `count` is negative, when `bytes` is null and `count` positive,
 * when the identifier or length can't be written, when an indefinite length
 * is asked for a primitive value, or when an indefinite length's bytes don't
 * end with 00 00. The content length is compared with `count` only when the
 * value is encoded. Nothing is reported. */
KORVU_API KORVU_ASN1_ANY *korvu_asn1_any_new(uint32_t tag_class, uint32_t primitive, uint32_t tag_number,
                                             uint32_t content_length, const void *bytes, int32_t count);
/** The form into *primitive (1 primitive, 0 constructed); 1, or 0 for a null argument. */
KORVU_API int korvu_asn1_any_isprimitive(const KORVU_ASN1_ANY *value, uint32_t *primitive);
/** The tag number into *tag_number; 1, or 0 for a null argument. */
KORVU_API int korvu_asn1_any_gettagnumber(const KORVU_ASN1_ANY *value, uint32_t *tag_number);
/** The tag class (0x00, 0x40, 0x80 or 0xC0) into *tag_class; 1, or 0 for a null argument. */
KORVU_API int korvu_asn1_any_gettypeclass(const KORVU_ASN1_ANY *value, uint32_t *tag_class);
/** The stored content length; 0xFFFFFFFE for a null value. */
KORVU_API uint32_t korvu_asn1_any_getcontentlength(const KORVU_ASN1_ANY *value);
/** 1 when the value is an end-of-contents marker, else 0 (also for null). */
KORVU_API int korvu_asn1_any_iseoc(const KORVU_ASN1_ANY *value);
/** Reads up to `size` contents octets. Mode 1 starts from the first octet,
 * mode 2 goes on from where the last read stopped. */
#define KORVU_ASN1_ANY_READ_FIRST 1
/** Mode of korvu_asn1_any_getcontent: go on from where the last read stopped. */
#define KORVU_ASN1_ANY_READ_NEXT 2
/** Reads up to `size` contents octets into `buffer` (mode KORVU_ASN1_ANY_READ_FIRST or KORVU_ASN1_ANY_READ_NEXT)
 * and their number into *count (0 at the end, and for an end-of-contents). 1, or a failure in `ctx`:
 * KORVU_ERR_NULLARG, KORVU_STREAM_ERR_MODE for another mode, KORVU_ERR_BADARG for a negative size, or the stream's
 * code. */
KORVU_API int korvu_asn1_any_getcontent(KORVU_ASN1_ANY *value, int mode, void *buffer, int32_t size,
                                        uint32_t *count, KORVU_ERR_CTX *ctx);
/** Decodes one ANY from `stream`, writing its contents into the caller's
 * `content` stream (the value does not own it; free the value before the
 * stream). `consumed` counts identifier, length and contents octets. */
KORVU_API int korvu_asn1_decode_any_ex(KORVU_STREAM *stream, KORVU_STREAM *content, KORVU_ASN1_ANY **value,
                                       uint32_t *consumed, KORVU_ERR_CTX *ctx);
/** The contents hold one complete encoding of `type` (explicit tagging). */
KORVU_API int korvu_asn1_any_getobject(const KORVU_ASN1_ANY *value, uint32_t type, void **object,
                                       KORVU_ERR_CTX *ctx);
/** The contents are the contents of a value of `type` (implicit tagging). */
KORVU_API int korvu_asn1_any_contenttoobject(const KORVU_ASN1_ANY *value, uint32_t type, void **object,
                                             KORVU_ERR_CTX *ctx);
/** The whole encoding is an encoding of `type`. */
KORVU_API int korvu_asn1_any_toobject(const KORVU_ASN1_ANY *value, uint32_t type, void **object,
                                      KORVU_ERR_CTX *ctx);
/** Encodes `object` and reads the encoding back as ANY; null on failure
 * (type 0 and numbers above 449 included). Nothing is reported. */
KORVU_API KORVU_ASN1_ANY *korvu_asn1_objecttoany(uint32_t type, const void *object);

/* ---- Lists (SEQUENCE OF / SET OF) -----------------------------------------
 * A growable array of owned element pointers. Types 24 to 27 are lists of
 * ANY (SEQUENCE OF, SEQUENCE SIZE (1..MAX) OF, SET OF, SET SIZE (1..MAX) OF).
 * The list doesn't know its element type: whoever owns it does. */
/** A list: the record of every SEQUENCE OF and SET OF type. */
typedef struct korvu_asn1_list_st {
  void **items;     /**< the elements, each a value the list owns */
  int32_t capacity; /**< 32 in a new list, the element count in a decoded one; grows as needed */
  int32_t count;    /**< number of elements */
} KORVU_ASN1_LIST;

/** A new empty list (freed with korvu_asn1_list_free); null without memory. */
KORVU_API KORVU_ASN1_LIST *korvu_asn1_list_new(void);
/** Frees every element with the `free` of `type` (elements are left alone for
 * numbers above 449), then the list. Null is accepted. */
KORVU_API void korvu_asn1_list_free(KORVU_ASN1_LIST *list, uint32_t type);
/** Appends `element`, which the list then owns. 0 (list unchanged) for a null
 * argument or when the list can't grow. */
KORVU_API int korvu_asn1_list_put(KORVU_ASN1_LIST *list, void *element);
/** The number of elements; 0 for a null list. */
KORVU_API int32_t korvu_asn1_list_getsize(const KORVU_ASN1_LIST *list);
/** Borrowed element at `index` (0 to size - 1). */
KORVU_API int korvu_asn1_list_get(const KORVU_ASN1_LIST *list, int32_t index, void **element);
/** Removes the element at `index` and hands it to the caller; later elements
 * move up one place. Null for a null list or a bad index. */
KORVU_API void *korvu_asn1_list_delete(KORVU_ASN1_LIST *list, int32_t index);

#ifdef __cplusplus
}
#endif
#endif
