#include "cmd_unwrap.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cstdio>
#include <ostream>

#include <filesystem>

#include "progress.h"
#include "unwrap.h"

namespace korvu::tool {

int run_unwrap(const std::string &path, Io &io) {
  std::error_code ec;
  if (path != "-" && std::filesystem::is_directory(path, ec)) {
    io.err << "korvu-asn1: cannot read " << path << ": it is a directory\n";
    return kExitNoInput;
  }
  std::FILE *in = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    io.err << "korvu-asn1: cannot read " << path << "\n";
    return kExitNoInput;
  }
  std::string error;
  io.out.flush();
  const uint64_t total = file_size(fileno(in));
  Progress progress(io.err, "unwrap", total, progress_wanted(total, STDERR_FILENO));
  int ok = unwrap(in, stdout, &error, nullptr, [&progress](uint64_t done) { progress.update(done); });
  progress.finish(total);
  std::fflush(stdout);
  if (in != stdin) std::fclose(in);
  if (ok != 1) {
    io.err << "korvu-asn1: unwrap failed: " << error << "\n";
    return kExitDataErr;
  }
  return kExitOk;
}

void add_unwrap_command(CLI::App &app, Io &io) {
  CLI::App *sub = app.add_subcommand(
      "unwrap", "Write the data of an OCTET STRING (primitive or constructed, any length form) as it arrives");
  auto path = std::make_shared<std::string>("-");
  sub->add_option("file", *path, "Input file, or - for standard input")->capture_default_str();
  sub->callback([&io, path] { io.status = run_unwrap(*path, io); });
}

}  // namespace korvu::tool
