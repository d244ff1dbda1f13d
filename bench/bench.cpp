// Decoding speed and allocations against OpenSSL and libtasn1, on the same
// bytes, single-threaded.
//
// Data: the CA bundle split into DER certificates, TLS-like leaves issued by
// bench/make_leaves.sh into a temporary folder, and the certificates of the
// shared corpus; only certificates every decoder accepts are measured, so
// that each does the same work. CRLs of 1,000, 10,000 and 100,000 entries
// are made by bench/make_crls.sh with `openssl ca -gencrl`. Every corpus file
// is also rendered to JSON through ANY.
//
// Google Benchmark runs each row on its own; then a summary times the rows
// in interleaved rounds (medians, robust on a busy machine) and prints each
// figure with its ratio to the peers and the targets.
#include <benchmark/benchmark.h>
#include <openssl/crypto.h>
#include <openssl/x509.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/internal.h"
#include "korvu/asn1.h"
#include "korvu/asn1_json.h"
#include "korvu/util_json.h"
#include "tasn1_peer.h"
#include "tools/lib/input.h"

#pragma weak korvu_asn1_tojson
#pragma weak korvu_asn1_encodejson

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

// ---- Allocation counting ---------------------------------------------------
// malloc and friends are interposed in this program; korvu_malloc is wrapped
// at link time (-Wl,--wrap=korvu_malloc); OpenSSL's own allocator hooks count
// its blocks. Counting is off except around the measured call.
namespace {
bool g_counting = false;
long g_mallocs = 0;
long g_korvu_mallocs = 0;
long g_openssl_mallocs = 0;
}  // namespace

extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void *__real_korvu_malloc(size_t size, const char *file, int line);

void *malloc(size_t n) {
  if (g_counting) g_mallocs++;
  return __libc_malloc(n);
}
void *calloc(size_t a, size_t b) {
  if (g_counting) g_mallocs++;
  return __libc_calloc(a, b);
}
void *realloc(void *p, size_t n) {
  if (g_counting && p == nullptr) g_mallocs++;
  return __libc_realloc(p, n);
}
void __real_korvu_free(void *block);
// KORVU_BENCH_ALLOC=system sends korvu_malloc/korvu_free to the C library's
// allocator instead of the one the library was built with (mimalloc when
// installed), so both are measured from one build. Set before main, never
// changed while blocks are live.
const bool g_system_alloc = [] {
  const char *a = std::getenv("KORVU_BENCH_ALLOC");
  return a != nullptr && std::strcmp(a, "system") == 0;
}();
void *__wrap_korvu_malloc(size_t size, const char *file, int line) {
  if (g_counting) g_korvu_mallocs++;
  return g_system_alloc ? __libc_malloc(size == 0 ? 1 : size) : __real_korvu_malloc(size, file, line);
}
void __wrap_korvu_free(void *block) {
  if (g_system_alloc)
    free(block);
  else
    __real_korvu_free(block);
}
}

