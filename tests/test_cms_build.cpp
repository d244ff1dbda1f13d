// Signed messages built with the constructors (openssl verifies them), the SignedData record's offsets and
// wrapper kind, the CMS-form rule, malformed input for the generic decoders and for the streaming decoder, and the
// command-line summary and signeddata command.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "input.h"
#include "test_util.h"

using namespace korvu_test;

namespace {

constexpr uint32_t kCi = KORVU_TYPE_CONTENTINFO;
constexpr uint32_t kSd7 = KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM;
constexpr uint32_t kSdCms = KORVU_TYPE_SIGNEDDATA_CMS_FORM;
const std::string kIdData = "06 09 2A 86 48 86 F7 0D 01 07 01 ", kIdSigned = "06 09 2A 86 48 86 F7 0D 01 07 02 ";
// SignedData contents up to contentInfo: version 1, no digest algorithms, contentInfo { id-data }.
const std::string kSdHead = "02 01 01 31 00 30 0B " + kIdData;

bool run(const std::string &cmd) { return std::system(("( " + cmd + " ) >/dev/null 2>&1").c_str()) == 0; }

struct TempDir {
  std::string path;
  TempDir() {
    char t[] = "/tmp/korvu_cmsb_XXXXXX";
    path = mkdtemp(t) ? t : "";
  }
  ~TempDir() {
    if (!path.empty()) std::system(("rm -rf " + path).c_str());
  }
  std::string operator/(const std::string &f) const { return path + "/" + f; }
};

void write_file(const std::string &path, const Bytes &b) {
  std::FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
}

// Owns a list of values of one type.
struct List {
  uint32_t type;
  KORVU_ASN1_LIST *l = korvu_asn1_list_new();
  explicit List(uint32_t t) : type(t) {}
  ~List() { korvu_asn1_list_free(l, type); }
  List &add(void *v) {
    EXPECT_NE(v, nullptr);
    EXPECT_EQ(korvu_asn1_list_put(l, v), 1);
    return *this;
  }
};

KORVU_ASN1_ANY *any_of(uint32_t type, const void *v) { return korvu_asn1_objecttoany(type, v); }

KORVU_X500_ATTRIBUTE *attribute(const char *oid, uint32_t type, const void *value) {
  Val o(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new(oid));
  List values(KORVU_TYPE_ANY);
  values.add(any_of(type, value));
  return korvu_x500attribute_new(static_cast<KORVU_ASN1_OID *>(o.v), values.l);
}

// The pieces of a one-signer SignedData over `data`, signed attributes sorted into DER order.
struct Built {
  Val cert{KORVU_TYPE_CERTIFICATE, nullptr};
  Val signed_attrs{KORVU_TYPE_ATTRIBUTES, nullptr};
};

// Builds ContentInfo { signedData, SignedData } with the constructors; `attached`: the data is inside.
Bytes build_message(const TempDir &d, bool attached) {
  const Bytes data = read_file(d / "data.txt");
  const Bytes cert_der = read_file(d / "s.der");
  ErrCtx ctx;
  Val cert(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(cert_der.data(), static_cast<int32_t>(cert_der.size()), ctx));
  EXPECT_NE(cert.v, nullptr);
  if (cert.v == nullptr) return {};
  auto *c = cert.as<KORVU_X509_CERT>();

  Val id_data(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.840.113549.1.7.1"));
  const Bytes digest = hex(run_command("openssl dgst -sha256 -r " + d / "data.txt").substr(0, 64));
  Val md(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(digest.data(), static_cast<int32_t>(digest.size())));
  // messageDigest first, contentType second: sorting puts them in DER order (the SET OF's elements by encoding).
  List attrs(KORVU_TYPE_ATTRIBUTE_PLAIN);
  attrs.add(attribute("1.2.840.113549.1.9.4", KORVU_TYPE_OCTET_STRING, md.v));
  attrs.add(attribute("1.2.840.113549.1.9.3", KORVU_TYPE_OBJECT_IDENTIFIER, id_data.v));
  const Bytes unsorted = encode(KORVU_TYPE_ATTRIBUTES, attrs.l);
  EXPECT_EQ(korvu_asn1_pkcs10attributes_sort(attrs.l), 1);
  const Bytes sorted = encode(KORVU_TYPE_ATTRIBUTES, attrs.l);
  EXPECT_NE(sorted, unsorted) << "a list built out of DER order is written in its own order until sorted";
  write_file(d / "attrs.der", sorted);
  EXPECT_TRUE(run("openssl dgst -sha256 -sign " + d / "s.key" + " -out " + d / "sig.bin " + d / "attrs.der"));
  const Bytes sig = read_file(d / "sig.bin");

  Val one(KORVU_TYPE_INTEGER, korvu_asn1_integer_new("\x01", 1));
  Val ias(KORVU_TYPE_ISSUERANDSERIALNUMBER,
          korvu_cmsissuerandsn_new(korvu_x509pubkeycert_getissuer(c), korvu_x509pubkeycert_getserialno(c)));
  Val sid(KORVU_TYPE_SIGNERIDENTIFIER, korvu_cmssignerid_newissuersn(ias.as<KORVU_CMS_ISSUERANDSN>()));
  Val sha256_oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("2.16.840.1.101.3.4.2.1"));
  Val rsa_oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.840.113549.1.1.1"));
  Val sha256(KORVU_TYPE_ALGORITHMIDENTIFIER,
             korvu_x509algoid_new_without_param(sha256_oid.as<KORVU_ASN1_OID>()));
  Val rsa(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509algoid_new(rsa_oid.as<KORVU_ASN1_OID>(), KORVU_TYPE_NULL, nullptr));
  Val sigv(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(sig.data(), static_cast<int32_t>(sig.size())));
  Val si(KORVU_TYPE_SIGNERINFO,
         korvu_cmssignerinfo_new(one.as<KORVU_ASN1_INTEGER>(), sid.as<KORVU_CMS_SIGNERID>(),
                                 sha256.as<KORVU_X509_ALGID>(), attrs.l, rsa.as<KORVU_X509_ALGID>(),
                                 sigv.as<KORVU_ASN1_OCTETSTRING>(), nullptr));
  EXPECT_NE(si.v, nullptr);

  Val content_os(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(data.data(), static_cast<int32_t>(data.size())));
  Val content(KORVU_TYPE_ANY, any_of(KORVU_TYPE_OCTET_STRING, content_os.v));
  Val eci(kCi, korvu_pkcs7contentinfo_new(id_data.as<KORVU_ASN1_OID>(),
                                          attached ? content.as<KORVU_ASN1_ANY>() : nullptr));
  List digests(KORVU_TYPE_ALGORITHMIDENTIFIER), certs(KORVU_TYPE_CERTIFICATECHOICES), signers(KORVU_TYPE_SIGNERINFO);
  digests.add(korvu_asn1_dupobject(KORVU_TYPE_ALGORITHMIDENTIFIER, sha256.v, nullptr));
  certs.add(korvu_cmscertchoice_newx509pubkeycert(c));
  signers.add(korvu_asn1_dupobject(KORVU_TYPE_SIGNERINFO, si.v, nullptr));
  Val sd(kSd7, korvu_pkcs7signeddata_new(one.as<KORVU_ASN1_INTEGER>(), digests.l, eci.as<KORVU_PKCS7_CONTENTINFO>(),
                                         certs.l, nullptr, signers.l));
  EXPECT_NE(sd.v, nullptr);
  if (sd.v == nullptr) return {};
  auto *s = sd.as<KORVU_PKCS7_SIGNEDDATA>();
  EXPECT_EQ(korvu_pkcs7signeddata_gettype(s), 1u);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfooffset(s), 0xFFFFFFFFu) << "no offsets before the first encode";
  EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(s), 0xFFFFFFFFu);

  Val signed_oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.840.113549.1.7.2"));
  Val wrapped(KORVU_TYPE_ANY, any_of(kSd7, s));
  Val ci(kCi, korvu_pkcs7contentinfo_new(signed_oid.as<KORVU_ASN1_OID>(), wrapped.as<KORVU_ASN1_ANY>()));
  return encode(kCi, ci.v);
}

}  // namespace

