// OCSP and time-stamping: the corpus's requests, responses and TSTInfo values (alone and inside tokens) read by
// the library and by pyasn1-modules (tests/asn1_peer.py), the signed octets they keep, hex vectors of the tagging
// and DEFAULT rules and of bad input, and openssl-made requests, responses, queries, replies and token contents
// (read, re-encoded and verified again by openssl; built or rebuilt with the constructors).
#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

#include "vectors.h"

using namespace korvu_test;
using namespace korvu_test::ocsp;

namespace {

// The TBSRequest octets an OCSPRequest keeps.
Bytes kept_tbs(const KORVU_OCSP_OCSPREQUEST *r) {
  return r && r->hasTbsEncoded ? Bytes(r->tbsEncoded, r->tbsEncoded + r->tbsEncodedLength) : Bytes{};
}

// Compares a value decoded as `type` with pyasn1's reading under `prefix`, with the signed octets as received.
size_t compare(uint32_t type, void *v, const Bytes &der, const PeerDump &p, const std::string &label,
               const std::string &prefix = "") {
  if (type != KORVU_TYPE_OCSPRESPONSE) {
    const Bytes kept = type == KORVU_TYPE_OCSPREQUEST ? kept_tbs(static_cast<KORVU_OCSP_OCSPREQUEST *>(v))
                                                      : tbs_octets(static_cast<KORVU_OCSP_BASICRESPONSE *>(v));
    EXPECT_EQ(lower_hex(kept), lower_hex(first_child(der))) << label;
  }
  return compare_dumps(lib_dump(type, v), p, label, prefix);
}

// Decodes pyasn1's input as `type` (and, for a response, the BasicOCSPResponse inside it) from memory and from a
// file stream: written back byte for byte, the signed octets exactly those inside, and every getter as pyasn1-modules
// reads the same octets; then the CrlID and ServiceLocator extension values inside. Counts what it met in `seen`.
void check_ocsp(const std::string &label, uint32_t type, const PeerDump &p, std::map<uint32_t, int> &seen) {
  ASSERT_EQ(p.error, "") << label;
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_ocsp_value_" + std::to_string(getpid()) + ".der";
  const Bytes basic = contents(hex(p.get("/responseBytes/response")));
  const bool with_basic = p.at.count("/responseBytes/response~") != 0;
  for (const auto &[t, der, prefix] : {std::tuple{type, p.in, std::string()},
                                       std::tuple{uint32_t{KORVU_TYPE_BASICOCSPRESPONSE}, basic,
                                                  std::string("/responseBytes/response~")}}) {
    if (t == KORVU_TYPE_BASICOCSPRESPONSE && !with_basic) continue;
    seen[t]++;
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(t, decode(t, der, ctx, &used));
    ASSERT_NE(v.v, nullptr) << label << " codes " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(used, der.size()) << label;
    EXPECT_EQ(encode(t, v.v), der) << label << ": written back";
    compare(t, v.v, der, p, label, prefix);
    write_file(tmp, der);
    uint32_t file_used = 0;
    Val f(t, decode_file(t, tmp, ctx, &file_used));
    ASSERT_NE(f.v, nullptr) << label << " from a file";
    EXPECT_EQ(file_used, der.size());
    compare(t, f.v, der, p, label + " (file stream)", prefix);
  }
  for (const auto &[path, want] : p.at) {
    if (path.size() < 11 || path.compare(path.size() - 11, 11, "/extnValue~") != 0) continue;
    const std::string id = p.get(path + "oid");
    const uint32_t t = id == "1.3.6.1.5.5.7.48.1.3"   ? KORVU_TYPE_CRLID
                       : id == "1.3.6.1.5.5.7.48.1.7" ? KORVU_TYPE_SERVICELOCATOR
                                                      : 0;
    if (t == 0) continue;
    seen[t]++;
    const Bytes value = contents(hex(p.get(path.substr(0, path.size() - 1))));
    ErrCtx ctx;
    Val v(t, decode(t, value, ctx));
    ASSERT_NE(v.v, nullptr) << label << path << " " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(encode(t, v.v), value) << label << path;
    EXPECT_GE(compare_dumps(ext_value_dump(t, v.v), p, label, path), 1u) << label << path;
  }
}

// True when the outer SEQUENCE of `der` holds a BOOLEAN FALSE element (the one DER leaves out).
bool has_explicit_false(const Bytes &der) {
  const std::vector<Bytes> e = der_elements(der);
  return std::find(e.begin(), e.end(), hex("01 01 00")) != e.end();
}

// Decodes pyasn1's input as `type` from memory and from a file stream: every getter as pyasn1-modules reads it
// (a response's token as received), written back byte for byte (a TimeStampReq or TSTInfo with an explicit FALSE
// without it, and nothing else changed).
void check_tsp(const std::string &label, uint32_t type, const PeerDump &p) {
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
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_tsp_value_" + std::to_string(getpid()) + ".der";
  write_file(tmp, p.in);
  uint32_t file_used = 0;
  Val f(type, decode_file(type, tmp, ctx, &file_used));
  ASSERT_NE(f.v, nullptr) << label << " from a file";
  EXPECT_EQ(lib_dump(type, f.v).at, ours.at) << label << " (file stream)";
}

}  // namespace

