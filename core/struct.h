// The structure engine: one mechanism that frees, measures, encodes, decodes,
// builds and reads every SEQUENCE, SET, CHOICE and list-shaped record type of
// the library from a constant table of its components.
//
// A SEQUENCE is a record of owned pointers (and 32-bit present flags); its
// table says, for each component in order, the component's type, where its
// pointer lives, how it is tagged, whether it may be absent and how its
// DEFAULT is compared. A CHOICE is a record { uint32_t choice; void *value; }
// with a table of alternatives. Tables are checked against the type catalogue
// and against themselves when they compile (check_table), and a type plugs in
// with one line:
//
//   KORVU_REGISTER_STRUCT(KORVU_TYPE_VALIDITY, kValidity);
//
// Exports that only read a component are one line each, by member name:
//
//   KORVU_GET(korvu_x509validity_getnotbefore, kValidity, notBefore);
//
// docs/architecture.md ("Adding a type") walks through a complete example.
#ifndef KORVU_CORE_STRUCT_H
#define KORVU_CORE_STRUCT_H

#include <cstddef>
#include <type_traits>
#include <utility>

#include "ctypes.h"
#include "internal.h"

namespace korvu::st {

inline constexpr uint16_t kNone = 0xFFFF;

enum class Tagging : uint8_t { None, Implicit, Explicit };
// Value: an owned pointer to a value of `type`. SequenceOf / SetOf: an owned
// KORVU_ASN1_LIST of values of `type`. InlineOctets: an OCTET STRING of
// exactly `min_size` octets held in the record itself (unsigned char[n]).
enum class Shape : uint8_t { Value, SequenceOf, SetOf, InlineOctets };
enum class Presence : uint8_t { Required, Optional, Default };
// What the compiler saw of the member a row names (KORVU_FIELD): a pointer to
// the row type's own record (Value), a KORVU_ASN1_LIST (List: the row must be
// a SEQUENCE OF / SET OF of the row type), a list that is also the row type's
// record (Either), or nothing (Unchecked: a `void *` member that holds
// values of several types, written with field()).
enum class Member : uint8_t { Unchecked, Value, List, Either };

// How a component is compared with its DEFAULT (X.690 11.5: DER leaves out a
// component equal to its default). The default value itself is DER of the
// untagged type (Field::def).
enum class DefaultRule : uint8_t {
  Encoding,      // the value's DER equals the default's
  Boolean,       // BOOLEAN: same truth value (an absent one is a shared constant)
  IntegerValue,  // INTEGER / ENUMERATED: same number, however many octets encode it
  AlgorithmOid,  // AlgorithmIdentifier: same algorithm OID, parameters ignored
  AlgorithmOidAbsent,  // same OID and no parameters
  AlgorithmOidNull,    // same OID and parameters absent or NULL
  BitSet,        // BIT STRING: same set bits (trailing zero bits ignored)
};

// Bytes a signed structure keeps and writes again unchanged.
struct Kept {
  unsigned char *data;
  uint32_t length;
  uint32_t has;
};

struct ChoiceRecord {
  uint32_t choice;
  void *value;
};

// One component of a SEQUENCE, or one alternative of a CHOICE.
struct Field {
  uint32_t type = 0;             // component type; element type for lists
  uint16_t offset = 0;           // offsetof the owning pointer (or inline octets) in the record
  uint16_t flag = kNone;         // offsetof a uint32_t present flag, if any
  Presence presence = Presence::Required;
  Tagging tagging = Tagging::None;
  uint8_t tag_class = 0x80;      // class of the tag (context-specific unless said)
  Shape shape = Shape::Value;
  DefaultRule rule = DefaultRule::Encoding;
  uint32_t tag = 0;              // tag number when tagged
  uint32_t min_size = 0;         // SIZE (min..max): list elements, or octets of InlineOctets
  uint32_t max_size = 0;         // 0: no upper bound
  uint32_t size_code = 0;        // code reported when SIZE is not met (0: "incorrect size or size of")
  const unsigned char *def = nullptr;  // DEFAULT value, DER of the untagged type
  uint8_t def_len = 0;
  int32_t code = 0;              // encode-failure code reported for this component
                                 // (decode: code + 1); 0 means the component type's
  uint16_t kept = kNone;         // offsetof a Kept holding this component's TLV
  uint16_t at = kNone;           // offsetof a uint32_t receiving the component's byte offset
  uint16_t end_at = kNone;       // offsetof a uint32_t receiving the offset of the octet after it
  uint32_t choice = 0;           // CHOICE alternatives: the choice number
  bool size_on_read = false;     // SIZE checked when decoding only
  Member member = Member::Unchecked;
  // Acceptance rule of an OPTIONAL or DEFAULT component, asked after its tag
  // matched: the header and the first contents octets (up to kPeek, fewer
  // when the element is shorter). False leaves the component absent.
  bool (*accept)(const Header &h, const unsigned char *inner, uint32_t n) = nullptr;
  bool constructed_only = false;  // a primitive element under the tag is not this component

