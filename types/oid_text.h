// Dotted text of OBJECT IDENTIFIER and RELATIVE-OID contents (X.690 8.19,
// 8.20), written without allocating. Shared by the OID types and the JSON
// renderer.
#ifndef KORVU_TYPES_OID_TEXT_H
#define KORVU_TYPES_OID_TEXT_H

#include <cstddef>
#include <cstdint>

namespace korvu::oidtext {

// Room `to_text` needs for `length` contents octets (terminator included).
inline size_t text_capacity(size_t length) { return length * 4 + 3; }

// Writes v in decimal at t and returns the end.
inline char *put_decimal(char *t, uint64_t v) {
  // Most arcs of the identifiers in use have one or two digits.
  if (v < 10) {
    *t++ = static_cast<char>('0' + v);
    return t;
  }
  if (v < 100) {
    *t++ = static_cast<char>('0' + v / 10);
    *t++ = static_cast<char>('0' + v % 10);
    return t;
  }
  char buf[20];
  int n = 0;
  do {
    buf[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (n > 0) *t++ = buf[--n];
  return t;
}

// Prints the subidentifiers of the contents octets as dotted text into
// `text` (room for text_capacity(length)) and returns the end (where a NUL
// is written), or null when a subidentifier starts with 0x80, passes 64 bits
// or is cut off by the end of the contents. `max_arc` (optional) is set when
// an arc other than the first two of an OID is 2^64-1, which texts cannot
// name.
inline char *to_text(const unsigned char *data, size_t length, bool relative, char *text,
                     bool *max_arc = nullptr) {
  char *t = text;
  bool first = true;
  size_t i = 0;
  if (max_arc != nullptr) *max_arc = false;
  while (i < length) {
    if (data[i] == 0x80) return nullptr;
    uint64_t v = 0;
    bool done = false;
    for (; i < length; i++) {
      if (v >= (uint64_t{1} << 57)) return nullptr;
      v = (v << 7) | (data[i] & 0x7F);
      if ((data[i] & 0x80) == 0) {
        i++;
        done = true;
        break;
      }
    }
    if (!done) return nullptr;
    if (first && !relative) {
      // X.690 8.19.4: the first subidentifier joins the first two arcs.
      const uint64_t arc0 = v < 40 ? 0 : (v < 80 ? 1 : 2);
      *t++ = static_cast<char>('0' + arc0);
      *t++ = '.';
      t = put_decimal(t, v - 40 * arc0);
    } else {
      if (!first) *t++ = '.';
      if (v == UINT64_MAX && max_arc != nullptr) *max_arc = true;
      t = put_decimal(t, v);
    }
    first = false;
  }
  *t = '\0';
  return t;
}

}  // namespace korvu::oidtext

#endif
