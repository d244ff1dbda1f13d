// Unicode strings: conversions between UTF-8 (RFC 3629), BMP (UCS-2, two
// octets per character, most significant first) and UTF-32BE, as used by the
// ASN.1 character string types UTF8String, BMPString and UniversalString.
#include <cstring>
#include <new>

#include "korvu/util.h"
#include "unicode_internal.h"

#define KORVU_UTIL_SRC "KORVU_UTIL_Unicode"

struct korvu_ustring_st {
  uint32_t *cps;  // code points
  uint32_t count;
};

namespace {

bool is_scalar(uint32_t cp) { return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF); }

// A string of `count` code points, contents not yet set.
korvu_ustring_st *make(uint32_t count) {
  auto *s = static_cast<korvu_ustring_st *>(korvu_malloc(sizeof(korvu_ustring_st), KORVU_UTIL_SRC, __LINE__));
  if (s == nullptr) return nullptr;
  s->count = count;
  s->cps = static_cast<uint32_t *>(korvu_malloc(static_cast<size_t>(count) * 4, KORVU_UTIL_SRC, __LINE__));
  if (s->cps == nullptr) {
    korvu_free(s);
    return nullptr;
  }
  return s;
}

int hand_out(unsigned char *buf, uint32_t n, unsigned char **bytes, uint32_t *length) {
  *bytes = buf;
  if (length != nullptr) *length = n;
  return 1;
}

}  // namespace

extern "C" {

KORVU_USTRING *korvu_ustring_newutf8(const void *bytes, uint32_t length) {
  if (bytes == nullptr && length != 0) return nullptr;
  const auto *p = static_cast<const unsigned char *>(bytes);
  // First pass: validate and count.
  uint32_t count = 0;
  for (uint32_t i = 0; i < length; count++) {
    uint32_t cp;
    size_t k = korvu::unicode::utf8_next(p + i, length - i, &cp);
    if (k == 0) return nullptr;
    i += static_cast<uint32_t>(k);
  }
  korvu_ustring_st *s = make(count);
  if (s == nullptr) return nullptr;
  uint32_t j = 0;
  for (uint32_t i = 0; i < length; j++) {
    i += static_cast<uint32_t>(korvu::unicode::utf8_next(p + i, length - i, &s->cps[j]));
  }
  return s;
}

KORVU_USTRING *korvu_ustring_newbmp(const void *bytes, uint32_t length) {
  if ((bytes == nullptr && length != 0) || length % 2 != 0) return nullptr;
  const auto *p = static_cast<const unsigned char *>(bytes);
  for (uint32_t i = 0; i < length; i += 2) {
    if (!is_scalar((uint32_t{p[i]} << 8) | p[i + 1])) return nullptr;
  }
  korvu_ustring_st *s = make(length / 2);
  if (s == nullptr) return nullptr;
  for (uint32_t i = 0; i < length; i += 2) s->cps[i / 2] = (uint32_t{p[i]} << 8) | p[i + 1];
  return s;
}

KORVU_USTRING *korvu_ustring_newutf32be(const void *bytes, uint32_t length) {
  if ((bytes == nullptr && length != 0) || length % 4 != 0) return nullptr;
  const auto *p = static_cast<const unsigned char *>(bytes);
  auto at = [p](uint32_t i) {
    return (uint32_t{p[i]} << 24) | (uint32_t{p[i + 1]} << 16) | (uint32_t{p[i + 2]} << 8) | p[i + 3];
  };
  for (uint32_t i = 0; i < length; i += 4) {
    if (!is_scalar(at(i))) return nullptr;
  }
  korvu_ustring_st *s = make(length / 4);
  if (s == nullptr) return nullptr;
  for (uint32_t i = 0; i < length; i += 4) s->cps[i / 4] = at(i);
  return s;
}

uint32_t korvu_ustring_getlength(const KORVU_USTRING *text) { return text == nullptr ? 0 : text->count; }

int korvu_ustring_toutf8(const KORVU_USTRING *text, unsigned char **bytes, uint32_t *length) {
  if (text == nullptr || bytes == nullptr) return 0;
  *bytes = nullptr;
  uint64_t n = 0;
  for (uint32_t i = 0; i < text->count; i++) {
    uint32_t c = text->cps[i];
    n += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  }
  if (n > 0xFFFFFFFFu) return 0;
  auto *out = static_cast<unsigned char *>(korvu_malloc(static_cast<size_t>(n), KORVU_UTIL_SRC, __LINE__));
  if (out == nullptr) return 0;
  unsigned char *w = out;
  for (uint32_t i = 0; i < text->count; i++) {
    uint32_t c = text->cps[i];
    if (c < 0x80) {
      *w++ = static_cast<unsigned char>(c);
    } else if (c < 0x800) {
      *w++ = static_cast<unsigned char>(0xC0 | (c >> 6));
      *w++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      *w++ = static_cast<unsigned char>(0xE0 | (c >> 12));
      *w++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
      *w++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
    } else {
      *w++ = static_cast<unsigned char>(0xF0 | (c >> 18));
      *w++ = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
      *w++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
      *w++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
    }
  }
  return hand_out(out, static_cast<uint32_t>(n), bytes, length);
}

int korvu_ustring_tobmp(const KORVU_USTRING *text, unsigned char **bytes, uint32_t *length) {
  if (text == nullptr || bytes == nullptr) return 0;
  *bytes = nullptr;
  if (text->count > 0x7FFFFFFFu) return 0;
  for (uint32_t i = 0; i < text->count; i++) {
    if (text->cps[i] > 0xFFFF) return 0;  // needs a surrogate pair, which BMP cannot hold
  }
  uint32_t n = text->count * 2;
  auto *out = static_cast<unsigned char *>(korvu_malloc(n, KORVU_UTIL_SRC, __LINE__));
  if (out == nullptr) return 0;
  for (uint32_t i = 0; i < text->count; i++) {
    out[2 * i] = static_cast<unsigned char>(text->cps[i] >> 8);
    out[2 * i + 1] = static_cast<unsigned char>(text->cps[i]);
  }
  return hand_out(out, n, bytes, length);
}

int korvu_ustring_toutf32be(const KORVU_USTRING *text, unsigned char **bytes, uint32_t *length) {
  if (text == nullptr || bytes == nullptr) return 0;
  *bytes = nullptr;
  if (text->count > 0x3FFFFFFFu) return 0;
  uint32_t n = text->count * 4;
  auto *out = static_cast<unsigned char *>(korvu_malloc(n, KORVU_UTIL_SRC, __LINE__));
  if (out == nullptr) return 0;
  for (uint32_t i = 0; i < text->count; i++) {
    uint32_t c = text->cps[i];
    out[4 * i] = static_cast<unsigned char>(c >> 24);
    out[4 * i + 1] = static_cast<unsigned char>(c >> 16);
    out[4 * i + 2] = static_cast<unsigned char>(c >> 8);
    out[4 * i + 3] = static_cast<unsigned char>(c);
  }
  return hand_out(out, n, bytes, length);
}

void korvu_ustring_free(KORVU_USTRING *text) {
  if (text == nullptr) return;
  korvu_free(text->cps);
  korvu_free(text);
}

}  // extern "C"
