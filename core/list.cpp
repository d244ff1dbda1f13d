// Lists: the growable array behind every SEQUENCE OF and SET OF, the shared
// list codec, DER ordering of SET OF (X.690 11.6), and the lists of ANY
// (types 24 to 27).
#define KORVU_SRC "KORVU_ASN1_List"

#include <algorithm>
#include <cstring>

#include "internal.h"
#include "list_codec.h"

namespace korvu::list {
namespace {

constexpr int32_t kInitialCapacity = 32;

// An element kind resolved for the codec: either a type number (with the
// identifier it is expected under) or operations.
struct Elem {
  const ElemOps *ops = nullptr;  // set: element by operations
  uint32_t type = 0;
  const TypeOps *type_ops = nullptr;
  bool any_tag = false;   // the element type checks the identifier itself
  bool retagged = false;  // expected identifier differs from the type's row
  uint32_t tag_class = 0;
  uint32_t tag = 0;
  uint32_t form = KORVU_FORM_EITHER;
};

int resolve(const ElemSpec &spec, Elem &e, KORVU_ERR_CTX *ctx) {
  const TypeDesc *d = type_desc(spec.type);
  if (d == nullptr) {
    KORVU_ERR(ctx, kErrUnsupportType);
    return 0;
  }
  if (d->ops == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  e.type = spec.type;
  e.type_ops = d->ops;
  if (spec.tag == kAnyTag || (spec.tag == kTagOfRow && d->tag_class == 0 && d->tag_number == 0)) {
    e.any_tag = true;
    return 1;
  }
  if (spec.tag == kTagOfRow) {
    e.tag_class = d->tag_class;
    e.tag = d->tag_number;
    e.form = d->form;
    return 1;
  }
  e.tag_class = spec.tag_class;
  e.tag = spec.tag;
  e.form = spec.form;
  e.retagged = spec.tag_class != d->tag_class || spec.tag != d->tag_number;
  if (e.retagged && (d->ops->content_length == nullptr || d->ops->encode_content == nullptr ||
                     d->ops->decode_content == nullptr)) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  return 1;
}

Len elem_length(const Elem &e, const void *v) {
  if (e.ops != nullptr) return e.ops->length != nullptr ? e.ops->length(v) : kLenError;
  if (e.retagged) return tlv_length(e.tag, value_content_length(e.type, v));
  return value_length(e.type, v);
}

int elem_encode(const Elem &e, KORVU_STREAM *s, const void *v, uint32_t *written, KORVU_ERR_CTX *ctx) {
  *written = 0;
  if (e.ops != nullptr) {
    if (e.ops->encode == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    return e.ops->encode(s, v, written, ctx);
  }
  if (!e.retagged) return encode_value(s, e.type, v, written, ctx);
  // Under an implicit tag: our identifier, the type's contents.
  Len cl = value_content_length(e.type, v);
  if (cl == kLenError || cl == kLenOverflow) {
    KORVU_ERR(ctx, kErrCalLength);
    return 0;
  }
  int primitive = e.form == KORVU_FORM_EITHER ? (cl == kLenIndef ? 0 : 1) : (e.form == KORVU_FORM_PRIMITIVE);
  uint32_t hw = 0, cw = 0;
  int r = write_header(s, e.tag_class, primitive, e.tag, static_cast<uint32_t>(cl), &hw, ctx);
  if (r != 1) return r;
  r = e.type_ops->encode_content(s, v, static_cast<uint32_t>(cl), &cw, ctx);
  if (r != 1) {
    KORVU_ENCODE_ERR(ctx, e.type);
    return r;
  }
  *written = hw + cw;
  return 1;
}

int elem_decode(const Elem &e, KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed,
                KORVU_ERR_CTX *ctx, int depth) {
  if (e.ops != nullptr) {
    if (e.ops->decode == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    return e.ops->decode(s, h, out, consumed, ctx, depth);
  }
  if (!e.any_tag) {
    if (h.tag_class != e.tag_class || h.tag != e.tag ||
        (e.form != KORVU_FORM_EITHER && static_cast<uint32_t>(h.primitive ? 1 : 0) != e.form)) {
      KORVU_ERR(ctx, kErrIncorrectItem);
      return 0;
    }
  }
  // A failing element reports its own type's code; the list type adds its
  // code after it.
  if (!e.retagged) {
    const int r = decode_after_header(s, e.type, h, out, consumed, ctx, depth);
    if (r != 1) KORVU_DECODE_ERR(ctx, e.type);
    return r;
  }
  int r = e.type_ops->decode_content(s, out, h.primitive, h.length, consumed, ctx, depth);
  if (r != 1) KORVU_DECODE_ERR(ctx, e.type);
  return r;
}

void elem_free(const Elem &e, void *v) {
  if (v == nullptr) return;
  if (e.ops != nullptr) {
    if (e.ops->free != nullptr) e.ops->free(v);
  } else {
    value_free(e.type, v);
  }
}

// A new list's first 32 pointers live in the list's own block; only a grown
// array is a block of its own.
void **inline_items(KORVU_ASN1_LIST *list) { return reinterpret_cast<void **>(list + 1); }
void free_items(KORVU_ASN1_LIST *list) {
  if (list->items != inline_items(list)) korvu_free(list->items);
}

Len sum_lengths(const KORVU_ASN1_LIST *list, const Elem &e) {
  if (list == nullptr) return kLenError;
  Len total = 0;
  for (int32_t i = 0; i < list->count; i++) {
    total = len_add(total, elem_length(e, list->items[i]));
    if (total == kLenError) break;
  }
  return total;
}

int encode_elems(KORVU_STREAM *s, const KORVU_ASN1_LIST *list, const Elem &e, uint32_t length,
                 uint32_t *written, KORVU_ERR_CTX *ctx) {
  if (written != nullptr) *written = 0;
  if (s == nullptr || list == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  const bool indef = length == 0xFFFFFFFFu;
  if (!indef && length > kLenMax) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return 0;
  }
  uint64_t total = 0;
  for (int32_t i = 0; i < list->count; i++) {
    uint32_t w = 0;
    int r = elem_encode(e, s, list->items[i], &w, ctx);
    if (r != 1) return r;
    total += w;
  }
  int r = close_contents(s, length, total, ctx);
  if (r != 1) return r;
  if (total > 0xFFFFFFFFu) total = 0xFFFFFFFFu;
  if (written != nullptr) *written = static_cast<uint32_t>(total);
  return 1;
}

// Element pointers of a list being decoded: the first kGathered on the stack,
// then a doubling block that the finished list adopts as its array when it
// is at least three quarters full (else the list is copied to its size).
class Gathered {
 public:
  static constexpr uint32_t kGathered = 16;
  Gathered() = default;
  Gathered(const Gathered &) = delete;
  Gathered &operator=(const Gathered &) = delete;
  ~Gathered() { korvu_free(heap_); }

  uint32_t count = 0;
  void *at(uint32_t i) const { return heap_ != nullptr ? heap_[i] : local_[i]; }
  bool push(void *v) {
    if (heap_ == nullptr && count < kGathered) {
      local_[count++] = v;
      return true;
    }
    if (heap_ == nullptr || count == cap_) {
      const uint32_t grown = heap_ == nullptr ? 2 * kGathered : 2 * cap_;
      if (grown > static_cast<uint32_t>(INT32_MAX)) return false;
      auto *block = static_cast<void **>(KORVU_ALLOC(sizeof(void *) * grown));
      if (block == nullptr) return false;
      std::memcpy(block, heap_ != nullptr ? heap_ : local_, sizeof(void *) * count);
      korvu_free(heap_);
      heap_ = block;
      cap_ = grown;
    }
    heap_[count++] = v;
    return true;
  }
  // The finished list, owning the elements; null when memory runs out (the
  // elements then stay here for the caller to free).
  KORVU_ASN1_LIST *to_list() {
    // A doubled array with more than a quarter unused gives way to one block
    // of the exact size, as a short list has (a 10,000-entry CRL would
    // otherwise hold room for 16,384).
    if (heap_ != nullptr && cap_ - count <= cap_ / 4) {
      auto *list = static_cast<KORVU_ASN1_LIST *>(KORVU_ALLOC(sizeof(KORVU_ASN1_LIST)));
      if (list == nullptr) return nullptr;
      list->items = heap_;
      list->capacity = static_cast<int32_t>(cap_);
      list->count = static_cast<int32_t>(count);
      heap_ = nullptr;
      return list;
    }
    const uint32_t cap = count == 0 ? 1 : count;
    auto *list = static_cast<KORVU_ASN1_LIST *>(KORVU_ALLOC(sizeof(KORVU_ASN1_LIST) + sizeof(void *) * cap));
    if (list == nullptr) return nullptr;
    list->items = inline_items(list);
    if (count != 0) std::memcpy(list->items, heap_ != nullptr ? heap_ : local_, sizeof(void *) * count);
    korvu_free(heap_);
    heap_ = nullptr;
    list->capacity = static_cast<int32_t>(cap);
    list->count = static_cast<int32_t>(count);
    return list;
  }

 private:
  void *local_[kGathered];
  void **heap_ = nullptr;
  uint32_t cap_ = 0;
};

int decode_elems(KORVU_STREAM *s, KORVU_ASN1_LIST **out, int primitive, uint32_t length, const Elem &e,
                 uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth, uint32_t min_size) {
  if (consumed != nullptr) *consumed = 0;
  if (out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  if (s == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (primitive) {
    KORVU_ERR(ctx, kErrPcBit);
    return 0;
  }
  const bool indef = length == 0xFFFFFFFFu;
  if (!indef && length > kLenMax) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  // Elements are gathered first and the list is sized once at the end, so a
  // decoded list costs one block (two when it adopts the doubling block) and
  // little spare room: a CRL's entries each carry a list of one or two
  // extensions.
  Gathered items;
  uint64_t used = 0;
  int r = 1;
  for (;;) {
    if (!indef && used == length) break;
    Header h;
    // An element held in memory is read in one step (read_header reports
    // as below); an identifier 00 and other inputs go octet by octet.
    if (stream::mem_holds(s, 1) && s->data[s->pos] != 0x00) {
      r = read_header(s, h, ctx);
      if (r != 1) break;
    } else {
      r = read_identifier(s, h, ctx);
      if (r != 1) {
        KORVU_ERR(ctx, kErrDecodeIdentifier);
        break;
      }
      if (indef && h.raw[0] == 0x00) {
        r = read_eoc_tail(s, ctx);
        if (r != 1) {
          if (r == 0) KORVU_ERR(ctx, kErrDecodeEocOctets);  // stream failures carry it already
          break;
        }
        used += 2;
        break;
      }
      // Identifier 00 only ever closes indefinite contents (X.690 8.1.5): as an
      // element of definite contents it would end the list early once the list
      // is written back in the indefinite form.
      if (!indef && h.raw[0] == 0x00) {
        KORVU_ERR(ctx, kErrIncorrectItem);
        r = 0;
        break;
      }
      r = read_length(s, h, ctx);
      if (r != 1) {
        KORVU_ERR(ctx, kErrDecodeLengthOctets);
        break;
      }
    }
    // An element must end inside a definite list.
    if (!indef && (used + h.size > length ||
                   (h.length != 0xFFFFFFFFu && used + h.size + h.length > length))) {
      KORVU_ERR(ctx, kErrIncorrectLength);
      r = 0;
      break;
    }
    if (depth_exceeded(depth + 1)) {
      r = depth_failure(ctx);
      break;
    }
    void *v = nullptr;
    uint32_t c = 0;
    r = elem_decode(e, s, h, &v, &c, ctx, depth + 1);
    if (r != 1) break;  // a failed decoder hands nothing out
    // The element's decoder must consume exactly its definite length.
    if ((h.length != 0xFFFFFFFFu && c != h.length) || v == nullptr) {
      elem_free(e, v);
      KORVU_ERR(ctx, v == nullptr ? KORVU_ERR_NULLARG : kErrIncorrectLength);
      r = 0;
      break;
    }
    if (!items.push(v)) {
      elem_free(e, v);
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      r = 0;
      break;
    }
    used += h.size + static_cast<uint64_t>(c);
    if ((!indef && used > length) || used > kLenMax) {
      KORVU_ERR(ctx, kErrIncorrectLength);
      r = 0;
      break;
    }
  }
  if (r == 1 && items.count < min_size) {
    KORVU_ERR(ctx, kErrIncorrectSize);
    r = 0;
  }
  KORVU_ASN1_LIST *list = r == 1 ? items.to_list() : nullptr;
  if (r == 1 && list == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    r = 0;
  }
  if (r != 1) {
    for (uint32_t i = 0; i < items.count; i++) elem_free(e, items.at(i));
    return r;
  }
  *out = list;
  if (consumed != nullptr) *consumed = static_cast<uint32_t>(used);
  return 1;
}

// ---------------------------------------------------------------------------
// DER sort.

struct SortEntry {
  void *elem;
  size_t offset;
  uint32_t length;
};

int sort_elems(KORVU_ASN1_LIST *list, const Elem &e, KORVU_ERR_CTX *ctx) {
  if (list == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (list->count < 2) return 1;
  const int32_t n = list->count;
  auto *entries = static_cast<SortEntry *>(KORVU_ALLOC(sizeof(SortEntry) * static_cast<size_t>(n)));
  if (entries == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  KORVU_STREAM *ms = korvu_stream_new_mem(1024, ctx);
  if (ms == nullptr) {
    korvu_free(entries);
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  // All encodings go into one buffer; entries remember where each lies.
  size_t offset = 0;
  for (int32_t i = 0; i < n; i++) {
    uint32_t w = 0;
    int r = elem_encode(e, ms, list->items[i], &w, ctx);
    if (r != 1) {
      if (e.ops == nullptr) KORVU_ENCODE_ERR(ctx, e.type);
      korvu_stream_free(ms);
      korvu_free(entries);
      return r;
    }
    entries[i] = SortEntry{list->items[i], offset, w};
    offset += w;
  }
  uint32_t size = 0;
  const unsigned char *data = korvu_memstream_data(ms, &size);
  if (size != offset || (size != 0 && data == nullptr)) {
    KORVU_ERR(ctx, KORVU_ERR_COUNT_MISMATCH);
    korvu_stream_free(ms);
    korvu_free(entries);
    return 0;
  }
  std::sort(entries, entries + n, [data](const SortEntry &a, const SortEntry &b) {
    return der_compare(data + a.offset, a.length, data + b.offset, b.length) < 0;
  });
  for (int32_t i = 0; i < n; i++) list->items[i] = entries[i].elem;
  korvu_stream_free(ms);
  korvu_free(entries);
  return 1;
}

}  // namespace

int der_compare(const unsigned char *a, uint32_t alen, const unsigned char *b, uint32_t blen) {
  const uint32_t common = alen < blen ? alen : blen;
  if (common != 0) {
    int c = std::memcmp(a, b, common);
    if (c != 0) return c < 0 ? -1 : 1;
  }
  // Equal prefix: the shorter one counts as padded with zero octets.
  if (alen > blen) {
    for (uint32_t i = common; i < alen; i++)
      if (a[i] != 0) return 1;
  } else {
    for (uint32_t i = common; i < blen; i++)
      if (b[i] != 0) return -1;
  }
  return 0;
}

Len content_length(const KORVU_ASN1_LIST *list, const ElemSpec &spec) {
  Elem e;
  if (resolve(spec, e, nullptr) != 1) return kLenError;
  return sum_lengths(list, e);
}

Len content_length(const KORVU_ASN1_LIST *list, const ElemOps &ops) {
  Elem e;
  e.ops = &ops;
  return sum_lengths(list, e);
}

int encode_content(KORVU_STREAM *s, const KORVU_ASN1_LIST *list, const ElemSpec &spec, uint32_t length,
                   uint32_t *written, KORVU_ERR_CTX *ctx) {
  Elem e;
  if (written != nullptr) *written = 0;
  int r = resolve(spec, e, ctx);
  if (r != 1) return r;
  return encode_elems(s, list, e, length, written, ctx);
}

int encode_content(KORVU_STREAM *s, const KORVU_ASN1_LIST *list, const ElemOps &ops, uint32_t length,
                   uint32_t *written, KORVU_ERR_CTX *ctx) {
  Elem e;
  e.ops = &ops;
  return encode_elems(s, list, e, length, written, ctx);
}

int decode_content(KORVU_STREAM *s, KORVU_ASN1_LIST **out, int primitive, uint32_t length,
                   const ElemSpec &spec, uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth, uint32_t min_size) {
  Elem e;
  if (out != nullptr) *out = nullptr;
  if (consumed != nullptr) *consumed = 0;
  int r = resolve(spec, e, ctx);
  if (r != 1) return r;
  return decode_elems(s, out, primitive, length, e, consumed, ctx, depth, min_size);
}

int decode_content(KORVU_STREAM *s, KORVU_ASN1_LIST **out, int primitive, uint32_t length, const ElemOps &ops,
                   uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth, uint32_t min_size) {
  Elem e;
  e.ops = &ops;
  return decode_elems(s, out, primitive, length, e, consumed, ctx, depth, min_size);
}

void free_with(KORVU_ASN1_LIST *list, void (*free_elem)(void *)) {
  if (list == nullptr) return;
  if (free_elem != nullptr)
    for (int32_t i = 0; i < list->count; i++)
      if (list->items[i] != nullptr) free_elem(list->items[i]);
  free_items(list);
  korvu_free(list);
}

int der_sort(KORVU_ASN1_LIST *list, uint32_t elem_type, KORVU_ERR_CTX *ctx) {
  Elem e;
  if (list != nullptr && list->count < 2) return 1;
  int r = resolve(ElemSpec{elem_type}, e, ctx);
  if (r != 1) return r;
  return sort_elems(list, e, ctx);
}

int der_sort(KORVU_ASN1_LIST *list, const ElemOps &ops, KORVU_ERR_CTX *ctx) {
  Elem e;
  e.ops = &ops;
  return sort_elems(list, e, ctx);
}

}  // namespace korvu::list

// Lists of ANY: SEQUENCE OF and SET OF, with and without SIZE (1..MAX).
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_ANY) =
    korvu::list::TypedList<KORVU_TYPE_SEQUENCE_OF_ANY, KORVU_TYPE_ANY>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_SIZE_OF_ANY) =
    korvu::list::TypedList<KORVU_TYPE_SEQUENCE_SIZE_OF_ANY, KORVU_TYPE_ANY, 0x00, korvu::list::kTagOfRow,
                           KORVU_FORM_EITHER, 1>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SET_OF_ANY) = korvu::list::TypedList<KORVU_TYPE_SET_OF_ANY, KORVU_TYPE_ANY>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SET_SIZE_OF_ANY) =
    korvu::list::TypedList<KORVU_TYPE_SET_SIZE_OF_ANY, KORVU_TYPE_ANY, 0x00, korvu::list::kTagOfRow,
                           KORVU_FORM_EITHER, 1>::ops;

// ---------------------------------------------------------------------------
// Exports.

extern "C" {

KORVU_API KORVU_ASN1_LIST *korvu_asn1_list_new(void) {
  auto *list = static_cast<KORVU_ASN1_LIST *>(
      KORVU_ALLOC(sizeof(KORVU_ASN1_LIST) + sizeof(void *) * korvu::list::kInitialCapacity));
  if (list == nullptr) return nullptr;
  list->items = korvu::list::inline_items(list);
  list->capacity = korvu::list::kInitialCapacity;
  list->count = 0;
  return list;
}

KORVU_API void korvu_asn1_list_free(KORVU_ASN1_LIST *list, uint32_t type) {
  if (list == nullptr) return;
  if (korvu::type_desc(type) != nullptr)
    for (int32_t i = 0; i < list->count; i++) korvu::value_free(type, list->items[i]);
  korvu::list::free_items(list);
  korvu_free(list);
}

KORVU_API int korvu_asn1_list_put(KORVU_ASN1_LIST *list, void *element) {
  if (list == nullptr || element == nullptr) return 0;
  if (list->count < 0 || list->capacity < list->count) return 0;
  if (list->count == list->capacity || list->items == nullptr) {
    // Doubling keeps appends amortised constant.
    const int32_t cap = list->items == nullptr ? korvu::list::kInitialCapacity : list->capacity;
    if (cap > INT32_MAX / 2) return 0;
    // A decoded list is sized to its elements, so its capacity may be small.
    const int32_t grown = list->items == nullptr || cap < korvu::list::kInitialCapacity / 2 ? korvu::list::kInitialCapacity : cap * 2;
    auto *items = static_cast<void **>(KORVU_ALLOC(sizeof(void *) * static_cast<size_t>(grown)));
    if (items == nullptr) return 0;
    if (list->count != 0) std::memcpy(items, list->items, sizeof(void *) * static_cast<size_t>(list->count));
    korvu::list::free_items(list);
    list->items = items;
    list->capacity = grown;
  }
  list->items[list->count++] = element;
  return 1;
}

KORVU_API int32_t korvu_asn1_list_getsize(const KORVU_ASN1_LIST *list) { return list == nullptr ? 0 : list->count; }

KORVU_API int korvu_asn1_list_get(const KORVU_ASN1_LIST *list, int32_t index, void **element) {
  if (list == nullptr || element == nullptr || index < 0 || index >= list->count) return 0;
  *element = list->items[index];
  return 1;
}

KORVU_API void *korvu_asn1_list_delete(KORVU_ASN1_LIST *list, int32_t index) {
  if (list == nullptr || index < 0 || index >= list->count) return nullptr;
  void *v = list->items[index];
  const int32_t after = list->count - index - 1;
  if (after > 0)
    std::memmove(list->items + index, list->items + index + 1, sizeof(void *) * static_cast<size_t>(after));
  list->count--;
  return v;
}

}  // extern "C"
