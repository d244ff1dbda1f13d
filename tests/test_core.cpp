// The registry, the message table, the X.690 codec and the generic drivers.
#include <functional>
#include <set>
#include <string>

#include "core/internal.h"
#include "test_util.h"

using namespace korvu_test;

namespace {

// Reads a header from bytes with the internal codec.
int read_header_of(const Bytes &in, korvu::Header &h, ErrCtx &ctx) {
  KORVU_STREAM *s = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
  int r = korvu::read_header(s, h, ctx);
  korvu_stream_free(s);
  return r;
}

Bytes write_with(const std::function<int(KORVU_STREAM *)> &fn, int *result = nullptr) {
  KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
  int r = fn(s);
  if (result) *result = r;
  uint32_t n = 0;
  const unsigned char *p = korvu_memstream_data(s, &n);
  Bytes out(p, p + n);
  korvu_stream_free(s);
  return out;
}

}  // namespace

TEST(Registry, CatalogueRowsAndMessageRule) {
  // Codes, tags and classes of a sample of rows, including irregular ones.
  struct Row {
    uint32_t type, form, cls, tag;
    int32_t code;
  } rows[] = {
      {KORVU_TYPE_BOOLEAN, KORVU_FORM_PRIMITIVE, 0x00, 1, 0x1020D},
      {KORVU_TYPE_ENUMERATED, KORVU_FORM_PRIMITIVE, 0x00, 10, 0x10211},
      {KORVU_TYPE_ANY, KORVU_FORM_EITHER, 0x00, 0, 0x10235},
      {KORVU_TYPE_CERTIFICATE, KORVU_FORM_CONSTRUCTED, 0x00, 16, 0x10258},
      {KORVU_TYPE_OTHERNAME, KORVU_FORM_CONSTRUCTED, 0x00, 8, 0x1029E},
      {KORVU_TYPE_BINDREQUEST, KORVU_FORM_CONSTRUCTED, 0x40, 0, 0x104B3},
      {KORVU_TYPE_UNBINDREQUEST, KORVU_FORM_PRIMITIVE, 0x40, 2, 0x104B7},
      {KORVU_TYPE_DELREQUEST, KORVU_FORM_EITHER, 0x40, 10, 0x10218},
      {KORVU_TYPE_ABANDONREQUEST, KORVU_FORM_PRIMITIVE, 0x40, 16, 0x1020F},
      {KORVU_TYPE_SET_OF_OCTET_STRING, KORVU_FORM_CONSTRUCTED, 0x00, 17, 0x10272},
      {KORVU_TYPE_SCVP_SEQUENCE_OF_ALGORITHMIDENTIFIER, KORVU_FORM_CONSTRUCTED, 0x00, 16, 0x10547},
      {KORVU_TYPE_SM9_ENVELOPEDDATA, KORVU_FORM_CONSTRUCTED, 0x00, 16, 0x105B0},
  };
  for (const auto &r : rows) {
    const korvu::TypeDesc *d = korvu::type_desc(r.type);
    ASSERT_NE(d, nullptr) << r.type;
    EXPECT_EQ(d->form, r.form) << r.type;
    EXPECT_EQ(d->tag_class, r.cls) << r.type;
    EXPECT_EQ(d->tag_number, r.tag) << r.type;
    EXPECT_EQ(d->error_code, r.code) << r.type;
  }
  EXPECT_EQ(korvu::type_desc(KORVU_TYPE_COUNT), nullptr);
  EXPECT_EQ(korvu_asn1_typename(KORVU_TYPE_COUNT), nullptr);
  EXPECT_STREQ(korvu_asn1_typename(KORVU_TYPE_CERTIFICATE), "Certificate");

  // The pair rule, and the irregular quoted entries and shared texts.
  EXPECT_STREQ(korvu_asn1_errmessage(0x10258), "encode x509 certificate fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x10259), "decode x509 certificate fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x1020F), "encode integer or enum fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x1035E), "encode cms recipientidentifier  fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x1035F), "decode cms recipientidentifier fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x104FA), "encode SCVPIssuerSerial  fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x1046B), "decode AC RoleSyntax  fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x102E1), "bad integer/enum encode value");
  EXPECT_STREQ(korvu_asn1_errmessage(0x102E2), "encode identifier octet fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x102E5), "decode identifier octet fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x10314), "the length of  pkcs5 pbe param salt is not 8");
  EXPECT_STREQ(korvu_asn1_errmessage(0x1056E), "invalid ses certlist type");
  EXPECT_STREQ(korvu_asn1_errmessage(0x105B3), "encode SM9 EnvelopedData fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x105B4), "decode SM9 EnvelopedData fail");
  EXPECT_STREQ(korvu_asn1_errmessage(0x101FF), "");
  EXPECT_STREQ(korvu_asn1_errmessage(0x105B5), "");
  EXPECT_STREQ(korvu_asn1_version(), "KORVU ASN.1 Library 1.10,Build on 2021");

  // Every type's decode code has a message (encode code + 1 lands on a text);
  // end-of-contents has no code.
  for (uint32_t t = KORVU_TYPE_END_OF_CONTENTS + 1; t < KORVU_TYPE_COUNT; t++) {
    uint32_t code = static_cast<uint32_t>(korvu::type_desc(t)->error_code);
    EXPECT_STRNE(korvu_asn1_errmessage(code), "") << "type " << t;
  }
}

