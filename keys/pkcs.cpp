// Password-protected keys and containers: PKCS #8 private keys (RFC 5208), the PKCS #5 parameters (RFC 8018
// A.2-A.6, B.2) with their GM/T 0091 variant, and PKCS #12 (RFC 7292 4, 4.2, B.4) with its CKX variant, which
// differs only in the default of MacData's iterations. Record layouts are in korvu/keys.h.
//
// A ContentInfo, a bag value or a content held as ANY keeps the form it was received in, and PFX, CKX and the
// bags note the indefinite lengths of their own and of their [0] wrappers (written so again), so a BER container
// (indefinite lengths, constructed strings) is written back octet for octet; built values are DER.
#define KORVU_SRC "KORVU_ASN1_Keys"
#include "keys_internal.h"

using namespace korvu;
using st::alternative;

// PrivateKeyInfo ::= SEQUENCE { version Version, privateKeyAlgorithm AlgorithmIdentifier,
//   privateKey OCTET STRING, attributes [0] IMPLICIT Attributes OPTIONAL }
// The version-2 form's [1] publicKey (RFC 5958) is not part of this shape and is refused.
constexpr st::Field kPkiFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS8_PRIVKEYINFO, version),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS8_PRIVKEYINFO, privateKeyAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_PKCS8_PRIVKEYINFO, privateKey),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_PKCS8_PRIVKEYINFO, attributes)
        .implicit(0)
        .optional(offsetof(KORVU_PKCS8_PRIVKEYINFO, hasAttributes))};
constexpr st::StructDef kPki = st::sequence(KORVU_TYPE_PRIVATEKEYINFO, kPkiFields, sizeof(KORVU_PKCS8_PRIVKEYINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PRIVATEKEYINFO, kPki);
KORVU_API KORVU_PKCS8_PRIVKEYINFO *korvu_pkcs8privatekeyinfo_new(const KORVU_ASN1_INTEGER *version,
                                                                const KORVU_X509_ALGID *private_key_algorithm,
                                                                const KORVU_ASN1_OCTETSTRING *private_key,
                                                                const KORVU_ASN1_LIST *attributes) {
  return static_cast<KORVU_PKCS8_PRIVKEYINFO *>(
      st::make<kPki>(version, private_key_algorithm, private_key, attributes));
}
KORVU_GET(korvu_pkcs8privatekeyinfo_getversion, kPki, version);
KORVU_GET(korvu_pkcs8privatekeyinfo_getprivkeyalgo, kPki, privateKeyAlgorithm);
KORVU_GET(korvu_pkcs8privatekeyinfo_getprivkey, kPki, privateKey);
KORVU_HAS(korvu_pkcs8privatekeyinfo_hasattrs, kPki, attributes);
KORVU_GET(korvu_pkcs8privatekeyinfo_getattrs, kPki, attributes);

// EncryptedPrivateKeyInfo ::= SEQUENCE { encryptionAlgorithm EncryptionAlgorithmIdentifier,
//   encryptedData EncryptedData }  (EncryptedData ::= OCTET STRING)
constexpr st::Field kEpkiFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS8_ENCPRIVKEYINFO, encryptionAlgorithm),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_PKCS8_ENCPRIVKEYINFO, encryptedData)};
constexpr st::StructDef kEpki =
    st::sequence(KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO, kEpkiFields, sizeof(KORVU_PKCS8_ENCPRIVKEYINFO));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ENCRYPTEDPRIVATEKEYINFO, kEpki);
KORVU_API KORVU_PKCS8_ENCPRIVKEYINFO *korvu_pkcs8encprivatekeyinfo_new(const KORVU_X509_ALGID *encryption_algorithm,
                                                                      const KORVU_ASN1_OCTETSTRING *encrypted_data) {
  return static_cast<KORVU_PKCS8_ENCPRIVKEYINFO *>(st::make<kEpki>(encryption_algorithm, encrypted_data));
}
KORVU_GET(korvu_pkcs8encprivatekeyinfo_getencalgo, kEpki, encryptionAlgorithm);
KORVU_GET(korvu_pkcs8encprivatekeyinfo_getencdata, kEpki, encryptedData);

// salt CHOICE { specified OCTET STRING, otherSource AlgorithmIdentifier {{PBKDF2-SaltSources}} }
constexpr st::Field kSaltAlts[] = {alternative(0, KORVU_TYPE_OCTET_STRING),
                                   alternative(1, KORVU_TYPE_ALGORITHMIDENTIFIER)};
