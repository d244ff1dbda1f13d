// UTF-8 checking shared by the Unicode strings and the JSON tree.
#ifndef KORVU_UTIL_UNICODE_INTERNAL_H
#define KORVU_UTIL_UNICODE_INTERNAL_H

#include <cstddef>
#include <cstdint>

namespace korvu::unicode {

// Decodes one UTF-8 sequence at p[0..n) (n >= 1) into *cp and returns its
// octet count, or 0 when the sequence is malformed: a stray continuation
// octet, a cut sequence, an overlong form, a surrogate (ED A0..BF) or a value
// past 10FFFF (RFC 3629).
inline size_t utf8_next(const unsigned char *p, size_t n, uint32_t *cp) {
  unsigned char c = p[0];
  if (c < 0x80) {
    *cp = c;
    return 1;
  }
  size_t len;
  uint32_t v;
  unsigned char lo = 0x80, hi = 0xBF;  // range of the second octet
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    v = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    v = c & 0x0F;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    v = c & 0x07;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (n < len) return 0;
  if (p[1] < lo || p[1] > hi) return 0;
  v = (v << 6) | (p[1] & 0x3F);
  for (size_t i = 2; i < len; i++) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    v = (v << 6) | (p[i] & 0x3F);
  }
  *cp = v;
  return len;
}

inline bool utf8_valid(const unsigned char *p, size_t n) {
  size_t i = 0;
  while (i < n) {
    // Runs of ASCII, eight octets at a time.
    while (n - i >= 8) {
      uint64_t w;
      __builtin_memcpy(&w, p + i, 8);
      if (w & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i == n) break;
    if (p[i] < 0x80) {
      i++;
      continue;
    }
    uint32_t cp;
    size_t k = utf8_next(p + i, n - i, &cp);
    if (k == 0) return false;
    i += k;
  }
  return true;
}

}  // namespace korvu::unicode

#endif