// Type failures are reported with the type's code; unknown types with their
// own, by every generic operation.
TEST(Registry, PutErrAndGenericOperationsOnUnknownTypes) {
  ErrCtx ctx;
  korvu_asn1_encode_puterr(ctx, KORVU_TYPE_CERTIFICATE, "caller.c", 12);
  korvu_asn1_decode_puterr(ctx, KORVU_TYPE_CERTIFICATE, "caller.c", 13);
  korvu_asn1_decode_puterr(ctx, KORVU_TYPE_COUNT, "caller.c", 14);
  ASSERT_EQ(ctx.count(), 3u);
  uint32_t code;
  const char *msg, *file;
  int line;
  korvu_err_ctx_get(ctx, 1, &code, &msg, &file, &line);
  EXPECT_EQ(code, 0x10259u);
  EXPECT_STREQ(msg, "decode x509 certificate fail");
  EXPECT_STREQ(file, "caller.c");
  EXPECT_EQ(line, 13);
  EXPECT_EQ(ctx.codes(), (std::vector<uint32_t>{0x10258u, 0x10259u, 0x1026Bu}));

  ctx.clear();
  korvu_asn1_value_free(KORVU_TYPE_COUNT, reinterpret_cast<void *>(0x1));  // does nothing
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_COUNT, nullptr), 0xFFFFFFFEu);
  EXPECT_EQ(korvu_asn1_content_length(KORVU_TYPE_COUNT, nullptr), 0xFFFFFFFEu);
  EXPECT_TRUE(write_with([&](KORVU_STREAM *s) { return korvu_asn1_encode(s, KORVU_TYPE_COUNT, nullptr, nullptr, ctx); })
                  .empty());
  EXPECT_EQ(ctx.codes(), std::vector<uint32_t>{0x1026Bu});
  // Types without a codec in this build fail with a recorded error.
  for (uint32_t t = KORVU_TYPE_END_OF_CONTENTS + 1; t < KORVU_TYPE_COUNT; t++) {
    if (korvu::type_desc(t)->ops != nullptr) continue;
    ErrCtx c;
    EXPECT_EQ(decode(t, hex("30 00"), c), nullptr) << t;
    EXPECT_GT(c.count(), 0u) << t;
  }
}

