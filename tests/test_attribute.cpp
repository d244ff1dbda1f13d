// Attributes (X.500 and plain forms), Attributes sets and the directory
// attribute value types.
#include <cstring>

#include "test_util.h"

using namespace korvu_test;

namespace {

const std::string kContentType = "06 09 2A 86 48 86 F7 0D 01 09 03 ";
const std::string kCtxA = "30 0A 06 03 2A 03 04 31 03 02 01 01 ";
const std::string kCtxB = "30 0D 06 03 2A 03 04 31 03 02 01 01 01 01 FF ";

KORVU_ASN1_LIST *any_list(std::initializer_list<std::string> encodings) {
  KORVU_ASN1_LIST *l = korvu_asn1_list_new();
  for (const std::string &e : encodings) {
    Bytes b = hex(e);
    void *v = nullptr;
    EXPECT_EQ(korvu_asn1_mem_decode(b.data(), static_cast<int32_t>(b.size()), KORVU_TYPE_ANY, &v), b.size());
    EXPECT_EQ(korvu_asn1_list_put(l, v), 1);
  }
  return l;
}

KORVU_X500_ATTRIBUTE *attribute(const char *oid, std::initializer_list<std::string> values) {
  KORVU_ASN1_OID *o = korvu_asn1_oid_new(oid);
  KORVU_ASN1_LIST *l = any_list(values);
  KORVU_X500_ATTRIBUTE *a = korvu_x500attribute_new(o, l);
  korvu_asn1_list_free(l, KORVU_TYPE_ANY);
  korvu_asn1_value_free(KORVU_TYPE_OBJECT_IDENTIFIER, o);
  return a;
}

// Decodes `der` as `type` and writes the same octets back.
void expect_round_trip(uint32_t type, const Bytes &der) {
  ErrCtx ctx;
  Val v(type, decode(type, der, ctx));
  ASSERT_NE(v.v, nullptr) << to_hex(der);
  EXPECT_EQ(encode(type, v.v), der);
}

}  // namespace

TEST(X500Attribute, ValuesAreWrittenInOrderUntilSorted) {
  KORVU_X500_ATTRIBUTE *a = attribute("1.2.840.113549.1.9.3", {"04 01 02", "04 01 01"});
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(korvu_x500attribute_hascontext(a), 0);
  EXPECT_EQ(korvu_x500attribute_getcontext(a), nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTRIBUTE, a)), to_hex(hex("30 13 " + kContentType + "31 06 04 01 02 04 01 01")));
  EXPECT_EQ(korvu_x500attribute_sort(a), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTRIBUTE_PLAIN, a)),
            to_hex(hex("30 13 " + kContentType + "31 06 04 01 01 04 01 02")));
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_ATTRIBUTE_PLAIN, a), 21u);
  korvu_asn1_value_free(KORVU_TYPE_ATTRIBUTE, a);
  EXPECT_EQ(korvu_x500attribute_new(nullptr, nullptr), nullptr);
  EXPECT_EQ(korvu_x500attribute_sort(nullptr), 0);

  // An empty values SET is accepted in both forms.
  for (uint32_t type : {KORVU_TYPE_ATTRIBUTE, KORVU_TYPE_ATTRIBUTE_PLAIN})
    expect_round_trip(type, hex("30 0D " + kContentType + "31 00"));
  expect_decode_fails(KORVU_TYPE_ATTRIBUTE, hex("30 0D " + kContentType + "30 00"), 0x1020A);  // values must be a SET
}