  // Builders, so that a table row reads like the ASN.1.
  constexpr Field optional(uint16_t flag_offset = kNone) const {
    Field f = *this;
    f.presence = Presence::Optional;
    f.flag = flag_offset;
    return f;
  }
  // The tag alone does not select the row: an element under it that is
  // primitive is taken as "not this component" (so the rows after it, or
  // the structure's leftover rule, judge it) rather than as a p/c bit error.
  constexpr Field only_constructed() const {
    Field f = *this;
    f.constructed_only = true;
    return f;
  }
  constexpr Field implicit(uint32_t t, uint8_t cls = 0x80) const {
    Field f = *this;
    f.tagging = Tagging::Implicit;
    f.tag = t;
    f.tag_class = cls;
    return f;
  }
  constexpr Field explicit_(uint32_t t, uint8_t cls = 0x80) const {
    Field f = *this;
    f.tagging = Tagging::Explicit;
    f.tag = t;
    f.tag_class = cls;
    return f;
  }
  template <size_t N>
  constexpr Field defaults(const unsigned char (&der)[N], DefaultRule how = DefaultRule::Encoding) const {
    static_assert(N < 256, "a DEFAULT value is short");
    Field f = *this;
    f.presence = Presence::Default;
    f.def = der;
    f.def_len = static_cast<uint8_t>(N);
    f.rule = how;
    return f;
  }
  constexpr Field sequence_of(uint32_t min = 0, uint32_t max = 0) const {
    Field f = *this;
    f.shape = Shape::SequenceOf;
    f.min_size = min;
    f.max_size = max;
    return f;
  }
  constexpr Field set_of(uint32_t min = 0, uint32_t max = 0) const {
    Field f = sequence_of(min, max);
    f.shape = Shape::SetOf;
    return f;
  }
  // SIZE (min..max) of a list component (code: what a violation reports).
  constexpr Field size(uint32_t min, uint32_t max = 0, uint32_t c = 0) const {
    Field f = *this;
    f.min_size = min;
    f.max_size = max;
    f.size_code = c;
    return f;
  }
  constexpr Field accepts_if(bool (*rule)(const Header &, const unsigned char *, uint32_t)) const {
    Field f = *this;
    f.accept = rule;
    return f;
  }
  // SIZE (min..max) of a list component checked when decoding only.
  constexpr Field size_on_decode(uint32_t min, uint32_t max = 0) const {
    Field f = size(min, max);
    f.size_on_read = true;
    return f;
  }
  constexpr Field reports(int32_t c) const {
    Field f = *this;
    f.code = c;
    return f;
  }
  constexpr Field keeps(uint16_t kept_offset) const {
    Field f = *this;
    f.kept = kept_offset;
    return f;
  }
  // Records the offset of the component's first octet from the first
  // contents octet of the record (shifted by the header when the type asks).
  constexpr Field records_offset(uint16_t at_offset) const {
    Field f = *this;
    f.at = at_offset;
    return f;
  }
  // Records the offset of the first octet after the component, counted as
  // records_offset counts.
  constexpr Field records_end(uint16_t at_offset) const {
    Field f = *this;
    f.end_at = at_offset;
    return f;
  }
};

// Contents octets an acceptance rule sees at most.
inline constexpr uint32_t kPeek = 8;

// Acceptance rule: a constructed element only (a primitive one leaves the
// component absent, so that it fails as an item that fits no component).
static constexpr bool constructed_only(const Header &h, const unsigned char *, uint32_t) { return h.primitive == 0; }

// A component: type number and record offset. Rows write KORVU_FIELD, which
// checks the member's C type; field() alone is for a `void *` member that
// holds values of several types (SignedData's content info, say).
constexpr Field field(uint32_t type, uint16_t offset) {
  Field f;
  f.type = type;
  f.offset = offset;
  return f;
}

// The C record of type N (core/ctypes.h); a type without one does not compile.
template <uint32_t N>
using record_of = typename CType<N>::type;

template <class M>
constexpr uint16_t open_member(size_t offset) {
  static_assert(std::is_same_v<M, void *>, "KORVU_FIELD_OPEN names a void * member; others use KORVU_FIELD");
  return static_cast<uint16_t>(offset);
}

template <class M>
constexpr uint32_t inline_size() {
  static_assert(std::is_array_v<M> && std::is_same_v<std::remove_all_extents_t<M>, unsigned char>,
                "inline octets are held in an unsigned char array");
  return sizeof(M);
}

// A component of type N stored in a member of C type M at `offset`.
template <uint32_t N, class M>
constexpr Field field_of(uint16_t offset) {
  static_assert(std::is_pointer_v<M>, "a component's member is a pointer to its value");
  static_assert(CType<N>::known, "the row's type number has no C record: add KORVU_CTYPE to its family's ctypes.inc");
  using P = std::remove_cv_t<std::remove_pointer_t<M>>;
  constexpr bool value = std::is_same_v<P, record_of<N>>;
  constexpr bool list = std::is_same_v<P, KORVU_ASN1_LIST>;
  static_assert(value || list, "the member's C type is not the record of the row's type number (nor a list of it)");
  Field f = field(N, offset);
  f.member = value && list ? Member::Either : value ? Member::Value : Member::List;
  return f;
}

// OCTET STRING (SIZE (n)) held inline in the record as unsigned char[n]
// (KORVU_INLINE_OCTETS takes n from the member).
constexpr Field inline_octets(uint16_t offset, uint32_t n) {
  Field f = field(KORVU_TYPE_OCTET_STRING, offset);
  f.shape = Shape::InlineOctets;
  f.min_size = n;
  f.max_size = n;
  return f;
}

// An alternative of a CHOICE (its value lives in ChoiceRecord::value).
constexpr Field alternative(uint32_t choice, uint32_t type) {
  Field f;
  f.type = type;
  f.offset = offsetof(ChoiceRecord, value);
  f.choice = choice;
  return f;
}

enum class Kind : uint8_t {
  Sequence,  // components in order under the type's own tag
  Choice,    // alternatives; the record is a ChoiceRecord
  List,      // the record's one list component makes up the whole contents
};

struct StructDef {
  uint32_t type = 0;          // the type's own number (its row gives tag and codes)
  const Field *fields = nullptr;
  uint32_t count = 0;
  uint32_t size = 0;          // sizeof the record
  Kind kind = Kind::Sequence;
  uint16_t kept = kNone;      // offsetof a Kept with the whole TLV (signed structures)
  uint32_t kept_capacity = 1024;
  // offsetof a uint32_t noting the indefinite lengths a decoded record was
  // received with: bit 0 its own, bit 1 + i the EXPLICIT wrapper of component
  // i. A record noting any is written indefinite, those wrappers too (BER
  // containers re-encode as received); constructors leave it 0 (DER).
  uint16_t form = kNone;
  bool shift_offsets = false; // recorded offsets count from the value's first octet
  // Checks a record after decoding and before encoding, kept encodings
  // included (0 refuses it; the check records its own error).
  int (*check)(const void *record, KORVU_ERR_CTX *ctx) = nullptr;
  // Completes a record after decoding or construction (derived flags); 0
  // refuses it.
  int (*finish)(void *record, KORVU_ERR_CTX *ctx) = nullptr;
  // Code reported when contents remain after the last component.
  uint32_t leftover_code = kErrIncorrectItem;
  // Code reported when a CHOICE record holds a number outside its table.
  uint32_t unknown_choice_code = kErrCalLength;

