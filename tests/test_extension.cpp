// Extension, Extensions, OtherName, EDIPartyName, GeneralName, GeneralNames.
#include "test_util.h"

using namespace korvu_test;

namespace {

Bytes octets(const KORVU_ASN1_OCTETSTRING *s) {
  uint32_t n = korvu_asn1_octetstring_getlength(s);
  Bytes b(n);
  if (n > 0) {
    EXPECT_EQ(korvu_asn1_octetstring_getall(s, b.data()), 1);
  }
  return b;
}

// Decodes `in` as `type`, expects success and a byte-for-byte re-encoding.
void *round_trip(uint32_t type, const Bytes &in) {
  ErrCtx ctx;
  uint32_t used = 0;
  void *v = decode(type, in, ctx, &used);
  EXPECT_NE(v, nullptr) << to_hex(in);
  if (v == nullptr) return nullptr;
  EXPECT_EQ(used, in.size());
  EXPECT_EQ(to_hex(encode(type, v)), to_hex(in));
  return v;
}

}  // namespace

TEST(Extension, CriticalIsDerDefault) {
  Val oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("2.5.29.19"));
  Bytes bc = hex("30 03 01 01 FF");
  Val value(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(bc.data(), static_cast<int32_t>(bc.size())));
  Val t(KORVU_TYPE_BOOLEAN, korvu_asn1_boolean_true());

  Val plain(KORVU_TYPE_EXTENSION, korvu_x509extension_new(static_cast<KORVU_ASN1_OID *>(oid.v), nullptr,
                                                          static_cast<KORVU_ASN1_OCTETSTRING *>(value.v)));
  ASSERT_NE(plain.v, nullptr);
  auto *e = static_cast<KORVU_X509_EXTENSION *>(plain.v);
  ASSERT_NE(korvu_x509extension_getcritical(e), nullptr);  // FALSE, present in memory
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_x509extension_getcritical(e)), 0);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTENSION, e)), "30 0C 06 03 55 1D 13 04 05 30 03 01 01 FF");

  Val crit(KORVU_TYPE_EXTENSION,
           korvu_x509extension_new(static_cast<KORVU_ASN1_OID *>(oid.v), static_cast<KORVU_ASN1_BOOLEAN *>(t.v),
                                   static_cast<KORVU_ASN1_OCTETSTRING *>(value.v)));
  ASSERT_NE(crit.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTENSION, crit.v)), "30 0F 06 03 55 1D 13 01 01 FF 04 05 30 03 01 01 FF");
  EXPECT_EQ(korvu_x509extension_new(nullptr, nullptr, static_cast<KORVU_ASN1_OCTETSTRING *>(value.v)), nullptr);
  EXPECT_EQ(korvu_x509extension_new(static_cast<KORVU_ASN1_OID *>(oid.v), nullptr, nullptr), nullptr);
  EXPECT_EQ(korvu_x509extension_getid(nullptr), nullptr);

  // An explicit FALSE is accepted and dropped on re-encoding (a BER TRUE is
  // in the SharedBlocks tests).
  ErrCtx ctx;
  Val f(KORVU_TYPE_EXTENSION, decode(KORVU_TYPE_EXTENSION, hex("30 0B 06 03 55 1D 13 01 01 00 04 01 00"), ctx));
  ASSERT_NE(f.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTENSION, f.v)), "30 08 06 03 55 1D 13 04 01 00");
  EXPECT_EQ(ctx.count(), 0u);
}

