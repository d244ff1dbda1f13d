// Inside the structure engine (core/struct_*.cpp): the helpers and steps its
// files share. Not for table authors: they use core/struct.h.
//
//   struct_layout.cpp  record layout, allocation and free (what a record owns)
//   struct_encode.cpp  lengths and encoding
//   struct_read.cpp    reading one component after its header
//   struct_decode.cpp  decoding records and CHOICEs
//   struct_mem*.cpp    decoding records whose definite contents a memory input holds whole
//   struct_kept.cpp    kept encodings
//   struct_make.cpp    constructors, getters, tagged aliases
#ifndef KORVU_CORE_STRUCT_ENGINE_H
#define KORVU_CORE_STRUCT_ENGINE_H

#include <cstring>

#include "default_rules.h"
#include "list_codec.h"
#include "struct.h"

namespace korvu::st::eng {

inline constexpr uint32_t kOctetStringTag = kCatalog[KORVU_TYPE_OCTET_STRING].tag_number;

template <class T>
T &at(void *record, uint16_t offset) {
  return *reinterpret_cast<T *>(static_cast<char *>(record) + offset);
}
template <class T>
inline const T &at(const void *record, uint16_t offset) {
  return *reinterpret_cast<const T *>(static_cast<const char *>(record) + offset);
}

inline bool is_list(const Field &f) { return f.shape == Shape::SequenceOf || f.shape == Shape::SetOf; }
inline bool is_inline(const Field &f) { return f.shape == Shape::InlineOctets; }
inline uint32_t list_tag(const Field &f) { return f.shape == Shape::SequenceOf ? 16 : 17; }
inline list::ElemSpec elem_spec(const Field &f) { return list::ElemSpec{f.type}; }
inline const KORVU_ASN1_LIST *as_list(const void *v) { return static_cast<const KORVU_ASN1_LIST *>(v); }

// The component's value: its owned pointer, or the address of its inline
// octets.
inline const void *value_of(const void *record, const Field &f) {
  if (is_inline(f)) return static_cast<const char *>(record) + f.offset;
  return at<void *>(record, f.offset);
}

inline bool present(const Field &f, const void *record) {
  if (value_of(record, f) == nullptr) return false;
  return f.flag == kNone || at<uint32_t>(record, f.flag) != 0;
}

// Where the whole TLV of a record decoded in place lies in its input and in
// the record's block; components that keep their own TLV point into the copy.
struct InPlace {
  size_t src_start;               // input position of the first contents octet
  uint32_t length;                // contents length
  const unsigned char *contents;  // the copy of the contents in the block
};

inline bool bad(Len l) { return l == kLenError || l == kLenOverflow; }
inline void set_offset(const Field &f, void *record, uint64_t where) {
  if (f.at != kNone) at<uint32_t>(record, f.at) = static_cast<uint32_t>(where);
}
inline void set_end(const Field &f, void *record, uint64_t where) {
  if (f.end_at != kNone) at<uint32_t>(record, f.end_at) = static_cast<uint32_t>(where);
}
inline const Field *alt_of(const StructDef &d, uint32_t choice) {
  for (uint32_t i = 0; i < d.count; i++)
    if (d.fields[i].choice == choice) return &d.fields[i];
  return nullptr;
}

// The copy of a component's TLV (header h, contents from input position
// `start`, `total` octets in all) inside a record decoded in place, or null
// when it lies outside it.
inline const unsigned char *in_place_copy(const InPlace &p, const Header &h, size_t start, uint64_t total) {
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

// ---- steps defined in the engine's files --------------------------------------
size_t tail_offset(const StructDef &d);
void *alloc_record(const StructDef &d, size_t extra);
bool kept_inside(const StructDef &d, const void *record, const unsigned char *p);
void release_kept(const StructDef &d, void *record, Kept &k);
void report_encode(const Field &f, KORVU_ERR_CTX *ctx);
void report_decode(const Field &f, KORVU_ERR_CTX *ctx);
void free_value(const Field &f, void *v);
void *copy_value(const Field &f, const void *v);
void *default_value(const Field &f);
bool equals_default(const Field &f, const void *v);
bool written(const Field &f, const void *record);
const StructDef *implicit_kept_def(const Field &f);
uint32_t identifier_size(const unsigned char *p, uint32_t n);
const Kept *kept_of(const StructDef &kd, const void *v, KORVU_ERR_CTX *ctx);
bool size_ok(const Field &f, const void *v);
void report_size(const Field &f, KORVU_ERR_CTX *ctx);
Len inner_content_length(const Field &f, const void *v);
Len untagged_length(const Field &f, const void *v);
int implicit_primitive(const Field &f, Len content);
int write_untagged(const Field &f, KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx);
int write_tagged(const Field &f, KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx, bool open = false);
int read_eoc(KORVU_STREAM *s, KORVU_ERR_CTX *ctx);
int read_list(const Field &f, KORVU_STREAM *s, const Header &h, void **v, uint32_t *n, KORVU_ERR_CTX *ctx,
              int depth);
int read_inline(const Field &f, KORVU_STREAM *s, const Header &h, void *record, uint32_t *n, KORVU_ERR_CTX *ctx,
                int depth);
int read_tagged(const Field &f, KORVU_STREAM *s, const Header &h, void *record, void **v, uint32_t *n,
                KORVU_ERR_CTX *ctx, int depth);
bool field_accepts(const Field &f, const Header &h);
Len field_length(const Field &f, const void *record);
int ensure_field_kept(const Field &f, const void *record, KORVU_ERR_CTX *ctx);
int field_encode(const Field &f, KORVU_STREAM *s, const void *record, uint32_t *w, KORVU_ERR_CTX *ctx,
                 bool open = false);
int field_decode(const Field &f, KORVU_STREAM *s, const Header &h, void *record, uint32_t *consumed,
                 KORVU_ERR_CTX *ctx, int depth, const InPlace *plan);
int decode_components(const StructDef &d, KORVU_STREAM *s, void *record, uint32_t length, uint64_t &used,
                      KORVU_ERR_CTX *ctx, int depth, const InPlace *plan);
int decode_record(const StructDef &d, KORVU_STREAM *s, void **out, int primitive, uint32_t length,
                  uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth, const Header *whole);
// Reads a record from definite contents that the memory stream s holds whole
// (struct_mem.cpp), its values' entries (warnings) in ctx. False leaves the
// input and *out untouched; ctx may then hold entries to drop.
bool mem_decode_record(const StructDef &d, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length, void **out,
                       int depth, const Header *whole);

}  // namespace korvu::st::eng

namespace korvu::st {
using namespace eng;
}  // namespace korvu::st

#endif