// Every valid OCSPResponse (DER and Base64), its BasicOCSPResponse, and every OCSPRequest of the corpus through
// check_ocsp, CrlID (in a SingleResponse) and ServiceLocator (in a Request) once each; every valid TimeStampReq,
// TimeStampResp and TSTInfo, and the 45 TSTInfo values inside the tokens of the tsp, ers, authenticode and cms
// families through check_tsp.
TEST(OcspCorpus, DecodesReencodesAndAgreesWithPyasn1) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string python = pyasn1_python("pyasn1_modules.rfc6960, pyasn1_modules.rfc3161");
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  std::map<uint32_t, int> seen;
  int inside = 0;
  std::map<std::string, uint32_t> types;
  for (const auto &[label, p] : corpus_peer(python, types)) {
    const uint32_t type = types[label];
    if (type == KORVU_TYPE_OCSPRESPONSE || type == KORVU_TYPE_OCSPREQUEST) {
      check_ocsp(label, type, p, seen);
      continue;
    }
    check_tsp(label, type, p);
    seen[type]++;
    inside += label.find("#tst") != std::string::npos;
  }
  // The manifest's counts: every file reached the comparison.
  int responses = 0, requests = 0;
  for (const ManifestRow &r : corpus_manifest()) {
    if (r.expect != "valid") continue;
    responses += r.type == "OCSPResponse";
    requests += r.type == "OCSPRequest";
  }
  EXPECT_GT(seen[KORVU_TYPE_BASICOCSPRESPONSE], responses / 2);
  seen.erase(KORVU_TYPE_BASICOCSPRESPONSE);
  EXPECT_EQ(seen, (std::map<uint32_t, int>{{KORVU_TYPE_OCSPRESPONSE, responses}, {KORVU_TYPE_OCSPREQUEST, requests},
                                           {KORVU_TYPE_CRLID, 1}, {KORVU_TYPE_SERVICELOCATOR, 1},
                                           {KORVU_TYPE_TIMESTAMPREQ, 9}, {KORVU_TYPE_TIMESTAMPRESP, 9},
                                           {KORVU_TYPE_TSTINFO, 48}}));
  EXPECT_EQ(inside, 45);
}

// The malformed responses keep their outcome, each for its reason.
TEST(OcspCorpus, MalformedResponsesKeepTheirOutcome) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  struct Case {
    const char *file;
    uint32_t code;        // 0: decodes as OCSPResponse
    uint32_t inner_code;  // with responseBytes: 0 when they decode as BasicOCSPResponse, else the code
    const char *why;
  };
  const Case cases[] = {
      {"bc-java__OCSPTest_invalidResp.der", 0x10203, 0, "the status ENUMERATED has no contents"},
      {"boringssl__ocsp_unittest__invalid_response.der", 0x1020A, 0, "the text \"invalid\", not a SEQUENCE"},
      {"boringssl__ocsp_unittest__bad_status.der", 0, 0, "status values are not checked"},
      {"pyca-vectors__ocsp_resp-unknown-response-status.der", 0, 0, "status 7 is not checked"},
      {"pyca-vectors__ocsp_resp-successful-no-response-bytes.der", 0, 0, "status and bytes are not tied"},
      {"boringssl__ocsp_unittest__bad_ocsp_type.der", 0, 0, "the response type is the caller's to check"},
      {"boringssl__ocsp_unittest__invalid_response_data.der", 0, 0x1020A, "the ResponseData is not one"},
  };
  for (const Case &c : cases) {
    Bytes der = read_file(corpus_dir() + "/ocsp/" + c.file);
    ASSERT_FALSE(der.empty()) << c.file;
    ErrCtx ctx;
    Val v(KORVU_TYPE_OCSPRESPONSE, decode(KORVU_TYPE_OCSPRESPONSE, der, ctx));
    if (c.code != 0) {
      EXPECT_EQ(v.v, nullptr) << c.file;
      EXPECT_TRUE(ctx.has(c.code)) << c.file << ": " << c.why;
      EXPECT_TRUE(ctx.has(0x10395)) << c.file << ": the OCSPResponse decode code";
      continue;
    }
    ASSERT_NE(v.v, nullptr) << c.file << ": " << c.why;
    EXPECT_EQ(encode(KORVU_TYPE_OCSPRESPONSE, v.v), der) << c.file;
    const KORVU_OCSP_RESPONSEBYTES *rb = korvu_ocsp_ocspresponse_getresponse(v.as<KORVU_OCSP_OCSPRESPONSE>());
    if (rb == nullptr) continue;  // the status-only responses
    Bytes inner = contents(encode(KORVU_TYPE_OCTET_STRING, korvu_ocsp_responsebytes_getresponse(rb)));
    ErrCtx ictx;
    Val basic(KORVU_TYPE_BASICOCSPRESPONSE, decode(KORVU_TYPE_BASICOCSPRESPONSE, inner, ictx));
    if (c.inner_code == 0) {
      EXPECT_NE(basic.v, nullptr) << c.file;
    } else {
      EXPECT_EQ(basic.v, nullptr) << c.file;
      EXPECT_TRUE(ictx.has(c.inner_code)) << c.file << ": " << c.why;
    }
  }
}

