// ANY values: decoding and re-encoding of raw encodings, the universal tag
// table, nesting limits, the typed conversions and the constructor.
#include <string>
#include <tuple>

#include "core/internal.h"
#include "test_util.h"

using namespace korvu_test;

namespace {

KORVU_ASN1_ANY *decode_any(const Bytes &in, ErrCtx &ctx, uint32_t *consumed = nullptr, int *result = nullptr) {
  KORVU_STREAM *s = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
  void *v = nullptr;
  uint32_t used = 0;
  int r = korvu_asn1_decode(s, KORVU_TYPE_ANY, &v, &used, ctx);
  korvu_stream_free(s);
  if (consumed) *consumed = used;
  if (result) *result = r;
  if (r != 1) {
    EXPECT_EQ(v, nullptr);
  }
  return static_cast<KORVU_ASN1_ANY *>(v);
}

Bytes content_of(KORVU_ASN1_ANY *a) {
  Bytes out(4096);
  uint32_t n = 0;
  EXPECT_EQ(korvu_asn1_any_getcontent(a, KORVU_ASN1_ANY_READ_FIRST, out.data(), 4096, &n, nullptr), 1);
  out.resize(n);
  return out;
}

// `levels` indefinite context-specific wrappers around `inner`.
Bytes nest_indefinite(int levels, const Bytes &inner) {
  Bytes out;
  for (int i = 0; i < levels; i++) out.insert(out.end(), {0xA0, 0x80});
  out.insert(out.end(), inner.begin(), inner.end());
  for (int i = 0; i < levels; i++) out.insert(out.end(), {0x00, 0x00});
  return out;
}

using AnyPtr = Owned<KORVU_ASN1_ANY, KORVU_TYPE_ANY>;

}  // namespace

TEST(Any, DecodeKeepsHeaderAndContentsAndReencodesUnchanged) {
  struct Case {
    const char *in;
    uint32_t cls, prim, tag, length;
    const char *content;
  } cases[] = {
      {"04 03 01 02 03", 0x00, 1, 4, 3, "01 02 03"},
      {"9F 81 00 01 AA", 0x80, 1, 128, 1, "AA"},                     // high tag number
      {"04 81 02 AA BB", 0x00, 1, 4, 2, "AA BB"},                    // non-minimal length kept
      {"A0 80 30 03 02 01 05 00 00", 0x80, 0, 0, 0xFFFFFFFF, "30 03 02 01 05 00 00"},
      {"30 80 31 80 04 01 AA 00 00 02 01 01 00 00", 0x00, 0, 16, 0xFFFFFFFF,
       "31 80 04 01 AA 00 00 02 01 01 00 00"},                        // nested indefinite
      {"24 80 04 01 AA 24 80 04 00 00 00 00 00", 0x00, 0, 4, 0xFFFFFFFF, "04 01 AA 24 80 04 00 00 00 00 00"},
      {"7F 7F 00", 0x40, 0, 127, 0, ""},
      {"00 00", 0x00, 1, 0, 0, ""},  // end-of-contents
  };
  for (const auto &c : cases) {
    ErrCtx ctx;
    Bytes in = hex(c.in);
    uint32_t used = 0;
    AnyPtr a(decode_any(in, ctx, &used));
    ASSERT_NE(a.p, nullptr) << c.in;
    EXPECT_EQ(used, in.size()) << c.in;
    // The value outlives the decoding context: its streams keep none (an
    // end-of-contents has none).
    EXPECT_TRUE(a.p->eoc ? a.p->header == nullptr : korvu::stream::context(a.p->header) == nullptr) << c.in;
    if (a.p->content != nullptr && a.p->owns_content) {
      EXPECT_EQ(korvu::stream::context(a.p->content), nullptr);
    }
    uint32_t v = 99;
    EXPECT_EQ(korvu_asn1_any_gettypeclass(a.p, &v), 1);
    EXPECT_EQ(v, c.cls) << c.in;
    EXPECT_EQ(korvu_asn1_any_isprimitive(a.p, &v), 1);
    EXPECT_EQ(v, c.prim) << c.in;
    EXPECT_EQ(korvu_asn1_any_gettagnumber(a.p, &v), 1);
    EXPECT_EQ(v, c.tag) << c.in;
    EXPECT_EQ(korvu_asn1_any_getcontentlength(a.p), c.length) << c.in;
    EXPECT_EQ(to_hex(content_of(a.p)), to_hex(hex(c.content))) << c.in;
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_ANY, a.p)), to_hex(in)) << c.in;
    EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_ANY, a.p), c.length == 0xFFFFFFFF ? 0xFFFFFFFFu : in.size());
    EXPECT_EQ(korvu_asn1_any_iseoc(a.p), in[0] == 0 ? 1 : 0) << c.in;
  }
  // End-of-contents written under an implicit tag has no contents.
  ErrCtx ctx;
  AnyPtr eoc(decode_any(hex("00 00"), ctx));
  KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
  uint32_t w = 9;
  EXPECT_EQ(korvu_asn1_encode_content(s, KORVU_TYPE_ANY, eoc.p, 0, &w, ctx), 1);
  EXPECT_EQ(w, 0u);
  korvu_stream_free(s);
}

