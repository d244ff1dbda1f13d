// PKCS#10 requests: corpus files and openssl-made requests read through the
// getters and compared with pyasn1-modules' reading (tests/asn1_peer.py),
// the attributes' [0] as received, requests built with the constructors, and
// malformed input.
#include <cstdio>

#include "peer_compare.h"
#include "summary_crl.h"

using namespace korvu_test;

namespace {

using ReqPtr = Owned<KORVU_PKCS10_REQ, KORVU_TYPE_CERTIFICATIONREQUEST>;

KORVU_PKCS10_REQ *parse(const Bytes &in, KORVU_ERR_CTX *ctx) {
  return korvu_pkcs10certreq_new(in.data(), static_cast<int32_t>(in.size()), ctx);
}

Bytes tbs_octets(KORVU_PKCS10_REQ *r) { return tbs_octets_of(korvu_pkcs10certreq_gettbsocts, r); }

// Whether an info's DER has the attributes' [0] after subjectPKInfo.
bool has_attributes_element(const Bytes &info) {
  const std::vector<Bytes> e = der_elements(info);
  return e.size() > 3 && e[3][0] == 0xA0;
}

// The library's reading by the paths of rfc2986's CertificationRequest.
LibDump lib_dump(const KORVU_PKCS10_REQ *r) {
  LibDump o;
  const std::string i = "/certificationRequestInfo";
  o.der(i + "/version", KORVU_TYPE_INTEGER, korvu_pkcs10certreq_getversion(r));
  o.der(i + "/subject", KORVU_TYPE_NAME, korvu_pkcs10certreq_getsubject(r));
  o.der(i + "/subjectPKInfo", KORVU_TYPE_SUBJECTPUBLICKEYINFO, korvu_pkcs10certreq_getpubkey(r));
  o.list<KORVU_X500_ATTRIBUTE>(i + "/attributes", korvu_pkcs10certreq_getattrs(r), [&](auto &p, auto *a) {
    o.der(p + "/type", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_x500attribute_gettype(a));
    o.list_der(p + "/values", KORVU_TYPE_ANY, korvu_x500attribute_getvalue(a));
  });
  o.der("/signatureAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_pkcs10certreq_getsignalgo(r));
  o.der("/signature", KORVU_TYPE_BIT_STRING, korvu_pkcs10certreq_getsignvalue(r));
  return o;
}

std::map<std::string, PeerDump> run_peer(const std::string &python, const std::vector<std::string> &paths) {
  std::vector<PeerJob> jobs;
  for (const std::string &p : paths)
    jobs.push_back({p, "rfc2986.CertificationRequest", p, "pem=CERTIFICATE REQUEST|NEW CERTIFICATE REQUEST"});
  return run_asn1_peer(python, jobs);
}

// Reads a request as the library does and checks what does not need a peer: re-encoding, the to-be-signed
// octets and the [0] flag. Returns the request (null when refused).
KORVU_PKCS10_REQ *read_and_check(const std::string &label, const Bytes &input, const Bytes &der, KORVU_ERR_CTX *ctx) {
  KORVU_PKCS10_REQ *r = parse(input, ctx);
  if (r == nullptr) return nullptr;
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_CERTIFICATIONREQUEST, r)), to_hex(der)) << label << ": re-encoding";
  const Bytes info = first_child(der);
  EXPECT_EQ(to_hex(tbs_octets(r)), to_hex(info)) << label << ": to-be-signed octets";
  EXPECT_EQ(korvu_pkcs10certreq_hasattrs(r), has_attributes_element(info) ? 1 : 0) << label;
  EXPECT_NE(korvu_pkcs10certreq_getattrs(r), nullptr) << label << ": the list is never null";
  return r;
}

