#include "type_names.h"

#include <cctype>

#include "korvu/asn1.h"

namespace korvu::tool {

namespace {

struct ShortName {
  const char *name;  // lower case, letters and digits only
  uint32_t type;
};

// Short names in the habits of openssl and friends.
constexpr ShortName kShortNames[] = {
    {"bool", KORVU_TYPE_BOOLEAN},
    {"int", KORVU_TYPE_INTEGER},
    {"bits", KORVU_TYPE_BIT_STRING},
    {"octets", KORVU_TYPE_OCTET_STRING},
    {"oid", KORVU_TYPE_OBJECT_IDENTIFIER},
    {"enum", KORVU_TYPE_ENUMERATED},
    {"utf8", KORVU_TYPE_UTF8STRING},
    {"any", KORVU_TYPE_ANY},
    {"seq", KORVU_TYPE_SEQUENCE_OF_ANY},
    {"set", KORVU_TYPE_SET_OF_ANY},
    {"dn", KORVU_TYPE_NAME},
    {"algid", KORVU_TYPE_ALGORITHMIDENTIFIER},
    {"spki", KORVU_TYPE_SUBJECTPUBLICKEYINFO},
    {"pubkey", KORVU_TYPE_SUBJECTPUBLICKEYINFO},
    {"tbs", KORVU_TYPE_TBSCERTIFICATE},
    {"cert", KORVU_TYPE_CERTIFICATE},
    {"x509", KORVU_TYPE_CERTIFICATE},
    {"crl", KORVU_TYPE_CERTIFICATELIST},
    {"csr", KORVU_TYPE_CERTIFICATIONREQUEST},
    {"req", KORVU_TYPE_CERTIFICATIONREQUEST},
    {"pkcs10", KORVU_TYPE_CERTIFICATIONREQUEST},
    {"gn", KORVU_TYPE_GENERALNAME},
    {"rsapub", KORVU_TYPE_RSAPUBLICKEY},
    {"rsakey", KORVU_TYPE_RSAPRIVATEKEY},
    {"pkcs1", KORVU_TYPE_RSAPRIVATEKEY},
    {"p8", KORVU_TYPE_PRIVATEKEYINFO},
    {"pkcs8", KORVU_TYPE_PRIVATEKEYINFO},
    {"p8enc", KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO},
    {"cms", KORVU_TYPE_CONTENTINFO},
    {"p7", KORVU_TYPE_CONTENTINFO},
    {"pkcs7", KORVU_TYPE_CONTENTINFO},
    {"p12", KORVU_TYPE_PFX},
    {"pkcs12", KORVU_TYPE_PFX},
    {"ocspreq", KORVU_TYPE_OCSPREQUEST},
    {"ocspresp", KORVU_TYPE_OCSPRESPONSE},
    {"ocsp", KORVU_TYPE_OCSPRESPONSE},
    {"basicocsp", KORVU_TYPE_BASICOCSPRESPONSE},
    {"tsq", KORVU_TYPE_TIMESTAMPREQ},
    {"tsr", KORVU_TYPE_TIMESTAMPRESP},
    {"tst", KORVU_TYPE_TSTINFO},
    {"eckey", KORVU_TYPE_ECPRIVATEKEY},
    {"ac", KORVU_TYPE_ATTRIBUTECERTIFICATE},
    {"attrcert", KORVU_TYPE_ATTRIBUTECERTIFICATE},
    {"ldap", KORVU_TYPE_LDAPMESSAGE},
    {"ers", KORVU_TYPE_EVIDENCERECORD},
    {"cvrequest", KORVU_TYPE_CVREQUEST},
    {"cvresponse", KORVU_TYPE_CVRESPONSE},
};

// Lower case letters and digits of `text`.
std::string fold(const std::string &text) {
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c)) out += static_cast<char>(std::tolower(c));
  }
  return out;
}

std::string folded_name(uint32_t type) {
  const char *name = korvu_asn1_typename(type);
  return name != nullptr ? fold(name) : std::string();
}

std::string label(uint32_t type) {
  const char *name = korvu_asn1_typename(type);
  return std::to_string(type) + " (" + (name != nullptr ? name : "?") + ")";
}

std::string list(const std::vector<uint32_t> &types, size_t limit) {
  std::string s;
  for (size_t i = 0; i < types.size() && i < limit; i++) s += (i ? ", " : "") + label(types[i]);
  if (types.size() > limit) s += ", and " + std::to_string(types.size() - limit) + " more";
  return s;
}

}  // namespace

TypeLookup lookup_type(const std::string &word) {
  TypeLookup r;
  bool digits = !word.empty();
  for (unsigned char c : word) digits = digits && std::isdigit(c) != 0;
  if (digits) {
    const unsigned long long n = word.size() <= 9 ? std::stoull(word) : KORVU_TYPE_COUNT;
    if (n < KORVU_TYPE_COUNT) {
      r.found = true;
      r.type = static_cast<uint32_t>(n);
    } else {
      r.error = "type number " + word + " is above " + std::to_string(KORVU_TYPE_COUNT - 1);
    }
    return r;
  }
  const std::string key = fold(word);
  if (key.empty()) {
    r.error = "\"" + word + "\" is not a type number or name";
    return r;
  }
  std::vector<uint32_t> exact, prefix;
  for (uint32_t t = 0; t < KORVU_TYPE_COUNT; t++) {
    const std::string name = folded_name(t);
    if (name == key) exact.push_back(t);
    else if (name.compare(0, key.size(), key) == 0) prefix.push_back(t);
  }
  for (const ShortName &s : kShortNames) {
    if (exact.empty() && key == s.name) exact.push_back(s.type);
  }
  if (exact.size() == 1 || (exact.empty() && prefix.size() == 1)) {
    r.found = true;
    r.type = exact.empty() ? prefix[0] : exact[0];
    return r;
  }
  if (exact.size() > 1 || prefix.size() > 1) {
    r.candidates = exact.size() > 1 ? exact : prefix;
    r.error = "type name \"" + word + "\" is ambiguous: " + list(r.candidates, 12);
    return r;
  }
  r.candidates = types_matching(word);
  r.error = "unknown type name \"" + word + "\"";
  r.error += r.candidates.empty() ? " (korvu-asn1 types lists them)" : "; names containing it: " + list(r.candidates, 12);
  return r;
}

std::vector<uint32_t> types_matching(const std::string &word) {
  const std::string key = fold(word);
  std::vector<uint32_t> out;
  for (uint32_t t = 0; t < KORVU_TYPE_COUNT; t++) {
    bool match = folded_name(t).find(key) != std::string::npos;
    for (const ShortName &s : kShortNames) match = match || (s.type == t && std::string(s.name).find(key) != std::string::npos);
    if (match) out.push_back(t);
  }
  return out;
}

std::string short_names(uint32_t type) {
  std::string s;
  for (const ShortName &n : kShortNames) {
    if (n.type == type) s += (s.empty() ? "" : ", ") + std::string(n.name);
  }
  return s;
}

}  // namespace korvu::tool
