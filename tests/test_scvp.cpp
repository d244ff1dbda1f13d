// SCVP: corpus messages (RFC 5055 and RFC 5276 examples), tests/data/scvp_vectors.txt and messages built from real
// parts, read by the library and by RFC 5055's module transcribed for pyasn1 (tests/scvp_rfc5055.py), getter by getter.
#include <algorithm>

#include "peer_compare.h"
#include "vectors.h"

using namespace korvu_test;

namespace {
using P = const std::string &;
constexpr uint32_t kOid = KORVU_TYPE_OBJECT_IDENTIFIER, kOcts = KORVU_TYPE_OCTET_STRING, kInt = KORVU_TYPE_INTEGER;
constexpr uint32_t kAlg = KORVU_TYPE_ALGORITHMIDENTIFIER, kTime = KORVU_TYPE_GENERALIZEDTIME, kExt = KORVU_TYPE_EXTENSION;
constexpr uint32_t kBool = KORVU_TYPE_BOOLEAN, kName = KORVU_TYPE_GENERALNAME, kUtf8 = KORVU_TYPE_UTF8STRING;

// The library's reading through its getters, by the transcription's paths.
struct Dump : LibDump {
  void certid(P p, const KORVU_SCVP_CERTID *id) {
    const KORVU_SCVP_ISSUERSERIAL *is = korvu_scvpcertid_getissuerserial(id);
    der(p + "/certHash", kOcts, korvu_scvpcertid_getcerthash(id));
    list_der(p + "/issuerSerial/issuer", kName, korvu_scvpissuerserial_getissuer(is));
    der(p + "/issuerSerial/serialNumber", kInt, korvu_scvpissuerserial_getserial(is));
    der(p + "/hashAlgorithm", kAlg, korvu_scvpcertid_gethashalgorithm(id));
  }
  void pkc(P p, const KORVU_SCVP_PKCREFERENCE *r) {
    der(p + "/cert", KORVU_TYPE_CERTIFICATE, korvu_scvppkcreference_getcert(r));
    if (korvu_scvppkcreference_gettype(r) == 1) certid(p + "/pkcRef", korvu_scvppkcreference_getpkcref(r));
  }
  void ac(P p, const KORVU_SCVP_ACREFERENCE *r) {
    der(p + "/attrCert", KORVU_TYPE_ATTRIBUTECERTIFICATE, korvu_scvpacreference_getattrcert(r));
    if (korvu_scvpacreference_gettype(r) == 3) certid(p + "/acRef", korvu_scvpacreference_getacref(r));
  }
  void revinfo(P p, const KORVU_SCVP_REVOCATIONINFO *r) {
    der(p + "/crl", KORVU_TYPE_CERTIFICATELIST, korvu_scvprevocationinfo_getcrl(r));
    der(p + "/delta-crl", KORVU_TYPE_CERTIFICATELIST, korvu_scvprevocationinfo_getdeltacrl(r));
    der(p + "/ocsp", KORVU_TYPE_OCSPRESPONSE, korvu_scvprevocationinfo_getocsp(r));
    der(p + "/other", KORVU_TYPE_OTHERREVINFO, korvu_scvprevocationinfo_getother(r));
    if (auto *x = korvu_scvprevocationinfo_getother(r)) der(p + "/other/riValue", KORVU_TYPE_ANY, korvu_scvpotherrevinfo_getrivalue(x));
  }
  void policy(P p, const KORVU_SCVP_VALIDATIONPOLICY *v) {
    der(p, KORVU_TYPE_VALIDATIONPOLICY, v);  // getters of a null record give null, compared as absent
    const KORVU_SCVP_VALIDATIONPOLREF *ref = korvu_scvpvalidationpolicy_getvalidationpolref(v);
    const KORVU_SCVP_VALIDATIONALG *alg = korvu_scvpvalidationpolicy_getvalidationalg(v);
    der(p + "/validationPolRef/valPolId", kOid, korvu_scvpvalidationpolref_getvalpolid(ref));
    der(p + "/validationPolRef/valPolParams", KORVU_TYPE_ANY, korvu_scvpvalidationpolref_getvalpolparams(ref));
    der(p + "/validationAlg", KORVU_TYPE_VALIDATIONALG, alg);
    if (alg) der(p + "/validationAlg/parameters", KORVU_TYPE_ANY, korvu_scvpvalidationalg_getparameters(alg));
    list_der(p + "/userPolicySet", kOid, korvu_scvpvalidationpolicy_getuserpolicyset(v));
    der(p + "/inhibitPolicyMapping", kBool, korvu_scvpvalidationpolicy_getinhibitpolicymapping(v));
    der(p + "/requireExplicitPolicy", kBool, korvu_scvpvalidationpolicy_getrequireexplicitpolicy(v));
    der(p + "/inhibitAnyPolicy", kBool, korvu_scvpvalidationpolicy_getinhibitanypolicy(v));
    list<KORVU_SCVP_PKCREFERENCE>(p + "/trustAnchors", korvu_scvpvalidationpolicy_gettrustanchors(v), [&](P q, auto *e) { pkc(q, e); });
    list_der(p + "/keyUsages", KORVU_TYPE_BIT_STRING, korvu_scvpvalidationpolicy_getkeyusages(v));
    list_der(p + "/extendedKeyUsages", kOid, korvu_scvpvalidationpolicy_getextendedkeyusages(v));
    list_der(p + "/specifiedKeyUsages", kOid, korvu_scvpvalidationpolicy_getspecifiedkeyusages(v));
  }
  void request(P p, const KORVU_SCVP_CVREQUEST *r) {
    const KORVU_SCVP_QUERY *q = korvu_scvpcvrequest_getquery(r);
    const KORVU_SCVP_CERTREFERENCES *refs = korvu_scvpquery_getqueriedcerts(q);
    const KORVU_SCVP_RESPONSEFLAGS *f = korvu_scvpquery_getresponseflags(q);
    const std::string s = p + "/query";
    der(p + "/cvRequestVersion", kInt, korvu_scvpcvrequest_getcvrequestversion(r));
    list<KORVU_SCVP_PKCREFERENCE>(s + "/queriedCerts/pkcRefs", korvu_scvpcertreferences_getpkcrefs(refs), [&](P x, auto *e) { pkc(x, e); });
    list<KORVU_SCVP_ACREFERENCE>(s + "/queriedCerts/acRefs", korvu_scvpcertreferences_getacrefs(refs), [&](P x, auto *e) { ac(x, e); });
    list_der(s + "/checks", kOid, korvu_scvpquery_getchecks(q));
    list_der(s + "/wantBack", kOid, korvu_scvpquery_getwantback(q));
    policy(s + "/validationPolicy", korvu_scvpquery_getvalidationpolicy(q));
    der(s + "/responseFlags", KORVU_TYPE_RESPONSEFLAGS, f);
    der(s + "/responseFlags/fullRequestInResponse", kBool, korvu_scvpresponseflags_getfullrequestinresponse(f));
    der(s + "/responseFlags/responseValidationPolByRef", kBool, korvu_scvpresponseflags_getresponsevalidationpolbyref(f));
    der(s + "/responseFlags/protectResponse", kBool, korvu_scvpresponseflags_getprotectresponse(f));
    der(s + "/responseFlags/cachedResponse", kBool, korvu_scvpresponseflags_getcachedresponse(f));
    der(s + "/serverContextInfo", kOcts, korvu_scvpquery_getservercontextinfo(q));
    der(s + "/validationTime", kTime, korvu_scvpquery_getvalidationtime(q));
    list_der(s + "/intermediateCerts", KORVU_TYPE_CERTIFICATE, korvu_scvpquery_getintermediatecerts(q));
    list<KORVU_SCVP_REVOCATIONINFO>(s + "/revInfos", korvu_scvpquery_getrevinfos(q), [&](P x, auto *e) { revinfo(x, e); });
    der(s + "/producedAt", kTime, korvu_scvpquery_getproducedat(q));
    list_der(s + "/queryExtensions", kExt, korvu_scvpquery_getqueryextensions(q));
    list_der(p + "/requestorRef", kName, korvu_scvpcvrequest_getrequestorref(r));
    der(p + "/requestNonce", kOcts, korvu_scvpcvrequest_getrequestnonce(r));
    der(p + "/requestorName", kName, korvu_scvpcvrequest_getrequestorname(r));
    der(p + "/responderName", kName, korvu_scvpcvrequest_getrespondername(r));
    list_der(p + "/requestExtensions", kExt, korvu_scvpcvrequest_getrequestextensions(r));
    der(p + "/signatureAlg", kAlg, korvu_scvpcvrequest_getsignaturealg(r));
    der(p + "/hashAlg", kOid, korvu_scvpcvrequest_gethashalg(r));
    der(p + "/requestorText", kUtf8, korvu_scvpcvrequest_getrequestortext(r));
  }
  void reply(P p, const KORVU_SCVP_CERTREPLY *r) {
    const KORVU_SCVP_CERTREFERENCE *c = korvu_scvpcertreply_getcert(r);
    der(p + "/cert", KORVU_TYPE_CERTREFERENCE, c);
    if (const KORVU_SCVP_PKCREFERENCE *k = korvu_scvpcertreference_getpkc(c)) pkc(p + "/cert/pkc", k);
    if (const KORVU_SCVP_ACREFERENCE *a = korvu_scvpcertreference_getac(c)) ac(p + "/cert/ac", a);
    der(p + "/replyStatus", KORVU_TYPE_ENUMERATED, korvu_scvpcertreply_getreplystatus(r));
    der(p + "/replyValTime", kTime, korvu_scvpcertreply_getreplyvaltime(r));
    list<KORVU_SCVP_REPLYCHECK>(p + "/replyChecks", korvu_scvpcertreply_getreplychecks(r), [&](P x, auto *e) {
      der(x + "/check", kOid, korvu_scvpreplycheck_getcheck(e));
      der(x + "/status", kInt, korvu_scvpreplycheck_getstatus(e));
    });
    list<KORVU_SCVP_REPLYWANTBACK>(p + "/replyWantBacks", korvu_scvpcertreply_getreplywantbacks(r), [&](P x, auto *e) {
      der(x + "/wb", kOid, korvu_scvpreplywantback_getwb(e));
      der(x + "/value", kOcts, korvu_scvpreplywantback_getvalue(e));
    });
    list_der(p + "/validationErrors", kOid, korvu_scvpcertreply_getvalidationerrors(r));
    der(p + "/nextUpdate", kTime, korvu_scvpcertreply_getnextupdate(r));
    list_der(p + "/certReplyExtensions", kExt, korvu_scvpcertreply_getcertreplyextensions(r));
  }
  void response(P p, const KORVU_SCVP_CVRESPONSE *r) {
    const KORVU_SCVP_RESPONSESTATUS *st = korvu_scvpcvresponse_getresponsestatus(r);
    const KORVU_SCVP_REQUESTREFERENCE *ref = korvu_scvpcvresponse_getrequestref(r);
    der(p + "/cvResponseVersion", kInt, korvu_scvpcvresponse_getcvresponseversion(r));
    der(p + "/serverConfigurationID", kInt, korvu_scvpcvresponse_getserverconfigurationid(r));
    der(p + "/producedAt", kTime, korvu_scvpcvresponse_getproducedat(r));
    der(p + "/responseStatus/statusCode", KORVU_TYPE_ENUMERATED, korvu_scvpresponsestatus_getstatuscode(st));
    der(p + "/responseStatus/errorMessage", kUtf8, korvu_scvpresponsestatus_geterrormessage(st));
    policy(p + "/respValidationPolicy", korvu_scvpcvresponse_getrespvalidationpolicy(r));
    der(p + "/requestRef", KORVU_TYPE_REQUESTREFERENCE, ref);
    const KORVU_SCVP_HASHVALUE *h = korvu_scvprequestreference_getrequesthash(ref);
    der(p + "/requestRef/requestHash/algorithm", kAlg, korvu_scvphashvalue_getalgorithm(h));
    der(p + "/requestRef/requestHash/value", kOcts, korvu_scvphashvalue_getvalue(h));
    if (auto *full = korvu_scvprequestreference_getfullrequest(ref)) request(p + "/requestRef/fullRequest", full);
    list_der(p + "/requestorRef", kName, korvu_scvpcvresponse_getrequestorref(r));
    list_der(p + "/requestorName", kName, korvu_scvpcvresponse_getrequestorname(r));
    list<KORVU_SCVP_CERTREPLY>(p + "/replyObjects", korvu_scvpcvresponse_getreplyobjects(r), [&](P x, auto *e) { reply(x, e); });
    der(p + "/respNonce", kOcts, korvu_scvpcvresponse_getrespnonce(r));
    der(p + "/serverContextInfo", kOcts, korvu_scvpcvresponse_getservercontextinfo(r));
    list_der(p + "/cvResponseExtensions", kExt, korvu_scvpcvresponse_getcvresponseextensions(r));
    der(p + "/requestorText", kUtf8, korvu_scvpcvresponse_getrequestortext(r));
  }
  void valpol(P p, const KORVU_SCVP_VALPOLRESPONSE *r) {
    der(p + "/vpResponseVersion", kInt, korvu_scvpvalpolresponse_getvpresponseversion(r));
    der(p + "/maxCVRequestVersion", kInt, korvu_scvpvalpolresponse_getmaxcvrequestversion(r));
    der(p + "/maxVPRequestVersion", kInt, korvu_scvpvalpolresponse_getmaxvprequestversion(r));
    der(p + "/serverConfigurationID", kInt, korvu_scvpvalpolresponse_getserverconfigurationid(r));
    der(p + "/thisUpdate", kTime, korvu_scvpvalpolresponse_getthisupdate(r));
    der(p + "/nextUpdate", kTime, korvu_scvpvalpolresponse_getnextupdate(r));
    list_der(p + "/supportedChecks", kOid, korvu_scvpvalpolresponse_getsupportedchecks(r));
    list_der(p + "/supportedWantBacks", kOid, korvu_scvpvalpolresponse_getsupportedwantbacks(r));
    list_der(p + "/validationPolicies", kOid, korvu_scvpvalpolresponse_getvalidationpolicies(r));
    list_der(p + "/validationAlgs", kOid, korvu_scvpvalpolresponse_getvalidationalgs(r));
    list_der(p + "/authPolicies", kOid, korvu_scvpvalpolresponse_getauthpolicies(r));
    der(p + "/responseTypes", KORVU_TYPE_ENUMERATED, korvu_scvpvalpolresponse_getresponsetypes(r));
    policy(p + "/defaultPolicyValues", korvu_scvpvalpolresponse_getdefaultpolicyvalues(r));
    der(p + "/revocationInfoTypes", KORVU_TYPE_BIT_STRING, korvu_scvpvalpolresponse_getrevocationinfotypes(r));
    list_der(p + "/signatureGeneration", kAlg, korvu_scvpvalpolresponse_getsignaturegeneration(r));
    list_der(p + "/signatureVerification", kAlg, korvu_scvpvalpolresponse_getsignatureverification(r));
    list_der(p + "/hashAlgorithms", kOid, korvu_scvpvalpolresponse_gethashalgorithms(r));
    list<KORVU_SCVP_KEYAGREEPUBLICKEY>(p + "/serverPublicKeys", korvu_scvpvalpolresponse_getserverpublickeys(r), [&](P x, auto *k) {
      der(x + "/algorithm", kAlg, korvu_scvpkeyagreepublickey_getalgorithm(k));
      der(x + "/publicKey", KORVU_TYPE_BIT_STRING, korvu_scvpkeyagreepublickey_getpublickey(k));
      der(x + "/macAlgorithm", kAlg, korvu_scvpkeyagreepublickey_getmacalgorithm(k));
      der(x + "/kDF", kAlg, korvu_scvpkeyagreepublickey_getkdf(k));
    });
    der(p + "/clockSkew", kInt, korvu_scvpvalpolresponse_getclockskew(r));
    der(p + "/requestNonce", kOcts, korvu_scvpvalpolresponse_getrequestnonce(r));
  }
};

// One of the four messages as the library reads it.
LibDump lib_dump(uint32_t type, const void *v) {
  Dump o;
  if (type == KORVU_TYPE_CVREQUEST) o.request("", static_cast<const KORVU_SCVP_CVREQUEST *>(v));
  if (type == KORVU_TYPE_CVRESPONSE) o.response("", static_cast<const KORVU_SCVP_CVRESPONSE *>(v));
  if (type == KORVU_TYPE_VALPOLRESPONSE) o.valpol("", static_cast<const KORVU_SCVP_VALPOLRESPONSE *>(v));
  if (auto *r = type == KORVU_TYPE_VALPOLREQUEST ? static_cast<const KORVU_SCVP_VALPOLREQUEST *>(v) : nullptr) {
    o.der("/vpRequestVersion", kInt, korvu_scvpvalpolrequest_getvprequestversion(r));
    o.der("/requestNonce", kOcts, korvu_scvpvalpolrequest_getrequestnonce(r));
  }
  return o;
}

// The four messages by the last arc of their content type (id-ct 10-13), and the transcription's names of the types
// the tests read (none for the empty lists RFC 5055 sizes (1..MAX), 363, 390 and 397, which this library does not).
const std::map<int, uint32_t> kContentTypes = {{10, KORVU_TYPE_CVREQUEST}, {11, KORVU_TYPE_CVRESPONSE},
                                               {12, KORVU_TYPE_VALPOLREQUEST}, {13, KORVU_TYPE_VALPOLRESPONSE}};
const std::map<uint32_t, std::string> kNames = {
    {357, "SCVPCertID"}, {369, "ResponseFlags"}, {380, "CVRequest"}, {381, "ResponseStatus"}, {382, "HashValue"},
    {384, "ReplyCheck"}, {391, "CertReply"}, {393, "CVResponse"}, {394, "ValPolRequest"}, {400, "ValPolResponse"}};

std::string python() { return pyasn1_python("pyasn1_modules.rfc5652, pyasn1_modules.rfc5755, pyasn1_modules.rfc6960"); }
}  // namespace