// Corpus requests that are not "valid", or that pyasn1 refuses, and how the library takes them: refused with a
// code, or read (0).
const std::map<std::string, std::pair<uint32_t, const char *>> kOutcomes = {
    {"csr/peculiar-asn1-schema__csr_test_L20.der", {0, "no [0]: read with an empty list, which rfc2986 refuses"}},
    {"csr/peculiar-asn1-schema__csr_test_L8.der", {0, "an empty RDN SET, which rfc5280 (SIZE (1..MAX)) refuses"}},
    {"csr/gmsm__smx509_x509_dupAttCSR.der", {0, "duplicate attributes are a profile rule"}},
    {"csr/gmsm__smx509_x509_dupExtCSR.der", {0, "duplicate extensions are a profile rule"}},
    {"csr/pyca-vectors__requests_bad-version.pem", {0, "the version is kept as written"}},
    {"csr/tongsuo__certs_x509-req-detect-invalid-version.pem", {0, "the version is kept as written"}},
    {"csr/pyca-vectors__requests_challenge-invalid.der", {0, "attribute values are ANY here"}},
    {"csr/pyca-vectors__requests_freeipa-bad-critical.pem", {0, "the fault is inside the extensionRequest value"}},
    {"csr/pyca-vectors__requests_two_basic_constraints.pem", {0, "duplicate extensions are a profile rule"}},
};

TEST(Request, CorpusAgreesWithPyasn1Modules) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  const std::string python = pyasn1_python("pyasn1_modules.rfc2986");
  if (python.empty()) GTEST_SKIP() << "no pyasn1-modules";
  std::vector<ManifestRow> rows;
  std::vector<std::string> paths;
  for (const ManifestRow &row : corpus_manifest())
    if (row.type == "CertificationRequest") {
      rows.push_back(row);
      paths.push_back(corpus_dir() + "/" + row.path);
    }
  auto peer = run_peer(python, paths);
  size_t files = 0, valid = 0, compared = 0, without_peer = 0, empty_zero = 0, no_zero = 0;
  for (const ManifestRow &row : rows) {
    files++;
    const Bytes input = parser_input(read_file(corpus_dir() + "/" + row.path));
    auto p = peer.find(corpus_dir() + "/" + row.path);
    ASSERT_NE(p, peer.end()) << row.path;
    const bool refused = !p->second.error.empty();
    auto outcome = kOutcomes.find(row.path);
    if (row.expect == "valid") valid++;
    ErrCtx ctx;
    ReqPtr r(read_and_check(row.path, input, p->second.in, ctx));
    if (outcome == kOutcomes.end() && (row.expect != "valid" || refused)) {
      ADD_FAILURE() << row.path << " (" << row.expect << ", " << row.note << "): no outcome kept; library "
                    << (r.p ? "reads it" : "refuses it " + testing::PrintToString(ctx.codes())) << ", pyasn1 "
                    << (refused ? "refuses it" : "reads it");
      continue;
    }
    const uint32_t code = outcome == kOutcomes.end() ? 0 : outcome->second.first;
    if (code != 0) {
      EXPECT_EQ(r.p, nullptr) << row.path;
      EXPECT_TRUE(ctx.has(code)) << row.path << " " << testing::PrintToString(ctx.codes());
      continue;
    }
    ASSERT_NE(r.p, nullptr) << row.path << " refused: " << testing::PrintToString(ctx.codes());
    const bool kept = korvu_pkcs10certreq_hasattrs(r.p) == 1;
    if (row.expect == "valid" && kept && korvu_asn1_list_getsize(korvu_pkcs10certreq_getattrs(r.p)) == 0)
      empty_zero++;
    if (row.expect == "valid" && !kept) no_zero++;
    if (refused)
      without_peer++;
    else
      compared += compare_dumps(lib_dump(r.p), p->second, row.path);
  }
  EXPECT_EQ(files, 53u);
  EXPECT_EQ(valid, 46u);
  EXPECT_EQ(empty_zero, 21u);  // valid ones with A0 00, read as present and empty
  EXPECT_EQ(no_zero, 1u);      // and the one valid one without [0]
  EXPECT_EQ(without_peer, 2u);
  EXPECT_GT(compared, 250u);
}

}  // namespace

