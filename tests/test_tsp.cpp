// Time-stamp protocol: the corpus's requests, responses and TSTInfo values (alone and inside tokens) read by the
// library and by pyasn1-modules (tests/asn1_peer.py), the constructors' DEFAULTs (the hex vectors are in
// tests/data/ocsp_vectors.txt), and openssl-made queries, replies and token contents rebuilt with the constructors.
#include <algorithm>

#include "ocsp_peer.h"

using namespace korvu_test;
using namespace korvu_test::ocsp;

namespace {

// True when the outer SEQUENCE of `der` holds a BOOLEAN FALSE element (the one DER leaves out).
bool has_explicit_false(const Bytes &der) {
  const std::vector<Bytes> e = der_elements(der);
  return std::find(e.begin(), e.end(), hex("01 01 00")) != e.end();
}

// Decodes pyasn1's input as `type` from memory and from a file stream: every getter as pyasn1-modules reads it
// (a response's token as received), written back byte for byte (a TimeStampReq or TSTInfo with an explicit FALSE
// without it, and nothing else changed).
void check_with_peer(const std::string &label, uint32_t type, const PeerDump &p) {
  ASSERT_EQ(p.error, "") << label;
  ErrCtx ctx;
  uint32_t used = 0;
  Val v(type, decode(type, p.in, ctx, &used));
  ASSERT_NE(v.v, nullptr) << label << " codes " << ::testing::PrintToString(ctx.codes());
  EXPECT_EQ(used, p.in.size()) << label;
  const LibDump ours = lib_dump(type, v.v);
  compare_dumps(ours, p, label);
  if (type == KORVU_TYPE_TIMESTAMPRESP) {
    const std::vector<Bytes> elements = der_elements(p.in);
    EXPECT_EQ(der_hex(KORVU_TYPE_CONTENTINFO, korvu_tsp_timestampresp_gettoken(v.as<KORVU_TSP_TIMESTAMPRESP>())),
              elements.size() > 1 ? lower_hex(elements[1]) : "-")
        << label;
  }
  const Bytes out = encode(type, v.v);
  if (out != p.in) {
    EXPECT_TRUE(type != KORVU_TYPE_TIMESTAMPRESP && has_explicit_false(p.in)) << label;
    EXPECT_EQ(out.size() + 3, p.in.size()) << label;
    Val again(type, decode(type, out, ctx));
    ASSERT_NE(again.v, nullptr) << label;
    EXPECT_EQ(lib_dump(type, again.v).at, ours.at) << label;
  }
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_tsp_value.der";
  write_file(tmp, p.in);
  uint32_t file_used = 0;
  Val f(type, decode_file(type, tmp, ctx, &file_used));
  ASSERT_NE(f.v, nullptr) << label << " from a file";
  EXPECT_EQ(lib_dump(type, f.v).at, ours.at) << label << " (file stream)";
}

}  // namespace

// Every valid TimeStampReq, TimeStampResp and TSTInfo of the corpus, and the 45 TSTInfo values inside the tokens
// of the tsp, ers, authenticode and cms families, through check_with_peer.
TEST(TspCorpus, DecodesReencodesAndAgreesWithPyasn1) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string python = pyasn1_python("pyasn1_modules.rfc6960, pyasn1_modules.rfc3161");
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  std::map<uint32_t, int> seen;
  int inside = 0;
  std::map<std::string, uint32_t> types;
  for (const auto &[label, p] : corpus_peer(python, types)) {
    const uint32_t type = types[label];
    if (type != KORVU_TYPE_TIMESTAMPREQ && type != KORVU_TYPE_TIMESTAMPRESP && type != KORVU_TYPE_TSTINFO) continue;
    check_with_peer(label, type, p);
    seen[type]++;
    inside += label.find("#tst") != std::string::npos;
  }
  EXPECT_EQ(seen, (std::map<uint32_t, int>{
                      {KORVU_TYPE_TIMESTAMPREQ, 9}, {KORVU_TYPE_TIMESTAMPRESP, 9}, {KORVU_TYPE_TSTINFO, 48}}));
  EXPECT_EQ(inside, 45);
}

