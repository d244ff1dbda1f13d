#include "cmd_dump.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>
#include <vector>

#include "dump.h"
#include "input.h"

namespace korvu::tool {

int run_dump(const std::string &path, Io &io) {
  std::vector<unsigned char> raw;
  std::string error;
  if (!read_source(path, io.in, raw, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitNoInput;
  }
  LoadedInput input;
  if (!load_input(raw, input, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitDataErr;
  }
  if (input.bytes.empty()) {
    io.err << "korvu-asn1: " << (path == "-" ? "standard input" : path) << " holds no encoding\n";
    return kExitDataErr;
  }
  std::string text;
  const DumpResult r = dump(input.bytes.data(), input.bytes.size(), text);
  io.out << text;
  if (!r.ok) {
    io.out << "error at offset " << r.error_offset << ": " << r.error << "\n";
    io.out.flush();
    io.err << "korvu-asn1: malformed encoding at offset " << r.error_offset << ": " << r.error << "\n";
    return kExitDataErr;
  }
  io.out.flush();
  return kExitOk;
}

void add_dump_command(CLI::App &app, Io &io) {
  CLI::App *sub = app.add_subcommand(
      "dump", "Print the element tree of a BER/DER, PEM or Base64 input: offsets, lengths, tags and values");
  auto path = std::make_shared<std::string>();
  sub->add_option("file", *path, "Input file, or - for standard input")->required();
  sub->callback([&io, path] { io.status = run_dump(*path, io); });
}

}  // namespace korvu::tool
