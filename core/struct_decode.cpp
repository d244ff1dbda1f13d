// The structure engine: decoding records and CHOICEs from their
// components.
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct_engine.h"
#include "../util/error_impl.h"

#include <algorithm>
#include <cstdio>

namespace korvu::st::eng {

// Asks a component's acceptance rule with the first contents octets of the
// element whose header h was read (1 yes, 0 no, else a stream failure).
// Memory input is looked at in place; a file is read ahead and sought back.
static int rule_accepts(const Field &f, KORVU_STREAM *s, const Header &h, KORVU_ERR_CTX *ctx) {
  if (f.accept == nullptr) return 1;
  unsigned char inner[kPeek];
  uint32_t want = h.length < kPeek ? h.length : kPeek, n = 0;
  if (stream::is_mem(s)) {
    n = static_cast<uint32_t>(std::min<size_t>(want, s->size - s->pos));
    if (n) std::memcpy(inner, s->data + s->pos, n);
  } else if (s->fp != nullptr) {
    const off_t here = ftello(s->fp);
    n = here < 0 ? 0 : static_cast<uint32_t>(std::fread(inner, 1, want, s->fp));
    if (here < 0 || fseeko(s->fp, here, SEEK_SET) != 0) {
      KORVU_ERR(ctx, KORVU_STREAM_ERR_SEEK);
      return KORVU_STREAM_ERR_SEEK;
    }
  }
  return f.accept(h, inner, n) ? 1 : 0;
}

// Decodes the components of a SEQUENCE into `record`; `used` counts the
// contents octets read.
int decode_components(const StructDef &d, KORVU_STREAM *s, void *record, uint32_t length, uint64_t &used,
                      KORVU_ERR_CTX *ctx, int depth, const InPlace *plan) {
  const bool indefinite = length == 0xFFFFFFFFu;
  Header h;
  bool pending = false, ended = false;
  uint64_t start = 0;  // offset of the pending header's first octet

  // Fetches the next component's header, if the contents hold one more.
  auto next = [&]() -> int {
    if (pending || ended) return 1;
    if (!indefinite && used >= length) {
      ended = true;
      return 1;
    }
    start = used;
    int rr = read_header(s, h, ctx);
    if (rr != 1) return rr;
    used += h.size;
    if (indefinite && h.raw[0] == 0) {
      if (h.size != 2 || h.raw[1] != 0) {
        KORVU_ERR(ctx, kErrDecodeEoc);
        return 0;
      }
      ended = true;
      return 1;
    }
    if (!indefinite && (used > length || (h.length != 0xFFFFFFFFu && used + h.length > length))) {
      KORVU_ERR(ctx, kErrIncorrectLength);
      return 0;
    }
    pending = true;
    return 1;
  };

  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    int r = next();
    if (r != 1) return r;
    const int accepted = pending && field_accepts(f, h) ? rule_accepts(f, s, h, ctx) : 0;
    if (accepted != 0 && accepted != 1) return accepted;
    if (accepted == 1) {
      uint32_t n = 0;
      r = field_decode(f, s, h, record, &n, ctx, depth, plan);
      if (r != 1) return r;
      if (d.form != kNone && f.tagging == Tagging::Explicit && h.length == 0xFFFFFFFFu && i < 31)
        at<uint32_t>(record, d.form) |= 2u << i;
      set_offset(f, record, start);
      pending = false;
      used += n;
      set_end(f, record, used);
      if (!indefinite && used > length) {
        KORVU_ERR(ctx, kErrIncorrectLength);
        return 0;
      }
    } else if (f.presence == Presence::Required) {
      KORVU_ERR(ctx, kErrIncorrectItem);
      report_decode(f, ctx);
      return 0;
    } else if (f.presence == Presence::Default) {
      void *v = default_value(f);
      if (v == nullptr) {
        KORVU_ERR(ctx, KORVU_ERR_NOMEM);
        return 0;
      }
      at<void *>(record, f.offset) = v;
    }
  }
  int r = next();
  if (r != 1) return r;
  if (d.form != kNone && indefinite) at<uint32_t>(record, d.form) |= 1u;
  if (pending || (indefinite && !ended)) {
    // "Incorrect length" speaks of a definite length; where end-of-contents
    // is due, the element found instead is an incorrect item.
    KORVU_ERR(ctx, indefinite && d.leftover_code == kErrIncorrectLength ? kErrIncorrectItem : d.leftover_code);
    return 0;
  }
  return 1;
}

