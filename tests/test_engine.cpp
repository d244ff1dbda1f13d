// The structure engine over small synthetic tables, one group per feature:
// tag classes, nested indefinite EXPLICIT wrappers, untagged CHOICE
// components, runs of OPTIONAL and DEFAULT components, inline lists, every
// DEFAULT rule, kept encodings of each shape, offsets, SIZE and tagged
// aliases. Each asserts the octets written and a decode back.
#include "core/struct.h"
#include "test_util.h"

using namespace korvu_test;
namespace st = korvu::st;
using st::DefaultRule;
using st::field;

namespace {

// A generic record: component pointers, present flags, recorded offsets and
// two kept encodings.
struct Rec {
  void *c[6];
  uint32_t flags[6];
  uint32_t offs[6];
  st::Kept whole;
  st::Kept inner;
  unsigned char uuid[16];
  uint32_t refuse;
};
constexpr uint16_t C(int i) { return static_cast<uint16_t>(offsetof(Rec, c) + i * sizeof(void *)); }
constexpr uint16_t F(int i) { return static_cast<uint16_t>(offsetof(Rec, flags) + i * sizeof(uint32_t)); }
constexpr uint16_t O(int i) { return static_cast<uint16_t>(offsetof(Rec, offs) + i * sizeof(uint32_t)); }
constexpr uint32_t kRow = KORVU_TYPE_VALIDITY;  // a universal SEQUENCE row for the test tables

template <size_t N>
constexpr st::StructDef table(const st::Field (&f)[N]) {
  return st::sequence(kRow, f, sizeof(Rec));
}

// Encodes a record of table d (SEQUENCE header, or its kept encoding).
Bytes enc(const st::StructDef &d, const void *rec, KORVU_ERR_CTX *ctx = nullptr) {
  KORVU_STREAM *m = korvu_stream_new_mem(64, nullptr);
  int r;
  if (d.kept != st::kNone) {
    r = st::kept_encode(d, m, rec, nullptr, ctx);
  } else {
    korvu::Len l = st::content_length(d, rec);
    r = l <= korvu::kLenIndef ? korvu::write_header(m, 0, 0, 16, static_cast<uint32_t>(l), nullptr, ctx) : 0;
    if (r == 1) r = st::encode_content(d, m, rec, static_cast<uint32_t>(l), nullptr, ctx);
  }
  Bytes out;
  uint32_t n = 0;
  const unsigned char *p = korvu_memstream_data(m, &n);
  if (r == 1) out.assign(p, p + n);
  korvu_stream_free(m);
  return out;
}

// Decodes the whole of `in` as a record of table d; null on failure.
Rec *dec(const st::StructDef &d, const Bytes &in, KORVU_ERR_CTX *ctx) {
  korvu::MemView view(in.data(), in.size());
  korvu::Header h;
  void *out = nullptr;
  uint32_t n = 0;
  int r = korvu::read_header(view.get(), h, ctx);
  if (r == 1 && d.kept != st::kNone)
    r = st::kept_decode(d, view.get(), h, &out, &n, ctx, 0);
  else if (r == 1)
    r = h.tag == 16 ? st::decode_content(d, view.get(), &out, h.primitive, h.length, &n, ctx, 0) : 0;
  if (r == 1) {
    EXPECT_EQ(h.size + n, in.size()) << "all octets read";
  }
  if (r != 1) {
    EXPECT_EQ(out, nullptr);
    return nullptr;
  }
  return static_cast<Rec *>(out);
}

// Decodes, checks the value written back, frees. `back` empty: must fail.
void round_trip(const st::StructDef &d, const std::string &in, const std::string &back) {
  ErrCtx ctx;
  Rec *r = dec(d, hex(in), ctx);
  if (back.empty()) {
    EXPECT_EQ(r, nullptr) << in;
    EXPECT_GT(ctx.count(), 0u) << "a failure is recorded: " << in;
    return;
  }
  ASSERT_NE(r, nullptr) << in << " codes: " << ::testing::PrintToString(ctx.codes());
  EXPECT_EQ(to_hex(enc(d, r)), to_hex(hex(back))) << in;
  st::free_record(d, r);
}
// Written back exactly as read.
void same(const st::StructDef &d, const std::string &in) { round_trip(d, in, in); }
// Each of `ins` fails to decode.
void refused(const st::StructDef &d, std::initializer_list<std::string> ins) {
  for (const std::string &in : ins) round_trip(d, in, "");
}

// "30 <length> <body>" for a short body.
std::string seq(const std::string &body) { return to_hex(der_tlv(0x30, hex(body))); }

int32_t int_of(const void *v) {
  int32_t n = -999;
  korvu_asn1_integer_getlong(static_cast<const KORVU_ASN1_INTEGER *>(v), &n);
  return n;
}

// ---- tables --------------------------------------------------------------

// SEQUENCE { a [0] IMPLICIT INTEGER OPTIONAL, b [APPLICATION 1] EXPLICIT INTEGER OPTIONAL,
//            c [PRIVATE 2] IMPLICIT OCTET STRING OPTIONAL, d [3] IMPLICIT AlgorithmIdentifier OPTIONAL,
//            e [UNIVERSAL 30] IMPLICIT INTEGER OPTIONAL }
constexpr st::Field kClassFields[] = {
    field(KORVU_TYPE_INTEGER, C(0)).implicit(0).optional(),
    field(KORVU_TYPE_INTEGER, C(1)).explicit_(1, 0x40).optional(),
    field(KORVU_TYPE_OCTET_STRING, C(2)).implicit(2, 0xC0).optional(),
    field(KORVU_TYPE_ALGORITHMIDENTIFIER, C(3)).implicit(3).optional(),
    field(KORVU_TYPE_INTEGER, C(4)).implicit(30, 0x00).optional(),
};
constexpr st::StructDef kClasses = table(kClassFields);

// SEQUENCE { a [0] EXPLICIT INTEGER, b [1] EXPLICIT ANY OPTIONAL }
constexpr st::Field kWrapFields[] = {
    field(KORVU_TYPE_INTEGER, C(0)).explicit_(0),
    field(KORVU_TYPE_ANY, C(1)).explicit_(1).optional(),
};
constexpr st::StructDef kWrap = table(kWrapFields);

// SEQUENCE { n [0] IMPLICIT INTEGER OPTIONAL, name GeneralName, when Time OPTIONAL, last INTEGER }
constexpr st::Field kChoiceFields[] = {
    field(KORVU_TYPE_INTEGER, C(0)).implicit(0).optional(),
    field(KORVU_TYPE_GENERALNAME, C(1)),
    field(KORVU_TYPE_TIME, C(2)).optional(),
    field(KORVU_TYPE_INTEGER, C(3)),
};
constexpr st::StructDef kChoices = table(kChoiceFields);

constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};
constexpr unsigned char kTrue[] = {0x01, 0x01, 0xFF};
constexpr unsigned char kThree[] = {0x02, 0x01, 0x03};
// SEQUENCE { a INTEGER OPTIONAL, b BOOLEAN DEFAULT FALSE, c [0] IMPLICIT INTEGER DEFAULT 3,
//            d [1] EXPLICIT BOOLEAN DEFAULT TRUE, e OCTET STRING OPTIONAL }
constexpr st::Field kRunFields[] = {
    field(KORVU_TYPE_INTEGER, C(0)).optional(F(0)),
    field(KORVU_TYPE_BOOLEAN, C(1)).defaults(kFalse, DefaultRule::Boolean),
    field(KORVU_TYPE_INTEGER, C(2)).implicit(0).defaults(kThree, DefaultRule::IntegerValue),
    field(KORVU_TYPE_BOOLEAN, C(3)).explicit_(1).defaults(kTrue, DefaultRule::Boolean),
    field(KORVU_TYPE_OCTET_STRING, C(4)).optional(F(4)),
};
constexpr st::StructDef kRuns = table(kRunFields);

