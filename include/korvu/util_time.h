/** @file
 * Part of the KORVU utility library; included by korvu/util.h.
 *
 * Time handles: a calendar point in time with nanoseconds, either in UTC or
 * a local (zone-less) wall-clock time. Handles are immutable; the arithmetic
 * operations hand out new handles. The library never consults the system
 * time zone: a time without a zone stays "local" and is never converted.
 *
 * Valid handles have years 1 to 9999, hours 0 to 23 and seconds 0 to 59, or
 * 60 on the inserted leap seconds (23:59:60 on the dates the IERS announced
 * between 1972 and 2016). */
#ifndef KORVU_UTIL_TIME_H
#define KORVU_UTIL_TIME_H
#include "korvu/util.h"
#ifdef __cplusplus
extern "C" {
#endif

/** A point in time, UTC or local, with nanoseconds (opaque). */
typedef struct korvu_time_st KORVU_TIME;

/** A UTC time; null for impossible fields, a second of 60 that is not an
 * inserted leap second, or nanoseconds of 10^9 or more. */
KORVU_UTIL_API KORVU_TIME *korvu_time_newutctime(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                 int32_t minute, int32_t second, uint32_t ns);
/** A local time without zone, same rules; `reserved` must be 0. A second of
 * 60 is accepted when the same wall-clock fields name a leap second in UTC. */
KORVU_UTIL_API KORVU_TIME *korvu_time_newlocaltime(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                   int32_t minute, int32_t second, uint32_t ns,
                                                   int32_t reserved);
/** New handle moved by `minutes` (negative moves back) or `days`, of the same
 * kind (UTC or local), with the same second and nanoseconds; null when the
 * result leaves the valid range (a second of 60 must land on a leap second). */
KORVU_UTIL_API KORVU_TIME *korvu_time_addminute(const KORVU_TIME *time, int64_t minutes);
/** The same moved by `days`. */
KORVU_UTIL_API KORVU_TIME *korvu_time_addday(const KORVU_TIME *time, int32_t days);
/** 1 when the handle's second is 60 (it is then an inserted leap second). */
KORVU_UTIL_API int korvu_time_isleapsecond(const KORVU_TIME *time);
/** 1 for a UTC handle, 0 for a local one or null. */
KORVU_UTIL_API int korvu_time_isutctime(const KORVU_TIME *time);
/** Calendar fields; -1 for a null handle. */
KORVU_UTIL_API int32_t korvu_time_getyear(const KORVU_TIME *time);
/** Month 1 to 12; -1 for a null handle. */
KORVU_UTIL_API int32_t korvu_time_getmonth(const KORVU_TIME *time);
/** Day of the month 1 to 31; -1 for a null handle. */
KORVU_UTIL_API int32_t korvu_time_getday(const KORVU_TIME *time);
/** Hour 0 to 23; -1 for a null handle. */
KORVU_UTIL_API int32_t korvu_time_gethour(const KORVU_TIME *time);
/** Minute 0 to 59; -1 for a null handle. */
KORVU_UTIL_API int32_t korvu_time_getminute(const KORVU_TIME *time);
/** Second 0 to 60 (60 for a leap second); -1 for a null handle. */
KORVU_UTIL_API int32_t korvu_time_getsecond(const KORVU_TIME *time);
/** Nanoseconds 0 to 999999999; 0xFFFFFFFF for a null handle. */
KORVU_UTIL_API uint32_t korvu_time_getns(const KORVU_TIME *time);
/** A new copy of the handle (freed with korvu_time_free); null for null or without memory. */
KORVU_UTIL_API KORVU_TIME *korvu_time_dup(const KORVU_TIME *time);
/** Frees the handle; null is accepted. */
KORVU_UTIL_API void korvu_time_free(KORVU_TIME *time);

#ifdef __cplusplus
}
#endif
#endif
