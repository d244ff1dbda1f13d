// What the library's getters read from OCSP and time-stamp values, in the line format of tests/ocsp_peer.py, so
// that test_ocsp.cpp and test_tsp.cpp compare both readings of the same octets line by line.
#ifndef KORVU_TESTS_OCSP_PEER_H
#define KORVU_TESTS_OCSP_PEER_H

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "cmd_decode.h"
#include "test_util.h"

namespace korvu_test::ocsp {

// One value as pyasn1-modules read it: "obj <type> <label> <hex>", its lines, "end".
struct PeerValue {
  uint32_t type = 0;
  std::string label;
  Bytes der;
  std::vector<std::string> lines;
};

// The interpreter with pyasn1-modules; a missing one skips, except under CI=true where it fails.
inline bool require_peer(std::string &python) {
  python = pyasn1_python("pyasn1_modules.rfc6960, pyasn1_modules.rfc3161");
  return !python.empty();
}

inline std::string run_script(const std::string &python, const std::string &args) {
  return run_peer_script(python, "ocsp_peer.py", args);
}

inline std::vector<PeerValue> run_peer(const std::string &python, const std::string &args) {
  std::vector<PeerValue> values;
  std::istringstream lines(run_script(python, args));
  std::string line;
  PeerValue v;
  while (std::getline(lines, line)) {
    if (line.rfind("obj ", 0) == 0) {
      std::istringstream w(line.substr(4));
      std::string h;
      v = PeerValue{};
      w >> v.type >> v.label >> h;
      v.der = hex(h);
    } else if (line == "end") {
      values.push_back(v);
    } else {
      v.lines.push_back(line);
    }
  }
  return values;
}

// ---- the library's side -------------------------------------------------------------------------------------
inline std::string lower_hex(const unsigned char *p, size_t n) {
  static const char d[] = "0123456789abcdef";
  std::string s;
  for (size_t i = 0; i < n; i++) {
    s += d[p[i] >> 4];
    s += d[p[i] & 15];
  }
  return s;
}
inline std::string lower_hex(const Bytes &b) { return lower_hex(b.data(), b.size()); }

// The contents octets of a DER TLV.
inline Bytes contents(const Bytes &der) {
  if (der.size() < 2) return {};
  size_t h = 2;
  if (der[1] & 0x80) h += der[1] & 0x7F;
  return h <= der.size() ? Bytes(der.begin() + static_cast<long>(h), der.end()) : Bytes{};
}

// An INTEGER's value in decimal (two's complement contents).
inline std::string decimal(const KORVU_ASN1_INTEGER *v) {
  if (v == nullptr) return "-";
  Bytes c = contents(encode(KORVU_TYPE_INTEGER, v));
  if (c.empty()) return "?";
  const bool negative = c[0] & 0x80;
  if (negative) {  // magnitude = two's complement
    for (auto &b : c) b = static_cast<unsigned char>(~b);
    for (size_t i = c.size(); i-- > 0;)
      if (++c[i] != 0) break;
  }
  std::string digits;
  while (!c.empty()) {
    unsigned rem = 0;
    Bytes q;
    for (unsigned char b : c) {
      unsigned cur = rem * 256 + b;
      if (!q.empty() || cur / 10) q.push_back(static_cast<unsigned char>(cur / 10));
      rem = cur % 10;
    }
    digits.insert(digits.begin(), static_cast<char>('0' + rem));
    c = q;
  }
  if (digits.empty()) digits = "0";
  return (negative && digits != "0" ? "-" : "") + digits;
}

inline std::string der_hex(uint32_t type, const void *v) { return v ? lower_hex(encode(type, v)) : "-"; }
inline std::string oid_text(const KORVU_ASN1_OID *o) { return o ? korvu_asn1_oid_getstring(o) : "-"; }
inline std::string time_text(const KORVU_ASN1_TIME *t) {
  if (t == nullptr) return "-";
  Bytes c = contents(encode(KORVU_TYPE_GENERALIZEDTIME, t));
  return std::string(c.begin(), c.end());
}
inline std::string octets_hex(const KORVU_ASN1_OCTETSTRING *o) {
  return o ? lower_hex(contents(encode(KORVU_TYPE_OCTET_STRING, o))) : "-";
}
inline std::string bits(const KORVU_ASN1_BITSTRING *b) {
  if (b == nullptr) return "-";
  Bytes c = contents(encode(KORVU_TYPE_BIT_STRING, b));
  if (c.empty()) return "?";
  std::string s;
  const size_t total = (c.size() - 1) * 8 - c[0];
  for (size_t i = 0; i < total; i++) s += (c[1 + i / 8] >> (7 - i % 8)) & 1 ? '1' : '0';
  return s;
}

inline void *item(const KORVU_ASN1_LIST *l, int32_t i) {
  void *e = nullptr;
  return korvu_asn1_list_get(l, i, &e) == 1 ? e : nullptr;
}

struct Lines {
  std::vector<std::string> v;
  void put(const std::string &name, const std::string &text) { v.push_back(name + " " + text); }
  void exts(const std::string &name, const KORVU_ASN1_LIST *l) {
    if (l == nullptr) return put(name, "-");
    int32_t n = korvu_asn1_list_getsize(l);
    put(name, std::to_string(n));
    for (int32_t i = 0; i < n; i++)
      put(name + "." + std::to_string(i), der_hex(KORVU_TYPE_EXTENSION, item(l, i)));
  }
  void certid(const std::string &p, const KORVU_OCSP_CERTID *id) {
    put(p + ".hashalgo", der_hex(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_ocsp_certid_gethashalgo(id)));
    put(p + ".namehash", octets_hex(korvu_ocsp_certid_getissuernamehash(id)));
    put(p + ".keyhash", octets_hex(korvu_ocsp_certid_getissuerkeyhash(id)));
    put(p + ".sn", decimal(korvu_ocsp_certid_getsn(id)));
  }
  void imprint(const std::string &p, const KORVU_TSP_MESSAGEIMPRINT *mi) {
    put(p + ".algo", der_hex(KORVU_TYPE_ALGORITHMIDENTIFIER, mi ? mi->hashAlgorithm : nullptr));
    put(p + ".hash", octets_hex(mi ? mi->hashedMessage : nullptr));
  }
};

// The kept signed octets of a BasicOCSPResponse, through the export.
inline Bytes tbs_octets(KORVU_OCSP_BASICRESPONSE *br) {
  int32_t n = 0;
  if (korvu_ocsp_basicocspresponse_gettbsocts(br, nullptr, &n) != 1 || n <= 0) return {};
  Bytes out(static_cast<size_t>(n));
  if (korvu_ocsp_basicocspresponse_gettbsocts(br, out.data(), &n) != 1) return {};
  out.resize(static_cast<size_t>(n));
  return out;
}

inline std::vector<std::string> describe_request(const KORVU_OCSP_OCSPREQUEST *req, const Bytes &tbs) {
  Lines o;
  const KORVU_OCSP_TBSREQUEST *t = korvu_ocsp_ocsprequest_gettbs(req);
  o.put("version", decimal(korvu_ocsp_tbsrequest_getversion(t)));
  o.put("requestor", der_hex(KORVU_TYPE_GENERALNAME, korvu_ocsp_tbsrequest_getname(t)));
  const KORVU_ASN1_LIST *l = korvu_ocsp_tbsrequest_getreqlist(t);
  o.put("requests", std::to_string(korvu_asn1_list_getsize(l)));
  for (int32_t i = 0; i < korvu_asn1_list_getsize(l); i++) {
    auto *r = static_cast<const KORVU_OCSP_REQUEST *>(item(l, i));
    const std::string p = "r" + std::to_string(i);
    o.certid(p, korvu_ocsp_request_getcertid(r));
    o.exts(p + ".exts", korvu_ocsp_request_getexts(r));
  }
  o.exts("exts", korvu_ocsp_tbsrequest_getexts(t));
  o.put("tbs", lower_hex(tbs));
  const KORVU_OCSP_SIGNATURE *sig = korvu_ocsp_ocsprequest_getsignature(req);
  if (sig == nullptr) {
    o.put("sig", "-");
  } else {
    o.put("sig.algo", der_hex(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_ocsp_signature_getsignalgo(sig)));
    o.put("sig.value", bits(korvu_ocsp_signature_getsignature(sig)));
    const KORVU_ASN1_LIST *c = korvu_ocsp_signature_getcerts(sig);
    o.put("sig.certs", c ? std::to_string(korvu_asn1_list_getsize(c)) : "-");
  }
  return o.v;
}

inline std::vector<std::string> describe_basic(KORVU_OCSP_BASICRESPONSE *br) {
  Lines o;
  const KORVU_OCSP_RESPONSEDATA *rd = korvu_ocsp_basicocspresponse_gettbs(br);
  o.put("version", decimal(korvu_ocsp_responsedata_getversion(rd)));
  const KORVU_OCSP_RESPONDERID *rid = korvu_ocsp_responsedata_getrespid(rd);
  if (korvu_ocsp_responderid_gettype(rid) == 1)
    o.put("respid", "1 " + der_hex(KORVU_TYPE_NAME, korvu_ocsp_responderid_getname(rid)));
  else
    o.put("respid", "2 " + octets_hex(korvu_ocsp_responderid_getkeyhash(rid)));
  o.put("producedat", time_text(korvu_ocsp_responsedata_getproducedat(rd)));
  const KORVU_ASN1_LIST *l = korvu_ocsp_responsedata_getresponses(rd);
  o.put("responses", std::to_string(korvu_asn1_list_getsize(l)));
  for (int32_t i = 0; i < korvu_asn1_list_getsize(l); i++) {
    auto *sr = static_cast<const KORVU_OCSP_SINGLERESPONSE *>(item(l, i));
    const std::string p = "s" + std::to_string(i);
    o.certid(p, korvu_ocsp_singleresponse_getcertid(sr));
    const KORVU_OCSP_CERTSTATUS *st = korvu_ocsp_singleresponse_getcertstatus(sr);
    o.put(p + ".status", std::to_string(korvu_ocsp_certstatus_gettype(st)));
    if (const KORVU_OCSP_REVOKEDINFO *ri = korvu_ocsp_certstatus_getrevoked(st)) {
      o.put(p + ".revtime", time_text(korvu_ocsp_revokedinfo_gettime(ri)));
      o.put(p + ".reason", decimal(korvu_ocsp_revokedinfo_getreason(ri)));
    }
    o.put(p + ".thisupdate", time_text(korvu_ocsp_singleresponse_getthisupdate(sr)));
    o.put(p + ".nextupdate", time_text(korvu_ocsp_singleresponse_getnextupdate(sr)));
    o.exts(p + ".exts", korvu_ocsp_singleresponse_getexts(sr));
  }
  o.exts("exts", korvu_ocsp_responsedata_getexts(rd));
  o.put("tbs", lower_hex(tbs_octets(br)));
  o.put("sigalgo", der_hex(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_ocsp_basicocspresponse_getsignalgo(br)));
  o.put("signature", bits(korvu_ocsp_basicocspresponse_getsignature(br)));
  const KORVU_ASN1_LIST *certs = korvu_ocsp_basicocspresponse_getcerts(br);
  o.put("certs", certs ? std::to_string(korvu_asn1_list_getsize(certs)) : "-");
  for (int32_t i = 0; certs && i < korvu_asn1_list_getsize(certs); i++)
    o.put("cert" + std::to_string(i), der_hex(KORVU_TYPE_CERTIFICATE, item(certs, i)));
  return o.v;
}

inline std::vector<std::string> describe_response(const KORVU_OCSP_OCSPRESPONSE *r) {
  Lines o;
  o.put("status", decimal(korvu_ocsp_ocspresponse_getstatus(r)));
  const KORVU_OCSP_RESPONSEBYTES *rb = korvu_ocsp_ocspresponse_getresponse(r);
  if (rb == nullptr) {
    o.put("bytes", "-");
  } else {
    o.put("bytes.type", oid_text(korvu_ocsp_responsebytes_gettype(rb)));
    o.put("bytes.response", octets_hex(korvu_ocsp_responsebytes_getresponse(rb)));
  }
  return o.v;
}

inline std::vector<std::string> describe_tsq(const KORVU_TSP_TIMESTAMPREQ *q) {
  Lines o;
  o.put("version", decimal(korvu_tsp_timestampreq_getversion(q)));
  o.imprint("imprint", korvu_tsp_timestampreq_getmessageimprint(q));
  o.put("policy", oid_text(korvu_tsp_timestampreq_getpolicy(q)));
  o.put("nonce", decimal(korvu_tsp_timestampreq_getnonce(q)));
  o.put("certreq", korvu_asn1_boolean_istrue(korvu_tsp_timestampreq_getcertreq(q)) ? "1" : "0");
  o.exts("exts", korvu_tsp_timestampreq_getexts(q));
  return o.v;
}

inline void describe_status(Lines &o, const KORVU_TSP_PKISTATUSINFO *si) {
  o.put("status", decimal(korvu_tsp_pkistatusinfo_getstatus(si)));
  const KORVU_ASN1_LIST *text = korvu_tsp_pkistatusinfo_getstatusstring(si);
  o.put("text", text ? std::to_string(korvu_asn1_list_getsize(text)) : "-");
  for (int32_t i = 0; text && i < korvu_asn1_list_getsize(text); i++)
    o.put("text." + std::to_string(i),
          lower_hex(contents(encode(KORVU_TYPE_UTF8STRING, item(text, i)))));
  o.put("failinfo", bits(korvu_tsp_pkistatusinfo_getfailinfo(si)));
}

inline std::vector<std::string> describe_tsr(const KORVU_TSP_TIMESTAMPRESP *r) {
  Lines o;
  describe_status(o, korvu_tsp_timestampresp_getstatus(r));
  o.put("token", der_hex(KORVU_TYPE_CONTENTINFO, korvu_tsp_timestampresp_gettoken(r)));
  return o.v;
}

inline std::vector<std::string> describe_tst(const KORVU_TSP_TSTINFO *t) {
  Lines o;
  o.put("version", decimal(korvu_tsp_tstinfo_getversion(t)));
  o.put("policy", oid_text(korvu_tsp_tstinfo_getpolicy(t)));
  o.imprint("imprint", korvu_tsp_tstinfo_getmessageimprint(t));
  o.put("sn", decimal(korvu_tsp_tstinfo_getsn(t)));
  o.put("gentime", time_text(korvu_tsp_tstinfo_getgentime(t)));
  if (const KORVU_TSP_ACCURACY *a = korvu_tsp_tstinfo_getaccuracy(t))
    o.put("accuracy", decimal(korvu_tsp_accuracy_getseconds(a)) + " " + decimal(korvu_tsp_accuracy_getmillis(a)) +
                          " " + decimal(korvu_tsp_accuracy_getmicros(a)));
  else
    o.put("accuracy", "-");
  o.put("ordering", korvu_asn1_boolean_istrue(korvu_tsp_tstinfo_getordering(t)) ? "1" : "0");
  o.put("nonce", decimal(korvu_tsp_tstinfo_getnonce(t)));
  o.put("tsa", der_hex(KORVU_TYPE_GENERALNAME, korvu_tsp_tstinfo_gettsaname(t)));
  o.exts("exts", korvu_tsp_tstinfo_getexts(t));
  return o.v;
}

// True when ContentInfo (111) decodes in this build, so that a granted TimeStampResp can be read.
inline bool content_info_built() {
  const Bytes ci = hex("30 0F 06 09 2A 86 48 86 F7 0D 01 07 01 A0 02 04 00");  // id-data, empty OCTET STRING
  void *v = nullptr;
  const uint32_t n = korvu_asn1_mem_decode(ci.data(), static_cast<int32_t>(ci.size()), KORVU_TYPE_CONTENTINFO, &v);
  korvu_asn1_value_free(KORVU_TYPE_CONTENTINFO, v);
  return n == ci.size();
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