TEST(X500Attribute, ValuesWithContextOnlyInTheX500Form) {
  const std::string item_z = "30 11 0C 01 7A 31 0C " + kCtxA;
  const std::string item_y = "30 14 0C 01 79 31 0F " + kCtxB;
  const Bytes ber = hex("30 3B " + kContentType + "31 03 04 01 01 31 29 " + item_y + item_z);
  ErrCtx ctx;
  auto *a = static_cast<KORVU_X500_ATTRIBUTE *>(decode(KORVU_TYPE_ATTRIBUTE, ber, ctx));
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(korvu_x500attribute_hascontext(a), 1);
  KORVU_ASN1_LIST *items = korvu_x500attribute_getcontext(a);
  ASSERT_EQ(korvu_asn1_list_getsize(items), 2);
  auto *first = static_cast<KORVU_X500_ATTRVALWITHCTX *>(items->items[0]);
  uint32_t tag = 0;
  ASSERT_EQ(korvu_asn1_any_gettagnumber(korvu_x500attrvalueswithcontextitem_getvalue(first), &tag), 1);
  EXPECT_EQ(tag, 12u);
  EXPECT_EQ(korvu_asn1_list_getsize(korvu_x500attrvalueswithcontextitem_getcontexts(first)), 1);
  EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTE, a), ber);

  // The plain form has no length for it and refuses to write it.
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_ATTRIBUTE_PLAIN, a), 0xFFFFFFFEu);
  ErrCtx ectx;
  KORVU_STREAM *m = korvu_stream_new_mem(64, nullptr);
  EXPECT_NE(korvu_asn1_encode(m, KORVU_TYPE_ATTRIBUTE_PLAIN, a, nullptr, ectx), 1);
  EXPECT_GT(ectx.count(), 0u);
  ErrCtx cctx;
  EXPECT_NE(korvu_asn1_encode_content(m, KORVU_TYPE_ATTRIBUTE_PLAIN, a,
                                      korvu_asn1_content_length(KORVU_TYPE_ATTRIBUTE, a), nullptr, cctx),
            1);
  EXPECT_TRUE(cctx.has(0x1027D));
  uint32_t written = 1;
  korvu_memstream_data(m, &written);
  EXPECT_EQ(written, 0u);
  korvu_stream_free(m);

  // Items are sorted by their encodings (z's is shorter).
  ASSERT_EQ(korvu_x500attribute_sort(a), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTRIBUTE, a)),
            to_hex(hex("30 3B " + kContentType + "31 03 04 01 01 31 29 " + item_z + item_y)));
  korvu_asn1_value_free(KORVU_TYPE_ATTRIBUTE, a);

  // Refused: the plain form, SIZE (1..MAX) of valuesWithContext and of an
  // item's contexts, something after valuesWithContext, every truncation.
  expect_decode_fails(KORVU_TYPE_ATTRIBUTE_PLAIN, ber, 0x1027D);
  for (uint32_t code : {0x1020Cu, 0x1027Au})
    expect_decode_fails(KORVU_TYPE_ATTRIBUTE, hex("30 12 " + kContentType + "31 03 04 01 01 31 00"), code);
  expect_decode_fails(KORVU_TYPE_ATTRIBUTE_VALUE_WITH_CONTEXT_ITEM, hex("30 05 0C 01 7A 31 00"), 0x1020C);
  expect_decode_fails(KORVU_TYPE_ATTRIBUTE, hex("30 3D " + kContentType + "31 03 04 01 01 31 29 " + item_z + item_y + "05 00"),
                 0x1020A);
  expect_cuts_fail(KORVU_TYPE_ATTRIBUTE, ber);
}

TEST(X500Attribute, AttributesSetSortsEveryAttributeThenItself) {
  KORVU_ASN1_LIST *set = korvu_asn1_list_new();
  // contentType with unsorted values, then challengePassword
  korvu_asn1_list_put(set, attribute("1.2.840.113549.1.9.3", {"04 01 02", "04 01 01"}));
  korvu_asn1_list_put(set, attribute("1.2.840.113549.1.9.7", {"0C 02 70 77"}));
  const std::string challenge = "30 11 06 09 2A 86 48 86 F7 0D 01 09 07 31 04 0C 02 70 77 ";
  EXPECT_EQ(korvu_asn1_pkcs10attributes_sort(set), 1);
  KORVU_DATA_BLOB *b = korvu_asn1_mem_encode(KORVU_TYPE_ATTRIBUTES, set);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(to_hex(b->data, b->length),
            to_hex(hex("31 28 " + challenge + "30 13 " + kContentType + "31 06 04 01 01 04 01 02")));
  korvu_data_blob_free(b);
  EXPECT_EQ(korvu_asn1_pkcs10attributes_sort(nullptr), 0);
  korvu_asn1_list_free(set, KORVU_TYPE_ATTRIBUTE_PLAIN);

  // A SET holding an X.500-form attribute is no Attributes value.
  expect_decode_fails(KORVU_TYPE_ATTRIBUTES, hex("31 24 30 22 " + kContentType + "31 00 31 13 30 11 0C 01 7A 31 0C " + kCtxA),
                 0x1027D);
}

