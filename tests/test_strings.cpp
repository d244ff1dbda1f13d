// OCTET STRING, BIT STRING, the character string types and bit sets.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "test_util.h"

using namespace korvu_test;

namespace {

constexpr uint32_t kBitString = KORVU_TYPE_BIT_STRING;
constexpr uint32_t kOctetString = KORVU_TYPE_OCTET_STRING;

constexpr uint32_t kBadLength = 0x10203, kMustBeDefinite = 0x10206, kBadUnusedBits = 0x10207,
                   kIncorrectItem = 0x1020A, kDecodeEoc = 0x10205, kDecodeBitString = 0x10214,
                   kDecodeOctetString = 0x10219, kUnsupportEncode = 0x1026C, kUnsupportDecode = 0x1026D,
                   kBytesNotDecoded = 0x1027F;

Bytes octets_of(const KORVU_ASN1_OCTETSTRING *v) {
  uint32_t n = korvu_asn1_octetstring_getlength(v);
  if (n >= 0xFFFFFFFEu) return {};
  Bytes out(n);
  if (korvu_asn1_octetstring_getall(v, out.data()) != 1) ADD_FAILURE() << "getall failed";
  return out;
}

Bytes bits_of(const KORVU_ASN1_BITSTRING *v) {
  uint32_t n = korvu_asn1_bitstring_getlength(v);
  if (n >= 0xFFFFFFFEu) return {};
  Bytes out(n);
  if (korvu_asn1_bitstring_getall(v, out.data()) != 1) ADD_FAILURE() << "getall failed";
  return out;
}

Bytes repeat(const std::string &hex_text, int n) {
  Bytes out, one = hex(hex_text);
  for (int i = 0; i < n; i++) out.insert(out.end(), one.begin(), one.end());
  return out;
}

// A file removed when the test ends.
struct TempFile {
  std::string path;
  explicit TempFile(const char *tag) {
    path = (std::filesystem::temp_directory_path() /
            ("korvu_strings_" + std::to_string(getpid()) + "_" + tag))
               .string();
  }
  ~TempFile() { std::remove(path.c_str()); }
};

// Resident-size figures of this process, in KiB (0 when unavailable).
long status_kib(const std::string &key) {
  std::ifstream f("/proc/self/status");
  std::string line;
  while (std::getline(f, line)) {
    if (line.rfind(key + ":", 0) == 0) return std::stol(line.substr(key.size() + 1));
  }
  return 0;
}

// Resets the peak resident size (VmHWM) to the current one; false where the
// kernel does not allow it.
bool reset_peak_rss() {
  std::ofstream f("/proc/self/clear_refs");
  if (!f) return false;
  f << "5" << std::flush;
  return f.good();
}

}  // namespace

TEST(OctetString, PrimitiveAndConstructedForms) {
  const Bytes abc = hex("41 42 43");
  Val v(kOctetString, korvu_asn1_octetstring_new(abc.data(), 3));
  ASSERT_NE(v.v, nullptr);
  EXPECT_EQ(to_hex(encode(kOctetString, v.v)), "04 03 41 42 43");
  EXPECT_EQ(korvu_asn1_length(kOctetString, v.v), 5u);
  ErrCtx ctx;
  // Indefinite with two segments; definite nested in indefinite; non-minimal lengths.
  for (const char *in : {"24 80 04 02 41 42 04 01 43 00 00", "24 80 24 04 04 02 41 42 04 01 43 00 00",
                         "24 0B 24 81 04 04 02 41 42 04 81 01 43", "04 81 03 41 42 43"}) {
    uint32_t used = 0;
    Bytes enc = hex(in);
    Val d(kOctetString, decode(kOctetString, enc, ctx, &used));
    ASSERT_NE(d.v, nullptr) << in;
    EXPECT_EQ(used, enc.size()) << in;
    EXPECT_EQ(octets_of(d.as<KORVU_ASN1_OCTETSTRING>()), abc) << in;
    EXPECT_EQ(to_hex(encode(kOctetString, d.v)), "04 03 41 42 43") << in;
  }
  EXPECT_EQ(ctx.count(), 0u);

  // Empty value, and a negative count or null bytes are refused.
  Val e(kOctetString, korvu_asn1_octetstring_new(nullptr, 0));
  ASSERT_NE(e.v, nullptr);
  EXPECT_EQ(to_hex(encode(kOctetString, e.v)), "04 00");
  KORVU_DATA_BLOB *blob = korvu_asn1_octetstring_getblob(e.as<KORVU_ASN1_OCTETSTRING>());
  ASSERT_NE(blob, nullptr);
  EXPECT_EQ(blob->length, 0u);
  korvu_data_blob_free(blob);
  EXPECT_EQ(korvu_asn1_octetstring_new(nullptr, 2), nullptr);
  EXPECT_EQ(korvu_asn1_octetstring_new(abc.data(), -1), nullptr);
  EXPECT_EQ(korvu_asn1_octetstring_getlength(nullptr), 0xFFFFFFFEu);
}