namespace {

const Bytes kVersion = hex("02 01 00");
const Bytes kSubject = hex("30 0F 31 0D 30 0B 06 03 55 04 03 0C 04 54 65 73 74");  // CN=Test
const Bytes kSpki = der_tlv(0x30, cat_bytes({der_tlv(0x30, hex("06 07 2A 86 48 CE 3D 02 01 06 08 2A 86 48 CE 3D 03 01 07")),
                                             hex("03 03 00 04 01")}));
const Bytes kChallenge = der_tlv(0x30, hex("06 09 2A 86 48 86 F7 0D 01 09 07 31 05 0C 03 61 62 63"));
const Bytes kAlg = hex("30 0A 06 08 2A 86 48 CE 3D 04 03 02");
const Bytes kSig = hex("03 03 00 AB CD");

Bytes req_of(const Bytes &info) { return der_tlv(0x30, cat_bytes({info, kAlg, kSig})); }

// ---- openssl-made requests --------------------------------------------------------
TEST(Request, OpensslMadeAgreesWithPyasn1AndCarriesItsAttributes) {
  const std::string dir = openssl_made_dir();
  const std::string python = pyasn1_python("pyasn1_modules.rfc2986");
  if (dir.empty() || python.empty()) GTEST_SKIP() << "no openssl or pyasn1-modules";
  const std::string path = dir + "/req.pem";
  auto peer = run_peer(python, {path});
  ASSERT_EQ(peer.count(path), 1u);
  const PeerDump &p = peer[path];
  ASSERT_EQ(p.error, "");
  const Bytes file = read_file(path);
  std::string text(file.begin(), file.end());
  for (size_t at = 0; (at = text.find("CERTIFICATE REQUEST", at)) != std::string::npos; at += 23)
    text.replace(at, 19, "NEW CERTIFICATE REQUEST");
  for (const Bytes &input : {file, Bytes(text.begin(), text.end())}) {
    ErrCtx ctx;
    ReqPtr r(read_and_check(path, input, p.in, ctx));
    ASSERT_NE(r.p, nullptr) << testing::PrintToString(ctx.codes());
    EXPECT_EQ(compare_dumps(lib_dump(r.p), p, path), 12u);
    // challengePassword and extensionRequest, one value each.
    EXPECT_EQ(p.get("/certificationRequestInfo/attributes/0/type") + " " +
                  p.get("/certificationRequestInfo/attributes/1/type"),
              "06092a864886f70d010907 06092a864886f70d01090e");
    char *out = nullptr;
    size_t n = 0;
    FILE *f = open_memstream(&out, &n);
    EXPECT_EQ(korvu::tool::print_request_summary(r.p, f), 1);
    std::fclose(f);
    EXPECT_EQ(std::string(out, n),
              "subject: O=Example,CN=Korvu Request\n"
              "key algorithm: ecPublicKey (1.2.840.10045.2.1)\n"
              "attributes: challengePassword (1.2.840.113549.1.9.7), extensionRequest (1.2.840.113549.1.9.14)\n"
              "requested extensions: subjectAltName (2.5.29.17), basicConstraints (2.5.29.19), extKeyUsage (2.5.29.37), "
              "certificatePolicies (2.5.29.32), cRLDistributionPoints (2.5.29.31), "
              "authorityInfoAccess (1.3.6.1.5.5.7.1.1)\n");
    std::free(out);
  }
}

// ---- the attributes' [0] ----------------------------------------------------------------
TEST(Request, AttributesElementIsKeptAsReceived) {
  struct Case {
    const char *name;
    Bytes info;
    int has;
    int32_t count;
  };
  const Case cases[] = {
      {"A0 00", der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki, hex("A0 00")})), 1, 0},
      {"no [0]", der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki})), 0, 0},
      {"one attribute", der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki, der_tlv(0xA0, kChallenge)})), 1, 1},
      {"BER: indefinite info and [0]",
       cat_bytes({hex("30 80"), kVersion, kSubject, kSpki, hex("A0 80"), kChallenge, hex("00 00 00 00")}), 1, 1},
  };
  for (const Case &c : cases) {
    const Bytes der = req_of(c.info);
    ErrCtx ctx;
    ReqPtr r(parse(der, ctx));
    ASSERT_NE(r.p, nullptr) << c.name << " " << testing::PrintToString(ctx.codes());
    EXPECT_EQ(korvu_pkcs10certreq_hasattrs(r.p), c.has) << c.name;
    ASSERT_NE(korvu_pkcs10certreq_getattrs(r.p), nullptr) << c.name;
    EXPECT_EQ(korvu_asn1_list_getsize(korvu_pkcs10certreq_getattrs(r.p)), c.count) << c.name;
    EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATIONREQUEST, r.p), der) << c.name;
    EXPECT_EQ(tbs_octets(r.p), c.info) << c.name;
    // The info alone writes its [0] exactly when it was received.
    Val info(KORVU_TYPE_CERTIFICATIONREQUESTINFO, decode(KORVU_TYPE_CERTIFICATIONREQUESTINFO, c.info, ctx));
    ASSERT_NE(info.v, nullptr) << c.name;
    const Bytes again = encode(KORVU_TYPE_CERTIFICATIONREQUESTINFO, info.v);
    EXPECT_EQ(again.size() > 2 && has_attributes_element(again), c.has == 1) << c.name;
  }
  // An info read without [0] writes one once its list holds an attribute.
  ErrCtx ctx;
  Val info(KORVU_TYPE_CERTIFICATIONREQUESTINFO,
           decode(KORVU_TYPE_CERTIFICATIONREQUESTINFO, der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki})), ctx));
  ASSERT_NE(info.v, nullptr);
  auto *ri = info.as<KORVU_PKCS10_REQINFO>();
  void *attr = nullptr;
  ASSERT_EQ(korvu_asn1_mem_decode(kChallenge.data(), static_cast<int32_t>(kChallenge.size()),
                                  KORVU_TYPE_ATTRIBUTE_PLAIN, &attr),
            kChallenge.size());
  ASSERT_EQ(korvu_asn1_list_put(ri->attributes, attr), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_CERTIFICATIONREQUESTINFO, info.v)),
            to_hex(der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki, der_tlv(0xA0, kChallenge)}))));
  EXPECT_EQ(ri->hasAttributes, 1u);
}

