// GM/T message variants: PKCS #7 SignedAndEnvelopedData (RFC 2315 11, the shape of SM2 digital envelopes, GM/T
// 0010) and the SM9 family of GM/T 0010 and 0044: SM9 signature and cipher, DistricInfo, the SM9 identifier, the
// published system parameters, identifier revocation lists, and SM9 SignedData and EnvelopedData with their signer
// and recipient infos. The record layouts are in korvu/cms_gmt.h.
#define KORVU_SRC "KORVU_ASN1_PKCS7"
#include "cms_internal.h"

#include "../core/list_codec.h"
#include "korvu/cms_enveloped.h"
#include "korvu/cms_gmt.h"

using namespace korvu;

// SignedAndEnvelopedData ::= SEQUENCE { version Version, recipientInfos RecipientInfos,
//   digestAlgorithms DigestAlgorithmIdentifiers, encryptedContentInfo EncryptedContentInfo,
//   certificates [0] IMPLICIT ExtendedCertificatesAndCertificates OPTIONAL,
//   crls [1] IMPLICIT CertificateRevocationLists OPTIONAL, signerInfos SignerInfos }
constexpr st::Field kSedFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SIGNEDANDENVELOPEDDATA, version),
    KORVU_FIELD(KORVU_TYPE_RECIPIENTINFOS, KORVU_SIGNEDANDENVELOPEDDATA, recipientInfos),
    KORVU_FIELD(KORVU_TYPE_DIGESTALGORITHMIDENTIFIERS, KORVU_SIGNEDANDENVELOPEDDATA, digestAlgorithms),
    KORVU_FIELD(KORVU_TYPE_ENCRYPTEDCONTENTINFO, KORVU_SIGNEDANDENVELOPEDDATA, encryptedContentInfo),
    KORVU_FIELD(KORVU_TYPE_CERTIFICATESET, KORVU_SIGNEDANDENVELOPEDDATA, certificates)
        .implicit(0)
        .optional(offsetof(KORVU_SIGNEDANDENVELOPEDDATA, hasCertificates)),
    KORVU_FIELD(KORVU_TYPE_REVOCATIONINFOCHOICES, KORVU_SIGNEDANDENVELOPEDDATA, crls)
        .implicit(1)
        .optional(offsetof(KORVU_SIGNEDANDENVELOPEDDATA, hasCrls)),
    KORVU_FIELD(KORVU_TYPE_SIGNERINFOS, KORVU_SIGNEDANDENVELOPEDDATA, signerInfos)};
constexpr st::StructDef kSed =
    st::sequence(KORVU_TYPE_SIGNEDANDENVELOPEDDATA, kSedFields, sizeof(KORVU_SIGNEDANDENVELOPEDDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNEDANDENVELOPEDDATA, kSed);
KORVU_API KORVU_SIGNEDANDENVELOPEDDATA *korvu_signedandenvelopeddata_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_ASN1_LIST *recipient_infos, const KORVU_ASN1_LIST *digest_algorithms,
    const KORVU_CMS_ENCCONTENTINFO *enc_info, const KORVU_ASN1_LIST *certificates, const KORVU_ASN1_LIST *crls,
    const KORVU_ASN1_LIST *signer_infos) {
  return static_cast<KORVU_SIGNEDANDENVELOPEDDATA *>(
      st::make<kSed>(version, recipient_infos, digest_algorithms, enc_info, certificates, crls, signer_infos));
}
KORVU_GET(korvu_signedandenvelopeddata_getversion, kSed, version);
KORVU_GET(korvu_signedandenvelopeddata_getrecipientinfos, kSed, recipientInfos);
KORVU_GET(korvu_signedandenvelopeddata_getdigestalgorithms, kSed, digestAlgorithms);
KORVU_GET(korvu_signedandenvelopeddata_getencryptedcontentinfo, kSed, encryptedContentInfo);
KORVU_GET(korvu_signedandenvelopeddata_getcertificates, kSed, certificates);
KORVU_HAS(korvu_signedandenvelopeddata_hascertificates, kSed, certificates);
KORVU_GET(korvu_signedandenvelopeddata_getcrls, kSed, crls);
KORVU_HAS(korvu_signedandenvelopeddata_hascrls, kSed, crls);
KORVU_GET(korvu_signedandenvelopeddata_getsignerinfos, kSed, signerInfos);

// SM9Signature ::= SEQUENCE { h OCTET STRING, S BIT STRING }
constexpr st::Field kSm9SigFields[] = {KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_SIGNATURE, h),
                                       KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SM9_SIGNATURE, S)};
