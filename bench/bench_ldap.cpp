// LDAP search results read as a client reads them: N SearchResultEntry messages (20 attributes of 1 to 3
// values each) concatenated, decoded one LDAPMessage after another and freed, against OpenLDAP's liblber
// (ber_init over the same octets, ber_scanf of the same structure). Time per message should stay flat
// from 1,000 to 100,000 messages.
//
// BM_Korvu pushes the received octets into a growable memory stream (one copy, as ber_init copies them
// into its BerElement) and reads the messages from it; BM_KorvuRomem reads them in place (the decode
// alone). BM_KorvuPushDecoder feeds them in 4 KiB reads to the ANY push decoder, which walks every
// nested header, and decodes each message once complete.
#include <benchmark/benchmark.h>
#include <lber.h>

#include <algorithm>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "ldap_messages.h"

namespace {

using korvu_bench::Bytes;
using korvu_bench::entries;

void per_message(benchmark::State &state) {
  state.counters["ns/message"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

// The messages read one after another from `s`, then the stream freed.
void read_messages(benchmark::State &state, KORVU_STREAM *s) {
  for (int64_t i = 0; i < state.range(0); i++) {
    void *m = nullptr;
    uint32_t used = 0;
    if (korvu_asn1_decode(s, KORVU_TYPE_LDAPMESSAGE, &m, &used, nullptr) != 1) state.SkipWithError("decode");
    benchmark::DoNotOptimize(m);
    korvu_asn1_value_free(KORVU_TYPE_LDAPMESSAGE, m);
  }
  korvu_stream_free(s);
}

void BM_Korvu(benchmark::State &state) {
  const Bytes in = entries(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    KORVU_STREAM *s = korvu_stream_new_mem(static_cast<uint32_t>(in.size()), nullptr);
    if (korvu_stream_writen(s, in.data(), static_cast<uint32_t>(in.size())) != 1) state.SkipWithError("push");
    read_messages(state, s);
  }
  per_message(state);
}

void BM_KorvuRomem(benchmark::State &state) {
  const Bytes in = entries(static_cast<int>(state.range(0)));
  for (auto _ : state) read_messages(state, korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size())));
  per_message(state);
}

void BM_KorvuPushDecoder(benchmark::State &state) {
  const Bytes in = entries(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    KORVU_ASN1_DECODE_ANY_CTX *ctx = korvu_asn1_decode_any_ctx_new();
    size_t pos = 0;
    for (int64_t done = 0; done < state.range(0) && ctx != nullptr;) {
      const size_t piece = std::min<size_t>(4096, in.size() - pos);
      uint32_t left = 0;
      if (korvu_asn1_decode_any_update(ctx, in.data() + pos, static_cast<int32_t>(piece), &left) != 1) {
        state.SkipWithError("push");
        break;
      }
      pos += piece - left;
      if (korvu_asn1_decode_any_isfinish(ctx) != 1) continue;
      void *m = nullptr;
      if (korvu_asn1_decode_any_ctx_toobject(ctx, KORVU_TYPE_LDAPMESSAGE, &m, nullptr) != 1) state.SkipWithError("decode");
      benchmark::DoNotOptimize(m);
      korvu_asn1_value_free(KORVU_TYPE_LDAPMESSAGE, m);
      korvu_asn1_decode_any_ctx_free(ctx);
      ctx = korvu_asn1_decode_any_ctx_new();
      done++;
    }
    korvu_asn1_decode_any_ctx_free(ctx);
  }
  per_message(state);
}

void BM_Liblber(benchmark::State &state) {
  const Bytes in = entries(static_cast<int>(state.range(0)));
  berval bv{in.size(), reinterpret_cast<char *>(const_cast<unsigned char *>(in.data()))};
  for (auto _ : state) {
    BerElement *ber = ber_init(&bv);
    for (int64_t i = 0; i < state.range(0); i++) {
      ber_int_t id = 0;
      berval dn{}, type{};
      ber_len_t len = 0;
      char *last = nullptr;
      if (ber_scanf(ber, "{i{m", &id, &dn) == LBER_ERROR) state.SkipWithError("ber_scanf");
      for (ber_tag_t t = ber_first_element(ber, &len, &last); t != LBER_DEFAULT; t = ber_next_element(ber, &len, last)) {
        BerVarray vals = nullptr;
        if (ber_scanf(ber, "{m[W]}", &type, &vals) == LBER_ERROR) state.SkipWithError("ber_scanf");
        ber_bvarray_free(vals);
      }
    }
    ber_free(ber, 1);
  }
  per_message(state);
}

BENCHMARK(BM_Korvu)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KorvuRomem)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KorvuPushDecoder)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Liblber)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
