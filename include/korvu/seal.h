/** @file
 * KORVU ASN.1: Chinese electronic seals and seal signatures in two editions, GM/T 0031-2014 (korvu_ses_) and
 * GB/T 38540-2020 (korvu_gb_ses_). Included by korvu/asn1.h.
 *
 * Every record holds one owned pointer per component in order; an absent OPTIONAL component is null. ExtData's
 * critical (BOOLEAN DEFAULT FALSE) is never null: an absent one reads as FALSE. Constructors copy their
 * arguments and return null when a required one is null or a copy fails. None of these records keeps the
 * octets it was decoded from: a re-encoded seal is written anew from its components. */
#ifndef KORVU_SEAL_H
#define KORVU_SEAL_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- shared by both editions ---------------------------------------------------------------------------- */
/** ExtData (402) ::= SEQUENCE { extnID OBJECT IDENTIFIER, critical BOOLEAN DEFAULT FALSE, extnValue OCTET STRING }
 * ExtDatas (403) ::= SEQUENCE OF ExtData (a KORVU_ASN1_LIST). */
typedef struct korvu_ses_extdata_st {
  KORVU_ASN1_OID *extnID;       /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_BOOLEAN *critical; /**< never null */
  KORVU_ASN1_OCTETSTRING *extnValue; /**< OCTET STRING (4) */
} KORVU_SES_EXTDATA;

/** SES_Header (404) ::= SEQUENCE { ID IA5String, version INTEGER, Vid IA5String } */
typedef struct korvu_ses_header_st {
  KORVU_ASN1_STRING *ID; /**< IA5String (14) */
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_ASN1_STRING *Vid; /**< IA5String (14) */
} KORVU_SES_HEADER;

/** SES_ESPictureInfo (406) ::= SEQUENCE { type IA5String, data OCTET STRING, width INTEGER, height INTEGER } */
typedef struct korvu_ses_espictureinfo_st {
  KORVU_ASN1_STRING *type; /**< IA5String (14) */
  KORVU_ASN1_OCTETSTRING *data; /**< OCTET STRING (4) */
  KORVU_ASN1_INTEGER *width; /**< INTEGER (2) */
  KORVU_ASN1_INTEGER *height; /**< INTEGER (2) */
} KORVU_SES_ESPICTUREINFO;

/** CertDigestObj (413) ::= SEQUENCE { type PrintableString, value OCTET STRING }
 * CertDigestList (414) ::= SEQUENCE OF CertDigestObj; the certificates of a seal (250) are a SEQUENCE OF
 * OCTET STRING, each holding one certificate's DER (both KORVU_ASN1_LIST). */
typedef struct korvu_ses_certdigestobj_st {
  KORVU_ASN1_STRING *type; /**< PrintableString (11) */
  KORVU_ASN1_OCTETSTRING *value; /**< OCTET STRING (4) */
} KORVU_SES_CERTDIGESTOBJ;

/* ---- GM/T 0031-2014 ----------------------------------------------------------------------------------- */
/** SES_ESPropertyInfo (405) ::= SEQUENCE { type INTEGER, name UTF8String, certList SEQUENCE OF OCTET STRING,
 *   createDate UTCTime, validStart UTCTime, validEnd UTCTime } */
typedef struct korvu_ses_espropertyinfo_st {
  KORVU_ASN1_INTEGER *type; /**< INTEGER (2) */
  KORVU_ASN1_STRING *name; /**< UTF8String (9) */
  KORVU_ASN1_LIST *certList; /**< SEQUENCE OF OCTET STRING (250) */
  KORVU_ASN1_TIME *createDate; /**< UTCTime (21) */
  KORVU_ASN1_TIME *validStart; /**< UTCTime (21) */
  KORVU_ASN1_TIME *validEnd; /**< UTCTime (21) */
} KORVU_SES_ESPROPERTYINFO;

/** SES_SealInfo (407) ::= SEQUENCE { header SES_Header, esID IA5String, property SES_ESPropertyInfo,
 *   picture SES_ESPictureInfo, extDatas ExtDatas OPTIONAL } */