constexpr st::StructDef kSm9Sig = st::sequence(KORVU_TYPE_SM9_SIGNATURE, kSm9SigFields, sizeof(KORVU_SM9_SIGNATURE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_SIGNATURE, kSm9Sig);
KORVU_API KORVU_SM9_SIGNATURE *korvu_sm9signature_new(const KORVU_ASN1_OCTETSTRING *h, const KORVU_ASN1_BITSTRING *s) {
  return static_cast<KORVU_SM9_SIGNATURE *>(st::make<kSm9Sig>(h, s));
}
KORVU_GET(korvu_sm9signature_geth, kSm9Sig, h);
KORVU_GET(korvu_sm9signature_gets, kSm9Sig, S);

// SM9Cipher ::= SEQUENCE { enType INTEGER, C1 BIT STRING, C3 OCTET STRING, CipherText OCTET STRING }
constexpr st::Field kSm9CipherFields[] = {KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM9_CIPHER, enType),
                                          KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SM9_CIPHER, C1),
                                          KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_CIPHER, C3),
                                          KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_CIPHER, CipherText)};
constexpr st::StructDef kSm9Cipher = st::sequence(KORVU_TYPE_SM9_CIPHER, kSm9CipherFields, sizeof(KORVU_SM9_CIPHER));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_CIPHER, kSm9Cipher);
KORVU_API KORVU_SM9_CIPHER *korvu_sm9cipher_new(const KORVU_ASN1_INTEGER *en_type, const KORVU_ASN1_BITSTRING *c1,
                                                const KORVU_ASN1_OCTETSTRING *c3,
                                                const KORVU_ASN1_OCTETSTRING *cipher_text) {
  return static_cast<KORVU_SM9_CIPHER *>(st::make<kSm9Cipher>(en_type, c1, c3, cipher_text));
}
KORVU_GET(korvu_sm9cipher_getentype, kSm9Cipher, enType);
KORVU_GET(korvu_sm9cipher_getc1, kSm9Cipher, C1);
KORVU_GET(korvu_sm9cipher_getc3, kSm9Cipher, C3);
KORVU_GET(korvu_sm9cipher_getciphertext, kSm9Cipher, CipherText);

// DistricInfo ::= SEQUENCE { district IA5String, districtNo INTEGER }
constexpr st::Field kDistrictFields[] = {KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_SM9_DISTRICTINFO, district),
                                         KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM9_DISTRICTINFO, districtNo)};
constexpr st::StructDef kDistrict =
    st::sequence(KORVU_TYPE_SM9_DISTRICINFO, kDistrictFields, sizeof(KORVU_SM9_DISTRICTINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_DISTRICINFO, kDistrict);
KORVU_API KORVU_SM9_DISTRICTINFO *korvu_sm9districtinfo_new(const KORVU_ASN1_STRING *district,
                                                            const KORVU_ASN1_INTEGER *district_no) {
  return static_cast<KORVU_SM9_DISTRICTINFO *>(st::make<kDistrict>(district, district_no));
}
KORVU_GET(korvu_sm9districtinfo_getdistrict, kDistrict, district);
KORVU_GET(korvu_sm9districtinfo_getdistrictno, kDistrict, districtNo);

// Identifier ::= SEQUENCE { version INTEGER DEFAULT 1, ibcType OBJECT IDENTIFIER,
//   ibcTypeAlias [0] EXPLICIT OCTET STRING OPTIONAL, identityData OCTET STRING, validStart UTCTime,
//   validEnd [1] EXPLICIT UTCTime OPTIONAL, extensions [2] EXPLICIT Extensions OPTIONAL }
// The version is compared with its default by value, so any encoding of 1 is left out.
constexpr unsigned char kVersionOne[] = {0x02, 0x01, 0x01};
constexpr st::Field kSm9IdFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM9_IDENTIFIER, version)
        .defaults(kVersionOne, st::DefaultRule::IntegerValue),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SM9_IDENTIFIER, ibcType),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_IDENTIFIER, ibcTypeAlias).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_IDENTIFIER, identityData),
    KORVU_FIELD(KORVU_TYPE_UTCTIME, KORVU_SM9_IDENTIFIER, validStart),
    KORVU_FIELD(KORVU_TYPE_UTCTIME, KORVU_SM9_IDENTIFIER, validEnd).explicit_(1).optional(),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_SM9_IDENTIFIER, extensions).explicit_(2).optional()};
constexpr st::StructDef kSm9Id = st::sequence(KORVU_TYPE_SM9_IDENTIFIER, kSm9IdFields, sizeof(KORVU_SM9_IDENTIFIER));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_IDENTIFIER, kSm9Id);
KORVU_API KORVU_SM9_IDENTIFIER *korvu_sm9identifier_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_ASN1_OID *ibc_type,
                                                        const KORVU_ASN1_OCTETSTRING *ibc_type_alias,
                                                        const KORVU_ASN1_OCTETSTRING *identity_data,
                                                        const KORVU_ASN1_TIME *valid_start,
                                                        const KORVU_ASN1_TIME *valid_end,
                                                        const KORVU_ASN1_LIST *extensions) {
  return static_cast<KORVU_SM9_IDENTIFIER *>(
      st::make<kSm9Id>(version, ibc_type, ibc_type_alias, identity_data, valid_start, valid_end, extensions));
}
KORVU_GET(korvu_sm9identifier_getversion, kSm9Id, version);
KORVU_GET(korvu_sm9identifier_getibctype, kSm9Id, ibcType);
KORVU_GET(korvu_sm9identifier_getibctypealias, kSm9Id, ibcTypeAlias);
KORVU_GET(korvu_sm9identifier_getidentitydata, kSm9Id, identityData);
KORVU_GET(korvu_sm9identifier_getvalidstart, kSm9Id, validStart);
KORVU_GET(korvu_sm9identifier_getvalidend, kSm9Id, validEnd);
KORVU_GET(korvu_sm9identifier_getextensions, kSm9Id, extensions);

