// Time-stamp protocol: the corpus's requests, responses and TSTInfo values (alone and inside tokens) read by the
// library and by pyasn1-modules (tests/asn1_peer.py), hex vectors of the DEFAULT and tagging rules and of bad
// input, and openssl-made queries, replies and token contents rebuilt with the constructors.
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

}  // namespace

// Every valid TimeStampReq, TimeStampResp and TSTInfo of the corpus, and the 45 TSTInfo values inside the tokens
// of the tsp, ers, authenticode and cms families: decoded from memory and from a file stream, written back byte
// for byte (a TimeStampReq or TSTInfo with an explicit FALSE without it), every getter as pyasn1-modules reads
// it. A granted response needs ContentInfo (111) in the build.
TEST(TspCorpus, DecodesReencodesAndAgreesWithPyasn1) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string python = pyasn1_python("pyasn1_modules.rfc6960, pyasn1_modules.rfc3161");
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  const bool tokens = content_info_built();
  int requests = 0, responses = 0, infos = 0, inside = 0, skipped = 0;
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_tsp_value.der";
  std::map<std::string, uint32_t> types;
  for (const auto &[label, p] : corpus_peer(python, types)) {
    const uint32_t type = types[label];
    if (type != KORVU_TYPE_TIMESTAMPREQ && type != KORVU_TYPE_TIMESTAMPRESP && type != KORVU_TYPE_TSTINFO) continue;
    ASSERT_EQ(p.error, "") << label;
    // The token as received: the response's second element.
    const std::vector<Bytes> elements = der_elements(p.in);
    const std::string token = elements.size() > 1 ? lower_hex(elements[1]) : "-";
    if (type == KORVU_TYPE_TIMESTAMPRESP && !tokens && token != "-") {
      skipped++;
      continue;
    }
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(type, decode(type, p.in, ctx, &used));
    ASSERT_NE(v.v, nullptr) << label << " codes " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(used, p.in.size()) << label;
    const LibDump ours = lib_dump(type, v.v);
    compare_dumps(ours, p, label);
    if (type == KORVU_TYPE_TIMESTAMPRESP) {
      EXPECT_EQ(der_hex(KORVU_TYPE_CONTENTINFO, korvu_tsp_timestampresp_gettoken(v.as<KORVU_TSP_TIMESTAMPRESP>())),
                token)
          << label;
    }
    const Bytes out = encode(type, v.v);
    if (out != p.in) {
      // DER leaves out a FALSE certReq or ordering; nothing else may change.
      EXPECT_TRUE(type != KORVU_TYPE_TIMESTAMPRESP && has_explicit_false(p.in)) << label;
      EXPECT_EQ(out.size() + 3, p.in.size()) << label;
      Val again(type, decode(type, out, ctx));
      ASSERT_NE(again.v, nullptr) << label;
      EXPECT_EQ(lib_dump(type, again.v).at, ours.at) << label;
    }
    write_file(tmp, p.in);
    uint32_t file_used = 0;
    Val f(type, decode_file(type, tmp, ctx, &file_used));
    ASSERT_NE(f.v, nullptr) << label << " from a file";
    EXPECT_EQ(lib_dump(type, f.v).at, ours.at) << label << " (file stream)";
    requests += type == KORVU_TYPE_TIMESTAMPREQ;
    responses += type == KORVU_TYPE_TIMESTAMPRESP;
    infos += type == KORVU_TYPE_TSTINFO;
    inside += type == KORVU_TYPE_TSTINFO && label.find("#tst") != std::string::npos;
  }
  EXPECT_EQ(requests, 9);
  EXPECT_EQ(responses + skipped, 9);
  EXPECT_EQ(inside, 45);
  EXPECT_EQ(infos, 48);
  if (skipped) std::printf("[ note ] %d granted TimeStampResp need ContentInfo (111) in the build\n", skipped);
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

