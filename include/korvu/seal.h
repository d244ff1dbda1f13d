/* KORVU ASN.1: Chinese electronic seals and seal signatures in two editions, GM/T 0031-2014 (korvu_ses_) and
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
/* ExtData (402) ::= SEQUENCE { extnID OBJECT IDENTIFIER, critical BOOLEAN DEFAULT FALSE, extnValue OCTET STRING }
 * ExtDatas (403) ::= SEQUENCE OF ExtData (a KORVU_ASN1_LIST). */
typedef struct korvu_ses_extdata_st {
  KORVU_ASN1_OID *extnID;
  KORVU_ASN1_BOOLEAN *critical; /* never null */
  KORVU_ASN1_OCTETSTRING *extnValue;
} KORVU_SES_EXTDATA;

/* SES_Header (404) ::= SEQUENCE { ID IA5String, version INTEGER, Vid IA5String } */
typedef struct korvu_ses_header_st {
  KORVU_ASN1_STRING *ID;
  KORVU_ASN1_INTEGER *version;
  KORVU_ASN1_STRING *Vid;
} KORVU_SES_HEADER;

/* SES_ESPictureInfo (406) ::= SEQUENCE { type IA5String, data OCTET STRING, width INTEGER, height INTEGER } */
typedef struct korvu_ses_espictureinfo_st {
  KORVU_ASN1_STRING *type;
  KORVU_ASN1_OCTETSTRING *data;
  KORVU_ASN1_INTEGER *width;
  KORVU_ASN1_INTEGER *height;
} KORVU_SES_ESPICTUREINFO;

/* CertDigestObj (413) ::= SEQUENCE { type PrintableString, value OCTET STRING }
 * CertDigestList (414) ::= SEQUENCE OF CertDigestObj; the certificates of a seal (250) are a SEQUENCE OF
 * OCTET STRING, each holding one certificate's DER (both KORVU_ASN1_LIST). */
typedef struct korvu_ses_certdigestobj_st {
  KORVU_ASN1_STRING *type;
  KORVU_ASN1_OCTETSTRING *value;
} KORVU_SES_CERTDIGESTOBJ;

/* ---- GM/T 0031-2014 ----------------------------------------------------------------------------------- */
/* SES_ESPropertyInfo (405) ::= SEQUENCE { type INTEGER, name UTF8String, certList SEQUENCE OF OCTET STRING,
 *   createDate UTCTime, validStart UTCTime, validEnd UTCTime } */
typedef struct korvu_ses_espropertyinfo_st {
  KORVU_ASN1_INTEGER *type;
  KORVU_ASN1_STRING *name;
  KORVU_ASN1_LIST *certList;
  KORVU_ASN1_TIME *createDate;
  KORVU_ASN1_TIME *validStart;
  KORVU_ASN1_TIME *validEnd;
} KORVU_SES_ESPROPERTYINFO;

/* SES_SealInfo (407) ::= SEQUENCE { header SES_Header, esID IA5String, property SES_ESPropertyInfo,
 *   picture SES_ESPictureInfo, extDatas ExtDatas OPTIONAL } */
typedef struct korvu_ses_sealinfo_st {
  KORVU_SES_HEADER *header;
  KORVU_ASN1_STRING *esID;
  KORVU_SES_ESPROPERTYINFO *property;
  KORVU_SES_ESPICTUREINFO *picture;
  KORVU_ASN1_LIST *extDatas; /* null when absent */
} KORVU_SES_SEALINFO;

/* SES_SignInfo (408) ::= SEQUENCE { cert OCTET STRING, signatureAlgorithm OBJECT IDENTIFIER, signData BIT STRING } */
typedef struct korvu_ses_signinfo_st {
  KORVU_ASN1_OCTETSTRING *cert;
  KORVU_ASN1_OID *signatureAlgorithm;
  KORVU_ASN1_BITSTRING *signData;
} KORVU_SES_SIGNINFO;

/* SeSealTbs (409), the signed part of a seal ::= SEQUENCE { esealInfo SES_SealInfo, cert OCTET STRING,
 *   signatureAlgorithm OBJECT IDENTIFIER } */
