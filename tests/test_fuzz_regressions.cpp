// Replays the inputs the fuzzers once broke (tests/fuzz_regressions/) under
// the same checks the harnesses apply. A file named <harness>-<anything> is
// fed to that harness's check.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/checks.h"
#include "test_util.h"

namespace {

namespace fs = std::filesystem;

std::string run_check(const std::string &harness, const korvu_test::Bytes &in) {
  if (harness == "registry") return korvu_fuzz::check_registry(in.data(), in.size());
  if (harness == "json") return korvu_fuzz::check_json(in.data(), in.size());
  if (harness == "push") return korvu_fuzz::check_push_input(in.data(), in.size());
  if (harness == "text") return korvu_fuzz::check_text(in.data(), in.size());
  return "no harness named " + harness;
}

TEST(FuzzRegressions, EverySavedInputPassesItsHarnessChecks) {
  const fs::path dir = fs::path(KORVU_SOURCE_DIR) / "tests" / "fuzz_regressions";
  std::vector<fs::path> files;
  for (const auto &e : fs::directory_iterator(dir))
    if (e.is_regular_file() && e.path().filename().string().find('-') != std::string::npos) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  if (files.empty()) GTEST_SKIP() << "no saved fuzz findings";
  for (const fs::path &f : files) {
    const std::string name = f.filename().string();
    const std::string harness = name.substr(0, name.find('-'));
    korvu_test::Bytes in = korvu_test::read_file(f.string());
    EXPECT_EQ(run_check(harness, in), "") << name << ": " << korvu_test::to_hex(in);
  }
}

// The checks themselves must catch what they claim to: a kept-encoding value
// that is re-encoded differently, and a decoder result that outlives failure.
TEST(FuzzRegressions, ChecksAcceptSoundInputsAndNameBrokenOnes) {
  // INTEGER 5 selected as KORVU_TYPE_INTEGER (00 02) passes; a truncated one
  // is refused cleanly.
  korvu_test::Bytes ok = korvu_test::hex("00 02 02 01 05");
  EXPECT_EQ(korvu_fuzz::check_registry(ok.data(), ok.size()), "");
  korvu_test::Bytes cut = korvu_test::hex("00 02 02 05 05");
  EXPECT_EQ(korvu_fuzz::check_registry(cut.data(), cut.size()), "");
  // Any type number selects modulo 450 and unknown rows are skipped.
  korvu_test::Bytes high = korvu_test::hex("FF FF 02 01 05");
  EXPECT_EQ(korvu_fuzz::check_registry(high.data(), high.size()), "");

  // A value whose encoding differs from the octets it was read from is
  // reported when its type keeps encodings, and not otherwise.
  korvu_test::Bytes der = korvu_test::hex("02 01 05");
  korvu_test::Bytes other = korvu_test::hex("02 02 00 05");
  void *v = nullptr;
  ASSERT_EQ(korvu_asn1_mem_decode(der.data(), 3, KORVU_TYPE_INTEGER, &v), 3u);
  korvu_fuzz::Bytes enc;
  EXPECT_EQ(korvu_fuzz::check_decoded_value(KORVU_TYPE_INTEGER, v, other.data(), other.size(), enc), "");
  EXPECT_EQ(enc, der);
  EXPECT_TRUE(korvu_fuzz::is_kept_type(KORVU_TYPE_CERTIFICATE));
  EXPECT_FALSE(korvu_fuzz::is_kept_type(KORVU_TYPE_INTEGER));
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, v);

  // The push check replays the same split for the same seed octets.
  korvu_test::Bytes push = korvu_test::hex("01 00 07 24 80 04 02 AA BB 04 01 CC 00 00");
  EXPECT_EQ(korvu_fuzz::check_push(push.data(), push.size()), "");
  korvu_fuzz::PushResult r = korvu_fuzz::push_decode(true, push.data() + 3, static_cast<uint32_t>(push.size() - 3), nullptr);
  EXPECT_TRUE(r.finished);
  EXPECT_EQ(r.consumed, push.size() - 3);
  EXPECT_EQ(korvu_test::to_hex(r.data.data(), r.data.size()), "AA BB CC");
}

}  // namespace
