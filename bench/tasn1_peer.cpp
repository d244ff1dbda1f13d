#include "tasn1_peer.h"

#include <libtasn1.h>

#include <vector>

namespace tasn1_peer {
namespace {
asn1_node definitions = nullptr;
}

bool load(const char *path, std::string &error) {
  char err[ASN1_MAX_ERROR_DESCRIPTION_SIZE] = {0};
  if (asn1_parser2tree(path, &definitions, err) != ASN1_SUCCESS) {
    error = err;
    return false;
  }
  return true;
}

bool decode_free(const unsigned char *der, size_t size, const char *name) {
  asn1_node n = nullptr;
  if (asn1_create_element(definitions, name, &n) != ASN1_SUCCESS) return false;
  int r = asn1_der_decoding(&n, der, static_cast<int>(size), nullptr);
  asn1_delete_structure(&n);
  return r == ASN1_SUCCESS;
}

bool decode_encode_free(const unsigned char *der, size_t size, const char *name) {
  asn1_node n = nullptr;
  if (asn1_create_element(definitions, name, &n) != ASN1_SUCCESS) return false;
  bool ok = asn1_der_decoding(&n, der, static_cast<int>(size), nullptr) == ASN1_SUCCESS;
  if (ok) {
    // The output buffer is the caller's, as with any re-encoding into a
    // buffer of known size.
    unsigned char buf[65536];
    int len = sizeof buf;
    ok = asn1_der_coding(n, "", buf, &len, nullptr) == ASN1_SUCCESS && len > 0;
  }
  asn1_delete_structure(&n);
  return ok;
}

void unload() { asn1_delete_structure(&definitions); }

}  // namespace tasn1_peer
