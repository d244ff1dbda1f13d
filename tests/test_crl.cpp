// CRLs: corpus files and openssl-made CRLs read through the getters and
// compared with pyasn1-modules' reading (tests/crl_peer.py), CRLs built with
// the constructors, the optional components, and malformed input.
#include <cstdio>
#include <filesystem>
#include <functional>

#include "signed_peer.h"

using namespace korvu_test;

namespace {

struct CrlPtr {
  KORVU_X509_CRL *c;
  explicit CrlPtr(KORVU_X509_CRL *p) : c(p) {}
  ~CrlPtr() { korvu_asn1_value_free(KORVU_TYPE_CERTIFICATELIST, c); }
  CrlPtr(const CrlPtr &) = delete;
  CrlPtr &operator=(const CrlPtr &) = delete;
};

KORVU_X509_CRL *parse(const Bytes &in, KORVU_ERR_CTX *ctx) {
  return korvu_x509crl_new(in.data(), static_cast<int32_t>(in.size()), ctx);
}

Bytes tbs_octets(KORVU_X509_CRL *c) {
  uint32_t n = 0;
  if (korvu_x509crl_gettbsocts(c, nullptr, &n, nullptr) != 1) return {};
  Bytes out(n);
  EXPECT_EQ(korvu_x509crl_gettbsocts(c, out.data(), &n, nullptr), 1);
  return out;
}

struct Getter {
  uint32_t type;
  std::function<const void *(const KORVU_X509_CRL *)> get;
};
const std::map<std::string, Getter> &getters() {
  static const std::map<std::string, Getter> m = {
      {"version", {KORVU_TYPE_INTEGER, [](auto c) { return korvu_x509crl_getversion(c); }}},
      {"signature", {KORVU_TYPE_ALGORITHMIDENTIFIER, [](auto c) { return korvu_x509crl_getinnersignalgo(c); }}},
      {"issuer", {KORVU_TYPE_NAME, [](auto c) { return korvu_x509crl_getissuer(c); }}},
      {"thisUpdate", {KORVU_TYPE_TIME, [](auto c) { return korvu_x509crl_getthisupdate(c); }}},
      {"nextUpdate", {KORVU_TYPE_TIME, [](auto c) { return korvu_x509crl_getnextupdate(c); }}},
      {"signatureAlgorithm", {KORVU_TYPE_ALGORITHMIDENTIFIER, [](auto c) { return korvu_x509crl_getsignalgo(c); }}},
      {"signatureValue", {KORVU_TYPE_BIT_STRING, [](auto c) { return korvu_x509crl_getsignvalue(c); }}},
  };
  return m;
}

// Compares a CRL parsed from `input` with pyasn1's reading; returns the number of values compared.
size_t check_against_peer(const PeerFile &p, const Bytes &input) {
  ErrCtx ctx;
  CrlPtr crl(parse(input, ctx));
  if (crl.c == nullptr) {
    ADD_FAILURE() << p.path << " refused: " << testing::PrintToString(ctx.codes());
    return 0;
  }
  size_t compared = 2;
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_CERTIFICATELIST, crl.c)), to_hex(p.der)) << p.path << ": re-encoding";
  EXPECT_EQ(to_hex(tbs_octets(crl.c)), to_hex(first_child(p.der))) << p.path << ": to-be-signed octets";
  for (const auto &[name, want] : p.comps) {
    const Getter &g = getters().at(name);
    EXPECT_EQ(der_or_dash(g.type, g.get(crl.c)), hex_or_dash(want)) << p.path << ": " << name;
    compared++;
  }
  EXPECT_EQ(korvu_x509crl_hasversion(crl.c), p.comps.at("version") != "-") << p.path;
  EXPECT_EQ(korvu_x509crl_hasnextupdate(crl.c), p.comps.at("nextUpdate") != "-") << p.path;
  const KORVU_ASN1_LIST *revoked = korvu_x509crl_getrevcerts(crl.c);
  EXPECT_EQ(korvu_x509crl_hasrevcerts(crl.c), p.texts.at("entries") != "-") << p.path;
  auto entries = list_items<KORVU_X509_REVCERT>(revoked);
  EXPECT_EQ(entries.size(), p.entries.size()) << p.path;
  for (size_t i = 0; i < entries.size() && i < p.entries.size(); i++) {
    const KORVU_X509_REVCERT *e = entries[i];
    const auto &want = p.entries[i];
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_INTEGER, korvu_x509revcertinfo_getserilano(e))), to_hex(hex(want[0])))
        << p.path << " entry " << i;
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_TIME, korvu_x509revcertinfo_getrevdate(e))), to_hex(hex(want[1])))
        << p.path << " entry " << i;
    EXPECT_EQ(extension_oids(korvu_x509revcertinfo_getexts(e)), want[2]) << p.path << " entry " << i;
    EXPECT_EQ(korvu_x509revcertinfo_hasexts(e), want[2] != "none") << p.path << " entry " << i;
    compared += 3;
  }
  EXPECT_EQ(extension_oids(korvu_x509crl_getexts(crl.c)), p.texts.at("extensions")) << p.path;
  return compared + 1;
}