typedef struct korvu_ses_sesealtbs_st {
  KORVU_SES_SEALINFO *esealInfo;
  KORVU_ASN1_OCTETSTRING *cert;
  KORVU_ASN1_OID *signatureAlgorithm;
} KORVU_SES_SESEALTBS;

/* SeSeal (410) ::= SEQUENCE { esealInfo SES_SealInfo, signInfo SES_SignInfo } */
typedef struct korvu_ses_seseal_st {
  KORVU_SES_SEALINFO *esealInfo;
  KORVU_SES_SIGNINFO *signInfo;
} KORVU_SES_SESEAL;

/* TBS_Sign (411) ::= SEQUENCE { version INTEGER, eseal SeSeal, timeInfo BIT STRING, dataHash BIT STRING,
 *   propertyInfo IA5String, cert OCTET STRING, signatureAlgorithm OBJECT IDENTIFIER } */
typedef struct korvu_ses_tbssign_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_SES_SESEAL *eseal;
  KORVU_ASN1_BITSTRING *timeInfo;
  KORVU_ASN1_BITSTRING *dataHash;
  KORVU_ASN1_STRING *propertyInfo;
  KORVU_ASN1_OCTETSTRING *cert;
  KORVU_ASN1_OID *signatureAlgorithm;
} KORVU_SES_TBSSIGN;

/* SES_Signature (412) ::= SEQUENCE { toSign TBS_Sign, signature BIT STRING } */
typedef struct korvu_ses_signature_st {
  KORVU_SES_TBSSIGN *toSign;
  KORVU_ASN1_BITSTRING *signature;
} KORVU_SES_SIGNATURE;

/* ---- GB/T 38540-2020 ---------------------------------------------------------------------------------- */
/* SES_ESPropertyInfo (415) ::= SEQUENCE { type INTEGER, name UTF8String, certListType INTEGER, certList
 *   CHOICE { certs SEQUENCE OF OCTET STRING, certDigestList CertDigestList }, createDate GeneralizedTime,
 *   validStart GeneralizedTime, validEnd GeneralizedTime }
 * certListType is held as a number: 1 when certList is a SEQUENCE OF OCTET STRING (250), 2 when it is a
 * CertDigestList (414). Decoding refuses any other value ("invalid ses certlist type"), and so do measuring
 * and encoding a record that holds one. */
typedef struct korvu_gb_ses_espropertyinfo_st {
  KORVU_ASN1_INTEGER *type;
  KORVU_ASN1_STRING *name;
  uint32_t certListType;
  KORVU_ASN1_LIST *certList;
  KORVU_ASN1_TIME *createDate;
  KORVU_ASN1_TIME *validStart;
  KORVU_ASN1_TIME *validEnd;
} KORVU_GB_SES_ESPROPERTYINFO;

/* SES_SealInfo (416): as 407 with the property record of this edition. */
typedef struct korvu_gb_ses_sealinfo_st {
  KORVU_SES_HEADER *header;
  KORVU_ASN1_STRING *esID;
  KORVU_GB_SES_ESPROPERTYINFO *property;
  KORVU_SES_ESPICTUREINFO *picture;
  KORVU_ASN1_LIST *extDatas; /* null when absent */
} KORVU_GB_SES_SEALINFO;

/* SES_Seal (417) ::= SEQUENCE { esealInfo SES_SealInfo, cert OCTET STRING, signAlgID OBJECT IDENTIFIER,
 *   signedValue BIT STRING } */
typedef struct korvu_gb_ses_seal_st {
  KORVU_GB_SES_SEALINFO *esealInfo;
  KORVU_ASN1_OCTETSTRING *cert;
  KORVU_ASN1_OID *signAlgID;
  KORVU_ASN1_BITSTRING *signedValue;
} KORVU_GB_SES_SEAL;

/* TBS_Sign (418) ::= SEQUENCE { version INTEGER, eseal SES_Seal, timeInfo GeneralizedTime, dataHash BIT STRING,
 *   propertyInfo IA5String, extDatas [0] EXPLICIT ExtDatas OPTIONAL } */
typedef struct korvu_gb_ses_tbssign_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_GB_SES_SEAL *eseal;
  KORVU_ASN1_TIME *timeInfo;
  KORVU_ASN1_BITSTRING *dataHash;
  KORVU_ASN1_STRING *propertyInfo;
  KORVU_ASN1_LIST *extDatas; /* null when absent */
} KORVU_GB_SES_TBSSIGN;

