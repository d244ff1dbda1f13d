// The structure engine: kept encodings (the octets a signed structure
// writes again unchanged).
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct_engine.h"

namespace korvu::st::eng {

// The table of a component type that keeps its whole encoding (a signed
// structure, a Name), or null. Under an IMPLICIT tag such a value is written
// from its kept octets with the tag in place of its own identifier, and keeps,
// when read, the octets received under the tag with its own identifier in
// place of the tag: so BER survives both ways and the value encodes alone
// with the same contents.
const StructDef *implicit_kept_def(const Field &f) {
  if (f.tagging != Tagging::Implicit || is_list(f) || is_inline(f)) return nullptr;
  const TypeDesc *t = type_desc(f.type);
  if (t == nullptr || t->ops == nullptr || t->ops->def == nullptr || t->ops->decode_tlv == nullptr) return nullptr;
  const auto *d = static_cast<const StructDef *>(t->ops->def);
  return d->kept != kNone && !d->choice() ? d : nullptr;
}

// Identifier octets at the start of an encoding (X.690 8.1.2).
uint32_t identifier_size(const unsigned char *p, uint32_t n) {
  if (n == 0 || (p[0] & 0x1F) != 0x1F) return 1;
  uint32_t i = 1;
  while (i < n && (p[i] & 0x80) != 0) i++;
  return i + 1;
}

// The kept octets of a value of a kept type, written first when it has none.
const Kept *kept_of(const StructDef &kd, const void *v, KORVU_ERR_CTX *ctx) {
  if (kd.check != nullptr && kd.check(v, ctx) != 1) return nullptr;
  const Kept *k = record_kept(kd, v, ctx);
  if (k != nullptr && (k->length < 2 || identifier_size(k->data, k->length) >= k->length)) {
    KORVU_ERR(ctx, kErrCalLength);
    return nullptr;
  }
  return k;
}

int ensure_field_kept(const Field &f, const void *record, KORVU_ERR_CTX *ctx) {
  Kept &k = at<Kept>(const_cast<void *>(record), f.kept);
  if (k.has) return 1;
  return fill_kept(k, 2048, ctx, [&](KORVU_STREAM *m) { return write_tagged(f, m, value_of(record, f), nullptr, ctx); });
}

}  // namespace korvu::st::eng

namespace korvu::st {

void shift_offsets(const StructDef &d, void *record, uint32_t header_length) {
  if (record == nullptr || !d.shift_offsets) return;
  for (uint32_t i = 0; i < d.count; i++)
    if (present(d.fields[i], record)) {
      if (d.fields[i].at != kNone) at<uint32_t>(record, d.fields[i].at) += header_length;
      if (d.fields[i].end_at != kNone) at<uint32_t>(record, d.fields[i].end_at) += header_length;
    }
}

Len kept_total_length(const StructDef &d, const void *record) {
  if (record == nullptr) return kLenError;
  const Kept &k = at<Kept>(record, d.kept);
  if (k.has) return k.length;
  return tlv_length(kCatalog[d.type].tag_number, content_length(d, record));
}

const Kept *record_kept(const StructDef &d, const void *record, KORVU_ERR_CTX *ctx) {
  if (record == nullptr || d.kept == kNone) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return nullptr;
  }
  Kept &k = at<Kept>(const_cast<void *>(record), d.kept);
  if (k.has) return &k;
  const CatalogRow &row = kCatalog[d.type];
  int r = fill_kept(k, d.kept_capacity, ctx, [&](KORVU_STREAM *m) {
    Len l = content_length(d, record);
    if (bad(l)) {
      KORVU_ERR(ctx, kErrCalLength);
      return 0;
    }
    uint32_t head = 0;
    int rr = write_header(m, row.tag_class, 0, row.tag_number, static_cast<uint32_t>(l), &head, ctx);
    if (rr == 1) rr = encode_content(d, m, record, static_cast<uint32_t>(l), nullptr, ctx);
    if (rr == 1) shift_offsets(d, const_cast<void *>(record), head);
    return rr;
  });
  return r == 1 ? &k : nullptr;
}

const Kept *field_kept(const StructDef &d, const void *record, uint32_t i, KORVU_ERR_CTX *ctx) {
  if (record == nullptr || i >= d.count || d.fields[i].kept == kNone || !present(d.fields[i], record)) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return nullptr;
  }
  if (ensure_field_kept(d.fields[i], record, ctx) != 1) return nullptr;
  return &at<Kept>(record, d.fields[i].kept);
}

void discard_kept(const StructDef &d, void *record) {
  if (record == nullptr || d.kept == kNone) return;
  // Components' kept octets inside the record's copy go first (they are
  // written again from their values when asked for).
  for (uint32_t i = 0; i < d.count; i++)
    if (d.fields[i].kept != kNone) release_kept(d, record, at<Kept>(record, d.fields[i].kept));
  release_kept(d, record, at<Kept>(record, d.kept));
}

int copy_kept(const Kept *k, unsigned char *buffer, uint32_t *length) {
  if (k == nullptr || length == nullptr) return 0;
  if (buffer == nullptr) {
    *length = k->length;
    return 1;
  }
  if (*length < k->length) {
    *length = k->length;
    return 0;
  }
  std::memcpy(buffer, k->data, k->length);
  *length = k->length;
  return 1;
}

int kept_encode(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (s == nullptr || record == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  // Kept octets are written as they are, so the check runs here too.
  if (d.check != nullptr && d.check(record, ctx) != 1) return 0;
  const Kept *k = record_kept(d, record, ctx);
  if (k == nullptr) return 0;
  int r = write_octets(s, k->data, k->length, ctx);
  if (r == 1 && w) *w = k->length;
  return r;
}

int kept_decode(const StructDef &d, KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed,
                KORVU_ERR_CTX *ctx, int depth) {
  const CatalogRow &row = kCatalog[d.type];
  if (h.tag_class != row.tag_class || h.tag != row.tag_number || h.primitive) {
    KORVU_ERR(ctx, h.primitive && h.tag == row.tag_number ? kErrPcBit : kErrIncorrectItem);
    return 0;
  }
  void *record = nullptr;
  // Definite contents all present in memory: decode in place, with the copy
  // of the TLV in the record's block.
  if (stream::is_mem(s) && h.length != 0xFFFFFFFFu && s->pos <= s->size && h.length <= s->size - s->pos &&
      static_cast<uint64_t>(h.size) + h.length <= kLenMax) {
    int r = decode_record(d, s, &record, h.primitive, h.length, consumed, ctx, depth, &h);
    if (r == 1) {
      shift_offsets(d, record, h.size);
      *out = record;
    }
    return r;
  }
  Kept k{nullptr, 0, 0};
  int r = decode_keeping(s, h, ctx, depth, k, consumed, nullptr, [&](KORVU_STREAM *in, uint32_t *n) {
    return decode_content(d, in, &record, h.primitive, h.length, n, ctx, depth);
  });
  if (r != 1) {
    free_record(d, record);
    korvu_free(k.data);
    return r;
  }
  at<Kept>(record, d.kept) = k;
  shift_offsets(d, record, h.size);
  *out = record;
  return 1;
}

}  // namespace korvu::st
