// LDAPv3 protocol messages (RFC 4511 4.1 to 4.14, IMPLICIT TAGS): the LDAPMessage envelope, its 21
// operations under their APPLICATION tags, LDAPResult, the search Filter and Control. The record layouts
// are in korvu/ldap.h. Strings of the protocol are OCTET STRINGs, enumerations ENUMERATED values; no value
// is range-checked (message IDs, versions, limits, result codes are kept as received).
#define KORVU_SRC "KORVU_ASN1_LDAP"
#include "korvu/ldap.h"

#include <array>
#include <utility>

#include "../core/list_codec.h"
#include "../core/struct.h"

using namespace korvu;
using st::alternative;

namespace {
constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};
constexpr uint32_t kNullValue = 0;  // the value of a NULL (any pointer stands for it)
}  // namespace

// ---- lists ------------------------------------------------------------------------------------------
// Referral ::= SEQUENCE SIZE (1..MAX) OF uri URI; SearchResultReference ::= [APPLICATION 19] SEQUENCE
// SIZE (1..MAX) OF uri URI; substrings SEQUENCE SIZE (1..MAX) OF substring: the sizes checked on decoding.
KORVU_REGISTER_TYPE(KORVU_TYPE_REFERRAL) = list::kNonEmpty<KORVU_TYPE_REFERRAL, KORVU_TYPE_OCTET_STRING>;
KORVU_REGISTER_TYPE(KORVU_TYPE_SEARCHRESULTREFERENCE) =
    list::kNonEmpty<KORVU_TYPE_SEARCHRESULTREFERENCE, KORVU_TYPE_OCTET_STRING>;
KORVU_REGISTER_TYPE(KORVU_TYPE_SUBSTRINGS) = list::kNonEmpty<KORVU_TYPE_SUBSTRINGS, KORVU_TYPE_SUBSTRING>;
// Controls ::= SEQUENCE OF Control; Filters: SET OF Filter (and, or); AttributeSelection ::= SEQUENCE OF
// LDAPString; PartialAttributeList ::= SEQUENCE OF PartialAttribute; changes: SEQUENCE OF change;
// AttributeList ::= SEQUENCE OF Attribute; vals: SET OF AttributeValue. SET OF values keep their order.
KORVU_REGISTER_TYPE(KORVU_TYPE_CONTROLS) = list::TypedList<KORVU_TYPE_CONTROLS, KORVU_TYPE_CONTROL>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_FILTERS) = list::TypedList<KORVU_TYPE_FILTERS, KORVU_TYPE_FILTER>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_ATTRIBUTESELECTION) =
    list::TypedList<KORVU_TYPE_ATTRIBUTESELECTION, KORVU_TYPE_OCTET_STRING>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_PARTIALATTRIBUTELIST) =
    list::TypedList<KORVU_TYPE_PARTIALATTRIBUTELIST, KORVU_TYPE_PARTIALATTRIBUTE>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_CHANGES) = list::TypedList<KORVU_TYPE_CHANGES, KORVU_TYPE_CHANGE>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_ATTRIBUTELIST) = list::TypedList<KORVU_TYPE_ATTRIBUTELIST, KORVU_TYPE_LDAP_ATTRIBUTE>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SET_OF_OCTET_STRING) =
    list::TypedList<KORVU_TYPE_SET_OF_OCTET_STRING, KORVU_TYPE_OCTET_STRING>::ops;

// ---- operations that are a universal type under an APPLICATION tag ----------------------------------
// UnbindRequest ::= [APPLICATION 2] NULL; DelRequest ::= [APPLICATION 10] LDAPDN (primitive or constructed);
// AbandonRequest ::= [APPLICATION 16] MessageID.
KORVU_REGISTER_TYPE(KORVU_TYPE_UNBINDREQUEST) =
    st::Alias<KORVU_TYPE_UNBINDREQUEST, KORVU_TYPE_NULL, st::Tagging::Implicit>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_DELREQUEST) =
    st::Alias<KORVU_TYPE_DELREQUEST, KORVU_TYPE_OCTET_STRING, st::Tagging::Implicit>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_ABANDONREQUEST) =
    st::Alias<KORVU_TYPE_ABANDONREQUEST, KORVU_TYPE_INTEGER, st::Tagging::Implicit>::ops;

// ---- AttributeValueAssertion ::= SEQUENCE { attributeDesc AttributeDescription, assertionValue AssertionValue }
constexpr st::Field kAvaFields[] = {KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_AVA, attributeDesc),
                                    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_AVA, assertionValue)};
