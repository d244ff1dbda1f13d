// Values that share their record's block: BOOLEAN defaults of absent
// components and kept encodings of records decoded from memory. Ownership,
// re-encoding and failure paths must be those of separately held values.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "test_util.h"
#include "../util/stream_impl.h"

using namespace korvu_test;

namespace {

Bytes kept(const unsigned char *p, uint32_t n) { return p ? Bytes(p, p + n) : Bytes{}; }

// Header length of the TLV at the start of `b` (definite or indefinite).
size_t header_size(const Bytes &b, size_t at) {
  size_t i = at + 1;
  if ((b[at] & 0x1F) == 0x1F)
    while (b[i++] & 0x80) {
    }
  if (b[i] & 0x80) i += b[i] & 0x7F;
  return i + 1 - at;
}

// Length of the definite TLV at `at`.
size_t tlv_size(const Bytes &b, size_t at) {
  size_t h = header_size(b, at);
  size_t i = at + 1;
  size_t len = 0;
  if (b[i] & 0x80) {
    for (size_t k = 0; k < (b[i] & 0x7Fu); k++) len = len * 256 + b[i + 1 + k];
  } else {
    len = b[i];
  }
  return h + len;
}

// Decodes `bytes` as `type` from a file stream (not memory).
void *decode_from_file(uint32_t type, const Bytes &bytes, KORVU_ERR_CTX *ctx) {
  std::ostringstream name;
  name << ::testing::TempDir() << "alloc_paths_" << type << "_" << bytes.size() << ".der";
  const std::string path = name.str();
  FILE *f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return nullptr;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  KORVU_STREAM *s = korvu_stream_new_file(path.c_str(), "rb");
  void *v = nullptr;
  uint32_t used = 0;
  int r = s ? korvu_asn1_decode(s, type, &v, &used, ctx) : 0;
  korvu_stream_free(s);
  std::remove(path.c_str());
  if (r != 1) return nullptr;
  EXPECT_EQ(used, bytes.size());
  return v;
}

std::vector<Bytes> corpus_certificates(size_t max) {
  std::vector<Bytes> out;
  for (const ManifestRow &row : corpus_manifest()) {
    if (out.size() >= max) break;
    if (row.type != "Certificate" || row.expect != "valid" || row.encoding != "der") continue;
    Bytes b = read_file(corpus_dir() + "/" + row.path);
    if (b.size() > 4 && b[0] == 0x30) out.push_back(b);
  }
  return out;
}

// Decoding `in` as `type` fails with an entry in the context.
void expect_refused(uint32_t type, const Bytes &in) {
  ErrCtx ctx;
  EXPECT_EQ(decode(type, in, ctx), nullptr) << to_hex(in);
  EXPECT_GT(ctx.count(), 0u) << to_hex(in);
}

}  // namespace

