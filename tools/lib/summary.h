// A short text summary of a decoded X.509 certificate (type 39): serial
// number, issuer and subject, validity and the number of extensions.
#ifndef KORVU_TOOL_SUMMARY_H
#define KORVU_TOOL_SUMMARY_H

#include <cstdio>

namespace korvu::tool {

// Prints, one per line:
//   serial: <hex of the INTEGER contents octets>
//   issuer: <RDNs in encoding order, e.g. "C=US, O=Example, CN=Root">
//   subject: <same>
//   notBefore: <time text as encoded>
//   notAfter: <time text as encoded>
//   extensions: <count>
// Attribute types without a short name print as dotted OIDs; values that
// are not character strings print as '#' and the hex of their encoding
// (RFC 4514 2.4); multi-valued RDNs join their values with '+'.
// Returns 1, or 0 for a null certificate or output, or a name that does not
// encode.
int print_certificate_summary(const void *cert, std::FILE *out);

}  // namespace korvu::tool

#endif