constexpr st::StructDef kAva = st::sequence(KORVU_TYPE_ATTRIBUTEVALUEASSERTION, kAvaFields, sizeof(KORVU_LDAP_AVA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ATTRIBUTEVALUEASSERTION, kAva);
KORVU_API KORVU_LDAP_AVA *korvu_ldapattributevalueassertion_new(const KORVU_ASN1_OCTETSTRING *desc,
                                                               const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_LDAP_AVA *>(st::make<kAva>(desc, value));
}
KORVU_GET(korvu_ldapattributevalueassertion_getdesc, kAva, attributeDesc);
KORVU_GET(korvu_ldapattributevalueassertion_getvalue, kAva, assertionValue);

// ---- PartialAttribute ::= SEQUENCE { type AttributeDescription, vals SET OF value AttributeValue }
// Attribute ::= PartialAttribute (WITH COMPONENTS { ..., vals (SIZE(1..MAX)) })
constexpr st::Field kPartialFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_ATTRIBUTE, type),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_ATTRIBUTE, vals).set_of()};
constexpr st::StructDef kPartial =
    st::sequence(KORVU_TYPE_PARTIALATTRIBUTE, kPartialFields, sizeof(KORVU_LDAP_ATTRIBUTE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PARTIALATTRIBUTE, kPartial);
constexpr st::Field kAttributeFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_ATTRIBUTE, type),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_ATTRIBUTE, vals).set_of().size_on_decode(1)};
constexpr st::StructDef kAttribute =
    st::sequence(KORVU_TYPE_LDAP_ATTRIBUTE, kAttributeFields, sizeof(KORVU_LDAP_ATTRIBUTE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_LDAP_ATTRIBUTE, kAttribute);
KORVU_API KORVU_LDAP_ATTRIBUTE *korvu_ldapattribute_new(const KORVU_ASN1_OCTETSTRING *type,
                                                       const KORVU_ASN1_LIST *vals) {
  return static_cast<KORVU_LDAP_ATTRIBUTE *>(st::make<kAttribute>(type, vals));
}
KORVU_GET(korvu_ldapattribute_gettype, kAttribute, type);
KORVU_GET(korvu_ldapattribute_getvalue, kAttribute, vals);

// ---- LDAPResult ::= SEQUENCE { resultCode ENUMERATED, matchedDN LDAPDN, diagnosticMessage LDAPString,
//   referral [3] Referral OPTIONAL }; the result-only responses are LDAPResult under their own tags.
#define KORVU_LDAP_RESULT_FIELDS_(T)                                                     \
  KORVU_FIELD(KORVU_TYPE_ENUMERATED, T, resultCode),                                 \
      KORVU_FIELD(KORVU_TYPE_OCTET_STRING, T, matchedDN),                            \
      KORVU_FIELD(KORVU_TYPE_OCTET_STRING, T, diagnosticMessage),                    \
      KORVU_FIELD(KORVU_TYPE_REFERRAL, T, referral).implicit(3).optional()
constexpr st::Field kResultFields[] = {KORVU_LDAP_RESULT_FIELDS_(KORVU_LDAP_RESULT)};
template <uint32_t Type>
constexpr st::StructDef kResultOf = st::sequence(Type, kResultFields, sizeof(KORVU_LDAP_RESULT));
constexpr const st::StructDef &kResult = kResultOf<KORVU_TYPE_LDAPRESULT>;
KORVU_REGISTER_STRUCT(KORVU_TYPE_LDAPRESULT, kResult);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SEARCHRESULTDONE, kResultOf<KORVU_TYPE_SEARCHRESULTDONE>);
KORVU_REGISTER_STRUCT(KORVU_TYPE_MODIFYRESPONSE, kResultOf<KORVU_TYPE_MODIFYRESPONSE>);
KORVU_REGISTER_STRUCT(KORVU_TYPE_ADDRESPONSE, kResultOf<KORVU_TYPE_ADDRESPONSE>);
KORVU_REGISTER_STRUCT(KORVU_TYPE_DELRESPONSE, kResultOf<KORVU_TYPE_DELRESPONSE>);
KORVU_REGISTER_STRUCT(KORVU_TYPE_MODIFYDNRESPONSE, kResultOf<KORVU_TYPE_MODIFYDNRESPONSE>);
KORVU_REGISTER_STRUCT(KORVU_TYPE_COMPARERESPONSE, kResultOf<KORVU_TYPE_COMPARERESPONSE>);
KORVU_API KORVU_LDAP_RESULT *korvu_ldapresult_new(const KORVU_ASN1_INTEGER *result_code,
                                                 const KORVU_ASN1_OCTETSTRING *matched_dn,
                                                 const KORVU_ASN1_OCTETSTRING *diagnostic_message,
                                                 const KORVU_ASN1_LIST *referral) {
  return static_cast<KORVU_LDAP_RESULT *>(st::make<kResult>(result_code, matched_dn, diagnostic_message, referral));
}
KORVU_GET(korvu_ldapresult_getresultcode, kResult, resultCode);
KORVU_GET(korvu_ldapresult_getmatcheddn, kResult, matchedDN);
KORVU_GET(korvu_ldapresult_getdiagnosticmessage, kResult, diagnosticMessage);
KORVU_GET(korvu_ldapresult_getreferral, kResult, referral);

// ---- Control ::= SEQUENCE { controlType LDAPOID, criticality BOOLEAN DEFAULT FALSE,
//   controlValue OCTET STRING OPTIONAL }
constexpr st::Field kControlFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_CONTROL, controlType),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_LDAP_CONTROL, criticality).defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_CONTROL, controlValue).optional()};
constexpr st::StructDef kControl = st::sequence(KORVU_TYPE_CONTROL, kControlFields, sizeof(KORVU_LDAP_CONTROL));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CONTROL, kControl);
KORVU_API KORVU_LDAP_CONTROL *korvu_ldapcontrol_new(const KORVU_ASN1_OCTETSTRING *type,
                                                   const KORVU_ASN1_BOOLEAN *criticality,
                                                   const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_LDAP_CONTROL *>(st::make<kControl>(type, criticality, value));
}
KORVU_GET(korvu_ldapcontrol_gettype, kControl, controlType);
KORVU_GET(korvu_ldapcontrol_getcriticality, kControl, criticality);
KORVU_GET(korvu_ldapcontrol_getvalue, kControl, controlValue);

// ---- SaslCredentials ::= SEQUENCE { mechanism LDAPString, credentials OCTET STRING OPTIONAL }
constexpr st::Field kSaslFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_SASLCREDENTIALS, mechanism),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_SASLCREDENTIALS, credentials).optional()};
constexpr st::StructDef kSasl =
    st::sequence(KORVU_TYPE_SASLCREDENTIALS, kSaslFields, sizeof(KORVU_LDAP_SASLCREDENTIALS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SASLCREDENTIALS, kSasl);
KORVU_API KORVU_LDAP_SASLCREDENTIALS *korvu_ldapsaslcredentials_new(const KORVU_ASN1_OCTETSTRING *mechanism,
                                                                   const KORVU_ASN1_OCTETSTRING *credentials) {
  return static_cast<KORVU_LDAP_SASLCREDENTIALS *>(st::make<kSasl>(mechanism, credentials));
}
KORVU_GET(korvu_ldapsaslcredentials_getmechanism, kSasl, mechanism);
KORVU_GET(korvu_ldapsaslcredentials_getcredentials, kSasl, credentials);

// ---- AuthenticationChoice ::= CHOICE { simple [0] OCTET STRING, sasl [3] SaslCredentials } (choices 0, 1)
constexpr st::Field kAuthAlts[] = {alternative(0, KORVU_TYPE_OCTET_STRING).implicit(0),
                                   alternative(1, KORVU_TYPE_SASLCREDENTIALS).implicit(3)};
constexpr st::StructDef kAuth = st::choice(KORVU_TYPE_AUTHENTICATIONCHOICE, kAuthAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_AUTHENTICATIONCHOICE, kAuth);
KORVU_NEW_CHOICE(korvu_ldapauthenticationchoice_newsimple, kAuth, 0);
KORVU_NEW_CHOICE(korvu_ldapauthenticationchoice_newsasl, kAuth, 1);
KORVU_API uint32_t korvu_ldapauthenticationchoice_gettype(const KORVU_LDAP_AUTHCHOICE *auth) {
  return st::choice_of(auth);
}
KORVU_GET_CHOICE(korvu_ldapauthenticationchoice_getsimple, 0);
KORVU_GET_CHOICE(korvu_ldapauthenticationchoice_getsasl, 1);

// ---- BindRequest ::= [APPLICATION 0] SEQUENCE { version INTEGER (1..127), name LDAPDN,
//   authentication AuthenticationChoice }
constexpr st::Field kBindReqFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_LDAP_BINDREQUEST, version),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_BINDREQUEST, name),
    KORVU_FIELD(KORVU_TYPE_AUTHENTICATIONCHOICE, KORVU_LDAP_BINDREQUEST, authentication)};
