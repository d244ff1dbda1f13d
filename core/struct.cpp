// The structure engine: SEQUENCE and CHOICE types driven by their tables.
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct.h"

#include <cstring>

#include "../types/list_internal.h"

namespace korvu::st {

namespace {

template <class T>
T &at(void *record, uint16_t offset) {
  return *reinterpret_cast<T *>(static_cast<char *>(record) + offset);
}
template <class T>
const T &at(const void *record, uint16_t offset) {
  return *reinterpret_cast<const T *>(static_cast<const char *>(record) + offset);
}

void *value_of(const void *record, const Field &f) { return at<void *>(record, f.offset); }

bool present(const Field &f, const void *record) {
  if (value_of(record, f) == nullptr) return false;
  return f.flag == kNone || at<uint32_t>(record, f.flag) != 0;
}

bool is_list(const Field &f) { return f.shape != Shape::Value; }
uint32_t list_tag(const Field &f) { return f.shape == Shape::SequenceOf ? 16 : 17; }
list::ElemSpec elem_spec(const Field &f) { return list::ElemSpec{f.type}; }
const KORVU_ASN1_LIST *as_list(const void *v) { return static_cast<const KORVU_ASN1_LIST *>(v); }

const StructDef *def_of(uint32_t type) {
  const TypeDesc *d = type_desc(type);
  return d && d->ops ? static_cast<const StructDef *>(d->ops->def) : nullptr;
}

// Layout of a record's block: the C record, then (8-aligned) one slot per
// BOOLEAN component absent with a DEFAULT, then, for a record decoded from
// memory that keeps its whole TLV, a copy of that TLV. The block is always at
// least one octet longer than the slots, so the address just past them lies
// inside this block and starts no other one.
constexpr size_t align8(size_t n) { return (n + 7) & ~size_t{7}; }

// A BOOLEAN DEFAULT component: an absent one points at its slot.
bool slot_default(const Field &f) {
  return f.presence == Presence::Default && f.type == 1 && f.shape == Shape::Value && f.def != nullptr &&
         f.def_len == 3;
}

size_t slots_offset(const StructDef &d) { return align8(d.size); }

size_t tail_offset(const StructDef &d) {
  size_t n = slots_offset(d);
  if (!d.choice)
    for (uint32_t i = 0; i < d.count; i++)
      if (slot_default(d.fields[i])) n += 8;
  return n;
}

// The slot of component i (a slot_default one).
const void *slot_of(const StructDef &d, const void *record, uint32_t i) {
  size_t n = slots_offset(d);
  for (uint32_t j = 0; j < i; j++)
    if (slot_default(d.fields[j])) n += 8;
  return static_cast<const char *>(record) + n;
}

// Fills the slot of component i with its default and points the component at it.
void set_slot_default(const StructDef &d, void *record, uint32_t i) {
  const Field &f = d.fields[i];
  auto *w = static_cast<uint32_t *>(const_cast<void *>(slot_of(d, record, i)));
  *w = f.def[2];
  at<void *>(record, f.offset) = w;
}

// A new record block, zeroed up to its slots, with `extra` octets after them.
void *alloc_record(const StructDef &d, size_t extra) {
  const size_t head = tail_offset(d);
  void *record = KORVU_ALLOC(head + (extra ? extra : 1));
  if (record != nullptr) std::memset(record, 0, head);
  return record;
}

// Where the whole TLV of a record decoded in place lies in its input and in
// the record's block; components that keep their own TLV point into the copy.
struct InPlace {
  size_t src_start;              // input position of the first contents octet
  uint32_t length;               // contents length
  const unsigned char *contents; // the copy of the contents in the block
};

void report_encode(const Field &f, KORVU_ERR_CTX *ctx) {
  if (f.code != 0)
    KORVU_ERR(ctx, static_cast<uint32_t>(f.code));
  else
    KORVU_ENCODE_ERR(ctx, f.type);
}

void report_decode(const Field &f, KORVU_ERR_CTX *ctx) {
  if (f.code != 0)
    KORVU_ERR(ctx, static_cast<uint32_t>(f.code) + 1);
  else
    KORVU_DECODE_ERR(ctx, f.type);
}

void free_value(const Field &f, void *v) {
  if (v == nullptr) return;
  if (is_list(f))
    korvu_asn1_list_free(static_cast<KORVU_ASN1_LIST *>(v), f.type);
  else
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

void *default_value(const Field &f) {
  void *v = nullptr;
  if (korvu_asn1_mem_decode(f.def, f.def_len, f.type, &v) != f.def_len) {
    value_free(f.type, v);
    return nullptr;
  }
  return v;
}

// DER leaves out a component equal to its DEFAULT (X.690 11.5).
bool equals_default(const Field &f, const void *v) {
  if (f.presence != Presence::Default || v == nullptr) return false;
  if (f.type == 1) return (*static_cast<const uint32_t *>(v) != 0) == (f.def_len == 3 && f.def[2] != 0);
  if (f.type == 2 || f.type == 7) {
    auto *b = static_cast<const KORVU_DATA_BLOB *>(v);
    return f.def_len >= 2 && b->length == f.def_len - 2u && std::memcmp(b->data, f.def + 2, b->length) == 0;
  }
  KORVU_DATA_BLOB *blob = korvu_asn1_mem_encode(f.type, v);
  bool same = blob && blob->length == f.def_len && std::memcmp(blob->data, f.def, f.def_len) == 0;
  korvu_data_blob_free(blob);
  return same;
}

bool written(const Field &f, const void *record) { return present(f, record) && !equals_default(f, value_of(record, f)); }

// Contents length of the component's own (untagged) encoding.
Len inner_content_length(const Field &f, const void *v) {
  return is_list(f) ? list::content_length(as_list(v), elem_spec(f)) : value_content_length(f.type, v);
}

Len untagged_length(const Field &f, const void *v) {
  return is_list(f) ? tlv_length(list_tag(f), list::content_length(as_list(v), elem_spec(f)))
                    : value_length(f.type, v);
}

// Primitive or constructed, for a component written under an implicit tag.
int implicit_primitive(const Field &f, const void *v, Len content) {
  if (is_list(f)) return 0;
  const TypeDesc *d = type_desc(f.type);
  if (d->form != KORVU_FORM_EITHER) return static_cast<int>(d->form);
  if (f.type == 23) return static_cast<const KORVU_ASN1_ANY *>(v)->primitive ? 1 : 0;
  return content != kLenIndef;
}

bool bad(Len l) { return l == kLenError || l == kLenOverflow; }

int write_untagged(const Field &f, KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (!is_list(f)) return encode_value(s, f.type, v, w, ctx);
  Len l = list::content_length(as_list(v), elem_spec(f));
  if (bad(l)) {
    KORVU_ERR(ctx, kErrCalLength);
    return 0;
  }
  uint32_t head = 0, body = 0;
  int r = write_header(s, 0x00, 0, list_tag(f), static_cast<uint32_t>(l), &head, ctx);
  if (r != 1) return r;
  r = list::encode_content(s, as_list(v), elem_spec(f), static_cast<uint32_t>(l), &body, ctx);
  if (r == 1 && w) *w = head + body;
  return r;
}

int write_tagged(const Field &f, KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx) {
  uint32_t head = 0, body = 0;
  int r;
  if (f.tagging == Tagging::None) return write_untagged(f, s, v, w, ctx);
  if (f.tagging == Tagging::Implicit) {
    Len l = inner_content_length(f, v);
    if (bad(l)) {
      KORVU_ERR(ctx, kErrCalLength);
      return 0;
    }
    r = write_header(s, f.tag_class, implicit_primitive(f, v, l), f.tag, static_cast<uint32_t>(l), &head, ctx);
    if (r != 1) return r;
    if (is_list(f)) {
      r = list::encode_content(s, as_list(v), elem_spec(f), static_cast<uint32_t>(l), &body, ctx);
    } else {
      const TypeOps *o = type_desc(f.type)->ops;
      if (o == nullptr || o->encode_content == nullptr) {
        KORVU_ERR(ctx, KORVU_ERR_NULLARG);
        return 0;
      }
      r = o->encode_content(s, v, static_cast<uint32_t>(l), &body, ctx);
    }
  } else {
    Len l = untagged_length(f, v);
    if (bad(l)) {
      KORVU_ERR(ctx, kErrCalLength);
      return 0;
    }
    r = write_header(s, f.tag_class, 0, f.tag, static_cast<uint32_t>(l), &head, ctx);
    if (r != 1) return r;
    r = write_untagged(f, s, v, &body, ctx);
    if (r == 1 && l == kLenIndef) {
      r = write_eoc(s, ctx);
      body += 2;
    }
  }
  if (r == 1 && w) *w = head + body;
  return r;
}

// Reads an end-of-contents (00 00) closing an indefinite length.
int read_eoc(KORVU_STREAM *s, KORVU_ERR_CTX *ctx) {
  unsigned char b[2];
  int r = stream::readn(s, b, 2);
  if (r != 1 || b[0] != 0 || b[1] != 0) {
    if (r != 1) KORVU_ERR(ctx, static_cast<uint32_t>(r));
    KORVU_ERR(ctx, kErrDecodeEocOctets);
    return r != 1 ? r : 0;
  }
  return 1;
}

int read_list(const Field &f, KORVU_STREAM *s, const Header &h, void **v, uint32_t *n, KORVU_ERR_CTX *ctx,
              int depth) {
  KORVU_ASN1_LIST *l = nullptr;
  int r = list::decode_content(s, &l, h.primitive, h.length, elem_spec(f), n, ctx, depth + 1, f.min_size);
  *v = l;
  return r;
}

// Decodes the component whose header h has been read; contents octets only
// are counted in n.
int read_tagged(const Field &f, KORVU_STREAM *s, const Header &h, void **v, uint32_t *n, KORVU_ERR_CTX *ctx,
                int depth) {
  switch (f.tagging) {
    case Tagging::None:
      if (is_list(f)) return read_list(f, s, h, v, n, ctx, depth);
      return decode_after_header(s, f.type, h, v, n, ctx, depth + 1);
    case Tagging::Implicit: {
      if (is_list(f)) return read_list(f, s, h, v, n, ctx, depth);
      const TypeOps *o = type_desc(f.type)->ops;
      if (o == nullptr || o->decode_content == nullptr) {
        KORVU_ERR(ctx, KORVU_ERR_NULLARG);
        return 0;
      }
      return o->decode_content(s, v, h.primitive, h.length, n, ctx, depth + 1);
    }
    case Tagging::Explicit: {
      if (h.primitive) {
        KORVU_ERR(ctx, kErrPcBit);
        return 0;
      }
      Header inner;
      int r = read_header(s, inner, ctx);
      if (r != 1) return r;
      uint32_t m = 0;
      if (is_list(f)) {
        if (inner.tag_class != 0 || inner.tag != list_tag(f)) {
          KORVU_ERR(ctx, kErrIncorrectItem);
          return 0;
        }
        r = read_list(f, s, inner, v, &m, ctx, depth);
      } else {
        r = decode_after_header(s, f.type, inner, v, &m, ctx, depth + 1);
      }
      if (r != 1) return r;
      uint64_t total = static_cast<uint64_t>(inner.size) + m;
      if (h.length == 0xFFFFFFFFu) {
        r = read_eoc(s, ctx);
        if (r != 1) return r;
        total += 2;
      } else if (total != h.length) {
        KORVU_ERR(ctx, kErrIncorrectLength);
        return 0;
      }
      if (total > kLenMax) {
        KORVU_ERR(ctx, kErrIncorrectLength);
        return 0;
      }
      *n = static_cast<uint32_t>(total);
      return 1;
    }
  }
  return 0;
}

bool field_accepts(const Field &f, const Header &h) {
  if (f.tagging != Tagging::None) return h.tag_class == f.tag_class && h.tag == f.tag;
  if (is_list(f)) return h.tag_class == 0 && h.tag == list_tag(f);
  return type_accepts(f.type, h);
}

// The copy of a component's TLV (header h, contents from input position
// `start`, `total` octets in all) inside a record decoded in place, or null
// when it lies outside it.
const unsigned char *in_place_copy(const InPlace &p, const Header &h, size_t start, uint64_t total) {
  if (start < p.src_start + h.size) return nullptr;
  const size_t off = start - h.size - p.src_start;
  if (off > p.length || total > p.length - off) return nullptr;
  const unsigned char *at = p.contents + off;
  return std::memcmp(at, h.raw, h.size) == 0 ? at : nullptr;
}

// Decodes through `body` and keeps the element's raw octets (header and
// contents exactly as received) in `kept`. Memory input is decoded in place
// and copied once (or not at all when `plan` says that the enclosing record's
// block holds them already); other streams are first read whole.
template <class Body>
int decode_keeping(KORVU_STREAM *s, const Header &h, KORVU_ERR_CTX *ctx, int depth, Kept &kept, uint32_t *consumed,
                   const InPlace *plan, Body &&body) {
  KORVU_STREAM *in = s;
  void *raw_any = nullptr;
  size_t start;
  const unsigned char *base;
  MemView view(nullptr, 0);
  if (!stream::is_mem(s)) {
    // Read the contents whole (indefinite lengths walked by nesting), then
    // decode them from memory.
    uint32_t n = 0;
    int r = decode_after_header(s, 23, h, &raw_any, &n, ctx, depth);
    if (r != 1) return r;
    uint32_t len = 0;
    const unsigned char *p = korvu_memstream_data(static_cast<KORVU_ASN1_ANY *>(raw_any)->content, &len);
    view = MemView(p, len);
    in = view.get();
  }
  start = in->pos;
  base = in->data;
  uint32_t n = 0;
  int r = body(in, &n);
  if (r == 1 && in != s && n != in->size) {
    KORVU_ERR(ctx, kErrIncorrectLength);
    r = 0;
  }
  const unsigned char *inside = nullptr;
  if (r == 1 && plan != nullptr && in == s)
    inside = in_place_copy(*plan, h, start, static_cast<uint64_t>(h.size) + n);
  if (r == 1 && inside != nullptr) {
    // The enclosing record's block already holds these octets.
    kept = Kept{const_cast<unsigned char *>(inside), h.size + n, 1};
    if (consumed) *consumed = n;
  } else if (r == 1) {
    uint64_t total = static_cast<uint64_t>(h.size) + n;
    auto *p = total <= kLenMax ? static_cast<unsigned char *>(KORVU_ALLOC(total ? total : 1)) : nullptr;
    if (p == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      r = 0;
    } else {
      std::memcpy(p, h.raw, h.size);
      std::memcpy(p + h.size, base + start, n);
      korvu_free(kept.data);
      kept = Kept{p, static_cast<uint32_t>(total), 1};
      if (consumed) *consumed = n;
    }
  }
  value_free(23, raw_any);
  return r;
}

}  // namespace

bool type_accepts(uint32_t type, const Header &h) {
  if (h.tag_class == 0 && h.tag == 0) return false;  // an end-of-contents starts no value
  const TypeDesc *d = type_desc(type);
  if (d == nullptr) return false;
  if (type == 23) return true;
  const StructDef *sd = def_of(type);
  if (sd != nullptr && sd->choice) {
    for (uint32_t i = 0; i < sd->count; i++)
      if (field_accepts(sd->fields[i], h)) return true;
    return false;
  }
  if (type == 20) return h.tag_class == 0 && (h.tag == 23 || h.tag == 24);
  if (d->form == KORVU_FORM_EITHER && d->tag_class == 0 && d->tag_number == 0) return true;
  return h.tag_class == d->tag_class && h.tag == d->tag_number;
}

Len field_length(const Field &f, const void *record) {
  if (f.kept != kNone) {
    const Kept &k = at<Kept>(record, f.kept);
    if (k.has) return k.length;
  }
  const void *v = value_of(record, f);
  switch (f.tagging) {
    case Tagging::None:
      return untagged_length(f, v);
    case Tagging::Implicit:
      return tlv_length(f.tag, inner_content_length(f, v));
    case Tagging::Explicit:
      return tlv_length(f.tag, untagged_length(f, v));
  }
  return kLenError;
}

int field_encode(const Field &f, KORVU_STREAM *s, const void *record, uint32_t *w, KORVU_ERR_CTX *ctx) {
  const void *v = value_of(record, f);
  int r;
  if (f.kept != kNone) {
    Kept &k = at<Kept>(const_cast<void *>(record), f.kept);
    r = k.has ? 1 : fill_kept(k, 2048, ctx, [&](KORVU_STREAM *m) { return write_tagged(f, m, v, nullptr, ctx); });
    if (r == 1) r = write_octets(s, k.data, k.length, ctx);
    if (r == 1 && w) *w = k.length;
  } else {
    r = write_tagged(f, s, v, w, ctx);
  }
  if (r != 1) report_encode(f, ctx);
  return r;
}

namespace {
// `slot`: the record's slot for a BOOLEAN DEFAULT component, which then
// also receives a present value read from memory (the octet as
// boolean_decode_content keeps it).
int field_decode_in(const Field &f, KORVU_STREAM *s, const Header &h, void *record, uint32_t *consumed,
                    KORVU_ERR_CTX *ctx, int depth, const InPlace *plan, void *slot) {
  void *v = nullptr;
  uint32_t n = 0;
  int r;
  if (slot != nullptr && f.tagging == Tagging::None && f.kept == kNone && h.tag_class == 0 && h.tag == 1 &&
      h.primitive && h.length == 1 && stream::is_mem(s) && s->pos < s->size) {
    *static_cast<uint32_t *>(slot) = s->data[s->pos++];
    at<void *>(record, f.offset) = slot;
    if (f.flag != kNone) at<uint32_t>(record, f.flag) = 1;
    if (consumed) *consumed = 1;
    return 1;
  }
  auto body = [&](KORVU_STREAM *in, uint32_t *m) { return read_tagged(f, in, h, &v, m, ctx, depth); };
  if (f.kept != kNone)
    r = decode_keeping(s, h, ctx, depth, at<Kept>(record, f.kept), &n, plan, body);
  else
    r = body(s, &n);
  if (r != 1) {
    free_value(f, v);
    report_decode(f, ctx);
    return r;
  }
  at<void *>(record, f.offset) = v;
  if (f.flag != kNone) at<uint32_t>(record, f.flag) = 1;
  if (consumed) *consumed = n;
  return 1;
}
}  // namespace

int field_decode(const Field &f, KORVU_STREAM *s, const Header &h, void *record, uint32_t *consumed,
                 KORVU_ERR_CTX *ctx, int depth) {
  return field_decode_in(f, s, h, record, consumed, ctx, depth, nullptr, nullptr);
}

void free_record(const StructDef &d, void *record) {
  if (record == nullptr) return;
  if (d.choice) {
    auto *c = static_cast<ChoiceRecord *>(record);
    for (uint32_t i = 0; i < d.count; i++)
      if (d.fields[i].choice == c->choice) {
        free_value(d.fields[i], c->value);
        break;
      }
    if (d.kept != kNone) korvu_free(at<Kept>(record, d.kept).data);
  } else {
    // Kept octets inside the block (a whole TLV copied there on decoding, and
    // components' TLVs within it) are not blocks of their own.
    const auto tail = reinterpret_cast<uintptr_t>(record) + tail_offset(d);
    uintptr_t inside_end = tail;
    if (d.kept != kNone) {
      const Kept &whole = at<Kept>(record, d.kept);
      if (reinterpret_cast<uintptr_t>(whole.data) == tail) inside_end = tail + whole.length;
    }
    auto owned = [&](const void *p) {
      const auto a = reinterpret_cast<uintptr_t>(p);
      return a < tail || a >= inside_end;
    };
    for (uint32_t i = 0; i < d.count; i++) {
      const Field &f = d.fields[i];
      void *v = value_of(record, f);
      if (!(slot_default(f) && v == slot_of(d, record, i))) free_value(f, v);
      if (f.kept != kNone && owned(at<Kept>(record, f.kept).data)) korvu_free(at<Kept>(record, f.kept).data);
    }
    if (d.kept != kNone && owned(at<Kept>(record, d.kept).data)) korvu_free(at<Kept>(record, d.kept).data);
  }
  korvu_free(record);
}

Len content_length(const StructDef &d, const void *record) {
  if (record == nullptr) return kLenError;
  Len total = 0;
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    if (written(f, record)) total = len_add(total, field_length(f, record));
  }
  return total;
}

int encode_content(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t length, uint32_t *w,
                   KORVU_ERR_CTX *ctx) {
  if (s == nullptr || record == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (length != 0xFFFFFFFFu && length > kLenMax) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return 0;
  }
  if (d.check != nullptr && d.check(record, ctx) != 1) return 0;
  uint64_t total = 0;
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    if (!written(f, record)) continue;
    uint32_t n = 0;
    int r = field_encode(f, s, record, &n, ctx);
    if (r != 1) return r;
    total += n;
  }
  if (length == 0xFFFFFFFFu) {
    int r = write_eoc(s, ctx);
    if (r != 1) return r;
    total += 2;
  } else if (total != length) {
    KORVU_ERR(ctx, KORVU_ERR_COUNT_MISMATCH);
    return 0;
  }
  if (w) *w = static_cast<uint32_t>(total);
  return 1;
}

