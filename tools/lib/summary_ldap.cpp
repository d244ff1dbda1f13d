#include "summary_ldap.h"

#include <vector>

namespace korvu::tool {

namespace {

const char *const kOperations[] = {
    "bindRequest",    "bindResponse",   "unbindRequest",  "searchRequest",   "searchResEntry",  "searchResDone",
    "searchResRef",   "modifyRequest",  "modifyResponse", "addRequest",      "addResponse",     "delRequest",
    "delResponse",    "modDNRequest",   "modDNResponse",  "compareRequest",  "compareResponse", "abandonRequest",
    "extendedReq",    "extendedResp",   "intermediateResponse"};

std::string octets(const KORVU_ASN1_OCTETSTRING *s) {
  const uint32_t n = korvu_asn1_octetstring_getlength(s);
  if (s == nullptr || n == 0 || n == 0xFFFFFFFFu) return "";
  std::vector<unsigned char> b(n);
  if (korvu_asn1_octetstring_getall(s, b.data()) != 1) return "";
  return std::string(b.begin(), b.end());
}

// An assertion value with RFC 4515's escapes (and any octet outside printable ASCII escaped too).
std::string escaped(const KORVU_ASN1_OCTETSTRING *s) {
  std::string out;
  for (unsigned char c : octets(s)) {
    if (c == '*' || c == '(' || c == ')' || c == '\\' || c < 0x20 || c > 0x7E) {
      static const char d[] = "0123456789abcdef";
      out += '\\';
      out += d[c >> 4];
      out += d[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string number(const KORVU_ASN1_INTEGER *v) {
  int32_t n = 0;
  return v != nullptr && korvu_asn1_integer_getlong(v, &n) == 1 ? std::to_string(n) : "?";
}

// The result code of an operation that carries an LDAPResult (its first component), or null.
const KORVU_ASN1_INTEGER *result_code(uint32_t op, const void *v) {
  switch (op) {
    case 1: case 5: case 8: case 10: case 12: case 14: case 16: case 19:
      return *static_cast<KORVU_ASN1_INTEGER *const *>(v);  // resultCode comes first in each record
    default:
      return nullptr;
  }
}

}  // namespace

std::string ldap_filter_text(const KORVU_LDAP_FILTER *f) {
  if (f == nullptr) return "";
  const uint32_t c = korvu_ldapfilter_gettype(f);
  auto ava = [](const char *op, const KORVU_LDAP_AVA *a) {
    return "(" + octets(a->attributeDesc) + op + escaped(a->assertionValue) + ")";
  };
  auto set = [](char op, const KORVU_ASN1_LIST *l) {
    std::string out = std::string("(") + op;
    for (int32_t i = 0; l != nullptr && i < l->count; i++) out += ldap_filter_text(static_cast<KORVU_LDAP_FILTER *>(l->items[i]));
    return out + ")";
  };
  switch (c) {
    case 0: return set('&', korvu_ldapfilter_getand(f));
    case 1: return set('|', korvu_ldapfilter_getor(f));
    case 2: return "(!" + ldap_filter_text(korvu_ldapfilter_getnot(f)) + ")";
    case 3: return ava("=", korvu_ldapfilter_getequalitymatch(f));
    case 5: return ava(">=", korvu_ldapfilter_getgreaterorequal(f));
    case 6: return ava("<=", korvu_ldapfilter_getlessorequal(f));
    case 8: return ava("~=", korvu_ldapfilter_getapproxmatch(f));
    case 7: return "(" + octets(korvu_ldapfilter_getpresent(f)) + "=*)";
    case 4: {
      const KORVU_LDAP_SUBSTRINGFILTER *s = korvu_ldapfilter_getsubstrings(f);
      std::string out = "(" + octets(s->type) + "=";
      const KORVU_ASN1_LIST *l = s->substrings;
      bool star = false;  // the text so far ends with '*'
      for (int32_t i = 0; l != nullptr && i < l->count; i++) {
        auto *x = static_cast<KORVU_LDAP_SUBSTRING *>(l->items[i]);
        if (x->choice != 0 && !star) out += '*';
        out += escaped(static_cast<KORVU_ASN1_OCTETSTRING *>(x->value));
        star = false;
        if (x->choice != 2) out += '*', star = true;
      }
      return out + ")";
    }
    case 9: {
      const KORVU_LDAP_MRA *m = korvu_ldapfilter_getextensiblematch(f);
      std::string out = "(" + octets(m->type);
      if (m->dnAttributes != nullptr && korvu_asn1_boolean_istrue(m->dnAttributes) == 1) out += ":dn";
      if (m->matchingRule != nullptr) out += ":" + octets(m->matchingRule);
      return out + ":=" + escaped(m->matchValue) + ")";
    }
    default: return "(?)";
  }
}

int print_ldap_summary(uint32_t, const void *value, std::FILE *out) {
  auto *m = static_cast<const KORVU_LDAP_MESSAGE *>(value);
  if (m == nullptr || out == nullptr) return 0;
  const uint32_t op = korvu_ldapmessage_gettype(m);
  std::fprintf(out, "message ID: %s\noperation: %s\ncontrols: ", number(m->messageID).c_str(),
               op < 21 ? kOperations[op] : "?");
  const KORVU_ASN1_LIST *controls = m->controls;
  for (int32_t i = 0; controls != nullptr && i < controls->count; i++)
    std::fprintf(out, "%s%s", i ? ", " : "",
                 octets(static_cast<KORVU_LDAP_CONTROL *>(controls->items[i])->controlType).c_str());
  std::fprintf(out, "%s\n", controls == nullptr || controls->count == 0 ? "none" : "");
  if (const KORVU_ASN1_INTEGER *code = op < 21 ? result_code(op, m->protocolOp) : nullptr)
    std::fprintf(out, "result code: %s\n", number(code).c_str());
  if (const KORVU_LDAP_SEARCHREQUEST *s = korvu_ldapmessage_getsearchrequest(m))
    std::fprintf(out, "base: %s\nscope: %s\nfilter: %s\n", octets(s->baseObject).c_str(), number(s->scope).c_str(),
                 ldap_filter_text(s->filter).c_str());
  return 1;
}

}  // namespace korvu::tool
