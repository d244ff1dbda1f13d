// Push decoders (OCTET STRING, ANY), the streaming OCTET STRING encoder and
// the unwrap tool function. The central property: feeding an encoding in
// pieces of any size gives the same result as feeding it whole, and where the
// pull decoders accept the same input they agree on every octet.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "core/push_internal.h"
#include "test_util.h"
#include "unwrap.h"

using namespace korvu_test;

namespace {

// ---- Feeding helpers -------------------------------------------------------

using Plan = std::vector<size_t>;  // piece sizes, summing to the input size

Plan plan_whole(size_t n) { return n == 0 ? Plan{} : Plan{n}; }
Plan plan_bytes(size_t n) { return Plan(n, 1); }
Plan plan_random(size_t n, std::mt19937_64 &rng) {
  Plan p;
  while (n > 0) {
    size_t max = rng() % 4 == 0 ? 64 : 7;
    size_t k = 1 + rng() % max;
    if (k > n) k = n;
    p.push_back(k);
    n -= k;
  }
  return p;
}

enum Status { kFailed = 0, kFinished = 1, kUnfinished = 2 };

struct OctResult {
  int status = kUnfinished;
  Bytes data;
  uint64_t consumed = 0;  // octets taken before the end of the encoding
  uint32_t encode_length = 0;
  bool operator==(const OctResult &) const = default;
};

std::ostream &operator<<(std::ostream &os, const OctResult &r) {
  return os << "{status " << r.status << ", data " << to_hex(r.data) << ", consumed " << r.consumed
            << ", length " << r.encode_length << "}";
}

Bytes stream_bytes(const KORVU_STREAM *s) {
  uint32_t n = 0;
  const unsigned char *p = korvu_memstream_data(s, &n);
  return p == nullptr ? Bytes{} : Bytes(p, p + n);
}

OctResult push_octets(const Bytes &in, const Plan &plan) {
  OctResult r;
  KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx = korvu_asn1_decode_octetstring_ctx_new();
  KORVU_STREAM *out = korvu_stream_new_mem(64, nullptr);
  size_t off = 0;
  for (size_t piece : plan) {
    uint32_t left = 99;
    if (korvu_asn1_decode_octetstring_update(ctx, out, in.data() + off, static_cast<int32_t>(piece), &left) != 1) {
      r.status = kFailed;
      EXPECT_EQ(left, 0u);
      break;
    }
    r.consumed += piece - left;
    off += piece;
    if (korvu_asn1_decode_octetstring_isfinish(ctx) == 1) {
      r.status = kFinished;
      break;
    }
    EXPECT_EQ(left, 0u) << "left-over reported before the end";
  }
  if (r.status == kFailed) r.consumed = 0;  // only the data written before failing is compared
  r.data = stream_bytes(out);
  r.encode_length = korvu_asn1_decode_octetstring_ctx_getencodelength(ctx);
  korvu_stream_free(out);
  korvu_asn1_decode_octetstring_ctx_free(ctx);
  return r;
}

// Pull decoding as OCTET STRING, the data read back with getall.
OctResult pull_octets(const Bytes &in) {
  OctResult r;
  ErrCtx err;
  uint32_t consumed = 0;
  auto *v = static_cast<KORVU_ASN1_OCTETSTRING *>(decode(KORVU_TYPE_OCTET_STRING, in, err, &consumed));
  if (v == nullptr) {
    r.status = kFailed;
    EXPECT_GT(err.count(), 0u) << "a failed pull decode reported nothing";
    return r;
  }
  uint32_t n = korvu_asn1_octetstring_getlength(v);
  Bytes data(n + 1);
  EXPECT_EQ(korvu_asn1_octetstring_getall(v, data.data()), 1);
  data.resize(n);
  korvu_asn1_value_free(KORVU_TYPE_OCTET_STRING, v);
  r.status = kFinished;
  r.data = data;
  r.consumed = consumed;
  r.encode_length = consumed;
  return r;
}

struct AnyResult {
  int status = kUnfinished;
  Bytes header, content;
  uint64_t consumed = 0;
  bool eoc = false;
  bool operator==(const AnyResult &) const = default;
};

std::ostream &operator<<(std::ostream &os, const AnyResult &r) {
  return os << "{status " << r.status << ", header " << to_hex(r.header) << ", content "
            << to_hex(r.content.data(), std::min<size_t>(r.content.size(), 48)) << (r.content.size() > 48 ? "..." : "")
            << ", consumed " << r.consumed << ", eoc " << r.eoc << "}";
}

AnyResult push_any(const Bytes &in, const Plan &plan) {
  AnyResult r;
  KORVU_ASN1_DECODE_ANY_CTX *ctx = korvu_asn1_decode_any_ctx_new();
  size_t off = 0;
  for (size_t piece : plan) {
    uint32_t left = 99;
    if (korvu_asn1_decode_any_update(ctx, in.data() + off, static_cast<int32_t>(piece), &left) != 1) {
      r.status = kFailed;
      break;
    }
    r.consumed += piece - left;
    off += piece;
    if (korvu_asn1_decode_any_isfinish(ctx) == 1) {
      r.status = kFinished;
      break;
    }
  }
  if (r.status == kFinished) {
    // What was collected only matters once the encoding is complete.
    r.header = stream_bytes(ctx->header);
    r.content = stream_bytes(ctx->content);
    r.eoc = korvu_asn1_decode_any_ctx_iseoc(ctx) == 1;
  } else {
    r.consumed = 0;
  }
  korvu_asn1_decode_any_ctx_free(ctx);
  return r;
}

AnyResult pull_any(const Bytes &in) {
  AnyResult r;
  ErrCtx err;
  uint32_t consumed = 0;
  auto *v = static_cast<KORVU_ASN1_ANY *>(decode(KORVU_TYPE_ANY, in, err, &consumed));
  if (v == nullptr) {
    r.status = kFailed;
    return r;
  }
  r.status = kFinished;
  r.consumed = consumed;
  r.eoc = korvu_asn1_any_iseoc(v) == 1;
  if (r.eoc) {
    r.header = hex("00 00");  // the push context keeps the octets it read
  } else {
    r.header = stream_bytes(v->header);
    r.content = stream_bytes(v->content);
  }
  korvu_asn1_value_free(KORVU_TYPE_ANY, v);
  return r;
}

// Checks split invariance and agreement with the pull decoder for one
// input; returns true when both push and pull accepted it.
template <class Result>
bool check(const Bytes &in, std::mt19937_64 &rng, bool bytewise, Result (*push)(const Bytes &, const Plan &),
           Result (*pull)(const Bytes &)) {
  const Result whole = push(in, plan_whole(in.size()));
  if (bytewise) {
    EXPECT_EQ(push(in, plan_bytes(in.size())), whole) << "one byte at a time: " << to_hex(in);
  }
  EXPECT_EQ(push(in, plan_random(in.size(), rng)), whole) << "random split: " << to_hex(in);
  const Result pulled = pull(in);
  if (whole.status != kFinished || pulled.status != kFinished) return false;
  EXPECT_EQ(whole, pulled) << "push and pull differ on " << to_hex(in);
  return true;
}
bool check_octets(const Bytes &in, std::mt19937_64 &rng, bool bytewise = true) {
  const OctResult whole = push_octets(in, plan_whole(in.size()));
  if (whole.status == kFinished) {
    EXPECT_EQ(whole.encode_length, whole.consumed) << to_hex(in);
  }
  return check(in, rng, bytewise, push_octets, pull_octets);
}
bool check_any(const Bytes &in, std::mt19937_64 &rng, bool bytewise = true) {
  return check(in, rng, bytewise, push_any, pull_any);
}

// ---- Generators of BER encodings -----------------------------------------

struct Gen {
  std::mt19937_64 rng;
  explicit Gen(uint64_t seed) : rng(seed) {}
  uint32_t below(uint32_t n) { return static_cast<uint32_t>(rng() % n); }

