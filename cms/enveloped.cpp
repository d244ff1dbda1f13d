// Encrypted, authenticated and digested messages (RFC 5652 6-9; RFC 2315 12): EncryptedContentInfo (also in the
// SM2 envelope form with its two shared-information strings), EncryptedData, OriginatorInfo, the five kinds of
// RecipientInfo with their identifiers, EnvelopedData, AuthenticatedData and PKCS #7 DigestedData; the
// key-agreement inputs of RFC 2631 (KeySpecificInfo, OtherInfo) and RFC 5753 (ECC-CMS-SharedInfo), and RFC 2875's
// DHSigStatic. The record layouts are in korvu/cms_enveloped.h.
#define KORVU_SRC "KORVU_ASN1_CMS"
#include "cms_internal.h"

#include "../core/list_codec.h"
#include "korvu/cms_enveloped.h"

using namespace korvu;
using st::alternative;

// EncryptedContentInfo ::= SEQUENCE { contentType ContentType,
//   contentEncryptionAlgorithm ContentEncryptionAlgorithmIdentifier,
//   encryptedContent [0] IMPLICIT EncryptedContent OPTIONAL }
// The SM2 envelope adds sharedInfo1 [1] IMPLICIT OCTET STRING OPTIONAL and sharedInfo2 [2] IMPLICIT OCTET STRING
// OPTIONAL. Each string is primitive when its length is definite and constructed when streamed.
constexpr st::Field kEncInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_CMS_ENCCONTENTINFO, contentType),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_ENCCONTENTINFO, contentEncryptionAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_ENCCONTENTINFO, encryptedContent)
        .implicit(0)
        .optional(offsetof(KORVU_CMS_ENCCONTENTINFO, hasEncryptedContent)),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_ENCCONTENTINFO, sharedInfo1)
        .implicit(1)
        .optional(offsetof(KORVU_CMS_ENCCONTENTINFO, hasSharedInfo1)),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_ENCCONTENTINFO, sharedInfo2)
        .implicit(2)
        .optional(offsetof(KORVU_CMS_ENCCONTENTINFO, hasSharedInfo2))};
constexpr st::StructDef kEncInfo =
    st::sequence(KORVU_TYPE_ENCRYPTEDCONTENTINFO, kEncInfoFields, sizeof(KORVU_CMS_ENCCONTENTINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ENCRYPTEDCONTENTINFO, kEncInfo);
KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_cmsencryptedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                      const KORVU_X509_ALGID *algorithm,
                                                                      const KORVU_ASN1_OCTETSTRING *content) {
  const KORVU_ASN1_OCTETSTRING *none = nullptr;
  return static_cast<KORVU_CMS_ENCCONTENTINFO *>(
      st::make<kEncInfo>(content_type, algorithm, content, none, none));
}
KORVU_API KORVU_CMS_ENCCONTENTINFO *korvu_sm2_cmsencryptedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                          const KORVU_X509_ALGID *algorithm,
                                                                          const KORVU_ASN1_OCTETSTRING *content,
                                                                          const KORVU_ASN1_OCTETSTRING *shared_info1,
                                                                          const KORVU_ASN1_OCTETSTRING *shared_info2) {
  return static_cast<KORVU_CMS_ENCCONTENTINFO *>(
      st::make<kEncInfo>(content_type, algorithm, content, shared_info1, shared_info2));
}
KORVU_GET(korvu_cmsencryptedcontentinfo_gettype, kEncInfo, contentType);
KORVU_GET(korvu_cmsencryptedcontentinfo_getalgo, kEncInfo, contentEncryptionAlgorithm);
KORVU_GET(korvu_cmsencryptedcontentinfo_getenccontent, kEncInfo, encryptedContent);
KORVU_HAS(korvu_cmsencryptedcontentinfo_hasenccontent, kEncInfo, encryptedContent);
KORVU_GET(korvu_cmsencryptedcontentinfo_getsharedinfo1, kEncInfo, sharedInfo1);
KORVU_HAS(korvu_cmsencryptedcontentinfo_hassharedinfo1, kEncInfo, sharedInfo1);
KORVU_GET(korvu_cmsencryptedcontentinfo_getsharedinfo2, kEncInfo, sharedInfo2);
KORVU_HAS(korvu_cmsencryptedcontentinfo_hassharedinfo2, kEncInfo, sharedInfo2);

// EncryptedData ::= SEQUENCE { version CMSVersion, encryptedContentInfo EncryptedContentInfo,
//   unprotectedAttrs [1] IMPLICIT UnprotectedAttributes OPTIONAL }
// UnprotectedAttributes ::= SET SIZE (1..MAX) OF Attribute
constexpr st::Field kEncryptedDataFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CMS_ENCRYPTEDDATA, version),
    KORVU_FIELD(KORVU_TYPE_ENCRYPTEDCONTENTINFO, KORVU_CMS_ENCRYPTEDDATA, encryptedContentInfo),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_CMS_ENCRYPTEDDATA, unprotectedAttrs)
        .implicit(1)
        .optional(offsetof(KORVU_CMS_ENCRYPTEDDATA, hasUnprotectedAttrs))
        .size(1)};
