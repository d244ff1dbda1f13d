// Authenticode structures: SpcIndirectDataContent (the eContent of a code signature, 1.3.6.1.4.1.311.2.1.4),
// SpcAttributeTypeAndOptionalValue, SpcSerializedObject, SpcString, SpcLink, SpcPeImageData (data type
// 1.3.6.1.4.1.311.2.1.15), SpcSpOpusInfo (the signed attribute 1.3.6.1.4.1.311.2.1.12) and the legacy
// TimeStampRequest a signer posts to a time-stamping server. All are tables of the structure engine; the record
// layouts are in korvu/authenticode.h.
#define KORVU_SRC "KORVU_ASN1_Authenticode"
#include "korvu/authenticode.h"

#include "../core/struct.h"

#include "../x509/cert_internal.h"

using namespace korvu;
using st::alternative;

// SpcAttributeTypeAndOptionalValue ::= SEQUENCE { type OBJECT IDENTIFIER, value ANY OPTIONAL }
// AlgorithmIdentifier's shape and record, under its own row.
constexpr st::StructDef kTypeValue = st::sequence(KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE, x509::kAlgIdFields,
                                                  sizeof(KORVU_X509_ALGID))
                                         .finished(x509::algid_finish);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE, kTypeValue);
KORVU_API KORVU_X509_ALGID *korvu_spcattrtypeandoptvalue_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_X509_ALGID *>(st::make<kTypeValue>(type, value));
}
KORVU_GET(korvu_spcattrtypeandoptvalue_gettype, kTypeValue, algorithm);
KORVU_HAS(korvu_spcattrtypeandoptvalue_hasvalue, kTypeValue, parameters);
KORVU_GET(korvu_spcattrtypeandoptvalue_getvalue, kTypeValue, parameters);

// SpcIndirectDataContent ::= SEQUENCE { data SpcAttributeTypeAndOptionalValue, messageDigest DigestInfo }
constexpr st::Field kIndirectFields[] = {
    KORVU_FIELD(KORVU_TYPE_SPCATTRIBUTETYPEANDOPTIONALVALUE, KORVU_SPC_INDIRECTDATACONTENT, data),
    KORVU_FIELD(KORVU_TYPE_DIGESTINFO, KORVU_SPC_INDIRECTDATACONTENT, messageDigest)};
