// korvu-asn1 decode: decodes a file as one type number and reports how much
// of it the encoding took; --check also re-encodes and compares.
#ifndef KORVU_TOOL_CMD_DECODE_H
#define KORVU_TOOL_CMD_DECODE_H

#include <cstdint>
#include <string>

#include "tool.h"

namespace korvu::tool {

struct DecodeOptions {
  uint32_t type = 0;
  bool detect = false;  // no --type: find the type from the PEM label and the top-level types
  std::string file;  // "-" for standard input
  bool check = false;
  bool der = false;  // list every departure from DER; exit status 0 only for DER
  size_t block = 0;  // --block N: decode only the Nth PEM block (from 1); 0: the usual choice
  bool all = false;  // --all: every PEM block in turn
  bool summary = false;  // certificates (type 39): also print a summary
  bool each = false;     // a series of values, one after another (LDAP traffic)
};

// Exit status: kExitOk, kExitDecodeFailed, kExitRoundTripDiffers (re-encoding
// differs or fails, or the input is not DER under --check or --der),
// kExitNoInput or kExitSoftware.
int run_decode(const DecodeOptions &options, Io &io);

// --each: decodes consecutive values while a header can be read and prints, per value, its offset, length
// and result ("offset O: N octets: ok", or "offset O: failed: CODE ..." and the value skipped by its
// length when that is definite); kExitDecodeFailed when any failed.
int run_decode_each(const DecodeOptions &options, Io &io);

// Whether --summary knows the type.
bool has_summary(uint32_t type);

void add_decode_command(CLI::App &app, Io &io);

}  // namespace korvu::tool

#endif