// SEQUENCE { a SEQUENCE OF INTEGER, b SET OF INTEGER, c [2] IMPLICIT SET OF INTEGER OPTIONAL,
//            d [3] EXPLICIT SEQUENCE OF INTEGER OPTIONAL }
constexpr st::Field kListFields[] = {
    field(KORVU_TYPE_INTEGER, C(0)).sequence_of(),
    field(KORVU_TYPE_INTEGER, C(1)).set_of(),
    field(KORVU_TYPE_INTEGER, C(2)).set_of().implicit(2).optional(),
    field(KORVU_TYPE_INTEGER, C(3)).sequence_of().explicit_(3).optional(),
};
constexpr st::StructDef kLists = table(kListFields);

}  // namespace

TEST(Engine, TagClassesImplicitAndExplicit) {
  // Every class, implicit and explicit, primitive and constructed contents.
  // The record is written from its components, so equal octets mean every
  // component was read.
  same(kClasses, "30 00");
  same(kClasses, "30 06 80 01 05 1E 01 07");
  same(kClasses, seq("80 01 05 61 03 02 01 06 C2 02 AA BB A3 05 06 03 2A 03 04 1E 01 07"));
  // [PRIVATE 30] is no component; same numbers, other classes; a constructed
  // encoding of an implicit INTEGER; an explicit wrapper in primitive form; a
  // wrong type inside the wrapper; a wrapper longer than its value.
  refused(kClasses, {"30 05 80 01 05 DE 00", "30 03 A0 01 05", "30 03 C0 01 05", "30 05 41 03 02 01 06",
                     "30 05 A1 03 02 01 06", "30 05 61 03 04 01 06", "30 06 61 04 02 01 06 00"});
  // BER forms inside: constructed OCTET STRING under an implicit tag.
  round_trip(kClasses, "30 08 E2 06 04 01 AA 04 01 BB", "30 04 C2 02 AA BB");
}

