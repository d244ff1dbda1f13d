#include "cmd_signeddata.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <vector>

namespace korvu::tool {

namespace {

// Reads exactly one BER element (identifier, length, contents, and for the
// indefinite form every nested element up to its end-of-contents) from a file
// descriptor with plain read calls, so that nothing after it is taken from a
// pipe: the next reader of the pipe starts at the next message. False at the
// end of the input or on a read error, with what was read so far in `out`.
class ExactReader {
 public:
  explicit ExactReader(int fd) : fd_(fd) {}

  bool element(std::vector<unsigned char> &out, int depth) {
    const size_t start = out.size();
    unsigned char c = 0;
    if (!take(out, 1)) return false;
    c = out.back();
    if ((c & 0x1Fu) == 0x1Fu) {
      do {
        if (out.size() - start > 6 || !take(out, 1)) return false;
      } while (out.back() & 0x80u);
    }
    const bool constructed = (c & 0x20u) != 0;
    if (!take(out, 1)) return false;
    const unsigned char l0 = out.back();
    if (l0 == 0x80) {
      if (!constructed || depth >= 64) return false;
      while (true) {
        const size_t child = out.size();
        if (!element(out, depth + 1)) return false;
        if (out[child] == 0x00) return true;  // end-of-contents
      }
    }
    uint64_t length = l0;
    if (l0 & 0x80u) {
      const size_t n = l0 & 0x7Fu;
      if (n > 4 || !take(out, n)) return false;
      length = 0;
      for (size_t i = out.size() - n; i < out.size(); i++) length = length << 8 | out[i];
    }
    if (length > 0x7FFFFFFFu - out.size()) return false;
    return take(out, static_cast<size_t>(length));
  }

 private:
  bool take(std::vector<unsigned char> &out, size_t n) {
    size_t have = 0;
    const size_t at = out.size();
    while (have < n) {
      // Grows as the octets arrive, so a false length claims no memory.
      const size_t chunk = std::min<size_t>(n - have, 1 << 16);
      out.resize(at + have + chunk);
      const ssize_t got = ::read(fd_, out.data() + at + have, chunk);
      if (got < 0 && errno == EINTR) {
        out.resize(at + have);
        continue;
      }
      if (got <= 0) {
        out.resize(at + have);
        return false;
      }
      have += static_cast<size_t>(got);
      out.resize(at + have);
    }
    return true;
  }

  int fd_;
};

}  // namespace

int run_signeddata(const std::string &path, Io &io) {
  ErrCtxHolder ctx(korvu_err_ctx_new());
  if (!ctx) {
    io.err << "korvu-asn1: out of memory\n";
    return kExitSoftware;
  }
  std::error_code ec;
  if (path != "-" && std::filesystem::is_directory(path, ec)) {
    io.err << "korvu-asn1: cannot read " << path << ": it is a directory\n";
    return kExitNoInput;
  }
  // Standard input may be a pipe holding several messages: exactly one is
  // read from it, and the decoder works on those octets.
  std::vector<unsigned char> message;
  StreamHolder stream;
  if (path == "-") {
    ExactReader(STDIN_FILENO).element(message, 0);
    if (message.empty()) message.reserve(1);  // a valid pointer for an empty input
    stream.reset(korvu_stream_new_romem(message.data(), static_cast<uint32_t>(message.size())));
  } else {
    stream.reset(korvu_stream_new_file(path.c_str(), "rb"));
    if (!stream) {
      io.err << "korvu-asn1: cannot read " << path << "\n";
      return kExitNoInput;
    }
  }
  if (!stream) {
    io.err << "korvu-asn1: out of memory\n";
    return kExitSoftware;
  }
  KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
  uint32_t consumed = 0;
  int r = korvu_asn1_decode_pkcs7signeddata(stream.get(), &sd, &consumed, ctx.get());
  if (r != 1) {
    io.err << "korvu-asn1: decoding the signed message failed (result 0x" << std::hex << std::uppercase << r
           << std::dec << ")\n";
    print_errors(ctx.get(), io.err, io.verbose);
    return kExitDataErr;
  }
  if (sd == nullptr) {
    io.out << "not a signed message\n";
    io.err << "korvu-asn1: " << (path == "-" ? "standard input" : path) << " holds no signed message\n";
    return kExitDataErr;
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
  add_verbose_flag(sub, io);
  sub->callback([&io, path] { io.status = run_signeddata(*path, io); });
}

}  // namespace korvu::tool
