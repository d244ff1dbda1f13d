/** @file
 * KORVU ASN.1: Authenticode structures: the indirect data content a code signature signs, its strings, links and
 * PE image data, the publisher information attribute (1.3.6.1.4.1.311.2.1.12) and the legacy time-stamp request.
 * Included by korvu/asn1.h.
 *
 * Records hold one owned pointer per component; an OPTIONAL component is null with its present flag 0 when absent.
 * A CHOICE record holds its selector and the chosen value. Constructors copy their arguments and return null when
 * a required one is null or a copy fails. */
#ifndef KORVU_AUTHENTICODE_H
#define KORVU_AUTHENTICODE_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

/* AlgorithmIdentifier's record (korvu/x509_cert.h) and ContentInfo's (korvu/cms.h). */
struct korvu_x509_algid_st;
struct korvu_pkcs7_contentinfo_st;

/** SpcAttributeTypeAndOptionalValue (214) ::= SEQUENCE { type OBJECT IDENTIFIER, value ANY OPTIONAL }: held in
 * AlgorithmIdentifier's record (algorithm = type, parameters = value, hasParameters = value present).
 * SpcIndirectDataContent (208) ::= SEQUENCE { data SpcAttributeTypeAndOptionalValue, messageDigest DigestInfo } */
typedef struct korvu_spc_indirectdatacontent_st {
  struct korvu_x509_algid_st *data;          /**< SpcAttributeTypeAndOptionalValue (214) */
  struct korvu_digestinfo_st *messageDigest; /**< DigestInfo (57) */
} KORVU_SPC_INDIRECTDATACONTENT;

/** SpcSerializedObject (209) ::= SEQUENCE { classId OCTET STRING, serializedData OCTET STRING } */
typedef struct korvu_spc_serializedobject_st {
  KORVU_ASN1_OCTETSTRING *classId; /**< OCTET STRING (4) */
  KORVU_ASN1_OCTETSTRING *serializedData; /**< OCTET STRING (4) */
} KORVU_SPC_SERIALIZEDOBJECT;

/** SpcString (210) ::= CHOICE { unicode [0] IMPLICIT BMPString, ascii [1] IMPLICIT IA5String }
 * type: 0 unicode (a BMPString), 1 ascii (an IA5String). */
#define KORVU_SPCSTRING_UNICODE 0u
/** SpcString type 1: ascii, an IA5String. */
#define KORVU_SPCSTRING_ASCII 1u
/** The record of SpcString (210). */
typedef struct korvu_spc_string_st {
  uint32_t type; /**< KORVU_SPCSTRING_UNICODE or KORVU_SPCSTRING_ASCII */
  KORVU_ASN1_STRING *string; /**< the BMPString or IA5String */
} KORVU_SPC_STRING;

/** SpcLink (211) ::= CHOICE { url [0] IMPLICIT IA5String, moniker [1] IMPLICIT SpcSerializedObject,
 *   file [2] EXPLICIT SpcString }
 * type: 0 url (an IA5String), 1 moniker (a KORVU_SPC_SERIALIZEDOBJECT), 2 file (a KORVU_SPC_STRING). */
#define KORVU_SPCLINK_URL 0u
/** SpcLink type 1: moniker, a KORVU_SPC_SERIALIZEDOBJECT. */
#define KORVU_SPCLINK_MONIKER 1u
/** SpcLink type 2: file, a KORVU_SPC_STRING. */
#define KORVU_SPCLINK_FILE 2u
/** The record of SpcLink (211). */
typedef struct korvu_spc_link_st {
  uint32_t type; /**< KORVU_SPCLINK_URL, KORVU_SPCLINK_MONIKER or KORVU_SPCLINK_FILE */
  void *value; /**< the alternative's value, of the type `type` names */
} KORVU_SPC_LINK;

/** SpcPeImageData (212) ::= SEQUENCE { flags BIT STRING, file [0] EXPLICIT SpcLink } */
typedef struct korvu_spc_peimagedata_st {
  KORVU_ASN1_BITSTRING *flags; /**< BIT STRING (3) */
  KORVU_SPC_LINK *file; /**< SpcLink (211), [0] EXPLICIT */
} KORVU_SPC_PEIMAGEDATA;

