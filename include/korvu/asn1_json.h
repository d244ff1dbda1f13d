/** @file
 * KORVU ASN.1: JSON rendering and encoding. Included by korvu/asn1.h.
 *
 * korvu_asn1_tojson renders one BER/DER encoding of any tag as a tree of
 * typed nodes; korvu_asn1_encodejson encodes such a tree. Every node is an
 * object with "type" (BOOLEAN, INTEGER, BITSTRING, OCTETSTRING, NULL, OID,
 * REAL, ENUM, UTF8STRING, ROID, SEQUENCE, SEQUENCEOF, SET, SETOF,
 * NUMERICSTRING, PRINTABLESTRING, TELETEXSTRING, T61STRING, VIDEOTEXSTRING,
 * IA5STRING, UTCTIME, GENTIME, GRAPHICSTRING, VISIBLESTRING, ISO636STRING,
 * GENERALSTRING, UNIVERSALSTRING, BMPSTRING, TAGGEDTYPE or UNKNOWN) and, as
 * they apply, "value", "class", "number", "implicit", "constructed",
 * "indefinite", "sort" and "user defined" (raw octets in hexadecimal:
 * "identifier", "length", "content", "end of contents").
 *
 * The rendering is lossless: encoding the tree of an accepted input gives the
 * input back octet for octet, unusual BER included. Neither function reports
 * to an error context; every failure yields null. Both stop at
 * korvu_get_recursive_level() levels of nesting. */
#ifndef KORVU_ASN1_JSON_H
#define KORVU_ASN1_JSON_H
#include "korvu/asn1_base.h"
#ifdef __cplusplus
extern "C" {
#endif

/** The tree of the encoding in `bytes` (`length` at least 1), which must take
 * exactly `length` octets; freed with korvu_json_free. Null when the octets
 * are not one sound encoding (every constructed encoding's contents must be
 * complete encodings too), nest too deep, or are followed by other octets. */
KORVU_API KORVU_JSON *korvu_asn1_tojson(const void *bytes, int32_t length);
/** The encoding of a tree (an object node), or null; freed with
 * korvu_data_blob_free. */
KORVU_API KORVU_DATA_BLOB *korvu_asn1_encodejson(const KORVU_JSON *tree);

/** The same two operations, saying why they fail. Results: 1 with the tree in
 * *tree (the encoding in *der); 0 when the input is refused, with *message
 * set to a NUL-terminated text freed with korvu_free (null if that text
 * could not be allocated); KORVU_ERR_NOMEM when memory ran out; and
 * KORVU_ERR_NULLARG for a null `bytes`, `tree` or `der`. On failure *tree
 * (*der) is null. `message` and `offset` may be null.
 *
 * korvu_asn1_tojson_diag: *offset receives the offset of the octet at which
 * the input stops being one sound encoding, for example
 * "the length 5 runs past the end of its container (3 octets left)" at 2
 * for 30 05 02 01 05 (0 on success). An empty input (`length` 0) is refused
 * with a message, a negative length with KORVU_ERR_BADARG.
 *
 * korvu_asn1_encodejson_diag: the message names the refused node by its path
 * from the root, as "$.value[1].value: must be true or false". */
KORVU_API int korvu_asn1_tojson_diag(const void *bytes, int32_t length, KORVU_JSON **tree, char **message,
                                     uint32_t *offset);
/** The DER of `tree` into *der (freed with korvu_data_blob_free), with the results and message of
 * korvu_asn1_tojson_diag. */
KORVU_API int korvu_asn1_encodejson_diag(const KORVU_JSON *tree, KORVU_DATA_BLOB **der, char **message);

#ifdef __cplusplus
}
#endif
#endif
