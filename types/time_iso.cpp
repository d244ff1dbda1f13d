// korvu_asn1_time_toiso8601: a Time as ISO 8601 text.
#include <cstdio>
#include <cstring>

#include "korvu/asn1.h"

#define KORVU_SRC "KORVU_ASN1_Time"

KORVU_API char *korvu_asn1_time_toiso8601(const KORVU_ASN1_TIME *value) {
  if (value == nullptr || value->time == nullptr) return nullptr;
  const KORVU_TIME *t = value->time;
  char text[48];
  int n = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", korvu_time_getyear(t),
                        korvu_time_getmonth(t), korvu_time_getday(t), korvu_time_gethour(t), korvu_time_getminute(t),
                        korvu_time_getsecond(t));
  if (n < 0 || static_cast<size_t>(n) >= sizeof text) return nullptr;
  uint32_t ns = korvu_time_getns(t);
  if (ns != 0) {
    char fraction[16];
    std::snprintf(fraction, sizeof fraction, ".%09u", static_cast<unsigned>(ns));
    size_t digits = std::strlen(fraction);
    while (digits > 2 && fraction[digits - 1] == '0') digits--;
    fraction[digits] = '\0';
    std::strcat(text, fraction);
  }
  if (korvu_time_isutctime(t) == 1) std::strcat(text, "Z");
  const size_t length = std::strlen(text);
  auto *out = static_cast<char *>(korvu_malloc(static_cast<uint32_t>(length + 1), KORVU_SRC, __LINE__));
  if (out != nullptr) std::memcpy(out, text, length + 1);
  return out;
}
