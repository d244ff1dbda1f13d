// OBJECT IDENTIFIER and RELATIVE-OID: text rules, contents octets, decoding
// refusals and round trips.
#include <string>
#include <tuple>

#include "test_util.h"

using namespace korvu_test;

namespace {

constexpr uint32_t kOid = KORVU_TYPE_OBJECT_IDENTIFIER;
constexpr uint32_t kRelOid = KORVU_TYPE_RELATIVE_OID;
constexpr uint32_t kOidFormat = 0x102EB;

Bytes contents(const KORVU_ASN1_OID *v) { return Bytes(v->data, v->data + v->length); }

// Builds from text and checks the octets and the stored text.
void expect_text(const char *text, const std::string &octets, const char *stored, bool relative) {
  SCOPED_TRACE(text);
  KORVU_ASN1_OID *v = relative ? korvu_asn1_relative_oid_new(text) : korvu_asn1_oid_new(text);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(to_hex(contents(v)), to_hex(hex(octets)));
  EXPECT_STREQ(relative ? korvu_asn1_relative_oid_getstring(v) : korvu_asn1_oid_getstring(v), stored);
  korvu_asn1_value_free(relative ? kRelOid : kOid, v);
}

// Decodes a whole encoding and returns the text, or "" with the codes in ctx.
std::string decoded_text(uint32_t type, const std::string &encoding, ErrCtx &ctx) {
  void *v = decode(type, hex(encoding), ctx);
  if (v == nullptr) return "";
  std::string text = static_cast<KORVU_ASN1_OID *>(v)->text;
  korvu_asn1_value_free(type, v);
  return text;
}

}  // namespace

TEST(Oid, TextToContents) {
  // {text, contents, stored text}. Leading zeros are read as decimal and the
  // stored text is the one a decoder would print for the same octets; arcs
  // fill 64 bits (2^64-2 as a later arc, a first subidentifier of 80 +
  // (2^64-81) = 2^64-1); thirty digits is the longest arc.
  // RELATIVE-OID (the last column) has no first-arc rule.
  const std::tuple<const char *, const char *, const char *, bool> cases[] = {
      {"1.2.840.113549", "2A 86 48 86 F7 0D", "1.2.840.113549", false}, {"2.999", "88 37", "2.999", false},
      {"1 2 3", "2A 03", "1.2.3", false}, {"0.0", "00", "0.0", false}, {"1.39", "4F", "1.39", false},
      {"2.100.3", "81 34 03", "2.100.3", false}, {"1.02.0840", "2A 86 48", "1.2.840", false},
      {"1.2.18446744073709551614", "2A 81 FF FF FF FF FF FF FF FF 7E", "1.2.18446744073709551614", false},
      {"2.18446744073709551535", "81 FF FF FF FF FF FF FF FF 7F", "2.18446744073709551535", false},
      {"1.2.000000000000000000000000000007", "2A 07", "1.2.7", false},
      {"8571.3.2", "C2 7B 03 02", "8571.3.2", true}, {"5", "05", "5", true}, {"100 0", "64 00", "100.0", true},
      {"18446744073709551614", "81 FF FF FF FF FF FF FF FF 7E", "18446744073709551614", true},
  };
  for (const auto &[text, octets, stored, relative] : cases) expect_text(text, octets, stored, relative);
}

TEST(Oid, TextRefusals) {
  const char *bad[] = {
      nullptr, "", "1", "12", "1.", "1.40", "0.40", "3.1", "1..2", "1.2.", ".1.2", "1,2", "1.2a", "1.-2",
      "1.2 .3",
      "1.2.18446744073709551615",           // 2^64-1 is refused
      "1.2.18446744073709551616",           // overflow
      "1.2.99999999999999999999999",        // overflow
      "2.18446744073709551536",             // 80 + second arc passes 64 bits
      "1.2.0000000000000000000000000000007",  // 31 digits
  };
  for (const char *t : bad) {
    SCOPED_TRACE(t ? t : "(null)");
    Val v(kOid, korvu_asn1_oid_new(t));
    EXPECT_EQ(v.v, nullptr);
  }
  for (const char *t : {static_cast<const char *>(nullptr), "", "1.", ".1", "1..2", "18446744073709551615", "x"}) {
    SCOPED_TRACE(t ? t : "(null)");
    Val v(kRelOid, korvu_asn1_relative_oid_new(t));
    EXPECT_EQ(v.v, nullptr);
  }
}

