// UTCTime (universal 23), GeneralizedTime (universal 24) and the X.509 Time
// choice between them (RFC 5280 4.1.2.5). A value keeps its text exactly as
// encoded together with the parsed point in time.
#define KORVU_SRC "KORVU_ASN1_Time"

#include <cstdio>
#include <cstring>

#include "../core/internal.h"
#include "strings_internal.h"
#include "time_text.h"

namespace korvu {
namespace {

constexpr uint32_t kTypeTime = KORVU_TYPE_TIME;
constexpr uint32_t kTypeUtcTime = KORVU_TYPE_UTCTIME;
constexpr uint32_t kTypeGenTime = KORVU_TYPE_GENERALIZEDTIME;
constexpr uint32_t kKindUtc = KORVU_ASN1_TIME_KIND_UTC;
constexpr uint32_t kKindGen = KORVU_ASN1_TIME_KIND_GEN;
constexpr uint32_t kOctetStringTag = 4;  // segments of constructed strings (X.690 8.23.6)

// Owns a time handle until released.
class TimeHolder {
 public:
  explicit TimeHolder(KORVU_TIME *t = nullptr) : t_(t) {}
  ~TimeHolder() { korvu_time_free(t_); }
  TimeHolder(const TimeHolder &) = delete;
  TimeHolder &operator=(const TimeHolder &) = delete;
  KORVU_TIME *get() const { return t_; }
  void reset(KORVU_TIME *t) {
    korvu_time_free(t_);
    t_ = t;
  }
  KORVU_TIME *release() {
    KORVU_TIME *t = t_;
    t_ = nullptr;
    return t;
  }