  constexpr bool choice() const { return kind == Kind::Choice; }

  // Builders.
  constexpr StructDef keeping(uint16_t kept_offset, uint32_t capacity = 1024) const {
    StructDef d = *this;
    d.kept = kept_offset;
    d.kept_capacity = capacity;
    return d;
  }
  constexpr StructDef keeps_form(uint16_t form_offset) const {
    StructDef d = *this;
    d.form = form_offset;
    return d;
  }
  constexpr StructDef checked(int (*c)(const void *, KORVU_ERR_CTX *)) const {
    StructDef d = *this;
    d.check = c;
    return d;
  }
  constexpr StructDef finished(int (*f)(void *, KORVU_ERR_CTX *)) const {
    StructDef d = *this;
    d.finish = f;
    return d;
  }
  constexpr StructDef leftover(uint32_t code) const {
    StructDef d = *this;
    d.leftover_code = code;
    return d;
  }
  constexpr StructDef unknown_choice(uint32_t code) const {
    StructDef d = *this;
    d.unknown_choice_code = code;
    return d;
  }
  constexpr StructDef offsets_from_header() const {
    StructDef d = *this;
    d.shift_offsets = true;
    return d;
  }
};

template <size_t N>
constexpr StructDef sequence(uint32_t type, const Field (&fields)[N], uint32_t size) {
  StructDef d;
  d.type = type;
  d.fields = fields;
  d.count = N;
  d.size = size;
  return d;
}

template <size_t N>
constexpr StructDef choice(uint32_t type, const Field (&alts)[N]) {
  StructDef d;
  d.type = type;
  d.fields = alts;
  d.count = N;
  d.size = sizeof(ChoiceRecord);
  d.kind = Kind::Choice;
  return d;
}

// A SEQUENCE OF / SET OF type whose record holds the list and more (a kept
// encoding, say): `element` is the list component (made with sequence_of or
// set_of).
inline constexpr StructDef list_record(uint32_t type, const Field &element, uint32_t size) {
  StructDef d;
  d.type = type;
  d.fields = &element;
  d.count = 1;
  d.size = size;
  d.kind = Kind::List;
  return d;
}

// The type of alternative `choice` of a CHOICE table.
constexpr uint32_t alternative_type(const StructDef &d, uint32_t choice) {
  for (uint32_t i = 0; i < d.count; i++)
    if (d.fields[i].choice == choice) return d.fields[i].type;
  return kTypeCount;
}

// ---- checks made when a table compiles -------------------------------------
// A table that breaks a rule stops the build with the reason in the
// diagnostic ("in 'constexpr' expansion of ... table_error(\"...\")").
void table_error(const char *why);  // never defined: calling it is the error

namespace detail {
// The tag a component's encoding starts with: class << 24 | number, or
// kAnyTag when it depends on the value (ANY, CHOICE, Time: no tag of its own).
inline constexpr uint32_t kAnyTag = 0xFFFFFFFFu;
constexpr uint32_t leading_tag(const Field &f) {
  if (f.tagging != Tagging::None) return static_cast<uint32_t>(f.tag_class) << 24 | f.tag;
  if (f.shape == Shape::SequenceOf) return 16;
  if (f.shape == Shape::SetOf) return 17;
  if (untagged_row(f.type)) return kAnyTag;
  return kCatalog[f.type].tag_class << 24 | kCatalog[f.type].tag_number;
}
}  // namespace detail

constexpr bool check_table(const StructDef &d, uint32_t registered) {
  if (d.type != registered) table_error("the table's type number differs from the one it is registered under");
  if (d.type >= kTypeCount) table_error("no catalogue row for this type number");
  const CatalogRow &row = kCatalog[d.type];
  if (d.kind == Kind::Choice) {
    if (!untagged_row(d.type)) table_error("a CHOICE's catalogue row must have no tag of its own");
  } else {
    if (row.form != KORVU_FORM_CONSTRUCTED) table_error("a SEQUENCE, SET or list row must be constructed");
    if (d.kind == Kind::List) {
      if (d.count != 1 || (d.fields[0].shape != Shape::SequenceOf && d.fields[0].shape != Shape::SetOf))
        table_error("a list record has exactly one SEQUENCE OF or SET OF component");
      if (row.tag_class == 0 && row.tag_number != (d.fields[0].shape == Shape::SetOf ? 17u : 16u))
        table_error("a list record's row tag differs from its shape");
    }
  }
  if (d.count == 0) table_error("a table has at least one component");
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    if (f.type >= kTypeCount) table_error("a component's type number has no catalogue row");
    if (f.tagging == Tagging::Implicit && f.shape == Shape::Value && untagged_row(f.type))
      table_error("IMPLICIT over a CHOICE or ANY (X.680 31.2.7): tag it EXPLICIT");
    if (f.tagging == Tagging::Implicit && f.shape == Shape::InlineOctets)
      table_error("inline octets are written under their universal tag");
    if (d.kind != Kind::Choice) {
      if (f.offset + sizeof(void *) > d.size && f.shape != Shape::InlineOctets)
        table_error("a component's offset lies outside the record");
      if (f.flag != kNone && f.flag + sizeof(uint32_t) > d.size) table_error("a present flag lies outside the record");
      if (f.flag != kNone && f.presence == Presence::Required) table_error("a required component has no present flag");
      for (uint32_t j = 0; j < i; j++)
        if (d.fields[j].offset == f.offset) table_error("two components share one record offset");
    }
    if (f.presence == Presence::Default) {
      if (f.def == nullptr || f.def_len < 2) table_error("a DEFAULT component needs its default value");
      if (f.rule == DefaultRule::Boolean && (f.type != KORVU_TYPE_BOOLEAN || f.def_len != 3))
        table_error("the BOOLEAN default rule applies to BOOLEAN components");
      if (f.rule == DefaultRule::IntegerValue && f.type != KORVU_TYPE_INTEGER && f.type != KORVU_TYPE_ENUMERATED)
        table_error("the integer default rule applies to INTEGER or ENUMERATED components");
      if (f.rule == DefaultRule::BitSet && f.type != KORVU_TYPE_BIT_STRING)
        table_error("the bit-set default rule applies to BIT STRING components");
      if ((f.rule == DefaultRule::AlgorithmOid || f.rule == DefaultRule::AlgorithmOidAbsent ||
           f.rule == DefaultRule::AlgorithmOidNull) &&
          f.def[0] != 0x30)
        table_error("the algorithm default rules compare an AlgorithmIdentifier");
      if (f.shape != Shape::Value) table_error("DEFAULT applies to single values");
    }
    if (f.member == Member::Value && f.shape != Shape::Value)
      table_error("a SEQUENCE OF or SET OF component is held in a KORVU_ASN1_LIST member");
    if (f.member == Member::List && (f.shape == Shape::Value || f.shape == Shape::InlineOctets))
      table_error("a KORVU_ASN1_LIST member holds a SEQUENCE OF or SET OF component (.sequence_of(), .set_of())");
    if (f.shape == Shape::InlineOctets && (f.min_size == 0 || f.min_size != f.max_size))
      table_error("inline octets have a fixed size");
    if (f.max_size != 0 && f.max_size < f.min_size) table_error("SIZE (min..max) with max below min");
  }
  if (d.kind == Kind::Choice) {
    for (uint32_t i = 0; i < d.count; i++)
      for (uint32_t j = 0; j < i; j++) {
        if (d.fields[i].choice == d.fields[j].choice) table_error("two alternatives share one choice number");
        const uint32_t a = detail::leading_tag(d.fields[i]), b = detail::leading_tag(d.fields[j]);
        if (a == b && a != detail::kAnyTag) table_error("two alternatives share one tag");
      }
    return true;
  }
  // Each OPTIONAL or DEFAULT component must be told apart by its tag from the
  // components that may follow it, up to the next required one (X.680 25.6).
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    if (f.presence == Presence::Required || f.accept != nullptr) continue;  // a rule tells it apart
    const uint32_t a = detail::leading_tag(f);
    for (uint32_t j = i + 1; j < d.count; j++) {
      const uint32_t b = detail::leading_tag(d.fields[j]);
      if (a == detail::kAnyTag && f.type == KORVU_TYPE_ANY)
        table_error("an OPTIONAL ANY can only be the last component");
      if (a == b && a != detail::kAnyTag) table_error("an OPTIONAL or DEFAULT component has the tag of a later one");
      if (d.fields[j].presence == Presence::Required) break;
    }
  }
  return true;
}