// IBCPublicParameter ::= SEQUENCE { ibcAlgorithm OBJECT IDENTIFIER, publicParameterData OCTET STRING }
// IBCPublicParameters ::= SEQUENCE OF IBCPublicParameter
constexpr st::Field kPubParamFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_IBC_PUBLICPARAMETER, ibcAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_IBC_PUBLICPARAMETER, publicParameterData)};
constexpr st::StructDef kPubParam =
    st::sequence(KORVU_TYPE_IBCPUBLICPARAMETER, kPubParamFields, sizeof(KORVU_IBC_PUBLICPARAMETER));
KORVU_REGISTER_STRUCT(KORVU_TYPE_IBCPUBLICPARAMETER, kPubParam);
KORVU_REGISTER_TYPE(KORVU_TYPE_IBCPUBLICPARAMETERS) =
    list::TypedList<KORVU_TYPE_IBCPUBLICPARAMETERS, KORVU_TYPE_IBCPUBLICPARAMETER>::ops;
KORVU_API KORVU_IBC_PUBLICPARAMETER *korvu_ibcpublicparameter_new(const KORVU_ASN1_OID *algorithm,
                                                                  const KORVU_ASN1_OCTETSTRING *data) {
  return static_cast<KORVU_IBC_PUBLICPARAMETER *>(st::make<kPubParam>(algorithm, data));
}
KORVU_GET(korvu_ibcpublicparameter_getibcalgo, kPubParam, ibcAlgorithm);
KORVU_GET(korvu_ibcpublicparameter_getpublicparamdata, kPubParam, publicParameterData);

// SM9PublicParameterData ::= SEQUENCE { pkgId OCTET STRING, encMasterPublicKey BIT STRING,
//   signMasterPublicKey BIT STRING }
constexpr st::Field kSm9PubDataFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_PUBLICPARAMETERDATA, pkgId),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SM9_PUBLICPARAMETERDATA, encMasterPublicKey),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SM9_PUBLICPARAMETERDATA, signMasterPublicKey)};
constexpr st::StructDef kSm9PubData =
    st::sequence(KORVU_TYPE_SM9PUBLICPARAMETERDATA, kSm9PubDataFields, sizeof(KORVU_SM9_PUBLICPARAMETERDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9PUBLICPARAMETERDATA, kSm9PubData);
KORVU_API KORVU_SM9_PUBLICPARAMETERDATA *korvu_sm9publicparameterdata_new(const KORVU_ASN1_OCTETSTRING *pkg_id,
                                                                          const KORVU_ASN1_BITSTRING *enc_master,
                                                                          const KORVU_ASN1_BITSTRING *sign_master) {
  return static_cast<KORVU_SM9_PUBLICPARAMETERDATA *>(st::make<kSm9PubData>(pkg_id, enc_master, sign_master));
}
KORVU_GET(korvu_sm9publicparameterdata_getpkgid, kSm9PubData, pkgId);
KORVU_GET(korvu_sm9publicparameterdata_getencmasterpublickey, kSm9PubData, encMasterPublicKey);
KORVU_GET(korvu_sm9publicparameterdata_getsignmasterpublickey, kSm9PubData, signMasterPublicKey);

// IBCParamExtension ::= SEQUENCE { oid OBJECT IDENTIFIER, value OCTET STRING }
// IBCParamExtensions ::= SEQUENCE OF IBCParamExtension
constexpr st::Field kParamExtFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_IBC_PARAMEXTENSION, oid),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_IBC_PARAMEXTENSION, value)};
constexpr st::StructDef kParamExt =
    st::sequence(KORVU_TYPE_IBCPARAMEXTENSION, kParamExtFields, sizeof(KORVU_IBC_PARAMEXTENSION));
KORVU_REGISTER_STRUCT(KORVU_TYPE_IBCPARAMEXTENSION, kParamExt);
KORVU_REGISTER_TYPE(KORVU_TYPE_IBCPARAMEXTENSIONS) =
    list::TypedList<KORVU_TYPE_IBCPARAMEXTENSIONS, KORVU_TYPE_IBCPARAMEXTENSION>::ops;
KORVU_API KORVU_IBC_PARAMEXTENSION *korvu_ibcparamextension_new(const KORVU_ASN1_OID *oid,
                                                                const KORVU_ASN1_OCTETSTRING *value) {
  return static_cast<KORVU_IBC_PARAMEXTENSION *>(st::make<kParamExt>(oid, value));
}
KORVU_GET(korvu_ibcparamextension_getoid, kParamExt, oid);
KORVU_GET(korvu_ibcparamextension_getvalue, kParamExt, value);

