// Evidence records (RFC 4998 4-5, IMPLICIT TAGS): EvidenceRecord, EncryptionInfo, ArchiveTimeStamp and their
// lists. Record layouts: korvu/ers.h. In the optional regions a context-specific element must be constructed and
// fit the next possible component; anything else, and an empty CryptoInfos or Attributes, is "incorrect item".
#define KORVU_SRC "KORVU_ASN1_ERS"
#include "../core/list_codec.h"
#include "../core/struct.h"
#include "korvu/asn1.h"

using namespace korvu;

namespace {
// SEQUENCE (or SET) SIZE (1..MAX) OF Attribute: an empty one is refused with "incorrect item".
template <uint32_t List>
struct AttributeList {
  using Base = list::TypedList<List, KORVU_TYPE_ATTRIBUTE_PLAIN>;
  static int dec(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx,
                 int depth) {
    int r = Base::decode_content(s, out, primitive, length, consumed, ctx, depth);
    if (r == 1 && static_cast<KORVU_ASN1_LIST *>(*out)->count == 0) {
      Base::free(*out);
      *out = nullptr;
      KORVU_ERR(ctx, kErrIncorrectItem);
      KORVU_DECODE_ERR(ctx, List);
      r = 0;
    }
    return r;
  }
  static constexpr TypeOps ops = {
      &Base::free, &Base::content_length, nullptr, &Base::encode_content, &dec, nullptr, nullptr, nullptr};
};
}  // namespace

KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_ALGORITHMIDENTIFIER) =
    list::TypedList<KORVU_TYPE_SEQUENCE_OF_ALGORITHMIDENTIFIER, KORVU_TYPE_ALGORITHMIDENTIFIER>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_CRYPTOINFOS) = AttributeList<KORVU_TYPE_CRYPTOINFOS>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_ER_ATTRIBUTES) = AttributeList<KORVU_TYPE_ER_ATTRIBUTES>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_PARTIALHASHTREE) =
    list::TypedList<KORVU_TYPE_PARTIALHASHTREE, KORVU_TYPE_OCTET_STRING>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_PARTIALHASHTREE) =
    list::TypedList<KORVU_TYPE_SEQUENCE_OF_PARTIALHASHTREE, KORVU_TYPE_PARTIALHASHTREE>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_ARCHIVETIMESTAMPCHAIN) =
    list::TypedList<KORVU_TYPE_ARCHIVETIMESTAMPCHAIN, KORVU_TYPE_ARCHIVETIMESTAMP>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_ARCHIVETIMESTAMPSEQUENCE) =
    list::TypedList<KORVU_TYPE_ARCHIVETIMESTAMPSEQUENCE, KORVU_TYPE_ARCHIVETIMESTAMPCHAIN>::ops;

// EncryptionInfo ::= SEQUENCE { encryptionInfoType OBJECT IDENTIFIER,
//   encryptionInfoValue ANY DEFINED BY encryptionInfoType }
constexpr st::Field kEncryptionInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_ERS_ENCRYPTIONINFO, encryptionInfoType),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_ERS_ENCRYPTIONINFO, encryptionInfoValue)};
constexpr st::StructDef kEncryptionInfo =
    st::sequence(KORVU_TYPE_ENCRYPTIONINFO, kEncryptionInfoFields, sizeof(KORVU_ERS_ENCRYPTIONINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ENCRYPTIONINFO, kEncryptionInfo);
KORVU_API KORVU_ERS_ENCRYPTIONINFO *korvu_ers_encryptioninfo_new(const KORVU_ASN1_OID *type,
                                                                 const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_ERS_ENCRYPTIONINFO *>(st::make<kEncryptionInfo>(type, value));
}
KORVU_GET(korvu_ers_encryptioninfo_gettype, kEncryptionInfo, encryptionInfoType);
KORVU_GET(korvu_ers_encryptioninfo_getvalue, kEncryptionInfo, encryptionInfoValue);

// ArchiveTimeStamp ::= SEQUENCE { digestAlgorithm [0] AlgorithmIdentifier OPTIONAL,
//   attributes [1] Attributes OPTIONAL, reducedHashtree [2] SEQUENCE OF PartialHashtree OPTIONAL,
//   timeStamp ContentInfo }
constexpr st::Field kAtsFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_ERS_ARCHIVETIMESTAMP, digestAlgorithm)
        .implicit(0)
        .optional()
        .accepts_if(st::constructed_only),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTE_PLAIN, KORVU_ERS_ARCHIVETIMESTAMP, attributes)
        .set_of()
        .size(1, 0, kErrIncorrectItem)
        .implicit(1)
        .optional()
        .accepts_if(st::constructed_only),
    KORVU_FIELD(KORVU_TYPE_PARTIALHASHTREE, KORVU_ERS_ARCHIVETIMESTAMP, reducedHashtree)
        .sequence_of()
        .implicit(2)
        .optional()
        .accepts_if(st::constructed_only),
    KORVU_FIELD(KORVU_TYPE_CONTENTINFO, KORVU_ERS_ARCHIVETIMESTAMP, timeStamp)};
