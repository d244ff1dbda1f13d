// Keys and key containers: hex vectors (tests/data/keys_vectors.txt), corpus and openssl-made files walked layer by
// layer and read by pyasn1-modules too, constructors, bad input and the command line's summaries.
#include <algorithm>
#include <set>
#include <tuple>

#include "tools/lib/cmd_decode.h"
#include "tools/lib/summary_keys.h"
#include "tools/lib/tool.h"
#include "vectors.h"

using namespace korvu_test;

TEST(KeysVectors, DecodeReencodeOrRefuse) { run_hex_vectors("keys_vectors.txt", 36, 20); }

namespace {

uint32_t decode_code(uint32_t type) {  // the type's own decode-failure code
  ErrCtx ctx;
  return korvu_asn1_decode_puterr(ctx, type, "t", 0), ctx.codes().at(0);
}

// ---- the library's reading, by the paths of pyasn1-modules ---------------------------------------------------
template <class R, class A>
A arg_of(R (*)(A));
template <auto F>
const void *get_(const void *v) {
  return F(static_cast<decltype(arg_of(F))>(v));
}
struct Path {
  const char *path;
  uint32_t type;
  const void *(*get)(const void *);
};
#define P(path, type, fn) Path{path, KORVU_TYPE_##type, &get_<&fn>}
#define INT(path, fn) P(path, INTEGER, fn)
#define ALG(path, fn) P(path, ALGORITHMIDENTIFIER, fn)
using Peers = std::map<uint32_t, std::pair<const char *, std::vector<Path>>>;
const Peers &peers() {
  static const Peers table = {
      {56, {"rfc8017.RSAPublicKey", {INT("/modulus", korvu_rsapubkey_getmodulus),
          INT("/publicExponent", korvu_rsapubkey_getpubexponent)}}},
      {58, {"rfc3279.Dss_Sig_Value", {INT("/r", korvu_dsssignvalue_getr), INT("/s", korvu_dsssignvalue_gets)}}},
      {59, {"rfc3279.ECDSA_Sig_Value", {INT("/r", korvu_dsssignvalue_getr), INT("/s", korvu_dsssignvalue_gets)}}},
      {60, {"rfc3279.Dss_Parms", {INT("/p", korvu_dssparam_getp), INT("/q", korvu_dssparam_getq),
          INT("/g", korvu_dssparam_getg)}}},
      {99, {"rfc8017.RSAPrivateKey", {INT("/version", korvu_pkcs1rsaprivkey_getversion),
          INT("/modulus", korvu_pkcs1rsaprivkey_getmodulus), INT("/publicExponent", korvu_pkcs1rsaprivkey_getpublicexponent),
          INT("/privateExponent", korvu_pkcs1rsaprivkey_getprivateexponent), INT("/prime1", korvu_pkcs1rsaprivkey_getprime1),
          INT("/prime2", korvu_pkcs1rsaprivkey_getprime2), INT("/exponent1", korvu_pkcs1rsaprivkey_getexponent1),
          INT("/exponent2", korvu_pkcs1rsaprivkey_getexponent2), INT("/coefficient", korvu_pkcs1rsaprivkey_getcoefficient),
          P("/otherPrimeInfos", OTHERPRIMEINFOS, korvu_pkcs1rsaprivkey_getotherprimeinfos)}}},
      {100, {"rfc8017.RSAES_OAEP_params", {ALG("/hashAlgorithm", korvu_pkcs1rsaesoaepprarams_gethashalgorithm),
          ALG("/maskGenAlgorithm", korvu_pkcs1rsaesoaepprarams_getmaskgenalgorithm),
          ALG("/pSourceAlgorithm", korvu_pkcs1rsaesoaepprarams_getpsourcealgorithm)}}},
      {101, {"rfc8017.RSASSA_PSS_params", {ALG("/hashAlgorithm", korvu_pkcs1rsassapssprarams_gethashalgorithm),
          ALG("/maskGenAlgorithm", korvu_pkcs1rsassapssprarams_getmaskgenalgorithm),
          INT("/saltLength", korvu_pkcs1rsassapssprarams_getsaltlen),
          INT("/trailerField", korvu_pkcs1rsassapssprarams_gettrailerfield)}}},
      {103, {"rfc5958.PrivateKeyInfo", {INT("/version", korvu_pkcs8privatekeyinfo_getversion),
          ALG("/privateKeyAlgorithm", korvu_pkcs8privatekeyinfo_getprivkeyalgo),
          P("/privateKey", OCTET_STRING, korvu_pkcs8privatekeyinfo_getprivkey),
          P("/attributes", ATTRIBUTES, korvu_pkcs8privatekeyinfo_getattrs)}}},
      {104, {"rfc5958.EncryptedPrivateKeyInfo", {ALG("/encryptionAlgorithm", korvu_pkcs8encprivatekeyinfo_getencalgo),
          P("/encryptedData", OCTET_STRING, korvu_pkcs8encprivatekeyinfo_getencdata)}}},
      {105, {"rfc8018.PBKDF2_params", {P("/salt", PBKDF2_SALT, korvu_pkcs5pbkdf2params_getsalt),
          INT("/iterationCount", korvu_pkcs5pbkdf2params_getitercount), INT("/keyLength", korvu_pkcs5pbkdf2params_getkeylen),
          ALG("/prf", korvu_pkcs5pbkdf2params_getprf)}}},
      {106, {"rfc8018.PBEParameter", {P("/salt", OCTET_STRING, korvu_pkcs5pbeparam_getsalt),
          INT("/iterationCount", korvu_pkcs5pbeparam_getitercount)}}},
      {107, {"rfc8018.PBES2_params", {ALG("/keyDerivationFunc", korvu_pkcs5pbes2params_getkeyderivfunc),
          ALG("/encryptionScheme", korvu_pkcs5pbes2params_getencscheme)}}},
      {108, {"rfc8018.PBMAC1_params", {ALG("/keyDerivationFunc", korvu_pkcs5pbmac1params_getkeyderivfunc),
          ALG("/messageAuthScheme", korvu_pkcs5pbmac1params_getauthscheme)}}},
      {109, {"rfc8018.RC2_CBC_Parameter", {INT("/rc2ParameterVersion", korvu_pkcs5rc2cbcparameter_getversion),
          P("/iv", OCTET_STRING, korvu_pkcs5rc2cbcparameter_getiv)}}},
      {112, {"rfc7292.MacData", {P("/mac", DIGESTINFO, korvu_pkcs12macdata_getmac),
          P("/macSalt", OCTET_STRING, korvu_pkcs12macdata_getsalt), INT("/iterations", korvu_pkcs12macdata_getitercount)}}},
      {113, {"rfc7292.PFX", {INT("/version", korvu_pkcs12pfx_getversion),
          P("/authSafe", CONTENTINFO, korvu_pkcs12pfx_getauthsafe), P("/macData", MACDATA, korvu_pkcs12pfx_getmac)}}},
      {115, {"rfc7292.SafeBag", {P("/bagId", OBJECT_IDENTIFIER, korvu_pkcs12safebag_getid),
          P("/bagValue", ANY, korvu_pkcs12safebag_getvalue), P("/bagAttributes", ATTRIBUTES, korvu_pkcs12safebag_getattrs)}}},
      {117, {"rfc7292.CertBag", {P("/certId", OBJECT_IDENTIFIER, korvu_pkcs12certbag_getid),
          P("/certValue", ANY, korvu_pkcs12certbag_getvalue)}}},
      {120, {"rfc7292.Pkcs_12PbeParams", {P("/salt", OCTET_STRING, korvu_pkcs12pbeparams_getsalt),
          INT("/iterations", korvu_pkcs12pbeparams_getitercount)}}},
      {202, {"rfc5915.ECPrivateKey", {INT("/version", korvu_ecprivatekey_getversion),
          P("/privateKey", OCTET_STRING, korvu_ecprivatekey_getprivkey),
          P("/parameters", ECPKPARAMETERS, korvu_ecprivatekey_getparam),
          P("/publicKey", BIT_STRING, korvu_ecprivatekey_getpubkey)}}},
  };
  return table;
}

// pyasn1 writes a SET OF in DER order, the library as received: attribute sets are compared sorted.
LibDump lib_dump(uint32_t type, const void *v) {
  LibDump d;
  for (const Path &p : peers().at(type).second) {
    d.der(p.path, p.type, p.get(v));
    if (p.type != KORVU_TYPE_ATTRIBUTES || p.get(v) == nullptr) continue;
    const Bytes set = encode(p.type, p.get(v));
    std::vector<Bytes> e = der_elements(set);
    std::sort(e.begin(), e.end());
    Bytes sorted(set.begin(), set.begin() + static_cast<long>(der_all(set)[0].hdr));
    for (const Bytes &b : e) sorted.insert(sorted.end(), b.begin(), b.end());
    d.at[p.path] = lower_hex(sorted);
  }
  return d;
}

std::string oid_of(const KORVU_X509_ALGID *a) { return a ? korvu_asn1_oid_getstring(a->algorithm) : ""; }
Bytes any_bytes(const KORVU_ASN1_ANY *a) { return a ? encode(KORVU_TYPE_ANY, a) : Bytes{}; }
Bytes octets_of(const KORVU_ASN1_OCTETSTRING *o) { return o ? ocsp::contents(encode(KORVU_TYPE_OCTET_STRING, o)) : Bytes{}; }
// Layer types a DEFAULT value written out in DER input is left out of when written back (MacData's iterations,
// a PBKDF2 prf, PSS defaults) and the containers holding them.
const std::set<uint32_t> kDropsDefaults = {KORVU_TYPE_MACDATA, KORVU_TYPE_PBKDF2_PARAMS, KORVU_TYPE_RSASSA_PSS_PARAMS, KORVU_TYPE_PBMAC1_PARAMS,
                                           KORVU_TYPE_PFX, KORVU_TYPE_AUTHENTICATEDSAFE, KORVU_TYPE_SAFECONTENTS, KORVU_TYPE_SAFEBAG};

// Every layer of a key or container: decoded as its type, written back byte for byte (BER included; where a
// DEFAULT value was written out, as DER whose getters read the same), copied, and queued for pyasn1.
struct Walk {
  std::map<uint32_t, int> layers;  // type -> layers decoded
  std::vector<std::pair<uint32_t, Bytes>> for_peer;
  std::string where;
  bool peer_ok = true, ber = false;
  std::map<std::string, std::string> kept;  // tests/data/keys_corpus_outcomes.txt: file -> refusal code or "der"
  std::set<std::string> seen;

