// Encoding of a JSON tree of typed nodes (the form json_render.h writes) into
// BER/DER.
//
// Each node gives an identifier, length octets, contents and, for an
// indefinite length, end-of-contents octets. By default they follow DER:
// minimal identifier and length octets. "user defined" overrides any of them
// with literal octets in hexadecimal ("identifier", "length", "content",
// "end of contents"; "length" may also be a number, written minimally).
// Failures name the node by its path from the root, such as
// $.value[2].value.
#ifndef KORVU_JSON_JSON_ENCODE_H
#define KORVU_JSON_JSON_ENCODE_H

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <string_view>

#include "json_common.h"

namespace korvu::asn1json {

// Values of the hexadecimal digits of either case; 0xFF for other octets.
struct HexValues {
  unsigned char v[256];
  constexpr HexValues() : v{} {
    for (unsigned char &x : v) x = 0xFF;
    for (int i = 0; i < 10; i++) v['0' + i] = static_cast<unsigned char>(i);
    for (int i = 0; i < 6; i++) {
      v['a' + i] = static_cast<unsigned char>(10 + i);
      v['A' + i] = static_cast<unsigned char>(10 + i);
    }
  }
};
inline constexpr HexValues kHex{};

// Lengths of the kind names.
struct KindLengths {
  size_t n[std::size(kKinds)];
  constexpr KindLengths() : n{} {
    for (size_t i = 0; i < std::size(kKinds); i++) n[i] = std::char_traits<char>::length(kKinds[i].name);
  }
};
inline constexpr KindLengths kKindLengths{};

class Encoder {
 public:
  Encoder() : limit_(korvu_get_recursive_level()) {}

  // The whole encoding of `root` into `out`; false on failure (error()).
  bool encode(const KORVU_JSON *root, Bytes &out) {
    out.clear();
    if (korvu_json_gettype(root) != KORVU_JSON_OBJECT) return fail(nullptr, "the tree is not a JSON object");
    out.reserve(kInitialCapacity);
    Path top{nullptr, nullptr, 0};
    bool constructed = false;
    if (!node(root, 0, top, false, out, constructed)) {
      out.clear();
      return false;
    }
    if (out.size() > 0x7FFFFFFFu) return fail(&top, "the encoding is larger than 2 GiB");
    return true;
  }

  const std::string &error() const { return error_; }

 private:
  // Most encodings of one value fit here; larger ones grow by doubling.
  static constexpr size_t kInitialCapacity = 4096;

  // Path of a node: a chain of keys and array indexes, formatted on failure.
  struct Path {
    const Path *parent;
    const char *key;  // null for an array element
    size_t index;
  };

  static std::string format(const Path *p) {
    if (p == nullptr || (p->parent == nullptr && p->key == nullptr)) return "$";  // the root
    std::string s = format(p->parent);
    if (p->key != nullptr) {
      s += '.';
      s += p->key;
    } else {
      s += '[' + std::to_string(p->index) + ']';
    }
    return s;
  }

  bool fail(const Path *at, const std::string &message) {
    if (error_.empty()) error_ = (at == nullptr ? std::string("$") : format(at)) + ": " + message;
    return false;
  }

  // ---- reading keys ---------------------------------------------------------
  static bool integral(double v, double lo, double hi) { return std::isfinite(v) && std::trunc(v) == v && v >= lo && v <= hi; }

  // Optional boolean key; false with a failure when it has another type.
  bool flag(const KORVU_JSON *node, const char *key, const Path &at, bool &value) {
    const KORVU_JSON *v = korvu_json_getobjectvalue(node, key);
    value = false;
    if (v == nullptr) return true;
    if (korvu_json_gettype(v) != KORVU_JSON_BOOLEAN) return fail(&at, std::string("\"") + key + "\" must be true or false");
    value = korvu_json_istrue(v) == 1;
    return true;
  }


  // Appends the octets of n hex digits; false, with `out` as it was, for an
  // odd count or another character.
  static bool append_hex(const char *s, size_t n, Bytes &out) {
    if (n % 2 != 0) return false;
    const size_t at = out.size();
    out.resize(at + n / 2);
    unsigned char *d = out.data() + at;
    const auto *u = reinterpret_cast<const unsigned char *>(s);
    unsigned bad = 0;
    for (size_t i = 0; i < n / 2; i++) {
      const unsigned hi = kHex.v[u[2 * i]], lo = kHex.v[u[2 * i + 1]];
      bad |= hi | lo;
      d[i] = static_cast<unsigned char>(hi << 4 | (lo & 0x0F));
    }
    if ((bad & 0xF0) != 0) {
      out.resize(at);
      return false;
    }
    return true;
  }

