// Decoding from memory (in place) and from a file stream (through bounded
// buffers) builds the same values. Whatever a decoded record holds is its
// own: absent BOOLEAN defaults are writable words, kept encodings (Name,
// AttributeTypeAndDistinguishedValue, Certificate) survive copies and are
// dropped on change, string streams and lists grow past the size they were
// decoded at, and failures hand nothing out.
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "test_util.h"
#include "../util/stream_impl.h"

using namespace korvu_test;

namespace {

Bytes kept(const unsigned char *p, uint32_t n) { return p ? Bytes(p, p + n) : Bytes{}; }
std::string der_of(const Val &v) { return to_hex(encode(v.type, v.v)); }
KORVU_ASN1_BOOLEAN *crit_of(const Val &v) { return korvu_x509extension_getcritical(v.as<KORVU_X509_EXTENSION>()); }

// Decodes the whole of `in` as `type` from memory or from a file stream.
void *decode_via(bool file, uint32_t type, const Bytes &in, KORVU_ERR_CTX *ctx) {
  if (!file) return decode(type, in, ctx);
  char path[] = "/tmp/korvu_alloc_paths_XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(write(fd, in.data(), in.size()), static_cast<ssize_t>(in.size()));
  close(fd);
  KORVU_STREAM *s = korvu_stream_new_file(path, "rb");
  void *v = nullptr;
  uint32_t used = 0;
  const int r = korvu_asn1_decode(s, type, &v, &used, ctx);
  korvu_stream_free(s);
  unlink(path);
  if (r != 1) {
    EXPECT_EQ(v, nullptr) << "a failed decode handed out a value";
    return nullptr;
  }
  EXPECT_EQ(used, in.size());
  return v;
}

// Decoding `in` as `type` fails with an entry in the context.
void expect_refused(uint32_t type, const Bytes &in) {
  ErrCtx ctx;
  EXPECT_EQ(decode(type, in, ctx), nullptr) << to_hex(in);
  EXPECT_GT(ctx.count(), 0u) << to_hex(in);
}

}  // namespace

// Each vector decodes from memory exactly as from a file, every prefix
// included (under the sanitizers: nothing leaks when a component fails after
// others were built). A file reports its own read failure where memory runs
// out of input, so error codes are compared on whole vectors only.
TEST(DecodePaths, MemoryAndFileAgreeOnEveryPrefix) {
  const std::string utc = "17 0D 32 35 30 31 30 31 30 30 30 30 30 30 5A";  // 250101000000Z
  const std::string reason = "30 0A 06 03 55 1D 15 04 03 0A 01 01";        // reasonCode keyCompromise
  auto seq = [](const std::string &body) { return to_hex(der_tlv(0x30, hex(body))); };
  const uint32_t kEntry = KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, kExt = KORVU_TYPE_EXTENSION;
  const struct {
    uint32_t type;
    std::string hex;
    bool ok;
  } vectors[] = {
      {kEntry, seq("02 01 05 " + utc), true},
      {kEntry, seq("02 02 00 05 " + utc), true},  // not minimal: a warning
      {kEntry, seq("02 81 01 05 " + utc), true},  // long-form length
      {kEntry, seq("02 01 05 17 0D 32 35 31 33 30 31 30 30 30 30 30 30 5A"), false},  // month 13
      {kEntry, seq("02 01 05 18 0F 32 30 35 35 30 31 30 31 30 30 30 30 30 30 5A"), true},
      {kEntry, seq("02 01 05 37 11 04 06 32 35 30 31 30 31 04 07 30 30 30 30 30 30 5A"), true},  // constructed UTCTime
      {kEntry, seq("02 01 05 " + utc + " 30 0C " + reason), true},
      {kEntry, seq("02 01 05 " + utc + " 30 05 30 03 06 01 80"), false},  // a bad extension after values were built
      {kEntry, "30 80 02 01 05 " + utc + " 00 00", true},
      {kExt, reason, true},
      {kExt, seq("06 03 55 1D 13 01 01 FF 04 03 30 01 FF"), true},
      {kExt, seq("06 03 55 1D 15 24 80 04 01 0A 04 02 01 01 00 00"), true},  // constructed OCTET STRING
      {kExt, seq("06 03 55 1D 0E " + to_hex(der_tlv(0x04, Bytes(300, 0x5A)))), true},
      {kExt, seq("06 01 80 04 03 0A 01 01"), false},  // OID of a bad form
      {kExt, seq("06 00 04 03 0A 01 01"), false},
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "30 0A 06 08 2A 86 48 CE 3D 04 03 02", true},
  };
  for (const auto &v : vectors) {
    const Bytes b = hex(v.hex);
    for (size_t n = 0; n <= b.size(); n++) {
      SCOPED_TRACE(v.hex + " prefix " + std::to_string(n));
      const Bytes part(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n));
      ErrCtx cm, cf;
      Val m(v.type, decode_via(false, v.type, part, cm)), f(v.type, decode_via(true, v.type, part, cf));
      EXPECT_EQ(m.v != nullptr, f.v != nullptr);
      if (m.v != nullptr && f.v != nullptr) {
        EXPECT_EQ(der_of(m), der_of(f));
      }
      if (n == b.size()) {
        EXPECT_EQ(m.v != nullptr, v.ok);
        EXPECT_EQ(cm.codes(), cf.codes());
      }
    }
  }
}

