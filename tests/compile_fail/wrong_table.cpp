// Tables that break a rule do not compile. Built once per case with
// -DKORVU_WRONG_TABLE=N: case 0 is a correct table and must compile; every
// other case must fail with the reason named in tests/CMakeLists.txt.
#include "core/struct.h"

namespace {
using korvu::st::field;
namespace st = korvu::st;

struct Rec {
  void *a;
  void *b;
  uint32_t has_a;
};

// A record whose members the rows name (KORVU_FIELD checks their C types).
struct Typed {
  KORVU_ASN1_INTEGER *number;
  KORVU_ASN1_OID *oid;
  KORVU_ASN1_LIST *names;
};
// SEQUENCE { number INTEGER, oid OBJECT IDENTIFIER, names SEQUENCE OF GeneralName }
constexpr st::Field kTyped[] = {KORVU_FIELD(KORVU_TYPE_INTEGER, Typed, number),
                                KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, Typed, oid),
                                KORVU_FIELD(KORVU_TYPE_GENERALNAME, Typed, names).sequence_of()};
constexpr st::StructDef kTypedDef = st::sequence(KORVU_TYPE_VALIDITY, kTyped, sizeof(Typed));

#if KORVU_WRONG_TABLE == 0
// SEQUENCE { a [0] EXPLICIT GeneralName OPTIONAL, b INTEGER }
constexpr st::Field kFields[] = {
    field(KORVU_TYPE_GENERALNAME, offsetof(Rec, a)).explicit_(0).optional(offsetof(Rec, has_a)),
    field(KORVU_TYPE_INTEGER, offsetof(Rec, b)),
};
constexpr st::StructDef kDef = st::sequence(KORVU_TYPE_VALIDITY, kFields, sizeof(Rec));
static_assert(st::check_table(kDef, KORVU_TYPE_VALIDITY));
void *make(const void *a, const void *b) { return st::make<kDef>(a, b); }
static_assert(st::check_table(kTypedDef, KORVU_TYPE_VALIDITY));
void *make_typed(const KORVU_ASN1_INTEGER *n, const KORVU_ASN1_OID *o, const KORVU_ASN1_LIST *l) {
  return st::make<kTypedDef>(n, o, l);
}
#elif KORVU_WRONG_TABLE == 1
// Registered under another number than the table's.
constexpr st::Field kFields[] = {field(KORVU_TYPE_INTEGER, offsetof(Rec, a))};
constexpr st::StructDef kDef = st::sequence(KORVU_TYPE_VALIDITY, kFields, sizeof(Rec));
static_assert(st::check_table(kDef, KORVU_TYPE_SUBJECTPUBLICKEYINFO));
#elif KORVU_WRONG_TABLE == 2
// IMPLICIT over a CHOICE.
constexpr st::Field kFields[] = {field(KORVU_TYPE_GENERALNAME, offsetof(Rec, a)).implicit(0)};
constexpr st::StructDef kDef = st::sequence(KORVU_TYPE_VALIDITY, kFields, sizeof(Rec));
static_assert(st::check_table(kDef, KORVU_TYPE_VALIDITY));
#elif KORVU_WRONG_TABLE == 3
// IMPLICIT over ANY.
constexpr st::Field kFields[] = {field(KORVU_TYPE_ANY, offsetof(Rec, a)).implicit(0)};
constexpr st::StructDef kDef = st::sequence(KORVU_TYPE_VALIDITY, kFields, sizeof(Rec));
static_assert(st::check_table(kDef, KORVU_TYPE_VALIDITY));
#elif KORVU_WRONG_TABLE == 4
// Two alternatives of a CHOICE with one tag.
constexpr st::Field kAlts[] = {st::alternative(0, KORVU_TYPE_INTEGER).implicit(1),
                               st::alternative(1, KORVU_TYPE_OCTET_STRING).implicit(1)};
constexpr st::StructDef kDef = st::choice(KORVU_TYPE_GENERALNAME, kAlts);
static_assert(st::check_table(kDef, KORVU_TYPE_GENERALNAME));
#elif KORVU_WRONG_TABLE == 5
// Two alternatives of a CHOICE with one choice number.
constexpr st::Field kAlts[] = {st::alternative(3, KORVU_TYPE_INTEGER).implicit(1),
                               st::alternative(3, KORVU_TYPE_OCTET_STRING).implicit(2)};
constexpr st::StructDef kDef = st::choice(KORVU_TYPE_GENERALNAME, kAlts);
static_assert(st::check_table(kDef, KORVU_TYPE_GENERALNAME));
#elif KORVU_WRONG_TABLE == 6
// An OPTIONAL component that cannot be told from the next one.
constexpr st::Field kFields[] = {field(KORVU_TYPE_INTEGER, offsetof(Rec, a)).optional(offsetof(Rec, has_a)),
                                 field(KORVU_TYPE_INTEGER, offsetof(Rec, b))};
constexpr st::StructDef kDef = st::sequence(KORVU_TYPE_VALIDITY, kFields, sizeof(Rec));
static_assert(st::check_table(kDef, KORVU_TYPE_VALIDITY));
#elif KORVU_WRONG_TABLE == 7
// A constructor with one argument too few.
constexpr st::Field kFields[] = {field(KORVU_TYPE_INTEGER, offsetof(Rec, a)),
                                 field(KORVU_TYPE_OCTET_STRING, offsetof(Rec, b))};
constexpr st::StructDef kDef = st::sequence(KORVU_TYPE_VALIDITY, kFields, sizeof(Rec));
void *make(const void *a) { return st::make<kDef>(a); }
#elif KORVU_WRONG_TABLE == 8
// A SEQUENCE table over a CHOICE row.
constexpr st::Field kFields[] = {field(KORVU_TYPE_INTEGER, offsetof(Rec, a))};
constexpr st::StructDef kDef = st::sequence(KORVU_TYPE_GENERALNAME, kFields, sizeof(Rec));
static_assert(st::check_table(kDef, KORVU_TYPE_GENERALNAME));
#elif KORVU_WRONG_TABLE == 9
// A row naming a member of another C type than its type number's record.
constexpr st::Field kFields[] = {KORVU_FIELD(KORVU_TYPE_INTEGER, Typed, oid)};
#elif KORVU_WRONG_TABLE == 10
// Two constructor arguments swapped.
void *make_typed(const KORVU_ASN1_INTEGER *n, const KORVU_ASN1_OID *o, const KORVU_ASN1_LIST *l) {
  return st::make<kTypedDef>(o, n, l);
}
#elif KORVU_WRONG_TABLE == 11
// A list member whose row is not a SEQUENCE OF or SET OF.
constexpr st::Field kFields[] = {KORVU_FIELD(KORVU_TYPE_GENERALNAME, Typed, names)};
constexpr st::StructDef kDef = st::sequence(KORVU_TYPE_VALIDITY, kFields, sizeof(Typed));
static_assert(st::check_table(kDef, KORVU_TYPE_VALIDITY));
#endif
}  // namespace
