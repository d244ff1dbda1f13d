#include "der_check.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace korvu::tool {

namespace {

constexpr int kMaxDepth = 64;
constexpr size_t kMaxListed = 1000;

const char *string_name(unsigned tag) {
  switch (tag) {
    case 3: return "BIT STRING";
    case 4: return "OCTET STRING";
    case 12: return "UTF8String";
    case 18: return "NumericString";
    case 19: return "PrintableString";
    case 20: return "TeletexString";
    case 21: return "VideotexString";
    case 22: return "IA5String";
    case 23: return "UTCTime";
    case 24: return "GeneralizedTime";
    case 25: return "GraphicString";
    case 26: return "VisibleString";
    case 27: return "GeneralString";
    case 28: return "UniversalString";
    case 30: return "BMPString";
    default: return nullptr;
  }
}

bool digits(const unsigned char *p, size_t n) {
  for (size_t i = 0; i < n; i++)
    if (p[i] < '0' || p[i] > '9') return false;
  return true;
}

// X.690 11.7 and 11.8: the DER forms of the two time types.
bool der_time(unsigned tag, const unsigned char *p, size_t n) {
  if (tag == 23) return n == 13 && digits(p, 12) && p[12] == 'Z';
  if (n < 15 || !digits(p, 14) || p[n - 1] != 'Z') return false;
  if (n == 15) return true;
  // A fraction: '.', at least one digit, the last not 0.
  return p[14] == '.' && n >= 17 && digits(p + 15, n - 16) && p[n - 2] != '0';
}

// X.690 11.6: encodings compared as octet strings, the shorter padded with zeros.
bool in_order(const unsigned char *a, size_t an, const unsigned char *b, size_t bn) {
  const size_t common = std::min(an, bn);
  int c = std::memcmp(a, b, common);
  if (c != 0) return c < 0;
  const unsigned char *rest = an > bn ? a + common : b + common;
  const size_t left = an > bn ? an - common : bn - common;
  for (size_t i = 0; i < left; i++)
    if (rest[i] != 0) return an <= bn;  // the longer is greater unless its tail is zeros
  return true;
}

struct Checker {
  const unsigned char *d;
  DerReport report;
  size_t noted = 0;

  void note(size_t at, std::string what) {
    if (++noted <= kMaxListed) report.departures.push_back({at, std::move(what)});
  }
  bool broken(size_t at, std::string what) {
    if (report.malformed) return false;
    report.malformed = true;
    report.departures.push_back({at, std::move(what)});
    return false;
  }