  static bool is_hex(const char *s, size_t n) {
    if (n % 2 != 0) return false;
    unsigned bad = 0;
    for (size_t i = 0; i < n; i++) bad |= kHex.v[static_cast<unsigned char>(s[i])];
    return (bad & 0xF0) == 0;
  }

  // A string of hex digits (either case, an even count); nothing is written.
  bool check_hex(const KORVU_JSON *v, const Path &at) {
    if (korvu_json_gettype(v) != KORVU_JSON_STRING) return fail(&at, "must be a string of hexadecimal digits");
    if (!is_hex(korvu_json_getstring(v), korvu_json_getstringlength(v))) {
      return fail(&at, "is not hexadecimal text (an even count of the digits 0-9, A-F)");
    }
    return true;
  }

  // Octets of hex text already checked, appended to `out`.
  static void put_hex(const KORVU_JSON *v, Bytes &out) {
    append_hex(korvu_json_getstring(v), korvu_json_getstringlength(v), out);
  }

  bool hex_string(const KORVU_JSON *v, const Path &at, Bytes &out) {
    if (korvu_json_gettype(v) != KORVU_JSON_STRING) return fail(&at, "must be a string of hexadecimal digits");
    if (!append_hex(korvu_json_getstring(v), korvu_json_getstringlength(v), out)) {
      return fail(&at, "is not hexadecimal text (an even count of the digits 0-9, A-F)");
    }
    return true;
  }

  // The kind named by `name`: lengths compared before the text.
  static const Kind *kind_of(const char *name, size_t length) {
    for (size_t i = 0; i < std::size(kKinds); i++) {
      if (kKindLengths.n[i] == length && kKinds[i].name[0] == name[0] && std::memcmp(kKinds[i].name, name, length) == 0) {
        return &kKinds[i];
      }
    }
    return nullptr;
  }

  // The "value" key, required.
  const KORVU_JSON *value_of(const KORVU_JSON *node, const Path &at, const char *kind) {
    const KORVU_JSON *v = korvu_json_getobjectvalue(node, "value");
    if (v == nullptr) fail(&at, std::string("a ") + kind + " node needs \"value\"");
    return v;
  }

  // ---- contents by kind -------------------------------------------------------
  // Magnitude of decimal digits, exactly (base 10^9 steps over 32-bit limbs),
  // appended big-endian.
  static void decimal_magnitude(const char *s, size_t n, Bytes &out) {
    std::vector<uint32_t> limbs;  // little-endian
    size_t i = 0;
    while (i < n) {
      size_t take = std::min<size_t>(9, n - i);
      uint32_t chunk = 0, scale = 1;
      for (size_t k = 0; k < take; k++) {
        chunk = chunk * 10 + static_cast<uint32_t>(s[i + k] - '0');
        scale *= 10;
      }
      i += take;
      uint64_t carry = chunk;
      for (auto &limb : limbs) {
        uint64_t t = static_cast<uint64_t>(limb) * scale + carry;
        limb = static_cast<uint32_t>(t);
        carry = t >> 32;
      }
      if (carry != 0) limbs.push_back(static_cast<uint32_t>(carry));
    }
    for (size_t k = limbs.size(); k-- > 0;) {
      for (int b = 3; b >= 0; b--) out.push_back(static_cast<unsigned char>(limbs[k] >> (8 * b)));
    }
  }

  // out[from..] holds 00 and then a big-endian magnitude (leading zero
  // octets allowed); turns it in place into the minimal two's complement
  // contents of that magnitude with the given sign (X.690 8.3.2).
  static void twos_complement(bool negative, size_t from, Bytes &out) {
    size_t z = from + 1;
    while (z < out.size() && out[z] == 0) z++;
    if (z == out.size()) {  // zero, whatever the sign
      out.resize(from);
      out.push_back(0x00);
      return;
    }
    out.erase(out.begin() + static_cast<std::ptrdiff_t>(from + 1), out.begin() + static_cast<std::ptrdiff_t>(z));
    if (negative) {
      for (size_t i = from; i < out.size(); i++) out[i] = static_cast<unsigned char>(~out[i]);
      for (size_t i = out.size(); i-- > from;) {
        if (++out[i] != 0) break;
      }
    }
    size_t k = from;
    while (k + 1 < out.size() && ((out[k] == 0x00 && out[k + 1] < 0x80) || (out[k] == 0xFF && out[k + 1] >= 0x80))) k++;
    out.erase(out.begin() + static_cast<std::ptrdiff_t>(from), out.begin() + static_cast<std::ptrdiff_t>(k));
  }

