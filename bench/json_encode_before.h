// The JSON encoder as it was before it wrote into one buffer (a copy kept for
// the benchmark, which times it beside the current one on the same trees).
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
#ifndef KORVU_BENCH_JSON_ENCODE_BEFORE_H
#define KORVU_BENCH_JSON_ENCODE_BEFORE_H

#include <algorithm>
#include <cmath>
#include <string>

#include "json/json_common.h"

namespace korvu::asn1json::before {

class Encoder {
 public:
  Encoder() : limit_(korvu_get_recursive_level()) {}

  // The whole encoding of `root` into `out`; false on failure (error()).
  bool encode(const KORVU_JSON *root, Bytes &out) {
    out.clear();
    if (korvu_json_gettype(root) != KORVU_JSON_OBJECT) return fail(nullptr, "the tree is not a JSON object");
    Path top{nullptr, nullptr, 0};
    Parts parts;
    if (!build(root, 0, top, parts)) return false;
    if (!whole(parts, out, top)) return false;
    if (out.size() > 0x7FFFFFFFu) return fail(&top, "the encoding is larger than 2 GiB");
    return true;
  }

  const std::string &error() const { return error_; }

 private:
  // Path of a node: a chain of keys and array indexes, formatted on failure.
  struct Path {
    const Path *parent;
    const char *key;  // null for an array element
    size_t index;
  };

  struct Parts {
    Bytes identifier;
    bool constructed = false;
    Bytes content;
    bool indefinite = false;
    bool has_length = false;  // "user defined" length octets
    Bytes length;
    bool has_eoc = false;  // "user defined" end-of-contents octets
    Bytes eoc;
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

  bool hex_string(const KORVU_JSON *v, const Path &at, Bytes &out) {
    if (korvu_json_gettype(v) != KORVU_JSON_STRING) return fail(&at, "must be a string of hexadecimal digits");
    if (!from_hex(korvu_json_getstring(v), korvu_json_getstringlength(v), out)) {
      return fail(&at, "is not hexadecimal text (an even count of the digits 0-9, A-F)");
    }
    return true;
  }

  // The "value" key, required.
  const KORVU_JSON *value_of(const KORVU_JSON *node, const Path &at, const char *kind) {
    const KORVU_JSON *v = korvu_json_getobjectvalue(node, "value");
    if (v == nullptr) fail(&at, std::string("a ") + kind + " node needs \"value\"");
    return v;
  }

  // ---- contents by kind -------------------------------------------------------
  static void push_be(Bytes &out, const std::vector<uint32_t> &limbs_le) {
    // limbs little-endian base 2^32 -> big-endian octets, no leading zeros
    Bytes b;
    for (size_t i = limbs_le.size(); i-- > 0;) {
      for (int k = 3; k >= 0; k--) b.push_back(static_cast<unsigned char>(limbs_le[i] >> (8 * k)));
    }
    size_t z = 0;
    while (z < b.size() && b[z] == 0) z++;
    out.assign(b.begin() + static_cast<std::ptrdiff_t>(z), b.end());
  }

  // Magnitude of decimal digits, exactly (base 10^9 steps over 32-bit limbs).
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
    push_be(out, limbs);
  }

  // Minimal two's complement contents of a sign and a magnitude.
  static void twos_complement(bool negative, Bytes mag, Bytes &out) {
    size_t z = 0;
    while (z < mag.size() && mag[z] == 0) z++;
    mag.erase(mag.begin(), mag.begin() + static_cast<std::ptrdiff_t>(z));
    if (mag.empty()) {
      out.assign(1, 0x00);
      return;
    }
    mag.insert(mag.begin(), 0x00);
    if (negative) {
      for (auto &b : mag) b = static_cast<unsigned char>(~b);
      for (size_t i = mag.size(); i-- > 0;) {
        if (++mag[i] != 0) break;
      }
    }
    // Drop redundant leading octets (X.690 8.3.2).
    size_t k = 0;
    while (k + 1 < mag.size() && ((mag[k] == 0x00 && mag[k + 1] < 0x80) || (mag[k] == 0xFF && mag[k + 1] >= 0x80))) k++;
    out.assign(mag.begin() + static_cast<std::ptrdiff_t>(k), mag.end());
  }

