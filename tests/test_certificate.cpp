// TBSCertificate, Certificate and CertificatePair: real certificates from the
// system bundle and the shared corpus, BER forms kept as received, building
// from parts, and malformed input.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>

#include "korvu/holder.hpp"
#include "test_util.h"
#include "x509/cert_internal.h"

using namespace korvu_test;

namespace {

// ---- the DER walker of test_util.h, independent of the library ----------------
Bytes slice(const Bytes &b, size_t from, size_t to) {
  return Bytes(b.begin() + static_cast<long>(from), b.begin() + static_cast<long>(to));
}
Bytes whole(const Bytes &b, const DerNode &t) { return slice(b, t.at, t.end()); }
Bytes contents(const Bytes &b, const DerNode &t) { return slice(b, t.at + t.hdr, t.end()); }
// The TLVs inside the outer one.
std::vector<DerNode> outer_kids(const Bytes &b) {
  DerNode top;
  return der_node(b, 0, b.size(), top) ? der_kids(b, top) : std::vector<DerNode>{};
}

Bytes tbs_octets(KORVU_X509_CERT *c) { return tbs_octets_of(korvu_x509pubkeycert_gettbsocts, c); }

std::string text_of(const Bytes &b) { return std::string(b.begin(), b.end()); }

// PEM blocks with the given label, in file order.
std::vector<std::string> pem_blocks(const std::string &text, const std::string &label = "CERTIFICATE") {
  std::vector<std::string> out;
  const std::string begin = "-----BEGIN " + label + "-----", end = "-----END " + label + "-----";
  size_t p = 0;
  while ((p = text.find(begin, p)) != std::string::npos) {
    size_t e = text.find(end, p);
    if (e == std::string::npos) break;
    out.push_back(text.substr(p, e + end.size() - p) + "\n");
    p = e + end.size();
  }
  return out;
}

Bytes pem_der(const std::string &block, const char *label = "CERTIFICATE") {
  unsigned char *der = nullptr;
  uint32_t n = 0;
  Bytes out;
  if (korvu_pemdecode(label, block.data(), static_cast<uint32_t>(block.size()), &der, &n) == 1) out.assign(der, der + n);
  korvu_free(der);
  return out;
}

KORVU_X509_CERT *parse(const Bytes &in, KORVU_ERR_CTX *ctx) {
  return korvu_x509pubkeycert_new(in.data(), static_cast<int32_t>(in.size()), ctx);
}

// Checks a decoded certificate against the DER it came from, read with the walker above: the re-encoding, the
// to-be-signed octets, every field, the extensions' identifiers (each value one encoding unless `opaque_values`),
// and the same certificate from PEM text and from Base64.
void check_certificate(const Bytes &der, const std::string &pem, const std::string &what, bool opaque_values = false) {
  SCOPED_TRACE(what);
  ErrCtx ctx;
  Val cert(KORVU_TYPE_CERTIFICATE, parse(der, ctx));
  ASSERT_NE(cert.v, nullptr) << "DER refused, codes " << testing::PrintToString(ctx.codes());
  auto *c = cert.as<KORVU_X509_CERT>();
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, c), der) << "re-encoding";
  const std::vector<DerNode> outer = outer_kids(der);
  ASSERT_EQ(outer.size(), 3u);
  const std::vector<DerNode> f = der_kids(der, outer[0]);
  const size_t i = !f.empty() && der[f[0].at] == 0xA0 ? 1 : 0;
  ASSERT_GE(f.size(), i + 6);
  // The library's reading and the walker's, field by field; an absent version is 0.
  const std::pair<Bytes, Bytes> fields[] = {
      {tbs_octets(c), whole(der, outer[0])},
      {encode(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509pubkeycert_getsignalgo(c)), whole(der, outer[1])},
      {encode(KORVU_TYPE_INTEGER, korvu_x509pubkeycert_getversion(c)), i ? contents(der, f[0]) : hex("02 01 00")},
      {encode(KORVU_TYPE_INTEGER, korvu_x509pubkeycert_getserialno(c)), whole(der, f[i])},
      {encode(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509pubkeycert_getinnersignalgo(c)), whole(der, f[i + 1])},
      {encode(KORVU_TYPE_NAME, korvu_x509pubkeycert_getissuer(c)), whole(der, f[i + 2])},
      {encode(KORVU_TYPE_NAME, korvu_x509pubkeycert_getsubject(c)), whole(der, f[i + 4])},
      {encode(KORVU_TYPE_SUBJECTPUBLICKEYINFO, korvu_x509pubkeycert_getpubkey(c)), whole(der, f[i + 5])},
  };
  for (const auto &[got, want] : fields) EXPECT_EQ(to_hex(got), to_hex(want));

  // Extensions: the identifiers in order, each value readable as one ANY.
  std::string want_ids, got_ids;
  for (size_t k = i + 6; k < f.size(); k++) {
    if (der[f[k].at] != 0xA3) continue;
    for (const Bytes &e : der_elements(contents(der, f[k]))) want_ids += to_hex(first_child(e)) + ",";
    EXPECT_EQ(korvu_x509pubkeycert_hasexts(c), 1);
  }
  for (auto *ext : list_items<KORVU_X509_EXTENSION>(korvu_x509pubkeycert_getexts(c))) {
    got_ids += to_hex(encode(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_x509extension_getid(ext))) + ",";
    void *any = nullptr;
    ErrCtx ectx;
    if (!opaque_values) {
      EXPECT_EQ(korvu_asn1_octetstring_getobject(korvu_x509extension_getvalue(ext), KORVU_TYPE_ANY, &any, ectx), 1)
          << "extension value is not one encoding";
    }
    korvu_asn1_value_free(KORVU_TYPE_ANY, any);
  }
  EXPECT_EQ(got_ids, want_ids) << "extension identifiers";

  // The same certificate from PEM text and from Base64.
  if (pem.empty()) return;
  Val fromPem(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(pem.data(), static_cast<int32_t>(pem.size()), ctx));
  EXPECT_TRUE(fromPem.v != nullptr && encode(KORVU_TYPE_CERTIFICATE, fromPem.v) == der) << "PEM input";
  size_t b = pem.find('\n') + 1, e = pem.find("-----END");
  std::string b64 = pem.substr(b, e - b);
  if (b64.empty() || b64[0] != 'M') return;
  Val fromB64(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(b64.data(), static_cast<int32_t>(b64.size()), ctx));
  EXPECT_TRUE(fromB64.v != nullptr && encode(KORVU_TYPE_CERTIFICATE, fromB64.v) == der) << "Base64 input";
}

