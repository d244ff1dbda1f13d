// X.500 names: kept encodings of Name and AttributeTypeAndDistinguishedValue,
// contexts, the PKIX form, DER sorting of RDNs and DirectoryString (the names of
// the corpus certificates: test_certificate.cpp).
#include <unistd.h>

#include <cstring>
#include <tuple>

#include "test_util.h"

using namespace korvu_test;

namespace {

const std::string kPairCnBB = "30 09 06 03 55 04 03 0C 02 62 62";  // cn = "bb"
const std::string kPairCA = "30 08 06 03 55 04 06 13 01 61";       // c = "a"
// o = "acme" with a non-minimal length
const std::string kRdnOrgBer = "31 0E 30 81 0B 06 03 55 04 0A 0C 04 61 63 6D 65";
// Indefinite Name, a non-minimal SET length, RDN elements out of DER order.
const std::string kNameBer = "30 80 31 81 15 " + kPairCnBB + kPairCA + kRdnOrgBer + "00 00";

KORVU_X500_ATTRTYPEDISTVAL *pair(const char *oid, uint32_t tag, const char *text, bool pkix = true) {
  KORVU_ASN1_OID *o = korvu_asn1_oid_new(oid);
  KORVU_ASN1_ANY *v = korvu_asn1_any_new(0, 1, tag, static_cast<uint32_t>(std::strlen(text)), text,
                                         static_cast<int32_t>(std::strlen(text)));
  KORVU_X500_ATTRTYPEDISTVAL *p =
      pkix ? korvu_pkixattrtypeval_new(o, v) : korvu_x500attrtypedistval_new(o, v, nullptr, nullptr);
  korvu_asn1_value_free(KORVU_TYPE_OBJECT_IDENTIFIER, o);
  korvu_asn1_value_free(KORVU_TYPE_ANY, v);
  return p;
}

KORVU_ASN1_LIST *rdn_of(std::initializer_list<KORVU_X500_ATTRTYPEDISTVAL *> pairs) {
  KORVU_ASN1_LIST *l = korvu_asn1_list_new();
  for (auto *p : pairs) EXPECT_EQ(korvu_asn1_list_put(l, p), 1);
  return l;
}

std::string oid_at(const KORVU_ASN1_LIST *rdn, int32_t i) {
  void *e = nullptr;
  if (korvu_asn1_list_get(rdn, i, &e) != 1) return "";
  return korvu_asn1_oid_getstring(korvu_x500attrtypedistval_gettype(static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(e)));
}

KORVU_ASN1_LIST *rdn_at(const KORVU_X500_NAME *n, int32_t i) {
  void *e = nullptr;
  return korvu_asn1_list_get(korvu_x500name_getdn(n), i, &e) == 1 ? static_cast<KORVU_ASN1_LIST *>(e) : nullptr;
}

}  // namespace

