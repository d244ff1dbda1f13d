// Shared plumbing of the korvu-asn1 subcommands.
//
// A subcommand lives in tools/lib as a pair of functions: one that does the
// work given parsed options and an Io (easy to call from tests and fuzzers),
// and one that registers it with the CLI11 application:
//
//     void add_xxx_command(CLI::App &app, Io &io);
//
// main.cpp calls each add_xxx_command once; the callback stores the exit
// status in io.status, which run_app hands back.
#ifndef KORVU_TOOL_TOOL_H
#define KORVU_TOOL_TOOL_H

#include <cstdint>
#include <iosfwd>
#include <string>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"

namespace CLI {
class App;
}

namespace korvu::tool {

// Exit statuses (sysexits.h values for usage and input errors).
enum ExitStatus : int {
  kExitOk = 0,
  kExitDecodeFailed = 1,
  kExitRoundTripDiffers = 2,
  kExitUsage = 64,    // EX_USAGE: bad command line
  kExitDataErr = 65,  // EX_DATAERR: the input does not decode
  kExitNoInput = 66,  // EX_NOINPUT: the input file cannot be read
  kExitUnavailable = 69,  // EX_UNAVAILABLE: the type has no codec in this build
  kExitSoftware = 70, // EX_SOFTWARE: internal failure (out of memory ...)
  kExitCantCreate = 73,  // EX_CANTCREAT: the output file cannot be written
};

struct Io {
  std::istream &in;
  std::ostream &out;
  std::ostream &err;
  int status = kExitOk;
  bool verbose = false;  // --verbose: error entries carry their source file and line
};

// Parses the command line and runs the chosen subcommand. Command-line
// errors print CLI11's message and give kExitUsage; --help gives kExitOk.
int run_app(CLI::App &app, int argc, const char *const *argv, Io &io);

// "24 (SEQUENCE OF ANY)"
std::string type_label(uint32_t type);
// "SEQUENCE OF ANY (24)"
std::string type_name_label(uint32_t type);

// Writes every entry of `ctx`, oldest (innermost) first, one per line:
//   "  error 0x1020A: incorrect item"
// and with `verbose` the entry's source and line after it:
//   "  error 0x1020A: incorrect item (KORVU_ASN1_Decode:123)"
void print_errors(const KORVU_ERR_CTX *ctx, std::ostream &err, bool verbose = false);

// The message of the oldest (innermost) entry of `ctx`, or "" when it has none.
std::string first_error(const KORVU_ERR_CTX *ctx);

// Adds -v/--verbose to a subcommand, setting io.verbose.
void add_verbose_flag(CLI::App *sub, Io &io);

// Upper-case hex of up to `limit` octets, space separated, "..." when cut.
std::string hex_preview(const unsigned char *p, size_t n, size_t limit = 32);

}  // namespace korvu::tool

#endif
