// The certificate store: hex vectors of its types (tests/data/certstore_vectors.txt), the constructors' rules,
// and a store of the system's CA-bundle certificates built, written, walked by openssl and read back.
#include <fstream>

#include "peer_compare.h"
#include "tools/lib/cmd_decode.h"
#include "tools/lib/tool.h"

using namespace korvu_test;

void run_vectors(const char *file);  // tests/test_keys.cpp

TEST(CertStoreVectors, DecodeReencodeCopyOrRefuse) { run_vectors("certstore_vectors.txt"); }

// Constructors: required arguments, optional ones left out, and each alternative of PrivKeyId read only through
// its own getter.
TEST(CertStoreBuild, ConstructorsAndGetters) {
  Val provider(KORVU_TYPE_UTF8STRING, korvu_asn1_string_new("a", 1));
  Val flag(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(1));
  Val text(KORVU_TYPE_UTF8STRING, korvu_asn1_string_new("k", 1));
  Val oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.3.14.3.2.26"));
  Val alg(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509algoid_new_without_param(oid.as<KORVU_ASN1_OID>()));
  ASSERT_NE(provider.v, nullptr);
  ASSERT_NE(alg.v, nullptr);
  EXPECT_EQ(korvu_certstore_privkeyattr_new(nullptr, nullptr, nullptr, flag.as<KORVU_ASN1_INTEGER>(), nullptr),
            nullptr);
  EXPECT_EQ(korvu_certstore_privkeyattr_new(provider.as<KORVU_ASN1_STRING>(), nullptr, nullptr, nullptr, nullptr),
            nullptr);
  Val bare(KORVU_TYPE_PRIVKEYATTRIBUTE, korvu_certstore_privkeyattr_new(provider.as<KORVU_ASN1_STRING>(), nullptr,
                                                                         nullptr, flag.as<KORVU_ASN1_INTEGER>(),
                                                                         nullptr));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_PRIVKEYATTRIBUTE, bare.v)), to_hex(hex("30 06 0c 01 61 02 01 01")));
  auto *b = bare.as<KORVU_CERTSTORE_PRIVKEYATTR>();
  EXPECT_EQ(korvu_certstore_privkeyattr_getsubprovider(b), nullptr);
  EXPECT_EQ(korvu_certstore_privkeyattr_getkeytype(b), nullptr);
  EXPECT_EQ(korvu_certstore_privkeyattr_getkeyid(b), nullptr);
  EXPECT_NE(korvu_certstore_privkeyattr_getprovider(b), provider.v);  // a copy

  Val by_name(KORVU_TYPE_PRIVKEYID, korvu_certstore_keyid_newkeyid(text.as<KORVU_ASN1_STRING>()));
  Val by_alg(KORVU_TYPE_PRIVKEYID, korvu_certstore_keyid_newalgoid(alg.as<KORVU_X509_ALGID>()));
  auto *n = by_name.as<KORVU_CERTSTORE_KEYID>();
  auto *a = by_alg.as<KORVU_CERTSTORE_KEYID>();
  EXPECT_EQ(korvu_certstore_keyid_gettype(n), 0u);
  EXPECT_EQ(korvu_certstore_keyid_gettype(a), 1u);
  EXPECT_EQ(korvu_certstore_keyid_gettype(nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_certstore_keyid_getalgoid(n), nullptr);
  EXPECT_EQ(korvu_certstore_keyid_getkeyid(a), nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_PRIVKEYID, a)), to_hex(hex("a0 07 06 05 2b 0e 03 02 1a")));
  Val full(KORVU_TYPE_PRIVKEYATTRIBUTE,
           korvu_certstore_privkeyattr_new(provider.as<KORVU_ASN1_STRING>(), text.as<KORVU_ASN1_STRING>(),
                                           flag.as<KORVU_ASN1_INTEGER>(), flag.as<KORVU_ASN1_INTEGER>(), n));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_PRIVKEYATTRIBUTE, full.v)),
            to_hex(hex("30 11 0c 01 61 0c 01 6b 80 01 01 02 01 01 a1 03 0c 01 6b")));

  Val any(KORVU_TYPE_ANY, korvu_asn1_objecttoany(KORVU_TYPE_PRIVKEYATTRIBUTE, full.v));
  EXPECT_EQ(korvu_certstore_attr_new(nullptr, any.as<KORVU_ASN1_ANY>()), nullptr);
  EXPECT_EQ(korvu_certstore_attr_new(flag.as<KORVU_ASN1_INTEGER>(), nullptr), nullptr);
  EXPECT_EQ(korvu_certstore_certwithattr_new(nullptr, nullptr), nullptr);
}

