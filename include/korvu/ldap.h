/* KORVU ASN.1: LDAPv3 protocol messages (RFC 4511 4.1 to 4.14): the LDAPMessage envelope with its 21
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
typedef struct korvu_ldap_ava_st {
  KORVU_ASN1_OCTETSTRING *attributeDesc;
  KORVU_ASN1_OCTETSTRING *assertionValue;
} KORVU_LDAP_AVA;
KORVU_API KORVU_LDAP_AVA *korvu_ldapattributevalueassertion_new(const KORVU_ASN1_OCTETSTRING *desc,
                                                               const KORVU_ASN1_OCTETSTRING *value);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapattributevalueassertion_getdesc(const KORVU_LDAP_AVA *ava);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapattributevalueassertion_getvalue(const KORVU_LDAP_AVA *ava);

/* ---- Referral (313: of URI), PartialAttribute (314), Attribute (315) -----
 * vals is a SET OF OCTET STRING (354); an Attribute's holds at least one value when decoded. */
typedef struct korvu_ldap_attribute_st {
  KORVU_ASN1_OCTETSTRING *type;
  KORVU_ASN1_LIST *vals;
} KORVU_LDAP_ATTRIBUTE;
KORVU_API KORVU_LDAP_ATTRIBUTE *korvu_ldapattribute_new(const KORVU_ASN1_OCTETSTRING *type,
                                                       const KORVU_ASN1_LIST *vals);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapattribute_gettype(const KORVU_LDAP_ATTRIBUTE *attr);
KORVU_API KORVU_ASN1_LIST *korvu_ldapattribute_getvalue(const KORVU_LDAP_ATTRIBUTE *attr);

/* ---- LDAPResult (316), also the contents of SearchResultDone (335), ModifyResponse (339),
 * AddResponse (342), DelResponse (344), ModifyDNResponse (346) and CompareResponse (348) ---- */
typedef struct korvu_ldap_result_st {
  KORVU_ASN1_INTEGER *resultCode;      /* ENUMERATED */
  KORVU_ASN1_OCTETSTRING *matchedDN;
  KORVU_ASN1_OCTETSTRING *diagnosticMessage;
  KORVU_ASN1_LIST *referral;           /* [3] Referral, null when absent */
} KORVU_LDAP_RESULT;
KORVU_API KORVU_LDAP_RESULT *korvu_ldapresult_new(const KORVU_ASN1_INTEGER *result_code,
                                                 const KORVU_ASN1_OCTETSTRING *matched_dn,
                                                 const KORVU_ASN1_OCTETSTRING *diagnostic_message,
                                                 const KORVU_ASN1_LIST *referral);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapresult_getresultcode(const KORVU_LDAP_RESULT *res);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapresult_getmatcheddn(const KORVU_LDAP_RESULT *res);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapresult_getdiagnosticmessage(const KORVU_LDAP_RESULT *res);
KORVU_API KORVU_ASN1_LIST *korvu_ldapresult_getreferral(const KORVU_LDAP_RESULT *res);

/* ---- Control (317), Controls (318: of KORVU_LDAP_CONTROL) --------------- */
typedef struct korvu_ldap_control_st {
  KORVU_ASN1_OCTETSTRING *controlType;
  KORVU_ASN1_BOOLEAN *criticality;     /* never null */
  KORVU_ASN1_OCTETSTRING *controlValue; /* null when absent */
} KORVU_LDAP_CONTROL;
/* A null criticality gives FALSE. */
KORVU_API KORVU_LDAP_CONTROL *korvu_ldapcontrol_new(const KORVU_ASN1_OCTETSTRING *type,
                                                   const KORVU_ASN1_BOOLEAN *criticality,
                                                   const KORVU_ASN1_OCTETSTRING *value);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapcontrol_gettype(const KORVU_LDAP_CONTROL *control);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ldapcontrol_getcriticality(const KORVU_LDAP_CONTROL *control);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapcontrol_getvalue(const KORVU_LDAP_CONTROL *control);

/* ---- SaslCredentials (319) ----------------------------------------------- */
typedef struct korvu_ldap_saslcredentials_st {
  KORVU_ASN1_OCTETSTRING *mechanism;
  KORVU_ASN1_OCTETSTRING *credentials; /* null when absent */
} KORVU_LDAP_SASLCREDENTIALS;
KORVU_API KORVU_LDAP_SASLCREDENTIALS *korvu_ldapsaslcredentials_new(const KORVU_ASN1_OCTETSTRING *mechanism,
                                                                   const KORVU_ASN1_OCTETSTRING *credentials);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsaslcredentials_getmechanism(const KORVU_LDAP_SASLCREDENTIALS *c);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsaslcredentials_getcredentials(const KORVU_LDAP_SASLCREDENTIALS *c);

