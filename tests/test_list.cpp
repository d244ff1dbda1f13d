// Lists: the container, lists of ANY (SEQUENCE OF and SET OF, with and
// without SIZE (1..MAX)), the shared list codec in both forms, and DER
// ordering.
#include <string>
#include <vector>

#include "core/internal.h"
#include "korvu/holder.hpp"
#include "test_util.h"
#include "core/list_codec.h"

using namespace korvu_test;

namespace {

struct ListPtr {
  KORVU_ASN1_LIST *p;
  uint32_t type;
  ListPtr(KORVU_ASN1_LIST *v, uint32_t t) : p(v), type(t) {}
  ~ListPtr() { korvu_asn1_list_free(p, type); }
};

int32_t int_at(const KORVU_ASN1_LIST *l, int32_t i) {
  void *v = nullptr;
  int32_t n = -1;
  if (korvu_asn1_list_get(l, i, &v) == 1) korvu_asn1_integer_getlong(static_cast<KORVU_ASN1_INTEGER *>(v), &n);
  return n;
}

std::vector<std::string> any_hex(const KORVU_ASN1_LIST *l) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < korvu_asn1_list_getsize(l); i++) {
    void *v = nullptr;
    korvu_asn1_list_get(l, i, &v);
    out.push_back(to_hex(encode(KORVU_TYPE_ANY, v)));
  }
  return out;
}

KORVU_ASN1_ANY *any_of(const char *h) {
  Bytes b = hex(h);
  void *v = nullptr;
  EXPECT_NE(korvu_asn1_mem_decode(b.data(), static_cast<int32_t>(b.size()), KORVU_TYPE_ANY, &v), 0xFFFFFFFFu);
  return static_cast<KORVU_ASN1_ANY *>(v);
}

// Element operations for a bare INTEGER-like element kind under [1] IMPLICIT,
// as a structure would supply for an element without a type number.
int op_encode(KORVU_STREAM *s, const void *e, uint32_t *written, KORVU_ERR_CTX *ctx) {
  uint32_t hw = 0, cw = 0;
  auto len = korvu::value_content_length(KORVU_TYPE_INTEGER, e);
  int r = korvu::write_header(s, 0x80, 1, 1, static_cast<uint32_t>(len), &hw, ctx);
  if (r != 1) return r;
  r = korvu_asn1_encode_content(s, KORVU_TYPE_INTEGER, e, static_cast<uint32_t>(len), &cw, ctx);
  *written = hw + cw;
  return r;
}
int op_decode(KORVU_STREAM *s, const korvu::Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
              int depth) {
  if (h.tag_class != 0x80 || h.tag != 1 || !h.primitive) {
    KORVU_ERR(ctx, korvu::kErrIncorrectItem);
    return 0;
  }
  return korvu::type_desc(KORVU_TYPE_INTEGER)->ops->decode_content(s, out, 1, h.length, consumed, ctx, depth);
}
korvu::Len op_length(const void *e) {
  return korvu::tlv_length(1, korvu::value_content_length(KORVU_TYPE_INTEGER, e));
}
void op_free(void *e) { korvu_asn1_value_free(KORVU_TYPE_INTEGER, e); }
const korvu::list::ElemOps kTaggedInt = {&op_encode, &op_decode, &op_length, &op_free};

}  // namespace

