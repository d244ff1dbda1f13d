/** @file
 * KORVU utility library: memory, error contexts, byte streams, data blobs,
 * big-integer bytes, Base64/PEM/hex text and the recursion limit.
 *
 * Results are 1 for success; anything else is a failure (0, or one of the
 * stream error codes below, passed up unchanged). */
#ifndef KORVU_UTIL_H
#define KORVU_UTIL_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
/** Marks a function the utility library exports. */
#define KORVU_UTIL_API __declspec(dllexport)
#else
/** Marks a function the utility library exports. */
#define KORVU_UTIL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- General error codes (0x10000 - 0x100FF) ---------------------------- */
#define KORVU_ERR_NOMEM 0x10000u          /**< out of memory */
#define KORVU_ERR_BADARG 0x10001u         /**< bad argument value */
#define KORVU_ERR_NULLARG 0x10002u        /**< null argument */
#define KORVU_ERR_COUNT_MISMATCH 0x10004u /**< byte count mismatch */
#define KORVU_ERR_DEPTH 0x10008u          /**< nesting past korvu_get_recursive_level() */

/* ---- Stream error codes (0x10100 - 0x101FF) ----------------------------- */
#define KORVU_STREAM_ERR_MODE 0x10105u   /**< unsupported mode or operation */
#define KORVU_STREAM_ERR_SEEK 0x10109u   /**< stream cannot be rewound */
#define KORVU_STREAM_ERR_READ 0x10111u   /**< read failed or data ended early */
#define KORVU_STREAM_ERR_LENGTH 0x10114u /**< length unknown or past 32 bits */
#define KORVU_STREAM_ERR_WRITE 0x10116u  /**< write failed */

/* ---- Memory ------------------------------------------------------------- */
/** Allocates `size` bytes (1 for 0) with the library's allocator; `file` and `line` name the caller and are
 * unused. Null without memory. */
KORVU_UTIL_API void *korvu_malloc(size_t size, const char *file, int line);
/** Frees a block of korvu_malloc, or any block the library hands out "freed with korvu_free"; null is accepted. */
KORVU_UTIL_API void korvu_free(void *block);

/* ---- Error contexts ----------------------------------------------------- */
/** An error context collects failure entries in the order they were put. */
typedef struct korvu_err_ctx_st KORVU_ERR_CTX;

/** A new empty error context (freed with korvu_err_ctx_free); null without memory. */
KORVU_UTIL_API KORVU_ERR_CTX *korvu_err_ctx_new(void);
/** Frees the context and its entries; null is accepted. */
KORVU_UTIL_API void korvu_err_ctx_free(KORVU_ERR_CTX *ctx);
/** Removes every entry; the context stays usable. Null is accepted. */
KORVU_UTIL_API void korvu_err_ctx_clear(KORVU_ERR_CTX *ctx);
/** Records one entry; a null context is accepted and ignored. */
KORVU_UTIL_API int korvu_err_ctx_put(KORVU_ERR_CTX *ctx, const char *file, int line, uint32_t code,
                                     const char *message);
/** The number of entries; 0 for a null context. */
KORVU_UTIL_API uint32_t korvu_err_ctx_count(const KORVU_ERR_CTX *ctx);
/** Entry `index` (0 = first put). Out arguments may be null. The strings stay
 * valid until the context is cleared or freed. */
KORVU_UTIL_API int korvu_err_ctx_get(const KORVU_ERR_CTX *ctx, uint32_t index, uint32_t *code,
                                     const char **message, const char **file, int *line);
/** 1 when some entry carries `code`. */
KORVU_UTIL_API int korvu_err_ctx_has(const KORVU_ERR_CTX *ctx, uint32_t code);

/** The message of a general code (KORVU_ERR_*), a static string; "" for any other code. */
KORVU_UTIL_API const char *korvu_igetGeneralError(uint32_t code);
/** The message of a stream code (KORVU_STREAM_ERR_*), a static string; "" for any other code. */
KORVU_UTIL_API const char *korvu_igetStreamError(uint32_t code);

/* ---- Byte streams ------------------------------------------------------- */
/** A byte stream over memory or a file (opaque). */
typedef struct korvu_stream_st KORVU_STREAM;

