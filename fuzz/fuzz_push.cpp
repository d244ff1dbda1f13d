// libFuzzer entry point: aborts when a property of korvu_fuzz::check_push
// breaks (see checks.h for the input layout), or, for inputs whose octet 0 has
// bit 1 set, a property of the streaming SignedData decoder on the rest.
#include <cstdio>
#include <cstdlib>

#include "fuzz/checks.h"

namespace {

// The streaming SignedData decoder: a failure hands out nothing; a success
// has its offsets in order inside what it consumed, never more than the input,
// and a record that encodes.
std::string check_signeddata(const uint8_t *data, size_t size) {
  if (size > 0x7FFFFFFF) return {};
  KORVU_ERR_CTX *ctx = korvu_err_ctx_new();
  KORVU_STREAM *s = korvu_stream_new_romem(data, static_cast<uint32_t>(size));
  KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
  uint32_t used = 0;
  const int r = korvu_asn1_decode_pkcs7signeddata(s, &sd, &used, ctx);
  korvu_stream_free(s);
  korvu_err_ctx_free(ctx);
  korvu_fuzz::Value held(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd);
  if (r != 1) return sd == nullptr ? "" : "a failed streaming decode handed out a record";
  if (sd == nullptr) return {};
  const uint32_t ci = korvu_pkcs7signeddata_getcontentinfooffset(sd),
                 end = korvu_pkcs7signeddata_getcontentinfoendoffset(sd),
                 si = korvu_pkcs7signeddata_getsignerinfosoffset(sd);
  if (used > size) return "consumed " + std::to_string(used) + " of " + std::to_string(size) + " octets";
  if (!(ci < end && end <= si && si < used))
    return "offsets out of order: " + std::to_string(ci) + " " + std::to_string(end) + " " + std::to_string(si) +
           " consumed " + std::to_string(used);
  if (korvu_pkcs7signeddata_gettype(sd) > 2) return "wrapper kind " + std::to_string(korvu_pkcs7signeddata_gettype(sd));
  korvu_fuzz::Bytes enc;
  std::string why;
  if (!korvu_fuzz::encode_value(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd, enc, why))
    return "a streamed SignedData does not encode: " + why;
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const bool signed_data = size > 0 && (data[0] & 2) != 0;
  std::string why = signed_data ? check_signeddata(data + 1, size - 1) : korvu_fuzz::check_push(data, size);
  if (!why.empty()) {
    std::fprintf(stderr, "korvu fuzz (push%s): %s\n", signed_data ? ", signed data" : "", why.c_str());
    std::abort();
  }
  return 0;
}