  // Minimal, or long form with leading zero octets (BER allows both).
  void length(Bytes &out, size_t len) {
    Bytes octets;
    for (size_t v = len; v != 0; v >>= 8) octets.insert(octets.begin(), static_cast<unsigned char>(v));
    uint32_t pad = below(5) == 0 ? 1 + below(2) : 0;
    if (len < 0x80 && pad == 0) {
      out.push_back(static_cast<unsigned char>(len));
      return;
    }
    out.push_back(static_cast<unsigned char>(0x80 | (octets.size() + pad)));
    out.insert(out.end(), pad, 0x00);
    out.insert(out.end(), octets.begin(), octets.end());
  }

  void random_bytes(Bytes &out, size_t n) {
    for (size_t k = 0; k < n; k++) out.push_back(static_cast<unsigned char>(rng()));
  }

  size_t data_size() { return below(8) == 0 ? below(700) : below(24); }

  // An OCTET STRING of random shape; its data is appended to `data`.
  void octet_string(Bytes &out, Bytes &data, int depth) {
    if (depth >= 5 || below(3) == 0) {
      size_t n = data_size();
      Bytes bytes;
      random_bytes(bytes, n);
      out.push_back(0x04);
      length(out, n);
      out.insert(out.end(), bytes.begin(), bytes.end());
      data.insert(data.end(), bytes.begin(), bytes.end());
      return;
    }
    Bytes inner;
    uint32_t children = below(5);
    for (uint32_t k = 0; k < children; k++) octet_string(inner, data, depth + 1);
    out.push_back(0x24);
    constructed_contents(out, inner);
  }

  // Definite or indefinite length, then the contents.
  void constructed_contents(Bytes &out, const Bytes &inner) {
    if (below(2) == 0) {
      length(out, inner.size());
      out.insert(out.end(), inner.begin(), inner.end());
    } else {
      out = cat_bytes({out, hex("80"), inner, hex("00 00")});
    }
  }

  void identifier(Bytes &out, uint32_t cls, bool constructed, uint32_t tag) {
    unsigned char first = static_cast<unsigned char>(cls | (constructed ? 0x20 : 0));
    if (tag < 31) {
      out.push_back(static_cast<unsigned char>(first | tag));
      return;
    }
    out.push_back(static_cast<unsigned char>(first | 0x1F));
    Bytes groups;
    for (uint32_t v = tag; v != 0; v >>= 7) groups.insert(groups.begin(), static_cast<unsigned char>(v & 0x7F));
    for (size_t k = 0; k + 1 < groups.size(); k++) groups[k] |= 0x80;
    out.insert(out.end(), groups.begin(), groups.end());
  }