constexpr st::StructDef kSalt = st::choice(KORVU_TYPE_PBKDF2_SALT, kSaltAlts);
static_assert(offsetof(KORVU_PKCS5_PBKDF2SALT, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PBKDF2_SALT, kSalt);
KORVU_NEW_CHOICE(korvu_pkcs5pbkdf2paramssalt_newvalue, kSalt, 0);
KORVU_NEW_CHOICE(korvu_pkcs5pbkdf2paramssalt_newother, kSalt, 1);
KORVU_API uint32_t korvu_pkcs5pbkdf2paramssalt_gettype(const KORVU_PKCS5_PBKDF2SALT *salt) {
  return st::choice_of(salt);
}
KORVU_GET_CHOICE(korvu_pkcs5pbkdf2paramssalt_getvalue, 0);
KORVU_GET_CHOICE(korvu_pkcs5pbkdf2paramssalt_getother, 1);

namespace {
// {hmacWithSHA1, NULL} (RFC 8018 B.1.1) and {HMAC-SM3 1.2.156.10197.1.401.3.1, NULL}.
constexpr unsigned char kHmacSha1[] = {0x30, 0x0c, 0x06, 0x08, 0x2a, 0x86, 0x48, 0x86,
                                       0xf7, 0x0d, 0x02, 0x07, 0x05, 0x00};
constexpr unsigned char kHmacSm3[] = {0x30, 0x0e, 0x06, 0x0a, 0x2a, 0x81, 0x1c, 0xcf,
                                      0x55, 0x01, 0x83, 0x11, 0x03, 0x01, 0x05, 0x00};

}  // namespace

// PBKDF2-params ::= SEQUENCE { salt CHOICE {...}, iterationCount INTEGER (1..MAX),
//   keyLength INTEGER (1..MAX) OPTIONAL, prf AlgorithmIdentifier {{PBKDF2-PRFs}} DEFAULT algid-hmacWithSHA1 }
// GM/T 0091's PBKDF-params: the same with prf DEFAULT HMAC-SM3. The prf is left out only when its DER is the
// default's (the OID with NULL parameters); neither range is checked.
constexpr st::Field kPbkdf2Fields[] = {
    KORVU_FIELD(KORVU_TYPE_PBKDF2_SALT, KORVU_PKCS5_PBKDF2PARAMS, salt),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS5_PBKDF2PARAMS, iterationCount),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS5_PBKDF2PARAMS, keyLength)
        .optional(offsetof(KORVU_PKCS5_PBKDF2PARAMS, hasKeyLength)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS5_PBKDF2PARAMS, prf).defaults(kHmacSha1)};
constexpr st::StructDef kPbkdf2 =
    st::sequence(KORVU_TYPE_PBKDF2_PARAMS, kPbkdf2Fields, sizeof(KORVU_PKCS5_PBKDF2PARAMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PBKDF2_PARAMS, kPbkdf2);
KORVU_API KORVU_PKCS5_PBKDF2PARAMS *korvu_pkcs5pbkdf2params_new(const KORVU_PKCS5_PBKDF2SALT *salt,
                                                               const KORVU_ASN1_INTEGER *iteration_count,
                                                               const KORVU_ASN1_INTEGER *key_length,
                                                               const KORVU_X509_ALGID *prf) {
  return static_cast<KORVU_PKCS5_PBKDF2PARAMS *>(st::make<kPbkdf2>(salt, iteration_count, key_length, prf));
}
KORVU_GET(korvu_pkcs5pbkdf2params_getsalt, kPbkdf2, salt);
KORVU_GET(korvu_pkcs5pbkdf2params_getitercount, kPbkdf2, iterationCount);
KORVU_HAS(korvu_pkcs5pbkdf2params_haskeylen, kPbkdf2, keyLength);
KORVU_GET(korvu_pkcs5pbkdf2params_getkeylen, kPbkdf2, keyLength);
KORVU_GET(korvu_pkcs5pbkdf2params_getprf, kPbkdf2, prf);

constexpr st::Field kGmtPbkdfFields[] = {
    KORVU_FIELD(KORVU_TYPE_PBKDF2_SALT, KORVU_GMT0091_PBKDFPARAMS, salt),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_GMT0091_PBKDFPARAMS, iterationCount),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_GMT0091_PBKDFPARAMS, keyLength)
        .optional(offsetof(KORVU_GMT0091_PBKDFPARAMS, hasKeyLength)),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_GMT0091_PBKDFPARAMS, prf).defaults(kHmacSm3)};
