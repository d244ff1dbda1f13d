// Rendering of one BER/DER encoding as a JSON tree of typed nodes.
//
// The input is read as one ANY value would be: the identifier and length
// rules of X.690 as the codec applies them (multi-octet tag numbers of 31 and
// more, up to 16 continuation octets, below 2^31; long-form lengths with
// leading zero octets, below 2^31; no primitive indefinite length) and the
// table of forms allowed for each universal tag. Unlike ANY, the contents of
// every constructed encoding are walked as well, so the whole input must be a
// sound tree of encodings.
//
// The rendering is lossless: the encoder (json_encode.h) turns the tree back
// into the input octet for octet. Whatever the typed rendering would lose
// goes under "user defined" as hexadecimal: non-minimal length octets and
// identifiers with a leading 0x80 group, and the contents of values that have
// no typed rendering (odd BOOLEAN octets, non-minimal or empty INTEGERs, NULL
// with contents, OIDs and times that cannot be printed, text that is not
// valid in its form, end-of-contents octets met inside definite contents).
#ifndef KORVU_JSON_JSON_RENDER_H
#define KORVU_JSON_JSON_RENDER_H

#include <cstdio>
#include <string>

#include "../types/oid_text.h"
#include "../types/time_text.h"
#include "../util/unicode_internal.h"
#include "json_common.h"

namespace korvu::asn1json {

class Renderer {
 public:
  Renderer(const unsigned char *data, size_t size) : p_(data), n_(size), limit_(korvu_get_recursive_level()) {}

  // The tree of the whole input, or null (see error() and error_offset()).
  Node render() {
    if (n_ == 0) {
      fail(0, "the input is empty");
      return nullptr;
    }
    size_t pos = 0;
    if (is_eoc(pos, n_)) {
      fail(0, "the input is an end-of-contents marker, not a value");
      return nullptr;
    }
    Node node(korvu_json_newobject());
    if (!node) return oom();
    if (!fill(node.get(), pos, n_, 0, true)) return nullptr;
    if (pos != n_) {
      fail(pos, std::to_string(n_ - pos) + " octets follow the encoding");
      return nullptr;
    }
    return node;
  }

  const std::string &error() const { return error_; }
  size_t error_offset() const { return error_at_; }
  // Whether the failure was running out of memory rather than the input.
  bool out_of_memory() const { return oom_; }

 private:
  struct Header {
    size_t start = 0;
    size_t id_len = 0;
    size_t len_len = 0;
    uint32_t tag_class = 0;
    bool constructed = false;
    uint32_t tag = 0;
    bool indefinite = false;
    uint32_t length = 0;
    bool minimal_id = true;
    bool minimal_len = true;
    bool form_allowed = true;
    size_t content() const { return start + id_len + len_len; }
  };

  bool fail(size_t at, const std::string &message) {
    if (error_.empty()) {
      error_ = message;
      error_at_ = at;
    }
    return false;
  }
  std::nullptr_t oom() {
    oom_fail();
    return nullptr;
  }

  // Identifier octet 00 (universal, primitive, tag 0) opens an
  // end-of-contents; its second octet must be 00 too.
  bool is_eoc(size_t pos, size_t limit) const { return pos < limit && p_[pos] == 0x00; }
  bool read_eoc(size_t &pos, size_t limit) {
    if (pos + 1 >= limit) return fail(pos, "end-of-contents octets cut short");
    if (p_[pos + 1] != 0x00) return fail(pos + 1, "end-of-contents octets are not 00 00");
    pos += 2;
    return true;
  }

  static bool universal_form_allowed(uint32_t tag, bool constructed) {
    // P primitive only, C constructed only, B both, - neither (X.680 tags 0-34).
    static constexpr char kForms[] = "PPPBBPPBCPPCBPP-CCBBBBBBBBBBB-BPPPP";
    static_assert(sizeof(kForms) == 36);
    if (tag >= sizeof(kForms) - 1) return false;
    char f = kForms[tag];
    return f == 'B' || (f == 'P' && !constructed) || (f == 'C' && constructed);
  }

