// The LDAP search results of korvu_bench_ldap and korvu_bench_instr: SearchResultEntry messages of 20
// attributes with 1 to 3 values each, concatenated.
#ifndef KORVU_BENCH_LDAP_MESSAGES_H
#define KORVU_BENCH_LDAP_MESSAGES_H

#include <string>
#include <vector>

namespace korvu_bench {

using Bytes = std::vector<unsigned char>;

inline void tlv(Bytes &out, unsigned char tag, const Bytes &body) {
  out.push_back(tag);
  const size_t n = body.size();
  if (n < 0x80) {
    out.push_back(static_cast<unsigned char>(n));
  } else if (n < 0x100) {
    out.insert(out.end(), {0x81, static_cast<unsigned char>(n)});
  } else {
    out.insert(out.end(), {0x82, static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)});
  }
  out.insert(out.end(), body.begin(), body.end());
}
inline Bytes str(const std::string &s, unsigned char tag = 0x04) {
  Bytes b;
  tlv(b, tag, Bytes(s.begin(), s.end()));
  return b;
}

// `count` SearchResultEntry messages, concatenated.
inline Bytes entries(int count) {
  Bytes all;
  for (int i = 0; i < count; i++) {
    Bytes attrs;
    for (int a = 0; a < 20; a++) {
      Bytes vals, attr = str("attribute" + std::to_string(a));
      for (int v = 0; v <= (i + a) % 3; v++) {
        const Bytes one = str("value " + std::to_string(i) + "-" + std::to_string(a) + "-" + std::to_string(v));
        vals.insert(vals.end(), one.begin(), one.end());
      }
      tlv(attr, 0x31, vals);
      tlv(attrs, 0x30, attr);
    }
    Bytes op = str("uid=user" + std::to_string(i) + ",ou=people,dc=example,dc=com"), body = {0x02, 0x02};
    tlv(op, 0x30, attrs);
    body.insert(body.end(), {static_cast<unsigned char>(1 + i / 256 % 127), static_cast<unsigned char>(i)});
    tlv(body, 0x64, op);
    tlv(all, 0x30, body);
  }
  return all;
}

}  // namespace korvu_bench

#endif
