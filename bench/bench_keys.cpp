// Keys and key containers against OpenSSL (Google Benchmark), on the same bytes, single-threaded:
// - a PKCS #12 file of `openssl pkcs12 -export` (an EC key and three certificates, stored unencrypted with
//   -keypbe NONE -certpbe NONE so that every layer can be read without a password), decoded through every layer:
//   PFX, the authenticated safe, each data content's safe contents, each bag, and each bag's value (the
//   PrivateKeyInfo and the certificates); OpenSSL: d2i_PKCS12, PKCS12_unpack_authsafes, PKCS12_unpack_p7data,
//   PKCS12_SAFEBAG_get0_p8inf and PKCS12_SAFEBAG_get1_cert;
// - a PKCS #8 RSA-2048 key and a PKCS #8 P-256 key (PrivateKeyInfo, type 103) against d2i_PKCS8_PRIV_KEY_INFO;
// - an RFC 5915 P-256 key (ECPrivateKey, type 202) against d2i_ECPrivateKey (which also builds the key).
#include <benchmark/benchmark.h>
#include <openssl/ec.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "korvu/asn1.h"

namespace {

using Bytes = std::vector<unsigned char>;
Bytes p12, p8_rsa, p8_ec, ec_key;

Bytes read_file(const std::string &p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void make_data() {
  char dir[] = "/tmp/korvu_bench_keys_XXXXXX";
  if (mkdtemp(dir) == nullptr) std::abort();
  const std::string d = dir;
  const std::string cmd =
      "cd " + d +
      " && openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out ec.pem"
      " && openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out rsa.pem"
      " && openssl req -x509 -new -key ec.pem -subj /CN=leaf -days 30 -out c.pem"
      " && openssl req -x509 -new -key rsa.pem -subj /CN=ca1 -days 30 -out ca1.pem"
      " && openssl req -x509 -new -key rsa.pem -subj /CN=ca2 -days 30 -out ca2.pem && cat ca1.pem ca2.pem > cas.pem"
      " && openssl pkcs12 -export -inkey ec.pem -in c.pem -certfile cas.pem -keypbe NONE -certpbe NONE"
      " -passout pass:pw -out p.p12"
      " && openssl pkcs8 -topk8 -nocrypt -in rsa.pem -outform DER -out rsa.p8"
      " && openssl pkcs8 -topk8 -nocrypt -in ec.pem -outform DER -out ec.p8"
      " && openssl ec -in ec.pem -outform DER -out ec.der";
  if (std::system(("( " + cmd + " ) >/dev/null 2>&1").c_str()) != 0) std::abort();
  p12 = read_file(d + "/p.p12");
  p8_rsa = read_file(d + "/rsa.p8");
  p8_ec = read_file(d + "/ec.p8");
  ec_key = read_file(d + "/ec.der");
  std::system(("rm -rf " + d).c_str());
}

// One value decoded from memory, freed with its type; null when the octets are not one whole value.
struct Decoded {
  uint32_t type;
  void *v = nullptr;
  Decoded(uint32_t t, const unsigned char *p, size_t n) : type(t) {
    if (korvu_asn1_mem_decode(p, static_cast<int32_t>(n), t, &v) != n) {
      korvu_asn1_value_free(t, v);
      v = nullptr;
    }
  }
  ~Decoded() { korvu_asn1_value_free(type, v); }
};

// A value held as ANY read as `type` (0 when it is not one); freed by the caller.
void *any_as(uint32_t type, const KORVU_ASN1_ANY *a) {
  void *v = nullptr;
  if (korvu_asn1_any_toobject(a, type, &v, nullptr) != 1) return nullptr;
  return v;
}

// The value inside a ContentInfo of type data (its OCTET STRING's octets) read as `type`.
void *data_as(uint32_t type, const KORVU_PKCS7_CONTENTINFO *ci) {
  auto *os = static_cast<KORVU_ASN1_OCTETSTRING *>(any_as(KORVU_TYPE_OCTET_STRING, korvu_pkcs7contentinfo_getcontent(ci)));
  void *v = nullptr;
  if (os == nullptr || korvu_asn1_octetstring_getobject(os, type, &v, nullptr) != 1) v = nullptr;
  korvu_asn1_value_free(KORVU_TYPE_OCTET_STRING, os);
  return v;
}

const std::string kKeyBag = "1.2.840.113549.1.12.10.1.1", kCertBag = "1.2.840.113549.1.12.10.1.3",
                  kData = "1.2.840.113549.1.7.1";

// Every layer of the PKCS #12 file; the number of values read (key and certificates).
int korvu_p12(const Bytes &in) {
  Decoded pfx(KORVU_TYPE_PFX, in.data(), in.size());
  if (pfx.v == nullptr) std::abort();
  auto *safe = static_cast<KORVU_ASN1_LIST *>(
      data_as(KORVU_TYPE_AUTHENTICATEDSAFE, korvu_pkcs12pfx_getauthsafe(static_cast<KORVU_PKCS12_PFX *>(pfx.v))));
  int values = 0;
  for (int32_t i = 0; safe && i < korvu_asn1_list_getsize(safe); i++) {
    void *ci = nullptr;
    korvu_asn1_list_get(safe, i, &ci);
    auto *info = static_cast<KORVU_PKCS7_CONTENTINFO *>(ci);
    if (korvu_asn1_oid_getstring(korvu_pkcs7contentinfo_getcontenttype(info)) != kData) continue;
    auto *bags = static_cast<KORVU_ASN1_LIST *>(data_as(KORVU_TYPE_SAFECONTENTS, info));
    for (int32_t k = 0; bags && k < korvu_asn1_list_getsize(bags); k++) {
      void *b = nullptr;
      korvu_asn1_list_get(bags, k, &b);
      auto *bag = static_cast<KORVU_PKCS12_SAFEBAG *>(b);
      const std::string id = korvu_asn1_oid_getstring(korvu_pkcs12safebag_getid(bag));
      if (id == kKeyBag) {
        void *key = any_as(KORVU_TYPE_PRIVATEKEYINFO, korvu_pkcs12safebag_getvalue(bag));
        values += key != nullptr;
        korvu_asn1_value_free(KORVU_TYPE_PRIVATEKEYINFO, key);
      } else if (id == kCertBag) {
        auto *cb = static_cast<KORVU_PKCS12_TYPEDBAG *>(any_as(KORVU_TYPE_CERTBAG, korvu_pkcs12safebag_getvalue(bag)));
        // x509Certificate: an OCTET STRING holding the certificate's DER
        auto *os = static_cast<KORVU_ASN1_OCTETSTRING *>(cb ? any_as(KORVU_TYPE_OCTET_STRING, korvu_pkcs12certbag_getvalue(cb)) : nullptr);
        void *cert = nullptr;
        if (os == nullptr || korvu_asn1_octetstring_getobject(os, KORVU_TYPE_CERTIFICATE, &cert, nullptr) != 1) cert = nullptr;
        korvu_asn1_value_free(KORVU_TYPE_OCTET_STRING, os);
        values += cert != nullptr;
        korvu_asn1_value_free(KORVU_TYPE_CERTIFICATE, cert);
        korvu_asn1_value_free(KORVU_TYPE_CERTBAG, cb);
      }
    }
    korvu_asn1_value_free(KORVU_TYPE_SAFECONTENTS, bags);
  }
  korvu_asn1_value_free(KORVU_TYPE_AUTHENTICATEDSAFE, safe);
  return values;
}

int openssl_p12(const Bytes &in) {
  const unsigned char *p = in.data();
  PKCS12 *pfx = d2i_PKCS12(nullptr, &p, static_cast<long>(in.size()));
  if (pfx == nullptr) std::abort();
  STACK_OF(PKCS7) *safes = PKCS12_unpack_authsafes(pfx);
  int values = 0;
  for (int i = 0; safes && i < sk_PKCS7_num(safes); i++) {
    PKCS7 *p7 = sk_PKCS7_value(safes, i);
    if (OBJ_obj2nid(p7->type) != NID_pkcs7_data) continue;
    STACK_OF(PKCS12_SAFEBAG) *bags = PKCS12_unpack_p7data(p7);
    for (int k = 0; bags && k < sk_PKCS12_SAFEBAG_num(bags); k++) {
      const PKCS12_SAFEBAG *bag = sk_PKCS12_SAFEBAG_value(bags, k);
      if (PKCS12_SAFEBAG_get_nid(bag) == NID_keyBag) values += PKCS12_SAFEBAG_get0_p8inf(bag) != nullptr;
      if (PKCS12_SAFEBAG_get_nid(bag) == NID_certBag) {
        X509 *cert = PKCS12_SAFEBAG_get1_cert(bag);
        values += cert != nullptr;
        X509_free(cert);
      }
    }
    sk_PKCS12_SAFEBAG_pop_free(bags, PKCS12_SAFEBAG_free);
  }
  sk_PKCS7_pop_free(safes, PKCS7_free);
  PKCS12_free(pfx);
  return values;
}

void BM_p12_korvu(benchmark::State &st) {
  for (auto _ : st) benchmark::DoNotOptimize(korvu_p12(p12));
  st.counters["values"] = korvu_p12(p12);
}
void BM_p12_openssl(benchmark::State &st) {
  for (auto _ : st) benchmark::DoNotOptimize(openssl_p12(p12));
  st.counters["values"] = openssl_p12(p12);
}

template <const Bytes *In, uint32_t Type>
void BM_key_korvu(benchmark::State &st) {
  for (auto _ : st) {
    Decoded d(Type, In->data(), In->size());
    if (d.v == nullptr) std::abort();
    benchmark::DoNotOptimize(d.v);
  }
}
template <const Bytes *In>
void BM_p8_openssl(benchmark::State &st) {
  for (auto _ : st) {
    const unsigned char *p = In->data();
    PKCS8_PRIV_KEY_INFO *k = d2i_PKCS8_PRIV_KEY_INFO(nullptr, &p, static_cast<long>(In->size()));
    if (k == nullptr) std::abort();
    PKCS8_PRIV_KEY_INFO_free(k);
  }
}

void BM_ec_openssl(benchmark::State &st) {
  for (auto _ : st) {
    const unsigned char *p = ec_key.data();
    EC_KEY *k = d2i_ECPrivateKey(nullptr, &p, static_cast<long>(ec_key.size()));
    if (k == nullptr) std::abort();
    EC_KEY_free(k);
  }
}

}  // namespace

BENCHMARK(BM_p12_korvu);
BENCHMARK(BM_p12_openssl);
BENCHMARK(BM_key_korvu<&p8_rsa, KORVU_TYPE_PRIVATEKEYINFO>)->Name("p8_rsa_korvu");
BENCHMARK(BM_p8_openssl<&p8_rsa>)->Name("p8_rsa_openssl");
BENCHMARK(BM_key_korvu<&p8_ec, KORVU_TYPE_PRIVATEKEYINFO>)->Name("p8_ec_korvu");
BENCHMARK(BM_p8_openssl<&p8_ec>)->Name("p8_ec_openssl");
BENCHMARK(BM_key_korvu<&ec_key, KORVU_TYPE_ECPRIVATEKEY>)->Name("ec_key_korvu");
BENCHMARK(BM_ec_openssl)->Name("ec_key_openssl_d2i_ECPrivateKey");

int main(int argc, char **argv) {
  make_data();
  if (korvu_p12(p12) != 4 || openssl_p12(p12) != 4) {  // the key and three certificates, both ways
    std::fprintf(stderr, "values read: %d (KORVU), %d (OpenSSL); 4 expected\n", korvu_p12(p12), openssl_p12(p12));
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
