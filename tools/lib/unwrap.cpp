#include "unwrap.h"

#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"

namespace korvu::tool {

namespace {

using PushCtxHolder = Owned<KORVU_ASN1_DECODE_OCTETSTRING_CTX, korvu_asn1_decode_octetstring_ctx_free>;

int fail(std::string *error, std::string message) {
  if (error != nullptr) *error = std::move(message);
  return 0;
}

// Writes what the decoder put in the memory stream to `out` and empties the
// stream (its buffer is handed over and released), so it never holds more
// than one chunk's data.
bool drain(KORVU_STREAM *buffer, std::FILE *out, UnwrapStats &stats) {
  uint32_t length = 0;
  const unsigned char *data = korvu_memstream_data(buffer, &length);
  if (length == 0) return true;
  if (length > stats.peak_buffered) stats.peak_buffered = length;
  if (data == nullptr || std::fwrite(data, 1, length, out) != length) return false;
  stats.data += length;
  MemHolder<unsigned char> taken;
  uint32_t taken_length = 0;
  return korvu_memstreamdeatch(buffer, taken.out(), &taken_length) == 1;
}

}  // namespace

int unwrap(std::FILE *in, std::FILE *out, std::string *error, UnwrapStats *stats) {
  return unwrap(in, out, error, stats, nullptr);
}

int unwrap(std::FILE *in, std::FILE *out, std::string *error, UnwrapStats *stats,
           const std::function<void(uint64_t)> &progress) {
  UnwrapStats local;
  UnwrapStats &st = stats != nullptr ? *stats : local;
  st = UnwrapStats{};
  if (in == nullptr || out == nullptr) return fail(error, "no input or output file");
  PushCtxHolder ctx(korvu_asn1_decode_octetstring_ctx_new());
  StreamHolder buffer(korvu_stream_new_mem(2048, nullptr));
  std::vector<unsigned char> chunk;
  try {
    chunk.resize(kUnwrapChunk);
  } catch (...) {
    return fail(error, "out of memory");
  }
  if (!ctx || !buffer) return fail(error, "out of memory");

  for (;;) {
    size_t got = std::fread(chunk.data(), 1, chunk.size(), in);
    if (got == 0) {
      if (std::ferror(in)) return fail(error, "cannot read the input");
      break;
    }
    uint32_t left = 0;
    int r = korvu_asn1_decode_octetstring_update(ctx.get(), buffer.get(), chunk.data(), static_cast<int32_t>(got),
                                                 &left);
    if (r != 1) {
      return fail(error, "not a valid OCTET STRING encoding (failed within octets " + std::to_string(st.consumed) +
                             " to " + std::to_string(st.consumed + got) + ")");
    }
    st.consumed += got - left;
    if (!drain(buffer.get(), out, st)) return fail(error, "cannot write the output");
    if (progress) progress(st.consumed);
    if (korvu_asn1_decode_octetstring_isfinish(ctx.get()) == 1) {
      if (left != 0) return fail(error, std::to_string(left) + " bytes follow the OCTET STRING");
      // Anything still unread after the encoding is trailing data too.
      int c = std::fgetc(in);
      if (c != EOF) return fail(error, "bytes follow the OCTET STRING");
      if (std::ferror(in)) return fail(error, "cannot read the input");
      break;
    }
  }
  if (korvu_asn1_decode_octetstring_isfinish(ctx.get()) != 1) {
    return fail(error, st.consumed == 0 ? "empty input" : "the input ends inside the OCTET STRING");
  }
  st.encode_length = korvu_asn1_decode_octetstring_ctx_getencodelength(ctx.get());
  if (std::fflush(out) != 0) return fail(error, "cannot write the output");
  return 1;
}

int unwrap(std::FILE *in, std::FILE *out, std::string *error) { return unwrap(in, out, error, nullptr); }

}  // namespace korvu::tool
