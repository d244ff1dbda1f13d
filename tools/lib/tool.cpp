#include "tool.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <new>
#include <ostream>

namespace korvu::tool {

int run_app(CLI::App &app, int argc, const char *const *argv, Io &io) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    // --help and friends have exit code 0; everything else is a usage error.
    return app.exit(e, io.out, io.err) == 0 ? kExitOk : kExitUsage;
  } catch (const std::bad_alloc &) {
    io.err << "korvu-asn1: out of memory\n";
    return kExitSoftware;
  } catch (const std::exception &e) {
    io.err << "korvu-asn1: " << e.what() << "\n";
    return kExitSoftware;
  }
  io.out.flush();
  return io.status;
}

std::string type_label(uint32_t type) {
  const char *name = korvu_asn1_typename(type);
  return std::to_string(type) + " (" + (name != nullptr ? name : "unknown type") + ")";
}

std::string type_name_label(uint32_t type) {
  const char *name = korvu_asn1_typename(type);
  return std::string(name != nullptr ? name : "unknown type") + " (" + std::to_string(type) + ")";
}

std::string first_error(const KORVU_ERR_CTX *ctx) {
  uint32_t code = 0;
  const char *message = nullptr;
  if (korvu_err_ctx_count(ctx) == 0 || korvu_err_ctx_get(ctx, 0, &code, &message, nullptr, nullptr) != 1 ||
      message == nullptr)
    return "";
  return message;
}

void add_verbose_flag(CLI::App *sub, Io &io) {
  sub->add_flag("-v,--verbose", io.verbose, "Show the source file and line of each error entry");
}

void print_errors(const KORVU_ERR_CTX *ctx, std::ostream &err, bool verbose) {
  uint32_t count = korvu_err_ctx_count(ctx);
  for (uint32_t i = 0; i < count; i++) {
    uint32_t code = 0;
    const char *message = nullptr;
    const char *file = nullptr;
    int line = 0;
    if (korvu_err_ctx_get(ctx, i, &code, &message, &file, &line) != 1) continue;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%05X", code);
    err << "  error " << hex << ": " << (message != nullptr && *message != '\0' ? message : "(no message)");
    if (verbose) err << " (" << (file != nullptr ? file : "?") << ":" << line << ")";
    err << "\n";
  }
}

std::string hex_preview(const unsigned char *p, size_t n, size_t limit) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  size_t shown = n < limit ? n : limit;
  for (size_t i = 0; i < shown; i++) {
    if (i != 0) s += ' ';
    s += digits[p[i] >> 4];
    s += digits[p[i] & 15];
  }
  if (shown < n) s += " ...";
  return s;
}

}  // namespace korvu::tool