// A response, a signed request, a time-stamp request and a TSTInfo cut short at every length, and every header
// mutated in turn: a length raised by one overruns its parent and fails; a tag replaced by another fails or gives a
// value that writes again; a failure hands nothing out and says why.
TEST(OcspCorpus, MutatedHeadersFailCleanly) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  struct File {
    uint32_t type;
    const char *path;
  };
  const File files[] = {
      {KORVU_TYPE_OCSPRESPONSE, "ocsp/pyca-vectors__ocsp_resp-single-extension-reason.der"},
      {KORVU_TYPE_BASICOCSPRESPONSE, "ocsp/pyca-vectors__ocsp_resp-single-extension-reason.der"},
      {KORVU_TYPE_OCSPREQUEST, "ocsp/rustcrypto__x509-ocsp_ocsp-multiple-exts-clean-req.der"},
      {KORVU_TYPE_TIMESTAMPREQ, "tsp/bc-java__ParseTest_sha1Request.der"},
      {KORVU_TYPE_TSTINFO, "tsp/bc-java__TimeStampTokenInfoUnitTest_tstInfo3.der"},
  };
  for (const File &f : files) {
    Bytes der = read_file(corpus_dir() + "/" + f.path);
    ASSERT_FALSE(der.empty()) << f.path;
    if (f.type == KORVU_TYPE_BASICOCSPRESPONSE) {  // the response's inner octets
      ErrCtx ctx;
      Val r(KORVU_TYPE_OCSPRESPONSE, decode(KORVU_TYPE_OCSPRESPONSE, der, ctx));
      ASSERT_NE(r.v, nullptr);
      der = contents(encode(KORVU_TYPE_OCTET_STRING, korvu_ocsp_responsebytes_getresponse(
                                                         korvu_ocsp_ocspresponse_getresponse(r.as<KORVU_OCSP_OCSPRESPONSE>()))));
    }
    for (size_t n = 0; n < der.size(); n++) {
      ErrCtx ctx;
      Val v(f.type, decode(f.type, Bytes(der.begin(), der.begin() + static_cast<long>(n)), ctx));
      EXPECT_TRUE(v.v == nullptr && ctx.count() > 0) << f.path << ": cut at " << n;
    }
    std::vector<size_t> heads;
    for (const DerNode &n : der_all(der)) heads.push_back(n.at);
    EXPECT_GE(heads.size(), 6u) << f.path;
    for (size_t at : heads) {
      Bytes longer = der;
      if (!(longer[at + 1] & 0x80) && longer[at + 1] < 0x7F) {
        longer[at + 1]++;
        ErrCtx ctx;
        Val v(f.type, decode(f.type, longer, ctx));
        EXPECT_EQ(v.v, nullptr) << f.path << ": length at " << at;
        EXPECT_GT(ctx.count(), 0u);
      }
      Bytes retagged = der;
      retagged[at] = static_cast<unsigned char>((der[at] & 0x20) | (der[at] == 0x84 || der[at] == 0xA4 ? 0x85 : 0x84));
      ErrCtx ctx;
      uint32_t used = 0;
      Val v(f.type, decode(f.type, retagged, ctx, &used));
      if (v.v == nullptr)
        EXPECT_GT(ctx.count(), 0u) << f.path << ": tag at " << at;
      else
        EXPECT_FALSE(encode(f.type, v.v).empty()) << f.path << ": tag at " << at;
    }
  }
}

