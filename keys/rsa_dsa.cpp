// Public keys, signature values and domain parameters of RSA (RFC 8017 A.1.1), DSA and ECDSA (RFC 3279 2.2.2,
// 2.2.3, 2.3.2), and the DigestInfo of RFC 8017 9.2. Record layouts are in korvu/keys.h.
#define KORVU_SRC "KORVU_ASN1_Keys"
#include "keys_internal.h"

using namespace korvu;

// RSAPublicKey ::= SEQUENCE { modulus INTEGER, publicExponent INTEGER }
constexpr st::Field kRsaPubFields[] = {KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_RSA_PUBKEY, modulus),
                                       KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_RSA_PUBKEY, publicExponent)};
constexpr st::StructDef kRsaPub = st::sequence(KORVU_TYPE_RSAPUBLICKEY, kRsaPubFields, sizeof(KORVU_RSA_PUBKEY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RSAPUBLICKEY, kRsaPub);
KORVU_API KORVU_RSA_PUBKEY *korvu_rsapubkey_new(const KORVU_ASN1_INTEGER *modulus,
                                               const KORVU_ASN1_INTEGER *public_exponent) {
  return static_cast<KORVU_RSA_PUBKEY *>(st::make<kRsaPub>(modulus, public_exponent));
}
KORVU_GET(korvu_rsapubkey_getmodulus, kRsaPub, modulus);
KORVU_GET(korvu_rsapubkey_getpubexponent, kRsaPub, publicExponent);

// DigestInfo ::= SEQUENCE { digestAlgorithm DigestAlgorithmIdentifier, digest OCTET STRING }
constexpr st::Field kDigestInfoFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_DIGESTINFO, digestAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_DIGESTINFO, digest)};
constexpr st::StructDef kDigestInfo =
    st::sequence(KORVU_TYPE_DIGESTINFO, kDigestInfoFields, sizeof(KORVU_DIGESTINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DIGESTINFO, kDigestInfo);

// Dss-Sig-Value ::= SEQUENCE { r INTEGER, s INTEGER }, and ECDSA-Sig-Value of the same shape.
constexpr st::Field kSigValueFields[] = {KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_DSS_SIGVALUE, r),
                                         KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_DSS_SIGVALUE, s)};
constexpr st::StructDef kDssSig = st::sequence(KORVU_TYPE_DSS_SIG_VALUE, kSigValueFields, sizeof(KORVU_DSS_SIGVALUE));
constexpr st::StructDef kEcdsaSig =
    st::sequence(KORVU_TYPE_ECDSA_SIG_VALUE, kSigValueFields, sizeof(KORVU_DSS_SIGVALUE));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DSS_SIG_VALUE, kDssSig);
KORVU_REGISTER_STRUCT(KORVU_TYPE_ECDSA_SIG_VALUE, kEcdsaSig);
KORVU_API KORVU_DSS_SIGVALUE *korvu_dsssignvalue_new(const KORVU_ASN1_INTEGER *r, const KORVU_ASN1_INTEGER *s) {
  return static_cast<KORVU_DSS_SIGVALUE *>(st::make<kDssSig>(r, s));
}
KORVU_GET(korvu_dsssignvalue_getr, kDssSig, r);
KORVU_GET(korvu_dsssignvalue_gets, kDssSig, s);

// Dss-Parms ::= SEQUENCE { p INTEGER, q INTEGER, g INTEGER }
constexpr st::Field kDssParmsFields[] = {KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_DSS_PARMS, p),
                                         KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_DSS_PARMS, q),
                                         KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_DSS_PARMS, g)};