// The corpus TSTInfo whose genTime reads 2000V101081721Z is refused with the time's code and TSTInfo's.
TEST(TspCorpus, OddGenTimeIsRefused) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const Bytes der = read_file(corpus_dir() + "/tsp/bc-java__TimeStampTokenInfoUnitTest_tstInfoDudDate.der");
  ASSERT_FALSE(der.empty());
  ErrCtx ctx;
  Val v(KORVU_TYPE_TSTINFO, decode(KORVU_TYPE_TSTINFO, der, ctx));
  EXPECT_EQ(v.v, nullptr);
  EXPECT_TRUE(ctx.has(0x102ED)) << ::testing::PrintToString(ctx.codes());
  EXPECT_TRUE(ctx.has(0x103B6)) << "TSTInfo's decode code";
}

// Built: a request without certReq writes no BOOLEAN and reads FALSE; an empty Accuracy is an empty SEQUENCE;
// a response with status only has no token. (Decoded: tests/data/ocsp_vectors.txt.)
TEST(TspVectors, ConstructorsAndDefaults) {
  const std::string imprint = "30 0C 30 07 06 05 2B 0E 03 02 1A 04 01 AA";
  ErrCtx ctx;
  Val mi(KORVU_TYPE_MESSAGEIMPRINT, decode(KORVU_TYPE_MESSAGEIMPRINT, hex(imprint), ctx));
  Val one(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(1));
  Val req(KORVU_TYPE_TIMESTAMPREQ, korvu_tsp_timestampreq_new(one.as<KORVU_ASN1_INTEGER>(),
                                                              mi.as<KORVU_TSP_MESSAGEIMPRINT>(), nullptr, nullptr,
                                                              nullptr, nullptr));
  ASSERT_NE(req.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_TIMESTAMPREQ, req.v)), to_hex(hex("30 11 02 01 01 " + imprint)));
  // Built or decoded without certReq, a request reads FALSE.
  Val decoded(KORVU_TYPE_TIMESTAMPREQ, decode(KORVU_TYPE_TIMESTAMPREQ, hex("30 11 02 01 01 " + imprint), ctx));
  for (const Val *v : {&req, &decoded}) {
    ASSERT_NE(korvu_tsp_timestampreq_getcertreq(v->as<KORVU_TSP_TIMESTAMPREQ>()), nullptr);
    EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_tsp_timestampreq_getcertreq(v->as<KORVU_TSP_TIMESTAMPREQ>())), 0);
  }
  Val acc(KORVU_TYPE_ACCURACY, korvu_tsp_accuracy_new(nullptr, nullptr, nullptr));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ACCURACY, acc.v)), "30 00");
  Val two(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(2));
  Val si(KORVU_TYPE_PKISTATUSINFO, korvu_tsp_pkistatusinfo_new(two.as<KORVU_ASN1_INTEGER>(), nullptr, nullptr));
  Val resp(KORVU_TYPE_TIMESTAMPRESP, korvu_tsp_timestampresp_new(si.as<KORVU_TSP_PKISTATUSINFO>(), nullptr));
  ASSERT_NE(resp.v, nullptr);
  EXPECT_EQ(korvu_tsp_timestampresp_gettoken(resp.as<KORVU_TSP_TIMESTAMPRESP>()), nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_TIMESTAMPRESP, resp.v)), "30 05 30 03 02 01 02");
  // An empty PKIFreeText is written as it is (the size is checked on decoding only).
  Val empty(KORVU_TYPE_PKIFREETEXT, korvu_asn1_list_new());
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_PKIFREETEXT, empty.v)), "30 00");
}

