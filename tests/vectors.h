// Hex vectors in tests/data: lines "TYPE CODE NAME: INPUT [=> OUTPUT]" ('#' starts a comment). CODE 0: the input
// decodes whole (from memory and from a file stream), is written as OUTPUT (the input when none is given), and each
// shorter prefix fails; otherwise decoding fails with CODE in the error context and hands out nothing.
#ifndef KORVU_TESTS_VECTORS_H
#define KORVU_TESTS_VECTORS_H

#include "ocsp_peer.h"

namespace korvu_test {

inline void run_hex_vectors(const std::string &file_name, int want_good, int want_bad) {
  std::ifstream file(KORVU_SOURCE_DIR "/tests/data/" + file_name);
  const std::string tmp = std::string(::testing::TempDir()) + "/korvu_vector.der";
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
      EXPECT_TRUE(v.v == nullptr && ctx.has(std::stoul(code, nullptr, 0)))
          << name << ": " << ::testing::PrintToString(ctx.codes());
      bad++;
      continue;
    }
    ASSERT_NE(v.v, nullptr) << name << ": " << ::testing::PrintToString(ctx.codes());
    EXPECT_EQ(to_hex(encode(type, v.v)) + " " + std::to_string(used), to_hex(want) + " " + std::to_string(in.size()))
        << name;
    ocsp::write_file(tmp, in);
    Val f(type, ocsp::decode_file(type, tmp, ctx, &used));
    EXPECT_EQ(to_hex(encode(type, f.v)), to_hex(want)) << name << " from a file";
    for (size_t n = 0; n < in.size(); n++) {
      ErrCtx cut;
      Val c(type, decode(type, Bytes(in.begin(), in.begin() + static_cast<long>(n)), cut));
      EXPECT_TRUE(c.v == nullptr && cut.count() > 0) << name << " cut at " << n;
    }
    good++;
  }
  EXPECT_EQ(std::to_string(good) + " " + std::to_string(bad),
            std::to_string(want_good) + " " + std::to_string(want_bad));
}

}  // namespace korvu_test

#endif
