// korvu-asn1 dump: the element tree of corpus files of several families
// (expected text written from an independent reading and cross-checked with
// `openssl asn1parse -i` for offsets and lengths), hex vectors for each kind
// of value and mark, malformed input, and a sweep of damaged inputs.
#include <cstring>
#include <random>
#include <set>
#include <string>

#include "dump.h"
#include "korvu/holder.hpp"
#include "test_util.h"

namespace {

using korvu_test::Bytes;
using korvu_test::hex;

std::string dump_text(const Bytes &der, korvu::tool::DumpResult *result = nullptr) {
  std::string out;
  korvu::tool::DumpResult r = korvu::tool::dump(der.data(), der.size(), out);
  if (result != nullptr) *result = r;
  else EXPECT_TRUE(r.ok) << r.error << " at " << r.error_offset << "\n" << out;
  return out;
}

TEST(Dump, CorpusFilesOfSeveralFamilies) {
  if (!korvu_test::have_corpus()) GTEST_SKIP() << "no corpus";
  struct Case {
    const char *path;
    const char *expected;
  } cases[] = {
      {"tsp/bc-java__ParseTest_sha1noNonse.der",
       "     0  2     38: SEQUENCE\n"
       "     2  2      1:   INTEGER 1\n"
       "     5  2     33:   SEQUENCE\n"
       "     7  2      9:     SEQUENCE\n"
       "     9  2      5:       OBJECT IDENTIFIER 1.3.14.3.2.26 (sha1)\n"
       "    16  2      0:       NULL\n"
       "    18  2     20:     OCTET STRING\n"
       "                        F9 51 B1 01 98 9B 2C 3B 74 71 71 0B 4E 78 FC 4D\n"
       "                        BD FA 0C A6\n"},
      {"cms/rfc4134__3.2.bin",
       "     0  2     43: SEQUENCE\n"
       "     2  2      9:   OBJECT IDENTIFIER 1.2.840.113549.1.7.1 (data)\n"
       "    13  2     30:   [0]\n"
       "    15  2     28:     OCTET STRING 'This is some sample content.'\n"},  // text held in it
      {"crl/rfc4134__CarlDSSCRLEmpty.crl",
       "     0  2    109: SEQUENCE\n"
       "     2  2     46:   SEQUENCE\n"
       "     4  2      9:     SEQUENCE\n"
       "     6  2      7:       OBJECT IDENTIFIER 1.2.840.10040.4.3 (dsa-with-sha1)\n"
       "    15  2     18:     SEQUENCE\n"
       "    17  2     16:       SET\n"
       "    19  2     14:         SEQUENCE\n"
       "    21  2      3:           OBJECT IDENTIFIER 2.5.4.3 (commonName)\n"
       "    26  2      7:           PrintableString 'CarlDSS'\n"
       "    35  2     13:     UTCTime '990820070000Z' (1999-08-20T07:00:00Z)\n"
       "    50  2      9:   SEQUENCE\n"
       "    52  2      7:     OBJECT IDENTIFIER 1.2.840.10040.4.3 (dsa-with-sha1)\n"
       "    61  2     48:   BIT STRING, 0 unused bits, encapsulates\n"
       "    64  2     45:     SEQUENCE\n"
       "    66  2     20:       INTEGER 0x623F361731582E675079F5094B8CADD46BF4649F\n"
       "    88  2     21:       INTEGER 0x00B53B4EA14C7BFD0FC38D9BB6FEC35D6FDE65287D\n"},
      {"ldap/apache-ldap-api__UnBindRequestTest.testDecodeUnBindRequestNoControls.bin",
       "     0  2      5: SEQUENCE\n"
       "     2  2      1:   INTEGER 1\n"
       "     5  2      0:   [APPLICATION 2]\n"},
  };
  for (const Case &c : cases) {
    const Bytes der = korvu_test::read_file(korvu_test::corpus_dir() + "/" + c.path);
    ASSERT_FALSE(der.empty()) << c.path;
    EXPECT_EQ(dump_text(der), c.expected) << c.path;
  }
}

TEST(Dump, ValuesAndMarks) {
  struct Case {
    const char *der;
    const char *expected;
  } cases[] = {
      // Indefinite length: "inf", and the end-of-contents on its own line.
      {"30 80 02 01 05 00 00",
       "     0  2    inf: SEQUENCE\n     2  2      1:   INTEGER 5\n     5  2      0:   end-of-contents\n"},
      {"24 80 04 01 41 00 00",
       "     0  2    inf: OCTET STRING\n     2  2      1:   OCTET STRING 41\n     5  2      0:   end-of-contents\n"},
      // Non-minimal length, identifier and integer; a BOOLEAN that is not DER.
      {"02 81 01 05", "     0  3      1: INTEGER 5 (non-minimal length)\n"},
      {"02 82 00 01 05", "     0  4      1: INTEGER 5 (non-minimal length)\n"},
      {"1F 02 01 05", "     0  3      1: INTEGER 5 (non-minimal identifier)\n"},
      {"02 02 FF 80", "     0  2      2: INTEGER -128 (non-minimal)\n"},
      {"01 01 01", "     0  2      1: BOOLEAN TRUE (01, not DER)\n"},
      {"01 01 00", "     0  2      1: BOOLEAN FALSE\n"},
      // INTEGER: decimal up to 8 octets, hexadecimal beyond.
      {"02 08 7F FF FF FF FF FF FF FF", "     0  2      8: INTEGER 9223372036854775807\n"},
      {"02 09 00 80 00 00 00 00 00 00 00", "     0  2      9: INTEGER 0x008000000000000000\n"},
      {"0A 01 02", "     0  2      1: ENUMERATED 2\n"},
      // Strings and times as text, BMP and Universal converted.
      {"0C 03 C3 A9 21", "     0  2      3: UTF8String '\xC3\xA9!'\n"},
      {"16 04 61 27 5C 01", "     0  2      4: IA5String 'a\\x27\\x5C\\x01'\n"},
      {"1E 04 00 48 00 69", "     0  2      4: BMPString 'Hi'\n"},
      {"1C 04 00 00 00 41", "     0  2      4: UniversalString 'A'\n"},
      {"18 0F 32 30 32 36 31 32 30 36 31 32 30 30 30 30 5A",
       "     0  2     15: GeneralizedTime '20261206120000Z' (2026-12-06T12:00:00Z)\n"},
      // Object identifiers with and without a name.
      {"06 03 55 1D 13", "     0  2      3: OBJECT IDENTIFIER 2.5.29.19 (basicConstraints)\n"},
      {"06 03 2A 03 04", "     0  2      3: OBJECT IDENTIFIER 1.2.3.4\n"},
      {"06 02 2A 80", "     0  2      2: OBJECT IDENTIFIER (malformed) 2A80\n"},
      // BIT STRING: unused bits, and a nested encoding.
      {"03 02 05 A0", "     0  2      2: BIT STRING, 5 unused bits A0\n"},
      {"03 04 00 02 01 07", "     0  2      4: BIT STRING, 0 unused bits, encapsulates\n     3  2      1:   INTEGER 7\n"},
      // OCTET STRING: a complete encoding nests; other contents stay hex.
      {"04 05 30 03 01 01 FF",
       "     0  2      5: OCTET STRING, encapsulates\n     2  2      3:   SEQUENCE\n     4  2      1:     BOOLEAN TRUE\n"},
      {"04 03 30 03 01", "     0  2      3: OCTET STRING 300301\n"},
      // Other classes.
      {"80 03 61 62 63", "     0  2      3: [0] 'abc'\n"},
      {"81 02 00 FF", "     0  2      2: [1] 00FF\n"},
      {"7F 81 00 00", "     0  4      0: [APPLICATION 128]\n"},
      {"E2 00", "     0  2      0: [PRIVATE 2]\n"},
      {"09 03 80 00 01", "     0  2      3: REAL 800001\n"},
      // Two top-level values.
      {"05 00 05 00", "     0  2      0: NULL\n     2  2      0: NULL\n"},
  };
  for (const Case &c : cases) EXPECT_EQ(dump_text(hex(c.der)), c.expected) << c.der;

  // Long contents: 16 octets a line, 64 shown.
  Bytes big = hex("04 81 90");
  for (int i = 0; i < 0x90; i++) big.push_back(static_cast<unsigned char>(i));
  const std::string text = dump_text(big);
  EXPECT_EQ(text.rfind("     0  3    144: OCTET STRING\n                    00 01 02 03", 0), 0u) << text;
  EXPECT_NE(text.find("                    30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F\n"
                      "                    [80 more octets]\n"),
            std::string::npos)
      << text;
}

TEST(Dump, MalformedInputStopsAtTheBadOctet) {
  struct Case {
    const char *der;
    const char *lines;  // the tree before the failure
    size_t offset;
    const char *reason;
  } cases[] = {
      // A length that runs past the end: the element is still shown, with
      // what is there of it, and the fault is its length octet.
      {"30 06 02 01 05 02 05 01",
       "     0  2      6: SEQUENCE\n     2  2      1:   INTEGER 5\n"
       "     5  2      5:   INTEGER (cut short: 1 of 5 octets present)\n",
       6, "run past the end"},
      {"30 0A 02 01 05 30 05 02 01",
       "     0  2     10: SEQUENCE (cut short: 7 of 10 octets present)\n     2  2      1:   INTEGER 5\n"
       "     5  2      5:   SEQUENCE (cut short: 2 of 5 octets present)\n"
       "     7  2      1:     INTEGER (cut short: 0 of 1 octets present)\n",
       1, "run past the end (7 left)"},
      {"1F 81 02 82 00 05 01",
       "     0  6      5: [UNIVERSAL 130] (cut short: 1 of 5 octets present) (non-minimal length)\n", 3,
       "run past the end"},
      {"30 80 02 01 05", "     0  2    inf: SEQUENCE\n     2  2      1:   INTEGER 5\n", 5, "end-of-contents missing"},
      {"02 01", "     0  2      1: INTEGER (cut short: 0 of 1 octets present)\n", 1, "run past the end (0 left)"},
      {"1F", "", 1, "identifier octets cut short"},
      {"1F 81 82 83 84 05 00", "", 5, "tag number too large"},
      {"02", "", 1, "length octets missing"},
      {"02 84 00 00", "", 2, "length octets cut short"},
      {"02 85 01 00 00 00 00", "", 1, "too large"},
      {"04 FF", "", 1, "reserved"},
      {"04 80 00 00", "", 1, "indefinite length in a primitive encoding"},
      {"00 00", "", 0, "end-of-contents outside an indefinite length"},
      {"30 80 00 01 00 00 00", "     0  2    inf: SEQUENCE\n", 3, "end-of-contents with a non-zero length"},
      {"05 00 30", "     0  2      0: NULL\n", 3, "length octets missing"},
  };
  for (const Case &c : cases) {
    korvu::tool::DumpResult r;
    const std::string text = dump_text(hex(c.der), &r);
    EXPECT_FALSE(r.ok) << c.der;
    EXPECT_EQ(text, c.lines) << c.der;
    EXPECT_EQ(r.error_offset, c.offset) << c.der << ": " << r.error;
    EXPECT_NE(r.error.find(c.reason), std::string::npos) << c.der << ": " << r.error;
  }
  // Nesting past the limit is refused, not recursed into.
  Bytes deep;
  for (int i = 0; i < 200; i++) deep.insert(deep.end(), {0x30, 0x80});
  korvu::tool::DumpResult r;
  dump_text(deep, &r);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("nested deeper"), std::string::npos) << r.error;
  dump_text(Bytes{}, &r);
  EXPECT_FALSE(r.ok);
}