  void expect_refused(const ErrCtx &ctx) {
    EXPECT_TRUE(kept.count(where) && kept.at(where) != "der" && ctx.has(std::stoul(kept.at(where), nullptr, 16)))
        << where << ::testing::PrintToString(ctx.codes());
    seen.insert(where);
  }
  void algorithm(const KORVU_X509_ALGID *a) {
    static const std::map<std::string, uint32_t> by_oid = {
        {"1.2.840.113549.1.5.13", KORVU_TYPE_PBES2_PARAMS},  {"1.2.840.113549.1.5.12", KORVU_TYPE_PBKDF2_PARAMS},
        {"1.2.840.113549.1.5.14", KORVU_TYPE_PBMAC1_PARAMS}, {"1.2.840.113549.3.2", KORVU_TYPE_RC2_CBC_PARAMETER},
        {"1.2.840.113549.3.9", KORVU_TYPE_RC5_CBC_PARAMETERS}, {"1.2.840.113549.1.1.10", KORVU_TYPE_RSASSA_PSS_PARAMS},
        {"1.2.840.113549.1.1.7", KORVU_TYPE_RSAES_OAEP_PARAMS}, {"1.2.840.10040.4.1", KORVU_TYPE_DSS_PARMS},
        {"1.2.840.10045.2.1", KORVU_TYPE_ECPKPARAMETERS}};
    const std::string oid = oid_of(a);
    const Bytes p = a ? any_bytes(korvu_x509algoid_getparam(a)) : Bytes{};
    const auto t = by_oid.find(oid);
    if (oid.rfind("1.2.840.113549.1.12.1.", 0) == 0) layer(KORVU_TYPE_PKCS12PBEPARAMS, p);
    else if (t != by_oid.end() && !p.empty() && p[0] != 0x05) layer(t->second, p);
    else if (t == by_oid.end() && oid.rfind("1.2.840.113549.1.5.", 0) == 0) layer(KORVU_TYPE_PBEPARAMETER, p);
  }
  void content_info(const KORVU_PKCS7_CONTENTINFO *ci, uint32_t inner) {
    const std::string type = korvu_asn1_oid_getstring(ci->contentType);
    const Bytes c = any_bytes(korvu_pkcs7contentinfo_getcontent(ci));
    ErrCtx ctx;
    if (type == "1.2.840.113549.1.7.1") {  // data: an OCTET STRING holding the next layer
      Val o(KORVU_TYPE_OCTET_STRING, decode(KORVU_TYPE_OCTET_STRING, c, ctx));
      return o.v ? layer(inner, octets_of(o.as<KORVU_ASN1_OCTETSTRING>())) : expect_refused(ctx);
    }
    const std::vector<Bytes> ed = der_elements(c);  // EncryptedData: its algorithm's parameters
    const std::vector<Bytes> eci = ed.size() > 1 ? der_elements(ed[1]) : std::vector<Bytes>{};
    if (type != "1.2.840.113549.1.7.6" || eci.size() < 2) return;
    Val a(KORVU_TYPE_ALGORITHMIDENTIFIER, decode(KORVU_TYPE_ALGORITHMIDENTIFIER, eci[1], ctx));
    algorithm(a.as<KORVU_X509_ALGID>());
  }