// ---- engine operations (used by the templates below and by hooks) --------
void free_record(const StructDef &d, void *record);
Len content_length(const StructDef &d, const void *record);
int encode_content(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t length, uint32_t *written,
                   KORVU_ERR_CTX *ctx);
int decode_content(const StructDef &d, KORVU_STREAM *s, void **out, int primitive, uint32_t length,
                   uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth);
Len kept_total_length(const StructDef &d, const void *record);
int kept_encode(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t *written, KORVU_ERR_CTX *ctx);
int kept_decode(const StructDef &d, KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed,
                KORVU_ERR_CTX *ctx, int depth);
Len choice_total_length(const StructDef &d, const void *record);
int choice_encode(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t *written, KORVU_ERR_CTX *ctx);
int choice_decode(const StructDef &d, KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed,
                  KORVU_ERR_CTX *ctx, int depth);
bool choice_accepts(const StructDef &d, const Header &h);
void shift_offsets(const StructDef &d, void *record, uint32_t header_length);

// True when a header can start a value of `type` (used to find optional
// components and CHOICE alternatives).
bool type_accepts(uint32_t type, const Header &h);

// ---- constructors and getters ----------------------------------------------
// A new record from borrowed arguments, one per component in table order
// (null for an absent optional, or for a default). Every argument is copied
// (lists element by element); null when a required argument is null, a copy
// fails or memory runs out. Inline octets are read from an unsigned char
// array of their size.
void *new_record(const StructDef &d, const void *const *args, size_t count);
// The same with the argument count checked when it compiles.
// Each argument's C type is checked against its row: the record of the row's
// type, a KORVU_ASN1_LIST for a list component, unsigned char for inline octets.
namespace detail {
template <const StructDef &D, size_t I, class A>
constexpr bool argument_fits() {
  constexpr Field f = D.fields[I];
  if constexpr (std::is_void_v<A>) {
    return f.member == Member::Unchecked;  // an open member takes any value
  } else if constexpr (f.shape == Shape::InlineOctets) {
    return std::is_same_v<A, unsigned char>;
  } else if constexpr (f.shape != Shape::Value) {
    return std::is_same_v<A, KORVU_ASN1_LIST>;
  } else {
    static_assert(CType<f.type>::known, "the row's type number has no C record: add KORVU_CTYPE to its ctypes.inc");
    return std::is_same_v<A, record_of<f.type>>;
  }
}
template <const StructDef &D, class... A, size_t... I>
constexpr bool arguments_fit(std::index_sequence<I...>) {
  return (argument_fits<D, I, std::remove_cv_t<A>>() && ...);
}
}  // namespace detail
template <const StructDef &D, class... A>
inline void *make(const A *...args) {
  static_assert(sizeof...(A) == D.count, "a constructor takes one argument per component of its table");
  static_assert(detail::arguments_fit<D, A...>(std::index_sequence_for<A...>{}),
                "a constructor argument's C type differs from its component's (arguments in table order)");
  const void *list[] = {static_cast<const void *>(args)...};
  return new_record(D, list, sizeof...(A));
}
// A new CHOICE record holding a copy of `value` as alternative `choice`.
void *new_choice(const StructDef &d, uint32_t choice, const void *value);
// Component i of a record, null when the record is null or it is absent.
void *get(const StructDef &d, const void *record, uint32_t i);
int has(const StructDef &d, const void *record, uint32_t i);
// The value of a CHOICE record when its choice number is `choice`.
void *get_choice(const void *record, uint32_t choice);
uint32_t choice_of(const void *record);  // 0xFFFFFFFF for null

