// Lists: the growable array behind every SEQUENCE OF and SET OF, its public
// operations, element kinds resolved for the list codec, and the lists of ANY
// (types 24 to 27).
#define KORVU_SRC "KORVU_ASN1_List"

#include <cstring>

#include "list_elem.h"

namespace korvu::list {
namespace detail {

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

}  // namespace detail

using detail::free_items;

KORVU_ASN1_LIST *new_sized(uint32_t n) {
  const uint32_t cap = n == 0 ? 1 : n;
  auto *list = static_cast<KORVU_ASN1_LIST *>(KORVU_ALLOC(sizeof(KORVU_ASN1_LIST) + sizeof(void *) * cap));
  if (list == nullptr) return nullptr;
  list->items = detail::inline_items(list);
  list->capacity = static_cast<int32_t>(cap);
  list->count = 0;
  return list;
}

void free_with(KORVU_ASN1_LIST *list, void (*free_elem)(void *)) {
  if (list == nullptr) return;
  if (free_elem != nullptr)
    for (int32_t i = 0; i < list->count; i++)
      if (list->items[i] != nullptr) free_elem(list->items[i]);
  free_items(list);
  korvu_free(list);
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
      KORVU_ALLOC(sizeof(KORVU_ASN1_LIST) + sizeof(void *) * korvu::list::detail::kInitialCapacity));
  if (list == nullptr) return nullptr;
  list->items = korvu::list::detail::inline_items(list);
  list->capacity = korvu::list::detail::kInitialCapacity;
  list->count = 0;
  return list;
}

KORVU_API void korvu_asn1_list_free(KORVU_ASN1_LIST *list, uint32_t type) {
  if (list == nullptr) return;
  if (korvu::type_desc(type) != nullptr)
    for (int32_t i = 0; i < list->count; i++) korvu::value_free(type, list->items[i]);
  korvu::list::detail::free_items(list);
  korvu_free(list);
}

KORVU_API int korvu_asn1_list_put(KORVU_ASN1_LIST *list, void *element) {
  if (list == nullptr || element == nullptr) return 0;
  if (list->count < 0 || list->capacity < list->count) return 0;
  if (list->count == list->capacity || list->items == nullptr) {
    // Doubling keeps appends amortised constant.
    const int32_t cap = list->items == nullptr ? korvu::list::detail::kInitialCapacity : list->capacity;
    if (cap > INT32_MAX / 2) return 0;
    // A decoded list is sized to its elements, so its capacity may be small.
    const int32_t grown = list->items == nullptr || cap < korvu::list::detail::kInitialCapacity / 2 ? korvu::list::detail::kInitialCapacity : cap * 2;
    auto *items = static_cast<void **>(KORVU_ALLOC(sizeof(void *) * static_cast<size_t>(grown)));
    if (items == nullptr) return 0;
    if (list->count != 0) std::memcpy(items, list->items, sizeof(void *) * static_cast<size_t>(list->count));
    korvu::list::detail::free_items(list);
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
