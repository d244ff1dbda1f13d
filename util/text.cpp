// Text encodings: Base64 (RFC 4648), PEM (RFC 7468, with RFC 1421 headers
// skipped) and hexadecimal.
#include <cstring>

#include "hex_internal.h"
#include "korvu/util.h"

#define KORVU_UTIL_SRC "KORVU_UTIL_Text"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int sextet(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

void clear_out(unsigned char **bytes, uint32_t *length) {
  if (bytes != nullptr) *bytes = nullptr;
  if (length != nullptr) *length = 0;
}

// Decodes RFC 4648 Base64 into a new buffer. White space may appear anywhere;
// '=' padding is optional but, when present, must stand at the end and
// complete the last group. Bits left over below the last byte are ignored.
int base64_decode(const char *text, size_t n, unsigned char **bytes, uint32_t *length) {
  // Every 4 characters make at most 3 bytes; the bound comes from the text we
  // hold, not from anything the input claims.
  size_t cap = n / 4 * 3 + 3;
  if (cap - 3 > 0xFFFFFFFFu) return 0;
  auto *out = static_cast<unsigned char *>(korvu_malloc(cap, KORVU_UTIL_SRC, __LINE__));
  if (out == nullptr) return 0;
  size_t used = 0;
  size_t symbols = 0;  // Base64 characters seen (not padding)
  size_t pads = 0;
  uint32_t acc = 0;
  for (size_t i = 0; i < n; i++) {
    char c = text[i];
    if (is_space(c)) continue;
    if (c == '=') {
      pads++;
      continue;
    }
    int v = sextet(c);
    if (v < 0 || pads != 0) {  // foreign character, or data after padding
      korvu_free(out);
      return 0;
    }
    acc = (acc << 6) | static_cast<uint32_t>(v);
    symbols++;
    if (symbols % 4 == 0) {
      out[used++] = static_cast<unsigned char>(acc >> 16);
      out[used++] = static_cast<unsigned char>(acc >> 8);
      out[used++] = static_cast<unsigned char>(acc);
      acc = 0;
    }
  }
  size_t rest = symbols % 4;
  // One leftover character carries less than a byte; padding must fill the
  // group exactly (2 after two characters, 1 after three).
  bool ok = rest != 1 && (pads == 0 || (rest == 2 && pads == 2) || (rest == 3 && pads == 1));
  if (!ok || used + rest > 0xFFFFFFFFu) {
    korvu_free(out);
    return 0;
  }
  if (rest == 2) {
    out[used++] = static_cast<unsigned char>(acc >> 4);
  } else if (rest == 3) {
    out[used++] = static_cast<unsigned char>(acc >> 10);
    out[used++] = static_cast<unsigned char>(acc >> 2);
  }
  *bytes = out;
  *length = static_cast<uint32_t>(used);
  return 1;
}

// Length of the Base64 text of n bytes, or 0 when it passes 32 bits.
uint64_t base64_size(uint64_t n) { return (n + 2) / 3 * 4; }

// Writes Base64 of bytes into out, a newline after every `line` characters
// when line is not 0 (and after the last partial line). Returns the end.
char *base64_write(const unsigned char *p, uint32_t n, char *out, size_t line) {
  size_t col = 0;
  auto put = [&](char c) {
    *out++ = c;
    if (line != 0 && ++col == line) {
      *out++ = '\n';
      col = 0;
    }
  };
  uint32_t i = 0;
  for (; i + 3 <= n; i += 3) {
    uint32_t v = (uint32_t{p[i]} << 16) | (uint32_t{p[i + 1]} << 8) | p[i + 2];
    put(kAlphabet[v >> 18]);
    put(kAlphabet[(v >> 12) & 63]);
    put(kAlphabet[(v >> 6) & 63]);
    put(kAlphabet[v & 63]);
  }
  if (n - i == 1) {
    uint32_t v = uint32_t{p[i]} << 16;
    put(kAlphabet[v >> 18]);
    put(kAlphabet[(v >> 12) & 63]);
    put('=');
    put('=');
  } else if (n - i == 2) {
    uint32_t v = (uint32_t{p[i]} << 16) | (uint32_t{p[i + 1]} << 8);
    put(kAlphabet[v >> 18]);
    put(kAlphabet[(v >> 12) & 63]);
    put(kAlphabet[(v >> 6) & 63]);
    put('=');
  }
  if (line != 0 && col != 0) *out++ = '\n';
  return out;
}

// One line of text: [begin, end) without its line break, next = start of the
// following line. CR before LF (and a lone trailing CR) is dropped.
struct Line {
  const char *begin;
  const char *end;
  const char *next;
};

Line line_at(const char *p, const char *limit) {
  const char *nl = static_cast<const char *>(std::memchr(p, '\n', static_cast<size_t>(limit - p)));
  const char *end = nl != nullptr ? nl : limit;
  Line l{p, end, nl != nullptr ? nl + 1 : limit};
  while (l.end > l.begin && (l.end[-1] == '\r' || l.end[-1] == ' ' || l.end[-1] == '\t')) l.end--;
  return l;
}

bool line_is(const Line &l, const char *prefix, const char *label) {
  size_t np = std::strlen(prefix), nl = std::strlen(label);
  size_t n = static_cast<size_t>(l.end - l.begin);
  return n == np + nl + 5 && std::memcmp(l.begin, prefix, np) == 0 && std::memcmp(l.begin + np, label, nl) == 0 &&
         std::memcmp(l.begin + np + nl, "-----", 5) == 0;
}

