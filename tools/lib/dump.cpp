#include "dump.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/util.h"

namespace korvu::tool {

namespace {

// Deepest nesting shown; deeper input is refused as malformed.
constexpr int kMaxDepth = 64;
// Hexadecimal contents: octets per line, and the most shown.
constexpr size_t kHexPerLine = 16;
constexpr size_t kHexShown = 64;
// Text held in an OCTET STRING: the most characters shown.
constexpr size_t kTextShown = 64;
// Values up to this many octets print on the element's line.
constexpr size_t kInlineHex = 16;

const char *const kUniversalNames[31] = {
    "end-of-contents", "BOOLEAN",         "INTEGER",         "BIT STRING",     "OCTET STRING",
    "NULL",            "OBJECT IDENTIFIER", "ObjectDescriptor", "EXTERNAL",     "REAL",
    "ENUMERATED",      "EMBEDDED PDV",    "UTF8String",      "RELATIVE-OID",   "TIME",
    nullptr,           "SEQUENCE",        "SET",             "NumericString",  "PrintableString",
    "TeletexString",   "VideotexString",  "IA5String",       "UTCTime",        "GeneralizedTime",
    "GraphicString",   "VisibleString",   "GeneralString",   "UniversalString", "CHARACTER STRING",
    "BMPString"};

// One identifier and length, as read.
struct Header {
  size_t offset = 0;      // first identifier octet
  size_t header = 0;      // identifier and length octets
  unsigned cls = 0;       // 0x00, 0x40, 0x80, 0xC0
  bool constructed = false;
  uint32_t tag = 0;
  bool indefinite = false;
  size_t length = 0;      // contents octets (definite form)
  bool long_tag_short = false;  // a tag below 31 in the long form, or a 0x80 first tag octet
  bool long_length = false;     // more length octets than needed
  size_t length_at = 0;         // first length octet
  bool cut = false;             // the contents run past the end: only `end - contents` octets are there
};

struct Reader {
  const unsigned char *data;
  std::string *out;  // null: only check
  DumpResult result;

  bool fail(size_t at, const std::string &why) {
    if (result.ok) {
      result.ok = false;
      result.error_offset = at;
      result.error = why;
    }
    return false;
  }

  // Reads an identifier and length at `pos`, below `end`.
  bool header(size_t pos, size_t end, Header &h) {
    h = Header{};
    h.offset = pos;
    if (pos >= end) return fail(pos, "identifier octets missing");
    const unsigned char first = data[pos++];
    h.cls = first & 0xC0u;
    h.constructed = (first & 0x20u) != 0;
    h.tag = first & 0x1Fu;
    if (h.tag == 0x1F) {
      h.tag = 0;
      if (pos < end && data[pos] == 0x80) h.long_tag_short = true;
      size_t groups = 0;
      while (true) {
        if (pos >= end) return fail(pos, "identifier octets cut short");
        const unsigned char b = data[pos++];
        if (++groups > 4) return fail(pos - 1, "tag number too large");
        h.tag = (h.tag << 7) | (b & 0x7Fu);
        if ((b & 0x80) == 0) break;
      }
      if (h.tag < 31) h.long_tag_short = true;
    }
    if (pos >= end) return fail(pos, "length octets missing");
    h.length_at = pos;
    const unsigned char l = data[pos++];
    if (l == 0x80) {
      if (!h.constructed) return fail(pos - 1, "indefinite length in a primitive encoding");
      h.indefinite = true;
    } else if (l < 0x80) {
      h.length = l;
    } else {
      const size_t n = l & 0x7Fu;
      if (l == 0xFF) return fail(pos - 1, "length octet FF is reserved");
      if (n > 4) return fail(pos - 1, "length of " + std::to_string(n) + " octets is too large");
      if (end - pos < n) return fail(pos, "length octets cut short");
      for (size_t i = 0; i < n; i++) h.length = (h.length << 8) | data[pos++];
      h.long_length = h.length < 0x80 || data[pos - n] == 0;
    }
    h.header = pos - h.offset;
    if (!h.indefinite && h.length > end - pos) {
      // The element is still shown, with what is there of it; the fault is
      // its length octets (the offset korvu_asn1_decode_diag gives too).
      fail(h.length_at, "contents of " + std::to_string(h.length) + " octets run past the end (" +
                            std::to_string(end - pos) + " left)");
      h.cut = true;
    }
    return true;
  }