std::vector<ManifestRow> certificate_rows() {
  std::vector<ManifestRow> rows;
  for (ManifestRow &row : corpus_manifest()) {
    if (row.type == "Certificate") rows.push_back(std::move(row));
  }
  return rows;
}

// The DER of a corpus file and the PEM block (label CERTIFICATE) it holds.
Bytes corpus_der(const ManifestRow &row, std::string &pem) {
  Bytes file = read_file(corpus_dir() + "/" + row.path);
  pem.clear();
  if (row.encoding != "pem") return file;
  std::string text = text_of(file);
  for (const char *label : {"CERTIFICATE", "X509 CERTIFICATE", "TRUSTED CERTIFICATE"}) {
    std::vector<std::string> blocks = pem_blocks(text, label);
    if (blocks.empty()) continue;
    if (std::strcmp(label, "CERTIFICATE") == 0) pem = blocks[0];
    return pem_der(blocks[0], label);
  }
  return {};
}

// A real certificate to rewrite: the first of the system bundle, else the
// first valid corpus certificate.
Bytes sample_certificate() {
  std::vector<std::string> blocks = pem_blocks(text_of(read_file("/etc/ssl/certs/ca-certificates.crt")));
  if (!blocks.empty()) return pem_der(blocks[0]);
  if (!std::filesystem::is_directory(corpus_dir())) return {};
  for (const ManifestRow &r : certificate_rows())
    if (r.expect == "valid" && r.encoding == "der") return read_file(corpus_dir() + "/" + r.path);
  return {};
}

}  // namespace

TEST(Certificate, SystemBundleDecodesAndAgrees) {
  std::string text = text_of(read_file("/etc/ssl/certs/ca-certificates.crt"));
  std::vector<std::string> blocks = pem_blocks(text);
  if (blocks.empty()) GTEST_SKIP() << "no CA bundle";
  for (size_t i = 0; i < blocks.size(); i++) {
    Bytes der = pem_der(blocks[i]);
    ASSERT_FALSE(der.empty()) << i;
    check_certificate(der, blocks[i], "bundle #" + std::to_string(i));
  }
  std::printf("[          ] %zu bundle certificates checked\n", blocks.size());
}

// Corpus certificates this library refuses, by the code their error context
// must hold; "@name" stands for a BoringSSL parse_certificate_unittest file.
// Listed as valid but refused: GeneralizedTime years 0000 and 0001 (Time
// takes 1582-9999), synthesized frames whose TBSCertificate is SEQUENCE {
// NULL, ... }, and parameters with tag number 469794384 (past the identifier
// codec's limit). The rest are listed as malformed (one a UTCTime with bad
// digits).
const std::pair<uint32_t, std::vector<const char *>> kRefused[] = {
    {0x1024F,
     {"asn1crypto__9999-years-rsa-cert.pem", "boringssl__pss_sha1.pem", "boringssl__pss_sha1_explicit.pem",
      "boringssl__pss_sha224.pem", "boringssl__pss_sha256.pem", "boringssl__pss_sha256_explicit_trailer.pem",
      "boringssl__pss_sha256_mgf1_sha384.pem", "boringssl__pss_sha256_omit_nulls.pem",
      "boringssl__pss_sha256_salt31.pem", "boringssl__pss_sha384.pem", "boringssl__pss_sha512.pem",
      "pyca-vectors__badasn1time.pem", "boringssl__pss_sha1_mgf1_syntax_error.pem",
      "boringssl__pss_sha256_mgf1_syntax_error.pem", "boringssl__pss_sha256_salt_overflow.pem",
      "boringssl__pss_sha256_unknown_mgf.pem", "boringssl__pss_sha256_wrong_trailer.pem",
      "gmsm__smx509_x509_dupExtCert.der", "gmsm__smx509_x509_mismatchingSigAlgIDPEM.der",
      "gmsm__smx509_x509_mismatchingSigAlgParamPEM.der"}},
    {0x10257,
     {"@cert_skeleton", "@signature_algorithm_null", "@cert_algorithm_not_sequence", "@cert_data_after_signature",
      "@cert_empty_sequence", "@cert_missing_signature", "@cert_signature_not_bit_string"}},
    {0x1024D, {"@failed_signature_algorithm"}},
    {0x10259, {"@cert_not_sequence"}},
    {0x10210, {"@serial_not_number"}},                                           // serialNumber is a NULL
    {0x10255, {"@extensions_data_after_sequence", "@extensions_not_sequence"}},  // [3] is no Extensions
    {0x10116, {"tongsuo__certs_invalid-cert.pem"}},                              // PEM label TRUSTED CERTIFICATE
};