  // `any_checked`: the encoding is one that an ANY decoder examines (the
  // top level, and encodings nested in indefinite lengths only), so the
  // universal tag must allow the form read. Inside definite contents, which
  // ANY copies without looking in, such a tag is rendered as UNKNOWN.
  bool read_header(size_t pos, size_t limit, Header &h, bool any_checked) {
    h.start = pos;
    h.length = 0;
    h.indefinite = false;
    h.minimal_id = true;
    h.minimal_len = true;
    size_t i = pos;
    if (i >= limit) return fail(i, "an identifier is missing");
    unsigned char b = p_[i++];
    h.tag_class = b & 0xC0u;
    h.constructed = (b & 0x20) != 0;
    uint32_t tag = b & 0x1Fu;
    if (tag == 0x1F) {
      tag = 0;
      for (size_t groups = 0;; groups++) {
        if (tag >= 0x1000000u || groups >= 16) return fail(pos, "tag number too large");
        if (i >= limit) return fail(i, "identifier octets cut short");
        b = p_[i++];
        if (groups == 0 && b == 0x80) h.minimal_id = false;
        tag = (tag << 7) | (b & 0x7Fu);
        if ((b & 0x80) == 0) break;
      }
      if (tag < 31) return fail(pos, "a multi-octet tag number below 31");
    }
    h.tag = tag;
    h.id_len = i - pos;
    h.form_allowed = h.tag_class != 0x00 || universal_form_allowed(tag, h.constructed);
    if (any_checked && !h.form_allowed) {
      return fail(pos, "universal tag " + std::to_string(tag) + (h.constructed ? " constructed" : " primitive") +
                           " is not allowed");
    }
    if (i >= limit) return fail(i, "length octets missing");
    b = p_[i++];
    if (b == 0x80) {
      if (!h.constructed) return fail(i - 1, "a primitive encoding with an indefinite length");
      h.indefinite = true;
    } else if (b == 0xFF) {
      return fail(i - 1, "length octet FF is reserved");
    } else if (b < 0x80) {
      h.length = b;
    } else {
      uint32_t count = b & 0x7Fu, value = 0;
      for (uint32_t k = 0; k < count; k++) {
        if (value >= 0x800000u) return fail(i, "length too large");
        if (i >= limit) return fail(i, "length octets cut short");
        value = (value << 8) | p_[i++];
      }
      h.length = value;
      // Minimal: long form only past 127, with no leading zero octet.
      h.minimal_len = value >= 0x80 && p_[pos + h.id_len + 1] != 0;
    }
    h.len_len = i - pos - h.id_len;
    if (!h.indefinite && h.length > limit - i) {
      return fail(i, "the length " + std::to_string(h.length) + " runs past the end of its container (" +
                         std::to_string(limit - i) + " octets left)");
    }
    return true;
  }

  // ---- building nodes in place -------------------------------------------
  // Every node is made inside its parent (korvu_json_addnew*), in the order
  // its keys are printed: "type", the flags, "user defined", "value".
  bool oom_fail() {
    if (error_.empty()) oom_ = true;
    return fail(0, "out of memory");
  }
  bool ok(int r) { return r == 1 || oom_fail(); }
  bool add_text(KORVU_JSON *obj, const char *key, const char *s, size_t n) {
    return ok(korvu_json_addnewstring(obj, key, s, static_cast<uint32_t>(n)));
  }
  bool add_text(KORVU_JSON *obj, const char *key, const char *s) { return add_text(obj, key, s, std::strlen(s)); }
  bool add_hex(KORVU_JSON *obj, const char *key, size_t from, size_t to) {
    return ok(korvu_json_addnewhex(obj, key, p_ + from, static_cast<uint32_t>(to - from)));
  }
  bool add_number(KORVU_JSON *obj, const char *key, double v) { return ok(korvu_json_addnewnumber(obj, key, v)); }
  bool add_bool(KORVU_JSON *obj, const char *key, bool v) { return ok(korvu_json_addnewboolean(obj, key, v)); }
  KORVU_JSON *add_object(KORVU_JSON *obj, const char *key) {
    KORVU_JSON *o = korvu_json_addnewobject(obj, key);
    if (o == nullptr) oom_fail();
    return o;
  }

  // "user defined" entries of the header octets the typed form cannot say,
  // and the raw contents [content_from, content_to) when `raw` is set.
  // `raw_length`: contents rendered raw, so "length" is the contents length.
  bool add_user_defined(KORVU_JSON *node, const Header &h, bool raw, bool raw_length) {
    bool want_id = !h.minimal_id;
    bool want_len = !h.minimal_len || (raw && raw_length);
    if (!want_id && !want_len && !raw) return true;
    KORVU_JSON *ud = add_object(node, "user defined");
    if (ud == nullptr) return false;
    if (raw && !add_hex(ud, "content", h.content(), h.content() + h.length)) return false;
    if (want_id && !add_hex(ud, "identifier", h.start, h.start + h.id_len)) return false;
    if (want_len) {
      return h.minimal_len ? add_number(ud, "length", h.length)
                           : add_hex(ud, "length", h.start + h.id_len, h.content());
    }
    return true;
  }

