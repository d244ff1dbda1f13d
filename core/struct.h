// The structure engine: one mechanism that frees, measures, encodes, decodes,
// builds and reads every SEQUENCE and CHOICE type of the library from a
// constant table of its components.
//
// A SEQUENCE is a record of owned pointers (and 32-bit present flags); its
// table says, for each component in order, the component's type number, where
// its pointer lives, how it is tagged and whether it may be absent. A CHOICE
// is a record { uint32_t choice; void *value; } with a table of alternatives.
// A type plugs in with one line:
//
//   KORVU_REGISTER_TYPE(33) = korvu::st::Sequence<kAlgorithmIdentifier>::ops;
//
// and its exports are one-liners over new_record / get / has.
#ifndef KORVU_CORE_STRUCT_H
#define KORVU_CORE_STRUCT_H

#include <cstddef>
#include <initializer_list>

#include "internal.h"

namespace korvu::st {

inline constexpr uint16_t kNone = 0xFFFF;

enum class Tagging : uint8_t { None, Implicit, Explicit };
enum class Shape : uint8_t { Value, SequenceOf, SetOf };
enum class Presence : uint8_t { Required, Optional, Default };

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
  uint16_t offset = 0;           // offsetof the owning pointer in the record
  uint16_t flag = kNone;         // offsetof a uint32_t present flag, if any
  Presence presence = Presence::Required;
  Tagging tagging = Tagging::None;
  uint8_t tag_class = 0x80;      // class of the tag (context-specific unless said)
  uint32_t tag = 0;              // tag number when tagged
  Shape shape = Shape::Value;
  uint8_t min_size = 0;          // SIZE (n..MAX) of a list component
  const unsigned char *def = nullptr;  // DEFAULT value, DER of the untagged type
  uint8_t def_len = 0;
  int32_t code = 0;              // encode-failure code reported for this component
                                 // (decode: code + 1); 0 means the component type's
  uint16_t kept = kNone;         // offsetof a Kept holding this component's TLV
  uint32_t choice = 0;           // CHOICE alternatives: the choice number

  // Builders, so that a table row reads like the ASN.1.
  constexpr Field optional(uint16_t flag_offset = kNone) const {
    Field f = *this;
    f.presence = Presence::Optional;
    f.flag = flag_offset;
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
  constexpr Field defaults(const unsigned char *der, uint8_t len) const {
    Field f = *this;
    f.presence = Presence::Default;
    f.def = der;
    f.def_len = len;
    return f;
  }
  constexpr Field sequence_of(uint8_t min = 0) const {
    Field f = *this;
    f.shape = Shape::SequenceOf;
    f.min_size = min;
    return f;
  }
  constexpr Field set_of(uint8_t min = 0) const {
    Field f = *this;
    f.shape = Shape::SetOf;
    f.min_size = min;
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
  constexpr Field as_choice(uint32_t n) const {
    Field f = *this;
    f.choice = n;
    return f;
  }
};

// A component: type number and record offset.
constexpr Field field(uint32_t type, uint16_t offset) {
  Field f;
  f.type = type;
  f.offset = offset;
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

struct StructDef {
  uint32_t type = 0;          // the type's own number (its row gives tag and codes)
  const Field *fields = nullptr;
  uint32_t count = 0;
  uint32_t size = 0;          // sizeof the record
  bool choice = false;        // a CHOICE: fields are the alternatives
  uint16_t kept = kNone;      // offsetof a Kept with the whole TLV (signed structures)
  uint32_t kept_capacity = 1024;
  // Checks a record after decoding and before encoding (0 refuses it; the
  // check records its own error).
  int (*check)(const void *record, KORVU_ERR_CTX *ctx) = nullptr;
  // Completes a record after decoding or construction (derived flags); 0
  // refuses it.
  int (*finish)(void *record, KORVU_ERR_CTX *ctx) = nullptr;
  // Code reported when contents remain after the last component.
  uint32_t leftover_code = kErrIncorrectItem;
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
  d.choice = true;
  return d;
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
int choice_no_content(KORVU_STREAM *, void **, int, uint32_t, uint32_t *, KORVU_ERR_CTX *, int);

// True when a header can start a value of `type` (used to find optional
// components and CHOICE alternatives).
bool type_accepts(uint32_t type, const Header &h);

// Whole length, encoding and decoding of one component.
Len field_length(const Field &f, const void *record);
int field_encode(const Field &f, KORVU_STREAM *s, const void *record, uint32_t *written, KORVU_ERR_CTX *ctx);
int field_decode(const Field &f, KORVU_STREAM *s, const Header &h, void *record, uint32_t *consumed,
                 KORVU_ERR_CTX *ctx, int depth);

// ---- constructors and getters ----------------------------------------------
// A new record from borrowed arguments, one per component in table order
// (null for an absent optional, or for a default). Every argument is copied
// (lists element by element); null when a required argument is null, a copy
// fails or memory runs out.
void *new_record(const StructDef &d, std::initializer_list<const void *> args);
// A new CHOICE record holding a copy of `value` as alternative `choice`.
void *new_choice(const StructDef &d, uint32_t choice, const void *value);
// Component i of a record, null when the record is null or it is absent.
void *get(const StructDef &d, const void *record, uint32_t i);
int has(const StructDef &d, const void *record, uint32_t i);
// The value of a CHOICE record when its choice number is `choice`.
void *get_choice(const void *record, uint32_t choice);
uint32_t choice_of(const void *record);  // 0xFFFFFFFF for null

// Encodes `write` into a new block and stores it in `kept`.
template <class Write>
inline int fill_kept(Kept &kept, uint32_t capacity, KORVU_ERR_CTX *ctx, Write &&write) {
  KORVU_STREAM *m = korvu_stream_new_mem(capacity, ctx);
  if (m == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  int r = write(m);
  if (r == 1) {
    unsigned char *data = nullptr;
    uint32_t len = 0;
    if (korvu_memstreamdeatch(m, &data, &len) != 1 || data == nullptr) {
      korvu_free(data);
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      r = 0;
    } else {
      kept = Kept{data, len, 1};
    }
  }
  korvu_stream_free(m);
  return r;
}

// Writes the encoding of a record into its Kept (if it has none yet).
int ensure_kept(const StructDef &d, const void *record, KORVU_ERR_CTX *ctx);

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
  static constexpr bool kKept = D.kept != kNone;
  static constexpr TypeOps ops = {&free,
                                  &length,
                                  kKept ? &total : nullptr,
                                  &enc,
                                  &dec,
                                  kKept ? &whole_enc : nullptr,
                                  kKept ? &whole_dec : nullptr,
                                  nullptr,
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
  static constexpr TypeOps ops = {&free, nullptr, &total, nullptr, nullptr, &enc, &dec, nullptr, &D};
};

}  // namespace korvu::st

#endif
