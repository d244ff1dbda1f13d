// The structure engine, through AlgorithmIdentifier, Validity and
// SubjectPublicKeyInfo.
#include "test_util.h"

using namespace korvu_test;

using Oid = Owned<KORVU_ASN1_OID, KORVU_TYPE_OBJECT_IDENTIFIER>;

TEST(StructEngine, OptionalComponentAndDerivedFlag) {
  Oid rsa(korvu_asn1_oid_new("1.2.840.113549.1.1.11"));
  Val wv(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509algoid_new(rsa.p, KORVU_TYPE_NULL, nullptr));
  Val wov(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509algoid_new_without_param(rsa.p));
  auto *with = wv.as<KORVU_X509_ALGID>(), *without = wov.as<KORVU_X509_ALGID>();
  ASSERT_NE(with, nullptr);
  ASSERT_NE(without, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ALGORITHMIDENTIFIER, with)), "30 0D 06 09 2A 86 48 86 F7 0D 01 01 0B 05 00");
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ALGORITHMIDENTIFIER, without)), "30 0B 06 09 2A 86 48 86 F7 0D 01 01 0B");
  EXPECT_EQ(korvu_x509algoid_isnullparam(with), 1);
  EXPECT_EQ(korvu_x509algoid_hasparam(with), 1);
  EXPECT_EQ(korvu_x509algoid_isnullparam(without), 0);
  EXPECT_EQ(korvu_x509algoid_getparam(without), nullptr);
  EXPECT_NE(korvu_x509algoid_getalgo(without), rsa.p);  // a copy, not the argument
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_ALGORITHMIDENTIFIER, with), 15u);
  EXPECT_EQ(korvu_x509algoid_new_without_param(nullptr), nullptr);
  // Parameters other than NULL are kept as received.
  ErrCtx ctx;
  Bytes ec = hex("30 13 06 07 2A 86 48 CE 3D 02 01 06 08 2A 86 48 CE 3D 03 01 07");
  Val av(KORVU_TYPE_ALGORITHMIDENTIFIER, decode(KORVU_TYPE_ALGORITHMIDENTIFIER, ec, ctx));
  auto *a = av.as<KORVU_X509_ALGID>();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(korvu_x509algoid_isnullparam(a), 0);
  uint32_t tag = 0;
  ASSERT_EQ(korvu_asn1_any_gettagnumber(korvu_x509algoid_getparam(a), &tag), 1);
  EXPECT_EQ(tag, 6u);
  EXPECT_EQ(encode(KORVU_TYPE_ALGORITHMIDENTIFIER, a), ec);
  Val copy(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_asn1_dupobject(KORVU_TYPE_ALGORITHMIDENTIFIER, a, ctx));
  EXPECT_EQ(encode(KORVU_TYPE_ALGORITHMIDENTIFIER, copy.v), ec);
}

TEST(StructEngine, IndefiniteLengthsAndEndOfContents) {
  ErrCtx ctx;
  // An end-of-contents where the parameters could stand closes an indefinite
  // SEQUENCE; the value is written back in DER.
  auto *a = static_cast<KORVU_X509_ALGID *>(decode(KORVU_TYPE_ALGORITHMIDENTIFIER, hex("30 80 06 03 2A 03 04 00 00"), ctx));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(korvu_x509algoid_hasparam(a), 0);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ALGORITHMIDENTIFIER, a)), "30 05 06 03 2A 03 04");
  korvu_asn1_value_free(KORVU_TYPE_ALGORITHMIDENTIFIER, a);
  uint32_t used = 0;
  a = static_cast<KORVU_X509_ALGID *>(decode(KORVU_TYPE_ALGORITHMIDENTIFIER, hex("30 80 06 03 2A 03 04 30 80 02 01 01 00 00 00 00"), ctx, &used));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(used, 16u);
  EXPECT_EQ(korvu_x509algoid_hasparam(a), 1);
  korvu_asn1_value_free(KORVU_TYPE_ALGORITHMIDENTIFIER, a);

  ErrCtx c2;  // an indefinite SEQUENCE whose input ends before its end-of-contents
  EXPECT_EQ(decode(KORVU_TYPE_ALGORITHMIDENTIFIER, hex("30 80 06 03 2A 03 04"), c2), nullptr);
  EXPECT_EQ(c2.codes().back(), 0x1024Du);
}