TEST(List, GrowDeleteAndBounds) {
  ListPtr l(korvu_asn1_list_new(), KORVU_TYPE_INTEGER);
  ASSERT_NE(l.p, nullptr);
  EXPECT_EQ(l.p->capacity, 32);
  for (int i = 0; i < 100; i++) {
    ASSERT_EQ(korvu_asn1_list_put(l.p, korvu_asn1_integer_value(i)), 1);
    if (i == 31 || i == 32) {
      EXPECT_EQ(l.p->capacity, i == 31 ? 32 : 64);  // doubles when full
    }
  }
  EXPECT_EQ(l.p->capacity, 128);
  EXPECT_EQ(korvu_asn1_list_getsize(l.p), 100);
  EXPECT_EQ(int_at(l.p, 32), 32);
  EXPECT_EQ(int_at(l.p, 99), 99);

  // Out of range, and null arguments.
  void *v = nullptr;
  int row = 0;
  for (int r : {korvu_asn1_list_get(l.p, 100, &v), korvu_asn1_list_get(l.p, -1, &v), korvu_asn1_list_get(l.p, 0, nullptr),
                korvu_asn1_list_get(nullptr, 0, &v), korvu_asn1_list_put(l.p, nullptr), korvu_asn1_list_put(nullptr, &v),
                korvu_asn1_list_getsize(nullptr)})
    EXPECT_EQ(r, 0) << "call " << row++;

  // Deleting hands the element out and closes the gap.
  korvu::Value first(KORVU_TYPE_INTEGER, korvu_asn1_list_delete(l.p, 0));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_INTEGER, first.get())), "02 01 00");
  EXPECT_EQ(korvu_asn1_list_getsize(l.p), 99);
  EXPECT_EQ(int_at(l.p, 0), 1);
  EXPECT_EQ(int_at(l.p, 98), 99);
  void *last = korvu_asn1_list_delete(l.p, 98);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, last);
  EXPECT_EQ(int_at(l.p, 97), 98);
  EXPECT_EQ(korvu_asn1_list_delete(l.p, 98), nullptr);
  EXPECT_EQ(korvu_asn1_list_delete(l.p, -1), nullptr);
  EXPECT_EQ(korvu_asn1_list_delete(nullptr, 0), nullptr);
  korvu_asn1_list_free(nullptr, KORVU_TYPE_INTEGER);
}

TEST(List, DecodeListsOfAny) {
  {
    ErrCtx ctx;
    ListPtr l(static_cast<KORVU_ASN1_LIST *>(decode(KORVU_TYPE_SEQUENCE_OF_ANY, hex("30 00"), ctx)), KORVU_TYPE_ANY);
    ASSERT_NE(l.p, nullptr);
    EXPECT_EQ(korvu_asn1_list_getsize(l.p), 0);
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_SEQUENCE_OF_ANY, l.p)), "30 00");
  }
  for (uint32_t type : {KORVU_TYPE_SEQUENCE_SIZE_OF_ANY, KORVU_TYPE_SET_SIZE_OF_ANY}) {
    ErrCtx ctx;
    EXPECT_EQ(decode(type, type == KORVU_TYPE_SEQUENCE_SIZE_OF_ANY ? hex("30 00") : hex("31 00"), ctx), nullptr);
    EXPECT_TRUE(ctx.has(0x1020C)) << type;
    EXPECT_TRUE(ctx.has(type == KORVU_TYPE_SEQUENCE_SIZE_OF_ANY ? 0x10271 : 0x10273)) << type;
  }
  for (uint32_t type : {KORVU_TYPE_SET_OF_ANY, KORVU_TYPE_SET_SIZE_OF_ANY}) {
    ErrCtx ctx;
    uint32_t used = 0;
    ListPtr l(static_cast<KORVU_ASN1_LIST *>(decode(type, hex("31 80 02 01 05 01 01 FF 00 00"), ctx, &used)),
              KORVU_TYPE_ANY);
    ASSERT_NE(l.p, nullptr);
    EXPECT_EQ(used, 10u);
    EXPECT_EQ(any_hex(l.p), (std::vector<std::string>{"02 01 05", "01 01 FF"}));
    EXPECT_EQ(to_hex(encode(type, l.p)), "31 06 02 01 05 01 01 FF");
  }
  {
    // Elements of any tag and nested indefinite elements.
    ErrCtx ctx;
    Bytes in = hex("30 0C 9F 81 00 01 AA A0 80 04 01 BB 00 00");
    uint32_t used = 0;
    ListPtr l(static_cast<KORVU_ASN1_LIST *>(decode(KORVU_TYPE_SEQUENCE_OF_ANY, in, ctx, &used)), KORVU_TYPE_ANY);
    ASSERT_NE(l.p, nullptr);
    EXPECT_EQ(used, in.size());
    EXPECT_EQ(korvu_asn1_list_getsize(l.p), 2);
    // An indefinite element makes the list indefinite, and it reads back.
    EXPECT_EQ(korvu_asn1_content_length(KORVU_TYPE_SEQUENCE_OF_ANY, l.p), 0xFFFFFFFFu);
    Bytes out = encode(KORVU_TYPE_SEQUENCE_OF_ANY, l.p);
    EXPECT_EQ(to_hex(out), "30 80 9F 81 00 01 AA A0 80 04 01 BB 00 00 00 00");
    ListPtr back(static_cast<KORVU_ASN1_LIST *>(decode(KORVU_TYPE_SEQUENCE_OF_ANY, out, ctx, &used)), KORVU_TYPE_ANY);
    ASSERT_NE(back.p, nullptr);
    EXPECT_EQ(used, out.size());
    EXPECT_EQ(korvu_asn1_list_getsize(back.p), 2);
  }
}

