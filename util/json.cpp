// JSON trees of the utility library.
//
// A KORVU_JSON handle is a pointer to an nlohmann::ordered_json value: the
// ordered variant keeps object keys in insertion order, which the ASN.1 JSON
// rendering relies on for readable output ("type" first, "value" last). A
// node the caller owns is a value placed in a korvu_malloc block; a borrowed
// node is the address of a value inside its container. No exception leaves
// this file: every entry point catches and reports failure by its result.
#include <cmath>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "korvu/util.h"
#include "unicode_internal.h"

#define KORVU_UTIL_SRC "KORVU_UTIL_Json"

namespace {

using Json = nlohmann::ordered_json;

// Parsed text may nest at most this deep, so that printing and freeing a
// parsed tree (both recursive in places) stay within a small stack.
constexpr int kMaxParseDepth = 512;

Json *J(KORVU_JSON *p) { return reinterpret_cast<Json *>(p); }
const Json *J(const KORVU_JSON *p) { return reinterpret_cast<const Json *>(p); }
KORVU_JSON *H(Json *p) { return reinterpret_cast<KORVU_JSON *>(p); }
const KORVU_JSON *H(const Json *p) { return reinterpret_cast<const KORVU_JSON *>(p); }

// A caller-owned node holding `v`.
template <typename V>
KORVU_JSON *make(V &&v) noexcept {
  void *mem = korvu_malloc(sizeof(Json), KORVU_UTIL_SRC, __LINE__);
  if (mem == nullptr) return nullptr;
  try {
    return H(new (mem) Json(std::forward<V>(v)));
  } catch (...) {
    korvu_free(mem);
    return nullptr;
  }
}

void destroy(KORVU_JSON *node) noexcept {
  if (node == nullptr) return;
  J(node)->~Json();
  korvu_free(node);
}

// Deepest nesting of [ and { in `text`, outside string literals; stops
// counting once past `limit`.
int nesting_depth(const char *text, size_t n, int limit) {
  int depth = 0, deepest = 0;
  bool in_string = false;
  for (size_t i = 0; i < n; i++) {
    char c = text[i];
    if (in_string) {
      if (c == '\\') i++;
      else if (c == '"') in_string = false;
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > deepest) deepest = depth;
      if (deepest > limit) break;
    } else if (c == ']' || c == '}') {
      depth--;
    }
  }
  return deepest;
}

}  // namespace