constexpr st::StructDef kGmtPbkdf =
    st::sequence(KORVU_TYPE_GM_T_0091_PBKDF_PARAMS, kGmtPbkdfFields, sizeof(KORVU_GMT0091_PBKDFPARAMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_GM_T_0091_PBKDF_PARAMS, kGmtPbkdf);
KORVU_API KORVU_GMT0091_PBKDFPARAMS *korvu_gmt0091pbkdfparams_new(const KORVU_PKCS5_PBKDF2SALT *salt,
                                                                 const KORVU_ASN1_INTEGER *iteration_count,
                                                                 const KORVU_ASN1_INTEGER *dk_len,
                                                                 const KORVU_X509_ALGID *prf) {
  return static_cast<KORVU_GMT0091_PBKDFPARAMS *>(st::make<kGmtPbkdf>(salt, iteration_count, dk_len, prf));
}
KORVU_GET(korvu_gmt0091pbkdfparams_getsalt, kGmtPbkdf, salt);
KORVU_GET(korvu_gmt0091pbkdfparams_getitercount, kGmtPbkdf, iterationCount);
KORVU_HAS(korvu_gmt0091pbkdfparams_hasdklen, kGmtPbkdf, keyLength);
KORVU_GET(korvu_gmt0091pbkdfparams_getdklen, kGmtPbkdf, keyLength);
KORVU_GET(korvu_gmt0091pbkdfparams_getprf, kGmtPbkdf, prf);

// PBEParameter ::= SEQUENCE { salt OCTET STRING (SIZE(8)), iterationCount INTEGER }
// The size is checked by the constructor only: decoding takes a salt of any length.
constexpr st::Field kPbeFields[] = {KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_PKCS5_PBEPARAM, salt),
                                    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS5_PBEPARAM, iterationCount)};
constexpr st::StructDef kPbe = st::sequence(KORVU_TYPE_PBEPARAMETER, kPbeFields, sizeof(KORVU_PKCS5_PBEPARAM));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PBEPARAMETER, kPbe);
KORVU_API KORVU_PKCS5_PBEPARAM *korvu_pkcs5pbeparam_new(const KORVU_ASN1_OCTETSTRING *salt,
                                                       const KORVU_ASN1_INTEGER *iteration_count) {
  if (salt == nullptr || korvu_asn1_octetstring_getlength(salt) != 8) return nullptr;
  return static_cast<KORVU_PKCS5_PBEPARAM *>(st::make<kPbe>(salt, iteration_count));
}
KORVU_GET(korvu_pkcs5pbeparam_getsalt, kPbe, salt);
KORVU_GET(korvu_pkcs5pbeparam_getitercount, kPbe, iterationCount);