  // An encoding of random tags that both decoders accept: universal tags
  // only in forms X.690 allows for them.
  void any(Bytes &out, int depth) {
    uint32_t cls = 0x40 * below(4);
    bool constructed = depth < 5 && below(5) < (depth == 0 ? 4u : 2u);
    uint32_t tag;
    if (cls == 0) {
      static const uint32_t kPrim[] = {1, 2, 4, 6, 12, 19};
      static const uint32_t kCons[] = {4, 16, 17, 12};
      tag = constructed ? kCons[below(4)] : kPrim[below(6)];
    } else {
      uint32_t kind = below(4);
      tag = kind == 0 ? 31 + below(0x1000000 - 31) : kind == 1 ? 31 + below(200) : below(31);
    }
    identifier(out, cls, constructed, tag);
    if (!constructed) {
      size_t n = data_size();
      length(out, n);
      random_bytes(out, n);
      return;
    }
    Bytes inner;
    uint32_t children = below(4);
    for (uint32_t k = 0; k < children; k++) any(inner, depth + 1);
    constructed_contents(out, inner);
  }

  // Damage of the kinds transmission and hostile senders produce.
  void mutate(Bytes &in) {
    if (in.empty()) return;
    switch (below(5)) {
      case 0: in[below(static_cast<uint32_t>(in.size()))] ^= static_cast<unsigned char>(1u << below(8)); break;
      case 1: in.resize(below(static_cast<uint32_t>(in.size()))); break;
      case 2: {
        static const unsigned char kNasty[] = {0x00, 0x80, 0xFF, 0x84, 0x24, 0x04, 0x1F};
        in[below(static_cast<uint32_t>(in.size()))] = kNasty[below(7)];
        break;
      }
      case 3: random_bytes(in, 1 + below(3)); break;
      default: in.insert(in.begin() + below(static_cast<uint32_t>(in.size())), static_cast<unsigned char>(rng())); break;
    }
  }
};

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

}  // namespace

// ---- Examples ---------------------------------------------------------------

// Good encodings give their data and encoding length, whole and one octet at
// a time; bad ones fail having written only the data octets before the fault.
TEST(PushOctetString, ExamplesAndRefusals) {
  struct Case {
    const char *in, *data;
    uint32_t length;  // 0: refused
  } cases[] = {
      {"04 03 41 42 43", "41 42 43", 5},
      {"04 01 41 EE EE", "41", 3},  // octets after the end are left over and not counted
      {"24 80 04 01 41 24 80 04 01 42 00 00 00 00", "41 42", 14},  // nested indefinite segments
      // Definite levels inside indefinite ones and the reverse, empty
      // segments, non-minimal lengths.
      {"24 80 24 09 04 00 04 81 02 41 42 24 00 24 80 04 01 43 00 00 00 00", "41 42 43", 22},
      {"04 00", "", 2},  // empty strings finish on their length octet
      {"24 00", "", 2},
      {"24 80 00 00", "", 4},
      {"02 01 05", "", 0},                    // not an OCTET STRING
      {"44 01 41", "", 0},                    // application class
      {"24 03 04 05 41 42 43 44 45", "", 0},  // segment longer than its level (short form)
      {"24 84 00 00 00 06 04 84 00 00 00 07 41", "", 0},  // the same in the long form
      {"24 04 04 01 41 04 01 42", "41", 0},   // a header octet past the end of the level
      {"24 80 04 01 41 02 01 42 00 00", "41", 0},  // a segment of another tag
      {"24 05 04 01 41 00 00", "41", 0},      // end-of-contents in a definite level
      {"04 80 41 00 00", "", 0},              // primitive indefinite
      {"04 FF", "", 0},                       // reserved length octet
      {"04 84 80 00 00 00", "", 0},           // length past 2^31 - 1
      {"24 80 04 01 41 00 01", "41", 0},      // bad end-of-contents
      {"24 80 24 02 04 01 41 00 00", "", 0},  // inner header overruns its level
  };
  for (const Case &c : cases) {
    const Bytes in = hex(c.in);
    const OctResult want{c.length ? kFinished : kFailed, hex(c.data), c.length, c.length ? c.length : 0xFFFFFFFFu};
    for (const Plan &plan : {plan_whole(in.size()), plan_bytes(in.size())}) EXPECT_EQ(push_octets(in, plan), want) << c.in;
  }
}

TEST(PushOctetString, ArgumentsAndFinalStates) {
  KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx = korvu_asn1_decode_octetstring_ctx_new();
  ASSERT_NE(ctx, nullptr);
  KORVU_STREAM *out = korvu_stream_new_mem(64, nullptr);
  Bytes in = hex("04 02 41 42 99 98");
  uint32_t left = 7;
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(nullptr, out, in.data(), 1, &left), 0);
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, nullptr, in.data(), 1, &left), 0);
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, in.data(), 1, nullptr), 0);
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, in.data(), -1, &left), 0);
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, nullptr, 1, &left), 0);
  // None of those touched the context; a count of 0 is a no-op.
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, nullptr, 0, &left), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_getencodelength(ctx), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, in.data(), 3, &left), 1);
  EXPECT_EQ(left, 0u);
  EXPECT_EQ(korvu_asn1_decode_octetstring_isfinish(ctx), 0);
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_getencodelength(ctx), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, in.data() + 3, 3, &left), 1);
  EXPECT_EQ(left, 2u);
  EXPECT_EQ(korvu_asn1_decode_octetstring_isfinish(ctx), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_getencodelength(ctx), 4u);
  // Finished: takes nothing more.
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, in.data(), 6, &left), 1);
  EXPECT_EQ(left, 6u);
  EXPECT_EQ(stream_bytes(out), hex("41 42"));
  korvu_asn1_decode_octetstring_ctx_free(ctx);

  // Failed is final, even for a count of 0.
  ctx = korvu_asn1_decode_octetstring_ctx_new();
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, in.data() + 4, 1, &left), 0);
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, in.data(), 6, &left), 0);
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out, in.data(), 0, &left), 0);
  EXPECT_EQ(korvu_asn1_decode_octetstring_isfinish(ctx), 0);
  korvu_asn1_decode_octetstring_ctx_free(ctx);
  korvu_asn1_decode_octetstring_ctx_free(nullptr);
  korvu_stream_free(out);
}

