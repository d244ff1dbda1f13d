// Short text summary of an LDAP message (type 353), for `korvu-asn1 decode --summary`.
#ifndef KORVU_TOOL_SUMMARY_LDAP_H
#define KORVU_TOOL_SUMMARY_LDAP_H

#include <cstdint>
#include <cstdio>
#include <string>

#include "korvu/asn1.h"

namespace korvu::tool {

// Prints, one per line:
//   message ID: <number>
//   operation: <name of the protocolOp alternative, as RFC 4511 writes it>
//   controls: <control OIDs joined with ", "> | none
//   result code: <number>                    (operations that carry an LDAPResult)
//   base: <baseObject>, scope: <number>, filter: <RFC 4515 text>   (a searchRequest, one per line)
// Returns 1, or 0 for a null value or output.
int print_ldap_summary(uint32_t type, const void *value, std::FILE *out);

// A Filter as RFC 4515 writes it: "(&(cn=a*b)(!(sn~=x)))"; values escaped as \hh where RFC 4515 asks
// (*, (, ), \, NUL) and for octets outside printable ASCII.
std::string ldap_filter_text(const KORVU_LDAP_FILTER *filter);

}  // namespace korvu::tool

#endif