// OCTET STRING and BIT STRING contents that fail, with their codes.
TEST(OctetString, MalformedContentsFailWithTheirCodes) {
  const std::tuple<uint32_t, const char *, uint32_t> cases[] = {
      {kOctetString, "24 06 04 02 41 42 04 01 43", kBadLength},       // segments take 7 octets of 6
      {kOctetString, "24 04 04 05 41 42 43 44 45", kBadLength},       // one segment longer than its level
      {kOctetString, "24 05 24 80 04 01 41 00 00", kBadLength},       // inner indefinite level overruns
      {kOctetString, "24 80 13 01 41 00 00", kIncorrectItem},         // segment with another tag
      {kOctetString, "24 80 44 01 41 00 00", kIncorrectItem},         // application class segment
      {kOctetString, "24 03 00 00 04", kIncorrectItem},               // end-of-contents in a definite level
      {kOctetString, "04 80 41 00 00", kMustBeDefinite},              // primitive indefinite
      {kOctetString, "24 80 04 80 41 00 00 00 00", kMustBeDefinite},  // primitive indefinite segment
      {kOctetString, "24 80 04 01 41 00 01", kDecodeEoc},             // end-of-contents with a length octet
      {kOctetString, "24 80 04 05 41 42", KORVU_STREAM_ERR_READ},     // truncated segment
      {kOctetString, "24 80 04 01 41", KORVU_STREAM_ERR_READ},        // no end-of-contents
      {kOctetString, "04 84 7F FF FF FF", KORVU_STREAM_ERR_READ},     // claims 2 GB, has none
      {kOctetString, "24 84 7F FF FF FF 04 84 7F FF FF F9", KORVU_STREAM_ERR_READ},
      // Unused bits: more than 7, in an empty string, or in a segment before the last.
      {kBitString, "03 01 01", kBadUnusedBits},
      {kBitString, "03 02 08 00", kBadUnusedBits},
      {kBitString, "23 80 03 02 01 80 03 02 00 80 00 00", kBadUnusedBits},
      {kBitString, "23 80 23 03 03 01 01 00 00", kBadUnusedBits},
      {kBitString, "03 00", kBadLength},
      {kBitString, "23 80 03 00 00 00", kBadLength},
      {kBitString, "23 80 04 01 00 00 00", kIncorrectItem},
      {kBitString, "23 04 03 02 00", KORVU_STREAM_ERR_READ},
      {kBitString, "03 84 7F FF FF FF 00", KORVU_STREAM_ERR_READ},
  };
  for (const auto &[type, in, code] : cases) {
    ErrCtx ctx;
    EXPECT_EQ(decode(type, hex(in), ctx), nullptr) << in;
    EXPECT_TRUE(ctx.has(code)) << in << " codes " << ::testing::PrintToString(ctx.codes());
    EXPECT_TRUE(ctx.has(type == kOctetString ? kDecodeOctetString : kDecodeBitString)) << in;
  }
}

TEST(OctetString, NestingStopsAtTheRecursionLimit) {
  const int limit = korvu_get_recursive_level();
  ASSERT_GT(limit, 0);
  auto nested = [](int levels) {
    return cat_bytes({repeat("24 80", levels), hex("04 01 41"), repeat("00 00", levels)});
  };
  ErrCtx ctx;
  Val ok(kOctetString, decode(kOctetString, nested(limit), ctx));
  ASSERT_NE(ok.v, nullptr) << "as many constructed levels as the limit decode";
  EXPECT_EQ(octets_of(ok.as<KORVU_ASN1_OCTETSTRING>()), hex("41"));
  // One level more fails; BIT STRING descends the same way.
  const Bytes bits = cat_bytes({repeat("23 80", limit + 1), hex("03 01 00"), repeat("00 00", limit + 1)});
  for (auto [type, in] : {std::pair{kOctetString, nested(limit + 1)}, {kBitString, bits}}) {
    KORVU_STREAM *s = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
    void *v = nullptr;
    EXPECT_EQ(korvu_asn1_decode(s, type, &v, nullptr, ctx), static_cast<int>(KORVU_ERR_DEPTH)) << type;
    EXPECT_EQ(v, nullptr);
    korvu_stream_free(s);
  }
}