// ---- built with the constructors -------------------------------------------------------
TEST(Request, BuiltFromPartsAlwaysWritesTheAttributes) {
  const Bytes src = req_of(der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki, der_tlv(0xA0, kChallenge)})));
  ReqPtr parsed(parse(src, nullptr));
  ASSERT_NE(parsed.p, nullptr);
  const auto *version = korvu_pkcs10certreq_getversion(parsed.p);
  const auto *subject = korvu_pkcs10certreq_getsubject(parsed.p);
  const auto *spki = korvu_pkcs10certreq_getpubkey(parsed.p);
  KORVU_ASN1_LIST *empty = korvu_asn1_list_new();
  struct Case {
    const char *name;
    const KORVU_ASN1_LIST *attrs;
    Bytes tail;
  };
  const Case cases[] = {
      {"empty list", empty, hex("A0 00")},
      {"one attribute", korvu_pkcs10certreq_getattrs(parsed.p), der_tlv(0xA0, kChallenge)},
  };
  for (const Case &c : cases) {
    Val info(KORVU_TYPE_CERTIFICATIONREQUESTINFO, korvu_pkcs10certreqinfo_new(version, subject, spki, c.attrs));
    ASSERT_NE(info.v, nullptr) << c.name;
    EXPECT_EQ(info.as<KORVU_PKCS10_REQINFO>()->hasAttributes, 1u) << c.name;
    const Bytes want = der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki, c.tail}));
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_CERTIFICATIONREQUESTINFO, info.v)), to_hex(want)) << c.name;
    ReqPtr r(korvu_pkcs10certreq_create(info.as<KORVU_PKCS10_REQINFO>(), korvu_pkcs10certreq_getsignalgo(parsed.p),
                                        korvu_pkcs10certreq_getsignvalue(parsed.p)));
    ASSERT_NE(r.p, nullptr) << c.name;
    EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATIONREQUEST, r.p), req_of(want)) << c.name;
    EXPECT_EQ(tbs_octets(r.p), want) << c.name;
    EXPECT_EQ(korvu_pkcs10certreq_hasattrs(r.p), 1) << c.name;
  }
  EXPECT_EQ(korvu_pkcs10certreqinfo_new(version, subject, spki, nullptr), nullptr);
  EXPECT_EQ(korvu_pkcs10certreqinfo_new(version, nullptr, spki, empty), nullptr);
  EXPECT_EQ(korvu_pkcs10certreq_create(nullptr, korvu_pkcs10certreq_getsignalgo(parsed.p),
                                       korvu_pkcs10certreq_getsignvalue(parsed.p)),
            nullptr);
  korvu_asn1_list_free(empty, KORVU_TYPE_ATTRIBUTE_PLAIN);
}