  void line(const Header &h, int depth, const std::string &text) {
    if (out == nullptr) return;
    char head[48];
    char length[16];
    if (h.indefinite) std::snprintf(length, sizeof length, "inf");
    else std::snprintf(length, sizeof length, "%zu", h.length);
    std::snprintf(head, sizeof head, "%6zu %2zu %6s: ", h.offset, h.header, length);
    *out += head;
    out->append(2 * static_cast<size_t>(depth), ' ');
    *out += text;
    if (h.long_tag_short) *out += " (non-minimal identifier)";
    if (h.long_length) *out += " (non-minimal length)";
    *out += "\n";
  }

  // Lines of hexadecimal under an element.
  void hex_lines(const unsigned char *p, size_t n, int depth) {
    if (out == nullptr) return;
    const size_t shown = n < kHexShown ? n : kHexShown;
    for (size_t i = 0; i < shown; i += kHexPerLine) {
      out->append(18 + 2 * static_cast<size_t>(depth), ' ');
      for (size_t k = i; k < shown && k < i + kHexPerLine; k++) {
        char b[4];
        std::snprintf(b, sizeof b, k == i ? "%02X" : " %02X", p[k]);
        *out += b;
      }
      *out += "\n";
    }
    if (shown < n) {
      out->append(18 + 2 * static_cast<size_t>(depth), ' ');
      out->append("[").append(std::to_string(n - shown)).append(n - shown == 1 ? " more octet]\n" : " more octets]\n");
    }
  }

  // Elements of data[pos, end); with `until_eoc`, up to and with an
  // end-of-contents, whose end is stored in *stop.
  bool elements(size_t pos, size_t end, int depth, bool until_eoc, size_t *stop) {
    while (pos < end) {
      Header h;
      if (!header(pos, end, h)) return false;
      if (h.cut) return cut_short(h, end, depth);
      if (h.cls == 0 && h.tag == 0 && !h.constructed) {
        if (!until_eoc) return fail(h.offset, "end-of-contents outside an indefinite length");
        if (h.indefinite || h.length != 0) return fail(h.offset + 1, "end-of-contents with a non-zero length");
        line(h, depth, "end-of-contents");
        *stop = h.offset + h.header;
        return true;
      }
      if (!element(h, end, depth, &pos)) return false;
    }
    if (until_eoc) return fail(end, "end-of-contents missing");
    return true;
  }

  // An element whose contents run past the end: its line, and for a
  // constructed one the elements that are there (their own faults are not
  // reported: the first fault stands).
  bool cut_short(const Header &h, size_t end, int depth) {
    if (out == nullptr) return false;
    const size_t start = h.offset + h.header;
    line(h, depth, tag_name(h) + " (cut short: " + std::to_string(end - start) + " of " + std::to_string(h.length) +
                       " octets present)");
    if (h.constructed && depth + 1 < kMaxDepth) elements(start, end, depth + 1, false, nullptr);
    return false;
  }

  // One element whose header is read; *next receives the end of it.
  bool element(const Header &h, size_t end, int depth, size_t *next) {
    if (depth >= kMaxDepth) return fail(h.offset, "nested deeper than " + std::to_string(kMaxDepth) + " levels");
    const size_t start = h.offset + h.header;
    std::string name = tag_name(h);
    if (h.constructed) {
      line(h, depth, name);
      if (h.indefinite) return elements(start, end, depth + 1, true, next);
      if (!elements(start, start + h.length, depth + 1, false, nullptr)) return false;
      *next = start + h.length;
      return true;
    }
    *next = start + h.length;
    primitive(h, name, depth);
    return true;
  }

  std::string tag_name(const Header &h) const {
    if (h.cls == 0x00 && h.tag < 31 && kUniversalNames[h.tag] != nullptr) return kUniversalNames[h.tag];
    if (h.cls == 0x00) return "[UNIVERSAL " + std::to_string(h.tag) + "]";
    if (h.cls == 0x40) return "[APPLICATION " + std::to_string(h.tag) + "]";
    if (h.cls == 0x80) return std::string("[").append(std::to_string(h.tag)).append("]");
    return "[PRIVATE " + std::to_string(h.tag) + "]";
  }