// A SignedData built with the constructors, its signed attributes sorted and signed by openssl over their DER,
// passes openssl's verification, attached and detached.
TEST(CmsBuild, ConstructedMessagesVerify) {
  if (!run("openssl version")) GTEST_SKIP() << "openssl missing";
  TempDir d;
  ASSERT_TRUE(run("cd " + d.path +
                  " && openssl req -x509 -newkey rsa:2048 -nodes -keyout s.key -out s.pem -subj /CN=Built -days 30"
                  " && openssl x509 -in s.pem -outform DER -out s.der && printf 'constructed content\\n' > data.txt"));
  for (bool attached : {true, false}) {
    SCOPED_TRACE(attached ? "attached" : "detached");
    const Bytes msg = build_message(d, attached);
    ASSERT_FALSE(msg.empty());
    write_file(d / "msg.der", msg);
    const std::string verify = "openssl cms -verify -inform DER -in " + d / "msg.der" + " -noverify -binary -out " +
                               d / "out.txt" + (attached ? "" : " -content " + d / "data.txt");
    EXPECT_TRUE(run(verify)) << verify;
    EXPECT_EQ(read_file(d / "out.txt"), read_file(d / "data.txt"));
  }
}

// Offsets and wrapper kind of a SignedData record: 133 counts from its first octet, 134 from its first contents
// octet; without certificates and CRLs the signer infos follow the content info; the CMS form refuses a content
// that is not an OCTET STRING; new0 takes its arguments over only on success.
TEST(CmsBuild, SignedDataRecord) {
  // SignedData { 1, {sha256}, { id-data, [0] SEQUENCE {} }, {} }: a content that is not an OCTET STRING.
  const Bytes seq_content = hex(
      "30 25 02 01 01 31 0D 30 0B 06 09 60 86 48 01 65 03 04 02 01 30 0F" + kIdData + " A0 02 30 "
      "00 31 00");
  ErrCtx ctx;
  Val sd(kSd7, decode(kSd7, seq_content, ctx));
  ASSERT_NE(sd.v, nullptr);
  auto *s = sd.as<KORVU_PKCS7_SIGNEDDATA>();
  EXPECT_EQ(korvu_pkcs7signeddata_gettype(s), 1u);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfooffset(s), 20u);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfoendoffset(s), 37u);
  EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(s), 37u) << "no certificates or CRLs";
  EXPECT_EQ(korvu_pkcs7signeddata_hascerts(s), 0);
  EXPECT_EQ(korvu_pkcs7signeddata_hascrls(s), 0);
  // As 134: refused on decode and on encode, with 0x10355.
  Val cms(kSdCms, decode(kSdCms, seq_content, ctx));
  EXPECT_EQ(cms.v, nullptr);
  EXPECT_TRUE(ctx.has(0x10355));
  EXPECT_TRUE(encode(kSdCms, s).empty());
  // With an OCTET STRING content both forms encode; the header (2 octets) is the difference.
  const Bytes os_content = hex(
      "30 27 02 01 01 31 0D 30 0B 06 09 60 86 48 01 65 03 04 02 01 30 11" + kIdData + " A0 04 04 "
      "02 68 69 31 00");
  Val sd2(kSd7, decode(kSd7, os_content, ctx));
  ASSERT_NE(sd2.v, nullptr);
  auto *s2 = sd2.as<KORVU_PKCS7_SIGNEDDATA>();
  EXPECT_EQ(encode(kSdCms, s2), os_content);
  const uint32_t ci134 = korvu_pkcs7signeddata_getcontentinfooffset(s2),
                 si134 = korvu_pkcs7signeddata_getsignerinfosoffset(s2);
  EXPECT_EQ(encode(kSd7, s2), os_content);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfooffset(s2), ci134 + 2);
  EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(s2), si134 + 2);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfoendoffset(s2), 39u);

  // new0: takes the values over on success; on a missing required one it takes nothing.
  auto *ver = static_cast<KORVU_ASN1_INTEGER *>(korvu_asn1_dupobject(KORVU_TYPE_INTEGER, s2->version, nullptr));
  auto *dig = static_cast<KORVU_ASN1_LIST *>(
      korvu_asn1_dupobject(KORVU_TYPE_DIGESTALGORITHMIDENTIFIERS, s2->digestAlgorithms, nullptr));
  auto *ci = static_cast<KORVU_PKCS7_CONTENTINFO *>(korvu_asn1_dupobject(kCi, s2->contentInfo, nullptr));
  auto *sis = static_cast<KORVU_ASN1_LIST *>(korvu_asn1_dupobject(KORVU_TYPE_SIGNERINFOS, s2->signerInfos, nullptr));
  EXPECT_EQ(korvu_pkcs7signeddata_new0(ver, dig, nullptr, nullptr, nullptr, sis), nullptr);
  KORVU_PKCS7_SIGNEDDATA *taken = korvu_pkcs7signeddata_new0(ver, dig, ci, nullptr, nullptr, sis);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(korvu_pkcs7signeddata_getversion(taken), ver) << "taken over, not copied";
  EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(taken), 0xFFFFFFFFu);
  EXPECT_EQ(encode(kSdCms, taken), os_content);
  korvu_asn1_value_free(kSd7, taken);  // frees all four
  EXPECT_EQ(korvu_pkcs7signeddata_new(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), nullptr);
}

