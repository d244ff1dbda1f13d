// Extension and Extensions (RFC 5280 4.1, 4.1.2.9): an object identifier, a
// criticality flag (BOOLEAN DEFAULT FALSE) and the DER of the extension's
// value wrapped in an OCTET STRING.
#define KORVU_SRC "KORVU_ASN1_X509"
#include "../core/struct.h"
#include "../types/list_internal.h"

namespace korvu {
namespace {

using st::field;

constexpr unsigned char kFalse[] = {0x01, 0x01, 0x00};

// Extension ::= SEQUENCE { extnID OBJECT IDENTIFIER,
//                          critical BOOLEAN DEFAULT FALSE,
//                          extnValue OCTET STRING }
constexpr st::Field kExtensionFields[] = {
    field(6, offsetof(KORVU_X509_EXTENSION, extnID)),
    field(1, offsetof(KORVU_X509_EXTENSION, critical)).defaults(kFalse, sizeof kFalse),
    field(4, offsetof(KORVU_X509_EXTENSION, extnValue)),
};
constexpr st::StructDef kExtension = st::sequence(36, kExtensionFields, sizeof(KORVU_X509_EXTENSION));

}  // namespace
}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(36) = st::Sequence<kExtension>::ops;
// Extensions ::= SEQUENCE SIZE (1..MAX) OF Extension; an empty list is
// accepted on decoding, and duplicate identifiers are left to the caller.
KORVU_REGISTER_TYPE(37) = list::TypedList<37, 36>::ops;

extern "C" {

KORVU_API KORVU_X509_EXTENSION *korvu_x509extension_new(const KORVU_ASN1_OID *extn_id,
                                                       const KORVU_ASN1_BOOLEAN *critical,
                                                       const KORVU_ASN1_OCTETSTRING *extn_value) {
  return static_cast<KORVU_X509_EXTENSION *>(st::new_record(kExtension, {extn_id, critical, extn_value}));
}

KORVU_API KORVU_X509_EXTENSION *korvu_x509extension_create(const KORVU_ASN1_OID *extn_id,
                                                          const KORVU_ASN1_BOOLEAN *critical, uint32_t type,
                                                          const void *value) {
  if (type == 0 || type_desc(type) == nullptr || extn_id == nullptr || value == nullptr) return nullptr;
  KORVU_STREAM *m = korvu_stream_new_mem(1024, nullptr);
  if (m == nullptr) return nullptr;
  KORVU_X509_EXTENSION *ext = nullptr;
  // encode_value writes a kept encoding where the type keeps one, so a
  // decoded Name or Certificate is wrapped exactly as it was received.
  if (encode_value(m, type, value, nullptr, nullptr) == 1 &&
      korvu_stream_ctrl(m, KORVU_STREAM_CTRL_REWIND, nullptr) == 1) {
    KORVU_ASN1_OCTETSTRING *wrapped = korvu_asn1_octetstring_newstream(m);
    if (wrapped != nullptr) {
      ext = korvu_x509extension_new(extn_id, critical, wrapped);
      value_free(4, wrapped);
    }
  }
  korvu_stream_free(m);
  return ext;
}

KORVU_API KORVU_ASN1_OID *korvu_x509extension_getid(const KORVU_X509_EXTENSION *e) {
  return static_cast<KORVU_ASN1_OID *>(st::get(kExtension, e, 0));
}
KORVU_API KORVU_ASN1_BOOLEAN *korvu_x509extension_getcritical(const KORVU_X509_EXTENSION *e) {
  return static_cast<KORVU_ASN1_BOOLEAN *>(st::get(kExtension, e, 1));
}
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_x509extension_getvalue(const KORVU_X509_EXTENSION *e) {
  return static_cast<KORVU_ASN1_OCTETSTRING *>(st::get(kExtension, e, 2));
}

}  // extern "C"
