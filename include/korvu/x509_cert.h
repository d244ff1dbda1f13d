/** @file
 * KORVU ASN.1: X.509 certificates, extensions and general names. Included by korvu/asn1.h. */
#ifndef KORVU_X509_CERT_H
#define KORVU_X509_CERT_H
#include "korvu/asn1_base.h"
#include "korvu/asn1_strings.h"
#include "korvu/asn1_oid.h"
#include "korvu/asn1_time.h"
#include "korvu/asn1_any.h"
#include "korvu/x509_name.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- AlgorithmIdentifier (33) ------------------------------------------- */
/** The record of AlgorithmIdentifier (33). */
typedef struct korvu_x509_algid_st {
  KORVU_ASN1_OID *algorithm;  /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *parameters; /**< null unless hasParameters */
  uint32_t hasParameters;     /**< 1 when `parameters` is present, else 0 */
  uint32_t isNullParameter; /**< parameters are a universal primitive NULL 05 00 */
} KORVU_X509_ALGID;

/** A new AlgorithmIdentifier (33) of a copy of `algorithm` with parameters `value` encoded as type `type` and kept
 * as ANY; null when `algorithm` is null, `type` is not a type number, or encoding, reading back or building fails. */
KORVU_API KORVU_X509_ALGID *korvu_x509algoid_new(const KORVU_ASN1_OID *algorithm, uint32_t type, const void *value);
/** A new AlgorithmIdentifier (33) of a copy of `algorithm`, without parameters; null when it is null or building
 * fails. */
KORVU_API KORVU_X509_ALGID *korvu_x509algoid_new_without_param(const KORVU_ASN1_OID *algorithm);
/** The record's `algorithm` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_x509algoid_getalgo(const KORVU_X509_ALGID *algid);
/** The record's `parameters` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_x509algoid_getparam(const KORVU_X509_ALGID *algid);
/** 1 when the record's `parameters` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x509algoid_hasparam(const KORVU_X509_ALGID *algid);
/** 1 when the parameters are present and are a NULL (05 00), else 0 (also for null). */
KORVU_API int korvu_x509algoid_isnullparam(const KORVU_X509_ALGID *algid);

/* ---- Validity (34) ------------------------------------------------------ */
/** The record of Validity (34). */
typedef struct korvu_x509_validity_st {
  KORVU_ASN1_TIME *notBefore; /**< Time (UTCTime or GeneralizedTime) (20) */
  KORVU_ASN1_TIME *notAfter; /**< Time (UTCTime or GeneralizedTime) (20) */
} KORVU_X509_VALIDITY;

/** A new Validity (34) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_X509_VALIDITY *korvu_x509validity_new(const KORVU_ASN1_TIME *not_before,
                                                     const KORVU_ASN1_TIME *not_after);
/** The record's `notBefore` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_x509validity_getnotbefore(const KORVU_X509_VALIDITY *validity);
/** The record's `notAfter` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_TIME *korvu_x509validity_getnotafter(const KORVU_X509_VALIDITY *validity);

/* ---- SubjectPublicKeyInfo (35) ------------------------------------------- */
/** The record of SubjectPublicKeyInfo (35). */
typedef struct korvu_x509_spki_st {
  KORVU_X509_ALGID *algorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_BITSTRING *subjectPublicKey; /**< BIT STRING (3) */
} KORVU_X509_SPKI;

/** A new SubjectPublicKeyInfo (35) of copies of the arguments, in component order; null when a required one is
 * null or building fails. */
KORVU_API KORVU_X509_SPKI *korvu_x509subjpubkeyinfo_new(const KORVU_X509_ALGID *algorithm,
                                                       const KORVU_ASN1_BITSTRING *public_key);
/** The record's `algorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_x509subjpubkeyinfo_getalgo(const KORVU_X509_SPKI *spki);
/** The record's `subjectPublicKey` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509subjpubkeyinfo_getpubkey(const KORVU_X509_SPKI *spki);


/* ---- Extension (36), Extensions (37): the value is an OCTET STRING holding the DER of a type the caller
 * chooses (no table of extension identifiers); Extensions is a list of KORVU_X509_EXTENSION. */
/** The record of Extension (36). */
typedef struct korvu_x509_extension_st {
  KORVU_ASN1_OID *extnID;       /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_BOOLEAN *critical; /**< always present; FALSE when the encoding leaves it out */
  KORVU_ASN1_OCTETSTRING *extnValue; /**< OCTET STRING (4) */
} KORVU_X509_EXTENSION;

/** A new Extension (36) of copies of the arguments, in component order; null when a required one is null or
 * building fails. `critical` may be null (FALSE). */