TEST(OwnValues, BooleanDefaultsAreWritableWordsOfTheirRecord) {
  // Decoded without `critical`: FALSE, writable, and written once it is TRUE;
  // copies made before and after, and a copy of the default alone, are
  // independent of the record.
  ErrCtx ctx;
  const std::string plain = "30 09 06 03 55 1D 13 04 02 30 00", with_true = "30 0C 06 03 55 1D 13 01 01 FF 04 02 30 00";
  Val ext(KORVU_TYPE_EXTENSION, decode(KORVU_TYPE_EXTENSION, hex(plain), ctx));
  ASSERT_NE(ext.v, nullptr);
  KORVU_ASN1_BOOLEAN *crit = crit_of(ext);
  ASSERT_NE(crit, nullptr);
  EXPECT_EQ(korvu_asn1_boolean_istrue(crit), 0);
  EXPECT_EQ(der_of(ext), plain);
  Val copy_false(KORVU_TYPE_EXTENSION, korvu_asn1_dupobject(KORVU_TYPE_EXTENSION, ext.v, ctx));
  *crit = 0xFF;
  EXPECT_EQ(der_of(ext), with_true);
  Val copy_true(KORVU_TYPE_EXTENSION, korvu_asn1_dupobject(KORVU_TYPE_EXTENSION, ext.v, ctx));
  ASSERT_TRUE(copy_false.v != nullptr && copy_true.v != nullptr);
  EXPECT_EQ(korvu_asn1_boolean_istrue(crit_of(copy_true)), 1);
  EXPECT_EQ(korvu_asn1_boolean_istrue(crit_of(copy_false)), 0);
  EXPECT_NE(crit_of(copy_false), crit);
  Val own(KORVU_TYPE_BOOLEAN, korvu_asn1_dupobject(KORVU_TYPE_BOOLEAN, crit_of(copy_false), ctx));
  ASSERT_NE(own.v, nullptr);
  korvu_asn1_value_free(KORVU_TYPE_EXTENSION, copy_false.v);
  copy_false.v = nullptr;
  EXPECT_EQ(korvu_asn1_boolean_istrue(own.as<KORVU_ASN1_BOOLEAN>()), 0);

  // Present values, from memory and from a file, read and write the same (a
  // BER TRUE keeps its octet); malformed ones fail.
  const std::string ber_true = "30 0C 06 03 55 1D 13 01 01 03 04 02 30 00";
  for (bool file : {false, true}) {
    Val t(KORVU_TYPE_EXTENSION, decode_via(file, KORVU_TYPE_EXTENSION, hex(with_true), ctx));
    ASSERT_NE(t.v, nullptr);
    ASSERT_NE(crit_of(t), nullptr);
    EXPECT_EQ(*crit_of(t), 0xFFu);
    EXPECT_EQ(der_of(t), with_true);
    *crit_of(t) = 0;
    EXPECT_EQ(der_of(t), plain);
    Val b(KORVU_TYPE_EXTENSION, decode_via(file, KORVU_TYPE_EXTENSION, hex(ber_true), ctx));
    ASSERT_NE(b.v, nullptr);
    EXPECT_EQ(*crit_of(b), 3u);
    EXPECT_EQ(korvu_asn1_boolean_istrue(crit_of(b)), 1);
    EXPECT_EQ(der_of(b), ber_true);
  }
  for (const char *bad : {"30 0D 06 03 55 1D 13 01 02 00 FF 04 02 30 00",  // two octets
                          "30 0B 06 03 55 1D 13 01 00 04 02 30 00",        // none
                          "30 0C 06 03 55 1D 13 21 01 FF 04 02 30 00"})    // constructed
    expect_refused(KORVU_TYPE_EXTENSION, hex(bad));

  // A TRUE default (primaryDistinguished) reads TRUE and stays unwritten.
  const std::string atv = "30 0B 06 03 55 04 03 13 04 74 65 73 74";
  Val a(KORVU_TYPE_ATTRIBUTETYPEANDVALUE, decode(KORVU_TYPE_ATTRIBUTETYPEANDVALUE, hex(atv), ctx));
  ASSERT_NE(a.v, nullptr);
  ASSERT_NE(a.as<KORVU_X500_ATTRTYPEDISTVAL>()->primaryDistinguished, nullptr);
  EXPECT_EQ(korvu_asn1_boolean_istrue(a.as<KORVU_X500_ATTRTYPEDISTVAL>()->primaryDistinguished), 1);
  EXPECT_EQ(der_of(a), atv);

  // Constructed with a null default: the same behaviour.
  Val oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("2.5.29.15"));
  Val value(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new("\x03\x02\x05\xA0", 4));
  Val made(KORVU_TYPE_EXTENSION, korvu_x509extension_new(oid.as<KORVU_ASN1_OID>(), nullptr,
                                                         value.as<KORVU_ASN1_OCTETSTRING>()));
  ASSERT_NE(made.v, nullptr);
  ASSERT_NE(crit_of(made), nullptr);
  EXPECT_EQ(*crit_of(made), 0u);
  *crit_of(made) = 1;
  EXPECT_EQ(der_of(made), "30 0E 06 03 55 1D 0F 01 01 01 04 04 03 02 05 A0");
  EXPECT_EQ(ctx.count(), 0u);
}