TEST(X500Name, DecodedNameReencodesAsReceived) {
  Bytes ber = hex(kNameBer);
  ErrCtx ctx;
  uint32_t used = 0;
  auto *n = static_cast<KORVU_X500_NAME *>(decode(KORVU_TYPE_NAME, ber, ctx, &used));
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(used, ber.size());
  ASSERT_EQ(korvu_asn1_list_getsize(korvu_x500name_getdn(n)), 2);
  EXPECT_EQ(korvu_asn1_list_getsize(rdn_at(n, 0)), 2);
  EXPECT_EQ(oid_at(rdn_at(n, 0), 0), "2.5.4.3");
  EXPECT_EQ(encode(KORVU_TYPE_NAME, n), ber);
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_NAME, n), ber.size());

  // Sorting reorders the RDN in memory but keeps the received bytes.
  EXPECT_EQ(korvu_x500name_sort(n), 1);
  EXPECT_EQ(oid_at(rdn_at(n, 0), 0), "2.5.4.6");
  EXPECT_EQ(encode(KORVU_TYPE_NAME, n), ber);

  // A new RDN discards the Name's kept bytes; its pairs keep their own.
  KORVU_ASN1_LIST *extra = rdn_of({pair("2.5.4.3", 12, "x")});
  ASSERT_EQ(korvu_x500name_addrdn(n, extra, 1), 1);
  korvu_asn1_list_free(extra, KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE);  // dup: the caller keeps its list
  EXPECT_EQ(n->hasEncoding, 0u);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, n)),
            to_hex(hex("30 33 31 15" + kPairCA + kPairCnBB + kRdnOrgBer + "31 0A 30 08 06 03 55 04 03 0C 01 78")));
  korvu_asn1_value_free(KORVU_TYPE_NAME, n);

  // The same from a stream that is not in memory.
  std::string path = (std::filesystem::temp_directory_path() /
                      ("korvu_name_" + std::to_string(getpid()) + ".ber")).string();
  {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char *>(ber.data()), static_cast<std::streamsize>(ber.size()));
  }
  KORVU_STREAM *fs = korvu_stream_new_file(path.c_str(), "rb");
  ASSERT_NE(fs, nullptr);
  void *v = nullptr;
  used = 0;
  EXPECT_EQ(korvu_asn1_decode(fs, KORVU_TYPE_NAME, &v, &used, ctx), 1);
  korvu_stream_free(fs);
  std::filesystem::remove(path);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(used, ber.size());
  EXPECT_EQ(encode(KORVU_TYPE_NAME, v), ber);
  korvu_asn1_value_free(KORVU_TYPE_NAME, v);
}

TEST(X500Name, BuiltNameKeepsItsFirstEncoding) {
  KORVU_X500_NAME *n = korvu_x500name_new();
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, n)), "30 00");
  korvu_asn1_value_free(KORVU_TYPE_NAME, n);

  n = korvu_x500name_new();
  KORVU_ASN1_LIST *cn = rdn_of({pair("2.5.4.3", 12, "x")});
  KORVU_ASN1_LIST *c = rdn_of({pair("2.5.4.6", 19, "US")});
  ASSERT_EQ(korvu_x500name_addrdn(n, cn, 0), 1);  // the Name owns cn now
  ASSERT_EQ(korvu_x500name_addrdn(n, c, 1), 1);
  const std::string want = "30 19 31 0A 30 08 06 03 55 04 03 0C 01 78 31 0B 30 09 06 03 55 04 06 13 02 55 53";
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, n)), want);
  EXPECT_EQ(n->hasEncoding, 1u);
  EXPECT_EQ(n->encodingLength, 27u);

  // The list the Name holds can't be added again, and a refused list stays
  // the caller's.
  EXPECT_EQ(korvu_x500name_addrdn(n, cn, 0), 0);
  EXPECT_EQ(korvu_x500name_addrdn(nullptr, c, 0), 0);
  EXPECT_EQ(korvu_x500name_addrdn(n, nullptr, 1), 0);
  EXPECT_EQ(n->hasEncoding, 1u);

  // Later encodings come from the kept bytes, whatever the RDNs are now.
  void *removed = korvu_asn1_list_delete(korvu_x500name_getdn(n), 1);
  korvu_asn1_list_free(static_cast<KORVU_ASN1_LIST *>(removed), KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, n)), want);

  // Adding an RDN (dup 0) makes the next encoding include it.
  ASSERT_EQ(korvu_x500name_addrdn(n, c, 0), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, n)), want);
  ASSERT_EQ(korvu_x500name_addrdn(n, rdn_of({pair("2.5.4.10", 12, "o")}), 0), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, n)), "30 25 " + want.substr(6) + " 31 0A 30 08 06 03 55 04 0A 0C 01 6F");

  // A copy is a Name of its own with the same bytes.
  void *copy = korvu_asn1_dupobject(KORVU_TYPE_NAME, n, nullptr);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_NAME, copy), encode(KORVU_TYPE_NAME, n));
  EXPECT_NE(korvu_x500name_getdn(static_cast<KORVU_X500_NAME *>(copy)), korvu_x500name_getdn(n));
  korvu_asn1_value_free(KORVU_TYPE_NAME, copy);
  korvu_asn1_value_free(KORVU_TYPE_NAME, n);
}