TEST(Codec, IdentifierOctets) {
  int r;
  EXPECT_EQ(to_hex(write_with([](KORVU_STREAM *s) { return korvu_asn1_encode_identifier(s, 0, 1, 31, nullptr, nullptr); }, &r)), "1F 1F");
  EXPECT_EQ(to_hex(write_with([](KORVU_STREAM *s) { return korvu_asn1_encode_identifier(s, 0x80, 0, 128, nullptr, nullptr); })), "BF 81 00");
  EXPECT_EQ(to_hex(write_with([](KORVU_STREAM *s) { return korvu_asn1_encode_identifier(s, 0x40, 1, 30, nullptr, nullptr); })), "5E");
  EXPECT_EQ(to_hex(write_with([](KORVU_STREAM *s) { return korvu_asn1_encode_identifier(s, 0xC0, 1, 0x7FFFFFFF, nullptr, nullptr); })), "DF 87 FF FF FF 7F");
  ErrCtx ctx;
  write_with([&](KORVU_STREAM *s) { return korvu_asn1_encode_identifier(s, 0x20, 1, 1, nullptr, ctx); }, &r);
  EXPECT_NE(r, 1);
  EXPECT_TRUE(ctx.has(0x10200));
  write_with([&](KORVU_STREAM *s) { return korvu_asn1_encode_identifier(s, 0, 1, -1, nullptr, ctx); }, &r);
  EXPECT_NE(r, 1);
  EXPECT_TRUE(ctx.has(0x10201));

  EXPECT_EQ(korvu_asn1_identifier_length(30), 1u);
  EXPECT_EQ(korvu_asn1_identifier_length(31), 2u);
  EXPECT_EQ(korvu_asn1_identifier_length(128), 3u);
  EXPECT_EQ(korvu_asn1_identifier_length(-5), 0xFFFFFFFEu);

  // Decoding: high tag numbers round trip; a multi-octet form below 31 and
  // a number past the limit are refused.
  korvu::Header h;
  ErrCtx c1;
  ASSERT_EQ(read_header_of(hex("BF 81 00 00"), h, c1), 1);
  EXPECT_EQ(h.tag, 128u);
  EXPECT_EQ(h.tag_class, 0x80u);
  EXPECT_EQ(h.primitive, 0);
  ASSERT_EQ(read_header_of(hex("DF 87 FF FF FF 7F 00"), h, c1), 1);
  EXPECT_EQ(h.tag, 0x7FFFFFFFu);
  ASSERT_EQ(read_header_of(hex("9F 80 1F 00"), h, c1), 1);  // leading 0x80 group: BER allows it
  EXPECT_EQ(h.tag, 31u);
  EXPECT_EQ(h.size, 4u);

  Bytes many(41, 0x80);
  many[0] = many[40] = 0x1F;
  for (auto [in, code] : {std::pair{hex("1F 1E 00"), 0x10201u}, {hex("1F 88 80 80 80 00 00"), 0x10202u}, {many, 0x10202u},
                          {hex("1F 81"), 0x102E5u}}) {  // the last ends inside the tag number
    ErrCtx c;
    EXPECT_NE(read_header_of(in, h, c), 1) << to_hex(in);
    EXPECT_TRUE(c.has(code)) << to_hex(in);
    EXPECT_EQ(c.codes().back(), 0x102E5u) << to_hex(in);  // closed by the identifier's failure
  }
}

TEST(Codec, LengthOctets) {
  auto enc = [](uint32_t len) {
    return to_hex(write_with([=](KORVU_STREAM *s) { return korvu_asn1_encode_length(s, len, nullptr, nullptr); }));
  };
  EXPECT_EQ(enc(127), "7F");
  EXPECT_EQ(enc(128), "81 80");
  EXPECT_EQ(enc(256), "82 01 00");
  EXPECT_EQ(enc(0x7FFFFFFF), "84 7F FF FF FF");
  EXPECT_EQ(enc(0xFFFFFFFF), "80");
  ErrCtx ctx;
  int r;
  write_with([&](KORVU_STREAM *s) { return korvu_asn1_encode_length(s, 0x80000000u, nullptr, ctx); }, &r);
  EXPECT_NE(r, 1);
  EXPECT_TRUE(ctx.has(0x10203));
  EXPECT_EQ(korvu_asn1_length_length(127), 1u);
  EXPECT_EQ(korvu_asn1_length_length(128), 2u);
  EXPECT_EQ(korvu_asn1_length_length(0xFFFFFFFF), 1u);
  EXPECT_EQ(korvu_asn1_length_length(0x80000000u), 0xFFFFFFFEu);

  auto dec = [](const Bytes &in, uint32_t *len, ErrCtx &ctx) {
    KORVU_STREAM *s = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
    uint32_t ll = 0;
    int r = korvu_asn1_decode_length(s, len, &ll, ctx);
    korvu_stream_free(s);
    return r;
  };
  uint32_t len = 0;
  ErrCtx c;
  ASSERT_EQ(dec(hex("84 7F FF FF FF"), &len, c), 1);
  EXPECT_EQ(len, 0x7FFFFFFFu);
  ASSERT_EQ(dec(hex("81 05"), &len, c), 1);
  EXPECT_EQ(len, 5u);
  ASSERT_EQ(dec(hex("86 00 00 00 00 01 00"), &len, c), 1);  // leading zero octets
  EXPECT_EQ(len, 256u);
  ASSERT_EQ(dec(hex("80"), &len, c), 1);
  EXPECT_EQ(len, 0xFFFFFFFFu);
  EXPECT_EQ(c.count(), 0u);
  for (auto [in, code] : {std::pair{"84 80 00 00 00", 0x10204u}, {"85 01 00 00 00 00", 0x10204u}, {"FF", 0x10203u}}) {
    ErrCtx e;
    EXPECT_NE(dec(hex(in), &len, e), 1) << in;
    EXPECT_TRUE(e.has(code)) << in;
  }
}

