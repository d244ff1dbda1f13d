// Heap held after decoding, against the input's size and against OpenSSL:
// a signed message with 1 MiB of encapsulated content decoded as ContentInfo
// (111, the SignedData as ANY), its SignedData element as type 133 and through
// the streaming decoder; a CRL of 10,000 entries as type 41 against
// d2i_X509_CRL. Every korvu_malloc/korvu_free is wrapped at link time and
// every OpenSSL block goes through its allocator hooks; both carry their size
// in a 16-octet header, so the live bytes (as requested) are exact.
//
//   korvu_bench_memory            (needs the `openssl` command)
#include <openssl/crypto.h>
#include <openssl/x509.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "korvu/asn1.h"

namespace {
long long g_live = 0;  // octets asked for and not yet freed
long long g_blocks = 0;
constexpr size_t kHead = 16;
// Live blocks by requested size (KORVU_BENCH_MEMORY_SIZES=1 prints them for
// the CRL rows); std::map allocates through operator new, which is not counted.
bool g_by_size = false;
std::map<size_t, long long> g_sizes;

void *counted(void *raw, size_t n) {
  if (raw == nullptr) return nullptr;
  std::memcpy(raw, &n, sizeof n);
  g_live += static_cast<long long>(n);
  g_blocks++;
  if (g_by_size) g_sizes[n]++;
  return static_cast<unsigned char *>(raw) + kHead;
}
void *uncounted(void *block) {
  auto *raw = static_cast<unsigned char *>(block) - kHead;
  size_t n;
  std::memcpy(&n, raw, sizeof n);
  g_live -= static_cast<long long>(n);
  g_blocks--;
  if (g_by_size && --g_sizes[n] == 0) g_sizes.erase(n);
  return raw;
}

// The sizes held by at least `min` blocks or of at least 4 KiB, most octets first.
void print_sizes(const char *what, long long min) {
  std::vector<std::pair<long long, size_t>> rows;
  for (const auto &[size, count] : g_sizes)
    if (count >= min || size >= 4096) rows.emplace_back(count * static_cast<long long>(size), size);
  std::sort(rows.rbegin(), rows.rend());
  std::printf("\n%s, blocks held by size:\n| octets requested | blocks | octets |\n|---:|---:|---:|\n", what);
  for (const auto &[octets, size] : rows) std::printf("| %zu | %lld | %lld |\n", size, g_sizes[size], octets);
  std::printf("\n");
}
}  // namespace

extern "C" {
void *__real_korvu_malloc(size_t size, const char *file, int line);
void __real_korvu_free(void *block);
void *__wrap_korvu_malloc(size_t size, const char *file, int line) {
  return counted(__real_korvu_malloc(size + kHead, file, line), size);
}
void __wrap_korvu_free(void *block) {
  if (block != nullptr) __real_korvu_free(uncounted(block));
}
}

