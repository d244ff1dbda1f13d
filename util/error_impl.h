// Internal layout of an error context, shared by the utility library and the
// codec so that a decoder can take back the entries a failed attempt added.
// Not a public header.
#ifndef KORVU_UTIL_ERROR_IMPL_H
#define KORVU_UTIL_ERROR_IMPL_H

#include <cstdint>

#include "korvu/util.h"

namespace korvu::err {

// One entry: its code, source line, and its own copies of the message and
// source file name.
struct Entry {
  uint32_t code;
  int line;
  char *message;
  char *file;
};

}  // namespace korvu::err

struct korvu_err_ctx_st {
  korvu::err::Entry *entries;
  uint32_t count;
  uint32_t cap;
};

namespace korvu::err {

// Drops the entries past the first `n` (a null context, or one with n entries
// or fewer, is left as it is).
inline void truncate(KORVU_ERR_CTX *ctx, uint32_t n) {
  if (ctx == nullptr) return;
  while (ctx->count > n) {
    Entry &e = ctx->entries[--ctx->count];
    korvu_free(e.message);
    korvu_free(e.file);
  }
}

}  // namespace korvu::err

#endif
