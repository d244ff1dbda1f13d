// korvu_x500name_totext: a Name as RFC 4514 text, read from its DER.
#include <cstring>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"

#define KORVU_SRC "KORVU_ASN1_X509"

namespace {

struct Tlv {
  unsigned char tag = 0;
  size_t start = 0;  // first identifier octet
  size_t body = 0;   // first contents octet
  size_t end = 0;    // octet after the contents
};

// One definite-length TLV with a one-octet identifier at `pos`, below `limit`
// (the encoding of a Name is DER, as the encoder writes it).
bool read_tlv(const unsigned char *b, size_t pos, size_t limit, Tlv &t) {
  if (limit < 2 || pos > limit - 2) return false;
  t.tag = b[pos];
  t.start = pos;
  size_t p = pos + 2, len = b[pos + 1];
  if (len & 0x80u) {
    const size_t n = len & 0x7Fu;
    if (n == 0 || n > 4 || n > limit - p) return false;
    len = 0;
    for (size_t i = 0; i < n; i++) len = len << 8 | b[p++];
  }
  if (len > limit - p) return false;
  t.body = p;
  t.end = p + len;
  return true;
}

const char *short_name(const char *dotted) {
  static const struct {
    const char *oid, *name;
  } kNames[] = {
      // RFC 4514 section 3
      {"2.5.4.3", "CN"}, {"2.5.4.7", "L"}, {"2.5.4.8", "ST"}, {"2.5.4.10", "O"}, {"2.5.4.11", "OU"},
      {"2.5.4.6", "C"}, {"2.5.4.9", "STREET"}, {"0.9.2342.19200300.100.1.25", "DC"},
      {"0.9.2342.19200300.100.1.1", "UID"},
      // RFC 4519 and PKCS #9 names in common use
      {"2.5.4.4", "SN"}, {"2.5.4.5", "serialNumber"}, {"2.5.4.12", "title"}, {"2.5.4.42", "GN"},
      {"2.5.4.43", "initials"}, {"2.5.4.44", "generationQualifier"}, {"2.5.4.46", "dnQualifier"},
      {"2.5.4.15", "businessCategory"}, {"2.5.4.17", "postalCode"}, {"2.5.4.65", "pseudonym"},
      {"2.5.4.97", "organizationIdentifier"}, {"1.2.840.113549.1.9.1", "emailAddress"},
  };
  for (const auto &n : kNames)
    if (std::strcmp(dotted, n.oid) == 0) return n.name;
  return nullptr;
}

void put_hex(std::string &out, const unsigned char *p, size_t n, const char *before) {
  static const char kDigits[] = "0123456789ABCDEF";
  for (size_t i = 0; i < n; i++) {
    out += before;
    out += kDigits[p[i] >> 4];
    out += kDigits[p[i] & 15];
  }
}

void put_utf8(std::vector<uint32_t> &chars, uint32_t c) { chars.push_back(c); }

// Decodes the characters of a string value; false when the octets are not
// text of their type (then the value is written in hex).
bool characters(const unsigned char *p, size_t n, unsigned char tag, std::vector<uint32_t> &chars) {
  switch (tag) {
    case 0x13: case 0x16: case 0x12: case 0x1A: case 0x14:  // Printable, IA5, Numeric, Visible, Teletex (Latin-1)
      for (size_t i = 0; i < n; i++) put_utf8(chars, p[i]);
      return true;
    case 0x0C:  // UTF8String
      for (size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 9;
        if (extra == 9 || extra > n - i - 1) return false;
        uint32_t v = extra == 0 ? c : c & (0x3Fu >> extra);
        for (size_t k = 1; k <= extra; k++) {
          if ((p[i + k] & 0xC0) != 0x80) return false;
          v = v << 6 | (p[i + k] & 0x3Fu);
        }
        if ((extra == 1 && v < 0x80) || (extra == 2 && v < 0x800) || (extra == 3 && (v < 0x10000 || v > 0x10FFFF)) ||
            (v >= 0xD800 && v <= 0xDFFF))
          return false;
        put_utf8(chars, v);
        i += extra + 1;
      }
      return true;
    case 0x1E:  // BMPString
      if (n % 2 != 0) return false;
      for (size_t i = 0; i < n; i += 2) put_utf8(chars, static_cast<uint32_t>(p[i] << 8 | p[i + 1]));
      return true;
    case 0x1C:  // UniversalString
      if (n % 4 != 0) return false;
      for (size_t i = 0; i < n; i += 4) {
        const uint32_t v = static_cast<uint32_t>(p[i]) << 24 | static_cast<uint32_t>(p[i + 1]) << 16 |
                           static_cast<uint32_t>(p[i + 2]) << 8 | p[i + 3];
        if (v > 0x10FFFF) return false;
        put_utf8(chars, v);
      }
      return true;
    default:
      return false;
  }
}

// RFC 4514 section 2.4: the characters of a string value, escaped.
void put_string(std::string &out, const std::vector<uint32_t> &chars) {
  for (size_t i = 0; i < chars.size(); i++) {
    const uint32_t c = chars[i];
    if (c == '"' || c == '+' || c == ',' || c == ';' || c == '<' || c == '>' || c == '\\' ||
        (i == 0 && (c == ' ' || c == '#')) || (i + 1 == chars.size() && c == ' ')) {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      const unsigned char octet = static_cast<unsigned char>(c);
      put_hex(out, &octet, 1, "\\");
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

// One AttributeTypeAndValue SEQUENCE.
bool put_attribute(std::string &out, const unsigned char *b, const Tlv &atv) {
  Tlv type, value;
  if (atv.tag != 0x30 || !read_tlv(b, atv.body, atv.end, type) || type.tag != 0x06 ||
      !read_tlv(b, type.end, atv.end, value))
    return false;
  korvu::Value oid(KORVU_TYPE_OBJECT_IDENTIFIER);
  const uint32_t n = static_cast<uint32_t>(type.end - type.start);
  if (korvu_asn1_mem_decode(b + type.start, static_cast<int32_t>(n), oid.type(), oid.out()) != n) return false;
  const char *dotted = korvu_asn1_oid_getstring(oid.as<KORVU_ASN1_OID>());
  if (dotted == nullptr) return false;
  const char *name = short_name(dotted);
  out += name != nullptr ? name : dotted;
  out += '=';
  std::vector<uint32_t> chars;
  if (characters(b + value.body, value.end - value.body, value.tag, chars)) {
    put_string(out, chars);
  } else {
    out += '#';
    put_hex(out, b + value.start, value.end - value.start, "");
  }
  return true;
}

}  // namespace

KORVU_API char *korvu_x500name_totext(const KORVU_X500_NAME *name) {
  if (name == nullptr) return nullptr;
  korvu::BlobHolder der(korvu_asn1_mem_encode(KORVU_TYPE_NAME, name));
  if (!der) return nullptr;
  const unsigned char *b = der->data;
  const size_t size = der->length;
  Tlv outer;
  if (!read_tlv(b, 0, size, outer) || outer.tag != 0x30) return nullptr;
  std::vector<std::string> rdns;
  for (size_t pos = outer.body; pos < outer.end;) {
    Tlv set;
    if (!read_tlv(b, pos, outer.end, set) || set.tag != 0x31) return nullptr;
    std::string rdn;
    for (size_t at = set.body; at < set.end;) {
      Tlv atv;
      if (!read_tlv(b, at, set.end, atv)) return nullptr;
      if (!rdn.empty()) rdn += '+';
      if (!put_attribute(rdn, b, atv)) return nullptr;
      at = atv.end;
    }
    rdns.push_back(std::move(rdn));
    pos = set.end;
  }
  std::string text;
  for (size_t i = rdns.size(); i-- > 0;) {
    text += rdns[i];
    if (i != 0) text += ',';
  }
  auto *out = static_cast<char *>(korvu_malloc(text.size() + 1, KORVU_SRC, __LINE__));
  if (out != nullptr) std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}
