// The reader of held contents (struct_mem.cpp): records and their components.
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct_mem.h"

namespace korvu::st::eng::mem {
namespace {

// field_accepts, inline for the common rows.
inline bool accepts(const Field &f, const Header &h) {
  if (f.constructed_only && h.primitive) return false;
  if (f.tagging != Tagging::None) return h.tag_class == f.tag_class && h.tag == f.tag;
  if (f.shape != Shape::Value) return field_accepts(f, h);
  if (h.tag_class == 0 && h.tag == 0) return false;
  const TypeDesc *t = type_desc(f.type);
  if (t->ops != nullptr && t->ops->accepts != nullptr) return t->ops->accepts(h);
  if (untagged_row(f.type)) return true;
  return h.tag_class == t->tag_class && h.tag == t->tag_number;
}

inline bool sized(const Field &f, const void *v) { return (f.min_size == 0 && f.max_size == 0) || size_ok(f, v); }

// The elements of list component f in the `length` octets at the input
// position, at `depth` (read_list's rules: the minimum checked while reading
// unless a SIZE code is reported, the SIZE after).
inline bool read_list(const Field &f, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length, void **v, int depth) {
  KORVU_ASN1_LIST *l = nullptr;
  if (!read_elems(reader_of(f.type), f.size_code ? 0 : f.min_size, s, ctx, length, &l, depth)) return false;
  if (!sized(f, l)) {
    korvu_asn1_list_free(l, f.type);
    return false;
  }
  *v = l;
  return true;
}

// A list component after its header.
inline bool read_list_field(const Field &f, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, const Header &h, void **v, int depth) {
  return !h.primitive && read_list(f, s, ctx, h.length, v, depth + 1);
}

// One component after its header (read_tagged's rules); its contents must
// be read exactly.
bool read_field_value(const Field &f, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, const Header &h, void *record, void **v,
                      int depth) {
  const size_t end = s->pos + h.length;
  switch (f.tagging) {
    case Tagging::None:
      if (is_list(f)) return read_list_field(f, s, ctx, h, v, depth);
      if (!is_inline(f)) return read_with(reader_of(f.type), s, ctx, h, v, depth + 1);
      break;
    case Tagging::Implicit:
      if (is_list(f)) return read_list_field(f, s, ctx, h, v, depth);
      break;
    case Tagging::Explicit: {
      if (is_inline(f)) break;
      Header inner;
      if (h.primitive || !take_header(s, end, inner) || s->pos + inner.length != end) return false;
      if (is_list(f))
        return inner.tag_class == 0 && inner.tag == list_tag(f) && read_list_field(f, s, ctx, inner, v, depth);
      return read_with(reader_of(f.type), s, ctx, inner, v, depth + 1);
    }
  }
  // Inline octets and implicitly tagged values: the general reader.
  const size_t at = s->pos;
  uint32_t n = 0;
  if (read_tagged(f, s, h, record, v, &n, ctx, depth) == 1 && n == h.length && s->pos == end) return true;
  free_value(f, *v);
  *v = nullptr;
  s->pos = at;
  return false;
}

// One component (field_decode's rules), with its kept octets.
bool read_field(const Field &f, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, const Header &h, void *record, int depth,
                const InPlace *plan) {
  const size_t start = s->pos;
  void *v = nullptr;
  if (!read_field_value(f, s, ctx, h, record, &v, depth)) return false;
  if (!is_list(f) && !sized(f, v)) {
    free_value(f, v);
    return false;
  }
  if (f.kept != kNone) {
    const uint64_t total = static_cast<uint64_t>(h.size) + h.length;
    const unsigned char *inside = plan != nullptr ? in_place_copy(*plan, h, start, total) : nullptr;
    unsigned char *p = const_cast<unsigned char *>(inside);
    if (p == nullptr && (p = static_cast<unsigned char *>(KORVU_ALLOC(total))) != nullptr)
      std::memcpy(p, s->data + start - h.size, total);
    if (p == nullptr) {
      free_value(f, v);
      return false;
    }
    at<Kept>(record, f.kept) = Kept{p, static_cast<uint32_t>(total), 1};
  }
  if (!is_inline(f)) at<void *>(record, f.offset) = v;
  if (f.flag != kNone) at<uint32_t>(record, f.flag) = 1;
  return true;
}

// The components of a SEQUENCE in [s->pos, end) (decode_components' rules).
bool read_components(const StructDef &d, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, size_t end, void *record, int depth,
                     const InPlace *plan) {
  const size_t start = s->pos;
  Header h;
  bool pending = false;
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    if (!pending && i < 32 && (d.octets >> i & 1u)) {
      // A primitive string with a short length, copied (its row is universal).
      void *v = nullptr;
      const int taken = take_short_string(s, end, kCatalog[f.type].tag_number, v);
      if (taken < 0) return false;
      if (taken > 0) {
        at<void *>(record, f.offset) = v;
        continue;
      }
    }
    if (!pending && s->pos < end) {
      if (!take_header(s, end, h)) return false;
      pending = true;
    }
    if (pending && i < 32 && (d.plain >> i & 1u)) {
      // A plain component: its reader checks the identifier (a type read
      // whole, by its operations, is checked here first).
      void *v = nullptr;
      bool ok;
      if (is_list(f)) {
        // No SIZE: read_list without its size rules.
        ok = !h.primitive && h.tag_class == 0 && h.tag == list_tag(f) &&
             read_elems(reader_of(f.type), 0, s, ctx, h.length, reinterpret_cast<KORVU_ASN1_LIST **>(&v), depth + 1);
      } else {
        const Reader r = reader_of(f.type);
        if (r.kind == Reader::Octets && h.primitive)
          ok = copy_string(r.t, s, h, &v);
        else
          ok = (r.kind != Reader::Whole || accepts(f, h)) && read_with(r, s, ctx, h, &v, depth + 1);
      }
      if (!ok) return false;
      at<void *>(record, f.offset) = v;
      pending = false;
      continue;
    }
    bool accepted = pending && accepts(f, h);
    if (accepted && f.accept != nullptr) accepted = f.accept(h, s->data + s->pos, h.length < kPeek ? h.length : kPeek);
    if (accepted) {
      const size_t first = s->pos - h.size;
      if (!read_field(f, s, ctx, h, record, depth, plan)) return false;
      set_offset(f, record, first - start);
      set_end(f, record, s->pos - start);
      pending = false;
    } else if (f.presence == Presence::Required) {
      return false;
    } else if (f.presence == Presence::Default) {
      void *v = default_value(f);
      if (v == nullptr) return false;
      at<void *>(record, f.offset) = v;
    }
  }
  return !pending && s->pos == end;
}

}  // namespace