TEST(Extension, DecodeFailures) {
  expect_decode_fails(KORVU_TYPE_EXTENSION, hex("30 06 02 01 05 04 01 00"), 0x10234);        // extnID not an OID
  expect_decode_fails(KORVU_TYPE_EXTENSION, hex("30 08 06 03 55 1D 13 02 01 00"), 0x1020A);  // a foreign element for extnValue
  expect_decode_fails(KORVU_TYPE_EXTENSION, hex("30 05 06 03 55 1D 13"), 0x1020A);           // extnValue missing
  expect_decode_fails(KORVU_TYPE_EXTENSION, hex("30 08 06 03 55 1D 13 04 03 00"), 0x1020B);  // extnValue runs past its parent
  expect_decode_fails(KORVU_TYPE_EXTENSION, hex("30 0A 06 03 55 1D 13 04 01 00 05 00"), 0x1020A);  // an element after extnValue
  expect_decode_fails(KORVU_TYPE_EXTENSION, hex("10 08 06 03 55 1D 13 04 01 00"), 0x1026A);        // primitive SEQUENCE
  // BOOLEAN of two octets
  expect_decode_fails(KORVU_TYPE_EXTENSION, hex("30 0B 06 03 55 1D 13 01 02 00 00 04 01 00"), 0x1020E);
  // Every truncation fails and hands nothing out.
  Bytes full = hex("30 0F 06 03 55 1D 13 01 01 FF 04 05 30 03 01 01 FF");
  expect_cuts_fail(KORVU_TYPE_EXTENSION, full);
  // An indefinite-length Extension closes with end-of-contents.
  Val v(KORVU_TYPE_EXTENSION, round_trip(KORVU_TYPE_EXTENSION, hex("30 08 06 03 55 1D 13 04 01 00")));
  ErrCtx ctx;
  Val indef(KORVU_TYPE_EXTENSION, decode(KORVU_TYPE_EXTENSION, hex("30 80 06 03 55 1D 13 04 01 00 00 00"), ctx));
  ASSERT_NE(indef.v, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_EXTENSION, indef.v), encode(KORVU_TYPE_EXTENSION, v.v));
}

TEST(Extension, CreateWrapsTheValueEncoding) {
  Val oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("2.5.29.19"));
  auto *id = static_cast<KORVU_ASN1_OID *>(oid.v);
  // A BasicConstraints-shaped value passed as ANY: wrapped exactly as given,
  // non-DER length included.
  Bytes bc = hex("30 81 06 01 01 FF 02 01 03");
  ErrCtx ctx;
  Val any(KORVU_TYPE_ANY, decode(KORVU_TYPE_ANY, bc, ctx));
  ASSERT_NE(any.v, nullptr);
  Val ext(KORVU_TYPE_EXTENSION, korvu_x509extension_create(id, nullptr, KORVU_TYPE_ANY, any.v));
  ASSERT_NE(ext.v, nullptr);
  EXPECT_EQ(octets(korvu_x509extension_getvalue(static_cast<KORVU_X509_EXTENSION *>(ext.v))), bc);
  // Encoded with the type's own encoder.
  Val seven(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(7));
  Val ext2(KORVU_TYPE_EXTENSION, korvu_x509extension_create(id, nullptr, KORVU_TYPE_INTEGER, seven.v));
  ASSERT_NE(ext2.v, nullptr);
  EXPECT_EQ(to_hex(octets(korvu_x509extension_getvalue(static_cast<KORVU_X509_EXTENSION *>(ext2.v)))), "02 01 07");
  EXPECT_EQ(korvu_x509extension_create(id, nullptr, KORVU_TYPE_END_OF_CONTENTS, seven.v), nullptr);
  EXPECT_EQ(korvu_x509extension_create(id, nullptr, KORVU_TYPE_COUNT, seven.v), nullptr);
  EXPECT_EQ(korvu_x509extension_create(id, nullptr, KORVU_TYPE_INTEGER, nullptr), nullptr);
  EXPECT_EQ(korvu_x509extension_create(nullptr, nullptr, KORVU_TYPE_INTEGER, seven.v), nullptr);

  // A decoded Name is wrapped with the octets it was received in (here a
  // non-minimal length that DER would rewrite).
  Bytes name = hex("30 81 0F 31 0D 30 0B 06 03 55 04 03 0C 04 54 65 73 74");
  Val n(KORVU_TYPE_NAME, decode(KORVU_TYPE_NAME, name, ctx));
  ASSERT_NE(n.v, nullptr);
  Val ext3(KORVU_TYPE_EXTENSION, korvu_x509extension_create(id, nullptr, KORVU_TYPE_NAME, n.v));
  ASSERT_NE(ext3.v, nullptr);
  EXPECT_EQ(octets(korvu_x509extension_getvalue(static_cast<KORVU_X509_EXTENSION *>(ext3.v))), name);
}

