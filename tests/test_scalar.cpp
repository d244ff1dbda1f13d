// BOOLEAN, INTEGER, ENUMERATED and NULL.
#include <tuple>
#include <utility>

#include "test_util.h"

using namespace korvu_test;

namespace {

std::string int_hex(KORVU_ASN1_INTEGER *v) {
  if (v == nullptr) return "null";
  std::string s = to_hex(v->data, v->length);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, v);
  return s;
}

}  // namespace

TEST(Integer, ConstructorsAreMinimal) {
  for (auto [n, want] : {std::pair{-128, "80"}, {-129, "FF 7F"}, {128, "00 80"}, {-256, "FF 00"}, {0, "00"},
                         {-1, "FF"}, {INT32_MIN, "80 00 00 00"}, {INT32_MAX, "7F FF FF FF"}})
    EXPECT_EQ(int_hex(korvu_asn1_integer_value(n)), want) << n;
  EXPECT_EQ(int_hex(korvu_asn1_enum_value(65535)), "00 FF FF");
  // From two's complement octets (FF 80 would still be redundant, X.690 8.3.2:
  // -128 is the single octet 80) and from unsigned ones.
  for (auto [in, want] : {std::pair{"00 00 7F", "7F"}, {"FF FF 80", "80"}, {"00", "00"}, {"FF FF", "FF"},
                          {"00 80 01", "00 80 01"}}) {
    const Bytes b = hex(in);
    EXPECT_EQ(int_hex(korvu_asn1_integer_new(b.data(), static_cast<int32_t>(b.size()))), want) << in;
  }
  for (auto [in, want] : {std::pair{"80 01", "00 80 01"}, {"00 00 01", "01"}, {"00 00 80", "00 80"}}) {
    const Bytes b = hex(in);
    EXPECT_EQ(int_hex(korvu_asn1_unsigned_integer_new(b.data(), static_cast<int32_t>(b.size()))), want) << in;
  }
  const Bytes a = hex("00 00 7F");
  EXPECT_EQ(korvu_asn1_integer_new(a.data(), 0), nullptr);
  EXPECT_EQ(korvu_asn1_integer_new(nullptr, 2), nullptr);
  EXPECT_EQ(korvu_asn1_unsigned_integer_new(a.data(), -1), nullptr);
}

TEST(Integer, GetLongRange) {
  auto conv = [](const std::string &h, int32_t *out) {
    Bytes b = hex(h);
    KORVU_ASN1_INTEGER v{b.data(), static_cast<uint32_t>(b.size())};
    return korvu_asn1_integer_getlong(&v, out);
  };
  int32_t n = 0;
  // -2^31 and 2^31 are refused; redundant leading octets are not.
  for (auto [in, ok, want] : {std::tuple{"80 00 00 00", 0, 0}, {"00 7F FF FF FF", 1, 0x7FFFFFFF},
                              {"80 00 00 01", 1, -0x7FFFFFFF}, {"FF 7F", 1, -129}, {"00 00 00 00 05", 1, 5},
                              {"00 80 00 00 00", 0, 0}, {"01 00 00 00 00", 0, 0}}) {
    EXPECT_EQ(conv(in, &n), ok) << in;
    if (ok) {
      EXPECT_EQ(n, want) << in;
    }
  }
  EXPECT_EQ(korvu_asn1_integer_getlong(nullptr, &n), 0);
  for (int32_t x : {0, 1, -1, 127, 128, -128, -129, 255, 256, 65535, -65536, INT32_MAX, INT32_MIN + 1}) {
    KORVU_ASN1_INTEGER *v = korvu_asn1_integer_value(x);
    ASSERT_EQ(korvu_asn1_enum_getlong(v, &n), 1) << x;
    EXPECT_EQ(n, x);
    korvu_asn1_value_free(KORVU_TYPE_INTEGER, v);
  }
}

TEST(Integer, EqualsAndEncodingOrder) {
  KORVU_ASN1_INTEGER *i128 = korvu_asn1_integer_value(128), *i127 = korvu_asn1_integer_value(127),
                     *m129 = korvu_asn1_integer_value(-129), *again = korvu_asn1_integer_value(127);
  EXPECT_GT(korvu_asn1_integer_encodecmp(i128, i127), 0);
  EXPECT_GT(korvu_asn1_integer_encodecmp(m129, i127), 0);  // compares encodings, not numbers
  EXPECT_EQ(korvu_asn1_integer_encodecmp(i127, again), 0);
  EXPECT_LT(korvu_asn1_integer_encodecmp(nullptr, i127), 0);
  EXPECT_EQ(korvu_asn1_integer_encodecmp(nullptr, nullptr), 0);
  EXPECT_EQ(korvu_asn1_integer_equals(i127, again), 1);
  EXPECT_EQ(korvu_asn1_integer_equals(i127, i128), 0);
  EXPECT_EQ(korvu_asn1_integer_equals(nullptr, nullptr), 1);
  EXPECT_EQ(korvu_asn1_integer_equals(i127, nullptr), 0);
  for (auto *v : {i128, i127, m129, again}) korvu_asn1_value_free(KORVU_TYPE_INTEGER, v);
}

