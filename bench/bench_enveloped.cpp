// Enveloped messages against OpenSSL (Google Benchmark): EnvelopedData with 1, 10 and 100 key-transport
// recipients (`openssl cms -encrypt` with that many -recip, RSA-2048, 4 KiB of content), decoded and freed by
// the generic decode (the EnvelopedData as type 164) and by OpenSSL's d2i_CMS_ContentInfo, in the same run.
#include <benchmark/benchmark.h>
#include <openssl/cms.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "korvu/asn1.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Message {
  int recipients = 0;
  Bytes der;
  size_t content = 0;  // where the EnvelopedData element starts
};

std::vector<Message> messages;

Bytes read_file(const std::string &p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// The offset of the first element inside the [0] of a ContentInfo (definite lengths).
size_t content_offset(const Bytes &b) {
  auto header = [&](size_t p) { return 2 + (b[p + 1] > 0x80 ? (b[p + 1] & 0x7F) : 0); };
  size_t p = header(0);           // into the ContentInfo
  p += header(p) + b[p + 1];      // past the OID (short form)
  return p + header(p);           // into [0]
}

void make_data() {
  char dir[] = "/tmp/korvu_bench_env_XXXXXX";
  if (mkdtemp(dir) == nullptr) std::abort();
  const std::string d = dir;
  std::string cmd = "cd " + d + " && head -c 4096 /dev/urandom > msg.bin";
  for (int i = 0; i < 10; i++)
    cmd += " && openssl req -x509 -newkey rsa:2048 -nodes -keyout k" + std::to_string(i) + ".pem -out c" +
           std::to_string(i) + ".pem -subj /CN=Recipient" + std::to_string(i) + " -days 30";
  for (int n : {1, 10, 100}) {
    std::string recips;
    for (int i = 0; i < n; i++) recips += " -recip c" + std::to_string(i % 10) + ".pem";
    cmd += " && openssl cms -encrypt -binary -aes-256-cbc -in msg.bin" + recips + " -outform DER -out e" +
           std::to_string(n) + ".der";
  }
  if (std::system(("( " + cmd + " ) >/dev/null 2>&1").c_str()) != 0) std::abort();
  for (int n : {1, 10, 100}) {
    Message m;
    m.recipients = n;
    m.der = read_file(d + "/e" + std::to_string(n) + ".der");
    m.content = content_offset(m.der);
    messages.push_back(std::move(m));
  }
  std::system(("rm -rf " + d).c_str());
}

void korvu_decode_free(const Message &m) {
  void *v = nullptr;
  const Bytes &b = m.der;
  if (korvu_asn1_mem_decode(b.data() + m.content, static_cast<int32_t>(b.size() - m.content), KORVU_TYPE_ENVELOPEDDATA,
                            &v) == 0xFFFFFFFFu)
    std::abort();
  if (korvu_asn1_list_getsize(korvu_cmsenvelopeddata_getrecipinfos(static_cast<KORVU_CMS_ENVELOPEDDATA *>(v))) !=
      static_cast<int32_t>(m.recipients))
    std::abort();
  korvu_asn1_value_free(KORVU_TYPE_ENVELOPEDDATA, v);
}

void openssl_decode_free(const Message &m) {
  const unsigned char *p = m.der.data();
  CMS_ContentInfo *ci = d2i_CMS_ContentInfo(nullptr, &p, static_cast<long>(m.der.size()));
  if (ci == nullptr) std::abort();
  CMS_ContentInfo_free(ci);
}

}  // namespace

int main(int argc, char **argv) {
  make_data();
  for (const Message &m : messages) std::printf("%d recipients: %zu octets\n", m.recipients, m.der.size());
  benchmark::Initialize(&argc, argv);
  for (const Message &m : messages) {
    const std::string name = "enveloped_" + std::to_string(m.recipients) + "_ktri/";
    const Message *mp = &m;
    for (const auto &[row, op] : {std::pair{"korvu_decode_free/type164", &korvu_decode_free},
                                  std::pair{"openssl_d2i_CMS_ContentInfo_free", &openssl_decode_free}})
      benchmark::RegisterBenchmark((name + row).c_str(), [mp, op = op](benchmark::State &st) {
        for (auto _ : st) op(*mp);
        st.counters["per_recipient"] =
            benchmark::Counter(static_cast<double>(st.iterations()) * mp->recipients,
                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
      });
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
