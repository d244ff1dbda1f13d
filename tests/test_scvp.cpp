// SCVP: the corpus messages (RFC 5055 and RFC 5276 examples) read by the library and by the RFC 5055 module
// transcribed for pyasn1 (tests/scvp_rfc5055.py), written back byte for byte; hex vectors of built messages and
// of bad input (tests/data/scvp_vectors.txt).
#include <algorithm>
#include <fstream>
#include <memory>

#include "ocsp_peer.h"
#include "scvp_peer.h"

using namespace korvu_test;
using namespace korvu_test::scvp;

// Each corpus ContentInfo: the message it carries (the content, or a SignedData's eContent) decodes as its type,
// is written back byte for byte, and every getter agrees with the transcription; the certificates under [0] are
// their own DER with 30 in place of A0, and a best-certificate-path want-back value reads as a CertBundle.
TEST(ScvpCorpus, DecodesReencodesAndAgreesWithTheTranscription) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string python = pyasn1_python("pyasn1_modules.rfc5652, pyasn1_modules.rfc5755, pyasn1_modules.rfc6960");
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  std::vector<PeerJob> jobs;
  for (const ManifestRow &r : corpus_manifest())
    if (r.family == "scvp") jobs.push_back({r.path, "rfc5652.ContentInfo", corpus_dir() + "/" + r.path, ""});
  ASSERT_EQ(jobs.size(), 6u);
  std::map<uint32_t, int> seen;
  int bundles = 0;
  for (const auto &[label, p] : run_asn1_peer(python, jobs, opens())) {
    ASSERT_EQ(p.error, "") << label;
    std::string at = "/content~";
    if (p.get(at + "oid") == "1.2.840.113549.1.7.2") at += "/encapContentInfo/eContent~";
    ASSERT_TRUE(messages().count(p.get(at + "oid"))) << label;
    const uint32_t type = messages().at(p.get(at + "oid")).first;
    const Bytes der = hex(p.get(at));
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(type, decode(type, der, ctx, &used));
    ASSERT_NE(v.v, nullptr) << label << " codes " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(used, der.size()) << label;
    EXPECT_EQ(to_hex(encode(type, v.v)), to_hex(der)) << label << ": written back";
    EXPECT_GE(compare_dumps(lib_dump(type, v.v), p, label, at), type == KORVU_TYPE_VALPOLREQUEST ? 2u : 10u) << label;
    seen[type]++;
    for (const auto &[path, value] : p.at) {  // id-swb-pkc-best-cert-path values
      if (path.size() < 3 || path.compare(path.size() - 3, 3, "/wb") || value != "06082b06010505071201") continue;
      const Bytes octets = hex(p.get(path.substr(0, path.size() - 3) + "/value"));
      DerNode n;
      ASSERT_TRUE(der_node(octets, 0, octets.size(), n));
      const Bytes inner(octets.begin() + static_cast<long>(n.hdr), octets.end());
      Val b(KORVU_TYPE_CERTBUNDLE, decode(KORVU_TYPE_CERTBUNDLE, inner, ctx));
      ASSERT_NE(b.v, nullptr) << label << path;
      EXPECT_EQ(encode(KORVU_TYPE_CERTBUNDLE, b.v), inner) << label << path;
      bundles++;
    }
  }
  EXPECT_EQ(seen, (std::map<uint32_t, int>{{KORVU_TYPE_CVREQUEST, 2}, {KORVU_TYPE_CVRESPONSE, 2},
                                           {KORVU_TYPE_VALPOLREQUEST, 1}, {KORVU_TYPE_VALPOLRESPONSE, 1}}));
  EXPECT_GT(bundles, 0);
}

