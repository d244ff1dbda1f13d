// Every universal TLV inside real certificates decodes as its own registry
// type and writes back the same octets.
#include <cstdio>
#include <map>

#include "test_util.h"
#include "tools/lib/input.h"

using namespace korvu_test;

namespace {

// Universal tag number -> registry type (SEQUENCE and SET as lists of ANY).
const std::map<uint32_t, uint32_t> kTypeOfTag = {
    {1, KORVU_TYPE_BOOLEAN},          {2, KORVU_TYPE_INTEGER},        {3, KORVU_TYPE_BIT_STRING},
    {4, KORVU_TYPE_OCTET_STRING},     {5, KORVU_TYPE_NULL},           {6, KORVU_TYPE_OBJECT_IDENTIFIER},
    {10, KORVU_TYPE_ENUMERATED},      {12, KORVU_TYPE_UTF8STRING},    {13, KORVU_TYPE_RELATIVE_OID},
    {16, KORVU_TYPE_SEQUENCE_OF_ANY}, {17, KORVU_TYPE_SET_OF_ANY},    {18, KORVU_TYPE_NUMERICSTRING},
    {19, KORVU_TYPE_PRINTABLESTRING}, {20, KORVU_TYPE_TELETEXSTRING}, {21, KORVU_TYPE_VIDEOTEXSTRING},
    {22, KORVU_TYPE_IA5STRING},       {23, KORVU_TYPE_UTCTIME},       {24, KORVU_TYPE_GENERALIZEDTIME},
    {25, KORVU_TYPE_GRAPHICSTRING},   {26, KORVU_TYPE_VISIBLESTRING}, {27, KORVU_TYPE_GENERALSTRING},
    {28, KORVU_TYPE_UNIVERSALSTRING}, {30, KORVU_TYPE_BMPSTRING},
};

struct Tally {
  size_t checked = 0, same = 0, ber = 0, refused = 0;
  std::vector<std::string> failures;
};

}  // namespace

TEST(UniversalCorpus, EveryUniversalTlvOfValidCertificatesRoundTrips) {
  if (!have_corpus()) GTEST_SKIP() << "corpus not found";
  const std::vector<ManifestRow> rows = corpus_manifest();
  ASSERT_FALSE(rows.empty());
  Tally t;
  size_t files = 0;
  for (const ManifestRow &row : rows) {
    if (row.path.rfind("x509/", 0) != 0 || row.type != "Certificate" || row.expect != "valid") continue;
    korvu::tool::LoadedInput in;
    std::string error;
    if (!korvu::tool::load_input(read_file(corpus_dir() + "/" + row.path), in, error)) continue;
    const Bytes &der = in.bytes;
    // Certificates whose constructed encodings are all definite and filled
    // by their elements (the walk can't trust the others).
    const std::vector<DerNode> tlvs = der_all(der);
    bool sound = !tlvs.empty();
    for (const DerNode &n : tlvs) {
      const std::vector<DerNode> kids = (der[n.at] & 0x20) ? der_kids(der, n) : std::vector<DerNode>{};
      sound &= !(der[n.at] & 0x20) || (kids.empty() ? n.len == 0 : kids.back().end() == n.end());
    }
    if (!sound) continue;
    files++;
    for (const DerNode &n : tlvs) {
      const size_t off = n.at, len = n.end() - n.at;
      const unsigned char *p = der.data() + off;
      if ((p[0] & 0xC0) != 0 || (p[0] & 0x1F) == 0x1F) continue;  // universal, low tag numbers only
      auto it = kTypeOfTag.find(p[0] & 0x1Fu);
      if (it == kTypeOfTag.end()) continue;
      const uint32_t tt = it->second;
      void *v = nullptr;
      uint32_t used = korvu_asn1_mem_decode(p, static_cast<int32_t>(len), tt, &v);
      t.checked++;
      if (used != len) {
        korvu_asn1_value_free(tt, v);
        // Refusals this library makes on purpose: GeneralizedTime years
        // before 1582 (the Gregorian calendar), and universal tag numbers
        // above 34 in an element of a SEQUENCE OF ANY (X.680 assigns none).
        ErrCtx ctx;
        Bytes tlv(p, p + len);
        void *again = decode(tt, tlv, ctx);
        korvu_asn1_value_free(tt, again);
        const bool early_year =
            tt == KORVU_TYPE_GENERALIZEDTIME && len >= 6 && std::string(p + 2, p + 6) < "1582" && ctx.has(0x102ED);
        const bool high_tag = tt == KORVU_TYPE_SEQUENCE_OF_ANY && ctx.has(0x10201);
        if (early_year || high_tag) {
          t.refused++;
          continue;
        }
        if (t.failures.size() < 20)
          t.failures.push_back(row.path + " @" + std::to_string(off) + " type " + std::to_string(tt) + ": " +
                               to_hex(p, std::min<size_t>(len, 24)));
        continue;
      }
      Bytes back = encode(tt, v);
      korvu_asn1_value_free(tt, v);
      // Constructed strings and long forms that are not minimal come back in
      // DER; everything else keeps its octets.
      const bool ber = (p[0] & 0x20) != 0 && tt != KORVU_TYPE_SEQUENCE_OF_ANY && tt != KORVU_TYPE_SET_OF_ANY;
      if (ber) {
        t.ber++;
        continue;
      }
      if (back.size() == len && std::equal(back.begin(), back.end(), p))
        t.same++;
      else if (t.failures.size() < 20)
        t.failures.push_back(row.path + " @" + std::to_string(off) + " re-encodes differently as type " +
                             std::to_string(tt));
    }
  }
  std::printf(
      "universal TLVs: %zu checked in %zu certificates, %zu written back unchanged, %zu constructed strings, "
      "%zu refused by rule\n",
      t.checked, files, t.same, t.ber, t.refused);
  EXPECT_GT(files, 500u);
  EXPECT_LT(t.refused, 50u);
  EXPECT_EQ(t.same + t.ber + t.refused, t.checked);
  for (const auto &f : t.failures) ADD_FAILURE() << f;
}
