// JSON rendering of BER/DER and encoding of JSON trees: the node schema, the
// lossless round trip on unusual and random encodings and on real files, and
// the refusals.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "input.h"
#include "korvu/holder.hpp"
#include "test_util.h"

namespace {

using korvu_test::Bytes;
using korvu_test::hex;
using korvu_test::to_hex;

using korvu_test::JsonPtr;

JsonPtr render(const Bytes &b) {
  return JsonPtr(korvu_asn1_tojson(b.data(), static_cast<int32_t>(b.size())));
}

std::string text(const KORVU_JSON *j) { return korvu_test::json_text(j); }
using korvu_test::json_parse;

// Encoding of a tree; `ok` false when the encoder refused it.
Bytes encode(const KORVU_JSON *tree, bool *ok = nullptr) {
  KORVU_DATA_BLOB *blob = korvu_asn1_encodejson(tree);
  if (ok != nullptr) *ok = blob != nullptr;
  if (blob == nullptr) return {};
  Bytes out(blob->data, blob->data + blob->length);
  korvu_data_blob_free(blob);
  return out;
}

// Renders and encodes back; empty string when all went well, else why not.
std::string round_trip(const Bytes &in) {
  JsonPtr tree = render(in);
  if (!tree) return "not rendered";
  bool ok = false;
  Bytes back = encode(tree.get(), &ok);
  if (!ok) return "encoder refused " + text(tree.get());
  if (back != in) return "differs: " + to_hex(back) + " for " + text(tree.get());
  // The printed text parses back into a tree that encodes the same.
  JsonPtr reparsed = json_parse(text(tree.get()));
  if (!reparsed || encode(reparsed.get()) != in) return "text form does not round-trip";
  return "";
}

Bytes encode_text(const std::string &json, bool *ok = nullptr) {
  JsonPtr tree = json_parse(json);
  if (!tree) {
    if (ok) *ok = false;
    ADD_FAILURE() << "test JSON does not parse: " << json;
    return {};
  }
  return encode(tree.get(), ok);
}

TEST(JsonRender, TypedNodesOfTheSchema) {
  struct Case {
    const char *der;
    const char *json;
  } cases[] = {
      {"01 01 FF", R"({"type":"BOOLEAN","value":true})"},
      {"01 01 00", R"({"type":"BOOLEAN","value":false})"},
      {"01 01 01", R"({"type":"BOOLEAN","user defined":{"content":"01"}})"},
      {"02 02 00 05", R"({"type":"INTEGER","user defined":{"content":"0005","length":2}})"},
      {"02 05 00 80 00 00 00", R"({"type":"INTEGER","value":"0X80000000"})"},
      {"02 05 FF 7F FF FF FF", R"({"type":"INTEGER","value":"-0X80000001"})"},
      {"02 04 80 00 00 00", R"({"type":"INTEGER","value":-2147483648})"},
      {"02 01 FB", R"({"type":"INTEGER","value":-5})"},
      {"0A 01 03", R"({"type":"ENUM","value":3})"},
      {"30 80 02 01 05 00 00", R"({"type":"SEQUENCE","indefinite":true,"value":[{"type":"INTEGER","value":5}]})"},
      {"A0 03 02 01 05",
       R"({"type":"TAGGEDTYPE","class":"CONTEXT","number":0,"implicit":false,"value":{"type":"INTEGER","value":5}})"},
      {"80 02 41 42",
       R"({"type":"TAGGEDTYPE","class":"CONTEXT","number":0,"implicit":true,"value":{"type":"OCTETSTRING","value":"4142"}})"},
      {"A1 06 02 01 01 02 01 02",
       R"({"type":"TAGGEDTYPE","class":"CONTEXT","number":1,"implicit":true,"value":{"type":"SEQUENCE","value":[{"type":"INTEGER","value":1},{"type":"INTEGER","value":2}]}})"},
      {"09 03 80 00 01", R"({"type":"UNKNOWN","user defined":{"content":"0903800001","identifier":"","length":""}})"},
      {"03 02 03 A8", R"({"type":"BITSTRING","value":{"unused bits":3,"value":"A8"}})"},
      {"05 00", R"({"type":"NULL"})"},
      {"06 03 2A 86 48", R"({"type":"OID","value":"1.2.840"})"},
      {"0D 04 C2 7B 03 02", R"({"type":"ROID","value":"8571.3.2"})"},
      {"0C 02 C3 A9", "{\"type\":\"UTF8STRING\",\"value\":\"\xC3\xA9\"}"},
      {"1E 04 00 41 00 E9", "{\"type\":\"BMPSTRING\",\"value\":\"A\xC3\xA9\"}"},
      {"1C 04 00 01 F6 00", "{\"type\":\"UNIVERSALSTRING\",\"value\":\"\xF0\x9F\x98\x80\"}"},
      {"14 02 41 42", R"({"type":"TELETEXSTRING","value":"4142"})"},
      {"17 0D 34 39 31 32 33 31 32 33 35 39 35 39 5A", R"({"type":"UTCTIME","value":"491231235959Z"})"},
      {"24 80 04 01 41 04 01 42 00 00",
       R"({"type":"OCTETSTRING","constructed":true,"indefinite":true,"value":[{"type":"OCTETSTRING","value":"41"},{"type":"OCTETSTRING","value":"42"}]})"},
      {"28 00", R"({"type":"UNKNOWN","constructed":true,"user defined":{"identifier":"28"},"value":[]})"},
      {"7F 81 00 03 02 01 05",
       R"({"type":"TAGGEDTYPE","class":"APPLICATION","number":128,"implicit":false,"value":{"type":"INTEGER","value":5}})"},
  };
  for (const auto &c : cases) {
    JsonPtr tree = render(hex(c.der));
    ASSERT_TRUE(tree) << c.der;
    EXPECT_EQ(text(tree.get()), c.json) << c.der;
    EXPECT_EQ(round_trip(hex(c.der)), "") << c.der;
  }
}

// Encodings whose octets the typed rendering alone would lose come back whole.
TEST(JsonRender, UnusualEncodingsComeBackOctetForOctet) {
  const char *cases[] = {
      "02 81 05 01 02 03 04 05",          // non-minimal length octets
      "04 84 00 00 00 02 41 42",          // four length octets with leading zeros
      "30 81 03 02 01 05",                // non-minimal length on a container
      "9F 80 1F 01 00",                   // tag number with a leading 0x80 group
      "BF 80 81 00 03 02 01 05",          // the same, constructed
      "05 01 00",                         // NULL with contents
      "02 00",                            // empty INTEGER
      "02 03 FF FF 80",                   // non-minimal negative INTEGER
      "01 02 FF FF",                      // BOOLEAN of two octets
      "01 00",                            // BOOLEAN of no octet
      "01 81 01 7F",                      // odd BOOLEAN with long-form length
      "03 02 08 00",                      // more than 7 unused bits
      "03 01 03",                         // unused bits and no data
      "03 00",                            // no unused-bits octet
      "06 02 80 01",                      // OID subidentifier with a leading 0x80
      "06 02 2A 86",                      // OID cut inside a subidentifier
      "06 00",                            // empty OID
      "17 03 41 42 43",                   // UTCTime that is no time
      "18 02 FF FE",                      // GeneralizedTime that is not text
      "0C 02 C0 80",                      // UTF8String holding an overlong form
      "1E 02 D8 00",                      // BMPString holding a surrogate
      "1E 03 00 41 00",                   // BMPString of odd length
      "1C 04 00 11 00 00",                // UniversalString past 10FFFF
      "30 04 00 00 02 00",                // 00 00 inside definite contents
      "A0 02 00 00",                      // ... as the only element of a tagged value
      "A0 80 A1 80 02 01 01 00 00 00 00", // nested indefinite tags
      "31 80 31 80 00 00 00 00",          // empty indefinite sets
      "23 80 03 02 00 41 03 02 04 B0 00 00",  // constructed BIT STRING
      "2C 07 0C 01 41 2C 02 0C 00",       // nested constructed UTF8String
      "0E 01 00",                         // TIME: no typed rendering
      "1F 22 00",                         // universal tag 34
      "DF 87 FF FF FF 7F 00",             // the largest tag number
      "E0 00",                            // empty private constructed
      "C0 00",                            // empty private primitive
      "30 00",
      "0C 03 41 00 42",                   // a string holding 00
      // Inside definite contents, which ANY copies unexamined, universal
      // tags in a form they do not allow are kept as UNKNOWN.
      "30 05 21 03 01 01 FF",
      "30 06 3F 81 02 02 05 00",
      "30 02 1D 00",
      "30 80 30 02 2F 00 00 00",
      "30 03 00 01 41",                   // universal tag 0 with contents
  };
  for (const char *c : cases) EXPECT_EQ(round_trip(hex(c)), "") << c;
}

// A constructed tagged value is explicit exactly when its contents are one
// encoding that is not an end-of-contents; the renderer decides this before
// it renders the contents, through nested indefinite lengths as well.
TEST(JsonRender, ExplicitOrImplicitTags) {
  struct Case {
    const char *in;
    bool implicit;
  };
  const Case cases[] = {
      {"A0 03 02 01 05", false},
      {"A0 06 02 01 05 02 01 06", true},
      {"A0 80 02 01 05 00 00", false},
      {"A0 80 30 80 02 01 05 00 00 00 00", false},
      {"A0 80 30 80 A1 80 05 00 00 00 00 00 00 00", false},
      {"A0 80 30 80 02 01 05 00 00 02 01 01 00 00", true},
      {"A0 04 30 80 00 00", false},
      {"A0 07 30 80 00 00 02 01 05", true},
      {"A0 04 00 00 02 00", true},   // 00 00 first inside definite contents
      {"A0 03 00 01 41", false},     // universal tag 0 with contents is an encoding
      {"A0 80 00 00", true},
      {"A0 00", true},
  };
  for (const Case &c : cases) {
    JsonPtr tree = render(hex(c.in));
    ASSERT_TRUE(tree) << c.in;
    EXPECT_EQ(korvu_json_istrue(korvu_json_getobjectvalue(tree.get(), "implicit")), c.implicit ? 1 : 0)
        << c.in << " " << text(tree.get());
    EXPECT_EQ(round_trip(hex(c.in)), "") << c.in;
  }
}

// Times print as text when the time types accept them: the common forms are
// decided from their digits, zone offsets, hour 24 and leap seconds by
// building the time.
TEST(JsonRender, TimesPrintWhenTheyAreTimes) {
  struct Case {
    const char *tag;
    const char *text;
    bool printed;
  };
  const Case cases[] = {
      {"17", "110516231032Z", true},    {"17", "110516237032Z", false},  // minute 70
      {"17", "110229000000Z", false},   {"17", "120229000000Z", true},   // 29 February
      {"17", "110516231032+0100", true}, {"18", "99991231233000-0100", false},  // past 9999 in UTC
      {"18", "20161231235960Z", true},  {"18", "20151231235960Z", false},  // leap second or not
      {"18", "2011051624Z", true},      {"18", "20110516240001Z", false},  // hour 24
      {"18", "20110516123456.789", true}, {"18", "20111301000000Z", false},
  };
  for (const Case &c : cases) {
    std::string t = c.text;
    Bytes in = hex(std::string(c.tag) + " " + to_hex(Bytes{static_cast<unsigned char>(t.size())}));
    in.insert(in.end(), t.begin(), t.end());
    JsonPtr tree = render(in);
    ASSERT_TRUE(tree) << c.text;
    const KORVU_JSON *value = korvu_json_getobjectvalue(tree.get(), "value");
    EXPECT_EQ(value != nullptr, c.printed) << c.text << " " << text(tree.get());
    if (value != nullptr) {
      EXPECT_EQ(std::string(korvu_json_getstring(value)), t);
    }
    // The time types agree.
    void *decoded = nullptr;
    const uint32_t type = c.tag[1] == '7' ? KORVU_TYPE_UTCTIME : KORVU_TYPE_GENERALIZEDTIME;
    uint32_t used = korvu_asn1_mem_decode(in.data(), static_cast<int32_t>(in.size()), type, &decoded);
    if (decoded != nullptr) korvu_asn1_value_free(type, decoded);
    EXPECT_EQ(used == in.size(), c.printed) << c.text;
    EXPECT_EQ(round_trip(in), "") << c.text;
  }
}

// Refused by both forms; the diagnostic one always says why and names an
// octet inside the input: where given, the first octet that breaks it.
TEST(JsonRender, RefusesWhatIsNotOneSoundEncoding) {
  struct Case {
    const char *in, *says = nullptr;
    uint32_t offset = 0;
  } cases[] = {
      {"02 01 05 00", "1 octets follow the encoding", 3},
      {"02 02 05"},     // contents cut short
      {"30 03 02 01"},  // element cut short
      {"30 05 02 01 05", "the length 5 runs past the end of its container (3 octets left)", 2},
      {"30 04 02 01 05 FF", "identifier octets cut short", 6},  // an element that is not an encoding
      {"30 80 02 01 05", "end-of-contents octets missing", 5},
      {"30 80 02 01 05 00 01", "end-of-contents octets are not 00 00", 6},
      {"30 06 02 01 05 04 FF 00", "length octet FF is reserved", 6},
      {"21 03 01 01 FF", "universal tag 1 constructed is not allowed", 0},  // BOOLEAN has no constructed form
      {"30 80 21 03 01 01 FF 00 00"},  // ... nor inside an indefinite length
      {"30 80 1D 00 00 00"},
      {"30 80 00 01 41 00 00"},  // in an indefinite length 00 opens end-of-contents
      {"0F 00"},                 // universal 15 is reserved
      {"3F 23 00"},              // universal 35 is unknown to ANY
      {"04 80 00 00", "a primitive encoding with an indefinite length", 1},
      {"1F 1E 00", "a multi-octet tag number below 31", 0},
      {"9F 80 80 80 80 80 80 80 80 80 80 80 80 80 80 80 80 01 00"},  // too many tag octets
      {"04 FF"},              // reserved length octet
      {"04 84 80 00 00 00"},  // a length past 31 bits
      {"00 00", "end-of-contents marker", 0},
      {""},
  };
  for (const Case &c : cases) {
    const Bytes in = hex(c.in);
    const void *p = in.empty() ? "" : static_cast<const void *>(in.data());
    JsonPtr tree(korvu_asn1_tojson(p, static_cast<int32_t>(in.size())));
    EXPECT_FALSE(tree) << c.in << " gave " << (tree ? text(tree.get()) : "");
    korvu::JsonHolder diag;
    korvu::MemHolder<char> message;
    uint32_t offset = 0xFFFFFFFFu;
    EXPECT_EQ(korvu_asn1_tojson_diag(p, static_cast<int32_t>(in.size()), diag.out(), message.out(), &offset), 0)
        << c.in;
    EXPECT_FALSE(diag) << c.in;
    ASSERT_TRUE(message) << c.in;
    EXPECT_LE(offset, in.size()) << c.in;
    if (c.says) {
      EXPECT_NE(std::string(message.get()).find(c.says), std::string::npos) << c.in << ": " << message.get();
      EXPECT_EQ(offset, c.offset) << c.in << ": " << message.get();
    }
  }
  Bytes ok = hex("05 00");
  EXPECT_EQ(korvu_asn1_tojson(nullptr, 2), nullptr);
  EXPECT_EQ(korvu_asn1_tojson(ok.data(), 0), nullptr);
  EXPECT_EQ(korvu_asn1_tojson(ok.data(), -2), nullptr);

  // Octets after a sound encoding are reported where they start; cut
  // anywhere, it is refused at an octet inside what is left. (Success, and
  // agreement with the plain form, is checked on every input of the
  // property and corpus tests.)
  Bytes cert = korvu_test::read_file(std::string(KORVU_SOURCE_DIR) + "/samples/sample-cert.der");
  ASSERT_FALSE(cert.empty());
  const Bytes longer = korvu_test::cat_bytes({cert, hex("05")});
  uint32_t offset = 0;
  korvu::MemHolder<char> message;
  korvu::JsonHolder tree;
  EXPECT_EQ(korvu_asn1_tojson_diag(longer.data(), static_cast<int32_t>(longer.size()), tree.out(), message.out(),
                                   &offset), 0);
  EXPECT_EQ(offset, cert.size());
  for (size_t cut = 1; cut < cert.size(); cut += 97) {
    EXPECT_EQ(korvu_asn1_tojson_diag(cert.data(), static_cast<int32_t>(cut), tree.out(), nullptr, &offset), 0);
    EXPECT_LE(offset, cut);
  }
  // Bad arguments with their codes.
  EXPECT_EQ(korvu_asn1_tojson_diag(nullptr, 2, tree.out(), message.out(), &offset), static_cast<int>(KORVU_ERR_NULLARG));
  EXPECT_FALSE(message);
  EXPECT_EQ(korvu_asn1_tojson_diag(ok.data(), 2, nullptr, nullptr, nullptr), static_cast<int>(KORVU_ERR_NULLARG));
  EXPECT_EQ(korvu_asn1_tojson_diag(ok.data(), -1, tree.out(), nullptr, nullptr), static_cast<int>(KORVU_ERR_BADARG));
  EXPECT_FALSE(tree);
}

// Nesting is bounded by korvu_get_recursive_level(), definite lengths too, and
// every tree the renderer makes is within what the encoder takes.
TEST(JsonRender, NestingLimit) {
  const int limit = korvu_get_recursive_level();
  auto nest = [](int levels, unsigned char id, bool indefinite) {
    Bytes b = hex("05 00");
    for (int i = 0; i < levels; i++) {
      if (!indefinite) {
        b = korvu_test::der_tlv(id, b);
        continue;
      }
      b.insert(b.begin(), {id, 0x80});
      b.insert(b.end(), {0, 0});
    }
    return b;
  };
  for (bool indefinite : {false, true}) {
    EXPECT_EQ(round_trip(nest(limit - 1, 0x30, indefinite)), "");
    EXPECT_FALSE(render(nest(limit, 0x30, indefinite)));
    EXPECT_FALSE(render(nest(3000, 0x30, indefinite)));
    // Explicit tags may take two levels each; whatever renders must encode.
    for (int levels = limit / 2 - 2; levels <= limit; levels++) {
      Bytes in = nest(levels, 0xA0, indefinite);
      if (render(in)) {
        EXPECT_EQ(round_trip(in), "") << levels;
      }
    }
  }
  // The encoder refuses trees deeper than the limit.
  std::string deep = R"({"type":"NULL"})";
  for (int i = 0; i < limit; i++) deep = R"({"type":"SEQUENCE","value":[)" + deep + "]}";
  bool ok = true;
  encode_text(deep, &ok);
  EXPECT_FALSE(ok);
}

// Typed nodes to DER, and headers put in front of contents written first
// (nested tags, long contents, user-defined octets).
TEST(JsonEncode, BuildsDerFromTypedNodes) {
  // 200 octets of contents, long enough for two length octets at each level.
  const std::string long_hex = "\"" + std::string(400, 'A') + "\"";
  std::string aa;
  for (int i = 0; i < 200; i++) aa += " AA";
  struct Case {
    std::string json, der;
  } cases[] = {
      {R"({"type":"INTEGER","value":"-0x80"})", "02 01 80"},
      {R"({"type":"INTEGER","value":"-0X81"})", "02 02 FF 7F"},
      {R"({"type":"INTEGER","value":"0"})", "02 01 00"},
      {R"({"type":"INTEGER","value":"-0"})", "02 01 00"},
      {R"({"type":"INTEGER","value":"0x0FF"})", "02 02 00 FF"},
      {R"({"type":"INTEGER","value":-129})", "02 02 FF 7F"},
      {R"({"type":"INTEGER","value":2147483647})", "02 04 7F FF FF FF"},
      {R"({"type":"INTEGER","value":"18446744073709551616"})", "02 09 01 00 00 00 00 00 00 00 00"},
      {R"({"type":"INTEGER","value":"-18446744073709551616"})", "02 09 FF 00 00 00 00 00 00 00 00"},
      {R"({"type":"INTEGER","value":"-9223372036854775808"})", "02 08 80 00 00 00 00 00 00 00"},
      {R"({"type":"ENUM","value":"00000000000000000000000000000000000000000001"})", "0A 01 01"},
      {R"({"type":"SETOF","sort":true,"value":[{"type":"INTEGER","value":2},{"type":"INTEGER","value":1}]})",
       "31 06 02 01 01 02 01 02"},
      {R"({"type":"SETOF","value":[{"type":"INTEGER","value":2},{"type":"INTEGER","value":1}]})",
       "31 06 02 01 02 02 01 01"},
      {R"({"type":"SETOF","sort":true,"value":[{"type":"OCTETSTRING","value":"02"},{"type":"OCTETSTRING","value":"0100"},{"type":"OCTETSTRING","value":""}]})",
       "31 09 04 00 04 01 02 04 02 01 00"},
      {R"({"type":"SET","sort":true,"value":[{"type":"TAGGEDTYPE","number":1,"implicit":true,"value":{"type":"NULL"}},{"type":"TAGGEDTYPE","class":"APPLICATION","number":5,"implicit":true,"value":{"type":"NULL"}},{"type":"BOOLEAN","value":true},{"type":"TAGGEDTYPE","number":0,"implicit":true,"value":{"type":"NULL"}}]})",
       "31 09 01 01 FF 45 00 80 00 81 00"},
      {R"({"type":"BITSTRING","value":[true,false,true,false,false,false,false,false,false]})", "03 02 05 A0"},
      {R"({"type":"BITSTRING","value":[false,false]})", "03 01 00"},
      {R"({"type":"BITSTRING","value":[false,false,false,false,false,false,false,true,true]})", "03 03 07 01 80"},
      {R"({"type":"BMPSTRING","value":"Aé"})", "1E 04 00 41 00 E9"},
      {R"({"type":"T61STRING","value":"ab"})", "14 01 AB"},
      {R"({"type":"ISO636STRING","value":"x"})", "1A 01 78"},
      {R"({"type":"SEQUENCEOF","indefinite":true,"value":[]})", "30 80 00 00"},
      {R"({"type":"OID","value":"2.999"})", "06 02 88 37"},
      {R"({"type":"OID","value":"1 2 3"})", "06 02 2A 03"},
      {R"({"type":"TAGGEDTYPE","class":"PRIVATE","number":31,"value":{"type":"NULL"}})", "FF 1F 02 05 00"},
      // implicit tags take the form of the value they replace, through nesting
      {R"({"type":"TAGGEDTYPE","number":2,"implicit":true,"value":{"type":"TAGGEDTYPE","number":3,"implicit":true,"value":{"type":"SET","value":[]}}})",
       "A2 00"},
      {R"({"type":"TAGGEDTYPE","number":2,"implicit":true,"value":{"type":"UTF8STRING","constructed":true,"value":[]}})",
       "A2 00"},
      // "user defined" octets take precedence
      {R"({"type":"INTEGER","value":1,"user defined":{"length":"8101"}})", "02 81 01 01"},
      {R"({"type":"OCTETSTRING","indefinite":true,"constructed":true,"value":[],"user defined":{"end of contents":""}})",
       "24 80"},
      {R"({"type":"NULL","user defined":{"identifier":"9F801F","length":3,"content":"010203"}})",
       "9F 80 1F 03 01 02 03"},
      // Implicit over implicit over a SEQUENCE: the outer tag, constructed.
      {R"({"type":"TAGGEDTYPE","number":1,"implicit":true,"value":{"type":"TAGGEDTYPE","number":2,"implicit":true,)"
       R"("value":{"type":"SEQUENCE","value":[{"type":"NULL"}]}}})",
       "A1 02 05 00"},
      // Explicit over implicit over an INTEGER.
      {R"({"type":"TAGGEDTYPE","number":3,"value":{"type":"TAGGEDTYPE","number":4,"implicit":true,)"
       R"("value":{"type":"INTEGER","value":-129}}})",
       "A3 04 84 02 FF 7F"},
      // Long contents under two constructed levels.
      {R"({"type":"SEQUENCE","value":[{"type":"SET","value":[{"type":"OCTETSTRING","value":)" + long_hex + "}]}]}",
       "30 81 CE 31 81 CB 04 81 C8" + aa},
      // User-defined identifier and length around long contents, and an
      // end-of-contents override after an indefinite length.
      {R"({"type":"SEQUENCE","user defined":{"identifier":"BF1F","length":"8400000003"},"value":[{"type":"NULL"}]})",
       "BF 1F 84 00 00 00 03 05 00"},
      {R"({"type":"OCTETSTRING","user defined":{"length":200},"value":)" + long_hex + "}", "04 81 C8" + aa},
      {R"({"type":"SEQUENCE","indefinite":true,"user defined":{"end of contents":"0000FF"},"value":[]})",
       "30 80 00 00 FF"},
      // User-defined contents replace a tagged node's inner encoding.
      {R"({"type":"TAGGEDTYPE","number":0,"user defined":{"content":"0101FF"},"value":{"type":"INTEGER","value":5}})",
       "A0 03 01 01 FF"},
      // Sorted SET OF of elements of different lengths, nested in a SEQUENCE.
      {R"({"type":"SEQUENCE","value":[{"type":"NULL"},{"type":"SETOF","sort":true,"value":[)"
       R"({"type":"INTEGER","value":256},{"type":"INTEGER","value":1},{"type":"BOOLEAN","value":true}]}]})",
       "30 0E 05 00 31 0A 01 01 FF 02 01 01 02 02 01 00"},
  };
  for (const auto &c : cases) {
    bool ok = false;
    Bytes out = encode_text(c.json, &ok);
    EXPECT_TRUE(ok) << c.json;
    EXPECT_EQ(to_hex(out), to_hex(hex(c.der))) << c.json;
    // The diagnostic form gives the same octets and no message.
    JsonPtr tree = json_parse(c.json);
    korvu::BlobHolder der;
    korvu::MemHolder<char> message;
    ASSERT_EQ(korvu_asn1_encodejson_diag(tree.get(), der.out(), message.out()), 1) << c.json;
    EXPECT_FALSE(message);
    EXPECT_EQ(Bytes(der->data, der->data + der->length), out) << c.json;
  }
  // An encoding that is empty: all its octets given, and none.
  korvu::BlobHolder der;
  JsonPtr empty = json_parse(R"({"type":"NULL","user defined":{"identifier":"","length":""}})");
  ASSERT_EQ(korvu_asn1_encodejson_diag(empty.get(), der.out(), nullptr), 1);
  EXPECT_EQ(der->length, 0u);
  EXPECT_EQ(korvu_asn1_encodejson_diag(nullptr, der.out(), nullptr), static_cast<int>(KORVU_ERR_NULLARG));
  EXPECT_EQ(korvu_asn1_encodejson_diag(empty.get(), nullptr, nullptr), static_cast<int>(KORVU_ERR_NULLARG));
  // An inner failure under an implicit tag leaves no output.
  bool ok = true;
  encode_text(R"({"type":"TAGGEDTYPE","number":1,"implicit":true,"value":{"type":"OID","value":"9.9"}})", &ok);
  EXPECT_FALSE(ok);
}

// Refused by both encoders; the diagnostic form's message starts with the
// path of the node at fault and says why.
TEST(JsonEncode, RefusesMalformedTrees) {
  struct Case {
    const char *json, *path = nullptr, *says = nullptr;
  } cases[] = {
      {R"([])", "$: ", "not a JSON object"},
      {R"({"value":5})"},  // no "type"
      {R"({"type":5})"},  // "type" not a string
      {R"({"type":"INTEGR","value":5})"},  // unknown kind
      {R"({"type":"INTEGER"})"},  // no "value"
      {R"({"type":"INTEGER","value":5.5})"},  // not integral
      {R"({"type":"INTEGER","value":2147483648})"},  // past 32 bits as a number
      {R"({"type":"INTEGER","value":"12a"})"},
      {R"({"type":"INTEGER","value":"0x"})"},
      {R"({"type":"INTEGER","value":"-"})"},
      {R"({"type":"INTEGER","value":"+5"})"},
      {R"({"type":"INTEGER","value":true})"},
      {R"({"type":"BOOLEAN","value":1})"},
      {R"({"type":"BOOLEAN","constructed":true,"value":[]})"},
      {R"({"type":"OCTETSTRING","value":"ABC"})"},  // odd hex
      {R"({"type":"OCTETSTRING","value":"GG"})"},  // bad digit
      {R"({"type":"OCTETSTRING","value":"4 1"})"},
      {R"({"type":"OCTETSTRING","constructed":true,"value":"41"})"},
      {R"({"type":"BITSTRING","value":{"unused bits":8,"value":"00"}})", "$.value.unused bits: ", "0 to 7"},
      {R"({"type":"BITSTRING","value":{"unused bits":1,"value":""}})"},
      {R"({"type":"BITSTRING","value":{"unused bits":1.5,"value":"00"}})"},
      {R"({"type":"BITSTRING","value":{"value":"00"}})"},
      {R"({"type":"BITSTRING","value":[true,1]})", "$.value[1]: ", "true or false"},
      {R"({"type":"OID","value":"1.40"})"},
      {R"({"type":"OID","value":"1.2."})"},
      {R"({"type":"ROID","value":""})"},
      {R"({"type":"BMPSTRING","value":"😀"})"},  // outside the BMP
      {R"({"type":"SEQUENCE","value":{}})"},
      {R"({"type":"SEQUENCE","value":[5]})"},
      {R"({"type":"SEQUENCE","value":[{"type":"NULL"},{"type":"BOGUS"}]})", "$.value[1]: ", "unknown \"type\" \"BOGUS\""},
      {R"({"type":"SEQUENCE","indefinite":"yes","value":[]})"},
      {R"({"type":"TAGGEDTYPE","value":{"type":"NULL"}})", "$: ", "\"number\""},
      {R"({"type":"TAGGEDTYPE","number":-1,"value":{"type":"NULL"}})"},
      {R"({"type":"TAGGEDTYPE","number":2147483648,"value":{"type":"NULL"}})"},
      {R"({"type":"TAGGEDTYPE","number":1.5,"value":{"type":"NULL"}})"},
      {R"({"type":"TAGGEDTYPE","number":1,"class":"LOCAL","value":{"type":"NULL"}})"},
      {R"({"type":"TAGGEDTYPE","number":1})"},
      {R"({"type":"UNKNOWN","user defined":{"content":"00"}})"},  // no identifier
      {R"({"type":"UNKNOWN","user defined":{"identifier":"04"}})"},  // primitive without content
      {R"({"type":"REAL"})"},
      {R"({"type":"NULL","user defined":"05"})"},
      {R"({"type":"NULL","user defined":{"length":-1}})"},
      {R"({"type":"NULL","user defined":{"length":2147483648}})"},
      {R"({"type":"NULL","user defined":{"length":"8"}})", "$.user defined.length: ", "hexadecimal"},
      {R"({"type":"NULL","user defined":{"identifier":"0x05"}})"},
      {R"({"type":"SEQUENCE","value":[{"type":"NULL"},{"type":"TAGGEDTYPE","number":1,"value":{"type":"INTEGER","value":1.5}}]})",
       "$.value[1].value.value: ", "integral"},
  };
  for (const Case &c : cases) {
    JsonPtr tree = json_parse(c.json);
    ASSERT_TRUE(tree) << c.json;
    korvu::BlobHolder plain(korvu_asn1_encodejson(tree.get())), der;
    EXPECT_FALSE(plain) << c.json << " gave " << to_hex(plain->data, plain->length);
    korvu::MemHolder<char> message;
    EXPECT_EQ(korvu_asn1_encodejson_diag(tree.get(), der.out(), message.out()), 0) << c.json;
    EXPECT_FALSE(der);
    ASSERT_TRUE(message) << c.json;
    const std::string m = message.get();
    EXPECT_EQ(m.rfind(c.path ? c.path : "$", 0), 0u) << c.json << ": " << m;
    if (c.says) {
      EXPECT_NE(m.find(c.says), std::string::npos) << c.json << ": " << m;
    }
  }
  EXPECT_EQ(korvu_asn1_encodejson(nullptr), nullptr);
}

// The encoder reads dotted text without building a value; it must accept
// exactly what korvu_asn1_oid_new and korvu_asn1_relative_oid_new accept,
// with the same contents octets.
TEST(JsonEncodeOid, SameTextsAsTheOidConstructors) {
  const char *texts[] = {
      "1.2.840.113549.1.1.11", "2.5.4.3", "0.0", "0.39", "1.39", "2.40", "2.999.3", "1 2 3", "1.2 3",
      "0.40", "1.40", "3.1", "1", "1.", ".1", "1..2", "1.2.", "a.b", "1.2.x", "", "12",
      "2.18446744073709551534", "2.18446744073709551535", "1.2.18446744073709551614", "1.2.18446744073709551615",
      "1.2.000000000000000000000000000001", "1.2.0000000000000000000000000000001", "1.2.-3", "01.02.03",
  };
  for (bool relative : {false, true}) {
    for (const char *text : texts) {
      const uint32_t type = relative ? KORVU_TYPE_RELATIVE_OID : KORVU_TYPE_OBJECT_IDENTIFIER;
      korvu::Value oid(type, relative ? korvu_asn1_relative_oid_new(text) : korvu_asn1_oid_new(text));
      bool ok = false;
      const Bytes der = encode_text(std::string(R"({"type":")") + (relative ? "ROID" : "OID") +
                                        R"(","value":")" + text + R"("})",
                                    &ok);
      EXPECT_EQ(ok, static_cast<bool>(oid)) << text << (relative ? " (relative)" : "");
      if (!ok || !oid) continue;
      const auto *v = oid.as<KORVU_ASN1_OID>();
      Bytes expected{static_cast<unsigned char>(relative ? 0x0D : 0x06)};
      if (v->length >= 0x80) expected.push_back(0x81);
      expected.push_back(static_cast<unsigned char>(v->length));
      expected.insert(expected.end(), v->data, v->data + v->length);
      EXPECT_EQ(to_hex(der), to_hex(expected)) << text;
    }
  }
}


