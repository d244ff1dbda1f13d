// CRLs: corpus files and openssl-made CRLs read through the getters and
// compared with pyasn1-modules' reading (tests/asn1_peer.py), CRLs built with
// the constructors, the optional components, and malformed input.
#include <cstdio>
#include <cstring>

#include "peer_compare.h"
#include "summary_crl.h"

using namespace korvu_test;

namespace {

using CrlPtr = Owned<KORVU_X509_CRL, KORVU_TYPE_CERTIFICATELIST>;

KORVU_X509_CRL *parse(const Bytes &in, KORVU_ERR_CTX *ctx) {
  return korvu_x509crl_new(in.data(), static_cast<int32_t>(in.size()), ctx);
}

Bytes tbs_octets(KORVU_X509_CRL *c) { return tbs_octets_of(korvu_x509crl_gettbsocts, c); }

std::map<std::string, PeerDump> run_peer(const std::string &python, const std::vector<std::string> &paths) {
  std::vector<PeerJob> jobs;
  for (const std::string &p : paths) jobs.push_back({p, "rfc5280.CertificateList", p, "pem=X509 CRL|CRL"});
  return run_asn1_peer(python, jobs);
}

// Compares a CRL parsed from `input` with pyasn1's reading; returns the number of values compared.
size_t check_against_peer(const std::string &label, const PeerDump &p, const Bytes &input) {
  ErrCtx ctx;
  CrlPtr crl(parse(input, ctx));
  if (crl.p == nullptr) {
    ADD_FAILURE() << label << " refused: " << testing::PrintToString(ctx.codes());
    return 0;
  }
  const KORVU_X509_CRL *c = crl.p;
  EXPECT_EQ(lower_hex(encode(KORVU_TYPE_CERTIFICATELIST, c)), lower_hex(p.in)) << label << ": re-encoding";
  EXPECT_EQ(lower_hex(tbs_octets(crl.p)), lower_hex(first_child(p.in))) << label << ": to-be-signed octets";
  const std::string t = "/tbsCertList";
  EXPECT_EQ(korvu_x509crl_hasversion(c), p.has(t + "/version")) << label;
  EXPECT_EQ(korvu_x509crl_hasnextupdate(c), p.has(t + "/nextUpdate")) << label;
  EXPECT_EQ(korvu_x509crl_hasrevcerts(c), p.has(t + "/revokedCertificates")) << label;
  LibDump o;
  o.der(t + "/version", KORVU_TYPE_INTEGER, korvu_x509crl_getversion(c));
  o.der(t + "/signature", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509crl_getinnersignalgo(c));
  o.der(t + "/issuer", KORVU_TYPE_NAME, korvu_x509crl_getissuer(c));
  o.der(t + "/thisUpdate", KORVU_TYPE_TIME, korvu_x509crl_getthisupdate(c));
  o.der(t + "/nextUpdate", KORVU_TYPE_TIME, korvu_x509crl_getnextupdate(c));
  o.list<KORVU_X509_REVCERT>(t + "/revokedCertificates", korvu_x509crl_getrevcerts(c), [&](auto &e, auto *v) {
    o.der(e + "/userCertificate", KORVU_TYPE_INTEGER, korvu_x509revcertinfo_getserilano(v));
    o.der(e + "/revocationDate", KORVU_TYPE_TIME, korvu_x509revcertinfo_getrevdate(v));
    o.list_der(e + "/crlEntryExtensions", KORVU_TYPE_EXTENSION, korvu_x509revcertinfo_getexts(v));
    EXPECT_EQ(korvu_x509revcertinfo_hasexts(v), p.has(e + "/crlEntryExtensions")) << label << " " << e;
  });
  o.list_der(t + "/crlExtensions", KORVU_TYPE_EXTENSION, korvu_x509crl_getexts(c));
  o.der("/signatureAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509crl_getsignalgo(c));
  o.der("/signature", KORVU_TYPE_BIT_STRING, korvu_x509crl_getsignvalue(c));
  return compare_dumps(o, p, label) + 2;
}

// Corpus CRLs that are not "valid" and how the library takes them: refused with a code, or read (0) because
// the fault lies in what the values mean, not in their encoding. The "invalid_garbage_" ones (garbage where an
// element belongs) are all refused with 0x1020A.
const std::map<std::string, std::pair<uint32_t, const char *>> kOutcomes = {
    {"garbage", {0x1020A, "garbage where an element belongs"}},
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
  const std::string python = pyasn1_python("pyasn1_modules.rfc5280");
  if (python.empty()) GTEST_SKIP() << "no pyasn1-modules";
  std::vector<ManifestRow> rows;
  std::vector<std::string> paths;
  for (const ManifestRow &row : corpus_manifest())
    if (row.type == "CertificateList") {
      rows.push_back(row);
      paths.push_back(corpus_dir() + "/" + row.path);
    }
  auto peer = run_peer(python, paths);
  size_t files = 0, valid = 0, compared = 0;
  for (const ManifestRow &row : rows) {
    files++;
    const Bytes input = parser_input(read_file(corpus_dir() + "/" + row.path));
    auto p = peer.find(corpus_dir() + "/" + row.path);
    ASSERT_NE(p, peer.end()) << row.path;
    const bool refused = !p->second.error.empty();
    auto outcome = kOutcomes.find(row.path);
    if (row.path.find("__invalid_garbage_") != std::string::npos) outcome = kOutcomes.find("garbage");
    if (row.expect == "valid") valid++;
    if (row.expect == "valid" && outcome == kOutcomes.end()) {
      ASSERT_FALSE(refused) << row.path << ": pyasn1 refuses a valid CRL";
      compared += check_against_peer(row.path, p->second, input);
      continue;
    }
    ErrCtx ctx;
    CrlPtr crl(parse(input, ctx));
    if (outcome == kOutcomes.end()) {
      ADD_FAILURE() << row.path << " (" << row.expect << ", " << row.note << "): no outcome kept; library "
                    << (crl.p ? "reads it" : "refuses it " + testing::PrintToString(ctx.codes())) << ", pyasn1 "
                    << (refused ? "refuses it" : "reads it");
      continue;
    }
    const uint32_t code = outcome->second.first;
    if (code == 0) {
      ASSERT_NE(crl.p, nullptr) << row.path << ": " << outcome->second.second;
      if (!refused) compared += check_against_peer(row.path, p->second, input);
    } else {
      EXPECT_EQ(crl.p, nullptr) << row.path << ": " << outcome->second.second;
      EXPECT_TRUE(ctx.has(code)) << row.path << ": " << outcome->second.second << " "
                                 << testing::PrintToString(ctx.codes());
    }
  }
  EXPECT_EQ(files, 283u);
  EXPECT_EQ(valid, 252u);
  EXPECT_GT(compared, 60000u);  // the entries of the large CRLs included
}

}  // namespace

namespace {

// ---- openssl-made CRLs ----------------------------------------------------------
// tests/make_signed.sh's CRLs (four entries with reasons, AKID, IDP, CRL number, a GeneralizedTime nextUpdate in
// one) agree with pyasn1; the "X509 CRL" and "CRL" blocks hold the same CRL.
TEST(Crl, OpensslMadeAgreeWithPyasn1) {
  const std::string dir = openssl_made_dir();
  const std::string python = pyasn1_python("pyasn1_modules.rfc5280");
  if (dir.empty() || python.empty()) GTEST_SKIP() << "no openssl or pyasn1-modules";
  auto peer = run_peer(python, {dir + "/full.pem", dir + "/relative.pem", dir + "/label.pem"});
  for (const char *file : {"full.pem", "relative.pem", "label.pem"}) {
    const std::string path = dir + "/" + file;
    ASSERT_EQ(peer[path].error, "") << file;
    EXPECT_GT(check_against_peer(file, peer[path], read_file(path)), 15u) << file;
    EXPECT_EQ(peer[path].get("/tbsCertList/revokedCertificates/#"), "4") << file;
  }
  ErrCtx ctx;
  CrlPtr a(parse(read_file(dir + "/full.pem"), ctx)), b(parse(read_file(dir + "/label.pem"), ctx));
  ASSERT_TRUE(a.p && b.p);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATELIST, a.p), encode(KORVU_TYPE_CERTIFICATELIST, b.p));
}