TEST(SharedBlocks, AbsentBooleanDefaultsAreOwnedByTheirRecord) {
  // Decoded without `critical`: FALSE, writable, and written once it is TRUE.
  ErrCtx ctx;
  const Bytes plain = hex("30 09 06 03 55 1D 13 04 02 30 00");
  Val ext(KORVU_TYPE_EXTENSION, decode(KORVU_TYPE_EXTENSION, plain, ctx));
  ASSERT_NE(ext.v, nullptr);
  auto *e = static_cast<KORVU_X509_EXTENSION *>(ext.v);
  KORVU_ASN1_BOOLEAN *crit = korvu_x509extension_getcritical(e);
  ASSERT_NE(crit, nullptr);
  EXPECT_EQ(korvu_asn1_boolean_istrue(crit), 0);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTENSION, e)), to_hex(plain));
  Val copy_false(KORVU_TYPE_EXTENSION, korvu_asn1_dupobject(KORVU_TYPE_EXTENSION, e, ctx));
  ASSERT_NE(copy_false.v, nullptr);
  *crit = 0xFF;
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTENSION, e)), "30 0C 06 03 55 1D 13 01 01 FF 04 02 30 00");
  // Copies made before and after are independent of the record.
  Val copy_true(KORVU_TYPE_EXTENSION, korvu_asn1_dupobject(KORVU_TYPE_EXTENSION, e, ctx));
  ASSERT_NE(copy_true.v, nullptr);
  auto *ct = static_cast<KORVU_X509_EXTENSION *>(copy_true.v);
  auto *cf = static_cast<KORVU_X509_EXTENSION *>(copy_false.v);
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_x509extension_getcritical(ct)), 1);
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_x509extension_getcritical(cf)), 0);
  EXPECT_NE(korvu_x509extension_getcritical(cf), crit);
  // A copy of the default as a value of its own outlives the record.
  Val own(KORVU_TYPE_BOOLEAN, korvu_asn1_dupobject(KORVU_TYPE_BOOLEAN, korvu_x509extension_getcritical(cf), ctx));
  ASSERT_NE(own.v, nullptr);
  korvu_asn1_value_free(KORVU_TYPE_EXTENSION, copy_false.v);
  copy_false.v = nullptr;
  EXPECT_EQ(korvu_asn1_boolean_istrue(static_cast<KORVU_ASN1_BOOLEAN *>(own.v)), 0);

  // Present values, from memory and from a file, read and write the same;
  // malformed ones fail as before.
  const Bytes with_true = hex("30 0C 06 03 55 1D 13 01 01 FF 04 02 30 00");
  const Bytes with_ber_true = hex("30 0C 06 03 55 1D 13 01 01 03 04 02 30 00");
  for (int from_file = 0; from_file < 2; from_file++) {
    Val t(KORVU_TYPE_EXTENSION, from_file ? decode_from_file(KORVU_TYPE_EXTENSION, with_true, ctx)
                                          : decode(KORVU_TYPE_EXTENSION, with_true, ctx));
    ASSERT_NE(t.v, nullptr);
    KORVU_ASN1_BOOLEAN *tc = korvu_x509extension_getcritical(static_cast<KORVU_X509_EXTENSION *>(t.v));
    ASSERT_NE(tc, nullptr);
    EXPECT_EQ(*tc, 0xFFu);
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTENSION, t.v)), to_hex(with_true));
    *tc = 0;
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTENSION, t.v)), to_hex(plain));
    Val b(KORVU_TYPE_EXTENSION, from_file ? decode_from_file(KORVU_TYPE_EXTENSION, with_ber_true, ctx)
                                          : decode(KORVU_TYPE_EXTENSION, with_ber_true, ctx));
    ASSERT_NE(b.v, nullptr);
    EXPECT_EQ(*korvu_x509extension_getcritical(static_cast<KORVU_X509_EXTENSION *>(b.v)), 3u);
    EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_x509extension_getcritical(static_cast<KORVU_X509_EXTENSION *>(b.v))), 1);
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTENSION, b.v)), to_hex(with_ber_true));
  }
  const Bytes bad_bool[] = {
      hex("30 0D 06 03 55 1D 13 01 02 00 FF 04 02 30 00"),  // two octets
      hex("30 0B 06 03 55 1D 13 01 00 04 02 30 00"),        // none
      hex("30 0C 06 03 55 1D 13 21 01 FF 04 02 30 00"),     // constructed
  };
  for (const Bytes &in : bad_bool) expect_refused(KORVU_TYPE_EXTENSION, in);

  // A TRUE default (primaryDistinguished) reads TRUE and stays unwritten.
  const Bytes atv = hex("30 0B 06 03 55 04 03 13 04 74 65 73 74");
  Val a(KORVU_TYPE_ATTRIBUTETYPEANDVALUE, decode(KORVU_TYPE_ATTRIBUTETYPEANDVALUE, atv, ctx));
  ASSERT_NE(a.v, nullptr);
  auto *p = static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(a.v);
  ASSERT_NE(p->primaryDistinguished, nullptr);
  EXPECT_EQ(korvu_asn1_boolean_istrue(p->primaryDistinguished), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTRIBUTETYPEANDVALUE, p)), to_hex(atv));

  // Constructed with a null default: the same behaviour.
  Val oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("2.5.29.15"));
  Bytes ku = hex("03 02 05 A0");
  Val value(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(ku.data(), static_cast<int32_t>(ku.size())));
  Val made(KORVU_TYPE_EXTENSION, korvu_x509extension_new(static_cast<KORVU_ASN1_OID *>(oid.v), nullptr,
                                                         static_cast<KORVU_ASN1_OCTETSTRING *>(value.v)));
  ASSERT_NE(made.v, nullptr);
  KORVU_ASN1_BOOLEAN *mc = korvu_x509extension_getcritical(static_cast<KORVU_X509_EXTENSION *>(made.v));
  ASSERT_NE(mc, nullptr);
  EXPECT_EQ(*mc, 0u);
  *mc = 1;
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_EXTENSION, made.v)), "30 0E 06 03 55 1D 0F 01 01 01 04 04 03 02 05 A0");
  EXPECT_EQ(ctx.count(), 0u);
}

