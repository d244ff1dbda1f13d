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
//   version: v1 | v2 | v3
//   serial: <hex of the INTEGER contents octets>
//   signature algorithm: <name (dotted OID)>
//   issuer: <RFC 4514 text, e.g. "CN=Root,O=Example,C=US">
//   subject: <same>
//   notBefore: <ISO 8601>
//   notAfter: <ISO 8601>
//   key algorithm: <name (OID)>[, <named curve (OID)>]
//   key size: <n bits, or ?>
//   extensions: <count>
//   subject alternative names: <general names>   (when present)
//   key usage: <bit names>                         (when present)
//   basic constraints: CA | not a CA[, path length n]  (when present)
// Returns 1, or 0 for a null certificate or output, or a name that does not
// encode.
int print_certificate_summary(const void *cert, std::FILE *out);

// Prints, one per line, for an AttributeCertificate (RFC 5755):
//   version: v1 | v2
//   holder: <the components present: baseCertificateID, entityName, objectDigestInfo>
//   holder serial: <hex of the base certificate's serial>      (with baseCertificateID)
//   holder objectDigestInfo: <publicKey | publicKeyCert | otherObjectTypes>  (with objectDigestInfo)
//   issuer: v1Form | v2Form
//   issuer name: <general names, e.g. "DirName:CN=AA, URI:urn:x">  (v1Form, or v2Form with issuerName)
//   serial: <hex of the INTEGER contents octets>
//   notBefore: <ISO 8601>
//   notAfter: <ISO 8601>
//   attributes: <attribute types (names where known), in order, or "none">
//   extensions: <extension identifiers (names where known), in order, or "none">
// Returns 1, or 0 for a null certificate or output, or a field missing.
int print_attrcert_summary(const void *ac, std::FILE *out);

// A Name (type 32) as RFC 4514 text (korvu_x500name_totext: last RDN first,
// "CN=Alice,O=Example,C=XX"); false when it does not encode.
bool name_text(const void *name, std::string &out);

// "sha256WithRSAEncryption (1.2.840.113549.1.1.11)" for a known identifier
// (the library's names, and dumpasn1's when installed), else the dotted text.
std::string oid_label(const KORVU_ASN1_OID *oid);

// A time as ISO 8601 text ("2026-12-06T08:17:11Z"), "absent" for none.
std::string time_string(const KORVU_ASN1_TIME *t);

// Upper-case hex of n octets after `prefix`.
std::string hex(const unsigned char *p, size_t n, const char *prefix = "");

// The dotted text of an OBJECT IDENTIFIER value, "?" for none.
std::string oid_string(const KORVU_ASN1_OID *oid);

// The text of a GeneralName (type 63): "URI:urn:x", "DNS:host", "email:a@b", "DirName:CN=A", "IP:0A000001",
// "RID:1.2.3" or "othername".
std::string general_name_text(const void *general_name);

}  // namespace korvu::tool

#endif