TEST(Extension, ExtensionsList) {
  // Duplicate identifiers are kept in order; the list re-encodes unchanged.
  Bytes two = hex("30 14 30 08 06 03 55 1D 13 04 01 00 30 08 06 03 55 1D 13 04 01 01");
  Val l(KORVU_TYPE_EXTENSIONS, round_trip(KORVU_TYPE_EXTENSIONS, two));
  ASSERT_NE(l.v, nullptr);
  ASSERT_EQ(korvu_asn1_list_getsize(static_cast<KORVU_ASN1_LIST *>(l.v)), 2);
  void *second = nullptr;
  ASSERT_EQ(korvu_asn1_list_get(static_cast<KORVU_ASN1_LIST *>(l.v), 1, &second), 1);
  EXPECT_EQ(to_hex(octets(korvu_x509extension_getvalue(static_cast<KORVU_X509_EXTENSION *>(second)))), "01");
  Val empty(KORVU_TYPE_EXTENSIONS, round_trip(KORVU_TYPE_EXTENSIONS, hex("30 00")));
  EXPECT_NE(empty.v, nullptr);
  expect_decode_fails(KORVU_TYPE_EXTENSIONS, hex("30 05 02 01 05 30 00"), 0x10255);  // an element that is no Extension
  expect_decode_fails(KORVU_TYPE_EXTENSIONS, hex("30 0A 30 08 06 03 55 1D 13 04 02 00"), 0x10255);
}

TEST(GeneralName, AlternativesRoundTrip) {
  struct Case {
    const char *der;
    uint32_t choice;
  } cases[] = {
      {"A0 0C 06 03 2A 03 04 A0 05 0C 03 61 62 63", 0},  // otherName
      {"81 05 61 40 62 2E 63", 1},                       // rfc822Name
      {"82 09 65 78 61 6D 70 6C 65 2E 6F", 2},           // dNSName
      {"A3 06 30 04 02 02 01 02", 3},                     // x400Address (opaque)
      {"86 05 68 74 74 70 3A", 6},                        // uniformResourceIdentifier
      {"87 04 C0 00 02 01", 7},                           // iPAddress
      {"88 03 2A 03 04", 8},                              // registeredID
  };
  for (const Case &c : cases) {
    Val g(KORVU_TYPE_GENERALNAME, round_trip(KORVU_TYPE_GENERALNAME, hex(c.der)));
    ASSERT_NE(g.v, nullptr) << c.der;
    uint32_t choice = 99;
    ASSERT_EQ(korvu_x509generalname_gettype(static_cast<KORVU_X509_GENERALNAME *>(g.v), &choice), 1);
    EXPECT_EQ(choice, c.choice) << c.der;
    // Each getter answers only for its own alternative (x400Address has none).
    auto *gn = static_cast<KORVU_X509_GENERALNAME *>(g.v);
    const void *got[] = {korvu_x509generalname_getothername(gn), korvu_x509generalname_getrfc822name(gn),
                         korvu_x509generalname_getdnsname(gn),   nullptr,
                         korvu_x509generalname_getdirname(gn),   korvu_x509generalname_getediname(gn),
                         korvu_x509generalname_geturi(gn),       korvu_x509generalname_getip(gn),
                         korvu_x509generalname_getregid(gn)};
    for (uint32_t k = 0; k < 9; k++) {
      if (k != 3) {
        EXPECT_EQ(got[k] != nullptr, k == c.choice) << c.der << ": getter " << k;
      }
    }
  }
  uint32_t choice = 0;
  EXPECT_EQ(korvu_x509generalname_gettype(nullptr, &choice), 0);

  // A constructed (BER) IA5String under [2] decodes; DER comes back.
  ErrCtx ctx;
  Val ber(KORVU_TYPE_GENERALNAME, decode(KORVU_TYPE_GENERALNAME, hex("A2 80 04 02 61 62 04 01 63 00 00"), ctx));
  ASSERT_NE(ber.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_GENERALNAME, ber.v)), "82 03 61 62 63");
}

