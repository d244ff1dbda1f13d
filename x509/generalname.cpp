// GeneralName and its parts (RFC 5280 4.2.1.6): OtherName, EDIPartyName,
// the GeneralName CHOICE under context tags 0 to 8, and GeneralNames.
#define KORVU_SRC "KORVU_ASN1_X509"
#include "../core/struct.h"
#include "../types/list_internal.h"

namespace korvu {
namespace {

using st::alternative;
using st::field;

// OtherName ::= INSTANCE OF TYPE-IDENTIFIER, i.e. (X.681 C.7)
//   [UNIVERSAL 8] IMPLICIT SEQUENCE { type-id OBJECT IDENTIFIER,
//                                     value [0] EXPLICIT ANY }
constexpr st::Field kOtherNameFields[] = {
    field(6, offsetof(KORVU_X509_OTHERNAME, typeId)),
    field(23, offsetof(KORVU_X509_OTHERNAME, value)).explicit_(0),
};
constexpr st::StructDef kOtherName = st::sequence(61, kOtherNameFields, sizeof(KORVU_X509_OTHERNAME));

// EDIPartyName ::= SEQUENCE { nameAssigner [0] DirectoryString OPTIONAL,
//                             partyName    [1] DirectoryString }
// (explicit: DirectoryString is a CHOICE, X.680 31.2.7)
constexpr st::Field kEdiFields[] = {
    field(47, offsetof(KORVU_X509_EDIPARTYNAME, nameAssigner))
        .explicit_(0)
        .optional(offsetof(KORVU_X509_EDIPARTYNAME, hasNameAssigner)),
    field(47, offsetof(KORVU_X509_EDIPARTYNAME, partyName)).explicit_(1),
};
constexpr st::StructDef kEdi = st::sequence(62, kEdiFields, sizeof(KORVU_X509_EDIPARTYNAME));

// GeneralName ::= CHOICE { the module is IMPLICIT TAGS; directoryName is
// explicit because Name is a CHOICE }
constexpr st::Field kGeneralNameAlts[] = {
    alternative(0, 61).implicit(0),  // otherName
    alternative(1, 14).implicit(1),  // rfc822Name IA5String
    alternative(2, 14).implicit(2),  // dNSName IA5String
    alternative(3, 25).implicit(3),  // x400Address ORAddress, kept as opaque components
    alternative(4, 32).explicit_(4),  // directoryName Name
    alternative(5, 62).implicit(5),  // ediPartyName
    alternative(6, 14).implicit(6),  // uniformResourceIdentifier IA5String
    alternative(7, 4).implicit(7),   // iPAddress OCTET STRING
    alternative(8, 6).implicit(8),   // registeredID OBJECT IDENTIFIER
};
constexpr st::StructDef kGeneralName = st::choice(63, kGeneralNameAlts);

static_assert(offsetof(KORVU_X509_GENERALNAME, choice) == offsetof(st::ChoiceRecord, choice));
static_assert(offsetof(KORVU_X509_GENERALNAME, value) == offsetof(st::ChoiceRecord, value));

KORVU_X509_GENERALNAME *make(uint32_t choice, const void *value) {
  return static_cast<KORVU_X509_GENERALNAME *>(st::new_choice(kGeneralName, choice, value));
}

template <class T>
T *pick(const KORVU_X509_GENERALNAME *gn, uint32_t choice) {
  return static_cast<T *>(st::get_choice(gn, choice));
}

}  // namespace
}  // namespace korvu

using namespace korvu;

KORVU_REGISTER_TYPE(61) = st::Sequence<kOtherName>::ops;
KORVU_REGISTER_TYPE(62) = st::Sequence<kEdi>::ops;
KORVU_REGISTER_TYPE(63) = st::Choice<kGeneralName>::ops;
// GeneralNames ::= SEQUENCE SIZE (1..MAX) OF GeneralName
KORVU_REGISTER_TYPE(64) = list::TypedList<64, 63, 0x00, list::kTagOfRow, KORVU_FORM_EITHER, 1>::ops;