// A store of the CA bundle's certificates, each with a PrivKeyAttribute under attribute type 1 (every other
// certificate) or none: written as one CertStore, walked by `openssl asn1parse`, read back with each
// certificate's octets unchanged and each attribute where it was put.
TEST(CertStoreBuild, CaBundleStoreRoundTrip) {
  const Bytes bundle = read_file("/etc/ssl/certs/ca-certificates.crt");
  if (bundle.empty()) GTEST_SKIP() << "no CA bundle";
  const std::string text(bundle.begin(), bundle.end());
  std::vector<Bytes> certs;
  KORVU_ASN1_LIST *store = korvu_asn1_list_new();
  Val provider(KORVU_TYPE_UTF8STRING, korvu_asn1_string_new("soft", 4));
  Val flag(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(2));
  Val type(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(1));
  Val attr(KORVU_TYPE_PRIVKEYATTRIBUTE, korvu_certstore_privkeyattr_new(provider.as<KORVU_ASN1_STRING>(), nullptr,
                                                                         nullptr, flag.as<KORVU_ASN1_INTEGER>(),
                                                                         nullptr));
  Val value(KORVU_TYPE_ANY, korvu_asn1_objecttoany(KORVU_TYPE_PRIVKEYATTRIBUTE, attr.v));
  Val one(KORVU_TYPE_STOREATTRIBUTE,
          korvu_certstore_attr_new(type.as<KORVU_ASN1_INTEGER>(), value.as<KORVU_ASN1_ANY>()));
  Val attrs(KORVU_TYPE_STOREATTRIBUTELIST, korvu_asn1_list_new());
  ASSERT_EQ(korvu_asn1_list_put(attrs.as<KORVU_ASN1_LIST>(), korvu_asn1_dupobject(KORVU_TYPE_STOREATTRIBUTE, one.v, nullptr)),
            1);
  for (size_t at = text.find("-----BEGIN CERTIFICATE-----"); at != std::string::npos;
       at = text.find("-----BEGIN CERTIFICATE-----", at + 1)) {
    const size_t end = text.find("-----END CERTIFICATE-----", at);
    const std::string pem = text.substr(at, end + 25 - at);
    ErrCtx ctx;
    Val cert(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(pem.data(), static_cast<int32_t>(pem.size()), ctx));
    ASSERT_NE(cert.v, nullptr) << certs.size();
    certs.push_back(encode(KORVU_TYPE_CERTIFICATE, cert.v));
    const KORVU_ASN1_LIST *with = certs.size() % 2 ? attrs.as<KORVU_ASN1_LIST>() : nullptr;
    ASSERT_EQ(korvu_asn1_list_put(store, korvu_certstore_certwithattr_new(cert.as<KORVU_X509_CERT>(), with)), 1);
  }
  Val held(KORVU_TYPE_CERTSTORE, store);
  ASSERT_GT(certs.size(), 10u);
  const Bytes der = encode(KORVU_TYPE_CERTSTORE, store);
  ASSERT_FALSE(der.empty());
  const std::string file = std::string(::testing::TempDir()) + "/korvu_certstore.der";
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char *>(der.data()),
                                              static_cast<std::streamsize>(der.size()));
  int status = 0;
  run_command("openssl asn1parse -inform DER -in " + file + " >/dev/null 2>&1", &status);
  if (status != 0 && !(std::system("openssl version >/dev/null 2>&1") != 0 && !under_ci()))
    ADD_FAILURE() << "openssl asn1parse refused the store";

  ErrCtx ctx;
  uint32_t used = 0;
  Val back(KORVU_TYPE_CERTSTORE, decode(KORVU_TYPE_CERTSTORE, der, ctx, &used));
  ASSERT_NE(back.v, nullptr) << ::testing::PrintToString(ctx.codes());
  EXPECT_EQ(used, der.size());
  const auto items = list_items<KORVU_CERTSTORE_CERTWITHATTR>(back.as<KORVU_ASN1_LIST>());
  ASSERT_EQ(items.size(), certs.size());
  for (size_t i = 0; i < items.size(); i++) {
    EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATE, korvu_certstore_certwithattr_getcert(items[i])), certs[i]) << i;
    const KORVU_ASN1_LIST *l = korvu_certstore_certwithattr_getattrlist(items[i]);
    if (i % 2 == 1) {
      EXPECT_EQ(l, nullptr) << i;
      continue;
    }
    ASSERT_EQ(korvu_asn1_list_getsize(l), 1) << i;
    EXPECT_EQ(encode(KORVU_TYPE_STOREATTRIBUTE, list_items<void>(l)[0]), encode(KORVU_TYPE_STOREATTRIBUTE, one.v));
  }
  EXPECT_EQ(encode(KORVU_TYPE_CERTSTORE, back.v), der);

  // korvu-asn1 decode --summary: each certificate's subject and key providers.
  std::istringstream in;
  std::ostringstream out, err;
  korvu::tool::Io io{in, out, err};
  korvu::tool::DecodeOptions o;
  o.type = KORVU_TYPE_CERTSTORE;
  o.file = file;
  o.summary = o.check = true;
  EXPECT_EQ(korvu::tool::run_decode(o, io), 0) << err.str();
  EXPECT_NE(out.str().find("certificates: " + std::to_string(certs.size()) + "\n"), std::string::npos);
  EXPECT_NE(out.str().find("certificate 1: "), std::string::npos);
  EXPECT_NE(out.str().find("; key providers: soft\ncertificate 2: "), std::string::npos) << out.str().substr(0, 400);
  EXPECT_NE(out.str().find("; key providers: none\n"), std::string::npos);
}
