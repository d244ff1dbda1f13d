// Inside the reader of held contents (struct_mem.cpp, struct_mem_record.cpp):
// headers read in place, and how values of one type are read.
#ifndef KORVU_CORE_STRUCT_MEM_H
#define KORVU_CORE_STRUCT_MEM_H

#include "struct_engine.h"

namespace korvu::st::eng::mem {

// The octets left before `end`.
inline size_t left(const KORVU_STREAM *s, size_t end) { return end - s->pos; }

// The size and contents length of the header at `p` (`n` octets left) when it
// has a tag number below 31 and a definite length of at most three octets
// whose contents end within those `n` octets; false for any other header.
inline bool short_header(const unsigned char *p, size_t n, uint32_t &size, uint32_t &length) {
  if (n < 2 || (p[0] & 0x1F) == 0x1F || p[0] == 0x00) return false;
  const unsigned char l = p[1];
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
  return length <= n - size;
}

// The header at the input position, when short_header reads it with its
// contents ending by `end`; the position moves past it. False leaves the
// position alone.
inline bool take_header(KORVU_STREAM *s, size_t end, Header &h) {
  const size_t n = left(s, end);
  const unsigned char *p = s->data + s->pos;
  uint32_t size, length;
  if (!short_header(p, n, size, length)) return false;
  const unsigned char id = p[0];
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

// A primitive string under identifier octet `id` with a short length, read
// at the input position into a new value `v` (short_header's and fits_row's
// rules for such a header). 1 when read, 0 when the next element is not such
// a string (nothing done), -1 when memory runs out.
inline int take_short_string(KORVU_STREAM *s, size_t end, uint32_t id, void *&v) {
  const unsigned char *p = s->data + s->pos;
  const size_t n = end - s->pos;
  if (n < 2 || p[0] != id || p[1] >= 0x80 || p[1] > n - 2) return 0;
  if ((v = octetstring_copy(p + 2, p[1])) == nullptr) return -1;
  s->pos += 2 + p[1];
  return 1;
}

// True when a header is under the identifier of type `t`'s row (class, number
// and, unless either form is allowed, the form).
inline bool fits_row(const Header &h, const TypeDesc *t) {
  return h.tag_class == t->tag_class && h.tag == t->tag_number &&
         (t->form == KORVU_FORM_EITHER || static_cast<uint32_t>(h.primitive) == t->form);
}

// A primitive string value under type `t`'s row whose header h was read:
// its contents copied into a new value `v`.
inline bool copy_string(const TypeDesc *t, KORVU_STREAM *s, const Header &h, void **v) {
  if (!fits_row(h, t) || (*v = octetstring_copy(s->data + s->pos, h.length)) == nullptr) return false;
  s->pos += h.length;
  return true;
}

// How values of one type are read, resolved once for a component or a list.
struct Reader {
  enum Kind : uint8_t { None, Record, List, Octets, Contents, Whole };
  uint32_t type;
  const TypeDesc *t;
  Kind kind;
};

inline Reader reader_of(uint32_t type) {
  const TypeDesc *t = type_desc(type);
  const TypeOps *o = t != nullptr ? t->ops : nullptr;
  if (o == nullptr) return Reader{type, t, Reader::None};
  if (o->mem_read == TypeOps::MemRead::List) return Reader{type, t, Reader::List};
  if (o->mem_read == TypeOps::MemRead::Octets) return Reader{type, t, Reader::Octets};
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

// A value whose header h was read (decode_after_header's rules).
bool read_with(const Reader &r, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, const Header &h, void **v, int depth);
// A list of values read by `e` in the `length` octets at the input position.
bool read_elems(const Reader &e, uint32_t min, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length,
                KORVU_ASN1_LIST **out, int depth);
// A record of table d from the `length` octets at the input position.
bool read_record(const StructDef &d, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length, void **out, int depth,
                 const Header *whole);

}  // namespace korvu::st::eng::mem

#endif