// ---------------------------------------------------------------------------
// Random encodings: every length form, both forms of strings, all classes,
// high tag numbers and nesting; then mutations of the ones made.

class Gen {
 public:
  explicit Gen(uint32_t seed) : rng_(seed) {}

  Bytes value(int depth) {
    int pick = next(10);
    if (depth >= 6 || pick < 5) return primitive();
    Bytes contents;
    int n = next(4);
    for (int i = 0; i < n; i++) {
      Bytes e = value(depth + 1);
      contents.insert(contents.end(), e.begin(), e.end());
    }
    static const unsigned char kConstructed[] = {0x30, 0x31, 0x24, 0x23, 0x2C, 0x33, 0x28, 0xA0, 0x61, 0xE5, 0x37};
    Bytes id{kConstructed[next(sizeof kConstructed)]};
    if (next(6) == 0) id = tag_octets(0x20 | (next(2) ? 0x80 : 0x40));
    return wrap(id, contents, /*may_be_indefinite=*/true);
  }

  uint32_t next(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng_); }

 private:
  Bytes tag_octets(unsigned char first) {
    Bytes id{static_cast<unsigned char>(first | 0x1F)};
    if (next(3) == 0) id.push_back(0x80);  // a non-minimal group
    uint32_t tag = 31 + next(next(2) ? 200 : 0x7FFFFFE0u);
    unsigned char tmp[5];
    int k = 0;
    for (uint32_t v = tag; v != 0; v >>= 7) tmp[k++] = static_cast<unsigned char>(v & 0x7F);
    while (k > 1) id.push_back(static_cast<unsigned char>(0x80 | tmp[--k]));
    id.push_back(tmp[0]);
    return id;
  }

  Bytes primitive() {
    static const unsigned char kTags[] = {1, 2, 3, 4, 5, 6, 9, 10, 12, 13, 18, 19, 20, 22, 23, 24, 26, 28, 30, 0x80, 0x41, 0xC3};
    unsigned char t = kTags[next(sizeof kTags)];
    Bytes contents;
    int n = next(4) == 0 ? 0 : static_cast<int>(next(6));
    for (int i = 0; i < n; i++) contents.push_back(random_octet());
    if (t == 1 && next(2)) contents = {static_cast<unsigned char>(next(2) ? 0xFF : 0x00)};
    if (t == 6 && next(2)) contents = hex("2A 86 48 86 F7 0D 01 01 0B");
    if (t == 23 && next(2)) contents = hex("34 39 31 32 33 31 32 33 35 39 35 39 5A");
    Bytes id{t};
    if (next(12) == 0) id = tag_octets(next(2) ? 0x80 : 0xC0);
    return wrap(id, contents, false);
  }

  unsigned char random_octet() {
    static const unsigned char kSpecial[] = {0x00, 0x7F, 0x80, 0xFF, 0x41, 0xC3, 0xA9, 0xD8};
    return next(3) ? kSpecial[next(sizeof kSpecial)] : static_cast<unsigned char>(next(256));
  }

  Bytes wrap(const Bytes &id, const Bytes &contents, bool may_be_indefinite) {
    Bytes out = id;
    int form = static_cast<int>(next(may_be_indefinite ? 4 : 3));
    if (form == 3) {
      out.push_back(0x80);
      out.insert(out.end(), contents.begin(), contents.end());
      out.push_back(0);
      out.push_back(0);
      return out;
    }
    uint32_t n = static_cast<uint32_t>(contents.size());
    if (form == 0) {  // minimal
      const Bytes tlv = korvu_test::der_tlv(0, contents);
      out.insert(out.end(), tlv.begin() + 1, tlv.end());
      return out;
    }
    if (form == 1) {  // long form with leading zero octets
      int zeros = static_cast<int>(next(3));
      out.push_back(static_cast<unsigned char>(0x80 | (zeros + 2)));
      for (int i = 0; i < zeros; i++) out.push_back(0);
      out.push_back(static_cast<unsigned char>(n >> 8));
      out.push_back(static_cast<unsigned char>(n));
    } else {
      out.push_back(0x81);
      out.push_back(static_cast<unsigned char>(n));
      if (n > 255) return wrap(id, contents, false);
    }
    out.insert(out.end(), contents.begin(), contents.end());
    return out;
  }

  std::mt19937 rng_;
};

