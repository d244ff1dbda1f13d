// EC and SM2 keys and the GM/T 0009 key envelopes: EcpkParameters (RFC 3279 2.3.5), ECPrivateKey (RFC 5915 3,
// and GM/T 0010's form whose private key is an INTEGER), SM2Cipher, SM2EnvelopedKey, RSAEnvelopedKeyPair,
// InnerEnvelopedKeyPair and EnvelopedKeyPair. Record layouts are in korvu/keys.h.
#define KORVU_SRC "KORVU_ASN1_Keys"
#include "keys_internal.h"

using namespace korvu;
using st::alternative;

// EcpkParameters ::= CHOICE { ecParameters ECParameters, namedCurve OBJECT IDENTIFIER, implicitlyCA NULL }
// The explicit parameters are held as the list of their components (ANY values), so any curve description is
// carried and written back as received.
constexpr st::Field kEcpkAlts[] = {alternative(1, KORVU_TYPE_SEQUENCE_SIZE_OF_ANY),
                                   alternative(2, KORVU_TYPE_OBJECT_IDENTIFIER), alternative(3, KORVU_TYPE_NULL)};
constexpr st::StructDef kEcpk = st::choice(KORVU_TYPE_ECPKPARAMETERS, kEcpkAlts);
static_assert(offsetof(KORVU_EC_PKPARAMS, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ECPKPARAMETERS, kEcpk);
KORVU_NEW_CHOICE(korvu_ecpkparameters_new_namedcurve, kEcpk, 2);
KORVU_API KORVU_EC_PKPARAMS *korvu_ecpkparameters_new_implicitlyca(void) {
  static const unsigned char null_marker = 0;  // any pointer stands for a NULL value
  return static_cast<KORVU_EC_PKPARAMS *>(st::new_choice(kEcpk, 3, &null_marker));
}
KORVU_API uint32_t korvu_ecpkparameters_gettype(const KORVU_EC_PKPARAMS *p) { return st::choice_of(p); }
KORVU_GET_CHOICE(korvu_ecpkparameters_namedcurve, 2);

// ECPrivateKey ::= SEQUENCE { version INTEGER { ecPrivkeyVer1(1) }, privateKey OCTET STRING,
//   parameters [0] ECParameters {{ NamedCurve }} OPTIONAL, publicKey [1] BIT STRING OPTIONAL }
// (RFC 5915, EXPLICIT TAGS.) In the SM2 form the private key is an INTEGER. The two forms are two OPTIONAL rows
// told apart by their tags; exactly one of them must be there, and isSm2 says which.
namespace {
int ec_finish(void *record, KORVU_ERR_CTX *) {
  auto *k = static_cast<KORVU_EC_PRIVKEY *>(record);
  k->isSm2 = k->sm2PrivateKey != nullptr ? 1 : 0;
  return 1;
}
int ec_check(const void *record, KORVU_ERR_CTX *ctx) {
  const auto *k = static_cast<const KORVU_EC_PRIVKEY *>(record);
  if ((k->privateKey == nullptr) == (k->sm2PrivateKey == nullptr)) {
    KORVU_ERR(ctx, kErrIncorrectItem);
    return 0;
  }
  return 1;
}
}  // namespace
constexpr st::Field kEcPrivFields[] = {
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_EC_PRIVKEY, version),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_EC_PRIVKEY, privateKey).optional(),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_EC_PRIVKEY, sm2PrivateKey).optional(),
    KORVU_FIELD(KORVU_TYPE_ECPKPARAMETERS, KORVU_EC_PRIVKEY, parameters).explicit_(0).optional(),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_EC_PRIVKEY, publicKey).explicit_(1).optional()};
constexpr st::StructDef kEcPriv = st::sequence(KORVU_TYPE_ECPRIVATEKEY, kEcPrivFields, sizeof(KORVU_EC_PRIVKEY))
                                      .finished(ec_finish)
                                      .checked(ec_check);