KORVU_API KORVU_X509_EXTENSION *korvu_x509extension_new(const KORVU_ASN1_OID *extn_id,
                                                       const KORVU_ASN1_BOOLEAN *critical,
                                                       const KORVU_ASN1_OCTETSTRING *extn_value);
/** The value is `value` encoded as type `type` (its kept encoding when it has one). Type 0 or above 449: null. */
KORVU_API KORVU_X509_EXTENSION *korvu_x509extension_create(const KORVU_ASN1_OID *extn_id,
                                                          const KORVU_ASN1_BOOLEAN *critical, uint32_t type,
                                                          const void *value);
/** The record's `extnID` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_x509extension_getid(const KORVU_X509_EXTENSION *ext);
/** The record's `critical` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509extension_getcritical(const KORVU_X509_EXTENSION *ext);
/** The record's `extnValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_x509extension_getvalue(const KORVU_X509_EXTENSION *ext);

/* ---- OtherName (61), EDIPartyName (62), GeneralName (63), GeneralNames (64), with the Name (32) and
 * DirectoryString (47) records of korvu/x509_name.h. */
struct korvu_x500_name_st;
struct korvu_x500_dirstring_st;
/** The record of OtherName (61). */
typedef struct korvu_x509_othername_st {
  KORVU_ASN1_OID *typeId; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *value; /**< ANY (23), [0] EXPLICIT */
} KORVU_X509_OTHERNAME;

/** The record of EDIPartyName (62). */
typedef struct korvu_x509_edipartyname_st {
  struct korvu_x500_dirstring_st *nameAssigner; /**< null unless hasNameAssigner */
  uint32_t hasNameAssigner;                     /**< 1 when `nameAssigner` is present, else 0 */
  struct korvu_x500_dirstring_st *partyName;    /**< DirectoryString (47), [1] EXPLICIT */
} KORVU_X509_EDIPARTYNAME;

/** Choice numbers are the context tags: 0 otherName, 1 rfc822Name, 2 dNSName, 3 x400Address (a list of ANY,
 * decoding only), 4 directoryName, 5 ediPartyName, 6 uniformResourceIdentifier, 7 iPAddress, 8 registeredID. */
typedef struct korvu_x509_generalname_st {
  uint32_t choice; /**< number of the alternative held */
  void *value; /**< the alternative's value, a record of its type */
} KORVU_X509_GENERALNAME;

/** A new OtherName (61) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_X509_OTHERNAME *korvu_instanceoftypeid_new(const KORVU_ASN1_OID *type_id,
                                                          const KORVU_ASN1_ANY *value);
/** The record's `typeId` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_instanceoftypeid_getid(const KORVU_X509_OTHERNAME *other);
/** The record's `value` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_instanceoftypeid_gettype(const KORVU_X509_OTHERNAME *other);

/** A new EDIPartyName (62) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_X509_EDIPARTYNAME *korvu_x509edipartyname_new(const struct korvu_x500_dirstring_st *name_assigner,
                                                             const struct korvu_x500_dirstring_st *party_name);
/** The record's `nameAssigner` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x500_dirstring_st *korvu_x509edipartyname_getnameassigner(const KORVU_X509_EDIPARTYNAME *edi);
/** The record's `partyName` (not a copy), null for a null record. */
KORVU_API struct korvu_x500_dirstring_st *korvu_x509edipartyname_getpartyname(const KORVU_X509_EDIPARTYNAME *edi);

