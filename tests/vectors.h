// Hex vectors in tests/data: lines "TYPE CODE NAME: INPUT [=> OUTPUT]" ('#' starts a comment). CODE 0: the input
// decodes whole (from memory and from a file stream), is written as OUTPUT (the input when none is given), and each
// shorter prefix fails; otherwise decoding fails with CODE (or each of CODE,CODE...) in the error context and hands
// out nothing. `check`, when given, is called with each vector that decodes: type, name, value and OUTPUT.
#ifndef KORVU_TESTS_VECTORS_H
#define KORVU_TESTS_VECTORS_H

#include <functional>

#include "ocsp_peer.h"

namespace korvu_test {

using VectorCheck = std::function<void(uint32_t, const std::string &, const void *, const Bytes &)>;

inline void run_hex_vectors(const std::string &file_name, int want_good, int want_bad, const VectorCheck &check = {}) {
  std::ifstream file(KORVU_SOURCE_DIR "/tests/data/" + file_name);
  // One file per data file and process: ctest runs the vector tests side by side.
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_vector_" + file_name + "_" + std::to_string(getpid());
  int good = 0, bad = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream cells(line.substr(0, line.find(':')));
    uint32_t type = 0;
    std::string name, code;
    cells >> type >> code >> name;
    const std::string rest = line.substr(line.find(':') + 1);
    const size_t arrow = rest.find("=>");
    const Bytes in = hex(rest.substr(0, arrow)), want = arrow == std::string::npos ? in : hex(rest.substr(arrow + 2));
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(type, decode(type, in, ctx, &used));
    if (code != "0") {
      std::istringstream codes(code);
      for (std::string c; std::getline(codes, c, ',');)
        EXPECT_TRUE(v.v == nullptr && ctx.has(std::stoul(c, nullptr, 0))) << name << ": " << ::testing::PrintToString(ctx.codes());
      bad++;
      continue;
    }
    ASSERT_NE(v.v, nullptr) << name << ": " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(to_hex(encode(type, v.v)) + " " + std::to_string(used), to_hex(want) + " " + std::to_string(in.size()))
        << name;
    ocsp::write_file(tmp, in);
    Val f(type, ocsp::decode_file(type, tmp, ctx, &used));
    EXPECT_EQ(to_hex(encode(type, f.v)), to_hex(want)) << name << " from a file";
    if (check) check(type, name, v.v, want);
    for (size_t n = 0; n < in.size(); n++) {
      ErrCtx cut;
      Val c(type, decode(type, Bytes(in.begin(), in.begin() + static_cast<long>(n)), cut));
      EXPECT_TRUE(c.v == nullptr && cut.count() > 0) << name << " cut at " << n;
    }
    good++;
  }
  std::remove(tmp.c_str());
  EXPECT_EQ(std::to_string(good) + " " + std::to_string(bad),
            std::to_string(want_good) + " " + std::to_string(want_bad));
}

// The input of vector `name` of a file in that format (empty when there is none).
inline Bytes hex_vector(const std::string &file_name, const std::string &name) {
  std::ifstream file(KORVU_SOURCE_DIR "/tests/data/" + file_name);
  for (std::string line, type, code, n; std::getline(file, line);) {
    const size_t colon = line.find(':');
    if (line[0] != '#' && std::istringstream(line.substr(0, colon)) >> type >> code >> n && n == name)
      return hex(line.substr(colon + 1, line.find("=>") - colon - 1));
  }
  return {};
}

// A value built by `make` from the getters of the value at `p` (the rebuilding check of the constructors).
template <class M, class R, class T, class... G>
void *from_getters(const void *p, M make, R (*first)(const T *), G... rest) {
  const T *r = static_cast<const T *>(p);
  return make(first(r), rest(r)...);
}

// KORVU_FROM_GETTERS(p, korvu_x_, new, geta, getb) is from_getters(p, korvu_x_new, korvu_x_geta, korvu_x_getb), for
// one to seven getters.
#define KORVU_GETTERS1(X, a) X##a
#define KORVU_GETTERS2(X, a, ...) X##a, KORVU_GETTERS1(X, __VA_ARGS__)
#define KORVU_GETTERS3(X, a, ...) X##a, KORVU_GETTERS2(X, __VA_ARGS__)
#define KORVU_GETTERS4(X, a, ...) X##a, KORVU_GETTERS3(X, __VA_ARGS__)
#define KORVU_GETTERS5(X, a, ...) X##a, KORVU_GETTERS4(X, __VA_ARGS__)
#define KORVU_GETTERS6(X, a, ...) X##a, KORVU_GETTERS5(X, __VA_ARGS__)
#define KORVU_GETTERS7(X, a, ...) X##a, KORVU_GETTERS6(X, __VA_ARGS__)
#define KORVU_GETTERS_N(_1, _2, _3, _4, _5, _6, _7, N, ...) N
#define KORVU_FROM_GETTERS(p, X, make, ...)                                                                            \
  from_getters(p, X##make, KORVU_GETTERS_N(__VA_ARGS__, KORVU_GETTERS7, KORVU_GETTERS6, KORVU_GETTERS5, KORVU_GETTERS4, \
                                           KORVU_GETTERS3, KORVU_GETTERS2, KORVU_GETTERS1)(X, __VA_ARGS__))

}  // namespace korvu_test

#endif
