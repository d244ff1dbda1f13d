/** @file
 * KORVU ASN.1: LDAPv3 protocol messages (RFC 4511 4.1 to 4.14): the LDAPMessage envelope with its 21
 * operations, LDAPResult, the search Filter and Control. Included by korvu/asn1.h.
 *
 * Every string of the protocol (LDAPString, LDAPDN, LDAPOID, AttributeDescription, AssertionValue, URI,
 * attribute values) is an OCTET STRING value; resultCode, scope, derefAliases and a change's operation are
 * ENUMERATED values (held as KORVU_ASN1_INTEGER). An OPTIONAL component is a null pointer when absent; a
 * BOOLEAN DEFAULT FALSE component is never null (absent reads as FALSE). Lists are KORVU_ASN1_LIST values.
 * Every constructor copies its arguments and returns null when a required one is null or a copy fails.
 * SIZE (1..MAX) lists (Referral, Attribute vals, substrings, SearchResultReference) are checked when
 * decoding only. */
#ifndef KORVU_LDAP_H
#define KORVU_LDAP_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- AttributeValueAssertion (312) ------------------------------------- */
/** The record of AttributeValueAssertion (312). */
typedef struct korvu_ldap_ava_st {
  KORVU_ASN1_OCTETSTRING *attributeDesc; /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *assertionValue; /**< OCTET STRING (4) */
} KORVU_LDAP_AVA;
/** A new AttributeValueAssertion (312) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_LDAP_AVA *korvu_ldapattributevalueassertion_new(const KORVU_ASN1_OCTETSTRING *desc,
                                                               const KORVU_ASN1_OCTETSTRING *value);
/** The record's `attributeDesc` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapattributevalueassertion_getdesc(const KORVU_LDAP_AVA *ava);
/** The record's `assertionValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapattributevalueassertion_getvalue(const KORVU_LDAP_AVA *ava);

/* ---- Referral (313: of URI), PartialAttribute (314), Attribute (315) -----
 * vals is a SET OF OCTET STRING (354); an Attribute's holds at least one value when decoded. */
/** The record of PartialAttribute (314) and Attribute (315). */
typedef struct korvu_ldap_attribute_st {
  KORVU_ASN1_OCTETSTRING *type; /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *vals; /**< OCTET STRING (4) */
} KORVU_LDAP_ATTRIBUTE;
/** A new Attribute (315) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_ATTRIBUTE *korvu_ldapattribute_new(const KORVU_ASN1_OCTETSTRING *type,
                                                       const KORVU_ASN1_LIST *vals);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapattribute_gettype(const KORVU_LDAP_ATTRIBUTE *attr);
/** The record's `vals` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapattribute_getvalue(const KORVU_LDAP_ATTRIBUTE *attr);

/* ---- LDAPResult (316), also the contents of SearchResultDone (335), ModifyResponse (339),
 * AddResponse (342), DelResponse (344), ModifyDNResponse (346) and CompareResponse (348) ---- */
/** The record of LDAPResult (316) and of the responses that are one. */
typedef struct korvu_ldap_result_st {
  KORVU_ASN1_INTEGER *resultCode;      /**< ENUMERATED */
  KORVU_ASN1_OCTETSTRING *matchedDN;   /**< LDAPDN (OCTET STRING) */
  KORVU_ASN1_OCTETSTRING *diagnosticMessage; /**< LDAPString (OCTET STRING) */
  KORVU_ASN1_LIST *referral;           /**< [3] Referral, null when absent */
} KORVU_LDAP_RESULT;
/** A new record of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_LDAP_RESULT *korvu_ldapresult_new(const KORVU_ASN1_INTEGER *result_code,
                                                 const KORVU_ASN1_OCTETSTRING *matched_dn,
                                                 const KORVU_ASN1_OCTETSTRING *diagnostic_message,
                                                 const KORVU_ASN1_LIST *referral);
/** The record's `resultCode` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapresult_getresultcode(const KORVU_LDAP_RESULT *res);
/** The record's `matchedDN` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapresult_getmatcheddn(const KORVU_LDAP_RESULT *res);
/** The record's `diagnosticMessage` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapresult_getdiagnosticmessage(const KORVU_LDAP_RESULT *res);
/** The record's `referral` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapresult_getreferral(const KORVU_LDAP_RESULT *res);

/* ---- Control (317), Controls (318: of KORVU_LDAP_CONTROL) --------------- */
/** The record of Control (317). */
typedef struct korvu_ldap_control_st {
  KORVU_ASN1_OCTETSTRING *controlType;  /**< OCTET STRING (4) */
  KORVU_ASN1_BOOLEAN *criticality;     /**< never null */
  KORVU_ASN1_OCTETSTRING *controlValue; /**< null when absent */
} KORVU_LDAP_CONTROL;
/** A new Control (317) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null criticality gives FALSE. */
KORVU_API KORVU_LDAP_CONTROL *korvu_ldapcontrol_new(const KORVU_ASN1_OCTETSTRING *type,
                                                   const KORVU_ASN1_BOOLEAN *criticality,
                                                   const KORVU_ASN1_OCTETSTRING *value);
