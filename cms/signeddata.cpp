// Signed messages (RFC 5652 3, 5; RFC 2315 7, 9): ContentInfo, EncapsulatedContentInfo, IssuerAndSerialNumber,
// SignerIdentifier, SignerInfo(s), DigestAlgorithmIdentifiers, the other certificate and revocation formats,
// CertificateChoices and RevocationInfoChoice with their sets, and SignedData in its PKCS #7 form (any content) and
// its CMS form (OCTET STRING content only). Both forms share one record; the record layouts are in korvu/cms.h.
#define KORVU_SRC "KORVU_ASN1_CMS"
#include "cms_internal.h"

#include "../core/list_codec.h"

using namespace korvu;
using st::alternative;
using st::field;

// ContentInfo ::= SEQUENCE { contentType ContentType, content [0] EXPLICIT ANY DEFINED BY contentType OPTIONAL }
constexpr st::Field kContentInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_PKCS7_CONTENTINFO, contentType),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_PKCS7_CONTENTINFO, content)
        .explicit_(0)
        .optional(offsetof(KORVU_PKCS7_CONTENTINFO, hasContent))};
constexpr st::StructDef kContentInfo =
    st::sequence(KORVU_TYPE_CONTENTINFO, kContentInfoFields, sizeof(KORVU_PKCS7_CONTENTINFO))
        .keeps_form(offsetof(KORVU_PKCS7_CONTENTINFO, indefinite));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CONTENTINFO, kContentInfo);
KORVU_API KORVU_PKCS7_CONTENTINFO *korvu_pkcs7contentinfo_new(const KORVU_ASN1_OID *content_type,
                                                             const KORVU_ASN1_ANY *content) {
  return static_cast<KORVU_PKCS7_CONTENTINFO *>(st::make<kContentInfo>(content_type, content));
}
KORVU_GET(korvu_pkcs7contentinfo_getcontenttype, kContentInfo, contentType);
KORVU_GET(korvu_pkcs7contentinfo_getcontent, kContentInfo, content);
KORVU_HAS(korvu_pkcs7contentinfo_hascontent, kContentInfo, content);

// EncapsulatedContentInfo ::= SEQUENCE { eContentType ContentType, eContent [0] EXPLICIT OCTET STRING OPTIONAL }
constexpr st::Field kEciFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_CMS_ENCAPCONTENTINFO, eContentType),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_ENCAPCONTENTINFO, eContent)
        .explicit_(0)
        .optional(offsetof(KORVU_CMS_ENCAPCONTENTINFO, hasEContent))};
constexpr st::StructDef kEci =
    st::sequence(KORVU_TYPE_ENCAPSULATEDCONTENTINFO, kEciFields, sizeof(KORVU_CMS_ENCAPCONTENTINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ENCAPSULATEDCONTENTINFO, kEci);
KORVU_API KORVU_CMS_ENCAPCONTENTINFO *korvu_cmsencapsulatedcontentinfo_new(const KORVU_ASN1_OID *content_type,
                                                                          const KORVU_ASN1_OCTETSTRING *content) {
  return static_cast<KORVU_CMS_ENCAPCONTENTINFO *>(st::make<kEci>(content_type, content));
}
KORVU_GET(korvu_cmsencapsulatedcontentinfo_getcontenttype, kEci, eContentType);
KORVU_GET(korvu_cmsencapsulatedcontentinfo_getcontent, kEci, eContent);

// IssuerAndSerialNumber ::= SEQUENCE { issuer Name, serialNumber CertificateSerialNumber }
constexpr st::Field kIasFields[] = {KORVU_FIELD(KORVU_TYPE_NAME, KORVU_CMS_ISSUERANDSN, issuer),
                                    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CMS_ISSUERANDSN, serialNumber)};