// IBCSysParams ::= SEQUENCE { version INTEGER, districtName IA5String, districtSerial INTEGER,
//   validity Validity, ibcPublicParams IBCPublicParameters, ibcIdentityType OBJECT IDENTIFIER,
//   issuerId Identifier, ibcParamExts IBCParamExtensions OPTIONAL }
constexpr st::Field kSysParamsFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_IBC_SYSPARAMS, version),
    KORVU_FIELD(KORVU_TYPE_IA5STRING, KORVU_IBC_SYSPARAMS, districtName),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_IBC_SYSPARAMS, districtSerial),
    KORVU_FIELD(KORVU_TYPE_VALIDITY, KORVU_IBC_SYSPARAMS, validity),
    KORVU_FIELD(KORVU_TYPE_IBCPUBLICPARAMETERS, KORVU_IBC_SYSPARAMS, ibcPublicParams),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_IBC_SYSPARAMS, ibcIdentityType),
    KORVU_FIELD(KORVU_TYPE_SM9_IDENTIFIER, KORVU_IBC_SYSPARAMS, issuerId),
    KORVU_FIELD(KORVU_TYPE_IBCPARAMEXTENSIONS, KORVU_IBC_SYSPARAMS, ibcParamExts).optional()};
constexpr st::StructDef kSysParams = st::sequence(KORVU_TYPE_IBC_SYS_PARAMS, kSysParamsFields, sizeof(KORVU_IBC_SYSPARAMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_IBC_SYS_PARAMS, kSysParams);
KORVU_API KORVU_IBC_SYSPARAMS *korvu_ibcsysparams_new(const KORVU_ASN1_INTEGER *version,
                                                      const KORVU_ASN1_STRING *district_name,
                                                      const KORVU_ASN1_INTEGER *district_serial,
                                                      const KORVU_X509_VALIDITY *validity,
                                                      const KORVU_ASN1_LIST *public_params,
                                                      const KORVU_ASN1_OID *identity_type,
                                                      const KORVU_SM9_IDENTIFIER *issuer_id,
                                                      const KORVU_ASN1_LIST *param_exts) {
  return static_cast<KORVU_IBC_SYSPARAMS *>(st::make<kSysParams>(
      version, district_name, district_serial, validity, public_params, identity_type, issuer_id, param_exts));
}
KORVU_GET(korvu_ibcsysparams_getversion, kSysParams, version);
KORVU_GET(korvu_ibcsysparams_getdistrictname, kSysParams, districtName);
KORVU_GET(korvu_ibcsysparams_getdistrictserial, kSysParams, districtSerial);
KORVU_GET(korvu_ibcsysparams_getvalidity, kSysParams, validity);
KORVU_GET(korvu_ibcsysparams_getibcpublicparams, kSysParams, ibcPublicParams);
KORVU_GET(korvu_ibcsysparams_getibcidentitytype, kSysParams, ibcIdentityType);
KORVU_GET(korvu_ibcsysparams_getissuerid, kSysParams, issuerId);
KORVU_GET(korvu_ibcsysparams_getibcparamexts, kSysParams, ibcParamExts);

// RevokedId ::= SEQUENCE { id OCTET STRING, revocationDate GeneralizedTime, exts [0] EXPLICIT Extensions OPTIONAL }
// RevokedIds ::= SEQUENCE OF RevokedId
constexpr st::Field kRevokedIdFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_REVOKEDID, id),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SM9_REVOKEDID, revocationDate),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_SM9_REVOKEDID, exts).explicit_(0).optional()};
constexpr st::StructDef kRevokedId =
    st::sequence(KORVU_TYPE_SM9_REVOKEDID, kRevokedIdFields, sizeof(KORVU_SM9_REVOKEDID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_REVOKEDID, kRevokedId);
KORVU_REGISTER_TYPE(KORVU_TYPE_SM9_REVOKEDIDS) =
    list::TypedList<KORVU_TYPE_SM9_REVOKEDIDS, KORVU_TYPE_SM9_REVOKEDID>::ops;
KORVU_API KORVU_SM9_REVOKEDID *korvu_sm9revokedid_new(const KORVU_ASN1_OCTETSTRING *id,
                                                      const KORVU_ASN1_TIME *revocation_date,
                                                      const KORVU_ASN1_LIST *exts) {
  return static_cast<KORVU_SM9_REVOKEDID *>(st::make<kRevokedId>(id, revocation_date, exts));
}
KORVU_GET(korvu_sm9revokedid_getid, kRevokedId, id);
KORVU_GET(korvu_sm9revokedid_getrevocationdate, kRevokedId, revocationDate);
KORVU_GET(korvu_sm9revokedid_getexts, kRevokedId, exts);

// TBSIdList ::= SEQUENCE { version INTEGER, signature AlgorithmIdentifier, issuerId Identifier,
//   thisUpdate GeneralizedTime, nextUpdate [0] EXPLICIT GeneralizedTime OPTIONAL, revokedIds RevokedIds,
//   exts [1] EXPLICIT Extensions OPTIONAL }
constexpr st::Field kTbsIdListFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM9_TBSIDLIST, version),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SM9_TBSIDLIST, signature),
    KORVU_FIELD(KORVU_TYPE_SM9_IDENTIFIER, KORVU_SM9_TBSIDLIST, issuerId),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SM9_TBSIDLIST, thisUpdate),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_SM9_TBSIDLIST, nextUpdate).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_SM9_REVOKEDIDS, KORVU_SM9_TBSIDLIST, revokedIds),
    KORVU_FIELD(KORVU_TYPE_EXTENSIONS, KORVU_SM9_TBSIDLIST, exts).explicit_(1).optional()};