TEST(StructEngine, ContentsMustBeConsumedExactly) {
  const struct {
    uint32_t type;
    const char *in;
    std::vector<uint32_t> codes;
  } cases[] = {
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "30 09 06 03 2A 03 04 05 00 05 00", {0x1020A}},  // left over after the last
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "30 05 06 05 2A 03 04 05 00", {0x1020B}},  // a component past its parent
      {KORVU_TYPE_VALIDITY, "30 0F 17 0D 32 34 30 31 30 31 30 30 30 30 30 30 5A", {0x1020A}},  // one missing
      // wrong type for a required component: the component's own failure too
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "30 03 02 01 05", {0x1020A, 0x10234}},
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "10 03 06 01 2A", {0x1026A}},                        // primitive SEQUENCE
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "30 07 06 03 2A 03 04 00 00", {0x1020A}},  // end-of-contents, definite
  };
  for (const auto &c : cases) {
    ErrCtx ctx;
    EXPECT_EQ(decode(c.type, hex(c.in), ctx), nullptr) << c.in;
    for (uint32_t code : c.codes) EXPECT_TRUE(ctx.has(code)) << c.in << " " << std::hex << code;
  }
  // Truncated at every length: never a value, never a crash.
  Bytes spki = hex("30 1A 30 0D 06 09 2A 86 48 86 F7 0D 01 01 01 05 00 03 09 00 30 06 02 01 03 02 01 05");
  for (size_t n = 0; n < spki.size(); n++) {
    ErrCtx c;
    Bytes cut(spki.begin(), spki.begin() + static_cast<long>(n));
    EXPECT_EQ(decode(KORVU_TYPE_SUBJECTPUBLICKEYINFO, cut, c), nullptr) << n;
    EXPECT_GT(c.count(), 0u) << n;
  }
  ErrCtx ok;
  Val v(KORVU_TYPE_SUBJECTPUBLICKEYINFO, decode(KORVU_TYPE_SUBJECTPUBLICKEYINFO, spki, ok));
  EXPECT_EQ(encode(KORVU_TYPE_SUBJECTPUBLICKEYINFO, v.v), spki);
}

TEST(StructEngine, NestedComponentsAndConstructors) {
  Val nb(KORVU_TYPE_TIME, korvu_asn1_time_new(2024, 1, 1, 0, 0, 0, 0));
  Val na(KORVU_TYPE_TIME, korvu_asn1_time_new(2050, 1, 1, 0, 0, 0, 0));
  Val val(KORVU_TYPE_VALIDITY, korvu_x509validity_new(nb.as<KORVU_ASN1_TIME>(), na.as<KORVU_ASN1_TIME>()));
  ASSERT_NE(val.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_VALIDITY, val.v)),
            "30 20 17 0D 32 34 30 31 30 31 30 30 30 30 30 30 5A 18 0F 32 30 35 30 30 31 30 31 30 30 30 30 30 30 5A");
  EXPECT_NE(korvu_x509validity_getnotbefore(val.as<KORVU_X509_VALIDITY>()), nb.v);  // a copy
  EXPECT_EQ(korvu_x509validity_new(nb.as<KORVU_ASN1_TIME>(), nullptr), nullptr);

  Oid ec(korvu_asn1_oid_new("1.2.840.10045.2.1"));
  Val alg(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509algoid_new_without_param(ec.p));
  Bytes key = hex("04 01 02");
  Val bits(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_new(0, key.data(), 3));
  Val spki(KORVU_TYPE_SUBJECTPUBLICKEYINFO,
           korvu_x509subjpubkeyinfo_new(alg.as<KORVU_X509_ALGID>(), bits.as<KORVU_ASN1_BITSTRING>()));
  ASSERT_NE(spki.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_SUBJECTPUBLICKEYINFO, spki.v)),
            "30 11 30 09 06 07 2A 86 48 CE 3D 02 01 03 04 00 04 01 02");
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_SUBJECTPUBLICKEYINFO, spki.v), 19u);
  EXPECT_EQ(korvu_x509subjpubkeyinfo_getalgo(nullptr), nullptr);
}