TEST(SharedBlocks, KeptEncodingsOfAttributesFromEveryInput) {
  // Definite from memory, indefinite from memory (kept with its
  // end-of-contents), and definite from a file: the same octets back.
  const Bytes forms[] = {
      hex("30 0B 06 03 55 04 03 13 04 74 65 73 74"),
      hex("30 80 06 03 55 04 03 13 04 74 65 73 74 00 00"),
      hex("30 81 0B 06 03 55 04 03 13 04 74 65 73 74"),
  };
  for (const Bytes &in : forms) {
    ErrCtx ctx;
    Val mem(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE,
            decode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, in, ctx));
    ASSERT_NE(mem.v, nullptr) << to_hex(in);
    auto *m = static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(mem.v);
    EXPECT_EQ(m->hasEncoding, 1u);
    EXPECT_EQ(to_hex(kept(m->encoding, m->encodingLength)), to_hex(in));
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, m)), to_hex(in));
    Val file(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE,
             decode_from_file(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, in, ctx));
    ASSERT_NE(file.v, nullptr) << to_hex(in);
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, file.v)), to_hex(in));
    Val dup(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE,
            korvu_asn1_dupobject(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, m, ctx));
    ASSERT_NE(dup.v, nullptr);
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, dup.v)), to_hex(in));
    EXPECT_EQ(ctx.count(), 0u) << to_hex(in);
  }
  // A Name of such attributes keeps each one's form, BER included.
  const Bytes name = hex("30 1F 31 0F 30 80 06 03 55 04 03 13 04 74 65 73 74 00 00 31 0C 30 0A 06 03 55 04 0A 0C 03 6F 72 67");
  ErrCtx ctx;
  Val n(KORVU_TYPE_NAME, decode(KORVU_TYPE_NAME, name, ctx));
  ASSERT_NE(n.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, n.v)), to_hex(name));
  KORVU_ASN1_LIST *rdns = static_cast<KORVU_X500_NAME *>(n.v)->rdns;
  ASSERT_EQ(rdns->count, 2);
  auto *first = static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(static_cast<KORVU_ASN1_LIST *>(rdns->items[0])->items[0]);
  EXPECT_EQ(to_hex(kept(first->encoding, first->encodingLength)),
            "30 80 06 03 55 04 03 13 04 74 65 73 74 00 00");

  // Failures inside a record decoded in place hand nothing out (and leak
  // nothing): a bad value, contents running past, an unknown trailer.
  const Bytes bad[] = {
      hex("30 0D 06 03 55 04 03 13 04 74 65 73 74 01 00"),  // empty BOOLEAN
      hex("30 0C 06 03 55 04 03 13 04 74 65 73 74 00"),  // leftover octet
      hex("30 0B 06 03 55 04 03 13 05 74 65 73 74 00"),  // value runs past
      hex("30 0C 06 03 55 04 03 13 04 74 65 73 74"),     // claims more than there is
  };
  for (const Bytes &in : bad) expect_refused(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, in);
}

