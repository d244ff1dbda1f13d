// UTCTime, GeneralizedTime, the Time choice and the time handles of the
// utility library.
#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "test_util.h"

using namespace korvu_test;

namespace {

constexpr uint32_t kTime = KORVU_TYPE_TIME;
constexpr uint32_t kUtc = KORVU_TYPE_UTCTIME;
constexpr uint32_t kGen = KORVU_TYPE_GENERALIZEDTIME;
constexpr uint32_t kUtcFormat = 0x102EC;
constexpr uint32_t kGenFormat = 0x102ED;
constexpr uint32_t kBadTimeType = 0x10208;

// "Y-M-D h:m:s.ns Z|L" for a handle.
std::string show(const KORVU_TIME *t) {
  if (t == nullptr) return "null";
  char buf[64];
  snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%u %s", korvu_time_getyear(t), korvu_time_getmonth(t),
           korvu_time_getday(t), korvu_time_gethour(t), korvu_time_getminute(t), korvu_time_getsecond(t),
           korvu_time_getns(t), korvu_time_isutctime(t) ? "Z" : "L");
  return buf;
}

Bytes tlv(uint8_t tag, const std::string &text) { return der_tlv(tag, Bytes(text.begin(), text.end())); }

// Decodes a text of the given tag as Time (20); the handle shown, or "fail"
// with the expected format code checked.
std::string parse(uint8_t tag, const std::string &text) {
  ErrCtx ctx;
  Bytes in = tlv(tag, text);
  auto *v = static_cast<KORVU_ASN1_TIME *>(decode(kTime, in, ctx));
  if (v == nullptr) {
    EXPECT_TRUE(ctx.has(tag == 23 ? kUtcFormat : kGenFormat)) << text;
    return "fail";
  }
  EXPECT_EQ(v->kind, tag);
  EXPECT_EQ(std::string(v->text, v->length), text);
  // Written back byte for byte.
  EXPECT_EQ(to_hex(encode(kTime, v)), to_hex(in)) << text;
  std::string out = show(v->time);
  korvu_asn1_value_free(kTime, v);
  return out;
}


std::string text_of(KORVU_ASN1_TIME *v, uint32_t *kind = nullptr) {
  if (v == nullptr) return "null";
  std::string s(v->text, v->length);
  if (kind) *kind = v->kind;
  korvu_asn1_value_free(kTime, v);
  return s;
}

}  // namespace

