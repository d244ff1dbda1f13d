// The JSON encoder's own readings of object identifiers, and the node shapes
// that put headers in front of contents written first: nested implicit tags,
// user-defined octets around long contents, end-of-contents overrides.
#include <string>

#include "korvu/holder.hpp"
#include "test_util.h"

namespace {

using korvu_test::Bytes;
using korvu_test::hex;
using korvu_test::to_hex;

// The octets of a tree given as JSON text; `ok` false when it is refused.
Bytes encode_json(const std::string &json, bool *ok) {
  korvu_test::JsonPtr tree(korvu_json_parse(json.data(), static_cast<uint32_t>(json.size())));
  EXPECT_TRUE(tree) << json;
  korvu::BlobHolder der(korvu_asn1_encodejson(tree.get()));
  *ok = static_cast<bool>(der);
  return der ? Bytes(der->data, der->data + der->length) : Bytes{};
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
      const Bytes der = encode_json(std::string(R"({"type":")") + (relative ? "ROID" : "OID") +
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

TEST(JsonEncode, HeadersInFrontOfContentsWrittenFirst) {
  // 200 octets of contents, long enough for two length octets at each level.
  const std::string body(400, 'A');
  const std::string long_hex = "\"" + body + "\"";
  const Bytes data(200, 0xAA);
  struct Case {
    std::string json;
    Bytes der;
  } cases[] = {
      // Implicit over implicit over a SEQUENCE: the outer tag, constructed.
      {R"({"type":"TAGGEDTYPE","number":1,"implicit":true,"value":{"type":"TAGGEDTYPE","number":2,"implicit":true,)"
       R"("value":{"type":"SEQUENCE","value":[{"type":"NULL"}]}}})",
       hex("A1 02 05 00")},
      // Explicit over implicit over an INTEGER.
      {R"({"type":"TAGGEDTYPE","number":3,"value":{"type":"TAGGEDTYPE","number":4,"implicit":true,)"
       R"("value":{"type":"INTEGER","value":-129}}})",
       hex("A3 04 84 02 FF 7F")},
      // Long contents under two constructed levels.
      {R"({"type":"SEQUENCE","value":[{"type":"SET","value":[{"type":"OCTETSTRING","value":)" + long_hex + "}]}]}",
       [&] {
         Bytes b = hex("30 81 CE 31 81 CB 04 81 C8");
         b.insert(b.end(), data.begin(), data.end());
         return b;
       }()},
      // User-defined identifier and length around long contents, and an
      // end-of-contents override after an indefinite length.
      {R"({"type":"SEQUENCE","user defined":{"identifier":"BF1F","length":"8400000003"},"value":[{"type":"NULL"}]})",
       hex("BF 1F 84 00 00 00 03 05 00")},
      {R"({"type":"OCTETSTRING","user defined":{"length":200},"value":)" + long_hex + "}",
       [&] {
         Bytes b = hex("04 81 C8");
         b.insert(b.end(), data.begin(), data.end());
         return b;
       }()},
      {R"({"type":"SEQUENCE","indefinite":true,"user defined":{"end of contents":"0000FF"},"value":[]})",
       hex("30 80 00 00 FF")},
      // User-defined contents replace a tagged node's inner encoding.
      {R"({"type":"TAGGEDTYPE","number":0,"user defined":{"content":"0101FF"},"value":{"type":"INTEGER","value":5}})",
       hex("A0 03 01 01 FF")},
      // Sorted SET OF of elements of different lengths, nested in a SEQUENCE.
      {R"({"type":"SEQUENCE","value":[{"type":"NULL"},{"type":"SETOF","sort":true,"value":[)"
       R"({"type":"INTEGER","value":256},{"type":"INTEGER","value":1},{"type":"BOOLEAN","value":true}]}]})",
       hex("30 0E 05 00 31 0A 01 01 FF 02 01 01 02 02 01 00")},
  };
  for (const Case &c : cases) {
    bool ok = false;
    const Bytes der = encode_json(c.json, &ok);
    EXPECT_TRUE(ok) << c.json;
    EXPECT_EQ(to_hex(der), to_hex(c.der)) << c.json;
  }
  // An inner failure under an implicit tag leaves no output.
  bool ok = true;
  encode_json(R"({"type":"TAGGEDTYPE","number":1,"implicit":true,"value":{"type":"OID","value":"9.9"}})", &ok);
  EXPECT_FALSE(ok);
}

}  // namespace
