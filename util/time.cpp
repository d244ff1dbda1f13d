// Time handles: a point in time kept as whole minutes since 1970-01-01 00:00
// on the proleptic Gregorian calendar, plus second (0-60) and nanoseconds.
// Calendar arithmetic is done by <chrono> (year_month_day, sys_days).
//
// A handle is one 64-bit word (the minute counted from the first valid one,
// the second, UTC or local) and, only when the nanoseconds are not zero, a
// 32-bit word after it: 8 or 12 octets, as many handles are held (one per
// decoded time, every CRL entry has one).
#include <chrono>
#include <cstdint>
#include <cstring>

#include "korvu/util.h"

struct korvu_time_st {
  uint64_t word;  // see the bit positions below; nanoseconds follow when kHasNs is set
};

namespace {

namespace chr = std::chrono;

constexpr const char *kSrc = "KORVU_UTIL_Time";
constexpr int32_t kMinYear = 1;
constexpr int32_t kMaxYear = 9999;
constexpr int64_t kMinutesPerDay = 1440;

// Inserted leap seconds: each is 23:59:60 UTC at the end of the listed day.
constexpr chr::year_month_day kLeapSeconds[] = {
    {chr::year{1972}, chr::June, chr::day{30}},     {chr::year{1972}, chr::December, chr::day{31}},
    {chr::year{1973}, chr::December, chr::day{31}}, {chr::year{1974}, chr::December, chr::day{31}},
    {chr::year{1975}, chr::December, chr::day{31}}, {chr::year{1976}, chr::December, chr::day{31}},
    {chr::year{1977}, chr::December, chr::day{31}}, {chr::year{1978}, chr::December, chr::day{31}},
    {chr::year{1979}, chr::December, chr::day{31}}, {chr::year{1981}, chr::June, chr::day{30}},
    {chr::year{1982}, chr::June, chr::day{30}},     {chr::year{1983}, chr::June, chr::day{30}},
    {chr::year{1985}, chr::June, chr::day{30}},     {chr::year{1987}, chr::December, chr::day{31}},
    {chr::year{1989}, chr::December, chr::day{31}}, {chr::year{1990}, chr::December, chr::day{31}},
    {chr::year{1992}, chr::June, chr::day{30}},     {chr::year{1993}, chr::June, chr::day{30}},
    {chr::year{1994}, chr::June, chr::day{30}},     {chr::year{1995}, chr::December, chr::day{31}},
    {chr::year{1997}, chr::June, chr::day{30}},     {chr::year{1998}, chr::December, chr::day{31}},
    {chr::year{2005}, chr::December, chr::day{31}}, {chr::year{2008}, chr::December, chr::day{31}},
    {chr::year{2012}, chr::June, chr::day{30}},     {chr::year{2015}, chr::June, chr::day{30}},
    {chr::year{2016}, chr::December, chr::day{31}},
};

struct Fields {
  chr::year_month_day date;
  int32_t hour;
  int32_t minute;
};

Fields split(int64_t minutes) {
  const chr::sys_time<chr::minutes> tp{chr::minutes{minutes}};
  const chr::sys_days day = chr::floor<chr::days>(tp);
  const int64_t in_day = (tp - day).count();
  return Fields{chr::year_month_day{day}, static_cast<int32_t>(in_day / 60), static_cast<int32_t>(in_day % 60)};
}

// The span of valid handles, checked on the minute count before any calendar
// conversion (chrono's year holds only -32767..32767).
constexpr int64_t kFirstMinute =
    chr::sys_days{chr::year{kMinYear} / chr::January / 1}.time_since_epoch().count() * kMinutesPerDay;
constexpr int64_t kLastMinute =
    (chr::sys_days{chr::year{kMaxYear} / chr::December / 31}.time_since_epoch().count() + 1) * kMinutesPerDay - 1;

// True when the wall-clock minute is 23:59 of a day that ends in a leap second.
bool leap_minute(int64_t minutes) {
  const Fields f = split(minutes);
  if (f.hour != 23 || f.minute != 59) return false;
  for (const auto &d : kLeapSeconds)
    if (d == f.date) return true;
  return false;
}

// Bits of a handle's word: the minute counted from kFirstMinute (about 5.3
// billion minutes to the end of year 9999: 33 bits), the second, UTC or local,
// and whether nanoseconds follow.
constexpr unsigned kSecondShift = 33, kUtcBit = 39, kHasNsBit = 40;
constexpr uint64_t kMinuteMask = (uint64_t{1} << kSecondShift) - 1;
static_assert(kLastMinute - kFirstMinute <= static_cast<int64_t>(kMinuteMask), "minute span fits");

int64_t minutes_of(const KORVU_TIME *t) { return static_cast<int64_t>(t->word & kMinuteMask) + kFirstMinute; }
uint32_t second_of(const KORVU_TIME *t) { return static_cast<uint32_t>((t->word >> kSecondShift) & 0x3F); }
bool utc_of(const KORVU_TIME *t) { return ((t->word >> kUtcBit) & 1) != 0; }
uint32_t ns_of(const KORVU_TIME *t) {
  if (((t->word >> kHasNsBit) & 1) == 0) return 0;
  uint32_t ns;
  std::memcpy(&ns, t + 1, sizeof ns);
  return ns;
}

KORVU_TIME *make(int64_t minutes, uint32_t second, uint32_t ns, bool utc) {
  if (minutes < kFirstMinute || minutes > kLastMinute) return nullptr;
  if (second > 60 || ns >= 1000000000u) return nullptr;
  if (second == 60 && !leap_minute(minutes)) return nullptr;
  auto *t = static_cast<KORVU_TIME *>(
      korvu_malloc(sizeof(KORVU_TIME) + (ns != 0 ? sizeof ns : 0), kSrc, __LINE__));
  if (t == nullptr) return nullptr;
  t->word = static_cast<uint64_t>(minutes - kFirstMinute) | uint64_t{second} << kSecondShift |
            uint64_t{utc} << kUtcBit | uint64_t{ns != 0} << kHasNsBit;
  if (ns != 0) std::memcpy(t + 1, &ns, sizeof ns);
  return t;
}

KORVU_TIME *copy_of(const KORVU_TIME *t, int64_t minutes) {
  return make(minutes, second_of(t), ns_of(t), utc_of(t));
}

KORVU_TIME *from_fields(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second,
                        uint32_t ns, bool utc) {
  if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1 || day > 31) return nullptr;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60) return nullptr;
  const chr::year_month_day date{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                 chr::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return nullptr;
  const int64_t days = chr::sys_days{date}.time_since_epoch().count();
  return make(days * kMinutesPerDay + hour * 60 + minute, static_cast<uint32_t>(second), ns, utc);
}

