/** @file
 * KORVU ASN.1: X.500 names, attributes and directory attribute values. Included by korvu/asn1.h.
 * Records are owned by whoever made them (a constructor or a decoder) and are released with
 * korvu_asn1_value_free(type, value). Constructors copy their arguments; getters hand out borrowed
 * pointers into the record. A Name and an AttributeTypeAndDistinguishedValue keep the encoding they were
 * decoded from (BER forms included) or first encoded to, and write it again on every later encoding. */
#ifndef KORVU_X509_NAME_H
#define KORVU_X509_NAME_H
#include "korvu/asn1_base.h"
#include "korvu/asn1_strings.h"
#include "korvu/asn1_oid.h"
#include "korvu/asn1_time.h"
#include "korvu/asn1_any.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Context (28), context list (141) ------------------------------------- */
/** The record of Context (28). */
typedef struct korvu_x500_context_st {
  KORVU_ASN1_OID *contextType;    /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_LIST *contextValues; /**< ANY values (type 27) */
  KORVU_ASN1_BOOLEAN *fallback;   /**< always present; written only when TRUE */
} KORVU_X500_CONTEXT;

/* ---- distinguished value with context (135), the set of them (142) ------- */
/** The record of distinguished-value-with-context item (135). */
typedef struct korvu_x500_dnvalwithctx_st {
  KORVU_ASN1_ANY *distingAttrValue; /**< null unless hasDistingAttrValue */
  uint32_t hasDistingAttrValue;     /**< 1 when `distingAttrValue` is present, else 0 */
  KORVU_ASN1_LIST *contextList; /**< KORVU_X500_CONTEXT elements */
} KORVU_X500_DNVALWITHCTX;

/* ---- AttributeTypeAndDistinguishedValue (29) and the PKIX AttributeTypeAndValue (30), which uses
 * the same record with no valuesWithContext and primaryDistinguished TRUE. */
/** The record of AttributeTypeAndDistinguishedValue (29) and AttributeTypeAndValue (PKIX form) (30). */
typedef struct korvu_x500_attrtypedistval_st {
  KORVU_ASN1_OID *type;                     /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *value;                    /**< ANY (23) */
  KORVU_ASN1_BOOLEAN *primaryDistinguished; /**< always present (TRUE when left out) */
  KORVU_ASN1_LIST *valuesWithContext;       /**< KORVU_X500_DNVALWITHCTX elements */
  uint32_t hasValuesWithContext;            /**< 1 when `valuesWithContext` is present, else 0 */
  /** kept encoding: the whole TLV, or absent (null, 0, 0) */
  unsigned char *encoding;
  uint32_t encodingLength;                  /**< length of `encoding` */
  uint32_t hasEncoding;                     /**< 1 when `encoding` is present, else 0 */
} KORVU_X500_ATTRTYPEDISTVAL;

/* ---- RelativeDistinguishedName (31) ---------------------------------------
 * A KORVU_ASN1_LIST of KORVU_X500_ATTRTYPEDISTVAL (SET OF, written in list
 * order; korvu_x500RDN_sort puts it into DER order). */

/* ---- Name (32): SEQUENCE OF RelativeDistinguishedName ------------------- */
/** The record of Name (32). */
typedef struct korvu_x500_name_st {
  KORVU_ASN1_LIST *rdns; /**< lists of KORVU_X500_ATTRTYPEDISTVAL */
  /** kept encoding: the whole TLV, or absent (null, 0, 0) */
  unsigned char *encoding;
  uint32_t encodingLength; /**< length of `encoding` */
  uint32_t hasEncoding;  /**< 1 when `encoding` is present, else 0 */
} KORVU_X500_NAME;

/* ---- DirectoryString (47) and PKCS9String (52) ----------------------------
 * The universal tag of the chosen string type (12 UTF8String, 19
 * PrintableString, 20 TeletexString, 22 IA5String (PKCS9String only), 28
 * UniversalString, 30 BMPString) and its contents octets, unconverted. */
/** The record of DirectoryString (47). */
typedef struct korvu_x500_dirstring_st {
  uint32_t tag; /**< universal tag number of the string type */
  KORVU_ASN1_OCTETSTRING *string; /**< the contents octets */
} KORVU_X500_DIRSTRING;
/** PKCS #9 string (DirectoryString or IA5String): the DirectoryString record. */
typedef KORVU_X500_DIRSTRING KORVU_PKCS9STRING;

