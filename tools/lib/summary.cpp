// Certificate summary: reads the certificate through the public getters and
// walks the DER of its names.
#include "summary.h"

#include <cstdint>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"

namespace korvu::tool {
namespace {

using Bytes = std::vector<unsigned char>;

struct Tlv {
  unsigned char tag = 0;
  size_t body = 0;  // offset of the contents
  size_t end = 0;   // offset after the contents
};

// One DER TLV at `pos` inside [pos, limit) with a single-octet identifier.
bool read_tlv(const Bytes &b, size_t pos, size_t limit, Tlv &t) {
  if (pos + 2 > limit) return false;
  t.tag = b[pos];
  size_t p = pos + 2, len = b[pos + 1];
  if (len & 0x80) {
    size_t n = len & 0x7F;
    if (n == 0 || n > 4 || p + n > limit) return false;
    len = 0;
    for (size_t i = 0; i < n; i++) len = len << 8 | b[p++];
  }
  if (len > limit - p) return false;
  t.body = p;
  t.end = p + len;
  return true;
}

// Upper-case hex of n octets after `prefix`.
std::string hex(const unsigned char *p, size_t n, const char *prefix = "") {
  static const char d[] = "0123456789ABCDEF";
  std::string s = prefix;
  for (size_t i = 0; i < n; i++) {
    s += d[p[i] >> 4];
    s += d[p[i] & 15];
  }
  return s;
}

const char *short_name(const std::string &oid) {
  static const struct {
    const char *oid, *name;
  } names[] = {
      {"2.5.4.3", "CN"},        {"2.5.4.6", "C"},          {"2.5.4.7", "L"},
      {"2.5.4.8", "ST"},        {"2.5.4.9", "street"},     {"2.5.4.10", "O"},
      {"2.5.4.11", "OU"},       {"2.5.4.5", "serialNumber"}, {"2.5.4.4", "SN"},
      {"2.5.4.42", "GN"},       {"2.5.4.12", "title"},     {"2.5.4.97", "organizationIdentifier"},
      {"0.9.2342.19200300.100.1.25", "DC"}, {"0.9.2342.19200300.100.1.1", "UID"},
      {"1.2.840.113549.1.9.1", "emailAddress"},
  };
  for (const auto &n : names)
    if (oid == n.oid) return n.name;
  return nullptr;
}

std::string oid_text(const Bytes &b, size_t start, size_t end) {
  Value oid(KORVU_TYPE_OBJECT_IDENTIFIER);
  std::string text;
  uint32_t n = static_cast<uint32_t>(end - start);
  if (korvu_asn1_mem_decode(b.data() + start, static_cast<int32_t>(n), oid.type(), oid.out()) == n) {
    const char *s = korvu_asn1_oid_getstring(oid.as<KORVU_ASN1_OID>());
    if (s) text = s;
  }
  if (text.empty()) return hex(b.data() + start, end - start, "#");
  const char *sn = short_name(text);
  return sn ? sn : text;
}

void put_utf8(std::string &out, uint32_t c) {
  if (c < 0x80) {
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

// The text of an attribute value: character strings as text (control
// octets escaped), anything else as '#' and the hex of its encoding.
std::string value_text(const Bytes &b, size_t start, const Tlv &v) {
  const unsigned char *p = b.data() + v.body;
  size_t n = v.end - v.body;
  std::string out;
  switch (v.tag) {
    case 0x0C: case 0x12: case 0x13: case 0x14: case 0x16: case 0x1A:
      for (size_t i = 0; i < n; i++) {
        if (p[i] < 0x20 || p[i] == 0x7F) {
          out += hex(p + i, 1, "\\");
        } else {
          if (p[i] == ',' || p[i] == '+' || p[i] == '\\') out += '\\';
          out += static_cast<char>(p[i]);
        }
      }
      return out;
    case 0x1E:  // BMPString, UCS-2 big-endian
      if (n % 2 == 0) {
        for (size_t i = 0; i < n; i += 2) put_utf8(out, static_cast<uint32_t>(p[i] << 8 | p[i + 1]));
        return out;
      }
      break;
    case 0x1C:  // UniversalString, UCS-4 big-endian
      if (n % 4 == 0) {
        for (size_t i = 0; i < n; i += 4)
          put_utf8(out, static_cast<uint32_t>(p[i]) << 24 | p[i + 1] << 16 | p[i + 2] << 8 | p[i + 3]);
        return out;
      }
      break;
    default:
      break;
  }
  return hex(b.data() + start, v.end - start, "#");
}

// "T=V, T=V+T=V" from the DER of a Name; false when it is not DER we can walk.
bool name_text(const void *name, std::string &out) {
  BlobHolder blob(korvu_asn1_mem_encode(KORVU_TYPE_NAME, name));
  if (!blob) return false;
  Bytes b(blob->data, blob->data + blob->length);
  Tlv seq;
  if (!read_tlv(b, 0, b.size(), seq) || seq.tag != 0x30) return false;
  out.clear();
  for (size_t p = seq.body; p < seq.end;) {
    Tlv set;
    if (!read_tlv(b, p, seq.end, set) || set.tag != 0x31) return false;
    if (p != seq.body) out += ", ";
    for (size_t q = set.body; q < set.end;) {
      Tlv atv, type, value;
      if (!read_tlv(b, q, set.end, atv) || atv.tag != 0x30) return false;
      if (!read_tlv(b, atv.body, atv.end, type) || type.tag != 0x06) return false;
      if (!read_tlv(b, type.end, atv.end, value)) return false;
      if (q != set.body) out += "+";
      out += oid_text(b, atv.body, type.end) + "=" + value_text(b, type.end, value);
      q = atv.end;
    }
    p = set.end;
  }
  return true;
}

const char *time_text(const KORVU_ASN1_TIME *t) { return t && t->text ? t->text : "?"; }

}  // namespace

int print_certificate_summary(const void *cert, std::FILE *out) {
  auto *c = static_cast<const KORVU_X509_CERT *>(cert);
  if (c == nullptr || out == nullptr) return 0;
  const KORVU_ASN1_INTEGER *serial = korvu_x509pubkeycert_getserialno(c);
  std::string issuer, subject;
  if (serial == nullptr || !name_text(korvu_x509pubkeycert_getissuer(c), issuer) ||
      !name_text(korvu_x509pubkeycert_getsubject(c), subject))
    return 0;
  const KORVU_X509_VALIDITY *v = korvu_x509pubkeycert_getvalidity(c);
  const KORVU_ASN1_LIST *exts = korvu_x509pubkeycert_getexts(c);
  std::fprintf(out, "serial: %s\n", hex(serial->data, serial->length).c_str());
  std::fprintf(out, "issuer: %s\n", issuer.c_str());
  std::fprintf(out, "subject: %s\n", subject.c_str());
  std::fprintf(out, "notBefore: %s\n", time_text(korvu_x509validity_getnotbefore(v)));
  std::fprintf(out, "notAfter: %s\n", time_text(korvu_x509validity_getnotafter(v)));
  std::fprintf(out, "extensions: %d\n", exts ? korvu_asn1_list_getsize(exts) : 0);
  return 1;
}

}  // namespace korvu::tool
