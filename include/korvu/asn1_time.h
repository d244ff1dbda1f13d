/** @file
 * KORVU ASN.1: UTCTime, GeneralizedTime and the Time choice. Included by korvu/asn1.h.
 *
 * One value shape serves type numbers 20 (Time: either form), 21 (UTCTime)
 * and 22 (GeneralizedTime). A value keeps its text exactly as it was encoded,
 * so a decoded time is written back byte for byte, and a parsed time handle
 * (korvu/util_time.h): UTC, or local when a GeneralizedTime has no zone. */
#ifndef KORVU_ASN1_TIME_H
#define KORVU_ASN1_TIME_H
#include "korvu/asn1_base.h"
#ifdef __cplusplus
extern "C" {
#endif

#define KORVU_ASN1_TIME_KIND_UTC 23u /**< UTCTime, universal 23 */
#define KORVU_ASN1_TIME_KIND_GEN 24u /**< GeneralizedTime, universal 24 */

/** The record of Time (UTCTime or GeneralizedTime) (20) and UTCTime (21) and GeneralizedTime (22). */
typedef struct korvu_asn1_time_st {
  uint32_t kind;    /**< KORVU_ASN1_TIME_KIND_UTC or KORVU_ASN1_TIME_KIND_GEN */
  uint32_t length;  /**< text length without the NUL */
  char *text;       /**< the contents octets, NUL-terminated */
  KORVU_TIME *time; /**< the point in time */
} KORVU_ASN1_TIME;

/** Flags of korvu_asn1_time_newutctime. */
#define KORVU_ASN1_TIME_UTCTIME 0x00u  /* UTCTime (years 1950-2049) */
#define KORVU_ASN1_TIME_GENTIME 0x01u  /**< GeneralizedTime (years 1582-9999) */
#define KORVU_ASN1_TIME_CHOICE 0x02u   /**< UTCTime for 1950-2049, else GeneralizedTime */
#define KORVU_ASN1_TIME_WITH_NS 0x10u  /**< keep the handle's nanoseconds */

/* The constructors refuse (null) what the decoder would refuse: impossible
 * fields, a second of 60 that is not an inserted leap second, nanoseconds of
 * 10^9 or more, years outside 1950-2049 for UTCTime and outside 1582-9999 for
 * GeneralizedTime. UTCTime has no fractions (nanoseconds are dropped) and no
 * leap second (a second of 60 is written as 59). */
/** UTCTime for years 1950 to 2049, else GeneralizedTime. */
KORVU_API KORVU_ASN1_TIME *korvu_asn1_time_new(int32_t year, int32_t month, int32_t day, int32_t hour,
                                               int32_t minute, int32_t second, uint32_t ns);
/** A new GeneralizedTime (null as above). */
KORVU_API KORVU_ASN1_TIME *korvu_asn1_gentime_new(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                  int32_t minute, int32_t second, uint32_t ns);
/** A new UTCTime (null as above). */
KORVU_API KORVU_ASN1_TIME *korvu_asn1_utctime_new(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                  int32_t minute, int32_t second);
/** From a UTC handle (null for a local one); flags as above. */
KORVU_API KORVU_ASN1_TIME *korvu_asn1_time_newutctime(const KORVU_TIME *time, uint32_t flags);
/** A new copy of the value's time handle (freed with korvu_time_free). */
KORVU_API KORVU_TIME *korvu_asn1_time_getutctime(const KORVU_ASN1_TIME *value);
/** The time as ISO 8601 text, "2026-12-06T08:17:11Z", with
 * the fraction of a second when it has one ("...:11.25Z") and without the
 * "Z" for a GeneralizedTime without a zone (local time). A NUL-terminated
 * string freed with korvu_free; null for a null value or without memory. */
KORVU_API char *korvu_asn1_time_toiso8601(const KORVU_ASN1_TIME *value);

#ifdef __cplusplus
}
#endif
#endif
