// The exported JSON rendering and encoding of BER/DER (json_render.h,
// json_encode.h), plain and with diagnostics. No exception crosses the C
// interface.
#include <new>

#include "json_encode.h"
#include "json_render.h"

namespace {

using korvu::BlobHolder;
using korvu::asn1json::Node;

// A copy of `text` for the caller, or null when it cannot be allocated.
char *copy_message(const std::string &text) {
  auto *out = static_cast<char *>(korvu_malloc(text.size() + 1, "KORVU_ASN1", __LINE__));
  if (out != nullptr) std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

// Renders `length` octets into *tree; on a refusal sets `message` and
// `offset`. Returns 1, 0 or KORVU_ERR_NOMEM.
int render(const unsigned char *bytes, size_t length, Node &tree, std::string *message, size_t *offset) {
  try {
    korvu::asn1json::Renderer renderer(bytes, length);
    tree = renderer.render();
    if (tree) return 1;
    if (renderer.out_of_memory()) return static_cast<int>(KORVU_ERR_NOMEM);
    if (message != nullptr) *message = renderer.error();
    if (offset != nullptr) *offset = renderer.error_offset();
    return 0;
  } catch (const std::bad_alloc &) {
    tree.reset();
    return static_cast<int>(KORVU_ERR_NOMEM);
  }
}

// Encodes `tree` into *der; on a refusal sets `message`. Returns 1, 0 or
// KORVU_ERR_NOMEM.
int encode(const KORVU_JSON *tree, BlobHolder &der, std::string *message) {
  try {
    korvu::asn1json::Encoder encoder;
    korvu::asn1json::Bytes out;
    if (!encoder.encode(tree, out)) {
      if (message != nullptr) *message = encoder.error();
      return 0;
    }
    static const unsigned char kNothing[1] = {0};
    der.reset(korvu_data_blob_new(out.empty() ? kNothing : out.data(), static_cast<uint32_t>(out.size())));
    return der ? 1 : static_cast<int>(KORVU_ERR_NOMEM);
  } catch (const std::bad_alloc &) {
    return static_cast<int>(KORVU_ERR_NOMEM);
  }
}

}  // namespace

extern "C" {

KORVU_API KORVU_JSON *korvu_asn1_tojson(const void *bytes, int32_t length) {
  if (bytes == nullptr || length < 1) return nullptr;
  Node tree;
  render(static_cast<const unsigned char *>(bytes), static_cast<size_t>(length), tree, nullptr, nullptr);
  return tree.release();
}

KORVU_API KORVU_DATA_BLOB *korvu_asn1_encodejson(const KORVU_JSON *tree) {
  if (tree == nullptr) return nullptr;
  BlobHolder der;
  encode(tree, der, nullptr);
  return der.release();
}

KORVU_API int korvu_asn1_tojson_diag(const void *bytes, int32_t length, KORVU_JSON **tree, char **message,
                                     uint32_t *offset) {
  if (tree != nullptr) *tree = nullptr;
  if (message != nullptr) *message = nullptr;
  if (offset != nullptr) *offset = 0;
  if (tree == nullptr || bytes == nullptr) return static_cast<int>(KORVU_ERR_NULLARG);
  if (length < 0) return static_cast<int>(KORVU_ERR_BADARG);
  Node out;
  std::string why;
  size_t at = 0;
  int r = render(static_cast<const unsigned char *>(bytes), static_cast<size_t>(length), out, &why, &at);
  if (r == 1) {
    *tree = out.release();
    return 1;
  }
  if (r == 0) {
    if (message != nullptr) *message = copy_message(why);
    if (offset != nullptr) *offset = static_cast<uint32_t>(at);
  }
  return r;
}

KORVU_API int korvu_asn1_encodejson_diag(const KORVU_JSON *tree, KORVU_DATA_BLOB **der, char **message) {
  if (der != nullptr) *der = nullptr;
  if (message != nullptr) *message = nullptr;
  if (tree == nullptr || der == nullptr) return static_cast<int>(KORVU_ERR_NULLARG);
  BlobHolder out;
  std::string why;
  int r = encode(tree, out, &why);
  if (r == 1) {
    *der = out.release();
  } else if (r == 0 && message != nullptr) {
    *message = copy_message(why);
  }
  return r;
}

}  // extern "C"