constexpr st::StructDef kIas = st::sequence(KORVU_TYPE_ISSUERANDSERIALNUMBER, kIasFields, sizeof(KORVU_CMS_ISSUERANDSN));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ISSUERANDSERIALNUMBER, kIas);
KORVU_API KORVU_CMS_ISSUERANDSN *korvu_cmsissuerandsn_new(const KORVU_X500_NAME *issuer,
                                                         const KORVU_ASN1_INTEGER *serial) {
  return static_cast<KORVU_CMS_ISSUERANDSN *>(st::make<kIas>(issuer, serial));
}
KORVU_GET(korvu_cmsissuerandsn_getissuer, kIas, issuer);
KORVU_GET(korvu_cmsissuerandsn_getsn, kIas, serialNumber);

// SignerIdentifier ::= CHOICE { issuerAndSerialNumber IssuerAndSerialNumber,
//   subjectKeyIdentifier [0] SubjectKeyIdentifier }  (choice numbers 0 and 1; the key identifier is primitive
//   when definite, constructed when streamed)
constexpr st::Field kSidAlts[] = {alternative(0, KORVU_TYPE_ISSUERANDSERIALNUMBER),
                                  alternative(1, KORVU_TYPE_OCTET_STRING).implicit(0)};
constexpr st::StructDef kSid = st::choice(KORVU_TYPE_SIGNERIDENTIFIER, kSidAlts);
static_assert(offsetof(KORVU_CMS_SIGNERID, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNERIDENTIFIER, kSid);
KORVU_NEW_CHOICE(korvu_cmssignerid_newissuersn, kSid, 0);
KORVU_NEW_CHOICE(korvu_cmssignerid_newsubkeyid, kSid, 1);
KORVU_API uint32_t korvu_cmssignerid_gettype(const KORVU_CMS_SIGNERID *sid) { return st::choice_of(sid); }
KORVU_GET_CHOICE(korvu_cmssignerid_getissuersn, 0);
KORVU_GET_CHOICE(korvu_cmssignerid_getkeyid, 1);

// SignerInfo ::= SEQUENCE { version CMSVersion, sid SignerIdentifier, digestAlgorithm DigestAlgorithmIdentifier,
//   signedAttrs [0] IMPLICIT SignedAttributes OPTIONAL, signatureAlgorithm SignatureAlgorithmIdentifier,
//   signature SignatureValue, unsignedAttrs [1] IMPLICIT UnsignedAttributes OPTIONAL }
// SignedAttributes ::= SET SIZE (1..MAX) OF Attribute: a present set without attributes is refused. The sets keep
// their attributes in the order received (or given) and their values as received, so the signed attributes
// written as a SET (type 44) are the octets that were digested.
// SignerInfos ::= SET OF SignerInfo
constexpr st::Field kSignerInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CMS_SIGNERINFO, version),
    KORVU_FIELD(KORVU_TYPE_SIGNERIDENTIFIER, KORVU_CMS_SIGNERINFO, sid),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_SIGNERINFO, digestAlgorithm),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_CMS_SIGNERINFO, signedAttrs)
        .implicit(0)
        .optional(offsetof(KORVU_CMS_SIGNERINFO, hasSignedAttrs))
        .size(1),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_CMS_SIGNERINFO, signatureAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CMS_SIGNERINFO, signature),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_CMS_SIGNERINFO, unsignedAttrs)
        .implicit(1)
        .optional(offsetof(KORVU_CMS_SIGNERINFO, hasUnsignedAttrs))
        .size(1)};
