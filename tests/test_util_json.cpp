// JSON trees and Unicode strings of the utility library.
#include <cstring>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "test_util.h"

namespace {

using korvu_test::Bytes;
using korvu_test::hex;
using korvu_test::to_hex;

using korvu_test::JsonPtr;

std::string print(const KORVU_JSON *j, int indent = 0) { return korvu_test::json_text(j, indent); }
using korvu_test::json_parse;

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

// Members made in place and owned nodes mix freely in one tree; the tree is
// released once (LeakSanitizer checks that nothing is lost or freed twice).
TEST(UtilJson, BuildersInPlaceShareTheTree) {
  JsonPtr root(korvu_json_newobject());
  ASSERT_TRUE(root);
  EXPECT_EQ(korvu_json_addnewstring(root.get(), "type", "SEQUENCE", 8), 1);
  KORVU_JSON *arr = korvu_json_addnewarray(root.get(), "value");
  ASSERT_NE(arr, nullptr);
  const unsigned char raw[] = {0x00, 0xAB, 0xFF};
  EXPECT_EQ(korvu_json_addnewhex(arr, nullptr, raw, 3), 1);
  EXPECT_EQ(korvu_json_addnewnumber(arr, nullptr, -7), 1);
  EXPECT_EQ(korvu_json_addnewboolean(arr, nullptr, 5), 1);
  KORVU_JSON *inner = korvu_json_addnewobject(arr, nullptr);
  ASSERT_NE(inner, nullptr);
  // An owned subtree (itself holding members made in place) goes under a
  // member made in place, and an owned node under the owned top.
  KORVU_JSON *sub = korvu_json_newobject();
  EXPECT_EQ(korvu_json_addnewstring(sub, "k", "v", 1), 1);
  EXPECT_EQ(korvu_json_addobjectitem(inner, "sub", sub), 1);
  EXPECT_EQ(korvu_json_addobjectitem(root.get(), "extra", korvu_json_newnumber(0.5)), 1);
  EXPECT_EQ(print(root.get()),
            R"({"type":"SEQUENCE","value":["00ABFF",-7,true,{"sub":{"k":"v"}}],"extra":0.5})");

  // Refusals leave the tree as it was: duplicate names (made in place or
  // added), a key on an array or none on an object, invalid UTF-8, a
  // non-finite number, a scalar container.
  EXPECT_EQ(korvu_json_addnewboolean(root.get(), "type", 1), 0);
  EXPECT_EQ(korvu_json_addobjectitem(root.get(), "value", korvu_json_newnumber(1)), 0);
  EXPECT_EQ(korvu_json_addnewnumber(arr, "k", 1), 0);
  EXPECT_EQ(korvu_json_addnewobject(root.get(), nullptr), nullptr);
  EXPECT_EQ(korvu_json_addnewstring(root.get(), "bad", "\xC3", 1), 0);
  EXPECT_EQ(korvu_json_addnewstring(root.get(), "\xC3", "ok", 2), 0);
  EXPECT_EQ(korvu_json_addnewnumber(root.get(), "inf", INFINITY), 0);
  const KORVU_JSON *type = korvu_json_getobjectvalue(root.get(), "type");
  EXPECT_EQ(korvu_json_addnewnumber(const_cast<KORVU_JSON *>(type), nullptr, 1), 0);
  EXPECT_EQ(korvu_json_addnewobject(nullptr, "k"), nullptr);
  EXPECT_EQ(korvu_json_getarraysize(arr), 4u);

  // A member made in place is not the caller's: freeing it does nothing and
  // it cannot be added elsewhere; nor can a tree be added into itself.
  korvu_json_free(inner);
  JsonPtr other(korvu_json_newarray());
  EXPECT_EQ(korvu_json_addarrayitem(other.get(), inner), 0);
  EXPECT_EQ(korvu_json_addarrayitem(arr, root.get()), 0);
  EXPECT_EQ(korvu_json_addobjectitem(root.get(), "self", root.get()), 0);
  EXPECT_EQ(korvu_json_getarraysize(other.get()), 0u);
  EXPECT_EQ(print(korvu_json_getarrayitem(arr, 3)), R"({"sub":{"k":"v"}})");
}

// Objects of many members (past the size where lookups use an index) and
// long names keep insertion order, refuse duplicates and find every member.
TEST(UtilJson, LargeObjectsAndLongNames) {
  JsonPtr root(korvu_json_newobject());
  JsonPtr owned(korvu_json_newobject());
  const std::string longname(300, 'n');
  for (int i = 0; i < 200; i++) {
    std::string key = (i % 3 == 0 ? longname : std::string("k")) + std::to_string(i);
    ASSERT_EQ(korvu_json_addnewnumber(root.get(), key.c_str(), i), 1) << key;
    ASSERT_EQ(korvu_json_addobjectitem(owned.get(), key.c_str(), korvu_json_newnumber(i)), 1) << key;
  }
  for (int i = 0; i < 200; i++) {
    std::string key = (i % 3 == 0 ? longname : std::string("k")) + std::to_string(i);
    EXPECT_EQ(korvu_json_getnumber(korvu_json_getobjectvalue(root.get(), key.c_str())), i) << key;
    EXPECT_EQ(korvu_json_getnumber(korvu_json_getobjectvalue(owned.get(), key.c_str())), i) << key;
    EXPECT_EQ(korvu_json_addnewnumber(root.get(), key.c_str(), 0), 0) << key;
    EXPECT_EQ(korvu_json_addobjectitem(owned.get(), key.c_str(), korvu_json_newnumber(0)), 0) << key;
  }
  EXPECT_EQ(korvu_json_getobjectvalue(root.get(), "k1000"), nullptr);
  EXPECT_EQ(print(root.get()), print(owned.get()));
  // A long array of strings made in place, read back by index.
  KORVU_JSON *arr = korvu_json_addnewarray(root.get(), "arr");
  ASSERT_NE(arr, nullptr);
  for (int i = 0; i < 5000; i++) {
    std::string v = std::to_string(i);
    ASSERT_EQ(korvu_json_addnewstring(arr, nullptr, v.data(), static_cast<uint32_t>(v.size())), 1);
  }
  ASSERT_EQ(korvu_json_getarraysize(arr), 5000u);
  for (int i = 0; i < 5000; i += 499) EXPECT_STREQ(korvu_json_getstring(korvu_json_getarrayitem(arr, i)), std::to_string(i).c_str());
}

TEST(UtilJson, ParseAndPrintRoundTrip) {
  const char *texts[] = {
      R"({"b":[1,2.5,"x",true,false,null,{}],"a":{"k":"\u00e9\u0000"}})",
      R"([])",
      R"("plain")",
      R"(-12)",
  };
  for (const char *t : texts) {
    JsonPtr j = json_parse(t);
    ASSERT_TRUE(j) << t;
    JsonPtr again = json_parse(print(j.get()));
    ASSERT_TRUE(again);
    EXPECT_EQ(print(again.get()), print(j.get()));
  }
  JsonPtr j = json_parse(R"({"b":null,"a":"\ud83d\ude00"})");
  ASSERT_TRUE(j);
  EXPECT_EQ(korvu_json_gettype(korvu_json_getobjectvalue(j.get(), "b")), KORVU_JSON_NULL);
  EXPECT_STREQ(korvu_json_getstring(korvu_json_getobjectvalue(j.get(), "a")), "\xF0\x9F\x98\x80");
  EXPECT_EQ(print(j.get()), "{\"b\":null,\"a\":\"\xF0\x9F\x98\x80\"}");

  const char *bad[] = {"", "{", "[1,]", "{\"a\":1} x", "\"\xC3\"", "\"\\ud800\"", "nul", "{'a':1}", "[1 2]"};
  for (const char *b : bad) EXPECT_FALSE(json_parse(b)) << b;
  // Nesting: 512 levels parse, deeper text is refused before the parser sees it.
  std::string ok(512, '[');
  ok += std::string(512, ']');
  EXPECT_TRUE(json_parse(ok));
  std::string deep(100000, '[');
  deep += std::string(100000, ']');
  EXPECT_FALSE(json_parse(deep));
  // Brackets inside strings do not count.
  std::string quoted = "[\"" + std::string(1000, '[') + "\"]";
  EXPECT_TRUE(json_parse(quoted));
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
  using Make = KORVU_USTRING *(*)(const void *, uint32_t);
  const std::pair<Make, std::vector<const char *>> makers[] = {
      {korvu_ustring_newutf8, {"80", "C1 BF", "E0 9F BF", "ED A0 80", "F0 8F BF BF", "F4 90 80 80", "E2 82", "FE"}},
      {korvu_ustring_newbmp, {"00", "D8 00", "DF FF", "00 41 DC 00"}},
      {korvu_ustring_newutf32be, {"00 00 41", "00 00 D8 00", "00 11 00 00", "FF FF FF FF"}},
  };
  for (const auto &[make, inputs] : makers) {
    for (const char *h : inputs) {
      Bytes b = hex(h);
      EXPECT_EQ(make(b.data(), static_cast<uint32_t>(b.size())), nullptr) << h;
    }
  }
  EXPECT_EQ(korvu_ustring_newutf8(nullptr, 1), nullptr);
  unsigned char *out = nullptr;
  EXPECT_EQ(korvu_ustring_toutf8(nullptr, &out, nullptr), 0);
  korvu_ustring_free(nullptr);
}

}  // namespace
