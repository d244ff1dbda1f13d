// Electronic seals and seal signatures: GM/T 0031-2014 (SeSeal, SES_Signature with TBS_Sign) and
// GB/T 38540-2020 (SES_Seal, SES_Signature). Both editions share ExtData, the header, the picture and the
// certificate digests. Every type is a table of the structure engine; the one hook is the GB property record,
// whose certListType INTEGER picks the type of the list after it. No record keeps its received octets.
// The record layouts are in korvu/seal.h.
#define KORVU_SRC "KORVU_ASN1_Seal"
#include <cstring>

#include "korvu/seal.h"

#include "../core/list_codec.h"
#include "../core/struct.h"

using namespace korvu;

namespace {
constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};
}  // namespace

// ---- shared --------------------------------------------------------------------------------------------------
// SEQUENCE OF OCTET STRING, each holding one certificate's DER.
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_OCTET_STRING) =
    list::TypedList<KORVU_TYPE_SEQUENCE_OF_OCTET_STRING, KORVU_TYPE_OCTET_STRING>::ops;

// ExtData ::= SEQUENCE { extnID OBJECT IDENTIFIER, critical BOOLEAN DEFAULT FALSE, extnValue OCTET STRING }
// An element after extnID that is not a BOOLEAN leaves critical FALSE; a FALSE one is not written.
constexpr st::Field kExtDataFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SES_EXTDATA, extnID),
    KORVU_FIELD(KORVU_TYPE_BOOLEAN, KORVU_SES_EXTDATA, critical).defaults(kFalse, st::DefaultRule::Boolean),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SES_EXTDATA, extnValue)};
constexpr st::StructDef kExtData = st::sequence(KORVU_TYPE_EXTDATA, kExtDataFields, sizeof(KORVU_SES_EXTDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_EXTDATA, kExtData);
// ExtDatas ::= SEQUENCE OF ExtData
KORVU_REGISTER_TYPE(KORVU_TYPE_EXTDATAS) = list::TypedList<KORVU_TYPE_EXTDATAS, KORVU_TYPE_EXTDATA>::ops;
KORVU_API KORVU_SES_EXTDATA *korvu_ses_extdata_new(const KORVU_ASN1_OID *extn_id, const KORVU_ASN1_BOOLEAN *critical,
                                                  const KORVU_ASN1_OCTETSTRING *extn_value) {
  return static_cast<KORVU_SES_EXTDATA *>(st::make<kExtData>(extn_id, critical, extn_value));
}
KORVU_GET(korvu_ses_extdata_getextnid, kExtData, extnID);
KORVU_GET(korvu_ses_extdata_getcritical, kExtData, critical);
KORVU_GET(korvu_ses_extdata_getextnvalue, kExtData, extnValue);

// SES_Header ::= SEQUENCE { ID IA5String, version INTEGER, Vid IA5String }  (nothing is checked)
constexpr st::Field kHeaderFields[] = {
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_SES_HEADER, ID),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SES_HEADER, version),
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_SES_HEADER, Vid)};
constexpr st::StructDef kHeader = st::sequence(KORVU_TYPE_SES_HEADER, kHeaderFields, sizeof(KORVU_SES_HEADER));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SES_HEADER, kHeader);
KORVU_API KORVU_SES_HEADER *korvu_ses_header_new(const KORVU_ASN1_STRING *id, const KORVU_ASN1_INTEGER *version,
                                                const KORVU_ASN1_STRING *vid) {
  return static_cast<KORVU_SES_HEADER *>(st::make<kHeader>(id, version, vid));
}
KORVU_GET(korvu_ses_header_getid, kHeader, ID);
KORVU_GET(korvu_ses_header_geversion, kHeader, version);
KORVU_GET(korvu_ses_header_getvid, kHeader, Vid);

// SES_ESPictureInfo ::= SEQUENCE { type IA5String, data OCTET STRING, width INTEGER, height INTEGER }
constexpr st::Field kPictureFields[] = {
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_SES_ESPICTUREINFO, type),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SES_ESPICTUREINFO, data),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SES_ESPICTUREINFO, width),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SES_ESPICTUREINFO, height)};
constexpr st::StructDef kPicture =
    st::sequence(KORVU_TYPE_SES_ESPICTUREINFO, kPictureFields, sizeof(KORVU_SES_ESPICTUREINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SES_ESPICTUREINFO, kPicture);
KORVU_API KORVU_SES_ESPICTUREINFO *korvu_ses_espictureinfo_new(const KORVU_ASN1_STRING *type,
                                                              const KORVU_ASN1_OCTETSTRING *data,
                                                              const KORVU_ASN1_INTEGER *width,
                                                              const KORVU_ASN1_INTEGER *height) {
  return static_cast<KORVU_SES_ESPICTUREINFO *>(st::make<kPicture>(type, data, width, height));
}
KORVU_GET(korvu_ses_espictureinfo_gettype, kPicture, type);
KORVU_GET(korvu_ses_espictureinfo_getdata, kPicture, data);
KORVU_GET(korvu_ses_espictureinfo_getwidth, kPicture, width);
KORVU_GET(korvu_ses_espictureinfo_getheigth, kPicture, height);

// CertDigestObj ::= SEQUENCE { type PrintableString, value OCTET STRING }
// CertDigestList ::= SEQUENCE OF CertDigestObj
constexpr st::Field kDigestFields[] = {
    KORVU_FIELD(KORVU_TYPE_PRINTABLESTRING, KORVU_SES_CERTDIGESTOBJ, type),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SES_CERTDIGESTOBJ, value)};