/** A new GeneralName (63) holding a copy of the argument as alternative 0; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_othername(const KORVU_X509_OTHERNAME *other);
/** A new GeneralName (63) holding a copy of the argument as alternative 1; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_rfc822name(const KORVU_ASN1_STRING *ia5);
/** A new GeneralName (63) holding a copy of the argument as alternative 2; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_dnsname(const KORVU_ASN1_STRING *ia5);
/** A new GeneralName (63) holding a copy of the argument as alternative 4; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_dirname(const struct korvu_x500_name_st *name);
/** A new GeneralName (63) holding a copy of the argument as alternative 5; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_ediname(const KORVU_X509_EDIPARTYNAME *edi);
/** A new GeneralName (63) holding a copy of the argument as alternative 6; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_uri(const KORVU_ASN1_STRING *ia5);
/** A new GeneralName (63) holding a copy of the argument as alternative 7; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_ip(const KORVU_ASN1_OCTETSTRING *address);
/** A new GeneralName (63) holding a copy of the argument as alternative 8; null for a null argument or when the
 * copy fails. */
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_regid(const KORVU_ASN1_OID *oid);
/** 1 and the choice number, or 0 for a null argument. */
KORVU_API int korvu_x509generalname_gettype(const KORVU_X509_GENERALNAME *gn, uint32_t *choice);
/** The value of alternative 0 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_X509_OTHERNAME *korvu_x509generalname_getothername(const KORVU_X509_GENERALNAME *gn);
/** The value of alternative 1 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_x509generalname_getrfc822name(const KORVU_X509_GENERALNAME *gn);
/** The value of alternative 2 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_x509generalname_getdnsname(const KORVU_X509_GENERALNAME *gn);
/** The value of alternative 4 (not a copy) when the CHOICE holds it, else null. */
KORVU_API struct korvu_x500_name_st *korvu_x509generalname_getdirname(const KORVU_X509_GENERALNAME *gn);
/** The value of alternative 5 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_X509_EDIPARTYNAME *korvu_x509generalname_getediname(const KORVU_X509_GENERALNAME *gn);
/** The value of alternative 6 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_STRING *korvu_x509generalname_geturi(const KORVU_X509_GENERALNAME *gn);
/** The value of alternative 7 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_x509generalname_getip(const KORVU_X509_GENERALNAME *gn);
/** The value of alternative 8 (not a copy) when the CHOICE holds it, else null. */
KORVU_API KORVU_ASN1_OID *korvu_x509generalname_getregid(const KORVU_X509_GENERALNAME *gn);

/* ---- TBSCertificate (38), Certificate (39), CertificatePair (55). A Certificate keeps the octets it was
 * decoded from (or first encoded to), and those of its TBSCertificate, and writes them again unchanged. */
/** The record of TBSCertificate (38). */
typedef struct korvu_x509_tbscert_st {
  KORVU_ASN1_INTEGER *version; /**< always present; 0 when the encoding leaves it out */
  KORVU_ASN1_INTEGER *serialNumber; /**< INTEGER (2) */
  KORVU_X509_ALGID *signature; /**< AlgorithmIdentifier (33) */
  struct korvu_x500_name_st *issuer; /**< Name (32) */
  KORVU_X509_VALIDITY *validity; /**< Validity (34) */
  struct korvu_x500_name_st *subject; /**< Name (32) */
  KORVU_X509_SPKI *subjectPublicKeyInfo; /**< SubjectPublicKeyInfo (35) */
  KORVU_ASN1_BITSTRING *issuerUniqueID; /**< BIT STRING (3), [1] IMPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_BITSTRING *subjectUniqueID; /**< BIT STRING (3), [2] IMPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *extensions; /**< of KORVU_X509_EXTENSION */
  uint32_t hasIssuerUniqueID;  /**< 1 when `issuerUniqueID` is present, else 0 */
  uint32_t hasSubjectUniqueID; /**< 1 when `subjectUniqueID` is present, else 0 */
  uint32_t hasExtensions;      /**< 1 when `extensions` is present, else 0 */
} KORVU_X509_TBSCERT;

/** The record of Certificate (39). */
typedef struct korvu_x509_cert_st {
  KORVU_X509_TBSCERT *tbsCertificate; /**< TBSCertificate (38) */
  KORVU_X509_ALGID *signatureAlgorithm; /**< AlgorithmIdentifier (33) */
  KORVU_ASN1_BITSTRING *signatureValue; /**< BIT STRING (3) */
  unsigned char *encoded; /**< the whole Certificate as read or first written */
  uint32_t encodedLength;    /**< length of `encoded` */
  uint32_t hasEncoded;       /**< 1 when `encoded` is present, else 0 */
  unsigned char *tbsEncoded; /**< the TBSCertificate as read or first written */
  uint32_t tbsEncodedLength; /**< length of `tbsEncoded` */
  uint32_t hasTbsEncoded;    /**< 1 when `tbsEncoded` is present, else 0 */
} KORVU_X509_CERT;

/** The record of CertificatePair (55). */
typedef struct korvu_x509_certpair_st {
  KORVU_X509_CERT *issuedToThisCA; /**< Certificate (39), [0] EXPLICIT, OPTIONAL: null when absent */
  uint32_t hasIssuedToThisCA; /**< 1 when `issuedToThisCA` is present, else 0 */
  KORVU_X509_CERT *issuedByThisCA; /**< Certificate (39), [1] EXPLICIT, OPTIONAL: null when absent */
  uint32_t hasIssuedByThisCA; /**< 1 when `issuedByThisCA` is present, else 0 */
} KORVU_X509_CERTPAIR;

/** A new TBSCertificate (38) of copies of the arguments, in component order; null when a required one is null or
 * building fails. `version` may be null (INTEGER 0), as may the unique identifiers and the extensions. */