  void layer(uint32_t type, const Bytes &in) {
    SCOPED_TRACE(where + " as " + std::to_string(type));
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(type, decode(type, in, ctx, &used));
    if (v.v == nullptr) return expect_refused(ctx);
    EXPECT_EQ(used, in.size());
    layers[type]++;
    const Bytes out = encode(type, v.v);
    Val copy(type, korvu_asn1_dupobject(type, v.v, nullptr));
    EXPECT_EQ(encode(type, copy.v), out);
    if (out != in) {
      const bool listed = kept.count(where) && kept.at(where) == "der";
      if (listed) seen.insert(where);
      EXPECT_TRUE(listed || (!ber && kDropsDefaults.count(type))) << to_hex(in).substr(0, 96);
      Val again(type, decode(type, out, ctx));
      ASSERT_NE(again.v, nullptr);
      EXPECT_TRUE(!peers().count(type) || lib_dump(type, v.v).at == lib_dump(type, again.v).at);
    }
    if (peers().count(type) && in[1] != 0x80 && peer_ok) for_peer.push_back({type, in});
    descend(type, v.v);
  }

  void descend(uint32_t type, const void *v) {
    static const std::map<std::string, uint32_t> bags = {
        {"1.2.840.113549.1.12.10.1.1", KORVU_TYPE_PRIVATEKEYINFO}, {"1.2.840.113549.1.12.10.1.2", KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO},
        {"1.2.840.113549.1.12.10.1.3", KORVU_TYPE_CERTBAG},        {"1.2.840.113549.1.12.10.1.4", KORVU_TYPE_CRLBAG},
        {"1.2.840.113549.1.12.10.1.5", KORVU_TYPE_SECRETBAG},      {"1.2.840.113549.1.12.10.1.6", KORVU_TYPE_SAFECONTENTS}};
    if (type == KORVU_TYPE_PFX || type == KORVU_TYPE_CKX) {
      auto *pfx = static_cast<const KORVU_PKCS12_PFX *>(v);
      content_info(pfx->authSafe, KORVU_TYPE_AUTHENTICATEDSAFE);
      if (!korvu_pkcs12pfx_hasmac(pfx)) return;
      layer(type == KORVU_TYPE_PFX ? KORVU_TYPE_MACDATA : KORVU_TYPE_CKX_MACDATA, encode(KORVU_TYPE_MACDATA, pfx->macData));
      algorithm(pfx->macData->mac->digestAlgorithm);
    } else if (type == KORVU_TYPE_AUTHENTICATEDSAFE || type == KORVU_TYPE_SAFECONTENTS) {
      for (void *e : list_items<void>(static_cast<const KORVU_ASN1_LIST *>(v)))
        type == KORVU_TYPE_SAFECONTENTS ? layer(KORVU_TYPE_SAFEBAG, encode(KORVU_TYPE_SAFEBAG, e))
                                        : content_info(static_cast<KORVU_PKCS7_CONTENTINFO *>(e), KORVU_TYPE_SAFECONTENTS);
    } else if (type == KORVU_TYPE_SAFEBAG) {
      auto *bag = static_cast<const KORVU_PKCS12_SAFEBAG *>(v);
      const auto b = bags.find(korvu_asn1_oid_getstring(bag->bagId));
      if (b != bags.end()) layer(b->second, any_bytes(bag->bagValue));
    } else if (type == KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO) {
      algorithm(static_cast<const KORVU_PKCS8_ENCPRIVKEYINFO *>(v)->encryptionAlgorithm);
    } else if (type == KORVU_TYPE_PBES2_PARAMS) {
      algorithm(static_cast<const KORVU_PKCS5_PBES2PARAMS *>(v)->keyDerivationFunc);
      algorithm(static_cast<const KORVU_PKCS5_PBES2PARAMS *>(v)->encryptionScheme);
    } else if (type == KORVU_TYPE_PBMAC1_PARAMS) {
      algorithm(static_cast<const KORVU_PKCS5_PBMAC1PARAMS *>(v)->keyDerivationFunc);
    } else if (type == KORVU_TYPE_PRIVATEKEYINFO) {
      auto *k = static_cast<const KORVU_PKCS8_PRIVKEYINFO *>(v);
      algorithm(k->privateKeyAlgorithm);
      const std::string oid = oid_of(k->privateKeyAlgorithm);
      if (oid == "1.2.840.113549.1.1.1" || oid == "1.2.840.113549.1.1.10") layer(KORVU_TYPE_RSAPRIVATEKEY, octets_of(k->privateKey));
      if (oid == "1.2.840.10045.2.1") layer(KORVU_TYPE_ECPRIVATEKEY, octets_of(k->privateKey));
    } else if (type == KORVU_TYPE_ECPRIVATEKEY && static_cast<const KORVU_EC_PRIVKEY *>(v)->parameters) {
      layer(KORVU_TYPE_ECPKPARAMETERS, encode(KORVU_TYPE_ECPKPARAMETERS, static_cast<const KORVU_EC_PRIVKEY *>(v)->parameters));
    }
  }