// PBES2-params ::= SEQUENCE { keyDerivationFunc AlgorithmIdentifier {{PBES2-KDFs}},
//   encryptionScheme AlgorithmIdentifier {{PBES2-Encs}} }
constexpr st::Field kPbes2Fields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS5_PBES2PARAMS, keyDerivationFunc),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS5_PBES2PARAMS, encryptionScheme)};
constexpr st::StructDef kPbes2 =
    st::sequence(KORVU_TYPE_PBES2_PARAMS, kPbes2Fields, sizeof(KORVU_PKCS5_PBES2PARAMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PBES2_PARAMS, kPbes2);
KORVU_API KORVU_PKCS5_PBES2PARAMS *korvu_pkcs5pbes2params_new(const KORVU_X509_ALGID *key_derivation_func,
                                                             const KORVU_X509_ALGID *encryption_scheme) {
  return static_cast<KORVU_PKCS5_PBES2PARAMS *>(st::make<kPbes2>(key_derivation_func, encryption_scheme));
}
KORVU_GET(korvu_pkcs5pbes2params_getkeyderivfunc, kPbes2, keyDerivationFunc);
KORVU_GET(korvu_pkcs5pbes2params_getencscheme, kPbes2, encryptionScheme);

// PBMAC1-params ::= SEQUENCE { keyDerivationFunc AlgorithmIdentifier {{PBMAC1-KDFs}},
//   messageAuthScheme AlgorithmIdentifier {{PBMAC1-MACs}} }
constexpr st::Field kPbmac1Fields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS5_PBMAC1PARAMS, keyDerivationFunc),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_PKCS5_PBMAC1PARAMS, messageAuthScheme)};
constexpr st::StructDef kPbmac1 =
    st::sequence(KORVU_TYPE_PBMAC1_PARAMS, kPbmac1Fields, sizeof(KORVU_PKCS5_PBMAC1PARAMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PBMAC1_PARAMS, kPbmac1);
KORVU_API KORVU_PKCS5_PBMAC1PARAMS *korvu_pkcs5pbmac1params_new(const KORVU_X509_ALGID *key_derivation_func,
                                                               const KORVU_X509_ALGID *message_auth_scheme) {
  return static_cast<KORVU_PKCS5_PBMAC1PARAMS *>(st::make<kPbmac1>(key_derivation_func, message_auth_scheme));
}
KORVU_GET(korvu_pkcs5pbmac1params_getkeyderivfunc, kPbmac1, keyDerivationFunc);
KORVU_GET(korvu_pkcs5pbmac1params_getauthscheme, kPbmac1, messageAuthScheme);

// RC2-CBC-Parameter ::= SEQUENCE { rc2ParameterVersion INTEGER OPTIONAL, iv OCTET STRING (SIZE(8)) }
constexpr st::Field kRc2Fields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS5_RC2CBCPARAM, rc2ParameterVersion)
        .optional(offsetof(KORVU_PKCS5_RC2CBCPARAM, hasVersion)),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_PKCS5_RC2CBCPARAM, iv)};
constexpr st::StructDef kRc2 = st::sequence(KORVU_TYPE_RC2_CBC_PARAMETER, kRc2Fields, sizeof(KORVU_PKCS5_RC2CBCPARAM));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RC2_CBC_PARAMETER, kRc2);
KORVU_API KORVU_PKCS5_RC2CBCPARAM *korvu_pkcs5rc2cbcparameter_new(const KORVU_ASN1_INTEGER *version,
                                                                 const KORVU_ASN1_OCTETSTRING *iv) {
  return static_cast<KORVU_PKCS5_RC2CBCPARAM *>(st::make<kRc2>(version, iv));
}
KORVU_HAS(korvu_pkcs5rc2cbcparameter_hasversion, kRc2, rc2ParameterVersion);
KORVU_GET(korvu_pkcs5rc2cbcparameter_getversion, kRc2, rc2ParameterVersion);
KORVU_GET(korvu_pkcs5rc2cbcparameter_getiv, kRc2, iv);

// RC5-CBC-Parameters ::= SEQUENCE { version INTEGER {v1-0(16)}, rounds INTEGER (8..127),
//   blockSizeInBits INTEGER (64 | 128), iv OCTET STRING OPTIONAL }  (the ranges are not checked)
constexpr st::Field kRc5Fields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS5_RC5CBCPARAM, version),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS5_RC5CBCPARAM, rounds),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS5_RC5CBCPARAM, blockSizeInBits),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_PKCS5_RC5CBCPARAM, iv)
        .optional(offsetof(KORVU_PKCS5_RC5CBCPARAM, hasIv))};
constexpr st::StructDef kRc5 =
    st::sequence(KORVU_TYPE_RC5_CBC_PARAMETERS, kRc5Fields, sizeof(KORVU_PKCS5_RC5CBCPARAM));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RC5_CBC_PARAMETERS, kRc5);
KORVU_API KORVU_PKCS5_RC5CBCPARAM *korvu_pkcs5rc5cbcparameter_new(const KORVU_ASN1_INTEGER *version,
                                                                 const KORVU_ASN1_INTEGER *rounds,
                                                                 const KORVU_ASN1_INTEGER *block_size_in_bits,
                                                                 const KORVU_ASN1_OCTETSTRING *iv) {
  return static_cast<KORVU_PKCS5_RC5CBCPARAM *>(st::make<kRc5>(version, rounds, block_size_in_bits, iv));
}
KORVU_GET(korvu_pkcs5rc5cbcparameter_getversion, kRc5, version);
KORVU_GET(korvu_pkcs5rc5cbcparameter_getrounds, kRc5, rounds);
KORVU_GET(korvu_pkcs5rc5cbcparameter_getblockbits, kRc5, blockSizeInBits);
KORVU_HAS(korvu_pkcs5rc5cbcparameter_hasiv, kRc5, iv);
KORVU_GET(korvu_pkcs5rc5cbcparameter_getiv, kRc5, iv);