TEST(List, DecodeRefusals) {
  struct Case {
    uint32_t type;
    const char *in;
    uint32_t code;
  } cases[] = {
      {KORVU_TYPE_SEQUENCE_OF_ANY, "30 04 02 01 05 02 01 07", 0x1020B},   // element header runs past the list
      {KORVU_TYPE_SEQUENCE_OF_ANY, "30 04 02 01 05 04 02 AA", 0x1020B},   // element contents run past the list
      {KORVU_TYPE_SEQUENCE_OF_ANY, "30 80 02 01 05 00 01", 0x10205},      // bad end-of-contents
      {KORVU_TYPE_SEQUENCE_OF_ANY, "30 80 02 01 05 00 01", 0x102E9},
      {KORVU_TYPE_SEQUENCE_OF_ANY, "10 00", 0x1026A},                     // primitive
      {KORVU_TYPE_SET_OF_ANY, "30 00", 0x1020A},                     // SEQUENCE given for SET OF
      {KORVU_TYPE_SEQUENCE_OF_ANY, "30 03 0F 01 00", 0x10201},            // element refused by ANY
      {KORVU_TYPE_SEQUENCE_OF_ANY, "30 03 0F 01 00", 0x10271},
      {KORVU_TYPE_SET_OF_ANY, "31 03 0F 01 00", 0x10273},
      // 00 00 only closes indefinite contents: inside a definite list it
      // would end the list early once written back in the indefinite form.
      {KORVU_TYPE_SEQUENCE_OF_ANY, "30 09 A0 80 04 01 BB 00 00 00 00", 0x1020A},
  };
  for (const auto &c : cases) {
    ErrCtx ctx;
    EXPECT_EQ(decode(c.type, hex(c.in), ctx), nullptr) << c.in;
    EXPECT_TRUE(ctx.has(c.code)) << c.in << " " << std::hex << c.code;
  }
  for (const char *in : {"30 80 02 01 05", "30 05 02 01 05", "30 84 7F FF FF FF 02 01 05"}) {
    ErrCtx ctx;
    EXPECT_EQ(decode(KORVU_TYPE_SEQUENCE_OF_ANY, hex(in), ctx), nullptr) << in;
    EXPECT_GT(ctx.count(), 0u) << in;
  }
  // Lists nested past the recursion limit stop with the depth result.
  Bytes deep;
  const int limit = korvu_get_recursive_level();
  for (int i = 0; i <= limit; i++) deep.insert(deep.end(), {0x30, 0x80});
  for (int i = 0; i <= limit; i++) deep.insert(deep.end(), {0x00, 0x00});
  ErrCtx ctx;
  KORVU_STREAM *s = korvu_stream_new_romem(deep.data(), static_cast<uint32_t>(deep.size()));
  void *v = nullptr;
  // Each element is an ANY, so a level is entered per nested indefinite value.
  EXPECT_EQ(korvu_asn1_decode(s, KORVU_TYPE_SEQUENCE_OF_ANY, &v, nullptr, ctx), static_cast<int>(KORVU_ERR_DEPTH));
  EXPECT_EQ(v, nullptr);
  korvu_stream_free(s);
}