// {tag, text, the time read or "fail"}; each accepted text is written back
// byte for byte (see parse()).
TEST(Time, Parsing) {
  const std::tuple<uint8_t, const char *, const char *> cases[] = {
      {23, "491231235959Z", "2049-12-31 23:59:59.0 Z"}, {23, "500101000000Z", "1950-01-01 00:00:00.0 Z"},
      {23, "9902281200Z", "1999-02-28 12:00:00.0 Z"},
      {23, "9902291200Z", "fail"},  // 1999 is not a leap year
      {23, "0002291200Z", "2000-02-29 12:00:00.0 Z"}, {23, "991231235959+0800", "1999-12-31 15:59:59.0 Z"},
      {23, "9912312359-0130", "2000-01-01 01:29:00.0 Z"}, {23, "500101000000+0100", "1949-12-31 23:00:00.0 Z"},
      {24, "20240229120000.5Z", "2024-02-29 12:00:00.500000000 Z"}, {24, "2024010112.5Z", "2024-01-01 12:30:00.0 Z"},
      {24, "202401011230.25Z", "2024-01-01 12:30:15.0 Z"},
      {24, "2024010112,0001Z", "2024-01-01 12:00:00.0 Z"},   // 0.36 s truncated
      {24, "2024010112.99999Z", "2024-01-01 12:59:59.0 Z"},  // taken to 4 digits
      {24, "20240101120000,123456789987Z", "2024-01-01 12:00:00.123456789 Z"},
      {24, "2024010112", "2024-01-01 12:00:00.0 L"}, {24, "20240101123456.7", "2024-01-01 12:34:56.700000000 L"},
      {24, "2024010112.5", "2024-01-01 12:30:00.0 L"}, {24, "20240101003000+0100", "2023-12-31 23:30:00.0 Z"},
      {24, "202312312330-0045", "2024-01-01 00:15:00.0 Z"}, {24, "15821015000000Z", "1582-10-15 00:00:00.0 Z"},
      {24, "99991231235959.999999999Z", "9999-12-31 23:59:59.999999999 Z"},
      {24, "19000228000000Z", "1900-02-28 00:00:00.0 Z"},
      // Hour 24 is the start of the following day.
      {24, "20241231240000Z", "2025-01-01 00:00:00.0 Z"}, {24, "2024022824Z", "2024-02-29 00:00:00.0 Z"},
      {24, "20240101240000+0100", "2024-01-01 23:00:00.0 Z"},
      {24, "99991231240000Z", "fail"},  // no following day
      // Leap seconds exist only where one was inserted, in UTC.
      {24, "20161231235960Z", "2016-12-31 23:59:60.0 Z"}, {24, "19720630235960.25Z", "1972-06-30 23:59:60.250000000 Z"},
      {24, "20170101085960+0900", "2016-12-31 23:59:60.0 Z"}, {24, "20161231235960", "2016-12-31 23:59:60.0 L"},
      {24, "20161231235960+0100", "fail"},  // that is 22:59:60 UTC
  };
  for (const auto &[tag, text, want] : cases) EXPECT_EQ(parse(tag, text), want) << text;
  for (const char *bad : {"991231235960Z", "9912312400Z", "9913010000Z", "9904310000Z", "9912312360Z",
                          "991231235959", "991231235959+08", "991231235959+2400", "991231235959-0060",
                          "9912312359Z0", "99123123Z", "9912312359z", "99123123595Z", "991231235959.5Z",
                          "99123123a959Z", ""})
    EXPECT_EQ(parse(23, bad), "fail") << bad;
  for (const char *bad : {"20240101120000+08", "19000229000000Z", "20230229000000Z", "15811231235959Z",
                          "20240101123Z", "20240101Z", "202401011Z", "2024010112345Z", "2024010112345678Z",
                          "2024010112.Z", "20240101120000.Z", "20240101120000Z+0100", "20240101120000+0100Z",
                          "20240101120000+2400", "20240101120000 ", "20240101126000Z", "20240132120000Z",
                          "2024010112-5", "20240101", "20240101240100Z", "20240101240001Z", "2024010124.5Z",
                          "20240101250000Z", "20240101235960Z", "20161231225960Z", "19711231235960Z",
                          "20161231235961Z"})
    EXPECT_EQ(parse(24, bad), "fail") << bad;
}

