// The certificate store: hex vectors of its types (tests/data/certstore_vectors.txt) and a CA-bundle store.
#include "vectors.h"

using namespace korvu_test;

TEST(CertStoreVectors, DecodeReencodeOrRefuse) { run_hex_vectors("certstore_vectors.txt", 8, 4); }

// A store of the CA bundle's certificates, every other one with a PrivKeyAttribute under attribute type 1: written
// as one CertStore, walked by `openssl asn1parse`, read back with each certificate's octets unchanged and each
// attribute where it was put, and summed up by `korvu-asn1 decode --summary`. The constructors refuse a missing
// required argument; a PrivKeyId is read through its own alternative's getter only.
TEST(CertStoreBuild, CaBundleStoreRoundTrip) {
  Val provider(KORVU_TYPE_UTF8STRING, korvu_asn1_string_new("soft", 4)), flag(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(2)),
      type(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(1)), text(KORVU_TYPE_UTF8STRING, korvu_asn1_string_new("k", 1));
  EXPECT_EQ(korvu_certstore_privkeyattr_new(nullptr, nullptr, nullptr, flag.as<KORVU_ASN1_INTEGER>(), nullptr), nullptr);
  EXPECT_EQ(korvu_certstore_privkeyattr_new(provider.as<KORVU_ASN1_STRING>(), nullptr, nullptr, nullptr, nullptr), nullptr);
  Val id(KORVU_TYPE_PRIVKEYID, korvu_certstore_keyid_newkeyid(text.as<KORVU_ASN1_STRING>()));
  EXPECT_EQ(korvu_certstore_keyid_getalgoid(id.as<KORVU_CERTSTORE_KEYID>()), nullptr);
  EXPECT_EQ(korvu_certstore_keyid_gettype(nullptr), 0xFFFFFFFFu);
  Val attr(KORVU_TYPE_PRIVKEYATTRIBUTE, korvu_certstore_privkeyattr_new(provider.as<KORVU_ASN1_STRING>(), nullptr, nullptr,
                                                                            flag.as<KORVU_ASN1_INTEGER>(), id.as<KORVU_CERTSTORE_KEYID>()));
  Val value(KORVU_TYPE_ANY, korvu_asn1_objecttoany(KORVU_TYPE_PRIVKEYATTRIBUTE, attr.v));
  EXPECT_EQ(korvu_certstore_attr_new(nullptr, value.as<KORVU_ASN1_ANY>()), nullptr);
  EXPECT_EQ(korvu_certstore_attr_new(type.as<KORVU_ASN1_INTEGER>(), nullptr), nullptr);
  EXPECT_EQ(korvu_certstore_certwithattr_new(nullptr, nullptr), nullptr);
  Val one(KORVU_TYPE_STOREATTRIBUTE, korvu_certstore_attr_new(type.as<KORVU_ASN1_INTEGER>(), value.as<KORVU_ASN1_ANY>()));
  EXPECT_EQ(lower_hex(encode(KORVU_TYPE_STOREATTRIBUTE, one.v)), "3013020101300e0c04736f6674020102a1030c016b");
  Val attrs(KORVU_TYPE_STOREATTRIBUTELIST, korvu_asn1_list_new());
  ASSERT_EQ(korvu_asn1_list_put(attrs.as<KORVU_ASN1_LIST>(), korvu_asn1_dupobject(KORVU_TYPE_STOREATTRIBUTE, one.v, nullptr)), 1);

  const Bytes bundle = read_file("/etc/ssl/certs/ca-certificates.crt");
  if (bundle.empty()) GTEST_SKIP() << "no CA bundle";
  const std::string pems(bundle.begin(), bundle.end());
  std::vector<Bytes> certs;
  Val store(KORVU_TYPE_CERTSTORE, korvu_asn1_list_new());
  for (size_t at = pems.find("-----BEGIN CERTIFICATE-----"); at != std::string::npos; at = pems.find("-----BEGIN CERTIFICATE-----", at + 1)) {
    const std::string pem = pems.substr(at, pems.find("-----END CERTIFICATE-----", at) + 25 - at);
    ErrCtx ctx;
    Val cert(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(pem.data(), static_cast<int32_t>(pem.size()), ctx));
    ASSERT_NE(cert.v, nullptr) << certs.size();
    certs.push_back(encode(KORVU_TYPE_CERTIFICATE, cert.v));
    const KORVU_ASN1_LIST *with = certs.size() % 2 ? attrs.as<KORVU_ASN1_LIST>() : nullptr;
    ASSERT_EQ(korvu_asn1_list_put(store.as<KORVU_ASN1_LIST>(), korvu_certstore_certwithattr_new(cert.as<KORVU_X509_CERT>(), with)), 1);
  }
  ASSERT_GT(certs.size(), 10u);
  const Bytes der = encode(KORVU_TYPE_CERTSTORE, store.v);
  const std::string file = std::string(::testing::TempDir()) + "/korvu_certstore_" + std::to_string(getpid()) + ".der";
  ocsp::write_file(file, der);
  int status = 0;
  run_command("openssl asn1parse -inform DER -in " + file + " >/dev/null 2>&1", &status);
  EXPECT_TRUE(status == 0 || (std::system("openssl version >/dev/null 2>&1") != 0 && !under_ci())) << "openssl asn1parse";

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
    EXPECT_EQ(l ? encode(KORVU_TYPE_STOREATTRIBUTELIST, l) : Bytes{}, i % 2 ? Bytes{} : encode(KORVU_TYPE_STOREATTRIBUTELIST, attrs.v)) << i;
  }
  EXPECT_EQ(encode(KORVU_TYPE_CERTSTORE, back.v), der);

  const std::string out = ocsp::summary_of(KORVU_TYPE_CERTSTORE, file, &status);
  EXPECT_EQ(status, 0) << out;
  for (const std::string &line : {"certificates: " + std::to_string(certs.size()) + "\n", std::string("; key providers: soft\ncertificate 2: "),
                                 std::string("; key providers: none\n")})
    EXPECT_NE(out.find(line), std::string::npos) << line << out.substr(0, 400);
}