constexpr st::StructDef kEncryptedData =
    st::sequence(KORVU_TYPE_ENCRYPTEDDATA, kEncryptedDataFields, sizeof(KORVU_CMS_ENCRYPTEDDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ENCRYPTEDDATA, kEncryptedData);
KORVU_API KORVU_CMS_ENCRYPTEDDATA *korvu_cmsencrypteddata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_CMS_ENCCONTENTINFO *enc_info,
                                                              const KORVU_ASN1_LIST *unprotected_attrs) {
  return static_cast<KORVU_CMS_ENCRYPTEDDATA *>(st::make<kEncryptedData>(version, enc_info, unprotected_attrs));
}
KORVU_GET(korvu_cmsencrypteddata_getversion, kEncryptedData, version);
KORVU_GET(korvu_cmsencrypteddata_getencinfo, kEncryptedData, encryptedContentInfo);
KORVU_GET(korvu_cmsencrypteddata_getattrs, kEncryptedData, unprotectedAttrs);
KORVU_HAS(korvu_cmsencrypteddata_hasattrs, kEncryptedData, unprotectedAttrs);

// OriginatorInfo ::= SEQUENCE { certs [0] IMPLICIT CertificateSet OPTIONAL,
//   crls [1] IMPLICIT RevocationInfoChoices OPTIONAL }
constexpr st::Field kOriginatorInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_CERTIFICATESET, KORVU_CMS_ORIGINATORINFO, certs)
        .implicit(0)
        .optional(offsetof(KORVU_CMS_ORIGINATORINFO, hasCerts)),
    KORVU_FIELD(KORVU_TYPE_REVOCATIONINFOCHOICES, KORVU_CMS_ORIGINATORINFO, crls)
        .implicit(1)
        .optional(offsetof(KORVU_CMS_ORIGINATORINFO, hasCrls))};
constexpr st::StructDef kOriginatorInfo =
    st::sequence(KORVU_TYPE_ORIGINATORINFO, kOriginatorInfoFields, sizeof(KORVU_CMS_ORIGINATORINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ORIGINATORINFO, kOriginatorInfo);
KORVU_API KORVU_CMS_ORIGINATORINFO *korvu_cmsoriginatorinfo_new(const KORVU_ASN1_LIST *certs,
                                                                const KORVU_ASN1_LIST *crls) {
  return static_cast<KORVU_CMS_ORIGINATORINFO *>(st::make<kOriginatorInfo>(certs, crls));
}
KORVU_GET(korvu_cmsoriginatorinfo_getcerts, kOriginatorInfo, certs);
KORVU_HAS(korvu_cmsoriginatorinfo_hascerts, kOriginatorInfo, certs);
KORVU_GET(korvu_cmsoriginatorinfo_getcrls, kOriginatorInfo, crls);
KORVU_HAS(korvu_cmsoriginatorinfo_hascrls, kOriginatorInfo, crls);

// KeyTransRecipientInfo ::= SEQUENCE { version CMSVersion, rid RecipientIdentifier,
//   keyEncryptionAlgorithm KeyEncryptionAlgorithmIdentifier, encryptedKey EncryptedKey }
// RecipientIdentifier has SignerIdentifier's shape: { issuerAndSerialNumber, [0] SubjectKeyIdentifier }.
constexpr st::Field kKtriFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CMS_KTRI, version),
    KORVU_FIELD(KORVU_TYPE_SIGNERIDENTIFIER, KORVU_CMS_KTRI, rid),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_KTRI, keyEncryptionAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_KTRI, encryptedKey)};
constexpr st::StructDef kKtri = st::sequence(KORVU_TYPE_KEYTRANSRECIPIENTINFO, kKtriFields, sizeof(KORVU_CMS_KTRI));
KORVU_REGISTER_STRUCT(KORVU_TYPE_KEYTRANSRECIPIENTINFO, kKtri);
KORVU_API KORVU_CMS_KTRI *korvu_cmskeytransrecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                             const KORVU_CMS_SIGNERID *rid,
                                                             const KORVU_X509_ALGID *key_enc_algorithm,
                                                             const KORVU_ASN1_OCTETSTRING *encrypted_key) {
  return static_cast<KORVU_CMS_KTRI *>(st::make<kKtri>(version, rid, key_enc_algorithm, encrypted_key));
}
KORVU_GET(korvu_cmskeytransrecipientinfo_getversion, kKtri, version);
KORVU_GET(korvu_cmskeytransrecipientinfo_getrid, kKtri, rid);
KORVU_GET(korvu_cmskeytransrecipientinfo_getencalgo, kKtri, keyEncryptionAlgorithm);
KORVU_GET(korvu_cmskeytransrecipientinfo_getenckey, kKtri, encryptedKey);

// OriginatorIdentifierOrKey ::= CHOICE { issuerAndSerialNumber IssuerAndSerialNumber,
//   subjectKeyIdentifier [0] SubjectKeyIdentifier, originatorKey [1] OriginatorPublicKey }
// OriginatorPublicKey ::= SEQUENCE { algorithm AlgorithmIdentifier, publicKey BIT STRING } (SubjectPublicKeyInfo's
// shape, held as one).
constexpr st::Field kOrigAlts[] = {alternative(0, KORVU_TYPE_ISSUERANDSERIALNUMBER),
                                   alternative(1, KORVU_TYPE_OCTET_STRING).implicit(0),
                                   alternative(2, KORVU_TYPE_SUBJECTPUBLICKEYINFO).implicit(1)};