/* ---- AuthenticationChoice (320): 0 simple [0] OCTET STRING, 1 sasl [3] SaslCredentials ---- */
typedef struct korvu_ldap_authchoice_st {
  uint32_t choice;
  void *value;
} KORVU_LDAP_AUTHCHOICE;
KORVU_API KORVU_LDAP_AUTHCHOICE *korvu_ldapauthenticationchoice_newsimple(const KORVU_ASN1_OCTETSTRING *password);
KORVU_API KORVU_LDAP_AUTHCHOICE *korvu_ldapauthenticationchoice_newsasl(const KORVU_LDAP_SASLCREDENTIALS *sasl);
/* The choice number, or 0xFFFFFFFF for null (so for every CHOICE below). */
KORVU_API uint32_t korvu_ldapauthenticationchoice_gettype(const KORVU_LDAP_AUTHCHOICE *auth);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapauthenticationchoice_getsimple(const KORVU_LDAP_AUTHCHOICE *auth);
KORVU_API KORVU_LDAP_SASLCREDENTIALS *korvu_ldapauthenticationchoice_getsasl(const KORVU_LDAP_AUTHCHOICE *auth);

/* ---- BindRequest (321, [APPLICATION 0]) ------------------------------------ */
typedef struct korvu_ldap_bindrequest_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_ASN1_OCTETSTRING *name;
  KORVU_LDAP_AUTHCHOICE *authentication;
} KORVU_LDAP_BINDREQUEST;
KORVU_API KORVU_LDAP_BINDREQUEST *korvu_ldapbindrequest_new(const KORVU_ASN1_INTEGER *version,
                                                           const KORVU_ASN1_OCTETSTRING *name,
                                                           const KORVU_LDAP_AUTHCHOICE *authentication);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapbindrequest_getversion(const KORVU_LDAP_BINDREQUEST *req);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapbindrequest_getname(const KORVU_LDAP_BINDREQUEST *req);
KORVU_API KORVU_LDAP_AUTHCHOICE *korvu_ldapbindrequest_getauthentication(const KORVU_LDAP_BINDREQUEST *req);

/* ---- BindResponse (322, [APPLICATION 1]) ----------------------------------- */
typedef struct korvu_ldap_bindresponse_st {
  KORVU_ASN1_INTEGER *resultCode;
  KORVU_ASN1_OCTETSTRING *matchedDN;
  KORVU_ASN1_OCTETSTRING *diagnosticMessage;
  KORVU_ASN1_LIST *referral;             /* null when absent */
  KORVU_ASN1_OCTETSTRING *serverSaslCreds; /* [7], null when absent */
} KORVU_LDAP_BINDRESPONSE;
KORVU_API KORVU_LDAP_BINDRESPONSE *korvu_ldapbindresponse_new(const KORVU_ASN1_INTEGER *result_code,
                                                             const KORVU_ASN1_OCTETSTRING *matched_dn,
                                                             const KORVU_ASN1_OCTETSTRING *diagnostic_message,
                                                             const KORVU_ASN1_LIST *referral,
                                                             const KORVU_ASN1_OCTETSTRING *server_sasl_creds);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapbindresponse_getresultcode(const KORVU_LDAP_BINDRESPONSE *res);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapbindresponse_getmatcheddn(const KORVU_LDAP_BINDRESPONSE *res);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapbindresponse_getdiagnosticmessage(const KORVU_LDAP_BINDRESPONSE *res);
KORVU_API KORVU_ASN1_LIST *korvu_ldapbindresponse_getreferral(const KORVU_LDAP_BINDRESPONSE *res);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapbindresponse_getserversaslcreds(const KORVU_LDAP_BINDRESPONSE *res);

/* UnbindRequest (323, [APPLICATION 2] NULL) is a NULL value; DelRequest (343, [APPLICATION 10]) an OCTET
 * STRING value; AbandonRequest (349, [APPLICATION 16]) an INTEGER value. */