constexpr st::StructDef kDigest =
    st::sequence(KORVU_TYPE_CERTDIGESTOBJ, kDigestFields, sizeof(KORVU_SES_CERTDIGESTOBJ));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTDIGESTOBJ, kDigest);
KORVU_REGISTER_TYPE(KORVU_TYPE_CERTDIGESTLIST) =
    list::TypedList<KORVU_TYPE_CERTDIGESTLIST, KORVU_TYPE_CERTDIGESTOBJ>::ops;
KORVU_API KORVU_SES_CERTDIGESTOBJ *korvu_ses_certdigestobj_new(const KORVU_ASN1_STRING *type,
                                                              const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_SES_CERTDIGESTOBJ *>(st::make<kDigest>(type, value));
}
KORVU_GET(korvu_ses_certdigestobj_gettype, kDigest, type);
KORVU_GET(korvu_ses_certdigestobj_getvalue, kDigest, value);

// ---- GM/T 0031-2014 ------------------------------------------------------------------------------------------
// SES_ESPropertyInfo ::= SEQUENCE { type INTEGER, name UTF8String, certList SEQUENCE OF OCTET STRING,
//   createDate UTCTime, validStart UTCTime, validEnd UTCTime }
constexpr st::Field kPropertyFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SES_ESPROPERTYINFO, type),
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, KORVU_SES_ESPROPERTYINFO, name),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_OCTET_STRING, KORVU_SES_ESPROPERTYINFO, certList),
    KORVU_FIELD(KORVU_TYPE_UTCTIME, KORVU_SES_ESPROPERTYINFO, createDate),
    KORVU_FIELD(KORVU_TYPE_UTCTIME, KORVU_SES_ESPROPERTYINFO, validStart),
    KORVU_FIELD(KORVU_TYPE_UTCTIME, KORVU_SES_ESPROPERTYINFO, validEnd)};
constexpr st::StructDef kProperty =
    st::sequence(KORVU_TYPE_SES_ESPROPERTYINFO, kPropertyFields, sizeof(KORVU_SES_ESPROPERTYINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SES_ESPROPERTYINFO, kProperty);
KORVU_API KORVU_SES_ESPROPERTYINFO *korvu_ses_espropertyinfo_new(
    const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const KORVU_ASN1_LIST *cert_list,
    const KORVU_ASN1_TIME *create_date, const KORVU_ASN1_TIME *valid_start, const KORVU_ASN1_TIME *valid_end) {
  return static_cast<KORVU_SES_ESPROPERTYINFO *>(
      st::make<kProperty>(type, name, cert_list, create_date, valid_start, valid_end));
}
KORVU_GET(korvu_ses_espropertyinfo_gettype, kProperty, type);
KORVU_GET(korvu_ses_espropertyinfo_getname, kProperty, name);
KORVU_GET(korvu_ses_espropertyinfo_getcertlist, kProperty, certList);
KORVU_GET(korvu_ses_espropertyinfo_getcreatedate, kProperty, createDate);
KORVU_GET(korvu_ses_espropertyinfo_getvalidstart, kProperty, validStart);
KORVU_GET(korvu_ses_espropertyinfo_getvalidend, kProperty, validEnd);

// SES_SealInfo ::= SEQUENCE { header SES_Header, esID IA5String, property SES_ESPropertyInfo,
//   picture SES_ESPictureInfo, extDatas ExtDatas OPTIONAL }
constexpr st::Field kSealInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_SES_HEADER, KORVU_SES_SEALINFO, header),
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_SES_SEALINFO, esID),
    KORVU_FIELD(KORVU_TYPE_SES_ESPROPERTYINFO, KORVU_SES_SEALINFO, property),
    KORVU_FIELD(KORVU_TYPE_SES_ESPICTUREINFO, KORVU_SES_SEALINFO, picture),
    KORVU_FIELD(KORVU_TYPE_EXTDATAS, KORVU_SES_SEALINFO, extDatas).optional()};