// ---- CRLs written out by hand ---------------------------------------------------------
const Bytes kAlg = hex("30 0A 06 08 2A 86 48 CE 3D 04 03 02");                     // ecdsa-with-SHA256
const Bytes kIssuer = hex("30 0F 31 0D 30 0B 06 03 55 04 03 0C 04 54 65 73 74");  // CN=Test
const Bytes kThis = hex("17 0D 32 34 30 31 30 31 30 30 30 30 30 30 5A");
const Bytes kNextGen = hex("18 0F 32 30 35 35 30 31 30 31 30 30 30 30 30 30 5A");
const Bytes kEntry = der_tlv(0x30, hex("02 01 07 17 0D 32 34 30 36 30 31 30 30 30 30 30 30 5A"));
const Bytes kCrlNumber = der_tlv(0x30, hex("06 03 55 1D 14 04 03 02 01 05"));
const Bytes kSig = hex("03 03 00 AB CD");

Bytes cat(std::initializer_list<Bytes> parts) { return cat_bytes(parts); }
Bytes crl_of(const Bytes &tbs_contents) { return der_tlv(0x30, cat({der_tlv(0x30, tbs_contents), kAlg, kSig})); }

TEST(Crl, OptionalComponentsAndKeptEncodings) {
  struct Case {
    const char *name;
    Bytes tbs;
    int version, next, revoked, exts;
    int32_t entries;
  };
  const Case cases[] = {
      // (The corpus and openssl-made CRLs hold the other combinations: CorpusAgreesWithPyasn1Modules.)
      {"nothing optional", cat({kAlg, kIssuer, kThis}), 0, 0, 0, 0, 0},
      {"empty entry list", cat({kAlg, kIssuer, kThis, hex("30 00")}), 0, 0, 1, 0, 0},
      {"entries and extensions, no nextUpdate",
       cat({hex("02 01 01"), kAlg, kIssuer, kThis, der_tlv(0x30, kEntry), der_tlv(0xA0, der_tlv(0x30, kCrlNumber))}),
       1, 0, 1, 1, 1},
      // BER: indefinite lengths and a long-form length, kept as received.
      {"BER forms", cat({kAlg, kIssuer, kThis, hex("30 80"), kEntry, hex("00 00 A0 81 0E"), der_tlv(0x30, kCrlNumber)}),
       0, 0, 1, 1, 1},
  };
  for (const Case &c : cases) {
    const Bytes der = crl_of(c.tbs);
    ErrCtx ctx;
    CrlPtr crl(parse(der, ctx));
    ASSERT_NE(crl.p, nullptr) << c.name << " " << testing::PrintToString(ctx.codes());
    EXPECT_EQ(korvu_x509crl_hasversion(crl.p), c.version) << c.name;
    EXPECT_EQ(korvu_x509crl_getversion(crl.p) != nullptr, c.version == 1) << c.name;
    EXPECT_EQ(korvu_x509crl_hasnextupdate(crl.p), c.next) << c.name;
    EXPECT_EQ(korvu_x509crl_hasrevcerts(crl.p), c.revoked) << c.name;
    EXPECT_EQ(korvu_x509crl_hasexts(crl.p), c.exts) << c.name;
    const KORVU_ASN1_LIST *revoked = korvu_x509crl_getrevcerts(crl.p);
    EXPECT_EQ(revoked != nullptr, c.revoked == 1) << c.name;
    EXPECT_EQ(korvu_asn1_list_getsize(revoked), c.entries) << c.name;
    EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATELIST, crl.p), der) << c.name;
    EXPECT_EQ(tbs_octets(crl.p), first_child(der)) << c.name;
  }
}

