// korvu-asn1 unwrap: writes the data of an OCTET STRING encoding read from a
// file or standard input, as it arrives, in bounded memory.
#ifndef KORVU_TOOL_CMD_UNWRAP_H
#define KORVU_TOOL_CMD_UNWRAP_H

#include <string>

#include "tool.h"

namespace korvu::tool {

int run_unwrap(const std::string &path, Io &io);

void add_unwrap_command(CLI::App &app, Io &io);

}  // namespace korvu::tool

#endif