// Hex vectors: DEFAULTs at and away from their defaults, every CHOICE tag, the tagged components of the messages,
// and bad input. A valid vector decodes and is written back as read (or, when it writes a default, without it)
// and the transcription reads the same value; a bad one is refused with its code and its type's decode code.
// The transcription refuses the empty lists RFC 5055 sizes (1..MAX) but which this library reads and writes.
TEST(ScvpVectors, DecodeWriteBackAndRefuse) {
  std::ifstream in(KORVU_SOURCE_DIR "/tests/data/scvp_vectors.tsv");
  const std::string python = pyasn1_python("pyasn1_modules.rfc5652, pyasn1_modules.rfc5755, pyasn1_modules.rfc6960");
  std::vector<PeerJob> jobs;
  std::map<std::string, Bytes> written;
  int valid = 0, refused = 0;
  for (std::string line; std::getline(in, line);) {
    std::istringstream cells(line);
    std::string name, type_text, der_text, want;
    if (line[0] == '#' || !std::getline(cells, name, '\t') || !std::getline(cells, type_text, '\t') ||
        !std::getline(cells, der_text, '\t') || !std::getline(cells, want))
      continue;
    const uint32_t type = static_cast<uint32_t>(std::stoul(type_text));
    const Bytes der = hex(der_text);
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(type, decode(type, der, ctx, &used));
    if (want[0] == '!') {
      EXPECT_EQ(v.v, nullptr) << name;
      EXPECT_TRUE(ctx.has(std::stoul(want.substr(1), nullptr, 16))) << name << " " << ::testing::PrintToString(ctx.codes());
      ErrCtx own;
      korvu_asn1_decode_puterr(own, type, "scvp", 0);
      EXPECT_TRUE(ctx.has(own.codes().at(0))) << name << ": the type's decode code";
      refused++;
      continue;
    }
    ASSERT_NE(v.v, nullptr) << name << " " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(used, der.size()) << name;
    written[name] = encode(type, v.v);
    EXPECT_EQ(to_hex(written[name]), to_hex(want == "=" ? der : hex(want))) << name;
    valid++;
    static const std::map<uint32_t, std::string> names = {
        {357, "SCVPCertID"}, {358, "PKCReference"}, {359, "ACReference"}, {360, "CertReference"},
        {363, "CertReferences"}, {369, "ResponseFlags"}, {371, "RevocationInfo"}, {377, "ValidationPolicy"},
        {380, "CVRequest"}, {381, "ResponseStatus"}, {382, "HashValue"}, {383, "RequestReference"},
        {384, "ReplyCheck"}, {391, "CertReply"}, {393, "CVResponse"}, {394, "ValPolRequest"},
        {400, "ValPolResponse"}};
    if (names.count(type))  // the module names no type for 390 and 397
      jobs.push_back({name, "scvp_rfc5055." + names.at(type), "hex:" + der_text, "ber"});
  }
  EXPECT_GT(valid, 30);
  EXPECT_GT(refused, 9);
  if (python.empty()) return;
  for (const auto &[name, p] : run_asn1_peer(python, jobs)) {
    if (name == "CertReferences empty pkcRefs") {  // RFC 5055: SIZE (1..MAX); not applied here, on purpose
      EXPECT_EQ(p.get("").substr(0, 1), "?") << name << ": the transcription cannot write it";
      continue;
    }
    ASSERT_EQ(p.error, "") << name;
    EXPECT_EQ(p.get(""), lower_hex(written[name])) << name << ": the transcription's DER";
  }
}

namespace {
// Values a built message is made of, freed at the end of the test.
struct Parts {
  std::vector<std::unique_ptr<Val>> held;
  template <class T = void>
  T *own(uint32_t type, void *v) {
    EXPECT_NE(v, nullptr) << "a part of type " << type;
    held.push_back(std::make_unique<Val>(type, v));
    return static_cast<T *>(v);
  }
  template <class T = void>
  T *der(uint32_t type, const Bytes &b) {
    ErrCtx ctx;
    return own<T>(type, decode(type, b, ctx));
  }
  // A list of `type` (its elements copies of `items`, of `element`).
  KORVU_ASN1_LIST *list(uint32_t type, uint32_t element, std::initializer_list<const void *> items) {
    KORVU_ASN1_LIST *l = own<KORVU_ASN1_LIST>(type, korvu_asn1_list_new());
    for (const void *e : items) korvu_asn1_list_put(l, korvu_asn1_dupobject(element, e, nullptr));
    return l;
  }
};

std::string shell_hex(const std::string &cmd) { return run_command(cmd + " | od -An -tx1 | tr -d ' \\n'"); }
}  // namespace