TEST(PushOctetString, SetStateForImplicitTags) {
  KORVU_STREAM *out = korvu_stream_new_mem(64, nullptr);
  uint32_t left = 0;
  Bytes data = hex("41 42 43 EE");

  // [0] IMPLICIT OCTET STRING: the caller read 80 03 itself.
  KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx = korvu_asn1_decode_octetstring_ctx_new();
  EXPECT_EQ(korvu_asn1_decode_octetstring_content_update(ctx, out, data.data(), 1, &left), 0);  // not in contents
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_setstate(ctx, 1, 3), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_setstate(ctx, 1, 3), 0);  // no longer fresh
  EXPECT_EQ(korvu_asn1_decode_octetstring_content_update(ctx, out, data.data(), 4, &left), 1);
  EXPECT_EQ(left, 1u);
  EXPECT_EQ(korvu_asn1_decode_octetstring_isfinish(ctx), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_getencodelength(ctx), 3u);  // contents only
  EXPECT_EQ(stream_bytes(out), hex("41 42 43"));
  korvu_asn1_decode_octetstring_ctx_free(ctx);

  // Constructed indefinite contents.
  KORVU_STREAM *out2 = korvu_stream_new_mem(64, nullptr);
  ctx = korvu_asn1_decode_octetstring_ctx_new();
  Bytes segs = hex("04 01 41 24 80 04 01 42 00 00 00 00");
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_setstate(ctx, 0, 0xFFFFFFFFu), 1);
  for (size_t k = 0; k < segs.size(); k++) {
    ASSERT_EQ(korvu_asn1_decode_octetstring_content_update(ctx, out2, &segs[k], 1, &left), 1) << k;
  }
  EXPECT_EQ(korvu_asn1_decode_octetstring_isfinish(ctx), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_getencodelength(ctx), 12u);
  EXPECT_EQ(stream_bytes(out2), hex("41 42"));
  korvu_asn1_decode_octetstring_ctx_free(ctx);

  // Contents state reached by reading the header; not allowed before it.
  ctx = korvu_asn1_decode_octetstring_ctx_new();
  Bytes whole = hex("04 02 43 44");
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out2, whole.data(), 1, &left), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_content_update(ctx, out2, whole.data() + 1, 1, &left), 0);
  EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out2, whole.data() + 1, 1, &left), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_content_update(ctx, out2, whole.data() + 2, 2, &left), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_isfinish(ctx), 1);
  EXPECT_EQ(stream_bytes(out2), hex("41 42 43 44"));
  korvu_asn1_decode_octetstring_ctx_free(ctx);

  // Refused states fail the context.
  for (auto [prim, len] : {std::pair<uint32_t, uint32_t>{1, 0xFFFFFFFFu}, {0, 0x80000000u}}) {
    ctx = korvu_asn1_decode_octetstring_ctx_new();
    EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_setstate(ctx, prim, len), 0);
    EXPECT_EQ(korvu_asn1_decode_octetstring_update(ctx, out2, whole.data(), 1, &left), 0);
    korvu_asn1_decode_octetstring_ctx_free(ctx);
  }
  // Length 0 finishes at once.
  ctx = korvu_asn1_decode_octetstring_ctx_new();
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_setstate(ctx, 0, 0), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_isfinish(ctx), 1);
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_getencodelength(ctx), 0u);
  korvu_asn1_decode_octetstring_ctx_free(ctx);
  EXPECT_EQ(korvu_asn1_decode_octetstring_ctx_setstate(nullptr, 1, 1), 0);
  korvu_stream_free(out);
  korvu_stream_free(out2);
}

// Every constructed level counts towards the depth limit, definite ones too.
// The pull ANY decoder copies definite contents unexamined, so there only
// push refuses them.
TEST(PushOctetString, DepthLimitCountsEveryConstructedLevel) {
  const int limit = korvu_get_recursive_level();
  ASSERT_GT(limit, 0);
  auto nested = [](Bytes inner, int levels, unsigned char id, bool definite) {
    for (int k = 0; k < levels; k++) inner = definite ? der_tlv(id, inner) : cat_bytes({{id, 0x80}, inner, {0, 0}});
    return inner;
  };
  for (bool definite : {false, true}) {
    const Bytes ok = nested(hex("04 01 41"), limit, 0x24, definite), deep = nested(ok, 1, 0x24, definite);
    const uint32_t n = static_cast<uint32_t>(ok.size());
    EXPECT_EQ(push_octets(ok, plan_whole(n)), (OctResult{kFinished, hex("41"), n, n})) << "definite " << definite;
    EXPECT_EQ(push_octets(deep, plan_whole(deep.size())), (OctResult{kFailed, {}, 0, 0xFFFFFFFFu})) << definite;
  }
  const Bytes fits = nested(hex("02 01 05"), limit, 0xA1, true), deep = der_tlv(0xA1, fits);
  EXPECT_EQ(push_any(fits, plan_whole(fits.size())).status, kFinished);
  EXPECT_EQ(push_any(deep, plan_whole(deep.size())).status, kFailed);
  EXPECT_EQ(pull_any(deep).status, kFinished);
}

