// korvu-asn1 types [WORD]: lists the type numbers and their names, with
// their short names in brackets and a mark on types this build has no codec
// for; WORD keeps the types whose name or short name contains it.
#ifndef KORVU_TOOL_CMD_TYPES_H
#define KORVU_TOOL_CMD_TYPES_H

#include <string>

#include "tool.h"

namespace korvu::tool {

// kExitOk, or kExitDecodeFailed when no type matches `word`.
int run_types(Io &io, const std::string &word = "");

void add_types_command(CLI::App &app, Io &io);

}  // namespace korvu::tool

#endif