constexpr st::StructDef kBindReq =
    st::sequence(KORVU_TYPE_BINDREQUEST, kBindReqFields, sizeof(KORVU_LDAP_BINDREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_BINDREQUEST, kBindReq);
KORVU_API KORVU_LDAP_BINDREQUEST *korvu_ldapbindrequest_new(const KORVU_ASN1_INTEGER *version,
                                                           const KORVU_ASN1_OCTETSTRING *name,
                                                           const KORVU_LDAP_AUTHCHOICE *authentication) {
  return static_cast<KORVU_LDAP_BINDREQUEST *>(st::make<kBindReq>(version, name, authentication));
}
KORVU_GET(korvu_ldapbindrequest_getversion, kBindReq, version);
KORVU_GET(korvu_ldapbindrequest_getname, kBindReq, name);
KORVU_GET(korvu_ldapbindrequest_getauthentication, kBindReq, authentication);

// ---- BindResponse ::= [APPLICATION 1] SEQUENCE { COMPONENTS OF LDAPResult,
//   serverSaslCreds [7] OCTET STRING OPTIONAL }
constexpr st::Field kBindRespFields[] = {
    KORVU_LDAP_RESULT_FIELDS_(KORVU_LDAP_BINDRESPONSE),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_BINDRESPONSE, serverSaslCreds).implicit(7).optional()};
constexpr st::StructDef kBindResp =
    st::sequence(KORVU_TYPE_BINDRESPONSE, kBindRespFields, sizeof(KORVU_LDAP_BINDRESPONSE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_BINDRESPONSE, kBindResp);
KORVU_API KORVU_LDAP_BINDRESPONSE *korvu_ldapbindresponse_new(const KORVU_ASN1_INTEGER *result_code,
                                                             const KORVU_ASN1_OCTETSTRING *matched_dn,
                                                             const KORVU_ASN1_OCTETSTRING *diagnostic_message,
                                                             const KORVU_ASN1_LIST *referral,
                                                             const KORVU_ASN1_OCTETSTRING *server_sasl_creds) {
  return static_cast<KORVU_LDAP_BINDRESPONSE *>(
      st::make<kBindResp>(result_code, matched_dn, diagnostic_message, referral, server_sasl_creds));
}
KORVU_GET(korvu_ldapbindresponse_getresultcode, kBindResp, resultCode);
KORVU_GET(korvu_ldapbindresponse_getmatcheddn, kBindResp, matchedDN);
KORVU_GET(korvu_ldapbindresponse_getdiagnosticmessage, kBindResp, diagnosticMessage);
KORVU_GET(korvu_ldapbindresponse_getreferral, kBindResp, referral);
KORVU_GET(korvu_ldapbindresponse_getserversaslcreds, kBindResp, serverSaslCreds);

// ---- substring: CHOICE { initial [0] AssertionValue, any [1] AssertionValue, final [2] AssertionValue }
constexpr st::Field kSubstringAlts[] = {alternative(0, KORVU_TYPE_OCTET_STRING).implicit(0),
                                        alternative(1, KORVU_TYPE_OCTET_STRING).implicit(1),
                                        alternative(2, KORVU_TYPE_OCTET_STRING).implicit(2)};
constexpr st::StructDef kSubstring = st::choice(KORVU_TYPE_SUBSTRING, kSubstringAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SUBSTRING, kSubstring);
KORVU_NEW_CHOICE(korvu_ldapsubstring_newinitial, kSubstring, 0);
KORVU_NEW_CHOICE(korvu_ldapsubstring_newany, kSubstring, 1);
KORVU_NEW_CHOICE(korvu_ldapsubstring_newfinal, kSubstring, 2);
KORVU_API uint32_t korvu_ldapsubstring_gettype(const KORVU_LDAP_SUBSTRING *s) { return st::choice_of(s); }
KORVU_GET_CHOICE(korvu_ldapsubstring_getinitial, 0);
KORVU_GET_CHOICE(korvu_ldapsubstring_getany, 1);
KORVU_GET_CHOICE(korvu_ldapsubstring_getfinal, 2);

// ---- SubstringFilter ::= SEQUENCE { type AttributeDescription, substrings SEQUENCE SIZE (1..MAX) OF substring }
constexpr st::Field kSubFilterFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_SUBSTRINGFILTER, type),
    KORVU_FIELD(KORVU_TYPE_SUBSTRINGS, KORVU_LDAP_SUBSTRINGFILTER, substrings)};
constexpr st::StructDef kSubFilter =
    st::sequence(KORVU_TYPE_SUBSTRINGFILTER, kSubFilterFields, sizeof(KORVU_LDAP_SUBSTRINGFILTER));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SUBSTRINGFILTER, kSubFilter);
KORVU_API KORVU_LDAP_SUBSTRINGFILTER *korvu_ldapsubstringfilter_new(const KORVU_ASN1_OCTETSTRING *type,
                                                                   const KORVU_ASN1_LIST *substrings) {
  return static_cast<KORVU_LDAP_SUBSTRINGFILTER *>(st::make<kSubFilter>(type, substrings));
}
KORVU_GET(korvu_ldapsubstringfilter_gettype, kSubFilter, type);
KORVU_GET(korvu_ldapsubstringfilter_getsubstrings, kSubFilter, substrings);

// ---- MatchingRuleAssertion ::= SEQUENCE { matchingRule [1] MatchingRuleId OPTIONAL,
//   type [2] AttributeDescription OPTIONAL, matchValue [3] AssertionValue, dnAttributes [4] BOOLEAN DEFAULT FALSE }
constexpr st::Field kMraFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_MRA, matchingRule).implicit(1).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_MRA, type).implicit(2).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_MRA, matchValue).implicit(3),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_LDAP_MRA, dnAttributes).implicit(4).defaults(kFalse,
                                                                                          st::DefaultRule::Boolean)};