/** The record's `controlType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapcontrol_gettype(const KORVU_LDAP_CONTROL *control);
/** The record's `criticality` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ldapcontrol_getcriticality(const KORVU_LDAP_CONTROL *control);
/** The record's `controlValue` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapcontrol_getvalue(const KORVU_LDAP_CONTROL *control);

/* ---- SaslCredentials (319) ----------------------------------------------- */
/** The record of SaslCredentials (319). */
typedef struct korvu_ldap_saslcredentials_st {
  KORVU_ASN1_OCTETSTRING *mechanism;   /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *credentials; /**< null when absent */
} KORVU_LDAP_SASLCREDENTIALS;
/** A new SaslCredentials (319) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_SASLCREDENTIALS *korvu_ldapsaslcredentials_new(const KORVU_ASN1_OCTETSTRING *mechanism,
                                                                   const KORVU_ASN1_OCTETSTRING *credentials);
/** The record's `mechanism` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsaslcredentials_getmechanism(const KORVU_LDAP_SASLCREDENTIALS *c);
/** The record's `credentials` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsaslcredentials_getcredentials(const KORVU_LDAP_SASLCREDENTIALS *c);

/* ---- AuthenticationChoice (320): 0 simple [0] OCTET STRING, 1 sasl [3] SaslCredentials ---- */
/** The record of AuthenticationChoice (320): a CHOICE, `choice` is the number of the alternative held and `value`
 * its value. */
typedef struct korvu_ldap_authchoice_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_LDAP_AUTHCHOICE;
/** A new AuthenticationChoice (320) holding a copy of the argument as alternative 0; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_LDAP_AUTHCHOICE *korvu_ldapauthenticationchoice_newsimple(const KORVU_ASN1_OCTETSTRING *password);
/** A new AuthenticationChoice (320) holding a copy of the argument as alternative 1; null for a null argument or
 * when the copy fails. */
KORVU_API KORVU_LDAP_AUTHCHOICE *korvu_ldapauthenticationchoice_newsasl(const KORVU_LDAP_SASLCREDENTIALS *sasl);
/** The choice number, or 0xFFFFFFFF for null (so for every CHOICE below). */
KORVU_API uint32_t korvu_ldapauthenticationchoice_gettype(const KORVU_LDAP_AUTHCHOICE *auth);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapauthenticationchoice_getsimple(const KORVU_LDAP_AUTHCHOICE *auth);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_LDAP_SASLCREDENTIALS *korvu_ldapauthenticationchoice_getsasl(const KORVU_LDAP_AUTHCHOICE *auth);

/* ---- BindRequest (321, [APPLICATION 0]) ------------------------------------ */
/** The record of BindRequest (321). */
typedef struct korvu_ldap_bindrequest_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_ASN1_OCTETSTRING *name; /**< OCTET STRING (4) */
  KORVU_LDAP_AUTHCHOICE *authentication; /**< AuthenticationChoice (320) */
} KORVU_LDAP_BINDREQUEST;
/** A new BindRequest (321) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_BINDREQUEST *korvu_ldapbindrequest_new(const KORVU_ASN1_INTEGER *version,
                                                           const KORVU_ASN1_OCTETSTRING *name,
                                                           const KORVU_LDAP_AUTHCHOICE *authentication);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapbindrequest_getversion(const KORVU_LDAP_BINDREQUEST *req);
/** The record's `name` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapbindrequest_getname(const KORVU_LDAP_BINDREQUEST *req);
/** The record's `authentication` (not a copy), null for a null record. */
KORVU_API KORVU_LDAP_AUTHCHOICE *korvu_ldapbindrequest_getauthentication(const KORVU_LDAP_BINDREQUEST *req);

