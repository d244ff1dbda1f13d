// Signature attribute values inside signed messages, and the summary of an
// evidence record (`korvu-asn1 decode --type 272 --summary`).
#ifndef KORVU_TOOL_SUMMARY_CADES_H
#define KORVU_TOOL_SUMMARY_CADES_H

#include <cstdint>
#include <cstdio>
#include <string>

namespace korvu::tool {

// The type of the values of a signer attribute, by the attribute's OID: the
// ESS, S/MIME, CAdES, algorithm-protection and PDF revocation-archive
// attributes. The library keeps no such table; this one is the tool's.
struct SignerAttributeType {
  const char *oid;
  const char *name;
  uint32_t type;
};
// Null for an attribute the table does not know.
const SignerAttributeType *signer_attribute_type(const std::string &oid);

// One line per attribute value a signer's attributes (a list of Attribute)
// hold under a known OID:
//   signer <i> <attribute name>: <type name>[, <n> certificate identifiers]
//   signer <i> <attribute name>: does not decode as <type name>
void print_signer_attributes(int signer, const void *attributes, std::FILE *out);

// Prints, one per line, for an EvidenceRecord (272):
//   version: <number>
//   digestAlgorithms: <names or dotted OIDs, comma separated>
//   chain <c> timestamp <t>: digestAlgorithm <name|none>, attributes <n>, partial hash trees <n>,
//     genTime <time|?>
// Returns 1, or 0 for a null value or output.
int print_evidencerecord_summary(uint32_t type, const void *value, std::FILE *out);

}  // namespace korvu::tool

#endif