// openssl's queries (one with a nonce and certReq, one with a policy and neither), replies (granted with its
// token, rejected) and the token's TSTInfo through check_with_peer; a request and a TSTInfo rebuilt from their
// getters with the constructors equal openssl's octets; the summaries carry what the TSA configuration asked for.
TEST(TspOpenssl, QueriesRepliesAndTokenContents) {
  const std::string dir = make_openssl_data();
  if (dir.empty()) GTEST_SKIP() << "openssl missing";
  const std::string python = pyasn1_python("pyasn1_modules.rfc3161");
  const std::pair<const char *, uint32_t> files[] = {{"q.tsq", KORVU_TYPE_TIMESTAMPREQ},
                                                     {"q2.tsq", KORVU_TYPE_TIMESTAMPREQ},
                                                     {"r.tsr", KORVU_TYPE_TIMESTAMPRESP},
                                                     {"r2.tsr", KORVU_TYPE_TIMESTAMPRESP},
                                                     {"tst.der", KORVU_TYPE_TSTINFO}};
  if (!python.empty()) {
    std::vector<PeerJob> jobs;
    for (const auto &[f, type] : files) jobs.push_back({f, peer_types().at(type), dir + "/" + f, ""});
    auto peer = run_asn1_peer(python, jobs);
    for (const auto &[f, type] : files) check_with_peer(f, type, peer[f]);
  }
  ErrCtx ctx;
  const Bytes q_der = read_file(dir + "/q.tsq");
  Val q(KORVU_TYPE_TIMESTAMPREQ, decode(KORVU_TYPE_TIMESTAMPREQ, q_der, ctx));
  ASSERT_NE(q.v, nullptr);
  auto *qr = q.as<KORVU_TSP_TIMESTAMPREQ>();
  Val rebuilt(KORVU_TYPE_TIMESTAMPREQ,
              korvu_tsp_timestampreq_new(korvu_tsp_timestampreq_getversion(qr), korvu_tsp_timestampreq_getmessageimprint(qr),
                                         nullptr, korvu_tsp_timestampreq_getnonce(qr),
                                         korvu_tsp_timestampreq_getcertreq(qr), nullptr));
  EXPECT_EQ(encode(KORVU_TYPE_TIMESTAMPREQ, rebuilt.v), q_der);
  const Bytes tst_der = read_file(dir + "/tst.der");
  Val tst(KORVU_TYPE_TSTINFO, decode(KORVU_TYPE_TSTINFO, tst_der, ctx));
  ASSERT_NE(tst.v, nullptr);
  auto *t = tst.as<KORVU_TSP_TSTINFO>();
  Val again(KORVU_TYPE_TSTINFO,
            korvu_tsp_tstinfo_new(korvu_tsp_tstinfo_getversion(t), korvu_tsp_tstinfo_getpolicy(t),
                                  korvu_tsp_tstinfo_getmessageimprint(t), korvu_tsp_tstinfo_getsn(t),
                                  korvu_tsp_tstinfo_getgentime(t), korvu_tsp_tstinfo_getaccuracy(t),
                                  korvu_tsp_tstinfo_getordering(t), korvu_tsp_tstinfo_getnonce(t),
                                  korvu_tsp_tstinfo_gettsaname(t), korvu_tsp_tstinfo_getexts(t)));
  EXPECT_EQ(encode(KORVU_TYPE_TSTINFO, again.v), tst_der) << "rebuilt with the constructor";

  // The summaries of `korvu-asn1 decode --summary`: the token's TSTInfo alone and inside the granted reply, the
  // rejection with its text and failure bit.
  const std::string nonce_hex = [&] {
    const KORVU_ASN1_INTEGER *n = korvu_tsp_timestampreq_getnonce(qr);
    std::string h = to_hex(n->data, n->length);
    h.erase(std::remove(h.begin(), h.end(), ' '), h.end());
    return h;
  }();
  const std::vector<std::string> tst_lines = {
      "policy: 1.2.3.4.1\n", "genTime: 20", "imprint algorithm: sha256\n", "accuracy: 1s 500ms 100us\n",
      "ordering: yes\n", "nonce: " + nonce_hex + "\n", "tsa: DirName:CN=tsa\n", "re-encoded: identical"};
  std::vector<std::string> granted = tst_lines;
  granted.push_back("token: TSTInfo\n");
  const std::pair<const char *, std::vector<std::string>> summaries[] = {
      {"tst.der", tst_lines},
      {"r.tsr", granted},
      {"r2.tsr", {"status: rejection (2)\n", "status text: Requested policy is not supported.\n",
                  "failure: unacceptedPolicy\n", "token: none\n", "re-encoded: identical"}}};
  for (const auto &[file, lines] : summaries) {
    int status = -1;
    const std::string out = summary_of(std::string(file) == "tst.der" ? KORVU_TYPE_TSTINFO : KORVU_TYPE_TIMESTAMPRESP,
                                       dir + "/" + file, &status);
    EXPECT_EQ(status, 0) << out;
    for (const std::string &line : lines) EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  }
  std::system(("rm -rf " + dir).c_str());
}