TEST(PushAny, Examples) {
  // INTEGER 5, converted afterwards.
  KORVU_ASN1_DECODE_ANY_CTX *ctx = korvu_asn1_decode_any_ctx_new();
  ASSERT_NE(ctx, nullptr);
  Bytes in = hex("02 01 05");
  uint32_t left = 0;
  void *v = reinterpret_cast<void *>(1);
  ErrCtx err;
  EXPECT_EQ(korvu_asn1_decode_any_update(ctx, in.data(), 2, &left), 1);
  EXPECT_EQ(korvu_asn1_decode_any_ctx_toobject(ctx, KORVU_TYPE_INTEGER, &v, err), KORVU_ASN1_PUSH_NOT_FINISHED);
  EXPECT_EQ(v, nullptr);
  EXPECT_EQ(korvu_asn1_decode_any_update(ctx, in.data() + 2, 1, &left), 1);
  EXPECT_EQ(korvu_asn1_decode_any_isfinish(ctx), 1);
  EXPECT_EQ(korvu_asn1_decode_any_ctx_iseoc(ctx), 0);
  err.clear();
  ASSERT_EQ(korvu_asn1_decode_any_ctx_toobject(ctx, KORVU_TYPE_INTEGER, &v, err), 1);
  int32_t n = 0;
  EXPECT_EQ(korvu_asn1_integer_getlong(static_cast<KORVU_ASN1_INTEGER *>(v), &n), 1);
  EXPECT_EQ(n, 5);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, v);
  // The wrong type fails through the decoder, with its errors.
  EXPECT_NE(korvu_asn1_decode_any_ctx_toobject(ctx, KORVU_TYPE_BOOLEAN, &v, err), 1);
  EXPECT_EQ(v, nullptr);
  EXPECT_TRUE(err.has(0x1020A));
  EXPECT_EQ(korvu_asn1_decode_any_ctx_toobject(ctx, KORVU_TYPE_INTEGER, nullptr, err), 0);
  korvu_asn1_decode_any_ctx_free(ctx);

  // End-of-contents; indefinite contents keep the nested encodings and the
  // closing 00 00; multi-octet tag numbers, the greatest accepted one included.
  struct Case {
    const char *in, *header, *content;
    uint64_t consumed;
    bool eoc;
  } cases[] = {
      {"00 00 01", "00 00", "", 2, true},
      {"A0 80 30 03 02 01 05 00 00 FF", "A0 80", "30 03 02 01 05 00 00", 9, false},
      {"BF 81 00 00", "BF 81 00 00", "", 4, false},
      {"5F 87 FF FF 7F 01 AA", "5F 87 FF FF 7F 01", "AA", 7, false},
  };
  for (const Case &c : cases) {
    const Bytes in = hex(c.in);
    EXPECT_EQ(push_any(in, plan_bytes(in.size())), (AnyResult{kFinished, hex(c.header), hex(c.content), c.consumed, c.eoc}))
        << c.in;
  }
  EXPECT_EQ(push_any(hex("00 01"), plan_whole(2)).status, kFailed);

  for (const char *bad : {"1F 1E 00",        // short tag number in the long form
                          "5F 88 80 80 00 00",  // tag number 2^24
                          "02 80 00 00",     // primitive indefinite
                          "30 80 20 00 00 00",  // constructed universal tag 0
                          "30 02 02 05 00 00", "A0 80 02 01 05 00 01"}) {
    Bytes b = hex(bad);
    b.insert(b.end(), 8, 0x00);  // enough octets for any encoding to end
    EXPECT_EQ(push_any(b, plan_whole(b.size())).status, kFailed) << bad;
  }
}

