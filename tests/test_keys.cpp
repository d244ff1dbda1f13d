// Keys and key containers: hex vectors of every type's tagging, DEFAULT and refusal rules
// (tests/data/keys_vectors.txt), the corpus's keys and PKCS #12 files read by the library and by
// pyasn1-modules, openssl-made keys and containers, and bad input.
#include <algorithm>
#include <fstream>
#include <numeric>
#include <set>

#include "peer_compare.h"
#include "tools/lib/cmd_decode.h"
#include "tools/lib/summary_keys.h"
#include "tools/lib/tool.h"

using namespace korvu_test;

namespace {

// One line of a vector file (tests/data/*_vectors.txt): "TYPE HEX OUTCOME", OUTCOME "=" (decodes and is written
// back byte for byte, and its copy too), ">HEX" (decodes and is written back as HEX) or "!CODE" (refused with CODE
// and the type's decode code).
struct Vector {
  int line;
  uint32_t type;
  Bytes in;
  std::string outcome;
};

std::vector<Vector> vectors(const char *file) {
  std::vector<Vector> out;
  std::ifstream f(std::string(KORVU_SOURCE_DIR "/tests/data/") + file);
  std::string text;
  for (int n = 1; std::getline(f, text); n++) {
    std::istringstream words(text);
    std::string type, in, outcome;
    if (!(words >> type >> in >> outcome) || type[0] == '#') continue;
    out.push_back({n, static_cast<uint32_t>(std::stoul(type)), hex(in), outcome});
  }
  return out;
}

uint32_t decode_code(uint32_t type) {
  ErrCtx ctx;
  korvu_asn1_decode_puterr(ctx, type, "t", 0);
  return ctx.codes().empty() ? 0 : ctx.codes()[0];
}

}  // namespace

void run_vectors(const char *file) {
  const std::vector<Vector> all = vectors(file);
  ASSERT_FALSE(all.empty()) << file;
  for (const Vector &v : all) {
    SCOPED_TRACE(std::string(file) + ":" + std::to_string(v.line));
    ErrCtx ctx;
    uint32_t used = 0;
    Val got(v.type, decode(v.type, v.in, ctx, &used));
    if (v.outcome[0] == '!') {
      EXPECT_EQ(got.v, nullptr);
      EXPECT_TRUE(ctx.has(static_cast<uint32_t>(std::stoul(v.outcome.substr(1), nullptr, 16))))
          << ::testing::PrintToString(ctx.codes());
      EXPECT_TRUE(ctx.has(decode_code(v.type))) << ::testing::PrintToString(ctx.codes());
      continue;
    }
    ASSERT_NE(got.v, nullptr) << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(used, v.in.size());
    const Bytes want = v.outcome == "=" ? v.in : hex(v.outcome.substr(1));
    EXPECT_EQ(to_hex(encode(v.type, got.v)), to_hex(want));
    Val copy(v.type, korvu_asn1_dupobject(v.type, got.v, nullptr));
    EXPECT_EQ(to_hex(encode(v.type, copy.v)), to_hex(want));
  }
}

// Each vector decodes (BER accepted), is written back as DER (DEFAULT components equal to their default left
// out) and copies, or is refused with its codes.
TEST(KeysVectors, DecodeReencodeCopyOrRefuse) { run_vectors("keys_vectors.txt"); }