constexpr st::StructDef kTbsIdList =
    st::sequence(KORVU_TYPE_SM9_TBSIDLIST, kTbsIdListFields, sizeof(KORVU_SM9_TBSIDLIST));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_TBSIDLIST, kTbsIdList);
KORVU_API KORVU_SM9_TBSIDLIST *korvu_sm9tbsidlist_new(const KORVU_ASN1_INTEGER *version,
                                                      const KORVU_X509_ALGID *signature,
                                                      const KORVU_SM9_IDENTIFIER *issuer_id,
                                                      const KORVU_ASN1_TIME *this_update,
                                                      const KORVU_ASN1_TIME *next_update,
                                                      const KORVU_ASN1_LIST *revoked_ids,
                                                      const KORVU_ASN1_LIST *exts) {
  return static_cast<KORVU_SM9_TBSIDLIST *>(
      st::make<kTbsIdList>(version, signature, issuer_id, this_update, next_update, revoked_ids, exts));
}
KORVU_GET(korvu_sm9tbsidlist_getversion, kTbsIdList, version);
KORVU_GET(korvu_sm9tbsidlist_getsignatureoid, kTbsIdList, signature);
KORVU_GET(korvu_sm9tbsidlist_getissuerid, kTbsIdList, issuerId);
KORVU_GET(korvu_sm9tbsidlist_getthisupdate, kTbsIdList, thisUpdate);
KORVU_GET(korvu_sm9tbsidlist_getnextupdate, kTbsIdList, nextUpdate);
KORVU_GET(korvu_sm9tbsidlist_getrevokedids, kTbsIdList, revokedIds);
KORVU_GET(korvu_sm9tbsidlist_getexts, kTbsIdList, exts);

// IBCSysParamsPublishinfo ::= SEQUENCE { sysParams IBCSysParams, signAlgo OBJECT IDENTIFIER, signValue BIT STRING }
// IBCSysParamsPublishinfos ::= SET OF IBCSysParamsPublishinfo
constexpr st::Field kPublishFields[] = {
    KORVU_FIELD(KORVU_TYPE_IBC_SYS_PARAMS, KORVU_IBC_SYSPARAMSPUBLISHINFO, sysParams),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_IBC_SYSPARAMSPUBLISHINFO, signAlgo),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_IBC_SYSPARAMSPUBLISHINFO, signValue)};
constexpr st::StructDef kPublish =
    st::sequence(KORVU_TYPE_IBCSYSPARAMSPUBLISHINFO, kPublishFields, sizeof(KORVU_IBC_SYSPARAMSPUBLISHINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_IBCSYSPARAMSPUBLISHINFO, kPublish);
KORVU_REGISTER_TYPE(KORVU_TYPE_IBCSYSPARAMSPUBLISHINFOS) =
    list::TypedList<KORVU_TYPE_IBCSYSPARAMSPUBLISHINFOS, KORVU_TYPE_IBCSYSPARAMSPUBLISHINFO>::ops;
KORVU_API KORVU_IBC_SYSPARAMSPUBLISHINFO *korvu_ibcsysparamspublishinfo_new(const KORVU_IBC_SYSPARAMS *sys_params,
                                                                            const KORVU_ASN1_OID *sign_algo,
                                                                            const KORVU_ASN1_BITSTRING *sign_value) {
  return static_cast<KORVU_IBC_SYSPARAMSPUBLISHINFO *>(st::make<kPublish>(sys_params, sign_algo, sign_value));
}
KORVU_GET(korvu_ibcsysparamspublishinfo_getsysparams, kPublish, sysParams);
KORVU_GET(korvu_ibcsysparamspublishinfo_getsignalgo, kPublish, signAlgo);
KORVU_GET(korvu_ibcsysparamspublishinfo_getsignvalue, kPublish, signValue);

// SM9 SignerInfo ::= SEQUENCE { version INTEGER, signerId Identifier, digestAlgorithm AlgorithmIdentifier,
//   signedAttrs [0] IMPLICIT SET OF Attribute OPTIONAL, signatureAlgorithm AlgorithmIdentifier,
//   signature SM9Signature, unsignedAttrs [1] IMPLICIT SET OF Attribute OPTIONAL }
// SM9 SignerInfos ::= SET OF SM9 SignerInfo
constexpr st::Field kSm9SignerFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM9_SIGNERINFO, version),
    KORVU_FIELD(KORVU_TYPE_SM9_IDENTIFIER, KORVU_SM9_SIGNERINFO, signerId),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SM9_SIGNERINFO, digestAlgorithm),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_SM9_SIGNERINFO, signedAttrs).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SM9_SIGNERINFO, signatureAlgorithm),
    KORVU_FIELD(KORVU_TYPE_SM9_SIGNATURE, KORVU_SM9_SIGNERINFO, signature),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_SM9_SIGNERINFO, unsignedAttrs).implicit(1).optional()};