TEST(OctetString, GetObjectAndPiecewiseReading) {
  ErrCtx ctx;
  Bytes one = hex("02 01 05");
  KORVU_ASN1_OCTETSTRING *v = korvu_asn1_octetstring_new(one.data(), 3);
  void *obj = nullptr;
  ASSERT_EQ(korvu_asn1_octetstring_getobject(v, KORVU_TYPE_INTEGER, &obj, ctx), 1);
  int32_t n = 0;
  EXPECT_EQ(korvu_asn1_integer_getlong(static_cast<KORVU_ASN1_INTEGER *>(obj), &n), 1);
  EXPECT_EQ(n, 5);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, obj);
  // Getting it twice works: the value's data is not consumed.
  ASSERT_EQ(korvu_asn1_octetstring_getobject(v, KORVU_TYPE_INTEGER, &obj, ctx), 1);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, obj);
  // As the wrong type: the type's decode failure.
  EXPECT_EQ(korvu_asn1_octetstring_getobject(v, KORVU_TYPE_BOOLEAN, &obj, ctx), 0);
  EXPECT_EQ(obj, nullptr);
  EXPECT_TRUE(ctx.has(0x1020E));
  korvu_asn1_value_free(kOctetString, v);

  ctx.clear();
  Bytes extra = hex("02 01 05 00");
  v = korvu_asn1_octetstring_new(extra.data(), 4);
  obj = reinterpret_cast<void *>(1);
  EXPECT_EQ(korvu_asn1_octetstring_getobject(v, KORVU_TYPE_INTEGER, &obj, ctx), 0);
  EXPECT_EQ(obj, nullptr);
  EXPECT_TRUE(ctx.has(kBytesNotDecoded));

  // Piecewise: mode 1 starts over, mode 2 continues, 0 at the end.
  unsigned char buf[3];
  uint32_t got = 0;
  ctx.clear();
  for (auto [mode, size, want] : {std::tuple{1, 3, "02 01 05"}, {2, 3, "00"}, {2, 3, ""}, {1, 2, "02 01"}}) {
    ASSERT_EQ(korvu_asn1_octetstring_get(v, mode, buf, size, &got, ctx), 1) << mode << want;
    EXPECT_EQ(to_hex(buf, got), want);
  }
  EXPECT_EQ(ctx.count(), 0u);
  EXPECT_NE(korvu_asn1_octetstring_get(v, 3, buf, 2, &got, ctx), 1);
  EXPECT_TRUE(ctx.has(KORVU_STREAM_ERR_MODE));
  EXPECT_NE(korvu_asn1_octetstring_get(v, 1, buf, -1, &got, ctx), 1);
  EXPECT_TRUE(ctx.has(KORVU_ERR_BADARG));
  // Reading pieces does not disturb encoding or a copy.
  EXPECT_EQ(to_hex(encode(kOctetString, v)), "04 04 02 01 05 00");
  Val copy(kOctetString, korvu_asn1_dupobject(kOctetString, v, ctx));
  ASSERT_NE(copy.v, nullptr);
  EXPECT_EQ(octets_of(copy.as<KORVU_ASN1_OCTETSTRING>()), extra);
  korvu_asn1_value_free(kOctetString, v);
}