constexpr st::StructDef kOrig = st::choice(KORVU_TYPE_ORIGINATORIDENTIFIERORKEY, kOrigAlts);
static_assert(offsetof(KORVU_CMS_ORGIDORKEY, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ORIGINATORIDENTIFIERORKEY, kOrig);
KORVU_NEW_CHOICE(korvu_cmsorgidorkey_newissuersn, kOrig, 0);
KORVU_NEW_CHOICE(korvu_cmsorgidorkey_newsubkeyid, kOrig, 1);
KORVU_NEW_CHOICE(korvu_cmsorgidorkey_neworgkey, kOrig, 2);
KORVU_API uint32_t korvu_cmsorgidorkey_gettype(const KORVU_CMS_ORGIDORKEY *o) { return st::choice_of(o); }
KORVU_GET_CHOICE(korvu_cmsorgidorkey_getissuersn, 0);
KORVU_GET_CHOICE(korvu_cmsorgidorkey_getsubkeyid, 1);
KORVU_GET_CHOICE(korvu_cmsorgidorkey_getorgkey, 2);

// OtherKeyAttribute ::= SEQUENCE { keyAttrId OBJECT IDENTIFIER, keyAttr ANY DEFINED BY keyAttrId OPTIONAL }
constexpr st::Field kOtherKeyAttrFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_CMS_OTHERKEYATTR, keyAttrId),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_CMS_OTHERKEYATTR, keyAttr)
        .optional(offsetof(KORVU_CMS_OTHERKEYATTR, hasKeyAttr))};
constexpr st::StructDef kOtherKeyAttr =
    st::sequence(KORVU_TYPE_OTHERKEYATTRIBUTE, kOtherKeyAttrFields, sizeof(KORVU_CMS_OTHERKEYATTR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERKEYATTRIBUTE, kOtherKeyAttr);
KORVU_API KORVU_CMS_OTHERKEYATTR *korvu_cmsotherkeyattr_new(const KORVU_ASN1_OID *id, const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_CMS_OTHERKEYATTR *>(st::make<kOtherKeyAttr>(id, value));
}
KORVU_GET(korvu_cmsotherkeyattr_getattrid, kOtherKeyAttr, keyAttrId);
KORVU_GET(korvu_cmsotherkeyattr_getattrvalue, kOtherKeyAttr, keyAttr);
KORVU_HAS(korvu_cmsotherkeyattr_hasattrvalue, kOtherKeyAttr, keyAttr);

// RecipientKeyIdentifier ::= SEQUENCE { subjectKeyIdentifier SubjectKeyIdentifier,
//   date GeneralizedTime OPTIONAL, other OtherKeyAttribute OPTIONAL }
// KEKIdentifier has the same shape (keyIdentifier OCTET STRING in the first place) and is the same type.
constexpr st::Field kRkiFields[] = {
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_RECIPIENTKEYID, subjectKeyIdentifier),
    KORVU_FIELD(KORVU_TYPE_GENERALIZEDTIME, KORVU_CMS_RECIPIENTKEYID, date)
        .optional(offsetof(KORVU_CMS_RECIPIENTKEYID, hasDate)),
    KORVU_FIELD(KORVU_TYPE_OTHERKEYATTRIBUTE, KORVU_CMS_RECIPIENTKEYID, other)
        .optional(offsetof(KORVU_CMS_RECIPIENTKEYID, hasOther))};
constexpr st::StructDef kRki = st::sequence(KORVU_TYPE_RECIPIENTKEYIDENTIFIER_ALSO_KEKIDENTIFIER, kRkiFields,
                                            sizeof(KORVU_CMS_RECIPIENTKEYID));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RECIPIENTKEYIDENTIFIER_ALSO_KEKIDENTIFIER, kRki);
KORVU_API KORVU_CMS_RECIPIENTKEYID *korvu_cmsrecipientkeyid_new(const KORVU_ASN1_OCTETSTRING *key_id,
                                                                const KORVU_ASN1_TIME *date,
                                                                const KORVU_CMS_OTHERKEYATTR *other) {
  return static_cast<KORVU_CMS_RECIPIENTKEYID *>(st::make<kRki>(key_id, date, other));
}
KORVU_GET(korvu_cmsrecipientkeyid_getsubkeyid, kRki, subjectKeyIdentifier);
KORVU_GET(korvu_cmsrecipientkeyid_getdate, kRki, date);
KORVU_HAS(korvu_cmsrecipientkeyid_hasdate, kRki, date);
KORVU_GET(korvu_cmsrecipientkeyid_getotherattr, kRki, other);
KORVU_HAS(korvu_cmsrecipientkeyid_hasotherattr, kRki, other);

// KeyAgreeRecipientIdentifier ::= CHOICE { issuerAndSerialNumber IssuerAndSerialNumber,
//   rKeyId [0] IMPLICIT RecipientKeyIdentifier }
constexpr st::Field kKarIdAlts[] = {
    alternative(0, KORVU_TYPE_ISSUERANDSERIALNUMBER),
    alternative(1, KORVU_TYPE_RECIPIENTKEYIDENTIFIER_ALSO_KEKIDENTIFIER).implicit(0)};