TEST(Engine, NestedIndefiniteExplicitWrappers) {
  round_trip(kWrap, "30 80 A0 80 02 01 05 00 00 00 00", "30 05 A0 03 02 01 05");
  round_trip(kWrap, "30 80 A0 03 02 01 05 00 00", "30 05 A0 03 02 01 05");
  // The wrapper's end-of-contents is missing: the outer one must not stand in for it.
  round_trip(kWrap, "30 07 A0 80 02 01 05 00 00", "30 05 A0 03 02 01 05");
  refused(kWrap, {"30 80 A0 80 02 01 05 00 00", "30 05 A0 80 02 01 05", "30 80 A0 80 02 01 05 00 01 00 00"});
  // An indefinite member makes every enclosing level indefinite, so a BER
  // value always re-encodes.
  same(kWrap, "30 80 A0 03 02 01 05 A1 80 30 80 02 01 01 00 00 00 00 00 00");
  same(kWrap, "30 0C A0 03 02 01 05 A1 05 30 03 02 01 01");
}

TEST(Engine, UntaggedChoiceComponents) {
  const std::string dns = "82 03 61 62 63";
  const std::string utc = "17 0D 32 36 31 32 30 36 31 32 30 30 30 30 5A";
  // Each alternative found by its own tag, with and without the optional
  // components around it.
  for (const std::string &in : std::vector<std::string>{
           seq(dns + " 02 01 07"), seq("80 01 01 " + dns + " 02 01 07"), seq(dns + " " + utc + " 02 01 07"),
           seq("A4 0C 30 0A 31 08 30 06 06 01 2A 13 01 41 02 01 07")})
    same(kChoices, in);
  ErrCtx ctx;
  Rec *r = dec(kChoices, hex(seq(dns + " " + utc + " 02 01 07")), ctx);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(st::choice_of(r->c[1]), 2u);
  EXPECT_NE(r->c[2], nullptr);
  EXPECT_EQ(int_of(r->c[3]), 7);
  st::free_record(kChoices, r);
  // A tag that is no alternative, and a Time where the name must be.
  refused(kChoices, {seq("89 03 61 62 63 02 01 07"), seq(utc + " 02 01 07")});
}

TEST(Engine, RunsOfOptionalAndDefaultComponents) {
  // Every subset of the five components, written with the values that are
  // not their defaults: each decodes to exactly what was written and
  // encodes back to the same octets.
  const std::vector<std::string> parts = {"02 01 09", "01 01 FF", "80 01 04", "A1 03 01 01 00", "04 01 AA"};
  for (int mask = 0; mask < 32; mask++) {
    Bytes body;
    for (int i = 0; i < 5; i++)
      if (mask & (1 << i)) {
        Bytes p = hex(parts[i]);
        body.insert(body.end(), p.begin(), p.end());
      }
    const Bytes in = der_tlv(0x30, body);
    ErrCtx ctx;
    Rec *r = dec(kRuns, in, ctx);
    ASSERT_NE(r, nullptr) << to_hex(in);
    EXPECT_EQ(r->flags[0], (mask & 1) ? 1u : 0u);
    EXPECT_EQ(r->flags[4], (mask & 16) ? 1u : 0u);
    EXPECT_EQ(korvu_asn1_boolean_istrue(static_cast<KORVU_ASN1_BOOLEAN *>(r->c[1])), (mask & 2) ? 1 : 0);
    EXPECT_EQ(int_of(r->c[2]), (mask & 4) ? 4 : 3);  // an absent DEFAULT reads as its default
    EXPECT_EQ(korvu_asn1_boolean_istrue(static_cast<KORVU_ASN1_BOOLEAN *>(r->c[3])), (mask & 8) ? 0 : 1);
    EXPECT_EQ(enc(kRuns, r), in) << to_hex(in);
    st::free_record(kRuns, r);
  }
  // Components equal to their defaults are read, then left out in DER
  // (a non-minimal INTEGER 3 included).
  round_trip(kRuns, "30 0E 01 01 00 80 02 00 03 A1 03 01 01 FF 04 00", "30 02 04 00");
  // Out of order, and a component twice.
  refused(kRuns, {"30 06 04 01 AA 02 01 09", "30 06 80 01 04 80 01 04"});
}

