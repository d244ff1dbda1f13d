// X.500 names and attributes (X.501 8.2, 9.2-9.4, RFC 5280 4.1.2.4, RFC 2986 4.1, RFC 5652 5.3): Context,
// the values with context, Attribute, AttributeTypeAndDistinguishedValue and its PKIX form,
// RelativeDistinguishedName, Name, DirectoryString, and the attribute value types UUIDPair, PostalAddress,
// TelexNumber (X.520), NameAndOptionalUID and PKCS9String (RFC 2985).
#define KORVU_SRC "KORVU_ASN1_X500"
#include <cstring>

#include "cert_internal.h"

using namespace korvu;
using st::field;

// DER order (X.690 11.6) of a valuesWithContext list: each item's context list, then the items.
template <class Item>
static int sort_with_context(KORVU_ASN1_LIST *items, uint32_t item_type) {
  for (int32_t i = 0; items != nullptr && i < items->count; i++) {
    auto *item = static_cast<Item *>(items->items[i]);
    const int r = item != nullptr ? list::der_sort(item->contextList, KORVU_TYPE_CONTEXT, nullptr) : 0;
    if (r != 1) return r;
  }
  return items != nullptr ? list::der_sort(items, item_type, nullptr) : 0;
}

// Context ::= SEQUENCE { contextType OBJECT IDENTIFIER, contextValues SET SIZE (1..MAX) OF ANY,
//   fallback BOOLEAN DEFAULT FALSE }
constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};
constexpr st::Field kContextFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_X500_CONTEXT, contextType),
    KORVU_FIELD(KORVU_TYPE_SET_SIZE_OF_ANY, KORVU_X500_CONTEXT, contextValues),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_X500_CONTEXT, fallback).defaults(kFalse, st::DefaultRule::Boolean)};
constexpr st::StructDef kContext = st::sequence(KORVU_TYPE_CONTEXT, kContextFields, sizeof(KORVU_X500_CONTEXT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CONTEXT, kContext);
KORVU_REGISTER_TYPE(KORVU_TYPE_CONTEXT_LIST) =
    list::TypedList<KORVU_TYPE_CONTEXT_LIST, KORVU_TYPE_CONTEXT, 0x00, list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;
KORVU_API KORVU_X500_CONTEXT *korvu_x500context_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_LIST *values,
                                                    const KORVU_ASN1_BOOLEAN *fallback) {
  return static_cast<KORVU_X500_CONTEXT *>(st::make<kContext>(type, values, fallback));
}
KORVU_GET(korvu_x500context_gettype, kContext, contextType);
KORVU_GET(korvu_x500context_getvalues, kContext, contextValues);
KORVU_GET(korvu_x500context_getfallback, kContext, fallback);

// SEQUENCE { distingAttrValue [0] EXPLICIT ANY OPTIONAL, contextList SET SIZE (1..MAX) OF Context }
constexpr st::Field kDnValWithCtxFields[] = {
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_X500_DNVALWITHCTX, distingAttrValue).explicit_(0)
        .optional(offsetof(KORVU_X500_DNVALWITHCTX, hasDistingAttrValue)),
    KORVU_FIELD(KORVU_TYPE_CONTEXT_LIST, KORVU_X500_DNVALWITHCTX, contextList)};
constexpr st::StructDef kDnValWithCtx = st::sequence(KORVU_TYPE_DISTINGUISHED_VALUE_WITH_CONTEXT_ITEM,
                                                     kDnValWithCtxFields, sizeof(KORVU_X500_DNVALWITHCTX));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DISTINGUISHED_VALUE_WITH_CONTEXT_ITEM, kDnValWithCtx);
KORVU_REGISTER_TYPE(KORVU_TYPE_DISTINGUISHED_VALUES_WITH_CONTEXT) =
    list::TypedList<KORVU_TYPE_DISTINGUISHED_VALUES_WITH_CONTEXT, KORVU_TYPE_DISTINGUISHED_VALUE_WITH_CONTEXT_ITEM,
                    0x00, list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;
