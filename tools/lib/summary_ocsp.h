// Short text summaries of OCSP responses and requests and of time-stamp responses and token contents.
#ifndef KORVU_TOOL_SUMMARY_OCSP_H
#define KORVU_TOOL_SUMMARY_OCSP_H

#include <cstdint>
#include <cstdio>

namespace korvu::tool {

// Prints, one per line, for
// an OCSPResponse:
//   status: <name> (<number>)
//   responseType: <dotted OID>                              (with responseBytes)
//   responder: byName <name> | byKey <hex>                  (a basic response; likewise below)
//   producedAt: <time text as encoded>
//   response: serial <hex>, <good | revoked <time>[, reason <name> (<number>)] | unknown>, thisUpdate <time>,
//             nextUpdate <time | none>                      (one line per SingleResponse)
// an OCSPRequest:
//   request: <hash algorithm>, serial <hex>                 (one line per CertID)
//   requestor: <general name | none>
//   nonce: <hex of the nonce extension's value | none>
//   signed: no | yes, <signature algorithm>
// a TimeStampResp:
//   status: <name> (<number>)
//   status text: <texts joined with " | "> | none
//   failure: <failure bit names joined with ", "> | none
//   token: none | the TSTInfo lines below, read from the token's encapsulated content
// a TSTInfo:
//   policy, genTime, serial (hex), imprint algorithm, accuracy (<s>s <ms>ms <us>us | none), ordering (yes | no),
//   nonce (hex | none), tsa (<general name> | none)
// Hash and signature algorithms print by name when known, else as dotted OIDs. Returns 1, or 0 for a null
// value or output, or a type without a summary.
int print_ocsp_summary(uint32_t type, const void *value, std::FILE *out);

}  // namespace korvu::tool

#endif
