// Byte streams: growable memory streams, read-only memory views and file
// streams over stdio. The struct layout is shared with the codec's inline
// readers (stream_impl.h): for a memory stream `data[pos..size)` are the
// unread bytes, `cap` the allocated size (0 for views, which borrow `data`).
#include <cstdio>
#include <cstring>

#include "korvu/util.h"
#include "stream_impl.h"

#define KORVU_UTIL_SRC "KORVU_UTIL_Stream"

namespace {

#if defined(_WIN32)
using Offset = long long;
int seek_to(std::FILE *fp, Offset off, int whence) { return _fseeki64(fp, off, whence); }
Offset tell(std::FILE *fp) { return _ftelli64(fp); }
#else
using Offset = off_t;
int seek_to(std::FILE *fp, Offset off, int whence) { return fseeko(fp, off, whence); }
Offset tell(std::FILE *fp) { return ftello(fp); }
#endif

// Memory streams hold at most this many bytes: every length this library
// reports is 32 bits wide.
constexpr size_t kMemLimit = 0xFFFFFFFFu;
constexpr size_t kChunk = 64 * 1024;  // bounded copy buffer of writefromstream
const unsigned char kEmpty[1] = {0};  // what an empty view points at

KORVU_STREAM *alloc_stream(uint32_t type) {
  auto *s = static_cast<KORVU_STREAM *>(korvu_malloc(sizeof(KORVU_STREAM), KORVU_UTIL_SRC, __LINE__));
  if (s == nullptr) return nullptr;
  s->type = type;
  s->readonly = false;
  s->data = nullptr;
  s->size = 0;
  s->cap = 0;
  s->pos = 0;
  s->inline_data = false;
  s->embedded = false;
  s->has_ctx = false;
  return s;
}

void report_nomem(KORVU_STREAM *s) {
  korvu_err_ctx_put(korvu::stream::context(s), KORVU_UTIL_SRC, __LINE__, KORVU_ERR_NOMEM,
                    korvu_igetGeneralError(KORVU_ERR_NOMEM));
}

// Makes room for `extra` more bytes, doubling so that appends are amortised
// linear. Returns 1 or KORVU_STREAM_ERR_WRITE.
int reserve(KORVU_STREAM *s, size_t extra) {
  if (extra > kMemLimit - s->size) return KORVU_STREAM_ERR_WRITE;
  size_t need = s->size + extra;
  if (need <= s->cap) return 1;
  size_t cap = s->cap < 64 ? 64 : s->cap;
  while (cap < need) cap = cap > kMemLimit / 2 ? kMemLimit : cap * 2;
  auto *grown = static_cast<unsigned char *>(korvu_malloc(cap, KORVU_UTIL_SRC, __LINE__));
  if (grown == nullptr) {
    report_nomem(s);
    return KORVU_STREAM_ERR_WRITE;
  }
  if (s->size != 0) std::memcpy(grown, s->data, s->size);
  if (!s->inline_data) korvu_free(s->data);
  s->inline_data = false;
  s->data = grown;
  s->cap = static_cast<uint32_t>(cap);
  return 1;
}

// Length of a file stream, keeping its position. -1 when it cannot be told.
Offset file_length(std::FILE *fp) {
  Offset here = tell(fp);
  if (here < 0) return -1;
  if (seek_to(fp, 0, SEEK_END) != 0) return -1;
  Offset end = tell(fp);
  if (seek_to(fp, here, SEEK_SET) != 0) return -1;
  return end;
}

int file_at_end(std::FILE *fp) {
  Offset here = tell(fp);
  Offset end = here < 0 ? -1 : file_length(fp);
  if (end >= 0) return here >= end ? 1 : 0;
  // Not seekable: peek one byte.
  int c = std::fgetc(fp);
  if (c == EOF) return 1;
  std::ungetc(c, fp);
  return 0;
}

}  // namespace