// Malformed SignedData and SignerInfo encodings fail with their codes, a null result and nothing leaked; every
// truncation of a valid message fails in both decoders.
TEST(CmsBuild, MalformedInput) {
  // SignerInfo { 1, sid [0] key id, sha256, [signedAttrs], rsa, sig }
  const std::string head = "02 01 03 80 02 AB CD 30 0B 06 09 60 86 48 01 65 03 04 02 01";
  const std::string tail = "30 0B 06 09 2A 86 48 86 F7 0D 01 01 01 04 01 00";
  struct Case {
    const char *what;
    uint32_t type;
    std::string hex;
    uint32_t code;  // an entry the failure must carry (0: decodes)
  } cases[] = {
      {"signer info without attributes", KORVU_TYPE_SIGNERINFO, "30 24 " + head + tail, 0},
      {"empty signed attributes A0 00", KORVU_TYPE_SIGNERINFO, "30 26 " + head + "A0 00 " + tail, 0x10265},
      {"empty unsigned attributes A1 00", KORVU_TYPE_SIGNERINFO, "30 26 " + head + tail + " A1 00", 0x10265},
      {"[1] attributes before [0]", KORVU_TYPE_SIGNERINFO,
       "30 3C " + head + "A1 0A 30 08 06 02 2A 03 31 02 05 00 " + tail + " A0 0A 30 08 06 02 2A 03 31 02 05 00", 0x1020A},
      {"primitive SignerInfo", KORVU_TYPE_SIGNERINFO, "10 24 " + head + tail, 0},
      {"signer id of another tag", KORVU_TYPE_SIGNERINFO, "30 24 02 01 03 81 02 AB CD " + head.substr(21) + tail,
       0x1020A},
      {"SignedData with crls [1] before certificates [0]", kSd7, "30 18" + kSdHead + " A1 00 A0 00 31 00", 0x1020A},
      {"SignedData with a [2] after contentInfo", kSd7, "30 16" + kSdHead + " A2 00 31 00", 0x1020A},
      {"SignedData length short by one", kSd7, "30 13" + kSdHead + " 31 00", 0x1020B},
      {"SignedData version not an INTEGER", kSd7, "30 14 04 01 01 31 00 30 0B" + kIdData + " 31 00", 0x1020A},
      {"empty certificate and crl sets decode", kSd7, "30 18" + kSdHead + " A0 00 A1 00 31 00", 0},
      {"ContentInfo content [1]", kCi, "30 0F" + kIdData + " A1 02 05 00", 0x1020A},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ErrCtx ctx;
    const Bytes in = hex(c.hex);
    Val v(c.type, decode(c.type, in, ctx));
    const bool decodes = c.code == 0 && std::string(c.what).find("primitive") == std::string::npos;
    EXPECT_EQ(v.v != nullptr, decodes);
    if (c.code != 0) {
      EXPECT_TRUE(ctx.has(c.code));
    }
    if (decodes) {
      EXPECT_EQ(encode(c.type, v.v), in);
    }
  }
  // Every truncation of a small valid message fails in the generic and the streaming decoder.
  const Bytes msg = hex(
      "30 80" + kIdSigned + " A0 80 30 80 02 01 01 31 0D 30 0B 06 09 60 86 48 01 65 03 04 02 01 30 "
      "80" + kIdData + " A0 80 24 80 04 02 68 69 00 00 00 00 00 00 31 00 00 00 00 00 00 00");
  {
    ErrCtx ctx;
    Val whole(kCi, decode(kCi, msg, ctx));
    ASSERT_NE(whole.v, nullptr);
  }
  for (size_t n = 0; n < msg.size(); n++) {
    ErrCtx ctx;
    const Bytes cut(msg.begin(), msg.begin() + n);
    Val v(kCi, decode(kCi, cut, ctx));
    EXPECT_EQ(v.v, nullptr) << n;
    KORVU_STREAM *s = korvu_stream_new_romem(cut.data(), static_cast<uint32_t>(cut.size()));
    KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
    const int r = korvu_asn1_decode_pkcs7signeddata(s, &sd, nullptr, ctx);
    korvu_stream_free(s);
    EXPECT_NE(r, 1) << n;
    EXPECT_EQ(sd, nullptr) << n;
    EXPECT_GT(ctx.count(), 0u) << n;
  }
}