/* SES_Signature (419) ::= SEQUENCE { toSign TBS_Sign, cert OCTET STRING, signatureAlgID OBJECT IDENTIFIER,
 *   signature BIT STRING, timeStamp [0] EXPLICIT BIT STRING OPTIONAL } */
typedef struct korvu_gb_ses_signature_st {
  KORVU_GB_SES_TBSSIGN *toSign;
  KORVU_ASN1_OCTETSTRING *cert;
  KORVU_ASN1_OID *signatureAlgID;
  KORVU_ASN1_BITSTRING *signature;
  KORVU_ASN1_BITSTRING *timeStamp; /* null when absent */
} KORVU_GB_SES_SIGNATURE;

/* ---- constructors ------------------------------------------------------------------------------------- */
/* A null critical gives FALSE. */
KORVU_API KORVU_SES_EXTDATA *korvu_ses_extdata_new(const KORVU_ASN1_OID *extn_id, const KORVU_ASN1_BOOLEAN *critical,
                                                  const KORVU_ASN1_OCTETSTRING *extn_value);
KORVU_API KORVU_SES_HEADER *korvu_ses_header_new(const KORVU_ASN1_STRING *id, const KORVU_ASN1_INTEGER *version,
                                                const KORVU_ASN1_STRING *vid);
KORVU_API KORVU_SES_ESPROPERTYINFO *korvu_ses_espropertyinfo_new(
    const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const KORVU_ASN1_LIST *cert_list,
    const KORVU_ASN1_TIME *create_date, const KORVU_ASN1_TIME *valid_start, const KORVU_ASN1_TIME *valid_end);
KORVU_API KORVU_SES_ESPICTUREINFO *korvu_ses_espictureinfo_new(const KORVU_ASN1_STRING *type,
                                                              const KORVU_ASN1_OCTETSTRING *data,
                                                              const KORVU_ASN1_INTEGER *width,
                                                              const KORVU_ASN1_INTEGER *height);
/* extDatas may be null. */
KORVU_API KORVU_SES_SEALINFO *korvu_ses_sealinfo_new(const KORVU_SES_HEADER *header, const KORVU_ASN1_STRING *es_id,
                                                    const KORVU_SES_ESPROPERTYINFO *property,
                                                    const KORVU_SES_ESPICTUREINFO *picture,
                                                    const KORVU_ASN1_LIST *ext_datas);
KORVU_API KORVU_SES_SIGNINFO *korvu_ses_signinfo_new(const KORVU_ASN1_OCTETSTRING *cert,
                                                    const KORVU_ASN1_OID *signature_algorithm,
                                                    const KORVU_ASN1_BITSTRING *sign_data);
KORVU_API KORVU_SES_SESEALTBS *korvu_ses_sesealtbs_new(const KORVU_SES_SEALINFO *eseal_info,
                                                      const KORVU_ASN1_OCTETSTRING *cert,
                                                      const KORVU_ASN1_OID *signature_algorithm);
KORVU_API KORVU_SES_SESEAL *korvu_ses_seseal_new(const KORVU_SES_SEALINFO *eseal_info,
                                                const KORVU_SES_SIGNINFO *sign_info);
KORVU_API KORVU_SES_TBSSIGN *korvu_ses_tbssign_new(const KORVU_ASN1_INTEGER *version, const KORVU_SES_SESEAL *eseal,
                                                  const KORVU_ASN1_BITSTRING *time_info,
                                                  const KORVU_ASN1_BITSTRING *data_hash,
                                                  const KORVU_ASN1_STRING *property_info,
                                                  const KORVU_ASN1_OCTETSTRING *cert,
                                                  const KORVU_ASN1_OID *signature_algorithm);
KORVU_API KORVU_SES_SIGNATURE *korvu_ses_signature_new(const KORVU_SES_TBSSIGN *to_sign,
                                                      const KORVU_ASN1_BITSTRING *signature);
KORVU_API KORVU_SES_CERTDIGESTOBJ *korvu_ses_certdigestobj_new(const KORVU_ASN1_STRING *type,
                                                              const KORVU_ASN1_OCTETSTRING *value);