constexpr st::StructDef kKarId = st::choice(KORVU_TYPE_KEYAGREERECIPIENTIDENTIFIER, kKarIdAlts);
static_assert(offsetof(KORVU_CMS_KARID, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_KEYAGREERECIPIENTIDENTIFIER, kKarId);
KORVU_NEW_CHOICE(korvu_cmskeyagreerecipientid_newissuersn, kKarId, 0);
KORVU_NEW_CHOICE(korvu_cmskeyagreerecipientid_newrkeyid, kKarId, 1);
KORVU_API uint32_t korvu_cmskeyagreerecipientid_gettype(const KORVU_CMS_KARID *r) { return st::choice_of(r); }
KORVU_GET_CHOICE(korvu_cmskeyagreerecipientid_getissuersn, 0);
KORVU_GET_CHOICE(korvu_cmskeyagreerecipientid_getrkeyid, 1);

// RecipientEncryptedKey ::= SEQUENCE { rid KeyAgreeRecipientIdentifier, encryptedKey EncryptedKey }
// RecipientEncryptedKeys ::= SEQUENCE OF RecipientEncryptedKey
constexpr st::Field kRekFields[] = {
    KORVU_FIELD(KORVU_TYPE_KEYAGREERECIPIENTIDENTIFIER, KORVU_CMS_RECIPIENTENCKEY, rid),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_RECIPIENTENCKEY, encryptedKey)};
constexpr st::StructDef kRek =
    st::sequence(KORVU_TYPE_RECIPIENTENCRYPTEDKEY, kRekFields, sizeof(KORVU_CMS_RECIPIENTENCKEY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RECIPIENTENCRYPTEDKEY, kRek);
KORVU_REGISTER_TYPE(KORVU_TYPE_RECIPIENTENCRYPTEDKEYS) =
    list::TypedList<KORVU_TYPE_RECIPIENTENCRYPTEDKEYS, KORVU_TYPE_RECIPIENTENCRYPTEDKEY>::ops;
KORVU_API KORVU_CMS_RECIPIENTENCKEY *korvu_cmsrecipientenckey_new(const KORVU_CMS_KARID *rid,
                                                                  const KORVU_ASN1_OCTETSTRING *encrypted_key) {
  return static_cast<KORVU_CMS_RECIPIENTENCKEY *>(st::make<kRek>(rid, encrypted_key));
}
KORVU_GET(korvu_cmsrecipientenckey_getid, kRek, rid);
KORVU_GET(korvu_cmsrecipientenckey_getenckey, kRek, encryptedKey);

// KeyAgreeRecipientInfo ::= SEQUENCE { version CMSVersion, originator [0] EXPLICIT OriginatorIdentifierOrKey,
//   ukm [1] EXPLICIT UserKeyingMaterial OPTIONAL, keyEncryptionAlgorithm KeyEncryptionAlgorithmIdentifier,
//   recipientEncryptedKeys RecipientEncryptedKeys }
constexpr st::Field kKariFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CMS_KARI, version),
    KORVU_FIELD(KORVU_TYPE_ORIGINATORIDENTIFIERORKEY, KORVU_CMS_KARI, originator).explicit_(0),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_KARI, ukm).explicit_(1).optional(offsetof(KORVU_CMS_KARI, hasUkm)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_KARI, keyEncryptionAlgorithm),
    KORVU_FIELD(KORVU_TYPE_RECIPIENTENCRYPTEDKEYS, KORVU_CMS_KARI, recipientEncryptedKeys)};
constexpr st::StructDef kKari = st::sequence(KORVU_TYPE_KEYAGREERECIPIENTINFO, kKariFields, sizeof(KORVU_CMS_KARI));
KORVU_REGISTER_STRUCT(KORVU_TYPE_KEYAGREERECIPIENTINFO, kKari);
KORVU_API KORVU_CMS_KARI *korvu_cmskeyagreerecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                             const KORVU_CMS_ORGIDORKEY *originator,
                                                             const KORVU_ASN1_OCTETSTRING *ukm,
                                                             const KORVU_X509_ALGID *key_enc_algorithm,
                                                             const KORVU_ASN1_LIST *encrypted_keys) {
  return static_cast<KORVU_CMS_KARI *>(st::make<kKari>(version, originator, ukm, key_enc_algorithm, encrypted_keys));
}
KORVU_GET(korvu_cmskeyagreerecipientinfo_getversion, kKari, version);
KORVU_GET(korvu_cmskeyagreerecipientinfo_getoriginator, kKari, originator);
KORVU_GET(korvu_cmskeyagreerecipientinfo_getukm, kKari, ukm);
KORVU_HAS(korvu_cmskeyagreerecipientinfo_hasukm, kKari, ukm);
KORVU_GET(korvu_cmskeyagreerecipientinfo_getencalgo, kKari, keyEncryptionAlgorithm);
KORVU_GET(korvu_cmskeyagreerecipientinfo_getenckeys, kKari, recipientEncryptedKeys);

// KEKRecipientInfo ::= SEQUENCE { version CMSVersion, kekid KEKIdentifier,
//   keyEncryptionAlgorithm KeyEncryptionAlgorithmIdentifier, encryptedKey EncryptedKey }
constexpr st::Field kKekriFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CMS_KEKRI, version),
    KORVU_FIELD(KORVU_TYPE_RECIPIENTKEYIDENTIFIER_ALSO_KEKIDENTIFIER, KORVU_CMS_KEKRI, kekid),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_KEKRI, keyEncryptionAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_KEKRI, encryptedKey)};