// Each corpus ContentInfo carries its message as content or as a SignedData's eContent: it decodes and is written
// back byte for byte; cut short at each TLV it fails, retagged it fails (handing nothing out, saying why) or is
// written again. Every getter agrees with the transcription (which reads the certificates under [0] as Certificate,
// their DER with 30 for A0), and a best-certificate-path want-back value reads as a CertBundle.
TEST(ScvpCorpus, DecodesCutsRetagsAndAgreesWithTheTranscription) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  std::vector<PeerJob> jobs;
  std::map<std::string, std::pair<uint32_t, std::shared_ptr<Val>>> messages;
  std::map<uint32_t, int> seen;
  for (const ManifestRow &r : corpus_manifest()) {
    if (r.family != "scvp") continue;
    // ContentInfo { type, [0] message } or ContentInfo { signedData, [0] { v, algs, { type, [0] { OCTET STRING
    // { message } } }, ... } }
    std::vector<Bytes> info = der_elements(read_file(corpus_dir() + "/" + r.path));  // { type, [0] content }
    ASSERT_EQ(info.size(), 2u) << r.path;
    if (info[0].back() == 0x02) {  // 1.2.840.113549.1.7.2: SignedData's encapContentInfo, { type, [0] OCTET STRING }
      info = der_elements(der_elements(first_child(info[1])).at(2));
      info.at(1) = first_child(info.at(1));
    }
    const Bytes der = first_child(info.at(1));
    const uint32_t type = kContentTypes.at(info[0].back());
    ErrCtx whole;
    uint32_t used = 0;
    auto v = std::make_shared<Val>(type, decode(type, der, whole, &used));
    ASSERT_NE(v->v, nullptr) << r.path << " codes " << ::testing::PrintToString(whole.codes());
    EXPECT_EQ(to_hex(encode(type, v->v)) + " " + std::to_string(used), to_hex(der) + " " + std::to_string(der.size())) << r.path;
    for (const DerNode &n : der_all(der)) {
      for (size_t cut : {n.at + 1, n.at + n.hdr}) {
        ErrCtx ctx;
        Val part(type, decode(type, Bytes(der.begin(), der.begin() + static_cast<long>(cut)), ctx));
        EXPECT_TRUE(part.v == nullptr && ctx.count() > 0) << r.path << ": cut at " << cut;
      }
      Bytes retagged = der;
      retagged[n.at] = static_cast<unsigned char>((der[n.at] & 0x20) | (der[n.at] == 0x85 || der[n.at] == 0xA5 ? 0x86 : 0x85));
      ErrCtx ctx;
      Val changed(type, decode(type, retagged, ctx));
      EXPECT_TRUE(changed.v ? !encode(type, changed.v).empty() : ctx.count() > 0) << r.path << ": tag at " << n.at;
    }
    seen[type]++;
    messages[r.path] = {type, v};
    // read as BER: pyasn1 writing the message back first would fill in an absent all-DEFAULT responseFlags
    jobs.push_back({r.path, "scvp_rfc5055." + kNames.at(type), "hex:" + to_hex(der), "ber"});
  }
  EXPECT_EQ(seen, (std::map<uint32_t, int>{{KORVU_TYPE_CVREQUEST, 2}, {KORVU_TYPE_CVRESPONSE, 2},
                                           {KORVU_TYPE_VALPOLREQUEST, 1}, {KORVU_TYPE_VALPOLRESPONSE, 1}}));
  const std::string py = python();
  if (py.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  int bundles = 0;
  for (const auto &[label, p] : run_asn1_peer(py, jobs)) {
    ASSERT_EQ(p.error, "") << label;
    const auto &[type, v] = messages.at(label);
    EXPECT_GE(compare_dumps(lib_dump(type, v->v), p, label), type == KORVU_TYPE_VALPOLREQUEST ? 2u : 10u) << label;
    for (const auto &[path, value] : p.at) {  // id-swb-pkc-best-cert-path values: OCTET STRING { CertBundle }
      if (path.size() < 3 || path.compare(path.size() - 3, 3, "/wb") || value != "06082b06010505071201") continue;
      const Bytes inner = first_child(hex(p.get(path.substr(0, path.size() - 3) + "/value")));
      Val b(KORVU_TYPE_CERTBUNDLE, decode(KORVU_TYPE_CERTBUNDLE, inner, nullptr));
      ASSERT_NE(b.v, nullptr) << label << path;
      EXPECT_EQ(encode(KORVU_TYPE_CERTBUNDLE, b.v), inner) << label << path;
      bundles++;
    }
  }
  EXPECT_GT(bundles, 0);
}

