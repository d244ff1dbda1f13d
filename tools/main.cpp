// korvu-asn1: decode, check and inspect BER/DER encodings from the command line.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "cmd_decode.h"
#include "cmd_signeddata.h"
#include "cmd_dump.h"
#include "cmd_types.h"
#include "cmd_unwrap.h"
#include "json_cmd.h"
#include "tool.h"

int main(int argc, char **argv) {
  using namespace korvu::tool;
  std::ios::sync_with_stdio(false);
  CLI::App app{"Decode, check and inspect ASN.1 BER/DER encodings", "korvu-asn1"};
  app.require_subcommand(1);
  // The package version (the build checks that korvu/asn1_version.h agrees)
  // beside the library's own fixed identification text.
  app.set_version_flag("--version", std::string("korvu-asn1 ") + KORVU_PACKAGE_VERSION + " (library: " +
                                        korvu_asn1_version() + ")");
  Io io{std::cin, std::cout, std::cerr};

  // One line per subcommand.
  add_decode_command(app, io);
  add_types_command(app, io);
  add_unwrap_command(app, io);
  add_json_command(app, io);
  add_encode_command(app, io);
  add_signeddata_command(app, io);
  add_dump_command(app, io);

  return run_app(app, argc, argv, io);
}