namespace {
// Decodes the contents of a record. With `whole` (the record's header, read
// from the memory stream s whose unread octets hold the whole definite
// contents), the record's block also receives a copy of its whole TLV, which
// becomes its kept encoding.
int decode_record(const StructDef &d, KORVU_STREAM *s, void **out, int primitive, uint32_t length,
                  uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth, const Header *whole) {
  if (out == nullptr || s == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  if (primitive) {
    KORVU_ERR(ctx, kErrPcBit);
    return 0;
  }
  if (depth_exceeded(depth)) return static_cast<int>(KORVU_ERR_DEPTH);
  const size_t whole_size = whole != nullptr ? static_cast<size_t>(whole->size) + length : 0;
  void *record = alloc_record(d, whole_size);
  if (record == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  InPlace plan{0, 0, nullptr};
  if (whole != nullptr) {
    auto *copy = static_cast<unsigned char *>(record) + tail_offset(d);
    std::memcpy(copy, whole->raw, whole->size);
    std::memcpy(copy + whole->size, s->data + s->pos, length);
    at<Kept>(record, d.kept) = Kept{copy, static_cast<uint32_t>(whole_size), 1};
    plan = InPlace{s->pos, length, copy + whole->size};
  }
  const bool indefinite = length == 0xFFFFFFFFu;
  uint64_t used = 0;
  Header h;
  bool pending = false, ended = false;
  int r = 1;

  // Fetches the next component's header, if the contents hold one more.
  auto next = [&]() -> int {
    if (pending || ended) return 1;
    if (!indefinite && used >= length) {
      ended = true;
      return 1;
    }
    int rr = read_header(s, h, ctx);
    if (rr != 1) return rr;
    used += h.size;
    if (indefinite && h.raw[0] == 0) {
      if (h.size != 2 || h.raw[1] != 0) {
        KORVU_ERR(ctx, kErrDecodeEoc);
        return 0;
      }
      ended = true;
      return 1;
    }
    if (!indefinite && (used > length || (h.length != 0xFFFFFFFFu && used + h.length > length))) {
      KORVU_ERR(ctx, kErrIncorrectLength);
      return 0;
    }
    pending = true;
    return 1;
  };

  for (uint32_t i = 0; i < d.count && r == 1; i++) {
    const Field &f = d.fields[i];
    r = next();
    if (r != 1) break;
    if (pending && field_accepts(f, h)) {
      uint32_t n = 0;
      void *slot = slot_default(f) ? const_cast<void *>(slot_of(d, record, i)) : nullptr;
      r = field_decode_in(f, s, h, record, &n, ctx, depth, whole != nullptr ? &plan : nullptr, slot);
      if (r != 1) break;
      pending = false;
      used += n;
      if (!indefinite && used > length) {
        KORVU_ERR(ctx, kErrIncorrectLength);
        r = 0;
      }
    } else if (f.presence == Presence::Required) {
      KORVU_ERR(ctx, kErrIncorrectItem);
      report_decode(f, ctx);
      r = 0;
    } else if (slot_default(f)) {
      set_slot_default(d, record, i);
    } else if (f.presence == Presence::Default) {
      void *v = default_value(f);
      if (v == nullptr) {
        KORVU_ERR(ctx, KORVU_ERR_NOMEM);
        r = 0;
      } else {
        at<void *>(record, f.offset) = v;
      }
    }
  }
  if (r == 1) r = next();
  if (r == 1 && (pending || (indefinite && !ended))) {
    KORVU_ERR(ctx, d.leftover_code);
    r = 0;
  }
  if (r == 1 && used > kLenMax) {
    KORVU_ERR(ctx, kErrIncorrectLength);
    r = 0;
  }
  if (r == 1 && d.finish != nullptr && d.finish(record, ctx) != 1) r = 0;
  if (r == 1 && d.check != nullptr && d.check(record, ctx) != 1) r = 0;
  if (r != 1) {
    free_record(d, record);
    return r;
  }
  *out = record;
  if (consumed) *consumed = static_cast<uint32_t>(used);
  return 1;
}
}  // namespace

int decode_content(const StructDef &d, KORVU_STREAM *s, void **out, int primitive, uint32_t length,
                   uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth) {
  return decode_record(d, s, out, primitive, length, consumed, ctx, depth, nullptr);
}

Len kept_total_length(const StructDef &d, const void *record) {
  if (record == nullptr) return kLenError;
  const Kept &k = at<Kept>(record, d.kept);
  if (k.has) return k.length;
  return tlv_length(type_desc(d.type)->tag_number, content_length(d, record));
}

int ensure_kept(const StructDef &d, const void *record, KORVU_ERR_CTX *ctx) {
  Kept &k = at<Kept>(const_cast<void *>(record), d.kept);
  if (k.has) return 1;
  const TypeDesc *row = type_desc(d.type);
  return fill_kept(k, d.kept_capacity, ctx, [&](KORVU_STREAM *m) {
    Len l = content_length(d, record);
    if (bad(l)) {
      KORVU_ERR(ctx, kErrCalLength);
      return 0;
    }
    int r = write_header(m, row->tag_class, 0, row->tag_number, static_cast<uint32_t>(l), nullptr, ctx);
    if (r == 1) r = encode_content(d, m, record, static_cast<uint32_t>(l), nullptr, ctx);
    return r;
  });
}

int kept_encode(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (s == nullptr || record == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  int r = ensure_kept(d, record, ctx);
  if (r != 1) return r;
  const Kept &k = at<Kept>(record, d.kept);
  r = write_octets(s, k.data, k.length, ctx);
  if (r == 1 && w) *w = k.length;
  return r;
}

int kept_decode(const StructDef &d, KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed,
                KORVU_ERR_CTX *ctx, int depth) {
  const TypeDesc *row = type_desc(d.type);
  if (h.tag_class != row->tag_class || h.tag != row->tag_number || h.primitive) {
    KORVU_ERR(ctx, h.primitive && h.tag == row->tag_number ? kErrPcBit : kErrIncorrectItem);
    return 0;
  }
  void *record = nullptr;
  // Definite contents all present in memory: decode in place, with the copy
  // of the TLV in the record's block.
  if (stream::is_mem(s) && h.length != 0xFFFFFFFFu && s->pos <= s->size && h.length <= s->size - s->pos &&
      static_cast<uint64_t>(h.size) + h.length <= kLenMax) {
    int r = decode_record(d, s, &record, h.primitive, h.length, consumed, ctx, depth, &h);
    if (r == 1) *out = record;
    return r;
  }
  Kept k{nullptr, 0, 0};
  int r = decode_keeping(s, h, ctx, depth, k, consumed, nullptr, [&](KORVU_STREAM *in, uint32_t *n) {
    return decode_content(d, in, &record, h.primitive, h.length, n, ctx, depth);
  });
  if (r != 1) {
    free_record(d, record);
    korvu_free(k.data);
    return r;
  }
  at<Kept>(record, d.kept) = k;
  *out = record;
  return 1;
}

namespace {
const Field *alt_of(const StructDef &d, uint32_t choice) {
  for (uint32_t i = 0; i < d.count; i++)
    if (d.fields[i].choice == choice) return &d.fields[i];
  return nullptr;
}
}  // namespace

Len choice_total_length(const StructDef &d, const void *record) {
  if (record == nullptr) return kLenError;
  const Field *f = alt_of(d, static_cast<const ChoiceRecord *>(record)->choice);
  return f ? field_length(*f, record) : kLenError;
}

int choice_encode(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (s == nullptr || record == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  const Field *f = alt_of(d, static_cast<const ChoiceRecord *>(record)->choice);
  if (f == nullptr) {
    KORVU_ERR(ctx, kErrCalLength);
    return 0;
  }
  return field_encode(*f, s, record, w, ctx);
}

int choice_decode(const StructDef &d, KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed,
                  KORVU_ERR_CTX *ctx, int depth) {
  *out = nullptr;
  if (depth_exceeded(depth)) return static_cast<int>(KORVU_ERR_DEPTH);
  const Field *f = nullptr;
  for (uint32_t i = 0; i < d.count && f == nullptr; i++)
    if (field_accepts(d.fields[i], h)) f = &d.fields[i];
  if (f == nullptr) {
    KORVU_ERR(ctx, kErrIncorrectItem);
    return 0;
  }
  auto *c = static_cast<ChoiceRecord *>(KORVU_ALLOC(sizeof(ChoiceRecord)));
  if (c == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  c->choice = f->choice;
  c->value = nullptr;
  int r = field_decode(*f, s, h, c, consumed, ctx, depth);
  if (r != 1) {
    korvu_free(c);
    return r;
  }
  *out = c;
  return 1;
}

int choice_no_content(KORVU_STREAM *, void **out, int, uint32_t, uint32_t *, KORVU_ERR_CTX *ctx, int) {
  if (out) *out = nullptr;
  KORVU_ERR(ctx, kErrUnsupportDecode);
  return 0;
}

void *new_record(const StructDef &d, std::initializer_list<const void *> args) {
  if (args.size() != d.count) return nullptr;
  void *record = alloc_record(d, 0);
  if (record == nullptr) return nullptr;
  uint32_t i = 0;
  for (const void *a : args) {
    const uint32_t index = i;
    const Field &f = d.fields[i++];
    void *v = nullptr;
    if (a != nullptr) {
      v = copy_value(f, a);
    } else if (slot_default(f)) {
      set_slot_default(d, record, index);
      if (f.flag != kNone) at<uint32_t>(record, f.flag) = 1;
      continue;
    } else if (f.presence == Presence::Default) {
      v = default_value(f);
    } else if (f.presence == Presence::Optional) {
      continue;
    }
    if (v == nullptr) {
      free_record(d, record);
      return nullptr;
    }
    at<void *>(record, f.offset) = v;
    if (f.flag != kNone) at<uint32_t>(record, f.flag) = 1;
  }
  if (d.finish != nullptr && d.finish(record, nullptr) != 1) {
    free_record(d, record);
    return nullptr;
  }
  return record;
}

void *new_choice(const StructDef &d, uint32_t choice, const void *value) {
  const Field *f = alt_of(d, choice);
  if (f == nullptr || value == nullptr) return nullptr;
  void *v = copy_value(*f, value);
  if (v == nullptr) return nullptr;
  auto *c = static_cast<ChoiceRecord *>(KORVU_ALLOC(sizeof(ChoiceRecord)));
  if (c == nullptr) {
    free_value(*f, v);
    return nullptr;
  }
  c->choice = choice;
  c->value = v;
  return c;
}

void *get(const StructDef &d, const void *record, uint32_t i) {
  if (record == nullptr || i >= d.count) return nullptr;
  const Field &f = d.fields[i];
  return present(f, record) ? value_of(record, f) : nullptr;
}

int has(const StructDef &d, const void *record, uint32_t i) { return get(d, record, i) != nullptr ? 1 : 0; }

void *get_choice(const void *record, uint32_t choice) {
  auto *c = static_cast<const ChoiceRecord *>(record);
  return c != nullptr && c->choice == choice ? c->value : nullptr;
}

uint32_t choice_of(const void *record) {
  return record ? static_cast<const ChoiceRecord *>(record)->choice : 0xFFFFFFFFu;
}

}  // namespace korvu::st