constexpr st::StructDef kIndirect =
    st::sequence(KORVU_TYPE_SPCINDIRECTDATACONTENT, kIndirectFields, sizeof(KORVU_SPC_INDIRECTDATACONTENT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SPCINDIRECTDATACONTENT, kIndirect);
KORVU_API KORVU_SPC_INDIRECTDATACONTENT *korvu_spcindirectdatacontent_new(const KORVU_X509_ALGID *data,
                                                                         const KORVU_DIGESTINFO *message_digest) {
  return static_cast<KORVU_SPC_INDIRECTDATACONTENT *>(st::make<kIndirect>(data, message_digest));
}
KORVU_GET(korvu_spcindirectdatacontent_getdata, kIndirect, data);
KORVU_GET(korvu_spcindirectdatacontent_getmessagedigest, kIndirect, messageDigest);

// SpcSerializedObject ::= SEQUENCE { classId OCTET STRING, serializedData OCTET STRING }
constexpr st::Field kSerializedFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SPC_SERIALIZEDOBJECT, classId),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SPC_SERIALIZEDOBJECT, serializedData)};
constexpr st::StructDef kSerialized =
    st::sequence(KORVU_TYPE_SPCSERIALIZEDOBJECT, kSerializedFields, sizeof(KORVU_SPC_SERIALIZEDOBJECT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SPCSERIALIZEDOBJECT, kSerialized);
KORVU_API KORVU_SPC_SERIALIZEDOBJECT *korvu_spcserialzedobject_new(const KORVU_ASN1_OCTETSTRING *class_id,
                                                                  const KORVU_ASN1_OCTETSTRING *serialized_data) {
  return static_cast<KORVU_SPC_SERIALIZEDOBJECT *>(st::make<kSerialized>(class_id, serialized_data));
}
KORVU_GET(korvu_spcserialzedobject_getclassid, kSerialized, classId);
KORVU_GET(korvu_spcserialzedobject_getserializeddata, kSerialized, serializedData);

// SpcString ::= CHOICE { unicode [0] IMPLICIT BMPString, ascii [1] IMPLICIT IA5String }
// Chosen by the whole identifier: a context-specific [0] or [1], primitive or constructed; anything else
// (a universal BMPString, say) is "incorrect item".
static_assert(offsetof(KORVU_SPC_STRING, string) == offsetof(st::ChoiceRecord, value));
constexpr st::Field kStringAlts[] = {alternative(KORVU_SPCSTRING_UNICODE, KORVU_TYPE_BMPSTRING).implicit(0),
                                     alternative(KORVU_SPCSTRING_ASCII, KORVU_TYPE_IA5STRING).implicit(1)};
constexpr st::StructDef kString = st::choice(KORVU_TYPE_SPCSTRING, kStringAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SPCSTRING, kString);
KORVU_API KORVU_SPC_STRING *korvu_spcstring_new(uint32_t type, const KORVU_ASN1_STRING *string) {
  return static_cast<KORVU_SPC_STRING *>(st::new_choice(kString, type, string));
}
KORVU_API uint32_t korvu_spcstring_gettype(const KORVU_SPC_STRING *v) { return st::choice_of(v); }
KORVU_API KORVU_ASN1_STRING *korvu_spcstring_getstring(const KORVU_SPC_STRING *v) {
  return v != nullptr ? v->string : nullptr;
}

// SpcLink ::= CHOICE { url [0] IMPLICIT IA5String, moniker [1] IMPLICIT SpcSerializedObject,
//   file [2] EXPLICIT SpcString }
// The [2] is EXPLICIT, SpcString being a CHOICE (X.680 31.2.7).
// Chosen by the whole identifier: moniker and file are constructed only, so a primitive [1] or [2] is no
// alternative ("incorrect item") rather than a moniker or file that fails to decode.
constexpr st::Field kLinkAlts[] = {
    alternative(KORVU_SPCLINK_URL, KORVU_TYPE_IA5STRING).implicit(0),
    alternative(KORVU_SPCLINK_MONIKER, KORVU_TYPE_SPCSERIALIZEDOBJECT).implicit(1).only_constructed(),
    alternative(KORVU_SPCLINK_FILE, KORVU_TYPE_SPCSTRING).explicit_(2).only_constructed()};
constexpr st::StructDef kLink = st::choice(KORVU_TYPE_SPCLINK, kLinkAlts);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SPCLINK, kLink);
KORVU_NEW_CHOICE(korvu_spclink_newurl, kLink, KORVU_SPCLINK_URL);
KORVU_NEW_CHOICE(korvu_spclink_newmoniker, kLink, KORVU_SPCLINK_MONIKER);
KORVU_NEW_CHOICE(korvu_spclink_newfile, kLink, KORVU_SPCLINK_FILE);
KORVU_API uint32_t korvu_spclink_gettype(const KORVU_SPC_LINK *v) { return st::choice_of(v); }
KORVU_GET_CHOICE(korvu_spclink_geturl, KORVU_SPCLINK_URL);
KORVU_GET_CHOICE(korvu_spclink_getmoniker, KORVU_SPCLINK_MONIKER);
KORVU_GET_CHOICE(korvu_spclink_getfile, KORVU_SPCLINK_FILE);

// SpcPeImageData ::= SEQUENCE { flags BIT STRING, file [0] EXPLICIT SpcLink }
// The constructor's default flags are the one bit 1 (03 02 06 40).
constexpr st::Field kPeImageFields[] = {
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SPC_PEIMAGEDATA, flags),
    KORVU_FIELD(KORVU_TYPE_SPCLINK, KORVU_SPC_PEIMAGEDATA, file).explicit_(0)};
