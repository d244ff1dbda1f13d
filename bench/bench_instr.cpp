// Decode + free loops to count instructions with callgrind, each in a function of its own so that only
// the loop is counted (setup, file reading and the peers' initialisation are not):
//
//   valgrind --tool=callgrind --toggle-collect='run_*' korvu_bench_instr MODE [ARG]
//
// Modes (divide the count by the number of values):
//   cert, tasn1        the CA bundle's certificates (/etc/ssl/certs/ca-certificates.crt, or ARG) as type
//                      39, and through libtasn1's asn1_der_decoding of pkix_bench.asn
//   crl, osslcrl FILE  a CRL (make_crls.sh) as type 41, and through d2i_X509_CRL (divide by its entries)
//   ldap, lber N       N SearchResultEntry messages (ldap_messages.h) pushed into one memory stream and read
//                      one after another as type 353, and through liblber's ber_init + ber_scanf (without
//                      liblber: ldap only)
//   ldappush N         the same messages fed in 4 KiB pieces to the ANY push decoder, each decoded as 353
//                      once complete
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "ldap_messages.h"
#include "tasn1_peer.h"
#ifdef KORVU_BENCH_LBER
#include <lber.h>
#endif

using korvu_bench::Bytes;

extern "C" {

__attribute__((noinline)) void run_korvu(const std::vector<Bytes> &values, uint32_t type) {
  for (const Bytes &b : values) {
    void *v = nullptr;
    if (korvu_asn1_mem_decode(b.data(), static_cast<int32_t>(b.size()), type, &v) != b.size()) std::abort();
    korvu_asn1_value_free(type, v);
  }
}

__attribute__((noinline)) void run_korvu_ldap(const Bytes &in, int n) {
  KORVU_STREAM *s = korvu_stream_new_mem(static_cast<uint32_t>(in.size()), nullptr);
  if (korvu_stream_writen(s, in.data(), static_cast<uint32_t>(in.size())) != 1) std::abort();
  for (int i = 0; i < n; i++) {
    void *m = nullptr;
    uint32_t used = 0;
    if (korvu_asn1_decode(s, KORVU_TYPE_LDAPMESSAGE, &m, &used, nullptr) != 1) std::abort();
    korvu_asn1_value_free(KORVU_TYPE_LDAPMESSAGE, m);
  }
  korvu_stream_free(s);
}

// The same messages as they arrive from a socket: 4 KiB reads fed to the ANY
// push decoder, each message decoded once it is complete.
__attribute__((noinline)) void run_korvu_push(const Bytes &in, int n) {
  KORVU_ASN1_DECODE_ANY_CTX *ctx = korvu_asn1_decode_any_ctx_new();
  size_t pos = 0;
  for (int done = 0; done < n;) {
    const size_t piece = std::min<size_t>(4096, in.size() - pos);
    uint32_t left = 0;
    if (ctx == nullptr || korvu_asn1_decode_any_update(ctx, in.data() + pos, static_cast<int32_t>(piece), &left) != 1)
      std::abort();
    pos += piece - left;
    if (korvu_asn1_decode_any_isfinish(ctx) != 1) continue;
    void *m = nullptr;
    if (korvu_asn1_decode_any_ctx_toobject(ctx, KORVU_TYPE_LDAPMESSAGE, &m, nullptr) != 1) std::abort();
    korvu_asn1_value_free(KORVU_TYPE_LDAPMESSAGE, m);
    korvu_asn1_decode_any_ctx_free(ctx);
    ctx = korvu_asn1_decode_any_ctx_new();
    done++;
  }
  korvu_asn1_decode_any_ctx_free(ctx);
}

__attribute__((noinline)) void run_tasn1(const std::vector<Bytes> &values) {
  for (const Bytes &b : values)
    if (!tasn1_peer::decode_free(b.data(), b.size(), "PKIXBench.Certificate")) std::abort();
}

__attribute__((noinline)) void run_openssl_crl(const Bytes &b) {
  const unsigned char *p = b.data();
  X509_CRL *crl = d2i_X509_CRL(nullptr, &p, static_cast<long>(b.size()));
  if (crl == nullptr) std::abort();
  X509_CRL_free(crl);
}

#ifdef KORVU_BENCH_LBER
__attribute__((noinline)) void run_lber(const Bytes &in, int n) {
  berval bv{in.size(), reinterpret_cast<char *>(const_cast<unsigned char *>(in.data()))};
  BerElement *ber = ber_init(&bv);
  for (int i = 0; i < n; i++) {
    ber_int_t id = 0;
    berval dn{}, type{};
    ber_len_t len = 0;
    char *last = nullptr;
    if (ber_scanf(ber, "{i{m", &id, &dn) == LBER_ERROR) std::abort();
    for (ber_tag_t t = ber_first_element(ber, &len, &last); t != LBER_DEFAULT; t = ber_next_element(ber, &len, last)) {
      BerVarray vals = nullptr;
      if (ber_scanf(ber, "{m[W]}", &type, &vals) == LBER_ERROR) std::abort();
      ber_bvarray_free(vals);
    }
  }
  ber_free(ber, 1);
}
#endif

}  // extern "C"

