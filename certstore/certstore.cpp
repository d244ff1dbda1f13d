// The certificate store: PrivKeyAttribute, PrivKeyId, StoreAttribute, StoreAttributeList, CertWithAttributes,
// CertStore, and the list of earlier-certificate thumbprints (SEQUENCE OF DigestInfo). The ASN.1 and the record
// layouts are in korvu/certstore.h; attribute types, key types and flags are the callers' integers.
#define KORVU_SRC "KORVU_ASN1_CertStore"
#include "korvu/certstore.h"
#include "korvu/keys.h"

#include "../core/list_codec.h"
#include "../core/struct.h"

using namespace korvu;
using st::alternative;

// PrivKeyId ::= CHOICE { keyId UTF8String, algoId [0] IMPLICIT AlgorithmIdentifier }
constexpr st::Field kKeyIdAlts[] = {alternative(0, KORVU_TYPE_UTF8STRING),
                                    alternative(1, KORVU_TYPE_ALGORITHMIDENTIFIER).implicit(0)};
constexpr st::StructDef kKeyId = st::choice(KORVU_TYPE_PRIVKEYID, kKeyIdAlts);
static_assert(offsetof(KORVU_CERTSTORE_KEYID, value) == offsetof(st::ChoiceRecord, value));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PRIVKEYID, kKeyId);
KORVU_NEW_CHOICE(korvu_certstore_keyid_newkeyid, kKeyId, 0);
KORVU_NEW_CHOICE(korvu_certstore_keyid_newalgoid, kKeyId, 1);
KORVU_API uint32_t korvu_certstore_keyid_gettype(const KORVU_CERTSTORE_KEYID *id) { return st::choice_of(id); }
KORVU_GET_CHOICE(korvu_certstore_keyid_getkeyid, 0);
KORVU_GET_CHOICE(korvu_certstore_keyid_getalgoid, 1);

// PrivKeyAttribute ::= SEQUENCE { provider UTF8String, subProvider UTF8String OPTIONAL,
//   keyType [0] IMPLICIT INTEGER OPTIONAL, flag INTEGER, keyId [1] EXPLICIT PrivKeyId OPTIONAL }
constexpr st::Field kPrivKeyAttrFields[] = {
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, KORVU_CERTSTORE_PRIVKEYATTR, provider),
    KORVU_FIELD(KORVU_TYPE_UTF8STRING, KORVU_CERTSTORE_PRIVKEYATTR, subProvider).optional(),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CERTSTORE_PRIVKEYATTR, keyType).implicit(0).optional(),
    KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CERTSTORE_PRIVKEYATTR, flag),
    KORVU_FIELD(KORVU_TYPE_PRIVKEYID, KORVU_CERTSTORE_PRIVKEYATTR, keyId).explicit_(1).optional()};
constexpr st::StructDef kPrivKeyAttr =
    st::sequence(KORVU_TYPE_PRIVKEYATTRIBUTE, kPrivKeyAttrFields, sizeof(KORVU_CERTSTORE_PRIVKEYATTR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_PRIVKEYATTRIBUTE, kPrivKeyAttr);
KORVU_API KORVU_CERTSTORE_PRIVKEYATTR *korvu_certstore_privkeyattr_new(const KORVU_ASN1_STRING *provider,
                                                                      const KORVU_ASN1_STRING *sub_provider,
                                                                      const KORVU_ASN1_INTEGER *key_type,
                                                                      const KORVU_ASN1_INTEGER *flag,
                                                                      const KORVU_CERTSTORE_KEYID *key_id) {
  return static_cast<KORVU_CERTSTORE_PRIVKEYATTR *>(
      st::make<kPrivKeyAttr>(provider, sub_provider, key_type, flag, key_id));
}
KORVU_GET(korvu_certstore_privkeyattr_getprovider, kPrivKeyAttr, provider);
KORVU_GET(korvu_certstore_privkeyattr_getsubprovider, kPrivKeyAttr, subProvider);
KORVU_GET(korvu_certstore_privkeyattr_getkeytype, kPrivKeyAttr, keyType);
KORVU_GET(korvu_certstore_privkeyattr_getflag, kPrivKeyAttr, flag);
KORVU_GET(korvu_certstore_privkeyattr_getkeyid, kPrivKeyAttr, keyId);

// StoreAttribute ::= SEQUENCE { type INTEGER, value ANY }
constexpr st::Field kAttrFields[] = {KORVU_FIELD(KORVU_TYPE_INTEGER, KORVU_CERTSTORE_ATTR, type),
                                     KORVU_FIELD(KORVU_TYPE_ANY, KORVU_CERTSTORE_ATTR, value)};
constexpr st::StructDef kAttr = st::sequence(KORVU_TYPE_STOREATTRIBUTE, kAttrFields, sizeof(KORVU_CERTSTORE_ATTR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_STOREATTRIBUTE, kAttr);
KORVU_API KORVU_CERTSTORE_ATTR *korvu_certstore_attr_new(const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_CERTSTORE_ATTR *>(st::make<kAttr>(type, value));
}
KORVU_GET(korvu_certstore_attr_gettype, kAttr, type);
KORVU_GET(korvu_certstore_attr_getvalue, kAttr, value);

// StoreAttributeList ::= SEQUENCE OF StoreAttribute
KORVU_REGISTER_TYPE(KORVU_TYPE_STOREATTRIBUTELIST) =
    list::TypedList<KORVU_TYPE_STOREATTRIBUTELIST, KORVU_TYPE_STOREATTRIBUTE>::ops;

// CertWithAttributes ::= SEQUENCE { certificate Certificate, attributes StoreAttributeList OPTIONAL }
constexpr st::Field kCertWithAttrFields[] = {
    KORVU_FIELD(KORVU_TYPE_CERTIFICATE, KORVU_CERTSTORE_CERTWITHATTR, certificate),
    KORVU_FIELD(KORVU_TYPE_STOREATTRIBUTELIST, KORVU_CERTSTORE_CERTWITHATTR, attributes).optional()};
constexpr st::StructDef kCertWithAttr =
    st::sequence(KORVU_TYPE_CERTWITHATTRIBUTES, kCertWithAttrFields, sizeof(KORVU_CERTSTORE_CERTWITHATTR));
KORVU_REGISTER_STRUCT(KORVU_TYPE_CERTWITHATTRIBUTES, kCertWithAttr);
KORVU_API KORVU_CERTSTORE_CERTWITHATTR *korvu_certstore_certwithattr_new(const struct korvu_x509_cert_st *certificate,
                                                                        const KORVU_ASN1_LIST *attributes) {
  return static_cast<KORVU_CERTSTORE_CERTWITHATTR *>(st::make<kCertWithAttr>(certificate, attributes));
}
KORVU_GET(korvu_certstore_certwithattr_getcert, kCertWithAttr, certificate);
KORVU_GET(korvu_certstore_certwithattr_getattrlist, kCertWithAttr, attributes);

// CertStore ::= SEQUENCE OF CertWithAttributes; the thumbprint list: SEQUENCE OF DigestInfo.
KORVU_REGISTER_TYPE(KORVU_TYPE_CERTSTORE) = list::TypedList<KORVU_TYPE_CERTSTORE, KORVU_TYPE_CERTWITHATTRIBUTES>::ops;
KORVU_REGISTER_TYPE(KORVU_TYPE_SEQUENCE_OF_DIGESTINFO) =
    list::TypedList<KORVU_TYPE_SEQUENCE_OF_DIGESTINFO, KORVU_TYPE_DIGESTINFO>::ops;