  // A value of a named kind whose contents are kept as raw octets.
  bool raw_node(KORVU_JSON *node, const char *type, const Header &h, bool with_length = true) {
    return add_text(node, "type", type) && add_user_defined(node, h, true, with_length);
  }

  // "UNKNOWN" carrying the octets [from, to) whole.
  bool unknown_whole(KORVU_JSON *node, size_t from, size_t to) {
    if (!add_text(node, "type", "UNKNOWN")) return false;
    KORVU_JSON *ud = add_object(node, "user defined");
    return ud != nullptr && add_hex(ud, "content", from, to) && add_text(ud, "identifier", "", 0) &&
           add_text(ud, "length", "", 0);
  }

  // "type" and the "user defined" header octets of a typed value; "value"
  // comes next.
  bool head(KORVU_JSON *node, const char *type, const Header &h) {
    return add_text(node, "type", type) && add_user_defined(node, h, false, false);
  }

  // ---- universal primitive values -------------------------------------------
  bool integer(KORVU_JSON *node, const char *type, const Header &h) {
    const unsigned char *c = p_ + h.content();
    uint32_t n = h.length;
    if (n == 0 || (n >= 2 && ((c[0] == 0x00 && c[1] < 0x80) || (c[0] == 0xFF && c[1] >= 0x80)))) {
      return raw_node(node, type, h);
    }
    if (n <= 4) {
      // A minimal encoding of at most 4 octets is a signed 32-bit number.
      int64_t v = (c[0] & 0x80) ? -1 : 0;
      for (uint32_t i = 0; i < n; i++) v = v * 256 + c[i];
      return head(node, type, h) && add_number(node, "value", static_cast<double>(v));
    }
    bool negative = (c[0] & 0x80) != 0;
    Bytes mag(c, c + n);
    if (negative) {  // magnitude = two's complement negation
      for (auto &b : mag) b = static_cast<unsigned char>(~b);
      for (size_t i = mag.size(); i-- > 0;) {
        if (++mag[i] != 0) break;
      }
    }
    std::string hex = to_hex(mag.data(), mag.size());
    size_t z = hex.find_first_not_of('0');
    hex = z == std::string::npos ? "0" : hex.substr(z);
    std::string text = (negative ? "-0X" : "0X") + hex;
    return head(node, type, h) && add_text(node, "value", text.data(), text.size());
  }

  // Dotted text of OID contents when it can be printed and reads back to the
  // same octets (every arc below 2^64-1, so that the text names it).
  bool oid_value(KORVU_JSON *node, const char *type, const Header &h, bool relative) {
    if (h.length == 0) return raw_node(node, type, h);
    char small[256];
    std::string big;
    const size_t cap = oidtext::text_capacity(h.length);
    char *text = small;
    if (cap > sizeof small) {
      big.resize(cap);
      text = big.data();
    }
    bool max_arc = false;
    const char *end = oidtext::to_text(p_ + h.content(), h.length, relative, text, &max_arc);
    if (end == nullptr || max_arc) return raw_node(node, type, h);
    return head(node, type, h) && add_text(node, "value", text, static_cast<size_t>(end - text));
  }

  // A time is shown as text only when the time types accept it. Most times
  // are decided from their fields; the rest (zone offsets, hour 24, second
  // 60) are decoded.
  bool time_ok(const Header &h) {
    const char *s = reinterpret_cast<const char *>(p_ + h.content());
    timetext::Fields f;
    const bool parsed =
        h.tag == 23 ? timetext::parse_utctime(s, h.length, f) : timetext::parse_gentime(s, h.length, f);
    if (!parsed) return false;
    const int quick = timetext::quick_check(f);
    if (quick >= 0) return quick == 1;
    Bytes tlv;
    append_identifier(tlv, 0, false, h.tag);
    append_length(tlv, h.length);
    tlv.insert(tlv.end(), p_ + h.content(), p_ + h.content() + h.length);
    const uint32_t type = h.tag == 23 ? KORVU_TYPE_UTCTIME : KORVU_TYPE_GENERALIZEDTIME;
    Value value(type);
    uint32_t used = korvu_asn1_mem_decode(tlv.data(), static_cast<int32_t>(tlv.size()), type, value.out());
    return used == tlv.size();
  }

  // Text values; text that is not valid UTF-8 is kept as raw octets.
  bool text_node(KORVU_JSON *node, const char *type, const Header &h, const unsigned char *s, size_t n) {
    if (!unicode::utf8_valid(s, n)) return raw_node(node, type, h);
    return head(node, type, h) && add_text(node, "value", reinterpret_cast<const char *>(s), n);
  }