TEST(Oid, DecodeContents) {
  // Non-minimal length octets are BER; a first subidentifier of 2^64-1 and a
  // later arc of 2^64-1 both fit.
  const std::tuple<uint32_t, const char *, const char *> cases[] = {
      {kOid, "06 03 2A 86 48", "1.2.840"}, {kOid, "06 02 88 37", "2.999"}, {kOid, "06 01 27", "0.39"},
      {kOid, "06 01 28", "1.0"}, {kOid, "06 01 50", "2.0"}, {kOid, "06 81 02 2A 03", "1.2.3"},
      {kOid, "06 0A 81 FF FF FF FF FF FF FF FF 7F", "2.18446744073709551535"},
      {kOid, "06 0B 2A 81 FF FF FF FF FF FF FF FF 7F", "1.2.18446744073709551615"},
      {kRelOid, "0D 04 C2 7B 03 02", "8571.3.2"}, {kRelOid, "0D 01 2A", "42"},
  };
  ErrCtx ctx;
  for (const auto &[type, in, text] : cases) EXPECT_EQ(decoded_text(type, in, ctx), text) << in;
  EXPECT_EQ(ctx.count(), 0u);
}

TEST(Oid, DecodeRefusals) {
  struct Case {
    uint32_t type;
    const char *encoding;
    uint32_t code;
  } cases[] = {
      {kOid, "06 02 80 01", kOidFormat},                          // leading 0x80
      {kOid, "06 03 2A 80 01", kOidFormat},                       // leading 0x80 in a later arc
      {kOid, "06 02 2A 86", kOidFormat},                          // ends inside a subidentifier
      {kOid, "06 01 86", kOidFormat}, {kRelOid, "0D 02 03 83", kOidFormat}, {kRelOid, "0D 01 80", kOidFormat},
      {kOid, "06 0A 82 80 80 80 80 80 80 80 80 00", kOidFormat},  // 2^64: past 64 bits
      {kOid, "06 0B 2A 82 80 80 80 80 80 80 80 80 00", kOidFormat},
      {kOid, "06 00", 0x10203},   // Bad length
      {kOid, "26 03 06 01 2A", 0x1026A},  // constructed
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.encoding);
    ErrCtx ctx;
    EXPECT_EQ(decode(c.type, hex(c.encoding), ctx), nullptr);
    EXPECT_TRUE(ctx.has(c.code)) << "codes: " << ctx.count();
  }
  // Contents cut short by the end of the input.
  ErrCtx ctx;
  EXPECT_EQ(decode(kOid, hex("06 05 2A 86 48"), ctx), nullptr);
  EXPECT_GT(ctx.count(), 0u);
  // Content operations called directly: constructed and indefinite.
  Bytes body = hex("2A 03");
  for (auto [primitive, length, code] : {std::tuple{0u, 2u, 0x1026Au}, std::tuple{1u, 0xFFFFFFFFu, 0x10206u}}) {
    ErrCtx c2;
    KORVU_STREAM *s = korvu_stream_new_romem(body.data(), static_cast<uint32_t>(body.size()));
    void *v = nullptr;
    EXPECT_NE(korvu_asn1_decode_content(s, kOid, &v, primitive, length, nullptr, c2), 1);
    EXPECT_EQ(v, nullptr);
    EXPECT_TRUE(c2.has(code));
    korvu_stream_free(s);
  }
}