constexpr st::StructDef kSignerInfo =
    st::sequence(KORVU_TYPE_SIGNERINFO, kSignerInfoFields, sizeof(KORVU_CMS_SIGNERINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNERINFO, kSignerInfo);
KORVU_REGISTER_TYPE(KORVU_TYPE_SIGNERINFOS) = list::TypedList<KORVU_TYPE_SIGNERINFOS, KORVU_TYPE_SIGNERINFO>::ops;
KORVU_API KORVU_CMS_SIGNERINFO *korvu_cmssignerinfo_new(const KORVU_ASN1_INTEGER *version,
                                                       const KORVU_CMS_SIGNERID *sid,
                                                       const KORVU_X509_ALGID *digest_algorithm,
                                                       const KORVU_ASN1_LIST *signed_attrs,
                                                       const KORVU_X509_ALGID *signature_algorithm,
                                                       const KORVU_ASN1_OCTETSTRING *signature,
                                                       const KORVU_ASN1_LIST *unsigned_attrs) {
  return static_cast<KORVU_CMS_SIGNERINFO *>(st::make<kSignerInfo>(version, sid, digest_algorithm, signed_attrs,
                                                                   signature_algorithm, signature, unsigned_attrs));
}
KORVU_GET(korvu_cmssignerinfo_getversion, kSignerInfo, version);
KORVU_GET(korvu_cmssignerinfo_getsid, kSignerInfo, sid);
KORVU_GET(korvu_cmssignerinfo_getdigestalgo, kSignerInfo, digestAlgorithm);
KORVU_GET(korvu_cmssignerinfo_getsignattrs, kSignerInfo, signedAttrs);
KORVU_HAS(korvu_cmssignerinfo_hassignattrs, kSignerInfo, signedAttrs);
KORVU_GET(korvu_cmssignerinfo_getsignalgo, kSignerInfo, signatureAlgorithm);
KORVU_GET(korvu_cmssignerinfo_getsignature, kSignerInfo, signature);
KORVU_GET(korvu_cmssignerinfo_getunsignattrs, kSignerInfo, unsignedAttrs);
KORVU_HAS(korvu_cmssignerinfo_hasunsignattrs, kSignerInfo, unsignedAttrs);

// DigestAlgorithmIdentifiers ::= SET OF DigestAlgorithmIdentifier
KORVU_REGISTER_TYPE(KORVU_TYPE_DIGESTALGORITHMIDENTIFIERS) =
    list::TypedList<KORVU_TYPE_DIGESTALGORITHMIDENTIFIERS, KORVU_TYPE_ALGORITHMIDENTIFIER>::ops;

// OtherCertificateFormat ::= SEQUENCE { otherCertFormat OBJECT IDENTIFIER, otherCert ANY DEFINED BY otherCertFormat }
// OtherRevocationInfoFormat ::= SEQUENCE { otherRevInfoFormat OBJECT IDENTIFIER,
//   otherRevInfo ANY DEFINED BY otherRevInfoFormat }
constexpr st::Field kOtherFields[] = {KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_CMS_OTHERCERTFORMAT, format),
                                      KORVU_FIELD(KORVU_TYPE_ANY, KORVU_CMS_OTHERCERTFORMAT, value)};
constexpr st::StructDef kOtherCert =
    st::sequence(KORVU_TYPE_OTHERCERTIFICATEFORMAT, kOtherFields, sizeof(KORVU_CMS_OTHERCERTFORMAT));
constexpr st::StructDef kOtherRevInfo =
    st::sequence(KORVU_TYPE_OTHERREVOCATIONINFOFORMAT, kOtherFields, sizeof(KORVU_CMS_OTHERREVINFOFORMAT));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERCERTIFICATEFORMAT, kOtherCert);
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERREVOCATIONINFOFORMAT, kOtherRevInfo);
KORVU_API KORVU_CMS_OTHERCERTFORMAT *korvu_cmsothercertformat_new(const KORVU_ASN1_OID *format,
                                                                 const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_CMS_OTHERCERTFORMAT *>(st::make<kOtherCert>(format, value));
}
KORVU_GET(korvu_cmsothercertformat_getformat, kOtherCert, format);
KORVU_GET(korvu_cmsothercertformat_getothercert, kOtherCert, value);
KORVU_API KORVU_CMS_OTHERREVINFOFORMAT *korvu_cmsotherrevinfoformat_new(const KORVU_ASN1_OID *format,
                                                                       const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_CMS_OTHERREVINFOFORMAT *>(st::make<kOtherRevInfo>(format, value));
}
KORVU_GET(korvu_cmsotherrevinfoformat_getformat, kOtherRevInfo, format);
KORVU_GET(korvu_cmsotherrevinfoformat_getotherrevinfo, kOtherRevInfo, value);

