/** @file
 * KORVU ASN.1: OBJECT IDENTIFIER and RELATIVE-OID. Included by korvu/asn1.h.
 *
 * A value carries both forms: the contents octets (subidentifiers in base
 * 128, X.690 8.19/8.20) and the dotted decimal text. Arcs are unsigned 64-bit.
 * The first two fields have the layout of KORVU_DATA_BLOB, so
 * korvu_asn1_integer_getlength gives the contents length of either type.
 * Both forms go with the value (never freed apart); a decoded identifier of
 * the well-known ones (those korvu_asn1_oid_name names) points both at
 * constant storage, so its value is the record alone: read them, never
 * write through them.
 * Values are freed, encoded, decoded and copied through the generic
 * operations with type numbers 6 (OBJECT IDENTIFIER) and 90 (RELATIVE-OID). */
#ifndef KORVU_ASN1_OID_H
#define KORVU_ASN1_OID_H
#include "korvu/asn1_base.h"
#ifdef __cplusplus
extern "C" {
#endif

/** The record of OBJECT IDENTIFIER (6) and RELATIVE-OID (90). */
typedef struct korvu_asn1_oid_st {
  unsigned char *data; /**< contents octets */
  uint32_t length;     /**< their count */
  char *text;          /**< dotted decimal text, NUL-terminated */
} KORVU_ASN1_OID;

/** A RELATIVE-OID value: the same record as OBJECT IDENTIFIER. */
typedef KORVU_ASN1_OID KORVU_ASN1_RELATIVE_OID;

/** From dotted text ("1.2.840.113549"; a blank may stand for a dot). Needs at
 * least two arcs, a first arc of at most 2 and, under 0 and 1, a second arc of
 * at most 39. Null for any other text. */
KORVU_API KORVU_ASN1_OID *korvu_asn1_oid_new(const char *text);
/** From dotted text of one or more arcs ("8571.3.2"). */
KORVU_API KORVU_ASN1_RELATIVE_OID *korvu_asn1_relative_oid_new(const char *text);
/** The dotted text, borrowed from the value; null for a null value. */
KORVU_API const char *korvu_asn1_oid_getstring(const KORVU_ASN1_OID *value);
/** The dotted text of a RELATIVE-OID, borrowed from the value; null for a null value. */
KORVU_API const char *korvu_asn1_relative_oid_getstring(const KORVU_ASN1_RELATIVE_OID *value);
/** The name of a well-known object identifier given as dotted
 * text ("1.2.840.113549.1.1.11" gives "sha256WithRSAEncryption"), from a
 * built-in table of algorithms, attribute types, extensions, content types
 * and policies; a static string, or null for an unknown or null text. */
KORVU_API const char *korvu_asn1_oid_name(const char *dotted);

#ifdef __cplusplus
}
#endif
#endif
