// Certificate and attribute certificate summaries: read through the public
// getters, walking the DER of names.
#include "summary.h"

#include <cstdint>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"

namespace korvu::tool {

// Upper-case hex of n octets after `prefix`.
std::string hex(const unsigned char *p, size_t n, const char *prefix) {
  static const char d[] = "0123456789ABCDEF";
  std::string s = prefix;
  for (size_t i = 0; i < n; i++) {
    s += d[p[i] >> 4];
    s += d[p[i] & 15];
  }
  return s;
}

std::string oid_string(const KORVU_ASN1_OID *oid) {
  const char *s = oid ? korvu_asn1_oid_getstring(oid) : nullptr;
  return s ? s : "?";
}

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

}  // namespace

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

namespace {

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

namespace {


// The data octets of an OCTET STRING or character string.
Bytes string_bytes(const KORVU_ASN1_OCTETSTRING *s) {
  const uint32_t n = s ? korvu_asn1_octetstring_getlength(s) : 0;
  if (n == 0 || n >= 0xFFFFFFFEu) return {};
  Bytes b(n);
  return korvu_asn1_octetstring_getall(s, b.data()) == 1 ? b : Bytes{};
}

std::string string_text(const KORVU_ASN1_STRING *s) {
  Bytes b = string_bytes(s);
  return std::string(b.begin(), b.end());
}

}  // namespace

std::string general_name_text(const void *general_name) {
  auto *gn = static_cast<const KORVU_X509_GENERALNAME *>(general_name);
  uint32_t choice = 0;
  if (korvu_x509generalname_gettype(gn, &choice) != 1) return "?";
  switch (choice) {
    case 1: return "email:" + string_text(korvu_x509generalname_getrfc822name(gn));
    case 2: return "DNS:" + string_text(korvu_x509generalname_getdnsname(gn));
    case 4: {
      std::string name;
      return name_text(korvu_x509generalname_getdirname(gn), name) ? "DirName:" + name : "DirName:?";
    }
    case 6: return "URI:" + string_text(korvu_x509generalname_geturi(gn));
    case 7: {
      Bytes ip = string_bytes(korvu_x509generalname_getip(gn));
      return "IP:" + hex(ip.data(), ip.size());
    }
    case 8: return "RID:" + oid_string(korvu_x509generalname_getregid(gn));
    default: return choice == 0 ? "othername" : choice == 3 ? "x400Address" : "ediPartyName";
  }
}

namespace {

template <class Fn>
std::string list_text(const KORVU_ASN1_LIST *list, Fn text) {
  std::string out;
  for (int32_t i = 0; list != nullptr && i < korvu_asn1_list_getsize(list); i++) {
    void *e = nullptr;
    korvu_asn1_list_get(list, i, &e);
    out += (i ? ", " : "") + text(e);
  }
  return out.empty() ? "none" : out;
}

std::string names_text(const KORVU_ASN1_LIST *names) {
  return list_text(names, [](void *e) { return general_name_text(static_cast<KORVU_X509_GENERALNAME *>(e)); });
}

}  // namespace

int print_attrcert_summary(const void *ac, std::FILE *out) {
  auto *c = static_cast<const KORVU_AC_CERT *>(ac);
  const KORVU_AC_INFO *info = korvu_attributecertificate_getacinfo(c);
  if (info == nullptr || out == nullptr) return 0;
  int32_t version = 0;
  const KORVU_ASN1_INTEGER *serial = korvu_attributecertificateinfo_getserialnumber(info);
  const KORVU_AC_HOLDER *holder = korvu_attributecertificateinfo_getholder(info);
  const KORVU_AC_ATTCERTISSUER *issuer = korvu_attributecertificateinfo_getissuer(info);
  const KORVU_AC_VALIDITYPERIOD *period = korvu_attributecertificateinfo_getvalidity(info);
  if (serial == nullptr || holder == nullptr || issuer == nullptr || period == nullptr) return 0;
  if (korvu_asn1_integer_getlong(korvu_attributecertificateinfo_getversion(info), &version) != 1) return 0;

  std::fprintf(out, "version: %d\n", version);
  const KORVU_AC_ISSUERSERIAL *base = korvu_holder_getbasecertid(holder);
  const KORVU_AC_OBJECTDIGESTINFO *odi = korvu_holder_getobjectdigestinfo(holder);
  std::string parts;
  if (base) parts += "baseCertificateID";
  if (korvu_holder_getbaseentityname(holder)) parts += std::string(parts.empty() ? "" : ", ") + "entityName";
  if (odi) parts += std::string(parts.empty() ? "" : ", ") + "objectDigestInfo";
  std::fprintf(out, "holder: %s\n", parts.empty() ? "none" : parts.c_str());
  if (const KORVU_ASN1_INTEGER *s = korvu_acissuerserial_getserial(base))
    std::fprintf(out, "holder serial: %s\n", hex(s->data, s->length).c_str());
  if (odi) {
    static const char *const kinds[] = {"publicKey", "publicKeyCert", "otherObjectTypes"};
    int32_t kind = -1;
    korvu_asn1_enum_getlong(korvu_objectdigestinfo_gettype(odi), &kind);
    std::fprintf(out, "holder objectDigestInfo: %s\n", kind >= 0 && kind <= 2 ? kinds[kind] : "?");
  }
  const bool v1 = korvu_attcertissuer_gettype(issuer) == 1;
  std::fprintf(out, "issuer: %s\n", v1 ? "v1Form" : "v2Form");
  const KORVU_ASN1_LIST *names =
      v1 ? korvu_attcertissuer_getv1(issuer) : korvu_acv2form_getissuername(korvu_attcertissuer_getv2(issuer));
  if (names) std::fprintf(out, "issuer name: %s\n", names_text(names).c_str());
  std::fprintf(out, "serial: %s\n", hex(serial->data, serial->length).c_str());
  std::fprintf(out, "notBefore: %s\n", time_text(korvu_attcertvalidityperiod_getnotbefore(period)));
  std::fprintf(out, "notAfter: %s\n", time_text(korvu_attcertvalidityperiod_getnotafter(period)));
  std::fprintf(out, "attributes: %s\n",
               list_text(korvu_attributecertificateinfo_getattributes(info), [](void *e) {
                 return oid_string(korvu_x500attribute_gettype(static_cast<KORVU_X500_ATTRIBUTE *>(e)));
               }).c_str());
  std::fprintf(out, "extensions: %s\n",
               list_text(korvu_attributecertificateinfo_getextensions(info), [](void *e) {
                 return oid_string(korvu_x509extension_getid(static_cast<KORVU_X509_EXTENSION *>(e)));
               }).c_str());
  return 1;
}

}  // namespace korvu::tool