// Encodings of the tagging rules, each decoded back to the same octets.
TEST(OcspVectors, TaggingRulesEncodeAndDecode) {
  Val good(KORVU_TYPE_CERTSTATUS, korvu_ocsp_certstatus_newgood());
  Val unknown(KORVU_TYPE_CERTSTATUS, korvu_ocsp_certstatus_newunknown());
  Val time(KORVU_TYPE_GENERALIZEDTIME, korvu_asn1_gentime_new(2024, 1, 1, 0, 0, 0, 0));
  Val reason(KORVU_TYPE_ENUMERATED, korvu_asn1_enum_value(1));
  Val info(KORVU_TYPE_REVOKEDINFO, korvu_ocsp_revokedinfo_new(time.as<KORVU_ASN1_TIME>(),
                                                             reason.as<KORVU_ASN1_INTEGER>()));
  Val revoked(KORVU_TYPE_CERTSTATUS, korvu_ocsp_certstatus_newrevoked(info.as<KORVU_OCSP_REVOKEDINFO>()));
  ASSERT_TRUE(good.v && unknown.v && revoked.v);
  EXPECT_EQ(korvu_ocsp_certstatus_getrevoked(good.as<KORVU_OCSP_CERTSTATUS>()), nullptr);
  EXPECT_EQ(korvu_ocsp_certstatus_gettype(nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_ocsp_responderid_gettype(nullptr), 0xFFFFFFFFu);

  Val v1(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(1));
  Val zero(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(0));
  Val url(KORVU_TYPE_IA5STRING, korvu_asn1_string_new("http://x/c.crl", 14));
  Val crl_all(KORVU_TYPE_CRLID, korvu_ocsp_crlid_new(url.as<KORVU_ASN1_STRING>(), v1.as<KORVU_ASN1_INTEGER>(),
                                                     time.as<KORVU_ASN1_TIME>()));
  Val crl_none(KORVU_TYPE_CRLID, korvu_ocsp_crlid_new(nullptr, nullptr, nullptr));
  Val status6(KORVU_TYPE_ENUMERATED, korvu_asn1_enum_value(6));
  Val unauthorized(KORVU_TYPE_OCSPRESPONSE, korvu_ocsp_ocspresponse_new(status6.as<KORVU_ASN1_INTEGER>(), nullptr));
  // A TBSRequest with an empty request list, version 0 (left out) and version 1 (written).
  Val list(KORVU_TYPE_REQUESTLIST, korvu_asn1_list_new());
  Val tbs0(KORVU_TYPE_TBSREQUEST, korvu_ocsp_tbsrequest_new(nullptr, nullptr, list.as<KORVU_ASN1_LIST>(), nullptr));
  Val tbs0x(KORVU_TYPE_TBSREQUEST, korvu_ocsp_tbsrequest_new(zero.as<KORVU_ASN1_INTEGER>(), nullptr,
                                                             list.as<KORVU_ASN1_LIST>(), nullptr));
  Val tbs1(KORVU_TYPE_TBSREQUEST, korvu_ocsp_tbsrequest_new(v1.as<KORVU_ASN1_INTEGER>(), nullptr,
                                                            list.as<KORVU_ASN1_LIST>(), nullptr));
  ASSERT_NE(tbs0.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_INTEGER, korvu_ocsp_tbsrequest_getversion(tbs0.as<KORVU_OCSP_TBSREQUEST>()))), "02 01 00");

  struct Case {
    const char *name;
    uint32_t type;
    const void *value;
    const char *der;
  };
  const Case cases[] = {
      {"good", KORVU_TYPE_CERTSTATUS, good.v, "80 00"},
      {"unknown", KORVU_TYPE_CERTSTATUS, unknown.v, "82 00"},
      {"revoked", KORVU_TYPE_CERTSTATUS, revoked.v, "A1 16 18 0F 32303234303130313030303030305A A0 03 0A 01 01"},
      {"CrlID with all three", KORVU_TYPE_CRLID, crl_all.v,
       "30 2A A0 10 16 0E 687474703A2F2F782F632E63726C A1 03 02 01 01 A2 11 18 0F 32303234303130313030303030305A"},
      {"CrlID with none", KORVU_TYPE_CRLID, crl_none.v, "30 00"},
      {"status 6 alone", KORVU_TYPE_OCSPRESPONSE, unauthorized.v, "30 03 0A 01 06"},
      {"version 0 left out", KORVU_TYPE_TBSREQUEST, tbs0.v, "30 02 30 00"},
      {"explicit version 0 left out", KORVU_TYPE_TBSREQUEST, tbs0x.v, "30 02 30 00"},
      {"version 1 written", KORVU_TYPE_TBSREQUEST, tbs1.v, "30 07 A0 03 02 01 01 30 00"},
  };
  for (const Case &c : cases) {
    ASSERT_NE(c.value, nullptr) << c.name;
    const Bytes want = hex(c.der);
    EXPECT_EQ(to_hex(encode(c.type, c.value)), to_hex(want)) << c.name;
    ErrCtx ctx;
    Val back(c.type, decode(c.type, want, ctx));
    ASSERT_NE(back.v, nullptr) << c.name;
    EXPECT_EQ(encode(c.type, back.v), want) << c.name << ": decoded and written again";
  }
}

