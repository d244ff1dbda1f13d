// korvu-asn1 dump: the element tree of a BER/DER, PEM or Base64 input (see
// dump.h for the format).
#ifndef KORVU_TOOL_CMD_DUMP_H
#define KORVU_TOOL_CMD_DUMP_H

#include <string>

#include "tool.h"

namespace korvu::tool {

// kExitOk; kExitDecodeFailed for malformed input (the tree up to the bad
// element, then "error at offset N: reason"), an empty input or a broken
// PEM block; kExitNoInput when the file cannot be read.
int run_dump(const std::string &path, Io &io);

void add_dump_command(CLI::App &app, Io &io);

}  // namespace korvu::tool

#endif
