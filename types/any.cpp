// ANY (type 23): one complete encoding of any tag kept as raw octets, and the
// conversions between ANY and typed values.
#define KORVU_SRC "KORVU_ASN1_Any"

#include <algorithm>
#include <cstring>

#include "../core/internal.h"
#include "any_internal.h"

namespace korvu::any {
namespace {

constexpr uint32_t kType = KORVU_TYPE_ANY;
constexpr uint32_t kHeaderCapacity = 64;
constexpr uint32_t kContentCapacity = 128;

// Forms allowed for the universal tag numbers 0 to 34.
constexpr uint8_t P = 1, C = 2, PC = 3, NONE = 0;
constexpr uint8_t kUniversalForms[35] = {
    P,  P,  P,  PC, PC, P,  P,  PC, C,  P,  P,  C,  PC, P,  P,  NONE, C, C,
    PC, PC, PC, PC, PC, PC, PC, PC, PC, PC, PC, NONE, PC, P, P, P, P,
};

bool is_eoc_identifier(const Header &h) { return h.size >= 1 && h.raw[0] == 0x00; }

// Records a stream failure result (a plain 0 as a read failure).
void put_stream_err(KORVU_ERR_CTX *ctx, int r) {
  KORVU_ERR(ctx, r > 1 ? static_cast<uint32_t>(r) : KORVU_STREAM_ERR_READ);
}

KORVU_ASN1_ANY *alloc_any() {
  auto *a = static_cast<KORVU_ASN1_ANY *>(KORVU_ALLOC(sizeof(KORVU_ASN1_ANY)));
  if (a != nullptr) std::memset(a, 0, sizeof(*a));
  return a;
}

KORVU_ASN1_ANY *new_eoc() {
  KORVU_ASN1_ANY *a = alloc_any();
  if (a != nullptr) {
    a->primitive = 1;
    a->eoc = 1;
  }
  return a;
}

void free_any(void *v) {
  auto *a = static_cast<KORVU_ASN1_ANY *>(v);
  if (a == nullptr) return;
  if (a->owns_content) korvu_stream_free(a->content);
  korvu_stream_free(a->header);
  korvu_free(a);
}

struct AnyHolder {
  KORVU_ASN1_ANY *a = nullptr;
  ~AnyHolder() { free_any(a); }
  KORVU_ASN1_ANY *release() {
    KORVU_ASN1_ANY *r = a;
    a = nullptr;
    return r;
  }
};

uint32_t header_size(const KORVU_ASN1_ANY *a) {
  uint32_t n = 0;
  if (a->header == nullptr || korvu_memstream_data(a->header, &n) == nullptr) return 0;
  return n;
}

// Writes the whole of `src` to `dst` and counts the octets.
int write_stream(KORVU_STREAM *dst, KORVU_STREAM *src, uint32_t *count) {
  *count = 0;
  if (src == nullptr) return 1;
  if (stream::is_mem(src)) {
    uint32_t n = 0;
    const unsigned char *p = korvu_memstream_data(src, &n);
    if (n == 0) return 1;
    if (p == nullptr) return KORVU_STREAM_ERR_READ;
    int r = korvu_stream_writen(dst, p, n);
    if (r == 1) *count = n;
    return r;
  }
  int r = korvu_stream_ctrl(src, KORVU_STREAM_CTRL_REWIND, nullptr);
  if (r != 1) return KORVU_STREAM_ERR_SEEK;
  return korvu_stream_writefromstream(dst, src, count);
}

// Stored content length of a value, as an internal length.
Len stored_length(const KORVU_ASN1_ANY *a) {
  if (a->eoc) return 0;
  if (a->content_length == 0xFFFFFFFFu) return kLenIndef;
  if (a->content_length > kLenMax) return kLenError;
  return a->content_length;
}

// ---------------------------------------------------------------------------
// Registry operations.

Len op_content_length(const void *v) {
  const auto *a = static_cast<const KORVU_ASN1_ANY *>(v);
  if (a == nullptr) return kLenError;
  return stored_length(a);
}

Len op_total_length(const void *v) {
  const auto *a = static_cast<const KORVU_ASN1_ANY *>(v);
  if (a == nullptr) return kLenError;
  if (a->eoc) return 2;
  Len cl = stored_length(a);
  if (cl == kLenError || cl == kLenIndef) return cl;
  uint32_t hs = header_size(a);
  if (hs == 0) return kLenError;
  return len_add(hs, cl);
}

int op_encode(KORVU_STREAM *s, const void *v, uint32_t *written, KORVU_ERR_CTX *ctx) {
  const auto *a = static_cast<const KORVU_ASN1_ANY *>(v);
  if (written != nullptr) *written = 0;
  if (s == nullptr || a == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (a->eoc) {
    int r = write_eoc(s, ctx);
    if (r != 1) return r;
    if (written != nullptr) *written = 2;
    return 1;
  }
  Len cl = stored_length(a);
  if (cl == kLenError) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return 0;
  }
  uint32_t hs = 0;
  const unsigned char *hp = a->header != nullptr ? korvu_memstream_data(a->header, &hs) : nullptr;
  if (hp == nullptr || hs == 0) {
    KORVU_ENCODE_ERR(ctx, kType);
    return 0;
  }
  // A memory content stream is checked before anything is written.
  if (cl != kLenIndef && stream::is_mem(a->content)) {
    uint32_t n = 0;
    korvu_memstream_data(a->content, &n);
    if (n != cl) {
      KORVU_ENCODE_ERR(ctx, kType);
      return 0;
    }
  }
  int r = korvu_stream_writen(s, hp, hs);
  if (r != 1) {
    put_stream_err(ctx, r);
    KORVU_ENCODE_ERR(ctx, kType);
    return r;
  }
  uint32_t n = 0;
  r = write_stream(s, a->content, &n);
  if (r != 1) {
    put_stream_err(ctx, r);
    KORVU_ENCODE_ERR(ctx, kType);
    return r;
  }
  if (cl != kLenIndef && n != cl) {
    KORVU_ENCODE_ERR(ctx, kType);
    return 0;
  }
  if (written != nullptr) *written = hs + n;
  return 1;
}

int op_encode_content(KORVU_STREAM *s, const void *v, uint32_t length, uint32_t *written,
                      KORVU_ERR_CTX *ctx) {
  const auto *a = static_cast<const KORVU_ASN1_ANY *>(v);
  if (written != nullptr) *written = 0;
  if (s == nullptr || a == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  uint32_t stored = a->eoc ? 0 : a->content_length;
  if (length != stored) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return 0;
  }
  if (a->eoc) return 1;
  uint32_t n = 0;
  int r = write_stream(s, a->content, &n);
  if (r != 1) {
    put_stream_err(ctx, r);
    return r;
  }
  if (length != 0xFFFFFFFFu && n != length) {
    KORVU_ERR(ctx, KORVU_ERR_COUNT_MISMATCH);
    return 0;
  }
  if (written != nullptr) *written = n;
  return 1;
}

// Contents-only decoding needs the identifier, which an ANY decides itself.
int op_decode_content(KORVU_STREAM *, void **out, int, uint32_t, uint32_t *consumed, KORVU_ERR_CTX *ctx, int) {
  if (out != nullptr) *out = nullptr;
  if (consumed != nullptr) *consumed = 0;
  KORVU_ERR(ctx, kErrUnsupportDecode);
  return 0;
}

// Builds an ANY from a header already read (not an end-of-contents) and its
// contents read from `s` into `content` (or a new stream the value owns).
int build(KORVU_STREAM *s, const Header &h, KORVU_STREAM *content, KORVU_ASN1_ANY **out, uint32_t *consumed,
          KORVU_ERR_CTX *ctx, int depth) {
  *out = nullptr;
  *consumed = 0;
  if (!identifier_allowed(h.tag_class, h.primitive, h.tag)) {
    KORVU_ERR(ctx, kErrBadTagNumber);
    return 0;
  }
  if (h.primitive && h.length == 0xFFFFFFFFu) {
    KORVU_ERR(ctx, kErrMustBeDefinite);
    return 0;
  }
  if (depth_exceeded(depth)) return depth_failure(ctx);
  // One block holds the record, the header stream with room for the
  // identifier and length octets, and (for a value that owns its contents) a
  // content stream with room for a definite length up to 2 KiB; longer or
  // indefinite contents grow a buffer of their own as they arrive.
  const size_t record = (sizeof(KORVU_ASN1_ANY) + 7) & ~size_t{7};
  const size_t head = stream::embedded_size(h.size);
  const size_t body_cap = std::min<uint32_t>(contents_capacity(h.length, kContentCapacity), 2048);
  const size_t body = content == nullptr ? stream::embedded_size(body_cap) : 0;
  AnyHolder hold;
  hold.a = static_cast<KORVU_ASN1_ANY *>(KORVU_ALLOC(record + head + body));
  if (hold.a == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  KORVU_ASN1_ANY *a = hold.a;
  std::memset(a, 0, sizeof(*a));
  char *block = reinterpret_cast<char *>(a);
  a->tag_class = h.tag_class;
  a->primitive = h.primitive ? 1 : 0;
  a->tag_number = h.tag;
  a->content_length = h.length;
  // The value's streams keep no error context (it outlives this call).
  // The header octets fill the room made for them exactly.
  a->header = stream::embed_mem(block + record, h.size, nullptr);
  std::memcpy(a->header->data, h.raw, h.size);
  a->header->size = h.size;
  if (content == nullptr) {
    a->content = stream::embed_mem(block + record + head, body_cap, nullptr);
    a->owns_content = 1;
    // Longer definite contents that a memory input holds get one buffer of
    // their size (a claim beyond the input is never allocated).
    if (h.length != 0xFFFFFFFFu && h.length > body_cap && stream::mem_holds(s, h.length) &&
        !stream::reserve_exact(a->content, h.length)) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
  } else {
    a->content = content;
    a->owns_content = 0;
  }
  const int r = read_contents(s, h, a->content, consumed, ctx, depth);
  if (r != 1) {
    *consumed = 0;
    return r;
  }
  *out = hold.release();
  return 1;
}

int op_decode_tlv(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                  int depth) {
  uint32_t used = 0;
  if (consumed != nullptr) *consumed = 0;
  if (s == nullptr || out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  if (is_eoc_identifier(h)) {
    // The single length octet must be 00.
    if (h.size != 2 || h.raw[1] != 0x00) {
      KORVU_ERR(ctx, kErrDecodeEoc);
      KORVU_DECODE_ERR(ctx, kType);
      return 0;
    }
    KORVU_ASN1_ANY *a = new_eoc();
    if (a == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
    *out = a;
    return 1;
  }
  KORVU_ASN1_ANY *a = nullptr;
  int r = build(s, h, nullptr, &a, &used, ctx, depth);
  if (r != 1) {
    if (r != static_cast<int>(KORVU_ERR_DEPTH)) KORVU_DECODE_ERR(ctx, kType);
    return r;
  }
  *out = a;
  if (consumed != nullptr) *consumed = used;
  return 1;
}

// ---------------------------------------------------------------------------
// A read view of an ANY's contents for the conversions: a read-only duplicate
// of a memory stream, or the caller's stream itself, rewound.
class ContentView {
 public:
  ~ContentView() {
    if (owned_) korvu_stream_free(s_);
  }
  int open(const KORVU_ASN1_ANY *a, KORVU_ERR_CTX *ctx) {
    static constexpr unsigned char kNothing[1] = {0};
    if (a->eoc || a->content == nullptr) {
      s_ = korvu_stream_new_romem(kNothing, 0);
      owned_ = true;
    } else if (stream::is_mem(a->content)) {
      s_ = korvu_memstream_dup_readonly(a->content);
      owned_ = true;
    } else {
      if (korvu_stream_ctrl(a->content, KORVU_STREAM_CTRL_REWIND, nullptr) != 1) {
        KORVU_ERR(ctx, KORVU_STREAM_ERR_SEEK);
        return KORVU_STREAM_ERR_SEEK;
      }
      s_ = a->content;
      owned_ = false;
    }
    if (s_ == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
    return 1;
  }
  KORVU_STREAM *get() const { return s_; }
  bool at_end() const {
    if (stream::is_mem(s_)) return s_->pos == s_->size;
    return korvu_stream_ctrl(s_, KORVU_STREAM_CTRL_ATEND, nullptr) == 1;
  }

 private:
  KORVU_STREAM *s_ = nullptr;
  bool owned_ = false;
};

// Common argument checks of the conversions.
int check_conversion(const KORVU_ASN1_ANY *a, uint32_t type, void **object, KORVU_ERR_CTX *ctx) {
  if (object != nullptr) *object = nullptr;
  if (a == nullptr || object == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (type_desc(type) == nullptr) {
    KORVU_ERR(ctx, kErrUnsupportType);
    return 0;
  }
  return 1;
}

// Hands out the value when the input is used up.
int finish(ContentView &view, Holder &value, void **object, KORVU_ERR_CTX *ctx) {
  if (!view.at_end()) {
    KORVU_ERR(ctx, kErrBytesNotDecoded);
    return 0;
  }
  *object = value.release();
  return 1;
}

}  // namespace

bool identifier_allowed(uint32_t tag_class, int primitive, uint32_t tag) {
  if (tag_class != 0x00) return true;
  if (tag >= sizeof(kUniversalForms)) return false;
  return (kUniversalForms[tag] & (primitive ? P : C)) != 0;
}

int read_contents(KORVU_STREAM *s, const Header &h, KORVU_STREAM *content, uint32_t *consumed,
                  KORVU_ERR_CTX *ctx, int depth) {
  *consumed = 0;
  if (h.length != 0xFFFFFFFFu) {
    int r = copy_octets(s, content, h.length);
    if (r != 1) {
      put_stream_err(ctx, r);
      return r;
    }
    *consumed = h.length;
    return 1;
  }
  // Indefinite: walk the nested encodings. Definite ones are copied without
  // looking in; every indefinite one opens a level, closed by its 00 00.
  // Elements directly inside the value at `depth` are at depth + 1.
  static constexpr unsigned char kEoc[2] = {0, 0};
  uint64_t used = 0;
  int open = 1;
  while (open > 0) {
    Header nh;
    int r = read_identifier(s, nh, ctx);
    if (r != 1) {
      KORVU_ERR(ctx, kErrDecodeIdentifier);
      return r;
    }
    if (is_eoc_identifier(nh)) {
      r = read_eoc_tail(s, ctx);
      if (r != 1) return r;
      r = korvu_stream_writen(content, kEoc, 2);
      if (r != 1) {
        put_stream_err(ctx, r);
        return r;
      }
      used += 2;
      open--;
      continue;
    }
    if (!identifier_allowed(nh.tag_class, nh.primitive, nh.tag)) {
      KORVU_ERR(ctx, kErrBadTagNumber);
      return 0;
    }
    r = read_length(s, nh, ctx);
    if (r != 1) {
      KORVU_ERR(ctx, kErrDecodeLengthOctets);
      return r;
    }
    if (nh.primitive && nh.length == 0xFFFFFFFFu) {
      KORVU_ERR(ctx, kErrMustBeDefinite);
      return 0;
    }
    if (depth_exceeded(depth + open)) return depth_failure(ctx);
    r = korvu_stream_writen(content, nh.raw, nh.size);
    if (r != 1) {
      put_stream_err(ctx, r);
      return r;
    }
    used += nh.size;
    if (nh.length == 0xFFFFFFFFu) {
      open++;
    } else {
      r = copy_octets(s, content, nh.length);
      if (r != 1) {
        put_stream_err(ctx, r);
        return r;
      }
      used += nh.length;
    }
    if (used > kLenMax) {
      KORVU_ERR(ctx, kErrLengthTooLarge);
      return 0;
    }
  }
  *consumed = static_cast<uint32_t>(used);
  return 1;
}

}  // namespace korvu::any

KORVU_REGISTER_TYPE(KORVU_TYPE_ANY) = {
    &korvu::any::free_any,      &korvu::any::op_content_length, &korvu::any::op_total_length,
    &korvu::any::op_encode_content, &korvu::any::op_decode_content, &korvu::any::op_encode,
    &korvu::any::op_decode_tlv, nullptr,
};

// ---------------------------------------------------------------------------
// Exports.

using korvu::Header;
using korvu::Holder;
using korvu::any::AnyHolder;
using korvu::any::ContentView;

extern "C" {

KORVU_API KORVU_ASN1_ANY *korvu_asn1_any_new(uint32_t tag_class, uint32_t primitive, uint32_t tag_number,
                                             uint32_t content_length, const void *bytes, int32_t count) {
  if (count < 0 || (count > 0 && bytes == nullptr)) return nullptr;
  const int prim = primitive ? 1 : 0;
  const auto *b = static_cast<const unsigned char *>(bytes);
  if (content_length == 0xFFFFFFFFu) {
    if (prim || count < 2 || b[count - 2] != 0x00 || b[count - 1] != 0x00) return nullptr;
  }
  if (tag_class == 0x00 && prim && tag_number == 0 && content_length == 0) {
    return count == 0 ? korvu::any::new_eoc() : nullptr;
  }
  AnyHolder hold;
  hold.a = korvu::any::alloc_any();
  if (hold.a == nullptr) return nullptr;
  KORVU_ASN1_ANY *a = hold.a;
  a->tag_class = tag_class;
  a->primitive = static_cast<uint32_t>(prim);
  a->tag_number = tag_number;
  a->content_length = content_length;
  a->header = korvu_stream_new_mem(korvu::any::kHeaderCapacity, nullptr);
  if (a->header == nullptr) return nullptr;
  if (korvu::write_identifier(a->header, tag_class, prim, tag_number, nullptr, nullptr) != 1) return nullptr;
  if (korvu::write_length(a->header, content_length, nullptr, nullptr) != 1) return nullptr;
  a->content = korvu_stream_new_mem(korvu::any::kContentCapacity, nullptr);
  if (a->content == nullptr) return nullptr;
  a->owns_content = 1;
  if (count > 0 && korvu_stream_writen(a->content, b, static_cast<uint32_t>(count)) != 1) return nullptr;
  return hold.release();
}

KORVU_API int korvu_asn1_any_isprimitive(const KORVU_ASN1_ANY *value, uint32_t *primitive) {
  if (value == nullptr || primitive == nullptr) return 0;
  *primitive = value->primitive;
  return 1;
}

KORVU_API int korvu_asn1_any_gettagnumber(const KORVU_ASN1_ANY *value, uint32_t *tag_number) {
  if (value == nullptr || tag_number == nullptr) return 0;
  *tag_number = value->tag_number;
  return 1;
}

KORVU_API int korvu_asn1_any_gettypeclass(const KORVU_ASN1_ANY *value, uint32_t *tag_class) {
  if (value == nullptr || tag_class == nullptr) return 0;
  *tag_class = value->tag_class;
  return 1;
}

KORVU_API uint32_t korvu_asn1_any_getcontentlength(const KORVU_ASN1_ANY *value) {
  if (value == nullptr) return 0xFFFFFFFEu;
  return value->eoc ? 0 : value->content_length;
}

KORVU_API int korvu_asn1_any_iseoc(const KORVU_ASN1_ANY *value) { return value != nullptr && value->eoc ? 1 : 0; }

KORVU_API int korvu_asn1_any_getcontent(KORVU_ASN1_ANY *value, int mode, void *buffer, int32_t size,
                                        uint32_t *count, KORVU_ERR_CTX *ctx) {
  if (count != nullptr) *count = 0;
  if (value == nullptr || count == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (mode != KORVU_ASN1_ANY_READ_FIRST && mode != KORVU_ASN1_ANY_READ_NEXT) {
    KORVU_ERR(ctx, KORVU_STREAM_ERR_MODE);
    return KORVU_STREAM_ERR_MODE;
  }
  if (size < 0) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return 0;
  }
  if (value->eoc || value->content == nullptr || size == 0) return 1;
  if (buffer == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  KORVU_STREAM *s = value->content;
  if (mode == KORVU_ASN1_ANY_READ_FIRST) {
    int r = korvu_stream_ctrl(s, KORVU_STREAM_CTRL_REWIND, nullptr);
    if (r != 1) {
      KORVU_ERR(ctx, KORVU_STREAM_ERR_SEEK);
      return KORVU_STREAM_ERR_SEEK;
    }
  }
  if (korvu::stream::is_mem(s)) {
    size_t avail = s->size - s->pos;
    size_t n = avail < static_cast<size_t>(size) ? avail : static_cast<size_t>(size);
    if (n != 0) std::memcpy(buffer, s->data + s->pos, n);
    s->pos += n;
    *count = static_cast<uint32_t>(n);
    return 1;
  }
  int r = korvu_stream_read(s, buffer, static_cast<uint32_t>(size), count);
  if (r != 1) {
    *count = 0;
    korvu::any::put_stream_err(ctx, r);
  }
  return r;
}

KORVU_API int korvu_asn1_decode_any_ex(KORVU_STREAM *stream, KORVU_STREAM *content, KORVU_ASN1_ANY **value,
                                       uint32_t *consumed, KORVU_ERR_CTX *ctx) {
  if (consumed != nullptr) *consumed = 0;
  if (value != nullptr) *value = nullptr;
  if (stream == nullptr || content == nullptr || value == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  Header h;
  int r = korvu::read_identifier(stream, h, ctx);
  if (r != 1) {
    KORVU_ERR(ctx, korvu::kErrDecodeIdentifier);
    return r;
  }
  if (h.raw[0] == 0x00) {
    r = korvu::read_eoc_tail(stream, ctx);
    if (r != 1) return r;
    KORVU_ASN1_ANY *a = korvu::any::new_eoc();
    if (a == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NOMEM);
      return 0;
    }
    *value = a;
    if (consumed != nullptr) *consumed = 2;
    return 1;
  }
  if (!korvu::any::identifier_allowed(h.tag_class, h.primitive, h.tag)) {
    KORVU_ERR(ctx, korvu::kErrBadTagNumber);
    return 0;
  }
  r = korvu::read_length(stream, h, ctx);
  if (r != 1) {
    KORVU_ERR(ctx, korvu::kErrDecodeLengthOctets);
    return r;
  }
  uint32_t used = 0;
  KORVU_ASN1_ANY *a = nullptr;
  r = korvu::any::build(stream, h, content, &a, &used, ctx, 0);
  if (r != 1) {
    if (r != static_cast<int>(KORVU_ERR_DEPTH)) KORVU_DECODE_ERR(ctx, korvu::any::kType);
    return r;
  }
  *value = a;
  if (consumed != nullptr) *consumed = h.size + used;
  return 1;
}

KORVU_API int korvu_asn1_any_getobject(const KORVU_ASN1_ANY *value, uint32_t type, void **object,
                                       KORVU_ERR_CTX *ctx) {
  int r = korvu::any::check_conversion(value, type, object, ctx);
  if (r != 1) return r;
  ContentView view;
  r = view.open(value, ctx);
  if (r != 1) return r;
  Holder obj(type);
  uint32_t used = 0;
  r = korvu::decode_value(view.get(), type, obj.out(), &used, ctx, 0);
  if (r != 1) {
    KORVU_DECODE_ERR(ctx, type);
    return r;
  }
  if (!value->eoc && value->content_length == 0xFFFFFFFFu) {
    // The explicit wrapper's end-of-contents follows the inner encoding.
    Holder eoc(KORVU_TYPE_END_OF_CONTENTS);
    r = korvu::decode_value(view.get(), KORVU_TYPE_END_OF_CONTENTS, eoc.out(), &used, ctx, 0);
    if (r != 1) {
      KORVU_DECODE_ERR(ctx, type);
      return r;
    }
  }
  return korvu::any::finish(view, obj, object, ctx);
}

KORVU_API int korvu_asn1_any_contenttoobject(const KORVU_ASN1_ANY *value, uint32_t type, void **object,
                                             KORVU_ERR_CTX *ctx) {
  int r = korvu::any::check_conversion(value, type, object, ctx);
  if (r != 1) return r;
  const korvu::TypeDesc *d = korvu::type_desc(type);
  if (d->ops == nullptr || d->ops->decode_content == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  ContentView view;
  r = view.open(value, ctx);
  if (r != 1) return r;
  Holder obj(type);
  uint32_t used = 0;
  const uint32_t length = value->eoc ? 0 : value->content_length;
  r = d->ops->decode_content(view.get(), obj.out(), value->primitive ? 1 : 0, length, &used, ctx, 0);
  if (r != 1) {
    KORVU_DECODE_ERR(ctx, type);
    return r;
  }
  return korvu::any::finish(view, obj, object, ctx);
}

KORVU_API int korvu_asn1_any_toobject(const KORVU_ASN1_ANY *value, uint32_t type, void **object,
                                      KORVU_ERR_CTX *ctx) {
  int r = korvu::any::check_conversion(value, type, object, ctx);
  if (r != 1) return r;
  KORVU_STREAM *ms = korvu_stream_new_mem(1024, ctx);
  if (ms == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  uint32_t written = 0;
  r = korvu::any::op_encode(ms, value, &written, ctx);
  if (r != 1) {
    korvu_stream_free(ms);
    KORVU_DECODE_ERR(ctx, type);
    return r;
  }
  Holder obj(type);
  uint32_t used = 0;
  r = korvu::decode_value(ms, type, obj.out(), &used, ctx, 0);
  if (r != 1) {
    korvu_stream_free(ms);
    KORVU_DECODE_ERR(ctx, type);
    return r;
  }
  const bool at_end = ms->pos == ms->size;
  korvu_stream_free(ms);
  if (!at_end) {
    KORVU_ERR(ctx, korvu::kErrBytesNotDecoded);
    return 0;
  }
  *object = obj.release();
  return 1;
}

KORVU_API KORVU_ASN1_ANY *korvu_asn1_objecttoany(uint32_t type, const void *object) {
  if (type == KORVU_TYPE_END_OF_CONTENTS || korvu::type_desc(type) == nullptr) return nullptr;
  KORVU_STREAM *ms = korvu_stream_new_mem(1024, nullptr);
  if (ms == nullptr) return nullptr;
  uint32_t written = 0;
  void *out = nullptr;
  uint32_t used = 0;
  if (korvu::encode_value(ms, type, object, &written, nullptr) == 1 &&
      korvu::decode_value(ms, KORVU_TYPE_ANY, &out, &used, nullptr, 0) == 1 && ms->pos != ms->size) {
    korvu::any::free_any(out);
    out = nullptr;
  }
  korvu_stream_free(ms);
  return static_cast<KORVU_ASN1_ANY *>(out);
}

}  // extern "C"