typedef struct korvu_ses_sealinfo_st {
  KORVU_SES_HEADER *header;  /**< SES_Header (404) */
  KORVU_ASN1_STRING *esID;   /**< IA5String (14) */
  KORVU_SES_ESPROPERTYINFO *property; /**< SES_ESPropertyInfo (405) */
  KORVU_SES_ESPICTUREINFO *picture; /**< SES_ESPictureInfo (406) */
  KORVU_ASN1_LIST *extDatas; /**< null when absent */
} KORVU_SES_SEALINFO;

/** SES_SignInfo (408) ::= SEQUENCE { cert OCTET STRING, signatureAlgorithm OBJECT IDENTIFIER, signData BIT STRING } */
typedef struct korvu_ses_signinfo_st {
  KORVU_ASN1_OCTETSTRING *cert; /**< OCTET STRING (4) */
  KORVU_ASN1_OID *signatureAlgorithm; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_BITSTRING *signData; /**< BIT STRING (3) */
} KORVU_SES_SIGNINFO;

/** SeSealTbs (409), the signed part of a seal ::= SEQUENCE { esealInfo SES_SealInfo, cert OCTET STRING,
 *   signatureAlgorithm OBJECT IDENTIFIER } */
typedef struct korvu_ses_sesealtbs_st {
  KORVU_SES_SEALINFO *esealInfo; /**< SES_SealInfo (407) */
  KORVU_ASN1_OCTETSTRING *cert; /**< OCTET STRING (4) */
  KORVU_ASN1_OID *signatureAlgorithm; /**< OBJECT IDENTIFIER (6) */
} KORVU_SES_SESEALTBS;

/** SeSeal (410) ::= SEQUENCE { esealInfo SES_SealInfo, signInfo SES_SignInfo } */
typedef struct korvu_ses_seseal_st {
  KORVU_SES_SEALINFO *esealInfo; /**< SES_SealInfo (407) */
  KORVU_SES_SIGNINFO *signInfo; /**< SES_SignInfo (408) */
} KORVU_SES_SESEAL;

/** TBS_Sign (411) ::= SEQUENCE { version INTEGER, eseal SeSeal, timeInfo BIT STRING, dataHash BIT STRING,
 *   propertyInfo IA5String, cert OCTET STRING, signatureAlgorithm OBJECT IDENTIFIER } */
typedef struct korvu_ses_tbssign_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_SES_SESEAL *eseal; /**< SeSeal (410) */
  KORVU_ASN1_BITSTRING *timeInfo; /**< BIT STRING (3) */
  KORVU_ASN1_BITSTRING *dataHash; /**< BIT STRING (3) */
  KORVU_ASN1_STRING *propertyInfo; /**< IA5String (14) */
  KORVU_ASN1_OCTETSTRING *cert; /**< OCTET STRING (4) */
  KORVU_ASN1_OID *signatureAlgorithm; /**< OBJECT IDENTIFIER (6) */
} KORVU_SES_TBSSIGN;

/** SES_Signature (412) ::= SEQUENCE { toSign TBS_Sign, signature BIT STRING } */
typedef struct korvu_ses_signature_st {
  KORVU_SES_TBSSIGN *toSign; /**< TBS_Sign (411) */
  KORVU_ASN1_BITSTRING *signature; /**< BIT STRING (3) */
} KORVU_SES_SIGNATURE;

/* ---- GB/T 38540-2020 ---------------------------------------------------------------------------------- */
/** SES_ESPropertyInfo (415) ::= SEQUENCE { type INTEGER, name UTF8String, certListType INTEGER, certList
 *   CHOICE { certs SEQUENCE OF OCTET STRING, certDigestList CertDigestList }, createDate GeneralizedTime,
 *   validStart GeneralizedTime, validEnd GeneralizedTime }
 * certListType is held as a number: 1 when certList is a SEQUENCE OF OCTET STRING (250), 2 when it is a
 * CertDigestList (414). Decoding refuses any other value ("invalid ses certlist type"), and so do measuring
 * and encoding a record that holds one. */