  // pyasn1-modules' reading of every DER layer queued, compared path by path.
  void compare_with_peer() {
    const std::string python = pyasn1_python("pyasn1_modules.rfc8018, pyasn1_modules.rfc7292, pyasn1_modules.rfc5915");
    if (python.empty()) return;
    std::vector<PeerJob> jobs;
    for (size_t i = 0; i < for_peer.size(); i++)
      jobs.push_back({std::to_string(i), peers().at(for_peer[i].first).first, "hex:" + lower_hex(for_peer[i].second), ""});
    const auto dumps = run_asn1_peer(python, jobs);
    for (size_t i = 0; i < for_peer.size(); i++) {
      const auto &[type, in] = for_peer[i];
      const PeerDump &p = dumps.at(std::to_string(i));
      ErrCtx ctx;
      Val v(type, decode(type, in, ctx));
      if (type == KORVU_TYPE_ECPRIVATEKEY && !p.error.empty()) {  // rfc5915 knows named curves and OCTET STRING keys only
        EXPECT_TRUE(v.as<KORVU_EC_PRIVKEY>()->isSm2 || korvu_ecpkparameters_gettype(v.as<KORVU_EC_PRIVKEY>()->parameters) == 1);
        continue;
      }
      ASSERT_EQ(p.error, "") << type << " " << to_hex(in);
      LibDump ours = lib_dump(type, v.v);
      if (type == KORVU_TYPE_RSAES_OAEP_PARAMS || type == KORVU_TYPE_RSASSA_PSS_PARAMS)
        std::erase_if(ours.at, [&](const auto &e) { return !p.has(e.first); });  // its DEFAULTs read as absent
      compare_dumps(ours, p, std::to_string(type) + " " + to_hex(in).substr(0, 40));
    }
  }
};

// The parameters of every AlgorithmIdentifier naming RSASSA-PSS or RSAES-OAEP inside a DER encoding.
void scan_rsa_params(Walk &w, const Bytes &der) {
  static const Bytes pss = hex("06 09 2a 86 48 86 f7 0d 01 01 0a"), oaep = hex("06 09 2a 86 48 86 f7 0d 01 01 07");
  for (const DerNode &n : der_all(der)) {
    const std::vector<Bytes> k = der_elements(Bytes(der.begin() + static_cast<long>(n.at), der.begin() + static_cast<long>(n.end())));
    if (der[n.at] == 0x30 && k.size() == 2 && (k[0] == pss || k[0] == oaep))
      w.layer(k[0] == pss ? KORVU_TYPE_RSASSA_PSS_PARAMS : KORVU_TYPE_RSAES_OAEP_PARAMS, k[1]);
  }
}

// A corpus file as the program reads it for `type`: legacy PEM encryption refused (false), the PEM block under
// the type's label, else the first block or DER. A public key walks its algorithm's parameters and RSA key.
void walk_file(Walk &w, const std::string &file, uint32_t type) {
  const Bytes bytes = read_file(file);
  korvu::tool::LoadedInput in;
  std::string error;
  const korvu::tool::KeyPem k = korvu::tool::load_key_pem(type, bytes, in, error);
  if (k == korvu::tool::KeyPem::Refused) return;
  ASSERT_TRUE(k == korvu::tool::KeyPem::Loaded || korvu::tool::load_input(bytes, in, error)) << file << error;
  if (type != KORVU_TYPE_SUBJECTPUBLICKEYINFO) return w.layer(type, in.bytes);
  ErrCtx ctx;
  Val spki(type, decode(type, in.bytes, ctx));
  ASSERT_NE(spki.v, nullptr);
  const KORVU_X509_ALGID *a = spki.as<KORVU_X509_SPKI>()->algorithm;
  w.algorithm(a);
  const Bytes bits = ocsp::contents(encode(KORVU_TYPE_BIT_STRING, spki.as<KORVU_X509_SPKI>()->subjectPublicKey));
  if (oid_of(a) == "1.2.840.113549.1.1.1" && bits.size() > 1) w.layer(KORVU_TYPE_RSAPUBLICKEY, Bytes(bits.begin() + 1, bits.end()));
}

// A file made by tests/make_keys.sh, in a folder of this process's own (ctest runs the keys tests side by side).
std::string made_file(const std::string &name) {
  return std::string(::testing::TempDir()) + "/korvu_keys_made_" + std::to_string(getpid()) + "/" + name;
}
// Files made by tests/make_keys.sh with the openssl tool, once per run: (type, path); none without openssl (a failure
// under CI=true).
const std::vector<std::pair<uint32_t, std::string>> &made() {
  static const auto files = [] {
    std::vector<std::pair<uint32_t, std::string>> out;
    std::istringstream lines(run_command("sh " KORVU_SOURCE_DIR "/tests/make_keys.sh " + made_file("") + " 2>/dev/null"));
    for (std::string type, file; lines >> type >> file;) out.emplace_back(std::stoul(type), file);
    if (out.empty() && under_ci()) ADD_FAILURE() << "openssl missing";
    return out;
  }();
  return files;
}

}  // namespace