TEST(Time, Constructors) {
  uint32_t kind = 0;
  EXPECT_EQ(text_of(korvu_asn1_time_new(2050, 1, 1, 0, 0, 0, 0), &kind), "20500101000000Z");
  EXPECT_EQ(kind, 24u);
  EXPECT_EQ(text_of(korvu_asn1_time_new(2049, 1, 1, 0, 0, 0, 0), &kind), "490101000000Z");
  EXPECT_EQ(kind, 23u);
  EXPECT_EQ(text_of(korvu_asn1_time_new(1950, 6, 1, 8, 9, 10, 999)), "500601080910Z");  // ns dropped
  EXPECT_EQ(text_of(korvu_asn1_time_new(1949, 12, 31, 23, 59, 59, 0)), "19491231235959Z");
  EXPECT_EQ(text_of(korvu_asn1_gentime_new(2024, 2, 29, 12, 0, 0, 500000000)), "20240229120000.5Z");
  EXPECT_EQ(text_of(korvu_asn1_gentime_new(2024, 2, 29, 12, 0, 0, 123)), "20240229120000.000000123Z");
  EXPECT_EQ(text_of(korvu_asn1_gentime_new(2024, 2, 29, 12, 0, 0, 120000000)), "20240229120000.12Z");
  EXPECT_EQ(text_of(korvu_asn1_gentime_new(2016, 12, 31, 23, 59, 60, 0)), "20161231235960Z");
  EXPECT_EQ(text_of(korvu_asn1_utctime_new(2000, 2, 29, 1, 2, 3)), "000229010203Z");
  EXPECT_EQ(text_of(korvu_asn1_utctime_new(2016, 12, 31, 23, 59, 60)), "161231235959Z");

  // Refused: what the decoder refuses.
  for (KORVU_ASN1_TIME *v :
       {korvu_asn1_gentime_new(1581, 12, 31, 0, 0, 0, 0), korvu_asn1_gentime_new(10000, 1, 1, 0, 0, 0, 0),
        korvu_asn1_gentime_new(2023, 2, 29, 0, 0, 0, 0), korvu_asn1_gentime_new(2024, 1, 1, 24, 0, 0, 0),
        korvu_asn1_gentime_new(2024, 1, 1, 0, -1, 0, 0), korvu_asn1_gentime_new(2024, 1, 1, 23, 59, 60, 0),
        korvu_asn1_gentime_new(2024, 1, 1, 0, 0, 0, 1000000000), korvu_asn1_time_new(2024, 1, 1, 0, 0, 0, 1000000000),
        korvu_asn1_time_new(1000, 1, 1, 0, 0, 0, 0), korvu_asn1_utctime_new(1949, 12, 31, 0, 0, 0),
        korvu_asn1_utctime_new(2050, 1, 1, 0, 0, 0), korvu_asn1_utctime_new(2024, 4, 31, 0, 0, 0),
        korvu_asn1_utctime_new(2024, 1, 1, 0, 0, 60)})
    EXPECT_EQ(text_of(v), "null");
  // A constructed value decodes to the same text and time.
  Val v(kGen, korvu_asn1_gentime_new(2024, 2, 29, 12, 0, 0, 500000000));
  ASSERT_NE(v.v, nullptr);
  ErrCtx ctx;
  Val copy(kGen, korvu_asn1_dupobject(kGen, v.v, ctx));
  ASSERT_NE(copy.v, nullptr);
  EXPECT_EQ(show(copy.as<KORVU_ASN1_TIME>()->time), "2024-02-29 12:00:00.500000000 Z");
  EXPECT_EQ(show(v.as<KORVU_ASN1_TIME>()->time), "2024-02-29 12:00:00.500000000 Z");
}

TEST(Time, FromAndToHandles) {
  KORVU_TIME *t = korvu_time_newutctime(2030, 5, 6, 7, 8, 9, 250000000);
  ASSERT_NE(t, nullptr);
  for (auto [flags, want] : {std::pair{0x00, "300506070809Z"}, {0x01, "20300506070809Z"},
                             {0x11, "20300506070809.25Z"}, {0x12, "300506070809Z"}, {0x03, "null"}})
    EXPECT_EQ(text_of(korvu_asn1_time_newutctime(t, flags)), want) << flags;

  KORVU_ASN1_TIME *v = korvu_asn1_time_newutctime(t, 0x11);
  ASSERT_NE(v, nullptr);
  KORVU_TIME *back = korvu_asn1_time_getutctime(v);
  EXPECT_EQ(show(back), show(t));
  EXPECT_NE(back, v->time);
  korvu_time_free(back);
  korvu_asn1_value_free(kTime, v);
  korvu_time_free(t);

  t = korvu_time_newutctime(2050, 1, 1, 0, 0, 0, 0);
  EXPECT_EQ(text_of(korvu_asn1_time_newutctime(t, 0x00)), "null");  // UTCTime can't hold 2050
  EXPECT_EQ(text_of(korvu_asn1_time_newutctime(t, 0x02)), "20500101000000Z");
  korvu_time_free(t);

  t = korvu_time_newlocaltime(2030, 5, 6, 7, 8, 9, 0, 0);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(korvu_asn1_time_newutctime(t, 0x01), nullptr);  // local times have no UTC form
  korvu_time_free(t);
}