bool line_blank(const Line &l) {
  for (const char *p = l.begin; p < l.end; p++)
    if (!is_space(*p)) return false;
  return true;
}

}  // namespace

extern "C" {

int korvu_base64decode(int mode, const char *text, uint32_t text_length, unsigned char **bytes, uint32_t *length) {
  clear_out(bytes, length);
  if (mode != 2 || bytes == nullptr || length == nullptr) return 0;
  if (text == nullptr && text_length != 0) return 0;
  return base64_decode(text, text_length, bytes, length);
}

int korvu_base64encode(int mode, const void *bytes, uint32_t length, char **text, uint32_t *text_length) {
  if (text != nullptr) *text = nullptr;
  if (text_length != nullptr) *text_length = 0;
  if (mode != 2 || text == nullptr || (bytes == nullptr && length != 0)) return 0;
  uint64_t size = base64_size(length);
  if (size > 0xFFFFFFFFu) return 0;
  auto *out = static_cast<char *>(korvu_malloc(static_cast<size_t>(size) + 1, KORVU_UTIL_SRC, __LINE__));
  if (out == nullptr) return 0;
  char *end = base64_write(static_cast<const unsigned char *>(bytes), length, out, 0);
  *end = '\0';
  *text = out;
  if (text_length != nullptr) *text_length = static_cast<uint32_t>(end - out);
  return 1;
}

int korvu_pemdecode(const char *label, const char *text, uint32_t text_length, unsigned char **bytes,
                    uint32_t *length) {
  clear_out(bytes, length);
  if (label == nullptr || text == nullptr || bytes == nullptr || length == nullptr) return 0;
  const char *p = text;
  const char *limit = text + text_length;
  // The first BEGIN line with exactly this label; everything before is skipped.
  bool found = false;
  while (!found && p < limit) {
    Line l = line_at(p, limit);
    p = l.next;
    found = line_is(l, "-----BEGIN ", label);
  }
  if (!found) return 0;
  // RFC 1421 headers ("Proc-Type: 4,ENCRYPTED", "DEK-Info: ...", possibly
  // continued on indented lines) run up to a blank line.
  Line first = line_at(p, limit);
  if (std::memchr(first.begin, ':', static_cast<size_t>(first.end - first.begin)) != nullptr) {
    for (;;) {
      if (p >= limit) return 0;
      Line l = line_at(p, limit);
      if (line_is(l, "-----END ", label)) return 0;  // headers without a body
      p = l.next;
      if (line_blank(l)) break;
    }
  }
  const char *body = p;
  while (p < limit) {
    Line l = line_at(p, limit);
    if (line_is(l, "-----END ", label)) return base64_decode(body, static_cast<size_t>(l.begin - body), bytes, length);
    p = l.next;
  }
  return 0;  // no END line
}

int korvu_pemencode(const char *label, const void *bytes, uint32_t length, char **text, uint32_t *text_length) {
  if (text != nullptr) *text = nullptr;
  if (text_length != nullptr) *text_length = 0;
  if (label == nullptr || text == nullptr || (bytes == nullptr && length != 0)) return 0;
  size_t nl = std::strlen(label);
  uint64_t b64 = base64_size(length);
  uint64_t size = b64 + (b64 + 63) / 64 + 2 * nl + 2 * 16 + 1;  // lines, BEGIN/END, NUL
  if (size > 0xFFFFFFFFu) return 0;
  auto *out = static_cast<char *>(korvu_malloc(static_cast<size_t>(size), KORVU_UTIL_SRC, __LINE__));
  if (out == nullptr) return 0;
  char *w = out;
  auto put = [&](const char *s, size_t n) {
    std::memcpy(w, s, n);
    w += n;
  };
  put("-----BEGIN ", 11);
  put(label, nl);
  put("-----\n", 6);
  w = base64_write(static_cast<const unsigned char *>(bytes), length, w, 64);
  put("-----END ", 9);
  put(label, nl);
  put("-----\n", 6);
  *w = '\0';
  *text = out;
  if (text_length != nullptr) *text_length = static_cast<uint32_t>(w - out);
  return 1;
}

char *korvu_hexencode(const void *bytes, uint32_t length) {
  if (bytes == nullptr && length != 0) return nullptr;
  auto *out = static_cast<char *>(korvu_malloc(size_t{length} * 2 + 1, KORVU_UTIL_SRC, __LINE__));
  if (out == nullptr) return nullptr;
  *korvu::hex::put(out, static_cast<const unsigned char *>(bytes), length) = '\0';
  return out;
}

int korvu_hexdecode(const char *text, uint32_t text_length, unsigned char **bytes, uint32_t *length) {
  clear_out(bytes, length);
  if (bytes == nullptr || length == nullptr || (text == nullptr && text_length != 0) || text_length % 2 != 0)
    return 0;
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  auto *out = static_cast<unsigned char *>(korvu_malloc(text_length / 2, KORVU_UTIL_SRC, __LINE__));
  if (out == nullptr) return 0;
  for (uint32_t i = 0; i < text_length; i += 2) {
    int hi = digit(text[i]), lo = digit(text[i + 1]);
    if (hi < 0 || lo < 0) {
      korvu_free(out);
      return 0;
    }
    out[i / 2] = static_cast<unsigned char>(hi << 4 | lo);
  }
  *bytes = out;
  *length = text_length / 2;
  return 1;
}

}  // extern "C"