typedef struct korvu_gb_ses_espropertyinfo_st {
  KORVU_ASN1_INTEGER *type; /**< INTEGER (2) */
  KORVU_ASN1_STRING *name; /**< UTF8String (9) */
  uint32_t certListType; /**< 1: certList is a SEQUENCE OF OCTET STRING (250); 2: a CertDigestList (414) */
  KORVU_ASN1_LIST *certList; /**< SEQUENCE OF OCTET STRING (250) or CertDigestList (414), as certListType says */
  KORVU_ASN1_TIME *createDate; /**< GeneralizedTime (22) */
  KORVU_ASN1_TIME *validStart; /**< GeneralizedTime (22) */
  KORVU_ASN1_TIME *validEnd; /**< GeneralizedTime (22) */
} KORVU_GB_SES_ESPROPERTYINFO;

/** SES_SealInfo (416): as 407 with the property record of this edition. */
typedef struct korvu_gb_ses_sealinfo_st {
  KORVU_SES_HEADER *header;  /**< SES_Header (404) */
  KORVU_ASN1_STRING *esID;   /**< IA5String (14) */
  KORVU_GB_SES_ESPROPERTYINFO *property; /**< SES_ESPropertyInfo (415) */
  KORVU_SES_ESPICTUREINFO *picture; /**< SES_ESPictureInfo (406) */
  KORVU_ASN1_LIST *extDatas; /**< null when absent */
} KORVU_GB_SES_SEALINFO;

/** SES_Seal (417) ::= SEQUENCE { esealInfo SES_SealInfo, cert OCTET STRING, signAlgID OBJECT IDENTIFIER,
 *   signedValue BIT STRING } */
typedef struct korvu_gb_ses_seal_st {
  KORVU_GB_SES_SEALINFO *esealInfo; /**< SES_SealInfo (416) */
  KORVU_ASN1_OCTETSTRING *cert; /**< OCTET STRING (4) */
  KORVU_ASN1_OID *signAlgID; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_BITSTRING *signedValue; /**< BIT STRING (3) */
} KORVU_GB_SES_SEAL;

/** TBS_Sign (418) ::= SEQUENCE { version INTEGER, eseal SES_Seal, timeInfo GeneralizedTime, dataHash BIT STRING,
 *   propertyInfo IA5String, extDatas [0] EXPLICIT ExtDatas OPTIONAL } */
typedef struct korvu_gb_ses_tbssign_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_GB_SES_SEAL *eseal;  /**< SES_Seal (417) */
  KORVU_ASN1_TIME *timeInfo; /**< GeneralizedTime (22) */
  KORVU_ASN1_BITSTRING *dataHash; /**< BIT STRING (3) */
  KORVU_ASN1_STRING *propertyInfo; /**< IA5String (14) */
  KORVU_ASN1_LIST *extDatas; /**< null when absent */
} KORVU_GB_SES_TBSSIGN;

/** SES_Signature (419) ::= SEQUENCE { toSign TBS_Sign, cert OCTET STRING, signatureAlgID OBJECT IDENTIFIER,
 *   signature BIT STRING, timeStamp [0] EXPLICIT BIT STRING OPTIONAL } */
typedef struct korvu_gb_ses_signature_st {
  KORVU_GB_SES_TBSSIGN *toSign;    /**< TBS_Sign (418) */
  KORVU_ASN1_OCTETSTRING *cert;    /**< OCTET STRING (4) */
  KORVU_ASN1_OID *signatureAlgID;  /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_BITSTRING *signature; /**< BIT STRING (3) */
  KORVU_ASN1_BITSTRING *timeStamp; /**< null when absent */
} KORVU_GB_SES_SIGNATURE;

/* ---- constructors ------------------------------------------------------------------------------------- */
/** A new ExtData (402) of copies of the arguments, in component order; null when a required one is null or
 * building fails. A null critical gives FALSE. */
KORVU_API KORVU_SES_EXTDATA *korvu_ses_extdata_new(const KORVU_ASN1_OID *extn_id, const KORVU_ASN1_BOOLEAN *critical,
                                                  const KORVU_ASN1_OCTETSTRING *extn_value);