constexpr st::StructDef kKekri = st::sequence(KORVU_TYPE_KEKRECIPIENTINFO, kKekriFields, sizeof(KORVU_CMS_KEKRI));
KORVU_REGISTER_STRUCT(KORVU_TYPE_KEKRECIPIENTINFO, kKekri);
KORVU_API KORVU_CMS_KEKRI *korvu_cmskekrecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                         const KORVU_CMS_RECIPIENTKEYID *kekid,
                                                         const KORVU_X509_ALGID *key_enc_algorithm,
                                                         const KORVU_ASN1_OCTETSTRING *encrypted_key) {
  return static_cast<KORVU_CMS_KEKRI *>(st::make<kKekri>(version, kekid, key_enc_algorithm, encrypted_key));
}
KORVU_GET(korvu_cmskekrecipientinfo_getversion, kKekri, version);
KORVU_GET(korvu_cmskekrecipientinfo_getkekid, kKekri, kekid);
KORVU_GET(korvu_cmskekrecipientinfo_getencalgo, kKekri, keyEncryptionAlgorithm);
KORVU_GET(korvu_cmskekrecipientinfo_getenckey, kKekri, encryptedKey);

// PasswordRecipientInfo ::= SEQUENCE { version CMSVersion,
//   keyDerivationAlgorithm [0] KeyDerivationAlgorithmIdentifier OPTIONAL,
//   keyEncryptionAlgorithm KeyEncryptionAlgorithmIdentifier, encryptedKey EncryptedKey }
constexpr st::Field kPwriFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CMS_PWRI, version),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_PWRI, keyDerivationAlgorithm)
        .implicit(0)
        .optional(offsetof(KORVU_CMS_PWRI, hasKeyDerivationAlgorithm)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_PWRI, keyEncryptionAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_PWRI, encryptedKey)};
constexpr st::StructDef kPwri = st::sequence(KORVU_TYPE_PASSWORDRECIPIENTINFO, kPwriFields, sizeof(KORVU_CMS_PWRI));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PASSWORDRECIPIENTINFO, kPwri);
KORVU_API KORVU_CMS_PWRI *korvu_cmspwdrecipientinfo_new(const KORVU_ASN1_INTEGER *version,
                                                        const KORVU_X509_ALGID *key_derivation_algorithm,
                                                        const KORVU_X509_ALGID *key_enc_algorithm,
                                                        const KORVU_ASN1_OCTETSTRING *encrypted_key) {
  return static_cast<KORVU_CMS_PWRI *>(
      st::make<kPwri>(version, key_derivation_algorithm, key_enc_algorithm, encrypted_key));
}
KORVU_GET(korvu_cmspwdrecipientinfo_getversion, kPwri, version);
KORVU_GET(korvu_cmspwdrecipientinfo_getderivalgo, kPwri, keyDerivationAlgorithm);
KORVU_HAS(korvu_cmspwdrecipientinfo_hasderivalgo, kPwri, keyDerivationAlgorithm);
KORVU_GET(korvu_cmspwdrecipientinfo_getencalgo, kPwri, keyEncryptionAlgorithm);
KORVU_GET(korvu_cmspwdrecipientinfo_getenckey, kPwri, encryptedKey);

// OtherRecipientInfo ::= SEQUENCE { oriType OBJECT IDENTIFIER, oriValue ANY DEFINED BY oriType }
constexpr st::Field kOriFields[] = {KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_CMS_ORI, oriType),
                                    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_CMS_ORI, oriValue)};
constexpr st::StructDef kOri = st::sequence(KORVU_TYPE_OTHERRECIPIENTINFO, kOriFields, sizeof(KORVU_CMS_ORI));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERRECIPIENTINFO, kOri);
KORVU_API KORVU_CMS_ORI *korvu_cmsotherrecipientinfo_new(const KORVU_ASN1_OID *type, const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_CMS_ORI *>(st::make<kOri>(type, value));
}
KORVU_GET(korvu_cmsotherrecipientinfo_gettype, kOri, oriType);
KORVU_GET(korvu_cmsotherrecipientinfo_getvalue, kOri, oriValue);

// RecipientInfo ::= CHOICE { ktri KeyTransRecipientInfo, kari [1] KeyAgreeRecipientInfo,
//   kekri [2] KEKRecipientInfo, pwri [3] PasswordRecipientinfo, ori [4] OtherRecipientInfo }
// (IMPLICIT, RFC 5652's module being IMPLICIT TAGS.) RecipientInfos ::= SET SIZE (1..MAX) OF RecipientInfo
constexpr st::Field kRecipientInfoAlts[] = {
    alternative(0, KORVU_TYPE_KEYTRANSRECIPIENTINFO), alternative(1, KORVU_TYPE_KEYAGREERECIPIENTINFO).implicit(1),
    alternative(2, KORVU_TYPE_KEKRECIPIENTINFO).implicit(2), alternative(3, KORVU_TYPE_PASSWORDRECIPIENTINFO).implicit(3),
    alternative(4, KORVU_TYPE_OTHERRECIPIENTINFO).implicit(4)};
