// Error contexts: an ordered list of (code, message, source file, line).
#include <cstring>
#include <new>

#include "korvu/util.h"
#include "error_impl.h"

#define KORVU_UTIL_SRC "KORVU_UTIL_Error"

namespace {

using korvu::err::Entry;

char *copy_text(const char *text) {
  if (text == nullptr) text = "";
  size_t n = std::strlen(text);
  char *p = static_cast<char *>(korvu_malloc(n + 1, KORVU_UTIL_SRC, __LINE__));
  if (p != nullptr) std::memcpy(p, text, n + 1);
  return p;
}

}  // namespace

extern "C" {

KORVU_ERR_CTX *korvu_err_ctx_new(void) {
  auto *ctx = static_cast<KORVU_ERR_CTX *>(korvu_malloc(sizeof(KORVU_ERR_CTX), KORVU_UTIL_SRC, __LINE__));
  if (ctx == nullptr) return nullptr;
  ctx->entries = nullptr;
  ctx->count = 0;
  ctx->cap = 0;
  return ctx;
}

void korvu_err_ctx_clear(KORVU_ERR_CTX *ctx) {
  if (ctx == nullptr) return;
  for (uint32_t i = 0; i < ctx->count; i++) {
    korvu_free(ctx->entries[i].message);
    korvu_free(ctx->entries[i].file);
  }
  korvu_free(ctx->entries);
  ctx->entries = nullptr;
  ctx->count = 0;
  ctx->cap = 0;
}

void korvu_err_ctx_free(KORVU_ERR_CTX *ctx) {
  if (ctx == nullptr) return;
  korvu_err_ctx_clear(ctx);
  korvu_free(ctx);
}

int korvu_err_ctx_put(KORVU_ERR_CTX *ctx, const char *file, int line, uint32_t code, const char *message) {
  if (ctx == nullptr) return 1;  // reporting into no context is allowed
  if (ctx->count == ctx->cap) {
    if (ctx->cap >= 0x7FFFFFFFu) return 0;
    uint32_t cap = ctx->cap == 0 ? 8 : ctx->cap * 2;
    auto *grown = static_cast<Entry *>(korvu_malloc(sizeof(Entry) * cap, KORVU_UTIL_SRC, __LINE__));
    if (grown == nullptr) return 0;
    if (ctx->count != 0) std::memcpy(grown, ctx->entries, sizeof(Entry) * ctx->count);
    korvu_free(ctx->entries);
    ctx->entries = grown;
    ctx->cap = cap;
  }
  Entry e{code, line, copy_text(message), copy_text(file)};
  if (e.message == nullptr || e.file == nullptr) {
    korvu_free(e.message);
    korvu_free(e.file);
    return 0;
  }
  ctx->entries[ctx->count++] = e;
  return 1;
}

uint32_t korvu_err_ctx_count(const KORVU_ERR_CTX *ctx) { return ctx == nullptr ? 0 : ctx->count; }

int korvu_err_ctx_get(const KORVU_ERR_CTX *ctx, uint32_t index, uint32_t *code, const char **message,
                      const char **file, int *line) {
  if (ctx == nullptr || index >= ctx->count) return 0;
  const Entry &e = ctx->entries[index];
  if (code != nullptr) *code = e.code;
  if (message != nullptr) *message = e.message;
  if (file != nullptr) *file = e.file;
  if (line != nullptr) *line = e.line;
  return 1;
}

int korvu_err_ctx_has(const KORVU_ERR_CTX *ctx, uint32_t code) {
  if (ctx == nullptr) return 0;
  for (uint32_t i = 0; i < ctx->count; i++)
    if (ctx->entries[i].code == code) return 1;
  return 0;
}

const char *korvu_igetGeneralError(uint32_t code) {
  switch (code) {
    case KORVU_ERR_NOMEM: return "out of memory";
    case KORVU_ERR_BADARG: return "bad argument value";
    case KORVU_ERR_NULLARG: return "null argument";
    case KORVU_ERR_COUNT_MISMATCH: return "byte count mismatch";
    case KORVU_ERR_DEPTH: return "nesting too deep";
    default: return "";
  }
}

const char *korvu_igetStreamError(uint32_t code) {
  switch (code) {
    case KORVU_STREAM_ERR_MODE: return "unsupported stream mode or operation";
    case KORVU_STREAM_ERR_SEEK: return "stream cannot be rewound";
    case KORVU_STREAM_ERR_READ: return "stream read failed or data ended";
    case KORVU_STREAM_ERR_LENGTH: return "stream length unknown or too large";
    case KORVU_STREAM_ERR_WRITE: return "stream write failed";
    default: return "";
  }
}

}  // extern "C"