/** A new SES_Header (404) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SES_HEADER *korvu_ses_header_new(const KORVU_ASN1_STRING *id, const KORVU_ASN1_INTEGER *version,
                                                const KORVU_ASN1_STRING *vid);
/** A new SES_ESPropertyInfo (405) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_SES_ESPROPERTYINFO *korvu_ses_espropertyinfo_new(
    const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const KORVU_ASN1_LIST *cert_list,
    const KORVU_ASN1_TIME *create_date, const KORVU_ASN1_TIME *valid_start, const KORVU_ASN1_TIME *valid_end);
/** A new SES_ESPictureInfo (406) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_SES_ESPICTUREINFO *korvu_ses_espictureinfo_new(const KORVU_ASN1_STRING *type,
                                                              const KORVU_ASN1_OCTETSTRING *data,
                                                              const KORVU_ASN1_INTEGER *width,
                                                              const KORVU_ASN1_INTEGER *height);
/** A new SES_SealInfo (407) of copies of the arguments, in component order; null when a required one is null or
 * building fails. extDatas may be null. */
KORVU_API KORVU_SES_SEALINFO *korvu_ses_sealinfo_new(const KORVU_SES_HEADER *header, const KORVU_ASN1_STRING *es_id,
                                                    const KORVU_SES_ESPROPERTYINFO *property,
                                                    const KORVU_SES_ESPICTUREINFO *picture,
                                                    const KORVU_ASN1_LIST *ext_datas);
/** A new SES_SignInfo (408) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SES_SIGNINFO *korvu_ses_signinfo_new(const KORVU_ASN1_OCTETSTRING *cert,
                                                    const KORVU_ASN1_OID *signature_algorithm,
                                                    const KORVU_ASN1_BITSTRING *sign_data);
/** A new SeSealTbs (409) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SES_SESEALTBS *korvu_ses_sesealtbs_new(const KORVU_SES_SEALINFO *eseal_info,
                                                      const KORVU_ASN1_OCTETSTRING *cert,
                                                      const KORVU_ASN1_OID *signature_algorithm);
/** A new SeSeal (410) of copies of the arguments, in component order; null when a required one is null or building
 * fails. */
KORVU_API KORVU_SES_SESEAL *korvu_ses_seseal_new(const KORVU_SES_SEALINFO *eseal_info,
                                                const KORVU_SES_SIGNINFO *sign_info);
/** A new TBS_Sign (411) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SES_TBSSIGN *korvu_ses_tbssign_new(const KORVU_ASN1_INTEGER *version, const KORVU_SES_SESEAL *eseal,
                                                  const KORVU_ASN1_BITSTRING *time_info,
                                                  const KORVU_ASN1_BITSTRING *data_hash,
                                                  const KORVU_ASN1_STRING *property_info,
                                                  const KORVU_ASN1_OCTETSTRING *cert,
                                                  const KORVU_ASN1_OID *signature_algorithm);
/** A new SES_Signature (412) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SES_SIGNATURE *korvu_ses_signature_new(const KORVU_SES_TBSSIGN *to_sign,
                                                      const KORVU_ASN1_BITSTRING *signature);
/** A new CertDigestObj (413) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_SES_CERTDIGESTOBJ *korvu_ses_certdigestobj_new(const KORVU_ASN1_STRING *type,
                                                              const KORVU_ASN1_OCTETSTRING *value);
/** A new SES_ESPropertyInfo (415) of copies of the arguments, in component order; null when a required one is null
 * or building fails. certListType 1: cert_list is a SEQUENCE OF OCTET STRING (250). */
KORVU_API KORVU_GB_SES_ESPROPERTYINFO *korvu_gb_ses_espropertyinfo_newcert(
    const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const KORVU_ASN1_LIST *cert_list,
    const KORVU_ASN1_TIME *create_date, const KORVU_ASN1_TIME *valid_start, const KORVU_ASN1_TIME *valid_end);
/** A new SES_ESPropertyInfo (415) of copies of the arguments, in component order; null when a required one is null
 * or building fails. certListType 2: cert_digest_list is a CertDigestList (414). */
