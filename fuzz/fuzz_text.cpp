// libFuzzer entry point: aborts when a property of korvu_fuzz::check_text
// breaks (see checks.h for the input layout). Inputs routed to the
// certificate parser also go to the CRL and certification-request parsers,
// which take the same DER, Base64 or PEM text under their own labels.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/checks.h"

namespace {

// A value handed out re-encodes; DER input holds exactly one value, kept as it came; a refusal records why.
template <class Parse>
std::string check_signed_text(uint32_t type, const char *what, Parse parse, const unsigned char *in, uint32_t n) {
  using namespace korvu_fuzz;
  if (!type_exists(type) || n == 0) return {};
  ErrCtx ctx;
  void *v = parse(in, static_cast<int32_t>(n), ctx);
  Value held(type, v);
  if (v == nullptr) return ctx.count() == 0 ? std::string("refused ") + what + " input recorded nothing" : "";
  Bytes enc;
  std::string why = check_decoded_value(type, v, nullptr, 0, enc);
  if (!why.empty()) return why;
  if (in[0] == 0x30 && (enc.size() != n || std::memcmp(enc.data(), in, n) != 0))
    return std::string(what) + " from DER " + hex(in, n) + " writes " + hex(enc);
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string why = korvu_fuzz::check_text(data, size);
  if (why.empty() && size > 1 && size <= 0x7FFFFFFF && data[0] % 5 == 3) {
    const uint32_t n = static_cast<uint32_t>(size - 1);
    why = check_signed_text(
        KORVU_TYPE_CERTIFICATELIST, "CRL",
        [](const void *b, int32_t l, KORVU_ERR_CTX *c) -> void * { return korvu_x509crl_new(b, l, c); }, data + 1, n);
    if (why.empty())
      why = check_signed_text(
          KORVU_TYPE_CERTIFICATIONREQUEST, "request",
          [](const void *b, int32_t l, KORVU_ERR_CTX *c) -> void * { return korvu_pkcs10certreq_new(b, l, c); },
          data + 1, n);
  }
  if (!why.empty()) {
    std::fprintf(stderr, "korvu fuzz (text): %s\n", why.c_str());
    std::abort();
  }
  return 0;
}