extern "C" {

KORVU_JSON *korvu_json_newobject(void) { return make(Json::object()); }

KORVU_JSON *korvu_json_newarray(void) { return make(Json::array()); }

KORVU_JSON *korvu_json_newstring(const char *bytes, uint32_t length) {
  if (bytes == nullptr && length != 0) return nullptr;
  if (!korvu::unicode::utf8_valid(reinterpret_cast<const unsigned char *>(bytes), length)) return nullptr;
  try {
    std::string s = length == 0 ? std::string() : std::string(bytes, length);
    return make(std::move(s));
  } catch (...) {
    return nullptr;
  }
}

KORVU_JSON *korvu_json_newnumber(double value) {
  if (!std::isfinite(value)) return nullptr;
  // Integral values within 64 bits are kept as integers so that they print
  // as 5 rather than 5.0.
  if (std::trunc(value) == value && value >= -9223372036854775808.0 && value < 9223372036854775808.0) {
    return make(static_cast<int64_t>(value));
  }
  return make(value);
}

KORVU_JSON *korvu_json_newboolean(int value) { return make(value != 0); }

int korvu_json_addobjectitem(KORVU_JSON *object, const char *key, KORVU_JSON *item) {
  int ok = 0;
  if (object != nullptr && key != nullptr && item != nullptr && J(object)->is_object()) {
    size_t n = std::strlen(key);
    if (korvu::unicode::utf8_valid(reinterpret_cast<const unsigned char *>(key), n)) {
      try {
        auto &obj = J(object)->get_ref<Json::object_t &>();
        if (obj.find(key) == obj.end()) {
          obj.emplace(std::string(key, n), std::move(*J(item)));
          ok = 1;
        }
      } catch (...) {
        ok = 0;
      }
    }
  }
  destroy(item);
  return ok;
}

int korvu_json_addarrayitem(KORVU_JSON *array, KORVU_JSON *item) {
  int ok = 0;
  if (array != nullptr && item != nullptr && J(array)->is_array()) {
    try {
      J(array)->get_ref<Json::array_t &>().push_back(std::move(*J(item)));
      ok = 1;
    } catch (...) {
      ok = 0;
    }
  }
  destroy(item);
  return ok;
}

const KORVU_JSON *korvu_json_getobjectvalue(const KORVU_JSON *object, const char *key) {
  if (object == nullptr || key == nullptr || !J(object)->is_object()) return nullptr;
  const auto &obj = J(object)->get_ref<const Json::object_t &>();
  try {
    auto it = obj.find(std::string(key));
    return it == obj.end() ? nullptr : H(&it->second);
  } catch (...) {
    return nullptr;
  }
}

int korvu_json_gettype(const KORVU_JSON *node) {
  if (node == nullptr) return 0;
  switch (J(node)->type()) {
    case Json::value_t::string:
      return KORVU_JSON_STRING;
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
      return KORVU_JSON_NUMBER;
    case Json::value_t::boolean:
      return KORVU_JSON_BOOLEAN;
    case Json::value_t::null:
      return KORVU_JSON_NULL;
    case Json::value_t::object:
      return KORVU_JSON_OBJECT;
    case Json::value_t::array:
      return KORVU_JSON_ARRAY;
    default:
      return 0;
  }
}

const char *korvu_json_getstring(const KORVU_JSON *node) {
  if (node == nullptr || !J(node)->is_string()) return nullptr;
  return J(node)->get_ref<const std::string &>().c_str();
}

uint32_t korvu_json_getstringlength(const KORVU_JSON *node) {
  if (node == nullptr || !J(node)->is_string()) return 0;
  size_t n = J(node)->get_ref<const std::string &>().size();
  return n > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(n);
}

double korvu_json_getnumber(const KORVU_JSON *node) {
  if (node == nullptr || !J(node)->is_number()) return 0;
  return J(node)->get<double>();
}

int korvu_json_istrue(const KORVU_JSON *node) {
  return node != nullptr && J(node)->is_boolean() && J(node)->get<bool>() ? 1 : 0;
}

uint32_t korvu_json_getarraysize(const KORVU_JSON *node) {
  if (node == nullptr || !J(node)->is_array()) return 0;
  size_t n = J(node)->size();
  return n > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(n);
}

const KORVU_JSON *korvu_json_getarrayitem(const KORVU_JSON *node, uint32_t index) {
  if (node == nullptr || !J(node)->is_array()) return nullptr;
  const auto &arr = J(node)->get_ref<const Json::array_t &>();
  return index < arr.size() ? H(&arr[index]) : nullptr;
}

void korvu_json_free(KORVU_JSON *node) { destroy(node); }

KORVU_JSON *korvu_json_parse(const char *text, uint32_t length) {
  if (text == nullptr || length == 0) return nullptr;
  if (nesting_depth(text, length, kMaxParseDepth) > kMaxParseDepth) return nullptr;
  try {
    Json v = Json::parse(text, text + length, nullptr, /*allow_exceptions=*/false);
    if (v.is_discarded()) return nullptr;
    return make(std::move(v));
  } catch (...) {
    return nullptr;
  }
}

char *korvu_json_print(const KORVU_JSON *node, int indent, uint32_t *length) {
  if (node == nullptr || indent < 0) return nullptr;
  try {
    std::string s = J(node)->dump(indent > 0 ? indent : -1, ' ', false, Json::error_handler_t::strict);
    if (s.size() >= 0xFFFFFFFFu) return nullptr;
    auto *out = static_cast<char *>(korvu_malloc(s.size() + 1, KORVU_UTIL_SRC, __LINE__));
    if (out == nullptr) return nullptr;
    std::memcpy(out, s.data(), s.size());
    out[s.size()] = '\0';
    if (length != nullptr) *length = static_cast<uint32_t>(s.size());
    return out;
  } catch (...) {
    return nullptr;
  }
}

}  // extern "C"