TEST(Engine, InlineSequenceOfAndSetOf) {
  const std::string in = seq("30 03 02 01 01 31 03 02 01 02 A2 03 02 01 03 A3 05 30 03 02 01 04");
  same(kLists, in);
  same(kLists, "30 04 30 00 31 00");
  // SEQUENCE OF and SET OF are told apart by their tags.
  refused(kLists, {"30 04 31 00 30 00", "30 08 30 00 31 00 A3 02 31 00"});
  // Stored order is written: SET OF is sorted only on request.
  same(kLists, "30 0A 30 00 31 06 02 01 09 02 01 01");
}

namespace {
constexpr unsigned char kZero[] = {0x02, 0x01, 0x00};
constexpr unsigned char kEnumOne[] = {0x0A, 0x01, 0x01};
constexpr unsigned char kSha256[] = {0x30, 0x0B, 0x06, 0x09, 0x60, 0x86, 0x48, 0x01, 0x65, 0x03, 0x04, 0x02, 0x01};
constexpr unsigned char kBit1[] = {0x03, 0x02, 0x06, 0x40};  // { unclassified (1) }

constexpr st::Field kIntDefault[] = {field(KORVU_TYPE_INTEGER, C(0)).defaults(kZero, DefaultRule::IntegerValue)};
constexpr st::Field kEnumDefault[] = {
    field(KORVU_TYPE_ENUMERATED, C(0)).defaults(kEnumOne, DefaultRule::IntegerValue)};
constexpr st::Field kTrueDefault[] = {field(KORVU_TYPE_BOOLEAN, C(0)).defaults(kTrue, DefaultRule::Boolean)};
constexpr st::Field kAlgOid[] = {
    field(KORVU_TYPE_ALGORITHMIDENTIFIER, C(0)).defaults(kSha256, DefaultRule::AlgorithmOid)};
constexpr st::Field kAlgAbsent[] = {
    field(KORVU_TYPE_ALGORITHMIDENTIFIER, C(0)).defaults(kSha256, DefaultRule::AlgorithmOidAbsent)};
constexpr st::Field kAlgNull[] = {
    field(KORVU_TYPE_ALGORITHMIDENTIFIER, C(0)).defaults(kSha256, DefaultRule::AlgorithmOidNull)};
constexpr st::Field kBits[] = {field(KORVU_TYPE_BIT_STRING, C(0)).defaults(kBit1, DefaultRule::BitSet)};
constexpr st::StructDef kRuleTables[] = {table(kIntDefault), table(kEnumDefault), table(kTrueDefault),
                                         table(kAlgOid),     table(kAlgAbsent),   table(kAlgNull),
                                         table(kBits)};
}  // namespace