  // One element at `pos` below `end`; `next` is the octet after it. `eoc`:
  // the element was an end-of-contents.
  bool element(size_t pos, size_t end, int depth, size_t &next, bool &eoc) {
    const size_t start = pos;
    eoc = false;
    if (pos >= end) return broken(pos, "identifier octets missing");
    const unsigned char first = d[pos++];
    const unsigned cls = first & 0xC0u;
    const bool constructed = (first & 0x20u) != 0;
    uint64_t tag = first & 0x1Fu;
    if (tag == 0x1F) {
      if (pos < end && d[pos] == 0x80) note(start, "tag number with a leading 80 octet");
      tag = 0;
      size_t groups = 0;
      while (true) {
        if (pos >= end) return broken(pos, "identifier octets cut short");
        if (++groups > 8) return broken(start, "tag number too large");
        const unsigned char c = d[pos++];
        tag = tag << 7 | (c & 0x7Fu);
        if (!(c & 0x80u)) break;
      }
      if (tag < 31) note(start, "tag number " + std::to_string(tag) + " in the long form");
    }
    if (pos >= end) return broken(start, "length octets missing");
    const size_t length_at = pos;
    const unsigned char l0 = d[pos++];
    bool indefinite = false;
    size_t length = l0;
    if (l0 == 0x80) {
      indefinite = true;
    } else if (l0 & 0x80u) {
      const size_t n = l0 & 0x7Fu;
      if (n == 0x7F) return broken(length_at, "length octet FF is reserved");
      if (n > end - pos) return broken(length_at, "length octets cut short");
      if (n > sizeof(size_t)) return broken(length_at, "length too large");
      length = 0;
      for (size_t i = 0; i < n; i++) length = length << 8 | d[pos++];
      if (d[pos - n] == 0 || length < 0x80) note(start, "length " + std::to_string(length) + " in " +
                                                         std::to_string(n + 1) + " octets");
    }
    if (first == 0x00) {
      if (indefinite || length != 0) return broken(start, "end-of-contents with a length");
      eoc = true;
      next = pos;
      return true;
    }
    if (indefinite) {
      if (!constructed) return broken(length_at, "indefinite length on a primitive element");
      note(start, "indefinite length");
    } else if (length > end - pos) {
      return broken(length_at, "contents of " + std::to_string(length) + " octets run past the end (" +
                               std::to_string(end - pos) + " left)");
    }
    const bool universal = cls == 0;
    if (!constructed) {
      if (universal) contents(start, static_cast<unsigned>(tag), d + pos, length);
      next = pos + length;
      return true;
    }
    if (universal && string_name(static_cast<unsigned>(tag)) != nullptr)
      note(start, std::string("constructed ") + string_name(static_cast<unsigned>(tag)));
    if (depth >= kMaxDepth) return broken(start, "nested deeper than 64 levels");
    const size_t stop = indefinite ? end : pos + length;
    const bool is_set = universal && tag == 17;
    std::vector<std::pair<size_t, size_t>> children;
    while (true) {
      if (!indefinite && pos >= stop) break;
      if (indefinite && pos >= stop) return broken(pos, "end-of-contents missing");
      size_t after = 0;
      bool child_eoc = false;
      if (!element(pos, stop, depth + 1, after, child_eoc)) return false;
      if (child_eoc) {
        if (!indefinite) return broken(pos, "end-of-contents inside a definite length");
        pos = after;
        break;
      }
      if (is_set) children.emplace_back(pos, after);  // kept only where their order matters
      pos = after;
    }
    if (is_set) {
      for (size_t i = 1; i < children.size(); i++) {
        const auto &a = children[i - 1], &b = children[i];
        if (!in_order(d + a.first, a.second - a.first, d + b.first, b.second - b.first)) {
          note(b.first, "SET OF element out of order (before the one at offset " + std::to_string(a.first) + ")");
          break;
        }
      }
    }
    next = pos;
    return true;
  }

  // The contents rules of the universal primitive types.
  void contents(size_t at, unsigned tag, const unsigned char *p, size_t n) {
    switch (tag) {
      case 1:
        if (n != 1)
          note(at, "BOOLEAN of " + std::to_string(n) + " octets");
        else if (p[0] != 0x00 && p[0] != 0xFF)
          note(at, "BOOLEAN TRUE written as " + std::string(1, "0123456789ABCDEF"[p[0] >> 4]) +
                       "0123456789ABCDEF"[p[0] & 15] + ", not FF");
        break;
      case 2:
      case 10: {
        const char *name = tag == 2 ? "INTEGER" : "ENUMERATED";
        if (n == 0)
          note(at, std::string(name) + " without contents octets");
        else if (n >= 2 && ((p[0] == 0x00 && !(p[1] & 0x80)) || (p[0] == 0xFF && (p[1] & 0x80))))
          note(at, std::string(name) + " with a redundant first octet");
        break;
      }
      case 3:
        if (n == 0) {
          note(at, "BIT STRING without its unused-bits octet");
        } else if (p[0] > 7 || (n == 1 && p[0] != 0)) {
          note(at, "BIT STRING with " + std::to_string(p[0]) + " unused bits");
        } else if (p[0] != 0 && (p[n - 1] & ((1u << p[0]) - 1)) != 0) {
          note(at, "BIT STRING unused bits not zero");
        }
        break;
      case 5:
        if (n != 0) note(at, "NULL with contents octets");
        break;
      case 23:
      case 24:
        if (!der_time(tag, p, n)) note(at, std::string(string_name(tag)) + " not in the DER form");
        break;
      default:
        break;
    }
  }
};

}  // namespace

DerReport der_check(const unsigned char *data, size_t size) {
  Checker c{data};
  if (size == 0) {
    c.broken(0, "no octets");
    return c.report;
  }
  size_t next = 0;
  bool eoc = false;
  if (c.element(0, size, 0, next, eoc)) {
    if (eoc) c.note(0, "end-of-contents at the top level");
    if (next < size)
      c.note(next, std::to_string(size - next) + (size - next == 1 ? " octet" : " octets") + " after the first encoding");
  }
  if (c.noted > kMaxListed)
    c.report.departures.push_back({size, std::to_string(c.noted - kMaxListed) + " more departures not listed"});
  return c.report;
}

}  // namespace korvu::tool