 private:
  KORVU_TIME *t_;
};

enum class Zone { kLocal, kUtc };

// Builds the handle of a parsed time. `offset` is the signed zone offset in
// minutes (local = UTC + offset). Hour 24 stands for 00:00 of the next day.
// A second of 60 is accepted by the handle constructors only on an inserted
// leap second, checked after the move to UTC.
KORVU_TIME *build(int year, int month, int day, int hour, int minute, int second, uint32_t ns, Zone zone,
                  int offset) {
  // The common case, a time in UTC or local without an offset, needs no
  // arithmetic: one handle straight from the fields.
  if (hour != 24 && offset == 0) {
    if (zone == Zone::kLocal) return korvu_time_newlocaltime(year, month, day, hour, minute, second, ns, 0);
    return korvu_time_newutctime(year, month, day, hour, minute, second, ns);
  }
  TimeHolder t(korvu_time_newutctime(year, month, day, hour == 24 ? 0 : hour, minute, 0, 0));
  if (t.get() == nullptr) return nullptr;
  if (hour == 24) {
    t.reset(korvu_time_addday(t.get(), 1));
    if (t.get() == nullptr) return nullptr;
  }
  if (offset != 0) {
    t.reset(korvu_time_addminute(t.get(), -offset));
    if (t.get() == nullptr) return nullptr;
  }
  const int32_t y = korvu_time_getyear(t.get()), mo = korvu_time_getmonth(t.get()), d = korvu_time_getday(t.get()),
                h = korvu_time_gethour(t.get()), mi = korvu_time_getminute(t.get());
  if (zone == Zone::kLocal) return korvu_time_newlocaltime(y, mo, d, h, mi, second, ns, 0);
  return korvu_time_newutctime(y, mo, d, h, mi, second, ns);
}

KORVU_TIME *parse(uint32_t kind, const char *s, size_t n) {
  timetext::Fields f;
  const bool ok = kind == kKindUtc ? timetext::parse_utctime(s, n, f) : timetext::parse_gentime(s, n, f);
  if (!ok) return nullptr;
  return build(f.year, f.month, f.day, f.hour, f.minute, f.second, f.ns, f.local ? Zone::kLocal : Zone::kUtc,
               f.offset);
}

// A new value owning `time` (freed on failure) and a copy of the text; the
// text lives in the value's own block, right after the record.
KORVU_ASN1_TIME *make_value(uint32_t kind, const char *text, uint32_t length, KORVU_TIME *time) {
  TimeHolder holder(time);
  if (time == nullptr) return nullptr;
  auto *v = static_cast<KORVU_ASN1_TIME *>(KORVU_ALLOC(sizeof(KORVU_ASN1_TIME) + static_cast<size_t>(length) + 1));
  if (v == nullptr) return nullptr;
  char *copy = reinterpret_cast<char *>(v + 1);
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  v->kind = kind;
  v->text = copy;
  v->length = length;
  v->time = holder.release();
  return v;
}

bool utc_year(int32_t year) { return year >= 1950 && year <= 2049; }
bool gen_year(int32_t year) { return year >= 1582 && year <= 9999; }

KORVU_ASN1_TIME *new_utctime(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                             int32_t second) {
  if (!utc_year(year)) return nullptr;
  // Checks the fields, a second of 60 included; UTCTime then writes it as 59.
  TimeHolder check(korvu_time_newutctime(year, month, day, hour, minute, second, 0));
  if (check.get() == nullptr) return nullptr;
  if (second == 60) second = 59;
  char text[32];
  const int n = std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d%02dZ", year % 100, month, day, hour,
                              minute, second);
  return make_value(kKindUtc, text, static_cast<uint32_t>(n),
                    korvu_time_newutctime(year, month, day, hour, minute, second, 0));
}

KORVU_ASN1_TIME *new_gentime(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                             int32_t second, uint32_t ns) {
  if (!gen_year(year)) return nullptr;
  TimeHolder t(korvu_time_newutctime(year, month, day, hour, minute, second, ns));
  if (t.get() == nullptr) return nullptr;
  char text[40];
  int n = std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", year, month, day, hour, minute, second);
  if (ns != 0) {
    text[n++] = '.';
    uint32_t rest = ns;
    for (uint32_t unit = 100000000; rest != 0; unit /= 10) {
      text[n++] = static_cast<char>('0' + rest / unit);
      rest %= unit;
    }
  }
  text[n++] = 'Z';
  return make_value(kKindGen, text, static_cast<uint32_t>(n), t.release());
}

void time_free(void *p) {
  auto *v = static_cast<KORVU_ASN1_TIME *>(p);
  if (v == nullptr) return;
  korvu_time_free(v->time);
  if (v->text != reinterpret_cast<char *>(v + 1)) korvu_free(v->text);
  korvu_free(v);
}

// The kinds a type writes and reads: KORVU_TYPE_TIME either,
// KORVU_TYPE_UTCTIME UTCTime, KORVU_TYPE_GENERALIZEDTIME GeneralizedTime.
template <uint32_t Type>
bool kind_fits(uint32_t kind) {
  if constexpr (Type == kTypeUtcTime) return kind == kKindUtc;
  else if constexpr (Type == kTypeGenTime) return kind == kKindGen;
  else return kind == kKindUtc || kind == kKindGen;
}

template <uint32_t Type>
Len time_content_length(const void *p) {
  const auto *v = static_cast<const KORVU_ASN1_TIME *>(p);
  if (v == nullptr || v->text == nullptr || v->length == 0 || v->length > kLenMax || !kind_fits<Type>(v->kind))
    return kLenError;
  return v->length;
}

// Checks a value before writing it; 1 or 0 with the failure recorded.
template <uint32_t Type>
int check_value(const KORVU_ASN1_TIME *v, KORVU_ERR_CTX *ctx) {
  if (v == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (!kind_fits<Type>(v->kind)) {
    KORVU_ERR(ctx, kErrBadTimeType);
    return 0;
  }
  if (v->text == nullptr || v->length < 1 || v->length > kLenMax) {
    KORVU_ERR(ctx, kErrCalLength);
    return 0;
  }
  return 1;
}

template <uint32_t Type>
int time_encode_content(KORVU_STREAM *s, const void *p, uint32_t length, uint32_t *written, KORVU_ERR_CTX *ctx) {
  const auto *v = static_cast<const KORVU_ASN1_TIME *>(p);
  if (check_value<Type>(v, ctx) != 1) return 0;
  if (length != v->length) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  const int r = korvu_stream_writen(s, v->text, length);
  if (r != 1) {
    KORVU_ENCODE_ERR(ctx, Type);
    return r;
  }
  if (written) *written = length;
  return 1;
}

template <uint32_t Type>
int time_encode(KORVU_STREAM *s, const void *p, uint32_t *written, KORVU_ERR_CTX *ctx) {
  const auto *v = static_cast<const KORVU_ASN1_TIME *>(p);
  if (s == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (check_value<Type>(v, ctx) != 1) return 0;
  uint32_t header = 0;
  int r = write_header(s, KORVU_CLASS_UNIVERSAL, 1, v->kind, v->length, &header, ctx);
  if (r != 1) return r;
  r = korvu_stream_writen(s, v->text, v->length);
  if (r != 1) {
    KORVU_ENCODE_ERR(ctx, Type);
    return r;
  }
  if (written) *written = header + v->length;
  return 1;
}

constexpr uint32_t kShortTime = 64;

// Reads the contents (primitive, or constructed segments joined) and parses
// them as `kind`.
template <uint32_t Type>
int read_time(KORVU_STREAM *s, uint32_t kind, int primitive, uint32_t length, void **out, uint32_t *consumed,
              KORVU_ERR_CTX *ctx, int depth) {
  // Primitive contents of a plausible size (the longest valid GeneralizedTime
  // has fewer than 40 octets) are read straight into the value.
  if (primitive && length != kLenIndef && length <= kShortTime) {
    char text[kShortTime];
    int r = korvu_stream_readn(s, text, length);
    if (r != 1) return ::korvu::stream_failure(ctx, r == 0 ? static_cast<int>(KORVU_STREAM_ERR_READ) : r, KORVU_SRC, __LINE__);
    KORVU_TIME *t = parse(kind, text, length);
    if (t == nullptr) {
      KORVU_ERR(ctx, kind == kKindUtc ? kErrUtcTimeFormat : kErrGenTimeFormat);
      return 0;
    }
    if (!kind_fits<Type>(kind)) {
      korvu_time_free(t);
      KORVU_ERR(ctx, kErrBadTimeType);
      return 0;
    }
    KORVU_ASN1_TIME *v = make_value(kind, text, length, t);
    if (v == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
    *out = v;
    if (consumed) *consumed = length;
    return 1;
  }
  KORVU_STREAM *buf = korvu_stream_new_mem(64, ctx);
  if (buf == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  uint32_t used = 0;
  int r = read_string_contents(s, buf, primitive, length, kOctetStringTag, &used, ctx, depth);
  if (r != 1) {
    korvu_stream_free(buf);
    return r;
  }
  unsigned char *bytes = nullptr;
  uint32_t n = 0;
  r = korvu_stream_writen(buf, "", 1);  // NUL terminator
  if (r == 1) r = korvu_memstreamdeatch(buf, &bytes, &n);
  korvu_stream_free(buf);
  if (r != 1 || bytes == nullptr || n == 0) {
    korvu_free(bytes);
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  const char *text = reinterpret_cast<const char *>(bytes);
  const uint32_t text_length = n - 1;
  KORVU_TIME *t = parse(kind, text, text_length);
  if (t == nullptr) {
    korvu_free(bytes);
    KORVU_ERR(ctx, kind == kKindUtc ? kErrUtcTimeFormat : kErrGenTimeFormat);
    return 0;
  }
  auto *v = static_cast<KORVU_ASN1_TIME *>(KORVU_ALLOC(sizeof(KORVU_ASN1_TIME)));
  if (v == nullptr) {
    korvu_time_free(t);
    korvu_free(bytes);
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  v->kind = kind;
  v->text = reinterpret_cast<char *>(bytes);
  v->length = text_length;
  v->time = t;
  if (!kind_fits<Type>(kind)) {
    time_free(v);
    KORVU_ERR(ctx, kErrBadTimeType);
    return 0;
  }
  *out = v;
  if (consumed) *consumed = used;
  return 1;
}

// Contents under an implicit tag: UTCTime for KORVU_TYPE_UTCTIME,
// GeneralizedTime for KORVU_TYPE_GENERALIZEDTIME. The Time choice is told
// apart by its identifier only.
template <uint32_t Type>
int time_decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                        KORVU_ERR_CTX *ctx, int depth) {
  if (s == nullptr || out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  if constexpr (Type == kTypeTime) {
    KORVU_ERR(ctx, kErrUnsupportDecode);
    return 0;
  } else {
    return read_time<Type>(s, Type == kTypeUtcTime ? kKindUtc : kKindGen, primitive, length, out, consumed, ctx,
                           depth);
  }
}

template <uint32_t Type>
int time_decode_tlv(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                    int depth) {
  if (s == nullptr || out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  if (h.tag_class != KORVU_CLASS_UNIVERSAL || (h.tag != kKindUtc && h.tag != kKindGen)) {
    KORVU_ERR(ctx, kErrBadTimeType);
    return 0;
  }
  return read_time<Type>(s, h.tag, h.primitive, h.length, out, consumed, ctx, depth);
}

// Time ::= CHOICE { utcTime UTCTime, generalTime GeneralizedTime }
bool time_accepts(const Header &h) { return h.tag_class == 0 && (h.tag == 23 || h.tag == 24); }

}  // namespace
}  // namespace korvu

KORVU_REGISTER_TYPE(KORVU_TYPE_TIME) = {
    korvu::time_free,
    korvu::time_content_length<korvu::kTypeTime>,
    nullptr,
    korvu::time_encode_content<korvu::kTypeTime>,
    korvu::time_decode_content<korvu::kTypeTime>,
    korvu::time_encode<korvu::kTypeTime>,
    korvu::time_decode_tlv<korvu::kTypeTime>,
    nullptr,
    nullptr,
    korvu::time_accepts,
};

KORVU_REGISTER_TYPE(KORVU_TYPE_UTCTIME) = {
    korvu::time_free,
    korvu::time_content_length<korvu::kTypeUtcTime>,
    nullptr,
    korvu::time_encode_content<korvu::kTypeUtcTime>,
    korvu::time_decode_content<korvu::kTypeUtcTime>,
    korvu::time_encode<korvu::kTypeUtcTime>,
    korvu::time_decode_tlv<korvu::kTypeUtcTime>,
    nullptr,
    nullptr,
    nullptr,
};

KORVU_REGISTER_TYPE(KORVU_TYPE_GENERALIZEDTIME) = {
    korvu::time_free,
    korvu::time_content_length<korvu::kTypeGenTime>,
    nullptr,
    korvu::time_encode_content<korvu::kTypeGenTime>,
    korvu::time_decode_content<korvu::kTypeGenTime>,
    korvu::time_encode<korvu::kTypeGenTime>,
    korvu::time_decode_tlv<korvu::kTypeGenTime>,
    nullptr,
    nullptr,
    nullptr,
};

extern "C" {

KORVU_API KORVU_ASN1_TIME *korvu_asn1_utctime_new(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                  int32_t minute, int32_t second) {
  return korvu::new_utctime(year, month, day, hour, minute, second);
}

KORVU_API KORVU_ASN1_TIME *korvu_asn1_gentime_new(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                  int32_t minute, int32_t second, uint32_t ns) {
  return korvu::new_gentime(year, month, day, hour, minute, second, ns);
}

KORVU_API KORVU_ASN1_TIME *korvu_asn1_time_new(int32_t year, int32_t month, int32_t day, int32_t hour,
                                               int32_t minute, int32_t second, uint32_t ns) {
  if (korvu::utc_year(year)) {
    if (ns >= 1000000000u) return nullptr;
    return korvu::new_utctime(year, month, day, hour, minute, second);
  }
  return korvu::new_gentime(year, month, day, hour, minute, second, ns);
}

KORVU_API KORVU_ASN1_TIME *korvu_asn1_time_newutctime(const KORVU_TIME *time, uint32_t flags) {
  if (korvu_time_isutctime(time) != 1) return nullptr;
  const int32_t y = korvu_time_getyear(time), mo = korvu_time_getmonth(time), d = korvu_time_getday(time),
                h = korvu_time_gethour(time), mi = korvu_time_getminute(time), s = korvu_time_getsecond(time);
  const uint32_t ns = (flags & KORVU_ASN1_TIME_WITH_NS) ? korvu_time_getns(time) : 0;
  switch (flags & 0x0Fu) {
    case KORVU_ASN1_TIME_UTCTIME:
      return korvu::new_utctime(y, mo, d, h, mi, s);
    case KORVU_ASN1_TIME_GENTIME:
      return korvu::new_gentime(y, mo, d, h, mi, s, ns);
    case KORVU_ASN1_TIME_CHOICE:
      return korvu_asn1_time_new(y, mo, d, h, mi, s, ns);
    default:
      return nullptr;
  }
}

KORVU_API KORVU_TIME *korvu_asn1_time_getutctime(const KORVU_ASN1_TIME *value) {
  return value == nullptr ? nullptr : korvu_time_dup(value->time);
}

}  // extern "C"