KORVU_API KORVU_X500_DNVALWITHCTX *korvu_x500dnvalueswithcontextitem_new(const KORVU_ASN1_ANY *value,
                                                                         const KORVU_ASN1_LIST *contexts) {
  if (value != nullptr && value->eoc) return nullptr;
  return static_cast<KORVU_X500_DNVALWITHCTX *>(st::make<kDnValWithCtx>(value, contexts));
}
KORVU_HAS(korvu_x500dnvalueswithcontextitem_hasdistvalue, kDnValWithCtx, distingAttrValue);
KORVU_GET(korvu_x500dnvalueswithcontextitem_getdistvalue, kDnValWithCtx, distingAttrValue);
KORVU_GET(korvu_x500dnvalueswithcontextitem_getcontexts, kDnValWithCtx, contextList);

// SEQUENCE { value ANY, contextList SET SIZE (1..MAX) OF Context }
constexpr st::Field kAttrValWithCtxFields[] = {
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_X500_ATTRVALWITHCTX, value),
    KORVU_FIELD(KORVU_TYPE_CONTEXT_LIST, KORVU_X500_ATTRVALWITHCTX, contextList)};
constexpr st::StructDef kAttrValWithCtx = st::sequence(KORVU_TYPE_ATTRIBUTE_VALUE_WITH_CONTEXT_ITEM,
                                                       kAttrValWithCtxFields, sizeof(KORVU_X500_ATTRVALWITHCTX));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTRIBUTE_VALUE_WITH_CONTEXT_ITEM, kAttrValWithCtx);
KORVU_REGISTER_TYPE(KORVU_TYPE_ATTRIBUTE_VALUES_WITH_CONTEXT) =
    list::TypedList<KORVU_TYPE_ATTRIBUTE_VALUES_WITH_CONTEXT, KORVU_TYPE_ATTRIBUTE_VALUE_WITH_CONTEXT_ITEM, 0x00,
                    list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;
KORVU_GET(korvu_x500attrvalueswithcontextitem_getvalue, kAttrValWithCtx, value);
KORVU_GET(korvu_x500attrvalueswithcontextitem_getcontexts, kAttrValWithCtx, contextList);

// Attribute ::= SEQUENCE { type OBJECT IDENTIFIER, values SET OF ANY,
//   valuesWithContext SET SIZE (1..MAX) OF SEQUENCE {...} OPTIONAL }
// The plain form (PKCS#10, CMS, PKCS#12) is the same record, never with valuesWithContext: such a record is
// refused and has no plain-form length. Attributes ::= SET OF Attribute (plain form)
constexpr st::Field kAttributeFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_X500_ATTRIBUTE, type),
    KORVU_FIELD(KORVU_TYPE_SET_OF_ANY, KORVU_X500_ATTRIBUTE, values),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTE_VALUES_WITH_CONTEXT, KORVU_X500_ATTRIBUTE, valuesWithContext)
        .optional(offsetof(KORVU_X500_ATTRIBUTE, hasValuesWithContext))};
constexpr st::StructDef kAttribute = st::sequence(KORVU_TYPE_ATTRIBUTE, kAttributeFields, sizeof(KORVU_X500_ATTRIBUTE));
static int plain_check(const void *record, KORVU_ERR_CTX *ctx) {
  if (static_cast<const KORVU_X500_ATTRIBUTE *>(record)->hasValuesWithContext == 0) return 1;
  KORVU_ERR(ctx, kErrNotPkcs10Attribute);
  return 0;
}
constexpr st::StructDef kPlainAttribute =
    st::sequence(KORVU_TYPE_ATTRIBUTE_PLAIN, kAttributeFields, sizeof(KORVU_X500_ATTRIBUTE)).checked(plain_check);
static Len plain_length(const void *v) {
  auto *a = static_cast<const KORVU_X500_ATTRIBUTE *>(v);
  return a != nullptr && a->hasValuesWithContext ? kLenError : st::content_length(kPlainAttribute, v);
}
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTRIBUTE, kAttribute);
KORVU_REGISTER_TYPE(KORVU_TYPE_ATTRIBUTE_PLAIN) =
    st::with_hook<KORVU_TYPE_ATTRIBUTE_PLAIN, kPlainAttribute>(&TypeOps::content_length, plain_length);