TEST(PushAny, IdentifierLength) {
  KORVU_ASN1_DECODE_ANY_CTX *ctx = korvu_asn1_decode_any_ctx_new();
  Bytes in = hex("BF 81 00 80 02 01 05 00 00 EE");
  uint32_t cls = 9, prim = 9, tag = 9, len = 9, left = 9;
  EXPECT_EQ(korvu_asn1_decode_any_identifier_length(ctx, 1, in.data(), 2, &cls, &prim, &tag, &len, &left), 1);
  EXPECT_EQ(len, 0xFFFFFFFEu);  // header not complete yet
  EXPECT_EQ(left, 0u);
  EXPECT_EQ(korvu_asn1_decode_any_identifier_length(ctx, 1, in.data() + 2, 3, &cls, &prim, &tag, &len, &left), 0);
  EXPECT_EQ(korvu_asn1_decode_any_identifier_length(ctx, 0, in.data() + 2, 3, &cls, &prim, &tag, &len, &left), 1);
  EXPECT_EQ(cls, 0x80u);
  EXPECT_EQ(prim, 0u);
  EXPECT_EQ(tag, 128u);
  EXPECT_EQ(len, 0xFFFFFFFFu);
  EXPECT_EQ(left, 1u);  // the 02 after the header
  // Past the header, only update goes on.
  EXPECT_EQ(korvu_asn1_decode_any_identifier_length(ctx, 0, in.data() + 4, 1, &cls, &prim, &tag, &len, &left), 0);
  EXPECT_EQ(korvu_asn1_decode_any_update(ctx, in.data() + 4, 6, &left), 1);
  EXPECT_EQ(left, 1u);
  EXPECT_EQ(korvu_asn1_decode_any_isfinish(ctx), 1);
  EXPECT_EQ(stream_bytes(ctx->header), hex("BF 81 00 80"));
  EXPECT_EQ(stream_bytes(ctx->content), hex("02 01 05 00 00"));
  void *v = nullptr;
  ErrCtx err;
  ASSERT_EQ(korvu_asn1_decode_any_ctx_toobject(ctx, KORVU_TYPE_ANY, &v, err), 1);
  EXPECT_EQ(korvu_asn1_any_getcontentlength(static_cast<KORVU_ASN1_ANY *>(v)), 0xFFFFFFFFu);
  korvu_asn1_value_free(KORVU_TYPE_ANY, v);
  korvu_asn1_decode_any_ctx_free(ctx);

  // An encoding complete in its header.
  ctx = korvu_asn1_decode_any_ctx_new();
  Bytes empty = hex("30 00 01 02");
  EXPECT_EQ(korvu_asn1_decode_any_identifier_length(ctx, 1, empty.data(), 4, &cls, &prim, &tag, &len, &left), 1);
  EXPECT_EQ(tag, 16u);
  EXPECT_EQ(len, 0u);
  EXPECT_EQ(left, 2u);
  EXPECT_EQ(korvu_asn1_decode_any_isfinish(ctx), 1);
  korvu_asn1_decode_any_ctx_free(ctx);
}

// The push ANY decoder differs from the pull one on purpose: it walks
// definite constructed contents, has no universal tag/form table, stops tag
// numbers below 2^24 and counts definite levels towards the depth limit
// (above).
TEST(PushAny, DiffersFromPullWhereIntended) {
  struct Case {
    const char *in;
    int push;  // expected push status
    int pull;  // expected pull status
  };
  const Case cases[] = {
      {"0F 00", kFinished, kFailed},                    // universal 15: no table in push
      {"A0 80 0F 00 00 00", kFinished, kFailed},        // nested: pull checks the table there
      {"9F 88 80 80 00 00", kFailed, kFinished},        // tag number 2^24
      {"30 01 05 00", kFailed, kFinished},              // definite contents that are no encoding
      {"A0 04 02 05 00 00", kFailed, kFinished},        // nested length overruns the level
  };
  for (const Case &c : cases) {
    Bytes in = hex(c.in);
    EXPECT_EQ(push_any(in, plan_bytes(in.size())).status, c.push) << c.in;
    EXPECT_EQ(pull_any(in).status, c.pull) << c.in;
  }
}

TEST(StreamingEncoder, WritesSegmentsThatDecodeBack) {
  KORVU_STREAM *out = korvu_stream_new_mem(64, nullptr);
  std::mt19937_64 rng(3);
  Bytes a = hex("41 42 43"), b(200), c(70000);
  for (auto &x : b) x = static_cast<unsigned char>(rng());
  for (auto &x : c) x = static_cast<unsigned char>(rng());
  EXPECT_EQ(korvu_asn1_encode_octetstring_init(out), 1);
  EXPECT_EQ(korvu_asn1_encode_octetstring_update(out, a.data(), 3), 1);
  EXPECT_EQ(korvu_asn1_encode_octetstring_update(out, nullptr, 0), 1);
  EXPECT_EQ(korvu_asn1_encode_octetstring_update(out, b.data(), 200), 1);
  EXPECT_EQ(korvu_asn1_encode_octetstring_update(out, c.data(), 70000), 1);
  EXPECT_EQ(korvu_asn1_encode_octetstring_end(out), 1);
  const Bytes expected = cat_bytes({hex("24 80 04 03 41 42 43 04 00 04 81 C8"), b, hex("04 83 01 11 70"), c, hex("00 00")});
  Bytes got = stream_bytes(out);
  EXPECT_EQ(got, expected);
  const Bytes data = cat_bytes({a, b, c});
  OctResult r = push_octets(got, plan_random(got.size(), rng));
  EXPECT_EQ(r.status, kFinished);
  EXPECT_EQ(r.data, data);
  EXPECT_EQ(r.encode_length, got.size());
  EXPECT_EQ(pull_octets(got).data, data);

  EXPECT_EQ(korvu_asn1_encode_octetstring_init(nullptr), 0);
  EXPECT_EQ(korvu_asn1_encode_octetstring_update(out, nullptr, 1), 0);
  EXPECT_EQ(korvu_asn1_encode_octetstring_update(out, a.data(), -1), 0);
  EXPECT_EQ(korvu_asn1_encode_octetstring_end(nullptr), 0);
  EXPECT_EQ(stream_bytes(out), expected);  // refused calls wrote nothing
  korvu_stream_free(out);
}

// ---- Properties ---------------------------------------------------------------