constexpr st::StructDef kRecipientInfo = st::choice(KORVU_TYPE_RECIPIENTINFO, kRecipientInfoAlts);
static_assert(offsetof(KORVU_CMS_RECIPIENTINFO, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RECIPIENTINFO, kRecipientInfo);
KORVU_REGISTER_TYPE(KORVU_TYPE_RECIPIENTINFOS) =
    list::TypedList<KORVU_TYPE_RECIPIENTINFOS, KORVU_TYPE_RECIPIENTINFO>::ops;
KORVU_NEW_CHOICE(korvu_cmsrecipientinfo_newktri, kRecipientInfo, 0);
KORVU_NEW_CHOICE(korvu_cmsrecipientinfo_newkari, kRecipientInfo, 1);
KORVU_NEW_CHOICE(korvu_cmsrecipientinfo_newkekri, kRecipientInfo, 2);
KORVU_NEW_CHOICE(korvu_cmsrecipientinfo_newpwri, kRecipientInfo, 3);
KORVU_NEW_CHOICE(korvu_cmsrecipientinfo_newori, kRecipientInfo, 4);
KORVU_API uint32_t korvu_cmsrecipientinfo_gettype(const KORVU_CMS_RECIPIENTINFO *ri) { return st::choice_of(ri); }
KORVU_GET_CHOICE(korvu_cmsrecipientinfo_getktri, 0);
KORVU_GET_CHOICE(korvu_cmsrecipientinfo_getkari, 1);
KORVU_GET_CHOICE(korvu_cmsrecipientinfo_getkekri, 2);
KORVU_GET_CHOICE(korvu_cmsrecipientinfo_getpwri, 3);
KORVU_GET_CHOICE(korvu_cmsrecipientinfo_getori, 4);

// EnvelopedData ::= SEQUENCE { version CMSVersion, originatorInfo [0] IMPLICIT OriginatorInfo OPTIONAL,
//   recipientInfos RecipientInfos, encryptedContentInfo EncryptedContentInfo,
//   unprotectedAttrs [1] IMPLICIT UnprotectedAttributes OPTIONAL }
constexpr st::Field kEnvelopedFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CMS_ENVELOPEDDATA, version),
    KORVU_FIELD(KORVU_TYPE_ORIGINATORINFO, KORVU_CMS_ENVELOPEDDATA, originatorInfo)
        .implicit(0)
        .optional(offsetof(KORVU_CMS_ENVELOPEDDATA, hasOriginatorInfo)),
    KORVU_FIELD(KORVU_TYPE_RECIPIENTINFOS, KORVU_CMS_ENVELOPEDDATA, recipientInfos),
    KORVU_FIELD(KORVU_TYPE_ENCRYPTEDCONTENTINFO, KORVU_CMS_ENVELOPEDDATA, encryptedContentInfo),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_CMS_ENVELOPEDDATA, unprotectedAttrs)
        .implicit(1)
        .optional(offsetof(KORVU_CMS_ENVELOPEDDATA, hasUnprotectedAttrs))
        .size(1)};
constexpr st::StructDef kEnveloped =
    st::sequence(KORVU_TYPE_ENVELOPEDDATA, kEnvelopedFields, sizeof(KORVU_CMS_ENVELOPEDDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ENVELOPEDDATA, kEnveloped);
KORVU_API KORVU_CMS_ENVELOPEDDATA *korvu_cmsenvelopeddata_new(const KORVU_ASN1_INTEGER *version,
                                                              const KORVU_CMS_ORIGINATORINFO *originator,
                                                              const KORVU_ASN1_LIST *recipient_infos,
                                                              const KORVU_CMS_ENCCONTENTINFO *enc_info,
                                                              const KORVU_ASN1_LIST *unprotected_attrs) {
  return static_cast<KORVU_CMS_ENVELOPEDDATA *>(
      st::make<kEnveloped>(version, originator, recipient_infos, enc_info, unprotected_attrs));
}
KORVU_GET(korvu_cmsenvelopeddata_getversion, kEnveloped, version);
KORVU_GET(korvu_cmsenvelopeddata_getoriginator, kEnveloped, originatorInfo);
KORVU_HAS(korvu_cmsenvelopeddata_hasoriginator, kEnveloped, originatorInfo);
KORVU_GET(korvu_cmsenvelopeddata_getrecipinfos, kEnveloped, recipientInfos);
KORVU_GET(korvu_cmsenvelopeddata_getencinfo, kEnveloped, encryptedContentInfo);
KORVU_GET(korvu_cmsenvelopeddata_getattrs, kEnveloped, unprotectedAttrs);
KORVU_HAS(korvu_cmsenvelopeddata_hasattrs, kEnveloped, unprotectedAttrs);

// AuthenticatedData ::= SEQUENCE { version CMSVersion, originatorInfo [0] IMPLICIT OriginatorInfo OPTIONAL,
//   recipientInfos RecipientInfos, macAlgorithm MessageAuthenticationCodeAlgorithm,
//   digestAlgorithm [1] DigestAlgorithmIdentifier OPTIONAL, encapContentInfo EncapsulatedContentInfo,
//   authAttrs [2] IMPLICIT AuthAttributes OPTIONAL, mac MessageAuthenticationCode,
//   unauthAttrs [3] IMPLICIT UnauthAttributes OPTIONAL }
constexpr st::Field kAuthFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CMS_AUTHDATA, version),
    KORVU_FIELD(KORVU_TYPE_ORIGINATORINFO, KORVU_CMS_AUTHDATA, originatorInfo)
        .implicit(0)
        .optional(offsetof(KORVU_CMS_AUTHDATA, hasOriginatorInfo)),
    KORVU_FIELD(KORVU_TYPE_RECIPIENTINFOS, KORVU_CMS_AUTHDATA, recipientInfos),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_AUTHDATA, macAlgorithm),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_AUTHDATA, digestAlgorithm)
        .implicit(1)
        .optional(offsetof(KORVU_CMS_AUTHDATA, hasDigestAlgorithm)),
    KORVU_FIELD(KORVU_TYPE_ENCAPSULATEDCONTENTINFO, KORVU_CMS_AUTHDATA, encapContentInfo),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_CMS_AUTHDATA, authAttrs)
        .implicit(2)
        .optional(offsetof(KORVU_CMS_AUTHDATA, hasAuthAttrs))
        .size(1),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_AUTHDATA, mac),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_CMS_AUTHDATA, unauthAttrs)
        .implicit(3)
        .optional(offsetof(KORVU_CMS_AUTHDATA, hasUnauthAttrs))
        .size(1)};