KORVU_REGISTER_STRUCT(KORVU_TYPE_ECPRIVATEKEY, kEcPriv);
KORVU_API KORVU_EC_PRIVKEY *korvu_ecprivatekey_new(const KORVU_ASN1_INTEGER *version,
                                                  const KORVU_ASN1_OCTETSTRING *private_key,
                                                  const KORVU_EC_PKPARAMS *parameters,
                                                  const KORVU_ASN1_BITSTRING *public_key) {
  if (private_key == nullptr) return nullptr;
  const KORVU_ASN1_INTEGER *none = nullptr;
  return static_cast<KORVU_EC_PRIVKEY *>(st::make<kEcPriv>(version, private_key, none, parameters, public_key));
}
KORVU_API KORVU_EC_PRIVKEY *korvu_ecprivatekey_newsm2(const KORVU_ASN1_INTEGER *version,
                                                     const KORVU_ASN1_INTEGER *private_key,
                                                     const KORVU_EC_PKPARAMS *parameters,
                                                     const KORVU_ASN1_BITSTRING *public_key) {
  if (private_key == nullptr || public_key == nullptr) return nullptr;
  const KORVU_ASN1_OCTETSTRING *none = nullptr;
  return static_cast<KORVU_EC_PRIVKEY *>(st::make<kEcPriv>(version, none, private_key, parameters, public_key));
}
KORVU_GET(korvu_ecprivatekey_getversion, kEcPriv, version);
KORVU_API int korvu_ecprivatekey_issm2privkey(const KORVU_EC_PRIVKEY *key) {
  return key != nullptr && key->isSm2 == 1 ? 1 : 0;
}
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_ecprivatekey_getprivkey(const KORVU_EC_PRIVKEY *key) {
  return key != nullptr && key->isSm2 == 0 ? key->privateKey : nullptr;
}
KORVU_API KORVU_ASN1_INTEGER *korvu_ecprivatekey_getsm2privkey(const KORVU_EC_PRIVKEY *key) {
  return key != nullptr && key->isSm2 == 1 ? key->sm2PrivateKey : nullptr;
}
KORVU_GET(korvu_ecprivatekey_getparam, kEcPriv, parameters);
KORVU_GET(korvu_ecprivatekey_getpubkey, kEcPriv, publicKey);

// SM2Cipher ::= SEQUENCE { XCoordinate INTEGER, YCoordinate INTEGER, HASH OCTET STRING (SIZE(32)),
//   CipherText OCTET STRING }  (GM/T 0009 7.2; the size is not checked)
constexpr st::Field kSm2CipherFields[] = {KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM2_CIPHER, xCoordinate),
                                          KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_SM2_CIPHER, yCoordinate),
                                          KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM2_CIPHER, hash),
                                          KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_SM2_CIPHER, cipherText)};
constexpr st::StructDef kSm2Cipher = st::sequence(KORVU_TYPE_SM2CIPHER, kSm2CipherFields, sizeof(KORVU_SM2_CIPHER));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM2CIPHER, kSm2Cipher);
KORVU_API KORVU_SM2_CIPHER *korvu_sm2cipher_new(const KORVU_ASN1_INTEGER *x, const KORVU_ASN1_INTEGER *y,
                                               const KORVU_ASN1_OCTETSTRING *hash,
                                               const KORVU_ASN1_OCTETSTRING *cipher_text) {
  return static_cast<KORVU_SM2_CIPHER *>(st::make<kSm2Cipher>(x, y, hash, cipher_text));
}
KORVU_GET(korvu_sm2cipher_getx, kSm2Cipher, xCoordinate);
KORVU_GET(korvu_sm2cipher_gety, kSm2Cipher, yCoordinate);
KORVU_GET(korvu_sm2cipher_gethash, kSm2Cipher, hash);
KORVU_GET(korvu_sm2cipher_getciphertext, kSm2Cipher, cipherText);

// SM2EnvelopedKey ::= SEQUENCE { symAlgID AlgorithmIdentifier, symEncryptedKey SM2Cipher,
//   Sm2PublicKey SM2PublicKey, Sm2EncryptedPrivateKey BIT STRING }  (GM/T 0009 7.4; SM2PublicKey ::= BIT STRING)
constexpr st::Field kSm2EnvFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_SM2_ENVELOPEDKEY, symAlgID),
    KORVU_FIELD(KORVU_TYPE_SM2CIPHER, KORVU_SM2_ENVELOPEDKEY, symEncryptedKey),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SM2_ENVELOPEDKEY, sm2PublicKey),
    KORVU_FIELD(KORVU_TYPE_BIT_STRING, KORVU_SM2_ENVELOPEDKEY, sm2EncryptedPrivateKey)};
constexpr st::StructDef kSm2Env =
    st::sequence(KORVU_TYPE_SM2ENVELOPEDKEY, kSm2EnvFields, sizeof(KORVU_SM2_ENVELOPEDKEY));
KORVU_REGISTER_STRUCT(KORVU_TYPE_SM2ENVELOPEDKEY, kSm2Env);
KORVU_API KORVU_SM2_ENVELOPEDKEY *korvu_sm2envelopedkey_new(const KORVU_X509_ALGID *sym_alg_id,
                                                           const KORVU_SM2_CIPHER *sym_encrypted_key,
                                                           const KORVU_ASN1_BITSTRING *sm2_public_key,
                                                           const KORVU_ASN1_BITSTRING *sm2_encrypted_private_key) {
  return static_cast<KORVU_SM2_ENVELOPEDKEY *>(
      st::make<kSm2Env>(sym_alg_id, sym_encrypted_key, sm2_public_key, sm2_encrypted_private_key));
}
KORVU_GET(korvu_sm2envelopedkey_getsymalgid, kSm2Env, symAlgID);
KORVU_GET(korvu_sm2envelopedkey_getsymencryptedkey, kSm2Env, symEncryptedKey);
KORVU_GET(korvu_sm2envelopedkey_getsm2publickey, kSm2Env, sm2PublicKey);
KORVU_GET(korvu_sm2envelopedkey_getsm2encryptedprivatekey, kSm2Env, sm2EncryptedPrivateKey);