constexpr st::StructDef kSealInfo =
    st::sequence(KORVU_TYPE_SES_SEALINFO, kSealInfoFields, sizeof(KORVU_SES_SEALINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SES_SEALINFO, kSealInfo);
KORVU_API KORVU_SES_SEALINFO *korvu_ses_sealinfo_new(const KORVU_SES_HEADER *header, const KORVU_ASN1_STRING *es_id,
                                                    const KORVU_SES_ESPROPERTYINFO *property,
                                                    const KORVU_SES_ESPICTUREINFO *picture,
                                                    const KORVU_ASN1_LIST *ext_datas) {
  return static_cast<KORVU_SES_SEALINFO *>(st::make<kSealInfo>(header, es_id, property, picture, ext_datas));
}
KORVU_GET(korvu_ses_sealinfo_getheader, kSealInfo, header);
KORVU_GET(korvu_ses_sealinfo_getesid, kSealInfo, esID);
KORVU_GET(korvu_ses_sealinfo_getproperty, kSealInfo, property);
KORVU_GET(korvu_ses_sealinfo_getpicture, kSealInfo, picture);
KORVU_GET(korvu_ses_sealinfo_getextdatas, kSealInfo, extDatas);

// SES_SignInfo ::= SEQUENCE { cert OCTET STRING, signatureAlgorithm OBJECT IDENTIFIER, signData BIT STRING }
constexpr st::Field kSignInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SES_SIGNINFO, cert),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SES_SIGNINFO, signatureAlgorithm),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SES_SIGNINFO, signData)};
constexpr st::StructDef kSignInfo =
    st::sequence(KORVU_TYPE_SES_SIGNINFO, kSignInfoFields, sizeof(KORVU_SES_SIGNINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SES_SIGNINFO, kSignInfo);
KORVU_API KORVU_SES_SIGNINFO *korvu_ses_signinfo_new(const KORVU_ASN1_OCTETSTRING *cert,
                                                    const KORVU_ASN1_OID *signature_algorithm,
                                                    const KORVU_ASN1_BITSTRING *sign_data) {
  return static_cast<KORVU_SES_SIGNINFO *>(st::make<kSignInfo>(cert, signature_algorithm, sign_data));
}
KORVU_GET(korvu_ses_signinfo_getcert, kSignInfo, cert);
KORVU_GET(korvu_ses_signinfo_getsignaturealgorithm, kSignInfo, signatureAlgorithm);
KORVU_GET(korvu_ses_signinfo_getsigndata, kSignInfo, signData);

// SeSealTbs ::= SEQUENCE { esealInfo SES_SealInfo, cert OCTET STRING, signatureAlgorithm OBJECT IDENTIFIER }
constexpr st::Field kSealTbsFields[] = {
    KORVU_FIELD(KORVU_TYPE_SES_SEALINFO, KORVU_SES_SESEALTBS, esealInfo),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SES_SESEALTBS, cert),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SES_SESEALTBS, signatureAlgorithm)};
constexpr st::StructDef kSealTbs = st::sequence(KORVU_TYPE_SESEALTBS, kSealTbsFields, sizeof(KORVU_SES_SESEALTBS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SESEALTBS, kSealTbs);
KORVU_API KORVU_SES_SESEALTBS *korvu_ses_sesealtbs_new(const KORVU_SES_SEALINFO *eseal_info,
                                                      const KORVU_ASN1_OCTETSTRING *cert,
                                                      const KORVU_ASN1_OID *signature_algorithm) {
  return static_cast<KORVU_SES_SESEALTBS *>(st::make<kSealTbs>(eseal_info, cert, signature_algorithm));
}
KORVU_GET(korvu_ses_sesealtbs_getesealinfo, kSealTbs, esealInfo);
KORVU_GET(korvu_ses_sesealtbs_getcert, kSealTbs, cert);
KORVU_GET(korvu_ses_sesealtbs_getsignaturealgorithm, kSealTbs, signatureAlgorithm);

// SeSeal ::= SEQUENCE { esealInfo SES_SealInfo, signInfo SES_SignInfo }
constexpr st::Field kSealFields[] = {
    KORVU_FIELD(KORVU_TYPE_SES_SEALINFO, KORVU_SES_SESEAL, esealInfo),
    KORVU_FIELD(KORVU_TYPE_SES_SIGNINFO, KORVU_SES_SESEAL, signInfo)};
constexpr st::StructDef kSeal = st::sequence(KORVU_TYPE_SESEAL, kSealFields, sizeof(KORVU_SES_SESEAL));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SESEAL, kSeal);
KORVU_API KORVU_SES_SESEAL *korvu_ses_seseal_new(const KORVU_SES_SEALINFO *eseal_info,
                                                const KORVU_SES_SIGNINFO *sign_info) {
  return static_cast<KORVU_SES_SESEAL *>(st::make<kSeal>(eseal_info, sign_info));
}
KORVU_GET(korvu_ses_seseal_getesealinfo, kSeal, esealInfo);
KORVU_GET(korvu_ses_seseal_getsigninfo, kSeal, signInfo);