  bool integer(const KORVU_JSON *v, const Path &at, Bytes &out) {
    int t = korvu_json_gettype(v);
    if (t == KORVU_JSON_NUMBER) {
      double d = korvu_json_getnumber(v);
      if (!integral(d, -2147483648.0, 2147483647.0)) {
        return fail(&at, "a number must be integral and fit 32 bits (use a string for larger values)");
      }
      int64_t x = static_cast<int64_t>(d);
      Bytes mag;
      uint64_t m = static_cast<uint64_t>(x < 0 ? -x : x);
      for (int k = 7; k >= 0; k--) mag.push_back(static_cast<unsigned char>(m >> (8 * k)));
      twos_complement(x < 0, mag, out);
      return true;
    }
    if (t != KORVU_JSON_STRING) return fail(&at, "must be a number or a string");
    const char *s = korvu_json_getstring(v);
    size_t n = korvu_json_getstringlength(v);
    bool negative = n > 0 && s[0] == '-';
    size_t i = negative ? 1 : 0;
    Bytes mag;
    if (n - i >= 2 && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
      i += 2;
      if (i == n) return fail(&at, "\"0x\" without hexadecimal digits");
      for (size_t k = i; k < n; k++) {
        if (hex_digit(s[k]) < 0) return fail(&at, "is not an integer (bad hexadecimal digit)");
      }
      // Odd digit counts are fine here: pad on the left.
      std::string digits(s + i, n - i);
      if (digits.size() % 2 != 0) digits.insert(digits.begin(), '0');
      from_hex(digits.data(), digits.size(), mag);
    } else {
      if (i == n) return fail(&at, "is not an integer (no digits)");
      for (size_t k = i; k < n; k++) {
        if (s[k] < '0' || s[k] > '9') return fail(&at, "is not an integer (decimal digits, or 0x and hexadecimal digits)");
      }
      decimal_magnitude(s + i, n - i, mag);
    }
    twos_complement(negative, std::move(mag), out);
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
      uint32_t bytes = (bits + 7) / 8;
      out.assign(1 + bytes, 0);
      out[0] = static_cast<unsigned char>(bytes * 8 - bits);
      for (uint32_t i = 0; i < bits; i++) {
        if (korvu_json_istrue(korvu_json_getarrayitem(v, i)) == 1) out[1 + i / 8] |= static_cast<unsigned char>(0x80 >> (i % 8));
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
    Bytes data;
    if (!hex_string(d, dp, data)) return false;
    unsigned char unused = static_cast<unsigned char>(korvu_json_getnumber(u));
    if (unused != 0 && data.empty()) return fail(&up, "must be 0 when there are no data octets");
    out.assign(1, unused);
    out.insert(out.end(), data.begin(), data.end());
    return true;
  }

  bool unicode(const KORVU_JSON *v, const Path &at, bool bmp, Bytes &out) {
    if (korvu_json_gettype(v) != KORVU_JSON_STRING) return fail(&at, "must be a string");
    UstringHolder u(korvu_ustring_newutf8(korvu_json_getstring(v), korvu_json_getstringlength(v)));
    MemHolder<unsigned char> b;
    uint32_t n = 0;
    int ok = !u ? 0 : bmp ? korvu_ustring_tobmp(u.get(), b.out(), &n) : korvu_ustring_toutf32be(u.get(), b.out(), &n);
    if (ok != 1) return fail(&at, bmp ? "has a character outside the Basic Multilingual Plane" : "cannot be converted");
    out.assign(b.get(), b.get() + n);
    return true;
  }

  bool oid(const KORVU_JSON *v, const Path &at, bool relative, Bytes &out) {
    if (korvu_json_gettype(v) != KORVU_JSON_STRING) return fail(&at, "must be a string of dotted numbers");
    const char *s = korvu_json_getstring(v);
    if (std::strlen(s) != korvu_json_getstringlength(v)) return fail(&at, "holds a NUL character");
    Value o(relative ? KORVU_TYPE_RELATIVE_OID : KORVU_TYPE_OBJECT_IDENTIFIER,
            relative ? korvu_asn1_relative_oid_new(s) : korvu_asn1_oid_new(s));
    if (!o) return fail(&at, relative ? "is not a relative object identifier" : "is not an object identifier");
    const auto *oid = o.as<KORVU_ASN1_OID>();
    out.assign(oid->data, oid->data + oid->length);
    return true;
  }

  // ---- containers -------------------------------------------------------------
  static void tag_of(const Bytes &enc, uint32_t &cls, uint32_t &tag) {
    cls = enc.empty() ? 0 : enc[0] & 0xC0u;
    tag = enc.empty() ? 0 : enc[0] & 0x1Fu;
    if (tag == 0x1F) {
      tag = 0;
      for (size_t i = 1; i < enc.size() && i < 7; i++) {
        tag = (tag << 7) | (enc[i] & 0x7Fu);
        if ((enc[i] & 0x80) == 0) break;
      }
    }
  }

  // DER order of SET OF: octet strings compared with the shorter one padded
  // with zero octets (X.690 11.6).
  static bool set_of_less(const Bytes &a, const Bytes &b) {
    size_t n = std::max(a.size(), b.size());
    for (size_t i = 0; i < n; i++) {
      unsigned x = i < a.size() ? a[i] : 0, y = i < b.size() ? b[i] : 0;
      if (x != y) return x < y;
    }
    return false;
  }

  bool elements(const KORVU_JSON *v, const Path &at, int depth, int sort, Bytes &out) {
    if (korvu_json_gettype(v) != KORVU_JSON_ARRAY) return fail(&at, "must be an array of nodes");
    uint32_t n = korvu_json_getarraysize(v);
    std::vector<Bytes> encs(n);
    for (uint32_t i = 0; i < n; i++) {
      Path ep{&at, nullptr, i};
      Parts parts;
      if (!build(korvu_json_getarrayitem(v, i), depth, ep, parts) || !whole(parts, encs[i], ep)) return false;
    }
    if (sort == 1) {  // SET OF
      std::stable_sort(encs.begin(), encs.end(), set_of_less);
    } else if (sort == 2) {  // SET: by tag class, then tag number (X.690 10.3)
      std::stable_sort(encs.begin(), encs.end(), [](const Bytes &a, const Bytes &b) {
        uint32_t ca, ta, cb, tb;
        tag_of(a, ca, ta);
        tag_of(b, cb, tb);
        return ca != cb ? ca < cb : ta < tb;
      });
    }
    for (auto &e : encs) out.insert(out.end(), e.begin(), e.end());
    return true;
  }

  // ---- one node -----------------------------------------------------------
  bool build(const KORVU_JSON *node, int depth, const Path &at, Parts &parts) {
    if (korvu_json_gettype(node) != KORVU_JSON_OBJECT) return fail(&at, "a node must be a JSON object");
    if (depth >= limit_) return fail(&at, "nested deeper than " + std::to_string(limit_) + " levels");
    const KORVU_JSON *type = korvu_json_getobjectvalue(node, "type");
    if (type == nullptr) return fail(&at, "\"type\" is missing");
    if (korvu_json_gettype(type) != KORVU_JSON_STRING) return fail(&at, "\"type\" must be a string");
    const Kind *kind = find_kind(korvu_json_getstring(type), korvu_json_getstringlength(type));
    if (kind == nullptr) return fail(&at, std::string("unknown \"type\" \"") + korvu_json_getstring(type) + "\"");

    bool constructed_flag = false, sort = false;
    if (!flag(node, "constructed", at, constructed_flag) || !flag(node, "indefinite", at, parts.indefinite) ||
        !flag(node, "sort", at, sort))
      return false;

    // "user defined" octets.
    const KORVU_JSON *ud = korvu_json_getobjectvalue(node, "user defined");
    Path udp{&at, "user defined", 0};
    if (ud != nullptr && korvu_json_gettype(ud) != KORVU_JSON_OBJECT) return fail(&udp, "must be an object");
    const KORVU_JSON *ud_id = korvu_json_getobjectvalue(ud, "identifier");
    const KORVU_JSON *ud_len = korvu_json_getobjectvalue(ud, "length");
    const KORVU_JSON *ud_content = korvu_json_getobjectvalue(ud, "content");
    const KORVU_JSON *ud_eoc = korvu_json_getobjectvalue(ud, "end of contents");
    Path idp{&udp, "identifier", 0}, lenp{&udp, "length", 0}, cp{&udp, "content", 0}, eocp{&udp, "end of contents", 0};
    if (ud_len != nullptr) {
      parts.has_length = true;
      if (korvu_json_gettype(ud_len) == KORVU_JSON_NUMBER) {
        double d = korvu_json_getnumber(ud_len);
        if (!integral(d, 0, 2147483647.0)) return fail(&lenp, "must be an integer from 0 to 2147483647");
        append_length(parts.length, static_cast<uint32_t>(d));
      } else if (!hex_string(ud_len, lenp, parts.length)) {
        return false;
      }
    }
    if (ud_eoc != nullptr) {
      parts.has_eoc = true;
      if (!hex_string(ud_eoc, eocp, parts.eoc)) return false;
    }
    bool have_content = false;
    if (ud_content != nullptr) {
      have_content = true;
      if (!hex_string(ud_content, cp, parts.content)) return false;
    }
    Path vp{&at, "value", 0};

    // Form and contents.
    const char *kname = kind->name;
    switch (kind->form) {
      case Form::Primitive:
        if (constructed_flag) return fail(&at, std::string(kname) + " has no constructed form");
        parts.constructed = false;
        break;
      case Form::Constructed:
        parts.constructed = true;
        break;
      case Form::Either:
      case Form::Unknown:
        parts.constructed = constructed_flag;
        break;
      case Form::Tagged:
        break;  // below
    }

    if (kind->form == Form::Tagged) {
      bool implicit = false;
      if (!flag(node, "implicit", at, implicit)) return false;
      uint32_t cls = 0x80, number = 0;
      const KORVU_JSON *c = korvu_json_getobjectvalue(node, "class");
      if (c != nullptr) {
        Path clp{&at, "class", 0};
        if (korvu_json_gettype(c) != KORVU_JSON_STRING) return fail(&clp, "must be a string");
        std::string name(korvu_json_getstring(c), korvu_json_getstringlength(c));
        if (name == "UNIVERSAL") cls = 0x00;
        else if (name == "APPLICATION") cls = 0x40;
        else if (name == "CONTEXT") cls = 0x80;
        else if (name == "PRIVATE") cls = 0xC0;
        else return fail(&clp, "must be UNIVERSAL, APPLICATION, CONTEXT or PRIVATE");
      }
      const KORVU_JSON *num = korvu_json_getobjectvalue(node, "number");
      if (num != nullptr) {
        Path np{&at, "number", 0};
        if (korvu_json_gettype(num) != KORVU_JSON_NUMBER || !integral(korvu_json_getnumber(num), 0, 2147483647.0)) {
          return fail(&np, "must be an integer from 0 to 2147483647");
        }
        number = static_cast<uint32_t>(korvu_json_getnumber(num));
      } else if (ud_id == nullptr) {
        return fail(&at, "a TAGGEDTYPE node needs \"number\"");
      }
      const KORVU_JSON *inner = value_of(node, at, "TAGGEDTYPE");
      if (inner == nullptr) return false;
      Parts in;
      if (!build(inner, depth + 1, vp, in)) return false;
      if (implicit) {
        parts.constructed = in.constructed;
        if (!have_content) parts.content = std::move(in.content);
      } else {
        parts.constructed = true;
        if (!have_content && !whole(in, parts.content, vp)) return false;
      }
      if (ud_id == nullptr) append_identifier(parts.identifier, cls, parts.constructed, number);
    } else if (ud_id == nullptr) {
      if (kind->form == Form::Unknown) {
        return fail(&at, "an UNKNOWN node needs \"user defined\" \"identifier\"");
      }
      append_identifier(parts.identifier, 0x00, parts.constructed, kind->tag);
    }
    if (ud_id != nullptr && !hex_string(ud_id, idp, parts.identifier)) return false;

    if (have_content || kind->form == Form::Tagged) return true;
    if (parts.constructed) {
      const KORVU_JSON *v = value_of(node, at, kname);
      if (v == nullptr) return false;
      int order = !sort ? 0 : kind->tag != 17 ? 0 : std::strcmp(kname, "SETOF") == 0 ? 1 : 2;
      return elements(v, vp, depth + 1, order, parts.content);
    }
    if (kind->tag == 5 && kind->form == Form::Primitive) return true;  // NULL
    if (kind->form == Form::Unknown || kind->tag == 9) {
      return fail(&at, std::string("a primitive ") + kname + " node needs \"user defined\" \"content\"");
    }
    const KORVU_JSON *v = value_of(node, at, kname);
    if (v == nullptr) return false;
    switch (kind->tag) {
      case 1:
        if (korvu_json_gettype(v) != KORVU_JSON_BOOLEAN) return fail(&vp, "must be true or false");
        parts.content.assign(1, korvu_json_istrue(v) == 1 ? 0xFF : 0x00);
        return true;
      case 2:
      case 10:
        return integer(v, vp, parts.content);
      case 3:
        return bitstring(v, vp, parts.content);
      case 4:
      case 20:
      case 21:
      case 25:
      case 27:
        return hex_string(v, vp, parts.content);
      case 6:
      case 13:
        return oid(v, vp, kind->tag == 13, parts.content);
      case 28:
      case 30:
        return unicode(v, vp, kind->tag == 30, parts.content);
      default:  // 12, 18, 19, 22, 23, 24, 26: the octets of the text
        if (korvu_json_gettype(v) != KORVU_JSON_STRING) return fail(&vp, "must be a string");
        parts.content.assign(korvu_json_getstring(v), korvu_json_getstring(v) + korvu_json_getstringlength(v));
        return true;
    }
  }

  // Identifier, length, contents and end-of-contents of `parts`.
  bool whole(const Parts &parts, Bytes &out, const Path &at) {
    out = parts.identifier;
    if (parts.has_length) {
      out.insert(out.end(), parts.length.begin(), parts.length.end());
    } else if (parts.indefinite) {
      out.push_back(0x80);
    } else {
      if (parts.content.size() > 0x7FFFFFFFu) return fail(&at, "the contents are larger than 2 GiB");
      append_length(out, static_cast<uint32_t>(parts.content.size()));
    }
    out.insert(out.end(), parts.content.begin(), parts.content.end());
    if (parts.has_eoc) {
      out.insert(out.end(), parts.eoc.begin(), parts.eoc.end());
    } else if (parts.indefinite) {
      out.push_back(0x00);
      out.push_back(0x00);
    }
    return true;
  }

  int limit_;
  std::string error_;
};

}  // namespace korvu::asn1json

#endif
