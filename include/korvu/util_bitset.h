/** @file
 * Part of the KORVU utility library; included by korvu/util.h.
 *
 * A bit set holds the bits of an ASN.1 BIT STRING: bytes with the first bit in
 * the most significant bit of the first byte, and a count of unused low bits
 * (0 to 7) in the last byte. Bit i is bit 7 - i % 8 of byte i / 8. */
#ifndef KORVU_UTIL_BITSET_H
#define KORVU_UTIL_BITSET_H
#include "korvu/util.h"
#ifdef __cplusplus
extern "C" {
#endif

/** A set of bits: bytes with the first bit in the most significant bit of the first byte (opaque). */
typedef struct korvu_bitset_st KORVU_BITSET;

/** A set with a copy of `count` bytes and `unused_bits` unused low bits in the
 * last byte (cleared in the copy); null unless unused_bits <= 7, bytes are
 * given when count > 0, and count > 0 when unused_bits > 0. */
KORVU_UTIL_API KORVU_BITSET *korvu_bitset_new(uint32_t unused_bits, const void *bytes, uint32_t count);
/** A set of no bits. */
KORVU_UTIL_API KORVU_BITSET *korvu_bitset_empty(void);
/** Frees the set; null is accepted. */
KORVU_UTIL_API void korvu_bitset_free(KORVU_BITSET *set);
/** Borrowed view of the bytes (valid until the set changes or is freed); any
 * out argument may be null. 0 for a null set. */
KORVU_UTIL_API int korvu_bitset_getdata(const KORVU_BITSET *set, uint32_t *unused_bits, const unsigned char **bytes,
                                        uint32_t *count);
/** The number of bits: 8 * bytes - unused bits (0 for a null set). */
KORVU_UTIL_API uint32_t korvu_bitset_size(const KORVU_BITSET *set);
/** 1 when bit `index` is set; 0 when it is clear or outside the set. */
KORVU_UTIL_API int korvu_bitset_test(const KORVU_BITSET *set, uint32_t index);
/** Sets (on != 0) or clears a bit. Setting a bit past the end grows the set to
 * end at that bit; clearing one past the end changes nothing. 1 or 0. */
KORVU_UTIL_API int korvu_bitset_set(KORVU_BITSET *set, uint32_t index, int on);
/** The number of set bits. */
KORVU_UTIL_API uint32_t korvu_bitset_count(const KORVU_BITSET *set);

#ifdef __cplusplus
}
#endif
#endif
