// Attributes (X.501 8.2, RFC 2986 4.1, RFC 5652 5.3) and directory attribute
// value types: UUIDPair, PostalAddress and TelexNumber (X.520),
// NameAndOptionalUID, PKCS9String (RFC 2985), SMIMECapability and
// SMIMECapabilities (RFC 8551 2.5.2).
#define KORVU_SRC "KORVU_ASN1_X500"
#include <cstring>

#include "../core/struct.h"
#include "../types/list_internal.h"

namespace korvu {
namespace {

using st::field;

constexpr uint32_t kErrNotPkcs10Attribute = 0x1027D;

// Attribute ::= SEQUENCE { type OBJECT IDENTIFIER, values SET OF ANY,
//   valuesWithContext SET SIZE (1..MAX) OF SEQUENCE {...} OPTIONAL }
constexpr st::Field kAttributeFields[] = {
    field(6, offsetof(KORVU_X500_ATTRIBUTE, type)),
    field(26, offsetof(KORVU_X500_ATTRIBUTE, values)),
    field(143, offsetof(KORVU_X500_ATTRIBUTE, valuesWithContext))
        .optional(offsetof(KORVU_X500_ATTRIBUTE, hasValuesWithContext)),
};
constexpr st::StructDef kAttribute = st::sequence(42, kAttributeFields, sizeof(KORVU_X500_ATTRIBUTE));

// The plain form (PKCS#10, CMS, PKCS#12): the same record, never with
// valuesWithContext.
int plain_check(const void *record, KORVU_ERR_CTX *ctx) {
  if (static_cast<const KORVU_X500_ATTRIBUTE *>(record)->hasValuesWithContext != 0) {
    KORVU_ERR(ctx, kErrNotPkcs10Attribute);
    return 0;
  }
  return 1;
}
constexpr st::StructDef plain_def() {
  st::StructDef d = st::sequence(43, kAttributeFields, sizeof(KORVU_X500_ATTRIBUTE));
  d.check = plain_check;
  return d;
}
constexpr st::StructDef kPlainAttribute = plain_def();

struct PlainOps {
  using Seq = st::Sequence<kPlainAttribute>;
  // A record with valuesWithContext has no plain-form length.
  static Len length(const void *v) {
    if (v != nullptr && static_cast<const KORVU_X500_ATTRIBUTE *>(v)->hasValuesWithContext != 0) return kLenError;
    return Seq::length(v);
  }
  static constexpr TypeOps ops = {&Seq::free, &PlainOps::length, nullptr, &Seq::enc, &Seq::dec,
                                  nullptr,    nullptr,           nullptr, &kPlainAttribute};
};

// SEQUENCE { value ANY, contextList SET SIZE (1..MAX) OF Context }
constexpr st::Field kAttrValWithCtxFields[] = {
    field(23, offsetof(KORVU_X500_ATTRVALWITHCTX, value)),
    field(141, offsetof(KORVU_X500_ATTRVALWITHCTX, contextList)),
};
constexpr st::StructDef kAttrValWithCtx =
    st::sequence(136, kAttrValWithCtxFields, sizeof(KORVU_X500_ATTRVALWITHCTX));

// ---------------------------------------------------------------------------
// UUIDPair ::= SEQUENCE { issuerUUID UUID, subjectUUID UUID },
// UUID ::= OCTET STRING (SIZE (16)). The record holds the 32 octets inline.

constexpr uint32_t kUuidContent = 36;

void uuid_free(void *v) { korvu_free(v); }
Len uuid_length(const void *v) { return v != nullptr ? kUuidContent : kLenError; }

int uuid_encode(KORVU_STREAM *s, const void *v, uint32_t length, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (s == nullptr || v == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  if (length != kUuidContent) {
    KORVU_ERR(ctx, KORVU_ERR_BADARG);
    return 0;
  }
  auto *p = static_cast<const KORVU_X500_UUIDPAIR *>(v);
  unsigned char out[kUuidContent];
  out[0] = 0x04;
  out[1] = 0x10;
  std::memcpy(out + 2, p->issuerUUID, 16);
  out[18] = 0x04;
  out[19] = 0x10;
  std::memcpy(out + 20, p->subjectUUID, 16);
  int r = write_octets(s, out, kUuidContent, ctx);
  if (r == 1 && w) *w = kUuidContent;
  return r;
}

// Reads one OCTET STRING of exactly 16 octets (any BER form) into `uuid`;
// `used` counts the octets read against the parent's definite length.
int read_uuid(KORVU_STREAM *s, uint32_t length, uint64_t &used, unsigned char *uuid, KORVU_ERR_CTX *ctx,
              int depth) {
  const bool indefinite = length == 0xFFFFFFFFu;
  if (!indefinite && used >= length) {
    KORVU_ERR(ctx, kErrIncorrectItem);
    return 0;
  }
  Header h;
  int r = read_header(s, h, ctx);
  if (r != 1) return r;
  used += h.size;
  if (h.tag_class != 0 || h.tag != 4) {
    KORVU_ERR(ctx, kErrIncorrectItem);
    return 0;
  }
  if (!indefinite && (used > length || (h.length != 0xFFFFFFFFu && used + h.length > length))) {
    KORVU_ERR(ctx, kErrIncorrectLength);
    return 0;
  }
  Holder v(4);
  uint32_t n = 0;
  r = decode_after_header(s, 4, h, v.out(), &n, ctx, depth + 1);
  if (r != 1) {
    KORVU_DECODE_ERR(ctx, 4);
    return r;
  }
  used += n;
  auto *os = static_cast<const KORVU_ASN1_OCTETSTRING *>(v.get());
  if (korvu_asn1_octetstring_getlength(os) != 16 || korvu_asn1_octetstring_getall(os, uuid) != 1) {
    KORVU_ERR(ctx, kErrIncorrectLength);
    return 0;
  }
  return 1;
}

int uuid_decode(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                KORVU_ERR_CTX *ctx, int depth) {
  if (out == nullptr || s == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *out = nullptr;
  if (primitive) {
    KORVU_ERR(ctx, kErrPcBit);
    return 0;
  }
  if (depth_exceeded(depth)) return static_cast<int>(KORVU_ERR_DEPTH);
  KORVU_X500_UUIDPAIR pair;
  uint64_t used = 0;
  int r = read_uuid(s, length, used, pair.issuerUUID, ctx, depth);
  if (r == 1) r = read_uuid(s, length, used, pair.subjectUUID, ctx, depth);
  if (r != 1) return r;
  if (length == 0xFFFFFFFFu) {
    Header h;
    r = read_header(s, h, ctx);
    if (r != 1) return r;
    if (h.raw[0] != 0 || h.size != 2 || h.raw[1] != 0) {
      KORVU_ERR(ctx, kErrIncorrectItem);
      return 0;
    }
    used += 2;
  } else if (used != length) {
    KORVU_ERR(ctx, kErrIncorrectItem);
    return 0;
  }
  auto *p = static_cast<KORVU_X500_UUIDPAIR *>(KORVU_ALLOC(sizeof(KORVU_X500_UUIDPAIR)));
  if (p == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NOMEM);
    return 0;
  }
  *p = pair;
  *out = p;
  if (consumed) *consumed = static_cast<uint32_t>(used);
  return 1;
}

// ---------------------------------------------------------------------------
// TelexNumber ::= SEQUENCE { telexNumber PrintableString (SIZE (1..ub)),
//   countryCode PrintableString (SIZE (1..ub)), answerback PrintableString
//   (SIZE (1..ub)) }
constexpr st::Field kTelexFields[] = {
    field(11, offsetof(KORVU_X500_TELEXNUM, telexNumber)),
    field(11, offsetof(KORVU_X500_TELEXNUM, countryCode)),
    field(11, offsetof(KORVU_X500_TELEXNUM, answerback)),
};

int telex_check(const void *record, KORVU_ERR_CTX *ctx) {
  auto *t = static_cast<const KORVU_X500_TELEXNUM *>(record);
  for (const KORVU_ASN1_STRING *s : {t->telexNumber, t->countryCode, t->answerback}) {
    const uint32_t n = korvu_asn1_string_getlength(s);
    if (n == 0 || n == 0xFFFFFFFEu) {
      KORVU_ERR(ctx, kErrIncorrectSize);
      return 0;
    }
  }
  return 1;
}
constexpr st::StructDef telex_def() {
  st::StructDef d = st::sequence(50, kTelexFields, sizeof(KORVU_X500_TELEXNUM));
  d.check = telex_check;
  return d;
}
constexpr st::StructDef kTelex = telex_def();

// NameAndOptionalUID ::= SEQUENCE { dn DistinguishedName, uid UniqueIdentifier OPTIONAL }
constexpr st::Field kNameUidFields[] = {
    field(32, offsetof(KORVU_X500_NAMEANDOPTUID, dn)),
    field(3, offsetof(KORVU_X500_NAMEANDOPTUID, uid)).optional(offsetof(KORVU_X500_NAMEANDOPTUID, hasUid)),
};
constexpr st::StructDef kNameUid = st::sequence(51, kNameUidFields, sizeof(KORVU_X500_NAMEANDOPTUID));

// PKCS9String ::= CHOICE { ia5String IA5String, directoryString DirectoryString },
// flattened: the choice number is the universal tag of the string.
constexpr st::Field string_alt(uint32_t tag) { return st::alternative(tag, 4).implicit(tag, 0x00).reports(0x1028E); }
constexpr st::Field kPkcs9StringAlts[] = {
    string_alt(20), string_alt(19), string_alt(28), string_alt(12), string_alt(30), string_alt(22),
};
constexpr st::StructDef kPkcs9String = st::choice(52, kPkcs9StringAlts);

// SMIMECapability ::= SEQUENCE { capabilityID OBJECT IDENTIFIER,
//                                parameters ANY DEFINED BY capabilityID OPTIONAL }
// The AlgorithmIdentifier record and rows under their own type number.
constexpr st::Field kCapabilityFields[] = {
    field(6, offsetof(KORVU_X509_ALGID, algorithm)),
    field(23, offsetof(KORVU_X509_ALGID, parameters)).optional(offsetof(KORVU_X509_ALGID, hasParameters)),
};
int capability_finish(void *record, KORVU_ERR_CTX *) {
  auto *a = static_cast<KORVU_X509_ALGID *>(record);
  const KORVU_ASN1_ANY *p = a->parameters;
  a->isNullParameter = a->hasParameters && p != nullptr && !p->eoc && p->tag_class == 0 && p->primitive &&
                       p->tag_number == 5 && p->content_length == 0;
  return 1;
}
constexpr st::StructDef capability_def() {
  st::StructDef d = st::sequence(53, kCapabilityFields, sizeof(KORVU_X509_ALGID));
  d.finish = capability_finish;
  return d;
}
constexpr st::StructDef kCapability = capability_def();

// DER order of an Attribute's contents: each item's contexts, the items,
// then the values.
int sort_attribute(KORVU_X500_ATTRIBUTE *a) {
  if (a == nullptr) return 0;
  if (a->hasValuesWithContext) {
    KORVU_ASN1_LIST *items = a->valuesWithContext;
    if (items == nullptr) return 0;
    for (int32_t i = 0; i < items->count; i++) {
      auto *item = static_cast<KORVU_X500_ATTRVALWITHCTX *>(items->items[i]);
      if (item == nullptr) return 0;
      int r = list::der_sort(item->contextList, 28, nullptr);
      if (r != 1) return r;
    }
    int r = list::der_sort(items, 136, nullptr);
    if (r != 1) return r;
  }
  return list::der_sort(a->values, 23, nullptr);
}

}  // namespace
}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(42) = st::Sequence<kAttribute>::ops;
KORVU_REGISTER_TYPE(43) = PlainOps::ops;
KORVU_REGISTER_TYPE(44) = list::TypedList<44, 43>::ops;
KORVU_REGISTER_TYPE(136) = st::Sequence<kAttrValWithCtx>::ops;
KORVU_REGISTER_TYPE(143) = list::TypedList<143, 136, 0x00, list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;
KORVU_REGISTER_TYPE(48) = {&uuid_free, &uuid_length, nullptr, &uuid_encode, &uuid_decode,
                           nullptr,    nullptr,      nullptr, nullptr};
KORVU_REGISTER_TYPE(49) = list::TypedList<49, 47, 0x00, list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;
KORVU_REGISTER_TYPE(50) = st::Sequence<kTelex>::ops;
KORVU_REGISTER_TYPE(51) = st::Sequence<kNameUid>::ops;
KORVU_REGISTER_TYPE(52) = st::Choice<kPkcs9String>::ops;
KORVU_REGISTER_TYPE(53) = st::Sequence<kCapability>::ops;
KORVU_REGISTER_TYPE(54) = list::TypedList<54, 53>::ops;

extern "C" {

// ---- Attribute ------------------------------------------------------------------

KORVU_API KORVU_X500_ATTRIBUTE *korvu_x500attribute_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_LIST *values) {
  return static_cast<KORVU_X500_ATTRIBUTE *>(st::new_record(kAttribute, {type, values, nullptr}));
}
KORVU_API KORVU_ASN1_OID *korvu_x500attribute_gettype(const KORVU_X500_ATTRIBUTE *attribute) {
  return static_cast<KORVU_ASN1_OID *>(st::get(kAttribute, attribute, 0));
}
KORVU_API KORVU_ASN1_LIST *korvu_x500attribute_getvalue(const KORVU_X500_ATTRIBUTE *attribute) {
  return static_cast<KORVU_ASN1_LIST *>(st::get(kAttribute, attribute, 1));
}
KORVU_API int korvu_x500attribute_hascontext(const KORVU_X500_ATTRIBUTE *attribute) {
  return st::has(kAttribute, attribute, 2);
}
KORVU_API KORVU_ASN1_LIST *korvu_x500attribute_getcontext(const KORVU_X500_ATTRIBUTE *attribute) {
  return static_cast<KORVU_ASN1_LIST *>(st::get(kAttribute, attribute, 2));
}
KORVU_API KORVU_ASN1_ANY *korvu_x500attrvalueswithcontextitem_getvalue(const KORVU_X500_ATTRVALWITHCTX *item) {
  return static_cast<KORVU_ASN1_ANY *>(st::get(kAttrValWithCtx, item, 0));
}
KORVU_API KORVU_ASN1_LIST *korvu_x500attrvalueswithcontextitem_getcontexts(const KORVU_X500_ATTRVALWITHCTX *item) {
  return static_cast<KORVU_ASN1_LIST *>(st::get(kAttrValWithCtx, item, 1));
}

KORVU_API int korvu_x500attribute_sort(KORVU_X500_ATTRIBUTE *attribute) { return sort_attribute(attribute); }

KORVU_API int korvu_asn1_pkcs10attributes_sort(KORVU_ASN1_LIST *attributes) {
  if (attributes == nullptr) return 0;
  for (int32_t i = 0; i < attributes->count; i++) {
    int r = sort_attribute(static_cast<KORVU_X500_ATTRIBUTE *>(attributes->items[i]));
    if (r != 1) return r;
  }
  return list::der_sort(attributes, 43, nullptr);
}

// ---- UUIDPair -------------------------------------------------------------------

KORVU_API KORVU_X500_UUIDPAIR *korvu_x500uuidpair_new(const unsigned char *issuer_uuid,
                                                      const unsigned char *subject_uuid) {
  if (issuer_uuid == nullptr || subject_uuid == nullptr) return nullptr;
  auto *p = static_cast<KORVU_X500_UUIDPAIR *>(KORVU_ALLOC(sizeof(KORVU_X500_UUIDPAIR)));
  if (p == nullptr) return nullptr;
  std::memcpy(p->issuerUUID, issuer_uuid, 16);
  std::memcpy(p->subjectUUID, subject_uuid, 16);
  return p;
}
KORVU_API int korvu_x500uuidpair_getissueruuid(const KORVU_X500_UUIDPAIR *pair, unsigned char *uuid) {
  if (pair == nullptr || uuid == nullptr) return 0;
  std::memcpy(uuid, pair->issuerUUID, 16);
  return 1;
}
KORVU_API int korvu_x500uuidpair_getsubjectuuid(const KORVU_X500_UUIDPAIR *pair, unsigned char *uuid) {
  if (pair == nullptr || uuid == nullptr) return 0;
  std::memcpy(uuid, pair->subjectUUID, 16);
  return 1;
}

// ---- TelexNumber ------------------------------------------------------------------

KORVU_API KORVU_X500_TELEXNUM *korvu_x500telexnum_new(const KORVU_ASN1_STRING *telex_number,
                                                      const KORVU_ASN1_STRING *country_code,
                                                      const KORVU_ASN1_STRING *answerback) {
  return static_cast<KORVU_X500_TELEXNUM *>(st::new_record(kTelex, {telex_number, country_code, answerback}));
}
KORVU_API KORVU_ASN1_STRING *korvu_x500telexnum_gettelexnum(const KORVU_X500_TELEXNUM *telex) {
  return static_cast<KORVU_ASN1_STRING *>(st::get(kTelex, telex, 0));
}
KORVU_API KORVU_ASN1_STRING *korvu_x500telexnum_getcoutrycode(const KORVU_X500_TELEXNUM *telex) {
  return static_cast<KORVU_ASN1_STRING *>(st::get(kTelex, telex, 1));
}
KORVU_API KORVU_ASN1_STRING *korvu_x500telexnum_getanswerback(const KORVU_X500_TELEXNUM *telex) {
  return static_cast<KORVU_ASN1_STRING *>(st::get(kTelex, telex, 2));
}

// ---- NameAndOptionalUID -----------------------------------------------------------

KORVU_API KORVU_X500_NAMEANDOPTUID *korvu_x500nameandoptuid_new(const KORVU_X500_NAME *dn,
                                                                const KORVU_ASN1_BITSTRING *uid) {
  return static_cast<KORVU_X500_NAMEANDOPTUID *>(st::new_record(kNameUid, {dn, uid}));
}
KORVU_API KORVU_X500_NAME *korvu_x500nameandoptuid_getname(const KORVU_X500_NAMEANDOPTUID *value) {
  return static_cast<KORVU_X500_NAME *>(st::get(kNameUid, value, 0));
}
KORVU_API KORVU_ASN1_BITSTRING *korvu_x500nameandoptuid_getuid(const KORVU_X500_NAMEANDOPTUID *value) {
  return static_cast<KORVU_ASN1_BITSTRING *>(st::get(kNameUid, value, 1));
}

// ---- PKCS9String ------------------------------------------------------------------

KORVU_API KORVU_PKCS9STRING *korvu_pkcs9string_new(uint32_t tag, const KORVU_ASN1_OCTETSTRING *string) {
  return static_cast<KORVU_PKCS9STRING *>(st::new_choice(kPkcs9String, tag, string));
}
KORVU_API int korvu_pkcs9string_gettype(const KORVU_PKCS9STRING *value, uint32_t *tag) {
  if (value == nullptr || tag == nullptr) return 0;
  *tag = value->tag;
  return 1;
}
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs9string_getstring(const KORVU_PKCS9STRING *value) {
  return value != nullptr ? value->string : nullptr;
}

}  // extern "C"