constexpr st::StructDef kSm9Signer =
    st::sequence(KORVU_TYPE_SM9_SIGNERINFO, kSm9SignerFields, sizeof(KORVU_SM9_SIGNERINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_SIGNERINFO, kSm9Signer);
KORVU_REGISTER_TYPE(KORVU_TYPE_SM9_SIGNERINFOS) =
    list::TypedList<KORVU_TYPE_SM9_SIGNERINFOS, KORVU_TYPE_SM9_SIGNERINFO>::ops;
KORVU_API KORVU_SM9_SIGNERINFO *korvu_sm9signerinfo_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_SM9_IDENTIFIER *signer_id,
                                                        const KORVU_X509_ALGID *digest_algorithm,
                                                        const KORVU_ASN1_LIST *signed_attrs,
                                                        const KORVU_X509_ALGID *signature_algorithm,
                                                        const KORVU_SM9_SIGNATURE *signature,
                                                        const KORVU_ASN1_LIST *unsigned_attrs) {
  return static_cast<KORVU_SM9_SIGNERINFO *>(st::make<kSm9Signer>(version, signer_id, digest_algorithm, signed_attrs,
                                                                  signature_algorithm, signature, unsigned_attrs));
}
KORVU_GET(korvu_sm9signerinfo_getversion, kSm9Signer, version);
KORVU_GET(korvu_sm9signerinfo_getsignerid, kSm9Signer, signerId);
KORVU_GET(korvu_sm9signerinfo_getdigestalgo, kSm9Signer, digestAlgorithm);
KORVU_GET(korvu_sm9signerinfo_getsignattrs, kSm9Signer, signedAttrs);
KORVU_GET(korvu_sm9signerinfo_getsignalgo, kSm9Signer, signatureAlgorithm);
KORVU_GET(korvu_sm9signerinfo_getsignature, kSm9Signer, signature);
KORVU_GET(korvu_sm9signerinfo_getunsignattrs, kSm9Signer, unsignedAttrs);

// BeSignParamsPubInfo ::= SEQUENCE { sysParams IBCSysParams, signAlgo OBJECT IDENTIFIER }
constexpr st::Field kBeSignFields[] = {
    KORVU_FIELD(KORVU_TYPE_IBC_SYS_PARAMS, KORVU_SM9_BESIGNPARAMSPUBINFO, sysParams),
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SM9_BESIGNPARAMSPUBINFO, signAlgo)};
constexpr st::StructDef kBeSign =
    st::sequence(KORVU_TYPE_SM9_BESIGNPARAMSPUBINFO, kBeSignFields, sizeof(KORVU_SM9_BESIGNPARAMSPUBINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_BESIGNPARAMSPUBINFO, kBeSign);
KORVU_API KORVU_SM9_BESIGNPARAMSPUBINFO *korvu_sm9besignparamspubinfo_new(const KORVU_IBC_SYSPARAMS *sys_params,
                                                                          const KORVU_ASN1_OID *sign_algo) {
  return static_cast<KORVU_SM9_BESIGNPARAMSPUBINFO *>(st::make<kBeSign>(sys_params, sign_algo));
}
KORVU_GET(korvu_sm9besignparamspubinfo_getsysparams, kBeSign, sysParams);
KORVU_GET(korvu_sm9besignparamspubinfo_getsignalgo, kBeSign, signAlgo);

// IdentifierRevocationList ::= SEQUENCE { tbsIdList TBSIdList, signInfos SM9 SignerInfos }
// IdentifierRevocationLists ::= SET OF IdentifierRevocationList
constexpr st::Field kIrlFields[] = {KORVU_FIELD(KORVU_TYPE_SM9_TBSIDLIST, KORVU_SM9_IRL, tbsIdList),
                                    KORVU_FIELD(KORVU_TYPE_SM9_SIGNERINFOS, KORVU_SM9_IRL, signInfos)};
constexpr st::StructDef kIrl = st::sequence(KORVU_TYPE_SM9_IDENTIFIERREVOCATIONLIST, kIrlFields, sizeof(KORVU_SM9_IRL));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_IDENTIFIERREVOCATIONLIST, kIrl);
KORVU_REGISTER_TYPE(KORVU_TYPE_SM9_IDENTIFIERREVOCATIONLISTS) =
    list::TypedList<KORVU_TYPE_SM9_IDENTIFIERREVOCATIONLISTS, KORVU_TYPE_SM9_IDENTIFIERREVOCATIONLIST>::ops;