// The corpus's keys and PKCS #12 files, every layer decoded by its type (authenticated safe, safe contents, bags,
// PKCS #8 keys, PBE/PBES2/PBKDF2/PBMAC1 and cipher parameters, MAC data, EC parameters, the RSA-PSS and RSAES-OAEP
// parameters of the x509 and cms families), written back byte for byte (BER PFX included), copied, and read as
// pyasn1-modules reads them. Files refused at some layer, or written back as DER, are kept with their outcome.
TEST(KeysCorpus, EveryLayerDecodesReencodesAndAgreesWithPyasn1) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  Walk w;
  std::ifstream f(KORVU_SOURCE_DIR "/tests/data/keys_corpus_outcomes.txt");
  for (std::string path, outcome; f >> path >> outcome;) path[0] == '#' ? (void)std::getline(f, path) : (void)(w.kept[path] = outcome);
  static const std::map<std::string, uint32_t> by_name = {
      {"PFX", 113}, {"PrivateKeyInfo", 103}, {"EncryptedPrivateKeyInfo", 104}, {"RSAPrivateKey", 99},
      {"RSAPublicKey", 56}, {"ECPrivateKey", 202}, {"Dss-Parms", 60}, {"SM2Cipher", 203}, {"SM2Signature", 59},
      {"SM2EnvelopedKey", 204}, {"CertBag", 115}, {"SubjectPublicKeyInfo", 35}};
  size_t files = 0;
  for (const ManifestRow &r : corpus_manifest()) {
    w.where = r.path;
    w.peer_ok = r.expect == "valid";
    w.ber = r.encoding == "ber";
    if ((r.family == "x509" || r.family == "cms") && r.encoding == "der") scan_rsa_params(w, read_file(corpus_dir() + "/" + r.path));
    if ((r.family != "keys" && r.family != "pkcs12" && r.family != "gmt") || !by_name.count(r.type) || r.expect == "unknown")
      continue;
    files++;
    walk_file(w, corpus_dir() + "/" + r.path, by_name.at(r.type));
  }
  EXPECT_EQ(w.seen.size(), w.kept.size());
  EXPECT_GE(files, 250u);
  for (uint32_t t : {56, 59, 60, 99, 100, 101, 103, 104, 105, 106, 107, 108, 112, 113, 114, 115, 116, 117, 120, 201,
                     202, 203, 204})
    EXPECT_GT(w.layers[t], 0) << t;
  w.compare_with_peer();
}