// Whatever is rendered encodes back to the same octets, and the ANY decoder
// accepts it whole as well (the renderer is never looser than ANY).
void check_input(const Bytes &in, size_t &accepted, std::vector<std::string> &failures) {
  if (in.empty()) return;
  JsonPtr tree = render(in);
  {
    // The diagnostic form agrees, and a refusal says why and points inside
    // the input.
    korvu::JsonHolder diag;
    korvu::MemHolder<char> message;
    uint32_t offset = 0xFFFFFFFFu;
    int r = korvu_asn1_tojson_diag(in.data(), static_cast<int32_t>(in.size()), diag.out(), message.out(), &offset);
    std::string why;
    if ((r == 1) != static_cast<bool>(tree)) {
      why = "the diagnostic form gives " + std::to_string(r);
    } else if (r == 1 && (message || offset != 0 || text(diag.get()) != text(tree.get()))) {
      why = "the diagnostic form renders differently";
    } else if (r != 1 && (r != 0 || !message || *message.get() == '\0' || offset > in.size())) {
      why = "refused without a message, or at offset " + std::to_string(offset);
    }
    if (!why.empty() && failures.size() < 10) failures.push_back(to_hex(in) + ": " + why);
  }
  if (!tree) return;
  accepted++;
  std::string why = round_trip(in);
  korvu::Value any(KORVU_TYPE_ANY);
  uint32_t used = korvu_asn1_mem_decode(in.data(), static_cast<int32_t>(in.size()), KORVU_TYPE_ANY, any.out());
  if (why.empty() && used != in.size()) why = "ANY does not take it whole";
  if (!why.empty() && failures.size() < 10) failures.push_back(to_hex(in) + ": " + why);
}