// Hex vectors of OCSP and time-stamping (tests/data/ocsp_vectors.txt): the tagging and DEFAULT rules, each valid one
// cut short at every length; bad input with the code of each fault, nothing handed out.
TEST(OcspVectors, DecodeWriteAndRefuse) { run_hex_vectors("ocsp_vectors.txt", 7, 21); }

// The signed octets of a BasicOCSPResponse under the signed count: a null buffer asks for the size, a count one
// short or negative gets the size and no copy, a null count or response gets 0; the octets are the received
// ones where they are not DER (an explicit version 0), and a built response keeps those of its first writing.
TEST(OcspVectors, SignedOctetsOfABasicResponse) {
  const std::string gt = "18 0F 32303234303130313030303030305A";
  // ResponseData { [0] { INTEGER 0 }, byKey, producedAt, responses {} }: not DER.
  const std::string rd = "30 1C A0 03 02 01 00 A2 02 04 00 " + gt + " 30 00";
  const Bytes basic = hex("30 2A " + rd + " 30 07 06 05 2B 0E 03 02 1D 03 01 00");
  ErrCtx ctx;
  Val v(KORVU_TYPE_BASICOCSPRESPONSE, decode(KORVU_TYPE_BASICOCSPRESPONSE, basic, ctx));
  ASSERT_NE(v.v, nullptr) << ::testing::PrintToString(ctx.codes());
  auto *br = v.as<KORVU_OCSP_BASICRESPONSE>();
  EXPECT_EQ(encode(KORVU_TYPE_BASICOCSPRESPONSE, br), basic);
  EXPECT_EQ(tbs_octets(br), hex(rd));
  // Decoded alone, the ResponseData drops its explicit version 0.
  Val alone(KORVU_TYPE_RESPONSEDATA, decode(KORVU_TYPE_RESPONSEDATA, hex(rd), ctx));
  ASSERT_NE(alone.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_RESPONSEDATA, alone.v)), to_hex(hex("30 17 A2 02 04 00 " + gt + " 30 00")));

  const int32_t size = static_cast<int32_t>(hex(rd).size());
  Bytes buf(static_cast<size_t>(size) + 4, 0xEE);
  int32_t count = size - 1;
  EXPECT_EQ(korvu_ocsp_basicocspresponse_gettbsocts(br, buf.data(), &count), 0);
  EXPECT_EQ(count, size);
  EXPECT_EQ(buf[0], 0xEE) << "nothing copied into a short buffer";
  count = -5;
  EXPECT_EQ(korvu_ocsp_basicocspresponse_gettbsocts(br, buf.data(), &count), 0);
  EXPECT_EQ(count, size);
  count = size + 4;
  EXPECT_EQ(korvu_ocsp_basicocspresponse_gettbsocts(br, buf.data(), &count), 1);
  EXPECT_EQ(count, size);
  EXPECT_EQ(Bytes(buf.begin(), buf.begin() + size), hex(rd));
  EXPECT_EQ(buf[static_cast<size_t>(size)], 0xEE) << "nothing past the octets";
  EXPECT_EQ(korvu_ocsp_basicocspresponse_gettbsocts(br, buf.data(), nullptr), 0);
  count = 100;
  EXPECT_EQ(korvu_ocsp_basicocspresponse_gettbsocts(nullptr, buf.data(), &count), 0);

  // An OCSPRequest whose TBSRequest has a non-minimal length is written back as received, from memory and from
  // a file stream alike; built from its parts it is DER.
  const Bytes req = hex("30 05 30 81 02 30 00");
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_ocsp_req_" + std::to_string(getpid()) + ".der";
  write_file(tmp, req);
  uint32_t used = 0;
  Val from_file(KORVU_TYPE_OCSPREQUEST, decode_file(KORVU_TYPE_OCSPREQUEST, tmp, ctx, &used));
  for (void *r : {decode(KORVU_TYPE_OCSPREQUEST, req, ctx), from_file.v}) {
    Val rv(KORVU_TYPE_OCSPREQUEST, r == from_file.v ? nullptr : r);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_OCSPREQUEST, r)), to_hex(req));
    auto *q = static_cast<KORVU_OCSP_OCSPREQUEST *>(r);
    EXPECT_EQ(to_hex(Bytes(q->tbsEncoded, q->tbsEncoded + q->tbsEncodedLength)), "30 81 02 30 00");
    Val rebuilt(KORVU_TYPE_OCSPREQUEST, korvu_ocsp_ocsprequest_new(korvu_ocsp_ocsprequest_gettbs(q), nullptr));
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_OCSPREQUEST, rebuilt.v)), "30 04 30 02 30 00");
  }

  // Built by the constructors: the octets of the first writing stay, whatever changes afterwards.
  Val built(KORVU_TYPE_BASICOCSPRESPONSE,
            korvu_ocsp_basicocspresponse_new(korvu_ocsp_basicocspresponse_gettbs(br),
                                             korvu_ocsp_basicocspresponse_getsignalgo(br),
                                             korvu_ocsp_basicocspresponse_getsignature(br), nullptr));
  ASSERT_NE(built.v, nullptr);
  auto *b2 = built.as<KORVU_OCSP_BASICRESPONSE>();
  EXPECT_EQ(b2->hasTbsEncoded, 0u) << "no encoding kept before the first writing";
  const Bytes first = tbs_octets(b2);
  EXPECT_EQ(to_hex(first), to_hex(hex("30 17 A2 02 04 00 " + gt + " 30 00")));
  KORVU_OCSP_RESPONSEDATA *inner = korvu_ocsp_basicocspresponse_gettbs(b2);
  korvu_asn1_value_free(KORVU_TYPE_GENERALIZEDTIME, inner->producedAt);
  inner->producedAt = korvu_asn1_gentime_new(2030, 1, 1, 0, 0, 0, 0);
  EXPECT_EQ(tbs_octets(b2), first);
  const Bytes written = encode(KORVU_TYPE_BASICOCSPRESPONSE, b2);
  ASSERT_GT(written.size(), first.size() + 2);
  EXPECT_EQ(Bytes(written.begin() + 2, written.begin() + 2 + static_cast<long>(first.size())), first);
}