// CertificateChoices ::= CHOICE { certificate Certificate, extendedCertificate [0] IMPLICIT ExtendedCertificate,
//   v1AttrCert [1] IMPLICIT AttributeCertificateV1, v2AttrCert [2] IMPLICIT AttributeCertificateV2,
//   other [3] IMPLICIT OtherCertificateFormat }
// The two obsolete forms are held as their contents' elements (ANY values) and written back as read. An
// attribute certificate under [2] keeps the octets it arrived in, so it is written back under [2] unchanged and
// its signed octets stay those received.
// CertificateSet ::= SET OF CertificateChoices
constexpr st::Field kCertChoiceAlts[] = {alternative(0, KORVU_TYPE_CERTIFICATE),
                                         alternative(1, KORVU_TYPE_SEQUENCE_SIZE_OF_ANY).implicit(0),
                                         alternative(2, KORVU_TYPE_SEQUENCE_SIZE_OF_ANY).implicit(1),
                                         alternative(3, KORVU_TYPE_ATTRIBUTECERTIFICATE).implicit(2),
                                         alternative(4, KORVU_TYPE_OTHERCERTIFICATEFORMAT).implicit(3)};
constexpr st::StructDef kCertChoice = st::choice(KORVU_TYPE_CERTIFICATECHOICES, kCertChoiceAlts);
static_assert(offsetof(KORVU_CMS_CERTCHOICE, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTIFICATECHOICES, kCertChoice);
KORVU_REGISTER_TYPE(KORVU_TYPE_CERTIFICATESET) =
    list::TypedList<KORVU_TYPE_CERTIFICATESET, KORVU_TYPE_CERTIFICATECHOICES>::ops;
KORVU_NEW_CHOICE(korvu_cmscertchoice_newx509pubkeycert, kCertChoice, 0);
KORVU_NEW_CHOICE(korvu_cmscertchoice_newv2attrcert, kCertChoice, 3);
KORVU_NEW_CHOICE(korvu_cmscertchoice_newothercert, kCertChoice, 4);
KORVU_API uint32_t korvu_cmscertchoice_gettype(const KORVU_CMS_CERTCHOICE *cc) { return st::choice_of(cc); }
KORVU_GET_CHOICE(korvu_cmscertchoice_getx509pubkeycert, 0);
KORVU_GET_CHOICE(korvu_cmscertchoice_getv2attrcert, 3);
KORVU_GET_CHOICE(korvu_cmscertchoice_getothercert, 4);

// RevocationInfoChoice ::= CHOICE { crl CertificateList, other [1] IMPLICIT OtherRevocationInfoFormat }
// RevocationInfoChoices ::= SET OF RevocationInfoChoice
constexpr st::Field kRevInfoAlts[] = {alternative(0, KORVU_TYPE_CERTIFICATELIST),
                                      alternative(1, KORVU_TYPE_OTHERREVOCATIONINFOFORMAT).implicit(1)};
constexpr st::StructDef kRevInfo = st::choice(KORVU_TYPE_REVOCATIONINFOCHOICE, kRevInfoAlts);
static_assert(offsetof(KORVU_CMS_REVINFOCHOICE, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_REVOCATIONINFOCHOICE, kRevInfo);
KORVU_REGISTER_TYPE(KORVU_TYPE_REVOCATIONINFOCHOICES) =
    list::TypedList<KORVU_TYPE_REVOCATIONINFOCHOICES, KORVU_TYPE_REVOCATIONINFOCHOICE>::ops;
KORVU_API KORVU_CMS_REVINFOCHOICE *korvu_cmsrevinfochoice_newcrl(const struct korvu_x509_crl_st *crl) {
  return static_cast<KORVU_CMS_REVINFOCHOICE *>(st::new_choice(kRevInfo, 0, crl));
}
KORVU_NEW_CHOICE(korvu_cmsrevinfochoice_newotherrevinfo, kRevInfo, 1);
KORVU_API uint32_t korvu_cmsrevinfochoice_gettype(const KORVU_CMS_REVINFOCHOICE *ri) { return st::choice_of(ri); }
KORVU_API struct korvu_x509_crl_st *korvu_cmsrevinfochoice_getcrl(const KORVU_CMS_REVINFOCHOICE *ri) {
  return static_cast<struct korvu_x509_crl_st *>(st::get_choice(ri, 0));
}
KORVU_GET_CHOICE(korvu_cmsrevinfochoice_getotherrevinfo, 1);

// SignedData ::= SEQUENCE { version CMSVersion, digestAlgorithms DigestAlgorithmIdentifiers,
//   encapContentInfo EncapsulatedContentInfo, certificates [0] IMPLICIT CertificateSet OPTIONAL,
//   crls [1] IMPLICIT RevocationInfoChoices OPTIONAL, signerInfos SignerInfos }
// read with PKCS #7's ContentInfo (any content) in place of EncapsulatedContentInfo. The record notes where the
// contentInfo element starts and ends and where signerInfos starts: the PKCS #7 form counts from its own first
// octet, the CMS form from its first contents octet.
namespace {

int finish_signeddata(void *record, KORVU_ERR_CTX *) {
  static_cast<KORVU_PKCS7_SIGNEDDATA *>(record)->wrapperKind = KORVU_PKCS7_SIGNEDDATA_BARE;
  return 1;
}

// The CMS form's rule: the content, when present, is an OCTET STRING (either form).
int check_cms_content(const void *record, KORVU_ERR_CTX *ctx) {
  const auto *sd = static_cast<const KORVU_PKCS7_SIGNEDDATA *>(record);
  const KORVU_PKCS7_CONTENTINFO *ci = sd->contentInfo;
  if (ci == nullptr || !ci->hasContent || ci->content == nullptr) return 1;
  if (ci->content->tag_class == KORVU_CLASS_UNIVERSAL && ci->content->tag_number == cms::kOctetStringTag) return 1;
  KORVU_ERR(ctx, kErrNotCmsSignedData);
  return 0;
}

}  // namespace

constexpr st::Field kSignedDataFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS7_SIGNEDDATA, version),
    KORVU_FIELD(KORVU_TYPE_DIGESTALGORITHMIDENTIFIERS, KORVU_PKCS7_SIGNEDDATA, digestAlgorithms),
    KORVU_FIELD(KORVU_TYPE_CONTENTINFO, KORVU_PKCS7_SIGNEDDATA, contentInfo)
        .records_offset(offsetof(KORVU_PKCS7_SIGNEDDATA, contentInfoOffset))
        .records_end(offsetof(KORVU_PKCS7_SIGNEDDATA, contentInfoEndOffset)),
    KORVU_FIELD(KORVU_TYPE_CERTIFICATESET, KORVU_PKCS7_SIGNEDDATA, certificates)
        .implicit(0)
        .optional(offsetof(KORVU_PKCS7_SIGNEDDATA, hasCertificates)),
    KORVU_FIELD(KORVU_TYPE_REVOCATIONINFOCHOICES, KORVU_PKCS7_SIGNEDDATA, crls)
        .implicit(1)
        .optional(offsetof(KORVU_PKCS7_SIGNEDDATA, hasCrls)),
    KORVU_FIELD(KORVU_TYPE_SIGNERINFOS, KORVU_PKCS7_SIGNEDDATA, signerInfos)
        .records_offset(offsetof(KORVU_PKCS7_SIGNEDDATA, signerInfosOffset))};