// Messages built with the constructors from real parts (a CA-bundle certificate, a corpus attribute certificate,
// CRL and OCSP response, an SCVPCertID of openssl's SHA-256 and serial of that certificate): every optional
// component and CHOICE alternative the corpus lacks. They are written, read back to the same octets, hold each
// embedded object as its source but for the tag octet, and read the same through the transcription.
TEST(ScvpBuilt, EveryComponentFromRealParts) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  if (std::system("openssl version >/dev/null 2>&1") != 0) {
    if (under_ci()) FAIL() << "openssl missing";
    GTEST_SKIP() << "openssl missing";
  }
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_scvp_ca.der";
  run_command("openssl x509 -in /etc/ssl/certs/ca-certificates.crt -outform DER -out " + tmp);
  const Bytes ca_der = read_file(tmp), ac_der = read_file(corpus_dir() + "/attrcert/asn1crypto__example-attr-cert.der");
  const Bytes crl_der = read_file(corpus_dir() + "/crl/x509-parser__minimal.crl");
  const Bytes ocsp_der = read_file(corpus_dir() + "/ocsp/bc-java__OCSPTest_testResp1.der");
  ASSERT_FALSE(ca_der.empty() || ac_der.empty() || crl_der.empty() || ocsp_der.empty());
  Parts m;
  auto *ca = m.der<KORVU_X509_CERT>(KORVU_TYPE_CERTIFICATE, ca_der);
  auto *ac = m.der<KORVU_AC_CERT>(KORVU_TYPE_ATTRIBUTECERTIFICATE, ac_der);
  auto *crl = m.der<KORVU_X509_CRL>(KORVU_TYPE_CERTIFICATELIST, crl_der);
  auto *ocsp = m.der<KORVU_OCSP_OCSPRESPONSE>(KORVU_TYPE_OCSPRESPONSE, ocsp_der);
  // SCVPCertID { SHA-256 of the certificate, { directoryName issuer, serial }, sha256 }
  std::string serial = run_command("openssl x509 -inform DER -noout -serial -in " + tmp), mine = "serial=";
  for (char &c : serial) c = static_cast<char>(std::tolower(c));
  auto *sn = korvu_x509pubkeycert_getserialno(ca);
  mine += lower_hex(Bytes(sn->data + (sn->length > 1 && sn->data[0] == 0), sn->data + sn->length)) + "\n";
  ASSERT_EQ(serial, mine) << "the serial number openssl prints";
  auto *dn = m.der<KORVU_X509_GENERALNAME>(KORVU_TYPE_GENERALNAME, der_tlv(0xA4, encode(KORVU_TYPE_NAME, korvu_x509pubkeycert_getissuer(ca))));
  auto *is = m.own<KORVU_SCVP_ISSUERSERIAL>(KORVU_TYPE_SCVPISSUERSERIAL, korvu_scvpissuerserial_new(
      m.list(KORVU_TYPE_GENERALNAMES, KORVU_TYPE_GENERALNAME, {dn}), sn));
  auto *hash = m.der<KORVU_ASN1_OCTETSTRING>(KORVU_TYPE_OCTET_STRING, hex("0420" + shell_hex("openssl dgst -sha256 -binary " + tmp)));
  auto *sha256 = m.der<KORVU_X509_ALGID>(KORVU_TYPE_ALGORITHMIDENTIFIER, hex("300B0609608648016503040201"));
  auto *id = m.own<KORVU_SCVP_CERTID>(KORVU_TYPE_SCVPCERTID, korvu_scvpcertid_new(hash, is, sha256));
  auto *oid = m.der<KORVU_ASN1_OID>(KORVU_TYPE_OBJECT_IDENTIFIER, hex("06082B06010505071101"));
  auto *t = m.der<KORVU_ASN1_TIME>(KORVU_TYPE_GENERALIZEDTIME, hex("180F32303234303130313030303030305A"));
  auto *yes = m.der<KORVU_ASN1_BOOLEAN>(KORVU_TYPE_BOOLEAN, hex("0101FF")), *no = m.der<KORVU_ASN1_BOOLEAN>(KORVU_TYPE_BOOLEAN, hex("010100"));
  auto *octets = m.der<KORVU_ASN1_OCTETSTRING>(KORVU_TYPE_OCTET_STRING, hex("0403010203"));
  auto *text = m.der<KORVU_ASN1_STRING>(KORVU_TYPE_UTF8STRING, hex("0C0474657874"));
  auto *any = m.der<KORVU_ASN1_ANY>(KORVU_TYPE_ANY, hex("0500"));
  auto *ext = m.list(KORVU_TYPE_EXTENSIONS, KORVU_TYPE_EXTENSION, {m.der(KORVU_TYPE_EXTENSION, hex("30090603551D13040230 00"))});
  auto *oids = m.list(KORVU_TYPE_CERTCHECKS, KORVU_TYPE_OBJECT_IDENTIFIER, {oid});
  auto *names = m.list(KORVU_TYPE_GENERALNAMES, KORVU_TYPE_GENERALNAME, {dn});
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
      m.der<KORVU_ASN1_INTEGER>(KORVU_TYPE_INTEGER, hex("020102")), query, names, octets, dn, dn, ext, sha256, oid, text));
  // A response repeating the request, with one reply of every optional component; a RevInfoWantBack and a
  // CertBundles as want-back values.
  auto *rwb = m.own(KORVU_TYPE_REVINFOWANTBACK, korvu_scvprevinfowantback_new(revinfos, bundle));
  auto *bundles = m.list(KORVU_TYPE_CERTBUNDLES, KORVU_TYPE_CERTBUNDLE, {bundle});
  auto *wbs = m.list(KORVU_TYPE_REPLYWANTBACKS, KORVU_TYPE_REPLYWANTBACK,
                     {m.own(KORVU_TYPE_REPLYWANTBACK, korvu_scvpreplywantback_new(oid, m.der<KORVU_ASN1_OCTETSTRING>(
                          KORVU_TYPE_OCTET_STRING, der_tlv(0x04, encode(KORVU_TYPE_REVINFOWANTBACK, rwb))))),
                      m.own(KORVU_TYPE_REPLYWANTBACK, korvu_scvpreplywantback_new(oid, m.der<KORVU_ASN1_OCTETSTRING>(
                          KORVU_TYPE_OCTET_STRING, der_tlv(0x04, encode(KORVU_TYPE_CERTBUNDLES, bundles)))))});
  auto *reply = m.own(KORVU_TYPE_CERTREPLY, korvu_scvpcertreply_new(
      m.own<KORVU_SCVP_CERTREFERENCE>(KORVU_TYPE_CERTREFERENCE, korvu_scvpcertreference_new_pkc(pkc_ref)),
      m.der<KORVU_ASN1_INTEGER>(KORVU_TYPE_ENUMERATED, hex("0A0106")), t,
      m.list(KORVU_TYPE_REPLYCHECKS, KORVU_TYPE_REPLYCHECK, {m.own(KORVU_TYPE_REPLYCHECK, korvu_scvpreplycheck_new(oid, nullptr))}),
      wbs, m.list(KORVU_TYPE_VALIDATIONERRORS, KORVU_TYPE_OBJECT_IDENTIFIER, {oid}), t, ext));
  auto *one = m.der<KORVU_ASN1_INTEGER>(KORVU_TYPE_INTEGER, hex("020101"));
  auto *response = m.own(KORVU_TYPE_CVRESPONSE, korvu_scvpcvresponse_new(
      one, one, t, m.own<KORVU_SCVP_RESPONSESTATUS>(KORVU_TYPE_RESPONSESTATUS, korvu_scvpresponsestatus_new(nullptr, text)), vp,
      m.own<KORVU_SCVP_REQUESTREFERENCE>(KORVU_TYPE_REQUESTREFERENCE, korvu_scvprequestreference_new_fullrequest(request)),
      names, names, m.list(KORVU_TYPE_REPLYOBJECTS, KORVU_TYPE_CERTREPLY, {reply}), octets, octets, ext, text));
  auto *algs = m.list(KORVU_TYPE_SCVP_SEQUENCE_OF_ALGORITHMIDENTIFIER, KORVU_TYPE_ALGORITHMIDENTIFIER, {sha256});
  auto *valpol = m.own(KORVU_TYPE_VALPOLRESPONSE, korvu_scvpvalpolresponse_new(
      one, one, one, one, t, t, oids, oids, oids, oids, oids, m.der<KORVU_ASN1_INTEGER>(KORVU_TYPE_ENUMERATED, hex("0A0102")), vp,
      m.der<KORVU_ASN1_BITSTRING>(KORVU_TYPE_BIT_STRING, hex("03020470")), algs, algs, oids,
      m.list(KORVU_TYPE_KEYAGREEPUBLICKEYS, KORVU_TYPE_KEYAGREEPUBLICKEY, {m.own(KORVU_TYPE_KEYAGREEPUBLICKEY,
          korvu_scvpkeyagreepublickey_new(sha256, m.der<KORVU_ASN1_BITSTRING>(KORVU_TYPE_BIT_STRING, hex("03020000")), sha256, sha256))}),
      m.der<KORVU_ASN1_INTEGER>(KORVU_TYPE_INTEGER, hex("020114")), octets));
  const std::string python = pyasn1_python("pyasn1_modules.rfc5652, pyasn1_modules.rfc5755, pyasn1_modules.rfc6960");
  std::vector<PeerJob> jobs;
  std::map<std::string, std::pair<uint32_t, Bytes>> built;
  for (const auto &[type, v] : {std::pair<uint32_t, const void *>{KORVU_TYPE_CVREQUEST, request},
                                {KORVU_TYPE_CVRESPONSE, response}, {KORVU_TYPE_VALPOLRESPONSE, valpol}}) {
    const Bytes der = encode(type, v);
    ASSERT_FALSE(der.empty()) << type;
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
      bool found = false;
      for (unsigned char tag : {0xA0, 0xA1, 0xA2, 0xA3, 0x30}) {
        part[0] = tag;
        found = found || std::search(der.begin(), der.end(), part.begin(), part.end()) != der.end();
      }
      EXPECT_TRUE(found || type == KORVU_TYPE_VALPOLRESPONSE) << type << ": an embedded object changed";
    }
    const std::string label = std::to_string(type);
    built[label] = {type, der};
    for (const auto &[oid, message] : messages())
      if (message.first == type) jobs.push_back({label, message.second, "hex:" + to_hex(der), ""});
    if (const char *dir = std::getenv("KORVU_SCVP_SEEDS"))  // fuzz seeds: tests/data/scvp_built_*.der
      std::ofstream(std::string(dir) + "/scvp_built_" + label + ".der", std::ios::binary)
          .write(reinterpret_cast<const char *>(der.data()), static_cast<long>(der.size()));
  }
  if (python.empty()) return;
  for (const auto &[label, p] : run_asn1_peer(python, jobs)) {
    ASSERT_EQ(p.error, "") << label;
    Val v(built[label].first, decode(built[label].first, built[label].second, nullptr));
    EXPECT_GT(compare_dumps(lib_dump(built[label].first, v.v), p, label), 40u) << label;
  }
}

