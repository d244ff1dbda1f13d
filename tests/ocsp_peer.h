// OCSP and time-stamp values for test_ocsp.cpp, and helpers other families share: the library's reading by the
// paths of pyasn1-modules' rfc6960 and rfc3161 (compared with tests/asn1_peer.py), and openssl-made data.
#ifndef KORVU_TESTS_OCSP_PEER_H
#define KORVU_TESTS_OCSP_PEER_H

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "cmd_decode.h"
#include "peer_compare.h"

namespace korvu_test::ocsp {

// The contents octets of a DER TLV.
inline Bytes contents(const Bytes &der) {
  if (der.size() < 2) return {};
  size_t h = 2;
  if (der[1] & 0x80) h += der[1] & 0x7F;
  return h <= der.size() ? Bytes(der.begin() + static_cast<long>(h), der.end()) : Bytes{};
}

inline std::string oid_text(const KORVU_ASN1_OID *o) { return o ? korvu_asn1_oid_getstring(o) : "-"; }
inline std::string der_hex(uint32_t type, const void *v) { return v ? lower_hex(encode(type, v)) : "-"; }
inline std::string octets_hex(const KORVU_ASN1_OCTETSTRING *o) {
  return o ? lower_hex(contents(encode(KORVU_TYPE_OCTET_STRING, o))) : "-";
}
inline void *item(const KORVU_ASN1_LIST *l, int32_t i) {
  void *e = nullptr;
  return korvu_asn1_list_get(l, i, &e) == 1 ? e : nullptr;
}

// The pyasn1-modules types of the values compared, and the corpus jobs for tests/asn1_peer.py: every valid
// OCSPResponse (its BasicOCSPResponse read under "/responseBytes/response~"), OCSPRequest, TimeStampReq,
// TimeStampResp and TSTInfo, and every TSTInfo inside the tokens of the tsp, ers, authenticode and cms families.
inline const std::map<uint32_t, std::string> &peer_types() {
  static const std::map<uint32_t, std::string> m = {
      {KORVU_TYPE_OCSPRESPONSE, "rfc6960.OCSPResponse"}, {KORVU_TYPE_OCSPREQUEST, "rfc6960.OCSPRequest"},
      {KORVU_TYPE_TIMESTAMPREQ, "rfc3161.TimeStampReq"}, {KORVU_TYPE_TIMESTAMPRESP, "rfc3161.TimeStampResp"},
      {KORVU_TYPE_TSTINFO, "rfc3161.TSTInfo"},           {KORVU_TYPE_CRLID, "rfc6960.CrlID"},
      {KORVU_TYPE_SERVICELOCATOR, "rfc6960.ServiceLocator"},
      {KORVU_TYPE_PREFERREDSIGNATUREALGORITHMS, "rfc6960.PreferredSignatureAlgorithms"},
      {KORVU_TYPE_PREFERREDSIGNATUREALGORITHM, "rfc6960.PreferredSignatureAlgorithm"}};
  return m;
}
inline const std::vector<std::string> kOpenBasic = {"1.3.6.1.5.5.7.48.1.1\trfc6960.BasicOCSPResponse",
                                                   "1.3.6.1.5.5.7.48.1.3\trfc6960.CrlID",
                                                   "1.3.6.1.5.5.7.48.1.7\trfc6960.ServiceLocator"};

// Corpus values by label (the manifest path, "#tstN" for a TSTInfo inside a token) with their type.
inline std::map<std::string, PeerDump> corpus_peer(const std::string &python, std::map<std::string, uint32_t> &types) {
  std::vector<PeerJob> jobs;
  const std::map<std::string, uint32_t> by_name = {
      {"OCSPResponse", KORVU_TYPE_OCSPRESPONSE}, {"OCSPRequest", KORVU_TYPE_OCSPREQUEST},
      {"TimeStampReq", KORVU_TYPE_TIMESTAMPREQ}, {"TimeStampResp", KORVU_TYPE_TIMESTAMPRESP},
      {"TSTInfo", KORVU_TYPE_TSTINFO}};
  for (const ManifestRow &r : corpus_manifest()) {
    const std::string file = corpus_dir() + "/" + r.path;
    auto t = by_name.find(r.type);
    if (t != by_name.end() && r.expect == "valid") {
      types[r.path] = t->second;
      jobs.push_back({r.path, peer_types().at(t->second), file, r.encoding == "b64" ? "ber,b64" : "ber"});
    }
    if ((r.family == "tsp" || r.family == "ers" || r.family == "authenticode" || r.family == "cms") &&
        (r.encoding == "der" || r.encoding == "ber"))
      jobs.push_back({r.path, "rfc3161.TSTInfo", file, "ber,tstinfo"});
  }
  auto dumps = run_asn1_peer(python, jobs, kOpenBasic);
  for (const auto &[label, d] : dumps)
    if (label.find("#tst") != std::string::npos) types[label] = KORVU_TYPE_TSTINFO;
  return dumps;
}

// ---- the library's reading, by the paths of rfc6960 and rfc3161 ----------------------------------------------
// A BOOLEAN DEFAULT FALSE as pyasn1 gives it (the default written out).
inline void boolean(LibDump &o, const std::string &path, const KORVU_ASN1_BOOLEAN *b) {
  o.at[path] = korvu_asn1_boolean_istrue(b) ? "0101ff" : "010100";
}

inline void certid(LibDump &o, const std::string &p, const KORVU_OCSP_CERTID *id) {
  o.der(p + "/hashAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_ocsp_certid_gethashalgo(id));
  o.der(p + "/issuerNameHash", KORVU_TYPE_OCTET_STRING, korvu_ocsp_certid_getissuernamehash(id));
  o.der(p + "/issuerKeyHash", KORVU_TYPE_OCTET_STRING, korvu_ocsp_certid_getissuerkeyhash(id));
  o.der(p + "/serialNumber", KORVU_TYPE_INTEGER, korvu_ocsp_certid_getsn(id));
}

inline void imprint(LibDump &o, const std::string &p, const KORVU_TSP_MESSAGEIMPRINT *mi) {
  o.der(p + "/hashAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, mi ? mi->hashAlgorithm : nullptr);
  o.der(p + "/hashedMessage", KORVU_TYPE_OCTET_STRING, mi ? mi->hashedMessage : nullptr);
}

inline void read_request(LibDump &o, const KORVU_OCSP_OCSPREQUEST *req) {
  const KORVU_OCSP_TBSREQUEST *t = korvu_ocsp_ocsprequest_gettbs(req);
  o.der("/tbsRequest/version", KORVU_TYPE_INTEGER, korvu_ocsp_tbsrequest_getversion(t));
  o.der("/tbsRequest/requestorName", KORVU_TYPE_GENERALNAME, korvu_ocsp_tbsrequest_getname(t));
  o.list<KORVU_OCSP_REQUEST>("/tbsRequest/requestList", korvu_ocsp_tbsrequest_getreqlist(t), [&](auto &p, auto *r) {
    certid(o, p + "/reqCert", korvu_ocsp_request_getcertid(r));
    o.list_der(p + "/singleRequestExtensions", KORVU_TYPE_EXTENSION, korvu_ocsp_request_getexts(r));
  });
  o.list_der("/tbsRequest/requestExtensions", KORVU_TYPE_EXTENSION, korvu_ocsp_tbsrequest_getexts(t));
  const KORVU_OCSP_SIGNATURE *sig = korvu_ocsp_ocsprequest_getsignature(req);
  if (sig == nullptr) {
    o.at["/optionalSignature"] = "-";
    return;
  }
  o.der("/optionalSignature/signatureAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_ocsp_signature_getsignalgo(sig));
  o.der("/optionalSignature/signature", KORVU_TYPE_BIT_STRING, korvu_ocsp_signature_getsignature(sig));
  o.list_der("/optionalSignature/certs", KORVU_TYPE_CERTIFICATE, korvu_ocsp_signature_getcerts(sig));
}

inline void read_basic(LibDump &o, const KORVU_OCSP_BASICRESPONSE *br) {
  const KORVU_OCSP_RESPONSEDATA *rd = korvu_ocsp_basicocspresponse_gettbs(br);
  const std::string t = "/tbsResponseData";
  o.der(t + "/version", KORVU_TYPE_INTEGER, korvu_ocsp_responsedata_getversion(rd));
  const KORVU_OCSP_RESPONDERID *rid = korvu_ocsp_responsedata_getrespid(rd);
  o.der(t + "/responderID/byName", KORVU_TYPE_NAME, korvu_ocsp_responderid_getname(rid));
  o.der(t + "/responderID/byKey", KORVU_TYPE_OCTET_STRING, korvu_ocsp_responderid_getkeyhash(rid));
  o.der(t + "/producedAt", KORVU_TYPE_GENERALIZEDTIME, korvu_ocsp_responsedata_getproducedat(rd));
  o.list<KORVU_OCSP_SINGLERESPONSE>(t + "/responses", korvu_ocsp_responsedata_getresponses(rd), [&](auto &p, auto *sr) {
    certid(o, p + "/certID", korvu_ocsp_singleresponse_getcertid(sr));
    const KORVU_OCSP_CERTSTATUS *st = korvu_ocsp_singleresponse_getcertstatus(sr);
    o.der(p + "/certStatus", KORVU_TYPE_CERTSTATUS, st);
    const KORVU_OCSP_REVOKEDINFO *ri = korvu_ocsp_certstatus_getrevoked(st);
    o.der(p + "/certStatus/revoked/revocationTime", KORVU_TYPE_GENERALIZEDTIME, ri ? korvu_ocsp_revokedinfo_gettime(ri) : nullptr);
    o.der(p + "/certStatus/revoked/revocationReason", KORVU_TYPE_ENUMERATED, ri ? korvu_ocsp_revokedinfo_getreason(ri) : nullptr);
    o.der(p + "/thisUpdate", KORVU_TYPE_GENERALIZEDTIME, korvu_ocsp_singleresponse_getthisupdate(sr));
    o.der(p + "/nextUpdate", KORVU_TYPE_GENERALIZEDTIME, korvu_ocsp_singleresponse_getnextupdate(sr));
    o.list_der(p + "/singleExtensions", KORVU_TYPE_EXTENSION, korvu_ocsp_singleresponse_getexts(sr));
  });
  o.list_der(t + "/responseExtensions", KORVU_TYPE_EXTENSION, korvu_ocsp_responsedata_getexts(rd));
  o.der("/signatureAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_ocsp_basicocspresponse_getsignalgo(br));
  o.der("/signature", KORVU_TYPE_BIT_STRING, korvu_ocsp_basicocspresponse_getsignature(br));
  o.list_der("/certs", KORVU_TYPE_CERTIFICATE, korvu_ocsp_basicocspresponse_getcerts(br));
}

inline void read_response(LibDump &o, const KORVU_OCSP_OCSPRESPONSE *r) {
  o.der("/responseStatus", KORVU_TYPE_ENUMERATED, korvu_ocsp_ocspresponse_getstatus(r));
  const KORVU_OCSP_RESPONSEBYTES *rb = korvu_ocsp_ocspresponse_getresponse(r);
  o.der("/responseBytes/responseType", KORVU_TYPE_OBJECT_IDENTIFIER, rb ? korvu_ocsp_responsebytes_gettype(rb) : nullptr);
  o.der("/responseBytes/response", KORVU_TYPE_OCTET_STRING, rb ? korvu_ocsp_responsebytes_getresponse(rb) : nullptr);
}

inline void read_tsq(LibDump &o, const KORVU_TSP_TIMESTAMPREQ *q) {
  o.der("/version", KORVU_TYPE_INTEGER, korvu_tsp_timestampreq_getversion(q));
  imprint(o, "/messageImprint", korvu_tsp_timestampreq_getmessageimprint(q));
  o.der("/reqPolicy", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_tsp_timestampreq_getpolicy(q));
  o.der("/nonce", KORVU_TYPE_INTEGER, korvu_tsp_timestampreq_getnonce(q));
  boolean(o, "/certReq", korvu_tsp_timestampreq_getcertreq(q));
  o.list_der("/extensions", KORVU_TYPE_EXTENSION, korvu_tsp_timestampreq_getexts(q));
}

inline void read_tsr(LibDump &o, const KORVU_TSP_TIMESTAMPRESP *r) {
  const KORVU_TSP_PKISTATUSINFO *si = korvu_tsp_timestampresp_getstatus(r);
  o.der("/status/status", KORVU_TYPE_INTEGER, korvu_tsp_pkistatusinfo_getstatus(si));
  o.list_der("/status/statusString", KORVU_TYPE_UTF8STRING, korvu_tsp_pkistatusinfo_getstatusstring(si));
  o.der("/status/failInfo", KORVU_TYPE_BIT_STRING, korvu_tsp_pkistatusinfo_getfailinfo(si));
}

inline void read_tst(LibDump &o, const KORVU_TSP_TSTINFO *t) {
  o.der("/version", KORVU_TYPE_INTEGER, korvu_tsp_tstinfo_getversion(t));
  o.der("/policy", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_tsp_tstinfo_getpolicy(t));
  imprint(o, "/messageImprint", korvu_tsp_tstinfo_getmessageimprint(t));
  o.der("/serialNumber", KORVU_TYPE_INTEGER, korvu_tsp_tstinfo_getsn(t));
  o.der("/genTime", KORVU_TYPE_GENERALIZEDTIME, korvu_tsp_tstinfo_getgentime(t));
  const KORVU_TSP_ACCURACY *a = korvu_tsp_tstinfo_getaccuracy(t);
  if (a == nullptr) o.at["/accuracy"] = "-";
  o.der("/accuracy/seconds", KORVU_TYPE_INTEGER, a ? korvu_tsp_accuracy_getseconds(a) : nullptr);
  o.der("/accuracy/millis", KORVU_TYPE_INTEGER, a ? korvu_tsp_accuracy_getmillis(a) : nullptr);
  o.der("/accuracy/micros", KORVU_TYPE_INTEGER, a ? korvu_tsp_accuracy_getmicros(a) : nullptr);
  boolean(o, "/ordering", korvu_tsp_tstinfo_getordering(t));
  o.der("/nonce", KORVU_TYPE_INTEGER, korvu_tsp_tstinfo_getnonce(t));
  o.der("/tsa", KORVU_TYPE_GENERALNAME, korvu_tsp_tstinfo_gettsaname(t));
  o.list_der("/extensions", KORVU_TYPE_EXTENSION, korvu_tsp_tstinfo_getexts(t));
}

// CrlID, ServiceLocator and PreferredSignatureAlgorithm(s).
inline LibDump ext_value_dump(uint32_t type, const void *v) {
  LibDump o;
  if (type == KORVU_TYPE_CRLID) {
    auto *c = static_cast<const KORVU_OCSP_CRLID *>(v);
    o.der("/crlUrl", KORVU_TYPE_IA5STRING, korvu_ocsp_crlid_geturl(c));
    o.der("/crlNum", KORVU_TYPE_INTEGER, korvu_ocsp_crlid_getnum(c));
    o.der("/crlTime", KORVU_TYPE_GENERALIZEDTIME, korvu_ocsp_crlid_gettime(c));
  } else if (type == KORVU_TYPE_SERVICELOCATOR) {
    auto *l = static_cast<const KORVU_OCSP_SERVICELOCATOR *>(v);
    o.der("/issuer", KORVU_TYPE_NAME, l->issuer);
    o.der("/locator", KORVU_TYPE_AUTHORITYINFOACCESS, l->locator);
  } else if (type == KORVU_TYPE_PREFERREDSIGNATUREALGORITHMS) {
    o.list_der("", KORVU_TYPE_PREFERREDSIGNATUREALGORITHM, static_cast<const KORVU_ASN1_LIST *>(v));
  } else {
    auto *a = static_cast<const KORVU_OCSP_PREFSIGALGO *>(v);
    o.der("/sigIdentifier", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_ocsp_preferredsignalgo_getsignalgo(a));
    // pyasn1-modules names the second component certIdentifier
    o.der("/certIdentifier", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_ocsp_preferredsignalgo_getpubkeyalgo(a));
  }
  return o;
}

// The library's reading of a value of one of the types above.
inline LibDump lib_dump(uint32_t type, const void *v) {
  LibDump o;
  switch (type) {
    case KORVU_TYPE_OCSPRESPONSE: read_response(o, static_cast<const KORVU_OCSP_OCSPRESPONSE *>(v)); break;
    case KORVU_TYPE_OCSPREQUEST: read_request(o, static_cast<const KORVU_OCSP_OCSPREQUEST *>(v)); break;
    case KORVU_TYPE_BASICOCSPRESPONSE: read_basic(o, static_cast<const KORVU_OCSP_BASICRESPONSE *>(v)); break;
    case KORVU_TYPE_TIMESTAMPREQ: read_tsq(o, static_cast<const KORVU_TSP_TIMESTAMPREQ *>(v)); break;
    case KORVU_TYPE_TIMESTAMPRESP: read_tsr(o, static_cast<const KORVU_TSP_TIMESTAMPRESP *>(v)); break;
    default: read_tst(o, static_cast<const KORVU_TSP_TSTINFO *>(v)); break;
  }
  return o;
}

// The kept signed octets of a BasicOCSPResponse, through the export.
inline Bytes tbs_octets(KORVU_OCSP_BASICRESPONSE *br) {
  int32_t n = 0;
  if (korvu_ocsp_basicocspresponse_gettbsocts(br, nullptr, &n) != 1 || n <= 0) return {};
  Bytes out(static_cast<size_t>(n));
  if (korvu_ocsp_basicocspresponse_gettbsocts(br, out.data(), &n) != 1) return {};
  out.resize(static_cast<size_t>(n));
  return out;
}

// Makes, in a new temporary folder, a CA, an OCSP responder and a TSA certificate, three leaves a, b and c, OCSP
// requests (req.der, signed sreq.der) and responses (resp.der: a good, b revoked, c unknown; respkey.der byKey
// with an extra certificate; respnonext.der without nextUpdate), time-stamp queries (q.tsq; q2.tsq with an
// unconfigured policy), replies (r.tsr granted, r2.tsr rejected), the token (tok.der) and its TSTInfo (tst.der).
// Empty when openssl is missing or fails.
inline std::string make_openssl_data() {
  if (std::system("openssl version >/dev/null 2>&1") != 0) return {};
  char tmpl[] = "/tmp/korvu_ocsp_XXXXXX";
  if (mkdtemp(tmpl) == nullptr) return {};
  const std::string dir = tmpl;
  std::ofstream(dir + "/gen.sh") << R"SH(
set -e
q() { "$@" >/dev/null 2>&1; }
q openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 30 -subj "/CN=Test CA"
printf 'extendedKeyUsage = critical,OCSPSigning\n' > resp.ext
printf 'extendedKeyUsage = critical,timeStamping\n' > tsa.ext
for n in resp tsa a b c; do
  q openssl req -newkey rsa:2048 -nodes -keyout $n.key -out $n.csr -subj "/CN=$n"
done
q openssl x509 -req -in resp.csr -CA ca.pem -CAkey ca.key -set_serial 16 -days 30 -extfile resp.ext -out resp.pem
q openssl x509 -req -in tsa.csr -CA ca.pem -CAkey ca.key -set_serial 17 -days 30 -extfile tsa.ext -out tsa.pem
s=1; for n in a b c; do s=$((s+1)); q openssl x509 -req -in $n.csr -CA ca.pem -CAkey ca.key -set_serial $s -days 30 -out $n.pem; done
q openssl ocsp -issuer ca.pem -sha256 -cert a.pem -cert b.pem -cert c.pem -nonce -reqout req.der
q openssl ocsp -issuer ca.pem -sha256 -cert a.pem -cert b.pem -cert c.pem -nonce -signer a.pem -signkey a.key -sign_other ca.pem -reqout sreq.der
ea=$(openssl x509 -in a.pem -noout -enddate | sed 's/notAfter=//')
end=$(date -u -d "$ea" +%y%m%d%H%M%SZ)
printf 'V\t%s\t\t02\tunknown\t/CN=a\n' "$end" > index.txt
printf 'R\t%s\t240101000000Z,keyCompromise\t03\tunknown\t/CN=b\n' "$end" >> index.txt
q openssl ocsp -index index.txt -CA ca.pem -rsigner resp.pem -rkey resp.key -reqin req.der -respout resp.der -ndays 1
q openssl ocsp -index index.txt -CA ca.pem -rsigner resp.pem -rkey resp.key -reqin req.der -respout respkey.der -ndays 1 -resp_key_id -rother ca.pem
q openssl ocsp -index index.txt -CA ca.pem -rsigner resp.pem -rkey resp.key -reqin req.der -respout respnonext.der
echo data > f
cat > tsa.cnf <<'CNF'
[ tsa ]
default_tsa = tsa_config
[ tsa_config ]
serial = ./tsaserial
signer_cert = ./tsa.pem
signer_key = ./tsa.key
certs = ./ca.pem
signer_digest = sha256
default_policy = 1.2.3.4.1
other_policies = 1.2.3.4.5.6
digests = sha256, sha1
accuracy = secs:1, millisecs:500, microsecs:100
clock_precision_digits = 3
ordering = yes
tsa_name = yes
ess_cert_id_alg = sha256
CNF
echo 01 > tsaserial
q openssl ts -query -data f -sha256 -cert -out q.tsq
q openssl ts -query -data f -sha256 -no_nonce -tspolicy 1.2.3.99 -out q2.tsq
q openssl ts -reply -queryfile q.tsq -config tsa.cnf -out r.tsr
q openssl ts -reply -queryfile q2.tsq -config tsa.cnf -out r2.tsr
q openssl ts -reply -in r.tsr -token_out -out tok.der
q openssl cms -verify -inform DER -in tok.der -noverify -out tst.der
)SH";
  const std::string cmd = "cd " + dir + " && sh gen.sh >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) {
    ADD_FAILURE() << "openssl could not make the OCSP and time-stamp data in " << dir;
    return {};
  }
  return dir;
}

// The output of `korvu-asn1 decode --type T --summary --check PATH` (the status in *status).
inline std::string summary_of(uint32_t type, const std::string &path, int *status = nullptr) {
  std::istringstream in;
  std::ostringstream out, err;
  korvu::tool::Io io{in, out, err};
  korvu::tool::DecodeOptions options;
  options.type = type;
  options.file = path;
  options.summary = true;
  options.check = true;
  const int s = korvu::tool::run_decode(options, io);
  if (status) *status = s;
  return out.str() + err.str();
}

// Runs a command, returning its standard output and error.
inline std::string shell(const std::string &cmd) { return run_command(cmd + " 2>&1"); }

inline void write_file(const std::string &path, const Bytes &b) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(b.data()), static_cast<long>(b.size()));
}

// Decodes a file through a file stream (not memory), as `type`.
inline void *decode_file(uint32_t type, const std::string &path, KORVU_ERR_CTX *ctx, uint32_t *consumed) {
  KORVU_STREAM *s = korvu_stream_new_file(path.c_str(), "rb");
  if (s == nullptr) return nullptr;
  void *v = nullptr;
  int r = korvu_asn1_decode(s, type, &v, consumed, ctx);
  korvu_stream_free(s);
  return r == 1 ? v : nullptr;
}

}  // namespace korvu_test::ocsp

#endif
