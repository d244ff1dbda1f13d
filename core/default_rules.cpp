// DEFAULT comparisons: by DER, BOOLEAN truth value, INTEGER value,
// AlgorithmIdentifier algorithm (with or without parameters), BIT STRING bit
// set.
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "default_rules.h"

#include <cstring>
#include <vector>

namespace korvu::st::rules {
namespace {

// A TLV read back from DER this library wrote (definite lengths, or an
// indefinite one running to the end of its enclosing contents).
struct Tlv {
  const unsigned char *start = nullptr;  // identifier octet
  const unsigned char *contents = nullptr;
  size_t length = 0;  // contents octets
  size_t size = 0;    // identifier + length + contents
};

bool read_tlv(const unsigned char *p, size_t n, Tlv &t) {
  if (n < 2 || (p[0] & 0x1F) == 0x1F) return false;  // low tag numbers only here
  size_t head = 2, len = p[1];
  if (len == 0x80) {
    if (n < 4) return false;
    t = Tlv{p, p + 2, n - 4, n};  // closed by the 00 00 at the end
    return true;
  }
  if (len > 0x80) {
    const size_t k = len & 0x7F;
    if (k > 4 || n < 2 + k) return false;
    len = 0;
    for (size_t i = 0; i < k; i++) len = len << 8 | p[2 + i];
    head += k;
  }
  if (len > n - head) return false;
  t = Tlv{p, p + head, len, head + len};
  return true;
}

// The two's-complement number without redundant leading octets.
void minimal(const unsigned char *&p, size_t &n) {
  while (n > 1 && ((p[0] == 0x00 && (p[1] & 0x80) == 0) || (p[0] == 0xFF && (p[1] & 0x80) != 0))) {
    p++;
    n--;
  }
}

bool same_integer(const unsigned char *a, size_t an, const unsigned char *b, size_t bn) {
  minimal(a, an);
  minimal(b, bn);
  return an == bn && std::memcmp(a, b, an) == 0;
}

// The set bits of BIT STRING contents (unused-bits octet first), as octets
// with the unused bits cleared and trailing zero octets removed.
std::vector<unsigned char> bit_set(const unsigned char *p, size_t n) {
  std::vector<unsigned char> bits;
  if (n == 0) return bits;
  const unsigned unused = p[0] & 7;
  bits.assign(p + 1, p + n);
  if (!bits.empty()) bits.back() &= static_cast<unsigned char>(0xFF << unused);
  while (!bits.empty() && bits.back() == 0) bits.pop_back();
  return bits;
}

// Compares the value's DER with the default through `same`.
template <class Same>
bool by_encoding(uint32_t type, const void *value, Same &&same) {
  KORVU_DATA_BLOB *blob = korvu_asn1_mem_encode(type, value);
  bool r = blob != nullptr && same(blob->data, static_cast<size_t>(blob->length));
  korvu_data_blob_free(blob);
  return r;
}

bool algorithm_equals(DefaultRule rule, const unsigned char *def, size_t def_len, const unsigned char *der,
                      size_t n) {
  Tlv dv, doid, v, oid;
  if (!read_tlv(def, def_len, dv) || !read_tlv(dv.contents, dv.length, doid)) return false;
  if (!read_tlv(der, n, v) || !read_tlv(v.contents, v.length, oid)) return false;
  if (oid.size != doid.size || std::memcmp(oid.start, doid.start, oid.size) != 0) return false;
  const unsigned char *rest = oid.start + oid.size;
  const size_t left = v.length - oid.size;
  switch (rule) {
    case DefaultRule::AlgorithmOidAbsent:
      return left == 0;
    case DefaultRule::AlgorithmOidNull:
      return left == 0 || (left == 2 && rest[0] == 0x05 && rest[1] == 0x00);
    default:
      return true;
  }
}

}  // namespace

bool equals(DefaultRule rule, uint32_t type, const unsigned char *def, uint32_t def_len, const void *value) {
  if (value == nullptr || def == nullptr || def_len < 2) return false;
  switch (rule) {
    case DefaultRule::Boolean:
      return (*static_cast<const uint32_t *>(value) != 0) == (def[2] != 0);
    case DefaultRule::IntegerValue: {
      auto *b = static_cast<const KORVU_DATA_BLOB *>(value);
      return b->length > 0 && same_integer(b->data, b->length, def + 2, def_len - 2u);
    }
    case DefaultRule::AlgorithmOid:
    case DefaultRule::AlgorithmOidAbsent:
    case DefaultRule::AlgorithmOidNull:
      return by_encoding(type, value, [&](const unsigned char *p, size_t n) {
        return algorithm_equals(rule, def, def_len, p, n);
      });
    case DefaultRule::BitSet:
      return by_encoding(type, value, [&](const unsigned char *p, size_t n) {
        Tlv v, d;
        return read_tlv(p, n, v) && read_tlv(def, def_len, d) && (p[0] & 0x20) == 0 &&
               bit_set(v.contents, v.length) == bit_set(d.contents, d.length);
      });
    case DefaultRule::Encoding:
      break;
  }
  return by_encoding(type, value, [&](const unsigned char *p, size_t n) {
    return n == def_len && std::memcmp(p, def, n) == 0;
  });
}

}  // namespace korvu::st::rules
