// The structure engine: lengths and encoding of records and CHOICEs.
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct_engine.h"

namespace korvu::st::eng {

void report_encode(const Field &f, KORVU_ERR_CTX *ctx) {
  if (f.code != 0)
    KORVU_ERR(ctx, static_cast<uint32_t>(f.code));
  else
    KORVU_ENCODE_ERR(ctx, f.type);
}

// Contents length of the component's own (untagged) encoding.
Len inner_content_length(const Field &f, const void *v) {
  if (is_inline(f)) return f.min_size;
  return is_list(f) ? list::content_length(as_list(v), elem_spec(f)) : value_content_length(f.type, v);
}

Len untagged_length(const Field &f, const void *v) {
  if (is_inline(f)) return tlv_length(kOctetStringTag, f.min_size);
  return is_list(f) ? tlv_length(list_tag(f), list::content_length(as_list(v), elem_spec(f)))
                    : value_length(f.type, v);
}

// Primitive or constructed, for a component written under an implicit tag
// (never ANY or a CHOICE: tables refuse that when they compile).
int implicit_primitive(const Field &f, Len content) {
  if (is_list(f)) return 0;
  const uint32_t form = kCatalog[f.type].form;
  if (form != KORVU_FORM_EITHER) return static_cast<int>(form);
  return content != kLenIndef;
}

int write_untagged(const Field &f, KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (is_inline(f)) {
    uint32_t head = 0;
    int r = write_header(s, 0x00, 1, kOctetStringTag, f.min_size, &head, ctx);
    if (r == 1) r = write_octets(s, v, f.min_size, ctx);
    if (r == 1 && w) *w = head + f.min_size;
    return r;
  }
  if (!is_list(f)) return encode_value(s, f.type, v, w, ctx);
  Len l = list::content_length(as_list(v), elem_spec(f));
  if (bad(l)) {
    KORVU_ERR(ctx, kErrCalLength);
    return 0;
  }
  uint32_t head = 0, body = 0;
  int r = write_header(s, 0x00, 0, list_tag(f), static_cast<uint32_t>(l), &head, ctx);
  if (r != 1) return r;
  r = list::encode_content(s, as_list(v), elem_spec(f), static_cast<uint32_t>(l), &body, ctx);
  if (r == 1 && w) *w = head + body;
  return r;
}

int write_tagged(const Field &f, KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx, bool open) {
  if (!f.size_on_read && !size_ok(f, v)) {
    report_size(f, ctx);
    return 0;
  }
  uint32_t head = 0, body = 0;
  int r;
  if (f.tagging == Tagging::None) return write_untagged(f, s, v, w, ctx);
  if (const StructDef *kd = implicit_kept_def(f)) {
    const Kept *k = kept_of(*kd, v, ctx);
    if (k == nullptr) return 0;
    const uint32_t id = identifier_size(k->data, k->length);
    r = write_identifier(s, f.tag_class, 0, f.tag, &head, ctx);
    if (r == 1) r = write_octets(s, k->data + id, k->length - id, ctx);
    if (r == 1 && w) *w = head + k->length - id;
    return r;
  }
  if (f.tagging == Tagging::Implicit) {
    Len l = inner_content_length(f, v);
    if (bad(l)) {
      KORVU_ERR(ctx, kErrCalLength);
      return 0;
    }
    r = write_header(s, f.tag_class, implicit_primitive(f, l), f.tag, static_cast<uint32_t>(l), &head, ctx);
    if (r != 1) return r;
    if (is_list(f)) {
      r = list::encode_content(s, as_list(v), elem_spec(f), static_cast<uint32_t>(l), &body, ctx);
    } else {
      const TypeOps *o = type_desc(f.type)->ops;
      if (o == nullptr || o->encode_content == nullptr) {
        KORVU_ERR(ctx, kErrUnsupportEncode);
        return 0;
      }
      r = o->encode_content(s, v, static_cast<uint32_t>(l), &body, ctx);
    }
  } else {
    // An EXPLICIT wrapper received with an indefinite length (open) is written so again.
    Len l = open ? kLenIndef : untagged_length(f, v);
    if (bad(l)) {
      KORVU_ERR(ctx, kErrCalLength);
      return 0;
    }
    r = write_header(s, f.tag_class, 0, f.tag, static_cast<uint32_t>(l), &head, ctx);
    if (r != 1) return r;
    r = write_untagged(f, s, v, &body, ctx);
    if (r == 1 && l == kLenIndef) {
      r = write_eoc(s, ctx);
      body += 2;
    }
  }
  if (r == 1 && w) *w = head + body;
  return r;
}

Len field_length(const Field &f, const void *record) {
  if (f.kept != kNone) {
    const Kept &k = at<Kept>(record, f.kept);
    if (k.has) return k.length;
  }
  const void *v = value_of(record, f);
  switch (f.tagging) {
    case Tagging::None:
      return untagged_length(f, v);
    case Tagging::Implicit:
      if (const StructDef *kd = implicit_kept_def(f)) {
        const Kept &k = at<Kept>(v, kd->kept);
        if (k.has && k.length >= 2)
          return len_add(identifier_octets(f.tag), k.length - identifier_size(k.data, k.length));
      }
      return tlv_length(f.tag, inner_content_length(f, v));
    case Tagging::Explicit:
      return tlv_length(f.tag, untagged_length(f, v));
  }
  return kLenError;
}

int field_encode(const Field &f, KORVU_STREAM *s, const void *record, uint32_t *w, KORVU_ERR_CTX *ctx, bool open) {
  int r;
  if (f.kept != kNone) {
    r = ensure_field_kept(f, record, ctx);
    const Kept &k = at<Kept>(record, f.kept);
    if (r == 1) r = write_octets(s, k.data, k.length, ctx);
    if (r == 1 && w) *w = k.length;
  } else {
    r = write_tagged(f, s, value_of(record, f), w, ctx, open);
  }
  if (r != 1) report_encode(f, ctx);
  return r;
}

}  // namespace korvu::st::eng

