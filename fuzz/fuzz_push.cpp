// libFuzzer entry point: aborts when a property of korvu_fuzz::check_push
// breaks (see checks.h for the input layout).
#include <cstdio>
#include <cstdlib>

#include "fuzz/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string why = korvu_fuzz::check_push(data, size);
  if (!why.empty()) {
    std::fprintf(stderr, "korvu fuzz (push): %s\n", why.c_str());
    std::abort();
  }
  return 0;
}