TEST(Time, TypesAndForms) {
  Val uv(kTime, korvu_asn1_utctime_new(2024, 1, 2, 3, 4, 5)), gv(kTime, korvu_asn1_gentime_new(2024, 1, 2, 3, 4, 5, 0));
  auto *u = uv.as<KORVU_ASN1_TIME>(), *g = gv.as<KORVU_ASN1_TIME>();
  ASSERT_NE(u, nullptr);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(to_hex(encode(kUtc, u)), to_hex(tlv(0x17, "240102030405Z")));
  EXPECT_EQ(to_hex(encode(kTime, u)), to_hex(tlv(0x17, "240102030405Z")));
  EXPECT_EQ(to_hex(encode(kGen, g)), to_hex(tlv(0x18, "20240102030405Z")));
  EXPECT_EQ(korvu_asn1_length(kTime, g), 17u);
  // Each fixed type writes only its own kind.
  for (auto [type, value] : {std::pair{kUtc, g}, std::pair{kGen, u}}) {
    ErrCtx ctx;
    KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
    EXPECT_NE(korvu_asn1_encode(s, type, value, nullptr, ctx), 1);
    EXPECT_TRUE(ctx.has(kBadTimeType));
    korvu_stream_free(s);
  }
  // ... and reads only its own kind (the choice reads both, universal only).
  const std::tuple<uint32_t, uint8_t, const char *> wrong[] = {
      {kGen, 0x17, "240102030405Z"}, {kUtc, 0x18, "20240102030405Z"}, {kTime, 0x04, "20240102030405Z"},
      {kTime, 0x97, "240102030405Z"}};
  for (const auto &[type, tag, text] : wrong) {
    ErrCtx ctx;
    EXPECT_EQ(decode(type, tlv(tag, text), ctx), nullptr) << text;
    EXPECT_TRUE(ctx.has(kBadTimeType)) << text;
  }
  // The choice has no contents of its own; the fixed types read theirs under
  // an implicit tag.
  const Bytes body = tlv(0x17, "240102030405Z");
  for (uint32_t type : {kTime, kUtc}) {
    ErrCtx c2;
    KORVU_STREAM *s = korvu_stream_new_romem(body.data() + 2, 13);
    void *v = nullptr;
    uint32_t used = 0;
    const int r = korvu_asn1_decode_content(s, type, &v, 1, 13, &used, c2);
    korvu_stream_free(s);
    EXPECT_EQ(r == 1, type == kUtc) << type;
    EXPECT_EQ(c2.has(0x1026D), type == kTime) << type;  // unsupported for the choice
    EXPECT_EQ(v ? show(static_cast<KORVU_ASN1_TIME *>(v)->time) + ", " + std::to_string(used) : "null",
              type == kUtc ? "2024-01-02 03:04:05.0 Z, 13" : "null");
    korvu_asn1_value_free(type, v);
  }
}