// The DEFAULT FALSE, IMPLICIT and EXPLICIT rules, each encoded and decoded back.
TEST(TspVectors, DefaultAndTaggingRules) {
  const std::string imprint = "30 0C 30 07 06 05 2B 0E 03 02 1A 04 01 AA";
  const std::string gt = "18 0F 32303234303130313030303030305A";
  const std::string policy = "06 03 2A 03 04";
  struct Case {
    const char *name;
    uint32_t type;
    std::string in;   // decoded
    std::string out;  // written back
    std::vector<std::string> lines;  // some of the getters' values: "path DER"
  };
  const Case cases[] = {
      {"millis only", KORVU_TYPE_ACCURACY, "30 04 80 02 01 F4", "30 04 80 02 01 F4", {}},
      {"request without certReq", KORVU_TYPE_TIMESTAMPREQ, "30 11 02 01 01 " + imprint,
       "30 11 02 01 01 " + imprint, {"/certReq 010100", "/nonce -", "/reqPolicy -"}},
      {"request with an explicit FALSE", KORVU_TYPE_TIMESTAMPREQ, "30 14 02 01 01 " + imprint + " 01 01 00",
       "30 11 02 01 01 " + imprint, {"/certReq 010100"}},
      {"certReq TRUE after the nonce, before [0]", KORVU_TYPE_TIMESTAMPREQ,
       "30 22 02 01 01 " + imprint + " 02 01 07 01 01 FF A0 09 30 07 06 02 2A 03 04 01 00",
       "30 22 02 01 01 " + imprint + " 02 01 07 01 01 FF A0 09 30 07 06 02 2A 03 04 01 00", {"/certReq 0101ff", "/nonce 020107"}},
      {"TSTInfo with an explicit FALSE ordering", KORVU_TYPE_TSTINFO,
       "30 2D 02 01 01 " + policy + " " + imprint + " 02 01 05 " + gt + " 01 01 00",
       "30 2A 02 01 01 " + policy + " " + imprint + " 02 01 05 " + gt, {"/ordering 010100", "/serialNumber 020105"}},
      {"TSTInfo with everything", KORVU_TYPE_TSTINFO,
       "30 4E 02 01 01 " + policy + " " + imprint + " 02 01 05 " + gt +
           " 30 09 02 01 01 80 01 01 81 01 01 01 01 FF 02 01 09 A0 06 86 04 74 73 61 3A A1 09 30 07 06 02 2A 03 04 01 00",
       "30 4E 02 01 01 " + policy + " " + imprint + " 02 01 05 " + gt +
           " 30 09 02 01 01 80 01 01 81 01 01 01 01 FF 02 01 09 A0 06 86 04 74 73 61 3A A1 09 30 07 06 02 2A 03 04 01 00",
       {"/accuracy/seconds 020101", "/accuracy/millis 020101", "/accuracy/micros 020101", "/ordering 0101ff",
        "/nonce 020109", "/tsa 86047473613a", "/extensions/# 1"}},
      {"rejection alone", KORVU_TYPE_TIMESTAMPRESP, "30 05 30 03 02 01 02", "30 05 30 03 02 01 02",
       {"/status/status 020102", "/status/statusString -"}},
  };
  for (const Case &c : cases) {
    ErrCtx ctx;
    Val v(c.type, decode(c.type, hex(c.in), ctx));
    ASSERT_NE(v.v, nullptr) << c.name << " " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(to_hex(encode(c.type, v.v)), to_hex(hex(c.out))) << c.name;
    if (c.lines.empty()) continue;
    const LibDump got = lib_dump(c.type, v.v);
    for (const std::string &line : c.lines) {
      const size_t sp = line.find(' ');
      EXPECT_EQ(got.at.count(line.substr(0, sp)) ? got.at.at(line.substr(0, sp)) : "?", line.substr(sp + 1))
          << c.name << ": " << line;
    }
  }
  // Built: a request without certReq writes no BOOLEAN and reads FALSE; an empty Accuracy is an empty SEQUENCE;
  // a response with status only has no token.
  ErrCtx ctx;
  Val mi(KORVU_TYPE_MESSAGEIMPRINT, decode(KORVU_TYPE_MESSAGEIMPRINT, hex(imprint), ctx));
  Val one(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(1));
  Val req(KORVU_TYPE_TIMESTAMPREQ, korvu_tsp_timestampreq_new(one.as<KORVU_ASN1_INTEGER>(),
                                                              mi.as<KORVU_TSP_MESSAGEIMPRINT>(), nullptr, nullptr,
                                                              nullptr, nullptr));
  ASSERT_NE(req.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_TIMESTAMPREQ, req.v)), to_hex(hex("30 11 02 01 01 " + imprint)));
  ASSERT_NE(korvu_tsp_timestampreq_getcertreq(req.as<KORVU_TSP_TIMESTAMPREQ>()), nullptr);
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_tsp_timestampreq_getcertreq(req.as<KORVU_TSP_TIMESTAMPREQ>())), 0);
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