// TBS_Sign ::= SEQUENCE { version INTEGER, eseal SeSeal, timeInfo BIT STRING, dataHash BIT STRING,
//   propertyInfo IA5String, cert OCTET STRING, signatureAlgorithm OBJECT IDENTIFIER }
constexpr st::Field kTbsSignFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SES_TBSSIGN, version),
    KORVU_FIELD(KORVU_TYPE_SESEAL, KORVU_SES_TBSSIGN, eseal),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SES_TBSSIGN, timeInfo),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SES_TBSSIGN, dataHash),
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_SES_TBSSIGN, propertyInfo),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SES_TBSSIGN, cert),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SES_TBSSIGN, signatureAlgorithm)};
constexpr st::StructDef kTbsSign = st::sequence(KORVU_TYPE_TBS_SIGN, kTbsSignFields, sizeof(KORVU_SES_TBSSIGN));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TBS_SIGN, kTbsSign);
KORVU_API KORVU_SES_TBSSIGN *korvu_ses_tbssign_new(const KORVU_ASN1_INTEGER *version, const KORVU_SES_SESEAL *eseal,
                                                  const KORVU_ASN1_BITSTRING *time_info,
                                                  const KORVU_ASN1_BITSTRING *data_hash,
                                                  const KORVU_ASN1_STRING *property_info,
                                                  const KORVU_ASN1_OCTETSTRING *cert,
                                                  const KORVU_ASN1_OID *signature_algorithm) {
  return static_cast<KORVU_SES_TBSSIGN *>(
      st::make<kTbsSign>(version, eseal, time_info, data_hash, property_info, cert, signature_algorithm));
}
KORVU_GET(korvu_ses_tbssign_getversion, kTbsSign, version);
KORVU_GET(korvu_ses_tbssign_geteseal, kTbsSign, eseal);
KORVU_GET(korvu_ses_tbssign_gettimeinfo, kTbsSign, timeInfo);
KORVU_GET(korvu_ses_tbssign_getdatahash, kTbsSign, dataHash);
KORVU_GET(korvu_ses_tbssign_getpropertyinfo, kTbsSign, propertyInfo);
KORVU_GET(korvu_ses_tbssign_getcert, kTbsSign, cert);
KORVU_GET(korvu_ses_tbssign_getsignaturealgorithm, kTbsSign, signatureAlgorithm);

// SES_Signature ::= SEQUENCE { toSign TBS_Sign, signature BIT STRING }
constexpr st::Field kSignatureFields[] = {
    KORVU_FIELD(KORVU_TYPE_TBS_SIGN, KORVU_SES_SIGNATURE, toSign),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SES_SIGNATURE, signature)};
constexpr st::StructDef kSignature =
    st::sequence(KORVU_TYPE_SES_SIGNATURE, kSignatureFields, sizeof(KORVU_SES_SIGNATURE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SES_SIGNATURE, kSignature);
KORVU_API KORVU_SES_SIGNATURE *korvu_ses_signature_new(const KORVU_SES_TBSSIGN *to_sign,
                                                      const KORVU_ASN1_BITSTRING *signature) {
  return static_cast<KORVU_SES_SIGNATURE *>(st::make<kSignature>(to_sign, signature));
}
KORVU_GET(korvu_ses_signature_gettosign, kSignature, toSign);
KORVU_GET(korvu_ses_signature_getsignature, kSignature, signature);

// ---- GB/T 38540-2020 -----------------------------------------------------------------------------------------
// SES_ESPropertyInfo ::= SEQUENCE { type INTEGER, name UTF8String, certListType INTEGER,
//   certList CHOICE { certs SEQUENCE OF OCTET STRING, certDigestList CertDigestList },
//   createDate GeneralizedTime, validStart GeneralizedTime, validEnd GeneralizedTime }
// Both alternatives of certList are SEQUENCEs: certListType (1 certificates, 2 digests) tells them apart. The
// record holds it as a number; the tables over the record (constructors, getters, free) leave it out, and the
// hook below writes and reads the record through a view that holds it as an INTEGER value.
namespace {
constexpr st::Field kGbPropertyCertFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_GB_SES_ESPROPERTYINFO, type),
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, KORVU_GB_SES_ESPROPERTYINFO, name),
    KORVU_FIELD(KORVU_TYPE_SEQUENCE_OF_OCTET_STRING, KORVU_GB_SES_ESPROPERTYINFO, certList),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_GB_SES_ESPROPERTYINFO, createDate),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_GB_SES_ESPROPERTYINFO, validStart),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_GB_SES_ESPROPERTYINFO, validEnd)};