constexpr st::StructDef kDssParms = st::sequence(KORVU_TYPE_DSS_PARMS, kDssParmsFields, sizeof(KORVU_DSS_PARMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DSS_PARMS, kDssParms);
KORVU_API KORVU_DSS_PARMS *korvu_dssparam_new(const KORVU_ASN1_INTEGER *p, const KORVU_ASN1_INTEGER *q,
                                             const KORVU_ASN1_INTEGER *g) {
  return static_cast<KORVU_DSS_PARMS *>(st::make<kDssParms>(p, q, g));
}
KORVU_GET(korvu_dssparam_getp, kDssParms, p);
KORVU_GET(korvu_dssparam_getq, kDssParms, q);
KORVU_GET(korvu_dssparam_getg, kDssParms, g);

// RSAPrivateKey ::= SEQUENCE { version Version, modulus INTEGER, publicExponent INTEGER,
//   privateExponent INTEGER, prime1 INTEGER, prime2 INTEGER, exponent1 INTEGER, exponent2 INTEGER,
//   coefficient INTEGER, otherPrimeInfos OtherPrimeInfos OPTIONAL }
// OtherPrimeInfos ::= SEQUENCE SIZE(1..MAX) OF OtherPrimeInfo
// OtherPrimeInfo ::= SEQUENCE { prime INTEGER, exponent INTEGER, coefficient INTEGER }
// The version is carried as it is, not checked against the presence of otherPrimeInfos.
constexpr st::Field kOtherPrimeFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_OTHERPRIMEINFO, prime),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_OTHERPRIMEINFO, exponent),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_OTHERPRIMEINFO, coefficient)};
constexpr st::StructDef kOtherPrime =
    st::sequence(KORVU_TYPE_OTHERPRIMEINFO, kOtherPrimeFields, sizeof(KORVU_PKCS1_OTHERPRIMEINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_OTHERPRIMEINFO, kOtherPrime);
KORVU_REGISTER_TYPE(KORVU_TYPE_OTHERPRIMEINFOS) = list::kNonEmpty<KORVU_TYPE_OTHERPRIMEINFOS, KORVU_TYPE_OTHERPRIMEINFO>;
KORVU_API KORVU_PKCS1_OTHERPRIMEINFO *korvu_pkcs1otherprimeinfo_new(const KORVU_ASN1_INTEGER *prime,
                                                                   const KORVU_ASN1_INTEGER *exponent,
                                                                   const KORVU_ASN1_INTEGER *coefficient) {
  return static_cast<KORVU_PKCS1_OTHERPRIMEINFO *>(st::make<kOtherPrime>(prime, exponent, coefficient));
}
KORVU_GET(korvu_pkcs1otherprimeinfo_getprime, kOtherPrime, prime);
KORVU_GET(korvu_pkcs1otherprimeinfo_getexponent, kOtherPrime, exponent);
KORVU_GET(korvu_pkcs1otherprimeinfo_getcoefficient, kOtherPrime, coefficient);

constexpr st::Field kRsaPrivFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSAPRIVKEY, version),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSAPRIVKEY, modulus),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSAPRIVKEY, publicExponent),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSAPRIVKEY, privateExponent),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSAPRIVKEY, prime1),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSAPRIVKEY, prime2),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSAPRIVKEY, exponent1),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSAPRIVKEY, exponent2),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSAPRIVKEY, coefficient),
    KORVU_FIELD(KORVU_TYPE_OTHERPRIMEINFOS, KORVU_PKCS1_RSAPRIVKEY, otherPrimeInfos)
        .optional(offsetof(KORVU_PKCS1_RSAPRIVKEY, hasOtherPrimeInfos))};
