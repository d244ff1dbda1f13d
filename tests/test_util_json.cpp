// JSON trees and Unicode strings of the utility library.
#include <cstring>
#include <cmath>
#include <memory>
#include <string>

#include "test_util.h"

namespace {

using korvu_test::Bytes;
using korvu_test::hex;
using korvu_test::to_hex;

struct JsonDel {
  void operator()(KORVU_JSON *j) const { korvu_json_free(j); }
};
using JsonPtr = std::unique_ptr<KORVU_JSON, JsonDel>;

std::string print(const KORVU_JSON *j, int indent = 0) {
  uint32_t n = 0;
  char *s = korvu_json_print(j, indent, &n);
  if (s == nullptr) return "<null>";
  std::string out(s, n);
  EXPECT_EQ(std::strlen(s), n);
  korvu_free(s);
  return out;
}

JsonPtr parse(const std::string &s) { return JsonPtr(korvu_json_parse(s.data(), static_cast<uint32_t>(s.size()))); }

TEST(UtilJson, BuildReadAndPrintKeepsInsertionOrder) {
  JsonPtr root(korvu_json_newobject());
  ASSERT_TRUE(root);
  EXPECT_EQ(korvu_json_addobjectitem(root.get(), "zeta", korvu_json_newnumber(5)), 1);
  EXPECT_EQ(korvu_json_addobjectitem(root.get(), "alpha", korvu_json_newboolean(1)), 1);
  KORVU_JSON *arr = korvu_json_newarray();
  EXPECT_EQ(korvu_json_addarrayitem(arr, korvu_json_newstring("a\0b", 3)), 1);
  EXPECT_EQ(korvu_json_addarrayitem(arr, korvu_json_newnumber(-0.5)), 1);
  EXPECT_EQ(korvu_json_addobjectitem(root.get(), "list", arr), 1);
  // A duplicate key is refused, and the item is consumed all the same.
  EXPECT_EQ(korvu_json_addobjectitem(root.get(), "zeta", korvu_json_newnumber(6)), 0);
  // Adding to a non-container fails and consumes the item.
  KORVU_JSON *num = korvu_json_newnumber(1);
  EXPECT_EQ(korvu_json_addarrayitem(num, korvu_json_newnumber(2)), 0);
  EXPECT_EQ(korvu_json_addobjectitem(num, "k", korvu_json_newnumber(2)), 0);
  korvu_json_free(num);
  EXPECT_EQ(korvu_json_addobjectitem(root.get(), "x", nullptr), 0);

  EXPECT_EQ(print(root.get()), "{\"zeta\":5,\"alpha\":true,\"list\":[\"a\\u0000b\",-0.5]}");
  EXPECT_EQ(print(root.get(), 2), "{\n  \"zeta\": 5,\n  \"alpha\": true,\n  \"list\": [\n    \"a\\u0000b\",\n    -0.5\n  ]\n}");

  EXPECT_EQ(korvu_json_gettype(root.get()), KORVU_JSON_OBJECT);
  const KORVU_JSON *zeta = korvu_json_getobjectvalue(root.get(), "zeta");
  EXPECT_EQ(korvu_json_gettype(zeta), KORVU_JSON_NUMBER);
  EXPECT_EQ(korvu_json_getnumber(zeta), 5.0);
  EXPECT_EQ(korvu_json_istrue(korvu_json_getobjectvalue(root.get(), "alpha")), 1);
  EXPECT_EQ(korvu_json_istrue(zeta), 0);
  EXPECT_EQ(korvu_json_getobjectvalue(root.get(), "missing"), nullptr);
  const KORVU_JSON *list = korvu_json_getobjectvalue(root.get(), "list");
  EXPECT_EQ(korvu_json_gettype(list), KORVU_JSON_ARRAY);
  ASSERT_EQ(korvu_json_getarraysize(list), 2u);
  const KORVU_JSON *s = korvu_json_getarrayitem(list, 0);
  EXPECT_EQ(korvu_json_gettype(s), KORVU_JSON_STRING);
  EXPECT_EQ(korvu_json_getstringlength(s), 3u);
  EXPECT_EQ(std::string(korvu_json_getstring(s), 3), std::string("a\0b", 3));
  EXPECT_EQ(korvu_json_getarrayitem(list, 2), nullptr);

  // Getters on the wrong kind or null are harmless.
  EXPECT_EQ(korvu_json_getstring(zeta), nullptr);
  EXPECT_EQ(korvu_json_getstringlength(zeta), 0u);
  EXPECT_EQ(korvu_json_getarraysize(zeta), 0u);
  EXPECT_EQ(korvu_json_getobjectvalue(list, "zeta"), nullptr);
  EXPECT_EQ(korvu_json_gettype(nullptr), 0);
  EXPECT_EQ(korvu_json_getnumber(s), 0.0);
  korvu_json_free(nullptr);
}

TEST(UtilJson, StringsMustBeUtf8AndNumbersFinite) {
  const char *bad[] = {"\x80", "\xC0\xAF", "\xC3", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xFF"};
  for (const char *b : bad) EXPECT_EQ(korvu_json_newstring(b, static_cast<uint32_t>(std::strlen(b))), nullptr) << to_hex(Bytes(b, b + std::strlen(b)));
  const char *good[] = {"", "A", "\xC3\xA9", "\xE2\x82\xAC", "\xED\x9F\xBF", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"};
  for (const char *g : good) {
    JsonPtr j(korvu_json_newstring(g, static_cast<uint32_t>(std::strlen(g))));
    ASSERT_TRUE(j) << g;
    EXPECT_STREQ(korvu_json_getstring(j.get()), g);
  }
  EXPECT_EQ(korvu_json_newstring(nullptr, 1), nullptr);
  JsonPtr empty(korvu_json_newstring(nullptr, 0));
  EXPECT_TRUE(empty);
  EXPECT_EQ(korvu_json_newnumber(NAN), nullptr);
  EXPECT_EQ(korvu_json_newnumber(INFINITY), nullptr);
  JsonPtr big(korvu_json_newnumber(2147483647.0));
  EXPECT_EQ(print(big.get()), "2147483647");
  JsonPtr frac(korvu_json_newnumber(1.25));
  EXPECT_EQ(print(frac.get()), "1.25");
  // Keys are checked as well.
  JsonPtr obj(korvu_json_newobject());
  EXPECT_EQ(korvu_json_addobjectitem(obj.get(), "\xC3", korvu_json_newnumber(1)), 0);
}

TEST(UtilJson, ParseAndPrintRoundTrip) {
  const char *texts[] = {
      R"({"b":[1,2.5,"x",true,false,null,{}],"a":{"k":"\u00e9\u0000"}})",
      R"([])",
      R"("plain")",
      R"(-12)",
  };
  for (const char *t : texts) {
    JsonPtr j = parse(t);
    ASSERT_TRUE(j) << t;
    JsonPtr again = parse(print(j.get()));
    ASSERT_TRUE(again);
    EXPECT_EQ(print(again.get()), print(j.get()));
  }
  JsonPtr j = parse(R"({"b":null,"a":"\ud83d\ude00"})");
  ASSERT_TRUE(j);
  EXPECT_EQ(korvu_json_gettype(korvu_json_getobjectvalue(j.get(), "b")), KORVU_JSON_NULL);
  EXPECT_STREQ(korvu_json_getstring(korvu_json_getobjectvalue(j.get(), "a")), "\xF0\x9F\x98\x80");
  EXPECT_EQ(print(j.get()), "{\"b\":null,\"a\":\"\xF0\x9F\x98\x80\"}");

  const char *bad[] = {"", "{", "[1,]", "{\"a\":1} x", "\"\xC3\"", "\"\\ud800\"", "nul", "{'a':1}", "[1 2]"};
  for (const char *b : bad) EXPECT_FALSE(parse(b)) << b;
  // Nesting: 512 levels parse, deeper text is refused before the parser sees it.
  std::string ok(512, '[');
  ok += std::string(512, ']');
  EXPECT_TRUE(parse(ok));
  std::string deep(100000, '[');
  deep += std::string(100000, ']');
  EXPECT_FALSE(parse(deep));
  // Brackets inside strings do not count.
  std::string quoted = "[\"" + std::string(1000, '[') + "\"]";
  EXPECT_TRUE(parse(quoted));
  EXPECT_EQ(korvu_json_parse(nullptr, 3), nullptr);
  EXPECT_EQ(korvu_json_print(nullptr, 0, nullptr), nullptr);
}

// ---------------------------------------------------------------------------

Bytes convert(KORVU_USTRING *u, int (*to)(const KORVU_USTRING *, unsigned char **, uint32_t *), bool *ok) {
  unsigned char *b = nullptr;
  uint32_t n = 0;
  *ok = to(u, &b, &n) == 1;
  Bytes out;
  if (*ok) out.assign(b, b + n);
  korvu_free(b);
  return out;
}

TEST(UtilUnicode, ConversionsBetweenUtf8BmpAndUtf32) {
  struct Case {
    const char *utf8, *bmp, *utf32;  // bmp null: not representable
  } cases[] = {
      {"", "", ""},
      {"41", "0041", "00000041"},
      {"C3 A9 E2 82 AC", "00E9 20AC", "000000E9 000020AC"},
      {"EF BF BF 00", "FFFF 0000", "0000FFFF 00000000"},
      {"F0 9F 98 80", nullptr, "0001F600"},
      {"F4 8F BF BF", nullptr, "0010FFFF"},
  };
  for (const auto &c : cases) {
    Bytes u8 = hex(c.utf8), u32 = hex(c.utf32);
    KORVU_USTRING *a = korvu_ustring_newutf8(u8.data(), static_cast<uint32_t>(u8.size()));
    KORVU_USTRING *b = korvu_ustring_newutf32be(u32.data(), static_cast<uint32_t>(u32.size()));
    ASSERT_NE(a, nullptr) << c.utf8;
    ASSERT_NE(b, nullptr) << c.utf32;
    EXPECT_EQ(korvu_ustring_getlength(a), u32.size() / 4);
    bool ok;
    EXPECT_EQ(convert(b, korvu_ustring_toutf8, &ok), u8) << c.utf32;
    EXPECT_EQ(convert(a, korvu_ustring_toutf32be, &ok), u32) << c.utf8;
    Bytes bmp = convert(a, korvu_ustring_tobmp, &ok);
    EXPECT_EQ(ok, c.bmp != nullptr) << c.utf8;
    if (c.bmp != nullptr) {
      EXPECT_EQ(bmp, hex(c.bmp));
      KORVU_USTRING *m = korvu_ustring_newbmp(bmp.data(), static_cast<uint32_t>(bmp.size()));
      EXPECT_EQ(convert(m, korvu_ustring_toutf8, &ok), u8);
      korvu_ustring_free(m);
    }
    korvu_ustring_free(a);
    korvu_ustring_free(b);
  }
}

TEST(UtilUnicode, RefusesInvalidSequences) {
  const char *utf8[] = {"80", "C1 BF", "E0 9F BF", "ED A0 80", "F0 8F BF BF", "F4 90 80 80", "E2 82", "FE"};
  for (const char *h : utf8) {
    Bytes b = hex(h);
    EXPECT_EQ(korvu_ustring_newutf8(b.data(), static_cast<uint32_t>(b.size())), nullptr) << h;
  }
  const char *bmp[] = {"00", "D8 00", "DF FF", "00 41 DC 00"};
  for (const char *h : bmp) {
    Bytes b = hex(h);
    EXPECT_EQ(korvu_ustring_newbmp(b.data(), static_cast<uint32_t>(b.size())), nullptr) << h;
  }
  const char *u32[] = {"00 00 41", "00 00 D8 00", "00 11 00 00", "FF FF FF FF"};
  for (const char *h : u32) {
    Bytes b = hex(h);
    EXPECT_EQ(korvu_ustring_newutf32be(b.data(), static_cast<uint32_t>(b.size())), nullptr) << h;
  }
  EXPECT_EQ(korvu_ustring_newutf8(nullptr, 1), nullptr);
  unsigned char *out = nullptr;
  EXPECT_EQ(korvu_ustring_toutf8(nullptr, &out, nullptr), 0);
  korvu_ustring_free(nullptr);
}

}  // namespace