constexpr st::StructDef kAuth = st::sequence(KORVU_TYPE_AUTHENTICATEDDATA, kAuthFields, sizeof(KORVU_CMS_AUTHDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_AUTHENTICATEDDATA, kAuth);
KORVU_API KORVU_CMS_AUTHDATA *korvu_cmsauthdata_new(const KORVU_ASN1_INTEGER *version,
                                                    const KORVU_CMS_ORIGINATORINFO *originator,
                                                    const KORVU_ASN1_LIST *recipient_infos,
                                                    const KORVU_X509_ALGID *mac_algorithm,
                                                    const KORVU_X509_ALGID *digest_algorithm,
                                                    const KORVU_CMS_ENCAPCONTENTINFO *encap_info,
                                                    const KORVU_ASN1_LIST *auth_attrs,
                                                    const KORVU_ASN1_OCTETSTRING *mac,
                                                    const KORVU_ASN1_LIST *unauth_attrs) {
  return static_cast<KORVU_CMS_AUTHDATA *>(st::make<kAuth>(version, originator, recipient_infos, mac_algorithm,
                                                           digest_algorithm, encap_info, auth_attrs, mac,
                                                           unauth_attrs));
}
KORVU_GET(korvu_cmsauthdata_getversion, kAuth, version);
KORVU_GET(korvu_cmsauthdata_getoriginator, kAuth, originatorInfo);
KORVU_HAS(korvu_cmsauthdata_hasoriginator, kAuth, originatorInfo);
KORVU_GET(korvu_cmsauthdata_getrecipinfos, kAuth, recipientInfos);
KORVU_GET(korvu_cmsauthdata_getmacalgo, kAuth, macAlgorithm);
KORVU_GET(korvu_cmsauthdata_gethashalgo, kAuth, digestAlgorithm);
KORVU_HAS(korvu_cmsauthdata_hashashalgo, kAuth, digestAlgorithm);
KORVU_GET(korvu_cmsauthdata_getencapinfo, kAuth, encapContentInfo);
KORVU_GET(korvu_cmsauthdata_getauthatrrs, kAuth, authAttrs);
KORVU_HAS(korvu_cmsauthdata_hasauthatrrs, kAuth, authAttrs);
KORVU_GET(korvu_cmsauthdata_getmac, kAuth, mac);
KORVU_GET(korvu_cmsauthdata_getunauthatrrs, kAuth, unauthAttrs);
KORVU_HAS(korvu_cmsauthdata_hasunauthatrrs, kAuth, unauthAttrs);

// KeySpecificInfo ::= SEQUENCE { algorithm OBJECT IDENTIFIER, counter OCTET STRING SIZE (4..4) }  (RFC 2631)
// The counter's size is the key-derivation code's business: any length is carried.
constexpr st::Field kKeySpecFields[] = {KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_DH_KEYSPECINFO, algorithm),
                                        KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_DH_KEYSPECINFO, counter)};
constexpr st::StructDef kKeySpec =
    st::sequence(KORVU_TYPE_DIFFIE_HELLMAN_KEYSPECIFICINFO, kKeySpecFields, sizeof(KORVU_DH_KEYSPECINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DIFFIE_HELLMAN_KEYSPECIFICINFO, kKeySpec);
KORVU_API KORVU_DH_KEYSPECINFO *korvu_dhkeyspecinfo_new(const KORVU_ASN1_OID *algorithm,
                                                        const KORVU_ASN1_OCTETSTRING *counter) {
  return static_cast<KORVU_DH_KEYSPECINFO *>(st::make<kKeySpec>(algorithm, counter));
}
KORVU_GET(korvu_dhkeyspecinfo_getalgo, kKeySpec, algorithm);
KORVU_GET(korvu_dhkeyspecinfo_getcount, kKeySpec, counter);

// OtherInfo ::= SEQUENCE { keyInfo KeySpecificInfo, partyAInfo [0] OCTET STRING OPTIONAL,
//   suppPubInfo [2] OCTET STRING }  (RFC 2631's module is EXPLICIT TAGS)
constexpr st::Field kDhOtherFields[] = {
    KORVU_FIELD(KORVU_TYPE_DIFFIE_HELLMAN_KEYSPECIFICINFO, KORVU_DH_OTHERINFO, keyInfo),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_DH_OTHERINFO, partyAInfo)
        .explicit_(0)
        .optional(offsetof(KORVU_DH_OTHERINFO, hasPartyAInfo)),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_DH_OTHERINFO, suppPubInfo).explicit_(2)};