/** SpcSpOpusInfo (213) ::= SEQUENCE { programName [0] EXPLICIT SpcString OPTIONAL,
 *   moreInfo [1] EXPLICIT SpcLink OPTIONAL } */
typedef struct korvu_spc_spopusinfo_st {
  KORVU_SPC_STRING *programName; /**< SpcString (210), [0] EXPLICIT, OPTIONAL: null when absent */
  KORVU_SPC_LINK *moreInfo; /**< SpcLink (211), [1] EXPLICIT, OPTIONAL: null when absent */
  uint32_t hasProgramName; /**< 1 when `programName` is present, else 0 */
  uint32_t hasMoreInfo; /**< 1 when `moreInfo` is present, else 0 */
} KORVU_SPC_SPOPUSINFO;

/** TimeStampRequest (215) ::= SEQUENCE { countersignatureType OBJECT IDENTIFIER, attributes SET OF Attribute
 *   OPTIONAL, content ContentInfo } */
typedef struct korvu_authenticode_timestampreq_st {
  KORVU_ASN1_OID *countersignatureType; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_LIST *attributes; /**< Attributes (44) */
  uint32_t hasAttributes;      /**< 1 when `attributes` is present, else 0 */
  struct korvu_pkcs7_contentinfo_st *content; /**< ContentInfo (111) */
} KORVU_AUTHENTICODE_TIMESTAMPREQ;

/** A new SpcIndirectDataContent (208) of copies of the arguments, in component order; null when a required one is
 * null or building fails. data is copied as type 214, messageDigest as DigestInfo (57). */
KORVU_API KORVU_SPC_INDIRECTDATACONTENT *korvu_spcindirectdatacontent_new(const struct korvu_x509_algid_st *data,
                                                                         const struct korvu_digestinfo_st *message_digest);
/** The record's `data` (not a copy), null for a null record. */
KORVU_API struct korvu_x509_algid_st *korvu_spcindirectdatacontent_getdata(const KORVU_SPC_INDIRECTDATACONTENT *v);
/** The record's `messageDigest` (not a copy), null for a null record. */
KORVU_API struct korvu_digestinfo_st *korvu_spcindirectdatacontent_getmessagedigest(const KORVU_SPC_INDIRECTDATACONTENT *v);

/** A new SpcAttributeTypeAndOptionalValue (214) of copies of the arguments, in component order; null when a
 * required one is null or building fails. value may be null. */
KORVU_API struct korvu_x509_algid_st *korvu_spcattrtypeandoptvalue_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value);
/** The record's `algorithm` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_spcattrtypeandoptvalue_gettype(const struct korvu_x509_algid_st *v);
/** 1 when the record's `parameters` is present, 0 when absent or for a null record. */
KORVU_API int korvu_spcattrtypeandoptvalue_hasvalue(const struct korvu_x509_algid_st *v);
/** The record's `parameters` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_spcattrtypeandoptvalue_getvalue(const struct korvu_x509_algid_st *v);

/** A new SpcSerializedObject (209) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_SPC_SERIALIZEDOBJECT *korvu_spcserialzedobject_new(const KORVU_ASN1_OCTETSTRING *class_id,
                                                                  const KORVU_ASN1_OCTETSTRING *serialized_data);
/** The record's `classId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_spcserialzedobject_getclassid(const KORVU_SPC_SERIALIZEDOBJECT *v);
/** The record's `serializedData` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_spcserialzedobject_getserializeddata(const KORVU_SPC_SERIALIZEDOBJECT *v);

/** type 0: the string is copied as a BMPString, 1: as an IA5String; any other type gives null. */
KORVU_API KORVU_SPC_STRING *korvu_spcstring_new(uint32_t type, const KORVU_ASN1_STRING *string);
/** The selector, 0xFFFFFFFF for null. */
KORVU_API uint32_t korvu_spcstring_gettype(const KORVU_SPC_STRING *v);
/** The record's `string` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_spcstring_getstring(const KORVU_SPC_STRING *v);

/** A new SpcLink (211) holding a copy of the argument as alternative KORVU_SPCLINK_URL; null for a null argument
 * or when the copy fails. */