TEST(OwnValues, KeptEncodingsOfAttributesFromEveryInput) {
  // Definite from memory, indefinite from memory (kept with its
  // end-of-contents), non-minimal length, each from a file too: the same
  // octets back, from copies as well.
  const uint32_t kAtv = KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE;
  for (const char *form : {"30 0B 06 03 55 04 03 13 04 74 65 73 74", "30 80 06 03 55 04 03 13 04 74 65 73 74 00 00",
                           "30 81 0B 06 03 55 04 03 13 04 74 65 73 74"}) {
    for (bool file : {false, true}) {
      ErrCtx ctx;
      Val v(kAtv, decode_via(file, kAtv, hex(form), ctx));
      ASSERT_NE(v.v, nullptr) << form;
      auto *m = v.as<KORVU_X500_ATTRTYPEDISTVAL>();
      EXPECT_EQ(m->hasEncoding, 1u);
      EXPECT_EQ(to_hex(kept(m->encoding, m->encodingLength)), form);
      EXPECT_EQ(der_of(v), form);
      Val dup(kAtv, korvu_asn1_dupobject(kAtv, m, ctx));
      ASSERT_NE(dup.v, nullptr);
      EXPECT_EQ(der_of(dup), form);
      EXPECT_EQ(ctx.count(), 0u) << form;
    }
  }
  // A Name inside a larger buffer keeps only its own octets. (Names decoded
  // from memory and files, and dropping their octets on change: test_name.)
  const std::string name = "30 1A 31 0B 30 09 06 03 55 04 06 13 02 46 49 31 0B 30 09 06 03 55 04 0A 0C 02 6F 72";
  const Bytes longer = hex(name + " 05 00");
  void *v = nullptr;
  ASSERT_EQ(korvu_asn1_mem_decode(longer.data(), static_cast<int32_t>(longer.size()), KORVU_TYPE_NAME, &v),
            longer.size() - 2);
  Val hold(KORVU_TYPE_NAME, v);
  EXPECT_EQ(to_hex(kept(hold.as<KORVU_X500_NAME>()->encoding, hold.as<KORVU_X500_NAME>()->encodingLength)), name);

  // Failures inside a record decoded in place hand nothing out (and leak
  // nothing).
  for (const char *bad : {"30 0D 06 03 55 04 03 13 04 74 65 73 74 01 00",  // empty BOOLEAN
                          "30 0C 06 03 55 04 03 13 04 74 65 73 74 00",     // leftover octet
                          "30 0B 06 03 55 04 03 13 05 74 65 73 74 00",     // value runs past
                          "30 0C 06 03 55 04 03 13 04 74 65 73 74"})       // claims more than there is
    expect_refused(kAtv, hex(bad));
}