  bool universal_primitive(KORVU_JSON *node, const Header &h) {
    const unsigned char *c = p_ + h.content();
    const uint32_t n = h.length;
    const char *name = universal_name(h.tag);
    switch (h.tag) {
      case 1:
        if (n == 1 && (c[0] == 0xFF || c[0] == 0x00)) {
          return head(node, name, h) && add_bool(node, "value", c[0] == 0xFF);
        }
        return raw_node(node, name, h, n != 1);
      case 2:
      case 10:
        return integer(node, name, h);
      case 3: {
        if (n == 0 || c[0] > 7 || (c[0] != 0 && n == 1)) return raw_node(node, name, h);
        if (!head(node, name, h)) return false;
        KORVU_JSON *v = add_object(node, "value");
        return v != nullptr && add_number(v, "unused bits", c[0]) &&
               add_hex(v, "value", h.content() + 1, h.content() + n);
      }
      case 4:
      case 20:
      case 21:
      case 25:
      case 27:
        return head(node, name, h) && add_hex(node, "value", h.content(), h.content() + n);
      case 5:
        if (n != 0) return raw_node(node, name, h);
        return head(node, name, h);
      case 6:
      case 13:
        return oid_value(node, name, h, h.tag == 13);
      case 12:
      case 18:
      case 19:
      case 22:
      case 26:
        return text_node(node, name, h, c, n);
      case 23:
      case 24:
        if (!time_ok(h)) return raw_node(node, name, h);
        return text_node(node, name, h, c, n);
      case 28:
      case 30: {
        UstringHolder u(h.tag == 28 ? korvu_ustring_newutf32be(c, n) : korvu_ustring_newbmp(c, n));
        MemHolder<unsigned char> utf8;
        uint32_t len = 0;
        if (!u || korvu_ustring_toutf8(u.get(), utf8.out(), &len) != 1) return raw_node(node, name, h);
        return text_node(node, name, h, utf8.get(), len);
      }
      default:  // no typed rendering (REAL, TIME, ...): the whole encoding
        return unknown_whole(node, h.start, h.content() + n);
    }
  }

  // ---- constructed values -----------------------------------------------
  // Renders the elements of a constructed encoding whose header is `h` into
  // `array` and moves `pos` past its contents (and end-of-contents). An
  // indefinite length runs to its end-of-contents, within `limit`. An
  // end-of-contents marker met inside definite contents closes nothing
  // there and is kept as octets.
  bool elements(KORVU_JSON *array, const Header &h, size_t &pos, size_t limit, int depth, bool any_checked) {
    pos = h.content();
    const size_t end = h.indefinite ? limit : h.content() + h.length;
    for (;;) {
      if (h.indefinite) {
        if (pos >= end) return fail(pos, "end-of-contents octets missing");
        if (is_eoc(pos, end)) return read_eoc(pos, end);
      } else if (pos == end) {
        return true;
      }
      KORVU_JSON *item = add_object(array, nullptr);
      if (item == nullptr) return false;
      if (is_eoc(pos, end) && pos + 1 < end && p_[pos + 1] == 0x00) {
        size_t at = pos;
        if (!read_eoc(pos, end) || !unknown_whole(item, at, pos)) return false;
      } else if (!fill(item, pos, end, depth, any_checked && h.indefinite)) {
        return false;
      }
    }
  }

  // Moves `pos` past the encoding there, without rendering it; false when
  // it is not sound. Lengths are not checked inside definite contents.
  bool skip(size_t &pos, size_t end) {
    size_t open = 0;  // indefinite lengths entered
    do {
      if (open > 0 && pos + 1 < end && p_[pos] == 0x00 && p_[pos + 1] == 0x00) {
        pos += 2;
        open--;
        continue;
      }
      Header h;
      if (!read_header(pos, end, h, false)) return false;
      if (h.indefinite) {
        open++;
        pos = h.content();
      } else {
        pos = h.content() + h.length;
      }
    } while (open > 0);
    return true;
  }

  // Whether the contents of the tagged value `h` are exactly one encoding
  // that is not an end-of-contents (an explicit tag). Decided before the
  // contents are rendered, because "implicit" is written before "value".
  // Whenever the contents render, this agrees with what they hold.
  bool single_encoding(const Header &h, size_t limit) {
    const bool quiet = error_.empty();
    size_t pos = h.content();
    const size_t end = h.indefinite ? limit : h.content() + h.length;
    bool single = false;
    if (pos < end && !(h.indefinite ? p_[pos] == 0x00 : is_eoc(pos, end) && pos + 1 < end && p_[pos + 1] == 0x00) &&
        skip(pos, end)) {
      single = h.indefinite ? pos < end && p_[pos] == 0x00 : pos == end;
    }
    if (quiet) {  // a failure found here is reported by the rendering itself
      error_.clear();
      error_at_ = 0;
    }
    return single;
  }