// Random OCTET STRINGs and ANY encodings, intact (where the generator's own
// data is the truth) and damaged: split invariance and agreement with pull.
TEST(PushProperty, GeneratedEncodingsAndTheirDamage) {
  Gen g(0x5eed0001);
  int octets_agreed = 0, any_agreed = 0;
  const int cases = 3000;
  for (int k = 0; k < cases && !::testing::Test::HasFailure(); k++) {
    Bytes octets, data, any;
    g.octet_string(octets, data, 0);
    g.any(any, 0);
    if (k % 2 == 0) {
      const OctResult r = push_octets(octets, plan_random(octets.size(), g.rng));
      ASSERT_EQ(r, (OctResult{kFinished, data, octets.size(), static_cast<uint32_t>(octets.size())})) << to_hex(octets);
      const AnyResult a = push_any(any, plan_random(any.size(), g.rng));
      ASSERT_EQ(a.status, kFinished) << to_hex(any);
      ASSERT_EQ(cat_bytes({a.header, a.content}), any);
    } else {
      g.mutate(octets);
      g.mutate(any);
    }
    octets_agreed += check_octets(octets, g.rng);
    any_agreed += check_any(any, g.rng);
  }
  // Every intact case must be accepted by both.
  EXPECT_GE(octets_agreed, cases / 2);
  EXPECT_GE(any_agreed, cases / 2);
}

TEST(PushProperty, CorpusFiles) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  std::mt19937_64 rng(11);
  size_t files = 0, any_agreed = 0, octets_agreed = 0;
  for (const auto &entry : std::filesystem::recursive_directory_iterator(corpus_dir())) {
    if (!entry.is_regular_file()) continue;
    Bytes in = read_file(entry.path().string());
    if (in.empty()) continue;
    files++;
    bool small = in.size() <= 64 * 1024;
    if (check_any(in, rng, small)) any_agreed++;
    // Every OCTET STRING found by walking the file, with a few octets after it.
    std::vector<size_t> found;
    ber_walk(in, 0, in.size(), 0, 19, true, [&](size_t at, int) { found.push_back(at); });
    for (size_t off : found) {
      if (in[off] != 0x04 && in[off] != 0x24) continue;
      Bytes piece(in.begin() + off, in.begin() + std::min(in.size(), off + 4096));
      if (check_octets(piece, rng, piece.size() <= 512)) octets_agreed++;
    }
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "in " << entry.path();
      break;
    }
  }
  EXPECT_GT(files, 100u);
  EXPECT_GT(any_agreed, files / 2);
  EXPECT_GT(octets_agreed, 100u);
}

// ---- The unwrap tool function ---------------------------------------------

namespace {

struct Unwrapped {
  int result;
  std::string error;
  Bytes out;
  korvu::tool::UnwrapStats stats;
};

Unwrapped run_unwrap(const Bytes &in) {
  Unwrapped u;
  std::FILE *fi = std::tmpfile();
  std::FILE *fo = std::tmpfile();
  EXPECT_TRUE(fi != nullptr && fo != nullptr);
  if (!in.empty()) std::fwrite(in.data(), 1, in.size(), fi);
  std::rewind(fi);
  u.result = korvu::tool::unwrap(fi, fo, &u.error, &u.stats);
  std::rewind(fo);
  unsigned char buf[4096];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, fo)) > 0) u.out.insert(u.out.end(), buf, buf + got);
  std::fclose(fi);
  std::fclose(fo);
  return u;
}

}  // namespace

TEST(Unwrap, StreamsDataAndRejectsWhatIsNotOneOctetString) {
  // A nested string of several input chunks.
  Gen g(21);
  Bytes in = hex("24 80"), data;
  while (in.size() < 3 * korvu::tool::kUnwrapChunk) g.octet_string(in, data, 1);
  Bytes big(100000, 0x5A);
  in.push_back(0x04);
  g.length(in, big.size());
  in = cat_bytes({in, big, hex("00 00")});
  data = cat_bytes({data, big});
  Unwrapped u = run_unwrap(in);
  ASSERT_EQ(u.result, 1) << u.error;
  EXPECT_EQ(u.out, data);
  EXPECT_EQ(u.stats.consumed, in.size());
  EXPECT_EQ(u.stats.data, data.size());
  EXPECT_EQ(u.stats.encode_length, in.size());
  EXPECT_LE(u.stats.peak_buffered, korvu::tool::kUnwrapChunk);

  // Octets after the string, a cut string, nothing and another type are
  // refused; nothing is written for the last, whose first octet is wrong.
  const std::pair<Bytes, const char *> bad[] = {{cat_bytes({in, hex("00")}), "follow"},
                                                {Bytes(in.begin(), in.end() - 1), "ends inside"},
                                                {Bytes{}, ""},
                                                {hex("30 03 04 01 41"), "not a valid"}};
  for (const auto &[b, says] : bad) {
    u = run_unwrap(b);
    EXPECT_EQ(u.result, 0);
    EXPECT_FALSE(u.error.empty());
    EXPECT_NE(u.error.find(says), std::string::npos) << u.error;
  }
  EXPECT_TRUE(u.out.empty());
  EXPECT_EQ(korvu::tool::unwrap(nullptr, nullptr, nullptr), 0);
}