// The streaming decoder's outcomes on the edges of what it accepts.
TEST(CmsBuild, StreamingOutcomes) {
  const std::string sd_body = kSdHead + " 31 00";
  struct Case {
    const char *what;
    std::string hex;
    int result;
    bool value;
    uint32_t code;       // an entry it must carry (0: none at all)
    uint32_t kind = 0;
    uint32_t ci = 0, si = 0;
  } cases[] = {
      {"bare SignedData", "30 14 " + sd_body, 1, true, 0, 1, 7, 20},
      {"PKCS #7 wrapper", "30 23" + kIdSigned + " A0 16 30 14 " + sd_body, 1, true, 0, 0, 22, 35},
      {"GM/T wrapper", "30 24 06 0A 2A 81 1C CF 55 06 01 04 02 02 A0 16 30 14 " + sd_body, 1, true, 0, 2, 23, 36},
      {"indefinite on every level",
       "30 80" + kIdSigned + " A0 80 30 80 " + sd_body + " 00 00 00 00 00 00", 1, true, 0, 0, 22, 35},
      {"an INTEGER", "02 01 05", 1, false, 0},
      {"first inner element constructed", "30 02 30 00", 1, false, 0x10354},
      {"first inner element a BOOLEAN", "30 03 01 01 FF", 1, false, 0x10354},
      {"empty outer SEQUENCE", "30 00", 1, false, 0x10354},
      {"the data content type", "30 0F" + kIdData + " A0 02 04 00", 0, false, 0x10354},
      {"an OID that starts with id-signedData", "30 10 06 0A 2A 86 48 86 F7 0D 01 07 02 01 A0 02 30 00", 0, false,
       0x10354},
      {"only the signed-data OID", "30 0B " + kIdSigned, 0, false, 0x10354},
      {"[0] primitive", "30 0F" + kIdSigned + " 80 02 30 00", 0, false, 0x10354},
      {"SignedData not a SEQUENCE", "30 0F" + kIdSigned + " A0 02 31 00", 0, false, 0x10354},
      {"version not an INTEGER", "30 12" + kIdSigned + " A0 05 30 03 04 01 01", 0, false, 0x10354},
      {"SignedData longer than its wrapper", "30 23" + kIdSigned + " A0 16 30 15 " + sd_body + " 00",
       0, false, 0x1020B},
      {"SignedData ends where contentInfo is due", "30 05 02 01 01 31 00", 0, false, 0x10322},
      {"signerInfos missing", "30 12 " + kSdHead, 0, false, 0x1020A},
      {"crls before certificates", "30 18" + kSdHead + " A1 00 A0 00 31 00", 0, false, 0x1020A},
      {"certificates and crls", "30 18" + kSdHead + " A0 00 A1 00 31 00", 1, true, 0, 1, 7, 24},
      {"crls alone", "30 16" + kSdHead + " A1 00 31 00", 1, true, 0, 1, 7, 22},
      {"indefinite SignedData closed by something else", "30 80 " + sd_body + " 05 00", 0, false, 0x1020A},
      {"a header crossing the wrapper's end", "30 0F" + kIdSigned + " A0 02 30 81 05 02 01 01", 0, false, 0x1020B},
      {"tag number reaching 2^24", "3F 88 80 80 00 00", 0, false, 0x10202},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ErrCtx ctx;
    Bytes in = hex(c.hex);
    const Bytes next = hex("AA BB");  // whatever follows the message stays unread
    in.insert(in.end(), next.begin(), next.end());
    KORVU_STREAM *s = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
    KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
    uint32_t used = 0;
    const int r = korvu_asn1_decode_pkcs7signeddata(s, &sd, &used, ctx);
    uint8_t after = 0;
    if (c.value) {
      EXPECT_EQ(korvu_stream_readn(s, &after, 1), 1);
    }
    korvu_stream_free(s);
    EXPECT_EQ(r, c.result);
    EXPECT_EQ(sd != nullptr, c.value);
    if (c.code != 0) {
      EXPECT_TRUE(ctx.has(c.code)) << ctx.count();
    }
    if (c.code == 0 && !c.value) {
      EXPECT_EQ(ctx.count(), 0u);
    }
    if (sd == nullptr) continue;
    EXPECT_EQ(used, in.size() - next.size());
    EXPECT_EQ(after, 0xAA);
    EXPECT_EQ(korvu_pkcs7signeddata_gettype(sd), c.kind);
    EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfooffset(sd), c.ci);
    EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(sd), c.si);
    korvu_asn1_value_free(kSd7, sd);
  }
  ErrCtx ctx;
  KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
  EXPECT_EQ(korvu_asn1_decode_pkcs7signeddata(nullptr, &sd, nullptr, ctx), 0);
  EXPECT_TRUE(ctx.has(0x10002));
  // The corpus ContentInfo that holds the signed-data OID and nothing else.
  if (!have_corpus()) return;
  korvu::tool::LoadedInput pem;
  std::string error;
  ASSERT_TRUE(korvu::tool::load_input(read_file(corpus_dir() + "/cms/tongsuo__25-test_pkcs7_data_malformed.pkcs7"),
                                      pem, error));
  ErrCtx ctx2;
  KORVU_STREAM *s = korvu_stream_new_romem(pem.bytes.data(), static_cast<uint32_t>(pem.bytes.size()));
  EXPECT_EQ(korvu_asn1_decode_pkcs7signeddata(s, &sd, nullptr, ctx2), 0);
  korvu_stream_free(s);
  EXPECT_EQ(sd, nullptr);
  EXPECT_TRUE(ctx2.has(0x10354));
}