  bool constructed(KORVU_JSON *node, const Header &h, size_t &pos, size_t limit, int depth, bool any_checked) {
    const bool tagged = h.tag_class != 0x00;
    if (tagged && depth + 1 >= limit_) {
      return fail(h.start, "nested deeper than " + std::to_string(limit_) + " levels");
    }
    if (!tagged) {
      const char *name = h.form_allowed ? universal_name(h.tag) : nullptr;
      if (!add_text(node, "type", name != nullptr ? name : "UNKNOWN")) return false;
      if (h.tag != 16 && h.tag != 17 && !add_bool(node, "constructed", true)) return false;
      if (h.indefinite && !add_bool(node, "indefinite", true)) return false;
      Header hh = h;
      if (name == nullptr) hh.minimal_id = false;  // "identifier" names the tag
      if (!add_user_defined(node, hh, false, false)) return false;
      KORVU_JSON *array = korvu_json_addnewarray(node, "value");
      if (array == nullptr) return oom_fail();
      return elements(array, h, pos, limit, depth + 1, any_checked);
    }
    // Elements of a tagged value may sit under an implicit SEQUENCE node, one
    // level further down, so they are counted two levels down.
    const bool explicit_tag = single_encoding(h, limit);
    if (!tagged_head(node, h) || !add_bool(node, "implicit", !explicit_tag)) return false;
    if (h.indefinite && !add_bool(node, "indefinite", true)) return false;
    if (!add_user_defined(node, h, false, false)) return false;
    KORVU_JSON *value = add_object(node, "value");
    if (value == nullptr) return false;
    if (explicit_tag) return explicit_contents(value, h, pos, limit, depth + 2, any_checked);
    if (!add_text(value, "type", "SEQUENCE")) return false;
    KORVU_JSON *array = korvu_json_addnewarray(value, "value");
    if (array == nullptr) return oom_fail();
    return elements(array, h, pos, limit, depth + 2, any_checked);
  }

  // The one encoding inside an explicit tag, rendered as the tag's "value".
  bool explicit_contents(KORVU_JSON *value, const Header &h, size_t &pos, size_t limit, int depth,
                         bool any_checked) {
    pos = h.content();
    const size_t end = h.indefinite ? limit : h.content() + h.length;
    if (!fill(value, pos, end, depth, any_checked && h.indefinite)) return false;
    if (h.indefinite) return read_eoc(pos, end);
    return pos == end || fail(pos, "octets follow the encoding inside an explicit tag");
  }

  bool tagged_head(KORVU_JSON *node, const Header &h) {
    return add_text(node, "type", "TAGGEDTYPE") && add_text(node, "class", class_name(h.tag_class)) &&
           add_number(node, "number", h.tag);
  }

  // Renders the encoding at `pos` (not an end-of-contents), within `limit`,
  // into the empty object `node`; `depth` is the nesting level of the node.
  bool fill(KORVU_JSON *node, size_t &pos, size_t limit, int depth, bool any_checked) {
    if (depth >= limit_) return fail(pos, "nested deeper than " + std::to_string(limit_) + " levels");
    Header h;
    if (!read_header(pos, limit, h, any_checked)) return false;
    if (h.constructed) return constructed(node, h, pos, limit, depth, any_checked);
    pos = h.content() + h.length;
    if (h.tag_class == 0x00) {
      if (!h.form_allowed) return unknown_whole(node, h.start, pos);
      return universal_primitive(node, h);
    }
    // A primitive tagged value: implicit, over an OCTETSTRING of its contents.
    if (depth + 1 >= limit_) return fail(h.start, "nested deeper than " + std::to_string(limit_) + " levels");
    if (!tagged_head(node, h) || !add_bool(node, "implicit", true) || !add_user_defined(node, h, false, false)) {
      return false;
    }
    KORVU_JSON *os = add_object(node, "value");
    return os != nullptr && add_text(os, "type", "OCTETSTRING") &&
           add_hex(os, "value", h.content(), h.content() + h.length);
  }

  const unsigned char *p_;
  size_t n_;
  int limit_;
  std::string error_;
  size_t error_at_ = 0;
  bool oom_ = false;
};

}  // namespace korvu::asn1json

#endif
