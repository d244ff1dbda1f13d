// Every type a source file registers (KORVU_REGISTER_TYPE / KORVU_REGISTER_STRUCT by its KORVU_TYPE_ name)
// has a codec in this build: a family folder whose sources the build does not compile, or a table that is
// not linked, fails here with the folder, the file and the type named.
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "test_util.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path &p) {
  std::ifstream f(p);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// KORVU_TYPE_ name -> number, from the generated header.
std::map<std::string, uint32_t> type_numbers() {
  std::map<std::string, uint32_t> m;
  const std::string h = slurp(fs::path(KORVU_SOURCE_DIR) / "include/korvu/asn1_types.h");
  const std::regex def(R"(#define (KORVU_TYPE_\w+) (\d+))");
  for (auto it = std::sregex_iterator(h.begin(), h.end(), def); it != std::sregex_iterator(); ++it)
    m[(*it)[1]] = static_cast<uint32_t>(std::stoul((*it)[2]));
  return m;
}

}  // namespace

TEST(Families, EveryRegisteredTypeHasItsCodec) {
  const auto numbers = type_numbers();
  ASSERT_GT(numbers.size(), 400u);
  const std::regex reg(R"(KORVU_REGISTER_(?:TYPE|STRUCT)\((KORVU_TYPE_\w+))");
  const std::set<std::string> not_families = {"build", "tests", "fuzz", "bench", "tools", "scripts", "docs", "include"};
  size_t checked = 0;
  std::set<std::string> folders;
  for (const auto &dir : fs::directory_iterator(KORVU_SOURCE_DIR)) {
    const std::string name = dir.path().filename().string();
    if (!dir.is_directory() || name[0] == '.' || not_families.count(name)) continue;
    for (const auto &file : fs::recursive_directory_iterator(dir.path())) {
      if (file.path().extension() != ".cpp") continue;
      const std::string text = slurp(file.path());
      for (auto it = std::sregex_iterator(text.begin(), text.end(), reg); it != std::sregex_iterator(); ++it) {
        const auto n = numbers.find((*it)[1]);
        ASSERT_NE(n, numbers.end()) << (*it)[1] << " in " << file.path();
        EXPECT_EQ(korvu_asn1_hascodec(n->second), 1)
            << n->first << " is registered in " << file.path() << " but has no codec in this build "
            << "(is the folder '" << name << "' in the library's source list?)";
        folders.insert(name);
        checked++;
      }
    }
  }
  EXPECT_GT(checked, 150u);
  EXPECT_TRUE(folders.count("x509") && folders.count("cms") && folders.count("types"));
}