TEST(Codec, EndOfContents) {
  auto dec = [](const Bytes &in, ErrCtx &ctx) {
    KORVU_STREAM *s = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
    uint32_t n = 0;
    int r = korvu_asn1_decode_eoc_length(s, &n, ctx);
    korvu_stream_free(s);
    return r == 1 ? static_cast<int>(n) : -1;
  };
  ErrCtx c;
  EXPECT_EQ(dec(hex("00"), c), 1);
  EXPECT_EQ(dec(hex("01"), c), -1);
  EXPECT_TRUE(c.has(0x10205));

  // End-of-contents writes and reads 00 00 only.
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_END_OF_CONTENTS, reinterpret_cast<void *>(1))), "00 00");
  ErrCtx c2;
  uint32_t used = 0;
  void *v = decode(KORVU_TYPE_END_OF_CONTENTS, hex("00 00"), c2, &used);
  EXPECT_NE(v, nullptr);
  EXPECT_EQ(used, 2u);
  korvu_asn1_value_free(KORVU_TYPE_END_OF_CONTENTS, v);
  EXPECT_EQ(decode(KORVU_TYPE_END_OF_CONTENTS, hex("00 01 00"), c2), nullptr);
  EXPECT_TRUE(c2.has(0x10205));
}

TEST(Lengths, TotalLengthRule) {
  // An INTEGER of 127 content octets: 1 + 1 + 127; of 128: 1 + 2 + 128.
  Bytes b(127, 0x11);
  KORVU_ASN1_INTEGER *i127 = korvu_asn1_integer_new(b.data(), 127);
  b.push_back(0x11);
  KORVU_ASN1_INTEGER *i128 = korvu_asn1_integer_new(b.data(), 128);
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_INTEGER, i127), 129u);
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_INTEGER, i128), 131u);
  EXPECT_EQ(korvu_asn1_content_length(KORVU_TYPE_INTEGER, i128), 128u);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, i127);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, i128);

  EXPECT_EQ(korvu::tlv_length(30, 127), 129u);
  EXPECT_EQ(korvu::tlv_length(31, 127), 130u);
  EXPECT_EQ(korvu::tlv_length(16, korvu::kLenIndef), korvu::kLenIndef);
  EXPECT_EQ(korvu::tlv_length(16, korvu::kLenError), korvu::kLenError);
  // A sum past 0x7FFFFFFF is an overflow inside, never "indefinite"; only the
  // exported form folds it into 0xFFFFFFFF.
  EXPECT_EQ(korvu::tlv_length(16, 0x7FFFFFFE), korvu::kLenOverflow);
  EXPECT_EQ(korvu::len_add(0x7FFFFFFF, 1), korvu::kLenOverflow);
  EXPECT_EQ(korvu::len_add(korvu::kLenIndef, 5), korvu::kLenIndef);
  EXPECT_EQ(korvu::len_export(korvu::kLenOverflow), 0xFFFFFFFFu);
}

TEST(Drivers, HeaderChecksAndFailureChain) {
  struct Case {
    uint32_t type;
    const char *in;
    uint32_t code;
  } cases[] = {
      {KORVU_TYPE_BOOLEAN, "21 01 FF", 0x1026A}, {KORVU_TYPE_BOOLEAN, "81 01 FF", 0x1020A},
      {KORVU_TYPE_BOOLEAN, "01 01", 0x10111},  // contents missing
      {KORVU_TYPE_INTEGER, "", 0x102E5},       {KORVU_TYPE_INTEGER, "02 84 7F FF FF FF 01", 0x10111},  // claims 2 GB
  };
  for (const Case &c : cases) {
    ErrCtx ctx;
    EXPECT_EQ(decode(c.type, hex(c.in), ctx), nullptr) << c.in;
    EXPECT_TRUE(ctx.has(c.code)) << c.in;
    // The type's decode failure closes the chain.
    EXPECT_EQ(ctx.codes().back(), static_cast<uint32_t>(korvu::type_desc(c.type)->error_code) + 1) << c.in;
  }
}