constexpr st::StructDef kSignedData =
    st::sequence(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, kSignedDataFields, sizeof(KORVU_PKCS7_SIGNEDDATA))
        .finished(finish_signeddata)
        .offsets_from_header()
        .leftover(kErrIncorrectLength);  // an element after signerInfos: the length does not match
constexpr st::StructDef kCmsSignedData =
    st::sequence(KORVU_TYPE_SIGNEDDATA_CMS_FORM, kSignedDataFields, sizeof(KORVU_PKCS7_SIGNEDDATA))
        .finished(finish_signeddata)
        .checked(check_cms_content)
        .leftover(kErrIncorrectLength);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, kSignedData);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SIGNEDDATA_CMS_FORM, kCmsSignedData);

namespace {
void no_offsets(KORVU_PKCS7_SIGNEDDATA *sd) {
  sd->contentInfoOffset = sd->contentInfoEndOffset = sd->signerInfosOffset = 0xFFFFFFFFu;
}
}  // namespace

KORVU_API KORVU_PKCS7_SIGNEDDATA *korvu_pkcs7signeddata_new(const KORVU_ASN1_INTEGER *version,
                                                           const KORVU_ASN1_LIST *digest_algorithms,
                                                           const KORVU_PKCS7_CONTENTINFO *content_info,
                                                           const KORVU_ASN1_LIST *certificates,
                                                           const KORVU_ASN1_LIST *crls,
                                                           const KORVU_ASN1_LIST *signer_infos) {
  auto *sd = static_cast<KORVU_PKCS7_SIGNEDDATA *>(
      st::make<kSignedData>(version, digest_algorithms, content_info, certificates, crls, signer_infos));
  if (sd != nullptr) no_offsets(sd);
  return sd;
}

