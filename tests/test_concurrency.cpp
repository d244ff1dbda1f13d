// Several threads decode, encode, copy and render the same encodings at once
// and must each get exactly what one thread alone gets. Run under
// ThreadSanitizer (fuzz/run_tsan.sh) this also shows that the library keeps no
// shared mutable state.
#include <algorithm>
#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "core/internal.h"
#include "korvu/asn1_json.h"
#include "korvu/util_json.h"
#include "test_util.h"
#include "tools/lib/input.h"

#pragma weak korvu_asn1_tojson

namespace {

using korvu_test::Bytes;

struct Item {
  std::string name;
  uint32_t type;
  Bytes der;
};

bool type_exists(uint32_t t) {
  const korvu::TypeDesc *d = korvu::type_desc(t);
  return d != nullptr && d->ops != nullptr;
}

// What one pass computes for an item: the encoding of the decoded value, of
// its copy, and the JSON text of the input ("-" for each step that failed).
std::string process(const Item &it) {
  std::string out;
  korvu_test::ErrCtx ctx;
  uint32_t used = 0;
  void *v = korvu_test::decode(it.type, it.der, ctx, &used);
  if (v == nullptr) {
    out = "refused " + std::to_string(ctx.count());
  } else {
    out = std::to_string(used) + ":" + korvu_test::to_hex(korvu_test::encode(it.type, v));
    void *copy = korvu_asn1_dupobject(it.type, v, ctx);
    out += copy ? "|" + korvu_test::to_hex(korvu_test::encode(it.type, copy)) : "|-";
    if (copy) korvu_asn1_value_free(it.type, copy);
    out += "|" + std::to_string(korvu_asn1_length(it.type, v));
    korvu_asn1_value_free(it.type, v);
  }
  if (&korvu_asn1_tojson != nullptr && it.type == KORVU_TYPE_ANY) {
    korvu_test::JsonPtr tree(korvu_asn1_tojson(it.der.data(), static_cast<int32_t>(it.der.size())));
    out += "|" + (tree ? korvu_test::json_text(tree.get()) : "-");
  }
  return out;
}

void add_encoding(std::vector<Item> &items, const std::string &name, const Bytes &der, uint32_t own_type) {
  if (der.empty() || der.size() > 0x7FFFFFFF) return;
  items.push_back({name, KORVU_TYPE_ANY, der});
  if (own_type != KORVU_TYPE_ANY && type_exists(own_type)) items.push_back({name, own_type, der});
}

// Every third corpus file as its manifest labels it, decoded as ANY and as
// its own type when it is linked; plus every other block of the CA bundle
// (a sample keeps the test short under ThreadSanitizer).
std::vector<Item> load_items() {
  std::vector<Item> items;
  std::map<std::string, uint32_t> by_name;
  for (uint32_t t = 0; t < korvu::kTypeCount; t++)
    if (const char *n = korvu_asn1_typename(t)) by_name.emplace(n, t);

  const std::vector<korvu_test::ManifestRow> rows = korvu_test::corpus_manifest();
  for (size_t i = 0; i < rows.size(); i += 3) {
    korvu::tool::LoadedInput in;
    std::string error;
    if (!korvu::tool::load_input(korvu_test::read_file(korvu_test::corpus_dir() + "/" + rows[i].path), in, error))
      continue;
    auto t = by_name.find(rows[i].type);
    add_encoding(items, rows[i].path, in.bytes, t == by_name.end() ? KORVU_TYPE_ANY : t->second);
  }
  Bytes bundle = korvu_test::read_file("/etc/ssl/certs/ca-certificates.crt");
  std::string text(bundle.begin(), bundle.end());
  size_t block = 0;
  for (size_t pos = text.find("-----BEGIN "); pos != std::string::npos; pos = text.find("-----BEGIN ", pos + 11)) {
    if (block++ % 2 != 0) continue;
    korvu::tool::LoadedInput in;
    std::string error;
    if (korvu::tool::load_input(bundle.data() + pos, bundle.size() - pos, in, error))
      add_encoding(items, "ca-bundle@" + std::to_string(pos), in.bytes, KORVU_TYPE_CERTIFICATE);
  }
  return items;
}

TEST(Concurrency, ThreadsDecodeEncodeCopyAndRenderLikeOneThread) {
  if (!korvu_test::have_corpus()) GTEST_SKIP() << "corpus folder missing";
  const std::vector<Item> items = load_items();
  ASSERT_GT(items.size(), 100u);

  std::vector<std::string> reference(items.size());
  size_t accepted = 0;
  for (size_t i = 0; i < items.size(); i++) {
    reference[i] = process(items[i]);
    if (reference[i].rfind("refused", 0) != 0) accepted++;
  }
  // Most of the corpus is well formed: a run where nothing decodes proves
  // nothing about concurrent decoding.
  EXPECT_GT(accepted, items.size() / 2);

  constexpr int kThreads = 4;
  std::vector<std::vector<std::string>> results(kThreads, std::vector<std::string>(items.size()));
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; t++) {
    threads.emplace_back([&, t] {
      ready++;
      while (ready.load() < kThreads) std::this_thread::yield();
      // Each thread starts at another place so that the same encodings are
      // in flight on several threads at once, in different orders.
      const size_t n = items.size();
      for (size_t k = 0; k < n; k++) {
        size_t i = (k + t * n / kThreads) % n;
        results[t][i] = process(items[i]);
      }
    });
  }
  for (auto &th : threads) th.join();

  for (int t = 0; t < kThreads; t++) {
    size_t differing = 0;
    for (size_t i = 0; i < items.size(); i++) {
      if (results[t][i] == reference[i]) continue;
      if (differing++ < 5)
        ADD_FAILURE() << "thread " << t << ", " << items[i].name << " as type " << items[i].type << ": got "
                      << results[t][i].substr(0, 200) << " instead of " << reference[i].substr(0, 200);
    }
    EXPECT_EQ(differing, 0u) << "thread " << t;
  }
}

}  // namespace