// Every corpus message cut short at each TLV and with each identifier replaced: a cut message fails; a retagged
// one fails or gives a value that is written again; a failure hands nothing out and says why. ANY contents nested
// past the recursion limit under valPolParams fail with the limit's code.
TEST(ScvpCorpus, TruncatedRetaggedAndDeepInputFailsCleanly) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  int messages_seen = 0;
  for (const ManifestRow &r : corpus_manifest()) {
    if (r.family != "scvp") continue;
    // ContentInfo { type, [0] message } or ContentInfo { signedData, [0] { v, algs, { type, [0] { OCTET STRING
    // { message } } }, ... } }
    const Bytes file = read_file(corpus_dir() + "/" + r.path);
    std::vector<DerNode> all = der_all(file);
    ASSERT_GT(all.size(), 3u) << r.path;
    DerNode type_oid = der_kids(file, all[0])[0], at = der_kids(file, der_kids(file, all[0])[1])[0];
    const bool signed_data = file[type_oid.end() - 1] == 0x02;  // 1.2.840.113549.1.7.2
    if (signed_data) {
      const DerNode encap = der_kids(file, at)[2];
      type_oid = der_kids(file, encap)[0];
      at = der_kids(file, der_kids(file, encap)[1])[0];
    }
    const Bytes der(file.begin() + static_cast<long>(at.at + (signed_data ? at.hdr : 0)), file.begin() + static_cast<long>(at.end()));
    // id-ct-scvp-certValRequest (10), certValResponse (11), valPolRequest (12), valPolResponse (13)
    const uint32_t type = std::map<int, uint32_t>{{10, KORVU_TYPE_CVREQUEST}, {11, KORVU_TYPE_CVRESPONSE},
                                                  {12, KORVU_TYPE_VALPOLREQUEST}, {13, KORVU_TYPE_VALPOLRESPONSE}}
                              .at(file[type_oid.end() - 1]);
    ErrCtx whole;
    Val v(type, decode(type, der, whole));
    ASSERT_NE(v.v, nullptr) << r.path;
    messages_seen++;
    for (const DerNode &n : der_all(der)) {
      for (size_t cut : {n.at + 1, n.at + n.hdr}) {
        ErrCtx ctx;
        Val part(type, decode(type, Bytes(der.begin(), der.begin() + static_cast<long>(cut)), ctx));
        EXPECT_EQ(part.v, nullptr) << r.path << ": cut at " << cut;
        EXPECT_GT(ctx.count(), 0u) << r.path << ": cut at " << cut;
      }
      Bytes retagged = der;
      retagged[n.at] = static_cast<unsigned char>((der[n.at] & 0x20) | (der[n.at] == 0x85 || der[n.at] == 0xA5 ? 0x86 : 0x85));
      ErrCtx ctx;
      Val changed(type, decode(type, retagged, ctx));
      if (changed.v == nullptr)
        EXPECT_GT(ctx.count(), 0u) << r.path << ": tag at " << n.at;
      else
        EXPECT_FALSE(encode(type, changed.v).empty()) << r.path << ": tag at " << n.at;
    }
  }
  EXPECT_EQ(messages_seen, 6);
  Bytes deep = hex("06032A0304");  // ValidationPolRef { 1.2.3.4, 70 nested indefinite SEQUENCEs }
  for (int i = 0; i < 70; i++) deep.insert(deep.end(), {0x30, 0x80});
  for (int i = 0; i < 70; i++) deep.insert(deep.end(), {0x00, 0x00});
  deep = der_tlv(0x30, deep);
  ErrCtx ctx;
  Val v(KORVU_TYPE_VALIDATIONPOLREF, decode(KORVU_TYPE_VALIDATIONPOLREF, deep, ctx));
  EXPECT_EQ(v.v, nullptr);
  EXPECT_TRUE(ctx.has(0x10008)) << ::testing::PrintToString(ctx.codes());
}