/* certListType 1: cert_list is a SEQUENCE OF OCTET STRING (250). */
KORVU_API KORVU_GB_SES_ESPROPERTYINFO *korvu_gb_ses_espropertyinfo_newcert(
    const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const KORVU_ASN1_LIST *cert_list,
    const KORVU_ASN1_TIME *create_date, const KORVU_ASN1_TIME *valid_start, const KORVU_ASN1_TIME *valid_end);
/* certListType 2: cert_digest_list is a CertDigestList (414). */
KORVU_API KORVU_GB_SES_ESPROPERTYINFO *korvu_gb_ses_espropertyinfo_newcertdigest(
    const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const KORVU_ASN1_LIST *cert_digest_list,
    const KORVU_ASN1_TIME *create_date, const KORVU_ASN1_TIME *valid_start, const KORVU_ASN1_TIME *valid_end);
/* extDatas may be null. */
KORVU_API KORVU_GB_SES_SEALINFO *korvu_gb_ses_sealinfo_new(const KORVU_SES_HEADER *header,
                                                          const KORVU_ASN1_STRING *es_id,
                                                          const KORVU_GB_SES_ESPROPERTYINFO *property,
                                                          const KORVU_SES_ESPICTUREINFO *picture,
                                                          const KORVU_ASN1_LIST *ext_datas);
KORVU_API KORVU_GB_SES_SEAL *korvu_gb_ses_seal_new(const KORVU_GB_SES_SEALINFO *eseal_info,
                                                  const KORVU_ASN1_OCTETSTRING *cert,
                                                  const KORVU_ASN1_OID *sign_alg_id,
                                                  const KORVU_ASN1_BITSTRING *signed_value);
/* extDatas may be null. */
KORVU_API KORVU_GB_SES_TBSSIGN *korvu_gb_ses_tbssign_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_GB_SES_SEAL *eseal,
                                                        const KORVU_ASN1_TIME *time_info,
                                                        const KORVU_ASN1_BITSTRING *data_hash,
                                                        const KORVU_ASN1_STRING *property_info,
                                                        const KORVU_ASN1_LIST *ext_datas);
/* timeStamp may be null. */
KORVU_API KORVU_GB_SES_SIGNATURE *korvu_gb_ses_signature_new(const KORVU_GB_SES_TBSSIGN *to_sign,
                                                            const KORVU_ASN1_OCTETSTRING *cert,
                                                            const KORVU_ASN1_OID *signature_alg_id,
                                                            const KORVU_ASN1_BITSTRING *signature,
                                                            const KORVU_ASN1_BITSTRING *time_stamp);

/* ---- getters: borrowed components, null for a null record or an absent component ---------------------------- */
KORVU_API KORVU_ASN1_OID *korvu_ses_extdata_getextnid(const KORVU_SES_EXTDATA *v);
KORVU_API KORVU_ASN1_BOOLEAN *korvu_ses_extdata_getcritical(const KORVU_SES_EXTDATA *v);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_extdata_getextnvalue(const KORVU_SES_EXTDATA *v);

KORVU_API KORVU_ASN1_STRING *korvu_ses_header_getid(const KORVU_SES_HEADER *v);
KORVU_API KORVU_ASN1_INTEGER *korvu_ses_header_geversion(const KORVU_SES_HEADER *v);
KORVU_API KORVU_ASN1_STRING *korvu_ses_header_getvid(const KORVU_SES_HEADER *v);

KORVU_API KORVU_ASN1_INTEGER *korvu_ses_espropertyinfo_gettype(const KORVU_SES_ESPROPERTYINFO *v);
KORVU_API KORVU_ASN1_STRING *korvu_ses_espropertyinfo_getname(const KORVU_SES_ESPROPERTYINFO *v);
KORVU_API KORVU_ASN1_LIST *korvu_ses_espropertyinfo_getcertlist(const KORVU_SES_ESPROPERTYINFO *v);
KORVU_API KORVU_ASN1_TIME *korvu_ses_espropertyinfo_getcreatedate(const KORVU_SES_ESPROPERTYINFO *v);
KORVU_API KORVU_ASN1_TIME *korvu_ses_espropertyinfo_getvalidstart(const KORVU_SES_ESPROPERTYINFO *v);
KORVU_API KORVU_ASN1_TIME *korvu_ses_espropertyinfo_getvalidend(const KORVU_SES_ESPROPERTYINFO *v);

