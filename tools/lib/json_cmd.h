// korvu-asn1 json: renders a BER/DER, PEM or Base64 input as an indented JSON
// tree of typed nodes. korvu-asn1 encode: encodes such a tree back into DER
// (or whatever octets its "user defined" entries ask for).
#ifndef KORVU_TOOL_JSON_CMD_H
#define KORVU_TOOL_JSON_CMD_H

#include <string>

#include "tool.h"

namespace korvu::tool {

struct JsonOptions {
  std::string file;  // "-" for standard input
  int indent = 2;    // 0: one line
};

struct EncodeOptions {
  std::string file;       // JSON text, "-" for standard input
  std::string output;     // empty: standard output
  bool hex = false;       // upper-case hexadecimal text instead of octets
  std::string pem_label;  // non-empty: PEM text with this label
};

// Exit status: kExitOk, or kExitDecodeFailed with a message on io.err that
// says what failed and where (an octet offset of the input for json, the
// JSON path of the node for encode).
int run_json(const JsonOptions &options, Io &io);
int run_encode(const EncodeOptions &options, Io &io);

void add_json_command(CLI::App &app, Io &io);
void add_encode_command(CLI::App &app, Io &io);

}  // namespace korvu::tool

#endif