// Every prefix and random damage of real encodings dumps without a fault:
// either the whole input reads, or the failure lies inside it.
TEST(Dump, DamagedEncodingsNeverFault) {
  std::vector<Bytes> inputs{korvu_test::read_file(std::string(KORVU_SOURCE_DIR) + "/samples/sample-cert.der")};
  if (korvu_test::have_corpus()) {
    inputs.push_back(korvu_test::read_file(korvu_test::corpus_dir() + "/crl/rfc4134__CarlDSSCRLEmpty.crl"));
    inputs.push_back(korvu_test::read_file(korvu_test::corpus_dir() + "/cms/rfc4134__3.2.bin"));
  }
  std::mt19937 rng(7);
  for (const Bytes &full : inputs) {
    ASSERT_FALSE(full.empty());
    for (size_t n = 1; n < full.size(); n++) {
      std::string out;
      const korvu::tool::DumpResult r = korvu::tool::dump(full.data(), n, out);
      EXPECT_FALSE(r.ok) << "a prefix of " << n << " octets";
      EXPECT_LE(r.error_offset, n);
    }
    for (int i = 0; i < 2000; i++) {
      Bytes b = full;
      for (int k = 0; k < 3; k++) b[rng() % b.size()] = static_cast<unsigned char>(rng());
      std::string out;
      const korvu::tool::DumpResult r = korvu::tool::dump(b.data(), b.size(), out);
      if (!r.ok) {
        EXPECT_LE(r.error_offset, b.size());
      }
    }
  }
}

// The names table: well-formed identifiers, each once.
TEST(Dump, OidNamesAreWellFormedAndUnique) {
  struct Row {
    const char *dotted, *name;
  };
  constexpr Row kRows[] = {
#define KORVU_OID(dotted, name) {dotted, name},
#include "types/oid_names.inc"
#undef KORVU_OID
  };
  std::set<std::string> seen;
  for (const Row &r : kRows) {
    EXPECT_TRUE(seen.insert(r.dotted).second) << r.dotted << " twice";
    korvu::Value oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new(r.dotted));
    ASSERT_TRUE(oid) << r.dotted;
    EXPECT_STREQ(korvu_asn1_oid_getstring(oid.as<KORVU_ASN1_OID>()), r.dotted);
    EXPECT_STREQ(korvu_asn1_oid_name(r.dotted), r.name);
  }
  EXPECT_GE(std::size(kRows), 300u);
  EXPECT_EQ(korvu_asn1_oid_name("1.2.3.4"), nullptr);
  EXPECT_EQ(korvu_asn1_oid_name(nullptr), nullptr);
  EXPECT_EQ(korvu_asn1_oid_name("1.2.840.113549.1.1"), nullptr);  // a prefix of known ones
}

}  // namespace
