// SCVP summaries, read through the public getters.
#include "summary_scvp.h"

#include <vector>

#include "summary.h"

namespace korvu::tool {
namespace {

void *item(const KORVU_ASN1_LIST *l, int32_t i) {
  void *e = nullptr;
  return korvu_asn1_list_get(l, i, &e) == 1 ? e : nullptr;
}
int32_t size_of(const KORVU_ASN1_LIST *l) { return l ? korvu_asn1_list_getsize(l) : 0; }

std::string oids(const KORVU_ASN1_LIST *l) {
  std::string s;
  for (int32_t i = 0; i < size_of(l); i++) s += (i ? ", " : "") + oid_string(static_cast<KORVU_ASN1_OID *>(item(l, i)));
  return s.empty() ? "none" : s;
}
std::string number(const KORVU_ASN1_INTEGER *v) {
  int32_t n = 0;
  if (v && (korvu_asn1_integer_getlong(v, &n) == 1 || korvu_asn1_enum_getlong(v, &n) == 1)) return std::to_string(n);
  return v ? "0x" + hex(v->data, v->length) : "none";
}
std::string time_text(const KORVU_ASN1_TIME *t) { return t && t->text ? t->text : "none"; }
std::string octets_hex(const KORVU_ASN1_OCTETSTRING *s) {
  std::vector<unsigned char> b(s ? korvu_asn1_octetstring_getlength(s) : 0);
  return b.empty() || korvu_asn1_octetstring_getall(s, b.data()) == 1 ? hex(b.data(), b.size()) : "?";
}
std::string text_of(const KORVU_ASN1_STRING *s) {
  std::string t(s ? korvu_asn1_string_getlength(s) : 0, '\0');
  return t.empty() || korvu_asn1_string_get(s, t.data()) == 1 ? t : "?";
}

std::string certid(const char *what, const KORVU_SCVP_CERTID *id) {
  const KORVU_ASN1_INTEGER *sn = korvu_scvpissuerserial_getserial(korvu_scvpcertid_getissuerserial(id));
  return std::string(what) + " serial " + (sn ? hex(sn->data, sn->length) : "?");
}
std::string pkc(const KORVU_SCVP_PKCREFERENCE *r) {
  if (const KORVU_X509_CERT *c = korvu_scvppkcreference_getcert(r)) {
    std::string subject;
    return name_text(korvu_x509pubkeycert_getsubject(c), subject) ? subject : "certificate";
  }
  return certid("pkcRef", korvu_scvppkcreference_getpkcref(r));
}
std::string ac(const KORVU_SCVP_ACREFERENCE *r) {
  return korvu_scvpacreference_getattrcert(r) ? "attribute certificate" : certid("acRef", korvu_scvpacreference_getacref(r));
}

void request(const KORVU_SCVP_CVREQUEST *r, std::FILE *out) {
  std::fprintf(out, "version: %s\n", number(korvu_scvpcvrequest_getcvrequestversion(r)).c_str());
  const KORVU_SCVP_QUERY *q = korvu_scvpcvrequest_getquery(r);
  const KORVU_SCVP_CERTREFERENCES *refs = korvu_scvpquery_getqueriedcerts(q);
  const KORVU_ASN1_LIST *pkcs = korvu_scvpcertreferences_getpkcrefs(refs), *acs = korvu_scvpcertreferences_getacrefs(refs);
  for (int32_t i = 0; i < size_of(pkcs); i++)
    std::fprintf(out, "queried: %s\n", pkc(static_cast<KORVU_SCVP_PKCREFERENCE *>(item(pkcs, i))).c_str());
  for (int32_t i = 0; i < size_of(acs); i++)
    std::fprintf(out, "queried: %s\n", ac(static_cast<KORVU_SCVP_ACREFERENCE *>(item(acs, i))).c_str());
  std::fprintf(out, "checks: %s\n", oids(korvu_scvpquery_getchecks(q)).c_str());
  std::fprintf(out, "wantBacks: %s\n", oids(korvu_scvpquery_getwantback(q)).c_str());
  const KORVU_SCVP_VALIDATIONPOLICY *p = korvu_scvpquery_getvalidationpolicy(q);
  std::fprintf(out, "policy: %s\n",
               oid_string(korvu_scvpvalidationpolref_getvalpolid(korvu_scvpvalidationpolicy_getvalidationpolref(p))).c_str());
  std::fprintf(out, "validationTime: %s\n", time_text(korvu_scvpquery_getvalidationtime(q)).c_str());
}

constexpr const char *kReplyStatus[] = {"success", "malformedPKC", "malformedAC", "unavailableValidationTime",
                                        "referenceCertHashFail", "certPathConstructFail", "certPathNotValid",
                                        "certPathNotValidNow", "wantBackUnsatisfied"};

void reply(const KORVU_SCVP_CERTREPLY *r, std::FILE *out) {
  const KORVU_SCVP_CERTREFERENCE *c = korvu_scvpcertreply_getcert(r);
  const std::string cert = korvu_scvpcertreference_gettype(c) == 1 ? pkc(korvu_scvpcertreference_getpkc(c))
                                                                    : ac(korvu_scvpcertreference_getac(c));
  int32_t status = -1;
  korvu_asn1_enum_getlong(korvu_scvpcertreply_getreplystatus(r), &status);
  std::fprintf(out, "reply: %s, %s (%d)\n", cert.c_str(), status >= 0 && status <= 8 ? kReplyStatus[status] : "unknown",
               status);
  const KORVU_ASN1_LIST *checks = korvu_scvpcertreply_getreplychecks(r), *wbs = korvu_scvpcertreply_getreplywantbacks(r);
  for (int32_t i = 0; i < size_of(checks); i++) {
    auto *k = static_cast<KORVU_SCVP_REPLYCHECK *>(item(checks, i));
    std::fprintf(out, "  check %s: %s\n", oid_string(korvu_scvpreplycheck_getcheck(k)).c_str(),
                 number(korvu_scvpreplycheck_getstatus(k)).c_str());
  }
  for (int32_t i = 0; i < size_of(wbs); i++) {
    auto *w = static_cast<KORVU_SCVP_REPLYWANTBACK *>(item(wbs, i));
    std::fprintf(out, "  wantBack %s: %u octets\n", oid_string(korvu_scvpreplywantback_getwb(w)).c_str(),
                 korvu_asn1_octetstring_getlength(korvu_scvpreplywantback_getvalue(w)));
  }
  std::fprintf(out, "  validationErrors: %s\n", oids(korvu_scvpcertreply_getvalidationerrors(r)).c_str());
  std::fprintf(out, "  nextUpdate: %s\n", time_text(korvu_scvpcertreply_getnextupdate(r)).c_str());
}

void response(const KORVU_SCVP_CVRESPONSE *r, std::FILE *out) {
  std::fprintf(out, "version: %s\nserverConfigurationID: %s\nproducedAt: %s\n",
               number(korvu_scvpcvresponse_getcvresponseversion(r)).c_str(),
               number(korvu_scvpcvresponse_getserverconfigurationid(r)).c_str(),
               time_text(korvu_scvpcvresponse_getproducedat(r)).c_str());
  const KORVU_SCVP_RESPONSESTATUS *s = korvu_scvpcvresponse_getresponsestatus(r);
  const std::string message = text_of(korvu_scvpresponsestatus_geterrormessage(s));
  std::fprintf(out, "status: %s%s%s\n", number(korvu_scvpresponsestatus_getstatuscode(s)).c_str(),
               message.empty() ? "" : ", ", message.c_str());
  const KORVU_SCVP_REQUESTREFERENCE *ref = korvu_scvpcvresponse_getrequestref(r);
  const KORVU_SCVP_HASHVALUE *h = korvu_scvprequestreference_getrequesthash(ref);
  std::fprintf(out, "requestRef: %s\n",
               h ? ("requestHash " + octets_hex(korvu_scvphashvalue_getvalue(h))).c_str()
                 : (ref ? "fullRequest" : "none"));
  const KORVU_ASN1_LIST *replies = korvu_scvpcvresponse_getreplyobjects(r);
  for (int32_t i = 0; i < size_of(replies); i++) reply(static_cast<KORVU_SCVP_CERTREPLY *>(item(replies, i)), out);
}

void valpol(const KORVU_SCVP_VALPOLRESPONSE *r, std::FILE *out) {
  std::fprintf(out, "version: %s\nmaxCVRequestVersion: %s\nmaxVPRequestVersion: %s\n",
               number(korvu_scvpvalpolresponse_getvpresponseversion(r)).c_str(),
               number(korvu_scvpvalpolresponse_getmaxcvrequestversion(r)).c_str(),
               number(korvu_scvpvalpolresponse_getmaxvprequestversion(r)).c_str());
  std::fprintf(out, "thisUpdate: %s\nnextUpdate: %s\n", time_text(korvu_scvpvalpolresponse_getthisupdate(r)).c_str(),
               time_text(korvu_scvpvalpolresponse_getnextupdate(r)).c_str());
  std::fprintf(out, "checks: %s\n", oids(korvu_scvpvalpolresponse_getsupportedchecks(r)).c_str());
  std::fprintf(out, "wantBacks: %s\n", oids(korvu_scvpvalpolresponse_getsupportedwantbacks(r)).c_str());
  std::fprintf(out, "policies: %s\n", oids(korvu_scvpvalpolresponse_getvalidationpolicies(r)).c_str());
  std::fprintf(out, "hashAlgorithms: %s\n", oids(korvu_scvpvalpolresponse_gethashalgorithms(r)).c_str());
  std::fprintf(out, "clockSkew: %s\n", number(korvu_scvpvalpolresponse_getclockskew(r)).c_str());
}

}  // namespace

uint32_t scvp_content_type(const std::string &ct) {
  if (ct == "1.2.840.113549.1.9.16.1.10") return KORVU_TYPE_CVREQUEST;
  if (ct == "1.2.840.113549.1.9.16.1.11") return KORVU_TYPE_CVRESPONSE;
  if (ct == "1.2.840.113549.1.9.16.1.12") return KORVU_TYPE_VALPOLREQUEST;
  if (ct == "1.2.840.113549.1.9.16.1.13") return KORVU_TYPE_VALPOLRESPONSE;
  return 0;
}

int print_scvp_content(uint32_t type, const KORVU_ASN1_ANY *content, std::FILE *out) {
  void *v = nullptr;
  if (content && content->tag_class == 0 && content->tag_number == 4) {
    void *os = nullptr;
    if (korvu_asn1_any_toobject(content, KORVU_TYPE_OCTET_STRING, &os, nullptr) != 1) return 0;
    std::vector<unsigned char> b(korvu_asn1_octetstring_getlength(static_cast<KORVU_ASN1_OCTETSTRING *>(os)));
    const int got = b.empty() ? 0 : korvu_asn1_octetstring_getall(static_cast<KORVU_ASN1_OCTETSTRING *>(os), b.data());
    korvu_asn1_value_free(KORVU_TYPE_OCTET_STRING, os);
    if (got != 1 || korvu_asn1_mem_decode(b.data(), static_cast<int32_t>(b.size()), type, &v) != b.size()) {
      korvu_asn1_value_free(type, v);
      return 0;
    }
  } else if (korvu_asn1_any_toobject(content, type, &v, nullptr) != 1) {
    return 0;
  }
  const int r = print_scvp_summary(type, v, out);
  korvu_asn1_value_free(type, v);
  return r;
}

int print_scvp_summary(uint32_t type, const void *value, std::FILE *out) {
  if (value == nullptr || out == nullptr) return 0;
  switch (type) {
    case KORVU_TYPE_CVREQUEST: request(static_cast<const KORVU_SCVP_CVREQUEST *>(value), out); return 1;
    case KORVU_TYPE_CVRESPONSE: response(static_cast<const KORVU_SCVP_CVRESPONSE *>(value), out); return 1;
    case KORVU_TYPE_VALPOLRESPONSE: valpol(static_cast<const KORVU_SCVP_VALPOLRESPONSE *>(value), out); return 1;
    case KORVU_TYPE_VALPOLREQUEST: {
      auto *r = static_cast<const KORVU_SCVP_VALPOLREQUEST *>(value);
      std::fprintf(out, "version: %s\nnonce: %s\n", number(korvu_scvpvalpolrequest_getvprequestversion(r)).c_str(),
                   octets_hex(korvu_scvpvalpolrequest_getrequestnonce(r)).c_str());
      return 1;
    }
    default: return 0;
  }
}

}  // namespace korvu::tool
