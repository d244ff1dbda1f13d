// SCVP values read by the library's getters under the paths of tests/scvp_rfc5055.py (the RFC 5055 module for
// pyasn1, compared through tests/asn1_peer.py).
#ifndef KORVU_TESTS_SCVP_PEER_H
#define KORVU_TESTS_SCVP_PEER_H

#include <string>

#include "peer_compare.h"

namespace korvu_test::scvp {

using P = const std::string &;

inline void certid(LibDump &o, P p, const KORVU_SCVP_CERTID *id) {
  o.der(p + "/certHash", KORVU_TYPE_OCTET_STRING, korvu_scvpcertid_getcerthash(id));
  const KORVU_SCVP_ISSUERSERIAL *is = korvu_scvpcertid_getissuerserial(id);
  o.list_der(p + "/issuerSerial/issuer", KORVU_TYPE_GENERALNAME, is ? korvu_scvpissuerserial_getissuer(is) : nullptr);
  o.der(p + "/issuerSerial/serialNumber", KORVU_TYPE_INTEGER, korvu_scvpissuerserial_getserial(is));
  o.der(p + "/hashAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_scvpcertid_gethashalgorithm(id));
}

inline void pkc(LibDump &o, P p, const KORVU_SCVP_PKCREFERENCE *r) {
  o.der(p, KORVU_TYPE_PKCREFERENCE, r);
  o.der(p + "/cert", KORVU_TYPE_CERTIFICATE, korvu_scvppkcreference_getcert(r));
  if (korvu_scvppkcreference_gettype(r) == 1) certid(o, p + "/pkcRef", korvu_scvppkcreference_getpkcref(r));
}

inline void ac(LibDump &o, P p, const KORVU_SCVP_ACREFERENCE *r) {
  o.der(p, KORVU_TYPE_ACREFERENCE, r);
  o.der(p + "/attrCert", KORVU_TYPE_ATTRIBUTECERTIFICATE, korvu_scvpacreference_getattrcert(r));
  if (korvu_scvpacreference_gettype(r) == 3) certid(o, p + "/acRef", korvu_scvpacreference_getacref(r));
}

inline void revinfo(LibDump &o, P p, const KORVU_SCVP_REVOCATIONINFO *r) {
  o.der(p + "/crl", KORVU_TYPE_CERTIFICATELIST, korvu_scvprevocationinfo_getcrl(r));
  o.der(p + "/delta-crl", KORVU_TYPE_CERTIFICATELIST, korvu_scvprevocationinfo_getdeltacrl(r));
  o.der(p + "/ocsp", KORVU_TYPE_OCSPRESPONSE, korvu_scvprevocationinfo_getocsp(r));
  const KORVU_SCVP_OTHERREVINFO *x = korvu_scvprevocationinfo_getother(r);
  o.der(p + "/other", KORVU_TYPE_OTHERREVINFO, x);
  if (x) o.der(p + "/other/riValue", KORVU_TYPE_ANY, korvu_scvpotherrevinfo_getrivalue(x));
}

inline void policy(LibDump &o, P p, const KORVU_SCVP_VALIDATIONPOLICY *v) {
  o.der(p, KORVU_TYPE_VALIDATIONPOLICY, v);
  const KORVU_SCVP_VALIDATIONPOLREF *ref = korvu_scvpvalidationpolicy_getvalidationpolref(v);
  o.der(p + "/validationPolRef/valPolId", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_scvpvalidationpolref_getvalpolid(ref));
  o.der(p + "/validationPolRef/valPolParams", KORVU_TYPE_ANY, korvu_scvpvalidationpolref_getvalpolparams(ref));
  const KORVU_SCVP_VALIDATIONALG *alg = korvu_scvpvalidationpolicy_getvalidationalg(v);
  o.der(p + "/validationAlg", KORVU_TYPE_VALIDATIONALG, alg);
  if (alg) o.der(p + "/validationAlg/parameters", KORVU_TYPE_ANY, korvu_scvpvalidationalg_getparameters(alg));
  o.list_der(p + "/userPolicySet", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_scvpvalidationpolicy_getuserpolicyset(v));
  o.der(p + "/inhibitPolicyMapping", KORVU_TYPE_BOOLEAN, korvu_scvpvalidationpolicy_getinhibitpolicymapping(v));
  o.der(p + "/requireExplicitPolicy", KORVU_TYPE_BOOLEAN, korvu_scvpvalidationpolicy_getrequireexplicitpolicy(v));
  o.der(p + "/inhibitAnyPolicy", KORVU_TYPE_BOOLEAN, korvu_scvpvalidationpolicy_getinhibitanypolicy(v));
  o.list<KORVU_SCVP_PKCREFERENCE>(p + "/trustAnchors", korvu_scvpvalidationpolicy_gettrustanchors(v),
                                  [&](P q, auto *e) { pkc(o, q, e); });
  o.list_der(p + "/keyUsages", KORVU_TYPE_BIT_STRING, korvu_scvpvalidationpolicy_getkeyusages(v));
  o.list_der(p + "/extendedKeyUsages", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_scvpvalidationpolicy_getextendedkeyusages(v));
  o.list_der(p + "/specifiedKeyUsages", KORVU_TYPE_OBJECT_IDENTIFIER,
             korvu_scvpvalidationpolicy_getspecifiedkeyusages(v));
}

inline void request(LibDump &o, P p, const KORVU_SCVP_CVREQUEST *r) {
  o.der(p + "/cvRequestVersion", KORVU_TYPE_INTEGER, korvu_scvpcvrequest_getcvrequestversion(r));
  const KORVU_SCVP_QUERY *q = korvu_scvpcvrequest_getquery(r);
  const std::string s = p + "/query";
  const KORVU_SCVP_CERTREFERENCES *refs = korvu_scvpquery_getqueriedcerts(q);
  o.der(s + "/queriedCerts", KORVU_TYPE_CERTREFERENCES, refs);
  o.list<KORVU_SCVP_PKCREFERENCE>(s + "/queriedCerts/pkcRefs", korvu_scvpcertreferences_getpkcrefs(refs),
                                  [&](P x, auto *e) { pkc(o, x, e); });
  o.list<KORVU_SCVP_ACREFERENCE>(s + "/queriedCerts/acRefs", korvu_scvpcertreferences_getacrefs(refs),
                                 [&](P x, auto *e) { ac(o, x, e); });
  o.list_der(s + "/checks", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_scvpquery_getchecks(q));
  o.list_der(s + "/wantBack", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_scvpquery_getwantback(q));
  policy(o, s + "/validationPolicy", korvu_scvpquery_getvalidationpolicy(q));
  const KORVU_SCVP_RESPONSEFLAGS *f = korvu_scvpquery_getresponseflags(q);
  o.der(s + "/responseFlags", KORVU_TYPE_RESPONSEFLAGS, f);
  if (f) {
    o.der(s + "/responseFlags/fullRequestInResponse", KORVU_TYPE_BOOLEAN, korvu_scvpresponseflags_getfullrequestinresponse(f));
    o.der(s + "/responseFlags/responseValidationPolByRef", KORVU_TYPE_BOOLEAN,
          korvu_scvpresponseflags_getresponsevalidationpolbyref(f));
    o.der(s + "/responseFlags/protectResponse", KORVU_TYPE_BOOLEAN, korvu_scvpresponseflags_getprotectresponse(f));
    o.der(s + "/responseFlags/cachedResponse", KORVU_TYPE_BOOLEAN, korvu_scvpresponseflags_getcachedresponse(f));
  }
  o.der(s + "/serverContextInfo", KORVU_TYPE_OCTET_STRING, korvu_scvpquery_getservercontextinfo(q));
  o.der(s + "/validationTime", KORVU_TYPE_GENERALIZEDTIME, korvu_scvpquery_getvalidationtime(q));
  o.list_der(s + "/intermediateCerts", KORVU_TYPE_CERTIFICATE, korvu_scvpquery_getintermediatecerts(q));
  o.list<KORVU_SCVP_REVOCATIONINFO>(s + "/revInfos", korvu_scvpquery_getrevinfos(q),
                                    [&](P x, auto *e) { revinfo(o, x, e); });
  o.der(s + "/producedAt", KORVU_TYPE_GENERALIZEDTIME, korvu_scvpquery_getproducedat(q));
  o.list_der(s + "/queryExtensions", KORVU_TYPE_EXTENSION, korvu_scvpquery_getqueryextensions(q));
  o.list_der(p + "/requestorRef", KORVU_TYPE_GENERALNAME, korvu_scvpcvrequest_getrequestorref(r));
  o.der(p + "/requestNonce", KORVU_TYPE_OCTET_STRING, korvu_scvpcvrequest_getrequestnonce(r));
  o.der(p + "/requestorName", KORVU_TYPE_GENERALNAME, korvu_scvpcvrequest_getrequestorname(r));
  o.der(p + "/responderName", KORVU_TYPE_GENERALNAME, korvu_scvpcvrequest_getrespondername(r));
  o.list_der(p + "/requestExtensions", KORVU_TYPE_EXTENSION, korvu_scvpcvrequest_getrequestextensions(r));
  o.der(p + "/signatureAlg", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_scvpcvrequest_getsignaturealg(r));
  o.der(p + "/hashAlg", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_scvpcvrequest_gethashalg(r));
  o.der(p + "/requestorText", KORVU_TYPE_UTF8STRING, korvu_scvpcvrequest_getrequestortext(r));
}

inline void reply(LibDump &o, P p, const KORVU_SCVP_CERTREPLY *r) {
  const KORVU_SCVP_CERTREFERENCE *c = korvu_scvpcertreply_getcert(r);
  o.der(p + "/cert", KORVU_TYPE_CERTREFERENCE, c);
  if (const KORVU_SCVP_PKCREFERENCE *k = korvu_scvpcertreference_getpkc(c)) pkc(o, p + "/cert/pkc", k);
  if (const KORVU_SCVP_ACREFERENCE *a = korvu_scvpcertreference_getac(c)) ac(o, p + "/cert/ac", a);
  o.der(p + "/replyStatus", KORVU_TYPE_ENUMERATED, korvu_scvpcertreply_getreplystatus(r));
  o.der(p + "/replyValTime", KORVU_TYPE_GENERALIZEDTIME, korvu_scvpcertreply_getreplyvaltime(r));
  o.list<KORVU_SCVP_REPLYCHECK>(p + "/replyChecks", korvu_scvpcertreply_getreplychecks(r), [&](P x, auto *e) {
    o.der(x + "/check", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_scvpreplycheck_getcheck(e));
    o.der(x + "/status", KORVU_TYPE_INTEGER, korvu_scvpreplycheck_getstatus(e));
  });
  o.list<KORVU_SCVP_REPLYWANTBACK>(p + "/replyWantBacks", korvu_scvpcertreply_getreplywantbacks(r), [&](P x, auto *e) {
    o.der(x + "/wb", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_scvpreplywantback_getwb(e));
    o.der(x + "/value", KORVU_TYPE_OCTET_STRING, korvu_scvpreplywantback_getvalue(e));
  });
  o.list_der(p + "/validationErrors", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_scvpcertreply_getvalidationerrors(r));
  o.der(p + "/nextUpdate", KORVU_TYPE_GENERALIZEDTIME, korvu_scvpcertreply_getnextupdate(r));
  o.list_der(p + "/certReplyExtensions", KORVU_TYPE_EXTENSION, korvu_scvpcertreply_getcertreplyextensions(r));
}

inline void response(LibDump &o, P p, const KORVU_SCVP_CVRESPONSE *r) {
  o.der(p + "/cvResponseVersion", KORVU_TYPE_INTEGER, korvu_scvpcvresponse_getcvresponseversion(r));
  o.der(p + "/serverConfigurationID", KORVU_TYPE_INTEGER, korvu_scvpcvresponse_getserverconfigurationid(r));
  o.der(p + "/producedAt", KORVU_TYPE_GENERALIZEDTIME, korvu_scvpcvresponse_getproducedat(r));
  const KORVU_SCVP_RESPONSESTATUS *st = korvu_scvpcvresponse_getresponsestatus(r);
  o.der(p + "/responseStatus/statusCode", KORVU_TYPE_ENUMERATED, korvu_scvpresponsestatus_getstatuscode(st));
  o.der(p + "/responseStatus/errorMessage", KORVU_TYPE_UTF8STRING, korvu_scvpresponsestatus_geterrormessage(st));
  const KORVU_SCVP_VALIDATIONPOLICY *vp = korvu_scvpcvresponse_getrespvalidationpolicy(r);
  if (vp) policy(o, p + "/respValidationPolicy", vp);
  else o.at[p + "/respValidationPolicy"] = "-";
  const KORVU_SCVP_REQUESTREFERENCE *ref = korvu_scvpcvresponse_getrequestref(r);
  o.der(p + "/requestRef", KORVU_TYPE_REQUESTREFERENCE, ref);
  if (const KORVU_SCVP_HASHVALUE *h = korvu_scvprequestreference_getrequesthash(ref)) {
    o.der(p + "/requestRef/requestHash/algorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_scvphashvalue_getalgorithm(h));
    o.der(p + "/requestRef/requestHash/value", KORVU_TYPE_OCTET_STRING, korvu_scvphashvalue_getvalue(h));
  }
  if (const KORVU_SCVP_CVREQUEST *full = korvu_scvprequestreference_getfullrequest(ref))
    request(o, p + "/requestRef/fullRequest", full);
  o.list_der(p + "/requestorRef", KORVU_TYPE_GENERALNAME, korvu_scvpcvresponse_getrequestorref(r));
  o.list_der(p + "/requestorName", KORVU_TYPE_GENERALNAME, korvu_scvpcvresponse_getrequestorname(r));
  o.list<KORVU_SCVP_CERTREPLY>(p + "/replyObjects", korvu_scvpcvresponse_getreplyobjects(r),
                               [&](P x, auto *e) { reply(o, x, e); });
  o.der(p + "/respNonce", KORVU_TYPE_OCTET_STRING, korvu_scvpcvresponse_getrespnonce(r));
  o.der(p + "/serverContextInfo", KORVU_TYPE_OCTET_STRING, korvu_scvpcvresponse_getservercontextinfo(r));
  o.list_der(p + "/cvResponseExtensions", KORVU_TYPE_EXTENSION, korvu_scvpcvresponse_getcvresponseextensions(r));
  o.der(p + "/requestorText", KORVU_TYPE_UTF8STRING, korvu_scvpcvresponse_getrequestortext(r));
}

inline void valpol(LibDump &o, P p, const KORVU_SCVP_VALPOLRESPONSE *r) {
  o.der(p + "/vpResponseVersion", KORVU_TYPE_INTEGER, korvu_scvpvalpolresponse_getvpresponseversion(r));
  o.der(p + "/maxCVRequestVersion", KORVU_TYPE_INTEGER, korvu_scvpvalpolresponse_getmaxcvrequestversion(r));
  o.der(p + "/maxVPRequestVersion", KORVU_TYPE_INTEGER, korvu_scvpvalpolresponse_getmaxvprequestversion(r));
  o.der(p + "/serverConfigurationID", KORVU_TYPE_INTEGER, korvu_scvpvalpolresponse_getserverconfigurationid(r));
  o.der(p + "/thisUpdate", KORVU_TYPE_GENERALIZEDTIME, korvu_scvpvalpolresponse_getthisupdate(r));
  o.der(p + "/nextUpdate", KORVU_TYPE_GENERALIZEDTIME, korvu_scvpvalpolresponse_getnextupdate(r));
  const uint32_t oid = KORVU_TYPE_OBJECT_IDENTIFIER, alg = KORVU_TYPE_ALGORITHMIDENTIFIER;
  o.list_der(p + "/supportedChecks", oid, korvu_scvpvalpolresponse_getsupportedchecks(r));
  o.list_der(p + "/supportedWantBacks", oid, korvu_scvpvalpolresponse_getsupportedwantbacks(r));
  o.list_der(p + "/validationPolicies", oid, korvu_scvpvalpolresponse_getvalidationpolicies(r));
  o.list_der(p + "/validationAlgs", oid, korvu_scvpvalpolresponse_getvalidationalgs(r));
  o.list_der(p + "/authPolicies", oid, korvu_scvpvalpolresponse_getauthpolicies(r));
  o.der(p + "/responseTypes", KORVU_TYPE_ENUMERATED, korvu_scvpvalpolresponse_getresponsetypes(r));
  policy(o, p + "/defaultPolicyValues", korvu_scvpvalpolresponse_getdefaultpolicyvalues(r));
  o.der(p + "/revocationInfoTypes", KORVU_TYPE_BIT_STRING, korvu_scvpvalpolresponse_getrevocationinfotypes(r));
  o.list_der(p + "/signatureGeneration", alg, korvu_scvpvalpolresponse_getsignaturegeneration(r));
  o.list_der(p + "/signatureVerification", alg, korvu_scvpvalpolresponse_getsignatureverification(r));
  o.list_der(p + "/hashAlgorithms", oid, korvu_scvpvalpolresponse_gethashalgorithms(r));
  o.list<KORVU_SCVP_KEYAGREEPUBLICKEY>(p + "/serverPublicKeys", korvu_scvpvalpolresponse_getserverpublickeys(r),
                                       [&](P x, auto *k) {
    o.der(x + "/algorithm", alg, korvu_scvpkeyagreepublickey_getalgorithm(k));
    o.der(x + "/publicKey", KORVU_TYPE_BIT_STRING, korvu_scvpkeyagreepublickey_getpublickey(k));
    o.der(x + "/macAlgorithm", alg, korvu_scvpkeyagreepublickey_getmacalgorithm(k));
    o.der(x + "/kDF", alg, korvu_scvpkeyagreepublickey_getkdf(k));
  });
  o.der(p + "/clockSkew", KORVU_TYPE_INTEGER, korvu_scvpvalpolresponse_getclockskew(r));
  o.der(p + "/requestNonce", KORVU_TYPE_OCTET_STRING, korvu_scvpvalpolresponse_getrequestnonce(r));
}

// The library's reading of a message of one of the four top-level types, by the transcription's paths.
inline LibDump lib_dump(uint32_t type, const void *v, P p = "") {
  LibDump o;
  if (type == KORVU_TYPE_CVREQUEST) request(o, p, static_cast<const KORVU_SCVP_CVREQUEST *>(v));
  if (type == KORVU_TYPE_CVRESPONSE) response(o, p, static_cast<const KORVU_SCVP_CVRESPONSE *>(v));
  if (type == KORVU_TYPE_VALPOLRESPONSE) valpol(o, p, static_cast<const KORVU_SCVP_VALPOLRESPONSE *>(v));
  if (type == KORVU_TYPE_VALPOLREQUEST) {
    auto *r = static_cast<const KORVU_SCVP_VALPOLREQUEST *>(v);
    o.der(p + "/vpRequestVersion", KORVU_TYPE_INTEGER, korvu_scvpvalpolrequest_getvprequestversion(r));
    o.der(p + "/requestNonce", KORVU_TYPE_OCTET_STRING, korvu_scvpvalpolrequest_getrequestnonce(r));
  }
  return o;
}

// The transcription's names of the four messages, by the content type they travel under.
inline const std::map<std::string, std::pair<uint32_t, std::string>> &messages() {
  static const std::map<std::string, std::pair<uint32_t, std::string>> m = {
      {"1.2.840.113549.1.9.16.1.10", {KORVU_TYPE_CVREQUEST, "scvp_rfc5055.CVRequest"}},
      {"1.2.840.113549.1.9.16.1.11", {KORVU_TYPE_CVRESPONSE, "scvp_rfc5055.CVResponse"}},
      {"1.2.840.113549.1.9.16.1.12", {KORVU_TYPE_VALPOLREQUEST, "scvp_rfc5055.ValPolRequest"}},
      {"1.2.840.113549.1.9.16.1.13", {KORVU_TYPE_VALPOLRESPONSE, "scvp_rfc5055.ValPolResponse"}}};
  return m;
}

// "open" lines of tests/asn1_peer.py: a ContentInfo's SignedData and the four messages.
inline std::vector<std::string> opens() {
  std::vector<std::string> v = {"1.2.840.113549.1.7.2\trfc5652.SignedData"};
  for (const auto &[oid, m] : messages()) v.push_back(oid + "\t" + m.second);
  return v;
}

}  // namespace korvu_test::scvp

#endif
