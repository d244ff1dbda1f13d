#include "input.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace korvu::tool {

namespace {

constexpr std::string_view kBegin = "-----BEGIN ";
constexpr std::string_view kEnd = "-----END ";
constexpr std::string_view kDashes = "-----";

bool is_space(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

int b64_value(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

// One line of `text` starting at `pos`, without its line break; `next` is the
// start of the following line (text.size() at the end).
std::string_view line_at(std::string_view text, size_t pos, size_t &next) {
  size_t eol = text.find('\n', pos);
  if (eol == std::string_view::npos) {
    next = text.size();
    eol = text.size();
  } else {
    next = eol + 1;
  }
  std::string_view line = text.substr(pos, eol - pos);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_space(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && is_space(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// Finds the first well-formed BEGIN line: "-----BEGIN " label "-----" with
// nothing but white space after it on the line. Sets the label and the start
// of the block's body.
bool find_pem_begin(std::string_view text, std::string &label, size_t &body) {
  size_t from = 0;
  while (true) {
    size_t at = text.find(kBegin, from);
    if (at == std::string_view::npos) return false;
    size_t next = 0;
    std::string_view rest = line_at(text, at + kBegin.size(), next);
    size_t close = rest.find(kDashes);
    if (close != std::string_view::npos && trim(rest.substr(close + kDashes.size())).empty()) {
      label.assign(rest.substr(0, close));
      body = next;
      return true;
    }
    from = at + 1;
  }
}

}  // namespace

const char *format_name(InputFormat format) {
  switch (format) {
    case InputFormat::Der: return "DER";
    case InputFormat::Pem: return "PEM";
    case InputFormat::Base64: return "Base64";
  }
  return "?";
}

bool base64_decode(const char *text, size_t size, std::vector<unsigned char> &out) {
  std::vector<unsigned char> bytes;
  bytes.reserve(size / 4 * 3 + 3);
  uint32_t acc = 0;
  int bits = 0;
  size_t chars = 0;
  size_t pads = 0;
  for (size_t i = 0; i < size; i++) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (is_space(c)) continue;
    if (c == '=') {
      pads++;
      continue;
    }
    int v = b64_value(c);
    if (v < 0 || pads != 0) return false;  // foreign character, or data after padding
    chars++;
    acc = (acc << 6) | static_cast<uint32_t>(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes.push_back(static_cast<unsigned char>(acc >> bits));
      acc &= (1u << bits) - 1;
    }
  }
  if (chars % 4 == 1) return false;  // six bits cannot make an octet
  if (pads != 0 && (pads > 2 || (chars + pads) % 4 != 0)) return false;
  out = std::move(bytes);
  return true;
}

bool load_input(const unsigned char *data, size_t size, LoadedInput &out, std::string &error) {
  if (data == nullptr || size == 0) {
    out = LoadedInput{};
    return true;
  }
  const bool binary = std::memchr(data, 0, size) != nullptr;
  if (!binary) {
    std::string_view text(reinterpret_cast<const char *>(data), size);

    std::string label;
    size_t body = 0;
    if (find_pem_begin(text, label, body)) {
      std::string end_line = std::string(kEnd) + label + std::string(kDashes);
      size_t end = text.find(end_line, body);
      if (end == std::string_view::npos) {
        error = "PEM block \"" + label + "\" has no \"" + end_line + "\" line";
        return false;
      }
      // RFC 1421 encapsulated headers ("Proc-Type: ...") end at a blank line.
      size_t pos = body;
      size_t next = 0;
      std::string_view first = line_at(text, pos, next);
      if (first.find(':') != std::string_view::npos) {
        while (pos < end) {
          std::string_view line = line_at(text, pos, next);
          pos = next;
          if (trim(line).empty()) break;
        }
        if (pos > end) pos = end;
      }
      std::vector<unsigned char> bytes;
      if (!base64_decode(text.data() + pos, end - pos, bytes)) {
        error = "PEM block \"" + label + "\" holds invalid Base64";
        return false;
      }
      out.format = InputFormat::Pem;
      out.label = std::move(label);
      out.bytes = std::move(bytes);
      return true;
    }

    std::string_view b64 = text;
    if (b64.size() >= 3 && b64.substr(0, 3) == "\xEF\xBB\xBF") b64.remove_prefix(3);
    std::vector<unsigned char> bytes;
    if (base64_decode(b64.data(), b64.size(), bytes) && !bytes.empty()) {
      out.format = InputFormat::Base64;
      out.label.clear();
      out.bytes = std::move(bytes);
      return true;
    }
  }
  out.format = InputFormat::Der;
  out.label.clear();
  out.bytes.assign(data, data + size);
  return true;
}

bool read_source(const std::string &path, std::istream &in, std::vector<unsigned char> &out, std::string &error) {
  std::vector<unsigned char> bytes;
  auto slurp = [&bytes](std::istream &s) {
    char buf[65536];
    while (s) {
      s.read(buf, sizeof buf);
      std::streamsize n = s.gcount();
      if (n > 0) bytes.insert(bytes.end(), buf, buf + n);
    }
    return s.eof() && !s.bad();
  };
  if (path == "-") {
    if (!slurp(in)) {
      error = "cannot read standard input";
      return false;
    }
  } else {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
      error = "cannot read " + path + ": it is a directory";
      return false;
    }
    std::ifstream f(path, std::ios::binary);
    if (!f) {
      error = "cannot open " + path + ": " + std::strerror(errno);
      return false;
    }
    if (!slurp(f)) {
      error = "cannot read " + path;
      return false;
    }
  }
  out = std::move(bytes);
  return true;
}

}  // namespace korvu::tool