TEST(Engine, EveryDefaultRule) {
  struct Case {
    int table;
    std::string value;  // the component's TLV
    bool omitted;       // equal to the default, so left out in DER
  };
  const std::string sha256 = "06 09 60 86 48 01 65 03 04 02 01";
  const std::string sha1 = "06 05 2B 0E 03 02 1A";
  const std::vector<Case> cases = {
      {0, "02 01 00", true},      {0, "02 02 00 00", true},  {0, "02 03 00 00 00", true},
      {0, "02 01 01", false},     {0, "02 02 FF FF", false}, {0, "02 02 00 80", false},
      {1, "0A 01 01", true},      {1, "0A 02 00 01", true},  {1, "0A 01 00", false},
      {2, "01 01 FF", true},      {2, "01 01 01", true},     {2, "01 01 00", false},
      // by algorithm OID alone, OID with no parameters, OID with absent or NULL parameters
      {3, ("30 0B " + sha256), true}, {3, ("30 0D " + sha256 + " 05 00"), true},
      {3, ("30 0E " + sha256 + " 02 01 05"), true}, {3, ("30 07 " + sha1), false},
      {4, ("30 0B " + sha256), true}, {4, ("30 0D " + sha256 + " 05 00"), false},
      {5, ("30 0B " + sha256), true}, {5, ("30 0D " + sha256 + " 05 00"), true},
      {5, ("30 0E " + sha256 + " 02 01 05"), false}, {5, ("30 09 " + sha1 + " 05 00"), false},
      // bit sets: trailing zero bits do not count
      {6, "03 02 06 40", true},   {6, "03 02 01 40", true},  {6, "03 03 00 40 00", true},
      {6, "03 02 00 C0", false},  {6, "03 01 00", false},    {6, "03 02 07 80", false},
  };
  for (const Case &c : cases) {
    const st::StructDef &d = kRuleTables[c.table];
    const std::string &value = c.value;
    const Bytes in = der_tlv(0x30, hex(value));
    ErrCtx ctx;
    Rec *r = dec(d, in, ctx);
    ASSERT_NE(r, nullptr) << c.table << ": " << value;
    EXPECT_EQ(to_hex(enc(d, r)), c.omitted ? "30 00" : to_hex(in)) << c.table << ": " << value;
    st::free_record(d, r);
    // Absent, the component holds its default, which is left out again.
    r = dec(d, hex("30 00"), ctx);
    ASSERT_NE(r, nullptr);
    EXPECT_NE(r->c[0], nullptr);
    EXPECT_EQ(to_hex(enc(d, r)), "30 00");
    st::free_record(d, r);
  }
}

namespace {
// SEQUENCE { tbs AlgorithmIdentifier (kept as received), n INTEGER }, the
// whole record kept too; refused while `refuse` is set.
int refuse_check(const void *record, KORVU_ERR_CTX *ctx) {
  if (static_cast<const Rec *>(record)->refuse == 0) return 1;
  KORVU_ERR(ctx, korvu::kErrIncorrectItem);
  return 0;
}
constexpr st::Field kSignedFields[] = {
    field(KORVU_TYPE_ALGORITHMIDENTIFIER, C(0)).keeps(offsetof(Rec, inner)),
    field(KORVU_TYPE_INTEGER, C(1)),
};
constexpr st::StructDef kSigned = table(kSignedFields).keeping(offsetof(Rec, whole)).checked(refuse_check);

// SEQUENCE OF INTEGER as a record with its kept encoding.
constexpr st::Field kListElement = field(KORVU_TYPE_INTEGER, C(0)).sequence_of();
constexpr st::StructDef kListRecord = st::list_record(kRow, kListElement, sizeof(Rec)).keeping(offsetof(Rec, whole));
}  // namespace

TEST(Engine, KeptEncodingsOfEachShape) {
  // BER in, the same octets out, whole and inner.
  const std::string ber = "30 80 30 81 05 06 03 2A 03 04 02 02 00 05 00 00";
  same(kSigned, ber);
  ErrCtx ctx;
  Rec *r = dec(kSigned, hex(ber), ctx);
  ASSERT_NE(r, nullptr);
  const st::Kept *tbs = st::field_kept(kSigned, r, 0, ctx);
  ASSERT_NE(tbs, nullptr);
  EXPECT_EQ(to_hex(tbs->data, tbs->length), "30 81 05 06 03 2A 03 04");
  uint32_t len = 0;
  ASSERT_EQ(st::copy_kept(tbs, nullptr, &len), 1);
  EXPECT_EQ(len, 8u);
  Bytes out(len - 1);
  len = static_cast<uint32_t>(out.size());
  EXPECT_EQ(st::copy_kept(tbs, out.data(), &len), 0);  // too short: says how long
  EXPECT_EQ(len, 8u);
  // The check runs before kept octets are written.
  r->refuse = 1;
  EXPECT_TRUE(enc(kSigned, r, ctx).empty());
  EXPECT_TRUE(ctx.has(korvu::kErrIncorrectItem));
  st::free_record(kSigned, r);

  // A record from a constructor keeps its first DER encoding.
  Val oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.3.4"));
  Val alg(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509algoid_new_without_param(oid.as<KORVU_ASN1_OID>()));
  Val five(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(5));
  auto *made = static_cast<Rec *>(st::make<kSigned>(alg.as<KORVU_X509_ALGID>(), five.as<KORVU_ASN1_INTEGER>()));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->whole.has, 0u);
  EXPECT_EQ(to_hex(enc(kSigned, made)), "30 0A 30 05 06 03 2A 03 04 02 01 05");
  EXPECT_EQ(made->whole.has, 1u);
  st::free_record(kSigned, made);

  // List-shaped records keep theirs; once dropped, DER is written.
  same(kListRecord, "30 80 02 01 01 02 81 01 02 00 00");
  r = dec(kListRecord, hex("30 80 02 01 01 02 81 01 02 00 00"), ctx);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(static_cast<KORVU_ASN1_LIST *>(r->c[0])->count, 2);
  st::discard_kept(kListRecord, r);
  EXPECT_EQ(to_hex(enc(kListRecord, r)), "30 06 02 01 01 02 01 02");
  st::free_record(kListRecord, r);
  round_trip(kListRecord, "30 03 04 01 01", "");
}

