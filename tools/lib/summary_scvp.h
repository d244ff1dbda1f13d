// Short text summaries of SCVP messages: validation requests and responses, validation policy requests and
// responses.
#ifndef KORVU_TOOL_SUMMARY_SCVP_H
#define KORVU_TOOL_SUMMARY_SCVP_H

#include <cstdint>
#include <cstdio>
#include <string>

#include "korvu/asn1.h"

namespace korvu::tool {

// Prints, one per line, for
// a CVRequest:
//   version, then "queried: <certificate subject | pkcRef serial <hex> | attribute certificate | acRef serial
//   <hex>>" per queried certificate, "checks:", "wantBacks:" (dotted OIDs joined with ", " or none),
//   "policy:" (the validation policy's OID) and "validationTime:" (time or none)
// a CVResponse:
//   version, serverConfigurationID, producedAt, "status: <number>[, <errorMessage>]", "requestRef:
//   requestHash <hex> | fullRequest | none", then per CertReply "reply: <certificate>, <replyStatus name>
//   (<number>)", "  check <OID>: <status>", "  wantBack <OID>: <length> octets", "  validationErrors: <OIDs>",
//   "  nextUpdate: <time | none>"
// a ValPolRequest: version and nonce (hex)
// a ValPolResponse: versions, thisUpdate, nextUpdate, supported checks, want-backs, validation policies, hash
//   algorithms and clockSkew
// Returns 1, or 0 for a null value or output, or a type without a summary.
int print_scvp_summary(uint32_t type, const void *value, std::FILE *out);

// The message type (380, 393, 394 or 400) carried under an SCVP content type, or 0.
uint32_t scvp_content_type(const std::string &content_type);

// The summary of message `type` carried as a ContentInfo's content: the message itself, or an OCTET STRING
// holding it (a SignedData's eContent).
int print_scvp_content(uint32_t type, const KORVU_ASN1_ANY *content, std::FILE *out);

}  // namespace korvu::tool

#endif
