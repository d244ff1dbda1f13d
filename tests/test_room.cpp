// Decoding from memory (in place, kept octets copied into the record's block)
// and from a file stream (read through bounded buffers) build the same
// values: same result, same error codes, same encoding; decoded lists are
// sized to their elements.
#include <unistd.h>

#include "test_util.h"

using namespace korvu_test;

namespace {

struct Outcome {
  int result = 0;
  std::vector<uint32_t> codes;
  std::string der;  // re-encoding of a decoded value
};

Outcome run(uint32_t type, KORVU_STREAM *in) {
  Outcome o;
  ErrCtx ctx;
  void *v = nullptr;
  uint32_t consumed = 0;
  o.result = korvu_asn1_decode(in, type, &v, &consumed, ctx);
  o.codes = ctx.codes();
  if (o.result == 1) o.der = to_hex(encode(type, v));
  else EXPECT_EQ(v, nullptr);
  korvu_asn1_value_free(type, v);
  return o;
}

Outcome from_memory(uint32_t type, const Bytes &b) {
  KORVU_STREAM *s = korvu_stream_new_romem(b.data(), static_cast<uint32_t>(b.size()));
  Outcome o = run(type, s);
  korvu_stream_free(s);
  return o;
}

Outcome from_file(uint32_t type, const Bytes &b) {
  char path[] = "/tmp/korvu_room_XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(write(fd, b.data(), b.size()), static_cast<ssize_t>(b.size()));
  close(fd);
  KORVU_STREAM *s = korvu_stream_new_file(path, "rb");
  Outcome o = run(type, s);
  korvu_stream_free(s);
  unlink(path);
  return o;
}

const std::string kReason = "30 0A 06 03 55 1D 15 04 03 0A 01 01";  // reasonCode keyCompromise
const std::string kUtc = "17 0D 32 35 30 31 30 31 30 30 30 30 30 30 5A";  // 250101000000Z

std::string entry(const std::string &body) {
  return to_hex(der_tlv(0x30, hex(body)));
}

}  // namespace

// Each vector decodes from memory exactly as from a file, every prefix
// included, failures and warnings alike (under the sanitizers: nothing leaks
// when a component fails after others were built).
TEST(Room, MemoryAndFileDecodesAgree) {
  const std::string long_octets = to_hex(der_tlv(0x04, Bytes(300, 0x5A)));
  const struct {
    uint32_t type;
    std::string hex;
  } vectors[] = {
      {KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, entry("02 01 05 " + kUtc)},
      {KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, entry("02 02 00 05 " + kUtc)},  // not minimal: a warning
      {KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, entry("02 81 01 05 " + kUtc)},  // long-form length
      {KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, entry("02 01 05 17 0D 32 35 31 33 30 31 30 30 30 30 30 30 5A")},
      {KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY,
       entry("02 01 05 18 0F 32 30 35 35 30 31 30 31 30 30 30 30 30 30 5A")},
      {KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY,  // constructed UTCTime (BER)
       entry("02 01 05 37 11 04 06 32 35 30 31 30 31 04 07 30 30 30 30 30 30 5A")},
      {KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, entry("02 01 05 " + kUtc + " 30 0C " + kReason)},
      {KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY,  // a bad extension after values were built
       entry("02 01 05 " + kUtc + " 30 05 30 03 06 01 80")},
      {KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, "30 80 02 01 05 " + kUtc + " 00 00"},
      {KORVU_TYPE_EXTENSION, kReason},
      {KORVU_TYPE_EXTENSION, entry("06 03 55 1D 13 01 01 FF 04 03 30 01 FF")},
      {KORVU_TYPE_EXTENSION, entry("06 03 55 1D 15 24 80 04 01 0A 04 02 01 01 00 00")},  // constructed
      {KORVU_TYPE_EXTENSION, entry("06 03 55 1D 0E " + long_octets)},
      {KORVU_TYPE_EXTENSION, entry("06 01 80 04 03 0A 01 01")},  // OID of a bad form
      {KORVU_TYPE_EXTENSION, entry("06 00 04 03 0A 01 01")},
      {KORVU_TYPE_ALGORITHMIDENTIFIER, "30 0A 06 08 2A 86 48 CE 3D 04 03 02"},
  };
  for (const auto &v : vectors) {
    const Bytes b = hex(v.hex);
    for (size_t n = 0; n <= b.size(); n++) {
      const Bytes part(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n));
      const Outcome m = from_memory(v.type, part), f = from_file(v.type, part);
      SCOPED_TRACE(v.hex + " prefix " + std::to_string(n));
      EXPECT_EQ(m.result == 1, f.result == 1);
      if (m.result == 1) {
        EXPECT_EQ(m.der, f.der);
      }
      // A file stream reports its own read failure where memory reports
      // running out of input; the codes of the types and fields agree.
      if (n == b.size()) {
        EXPECT_EQ(m.codes, f.codes);
      }
    }
    EXPECT_EQ(from_memory(v.type, b).result == 1, v.hex.find("06 01 80") == std::string::npos &&
                                                      v.hex.find("06 00") == std::string::npos &&
                                                      v.hex.find("32 35 31 33") == std::string::npos)
        << v.hex;
  }
}