constexpr st::StructDef kRsaPriv =
    st::sequence(KORVU_TYPE_RSAPRIVATEKEY, kRsaPrivFields, sizeof(KORVU_PKCS1_RSAPRIVKEY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RSAPRIVATEKEY, kRsaPriv);
KORVU_API KORVU_PKCS1_RSAPRIVKEY *korvu_pkcs1rsaprivkey_new(
    const KORVU_ASN1_INTEGER *version, const KORVU_ASN1_INTEGER *modulus, const KORVU_ASN1_INTEGER *public_exponent,
    const KORVU_ASN1_INTEGER *private_exponent, const KORVU_ASN1_INTEGER *prime1, const KORVU_ASN1_INTEGER *prime2,
    const KORVU_ASN1_INTEGER *exponent1, const KORVU_ASN1_INTEGER *exponent2, const KORVU_ASN1_INTEGER *coefficient,
    const KORVU_ASN1_LIST *other_prime_infos) {
  return static_cast<KORVU_PKCS1_RSAPRIVKEY *>(st::make<kRsaPriv>(version, modulus, public_exponent,
                                                                   private_exponent, prime1, prime2, exponent1,
                                                                   exponent2, coefficient, other_prime_infos));
}
KORVU_GET(korvu_pkcs1rsaprivkey_getversion, kRsaPriv, version);
KORVU_GET(korvu_pkcs1rsaprivkey_getmodulus, kRsaPriv, modulus);
KORVU_GET(korvu_pkcs1rsaprivkey_getpublicexponent, kRsaPriv, publicExponent);
KORVU_GET(korvu_pkcs1rsaprivkey_getprivateexponent, kRsaPriv, privateExponent);
KORVU_GET(korvu_pkcs1rsaprivkey_getprime1, kRsaPriv, prime1);
KORVU_GET(korvu_pkcs1rsaprivkey_getprime2, kRsaPriv, prime2);
KORVU_GET(korvu_pkcs1rsaprivkey_getexponent1, kRsaPriv, exponent1);
KORVU_GET(korvu_pkcs1rsaprivkey_getexponent2, kRsaPriv, exponent2);
KORVU_GET(korvu_pkcs1rsaprivkey_getcoefficient, kRsaPriv, coefficient);
KORVU_HAS(korvu_pkcs1rsaprivkey_hasotherprimeinfos, kRsaPriv, otherPrimeInfos);
KORVU_GET(korvu_pkcs1rsaprivkey_getotherprimeinfos, kRsaPriv, otherPrimeInfos);

namespace {
// RFC 4055's defaults, DER of the untagged types.
constexpr unsigned char kSha1[] = {0x30, 0x09, 0x06, 0x05, 0x2b, 0x0e, 0x03, 0x02, 0x1a, 0x05, 0x00};
constexpr unsigned char kMgf1Sha1[] = {0x30, 0x16, 0x06, 0x09, 0x2a, 0x86, 0x48, 0x86, 0xf7, 0x0d, 0x01, 0x01,
                                       0x08, 0x30, 0x09, 0x06, 0x05, 0x2b, 0x0e, 0x03, 0x02, 0x1a, 0x05, 0x00};
constexpr unsigned char kPSpecifiedEmpty[] = {0x30, 0x0d, 0x06, 0x09, 0x2a, 0x86, 0x48, 0x86,
                                              0xf7, 0x0d, 0x01, 0x01, 0x09, 0x04, 0x00};
constexpr unsigned char kTwenty[] = {0x02, 0x01, 0x14};
constexpr unsigned char kOne[] = {0x02, 0x01, 0x01};
}  // namespace

// RSAES-OAEP-params ::= SEQUENCE { hashAlgorithm [0] HashAlgorithm DEFAULT sha1,
//   maskGenAlgorithm [1] MaskGenAlgorithm DEFAULT mgf1SHA1, pSourceAlgorithm [2] PSourceAlgorithm DEFAULT
//   pSpecifiedEmpty }  (RFC 4055 4.1, EXPLICIT TAGS)
// A component is left out when its DER is the default's: {sha1} without NULL parameters is written back.
constexpr st::Field kOaepFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS1_RSAESOAEPPARAMS, hashAlgorithm)
        .explicit_(0).defaults(kSha1),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS1_RSAESOAEPPARAMS, maskGenAlgorithm)
        .explicit_(1).defaults(kMgf1Sha1),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS1_RSAESOAEPPARAMS, pSourceAlgorithm)
        .explicit_(2).defaults(kPSpecifiedEmpty)};
