// Short text summary of a signed message: a ContentInfo (type 111) or a
// SignedData in either form (types 133, 134).
#ifndef KORVU_TOOL_SUMMARY_CMS_H
#define KORVU_TOOL_SUMMARY_CMS_H

#include <cstdint>
#include <cstdio>

namespace korvu::tool {

// Prints, one per line, for a ContentInfo:
//   contentType: <dotted OID>
// followed, when it holds a SignedData, by the SignedData lines; for a SignedData:
//   version: <number>
//   digestAlgorithms: <dotted OIDs, comma separated, or "none">
//   content: <eContentType>, <n> octets | <eContentType>, detached
//   signer <i>: issuerAndSerialNumber <issuer RDNs>, serial <hex> | subjectKeyIdentifier <hex>
//   signer <i> <attribute>: ...  (its attribute values of a known type, summary_cades.h)
//   certificates: <count>
//   crls: <count>
// or, when it holds an EnvelopedData, EncryptedData, AuthenticatedData, DigestedData or SignedAndEnvelopedData:
//   version: <number>
//   recipient <i>: ktri <rid> | kari originator <id or key algorithm>; for <rid>... | kekri keyIdentifier <hex>
//                  | pwri keyDerivationAlgorithm <OID or "absent"> | ori <OID>
//   contentEncryptionAlgorithm: <OID>   (macAlgorithm and digestAlgorithm for AuthenticatedData,
//                                        digestAlgorithm for DigestedData)
//   content: <contentType>, <n> octets | <contentType>, absent
//   signers: <count>                    (SignedAndEnvelopedData)
// Returns 1, or 0 for a null value or output, or a content of these types that does not decode.
int print_cms_summary(uint32_t type, const void *value, std::FILE *out);

}  // namespace korvu::tool

#endif
