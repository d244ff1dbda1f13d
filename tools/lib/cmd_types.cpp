#include "cmd_types.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <ostream>

#include "type_names.h"

namespace korvu::tool {

int run_types(Io &io, const std::string &word) {
  const std::vector<uint32_t> types = types_matching(word);
  for (uint32_t type : types) {
    const char *name = korvu_asn1_typename(type);
    char number[8];
    std::snprintf(number, sizeof number, "%3u", type);
    io.out << number << "  " << (name != nullptr ? name : "?");
    const std::string aliases = short_names(type);
    if (!aliases.empty()) io.out << "  [" << aliases << "]";
    if (korvu_asn1_hascodec(type) != 1) io.out << "  (no codec in this build)";
    io.out << "\n";
  }
  if (types.empty()) {
    io.err << "korvu-asn1: no type name contains \"" << word << "\"\n";
    return kExitDecodeFailed;
  }
  return kExitOk;
}

void add_types_command(CLI::App &app, Io &io) {
  CLI::App *sub = app.add_subcommand("types", "List the type numbers and their names");
  auto word = std::make_shared<std::string>();
  sub->add_option("word", *word, "Only the types whose name or short name contains this (any case)");
  sub->callback([&io, word] { io.status = run_types(io, *word); });
}

}  // namespace korvu::tool