constexpr st::Field kGbPropertyDigestFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_GB_SES_ESPROPERTYINFO, type),
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, KORVU_GB_SES_ESPROPERTYINFO, name),
    KORVU_FIELD(KORVU_TYPE_CERTDIGESTLIST, KORVU_GB_SES_ESPROPERTYINFO, certList),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_GB_SES_ESPROPERTYINFO, createDate),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_GB_SES_ESPROPERTYINFO, validStart),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_GB_SES_ESPROPERTYINFO, validEnd)};
constexpr st::StructDef kGbPropertyCerts = st::sequence(KORVU_TYPE_SES_ESPROPERTYINFO_GB, kGbPropertyCertFields,
                                                        sizeof(KORVU_GB_SES_ESPROPERTYINFO));
constexpr st::StructDef kGbPropertyDigests = st::sequence(KORVU_TYPE_SES_ESPROPERTYINFO_GB, kGbPropertyDigestFields,
                                                          sizeof(KORVU_GB_SES_ESPROPERTYINFO));
static_assert(st::check_table(kGbPropertyCerts, KORVU_TYPE_SES_ESPROPERTYINFO_GB));
static_assert(st::check_table(kGbPropertyDigests, KORVU_TYPE_SES_ESPROPERTYINFO_GB));

// The record as it is written and read: certListType as an INTEGER, certList as the type it says (or, while
// reading, as the ANY it was received as).
struct GbPropertyView {
  KORVU_ASN1_INTEGER *type;
  KORVU_ASN1_STRING *name;
  KORVU_ASN1_INTEGER *certListType;
  void *certList;
  KORVU_ASN1_TIME *createDate;
  KORVU_ASN1_TIME *validStart;
  KORVU_ASN1_TIME *validEnd;
};
static_assert(sizeof(GbPropertyView) == sizeof(KORVU_GB_SES_ESPROPERTYINFO) &&
              offsetof(GbPropertyView, certList) == offsetof(KORVU_GB_SES_ESPROPERTYINFO, certList) &&
              offsetof(GbPropertyView, createDate) == offsetof(KORVU_GB_SES_ESPROPERTYINFO, createDate));
template <uint32_t ListType>
constexpr st::Field kGbViewFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, GbPropertyView, type),
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, GbPropertyView, name),
    KORVU_FIELD(KORVU_TYPE_INTEGER, GbPropertyView, certListType),
    KORVU_FIELD_OPEN(ListType, GbPropertyView, certList),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, GbPropertyView, createDate),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, GbPropertyView, validStart),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, GbPropertyView, validEnd)};
template <uint32_t ListType>
constexpr st::StructDef kGbView =
    st::sequence(KORVU_TYPE_SES_ESPROPERTYINFO_GB, kGbViewFields<ListType>, sizeof(GbPropertyView));
static_assert(st::check_table(kGbView<KORVU_TYPE_ANY>, KORVU_TYPE_SES_ESPROPERTYINFO_GB));

bool list_type_ok(uint32_t t) { return t == 1 || t == 2; }
const st::StructDef &gb_table(uint32_t t) { return t == 1 ? kGbPropertyCerts : kGbPropertyDigests; }

// Writing: the view of a record whose certListType is 1 or 2, with `integer` (one octet) in its place.
struct GbWriting {
  unsigned char octet;
  KORVU_DATA_BLOB integer;
  GbPropertyView view;
  explicit GbWriting(const KORVU_GB_SES_ESPROPERTYINFO *r)
      : octet(static_cast<unsigned char>(r->certListType)),
        integer{&octet, 1},
        view{r->type, r->name, &integer, r->certList, r->createDate, r->validStart, r->validEnd} {}
  const st::StructDef &def() const {
    return octet == 1 ? kGbView<KORVU_TYPE_SEQUENCE_OF_OCTET_STRING> : kGbView<KORVU_TYPE_CERTDIGESTLIST>;
  }
};

void gb_free(void *v) {
  if (v != nullptr) st::free_record(gb_table(static_cast<KORVU_GB_SES_ESPROPERTYINFO *>(v)->certListType), v);
}

Len gb_length(const void *v) {
  const auto *r = static_cast<const KORVU_GB_SES_ESPROPERTYINFO *>(v);
  if (r == nullptr || !list_type_ok(r->certListType)) return kLenError;
  GbWriting w(r);
  return st::content_length(w.def(), &w.view);
}

