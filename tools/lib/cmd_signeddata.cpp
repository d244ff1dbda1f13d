#include "cmd_signeddata.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace korvu::tool {

int run_signeddata(const std::string &path, Io &io) {
  ErrCtxHolder ctx(korvu_err_ctx_new());
  StreamHolder stream(korvu_stream_new_file(path == "-" ? "/dev/stdin" : path.c_str(), "rb"));
  if (!ctx) {
    io.err << "korvu-asn1: out of memory\n";
    return kExitSoftware;
  }
  if (!stream) {
    io.err << "korvu-asn1: cannot read " << path << "\n";
    return kExitNoInput;
  }
  KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
  uint32_t consumed = 0;
  int r = korvu_asn1_decode_pkcs7signeddata(stream.get(), &sd, &consumed, ctx.get());
  if (r != 1) {
    io.err << "korvu-asn1: decoding the signed message failed (result 0x" << std::hex << std::uppercase << r
           << std::dec << ")\n";
    print_errors(ctx.get(), io.err);
    return kExitDecodeFailed;
  }
  if (sd == nullptr) {
    io.out << "not a signed message\n";
    return kExitDecodeFailed;
  }
  static const char *const kKinds[] = {"pkcs7", "bare", "gmt"};
  const uint32_t kind = korvu_pkcs7signeddata_gettype(sd);
  io.out << "wrapper: " << (kind < 3 ? kKinds[kind] : "?") << "\n";
  io.out << "contentInfoOffset: " << korvu_pkcs7signeddata_getcontentinfooffset(sd) << "\n";
  io.out << "contentInfoEndOffset: " << korvu_pkcs7signeddata_getcontentinfoendoffset(sd) << "\n";
  io.out << "signerInfosOffset: " << korvu_pkcs7signeddata_getsignerinfosoffset(sd) << "\n";
  io.out << "consumed: " << consumed << "\n";
  korvu_asn1_value_free(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd);
  return kExitOk;
}

void add_signeddata_command(CLI::App &app, Io &io) {
  CLI::App *sub = app.add_subcommand(
      "signeddata", "Read one signed message (CMS/PKCS #7 ContentInfo or bare SignedData) front to back");
  auto path = std::make_shared<std::string>("-");
  sub->add_option("file", *path, "Input file, or - for standard input")->capture_default_str();
  sub->callback([&io, path] { io.status = run_signeddata(*path, io); });
}

}  // namespace korvu::tool
