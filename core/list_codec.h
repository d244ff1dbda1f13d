// Shared SEQUENCE OF / SET OF codec. Structure modules describe their element
// either by a registered type number (ElemSpec) or by operations (ElemOps),
// and call these to measure, write and read the contents of a list, and to
// put a SET OF into DER order (X.690 11.6).
#ifndef KORVU_CORE_LIST_CODEC_H
#define KORVU_CORE_LIST_CODEC_H

#include "internal.h"

namespace korvu::list {

// Expected tag sentinels for ElemSpec::tag.
// kTagOfRow: take class, tag number and form from the element type's row; a
//   row without a tag of its own (ANY, CHOICE types, Time) becomes kAnyTag.
// kAnyTag: accept any identifier and let the element type's decode_tlv check
//   it (the element type must have decode_tlv).
inline constexpr uint32_t kTagOfRow = 0xFFFFFFFEu;
inline constexpr uint32_t kAnyTag = 0xFFFFFFFFu;

// An element described by type number. With an explicit class/tag that
// differs from the row (elements under an implicit tag) the contents are
// written with the type's encode_content and read with its decode_content;
// otherwise the whole-value drivers are used (encode_value and the type's
// decode_tlv where it has one), so elements that keep their encoding keep it
// inside lists.
struct ElemSpec {
  uint32_t type;
  uint32_t tag_class = 0x00;
  uint32_t tag = kTagOfRow;
  uint32_t form = KORVU_FORM_EITHER;  // checked on decoding unless EITHER
};

// An element kind without a type number.
struct ElemOps {
  // Whole encoding (identifier, length, contents).
  int (*encode)(KORVU_STREAM *s, const void *elem, uint32_t *written, KORVU_ERR_CTX *ctx);
  // Decoding once the identifier and length are read (h.raw keeps them); the
  // operation checks the header itself. `consumed` counts contents octets
  // only. Called with the list's depth + 1.
  int (*decode)(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                int depth);
  // Whole length of one element (kLenError / kLenIndef / kLenOverflow).
  Len (*length)(const void *elem);
  void (*free)(void *elem);
};

// Sum of the elements' whole lengths: 0 for an empty list, kLenError for a
// null list; an element's kLenError, kLenOverflow or kLenIndef carries over
// (in that order of precedence). kLenIndef means the list must be written in
// the indefinite form.
Len content_length(const KORVU_ASN1_LIST *list, const ElemSpec &spec);
Len content_length(const KORVU_ASN1_LIST *list, const ElemOps &ops);

// Writes each element's whole encoding in list order, then 00 00 when
// `length` is 0xFFFFFFFF. For a definite `length` the octets written must
// add up to it (KORVU_ERR_COUNT_MISMATCH otherwise). Null stream or list:
// KORVU_ERR_NULLARG; a length past 0x7FFFFFFF other than 0xFFFFFFFF:
// KORVU_ERR_BADARG. `written` counts the contents octets (end-of-contents
// included). Only specific errors are recorded: the caller adds its own
// encode-failure code.
int encode_content(KORVU_STREAM *s, const KORVU_ASN1_LIST *list, const ElemSpec &spec, uint32_t length,
                   uint32_t *written, KORVU_ERR_CTX *ctx);
int encode_content(KORVU_STREAM *s, const KORVU_ASN1_LIST *list, const ElemOps &ops, uint32_t length,
                   uint32_t *written, KORVU_ERR_CTX *ctx);

// Reads the contents of a list whose identifier and length have been read
// (`length` 0xFFFFFFFF when indefinite) and hands out a new list. A primitive
// encoding is "p/c bit error"; an element of another class/tag/form
// "incorrect item"; a definite length not consumed exactly "incorrect
// length"; a bad end-of-contents "decode end of content octet fail". Elements
// are decoded at depth + 1. `consumed` counts the contents octets (the
// closing 00 00 included). On failure nothing is handed out (*out null) and
// the caller adds its own decode-failure code; results other than 1 are
// passed up unchanged. `min_size` is the SIZE (n..MAX) lower bound checked
// here ("incorrect size or size of"); pass 0 when the owner checks sizes.
int decode_content(KORVU_STREAM *s, KORVU_ASN1_LIST **out, int primitive, uint32_t length,
                   const ElemSpec &spec, uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth,
                   uint32_t min_size = 0);
int decode_content(KORVU_STREAM *s, KORVU_ASN1_LIST **out, int primitive, uint32_t length, const ElemOps &ops,
                   uint32_t *consumed, KORVU_ERR_CTX *ctx, int depth, uint32_t min_size = 0);

// A new empty list with room for n element pointers (at least one) in its own
// block, as a decoded list has; null when memory runs out.
KORVU_ASN1_LIST *new_sized(uint32_t n);

// Frees a list whose elements are released by `free_elem` (null: elements
// left alone). Null list accepted.
void free_with(KORVU_ASN1_LIST *list, void (*free_elem)(void *));

// DER order of a SET OF: every element is encoded whole, then the elements
// are ordered by their encodings (octets compared as unsigned; a shorter
// encoding counts as padded with zero octets). O(n log n) comparisons. On
// any failure the list is left unchanged, the element's encode failure is
// recorded and a failure result is returned. Lists of fewer than two
// elements are left as they are.
int der_sort(KORVU_ASN1_LIST *list, uint32_t elem_type, KORVU_ERR_CTX *ctx);
int der_sort(KORVU_ASN1_LIST *list, const ElemOps &ops, KORVU_ERR_CTX *ctx);
// The order der_sort uses: <0, 0 or >0.
int der_compare(const unsigned char *a, uint32_t alen, const unsigned char *b, uint32_t blen);

// Registry operations of a list type `ListType` whose elements are values of
// `ElemType` (under the row's tag unless `ElemTag` says otherwise; set
// `MinSize` to 1 for SIZE (1..MAX)). Failures add the list type's own
// encode/decode code. Usage in a module:
//   KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_OBJECT_IDENTIFIER) =
//       korvu::list::TypedList<KORVU_TYPE_SEQUENCE_OF_OBJECT_IDENTIFIER, KORVU_TYPE_OBJECT_IDENTIFIER>::ops;
template <uint32_t ListType, uint32_t ElemType, uint32_t ElemClass = 0x00, uint32_t ElemTag = kTagOfRow,
          uint32_t ElemForm = KORVU_FORM_EITHER, uint32_t MinSize = 0>
struct TypedList {
  static constexpr ElemSpec spec() { return ElemSpec{ElemType, ElemClass, ElemTag, ElemForm}; }
  static void free(void *v) { korvu_asn1_list_free(static_cast<KORVU_ASN1_LIST *>(v), ElemType); }
  static Len content_length(const void *v) {
    return list::content_length(static_cast<const KORVU_ASN1_LIST *>(v), spec());
  }
  static int encode_content(KORVU_STREAM *s, const void *v, uint32_t length, uint32_t *written,
                            KORVU_ERR_CTX *ctx) {
    int r = list::encode_content(s, static_cast<const KORVU_ASN1_LIST *>(v), spec(), length, written, ctx);
    if (r != 1) KORVU_ENCODE_ERR(ctx, ListType);
    return r;
  }
  static int decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                            KORVU_ERR_CTX *ctx, int depth) {
    if (out == nullptr) {
      KORVU_ERR(ctx, KORVU_ERR_NULLARG);
      return 0;
    }
    KORVU_ASN1_LIST *l = nullptr;
    int r = list::decode_content(s, &l, primitive, length, spec(), consumed, ctx, depth, MinSize);
    if (r != 1) {
      *out = nullptr;
      KORVU_DECODE_ERR(ctx, ListType);
      return r;
    }
    *out = l;
    return 1;
  }
  static constexpr TypeOps ops = {&free,    &content_length, nullptr, &encode_content, &decode_content,
                                  nullptr, nullptr,         nullptr, nullptr,         nullptr,
                                  ElemTag == kTagOfRow ? TypeOps::MemRead::List : TypeOps::MemRead::None,
                                  ElemType, MinSize};
};

// SEQUENCE SIZE (1..MAX) OF Element: an empty one is refused when decoded
// ("incorrect size or size of").
template <uint32_t ListType, uint32_t ElemType>
inline constexpr TypeOps kNonEmpty = TypedList<ListType, ElemType, 0x00, kTagOfRow, KORVU_FORM_EITHER, 1>::ops;

}  // namespace korvu::list

#endif