TEST(GeneralName, ConstructorsAndTagging) {
  const char dns[] = "host.test";
  Val ia5(KORVU_TYPE_IA5STRING, korvu_asn1_string_new(dns, 9));
  Val g(KORVU_TYPE_GENERALNAME, korvu_x509generalname_new_dnsname(static_cast<KORVU_ASN1_STRING *>(ia5.v)));
  ASSERT_NE(g.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_GENERALNAME, g.v)), "82 09 68 6F 73 74 2E 74 65 73 74");
  EXPECT_EQ(korvu_x509generalname_getdnsname(static_cast<KORVU_X509_GENERALNAME *>(g.v)) == ia5.v, false);
  Val uri(KORVU_TYPE_GENERALNAME, korvu_x509generalname_new_uri(static_cast<KORVU_ASN1_STRING *>(ia5.v)));
  EXPECT_EQ(korvu_x509generalname_getdnsname(static_cast<KORVU_X509_GENERALNAME *>(uri.v)), nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_GENERALNAME, uri.v)).substr(0, 5), "86 09");

  Val oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.3.4"));
  Val reg(KORVU_TYPE_GENERALNAME, korvu_x509generalname_new_regid(static_cast<KORVU_ASN1_OID *>(oid.v)));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_GENERALNAME, reg.v)), "88 03 2A 03 04");
  Bytes ip = hex("7F 00 00 01");
  Val ips(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(ip.data(), 4));
  Val ipn(KORVU_TYPE_GENERALNAME, korvu_x509generalname_new_ip(static_cast<KORVU_ASN1_OCTETSTRING *>(ips.v)));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_GENERALNAME, ipn.v)), "87 04 7F 00 00 01");

  // OtherName: universal 8 standalone, its contents under A0 in a GeneralName.
  ErrCtx ctx;
  Val any(KORVU_TYPE_ANY, decode(KORVU_TYPE_ANY, hex("0C 03 61 62 63"), ctx));
  Val on(KORVU_TYPE_OTHERNAME,
         korvu_instanceoftypeid_new(static_cast<KORVU_ASN1_OID *>(oid.v), static_cast<KORVU_ASN1_ANY *>(any.v)));
  ASSERT_NE(on.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_OTHERNAME, on.v)), "28 0C 06 03 2A 03 04 A0 05 0C 03 61 62 63");
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_OBJECT_IDENTIFIER,
                          korvu_instanceoftypeid_getid(static_cast<KORVU_X509_OTHERNAME *>(on.v)))),
            "06 03 2A 03 04");
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ANY, korvu_instanceoftypeid_gettype(static_cast<KORVU_X509_OTHERNAME *>(on.v)))),
            "0C 03 61 62 63");
  Val gon(KORVU_TYPE_GENERALNAME, korvu_x509generalname_new_othername(static_cast<KORVU_X509_OTHERNAME *>(on.v)));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_GENERALNAME, gon.v)), "A0 0C 06 03 2A 03 04 A0 05 0C 03 61 62 63");
  EXPECT_EQ(korvu_instanceoftypeid_new(static_cast<KORVU_ASN1_OID *>(oid.v), nullptr), nullptr);
  EXPECT_EQ(korvu_x509generalname_new_dnsname(nullptr), nullptr);

  // A choice number outside 0..8 is not written.
  auto *bad = static_cast<KORVU_X509_GENERALNAME *>(reg.v);
  bad->choice = 9;
  ErrCtx ectx;
  KORVU_STREAM *m = korvu_stream_new_mem(64, nullptr);
  EXPECT_NE(korvu_asn1_encode(m, KORVU_TYPE_GENERALNAME, bad, nullptr, ectx), 1);
  EXPECT_TRUE(ectx.has(0x102EA));
  korvu_stream_free(m);
  bad->choice = 8;
}