/* ---- Attribute (42 X.500 form, 43 plain form: PKCS#10, CMS, PKCS#12, never with valuesWithContext) */
/** The record of Attribute (X.500 form) (42) and Attribute (plain form) (43). */
typedef struct korvu_x500_attribute_st {
  KORVU_ASN1_OID *type;               /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_LIST *values;            /**< ANY values (type 26) */
  KORVU_ASN1_LIST *valuesWithContext; /**< KORVU_X500_ATTRVALWITHCTX elements */
  uint32_t hasValuesWithContext;      /**< 1 when `valuesWithContext` is present, else 0 */
} KORVU_X500_ATTRIBUTE;

/** attribute value with context (136), the set of them (143) */
typedef struct korvu_x500_attrvalwithctx_st {
  KORVU_ASN1_ANY *value;        /**< ANY (23) */
  KORVU_ASN1_LIST *contextList; /**< KORVU_X500_CONTEXT elements */
} KORVU_X500_ATTRVALWITHCTX;

/* Attributes (44): a KORVU_ASN1_LIST of KORVU_X500_ATTRIBUTE (plain form). */

/* ---- UUIDPair (48), held inline ------------------------------------------ */
/** The record of UUIDPair (48). */
typedef struct korvu_x500_uuidpair_st {
  unsigned char issuerUUID[16]; /**< the issuer UUID's 16 octets */
  unsigned char subjectUUID[16]; /**< the subject UUID's 16 octets */
} KORVU_X500_UUIDPAIR;

/* ---- PostalAddress (49): a KORVU_ASN1_LIST of KORVU_X500_DIRSTRING ----- */

/* ---- TelexNumber (50) ----------------------------------------------------- */
/** The record of TelexNumber (50). */
typedef struct korvu_x500_telexnum_st {
  KORVU_ASN1_STRING *telexNumber; /**< PrintableString */
  KORVU_ASN1_STRING *countryCode; /**< PrintableString */
  KORVU_ASN1_STRING *answerback;  /**< PrintableString */
} KORVU_X500_TELEXNUM;

/* ---- NameAndOptionalUID (51) ------------------------------------------- */
/** The record of NameAndOptionalUID (51). */
typedef struct korvu_x500_nameandoptuid_st {
  KORVU_X500_NAME *dn;       /**< Name (32) */
  KORVU_ASN1_BITSTRING *uid; /**< null unless hasUid */
  uint32_t hasUid;           /**< 1 when `uid` is present, else 0 */
} KORVU_X500_NAMEANDOPTUID;

/* SMIMECapability (53) is the KORVU_X509_ALGID record (korvu/x509_cert.h); SMIMECapabilities (54) a
 * KORVU_ASN1_LIST of them. */

/* ---- Names ------------------------------------------------------------------ */
/** A new empty Name (32): no RDN, no kept encoding; null without memory. */
KORVU_API KORVU_X500_NAME *korvu_x500name_new(void);
/** Appends an RDN: a copy of each of its elements when `dup` is non-zero, else the list itself, which the Name owns
 * from then on (only on success: on failure the caller still owns it). Refuses a null or empty-element list and a
 * list the Name already holds. Discards the kept encoding. */
KORVU_API int korvu_x500name_addrdn(KORVU_X500_NAME *name, KORVU_ASN1_LIST *rdn, uint32_t dup);
/** The record's `rdns` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x500name_getdn(const KORVU_X500_NAME *name);
/** Sorts every RDN as korvu_x500RDN_sort does, stopping at the first failure. Keeps the kept encoding. */
KORVU_API int korvu_x500name_sort(KORVU_X500_NAME *name);
/** The name as RFC 4514 text, last RDN first ("CN=Alice,O=Example,C=XX"): the
 * RFC 4514 short names (CN, L, ST, O, OU, C, STREET, DC, UID) and a few more common ones
 * (serialNumber, SN, GN, title, emailAddress ...), else the dotted OID; string values as UTF-8
 * with the RFC 4514 escapes, any other value as '#' and the hex of its encoding; the values of
 * a multi-valued RDN joined by '+'. An empty name is "". A NUL-terminated string freed with
 * korvu_free; null for a null name, one that does not encode, or without memory. */