KORVU_API KORVU_SM9_IRL *korvu_sm9identifierrevocationlist_new(const KORVU_SM9_TBSIDLIST *tbs_id_list,
                                                               const KORVU_ASN1_LIST *sign_infos) {
  return static_cast<KORVU_SM9_IRL *>(st::make<kIrl>(tbs_id_list, sign_infos));
}
KORVU_GET(korvu_sm9identifierrevocationlist_gettbsidlist, kIrl, tbsIdList);
KORVU_GET(korvu_sm9identifierrevocationlist_getsigninfos, kIrl, signInfos);

// SM9 SignedData ::= SEQUENCE { version INTEGER, digestAlgorithms DigestAlgorithmIdentifiers,
//   contentInfo ContentInfo, ibcSysParamsPublishInfos [0] IMPLICIT IBCSysParamsPublishinfos OPTIONAL,
//   irls [1] IMPLICIT IdentifierRevocationLists OPTIONAL, signerInfos SM9 SignerInfos }
constexpr st::Field kSm9SignedFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM9_SIGNEDDATA, version),
    KORVU_FIELD(KORVU_TYPE_DIGESTALGORITHMIDENTIFIERS, KORVU_SM9_SIGNEDDATA, digestAlgorithms),
    KORVU_FIELD(KORVU_TYPE_CONTENTINFO, KORVU_SM9_SIGNEDDATA, contentInfo),
    KORVU_FIELD(KORVU_TYPE_IBCSYSPARAMSPUBLISHINFOS, KORVU_SM9_SIGNEDDATA, ibcSysParamsPublishInfos)
        .implicit(0)
        .optional(),
    KORVU_FIELD(KORVU_TYPE_SM9_IDENTIFIERREVOCATIONLISTS, KORVU_SM9_SIGNEDDATA, irls).implicit(1).optional(),
    KORVU_FIELD(KORVU_TYPE_SM9_SIGNERINFOS, KORVU_SM9_SIGNEDDATA, signerInfos)};
constexpr st::StructDef kSm9Signed =
    st::sequence(KORVU_TYPE_SM9_SIGNEDDATA, kSm9SignedFields, sizeof(KORVU_SM9_SIGNEDDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_SIGNEDDATA, kSm9Signed);
KORVU_API KORVU_SM9_SIGNEDDATA *korvu_sm9signeddata_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_ASN1_LIST *digest_algorithms,
                                                        const KORVU_PKCS7_CONTENTINFO *content_info,
                                                        const KORVU_ASN1_LIST *publish_infos,
                                                        const KORVU_ASN1_LIST *irls,
                                                        const KORVU_ASN1_LIST *signer_infos) {
  return static_cast<KORVU_SM9_SIGNEDDATA *>(
      st::make<kSm9Signed>(version, digest_algorithms, content_info, publish_infos, irls, signer_infos));
}
KORVU_GET(korvu_sm9signeddata_getversion, kSm9Signed, version);
KORVU_GET(korvu_sm9signeddata_getdigestalgos, kSm9Signed, digestAlgorithms);
KORVU_GET(korvu_sm9signeddata_getcontentinfo, kSm9Signed, contentInfo);
KORVU_GET(korvu_sm9signeddata_getibssysparamspublishinfos, kSm9Signed, ibcSysParamsPublishInfos);
KORVU_GET(korvu_sm9signeddata_getirls, kSm9Signed, irls);
KORVU_GET(korvu_sm9signeddata_getsignerinfos, kSm9Signed, signerInfos);