// decode --summary of a ContentInfo and the signeddata command, through the program, on a file and on a pipe.
TEST(CmsBuild, CommandLine) {
  if (!run("openssl version")) GTEST_SKIP() << "openssl missing";
  TempDir d;
  ASSERT_TRUE(run("cd " + d.path +
                  " && openssl req -x509 -newkey rsa:2048 -nodes -keyout k.pem -out c.pem -subj /CN=Cli -days 30"
                  " && printf 'cli\\n' > data.txt"
                  " && openssl cms -sign -binary -in data.txt -signer c.pem -inkey k.pem -outform DER -out det.der"
                  " && openssl cms -sign -binary -in data.txt -signer c.pem -inkey k.pem -outform DER -nodetach"
                  " -stream -out str.der"));
  auto output = [](const std::string &cmd) { return run_command(cmd + " 2>&1"); };
  const std::string tool = KORVU_TOOL_PATH;
  std::string s = output(tool + " decode -t 111 --summary " + d / "det.der");
  EXPECT_NE(s.find("contentType: signedData (1.2.840.113549.1.7.2)\nversion: 1\n"
                   "digestAlgorithms: sha256 (2.16.840.1.101.3.4.2.1)\n"
                   "content: data (1.2.840.113549.1.7.1), detached\nsigner 1: issuerAndSerialNumber CN=Cli, serial "),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("certificates: 1\ncrls: 0\n"), std::string::npos) << s;
  s = output(tool + " decode -t 111 --summary " + d / "str.der");
  EXPECT_NE(s.find("content: data (1.2.840.113549.1.7.1), 4 octets\n"), std::string::npos) << s;
  const Bytes str = read_file(d / "str.der"), det = read_file(d / "det.der");
  s = output("cat " + d / "str.der " + d / "det.der | " + tool + " signeddata -");
  EXPECT_NE(s.find("wrapper: pkcs7\n"), std::string::npos) << s;
  EXPECT_NE(s.find("consumed: " + std::to_string(str.size()) + "\n"), std::string::npos) << s;
  s = output(tool + " signeddata " + d / "data.txt");
  EXPECT_NE(s.find("not a signed message\n"), std::string::npos) << s;
  s = output(tool + " decode -t 133 --summary " + d / "data.txt");
  EXPECT_NE(s.find("does not decode"), std::string::npos) << s;
}