// The reader of held contents (struct_mem.cpp). Its values' entries
// (warnings of values that decode) go to the caller's context; a failure's
// are taken back, as the general decoder reports the failure again.
static bool mem_first(const StructDef &d, KORVU_STREAM *s, KORVU_ERR_CTX *ctx, uint32_t length, void **out,
                      const Header *whole) {
  const uint32_t before = korvu_err_ctx_count(ctx);
  if (mem_decode_record(d, s, ctx, length, out, 0, whole)) return true;
  ::korvu::err::truncate(ctx, before);
  return false;
}

// Decodes the contents of a record. With `whole` (the record's header, read
// from the memory stream s whose unread octets hold the whole definite
// contents), the record's block also receives a copy of its whole TLV, which
// becomes its kept encoding.
int decode_record(const StructDef &d, KORVU_STREAM *s, void **out, int primitive, uint32_t length,
                  uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth, const Header *whole) {
  if (out == nullptr || s == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  if (primitive) {
    KORVU_ERR(ctx, kErrPcBit);
    return 0;
  }
  if (depth_exceeded(depth)) return depth_failure(ctx);
  // A value read from the start of a memory input: the reader of held
  // contents first, this one again for whatever it leaves (reporting it).
  if (depth == 0 && mem_first(d, s, ctx, length, out, whole)) {
    if (consumed) *consumed = length;
    return 1;
  }
  const size_t whole_size = whole != nullptr ? static_cast<size_t>(whole->size) + length : 0;
  void *record = alloc_record(d, whole_size);
  if (record == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  InPlace plan{0, 0, nullptr};
  if (whole != nullptr) {
    auto *copy = static_cast<unsigned char *>(record) + tail_offset(d);
    std::memcpy(copy, whole->raw, whole->size);
    std::memcpy(copy + whole->size, s->data + s->pos, length);
    at<Kept>(record, d.kept) = Kept{copy, static_cast<uint32_t>(whole_size), 1};
    plan = InPlace{s->pos, length, copy + whole->size};
  }
  uint64_t used = 0;
  int r;
  if (d.kind == Kind::List) {
    const Field &f = d.fields[0];
    Header h;
    h.primitive = 0;
    h.length = length;
    uint32_t n = 0;
    void *l = nullptr;
    r = read_list(f, s, h, &l, &n, ctx, depth - 1);
    at<void *>(record, f.offset) = l;
    used = n;
  } else {
    r = decode_components(d, s, record, length, used, ctx, depth, whole != nullptr ? &plan : nullptr);
  }
  if (r == 1 && used > kLenMax) {
    KORVU_ERR(ctx, kErrIncorrectLength);
    r = 0;
  }
  if (r == 1 && d.finish != nullptr && d.finish(record, ctx) != 1) r = 0;
  if (r == 1 && d.check != nullptr && d.check(record, ctx) != 1) r = 0;
  if (r != 1) {
    free_record(d, record);
    return r;
  }
  *out = record;
  if (consumed) *consumed = static_cast<uint32_t>(used);
  return 1;
}

}  // namespace korvu::st::eng

namespace korvu::st {

int decode_content(const StructDef &d, KORVU_STREAM *s, void **out, int primitive, uint32_t length,
                   uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth) {
  return decode_record(d, s, out, primitive, length, consumed, ctx, depth, nullptr);
}

int choice_decode(const StructDef &d, KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed,
                  KORVU_ERR_CTX *ctx, int depth) {
  *out = nullptr;
  if (depth_exceeded(depth)) return depth_failure(ctx);
  const Field *f = nullptr;
  for (uint32_t i = 0; i < d.count && f == nullptr; i++)
    if (field_accepts(d.fields[i], h)) f = &d.fields[i];
  if (f == nullptr) {
    KORVU_ERR(ctx, kErrIncorrectItem);
    return 0;
  }
  auto *c = static_cast<ChoiceRecord *>(KORVU_ALLOC(sizeof(ChoiceRecord)));
  if (c == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  c->choice = f->choice;
  c->value = nullptr;
  int r = field_decode(*f, s, h, c, consumed, ctx, depth, nullptr);
  if (r != 1) {
    korvu_free(c);
    return r;
  }
  *out = c;
  return 1;
}

}  // namespace korvu::st