constexpr st::StructDef kOaep =
    st::sequence(KORVU_TYPE_RSAES_OAEP_PARAMS, kOaepFields, sizeof(KORVU_PKCS1_RSAESOAEPPARAMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RSAES_OAEP_PARAMS, kOaep);
KORVU_API KORVU_PKCS1_RSAESOAEPPARAMS *korvu_pkcs1rsaesoaepprarams_new(const KORVU_X509_ALGID *hash_algorithm,
                                                                      const KORVU_X509_ALGID *mask_gen_algorithm,
                                                                      const KORVU_X509_ALGID *p_source_algorithm) {
  return static_cast<KORVU_PKCS1_RSAESOAEPPARAMS *>(
      st::make<kOaep>(hash_algorithm, mask_gen_algorithm, p_source_algorithm));
}
KORVU_GET(korvu_pkcs1rsaesoaepprarams_gethashalgorithm, kOaep, hashAlgorithm);
KORVU_GET(korvu_pkcs1rsaesoaepprarams_getmaskgenalgorithm, kOaep, maskGenAlgorithm);
KORVU_GET(korvu_pkcs1rsaesoaepprarams_getpsourcealgorithm, kOaep, pSourceAlgorithm);

// RSASSA-PSS-params ::= SEQUENCE { hashAlgorithm [0] HashAlgorithm DEFAULT sha1,
//   maskGenAlgorithm [1] MaskGenAlgorithm DEFAULT mgf1SHA1, saltLength [2] INTEGER DEFAULT 20,
//   trailerField [3] INTEGER DEFAULT 1 }  (RFC 4055 3.1, EXPLICIT TAGS)
constexpr st::Field kPssFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS1_RSASSAPSSPARAMS, hashAlgorithm)
        .explicit_(0).defaults(kSha1),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS1_RSASSAPSSPARAMS, maskGenAlgorithm)
        .explicit_(1).defaults(kMgf1Sha1),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSASSAPSSPARAMS, saltLength).explicit_(2).defaults(kTwenty),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS1_RSASSAPSSPARAMS, trailerField).explicit_(3).defaults(kOne)};
constexpr st::StructDef kPss =
    st::sequence(KORVU_TYPE_RSASSA_PSS_PARAMS, kPssFields, sizeof(KORVU_PKCS1_RSASSAPSSPARAMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RSASSA_PSS_PARAMS, kPss);
KORVU_API KORVU_PKCS1_RSASSAPSSPARAMS *korvu_pkcs1rsassapssprarams_new(const KORVU_X509_ALGID *hash_algorithm,
                                                                      const KORVU_X509_ALGID *mask_gen_algorithm,
                                                                      const KORVU_ASN1_INTEGER *salt_length,
                                                                      const KORVU_ASN1_INTEGER *trailer_field) {
  return static_cast<KORVU_PKCS1_RSASSAPSSPARAMS *>(
      st::make<kPss>(hash_algorithm, mask_gen_algorithm, salt_length, trailer_field));
}
KORVU_GET(korvu_pkcs1rsassapssprarams_gethashalgorithm, kPss, hashAlgorithm);
KORVU_GET(korvu_pkcs1rsassapssprarams_getmaskgenalgorithm, kPss, maskGenAlgorithm);
KORVU_GET(korvu_pkcs1rsassapssprarams_getsaltlen, kPss, saltLength);
KORVU_GET(korvu_pkcs1rsassapssprarams_gettrailerfield, kPss, trailerField);

// DHParameter ::= SEQUENCE { prime INTEGER, base INTEGER, privateValueLength INTEGER OPTIONAL }  (PKCS #3 9)
constexpr st::Field kDhFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS3_DHPARAM, prime),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS3_DHPARAM, base),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS3_DHPARAM, privateValueLength)
        .optional(offsetof(KORVU_PKCS3_DHPARAM, hasPrivateValueLength))};
constexpr st::StructDef kDh = st::sequence(KORVU_TYPE_DHPARAMETER, kDhFields, sizeof(KORVU_PKCS3_DHPARAM));
KORVU_REGISTER_STRUCT(KORVU_TYPE_DHPARAMETER, kDh);
KORVU_API KORVU_PKCS3_DHPARAM *korvu_pkcs3dhpraram_new(const KORVU_ASN1_INTEGER *prime,
                                                      const KORVU_ASN1_INTEGER *base,
                                                      const KORVU_ASN1_INTEGER *private_value_length) {
  return static_cast<KORVU_PKCS3_DHPARAM *>(st::make<kDh>(prime, base, private_value_length));
}
KORVU_GET(korvu_pkcs3dhpraram_getprime, kDh, prime);
KORVU_GET(korvu_pkcs3dhpraram_getbase, kDh, base);
KORVU_HAS(korvu_pkcs3dhpraram_hasprivvaluelen, kDh, privateValueLength);
KORVU_GET(korvu_pkcs3dhpraram_getprivvaluelen, kDh, privateValueLength);