/* ---- substring (324): 0 initial [0], 1 any [1], 2 final [2]; substrings (325: of substring) ---- */
typedef struct korvu_ldap_substring_st {
  uint32_t choice;
  void *value;
} KORVU_LDAP_SUBSTRING;
KORVU_API KORVU_LDAP_SUBSTRING *korvu_ldapsubstring_newinitial(const KORVU_ASN1_OCTETSTRING *value);
KORVU_API KORVU_LDAP_SUBSTRING *korvu_ldapsubstring_newany(const KORVU_ASN1_OCTETSTRING *value);
KORVU_API KORVU_LDAP_SUBSTRING *korvu_ldapsubstring_newfinal(const KORVU_ASN1_OCTETSTRING *value);
KORVU_API uint32_t korvu_ldapsubstring_gettype(const KORVU_LDAP_SUBSTRING *s);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsubstring_getinitial(const KORVU_LDAP_SUBSTRING *s);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsubstring_getany(const KORVU_LDAP_SUBSTRING *s);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsubstring_getfinal(const KORVU_LDAP_SUBSTRING *s);

/* ---- SubstringFilter (326) ----------------------------------------------- */
typedef struct korvu_ldap_substringfilter_st {
  KORVU_ASN1_OCTETSTRING *type;
  KORVU_ASN1_LIST *substrings;
} KORVU_LDAP_SUBSTRINGFILTER;
KORVU_API KORVU_LDAP_SUBSTRINGFILTER *korvu_ldapsubstringfilter_new(const KORVU_ASN1_OCTETSTRING *type,
                                                                   const KORVU_ASN1_LIST *substrings);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsubstringfilter_gettype(const KORVU_LDAP_SUBSTRINGFILTER *f);
KORVU_API KORVU_ASN1_LIST *korvu_ldapsubstringfilter_getsubstrings(const KORVU_LDAP_SUBSTRINGFILTER *f);

/* ---- MatchingRuleAssertion (327) ----------------------------------------- */
typedef struct korvu_ldap_mra_st {
  KORVU_ASN1_OCTETSTRING *matchingRule; /* [1], null when absent */
  KORVU_ASN1_OCTETSTRING *type;         /* [2], null when absent */
  KORVU_ASN1_OCTETSTRING *matchValue;   /* [3] */
  KORVU_ASN1_BOOLEAN *dnAttributes;     /* [4], never null */
} KORVU_LDAP_MRA;
/* A null dnAttributes gives FALSE. */
KORVU_API KORVU_LDAP_MRA *korvu_ldapmatchingruleassertion_new(const KORVU_ASN1_OCTETSTRING *matching_rule,
                                                             const KORVU_ASN1_OCTETSTRING *type,
                                                             const KORVU_ASN1_OCTETSTRING *match_value,
                                                             const KORVU_ASN1_BOOLEAN *dn_attributes);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmatchingruleassertion_getmatchingrule(const KORVU_LDAP_MRA *m);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmatchingruleassertion_gettype(const KORVU_LDAP_MRA *m);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmatchingruleassertion_getmatchvalue(const KORVU_LDAP_MRA *m);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ldapmatchingruleassertion_getdnattributes(const KORVU_LDAP_MRA *m);

/* ---- Filter (328), Filters (329: SET OF KORVU_LDAP_FILTER) ----------------
 * Choice number = context tag: 0 and, 1 or (Filters lists), 2 not (a Filter), 3 equalityMatch,
 * 5 greaterOrEqual, 6 lessOrEqual, 8 approxMatch (AttributeValueAssertion), 4 substrings (SubstringFilter),
 * 7 present (OCTET STRING), 9 extensibleMatch (MatchingRuleAssertion). Decoding, measuring and encoding stop
 * at the nesting limit of korvu_get_recursive_level(); freeing does not recurse. */