  // True when p[0, n) is exactly one well-formed element.
  bool one_encoding(size_t from, size_t n, int depth) const {
    if (n < 2 || depth + 1 >= kMaxDepth) return false;
    Reader check{data, nullptr, {}};
    Header h;
    if (!check.header(from, from + n, h) || h.cut) return false;
    if (h.cls == 0 && h.tag == 0) return false;
    size_t next = 0;
    if (!check.element(h, from + n, depth + 1, &next)) return false;
    return next == from + n;
  }

  static std::string quoted(const unsigned char *p, size_t n, bool utf8) {
    std::string s = "'";
    for (size_t i = 0; i < n; i++) {
      const unsigned char c = p[i];
      if ((c >= 0x20 && c < 0x7F && c != '\\' && c != '\'') || (utf8 && c >= 0x80)) {
        s += static_cast<char>(c);
      } else {
        char b[8];
        std::snprintf(b, sizeof b, "\\x%02X", c);
        s += b;
      }
    }
    return s + "'";
  }

  static std::string hex(const unsigned char *p, size_t n) {
    std::string s;
    char b[4];
    for (size_t i = 0; i < n; i++) {
      std::snprintf(b, sizeof b, "%02X", p[i]);
      s += b;
    }
    return s;
  }

  // Contents that read as text: printable ASCII (blanks, tabs and line
  // breaks allowed), at least 4 characters, mostly letters and digits.
  static bool printable_text(const unsigned char *p, size_t n) {
    if (n < 4) return false;
    size_t alnum = 0;
    for (size_t i = 0; i < n; i++) {
      const unsigned char c = p[i];
      if (!((c >= 0x20 && c < 0x7F) || c == '\t' || c == '\r' || c == '\n')) return false;
      if ((c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z')) alnum++;
    }
    return alnum * 2 >= n;
  }

  // " (2026-12-06T08:17:11Z)" for a time the library reads, else "".
  static std::string iso_time(unsigned tag, const unsigned char *p, size_t n) {
    if (n > 64) return "";
    unsigned char der[66];
    der[0] = static_cast<unsigned char>(tag);
    der[1] = static_cast<unsigned char>(n);
    std::memcpy(der + 2, p, n);
    void *t = nullptr;
    const uint32_t type = tag == 23 ? KORVU_TYPE_UTCTIME : KORVU_TYPE_GENERALIZEDTIME;
    std::string text;
    if (korvu_asn1_mem_decode(der, static_cast<int32_t>(n + 2), type, &t) == n + 2) {
      char *iso = korvu_asn1_time_toiso8601(static_cast<KORVU_ASN1_TIME *>(t));
      if (iso != nullptr) text = std::string(" (") + iso + ")";
      korvu_free(iso);
    }
    korvu_asn1_value_free(type, t);
    return text;
  }

  static bool valid_utf8(const unsigned char *p, size_t n) {
    KORVU_USTRING *u = korvu_ustring_newutf8(p, static_cast<uint32_t>(n));
    korvu_ustring_free(u);
    return u != nullptr;
  }

  // BMPString and UniversalString as UTF-8 text, or "" when they don't convert.
  static bool wide_text(const unsigned char *p, size_t n, bool bmp, std::string &text) {
    KORVU_USTRING *u = bmp ? korvu_ustring_newbmp(p, static_cast<uint32_t>(n))
                           : korvu_ustring_newutf32be(p, static_cast<uint32_t>(n));
    unsigned char *utf8 = nullptr;
    uint32_t length = 0;
    const bool ok = u != nullptr && korvu_ustring_toutf8(u, &utf8, &length) == 1;
    if (ok) text = quoted(utf8, length, true);
    korvu_free(utf8);
    korvu_ustring_free(u);
    return ok;
  }

  // The value of a primitive element, on its line or under it.
  void primitive(const Header &h, const std::string &name, int depth) {
    const size_t start = h.offset + h.header;
    const unsigned char *p = data + start;
    const size_t n = h.length;
    auto with_hex = [&](std::string text) {
      if (n <= kInlineHex) {
        if (n != 0) text.append(" ").append(hex(p, n));
        line(h, depth, text);
      } else {
        line(h, depth, text);
        hex_lines(p, n, depth + 1);
      }
    };
    if (h.cls != 0x00) {
      // Implicitly tagged: text when it reads as text, else hexadecimal.
      bool text = n != 0;
      for (size_t i = 0; i < n; i++) text = text && p[i] >= 0x20 && p[i] < 0x7F;
      if (text) line(h, depth, name + " " + quoted(p, n, false));
      else with_hex(name);
      return;
    }
    switch (h.tag) {
      case 1:
        if (n != 1) return with_hex(name + " (not one octet)");
        if (p[0] == 0x00) return line(h, depth, name + " FALSE");
        if (p[0] == 0xFF) return line(h, depth, name + " TRUE");
        return line(h, depth, name + " TRUE (" + hex(p, 1) + ", not DER)");
      case 2:
      case 10: {
        if (n == 0) return line(h, depth, name + " (no contents octets)");
        const bool padded = n > 1 && ((p[0] == 0x00 && p[1] < 0x80) || (p[0] == 0xFF && p[1] >= 0x80));
        const std::string mark = padded ? " (non-minimal)" : "";
        if (n <= 8) {
          int64_t v = (p[0] & 0x80) ? -1 : 0;
          for (size_t i = 0; i < n; i++) v = static_cast<int64_t>(static_cast<uint64_t>(v) << 8 | p[i]);
          return line(h, depth, name + " " + std::to_string(v) + mark);
        }
        if (n <= 32) return line(h, depth, name + " 0x" + hex(p, n) + mark);
        line(h, depth, name + mark);
        return hex_lines(p, n, depth + 1);
      }
      case 3: {
        if (n == 0) return line(h, depth, name + " (no unused-bits octet)");
        const std::string text = name + ", " + std::to_string(p[0]) + " unused bits";
        if (p[0] == 0 && one_encoding(start + 1, n - 1, depth)) {
          line(h, depth, text + ", encapsulates");
          size_t next = 0;
          Header inner;
          header(start + 1, start + n, inner);
          element(inner, start + n, depth + 1, &next);
          return;
        }
        if (n - 1 <= kInlineHex) {
          std::string shown = text;
          if (n > 1) shown.append(" ").append(hex(p + 1, n - 1));
          return line(h, depth, shown);
        }
        line(h, depth, text);
        return hex_lines(p + 1, n - 1, depth + 1);
      }
      case 4:
        if (one_encoding(start, n, depth)) {
          line(h, depth, name + ", encapsulates");
          size_t next = 0;
          Header inner;
          header(start, start + n, inner);
          element(inner, start + n, depth + 1, &next);
          return;
        }
        if (printable_text(p, n)) {
          if (n <= kTextShown) return line(h, depth, name + " " + quoted(p, n, false));
          return line(h, depth, name + " " + quoted(p, kTextShown, false) + " ... (" + std::to_string(n) + " octets of text)");
        }
        return with_hex(name);
      case 5:
        return line(h, depth, n == 0 ? name : name + " (with " + std::to_string(n) + " contents octets)");
      case 6:
      case 13: {
        KORVU_ASN1_OID *oid = nullptr;
        std::string text;
        // The library reads the contents octets; a failure is shown as hex.
        std::string der;
        der += static_cast<char>(h.tag);
        unsigned char length[5];
        size_t ln = 0;
        if (n < 0x80) {
          length[ln++] = static_cast<unsigned char>(n);
        } else {
          size_t k = 0;
          for (size_t v = n; v != 0; v >>= 8) k++;
          length[ln++] = static_cast<unsigned char>(0x80 | k);
          for (size_t i = k; i-- > 0;) length[ln++] = static_cast<unsigned char>(n >> (8 * i));
        }
        der.append(reinterpret_cast<const char *>(length), ln);
        der.append(reinterpret_cast<const char *>(p), n);
        const uint32_t type = h.tag == 6 ? KORVU_TYPE_OBJECT_IDENTIFIER : KORVU_TYPE_RELATIVE_OID;
        if (korvu_asn1_mem_decode(der.data(), static_cast<int32_t>(der.size()), type, reinterpret_cast<void **>(&oid)) ==
                der.size() &&
            oid != nullptr) {
          text = name + " " + oid->text;
          const char *known = h.tag == 6 ? oid_name(oid->text) : nullptr;
          if (known != nullptr) text += std::string(" (") + known + ")";
        }
        korvu_asn1_value_free(type, oid);
        if (text.empty()) return with_hex(name + " (malformed)");
        return line(h, depth, text);
      }
      case 12:
        if (valid_utf8(p, n)) return line(h, depth, name + " " + quoted(p, n, true));
        return with_hex(name + " (not UTF-8)");
      case 18:
      case 19:
      case 20:
      case 21:
      case 22:
      case 23:
      case 24:
      case 25:
      case 26:
      case 27:
        if (h.tag == 23 || h.tag == 24) return line(h, depth, name + " " + quoted(p, n, false) + iso_time(h.tag, p, n));
        return line(h, depth, name + " " + quoted(p, n, false));
      case 28:
      case 30: {
        std::string text;
        if (wide_text(p, n, h.tag == 30, text)) return line(h, depth, name + " " + text);
        return with_hex(name + " (does not convert)");
      }
      default:
        return with_hex(name);
    }
  }
};

}  // namespace

namespace {

// dumpasn1's table of object identifiers, when Debian's dumpasn1 is
// installed: "OID = 06 03 55 04 03" lines, each followed by
// "Description = name". Read once, on the first name the library lacks.
class DumpasnNames {
 public:
  DumpasnNames() {
    std::FILE *f = std::fopen(kPath, "r");
    if (f == nullptr) return;
    char line[1024];
    std::string dotted;
    while (std::fgets(line, sizeof line, f) != nullptr) {
      std::string text(line);
      while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
      if (text.rfind("OID = ", 0) == 0) {
        dotted = dotted_of(text.substr(6));
      } else if (text.rfind("Description = ", 0) == 0 && !dotted.empty()) {
        names_.emplace(dotted, text.substr(14));
        dotted.clear();
      }
    }
    std::fclose(f);
  }
  const char *find(const std::string &dotted) const {
    auto it = names_.find(dotted);
    return it != names_.end() ? it->second.c_str() : nullptr;
  }