TEST(Integer, DecodeKeepsOctetsAndFlagsNonMinimal) {
  ErrCtx ctx;
  auto *v = static_cast<KORVU_ASN1_INTEGER *>(decode(KORVU_TYPE_INTEGER, hex("02 02 00 05"), ctx));
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(to_hex(v->data, v->length), "00 05");
  EXPECT_TRUE(ctx.has(0x102E3));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_INTEGER, v)), "02 02 00 05");  // written back as received
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, v);

  ErrCtx c4;
  auto *e = decode(KORVU_TYPE_ENUMERATED, hex("0A 01 05"), c4);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ENUMERATED, e)), "0A 01 05");
  korvu_asn1_value_free(KORVU_TYPE_ENUMERATED, e);

  // A 1000-octet INTEGER round trips; the length octets are long form.
  Bytes big = hex("02 82 03 E8");
  big.push_back(0x01);
  big.insert(big.end(), 999, 0xAB);
  ErrCtx c5;
  void *b = decode(KORVU_TYPE_INTEGER, big, c5);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_INTEGER, b), big);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, b);
}

TEST(Integer, BigIntegerBridge) {
  KORVU_ASN1_INTEGER *v = korvu_asn1_integer_value(-129);
  KORVU_BIGINTEGER *bi = korvu_asn1_integer_getbigintger(v);
  ASSERT_NE(bi, nullptr);
  int64_t n = 0;
  ASSERT_EQ(korvu_biginteger_getlong(bi, &n), 1);
  EXPECT_EQ(n, -129);
  KORVU_ASN1_INTEGER *back = korvu_asn1_integer_newbigint(bi);
  EXPECT_EQ(korvu_asn1_integer_equals(v, back), 1);
  korvu_biginteger_free(bi);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, v);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, back);
  EXPECT_EQ(korvu_asn1_integer_getbigintger(nullptr), nullptr);
}

TEST(Boolean, ValuesEncodingAndDecoding) {
  KORVU_ASN1_BOOLEAN *t = korvu_asn1_boolean_true(), *f = korvu_asn1_boolean_false(), *o = korvu_asn1_boolean_new(1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_BOOLEAN, t)), "01 01 FF");
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_BOOLEAN, f)), "01 01 00");
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_BOOLEAN, o)), "01 01 01");
  EXPECT_EQ(korvu_asn1_boolean_istrue(t), 1);
  EXPECT_EQ(korvu_asn1_boolean_istrue(f), 0);
  EXPECT_EQ(korvu_asn1_boolean_istrue(nullptr), 0);
  uint32_t w = 0;
  EXPECT_EQ(korvu_asn1_boolean_getvalue(t, &w), 1);
  EXPECT_EQ(w, 255u);
  EXPECT_EQ(korvu_asn1_boolean_getvalue(nullptr, &w), 0);
  // A TRUE word whose low byte is zero must not be written as FALSE.
  *o = 0x100;
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_BOOLEAN, o)), "01 01 FF");
  for (auto *v : {t, f, o}) korvu_asn1_value_free(KORVU_TYPE_BOOLEAN, v);

  ErrCtx ctx;
  auto *d = static_cast<KORVU_ASN1_BOOLEAN *>(decode(KORVU_TYPE_BOOLEAN, hex("01 01 01"), ctx));
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(*d, 1u);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_BOOLEAN, d)), "01 01 01");
  korvu_asn1_value_free(KORVU_TYPE_BOOLEAN, d);
}

TEST(Null, AnyPointerEncodesAndDecodesToTheMarker) {
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NULL, nullptr)), "05 00");
  int x = 0;
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NULL, &x)), "05 00");
  ErrCtx ctx;
  void *v = decode(KORVU_TYPE_NULL, hex("05 00"), ctx);
  EXPECT_NE(v, nullptr);
  korvu_asn1_value_free(KORVU_TYPE_NULL, v);  // the shared marker: nothing happens
  void *w = decode(KORVU_TYPE_NULL, hex("05 00"), ctx);
  EXPECT_EQ(v, w);
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_NULL, nullptr), 2u);
}

// Bad lengths (0x10203), constructed forms (0x1026A), indefinite lengths
// (0x10206) and another type's tag (0x1020A), each with its code.
TEST(Scalars, MalformedEncodingsFailWithTheirCodes) {
  const std::tuple<uint32_t, const char *, uint32_t> cases[] = {
      {KORVU_TYPE_INTEGER, "02 00", 0x10203},        {KORVU_TYPE_INTEGER, "22 03 02 01 05", 0x1026A},
      {KORVU_TYPE_ENUMERATED, "02 01 05", 0x1020A},  // ENUMERATED is tag 10
      {KORVU_TYPE_BOOLEAN, "01 02 00 00", 0x10203},  {KORVU_TYPE_BOOLEAN, "01 80 00 00", 0x10206},
      {KORVU_TYPE_NULL, "05 01 00", 0x10203},        {KORVU_TYPE_NULL, "25 00", 0x1026A},
      {KORVU_TYPE_NULL, "05 80", 0x10206},
  };
  for (const auto &[type, in, code] : cases) {
    ErrCtx ctx;
    EXPECT_EQ(decode(type, hex(in), ctx), nullptr) << in;
    EXPECT_TRUE(ctx.has(code)) << in << " codes " << ::testing::PrintToString(ctx.codes());
  }
}