TEST(JsonProperty, RandomEncodingsAndTheirMutations) {
  Gen gen(20240611);
  size_t accepted = 0, total = 0;
  std::vector<std::string> failures;
  for (int i = 0; i < 4000; i++) {
    Bytes b = gen.value(0);
    check_input(b, accepted, failures);
    total++;
    // A mutation: a flipped octet, a cut, or an inserted octet.
    Bytes m = b;
    size_t at = gen.next(static_cast<uint32_t>(m.size()));
    switch (gen.next(3)) {
      case 0:
        m[at] ^= static_cast<unsigned char>(1u << gen.next(8));
        break;
      case 1:
        m.resize(at);
        break;
      default:
        m.insert(m.begin() + static_cast<std::ptrdiff_t>(at), static_cast<unsigned char>(gen.next(256)));
    }
    check_input(m, accepted, failures);
    total++;
  }
  for (const auto &f : failures) ADD_FAILURE() << f;
  std::printf("random encodings: %zu of %zu rendered and round-tripped\n", accepted, total);
  EXPECT_GT(accepted, total / 3);  // the generator must exercise the renderer
}

// ---------------------------------------------------------------------------
// Real files.

Bytes load(const std::string &path) {
  Bytes raw = korvu_test::read_file(path);
  korvu::tool::LoadedInput in;
  std::string error;
  if (!korvu::tool::load_input(raw, in, error)) return {};
  return in.bytes;
}

