// Certificate and attribute certificate summaries: read through the public
// getters, walking the DER of names.
#include "summary.h"

#include <cstdint>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"
#include "dump.h"

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

// One DER TLV with a one-octet identifier at `pos` below `limit`; false when
// there is none.
struct Tlv {
  unsigned char tag = 0;
  size_t body = 0;  // offset of the contents
  size_t end = 0;   // offset after the contents
};
bool read_tlv(const unsigned char *b, size_t pos, size_t limit, Tlv &t) {
  if (limit < 2 || pos > limit - 2) return false;
  t.tag = b[pos];
  size_t p = pos + 2, len = b[pos + 1];
  if (len & 0x80) {
    size_t n = len & 0x7F;
    if (n == 0 || n > 4 || n > limit - p) return false;
    len = 0;
    for (size_t i = 0; i < n; i++) len = len << 8 | b[p++];
  }
  if (len > limit - p) return false;
  t.body = p;
  t.end = p + len;
  return true;
}

}  // namespace

std::string oid_label(const KORVU_ASN1_OID *oid) {
  const std::string dotted = oid_string(oid);
  const char *name = oid_name(dotted.c_str());
  return name != nullptr ? std::string(name) + " (" + dotted + ")" : dotted;
}

std::string time_string(const KORVU_ASN1_TIME *t) {
  if (t == nullptr) return "absent";
  MemHolder<char> iso(korvu_asn1_time_toiso8601(t));
  return iso ? std::string(iso.get()) : std::string(t->text != nullptr ? t->text : "?");
}

bool name_text(const void *name, std::string &out) {
  MemHolder<char> text(korvu_x500name_totext(static_cast<const KORVU_X500_NAME *>(name)));
  if (!text) return false;
  out = text.get();
  return true;
}