namespace {
// SEQUENCE { a INTEGER, b [0] EXPLICIT OCTET STRING OPTIONAL, c SEQUENCE OF INTEGER },
// recording where each component starts.
constexpr st::Field kOffsetFields[] = {
    field(KORVU_TYPE_INTEGER, C(0)).records_offset(O(0)),
    field(KORVU_TYPE_OCTET_STRING, C(1)).explicit_(0).optional().records_offset(O(1)),
    field(KORVU_TYPE_INTEGER, C(2)).sequence_of().records_offset(O(2)),
};
constexpr st::StructDef kOffsets = table(kOffsetFields).offsets_from_header();
constexpr st::StructDef kKeptOffsets = kOffsets.keeping(offsetof(Rec, whole));
}  // namespace

TEST(Engine, ComponentOffsets) {
  auto offs = [](const Rec *r) { return std::vector<uint32_t>(r->offs, r->offs + 3); };
  ErrCtx ctx;
  const Bytes in = hex("30 81 0E 02 01 05 A0 04 04 02 AA BB 30 03 02 01 01");
  Rec *r = dec(kOffsets, in, ctx);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(offs(r), (std::vector<uint32_t>{0, 3, 9}));  // from the first contents octet
  st::shift_offsets(kOffsets, r, 3);  // then from the first octet of the value
  EXPECT_EQ(r->offs[2], 12u);
  EXPECT_EQ(in[r->offs[2]], 0x30);
  // Encoding records the offsets of what it writes (DER: a shorter header).
  r->offs[0] = r->offs[1] = r->offs[2] = 77;
  EXPECT_EQ(to_hex(enc(kOffsets, r)), "30 0E 02 01 05 A0 04 04 02 AA BB 30 03 02 01 01");
  EXPECT_EQ(offs(r), (std::vector<uint32_t>{0, 3, 9}));
  st::free_record(kOffsets, r);

  // A record that keeps its encoding counts from the first octet of the
  // value, as decoded and as first written.
  r = dec(kKeptOffsets, in, ctx);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(offs(r), (std::vector<uint32_t>{3, 6, 12}));
  auto *made = static_cast<Rec *>(st::make<kKeptOffsets>(r->c[0], static_cast<const void *>(nullptr), r->c[2]));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(to_hex(enc(kKeptOffsets, made)), "30 08 02 01 05 30 03 02 01 01");
  EXPECT_EQ(made->offs[0], 2u);
  EXPECT_EQ(made->offs[2], 5u);
  st::free_record(kKeptOffsets, made);
  st::free_record(kKeptOffsets, r);
}

namespace {
constexpr uint32_t kSizeCode = 0x1020C;
// SEQUENCE { a SEQUENCE SIZE (1..2) OF INTEGER, u OCTET STRING (SIZE (16)) held inline,
//            p PrintableString (SIZE (1..4)) OPTIONAL }
constexpr st::Field kSizeFields[] = {
    field(KORVU_TYPE_INTEGER, C(0)).sequence_of().size(1, 2, kSizeCode),
    st::inline_octets(offsetof(Rec, uuid), 16),
    field(KORVU_TYPE_PRINTABLESTRING, C(1)).size(1, 4).optional(),
};
constexpr st::StructDef kSizes = table(kSizeFields);
}  // namespace