constexpr st::StructDef kMra = st::sequence(KORVU_TYPE_MATCHINGRULEASSERTION, kMraFields, sizeof(KORVU_LDAP_MRA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_MATCHINGRULEASSERTION, kMra);
KORVU_API KORVU_LDAP_MRA *korvu_ldapmatchingruleassertion_new(const KORVU_ASN1_OCTETSTRING *matching_rule,
                                                             const KORVU_ASN1_OCTETSTRING *type,
                                                             const KORVU_ASN1_OCTETSTRING *match_value,
                                                             const KORVU_ASN1_BOOLEAN *dn_attributes) {
  return static_cast<KORVU_LDAP_MRA *>(st::make<kMra>(matching_rule, type, match_value, dn_attributes));
}
KORVU_GET(korvu_ldapmatchingruleassertion_getmatchingrule, kMra, matchingRule);
KORVU_GET(korvu_ldapmatchingruleassertion_gettype, kMra, type);
KORVU_GET(korvu_ldapmatchingruleassertion_getmatchvalue, kMra, matchValue);
KORVU_GET(korvu_ldapmatchingruleassertion_getdnattributes, kMra, dnAttributes);

// ---- Filter ::= CHOICE { and [0] SET SIZE (1..MAX) OF filter Filter, or [1] SET SIZE (1..MAX) OF filter Filter,
//   not [2] Filter, equalityMatch [3] AttributeValueAssertion, substrings [4] SubstringFilter,
//   greaterOrEqual [5] AttributeValueAssertion, lessOrEqual [6] AttributeValueAssertion,
//   present [7] AttributeDescription, approxMatch [8] AttributeValueAssertion,
//   extensibleMatch [9] MatchingRuleAssertion }  (choice number = tag; not is EXPLICIT, a CHOICE being tagged)
// The sets of and/or may be empty (the absolute true and false filters of RFC 4526).
namespace {
enum : uint32_t { kAnd = 0, kOr = 1, kNot = 2 };
}
constexpr st::Field kFilterAlts[] = {
    alternative(kAnd, KORVU_TYPE_FILTERS).implicit(0),
    alternative(kOr, KORVU_TYPE_FILTERS).implicit(1),
    alternative(kNot, KORVU_TYPE_FILTER).explicit_(2),
    alternative(3, KORVU_TYPE_ATTRIBUTEVALUEASSERTION).implicit(3),
    alternative(4, KORVU_TYPE_SUBSTRINGFILTER).implicit(4),
    alternative(5, KORVU_TYPE_ATTRIBUTEVALUEASSERTION).implicit(5),
    alternative(6, KORVU_TYPE_ATTRIBUTEVALUEASSERTION).implicit(6),
    alternative(7, KORVU_TYPE_OCTET_STRING).implicit(7),
    alternative(8, KORVU_TYPE_ATTRIBUTEVALUEASSERTION).implicit(8),
    alternative(9, KORVU_TYPE_MATCHINGRULEASSERTION).implicit(9)};
constexpr st::StructDef kFilter = st::choice(KORVU_TYPE_FILTER, kFilterAlts);

// A caller may build a Filter of any depth (and/or lists are theirs to fill), so measuring and encoding
// first make sure that it nests no deeper than the decoder would go, and freeing walks it without recursion.
namespace {
using st::ChoiceRecord;

// True when the filter nests no more than `left` levels.
bool filter_within(const void *v, int left) {
  auto *f = static_cast<const ChoiceRecord *>(v);
  if (f == nullptr) return true;
  if (left <= 0) return false;
  if (f->choice == kNot) return filter_within(f->value, left - 1);
  if (f->choice == kAnd || f->choice == kOr) {
    auto *l = static_cast<const KORVU_ASN1_LIST *>(f->value);
    for (int32_t i = 0; l != nullptr && i < l->count; i++)
      if (!filter_within(l->items[i], left - 1)) return false;
  }
  return true;
}

Len filter_length(const void *v) {
  if (!filter_within(v, korvu_get_recursive_level())) return kLenError;
  return st::choice_total_length(kFilter, v);
}

int filter_encode(KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx) {
  if (!filter_within(v, korvu_get_recursive_level())) {
    KORVU_ERR(ctx, KORVU_ERR_DEPTH);
    KORVU_ENCODE_ERR(ctx, KORVU_TYPE_FILTER);
    return 0;
  }
  return st::choice_encode(kFilter, s, v, w, ctx);
}

// Frees a filter tree in constant space: an and/or node whose children are not all freed yet waits on a
// chain linked through the list slot of the child last taken from it.
void filter_free(void *v) {
  auto *cur = static_cast<ChoiceRecord *>(v);
  ChoiceRecord *waiting = nullptr;
  for (;;) {
    if (cur == nullptr) {
      if (waiting == nullptr) return;
      cur = waiting;
      auto *l = static_cast<KORVU_ASN1_LIST *>(cur->value);
      waiting = static_cast<ChoiceRecord *>(l->items[l->count]);
    }
    if (cur->choice == kAnd || cur->choice == kOr) {
      auto *l = static_cast<KORVU_ASN1_LIST *>(cur->value);
      if (l != nullptr && l->items != nullptr && l->count > 0) {
        auto *child = static_cast<ChoiceRecord *>(l->items[--l->count]);
        l->items[l->count] = waiting;
        waiting = cur;
        cur = child;
        continue;
      }
      korvu_asn1_list_free(l, KORVU_TYPE_FILTER);
      korvu_free(cur);
      cur = nullptr;
    } else if (cur->choice == kNot) {
      auto *inner = static_cast<ChoiceRecord *>(cur->value);
      korvu_free(cur);
      cur = inner;
    } else {
      st::free_record(kFilter, cur);  // a leaf: no filter inside
      cur = nullptr;
    }
  }
}

constexpr TypeOps filter_ops() {
  TypeOps o = st::ops_of<kFilter>();
  o.free = &filter_free;
  o.total_length = &filter_length;
  o.encode = &filter_encode;
  return o;
}
}  // namespace
static_assert(st::check_table(kFilter, KORVU_TYPE_FILTER), "table checked against its row");
KORVU_REGISTER_TYPE(KORVU_TYPE_FILTER) = filter_ops();

KORVU_NEW_CHOICE(korvu_ldapfilter_newand, kFilter, 0);
KORVU_NEW_CHOICE(korvu_ldapfilter_newor, kFilter, 1);
KORVU_NEW_CHOICE(korvu_ldapfilter_newnot, kFilter, 2);
KORVU_NEW_CHOICE(korvu_ldapfilter_newequalitymatch, kFilter, 3);
KORVU_NEW_CHOICE(korvu_ldapfilter_newsubstrings, kFilter, 4);
KORVU_NEW_CHOICE(korvu_ldapfilter_newgreaterorequal, kFilter, 5);
KORVU_NEW_CHOICE(korvu_ldapfilter_newlessorequal, kFilter, 6);
KORVU_NEW_CHOICE(korvu_ldapfilter_newpresent, kFilter, 7);
KORVU_NEW_CHOICE(korvu_ldapfilter_newapproxmatch, kFilter, 8);
KORVU_NEW_CHOICE(korvu_ldapfilter_newextensiblematch, kFilter, 9);
KORVU_API uint32_t korvu_ldapfilter_gettype(const KORVU_LDAP_FILTER *f) { return st::choice_of(f); }
KORVU_GET_CHOICE(korvu_ldapfilter_getand, 0);
KORVU_GET_CHOICE(korvu_ldapfilter_getor, 1);
KORVU_GET_CHOICE(korvu_ldapfilter_getnot, 2);
KORVU_GET_CHOICE(korvu_ldapfilter_getequalitymatch, 3);
KORVU_GET_CHOICE(korvu_ldapfilter_getsubstrings, 4);
KORVU_GET_CHOICE(korvu_ldapfilter_getgreaterorequal, 5);
KORVU_GET_CHOICE(korvu_ldapfilter_getlessorequal, 6);
KORVU_GET_CHOICE(korvu_ldapfilter_getpresent, 7);
KORVU_GET_CHOICE(korvu_ldapfilter_getapproxmatch, 8);
KORVU_GET_CHOICE(korvu_ldapfilter_getextensiblematch, 9);

// ---- SearchRequest ::= [APPLICATION 3] SEQUENCE { baseObject LDAPDN, scope ENUMERATED,
//   derefAliases ENUMERATED, sizeLimit INTEGER (0..maxInt), timeLimit INTEGER (0..maxInt), typesOnly BOOLEAN,
//   filter Filter, attributes AttributeSelection }
constexpr st::Field kSearchFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_SEARCHREQUEST, baseObject),
    KORVU_FIELD(KORVU_TYPE_ENUMERATED, KORVU_LDAP_SEARCHREQUEST, scope),
    KORVU_FIELD(KORVU_TYPE_ENUMERATED, KORVU_LDAP_SEARCHREQUEST, derefAliases),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_LDAP_SEARCHREQUEST, sizeLimit),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_LDAP_SEARCHREQUEST, timeLimit),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_LDAP_SEARCHREQUEST, typesOnly),
    KORVU_FIELD(KORVU_TYPE_FILTER, KORVU_LDAP_SEARCHREQUEST, filter),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTESELECTION, KORVU_LDAP_SEARCHREQUEST, attributes)};
