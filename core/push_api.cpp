// The push decoders' and the streaming encoder's exported operations, over the
// state machine of push.cpp.
#define KORVU_SRC "KORVU_ASN1_Stream"
#include <cstring>
#include <new>

#include "internal.h"
#include "push_internal.h"

namespace korvu::push {
namespace {

template <typename Ctx>
Ctx *new_ctx() {
  void *block = KORVU_ALLOC(sizeof(Ctx));
  if (block == nullptr) return nullptr;
  return new (block) Ctx();
}

}  // namespace
}  // namespace korvu::push


using korvu::push::Machine;
using korvu::push::Mode;
using korvu::push::Sinks;

extern "C" {

// ---- OCTET STRING --------------------------------------------------------

KORVU_ASN1_DECODE_OCTETSTRING_CTX *korvu_asn1_decode_octetstring_ctx_new(void) {
  return korvu::push::new_ctx<KORVU_ASN1_DECODE_OCTETSTRING_CTX>();
}

int korvu_asn1_decode_octetstring_update(KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx, KORVU_STREAM *out,
                                         const void *bytes, int32_t count, uint32_t *left) {
  if (left != nullptr) *left = 0;
  if (ctx == nullptr || out == nullptr || left == nullptr) return 0;
  return korvu::push::feed(ctx->m, Sinks{Mode::OctetString, out, nullptr}, bytes, count, left, false);
}

int korvu_asn1_decode_octetstring_content_update(KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx, KORVU_STREAM *out,
                                                 const void *bytes, int32_t count, uint32_t *left) {
  if (left != nullptr) *left = 0;
  if (ctx == nullptr || korvu::push::visible_state(ctx->m) != korvu::push::kContents) return 0;
  return korvu_asn1_decode_octetstring_update(ctx, out, bytes, count, left);
}

int korvu_asn1_decode_octetstring_isfinish(const KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx) {
  return ctx != nullptr && ctx->m.state == korvu::push::kFinished ? 1 : 0;
}

uint32_t korvu_asn1_decode_octetstring_ctx_getencodelength(const KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx) {
  if (ctx == nullptr || ctx->m.state != korvu::push::kFinished || ctx->m.total > 0xFFFFFFFFu) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(ctx->m.total);
}

int korvu_asn1_decode_octetstring_ctx_setstate(KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx, uint32_t primitive,
                                               uint32_t length) {
  if (ctx == nullptr) return 0;
  Machine &m = ctx->m;
  if (m.state != korvu::push::kIdent || m.total != 0) return 0;
  m.tag_class = 0;
  m.tag = 4;
  m.primitive = primitive != 0 ? 1 : 0;
  m.indefinite = length == 0xFFFFFFFFu;
  m.length = m.indefinite ? 0 : length;
  if ((!m.indefinite && length > 0x7FFFFFFFu) || !korvu::push::begin_contents(m)) {
    korvu::push::fail(m);
    korvu::push::release(m);
    return 0;
  }
  return 1;
}

void korvu_asn1_decode_octetstring_ctx_free(KORVU_ASN1_DECODE_OCTETSTRING_CTX *ctx) {
  if (ctx == nullptr) return;
  korvu::push::release(ctx->m);
  ctx->~korvu_asn1_decode_octetstring_ctx_st();
  korvu_free(ctx);
}

// ---- ANY -----------------------------------------------------------------

KORVU_ASN1_DECODE_ANY_CTX *korvu_asn1_decode_any_ctx_new(void) {
  auto *ctx = korvu::push::new_ctx<KORVU_ASN1_DECODE_ANY_CTX>();
  if (ctx == nullptr) return nullptr;
  ctx->header = korvu_stream_new_mem(32, nullptr);
  ctx->content = korvu_stream_new_mem(512, nullptr);
  if (ctx->header == nullptr || ctx->content == nullptr) {
    korvu_asn1_decode_any_ctx_free(ctx);
    return nullptr;
  }
  return ctx;
}

int korvu_asn1_decode_any_update(KORVU_ASN1_DECODE_ANY_CTX *ctx, const void *bytes, int32_t count, uint32_t *left) {
  if (left != nullptr) *left = 0;
  if (ctx == nullptr || left == nullptr) return 0;
  return korvu::push::feed(ctx->m, Sinks{Mode::Any, ctx->content, ctx->header}, bytes, count, left, false);
}

int korvu_asn1_decode_any_identifier_length(KORVU_ASN1_DECODE_ANY_CTX *ctx, int fresh, const void *bytes,
                                            int32_t count, uint32_t *tag_class, uint32_t *primitive,
                                            uint32_t *tag_number, uint32_t *length, uint32_t *left) {
  if (left != nullptr) *left = 0;
  if (ctx == nullptr || left == nullptr) return 0;
  Machine &m = ctx->m;
  if (m.state == korvu::push::kFailed) return 0;
  if (fresh != 0 ? (m.state != korvu::push::kIdent || m.total != 0) : m.top_header_done) return 0;
  int r = korvu::push::feed(m, Sinks{Mode::Any, ctx->content, ctx->header}, bytes, count, left, true);
  if (r != 1) return r;
  if (!m.top_header_done) {
    if (length != nullptr) *length = 0xFFFFFFFEu;
    return 1;
  }
  if (tag_class != nullptr) *tag_class = m.top_class;
  if (primitive != nullptr) *primitive = m.top_primitive;
  if (tag_number != nullptr) *tag_number = m.top_tag;
  if (length != nullptr) *length = m.top_length;
  return 1;
}

int korvu_asn1_decode_any_isfinish(const KORVU_ASN1_DECODE_ANY_CTX *ctx) {
  return ctx != nullptr && ctx->m.state == korvu::push::kFinished ? 1 : 0;
}

int korvu_asn1_decode_any_ctx_iseoc(const KORVU_ASN1_DECODE_ANY_CTX *ctx) {
  return ctx != nullptr && ctx->m.state == korvu::push::kFinished && ctx->m.top_eoc ? 1 : 0;
}

int korvu_asn1_decode_any_ctx_toobject(const KORVU_ASN1_DECODE_ANY_CTX *ctx, uint32_t type, void **value,
                                       KORVU_ERR_CTX *err) {
  if (value != nullptr) *value = nullptr;
  if (ctx == nullptr || value == nullptr) {
    KORVU_ERR(err, KORVU_ERR_NULLARG);
    return 0;
  }
  if (ctx->m.state != korvu::push::kFinished) {
    KORVU_ERR(err, KORVU_ERR_BADARG);
    return KORVU_ASN1_PUSH_NOT_FINISHED;
  }
  uint32_t hlen = 0, clen = 0;
  const unsigned char *h = korvu_memstream_data(ctx->header, &hlen);
  const unsigned char *c = korvu_memstream_data(ctx->content, &clen);
  if (h == nullptr || c == nullptr || clen > 0xFFFFFFFFu - hlen) {
    KORVU_ERR(err, KORVU_STREAM_ERR_LENGTH);
    return 0;
  }
  KORVU_STREAM *s = korvu_stream_new_mem(2048, err);
  if (s == nullptr) return 0;
  int r = korvu_stream_writen(s, h, hlen);
  if (r == 1) r = korvu_stream_writen(s, c, clen);
  if (r != 1) {
    korvu_stream_free(s);
    KORVU_ERR(err, KORVU_ERR_NOMEM);
    return r;
  }
  void *v = nullptr;
  uint32_t consumed = 0;
  r = korvu_asn1_decode(s, type, &v, &consumed, err);
  korvu_stream_free(s);
  if (r != 1) return r;
  if (consumed != hlen + clen) {
    korvu::value_free(type, v);
    KORVU_ERR(err, korvu::kErrBytesNotDecoded);
    return 0;
  }
  *value = v;
  return 1;
}

void korvu_asn1_decode_any_ctx_free(KORVU_ASN1_DECODE_ANY_CTX *ctx) {
  if (ctx == nullptr) return;
  korvu::push::release(ctx->m);
  korvu_stream_free(ctx->header);
  korvu_stream_free(ctx->content);
  ctx->~korvu_asn1_decode_any_ctx_st();
  korvu_free(ctx);
}

// ---- Streaming OCTET STRING encoder -------------------------------------

int korvu_asn1_encode_octetstring_init(KORVU_STREAM *out) {
  if (out == nullptr) return 0;
  static const unsigned char kHeader[2] = {0x24, 0x80};
  return korvu_stream_writen(out, kHeader, 2);
}

int korvu_asn1_encode_octetstring_update(KORVU_STREAM *out, const void *bytes, int32_t count) {
  if (out == nullptr || count < 0 || (bytes == nullptr && count != 0)) return 0;
  // One primitive segment: 04, the minimal definite length, the bytes.
  unsigned char header[6];
  uint32_t n = static_cast<uint32_t>(count);
  uint32_t size = 0;
  header[size++] = 0x04;
  if (n < 0x80) {
    header[size++] = static_cast<unsigned char>(n);
  } else {
    uint32_t octets = n > 0xFFFFFF ? 4 : n > 0xFFFF ? 3 : n > 0xFF ? 2 : 1;
    header[size++] = static_cast<unsigned char>(0x80 | octets);
    for (uint32_t k = octets; k-- > 0;) header[size++] = static_cast<unsigned char>(n >> (8 * k));
  }
  int r = korvu_stream_writen(out, header, size);
  if (r != 1) return r;
  return korvu_stream_writen(out, bytes, n);
}

int korvu_asn1_encode_octetstring_end(KORVU_STREAM *out) {
  if (out == nullptr) return 0;
  static const unsigned char kEoc[2] = {0x00, 0x00};
  return korvu_stream_writen(out, kEoc, 2);
}

}  // extern "C"
