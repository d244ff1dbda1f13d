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

constexpr OidName kRows[] = {
#define KORVU_OID(dotted, name) OidName{dotted, name},
#include "oid_names.inc"
#undef KORVU_OID
};

// The rows sorted by their dotted text when this compiles (a plain array
// first: deducing std::array from some 330 initializers nests too deep for
// some compilers).
constexpr auto kSorted = [] {
  std::array<OidName, std::size(kRows)> rows{};
  for (size_t i = 0; i < rows.size(); i++) rows[i] = kRows[i];
  std::sort(rows.begin(), rows.end(), [](const OidName &a, const OidName &b) { return a.dotted < b.dotted; });
  return rows;
}();

}  // namespace

KORVU_API const char *korvu_asn1_oid_name(const char *dotted) {
  if (dotted == nullptr) return nullptr;
  const std::string_view key(dotted);
  auto it = std::lower_bound(kSorted.begin(), kSorted.end(), key,
                             [](const OidName &row, std::string_view k) { return row.dotted < k; });
  return it != kSorted.end() && it->dotted == key ? it->name : nullptr;
}
