// The structure engine: records whose definite contents a memory input holds
// whole, read on a position and an end instead of through a stream call per
// header and a registry dispatch per component. This file: values and lists;
// struct_mem_record.cpp: records and their components.
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
#include "struct_mem.h"

namespace korvu::st::eng::mem {
namespace {

// Undoes a value read by its type's operations that did not read its
// contents exactly.
__attribute__((noinline)) bool undo(uint32_t type, KORVU_STREAM *s, size_t at, void **v) {
  value_free(type, *v);
  *v = nullptr;
  s->pos = at;
  return false;
}

}  // namespace

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
    case Reader::Octets:
      // take_header left a primitive one's contents within the input.
      if (h.primitive) return copy_string(t, s, h, v);
      if (!fits_row(h, t)) return false;
      rc = t->ops->decode_content(s, v, h.primitive, h.length, &n, ctx, depth);
      break;
    case Reader::Contents:
      if (!fits_row(h, t)) return false;
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

namespace {

// The octets of the next element (header and contents) at `p`, `n` of them
// left, or 0 when its header is not one take_header reads.
inline size_t element_size(const unsigned char *p, size_t n) {
  uint32_t size, length;
  return short_header(p, n, size, length) ? size + static_cast<size_t>(length) : 0;
}

}  // namespace

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
  // The identifier octet of a primitive string element (none past 0xFF).
  const uint32_t octets_id = e.kind == Reader::Octets && t->tag_number < 31 ? t->tag_class | t->tag_number : 0x100;
  const StructDef *record_def = e.kind == Reader::Record ? static_cast<const StructDef *>(t->ops->def) : nullptr;
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
    const int taken = take_short_string(s, end, octets_id, v);
    if (taken < 0) goto fail;
    if (taken > 0) {
      // A primitive string with a short length, copied.
    } else if (!take_header(s, end, h)) {
      goto fail;
    } else if (e.kind == Reader::Record) {
      // A record under its row's identifier, read directly.
      if (h.primitive || h.tag_class != t->tag_class || h.tag != t->tag_number ||
          !read_record(*record_def, s, ctx, h.length, &v, depth + 1, record_def->kept != kNone ? &h : nullptr))
        goto fail;
    } else if ((e.kind == Reader::Whole && !any_tag && !fits_row(h, t)) || !read_with(e, s, ctx, h, &v, depth + 1)) {
      // Lists and contents readers check the identifier in read_with.
      goto fail;
    }
    if (list != nullptr)
      list->items[list->count++] = v;
    else
      gathered[count] = v;
    count++;
  }
  if (count < min) goto fail;
  if (list == nullptr) {
    if ((list = list::new_sized(count)) == nullptr) goto fail;
    for (uint32_t i = 0; i < count; i++) list->items[i] = gathered[i];
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

}  // namespace korvu::st::eng::mem
