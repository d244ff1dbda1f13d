// Tables of the structure engine: a type's rows with its record size, kind
// and hooks (StructDef), and the checks a table passes when it compiles.
#ifndef KORVU_CORE_STRUCT_DEF_H
#define KORVU_CORE_STRUCT_DEF_H

#include "struct_row.h"

namespace korvu::st {

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
  // Bit i (i < 32): component i is plain (plain_field), which lets the reader
  // of held contents read it without the per-component rules.
  uint32_t plain = 0;
  // Bit i: component i is plain and of OCTET STRING or a character string
  // type, whose primitive values the reader copies straight from their header.
  uint32_t octets = 0;

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

// A required, untagged component of a row with a tag of its own (or a SEQUENCE
// OF / SET OF without SIZE), with nothing noted beside its value: no flag,
// kept octets, offsets, SIZE or acceptance rule.
constexpr bool plain_field(const Field &f) {
  if (f.tagging != Tagging::None || f.presence != Presence::Required || f.accept != nullptr || f.kept != kNone ||
      f.at != kNone || f.end_at != kNone || f.flag != kNone || f.constructed_only || f.min_size != 0 ||
      f.max_size != 0)
    return false;
  if (f.shape == Shape::Value) return !untagged_row(f.type);
  return f.shape == Shape::SequenceOf || f.shape == Shape::SetOf;
}

// A plain component whose values are the OCTET STRING record (the character
// strings share it), read from a primitive encoding by copying its contents.
constexpr bool octets_field(const Field &f) {
  return plain_field(f) && f.shape == Shape::Value &&
         (f.type == KORVU_TYPE_OCTET_STRING || (f.type >= KORVU_TYPE_UTF8STRING && f.type <= KORVU_TYPE_BMPSTRING));
}

template <size_t N>
constexpr StructDef sequence(uint32_t type, const Field (&fields)[N], uint32_t size) {
  StructDef d;
  d.type = type;
  d.fields = fields;
  d.count = N;
  d.size = size;
  for (size_t i = 0; i < N && i < 32; i++)
    if (plain_field(fields[i])) {
      d.plain |= 1u << i;
      if (octets_field(fields[i])) d.octets |= 1u << i;
    }
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

}  // namespace korvu::st

#endif
