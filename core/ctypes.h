// The C record of each type number, so that a table row, a constructor
// argument and a getter are checked against the member or argument they name
// when they compile. A family declares the records of its types in its own
// folder's ctypes.inc, one line per type number:
//
//   KORVU_CTYPE(KORVU_TYPE_VALIDITY, KORVU_X509_VALIDITY);
//
// A type number may share its record with others (every character string
// type is a KORVU_ASN1_STRING; every list type a KORVU_ASN1_LIST).
#ifndef KORVU_CORE_CTYPES_H
#define KORVU_CORE_CTYPES_H

#include <cstdint>

#include "korvu/asn1.h"

namespace korvu::st {

// known is false for a type number whose record no family has declared: a
// row or argument of such a type does not compile.
template <uint32_t N>
struct CType {
  static constexpr bool known = false;
};

}  // namespace korvu::st

#define KORVU_CTYPE(n, T)                    \
  template <>                                \
  struct korvu::st::CType<n> {               \
    using type = T;                          \
    static constexpr bool known = true;      \
  }

// Universal types and lists.
KORVU_CTYPE(KORVU_TYPE_BOOLEAN, KORVU_ASN1_BOOLEAN);
KORVU_CTYPE(KORVU_TYPE_INTEGER, KORVU_ASN1_INTEGER);
KORVU_CTYPE(KORVU_TYPE_ENUMERATED, KORVU_ASN1_INTEGER);
KORVU_CTYPE(KORVU_TYPE_BIT_STRING, KORVU_ASN1_BITSTRING);
KORVU_CTYPE(KORVU_TYPE_OCTET_STRING, KORVU_ASN1_OCTETSTRING);
KORVU_CTYPE(KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_ASN1_OID);
KORVU_CTYPE(KORVU_TYPE_RELATIVE_OID, KORVU_ASN1_OID);
KORVU_CTYPE(KORVU_TYPE_STRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_UTF8STRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_NUMERICSTRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_PRINTABLESTRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_TELETEXSTRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_VIDEOTEXSTRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_IA5STRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_GRAPHICSTRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_VISIBLESTRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_GENERALSTRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_UNIVERSALSTRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_BMPSTRING, KORVU_ASN1_STRING);
KORVU_CTYPE(KORVU_TYPE_TIME, KORVU_ASN1_TIME);
KORVU_CTYPE(KORVU_TYPE_UTCTIME, KORVU_ASN1_TIME);
KORVU_CTYPE(KORVU_TYPE_GENERALIZEDTIME, KORVU_ASN1_TIME);
KORVU_CTYPE(KORVU_TYPE_ANY, KORVU_ASN1_ANY);
KORVU_CTYPE(KORVU_TYPE_SEQUENCE_OF_ANY, KORVU_ASN1_LIST);
KORVU_CTYPE(KORVU_TYPE_SEQUENCE_SIZE_OF_ANY, KORVU_ASN1_LIST);
KORVU_CTYPE(KORVU_TYPE_SET_OF_ANY, KORVU_ASN1_LIST);
KORVU_CTYPE(KORVU_TYPE_SET_SIZE_OF_ANY, KORVU_ASN1_LIST);

// The families, one file per folder.
#include "../x509/ctypes.inc"
#include "../ocsp/ctypes.inc"
#include "../tsp/ctypes.inc"
#include "../cms/ctypes.inc"
#include "../ldap/ctypes.inc"
#include "../scvp/ctypes.inc"
#include "../keys/ctypes.inc"
#include "../certstore/ctypes.inc"
#include "../seal/ctypes.inc"
#include "../authenticode/ctypes.inc"
#include "../cades/ctypes.inc"
#include "../ers/ctypes.inc"

#endif