// RSAEnvelopedKeyPair ::= SEQUENCE { symAlgID AlgorithmIdentifier, symEncryptedKey OCTET STRING,
//   rsaPublicKey RSAPublicKey, rsaEncryptedPrivateKey OCTET STRING }
constexpr st::Field kRsaEnvFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_RSA_ENVELOPEDKEYPAIR, symAlgID),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_RSA_ENVELOPEDKEYPAIR, symEncryptedKey),
    KORVU_FIELD(KORVU_TYPE_RSAPUBLICKEY, KORVU_RSA_ENVELOPEDKEYPAIR, rsaPublicKey),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_RSA_ENVELOPEDKEYPAIR, rsaEncryptedPrivateKey)};
constexpr st::StructDef kRsaEnv =
    st::sequence(KORVU_TYPE_RSAENVELOPEDKEYPAIR, kRsaEnvFields, sizeof(KORVU_RSA_ENVELOPEDKEYPAIR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_RSAENVELOPEDKEYPAIR, kRsaEnv);
KORVU_API KORVU_RSA_ENVELOPEDKEYPAIR *korvu_rsaenvelopedkeypair_new(const KORVU_X509_ALGID *sym_alg_id,
                                                                   const KORVU_ASN1_OCTETSTRING *sym_encrypted_key,
                                                                   const KORVU_RSA_PUBKEY *rsa_public_key,
                                                                   const KORVU_ASN1_OCTETSTRING *rsa_encrypted_private_key) {
  return static_cast<KORVU_RSA_ENVELOPEDKEYPAIR *>(
      st::make<kRsaEnv>(sym_alg_id, sym_encrypted_key, rsa_public_key, rsa_encrypted_private_key));
}
KORVU_GET(korvu_rsaenvelopedkeypair_getsymalgid, kRsaEnv, symAlgID);
KORVU_GET(korvu_rsaenvelopedkeypair_getsymencryptedkey, kRsaEnv, symEncryptedKey);
KORVU_GET(korvu_rsaenvelopedkeypair_getrsapublickey, kRsaEnv, rsaPublicKey);
KORVU_GET(korvu_rsaenvelopedkeypair_getrsaencryptedprivatekey, kRsaEnv, rsaEncryptedPrivateKey);

// EccEnvelopedKeyPair ::= SEQUENCE { symAlgId AlgorithmIdentifier, originatorKey SubjectPublicKeyInfo,
//   hashAlgo AlgorithmIdentifier, sharedInfo ECC-CMS-SharedInfo, encryptedKey OCTET STRING,
//   eccPublicKey OCTET STRING, eccEncryptedPrivateKey OCTET STRING }
constexpr st::Field kEccEnvFields[] = {
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_ECC_ENVELOPEDKEYPAIR, symAlgId),
    KORVU_FIELD(KORVU_TYPE_SUBJECTPUBLICKEYINFO, KORVU_ECC_ENVELOPEDKEYPAIR, originatorKey),
    KORVU_FIELD(KORVU_TYPE_ALGORITHMIDENTIFIER, KORVU_ECC_ENVELOPEDKEYPAIR, hashAlgo),
    KORVU_FIELD(KORVU_TYPE_ECC_CMS_SHAREDINFO, KORVU_ECC_ENVELOPEDKEYPAIR, sharedInfo),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ECC_ENVELOPEDKEYPAIR, encryptedKey),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ECC_ENVELOPEDKEYPAIR, eccPublicKey),
    KORVU_FIELD(KORVU_TYPE_OCTET_STRING, KORVU_ECC_ENVELOPEDKEYPAIR, eccEncryptedPrivateKey)};