TEST(OwnValues, CertificatesKeepTheirOctetsAndTheirTbs) {
  if (!have_corpus()) GTEST_SKIP();
  std::vector<Bytes> certs;
  for (const ManifestRow &row : corpus_manifest()) {
    if (certs.size() >= 40) break;
    if (row.type != "Certificate" || row.expect != "valid" || row.encoding != "der") continue;
    Bytes b = read_file(corpus_dir() + "/" + row.path);
    if (b.size() > 4 && b[0] == 0x30) certs.push_back(b);
  }
  ASSERT_FALSE(certs.empty());
  for (const Bytes &in : certs) {
    const Bytes tbs = first_child(in);
    ErrCtx ctx;
    for (bool file : {false, true}) {
      Val v(KORVU_TYPE_CERTIFICATE, decode_via(file, KORVU_TYPE_CERTIFICATE, in, ctx));
      ASSERT_NE(v.v, nullptr) << file;
      auto *c = v.as<KORVU_X509_CERT>();
      EXPECT_EQ(kept(c->encoded, c->encodedLength), in);
      EXPECT_EQ(kept(c->tbsEncoded, c->tbsEncodedLength), tbs);  // what gettbsocts hands out
      EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, c), in);
      EXPECT_EQ(encode(KORVU_TYPE_TBSCERTIFICATE, c->tbsCertificate), tbs);
      // A copy keeps its own octets once the original is gone.
      Val dup(KORVU_TYPE_CERTIFICATE, korvu_asn1_dupobject(KORVU_TYPE_CERTIFICATE, c, ctx));
      ASSERT_NE(dup.v, nullptr);
      auto *d = dup.as<KORVU_X509_CERT>();
      EXPECT_EQ(kept(d->tbsEncoded, d->tbsEncodedLength), tbs);
      korvu_asn1_value_free(KORVU_TYPE_CERTIFICATE, v.v);
      v.v = nullptr;
      EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, d), in);
    }
    EXPECT_EQ(ctx.count(), 0u);
  }

  // Damage deep inside (the signature's unused-bit count) and a truncation
  // fail cleanly; a certificate inside a larger buffer keeps only its own
  // octets.
  const Bytes &in = certs.front();
  DerNode top;
  ASSERT_TRUE(der_node(in, 0, in.size(), top));
  const std::vector<DerNode> parts = der_kids(in, top);
  ASSERT_EQ(parts.size(), 3u);
  ASSERT_EQ(in[parts[2].at], 0x03);
  Bytes bad = in;
  bad[parts[2].at + parts[2].hdr] = 0x09;
  expect_refused(KORVU_TYPE_CERTIFICATE, bad);
  expect_refused(KORVU_TYPE_CERTIFICATE, Bytes(in.begin(), in.end() - 1));
  const Bytes longer = cat_bytes({in, hex("05 00")});
  void *v = nullptr;
  ASSERT_EQ(korvu_asn1_mem_decode(longer.data(), static_cast<int32_t>(longer.size()), KORVU_TYPE_CERTIFICATE, &v),
            in.size());
  Val hold(KORVU_TYPE_CERTIFICATE, v);
  EXPECT_EQ(kept(hold.as<KORVU_X509_CERT>()->encoded, hold.as<KORVU_X509_CERT>()->encodedLength), in);
}

