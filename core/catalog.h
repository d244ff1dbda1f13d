// The type catalogue as constant data, visible to every module at compile
// time: tables of the structure engine are checked against their rows when
// they compile, and the registry pairs each row with its operations.
#ifndef KORVU_CORE_CATALOG_H
#define KORVU_CORE_CATALOG_H

#include <cstdint>

#include "korvu/asn1.h"

namespace korvu {

struct CatalogRow {
  uint32_t form;        // KORVU_FORM_*
  uint32_t tag_class;   // 0x00, 0x40, 0x80, 0xC0
  uint32_t tag_number;  // 0 with class 0 and form EITHER: no tag of its own (ANY, CHOICE, Time)
  int32_t error_code;   // encode failure; decode failure is error_code + 1
  const char *name;
};

inline constexpr CatalogRow kCatalog[] = {
#define KORVU_TYPE(n, id, form, cls, tag, code, name) {form, cls, tag, code, name},
#include "catalog.inc"
#undef KORVU_TYPE
};
inline constexpr uint32_t kTypeCount = sizeof(kCatalog) / sizeof(kCatalog[0]);
static_assert(kTypeCount == KORVU_TYPE_COUNT, "the catalogue has a row for every type number");

// Each row's number is the number its name stands for in asn1_types.h.
constexpr bool catalog_names_agree() {
  uint32_t i = 0;
#define KORVU_TYPE(n, id, form, cls, tag, code, name) \
  if (n != i++ || KORVU_TYPE_##id != n) return false;
#include "catalog.inc"
#undef KORVU_TYPE
  return true;
}
static_assert(catalog_names_agree(), "catalogue rows are in number order and match include/korvu/asn1_types.h");

// A row without a tag of its own: its values are told apart by the tag of
// their content (ANY, CHOICE types, Time).
constexpr bool untagged_row(uint32_t type) {
  return type < kTypeCount && kCatalog[type].form == KORVU_FORM_EITHER && kCatalog[type].tag_class == 0 &&
         kCatalog[type].tag_number == 0;
}

}  // namespace korvu

#endif