KORVU_API KORVU_ASN1_STRING *korvu_ses_espictureinfo_gettype(const KORVU_SES_ESPICTUREINFO *v);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_espictureinfo_getdata(const KORVU_SES_ESPICTUREINFO *v);
KORVU_API KORVU_ASN1_INTEGER *korvu_ses_espictureinfo_getwidth(const KORVU_SES_ESPICTUREINFO *v);
KORVU_API KORVU_ASN1_INTEGER *korvu_ses_espictureinfo_getheigth(const KORVU_SES_ESPICTUREINFO *v);

KORVU_API KORVU_SES_HEADER *korvu_ses_sealinfo_getheader(const KORVU_SES_SEALINFO *v);
KORVU_API KORVU_ASN1_STRING *korvu_ses_sealinfo_getesid(const KORVU_SES_SEALINFO *v);
KORVU_API KORVU_SES_ESPROPERTYINFO *korvu_ses_sealinfo_getproperty(const KORVU_SES_SEALINFO *v);
KORVU_API KORVU_SES_ESPICTUREINFO *korvu_ses_sealinfo_getpicture(const KORVU_SES_SEALINFO *v);
KORVU_API KORVU_ASN1_LIST *korvu_ses_sealinfo_getextdatas(const KORVU_SES_SEALINFO *v);

KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_signinfo_getcert(const KORVU_SES_SIGNINFO *v);
KORVU_API KORVU_ASN1_OID *korvu_ses_signinfo_getsignaturealgorithm(const KORVU_SES_SIGNINFO *v);
KORVU_API KORVU_ASN1_BITSTRING *korvu_ses_signinfo_getsigndata(const KORVU_SES_SIGNINFO *v);

KORVU_API KORVU_SES_SEALINFO *korvu_ses_sesealtbs_getesealinfo(const KORVU_SES_SESEALTBS *v);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_sesealtbs_getcert(const KORVU_SES_SESEALTBS *v);
KORVU_API KORVU_ASN1_OID *korvu_ses_sesealtbs_getsignaturealgorithm(const KORVU_SES_SESEALTBS *v);

KORVU_API KORVU_SES_SEALINFO *korvu_ses_seseal_getesealinfo(const KORVU_SES_SESEAL *v);
KORVU_API KORVU_SES_SIGNINFO *korvu_ses_seseal_getsigninfo(const KORVU_SES_SESEAL *v);

KORVU_API KORVU_ASN1_INTEGER *korvu_ses_tbssign_getversion(const KORVU_SES_TBSSIGN *v);
KORVU_API KORVU_SES_SESEAL *korvu_ses_tbssign_geteseal(const KORVU_SES_TBSSIGN *v);
KORVU_API KORVU_ASN1_BITSTRING *korvu_ses_tbssign_gettimeinfo(const KORVU_SES_TBSSIGN *v);
KORVU_API KORVU_ASN1_BITSTRING *korvu_ses_tbssign_getdatahash(const KORVU_SES_TBSSIGN *v);
KORVU_API KORVU_ASN1_STRING *korvu_ses_tbssign_getpropertyinfo(const KORVU_SES_TBSSIGN *v);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_tbssign_getcert(const KORVU_SES_TBSSIGN *v);
KORVU_API KORVU_ASN1_OID *korvu_ses_tbssign_getsignaturealgorithm(const KORVU_SES_TBSSIGN *v);

KORVU_API KORVU_SES_TBSSIGN *korvu_ses_signature_gettosign(const KORVU_SES_SIGNATURE *v);
KORVU_API KORVU_ASN1_BITSTRING *korvu_ses_signature_getsignature(const KORVU_SES_SIGNATURE *v);

KORVU_API KORVU_ASN1_STRING *korvu_ses_certdigestobj_gettype(const KORVU_SES_CERTDIGESTOBJ *v);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ses_certdigestobj_getvalue(const KORVU_SES_CERTDIGESTOBJ *v);