namespace {

void *ossl_malloc(size_t n, const char *, int) {
  if (g_counting) g_openssl_mallocs++;
  return malloc(n);
}
void *ossl_realloc(void *p, size_t n, const char *, int) {
  if (g_counting && p == nullptr) g_openssl_mallocs++;
  return realloc(p, n);
}
void ossl_free(void *p, const char *, int) { free(p); }

// ---- Data --------------------------------------------------------------------
struct Data {
  std::vector<Bytes> certs;        // accepted by every decoder
  std::vector<Bytes> all_files;    // every corpus file, as DER, for JSON
  std::map<int, Bytes> crls;       // entries -> CRL
  std::map<int, Bytes> int_lists;  // entries -> SEQUENCE OF INTEGER
  std::map<int, Bytes> names;      // RDNs -> Name
  size_t cert_bytes = 0, all_bytes = 0;
  size_t from_bundle = 0, from_leaves = 0, from_corpus = 0, dropped = 0;
  uint32_t cert_type = KORVU_TYPE_SEQUENCE_OF_ANY;  // KORVU_TYPE_CERTIFICATE once linked
  uint32_t crl_type = KORVU_TYPE_SEQUENCE_OF_ANY;   // KORVU_TYPE_CERTIFICATELIST once linked
};

Data g;

bool type_exists(uint32_t t) {
  const korvu::TypeDesc *d = korvu::type_desc(t);
  return d != nullptr && d->ops != nullptr;
}

Bytes read_file(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void pem_blocks(const Bytes &raw, std::vector<Bytes> &out) {
  std::string text(raw.begin(), raw.end());
  for (size_t pos = text.find("-----BEGIN "); pos != std::string::npos; pos = text.find("-----BEGIN ", pos + 11)) {
    korvu::tool::LoadedInput in;
    std::string error;
    if (korvu::tool::load_input(raw.data() + pos, raw.size() - pos, in, error) && !in.bytes.empty())
      out.push_back(in.bytes);
  }
}

// ---- The operations compared -------------------------------------------------
void korvu_decode_free(const Bytes &b, uint32_t type) {
  void *v = nullptr;
  if (korvu_asn1_mem_decode(b.data(), static_cast<int32_t>(b.size()), type, &v) == 0xFFFFFFFFu) std::abort();
  korvu_asn1_value_free(type, v);
}
void korvu_decode_encode_free(const Bytes &b, uint32_t type) {
  void *v = nullptr;
  if (korvu_asn1_mem_decode(b.data(), static_cast<int32_t>(b.size()), type, &v) == 0xFFFFFFFFu) std::abort();
  KORVU_DATA_BLOB *e = korvu_asn1_mem_encode(type, v);
  if (e == nullptr) std::abort();
  korvu_data_blob_free(e);
  korvu_asn1_value_free(type, v);
}
bool openssl_decode_free(const Bytes &b) {
  const unsigned char *p = b.data();
  X509 *x = d2i_X509(nullptr, &p, static_cast<long>(b.size()));
  X509_free(x);
  return x != nullptr;
}
void openssl_decode_encode_free(const Bytes &b) {
  const unsigned char *p = b.data();
  X509 *x = d2i_X509(nullptr, &p, static_cast<long>(b.size()));
  unsigned char *out = nullptr;
  if (i2d_X509(x, &out) <= 0) std::abort();
  OPENSSL_free(out);
  X509_free(x);
}
bool openssl_crl_decode_free(const Bytes &b) {
  const unsigned char *p = b.data();
  X509_CRL *x = d2i_X509_CRL(nullptr, &p, static_cast<long>(b.size()));
  X509_CRL_free(x);
  return x != nullptr;
}
bool tasn1_decode_free(const Bytes &b, const char *name = "PKIXBench.Certificate") {
  return tasn1_peer::decode_free(b.data(), b.size(), name);
}
void tasn1_decode_encode_free(const Bytes &b) {
  if (!tasn1_peer::decode_encode_free(b.data(), b.size(), "PKIXBench.Certificate")) std::abort();
}

// A walk over every element, allocating nothing: the floor any decoder that
// looks at every identifier and length stands on.
size_t tlv_walk(const unsigned char *p, size_t n, int depth = 0) {
  size_t count = 0, pos = 0;
  while (pos < n) {
    unsigned char id = p[pos++];
    if ((id & 0x1F) == 0x1F)
      while (pos < n && (p[pos++] & 0x80)) {
      }
    if (pos >= n) break;
    size_t len = p[pos++];
    if (len & 0x80) {
      size_t k = len & 0x7F;
      len = 0;
      while (k-- && pos < n) len = (len << 8) | p[pos++];
    }
    if (len > n - pos) break;
    count++;
    if ((id & 0x20) && depth < 64) count += tlv_walk(p + pos, len, depth + 1);
    pos += len;
  }
  return count;
}

// ---- Building the data set -----------------------------------------------------
void der_length(Bytes &out, size_t n) {
  if (n < 0x80) {
    out.push_back(static_cast<unsigned char>(n));
    return;
  }
  unsigned char tmp[8];
  int k = 0;
  while (n) {
    tmp[k++] = static_cast<unsigned char>(n & 0xFF);
    n >>= 8;
  }
  out.push_back(static_cast<unsigned char>(0x80 | k));
  while (k) out.push_back(tmp[--k]);
}
Bytes tlv(unsigned char tag, const Bytes &content) {
  Bytes out{tag};
  der_length(out, content.size());
  out.insert(out.end(), content.begin(), content.end());
  return out;
}
Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes &p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

bool korvu_accepts(const Bytes &b, uint32_t type) {
  void *v = nullptr;
  uint32_t used = korvu_asn1_mem_decode(b.data(), static_cast<int32_t>(b.size()), type, &v);
  if (used == 0xFFFFFFFFu) return false;
  KORVU_DATA_BLOB *e = korvu_asn1_mem_encode(type, v);
  korvu_asn1_value_free(type, v);
  bool ok = e != nullptr && used == b.size();
  korvu_data_blob_free(e);
  return ok;
}

void build_data(const std::string &corpus) {
  if (type_exists(KORVU_TYPE_CERTIFICATE)) g.cert_type = KORVU_TYPE_CERTIFICATE;
  if (type_exists(KORVU_TYPE_CERTIFICATELIST)) g.crl_type = KORVU_TYPE_CERTIFICATELIST;
  std::string err;
  if (!tasn1_peer::load(KORVU_BENCH_DIR "/pkix_bench.asn", err)) {
    std::fprintf(stderr, "libtasn1 definitions: %s\n", err.c_str());
    std::exit(1);
  }

  auto add_cert = [](const Bytes &der, size_t &counter) {
    if (openssl_decode_free(der) && tasn1_decode_free(der) &&
        tasn1_peer::decode_encode_free(der.data(), der.size(), "PKIXBench.Certificate") &&
        korvu_accepts(der, g.cert_type)) {
      g.certs.push_back(der);
      g.cert_bytes += der.size();
      counter++;
    } else {
      g.dropped++;
    }
  };

  std::vector<Bytes> bundle;
  pem_blocks(read_file("/etc/ssl/certs/ca-certificates.crt"), bundle);
  for (const Bytes &b : bundle) add_cert(b, g.from_bundle);

  char tmpl[] = "/tmp/korvu-bench-XXXXXX";
  if (char *dir = mkdtemp(tmpl)) {
    std::string cmd = std::string(KORVU_BENCH_DIR "/make_leaves.sh ") + dir + " 12";
    if (std::system(cmd.c_str()) == 0)
      for (int i = 1; i <= 12; i++) add_cert(read_file(fs::path(dir) / ("leaf" + std::to_string(i) + ".der")), g.from_leaves);
    fs::remove_all(dir);
  }
  // CRLs made by `openssl ca -gencrl` (bench/make_crls.sh).
  char crl_tmpl[] = "/tmp/korvu-bench-crl-XXXXXX";
  if (char *dir = mkdtemp(crl_tmpl)) {
    std::string cmd = std::string(KORVU_BENCH_DIR "/make_crls.sh ") + dir + " 1000 10000 100000";
    if (std::system(cmd.c_str()) == 0)
      for (int n : {1000, 10000, 100000}) g.crls[n] = read_file(fs::path(dir) / ("crl" + std::to_string(n) + ".der"));
    fs::remove_all(dir);
  }

  std::ifstream manifest(corpus + "/manifest.tsv");
  std::string line;
  std::getline(manifest, line);
  while (std::getline(manifest, line)) {
    std::istringstream row(line);
    std::string path, family, type, enc, expect;
    std::getline(row, path, '\t');
    std::getline(row, family, '\t');
    std::getline(row, type, '\t');
    std::getline(row, enc, '\t');
    std::getline(row, expect, '\t');
    Bytes raw = read_file(corpus + "/" + path);
    korvu::tool::LoadedInput in;
    std::string error;
    if (!korvu::tool::load_input(raw, in, error) || in.bytes.empty() || in.bytes.size() > 0x7FFFFFFF) continue;
    g.all_files.push_back(in.bytes);
    g.all_bytes += in.bytes.size();
    if (type == "Certificate" && expect == "valid") add_cert(in.bytes, g.from_corpus);
  }
  for (int n : {2500, 5000, 10000}) {
    Bytes ints, rdns;
    for (int i = 0; i < n; i++) {
      ints = cat({ints, tlv(0x02, {static_cast<unsigned char>(0x10 + i % 0x60), static_cast<unsigned char>(i)})});
      rdns = cat({rdns, tlv(0x31, tlv(0x30, cat({tlv(0x06, {0x55, 0x04, 0x0B}),
                                                 tlv(0x0C, Bytes{'u', 'n', 'i', 't', static_cast<unsigned char>('0' + i % 10)})})))});
    }
    g.int_lists[n] = tlv(0x30, ints);
    g.names[n] = tlv(0x30, rdns);
  }
}

// ---- Interleaved summary ---------------------------------------------------------
using Pass = std::function<void()>;

// Nanoseconds of one pass, repeated until 30 ms have gone by.
double time_pass(const Pass &pass) {
  using clock = std::chrono::steady_clock;
  int reps = 0;
  auto start = clock::now();
  double elapsed = 0;
  do {
    pass();
    reps++;
    elapsed = std::chrono::duration<double, std::nano>(clock::now() - start).count();
  } while (elapsed < 30e6);
  return elapsed / reps;
}

std::vector<double> interleaved_medians(const std::vector<Pass> &passes, int rounds) {
  std::vector<std::vector<double>> t(passes.size());
  for (int r = 0; r < rounds; r++)
    for (size_t i = 0; i < passes.size(); i++) t[i].push_back(time_pass(passes[i]));
  std::vector<double> med;
  for (auto &v : t) {
    std::sort(v.begin(), v.end());
    med.push_back(v[v.size() / 2]);
  }
  return med;
}

template <class F>
double allocations_per_item(const std::vector<Bytes> &set, F op, long &counter) {
  counter = 0;
  g_counting = true;
  for (const Bytes &b : set) op(b);
  g_counting = false;
  return static_cast<double>(counter) / static_cast<double>(set.size());
}

void summary() {
  const double n = static_cast<double>(g.certs.size());
  const uint32_t ct = g.cert_type;
  std::printf("\n==== Summary (medians of 7 interleaved rounds) ====\n");
  std::printf("certificates: %zu (%zu CA bundle, %zu generated leaves, %zu corpus), %zu bytes; %zu dropped "
              "(refused by a decoder)\n",
              g.certs.size(), g.from_bundle, g.from_leaves, g.from_corpus, g.cert_bytes, g.dropped);
  std::printf("korvu certificate type: %u (%s)\n", ct, korvu_asn1_typename(ct));

  std::vector<Pass> passes = {
      [&] { for (const Bytes &b : g.certs) korvu_decode_free(b, ct); },
      [&] { for (const Bytes &b : g.certs) openssl_decode_free(b); },
      [&] { for (const Bytes &b : g.certs) tasn1_decode_free(b); },
      [&] { for (const Bytes &b : g.certs) korvu_decode_encode_free(b, ct); },
      [&] { for (const Bytes &b : g.certs) openssl_decode_encode_free(b); },
      [&] { for (const Bytes &b : g.certs) tasn1_decode_encode_free(b); },
      [&] {
        size_t c = 0;
        for (const Bytes &b : g.certs) c += tlv_walk(b.data(), b.size());
        benchmark::DoNotOptimize(c);
      },
  };
  std::vector<double> m = interleaved_medians(passes, 7);
  for (double &x : m) x /= n;  // ns per certificate
  const char *names[] = {"korvu decode+free",        "OpenSSL d2i_X509+free",       "libtasn1 decode+free",
                         "korvu decode+encode+free", "OpenSSL d2i+i2d+free",        "libtasn1 decode+encode+free",
                         "TLV walk (floor)"};
  for (size_t i = 0; i < m.size(); i++)
    std::printf("  %-30s %9.0f ns/cert %8.1f MB/s\n", names[i], m[i], g.cert_bytes / n / m[i] * 1e3);
  std::printf("ratios:\n");
  std::printf("  decode+free: libtasn1/korvu %.2fx (target >= 3x), OpenSSL/korvu %.2fx\n", m[2] / m[0], m[1] / m[0]);
  std::printf("  decode+encode+free: libtasn1/korvu %.2fx, OpenSSL/korvu %.2fx\n", m[5] / m[3], m[4] / m[3]);
  std::printf("  korvu decode+encode vs decode alone: +%.1f%% (target <= 10%%)\n", (m[3] / m[0] - 1) * 100);
  std::printf("  korvu decode / TLV walk: %.1fx\n", m[0] / m[6]);

  std::printf("allocations per certificate (decode + free):\n");
  double ka = allocations_per_item(g.certs, [&](const Bytes &b) { korvu_decode_free(b, ct); }, g_korvu_mallocs);
  double km = allocations_per_item(g.certs, [&](const Bytes &b) { korvu_decode_free(b, ct); }, g_mallocs);
  double om = allocations_per_item(g.certs, [](const Bytes &b) { openssl_decode_free(b); }, g_mallocs);
  double oo = allocations_per_item(g.certs, [](const Bytes &b) { openssl_decode_free(b); }, g_openssl_mallocs);
  double tm = allocations_per_item(g.certs, [](const Bytes &b) { tasn1_decode_free(b); }, g_mallocs);
  std::printf("  korvu: %.1f korvu_malloc, %.1f malloc (target <= 100)\n", ka, km);
  std::printf("  OpenSSL: %.1f malloc (%.1f through its allocator)\n", om, oo);
  std::printf("  libtasn1: %.1f malloc\n", tm);

  if (&korvu_asn1_tojson != nullptr) {
    // Only the files that render count: a file refused at its first octets
    // (JSON text, truncated data) would add bytes without work.
    std::vector<const Bytes *> rendered;
    size_t rendered_bytes = 0, largest = 0;
    for (const Bytes &b : g.all_files) {
      KORVU_JSON *t = korvu_asn1_tojson(b.data(), static_cast<int32_t>(b.size()));
      if (t == nullptr) continue;
      korvu_json_free(t);
      rendered.push_back(&b);
      rendered_bytes += b.size();
      largest = std::max(largest, b.size());
    }
    // The same files split at 64 KiB: large trees leave the allocator's
    // cached memory and pay for fresh pages.
    constexpr size_t kSmall = 64 * 1024;
    size_t small_bytes = 0;
    for (const Bytes *b : rendered) small_bytes += b->size() <= kSmall ? b->size() : 0;
    auto render_pass = [&](int which) {
      return [&, which] {
        for (const Bytes *b : rendered) {
          if (which == 1 && b->size() > kSmall) continue;
          if (which == 2 && b->size() <= kSmall) continue;
          korvu_json_free(korvu_asn1_tojson(b->data(), static_cast<int32_t>(b->size())));
        }
      };
    };
    std::vector<Pass> jp = {render_pass(0), render_pass(1), render_pass(2)};
    std::vector<double> jm = interleaved_medians(jp, 5);
    std::printf("JSON rendering (ANY -> tree) of the %zu corpus files that render (of %zu), %zu bytes, largest "
                "%zu: %.1f MB/s (target >= 200)\n",
                rendered.size(), g.all_files.size(), rendered_bytes, largest, rendered_bytes / jm[0] * 1e3);
    std::printf("  files up to 64 KiB (%zu bytes): %.1f MB/s; larger files (%zu bytes): %.1f MB/s\n", small_bytes,
                small_bytes / jm[1] * 1e3, rendered_bytes - small_bytes,
                (rendered_bytes - small_bytes) / jm[2] * 1e3);
  } else {
    std::printf("JSON rendering: not linked yet\n");
  }
}

// CRLs made by openssl ca -gencrl: cost per entry at 1,000 / 10,000 /
// 100,000 entries (constant when linear), against OpenSSL on the same bytes;
// libtasn1, quadratic, only up to 10,000.
void crl_rows() {
  std::printf("CRL decode+free, ns per entry (korvu type %u vs OpenSSL d2i_X509_CRL vs libtasn1):\n", g.crl_type);
  std::map<int, double> korvu_per_entry, ratio;
  for (auto &[entries, crl] : g.crls) {
    const Bytes &b = crl;
    std::vector<Pass> cp = {[&] { korvu_decode_free(b, g.crl_type); }, [&] { openssl_crl_decode_free(b); }};
    if (entries <= 10000) cp.push_back([&] { tasn1_decode_free(b, "PKIXBench.CertificateList"); });
    std::vector<double> cm = interleaved_medians(cp, 5);
    korvu_per_entry[entries] = cm[0] / entries;
    ratio[entries] = cm[1] / cm[0];
    std::printf("  %6d entries (%zu bytes): korvu %.0f, OpenSSL %.0f (%.2fx korvu)", entries, b.size(),
                cm[0] / entries, cm[1] / entries, cm[1] / cm[0]);
    if (cm.size() > 2) std::printf(", libtasn1 %.0f", cm[2] / entries);
    std::printf("\n");
  }
  if (g.crls.count(10000) != 0 && !korvu_per_entry.empty()) {
    auto [lo, hi] = std::minmax_element(korvu_per_entry.begin(), korvu_per_entry.end(),
                                        [](const auto &x, const auto &y) { return x.second < y.second; });
    std::printf("  OpenSSL/korvu at 10,000 entries: %.2fx (target >= 2x); korvu per-entry spread %.1f%% "
                "(target within 20%%)\n",
                ratio[10000], (hi->second / lo->second - 1) * 100);
  }
}

// Cost per entry of lists that grow: constant when decoding is linear.
void growth_rows() {
  std::printf("growth, decode+free ns per entry at 2,500 / 5,000 / 10,000 entries:\n");
  struct Row {
    const char *label;
    uint32_t type;
    const std::map<int, Bytes> *set;
  };
  const Row rows[] = {{"SEQUENCE OF INTEGER as type 24", KORVU_TYPE_SEQUENCE_OF_ANY, &g.int_lists},
                      {"Name of single-valued RDNs as type 32", KORVU_TYPE_NAME, &g.names}};
  for (const Row &r : rows) {
    if (!type_exists(r.type)) continue;
    std::printf("  %-40s", r.label);
    for (auto &[entries, b] : *r.set) {
      const Bytes &bytes = b;
      const uint32_t type = r.type;
      double ns = interleaved_medians({[&] { korvu_decode_free(bytes, type); }}, 3)[0];
      std::printf(" %8.1f", ns / entries);
    }
    std::printf("\n");
  }
}

void register_benchmarks() {
  auto certs = [](benchmark::State &st, const std::function<void(const Bytes &)> &op) {
    for (auto _ : st)
      for (const Bytes &b : g.certs) op(b);
    st.SetItemsProcessed(st.iterations() * static_cast<int64_t>(g.certs.size()));
    st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(g.cert_bytes));
  };
  const uint32_t ct = g.cert_type;
  const std::string tn = std::to_string(ct);
  benchmark::RegisterBenchmark(("cert/korvu_decode_free/type" + tn).c_str(), certs,
                               [ct](const Bytes &b) { korvu_decode_free(b, ct); });
  benchmark::RegisterBenchmark("cert/openssl_d2i_free", certs, [](const Bytes &b) { openssl_decode_free(b); });
  benchmark::RegisterBenchmark("cert/tasn1_decode_free", certs, [](const Bytes &b) { tasn1_decode_free(b); });
  benchmark::RegisterBenchmark(("cert/korvu_decode_encode_free/type" + tn).c_str(), certs,
                               [ct](const Bytes &b) { korvu_decode_encode_free(b, ct); });
  benchmark::RegisterBenchmark("cert/openssl_d2i_i2d_free", certs,
                               [](const Bytes &b) { openssl_decode_encode_free(b); });
  benchmark::RegisterBenchmark("cert/tasn1_decode_encode_free", certs,
                               [](const Bytes &b) { tasn1_decode_encode_free(b); });
  benchmark::RegisterBenchmark("cert/tlv_walk", certs, [](const Bytes &b) {
    benchmark::DoNotOptimize(tlv_walk(b.data(), b.size()));
  });
  if (ct != KORVU_TYPE_SEQUENCE_OF_ANY)
    benchmark::RegisterBenchmark("cert/korvu_decode_free/type24", certs,
                                 [](const Bytes &b) { korvu_decode_free(b, KORVU_TYPE_SEQUENCE_OF_ANY); });
  if (&korvu_asn1_tojson != nullptr)
    benchmark::RegisterBenchmark("json/any_tojson_free", [](benchmark::State &st) {
      for (auto _ : st)
        for (const Bytes &b : g.all_files) korvu_json_free(korvu_asn1_tojson(b.data(), static_cast<int32_t>(b.size())));
      st.SetBytesProcessed(st.iterations() * static_cast<int64_t>(g.all_bytes));
    });
  for (auto &[entries, crl] : g.crls) {
    const Bytes *b = &crl;
    benchmark::RegisterBenchmark(("crl/korvu_decode_free/" + std::to_string(entries)).c_str(),
                                 [b](benchmark::State &st) {
                                   for (auto _ : st) korvu_decode_free(*b, g.crl_type);
                                 });
    benchmark::RegisterBenchmark(("crl/openssl_d2i_free/" + std::to_string(entries)).c_str(),
                                 [b](benchmark::State &st) {
                                   for (auto _ : st) openssl_crl_decode_free(*b);
                                 });
  }
}

// ---- JSON rows: render, encode, print and parse ----------------------------------
// The pipeline `korvu-asn1 json | jq | korvu-asn1 encode` on the CA bundle's
// certificates: rendering to a tree, printing it as text, parsing the text
// and encoding the tree again, each timed on its own (same bytes, same
// rounds), with its allocations per certificate.

void json_rows() {
  if (&korvu_asn1_tojson == nullptr || &korvu_asn1_encodejson == nullptr) {
    std::printf("JSON rows: not linked\n");
    return;
  }
  const std::vector<Bytes> certs(g.certs.begin(), g.certs.begin() + static_cast<std::ptrdiff_t>(g.from_bundle));
  if (certs.empty()) return;
  size_t bytes = 0;
  std::vector<KORVU_JSON *> trees;
  std::vector<std::string> texts;
  for (const Bytes &b : certs) {
    bytes += b.size();
    KORVU_JSON *t = korvu_asn1_tojson(b.data(), static_cast<int32_t>(b.size()));
    KORVU_DATA_BLOB *e = korvu_asn1_encodejson(t);
    if (t == nullptr || e == nullptr || Bytes(e->data, e->data + e->length) != b) {
      std::fprintf(stderr, "JSON rows: a certificate does not come back from its tree\n");
      std::abort();
    }
    korvu_data_blob_free(e);
    uint32_t n = 0;
    char *text = korvu_json_print(t, 0, &n);
    texts.emplace_back(text, n);
    korvu_free(text);
    trees.push_back(t);
  }
  const double count = static_cast<double>(certs.size());
  struct Row {
    const char *name;
    std::function<void(size_t)> op;  // one certificate, by index
  };
  const std::vector<Row> rows = {
      {"render (tojson + free)",
       [&](size_t i) { korvu_json_free(korvu_asn1_tojson(certs[i].data(), static_cast<int32_t>(certs[i].size()))); }},
      {"encodejson + free (current)", [&](size_t i) { korvu_data_blob_free(korvu_asn1_encodejson(trees[i])); }},
      {"print (json_print, compact)",
       [&](size_t i) {
         char *t = korvu_json_print(trees[i], 0, nullptr);
         korvu_free(t);
       }},
      {"parse (json_parse + free)",
       [&](size_t i) {
         korvu_json_free(korvu_json_parse(texts[i].data(), static_cast<uint32_t>(texts[i].size())));
       }},
      {"whole pipeline (render, print, parse, encode)",
       [&](size_t i) {
         KORVU_JSON *t = korvu_asn1_tojson(certs[i].data(), static_cast<int32_t>(certs[i].size()));
         uint32_t n = 0;
         char *text = korvu_json_print(t, 0, &n);
         KORVU_JSON *back = korvu_json_parse(text, n);
         korvu_data_blob_free(korvu_asn1_encodejson(back));
         korvu_json_free(back);
         korvu_free(text);
         korvu_json_free(t);
       }},
  };
  std::vector<Pass> passes;
  for (const Row &r : rows)
    passes.push_back([&r, &certs] {
      for (size_t i = 0; i < certs.size(); i++) r.op(i);
    });
  std::vector<double> m = interleaved_medians(passes, 7);
  std::printf("JSON rows on the %zu CA bundle certificates (%zu bytes; medians of 7 interleaved rounds):\n",
              certs.size(), bytes);
  std::printf("  %-48s %9s %9s  %s\n", "row", "ns/cert", "MB/s", "allocations/cert: korvu_malloc, all malloc");
  for (size_t k = 0; k < rows.size(); k++) {
    g_korvu_mallocs = g_mallocs = 0;
    g_counting = true;
    for (size_t i = 0; i < certs.size(); i++) rows[k].op(i);
    g_counting = false;
    std::printf("  %-48s %9.0f %9.1f  %.1f, %.1f\n", rows[k].name, m[k] / count, bytes / m[k] * 1e3,
                g_korvu_mallocs / count, g_mallocs / count);
  }
  std::printf("  encodejson / render speed: %.2f (target >= 0.5); previous encoder: %.2f\n", m[0] / m[1], m[0] / m[2]);
  for (KORVU_JSON *t : trees) korvu_json_free(t);
}

}  // namespace

int main(int argc, char **argv) {
  CRYPTO_set_mem_functions(ossl_malloc, ossl_realloc, ossl_free);
  std::printf("korvu_malloc: %s\n", g_system_alloc ? "the C library's malloc (KORVU_BENCH_ALLOC=system)"
                                                     : "the library's own choice");
  const char *corpus = std::getenv("KORVU_CORPUS_DIR");
  build_data(corpus ? corpus : KORVU_DEFAULT_CORPUS);
  if (g.certs.empty()) {
    std::fprintf(stderr, "no certificate every decoder accepts\n");
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  register_benchmarks();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // KORVU_BENCH_CRL_ONLY=1: the CRL rows alone (with --benchmark_filter=crl/ for a short run).
  const char *crl_only = std::getenv("KORVU_BENCH_CRL_ONLY");
  if (crl_only == nullptr || std::string(crl_only) != "1") {
    summary();
    growth_rows();
    json_rows();
  }
  crl_rows();
  tasn1_peer::unload();
  return 0;
}