namespace {

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
#define P(path, type, fn) \
  Path { path, KORVU_TYPE_##type, &get_<&fn> }
struct Peer {
  const char *schema;
  std::vector<Path> paths;
};
const std::map<uint32_t, Peer> &peers() {
  static const std::map<uint32_t, Peer> table = {
      {56, {"rfc8017.RSAPublicKey", {P("/modulus", INTEGER, korvu_rsapubkey_getmodulus),
                                     P("/publicExponent", INTEGER, korvu_rsapubkey_getpubexponent)}}},
      {58, {"rfc3279.Dss_Sig_Value", {P("/r", INTEGER, korvu_dsssignvalue_getr), P("/s", INTEGER, korvu_dsssignvalue_gets)}}},
      {59, {"rfc3279.ECDSA_Sig_Value", {P("/r", INTEGER, korvu_dsssignvalue_getr), P("/s", INTEGER, korvu_dsssignvalue_gets)}}},
      {60, {"rfc3279.Dss_Parms", {P("/p", INTEGER, korvu_dssparam_getp), P("/q", INTEGER, korvu_dssparam_getq),
                                  P("/g", INTEGER, korvu_dssparam_getg)}}},
      {99, {"rfc8017.RSAPrivateKey",
            {P("/version", INTEGER, korvu_pkcs1rsaprivkey_getversion), P("/modulus", INTEGER, korvu_pkcs1rsaprivkey_getmodulus),
             P("/publicExponent", INTEGER, korvu_pkcs1rsaprivkey_getpublicexponent),
             P("/privateExponent", INTEGER, korvu_pkcs1rsaprivkey_getprivateexponent),
             P("/prime1", INTEGER, korvu_pkcs1rsaprivkey_getprime1), P("/prime2", INTEGER, korvu_pkcs1rsaprivkey_getprime2),
             P("/exponent1", INTEGER, korvu_pkcs1rsaprivkey_getexponent1),
             P("/exponent2", INTEGER, korvu_pkcs1rsaprivkey_getexponent2),
             P("/coefficient", INTEGER, korvu_pkcs1rsaprivkey_getcoefficient),
             P("/otherPrimeInfos", OTHERPRIMEINFOS, korvu_pkcs1rsaprivkey_getotherprimeinfos)}}},
      {100, {"rfc8017.RSAES_OAEP_params",
             {P("/hashAlgorithm", ALGORITHMIDENTIFIER, korvu_pkcs1rsaesoaepprarams_gethashalgorithm),
              P("/maskGenAlgorithm", ALGORITHMIDENTIFIER, korvu_pkcs1rsaesoaepprarams_getmaskgenalgorithm),
              P("/pSourceAlgorithm", ALGORITHMIDENTIFIER, korvu_pkcs1rsaesoaepprarams_getpsourcealgorithm)}}},
      {101, {"rfc8017.RSASSA_PSS_params",
             {P("/hashAlgorithm", ALGORITHMIDENTIFIER, korvu_pkcs1rsassapssprarams_gethashalgorithm),
              P("/maskGenAlgorithm", ALGORITHMIDENTIFIER, korvu_pkcs1rsassapssprarams_getmaskgenalgorithm),
              P("/saltLength", INTEGER, korvu_pkcs1rsassapssprarams_getsaltlen),
              P("/trailerField", INTEGER, korvu_pkcs1rsassapssprarams_gettrailerfield)}}},
      {103, {"rfc5958.PrivateKeyInfo",
             {P("/version", INTEGER, korvu_pkcs8privatekeyinfo_getversion),
              P("/privateKeyAlgorithm", ALGORITHMIDENTIFIER, korvu_pkcs8privatekeyinfo_getprivkeyalgo),
              P("/privateKey", OCTET_STRING, korvu_pkcs8privatekeyinfo_getprivkey),
              P("/attributes", ATTRIBUTES, korvu_pkcs8privatekeyinfo_getattrs)}}},
      {104, {"rfc5958.EncryptedPrivateKeyInfo",
             {P("/encryptionAlgorithm", ALGORITHMIDENTIFIER, korvu_pkcs8encprivatekeyinfo_getencalgo),
              P("/encryptedData", OCTET_STRING, korvu_pkcs8encprivatekeyinfo_getencdata)}}},
      {105, {"rfc8018.PBKDF2_params",
             {P("/salt", PBKDF2_SALT, korvu_pkcs5pbkdf2params_getsalt),
              P("/iterationCount", INTEGER, korvu_pkcs5pbkdf2params_getitercount),
              P("/keyLength", INTEGER, korvu_pkcs5pbkdf2params_getkeylen),
              P("/prf", ALGORITHMIDENTIFIER, korvu_pkcs5pbkdf2params_getprf)}}},
      {106, {"rfc8018.PBEParameter", {P("/salt", OCTET_STRING, korvu_pkcs5pbeparam_getsalt),
                                      P("/iterationCount", INTEGER, korvu_pkcs5pbeparam_getitercount)}}},
      {107, {"rfc8018.PBES2_params",
             {P("/keyDerivationFunc", ALGORITHMIDENTIFIER, korvu_pkcs5pbes2params_getkeyderivfunc),
              P("/encryptionScheme", ALGORITHMIDENTIFIER, korvu_pkcs5pbes2params_getencscheme)}}},
      {108, {"rfc8018.PBMAC1_params",
             {P("/keyDerivationFunc", ALGORITHMIDENTIFIER, korvu_pkcs5pbmac1params_getkeyderivfunc),
              P("/messageAuthScheme", ALGORITHMIDENTIFIER, korvu_pkcs5pbmac1params_getauthscheme)}}},
      {109, {"rfc8018.RC2_CBC_Parameter",
             {P("/rc2ParameterVersion", INTEGER, korvu_pkcs5rc2cbcparameter_getversion),
              P("/iv", OCTET_STRING, korvu_pkcs5rc2cbcparameter_getiv)}}},
      {112, {"rfc7292.MacData", {P("/mac", DIGESTINFO, korvu_pkcs12macdata_getmac),
                                 P("/macSalt", OCTET_STRING, korvu_pkcs12macdata_getsalt),
                                 P("/iterations", INTEGER, korvu_pkcs12macdata_getitercount)}}},
      {113, {"rfc7292.PFX", {P("/version", INTEGER, korvu_pkcs12pfx_getversion),
                             P("/authSafe", CONTENTINFO, korvu_pkcs12pfx_getauthsafe),
                             P("/macData", MACDATA, korvu_pkcs12pfx_getmac)}}},
      {115, {"rfc7292.SafeBag", {P("/bagId", OBJECT_IDENTIFIER, korvu_pkcs12safebag_getid),
                                 P("/bagValue", ANY, korvu_pkcs12safebag_getvalue),
                                 P("/bagAttributes", ATTRIBUTES, korvu_pkcs12safebag_getattrs)}}},
      {117, {"rfc7292.CertBag", {P("/certId", OBJECT_IDENTIFIER, korvu_pkcs12certbag_getid),
                                 P("/certValue", ANY, korvu_pkcs12certbag_getvalue)}}},
      {120, {"rfc7292.Pkcs_12PbeParams", {P("/salt", OCTET_STRING, korvu_pkcs12pbeparams_getsalt),
                                          P("/iterations", INTEGER, korvu_pkcs12pbeparams_getitercount)}}},
      {202, {"rfc5915.ECPrivateKey", {P("/version", INTEGER, korvu_ecprivatekey_getversion),
                                      P("/privateKey", OCTET_STRING, korvu_ecprivatekey_getprivkey),
                                      P("/parameters", ECPKPARAMETERS, korvu_ecprivatekey_getparam),
                                      P("/publicKey", BIT_STRING, korvu_ecprivatekey_getpubkey)}}},
  };
  return table;
}
#undef P

// pyasn1 writes a SET OF in DER order, the library as received: attribute sets are compared sorted.
LibDump lib_dump(uint32_t type, const void *v) {
  LibDump d;
  for (const Path &p : peers().at(type).paths) {
    d.der(p.path, p.type, p.get(v));
    if (p.type != KORVU_TYPE_ATTRIBUTES || p.get(v) == nullptr) continue;
    const Bytes set = encode(p.type, p.get(v));
    std::vector<Bytes> e = der_elements(set);
    std::sort(e.begin(), e.end());
    Bytes sorted(set.begin(), set.end() - static_cast<long>(std::accumulate(e.begin(), e.end(), size_t{0},
                                                                            [](size_t n, const Bytes &b) { return n + b.size(); })));
    for (const Bytes &b : e) sorted.insert(sorted.end(), b.begin(), b.end());
    d.at[p.path] = lower_hex(sorted);
  }
  return d;
}

std::string oid_of(const KORVU_X509_ALGID *a) { return a ? korvu_asn1_oid_getstring(a->algorithm) : ""; }
Bytes any_bytes(const KORVU_ASN1_ANY *a) { return a ? encode(KORVU_TYPE_ANY, a) : Bytes{}; }
Bytes params_of(const KORVU_X509_ALGID *a) { return a ? any_bytes(korvu_x509algoid_getparam(a)) : Bytes{}; }
Bytes octets_of(const KORVU_ASN1_OCTETSTRING *o) {
  Bytes b(o ? korvu_asn1_octetstring_getlength(o) : 0);
  if (!b.empty()) korvu_asn1_octetstring_getall(o, b.data());
  return b;
}

// Every layer of a key or container: decoded as its type, written back byte for byte (or, where a DEFAULT value
// was written out, as DER whose getters read the same), copied, and queued for pyasn1 with its layers below.
struct Walk {
  std::map<uint32_t, int> layers;  // type -> layers decoded
  std::map<uint32_t, int> defaults_dropped, ber_rewritten;
  std::vector<std::pair<uint32_t, Bytes>> for_peer;
  std::string where;
  bool peer_ok = true;                      // the file is one pyasn1 reads
  std::map<std::string, uint32_t> refused;  // files refused (at some layer) with this code
  std::set<std::string> seen_refused;

  void algorithm(const KORVU_X509_ALGID *a) {
    const std::string oid = oid_of(a);
    const Bytes p = params_of(a);
    static const std::map<std::string, uint32_t> by_oid = {
        {"1.2.840.113549.1.5.13", KORVU_TYPE_PBES2_PARAMS},  {"1.2.840.113549.1.5.12", KORVU_TYPE_PBKDF2_PARAMS},
        {"1.2.840.113549.1.5.14", KORVU_TYPE_PBMAC1_PARAMS}, {"1.2.840.113549.3.2", KORVU_TYPE_RC2_CBC_PARAMETER},
        {"1.2.840.113549.3.9", KORVU_TYPE_RC5_CBC_PARAMETERS}, {"1.2.840.113549.1.1.10", KORVU_TYPE_RSASSA_PSS_PARAMS},
        {"1.2.840.113549.1.1.7", KORVU_TYPE_RSAES_OAEP_PARAMS}, {"1.2.840.10040.4.1", KORVU_TYPE_DSS_PARMS},
        {"1.2.840.10045.2.1", KORVU_TYPE_ECPKPARAMETERS}};
    const auto t = by_oid.find(oid);
    if (oid.rfind("1.2.840.113549.1.12.1.", 0) == 0) layer(KORVU_TYPE_PKCS12PBEPARAMS, p);
    else if (t != by_oid.end() && !p.empty() && p[0] != 0x05) layer(t->second, p);
    else if (t == by_oid.end() && oid.rfind("1.2.840.113549.1.5.", 0) == 0) layer(KORVU_TYPE_PBEPARAMETER, p);
  }
  void content_info(const KORVU_PKCS7_CONTENTINFO *ci, uint32_t inner) {
    const std::string type = korvu_asn1_oid_getstring(ci->contentType);
    const Bytes c = any_bytes(korvu_pkcs7contentinfo_getcontent(ci));
    if (type == "1.2.840.113549.1.7.1") {  // data: an OCTET STRING holding the next layer
      ErrCtx ctx;
      Val o(KORVU_TYPE_OCTET_STRING, decode(KORVU_TYPE_OCTET_STRING, c, ctx));
      if (o.v != nullptr) return layer(inner, octets_of(o.as<KORVU_ASN1_OCTETSTRING>()));
      EXPECT_TRUE(refused.count(where) && ctx.has(refused.at(where))) << where << ::testing::PrintToString(ctx.codes());
      seen_refused.insert(where);
    }
    if (type != "1.2.840.113549.1.7.6") return;  // EncryptedData: its algorithm's parameters
    const std::vector<Bytes> ed = der_elements(c);  // definite lengths only
    const std::vector<Bytes> eci = ed.size() > 1 ? der_elements(ed[1]) : std::vector<Bytes>{};
    if (eci.size() < 2) return;
    ErrCtx ctx;
    Val a(KORVU_TYPE_ALGORITHMIDENTIFIER, decode(KORVU_TYPE_ALGORITHMIDENTIFIER, eci[1], ctx));
    algorithm(a.as<KORVU_X509_ALGID>());
  }

  void layer(uint32_t type, const Bytes &in) {
    SCOPED_TRACE(where + " as " + std::to_string(type));
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(type, decode(type, in, ctx, &used));
    if (v.v == nullptr && refused.count(where)) {  // a file refused as kept, at whatever layer
      EXPECT_TRUE(ctx.has(refused.at(where))) << ::testing::PrintToString(ctx.codes());
      seen_refused.insert(where);
      return;
    }
    ASSERT_NE(v.v, nullptr) << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(used, in.size());
    layers[type]++;
    const Bytes out = encode(type, v.v);
    Val copy(type, korvu_asn1_dupobject(type, v.v, nullptr));
    EXPECT_EQ(encode(type, copy.v), out);
    if (out != in) {  // a DEFAULT written out, or BER: written as DER, read the same
      (in[1] == 0x80 ? ber_rewritten : defaults_dropped)[type]++;
      Val again(type, decode(type, out, ctx));
      ASSERT_NE(again.v, nullptr);
      EXPECT_EQ(encode(type, again.v), out);
      if (peers().count(type)) {
        EXPECT_EQ(lib_dump(type, v.v).at, lib_dump(type, again.v).at);
      }
    }
    if (peers().count(type) && in[1] != 0x80 && peer_ok) for_peer.push_back({type, in});
    descend(type, v.v);
  }

  void descend(uint32_t type, const void *v) {
    switch (type) {
      case KORVU_TYPE_PFX:
      case KORVU_TYPE_CKX: {
        auto *pfx = static_cast<const KORVU_PKCS12_PFX *>(v);
        content_info(korvu_pkcs12pfx_getauthsafe(pfx), KORVU_TYPE_AUTHENTICATEDSAFE);
        if (korvu_pkcs12pfx_hasmac(pfx)) {
          layer(type == KORVU_TYPE_PFX ? KORVU_TYPE_MACDATA : KORVU_TYPE_CKX_MACDATA,
                encode(KORVU_TYPE_MACDATA, korvu_pkcs12pfx_getmac(pfx)));
          algorithm(korvu_pkcs12pfx_getmac(pfx)->mac->digestAlgorithm);
        }
        break;
      }
      case KORVU_TYPE_AUTHENTICATEDSAFE:
        for (auto *ci : list_items<KORVU_PKCS7_CONTENTINFO>(static_cast<const KORVU_ASN1_LIST *>(v)))
          content_info(ci, KORVU_TYPE_SAFECONTENTS);
        break;
      case KORVU_TYPE_SAFECONTENTS:
        for (auto *bag : list_items<void>(static_cast<const KORVU_ASN1_LIST *>(v)))
          layer(KORVU_TYPE_SAFEBAG, encode(KORVU_TYPE_SAFEBAG, bag));
        break;
      case KORVU_TYPE_SAFEBAG: {
        auto *bag = static_cast<const KORVU_PKCS12_SAFEBAG *>(v);
        const std::string id = korvu_asn1_oid_getstring(korvu_pkcs12safebag_getid(bag));
        static const std::map<std::string, uint32_t> bags = {
            {"1.2.840.113549.1.12.10.1.1", KORVU_TYPE_PRIVATEKEYINFO},
            {"1.2.840.113549.1.12.10.1.2", KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO},
            {"1.2.840.113549.1.12.10.1.3", KORVU_TYPE_CERTBAG}, {"1.2.840.113549.1.12.10.1.4", KORVU_TYPE_CRLBAG},
            {"1.2.840.113549.1.12.10.1.5", KORVU_TYPE_SECRETBAG}, {"1.2.840.113549.1.12.10.1.6", KORVU_TYPE_SAFECONTENTS}};
        if (bags.count(id)) layer(bags.at(id), any_bytes(korvu_pkcs12safebag_getvalue(bag)));
        break;
      }
      case KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO:
        algorithm(korvu_pkcs8encprivatekeyinfo_getencalgo(static_cast<const KORVU_PKCS8_ENCPRIVKEYINFO *>(v)));
        break;
      case KORVU_TYPE_PBES2_PARAMS:
        algorithm(korvu_pkcs5pbes2params_getkeyderivfunc(static_cast<const KORVU_PKCS5_PBES2PARAMS *>(v)));
        algorithm(korvu_pkcs5pbes2params_getencscheme(static_cast<const KORVU_PKCS5_PBES2PARAMS *>(v)));
        break;
      case KORVU_TYPE_PBMAC1_PARAMS:
        algorithm(korvu_pkcs5pbmac1params_getkeyderivfunc(static_cast<const KORVU_PKCS5_PBMAC1PARAMS *>(v)));
        break;
      case KORVU_TYPE_PRIVATEKEYINFO: {
        auto *k = static_cast<const KORVU_PKCS8_PRIVKEYINFO *>(v);
        const KORVU_X509_ALGID *a = korvu_pkcs8privatekeyinfo_getprivkeyalgo(k);
        algorithm(a);
        const Bytes key = octets_of(korvu_pkcs8privatekeyinfo_getprivkey(k));
        const std::string oid = oid_of(a);
        if (oid == "1.2.840.113549.1.1.1" || oid == "1.2.840.113549.1.1.10") layer(KORVU_TYPE_RSAPRIVATEKEY, key);
        if (oid == "1.2.840.10045.2.1") layer(KORVU_TYPE_ECPRIVATEKEY, key);
        break;
      }
      case KORVU_TYPE_ECPRIVATEKEY: {
        const KORVU_EC_PKPARAMS *p = korvu_ecprivatekey_getparam(static_cast<const KORVU_EC_PRIVKEY *>(v));
        if (p) layer(KORVU_TYPE_ECPKPARAMETERS, encode(KORVU_TYPE_ECPKPARAMETERS, p));
        break;
      }
      default:
        break;
    }
  }

  // pyasn1-modules' reading of every DER layer queued, compared path by path.
  void compare_with_peer(const std::string &python) {
    std::vector<PeerJob> jobs;
    for (size_t i = 0; i < for_peer.size(); i++)
      jobs.push_back({std::to_string(i), peers().at(for_peer[i].first).schema, "hex:" + lower_hex(for_peer[i].second), ""});
    const auto dumps = run_asn1_peer(python, jobs);
    for (size_t i = 0; i < for_peer.size(); i++) {
      const auto &[type, in] = for_peer[i];
      const PeerDump &p = dumps.at(std::to_string(i));
      ErrCtx ctx;
      Val v(type, decode(type, in, ctx));
      // rfc5915 knows named curves only, and no INTEGER private key
      if (type == KORVU_TYPE_ECPRIVATEKEY && !p.error.empty()) {
        auto *k = v.as<KORVU_EC_PRIVKEY>();
        EXPECT_TRUE(k->isSm2 || korvu_ecpkparameters_gettype(k->parameters) == 1) << to_hex(in);
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

}  // namespace

namespace {

// The parameters of every AlgorithmIdentifier naming RSASSA-PSS or RSAES-OAEP inside a DER encoding.
void scan_rsa_params(Walk &w, const Bytes &der) {
  static const Bytes pss = hex("06 09 2a 86 48 86 f7 0d 01 01 0a"), oaep = hex("06 09 2a 86 48 86 f7 0d 01 01 07");
  for (const DerNode &n : der_all(der)) {
    const std::vector<DerNode> k = der[n.at] == 0x30 ? der_kids(der, n) : std::vector<DerNode>{};
    if (k.size() != 2) continue;
    const Bytes oid(der.begin() + static_cast<long>(k[0].at), der.begin() + static_cast<long>(k[0].end()));
    const Bytes params(der.begin() + static_cast<long>(k[1].at), der.begin() + static_cast<long>(k[1].end()));
    if (oid == pss || oid == oaep)
      w.layer(oid == pss ? KORVU_TYPE_RSASSA_PSS_PARAMS : KORVU_TYPE_RSAES_OAEP_PARAMS, params);
  }
}

// One file of the corpus or one made by openssl, read as `type` (PEM under the label that fits it).
// (The program's reading: legacy PEM encryption refused, the block under the type's label, else the first.)
bool read_key_file(const std::string &file, uint32_t type, Bytes &out) {
  const Bytes raw = read_file(file);
  const std::vector<unsigned char> bytes(raw.begin(), raw.end());
  korvu::tool::LoadedInput in;
  std::string error;
  const korvu::tool::KeyPem k = korvu::tool::load_key_pem(type, bytes, in, error);
  if (k == korvu::tool::KeyPem::Refused) return false;
  EXPECT_TRUE(k == korvu::tool::KeyPem::Loaded || korvu::tool::load_input(bytes, in, error)) << file << error;
  out.assign(in.bytes.begin(), in.bytes.end());
  return true;
}

// The type to read a corpus row as (0: none of this family's).
uint32_t type_of_row(const ManifestRow &r) {
  static const std::map<std::string, uint32_t> by_name = {
      {"PFX", 113}, {"PrivateKeyInfo", 103}, {"EncryptedPrivateKeyInfo", 104}, {"RSAPrivateKey", 99},
      {"RSAPublicKey", 56}, {"ECPrivateKey", 202}, {"Dss-Parms", 60}, {"SM2Cipher", 203},
      {"SM2Signature", 59}, {"SM2EnvelopedKey", 204}, {"CertBag", 115}, {"SubjectPublicKeyInfo", 35}};
  const bool ours = r.family == "keys" || r.family == "pkcs12" || r.family == "gmt";
  return ours && by_name.count(r.type) ? by_name.at(r.type) : 0;
}

// Outcomes kept per file (tests/data/keys_corpus_outcomes.txt): "PATH<TAB>CODE", the code a file is refused with.
std::map<std::string, uint32_t> kept_refusals() {
  std::map<std::string, uint32_t> out;
  std::ifstream f(KORVU_SOURCE_DIR "/tests/data/keys_corpus_outcomes.txt");
  for (std::string line; std::getline(f, line);)
    if (!line.empty() && line[0] != '#')
      out[line.substr(0, line.find('\t'))] = static_cast<uint32_t>(std::stoul(line.substr(line.find('\t') + 1), nullptr, 16));
  return out;
}

void walk_file(Walk &w, uint32_t type, const Bytes &in) {
  if (type != KORVU_TYPE_SUBJECTPUBLICKEYINFO) return w.layer(type, in);
  ErrCtx ctx;  // a public key: its algorithm's parameters, an RSA key's bits
  Val spki(type, decode(type, in, ctx));
  ASSERT_NE(spki.v, nullptr);
  const KORVU_X509_ALGID *a = korvu_x509subjpubkeyinfo_getalgo(spki.as<KORVU_X509_SPKI>());
  w.algorithm(a);
  const KORVU_ASN1_BITSTRING *bits = korvu_x509subjpubkeyinfo_getpubkey(spki.as<KORVU_X509_SPKI>());
  Bytes key(korvu_asn1_bitstring_getlength(bits));
  if (oid_of(a) == "1.2.840.113549.1.1.1" && !key.empty() && korvu_asn1_bitstring_getall(bits, key.data()) == 1)
    w.layer(KORVU_TYPE_RSAPUBLICKEY, key);
}

}  // namespace

// The corpus's keys and PKCS #12 files, every layer decoded by its type (authenticated safe, safe contents,
// bags, PKCS #8 keys, PBE/PBES2/PBKDF2/PBMAC1 and cipher parameters, MAC data, EC parameters, the RSA-PSS and
// RSAES-OAEP parameters of the x509 and cms families), written back byte for byte (DEFAULT values written out
// come back as DER without them, read the same), copied, and read as pyasn1-modules reads them. Files the
// library refuses are kept with their codes.
TEST(KeysCorpus, EveryLayerDecodesReencodesAndAgreesWithPyasn1) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string python = pyasn1_python("pyasn1_modules.rfc8018, pyasn1_modules.rfc7292, pyasn1_modules.rfc5915");
  Walk w;
  w.refused = kept_refusals();
  size_t files = 0;
  for (const ManifestRow &r : corpus_manifest()) {
    const std::string file = corpus_dir() + "/" + r.path;
    w.where = r.path;
    w.peer_ok = r.expect == "valid";
    if ((r.family == "x509" || r.family == "cms") && r.encoding == "der") scan_rsa_params(w, read_file(file));
    const uint32_t type = type_of_row(r);
    Bytes in;
    if (type == 0 || r.expect == "unknown" || !read_key_file(file, type, in)) continue;
    files++;
    walk_file(w, type, in);
  }
  EXPECT_EQ(w.seen_refused.size(), w.refused.size());
  EXPECT_GE(files, 250u);
  for (uint32_t t : {56, 59, 60, 99, 100, 101, 103, 104, 105, 106, 107, 108, 112, 113, 114, 115, 116, 117, 120, 201,
                     202, 203, 204})
    EXPECT_GT(w.layers[t], 0) << t;
  // DEFAULT values written out: MacData's iterations 1, a PBKDF2 prf {hmacWithSHA1, NULL}, PSS defaults.
  for (const auto &[t, n] : w.defaults_dropped)
    EXPECT_TRUE(t == KORVU_TYPE_MACDATA || t == KORVU_TYPE_PBKDF2_PARAMS || t == KORVU_TYPE_RSASSA_PSS_PARAMS ||
                t == KORVU_TYPE_PFX || t == KORVU_TYPE_AUTHENTICATEDSAFE || t == KORVU_TYPE_SAFECONTENTS ||
                t == KORVU_TYPE_SAFEBAG || t == KORVU_TYPE_PBMAC1_PARAMS)
        << t << " x" << n;
  for (const auto *m : {&w.defaults_dropped, &w.ber_rewritten})
    for (const auto &[t, n] : *m)
      std::printf("keys corpus: %d layers of type %u written back %s\n", n, t, m == &w.ber_rewritten ? "as definite-length DER" : "without a DEFAULT value");
  if (!python.empty()) w.compare_with_peer(python);
}

// Keys, parameters, signatures, encrypted keys and PKCS #12 files made by openssl 3 (tests/make_keys.sh): the
// same walk and comparison; DHParameter's numbers as `openssl dhparam -text` prints them.
TEST(KeysMade, OpensslMadeKeysAndContainers) {
  if (std::system("openssl version >/dev/null 2>&1") != 0) {
    if (under_ci()) FAIL() << "openssl missing";
    GTEST_SKIP() << "openssl missing";
  }
  const std::string dir = std::string(::testing::TempDir()) + "/korvu_keys_made";
  std::istringstream made(run_command("sh " KORVU_SOURCE_DIR "/tests/make_keys.sh " + dir));
  Walk w;
  size_t files = 0;
  for (std::string type, file; made >> type >> file; files++) {
    w.where = file;
    if (type == "100") {
      scan_rsa_params(w, read_file(file));
      continue;
    }
    w.layer(static_cast<uint32_t>(std::stoul(type)), read_file(file));
  }
  EXPECT_EQ(files, 25u);
  for (uint32_t t : {56, 58, 59, 60, 99, 100, 101, 102, 103, 104, 105, 106, 107, 109, 112, 113, 114, 115, 116, 117,
                     120, 201, 202, 203})
    EXPECT_GT(w.layers[t], 0) << t;
  const std::string python = pyasn1_python("pyasn1_modules.rfc8018, pyasn1_modules.rfc7292, pyasn1_modules.rfc5915");
  if (!python.empty()) w.compare_with_peer(python);
  // DHParameter's numbers as `openssl asn1parse` prints them
  const std::string text = run_command("openssl asn1parse -inform DER -in " + dir + "/dh.der");
  ErrCtx ctx;
  Val dh(KORVU_TYPE_DHPARAMETER, decode(KORVU_TYPE_DHPARAMETER, read_file(dir + "/dh.der"), ctx));
  ASSERT_NE(dh.v, nullptr);
  std::string want;
  for (const KORVU_ASN1_INTEGER *i : {korvu_pkcs3dhpraram_getprime(dh.as<KORVU_PKCS3_DHPARAM>()),
                                      korvu_pkcs3dhpraram_getbase(dh.as<KORVU_PKCS3_DHPARAM>())}) {
    Bytes d = encode(KORVU_TYPE_INTEGER, i);
    d.erase(d.begin(), d.begin() + (d[1] & 0x80 ? 2 + (d[1] & 0x7f) : 2));
    if (d.size() > 1 && d[0] == 0) d.erase(d.begin());
    std::string h = lower_hex(d);
    for (char &c : h) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    want += ":" + h + "\n";
  }
  std::string got;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (line.find("INTEGER") != std::string::npos) got += line.substr(line.rfind(':')) + "\n";
  EXPECT_EQ(got, want);
}

namespace {
KORVU_X509_ALGID *algid(const char *oid, bool null_params) {
  KORVU_ASN1_OID *o = korvu_asn1_oid_new(oid);
  static const unsigned char marker = 0;
  KORVU_X509_ALGID *a = null_params ? korvu_x509algoid_new(o, KORVU_TYPE_NULL, &marker)
                                    : korvu_x509algoid_new_without_param(o);
  korvu_asn1_value_free(KORVU_TYPE_OBJECT_IDENTIFIER, o);
  return a;
}
std::string der_hex(uint32_t type, const void *v) { return lower_hex(encode(type, v)); }
}  // namespace

// Constructors: defaults made for null arguments and left out when written, the PBEParameter salt rule, both
// ECPrivateKey forms, the envelope CHOICE's tags, EcpkParameters' alternatives.
TEST(KeysBuild, DefaultsFormsAndChoices) {
  Val pss(101, korvu_pkcs1rsassapssprarams_new(nullptr, nullptr, nullptr, nullptr));
  int32_t n = 0;
  ASSERT_EQ(korvu_asn1_integer_getlong(korvu_pkcs1rsassapssprarams_getsaltlen(pss.as<KORVU_PKCS1_RSASSAPSSPARAMS>()), &n), 1);
  EXPECT_EQ(n, 20);
  ASSERT_EQ(korvu_asn1_integer_getlong(korvu_pkcs1rsassapssprarams_gettrailerfield(pss.as<KORVU_PKCS1_RSASSAPSSPARAMS>()), &n), 1);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(der_hex(101, pss.v), "3000");
  Val oaep(100, korvu_pkcs1rsaesoaepprarams_new(nullptr, nullptr, nullptr));
  EXPECT_EQ(der_hex(33, korvu_pkcs1rsaesoaepprarams_getpsourcealgorithm(oaep.as<KORVU_PKCS1_RSAESOAEPPARAMS>())),
            "300d06092a864886f70d0101090400");
  EXPECT_EQ(der_hex(100, oaep.v), "3000");
  Val sha1(33, algid("1.3.14.3.2.26", false));
  Val oaep_sha1(100, korvu_pkcs1rsaesoaepprarams_new(sha1.as<KORVU_X509_ALGID>(), nullptr, nullptr));
  EXPECT_EQ(der_hex(100, oaep_sha1.v), "300ba009300706052b0e03021a");  // {sha1} without NULL is no default

  Val salt8(4, korvu_asn1_octetstring_new("12345678", 8)), salt7(4, korvu_asn1_octetstring_new("1234567", 7)),
      salt9(4, korvu_asn1_octetstring_new("123456789", 9)), iter(2, korvu_asn1_integer_value(1)),
      iter1024(2, korvu_asn1_integer_value(1024));
  for (const Val *s : {&salt7, &salt9})
    EXPECT_EQ(korvu_pkcs5pbeparam_new(s->as<KORVU_ASN1_OCTETSTRING>(), iter.as<KORVU_ASN1_INTEGER>()), nullptr);
  Val pbe(106, korvu_pkcs5pbeparam_new(salt8.as<KORVU_ASN1_OCTETSTRING>(), iter.as<KORVU_ASN1_INTEGER>()));
  EXPECT_NE(pbe.v, nullptr);

  Val salt(146, korvu_pkcs5pbkdf2paramssalt_newvalue(salt8.as<KORVU_ASN1_OCTETSTRING>()));
  Val kdf(105, korvu_pkcs5pbkdf2params_new(salt.as<KORVU_PKCS5_PBKDF2SALT>(), iter.as<KORVU_ASN1_INTEGER>(), nullptr, nullptr));
  Val gmt(424, korvu_gmt0091pbkdfparams_new(salt.as<KORVU_PKCS5_PBKDF2SALT>(), iter.as<KORVU_ASN1_INTEGER>(), nullptr, nullptr));
  EXPECT_EQ(der_hex(33, korvu_pkcs5pbkdf2params_getprf(kdf.as<KORVU_PKCS5_PBKDF2PARAMS>())), "300c06082a864886f70d02070500");
  EXPECT_EQ(der_hex(33, korvu_gmt0091pbkdfparams_getprf(gmt.as<KORVU_GMT0091_PBKDFPARAMS>())), "300e060a2a811ccf5501831103010500");
  EXPECT_EQ(der_hex(105, kdf.v), "300d04083132333435363738020101");
  EXPECT_EQ(der_hex(424, gmt.v), "300d04083132333435363738020101");
  EXPECT_EQ(korvu_pkcs5pbkdf2params_haskeylen(kdf.as<KORVU_PKCS5_PBKDF2PARAMS>()), 0);

  // MacData iterations 1 is left out, CKX's 1024 is; each writes the other's default.
  void *digest_info = nullptr;
  korvu_asn1_mem_decode(hex("300f300706052b0e03021a040401020304").data(), 17, 57, &digest_info);
  Val di(57, digest_info);
  ASSERT_NE(di.v, nullptr);
  for (const Val *i : {&iter, &iter1024}) {
    Val mac(112, korvu_pkcs12macdata_new(di.as<KORVU_DIGESTINFO>(), salt8.as<KORVU_ASN1_OCTETSTRING>(), i->as<KORVU_ASN1_INTEGER>()));
    Val ckx(425, korvu_ckxmacdata_new(di.as<KORVU_DIGESTINFO>(), salt8.as<KORVU_ASN1_OCTETSTRING>(), i->as<KORVU_ASN1_INTEGER>()));
    EXPECT_EQ(encode(112, mac.v).size(), i == &iter ? 29u : 33u);
    EXPECT_EQ(encode(425, ckx.v).size(), i == &iter ? 32u : 29u);
  }
  Val ckx_default(425, korvu_ckxmacdata_new(di.as<KORVU_DIGESTINFO>(), salt8.as<KORVU_ASN1_OCTETSTRING>(), nullptr));
  ASSERT_EQ(korvu_asn1_integer_getlong(korvu_ckxmacdata_getitercount(ckx_default.as<KORVU_CKX_MACDATA>()), &n), 1);
  EXPECT_EQ(n, 1024);

  // ECPrivateKey: the standard form and the SM2 form, which needs its public key.
  Val pub(3, korvu_asn1_bitstring_new(0, "\x04\x01", 2)), curve(6, korvu_asn1_oid_new("1.2.156.10197.1.301"));
  Val params(201, korvu_ecpkparameters_new_namedcurve(curve.as<KORVU_ASN1_OID>()));
  Val implicit(201, korvu_ecpkparameters_new_implicitlyca());
  EXPECT_EQ(korvu_ecpkparameters_gettype(params.as<KORVU_EC_PKPARAMS>()), 2u);
  EXPECT_EQ(korvu_ecpkparameters_namedcurve(implicit.as<KORVU_EC_PKPARAMS>()), nullptr);
  EXPECT_EQ(der_hex(201, implicit.v), "0500");
  EXPECT_EQ(korvu_ecpkparameters_gettype(nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_ecprivatekey_newsm2(iter.as<KORVU_ASN1_INTEGER>(), iter1024.as<KORVU_ASN1_INTEGER>(),
                                      params.as<KORVU_EC_PKPARAMS>(), nullptr), nullptr);
  Val sm2(202, korvu_ecprivatekey_newsm2(iter.as<KORVU_ASN1_INTEGER>(), iter1024.as<KORVU_ASN1_INTEGER>(),
                                         params.as<KORVU_EC_PKPARAMS>(), pub.as<KORVU_ASN1_BITSTRING>()));
  Val std_key(202, korvu_ecprivatekey_new(iter.as<KORVU_ASN1_INTEGER>(), salt8.as<KORVU_ASN1_OCTETSTRING>(), nullptr, nullptr));
  auto *k1 = sm2.as<KORVU_EC_PRIVKEY>();
  auto *k2 = std_key.as<KORVU_EC_PRIVKEY>();
  EXPECT_EQ(korvu_ecprivatekey_issm2privkey(k1), 1);
  EXPECT_EQ(korvu_ecprivatekey_getprivkey(k1), nullptr);
  EXPECT_NE(korvu_ecprivatekey_getsm2privkey(k1), nullptr);
  EXPECT_EQ(korvu_ecprivatekey_issm2privkey(k2), 0);
  EXPECT_EQ(korvu_ecprivatekey_getsm2privkey(k2), nullptr);
  EXPECT_EQ(der_hex(202, k1), "301a02010102020400a00a06082a811ccf5501822da1050303000401");
  EXPECT_EQ(der_hex(202, k2), "300d02010104083132333435363738");

  // InnerEnvelopedKeyPair: sm2 under [0], rsa under [1].
  Bytes sm2env = hex("30 24 30 0a 06 08 2a 81 1c cf 55 01 68 02 30 0e 02 01 01 02 01 02 04 02 aa bb 04 02 cc dd "
                     "03 02 00 aa 03 02 00 bb");
  Bytes rsaenv = hex("30 1c 30 0a 06 08 2a 81 1c cf 55 01 68 02 04 02 aa bb 30 06 02 01 0b 02 01 03 04 02 cc dd");
  ErrCtx ctx;
  Val e1(204, decode(204, sm2env, ctx)), e2(205, decode(205, rsaenv, ctx));
  Val in1(206, korvu_innerenvelopedkeypair_newsm2(e1.as<KORVU_SM2_ENVELOPEDKEY>()));
  Val in2(206, korvu_innerenvelopedkeypair_newrsa(e2.as<KORVU_RSA_ENVELOPEDKEYPAIR>()));
  EXPECT_EQ(encode(206, in1.v).at(0), 0xa0);
  EXPECT_EQ(encode(206, in2.v).at(0), 0xa1);
  EXPECT_EQ(korvu_innerenvelopedkeypair_gettype(in1.as<KORVU_INNER_ENVELOPEDKEYPAIR>()), 2u);
  EXPECT_EQ(korvu_innerenvelopedkeypair_getrsa(in1.as<KORVU_INNER_ENVELOPEDKEYPAIR>()), nullptr);
  EXPECT_EQ(korvu_innerenvelopedkeypair_gettype(in2.as<KORVU_INNER_ENVELOPEDKEYPAIR>()), 1u);
}

// Bad input: every truncation of an openssl-made PFX and EC key fails with the type's decode code and hands out
// nothing; a wrong identifier at each TLV either fails the same way or still decodes to a value written back
// whole. The BER PFX whose data nests constructed OCTET STRINGs past the recursion limit reads as a PFX and
// writes back unchanged; read as an OCTET STRING its data stops at the limit with an entry.
TEST(KeysBadInput, TruncationWrongTagsAndDeepNesting) {
  const std::string dir = std::string(::testing::TempDir()) + "/korvu_keys_bad";
  const std::string made = run_command("sh " KORVU_SOURCE_DIR "/tests/make_keys.sh " + dir + " 2>/dev/null");
  if (made.find("p12-plain") == std::string::npos) {
    if (under_ci()) FAIL() << "openssl missing";
    GTEST_SKIP() << "openssl missing";
  }
  for (const auto &[type, name] : {std::pair<uint32_t, const char *>{113, "p12-plain.p12"}, {202, "ec-explicit.der"},
                                   {104, "e-aes.der"}}) {
    const Bytes in = read_file(dir + "/" + name);
    const uint32_t code = decode_code(type);
    for (size_t n = 0; n < in.size(); n++) {
      ErrCtx ctx;
      EXPECT_EQ(decode(type, Bytes(in.begin(), in.begin() + static_cast<long>(n)), ctx), nullptr) << name << n;
      EXPECT_TRUE(n == 0 || ctx.has(code)) << name << " cut at " << n;
    }
    for (const DerNode &node : der_all(in)) {
      Bytes bad = in;
      bad[node.at] = bad[node.at] == 0x04 ? 0x13 : static_cast<unsigned char>(bad[node.at] ^ 0x0c);
      ErrCtx ctx;
      Val v(type, decode(type, bad, ctx));
      if (v.v == nullptr) {
        EXPECT_TRUE(ctx.has(code)) << name << " tag at " << node.at;
      } else {
        EXPECT_EQ(encode(type, v.v), bad) << name << " tag at " << node.at;
      }
    }
  }
  if (!have_corpus()) return;
  size_t deep = 0;
  for (const ManifestRow &r : corpus_manifest()) {
    if (r.type != "PFX" || r.encoding != "ber") continue;
    const Bytes in = read_file(corpus_dir() + "/" + r.path);
    ErrCtx ctx;
    Val pfx(113, decode(113, in, ctx));
    if (pfx.v == nullptr) continue;
    const Bytes data = any_bytes(korvu_pkcs7contentinfo_getcontent(korvu_pkcs12pfx_getauthsafe(pfx.as<KORVU_PKCS12_PFX>())));
    Val os(4, decode(4, data, ctx));
    if (os.v != nullptr) continue;
    EXPECT_TRUE(ctx.has(0x10008)) << r.path << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(encode(113, pfx.v), in);
    deep++;
  }
  EXPECT_EQ(deep, 1u);
}

// The corpus's 484 ECDSA-Sig-Value vectors: every one whose result is valid decodes and writes back unchanged;
// the outcome of the others is kept per flag (tests/data/ecdsa_sig_outcomes.txt: FLAG decoded refused), each
// refusal with ECDSA-Sig-Value's decode code.
TEST(KeysBadInput, EcdsaSignatureVectors) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string out = run_command(
      "python3 -c \"import json,sys; d=json.load(open(sys.argv[1]))\n"
      "for g in d['testGroups']:\n for t in g['tests']: print(t['result'], '+'.join(t['flags']) or '-', t['sig'] or '-')\" " +
      corpus_dir() + "/misc/wycheproof__ecdsa_secp256r1_sha256_test.json");
  std::map<std::string, std::pair<int, int>> got, want;
  std::istringstream lines(out);
  size_t count = 0;
  for (std::string result, flags, sig; lines >> result >> flags >> sig; count++) {
    ErrCtx ctx;
    const Bytes in = sig == "-" ? Bytes{} : hex(sig);
    Val v(59, decode(59, in, ctx));
    if (result == "valid") {
      ASSERT_NE(v.v, nullptr) << sig;
      EXPECT_EQ(encode(59, v.v), in);
    }
    if (v.v == nullptr) {
      EXPECT_TRUE(sig == "-" || ctx.has(decode_code(59))) << sig;
    }
    (v.v ? got[flags].first : got[flags].second)++;
  }
  EXPECT_EQ(count, 484u);
  std::ifstream f(KORVU_SOURCE_DIR "/tests/data/ecdsa_sig_outcomes.txt");
  for (std::string flag; f >> flag;) f >> want[flag].first >> want[flag].second;
  EXPECT_EQ(got, want);
}

// `korvu-asn1 decode --summary` on keys and containers: the key's PEM block found by its label among others,
// legacy PEM encryption refused, and the lines of each summary.
TEST(KeysTool, DecodeSummaries) {
  const std::string dir = std::string(::testing::TempDir()) + "/korvu_keys_tool";
  if (run_command("sh " KORVU_SOURCE_DIR "/tests/make_keys.sh " + dir + " 2>/dev/null").empty() || !have_corpus())
    GTEST_SKIP() << "openssl or the corpus missing";
  const auto run = [](uint32_t type, const std::string &file, int status, std::vector<std::string> lines) {
    std::istringstream in;
    std::ostringstream out, err;
    korvu::tool::Io io{in, out, err};
    korvu::tool::DecodeOptions o;
    o.type = type;
    o.file = file;
    o.summary = o.check = true;
    EXPECT_EQ(korvu::tool::run_decode(o, io), status) << file << "\n" << out.str() << err.str();
    for (const std::string &l : lines) EXPECT_NE((out.str() + err.str()).find(l), std::string::npos) << file << ": " << l << "\n" << out.str();
  };
  run(113, dir + "/p12-plain.p12", 0,
      {"MAC: 2.16.840.1.101.3.4.2.1, iterations 2048, salt 8 octets\n", "content types: encryptedData, data\n",
       "unencrypted bags: pkcs8ShroudedKeyBag\n", "re-encoded: identical"});
  run(113, dir + "/p12-clear.p12", 0, {"content types: data, data\n", "unencrypted bags: certBag x3, keyBag\n"});
  run(113, dir + "/p12-nomac.p12", 0, {"MAC: none\n"});
  run(104, dir + "/e-aes.der", 0,
      {"scheme: 1.2.840.113549.1.5.13\n", "KDF: PBKDF2 (iterations 2048, salt 8 octets, key length absent, PRF "
                                          "1.2.840.113549.2.9)\n", "cipher: 2.16.840.1.101.3.4.1.42\n"});
  run(104, dir + "/e-3des.der", 0, {"scheme: 1.2.840.113549.1.12.1.3\n", "iterations: 2048\n"});
  run(99, dir + "/rsa3.der", 0, {"version: 1\n", "modulus bits: 2048\n", "public exponent: 65537\n", "other primes: 1\n"});
  run(103, dir + "/p8.der", 0, {"algorithm: 1.2.840.113549.1.1.1\n", "parameters: NULL\n", "attributes: none\n"});
  const std::string two_blocks = corpus_dir() + "/keys/asn1crypto__keys_test-ec.key";  // EC PARAMETERS first
  run(202, two_blocks, 0, {"input: PEM (EC PRIVATE KEY)", "form: standard (OCTET STRING private key)\n", "curve: "});
  run(201, two_blocks, 0, {"input: PEM (EC PARAMETERS)", "type: 201 (EcpkParameters)"});
  run(202, corpus_dir() + "/gmt/tongsuo__certs_sm2_begin_sm2.key", 0, {"input: PEM (SM2 PRIVATE KEY)", "curve: 1.2.156.10197.1.301\n"});
  run(99, corpus_dir() + "/keys/asn1crypto__keys_test-aes128.key", 65, {"legacy PEM encryption"});
}
