/** @file
 * Part of the KORVU utility library; included by korvu/util.h.
 *
 * JSON trees and Unicode strings.
 *
 * A JSON tree is made of nodes. A node made by a korvu_json_new* function, or
 * returned by korvu_json_parse, belongs to the caller until it is added to a
 * container or freed with korvu_json_free. Adding a node to an object or an
 * array always consumes it, also when the call fails (so that
 * korvu_json_addobjectitem(obj, "k", korvu_json_newstring(...)) never leaks).
 * The getters hand out borrowed pointers into the tree; they stay valid until
 * the tree is freed (adding members never moves existing nodes). Objects keep their keys in
 * the order they were added. Strings are UTF-8 and may hold 00 octets. */
#ifndef KORVU_UTIL_JSON_H
#define KORVU_UTIL_JSON_H
#include "korvu/util.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- JSON trees --------------------------------------------------------- */
/** A JSON node (opaque). */
typedef struct korvu_json_st KORVU_JSON;

/** korvu_json_gettype of a string. */
#define KORVU_JSON_STRING 1
/** korvu_json_gettype of a number. */
#define KORVU_JSON_NUMBER 2
/** korvu_json_gettype of true or false. */
#define KORVU_JSON_BOOLEAN 3
/** korvu_json_gettype of null. */
#define KORVU_JSON_NULL 4
/** korvu_json_gettype of an object. */
#define KORVU_JSON_OBJECT 5
/** korvu_json_gettype of an array. */
#define KORVU_JSON_ARRAY 6

/** A new empty object (freed with korvu_json_free unless added to a container); null without memory. */
KORVU_UTIL_API KORVU_JSON *korvu_json_newobject(void);
/** A new empty array, as korvu_json_newobject. */
KORVU_UTIL_API KORVU_JSON *korvu_json_newarray(void);
/** `length` bytes of UTF-8 (00 octets allowed); null for invalid UTF-8
 * (overlong forms, surrogates, code points past 10FFFF, cut sequences). A null
 * `bytes` is accepted only with a length of 0. */
KORVU_UTIL_API KORVU_JSON *korvu_json_newstring(const char *bytes, uint32_t length);
/** Null for NaN and infinities, which JSON cannot carry. Integral values are
 * kept as integers (printed without a fraction). */
KORVU_UTIL_API KORVU_JSON *korvu_json_newnumber(double value);
/** A new true (non-zero `value`) or false; null without memory. */
KORVU_UTIL_API KORVU_JSON *korvu_json_newboolean(int value);
/** 1 on success. 0 when an argument is null, the container is not an object,
 * the key is not valid UTF-8 or is already present. The item is consumed. */
KORVU_UTIL_API int korvu_json_addobjectitem(KORVU_JSON *object, const char *key, KORVU_JSON *item);
/** 1 on success; 0 for a null argument or a container that is not an array.
 * The item is consumed. */
KORVU_UTIL_API int korvu_json_addarrayitem(KORVU_JSON *array, KORVU_JSON *item);

/** Builders in place. Each adds a new member to `container` (under `key` for
 * an object, which must be valid UTF-8 and not present yet; with a null `key`
 * at the end of an array) and the new member belongs to the tree: it is never
 * freed on its own (korvu_json_free ignores it) nor added elsewhere. Members
 * made this way share one allocation arena per tree, which the node at the top
 * of the tree releases, so building a large tree costs a few allocations.
 * korvu_json_addnewobject and korvu_json_addnewarray hand out the new
 * (borrowed, writable) container, or null; the others give 1 on success.
 * On failure the container is left as it was. */
KORVU_UTIL_API KORVU_JSON *korvu_json_addnewobject(KORVU_JSON *container, const char *key);
/** The same with a new empty array. */
KORVU_UTIL_API KORVU_JSON *korvu_json_addnewarray(KORVU_JSON *container, const char *key);
/** `length` octets of UTF-8, as korvu_json_newstring takes them. */
KORVU_UTIL_API int korvu_json_addnewstring(KORVU_JSON *container, const char *key, const char *bytes,
                                           uint32_t length);
/** The upper-case hexadecimal text of `length` octets, as a string. */
KORVU_UTIL_API int korvu_json_addnewhex(KORVU_JSON *container, const char *key, const void *bytes,
                                        uint32_t length);
/** A number as korvu_json_newnumber takes it (0 for NaN and infinities). */
KORVU_UTIL_API int korvu_json_addnewnumber(KORVU_JSON *container, const char *key, double value);
/** true for a non-zero `value`, else false. */
KORVU_UTIL_API int korvu_json_addnewboolean(KORVU_JSON *container, const char *key, int value);