uint32_t refusal_code(const std::string &path) {
  for (const auto &[code, files] : kRefused)
    for (const char *f : files)
      if (path == (f[0] == '@' ? "x509/boringssl__parse_certificate_unittest__" + std::string(f + 1) +
                                     ".certificate.der"
                               : "x509/" + std::string(f)))
        return code;
  return 0;
}

// Valid certificates whose extension values are not one complete encoding
// (RFC 5280 asks for DER there; these carry raw octets on purpose).
const std::set<std::string> kOpaqueExtensionValues = {
    "x509/pyca-vectors__custom_unsupported_extension.pem", "x509/pyca-vectors__custom_unsupported_extension_2.pem",
    "x509/pyca-vectors__custom_unsupported_extension_critical.pem", "x509/x509-limbo__rfc5280_san_malformed.pem",
    "x509/x509-limbo__rfc5280_unknown-critical-extension-ee.pem", "x509/x509-limbo__webpki_malformed-aia.pem",
};

// Every corpus certificate. The valid ones pass check_certificate; bytes after a certificate (a TRUSTED
// CERTIFICATE trailer, stray octets) are refused as a whole while the certificate itself still decodes. Most faults
// of the malformed or doubtful ones lie inside extension values, attribute strings or algorithm parameters, which
// this layer keeps as opaque octets: those decode and re-encode byte for byte. The files in kRefused are refused
// with their code.
TEST(Certificate, CorpusCertificates) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  size_t valid = 0, trailing = 0, malformed = 0, refused = 0, pem_variants = 0;
  for (const ManifestRow &row : certificate_rows()) {
    std::string pem;
    Bytes in = read_file(corpus_dir() + "/" + row.path);
    if (row.expect == "valid") {
      in = corpus_der(row, pem);
    } else if (row.encoding == "pem") {  // the PEM reader sees the text from its first BEGIN line on
      const size_t b = text_of(in).find("-----BEGIN CERTIFICATE-----");
      if (b != std::string::npos) in = slice(in, b, in.size());
    }
    ASSERT_FALSE(in.empty()) << row.path;
    ErrCtx ctx;
    if (uint32_t code = refusal_code(row.path)) {
      EXPECT_EQ(Val(KORVU_TYPE_CERTIFICATE, parse(in, ctx)).v, nullptr) << row.path;
      EXPECT_TRUE(ctx.has(code)) << row.path << " " << testing::PrintToString(ctx.codes());
      refused++;
      continue;
    }
    if (row.expect == "valid") {
      DerNode top;
      if (der_node(in, 0, in.size(), top) && top.end() < in.size()) {
        EXPECT_EQ(Val(KORVU_TYPE_CERTIFICATE, parse(in, ctx)).v, nullptr) << row.path;
        EXPECT_TRUE(ctx.has(0x1020B)) << row.path;
        in.resize(top.end());
        pem.clear();
        trailing++;
      }
      check_certificate(in, pem, row.path, kOpaqueExtensionValues.count(row.path) != 0);
      valid++;
      continue;
    }
    Val c(KORVU_TYPE_CERTIFICATE, parse(in, ctx));
    if (row.path.find("pem_reading_cert-") != std::string::npos && c.v == nullptr) {
      // PEM formatting variants: either the reader accepts the text or it refuses it as a stream error.
      EXPECT_TRUE(ctx.has(0x10116)) << row.path;
      pem_variants++;
      continue;
    }
    ASSERT_NE(c.v, nullptr) << row.path << " " << testing::PrintToString(ctx.codes());
    const Bytes der = row.encoding == "pem" ? pem_der(text_of(in)) : in;
    EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, c.v), der) << row.path;
    EXPECT_EQ(tbs_octets(c.as<KORVU_X509_CERT>()), first_child(der)) << row.path;
    malformed++;
  }
  size_t listed = 0;
  for (const auto &r : kRefused) listed += r.second.size();
  EXPECT_EQ(refused, listed) << "every listed file refused once";
  EXPECT_GT(valid, 100u);
  std::printf("[          ] certificates: %zu valid checked (%zu with trailing bytes), %zu malformed decoded, %zu "
              "refused as listed, %zu PEM variants refused\n", valid, trailing, malformed, refused, pem_variants);
}