// A certificate set with every alternative: an attribute certificate under [2] is written back under [2] as
// received (a non-minimal length kept), and alone it is a SEQUENCE with the same contents and to-be-signed octets;
// the obsolete [0] form is read as its elements and written back; [3] is the other format.
TEST(CmsBuild, CertificateChoices) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  const Bytes ac = read_file(corpus_dir() + "/attrcert/asn1crypto__example-attr-cert.der");
  ASSERT_GT(ac.size(), 4u);
  const size_t head = ac[1] < 0x80 ? 2 : 2 + (ac[1] & 0x7F);
  const Bytes contents(ac.begin() + head, ac.end());
  Bytes a2 = {0xA2, 0x84};
  for (int i = 3; i >= 0; i--) a2.push_back(static_cast<unsigned char>(contents.size() >> (8 * i)));
  a2.insert(a2.end(), contents.begin(), contents.end());
  Bytes body = hex("A0 0B 30 00 30 03 06 01 2A 03 02 00 00");  // extendedCertificate
  body.insert(body.end(), a2.begin(), a2.end());
  const Bytes other = hex("A3 06 06 02 2A 03 05 00");
  body.insert(body.end(), other.begin(), other.end());
  const Bytes set = der_tlv(0x31, body);

  ErrCtx ctx;
  Val v(KORVU_TYPE_CERTIFICATESET, decode(KORVU_TYPE_CERTIFICATESET, set, ctx));
  ASSERT_NE(v.v, nullptr) << ::testing::PrintToString(ctx.codes());
  auto *list = v.as<KORVU_ASN1_LIST>();
  const std::vector<KORVU_CMS_CERTCHOICE *> e = list_items<KORVU_CMS_CERTCHOICE>(list);
  ASSERT_EQ(e.size(), 3u);
  KORVU_CMS_CERTCHOICE *ext = e[0], *attr = e[1], *oth = e[2];
  EXPECT_EQ(korvu_cmscertchoice_gettype(ext), 1u);
  EXPECT_EQ(korvu_cmscertchoice_getx509pubkeycert(ext), nullptr);
  EXPECT_EQ(korvu_cmscertchoice_gettype(attr), 3u);
  EXPECT_EQ(korvu_cmscertchoice_gettype(oth), 4u);
  EXPECT_STREQ(korvu_asn1_oid_getstring(korvu_cmsothercertformat_getformat(korvu_cmscertchoice_getothercert(oth))),
               "1.2.3");
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATESET, list), set) << "every alternative written back as read";

  KORVU_AC_CERT *cert = korvu_cmscertchoice_getv2attrcert(attr);
  ASSERT_NE(cert, nullptr);
  Bytes alone = a2;
  alone[0] = 0x30;
  EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTECERTIFICATE, cert), alone);
  uint32_t n = 0;
  ASSERT_EQ(korvu_attributecertificate_gettbsocts(cert, nullptr, &n, ctx), 1);
  Bytes tbs(n);
  ASSERT_EQ(korvu_attributecertificate_gettbsocts(cert, tbs.data(), &n, ctx), 1);
  const size_t inner = contents[1] < 0x80 ? 2 : 2 + (contents[1] & 0x7F);
  size_t tbs_len = 0;
  for (size_t i = 2; i < inner; i++) tbs_len = tbs_len << 8 | contents[i];
  if (inner == 2) tbs_len = contents[1];
  EXPECT_EQ(tbs, Bytes(contents.begin(), contents.begin() + inner + tbs_len));

  // Built by the constructor from the decoded certificate: the same octets under [2].
  Val made(KORVU_TYPE_CERTIFICATECHOICES, korvu_cmscertchoice_newv2attrcert(cert));
  ASSERT_NE(made.v, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATECHOICES, made.v), a2);
  EXPECT_EQ(korvu_cmscertchoice_newv2attrcert(nullptr), nullptr);
}