  bool integer(const KORVU_JSON *v, const Path &at, Bytes &out) {
    int t = korvu_json_gettype(v);
    if (t == KORVU_JSON_NUMBER) {
      double d = korvu_json_getnumber(v);
      if (!integral(d, -2147483648.0, 2147483647.0)) {
        return fail(&at, "a number must be integral and fit 32 bits (use a string for larger values)");
      }
      // Big-endian two's complement of 64 bits, then the redundant leading
      // octets dropped.
      const uint64_t x = static_cast<uint64_t>(static_cast<int64_t>(d));
      unsigned char b[8];
      for (int k = 0; k < 8; k++) b[k] = static_cast<unsigned char>(x >> (8 * (7 - k)));
      int k = 0;
      while (k < 7 && ((b[k] == 0x00 && b[k + 1] < 0x80) || (b[k] == 0xFF && b[k + 1] >= 0x80))) k++;
      out.insert(out.end(), b + k, b + 8);
      return true;
    }
    if (t != KORVU_JSON_STRING) return fail(&at, "must be a number or a string");
    const char *s = korvu_json_getstring(v);
    size_t n = korvu_json_getstringlength(v);
    bool negative = n > 0 && s[0] == '-';
    size_t i = negative ? 1 : 0;
    const size_t from = out.size();
    if (n - i >= 2 && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
      i += 2;
      if (i == n) return fail(&at, "\"0x\" without hexadecimal digits");
      for (size_t k = i; k < n; k++) {
        if (hex_digit(s[k]) < 0) return fail(&at, "is not an integer (bad hexadecimal digit)");
      }
      // 00, then the digits; an odd count is padded on the left.
      out.push_back(0x00);
      if ((n - i) % 2 != 0) out.push_back(static_cast<unsigned char>(hex_digit(s[i++])));
      for (; i < n; i += 2) out.push_back(static_cast<unsigned char>(hex_digit(s[i]) * 16 + hex_digit(s[i + 1])));
    } else {
      if (i == n) return fail(&at, "is not an integer (no digits)");
      for (size_t k = i; k < n; k++) {
        if (s[k] < '0' || s[k] > '9') return fail(&at, "is not an integer (decimal digits, or 0x and hexadecimal digits)");
      }
      out.push_back(0x00);
      decimal_magnitude(s + i, n - i, out);
    }
    twos_complement(negative, from, out);
    return true;
  }

  bool bitstring(const KORVU_JSON *v, const Path &at, Bytes &out) {
    int t = korvu_json_gettype(v);
    if (t == KORVU_JSON_ARRAY) {
      // Named bits: bit i is element i; trailing zero bits are dropped (X.680 22.7).
      uint32_t n = korvu_json_getarraysize(v);
      uint32_t bits = 0;
      for (uint32_t i = 0; i < n; i++) {
        const KORVU_JSON *e = korvu_json_getarrayitem(v, i);
        if (korvu_json_gettype(e) != KORVU_JSON_BOOLEAN) {
          Path ep{&at, nullptr, i};
          return fail(&ep, "a named bit must be true or false");
        }
        if (korvu_json_istrue(e) == 1) bits = i + 1;
      }
      const uint32_t bytes = (bits + 7) / 8;
      const size_t from = out.size();
      out.resize(from + 1 + bytes, 0);
      out[from] = static_cast<unsigned char>(bytes * 8 - bits);
      for (uint32_t i = 0; i < bits; i++) {
        if (korvu_json_istrue(korvu_json_getarrayitem(v, i)) == 1) {
          out[from + 1 + i / 8] |= static_cast<unsigned char>(0x80 >> (i % 8));
        }
      }
      return true;
    }
    if (t != KORVU_JSON_OBJECT) return fail(&at, "must be {\"unused bits\": n, \"value\": hex} or an array of booleans");
    const KORVU_JSON *u = korvu_json_getobjectvalue(v, "unused bits");
    Path up{&at, "unused bits", 0};
    if (u == nullptr) return fail(&at, "\"unused bits\" is missing");
    if (korvu_json_gettype(u) != KORVU_JSON_NUMBER || !integral(korvu_json_getnumber(u), 0, 7)) {
      return fail(&up, "must be an integer from 0 to 7");
    }
    const KORVU_JSON *d = korvu_json_getobjectvalue(v, "value");
    Path dp{&at, "value", 0};
    if (d == nullptr) return fail(&at, "\"value\" is missing");
    if (!check_hex(d, dp)) return false;
    unsigned char unused = static_cast<unsigned char>(korvu_json_getnumber(u));
    if (unused != 0 && korvu_json_getstringlength(d) == 0) return fail(&up, "must be 0 when there are no data octets");
    out.push_back(unused);
    put_hex(d, out);
    return true;
  }