TEST(Oid, EncodeRoundTrip) {
  for (const char *text : {"1.2.840.113549.1.1.11", "2.5.4.3", "1.3.6.1.4.1.311.2.1.4", "2.18446744073709551535",
                           "1.2.18446744073709551614"}) {
    SCOPED_TRACE(text);
    Val owned(kOid, korvu_asn1_oid_new(text));
    auto *v = owned.as<KORVU_ASN1_OID>();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(korvu_asn1_integer_getlength(v), v->length);
    EXPECT_EQ(korvu_asn1_content_length(kOid, v), v->length);
    Bytes enc = encode(kOid, v);
    ASSERT_EQ(enc.size(), v->length + 2u);
    EXPECT_EQ(enc[0], 0x06);
    EXPECT_EQ(korvu_asn1_length(kOid, v), enc.size());
    ErrCtx ctx;
    uint32_t used = 0;
    Val back(kOid, decode(kOid, enc, ctx, &used));
    ASSERT_NE(back.v, nullptr);
    EXPECT_EQ(used, enc.size());
    EXPECT_STREQ(back.as<KORVU_ASN1_OID>()->text, text);
    EXPECT_EQ(contents(back.as<KORVU_ASN1_OID>()), contents(v));
    Val copy(kOid, korvu_asn1_dupobject(kOid, v, ctx));
    ASSERT_NE(copy.v, nullptr);
    EXPECT_NE(copy.as<KORVU_ASN1_OID>()->data, v->data);
    EXPECT_STREQ(copy.as<KORVU_ASN1_OID>()->text, text);
  }
  Val rel(kRelOid, korvu_asn1_relative_oid_new("8571.3.2"));
  ASSERT_NE(rel.v, nullptr);
  EXPECT_EQ(to_hex(encode(kRelOid, rel.v)), "0D 04 C2 7B 03 02");
  // The content operation writes only the stored length.
  KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
  ErrCtx ctx;
  EXPECT_NE(korvu_asn1_encode_content(s, kRelOid, rel.v, 3, nullptr, ctx), 1);
  EXPECT_TRUE(ctx.has(0x10203));
  korvu_stream_free(s);
  EXPECT_EQ(korvu_asn1_content_length(kOid, nullptr), 0xFFFFFFFEu);
}

// Every well-known identifier decodes to the text and octets that the text
// constructor gives (a wrong row in the constant table shows here); one arc
// more, or the same octets as a RELATIVE-OID, is not taken for the row.
TEST(Oid, WellKnownIdentifiersDecodeAsFromText) {
  static const char *const kDotted[] = {
#define KORVU_OID(dotted, name) dotted,
#include "types/oid_names.inc"
#undef KORVU_OID
  };
  for (const char *dotted : kDotted) {
    SCOPED_TRACE(dotted);
    Val made(kOid, korvu_asn1_oid_new(dotted));
    ASSERT_NE(made.v, nullptr);
    const Bytes octets = contents(made.as<KORVU_ASN1_OID>());
    ErrCtx ctx;
    EXPECT_EQ(decoded_text(kOid, to_hex(encode(kOid, made.v)), ctx), dotted);
    Val back(kOid, decode(kOid, encode(kOid, made.v), ctx));
    ASSERT_NE(back.v, nullptr);
    EXPECT_EQ(contents(back.as<KORVU_ASN1_OID>()), octets);
    const std::string longer = std::string(dotted) + ".1";
    Val more(kOid, korvu_asn1_oid_new(longer.c_str()));
    EXPECT_EQ(decoded_text(kOid, to_hex(encode(kOid, more.v)), ctx), longer);
    Bytes as_relative = {0x0D, static_cast<unsigned char>(octets.size())};
    as_relative.insert(as_relative.end(), octets.begin(), octets.end());
    EXPECT_NE(decoded_text(kRelOid, to_hex(as_relative), ctx), dotted);
  }
}
