// Summaries of keys, key containers and the certificate store, and the PEM labels of keys.
#include "summary_keys.h"

#include <cstring>
#include <map>

#include "korvu/asn1.h"
#include "summary.h"

namespace korvu::tool {
namespace {

std::string number(const KORVU_ASN1_INTEGER *v) {
  int32_t n = 0;
  if (v == nullptr) return "absent";
  if (korvu_asn1_integer_getlong(v, &n) == 1) return std::to_string(n);
  return hex(v->data, v->length, "0x");
}

std::string octet_count(const KORVU_ASN1_OCTETSTRING *o) {
  return o ? std::to_string(korvu_asn1_octetstring_getlength(o)) + " octets" : "absent";
}

std::string algorithm_oid(const KORVU_X509_ALGID *a) { return oid_string(korvu_x509algoid_getalgo(a)); }

// A value held as ANY (parameters, a bag, a content), read again as `type`; null when it is not one.
template <class T>
struct Reread {
  uint32_t type;
  T *value = nullptr;
  Reread(uint32_t t, const KORVU_ASN1_ANY *any) : type(t) {
    KORVU_DATA_BLOB *der = any ? korvu_asn1_mem_encode(KORVU_TYPE_ANY, any) : nullptr;
    void *v = nullptr;
    if (der != nullptr && korvu_asn1_mem_decode(der->data, static_cast<int32_t>(der->length), t, &v) == der->length)
      value = static_cast<T *>(v);
    else
      korvu_asn1_value_free(t, v);
    korvu_data_blob_free(der);
  }
  Reread(uint32_t t, const KORVU_ASN1_OCTETSTRING *octets) : type(t) {
    KORVU_DATA_BLOB *data = octets ? korvu_asn1_octetstring_getblob(octets) : nullptr;
    void *v = nullptr;
    if (data != nullptr && korvu_asn1_mem_decode(data->data, static_cast<int32_t>(data->length), t, &v) == data->length)
      value = static_cast<T *>(v);
    else
      korvu_asn1_value_free(t, v);
    korvu_data_blob_free(data);
  }
  ~Reread() { korvu_asn1_value_free(type, value); }
  Reread(const Reread &) = delete;
  Reread &operator=(const Reread &) = delete;
};

constexpr const char *kPbes2 = "1.2.840.113549.1.5.13", *kPbkdf2 = "1.2.840.113549.1.5.12",
                     *kPbmac1 = "1.2.840.113549.1.5.14", *kData = "1.2.840.113549.1.7.1";

// "PBKDF2 (iterations N, salt N octets, key length N, PRF OID)" for PBKDF2's parameters, else the OID.
std::string kdf_text(const KORVU_X509_ALGID *kdf) {
  const std::string oid = algorithm_oid(kdf);
  if (oid != kPbkdf2) return oid;
  Reread<KORVU_PKCS5_PBKDF2PARAMS> p(KORVU_TYPE_PBKDF2_PARAMS, korvu_x509algoid_getparam(kdf));
  if (p.value == nullptr) return oid + " (parameters unreadable)";
  const KORVU_PKCS5_PBKDF2SALT *salt = korvu_pkcs5pbkdf2params_getsalt(p.value);
  return "PBKDF2 (iterations " + number(korvu_pkcs5pbkdf2params_getitercount(p.value)) + ", salt " +
         (korvu_pkcs5pbkdf2paramssalt_gettype(salt) == 0 ? octet_count(korvu_pkcs5pbkdf2paramssalt_getvalue(salt))
                                                         : "from " + algorithm_oid(korvu_pkcs5pbkdf2paramssalt_getother(salt))) +
         ", key length " + number(korvu_pkcs5pbkdf2params_getkeylen(p.value)) + ", PRF " +
         algorithm_oid(korvu_pkcs5pbkdf2params_getprf(p.value)) + ")";
}

// The lines of an encryption algorithm: scheme, then KDF and cipher (PBES2) or salt and iterations (PBES1 and
// PKCS #12's PBE).
void print_encryption(const KORVU_X509_ALGID *a, std::FILE *out) {
  const std::string oid = algorithm_oid(a);
  std::fprintf(out, "scheme: %s\n", oid.c_str());
  if (oid == kPbes2) {
    Reread<KORVU_PKCS5_PBES2PARAMS> p(KORVU_TYPE_PBES2_PARAMS, korvu_x509algoid_getparam(a));
    if (p.value == nullptr) return (void)std::fprintf(out, "parameters: unreadable\n");
    std::fprintf(out, "KDF: %s\n", kdf_text(korvu_pkcs5pbes2params_getkeyderivfunc(p.value)).c_str());
    std::fprintf(out, "cipher: %s\n", algorithm_oid(korvu_pkcs5pbes2params_getencscheme(p.value)).c_str());
  } else if (oid.rfind("1.2.840.113549.1.12.1.", 0) == 0) {  // PKCS #12's PBE
    Reread<KORVU_PKCS12_PBEPARAMS> p(KORVU_TYPE_PKCS12PBEPARAMS, korvu_x509algoid_getparam(a));
    if (p.value == nullptr) return (void)std::fprintf(out, "parameters: unreadable\n");
    std::fprintf(out, "salt: %s\niterations: %s\n", octet_count(korvu_pkcs12pbeparams_getsalt(p.value)).c_str(),
                 number(korvu_pkcs12pbeparams_getitercount(p.value)).c_str());
  } else if (oid.rfind("1.2.840.113549.1.5.", 0) == 0) {  // PBES1
    Reread<KORVU_PKCS5_PBEPARAM> p(KORVU_TYPE_PBEPARAMETER, korvu_x509algoid_getparam(a));
    if (p.value == nullptr) return (void)std::fprintf(out, "parameters: unreadable\n");
    std::fprintf(out, "salt: %s\niterations: %s\n", octet_count(korvu_pkcs5pbeparam_getsalt(p.value)).c_str(),
                 number(korvu_pkcs5pbeparam_getitercount(p.value)).c_str());
  }
}

int print_rsa(const KORVU_PKCS1_RSAPRIVKEY *k, std::FILE *out) {
  const KORVU_ASN1_INTEGER *m = korvu_pkcs1rsaprivkey_getmodulus(k);
  size_t skip = 0, bits = 0;
  while (m && skip < m->length && m->data[skip] == 0) skip++;
  if (m && skip < m->length) {
    bits = (m->length - skip) * 8;
    for (unsigned char top = m->data[skip]; top < 0x80; top = static_cast<unsigned char>(top << 1)) bits--;
  }
  const KORVU_ASN1_LIST *others = korvu_pkcs1rsaprivkey_getotherprimeinfos(k);
  std::fprintf(out, "version: %s\nmodulus bits: %zu\npublic exponent: %s\nother primes: %d\n",
               number(korvu_pkcs1rsaprivkey_getversion(k)).c_str(), bits,
               number(korvu_pkcs1rsaprivkey_getpublicexponent(k)).c_str(), others ? korvu_asn1_list_getsize(others) : 0);
  return 1;
}

int print_pkcs8(const KORVU_PKCS8_PRIVKEYINFO *k, std::FILE *out) {
  const KORVU_X509_ALGID *a = korvu_pkcs8privatekeyinfo_getprivkeyalgo(k);
  std::string params = "absent";
  if (korvu_x509algoid_isnullparam(a)) params = "NULL";
  else if (korvu_x509algoid_hasparam(a)) {
    Reread<KORVU_ASN1_OID> curve(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_x509algoid_getparam(a));
    params = curve.value ? oid_string(curve.value) : std::to_string(korvu_asn1_any_getcontentlength(korvu_x509algoid_getparam(a))) + " octets";
  }
  std::string attrs;
  const KORVU_ASN1_LIST *l = korvu_pkcs8privatekeyinfo_getattrs(k);
  for (int32_t i = 0; l && i < korvu_asn1_list_getsize(l); i++) {
    void *e = nullptr;
    korvu_asn1_list_get(l, i, &e);
    attrs += (attrs.empty() ? "" : ", ") + oid_string(korvu_x500attribute_gettype(static_cast<KORVU_X500_ATTRIBUTE *>(e)));
  }
  std::fprintf(out, "version: %s\nalgorithm: %s\nparameters: %s\nprivate key: %s\nattributes: %s\n",
               number(korvu_pkcs8privatekeyinfo_getversion(k)).c_str(), algorithm_oid(a).c_str(), params.c_str(),
               octet_count(korvu_pkcs8privatekeyinfo_getprivkey(k)).c_str(), attrs.empty() ? "none" : attrs.c_str());
  return 1;
}

int print_ec(const KORVU_EC_PRIVKEY *k, std::FILE *out) {
  const KORVU_EC_PKPARAMS *p = korvu_ecprivatekey_getparam(k);
  const uint32_t form = korvu_ecpkparameters_gettype(p);
  const std::string curve = p == nullptr ? "absent"
                            : form == 2  ? oid_string(korvu_ecpkparameters_namedcurve(p))
                            : form == 1  ? "explicit parameters"
                                         : "implicitlyCA";
  const KORVU_ASN1_BITSTRING *pub = korvu_ecprivatekey_getpubkey(k);
  std::fprintf(out, "version: %s\nform: %s\ncurve: %s\npublic key: %s\n", number(korvu_ecprivatekey_getversion(k)).c_str(),
               korvu_ecprivatekey_issm2privkey(k) ? "SM2 (INTEGER private key)" : "standard (OCTET STRING private key)",
               curve.c_str(), pub ? (std::to_string(korvu_asn1_bitstring_getlength(pub)) + " octets").c_str() : "absent");
  return 1;
}

// The bags of a SafeContents by name, counted ("certBag x3"), into `bags`; safe contents bags are walked.
void count_bags(const KORVU_ASN1_LIST *bags, std::map<std::string, int> &counts, int depth) {
  static const char *const kNames[] = {"keyBag", "pkcs8ShroudedKeyBag", "certBag", "crlBag", "secretBag", "safeContentsBag"};
  for (int32_t i = 0; bags && depth < 8 && i < korvu_asn1_list_getsize(bags); i++) {
    void *e = nullptr;
    korvu_asn1_list_get(bags, i, &e);
    auto *bag = static_cast<KORVU_PKCS12_SAFEBAG *>(e);
    const std::string id = oid_string(korvu_pkcs12safebag_getid(bag));
    const std::string prefix = "1.2.840.113549.1.12.10.1.";
    const int n = id.rfind(prefix, 0) == 0 ? std::atoi(id.c_str() + prefix.size()) : 0;
    counts[n >= 1 && n <= 6 ? kNames[n - 1] : id]++;
    if (n == 6) {
      Reread<KORVU_ASN1_LIST> inner(KORVU_TYPE_SAFECONTENTS, korvu_pkcs12safebag_getvalue(bag));
      count_bags(inner.value, counts, depth + 1);
    }
  }
}

int print_pfx(const KORVU_PKCS12_PFX *pfx, std::FILE *out) {
  std::fprintf(out, "version: %s\n", number(korvu_pkcs12pfx_getversion(pfx)).c_str());
  if (const KORVU_PKCS12_MACDATA *mac = korvu_pkcs12pfx_getmac(pfx)) {
    const KORVU_X509_ALGID *a = mac->mac ? mac->mac->digestAlgorithm : nullptr;
    std::string text = algorithm_oid(a);
    if (text == kPbmac1) {
      Reread<KORVU_PKCS5_PBMAC1PARAMS> p(KORVU_TYPE_PBMAC1_PARAMS, korvu_x509algoid_getparam(a));
      text = p.value ? "PBMAC1 (KDF " + kdf_text(korvu_pkcs5pbmac1params_getkeyderivfunc(p.value)) + ", MAC " +
                           algorithm_oid(korvu_pkcs5pbmac1params_getauthscheme(p.value)) + ")"
                     : "PBMAC1 (parameters unreadable)";
    }
    std::fprintf(out, "MAC: %s, iterations %s, salt %s\n", text.c_str(), number(korvu_pkcs12macdata_getitercount(mac)).c_str(),
                 octet_count(korvu_pkcs12macdata_getsalt(mac)).c_str());
  } else {
    std::fprintf(out, "MAC: none\n");
  }
  const KORVU_PKCS7_CONTENTINFO *auth = korvu_pkcs12pfx_getauthsafe(pfx);
  if (oid_string(korvu_pkcs7contentinfo_getcontenttype(auth)) != kData)
    return std::fprintf(out, "authSafe: %s\n", oid_string(korvu_pkcs7contentinfo_getcontenttype(auth)).c_str()), 1;
  Reread<KORVU_ASN1_OCTETSTRING> data(KORVU_TYPE_OCTET_STRING, korvu_pkcs7contentinfo_getcontent(auth));
  Reread<KORVU_ASN1_LIST> safe(KORVU_TYPE_AUTHENTICATEDSAFE, data.value);
  if (safe.value == nullptr) return std::fprintf(out, "content types: unreadable\n"), 1;
  std::string types;
  std::map<std::string, int> bags;
  for (int32_t i = 0; i < korvu_asn1_list_getsize(safe.value); i++) {
    void *e = nullptr;
    korvu_asn1_list_get(safe.value, i, &e);
    auto *ci = static_cast<KORVU_PKCS7_CONTENTINFO *>(e);
    const std::string t = oid_string(korvu_pkcs7contentinfo_getcontenttype(ci));
    types += (types.empty() ? "" : ", ") + (t == kData ? std::string("data") : t == "1.2.840.113549.1.7.6" ? "encryptedData" : t);
    if (t != kData) continue;
    Reread<KORVU_ASN1_OCTETSTRING> inner(KORVU_TYPE_OCTET_STRING, korvu_pkcs7contentinfo_getcontent(ci));
    Reread<KORVU_ASN1_LIST> contents(KORVU_TYPE_SAFECONTENTS, inner.value);
    count_bags(contents.value, bags, 0);
  }
  std::string bag_text;
  for (const auto &[name, n] : bags) bag_text += (bag_text.empty() ? "" : ", ") + name + (n > 1 ? " x" + std::to_string(n) : "");
  std::fprintf(out, "content types: %s\nunencrypted bags: %s\n", types.empty() ? "none" : types.c_str(),
               bag_text.empty() ? "none" : bag_text.c_str());
  return 1;
}

int print_store(const KORVU_ASN1_LIST *store, std::FILE *out) {
  std::fprintf(out, "certificates: %d\n", korvu_asn1_list_getsize(store));
  for (int32_t i = 0; i < korvu_asn1_list_getsize(store); i++) {
    void *e = nullptr;
    korvu_asn1_list_get(store, i, &e);
    auto *c = static_cast<KORVU_CERTSTORE_CERTWITHATTR *>(e);
    std::string subject, providers;
    if (!name_text(korvu_x509pubkeycert_getsubject(korvu_certstore_certwithattr_getcert(c)), subject)) subject = "?";
    const KORVU_ASN1_LIST *attrs = korvu_certstore_certwithattr_getattrlist(c);
    for (int32_t k = 0; attrs && k < korvu_asn1_list_getsize(attrs); k++) {
      void *a = nullptr;
      korvu_asn1_list_get(attrs, k, &a);
      Reread<KORVU_CERTSTORE_PRIVKEYATTR> key(KORVU_TYPE_PRIVKEYATTRIBUTE,
                                              korvu_certstore_attr_getvalue(static_cast<KORVU_CERTSTORE_ATTR *>(a)));
      if (key.value == nullptr) continue;
      const KORVU_ASN1_STRING *p = korvu_certstore_privkeyattr_getprovider(key.value);
      const KORVU_ASN1_STRING *sub = korvu_certstore_privkeyattr_getsubprovider(key.value);
      KORVU_DATA_BLOB *pb = korvu_asn1_octetstring_getblob(p), *sb = sub ? korvu_asn1_octetstring_getblob(sub) : nullptr;
      providers += (providers.empty() ? "" : ", ") + std::string(pb ? reinterpret_cast<char *>(pb->data) : "?", pb ? pb->length : 1) +
                   (sb ? "/" + std::string(reinterpret_cast<char *>(sb->data), sb->length) : "");
      korvu_data_blob_free(pb);
      korvu_data_blob_free(sb);
    }
    std::fprintf(out, "certificate %d: %s; key providers: %s\n", i + 1, subject.c_str(),
                 providers.empty() ? "none" : providers.c_str());
  }
  return 1;
}

}  // namespace

int print_keys_summary(uint32_t type, const void *value, std::FILE *out) {
  if (value == nullptr || out == nullptr) return 0;
  switch (type) {
    case KORVU_TYPE_RSAPRIVATEKEY: return print_rsa(static_cast<const KORVU_PKCS1_RSAPRIVKEY *>(value), out);
    case KORVU_TYPE_PRIVATEKEYINFO: return print_pkcs8(static_cast<const KORVU_PKCS8_PRIVKEYINFO *>(value), out);
    case KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO: {
      auto *k = static_cast<const KORVU_PKCS8_ENCPRIVKEYINFO *>(value);
      print_encryption(korvu_pkcs8encprivatekeyinfo_getencalgo(k), out);
      std::fprintf(out, "encrypted data: %s\n", octet_count(korvu_pkcs8encprivatekeyinfo_getencdata(k)).c_str());
      return 1;
    }
    case KORVU_TYPE_ECPRIVATEKEY: return print_ec(static_cast<const KORVU_EC_PRIVKEY *>(value), out);
    case KORVU_TYPE_PFX: return print_pfx(static_cast<const KORVU_PKCS12_PFX *>(value), out);
    case KORVU_TYPE_CERTSTORE: return print_store(static_cast<const KORVU_ASN1_LIST *>(value), out);
    default: return 0;
  }
}

KeyPem load_key_pem(uint32_t type, const std::vector<unsigned char> &raw, LoadedInput &out, std::string &error) {
  if (raw.empty() || raw.size() > 0xFFFFFFFFu || std::memchr(raw.data(), 0, raw.size()) != nullptr) return KeyPem::NotKey;
  const std::string text(raw.begin(), raw.end());
  if (text.find("-----BEGIN ") != std::string::npos && text.find("Proc-Type: 4,ENCRYPTED") != std::string::npos) {
    error = "the PEM block is encrypted with legacy PEM encryption (Proc-Type: 4,ENCRYPTED), which this program "
            "does not decrypt; convert it to an encrypted PKCS #8 key (EncryptedPrivateKeyInfo, type 104)";
    return KeyPem::Refused;
  }
  static const std::map<uint32_t, std::vector<const char *>> kLabels = {
      {KORVU_TYPE_RSAPUBLICKEY, {"RSA PUBLIC KEY"}},       {KORVU_TYPE_DSS_PARMS, {"DSA PARAMETERS"}},
      {KORVU_TYPE_RSAPRIVATEKEY, {"RSA PRIVATE KEY"}},     {KORVU_TYPE_PRIVATEKEYINFO, {"PRIVATE KEY"}},
      {KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO, {"ENCRYPTED PRIVATE KEY"}}, {KORVU_TYPE_ECPKPARAMETERS, {"EC PARAMETERS"}},
      {KORVU_TYPE_ECPRIVATEKEY, {"EC PRIVATE KEY", "SM2 PRIVATE KEY"}}};
  const auto labels = kLabels.find(type);
  if (labels == kLabels.end()) return KeyPem::NotKey;
  for (const char *label : labels->second) {
    unsigned char *der = nullptr;
    uint32_t n = 0;
    if (korvu_pemdecode(label, text.data(), static_cast<uint32_t>(text.size()), &der, &n) == 1) {
      out.format = InputFormat::Pem;
      out.label = label;
      out.bytes.assign(der, der + n);
      korvu_free(der);
      return KeyPem::Loaded;
    }
    korvu_free(der);
  }
  return KeyPem::NotKey;
}

}  // namespace korvu::tool