namespace {
constexpr unsigned char kIterOne[] = {0x02, 0x01, 0x01};
constexpr unsigned char kIter1024[] = {0x02, 0x02, 0x04, 0x00};
}  // namespace

// MacData ::= SEQUENCE { mac DigestInfo, macSalt OCTET STRING, iterations INTEGER DEFAULT 1 }
// CKX's MacData: the same with iterations DEFAULT 1024. An iterations value equal to the default (by value)
// is left out.
constexpr st::Field kMacFields[] = {
    KORVU_FIELD(KORVU_TYPE_DIGESTINFO, KORVU_PKCS12_MACDATA, mac),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_PKCS12_MACDATA, macSalt),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS12_MACDATA, iterations)
        .defaults(kIterOne, st::DefaultRule::IntegerValue)};
constexpr st::StructDef kMac = st::sequence(KORVU_TYPE_MACDATA, kMacFields, sizeof(KORVU_PKCS12_MACDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_MACDATA, kMac);
KORVU_API KORVU_PKCS12_MACDATA *korvu_pkcs12macdata_new(const KORVU_DIGESTINFO *mac,
                                                       const KORVU_ASN1_OCTETSTRING *mac_salt,
                                                       const KORVU_ASN1_INTEGER *iterations) {
  return static_cast<KORVU_PKCS12_MACDATA *>(st::make<kMac>(mac, mac_salt, iterations));
}
KORVU_GET(korvu_pkcs12macdata_getmac, kMac, mac);
KORVU_GET(korvu_pkcs12macdata_getsalt, kMac, macSalt);
KORVU_GET(korvu_pkcs12macdata_getitercount, kMac, iterations);

constexpr st::Field kCkxMacFields[] = {
    KORVU_FIELD(KORVU_TYPE_DIGESTINFO, KORVU_CKX_MACDATA, mac),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_CKX_MACDATA, macSalt),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CKX_MACDATA, iterations)
        .defaults(kIter1024, st::DefaultRule::IntegerValue)};
constexpr st::StructDef kCkxMac = st::sequence(KORVU_TYPE_CKX_MACDATA, kCkxMacFields, sizeof(KORVU_CKX_MACDATA));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CKX_MACDATA, kCkxMac);
KORVU_API KORVU_CKX_MACDATA *korvu_ckxmacdata_new(const KORVU_DIGESTINFO *mac, const KORVU_ASN1_OCTETSTRING *mac_salt,
                                                 const KORVU_ASN1_INTEGER *iterations) {
  return static_cast<KORVU_CKX_MACDATA *>(st::make<kCkxMac>(mac, mac_salt, iterations));
}
KORVU_GET(korvu_ckxmacdata_getmac, kCkxMac, mac);
KORVU_GET(korvu_ckxmacdata_getsalt, kCkxMac, macSalt);
KORVU_GET(korvu_ckxmacdata_getitercount, kCkxMac, iterations);

// PFX ::= SEQUENCE { version INTEGER {v3(3)}(v3,...), authSafe ContentInfo, macData MacData OPTIONAL }
// CKX: the same with CKX's MacData. The version is not examined.
constexpr st::Field kPfxFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS12_PFX, version),
    KORVU_FIELD(KORVU_TYPE_CONTENTINFO, KORVU_PKCS12_PFX, authSafe),
    KORVU_FIELD(KORVU_TYPE_MACDATA, KORVU_PKCS12_PFX, macData).optional(offsetof(KORVU_PKCS12_PFX, hasMacData))};
constexpr st::StructDef kPfx = st::sequence(KORVU_TYPE_PFX, kPfxFields, sizeof(KORVU_PKCS12_PFX))
                               .keeps_form(offsetof(KORVU_PKCS12_PFX, indefinite));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PFX, kPfx);