KORVU_API KORVU_PKCS7_SIGNEDDATA *korvu_pkcs7signeddata_new0(KORVU_ASN1_INTEGER *version,
                                                            KORVU_ASN1_LIST *digest_algorithms,
                                                            KORVU_PKCS7_CONTENTINFO *content_info,
                                                            KORVU_ASN1_LIST *certificates, KORVU_ASN1_LIST *crls,
                                                            KORVU_ASN1_LIST *signer_infos) {
  if (version == nullptr || digest_algorithms == nullptr || content_info == nullptr || signer_infos == nullptr)
    return nullptr;
  auto *sd = cms::new_signeddata_record();
  if (sd == nullptr) return nullptr;  // nothing taken over
  sd->version = version;
  sd->digestAlgorithms = digest_algorithms;
  sd->contentInfo = content_info;
  sd->certificates = certificates;
  sd->hasCertificates = certificates != nullptr;
  sd->crls = crls;
  sd->hasCrls = crls != nullptr;
  sd->signerInfos = signer_infos;
  no_offsets(sd);
  return sd;
}

KORVU_PKCS7_SIGNEDDATA *cms::new_signeddata_record() {
  auto *sd = static_cast<KORVU_PKCS7_SIGNEDDATA *>(KORVU_ALLOC(sizeof(KORVU_PKCS7_SIGNEDDATA)));
  if (sd == nullptr) return nullptr;
  *sd = KORVU_PKCS7_SIGNEDDATA{};
  sd->wrapperKind = KORVU_PKCS7_SIGNEDDATA_BARE;
  return sd;
}

KORVU_GET(korvu_pkcs7signeddata_getversion, kSignedData, version);
KORVU_GET(korvu_pkcs7signeddata_getdigestalgos, kSignedData, digestAlgorithms);
KORVU_GET(korvu_pkcs7signeddata_getcontentinfo, kSignedData, contentInfo);
KORVU_GET(korvu_pkcs7signeddata_getcerts, kSignedData, certificates);
KORVU_HAS(korvu_pkcs7signeddata_hascerts, kSignedData, certificates);
KORVU_GET(korvu_pkcs7signeddata_getcrls, kSignedData, crls);
KORVU_HAS(korvu_pkcs7signeddata_hascrls, kSignedData, crls);
KORVU_GET(korvu_pkcs7signeddata_getsignerinfos, kSignedData, signerInfos);
KORVU_API uint32_t korvu_pkcs7signeddata_gettype(const KORVU_PKCS7_SIGNEDDATA *sd) {
  return sd ? sd->wrapperKind : 0xFFFFFFFFu;
}
KORVU_API uint32_t korvu_pkcs7signeddata_getcontentinfooffset(const KORVU_PKCS7_SIGNEDDATA *sd) {
  return sd ? sd->contentInfoOffset : 0xFFFFFFFFu;
}
KORVU_API uint32_t korvu_pkcs7signeddata_getcontentinfoendoffset(const KORVU_PKCS7_SIGNEDDATA *sd) {
  return sd ? sd->contentInfoEndOffset : 0xFFFFFFFFu;
}
KORVU_API uint32_t korvu_pkcs7signeddata_getsignerinfosoffset(const KORVU_PKCS7_SIGNEDDATA *sd) {
  return sd ? sd->signerInfosOffset : 0xFFFFFFFFu;
}
