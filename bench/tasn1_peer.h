// libtasn1 side of the comparison, in its own file: its header and
// OpenSSL's both define ASN1_TYPE.
#ifndef KORVU_BENCH_TASN1_PEER_H
#define KORVU_BENCH_TASN1_PEER_H
#include <cstddef>
#include <string>

namespace tasn1_peer {
// Parses the ASN.1 definitions file; false with a message on failure.
bool load(const char *path, std::string &error);
// Creates an element of `name` (e.g. "PKIXBench.Certificate"), decodes the
// DER into it and deletes it; true when the decoding succeeded.
bool decode_free(const unsigned char *der, size_t size, const char *name);
// As decode_free, with a DER re-encoding of the decoded tree in between.
bool decode_encode_free(const unsigned char *der, size_t size, const char *name);
void unload();
}  // namespace tasn1_peer

#endif