TEST(Any, RefusedIdentifiersAndLengths) {
  struct Case {
    const char *in;
    uint32_t code;
  } cases[] = {
      {"0F 00", 0x10201},                     // universal 15: reserved
      {"1D 00", 0x10201},                     // universal 29: no form allowed
      {"1F 23 00", 0x10201},                  // universal 35: past the table
      {"21 03 01 01 FF", 0x10201},            // constructed BOOLEAN
      {"22 03 02 01 05", 0x10201},            // constructed INTEGER
      {"10 00", 0x10201},                     // primitive SEQUENCE
      {"20 00", 0x10201},                     // constructed tag 0
      {"04 80 AA 00 00", 0x10206},            // primitive, indefinite
      {"A0 80 0F 00 00 00", 0x10201},         // refused nested identifier
      {"A0 80 04 80 00 00 00 00", 0x10206},   // nested primitive indefinite
      {"A0 80 02 01 05 00 01", 0x10205},      // bad nested end-of-contents
      {"00 01", 0x10205},                     // end-of-contents with contents
  };
  for (const auto &c : cases) {
    ErrCtx ctx;
    EXPECT_EQ(decode_any(hex(c.in), ctx), nullptr) << c.in;
    EXPECT_TRUE(ctx.has(c.code)) << c.in;
  }
  // Inputs that end early, including lengths far larger than the input: they
  // fail when the input runs out, without reserving the declared size.
  // An end-of-contents in any other form is refused as well.
  for (const char *in : {"04 05 01 02", "04 84 7F FF FF FF 00", "A0 80 02 01 05", "A0 80 A1 80 04 84 7F FF FF FF",
                         "30 80 02 01", "00 81 00", "00 80"}) {
    ErrCtx ctx;
    int r = 1;
    EXPECT_EQ(decode_any(hex(in), ctx, nullptr, &r), nullptr) << in;
    EXPECT_NE(r, 1) << in;
    EXPECT_GT(ctx.count(), 0u) << in;
  }
  // Contents-only decoding needs an identifier: unsupported.
  ErrCtx ctx;
  Bytes in = hex("01 02");
  KORVU_STREAM *s = korvu_stream_new_romem(in.data(), 2);
  void *v = nullptr;
  EXPECT_NE(korvu_asn1_decode_content(s, KORVU_TYPE_ANY, &v, 1, 2, nullptr, ctx), 1);
  EXPECT_TRUE(ctx.has(0x1026D));
  EXPECT_EQ(v, nullptr);
  korvu_stream_free(s);
}

TEST(Any, NestingDepthLimit) {
  const int limit = korvu_get_recursive_level();
  ASSERT_GT(limit, 1);
  const Bytes inner = hex("02 01 05");
  // The innermost encoding sits at level `limit - 1`: accepted.
  ErrCtx ctx;
  Bytes in = nest_indefinite(limit - 1, inner);
  uint32_t used = 0;
  AnyPtr a(decode_any(in, ctx, &used));
  ASSERT_NE(a.p, nullptr);
  EXPECT_EQ(used, in.size());
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ANY, a.p)), to_hex(in));
  // One more level reaches the limit.
  int r = 0;
  EXPECT_EQ(decode_any(nest_indefinite(limit, inner), ctx, nullptr, &r), nullptr);
  EXPECT_EQ(r, static_cast<int>(KORVU_ERR_DEPTH));
  // Definite nesting is copied without being looked into, however deep.
  Bytes definite = inner;
  for (int i = 0; i < 2 * limit && definite.size() <= 120; i++) definite = der_tlv(0xA0, definite);
  AnyPtr deep(decode_any(nest_indefinite(limit - 1, definite), ctx));
  EXPECT_NE(deep.p, nullptr);
}

