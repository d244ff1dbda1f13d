#include "json_cmd.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <ostream>
#include <vector>

#include "input.h"
#include "progress.h"

namespace korvu::tool {

namespace {

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
  // Written beside the target and renamed over it, so that a failure leaves
  // neither a partial file nor a changed one.
  const std::string temporary = path + ".korvu-" + std::to_string(::getpid());
  std::ofstream f(temporary, std::ios::binary | std::ios::trunc);
  if (f) f.write(reinterpret_cast<const char *>(p), static_cast<std::streamsize>(n));
  if (f) f.close();
  if (!f || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
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
    return kExitNoInput;
  }
  LoadedInput input;
  if (!load_input(raw, input, error)) {
    io.err << "korvu-asn1: " << error << "\n";
    return kExitDataErr;
  }
  if (input.bytes.empty()) {
    io.err << "korvu-asn1: " << name_of(options.file) << " holds no encoding\n";
    return kExitDataErr;
  }
  if (input.bytes.size() > 0x7FFFFFFFu) {
    io.err << "korvu-asn1: the input is larger than 2 GiB\n";
    return kExitDataErr;
  }
  // Over 64 MiB, the stages show on a terminal.
  const bool show = progress_wanted(input.bytes.size(), STDERR_FILENO);
  if (show) io.err << "korvu-asn1: rendering " << input.bytes.size() / (1024 * 1024) << " MiB ..." << std::endl;
  // Octets after the first encoding are left out with a note, as decode
  // reports them without decoding them.
  uint32_t render = static_cast<uint32_t>(input.bytes.size());
  {
    Value first(KORVU_TYPE_ANY);
    uint32_t used = 0;
    if (korvu_asn1_decode_diag(input.bytes.data(), render, KORVU_TYPE_ANY, first.out(), &used, nullptr, nullptr) == 1 &&
        used != 0 && used < render) {
      io.err << "korvu-asn1: note: " << render - used << (render - used == 1 ? " octet" : " octets")
             << " after the first encoding at offset " << used << " (" << hex_preview(input.bytes.data() + used, render - used, 8)
             << ") not rendered\n";
      render = used;
    }
  }
  JsonHolder tree;
  MemHolder<char> why;
  uint32_t at = 0;
  int r = korvu_asn1_tojson_diag(input.bytes.data(), static_cast<int32_t>(render), tree.out(), why.out(), &at);
  if (r == static_cast<int>(KORVU_ERR_NOMEM) || (r == 0 && !why)) {
    io.err << "korvu-asn1: out of memory\n";
    return kExitSoftware;
  }
  if (r != 1) {
    io.err << "korvu-asn1: cannot render " << name_of(options.file) << " (" << format_name(input.format)
           << "): " << why.get() << " at offset " << at;
    if (at < input.bytes.size()) io.err << " (" << hex_preview(input.bytes.data() + at, input.bytes.size() - at, 8) << ")";
    io.err << "\n";
    return kExitDataErr;
  }
  if (show) io.err << "korvu-asn1: printing the JSON text ..." << std::endl;
  uint32_t length = 0;
  MemHolder<char> text(korvu_json_print(tree.get(), options.indent, &length));
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
    return kExitNoInput;
  }
  if (raw.size() > 0x7FFFFFFFu) {
    io.err << "korvu-asn1: the input is larger than 2 GiB\n";
    return kExitDataErr;
  }
  JsonHolder tree(korvu_json_parse(reinterpret_cast<const char *>(raw.data()), static_cast<uint32_t>(raw.size())));
  if (!tree) {
    io.err << "korvu-asn1: " << name_of(options.file) << " is not valid JSON: " << json_syntax_error(raw) << "\n";
    return kExitDataErr;
  }
  BlobHolder der;
  MemHolder<char> why;
  int r = korvu_asn1_encodejson_diag(tree.get(), der.out(), why.out());
  if (r == static_cast<int>(KORVU_ERR_NOMEM) || (r == 0 && !why)) {
    io.err << "korvu-asn1: out of memory\n";
    return kExitSoftware;
  }
  if (r != 1) {
    io.err << "korvu-asn1: cannot encode " << name_of(options.file) << ": " << why.get() << "\n";
    return kExitDataErr;
  }
  if (!options.pem_label.empty()) {
    MemHolder<char> pem;
    uint32_t pem_length = 0;
    if (korvu_pemencode(options.pem_label.c_str(), der->data, der->length, pem.out(), &pem_length) != 1) {
      io.err << "korvu-asn1: cannot write PEM with the label \"" << options.pem_label << "\"\n";
      return kExitDataErr;
    }
    bool ok = write_output(options.output, reinterpret_cast<const unsigned char *>(pem.get()), pem_length, io);
    return ok ? kExitOk : kExitCantCreate;
  }
  if (options.hex) {
    MemHolder<char> hex(korvu_hexencode(der->data, der->length));
    if (!hex) {
      io.err << "korvu-asn1: out of memory\n";
      return kExitSoftware;
    }
    std::string text = std::string(hex.get(), 2 * size_t{der->length}) + "\n";
    bool ok = write_output(options.output, reinterpret_cast<const unsigned char *>(text.data()), text.size(), io);
    return ok ? kExitOk : kExitCantCreate;
  }
  return write_output(options.output, der->data, der->length, io) ? kExitOk : kExitCantCreate;
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