/* ---- BindResponse (322, [APPLICATION 1]) ----------------------------------- */
/** The record of BindResponse (322). */
typedef struct korvu_ldap_bindresponse_st {
  KORVU_ASN1_INTEGER *resultCode;          /**< ENUMERATED */
  KORVU_ASN1_OCTETSTRING *matchedDN;       /**< LDAPDN (OCTET STRING) */
  KORVU_ASN1_OCTETSTRING *diagnosticMessage; /**< LDAPString (OCTET STRING) */
  KORVU_ASN1_LIST *referral;             /**< null when absent */
  KORVU_ASN1_OCTETSTRING *serverSaslCreds; /**< [7], null when absent */
} KORVU_LDAP_BINDRESPONSE;
/** A new BindResponse (322) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_BINDRESPONSE *korvu_ldapbindresponse_new(const KORVU_ASN1_INTEGER *result_code,
                                                             const KORVU_ASN1_OCTETSTRING *matched_dn,
                                                             const KORVU_ASN1_OCTETSTRING *diagnostic_message,
                                                             const KORVU_ASN1_LIST *referral,
                                                             const KORVU_ASN1_OCTETSTRING *server_sasl_creds);
/** The record's `resultCode` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapbindresponse_getresultcode(const KORVU_LDAP_BINDRESPONSE *res);
/** The record's `matchedDN` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapbindresponse_getmatcheddn(const KORVU_LDAP_BINDRESPONSE *res);
/** The record's `diagnosticMessage` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapbindresponse_getdiagnosticmessage(const KORVU_LDAP_BINDRESPONSE *res);
/** The record's `referral` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapbindresponse_getreferral(const KORVU_LDAP_BINDRESPONSE *res);
/** The record's `serverSaslCreds` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapbindresponse_getserversaslcreds(const KORVU_LDAP_BINDRESPONSE *res);

/* UnbindRequest (323, [APPLICATION 2] NULL) is a NULL value; DelRequest (343, [APPLICATION 10]) an OCTET
 * STRING value; AbandonRequest (349, [APPLICATION 16]) an INTEGER value. */

/* ---- substring (324): 0 initial [0], 1 any [1], 2 final [2]; substrings (325: of substring) ---- */
/** The record of substring (324): a CHOICE, `choice` is the number of the alternative held and `value` its value. */
typedef struct korvu_ldap_substring_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_LDAP_SUBSTRING;
/** A new substring (324) holding a copy of the argument as alternative 0; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_LDAP_SUBSTRING *korvu_ldapsubstring_newinitial(const KORVU_ASN1_OCTETSTRING *value);
/** A new substring (324) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_LDAP_SUBSTRING *korvu_ldapsubstring_newany(const KORVU_ASN1_OCTETSTRING *value);
/** A new substring (324) holding a copy of the argument as alternative 2; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_LDAP_SUBSTRING *korvu_ldapsubstring_newfinal(const KORVU_ASN1_OCTETSTRING *value);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_ldapsubstring_gettype(const KORVU_LDAP_SUBSTRING *s);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsubstring_getinitial(const KORVU_LDAP_SUBSTRING *s);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsubstring_getany(const KORVU_LDAP_SUBSTRING *s);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsubstring_getfinal(const KORVU_LDAP_SUBSTRING *s);

/* ---- SubstringFilter (326) ----------------------------------------------- */
/** The record of SubstringFilter (326). */
typedef struct korvu_ldap_substringfilter_st {
  KORVU_ASN1_OCTETSTRING *type; /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *substrings; /**< substrings (325) */
} KORVU_LDAP_SUBSTRINGFILTER;
/** A new SubstringFilter (326) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_SUBSTRINGFILTER *korvu_ldapsubstringfilter_new(const KORVU_ASN1_OCTETSTRING *type,
                                                                   const KORVU_ASN1_LIST *substrings);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsubstringfilter_gettype(const KORVU_LDAP_SUBSTRINGFILTER *f);
/** The record's `substrings` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapsubstringfilter_getsubstrings(const KORVU_LDAP_SUBSTRINGFILTER *f);

/* ---- MatchingRuleAssertion (327) ----------------------------------------- */
/** The record of MatchingRuleAssertion (327). */
typedef struct korvu_ldap_mra_st {
  KORVU_ASN1_OCTETSTRING *matchingRule; /**< [1], null when absent */
  KORVU_ASN1_OCTETSTRING *type;         /**< [2], null when absent */
  KORVU_ASN1_OCTETSTRING *matchValue;   /**< [3] */
  KORVU_ASN1_BOOLEAN *dnAttributes;     /**< [4], never null */
} KORVU_LDAP_MRA;
/** A new MatchingRuleAssertion (327) of copies of the arguments, in component order; null when a required one is
 * null or building fails. A null dnAttributes gives FALSE. */