TEST(JsonCorpus, ValidFilesRenderAndRoundTrip) {
  if (!korvu_test::have_corpus()) GTEST_SKIP() << "no corpus";
  size_t sound = 0, accepted = 0, mutated = 0, mutated_ok = 0;
  std::vector<std::string> failures;
  std::mt19937 rng(7);
  for (const auto &row : korvu_test::corpus_manifest()) {
    if (row.encoding == "json") continue;
    Bytes in = load(korvu_test::corpus_dir() + "/" + row.path);
    if (in.empty()) continue;
    // Files whose TLV structure is sound, by the manifest's independent walk,
    // and that ANY takes whole (its tag table and nesting limit hold).
    bool tlv_sound = row.note.find("tlv-walk ok;") != std::string::npos;
    if (tlv_sound) {
      korvu::Value any(KORVU_TYPE_ANY);
      uint32_t used = korvu_asn1_mem_decode(in.data(), static_cast<int32_t>(in.size()), KORVU_TYPE_ANY, any.out());
      int deepest = 0;  // constructed levels
      if (used == in.size())
        korvu_test::ber_walk(in, 0, in.size(), 0, 1000, false, [&](size_t at, int depth) {
          deepest = std::max(deepest, depth + ((in[at] & 0x20) ? 1 : 0));
        });
      tlv_sound = used == in.size() && deepest < korvu_get_recursive_level() / 2;
    }
    if (row.expect == "valid" && tlv_sound) {
      sound++;
      korvu::JsonHolder tree;
      korvu::MemHolder<char> message;
      uint32_t offset = 0;
      if (korvu_asn1_tojson_diag(in.data(), static_cast<int32_t>(in.size()), tree.out(), message.out(), &offset) != 1) {
        if (failures.size() < 10) {
          failures.push_back(row.path + ": " + (message ? message.get() : "?") + " at " + std::to_string(offset));
        }
      } else {
        accepted++;
        std::string why = round_trip(in);
        if (!why.empty() && failures.size() < 10) failures.push_back(row.path + ": " + why.substr(0, 300));
      }
    } else {
      // Malformed and unknown files: whatever renders must round-trip.
      check_input(in, mutated_ok, failures);
    }
    // A few mutations of every file.
    for (int k = 0; k < 3 && in.size() > 1; k++) {
      Bytes m = in;
      size_t at = std::uniform_int_distribution<size_t>(0, m.size() - 1)(rng);
      m[at] = static_cast<unsigned char>(rng());
      check_input(m, mutated_ok, failures);
      mutated++;
    }
  }
  for (const auto &msg : failures) ADD_FAILURE() << msg;
  std::printf("corpus: %zu of %zu valid files with a sound TLV structure rendered and round-tripped\n", accepted,
              sound);
  EXPECT_GT(sound, 1000u);
  EXPECT_EQ(accepted, sound);
}