// tests/data/scvp_vectors.txt through the common runner (written back as read or without the default, every prefix
// refused, bad input refused with its code); each valid value of a type named above read by the transcription alike.
TEST(ScvpVectors, DecodeWriteBackRefuseAndAgree) {
  run_hex_vectors("scvp_vectors.txt", 21, 11);
  const std::string py = python();
  if (py.empty()) return;
  std::vector<PeerJob> jobs;
  std::map<std::string, Bytes> want;
  for (const VectorRow &v : valid_vectors("scvp_vectors.txt"))
    if (kNames.count(v.type)) {
      jobs.push_back({v.name, "scvp_rfc5055." + kNames.at(v.type), "hex:" + to_hex(v.in), "ber"});
      want[v.name] = v.out;
    }
  for (const auto &[name, p] : run_asn1_peer(py, jobs)) {
    ASSERT_EQ(p.error, "") << name;
    EXPECT_EQ(p.get(""), lower_hex(want[name])) << name;
  }
}

// Messages built from real parts (a CA-bundle certificate, corpus attribute certificate, CRL and OCSP response, an
// SCVPCertID of openssl's SHA-256 and serial of that certificate) with every component and alternative the corpus
// lacks: read back to the same octets, each embedded object its source but for the tag octet (a getter hands out the
// source, with the same to-be-signed octets), read alike by the transcription.
TEST(ScvpBuilt, EveryComponentFromRealParts) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  if (openssl_made_dir().empty()) GTEST_SKIP() << "openssl missing";  // a failure under CI=true
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_scvp_ca_" + std::to_string(getpid()) + ".der";
  run_command("openssl x509 -in /etc/ssl/certs/ca-certificates.crt -outform DER -out " + tmp);
  const Bytes ca_der = read_file(tmp), ac_der = read_file(corpus_dir() + "/attrcert/asn1crypto__example-attr-cert.der");
  const Bytes crl_der = read_file(corpus_dir() + "/crl/x509-parser__minimal.crl");
  const Bytes ocsp_der = read_file(corpus_dir() + "/ocsp/bc-java__OCSPTest_testResp1.der");
  OwnedValues m;
  auto *ca = m.der<KORVU_X509_CERT>(KORVU_TYPE_CERTIFICATE, ca_der);
  auto *ac = m.der<KORVU_AC_CERT>(KORVU_TYPE_ATTRIBUTECERTIFICATE, ac_der);
  auto *crl = m.der<KORVU_X509_CRL>(KORVU_TYPE_CERTIFICATELIST, crl_der);
  auto *ocsp = m.der<KORVU_OCSP_OCSPRESPONSE>(KORVU_TYPE_OCSPRESPONSE, ocsp_der);
  // SCVPCertID { SHA-256 of the certificate, { directoryName issuer, serial }, sha256 }
  auto *sn = korvu_x509pubkeycert_getserialno(ca);
  const std::string serial = run_command("openssl x509 -inform DER -noout -serial -in " + tmp);
  ASSERT_EQ(serial.substr(0, 7) + to_hex(hex(serial.substr(7))),
            "serial=" + to_hex(Bytes(sn->data + (sn->length > 1 && sn->data[0] == 0), sn->data + sn->length)));
  const Bytes issuer = encode(KORVU_TYPE_NAME, korvu_x509pubkeycert_getissuer(ca));
  auto *dn = m.der<KORVU_X509_GENERALNAME>(KORVU_TYPE_GENERALNAME, der_tlv(0xA4, issuer));
  auto *names = m.list(KORVU_TYPE_GENERALNAMES, KORVU_TYPE_GENERALNAME, {dn});
  const std::string sha256_hex = run_command("openssl dgst -sha256 -binary " + tmp + " | od -An -tx1 | tr -d ' \\n'");
  auto *hash = m.der<KORVU_ASN1_OCTETSTRING>(kOcts, hex("0420" + sha256_hex));
  auto *sha256 = m.der<KORVU_X509_ALGID>(kAlg, hex("300B0609608648016503040201"));
  auto *id = m.own<KORVU_SCVP_CERTID>(KORVU_TYPE_SCVPCERTID, korvu_scvpcertid_new(hash,
      m.own<KORVU_SCVP_ISSUERSERIAL>(KORVU_TYPE_SCVPISSUERSERIAL, korvu_scvpissuerserial_new(names, sn)), sha256));
  auto *oid = m.der<KORVU_ASN1_OID>(kOid, hex("06082B06010505071101"));
  auto *t = m.der<KORVU_ASN1_TIME>(kTime, hex("180F32303234303130313030303030305A"));
  auto *yes = m.der<KORVU_ASN1_BOOLEAN>(kBool, hex("0101FF")), *no = m.der<KORVU_ASN1_BOOLEAN>(kBool, hex("010100"));
  auto *octets = m.der<KORVU_ASN1_OCTETSTRING>(kOcts, hex("0403010203"));
  auto *text = m.der<KORVU_ASN1_STRING>(kUtf8, hex("0C0474657874"));
  auto *any = m.der<KORVU_ASN1_ANY>(KORVU_TYPE_ANY, hex("0500"));
  auto *ext = m.list(KORVU_TYPE_EXTENSIONS, kExt, {m.der(kExt, hex("30090603551D13040230 00"))});
  auto *oids = m.list(KORVU_TYPE_CERTCHECKS, kOid, {oid});
  auto *bundle = m.list(KORVU_TYPE_CERTBUNDLE, KORVU_TYPE_CERTIFICATE, {ca});
  auto *pkc_cert = m.own(KORVU_TYPE_PKCREFERENCE, korvu_scvppkcreference_new_cert(ca));
  auto *pkc_ref = m.own<KORVU_SCVP_PKCREFERENCE>(KORVU_TYPE_PKCREFERENCE, korvu_scvppkcreference_new_pkcref(id));
  auto *ac_cert = m.own(KORVU_TYPE_ACREFERENCE, korvu_scvpacreference_new_attrcert(ac));
  auto *ac_ref = m.own(KORVU_TYPE_ACREFERENCE, korvu_scvpacreference_new_acref(id));
  auto *nvap = m.own(KORVU_TYPE_NAMEVALIDATIONALGPARMS, korvu_scvpnamevalidationalgparms_new(oid, names));
  auto *params = m.der<KORVU_ASN1_ANY>(KORVU_TYPE_ANY, encode(KORVU_TYPE_NAMEVALIDATIONALGPARMS, nvap));
  auto *vp = m.own<KORVU_SCVP_VALIDATIONPOLICY>(KORVU_TYPE_VALIDATIONPOLICY, korvu_scvpvalidationpolicy_new(
      m.own<KORVU_SCVP_VALIDATIONPOLREF>(KORVU_TYPE_VALIDATIONPOLREF, korvu_scvpvalidationpolref_new(oid, any)),
      m.own<KORVU_SCVP_VALIDATIONALG>(KORVU_TYPE_VALIDATIONALG, korvu_scvpvalidationalg_new(oid, params)), oids, yes, no,
      yes, m.list(KORVU_TYPE_TRUSTANCHORS, KORVU_TYPE_PKCREFERENCE, {pkc_cert, pkc_ref}),
      m.list(KORVU_TYPE_KEYUSAGES, KORVU_TYPE_BIT_STRING, {m.der(KORVU_TYPE_BIT_STRING, hex("03020204"))}), oids, oids));
  auto *revinfos = m.list(KORVU_TYPE_REVOCATIONINFOS, KORVU_TYPE_REVOCATIONINFO,
                          {m.own(KORVU_TYPE_REVOCATIONINFO, korvu_scvprevocationinfo_new_crl(crl)),
                           m.own(KORVU_TYPE_REVOCATIONINFO, korvu_scvprevocationinfo_new_deltacrl(crl)),
                           m.own(KORVU_TYPE_REVOCATIONINFO, korvu_scvprevocationinfo_new_ocsp(ocsp)),
                           m.own(KORVU_TYPE_REVOCATIONINFO, korvu_scvprevocationinfo_new_other(
                               m.own<KORVU_SCVP_OTHERREVINFO>(KORVU_TYPE_OTHERREVINFO, korvu_scvpotherrevinfo_new(oid, any))))});
  auto *query = m.own<KORVU_SCVP_QUERY>(KORVU_TYPE_QUERY, korvu_scvpquery_new(
      m.own<KORVU_SCVP_CERTREFERENCES>(KORVU_TYPE_CERTREFERENCES, korvu_scvpcertreference_new_acrefs(
          m.list(KORVU_TYPE_SEQUENCE_OF_ACREFERENCE, KORVU_TYPE_ACREFERENCE, {ac_cert, ac_ref}))),
      oids, oids, vp, m.own<KORVU_SCVP_RESPONSEFLAGS>(KORVU_TYPE_RESPONSEFLAGS, korvu_scvpresponseflags_new(yes, no, no, no)),
      octets, t, bundle, revinfos, t, ext));
  auto *request = m.own<KORVU_SCVP_CVREQUEST>(KORVU_TYPE_CVREQUEST, korvu_scvpcvrequest_new(
      m.der<KORVU_ASN1_INTEGER>(kInt, hex("020102")), query, names, octets, dn, dn, ext, sha256, oid, text));
  // A response repeating the request, with one reply of every optional component; a RevInfoWantBack and a
  // CertBundles as want-back values.
  auto *rwb = m.own(KORVU_TYPE_REVINFOWANTBACK, korvu_scvprevinfowantback_new(revinfos, bundle));
  auto *bundles = m.list(KORVU_TYPE_CERTBUNDLES, KORVU_TYPE_CERTBUNDLE, {bundle});
  auto *wbs = m.list(KORVU_TYPE_REPLYWANTBACKS, KORVU_TYPE_REPLYWANTBACK,
                     {m.own(KORVU_TYPE_REPLYWANTBACK, korvu_scvpreplywantback_new(oid, m.der<KORVU_ASN1_OCTETSTRING>(
                          kOcts, der_tlv(0x04, encode(KORVU_TYPE_REVINFOWANTBACK, rwb))))),
                      m.own(KORVU_TYPE_REPLYWANTBACK, korvu_scvpreplywantback_new(oid, m.der<KORVU_ASN1_OCTETSTRING>(
                          kOcts, der_tlv(0x04, encode(KORVU_TYPE_CERTBUNDLES, bundles)))))});
  auto *reply = m.own(KORVU_TYPE_CERTREPLY, korvu_scvpcertreply_new(
      m.own<KORVU_SCVP_CERTREFERENCE>(KORVU_TYPE_CERTREFERENCE, korvu_scvpcertreference_new_pkc(pkc_ref)),
      m.der<KORVU_ASN1_INTEGER>(KORVU_TYPE_ENUMERATED, hex("0A0106")), t,
      m.list(KORVU_TYPE_REPLYCHECKS, KORVU_TYPE_REPLYCHECK, {m.own(KORVU_TYPE_REPLYCHECK, korvu_scvpreplycheck_new(oid, nullptr))}),
      wbs, m.list(KORVU_TYPE_VALIDATIONERRORS, kOid, {oid}), t, ext));
  auto *one = m.der<KORVU_ASN1_INTEGER>(kInt, hex("020101"));
  auto *response = m.own(KORVU_TYPE_CVRESPONSE, korvu_scvpcvresponse_new(
      one, one, t, m.own<KORVU_SCVP_RESPONSESTATUS>(KORVU_TYPE_RESPONSESTATUS, korvu_scvpresponsestatus_new(nullptr, text)), vp,
      m.own<KORVU_SCVP_REQUESTREFERENCE>(KORVU_TYPE_REQUESTREFERENCE, korvu_scvprequestreference_new_fullrequest(request)),
      names, names, m.list(KORVU_TYPE_REPLYOBJECTS, KORVU_TYPE_CERTREPLY, {reply}), octets, octets, ext, text));
  auto *algs = m.list(KORVU_TYPE_SCVP_SEQUENCE_OF_ALGORITHMIDENTIFIER, kAlg, {sha256});
  auto *valpol = m.own(KORVU_TYPE_VALPOLRESPONSE, korvu_scvpvalpolresponse_new(
      one, one, one, one, t, t, oids, oids, oids, oids, oids, m.der<KORVU_ASN1_INTEGER>(KORVU_TYPE_ENUMERATED, hex("0A0102")), vp,
      m.der<KORVU_ASN1_BITSTRING>(KORVU_TYPE_BIT_STRING, hex("03020470")), algs, algs, oids,
      m.list(KORVU_TYPE_KEYAGREEPUBLICKEYS, KORVU_TYPE_KEYAGREEPUBLICKEY,
             {m.own(KORVU_TYPE_KEYAGREEPUBLICKEY, korvu_scvpkeyagreepublickey_new(
                 sha256, m.der<KORVU_ASN1_BITSTRING>(KORVU_TYPE_BIT_STRING, hex("03020000")), sha256, sha256))}),
      m.der<KORVU_ASN1_INTEGER>(kInt, hex("020114")), octets));
  const std::string py = python();
  for (const auto &[type, v] : {std::pair<uint32_t, const void *>{KORVU_TYPE_CVREQUEST, request},
                                {KORVU_TYPE_CVRESPONSE, response}, {KORVU_TYPE_VALPOLRESPONSE, valpol}}) {
    const Bytes der = encode(type, v);
    ErrCtx ctx;
    Val back(type, decode(type, der, ctx));
    ASSERT_NE(back.v, nullptr) << type << " " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(encode(type, back.v), der) << type;
    if (type == KORVU_TYPE_CVREQUEST) {  // a getter hands out the original encoding and to-be-signed octets
      auto *q = korvu_scvpcvrequest_getquery(back.as<KORVU_SCVP_CVREQUEST>());
      auto *a = korvu_scvpacreference_getattrcert(
          list_items<KORVU_SCVP_ACREFERENCE>(korvu_scvpcertreferences_getacrefs(korvu_scvpquery_getqueriedcerts(q)))[0]);
      auto *c = korvu_scvprevocationinfo_getcrl(list_items<KORVU_SCVP_REVOCATIONINFO>(korvu_scvpquery_getrevinfos(q))[0]);
      auto *k = korvu_scvppkcreference_getcert(list_items<KORVU_SCVP_PKCREFERENCE>(
          korvu_scvpvalidationpolicy_gettrustanchors(korvu_scvpquery_getvalidationpolicy(q)))[0]);
      EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTECERTIFICATE, a), ac_der);
      EXPECT_EQ(tbs_octets_of(korvu_attributecertificate_gettbsocts, a), first_child(ac_der));
      EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATELIST, c), crl_der);
      EXPECT_EQ(tbs_octets_of(korvu_x509crl_gettbsocts, c), first_child(crl_der));
      EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, k), ca_der);
      EXPECT_EQ(tbs_octets_of(korvu_x509pubkeycert_gettbsocts, k), first_child(ca_der));
    }
    for (Bytes part : {ca_der, ac_der, crl_der, ocsp_der}) {  // under [0], [1], [2] or [3]: only the tag differs
      const auto under = [&](unsigned char tag) {
        part[0] = tag;
        return std::search(der.begin(), der.end(), part.begin(), part.end()) != der.end();
      };
      EXPECT_TRUE(under(0xA0) || under(0xA1) || under(0xA2) || under(0xA3) || type == KORVU_TYPE_VALPOLRESPONSE)
          << type << ": an embedded object changed";
    }
    if (const char *dir = std::getenv("KORVU_SCVP_SEEDS"))  // fuzz seeds: tests/data/scvp_built_*.der
      ocsp::write_file(std::string(dir) + "/scvp_built_" + std::to_string(type) + ".der", der);
    if (py.empty()) continue;
    const PeerDump p = run_asn1_peer(py, {{"built", "scvp_rfc5055." + kNames.at(type), "hex:" + to_hex(der), ""}})["built"];
    ASSERT_EQ(p.error, "") << type;
    EXPECT_GT(compare_dumps(lib_dump(type, back.v), p, std::to_string(type)), 40u) << type;
  }
}