KORVU_API KORVU_LDAP_MRA *korvu_ldapmatchingruleassertion_new(const KORVU_ASN1_OCTETSTRING *matching_rule,
                                                             const KORVU_ASN1_OCTETSTRING *type,
                                                             const KORVU_ASN1_OCTETSTRING *match_value,
                                                             const KORVU_ASN1_BOOLEAN *dn_attributes);
/** The record's `matchingRule` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmatchingruleassertion_getmatchingrule(const KORVU_LDAP_MRA *m);
/** The record's `type` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmatchingruleassertion_gettype(const KORVU_LDAP_MRA *m);
/** The record's `matchValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmatchingruleassertion_getmatchvalue(const KORVU_LDAP_MRA *m);
/** The record's `dnAttributes` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ldapmatchingruleassertion_getdnattributes(const KORVU_LDAP_MRA *m);

/* ---- Filter (328), Filters (329: SET OF KORVU_LDAP_FILTER) ----------------
 * Choice number = context tag: 0 and, 1 or (Filters lists), 2 not (a Filter), 3 equalityMatch,
 * 5 greaterOrEqual, 6 lessOrEqual, 8 approxMatch (AttributeValueAssertion), 4 substrings (SubstringFilter),
 * 7 present (OCTET STRING), 9 extensibleMatch (MatchingRuleAssertion). Decoding, measuring and encoding stop
 * at the nesting limit of korvu_get_recursive_level(); freeing does not recurse. */
/** The record of Filter (328): a CHOICE, `choice` is the number of the alternative held and `value` its value. */
typedef struct korvu_ldap_filter_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_LDAP_FILTER;
/** A new Filter (328) holding a copy of the argument as alternative 0; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newand(const KORVU_ASN1_LIST *filters);
/** A new Filter (328) holding a copy of the argument as alternative 1; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newor(const KORVU_ASN1_LIST *filters);
/** A new Filter (328) holding a copy of the argument as alternative 2; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newnot(const KORVU_LDAP_FILTER *filter);
/** A new Filter (328) holding a copy of the argument as alternative 3; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newequalitymatch(const KORVU_LDAP_AVA *ava);
/** A new Filter (328) holding a copy of the argument as alternative 4; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newsubstrings(const KORVU_LDAP_SUBSTRINGFILTER *substrings);
/** A new Filter (328) holding a copy of the argument as alternative 5; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newgreaterorequal(const KORVU_LDAP_AVA *ava);
/** A new Filter (328) holding a copy of the argument as alternative 6; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newlessorequal(const KORVU_LDAP_AVA *ava);
/** A new Filter (328) holding a copy of the argument as alternative 7; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newpresent(const KORVU_ASN1_OCTETSTRING *desc);
/** A new Filter (328) holding a copy of the argument as alternative 8; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newapproxmatch(const KORVU_LDAP_AVA *ava);
/** A new Filter (328) holding a copy of the argument as alternative 9; null for a null argument or when the copy
 * fails. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newextensiblematch(const KORVU_LDAP_MRA *mra);
/** The number of the alternative the CHOICE holds; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_ldapfilter_gettype(const KORVU_LDAP_FILTER *f);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapfilter_getand(const KORVU_LDAP_FILTER *f);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapfilter_getor(const KORVU_LDAP_FILTER *f);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_getnot(const KORVU_LDAP_FILTER *f);
/** The value of alternative 3 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_LDAP_AVA *korvu_ldapfilter_getequalitymatch(const KORVU_LDAP_FILTER *f);
/** The value of alternative 4 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_LDAP_SUBSTRINGFILTER *korvu_ldapfilter_getsubstrings(const KORVU_LDAP_FILTER *f);
/** The value of alternative 5 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_LDAP_AVA *korvu_ldapfilter_getgreaterorequal(const KORVU_LDAP_FILTER *f);
/** The value of alternative 6 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_LDAP_AVA *korvu_ldapfilter_getlessorequal(const KORVU_LDAP_FILTER *f);
/** The value of alternative 7 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapfilter_getpresent(const KORVU_LDAP_FILTER *f);
/** The value of alternative 8 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_LDAP_AVA *korvu_ldapfilter_getapproxmatch(const KORVU_LDAP_FILTER *f);
/** The value of alternative 9 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_LDAP_MRA *korvu_ldapfilter_getextensiblematch(const KORVU_LDAP_FILTER *f);

/* ---- SearchRequest (331, [APPLICATION 3]); AttributeSelection (330: of OCTET STRING) ---- */
/** The record of SearchRequest (331). */
typedef struct korvu_ldap_searchrequest_st {
  KORVU_ASN1_OCTETSTRING *baseObject; /**< OCTET STRING (4) */
  KORVU_ASN1_INTEGER *scope;        /**< ENUMERATED */
  KORVU_ASN1_INTEGER *derefAliases; /**< ENUMERATED */
  KORVU_ASN1_INTEGER *sizeLimit;    /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *timeLimit;    /**< INTEGER (2) */
  KORVU_ASN1_BOOLEAN *typesOnly;    /**< BOOLEAN (1) */
  KORVU_LDAP_FILTER *filter;        /**< Filter (328) */
  KORVU_ASN1_LIST *attributes;      /**< AttributeSelection (330) */
} KORVU_LDAP_SEARCHREQUEST;
/** A new SearchRequest (331) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_SEARCHREQUEST *korvu_ldapsearchrequest_new(
    const KORVU_ASN1_OCTETSTRING *base_object, const KORVU_ASN1_INTEGER *scope, const KORVU_ASN1_INTEGER *deref_aliases,
    const KORVU_ASN1_INTEGER *size_limit, const KORVU_ASN1_INTEGER *time_limit, const KORVU_ASN1_BOOLEAN *types_only,
    const KORVU_LDAP_FILTER *filter, const KORVU_ASN1_LIST *attributes);
/** The record's `baseObject` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsearchrequest_getbaseobject(const KORVU_LDAP_SEARCHREQUEST *req);
/** The record's `scope` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapsearchrequest_getscope(const KORVU_LDAP_SEARCHREQUEST *req);
/** The record's `derefAliases` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapsearchrequest_getderefaliases(const KORVU_LDAP_SEARCHREQUEST *req);
/** The record's `sizeLimit` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapsearchrequest_getsizelimit(const KORVU_LDAP_SEARCHREQUEST *req);
/** The record's `timeLimit` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapsearchrequest_gettimelimit(const KORVU_LDAP_SEARCHREQUEST *req);
/** The record's `typesOnly` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ldapsearchrequest_gettypesonly(const KORVU_LDAP_SEARCHREQUEST *req);
/** The record's `filter` (not a copy), null for a null record. */
KORVU_API KORVU_LDAP_FILTER *korvu_ldapsearchrequest_getfilter(const KORVU_LDAP_SEARCHREQUEST *req);
/** The record's `attributes` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapsearchrequest_getattributes(const KORVU_LDAP_SEARCHREQUEST *req);

/* ---- SearchResultEntry (333, [APPLICATION 4]); PartialAttributeList (332: of PartialAttribute) ----
 * SearchResultReference (334, [APPLICATION 19]) is a list of URI OCTET STRINGs. */