int gb_encode(KORVU_STREAM *s, const void *v, uint32_t length, uint32_t *written, KORVU_ERR_CTX *ctx) {
  const auto *r = static_cast<const KORVU_GB_SES_ESPROPERTYINFO *>(v);
  if (r == nullptr || !list_type_ok(r->certListType)) {
    KORVU_ERR(ctx, r == nullptr ? KORVU_ERR_NULLARG : kErrInvalidSesCertListType);
    return 0;
  }
  GbWriting w(r);
  return st::encode_content(w.def(), s, &w.view, length, written, ctx);
}

// The whole encoding, so that a record with another certListType is refused with its own message before any
// octet is written.
int gb_encode_whole(KORVU_STREAM *s, const void *v, uint32_t *written, KORVU_ERR_CTX *ctx) {
  const auto *r = static_cast<const KORVU_GB_SES_ESPROPERTYINFO *>(v);
  if (r == nullptr || !list_type_ok(r->certListType)) return gb_encode(s, v, 0, written, ctx);
  GbWriting w(r);
  const Len l = st::content_length(w.def(), &w.view);
  if (l == kLenError || l == kLenOverflow) {
    KORVU_ERR(ctx, kErrIncorrectLength);
    return 0;
  }
  uint32_t head = 0, body = 0;
  int rc = write_header(s, 0x00, 0, 16, static_cast<uint32_t>(l), &head, ctx);
  if (rc == 1) rc = st::encode_content(w.def(), s, &w.view, static_cast<uint32_t>(l), &body, ctx);
  if (rc == 1 && written != nullptr) *written = head + body;
  return rc;
}

// Reading: the components in order with the list as an ANY, then certListType read as a number (1 or 2, else
// "invalid ses certlist type") and the ANY decoded as the list it names. The view's block becomes the record.
int gb_decode(KORVU_STREAM *s, void **out, int primitive, uint32_t length, uint32_t *consumed, KORVU_ERR_CTX *ctx,
              int depth) {
  constexpr const st::StructDef &read = kGbView<KORVU_TYPE_ANY>;
  void *raw = nullptr;
  int r = st::decode_content(read, s, &raw, primitive, length, consumed, ctx, depth);
  if (out != nullptr) *out = nullptr;
  if (r != 1) return r;
  auto *view = static_cast<GbPropertyView *>(raw);
  int32_t n = 0;
  if (korvu_asn1_integer_getlong(view->certListType, &n) != 1 || !list_type_ok(static_cast<uint32_t>(n))) {
    st::free_record(read, raw);
    KORVU_ERR(ctx, kErrInvalidSesCertListType);
    return 0;
  }
  const uint32_t list_type = n == 1 ? KORVU_TYPE_SEQUENCE_OF_OCTET_STRING : KORVU_TYPE_CERTDIGESTLIST;
  void *list = nullptr;
  r = korvu_asn1_any_toobject(static_cast<KORVU_ASN1_ANY *>(view->certList), list_type, &list, ctx);
  if (r != 1) {
    st::free_record(read, raw);
    return r;
  }
  value_free(KORVU_TYPE_ANY, view->certList);
  value_free(KORVU_TYPE_INTEGER, view->certListType);
  view->certList = list;
  view->certListType = nullptr;
  auto *record = static_cast<KORVU_GB_SES_ESPROPERTYINFO *>(raw);
  record->certListType = static_cast<uint32_t>(n);
  *out = record;
  return 1;
}
}  // namespace

KORVU_REGISTER_TYPE(KORVU_TYPE_SES_ESPROPERTYINFO_GB) = {&gb_free,         &gb_length, nullptr, &gb_encode,
                                                         &gb_decode,       &gb_encode_whole};

KORVU_API KORVU_GB_SES_ESPROPERTYINFO *korvu_gb_ses_espropertyinfo_newcert(
    const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const KORVU_ASN1_LIST *cert_list,
    const KORVU_ASN1_TIME *create_date, const KORVU_ASN1_TIME *valid_start, const KORVU_ASN1_TIME *valid_end) {
  auto *r = static_cast<KORVU_GB_SES_ESPROPERTYINFO *>(
      st::make<kGbPropertyCerts>(type, name, cert_list, create_date, valid_start, valid_end));
  if (r != nullptr) r->certListType = 1;
  return r;
}
KORVU_API KORVU_GB_SES_ESPROPERTYINFO *korvu_gb_ses_espropertyinfo_newcertdigest(
    const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const KORVU_ASN1_LIST *cert_digest_list,
    const KORVU_ASN1_TIME *create_date, const KORVU_ASN1_TIME *valid_start, const KORVU_ASN1_TIME *valid_end) {
  auto *r = static_cast<KORVU_GB_SES_ESPROPERTYINFO *>(
      st::make<kGbPropertyDigests>(type, name, cert_digest_list, create_date, valid_start, valid_end));
  if (r != nullptr) r->certListType = 2;
  return r;
}
KORVU_GET(korvu_gb_ses_espropertyinfo_gettype, kGbPropertyCerts, type);
KORVU_GET(korvu_gb_ses_espropertyinfo_getname, kGbPropertyCerts, name);
KORVU_GET(korvu_gb_ses_espropertyinfo_getcreatedate, kGbPropertyCerts, createDate);
KORVU_GET(korvu_gb_ses_espropertyinfo_getvalidstart, kGbPropertyCerts, validStart);
KORVU_GET(korvu_gb_ses_espropertyinfo_getvalidend, kGbPropertyCerts, validEnd);
KORVU_API uint32_t korvu_gb_ses_espropertyinfo_getcertlistype(const KORVU_GB_SES_ESPROPERTYINFO *v) {
  return v != nullptr ? v->certListType : 0xFFFFFFFFu;
}
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_espropertyinfo_getcertlist(const KORVU_GB_SES_ESPROPERTYINFO *v) {
  return v != nullptr && v->certListType == 1 ? v->certList : nullptr;
}
KORVU_API KORVU_ASN1_LIST *korvu_gb_ses_espropertyinfo_getcertdigestlist(const KORVU_GB_SES_ESPROPERTYINFO *v) {
  return v != nullptr && v->certListType == 2 ? v->certList : nullptr;
}