  bool unicode(const KORVU_JSON *v, const Path &at, bool bmp, Bytes &out) {
    if (korvu_json_gettype(v) != KORVU_JSON_STRING) return fail(&at, "must be a string");
    UstringHolder u(korvu_ustring_newutf8(korvu_json_getstring(v), korvu_json_getstringlength(v)));
    MemHolder<unsigned char> b;
    uint32_t n = 0;
    int ok = !u ? 0 : bmp ? korvu_ustring_tobmp(u.get(), b.out(), &n) : korvu_ustring_toutf32be(u.get(), b.out(), &n);
    if (ok != 1) return fail(&at, bmp ? "has a character outside the Basic Multilingual Plane" : "cannot be converted");
    out.insert(out.end(), b.get(), b.get() + n);
    return true;
  }

  // Contents octets of dotted text, by the rules korvu_asn1_oid_new and
  // korvu_asn1_relative_oid_new apply (a blank counts as a dot; arcs of at
  // most 30 digits and below 2^64-1; a first arc of 0 to 2 and, under 0 and
  // 1, a second arc below 40), appended without allocating a value. False,
  // with `out` as it was, for text those constructors refuse.
  static bool oid_contents(const char *s, size_t n, bool relative, Bytes &out) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (n < (relative ? 1u : 3u) || !digit(s[n - 1])) return false;
    const size_t from = out.size();
    const char *p = s, *end = s + n;
    uint64_t first = 0;
    uint32_t arcs = 0;
    for (;; arcs++) {
      const char *start = p;
      uint64_t v = 0;
      bool overflow = false;
      while (p < end && digit(*p)) {
        const uint64_t d = static_cast<uint64_t>(*p - '0');
        if (v > (UINT64_MAX - d) / 10) overflow = true;
        else v = v * 10 + d;
        p++;
      }
      const size_t digits = static_cast<size_t>(p - start);
      bool ok = digits != 0 && digits <= 30 && !overflow && v != UINT64_MAX;
      if (ok && !relative && arcs == 0) {
        ok = v <= 2;
        first = v;
      } else if (ok && !relative && arcs == 1) {
        ok = !(first < 2 && v > 39) && v <= UINT64_MAX - 40 * first;
        if (ok) put_subid(40 * first + v, out);
      } else if (ok) {
        put_subid(v, out);
      }
      if (!ok || (p != end && *p != '.' && *p != ' ')) {
        out.resize(from);
        return false;
      }
      if (p == end) break;
      p++;
    }
    if (!relative && arcs + 1 < 2) {
      out.resize(from);
      return false;
    }
    return true;
  }

  // v in base 128, most significant group first.
  static void put_subid(uint64_t v, Bytes &out) {
    unsigned char tmp[10];
    int n = 0;
    do {
      tmp[n++] = static_cast<unsigned char>(v & 0x7F);
      v >>= 7;
    } while (v != 0);
    while (n > 1) out.push_back(static_cast<unsigned char>(0x80 | tmp[--n]));
    out.push_back(tmp[0]);
  }