constexpr st::StructDef kSearch =
    st::sequence(KORVU_TYPE_SEARCHREQUEST, kSearchFields, sizeof(KORVU_LDAP_SEARCHREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SEARCHREQUEST, kSearch);
KORVU_API KORVU_LDAP_SEARCHREQUEST *korvu_ldapsearchrequest_new(
    const KORVU_ASN1_OCTETSTRING *base_object, const KORVU_ASN1_INTEGER *scope, const KORVU_ASN1_INTEGER *deref_aliases,
    const KORVU_ASN1_INTEGER *size_limit, const KORVU_ASN1_INTEGER *time_limit, const KORVU_ASN1_BOOLEAN *types_only,
    const KORVU_LDAP_FILTER *filter, const KORVU_ASN1_LIST *attributes) {
  return static_cast<KORVU_LDAP_SEARCHREQUEST *>(st::make<kSearch>(
      base_object, scope, deref_aliases, size_limit, time_limit, types_only, filter, attributes));
}
KORVU_GET(korvu_ldapsearchrequest_getbaseobject, kSearch, baseObject);
KORVU_GET(korvu_ldapsearchrequest_getscope, kSearch, scope);
KORVU_GET(korvu_ldapsearchrequest_getderefaliases, kSearch, derefAliases);
KORVU_GET(korvu_ldapsearchrequest_getsizelimit, kSearch, sizeLimit);
KORVU_GET(korvu_ldapsearchrequest_gettimelimit, kSearch, timeLimit);
KORVU_GET(korvu_ldapsearchrequest_gettypesonly, kSearch, typesOnly);
KORVU_GET(korvu_ldapsearchrequest_getfilter, kSearch, filter);
KORVU_GET(korvu_ldapsearchrequest_getattributes, kSearch, attributes);

// ---- SearchResultEntry ::= [APPLICATION 4] SEQUENCE { objectName LDAPDN, attributes PartialAttributeList }
constexpr st::Field kEntryFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_SEARCHRESULTENTRY, objectName),
    KORVU_FIELD(KORVU_TYPE_PARTIALATTRIBUTELIST, KORVU_LDAP_SEARCHRESULTENTRY, attributes)};