// More than 4 GiB of indefinite-length OCTET STRING, generated as it is read
// and checked as it is written, through the unwrap function. Release only:
// under sanitizers it would take far too long.
//
// Memory is measured as the growth of the process's peak resident set: the
// peak (VmHWM) is reset to the current resident size through
// /proc/self/clear_refs before the run, so the reading after it is the peak
// of this run alone; where that reset is not possible, the growth of
// getrusage's ru_maxrss is used (which can only under-report when an earlier
// test peaked higher). The function's own report of the most data it held
// at once is checked as well.
#if defined(__linux__)
namespace {

// The input: each step is literal octets followed by `data` octets of the
// repeating pattern (continued across steps).
struct Step {
  Bytes literal;
  uint64_t data = 0;
};

struct Sink {
  const Bytes *pattern = nullptr;
  uint64_t offset = 0;
  uint64_t mismatches = 0;
};

ssize_t sink_write(void *cookie, const char *buf, size_t size) {
  auto *s = static_cast<Sink *>(cookie);
  size_t done = 0;
  while (done < size) {
    uint64_t at = s->offset % s->pattern->size();
    size_t take = static_cast<size_t>(std::min<uint64_t>(size - done, s->pattern->size() - at));
    if (std::memcmp(buf + done, s->pattern->data() + at, take) != 0) s->mismatches++;
    done += take;
    s->offset += take;
  }
  return static_cast<ssize_t>(size);
}

long status_kb(const char *key) {
  std::ifstream f("/proc/self/status");
  std::string line;
  size_t n = std::strlen(key);
  while (std::getline(f, line)) {
    if (line.compare(0, n, key) == 0) return std::atol(line.c_str() + n);
  }
  return -1;
}

long maxrss_kb() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return ru.ru_maxrss;
}

}  // namespace

TEST(Unwrap, MoreThanFourGiBInBoundedMemory) {
#if !defined(NDEBUG)
  GTEST_SKIP() << "Release builds only";
#endif
  if (kSanitized) GTEST_SKIP() << "not under sanitizers";

  Bytes pattern((1u << 20) + 17);
  std::mt19937_64 rng(99);
  for (auto &b : pattern) b = static_cast<unsigned char>(rng());

  const uint64_t kSeg = 1u << 20;
  const Bytes seg_header = hex("04 83 10 00 00");
  std::vector<Step> steps{{hex("24 80")}};
  const int kSegments = 4100;  // 4100 MiB of data: the totals pass 2^32
  for (int k = 0; k < kSegments; k++) {
    if (k == kSegments / 2) steps.insert(steps.end(), {{hex("24 80 04 83 10 00 00"), kSeg}, {hex("00 00")}});
    steps.push_back({seg_header, kSeg});
  }
  // A nested definite level, well past the 4 GiB mark.
  steps.insert(steps.end(), {{hex("24 0C 04 04"), 4}, {hex("04 04"), 4}, {hex("00 00")}});
  uint64_t data = 0, encoding = 0;
  for (const Step &st : steps) {
    data += st.data;
    encoding += st.literal.size() + st.data;
  }
  ASSERT_GT(encoding, 0x100000000ull);

  // A thread writes the input into a pipe as the function reads it, and
  // stops when the reader is gone (with SIGPIPE ignored, writes then fail).
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const auto sigpipe = std::signal(SIGPIPE, SIG_IGN);  // restored below
  auto feed = [&] {
    std::FILE *w = fdopen(fds[1], "w");
    uint64_t at = 0;  // data octets written so far
    for (const Step &st : steps) {
      bool ok = std::fwrite(st.literal.data(), 1, st.literal.size(), w) == st.literal.size();
      for (uint64_t left = st.data, n; ok && left != 0; left -= n, at += n) {
        n = std::min<uint64_t>(left, pattern.size() - at % pattern.size());
        ok = std::fwrite(pattern.data() + at % pattern.size(), 1, n, w) == n;
      }
      if (!ok) break;
    }
    std::fclose(w);
  };
  Sink sink;
  sink.pattern = &pattern;
  std::FILE *in = fdopen(fds[0], "r");
  std::FILE *out = fopencookie(&sink, "w", cookie_io_functions_t{nullptr, sink_write, nullptr, nullptr});
  ASSERT_TRUE(in != nullptr && out != nullptr);

  bool peak_reset = false;
  {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    peak_reset = !clear.fail();
  }
  long rss_before = status_kb("VmRSS:");
  long maxrss_before = maxrss_kb();

  std::string error;
  korvu::tool::UnwrapStats stats;
  std::thread feeder(feed);
  int r = korvu::tool::unwrap(in, out, &error, &stats);
  std::fclose(in);
  std::fclose(out);
  feeder.join();
  std::signal(SIGPIPE, sigpipe);

  long growth_kb = peak_reset && rss_before >= 0 ? status_kb("VmHWM:") - rss_before : maxrss_kb() - maxrss_before;
  ASSERT_EQ(r, 1) << error;
  EXPECT_EQ(stats.consumed, encoding);
  EXPECT_EQ(stats.data, data);
  EXPECT_EQ(sink.offset, data);
  EXPECT_EQ(sink.mismatches, 0u);
  EXPECT_EQ(stats.encode_length, 0xFFFFFFFFu);  // the total does not fit 32 bits
  EXPECT_LE(stats.peak_buffered, korvu::tool::kUnwrapChunk);
  EXPECT_LT(growth_kb, 16 * 1024) << (peak_reset ? "VmHWM" : "ru_maxrss") << " growth";
  std::printf("[ unwrap  ] %llu octets, peak memory growth %ld KiB (%s)\n",
              static_cast<unsigned long long>(encoding), growth_kb, peak_reset ? "VmHWM" : "ru_maxrss");
}
#endif