KORVU_API KORVU_GB_SES_ESPROPERTYINFO *korvu_gb_ses_espropertyinfo_newcertdigest(
    const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const KORVU_ASN1_LIST *cert_digest_list,
    const KORVU_ASN1_TIME *create_date, const KORVU_ASN1_TIME *valid_start, const KORVU_ASN1_TIME *valid_end);
/** A new SES_SealInfo (416) of copies of the arguments, in component order; null when a required one is null or
 * building fails. extDatas may be null. */
KORVU_API KORVU_GB_SES_SEALINFO *korvu_gb_ses_sealinfo_new(const KORVU_SES_HEADER *header,
                                                          const KORVU_ASN1_STRING *es_id,
                                                          const KORVU_GB_SES_ESPROPERTYINFO *property,
                                                          const KORVU_SES_ESPICTUREINFO *picture,
                                                          const KORVU_ASN1_LIST *ext_datas);
/** A new SES_Seal (417) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_GB_SES_SEAL *korvu_gb_ses_seal_new(const KORVU_GB_SES_SEALINFO *eseal_info,
                                                  const KORVU_ASN1_OCTETSTRING *cert,
                                                  const KORVU_ASN1_OID *sign_alg_id,
                                                  const KORVU_ASN1_BITSTRING *signed_value);
/** A new TBS_Sign (418) of copies of the arguments, in component order; null when a required one is null or
 * building fails. extDatas may be null. */
KORVU_API KORVU_GB_SES_TBSSIGN *korvu_gb_ses_tbssign_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_GB_SES_SEAL *eseal,
                                                        const KORVU_ASN1_TIME *time_info,
                                                        const KORVU_ASN1_BITSTRING *data_hash,
                                                        const KORVU_ASN1_STRING *property_info,
                                                        const KORVU_ASN1_LIST *ext_datas);
/** A new SES_Signature (419) of copies of the arguments, in component order; null when a required one is null or
 * building fails. timeStamp may be null. */
KORVU_API KORVU_GB_SES_SIGNATURE *korvu_gb_ses_signature_new(const KORVU_GB_SES_TBSSIGN *to_sign,
                                                            const KORVU_ASN1_OCTETSTRING *cert,
                                                            const KORVU_ASN1_OID *signature_alg_id,
                                                            const KORVU_ASN1_BITSTRING *signature,
                                                            const KORVU_ASN1_BITSTRING *time_stamp);