/** Borrowed value of `key`, or null when absent or `object` is not an object. */
KORVU_UTIL_API const KORVU_JSON *korvu_json_getobjectvalue(const KORVU_JSON *object, const char *key);
/** One of KORVU_JSON_*; 0 for a null node. */
KORVU_UTIL_API int korvu_json_gettype(const KORVU_JSON *node);
/** Borrowed NUL-terminated text of a string node (it may hold 00 octets: see
 * korvu_json_getstringlength); null for other nodes. */
KORVU_UTIL_API const char *korvu_json_getstring(const KORVU_JSON *node);
/** Byte count of a string node; 0 for other nodes. */
KORVU_UTIL_API uint32_t korvu_json_getstringlength(const KORVU_JSON *node);
/** The value of a number node; 0 for other nodes. */
KORVU_UTIL_API double korvu_json_getnumber(const KORVU_JSON *node);
/** 1 for a boolean node holding true, else 0. */
KORVU_UTIL_API int korvu_json_istrue(const KORVU_JSON *node);
/** Element count of an array node; 0 for other nodes. */
KORVU_UTIL_API uint32_t korvu_json_getarraysize(const KORVU_JSON *node);
/** Borrowed element `index` of an array, or null. */
KORVU_UTIL_API const KORVU_JSON *korvu_json_getarrayitem(const KORVU_JSON *node, uint32_t index);
/** Frees a node the caller owns with everything below it; null is ignored. */
KORVU_UTIL_API void korvu_json_free(KORVU_JSON *node);

/** Parses JSON text (RFC 8259) of `length` bytes; null when the text is not
 * one JSON value, is not valid UTF-8 or nests deeper than 512 levels.
 * Duplicate object keys keep the last value. */
KORVU_UTIL_API KORVU_JSON *korvu_json_parse(const char *text, uint32_t length);
/** JSON text of a node, NUL-terminated, freed with korvu_free; `indent` 0
 * prints compactly, a positive value indents nested levels by that many
 * blanks per level. `length` (optional) receives the byte count. Null on
 * failure. */
KORVU_UTIL_API char *korvu_json_print(const KORVU_JSON *node, int indent, uint32_t *length);

/* ---- Unicode strings ---------------------------------------------------- */
/** A sequence of Unicode scalar values (code points other than surrogates, up
 * to 10FFFF). The constructors refuse invalid input with null: malformed or
 * overlong UTF-8, BMP text whose length is odd or that holds a surrogate code
 * unit (BMP has no surrogate pairs), UTF-32BE whose length is not a multiple
 * of 4 or that holds a surrogate or a value past 10FFFF. */
typedef struct korvu_ustring_st KORVU_USTRING;

/** A new string from `length` bytes of UTF-8 (freed with korvu_ustring_free); null for invalid input or without
 * memory. */
KORVU_UTIL_API KORVU_USTRING *korvu_ustring_newutf8(const void *bytes, uint32_t length);
/** The same from BMPString octets (UCS-2, big-endian). */
KORVU_UTIL_API KORVU_USTRING *korvu_ustring_newbmp(const void *bytes, uint32_t length);
/** The same from UTF-32BE (UniversalString) octets. */
KORVU_UTIL_API KORVU_USTRING *korvu_ustring_newutf32be(const void *bytes, uint32_t length);
/** Number of code points. */
KORVU_UTIL_API uint32_t korvu_ustring_getlength(const KORVU_USTRING *text);
/** Conversions into a new buffer freed with korvu_free (a valid block also for
 * an empty string); 1 on success. korvu_ustring_tobmp fails for a code point
 * above FFFF. */
KORVU_UTIL_API int korvu_ustring_toutf8(const KORVU_USTRING *text, unsigned char **bytes, uint32_t *length);
/** BMPString octets (big-endian), as korvu_ustring_toutf8. */
KORVU_UTIL_API int korvu_ustring_tobmp(const KORVU_USTRING *text, unsigned char **bytes, uint32_t *length);
/** UTF-32BE octets, as korvu_ustring_toutf8. */
KORVU_UTIL_API int korvu_ustring_toutf32be(const KORVU_USTRING *text, unsigned char **bytes,
                                           uint32_t *length);
/** Frees the string; null is accepted. */
KORVU_UTIL_API void korvu_ustring_free(KORVU_USTRING *text);

#ifdef __cplusplus
}
#endif
#endif
