// Evidence records: the corpus's records read against a walk of their TLVs; corpus records given [0] cryptoInfos,
// [1] encryptionInfo and an archive time-stamp's [1] attributes by a small DER writer; hex vectors.
#include <algorithm>
#include <regex>

#include "vectors.h"

using namespace korvu_test;
using namespace korvu_test::ocsp;

namespace {

const Bytes kAttribute = hex("30 0A 06 03 2A0304 31 03 020107");  // 1.2.3.4 = { 7 }

Bytes joined(const std::vector<Bytes> &parts) {
  Bytes out;
  for (const Bytes &p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace

// Each record decodes, is written back byte for byte, and its chains, archive
// time-stamps, algorithms, hash trees and tokens are the elements a TLV walk finds, as `korvu-asn1 decode --type 272
// --summary` tells them too (each token's TSTInfo is compared with pyasn1-modules by the time-stamp tests).
TEST(ErsCorpus, RecordsMatchTheirTlvsAndTokens) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  std::vector<ManifestRow> rows = corpus_manifest();
  rows.erase(std::remove_if(rows.begin(), rows.end(), [](const ManifestRow &r) { return r.family != "ers"; }),
             rows.end());
  int stamps = 0;
  for (const ManifestRow &row : rows) {
    const Bytes in = read_file(corpus_dir() + "/" + row.path);
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(KORVU_TYPE_EVIDENCERECORD, decode(KORVU_TYPE_EVIDENCERECORD, in, ctx, &used));
    ASSERT_NE(v.v, nullptr) << row.path << ::testing::PrintToString(ctx.codes());
    EXPECT_TRUE(used == in.size() && encode(KORVU_TYPE_EVIDENCERECORD, v.v) == in) << row.path;
    auto *er = v.as<KORVU_ERS_EVIDENCERECORD>();
    const std::string summary = summary_of(KORVU_TYPE_EVIDENCERECORD, corpus_dir() + "/" + row.path);
    const std::vector<Bytes> top = der_elements(in);
    ASSERT_EQ(top.size(), 3u) << row.path;
    EXPECT_TRUE(!korvu_ers_evidencerecord_getcryptoinfos(er) && !korvu_ers_evidencerecord_getencryptioninfo(er));
    const auto chains = list_items<KORVU_ASN1_LIST>(korvu_ers_evidencerecord_getarchivetimestampseq(er));
    const std::vector<Bytes> walked = der_elements(top[2]);
    ASSERT_EQ(chains.size(), walked.size()) << row.path;
    for (size_t c = 0; c < chains.size(); c++) {
      const auto ats = list_items<KORVU_ERS_ARCHIVETIMESTAMP>(chains[c]);
      const std::vector<Bytes> walked_ats = der_elements(walked[c]);
      ASSERT_EQ(ats.size(), walked_ats.size()) << row.path;
      for (size_t a = 0; a < ats.size(); a++, stamps++) {
        std::map<unsigned char, Bytes> parts;
        for (const Bytes &e : der_elements(walked_ats[a])) parts[e[0]] = e;
        const KORVU_X509_ALGID *alg = korvu_ers_encryptioninfo_getdigestalgorithm(ats[a]);
        EXPECT_EQ(alg ? "a0" + der_hex(KORVU_TYPE_ALGORITHMIDENTIFIER, alg).substr(2) : "-",
                  parts.count(0xA0) ? lower_hex(parts[0xA0]) : "-");
        EXPECT_EQ(der_hex(KORVU_TYPE_CONTENTINFO, korvu_ers_encryptioninfo_gettimestamp(ats[a])),
                  lower_hex(parts[0x30]))
            << row.path;
        const std::string line = "chain " + std::to_string(c + 1) + " timestamp " + std::to_string(a + 1) +
                                 ": digestAlgorithm " + (alg ? "sha" : "none") +
                                 "\\S*, attributes 0, partial hash trees " +
                                 std::to_string(der_elements(parts[0xA2]).size()) + ", genTime [0-9]{14}";
        EXPECT_TRUE(std::regex_search(summary, std::regex(line))) << line << summary;
      }
    }
  }
  EXPECT_EQ(std::to_string(rows.size()) + " records, " + std::to_string(stamps) + " archive time-stamps",
            "11 records, 22 archive time-stamps");
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
  const Bytes built = der_tlv(
      0x30, cat_bytes({top[0], top[1], der_tlv(0xA0, kAttribute), der_tlv(0xA1, info), der_tlv(0x30, joined(chains))}));
  ErrCtx ctx;
  Val v(KORVU_TYPE_EVIDENCERECORD, decode(KORVU_TYPE_EVIDENCERECORD, built, ctx));
  ASSERT_NE(v.v, nullptr) << ::testing::PrintToString(ctx.codes());
  auto *er = v.as<KORVU_ERS_EVIDENCERECORD>();
  EXPECT_EQ(encode(KORVU_TYPE_EVIDENCERECORD, er), built);
  EXPECT_EQ(der_hex(KORVU_TYPE_ATTRIBUTE_PLAIN, item(korvu_ers_evidencerecord_getcryptoinfos(er), 0)),
            lower_hex(kAttribute));
  const KORVU_ERS_ENCRYPTIONINFO *ei = korvu_ers_evidencerecord_getencryptioninfo(er);
  EXPECT_EQ(
      oid_text(korvu_ers_encryptioninfo_gettype(ei)) + der_hex(KORVU_TYPE_ANY, korvu_ers_encryptioninfo_getvalue(ei)),
      "1.2.3.50402aabb");
  auto *stamp = static_cast<KORVU_ERS_ARCHIVETIMESTAMP *>(
      item(static_cast<KORVU_ASN1_LIST *>(item(korvu_ers_evidencerecord_getarchivetimestampseq(er), 0)), 0));
  EXPECT_EQ(korvu_asn1_list_getsize(korvu_ers_encryptioninfo_getattributes(stamp)), 1);
  Val rebuilt(KORVU_TYPE_EVIDENCERECORD,
              korvu_ers_evidencerecord_new(
                  korvu_ers_evidencerecord_getversion(er), korvu_ers_evidencerecord_getdigestalgorithms(er),
                  korvu_ers_evidencerecord_getcryptoinfos(er), korvu_ers_evidencerecord_getencryptioninfo(er),
                  korvu_ers_evidencerecord_getarchivetimestampseq(er)));
  EXPECT_EQ(encode(KORVU_TYPE_EVIDENCERECORD, rebuilt.v), built);
}

TEST(ErsVectors, DecodeWriteAndRefuse) { run_hex_vectors("ers_vectors.txt", 7, 9); }