TEST(OctetString, DecodeIntoCallersStream) {
  ErrCtx ctx;
  Bytes in = hex("24 80 04 02 41 42 04 01 43 00 00 FF");
  KORVU_STREAM *src = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
  KORVU_STREAM *out = korvu_stream_new_mem(64, ctx);
  KORVU_ASN1_OCTETSTRING *v = nullptr;
  uint32_t used = 0;
  ASSERT_EQ(korvu_asn1_decode_octetstring_ex(src, out, &v, &used, ctx), 1);
  EXPECT_EQ(used, 11u);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->stream, out);
  EXPECT_EQ(v->owns_stream, 0u);
  EXPECT_EQ(octets_of(v), hex("41 42 43"));
  korvu_asn1_value_free(kOctetString, v);  // leaves the caller's stream alone
  uint32_t held = 0;
  ASSERT_NE(korvu_memstream_data(out, &held), nullptr);
  EXPECT_EQ(held, 3u);

  // Contents only, as under an implicit tag.
  Bytes contents = hex("41 42");
  KORVU_STREAM *c = korvu_stream_new_romem(contents.data(), 2);
  ASSERT_EQ(korvu_asn1_decode_octetstring_content_ex(c, out, nullptr, 1, 2, &used, ctx), 1);
  EXPECT_EQ(used, 2u);
  korvu_memstream_data(out, &held);
  EXPECT_EQ(held, 5u);
  korvu_stream_free(c);

  // End-of-contents where a string was expected.
  Bytes eoc = hex("00 00");
  KORVU_STREAM *e = korvu_stream_new_romem(eoc.data(), 2);
  EXPECT_NE(korvu_asn1_decode_octetstring_ex(e, out, &v, &used, ctx), 1);
  EXPECT_EQ(v, nullptr);
  EXPECT_TRUE(ctx.has(kDecodeOctetString));
  korvu_stream_free(e);
  korvu_stream_free(out);
  korvu_stream_free(src);
}

TEST(CharacterStrings, TagsFormsAndSharedContents) {
  struct Row {
    uint32_t type, tag;
  };
  const Row rows[] = {{KORVU_TYPE_UTF8STRING, 12},     {KORVU_TYPE_NUMERICSTRING, 18},
                      {KORVU_TYPE_PRINTABLESTRING, 19}, {KORVU_TYPE_TELETEXSTRING, 20},
                      {KORVU_TYPE_VIDEOTEXSTRING, 21},  {KORVU_TYPE_IA5STRING, 22},
                      {KORVU_TYPE_GRAPHICSTRING, 25},   {KORVU_TYPE_VISIBLESTRING, 26},
                      {KORVU_TYPE_GENERALSTRING, 27},   {KORVU_TYPE_UNIVERSALSTRING, 28},
                      {KORVU_TYPE_BMPSTRING, 30}};
  const Bytes a_b = hex("61 5F 62");  // '_' is outside PrintableString: bytes are kept as given
  for (const Row &r : rows) {
    Val s(r.type, korvu_asn1_string_new(a_b.data(), 3));
    const Bytes enc = encode(r.type, s.v);
    EXPECT_EQ(enc, cat_bytes({Bytes{static_cast<unsigned char>(r.tag), 3}, a_b})) << r.type;
    ErrCtx ctx;
    Val d(r.type, decode(r.type, enc, ctx));
    ASSERT_NE(d.v, nullptr) << r.type;
    Bytes back(korvu_asn1_string_getlength(d.as<KORVU_ASN1_STRING>()));
    ASSERT_EQ(korvu_asn1_string_get(d.as<KORVU_ASN1_STRING>(), back.data()), 1);
    EXPECT_EQ(back, a_b);
  }

  ErrCtx ctx;
  EXPECT_EQ(decode(KORVU_TYPE_IA5STRING, hex("0C 03 41 42 43"), ctx), nullptr);
  EXPECT_TRUE(ctx.has(kIncorrectItem));
  EXPECT_TRUE(ctx.has(0x10226));  // decode ia5string fail

  // Constructed strings take OCTET STRING segments only.
  ctx.clear();
  Val v(KORVU_TYPE_PRINTABLESTRING, decode(KORVU_TYPE_PRINTABLESTRING, hex("33 80 04 01 41 04 01 42 00 00"), ctx));
  ASSERT_NE(v.v, nullptr);
  EXPECT_EQ(octets_of(v.as<KORVU_ASN1_STRING>()), hex("41 42"));
  EXPECT_EQ(decode(KORVU_TYPE_PRINTABLESTRING, hex("33 06 13 01 41 13 01 42"), ctx), nullptr);
  EXPECT_TRUE(ctx.has(kIncorrectItem));
}

