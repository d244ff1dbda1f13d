// BOOLEAN, INTEGER, ENUMERATED and NULL.
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
  EXPECT_EQ(int_hex(korvu_asn1_integer_value(-128)), "80");
  EXPECT_EQ(int_hex(korvu_asn1_integer_value(-129)), "FF 7F");
  EXPECT_EQ(int_hex(korvu_asn1_integer_value(128)), "00 80");
  EXPECT_EQ(int_hex(korvu_asn1_integer_value(-256)), "FF 00");
  EXPECT_EQ(int_hex(korvu_asn1_integer_value(0)), "00");
  EXPECT_EQ(int_hex(korvu_asn1_integer_value(-1)), "FF");
  EXPECT_EQ(int_hex(korvu_asn1_integer_value(INT32_MIN)), "80 00 00 00");
  EXPECT_EQ(int_hex(korvu_asn1_integer_value(INT32_MAX)), "7F FF FF FF");
  EXPECT_EQ(int_hex(korvu_asn1_enum_value(65535)), "00 FF FF");

  Bytes a = hex("00 00 7F"), b = hex("FF FF 80"), c = hex("00"), d = hex("FF FF"), e = hex("00 80 01");
  EXPECT_EQ(int_hex(korvu_asn1_integer_new(a.data(), 3)), "7F");
  // FF 80 would still be redundant (X.690 8.3.2): -128 is the single octet 80.
  EXPECT_EQ(int_hex(korvu_asn1_integer_new(b.data(), 3)), "80");
  EXPECT_EQ(int_hex(korvu_asn1_integer_new(c.data(), 1)), "00");
  EXPECT_EQ(int_hex(korvu_asn1_integer_new(d.data(), 2)), "FF");
  EXPECT_EQ(int_hex(korvu_asn1_integer_new(e.data(), 3)), "00 80 01");
  EXPECT_EQ(korvu_asn1_integer_new(a.data(), 0), nullptr);
  EXPECT_EQ(korvu_asn1_integer_new(nullptr, 2), nullptr);

  Bytes u1 = hex("80 01"), u2 = hex("00 00 01"), u3 = hex("00 00 80");
  EXPECT_EQ(int_hex(korvu_asn1_unsigned_integer_new(u1.data(), 2)), "00 80 01");
  EXPECT_EQ(int_hex(korvu_asn1_unsigned_integer_new(u2.data(), 3)), "01");
  EXPECT_EQ(int_hex(korvu_asn1_unsigned_integer_new(u3.data(), 3)), "00 80");
  EXPECT_EQ(korvu_asn1_unsigned_integer_new(u1.data(), -1), nullptr);
}

TEST(Integer, GetLongRange) {
  auto conv = [](const std::string &h, int32_t *out) {
    Bytes b = hex(h);
    KORVU_ASN1_INTEGER v{b.data(), static_cast<uint32_t>(b.size())};
    return korvu_asn1_integer_getlong(&v, out);
  };
  int32_t n = 0;
  EXPECT_EQ(conv("80 00 00 00", &n), 0);  // -2^31 is refused
  EXPECT_EQ(conv("00 7F FF FF FF", &n), 1);
  EXPECT_EQ(n, 0x7FFFFFFF);
  EXPECT_EQ(conv("80 00 00 01", &n), 1);
  EXPECT_EQ(n, -0x7FFFFFFF);
  EXPECT_EQ(conv("FF 7F", &n), 1);
  EXPECT_EQ(n, -129);
  EXPECT_EQ(conv("00 00 00 00 05", &n), 1);
  EXPECT_EQ(n, 5);
  EXPECT_EQ(conv("00 80 00 00 00", &n), 0);  // 2^31
  EXPECT_EQ(conv("01 00 00 00 00", &n), 0);
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

  ErrCtx c1, c2, c3, c4;
  EXPECT_EQ(decode(KORVU_TYPE_INTEGER, hex("02 00"), c1), nullptr);
  EXPECT_TRUE(c1.has(0x10203));
  EXPECT_EQ(decode(KORVU_TYPE_INTEGER, hex("22 03 02 01 05"), c2), nullptr);
  EXPECT_TRUE(c2.has(0x1026A));
  EXPECT_EQ(decode(KORVU_TYPE_ENUMERATED, hex("02 01 05"), c3), nullptr);  // ENUMERATED is tag 10
  EXPECT_TRUE(c3.has(0x1020A));
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
  ErrCtx c1, c2;
  EXPECT_EQ(decode(KORVU_TYPE_BOOLEAN, hex("01 02 00 00"), c1), nullptr);
  EXPECT_TRUE(c1.has(0x10203));
  EXPECT_EQ(decode(KORVU_TYPE_BOOLEAN, hex("01 80 00 00"), c2), nullptr);
  EXPECT_TRUE(c2.has(0x10206));
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
  ErrCtx c1, c2, c3;
  EXPECT_EQ(decode(KORVU_TYPE_NULL, hex("05 01 00"), c1), nullptr);
  EXPECT_TRUE(c1.has(0x10203));
  EXPECT_EQ(decode(KORVU_TYPE_NULL, hex("25 00"), c2), nullptr);
  EXPECT_TRUE(c2.has(0x1026A));
  EXPECT_EQ(decode(KORVU_TYPE_NULL, hex("05 80"), c3), nullptr);
  EXPECT_TRUE(c3.has(0x10206));
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_NULL, nullptr), 2u);
}
