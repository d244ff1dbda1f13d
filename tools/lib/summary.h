// Short text summaries of a decoded X.509 certificate (type 39): serial
// number, issuer and subject, validity and the number of extensions; and of
// an attribute certificate (type 260).
#ifndef KORVU_TOOL_SUMMARY_H
#define KORVU_TOOL_SUMMARY_H

#include <cstdio>
#include <string>

#include "korvu/asn1.h"

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

// Prints, one per line, for an AttributeCertificate (RFC 5755):
//   version: <number>
//   holder: <the components present: baseCertificateID, entityName, objectDigestInfo>
//   holder serial: <hex of the base certificate's serial>      (with baseCertificateID)
//   holder objectDigestInfo: <publicKey | publicKeyCert | otherObjectTypes>  (with objectDigestInfo)
//   issuer: v1Form | v2Form
//   issuer name: <general names, e.g. "DirName:CN=AA, URI:urn:x">  (v1Form, or v2Form with issuerName)
//   serial: <hex of the INTEGER contents octets>
//   notBefore: <time text as encoded>
//   notAfter: <time text as encoded>
//   attributes: <attribute types, in order, or "none">
//   extensions: <extension identifiers, in order, or "none">
// Returns 1, or 0 for a null certificate or output, or a field missing.
int print_attrcert_summary(const void *ac, std::FILE *out);

// "T=V, T=V+T=V" from the DER of a Name (type 32), RDNs in encoding order; false when it is not DER we can walk.
bool name_text(const void *name, std::string &out);

// Upper-case hex of n octets after `prefix`.
std::string hex(const unsigned char *p, size_t n, const char *prefix = "");

// The dotted text of an OBJECT IDENTIFIER value, "?" for none.
std::string oid_string(const KORVU_ASN1_OID *oid);

// The text of a GeneralName (type 63): "URI:urn:x", "DNS:host", "email:a@b", "DirName:CN=A", "IP:0A000001",
// "RID:1.2.3" or "othername".
std::string general_name_text(const void *general_name);

}  // namespace korvu::tool

#endif