typedef struct korvu_ldap_filter_st {
  uint32_t choice;
  void *value;
} KORVU_LDAP_FILTER;
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newand(const KORVU_ASN1_LIST *filters);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newor(const KORVU_ASN1_LIST *filters);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newnot(const KORVU_LDAP_FILTER *filter);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newequalitymatch(const KORVU_LDAP_AVA *ava);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newsubstrings(const KORVU_LDAP_SUBSTRINGFILTER *substrings);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newgreaterorequal(const KORVU_LDAP_AVA *ava);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newlessorequal(const KORVU_LDAP_AVA *ava);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newpresent(const KORVU_ASN1_OCTETSTRING *desc);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newapproxmatch(const KORVU_LDAP_AVA *ava);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_newextensiblematch(const KORVU_LDAP_MRA *mra);
KORVU_API uint32_t korvu_ldapfilter_gettype(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_ASN1_LIST *korvu_ldapfilter_getand(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_ASN1_LIST *korvu_ldapfilter_getor(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapfilter_getnot(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_LDAP_AVA *korvu_ldapfilter_getequalitymatch(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_LDAP_SUBSTRINGFILTER *korvu_ldapfilter_getsubstrings(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_LDAP_AVA *korvu_ldapfilter_getgreaterorequal(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_LDAP_AVA *korvu_ldapfilter_getlessorequal(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapfilter_getpresent(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_LDAP_AVA *korvu_ldapfilter_getapproxmatch(const KORVU_LDAP_FILTER *f);
KORVU_API KORVU_LDAP_MRA *korvu_ldapfilter_getextensiblematch(const KORVU_LDAP_FILTER *f);

/* ---- SearchRequest (331, [APPLICATION 3]); AttributeSelection (330: of OCTET STRING) ---- */
typedef struct korvu_ldap_searchrequest_st {
  KORVU_ASN1_OCTETSTRING *baseObject;
  KORVU_ASN1_INTEGER *scope;        /* ENUMERATED */
  KORVU_ASN1_INTEGER *derefAliases; /* ENUMERATED */
  KORVU_ASN1_INTEGER *sizeLimit;
  KORVU_ASN1_INTEGER *timeLimit;
  KORVU_ASN1_BOOLEAN *typesOnly;
  KORVU_LDAP_FILTER *filter;
  KORVU_ASN1_LIST *attributes;
} KORVU_LDAP_SEARCHREQUEST;
KORVU_API KORVU_LDAP_SEARCHREQUEST *korvu_ldapsearchrequest_new(
    const KORVU_ASN1_OCTETSTRING *base_object, const KORVU_ASN1_INTEGER *scope, const KORVU_ASN1_INTEGER *deref_aliases,
    const KORVU_ASN1_INTEGER *size_limit, const KORVU_ASN1_INTEGER *time_limit, const KORVU_ASN1_BOOLEAN *types_only,
    const KORVU_LDAP_FILTER *filter, const KORVU_ASN1_LIST *attributes);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsearchrequest_getbaseobject(const KORVU_LDAP_SEARCHREQUEST *req);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapsearchrequest_getscope(const KORVU_LDAP_SEARCHREQUEST *req);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapsearchrequest_getderefaliases(const KORVU_LDAP_SEARCHREQUEST *req);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapsearchrequest_getsizelimit(const KORVU_LDAP_SEARCHREQUEST *req);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapsearchrequest_gettimelimit(const KORVU_LDAP_SEARCHREQUEST *req);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ldapsearchrequest_gettypesonly(const KORVU_LDAP_SEARCHREQUEST *req);
KORVU_API KORVU_LDAP_FILTER *korvu_ldapsearchrequest_getfilter(const KORVU_LDAP_SEARCHREQUEST *req);
KORVU_API KORVU_ASN1_LIST *korvu_ldapsearchrequest_getattributes(const KORVU_LDAP_SEARCHREQUEST *req);

/* ---- SearchResultEntry (333, [APPLICATION 4]); PartialAttributeList (332: of PartialAttribute) ----
 * SearchResultReference (334, [APPLICATION 19]) is a list of URI OCTET STRINGs. */
typedef struct korvu_ldap_searchresultentry_st {
  KORVU_ASN1_OCTETSTRING *objectName;
  KORVU_ASN1_LIST *attributes;
} KORVU_LDAP_SEARCHRESULTENTRY;
KORVU_API KORVU_LDAP_SEARCHRESULTENTRY *korvu_ldapsearchresultentry_new(const KORVU_ASN1_OCTETSTRING *object_name,
                                                                       const KORVU_ASN1_LIST *attributes);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapsearchresultentry_getobjectname(const KORVU_LDAP_SEARCHRESULTENTRY *e);
KORVU_API KORVU_ASN1_LIST *korvu_ldapsearchresultentry_getattributes(const KORVU_LDAP_SEARCHRESULTENTRY *e);

/* ---- change (336), changes (337: of change), ModifyRequest (338, [APPLICATION 6]) ---- */
typedef struct korvu_ldap_change_st {
  KORVU_ASN1_INTEGER *operation;           /* ENUMERATED: add (0), delete (1), replace (2) */
  KORVU_LDAP_ATTRIBUTE *modification;      /* PartialAttribute */
} KORVU_LDAP_CHANGE;
KORVU_API KORVU_LDAP_CHANGE *korvu_ldapchange_new(const KORVU_ASN1_INTEGER *operation,
                                                 const KORVU_LDAP_ATTRIBUTE *modification);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapchange_getoperation(const KORVU_LDAP_CHANGE *c);
KORVU_API KORVU_LDAP_ATTRIBUTE *korvu_ldapchange_getmodification(const KORVU_LDAP_CHANGE *c);

typedef struct korvu_ldap_modifyrequest_st {
  KORVU_ASN1_OCTETSTRING *object;
  KORVU_ASN1_LIST *changes;
} KORVU_LDAP_MODIFYREQUEST;
KORVU_API KORVU_LDAP_MODIFYREQUEST *korvu_ldapmodifyrequest_new(const KORVU_ASN1_OCTETSTRING *object,
                                                               const KORVU_ASN1_LIST *changes);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmodifyrequest_getobject(const KORVU_LDAP_MODIFYREQUEST *req);
KORVU_API KORVU_ASN1_LIST *korvu_ldapmodifyrequest_getchanges(const KORVU_LDAP_MODIFYREQUEST *req);

/* ---- AddRequest (341, [APPLICATION 8]); AttributeList (340: of Attribute) ---- */
typedef struct korvu_ldap_addrequest_st {
  KORVU_ASN1_OCTETSTRING *entry;
  KORVU_ASN1_LIST *attributes;
} KORVU_LDAP_ADDREQUEST;
KORVU_API KORVU_LDAP_ADDREQUEST *korvu_ldapaddrequest_new(const KORVU_ASN1_OCTETSTRING *entry,
                                                         const KORVU_ASN1_LIST *attributes);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapaddrequest_getentry(const KORVU_LDAP_ADDREQUEST *req);
KORVU_API KORVU_ASN1_LIST *korvu_ldapaddrequest_getattributes(const KORVU_LDAP_ADDREQUEST *req);

/* ---- ModifyDNRequest (345, [APPLICATION 12]) ------------------------------- */
typedef struct korvu_ldap_modifydnrequest_st {
  KORVU_ASN1_OCTETSTRING *entry;
  KORVU_ASN1_OCTETSTRING *newrdn;
  KORVU_ASN1_BOOLEAN *deleteoldrdn;
  KORVU_ASN1_OCTETSTRING *newSuperior; /* [0], null when absent */
} KORVU_LDAP_MODIFYDNREQUEST;
KORVU_API KORVU_LDAP_MODIFYDNREQUEST *korvu_ldapmodifydnrequest_new(const KORVU_ASN1_OCTETSTRING *entry,
                                                                   const KORVU_ASN1_OCTETSTRING *newrdn,
                                                                   const KORVU_ASN1_BOOLEAN *deleteoldrdn,
                                                                   const KORVU_ASN1_OCTETSTRING *new_superior);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmodifydnrequest_getentry(const KORVU_LDAP_MODIFYDNREQUEST *req);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmodifydnrequest_getnewrdn(const KORVU_LDAP_MODIFYDNREQUEST *req);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ldapmodifydnrequest_getdeleteoldrdn(const KORVU_LDAP_MODIFYDNREQUEST *req);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapmodifydnrequest_getnewsuperior(const KORVU_LDAP_MODIFYDNREQUEST *req);

/* ---- CompareRequest (347, [APPLICATION 14]) -------------------------------- */
typedef struct korvu_ldap_comparerequest_st {
  KORVU_ASN1_OCTETSTRING *entry;
  KORVU_LDAP_AVA *ava;
} KORVU_LDAP_COMPAREREQUEST;
KORVU_API KORVU_LDAP_COMPAREREQUEST *korvu_ldapcomparerequest_new(const KORVU_ASN1_OCTETSTRING *entry,
                                                                 const KORVU_LDAP_AVA *ava);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapcomparerequest_getentry(const KORVU_LDAP_COMPAREREQUEST *req);
KORVU_API KORVU_LDAP_AVA *korvu_ldapcomparerequest_getava(const KORVU_LDAP_COMPAREREQUEST *req);

/* ---- ExtendedRequest (350, [APPLICATION 23]) ------------------------------- */
typedef struct korvu_ldap_extendedrequest_st {
  KORVU_ASN1_OCTETSTRING *requestName;  /* [0] */
  KORVU_ASN1_OCTETSTRING *requestValue; /* [1], null when absent */
} KORVU_LDAP_EXTENDEDREQUEST;
KORVU_API KORVU_LDAP_EXTENDEDREQUEST *korvu_ldapextendedrequest_new(const KORVU_ASN1_OCTETSTRING *name,
                                                                   const KORVU_ASN1_OCTETSTRING *value);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedrequest_getrequestname(const KORVU_LDAP_EXTENDEDREQUEST *req);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedrequest_getrequestvalue(const KORVU_LDAP_EXTENDEDREQUEST *req);

/* ---- ExtendedResponse (351, [APPLICATION 24]) ------------------------------ */
typedef struct korvu_ldap_extendedresponse_st {
  KORVU_ASN1_INTEGER *resultCode;
  KORVU_ASN1_OCTETSTRING *matchedDN;
  KORVU_ASN1_OCTETSTRING *diagnosticMessage;
  KORVU_ASN1_LIST *referral;              /* null when absent */
  KORVU_ASN1_OCTETSTRING *responseName;   /* [10], null when absent */
  KORVU_ASN1_OCTETSTRING *responseValue;  /* [11], null when absent */
} KORVU_LDAP_EXTENDEDRESPONSE;
KORVU_API KORVU_LDAP_EXTENDEDRESPONSE *korvu_ldapextendedresponse_new(
    const KORVU_ASN1_INTEGER *result_code, const KORVU_ASN1_OCTETSTRING *matched_dn,
    const KORVU_ASN1_OCTETSTRING *diagnostic_message, const KORVU_ASN1_LIST *referral,
    const KORVU_ASN1_OCTETSTRING *response_name, const KORVU_ASN1_OCTETSTRING *response_value);
KORVU_API KORVU_ASN1_INTEGER *korvu_ldapextendedresponse_getresultcode(const KORVU_LDAP_EXTENDEDRESPONSE *res);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedresponse_getmatcheddn(const KORVU_LDAP_EXTENDEDRESPONSE *res);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedresponse_getdiagnosticmessage(const KORVU_LDAP_EXTENDEDRESPONSE *res);
KORVU_API KORVU_ASN1_LIST *korvu_ldapextendedresponse_getreferral(const KORVU_LDAP_EXTENDEDRESPONSE *res);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedresponse_getresponsename(const KORVU_LDAP_EXTENDEDRESPONSE *res);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapextendedresponse_getresponsevalue(const KORVU_LDAP_EXTENDEDRESPONSE *res);

/* ---- IntermediateResponse (352, [APPLICATION 25]) -------------------------- */
typedef struct korvu_ldap_intermediateresponse_st {
  KORVU_ASN1_OCTETSTRING *responseName;  /* [0], null when absent */
  KORVU_ASN1_OCTETSTRING *responseValue; /* [1], null when absent */
} KORVU_LDAP_INTERMEDIATERESPONSE;
KORVU_API KORVU_LDAP_INTERMEDIATERESPONSE *korvu_ldapintermediateresponse_new(const KORVU_ASN1_OCTETSTRING *name,
                                                                             const KORVU_ASN1_OCTETSTRING *value);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ldapintermediateresponse_getresponsename(
    const KORVU_LDAP_INTERMEDIATERESPONSE *res);
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
typedef struct korvu_ldap_message_st {
  KORVU_ASN1_INTEGER *messageID;
  uint32_t protocolOpType;
  void *protocolOp;
  KORVU_ASN1_LIST *controls; /* [0] Controls, null when absent */
} KORVU_LDAP_MESSAGE;

/* Each copies the operation value with its type number (controls optional). */
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newbindrequest(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_BINDREQUEST *value,
                                                    const KORVU_ASN1_LIST *controls);
KORVU_API KORVU_LDAP_MESSAGE *korvu_ldapmessage_newbindresponse(const KORVU_ASN1_INTEGER *message_id, const KORVU_LDAP_BINDRESPONSE *value,
                                                    const KORVU_ASN1_LIST *controls);
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

KORVU_API KORVU_ASN1_INTEGER *korvu_ldapmessage_getmessageid(const KORVU_LDAP_MESSAGE *msg);
KORVU_API KORVU_ASN1_LIST *korvu_ldapmessage_getcontrols(const KORVU_LDAP_MESSAGE *msg);
KORVU_API uint32_t korvu_ldapmessage_gettype(const KORVU_LDAP_MESSAGE *msg);
/* The operation when the message holds that one, else null (no getter for unbindRequest). */
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

#ifdef __cplusplus
}
#endif
#endif
