// Values held whole in memory are read by a reader of their own (core/struct_mem.cpp) that hands
// everything it does not take, failures included, to the general one; a file stream always goes
// through the general one. On real values and on every small corruption of their headers, both
// must agree: the same outcome, and the same value written back from its components (types that
// keep no encoding of their own) with the same warnings, or a refusal with an entry and nothing
// handed out.
#include <sys/mman.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "test_util.h"

namespace {

using korvu_test::Bytes;

struct Outcome {
  bool ok = false;
  Bytes der;  // the value written back
  std::vector<uint32_t> codes;  // the context's entries (warnings when it decodes)
};

Outcome decode_from(KORVU_STREAM *s, uint32_t type, size_t size) {
  korvu_test::ErrCtx ctx;
  void *v = nullptr;
  uint32_t used = 0;
  Outcome o;
  o.ok = korvu_asn1_decode(s, type, &v, &used, ctx) == 1 && used == size;
  if (v != nullptr) o.der = korvu_test::encode(type, v);
  EXPECT_TRUE(o.ok || v == nullptr) << "a failed decode handed out a value";
  o.codes = ctx.codes();
  korvu_asn1_value_free(type, v);
  return o;
}

Outcome from_memory(uint32_t type, const Bytes &in) {
  KORVU_STREAM *s = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
  Outcome o = decode_from(s, type, in.size());
  korvu_stream_free(s);
  return o;
}

Outcome from_file(uint32_t type, const Bytes &in) {
  const int fd = memfd_create("korvu_mem_reader", 0);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(write(fd, in.data(), in.size()), static_cast<ssize_t>(in.size()));
  KORVU_STREAM *s = korvu_stream_new_file(("/proc/self/fd/" + std::to_string(fd)).c_str(), "rb");
  EXPECT_NE(s, nullptr);
  Outcome o = decode_from(s, type, in.size());
  korvu_stream_free(s);
  close(fd);
  return o;
}

// The same value with every length written in three octets (82 hi lo), and with `pad` a zero octet
// before each INTEGER's contents (not minimal: a warning): BER that decodes to the same.
Bytes long_lengths(const Bytes &der, const korvu_test::DerNode &n, bool pad) {
  size_t id = 1;  // identifier octets
  if ((der[n.at] & 0x1F) == 0x1F)
    while (der[n.at + id++] & 0x80) {
    }
  Bytes body;
  if (der[n.at] & 0x20)
    for (const korvu_test::DerNode &k : korvu_test::der_kids(der, n)) {
      const Bytes b = long_lengths(der, k, pad);
      body.insert(body.end(), b.begin(), b.end());
    }
  else
    body.assign(der.begin() + static_cast<long>(n.at + n.hdr), der.begin() + static_cast<long>(n.end()));
  if (pad && der[n.at] == 0x02) body.insert(body.begin(), 0x00);
  Bytes out(der.begin() + static_cast<long>(n.at), der.begin() + static_cast<long>(n.at + id));
  out.insert(out.end(), {0x82, static_cast<unsigned char>(body.size() >> 8), static_cast<unsigned char>(body.size())});
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// The value, the value in BER as above, and for each of the value's first TLVs: the constructed
// bit flipped, the next tag number, and a short length one shorter and one longer.
std::vector<Bytes> corruptions(const Bytes &der) {
  std::vector<Bytes> out{der};
  korvu_test::DerNode top;
  if (der.size() < 60000 && korvu_test::der_node(der, 0, der.size(), top))
    for (bool pad : {false, true}) out.push_back(long_lengths(der, top, pad));
  const std::vector<korvu_test::DerNode> nodes = korvu_test::der_all(der);
  for (size_t i = 0; i < nodes.size() && i < 24; i++) {
    const size_t at = nodes[i].at;
    const unsigned char id = der[at], len = der[at + 1];
    for (int k = 0; k < 4; k++) {
      Bytes b = der;
      if (k == 0) b[at] = id ^ 0x20;
      if (k == 1 && (id & 0x1F) < 30) b[at] = static_cast<unsigned char>(id + 1);
      if (k == 2 && len > 0 && len < 0x80) b[at + 1] = static_cast<unsigned char>(len - 1);
      if (k == 3 && len < 0x7F) b[at + 1] = static_cast<unsigned char>(len + 1);
      if (b != der) out.push_back(b);
    }
  }
  return out;
}

TEST(MemReader, AgreesWithTheStreamReaderOnCorpusValuesAndTheirCorruptions) {
  if (!korvu_test::have_corpus()) GTEST_SKIP() << "no corpus";
  // LDAP messages, time-stamping and OCSP requests and responses, and the to-be-signed parts of
  // certificates and CRLs (the signed wholes keep their octets, so their components are compared
  // through these). Written here: character strings in a list (PKIFreeText), and a SET OF OCTET
  // STRING with a constructed element beside a primitive one.
  struct Input {
    uint32_t type;
    Bytes der;
  };
  std::vector<Input> inputs{{KORVU_TYPE_PKIFREETEXT, korvu_test::hex("300b0c036162630c0464656667")},
                            {KORVU_TYPE_SET_OF_OCTET_STRING, korvu_test::hex("310c24060401610401620402636a")}};
  const std::map<std::string, uint32_t> whole{{"LDAPMessage", KORVU_TYPE_LDAPMESSAGE},
                                              {"TimeStampReq", KORVU_TYPE_TIMESTAMPREQ},
                                              {"TimeStampResp", KORVU_TYPE_TIMESTAMPRESP},
                                              {"OCSPRequest", KORVU_TYPE_OCSPREQUEST}};
  size_t certs = 0, crls = 0;
  for (const auto &row : korvu_test::corpus_manifest()) {
    if (row.expect != "valid" || (row.encoding != "der" && row.encoding != "ber")) continue;
    const Bytes b = korvu_test::read_file(korvu_test::corpus_dir() + "/" + row.path);
    if (b.empty() || b[0] != 0x30) continue;
    if (whole.count(row.type) != 0) inputs.push_back({whole.at(row.type), b});
    const std::vector<Bytes> parts = korvu_test::der_elements(b);
    if (row.type == "Certificate" && !parts.empty() && certs++ < 40)
      inputs.push_back({KORVU_TYPE_TBSCERTIFICATE, parts[0]});
    if (row.type == "CertificateList" && !parts.empty() && parts[0].size() < 20000 && crls++ < 20)
      inputs.push_back({KORVU_TYPE_TBSCERTLIST, parts[0]});
  }
  ASSERT_GT(inputs.size(), 100u);
  size_t decoded = 0, refused = 0;
  for (const Input &in : inputs) {
    for (const Bytes &b : corruptions(in.der)) {
      const Outcome m = from_memory(in.type, b), f = from_file(in.type, b);
      ASSERT_EQ(m.ok, f.ok) << in.type << " " << korvu_test::to_hex(b);
      if (m.ok) {
        EXPECT_FALSE(m.der.empty());
        EXPECT_EQ(korvu_test::to_hex(m.der), korvu_test::to_hex(f.der));
        EXPECT_EQ(m.codes, f.codes) << korvu_test::to_hex(b);
        decoded++;
      } else {
        EXPECT_FALSE(m.codes.empty()) << korvu_test::to_hex(b);
        refused++;
      }
    }
  }
  // Both kinds of outcome were met many times.
  EXPECT_GT(decoded, inputs.size());
  EXPECT_GT(refused, inputs.size());
}

}  // namespace