TEST(Time, ConstructedEncodings) {
  struct Case {
    uint32_t type;
    const char *encoding;
    const char *text;
  } cases[] = {
      // Indefinite, two segments.
      {kTime, "37 80 04 05 34 39 31 32 33 04 08 31 32 33 35 39 35 39 5A 00 00", "491231235959Z"},
      // Definite, one nested constructed segment.
      {kUtc, "37 11 04 02 34 39 24 0B 04 09 31 32 33 31 32 33 35 39 5A", "4912312359Z"},
      {kGen, "38 80 04 0A 32 30 32 34 30 32 32 39 31 32 04 03 2E 35 5A 00 00", "2024022912.5Z"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.encoding);
    ErrCtx ctx;
    Bytes in = hex(c.encoding);
    uint32_t used = 0;
    auto *v = static_cast<KORVU_ASN1_TIME *>(decode(c.type, in, ctx, &used));
    ASSERT_NE(v, nullptr) << ctx.count();
    EXPECT_EQ(used, in.size());
    EXPECT_EQ(std::string(v->text, v->length), c.text);
    // Written back primitive.
    Bytes expect = tlv(static_cast<uint8_t>(v->kind), c.text);
    EXPECT_EQ(to_hex(encode(c.type, v)), to_hex(expect));
    korvu_asn1_value_free(c.type, v);
  }
  // Joined text that is no time, a segment of the wrong tag, cut short, a NUL
  // inside the text.
  const std::pair<const char *, uint32_t> bad[] = {
      {"37 80 04 02 34 39 04 01 5A 00 00", kUtcFormat},
      {"37 0F 17 0D 34 39 31 32 33 31 32 33 35 39 35 39 5A", 0},
      {"17 0D 34 39 31 32", 0},
      {"17 0D 34 39 31 32 33 31 32 33 35 39 35 00 5A", kUtcFormat},
  };
  for (const auto &[in, code] : bad) {
    ErrCtx ctx;
    EXPECT_EQ(decode(kTime, hex(in), ctx), nullptr) << in;
    EXPECT_TRUE(code ? ctx.has(code) : ctx.count() > 0) << in;
  }
}

TEST(TimeHandle, CalendarArithmetic) {
  KORVU_TIME *t = korvu_time_newutctime(2023, 12, 31, 23, 30, 15, 7);
  ASSERT_NE(t, nullptr);
  KORVU_TIME *a = korvu_time_addminute(t, 45);
  EXPECT_EQ(show(a), "2024-01-01 00:15:15.7 Z");
  KORVU_TIME *b = korvu_time_addday(a, 59);
  EXPECT_EQ(show(b), "2024-02-29 00:15:15.7 Z");
  KORVU_TIME *c = korvu_time_addminute(b, -1440 * 366);
  EXPECT_EQ(show(c), "2023-02-28 00:15:15.7 Z");
  KORVU_TIME *d = korvu_time_dup(c);
  EXPECT_EQ(show(d), show(c));
  for (KORVU_TIME *x : {t, a, b, c, d}) korvu_time_free(x);

  KORVU_TIME *l = korvu_time_newlocaltime(1, 1, 1, 0, 0, 0, 0, 0);
  EXPECT_EQ(show(l), "0001-01-01 00:00:00.0 L");
  EXPECT_EQ(korvu_time_addminute(l, -1), nullptr);  // before year 1
  KORVU_TIME *m = korvu_time_addday(l, 3652058);  // to 9999-12-31
  EXPECT_EQ(show(m), "9999-12-31 00:00:00.0 L");
  EXPECT_EQ(korvu_time_addday(m, 1), nullptr);
  EXPECT_EQ(korvu_time_addminute(m, INT64_MAX), nullptr);
  EXPECT_EQ(korvu_time_addday(m, INT32_MIN), nullptr);
  korvu_time_free(m);
  korvu_time_free(l);

  EXPECT_EQ(korvu_time_newutctime(2023, 2, 29, 0, 0, 0, 0), nullptr);
  EXPECT_EQ(korvu_time_newutctime(2024, 1, 1, 24, 0, 0, 0), nullptr);
  EXPECT_EQ(korvu_time_newutctime(2024, 1, 1, 0, 0, 0, 1000000000), nullptr);
  EXPECT_EQ(korvu_time_newutctime(0, 1, 1, 0, 0, 0, 0), nullptr);
  EXPECT_EQ(korvu_time_newlocaltime(2024, 1, 1, 0, 0, 0, 0, 1), nullptr);
}