extern "C" {

KORVU_API KORVU_X509_OTHERNAME *korvu_instanceoftypeid_new(const KORVU_ASN1_OID *type_id,
                                                          const KORVU_ASN1_ANY *value) {
  return static_cast<KORVU_X509_OTHERNAME *>(st::new_record(kOtherName, {type_id, value}));
}
KORVU_API KORVU_ASN1_OID *korvu_instanceoftypeid_getid(const KORVU_X509_OTHERNAME *o) {
  return static_cast<KORVU_ASN1_OID *>(st::get(kOtherName, o, 0));
}
KORVU_API KORVU_ASN1_ANY *korvu_instanceoftypeid_gettype(const KORVU_X509_OTHERNAME *o) {
  return static_cast<KORVU_ASN1_ANY *>(st::get(kOtherName, o, 1));
}

KORVU_API KORVU_X509_EDIPARTYNAME *korvu_x509edipartyname_new(const korvu_x500_dirstring_st *name_assigner,
                                                             const korvu_x500_dirstring_st *party_name) {
  return static_cast<KORVU_X509_EDIPARTYNAME *>(st::new_record(kEdi, {name_assigner, party_name}));
}
KORVU_API korvu_x500_dirstring_st *korvu_x509edipartyname_getnameassigner(const KORVU_X509_EDIPARTYNAME *e) {
  return static_cast<korvu_x500_dirstring_st *>(st::get(kEdi, e, 0));
}
KORVU_API korvu_x500_dirstring_st *korvu_x509edipartyname_getpartyname(const KORVU_X509_EDIPARTYNAME *e) {
  return static_cast<korvu_x500_dirstring_st *>(st::get(kEdi, e, 1));
}

KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_othername(const KORVU_X509_OTHERNAME *v) {
  return make(0, v);
}
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_rfc822name(const KORVU_ASN1_STRING *v) {
  return make(1, v);
}
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_dnsname(const KORVU_ASN1_STRING *v) {
  return make(2, v);
}
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_dirname(const korvu_x500_name_st *v) { return make(4, v); }
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_ediname(const KORVU_X509_EDIPARTYNAME *v) {
  return make(5, v);
}
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_uri(const KORVU_ASN1_STRING *v) { return make(6, v); }
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_ip(const KORVU_ASN1_OCTETSTRING *v) {
  return make(7, v);
}
KORVU_API KORVU_X509_GENERALNAME *korvu_x509generalname_new_regid(const KORVU_ASN1_OID *v) { return make(8, v); }

KORVU_API int korvu_x509generalname_gettype(const KORVU_X509_GENERALNAME *gn, uint32_t *choice) {
  if (gn == nullptr || choice == nullptr) return 0;
  *choice = gn->choice;
  return 1;
}
KORVU_API KORVU_X509_OTHERNAME *korvu_x509generalname_getothername(const KORVU_X509_GENERALNAME *gn) {
  return pick<KORVU_X509_OTHERNAME>(gn, 0);
}
KORVU_API KORVU_ASN1_STRING *korvu_x509generalname_getrfc822name(const KORVU_X509_GENERALNAME *gn) {
  return pick<KORVU_ASN1_STRING>(gn, 1);
}
KORVU_API KORVU_ASN1_STRING *korvu_x509generalname_getdnsname(const KORVU_X509_GENERALNAME *gn) {
  return pick<KORVU_ASN1_STRING>(gn, 2);
}
KORVU_API korvu_x500_name_st *korvu_x509generalname_getdirname(const KORVU_X509_GENERALNAME *gn) {
  return pick<korvu_x500_name_st>(gn, 4);
}
KORVU_API KORVU_X509_EDIPARTYNAME *korvu_x509generalname_getediname(const KORVU_X509_GENERALNAME *gn) {
  return pick<KORVU_X509_EDIPARTYNAME>(gn, 5);
}
KORVU_API KORVU_ASN1_STRING *korvu_x509generalname_geturi(const KORVU_X509_GENERALNAME *gn) {
  return pick<KORVU_ASN1_STRING>(gn, 6);
}
KORVU_API KORVU_ASN1_OCTETSTRING *korvu_x509generalname_getip(const KORVU_X509_GENERALNAME *gn) {
  return pick<KORVU_ASN1_OCTETSTRING>(gn, 7);
}
KORVU_API KORVU_ASN1_OID *korvu_x509generalname_getregid(const KORVU_X509_GENERALNAME *gn) {
  return pick<KORVU_ASN1_OID>(gn, 8);
}

}  // extern "C"