/** The record of SearchResultEntry (333). */
typedef struct korvu_ldap_searchresultentry_st {
  KORVU_ASN1_OCTETSTRING *objectName; /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *attributes; /**< PartialAttributeList (332) */
} KORVU_LDAP_SEARCHRESULTENTRY;
/** A new SearchResultEntry (333) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_LDAP_SEARCHRESULTENTRY *korvu_ldapsearchresultentry_new(const KORVU_ASN1_OCTETSTRING *object_name,
                                                                       const KORVU_ASN1_LIST *attributes);
/** The record's `objectName` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsearchresultentry_getobjectname(const KORVU_LDAP_SEARCHRESULTENTRY *e);
/** The record's `attributes` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapsearchresultentry_getattributes(const KORVU_LDAP_SEARCHRESULTENTRY *e);

/* ---- change (336), changes (337: of change), ModifyRequest (338, [APPLICATION 6]) ---- */
/** The record of change (336). */
typedef struct korvu_ldap_change_st {
  KORVU_ASN1_INTEGER *operation;           /**< ENUMERATED: add (0), delete (1), replace (2) */
  KORVU_LDAP_ATTRIBUTE *modification;      /**< PartialAttribute */
} KORVU_LDAP_CHANGE;
/** A new change (336) of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_LDAP_CHANGE *korvu_ldapchange_new(const KORVU_ASN1_INTEGER *operation,
                                                 const KORVU_LDAP_ATTRIBUTE *modification);
/** The record's `operation` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapchange_getoperation(const KORVU_LDAP_CHANGE *c);
/** The record's `modification` (not a copy), null for a null record. */
KORVU_API KORVU_LDAP_ATTRIBUTE *korvu_ldapchange_getmodification(const KORVU_LDAP_CHANGE *c);