TEST(TimeHandle, LeapSeconds) {
  // Every June 30 and December 31 from 1972 to 2016, and only the listed ones.
  int count = 0;
  for (int y = 1970; y <= 2030; y++) {
    for (auto [mo, d] : {std::pair{6, 30}, std::pair{12, 31}}) {
      KORVU_TIME *t = korvu_time_newutctime(y, mo, d, 23, 59, 60, 0);
      if (t != nullptr) {
        count++;
        EXPECT_EQ(korvu_time_isleapsecond(t), 1);
        EXPECT_EQ(korvu_time_getsecond(t), 60);
        korvu_time_free(t);
      }
    }
  }
  EXPECT_EQ(count, 27);
  EXPECT_EQ(korvu_time_newutctime(1999, 12, 31, 23, 59, 60, 0), nullptr);

  // A leap-second handle moves only onto another leap second.
  KORVU_TIME *t = korvu_time_newlocaltime(2017, 1, 1, 8, 59, 60, 0, 0);
  EXPECT_EQ(t, nullptr);  // as a wall-clock time this is no leap second
  t = korvu_time_newutctime(2016, 12, 31, 23, 59, 60, 0);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(korvu_time_addday(t, 1), nullptr);
  KORVU_TIME *back = korvu_time_addday(t, -(366 + 184));  // 2015-06-30
  EXPECT_EQ(show(back), "2015-06-30 23:59:60.0 Z");
  korvu_time_free(back);
  korvu_time_free(t);
  t = korvu_time_newutctime(2016, 12, 31, 23, 59, 59, 0);
  EXPECT_EQ(korvu_time_isleapsecond(t), 0);
  korvu_time_free(t);
}

// Handles at the edges of what one holds: the first and last minutes, the
// largest nanoseconds, a leap second with nanoseconds, UTC and local. Each
// reads back field by field, copies equal, and a minute there and back (a day
// for the leap second, which only moves onto another) gives it back.
TEST(TimeHandle, EdgesReadBackThroughCopiesAndArithmetic) {
  const std::tuple<int, int, int, int, int, int, uint32_t, bool, const char *> cases[] = {
      {1, 1, 1, 0, 0, 0, 0, true, "0001-01-01 00:00:00.0 Z"},
      {1, 1, 1, 0, 0, 59, 999999999, false, "0001-01-01 00:00:59.999999999 L"},
      {9999, 12, 31, 23, 59, 59, 999999999, true, "9999-12-31 23:59:59.999999999 Z"},
      {9999, 12, 31, 23, 59, 0, 1, false, "9999-12-31 23:59:00.1 L"},
      {2016, 12, 31, 23, 59, 60, 500000000, true, "2016-12-31 23:59:60.500000000 Z"},
      {1970, 1, 1, 0, 0, 0, 0, false, "1970-01-01 00:00:00.0 L"},
  };
  for (const auto &[y, mo, d, h, mi, s, ns, utc, shown] : cases) {
    SCOPED_TRACE(shown);
    KORVU_TIME *t = utc ? korvu_time_newutctime(y, mo, d, h, mi, s, ns) : korvu_time_newlocaltime(y, mo, d, h, mi, s, ns, 0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(show(t), shown);
    KORVU_TIME *copy = korvu_time_dup(t);
    EXPECT_EQ(show(copy), shown);
    const bool leap = s == 60;
    KORVU_TIME *there = leap ? korvu_time_addday(t, -366 - 184) : korvu_time_addminute(t, y == 1 ? 1 : -1);
    ASSERT_NE(there, nullptr);
    EXPECT_NE(show(there), shown);
    KORVU_TIME *back = leap ? korvu_time_addday(there, 366 + 184) : korvu_time_addminute(there, y == 1 ? -1 : 1);
    EXPECT_EQ(show(back), shown);
    for (KORVU_TIME *x : {t, copy, there, back}) korvu_time_free(x);
  }
}