constexpr st::StructDef kEntry =
    st::sequence(KORVU_TYPE_SEARCHRESULTENTRY, kEntryFields, sizeof(KORVU_LDAP_SEARCHRESULTENTRY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SEARCHRESULTENTRY, kEntry);
KORVU_API KORVU_LDAP_SEARCHRESULTENTRY *korvu_ldapsearchresultentry_new(const KORVU_ASN1_OCTETSTRING *object_name,
                                                                       const KORVU_ASN1_LIST *attributes) {
  return static_cast<KORVU_LDAP_SEARCHRESULTENTRY *>(st::make<kEntry>(object_name, attributes));
}
KORVU_GET(korvu_ldapsearchresultentry_getobjectname, kEntry, objectName);
KORVU_GET(korvu_ldapsearchresultentry_getattributes, kEntry, attributes);

// ---- change: SEQUENCE { operation ENUMERATED { add (0), delete (1), replace (2) }, modification PartialAttribute }
constexpr st::Field kChangeFields[] = {
    KORVU_FIELD(KORVU_TYPE_ENUMERATED, KORVU_LDAP_CHANGE, operation),
    KORVU_FIELD(KORVU_TYPE_PARTIALATTRIBUTE, KORVU_LDAP_CHANGE, modification)};
constexpr st::StructDef kChange = st::sequence(KORVU_TYPE_CHANGE, kChangeFields, sizeof(KORVU_LDAP_CHANGE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CHANGE, kChange);
KORVU_API KORVU_LDAP_CHANGE *korvu_ldapchange_new(const KORVU_ASN1_INTEGER *operation,
                                                 const KORVU_LDAP_ATTRIBUTE *modification) {
  return static_cast<KORVU_LDAP_CHANGE *>(st::make<kChange>(operation, modification));
}
KORVU_GET(korvu_ldapchange_getoperation, kChange, operation);
KORVU_GET(korvu_ldapchange_getmodification, kChange, modification);

// ---- ModifyRequest ::= [APPLICATION 6] SEQUENCE { object LDAPDN, changes SEQUENCE OF change }
constexpr st::Field kModifyFields[] = {KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_MODIFYREQUEST, object),
                                       KORVU_FIELD(KORVU_TYPE_CHANGES, KORVU_LDAP_MODIFYREQUEST, changes)};
constexpr st::StructDef kModify =
    st::sequence(KORVU_TYPE_MODIFYREQUEST, kModifyFields, sizeof(KORVU_LDAP_MODIFYREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_MODIFYREQUEST, kModify);
KORVU_API KORVU_LDAP_MODIFYREQUEST *korvu_ldapmodifyrequest_new(const KORVU_ASN1_OCTETSTRING *object,
                                                               const KORVU_ASN1_LIST *changes) {
  return static_cast<KORVU_LDAP_MODIFYREQUEST *>(st::make<kModify>(object, changes));
}
KORVU_GET(korvu_ldapmodifyrequest_getobject, kModify, object);
KORVU_GET(korvu_ldapmodifyrequest_getchanges, kModify, changes);

// ---- AddRequest ::= [APPLICATION 8] SEQUENCE { entry LDAPDN, attributes AttributeList }
constexpr st::Field kAddFields[] = {KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_ADDREQUEST, entry),
                                    KORVU_FIELD(KORVU_TYPE_ATTRIBUTELIST, KORVU_LDAP_ADDREQUEST, attributes)};
constexpr st::StructDef kAdd = st::sequence(KORVU_TYPE_ADDREQUEST, kAddFields, sizeof(KORVU_LDAP_ADDREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ADDREQUEST, kAdd);
KORVU_API KORVU_LDAP_ADDREQUEST *korvu_ldapaddrequest_new(const KORVU_ASN1_OCTETSTRING *entry,
                                                         const KORVU_ASN1_LIST *attributes) {
  return static_cast<KORVU_LDAP_ADDREQUEST *>(st::make<kAdd>(entry, attributes));
}
KORVU_GET(korvu_ldapaddrequest_getentry, kAdd, entry);
KORVU_GET(korvu_ldapaddrequest_getattributes, kAdd, attributes);

// ---- ModifyDNRequest ::= [APPLICATION 12] SEQUENCE { entry LDAPDN, newrdn RelativeLDAPDN,
//   deleteoldrdn BOOLEAN, newSuperior [0] LDAPDN OPTIONAL }
constexpr st::Field kModDnFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_MODIFYDNREQUEST, entry),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_MODIFYDNREQUEST, newrdn),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_LDAP_MODIFYDNREQUEST, deleteoldrdn),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_MODIFYDNREQUEST, newSuperior).implicit(0).optional()};
constexpr st::StructDef kModDn =
    st::sequence(KORVU_TYPE_MODIFYDNREQUEST, kModDnFields, sizeof(KORVU_LDAP_MODIFYDNREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_MODIFYDNREQUEST, kModDn);
KORVU_API KORVU_LDAP_MODIFYDNREQUEST *korvu_ldapmodifydnrequest_new(const KORVU_ASN1_OCTETSTRING *entry,
                                                                   const KORVU_ASN1_OCTETSTRING *newrdn,
                                                                   const KORVU_ASN1_BOOLEAN *deleteoldrdn,
                                                                   const KORVU_ASN1_OCTETSTRING *new_superior) {
  return static_cast<KORVU_LDAP_MODIFYDNREQUEST *>(st::make<kModDn>(entry, newrdn, deleteoldrdn, new_superior));
}
KORVU_GET(korvu_ldapmodifydnrequest_getentry, kModDn, entry);
KORVU_GET(korvu_ldapmodifydnrequest_getnewrdn, kModDn, newrdn);
KORVU_GET(korvu_ldapmodifydnrequest_getdeleteoldrdn, kModDn, deleteoldrdn);
KORVU_GET(korvu_ldapmodifydnrequest_getnewsuperior, kModDn, newSuperior);

// ---- CompareRequest ::= [APPLICATION 14] SEQUENCE { entry LDAPDN, ava AttributeValueAssertion }
constexpr st::Field kCompareFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_COMPAREREQUEST, entry),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTEVALUEASSERTION, KORVU_LDAP_COMPAREREQUEST, ava)};
constexpr st::StructDef kCompare =
    st::sequence(KORVU_TYPE_COMPAREREQUEST, kCompareFields, sizeof(KORVU_LDAP_COMPAREREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_COMPAREREQUEST, kCompare);
KORVU_API KORVU_LDAP_COMPAREREQUEST *korvu_ldapcomparerequest_new(const KORVU_ASN1_OCTETSTRING *entry,
                                                                 const KORVU_LDAP_AVA *ava) {
  return static_cast<KORVU_LDAP_COMPAREREQUEST *>(st::make<kCompare>(entry, ava));
}
KORVU_GET(korvu_ldapcomparerequest_getentry, kCompare, entry);
KORVU_GET(korvu_ldapcomparerequest_getava, kCompare, ava);

// ---- ExtendedRequest ::= [APPLICATION 23] SEQUENCE { requestName [0] LDAPOID, requestValue [1] OCTET STRING OPTIONAL }
constexpr st::Field kExtReqFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_EXTENDEDREQUEST, requestName).implicit(0),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_EXTENDEDREQUEST, requestValue).implicit(1).optional()};
constexpr st::StructDef kExtReq =
    st::sequence(KORVU_TYPE_EXTENDEDREQUEST, kExtReqFields, sizeof(KORVU_LDAP_EXTENDEDREQUEST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_EXTENDEDREQUEST, kExtReq);
KORVU_API KORVU_LDAP_EXTENDEDREQUEST *korvu_ldapextendedrequest_new(const KORVU_ASN1_OCTETSTRING *name,
                                                                   const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_LDAP_EXTENDEDREQUEST *>(st::make<kExtReq>(name, value));
}
KORVU_GET(korvu_ldapextendedrequest_getrequestname, kExtReq, requestName);
KORVU_GET(korvu_ldapextendedrequest_getrequestvalue, kExtReq, requestValue);

// ---- ExtendedResponse ::= [APPLICATION 24] SEQUENCE { COMPONENTS OF LDAPResult,
//   responseName [10] LDAPOID OPTIONAL, responseValue [11] OCTET STRING OPTIONAL }
constexpr st::Field kExtRespFields[] = {
    KORVU_LDAP_RESULT_FIELDS_(KORVU_LDAP_EXTENDEDRESPONSE),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_EXTENDEDRESPONSE, responseName).implicit(10).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_EXTENDEDRESPONSE, responseValue).implicit(11).optional()};