TEST(SharedBlocks, CertificatesKeepTheirOctetsAndTheirTbs) {
  if (!have_corpus()) GTEST_SKIP();
  std::vector<Bytes> certs = corpus_certificates(40);
  ASSERT_FALSE(certs.empty());
  for (const Bytes &in : certs) {
    const size_t outer = header_size(in, 0);
    const Bytes tbs(in.begin() + static_cast<long>(outer),
                    in.begin() + static_cast<long>(outer + tlv_size(in, outer)));
    ErrCtx ctx;
    for (int from_file = 0; from_file < 2; from_file++) {
      Val v(KORVU_TYPE_CERTIFICATE,
            from_file ? decode_from_file(KORVU_TYPE_CERTIFICATE, in, ctx) : decode(KORVU_TYPE_CERTIFICATE, in, ctx));
      ASSERT_NE(v.v, nullptr) << from_file;
      auto *c = static_cast<KORVU_X509_CERT *>(v.v);
      EXPECT_EQ(kept(c->encoded, c->encodedLength), in);
      EXPECT_EQ(kept(c->tbsEncoded, c->tbsEncodedLength), tbs);  // what gettbsocts hands out
      EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, c), in);
      // The TBSCertificate on its own re-encodes to the kept octets.
      EXPECT_EQ(encode(KORVU_TYPE_TBSCERTIFICATE, c->tbsCertificate), tbs);
      Val dup(KORVU_TYPE_CERTIFICATE, korvu_asn1_dupobject(KORVU_TYPE_CERTIFICATE, c, ctx));
      ASSERT_NE(dup.v, nullptr);
      auto *d = static_cast<KORVU_X509_CERT *>(dup.v);
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
  Bytes bad = in;
  const size_t outer = header_size(in, 0);
  size_t at = outer + tlv_size(in, outer);
  at += tlv_size(in, at);  // signatureAlgorithm
  ASSERT_EQ(in[at], 0x03);
  bad[at + header_size(in, at)] = 0x09;
  expect_refused(KORVU_TYPE_CERTIFICATE, bad);
  expect_refused(KORVU_TYPE_CERTIFICATE, Bytes(in.begin(), in.end() - 1));
  Bytes longer = in;
  longer.insert(longer.end(), {0x05, 0x00});
  void *v = nullptr;
  ASSERT_EQ(korvu_asn1_mem_decode(longer.data(), static_cast<int32_t>(longer.size()), KORVU_TYPE_CERTIFICATE, &v),
            in.size());
  Val hold(KORVU_TYPE_CERTIFICATE, v);
  auto *c = static_cast<KORVU_X509_CERT *>(v);
  EXPECT_EQ(kept(c->encoded, c->encodedLength), in);
}

TEST(SharedBlocks, StringDataStreamsGrowPastTheirBlock) {
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
    for (uint32_t at = 0; at < n; at += 1000) {
      const Bytes piece = der_tlv(0x04, Bytes(data.begin() + at, data.begin() + std::min(at + 1000, n)));
      seg.insert(seg.end(), piece.begin(), piece.end());
    }
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
      auto *o = static_cast<KORVU_ASN1_OCTETSTRING *>(v.v);
      EXPECT_EQ(o->stream->ctx, nullptr);
      EXPECT_EQ(o->owns_stream, 1u);
      uint32_t held = 0;
      const unsigned char *p = korvu_memstream_data(o->stream, &held);
      ASSERT_EQ(held, n);
      EXPECT_TRUE(n == 0 || std::memcmp(p, data.data(), n) == 0) << n;
      EXPECT_EQ(encode(KORVU_TYPE_OCTET_STRING, o), der) << n;
      const unsigned char more[3] = {1, 2, 3};
      ASSERT_EQ(korvu_stream_writen(o->stream, more, 3), 1);
      EXPECT_EQ(korvu_asn1_octetstring_getlength(o), n + 3);
      // Truncated anywhere in the data: nothing handed out.
      expect_refused(KORVU_TYPE_OCTET_STRING, Bytes(in.begin(), in.end() - 1));
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
    EXPECT_EQ(static_cast<KORVU_ASN1_BITSTRING *>(b.v)->stream->ctx, nullptr);
    uint32_t got_unused = 99;
    ASSERT_EQ(korvu_asn1_bitstring_getunusedbits(static_cast<KORVU_ASN1_BITSTRING *>(b.v), &got_unused), 1);
    EXPECT_EQ(got_unused, unused);
    EXPECT_EQ(korvu_asn1_bitstring_getlength(static_cast<KORVU_ASN1_BITSTRING *>(b.v)), n);
    EXPECT_EQ(encode(KORVU_TYPE_BIT_STRING, b.v), bder);
    expect_refused(KORVU_TYPE_BIT_STRING, Bytes(bder.begin(), bder.end() - 1));
  }
}

