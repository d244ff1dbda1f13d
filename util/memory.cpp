// Memory blocks of the utility library. Every block the libraries hand out
// comes from korvu_malloc and goes back through korvu_free.
#include <cstdlib>

#include "korvu/util.h"

extern "C" {

// `file` and `line` name the allocating call site; they are accepted for
// diagnostics builds and not used here. A zero size still yields a valid,
// distinct block so that callers never confuse "empty" with "failed".
void *korvu_malloc(size_t size, const char *file, int line) {
  (void)file;
  (void)line;
  return std::malloc(size == 0 ? 1 : size);
}

void korvu_free(void *block) { std::free(block); }

}  // extern "C"