// ---- malformed input -------------------------------------------------------------
TEST(Request, MalformedInputFailsWithItsCode) {
  const Bytes info = der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki, der_tlv(0xA0, kChallenge)}));
  const Bytes good = req_of(info);
  auto pem = [](const char *label, const Bytes &der) {
    const std::string t = pem_text(label, der);
    return Bytes(t.begin(), t.end());
  };
  struct Case {
    const char *name;
    Bytes input;
    uint32_t code;
  };
  const Case cases[] = {
      {"trailing octet", cat_bytes({good, hex("00")}), 0x1020B},
      {"PEM with neither label", pem("CERTIFICATE", good), 0x10116},
      {"Base64 that is not", hex("4D 49 49 21 21"), 0x10111},
      {"neither DER nor text", hex("04 00"), 0x10269},
      // A primitive [0] is no attributes element: what follows the key is "incorrect item".
      {"a primitive [0]", req_of(der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki, hex("80 00")}))), 0x1020A},
      {"an element after [0]",
       req_of(der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki, hex("A0 00 05 00")}))), 0x1020A},
      {"an attribute that is not one", req_of(der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki, hex("A0 02 05 00")}))),
       0x10265},
      {"no subject", req_of(der_tlv(0x30, cat_bytes({kVersion, kSpki}))), 0x10267},
  };
  for (const Case &c : cases) {
    ErrCtx ctx;
    ReqPtr r(parse(c.input, ctx));
    EXPECT_EQ(r.p, nullptr) << c.name;
    EXPECT_TRUE(ctx.has(c.code)) << c.name << " " << testing::PrintToString(ctx.codes());
  }
  // "CERTIFICATE REQUEST" is taken before "NEW CERTIFICATE REQUEST", wherever the blocks stand.
  const Bytes other = req_of(der_tlv(0x30, cat_bytes({kVersion, kSubject, kSpki})));
  ReqPtr both(parse(cat_bytes({pem("NEW CERTIFICATE REQUEST", other), pem("CERTIFICATE REQUEST", good)}),
                    nullptr));
  ASSERT_NE(both.p, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATIONREQUEST, both.p), good);
  for (size_t n = 1; n < good.size(); n++) {
    Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
    ErrCtx e;
    ReqPtr r(parse(cut, e));
    EXPECT_EQ(r.p, nullptr) << n;
    EXPECT_GT(e.count(), 0u) << n;
  }
}

}  // namespace