TEST(X500Name, SortingPutsRdnsIntoDerOrderBeforeTheFirstEncoding) {
  KORVU_X500_NAME *n = korvu_x500name_new();
  ASSERT_EQ(korvu_x500name_addrdn(n, rdn_of({pair("2.5.4.3", 12, "bb"), pair("2.5.4.6", 19, "a")}), 0), 1);
  ASSERT_EQ(korvu_x500name_sort(n), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, n)), to_hex(hex("30 17 31 15" + kPairCA + kPairCnBB)));
  korvu_asn1_value_free(KORVU_TYPE_NAME, n);

  EXPECT_EQ(korvu_x500RDN_sort(nullptr), 0);
  EXPECT_EQ(korvu_x500name_sort(nullptr), 0);
  KORVU_ASN1_LIST *empty = korvu_asn1_list_new();
  EXPECT_EQ(korvu_x500RDN_sort(empty), 1);
  korvu_asn1_list_free(empty, KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE);
}

TEST(X500Name, PrimaryDistinguishedAndThePkixForm) {
  // TRUE is the default and is left out; FALSE is written after the value.
  KORVU_X500_ATTRTYPEDISTVAL *t = pair("2.5.4.3", 12, "x", false);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_x500attrtypedistval_getprimedist(t)), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, t)), "30 08 06 03 55 04 03 0C 01 78");
  korvu_asn1_value_free(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, t);

  Val ov(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("2.5.4.3"));
  Val vv(KORVU_TYPE_ANY, korvu_asn1_any_new(0, 1, 12, 1, "x", 1));
  Val no(KORVU_TYPE_BOOLEAN, korvu_asn1_boolean_false());
  auto *o = ov.as<KORVU_ASN1_OID>();
  auto *v = vv.as<KORVU_ASN1_ANY>();
  Val fv(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE,
         korvu_x500attrtypedistval_new(o, v, no.as<KORVU_ASN1_BOOLEAN>(), nullptr));
  ASSERT_NE(fv.v, nullptr);
  const Bytes with_false = hex("30 0B 06 03 55 04 03 0C 01 78 01 01 00");
  EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, fv.v), with_false);
  // Such a pair is no PKIX AttributeTypeAndValue, kept bytes or not.
  ErrCtx ectx;
  KORVU_STREAM *m = korvu_stream_new_mem(64, nullptr);
  EXPECT_NE(korvu_asn1_encode(m, KORVU_TYPE_ATTRIBUTETYPEANDVALUE, fv.v, nullptr, ectx), 1);
  EXPECT_TRUE(ectx.has(0x10274));
  EXPECT_TRUE(ectx.has(0x10275));
  uint32_t written = 0;
  EXPECT_NE(korvu_memstream_data(m, &written), nullptr);
  EXPECT_EQ(written, 0u);
  korvu_stream_free(m);
  expect_decode_fails(KORVU_TYPE_ATTRIBUTETYPEANDVALUE, with_false, 0x10274);

  // Constructors refuse missing or end-of-contents values.
  Val eoc(KORVU_TYPE_ANY, korvu_asn1_any_new(0, 1, 0, 0, nullptr, 0));
  EXPECT_EQ(korvu_pkixattrtypeval_new(o, nullptr), nullptr);
  EXPECT_EQ(korvu_pkixattrtypeval_new(nullptr, v), nullptr);
  ASSERT_EQ(korvu_asn1_any_iseoc(eoc.as<KORVU_ASN1_ANY>()), 1);
  EXPECT_EQ(korvu_pkixattrtypeval_new(o, eoc.as<KORVU_ASN1_ANY>()), nullptr);
  EXPECT_EQ(korvu_x500attrtypedistval_new(o, eoc.as<KORVU_ASN1_ANY>(), nullptr, nullptr), nullptr);
}

namespace {
const std::string kCtxA = "30 0A 06 03 2A 03 04 31 03 02 01 01 ";
const std::string kCtxB = "30 0D 06 03 2A 03 04 31 03 02 01 01 01 01 FF ";
std::string item1(const std::string &ctxs) { return "30 22 A0 03 0C 01 7A 31 1B " + ctxs; }
const std::string kItem2 = "30 0E 31 0C " + kCtxA;
std::string pair_with(const std::string &items) {
  return "30 41 06 03 55 04 03 0C 01 78 01 01 00 31 34 " + items;
}
}  // namespace

