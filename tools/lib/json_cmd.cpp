#include "json_cmd.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <fstream>
#include <memory>
#include <ostream>
#include <vector>

#include "../../json/json_encode.h"
#include "../../json/json_render.h"
#include "input.h"

namespace korvu::tool {

namespace {

struct FreeDeleter {
  void operator()(void *p) const { korvu_free(p); }
};

std::string name_of(const std::string &file) { return file == "-" ? "standard input" : file; }

// Why nlohmann's parser refuses `text`, with the byte position it stopped at.
std::string json_syntax_error(const std::vector<unsigned char> &text) {
  try {
    nlohmann::ordered_json parsed = nlohmann::ordered_json::parse(text.begin(), text.end());
    (void)parsed;
  } catch (const nlohmann::json::parse_error &e) {
    std::string what = e.what();
    // "[json.exception.parse_error.101] parse error at line 1, column 5: ..."
    size_t cut = what.find("] ");
    return cut == std::string::npos ? what : what.substr(cut + 2);
  } catch (...) {
  }
  return "nested deeper than 512 levels";
}

bool write_output(const std::string &path, const unsigned char *p, size_t n, Io &io) {
  if (path.empty()) {
    io.out.write(reinterpret_cast<const char *>(p), static_cast<std::streamsize>(n));
    io.out.flush();
    if (!io.out) {
      io.err << "korvu-asn1: cannot write to standard output\n";
      return false;
    }
    return true;
  }
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (f) f.write(reinterpret_cast<const char *>(p), static_cast<std::streamsize>(n));
  if (f) f.close();
  if (!f) {
    io.err << "korvu-asn1: cannot write " << path << "\n";
    return false;
  }
  return true;
}

}  // namespace

int run_json(const JsonOptions &options, Io &io) {
  std::vector<unsigned char> raw;
  std::string error;
  if (!read_source(options.file, io.in, raw, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitDecodeFailed;
  }
  LoadedInput input;
  if (!load_input(raw, input, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitDecodeFailed;
  }
  if (input.bytes.empty()) {
    io.err << "korvu-asn1: " << name_of(options.file) << " holds no encoding\n";
    return kExitDecodeFailed;
  }
  if (input.bytes.size() > 0x7FFFFFFFu) {
    io.err << "korvu-asn1: the input is larger than 2 GiB\n";
    return kExitDecodeFailed;
  }
  asn1json::Renderer renderer(input.bytes.data(), input.bytes.size());
  asn1json::Node tree = renderer.render();
  if (!tree) {
    io.err << "korvu-asn1: cannot render " << name_of(options.file) << " (" << format_name(input.format)
           << "): " << renderer.error() << " at offset " << renderer.error_offset();
    size_t at = renderer.error_offset();
    if (at < input.bytes.size()) io.err << " (" << hex_preview(input.bytes.data() + at, input.bytes.size() - at, 8) << ")";
    io.err << "\n";
    return kExitDecodeFailed;
  }
  uint32_t length = 0;
  std::unique_ptr<char, FreeDeleter> text(korvu_json_print(tree.get(), options.indent, &length));
  if (!text) {
    io.err << "korvu-asn1: cannot print the JSON tree\n";
    return kExitSoftware;
  }
  io.out.write(text.get(), length);
  io.out << "\n";
  io.out.flush();
  return kExitOk;
}

int run_encode(const EncodeOptions &options, Io &io) {
  std::vector<unsigned char> raw;
  std::string error;
  if (!read_source(options.file, io.in, raw, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitDecodeFailed;
  }
  if (raw.size() > 0x7FFFFFFFu) {
    io.err << "korvu-asn1: the input is larger than 2 GiB\n";
    return kExitDecodeFailed;
  }
  asn1json::Node tree(
      korvu_json_parse(reinterpret_cast<const char *>(raw.data()), static_cast<uint32_t>(raw.size())));
  if (!tree) {
    io.err << "korvu-asn1: " << name_of(options.file) << " is not valid JSON: " << json_syntax_error(raw) << "\n";
    return kExitDecodeFailed;
  }
  asn1json::Encoder encoder;
  asn1json::Bytes der;
  if (!encoder.encode(tree.get(), der)) {
    io.err << "korvu-asn1: cannot encode " << name_of(options.file) << ": " << encoder.error() << "\n";
    return kExitDecodeFailed;
  }
  if (!options.pem_label.empty()) {
    char *pem = nullptr;
    uint32_t pem_length = 0;
    static const unsigned char kNothing[1] = {0};
    if (korvu_pemencode(options.pem_label.c_str(), der.empty() ? kNothing : der.data(),
                        static_cast<uint32_t>(der.size()), &pem, &pem_length) != 1) {
      io.err << "korvu-asn1: cannot write PEM with the label \"" << options.pem_label << "\"\n";
      return kExitDecodeFailed;
    }
    std::unique_ptr<char, FreeDeleter> hold(pem);
    bool ok = write_output(options.output, reinterpret_cast<const unsigned char *>(pem), pem_length, io);
    return ok ? kExitOk : kExitDecodeFailed;
  }
  if (options.hex) {
    std::string text = asn1json::to_hex(der.data(), der.size()) + "\n";
    bool ok = write_output(options.output, reinterpret_cast<const unsigned char *>(text.data()), text.size(), io);
    return ok ? kExitOk : kExitDecodeFailed;
  }
  return write_output(options.output, der.data(), der.size(), io) ? kExitOk : kExitDecodeFailed;
}

void add_json_command(CLI::App &app, Io &io) {
  auto options = std::make_shared<JsonOptions>();
  CLI::App *sub = app.add_subcommand("json", "Render a BER/DER, PEM or Base64 input as a JSON tree");
  sub->add_option("file", options->file, "Input file, or - for standard input")->required();
  sub->add_option("--indent", options->indent, "Blanks per nesting level (0: one line)")
      ->check(CLI::Range(0, 16))
      ->capture_default_str();
  sub->callback([options, &io] { io.status = run_json(*options, io); });
}

void add_encode_command(CLI::App &app, Io &io) {
  auto options = std::make_shared<EncodeOptions>();
  CLI::App *sub = app.add_subcommand("encode", "Encode a JSON tree (as the json subcommand writes) into DER");
  sub->add_option("file", options->file, "JSON file, or - for standard input")->required();
  sub->add_option("-o,--output", options->output, "Write to this file instead of standard output");
  CLI::Option *hex = sub->add_flag("--hex", options->hex, "Write upper-case hexadecimal text");
  CLI::Option *pem = sub->add_option("--pem", options->pem_label, "Write PEM text with this label (CERTIFICATE ...)");
  hex->excludes(pem);
  sub->callback([options, &io] { io.status = run_encode(*options, io); });
}

}  // namespace korvu::tool