// ---- built with the constructors -------------------------------------------------------
TEST(Crl, BuiltFromPartsEncodesAsWrittenByHand) {
  const Bytes src = crl_of(cat({hex("02 01 01"), kAlg, kIssuer, kThis, kNextGen, der_tlv(0x30, kEntry),
                                der_tlv(0xA0, der_tlv(0x30, kCrlNumber))}));
  CrlPtr parsed(parse(src, nullptr));
  ASSERT_NE(parsed.p, nullptr);
  auto *entry0 = list_items<KORVU_X509_REVCERT>(korvu_x509crl_getrevcerts(parsed.p))[0];
  Val entry(KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY,
            korvu_x509revcertinfo_new(korvu_x509revcertinfo_getserilano(entry0),
                                      korvu_x509revcertinfo_getrevdate(entry0), nullptr));
  ASSERT_NE(entry.v, nullptr);
  EXPECT_EQ(korvu_x509revcertinfo_hasexts(entry.as<KORVU_X509_REVCERT>()), 0);
  EXPECT_EQ(encode(KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, entry.v), kEntry);
  EXPECT_EQ(korvu_x509revcertinfo_new(nullptr, korvu_x509revcertinfo_getrevdate(entry0), nullptr), nullptr);

  const KORVU_X509_ALGID *alg = korvu_x509crl_getinnersignalgo(parsed.p);
  const auto *issuer = korvu_x509crl_getissuer(parsed.p);
  const KORVU_ASN1_TIME *this_update = korvu_x509crl_getthisupdate(parsed.p);
  struct Case {
    const char *name;
    bool version, next, exts;
    uint32_t dup;
    Bytes tbs;
  };
  const Case cases[] = {
      {"all, copied", true, true, true, 1,
       cat({hex("02 01 01"), kAlg, kIssuer, kThis, kNextGen, der_tlv(0x30, kEntry),
            der_tlv(0xA0, der_tlv(0x30, kCrlNumber))})},
      {"no version (none is supplied), taken over", false, false, false, 0,
       cat({kAlg, kIssuer, kThis, der_tlv(0x30, kEntry)})},
  };
  for (const Case &c : cases) {
    KORVU_ASN1_LIST *revoked = korvu_asn1_list_new();
    ASSERT_EQ(korvu_asn1_list_put(revoked, korvu_asn1_dupobject(KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, entry.v,
                                                                nullptr)),
              1);
    Val tbs(KORVU_TYPE_TBSCERTLIST,
            korvu_x509TBSCertList_new(c.version ? korvu_x509crl_getversion(parsed.p) : nullptr, alg, issuer,
                                      this_update, c.next ? korvu_x509crl_getnextupdate(parsed.p) : nullptr, revoked,
                                      c.dup, c.exts ? korvu_x509crl_getexts(parsed.p) : nullptr));
    ASSERT_NE(tbs.v, nullptr) << c.name;
    auto *t = tbs.as<KORVU_X509_TBSCRL>();
    // Taken over: the record holds the caller's list itself, freed with it.
    EXPECT_EQ(t->revokedCertificates == revoked, c.dup == 0) << c.name;
    if (c.dup != 0) korvu_asn1_list_free(revoked, KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY);
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_TBSCERTLIST, tbs.v)), to_hex(der_tlv(0x30, c.tbs))) << c.name;
    CrlPtr crl(korvu_x509crl_create(t, korvu_x509crl_getsignvalue(parsed.p)));
    ASSERT_NE(crl.p, nullptr) << c.name;
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_CERTIFICATELIST, crl.p)), to_hex(crl_of(c.tbs))) << c.name;
    EXPECT_EQ(tbs_octets(crl.p), der_tlv(0x30, c.tbs)) << c.name;
    EXPECT_EQ(encode(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509crl_getsignalgo(crl.p)), kAlg) << c.name;
    EXPECT_EQ(korvu_x509crl_hasversion(crl.p), c.version ? 1 : 0) << c.name;
  }
  // A failing constructor leaves the list with the caller, whatever dup_revoked says (freed here once).
  KORVU_ASN1_LIST *revoked = korvu_asn1_list_new();
  EXPECT_EQ(korvu_x509TBSCertList_new(nullptr, alg, nullptr, this_update, nullptr, revoked, 0, nullptr), nullptr);
  EXPECT_EQ(korvu_x509TBSCertList_new(nullptr, nullptr, issuer, this_update, nullptr, revoked, 0, nullptr), nullptr);
  korvu_asn1_list_free(revoked, KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY);
  EXPECT_EQ(korvu_x509crl_create(nullptr, korvu_x509crl_getsignvalue(parsed.p)), nullptr);
}

