// libFuzzer entry point: aborts when a property of korvu_fuzz::check_push
// breaks (see checks.h for the input layout), or, for inputs whose octet 0 has
// bit 1 set, a property of the streaming SignedData decoder on the rest.
#include <cstdio>
#include <cstdlib>

#include "fuzz/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const bool signed_data = size > 0 && (data[0] & 2) != 0;
  std::string why = korvu_fuzz::check_push_input(data, size);
  if (!why.empty()) {
    std::fprintf(stderr, "korvu fuzz (push%s): %s\n", signed_data ? ", signed data" : "", why.c_str());
    std::abort();
  }
  return 0;
}