constexpr st::StructDef kPeImage =
    st::sequence(KORVU_TYPE_SPCPEIMAGEDATA, kPeImageFields, sizeof(KORVU_SPC_PEIMAGEDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SPCPEIMAGEDATA, kPeImage);
KORVU_API KORVU_SPC_PEIMAGEDATA *korvu_spcpeimagedata_new(const KORVU_ASN1_BITSTRING *flags,
                                                         const KORVU_SPC_LINK *file) {
  if (flags != nullptr) return static_cast<KORVU_SPC_PEIMAGEDATA *>(st::make<kPeImage>(flags, file));
  const int32_t bit = 1;
  Holder defaults(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_newbits(&bit, 1));
  if (defaults.get() == nullptr) return nullptr;
  return static_cast<KORVU_SPC_PEIMAGEDATA *>(
      st::make<kPeImage>(static_cast<const KORVU_ASN1_BITSTRING *>(defaults.get()), file));
}
KORVU_GET(korvu_spcpeimagedata_getflag, kPeImage, flags);
KORVU_GET(korvu_spcpeimagedata_getfile, kPeImage, file);

// SpcSpOpusInfo ::= SEQUENCE { programName [0] EXPLICIT SpcString OPTIONAL, moreInfo [1] EXPLICIT SpcLink OPTIONAL }
constexpr st::Field kOpusFields[] = {
    KORVU_FIELD(KORVU_TYPE_SPCSTRING, KORVU_SPC_SPOPUSINFO, programName)
        .explicit_(0)
        .optional(offsetof(KORVU_SPC_SPOPUSINFO, hasProgramName)),
    KORVU_FIELD(KORVU_TYPE_SPCLINK, KORVU_SPC_SPOPUSINFO, moreInfo)
        .explicit_(1)
        .optional(offsetof(KORVU_SPC_SPOPUSINFO, hasMoreInfo))};
constexpr st::StructDef kOpus = st::sequence(KORVU_TYPE_SPCSPOPUSINFO, kOpusFields, sizeof(KORVU_SPC_SPOPUSINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SPCSPOPUSINFO, kOpus);
KORVU_API KORVU_SPC_SPOPUSINFO *korvu_spcspopusinfo_new(const KORVU_SPC_STRING *program_name,
                                                       const KORVU_SPC_LINK *more_info) {
  return static_cast<KORVU_SPC_SPOPUSINFO *>(st::make<kOpus>(program_name, more_info));
}
KORVU_GET(korvu_spcspopusinfo_getprogramname, kOpus, programName);
KORVU_GET(korvu_spcspopusinfo_getmoreinfo, kOpus, moreInfo);

// TimeStampRequest ::= SEQUENCE { countersignatureType OBJECT IDENTIFIER, attributes SET OF Attribute OPTIONAL,
//   content ContentInfo }
constexpr st::Field kTimeStampReqFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_AUTHENTICODE_TIMESTAMPREQ, countersignatureType),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_AUTHENTICODE_TIMESTAMPREQ, attributes)
        .optional(offsetof(KORVU_AUTHENTICODE_TIMESTAMPREQ, hasAttributes)),
    KORVU_FIELD(KORVU_TYPE_CONTENTINFO, KORVU_AUTHENTICODE_TIMESTAMPREQ, content)};
constexpr st::StructDef kTimeStampReq =
    st::sequence(KORVU_TYPE_TIMESTAMPREQUEST, kTimeStampReqFields, sizeof(KORVU_AUTHENTICODE_TIMESTAMPREQ));
KORVU_REGISTER_STRUCT(KORVU_TYPE_TIMESTAMPREQUEST, kTimeStampReq);
KORVU_API KORVU_AUTHENTICODE_TIMESTAMPREQ *korvu_authenticode_timestampreq_new(
    const KORVU_ASN1_OID *countersignature_type, const KORVU_ASN1_LIST *attributes,
    const KORVU_PKCS7_CONTENTINFO *content) {
  return static_cast<KORVU_AUTHENTICODE_TIMESTAMPREQ *>(
      st::make<kTimeStampReq>(countersignature_type, attributes, content));
}
KORVU_GET(korvu_authenticode_timestampreq_getalgo, kTimeStampReq, countersignatureType);
KORVU_HAS(korvu_authenticode_timestampreq_hasattrs, kTimeStampReq, attributes);
KORVU_GET(korvu_authenticode_timestampreq_getattrs, kTimeStampReq, attributes);
KORVU_GET(korvu_authenticode_timestampreq_getcontent, kTimeStampReq, content);
