// The structure engine: records whose definite contents a memory input holds
// whole, read on a position and an end instead of through a stream call per
// header and a registry dispatch per component; lists are counted before they
// are read, so each is allocated once at its size.
//
// This reader only ever succeeds with the record the general decoder
// (struct_decode.cpp, struct_read.cpp) would build from the same octets.
// Whatever it does not handle (an indefinite length, a tag number above 30,
// a primitive where a constructed value is due) and every failure leave the
// input where it was and nothing allocated: the general decoder then reads
// the record and reports what it finds. The types it does not read itself
// (strings, numbers, CHOICEs, hooks) are read by their own operations, on the
// same memory stream, into the context `ctx` that the caller hands on only
// when the record is read (the warnings of a value that decodes).
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct_engine.h"

namespace korvu::st::eng {
namespace {

// The octets left before `end`.
inline size_t left(const KORVU_STREAM *s, size_t end) { return end - s->pos; }

// The header at the input position, when it has a tag number below 31 and a
// definite length of at most three octets whose contents end by `end`; the
// position moves past it. False leaves the position alone.
inline bool take_header(KORVU_STREAM *s, size_t end, Header &h) {
  const size_t n = left(s, end);
  if (n < 2) return false;
  const unsigned char *p = s->data + s->pos;
  const unsigned char id = p[0], l = p[1];
  if ((id & 0x1F) == 0x1F || id == 0x00) return false;
  uint32_t size, length;
  if (l < 0x80) {
    size = 2;
    length = l;
  } else if (l == 0x81 && n >= 3) {
    size = 3;
    length = p[2];
  } else if (l == 0x82 && n >= 4) {
    size = 4;
    length = static_cast<uint32_t>(p[2]) << 8 | p[3];
  } else if (l == 0x83 && n >= 5) {
    size = 5;
    length = static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 8 | p[4];
  } else {
    return false;
  }
  if (length > n - size) return false;
  h.tag_class = id & 0xC0u;
  h.primitive = (id & 0x20) ? 0 : 1;
  h.tag = id & 0x1Fu;
  h.length = length;
  h.size = size;
  if (n >= 8)
    std::memcpy(h.raw, p, 8);  // the octets past `size` are not part of the header
  else
    std::memcpy(h.raw, p, size);
  s->pos += size;
  return true;
}

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

// How values of one type are read, resolved once for a component or a list.
struct Reader {
  enum Kind : uint8_t { None, Record, List, Contents, Whole };
  uint32_t type;
  const TypeDesc *t;
  Kind kind;
};

inline Reader reader_of(uint32_t type) {
  const TypeDesc *t = type_desc(type);
  const TypeOps *o = t != nullptr ? t->ops : nullptr;
  if (o == nullptr) return Reader{type, t, Reader::None};
  if (o->mem_read == TypeOps::MemRead::List) return Reader{type, t, Reader::List};
  if (o->mem_read == TypeOps::MemRead::Table && !static_cast<const StructDef *>(o->def)->shift_offsets)
    return Reader{type, t, Reader::Record};
  // A type whose values are their contents under the row's tag (OCTET
  // STRING's whole-value decoder only checks that tag first): its contents
  // decoder, as decode_after_header would call it.
  if ((o->decode_tlv == nullptr || type == KORVU_TYPE_OCTET_STRING) && o->decode_content != nullptr &&
      o->shift_offsets == nullptr)
    return Reader{type, t, Reader::Contents};
  return Reader{type, t, Reader::Whole};
}

bool read_elems(const Reader &e, uint32_t min, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length,
                KORVU_ASN1_LIST **out, int depth);
bool read_record(const StructDef &d, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length, void **out, int depth,
                 const Header *whole);

// Undoes a value read by its type's operations that did not read its
// contents exactly.
__attribute__((noinline)) bool undo(uint32_t type, KORVU_STREAM *s, size_t at, void **v) {
  value_free(type, *v);
  *v = nullptr;
  s->pos = at;
  return false;
}

// A value whose header h was read (decode_after_header's rules).
bool read_with(const Reader &r, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, const Header &h, void **v, int depth) {
  const TypeDesc *t = r.t;
  const size_t at = s->pos;
  uint32_t n = 0;
  int rc;
  switch (r.kind) {
    case Reader::Record: {
      if (h.primitive || h.tag_class != t->tag_class || h.tag != t->tag_number) return false;
      const auto &d = *static_cast<const StructDef *>(t->ops->def);
      return read_record(d, s, ctx, h.length, v, depth, d.kept != kNone ? &h : nullptr);
    }
    case Reader::List: {
      if (h.primitive || h.tag_class != t->tag_class || h.tag != t->tag_number) return false;
      const Reader e = reader_of(t->ops->mem_elem);
      return read_elems(e, t->ops->mem_min, s, ctx, h.length, reinterpret_cast<KORVU_ASN1_LIST **>(v), depth);
    }
    case Reader::Contents:
      if (h.tag_class != t->tag_class || h.tag != t->tag_number ||
          (t->form != KORVU_FORM_EITHER && static_cast<uint32_t>(h.primitive) != t->form))
        return false;
      rc = t->ops->decode_content(s, v, h.primitive, h.length, &n, ctx, depth);
      break;
    case Reader::Whole:
      rc = decode_after_header(s, r.type, h, v, &n, ctx, depth);
      break;
    default:
      return false;
  }
  if (rc == 1 && *v != nullptr && n == h.length && s->pos == at + n) return true;
  return undo(r.type, s, at, v);
}

// The octets of the next element (header and contents) at `p`, `n` of them
// left, or 0 when its header is not one take_header reads.
inline size_t element_size(const unsigned char *p, size_t n) {
  if (n < 2 || (p[0] & 0x1F) == 0x1F || p[0] == 0x00) return 0;
  const unsigned char l = p[1];
  size_t size, length;
  if (l < 0x80) {
    size = 2;
    length = l;
  } else if (l == 0x81 && n >= 3) {
    size = 3;
    length = p[2];
  } else if (l == 0x82 && n >= 4) {
    size = 4;
    length = static_cast<size_t>(p[2]) << 8 | p[3];
  } else if (l == 0x83 && n >= 5) {
    size = 5;
    length = static_cast<size_t>(p[2]) << 16 | static_cast<size_t>(p[3]) << 8 | p[4];
  } else {
    return 0;
  }
  return length <= n - size ? size + length : 0;
}

// A list of values read by `e` in the `length` octets at the input position
// (list::decode_content's rules: each element under its row's tag, at least
// `min` of them; elements at depth + 1). The list is one block of its size:
// the first kGathered elements are held here until the list is made, the
// elements of a longer one are counted first.
bool read_elems(const Reader &e, uint32_t min, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length,
                KORVU_ASN1_LIST **out, int depth) {
  constexpr uint32_t kGathered = 16;
  const TypeDesc *t = e.t;
  if (t == nullptr || e.kind == Reader::None || depth_exceeded(depth + 1)) return false;
  const bool any_tag = t->tag_class == 0 && t->tag_number == 0;
  const size_t start = s->pos, end = start + length;
  void *gathered[kGathered];
  uint32_t count = 0, total = 0;
  KORVU_ASN1_LIST *list = nullptr;
  Header h;
  while (s->pos < end) {
    if (count == kGathered && list == nullptr) {
      total = count;
      for (size_t at = s->pos; at < end; total++) {
        const size_t size = element_size(s->data + at, end - at);
        if (size == 0 || total == static_cast<uint32_t>(INT32_MAX)) goto fail;
        at += size;
      }
      if ((list = list::new_sized(total)) == nullptr) goto fail;
      std::memcpy(list->items, gathered, sizeof(void *) * count);
      list->count = static_cast<int32_t>(count);
    }
    void *v = nullptr;
    if (!take_header(s, end, h) ||
        (!any_tag && (h.tag_class != t->tag_class || h.tag != t->tag_number ||
                      (t->form != KORVU_FORM_EITHER && static_cast<uint32_t>(h.primitive) != t->form))) ||
        !read_with(e, s, ctx, h, &v, depth + 1))
      goto fail;
    if (list != nullptr)
      list->items[list->count++] = v;
    else
      gathered[count] = v;
    count++;
  }
  if (count < min) goto fail;
  if (list == nullptr) {
    if ((list = list::new_sized(count)) == nullptr) goto fail;
    if (count != 0) std::memcpy(list->items, gathered, sizeof(void *) * count);
    list->count = static_cast<int32_t>(count);
  }
  *out = list;
  return true;
fail:
  if (list != nullptr) {
    korvu_asn1_list_free(list, e.type);
  } else {
    for (uint32_t i = 0; i < count; i++) value_free(e.type, gathered[i]);
  }
  s->pos = start;
  return false;
}

inline bool sized(const Field &f, const void *v) { return (f.min_size == 0 && f.max_size == 0) || size_ok(f, v); }

// A list component (read_list's rules).
bool read_list_field(const Field &f, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, const Header &h, void **v, int depth) {
  KORVU_ASN1_LIST *l = nullptr;
  if (h.primitive || !read_elems(reader_of(f.type), f.size_code ? 0 : f.min_size, s, ctx, h.length, &l, depth + 1))
    return false;
  if (!sized(f, l)) {
    korvu_asn1_list_free(l, f.type);
    return false;
  }
  *v = l;
  return true;
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
    if (!pending && s->pos < end) {
      if (!take_header(s, end, h)) return false;
      pending = true;
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
    KORVU_ASN1_LIST *l = nullptr;
    ok = read_elems(reader_of(f.type), f.size_code ? 0 : f.min_size, s, ctx, length, &l, depth);
    if (ok && !sized(f, l)) {
      korvu_asn1_list_free(l, f.type);
      ok = false;
    }
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

}  // namespace

bool mem_decode_record(const StructDef &d, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length, void **out, int depth,
                       const Header *whole) {
  if (!stream::is_mem(s) || length == 0xFFFFFFFFu || s->pos > s->size || length > s->size - s->pos) return false;
  return read_record(d, s, ctx, length, out, depth, whole);
}

}  // namespace korvu::st::eng
