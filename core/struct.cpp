// The structure engine: SEQUENCE, CHOICE and list-record types driven by
// their tables.
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct.h"

#include <array>
#include <cstring>

#include "default_rules.h"
#include "list_codec.h"

namespace korvu::st {

namespace {

constexpr uint32_t kOctetStringTag = kCatalog[KORVU_TYPE_OCTET_STRING].tag_number;

template <class T>
T &at(void *record, uint16_t offset) {
  return *reinterpret_cast<T *>(static_cast<char *>(record) + offset);
}
template <class T>
const T &at(const void *record, uint16_t offset) {
  return *reinterpret_cast<const T *>(static_cast<const char *>(record) + offset);
}

bool is_list(const Field &f) { return f.shape == Shape::SequenceOf || f.shape == Shape::SetOf; }
bool is_inline(const Field &f) { return f.shape == Shape::InlineOctets; }
uint32_t list_tag(const Field &f) { return f.shape == Shape::SequenceOf ? 16 : 17; }
list::ElemSpec elem_spec(const Field &f) { return list::ElemSpec{f.type}; }
const KORVU_ASN1_LIST *as_list(const void *v) { return static_cast<const KORVU_ASN1_LIST *>(v); }

// The component's value: its owned pointer, or the address of its inline
// octets.
const void *value_of(const void *record, const Field &f) {
  if (is_inline(f)) return static_cast<const char *>(record) + f.offset;
  return at<void *>(record, f.offset);
}

bool present(const Field &f, const void *record) {
  if (value_of(record, f) == nullptr) return false;
  return f.flag == kNone || at<uint32_t>(record, f.flag) != 0;
}

// Layout of a record's block: the C record, then, for a record decoded from
// memory that keeps its whole TLV, (8-aligned) a copy of that TLV. The block
// is always at least one octet longer than the record, so the address just
// past it lies inside this block and starts no other one.
constexpr size_t align8(size_t n) { return (n + 7) & ~size_t{7}; }

size_t tail_offset(const StructDef &d) { return align8(d.size); }

// A new record block, zeroed, with `extra` octets after it (a kept TLV's copy).
void *alloc_record(const StructDef &d, size_t extra) {
  const size_t head = tail_offset(d);
  void *record = KORVU_ALLOC(head + (extra ? extra : 1));
  if (record != nullptr) std::memset(record, 0, head);
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

// Where the whole TLV of a record decoded in place lies in its input and in
// the record's block; components that keep their own TLV point into the copy.
struct InPlace {
  size_t src_start;               // input position of the first contents octet
  uint32_t length;                // contents length
  const unsigned char *contents;  // the copy of the contents in the block
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
  if (v == nullptr || is_inline(f)) return;
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

// The value an absent DEFAULT component holds: a shared constant for a
// BOOLEAN, else a new value decoded from the default's DER.
void *default_value(const Field &f) {
  if (f.type == KORVU_TYPE_BOOLEAN && f.def_len == 3) return const_cast<uint32_t *>(shared_boolean(f.def[2]));
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

bool bad(Len l) { return l == kLenError || l == kLenOverflow; }

// The table of a component type that keeps its whole encoding (a signed
// structure, a Name), or null. Under an IMPLICIT tag such a value is written
// from its kept octets with the tag in place of its own identifier, and keeps,
// when read, the octets received under the tag with its own identifier in
// place of the tag: so BER survives both ways and the value encodes alone
// with the same contents.
const StructDef *implicit_kept_def(const Field &f) {
  if (f.tagging != Tagging::Implicit || is_list(f) || is_inline(f)) return nullptr;
  const TypeDesc *t = type_desc(f.type);
  if (t == nullptr || t->ops == nullptr || t->ops->def == nullptr || t->ops->decode_tlv == nullptr) return nullptr;
  const auto *d = static_cast<const StructDef *>(t->ops->def);
  return d->kept != kNone && !d->choice() ? d : nullptr;
}

// Identifier octets at the start of an encoding (X.690 8.1.2).
uint32_t identifier_size(const unsigned char *p, uint32_t n) {
  if (n == 0 || (p[0] & 0x1F) != 0x1F) return 1;
  uint32_t i = 1;
  while (i < n && (p[i] & 0x80) != 0) i++;
  return i + 1;
}

// The kept octets of a value of a kept type, written first when it has none.
const Kept *kept_of(const StructDef &kd, const void *v, KORVU_ERR_CTX *ctx) {
  if (kd.check != nullptr && kd.check(v, ctx) != 1) return nullptr;
  const Kept *k = record_kept(kd, v, ctx);
  if (k != nullptr && (k->length < 2 || identifier_size(k->data, k->length) >= k->length)) {
    KORVU_ERR(ctx, kErrCalLength);
    return nullptr;
  }
  return k;
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

// Contents length of the component's own (untagged) encoding.
Len inner_content_length(const Field &f, const void *v) {
  if (is_inline(f)) return f.min_size;
  return is_list(f) ? list::content_length(as_list(v), elem_spec(f)) : value_content_length(f.type, v);
}

Len untagged_length(const Field &f, const void *v) {
  if (is_inline(f)) return tlv_length(kOctetStringTag, f.min_size);
  return is_list(f) ? tlv_length(list_tag(f), list::content_length(as_list(v), elem_spec(f)))
                    : value_length(f.type, v);
}

// Primitive or constructed, for a component written under an implicit tag
// (never ANY or a CHOICE: tables refuse that when they compile).
int implicit_primitive(const Field &f, Len content) {
  if (is_list(f)) return 0;
  const uint32_t form = kCatalog[f.type].form;
  if (form != KORVU_FORM_EITHER) return static_cast<int>(form);
  return content != kLenIndef;
}

int write_untagged(const Field &f, KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (is_inline(f)) {
    uint32_t head = 0;
    int r = write_header(s, 0x00, 1, kOctetStringTag, f.min_size, &head, ctx);
    if (r == 1) r = write_octets(s, v, f.min_size, ctx);
    if (r == 1 && w) *w = head + f.min_size;
    return r;
  }
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
  if (!size_ok(f, v)) {
    report_size(f, ctx);
    return 0;
  }
  uint32_t head = 0, body = 0;
  int r;
  if (f.tagging == Tagging::None) return write_untagged(f, s, v, w, ctx);
  if (const StructDef *kd = implicit_kept_def(f)) {
    const Kept *k = kept_of(*kd, v, ctx);
    if (k == nullptr) return 0;
    const uint32_t id = identifier_size(k->data, k->length);
    r = write_identifier(s, f.tag_class, 0, f.tag, &head, ctx);
    if (r == 1) r = write_octets(s, k->data + id, k->length - id, ctx);
    if (r == 1 && w) *w = head + k->length - id;
    return r;
  }
  if (f.tagging == Tagging::Implicit) {
    Len l = inner_content_length(f, v);
    if (bad(l)) {
      KORVU_ERR(ctx, kErrCalLength);
      return 0;
    }
    r = write_header(s, f.tag_class, implicit_primitive(f, l), f.tag, static_cast<uint32_t>(l), &head, ctx);
    if (r != 1) return r;
    if (is_list(f)) {
      r = list::encode_content(s, as_list(v), elem_spec(f), static_cast<uint32_t>(l), &body, ctx);
    } else {
      const TypeOps *o = type_desc(f.type)->ops;
      if (o == nullptr || o->encode_content == nullptr) {
        KORVU_ERR(ctx, kErrUnsupportEncode);
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
  if (r == 1 && !size_ok(f, l)) {
    report_size(f, ctx);
    r = 0;
  }
  if (r != 1) {
    korvu_asn1_list_free(l, f.type);
    l = nullptr;
  }
  *v = l;
  return r;
}

// Reads an OCTET STRING of exactly the inline size into the record.
int read_inline(const Field &f, KORVU_STREAM *s, const Header &h, void *record, uint32_t *n, KORVU_ERR_CTX *ctx,
                int depth) {
  Holder v(KORVU_TYPE_OCTET_STRING);
  int r = decode_after_header(s, KORVU_TYPE_OCTET_STRING, h, v.out(), n, ctx, depth + 1);
  if (r != 1) return r;
  auto *os = static_cast<const KORVU_ASN1_OCTETSTRING *>(v.get());
  if (korvu_asn1_octetstring_getlength(os) != f.min_size) {
    report_size(f, ctx);
    return 0;
  }
  return korvu_asn1_octetstring_getall(os, static_cast<unsigned char *>(record) + f.offset) == 1 ? 1 : 0;
}

// Decodes the component whose header h has been read; contents octets only
// are counted in n. Inline octets go straight into the record.
int read_tagged(const Field &f, KORVU_STREAM *s, const Header &h, void *record, void **v, uint32_t *n,
                KORVU_ERR_CTX *ctx, int depth) {
  switch (f.tagging) {
    case Tagging::None:
      if (is_inline(f)) return read_inline(f, s, h, record, n, ctx, depth);
      if (is_list(f)) return read_list(f, s, h, v, n, ctx, depth);
      return decode_after_header(s, f.type, h, v, n, ctx, depth + 1);
    case Tagging::Implicit: {
      if (is_list(f)) return read_list(f, s, h, v, n, ctx, depth);
      if (implicit_kept_def(f) != nullptr) {
        // The value keeps the octets as received, under its own identifier.
        const TypeDesc *t = type_desc(f.type);
        Header own = h;
        own.tag_class = t->tag_class;
        own.tag = t->tag_number;
        // The type's own identifier octets, constructed (X.690 8.1.2.4).
        unsigned char id[8];
        uint32_t idn = identifier_octets(t->tag_number);
        id[0] = static_cast<unsigned char>(t->tag_class | 0x20 | (idn == 1 ? t->tag_number : 0x1F));
        for (uint32_t j = 1; j < idn; j++)
          id[j] = static_cast<unsigned char>(((t->tag_number >> (7 * (idn - 1 - j))) & 0x7F) | (j + 1 < idn ? 0x80 : 0));
        const uint32_t old = identifier_size(h.raw, h.size);
        if (h.primitive || old >= h.size) {
          KORVU_ERR(ctx, kErrPcBit);
          return 0;
        }
        if (h.size - old + idn > sizeof(own.raw)) {
          KORVU_ERR(ctx, kErrIncorrectLength);
          return 0;
        }
        std::memcpy(own.raw, id, idn);
        std::memmove(own.raw + idn, h.raw + old, h.size - old);
        own.size = h.size - old + idn;
        return t->ops->decode_tlv(s, own, v, n, ctx, depth + 1);
      }
      const TypeOps *o = type_desc(f.type)->ops;
      if (o == nullptr || o->decode_content == nullptr) {
        KORVU_ERR(ctx, kErrUnsupportDecode);
        return 0;
      }
      const uint32_t form = kCatalog[f.type].form;
      if (form != KORVU_FORM_EITHER && static_cast<uint32_t>(h.primitive) != form) {
        KORVU_ERR(ctx, kErrPcBit);
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
      if (h.length != 0xFFFFFFFFu && (inner.size > h.length ||
                                      (inner.length != 0xFFFFFFFFu && inner.length > h.length - inner.size))) {
        KORVU_ERR(ctx, kErrIncorrectLength);
        return 0;
      }
      uint32_t m = 0;
      if (is_list(f) || is_inline(f)) {
        if (inner.tag_class != 0 || inner.tag != (is_inline(f) ? kOctetStringTag : list_tag(f))) {
          KORVU_ERR(ctx, kErrIncorrectItem);
          return 0;
        }
        r = is_list(f) ? read_list(f, s, inner, v, &m, ctx, depth) : read_inline(f, s, inner, record, &m, ctx, depth);
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
  if (is_inline(f)) return h.tag_class == 0 && h.tag == kOctetStringTag;
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
  Holder raw(KORVU_TYPE_ANY);
  MemView view(nullptr, 0);
  if (!stream::is_mem(s)) {
    // Read the contents whole (indefinite lengths walked by nesting), then
    // decode them from memory.
    uint32_t n = 0;
    int r = decode_after_header(s, KORVU_TYPE_ANY, h, raw.out(), &n, ctx, depth);
    if (r != 1) return r;
    uint32_t len = 0;
    const unsigned char *p = korvu_memstream_data(static_cast<KORVU_ASN1_ANY *>(raw.get())->content, &len);
    view = MemView(p, len);
    in = view.get();
  }
  const size_t start = in->pos;
  const unsigned char *base = in->data;
  uint32_t n = 0;
  int r = body(in, &n);
  if (r == 1 && in != s && n != in->size) {
    KORVU_ERR(ctx, kErrIncorrectLength);
    r = 0;
  }
  if (r != 1) return r;
  const uint64_t total = static_cast<uint64_t>(h.size) + n;
  const unsigned char *inside = plan != nullptr && in == s ? in_place_copy(*plan, h, start, total) : nullptr;
  if (inside != nullptr) {
    // The enclosing record's block already holds these octets.
    kept = Kept{const_cast<unsigned char *>(inside), h.size + n, 1};
  } else {
    auto *p = total <= kLenMax ? static_cast<unsigned char *>(KORVU_ALLOC(total ? total : 1)) : nullptr;
    if (p == nullptr) {
      KORVU_ERR(ctx, total <= kLenMax ? KORVU_ERR_NOMEM : kErrIncorrectLength);
      return 0;
    }
    std::memcpy(p, h.raw, h.size);
    std::memcpy(p + h.size, base + start, n);
    korvu_free(kept.data);
    kept = Kept{p, static_cast<uint32_t>(total), 1};
  }
  if (consumed) *consumed = n;
  return 1;
}

// Encodes `write` into a new block and stores it in `kept`: the one way a
// kept encoding is made from a value.
template <class Write>
int fill_kept(Kept &kept, uint32_t capacity, KORVU_ERR_CTX *ctx, Write &&write) {
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
      if (const StructDef *kd = implicit_kept_def(f)) {
        const Kept &k = at<Kept>(v, kd->kept);
        if (k.has && k.length >= 2)
          return len_add(identifier_octets(f.tag), k.length - identifier_size(k.data, k.length));
      }
      return tlv_length(f.tag, inner_content_length(f, v));
    case Tagging::Explicit:
      return tlv_length(f.tag, untagged_length(f, v));
  }
  return kLenError;
}

int ensure_field_kept(const Field &f, const void *record, KORVU_ERR_CTX *ctx) {
  Kept &k = at<Kept>(const_cast<void *>(record), f.kept);
  if (k.has) return 1;
  return fill_kept(k, 2048, ctx, [&](KORVU_STREAM *m) { return write_tagged(f, m, value_of(record, f), nullptr, ctx); });
}

int field_encode(const Field &f, KORVU_STREAM *s, const void *record, uint32_t *w, KORVU_ERR_CTX *ctx) {
  int r;
  if (f.kept != kNone) {
    r = ensure_field_kept(f, record, ctx);
    const Kept &k = at<Kept>(record, f.kept);
    if (r == 1) r = write_octets(s, k.data, k.length, ctx);
    if (r == 1 && w) *w = k.length;
  } else {
    r = write_tagged(f, s, value_of(record, f), w, ctx);
  }
  if (r != 1) report_encode(f, ctx);
  return r;
}

int field_decode(const Field &f, KORVU_STREAM *s, const Header &h, void *record, uint32_t *consumed,
                 KORVU_ERR_CTX *ctx, int depth, const InPlace *plan) {
  void *v = nullptr;
  uint32_t n = 0;
  auto body = [&](KORVU_STREAM *in, uint32_t *m) { return read_tagged(f, in, h, record, &v, m, ctx, depth); };
  int r = f.kept != kNone ? decode_keeping(s, h, ctx, depth, at<Kept>(record, f.kept), &n, plan, body) : body(s, &n);
  if (r == 1 && !is_list(f) && !size_ok(f, v)) {
    report_size(f, ctx);
    r = 0;
  }
  if (r != 1) {
    free_value(f, v);
    report_decode(f, ctx);
    return r;
  }
  if (!is_inline(f)) at<void *>(record, f.offset) = v;
  if (f.flag != kNone) at<uint32_t>(record, f.flag) = 1;
  if (consumed) *consumed = n;
  return 1;
}

void set_offset(const Field &f, void *record, uint64_t where) {
  if (f.at != kNone) at<uint32_t>(record, f.at) = static_cast<uint32_t>(where);
}
void set_end(const Field &f, void *record, uint64_t where) {
  if (f.end_at != kNone) at<uint32_t>(record, f.end_at) = static_cast<uint32_t>(where);
}

}  // namespace

bool type_accepts(uint32_t type, const Header &h) {
  if (h.tag_class == 0 && h.tag == 0) return false;  // an end-of-contents starts no value
  const TypeDesc *d = type_desc(type);
  if (d == nullptr) return false;
  if (d->ops != nullptr && d->ops->accepts != nullptr) return d->ops->accepts(h);
  if (untagged_row(type)) return true;  // ANY: every value
  return h.tag_class == d->tag_class && h.tag == d->tag_number;
}

bool choice_accepts(const StructDef &d, const Header &h) {
  for (uint32_t i = 0; i < d.count; i++)
    if (field_accepts(d.fields[i], h)) return true;
  return false;
}

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

Len content_length(const StructDef &d, const void *record) {
  if (record == nullptr) return kLenError;
  if (d.kind == Kind::List) return list::content_length(as_list(value_of(record, d.fields[0])), elem_spec(d.fields[0]));
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
  if (d.kind == Kind::List) {
    const Field &f = d.fields[0];
    const void *l = value_of(record, f);
    if (!size_ok(f, l)) {
      report_size(f, ctx);
      return 0;
    }
    return list::encode_content(s, as_list(l), elem_spec(f), length, w, ctx);
  }
  uint64_t total = 0;
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    if (!written(f, record)) continue;
    set_offset(f, const_cast<void *>(record), total);
    uint32_t n = 0;
    int r = field_encode(f, s, record, &n, ctx);
    if (r != 1) return r;
    total += n;
    set_end(f, const_cast<void *>(record), total);
  }
  int r = close_contents(s, length, total, ctx);
  if (r != 1) return r;
  if (w) *w = static_cast<uint32_t>(total);
  return 1;
}

namespace {
// Decodes the components of a SEQUENCE into `record`; `used` counts the
// contents octets read.
int decode_components(const StructDef &d, KORVU_STREAM *s, void *record, uint32_t length, uint64_t &used,
                      KORVU_ERR_CTX *ctx, int depth, const InPlace *plan) {
  const bool indefinite = length == 0xFFFFFFFFu;
  Header h;
  bool pending = false, ended = false;
  uint64_t start = 0;  // offset of the pending header's first octet

  // Fetches the next component's header, if the contents hold one more.
  auto next = [&]() -> int {
    if (pending || ended) return 1;
    if (!indefinite && used >= length) {
      ended = true;
      return 1;
    }
    start = used;
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

  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    int r = next();
    if (r != 1) return r;
    if (pending && field_accepts(f, h)) {
      uint32_t n = 0;
      r = field_decode(f, s, h, record, &n, ctx, depth, plan);
      if (r != 1) return r;
      set_offset(f, record, start);
      pending = false;
      used += n;
      set_end(f, record, used);
      if (!indefinite && used > length) {
        KORVU_ERR(ctx, kErrIncorrectLength);
        return 0;
      }
    } else if (f.presence == Presence::Required) {
      KORVU_ERR(ctx, kErrIncorrectItem);
      report_decode(f, ctx);
      return 0;
    } else if (f.presence == Presence::Default) {
      void *v = default_value(f);
      if (v == nullptr) {
        KORVU_ERR(ctx, KORVU_ERR_NOMEM);
        return 0;
      }
      at<void *>(record, f.offset) = v;
    }
  }
  int r = next();
  if (r != 1) return r;
  if (pending || (indefinite && !ended)) {
    KORVU_ERR(ctx, d.leftover_code);
    return 0;
  }
  return 1;
}

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
  if (depth_exceeded(depth)) return depth_failure(ctx);
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
  uint64_t used = 0;
  int r;
  if (d.kind == Kind::List) {
    const Field &f = d.fields[0];
    Header h;
    h.primitive = 0;
    h.length = length;
    uint32_t n = 0;
    void *l = nullptr;
    r = read_list(f, s, h, &l, &n, ctx, depth - 1);
    at<void *>(record, f.offset) = l;
    used = n;
  } else {
    r = decode_components(d, s, record, length, used, ctx, depth, whole != nullptr ? &plan : nullptr);
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

void shift_offsets(const StructDef &d, void *record, uint32_t header_length) {
  if (record == nullptr || !d.shift_offsets) return;
  for (uint32_t i = 0; i < d.count; i++)
    if (present(d.fields[i], record)) {
      if (d.fields[i].at != kNone) at<uint32_t>(record, d.fields[i].at) += header_length;
      if (d.fields[i].end_at != kNone) at<uint32_t>(record, d.fields[i].end_at) += header_length;
    }
}

Len kept_total_length(const StructDef &d, const void *record) {
  if (record == nullptr) return kLenError;
  const Kept &k = at<Kept>(record, d.kept);
  if (k.has) return k.length;
  return tlv_length(kCatalog[d.type].tag_number, content_length(d, record));
}

const Kept *record_kept(const StructDef &d, const void *record, KORVU_ERR_CTX *ctx) {
  if (record == nullptr || d.kept == kNone) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return nullptr;
  }
  Kept &k = at<Kept>(const_cast<void *>(record), d.kept);
  if (k.has) return &k;
  const CatalogRow &row = kCatalog[d.type];
  int r = fill_kept(k, d.kept_capacity, ctx, [&](KORVU_STREAM *m) {
    Len l = content_length(d, record);
    if (bad(l)) {
      KORVU_ERR(ctx, kErrCalLength);
      return 0;
    }
    uint32_t head = 0;
    int rr = write_header(m, row.tag_class, 0, row.tag_number, static_cast<uint32_t>(l), &head, ctx);
    if (rr == 1) rr = encode_content(d, m, record, static_cast<uint32_t>(l), nullptr, ctx);
    if (rr == 1) shift_offsets(d, const_cast<void *>(record), head);
    return rr;
  });
  return r == 1 ? &k : nullptr;
}

const Kept *field_kept(const StructDef &d, const void *record, uint32_t i, KORVU_ERR_CTX *ctx) {
  if (record == nullptr || i >= d.count || d.fields[i].kept == kNone || !present(d.fields[i], record)) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return nullptr;
  }
  if (ensure_field_kept(d.fields[i], record, ctx) != 1) return nullptr;
  return &at<Kept>(record, d.fields[i].kept);
}

void discard_kept(const StructDef &d, void *record) {
  if (record == nullptr || d.kept == kNone) return;
  // Components' kept octets inside the record's copy go first (they are
  // written again from their values when asked for).
  for (uint32_t i = 0; i < d.count; i++)
    if (d.fields[i].kept != kNone) release_kept(d, record, at<Kept>(record, d.fields[i].kept));
  release_kept(d, record, at<Kept>(record, d.kept));
}

int copy_kept(const Kept *k, unsigned char *buffer, uint32_t *length) {
  if (k == nullptr || length == nullptr) return 0;
  if (buffer == nullptr) {
    *length = k->length;
    return 1;
  }
  if (*length < k->length) {
    *length = k->length;
    return 0;
  }
  std::memcpy(buffer, k->data, k->length);
  *length = k->length;
  return 1;
}

int kept_encode(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (s == nullptr || record == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  // Kept octets are written as they are, so the check runs here too.
  if (d.check != nullptr && d.check(record, ctx) != 1) return 0;
  const Kept *k = record_kept(d, record, ctx);
  if (k == nullptr) return 0;
  int r = write_octets(s, k->data, k->length, ctx);
  if (r == 1 && w) *w = k->length;
  return r;
}

int kept_decode(const StructDef &d, KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed,
                KORVU_ERR_CTX *ctx, int depth) {
  const CatalogRow &row = kCatalog[d.type];
  if (h.tag_class != row.tag_class || h.tag != row.tag_number || h.primitive) {
    KORVU_ERR(ctx, h.primitive && h.tag == row.tag_number ? kErrPcBit : kErrIncorrectItem);
    return 0;
  }
  void *record = nullptr;
  // Definite contents all present in memory: decode in place, with the copy
  // of the TLV in the record's block.
  if (stream::is_mem(s) && h.length != 0xFFFFFFFFu && s->pos <= s->size && h.length <= s->size - s->pos &&
      static_cast<uint64_t>(h.size) + h.length <= kLenMax) {
    int r = decode_record(d, s, &record, h.primitive, h.length, consumed, ctx, depth, &h);
    if (r == 1) {
      shift_offsets(d, record, h.size);
      *out = record;
    }
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
  shift_offsets(d, record, h.size);
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
  if (depth_exceeded(depth)) return depth_failure(ctx);
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
  int r = field_decode(*f, s, h, c, consumed, ctx, depth, nullptr);
  if (r != 1) {
    korvu_free(c);
    return r;
  }
  *out = c;
  return 1;
}

void *new_record(const StructDef &d, const void *const *args, size_t count) {
  if (count != d.count || d.choice()) return nullptr;
  void *record = alloc_record(d, 0);
  if (record == nullptr) return nullptr;
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    const void *a = args[i];
    void *v = nullptr;
    if (is_inline(f)) {
      if (a == nullptr) {
        free_record(d, record);
        return nullptr;
      }
      std::memcpy(static_cast<char *>(record) + f.offset, a, f.min_size);
      continue;
    }
    if (a != nullptr) {
      v = copy_value(f, a);
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
  return present(f, record) ? const_cast<void *>(value_of(record, f)) : nullptr;
}

int has(const StructDef &d, const void *record, uint32_t i) { return get(d, record, i) != nullptr ? 1 : 0; }

void *get_choice(const void *record, uint32_t choice) {
  auto *c = static_cast<const ChoiceRecord *>(record);
  return c != nullptr && c->choice == choice ? c->value : nullptr;
}

uint32_t choice_of(const void *record) {
  return record ? static_cast<const ChoiceRecord *>(record)->choice : 0xFFFFFFFFu;
}

// ---- tagged aliases ------------------------------------------------------------

int alias_encode(uint32_t type, uint32_t base, bool implicit, KORVU_STREAM *s, const void *v, uint32_t len,
                 uint32_t *w, KORVU_ERR_CTX *ctx) {
  int r;
  if (implicit) {
    const TypeOps *o = type_desc(base)->ops;
    if (o == nullptr || o->encode_content == nullptr) {
      KORVU_ERR(ctx, kErrUnsupportEncode);
      r = 0;
    } else {
      r = o->encode_content(s, v, len, w, ctx);
    }
  } else {
    uint32_t n = 0;
    r = encode_value(s, base, v, &n, ctx);
    if (r == 1 && len == 0xFFFFFFFFu) {
      r = write_eoc(s, ctx);
      n += 2;
    }
    if (r == 1 && w) *w = n;
  }
  if (r != 1) KORVU_ENCODE_ERR(ctx, type);
  return r;
}

int alias_decode(uint32_t type, uint32_t base, bool implicit, KORVU_STREAM *s, void **o, int p, uint32_t len,
                 uint32_t *n, KORVU_ERR_CTX *ctx, int depth) {
  int r;
  if (implicit) {
    const TypeOps *ops = type_desc(base)->ops;
    if (ops == nullptr || ops->decode_content == nullptr) {
      KORVU_ERR(ctx, kErrUnsupportDecode);
      r = 0;
    } else {
      r = ops->decode_content(s, o, p, len, n, ctx, depth);
    }
  } else {
    // The contents hold one whole value of the base type.
    Field f = field(base, offsetof(ChoiceRecord, value)).explicit_(0);
    Header h;
    h.primitive = p;
    h.length = len;
    ChoiceRecord holder{0, nullptr};
    r = read_tagged(f, s, h, &holder, &holder.value, n, ctx, depth);
    *o = holder.value;
    if (r != 1) {
      value_free(base, holder.value);
      *o = nullptr;
    }
  }
  if (r != 1) KORVU_DECODE_ERR(ctx, type);
  return r;
}

}  // namespace korvu::st
