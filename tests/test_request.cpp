// PKCS#10 requests: corpus files and openssl-made requests read through the
// getters and compared with pyasn1-modules' reading (tests/crl_peer.py),
// the attributes' [0] as received, requests built with the constructors, and
// malformed input.
#include <cstdio>
#include <filesystem>
#include <functional>

#include "signed_peer.h"
#include "summary_crl.h"

using namespace korvu_test;

namespace {

struct ReqPtr {
  KORVU_PKCS10_REQ *r;
  explicit ReqPtr(KORVU_PKCS10_REQ *p) : r(p) {}
  ~ReqPtr() { korvu_asn1_value_free(KORVU_TYPE_CERTIFICATIONREQUEST, r); }
  ReqPtr(const ReqPtr &) = delete;
  ReqPtr &operator=(const ReqPtr &) = delete;
};

KORVU_PKCS10_REQ *parse(const Bytes &in, KORVU_ERR_CTX *ctx) {
  return korvu_pkcs10certreq_new(in.data(), static_cast<int32_t>(in.size()), ctx);
}

Bytes tbs_octets(KORVU_PKCS10_REQ *r) {
  uint32_t n = 0;
  if (korvu_pkcs10certreq_gettbsocts(r, nullptr, &n, nullptr) != 1) return {};
  Bytes out(n);
  EXPECT_EQ(korvu_pkcs10certreq_gettbsocts(r, out.data(), &n, nullptr), 1);
  return out;
}

// The info's elements after subjectPKInfo, from its DER: whether [0] is there.
bool has_attributes_element(const Bytes &info) {
  // Walk the info's children and look at the fourth.
  size_t pos = 0, count = 0;
  auto skip = [&](size_t at, size_t &next) {
    if (at + 2 > info.size()) return false;
    size_t len = info[at + 1], hdr = 2;
    if (len & 0x80) {
      size_t k = len & 0x7F;
      len = 0;
      for (size_t i = 0; i < k; i++) len = len << 8 | info[at + 2 + i];
      hdr += k;
    }
    next = at + hdr + len;
    return next <= info.size();
  };
  size_t end = 0;
  if (!skip(0, end)) return false;
  pos = info[1] & 0x80 ? 2 + (info[1] & 0x7F) : 2;
  while (pos < end && count < 3 && skip(pos, pos)) count++;
  return count == 3 && pos < end && info[pos] == 0xA0;
}

std::string attribute_text(const KORVU_PKCS10_REQ *r) {
  std::string out;
  for (auto *a : list_items<KORVU_X500_ATTRIBUTE>(korvu_pkcs10certreq_getattrs(r))) {
    const char *s = korvu_asn1_oid_getstring(korvu_x500attribute_gettype(a));
    out += (out.empty() ? "" : ",") + std::string(s ? s : "?") + ":" +
           std::to_string(korvu_asn1_list_getsize(korvu_x500attribute_getvalue(a)));
  }
  return out.empty() ? "none" : out;
}

struct Getter {
  uint32_t type;
  std::function<const void *(const KORVU_PKCS10_REQ *)> get;
};
const std::map<std::string, Getter> &getters() {
  static const std::map<std::string, Getter> m = {
      {"version", {KORVU_TYPE_INTEGER, [](auto r) { return korvu_pkcs10certreq_getversion(r); }}},
      {"subject", {KORVU_TYPE_NAME, [](auto r) { return korvu_pkcs10certreq_getsubject(r); }}},
      {"subjectPKInfo", {KORVU_TYPE_SUBJECTPUBLICKEYINFO, [](auto r) { return korvu_pkcs10certreq_getpubkey(r); }}},
      {"signatureAlgorithm",
       {KORVU_TYPE_ALGORITHMIDENTIFIER, [](auto r) { return korvu_pkcs10certreq_getsignalgo(r); }}},
      {"signatureValue", {KORVU_TYPE_BIT_STRING, [](auto r) { return korvu_pkcs10certreq_getsignvalue(r); }}},
  };
  return m;
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

size_t check_against_peer(const PeerFile &p, const KORVU_PKCS10_REQ *r) {
  size_t compared = 0;
  for (const auto &[name, want] : p.comps) {
    const Getter &g = getters().at(name);
    EXPECT_EQ(der_or_dash(g.type, g.get(r)), hex_or_dash(want)) << p.path << ": " << name;
    compared++;
  }
  EXPECT_EQ(attribute_text(r), p.texts.at("attributes")) << p.path;
  return compared + 1;
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
  const std::string python = signed_peer_python();
  if (python.empty()) GTEST_SKIP() << "no pyasn1-modules";
  auto peer = run_signed_peer(python, corpus_dir());
  size_t files = 0, valid = 0, compared = 0, without_peer = 0, empty_zero = 0, no_zero = 0;
  for (const ManifestRow &row : corpus_manifest()) {
    if (row.type != "CertificationRequest") continue;
    files++;
    const Bytes file = read_file(corpus_dir() + "/" + row.path);
    const Bytes input = parser_input(file);
    auto p = peer.find(row.path);
    ASSERT_NE(p, peer.end()) << row.path;
    auto outcome = kOutcomes.find(row.path);
    if (row.expect == "valid") valid++;
    ErrCtx ctx;
    Bytes der = p->second.refused ? file : p->second.der;  // the refused ones are DER files
    ReqPtr r(read_and_check(row.path, input, der, ctx));
    if (outcome == kOutcomes.end() && (row.expect != "valid" || p->second.refused)) {
      ADD_FAILURE() << row.path << " (" << row.expect << ", " << row.note << "): no outcome kept; library "
                    << (r.r ? "reads it" : "refuses it " + testing::PrintToString(ctx.codes())) << ", pyasn1 "
                    << (p->second.refused ? "refuses it" : "reads it");
      continue;
    }
    const uint32_t code = outcome == kOutcomes.end() ? 0 : outcome->second.first;
    if (code != 0) {
      EXPECT_EQ(r.r, nullptr) << row.path;
      EXPECT_TRUE(ctx.has(code)) << row.path << " " << testing::PrintToString(ctx.codes());
      continue;
    }
    ASSERT_NE(r.r, nullptr) << row.path << " refused: " << testing::PrintToString(ctx.codes());
    const bool kept = korvu_pkcs10certreq_hasattrs(r.r) == 1;
    if (row.expect == "valid" && kept && korvu_asn1_list_getsize(korvu_pkcs10certreq_getattrs(r.r)) == 0)
      empty_zero++;
    if (row.expect == "valid" && !kept) no_zero++;
    if (p->second.refused)
      without_peer++;
    else
      compared += check_against_peer(p->second, r.r);
  }
  EXPECT_EQ(files, 53u);
  EXPECT_EQ(valid, 46u);
  EXPECT_EQ(empty_zero, 21u);  // valid ones with A0 00, read as present and empty
  EXPECT_EQ(no_zero, 1u);      // and the one valid one without [0]
  EXPECT_EQ(without_peer, 2u);
  EXPECT_GT(compared, 250u);
}

}  // namespace