KORVU_REGISTER_TYPE(KORVU_TYPE_ATTRIBUTES) = list::TypedList<KORVU_TYPE_ATTRIBUTES, KORVU_TYPE_ATTRIBUTE_PLAIN>::ops;
KORVU_API KORVU_X500_ATTRIBUTE *korvu_x500attribute_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_LIST *values) {
  const KORVU_ASN1_LIST *no_contexts = nullptr;
  return static_cast<KORVU_X500_ATTRIBUTE *>(st::make<kAttribute>(type, values, no_contexts));
}
KORVU_GET(korvu_x500attribute_gettype, kAttribute, type);
KORVU_GET(korvu_x500attribute_getvalue, kAttribute, values);
KORVU_HAS(korvu_x500attribute_hascontext, kAttribute, valuesWithContext);
KORVU_GET(korvu_x500attribute_getcontext, kAttribute, valuesWithContext);
// DER order of an Attribute's contents: each item's contexts, the items, then the values.
KORVU_API int korvu_x500attribute_sort(KORVU_X500_ATTRIBUTE *a) {
  if (a == nullptr) return 0;
  const int r = a->hasValuesWithContext ? sort_with_context<KORVU_X500_ATTRVALWITHCTX>(
                                              a->valuesWithContext, KORVU_TYPE_ATTRIBUTE_VALUE_WITH_CONTEXT_ITEM)
                                        : 1;
  return r == 1 ? list::der_sort(a->values, KORVU_TYPE_ANY, nullptr) : r;
}
KORVU_API int korvu_asn1_pkcs10attributes_sort(KORVU_ASN1_LIST *attributes) {
  if (attributes == nullptr) return 0;
  for (int32_t i = 0; i < attributes->count; i++) {
    const int r = korvu_x500attribute_sort(static_cast<KORVU_X500_ATTRIBUTE *>(attributes->items[i]));
    if (r != 1) return r;
  }
  return list::der_sort(attributes, KORVU_TYPE_ATTRIBUTE_PLAIN, nullptr);
}

// AttributeTypeAndDistinguishedValue ::= SEQUENCE { type OBJECT IDENTIFIER, value ANY,
//   primaryDistinguished BOOLEAN DEFAULT TRUE, valuesWithContext SET SIZE (1..MAX) OF SEQUENCE {...} OPTIONAL }
// AttributeTypeAndValue (RFC 5280) is the same record without contexts and with primaryDistinguished TRUE.
// Both keep the octets they were read from (or first written to).
// RelativeDistinguishedName ::= SET OF AttributeTypeAndDistinguishedValue
constexpr unsigned char kTrue[] = {0x01, 0x01, 0xFF};
constexpr st::Field kAtdvFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_X500_ATTRTYPEDISTVAL, type),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_X500_ATTRTYPEDISTVAL, value),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_X500_ATTRTYPEDISTVAL, primaryDistinguished)
        .defaults(kTrue, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_DISTINGUISHED_VALUES_WITH_CONTEXT, KORVU_X500_ATTRTYPEDISTVAL, valuesWithContext)
        .optional(offsetof(KORVU_X500_ATTRTYPEDISTVAL, hasValuesWithContext))};
constexpr st::StructDef kAtdv =
    st::sequence(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, kAtdvFields, sizeof(KORVU_X500_ATTRTYPEDISTVAL))
        .keeping(offsetof(KORVU_X500_ATTRTYPEDISTVAL, encoding), 256);
static int pkix_check(const void *record, KORVU_ERR_CTX *ctx) {
  auto *p = static_cast<const KORVU_X500_ATTRTYPEDISTVAL *>(record);
  if (p->hasValuesWithContext == 0 && p->primaryDistinguished != nullptr && *p->primaryDistinguished != 0) return 1;
  KORVU_ERR(ctx, kErrNotPkixAtv);
  return 0;
}
constexpr st::StructDef kPkixAtv =
    st::sequence(KORVU_TYPE_ATTRIBUTETYPEANDVALUE, kAtdvFields, sizeof(KORVU_X500_ATTRTYPEDISTVAL))
        .keeping(offsetof(KORVU_X500_ATTRTYPEDISTVAL, encoding), 256)
        .checked(pkix_check);
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, kAtdv);
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTRIBUTETYPEANDVALUE, kPkixAtv);
KORVU_REGISTER_TYPE(KORVU_TYPE_RELATIVEDISTINGUISHEDNAME) =
    list::TypedList<KORVU_TYPE_RELATIVEDISTINGUISHEDNAME, KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE>::ops;