// Keys, parameters, signatures, encrypted keys and PKCS #12 files made by openssl 3: the same walk and comparison;
// DHParameter's numbers as `openssl asn1parse` prints them.
TEST(KeysMade, OpensslMadeKeysAndContainers) {
  if (made().empty()) GTEST_SKIP() << "openssl missing";
  Walk w;
  for (const auto &[type, file] : made()) {
    w.where = file;
    type == KORVU_TYPE_RSAES_OAEP_PARAMS ? scan_rsa_params(w, read_file(file)) : w.layer(type, read_file(file));
  }
  EXPECT_EQ(made().size(), 25u);
  for (uint32_t t : {56, 58, 59, 60, 99, 100, 101, 102, 103, 104, 105, 106, 107, 109, 112, 113, 114, 115, 116, 117,
                     120, 201, 202, 203})
    EXPECT_GT(w.layers[t], 0) << t;
  w.compare_with_peer();
  ErrCtx ctx;
  Val dh(KORVU_TYPE_DHPARAMETER, decode(KORVU_TYPE_DHPARAMETER, read_file(made_file("dh.der")), ctx));
  ASSERT_NE(dh.v, nullptr);
  std::string want, got;
  for (const KORVU_ASN1_INTEGER *i : {dh.as<KORVU_PKCS3_DHPARAM>()->prime, dh.as<KORVU_PKCS3_DHPARAM>()->base}) {
    const Bytes c = ocsp::contents(encode(KORVU_TYPE_INTEGER, i));
    want += to_hex(c.data() + (c[0] == 0), c.size() - (c[0] == 0)) + "\n";  // asn1parse prints no sign octet
  }
  std::istringstream lines(run_command("openssl asn1parse -inform DER -in " + made_file("dh.der")));
  for (std::string line; std::getline(lines, line);)
    if (line.find("INTEGER") != std::string::npos) got += line.substr(line.rfind(':') + 1) + "\n";
  std::erase(want, ' ');
  EXPECT_EQ(got, want);
}