// The extension values that no file carries, written by pyasn1-modules' rfc6960 classes: decoded, written back
// byte for byte and read as pyasn1 reads them.
TEST(OcspVectors, ExtensionValuesFromPyasn1) {
  const std::string python = pyasn1_python("pyasn1_modules.rfc6960");
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  const struct {
    uint32_t type;
    const char *der;
  } values[] = {
      {KORVU_TYPE_CRLID,  // url, number 4660, time 20240102030405Z
       "3036a01b1619687474703a2f2f63726c2e6578616d706c652f63612e63726ca10402021234a211180f32303234303130323033303430"
       "355a"},
      {KORVU_TYPE_CRLID, "3005a103020107"},
      {KORVU_TYPE_SERVICELOCATOR,
       "303b30153113301106035504030c0a4578616d706c652043413022302006082b060105050730018614687474703a2f2f6f6373702e65"
       "78616d706c652f"},
      {KORVU_TYPE_PREFERREDSIGNATUREALGORITHMS,
       "302c301c300b06092a864886f70d01010b300d06092a864886f70d0101010500300c300a06082a8648ce3d040302"},
      {KORVU_TYPE_PREFERREDSIGNATUREALGORITHM, "301c300b06092a864886f70d01010b300d06092a864886f70d0101010500"},
  };
  std::vector<PeerJob> jobs;
  for (const auto &v : values) jobs.push_back({v.der, peer_types().at(v.type), std::string("hex:") + v.der, ""});
  auto peer = run_asn1_peer(python, jobs);
  for (const auto &[type, h] : values) {
    const Bytes der = hex(h);
    const PeerDump &p = peer[h];
    ASSERT_EQ(p.error, "") << h;
    ErrCtx ctx;
    Val v(type, decode(type, der, ctx));
    ASSERT_NE(v.v, nullptr) << h << " " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(encode(type, v.v), der) << h;
    if (type == KORVU_TYPE_PREFERREDSIGNATUREALGORITHM) {
      auto *a = v.as<KORVU_OCSP_PREFSIGALGO>();
      Val copy(type, korvu_ocsp_preferredsignalgo_new(korvu_ocsp_preferredsignalgo_getsignalgo(a),
                                                      korvu_ocsp_preferredsignalgo_getpubkeyalgo(a)));
      EXPECT_EQ(encode(type, copy.v), der) << "rebuilt from its getters";
    }
    EXPECT_GE(compare_dumps(ext_value_dump(type, v.v), p, h), 1u) << h;
  }
}

