// The exported JSON rendering and encoding of BER/DER (json_render.h,
// json_encode.h). No exception crosses the C interface.
#include "json_encode.h"
#include "json_render.h"

extern "C" {

KORVU_API KORVU_JSON *korvu_asn1_tojson(const void *bytes, int32_t length) {
  if (bytes == nullptr || length < 1) return nullptr;
  try {
    korvu::asn1json::Renderer renderer(static_cast<const unsigned char *>(bytes), static_cast<size_t>(length));
    return renderer.render().release();
  } catch (...) {
    return nullptr;
  }
}

KORVU_API KORVU_DATA_BLOB *korvu_asn1_encodejson(const KORVU_JSON *tree) {
  if (tree == nullptr) return nullptr;
  try {
    korvu::asn1json::Encoder encoder;
    korvu::asn1json::Bytes out;
    if (!encoder.encode(tree, out)) return nullptr;
    static const unsigned char kNothing[1] = {0};
    return korvu_data_blob_new(out.empty() ? kNothing : out.data(), static_cast<uint32_t>(out.size()));
  } catch (...) {
    return nullptr;
  }
}

}  // extern "C"