// A record of table d from the `length` octets at the input position
// (decode_record's rules; `whole` as there).
bool read_record(const StructDef &d, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length, void **out, int depth,
                 const Header *whole) {
  if (depth_exceeded(depth) || d.choice()) return false;
  const size_t start = s->pos;
  const size_t whole_size = whole != nullptr ? static_cast<size_t>(whole->size) + length : 0;
  void *record = alloc_record(d, whole_size);
  if (record == nullptr) return false;
  InPlace plan{0, 0, nullptr};
  if (whole != nullptr) {
    auto *copy = static_cast<unsigned char *>(record) + tail_offset(d);
    std::memcpy(copy, s->data + start - whole->size, whole_size);
    at<Kept>(record, d.kept) = Kept{copy, static_cast<uint32_t>(whole_size), 1};
    plan = InPlace{start, length, copy + whole->size};
  }
  bool ok;
  if (d.kind == Kind::List) {
    const Field &f = d.fields[0];
    void *l = nullptr;
    ok = read_list(f, s, ctx, length, &l, depth);
    if (ok) at<void *>(record, f.offset) = l;
  } else {
    ok = read_components(d, s, ctx, start + length, record, depth, whole != nullptr ? &plan : nullptr);
  }
  ok = ok && (d.finish == nullptr || d.finish(record, ctx) == 1) && (d.check == nullptr || d.check(record, ctx) == 1);
  if (!ok) {
    free_record(d, record);
    s->pos = start;
    return false;
  }
  *out = record;
  return true;
}

}  // namespace korvu::st::eng::mem

namespace korvu::st::eng {

bool mem_decode_record(const StructDef &d, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length, void **out, int depth,
                       const Header *whole) {
  if (!stream::is_mem(s) || length == 0xFFFFFFFFu || s->pos > s->size || length > s->size - s->pos) return false;
  return mem::read_record(d, s, ctx, length, out, depth, whole);
}

}  // namespace korvu::st::eng