TEST(X500Attribute, UuidPair) {
  unsigned char issuer[16], subject[16], out[16];
  for (int i = 0; i < 16; i++) {
    issuer[i] = static_cast<unsigned char>(i);
    subject[i] = static_cast<unsigned char>(0xF0 + i);
  }
  Val p(KORVU_TYPE_UUIDPAIR, korvu_x500uuidpair_new(issuer, subject));
  ASSERT_NE(p.v, nullptr);
  const std::string hi = "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ";
  const std::string hs = "F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF ";
  const Bytes der = hex("30 24 04 10 " + hi + "04 10 " + hs);
  EXPECT_EQ(encode(KORVU_TYPE_UUIDPAIR, p.v), der);
  EXPECT_EQ(korvu_asn1_content_length(KORVU_TYPE_UUIDPAIR, p.v), 36u);
  EXPECT_EQ(korvu_x500uuidpair_new(issuer, nullptr), nullptr);

  ErrCtx ctx;
  // BER: indefinite, and the issuer in two segments.
  Val dv(KORVU_TYPE_UUIDPAIR,
         decode(KORVU_TYPE_UUIDPAIR,
                hex("30 80 24 80 04 08 " + hi.substr(0, 24) + "04 08 " + hi.substr(24) + "00 00 04 10 " + hs + "00 00"),
                ctx));
  ASSERT_NE(dv.v, nullptr);
  auto *d = dv.as<KORVU_X500_UUIDPAIR>();
  EXPECT_EQ(korvu_x500uuidpair_getissueruuid(d, out), 1);
  EXPECT_EQ(std::memcmp(out, issuer, 16), 0);
  EXPECT_EQ(korvu_x500uuidpair_getsubjectuuid(d, out), 1);
  EXPECT_EQ(std::memcmp(out, subject, 16), 0);
  EXPECT_EQ(encode(KORVU_TYPE_UUIDPAIR, d), der);
  EXPECT_EQ(korvu_x500uuidpair_getissueruuid(nullptr, out), 0);

  struct Bad {
    std::string in;
    uint32_t code;
  } cases[] = {
      {"30 23 04 0F " + hi.substr(3) + "04 10 " + hs, 0x1020B},            // 15 octets
      {"30 25 04 11 " + hi + "00 04 10 " + hs, 0x1020B},                   // 17 octets
      {"30 12 04 10 " + hi, 0x1020A},                                      // one UUID
      {"30 26 04 10 " + hi + "04 10 " + hs + "05 00", 0x1020A},            // leftover
      {"30 24 02 10 " + hi + "04 10 " + hs, 0x1020A},                      // not OCTET STRING
      {"30 24 04 10 " + hi + "04 11 " + hs, 0x1020B},                      // past the parent
  };
  for (const Bad &b : cases) expect_decode_fails(KORVU_TYPE_UUIDPAIR, hex(b.in), b.code);
  expect_cuts_fail(KORVU_TYPE_UUIDPAIR, der);
}

TEST(X500Attribute, TelexNumberPostalAddressAndStrings) {
  Val num(KORVU_TYPE_PRINTABLESTRING, korvu_asn1_string_new("123", 3));
  Val cc(KORVU_TYPE_PRINTABLESTRING, korvu_asn1_string_new("DE", 2));
  Val ab(KORVU_TYPE_PRINTABLESTRING, korvu_asn1_string_new("X", 1));
  Val t(KORVU_TYPE_TELEXNUMBER, korvu_x500telexnum_new(num.as<KORVU_ASN1_STRING>(), cc.as<KORVU_ASN1_STRING>(),
                                                       ab.as<KORVU_ASN1_STRING>()));
  ASSERT_NE(t.v, nullptr);
  const Bytes der = hex("30 0C 13 03 31 32 33 13 02 44 45 13 01 58");
  EXPECT_EQ(encode(KORVU_TYPE_TELEXNUMBER, t.v), der);
  auto *tn = t.as<KORVU_X500_TELEXNUM>();
  EXPECT_NE(korvu_x500telexnum_gettelexnum(tn), num.v);  // a copy
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_PRINTABLESTRING, korvu_x500telexnum_getcoutrycode(tn))), "13 02 44 45");
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_PRINTABLESTRING, korvu_x500telexnum_getanswerback(tn))), "13 01 58");
  EXPECT_EQ(korvu_x500telexnum_new(num.as<KORVU_ASN1_STRING>(), cc.as<KORVU_ASN1_STRING>(), nullptr), nullptr);
  expect_round_trip(KORVU_TYPE_TELEXNUMBER, der);
  expect_decode_fails(KORVU_TYPE_TELEXNUMBER, hex("30 0B 13 03 31 32 33 13 02 44 45 13 00"), 0x1020C);  // empty answerback
  // IA5String where a PrintableString belongs
  expect_decode_fails(KORVU_TYPE_TELEXNUMBER, hex("30 0C 13 03 31 32 33 16 02 44 45 13 01 58"), 0x10220);

  // PostalAddress: DirectoryString lines, SIZE (1..MAX).
  expect_round_trip(KORVU_TYPE_POSTALADDRESS, hex("30 0A 0C 03 61 62 63 13 03 44 45 46"));
  for (const char *bad : {"30 03 16 01 41", "30 05 0C 01 41 16 00"})
    expect_decode_fails(KORVU_TYPE_POSTALADDRESS, hex(bad), 0x1020A);
  for (const char *empty : {"30 80 00 00", "30 00"}) expect_decode_fails(KORVU_TYPE_POSTALADDRESS, hex(empty), 0x1020C);

  // PKCS9String also takes IA5String.
  Val os(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new("a@b", 3));
  Val p9(KORVU_TYPE_PKCS9STRING, korvu_pkcs9string_new(22, os.as<KORVU_ASN1_OCTETSTRING>()));
  ASSERT_NE(p9.v, nullptr);
  uint32_t tag = 0;
  EXPECT_EQ(korvu_pkcs9string_gettype(p9.as<KORVU_PKCS9STRING>(), &tag), 1);
  EXPECT_EQ(tag, 22u);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_PKCS9STRING, p9.v)), "16 03 61 40 62");
  EXPECT_EQ(korvu_asn1_octetstring_getlength(korvu_pkcs9string_getstring(p9.as<KORVU_PKCS9STRING>())), 3u);
  EXPECT_EQ(korvu_pkcs9string_new(18, os.as<KORVU_ASN1_OCTETSTRING>()), nullptr);
  expect_round_trip(KORVU_TYPE_PKCS9STRING, hex("16 01 41"));
  expect_decode_fails(KORVU_TYPE_PKCS9STRING, hex("1A 01 41"), 0x1020A);
}