// `korvu-asn1 decode --summary`: a corpus ContentInfo prints its message's lines after its own (the values as the
// transcription reads them), and a bare built message prints its own.
TEST(ScvpSummary, ContentInfoAndBareMessages) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string dir = corpus_dir() + "/scvp/pyasn1-alt-modules__";
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {dir + "rfc5055_cvrequest_pem_text.der", {"contentType: 1.2.840.113549.1.9.16.1.10", "version: 1",
        "checks: 1.3.6.1.5.5.7.17.3", "wantBacks: 1.3.6.1.5.5.7.18.1", "policy: 2.16.840.1.101.10.2.18.2.0.4"}},
      {dir + "rfc5276_cvresponse_pem_text.der", {"serverConfigurationID: 1611089030", "producedAt: 20210203185045Z",
        "status: 0", "requestRef: requestHash 7C11021194FDCB229663B2896FB9523DE3392ED0", ", success (0)",
        "  check 1.3.6.1.5.5.7.17.3: 0", "  wantBack 1.3.6.1.5.5.7.18.20: ", "  nextUpdate: 20210204005045Z"}},
      {dir + "rfc5055_valpolrequest_pem_text.der", {"nonce: ED5F02DC4D992112CD813419CD619BF9"}},
      {dir + "rfc5055_valpolresponse_pem_text.der", {"thisUpdate: 20210203162007Z", "clockSkew: 10",
        "hashAlgorithms: 2.16.840.1.101.3.4.2.1, 1.3.14.3.2.26, "}}};
  for (const auto &[file, lines] : cases) {
    int status = -1;
    const std::string out = ocsp::summary_of(KORVU_TYPE_CONTENTINFO, file, &status);
    EXPECT_EQ(status, 0) << file;
    for (const std::string &line : lines) EXPECT_NE(out.find(line), std::string::npos) << file << ": " << line << "\n" << out;
  }
  const std::string built = ocsp::summary_of(KORVU_TYPE_CVREQUEST, KORVU_SOURCE_DIR "/tests/data/scvp_built_380.der");
  for (const char *line : {"version: 2\n", "queried: attribute certificate\n", "queried: acRef serial ",
                           "validationTime: 20240101000000Z\n"})
    EXPECT_NE(built.find(line), std::string::npos) << line << "\n" << built;
}