// SES_SealInfo ::= SEQUENCE { header SES_Header, esID IA5String, property SES_ESPropertyInfo,
//   picture SES_ESPictureInfo, extDatas ExtDatas OPTIONAL }
constexpr st::Field kGbSealInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_SES_HEADER, KORVU_GB_SES_SEALINFO, header),
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_GB_SES_SEALINFO, esID),
    KORVU_FIELD(KORVU_TYPE_SES_ESPROPERTYINFO_GB, KORVU_GB_SES_SEALINFO, property),
    KORVU_FIELD(KORVU_TYPE_SES_ESPICTUREINFO, KORVU_GB_SES_SEALINFO, picture),
    KORVU_FIELD(KORVU_TYPE_EXTDATAS, KORVU_GB_SES_SEALINFO, extDatas).optional()};
constexpr st::StructDef kGbSealInfo =
    st::sequence(KORVU_TYPE_SES_SEALINFO_GB, kGbSealInfoFields, sizeof(KORVU_GB_SES_SEALINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SES_SEALINFO_GB, kGbSealInfo);
KORVU_API KORVU_GB_SES_SEALINFO *korvu_gb_ses_sealinfo_new(const KORVU_SES_HEADER *header,
                                                          const KORVU_ASN1_STRING *es_id,
                                                          const KORVU_GB_SES_ESPROPERTYINFO *property,
                                                          const KORVU_SES_ESPICTUREINFO *picture,
                                                          const KORVU_ASN1_LIST *ext_datas) {
  return static_cast<KORVU_GB_SES_SEALINFO *>(st::make<kGbSealInfo>(header, es_id, property, picture, ext_datas));
}
KORVU_GET(korvu_gb_ses_sealinfo_getheader, kGbSealInfo, header);
KORVU_GET(korvu_gb_ses_sealinfo_getesid, kGbSealInfo, esID);
KORVU_GET(korvu_gb_ses_sealinfo_getproperty, kGbSealInfo, property);
KORVU_GET(korvu_gb_ses_sealinfo_getpicture, kGbSealInfo, picture);
KORVU_GET(korvu_gb_ses_sealinfo_getextdatas, kGbSealInfo, extDatas);

// SES_Seal ::= SEQUENCE { esealInfo SES_SealInfo, cert OCTET STRING, signAlgID OBJECT IDENTIFIER,
//   signedValue BIT STRING }
constexpr st::Field kGbSealFields[] = {
    KORVU_FIELD(KORVU_TYPE_SES_SEALINFO_GB, KORVU_GB_SES_SEAL, esealInfo),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_GB_SES_SEAL, cert),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_GB_SES_SEAL, signAlgID),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_GB_SES_SEAL, signedValue)};
constexpr st::StructDef kGbSeal = st::sequence(KORVU_TYPE_SES_SEAL, kGbSealFields, sizeof(KORVU_GB_SES_SEAL));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SES_SEAL, kGbSeal);
KORVU_API KORVU_GB_SES_SEAL *korvu_gb_ses_seal_new(const KORVU_GB_SES_SEALINFO *eseal_info,
                                                  const KORVU_ASN1_OCTETSTRING *cert,
                                                  const KORVU_ASN1_OID *sign_alg_id,
                                                  const KORVU_ASN1_BITSTRING *signed_value) {
  return static_cast<KORVU_GB_SES_SEAL *>(st::make<kGbSeal>(eseal_info, cert, sign_alg_id, signed_value));
}
KORVU_GET(korvu_gb_ses_seal_getesealinfo, kGbSeal, esealInfo);
KORVU_GET(korvu_gb_ses_seal_getcert, kGbSeal, cert);
KORVU_GET(korvu_gb_ses_seal_getsignalgid, kGbSeal, signAlgID);
KORVU_GET(korvu_gb_ses_seal_getsignedvalue, kGbSeal, signedValue);