// openssl's requests and responses (signed and not; byKey with an extra certificate; without nextUpdate) through
// check_ocsp, written back and verified again by openssl; a request and a response built with the constructors
// are read by openssl; the summaries carry what the index gave (good, revoked with its reason and time, unknown).
TEST(OcspOpenssl, RequestsAndResponsesRoundTrip) {
  const std::string dir = make_openssl_data();
  if (dir.empty()) GTEST_SKIP() << "openssl missing";
  const std::string python = pyasn1_python("pyasn1_modules.rfc6960");
  if (!python.empty()) {
    std::vector<PeerJob> jobs;
    for (const char *f : {"req.der", "sreq.der"}) jobs.push_back({f, "rfc6960.OCSPRequest", dir + "/" + f, ""});
    for (const char *f : {"resp.der", "respkey.der", "respnonext.der"})
      jobs.push_back({f, "rfc6960.OCSPResponse", dir + "/" + f, ""});
    std::map<uint32_t, int> seen;
    for (const auto &[label, p] : run_asn1_peer(python, jobs, kOpenBasic))
      check_ocsp(label, label.find("req") != std::string::npos ? KORVU_TYPE_OCSPREQUEST : KORVU_TYPE_OCSPRESPONSE,
                      p, seen);
    EXPECT_EQ(seen, (std::map<uint32_t, int>{{KORVU_TYPE_OCSPREQUEST, 2}, {KORVU_TYPE_OCSPRESPONSE, 3},
                                             {KORVU_TYPE_BASICOCSPRESPONSE, 3}}));
  }
  // Written again, openssl still verifies the signature.
  for (const char *file : {"resp.der", "respkey.der", "respnonext.der"}) {
    const Bytes der = read_file(dir + "/" + file);
    ErrCtx ctx;
    Val resp(KORVU_TYPE_OCSPRESPONSE, decode(KORVU_TYPE_OCSPRESPONSE, der, ctx));
    ASSERT_NE(resp.v, nullptr) << file;
    write_file(dir + "/out.der", encode(KORVU_TYPE_OCSPRESPONSE, resp.v));
    EXPECT_NE(shell("openssl ocsp -respin " + dir + "/out.der -CAfile " + dir + "/ca.pem -issuer " + dir +
                    "/ca.pem").find("Response verify OK"),
              std::string::npos)
        << file;
  }

  // A request and a response built with the constructors from the parts of openssl's request.
  ErrCtx ctx;
  Val req(KORVU_TYPE_OCSPREQUEST, decode(KORVU_TYPE_OCSPREQUEST, read_file(dir + "/req.der"), ctx));
  ASSERT_NE(req.v, nullptr);
  auto *tbs = korvu_ocsp_ocsprequest_gettbs(req.as<KORVU_OCSP_OCSPREQUEST>());
  auto *id = korvu_ocsp_request_getcertid(static_cast<KORVU_OCSP_REQUEST *>(item(korvu_ocsp_tbsrequest_getreqlist(tbs), 0)));
  Val one(KORVU_TYPE_REQUEST, korvu_ocsp_request_new(id, nullptr));
  Val rlist(KORVU_TYPE_REQUESTLIST, korvu_asn1_list_new());
  ASSERT_EQ(korvu_asn1_list_put(rlist.as<KORVU_ASN1_LIST>(), korvu_asn1_dupobject(KORVU_TYPE_REQUEST, one.v, nullptr)),
            1);
  Val btbs(KORVU_TYPE_TBSREQUEST, korvu_ocsp_tbsrequest_new(nullptr, nullptr, rlist.as<KORVU_ASN1_LIST>(),
                                                            korvu_ocsp_tbsrequest_getexts(tbs)));
  Val breq(KORVU_TYPE_OCSPREQUEST, korvu_ocsp_ocsprequest_new(btbs.as<KORVU_OCSP_TBSREQUEST>(), nullptr));
  ASSERT_NE(breq.v, nullptr);
  write_file(dir + "/built_req.der", encode(KORVU_TYPE_OCSPREQUEST, breq.v));
  const std::string req_text = shell("openssl ocsp -reqin " + dir + "/built_req.der -req_text");
  EXPECT_NE(req_text.find("Serial Number: 02"), std::string::npos) << req_text;
  EXPECT_NE(req_text.find("OCSP Nonce"), std::string::npos) << req_text;

  Val gt(KORVU_TYPE_GENERALIZEDTIME, korvu_asn1_gentime_new(2026, 1, 2, 3, 4, 5, 0));
  Val good(KORVU_TYPE_CERTSTATUS, korvu_ocsp_certstatus_newgood());
  Val single(KORVU_TYPE_SINGLERESPONSE,
             korvu_ocsp_singleresponse_new(id, good.as<KORVU_OCSP_CERTSTATUS>(), gt.as<KORVU_ASN1_TIME>(), nullptr,
                                           nullptr));
  Val rs(KORVU_TYPE_RESPONSES, korvu_asn1_list_new());
  ASSERT_EQ(korvu_asn1_list_put(rs.as<KORVU_ASN1_LIST>(), korvu_asn1_dupobject(KORVU_TYPE_SINGLERESPONSE, single.v,
                                                                                nullptr)),
            1);
  Val keyhash(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new("0123456789abcdefghij", 20));
  Val rid(KORVU_TYPE_RESPONDERID, korvu_ocsp_responderid_newkeyhash(keyhash.as<KORVU_ASN1_OCTETSTRING>()));
  Val rdata(KORVU_TYPE_RESPONSEDATA,
            korvu_ocsp_responsedata_new(nullptr, rid.as<KORVU_OCSP_RESPONDERID>(), gt.as<KORVU_ASN1_TIME>(),
                                        rs.as<KORVU_ASN1_LIST>(), nullptr));
  Val algo(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_asn1_dupobject(KORVU_TYPE_ALGORITHMIDENTIFIER,
                                                                korvu_ocsp_certid_gethashalgo(id), nullptr));
  Val sigbits(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_new(0, "sig", 3));
  Val bresp(KORVU_TYPE_BASICOCSPRESPONSE,
            korvu_ocsp_basicocspresponse_new(rdata.as<KORVU_OCSP_RESPONSEDATA>(), algo.as<KORVU_X509_ALGID>(),
                                             sigbits.as<KORVU_ASN1_BITSTRING>(), nullptr));
  ASSERT_NE(bresp.v, nullptr);
  const Bytes basic_der = encode(KORVU_TYPE_BASICOCSPRESPONSE, bresp.v);
  Val basic_os(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(basic_der.data(),
                                                                   static_cast<int32_t>(basic_der.size())));
  Val type(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.3.6.1.5.5.7.48.1.1"));
  Val bytes(KORVU_TYPE_RESPONSEBYTES, korvu_ocsp_responsebytes_new(type.as<KORVU_ASN1_OID>(),
                                                                    basic_os.as<KORVU_ASN1_OCTETSTRING>()));
  Val zero(KORVU_TYPE_ENUMERATED, korvu_asn1_enum_value(0));
  Val full(KORVU_TYPE_OCSPRESPONSE, korvu_ocsp_ocspresponse_new(zero.as<KORVU_ASN1_INTEGER>(),
                                                                bytes.as<KORVU_OCSP_RESPONSEBYTES>()));
  ASSERT_NE(full.v, nullptr);
  write_file(dir + "/built_resp.der", encode(KORVU_TYPE_OCSPRESPONSE, full.v));
  const std::string resp_text = shell("openssl ocsp -respin " + dir + "/built_resp.der -resp_text -noverify");
  EXPECT_NE(resp_text.find("Cert Status: good"), std::string::npos) << resp_text;
  EXPECT_NE(resp_text.find("Responder Id: 30313233"), std::string::npos) << resp_text;

  // The summaries of `korvu-asn1 decode --summary`.
  struct Summary {
    uint32_t type;
    const char *file;
    std::vector<std::string> lines;
  };
  const Summary summaries[] = {
      {KORVU_TYPE_OCSPRESPONSE, "resp.der",
       {"status: successful (0)\n", "responseType: 1.3.6.1.5.5.7.48.1.1\n", "responder: byName CN=resp\n",
        "producedAt: 20", "response: serial 02, good, thisUpdate 20",
        "response: serial 03, revoked 2024-01-01T00:00:00Z, reason keyCompromise (1), thisUpdate ",
        "response: serial 04, unknown, thisUpdate ", "re-encoded: identical"}},
      {KORVU_TYPE_OCSPRESPONSE, "respkey.der", {"responder: byKey ", "re-encoded: identical"}},
      {KORVU_TYPE_OCSPRESPONSE, "respnonext.der", {"response: serial 04, unknown, thisUpdate ", ", nextUpdate none\n"}},
      {KORVU_TYPE_OCSPRESPONSE, "built_resp.der",
       {"responder: byKey 303132333435363738396162636465666768696A\n",
        "response: serial 02, good, thisUpdate 2026-01-02T03:04:05Z, nextUpdate none\n"}},
      {KORVU_TYPE_OCSPREQUEST, "req.der",
       {"request: sha256, serial 02\n", "request: sha256, serial 04\n", "requestor: none\n", "nonce: 0410",
        "signed: no\n"}},
      {KORVU_TYPE_OCSPREQUEST, "sreq.der",
       {"requestor: DirName:CN=a\n", "signed: yes, sha256WithRSAEncryption\n", "re-encoded: identical"}},
  };
  for (const Summary &s : summaries) {
    int status = -1;
    const std::string out = summary_of(s.type, dir + "/" + s.file, &status);
    EXPECT_EQ(status, 0) << s.file << "\n" << out;
    for (const std::string &line : s.lines) EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  }
  std::system(("rm -rf " + dir).c_str());
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
// token, rejected) and the token's TSTInfo through check_tsp; a request and a TSTInfo rebuilt from their
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
    for (const auto &[f, type] : files) check_tsp(f, type, peer[f]);
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