KORVU_API KORVU_X500_ATTRTYPEDISTVAL *korvu_x500attrtypedistval_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *v,
                                                                    const KORVU_ASN1_BOOLEAN *primary,
                                                                    const KORVU_ASN1_LIST *contexts) {
  if (v == nullptr || v->eoc) return nullptr;
  return static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(st::make<kAtdv>(type, v, primary, contexts));
}
KORVU_API KORVU_X500_ATTRTYPEDISTVAL *korvu_pkixattrtypeval_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *v) {
  return korvu_x500attrtypedistval_new(type, v, nullptr, nullptr);  // checked when written or read as type 30
}
KORVU_GET(korvu_x500attrtypedistval_gettype, kAtdv, type);
KORVU_GET(korvu_x500attrtypedistval_getvalue, kAtdv, value);
KORVU_GET(korvu_x500attrtypedistval_getprimedist, kAtdv, primaryDistinguished);
KORVU_HAS(korvu_x500attrtypedistval_hascontext, kAtdv, valuesWithContext);
KORVU_GET(korvu_x500attrtypedistval_getcontext, kAtdv, valuesWithContext);
KORVU_API int korvu_x500RDN_sort(KORVU_ASN1_LIST *rdn) {
  if (rdn == nullptr) return 0;
  for (int32_t i = 0; i < rdn->count; i++) {
    auto *p = static_cast<KORVU_X500_ATTRTYPEDISTVAL *>(rdn->items[i]);
    if (p == nullptr) return 0;
    const int r = p->hasValuesWithContext ? sort_with_context<KORVU_X500_DNVALWITHCTX>(
                                                p->valuesWithContext, KORVU_TYPE_DISTINGUISHED_VALUE_WITH_CONTEXT_ITEM)
                                          : 1;
    if (r != 1) return r;
  }
  return list::der_sort(rdn, KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE, nullptr);
}

// Name ::= RDNSequence ::= SEQUENCE OF RelativeDistinguishedName, keeping the octets it was read from (or
// first written to) until it changes. A primitive encoding is no Name: an incorrect item, as any other tag.
constexpr st::Field kRdns = KORVU_FIELD(KORVU_TYPE_RELATIVEDISTINGUISHEDNAME, KORVU_X500_NAME, rdns).sequence_of();
constexpr st::StructDef kName =
    st::list_record(KORVU_TYPE_NAME, kRdns, sizeof(KORVU_X500_NAME)).keeping(offsetof(KORVU_X500_NAME, encoding));
static_assert(offsetof(KORVU_X500_ATTRTYPEDISTVAL, hasEncoding) - offsetof(KORVU_X500_ATTRTYPEDISTVAL, encoding) ==
                  offsetof(st::Kept, has) &&
              offsetof(KORVU_X500_NAME, hasEncoding) - offsetof(KORVU_X500_NAME, encoding) == offsetof(st::Kept, has));
static int name_decode(KORVU_STREAM *s, const Header &h, void **out, uint32_t *n, KORVU_ERR_CTX *ctx, int depth) {
  if (!h.primitive) return st::kept_decode(kName, s, h, out, n, ctx, depth);
  KORVU_ERR(ctx, kErrIncorrectItem);
  return 0;
}
// The hook only refuses the primitive form, which the reader of memory input refuses too: it reads a
// constructed Name by the table.
constexpr TypeOps name_ops() {
  TypeOps o = st::with_hook<KORVU_TYPE_NAME, kName>(&TypeOps::decode_tlv, name_decode);
  o.mem_read = TypeOps::MemRead::Table;
  return o;
}
KORVU_REGISTER_TYPE(KORVU_TYPE_NAME) = name_ops();
KORVU_API KORVU_X500_NAME *korvu_x500name_new(void) {
  const KORVU_ASN1_LIST no_rdns{};
  return static_cast<KORVU_X500_NAME *>(st::make<kName>(&no_rdns));
}
KORVU_API int korvu_x500name_addrdn(KORVU_X500_NAME *name, KORVU_ASN1_LIST *rdn, uint32_t dup) {
  if (name == nullptr || name->rdns == nullptr || rdn == nullptr) return 0;
  for (int32_t i = 0; i < rdn->count; i++)
    if (rdn->items[i] == nullptr) return 0;
  for (int32_t i = 0; dup == 0 && i < name->rdns->count; i++)
    if (name->rdns->items[i] == rdn) return 0;  // it would be owned (and freed) twice
  void *add = dup ? korvu_asn1_dupobject(KORVU_TYPE_RELATIVEDISTINGUISHEDNAME, rdn, nullptr) : rdn;
  if (add == nullptr || korvu_asn1_list_put(name->rdns, add) != 1) {
    if (add != rdn) value_free(KORVU_TYPE_RELATIVEDISTINGUISHEDNAME, add);
    return 0;
  }
  st::discard_kept(kName, name);
  return 1;
}
KORVU_GET(korvu_x500name_getdn, kName, rdns);
KORVU_API int korvu_x500name_sort(KORVU_X500_NAME *name) {
  if (name == nullptr || name->rdns == nullptr) return 0;
  for (int32_t i = 0; i < name->rdns->count; i++) {
    const int r = korvu_x500RDN_sort(static_cast<KORVU_ASN1_LIST *>(name->rdns->items[i]));
    if (r != 1) return r;
  }
  return 1;
}

