// Our additions for people reading values: the decode that says where it
// failed, a Name as RFC 4514 text and a Time as ISO 8601 text (OID names are
// checked with their table in test_dump.cpp).
#include <string>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"
#include "test_util.h"

namespace {

using korvu_test::Bytes;
using korvu_test::hex;

std::string take_text(char *text) {
  korvu::MemHolder<char> owned(text);
  return owned ? std::string(owned.get()) : std::string("(null)");
}

// Each row: a type, an input, and the octet where decoding stops (-1: it decodes).
TEST(DecodeDiag, OffsetOfTheRefusedElementOrTheBrokenLength) {
  const struct {
    uint32_t type;
    const char *input;
    int64_t offset;  // -1: decodes
    uint32_t consumed;
  } kRows[] = {
      {KORVU_TYPE_INTEGER, "02 01 05 FF", -1, 3},                      // trailing octets left alone
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "30 05 02 01 05 05 00", 2, 0},  // INTEGER where the OID belongs
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "30 06 06 03 2A 03", 1, 0},     // outer length runs past the end
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "30 80 06 03 2A 03 04", 7, 0},  // no end-of-contents where it belongs
      {KORVU_TYPE_INTEGER, "02 05 01 02", 1, 0},                       // contents run past the end
      {KORVU_TYPE_INTEGER, "01 01 FF", 0, 0},                          // wrong tag at the top
      // notAfter missing: the last element read
      {KORVU_TYPE_VALIDITY, "30 0F 17 0D 32 36 31 32 30 36 30 38 31 37 31 31 5A", 2, 0},
      {KORVU_TYPE_VALIDITY, "30 08 17 02 32 36 17 02 32 36", 2, 0},   // a UTCTime too short
  };
  for (const auto &row : kRows) {
    const Bytes in = hex(row.input);
    korvu::ErrCtxHolder ctx(korvu_err_ctx_new());
    korvu::Value value(row.type);
    uint32_t consumed = 99, offset = 99;
    const int r = korvu_asn1_decode_diag(in.data(), static_cast<uint32_t>(in.size()), row.type, value.out(),
                                         &consumed, &offset, ctx.get());
    if (row.offset < 0) {
      EXPECT_EQ(r, 1) << row.input;
      EXPECT_EQ(consumed, row.consumed) << row.input;
      EXPECT_EQ(offset, 0u) << row.input;
      EXPECT_TRUE(value.get() != nullptr) << row.input;
      continue;
    }
    EXPECT_NE(r, 1) << row.input;
    EXPECT_EQ(value.get(), nullptr) << row.input;
    EXPECT_EQ(consumed, 0u) << row.input;
    EXPECT_EQ(offset, static_cast<uint32_t>(row.offset)) << row.input;
    EXPECT_GT(korvu_err_ctx_count(ctx.get()), 0u) << row.input;
  }
  // Arguments: a null out argument or null bytes with a length are refused.
  korvu::ErrCtxHolder ctx(korvu_err_ctx_new());
  const unsigned char one[] = {0x05, 0x00};
  EXPECT_NE(korvu_asn1_decode_diag(one, 2, KORVU_TYPE_NULL, nullptr, nullptr, nullptr, ctx.get()), 1);
  void *v = &ctx;
  EXPECT_NE(korvu_asn1_decode_diag(nullptr, 2, KORVU_TYPE_NULL, &v, nullptr, nullptr, ctx.get()), 1);
  EXPECT_EQ(v, nullptr);
  uint32_t code = 0;
  ASSERT_EQ(korvu_err_ctx_get(ctx.get(), 0, &code, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(code, KORVU_ERR_NULLARG);
  // No octets at all: stops at offset 0.
  uint32_t offset = 7;
  EXPECT_NE(korvu_asn1_decode_diag(one, 0, KORVU_TYPE_NULL, &v, nullptr, &offset, nullptr), 1);
  EXPECT_EQ(offset, 0u);
}

TEST(NameText, Rfc4514OrderEscapesAndHexValues) {
  auto text_of = [](const std::string &der_hex) {
    const Bytes der = hex(der_hex);
    korvu::Value name(KORVU_TYPE_NAME);
    EXPECT_EQ(korvu_asn1_mem_decode(der.data(), static_cast<int32_t>(der.size()), name.type(), name.out()), der.size());
    return take_text(korvu_x500name_totext(name.as<KORVU_X500_NAME>()));
  };
  // C=XX / O=A,B + OU=" x" / 1.2.3.4=INTEGER 5 / CN=BMPString "é#"
  EXPECT_EQ(text_of("30 41 31 0B 30 09 06 03 55 04 06 13 02 58 58 31 17 30 0A 06 03 55 04 0A 0C 03 41 2C 42 30 09 06 03 "
                    "55 04 0B 0C 02 20 78 31 0A 30 08 06 03 2A 03 04 02 01 05 31 0D 30 0B 06 03 55 04 03 1E 04 00 E9 00 23"),
            "CN=\xC3\xA9#,1.2.3.4=#020105,O=A\\,B+OU=\\ x,C=XX");
  // An empty name; a leading '#' and a trailing blank; a UTF8String that is
  // not UTF-8 (then the value is given in hex).
  EXPECT_EQ(text_of("30 00"), "");
  EXPECT_EQ(text_of("30 1E 31 0C 30 0A 06 03 55 04 03 0C 03 23 61 20 31 0E 30 0C 06 03 55 04 0A 0C 05 61 01 FF 62 63"),
            "O=#0C056101FF6263,CN=\\#a\\ ");
  EXPECT_EQ(korvu_x500name_totext(nullptr), nullptr);
}

TEST(TimeText, Iso8601WithFractionAndZone) {
  korvu::Value utc(KORVU_TYPE_TIME, korvu_asn1_utctime_new(2026, 12, 6, 8, 17, 11));
  EXPECT_EQ(take_text(korvu_asn1_time_toiso8601(utc.as<KORVU_ASN1_TIME>())), "2026-12-06T08:17:11Z");
  korvu::Value frac(KORVU_TYPE_TIME, korvu_asn1_gentime_new(2051, 1, 2, 3, 4, 5, 250000000));
  EXPECT_EQ(take_text(korvu_asn1_time_toiso8601(frac.as<KORVU_ASN1_TIME>())), "2051-01-02T03:04:05.25Z");
  // A GeneralizedTime without a zone is local time: no "Z".
  const Bytes local = hex("18 0E 32 30 32 36 31 32 30 36 30 38 31 37 31 31");
  korvu::Value lt(KORVU_TYPE_GENERALIZEDTIME);
  ASSERT_EQ(korvu_asn1_mem_decode(local.data(), static_cast<int32_t>(local.size()), lt.type(), lt.out()),
            local.size());
  EXPECT_EQ(take_text(korvu_asn1_time_toiso8601(lt.as<KORVU_ASN1_TIME>())), "2026-12-06T08:17:11");
  EXPECT_EQ(korvu_asn1_time_toiso8601(nullptr), nullptr);
}

}  // namespace