// ---- malformed input -------------------------------------------------------------
TEST(Crl, MalformedInputFailsWithItsCode) {
  const Bytes good = crl_of(cat({kAlg, kIssuer, kThis, der_tlv(0x30, kEntry)}));
  const std::string pem = pem_text("X509 CRL", good);
  auto text = [](const std::string &s) { return Bytes(s.begin(), s.end()); };
  auto relabel = [&](const std::string &label) {
    std::string s = pem;
    for (size_t at; (at = s.find("X509 CRL")) != std::string::npos;) s.replace(at, 8, label);
    return text(s);
  };
  Bytes overrun = good;
  overrun[3]++;  // the TBSCertList claims one octet more than there is
  struct Case {
    const char *name;
    Bytes input;
    uint32_t code;
  };
  const Case cases[] = {
      {"trailing octet after the CRL", cat({good, hex("00")}), 0x1020B},
      {"PEM with neither label", relabel("CERTIFICATE"), 0x10116},
      {"Base64 that is not", text("MIIB!!!"), 0x10111},
      {"neither DER nor text", hex("31 03 02 01 00"), 0x10261},
      {"the TBSCertList overruns", overrun, 0x1020B},
      {"garbage after an entry", crl_of(cat({kAlg, kIssuer, kThis, der_tlv(0x30, cat({kEntry, hex("05 00")}))})),
       0x1025D},
      {"two Extensions in [0]",
       crl_of(cat({kAlg, kIssuer, kThis, der_tlv(0xA0, cat({der_tlv(0x30, kCrlNumber), der_tlv(0x30, kCrlNumber)}))})),
       0x1020B},
      {"a certificate's [0] version", crl_of(cat({hex("A0 03 02 01 01"), kAlg, kIssuer, kThis})), 0x1020A},
      {"an element after the extensions",
       crl_of(cat({kAlg, kIssuer, kThis, der_tlv(0xA0, der_tlv(0x30, kCrlNumber)), hex("05 00")})), 0x1020A},
      {"a primitive TBSCertList", der_tlv(0x30, cat({hex("10 00"), kAlg, kSig})), 0x1025F},
  };
  for (const Case &c : cases) {
    ErrCtx ctx;
    CrlPtr crl(parse(c.input, ctx));
    EXPECT_EQ(crl.p, nullptr) << c.name;
    EXPECT_TRUE(ctx.has(c.code)) << c.name << " " << testing::PrintToString(ctx.codes());
  }
  // Both labels parse, "X509 CRL" first even when a "CRL" block comes before it.
  const std::string other = pem_text("CRL", crl_of(cat({kAlg, kIssuer, kThis})));
  for (const Bytes &in : {text(pem), relabel("CRL"), text(other + pem)}) {
    CrlPtr crl(parse(in, nullptr));
    ASSERT_NE(crl.p, nullptr);
    EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATELIST, crl.p), good);
  }
  // Null and empty input.
  ErrCtx ctx;
  EXPECT_EQ(korvu_x509crl_new(nullptr, 5, ctx), nullptr);
  EXPECT_EQ(korvu_x509crl_new(good.data(), 0, ctx), nullptr);
  EXPECT_TRUE(ctx.has(KORVU_ERR_NULLARG) && ctx.has(KORVU_ERR_BADARG));
  // Cut at every octet: refused with a record, nothing read past the cut (each prefix is its own block).
  for (size_t n = 1; n < good.size(); n++) {
    Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
    ErrCtx e;
    CrlPtr crl(parse(cut, e));
    EXPECT_EQ(crl.p, nullptr) << n;
    EXPECT_GT(e.count(), 0u) << n;
  }
}

}  // namespace