// The index of the component stored at `offset` (a compile-time lookup).
constexpr uint32_t index_at(const StructDef &d, size_t offset) {
  for (uint32_t i = 0; i < d.count; i++)
    if (d.fields[i].offset == offset) return i;
  table_error("no component of this table is stored in that member");
  return 0;
}

// The encoding of component i as kept in its record (written first if the
// record has none yet): the to-be-signed octets of a signed structure.
const Kept *field_kept(const StructDef &d, const void *record, uint32_t i, KORVU_ERR_CTX *ctx);
// The whole encoding kept by a record, written first if it has none yet.
const Kept *record_kept(const StructDef &d, const void *record, KORVU_ERR_CTX *ctx);
// Drops the whole encoding a record keeps (after the record has changed).
void discard_kept(const StructDef &d, void *record);
// Copies kept octets out under the usual buffer convention: a null buffer
// asks for the length; a short buffer fails with the length needed.
int copy_kept(const Kept *k, unsigned char *buffer, uint32_t *length);

// ---- registry operations ----------------------------------------------------
template <const StructDef &D>
struct Sequence {
  static void free(void *v) { free_record(D, v); }
  static Len length(const void *v) { return content_length(D, v); }
  static Len total(const void *v) { return kept_total_length(D, v); }
  static int enc(KORVU_STREAM *s, const void *v, uint32_t len, uint32_t *w, KORVU_ERR_CTX *c) {
    return encode_content(D, s, v, len, w, c);
  }
  static int dec(KORVU_STREAM *s, void **o, int p, uint32_t len, uint32_t *n, KORVU_ERR_CTX *c, int depth) {
    return decode_content(D, s, o, p, len, n, c, depth);
  }
  static int whole_enc(KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *c) {
    return kept_encode(D, s, v, w, c);
  }
  static int whole_dec(KORVU_STREAM *s, const Header &h, void **o, uint32_t *n, KORVU_ERR_CTX *c, int depth) {
    return kept_decode(D, s, h, o, n, c, depth);
  }
  static void shift(void *v, uint32_t header_length) { shift_offsets(D, v, header_length); }
  static constexpr bool kKept = D.kept != kNone;
  static constexpr TypeOps ops = {&free,
                                  &length,
                                  kKept ? &total : nullptr,
                                  &enc,
                                  &dec,
                                  kKept ? &whole_enc : nullptr,
                                  kKept ? &whole_dec : nullptr,
                                  D.shift_offsets ? &shift : nullptr,
                                  &D};
};

