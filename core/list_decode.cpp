// Lists read: the contents of a SEQUENCE OF / SET OF, element by element,
// gathered first and sized once.
#define KORVU_SRC "KORVU_ASN1_List"

#include <cstring>

#include "list_elem.h"

namespace korvu::list {
using namespace detail;
namespace {

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

}  // namespace

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

}  // namespace korvu::list