// SM9 EncryptedContentInfo ::= SEQUENCE { contentType OBJECT IDENTIFIER,
//   contentEncryptionAlgorithm AlgorithmIdentifier, sharedInfo1 [0] EXPLICIT OCTET STRING OPTIONAL,
//   sharedInfo2 [1] EXPLICIT OCTET STRING OPTIONAL, encryptedContent [2] IMPLICIT OCTET STRING OPTIONAL }
constexpr st::Field kSm9EncInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_SM9_ENCCONTENTINFO, contentType),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SM9_ENCCONTENTINFO, contentEncryptionAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_ENCCONTENTINFO, sharedInfo1).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_ENCCONTENTINFO, sharedInfo2).explicit_(1).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM9_ENCCONTENTINFO, encryptedContent).implicit(2).optional()};
constexpr st::StructDef kSm9EncInfo =
    st::sequence(KORVU_TYPE_SM9_ENCRYPTEDCONTENTINFO, kSm9EncInfoFields, sizeof(KORVU_SM9_ENCCONTENTINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_ENCRYPTEDCONTENTINFO, kSm9EncInfo);
KORVU_API KORVU_SM9_ENCCONTENTINFO *korvu_sm9encryptedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                      const KORVU_X509_ALGID *algorithm,
                                                                      const KORVU_ASN1_OCTETSTRING *shared_info1,
                                                                      const KORVU_ASN1_OCTETSTRING *shared_info2,
                                                                      const KORVU_ASN1_OCTETSTRING *content) {
  return static_cast<KORVU_SM9_ENCCONTENTINFO *>(
      st::make<kSm9EncInfo>(content_type, algorithm, shared_info1, shared_info2, content));
}
KORVU_GET(korvu_sm9encryptedcontentinfo_gettype, kSm9EncInfo, contentType);
KORVU_GET(korvu_sm9encryptedcontentinfo_getalgo, kSm9EncInfo, contentEncryptionAlgorithm);
KORVU_GET(korvu_sm9encryptedcontentinfo_getsharedinfo, kSm9EncInfo, sharedInfo1);
KORVU_GET(korvu_sm9encryptedcontentinfo_getsharedinfo2, kSm9EncInfo, sharedInfo2);
KORVU_GET(korvu_sm9encryptedcontentinfo_getenccontent, kSm9EncInfo, encryptedContent);

// SM9 RecipientInfo ::= SEQUENCE { version INTEGER, recipientId Identifier,
//   keyEncryptionAlgorithm AlgorithmIdentifier, encryptedKey SM9Cipher }
// SM9 RecipientInfos ::= SET OF SM9 RecipientInfo
constexpr st::Field kSm9RecipFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM9_RECIPIENTINFO, version),
    KORVU_FIELD(KORVU_TYPE_SM9_IDENTIFIER, KORVU_SM9_RECIPIENTINFO, recipientId),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SM9_RECIPIENTINFO, keyEncryptionAlgorithm),
    KORVU_FIELD(KORVU_TYPE_SM9_CIPHER, KORVU_SM9_RECIPIENTINFO, encryptedKey)};
constexpr st::StructDef kSm9Recip =
    st::sequence(KORVU_TYPE_SM9_RECIPIENTINFO, kSm9RecipFields, sizeof(KORVU_SM9_RECIPIENTINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_RECIPIENTINFO, kSm9Recip);
KORVU_REGISTER_TYPE(KORVU_TYPE_SM9_RECIPIENTINFOS) =
    list::TypedList<KORVU_TYPE_SM9_RECIPIENTINFOS, KORVU_TYPE_SM9_RECIPIENTINFO>::ops;
KORVU_API KORVU_SM9_RECIPIENTINFO *korvu_sm9recipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_SM9_IDENTIFIER *recipient_id,
                                                              const KORVU_X509_ALGID *key_enc_algorithm,
                                                              const KORVU_SM9_CIPHER *encrypted_key) {
  return static_cast<KORVU_SM9_RECIPIENTINFO *>(
      st::make<kSm9Recip>(version, recipient_id, key_enc_algorithm, encrypted_key));
}
KORVU_GET(korvu_sm9recipientinfo_getversion, kSm9Recip, version);
KORVU_GET(korvu_sm9recipientinfo_getrecipientid, kSm9Recip, recipientId);
KORVU_GET(korvu_sm9recipientinfo_getencalgo, kSm9Recip, keyEncryptionAlgorithm);
KORVU_GET(korvu_sm9recipientinfo_getenckey, kSm9Recip, encryptedKey);

// SM9 EnvelopedData ::= SEQUENCE { version INTEGER, recipientInfos SM9 RecipientInfos,
//   encryptedContentInfo SM9 EncryptedContentInfo }
constexpr st::Field kSm9EnvFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM9_ENVELOPEDDATA, version),
    KORVU_FIELD(KORVU_TYPE_SM9_RECIPIENTINFOS, KORVU_SM9_ENVELOPEDDATA, recipientInfos),
    KORVU_FIELD(KORVU_TYPE_SM9_ENCRYPTEDCONTENTINFO, KORVU_SM9_ENVELOPEDDATA, encryptedContentInfo)};
constexpr st::StructDef kSm9Env =
    st::sequence(KORVU_TYPE_SM9_ENVELOPEDDATA, kSm9EnvFields, sizeof(KORVU_SM9_ENVELOPEDDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM9_ENVELOPEDDATA, kSm9Env);
KORVU_API KORVU_SM9_ENVELOPEDDATA *korvu_sm9envelopeddata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_ASN1_LIST *recipient_infos,
                                                              const KORVU_SM9_ENCCONTENTINFO *enc_info) {
  return static_cast<KORVU_SM9_ENVELOPEDDATA *>(st::make<kSm9Env>(version, recipient_infos, enc_info));
}
KORVU_GET(korvu_sm9envelopeddata_getversion, kSm9Env, version);
KORVU_GET(korvu_sm9envelopeddata_getrecipinfos, kSm9Env, recipientInfos);
KORVU_GET(korvu_sm9envelopeddata_getencinfo, kSm9Env, encryptedContentInfo);
