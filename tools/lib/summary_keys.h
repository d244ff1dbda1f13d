// Summaries of keys and key containers and of the certificate store for `korvu-asn1 decode --summary`, and the
// PEM labels that carry keys.
#ifndef KORVU_TOOL_SUMMARY_KEYS_H
#define KORVU_TOOL_SUMMARY_KEYS_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "input.h"

namespace korvu::tool {

// Prints, one per line:
//   RSAPrivateKey (99): version, modulus bits, public exponent, other primes
//   PrivateKeyInfo (103): version, algorithm, parameters, private key octets, attributes
//   EncryptedPrivateKeyInfo (104): scheme, KDF (with its iterations, salt, key length and PRF), cipher,
//     encrypted octets
//   ECPrivateKey (202): version, form (standard or SM2), curve, public key
//   PFX (113): version, MAC (algorithm, iterations, salt; PBMAC1's KDF and MAC), content types, unencrypted bags
//   CertStore (97): certificates, then per certificate its subject and key providers
// Returns 1, or 0 for a null value or output, or a component that cannot be read.
int print_keys_summary(uint32_t type, const void *value, std::FILE *out);

// What a key's PEM input gave.
enum class KeyPem { NotKey, Loaded, Refused };
// For the key types (56, 60, 99, 103, 104, 201, 202): the first PEM block under a label that fits the type
// ("EC PARAMETERS" for 201; "EC PRIVATE KEY" or "SM2 PRIVATE KEY" for 202 ...), whatever other blocks come
// first. Refused, with `error` set, for a block under legacy PEM encryption ("Proc-Type: 4,ENCRYPTED"), whatever
// the type. NotKey, `out` untouched, otherwise.
KeyPem load_key_pem(uint32_t type, const std::vector<unsigned char> &raw, LoadedInput &out, std::string &error);

}  // namespace korvu::tool

#endif