TEST(Drivers, MemDecodeCountsFirstEncodingOnly) {
  Bytes in = hex("02 01 05 FF FF");
  void *v = nullptr;
  EXPECT_EQ(korvu_asn1_mem_decode(in.data(), static_cast<int32_t>(in.size()), KORVU_TYPE_INTEGER, &v), 3u);
  ASSERT_NE(v, nullptr);
  int32_t n = 0;
  EXPECT_EQ(korvu_asn1_integer_getlong(static_cast<KORVU_ASN1_INTEGER *>(v), &n), 1);
  EXPECT_EQ(n, 5);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, v);
  EXPECT_EQ(korvu_asn1_mem_decode(in.data(), 0, KORVU_TYPE_INTEGER, &v), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_asn1_mem_decode(nullptr, 3, KORVU_TYPE_INTEGER, &v), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_asn1_mem_decode(in.data(), 5, KORVU_TYPE_COUNT, &v), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_asn1_mem_decode(in.data(), 5, KORVU_TYPE_BOOLEAN, &v), 0xFFFFFFFFu);
  EXPECT_EQ(v, nullptr);
}

TEST(Drivers, DupObjectCopiesThroughTheEncoding) {
  ErrCtx ctx;
  KORVU_ASN1_INTEGER *i = korvu_asn1_integer_value(-129);
  auto *copy = static_cast<KORVU_ASN1_INTEGER *>(korvu_asn1_dupobject(KORVU_TYPE_INTEGER, i, ctx));
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->data, i->data);
  EXPECT_EQ(korvu_asn1_integer_equals(i, copy), 1);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, i);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, copy);
  EXPECT_EQ(korvu_asn1_dupobject(KORVU_TYPE_INTEGER, nullptr, ctx), nullptr);
  EXPECT_TRUE(ctx.has(0x10002));
  EXPECT_EQ(korvu_asn1_dupobject(KORVU_TYPE_COUNT, i, ctx), nullptr);
  EXPECT_TRUE(ctx.has(0x1026B));
}

TEST(Drivers, ContentOperationsUnderImplicitTags) {
  // A structure writes an INTEGER's contents under [0] IMPLICIT.
  KORVU_ASN1_INTEGER *i = korvu_asn1_integer_value(300);
  ErrCtx ctx;
  uint32_t w = 0;
  int r;
  Bytes out = write_with(
      [&](KORVU_STREAM *s) {
        uint32_t len = korvu_asn1_content_length(KORVU_TYPE_INTEGER, i);
        if (korvu_asn1_encode_identifier(s, 0x80, 1, 0, nullptr, ctx) != 1) return 0;
        if (korvu_asn1_encode_length(s, len, nullptr, ctx) != 1) return 0;
        return korvu_asn1_encode_content(s, KORVU_TYPE_INTEGER, i, len, &w, ctx);
      },
      &r);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(to_hex(out), "80 02 01 2C");
  EXPECT_EQ(w, 2u);
  // A length other than the value's is refused.
  write_with([&](KORVU_STREAM *s) { return korvu_asn1_encode_content(s, KORVU_TYPE_INTEGER, i, 3, nullptr, ctx); }, &r);
  EXPECT_NE(r, 1);
  EXPECT_TRUE(ctx.has(0x10203));

  Bytes contents = hex("01 2C");
  KORVU_STREAM *s = korvu_stream_new_romem(contents.data(), 2);
  void *v = nullptr;
  uint32_t used = 0;
  ASSERT_EQ(korvu_asn1_decode_content(s, KORVU_TYPE_INTEGER, &v, 1, 2, &used, ctx), 1);
  EXPECT_EQ(used, 2u);
  EXPECT_EQ(korvu_asn1_integer_equals(i, static_cast<KORVU_ASN1_INTEGER *>(v)), 1);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, v);
  korvu_stream_free(s);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, i);
}