// Corpus CRLs that are not "valid" and how the library takes them: refused with a code, or read (0) because
// the fault lies in what the values mean, not in their encoding.
const std::map<std::string, std::pair<uint32_t, const char *>> kOutcomes = {
    {"crl/boringssl__crl_unittest__invalid_garbage_after_crlentryextensions.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_after_extensions.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_after_nextupdate.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_after_revocationdate.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_after_revokedcerts.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_after_signaturevalue.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_after_thisupdate.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_crlentry.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_issuer_name.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_revocationdate.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_revoked_serial_number.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_signaturealgorithm.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_signaturevalue.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_tbs_signature_algorithm.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_tbscertlist.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_thisupdate.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_garbage_version.der", {0x1020A, "garbage where an element belongs"}},
    {"crl/boringssl__crl_unittest__invalid_idp_dpname_choice_extra_data.der", {0, "the fault is inside an extension value"}},
    {"crl/boringssl__crl_unittest__invalid_idp_empty_sequence.der", {0, "the fault is inside an extension value"}},
    {"crl/boringssl__crl_unittest__invalid_idp_onlycontains_user_and_ca_certs.der", {0, "the fault is inside an extension value"}},
    {"crl/boringssl__crl_unittest__invalid_idp_onlycontainsusercerts_v1_leaf.der", {0, "a path-validation rule"}},
    {"crl/boringssl__crl_unittest__invalid_mismatched_signature_algorithm.der", {0, "no check ties the two algorithms"}},
    {"crl/boringssl__crl_unittest__invalid_revoked_empty_sequence.der", {0, "an empty list is kept as present and empty"}},
    {"crl/boringssl__crl_unittest__invalid_v1_explicit.der", {0, "the version is kept as written"}},
    {"crl/boringssl__crl_unittest__invalid_v1_with_crlentryextension.der", {0, "no check ties extensions to the version"}},
    {"crl/boringssl__crl_unittest__invalid_v1_with_extension.der", {0, "no check ties extensions to the version"}},
    {"crl/boringssl__crl_unittest__invalid_v3.der", {0, "the version is kept as written"}},
    {"crl/pyca-vectors__custom_crl_bad_version.pem", {0, "the version is kept as written"}},
    {"crl/pyca-vectors__custom_crl_dup_entry_ext.pem", {0, "duplicates are a profile rule"}},
    {"crl/pyca-vectors__custom_crl_inval_cert_issuer_entry_ext.pem", {0, "the fault is inside an extension value"}},
    {"crl/pyca-vectors__custom_crl_invalid_time.der", {0x102EC, "a UTCTime that is no time"}},
    // "valid" in the manifest, but its GeneralizedTimes have two-digit years (240123000000Z), which the
    // GeneralizedTime type refuses; pyasn1 does not look inside times.
    {"crl/bc-java__CertTest_gentimeCRL.der", {0x102ED, "GeneralizedTime with a two-digit year"}},
};

TEST(Crl, CorpusAgreesWithPyasn1Modules) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  const std::string python = signed_peer_python();
  if (python.empty()) GTEST_SKIP() << "no pyasn1-modules";
  auto peer = run_signed_peer(python, corpus_dir());
  size_t files = 0, valid = 0, compared = 0;
  for (const ManifestRow &row : corpus_manifest()) {
    if (row.type != "CertificateList") continue;
    files++;
    const Bytes input = parser_input(read_file(corpus_dir() + "/" + row.path));
    auto p = peer.find(row.path);
    ASSERT_NE(p, peer.end()) << row.path;
    auto outcome = kOutcomes.find(row.path);
    if (row.expect == "valid") valid++;
    if (row.expect == "valid" && outcome == kOutcomes.end()) {
      ASSERT_FALSE(p->second.refused) << row.path << ": pyasn1 refuses a valid CRL";
      compared += check_against_peer(p->second, input);
      continue;
    }
    ErrCtx ctx;
    CrlPtr crl(parse(input, ctx));
    if (outcome == kOutcomes.end()) {
      ADD_FAILURE() << row.path << " (" << row.expect << ", " << row.note << "): no outcome kept; library "
                    << (crl.c ? "reads it" : "refuses it " + testing::PrintToString(ctx.codes())) << ", pyasn1 "
                    << (p->second.refused ? "refuses it" : "reads it");
      continue;
    }
    const uint32_t code = outcome->second.first;
    if (code == 0) {
      ASSERT_NE(crl.c, nullptr) << row.path << ": " << outcome->second.second;
      if (!p->second.refused) compared += check_against_peer(p->second, input);
    } else {
      EXPECT_EQ(crl.c, nullptr) << row.path << ": " << outcome->second.second;
      EXPECT_TRUE(ctx.has(code)) << row.path << ": " << outcome->second.second << " "
                                 << testing::PrintToString(ctx.codes());
    }
  }
  EXPECT_EQ(files, 283u);
  EXPECT_EQ(valid, 252u);
  EXPECT_GT(compared, 60000u);  // the entries of the large CRLs included
}

}  // namespace