TEST(X500Name, ValuesWithContextDecodeSortAndSizes) {
  const Bytes ber = hex(pair_with(item1(kCtxB + kCtxA) + kItem2));
  ErrCtx ctx;
  auto *p = static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(decode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, ber, ctx));
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(korvu_x500attrtypedistval_hascontext(p), 1);
  KORVU_ASN1_LIST *items = korvu_x500attrtypedistval_getcontext(p);
  ASSERT_EQ(korvu_asn1_list_getsize(items), 2);
  EXPECT_EQ(korvu_x500dnvalueswithcontextitem_getdistvalue(static_cast<KORVU_X500_DNVALWITHCTX *>(items->items[1])),
            nullptr);
  KORVU_ASN1_LIST *ctxs =
      korvu_x500dnvalueswithcontextitem_getcontexts(static_cast<KORVU_X500_DNVALWITHCTX *>(items->items[0]));
  ASSERT_EQ(korvu_asn1_list_getsize(ctxs), 2);
  auto *cb = static_cast<KORVU_X500_CONTEXT *>(ctxs->items[0]);
  EXPECT_STREQ(korvu_asn1_oid_getstring(korvu_x500context_gettype(cb)), "1.2.3.4");
  EXPECT_EQ(korvu_asn1_list_getsize(korvu_x500context_getvalues(cb)), 1);
  EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, p), ber);

  // A fresh pair from the decoded parts, sorted before its first encoding,
  // comes out in DER order at every level (so every part was read).
  KORVU_X500_ATTRTYPEDISTVAL *fresh =
      korvu_x500attrtypedistval_new(korvu_x500attrtypedistval_gettype(p), korvu_x500attrtypedistval_getvalue(p),
                                    korvu_x500attrtypedistval_getprimedist(p), items);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(korvu_x500attrtypedistval_hascontext(fresh), 1);
  KORVU_ASN1_LIST *rdn = rdn_of({fresh, p});
  ASSERT_EQ(korvu_x500RDN_sort(rdn), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, fresh)),
            to_hex(hex(pair_with(kItem2 + item1(kCtxA + kCtxB)))));
  EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, p), ber);  // the decoded pair keeps what it received
  KORVU_ASN1_LIST *sorted = korvu_x500attrtypedistval_getcontext(p);
  EXPECT_EQ(korvu_x500dnvalueswithcontextitem_hasdistvalue(static_cast<KORVU_X500_DNVALWITHCTX *>(sorted->items[0])),
            0);
  korvu_asn1_list_free(rdn, KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE);  // frees fresh and p

  // As the PKIX form it is refused.
  expect_decode_fails(KORVU_TYPE_ATTRIBUTETYPEANDVALUE, ber, 0x10274);

  // SET SIZE (1..MAX): an empty contextValues, context list or
  // valuesWithContext set is refused; so is a truncated value at any point.
  const std::tuple<uint32_t, const char *, uint32_t> empty_sets[] = {
      {KORVU_TYPE_CONTEXT, "30 07 06 03 2A 03 04 31 00", 0x1020C},
      {KORVU_TYPE_CONTEXT_LIST, "31 00", 0x1020C},
      {KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, "30 0D 06 03 55 04 03 0C 01 78 01 01 00 31 00", 0x1020C},
      {KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, "30 0D 06 03 55 04 03 0C 01 78 01 01 00 31 00", 0x10245},
      {KORVU_TYPE_DISTINGUISHED_VALUE_WITH_CONTEXT_ITEM, "30 07 A0 03 0C 01 7A 31 00", 0x1020C},
  };
  for (const auto &[type, in, code] : empty_sets) expect_decode_fails(type, hex(in), code);
  expect_cuts_fail(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, ber);
}

