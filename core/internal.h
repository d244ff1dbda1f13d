// Internal interface of the encoding core: the type registry, lengths, the
// identifier/length codec and error reporting. Every type module includes this.
#ifndef KORVU_CORE_INTERNAL_H
#define KORVU_CORE_INTERNAL_H

#include <cstdint>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"
#include "korvu/util.h"
#include "../util/limits_impl.h"
#include "../util/stream_impl.h"
#include "catalog.h"

#ifndef KORVU_SRC
#define KORVU_SRC "KORVU_ASN1"
#endif

namespace korvu {

// ---------------------------------------------------------------------------
// Lengths. Inside the library a length is 64 bits wide so that a sum that
// overflows (kLenOverflow) is never confused with an indefinite length
// (kLenIndef). Only the exported length functions fold kLenOverflow into
// 0xFFFFFFFF.
using Len = uint64_t;
inline constexpr Len kLenIndef = 0xFFFFFFFFu;
inline constexpr Len kLenError = 0xFFFFFFFEu;
inline constexpr Len kLenOverflow = 0x100000000ull;
inline constexpr Len kLenMax = 0x7FFFFFFFu;

inline bool len_ok(Len l) { return l <= kLenMax; }
// Adds two definite lengths; errors and indefinite pass through, in that order.
inline Len len_add(Len a, Len b) {
  if (a == kLenError || b == kLenError) return kLenError;
  if (a == kLenOverflow || b == kLenOverflow) return kLenOverflow;
  if (a == kLenIndef || b == kLenIndef) return kLenIndef;
  Len s = a + b;
  return s > kLenMax ? kLenOverflow : s;
}
// Exported form of an internal length.
inline uint32_t len_export(Len l) { return l == kLenOverflow ? 0xFFFFFFFFu : static_cast<uint32_t>(l); }

// Length of identifier + length octets + contents for a tag number and a
// content length (the rule of korvu_asn1_length).
Len tlv_length(uint32_t tag_number, Len content_length);
uint32_t identifier_octets(uint32_t tag_number);
uint32_t length_octets(uint32_t length);  // 0xFFFFFFFF counts 1

// ---------------------------------------------------------------------------
// A decoded identifier and length, with the octets exactly as read (ANY keeps
// them). Long-form lengths may carry any number of leading zero octets.
struct Header {
  uint32_t tag_class = 0;  // 0x00, 0x40, 0x80, 0xC0
  int primitive = 1;       // 1 primitive, 0 constructed
  uint32_t tag = 0;
  uint32_t length = 0;  // 0xFFFFFFFF when indefinite
  uint32_t size = 0;    // identifier + length octets read
  unsigned char raw[160];  // at most 17 identifier + 127 length octets
};

// ---------------------------------------------------------------------------
// BOOLEAN values read from an encoding are shared constants, one per contents
// octet (types/scalar.cpp); freeing one does nothing, as with the NULL marker.
const uint32_t *shared_boolean(unsigned char octet);
bool is_shared_boolean(const void *value);

// ---------------------------------------------------------------------------
// Type operations. `depth` is the nesting level of recursive decoding; a
// decoder that descends passes depth + 1 and fails with KORVU_ERR_DEPTH when
// the level reaches korvu_get_recursive_level().
struct TypeOps {
  void (*free)(void *value);
  Len (*content_length)(const void *value);
  Len (*total_length)(const void *value);  // optional
  int (*encode_content)(KORVU_STREAM *s, const void *value, uint32_t length, uint32_t *written,
                        KORVU_ERR_CTX *ctx);
  int (*decode_content)(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                        KORVU_ERR_CTX *ctx, int depth);
  // Whole encoding (identifier, length, contents), optional.
  int (*encode)(KORVU_STREAM *s, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx);
  // Decoding once the identifier and length have been read, optional: for
  // types whose identifier is decided by the value (ANY, CHOICE, strings that
  // accept either form, times) or that keep the octets they were read from.
  // It checks the header itself. `consumed` counts the contents octets only.
  int (*decode_tlv)(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                    int depth);
  // Optional: a value that records byte offsets into its own encoding counts
  // them from its contents; the drivers call this with the header length once
  // the whole encoding is written or read, so the offsets count from its
  // first octet.
  void (*shift_offsets)(void *value, uint32_t header_length);
  // The table of a type built by the structure engine (core/struct.h).
  const void *def;
  // Optional, for types without a tag of their own (ANY, CHOICE, Time): true
  // when a header can start one of their values. Other types start with
  // their row's tag.
  bool (*accepts)(const Header &h);
  // How the decoder of definite contents held in memory (core/struct_mem.cpp)
  // reads a constructed value of this type without going through the
  // operations above: by the table `def` (whose decoder the type uses
  // unchanged), or as a list of `mem_elem` values under their row's tag with
  // at least `mem_min` of them; Octets: a primitive value's contents are its
  // data, copied by octetstring_copy (the OCTET STRING record, which the
  // character strings share). None: through decode_tlv / decode_content.
  enum class MemRead : uint8_t { None, Table, List, Octets } mem_read = MemRead::None;
  uint32_t mem_elem = 0;
  uint32_t mem_min = 0;
};

// Operations of type number N are the object korvu::ops::tN, defined by the
// module of that type:  KORVU_REGISTER_TYPE(KORVU_TYPE_OCTET_STRING) = { ... };
#define KORVU_REGISTER_TYPE(n) KORVU_REGISTER_TYPE_NUMBER_(n)
#define KORVU_REGISTER_TYPE_NUMBER_(n) \
  namespace korvu::ops {               \
  extern const ::korvu::TypeOps t##n;  \
  }                                    \
  const ::korvu::TypeOps korvu::ops::t##n

struct TypeDesc {
  const TypeOps *ops;  // null until the type's module is built
  uint32_t form;       // KORVU_FORM_*
  uint32_t tag_class;
  uint32_t tag_number;
  int32_t error_code;  // encode failure; decode failure is error_code + 1
  const char *name;
};

// The rows, indexed by type number (core/registry.cpp); looked up inline,
// since every component decoded and freed goes through it.
extern const TypeDesc kRegistry[kTypeCount];
inline const TypeDesc *type_desc(uint32_t type) { return type < kTypeCount ? &kRegistry[type] : nullptr; }  // null above 449
const char *message(uint32_t code);        // "" outside 0x10200..0x105B4

// ---------------------------------------------------------------------------
// Errors. Each module defines its source name (KORVU_ASN1_<module>) and
// reports through these helpers.
void put_err(KORVU_ERR_CTX *ctx, const char *src, int line, uint32_t code);
void put_encode_err(KORVU_ERR_CTX *ctx, uint32_t type, const char *src, int line);
void put_decode_err(KORVU_ERR_CTX *ctx, uint32_t type, const char *src, int line);

#define KORVU_ERR(ctx, code) ::korvu::put_err((ctx), KORVU_SRC, __LINE__, (code))
#define KORVU_ENCODE_ERR(ctx, type) ::korvu::put_encode_err((ctx), (type), KORVU_SRC, __LINE__)
#define KORVU_DECODE_ERR(ctx, type) ::korvu::put_decode_err((ctx), (type), KORVU_SRC, __LINE__)
#define KORVU_ALLOC(size) ::korvu_malloc((size), KORVU_SRC, __LINE__)

// Every message code, named from core/messages.inc: kErr<Name> for one message,
// kErrEncode<Name> and kErrDecode<Name> for an encode/decode pair.
enum : uint32_t {
#define KORVU_MSG_TEXT(code, name, text) kErr##name = code,
#define KORVU_MSG_PAIR(code, name, text) kErrEncode##name = code, kErrDecode##name = code + 1,
#include "messages.inc"
#undef KORVU_MSG_TEXT
#undef KORVU_MSG_PAIR
};

// ---------------------------------------------------------------------------
// Codec. Each returns 1 or a failure code and records the specific error (not
// the summary code of the step, which the caller adds).
int write_identifier(KORVU_STREAM *s, uint32_t tag_class, int primitive, uint32_t tag, uint32_t *written,
                     KORVU_ERR_CTX *ctx);
int write_length(KORVU_STREAM *s, uint32_t length, uint32_t *written, KORVU_ERR_CTX *ctx);
// Writes identifier and length, adding the summary codes of each step.
int write_header(KORVU_STREAM *s, uint32_t tag_class, int primitive, uint32_t tag, uint32_t length,
                 uint32_t *written, KORVU_ERR_CTX *ctx);
// Reads identifier octets into h (tag_class, primitive, tag, raw, size).
int read_identifier(KORVU_STREAM *s, Header &h, KORVU_ERR_CTX *ctx);
// Reads length octets, appending them to h.raw.
int read_length(KORVU_STREAM *s, Header &h, KORVU_ERR_CTX *ctx);
// Identifier then length, each followed by its summary code on failure.
int read_header(KORVU_STREAM *s, Header &h, KORVU_ERR_CTX *ctx);

// A new OCTET STRING value (the record the character strings share) owning a
// copy of the `length` octets at `data`; null when memory runs out.
void *octetstring_copy(const unsigned char *data, uint32_t length);
// Reads the second octet of an end-of-contents (identifier 00 already read).
int read_eoc_tail(KORVU_STREAM *s, KORVU_ERR_CTX *ctx);
// Writes 00 00 (adds "encode end of content octet fail" on failure).
int write_eoc(KORVU_STREAM *s, KORVU_ERR_CTX *ctx);
// Ends contents written under a header of `length`: 00 00 after an
// indefinite length (counted in `total`), else checks that exactly `total`
// octets were written (KORVU_ERR_COUNT_MISMATCH).
int close_contents(KORVU_STREAM *s, uint32_t length, uint64_t &total, KORVU_ERR_CTX *ctx);

// Copies n octets from s to out in bounded chunks (never allocating n up
// front), so a length that lies about the input fails when the input ends.
// `out` may be null to skip the octets.
int copy_octets(KORVU_STREAM *s, KORVU_STREAM *out, uint32_t n);
// Reads n octets into a new block (korvu_free), growing it as octets arrive
// on streams whose size is unknown. n = 0 gives a 1-byte block.
int read_alloc(KORVU_STREAM *s, uint32_t n, unsigned char **out, KORVU_ERR_CTX *ctx);
// Writes n octets (a thin wrapper so encoders share one failure path).
int write_octets(KORVU_STREAM *s, const void *p, uint32_t n, KORVU_ERR_CTX *ctx);

// Generic drivers with a nesting level (the exported ones start at 0).
int encode_value(KORVU_STREAM *s, uint32_t type, const void *value, uint32_t *written, KORVU_ERR_CTX *ctx);
int decode_value(KORVU_STREAM *s, uint32_t type, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth);
// Decodes a value of `type` whose identifier and length are already read.
int decode_after_header(KORVU_STREAM *s, uint32_t type, const Header &h, void **out, uint32_t *consumed,
                        KORVU_ERR_CTX *ctx, int depth);
Len value_content_length(uint32_t type, const void *value);
Len value_length(uint32_t type, const void *value);
void value_free(uint32_t type, void *value);

// A read-only memory stream over bytes the caller keeps alive, without an
// allocation.
struct MemView {
  korvu_stream_st s{};
  MemView(const void *p, size_t n) {
    s.type = KORVU_STREAM_TYPE_MEM;
    s.readonly = true;
    s.data = static_cast<unsigned char *>(const_cast<void *>(p));
    s.size = n;
  }
  KORVU_STREAM *get() { return &s; }
};

// Initial capacity of a memory stream that will receive `length` contents
// octets: the length when it is definite (korvu_stream_new_mem caps an initial
// buffer at 2 KiB, so a claimed length never allocates more), else `fallback`.
inline uint32_t contents_capacity(uint32_t length, uint32_t fallback) {
  return length == 0xFFFFFFFFu ? fallback : length;
}

// True when `depth` may not be entered.
inline bool depth_exceeded(int depth) { return depth >= kRecursiveLevel; }
// Records the nesting limit where it is met and returns its code.
inline int depth_failure(KORVU_ERR_CTX *ctx) {
  put_err(ctx, KORVU_SRC, __LINE__, KORVU_ERR_DEPTH);
  return static_cast<int>(KORVU_ERR_DEPTH);
}

// Owning holder for a value of a registered type: frees it unless released.
// The library and the program share the one in korvu/holder.hpp.
using Holder = Value;

}  // namespace korvu

#endif
