// Input handling of the command-line program: turns the bytes of a file into
// the encoding to decode, whatever text wrapping they came in.
#ifndef KORVU_TOOL_INPUT_H
#define KORVU_TOOL_INPUT_H

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace korvu::tool {

enum class InputFormat {
  Der,     // raw BER/DER octets, passed through unchanged
  Pem,     // the first "-----BEGIN label-----" block (RFC 7468)
  Base64,  // bare Base64 text (RFC 4648 alphabet, white space ignored)
};

const char *format_name(InputFormat format);

struct LoadedInput {
  InputFormat format = InputFormat::Der;
  std::string label;                // PEM label, empty otherwise
  std::vector<unsigned char> bytes;  // the encoding to decode
};

// Detects the format of `data` and hands out the encoding it carries.
//  - Input holding a NUL octet is binary (text never does, DER nearly always).
//  - Otherwise the first well-formed "-----BEGIN label-----" line starts a PEM
//    block, which must be closed by "-----END label-----" and hold valid
//    Base64 (RFC 1421 header lines such as "Proc-Type:" are skipped).
//  - Otherwise input made only of Base64 characters, '=' padding and white
//    space (an UTF-8 byte order mark allowed in front) that decodes to at
//    least one octet is Base64.
//  - Anything else is taken as BER/DER as it stands.
// Returns false, with a message in `error` and `out` untouched, only for a
// PEM block that is opened but broken.
bool load_input(const unsigned char *data, size_t size, LoadedInput &out, std::string &error);
inline bool load_input(const std::vector<unsigned char> &data, LoadedInput &out, std::string &error) {
  return load_input(data.data(), data.size(), out, error);
}

// Strict-enough Base64 (RFC 4648 section 4): white space is skipped, padding
// is optional but may only close the text, and a lone final character is
// refused. Returns false on any other character.
bool base64_decode(const char *text, size_t size, std::vector<unsigned char> &out);

// Reads a whole file, or all of `in` when `path` is "-".
bool read_source(const std::string &path, std::istream &in, std::vector<unsigned char> &out, std::string &error);

}  // namespace korvu::tool

#endif