namespace {

// Indefinite-length form of a constructed TLV: identifier, 80, contents, 00 00.
Bytes indefinite(const Bytes &b, const DerNode &t) {
  return cat_bytes({Bytes{b[t.at], 0x80}, contents(b, t), Bytes{0, 0}});
}
// The same TLV with a four-octet length (X.690 8.1.3.5 allows it in BER).
Bytes long_length(const Bytes &b, const DerNode &t) {
  size_t n = t.len;
  return cat_bytes({Bytes{b[t.at], 0x84, static_cast<unsigned char>(n >> 24), static_cast<unsigned char>(n >> 16),
                    static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)},
              contents(b, t)});
}

}  // namespace

TEST(Certificate, BerFormsAreKeptAsReceived) {
  Bytes der = sample_certificate();
  if (der.empty()) GTEST_SKIP() << "no sample certificate";
  std::vector<DerNode> outer = outer_kids(der);
  ASSERT_EQ(outer.size(), 3u);
  std::vector<DerNode> f = der_kids(der, outer[0]);
  size_t i = der[f[0].at] == 0xA0 ? 1 : 0;
  ASSERT_GE(f.size(), i + 6);

  // Rewrite the TBSCertificate: indefinite outer length, an indefinite
  // issuer, a four-octet validity length, and the public key as a
  // constructed BIT STRING of two segments.
  Bytes body;
  for (size_t k = 0; k < f.size(); k++) {
    if (k == i + 2) {
      body = cat_bytes({body, indefinite(der, f[k])});
    } else if (k == i + 3) {
      body = cat_bytes({body, long_length(der, f[k])});
    } else if (k == i + 5) {
      std::vector<DerNode> spki = der_kids(der, f[k]);
      ASSERT_EQ(spki.size(), 2u);
      Bytes bits = contents(der, spki[1]);  // unused-bits octet, then the key
      size_t half = (bits.size() - 1) / 2;
      Bytes seg1 = der_tlv(0x03, cat_bytes({Bytes{0}, slice(bits, 1, 1 + half)}));
      Bytes seg2 = der_tlv(0x03, cat_bytes({Bytes{bits[0]}, slice(bits, 1 + half, bits.size())}));
      Bytes key = cat_bytes({Bytes{0x23, 0x80}, seg1, seg2, Bytes{0, 0}});
      body = cat_bytes({body, Bytes{0x30, 0x80}, whole(der, spki[0]), key, Bytes{0, 0}});
    } else {
      body = cat_bytes({body, whole(der, f[k])});
    }
  }
  Bytes tbs = cat_bytes({Bytes{0x30, 0x80}, body, Bytes{0, 0}});
  Bytes cert = der_tlv(0x30, cat_bytes({tbs, whole(der, outer[1]), whole(der, outer[2])}));

  ErrCtx ctx;
  Val c(KORVU_TYPE_CERTIFICATE, parse(cert, ctx));
  ASSERT_NE(c.v, nullptr) << testing::PrintToString(ctx.codes());
  auto *x = c.as<KORVU_X509_CERT>();
  EXPECT_EQ(tbs_octets(x), tbs);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, x), cert);
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_CERTIFICATE, x), cert.size());
  // The fields are those of the DER original.
  Val orig(KORVU_TYPE_CERTIFICATE, parse(der, ctx));
  ASSERT_NE(orig.v, nullptr);
  auto *o = orig.as<KORVU_X509_CERT>();
  EXPECT_EQ(encode(KORVU_TYPE_INTEGER, korvu_x509pubkeycert_getserialno(x)),
            encode(KORVU_TYPE_INTEGER, korvu_x509pubkeycert_getserialno(o)));
  EXPECT_EQ(encode(KORVU_TYPE_NAME, korvu_x509pubkeycert_getsubject(x)),
            encode(KORVU_TYPE_NAME, korvu_x509pubkeycert_getsubject(o)));
  EXPECT_EQ(encode(KORVU_TYPE_VALIDITY, korvu_x509pubkeycert_getvalidity(x)),
            encode(KORVU_TYPE_VALIDITY, korvu_x509pubkeycert_getvalidity(o)));
  EXPECT_EQ(encode(KORVU_TYPE_SUBJECTPUBLICKEYINFO, korvu_x509pubkeycert_getpubkey(x)),
            encode(KORVU_TYPE_SUBJECTPUBLICKEYINFO, korvu_x509pubkeycert_getpubkey(o)));
  EXPECT_EQ(korvu_x509pubkeycert_hasexts(x), korvu_x509pubkeycert_hasexts(o));
  // A copy keeps the received octets too.
  Val copy(KORVU_TYPE_CERTIFICATE, korvu_asn1_dupobject(KORVU_TYPE_CERTIFICATE, x, ctx));
  ASSERT_NE(copy.v, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, copy.v), cert);
  EXPECT_EQ(tbs_octets(copy.as<KORVU_X509_CERT>()), tbs);

  // An indefinite Certificate around it reads as well, and is written back
  // as received.
  Bytes indef = cat_bytes({Bytes{0x30, 0x80}, tbs, whole(der, outer[1]), whole(der, outer[2]), Bytes{0, 0}});
  Val ci(KORVU_TYPE_CERTIFICATE, parse(indef, ctx));
  ASSERT_NE(ci.v, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, ci.v), indef);

  // The to-be-signed buffer protocol.
  uint32_t n = 0;
  ASSERT_EQ(korvu_x509pubkeycert_gettbsocts(x, nullptr, &n, nullptr), 1);
  EXPECT_EQ(n, tbs.size());
  Bytes small(n - 1);
  uint32_t m = n - 1;
  EXPECT_EQ(korvu_x509pubkeycert_gettbsocts(x, small.data(), &m, nullptr), 0);
  EXPECT_EQ(m, n);
  EXPECT_EQ(korvu_x509pubkeycert_gettbsocts(x, small.data(), nullptr, nullptr), 0);
  EXPECT_EQ(korvu_x509pubkeycert_gettbsocts(nullptr, nullptr, &m, nullptr), 0);
}