/** The record of ModifyRequest (338). */
typedef struct korvu_ldap_modifyrequest_st {
  KORVU_ASN1_OCTETSTRING *object; /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *changes; /**< changes (337) */
} KORVU_LDAP_MODIFYREQUEST;
/** A new ModifyRequest (338) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_MODIFYREQUEST *korvu_ldapmodifyrequest_new(const KORVU_ASN1_OCTETSTRING *object,
                                                               const KORVU_ASN1_LIST *changes);
/** The record's `object` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmodifyrequest_getobject(const KORVU_LDAP_MODIFYREQUEST *req);
/** The record's `changes` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapmodifyrequest_getchanges(const KORVU_LDAP_MODIFYREQUEST *req);

/* ---- AddRequest (341, [APPLICATION 8]); AttributeList (340: of Attribute) ---- */
/** The record of AddRequest (341). */
typedef struct korvu_ldap_addrequest_st {
  KORVU_ASN1_OCTETSTRING *entry; /**< OCTET STRING (4) */
  KORVU_ASN1_LIST *attributes; /**< AttributeList (340) */
} KORVU_LDAP_ADDREQUEST;
/** A new AddRequest (341) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_ADDREQUEST *korvu_ldapaddrequest_new(const KORVU_ASN1_OCTETSTRING *entry,
                                                         const KORVU_ASN1_LIST *attributes);
/** The record's `entry` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapaddrequest_getentry(const KORVU_LDAP_ADDREQUEST *req);
/** The record's `attributes` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapaddrequest_getattributes(const KORVU_LDAP_ADDREQUEST *req);

/* ---- ModifyDNRequest (345, [APPLICATION 12]) ------------------------------- */
/** The record of ModifyDNRequest (345). */
typedef struct korvu_ldap_modifydnrequest_st {
  KORVU_ASN1_OCTETSTRING *entry;       /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *newrdn;      /**< OCTET STRING (4) */
  KORVU_ASN1_BOOLEAN *deleteoldrdn;    /**< BOOLEAN (1) */
  KORVU_ASN1_OCTETSTRING *newSuperior; /**< [0], null when absent */
} KORVU_LDAP_MODIFYDNREQUEST;
/** A new ModifyDNRequest (345) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_MODIFYDNREQUEST *korvu_ldapmodifydnrequest_new(const KORVU_ASN1_OCTETSTRING *entry,
                                                                   const KORVU_ASN1_OCTETSTRING *newrdn,
                                                                   const KORVU_ASN1_BOOLEAN *deleteoldrdn,
                                                                   const KORVU_ASN1_OCTETSTRING *new_superior);
/** The record's `entry` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmodifydnrequest_getentry(const KORVU_LDAP_MODIFYDNREQUEST *req);
/** The record's `newrdn` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmodifydnrequest_getnewrdn(const KORVU_LDAP_MODIFYDNREQUEST *req);
/** The record's `deleteoldrdn` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ldapmodifydnrequest_getdeleteoldrdn(const KORVU_LDAP_MODIFYDNREQUEST *req);
/** The record's `newSuperior` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmodifydnrequest_getnewsuperior(const KORVU_LDAP_MODIFYDNREQUEST *req);

/* ---- CompareRequest (347, [APPLICATION 14]) -------------------------------- */
/** The record of CompareRequest (347). */
typedef struct korvu_ldap_comparerequest_st {
  KORVU_ASN1_OCTETSTRING *entry; /**< OCTET STRING (4) */
  KORVU_LDAP_AVA *ava; /**< AttributeValueAssertion (312) */
} KORVU_LDAP_COMPAREREQUEST;
/** A new CompareRequest (347) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_COMPAREREQUEST *korvu_ldapcomparerequest_new(const KORVU_ASN1_OCTETSTRING *entry,
                                                                 const KORVU_LDAP_AVA *ava);
/** The record's `entry` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapcomparerequest_getentry(const KORVU_LDAP_COMPAREREQUEST *req);
/** The record's `ava` (not a copy), null for a null record. */
KORVU_API KORVU_LDAP_AVA *korvu_ldapcomparerequest_getava(const KORVU_LDAP_COMPAREREQUEST *req);