KORVU_API KORVU_PKCS12_PFX *korvu_pkcs12pfx_new(const KORVU_ASN1_INTEGER *version,
                                               const KORVU_PKCS7_CONTENTINFO *auth_safe,
                                               const KORVU_PKCS12_MACDATA *mac_data) {
  return static_cast<KORVU_PKCS12_PFX *>(st::make<kPfx>(version, auth_safe, mac_data));
}
KORVU_GET(korvu_pkcs12pfx_getversion, kPfx, version);
KORVU_GET(korvu_pkcs12pfx_getauthsafe, kPfx, authSafe);
KORVU_HAS(korvu_pkcs12pfx_hasmac, kPfx, macData);
KORVU_GET(korvu_pkcs12pfx_getmac, kPfx, macData);

constexpr st::Field kCkxFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CKX, version),
    KORVU_FIELD(KORVU_TYPE_CONTENTINFO, KORVU_CKX, authSafe),
    KORVU_FIELD(KORVU_TYPE_CKX_MACDATA, KORVU_CKX, macData).optional(offsetof(KORVU_CKX, hasMacData))};
constexpr st::StructDef kCkx =
    st::sequence(KORVU_TYPE_CKX, kCkxFields, sizeof(KORVU_CKX)).keeps_form(offsetof(KORVU_CKX, indefinite));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CKX, kCkx);
KORVU_API KORVU_CKX *korvu_ckx_new(const KORVU_ASN1_INTEGER *version, const KORVU_PKCS7_CONTENTINFO *auth_safe,
                                  const KORVU_CKX_MACDATA *mac_data) {
  return static_cast<KORVU_CKX *>(st::make<kCkx>(version, auth_safe, mac_data));
}
KORVU_GET(korvu_ckx_getversion, kCkx, version);
KORVU_GET(korvu_ckx_getauthsafe, kCkx, authSafe);
KORVU_HAS(korvu_ckx_hasmac, kCkx, macData);
KORVU_GET(korvu_ckx_getmac, kCkx, macData);

// AuthenticatedSafe ::= SEQUENCE OF ContentInfo; SafeContents ::= SEQUENCE OF SafeBag
KORVU_REGISTER_TYPE(KORVU_TYPE_AUTHENTICATEDSAFE) =
    list::TypedList<KORVU_TYPE_AUTHENTICATEDSAFE, KORVU_TYPE_CONTENTINFO>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SAFECONTENTS) = list::TypedList<KORVU_TYPE_SAFECONTENTS, KORVU_TYPE_SAFEBAG>::ops;

// SafeBag ::= SEQUENCE { bagId BAG-TYPE.&id ({PKCS12BagSet}), bagValue [0] EXPLICIT BAG-TYPE.&Type
//   ({PKCS12BagSet}{@bagId}), bagAttributes SET OF PKCS12Attribute OPTIONAL }
constexpr st::Field kSafeBagFields[] = {
    KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_PKCS12_SAFEBAG, bagId),
    KORVU_FIELD(KORVU_TYPE_ANY, KORVU_PKCS12_SAFEBAG, bagValue).explicit_(0),
    KORVU_FIELD(KORVU_TYPE_ATTRIBUTES, KORVU_PKCS12_SAFEBAG, bagAttributes)
        .optional(offsetof(KORVU_PKCS12_SAFEBAG, hasBagAttributes))};
constexpr st::StructDef kSafeBag = st::sequence(KORVU_TYPE_SAFEBAG, kSafeBagFields, sizeof(KORVU_PKCS12_SAFEBAG))
                                   .keeps_form(offsetof(KORVU_PKCS12_SAFEBAG, indefinite));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SAFEBAG, kSafeBag);
KORVU_API KORVU_PKCS12_SAFEBAG *korvu_pkcs12safebag_new(const KORVU_ASN1_OID *bag_id, const KORVU_ASN1_ANY *bag_value,
                                                       const KORVU_ASN1_LIST *bag_attributes) {
  return static_cast<KORVU_PKCS12_SAFEBAG *>(st::make<kSafeBag>(bag_id, bag_value, bag_attributes));
}
KORVU_GET(korvu_pkcs12safebag_getid, kSafeBag, bagId);
KORVU_GET(korvu_pkcs12safebag_getvalue, kSafeBag, bagValue);
KORVU_HAS(korvu_pkcs12safebag_hasattrs, kSafeBag, bagAttributes);
KORVU_GET(korvu_pkcs12safebag_getattrs, kSafeBag, bagAttributes);