/* ---- getters: borrowed components, null for a null record or an absent component ---------------------------- */
/** The record's `extnID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ses_extdata_getextnid(const KORVU_SES_EXTDATA *v);
/** The record's `critical` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ses_extdata_getcritical(const KORVU_SES_EXTDATA *v);
/** The record's `extnValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_extdata_getextnvalue(const KORVU_SES_EXTDATA *v);

/** The record's `ID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ses_header_getid(const KORVU_SES_HEADER *v);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ses_header_geversion(const KORVU_SES_HEADER *v);
/** The record's `Vid` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ses_header_getvid(const KORVU_SES_HEADER *v);

/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ses_espropertyinfo_gettype(const KORVU_SES_ESPROPERTYINFO *v);
/** The record's `name` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ses_espropertyinfo_getname(const KORVU_SES_ESPROPERTYINFO *v);
/** The record's `certList` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ses_espropertyinfo_getcertlist(const KORVU_SES_ESPROPERTYINFO *v);
/** The record's `createDate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_ses_espropertyinfo_getcreatedate(const KORVU_SES_ESPROPERTYINFO *v);
/** The record's `validStart` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_ses_espropertyinfo_getvalidstart(const KORVU_SES_ESPROPERTYINFO *v);
/** The record's `validEnd` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_ses_espropertyinfo_getvalidend(const KORVU_SES_ESPROPERTYINFO *v);

/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ses_espictureinfo_gettype(const KORVU_SES_ESPICTUREINFO *v);
/** The record's `data` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_espictureinfo_getdata(const KORVU_SES_ESPICTUREINFO *v);
/** The record's `width` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ses_espictureinfo_getwidth(const KORVU_SES_ESPICTUREINFO *v);
/** The record's `height` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ses_espictureinfo_getheigth(const KORVU_SES_ESPICTUREINFO *v);

/** The record's `header` (not a copy), null for a null record. */
KORVU_API KORVU_SES_HEADER *korvu_ses_sealinfo_getheader(const KORVU_SES_SEALINFO *v);
/** The record's `esID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ses_sealinfo_getesid(const KORVU_SES_SEALINFO *v);
/** The record's `property` (not a copy), null for a null record. */
KORVU_API KORVU_SES_ESPROPERTYINFO *korvu_ses_sealinfo_getproperty(const KORVU_SES_SEALINFO *v);
/** The record's `picture` (not a copy), null for a null record. */
KORVU_API KORVU_SES_ESPICTUREINFO *korvu_ses_sealinfo_getpicture(const KORVU_SES_SEALINFO *v);
/** The record's `extDatas` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ses_sealinfo_getextdatas(const KORVU_SES_SEALINFO *v);

/** The record's `cert` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_signinfo_getcert(const KORVU_SES_SIGNINFO *v);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ses_signinfo_getsignaturealgorithm(const KORVU_SES_SIGNINFO *v);
/** The record's `signData` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ses_signinfo_getsigndata(const KORVU_SES_SIGNINFO *v);

/** The record's `esealInfo` (not a copy), null for a null record. */
KORVU_API KORVU_SES_SEALINFO *korvu_ses_sesealtbs_getesealinfo(const KORVU_SES_SESEALTBS *v);
/** The record's `cert` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_sesealtbs_getcert(const KORVU_SES_SESEALTBS *v);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ses_sesealtbs_getsignaturealgorithm(const KORVU_SES_SESEALTBS *v);

/** The record's `esealInfo` (not a copy), null for a null record. */
KORVU_API KORVU_SES_SEALINFO *korvu_ses_seseal_getesealinfo(const KORVU_SES_SESEAL *v);
/** The record's `signInfo` (not a copy), null for a null record. */
KORVU_API KORVU_SES_SIGNINFO *korvu_ses_seseal_getsigninfo(const KORVU_SES_SESEAL *v);