/* ---- ExtendedRequest (350, [APPLICATION 23]) ------------------------------- */
/** The record of ExtendedRequest (350). */
typedef struct korvu_ldap_extendedrequest_st {
  KORVU_ASN1_OCTETSTRING *requestName;  /**< [0] */
  KORVU_ASN1_OCTETSTRING *requestValue; /**< [1], null when absent */
} KORVU_LDAP_EXTENDEDREQUEST;
/** A new ExtendedRequest (350) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_LDAP_EXTENDEDREQUEST *korvu_ldapextendedrequest_new(const KORVU_ASN1_OCTETSTRING *name,
                                                                   const KORVU_ASN1_OCTETSTRING *value);
/** The record's `requestName` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedrequest_getrequestname(const KORVU_LDAP_EXTENDEDREQUEST *req);
/** The record's `requestValue` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedrequest_getrequestvalue(const KORVU_LDAP_EXTENDEDREQUEST *req);

/* ---- ExtendedResponse (351, [APPLICATION 24]) ------------------------------ */
/** The record of ExtendedResponse (351). */
typedef struct korvu_ldap_extendedresponse_st {
  KORVU_ASN1_INTEGER *resultCode;         /**< ENUMERATED */
  KORVU_ASN1_OCTETSTRING *matchedDN;      /**< LDAPDN (OCTET STRING) */
  KORVU_ASN1_OCTETSTRING *diagnosticMessage; /**< LDAPString (OCTET STRING) */
  KORVU_ASN1_LIST *referral;              /**< null when absent */
  KORVU_ASN1_OCTETSTRING *responseName;   /**< [10], null when absent */
  KORVU_ASN1_OCTETSTRING *responseValue;  /**< [11], null when absent */
} KORVU_LDAP_EXTENDEDRESPONSE;
/** A new ExtendedResponse (351) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_LDAP_EXTENDEDRESPONSE *korvu_ldapextendedresponse_new(
    const KORVU_ASN1_INTEGER *result_code, const KORVU_ASN1_OCTETSTRING *matched_dn,
    const KORVU_ASN1_OCTETSTRING *diagnostic_message, const KORVU_ASN1_LIST *referral,
    const KORVU_ASN1_OCTETSTRING *response_name, const KORVU_ASN1_OCTETSTRING *response_value);
/** The record's `resultCode` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapextendedresponse_getresultcode(const KORVU_LDAP_EXTENDEDRESPONSE *res);
/** The record's `matchedDN` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedresponse_getmatcheddn(const KORVU_LDAP_EXTENDEDRESPONSE *res);
/** The record's `diagnosticMessage` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedresponse_getdiagnosticmessage(const KORVU_LDAP_EXTENDEDRESPONSE *res);
/** The record's `referral` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapextendedresponse_getreferral(const KORVU_LDAP_EXTENDEDRESPONSE *res);
/** The record's `responseName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedresponse_getresponsename(const KORVU_LDAP_EXTENDEDRESPONSE *res);
/** The record's `responseValue` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedresponse_getresponsevalue(const KORVU_LDAP_EXTENDEDRESPONSE *res);

/* ---- IntermediateResponse (352, [APPLICATION 25]) -------------------------- */
/** The record of IntermediateResponse (352). */
typedef struct korvu_ldap_intermediateresponse_st {
  KORVU_ASN1_OCTETSTRING *responseName;  /**< [0], null when absent */
  KORVU_ASN1_OCTETSTRING *responseValue; /**< [1], null when absent */
} KORVU_LDAP_INTERMEDIATERESPONSE;
/** A new IntermediateResponse (352) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_LDAP_INTERMEDIATERESPONSE *korvu_ldapintermediateresponse_new(const KORVU_ASN1_OCTETSTRING *name,
                                                                             const KORVU_ASN1_OCTETSTRING *value);
/** The record's `responseName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapintermediateresponse_getresponsename(
    const KORVU_LDAP_INTERMEDIATERESPONSE *res);
/** The record's `responseValue` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapintermediateresponse_getresponsevalue(
    const KORVU_LDAP_INTERMEDIATERESPONSE *res);

/* ---- LDAPMessage (353) ------------------------------------------------------
 * protocolOpType is the operation's choice number (0xFFFFFFFF while unset) and protocolOp its value:
 *  0 bindRequest (321)   1 bindResponse (322)    2 unbindRequest (323)    3 searchRequest (331)
 *  4 searchResEntry (333) 5 searchResDone (335)  6 searchResRef (334)     7 modifyRequest (338)
 *  8 modifyResponse (339) 9 addRequest (341)    10 addResponse (342)     11 delRequest (343)
 * 12 delResponse (344)  13 modDNRequest (345)   14 modDNResponse (346)   15 compareRequest (347)
 * 16 compareResponse (348) 17 abandonRequest (349) 18 extendedReq (350)  19 extendedResp (351)
 * 20 intermediateResponse (352). A message whose choice number is outside 0 to 20 fails to measure and
 * to encode. */
