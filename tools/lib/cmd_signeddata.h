// korvu-asn1 signeddata: reads one signed message from a file or standard
// input with the streaming decoder and prints its wrapper kind, the offsets of
// its content info and signer infos, and the octets it took.
#ifndef KORVU_TOOL_CMD_SIGNEDDATA_H
#define KORVU_TOOL_CMD_SIGNEDDATA_H

#include <string>

#include "tool.h"

namespace korvu::tool {

// Prints, for a signed message:
//   wrapper: pkcs7 | gmt | bare
//   contentInfoOffset: <n>
//   contentInfoEndOffset: <n>
//   signerInfosOffset: <n>
//   consumed: <n>
// or "not a signed message" (exit status 1).
int run_signeddata(const std::string &path, Io &io);

void add_signeddata_command(CLI::App &app, Io &io);

}  // namespace korvu::tool

#endif