KORVU_API KORVU_X509_TBSCERT *korvu_x509TBSCertificate_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_ASN1_INTEGER *serial_number, const KORVU_X509_ALGID *signature,
    const struct korvu_x500_name_st *issuer, const KORVU_X509_VALIDITY *validity,
    const struct korvu_x500_name_st *subject, const KORVU_X509_SPKI *spki,
    const KORVU_ASN1_BITSTRING *issuer_uid, const KORVU_ASN1_BITSTRING *subject_uid,
    const KORVU_ASN1_LIST *extensions);

/** A Certificate from DER (first byte 0x30), Base64 of DER (first byte 'M') or PEM text labelled CERTIFICATE (first
 * byte '-'). The DER must hold exactly one Certificate. */
KORVU_API KORVU_X509_CERT *korvu_x509pubkeycert_new(const void *bytes, int32_t length, KORVU_ERR_CTX *ctx);
/** A Certificate from a TBSCertificate and a signature value (both copied); its signatureAlgorithm is a copy of the
 * TBSCertificate's signature, and it is encoded once right away so that it carries its kept encodings. */
KORVU_API KORVU_X509_CERT *korvu_x509pubkeycert_create(const KORVU_X509_TBSCERT *tbs,
                                                      const KORVU_ASN1_BITSTRING *signature);
/** The record's `tbsCertificate->version` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509pubkeycert_getversion(const KORVU_X509_CERT *cert);
/** The record's `tbsCertificate->serialNumber` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_x509pubkeycert_getserialno(const KORVU_X509_CERT *cert);
/** The record's `tbsCertificate->signature` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_x509pubkeycert_getinnersignalgo(const KORVU_X509_CERT *cert);
/** The record's `tbsCertificate->issuer` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x500_name_st *korvu_x509pubkeycert_getissuer(const KORVU_X509_CERT *cert);
/** The record's `tbsCertificate->validity` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_VALIDITY *korvu_x509pubkeycert_getvalidity(const KORVU_X509_CERT *cert);
/** The record's `tbsCertificate->subject` (not a copy), null when absent or for a null record. */
KORVU_API struct korvu_x500_name_st *korvu_x509pubkeycert_getsubject(const KORVU_X509_CERT *cert);
/** The record's `tbsCertificate->subjectPublicKeyInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_SPKI *korvu_x509pubkeycert_getpubkey(const KORVU_X509_CERT *cert);
/** 1 when the record's `tbsCertificate->issuerUniqueID` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x509pubkeycert_hasissueruid(const KORVU_X509_CERT *cert);
/** The record's `tbsCertificate->issuerUniqueID` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509pubkeycert_getissueruid(const KORVU_X509_CERT *cert);
/** 1 when the record's `tbsCertificate->subjectUniqueID` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x509pubkeycert_hassubjectuid(const KORVU_X509_CERT *cert);
/** The record's `tbsCertificate->subjectUniqueID` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509pubkeycert_getsubjectuid(const KORVU_X509_CERT *cert);
/** 1 when the record's `tbsCertificate->extensions` is present, 0 when absent or for a null record. */
KORVU_API int korvu_x509pubkeycert_hasexts(const KORVU_X509_CERT *cert);
/** The record's `tbsCertificate->extensions` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_x509pubkeycert_getexts(const KORVU_X509_CERT *cert);
/** The record's `signatureAlgorithm` (not a copy), null for a null record. */
KORVU_API KORVU_X509_ALGID *korvu_x509pubkeycert_getsignalgo(const KORVU_X509_CERT *cert);
/** The record's `signatureValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_BITSTRING *korvu_x509pubkeycert_getsignvalue(const KORVU_X509_CERT *cert);
/** The to-be-signed octets: with a null buffer stores the length and returns 1; with *length too small stores the
 * length and returns 0; else copies. */
KORVU_API int korvu_x509pubkeycert_gettbsocts(KORVU_X509_CERT *cert, unsigned char *buffer, uint32_t *length,
                                              KORVU_ERR_CTX *ctx);

/** A new CertificatePair (55) of copies of the arguments, in component order; null when a required one is null or
 * building fails. At least one of the two is required. */
KORVU_API KORVU_X509_CERTPAIR *korvu_x509certpair_new(const KORVU_X509_CERT *issued_to_this_ca,
                                                     const KORVU_X509_CERT *issued_by_this_ca);
/** The record's `issuedToThisCA` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_CERT *korvu_x509certpair_getissuedtothisca(const KORVU_X509_CERTPAIR *pair);
/** The record's `issuedByThisCA` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_X509_CERT *korvu_x509certpair_getissuedbythisca(const KORVU_X509_CERTPAIR *pair);

#ifdef __cplusplus
}
#endif
#endif