/** The record of LDAPMessage (353). */
typedef struct korvu_ldap_message_st {
  KORVU_ASN1_INTEGER *messageID; /**< INTEGER (2) */
  uint32_t protocolOpType;   /**< choice number of protocolOp, 0 to 20 (see above) */
  void *protocolOp;          /**< Op */
  KORVU_ASN1_LIST *controls; /**< [0] Controls, null when absent */
} KORVU_LDAP_MESSAGE;

/** @{ */
/** A new LDAPMessage of copies of `message_id`, the operation `value` (the operation the function names, held with
 * its choice number) and `controls` (may be null); null when a required argument is null or building fails. */
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newbindrequest(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_BINDREQUEST *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newbindresponse(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_BINDRESPONSE *value,
                                                    const KORVU_ASN1_LIST *controls);
/** A new LDAPMessage holding unbindRequest (choice 2, NULL), with copies of `message_id` and `controls` (may be
 * null); null when `message_id` is null or building fails. */
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newunbindrequest(const KORVU_ASN1_INTEGER *message_id,
                                                                const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newsearchrequest(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_SEARCHREQUEST *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newsearchresentry(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_SEARCHRESULTENTRY *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newsearchresdone(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_RESULT *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newsearchresref(const KORVU_ASN1_INTEGER *message_id, const KORVU_ASN1_LIST *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newmodifyrequest(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_MODIFYREQUEST *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newmodifyresponse(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_RESULT *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newaddrequest(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_ADDREQUEST *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newaddresponse(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_RESULT *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newdelrequest(const KORVU_ASN1_INTEGER *message_id, const KORVU_ASN1_OCTETSTRING *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newdelresponse(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_RESULT *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newmoddnrequest(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_MODIFYDNREQUEST *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newmoddnresponse(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_RESULT *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newcomparerequest(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_COMPAREREQUEST *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newcompareresponse(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_RESULT *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newabandonrequest(const KORVU_ASN1_INTEGER *message_id, const KORVU_ASN1_INTEGER *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newextendedreq(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_EXTENDEDREQUEST *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newextendedresp(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_EXTENDEDRESPONSE *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newintermediateresponse(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_INTERMEDIATERESPONSE *value,
                                                    const KORVU_ASN1_LIST *controls);
/** @} */

/** The record's `messageID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapmessage_getmessageid(const KORVU_LDAP_MESSAGE *msg);
/** The record's `controls` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ldapmessage_getcontrols(const KORVU_LDAP_MESSAGE *msg);
/** The choice number of the operation held; 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_ldapmessage_gettype(const KORVU_LDAP_MESSAGE *msg);
/** @{ */
/** The operation (not a copy) when the message holds the one the function names, else null (also for a null
 * message); there is no getter for unbindRequest. */
KORVU_API KORVU_LDAP_BINDREQUEST *korvu_ldapmessage_getbindrequest(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_BINDRESPONSE *korvu_ldapmessage_getbindresponse(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_SEARCHREQUEST *korvu_ldapmessage_getsearchrequest(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_SEARCHRESULTENTRY *korvu_ldapmessage_getsearchresentry(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_RESULT *korvu_ldapmessage_getsearchresdone(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_ASN1_LIST *korvu_ldapmessage_getsearchresref(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_MODIFYREQUEST *korvu_ldapmessage_getmodifyrequest(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_RESULT *korvu_ldapmessage_getmodifyresponse(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_ADDREQUEST *korvu_ldapmessage_getaddrequest(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_RESULT *korvu_ldapmessage_getaddresponse(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmessage_getdelrequest(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_RESULT *korvu_ldapmessage_getdelresponse(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_MODIFYDNREQUEST *korvu_ldapmessage_getmoddnrequest(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_RESULT *korvu_ldapmessage_getmoddnresponse(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_COMPAREREQUEST *korvu_ldapmessage_getcomparerequest(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_RESULT *korvu_ldapmessage_getcompareresponse(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapmessage_getabandonrequest(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_EXTENDEDREQUEST *korvu_ldapmessage_getextendedreq(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_EXTENDEDRESPONSE *korvu_ldapmessage_getextendedresp(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_LDAP_INTERMEDIATERESPONSE *korvu_ldapmessage_getintermediateresponse(const KORVU_LDAP_MESSAGE *msg);
/** @} */

#ifdef __cplusplus
}
#endif
#endif
