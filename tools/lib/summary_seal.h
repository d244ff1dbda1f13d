// Short text summaries of electronic seals and seal signatures of both editions and of an Authenticode
// SpcIndirectDataContent, for `korvu-asn1 decode --summary`.
#ifndef KORVU_TOOL_SUMMARY_SEAL_H
#define KORVU_TOOL_SUMMARY_SEAL_H

#include <cstdint>
#include <cstdio>

namespace korvu::tool {

// Prints, one per line, for a seal (SeSeal 410, SES_Seal 417):
//   header: <ID> <version> <Vid>
//   esID: <text>
//   seal: type <number>, name <text>
//   certificates: <count> | certListType: <1 (certificates) | 2 (digests)>, <count> entries
//   validity: <createDate> created, <validStart> to <validEnd>      (times as encoded)
//   picture: <type>, <octets> octets, <width>x<height>
//   extDatas: <count> | none
//   seal signature algorithm: <dotted OID>
// and for a seal signature (SES_Signature 412, 419): version: <number>, the seal's lines above, then
//   timeInfo: <time as encoded> | <hex of the BIT STRING's octets>  (GB | older edition)
//   dataHash: <octets> octets
//   propertyInfo: <text>
//   signature algorithm: <dotted OID>
//   time-stamp: yes | no                                             (GB edition)
// For an SpcIndirectDataContent (208):
//   data type: <dotted OID>
//   PE flags: <hex of the BIT STRING's DER> | none                  (SpcPeImageData)
//   link: url <text> | moniker <hex of classId> | file <text>        (SpcPeImageData)
//   digest algorithm: <dotted OID>
//   digest: <hex>
// Returns 1, or 0 for a null value or output, or a type without a summary.
int print_seal_summary(uint32_t type, const void *value, std::FILE *out);

}  // namespace korvu::tool

#endif