TEST(List, CodecByTypeNumberAndByOperations) {
  using namespace korvu::list;
  // By type number: INTEGER elements under their own tag.
  KORVU_ASN1_LIST *ints = korvu_asn1_list_new();
  for (int i : {1, 300, -1}) korvu_asn1_list_put(ints, korvu_asn1_integer_value(i));
  const ElemSpec spec{KORVU_TYPE_INTEGER};
  EXPECT_EQ(content_length(ints, spec), 10u);
  KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
  ErrCtx ctx;
  uint32_t w = 0;
  ASSERT_EQ(encode_content(s, ints, spec, 10, &w, ctx), 1);
  EXPECT_EQ(w, 10u);
  uint32_t n = 0;
  const unsigned char *p = korvu_memstream_data(s, &n);
  EXPECT_EQ(to_hex(p, n), "02 01 01 02 02 01 2C 02 01 FF");
  // A length that doesn't match what is written is refused.
  EXPECT_NE(encode_content(s, ints, spec, 9, &w, ctx), 1);
  EXPECT_TRUE(ctx.has(KORVU_ERR_COUNT_MISMATCH));

  Bytes bytes(p, p + n);
  KORVU_STREAM *in = korvu_stream_new_romem(bytes.data(), n);
  KORVU_ASN1_LIST *back = nullptr;
  uint32_t used = 0;
  ASSERT_EQ(decode_content(in, &back, 0, n, spec, &used, ctx, 0), 1);
  EXPECT_EQ(used, n);
  EXPECT_EQ(int_at(back, 1), 300);
  korvu_asn1_list_free(back, KORVU_TYPE_INTEGER);
  korvu_stream_free(in);
  // A BOOLEAN among INTEGER elements is the wrong item.
  Bytes mixed = hex("02 01 01 01 01 FF");
  in = korvu_stream_new_romem(mixed.data(), 6);
  ctx.clear();
  EXPECT_NE(decode_content(in, &back, 0, 6, spec, &used, ctx, 0), 1);
  EXPECT_EQ(back, nullptr);
  EXPECT_TRUE(ctx.has(0x1020A));
  korvu_stream_free(in);
  korvu_stream_free(s);

  // By type number under an implicit tag: [1] IMPLICIT INTEGER.
  const ElemSpec tagged{KORVU_TYPE_INTEGER, 0x80, 1, KORVU_FORM_PRIMITIVE};
  s = korvu_stream_new_mem(64, nullptr);
  ASSERT_EQ(encode_content(s, ints, tagged, 10, &w, ctx), 1);
  p = korvu_memstream_data(s, &n);
  EXPECT_EQ(to_hex(p, n), "81 01 01 81 02 01 2C 81 01 FF");
  bytes.assign(p, p + n);

  // By operations: the same element kind, written and read back, also in the
  // indefinite form.
  EXPECT_EQ(content_length(ints, kTaggedInt), 10u);
  KORVU_STREAM *s2 = korvu_stream_new_mem(64, nullptr);
  ASSERT_EQ(encode_content(s2, ints, kTaggedInt, 0xFFFFFFFF, &w, ctx), 1);
  EXPECT_EQ(w, 12u);
  p = korvu_memstream_data(s2, &n);
  Bytes indef(p, p + n);
  EXPECT_EQ(to_hex(indef), "81 01 01 81 02 01 2C 81 01 FF 00 00");
  for (const Bytes *b : {&bytes, &indef}) {
    in = korvu_stream_new_romem(b->data(), static_cast<uint32_t>(b->size()));
    const uint32_t len = b == &indef ? 0xFFFFFFFF : static_cast<uint32_t>(b->size());
    ASSERT_EQ(decode_content(in, &back, 0, len, kTaggedInt, &used, ctx, 0, 1), 1);
    EXPECT_EQ(used, b->size());
    EXPECT_EQ(korvu_asn1_list_getsize(back), 3);
    EXPECT_EQ(int_at(back, 2), -1);
    free_with(back, &op_free);
    korvu_stream_free(in);
  }
  // The size bound is checked when asked for.
  Bytes empty;
  in = korvu_stream_new_romem(empty.data(), 0);
  ctx.clear();
  EXPECT_NE(decode_content(in, &back, 0, 0, kTaggedInt, &used, ctx, 0, 1), 1);
  EXPECT_TRUE(ctx.has(0x1020C));
  korvu_stream_free(in);
  korvu_stream_free(s2);
  korvu_stream_free(s);
  korvu_asn1_list_free(ints, KORVU_TYPE_INTEGER);
}