template <const StructDef &D>
struct Choice {
  static void free(void *v) { free_record(D, v); }
  static Len total(const void *v) { return choice_total_length(D, v); }
  static int enc(KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *c) {
    return choice_encode(D, s, v, w, c);
  }
  static int dec(KORVU_STREAM *s, const Header &h, void **o, uint32_t *n, KORVU_ERR_CTX *c, int depth) {
    return choice_decode(D, s, h, o, n, c, depth);
  }
  static bool accepts(const Header &h) { return choice_accepts(D, h); }
  static constexpr TypeOps ops = {&free, nullptr, &total, nullptr, nullptr, &enc, &dec, nullptr, &D, &accepts};
};

template <const StructDef &D>
constexpr TypeOps ops_of() {
  if constexpr (D.kind == Kind::Choice)
    return Choice<D>::ops;
  else
    return Sequence<D>::ops;
}

// A type that is another type under a tag of its own (X.680 31.2): LDAP's
// [APPLICATION 2] IMPLICIT NULL, say. The row gives the tag; the value is a
// value of `Base`. Implicit: the contents are Base's contents. Explicit: the
// contents are Base's whole encoding.
template <uint32_t Type, uint32_t Base, Tagging How>
struct Alias {
  static_assert(How != Tagging::None, "an alias is tagged");
  static_assert(!(How == Tagging::Implicit && untagged_row(Base)),
                "IMPLICIT over a CHOICE or ANY (X.680 31.2.7): tag it EXPLICIT");
  static_assert(!untagged_row(Type), "an alias row carries its own tag");
  static void free(void *v) { value_free(Base, v); }
  static Len length(const void *v) {
    return How == Tagging::Implicit ? value_content_length(Base, v) : value_length(Base, v);
  }
  static int enc(KORVU_STREAM *s, const void *v, uint32_t len, uint32_t *w, KORVU_ERR_CTX *c);
  static int dec(KORVU_STREAM *s, void **o, int p, uint32_t len, uint32_t *n, KORVU_ERR_CTX *c, int depth);
  static constexpr TypeOps ops = {&free, &length, nullptr, &enc, &dec, nullptr, nullptr, nullptr, nullptr};
};

