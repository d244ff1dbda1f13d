// Values built inside the block of the record that holds them (core/struct.cpp)
// carry a mark in the padding word of their C record, so that the type's free
// (and korvu_data_blob_free) releases only what such a value owns besides its
// room and leaves the block to the record; a caller may so free a component
// of a decoded record and put another in its place, as with any value.
// Values allocated on their own carry 0 there: every allocation of these
// records clears the word.
#ifndef KORVU_UTIL_ROOM_MARK_H
#define KORVU_UTIL_ROOM_MARK_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace korvu::room {

inline constexpr uint32_t kMark = 0x4D4F4F52u;

// Offsets of the padding words: after `length` in a data blob (INTEGER,
// ENUMERATED) and an OBJECT IDENTIFIER, after `owns_stream` in an OCTET
// STRING, after `kind` in a Time. Only 64-bit layouts have them.
inline constexpr size_t kBlobWord = 12, kOidWord = 12, kOctetsWord = 12, kTimeWord = 4;
inline constexpr bool kHasWords = sizeof(void *) == 8;

inline void set(void *v, size_t at, bool on) {
  if constexpr (kHasWords) {
    const uint32_t m = on ? kMark : 0;
    std::memcpy(static_cast<char *>(v) + at, &m, sizeof m);
  }
}
inline bool is(const void *v, size_t at) {
  if constexpr (!kHasWords) return false;
  uint32_t m;
  std::memcpy(&m, static_cast<const char *>(v) + at, sizeof m);
  return m == kMark;
}

}  // namespace korvu::room

#endif
