// Shared pieces of the JSON rendering and encoding of BER/DER: the node kinds,
// hexadecimal text and small helpers over the utility library's JSON trees.
//
// The renderer and the encoder are inline code over the public C interfaces
// (korvu/asn1.h, korvu/util.h) and a few internal text helpers; json.cpp
// exports them in two forms: the plain one and the diagnostic one, which says
// what failed and where.
#ifndef KORVU_JSON_JSON_COMMON_H
#define KORVU_JSON_JSON_COMMON_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"
#include "korvu/util.h"
#include "../util/hex_internal.h"

namespace korvu::asn1json {

using Bytes = std::vector<unsigned char>;

using Node = JsonHolder;

// Node kinds. Form: how the identifier's constructed bit is chosen.
enum class Form { Primitive, Constructed, Either, Tagged, Unknown };

struct Kind {
  const char *name;
  uint32_t tag;  // universal tag number (unused for Tagged and Unknown)
  Form form;
};

// The first name of a tag is the one the renderer writes.
inline constexpr Kind kKinds[] = {
    {"BOOLEAN", 1, Form::Primitive},
    {"INTEGER", 2, Form::Primitive},
    {"BITSTRING", 3, Form::Either},
    {"OCTETSTRING", 4, Form::Either},
    {"NULL", 5, Form::Primitive},
    {"OID", 6, Form::Primitive},
    {"REAL", 9, Form::Primitive},
    {"ENUM", 10, Form::Primitive},
    {"UTF8STRING", 12, Form::Either},
    {"ROID", 13, Form::Primitive},
    {"SEQUENCE", 16, Form::Constructed},
    {"SEQUENCEOF", 16, Form::Constructed},
    {"SET", 17, Form::Constructed},
    {"SETOF", 17, Form::Constructed},
    {"NUMERICSTRING", 18, Form::Either},
    {"PRINTABLESTRING", 19, Form::Either},
    {"TELETEXSTRING", 20, Form::Either},
    {"T61STRING", 20, Form::Either},
    {"VIDEOTEXSTRING", 21, Form::Either},
    {"IA5STRING", 22, Form::Either},
    {"UTCTIME", 23, Form::Either},
    {"GENTIME", 24, Form::Either},
    {"GRAPHICSTRING", 25, Form::Either},
    {"VISIBLESTRING", 26, Form::Either},
    {"ISO636STRING", 26, Form::Either},
    {"GENERALSTRING", 27, Form::Either},
    {"UNIVERSALSTRING", 28, Form::Either},
    {"BMPSTRING", 30, Form::Either},
    {"TAGGEDTYPE", 0, Form::Tagged},
    {"UNKNOWN", 0, Form::Unknown},
};

inline const Kind *find_kind(const char *name, size_t length) {
  for (const Kind &k : kKinds) {
    if (std::strlen(k.name) == length && std::memcmp(k.name, name, length) == 0) return &k;
  }
  return nullptr;
}

// Name the renderer gives a universal tag, or null when it has none.
inline const char *universal_name(uint32_t tag) {
  for (const Kind &k : kKinds) {
    if ((k.form != Form::Tagged && k.form != Form::Unknown) && k.tag == tag) return k.name;
  }
  return nullptr;
}

inline const char *class_name(uint32_t tag_class) {
  switch (tag_class) {
    case 0x00:
      return "UNIVERSAL";
    case 0x40:
      return "APPLICATION";
    case 0x80:
      return "CONTEXT";
    default:
      return "PRIVATE";
  }
}

// Upper-case hexadecimal.
inline std::string to_hex(const unsigned char *p, size_t n) {
  std::string s;
  s.resize(2 * n);
  hex::put(s.data(), p, n);
  return s;
}

inline int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Hex digits of either case, an even count, nothing else.
inline bool from_hex(const char *s, size_t n, Bytes &out) {
  if (n % 2 != 0) return false;
  out.clear();
  out.reserve(n / 2);
  for (size_t i = 0; i < n; i += 2) {
    int hi = hex_digit(s[i]), lo = hex_digit(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<unsigned char>(hi * 16 + lo));
  }
  return true;
}

// Minimal X.690 length octets of a definite length, written at p (room for
// 5); returns their count.
inline size_t put_length(unsigned char *p, uint32_t length) {
  if (length < 0x80) {
    p[0] = static_cast<unsigned char>(length);
    return 1;
  }
  size_t n = 0;
  for (uint32_t v = length; v != 0; v >>= 8) n++;
  p[0] = static_cast<unsigned char>(0x80 | n);
  for (size_t i = 0; i < n; i++) p[n - i] = static_cast<unsigned char>(length >> (8 * i));
  return n + 1;
}

inline void append_length(Bytes &out, uint32_t length) {
  unsigned char tmp[5];
  out.insert(out.end(), tmp, tmp + put_length(tmp, length));
}

// Minimal identifier octets, written at p (room for 6); returns their count.
inline size_t put_identifier(unsigned char *p, uint32_t tag_class, bool constructed, uint32_t tag) {
  const unsigned char first = static_cast<unsigned char>(tag_class | (constructed ? 0x20 : 0x00));
  if (tag < 31) {
    p[0] = static_cast<unsigned char>(first | tag);
    return 1;
  }
  p[0] = static_cast<unsigned char>(first | 0x1F);
  size_t n = 0;
  for (uint32_t v = tag; v != 0; v >>= 7) n++;
  for (size_t i = 0; i < n; i++) {
    p[n - i] = static_cast<unsigned char>(((tag >> (7 * i)) & 0x7F) | (i != 0 ? 0x80 : 0x00));
  }
  return n + 1;
}

inline void append_identifier(Bytes &out, uint32_t tag_class, bool constructed, uint32_t tag) {
  unsigned char tmp[6];
  out.insert(out.end(), tmp, tmp + put_identifier(tmp, tag_class, constructed, tag));
}

}  // namespace korvu::asn1json

#endif
