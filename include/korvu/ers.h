/** @file
 * KORVU ASN.1: evidence records (RFC 4998): EvidenceRecord, ArchiveTimeStamp and their lists. Included by
 * korvu/asn1.h.
 *
 * Tags are IMPLICIT. An optional component is a null pointer when absent. Lists: digestAlgorithms (265) of
 * KORVU_X509_ALGID, CryptoInfos (266, SEQUENCE SIZE (1..MAX)) and Attributes (267, SET SIZE (1..MAX)) of
 * KORVU_X500_ATTRIBUTE, PartialHashtree (269) of KORVU_ASN1_OCTETSTRING, the reduced hash tree (270) of
 * PartialHashtree lists, ArchiveTimeStampChain (273) of KORVU_ERS_ARCHIVETIMESTAMP and ArchiveTimeStampSequence
 * (274) of chains. Hashing, tree building and time-stamp checking are the caller's. */
#ifndef KORVU_ERS_H
#define KORVU_ERS_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

struct korvu_x509_algid_st;
struct korvu_pkcs7_contentinfo_st;

/* ---- EncryptionInfo (268) ----------------------------------------------------------------------------- */
/** The record of EncryptionInfo (268). */
typedef struct korvu_ers_encryptioninfo_st {
  KORVU_ASN1_OID *encryptionInfoType; /**< OBJECT IDENTIFIER (6) */
  KORVU_ASN1_ANY *encryptionInfoValue; /**< ANY (23) */
} KORVU_ERS_ENCRYPTIONINFO;

/* ---- ArchiveTimeStamp (271) ------------------------------------------------------------------------------
 * digestAlgorithm [0], attributes [1], reducedHashtree [2], timeStamp (a ContentInfo, normally a time-stamp
 * token). */
/** The record of ArchiveTimeStamp (271). */
typedef struct korvu_ers_archivetimestamp_st {
  struct korvu_x509_algid_st *digestAlgorithm; /**< AlgorithmIdentifier (33), [0] IMPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *attributes; /**< Attribute (plain form) (43), [1] IMPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *reducedHashtree; /**< PartialHashtree (269), [2] IMPLICIT, OPTIONAL: null when absent */
  struct korvu_pkcs7_contentinfo_st *timeStamp; /**< ContentInfo (111) */
} KORVU_ERS_ARCHIVETIMESTAMP;

/* ---- EvidenceRecord (272): cryptoInfos [0], encryptionInfo [1] ------------------------------------------- */
/** The record of EvidenceRecord (272). */
typedef struct korvu_ers_evidencerecord_st {
  KORVU_ASN1_INTEGER *version; /**< INTEGER (2) */
  KORVU_ASN1_LIST *digestAlgorithms; /**< SEQUENCE OF AlgorithmIdentifier (digestAlgorithms) (265) */
  KORVU_ASN1_LIST *cryptoInfos; /**< Attribute (plain form) (43), [0] IMPLICIT, OPTIONAL: null when absent */
  KORVU_ERS_ENCRYPTIONINFO *encryptionInfo; /**< EncryptionInfo (268), [1] IMPLICIT, OPTIONAL: null when absent */
  KORVU_ASN1_LIST *archiveTimeStampSequence; /**< ArchiveTimeStampSequence (274) */
} KORVU_ERS_EVIDENCERECORD;

/** A new EvidenceRecord (272) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_ERS_EVIDENCERECORD *korvu_ers_evidencerecord_new(const KORVU_ASN1_INTEGER *version,
                                                                const KORVU_ASN1_LIST *digest_algorithms,
                                                                const KORVU_ASN1_LIST *crypto_infos,
                                                                const KORVU_ERS_ENCRYPTIONINFO *encryption_info,
                                                                const KORVU_ASN1_LIST *ats_sequence);
/** The record's `version` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_INTEGER *korvu_ers_evidencerecord_getversion(const KORVU_ERS_EVIDENCERECORD *er);
/** The record's `digestAlgorithms` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ers_evidencerecord_getdigestalgorithms(const KORVU_ERS_EVIDENCERECORD *er);
/** The record's `cryptoInfos` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ers_evidencerecord_getcryptoinfos(const KORVU_ERS_EVIDENCERECORD *er);
/** The record's `encryptionInfo` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ERS_ENCRYPTIONINFO *korvu_ers_evidencerecord_getencryptioninfo(const KORVU_ERS_EVIDENCERECORD *er);
/** The record's `archiveTimeStampSequence` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ers_evidencerecord_getarchivetimestampseq(const KORVU_ERS_EVIDENCERECORD *er);

/** A new ArchiveTimeStamp (271) of copies of the arguments, in component order; null when a required one is null
 * or building fails. */
KORVU_API KORVU_ERS_ARCHIVETIMESTAMP *korvu_ers_archivetimestamp_new(
    const struct korvu_x509_algid_st *digest_algorithm, const KORVU_ASN1_LIST *attributes,
    const KORVU_ASN1_LIST *reduced_hashtree, const struct korvu_pkcs7_contentinfo_st *time_stamp);
/** The record's `digestAlgorithm` (not a copy), null when absent or for a null record. The ArchiveTimeStamp
 * getters carry the EncryptionInfo family name. */
KORVU_API struct korvu_x509_algid_st *korvu_ers_encryptioninfo_getdigestalgorithm(
    const KORVU_ERS_ARCHIVETIMESTAMP *ats);
/** The record's `attributes` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ers_encryptioninfo_getattributes(const KORVU_ERS_ARCHIVETIMESTAMP *ats);
/** The record's `reducedHashtree` (not a copy), null when absent or for a null record. */
KORVU_API KORVU_ASN1_LIST *korvu_ers_encryptioninfo_getreducedhashtree(const KORVU_ERS_ARCHIVETIMESTAMP *ats);
/** The record's `timeStamp` (not a copy), null for a null record. */
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_ers_encryptioninfo_gettimestamp(
    const KORVU_ERS_ARCHIVETIMESTAMP *ats);

/** A new EncryptionInfo (268) of copies of the arguments, in component order; null when a required one is null or
 * building fails. */
KORVU_API KORVU_ERS_ENCRYPTIONINFO *korvu_ers_encryptioninfo_new(const KORVU_ASN1_OID *type,
                                                                const KORVU_ASN1_ANY *value);
/** The record's `encryptionInfoType` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_OID *korvu_ers_encryptioninfo_gettype(const KORVU_ERS_ENCRYPTIONINFO *info);
/** The record's `encryptionInfoValue` (not a copy), null for a null record. */
KORVU_API KORVU_ASN1_ANY *korvu_ers_encryptioninfo_getvalue(const KORVU_ERS_ENCRYPTIONINFO *info);

#ifdef __cplusplus
}
#endif
#endif