// Bad input: the codes of each fault, nothing handed out; a TSTInfo cut short at every length fails.
TEST(TspVectors, BadInputIsRefusedWithItsCode) {
  const std::string imprint = "30 0C 30 07 06 05 2B 0E 03 02 1A 04 01 AA";
  struct Case {
    const char *name;
    uint32_t type;
    std::string der;
    uint32_t code;
  };
  const Case cases[] = {
      {"empty statusString", KORVU_TYPE_PKISTATUSINFO, "30 05 02 01 02 30 00", 0x1020C},
      {"empty statusString in a response", KORVU_TYPE_TIMESTAMPRESP, "30 07 30 05 02 01 02 30 00", 0x1020C},
      {"statusString of an IA5String", KORVU_TYPE_PKISTATUSINFO, "30 08 02 01 02 30 03 16 01 41", 0x1020A},
      {"millis under [2]", KORVU_TYPE_ACCURACY, "30 03 82 01 01", 0x1020A},
      {"constructed millis", KORVU_TYPE_ACCURACY, "30 05 A0 03 02 01 01", 0x1026A},
      {"request extensions under [1]", KORVU_TYPE_TIMESTAMPREQ, "30 15 02 01 01 " + imprint + " A1 02 30 00",
       0x1020A},
      {"request without imprint", KORVU_TYPE_TIMESTAMPREQ, "30 03 02 01 01", 0x1020A},
      {"a BOOLEAN after the nonce's place twice", KORVU_TYPE_TIMESTAMPREQ,
       "30 17 02 01 01 " + imprint + " 01 01 FF 01 01 FF", 0x1020A},
      {"imprint past the request", KORVU_TYPE_TIMESTAMPREQ, "30 10 02 01 01 " + imprint, 0x1020B},
  };
  for (const Case &c : cases) {
    ErrCtx ctx;
    Val v(c.type, decode(c.type, hex(c.der), ctx));
    EXPECT_EQ(v.v, nullptr) << c.name;
    EXPECT_TRUE(ctx.has(c.code)) << c.name << ": " << ::testing::PrintToString(ctx.codes());
  }
  const Bytes tst = hex("30 2A 02 01 01 06 03 2A 03 04 " + imprint +
                        " 02 01 05 18 0F 32303234303130313030303030305A");
  for (size_t n = 0; n < tst.size(); n++) {
    ErrCtx ctx;
    Val v(KORVU_TYPE_TSTINFO, decode(KORVU_TYPE_TSTINFO, Bytes(tst.begin(), tst.begin() + static_cast<long>(n)), ctx));
    EXPECT_EQ(v.v, nullptr) << "cut at " << n;
    EXPECT_GT(ctx.count(), 0u) << "cut at " << n;
  }
}