  bool oid(const KORVU_JSON *v, const Path &at, bool relative, Bytes &out) {
    if (korvu_json_gettype(v) != KORVU_JSON_STRING) return fail(&at, "must be a string of dotted numbers");
    const char *s = korvu_json_getstring(v);
    const size_t n = korvu_json_getstringlength(v);
    if (std::strlen(s) != n) return fail(&at, "holds a NUL character");
    if (!oid_contents(s, n, relative, out)) {
      return fail(&at, relative ? "is not a relative object identifier" : "is not an object identifier");
    }
    return true;
  }

  // ---- containers -------------------------------------------------------------
  // Class and number of the identifier at p (n octets).
  static void tag_of(const unsigned char *p, size_t n, uint32_t &cls, uint32_t &tag) {
    cls = n == 0 ? 0 : p[0] & 0xC0u;
    tag = n == 0 ? 0 : p[0] & 0x1Fu;
    if (tag == 0x1F) {
      tag = 0;
      for (size_t i = 1; i < n && i < 7; i++) {
        tag = (tag << 7) | (p[i] & 0x7Fu);
        if ((p[i] & 0x80) == 0) break;
      }
    }
  }

  struct Span {
    size_t at, length;
  };

  // Puts the element encodings at out[from..] in DER order: SET OF (1) by
  // their octets, the shorter one padded with zero octets (X.690 11.6); SET
  // (2) by tag class, then tag number (X.690 10.3). Stable.
  static void sort_elements(int order, size_t from, const std::vector<Span> &spans, Bytes &out) {
    const Bytes copy(out.begin() + static_cast<std::ptrdiff_t>(from), out.end());
    const unsigned char *base = copy.data();
    std::vector<Span> sorted = spans;
    for (Span &s : sorted) s.at -= from;  // offsets into the copy
    if (order == 1) {
      std::stable_sort(sorted.begin(), sorted.end(), [base](const Span &a, const Span &b) {
        size_t n = std::max(a.length, b.length);
        for (size_t i = 0; i < n; i++) {
          unsigned x = i < a.length ? base[a.at + i] : 0, y = i < b.length ? base[b.at + i] : 0;
          if (x != y) return x < y;
        }
        return false;
      });
    } else {
      std::stable_sort(sorted.begin(), sorted.end(), [base](const Span &a, const Span &b) {
        uint32_t ca, ta, cb, tb;
        tag_of(base + a.at, a.length, ca, ta);
        tag_of(base + b.at, b.length, cb, tb);
        return ca != cb ? ca < cb : ta < tb;
      });
    }
    size_t to = from;
    for (const Span &s : sorted) {
      std::memcpy(out.data() + to, base + s.at, s.length);
      to += s.length;
    }
  }

  bool elements(const KORVU_JSON *v, const Path &at, int depth, int sort, Bytes &out) {
    if (korvu_json_gettype(v) != KORVU_JSON_ARRAY) return fail(&at, "must be an array of nodes");
    const uint32_t n = korvu_json_getarraysize(v);
    const size_t from = out.size();
    std::vector<Span> spans;
    if (sort != 0 && n > 1) spans.reserve(n);
    for (uint32_t i = 0; i < n; i++) {
      Path ep{&at, nullptr, i};
      const size_t start = out.size();
      bool constructed = false;
      if (!node(korvu_json_getarrayitem(v, i), depth, ep, false, out, constructed)) return false;
      if (sort != 0 && n > 1) spans.push_back({start, out.size() - start});
    }
    if (sort != 0 && n > 1) sort_elements(sort, from, spans, out);
    return true;
  }

