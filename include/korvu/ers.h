/* KORVU ASN.1: evidence records (RFC 4998): EvidenceRecord, ArchiveTimeStamp and their lists. Included by
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
typedef struct korvu_ers_encryptioninfo_st {
  KORVU_ASN1_OID *encryptionInfoType;
  KORVU_ASN1_ANY *encryptionInfoValue;
} KORVU_ERS_ENCRYPTIONINFO;

/* ---- ArchiveTimeStamp (271) ------------------------------------------------------------------------------
 * digestAlgorithm [0], attributes [1], reducedHashtree [2], timeStamp (a ContentInfo, normally a time-stamp
 * token). */
typedef struct korvu_ers_archivetimestamp_st {
  struct korvu_x509_algid_st *digestAlgorithm;
  KORVU_ASN1_LIST *attributes;
  KORVU_ASN1_LIST *reducedHashtree;
  struct korvu_pkcs7_contentinfo_st *timeStamp;
} KORVU_ERS_ARCHIVETIMESTAMP;

/* ---- EvidenceRecord (272): cryptoInfos [0], encryptionInfo [1] ------------------------------------------- */
typedef struct korvu_ers_evidencerecord_st {
  KORVU_ASN1_INTEGER *version;
  KORVU_ASN1_LIST *digestAlgorithms;
  KORVU_ASN1_LIST *cryptoInfos;
  KORVU_ERS_ENCRYPTIONINFO *encryptionInfo;
  KORVU_ASN1_LIST *archiveTimeStampSequence;
} KORVU_ERS_EVIDENCERECORD;

KORVU_API KORVU_ERS_EVIDENCERECORD *korvu_ers_evidencerecord_new(const KORVU_ASN1_INTEGER *version,
                                                                const KORVU_ASN1_LIST *digest_algorithms,
                                                                const KORVU_ASN1_LIST *crypto_infos,
                                                                const KORVU_ERS_ENCRYPTIONINFO *encryption_info,
                                                                const KORVU_ASN1_LIST *ats_sequence);
KORVU_API KORVU_ASN1_INTEGER *korvu_ers_evidencerecord_getversion(const KORVU_ERS_EVIDENCERECORD *er);
KORVU_API KORVU_ASN1_LIST *korvu_ers_evidencerecord_getdigestalgorithms(const KORVU_ERS_EVIDENCERECORD *er);
KORVU_API KORVU_ASN1_LIST *korvu_ers_evidencerecord_getcryptoinfos(const KORVU_ERS_EVIDENCERECORD *er);
KORVU_API KORVU_ERS_ENCRYPTIONINFO *korvu_ers_evidencerecord_getencryptioninfo(const KORVU_ERS_EVIDENCERECORD *er);
KORVU_API KORVU_ASN1_LIST *korvu_ers_evidencerecord_getarchivetimestampseq(const KORVU_ERS_EVIDENCERECORD *er);

KORVU_API KORVU_ERS_ARCHIVETIMESTAMP *korvu_ers_archivetimestamp_new(
    const struct korvu_x509_algid_st *digest_algorithm, const KORVU_ASN1_LIST *attributes,
    const KORVU_ASN1_LIST *reduced_hashtree, const struct korvu_pkcs7_contentinfo_st *time_stamp);
/* The ArchiveTimeStamp getters carry the EncryptionInfo family name. */
KORVU_API struct korvu_x509_algid_st *korvu_ers_encryptioninfo_getdigestalgorithm(
    const KORVU_ERS_ARCHIVETIMESTAMP *ats);
KORVU_API KORVU_ASN1_LIST *korvu_ers_encryptioninfo_getattributes(const KORVU_ERS_ARCHIVETIMESTAMP *ats);
KORVU_API KORVU_ASN1_LIST *korvu_ers_encryptioninfo_getreducedhashtree(const KORVU_ERS_ARCHIVETIMESTAMP *ats);
KORVU_API struct korvu_pkcs7_contentinfo_st *korvu_ers_encryptioninfo_gettimestamp(
    const KORVU_ERS_ARCHIVETIMESTAMP *ats);

KORVU_API KORVU_ERS_ENCRYPTIONINFO *korvu_ers_encryptioninfo_new(const KORVU_ASN1_OID *type,
                                                                const KORVU_ASN1_ANY *value);
KORVU_API KORVU_ASN1_OID *korvu_ers_encryptioninfo_gettype(const KORVU_ERS_ENCRYPTIONINFO *info);
KORVU_API KORVU_ASN1_ANY *korvu_ers_encryptioninfo_getvalue(const KORVU_ERS_ENCRYPTIONINFO *info);

#ifdef __cplusplus
}
#endif
#endif