constexpr st::StructDef kAts =
    st::sequence(KORVU_TYPE_ARCHIVETIMESTAMP, kAtsFields, sizeof(KORVU_ERS_ARCHIVETIMESTAMP));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ARCHIVETIMESTAMP, kAts);
KORVU_API KORVU_ERS_ARCHIVETIMESTAMP *korvu_ers_archivetimestamp_new(const KORVU_X509_ALGID *digest_algorithm,
                                                                     const KORVU_ASN1_LIST *attributes,
                                                                     const KORVU_ASN1_LIST *reduced_hashtree,
                                                                     const KORVU_PKCS7_CONTENTINFO *time_stamp) {
  return static_cast<KORVU_ERS_ARCHIVETIMESTAMP *>(
      st::make<kAts>(digest_algorithm, attributes, reduced_hashtree, time_stamp));
}
KORVU_GET(korvu_ers_encryptioninfo_getdigestalgorithm, kAts, digestAlgorithm);
KORVU_GET(korvu_ers_encryptioninfo_getattributes, kAts, attributes);
KORVU_GET(korvu_ers_encryptioninfo_getreducedhashtree, kAts, reducedHashtree);
KORVU_GET(korvu_ers_encryptioninfo_gettimestamp, kAts, timeStamp);

// EvidenceRecord ::= SEQUENCE { version INTEGER { v1(1) }, digestAlgorithms SEQUENCE OF AlgorithmIdentifier,
//   cryptoInfos [0] CryptoInfos OPTIONAL, encryptionInfo [1] EncryptionInfo OPTIONAL,
//   archiveTimeStampSequence ArchiveTimeStampSequence }
// The version and the algorithms are not examined.
constexpr st::Field kErFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_ERS_EVIDENCERECORD, version),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_ALGORITHMIDENTIFIER, KORVU_ERS_EVIDENCERECORD, digestAlgorithms),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTE_PLAIN, KORVU_ERS_EVIDENCERECORD, cryptoInfos)
        .sequence_of()
        .size(1, 0, kErrIncorrectItem)
        .implicit(0)
        .optional()
        .accepts_if(st::constructed_only),
    KORVU_FIELD(KORVU_TYPE_ENCRYPTIONINFO, KORVU_ERS_EVIDENCERECORD, encryptionInfo)
        .implicit(1)
        .optional()
        .accepts_if(st::constructed_only),
    KORVU_FIELD(KORVU_TYPE_ARCHIVETIMESTAMPSEQUENCE, KORVU_ERS_EVIDENCERECORD, archiveTimeStampSequence)};
constexpr st::StructDef kEr = st::sequence(KORVU_TYPE_EVIDENCERECORD, kErFields, sizeof(KORVU_ERS_EVIDENCERECORD));
KORVU_REGISTER_STRUCT(KORVU_TYPE_EVIDENCERECORD, kEr);
KORVU_API KORVU_ERS_EVIDENCERECORD *korvu_ers_evidencerecord_new(const KORVU_ASN1_INTEGER *version,
                                                                 const KORVU_ASN1_LIST *digest_algorithms,
                                                                 const KORVU_ASN1_LIST *crypto_infos,
                                                                 const KORVU_ERS_ENCRYPTIONINFO *encryption_info,
                                                                 const KORVU_ASN1_LIST *ats_sequence) {
  return static_cast<KORVU_ERS_EVIDENCERECORD *>(
      st::make<kEr>(version, digest_algorithms, crypto_infos, encryption_info, ats_sequence));
}
KORVU_GET(korvu_ers_evidencerecord_getversion, kEr, version);
KORVU_GET(korvu_ers_evidencerecord_getdigestalgorithms, kEr, digestAlgorithms);
KORVU_GET(korvu_ers_evidencerecord_getcryptoinfos, kEr, cryptoInfos);
KORVU_GET(korvu_ers_evidencerecord_getencryptioninfo, kEr, encryptionInfo);
KORVU_GET(korvu_ers_evidencerecord_getarchivetimestampseq, kEr, archiveTimeStampSequence);