TEST(Certificate, InputFormsAndTrailingBytes) {
  Bytes der = sample_certificate();
  if (der.empty()) GTEST_SKIP() << "no sample certificate";
  char *pem = nullptr;
  uint32_t pem_len = 0;
  ASSERT_EQ(korvu_pemencode("CERTIFICATE", der.data(), static_cast<uint32_t>(der.size()), &pem, &pem_len), 1);
  const std::string text(pem, pem_len);
  korvu_free(pem);
  ErrCtx ok_ctx;
  Val ok(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(text.data(), static_cast<int32_t>(text.size()), ok_ctx));
  ASSERT_NE(ok.v, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, ok.v), der);
  std::string crl = text;
  for (size_t p; (p = crl.find("CERTIFICATE")) != std::string::npos;) crl.replace(p, 11, "X509 CRL");
  // Trailing octets, another PEM label, bad Base64, a SET.
  const std::pair<std::string, uint32_t> refused[] = {
      {text_of(cat_bytes({der, Bytes{0x00}})), 0x1020B}, {crl, 0x10116}, {"MIIB!!!", 0x10111}, {{"\x31\x00", 2}, 0x10259}};
  for (const auto &[in, code] : refused) {
    ErrCtx ctx;
    EXPECT_EQ(korvu_x509pubkeycert_new(in.data(), static_cast<int32_t>(in.size()), ctx), nullptr) << std::hex << code;
    EXPECT_TRUE(ctx.has(code)) << std::hex << code;
  }
  ErrCtx ctx;
  EXPECT_EQ(korvu_x509pubkeycert_new(nullptr, 10, ctx), nullptr);
  EXPECT_TRUE(ctx.has(0x10002));
  EXPECT_EQ(korvu_x509pubkeycert_new(der.data(), 0, ctx), nullptr);
  EXPECT_TRUE(ctx.has(0x10001));
}

TEST(Certificate, TruncatedWrongTagsAndOverruns) {
  Bytes der = sample_certificate();
  if (der.empty()) GTEST_SKIP() << "no sample certificate";
  auto refused = [](const Bytes &in, uint32_t code, const std::string &what) {
    ErrCtx ctx;
    Val v(KORVU_TYPE_CERTIFICATE, decode(KORVU_TYPE_CERTIFICATE, in, ctx));
    EXPECT_EQ(v.v, nullptr) << what;
    EXPECT_TRUE(code ? ctx.has(code) : ctx.count() > 0) << what << " " << testing::PrintToString(ctx.codes());
  };
  // `t` with its two-octet length (82 xx xx) set to n.
  auto relength = [](Bytes b, const DerNode &t, size_t n) {
    EXPECT_EQ(b[t.at + 1], 0x82);
    b[t.at + 2] = static_cast<unsigned char>(n >> 8);
    b[t.at + 3] = static_cast<unsigned char>(n);
    return b;
  };
  for (size_t n = 0; n < der.size(); n += (n < 64 || n + 64 > der.size()) ? 1 : 7)
    refused(slice(der, 0, n), 0, "truncated at " + std::to_string(n));

  DerNode top;
  ASSERT_TRUE(der_node(der, 0, der.size(), top));
  std::vector<DerNode> outer = der_kids(der, top);
  std::vector<DerNode> f = der_kids(der, outer[0]);
  // A foreign identifier in every component position of the Certificate and
  // of its TBSCertificate (0x0C: UTF8String, which no component accepts).
  std::vector<DerNode> positions = outer;
  positions.insert(positions.end(), f.begin(), f.end());
  for (const DerNode &t : positions) {
    Bytes bad = der;
    bad[t.at] = 0x0C;
    refused(bad, 0, "foreign tag at " + std::to_string(t.at));
  }
  Bytes prim = der;
  prim[outer[0].at] = 0x10;  // primitive TBSCertificate
  refused(prim, 0x1026A, "primitive TBSCertificate");

  refused(relength(der, outer[0], top.len + 1), 0x1020B, "TBSCertificate past its Certificate");
  const DerNode &last = f.back();
  if (der[last.at + 1] == 0x82)
    refused(relength(der, last, outer[0].end() - last.at - last.hdr + 1), 0x1020B, "last TBS component past its parent");
  refused(cat_bytes({relength(der, outer[2], top.end() - outer[2].at - outer[2].hdr + 1), Bytes{0}}), 0x1020B,
          "signature past the Certificate");
  // Contents left over inside the Certificate.
  Bytes left = cat_bytes({contents(der, top), Bytes{0x05, 0x00}});
  refused(der_tlv(0x30, left), 0x1020B, "an element after signatureValue");
}

