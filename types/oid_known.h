// The well-known object identifiers (oid_names.inc) by their contents
// octets: a decoded identifier found here takes its octets and dotted text
// from this constant table instead of copying them into its block, so the
// value is its record alone. Both tables are built when the library compiles.
#ifndef KORVU_TYPES_OID_KNOWN_H
#define KORVU_TYPES_OID_KNOWN_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvu::oidknown {

inline constexpr size_t kMaxOctets = 24;

struct Known {
  unsigned char octets[kMaxOctets];
  uint8_t length;
  const char *text;
};

// The contents octets of a dotted text with two or more arcs, the first
// below 3 (X.690 8.19); a row that breaks these rules, or whose text a decoder
// would not write back the same way (a leading zero), stops the compilation.
constexpr Known encode(std::string_view dotted, const char *text) {
  Known k{};
  k.text = text;
  uint64_t arcs[32]{};
  size_t n = 0;
  uint64_t v = 0;
  size_t digits = 0;
  for (size_t i = 0; i <= dotted.size(); i++) {
    if (i == dotted.size() || dotted[i] == '.') {
      if (digits == 0 || n == 32) throw "malformed identifier";
      arcs[n++] = v;
      v = 0;
      digits = 0;
      continue;
    }
    const char c = dotted[i];
    if (c < '0' || c > '9' || (digits == 1 && v == 0)) throw "malformed identifier";
    v = v * 10 + static_cast<uint64_t>(c - '0');
    digits++;
  }
  if (n < 2 || arcs[0] > 2 || (arcs[0] < 2 && arcs[1] > 39)) throw "malformed identifier";
  size_t len = 0;
  for (size_t i = 1; i < n; i++) {
    const uint64_t sub = i == 1 ? 40 * arcs[0] + arcs[1] : arcs[i];
    unsigned groups = 1;
    for (uint64_t t = sub >> 7; t != 0; t >>= 7) groups++;
    if (len + groups > kMaxOctets) throw "identifier too long for the table";
    for (unsigned g = groups; g-- > 0;)
      k.octets[len++] = static_cast<unsigned char>(((sub >> (7 * g)) & 0x7F) | (g != 0 ? 0x80 : 0));
  }
  k.length = static_cast<uint8_t>(len);
  return k;
}

inline constexpr Known kRows[] = {
#define KORVU_OID(dotted, name) encode(dotted, dotted),
#include "oid_names.inc"
#undef KORVU_OID
};
inline constexpr size_t kCount = std::size(kRows);

constexpr uint32_t hash(const unsigned char *p, size_t n) {
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 16777619u;
  return h;
}

constexpr bool same(const Known &k, const unsigned char *p, size_t n) {
  if (k.length != n) return false;
  for (size_t i = 0; i < n; i++)
    if (k.octets[i] != p[i]) return false;
  return true;
}

// Open addressing over four times as many slots as rows: row index + 1, or 0.
inline constexpr size_t kSlots = 2048;
static_assert(kSlots >= 4 * kCount && kCount < 0xFFFF, "slot table size");
inline constexpr auto kTable = [] {
  std::array<uint16_t, kSlots> t{};
  for (size_t r = 0; r < kCount; r++) {
    size_t i = hash(kRows[r].octets, kRows[r].length) & (kSlots - 1);
    bool duplicate = false;
    while (t[i] != 0) {
      duplicate = duplicate || same(kRows[t[i] - 1], kRows[r].octets, kRows[r].length);
      i = (i + 1) & (kSlots - 1);
    }
    if (!duplicate) t[i] = static_cast<uint16_t>(r + 1);
  }
  return t;
}();

// The row of these contents octets, or null.
inline const Known *find(const unsigned char *p, size_t n) {
  if (n == 0 || n > kMaxOctets) return nullptr;
  for (size_t i = hash(p, n) & (kSlots - 1);; i = (i + 1) & (kSlots - 1)) {
    const uint16_t r = kTable[i];
    if (r == 0) return nullptr;
    if (same(kRows[r - 1], p, n)) return &kRows[r - 1];
  }
}

}  // namespace korvu::oidknown

#endif