// Constructors: a null argument makes the DEFAULT, which the getters read and DER leaves out; the PBEParameter
// salt rule; both ECPrivateKey forms (the SM2 one needs its public key); InnerEnvelopedKeyPair's tags; a bag
// built from the parts of a BER one is DER.
TEST(KeysBuild, DefaultsFormsAndChoices) {
  ErrCtx ctx;
  const std::string sm2env = "3024300a06082a811ccf55016802300e0201010201020402aabb0402ccdd030200aa030200bb",
                    rsaenv = "301c300a06082a811ccf550168020402aabb300602010b0201030402ccdd",
                    mac = "300f300706052b0e03021a04040102030404083132333435363738";
  Val s8(4, korvu_asn1_octetstring_new("12345678", 8)), s7(4, korvu_asn1_octetstring_new("1234567", 7)),
      n1(2, korvu_asn1_integer_value(1)), n1024(2, korvu_asn1_integer_value(1024)),
      curve(6, korvu_asn1_oid_new("1.2.156.10197.1.301")), pub(3, korvu_asn1_bitstring_new(0, "\x04\x01", 2)),
      di(57, decode(57, hex("300f300706052b0e03021a040401020304"), ctx)),
      e1(204, decode(204, hex(sm2env), ctx)), e2(205, decode(205, hex(rsaenv), ctx));
  auto *salt8 = s8.as<KORVU_ASN1_OCTETSTRING>();
  auto *one = n1.as<KORVU_ASN1_INTEGER>(), *k1024 = n1024.as<KORVU_ASN1_INTEGER>();
  auto *digest = di.as<KORVU_DIGESTINFO>();
  Val salt(146, korvu_pkcs5pbkdf2paramssalt_newvalue(salt8)), params(201, korvu_ecpkparameters_new_namedcurve(curve.as<KORVU_ASN1_OID>()));
  Val pss(101, korvu_pkcs1rsassapssprarams_new(nullptr, nullptr, nullptr, nullptr)),
      oaep(100, korvu_pkcs1rsaesoaepprarams_new(nullptr, nullptr, nullptr)),
      kdf(105, korvu_pkcs5pbkdf2params_new(salt.as<KORVU_PKCS5_PBKDF2SALT>(), one, nullptr, nullptr)),
      gmt(424, korvu_gmt0091pbkdfparams_new(salt.as<KORVU_PKCS5_PBKDF2SALT>(), one, nullptr, nullptr)),
      mac1(112, korvu_pkcs12macdata_new(digest, salt8, one)), mac1024(112, korvu_pkcs12macdata_new(digest, salt8, k1024)),
      ckx1(425, korvu_ckxmacdata_new(digest, salt8, one)), ckx_default(425, korvu_ckxmacdata_new(digest, salt8, nullptr)),
      sm2(202, korvu_ecprivatekey_newsm2(one, k1024, params.as<KORVU_EC_PKPARAMS>(), pub.as<KORVU_ASN1_BITSTRING>())),
      std_key(202, korvu_ecprivatekey_new(one, salt8, nullptr, nullptr)), implicit(201, korvu_ecpkparameters_new_implicitlyca()),
      in_sm2(206, korvu_innerenvelopedkeypair_newsm2(e1.as<KORVU_SM2_ENVELOPEDKEY>())),
      in_rsa(206, korvu_innerenvelopedkeypair_newrsa(e2.as<KORVU_RSA_ENVELOPEDKEYPAIR>())),
      ber(115, decode(115, hex("3080060b2a864886f70d010c0a0103a080300302010500000000"), ctx)),
      pbe(106, korvu_pkcs5pbeparam_new(salt8, one));
  Val bag(115, korvu_pkcs12safebag_new(ber.as<KORVU_PKCS12_SAFEBAG>()->bagId, ber.as<KORVU_PKCS12_SAFEBAG>()->bagValue, nullptr));
  const auto der = [](uint32_t type, const void *v) { return lower_hex(encode(type, v)); };
  const std::pair<std::string, std::string> checks[] = {
      {der(101, pss.v), "3000"},
      {der(2, pss.as<KORVU_PKCS1_RSASSAPSSPARAMS>()->saltLength) + der(2, pss.as<KORVU_PKCS1_RSASSAPSSPARAMS>()->trailerField), "020114020101"},
      {der(100, oaep.v), "3000"},
      {der(33, oaep.as<KORVU_PKCS1_RSAESOAEPPARAMS>()->pSourceAlgorithm), "300d06092a864886f70d0101090400"},
      {der(33, kdf.as<KORVU_PKCS5_PBKDF2PARAMS>()->prf), "300c06082a864886f70d02070500"},
      {der(33, gmt.as<KORVU_GMT0091_PBKDFPARAMS>()->prf), "300e060a2a811ccf5501831103010500"},
      {der(105, kdf.v) + der(424, gmt.v), "300d04083132333435363738020101300d04083132333435363738020101"},
      {der(112, mac1.v) + " " + der(112, mac1024.v), "301b" + mac + " 301f" + mac + "02020400"},  // iterations 1 left out
      {der(425, ckx1.v) + " " + der(425, ckx_default.v), "301e" + mac + "020101 301b" + mac},  // CKX: 1024 left out
      {der(2, ckx_default.as<KORVU_CKX_MACDATA>()->iterations), "02020400"},
      {der(202, sm2.v), "301a02010102020400a00a06082a811ccf5501822da1050303000401"},
      {der(202, std_key.v), "300d02010104083132333435363738"},
      {der(201, implicit.v), "0500"},
      {der(206, in_sm2.v) + " " + der(206, in_rsa.v), "a026" + sm2env + " a11e" + rsaenv},
      {der(115, bag.v), "3014060b2a864886f70d010c0a0103a0053003020105"},  // built from a BER bag's parts: DER
      {der(106, pbe.v), "300d04083132333435363738020101"},
  };
  for (const auto &[got, want] : checks) EXPECT_EQ(got, want);
  EXPECT_EQ(korvu_pkcs5pbeparam_new(s7.as<KORVU_ASN1_OCTETSTRING>(), one), nullptr);  // a salt of 8 octets only
  EXPECT_EQ(korvu_ecprivatekey_newsm2(one, k1024, params.as<KORVU_EC_PKPARAMS>(), nullptr), nullptr);
  EXPECT_TRUE(sm2.as<KORVU_EC_PRIVKEY>()->isSm2 && korvu_ecprivatekey_getprivkey(sm2.as<KORVU_EC_PRIVKEY>()) == nullptr);
  EXPECT_EQ(korvu_ecprivatekey_getsm2privkey(std_key.as<KORVU_EC_PRIVKEY>()), nullptr);
}