TEST(Certificate, BuiltFromPartsIsAcceptedAndReadsBack) {
  Bytes sample = sample_certificate();
  if (sample.empty()) GTEST_SKIP() << "no sample certificate";
  ErrCtx ctx;
  Val src(KORVU_TYPE_CERTIFICATE, parse(sample, ctx));
  ASSERT_NE(src.v, nullptr);

  // O=Example Org, CN=Korvu Test CA
  auto rdn = [](const char *type, const std::string &v) {
    return der_tlv(0x31, der_tlv(0x30, cat_bytes({hex(type), der_tlv(0x0C, Bytes(v.begin(), v.end()))})));
  };
  const Bytes name_bytes =
      der_tlv(0x30, cat_bytes({rdn("06 03 55 04 0A", "Example Org"), rdn("06 03 55 04 03", "Korvu Test CA")}));
  Val name(KORVU_TYPE_NAME, decode(KORVU_TYPE_NAME, name_bytes, ctx));
  ASSERT_NE(name.v, nullptr);
  Val version(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(2));
  Val serial(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(0x123456));
  Val sha256rsa(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.840.113549.1.1.11"));
  Val alg(KORVU_TYPE_ALGORITHMIDENTIFIER,
          korvu_x509algoid_new(sha256rsa.as<KORVU_ASN1_OID>(), KORVU_TYPE_NULL, nullptr));
  Val nb(KORVU_TYPE_TIME, korvu_asn1_time_new(2024, 1, 1, 0, 0, 0, 0));
  Val na(KORVU_TYPE_TIME, korvu_asn1_time_new(2034, 1, 1, 0, 0, 0, 0));
  Val validity(KORVU_TYPE_VALIDITY, korvu_x509validity_new(nb.as<KORVU_ASN1_TIME>(), na.as<KORVU_ASN1_TIME>()));

  // BasicConstraints { cA TRUE } as an encoded value, critical; a
  // SubjectKeyIdentifier built from an OCTET STRING value.
  Val bc_oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("2.5.29.19"));
  Val ski_oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("2.5.29.14"));
  Val bc(KORVU_TYPE_ANY, decode(KORVU_TYPE_ANY, hex("30 03 01 01 FF"), ctx));
  Val yes(KORVU_TYPE_BOOLEAN, korvu_asn1_boolean_true());
  Bytes kid(20, 0xAB);
  Val ski(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(kid.data(), 20));
  KORVU_ASN1_LIST *exts = korvu_asn1_list_new();
  ASSERT_EQ(korvu_asn1_list_put(exts, korvu_x509extension_create(bc_oid.as<KORVU_ASN1_OID>(),
                                                                 yes.as<KORVU_ASN1_BOOLEAN>(), KORVU_TYPE_ANY, bc.v)),
            1);
  ASSERT_EQ(korvu_asn1_list_put(exts, korvu_x509extension_create(ski_oid.as<KORVU_ASN1_OID>(), nullptr,
                                                                 KORVU_TYPE_OCTET_STRING, ski.v)),
            1);

  Val tbs(KORVU_TYPE_TBSCERTIFICATE,
          korvu_x509TBSCertificate_new(
              version.as<KORVU_ASN1_INTEGER>(), serial.as<KORVU_ASN1_INTEGER>(), alg.as<KORVU_X509_ALGID>(),
              name.as<KORVU_X500_NAME>(), validity.as<KORVU_X509_VALIDITY>(), name.as<KORVU_X500_NAME>(),
              korvu_x509pubkeycert_getpubkey(src.as<KORVU_X509_CERT>()), nullptr, nullptr, exts));
  const Bytes exts_der = encode(KORVU_TYPE_EXTENSIONS, exts);
  korvu_asn1_list_free(exts, KORVU_TYPE_EXTENSION);
  ASSERT_NE(tbs.v, nullptr);
  Bytes tbs_der = encode(KORVU_TYPE_TBSCERTIFICATE, tbs.v);
  // serialNumber through subjectPublicKeyInfo, as each part encodes alone.
  const Bytes name_der = encode(KORVU_TYPE_NAME, name.v);
  const Bytes core = cat_bytes({encode(KORVU_TYPE_INTEGER, serial.v), encode(KORVU_TYPE_ALGORITHMIDENTIFIER, alg.v),
                          name_der, encode(KORVU_TYPE_VALIDITY, validity.v), name_der,
                          encode(KORVU_TYPE_SUBJECTPUBLICKEYINFO,
                                 korvu_x509pubkeycert_getpubkey(src.as<KORVU_X509_CERT>()))});
  EXPECT_EQ(tbs_der, der_tlv(0x30, cat_bytes({hex("A0 03 02 01 02"), core, der_tlv(0xA3, exts_der)})));
  EXPECT_EQ(korvu_x509TBSCertificate_new(nullptr, serial.as<KORVU_ASN1_INTEGER>(), alg.as<KORVU_X509_ALGID>(),
                                         nullptr, validity.as<KORVU_X509_VALIDITY>(), name.as<KORVU_X500_NAME>(),
                                         korvu_x509pubkeycert_getpubkey(src.as<KORVU_X509_CERT>()), nullptr,
                                         nullptr, nullptr),
            nullptr);  // issuer missing

  Bytes sigbytes(256);
  for (size_t k = 0; k < sigbytes.size(); k++) sigbytes[k] = static_cast<unsigned char>(k * 7 + 1);
  Val sig(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_new(0, sigbytes.data(), 256));
  Val cert(KORVU_TYPE_CERTIFICATE,
           korvu_x509pubkeycert_create(tbs.as<KORVU_X509_TBSCERT>(), sig.as<KORVU_ASN1_BITSTRING>()));
  ASSERT_NE(cert.v, nullptr);
  auto *c = cert.as<KORVU_X509_CERT>();
  EXPECT_EQ(c->hasEncoded, 1u);
  EXPECT_EQ(tbs_octets(c), tbs_der);
  Bytes der = encode(KORVU_TYPE_CERTIFICATE, c);
  EXPECT_EQ(der, der_tlv(0x30, cat_bytes({tbs_der, encode(KORVU_TYPE_ALGORITHMIDENTIFIER, alg.v),
                                    encode(KORVU_TYPE_BIT_STRING, sig.v)})));

  if (std::system("openssl version >/dev/null 2>&1") == 0) {
    const std::string path = testing::TempDir() + "korvu_built_cert_" + std::to_string(getpid()) + ".der";
    std::FILE *f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(der.data(), 1, der.size(), f);
    std::fclose(f);
    int status = -1;
    const std::string text = run_command("openssl x509 -inform DER -noout -text -in " + path + " 2>&1", &status);
    std::remove(path.c_str());
    EXPECT_EQ(status, 0) << text;
    EXPECT_NE(text.find("Basic Constraints: critical"), std::string::npos) << text;
    EXPECT_NE(text.find("CA:TRUE"), std::string::npos) << text;
    EXPECT_NE(text.find("Korvu Test CA"), std::string::npos) << text;
    EXPECT_NE(text.find("(0x123456)"), std::string::npos) << text;
    EXPECT_NE(text.find("AB:AB:AB"), std::string::npos) << text;  // the key identifier
  } else if (under_ci()) {
    ADD_FAILURE() << "openssl missing";
  }

  // Read back: the fields agree with the octets.
  check_certificate(der, "", "built");
  Val back(KORVU_TYPE_CERTIFICATE, parse(der, ctx));
  ASSERT_NE(back.v, nullptr) << testing::PrintToString(ctx.codes());
  EXPECT_EQ(korvu_x509pubkeycert_hasissueruid(back.as<KORVU_X509_CERT>()), 0);
  EXPECT_EQ(korvu_x509pubkeycert_getsubjectuid(back.as<KORVU_X509_CERT>()), nullptr);

  // Version 1 with unique identifiers: no [0], [1] and [2] written
  // primitive, and read back without complaint.
  Bytes uid = hex("01 02 03");
  Val iuid(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_new(0, uid.data(), 3));
  Val v1(KORVU_TYPE_TBSCERTIFICATE,
         korvu_x509TBSCertificate_new(nullptr, serial.as<KORVU_ASN1_INTEGER>(), alg.as<KORVU_X509_ALGID>(),
                                      name.as<KORVU_X500_NAME>(), validity.as<KORVU_X509_VALIDITY>(),
                                      name.as<KORVU_X500_NAME>(),
                                      korvu_x509pubkeycert_getpubkey(src.as<KORVU_X509_CERT>()),
                                      iuid.as<KORVU_ASN1_BITSTRING>(), iuid.as<KORVU_ASN1_BITSTRING>(), nullptr));
  ASSERT_NE(v1.v, nullptr);
  Bytes v1der = encode(KORVU_TYPE_TBSCERTIFICATE, v1.v);
  EXPECT_EQ(v1der, der_tlv(0x30, cat_bytes({core, hex("81 04 00 01 02 03 82 04 00 01 02 03")})));
  Val v1back(KORVU_TYPE_TBSCERTIFICATE, decode(KORVU_TYPE_TBSCERTIFICATE, v1der, ctx));
  ASSERT_NE(v1back.v, nullptr);
  int32_t ver = -1;
  EXPECT_EQ(korvu_asn1_integer_getlong(v1back.as<KORVU_X509_TBSCERT>()->version, &ver), 1);
  EXPECT_EQ(ver, 0);
  EXPECT_EQ(encode(KORVU_TYPE_TBSCERTIFICATE, v1back.v), v1der);

  // CertificatePair with one certificate, written under [0].
  EXPECT_EQ(korvu_x509certpair_new(nullptr, nullptr), nullptr);
  Val pair(KORVU_TYPE_CERTIFICATEPAIR, korvu_x509certpair_new(c, nullptr));
  ASSERT_NE(pair.v, nullptr);
  Bytes pder = encode(KORVU_TYPE_CERTIFICATEPAIR, pair.v);
  EXPECT_EQ(pder, der_tlv(0x30, der_tlv(0xA0, der)));
  Val pback(KORVU_TYPE_CERTIFICATEPAIR, decode(KORVU_TYPE_CERTIFICATEPAIR, pder, ctx));
  ASSERT_NE(pback.v, nullptr);
  EXPECT_EQ(korvu_x509certpair_getissuedbythisca(pback.as<KORVU_X509_CERTPAIR>()), nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, korvu_x509certpair_getissuedtothisca(pback.as<KORVU_X509_CERTPAIR>())), der);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATEPAIR, pback.v), pder);
}