int alias_encode(uint32_t type, uint32_t base, bool implicit, KORVU_STREAM *s, const void *v, uint32_t len,
                 uint32_t *w, KORVU_ERR_CTX *c);
int alias_decode(uint32_t type, uint32_t base, bool implicit, KORVU_STREAM *s, void **o, int p, uint32_t len,
                 uint32_t *n, KORVU_ERR_CTX *c, int depth);

template <uint32_t Type, uint32_t Base, Tagging How>
int Alias<Type, Base, How>::enc(KORVU_STREAM *s, const void *v, uint32_t len, uint32_t *w, KORVU_ERR_CTX *c) {
  return alias_encode(Type, Base, How == Tagging::Implicit, s, v, len, w, c);
}
template <uint32_t Type, uint32_t Base, Tagging How>
int Alias<Type, Base, How>::dec(KORVU_STREAM *s, void **o, int p, uint32_t len, uint32_t *n, KORVU_ERR_CTX *c,
                                int depth) {
  return alias_decode(Type, Base, How == Tagging::Implicit, s, o, p, len, n, c, depth);
}

// The registry operations of table D, registered as type N, with one of them
// replaced by a hook of the type's own:
//   KORVU_REGISTER_TYPE(N) = st::with_hook<N, kTable>(&TypeOps::content_length, my_length);
template <uint32_t N, const StructDef &D, class Op>
constexpr TypeOps with_hook(Op TypeOps::*slot, Op hook) {
  static_assert(check_table(D, N), "table checked against its row");
  TypeOps ops = ops_of<D>();
  ops.*slot = hook;
  return ops;
}

// 1 and the choice number of a CHOICE record in *choice, or 0 for a null argument.
inline int choice_number(const void *record, uint32_t *choice) {
  if (record == nullptr || choice == nullptr) return 0;
  *choice = choice_of(record);
  return 1;
}

// ---- exports that only delegate ---------------------------------------------
// Each takes the signature of its declaration in the public header, so the
// definition is the one line that names the export, its table and the member.
template <class A, class B>
inline constexpr bool same_pointee =
    std::is_same_v<std::remove_cv_t<std::remove_pointer_t<A>>, std::remove_cv_t<std::remove_pointer_t<B>>>;

template <class F>
struct Signature;
template <class R, class A>
struct Signature<R (*)(A)> {
  using Result = R;
  using Arg = A;
  using Record = std::remove_cv_t<std::remove_pointer_t<A>>;
};

}  // namespace korvu::st

// The component stored in `member` of the record, or null when absent.
#define KORVU_GET(fn, def, member)                                                                       \
  KORVU_API ::korvu::st::Signature<decltype(&fn)>::Result fn(::korvu::st::Signature<decltype(&fn)>::Arg r) { \
    using S_ = ::korvu::st::Signature<decltype(&fn)>;                                                    \
    constexpr uint32_t i_ = ::korvu::st::index_at(def, offsetof(S_::Record, member));                    \
    static_assert(::korvu::st::same_pointee<S_::Result, decltype(S_::Record::member)>,                   \
                  "a getter returns the member's own C type");                                           \
    return static_cast<S_::Result>(::korvu::st::get(def, r, i_));                                        \
  }                                                                                                      \
  static_assert(true, "")

