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
    Node node = element(pos, n_, 0, true);
    if (!node) return nullptr;
    if (pos != n_) {
      fail(pos, std::to_string(n_ - pos) + " octets follow the encoding");
      return nullptr;
    }
    return node;
  }

  const std::string &error() const { return error_; }
  size_t error_offset() const { return error_at_; }

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
    fail(0, "out of memory");
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
    h = Header();
    h.start = pos;
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

  // ---- building nodes ------------------------------------------------------
  bool add(KORVU_JSON *obj, const char *key, KORVU_JSON *item) {
    if (korvu_json_addobjectitem(obj, key, item) != 1) return fail(0, "out of memory");
    return true;
  }
  bool add(KORVU_JSON *obj, const char *key, Node item) { return add(obj, key, item.release()); }
  bool add_text(KORVU_JSON *obj, const char *key, const std::string &s) {
    return add(obj, key, korvu_json_newstring(s.data(), static_cast<uint32_t>(s.size())));
  }
  bool add_number(KORVU_JSON *obj, const char *key, double v) { return add(obj, key, korvu_json_newnumber(v)); }
  bool add_bool(KORVU_JSON *obj, const char *key, bool v) { return add(obj, key, korvu_json_newboolean(v)); }
  std::string hex_of(size_t from, size_t to) const { return to_hex(p_ + from, to - from); }

  Node typed(const char *type) {
    Node node(korvu_json_newobject());
    if (!node || !add_text(node.get(), "type", type)) return nullptr;
    return node;
  }

  // "user defined" entries of the header octets the typed form cannot say.
  // `raw_length`: contents rendered raw, so "length" is the contents length.
  bool add_user_defined(KORVU_JSON *node, const Header &h, const std::string *content, bool raw_length) {
    bool want_id = !h.minimal_id;
    bool want_len = !h.minimal_len || (content != nullptr && raw_length);
    if (!want_id && !want_len && content == nullptr) return true;
    Node ud(korvu_json_newobject());
    if (!ud) return fail(0, "out of memory");
    if (content != nullptr && !add_text(ud.get(), "content", *content)) return false;
    if (want_id && !add_text(ud.get(), "identifier", hex_of(h.start, h.start + h.id_len))) return false;
    if (want_len) {
      bool ok = h.minimal_len ? add_number(ud.get(), "length", h.length)
                              : add_text(ud.get(), "length", hex_of(h.start + h.id_len, h.content()));
      if (!ok) return false;
    }
    return add(node, "user defined", std::move(ud));
  }

  // A value of a named kind whose contents are kept as raw octets.
  Node raw_node(const char *type, const Header &h, bool with_length = true) {
    Node node = typed(type);
    std::string content = hex_of(h.content(), h.content() + h.length);
    if (!node || !add_user_defined(node.get(), h, &content, with_length)) return nullptr;
    return node;
  }

  // "UNKNOWN" carrying the octets [from, to) whole.
  Node unknown_whole(size_t from, size_t to) {
    Node node = typed("UNKNOWN");
    Node ud(korvu_json_newobject());
    if (!node || !ud) return oom();
    if (!add_text(ud.get(), "content", hex_of(from, to)) || !add_text(ud.get(), "identifier", "") ||
        !add_text(ud.get(), "length", "") || !add(node.get(), "user defined", std::move(ud)))
      return nullptr;
    return node;
  }

  // Finishes a typed node: "user defined" header octets, then "value".
  Node with_value(Node node, const Header &h, KORVU_JSON *value) {
    if (!node) {
      korvu_json_free(value);
      return nullptr;
    }
    if (!add_user_defined(node.get(), h, nullptr, false)) {
      korvu_json_free(value);
      return nullptr;
    }
    if (value != nullptr && !add(node.get(), "value", value)) return nullptr;
    return node;
  }

  // ---- universal primitive values -------------------------------------------
  Node integer(const char *type, const Header &h) {
    const unsigned char *c = p_ + h.content();
    uint32_t n = h.length;
    if (n == 0 || (n >= 2 && ((c[0] == 0x00 && c[1] < 0x80) || (c[0] == 0xFF && c[1] >= 0x80)))) {
      return raw_node(type, h);
    }
    if (n <= 4) {
      // A minimal encoding of at most 4 octets is a signed 32-bit number.
      int64_t v = (c[0] & 0x80) ? -1 : 0;
      for (uint32_t i = 0; i < n; i++) v = v * 256 + c[i];
      return with_value(typed(type), h, korvu_json_newnumber(static_cast<double>(v)));
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
    return with_value(typed(type), h, korvu_json_newstring(text.data(), static_cast<uint32_t>(text.size())));
  }

  // Dotted text of OID contents when it can be printed and reads back to the
  // same octets.
  bool oid_text(const Header &h, bool relative, std::string &text) {
    Bytes tlv;
    append_identifier(tlv, 0, false, relative ? 13 : 6);
    append_length(tlv, h.length);
    tlv.insert(tlv.end(), p_ + h.content(), p_ + h.content() + h.length);
    const uint32_t type = relative ? 90 : 6;
    void *value = nullptr;
    uint32_t used = korvu_asn1_mem_decode(tlv.data(), static_cast<int32_t>(tlv.size()), type, &value);
    if (used != tlv.size() || value == nullptr) {
      if (value != nullptr) korvu_asn1_value_free(type, value);
      return false;
    }
    const auto *oid = static_cast<const KORVU_ASN1_OID *>(value);
    const char *s = relative ? korvu_asn1_relative_oid_getstring(oid) : korvu_asn1_oid_getstring(oid);
    bool ok = false;
    if (s != nullptr) {
      text = s;
      KORVU_ASN1_OID *back = relative ? korvu_asn1_relative_oid_new(s) : korvu_asn1_oid_new(s);
      ok = back != nullptr && back->length == h.length &&
           (h.length == 0 || std::memcmp(back->data, p_ + h.content(), h.length) == 0);
      if (back != nullptr) korvu_asn1_value_free(type, back);
    }
    korvu_asn1_value_free(type, value);
    return ok;
  }

  // A time is shown as text only when the time types accept it.
  bool time_ok(const Header &h) {
    Bytes tlv;
    append_identifier(tlv, 0, false, h.tag);
    append_length(tlv, h.length);
    tlv.insert(tlv.end(), p_ + h.content(), p_ + h.content() + h.length);
    const uint32_t type = h.tag == 23 ? 21 : 22;
    void *value = nullptr;
    uint32_t used = korvu_asn1_mem_decode(tlv.data(), static_cast<int32_t>(tlv.size()), type, &value);
    if (value != nullptr) korvu_asn1_value_free(type, value);
    return used == tlv.size();
  }

  Node text_node(const char *type, const Header &h, const unsigned char *s, size_t n) {
    KORVU_JSON *str = korvu_json_newstring(reinterpret_cast<const char *>(s), static_cast<uint32_t>(n));
    if (str == nullptr) return raw_node(type, h);  // not valid UTF-8
    return with_value(typed(type), h, str);
  }

  Node hex_node(const char *type, const Header &h, size_t from) {
    std::string hex = hex_of(from, h.content() + h.length);
    return with_value(typed(type), h, korvu_json_newstring(hex.data(), static_cast<uint32_t>(hex.size())));
  }

  Node universal_primitive(const Header &h) {
    const unsigned char *c = p_ + h.content();
    const uint32_t n = h.length;
    const char *name = universal_name(h.tag);
    switch (h.tag) {
      case 1:
        if (n == 1 && (c[0] == 0xFF || c[0] == 0x00)) {
          return with_value(typed(name), h, korvu_json_newboolean(c[0] == 0xFF));
        }
        return raw_node(name, h, n != 1);
      case 2:
      case 10:
        return integer(name, h);
      case 3: {
        if (n == 0 || c[0] > 7 || (c[0] != 0 && n == 1)) return raw_node(name, h);
        Node v(korvu_json_newobject());
        std::string hex = hex_of(h.content() + 1, h.content() + n);
        if (!v || !add_number(v.get(), "unused bits", c[0]) || !add_text(v.get(), "value", hex)) return nullptr;
        return with_value(typed(name), h, v.release());
      }
      case 4:
      case 20:
      case 21:
      case 25:
      case 27:
        return hex_node(name, h, h.content());
      case 5:
        if (n != 0) return raw_node(name, h);
        return with_value(typed(name), h, nullptr);
      case 6:
      case 13: {
        std::string text;
        if (!oid_text(h, h.tag == 13, text)) return raw_node(name, h);
        return with_value(typed(name), h, korvu_json_newstring(text.data(), static_cast<uint32_t>(text.size())));
      }
      case 12:
      case 18:
      case 19:
      case 22:
      case 26:
        return text_node(name, h, c, n);
      case 23:
      case 24:
        if (!time_ok(h)) return raw_node(name, h);
        return text_node(name, h, c, n);
      case 28:
      case 30: {
        KORVU_USTRING *u = h.tag == 28 ? korvu_ustring_newutf32be(c, n) : korvu_ustring_newbmp(c, n);
        unsigned char *utf8 = nullptr;
        uint32_t len = 0;
        int ok = u != nullptr ? korvu_ustring_toutf8(u, &utf8, &len) : 0;
        korvu_ustring_free(u);
        if (ok != 1) return raw_node(name, h);
        Node node = text_node(name, h, utf8, len);
        korvu_free(utf8);
        return node;
      }
      default:  // no typed rendering (REAL, TIME, ...): the whole encoding
        return unknown_whole(h.start, h.content() + n);
    }
  }

  // ---- constructed values -----------------------------------------------
  // Renders the elements of a constructed encoding whose header is `h` and
  // moves `pos` past its contents (and end-of-contents). An indefinite
  // length runs to its end-of-contents, within `limit`. `has_eoc` tells
  // whether some element is an end-of-contents marker met inside definite
  // contents (kept as octets: it closes nothing there).
  bool elements(const Header &h, size_t &pos, size_t limit, int depth, bool any_checked, std::vector<Node> &items,
                bool &has_eoc) {
    has_eoc = false;
    pos = h.content();
    const size_t end = h.indefinite ? limit : h.content() + h.length;
    for (;;) {
      if (h.indefinite) {
        if (pos >= end) return fail(pos, "end-of-contents octets missing");
        if (is_eoc(pos, end)) return read_eoc(pos, end);
      } else if (pos == end) {
        return true;
      }
      Node item;
      if (is_eoc(pos, end) && pos + 1 < end && p_[pos + 1] == 0x00) {
        size_t at = pos;
        if (!read_eoc(pos, end)) return false;
        item = unknown_whole(at, pos);
        has_eoc = true;
      } else {
        item = element(pos, end, depth, any_checked && h.indefinite);
      }
      if (!item) return false;
      items.push_back(std::move(item));
    }
  }

  Node array_of(std::vector<Node> &items) {
    Node array(korvu_json_newarray());
    if (!array) return oom();
    for (Node &item : items) {
      if (korvu_json_addarrayitem(array.get(), item.release()) != 1) return oom();
    }
    return array;
  }

  Node constructed(const Header &h, size_t &pos, size_t limit, int depth, bool any_checked) {
    std::vector<Node> items;
    bool has_eoc = false;
    const bool tagged = h.tag_class != 0x00;
    if (tagged && depth + 1 >= limit_) {
      fail(h.start, "nested deeper than " + std::to_string(limit_) + " levels");
      return nullptr;
    }
    // Elements of a tagged value may sit under an implicit SEQUENCE node, one
    // level further down, so they are counted two levels down.
    if (!elements(h, pos, limit, depth + (tagged ? 2 : 1), any_checked, items, has_eoc)) return nullptr;
    if (!tagged) {
      const char *name = h.form_allowed ? universal_name(h.tag) : nullptr;
      Node node = typed(name != nullptr ? name : "UNKNOWN");
      if (!node) return nullptr;
      if (h.tag != 16 && h.tag != 17 && !add_bool(node.get(), "constructed", true)) return nullptr;
      if (h.indefinite && !add_bool(node.get(), "indefinite", true)) return nullptr;
      Header hh = h;
      if (name == nullptr) hh.minimal_id = false;  // "identifier" names the tag
      Node array = array_of(items);
      if (!array) return nullptr;
      return with_value(std::move(node), hh, array.release());
    }
    Node node = tagged_head(h);
    if (!node) return nullptr;
    const bool explicit_tag = items.size() == 1 && !has_eoc;
    if (!add_bool(node.get(), "implicit", !explicit_tag)) return nullptr;
    if (h.indefinite && !add_bool(node.get(), "indefinite", true)) return nullptr;
    if (explicit_tag) return with_value(std::move(node), h, items[0].release());
    Node seq = typed("SEQUENCE");
    Node array = array_of(items);
    if (!seq || !array || !add(seq.get(), "value", array.release())) return nullptr;
    return with_value(std::move(node), h, seq.release());
  }

  Node tagged_head(const Header &h) {
    Node node = typed("TAGGEDTYPE");
    if (!node || !add_text(node.get(), "class", class_name(h.tag_class)) ||
        !add_number(node.get(), "number", h.tag))
      return nullptr;
    return node;
  }

  // One encoding at `pos` (not an end-of-contents), within `limit`; `depth`
  // is the nesting level of the JSON node it becomes.
  Node element(size_t &pos, size_t limit, int depth, bool any_checked) {
    if (depth >= limit_) {
      fail(pos, "nested deeper than " + std::to_string(limit_) + " levels");
      return nullptr;
    }
    Header h;
    if (!read_header(pos, limit, h, any_checked)) return nullptr;
    if (h.constructed) return constructed(h, pos, limit, depth, any_checked);
    pos = h.content() + h.length;
    if (h.tag_class == 0x00) {
      if (!h.form_allowed) return unknown_whole(h.start, pos);
      return universal_primitive(h);
    }
    // A primitive tagged value: implicit, over an OCTETSTRING of its contents.
    if (depth + 1 >= limit_) {
      fail(h.start, "nested deeper than " + std::to_string(limit_) + " levels");
      return nullptr;
    }
    Node node = tagged_head(h);
    if (!node || !add_bool(node.get(), "implicit", true)) return nullptr;
    Node os = typed("OCTETSTRING");
    if (!os || !add_text(os.get(), "value", hex_of(h.content(), h.content() + h.length))) return nullptr;
    return with_value(std::move(node), h, os.release());
  }

  const unsigned char *p_;
  size_t n_;
  int limit_;
  std::string error_;
  size_t error_at_ = 0;
};

}  // namespace korvu::asn1json

#endif
