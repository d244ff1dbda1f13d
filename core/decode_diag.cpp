// korvu_asn1_decode_diag: a memory decode that also says at which octet the
// input stopped decoding.
//
// The offset comes from two sources. A walk of the identifier and length
// octets of the first encoding finds the first structural fault (a length
// that runs past its container, a missing end-of-contents, ...); when the
// decoder got that far, the fault is what stopped it. Otherwise the decoder
// stopped on an element it did not accept (wrong tag, bad contents, a
// missing component): the read position at the failure lies in that
// element's identifier, length or primitive contents, and the offset is the
// first octet of the deepest element holding it.
#define KORVU_SRC "KORVU_ASN1_Decode"
#include <cstddef>

#include "internal.h"

namespace korvu {

namespace {

constexpr int kWalkDepth = 64;

struct Walk {
  const unsigned char *data;
  size_t fault = SIZE_MAX;  // first structural fault
  size_t target = 0;        // the octet whose element is wanted
  size_t holder = SIZE_MAX; // first octet of the deepest element holding `target`

  bool fail(size_t at) {
    if (fault == SIZE_MAX) fault = at;
    return false;
  }

  // One element at `pos` below `end`; `next` is the octet after it.
  bool element(size_t pos, size_t end, int depth, size_t &next, bool &eoc) {
    const size_t start = pos;
    eoc = false;
    if (pos >= end) return fail(pos);
    const unsigned char first = data[pos++];
    const bool constructed = (first & 0x20u) != 0;
    if ((first & 0x1Fu) == 0x1Fu) {
      size_t groups = 0;
      do {
        if (pos >= end || ++groups > 5) return fail(pos < end ? pos : end);
      } while (data[pos++] & 0x80u);
    }
    if (pos >= end) return fail(pos);
    const size_t length_at = pos;
    const unsigned char l0 = data[pos++];
    bool indefinite = false;
    size_t length = l0;
    if (l0 == 0x80) {
      indefinite = true;
    } else if (l0 & 0x80u) {
      const size_t n = l0 & 0x7Fu;
      if (n == 0x7F) return fail(length_at);
      length = 0;
      for (size_t i = 0; i < n; i++) {
        if (pos >= end) return fail(length_at);
        if (length > (SIZE_MAX >> 8)) return fail(length_at);
        length = length << 8 | data[pos++];
      }
    }
    // Walked in order, so the last element holding the target is the deepest.
    const size_t element_end = indefinite ? end : (length <= end - pos ? pos + length : end);
    if (start <= target && target < element_end) holder = start;
    if (first == 0x00) {  // end-of-contents
      if (indefinite || length != 0) return fail(start);
      eoc = true;
      next = pos;
      return true;
    }
    if (indefinite) {
      if (!constructed) return fail(length_at);
      if (depth >= kWalkDepth) return fail(start);
      while (true) {
        size_t after = 0;
        bool child_eoc = false;
        if (pos >= end) return fail(pos);
        if (!element(pos, end, depth + 1, after, child_eoc)) return false;
        pos = after;
        if (child_eoc) break;
      }
      next = pos;
      return true;
    }
    if (length > end - pos) return fail(length_at);
    const size_t stop = pos + length;
    if (constructed) {
      if (depth >= kWalkDepth) return fail(start);
      while (pos < stop) {
        size_t after = 0;
        bool child_eoc = false;
        if (!element(pos, stop, depth + 1, after, child_eoc)) return false;
        if (child_eoc) return fail(pos);  // end-of-contents inside a definite length
        pos = after;
      }
    }
    next = stop;
    return true;
  }
};

// The offset of the octet at which decoding stopped, given the read position
// of the failed decoder.
uint32_t failure_offset(const unsigned char *data, size_t size, size_t position) {
  Walk w{data};
  w.target = position > 0 ? position - 1 : 0;
  size_t next = 0;
  bool eoc = false;
  w.element(0, size, 0, next, eoc);
  if (w.fault != SIZE_MAX && w.fault <= position) return static_cast<uint32_t>(w.fault);
  if (w.holder != SIZE_MAX) return static_cast<uint32_t>(w.holder);
  return static_cast<uint32_t>(position < size ? position : size);
}

}  // namespace

}  // namespace korvu

KORVU_API int korvu_asn1_decode_diag(const void *bytes, uint32_t length, uint32_t type, void **value,
                                     uint32_t *consumed, uint32_t *offset, KORVU_ERR_CTX *ctx) {
  using namespace korvu;
  if (value != nullptr) *value = nullptr;
  if (consumed != nullptr) *consumed = 0;
  if (offset != nullptr) *offset = 0;
  if (value == nullptr || (bytes == nullptr && length != 0)) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (length > kLenMax) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return 0;
  }
  static const unsigned char kNothing[1] = {0};
  const auto *data = length != 0 ? static_cast<const unsigned char *>(bytes) : kNothing;
  StreamHolder stream(korvu_stream_new_romem(data, length));
  if (!stream) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return static_cast<int>(KORVU_ERR_NOMEM);
  }
  uint32_t used = 0;
  const int r = korvu_asn1_decode(stream.get(), type, value, &used, ctx);
  if (r == 1) {
    if (consumed != nullptr) *consumed = used;
    return 1;
  }
  if (offset != nullptr) *offset = failure_offset(data, length, stream.get()->pos);
  return r;
}
