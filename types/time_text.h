// Reading the text of UTCTime (X.680 47) and GeneralizedTime (X.680 46) into
// its fields, without allocating. The time types build a time handle from
// the fields; the JSON renderer uses them to tell printable times cheaply.
#ifndef KORVU_TYPES_TIME_TEXT_H
#define KORVU_TYPES_TIME_TEXT_H

#include <cstddef>
#include <cstdint>

namespace korvu::timetext {

struct Fields {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  uint32_t ns = 0;
  bool local = false;  // no zone given (GeneralizedTime only)
  int offset = 0;      // zone offset in minutes: local = UTC + offset
};

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }
inline bool all_digits(const char *p, size_t n) {
  for (size_t i = 0; i < n; i++)
    if (!is_digit(p[i])) return false;
  return true;
}
inline int num2(const char *p) { return (p[0] - '0') * 10 + (p[1] - '0'); }
inline int num4(const char *p) { return num2(p) * 100 + num2(p + 2); }

// "+hhmm" / "-hhmm" at p (five characters); false when malformed.
inline bool parse_offset(const char *p, int *offset) {
  if ((p[0] != '+' && p[0] != '-') || !all_digits(p + 1, 4)) return false;
  const int hh = num2(p + 1), mm = num2(p + 3);
  if (hh > 23 || mm > 59) return false;
  *offset = (p[0] == '+' ? 1 : -1) * (hh * 60 + mm);
  return true;
}

// YYMMDDhhmm[ss](Z|+hhmm|-hhmm). The calendar date is not checked here.
inline bool parse_utctime(const char *s, size_t n, Fields &f) {
  f = Fields();
  if (n < 11 || !all_digits(s, 10)) return false;
  const int yy = num2(s);
  f.year = yy < 50 ? 2000 + yy : 1900 + yy;
  f.month = num2(s + 2);
  f.day = num2(s + 4);
  f.hour = num2(s + 6);
  f.minute = num2(s + 8);
  if (f.hour > 23) return false;
  size_t pos = 10;
  if (is_digit(s[10])) {
    if (n < 12 || !is_digit(s[11])) return false;
    f.second = num2(s + 10);
    if (f.second > 59) return false;
    pos = 12;
  }
  if (pos < n && s[pos] == 'Z') return n == pos + 1;
  return n == pos + 5 && parse_offset(s + pos, &f.offset);
}

// YYYYMMDDhh[mm[ss]][(.|,)fraction][Z|+hhmm|-hhmm]. A fraction after the
// seconds gives the nanoseconds (digits past the ninth are ignored); after
// minutes or hours it is taken to ten-thousandths and turned into whole
// minutes and seconds, truncating. The calendar date is not checked here.
inline bool parse_gentime(const char *s, size_t n, Fields &f) {
  f = Fields();
  size_t run = 0;
  while (run < n && is_digit(s[run])) run++;
  if (run < 10 || run > 14 || run % 2 != 0) return false;
  f.year = num4(s);
  f.month = num2(s + 4);
  f.day = num2(s + 6);
  f.hour = num2(s + 8);
  f.minute = run >= 12 ? num2(s + 10) : 0;
  f.second = run == 14 ? num2(s + 12) : 0;
  if (f.year < 1582 || f.hour > 24 || f.minute > 59 || f.second > 60) return false;
  size_t pos = run;
  if (pos < n && (s[pos] == '.' || s[pos] == ',')) {
    const size_t start = ++pos;
    while (pos < n && is_digit(s[pos])) pos++;
    const size_t digits = pos - start;
    if (digits == 0) return false;
    // The first `want` digits, padded with zeros.
    auto leading = [&](size_t want) {
      uint32_t v = 0;
      for (size_t i = 0; i < want; i++) v = v * 10 + (i < digits ? static_cast<uint32_t>(s[start + i] - '0') : 0);
      return v;
    };
    if (run == 14) {
      f.ns = leading(9);
    } else {
      const uint32_t frac = leading(4);  // ten-thousandths
      if (run == 12) {
        f.second = static_cast<int>(frac * 60 / 10000);
      } else {
        const uint32_t secs = frac * 3600 / 10000;
        f.minute = static_cast<int>(secs / 60);
        f.second = static_cast<int>(secs % 60);
      }
    }
  }
  if (f.hour == 24 && (f.minute != 0 || f.second != 0 || f.ns != 0)) return false;
  if (pos == n) {
    f.local = true;
    return true;
  }
  if (s[pos] == 'Z') return n == pos + 1;
  return n == pos + 5 && parse_offset(s + pos, &f.offset);
}

inline bool date_ok(int year, int month, int day) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// Fields that need no move to UTC, no hour 24 and no leap second are a valid
// time exactly when their date is: 1 valid, 0 not. -1: only building the
// time tells.
inline int quick_check(const Fields &f) {
  if (f.offset != 0 || f.hour > 23 || f.second > 59) return -1;
  return f.minute <= 59 && date_ok(f.year, f.month, f.day) ? 1 : 0;
}

}  // namespace korvu::timetext

#endif