constexpr st::StructDef kEccEnv =
    st::sequence(KORVU_TYPE_ECCENVELOPEDKEYPAIR, kEccEnvFields, sizeof(KORVU_ECC_ENVELOPEDKEYPAIR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ECCENVELOPEDKEYPAIR, kEccEnv);
KORVU_API KORVU_ECC_ENVELOPEDKEYPAIR *korvu_eccenvelopedkeypair_new(
    const KORVU_X509_ALGID *sym_alg_id, const KORVU_X509_SPKI *originator_key, const KORVU_X509_ALGID *hash_algo,
    const KORVU_ECC_CMS_SHAREDINFO *shared_info, const KORVU_ASN1_OCTETSTRING *encrypted_key,
    const KORVU_ASN1_OCTETSTRING *ecc_public_key, const KORVU_ASN1_OCTETSTRING *ecc_encrypted_private_key) {
  return static_cast<KORVU_ECC_ENVELOPEDKEYPAIR *>(st::make<kEccEnv>(
      sym_alg_id, originator_key, hash_algo, shared_info, encrypted_key, ecc_public_key, ecc_encrypted_private_key));
}
KORVU_GET(korvu_eccenvelopedkeypair_getsymalgid, kEccEnv, symAlgId);
KORVU_GET(korvu_eccenvelopedkeypair_getoriginatorkey, kEccEnv, originatorKey);
KORVU_GET(korvu_eccenvelopedkeypair_gethashalgo, kEccEnv, hashAlgo);
KORVU_GET(korvu_eccenvelopedkeypair_getsharedinfo, kEccEnv, sharedInfo);
KORVU_GET(korvu_eccenvelopedkeypair_getencryptedkey, kEccEnv, encryptedKey);
KORVU_GET(korvu_eccenvelopedkeypair_geteccpublickey, kEccEnv, eccPublicKey);
KORVU_GET(korvu_eccenvelopedkeypair_geteccencryptedprivatekey, kEccEnv, eccEncryptedPrivateKey);

// InnerEnvelopedKeyPair ::= CHOICE { sm2 [0] SM2EnvelopedKey, rsa [1] RSAEnvelopedKeyPair,
//   ecc [2] EccEnvelopedKeyPair }  (EXPLICIT; choice numbers: rsa 1, sm2 2, ecc 3)
constexpr st::Field kInnerEnvAlts[] = {alternative(2, KORVU_TYPE_SM2ENVELOPEDKEY).explicit_(0),
                                       alternative(1, KORVU_TYPE_RSAENVELOPEDKEYPAIR).explicit_(1),
                                       alternative(3, KORVU_TYPE_ECCENVELOPEDKEYPAIR).explicit_(2)};
constexpr st::StructDef kInnerEnv = st::choice(KORVU_TYPE_INNERENVELOPEDKEYPAIR, kInnerEnvAlts);
static_assert(offsetof(KORVU_INNER_ENVELOPEDKEYPAIR, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_INNERENVELOPEDKEYPAIR, kInnerEnv);
KORVU_NEW_CHOICE(korvu_innerenvelopedkeypair_newrsa, kInnerEnv, 1);
KORVU_NEW_CHOICE(korvu_innerenvelopedkeypair_newsm2, kInnerEnv, 2);
KORVU_NEW_CHOICE(korvu_innerenvelopedkeypair_newecc, kInnerEnv, 3);
KORVU_API uint32_t korvu_innerenvelopedkeypair_gettype(const KORVU_INNER_ENVELOPEDKEYPAIR *k) {
  return st::choice_of(k);
}
KORVU_GET_CHOICE(korvu_innerenvelopedkeypair_getrsa, 1);
KORVU_GET_CHOICE(korvu_innerenvelopedkeypair_getsm2, 2);
KORVU_GET_CHOICE(korvu_innerenvelopedkeypair_getecc, 3);

// EnvelopedKeyPair ::= SEQUENCE { signPubKey SubjectPublicKeyInfo, envKeyPair InnerEnvelopedKeyPair }
constexpr st::Field kEnvFields[] = {
    KORVU_FIELD(KORVU_TYPE_SUBJECTPUBLICKEYINFO, KORVU_ENVELOPEDKEYPAIR, signPubKey),
    KORVU_FIELD(KORVU_TYPE_INNERENVELOPEDKEYPAIR, KORVU_ENVELOPEDKEYPAIR, envKeyPair)};
constexpr st::StructDef kEnv = st::sequence(KORVU_TYPE_ENVELOPEDKEYPAIR, kEnvFields, sizeof(KORVU_ENVELOPEDKEYPAIR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_ENVELOPEDKEYPAIR, kEnv);
KORVU_API KORVU_ENVELOPEDKEYPAIR *korvu_envelopedkeypair_new(const KORVU_X509_SPKI *sign_pub_key,
                                                            const KORVU_INNER_ENVELOPEDKEYPAIR *env_key_pair) {
  return static_cast<KORVU_ENVELOPEDKEYPAIR *>(st::make<kEnv>(sign_pub_key, env_key_pair));
}
KORVU_GET(korvu_envelopedkeypair_getsignpubkey, kEnv, signPubKey);
KORVU_GET(korvu_envelopedkeypair_getenvkeypair, kEnv, envKeyPair);
