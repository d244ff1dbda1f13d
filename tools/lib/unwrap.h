// Streams the data of one OCTET STRING encoding (primitive or constructed,
// definite or indefinite, nested) from a file to a file through the push
// decoder, a buffer at a time, so that memory stays bounded whatever the size
// of the string.
#ifndef KORVU_TOOL_UNWRAP_H
#define KORVU_TOOL_UNWRAP_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace korvu::tool {

struct UnwrapStats {
  uint64_t consumed = 0;      // octets of the encoding (64 bits: may pass 4 GiB)
  uint64_t data = 0;          // data octets written to the output
  size_t peak_buffered = 0;   // most data octets held in memory at once
  uint32_t encode_length = 0xFFFFFFFFu;  // the decoder's encoding length once finished
};

// Input chunk size: each update produces at most this many data octets.
inline constexpr size_t kUnwrapChunk = 64 * 1024;

// Returns 1 when a complete OCTET STRING was read and its data written, 0
// otherwise with a message in *error (when error is not null): the input is
// not an OCTET STRING encoding, ends inside it, or carries bytes after it;
// or reading or writing failed. Data octets before a failure may already
// have been written.
int unwrap(std::FILE *in, std::FILE *out, std::string *error, UnwrapStats *stats);
// The same, calling `progress` (when set) with the octets read so far after
// each chunk.
int unwrap(std::FILE *in, std::FILE *out, std::string *error, UnwrapStats *stats,
           const std::function<void(uint64_t)> &progress);
int unwrap(std::FILE *in, std::FILE *out, std::string *error);

}  // namespace korvu::tool

#endif