TEST(Engine, SizeConstraints) {
  const std::string uuid = "04 10 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF";
  same(kSizes, "30 17 30 03 02 01 01 " + uuid);
  same(kSizes, "30 1B 30 03 02 01 01 " + uuid + " 13 02 41 42");
  // Below the lower bound and above the upper one, 15 inline octets, an empty
  // and a five-character string.
  refused(kSizes, {"30 14 30 00 " + uuid, "30 1D 30 09 02 01 01 02 01 02 02 01 03 " + uuid,
                   "30 16 30 03 02 01 01 04 0F 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE",
                   "30 19 30 03 02 01 01 " + uuid + " 13 00",
                   "30 1E 30 03 02 01 01 " + uuid + " 13 05 41 42 43 44 45"});
  // Inline octets accept any BER form of the OCTET STRING and write DER.
  round_trip(kSizes, seq("30 03 02 01 01 24 80 04 08 00 11 22 33 44 55 66 77 04 08 88 99 AA BB CC DD EE FF 00 00"),
             "30 17 30 03 02 01 01 " + uuid);
  ErrCtx ctx;
  Rec *r = dec(kSizes, hex("30 14 30 00 " + uuid), ctx);
  EXPECT_EQ(r, nullptr);
  EXPECT_TRUE(ctx.has(kSizeCode));
  // Constructors copy inline octets from an array.
  const unsigned char id[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  KORVU_ASN1_LIST *none = korvu_asn1_list_new();
  auto *made = static_cast<Rec *>(st::make<kSizes>(none, id, static_cast<const void *>(nullptr)));
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(enc(kSizes, made).empty());  // SIZE (1..2) holds when writing too
  st::free_record(kSizes, made);
  EXPECT_EQ(st::make<kSizes>(none, static_cast<const unsigned char *>(nullptr), static_cast<const void *>(nullptr)),
            nullptr);
  korvu_asn1_list_free(none, KORVU_TYPE_INTEGER);
}

TEST(Engine, TaggedAliases) {
  // [APPLICATION 2] IMPLICIT NULL, [APPLICATION 5] EXPLICIT INTEGER (rows of
  // the catalogue with those tags), written and read through their operations.
  using Null = st::Alias<KORVU_TYPE_UNBINDREQUEST, KORVU_TYPE_NULL, st::Tagging::Implicit>;
  using Int = st::Alias<KORVU_TYPE_SEARCHRESULTDONE, KORVU_TYPE_INTEGER, st::Tagging::Explicit>;
  auto write = [](const korvu::TypeOps &ops, uint32_t row, const void *v) {
    KORVU_STREAM *m = korvu_stream_new_mem(16, nullptr);
    korvu::Len l = ops.content_length(v);
    const korvu::CatalogRow &c = korvu::kCatalog[row];
    int r = korvu::write_header(m, c.tag_class, c.form == KORVU_FORM_PRIMITIVE, c.tag_number,
                                static_cast<uint32_t>(l), nullptr, nullptr);
    if (r == 1) r = ops.encode_content(m, v, static_cast<uint32_t>(l), nullptr, nullptr);
    uint32_t n = 0;
    const unsigned char *p = korvu_memstream_data(m, &n);
    std::string out = r == 1 ? to_hex(p, n) : "";
    korvu_stream_free(m);
    return out;
  };
  auto read = [](const korvu::TypeOps &ops, const std::string &in, KORVU_ERR_CTX *ctx) {
    Bytes b = hex(in);
    korvu::MemView view(b.data(), b.size());
    korvu::Header h;
    void *v = nullptr;
    uint32_t n = 0;
    if (korvu::read_header(view.get(), h, ctx) != 1 ||
        ops.decode_content(view.get(), &v, h.primitive, h.length, &n, ctx, 0) != 1)
      return static_cast<void *>(nullptr);
    EXPECT_EQ(h.size + n, b.size());
    return v;
  };
  EXPECT_EQ(write(Null::ops, KORVU_TYPE_UNBINDREQUEST, nullptr), "42 00");
  Val seven(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(7));
  EXPECT_EQ(write(Int::ops, KORVU_TYPE_SEARCHRESULTDONE, seven.v), "65 03 02 01 07");
  ErrCtx ctx;
  void *v = read(Int::ops, "65 80 02 01 07 00 00", ctx);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(int_of(v), 7);
  Int::ops.free(v);
  EXPECT_EQ(read(Int::ops, "65 03 04 01 07", ctx), nullptr);
  EXPECT_TRUE(ctx.has(korvu::kCatalog[KORVU_TYPE_SEARCHRESULTDONE].error_code + 1u));
  EXPECT_EQ(read(Null::ops, "42 01 00", ctx), nullptr);
}

TEST(Engine, ConstructorsCopyAndFillDefaults) {
  Val owned(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(9));
  auto *nine = owned.as<KORVU_ASN1_INTEGER>();
  auto *r = static_cast<Rec *>(st::make<kRuns>(nine, static_cast<const KORVU_ASN1_BOOLEAN *>(nullptr),
                                               static_cast<const KORVU_ASN1_INTEGER *>(nullptr),
                                               static_cast<const KORVU_ASN1_BOOLEAN *>(nullptr),
                                               static_cast<const KORVU_ASN1_OCTETSTRING *>(nullptr)));
  ASSERT_NE(r, nullptr);
  EXPECT_NE(r->c[0], nine);  // a copy
  EXPECT_EQ(r->flags[0], 1u);
  EXPECT_EQ(int_of(r->c[2]), 3);  // defaults filled
  EXPECT_EQ(korvu_asn1_boolean_istrue(static_cast<KORVU_ASN1_BOOLEAN *>(r->c[3])), 1);
  EXPECT_EQ(to_hex(enc(kRuns, r)), "30 03 02 01 09");
  st::free_record(kRuns, r);
  // A required component may not be null.
  EXPECT_EQ(st::make<kWrap>(static_cast<const KORVU_ASN1_INTEGER *>(nullptr), static_cast<const void *>(nullptr)),
            nullptr);
}

namespace {
// SEQUENCE { a INTEGER, n [2] IMPLICIT Name OPTIONAL, b INTEGER }: Name keeps the octets it was read from, so
// under the IMPLICIT tag it is written back as received; the record notes where n starts and ends.
constexpr st::Field kImplicitKeptFields[] = {
    field(KORVU_TYPE_INTEGER, C(0)),
    field(KORVU_TYPE_NAME, C(1)).implicit(2).optional().records_offset(O(1)).records_end(O(2)),
    field(KORVU_TYPE_INTEGER, C(2)),
};
constexpr st::StructDef kImplicitKept = table(kImplicitKeptFields);
}  // namespace

TEST(Engine, KeptEncodingUnderAnImplicitTag) {
  struct Case {
    const char *what, *in, *alone;  // the record, and the Name encoded alone
    uint32_t start, end;
  } cases[] = {
      {"DER", "30 14 02 01 05 A2 0C 31 0A 30 08 06 03 55 04 03 0C 01 61 02 01 07",
       "30 0C 31 0A 30 08 06 03 55 04 03 0C 01 61", 3, 17},
      {"BER: indefinite and non-minimal lengths",
       "30 19 02 01 05 A2 80 31 80 30 81 08 06 03 55 04 03 0C 01 61 00 00 00 00 02 01 07",
       "30 80 31 80 30 81 08 06 03 55 04 03 0C 01 61 00 00 00 00", 3, 22},
      {"long-form length of the tag", "30 16 02 01 05 A2 82 00 0C 31 0A 30 08 06 03 55 04 03 0C 01 61 02 01 07",
       "30 82 00 0C 31 0A 30 08 06 03 55 04 03 0C 01 61", 3, 19},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ErrCtx ctx;
    Rec *r = dec(kImplicitKept, hex(c.in), ctx);
    ASSERT_NE(r, nullptr) << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(std::pair(r->offs[1], r->offs[2]), std::pair(c.start, c.end));
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, r->c[1])), to_hex(hex(c.alone))) << "the value alone, as a SEQUENCE";
    r->offs[1] = r->offs[2] = 0;
    EXPECT_EQ(to_hex(enc(kImplicitKept, r)), to_hex(hex(c.in))) << "written back under the tag as received";
    EXPECT_EQ(std::pair(r->offs[1], r->offs[2]), std::pair(c.start, c.end));
    // A copy of the value (encoded, then read back) is written under the tag the same way.
    void *copy = korvu_asn1_dupobject(KORVU_TYPE_NAME, r->c[1], nullptr);
    ASSERT_NE(copy, nullptr);
    auto *made = static_cast<Rec *>(st::make<kImplicitKept>(r->c[0], copy, r->c[2]));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(to_hex(enc(kImplicitKept, made)), to_hex(hex(c.in)));
    st::free_record(kImplicitKept, made);
    korvu_asn1_value_free(KORVU_TYPE_NAME, copy);
    st::free_record(kImplicitKept, r);
  }
  // A primitive [2], or contents that are no Name, fail with nothing handed out.
  refused(kImplicitKept, {"30 08 02 01 05 82 00 02 01 07", "30 0A 02 01 05 A2 02 05 00 02 01 07",
                          "30 0C 02 01 05 A2 80 31 80 00 00 02 01 07"});
}