/** korvu_stream_gettype of a memory stream. */
#define KORVU_STREAM_TYPE_MEM 0x20001u
/** korvu_stream_gettype of a file stream. */
#define KORVU_STREAM_TYPE_FILE 0x20002u

#define KORVU_STREAM_CTRL_REWIND 1  /**< read position back to the start */
#define KORVU_STREAM_CTRL_LENGTH 2  /**< total length into a uint32_t (arg); fails with
                                       KORVU_STREAM_ERR_LENGTH when unknown or past 32 bits */
#define KORVU_STREAM_CTRL_ATEND 11  /**< 1 only if the read position is at the end */

/** Growable read/write memory stream. Writes append at the end; reads start at
 * the beginning. `capacity` is clamped to 64..2048; the buffer doubles as it
 * grows and holds at most 0xFFFFFFFF bytes. Running out of memory fails the
 * write with KORVU_STREAM_ERR_WRITE and records 0x10000 in `ctx`. */
KORVU_UTIL_API KORVU_STREAM *korvu_stream_new_mem(uint32_t capacity, KORVU_ERR_CTX *ctx);
/** Read-only memory stream over the caller's bytes (not copied); writes fail. */
KORVU_UTIL_API KORVU_STREAM *korvu_stream_new_romem(const void *bytes, uint32_t length);
/** File stream. mode "rb" reads, "wb" writes (truncating), "ab" appends. */
KORVU_UTIL_API KORVU_STREAM *korvu_stream_new_file(const char *path, const char *mode);
/** Frees the stream: closes a file, frees a memory stream's own buffer (not the caller's bytes of a read-only
 * one). Null is accepted. */
KORVU_UTIL_API void korvu_stream_free(KORVU_STREAM *stream);

/** 1 only when exactly n bytes were read, else KORVU_STREAM_ERR_READ. */
KORVU_UTIL_API int korvu_stream_readn(KORVU_STREAM *stream, void *buffer, uint32_t n);
/** 1 with the number of bytes read (at most n, 0 at the end of the data). */
KORVU_UTIL_API int korvu_stream_read(KORVU_STREAM *stream, void *buffer, uint32_t n, uint32_t *count);
/** 1 only when all n bytes were written, else KORVU_STREAM_ERR_WRITE. */
KORVU_UTIL_API int korvu_stream_writen(KORVU_STREAM *stream, const void *bytes, uint32_t n);
/** Copies the rest of `src` (from its read position) to `dst` in bounded
 * chunks; `count` (may be null) receives the bytes copied. Fails with
 * KORVU_STREAM_ERR_LENGTH past 0xFFFFFFFF bytes and KORVU_STREAM_ERR_MODE when
 * `src` is `dst` or a view of its buffer. */
KORVU_UTIL_API int korvu_stream_writefromstream(KORVU_STREAM *dst, KORVU_STREAM *src, uint32_t *count);
/** Performs a KORVU_STREAM_CTRL_* operation (see each for `arg` and the result); 0 for a null stream, a
 * KORVU_STREAM_ERR_* code for an operation the stream cannot do. */
KORVU_UTIL_API int korvu_stream_ctrl(KORVU_STREAM *stream, int operation, void *arg);
/** KORVU_STREAM_TYPE_MEM or KORVU_STREAM_TYPE_FILE; 0 for null. */
KORVU_UTIL_API uint32_t korvu_stream_gettype(const KORVU_STREAM *stream);
/** Independent read-only view of a memory stream's bytes, from the start. The
 * view borrows the bytes: free it before the stream or its next write. */
KORVU_UTIL_API KORVU_STREAM *korvu_memstream_dup_readonly(const KORVU_STREAM *stream);
/** Hands a memory stream's buffer to the caller (freed with korvu_free); the
 * stream is left empty and usable. A read-only view hands out a copy. */
KORVU_UTIL_API int korvu_memstreamdeatch(KORVU_STREAM *stream, unsigned char **data, uint32_t *length);
/** Borrowed pointer to a memory stream's bytes and their count; null otherwise. */
KORVU_UTIL_API const unsigned char *korvu_memstream_data(const KORVU_STREAM *stream, uint32_t *length);