TEST(Any, DecodeIntoCallersStream) {
  ErrCtx ctx;
  Bytes in = hex("A1 80 04 01 AA 00 00 FF");
  KORVU_STREAM *src = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
  KORVU_STREAM *content = korvu_stream_new_mem(64, nullptr);
  KORVU_ASN1_ANY *a = nullptr;
  uint32_t used = 0;
  ASSERT_EQ(korvu_asn1_decode_any_ex(src, content, &a, &used, ctx), 1);
  EXPECT_EQ(used, 7u);
  EXPECT_EQ(a->owns_content, 0u);
  uint32_t n = 0;
  const unsigned char *p = korvu_memstream_data(content, &n);
  EXPECT_EQ(to_hex(p, n), "04 01 AA 00 00");
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ANY, a)), "A1 80 04 01 AA 00 00");
  korvu_asn1_value_free(KORVU_TYPE_ANY, a);  // leaves the caller's stream alone
  korvu_stream_free(content);
  korvu_stream_free(src);

  KORVU_STREAM *out = korvu_stream_new_mem(64, nullptr);
  EXPECT_NE(korvu_asn1_decode_any_ex(nullptr, out, &a, &used, ctx), 1);
  EXPECT_TRUE(ctx.has(KORVU_ERR_NULLARG));
  korvu_stream_free(out);
}

TEST(Any, GetContentModes) {
  AnyPtr a(korvu_asn1_any_new(0x80, 1, 2, 5, "\x01\x02\x03\x04\x05", 5));
  ASSERT_NE(a.p, nullptr);
  unsigned char buf[8] = {};
  uint32_t n = 0;
  ErrCtx ctx;
  // Mode 1 starts over, mode 2 continues, nothing at the end.
  for (auto [mode, size, want] :
       {std::tuple{1, 3, "01 02 03"}, {2, 8, "04 05"}, {2, 8, ""}, {1, 2, "01 02"}, {1, 0, ""}}) {
    ASSERT_EQ(korvu_asn1_any_getcontent(a.p, mode, buf, size, &n, ctx), 1) << mode << want;
    EXPECT_EQ(to_hex(buf, n), want);
  }
  EXPECT_EQ(korvu_asn1_any_getcontent(a.p, 3, buf, 8, &n, ctx), static_cast<int>(KORVU_STREAM_ERR_MODE));
  EXPECT_NE(korvu_asn1_any_getcontent(a.p, 1, buf, -1, &n, ctx), 1);
  EXPECT_TRUE(ctx.has(KORVU_ERR_BADARG));
}

TEST(Any, ConstructorRulesAndEncodingChecks) {
  // Refusals: negative count, bytes missing, indefinite without 00 00 or
  // primitive, bad class, a length that can't be written.
  EXPECT_EQ(korvu_asn1_any_new(0x80, 0, 0, 0, "", -1), nullptr);
  EXPECT_EQ(korvu_asn1_any_new(0x80, 0, 0, 2, nullptr, 2), nullptr);
  EXPECT_EQ(korvu_asn1_any_new(0x80, 0, 0, 0xFFFFFFFF, "\x05\x00", 2), nullptr);
  EXPECT_EQ(korvu_asn1_any_new(0x80, 0, 0, 0xFFFFFFFF, "\x00", 1), nullptr);
  EXPECT_EQ(korvu_asn1_any_new(0x80, 1, 0, 0xFFFFFFFF, "\x00\x00", 2), nullptr);
  EXPECT_EQ(korvu_asn1_any_new(0x30, 1, 0, 0, "", 0), nullptr);
  EXPECT_EQ(korvu_asn1_any_new(0x80, 1, 0, 0x80000000u, "", 0), nullptr);

  AnyPtr indef(korvu_asn1_any_new(0x80, 0, 3, 0xFFFFFFFF, "\x02\x01\x05\x00\x00", 5));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ANY, indef.p)), "A3 80 02 01 05 00 00");
  AnyPtr high(korvu_asn1_any_new(0xC0, 1, 31, 1, "\x07", 1));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ANY, high.p)), "DF 1F 01 07");
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_ANY, high.p), 4u);
  AnyPtr eoc(korvu_asn1_any_new(0, 1, 0, 0, nullptr, 0));
  EXPECT_EQ(korvu_asn1_any_iseoc(eoc.p), 1);
  {
    // The content length must match the bytes when written.
    AnyPtr a(korvu_asn1_any_new(0x80, 1, 1, 4, "\x01\x02", 2));
    ASSERT_NE(a.p, nullptr);
    ErrCtx ctx;
    KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
    EXPECT_NE(korvu_asn1_encode(s, KORVU_TYPE_ANY, a.p, nullptr, ctx), 1);
    EXPECT_TRUE(ctx.has(0x10235));
    // Under an implicit tag the asked length must be the stored one.
    ctx.clear();
    EXPECT_NE(korvu_asn1_encode_content(s, KORVU_TYPE_ANY, a.p, 2, nullptr, ctx), 1);
    EXPECT_TRUE(ctx.has(KORVU_ERR_BADARG));
    ctx.clear();
    EXPECT_NE(korvu_asn1_encode_content(s, KORVU_TYPE_ANY, a.p, 4, nullptr, ctx), 1);
    EXPECT_TRUE(ctx.has(KORVU_ERR_COUNT_MISMATCH));
    korvu_stream_free(s);
  }
  EXPECT_EQ(korvu_asn1_any_getcontentlength(nullptr), 0xFFFFFFFEu);
  uint32_t v = 0;
  EXPECT_EQ(korvu_asn1_any_gettagnumber(nullptr, &v), 0);
  EXPECT_EQ(korvu_asn1_any_iseoc(nullptr), 0);
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_ANY, nullptr), 0xFFFFFFFEu);
}