TEST(CharacterStrings, AbstractStringOnlyUnderImplicitTags) {
  ErrCtx ctx;
  Bytes hi = hex("48 49");
  KORVU_ASN1_STRING *s = korvu_asn1_string_new(hi.data(), 2);
  KORVU_STREAM *out = korvu_stream_new_mem(64, ctx);
  EXPECT_EQ(korvu_asn1_encode(out, KORVU_TYPE_STRING, s, nullptr, ctx), 0);
  EXPECT_TRUE(ctx.has(kUnsupportEncode));
  EXPECT_EQ(decode(KORVU_TYPE_STRING, hex("04 02 48 49"), ctx), nullptr);
  EXPECT_TRUE(ctx.has(kUnsupportDecode));

  // Its contents operations work under a tag the caller writes: [1] IMPLICIT.
  ctx.clear();
  uint32_t w = 0;
  ASSERT_EQ(korvu_asn1_encode_identifier(out, KORVU_CLASS_CONTEXT, 1, 1, nullptr, ctx), 1);
  ASSERT_EQ(korvu_asn1_encode_length(out, korvu_asn1_content_length(KORVU_TYPE_STRING, s), nullptr, ctx), 1);
  ASSERT_EQ(korvu_asn1_encode_content(out, KORVU_TYPE_STRING, s, 2, &w, ctx), 1);
  EXPECT_EQ(w, 2u);
  uint32_t n = 0;
  const unsigned char *p = korvu_memstream_data(out, &n);
  EXPECT_EQ(to_hex(p, n), "81 02 48 49");

  Bytes contents(p + 2, p + n);
  KORVU_STREAM *in = korvu_stream_new_romem(contents.data(), 2);
  void *d = nullptr;
  ASSERT_EQ(korvu_asn1_decode_content(in, KORVU_TYPE_STRING, &d, 1, 2, &w, ctx), 1);
  EXPECT_EQ(octets_of(static_cast<KORVU_ASN1_STRING *>(d)), hi);
  korvu_asn1_value_free(KORVU_TYPE_STRING, d);
  korvu_stream_free(in);
  korvu_stream_free(out);
  korvu_asn1_value_free(KORVU_TYPE_STRING, s);
}

TEST(BitString, ConstructorsAndNamedBits) {
  const int32_t p09[] = {0, 9};
  Val b(kBitString, korvu_asn1_bitstring_newbits(p09, 2));
  ASSERT_NE(b.v, nullptr);
  auto *bits = b.as<KORVU_ASN1_BITSTRING>();
  EXPECT_EQ(to_hex(encode(kBitString, bits)), "03 03 06 80 40");
  for (auto [bit, want] : {std::pair{0, 1}, {9, 1}, {8, 0}, {10, 0}, {-1, 0}})  // 10: past the last bit
    EXPECT_EQ(korvu_asn1_bitstring_getbit(bits, bit), want) << bit;
  uint32_t unused = 0;
  EXPECT_EQ(korvu_asn1_bitstring_getunusedbits(bits, &unused), 1);
  EXPECT_EQ(unused, 6u);

  // Through a bit set and back.
  KORVU_BITSET *set = korvu_asn1_bitstring_getbitset(bits);
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(korvu_bitset_size(set), 10u);
  EXPECT_EQ(korvu_bitset_count(set), 2u);
  EXPECT_EQ(korvu_bitset_set(set, 12, 1), 1);  // grows to end at bit 12
  EXPECT_EQ(korvu_bitset_size(set), 13u);
  Val b2(kBitString, korvu_asn1_bitstring_newbitset(set));
  EXPECT_EQ(to_hex(encode(kBitString, b2.v)), "03 03 03 80 48");
  korvu_bitset_free(set);

  const int32_t p0[] = {0};
  Val one(kBitString, korvu_asn1_bitstring_newbits(p0, 1));
  EXPECT_EQ(to_hex(encode(kBitString, one.v)), "03 02 07 80");
  Val none(kBitString, korvu_asn1_bitstring_newbits(nullptr, 3));
  EXPECT_EQ(to_hex(encode(kBitString, none.v)), "03 01 00");
  set = korvu_asn1_bitstring_getbitset(none.as<KORVU_ASN1_BITSTRING>());
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(korvu_bitset_size(set), 0u);
  korvu_bitset_free(set);
  const int32_t neg[] = {3, -1};
  EXPECT_EQ(korvu_asn1_bitstring_newbits(neg, 2), nullptr);
  EXPECT_EQ(korvu_asn1_bitstring_newbits(p0, -1), nullptr);

  // The unused low bits are cleared in the copy.
  const unsigned char ff = 0xFF;
  Val four(kBitString, korvu_asn1_bitstring_new(4, &ff, 1));
  EXPECT_EQ(to_hex(encode(kBitString, four.v)), "03 02 04 F0");
  EXPECT_EQ(korvu_asn1_bitstring_new(8, &ff, 1), nullptr);
  EXPECT_EQ(korvu_asn1_bitstring_new(1, &ff, 0), nullptr);
  EXPECT_EQ(korvu_asn1_bitstring_new(0, nullptr, 1), nullptr);
  EXPECT_EQ(korvu_asn1_bitstring_new(0, &ff, -1), nullptr);

  // Bit sets refuse what a BIT STRING can't hold.
  EXPECT_EQ(korvu_bitset_new(8, &ff, 1), nullptr);
  EXPECT_EQ(korvu_bitset_new(1, nullptr, 0), nullptr);
  set = korvu_bitset_new(3, &ff, 1);
  EXPECT_EQ(korvu_bitset_test(set, 4), 1);
  EXPECT_EQ(korvu_bitset_test(set, 5), 0);  // an unused bit reads as absent
  EXPECT_EQ(korvu_bitset_set(set, 2, 0), 1);
  EXPECT_EQ(korvu_bitset_count(set), 4u);
  korvu_bitset_free(set);
}