TEST(X500Attribute, NameAndOptionalUidAndSmimeCapabilities) {
  const std::string name = "30 0F 31 0D 30 0B 06 03 55 04 0A 0C 04 61 63 6D 65 ";
  ErrCtx ctx;
  Val dn(KORVU_TYPE_NAME, decode(KORVU_TYPE_NAME, hex(name), ctx));
  ASSERT_NE(dn.v, nullptr);
  Val uid(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_new(0, "\xAB", 1));
  auto *n = dn.as<KORVU_X500_NAME>();
  Val with(KORVU_TYPE_NAMEANDOPTIONALUID, korvu_x500nameandoptuid_new(n, uid.as<KORVU_ASN1_BITSTRING>()));
  Val without(KORVU_TYPE_NAMEANDOPTIONALUID, korvu_x500nameandoptuid_new(n, nullptr));
  const Bytes with_der = hex("30 15 " + name + "03 02 00 AB");
  EXPECT_EQ(encode(KORVU_TYPE_NAMEANDOPTIONALUID, with.v), with_der);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAMEANDOPTIONALUID, without.v)), to_hex(hex("30 11 " + name)));
  EXPECT_NE(korvu_x500nameandoptuid_getname(with.as<KORVU_X500_NAMEANDOPTUID>()), n);  // a copy
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_BIT_STRING, korvu_x500nameandoptuid_getuid(with.as<KORVU_X500_NAMEANDOPTUID>()))),
            "03 02 00 AB");
  EXPECT_EQ(korvu_x500nameandoptuid_getuid(without.as<KORVU_X500_NAMEANDOPTUID>()), nullptr);
  EXPECT_EQ(korvu_x500nameandoptuid_new(nullptr, uid.as<KORVU_ASN1_BITSTRING>()), nullptr);
  expect_round_trip(KORVU_TYPE_NAMEANDOPTIONALUID, with_der);
  expect_decode_fails(KORVU_TYPE_NAMEANDOPTIONALUID, hex("30 02 31 00"), 0x1024B);  // a dn that is no Name

  // SMIMECapabilities: AlgorithmIdentifier-shaped entries.
  const Bytes caps = hex("30 1C 30 0D 06 09 60 86 48 01 65 03 04 01 2A 05 00 30 0B 06 09 2A 86 48 86 F7 0D 01 07 01");
  Val l(KORVU_TYPE_SMIMECAPABILITIES, decode(KORVU_TYPE_SMIMECAPABILITIES, caps, ctx));
  ASSERT_NE(l.v, nullptr);
  auto *items = l.as<KORVU_ASN1_LIST>();
  ASSERT_EQ(korvu_asn1_list_getsize(items), 2);
  EXPECT_EQ(korvu_x509algoid_isnullparam(static_cast<KORVU_X509_ALGID *>(items->items[0])), 1);
  EXPECT_EQ(korvu_x509algoid_hasparam(static_cast<KORVU_X509_ALGID *>(items->items[1])), 0);
  EXPECT_EQ(encode(KORVU_TYPE_SMIMECAPABILITIES, items), caps);
  expect_decode_fails(KORVU_TYPE_SMIMECAPABILITY, hex("30 03 02 01 05"), 0x10291);
}