// 1 when the component stored in `member` is present, else 0.
#define KORVU_HAS(fn, def, member)                                                    \
  KORVU_API int fn(::korvu::st::Signature<decltype(&fn)>::Arg r) {                    \
    using S_ = ::korvu::st::Signature<decltype(&fn)>;                                 \
    constexpr uint32_t i_ = ::korvu::st::index_at(def, offsetof(S_::Record, member)); \
    return ::korvu::st::has(def, r, i_);                                              \
  }                                                                                   \
  static_assert(true, "")

// The same for a component of the record's `via` component (a Certificate's
// TBSCertificate, say), whose table is `def`.
#define KORVU_GET_IN(fn, via, def, member)                                                                    \
  KORVU_API ::korvu::st::Signature<decltype(&fn)>::Result fn(::korvu::st::Signature<decltype(&fn)>::Arg r) { \
    using S_ = ::korvu::st::Signature<decltype(&fn)>;                                                         \
    using In_ = std::remove_pointer_t<decltype(r->via)>;                                                      \
    constexpr uint32_t i_ = ::korvu::st::index_at(def, offsetof(In_, member));                                \
    return static_cast<S_::Result>(::korvu::st::get(def, r ? r->via : nullptr, i_));                         \
  }                                                                                                           \
  static_assert(true, "")
#define KORVU_HAS_IN(fn, via, def, member)                                         \
  KORVU_API int fn(::korvu::st::Signature<decltype(&fn)>::Arg r) {                 \
    using In_ = std::remove_pointer_t<decltype(r->via)>;                           \
    constexpr uint32_t i_ = ::korvu::st::index_at(def, offsetof(In_, member));     \
    return ::korvu::st::has(def, r ? r->via : nullptr, i_);                        \
  }                                                                                \
  static_assert(true, "")

// The value of a CHOICE record when it holds alternative `n`, else null.
#define KORVU_GET_CHOICE(fn, n)                                                                               \
  KORVU_API ::korvu::st::Signature<decltype(&fn)>::Result fn(::korvu::st::Signature<decltype(&fn)>::Arg r) { \
    return static_cast<::korvu::st::Signature<decltype(&fn)>::Result>(::korvu::st::get_choice(r, n));        \
  }                                                                                                           \
  static_assert(true, "")

// A new CHOICE record holding a copy of the argument as alternative `n`.
#define KORVU_NEW_CHOICE(fn, def, n)                                                                          \
  KORVU_API ::korvu::st::Signature<decltype(&fn)>::Result fn(::korvu::st::Signature<decltype(&fn)>::Arg v) { \
    static_assert(::korvu::st::same_pointee<::korvu::st::Signature<decltype(&fn)>::Arg,                       \
                                            ::korvu::st::record_of<::korvu::st::alternative_type(def, n)> *>, \
                  "the argument is the record of the alternative's type");                                    \
    return static_cast<::korvu::st::Signature<decltype(&fn)>::Result>(::korvu::st::new_choice(def, n, v));   \
  }                                                                                                           \
  static_assert(true, "")

// A row naming the member that holds the component: its C type is checked
// against the record of `type` (or KORVU_ASN1_LIST for a list component).
#define KORVU_FIELD(type, Record, member) \
  ::korvu::st::field_of<type, decltype(Record::member)>(offsetof(Record, member))
// The same for a `void *` member that the public record leaves open (a
// ContentInfo that is also read as other types): checked to be `void *`.
#define KORVU_FIELD_OPEN(type, Record, member) \
  ::korvu::st::field(type, ::korvu::st::open_member<decltype(Record::member)>(offsetof(Record, member)))
// An OCTET STRING (SIZE (n)) held in `unsigned char member[n]`.
#define KORVU_INLINE_OCTETS(Record, member) \
  ::korvu::st::inline_octets(offsetof(Record, member), ::korvu::st::inline_size<decltype(Record::member)>())

// Registers a table under its catalogue row, checking both when it compiles,
// and that the table's record is the row's C record.
#define KORVU_REGISTER_STRUCT(n, def)                                                                       \
  static_assert(::korvu::st::check_table(def, n), "table checked against its row");                    \
  static_assert(::korvu::st::CType<n>::known, "the type number has no C record: add KORVU_CTYPE");       \
  static_assert(def.size == sizeof(::korvu::st::record_of<n>), "the table's record is not the row's C record"); \
  KORVU_REGISTER_TYPE(n) = ::korvu::st::ops_of<def>()

#endif
