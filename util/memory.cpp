// Memory blocks of the utility library. Every block the libraries hand out
// comes from korvu_malloc and goes back through korvu_free. With mimalloc
// installed (KORVU_USE_MIMALLOC) both call it by name: the library's many
// small, short-lived blocks cost less there, and the process's malloc stays
// the process's own.
#include <cstdlib>

#include "korvu/util.h"

#if KORVU_USE_MIMALLOC
#include <mimalloc.h>
#endif

extern "C" {

// `file` and `line` name the allocating call site; they are accepted for
// diagnostics builds and not used here. A zero size still yields a valid,
// distinct block so that callers never confuse "empty" with "failed".
void *korvu_malloc(size_t size, const char *file, int line) {
  (void)file;
  (void)line;
#if KORVU_USE_MIMALLOC
  return mi_malloc(size == 0 ? 1 : size);
#else
  return std::malloc(size == 0 ? 1 : size);
#endif
}

void korvu_free(void *block) {
#if KORVU_USE_MIMALLOC
  mi_free(block);
#else
  std::free(block);
#endif
}

}  // extern "C"