 private:
  static constexpr const char *kPath = "/etc/dumpasn1/dumpasn1.cfg";

  // The dotted text of an encoding given as hex pairs ("06 03 55 04 03").
  static std::string dotted_of(const std::string &hex_pairs) {
    std::vector<unsigned char> der;
    unsigned value = 0;
    int digits = 0;
    for (char c : hex_pairs) {
      const int v = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (v < 0) continue;
      value = value << 4 | static_cast<unsigned>(v);
      if (++digits == 2) {
        der.push_back(static_cast<unsigned char>(value));
        value = 0;
        digits = 0;
      }
    }
    void *oid = nullptr;
    std::string out;
    if (!der.empty() && korvu_asn1_mem_decode(der.data(), static_cast<int32_t>(der.size()), KORVU_TYPE_OBJECT_IDENTIFIER,
                                              &oid) == der.size()) {
      const char *text = korvu_asn1_oid_getstring(static_cast<KORVU_ASN1_OID *>(oid));
      if (text != nullptr) out = text;
    }
    korvu_asn1_value_free(KORVU_TYPE_OBJECT_IDENTIFIER, oid);
    return out;
  }

  std::map<std::string, std::string> names_;
};

}  // namespace

const char *oid_name(const char *dotted) {
  if (dotted == nullptr) return nullptr;
  if (const char *name = korvu_asn1_oid_name(dotted)) return name;
  static const DumpasnNames kDumpasn;  // built once, then only read
  return kDumpasn.find(dotted);
}

DumpResult dump(const unsigned char *data, size_t size, std::string &out) {
  Reader r{data, &out, {}};
  if (size == 0) {
    r.fail(0, "no octets");
    return r.result;
  }
  r.elements(0, size, 0, false, nullptr);
  return r.result;
}

}  // namespace korvu::tool
