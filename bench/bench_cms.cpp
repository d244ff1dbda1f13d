// Signed messages against OpenSSL (Google Benchmark): a message with 1 MiB of encapsulated content, decoded by the
// generic decode (its SignedData as type 133; the ContentInfo as type 111, content kept as ANY) and by the
// streaming SignedData decoder, each with its free, against copying the file plus decoding its certificates alone, and against OpenSSL's
// d2i_CMS_ContentInfo; and a detached signature of about 4 KB.
#include <benchmark/benchmark.h>
#include <openssl/cms.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "korvu/asn1.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes read_file(const std::string &p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

struct Message {
  Bytes der;
  std::vector<Bytes> certs;  // the certificates it carries, as DER
  size_t signed_data = 0;    // where the SignedData element starts
};

Message large, detached;

// The certificates of a message, by the streaming decoder.
std::vector<Bytes> certs_of(const Bytes &der) {
  std::vector<Bytes> out;
  KORVU_STREAM *s = korvu_stream_new_romem(der.data(), static_cast<uint32_t>(der.size()));
  KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
  if (korvu_asn1_decode_pkcs7signeddata(s, &sd, nullptr, nullptr) != 1 || sd == nullptr) std::abort();
  korvu_stream_free(s);
  const KORVU_ASN1_LIST *l = korvu_pkcs7signeddata_getcerts(sd);
  for (int32_t i = 0; l && i < korvu_asn1_list_getsize(l); i++) {
    void *c = nullptr;
    korvu_asn1_list_get(l, i, &c);
    KORVU_DATA_BLOB *b = korvu_asn1_mem_encode(KORVU_TYPE_CERTIFICATE,
                                               korvu_cmscertchoice_getx509pubkeycert(static_cast<KORVU_CMS_CERTCHOICE *>(c)));
    if (b == nullptr) std::abort();
    out.emplace_back(b->data, b->data + b->length);
    korvu_data_blob_free(b);
  }
  korvu_asn1_value_free(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd);
  return out;
}

void make_data() {
  char dir[] = "/tmp/korvu_bench_cms_XXXXXX";
  if (mkdtemp(dir) == nullptr) std::abort();
  const std::string d = dir;
  const std::string cmd =
      "cd " + d +
      " && openssl req -x509 -newkey rsa:2048 -nodes -keyout k.pem -out c.pem -subj /CN=Bench -days 30"
      " && openssl req -x509 -newkey rsa:2048 -nodes -keyout k2.pem -out c2.pem -subj /CN=Bench2 -days 30"
      " && head -c 1048576 /dev/urandom > big.bin && head -c 4096 /dev/urandom > small.bin"
      " && openssl cms -sign -binary -nodetach -in big.bin -signer c.pem -inkey k.pem -outform DER -out big.der"
      " && openssl cms -sign -binary -in small.bin -signer c.pem -inkey k.pem -signer c2.pem -inkey k2.pem"
      " -outform DER -out small.der";
  if (std::system(("( " + cmd + " ) >/dev/null 2>&1").c_str()) != 0) std::abort();
  large.der = read_file(d + "/big.der");
  detached.der = read_file(d + "/small.der");
  std::system(("rm -rf " + d).c_str());
  for (Message *m : {&large, &detached}) {
    m->certs = certs_of(m->der);
    // ContentInfo header, the OID element, the [0] header: the SignedData follows.
    size_t p = 0;
    for (int i = 0; i < 3; i++) {
      const unsigned char l = m->der[p + 1];
      const size_t head = 2 + (l > 0x80 ? (l & 0x7F) : 0);
      if (i == 1) {
        p += head + l;  // the OID element, short form
      } else {
        p += head;
      }
    }
    m->signed_data = p;
  }
}

// The generic decode of a type over the bytes from `at`.
template <uint32_t Type>
void generic_decode_free(const Bytes &b, size_t at) {
  void *v = nullptr;
  if (korvu_asn1_mem_decode(b.data() + at, static_cast<int32_t>(b.size() - at), Type, &v) == 0xFFFFFFFFu) std::abort();
  korvu_asn1_value_free(Type, v);
}

void stream_decode_free(const Bytes &b) {
  KORVU_STREAM *s = korvu_stream_new_romem(b.data(), static_cast<uint32_t>(b.size()));
  KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
  if (korvu_asn1_decode_pkcs7signeddata(s, &sd, nullptr, nullptr) != 1 || sd == nullptr) std::abort();
  korvu_stream_free(s);
  korvu_asn1_value_free(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd);
}

void copy_and_certs(const Message &m) {
  Bytes copy(m.der.size());
  std::memcpy(copy.data(), m.der.data(), m.der.size());
  benchmark::DoNotOptimize(copy.data());
  for (const Bytes &c : m.certs) {
    void *v = nullptr;
    if (korvu_asn1_mem_decode(c.data(), static_cast<int32_t>(c.size()), KORVU_TYPE_CERTIFICATE, &v) == 0xFFFFFFFFu)
      std::abort();
    korvu_asn1_value_free(KORVU_TYPE_CERTIFICATE, v);
  }
}

void openssl_decode_free(const Bytes &b) {
  const unsigned char *p = b.data();
  CMS_ContentInfo *ci = d2i_CMS_ContentInfo(nullptr, &p, static_cast<long>(b.size()));
  if (ci == nullptr) std::abort();
  CMS_ContentInfo_free(ci);
}

void rows(const char *name, const Message *m) {
  auto add = [&](const std::string &row, std::function<void(const Bytes &)> op) {
    benchmark::RegisterBenchmark((std::string(name) + "/" + row).c_str(), [m, op](benchmark::State &st) {
      for (auto _ : st) op(m->der);
      st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(m->der.size()));
    });
  };
  const size_t at = m->signed_data;
  add("korvu_decode_free/type133", [at](const Bytes &b) { generic_decode_free<KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM>(b, at); });
  add("korvu_decode_free/type111", [](const Bytes &b) { generic_decode_free<KORVU_TYPE_CONTENTINFO>(b, 0); });
  add("korvu_stream_decode_free", stream_decode_free);
  add("openssl_d2i_CMS_ContentInfo_free", openssl_decode_free);
  benchmark::RegisterBenchmark((std::string(name) + "/memcpy_plus_certificates").c_str(),
                               [m](benchmark::State &st) {
                                 for (auto _ : st) copy_and_certs(*m);
                                 st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(m->der.size()));
                               });
}

}  // namespace

int main(int argc, char **argv) {
  make_data();
  std::printf("1 MiB message: %zu octets, %zu certificates; detached: %zu octets, %zu certificates\n",
              large.der.size(), large.certs.size(), detached.der.size(), detached.certs.size());
  benchmark::Initialize(&argc, argv);
  rows("cms_1MiB", &large);
  rows("cms_detached", &detached);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