TEST(Any, ConversionsWithTypedValues) {
  // objecttoany: the whole encoding; not for end-of-contents or an unknown type.
  KORVU_ASN1_INTEGER *five = korvu_asn1_integer_value(5);
  AnyPtr a(korvu_asn1_objecttoany(KORVU_TYPE_INTEGER, five));
  ASSERT_NE(a.p, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ANY, a.p)), "02 01 05");
  EXPECT_EQ(korvu_asn1_objecttoany(KORVU_TYPE_END_OF_CONTENTS, five), nullptr);
  EXPECT_EQ(korvu_asn1_objecttoany(KORVU_TYPE_COUNT, five), nullptr);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, five);

  ErrCtx ctx;
  AnyPtr wrapped(korvu_asn1_any_new(0x80, 0, 0, 3, "\x02\x01\x05", 3));
  AnyPtr indef(decode_any(hex("A0 80 30 03 02 01 05 00 00"), ctx));
  AnyPtr trailing(korvu_asn1_any_new(0x80, 0, 0, 5, "\x02\x01\x05\x05\x00", 5));
  AnyPtr implicit(korvu_asn1_any_new(0x80, 1, 1, 1, "\xFF", 1));
  AnyPtr implicit_list(korvu_asn1_any_new(0x80, 0, 2, 0xFFFFFFFF, "\x02\x01\x05\x01\x01\x00\x00\x00", 8));
  AnyPtr longer(korvu_asn1_any_new(0x80, 1, 1, 1, "\xFF\x00", 2));  // contents past the stored length
  // toobject reads the whole encoding, getobject the one inside an explicit
  // wrapper (as often as asked), contenttoobject the contents under an
  // implicit tag: each row gives the value handed out, encoded, or the code
  // the conversion fails with.
  using Conversion = int (*)(const KORVU_ASN1_ANY *, uint32_t, void **, KORVU_ERR_CTX *);
  const Conversion to = korvu_asn1_any_toobject, get = korvu_asn1_any_getobject,
                   content = korvu_asn1_any_contenttoobject;
  const struct {
    Conversion convert;
    const KORVU_ASN1_ANY *from;
    uint32_t type;
    const char *value;
    uint32_t code;
  } rows[] = {
      {to, a.p, KORVU_TYPE_INTEGER, "02 01 05", 0},
      {to, a.p, KORVU_TYPE_BOOLEAN, "", 0x1020E},  // decode boolean fail
      {to, a.p, KORVU_TYPE_COUNT, "", 0x1026B},
      {get, wrapped.p, KORVU_TYPE_INTEGER, "02 01 05", 0},
      {get, wrapped.p, KORVU_TYPE_INTEGER, "02 01 05", 0},
      {get, indef.p, KORVU_TYPE_SEQUENCE_OF_ANY, "30 03 02 01 05", 0},
      {get, trailing.p, KORVU_TYPE_INTEGER, "", 0x1027F},  // octets after the inner encoding
      {get, nullptr, KORVU_TYPE_INTEGER, "", KORVU_ERR_NULLARG},
      {content, implicit.p, KORVU_TYPE_BOOLEAN, "01 01 FF", 0},
      {content, implicit_list.p, KORVU_TYPE_SEQUENCE_OF_ANY, "30 06 02 01 05 01 01 00", 0},
      {content, longer.p, KORVU_TYPE_BOOLEAN, "", 0x1027F},
  };
  int n = 0;
  for (const auto &row : rows) {
    SCOPED_TRACE("row " + std::to_string(n++));
    ErrCtx c;
    void *obj = &c;
    const int r = row.convert(row.from, row.type, &obj, c);
    if (row.code == 0) {
      ASSERT_EQ(r, 1) << ::testing::PrintToString(c.codes());
      EXPECT_EQ(to_hex(encode(row.type, obj)), row.value);
      korvu_asn1_value_free(row.type, obj);
    } else {
      EXPECT_NE(r, 1);
      EXPECT_EQ(obj, nullptr);
      EXPECT_TRUE(c.has(row.code)) << ::testing::PrintToString(c.codes());
    }
  }
}
