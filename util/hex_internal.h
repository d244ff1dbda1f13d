// Upper-case hexadecimal text, shared by the hexadecimal encoder, the JSON
// tree's hex strings and the JSON renderer.
#ifndef KORVU_UTIL_HEX_INTERNAL_H
#define KORVU_UTIL_HEX_INTERNAL_H

#include <cstddef>
#include <cstring>

namespace korvu::hex {

// The two characters of every octet value.
struct Pairs {
  char text[512];
  constexpr Pairs() : text() {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 256; i++) {
      text[2 * i] = kDigits[i >> 4];
      text[2 * i + 1] = kDigits[i & 15];
    }
  }
};
inline constexpr Pairs kPairs;

// Writes the 2 * n characters of p[0..n) at t (no terminator) and returns
// the end.
inline char *put(char *t, const unsigned char *p, size_t n) {
  for (size_t i = 0; i < n; i++) std::memcpy(t + 2 * i, kPairs.text + 2 * p[i], 2);
  return t + 2 * n;
}

}  // namespace korvu::hex

#endif