KORVU_API KORVU_ASN1_INTEGER *korvu_gb_ses_espropertyinfo_gettype(const KORVU_GB_SES_ESPROPERTYINFO *v);
KORVU_API KORVU_ASN1_STRING *korvu_gb_ses_espropertyinfo_getname(const KORVU_GB_SES_ESPROPERTYINFO *v);
/* 1 (certificates) or 2 (certificate digests); 0xFFFFFFFF for a null record. */
KORVU_API uint32_t korvu_gb_ses_espropertyinfo_getcertlistype(const KORVU_GB_SES_ESPROPERTYINFO *v);
/* The SEQUENCE OF OCTET STRING when certListType is 1, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_espropertyinfo_getcertlist(const KORVU_GB_SES_ESPROPERTYINFO *v);
/* The CertDigestList when certListType is 2, else null. */
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_espropertyinfo_getcertdigestlist(const KORVU_GB_SES_ESPROPERTYINFO *v);
KORVU_API KORVU_ASN1_TIME *korvu_gb_ses_espropertyinfo_getcreatedate(const KORVU_GB_SES_ESPROPERTYINFO *v);
KORVU_API KORVU_ASN1_TIME *korvu_gb_ses_espropertyinfo_getvalidstart(const KORVU_GB_SES_ESPROPERTYINFO *v);
KORVU_API KORVU_ASN1_TIME *korvu_gb_ses_espropertyinfo_getvalidend(const KORVU_GB_SES_ESPROPERTYINFO *v);

KORVU_API KORVU_SES_HEADER *korvu_gb_ses_sealinfo_getheader(const KORVU_GB_SES_SEALINFO *v);
KORVU_API KORVU_ASN1_STRING *korvu_gb_ses_sealinfo_getesid(const KORVU_GB_SES_SEALINFO *v);
KORVU_API KORVU_GB_SES_ESPROPERTYINFO *korvu_gb_ses_sealinfo_getproperty(const KORVU_GB_SES_SEALINFO *v);
KORVU_API KORVU_SES_ESPICTUREINFO *korvu_gb_ses_sealinfo_getpicture(const KORVU_GB_SES_SEALINFO *v);
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_sealinfo_getextdatas(const KORVU_GB_SES_SEALINFO *v);

KORVU_API KORVU_GB_SES_SEALINFO *korvu_gb_ses_seal_getesealinfo(const KORVU_GB_SES_SEAL *v);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_gb_ses_seal_getcert(const KORVU_GB_SES_SEAL *v);
KORVU_API KORVU_ASN1_OID *korvu_gb_ses_seal_getsignalgid(const KORVU_GB_SES_SEAL *v);
KORVU_API KORVU_ASN1_BITSTRING *korvu_gb_ses_seal_getsignedvalue(const KORVU_GB_SES_SEAL *v);

KORVU_API KORVU_ASN1_INTEGER *korvu_gb_ses_tbssign_getversion(const KORVU_GB_SES_TBSSIGN *v);
KORVU_API KORVU_GB_SES_SEAL *korvu_gb_ses_tbssign_geteseal(const KORVU_GB_SES_TBSSIGN *v);
KORVU_API KORVU_ASN1_TIME *korvu_gb_ses_tbssign_gettimeinfo(const KORVU_GB_SES_TBSSIGN *v);
KORVU_API KORVU_ASN1_BITSTRING *korvu_gb_ses_tbssign_getdatahash(const KORVU_GB_SES_TBSSIGN *v);
KORVU_API KORVU_ASN1_STRING *korvu_ses_gb_tbssign_getpropertyinfo(const KORVU_GB_SES_TBSSIGN *v);
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_tbssign_getextdatas(const KORVU_GB_SES_TBSSIGN *v);

KORVU_API KORVU_GB_SES_TBSSIGN *korvu_gb_ses_signature_gettosign(const KORVU_GB_SES_SIGNATURE *v);
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_gb_ses_signature_getcert(const KORVU_GB_SES_SIGNATURE *v);
KORVU_API KORVU_ASN1_OID *korvu_gb_ses_signature_getsignaturealgid(const KORVU_GB_SES_SIGNATURE *v);
KORVU_API KORVU_ASN1_BITSTRING *korvu_gb_ses_signature_getsignature(const KORVU_GB_SES_SIGNATURE *v);
KORVU_API KORVU_ASN1_BITSTRING *korvu_gb_ses_signature_gettimestamp(const KORVU_GB_SES_SIGNATURE *v);

#ifdef __cplusplus
}
#endif
#endif /* KORVU_SEAL_H */