// Bound on a shift: far beyond the span of years 1 to 9999, small enough that
// adding it to any valid handle cannot overflow.
constexpr int64_t kMaxShiftMinutes = int64_t{1} << 40;

}  // namespace

extern "C" {

KORVU_UTIL_API KORVU_TIME *korvu_time_newutctime(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                 int32_t minute, int32_t second, uint32_t ns) {
  return from_fields(year, month, day, hour, minute, second, ns, true);
}

KORVU_UTIL_API KORVU_TIME *korvu_time_newlocaltime(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                   int32_t minute, int32_t second, uint32_t ns,
                                                   int32_t reserved) {
  if (reserved != 0) return nullptr;
  return from_fields(year, month, day, hour, minute, second, ns, false);
}

KORVU_UTIL_API KORVU_TIME *korvu_time_addminute(const KORVU_TIME *time, int64_t minutes) {
  if (time == nullptr || minutes > kMaxShiftMinutes || minutes < -kMaxShiftMinutes) return nullptr;
  return copy_of(time, minutes_of(time) + minutes);
}

KORVU_UTIL_API KORVU_TIME *korvu_time_addday(const KORVU_TIME *time, int32_t days) {
  if (time == nullptr) return nullptr;
  return copy_of(time, minutes_of(time) + int64_t{days} * kMinutesPerDay);
}

KORVU_UTIL_API int korvu_time_isleapsecond(const KORVU_TIME *time) {
  return time != nullptr && second_of(time) == 60 ? 1 : 0;
}

KORVU_UTIL_API int korvu_time_isutctime(const KORVU_TIME *time) { return time != nullptr && utc_of(time) ? 1 : 0; }

KORVU_UTIL_API int32_t korvu_time_getyear(const KORVU_TIME *time) {
  return time == nullptr ? -1 : static_cast<int32_t>(static_cast<int>(split(minutes_of(time)).date.year()));
}

KORVU_UTIL_API int32_t korvu_time_getmonth(const KORVU_TIME *time) {
  return time == nullptr ? -1 : static_cast<int32_t>(static_cast<unsigned>(split(minutes_of(time)).date.month()));
}

KORVU_UTIL_API int32_t korvu_time_getday(const KORVU_TIME *time) {
  return time == nullptr ? -1 : static_cast<int32_t>(static_cast<unsigned>(split(minutes_of(time)).date.day()));
}

KORVU_UTIL_API int32_t korvu_time_gethour(const KORVU_TIME *time) {
  return time == nullptr ? -1 : split(minutes_of(time)).hour;
}

KORVU_UTIL_API int32_t korvu_time_getminute(const KORVU_TIME *time) {
  return time == nullptr ? -1 : split(minutes_of(time)).minute;
}

KORVU_UTIL_API int32_t korvu_time_getsecond(const KORVU_TIME *time) {
  return time == nullptr ? -1 : static_cast<int32_t>(second_of(time));
}

KORVU_UTIL_API uint32_t korvu_time_getns(const KORVU_TIME *time) { return time == nullptr ? 0xFFFFFFFFu : ns_of(time); }

KORVU_UTIL_API KORVU_TIME *korvu_time_dup(const KORVU_TIME *time) {
  if (time == nullptr) return nullptr;
  return copy_of(time, minutes_of(time));
}

KORVU_UTIL_API void korvu_time_free(KORVU_TIME *time) {
  korvu_free(time);
}

}  // extern "C"