namespace {

std::string names_text(const KORVU_ASN1_LIST *names);  // below

// The extension of the given identifier in a list of extensions, or null.
const KORVU_X509_EXTENSION *find_extension(const KORVU_ASN1_LIST *exts, const char *dotted) {
  for (int32_t i = 0; exts != nullptr && i < korvu_asn1_list_getsize(exts); i++) {
    void *e = nullptr;
    if (korvu_asn1_list_get(exts, i, &e) != 1) continue;
    auto *ext = static_cast<const KORVU_X509_EXTENSION *>(e);
    if (oid_string(korvu_x509extension_getid(ext)) == dotted) return ext;
  }
  return nullptr;
}

// The value of an extension decoded as `type`; null when it does not decode.
void *extension_value(const KORVU_X509_EXTENSION *ext, uint32_t type) {
  void *v = nullptr;
  if (ext == nullptr || korvu_asn1_octetstring_getobject(korvu_x509extension_getvalue(ext), type, &v, nullptr) != 1)
    return nullptr;
  return v;
}

// The size of a public key in bits, read from its SubjectPublicKeyInfo: the
// modulus of an RSA key, the field of an EC key (from the point's length),
// 0 when unknown.
std::string key_size(const KORVU_X509_SPKI *spki) {
  const std::string alg = oid_string(korvu_x509algoid_getalgo(korvu_x509subjpubkeyinfo_getalgo(spki)));
  const KORVU_ASN1_BITSTRING *key = korvu_x509subjpubkeyinfo_getpubkey(spki);
  const uint32_t n = key != nullptr ? korvu_asn1_bitstring_getlength(key) : 0;
  if (n == 0 || n >= 0xFFFFFFFEu) return "?";
  Bytes b(n);
  if (korvu_asn1_bitstring_getall(key, b.data()) != 1) return "?";
  if (alg == "1.2.840.113549.1.1.1" || alg == "1.2.840.113549.1.1.10") {
    Tlv seq, modulus;
    if (!read_tlv(b.data(), 0, b.size(), seq) || seq.tag != 0x30 ||
        !read_tlv(b.data(), seq.body, seq.end, modulus) || modulus.tag != 0x02 || modulus.end == modulus.body)
      return "?";
    size_t at = modulus.body;
    while (at + 1 < modulus.end && b[at] == 0) at++;
    size_t bits = (modulus.end - at) * 8;
    for (unsigned char top = b[at]; bits > 0 && !(top & 0x80); top = static_cast<unsigned char>(top << 1)) bits--;
    return std::to_string(bits) + " bits";
  }
  if (alg == "1.2.840.10045.2.1" && (b[0] == 0x04 || b[0] == 0x02 || b[0] == 0x03))
    return std::to_string(b[0] == 0x04 ? (n - 1) / 2 * 8 : (n - 1) * 8) + " bits";
  if (alg == "1.3.101.112" || alg == "1.3.101.110") return "256 bits";
  if (alg == "1.3.101.113") return "456 bits";
  if (alg == "1.3.101.111") return "448 bits";
  return "?";
}

const char *const kKeyUsageBits[] = {"digitalSignature", "nonRepudiation", "keyEncipherment", "dataEncipherment",
                                     "keyAgreement",     "keyCertSign",    "cRLSign",         "encipherOnly",
                                     "decipherOnly"};

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
  int32_t version = 0;
  if (korvu_asn1_integer_getlong(korvu_x509pubkeycert_getversion(c), &version) != 1) version = 0;
  const KORVU_X509_SPKI *spki = korvu_x509pubkeycert_getpubkey(c);
  std::fprintf(out, "version: v%d\n", version + 1);
  std::fprintf(out, "serial: %s\n", hex(serial->data, serial->length).c_str());
  std::fprintf(out, "signature algorithm: %s\n", oid_label(korvu_x509algoid_getalgo(korvu_x509pubkeycert_getsignalgo(c))).c_str());
  std::fprintf(out, "issuer: %s\n", issuer.c_str());
  std::fprintf(out, "subject: %s\n", subject.c_str());
  std::fprintf(out, "notBefore: %s\n", time_string(korvu_x509validity_getnotbefore(v)).c_str());
  std::fprintf(out, "notAfter: %s\n", time_string(korvu_x509validity_getnotafter(v)).c_str());
  const KORVU_X509_ALGID *key_alg = korvu_x509subjpubkeyinfo_getalgo(spki);
  std::string key = oid_label(korvu_x509algoid_getalgo(key_alg));
  // A named curve in the parameters.
  if (const KORVU_ASN1_ANY *param = korvu_x509algoid_getparam(key_alg)) {
    Value curve(KORVU_TYPE_OBJECT_IDENTIFIER);
    if (korvu_asn1_any_toobject(param, curve.type(), curve.out(), nullptr) == 1)
      key += ", " + oid_label(curve.as<KORVU_ASN1_OID>());
  }
  std::fprintf(out, "key algorithm: %s\n", key.c_str());
  std::fprintf(out, "key size: %s\n", key_size(spki).c_str());
  std::fprintf(out, "extensions: %d\n", exts ? korvu_asn1_list_getsize(exts) : 0);
  if (const KORVU_X509_EXTENSION *ext = find_extension(exts, "2.5.29.17")) {
    Value names(KORVU_TYPE_GENERALNAMES, extension_value(ext, KORVU_TYPE_GENERALNAMES));
    std::fprintf(out, "subject alternative names: %s\n",
                 names ? names_text(names.as<KORVU_ASN1_LIST>()).c_str() : "(does not decode)");
  }
  if (const KORVU_X509_EXTENSION *ext = find_extension(exts, "2.5.29.15")) {
    Value bits(KORVU_TYPE_BIT_STRING, extension_value(ext, KORVU_TYPE_BIT_STRING));
    std::string usage;
    for (int32_t i = 0; bits && i < 9; i++)
      if (korvu_asn1_bitstring_getbit(bits.as<KORVU_ASN1_BITSTRING>(), i) == 1)
        usage += (usage.empty() ? "" : ", ") + std::string(kKeyUsageBits[i]);
    std::fprintf(out, "key usage: %s\n", !bits ? "(does not decode)" : usage.empty() ? "none" : usage.c_str());
  }
  if (const KORVU_X509_EXTENSION *ext = find_extension(exts, "2.5.29.19")) {
    Value bc(KORVU_TYPE_BASICCONSTRAINTS, extension_value(ext, KORVU_TYPE_BASICCONSTRAINTS));
    std::string text = "(does not decode)";
    if (bc) {
      auto *b = bc.as<KORVU_X509_BASICCONSTRAINTS>();
      const bool ca = korvu_asn1_boolean_istrue(korvu_x509basicconstraints_getisca(b)) == 1;
      text = ca ? "CA" : "not a CA";
      int32_t path = 0;
      if (const KORVU_ASN1_INTEGER *len = korvu_x509basicconstraints_getlen(b))
        text += korvu_asn1_integer_getlong(len, &path) == 1 ? ", path length " + std::to_string(path) : ", path length ?";
    }
    std::fprintf(out, "basic constraints: %s\n", text.c_str());
  }
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

  std::fprintf(out, "version: v%d\n", version + 1);  // the INTEGER holds the version less one
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
  std::fprintf(out, "notBefore: %s\n", time_string(korvu_attcertvalidityperiod_getnotbefore(period)).c_str());
  std::fprintf(out, "notAfter: %s\n", time_string(korvu_attcertvalidityperiod_getnotafter(period)).c_str());
  std::fprintf(out, "attributes: %s\n",
               list_text(korvu_attributecertificateinfo_getattributes(info), [](void *e) {
                 return oid_label(korvu_x500attribute_gettype(static_cast<KORVU_X500_ATTRIBUTE *>(e)));
               }).c_str());
  std::fprintf(out, "extensions: %s\n",
               list_text(korvu_attributecertificateinfo_getextensions(info), [](void *e) {
                 return oid_label(korvu_x509extension_getid(static_cast<KORVU_X509_EXTENSION *>(e)));
               }).c_str());
  return 1;
}

}  // namespace korvu::tool