constexpr st::StructDef kExtResp =
    st::sequence(KORVU_TYPE_EXTENDEDRESPONSE, kExtRespFields, sizeof(KORVU_LDAP_EXTENDEDRESPONSE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_EXTENDEDRESPONSE, kExtResp);
KORVU_API KORVU_LDAP_EXTENDEDRESPONSE *korvu_ldapextendedresponse_new(
    const KORVU_ASN1_INTEGER *result_code, const KORVU_ASN1_OCTETSTRING *matched_dn,
    const KORVU_ASN1_OCTETSTRING *diagnostic_message, const KORVU_ASN1_LIST *referral,
    const KORVU_ASN1_OCTETSTRING *response_name, const KORVU_ASN1_OCTETSTRING *response_value) {
  return static_cast<KORVU_LDAP_EXTENDEDRESPONSE *>(st::make<kExtResp>(
      result_code, matched_dn, diagnostic_message, referral, response_name, response_value));
}
KORVU_GET(korvu_ldapextendedresponse_getresultcode, kExtResp, resultCode);
KORVU_GET(korvu_ldapextendedresponse_getmatcheddn, kExtResp, matchedDN);
KORVU_GET(korvu_ldapextendedresponse_getdiagnosticmessage, kExtResp, diagnosticMessage);
KORVU_GET(korvu_ldapextendedresponse_getreferral, kExtResp, referral);
KORVU_GET(korvu_ldapextendedresponse_getresponsename, kExtResp, responseName);
KORVU_GET(korvu_ldapextendedresponse_getresponsevalue, kExtResp, responseValue);

// ---- IntermediateResponse ::= [APPLICATION 25] SEQUENCE { responseName [0] LDAPOID OPTIONAL,
//   responseValue [1] OCTET STRING OPTIONAL }
constexpr st::Field kInterFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_INTERMEDIATERESPONSE, responseName).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_LDAP_INTERMEDIATERESPONSE, responseValue).implicit(1).optional()};
constexpr st::StructDef kInter =
    st::sequence(KORVU_TYPE_INTERMEDIATERESPONSE, kInterFields, sizeof(KORVU_LDAP_INTERMEDIATERESPONSE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_INTERMEDIATERESPONSE, kInter);
KORVU_API KORVU_LDAP_INTERMEDIATERESPONSE *korvu_ldapintermediateresponse_new(const KORVU_ASN1_OCTETSTRING *name,
                                                                             const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_LDAP_INTERMEDIATERESPONSE *>(st::make<kInter>(name, value));
}
KORVU_GET(korvu_ldapintermediateresponse_getresponsename, kInter, responseName);
KORVU_GET(korvu_ldapintermediateresponse_getresponsevalue, kInter, responseValue);

// ---- LDAPMessage ::= SEQUENCE { messageID MessageID, protocolOp CHOICE { ... 21 operations ... },
//   controls [0] Controls OPTIONAL }
// The operation is held in the record itself (choice number, then value). Each operation has a table of
// its own, the same three rows with the operation's type in the middle; the message's operations pick the
// table by the choice number, and decoding by the operation's APPLICATION tag, peeked at before the
// message is read (or, when the input can't be peeked at, read as ANY and converted).
namespace {
constexpr uint32_t kOps = 21;
constexpr uint32_t kOpType[kOps] = {
    KORVU_TYPE_BINDREQUEST,     KORVU_TYPE_BINDRESPONSE,     KORVU_TYPE_UNBINDREQUEST,
    KORVU_TYPE_SEARCHREQUEST,   KORVU_TYPE_SEARCHRESULTENTRY, KORVU_TYPE_SEARCHRESULTDONE,
    KORVU_TYPE_SEARCHRESULTREFERENCE, KORVU_TYPE_MODIFYREQUEST, KORVU_TYPE_MODIFYRESPONSE,
    KORVU_TYPE_ADDREQUEST,      KORVU_TYPE_ADDRESPONSE,      KORVU_TYPE_DELREQUEST,
    KORVU_TYPE_DELRESPONSE,     KORVU_TYPE_MODIFYDNREQUEST,  KORVU_TYPE_MODIFYDNRESPONSE,
    KORVU_TYPE_COMPAREREQUEST,  KORVU_TYPE_COMPARERESPONSE,  KORVU_TYPE_ABANDONREQUEST,
    KORVU_TYPE_EXTENDEDREQUEST, KORVU_TYPE_EXTENDEDRESPONSE, KORVU_TYPE_INTERMEDIATERESPONSE};
constexpr uint32_t kNoOp = 0xFFFFFFFFu;

// The choice number of an APPLICATION tag (kNoOp for a tag no operation has).
constexpr uint32_t choice_of_tag(uint32_t tag) {
  for (uint32_t c = 0; c < kOps; c++)
    if (kCatalog[kOpType[c]].tag_class == 0x40 && kCatalog[kOpType[c]].tag_number == tag) return c;
  return kNoOp;
}

template <uint32_t Op>
constexpr st::Field kMessageFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_LDAP_MESSAGE, messageID),
    KORVU_FIELD_OPEN(Op, KORVU_LDAP_MESSAGE, protocolOp),
    KORVU_FIELD(KORVU_TYPE_CONTROLS, KORVU_LDAP_MESSAGE, controls).implicit(0).optional()};
// Without an operation: frees what a message with an unknown choice number owns besides it.
constexpr st::Field kBareFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_LDAP_MESSAGE, messageID),
    KORVU_FIELD(KORVU_TYPE_CONTROLS, KORVU_LDAP_MESSAGE, controls).implicit(0).optional()};

template <uint32_t C>
int set_choice(void *record, KORVU_ERR_CTX *) {
  static_cast<KORVU_LDAP_MESSAGE *>(record)->protocolOpType = C;
  return 1;
}
template <uint32_t C>
constexpr st::StructDef kMessageOf =
    st::sequence(KORVU_TYPE_LDAPMESSAGE, kMessageFields<kOpType[C]>, sizeof(KORVU_LDAP_MESSAGE))
        .finished(&set_choice<C>);
constexpr st::StructDef kMessageAny =
    st::sequence(KORVU_TYPE_LDAPMESSAGE, kMessageFields<KORVU_TYPE_ANY>, sizeof(KORVU_LDAP_MESSAGE));
constexpr st::StructDef kMessageBare =
    st::sequence(KORVU_TYPE_LDAPMESSAGE, kBareFields, sizeof(KORVU_LDAP_MESSAGE));

template <size_t... C>
constexpr bool check_all(std::index_sequence<C...>) {
  return (st::check_table(kMessageOf<C>, KORVU_TYPE_LDAPMESSAGE) && ...);
}
static_assert(check_all(std::make_index_sequence<kOps>{}) && st::check_table(kMessageAny, KORVU_TYPE_LDAPMESSAGE) &&
                  st::check_table(kMessageBare, KORVU_TYPE_LDAPMESSAGE),
              "tables checked against their row");
template <size_t... C>
constexpr std::array<const st::StructDef *, kOps> tables(std::index_sequence<C...>) {
  return {&kMessageOf<C>...};
}
constexpr std::array<const st::StructDef *, kOps> kMessage = tables(std::make_index_sequence<kOps>{});

const st::StructDef *table_of(const void *v) {
  const uint32_t c = static_cast<const KORVU_LDAP_MESSAGE *>(v)->protocolOpType;
  return c < kOps ? kMessage[c] : nullptr;
}

void message_free(void *v) {
  if (v == nullptr) return;
  const st::StructDef *d = table_of(v);
  st::free_record(d ? *d : kMessageBare, v);
}

Len message_length(const void *v) {
  const st::StructDef *d = v ? table_of(v) : nullptr;
  return d ? st::content_length(*d, v) : kLenError;
}

int message_encode(KORVU_STREAM *s, const void *v, uint32_t length, uint32_t *w, KORVU_ERR_CTX *ctx) {
  const st::StructDef *d = v ? table_of(v) : nullptr;
  if (d == nullptr) {
    KORVU_ERR(ctx, v ? kErrIncorrectItem : KORVU_ERR_NULLARG);
    return 0;
  }
  return st::encode_content(*d, s, v, length, w, ctx);
}