TEST(GeneralName, DecodeFailures) {
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("89 01 00"), 0x1020A);                  // tag 9
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("04 01 00"), 0x1020A);                  // universal class
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("C2 01 61"), 0x1020A);                  // private class
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("84 02 30 00"), 0x1026A);               // primitive directoryName
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("88 00"), 0x10234);                     // empty OID
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("A8 03 06 01 2A"), 0x10234);            // constructed registeredID
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("A0 05 06 03 2A 03 04"), 0x1029F);      // otherName without its value
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("A3 00"), 0x10271);                     // x400Address needs one component
  expect_decode_fails(KORVU_TYPE_GENERALNAMES, hex("30 00"), 0x1020C);                    // empty GeneralNames
  expect_decode_fails(KORVU_TYPE_GENERALNAMES, hex("30 05 82 01 61 82 02 62"), 0x1020B);  // an element runs past the list
  Val names(KORVU_TYPE_GENERALNAMES, round_trip(KORVU_TYPE_GENERALNAMES, hex("30 0A 82 01 61 87 01 00 88 02 2A 03")));
  EXPECT_EQ(korvu_asn1_list_getsize(static_cast<KORVU_ASN1_LIST *>(names.v)), 3);
}

TEST(GeneralName, NamesAndDirectoryStrings) {
  ErrCtx ctx;
  Bytes name = hex("30 0F 31 0D 30 0B 06 03 55 04 03 0C 04 54 65 73 74");
  Val n(KORVU_TYPE_NAME, decode(KORVU_TYPE_NAME, name, ctx));
  ASSERT_NE(n.v, nullptr);
  // directoryName: A4, length, then the Name's own TLV.
  Val g(KORVU_TYPE_GENERALNAME, korvu_x509generalname_new_dirname(static_cast<korvu_x500_name_st *>(n.v)));
  ASSERT_NE(g.v, nullptr);
  Bytes want = hex("A4 11");
  want.insert(want.end(), name.begin(), name.end());
  EXPECT_EQ(encode(KORVU_TYPE_GENERALNAME, g.v), want);
  Val back(KORVU_TYPE_GENERALNAME, round_trip(KORVU_TYPE_GENERALNAME, want));
  EXPECT_NE(korvu_x509generalname_getdirname(static_cast<KORVU_X509_GENERALNAME *>(back.v)), nullptr);
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("A4 13 30 0F 31 0D 30 0B 06 03 55 04 03 0C 04 54 65 73 74 05 00"), 0x1020B);
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("A4 05 30 03 02 01 00"), 0x1024B);

  // ediPartyName with and without nameAssigner.
  Val edi(KORVU_TYPE_GENERALNAME,
          round_trip(KORVU_TYPE_GENERALNAME, hex("A5 0E A0 05 0C 03 61 62 63 A1 05 13 03 78 79 7A")));
  ASSERT_NE(edi.v, nullptr);
  auto *e = korvu_x509generalname_getediname(static_cast<KORVU_X509_GENERALNAME *>(edi.v));
  ASSERT_NE(e, nullptr);
  ASSERT_NE(korvu_x509edipartyname_getnameassigner(e), nullptr);
  Val edi2(KORVU_TYPE_EDIPARTYNAME, korvu_x509edipartyname_new(nullptr, korvu_x509edipartyname_getpartyname(e)));
  ASSERT_NE(edi2.v, nullptr);
  EXPECT_EQ(korvu_x509edipartyname_getnameassigner(static_cast<KORVU_X509_EDIPARTYNAME *>(edi2.v)), nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_EDIPARTYNAME, edi2.v)), "30 07 A1 05 13 03 78 79 7A");
  EXPECT_EQ(korvu_x509edipartyname_new(korvu_x509edipartyname_getnameassigner(e), nullptr), nullptr);
  expect_decode_fails(KORVU_TYPE_GENERALNAME, hex("A5 07 A0 05 0C 03 61 62 63"), 0x102A1);  // partyName missing
}