// DirectoryString ::= CHOICE { teletexString TeletexString, printableString PrintableString,
//   universalString UniversalString, utf8String UTF8String, bmpString BMPString }
// PKCS9String ::= CHOICE { ia5String IA5String, directoryString DirectoryString }
// Both flattened: the choice number is the string's universal tag, its contents octets are kept unconverted.
// PostalAddress ::= SEQUENCE SIZE (1..ub) OF DirectoryString
static constexpr st::Field string_alt(uint32_t tag, uint32_t code) {
  return st::alternative(tag, KORVU_TYPE_OCTET_STRING).implicit(tag, 0x00).reports(code);
}
constexpr uint32_t kDirCode = kErrEncodeX500DirectoryString, kPkcs9Code = kErrEncodeX500Pkcs9String;
constexpr st::Field kDirStringAlts[] = {string_alt(20, kDirCode), string_alt(19, kDirCode), string_alt(28, kDirCode),
                                        string_alt(12, kDirCode), string_alt(30, kDirCode)};
constexpr st::Field kPkcs9StringAlts[] = {string_alt(20, kPkcs9Code), string_alt(19, kPkcs9Code),
                                          string_alt(28, kPkcs9Code), string_alt(12, kPkcs9Code),
                                          string_alt(30, kPkcs9Code), string_alt(22, kPkcs9Code)};
constexpr st::StructDef kDirString = st::choice(KORVU_TYPE_DIRECTORYSTRING, kDirStringAlts);
constexpr st::StructDef kPkcs9String = st::choice(KORVU_TYPE_PKCS9STRING, kPkcs9StringAlts);
static_assert(offsetof(KORVU_X500_DIRSTRING, tag) == offsetof(st::ChoiceRecord, choice) &&
              offsetof(KORVU_X500_DIRSTRING, string) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DIRECTORYSTRING, kDirString);
KORVU_REGISTER_STRUCT(KORVU_TYPE_PKCS9STRING, kPkcs9String);
KORVU_REGISTER_TYPE(KORVU_TYPE_POSTALADDRESS) = list::TypedList<KORVU_TYPE_POSTALADDRESS, KORVU_TYPE_DIRECTORYSTRING,
                                                                0x00, list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;
KORVU_API KORVU_X500_DIRSTRING *korvu_x500dirstring_new(uint32_t tag, const KORVU_ASN1_OCTETSTRING *string) {
  return static_cast<KORVU_X500_DIRSTRING *>(st::new_choice(kDirString, tag, string));
}
KORVU_API int korvu_x500dirstring_gettype(const KORVU_X500_DIRSTRING *value, uint32_t *tag) {
  return st::choice_number(value, tag);
}
KORVU_GET(korvu_x500dirstring_getstring, kDirString, string);
KORVU_API KORVU_PKCS9STRING *korvu_pkcs9string_new(uint32_t tag, const KORVU_ASN1_OCTETSTRING *string) {
  return static_cast<KORVU_PKCS9STRING *>(st::new_choice(kPkcs9String, tag, string));
}
KORVU_API int korvu_pkcs9string_gettype(const KORVU_PKCS9STRING *value, uint32_t *tag) {
  return st::choice_number(value, tag);
}
KORVU_GET(korvu_pkcs9string_getstring, kPkcs9String, string);

// UUIDPair ::= SEQUENCE { issuerUUID UUID, subjectUUID UUID }, UUID ::= OCTET STRING (SIZE (16))
constexpr st::Field kUuidFields[] = {
    KORVU_INLINE_OCTETS(KORVU_X500_UUIDPAIR, issuerUUID).size(16, 16, kErrIncorrectLength),
    KORVU_INLINE_OCTETS(KORVU_X500_UUIDPAIR, subjectUUID).size(16, 16, kErrIncorrectLength)};