namespace {

void *ossl_malloc(size_t n, const char *, int) { return counted(std::malloc(n + kHead), n); }
void ossl_free(void *p, const char *, int) {
  if (p != nullptr) std::free(uncounted(p));
}
void *ossl_realloc(void *p, size_t n, const char *f, int l) {
  if (p == nullptr) return ossl_malloc(n, f, l);
  void *q = ossl_malloc(n, f, l);
  if (q == nullptr) return nullptr;
  size_t old;
  std::memcpy(&old, static_cast<unsigned char *>(p) - kHead, sizeof old);
  std::memcpy(q, p, old < n ? old : n);
  ossl_free(p, f, l);
  return q;
}

using Bytes = std::vector<unsigned char>;
Bytes read_file(const std::string &p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Offset of the SignedData element in a ContentInfo: after the outer header,
// the OID element and the [0] header.
size_t signed_data_at(const Bytes &der) {
  size_t p = 0;
  for (int i = 0; i < 3; i++) {
    const unsigned char l = der[p + 1];
    const size_t head = 2 + (l > 0x80 ? (l & 0x7F) : 0);
    p += i == 1 ? head + l : head;
  }
  return p;
}

void row(const char *what, long long held, size_t input, long long blocks) {
  std::printf("| %s | %lld | %.2fx | %lld |\n", what, held, static_cast<double>(held) / static_cast<double>(input),
              blocks);
}

// Live octets and blocks while a decoded value of `type` is held.
void korvu_row(const char *what, const unsigned char *p, size_t n, uint32_t type, size_t input) {
  const long long live = g_live, blocks = g_blocks;
  void *v = nullptr;
  if (korvu_asn1_mem_decode(p, static_cast<int32_t>(n), type, &v) != n) std::abort();
  row(what, g_live - live, input, g_blocks - blocks);
  korvu_asn1_value_free(type, v);
}

}  // namespace

int main() {
  if (CRYPTO_set_mem_functions(ossl_malloc, ossl_realloc, ossl_free) != 1) return 1;
  char tmpl[] = "/tmp/korvu_bench_memory_XXXXXX";
  if (mkdtemp(tmpl) == nullptr) return 1;
  const std::string d = tmpl;
  const std::string cmd =
      "cd " + d +
      " && openssl req -x509 -newkey rsa:2048 -nodes -keyout k.pem -out c.pem -subj /CN=Bench -days 30"
      " && head -c 1048576 /dev/urandom > big.bin"
      " && openssl cms -sign -binary -nodetach -in big.bin -signer c.pem -inkey k.pem -outform DER -out big.der"
      " && " KORVU_BENCH_DIR "/make_crls.sh . 10000";
  if (std::system(("( " + cmd + " ) >/dev/null 2>&1").c_str()) != 0) return 1;
  const Bytes msg = read_file(d + "/big.der"), crl = read_file(d + "/crl10000.der");
  std::filesystem::remove_all(d);

  std::printf("| value held after decoding | heap octets | per input octet | blocks |\n|---|---:|---:|---:|\n");
  const size_t sd = signed_data_at(msg);
  korvu_row("signed message (1 MiB content) as ContentInfo (111)", msg.data(), msg.size(), KORVU_TYPE_CONTENTINFO,
            msg.size());
  korvu_row("its SignedData element as type 133", msg.data() + sd, msg.size() - sd,
            KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, msg.size() - sd);
  {
    const long long live = g_live, blocks = g_blocks;
    KORVU_STREAM *s = korvu_stream_new_romem(msg.data(), static_cast<uint32_t>(msg.size()));
    KORVU_PKCS7_SIGNEDDATA *v = nullptr;
    if (korvu_asn1_decode_pkcs7signeddata(s, &v, nullptr, nullptr) != 1 || v == nullptr) return 1;
    korvu_stream_free(s);
    row("the message through the streaming SignedData decoder", g_live - live, msg.size(), g_blocks - blocks);
    korvu_asn1_value_free(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, v);
  }
  const char *sizes = std::getenv("KORVU_BENCH_MEMORY_SIZES");
  const bool by_size = sizes != nullptr && sizes[0] == '1';
  {
    g_sizes.clear();
    g_by_size = by_size;
    const long long live = g_live, blocks = g_blocks;
    void *v = nullptr;
    if (korvu_asn1_mem_decode(crl.data(), static_cast<int32_t>(crl.size()), KORVU_TYPE_CERTIFICATELIST, &v) !=
        crl.size())
      return 1;
    row("CRL of 10,000 entries as type 41", g_live - live, crl.size(), g_blocks - blocks);
    if (by_size) print_sizes("KORVU, CRL of 10,000 entries", 100);
    g_by_size = false;
    korvu_asn1_value_free(KORVU_TYPE_CERTIFICATELIST, v);
  }
  {
    g_sizes.clear();
    g_by_size = by_size;
    const long long live = g_live, blocks = g_blocks;
    const unsigned char *p = crl.data();
    X509_CRL *c = d2i_X509_CRL(nullptr, &p, static_cast<long>(crl.size()));
    if (c == nullptr) return 1;
    row("the same CRL, OpenSSL d2i_X509_CRL", g_live - live, crl.size(), g_blocks - blocks);
    if (by_size) print_sizes("OpenSSL, the same CRL", 100);
    g_by_size = false;
    X509_CRL_free(c);
  }
  return 0;
}
