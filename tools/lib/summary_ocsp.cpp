// OCSP and time-stamp summaries: read through the public getters; a token's TSTInfo is found by walking the
// encoding of its ContentInfo down to the SignedData's encapsulated content.
#include "summary_ocsp.h"

#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"
#include "summary.h"

namespace korvu::tool {
namespace {

using Bytes = std::vector<unsigned char>;

std::string integer_hex(const KORVU_ASN1_INTEGER *v) { return v ? hex(v->data, v->length) : "?"; }

Bytes octets(const KORVU_ASN1_OCTETSTRING *s) {
  const uint32_t n = s ? korvu_asn1_octetstring_getlength(s) : 0;
  if (n == 0 || n >= 0xFFFFFFFEu) return {};
  Bytes b(n);
  return korvu_asn1_octetstring_getall(s, b.data()) == 1 ? b : Bytes{};
}

std::string time_text(const KORVU_ASN1_TIME *t) { return t != nullptr ? time_string(t) : "none"; }

std::string number_text(const KORVU_ASN1_INTEGER *v, const char *const *names, int32_t count) {
  int32_t n = 0;
  if (v == nullptr || korvu_asn1_integer_getlong(v, &n) != 1) return "? (" + integer_hex(v) + ")";
  const char *name = n >= 0 && n < count && names[n] ? names[n] : "unknown";
  return std::string(name) + " (" + std::to_string(n) + ")";
}

std::string algorithm_text(const KORVU_X509_ALGID *a) {
  static const struct {
    const char *oid, *name;
  } known[] = {
      {"1.3.14.3.2.26", "sha1"},
      {"2.16.840.1.101.3.4.2.1", "sha256"},
      {"2.16.840.1.101.3.4.2.2", "sha384"},
      {"2.16.840.1.101.3.4.2.3", "sha512"},
      {"2.16.840.1.101.3.4.2.4", "sha224"},
      {"1.2.840.113549.2.5", "md5"},
      {"1.3.36.3.2.1", "ripemd160"},
      {"1.2.156.10197.1.401", "sm3"},
      {"1.2.840.113549.1.1.5", "sha1WithRSAEncryption"},
      {"1.2.840.113549.1.1.11", "sha256WithRSAEncryption"},
      {"1.2.840.113549.1.1.12", "sha384WithRSAEncryption"},
      {"1.2.840.113549.1.1.13", "sha512WithRSAEncryption"},
      {"1.2.840.10045.4.3.2", "ecdsa-with-SHA256"},
      {"1.2.840.10045.4.3.3", "ecdsa-with-SHA384"},
  };
  const char *s = a ? korvu_asn1_oid_getstring(korvu_x509algoid_getalgo(a)) : nullptr;
  if (s == nullptr) return "?";
  for (const auto &k : known)
    if (std::string(s) == k.oid) return k.name;
  return s;
}

void *item(const KORVU_ASN1_LIST *l, int32_t i) {
  void *e = nullptr;
  return korvu_asn1_list_get(l, i, &e) == 1 ? e : nullptr;
}

std::string general_name(const KORVU_X509_GENERALNAME *gn) { return gn ? general_name_text(gn) : "none"; }

// ---- OCSP ---------------------------------------------------------------------------------------------------
constexpr const char *kResponseStatus[] = {"successful", "malformedRequest", "internalError", "tryLater",
                                           nullptr,      "sigRequired",      "unauthorized"};
constexpr const char *kReasons[] = {"unspecified",          "keyCompromise", "cACompromise",
                                    "affiliationChanged",   "superseded",    "cessationOfOperation",
                                    "certificateHold",      nullptr,         "removeFromCRL",
                                    "privilegeWithdrawn",   "aACompromise"};
constexpr const char *kOcspBasic = "1.3.6.1.5.5.7.48.1.1";
constexpr const char *kOcspNonce = "1.3.6.1.5.5.7.48.1.2";

std::string single_text(const KORVU_OCSP_SINGLERESPONSE *sr) {
  std::string s = "serial " + integer_hex(korvu_ocsp_certid_getsn(korvu_ocsp_singleresponse_getcertid(sr))) + ", ";
  const KORVU_OCSP_CERTSTATUS *st = korvu_ocsp_singleresponse_getcertstatus(sr);
  switch (korvu_ocsp_certstatus_gettype(st)) {
    case 0:
      s += "good";
      break;
    case 1: {
      const KORVU_OCSP_REVOKEDINFO *ri = korvu_ocsp_certstatus_getrevoked(st);
      s += "revoked " + time_text(korvu_ocsp_revokedinfo_gettime(ri));
      if (const KORVU_ASN1_INTEGER *reason = korvu_ocsp_revokedinfo_getreason(ri))
        s += ", reason " + number_text(reason, kReasons, 11);
      break;
    }
    case 2:
      s += "unknown";
      break;
    default:
      s += "?";
  }
  s += ", thisUpdate " + time_text(korvu_ocsp_singleresponse_getthisupdate(sr));
  s += ", nextUpdate " + time_text(korvu_ocsp_singleresponse_getnextupdate(sr));
  return s;
}

int response_summary(const KORVU_OCSP_OCSPRESPONSE *r, std::FILE *out) {
  std::fprintf(out, "status: %s\n", number_text(korvu_ocsp_ocspresponse_getstatus(r), kResponseStatus, 7).c_str());
  const KORVU_OCSP_RESPONSEBYTES *rb = korvu_ocsp_ocspresponse_getresponse(r);
  if (rb == nullptr) return 1;
  const char *type = korvu_asn1_oid_getstring(korvu_ocsp_responsebytes_gettype(rb));
  std::fprintf(out, "responseType: %s\n", type ? type : "?");
  if (type == nullptr || std::string(type) != kOcspBasic) return 1;
  Bytes der = octets(korvu_ocsp_responsebytes_getresponse(rb));
  Value basic(KORVU_TYPE_BASICOCSPRESPONSE);
  if (der.empty() || korvu_asn1_mem_decode(der.data(), static_cast<int32_t>(der.size()), basic.type(),
                                           basic.out()) != der.size()) {
    std::fprintf(out, "basic response: does not decode\n");
    return 1;
  }
  const KORVU_OCSP_RESPONSEDATA *rd = korvu_ocsp_basicocspresponse_gettbs(basic.as<KORVU_OCSP_BASICRESPONSE>());
  const KORVU_OCSP_RESPONDERID *rid = korvu_ocsp_responsedata_getrespid(rd);
  if (korvu_ocsp_responderid_gettype(rid) == 1) {
    std::string name;
    const bool named = name_text(korvu_ocsp_responderid_getname(rid), name);
    std::fprintf(out, "responder: byName %s\n", named ? name.c_str() : "?");
  } else {
    Bytes key = octets(korvu_ocsp_responderid_getkeyhash(rid));
    std::fprintf(out, "responder: byKey %s\n", hex(key.data(), key.size()).c_str());
  }
  std::fprintf(out, "producedAt: %s\n", time_text(korvu_ocsp_responsedata_getproducedat(rd)).c_str());
  const KORVU_ASN1_LIST *rs = korvu_ocsp_responsedata_getresponses(rd);
  for (int32_t i = 0; i < korvu_asn1_list_getsize(rs); i++)
    std::fprintf(out, "response: %s\n",
                 single_text(static_cast<const KORVU_OCSP_SINGLERESPONSE *>(item(rs, i))).c_str());
  return 1;
}

int request_summary(const KORVU_OCSP_OCSPREQUEST *r, std::FILE *out) {
  const KORVU_OCSP_TBSREQUEST *tbs = korvu_ocsp_ocsprequest_gettbs(r);
  if (tbs == nullptr) return 0;
  const KORVU_ASN1_LIST *list = korvu_ocsp_tbsrequest_getreqlist(tbs);
  for (int32_t i = 0; i < korvu_asn1_list_getsize(list); i++) {
    const KORVU_OCSP_CERTID *id = korvu_ocsp_request_getcertid(static_cast<const KORVU_OCSP_REQUEST *>(item(list, i)));
    std::fprintf(out, "request: %s, serial %s\n", algorithm_text(korvu_ocsp_certid_gethashalgo(id)).c_str(),
                 integer_hex(korvu_ocsp_certid_getsn(id)).c_str());
  }
  std::fprintf(out, "requestor: %s\n", general_name(korvu_ocsp_tbsrequest_getname(tbs)).c_str());
  std::string nonce = "none";
  const KORVU_ASN1_LIST *exts = korvu_ocsp_tbsrequest_getexts(tbs);
  for (int32_t i = 0; i < korvu_asn1_list_getsize(exts); i++) {
    auto *e = static_cast<const KORVU_X509_EXTENSION *>(item(exts, i));
    const char *id = korvu_asn1_oid_getstring(korvu_x509extension_getid(e));
    if (id && std::string(id) == kOcspNonce) {
      Bytes v = octets(korvu_x509extension_getvalue(e));
      nonce = hex(v.data(), v.size());
    }
  }
  std::fprintf(out, "nonce: %s\n", nonce.c_str());
  const KORVU_OCSP_SIGNATURE *sig = korvu_ocsp_ocsprequest_getsignature(r);
  if (sig == nullptr)
    std::fprintf(out, "signed: no\n");
  else
    std::fprintf(out, "signed: yes, %s\n", algorithm_text(korvu_ocsp_signature_getsignalgo(sig)).c_str());
  return 1;
}

// ---- time-stamping ------------------------------------------------------------------------------------------
constexpr const char *kPkiStatus[] = {"granted",   "grantedWithMods",        "rejection",
                                      "waiting",   "revocationWarning",      "revocationNotification"};
// PKIFailureInfo bits used by time-stamping (RFC 3161 2.4.2).
constexpr struct {
  int32_t bit;
  const char *name;
} kFailures[] = {{0, "badAlg"},         {2, "badRequest"},       {5, "badDataFormat"},
                 {14, "timeNotAvailable"}, {15, "unacceptedPolicy"}, {16, "unacceptedExtension"},
                 {17, "addInfoNotAvailable"}, {25, "systemFailure"}};

int tstinfo_summary(const KORVU_TSP_TSTINFO *t, std::FILE *out) {
  if (t == nullptr) return 0;
  const char *policy = korvu_asn1_oid_getstring(korvu_tsp_tstinfo_getpolicy(t));
  std::fprintf(out, "policy: %s\n", policy ? policy : "?");
  std::fprintf(out, "genTime: %s\n", time_text(korvu_tsp_tstinfo_getgentime(t)).c_str());
  std::fprintf(out, "serial: %s\n", integer_hex(korvu_tsp_tstinfo_getsn(t)).c_str());
  const KORVU_TSP_MESSAGEIMPRINT *mi = korvu_tsp_tstinfo_getmessageimprint(t);
  std::fprintf(out, "imprint algorithm: %s\n", algorithm_text(mi ? mi->hashAlgorithm : nullptr).c_str());
  if (const KORVU_TSP_ACCURACY *a = korvu_tsp_tstinfo_getaccuracy(t)) {
    auto part = [](const KORVU_ASN1_INTEGER *v) {
      int32_t n = 0;
      return v && korvu_asn1_integer_getlong(v, &n) == 1 ? std::to_string(n) : std::string("0");
    };
    std::fprintf(out, "accuracy: %ss %sms %sus\n", part(korvu_tsp_accuracy_getseconds(a)).c_str(),
                 part(korvu_tsp_accuracy_getmillis(a)).c_str(), part(korvu_tsp_accuracy_getmicros(a)).c_str());
  } else {
    std::fprintf(out, "accuracy: none\n");
  }
  std::fprintf(out, "ordering: %s\n", korvu_asn1_boolean_istrue(korvu_tsp_tstinfo_getordering(t)) ? "yes" : "no");
  const KORVU_ASN1_INTEGER *nonce = korvu_tsp_tstinfo_getnonce(t);
  std::fprintf(out, "nonce: %s\n", nonce ? integer_hex(nonce).c_str() : "none");
  std::fprintf(out, "tsa: %s\n", general_name(korvu_tsp_tstinfo_gettsaname(t)).c_str());
  return 1;
}

// A BER element: identifier octet, whether constructed, contents [body, end), end of the whole element.
struct Element {
  unsigned char tag = 0;
  size_t start = 0, body = 0, end = 0, next = 0;
};

// Reads the element at pos inside [pos, limit), indefinite lengths followed (depth-bounded).
bool element(const Bytes &b, size_t pos, size_t limit, Element &e, int depth = 0) {
  if (depth > 32 || pos + 2 > limit || (b[pos] & 0x1F) == 0x1F) return false;
  e.tag = b[pos];
  e.start = pos;
  size_t p = pos + 2, len = b[pos + 1];
  if (len == 0x80) {
    if (!(e.tag & 0x20)) return false;
    e.body = p;
    while (p + 2 <= limit && !(b[p] == 0 && b[p + 1] == 0)) {
      Element c;
      if (!element(b, p, limit, c, depth + 1)) return false;
      p = c.next;
    }
    if (p + 2 > limit) return false;
    e.end = p;
    e.next = p + 2;
    return true;
  }
  if (len & 0x80) {
    size_t n = len & 0x7F;
    if (n == 0 || n > 4 || p + n > limit) return false;
    len = 0;
    for (size_t i = 0; i < n; i++) len = len << 8 | b[p++];
  }
  if (len > limit - p) return false;
  e.body = p;
  e.end = e.next = p + len;
  return true;
}

// The children of a constructed element.
std::vector<Element> children(const Bytes &b, const Element &e) {
  std::vector<Element> out;
  for (size_t p = e.body; p < e.end;) {
    Element c;
    if (!element(b, p, e.end, c)) return {};
    out.push_back(c);
    p = c.next;
  }
  return out;
}

// The data of an OCTET STRING, primitive or constructed.
bool octet_data(const Bytes &b, const Element &e, Bytes &out, int depth = 0) {
  if (e.tag == 0x04) {
    out.insert(out.end(), b.begin() + static_cast<long>(e.body), b.begin() + static_cast<long>(e.end));
    return true;
  }
  if (e.tag != 0x24 || depth > 8) return false;
  for (const Element &c : children(b, e))
    if (!octet_data(b, c, out, depth + 1)) return false;
  return true;
}

// ContentInfo { contentType, [0] SignedData { version, digestAlgorithms, encapContentInfo { eContentType,
// [0] OCTET STRING } ... } }, or a ContentInfo that holds the TSTInfo itself in its [0].
bool token_tstinfo(const void *token, Bytes &tst) {
  BlobHolder blob(korvu_asn1_mem_encode(KORVU_TYPE_CONTENTINFO, token));
  if (!blob) return false;
  Bytes b(blob->data, blob->data + blob->length);
  Element ci;
  if (!element(b, 0, b.size(), ci) || ci.tag != 0x30) return false;
  std::vector<Element> top = children(b, ci);
  if (top.size() != 2 || top[1].tag != 0xA0) return false;
  std::vector<Element> inner = children(b, top[1]);
  if (inner.size() != 1 || inner[0].tag != 0x30) return false;
  std::vector<Element> sd = children(b, inner[0]);
  if (sd.size() >= 3 && sd[0].tag == 0x02 && sd[1].tag == 0x31 && sd[2].tag == 0x30) {
    std::vector<Element> encap = children(b, sd[2]);
    if (encap.size() != 2 || encap[1].tag != 0xA0) return false;
    std::vector<Element> content = children(b, encap[1]);
    return content.size() == 1 && octet_data(b, content[0], tst);
  }
  tst.assign(b.begin() + static_cast<long>(inner[0].start), b.begin() + static_cast<long>(inner[0].next));
  return true;
}

int timestampresp_summary(const KORVU_TSP_TIMESTAMPRESP *r, std::FILE *out) {
  const KORVU_TSP_PKISTATUSINFO *si = korvu_tsp_timestampresp_getstatus(r);
  if (si == nullptr) return 0;
  std::fprintf(out, "status: %s\n", number_text(korvu_tsp_pkistatusinfo_getstatus(si), kPkiStatus, 6).c_str());
  std::string text;
  const KORVU_ASN1_LIST *texts = korvu_tsp_pkistatusinfo_getstatusstring(si);
  for (int32_t i = 0; i < korvu_asn1_list_getsize(texts); i++) {
    Bytes t = octets(static_cast<const KORVU_ASN1_STRING *>(item(texts, i)));
    text += (i ? " | " : "") + std::string(t.begin(), t.end());
  }
  std::fprintf(out, "status text: %s\n", texts ? text.c_str() : "none");
  std::string failures;
  if (const KORVU_ASN1_BITSTRING *fi = korvu_tsp_pkistatusinfo_getfailinfo(si)) {
    for (const auto &f : kFailures)
      if (korvu_asn1_bitstring_getbit(fi, f.bit) == 1) failures += (failures.empty() ? "" : ", ") + std::string(f.name);
    if (failures.empty()) failures = "other";
  }
  std::fprintf(out, "failure: %s\n", failures.empty() ? "none" : failures.c_str());
  const void *token = korvu_tsp_timestampresp_gettoken(r);
  if (token == nullptr) {
    std::fprintf(out, "token: none\n");
    return 1;
  }
  Bytes der;
  Value tst(KORVU_TYPE_TSTINFO);
  if (!token_tstinfo(token, der) ||
      korvu_asn1_mem_decode(der.data(), static_cast<int32_t>(der.size()), tst.type(), tst.out()) != der.size()) {
    std::fprintf(out, "token: no TSTInfo found\n");
    return 1;
  }
  std::fprintf(out, "token: TSTInfo\n");
  return tstinfo_summary(tst.as<KORVU_TSP_TSTINFO>(), out);
}

}  // namespace

int print_ocsp_summary(uint32_t type, const void *value, std::FILE *out) {
  if (value == nullptr || out == nullptr) return 0;
  switch (type) {
    case KORVU_TYPE_OCSPRESPONSE:
      return response_summary(static_cast<const KORVU_OCSP_OCSPRESPONSE *>(value), out);
    case KORVU_TYPE_OCSPREQUEST:
      return request_summary(static_cast<const KORVU_OCSP_OCSPREQUEST *>(value), out);
    case KORVU_TYPE_TIMESTAMPRESP:
      return timestampresp_summary(static_cast<const KORVU_TSP_TIMESTAMPRESP *>(value), out);
    case KORVU_TYPE_TSTINFO:
      return tstinfo_summary(static_cast<const KORVU_TSP_TSTINFO *>(value), out);
    default:
      return 0;
  }
}

}  // namespace korvu::tool
