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

#include <utility>

#include "struct_def.h"

namespace korvu::st {

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
                                  &D,
                                  nullptr,
                                  TypeOps::MemRead::Table};
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
  // A decoder of the type's own replaces the table's, also for memory input.
  if constexpr (std::is_same_v<Op, decltype(TypeOps::decode_tlv)>) {
    if (slot == &TypeOps::decode_tlv) ops.mem_read = TypeOps::MemRead::None;
  } else if constexpr (std::is_same_v<Op, decltype(TypeOps::decode_content)>) {
    if (slot == &TypeOps::decode_content) ops.mem_read = TypeOps::MemRead::None;
  }
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