KORVU_API KORVU_SPC_LINK *korvu_spclink_newurl(const KORVU_ASN1_STRING *url);
/** A new SpcLink (211) holding a copy of the argument as alternative KORVU_SPCLINK_MONIKER; null for a null
 * argument or when the copy fails. */
KORVU_API KORVU_SPC_LINK *korvu_spclink_newmoniker(const KORVU_SPC_SERIALIZEDOBJECT *moniker);
/** A new SpcLink (211) holding a copy of the argument as alternative KORVU_SPCLINK_FILE; null for a null argument
 * or when the copy fails. */
KORVU_API KORVU_SPC_LINK *korvu_spclink_newfile(const KORVU_SPC_STRING *file);
/** The selector, 0xFFFFFFFF for null; each value getter is null unless the selector is its own. */
KORVU_API uint32_t korvu_spclink_gettype(const KORVU_SPC_LINK *v);
/** The value of alternative KORVU_SPCLINK_URL (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_spclink_geturl(const KORVU_SPC_LINK *v);
/** The value of alternative KORVU_SPCLINK_MONIKER (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SPC_SERIALIZEDOBJECT *korvu_spclink_getmoniker(const KORVU_SPC_LINK *v);
/** The value of alternative KORVU_SPCLINK_FILE (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_SPC_STRING *korvu_spclink_getfile(const KORVU_SPC_LINK *v);

/** A new SpcPeImageData (212) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null flags gives the default: bit 1 set (03 02 06 40). */
KORVU_API KORVU_SPC_PEIMAGEDATA *korvu_spcpeimagedata_new(const KORVU_ASN1_BITSTRING *flags, const KORVU_SPC_LINK *file);
/** The record's `flags` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_spcpeimagedata_getflag(const KORVU_SPC_PEIMAGEDATA *v);
/** The record's `file` (not a copy), null for a null record. */
KORVU_API KORVU_SPC_LINK *korvu_spcpeimagedata_getfile(const KORVU_SPC_PEIMAGEDATA *v);

/** A new SpcSpOpusInfo (213) of copies of the arguments, in component order; null when a required one is null or
 * building fails. Either may be null. */
KORVU_API KORVU_SPC_SPOPUSINFO *korvu_spcspopusinfo_new(const KORVU_SPC_STRING *program_name,
                                                       const KORVU_SPC_LINK *more_info);
/** The record's `programName` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_SPC_STRING *korvu_spcspopusinfo_getprogramname(const KORVU_SPC_SPOPUSINFO *v);
/** The record's `moreInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_SPC_LINK *korvu_spcspopusinfo_getmoreinfo(const KORVU_SPC_SPOPUSINFO *v);

/** A new TimeStampRequest (215) of copies of the arguments, in component order; null when a required one is null
 * or building fails. attributes may be null. */
KORVU_API KORVU_AUTHENTICODE_TIMESTAMPREQ *korvu_authenticode_timestampreq_new(
    const KORVU_ASN1_OID *countersignature_type, const KORVU_ASN1_LIST *attributes,
    const struct korvu_pkcs7_contentinfo_st *content);
/** The record's `countersignatureType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_authenticode_timestampreq_getalgo(const KORVU_AUTHENTICODE_TIMESTAMPREQ *v);
/** 1 when the record's `attributes` is present, 0 when absent or for a null record. */
KORVU_API int korvu_authenticode_timestampreq_hasattrs(const KORVU_AUTHENTICODE_TIMESTAMPREQ *v);
/** The record's `attributes` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_authenticode_timestampreq_getattrs(const KORVU_AUTHENTICODE_TIMESTAMPREQ *v);
/** The record's `content` (not a copy), null for a null record. */
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_authenticode_timestampreq_getcontent(const KORVU_AUTHENTICODE_TIMESTAMPREQ *v);

#ifdef __cplusplus
}
#endif
#endif /* KORVU_AUTHENTICODE_H */