TEST(JsonCorpus, WycheproofHexFieldsRoundTrip) {
  if (!korvu_test::have_corpus()) GTEST_SKIP() << "no corpus";
  size_t fields = 0, accepted = 0;
  std::vector<std::string> failures;
  for (const char *name : {"misc/wycheproof__ecdsa_secp256r1_sha256_test.json", "misc/wycheproof__ecdh_secp256r1_test.json"}) {
    Bytes raw = korvu_test::read_file(korvu_test::corpus_dir() + "/" + name);
    ASSERT_FALSE(raw.empty()) << name;
    JsonPtr doc(korvu_json_parse(reinterpret_cast<const char *>(raw.data()), static_cast<uint32_t>(raw.size())));
    ASSERT_TRUE(doc) << name;
    const KORVU_JSON *groups = korvu_json_getobjectvalue(doc.get(), "testGroups");
    for (uint32_t g = 0; g < korvu_json_getarraysize(groups); g++) {
      const KORVU_JSON *tests = korvu_json_getobjectvalue(korvu_json_getarrayitem(groups, g), "tests");
      for (uint32_t t = 0; t < korvu_json_getarraysize(tests); t++) {
        for (const char *key : {"sig", "public"}) {
          const KORVU_JSON *v = korvu_json_getobjectvalue(korvu_json_getarrayitem(tests, t), key);
          if (korvu_json_gettype(v) != KORVU_JSON_STRING) continue;
          fields++;
          check_input(hex(korvu_json_getstring(v)), accepted, failures);
        }
      }
    }
  }
  for (const auto &msg : failures) ADD_FAILURE() << msg;
  std::printf("wycheproof: %zu of %zu encodings rendered and round-tripped\n", accepted, fields);
  EXPECT_GT(fields, 500u);
}

}  // namespace
