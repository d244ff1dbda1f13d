// Summaries of a CRL (type 41) and of a PKCS#10 request (type 46) for
// `korvu-asn1 decode --summary`, and the PEM labels that carry them.
#ifndef KORVU_TOOL_SUMMARY_CRL_H
#define KORVU_TOOL_SUMMARY_CRL_H

#include <cstdint>
#include <cstdio>
#include <vector>

#include "input.h"

namespace korvu::tool {

// Prints, one per line, for a CertificateList:
//   version: <number> | absent
//   issuer: <RDNs, as the certificate summary prints them>
//   thisUpdate: <time text as encoded>
//   nextUpdate: <time text as encoded> | absent
//   entries: <count>
//   extensions: <extension identifiers, in order, or "none">
// Returns 1, or 0 for a null CRL or output, or a field that cannot be printed.
int print_crl_summary(const void *crl, std::FILE *out);

// Prints, one per line, for a CertificationRequest:
//   subject: <RDNs>
//   key algorithm: <OID of the subject public key's algorithm>
//   attributes: <attribute types, in order, or "none">
//   requested extensions: <identifiers in the extensionRequest attribute, in order, or "none">
// Returns 1, or 0 for a null request or output, or a field that cannot be printed.
int print_request_summary(const void *req, std::FILE *out);

// For types 41 and 46: the first PEM block under the type's labels, tried in
// order ("X509 CRL" then "CRL"; "CERTIFICATE REQUEST" then "NEW CERTIFICATE
// REQUEST"), whatever other blocks come first. False for other types or
// when no such block is found, `out` then untouched.
bool load_labelled_pem(uint32_t type, const std::vector<unsigned char> &raw, LoadedInput &out);

}  // namespace korvu::tool

#endif