constexpr st::StructDef kUuidPair = st::sequence(KORVU_TYPE_UUIDPAIR, kUuidFields, sizeof(KORVU_X500_UUIDPAIR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_UUIDPAIR, kUuidPair);
KORVU_API KORVU_X500_UUIDPAIR *korvu_x500uuidpair_new(const unsigned char *issuer, const unsigned char *subject) {
  return static_cast<KORVU_X500_UUIDPAIR *>(st::make<kUuidPair>(issuer, subject));
}
KORVU_API int korvu_x500uuidpair_getissueruuid(const KORVU_X500_UUIDPAIR *pair, unsigned char *uuid) {
  return pair && uuid ? (std::memcpy(uuid, pair->issuerUUID, 16), 1) : 0;
}
KORVU_API int korvu_x500uuidpair_getsubjectuuid(const KORVU_X500_UUIDPAIR *pair, unsigned char *uuid) {
  return pair && uuid ? (std::memcpy(uuid, pair->subjectUUID, 16), 1) : 0;
}

// TelexNumber ::= SEQUENCE { telexNumber PrintableString (SIZE (1..ub)),
//   countryCode PrintableString (SIZE (1..ub)), answerback PrintableString (SIZE (1..ub)) }
constexpr st::Field kTelexFields[] = {KORVU_FIELD(KORVU_TYPE_PRINTABLESTRING, KORVU_X500_TELEXNUM, telexNumber),
                                      KORVU_FIELD(KORVU_TYPE_PRINTABLESTRING, KORVU_X500_TELEXNUM, countryCode),
                                      KORVU_FIELD(KORVU_TYPE_PRINTABLESTRING, KORVU_X500_TELEXNUM, answerback)};
static int telex_check(const void *record, KORVU_ERR_CTX *ctx) {
  auto *t = static_cast<const KORVU_X500_TELEXNUM *>(record);
  const KORVU_ASN1_STRING *parts[] = {t->telexNumber, t->countryCode, t->answerback};
  for (const KORVU_ASN1_STRING *s : parts) {
    const uint32_t n = korvu_asn1_string_getlength(s);
    if (n == 0 || n == 0xFFFFFFFEu) {
      KORVU_ERR(ctx, kErrIncorrectSize);
      return 0;
    }
  }
  return 1;
}
constexpr st::StructDef kTelex =
    st::sequence(KORVU_TYPE_TELEXNUMBER, kTelexFields, sizeof(KORVU_X500_TELEXNUM)).checked(telex_check);
KORVU_REGISTER_STRUCT(KORVU_TYPE_TELEXNUMBER, kTelex);
KORVU_API KORVU_X500_TELEXNUM *korvu_x500telexnum_new(const KORVU_ASN1_STRING *number, const KORVU_ASN1_STRING *country,
                                                      const KORVU_ASN1_STRING *answerback) {
  return static_cast<KORVU_X500_TELEXNUM *>(st::make<kTelex>(number, country, answerback));
}
KORVU_GET(korvu_x500telexnum_gettelexnum, kTelex, telexNumber);
KORVU_GET(korvu_x500telexnum_getcoutrycode, kTelex, countryCode);
KORVU_GET(korvu_x500telexnum_getanswerback, kTelex, answerback);

// NameAndOptionalUID ::= SEQUENCE { dn DistinguishedName, uid UniqueIdentifier OPTIONAL }
constexpr st::Field kNameUidFields[] = {
    KORVU_FIELD(KORVU_TYPE_NAME, KORVU_X500_NAMEANDOPTUID, dn),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_X500_NAMEANDOPTUID, uid)
        .optional(offsetof(KORVU_X500_NAMEANDOPTUID, hasUid))};
constexpr st::StructDef kNameUid =
    st::sequence(KORVU_TYPE_NAMEANDOPTIONALUID, kNameUidFields, sizeof(KORVU_X500_NAMEANDOPTUID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_NAMEANDOPTIONALUID, kNameUid);
KORVU_API KORVU_X500_NAMEANDOPTUID *korvu_x500nameandoptuid_new(const KORVU_X500_NAME *dn,
                                                                const KORVU_ASN1_BITSTRING *uid) {
  return static_cast<KORVU_X500_NAMEANDOPTUID *>(st::make<kNameUid>(dn, uid));
}
KORVU_GET(korvu_x500nameandoptuid_getname, kNameUid, dn);
KORVU_GET(korvu_x500nameandoptuid_getuid, kNameUid, uid);
