// Evidence records: the corpus's records decoded, written back and read against a walk of their TLVs, each
// token's TSTInfo as pyasn1-modules' rfc3161 reads it; corpus records given [0] cryptoInfos, [1] encryptionInfo
// and an archive time-stamp's [1] attributes by a small DER writer; hex vectors (tests/data/ers_vectors.txt).
#include <regex>

#include "vectors.h"

using namespace korvu_test;
using namespace korvu_test::ocsp;

namespace {

std::vector<ManifestRow> record_rows() {
  std::vector<ManifestRow> rows;
  for (const ManifestRow &row : corpus_manifest())
    if (row.family == "ers") rows.push_back(row);
  return rows;
}

// The TSTInfo a time-stamp token carries, decoded; null when it carries none.
void *token_tstinfo(const KORVU_PKCS7_CONTENTINFO *token) {
  void *sd = nullptr, *tst = nullptr;
  if (korvu_asn1_any_toobject(korvu_pkcs7contentinfo_getcontent(token), KORVU_TYPE_SIGNEDDATA_CMS_FORM, &sd, nullptr) != 1) return nullptr;
  const KORVU_ASN1_ANY *e = korvu_pkcs7contentinfo_getcontent(korvu_pkcs7signeddata_getcontentinfo(static_cast<KORVU_PKCS7_SIGNEDDATA *>(sd)));
  const Bytes octets = e ? contents(encode(KORVU_TYPE_ANY, e)) : Bytes{};
  ErrCtx ctx;
  tst = octets.empty() ? nullptr : decode(KORVU_TYPE_TSTINFO, octets, ctx);
  korvu_asn1_value_free(KORVU_TYPE_SIGNEDDATA_CMS_FORM, sd);
  return tst;
}

const Bytes kAttribute = hex("30 0A 06 03 2A0304 31 03 020107");  // 1.2.3.4 = { 7 }

Bytes joined(const std::vector<Bytes> &parts) {
  Bytes out;
  for (const Bytes &p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace

// Each record decodes from memory and from a file, is written back byte for byte, and its chains, archive
// time-stamps, algorithms, hash trees and tokens are the elements a TLV walk finds; each token's TSTInfo reads as
// pyasn1-modules reads it, and `korvu-asn1 decode --type 272 --summary` tells each archive time-stamp.
TEST(ErsCorpus, RecordsMatchTheirTlvsAndTokens) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string python = pyasn1_python("pyasn1_modules.rfc3161");
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  std::vector<PeerJob> jobs;
  for (const ManifestRow &row : record_rows()) jobs.push_back({row.path, "rfc3161.TSTInfo", corpus_dir() + "/" + row.path, "ber,tstinfo"});
  const std::map<std::string, PeerDump> peer = run_asn1_peer(python, jobs);
  int records = 0, stamps = 0;
  for (const ManifestRow &row : record_rows()) {
    const Bytes in = read_file(corpus_dir() + "/" + row.path);
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(KORVU_TYPE_EVIDENCERECORD, decode(KORVU_TYPE_EVIDENCERECORD, in, ctx, &used));
    ASSERT_NE(v.v, nullptr) << row.path << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(used, in.size());
    EXPECT_EQ(encode(KORVU_TYPE_EVIDENCERECORD, v.v), in) << row.path;
    Val f(KORVU_TYPE_EVIDENCERECORD, decode_file(KORVU_TYPE_EVIDENCERECORD, corpus_dir() + "/" + row.path, ctx, &used));
    EXPECT_EQ(encode(KORVU_TYPE_EVIDENCERECORD, f.v), in) << row.path << " from a file";
    auto *er = v.as<KORVU_ERS_EVIDENCERECORD>();
    const std::string summary = summary_of(KORVU_TYPE_EVIDENCERECORD, corpus_dir() + "/" + row.path);
    EXPECT_TRUE(summary.find("version: 1\n") != std::string::npos && summary.find("re-encoded: identical") != std::string::npos) << summary;
    const std::vector<Bytes> top = der_elements(in);
    ASSERT_EQ(top.size(), 3u) << row.path;
    EXPECT_EQ(der_hex(KORVU_TYPE_SEQUENCE_OF_ALGORITHMIDENTIFIER, korvu_ers_evidencerecord_getdigestalgorithms(er)), lower_hex(top[1]));
    EXPECT_EQ(korvu_ers_evidencerecord_getcryptoinfos(er), nullptr);
    EXPECT_EQ(korvu_ers_evidencerecord_getencryptioninfo(er), nullptr);
    const auto chains = list_items<KORVU_ASN1_LIST>(korvu_ers_evidencerecord_getarchivetimestampseq(er));
    const std::vector<Bytes> walked = der_elements(top[2]);
    ASSERT_EQ(chains.size(), walked.size()) << row.path;
    int t = 0;
    for (size_t c = 0; c < chains.size(); c++) {
      const auto ats = list_items<KORVU_ERS_ARCHIVETIMESTAMP>(chains[c]);
      const std::vector<Bytes> walked_ats = der_elements(walked[c]);
      ASSERT_EQ(ats.size(), walked_ats.size()) << row.path;
      for (size_t a = 0; a < ats.size(); a++, t++) {
        std::map<unsigned char, Bytes> parts;
        for (const Bytes &e : der_elements(walked_ats[a])) parts[e[0]] = e;
        const KORVU_X509_ALGID *alg = korvu_ers_encryptioninfo_getdigestalgorithm(ats[a]);
        EXPECT_EQ(alg ? "a0" + der_hex(KORVU_TYPE_ALGORITHMIDENTIFIER, alg).substr(2) : "-", parts.count(0xA0) ? lower_hex(parts[0xA0]) : "-");
        EXPECT_EQ(korvu_ers_encryptioninfo_getattributes(ats[a]), nullptr);
        EXPECT_EQ(static_cast<size_t>(korvu_asn1_list_getsize(korvu_ers_encryptioninfo_getreducedhashtree(ats[a]))), der_elements(parts[0xA2]).size());
        EXPECT_EQ(der_hex(KORVU_TYPE_CONTENTINFO, korvu_ers_encryptioninfo_gettimestamp(ats[a])), lower_hex(parts[0x30])) << row.path;
        Val tst(KORVU_TYPE_TSTINFO, token_tstinfo(korvu_ers_encryptioninfo_gettimestamp(ats[a])));
        ASSERT_NE(tst.v, nullptr) << row.path;
        const std::string label = row.path + "#tst" + std::to_string(t);
        ASSERT_EQ(peer.count(label), 1u) << label;
        EXPECT_GT(compare_dumps(lib_dump(KORVU_TYPE_TSTINFO, tst.v), peer.at(label), label), 5u);
        const std::string line = "chain " + std::to_string(c + 1) + " timestamp " + std::to_string(a + 1) + ": digestAlgorithm " +
                                 (alg ? "sha" : "none") + "\\S*, attributes 0, partial hash trees " + std::to_string(parts.count(0xA2) ? der_elements(parts[0xA2]).size() : 0) +
                                 ", genTime " + time_text(korvu_tsp_tstinfo_getgentime(tst.as<KORVU_TSP_TSTINFO>())) + "\n";
        EXPECT_TRUE(std::regex_search(summary, std::regex(line))) << line << summary;
      }
    }
    records++;
    stamps += t;
  }
  EXPECT_EQ(records, 11);
  EXPECT_EQ(stamps, 22);
}

// A corpus record given [0] cryptoInfos and [1] encryptionInfo, and its first archive time-stamp [1] attributes
// (after [0], before [2]): the getters read what was inserted, the record is written back as built, and the
// constructors make the same octets from the getters.
TEST(ErsCorpus, InsertedOptionalComponents) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const Bytes in = read_file(corpus_dir() + "/ers/bc-java__ERS-Testtool_1Chain2ATS_BIN_ER.ers");
  std::vector<Bytes> top = der_elements(in), chains = der_elements(top[2]), first_chain = der_elements(chains[0]);
  std::vector<Bytes> ats = der_elements(first_chain[0]);
  ats.insert(ats.begin() + (ats[0][0] == 0xA0 ? 1 : 0), der_tlv(0xA1, kAttribute));
  first_chain[0] = der_tlv(0x30, joined(ats));
  chains[0] = der_tlv(0x30, joined(first_chain));
  const Bytes info = hex("06 03 2A0305 04 02 AABB");
  const Bytes built = der_tlv(0x30, cat_bytes({top[0], top[1], der_tlv(0xA0, kAttribute), der_tlv(0xA1, info), der_tlv(0x30, joined(chains))}));
  ErrCtx ctx;
  Val v(KORVU_TYPE_EVIDENCERECORD, decode(KORVU_TYPE_EVIDENCERECORD, built, ctx));
  ASSERT_NE(v.v, nullptr) << ::testing::PrintToString(ctx.codes());
  auto *er = v.as<KORVU_ERS_EVIDENCERECORD>();
  EXPECT_EQ(encode(KORVU_TYPE_EVIDENCERECORD, er), built);
  EXPECT_EQ(der_hex(KORVU_TYPE_ATTRIBUTE_PLAIN, item(korvu_ers_evidencerecord_getcryptoinfos(er), 0)), lower_hex(kAttribute));
  EXPECT_EQ(oid_text(korvu_ers_encryptioninfo_gettype(korvu_ers_evidencerecord_getencryptioninfo(er))), "1.2.3.5");
  EXPECT_EQ(der_hex(KORVU_TYPE_ANY, korvu_ers_encryptioninfo_getvalue(korvu_ers_evidencerecord_getencryptioninfo(er))), "0402aabb");
  auto *stamp = static_cast<KORVU_ERS_ARCHIVETIMESTAMP *>(item(static_cast<KORVU_ASN1_LIST *>(item(korvu_ers_evidencerecord_getarchivetimestampseq(er), 0)), 0));
  EXPECT_EQ(korvu_asn1_list_getsize(korvu_ers_encryptioninfo_getattributes(stamp)), 1);
  Val rebuilt(KORVU_TYPE_EVIDENCERECORD,
              korvu_ers_evidencerecord_new(korvu_ers_evidencerecord_getversion(er), korvu_ers_evidencerecord_getdigestalgorithms(er),
                                           korvu_ers_evidencerecord_getcryptoinfos(er), korvu_ers_evidencerecord_getencryptioninfo(er),
                                           korvu_ers_evidencerecord_getarchivetimestampseq(er)));
  EXPECT_EQ(encode(KORVU_TYPE_EVIDENCERECORD, rebuilt.v), built);
  Val only_token(KORVU_TYPE_ARCHIVETIMESTAMP, korvu_ers_archivetimestamp_new(nullptr, nullptr, nullptr, korvu_ers_encryptioninfo_gettimestamp(stamp)));
  EXPECT_EQ(encode(KORVU_TYPE_ARCHIVETIMESTAMP, only_token.v), der_tlv(0x30, encode(KORVU_TYPE_CONTENTINFO, korvu_ers_encryptioninfo_gettimestamp(stamp))));
  EXPECT_EQ(korvu_ers_archivetimestamp_new(nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(korvu_ers_evidencerecord_new(korvu_ers_evidencerecord_getversion(er), nullptr, nullptr, nullptr, korvu_ers_evidencerecord_getarchivetimestampseq(er)), nullptr);
}

TEST(ErsVectors, DecodeWriteAndRefuse) { run_hex_vectors("ers_vectors.txt", 7, 10); }