KORVU_API char *korvu_x500name_totext(const KORVU_X500_NAME *name);
/** DER order of a SET OF (X.690 11.6): first each element's context lists and valuesWithContext, then the RDN
 * itself by the encodings of its elements. */
KORVU_API int korvu_x500RDN_sort(KORVU_ASN1_LIST *rdn);

/** A new AttributeTypeAndDistinguishedValue (29) of copies of the arguments, in component order; null when a
 * required one is null or building fails. type and value required (value not an end-of-contents); a null
 * primaryDistinguished gives TRUE; valuesWithContext may be null. */
KORVU_API KORVU_X500_ATTRTYPEDISTVAL *korvu_x500attrtypedistval_new(const KORVU_ASN1_OID *type,
                                                                    const KORVU_ASN1_ANY *value,
                                                                    const KORVU_ASN1_BOOLEAN *primary_distinguished,
                                                                    const KORVU_ASN1_LIST *values_with_context);
/** A new PKIX AttributeTypeAndValue (type 30) of copies of `type` and the value: the
 * AttributeTypeAndDistinguishedValue record with primaryDistinguished TRUE and no contexts; null when either is
 * null, the value is an end-of-contents, or building fails. */
KORVU_API KORVU_X500_ATTRTYPEDISTVAL *korvu_pkixattrtypeval_new(const KORVU_ASN1_OID *type,
                                                                const KORVU_ASN1_ANY *value);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_x500attrtypedistval_gettype(const KORVU_X500_ATTRTYPEDISTVAL *pair);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_x500attrtypedistval_getvalue(const KORVU_X500_ATTRTYPEDISTVAL *pair);
/** The record's `primaryDistinguished` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x500attrtypedistval_getprimedist(const KORVU_X500_ATTRTYPEDISTVAL *pair);
/** 1 when the record's `valuesWithContext` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x500attrtypedistval_hascontext(const KORVU_X500_ATTRTYPEDISTVAL *pair);
/** The record's `valuesWithContext` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x500attrtypedistval_getcontext(const KORVU_X500_ATTRTYPEDISTVAL *pair);

/** A new Context (28) of copies of the arguments, in component order; null when a required one is null or building
 * fails. contextType and contextValues required; a null fallback gives FALSE. */
KORVU_API KORVU_X500_CONTEXT *korvu_x500context_new(const KORVU_ASN1_OID *context_type,
                                                    const KORVU_ASN1_LIST *context_values,
                                                    const KORVU_ASN1_BOOLEAN *fallback);
/** The record's `contextType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_x500context_gettype(const KORVU_X500_CONTEXT *context);
/** The record's `contextValues` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x500context_getvalues(const KORVU_X500_CONTEXT *context);
/** The record's `fallback` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x500context_getfallback(const KORVU_X500_CONTEXT *context);

/** A new distinguished-value-with-context item (135) of copies of the arguments, in component order; null when a
 * required one is null or building fails. distingAttrValue may be null (not an end-of-contents); contextList
 * required. */
KORVU_API KORVU_X500_DNVALWITHCTX *korvu_x500dnvalueswithcontextitem_new(const KORVU_ASN1_ANY *disting_attr_value,
                                                                         const KORVU_ASN1_LIST *context_list);
/** 1 when the record's `distingAttrValue` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x500dnvalueswithcontextitem_hasdistvalue(const KORVU_X500_DNVALWITHCTX *item);
/** The record's `distingAttrValue` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_x500dnvalueswithcontextitem_getdistvalue(const KORVU_X500_DNVALWITHCTX *item);
/** The record's `contextList` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x500dnvalueswithcontextitem_getcontexts(const KORVU_X500_DNVALWITHCTX *item);

/** A new DirectoryString holding a copy of `string` as the string type `tag`; null unless the tag is 12, 19, 20,
 * 28 or 30, for a null string, or when the copy fails. */