TEST(OwnValues, DecodedStringsAndListsGrowPastTheirSize) {
  // Contents of every size around the initial buffer, primitive and in
  // constructed segments, read back and written again; the value's stream
  // still takes more octets after decoding.
  for (uint32_t n : {0u, 1u, 63u, 64u, 2047u, 2048u, 2049u, 7000u}) {
    Bytes data(n);
    for (uint32_t i = 0; i < n; i++) data[i] = static_cast<unsigned char>(i * 7 + 1);
    Val made(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(data.data(), static_cast<int32_t>(n)));
    ASSERT_NE(made.v, nullptr) << n;
    const Bytes der = encode(KORVU_TYPE_OCTET_STRING, made.v);
    ASSERT_FALSE(der.empty()) << n;
    Bytes seg = hex("24 80");
    for (uint32_t at = 0; at < n; at += 1000)
      seg = cat_bytes({seg, der_tlv(0x04, Bytes(data.begin() + at, data.begin() + std::min(at + 1000, n)))});
    seg.insert(seg.end(), {0x00, 0x00});
    for (const Bytes &in : {der, seg}) {
      void *decoded = nullptr;
      {
        // The value outlives the context it was decoded with: its stream
        // must not report into it later.
        ErrCtx ctx;
        decoded = decode(KORVU_TYPE_OCTET_STRING, in, ctx);
      }
      Val v(KORVU_TYPE_OCTET_STRING, decoded);
      ASSERT_NE(v.v, nullptr) << n;
      auto *o = v.as<KORVU_ASN1_OCTETSTRING>();
      EXPECT_EQ(korvu::stream::context(o->stream), nullptr);
      EXPECT_EQ(o->owns_stream, 1u);
      uint32_t held = 0;
      const unsigned char *p = korvu_memstream_data(o->stream, &held);
      ASSERT_EQ(held, n);
      EXPECT_TRUE(n == 0 || std::memcmp(p, data.data(), n) == 0) << n;
      EXPECT_EQ(encode(KORVU_TYPE_OCTET_STRING, o), der) << n;
      ASSERT_EQ(korvu_stream_writen(o->stream, "\x01\x02\x03", 3), 1);
      EXPECT_EQ(korvu_asn1_octetstring_getlength(o), n + 3);
      expect_refused(KORVU_TYPE_OCTET_STRING, Bytes(in.begin(), in.end() - 1));  // truncated in the data
    }

    // BIT STRING of the same data, with 3 unused bits when there is data.
    const uint32_t unused = n ? 3 : 0;
    if (n) data.back() &= 0xF8;
    Val bits(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_new(unused, data.data(), static_cast<int32_t>(n)));
    ASSERT_NE(bits.v, nullptr) << n;
    const Bytes bder = encode(KORVU_TYPE_BIT_STRING, bits.v);
    ErrCtx ctx;
    Val b(KORVU_TYPE_BIT_STRING, decode(KORVU_TYPE_BIT_STRING, bder, ctx));
    ASSERT_NE(b.v, nullptr) << n;
    EXPECT_EQ(korvu::stream::context(b.as<KORVU_ASN1_BITSTRING>()->stream), nullptr);
    uint32_t got_unused = 99;
    ASSERT_EQ(korvu_asn1_bitstring_getunusedbits(b.as<KORVU_ASN1_BITSTRING>(), &got_unused), 1);
    EXPECT_EQ(got_unused, unused);
    EXPECT_EQ(korvu_asn1_bitstring_getlength(b.as<KORVU_ASN1_BITSTRING>()), n);
    EXPECT_EQ(encode(KORVU_TYPE_BIT_STRING, b.v), bder);
    expect_refused(KORVU_TYPE_BIT_STRING, Bytes(bder.begin(), bder.end() - 1));
  }

  // A decoded list is sized to its elements and grows past that size.
  const Bytes ext = hex("30 0A 06 03 55 1D 15 04 03 0A 01 01");
  ErrCtx ctx;
  auto *list = static_cast<KORVU_ASN1_LIST *>(decode(KORVU_TYPE_EXTENSIONS, der_tlv(0x30, cat_bytes({ext, ext})), ctx));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->capacity, 2);
  for (int i = 0; i < 100; i++)
    ASSERT_EQ(korvu_asn1_list_put(list, korvu_asn1_dupobject(KORVU_TYPE_EXTENSION, list->items[0], ctx)), 1);
  EXPECT_EQ(list->count, 102);
  EXPECT_EQ(encode(KORVU_TYPE_EXTENSIONS, list).size(), 4u + 102u * ext.size());
  korvu_asn1_list_free(list, KORVU_TYPE_EXTENSION);
}

// Memory encoding (into a buffer of the computed size) writes what a stream
// gets, also for a record missing its components; refused values give none.
// (ANY values of definite and indefinite length are written in test_any.)
TEST(OwnValues, MemoryAndStreamEncodingsAgree) {
  KORVU_X509_EXTENSION missing{};
  KORVU_STREAM *m = korvu_stream_new_mem(16, nullptr);
  ASSERT_NE(m, nullptr);
  const int wrote = korvu_asn1_encode(m, KORVU_TYPE_EXTENSION, &missing, nullptr, nullptr);
  KORVU_DATA_BLOB *b = korvu_asn1_mem_encode(KORVU_TYPE_EXTENSION, &missing);
  EXPECT_EQ(b != nullptr, wrote == 1);
  if (b != nullptr) {
    uint32_t n = 0;
    const unsigned char *p = korvu_memstream_data(m, &n);
    EXPECT_EQ(to_hex(b->data, b->length), to_hex(p, n));
  }
  korvu_data_blob_free(b);
  korvu_stream_free(m);
  EXPECT_EQ(korvu_asn1_mem_encode(KORVU_TYPE_EXTENSION, nullptr), nullptr);
  EXPECT_EQ(korvu_asn1_mem_encode(0xFFFF, &missing), nullptr);
}
