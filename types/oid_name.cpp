// korvu_asn1_oid_name: names of well-known object identifiers.
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "korvu/asn1.h"

namespace {

struct OidName {
  std::string_view dotted;
  const char *name;
};

constexpr auto kSorted = [] {
  std::array kRows{
#define KORVU_OID(dotted, name) OidName{dotted, name},
#include "oid_names.inc"
#undef KORVU_OID
  };
  std::sort(kRows.begin(), kRows.end(), [](const OidName &a, const OidName &b) { return a.dotted < b.dotted; });
  return kRows;
}();

}  // namespace

KORVU_API const char *korvu_asn1_oid_name(const char *dotted) {
  if (dotted == nullptr) return nullptr;
  const std::string_view key(dotted);
  auto it = std::lower_bound(kSorted.begin(), kSorted.end(), key,
                             [](const OidName &row, std::string_view k) { return row.dotted < k; });
  return it != kSorted.end() && it->dotted == key ? it->name : nullptr;
}