KORVU_API KORVU_X500_DIRSTRING *korvu_x500dirstring_new(uint32_t tag, const KORVU_ASN1_OCTETSTRING *string);
/** 1 with the number of the alternative the CHOICE holds in the second argument; 0 for a null argument. */
KORVU_API int korvu_x500dirstring_gettype(const KORVU_X500_DIRSTRING *value, uint32_t *tag);
/** The record's `string` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_x500dirstring_getstring(const KORVU_X500_DIRSTRING *value);

/* ---- Attributes and attribute value types --------------------------------- */
/** A new Attribute (X.500 form) (42) of copies of `type` and `values`, without valuesWithContext (usable as type
 * 42 or 43); null when one is null or building fails. */
KORVU_API KORVU_X500_ATTRIBUTE *korvu_x500attribute_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_LIST *values);
/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_x500attribute_gettype(const KORVU_X500_ATTRIBUTE *attribute);
/** The record's `values` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x500attribute_getvalue(const KORVU_X500_ATTRIBUTE *attribute);
/** 1 when the record's `valuesWithContext` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x500attribute_hascontext(const KORVU_X500_ATTRIBUTE *attribute);
/** The record's `valuesWithContext` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x500attribute_getcontext(const KORVU_X500_ATTRIBUTE *attribute);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_x500attrvalueswithcontextitem_getvalue(const KORVU_X500_ATTRVALWITHCTX *item);
/** The record's `contextList` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x500attrvalueswithcontextitem_getcontexts(const KORVU_X500_ATTRVALWITHCTX *item);
/** DER order: each item's context list, then the items, then the values. */
KORVU_API int korvu_x500attribute_sort(KORVU_X500_ATTRIBUTE *attribute);
/** Sorts every Attribute of the list (stopping at the first failure), then the list itself as a SET OF Attribute. */
KORVU_API int korvu_asn1_pkcs10attributes_sort(KORVU_ASN1_LIST *attributes);

/** A new UUIDPair (48) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_X500_UUIDPAIR *korvu_x500uuidpair_new(const unsigned char *issuer_uuid,
                                                      const unsigned char *subject_uuid);
/** Copies 16 bytes into `uuid`. */
KORVU_API int korvu_x500uuidpair_getissueruuid(const KORVU_X500_UUIDPAIR *pair, unsigned char *uuid);
/** Copies the subject UUID's 16 bytes into `uuid`; 1, or 0 for a null argument. */
KORVU_API int korvu_x500uuidpair_getsubjectuuid(const KORVU_X500_UUIDPAIR *pair, unsigned char *uuid);

/** A new TelexNumber (50) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_X500_TELEXNUM *korvu_x500telexnum_new(const KORVU_ASN1_STRING *telex_number,
                                                      const KORVU_ASN1_STRING *country_code,
                                                      const KORVU_ASN1_STRING *answerback);
/** The record's `telexNumber` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_x500telexnum_gettelexnum(const KORVU_X500_TELEXNUM *telex);
/** The record's `countryCode` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_x500telexnum_getcoutrycode(const KORVU_X500_TELEXNUM *telex);
/** The record's `answerback` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_x500telexnum_getanswerback(const KORVU_X500_TELEXNUM *telex);

/** A new NameAndOptionalUID (51) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_X500_NAMEANDOPTUID *korvu_x500nameandoptuid_new(const KORVU_X500_NAME *dn,
                                                                const KORVU_ASN1_BITSTRING *uid);
/** The record's `dn` (not a copy), null for a null record. */
KORVU_API KORVU_X500_NAME *korvu_x500nameandoptuid_getname(const KORVU_X500_NAMEANDOPTUID *value);
/** The record's `uid` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_x500nameandoptuid_getuid(const KORVU_X500_NAMEANDOPTUID *value);

/** A new PKCS #9 string holding a copy of `string` as the string type `tag`; null unless the tag is 12, 19, 20,
 * 22, 28 or 30, for a null string, or when the copy fails. */
KORVU_API KORVU_PKCS9STRING *korvu_pkcs9string_new(uint32_t tag, const KORVU_ASN1_OCTETSTRING *string);
/** 1 with the number of the alternative the CHOICE holds in the second argument; 0 for a null argument. */
KORVU_API int korvu_pkcs9string_gettype(const KORVU_PKCS9STRING *value, uint32_t *tag);
/** The record's `string` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_pkcs9string_getstring(const KORVU_PKCS9STRING *value);

#ifdef __cplusplus
}
#endif
#endif
