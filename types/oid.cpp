// OBJECT IDENTIFIER (universal 6) and RELATIVE-OID (universal 13), X.690
// 8.19 and 8.20. A value keeps the contents octets and the dotted text.
#define KORVU_SRC "KORVU_ASN1_Oid"

#include <cstdio>
#include <cstring>

#include "../core/internal.h"
#include "oid_known.h"
#include "oid_text.h"

namespace korvu {
namespace {

constexpr uint32_t kTypeOid = KORVU_TYPE_OBJECT_IDENTIFIER;
constexpr uint32_t kTypeRelativeOid = KORVU_TYPE_RELATIVE_OID;
constexpr uint64_t kMaxArc = UINT64_MAX;
constexpr size_t kMaxArcDigits = 30;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Number of base-128 groups of a subidentifier.
uint32_t groups(uint64_t v) {
  uint32_t n = 1;
  while (v >>= 7) n++;
  return n;
}

// Writes v in base 128, most significant group first, bit 8 set on every
// octet but the last.
unsigned char *put_subid(unsigned char *p, uint64_t v) {
  const uint32_t n = groups(v);
  for (uint32_t i = n; i-- > 0;) *p++ = static_cast<unsigned char>(((v >> (7 * i)) & 0x7F) | (i ? 0x80 : 0));
  return p;
}

uint32_t decimal_digits(uint64_t v) {
  uint32_t n = 1;
  while (v >= 10) {
    v /= 10;
    n++;
  }
  return n;
}

// Walks the arcs of a dotted text (a blank counts as a dot), calling
// f(index, value) for each; false for any character other than digits and
// separators, an empty arc, an arc of more than 30 digits, or an arc of
// 2^64-1 or more.
template <class F>
bool scan_arcs(const char *p, const char *end, F &&f) {
  for (uint32_t index = 0;; index++) {
    const char *start = p;
    uint64_t v = 0;
    bool overflow = false;
    while (p < end && is_digit(*p)) {
      const uint64_t d = static_cast<uint64_t>(*p - '0');
      if (v > (kMaxArc - d) / 10) overflow = true;
      else v = v * 10 + d;
      p++;
    }
    const size_t digits = static_cast<size_t>(p - start);
    if (digits == 0 || digits > kMaxArcDigits || overflow || v == kMaxArc) return false;
    if (!f(index, v)) return false;
    if (p == end) return true;
    if (*p != '.' && *p != ' ') return false;
    p++;
  }
}

using oidtext::put_decimal;

// One block holds the record, the contents octets and the text, so a value
// costs one allocation and is released by one free.
KORVU_ASN1_OID *new_block(size_t octets, size_t chars) {
  const size_t size = sizeof(KORVU_ASN1_OID) + octets + chars + 1;
  if (octets > kLenMax || size > kLenMax) return nullptr;
  auto *value = static_cast<KORVU_ASN1_OID *>(KORVU_ALLOC(size));
  if (value == nullptr) return nullptr;
  value->data = reinterpret_cast<unsigned char *>(value + 1);
  value->length = static_cast<uint32_t>(octets);
  value->text = reinterpret_cast<char *>(value->data + octets);
  return value;
}

// Builds a value from text. The stored text is written from the arcs read,
// so it equals the text a decoder gives for the same octets (blanks become
// dots; leading zeros of an arc are not kept).
KORVU_ASN1_OID *from_text(const char *text, bool relative) {
  if (text == nullptr) return nullptr;
  const size_t n = std::strlen(text);
  if (n < (relative ? 1u : 3u) || !is_digit(text[n - 1])) return nullptr;
  const char *end = text + n;

  // First pass: check the arcs and size both forms.
  uint64_t first = 0;
  uint32_t arcs = 0;
  size_t octets = 0, chars = 0;
  const bool ok = scan_arcs(text, end, [&](uint32_t i, uint64_t v) {
    arcs++;
    chars += decimal_digits(v) + (i ? 1 : 0);
    if (relative || i >= 2) {
      octets += groups(v);
    } else if (i == 0) {
      if (v > 2) return false;
      first = v;
    } else {
      if (first < 2 && v > 39) return false;
      if (v > kMaxArc - 40 * first) return false;
      octets += groups(40 * first + v);
    }
    return octets <= kLenMax;
  });
  if (!ok || (!relative && arcs < 2)) return nullptr;

  KORVU_ASN1_OID *value = new_block(octets, chars);
  if (value == nullptr) return nullptr;

  // Second pass: write both forms.
  unsigned char *o = value->data;
  char *t = value->text;
  scan_arcs(text, end, [&](uint32_t i, uint64_t v) {
    if (i) *t++ = '.';
    t = put_decimal(t, v);
    if (relative || i >= 2) o = put_subid(o, v);
    else if (i == 0) first = v;
    else o = put_subid(o, 40 * first + v);
    return true;
  });
  *t = '\0';
  return value;
}

void oid_free(void *p) {
  auto *v = static_cast<KORVU_ASN1_OID *>(p);
  if (v == nullptr) return;
  korvu_free(v);  // record, octets and text are one block (or the octets and text are constants)
}

Len oid_content_length(const void *p) {
  const auto *v = static_cast<const KORVU_ASN1_OID *>(p);
  if (v == nullptr || v->data == nullptr || v->length == 0 || v->length > kLenMax) return kLenError;
  return v->length;
}

template <uint32_t Type>
int oid_encode_content(KORVU_STREAM *s, const void *p, uint32_t length, uint32_t *written, KORVU_ERR_CTX *ctx) {
  const auto *v = static_cast<const KORVU_ASN1_OID *>(p);
  if (s == nullptr || v == nullptr || v->data == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (length != v->length || length == 0) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  const int r = korvu_stream_writen(s, v->data, length);
  if (r != 1) {
    KORVU_ENCODE_ERR(ctx, Type);
    return r;
  }
  if (written) *written = length;
  return 1;
}

template <uint32_t Type>
int oid_decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                       KORVU_ERR_CTX *ctx, int depth) {
  if (s == nullptr || out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  if (!primitive) {
    KORVU_ERR(ctx, kErrPcBit);
    return 0;
  }
  if (length == kLenIndef) {
    KORVU_ERR(ctx, kErrMustBeDefinite);
    return 0;
  }
  if (length == 0 || length > kLenMax) {
    KORVU_ERR(ctx, kErrBadLength);
    return 0;
  }
  // A length that claims more than a memory input holds fails before
  // anything is allocated; other inputs are read in bounded pieces first.
  // The text of a short identifier is written first, so the value's block
  // (record, octets, text) has exactly its size.
  const unsigned char *src = nullptr;
  unsigned char *data = nullptr;
  if (stream::is_mem(s)) {
    if (s->size - s->pos < length) {
      KORVU_ERR(ctx, KORVU_STREAM_ERR_READ);
      KORVU_DECODE_ERR(ctx, Type);
      return KORVU_STREAM_ERR_READ;
    }
    src = s->data + s->pos;
    s->pos += length;
  } else {
    const int r = read_alloc(s, length, &data, ctx);
    if (r != 1) {
      KORVU_DECODE_ERR(ctx, Type);
      return r;
    }
    src = data;
  }
  // A well-known identifier points at the constant table: its value is the
  // record alone.
  if (const oidknown::Known *k = Type == kTypeOid ? oidknown::find(src, length) : nullptr) {
    korvu_free(data);
    auto *v = static_cast<KORVU_ASN1_OID *>(KORVU_ALLOC(sizeof(KORVU_ASN1_OID)));
    if (v == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
    v->data = const_cast<unsigned char *>(k->octets);
    v->length = length;
    v->text = const_cast<char *>(k->text);
    *out = v;
    if (consumed) *consumed = length;
    return 1;
  }
  constexpr uint32_t kShort = 64;
  char text[oidtext::text_capacity(kShort) + 1];
  const char *end = length <= kShort ? oidtext::to_text(src, length, Type == kTypeRelativeOid, text) : nullptr;
  KORVU_ASN1_OID *v = nullptr;
  bool formed = length <= kShort ? end != nullptr : true;
  if (formed) {
    const size_t chars = length <= kShort ? static_cast<size_t>(end - text) : oidtext::text_capacity(length);
    v = new_block(length, chars);
    if (v != nullptr) {
      std::memcpy(v->data, src, length);
      if (length <= kShort)
        std::memcpy(v->text, text, chars + 1);
      else if (oidtext::to_text(v->data, length, Type == kTypeRelativeOid, v->text) == nullptr)
        formed = false;
    }
  }
  korvu_free(data);
  if (!formed) {
    korvu_free(v);
    KORVU_ERR(ctx, kErrOidFormat);
    return 0;
  }
  if (v == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  *out = v;
  if (consumed) *consumed = length;
  return 1;
}

}  // namespace
}  // namespace korvu

KORVU_REGISTER_TYPE(KORVU_TYPE_OBJECT_IDENTIFIER) = {
    korvu::oid_free, korvu::oid_content_length, nullptr, korvu::oid_encode_content<korvu::kTypeOid>,
    korvu::oid_decode_content<korvu::kTypeOid>,
};

KORVU_REGISTER_TYPE(KORVU_TYPE_RELATIVE_OID) = {
    korvu::oid_free, korvu::oid_content_length, nullptr, korvu::oid_encode_content<korvu::kTypeRelativeOid>,
    korvu::oid_decode_content<korvu::kTypeRelativeOid>,
};

extern "C" {

KORVU_API KORVU_ASN1_OID *korvu_asn1_oid_new(const char *text) { return korvu::from_text(text, false); }

KORVU_API KORVU_ASN1_RELATIVE_OID *korvu_asn1_relative_oid_new(const char *text) {
  return korvu::from_text(text, true);
}

KORVU_API const char *korvu_asn1_oid_getstring(const KORVU_ASN1_OID *value) {
  return value == nullptr ? nullptr : value->text;
}

KORVU_API const char *korvu_asn1_relative_oid_getstring(const KORVU_ASN1_RELATIVE_OID *value) {
  return value == nullptr ? nullptr : value->text;
}

}  // extern "C"