TEST(List, DerOrder) {
  using korvu::list::der_compare;
  auto cmp = [](const char *a, const char *b) {
    Bytes x = hex(a), y = hex(b);
    return der_compare(x.data(), static_cast<uint32_t>(x.size()), y.data(), static_cast<uint32_t>(y.size()));
  };
  EXPECT_LT(cmp("04 00", "04 01 01"), 0);
  EXPECT_GT(cmp("04 01 02", "04 01 01"), 0);
  EXPECT_GT(cmp("80", "7F FF"), 0);         // octets compare unsigned
  EXPECT_EQ(cmp("31 02", "31 02 00 00"), 0);  // zero padding: equal
  EXPECT_LT(cmp("31 02", "31 02 00 01"), 0);
  EXPECT_GT(cmp("31 02 00 01", "31 02"), 0);

  // Sorting a list of ANY by encodings; the elements themselves are kept.
  KORVU_ASN1_LIST *l = korvu_asn1_list_new();
  for (const char *e : {"04 01 02", "04 01 01", "04 00"}) korvu_asn1_list_put(l, any_of(e));
  void *third = nullptr;
  korvu_asn1_list_get(l, 2, &third);
  ErrCtx ctx;
  ASSERT_EQ(korvu::list::der_sort(l, KORVU_TYPE_ANY, ctx), 1);
  EXPECT_EQ(any_hex(l), (std::vector<std::string>{"04 00", "04 01 01", "04 01 02"}));
  void *first = nullptr;
  korvu_asn1_list_get(l, 0, &first);
  EXPECT_EQ(first, third);

  // A larger list ends in non-decreasing order.
  KORVU_ASN1_LIST *ints = korvu_asn1_list_new();
  for (int i = 0; i < 200; i++) korvu_asn1_list_put(ints, korvu_asn1_integer_value((i * 7919) % 1000 - 500));
  ASSERT_EQ(korvu::list::der_sort(ints, KORVU_TYPE_INTEGER, ctx), 1);
  for (int32_t i = 1; i < korvu_asn1_list_getsize(ints); i++) {
    void *a = nullptr, *b = nullptr;
    korvu_asn1_list_get(ints, i - 1, &a);
    korvu_asn1_list_get(ints, i, &b);
    Bytes ea = encode(KORVU_TYPE_INTEGER, a), eb = encode(KORVU_TYPE_INTEGER, b);
    EXPECT_LE(der_compare(ea.data(), static_cast<uint32_t>(ea.size()), eb.data(), static_cast<uint32_t>(eb.size())),
              0);
  }
  korvu_asn1_list_free(ints, KORVU_TYPE_INTEGER);

  // An element that can't be encoded leaves the list as it was.
  korvu_asn1_list_put(l, korvu_asn1_any_new(0x80, 1, 0, 9, "\x01", 1));
  EXPECT_NE(korvu::list::der_sort(l, KORVU_TYPE_ANY, ctx), 1);
  EXPECT_EQ(any_hex(l)[0], "04 00");
  EXPECT_TRUE(ctx.has(0x10235));
  korvu_asn1_list_free(l, KORVU_TYPE_ANY);
}