// Bad input: every truncation of an openssl-made PFX, EC key and encrypted key fails with the type's decode code
// and hands out nothing; a wrong identifier at each TLV either fails the same way or still decodes to a value
// written back whole. (The BER PFX nesting constructed strings past the recursion limit: the corpus test.)
TEST(KeysBadInput, TruncationAndWrongTags) {
  if (made().empty()) GTEST_SKIP() << "openssl missing";
  for (const auto &[type, name] : {std::pair<uint32_t, const char *>{113, "p12-plain.p12"}, {202, "ec-explicit.der"},
                                   {104, "e-aes.der"}}) {
    const Bytes in = read_file(made_file(name));
    ASSERT_FALSE(in.empty()) << name;
    const uint32_t code = decode_code(type);
    for (size_t n = 0; n < in.size(); n++) expect_decode_fails(type, Bytes(in.begin(), in.begin() + static_cast<long>(n)), n ? code : 0);
    for (const DerNode &node : der_all(in)) {
      Bytes bad = in;
      bad[node.at] = bad[node.at] == 0x04 ? 0x13 : static_cast<unsigned char>(bad[node.at] ^ 0x0c);
      ErrCtx ctx;
      Val v(type, decode(type, bad, ctx));
      EXPECT_TRUE(v.v ? encode(type, v.v) == bad : ctx.has(code)) << name << " tag at " << node.at;
    }
  }
}

// The corpus's 484 ECDSA-Sig-Value vectors: every valid one decodes and writes back unchanged; the refusals, each
// with ECDSA-Sig-Value's decode code, are counted per flag (the vectors of every other flag decode).
TEST(KeysBadInput, EcdsaSignatureVectors) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  std::istringstream lines(run_command(
      "python3 -c \"import json,sys; d=json.load(open(sys.argv[1]))\n"
      "for g in d['testGroups']:\n for t in g['tests']: print(t['result'], '+'.join(t['flags']) or '-', t['sig'] or '-')\" " +
      corpus_dir() + "/misc/wycheproof__ecdsa_secp256r1_sha256_test.json"));
  std::map<std::string, int> refused;
  size_t count = 0;
  for (std::string result, flags, sig; lines >> result >> flags >> sig; count++) {
    ErrCtx ctx;
    const Bytes in = sig == "-" ? Bytes{} : hex(sig);
    Val v(59, decode(59, in, ctx));
    EXPECT_TRUE(v.v ? result != "valid" || encode(59, v.v) == in : result != "valid" && (in.empty() || ctx.has(decode_code(59))))
        << sig;
    if (v.v == nullptr) refused[flags]++;
  }
  EXPECT_EQ(count, 484u);
  EXPECT_EQ(refused, (std::map<std::string, int>{{"InvalidEncoding", 88}, {"InvalidTypesInSignature", 63}, {"ModifiedSignature", 31}}));
}

// `korvu-asn1 decode --summary` on keys and containers: the key's PEM block found by its label among others,
// legacy PEM encryption refused, and the lines of each summary.
TEST(KeysTool, DecodeSummaries) {
  if (made().empty()) GTEST_SKIP() << "openssl missing";
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string ec = corpus_dir() + "/keys/asn1crypto__keys_test-ec.key";  // EC PARAMETERS, then EC PRIVATE KEY
  const std::tuple<uint32_t, std::string, int, std::vector<std::string>> cases[] = {
      {113, made_file("p12-plain.p12"), 0, {"MAC: 2.16.840.1.101.3.4.2.1, iterations 2048, salt 8 octets\n",
                                            "content types: encryptedData, data\n", "unencrypted bags: pkcs8ShroudedKeyBag\n", "re-encoded: identical"}},
      {113, made_file("p12-clear.p12"), 0, {"content types: data, data\n", "unencrypted bags: certBag x2, keyBag\n"}},
      {113, made_file("p12-nomac.p12"), 0, {"MAC: none\n"}},
      {104, made_file("e-aes.der"), 0, {"scheme: 1.2.840.113549.1.5.13\n", "cipher: 2.16.840.1.101.3.4.1.42\n",
                                        "KDF: PBKDF2 (iterations 2048, salt 8 octets, key length absent, PRF 1.2.840.113549.2.9)\n"}},
      {104, made_file("e-3des.der"), 0, {"scheme: 1.2.840.113549.1.12.1.3\n", "iterations: 2048\n"}},
      {99, made_file("rsa3.der"), 0, {"version: 1\n", "modulus bits: 2048\n", "public exponent: 65537\n", "other primes: 1\n"}},
      {103, made_file("p8.der"), 0, {"algorithm: 1.2.840.113549.1.1.1\n", "parameters: NULL\n", "attributes: none\n"}},
      {202, ec, 0, {"input: PEM (EC PRIVATE KEY)", "form: standard (OCTET STRING private key)\n", "curve: "}},
      {201, ec, 0, {"input: PEM (EC PARAMETERS)", "type: 201 (EcpkParameters)"}},
      {202, corpus_dir() + "/gmt/tongsuo__certs_sm2_begin_sm2.key", 0, {"input: PEM (SM2 PRIVATE KEY)", "curve: 1.2.156.10197.1.301\n"}},
      {99, corpus_dir() + "/keys/asn1crypto__keys_test-aes128.key", 65, {"legacy PEM encryption"}},
  };
  for (const auto &[type, file, status, lines] : cases) {
    int got = -1;
    const std::string out = ocsp::summary_of(type, file, &got);
    EXPECT_EQ(got, status) << file << "\n" << out;
    for (const std::string &l : lines) EXPECT_NE(out.find(l), std::string::npos) << file << ": " << l;
  }
}
