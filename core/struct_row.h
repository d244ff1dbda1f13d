// Table rows of the structure engine: what one component of a SEQUENCE or
// one alternative of a CHOICE is (Field), and the builders a row is written
// with, so that it reads like the ASN.1. Rows name their member through
// KORVU_FIELD (struct.h), which checks the member's C type here (field_of).
#ifndef KORVU_CORE_STRUCT_ROW_H
#define KORVU_CORE_STRUCT_ROW_H

#include <cstddef>
#include <type_traits>

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

}  // namespace korvu::st

#endif
