// Internal to the list codec: an element kind resolved once per list (type
// number with its expected identifier, or operations) and the per-element
// steps that the encoder, the decoder and the DER sort share.
#ifndef KORVU_CORE_LIST_ELEM_H
#define KORVU_CORE_LIST_ELEM_H

#include "list_codec.h"

namespace korvu::list::detail {

inline constexpr int32_t kInitialCapacity = 32;

// An element kind resolved for the codec: either a type number (with the
// identifier it is expected under) or operations.
struct Elem {
  const ElemOps *ops = nullptr;  // set: element by operations
  uint32_t type = 0;
  const TypeOps *type_ops = nullptr;
  bool any_tag = false;   // the element type checks the identifier itself
  bool retagged = false;  // expected identifier differs from the type's row
  uint32_t tag_class = 0;
  uint32_t tag = 0;
  uint32_t form = KORVU_FORM_EITHER;
};

// Fills `e` from `spec` (the type's row gives the identifier unless the spec
// names one). Failures record their code.
int resolve(const ElemSpec &spec, Elem &e, KORVU_ERR_CTX *ctx);

inline Len elem_length(const Elem &e, const void *v) {
  if (e.ops != nullptr) return e.ops->length != nullptr ? e.ops->length(v) : kLenError;
  if (e.retagged) return tlv_length(e.tag, value_content_length(e.type, v));
  return value_length(e.type, v);
}

inline int elem_encode(const Elem &e, KORVU_STREAM *s, const void *v, uint32_t *written, KORVU_ERR_CTX *ctx) {
  *written = 0;
  if (e.ops != nullptr) {
    if (e.ops->encode == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    return e.ops->encode(s, v, written, ctx);
  }
  if (!e.retagged) return encode_value(s, e.type, v, written, ctx);
  // Under an implicit tag: our identifier, the type's contents.
  Len cl = value_content_length(e.type, v);
  if (cl == kLenError || cl == kLenOverflow) {
    KORVU_ERR(ctx, kErrCalLength);
    return 0;
  }
  int primitive = e.form == KORVU_FORM_EITHER ? (cl == kLenIndef ? 0 : 1) : (e.form == KORVU_FORM_PRIMITIVE);
  uint32_t hw = 0, cw = 0;
  int r = write_header(s, e.tag_class, primitive, e.tag, static_cast<uint32_t>(cl), &hw, ctx);
  if (r != 1) return r;
  r = e.type_ops->encode_content(s, v, static_cast<uint32_t>(cl), &cw, ctx);
  if (r != 1) {
    KORVU_ENCODE_ERR(ctx, e.type);
    return r;
  }
  *written = hw + cw;
  return 1;
}

inline int elem_decode(const Elem &e, KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed,
                KORVU_ERR_CTX *ctx, int depth) {
  if (e.ops != nullptr) {
    if (e.ops->decode == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    return e.ops->decode(s, h, out, consumed, ctx, depth);
  }
  if (!e.any_tag) {
    if (h.tag_class != e.tag_class || h.tag != e.tag ||
        (e.form != KORVU_FORM_EITHER && static_cast<uint32_t>(h.primitive ? 1 : 0) != e.form)) {
      KORVU_ERR(ctx, kErrIncorrectItem);
      return 0;
    }
  }
  // A failing element reports its own type's code; the list type adds its
  // code after it.
  if (!e.retagged) {
    const int r = decode_after_header(s, e.type, h, out, consumed, ctx, depth);
    if (r != 1) KORVU_DECODE_ERR(ctx, e.type);
    return r;
  }
  int r = e.type_ops->decode_content(s, out, h.primitive, h.length, consumed, ctx, depth);
  if (r != 1) KORVU_DECODE_ERR(ctx, e.type);
  return r;
}

inline void elem_free(const Elem &e, void *v) {
  if (v == nullptr) return;
  if (e.ops != nullptr) {
    if (e.ops->free != nullptr) e.ops->free(v);
  } else {
    value_free(e.type, v);
  }
}

// A new list's first pointers live in the list's own block; only a grown
// array is a block of its own.
inline void **inline_items(KORVU_ASN1_LIST *list) { return reinterpret_cast<void **>(list + 1); }
inline void free_items(KORVU_ASN1_LIST *list) {
  if (list->items != inline_items(list)) korvu_free(list->items);
}

}  // namespace korvu::list::detail

#endif