namespace korvu::st {

Len content_length(const StructDef &d, const void *record) {
  if (record == nullptr) return kLenError;
  if (d.kind == Kind::List) return list::content_length(as_list(value_of(record, d.fields[0])), elem_spec(d.fields[0]));
  Len total = 0;
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    if (written(f, record)) total = len_add(total, field_length(f, record));
  }
  // A record received with indefinite lengths is written so again.
  if (d.form != kNone && at<uint32_t>(record, d.form) != 0 && !bad(total)) return kLenIndef;
  return total;
}

int encode_content(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t length, uint32_t *w,
                   KORVU_ERR_CTX *ctx) {
  if (s == nullptr || record == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (length != 0xFFFFFFFFu && length > kLenMax) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return 0;
  }
  if (d.check != nullptr && d.check(record, ctx) != 1) return 0;
  if (d.kind == Kind::List) {
    const Field &f = d.fields[0];
    const void *l = value_of(record, f);
    if (!size_ok(f, l)) {
      report_size(f, ctx);
      return 0;
    }
    return list::encode_content(s, as_list(l), elem_spec(f), length, w, ctx);
  }
  uint64_t total = 0;
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    if (!written(f, record)) continue;
    set_offset(f, const_cast<void *>(record), total);
    uint32_t n = 0;
    const bool open = d.form != kNone && f.tagging == Tagging::Explicit && f.kept == kNone && i < 31 &&
                      (at<uint32_t>(record, d.form) >> (i + 1) & 1u) != 0;
    int r = field_encode(f, s, record, &n, ctx, open);
    if (r != 1) return r;
    total += n;
    set_end(f, const_cast<void *>(record), total);
  }
  int r = close_contents(s, length, total, ctx);
  if (r != 1) return r;
  if (w) *w = static_cast<uint32_t>(total);
  return 1;
}

Len choice_total_length(const StructDef &d, const void *record) {
  if (record == nullptr) return kLenError;
  const Field *f = alt_of(d, static_cast<const ChoiceRecord *>(record)->choice);
  return f ? field_length(*f, record) : kLenError;
}

int choice_encode(const StructDef &d, KORVU_STREAM *s, const void *record, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (s == nullptr || record == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  const Field *f = alt_of(d, static_cast<const ChoiceRecord *>(record)->choice);
  if (f == nullptr) {
    KORVU_ERR(ctx, d.unknown_choice_code);
    return 0;
  }
  return field_encode(*f, s, record, w, ctx);
}

}  // namespace korvu::st
