// The structure engine: record layout, allocation and free. Only this file
// knows what a record owns: every component value, and kept octets unless
// they lie in the record's own block.
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct_engine.h"

namespace korvu::st::eng {

// Layout of a record's block: the C record, then, for a record decoded from
// memory that keeps its whole TLV, (8-aligned) a copy of that TLV. The block
// is always at least one octet longer than the record, so the address just
// past it lies inside this block and starts no other one.
constexpr size_t align8(size_t n) { return (n + 7) & ~size_t{7}; }

size_t tail_offset(const StructDef &d) { return align8(d.size); }

// A new record block, zeroed, with `extra` octets after it (a kept TLV's copy).
// Only a record that keeps a TLV needs the octet past its head.
void *alloc_record(const StructDef &d, size_t extra) {
  const size_t head = tail_offset(d);
  const size_t size = extra != 0 ? head + extra : d.kept != kNone ? head + 1 : d.size;
  void *record = KORVU_ALLOC(size);
  if (record != nullptr) std::memset(record, 0, size < head ? size : head);
  return record;
}

// True when kept octets lie inside the record's own block (a copy made on
// decoding), so they are no block of their own.
bool kept_inside(const StructDef &d, const void *record, const unsigned char *p) {
  if (d.choice() || p == nullptr) return false;
  const auto tail = reinterpret_cast<uintptr_t>(record) + tail_offset(d);
  if (d.kept == kNone) return false;
  const Kept &whole = at<Kept>(record, d.kept);
  if (reinterpret_cast<uintptr_t>(whole.data) != tail) return false;
  const auto a = reinterpret_cast<uintptr_t>(p);
  return a >= tail && a < tail + whole.length;
}

void release_kept(const StructDef &d, void *record, Kept &k) {
  if (!kept_inside(d, record, k.data)) korvu_free(k.data);
  k = Kept{nullptr, 0, 0};
}

void free_value(const Field &f, void *v) {
  if (v == nullptr || is_inline(f)) return;
  if (is_list(f)) {
    // The element type's free looked up once for the list.
    const TypeDesc *t = type_desc(f.type);
    list::free_with(static_cast<KORVU_ASN1_LIST *>(v), t != nullptr && t->ops != nullptr ? t->ops->free : nullptr);
  } else
    value_free(f.type, v);
}

// A copy of a borrowed component value (lists element by element).
void *copy_value(const Field &f, const void *v) {
  if (!is_list(f)) return korvu_asn1_dupobject(f.type, v, nullptr);
  const KORVU_ASN1_LIST *src = as_list(v);
  KORVU_ASN1_LIST *dst = korvu_asn1_list_new();
  if (dst == nullptr) return nullptr;
  for (int32_t i = 0; i < src->count; i++) {
    void *e = korvu_asn1_dupobject(f.type, src->items[i], nullptr);
    if (e == nullptr || korvu_asn1_list_put(dst, e) != 1) {
      value_free(f.type, e);
      korvu_asn1_list_free(dst, f.type);
      return nullptr;
    }
  }
  return dst;
}

// The value an absent DEFAULT component holds: a new BOOLEAN word, or a new
// value decoded from the default's DER.
void *default_value(const Field &f) {
  if (f.type == KORVU_TYPE_BOOLEAN && f.def_len == 3) return korvu_asn1_boolean_new(f.def[2]);
  void *v = nullptr;
  if (korvu_asn1_mem_decode(f.def, f.def_len, f.type, &v) != f.def_len) {
    value_free(f.type, v);
    return nullptr;
  }
  return v;
}

bool equals_default(const Field &f, const void *v) {
  return f.presence == Presence::Default && v != nullptr && rules::equals(f.rule, f.type, f.def, f.def_len, v);
}

bool written(const Field &f, const void *record) {
  return present(f, record) && !equals_default(f, value_of(record, f));
}

// SIZE (min..max): elements of a list component, contents octets of a
// string component (so SIZE (1..MAX) refuses an empty string). Inline octets
// are checked when read.
bool size_ok(const Field &f, const void *v) {
  if (v == nullptr || is_inline(f) || (f.min_size == 0 && f.max_size == 0)) return true;
  Len n = is_list(f) ? static_cast<Len>(as_list(v)->count) : value_content_length(f.type, v);
  if (n == kLenError || n == kLenOverflow) return false;
  if (n == kLenIndef) return true;  // a constructed BER string: its octets are counted when written
  return n >= f.min_size && (f.max_size == 0 || n <= f.max_size);
}
void report_size(const Field &f, KORVU_ERR_CTX *ctx) { KORVU_ERR(ctx, f.size_code ? f.size_code : kErrIncorrectSize); }

}  // namespace korvu::st::eng

namespace korvu::st {

void free_record(const StructDef &d, void *record) {
  if (record == nullptr) return;
  if (d.choice()) {
    auto *c = static_cast<ChoiceRecord *>(record);
    for (uint32_t i = 0; i < d.count; i++)
      if (d.fields[i].choice == c->choice) {
        free_value(d.fields[i], c->value);
        break;
      }
  } else {
    for (uint32_t i = 0; i < d.count; i++) {
      const Field &f = d.fields[i];
      if (!is_inline(f)) free_value(f, at<void *>(record, f.offset));
      if (f.kept != kNone && !kept_inside(d, record, at<Kept>(record, f.kept).data))
        korvu_free(at<Kept>(record, f.kept).data);
    }
    if (d.kept != kNone && !kept_inside(d, record, at<Kept>(record, d.kept).data))
      korvu_free(at<Kept>(record, d.kept).data);
  }
  korvu_free(record);
}

}  // namespace korvu::st