#include "summary.h"

TEST(Certificate, Summary) {
  // A certificate whose names hold a multi-valued RDN, an unknown attribute
  // type, a BMPString and a non-string value.
  Bytes name = hex(
      "30 3B"
      " 31 0F 30 0D 06 03 55 04 0A 0C 06 45 78 2C 41 6D 70"   // O=Ex,Amp
      " 31 28"
      "  30 0D 06 03 55 04 03 1E 06 00 4B 00 E9 00 79"        // CN=Kéy (BMPString)
      "  30 08 06 03 2A 03 04 02 01 05"                       // 1.2.3.4=#020105
      "  30 0D 06 03 55 04 0B 13 06 55 6E 69 74 20 31");      // OU=Unit 1
  ErrCtx ctx;
  Val n(KORVU_TYPE_NAME, decode(KORVU_TYPE_NAME, name, ctx));
  ASSERT_NE(n.v, nullptr);
  Bytes sample = sample_certificate();
  if (sample.empty()) GTEST_SKIP() << "no sample certificate";
  Val src(KORVU_TYPE_CERTIFICATE, parse(sample, ctx));
  ASSERT_NE(src.v, nullptr);
  auto *s = src.as<KORVU_X509_CERT>();
  Val serial(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(0x0102AB));
  Val tbs(KORVU_TYPE_TBSCERTIFICATE,
          korvu_x509TBSCertificate_new(
              nullptr, serial.as<KORVU_ASN1_INTEGER>(), korvu_x509pubkeycert_getinnersignalgo(s),
              n.as<KORVU_X500_NAME>(), korvu_x509pubkeycert_getvalidity(s), korvu_x509pubkeycert_getsubject(s),
              korvu_x509pubkeycert_getpubkey(s), nullptr, nullptr, korvu_x509pubkeycert_getexts(s)));
  ASSERT_NE(tbs.v, nullptr);
  Val cert(KORVU_TYPE_CERTIFICATE,
           korvu_x509pubkeycert_create(tbs.as<KORVU_X509_TBSCERT>(), korvu_x509pubkeycert_getsignvalue(s)));
  ASSERT_NE(cert.v, nullptr);

  std::FILE *f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(korvu::tool::print_certificate_summary(cert.v, f), 1);
  EXPECT_EQ(korvu::tool::print_certificate_summary(nullptr, f), 0);
  std::rewind(f);
  std::string text;
  char buf[512];
  while (std::fgets(buf, sizeof buf, f)) text += buf;
  std::fclose(f);
  EXPECT_NE(text.find("serial: 0102AB\n"), std::string::npos) << text;
  // RFC 4514: the last RDN first.
  EXPECT_NE(text.find("issuer: CN=K\xC3\xA9y+1.2.3.4=#020105+OU=Unit 1,O=Ex\\,Amp\n"), std::string::npos) << text;
  const KORVU_ASN1_TIME *nb = korvu_x509validity_getnotbefore(korvu_x509pubkeycert_getvalidity(s));
  korvu::MemHolder<char> iso(korvu_asn1_time_toiso8601(nb));
  ASSERT_TRUE(iso);
  EXPECT_NE(text.find(std::string("notBefore: ") + iso.get() + "\n"), std::string::npos) << text;
  KORVU_ASN1_LIST *exts = korvu_x509pubkeycert_getexts(s);
  EXPECT_NE(text.find("extensions: " + std::to_string(exts ? korvu_asn1_list_getsize(exts) : 0) + "\n"),
            std::string::npos)
      << text;
}
