// Helpers shared by the tests: hex vectors, error contexts, corpus files.
#ifndef KORVU_TESTS_TEST_UTIL_H
#define KORVU_TESTS_TEST_UTIL_H

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/util.h"

namespace korvu_test {

using Bytes = std::vector<unsigned char>;

// "30 03 02 01 05" -> bytes; spaces are ignored.
inline Bytes hex(const std::string &text) {
  Bytes out;
  int hi = -1;
  for (char c : text) {
    int v;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    else continue;
    if (hi < 0) hi = v;
    else { out.push_back(static_cast<unsigned char>(hi * 16 + v)); hi = -1; }
  }
  return out;
}

inline std::string to_hex(const unsigned char *p, size_t n) {
  static const char d[] = "0123456789ABCDEF";
  std::string s;
  for (size_t i = 0; i < n; i++) {
    if (i) s += ' ';
    s += d[p[i] >> 4];
    s += d[p[i] & 15];
  }
  return s;
}
inline std::string to_hex(const Bytes &b) { return to_hex(b.data(), b.size()); }

// Identifier (one octet), DER length and contents.
inline Bytes der_tlv(unsigned char tag, const Bytes &body) {
  Bytes out{tag};
  size_t n = body.size();
  if (n < 0x80) {
    out.push_back(static_cast<unsigned char>(n));
  } else {
    Bytes l;
    for (; n; n >>= 8) l.insert(l.begin(), static_cast<unsigned char>(n));
    out.push_back(static_cast<unsigned char>(0x80 | l.size()));
    out.insert(out.end(), l.begin(), l.end());
  }
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

inline Bytes cat_bytes(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes &p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// One TLV of an encoding with definite lengths; a high tag number (X.690 8.1.2.4) takes more identifier octets.
struct DerNode {
  size_t at = 0, hdr = 0, len = 0;
  size_t end() const { return at + hdr + len; }
};

inline bool der_node(const Bytes &b, size_t at, size_t limit, DerNode &n) {
  size_t id = 1;
  if (at < limit && (b[at] & 0x1F) == 0x1F)
    while (at + id < limit && (b[at + id++] & 0x80)) {
    }
  if (at + id + 1 > limit) return false;
  n.at = at;
  n.hdr = id + 1;
  n.len = b[at + id];
  if (n.len & 0x80) {
    const size_t k = n.len & 0x7F;
    if (k == 0 || k > 4 || at + n.hdr + k > limit) return false;
    n.len = 0;
    for (size_t i = 0; i < k; i++) n.len = n.len << 8 | b[at + n.hdr + i];
    n.hdr += k;
  }
  return n.end() <= limit;
}

// The TLVs directly inside `parent`.
inline std::vector<DerNode> der_kids(const Bytes &b, const DerNode &parent) {
  std::vector<DerNode> out;
  DerNode n;
  for (size_t p = parent.at + parent.hdr; p < parent.end() && der_node(b, p, parent.end(), n); p = n.end())
    out.push_back(n);
  return out;
}

// Every TLV of an encoding, the outer one first, inside constructed ones too.
inline std::vector<DerNode> der_all(const Bytes &b) {
  std::vector<DerNode> out(1);
  if (!der_node(b, 0, b.size(), out[0])) return {};
  for (size_t i = 0; i < out.size(); i++)
    if (b[out[i].at] & 0x20)
      for (const DerNode &k : der_kids(b, out[i])) out.push_back(k);
  return out;
}

// The whole encodings of the elements directly inside the outer TLV.
inline std::vector<Bytes> der_elements(const Bytes &der) {
  DerNode top;
  std::vector<Bytes> out;
  if (!der_node(der, 0, der.size(), top)) return out;
  for (const DerNode &n : der_kids(der, top))
    out.emplace_back(der.begin() + static_cast<long>(n.at), der.begin() + static_cast<long>(n.end()));
  return out;
}

// Walks BER octets from `pos` to `end`: calls visit(offset, depth) for each
// TLV header found, descending into constructed contents of definite and
// indefinite length and, with `primitives`, into primitive contents that
// parse as encodings (an OCTET STRING holding an extension's value), no
// deeper than `max_depth`. Stops at octets that are no header. Returns the
// offset after the level: past its end-of-contents when it has one.
template <class Visit>
size_t ber_walk(const Bytes &b, size_t pos, size_t end, int depth, int max_depth, bool primitives, Visit &&visit) {
  while (pos < end && depth <= max_depth) {
    if (b[pos] == 0x00) return pos + 1 < end && b[pos + 1] == 0x00 ? pos + 2 : end;
    const size_t at = pos;
    const bool constructed = (b[pos] & 0x20) != 0;
    if ((b[pos++] & 0x1F) == 0x1F)
      while (pos < end && (b[pos++] & 0x80)) {
      }
    if (pos >= end) return end;
    const unsigned l = b[pos++];
    size_t len = l & 0x7F;
    if (l > 0x80) {
      if (len > 4 || pos + len > end) return end;
      size_t n = len;
      for (len = 0; n > 0; n--) len = len << 8 | b[pos++];
    }
    visit(at, depth);
    if (l == 0x80) {
      if (!constructed) return end;
      pos = ber_walk(b, pos, end, depth + 1, max_depth, primitives, visit);
      continue;
    }
    if (len > end - pos) return end;
    if (constructed || primitives) ber_walk(b, pos, pos + len, depth + 1, max_depth, primitives, visit);
    pos += len;
  }
  return pos < end ? end : pos;
}

// The first element inside the outer TLV (the to-be-signed part of a signed structure); empty when none.
inline Bytes first_child(const Bytes &der) {
  std::vector<Bytes> e = der_elements(der);
  return e.empty() ? Bytes{} : e[0];
}

// An error context owned by a test.
class ErrCtx {
 public:
  ErrCtx() : ctx_(korvu_err_ctx_new()) {}
  ~ErrCtx() { korvu_err_ctx_free(ctx_); }
  ErrCtx(const ErrCtx &) = delete;
  ErrCtx &operator=(const ErrCtx &) = delete;
  operator KORVU_ERR_CTX *() const { return ctx_; }
  bool has(uint32_t code) const { return korvu_err_ctx_has(ctx_, code) == 1; }
  uint32_t count() const { return korvu_err_ctx_count(ctx_); }
  std::vector<uint32_t> codes() const {
    std::vector<uint32_t> v;
    for (uint32_t i = 0; i < count(); i++) {
      uint32_t c = 0;
      korvu_err_ctx_get(ctx_, i, &c, nullptr, nullptr, nullptr);
      v.push_back(c);
    }
    return v;
  }
  void clear() { korvu_err_ctx_clear(ctx_); }

 private:
  KORVU_ERR_CTX *ctx_;
};

// Owns a JSON tree.
struct JsonDel {
  void operator()(KORVU_JSON *j) const { korvu_json_free(j); }
};
using JsonPtr = std::unique_ptr<KORVU_JSON, JsonDel>;

inline JsonPtr json_parse(const std::string &s) {
  return JsonPtr(korvu_json_parse(s.data(), static_cast<uint32_t>(s.size())));
}

// The printed text of a JSON tree, "<print failed>" when there is none.
inline std::string json_text(const KORVU_JSON *j, int indent = 0) {
  uint32_t n = 0;
  char *s = korvu_json_print(j, indent, &n);
  if (s == nullptr) return "<print failed>";
  std::string out(s, n);
  EXPECT_EQ(std::strlen(s), n) << "the printed length differs from the text's";
  korvu_free(s);
  return out;
}

// Owns a value of a registry type until the end of the scope.
// An owned value of a type known where it is declared:
// Owned<KORVU_X509_CRL, KORVU_TYPE_CERTIFICATELIST> crl(...); crl.p is the value.
template <class T, uint32_t Type>
struct Owned {
  T *p;
  explicit Owned(T *v) : p(v) {}
  ~Owned() { korvu_asn1_value_free(Type, p); }
  Owned(const Owned &) = delete;
  Owned &operator=(const Owned &) = delete;
};

// The to-be-signed octets a signed structure's *_gettbsocts export hands out
// (their length asked first); empty when it fails.
template <class T>
Bytes tbs_octets_of(int (*get)(T *, unsigned char *, uint32_t *, KORVU_ERR_CTX *), T *v) {
  uint32_t n = 0;
  if (get(v, nullptr, &n, nullptr) != 1) return {};
  Bytes out(n);
  EXPECT_EQ(get(v, out.data(), &n, nullptr), 1);
  return out;
}

struct Val {
  uint32_t type;
  void *v;
  Val(uint32_t t, void *p) : type(t), v(p) {}
  ~Val() { korvu_asn1_value_free(type, v); }
  Val(const Val &) = delete;
  Val &operator=(const Val &) = delete;
  template <class T>
  T *as() const {
    return static_cast<T *>(v);
  }
};

// Encodes a value with korvu_asn1_mem_encode; empty on failure.
inline Bytes encode(uint32_t type, const void *value) {
  KORVU_DATA_BLOB *b = korvu_asn1_mem_encode(type, value);
  if (b == nullptr) return {};
  Bytes out(b->data, b->data + b->length);
  korvu_data_blob_free(b);
  return out;
}

// Decodes the whole of `in` as `type` through a stream, with an error
// context; returns the value (null on failure) and the consumed count.
inline void *decode(uint32_t type, const Bytes &in, KORVU_ERR_CTX *ctx, uint32_t *consumed = nullptr) {
  KORVU_STREAM *s = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
  void *v = nullptr;
  uint32_t used = 0;
  int r = korvu_asn1_decode(s, type, &v, &used, ctx);
  korvu_stream_free(s);
  if (consumed) *consumed = used;
  if (r != 1) {
    EXPECT_EQ(v, nullptr) << "a failed decode handed out a value";
    return nullptr;
  }
  return v;
}

// Decoding `in` as `type` fails, hands nothing out and leaves `code` in the error context (any entry for 0).
inline void expect_decode_fails(uint32_t type, const Bytes &in, uint32_t code = 0) {
  ErrCtx ctx;
  Val v(type, decode(type, in, ctx));
  EXPECT_EQ(v.v, nullptr) << to_hex(in);
  EXPECT_TRUE(code ? ctx.has(code) : ctx.count() > 0) << to_hex(in) << " " << ::testing::PrintToString(ctx.codes());
}

// Every truncation of `der` is refused.
inline void expect_cuts_fail(uint32_t type, const Bytes &der) {
  for (size_t n = 0; n < der.size(); n++) expect_decode_fails(type, Bytes(der.begin(), der.begin() + static_cast<long>(n)));
}

// `der` as a PEM block under `label`; empty on failure.
inline std::string pem_text(const char *label, const Bytes &der) {
  char *t = nullptr;
  uint32_t n = 0;
  std::string out;
  if (korvu_pemencode(label, der.data(), static_cast<uint32_t>(der.size()), &t, &n) == 1) out.assign(t, n);
  korvu_free(t);
  return out;
}

inline std::string corpus_dir() { return KORVU_CORPUS_DIR; }

// True when the shared corpus is there; otherwise skips the test, except
// under CI=true where a missing corpus is a failure.
inline bool under_ci() {
  const char *ci = std::getenv("CI");
  return ci != nullptr && std::string(ci) == "true";
}

inline bool have_corpus() {
  if (std::filesystem::is_directory(corpus_dir())) return true;
  if (under_ci()) ADD_FAILURE() << "corpus folder missing: " << corpus_dir();
  return false;
}

// The interpreter that imports `modules` ("pyasn1_modules.rfc5280, ..."), the
// Debian one first; empty when none does, which skips the caller's test
// except under CI=true where it is a failure.
inline std::string pyasn1_python(const std::string &modules) {
  for (const char *p : {"/usr/bin/python3", "python3"}) {
    const std::string cmd = std::string(p) + " -c 'import " + modules + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) == 0) return p;
  }
  if (under_ci()) ADD_FAILURE() << "python3-pyasn1-modules missing (" << modules << ")";
  return {};
}

// One row of the corpus manifest: path, family, ASN.1 type, encoding,
// expectation ("valid", ...) and a note, tab-separated.
struct ManifestRow {
  std::string path, family, type, encoding, expect, note;
};

// The manifest's rows, without its header row; empty without the corpus.
inline std::vector<ManifestRow> corpus_manifest() {
  std::vector<ManifestRow> rows;
  std::ifstream manifest(corpus_dir() + "/manifest.tsv");
  std::string line;
  std::getline(manifest, line);  // header
  while (std::getline(manifest, line)) {
    std::istringstream cells(line);
    ManifestRow r;
    for (std::string *field : {&r.path, &r.family, &r.type, &r.encoding, &r.expect, &r.note}) {
      std::getline(cells, *field, '\t');
    }
    rows.push_back(r);
  }
  return rows;
}

inline Bytes read_file(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Runs a shell command and returns its standard output; `status` receives
// pclose's status (-1 when the command could not be started).
inline std::string run_command(const std::string &cmd, int *status = nullptr) {
  FILE *p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[65536];
  size_t n;
  while (p && (n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int s = p ? pclose(p) : -1;
  if (status) *status = s;
  return out;
}

// Runs tests/<script> under `python` with `args`; a failing script fails the test.
inline std::string run_peer_script(const std::string &python, const char *script, const std::string &args) {
  int status = 0;
  const std::string cmd = python + " " KORVU_SOURCE_DIR "/tests/" + script + " " + args;
  std::string out = run_command(cmd, &status);
  EXPECT_EQ(status, 0) << cmd;
  return out;
}

// The elements of a list value, in order.
template <class T>
std::vector<T *> list_items(const KORVU_ASN1_LIST *l) {
  std::vector<T *> out;
  for (int32_t i = 0; l && i < korvu_asn1_list_getsize(l); i++) {
    void *e = nullptr;
    korvu_asn1_list_get(l, i, &e);
    out.push_back(static_cast<T *>(e));
  }
  return out;
}

}  // namespace korvu_test

#endif