TEST(SharedBlocks, NamesKeepTheirOctetsUntilChanged) {
  const Bytes name = hex("30 1A 31 0B 30 09 06 03 55 04 06 13 02 46 49 31 0B 30 09 06 03 55 04 0A 0C 02 6F 72");
  for (int from_file = 0; from_file < 2; from_file++) {
    ErrCtx ctx;
    Val v(KORVU_TYPE_NAME,
          from_file ? decode_from_file(KORVU_TYPE_NAME, name, ctx) : decode(KORVU_TYPE_NAME, name, ctx));
    ASSERT_NE(v.v, nullptr);
    auto *n = static_cast<KORVU_X500_NAME *>(v.v);
    EXPECT_EQ(n->hasEncoding, 1u);
    EXPECT_EQ(kept(n->encoding, n->encodingLength), name);
    // Adding an RDN drops the kept octets; the Name is written from its RDNs.
    KORVU_ASN1_LIST *first = static_cast<KORVU_ASN1_LIST *>(n->rdns->items[0]);
    ASSERT_EQ(korvu_x500name_addrdn(n, first, 1), 1);
    EXPECT_EQ(n->hasEncoding, 0u);
    EXPECT_EQ(n->encoding, nullptr);
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAME, n)),
              "30 27 31 0B 30 09 06 03 55 04 06 13 02 46 49 31 0B 30 09 06 03 55 04 0A 0C 02 6F 72 "
              "31 0B 30 09 06 03 55 04 06 13 02 46 49");
    EXPECT_EQ(n->hasEncoding, 1u);
    EXPECT_EQ(ctx.count(), 0u);
  }
  // Inside a larger buffer only the Name's own octets are kept; a Name
  // claiming more than there is fails.
  Bytes longer = name;
  longer.insert(longer.end(), {0x05, 0x00});
  void *v = nullptr;
  ASSERT_EQ(korvu_asn1_mem_decode(longer.data(), static_cast<int32_t>(longer.size()), KORVU_TYPE_NAME, &v),
            name.size());
  Val hold(KORVU_TYPE_NAME, v);
  auto *n = static_cast<KORVU_X500_NAME *>(v);
  EXPECT_EQ(kept(n->encoding, n->encodingLength), name);
  Bytes claims = name;
  claims[1] = 0x1B;
  expect_refused(KORVU_TYPE_NAME, claims);
}

TEST(SharedBlocks, MemoryEncodingOfKnownAndUnknownLengths) {
  // Definite (written into a buffer of the computed size), indefinite (grown
  // as written) and refused values.
  const Bytes definite = hex("30 0C 06 03 55 1D 13 01 01 FF 04 02 30 00");
  const Bytes indefinite = hex("30 80 04 02 30 00 24 80 04 01 AA 00 00 00 00");
  ErrCtx ctx;
  Val d(KORVU_TYPE_ANY, decode(KORVU_TYPE_ANY, definite, ctx));
  Val i(KORVU_TYPE_ANY, decode(KORVU_TYPE_ANY, indefinite, ctx));
  ASSERT_NE(d.v, nullptr);
  ASSERT_NE(i.v, nullptr);
  for (const auto &[v, want] : {std::pair<void *, const Bytes *>{d.v, &definite}, {i.v, &indefinite}}) {
    KORVU_DATA_BLOB *b = korvu_asn1_mem_encode(KORVU_TYPE_ANY, v);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(to_hex(b->data, b->length), to_hex(*want));
    korvu_data_blob_free(b);
  }
  // The same octets as writing to a stream, also for a record missing its
  // components.
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
  EXPECT_EQ(korvu_asn1_mem_encode(0xFFFF, d.v), nullptr);
}