constexpr st::StructDef kDhOther =
    st::sequence(KORVU_TYPE_DIFFIE_HELLMAN_OTHERINFO, kDhOtherFields, sizeof(KORVU_DH_OTHERINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DIFFIE_HELLMAN_OTHERINFO, kDhOther);
KORVU_API KORVU_DH_OTHERINFO *korvu_dhotherinfo_new(const KORVU_DH_KEYSPECINFO *key_info,
                                                    const KORVU_ASN1_OCTETSTRING *party_a_info,
                                                    const KORVU_ASN1_OCTETSTRING *supp_pub_info) {
  return static_cast<KORVU_DH_OTHERINFO *>(st::make<kDhOther>(key_info, party_a_info, supp_pub_info));
}
KORVU_GET(korvu_dhotherinfo_getkeyspec, kDhOther, keyInfo);
KORVU_GET(korvu_dhotherinfo_getpartyainfo, kDhOther, partyAInfo);
KORVU_HAS(korvu_dhotherinfo_haspartyainfo, kDhOther, partyAInfo);
KORVU_GET(korvu_dhotherinfo_getsupppubinfo, kDhOther, suppPubInfo);

// ECC-CMS-SharedInfo ::= SEQUENCE { keyInfo AlgorithmIdentifier, entityUInfo [0] EXPLICIT OCTET STRING OPTIONAL,
//   suppPubInfo [2] EXPLICIT OCTET STRING }  (RFC 5753 7.2; an absent entityUInfo is a null pointer)
constexpr st::Field kEccSharedFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_ECC_CMS_SHAREDINFO, keyInfo),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ECC_CMS_SHAREDINFO, entityUInfo).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ECC_CMS_SHAREDINFO, suppPubInfo).explicit_(2)};
constexpr st::StructDef kEccShared =
    st::sequence(KORVU_TYPE_ECC_CMS_SHAREDINFO, kEccSharedFields, sizeof(KORVU_ECC_CMS_SHAREDINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ECC_CMS_SHAREDINFO, kEccShared);
KORVU_API KORVU_ECC_CMS_SHAREDINFO *korvu_ecccmssharedinfo_new(const KORVU_X509_ALGID *key_info,
                                                               const KORVU_ASN1_OCTETSTRING *entity_u_info,
                                                               const KORVU_ASN1_OCTETSTRING *supp_pub_info) {
  return static_cast<KORVU_ECC_CMS_SHAREDINFO *>(st::make<kEccShared>(key_info, entity_u_info, supp_pub_info));
}
KORVU_GET(korvu_ecccmssharedinfo_getkeyinfo, kEccShared, keyInfo);
KORVU_GET(korvu_ecccmssharedinfo_getentityuinfo, kEccShared, entityUInfo);
KORVU_GET(korvu_ecccmssharedinfo_getsupppubinfo, kEccShared, suppPubInfo);

// DigestedData ::= SEQUENCE { version Version, digestAlgorithm DigestAlgorithmIdentifier,
//   contentInfo ContentInfo, digest Digest }  (RFC 2315 12)
constexpr st::Field kDigestedFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS7_DIGESTEDDATA, version),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS7_DIGESTEDDATA, digestAlgorithm),
    KORVU_FIELD(KORVU_TYPE_CONTENTINFO, KORVU_PKCS7_DIGESTEDDATA, contentInfo),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_PKCS7_DIGESTEDDATA, digest)};
constexpr st::StructDef kDigested =
    st::sequence(KORVU_TYPE_DIGESTEDDATA, kDigestedFields, sizeof(KORVU_PKCS7_DIGESTEDDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DIGESTEDDATA, kDigested);
KORVU_API KORVU_PKCS7_DIGESTEDDATA *korvu_pkcs7digesteddata_new(const KORVU_ASN1_INTEGER *version,
                                                                const KORVU_X509_ALGID *digest_algorithm,
                                                                const KORVU_PKCS7_CONTENTINFO *content_info,
                                                                const KORVU_ASN1_OCTETSTRING *digest) {
  return static_cast<KORVU_PKCS7_DIGESTEDDATA *>(st::make<kDigested>(version, digest_algorithm, content_info, digest));
}
KORVU_GET(korvu_pkcs7digesteddata_getversion, kDigested, version);
KORVU_GET(korvu_pkcs7digesteddata_getdigestalgo, kDigested, digestAlgorithm);
KORVU_GET(korvu_pkcs7digesteddata_getcontentinfo, kDigested, contentInfo);
KORVU_GET(korvu_pkcs7digesteddata_getdigest, kDigested, digest);

// DHSigStatic ::= SEQUENCE { issuerAndSerial IssuerAndSerialNumber OPTIONAL, hashValue MessageDigest }
// (RFC 2875 2.4): written and read as that SEQUENCE only; an absent issuerAndSerial is a null pointer.
constexpr st::Field kDhSigStaticFields[] = {
    KORVU_FIELD(KORVU_TYPE_ISSUERANDSERIALNUMBER, KORVU_DHSIGSTATIC, issuerAndSerial).optional(),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_DHSIGSTATIC, hashValue)};
constexpr st::StructDef kDhSigStatic =
    st::sequence(KORVU_TYPE_DHSIGSTATIC, kDhSigStaticFields, sizeof(KORVU_DHSIGSTATIC));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DHSIGSTATIC, kDhSigStatic);
KORVU_API KORVU_DHSIGSTATIC *korvu_dhsigstatic_new(const KORVU_CMS_ISSUERANDSN *issuer_and_serial,
                                                   const KORVU_ASN1_OCTETSTRING *hash_value) {
  return static_cast<KORVU_DHSIGSTATIC *>(st::make<kDhSigStatic>(issuer_and_serial, hash_value));
}
KORVU_GET(korvu_dhsigstatic_getissuerandserial, kDhSigStatic, issuerAndSerial);
KORVU_GET(korvu_dhsigstatic_gethashvalue, kDhSigStatic, hashValue);