/* ---- Data blobs --------------------------------------------------------- */
/** A blob owns a copy of its bytes; `data` is non-null even when `length` is 0
 * (korvu_data_blob_free also accepts a blob whose `data` is null). */
typedef struct korvu_data_blob_st {
  unsigned char *data; /**< the bytes, owned by the blob */
  uint32_t length; /**< number of bytes */
} KORVU_DATA_BLOB;

/** A new blob holding a copy of `length` bytes (freed with korvu_data_blob_free); null for null bytes with a
 * non-zero length or without memory. */
KORVU_UTIL_API KORVU_DATA_BLOB *korvu_data_blob_new(const void *bytes, uint32_t length);
/** Frees the blob and its bytes; null is accepted. */
KORVU_UTIL_API void korvu_data_blob_free(KORVU_DATA_BLOB *blob);

/* ---- Big integers (two's complement bytes, most significant first) ------ */
/** Kept in shortest form (redundant leading 00/FF bytes dropped); newdata
 * refuses an empty byte string; getdata returns a new blob; getlong fails when
 * the value does not fit int64_t. */
typedef struct korvu_biginteger_st KORVU_BIGINTEGER;

/** A new big integer from `length` octets of two's complement, most significant first (copied; redundant leading
 * octets dropped); null for null bytes, a length of 0 or without memory. */
KORVU_UTIL_API KORVU_BIGINTEGER *korvu_biginteger_newdata(const void *bytes, uint32_t length);
/** A copy of the two's complement octets as a new blob (freed with korvu_data_blob_free); null for null or without
 * memory. */
KORVU_UTIL_API KORVU_DATA_BLOB *korvu_biginteger_getdata(const KORVU_BIGINTEGER *value);
/** A new big integer of the value; null without memory. */
KORVU_UTIL_API KORVU_BIGINTEGER *korvu_biginteger_newlong(int64_t value);
/** The value into *out; 1, or 0 (and *out 0) when it does not fit int64_t or an argument is null. */
KORVU_UTIL_API int korvu_biginteger_getlong(const KORVU_BIGINTEGER *value, int64_t *out);
/** Frees the big integer; null is accepted. */
KORVU_UTIL_API void korvu_biginteger_free(KORVU_BIGINTEGER *value);

/* ---- Recursion limit ---------------------------------------------------- */
/** The greatest nesting depth recursive decoders may reach (a constant). */
KORVU_UTIL_API int korvu_get_recursive_level(void);

/* ---- Text encodings ----------------------------------------------------- */
/** mode 2: RFC 4648 alphabet, white space (space, tab, CR, LF) ignored, '='
 * padding optional but, when present, only at the end and completing the last
 * group; any other character or a lone trailing character is refused. Other
 * modes fail. The buffer is freed with korvu_free. */
KORVU_UTIL_API int korvu_base64decode(int mode, const char *text, uint32_t text_length,
                                      unsigned char **bytes, uint32_t *length);
/** mode 2: RFC 4648 alphabet with padding, no line breaks. NUL-terminated. */
KORVU_UTIL_API int korvu_base64encode(int mode, const void *bytes, uint32_t length, char **text,
                                      uint32_t *text_length);
/** First "-----BEGIN label-----" block of `text` (exact label; other text and
 * blocks are skipped). RFC 1421 header lines up to a blank line are skipped;
 * the block must end with its "-----END label-----" line. */
KORVU_UTIL_API int korvu_pemdecode(const char *label, const char *text, uint32_t text_length,
                                   unsigned char **bytes, uint32_t *length);
/** PEM text with 64-column Base64 lines. NUL-terminated. */
KORVU_UTIL_API int korvu_pemencode(const char *label, const void *bytes, uint32_t length, char **text,
                                   uint32_t *text_length);
/** Upper-case hexadecimal, NUL-terminated; freed with korvu_free. */
KORVU_UTIL_API char *korvu_hexencode(const void *bytes, uint32_t length);
/** Hex digits of either case, even count; no other characters. */
KORVU_UTIL_API int korvu_hexdecode(const char *text, uint32_t text_length, unsigned char **bytes,
                                   uint32_t *length);

#ifdef __cplusplus
}
#endif

#include "korvu/util_time.h"
#include "korvu/util_bitset.h"
#include "korvu/util_json.h"

#endif /* KORVU_UTIL_H */