TEST(X500Name, ContextConstructorsAndMalformedNames) {
  // fallback defaults to FALSE and is left out.
  Val o(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.3.4"));
  KORVU_ASN1_LIST *vals = korvu_asn1_list_new();
  korvu_asn1_list_put(vals, korvu_asn1_any_new(0, 1, 2, 1, "\x01", 1));
  KORVU_X500_CONTEXT *c = korvu_x500context_new(o.as<KORVU_ASN1_OID>(), vals, nullptr);
  korvu_asn1_list_free(vals, KORVU_TYPE_ANY);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_x500context_getfallback(c)), 0);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_CONTEXT, c)), to_hex(hex(kCtxA)));
  EXPECT_EQ(korvu_x500context_new(o.as<KORVU_ASN1_OID>(), nullptr, nullptr), nullptr);
  KORVU_ASN1_LIST *clist = korvu_asn1_list_new();
  korvu_asn1_list_put(clist, c);
  Val item(KORVU_TYPE_DISTINGUISHED_VALUE_WITH_CONTEXT_ITEM, korvu_x500dnvalueswithcontextitem_new(nullptr, clist));
  korvu_asn1_list_free(clist, KORVU_TYPE_CONTEXT);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_DISTINGUISHED_VALUE_WITH_CONTEXT_ITEM, item.v)), to_hex(hex(kItem2)));
  EXPECT_EQ(korvu_x500dnvalueswithcontextitem_new(nullptr, nullptr), nullptr);

  struct Bad {
    const char *in;
    uint32_t code;
  } cases[] = {
      {"31 00", 0x1020A},                                 // a SET is no Name
      {"10 00", 0x1020A},                                 // primitive SEQUENCE
      {"30 04 31 02 02 00", 0x1020A},                     // RDN element not a pair
      {"30 04 30 02 31 00", 0x1020A},                     // RDN not a SET
      {"30 07 31 05 30 03 06 01 2A", 0x1020A},              // pair without value
      {"30 07 31 05 30 06 06 01 2A 0C 01 78", 0x1020B},     // element past its parent
      {"30 0C 31 0A 30 08 06 01 2A 0C 01 78 05 00", 0x1020A},  // leftover inside the pair
      {"30 80 31 00", 0},                                 // missing end-of-contents
  };
  for (const Bad &b : cases) expect_decode_fails(KORVU_TYPE_NAME, hex(b.in), b.code);
  expect_cuts_fail(KORVU_TYPE_NAME, hex(kNameBer));
}

TEST(X500Name, DirectoryString) {
  Val osv(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new("hi", 2));
  auto *os = osv.as<KORVU_ASN1_OCTETSTRING>();
  EXPECT_EQ(korvu_x500dirstring_new(22, os), nullptr);  // IA5String is no DirectoryString
  EXPECT_EQ(korvu_x500dirstring_new(12, nullptr), nullptr);
  Val dv(KORVU_TYPE_DIRECTORYSTRING, korvu_x500dirstring_new(30, os));
  auto *d = dv.as<KORVU_X500_DIRSTRING>();
  ASSERT_NE(d, nullptr);
  uint32_t tag = 0;
  EXPECT_EQ(korvu_x500dirstring_gettype(d, &tag), 1);
  EXPECT_EQ(tag, 30u);
  EXPECT_EQ(korvu_x500dirstring_gettype(nullptr, &tag), 0);
  EXPECT_EQ(korvu_x500dirstring_gettype(d, nullptr), 0);
  EXPECT_NE(korvu_x500dirstring_getstring(d), os);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_DIRECTORYSTRING, d)), "1E 02 68 69");
  // Constructed BER forms are read; DER is written back under the tag read.
  ErrCtx ctx;
  Val c(KORVU_TYPE_DIRECTORYSTRING, decode(KORVU_TYPE_DIRECTORYSTRING, hex("2C 80 04 01 61 04 01 62 00 00"), ctx));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_DIRECTORYSTRING, c.v)), "0C 02 61 62");
  for (const char *bad : {"16 01 41", "04 01 41", "1A 01 41", "8C 01 41"})
    expect_decode_fails(KORVU_TYPE_DIRECTORYSTRING, hex(bad), 0x1020A);
}