  // ---- one node -----------------------------------------------------------
  // Appends the encoding of `json` to `out`: the whole encoding, or with
  // `contents_only` (the inner node of an implicit tag) its contents octets
  // alone. `constructed` receives the form the node's identifier has (for
  // an implicit tag, the form of what it tags). The contents are written
  // first and the identifier and length octets put in front of them once
  // their length is known, so the whole tree is written into one buffer.
  bool node(const KORVU_JSON *json, int depth, const Path &at, bool contents_only, Bytes &out, bool &constructed) {
    if (korvu_json_gettype(json) != KORVU_JSON_OBJECT) return fail(&at, "a node must be a JSON object");
    if (depth >= limit_) return fail(&at, "nested deeper than " + std::to_string(limit_) + " levels");
    const KORVU_JSON *type = korvu_json_getobjectvalue(json, "type");
    if (type == nullptr) return fail(&at, "\"type\" is missing");
    if (korvu_json_gettype(type) != KORVU_JSON_STRING) return fail(&at, "\"type\" must be a string");
    const Kind *kind = kind_of(korvu_json_getstring(type), korvu_json_getstringlength(type));
    if (kind == nullptr) return fail(&at, std::string("unknown \"type\" \"") + korvu_json_getstring(type) + "\"");

    bool constructed_flag = false, sort = false, indefinite = false;
    if (!flag(json, "constructed", at, constructed_flag) || !flag(json, "indefinite", at, indefinite) ||
        !flag(json, "sort", at, sort))
      return false;

    // "user defined" octets: checked here, written where they go.
    const KORVU_JSON *ud = korvu_json_getobjectvalue(json, "user defined");
    Path udp{&at, "user defined", 0};
    if (ud != nullptr && korvu_json_gettype(ud) != KORVU_JSON_OBJECT) return fail(&udp, "must be an object");
    const KORVU_JSON *ud_id = korvu_json_getobjectvalue(ud, "identifier");
    const KORVU_JSON *ud_len = korvu_json_getobjectvalue(ud, "length");
    const KORVU_JSON *ud_content = korvu_json_getobjectvalue(ud, "content");
    const KORVU_JSON *ud_eoc = korvu_json_getobjectvalue(ud, "end of contents");
    Path idp{&udp, "identifier", 0}, lenp{&udp, "length", 0}, cp{&udp, "content", 0}, eocp{&udp, "end of contents", 0};
    if (ud_len != nullptr) {
      if (korvu_json_gettype(ud_len) == KORVU_JSON_NUMBER) {
        if (!integral(korvu_json_getnumber(ud_len), 0, 2147483647.0)) {
          return fail(&lenp, "must be an integer from 0 to 2147483647");
        }
      } else if (!check_hex(ud_len, lenp)) {
        return false;
      }
    }
    if (ud_eoc != nullptr && !check_hex(ud_eoc, eocp)) return false;
    if (ud_content != nullptr && !check_hex(ud_content, cp)) return false;
    Path vp{&at, "value", 0};

    // Form.
    const char *kname = kind->name;
    switch (kind->form) {
      case Form::Primitive:
        if (constructed_flag) return fail(&at, std::string(kname) + " has no constructed form");
        constructed = false;
        break;
      case Form::Constructed:
        constructed = true;
        break;
      case Form::Either:
      case Form::Unknown:
      case Form::Tagged:  // decided below
        constructed = constructed_flag;
        break;
    }

    const size_t start = out.size();
    uint32_t tag_class = 0x00, tag_number = kind->tag;
    if (kind->form == Form::Tagged) {
      bool implicit = false;
      if (!flag(json, "implicit", at, implicit)) return false;
      tag_class = 0x80;
      tag_number = 0;
      const KORVU_JSON *c = korvu_json_getobjectvalue(json, "class");
      if (c != nullptr) {
        Path clp{&at, "class", 0};
        if (korvu_json_gettype(c) != KORVU_JSON_STRING) return fail(&clp, "must be a string");
        std::string_view name(korvu_json_getstring(c), korvu_json_getstringlength(c));
        if (name == "UNIVERSAL") tag_class = 0x00;
        else if (name == "APPLICATION") tag_class = 0x40;
        else if (name == "CONTEXT") tag_class = 0x80;
        else if (name == "PRIVATE") tag_class = 0xC0;
        else return fail(&clp, "must be UNIVERSAL, APPLICATION, CONTEXT or PRIVATE");
      }
      const KORVU_JSON *num = korvu_json_getobjectvalue(json, "number");
      if (num != nullptr) {
        Path np{&at, "number", 0};
        if (korvu_json_gettype(num) != KORVU_JSON_NUMBER || !integral(korvu_json_getnumber(num), 0, 2147483647.0)) {
          return fail(&np, "must be an integer from 0 to 2147483647");
        }
        tag_number = static_cast<uint32_t>(korvu_json_getnumber(num));
      } else if (ud_id == nullptr) {
        return fail(&at, "a TAGGEDTYPE node needs \"number\"");
      }
      const KORVU_JSON *inner = value_of(json, at, "TAGGEDTYPE");
      if (inner == nullptr) return false;
      // Implicit: the inner node's contents under this tag, in the inner
      // node's form; explicit: the inner node's whole encoding.
      bool inner_constructed = false;
      if (!node(inner, depth + 1, vp, implicit, out, inner_constructed)) return false;
      constructed = implicit ? inner_constructed : true;
      if (ud_content != nullptr) {
        out.resize(start);  // the inner node was checked, its octets are replaced
        put_hex(ud_content, out);
      }
      if (ud_id != nullptr && !check_hex(ud_id, idp)) return false;
    } else {
      if (ud_id == nullptr && kind->form == Form::Unknown) {
        return fail(&at, "an UNKNOWN node needs \"user defined\" \"identifier\"");
      }
      if (ud_id != nullptr && !check_hex(ud_id, idp)) return false;
      if (ud_content != nullptr) {
        put_hex(ud_content, out);
      } else if (!contents(json, kind, constructed, sort, depth, vp, at, out)) {
        return false;
      }
    }
    if (contents_only) return true;

    // Identifier and length in front of the contents, end-of-contents after.
    const size_t content_length = out.size() - start;
    if (ud_id == nullptr && ud_len == nullptr) {
      unsigned char header[16];
      size_t n = put_identifier(header, tag_class, constructed, tag_number);
      if (indefinite) {
        header[n++] = 0x80;
      } else {
        if (content_length > 0x7FFFFFFFu) return fail(&at, "the contents are larger than 2 GiB");
        n += put_length(header + n, static_cast<uint32_t>(content_length));
      }
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(start), header, header + n);
    } else {
      Bytes header;
      if (ud_id != nullptr) put_hex(ud_id, header);
      else append_identifier(header, tag_class, constructed, tag_number);
      if (ud_len != nullptr && korvu_json_gettype(ud_len) == KORVU_JSON_NUMBER) {
        append_length(header, static_cast<uint32_t>(korvu_json_getnumber(ud_len)));
      } else if (ud_len != nullptr) {
        put_hex(ud_len, header);
      } else if (indefinite) {
        header.push_back(0x80);
      } else {
        if (content_length > 0x7FFFFFFFu) return fail(&at, "the contents are larger than 2 GiB");
        append_length(header, static_cast<uint32_t>(content_length));
      }
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(start), header.begin(), header.end());
    }
    if (ud_eoc != nullptr) {
      put_hex(ud_eoc, out);
    } else if (indefinite) {
      out.push_back(0x00);
      out.push_back(0x00);
    }
    return true;
  }

  // The contents of a node of a universal kind from its "value".
  bool contents(const KORVU_JSON *json, const Kind *kind, bool constructed, bool sort, int depth, const Path &vp,
                const Path &at, Bytes &out) {
    const char *kname = kind->name;
    if (constructed) {
      const KORVU_JSON *v = value_of(json, at, kname);
      if (v == nullptr) return false;
      int order = !sort ? 0 : kind->tag != 17 ? 0 : std::strcmp(kname, "SETOF") == 0 ? 1 : 2;
      return elements(v, vp, depth + 1, order, out);
    }
    if (kind->tag == 5 && kind->form == Form::Primitive) return true;  // NULL
    if (kind->form == Form::Unknown || kind->tag == 9) {
      return fail(&at, std::string("a primitive ") + kname + " node needs \"user defined\" \"content\"");
    }
    const KORVU_JSON *v = value_of(json, at, kname);
    if (v == nullptr) return false;
    switch (kind->tag) {
      case 1:
        if (korvu_json_gettype(v) != KORVU_JSON_BOOLEAN) return fail(&vp, "must be true or false");
        out.push_back(korvu_json_istrue(v) == 1 ? 0xFF : 0x00);
        return true;
      case 2:
      case 10:
        return integer(v, vp, out);
      case 3:
        return bitstring(v, vp, out);
      case 4:
      case 20:
      case 21:
      case 25:
      case 27:
        return hex_string(v, vp, out);
      case 6:
      case 13:
        return oid(v, vp, kind->tag == 13, out);
      case 28:
      case 30:
        return unicode(v, vp, kind->tag == 30, out);
      default: {  // 12, 18, 19, 22, 23, 24, 26: the octets of the text
        if (korvu_json_gettype(v) != KORVU_JSON_STRING) return fail(&vp, "must be a string");
        const char *s = korvu_json_getstring(v);
        out.insert(out.end(), s, s + korvu_json_getstringlength(v));
        return true;
      }
    }
  }

  int limit_;
  std::string error_;
};

}  // namespace korvu::asn1json

#endif
