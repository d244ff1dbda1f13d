#include "cmd_types.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <ostream>

namespace korvu::tool {

int run_types(Io &io) {
  for (uint32_t type = 0; type < KORVU_TYPE_COUNT; type++) {
    const char *name = korvu_asn1_typename(type);
    char number[8];
    std::snprintf(number, sizeof number, "%3u", type);
    io.out << number << "  " << (name != nullptr ? name : "?") << "\n";
  }
  return kExitOk;
}

void add_types_command(CLI::App &app, Io &io) {
  CLI::App *sub = app.add_subcommand("types", "List the type numbers and their names");
  sub->callback([&io] { io.status = run_types(io); });
}

}  // namespace korvu::tool