namespace {

// ---- decode --summary and the PEM labels -----------------------------------------------
std::string summary_of(const KORVU_X509_CRL *crl) {
  char *out = nullptr;
  size_t n = 0;
  FILE *f = open_memstream(&out, &n);
  int r = korvu::tool::print_crl_summary(crl, f);
  std::fclose(f);
  std::string text = r == 1 ? std::string(out, n) : "refused";
  std::free(out);
  return text;
}

TEST(Crl, SummaryAndLabelledPem) {
  struct Case {
    Bytes der;
    const char *summary;
  };
  const Case cases[] = {
      {crl_of(cat({kAlg, kIssuer, kThis})),
       "version: v1\nissuer: CN=Test\nsignature algorithm: ecdsa-with-SHA256 (1.2.840.10045.4.3.2)\n"
       "thisUpdate: 2024-01-01T00:00:00Z\nnextUpdate: absent\nentries: 0\nextensions: none\n"},
      {crl_of(cat({hex("02 01 01"), kAlg, kIssuer, kThis, kNextGen, der_tlv(0x30, cat({kEntry, kEntry})),
                   der_tlv(0xA0, der_tlv(0x30, kCrlNumber))})),
       "version: v2\nissuer: CN=Test\nsignature algorithm: ecdsa-with-SHA256 (1.2.840.10045.4.3.2)\n"
       "thisUpdate: 2024-01-01T00:00:00Z\nnextUpdate: 2055-01-01T00:00:00Z\nentries: 2\n"
       "extensions: cRLNumber (2.5.29.20)\n"},
  };
  for (const Case &c : cases) {
    CrlPtr crl(parse(c.der, nullptr));
    ASSERT_NE(crl.p, nullptr);
    EXPECT_EQ(summary_of(crl.p), c.summary);
  }
  EXPECT_EQ(summary_of(nullptr), "refused");
  // The tool finds the CRL by its labels in order, past a block of another label.
  const std::string text =
      pem_text("CERTIFICATE", hex("30 00")) + pem_text("CRL", cases[0].der) + pem_text("X509 CRL", cases[1].der);
  const std::vector<unsigned char> raw(text.begin(), text.end());
  korvu::tool::LoadedInput in;
  ASSERT_TRUE(korvu::tool::load_labelled_pem(KORVU_TYPE_CERTIFICATELIST, raw, in));
  EXPECT_EQ(in.label, "X509 CRL");
  EXPECT_EQ(in.bytes, cases[1].der);
  korvu::tool::LoadedInput other;
  EXPECT_FALSE(korvu::tool::load_labelled_pem(KORVU_TYPE_CERTIFICATE, raw, other));
  EXPECT_TRUE(other.bytes.empty());
  const std::string crl_only = pem_text("CRL", cases[0].der);
  ASSERT_TRUE(korvu::tool::load_labelled_pem(KORVU_TYPE_CERTIFICATELIST,
                                             std::vector<unsigned char>(crl_only.begin(), crl_only.end()), in));
  EXPECT_EQ(in.label, "CRL");
  EXPECT_EQ(in.bytes, cases[0].der);
}

}  // namespace