// A decoded component is a full value: its stream may grow into a buffer of
// its own (freed with the record) and a decoded list grows past the size it
// was given.
TEST(Room, ValuesInRoomGrowAndFree) {
  ErrCtx ctx;
  const Bytes ext = hex(kReason);
  auto *e = static_cast<KORVU_X509_EXTENSION *>(decode(KORVU_TYPE_EXTENSION, ext, ctx));
  ASSERT_NE(e, nullptr);
  KORVU_ASN1_OCTETSTRING *value = korvu_x509extension_getvalue(e);
  ASSERT_NE(value, nullptr);
  const Bytes more(5000, 0x11);
  ASSERT_EQ(korvu_stream_writen(value->stream, more.data(), static_cast<uint32_t>(more.size())), 1);
  EXPECT_EQ(korvu_asn1_octetstring_getlength(value), 3u + more.size());
  const Bytes again = encode(KORVU_TYPE_EXTENSION, e);
  EXPECT_EQ(again.size(), 4u + 5u + 4u + 3u + more.size());
  korvu_asn1_value_free(KORVU_TYPE_EXTENSION, e);

  const Bytes exts = der_tlv(0x30, hex(kReason + kReason));
  auto *list = static_cast<KORVU_ASN1_LIST *>(decode(KORVU_TYPE_EXTENSIONS, exts, ctx));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count, 2);
  EXPECT_EQ(list->capacity, 2);
  for (int i = 0; i < 100; i++) {
    void *copy = korvu_asn1_dupobject(KORVU_TYPE_EXTENSION, list->items[0], ctx);
    ASSERT_EQ(korvu_asn1_list_put(list, copy), 1);
  }
  EXPECT_EQ(list->count, 102);
  EXPECT_GE(list->capacity, 102);
  const Bytes out = encode(KORVU_TYPE_EXTENSIONS, list);
  EXPECT_EQ(out.size(), 4u + 102u * ext.size());
  korvu_asn1_list_free(list, KORVU_TYPE_EXTENSION);
}

// A component of a decoded record is freed and replaced like any other value
// (a C caller's way of changing a decoded record; tests/ownership.c runs the
// other idioms); the record then frees the replacement, and its encoding
// carries it.
TEST(Room, ComponentsAreFreedAndReplacedLikeOthers) {
  ErrCtx ctx;
  const Bytes b = hex(entry("02 01 05 " + kUtc + " 30 0C " + kReason));
  auto *e = static_cast<KORVU_X509_REVCERT *>(decode(KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, b, ctx));
  ASSERT_NE(e, nullptr);
  korvu_data_blob_free(e->userCertificate);
  const unsigned char serial[] = {0x01, 0x00};
  e->userCertificate = korvu_asn1_integer_new(serial, 2);
  KORVU_TIME *copy = korvu_time_dup(e->revocationDate->time);
  EXPECT_EQ(korvu_time_getyear(copy), 2025);
  korvu_time_free(e->revocationDate->time);  // the handle alone, then the whole Time
  e->revocationDate->time = copy;
  korvu_asn1_value_free(KORVU_TYPE_TIME, e->revocationDate);
  e->revocationDate = korvu_asn1_utctime_new(2030, 6, 1, 12, 0, 0);
  auto *ext = static_cast<KORVU_X509_EXTENSION *>(e->crlEntryExtensions->items[0]);
  korvu_asn1_value_free(KORVU_TYPE_OBJECT_IDENTIFIER, ext->extnID);
  ext->extnID = korvu_asn1_oid_new("2.5.29.24");
  korvu_asn1_value_free(KORVU_TYPE_OCTET_STRING, ext->extnValue);
  ext->extnValue = korvu_asn1_octetstring_new("\x05\x00", 2);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, e)),
            entry("02 02 01 00 17 0D 33 30 30 36 30 31 31 32 30 30 30 30 5A 30 0B 30 09 06 03 55 1D 18 04 02 05 00"));
  korvu_asn1_value_free(KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, e);
}