// CertBag ::= SEQUENCE { certId BAG-TYPE.&id ({CertTypes}), certValue [0] EXPLICIT BAG-TYPE.&Type ({CertTypes}{@certId}) }
// CRLBag and SecretBag have the same shape.
constexpr st::Field kTypedBagFields[] = {KORVU_FIELD(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_PKCS12_TYPEDBAG, id),
                                         KORVU_FIELD(KORVU_TYPE_ANY, KORVU_PKCS12_TYPEDBAG, value).explicit_(0)};
constexpr uint16_t kTypedBagForm = offsetof(KORVU_PKCS12_TYPEDBAG, indefinite);
constexpr st::StructDef kCertBag =
    st::sequence(KORVU_TYPE_CERTBAG, kTypedBagFields, sizeof(KORVU_PKCS12_TYPEDBAG)).keeps_form(kTypedBagForm);
constexpr st::StructDef kCrlBag =
    st::sequence(KORVU_TYPE_CRLBAG, kTypedBagFields, sizeof(KORVU_PKCS12_TYPEDBAG)).keeps_form(kTypedBagForm);
constexpr st::StructDef kSecretBag =
    st::sequence(KORVU_TYPE_SECRETBAG, kTypedBagFields, sizeof(KORVU_PKCS12_TYPEDBAG)).keeps_form(kTypedBagForm);
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTBAG, kCertBag);
KORVU_REGISTER_STRUCT(KORVU_TYPE_CRLBAG, kCrlBag);
KORVU_REGISTER_STRUCT(KORVU_TYPE_SECRETBAG, kSecretBag);
KORVU_API KORVU_PKCS12_TYPEDBAG *korvu_pkcs12certbag_new(const KORVU_ASN1_OID *cert_id,
                                                        const KORVU_ASN1_ANY *cert_value) {
  return static_cast<KORVU_PKCS12_TYPEDBAG *>(st::make<kCertBag>(cert_id, cert_value));
}
KORVU_GET(korvu_pkcs12certbag_getid, kCertBag, id);
KORVU_GET(korvu_pkcs12certbag_getvalue, kCertBag, value);
KORVU_API KORVU_PKCS12_TYPEDBAG *korvu_pkcs12crlbag_new(const KORVU_ASN1_OID *crl_id, const KORVU_ASN1_ANY *crl_value) {
  return static_cast<KORVU_PKCS12_TYPEDBAG *>(st::make<kCrlBag>(crl_id, crl_value));
}
KORVU_GET(korvu_pkcs12crlbag_getid, kCrlBag, id);
KORVU_GET(korvu_pkcs12crlbag_getvalue, kCrlBag, value);
KORVU_API KORVU_PKCS12_TYPEDBAG *korvu_pkcs12secretbag_new(const KORVU_ASN1_OID *secret_type_id,
                                                          const KORVU_ASN1_ANY *secret_value) {
  return static_cast<KORVU_PKCS12_TYPEDBAG *>(st::make<kSecretBag>(secret_type_id, secret_value));
}
KORVU_GET(korvu_pkcs12secretbag_getid, kSecretBag, id);
KORVU_GET(korvu_pkcs12secretbag_getvalue, kSecretBag, value);

// pkcs-12PbeParams ::= SEQUENCE { salt OCTET STRING, iterations INTEGER }  (RFC 7292 C)
constexpr st::Field kP12PbeFields[] = {KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_PKCS12_PBEPARAMS, salt),
                                       KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_PKCS12_PBEPARAMS, iterations)};
constexpr st::StructDef kP12Pbe =
    st::sequence(KORVU_TYPE_PKCS12PBEPARAMS, kP12PbeFields, sizeof(KORVU_PKCS12_PBEPARAMS));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PKCS12PBEPARAMS, kP12Pbe);
KORVU_API KORVU_PKCS12_PBEPARAMS *korvu_pkcs12pbeparams_new(const KORVU_ASN1_OCTETSTRING *salt,
                                                           const KORVU_ASN1_INTEGER *iterations) {
  return static_cast<KORVU_PKCS12_PBEPARAMS *>(st::make<kP12Pbe>(salt, iterations));
}
KORVU_GET(korvu_pkcs12pbeparams_getsalt, kP12Pbe, salt);
KORVU_GET(korvu_pkcs12pbeparams_getitercount, kP12Pbe, iterations);