TEST(BitString, DecodingChecksUnusedBits) {
  ErrCtx ctx;
  Val empty(kBitString, decode(kBitString, hex("03 01 00"), ctx));
  ASSERT_NE(empty.v, nullptr);
  EXPECT_EQ(korvu_asn1_bitstring_getlength(empty.as<KORVU_ASN1_BITSTRING>()), 0u);

  // Segments: only the last may have unused bits, and the value takes its count.
  Val seg(kBitString, decode(kBitString, hex("23 80 03 02 00 80 03 02 03 F8 00 00"), ctx));
  ASSERT_NE(seg.v, nullptr);
  EXPECT_EQ(bits_of(seg.as<KORVU_ASN1_BITSTRING>()), hex("80 F8"));
  uint32_t unused = 9;
  korvu_asn1_bitstring_getunusedbits(seg.as<KORVU_ASN1_BITSTRING>(), &unused);
  EXPECT_EQ(unused, 3u);
  EXPECT_EQ(to_hex(encode(kBitString, seg.v)), "03 03 03 80 F8");
  EXPECT_EQ(ctx.count(), 0u);
  // A key inside a BIT STRING.
  ctx.clear();
  const unsigned char key[] = {0x02, 0x01, 0x07};
  Val keybits(kBitString, korvu_asn1_bitstring_new(0, key, 3));
  void *obj = nullptr;
  ASSERT_EQ(korvu_asn1_bitstring_getobject(keybits.as<KORVU_ASN1_BITSTRING>(), KORVU_TYPE_INTEGER, &obj, ctx), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_INTEGER, obj)), "02 01 07");
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, obj);
  // Decoding into the caller's stream keeps the unused-bit count.
  Bytes in = hex("03 03 06 80 40");
  KORVU_STREAM *src = korvu_stream_new_romem(in.data(), 5);
  KORVU_STREAM *out = korvu_stream_new_mem(64, ctx);
  KORVU_ASN1_BITSTRING *b = nullptr;
  ASSERT_EQ(korvu_asn1_decode_bitstring_ex(src, out, &b, nullptr, ctx), 1);
  EXPECT_EQ(b->unused_bits, 6u);
  EXPECT_EQ(b->stream, out);
  EXPECT_EQ(korvu_asn1_bitstring_getbit(b, 9), 1);
  korvu_asn1_value_free(kBitString, b);
  korvu_stream_free(out);
  korvu_stream_free(src);
}