// TBS_Sign ::= SEQUENCE { version INTEGER, eseal SES_Seal, timeInfo GeneralizedTime, dataHash BIT STRING,
//   propertyInfo IA5String, extDatas [0] EXPLICIT ExtDatas OPTIONAL }
constexpr st::Field kGbTbsSignFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_GB_SES_TBSSIGN, version),
    KORVU_FIELD(KORVU_TYPE_SES_SEAL, KORVU_GB_SES_TBSSIGN, eseal),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_GB_SES_TBSSIGN, timeInfo),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_GB_SES_TBSSIGN, dataHash),
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_GB_SES_TBSSIGN, propertyInfo),
    KORVU_FIELD(KORVU_TYPE_EXTDATAS, KORVU_GB_SES_TBSSIGN, extDatas).explicit_(0).optional()};
constexpr st::StructDef kGbTbsSign =
    st::sequence(KORVU_TYPE_TBS_SIGN_GB, kGbTbsSignFields, sizeof(KORVU_GB_SES_TBSSIGN));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TBS_SIGN_GB, kGbTbsSign);
KORVU_API KORVU_GB_SES_TBSSIGN *korvu_gb_ses_tbssign_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_GB_SES_SEAL *eseal,
                                                        const KORVU_ASN1_TIME *time_info,
                                                        const KORVU_ASN1_BITSTRING *data_hash,
                                                        const KORVU_ASN1_STRING *property_info,
                                                        const KORVU_ASN1_LIST *ext_datas) {
  return static_cast<KORVU_GB_SES_TBSSIGN *>(
      st::make<kGbTbsSign>(version, eseal, time_info, data_hash, property_info, ext_datas));
}
KORVU_GET(korvu_gb_ses_tbssign_getversion, kGbTbsSign, version);
KORVU_GET(korvu_gb_ses_tbssign_geteseal, kGbTbsSign, eseal);
KORVU_GET(korvu_gb_ses_tbssign_gettimeinfo, kGbTbsSign, timeInfo);
KORVU_GET(korvu_gb_ses_tbssign_getdatahash, kGbTbsSign, dataHash);
KORVU_GET(korvu_ses_gb_tbssign_getpropertyinfo, kGbTbsSign, propertyInfo);
KORVU_GET(korvu_gb_ses_tbssign_getextdatas, kGbTbsSign, extDatas);

// SES_Signature ::= SEQUENCE { toSign TBS_Sign, cert OCTET STRING, signatureAlgID OBJECT IDENTIFIER,
//   signature BIT STRING, timeStamp [0] EXPLICIT BIT STRING OPTIONAL }
constexpr st::Field kGbSignatureFields[] = {
    KORVU_FIELD(KORVU_TYPE_TBS_SIGN_GB, KORVU_GB_SES_SIGNATURE, toSign),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_GB_SES_SIGNATURE, cert),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_GB_SES_SIGNATURE, signatureAlgID),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_GB_SES_SIGNATURE, signature),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_GB_SES_SIGNATURE, timeStamp).explicit_(0).optional()};
constexpr st::StructDef kGbSignature =
    st::sequence(KORVU_TYPE_SES_SIGNATURE_GB, kGbSignatureFields, sizeof(KORVU_GB_SES_SIGNATURE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SES_SIGNATURE_GB, kGbSignature);
KORVU_API KORVU_GB_SES_SIGNATURE *korvu_gb_ses_signature_new(const KORVU_GB_SES_TBSSIGN *to_sign,
                                                            const KORVU_ASN1_OCTETSTRING *cert,
                                                            const KORVU_ASN1_OID *signature_alg_id,
                                                            const KORVU_ASN1_BITSTRING *signature,
                                                            const KORVU_ASN1_BITSTRING *time_stamp) {
  return static_cast<KORVU_GB_SES_SIGNATURE *>(
      st::make<kGbSignature>(to_sign, cert, signature_alg_id, signature, time_stamp));
}
KORVU_GET(korvu_gb_ses_signature_gettosign, kGbSignature, toSign);
KORVU_GET(korvu_gb_ses_signature_getcert, kGbSignature, cert);
KORVU_GET(korvu_gb_ses_signature_getsignaturealgid, kGbSignature, signatureAlgID);
KORVU_GET(korvu_gb_ses_signature_getsignature, kGbSignature, signature);
KORVU_GET(korvu_gb_ses_signature_gettimestamp, kGbSignature, timeStamp);
