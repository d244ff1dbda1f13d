// korvu-asn1 types: lists the type numbers and their names.
#ifndef KORVU_TOOL_CMD_TYPES_H
#define KORVU_TOOL_CMD_TYPES_H

#include "tool.h"

namespace korvu::tool {

int run_types(Io &io);

void add_types_command(CLI::App &app, Io &io);

}  // namespace korvu::tool

#endif
