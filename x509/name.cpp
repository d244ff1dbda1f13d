// X.500 names (X.501 9.2-9.4, RFC 5280 4.1.2.4): Context, the distinguished
// value with context, AttributeTypeAndDistinguishedValue and its PKIX form,
// RelativeDistinguishedName, Name and DirectoryString.
//
// Everything but Name is a table of the structure engine. Name is a SEQUENCE
// OF RDN whose record also keeps the encoding it was read from (or first
// written to), so it has a small codec of its own over the list codec.
#define KORVU_SRC "KORVU_ASN1_X500"
#include <cstring>

#include "../core/struct.h"
#include "../types/list_internal.h"

namespace korvu {
namespace {

using st::field;

constexpr uint32_t kErrNotPkixAtv = 0x10274;

// The kept encoding of a record is laid out as st::Kept.
static_assert(offsetof(KORVU_X500_ATTRTYPEDISTVAL, encodingLength) ==
              offsetof(KORVU_X500_ATTRTYPEDISTVAL, encoding) + offsetof(st::Kept, length));
static_assert(offsetof(KORVU_X500_ATTRTYPEDISTVAL, hasEncoding) ==
              offsetof(KORVU_X500_ATTRTYPEDISTVAL, encoding) + offsetof(st::Kept, has));
static_assert(offsetof(KORVU_X500_NAME, encodingLength) ==
              offsetof(KORVU_X500_NAME, encoding) + offsetof(st::Kept, length));
static_assert(offsetof(KORVU_X500_NAME, hasEncoding) == offsetof(KORVU_X500_NAME, encoding) + offsetof(st::Kept, has));
static_assert(offsetof(KORVU_X500_DIRSTRING, tag) == offsetof(st::ChoiceRecord, choice));
static_assert(offsetof(KORVU_X500_DIRSTRING, string) == offsetof(st::ChoiceRecord, value));

constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};
constexpr unsigned char kTrue[] = {0x01, 0x01, 0xFF};

// Context ::= SEQUENCE { contextType OBJECT IDENTIFIER,
//                        contextValues SET SIZE (1..MAX) OF ANY,
//                        fallback BOOLEAN DEFAULT FALSE }
constexpr st::Field kContextFields[] = {
    field(6, offsetof(KORVU_X500_CONTEXT, contextType)),
    field(27, offsetof(KORVU_X500_CONTEXT, contextValues)),
    field(1, offsetof(KORVU_X500_CONTEXT, fallback)).defaults(kFalse, 3),
};
constexpr st::StructDef kContext = st::sequence(28, kContextFields, sizeof(KORVU_X500_CONTEXT));

// SEQUENCE { distingAttrValue [0] EXPLICIT ANY OPTIONAL,
//            contextList SET SIZE (1..MAX) OF Context }
constexpr st::Field kDnValWithCtxFields[] = {
    field(23, offsetof(KORVU_X500_DNVALWITHCTX, distingAttrValue))
        .explicit_(0)
        .optional(offsetof(KORVU_X500_DNVALWITHCTX, hasDistingAttrValue)),
    field(141, offsetof(KORVU_X500_DNVALWITHCTX, contextList)),
};
constexpr st::StructDef kDnValWithCtx = st::sequence(135, kDnValWithCtxFields, sizeof(KORVU_X500_DNVALWITHCTX));

// AttributeTypeAndDistinguishedValue ::= SEQUENCE {
//   type OBJECT IDENTIFIER, value ANY,
//   primaryDistinguished BOOLEAN DEFAULT TRUE,
//   valuesWithContext SET SIZE (1..MAX) OF SEQUENCE {...} OPTIONAL }
constexpr st::Field kAtdvFields[] = {
    field(6, offsetof(KORVU_X500_ATTRTYPEDISTVAL, type)),
    field(23, offsetof(KORVU_X500_ATTRTYPEDISTVAL, value)),
    field(1, offsetof(KORVU_X500_ATTRTYPEDISTVAL, primaryDistinguished)).defaults(kTrue, 3),
    field(142, offsetof(KORVU_X500_ATTRTYPEDISTVAL, valuesWithContext))
        .optional(offsetof(KORVU_X500_ATTRTYPEDISTVAL, hasValuesWithContext)),
};

constexpr st::StructDef atdv_def(uint32_t type) {
  st::StructDef d = st::sequence(type, kAtdvFields, sizeof(KORVU_X500_ATTRTYPEDISTVAL));
  d.kept = offsetof(KORVU_X500_ATTRTYPEDISTVAL, encoding);
  d.kept_capacity = 256;
  return d;
}
constexpr st::StructDef kAtdv = atdv_def(29);

// AttributeTypeAndValue (RFC 5280): the same record without contexts and
// with primaryDistinguished TRUE.
int pkix_check(const void *record, KORVU_ERR_CTX *ctx) {
  auto *p = static_cast<const KORVU_X500_ATTRTYPEDISTVAL *>(record);
  if (p->hasValuesWithContext != 0 || p->primaryDistinguished == nullptr || *p->primaryDistinguished == 0) {
    KORVU_ERR(ctx, kErrNotPkixAtv);
    return 0;
  }
  return 1;
}

constexpr st::StructDef pkix_def() {
  st::StructDef d = atdv_def(30);
  d.check = pkix_check;
  return d;
}
constexpr st::StructDef kPkixAtv = pkix_def();

// The engine checks a record before encoding its contents; a kept encoding
// (from a decoding as type 29, say) bypasses that, so check it here too.
struct PkixOps {
  using Seq = st::Sequence<kPkixAtv>;
  static int encode(KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx) {
    if (v != nullptr && pkix_check(v, ctx) != 1) return 0;
    return Seq::whole_enc(s, v, w, ctx);
  }
  static constexpr TypeOps ops = {&Seq::free, &Seq::length,   &Seq::total,    &Seq::enc,
                                  &Seq::dec,  &PkixOps::encode, &Seq::whole_dec, nullptr,
                                  &kPkixAtv};
};

// DirectoryString ::= CHOICE { teletexString TeletexString, printableString
//   PrintableString, universalString UniversalString, utf8String UTF8String,
//   bmpString BMPString }. The choice number is the universal tag; the
// contents octets are kept unconverted in an OCTET STRING value.
constexpr st::Field string_alt(uint32_t tag, int32_t code) {
  return st::alternative(tag, 4).implicit(tag, 0x00).reports(code);
}
constexpr st::Field kDirStringAlts[] = {
    string_alt(20, 0x10284), string_alt(19, 0x10284), string_alt(28, 0x10284),
    string_alt(12, 0x10284), string_alt(30, 0x10284),
};
constexpr st::StructDef kDirString = st::choice(47, kDirStringAlts);

// ---------------------------------------------------------------------------
// Name ::= RDNSequence ::= SEQUENCE OF RelativeDistinguishedName, with the
// kept encoding.

constexpr list::ElemSpec kRdnSpec{31};
constexpr uint32_t kNameCapacity = 1024;

st::Kept &kept_of(KORVU_X500_NAME *n) { return *reinterpret_cast<st::Kept *>(&n->encoding); }

// A Name's block: the record, then (for a Name decoded from memory) the copy
// of its TLV. Always one octet longer than the record, so the address just
// past it lies inside this block and starts no other one.
constexpr size_t kNameHead = (sizeof(KORVU_X500_NAME) + 7) & ~size_t{7};

KORVU_X500_NAME *alloc_name(size_t extra) {
  auto *n = static_cast<KORVU_X500_NAME *>(KORVU_ALLOC(kNameHead + (extra ? extra : 1)));
  if (n != nullptr) std::memset(n, 0, kNameHead);
  return n;
}

unsigned char *inline_encoding(KORVU_X500_NAME *n) { return reinterpret_cast<unsigned char *>(n) + kNameHead; }

// Frees the kept encoding unless it lives in the Name's own block.
void free_encoding(KORVU_X500_NAME *n) {
  if (n->encoding != inline_encoding(n)) korvu_free(n->encoding);
}

void discard_kept(KORVU_X500_NAME *n) {
  free_encoding(n);
  n->encoding = nullptr;
  n->encodingLength = 0;
  n->hasEncoding = 0;
}

void name_free(void *v) {
  auto *n = static_cast<KORVU_X500_NAME *>(v);
  if (n == nullptr) return;
  korvu_asn1_list_free(n->rdns, 31);
  free_encoding(n);
  korvu_free(n);
}

Len name_content_length(const void *v) {
  auto *n = static_cast<const KORVU_X500_NAME *>(v);
  return n == nullptr ? kLenError : list::content_length(n->rdns, kRdnSpec);
}

Len name_total_length(const void *v) {
  auto *n = static_cast<const KORVU_X500_NAME *>(v);
  if (n == nullptr) return kLenError;
  if (n->hasEncoding) return n->encodingLength;
  return tlv_length(16, name_content_length(v));
}

int name_encode_content(KORVU_STREAM *s, const void *v, uint32_t length, uint32_t *w, KORVU_ERR_CTX *ctx) {
  auto *n = static_cast<const KORVU_X500_NAME *>(v);
  if (n == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  return list::encode_content(s, n->rdns, kRdnSpec, length, w, ctx);
}

// Writes the kept encoding, making it first from the RDNs (DER lengths; an
// indefinite element makes the Name indefinite too).
int name_encode(KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx) {
  auto *n = static_cast<KORVU_X500_NAME *>(const_cast<void *>(v));
  if (s == nullptr || n == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (!n->hasEncoding) {
    Len l = name_content_length(n);
    if (l == kLenError || l == kLenOverflow) {
      KORVU_ERR(ctx, kErrCalLength);
      return 0;
    }
    int r = st::fill_kept(kept_of(n), kNameCapacity, ctx, [&](KORVU_STREAM *m) {
      int rr = write_header(m, 0x00, 0, 16, static_cast<uint32_t>(l), nullptr, ctx);
      if (rr == 1) rr = name_encode_content(m, n, static_cast<uint32_t>(l), nullptr, ctx);
      return rr;
    });
    if (r != 1) return r;
  }
  int r = write_octets(s, n->encoding, n->encodingLength, ctx);
  if (r == 1 && w) *w = n->encodingLength;
  return r;
}

// Decodes the RDNs into a new Name whose block has `extra` octets after the
// record.
int decode_name(KORVU_STREAM *s, KORVU_X500_NAME **out, int primitive, uint32_t length, uint32_t *consumed,
                KORVU_ERR_CTX *ctx, int depth, size_t extra) {
  *out = nullptr;
  if (depth_exceeded(depth)) return static_cast<int>(KORVU_ERR_DEPTH);
  KORVU_X500_NAME *n = alloc_name(extra);
  if (n == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  int r = list::decode_content(s, &n->rdns, primitive, length, kRdnSpec, consumed, ctx, depth);
  if (r != 1) {
    korvu_free(n);
    return r;
  }
  *out = n;
  return 1;
}

int name_decode_content(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                        KORVU_ERR_CTX *ctx, int depth) {
  if (out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  KORVU_X500_NAME *n = nullptr;
  int r = decode_name(s, &n, primitive, length, consumed, ctx, depth, 0);
  *out = n;
  return r;
}

// Reads the Name and keeps its whole TLV exactly as received. Memory input
// is decoded in place and copied once; other streams are first read whole
// as an ANY (indefinite lengths walked by nesting) and decoded from memory.
int name_decode_tlv(KORVU_STREAM *s, const Header &h, void **out, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                    int depth) {
  if (out == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  if (h.tag_class != 0 || h.tag != 16 || h.primitive) {
    KORVU_ERR(ctx, kErrIncorrectItem);
    return 0;
  }
  // Definite contents all present in memory: one block holds the Name and
  // the copy of its TLV.
  if (stream::is_mem(s) && h.length != 0xFFFFFFFFu && s->pos <= s->size && h.length <= s->size - s->pos &&
      static_cast<uint64_t>(h.size) + h.length <= kLenMax) {
    const size_t start = s->pos;
    KORVU_X500_NAME *name = nullptr;
    uint32_t n = 0;
    int r = decode_name(s, &name, h.primitive, h.length, &n, ctx, depth, static_cast<size_t>(h.size) + h.length);
    if (r != 1) return r;
    unsigned char *p = inline_encoding(name);
    std::memcpy(p, h.raw, h.size);
    if (n != 0) std::memcpy(p + h.size, s->data + start, n);
    kept_of(name) = st::Kept{p, h.size + n, 1};
    *out = name;
    if (consumed) *consumed = n;
    return 1;
  }
  Holder raw(23);
  KORVU_STREAM *in = s;
  MemView view(nullptr, 0);
  if (!stream::is_mem(s)) {
    uint32_t got = 0;
    int r = decode_after_header(s, 23, h, raw.out(), &got, ctx, depth);
    if (r != 1) return r;
    uint32_t len = 0;
    const unsigned char *p = korvu_memstream_data(static_cast<KORVU_ASN1_ANY *>(raw.get())->content, &len);
    view = MemView(p, len);
    in = view.get();
  }
  const size_t start = in->pos;
  void *v = nullptr;
  uint32_t n = 0;
  int r = name_decode_content(in, &v, h.primitive, h.length, &n, ctx, depth);
  if (r != 1) return r;
  auto *name = static_cast<KORVU_X500_NAME *>(v);
  if (in != s && n != in->size) {
    name_free(name);
    KORVU_ERR(ctx, kErrIncorrectLength);
    return 0;
  }
  const uint64_t total = static_cast<uint64_t>(h.size) + n;
  auto *p = total <= kLenMax ? static_cast<unsigned char *>(KORVU_ALLOC(total)) : nullptr;
  if (p == nullptr) {
    name_free(name);
    KORVU_ERR(ctx, total <= kLenMax ? KORVU_ERR_NOMEM : kErrIncorrectLength);
    return 0;
  }
  std::memcpy(p, h.raw, h.size);
  if (n != 0) std::memcpy(p + h.size, in->data + start, n);
  kept_of(name) = st::Kept{p, static_cast<uint32_t>(total), 1};
  *out = name;
  if (consumed) *consumed = n;
  return 1;
}

// DER order inside one pair: each item's context list, then the items. The
// pair's own place in its RDN is decided by the caller.
int sort_pair_contexts(KORVU_X500_ATTRTYPEDISTVAL *p) {
  if (p == nullptr) return 0;
  if (!p->hasValuesWithContext) return 1;
  KORVU_ASN1_LIST *items = p->valuesWithContext;
  if (items == nullptr) return 0;
  for (int32_t i = 0; i < items->count; i++) {
    auto *item = static_cast<KORVU_X500_DNVALWITHCTX *>(items->items[i]);
    if (item == nullptr) return 0;
    int r = list::der_sort(item->contextList, 28, nullptr);
    if (r != 1) return r;
  }
  return list::der_sort(items, 135, nullptr);
}

bool holds(const KORVU_ASN1_LIST *l, const void *e) {
  for (int32_t i = 0; i < l->count; i++)
    if (l->items[i] == e) return true;
  return false;
}

}  // namespace
}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(28) = st::Sequence<kContext>::ops;
KORVU_REGISTER_TYPE(141) = list::TypedList<141, 28, 0x00, list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;
KORVU_REGISTER_TYPE(135) = st::Sequence<kDnValWithCtx>::ops;
KORVU_REGISTER_TYPE(142) = list::TypedList<142, 135, 0x00, list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;
KORVU_REGISTER_TYPE(29) = st::Sequence<kAtdv>::ops;
KORVU_REGISTER_TYPE(30) = PkixOps::ops;
KORVU_REGISTER_TYPE(31) = list::TypedList<31, 29>::ops;
KORVU_REGISTER_TYPE(32) = {&name_free,           &name_content_length, &name_total_length,
                           &name_encode_content, &name_decode_content, &name_encode,
                           &name_decode_tlv,     nullptr,              nullptr};
KORVU_REGISTER_TYPE(47) = st::Choice<kDirString>::ops;

extern "C" {

// ---- Name -------------------------------------------------------------------

KORVU_API KORVU_X500_NAME *korvu_x500name_new(void) {
  KORVU_X500_NAME *n = alloc_name(0);
  if (n == nullptr) return nullptr;
  n->rdns = korvu_asn1_list_new();
  if (n->rdns == nullptr) {
    korvu_free(n);
    return nullptr;
  }
  return n;
}

KORVU_API int korvu_x500name_addrdn(KORVU_X500_NAME *name, KORVU_ASN1_LIST *rdn, uint32_t dup) {
  if (name == nullptr || name->rdns == nullptr || rdn == nullptr) return 0;
  for (int32_t i = 0; i < rdn->count; i++)
    if (rdn->items[i] == nullptr) return 0;
  KORVU_ASN1_LIST *add = rdn;
  if (dup != 0) {
    add = korvu_asn1_list_new();
    if (add == nullptr) return 0;
    for (int32_t i = 0; i < rdn->count; i++) {
      void *e = korvu_asn1_dupobject(29, rdn->items[i], nullptr);
      if (e == nullptr || korvu_asn1_list_put(add, e) != 1) {
        value_free(29, e);
        korvu_asn1_list_free(add, 29);
        return 0;
      }
    }
  } else if (holds(name->rdns, rdn)) {
    return 0;  // would be owned (and freed) twice
  }
  if (korvu_asn1_list_put(name->rdns, add) != 1) {
    if (add != rdn) korvu_asn1_list_free(add, 29);
    return 0;
  }
  discard_kept(name);
  return 1;
}

KORVU_API KORVU_ASN1_LIST *korvu_x500name_getdn(const KORVU_X500_NAME *name) {
  return name != nullptr ? name->rdns : nullptr;
}

KORVU_API int korvu_x500RDN_sort(KORVU_ASN1_LIST *rdn) {
  if (rdn == nullptr) return 0;
  for (int32_t i = 0; i < rdn->count; i++) {
    int r = sort_pair_contexts(static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(rdn->items[i]));
    if (r != 1) return r;
  }
  return list::der_sort(rdn, 29, nullptr);
}

KORVU_API int korvu_x500name_sort(KORVU_X500_NAME *name) {
  if (name == nullptr || name->rdns == nullptr) return 0;
  for (int32_t i = 0; i < name->rdns->count; i++) {
    int r = korvu_x500RDN_sort(static_cast<KORVU_ASN1_LIST *>(name->rdns->items[i]));
    if (r != 1) return r;
  }
  return 1;
}

// ---- AttributeTypeAndDistinguishedValue ---------------------------------------

KORVU_API KORVU_X500_ATTRTYPEDISTVAL *korvu_x500attrtypedistval_new(const KORVU_ASN1_OID *type,
                                                                    const KORVU_ASN1_ANY *value,
                                                                    const KORVU_ASN1_BOOLEAN *primary_distinguished,
                                                                    const KORVU_ASN1_LIST *values_with_context) {
  if (value == nullptr || value->eoc) return nullptr;
  return static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(
      st::new_record(kAtdv, {type, value, primary_distinguished, values_with_context}));
}

KORVU_API KORVU_X500_ATTRTYPEDISTVAL *korvu_pkixattrtypeval_new(const KORVU_ASN1_OID *type,
                                                                const KORVU_ASN1_ANY *value) {
  if (value == nullptr || value->eoc) return nullptr;
  return static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(st::new_record(kPkixAtv, {type, value, nullptr, nullptr}));
}

KORVU_API KORVU_ASN1_OID *korvu_x500attrtypedistval_gettype(const KORVU_X500_ATTRTYPEDISTVAL *pair) {
  return static_cast<KORVU_ASN1_OID *>(st::get(kAtdv, pair, 0));
}
KORVU_API KORVU_ASN1_ANY *korvu_x500attrtypedistval_getvalue(const KORVU_X500_ATTRTYPEDISTVAL *pair) {
  return static_cast<KORVU_ASN1_ANY *>(st::get(kAtdv, pair, 1));
}
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x500attrtypedistval_getprimedist(const KORVU_X500_ATTRTYPEDISTVAL *pair) {
  return static_cast<KORVU_ASN1_BOOLEAN *>(st::get(kAtdv, pair, 2));
}
KORVU_API int korvu_x500attrtypedistval_hascontext(const KORVU_X500_ATTRTYPEDISTVAL *pair) {
  return st::has(kAtdv, pair, 3);
}
KORVU_API KORVU_ASN1_LIST *korvu_x500attrtypedistval_getcontext(const KORVU_X500_ATTRTYPEDISTVAL *pair) {
  return static_cast<KORVU_ASN1_LIST *>(st::get(kAtdv, pair, 3));
}

// ---- Context ----------------------------------------------------------------

KORVU_API KORVU_X500_CONTEXT *korvu_x500context_new(const KORVU_ASN1_OID *context_type,
                                                    const KORVU_ASN1_LIST *context_values,
                                                    const KORVU_ASN1_BOOLEAN *fallback) {
  return static_cast<KORVU_X500_CONTEXT *>(st::new_record(kContext, {context_type, context_values, fallback}));
}
KORVU_API KORVU_ASN1_OID *korvu_x500context_gettype(const KORVU_X500_CONTEXT *context) {
  return static_cast<KORVU_ASN1_OID *>(st::get(kContext, context, 0));
}
KORVU_API KORVU_ASN1_LIST *korvu_x500context_getvalues(const KORVU_X500_CONTEXT *context) {
  return static_cast<KORVU_ASN1_LIST *>(st::get(kContext, context, 1));
}
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x500context_getfallback(const KORVU_X500_CONTEXT *context) {
  return static_cast<KORVU_ASN1_BOOLEAN *>(st::get(kContext, context, 2));
}

// ---- distinguished value with context -------------------------------------------

KORVU_API KORVU_X500_DNVALWITHCTX *korvu_x500dnvalueswithcontextitem_new(const KORVU_ASN1_ANY *disting_attr_value,
                                                                         const KORVU_ASN1_LIST *context_list) {
  if (disting_attr_value != nullptr && disting_attr_value->eoc) return nullptr;
  return static_cast<KORVU_X500_DNVALWITHCTX *>(st::new_record(kDnValWithCtx, {disting_attr_value, context_list}));
}
KORVU_API int korvu_x500dnvalueswithcontextitem_hasdistvalue(const KORVU_X500_DNVALWITHCTX *item) {
  return st::has(kDnValWithCtx, item, 0);
}
KORVU_API KORVU_ASN1_ANY *korvu_x500dnvalueswithcontextitem_getdistvalue(const KORVU_X500_DNVALWITHCTX *item) {
  return static_cast<KORVU_ASN1_ANY *>(st::get(kDnValWithCtx, item, 0));
}
KORVU_API KORVU_ASN1_LIST *korvu_x500dnvalueswithcontextitem_getcontexts(const KORVU_X500_DNVALWITHCTX *item) {
  return static_cast<KORVU_ASN1_LIST *>(st::get(kDnValWithCtx, item, 1));
}

// ---- DirectoryString -----------------------------------------------------------

KORVU_API KORVU_X500_DIRSTRING *korvu_x500dirstring_new(uint32_t tag, const KORVU_ASN1_OCTETSTRING *string) {
  return static_cast<KORVU_X500_DIRSTRING *>(st::new_choice(kDirString, tag, string));
}
KORVU_API int korvu_x500dirstring_gettype(const KORVU_X500_DIRSTRING *value, uint32_t *tag) {
  if (value == nullptr || tag == nullptr) return 0;
  *tag = value->tag;
  return 1;
}
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_x500dirstring_getstring(const KORVU_X500_DIRSTRING *value) {
  return value != nullptr ? value->string : nullptr;
}

}  // extern "C"
