// Bit sets: the bits of a BIT STRING as bytes plus an unused-bit count.
#include <cstring>

#include "korvu/util.h"

#define KORVU_UTIL_SRC "KORVU_UTIL_BitSet"

struct korvu_bitset_st {
  unsigned char *bytes;  // null when count is 0
  uint32_t count;
  uint32_t unused;  // unused low bits of the last byte, always clear
};

namespace {

// The largest set: bit indexes stay below 2^31 so sizes fit a signed count.
constexpr uint32_t kMaxBytes = 0x10000000u;

KORVU_BITSET *alloc_set(uint32_t count) {
  auto *set = static_cast<KORVU_BITSET *>(korvu_malloc(sizeof(KORVU_BITSET), KORVU_UTIL_SRC, __LINE__));
  if (set == nullptr) return nullptr;
  set->bytes = nullptr;
  set->count = 0;
  set->unused = 0;
  if (count != 0) {
    set->bytes = static_cast<unsigned char *>(korvu_malloc(count, KORVU_UTIL_SRC, __LINE__));
    if (set->bytes == nullptr) {
      korvu_free(set);
      return nullptr;
    }
    std::memset(set->bytes, 0, count);
    set->count = count;
  }
  return set;
}

uint32_t bit_size(const KORVU_BITSET *set) { return set->count * 8 - set->unused; }

}  // namespace

extern "C" {

KORVU_BITSET *korvu_bitset_new(uint32_t unused_bits, const void *bytes, uint32_t count) {
  if (unused_bits > 7 || (bytes == nullptr && count != 0) || (count == 0 && unused_bits != 0) || count > kMaxBytes)
    return nullptr;
  KORVU_BITSET *set = alloc_set(count);
  if (set == nullptr) return nullptr;
  if (count != 0) {
    std::memcpy(set->bytes, bytes, count);
    set->bytes[count - 1] &= static_cast<unsigned char>(0xFFu << unused_bits);
  }
  set->unused = unused_bits;
  return set;
}

KORVU_BITSET *korvu_bitset_empty(void) { return alloc_set(0); }

void korvu_bitset_free(KORVU_BITSET *set) {
  if (set == nullptr) return;
  korvu_free(set->bytes);
  korvu_free(set);
}

int korvu_bitset_getdata(const KORVU_BITSET *set, uint32_t *unused_bits, const unsigned char **bytes,
                         uint32_t *count) {
  if (unused_bits != nullptr) *unused_bits = 0;
  if (bytes != nullptr) *bytes = nullptr;
  if (count != nullptr) *count = 0;
  if (set == nullptr) return 0;
  if (unused_bits != nullptr) *unused_bits = set->unused;
  if (bytes != nullptr) *bytes = set->bytes;
  if (count != nullptr) *count = set->count;
  return 1;
}

uint32_t korvu_bitset_size(const KORVU_BITSET *set) { return set == nullptr ? 0 : bit_size(set); }

int korvu_bitset_test(const KORVU_BITSET *set, uint32_t index) {
  if (set == nullptr || index >= bit_size(set)) return 0;
  return (set->bytes[index / 8] >> (7 - index % 8)) & 1;
}

int korvu_bitset_set(KORVU_BITSET *set, uint32_t index, int on) {
  if (set == nullptr) return 0;
  if (index >= bit_size(set)) {
    if (!on) return 1;
    uint32_t need = index / 8 + 1;
    if (need > kMaxBytes) return 0;
    if (need > set->count) {
      auto *grown = static_cast<unsigned char *>(korvu_malloc(need, KORVU_UTIL_SRC, __LINE__));
      if (grown == nullptr) return 0;
      if (set->count != 0) std::memcpy(grown, set->bytes, set->count);
      std::memset(grown + set->count, 0, need - set->count);
      korvu_free(set->bytes);
      set->bytes = grown;
      set->count = need;
    }
    set->unused = 7 - index % 8;
  }
  unsigned char mask = static_cast<unsigned char>(0x80u >> (index % 8));
  if (on)
    set->bytes[index / 8] |= mask;
  else
    set->bytes[index / 8] &= static_cast<unsigned char>(~mask);
  return 1;
}

uint32_t korvu_bitset_count(const KORVU_BITSET *set) {
  if (set == nullptr) return 0;
  uint32_t n = 0;
  for (uint32_t i = 0; i < set->count; i++) n += static_cast<uint32_t>(__builtin_popcount(set->bytes[i]));
  return n;
}

}  // extern "C"