// A 6 MiB value: primitive from memory; from a file, constructed indefinite in
// 8192-octet segments, written from the file to a file without holding it.
TEST(LargeValues, FileStreamsAreWrittenInSegments) {
  constexpr uint32_t kSize = 6u << 20;
  TempFile data_file("data"), enc_file("enc"), back_file("back");
  Bytes data(kSize);
  for (uint32_t i = 0; i < kSize; i++) data[i] = static_cast<unsigned char>(i * 7 + (i >> 13));
  {
    std::ofstream f(data_file.path, std::ios::binary);
    f.write(reinterpret_cast<const char *>(data.data()), kSize);
  }
  ErrCtx ctx;

  // From memory: primitive.
  KORVU_ASN1_OCTETSTRING *mem = korvu_asn1_octetstring_new(data.data(), kSize);
  ASSERT_NE(mem, nullptr);
  EXPECT_EQ(korvu_asn1_octetstring_getlength(mem), kSize);
  Bytes prim = encode(kOctetString, mem);
  ASSERT_EQ(prim.size(), kSize + 5);
  EXPECT_EQ(to_hex(prim.data(), 5), "04 83 60 00 00");
  korvu_asn1_value_free(kOctetString, mem);

  // From a file: 24 80, 768 segments 04 82 20 00 + 8192 octets, 00 00.
  KORVU_STREAM *in = korvu_stream_new_file(data_file.path.c_str(), "rb");
  ASSERT_NE(in, nullptr);
  KORVU_ASN1_OCTETSTRING *big = korvu_asn1_octetstring_newstream(in);
  EXPECT_EQ(korvu_asn1_octetstring_getlength(big), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_asn1_content_length(kOctetString, big), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_asn1_octetstring_getblob(big), nullptr);

  KORVU_STREAM *out = korvu_stream_new_file(enc_file.path.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  const long rss_before = status_kib("VmRSS");
  const bool peak_known = reset_peak_rss() && rss_before > 0;
  uint32_t written = 0;
  ASSERT_EQ(korvu_asn1_encode(out, kOctetString, big, &written, ctx), 1);
  const long peak = status_kib("VmHWM");
  korvu_stream_free(out);
  constexpr uint32_t kSegments = kSize / 8192;
  ASSERT_EQ(kSegments, 768u);
  EXPECT_EQ(written, 2 + kSegments * (4 + 8192) + 2);
  if (peak_known) {
    // The peak resident size while writing stays far below the value's size.
    EXPECT_LT(peak - rss_before, 2048) << "KiB of peak growth";
  }

  Bytes enc = read_file(enc_file.path);
  ASSERT_EQ(enc.size(), written);
  EXPECT_EQ(to_hex(enc.data(), 6), "24 80 04 82 20 00");
  EXPECT_EQ(to_hex(enc.data() + 2 + 4 + 8192, 4), "04 82 20 00");
  EXPECT_EQ(to_hex(enc.data() + enc.size() - 2, 2), "00 00");
  Bytes prefix(enc.begin() + 6, enc.begin() + 6 + 16);
  EXPECT_EQ(prefix, Bytes(data.begin(), data.begin() + 16));
  korvu_asn1_value_free(kOctetString, big);
  korvu_stream_free(in);

  // Read back from the file into a file.
  KORVU_STREAM *src = korvu_stream_new_file(enc_file.path.c_str(), "rb");
  KORVU_STREAM *dst = korvu_stream_new_file(back_file.path.c_str(), "wb");
  uint32_t used = 0;
  ASSERT_EQ(korvu_asn1_decode_octetstring_ex(src, dst, nullptr, &used, ctx), 1);
  EXPECT_EQ(used, written);
  korvu_stream_free(dst);
  korvu_stream_free(src);
  EXPECT_TRUE(read_file(back_file.path) == data);

  // And the generic decoder from memory agrees.
  auto *v = static_cast<KORVU_ASN1_OCTETSTRING *>(decode(kOctetString, enc, ctx));
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(korvu_asn1_octetstring_getlength(v), kSize);
  EXPECT_TRUE(octets_of(v) == data);
  korvu_asn1_value_free(kOctetString, v);
  EXPECT_EQ(ctx.count(), 0u);
}

// A file value below the large-value size is written primitive from the file.
TEST(LargeValues, SmallFileIsPrimitive) {
  TempFile f("small");
  {
    std::ofstream o(f.path, std::ios::binary);
    o << "hello";
  }
  KORVU_STREAM *in = korvu_stream_new_file(f.path.c_str(), "rb");
  ASSERT_NE(in, nullptr);
  KORVU_ASN1_OCTETSTRING *v = korvu_asn1_octetstring_newstream(in);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_IA5STRING, v)), "16 05 68 65 6C 6C 6F");
  EXPECT_EQ(to_hex(encode(kOctetString, v)), "04 05 68 65 6C 6C 6F");
  KORVU_DATA_BLOB *blob = korvu_asn1_octetstring_getblob(v);
  ASSERT_NE(blob, nullptr);
  EXPECT_EQ(to_hex(blob->data, blob->length), "68 65 6C 6C 6F");
  korvu_data_blob_free(blob);
  korvu_asn1_value_free(kOctetString, v);  // does not own the file stream
  korvu_stream_free(in);
}