// openssl's queries, replies and token contents: the values the TSA configuration asked for, and a request and
// a TSTInfo rebuilt from their getters with the constructors equal to openssl's octets.
TEST(TspOpenssl, QueriesRepliesAndTokenContents) {
  const std::string dir = make_openssl_data();
  if (dir.empty()) GTEST_SKIP() << "openssl missing";
  ErrCtx ctx;
  const Bytes q_der = read_file(dir + "/q.tsq");
  Val q(KORVU_TYPE_TIMESTAMPREQ, decode(KORVU_TYPE_TIMESTAMPREQ, q_der, ctx));
  ASSERT_NE(q.v, nullptr);
  auto *qr = q.as<KORVU_TSP_TIMESTAMPREQ>();
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_tsp_timestampreq_getcertreq(qr)), 1);
  ASSERT_NE(korvu_tsp_timestampreq_getnonce(qr), nullptr);
  EXPECT_EQ(korvu_tsp_timestampreq_getpolicy(qr), nullptr);
  const KORVU_TSP_MESSAGEIMPRINT *mi = korvu_tsp_timestampreq_getmessageimprint(qr);
  EXPECT_EQ(oid_text(korvu_x509algoid_getalgo(mi->hashAlgorithm)), "2.16.840.1.101.3.4.2.1");
  // SHA-256 of "data\n"
  EXPECT_EQ(octets_hex(mi->hashedMessage), "6667b2d1aab6a00caa5aee5af8ad9f1465e567abf1c209d15727d57b3e8f6e5f");
  Val rebuilt(KORVU_TYPE_TIMESTAMPREQ,
              korvu_tsp_timestampreq_new(korvu_tsp_timestampreq_getversion(qr), mi, nullptr,
                                         korvu_tsp_timestampreq_getnonce(qr), korvu_tsp_timestampreq_getcertreq(qr),
                                         nullptr));
  EXPECT_EQ(encode(KORVU_TYPE_TIMESTAMPREQ, rebuilt.v), q_der);

  Val q2(KORVU_TYPE_TIMESTAMPREQ, decode(KORVU_TYPE_TIMESTAMPREQ, read_file(dir + "/q2.tsq"), ctx));
  ASSERT_NE(q2.v, nullptr);
  EXPECT_EQ(korvu_tsp_timestampreq_getnonce(q2.as<KORVU_TSP_TIMESTAMPREQ>()), nullptr);
  EXPECT_EQ(oid_text(korvu_tsp_timestampreq_getpolicy(q2.as<KORVU_TSP_TIMESTAMPREQ>())), "1.2.3.99");
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_tsp_timestampreq_getcertreq(q2.as<KORVU_TSP_TIMESTAMPREQ>())), 0);

  // The rejection: status 2, its text, the unacceptedPolicy failure bit (15).
  const Bytes r2_der = read_file(dir + "/r2.tsr");
  Val r2(KORVU_TYPE_TIMESTAMPRESP, decode(KORVU_TYPE_TIMESTAMPRESP, r2_der, ctx));
  ASSERT_NE(r2.v, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_TIMESTAMPRESP, r2.v), r2_der);
  auto *si = korvu_tsp_timestampresp_getstatus(r2.as<KORVU_TSP_TIMESTAMPRESP>());
  EXPECT_EQ(decimal(korvu_tsp_pkistatusinfo_getstatus(si)), "2");
  ASSERT_EQ(korvu_asn1_list_getsize(korvu_tsp_pkistatusinfo_getstatusstring(si)), 1);
  const Bytes text = contents(encode(KORVU_TYPE_UTF8STRING, item(korvu_tsp_pkistatusinfo_getstatusstring(si), 0)));
  EXPECT_EQ(std::string(text.begin(), text.end()), "Requested policy is not supported.");
  EXPECT_EQ(der_hex(KORVU_TYPE_BIT_STRING, korvu_tsp_pkistatusinfo_getfailinfo(si)), "0303000001");
  EXPECT_EQ(korvu_tsp_timestampresp_gettoken(r2.as<KORVU_TSP_TIMESTAMPRESP>()), nullptr);

  // The token's TSTInfo: policy, all three accuracy fields, ordering, the query's nonce, the TSA's name.
  const Bytes tst_der = read_file(dir + "/tst.der");
  Val tst(KORVU_TYPE_TSTINFO, decode(KORVU_TYPE_TSTINFO, tst_der, ctx));
  ASSERT_NE(tst.v, nullptr);
  auto *t = tst.as<KORVU_TSP_TSTINFO>();
  EXPECT_EQ(encode(KORVU_TYPE_TSTINFO, t), tst_der);
  EXPECT_EQ(oid_text(korvu_tsp_tstinfo_getpolicy(t)), "1.2.3.4.1");
  auto *acc = korvu_tsp_tstinfo_getaccuracy(t);
  EXPECT_EQ(decimal(korvu_tsp_accuracy_getseconds(acc)) + " " + decimal(korvu_tsp_accuracy_getmillis(acc)) + " " +
                decimal(korvu_tsp_accuracy_getmicros(acc)),
            "1 500 100");
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_tsp_tstinfo_getordering(t)), 1);
  EXPECT_EQ(decimal(korvu_tsp_tstinfo_getnonce(t)), decimal(korvu_tsp_timestampreq_getnonce(qr)));
  uint32_t choice = 0;
  ASSERT_EQ(korvu_x509generalname_gettype(korvu_tsp_tstinfo_gettsaname(t), &choice), 1);
  EXPECT_EQ(choice, 4u) << "directoryName";
  // At most three fraction digits, trailing zeros left out (DER).
  const std::string gen = time_text(korvu_tsp_tstinfo_getgentime(t));
  EXPECT_TRUE(gen.size() == 15 || (gen.size() <= 19 && gen[14] == '.' && gen[gen.size() - 2] != '0')) << gen;
  Val again(KORVU_TYPE_TSTINFO,
            korvu_tsp_tstinfo_new(korvu_tsp_tstinfo_getversion(t), korvu_tsp_tstinfo_getpolicy(t),
                                  korvu_tsp_tstinfo_getmessageimprint(t), korvu_tsp_tstinfo_getsn(t),
                                  korvu_tsp_tstinfo_getgentime(t), acc, korvu_tsp_tstinfo_getordering(t),
                                  korvu_tsp_tstinfo_getnonce(t), korvu_tsp_tstinfo_gettsaname(t),
                                  korvu_tsp_tstinfo_getexts(t)));
  EXPECT_EQ(encode(KORVU_TYPE_TSTINFO, again.v), tst_der) << "rebuilt with the constructor";

  // The summaries of `korvu-asn1 decode --summary`.
  const std::string nonce_hex = [&] {
    const KORVU_ASN1_INTEGER *n = korvu_tsp_timestampreq_getnonce(qr);
    std::string h = to_hex(n->data, n->length);
    h.erase(std::remove(h.begin(), h.end(), ' '), h.end());
    return h;
  }();
  const std::vector<std::string> tst_lines = {
      "policy: 1.2.3.4.1\n", "genTime: 20", "imprint algorithm: sha256\n", "accuracy: 1s 500ms 100us\n",
      "ordering: yes\n", "nonce: " + nonce_hex + "\n", "tsa: DirName:CN=tsa\n", "re-encoded: identical"};
  int status = -1;
  std::string out = summary_of(KORVU_TYPE_TSTINFO, dir + "/tst.der", &status);
  EXPECT_EQ(status, 0) << out;
  for (const std::string &line : tst_lines) EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  out = summary_of(KORVU_TYPE_TIMESTAMPRESP, dir + "/r2.tsr", &status);
  EXPECT_EQ(status, 0) << out;
  for (const char *line : {"status: rejection (2)\n", "status text: Requested policy is not supported.\n",
                           "failure: unacceptedPolicy\n", "token: none\n", "re-encoded: identical"})
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;

  // The granted reply holds the token (needs ContentInfo in the build).
  if (content_info_built()) {
    out = summary_of(KORVU_TYPE_TIMESTAMPRESP, dir + "/r.tsr", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("token: TSTInfo\n"), std::string::npos) << out;
    for (const std::string &line : tst_lines) EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
    const Bytes r_der = read_file(dir + "/r.tsr");
    Val r(KORVU_TYPE_TIMESTAMPRESP, decode(KORVU_TYPE_TIMESTAMPRESP, r_der, ctx));
    ASSERT_NE(r.v, nullptr);
    EXPECT_EQ(encode(KORVU_TYPE_TIMESTAMPRESP, r.v), r_der);
    EXPECT_EQ(encode(KORVU_TYPE_CONTENTINFO, korvu_tsp_timestampresp_gettoken(r.as<KORVU_TSP_TIMESTAMPRESP>())),
              read_file(dir + "/tok.der"));
  }
  std::system(("rm -rf " + dir).c_str());
}