/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ses_tbssign_getversion(const KORVU_SES_TBSSIGN *v);
/** The record's `eseal` (not a copy), null for a null record. */
KORVU_API KORVU_SES_SESEAL *korvu_ses_tbssign_geteseal(const KORVU_SES_TBSSIGN *v);
/** The record's `timeInfo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ses_tbssign_gettimeinfo(const KORVU_SES_TBSSIGN *v);
/** The record's `dataHash` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ses_tbssign_getdatahash(const KORVU_SES_TBSSIGN *v);
/** The record's `propertyInfo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ses_tbssign_getpropertyinfo(const KORVU_SES_TBSSIGN *v);
/** The record's `cert` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_tbssign_getcert(const KORVU_SES_TBSSIGN *v);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ses_tbssign_getsignaturealgorithm(const KORVU_SES_TBSSIGN *v);

/** The record's `toSign` (not a copy), null for a null record. */
KORVU_API KORVU_SES_TBSSIGN *korvu_ses_signature_gettosign(const KORVU_SES_SIGNATURE *v);
/** The record's `signature` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_ses_signature_getsignature(const KORVU_SES_SIGNATURE *v);

/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ses_certdigestobj_gettype(const KORVU_SES_CERTDIGESTOBJ *v);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_certdigestobj_getvalue(const KORVU_SES_CERTDIGESTOBJ *v);

/** The record's `type` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_gb_ses_espropertyinfo_gettype(const KORVU_GB_SES_ESPROPERTYINFO *v);
/** The record's `name` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_gb_ses_espropertyinfo_getname(const KORVU_GB_SES_ESPROPERTYINFO *v);
/** 1 (certificates) or 2 (certificate digests); 0xFFFFFFFF for a null record. */
KORVU_API uint32_t korvu_gb_ses_espropertyinfo_getcertlistype(const KORVU_GB_SES_ESPROPERTYINFO *v);
/** The SEQUENCE OF OCTET STRING when certListType is 1, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_espropertyinfo_getcertlist(const KORVU_GB_SES_ESPROPERTYINFO *v);
/** The CertDigestList when certListType is 2, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_espropertyinfo_getcertdigestlist(const KORVU_GB_SES_ESPROPERTYINFO *v);
/** The record's `createDate` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_gb_ses_espropertyinfo_getcreatedate(const KORVU_GB_SES_ESPROPERTYINFO *v);
/** The record's `validStart` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_gb_ses_espropertyinfo_getvalidstart(const KORVU_GB_SES_ESPROPERTYINFO *v);
/** The record's `validEnd` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_gb_ses_espropertyinfo_getvalidend(const KORVU_GB_SES_ESPROPERTYINFO *v);

/** The record's `header` (not a copy), null for a null record. */
KORVU_API KORVU_SES_HEADER *korvu_gb_ses_sealinfo_getheader(const KORVU_GB_SES_SEALINFO *v);
/** The record's `esID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_gb_ses_sealinfo_getesid(const KORVU_GB_SES_SEALINFO *v);
/** The record's `property` (not a copy), null for a null record. */
KORVU_API KORVU_GB_SES_ESPROPERTYINFO *korvu_gb_ses_sealinfo_getproperty(const KORVU_GB_SES_SEALINFO *v);
/** The record's `picture` (not a copy), null for a null record. */
KORVU_API KORVU_SES_ESPICTUREINFO *korvu_gb_ses_sealinfo_getpicture(const KORVU_GB_SES_SEALINFO *v);
/** The record's `extDatas` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_sealinfo_getextdatas(const KORVU_GB_SES_SEALINFO *v);

/** The record's `esealInfo` (not a copy), null for a null record. */
KORVU_API KORVU_GB_SES_SEALINFO *korvu_gb_ses_seal_getesealinfo(const KORVU_GB_SES_SEAL *v);
/** The record's `cert` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_gb_ses_seal_getcert(const KORVU_GB_SES_SEAL *v);
/** The record's `signAlgID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_gb_ses_seal_getsignalgid(const KORVU_GB_SES_SEAL *v);
/** The record's `signedValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_gb_ses_seal_getsignedvalue(const KORVU_GB_SES_SEAL *v);

/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_gb_ses_tbssign_getversion(const KORVU_GB_SES_TBSSIGN *v);
/** The record's `eseal` (not a copy), null for a null record. */
KORVU_API KORVU_GB_SES_SEAL *korvu_gb_ses_tbssign_geteseal(const KORVU_GB_SES_TBSSIGN *v);
/** The record's `timeInfo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_gb_ses_tbssign_gettimeinfo(const KORVU_GB_SES_TBSSIGN *v);
/** The record's `dataHash` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_gb_ses_tbssign_getdatahash(const KORVU_GB_SES_TBSSIGN *v);
/** The record's `propertyInfo` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_STRING *korvu_ses_gb_tbssign_getpropertyinfo(const KORVU_GB_SES_TBSSIGN *v);
/** The record's `extDatas` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_tbssign_getextdatas(const KORVU_GB_SES_TBSSIGN *v);

/** The record's `toSign` (not a copy), null for a null record. */
KORVU_API KORVU_GB_SES_TBSSIGN *korvu_gb_ses_signature_gettosign(const KORVU_GB_SES_SIGNATURE *v);
/** The record's `cert` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_gb_ses_signature_getcert(const KORVU_GB_SES_SIGNATURE *v);
/** The record's `signatureAlgID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_gb_ses_signature_getsignaturealgid(const KORVU_GB_SES_SIGNATURE *v);
/** The record's `signature` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_gb_ses_signature_getsignature(const KORVU_GB_SES_SIGNATURE *v);
/** The record's `timeStamp` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_gb_ses_signature_gettimestamp(const KORVU_GB_SES_SIGNATURE *v);

#ifdef __cplusplus
}
#endif
#endif /* KORVU_SEAL_H */