extern "C" {

KORVU_STREAM *korvu_stream_new_mem(uint32_t capacity, KORVU_ERR_CTX *ctx) {
  if (capacity < 64) capacity = 64;
  if (capacity > 2048) capacity = 2048;
  // The initial buffer shares the stream's block (behind the context, when
  // there is one): one allocation per stream until it outgrows it.
  const size_t head = sizeof(KORVU_STREAM) + (ctx != nullptr ? sizeof ctx : 0);
  auto *s = static_cast<KORVU_STREAM *>(korvu_malloc(head + capacity, KORVU_UTIL_SRC, __LINE__));
  if (s == nullptr) {
    korvu_err_ctx_put(ctx, KORVU_UTIL_SRC, __LINE__, KORVU_ERR_NOMEM, korvu_igetGeneralError(KORVU_ERR_NOMEM));
    return nullptr;
  }
  s->type = KORVU_STREAM_TYPE_MEM;
  s->readonly = false;
  s->data = reinterpret_cast<unsigned char *>(s) + head;
  s->size = 0;
  s->cap = capacity;
  s->pos = 0;
  s->has_ctx = ctx != nullptr;
  if (ctx != nullptr) std::memcpy(s + 1, &ctx, sizeof ctx);
  s->inline_data = true;
  s->embedded = false;
  return s;
}

KORVU_STREAM *korvu_stream_new_romem(const void *bytes, uint32_t length) {
  if (bytes == nullptr && length != 0) return nullptr;
  KORVU_STREAM *s = alloc_stream(KORVU_STREAM_TYPE_MEM);
  if (s == nullptr) return nullptr;
  s->readonly = true;
  // The view never writes through `data`.
  s->data = const_cast<unsigned char *>(bytes != nullptr ? static_cast<const unsigned char *>(bytes) : kEmpty);
  s->size = length;
  return s;
}

KORVU_STREAM *korvu_stream_new_file(const char *path, const char *mode) {
  if (path == nullptr || mode == nullptr) return nullptr;
  if (std::strcmp(mode, "rb") != 0 && std::strcmp(mode, "wb") != 0 && std::strcmp(mode, "ab") != 0) return nullptr;
  KORVU_STREAM *s = alloc_stream(KORVU_STREAM_TYPE_FILE);
  if (s == nullptr) return nullptr;
  s->fp = std::fopen(path, mode);
  if (s->fp == nullptr) {
    korvu_free(s);
    return nullptr;
  }
  return s;
}

void korvu_stream_free(KORVU_STREAM *stream) {
  if (stream == nullptr) return;
  if (stream->type == KORVU_STREAM_TYPE_FILE) {
    if (stream->fp != nullptr) std::fclose(stream->fp);
  } else if (!stream->readonly && !stream->inline_data) {
    korvu_free(stream->data);
  }
  if (!stream->embedded) korvu_free(stream);
}

int korvu_stream_readn(KORVU_STREAM *stream, void *buffer, uint32_t n) {
  if (stream == nullptr || (buffer == nullptr && n != 0)) return 0;
  if (stream->type == KORVU_STREAM_TYPE_MEM) {
    // Same behaviour as the inline reader: a short read leaves pos alone.
    if (stream->size - stream->pos < n) return KORVU_STREAM_ERR_READ;
    if (n != 0) std::memcpy(buffer, stream->data + stream->pos, n);
    stream->pos += n;
    return 1;
  }
  if (stream->type != KORVU_STREAM_TYPE_FILE) return KORVU_STREAM_ERR_MODE;
  if (n == 0) return 1;
  return std::fread(buffer, 1, n, stream->fp) == n ? 1 : KORVU_STREAM_ERR_READ;
}

int korvu_stream_read(KORVU_STREAM *stream, void *buffer, uint32_t n, uint32_t *count) {
  if (count != nullptr) *count = 0;
  if (stream == nullptr || count == nullptr || (buffer == nullptr && n != 0)) return 0;
  if (stream->type == KORVU_STREAM_TYPE_MEM) {
    size_t left = stream->size - stream->pos;
    uint32_t take = left < n ? static_cast<uint32_t>(left) : n;
    if (take != 0) std::memcpy(buffer, stream->data + stream->pos, take);
    stream->pos += take;
    *count = take;
    return 1;
  }
  if (stream->type != KORVU_STREAM_TYPE_FILE) return KORVU_STREAM_ERR_MODE;
  if (n == 0) return 1;
  size_t got = std::fread(buffer, 1, n, stream->fp);
  if (got == 0 && std::ferror(stream->fp)) return KORVU_STREAM_ERR_READ;
  *count = static_cast<uint32_t>(got);
  return 1;
}

int korvu_stream_writen(KORVU_STREAM *stream, const void *bytes, uint32_t n) {
  if (stream == nullptr || (bytes == nullptr && n != 0)) return 0;
  if (stream->type == KORVU_STREAM_TYPE_MEM) {
    if (stream->readonly) return KORVU_STREAM_ERR_WRITE;
    if (n == 0) return 1;
    int r = reserve(stream, n);
    if (r != 1) return r;
    std::memcpy(stream->data + stream->size, bytes, n);
    stream->size += n;
    return 1;
  }
  if (stream->type != KORVU_STREAM_TYPE_FILE) return KORVU_STREAM_ERR_MODE;
  if (n == 0) return 1;
  return std::fwrite(bytes, 1, n, stream->fp) == n ? 1 : KORVU_STREAM_ERR_WRITE;
}

int korvu_stream_writefromstream(KORVU_STREAM *dst, KORVU_STREAM *src, uint32_t *count) {
  if (count != nullptr) *count = 0;
  if (dst == nullptr || src == nullptr) return 0;
  if (dst == src) return KORVU_STREAM_ERR_MODE;  // would read its own output
  if (src->type == KORVU_STREAM_TYPE_MEM) {
    // A view over dst's own buffer would dangle once dst grows.
    if (dst->type == KORVU_STREAM_TYPE_MEM && !dst->readonly && dst->data != nullptr && src->data >= dst->data &&
        src->data < dst->data + dst->cap)
      return KORVU_STREAM_ERR_MODE;
    size_t left = src->size - src->pos;
    if (left > 0xFFFFFFFFu) return KORVU_STREAM_ERR_LENGTH;
    int r = korvu_stream_writen(dst, src->data + src->pos, static_cast<uint32_t>(left));
    if (r != 1) return r;
    src->pos = src->size;
    if (count != nullptr) *count = static_cast<uint32_t>(left);
    return 1;
  }
  auto *buf = static_cast<unsigned char *>(korvu_malloc(kChunk, KORVU_UTIL_SRC, __LINE__));
  if (buf == nullptr) {
    korvu_err_ctx_put(korvu::stream::context(dst), KORVU_UTIL_SRC, __LINE__, KORVU_ERR_NOMEM, korvu_igetGeneralError(KORVU_ERR_NOMEM));
    return KORVU_STREAM_ERR_WRITE;
  }
  uint64_t total = 0;
  int r = 1;
  for (;;) {
    uint32_t got = 0;
    r = korvu_stream_read(src, buf, static_cast<uint32_t>(kChunk), &got);
    if (r != 1 || got == 0) break;
    if (total + got > 0xFFFFFFFFu) {
      r = KORVU_STREAM_ERR_LENGTH;
      break;
    }
    r = korvu_stream_writen(dst, buf, got);
    if (r != 1) break;
    total += got;
  }
  korvu_free(buf);
  if (count != nullptr) *count = static_cast<uint32_t>(total);
  return r;
}

int korvu_stream_ctrl(KORVU_STREAM *stream, int operation, void *arg) {
  if (stream == nullptr) return 0;
  bool mem = stream->type == KORVU_STREAM_TYPE_MEM;
  if (!mem && stream->type != KORVU_STREAM_TYPE_FILE) return KORVU_STREAM_ERR_MODE;
  switch (operation) {
    case KORVU_STREAM_CTRL_REWIND:
      if (mem) {
        stream->pos = 0;
        return 1;
      }
      std::clearerr(stream->fp);
      return seek_to(stream->fp, 0, SEEK_SET) == 0 ? 1 : KORVU_STREAM_ERR_SEEK;
    case KORVU_STREAM_CTRL_LENGTH: {
      if (arg == nullptr) return 0;
      uint64_t length;
      if (mem) {
        length = stream->size;
      } else {
        Offset end = file_length(stream->fp);
        if (end < 0) return KORVU_STREAM_ERR_LENGTH;
        length = static_cast<uint64_t>(end);
      }
      if (length > 0xFFFFFFFFu) return KORVU_STREAM_ERR_LENGTH;
      *static_cast<uint32_t *>(arg) = static_cast<uint32_t>(length);
      return 1;
    }
    case KORVU_STREAM_CTRL_ATEND:
      if (mem) return stream->pos >= stream->size ? 1 : 0;
      return file_at_end(stream->fp);
    default:
      return KORVU_STREAM_ERR_MODE;
  }
}

uint32_t korvu_stream_gettype(const KORVU_STREAM *stream) { return stream == nullptr ? 0 : stream->type; }

KORVU_STREAM *korvu_memstream_dup_readonly(const KORVU_STREAM *stream) {
  if (stream == nullptr || stream->type != KORVU_STREAM_TYPE_MEM) return nullptr;
  KORVU_STREAM *s = alloc_stream(KORVU_STREAM_TYPE_MEM);
  if (s == nullptr) return nullptr;
  s->readonly = true;
  s->data = stream->data != nullptr ? stream->data : const_cast<unsigned char *>(kEmpty);
  s->size = stream->size;
  return s;
}

int korvu_memstreamdeatch(KORVU_STREAM *stream, unsigned char **data, uint32_t *length) {
  if (data != nullptr) *data = nullptr;
  if (length != nullptr) *length = 0;
  if (stream == nullptr || data == nullptr || length == nullptr) return 0;
  if (stream->type != KORVU_STREAM_TYPE_MEM) return KORVU_STREAM_ERR_MODE;
  unsigned char *out;
  if (stream->readonly || stream->data == nullptr || stream->inline_data) {
    // A view does not own its bytes, and an initial buffer shares the
    // stream's block: hand out a copy.
    out = static_cast<unsigned char *>(korvu_malloc(stream->size, KORVU_UTIL_SRC, __LINE__));
    if (out == nullptr) {
      report_nomem(stream);
      return 0;
    }
    if (stream->size != 0) std::memcpy(out, stream->data, stream->size);
    // An initial buffer stays for later writes.
    if (!stream->inline_data) stream->data = stream->readonly ? const_cast<unsigned char *>(kEmpty) : nullptr;
  } else {
    out = stream->data;
    stream->data = nullptr;
    stream->cap = 0;
  }
  *data = out;
  *length = static_cast<uint32_t>(stream->size);
  stream->size = 0;
  stream->pos = 0;
  return 1;
}

const unsigned char *korvu_memstream_data(const KORVU_STREAM *stream, uint32_t *length) {
  if (length != nullptr) *length = 0;
  if (stream == nullptr || stream->type != KORVU_STREAM_TYPE_MEM) return nullptr;
  if (length != nullptr) *length = static_cast<uint32_t>(stream->size);
  return stream->data != nullptr ? stream->data : kEmpty;
}

}  // extern "C"