// The whole message, so that a choice number outside the table is reported as such before any length.
int message_encode_whole(KORVU_STREAM *s, const void *v, uint32_t *w, KORVU_ERR_CTX *ctx) {
  const Len l = v ? message_length(v) : kLenError;
  if (l == kLenError || l == kLenOverflow) {
    if (v == nullptr || table_of(v) == nullptr) return message_encode(s, v, 0, w, ctx);
    KORVU_ERR(ctx, kErrCalLength);
    return 0;
  }
  uint32_t head = 0, body = 0;
  int r = write_header(s, 0x00, 0, kCatalog[KORVU_TYPE_LDAPMESSAGE].tag_number, static_cast<uint32_t>(l), &head, ctx);
  if (r == 1) r = message_encode(s, v, static_cast<uint32_t>(l), &body, ctx);
  if (r == 1 && w) *w = head + body;
  return r;
}

// The choice number of the operation that follows the messageID in the contents ahead in a memory stream,
// or kNoOp when it can't be told there (the full decoder then reports why).
uint32_t peek_operation(const KORVU_STREAM *s, uint32_t length) {
  if (!stream::is_mem(s) || s->pos > s->size) return kNoOp;
  size_t n = s->size - s->pos;
  if (length != 0xFFFFFFFFu && length < n) n = length;
  MemView view(s->data + s->pos, n);
  Header h;
  if (read_header(view.get(), h, nullptr) != 1 || h.length == 0xFFFFFFFFu || h.length > n - view.s.pos) return kNoOp;
  view.s.pos += h.length;
  if (read_header(view.get(), h, nullptr) != 1 || h.tag_class != 0x40) return kNoOp;
  return choice_of_tag(h.tag);
}

int message_decode(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed,
                   KORVU_ERR_CTX *ctx, int depth) {
  const uint32_t c = peek_operation(s, length);
  if (c != kNoOp) return st::decode_content(*kMessage[c], s, out, primitive, length, consumed, ctx, depth);
  // The operation read whole, then converted by its tag.
  void *v = nullptr;
  int r = st::decode_content(kMessageAny, s, &v, primitive, length, consumed, ctx, depth);
  if (r != 1) return r;
  auto *m = static_cast<KORVU_LDAP_MESSAGE *>(v);
  auto *any = static_cast<KORVU_ASN1_ANY *>(m->protocolOp);
  const uint32_t op = any->tag_class == 0x40 ? choice_of_tag(any->tag_number) : kNoOp;
  void *value = nullptr;
  if (op == kNoOp) {
    KORVU_ERR(ctx, kErrIncorrectItem);
    r = 0;
  } else {
    r = korvu_asn1_any_toobject(any, kOpType[op], &value, ctx);
  }
  if (r != 1) {
    st::free_record(kMessageAny, v);
    return r != 0 ? r : 0;
  }
  value_free(KORVU_TYPE_ANY, any);
  m->protocolOp = value;
  m->protocolOpType = op;
  *out = v;
  return 1;
}
}  // namespace
KORVU_REGISTER_TYPE(KORVU_TYPE_LDAPMESSAGE) = {&message_free,   &message_length,       nullptr, &message_encode,
                                               &message_decode, &message_encode_whole, nullptr, nullptr, nullptr};

namespace {
KORVU_LDAP_MESSAGE *new_message(uint32_t c, const KORVU_ASN1_INTEGER *id, const void *op, const KORVU_ASN1_LIST *ctl) {
  const void *args[] = {id, op, ctl};
  return static_cast<KORVU_LDAP_MESSAGE *>(st::new_record(*kMessage[c], args, 3));
}
void *op_of(const KORVU_LDAP_MESSAGE *m, uint32_t c) {
  return m != nullptr && m->protocolOpType == c ? m->protocolOp : nullptr;
}
}  // namespace

#define KORVU_LDAP_OP_(name, c, T)                                                                             \
  KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_new##name(const KORVU_ASN1_INTEGER *message_id, const T *value, \
                                                            const KORVU_ASN1_LIST *controls) {                 \
    return new_message(c, message_id, value, controls);                                                       \
  }                                                                                                             \
  KORVU_API T *korvu_ldapmessage_get##name(const KORVU_LDAP_MESSAGE *msg) { return static_cast<T *>(op_of(msg, c)); }
KORVU_LDAP_OP_(bindrequest, 0, KORVU_LDAP_BINDREQUEST)
KORVU_LDAP_OP_(bindresponse, 1, KORVU_LDAP_BINDRESPONSE)
KORVU_LDAP_OP_(searchrequest, 3, KORVU_LDAP_SEARCHREQUEST)
KORVU_LDAP_OP_(searchresentry, 4, KORVU_LDAP_SEARCHRESULTENTRY)
KORVU_LDAP_OP_(searchresdone, 5, KORVU_LDAP_RESULT)
KORVU_LDAP_OP_(searchresref, 6, KORVU_ASN1_LIST)
KORVU_LDAP_OP_(modifyrequest, 7, KORVU_LDAP_MODIFYREQUEST)
KORVU_LDAP_OP_(modifyresponse, 8, KORVU_LDAP_RESULT)
KORVU_LDAP_OP_(addrequest, 9, KORVU_LDAP_ADDREQUEST)
KORVU_LDAP_OP_(addresponse, 10, KORVU_LDAP_RESULT)
KORVU_LDAP_OP_(delrequest, 11, KORVU_ASN1_OCTETSTRING)
KORVU_LDAP_OP_(delresponse, 12, KORVU_LDAP_RESULT)
KORVU_LDAP_OP_(moddnrequest, 13, KORVU_LDAP_MODIFYDNREQUEST)
KORVU_LDAP_OP_(moddnresponse, 14, KORVU_LDAP_RESULT)
KORVU_LDAP_OP_(comparerequest, 15, KORVU_LDAP_COMPAREREQUEST)
KORVU_LDAP_OP_(compareresponse, 16, KORVU_LDAP_RESULT)
KORVU_LDAP_OP_(abandonrequest, 17, KORVU_ASN1_INTEGER)
KORVU_LDAP_OP_(extendedreq, 18, KORVU_LDAP_EXTENDEDREQUEST)
KORVU_LDAP_OP_(extendedresp, 19, KORVU_LDAP_EXTENDEDRESPONSE)
KORVU_LDAP_OP_(intermediateresponse, 20, KORVU_LDAP_INTERMEDIATERESPONSE)
#undef KORVU_LDAP_OP_

KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newunbindrequest(const KORVU_ASN1_INTEGER *message_id,
                                                                const KORVU_ASN1_LIST *controls) {
  return new_message(2, message_id, &kNullValue, controls);
}
KORVU_GET(korvu_ldapmessage_getmessageid, kMessageBare, messageID);
KORVU_GET(korvu_ldapmessage_getcontrols, kMessageBare, controls);
KORVU_API uint32_t korvu_ldapmessage_gettype(const KORVU_LDAP_MESSAGE *msg) {
  return msg ? msg->protocolOpType : 0xFFFFFFFFu;
}