namespace {

std::vector<Bytes> bundle(const char *path) {
  std::vector<Bytes> out;
  FILE *f = std::fopen(path, "r");
  if (f == nullptr) return out;
  while (X509 *x = PEM_read_X509(f, nullptr, nullptr, nullptr)) {
    unsigned char *der = nullptr;
    const int n = i2d_X509(x, &der);
    if (n > 0) out.emplace_back(der, der + n);
    OPENSSL_free(der);
    X509_free(x);
  }
  std::fclose(f);
  return out;
}

Bytes read_file(const char *path) {
  Bytes b;
  FILE *f = std::fopen(path, "rb");
  if (f == nullptr) return b;
  for (int c; (c = std::fgetc(f)) != EOF;) b.push_back(static_cast<unsigned char>(c));
  std::fclose(f);
  return b;
}

}  // namespace

int main(int argc, char **argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const char *arg = argc > 2 ? argv[2] : nullptr;
  if (mode == "cert" || mode == "tasn1") {
    const std::vector<Bytes> certs = bundle(arg != nullptr ? arg : "/etc/ssl/certs/ca-certificates.crt");
    if (certs.empty()) return 2;
    std::fprintf(stderr, "%zu certificates\n", certs.size());
    if (mode == "cert") {
      run_korvu(certs, KORVU_TYPE_CERTIFICATE);
      return 0;
    }
    std::string error;
    if (!tasn1_peer::load(KORVU_BENCH_DIR "/pkix_bench.asn", error)) return 2;
    run_tasn1(certs);
    tasn1_peer::unload();
    return 0;
  }
  if ((mode == "crl" || mode == "osslcrl") && arg != nullptr) {
    const Bytes crl = read_file(arg);
    if (crl.empty()) return 2;
    if (mode == "crl")
      run_korvu({crl}, KORVU_TYPE_CERTIFICATELIST);
    else
      run_openssl_crl(crl);
    return 0;
  }
  const int n = arg != nullptr ? std::atoi(arg) : 200;
  if (mode == "ldap" && n > 0) {
    run_korvu_ldap(korvu_bench::entries(n), n);
    return 0;
  }
  if (mode == "ldappush" && n > 0) {
    run_korvu_push(korvu_bench::entries(n), n);
    return 0;
  }
#ifdef KORVU_BENCH_LBER
  if (mode == "lber" && n > 0) {
    run_lber(korvu_bench::entries(n), n);
    return 0;
  }
#endif
  std::fprintf(stderr, "usage: korvu_bench_instr cert|tasn1 [BUNDLE] | crl|osslcrl FILE | ldap|lber|ldappush [N]\n");
  return 2;
}
