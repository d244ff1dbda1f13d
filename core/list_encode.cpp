// Lists written: the contents of a SEQUENCE OF / SET OF, their length, and
// DER order of a SET OF (X.690 11.6).
#define KORVU_SRC "KORVU_ASN1_List"

#include <algorithm>
#include <cstring>

#include "list_elem.h"

namespace korvu::list {
using namespace detail;
namespace {

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