// `korvu-asn1 decode --summary`: a corpus ContentInfo prints its message's lines after its own (the values as the
// transcription reads them), and a bare built message prints its own.
TEST(ScvpSummary, ContentInfoAndBareMessages) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string dir = corpus_dir() + "/scvp/pyasn1-alt-modules__";
  const std::vector<std::tuple<uint32_t, std::string, std::vector<std::string>>> cases = {
      {KORVU_TYPE_CONTENTINFO, dir + "rfc5055_cvrequest_pem_text.der", {"contentType: 1.2.840.113549.1.9.16.1.10",
        "version: 1", "checks: 1.3.6.1.5.5.7.17.3", "wantBacks: 1.3.6.1.5.5.7.18.1", "policy: 2.16.840.1.101.10.2.18.2.0.4"}},
      {KORVU_TYPE_CONTENTINFO, dir + "rfc5276_cvresponse_pem_text.der", {"serverConfigurationID: 1611089030",
        "producedAt: 20210203185045Z", "status: 0", "requestRef: requestHash 7C11021194FDCB229663B2896FB9523DE3392ED0",
        ", success (0)", "  check 1.3.6.1.5.5.7.17.3: 0", "  wantBack 1.3.6.1.5.5.7.18.20: ", "  nextUpdate: 20210204005045Z"}},
      {KORVU_TYPE_CONTENTINFO, dir + "rfc5055_valpolrequest_pem_text.der", {"nonce: ED5F02DC4D992112CD813419CD619BF9"}},
      {KORVU_TYPE_CONTENTINFO, dir + "rfc5055_valpolresponse_pem_text.der", {"thisUpdate: 20210203162007Z",
        "clockSkew: 10", "hashAlgorithms: 2.16.840.1.101.3.4.2.1, 1.3.14.3.2.26, "}},
      {KORVU_TYPE_CVREQUEST, KORVU_SOURCE_DIR "/tests/data/scvp_built_380.der", {"version: 2\n",
        "queried: attribute certificate\n", "queried: acRef serial ", "validationTime: 20240101000000Z\n"}}};
  for (const auto &[type, file, lines] : cases) {
    int status = -1;
    const std::string out = ocsp::summary_of(type, file, &status);
    EXPECT_EQ(status, 0) << file;
    for (const std::string &line : lines) EXPECT_NE(out.find(line), std::string::npos) << file << ": " << line << "\n" << out;
  }
}
