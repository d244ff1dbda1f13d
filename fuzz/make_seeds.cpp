// Builds the seed corpora of the fuzz harnesses from sample encodings.
//
//   korvu_fuzz_seeds OUTDIR INPUT...
//
// INPUT is a file or a folder (walked recursively): DER/BER, PEM (every block
// of a bundle), Base64, or a C++ test source whose hex("...") literals are
// taken as encodings. Writes OUTDIR/{registry,json,push,text}/ in the input
// layouts of checks.h. Every encoding is walked as BER and each element found
// (also inside OCTET STRING and BIT STRING wrappers) is tried against every
// linked type whose tag can match; the pairs that decode become registry
// seeds, so the seeds follow the types as they are added.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fuzz/checks.h"

namespace fs = std::filesystem;
using korvu_fuzz::Bytes;

namespace {

constexpr size_t kMaxSeed = 16 * 1024;   // larger inputs slow the fuzzers down
constexpr size_t kPerType = 48;          // registry seeds per type number
constexpr size_t kMaxElements = 200000;  // distinct elements tried at most

struct Element {
  uint32_t tag_class = 0, constructed = 0, tag = 0;
  size_t size = 0;  // whole element
  size_t header = 0;
  bool indefinite = false;
};

// Reads one element at p[0..n); false when it is not a complete element.
bool parse_element(const unsigned char *p, size_t n, Element &e, int depth = 0) {
  if (depth > 40 || n < 2) return false;
  size_t i = 0;
  e.tag_class = p[0] & 0xC0;
  e.constructed = (p[0] & 0x20) != 0;
  e.tag = p[0] & 0x1F;
  i = 1;
  if (e.tag == 0x1F) {
    e.tag = 0;
    do {
      if (i >= n || e.tag > (1u << 24)) return false;
      e.tag = (e.tag << 7) | (p[i] & 0x7F);
    } while (p[i++] & 0x80);
  }
  if (i >= n) return false;
  unsigned char l = p[i++];
  size_t len = 0;
  e.indefinite = false;
  if (l == 0x80) {
    if (!e.constructed) return false;
    e.indefinite = true;
  } else if (l & 0x80) {
    unsigned k = l & 0x7F;
    if (k > 4 || i + k > n) return false;
    for (unsigned j = 0; j < k; j++) len = (len << 8) | p[i++];
  } else {
    len = l;
  }
  e.header = i;
  if (!e.indefinite) {
    if (len > n - i) return false;
    e.size = i + len;
    return true;
  }
  size_t pos = i;
  while (true) {
    if (pos + 2 <= n && p[pos] == 0 && p[pos + 1] == 0) {
      e.size = pos + 2;
      return true;
    }
    Element c;
    if (!parse_element(p + pos, n - pos, c, depth + 1)) return false;
    pos += c.size;
  }
}

class SeedMaker {
 public:
  explicit SeedMaker(const fs::path &out) : out_(out) {
    for (const char *d : {"registry", "json", "push", "text"}) fs::create_directories(out_ / d);
    for (uint32_t t = 0; t < korvu::kTypeCount; t++)
      if (korvu_fuzz::type_exists(t)) types_.push_back(t);
  }

  // A ContentInfo of signed data (PKCS #7 or GM/T) or, by its first octets, a bare SignedData.
  static bool signed_message(const Bytes &der) {
    static const Bytes pkcs7 = {0x2A, 0x86, 0x48, 0x86, 0xF7, 0x0D, 0x01, 0x07, 0x02};
    static const Bytes gmt = {0x2A, 0x81, 0x1C, 0xCF, 0x55, 0x06, 0x01, 0x04, 0x02, 0x02};
    if (der.size() < 16 || der[0] != 0x30) return false;
    const auto head = der.begin() + std::min<size_t>(der.size(), 24);
    return std::search(der.begin(), head, pkcs7.begin(), pkcs7.end()) != head ||
           std::search(der.begin(), head, gmt.begin(), gmt.end()) != head;
  }

  void add_encoding(const Bytes &der) {
    if (der.empty()) return;
    if (der.size() <= kMaxSeed) {
      write("json", prefixed({0x00}, der));
      write("push", prefixed({0x00, 0x12, 0x34}, der));
      if (signed_message(der)) write("push", prefixed({0x02}, der));  // the streaming SignedData decoder
      if (korvu_fuzz::have_json()) add_json_text(der);
    }
    walk(der.data(), der.size(), 0);
  }

  void add_text(const Bytes &raw) {
    if (raw.size() > kMaxSeed || text_seeds_ >= 400) return;
    text_seeds_++;
    write("text", prefixed({0x03}, raw));
    write("text", prefixed({0x04}, raw));
  }

  void report() const {
    size_t total = 0;
    for (auto &[t, n] : per_type_) total += n;
    std::fprintf(stderr, "seeds: %zu registry seeds over %zu types (%zu linked), %zu elements tried\n", total,
                 per_type_.size(), types_.size(), seen_.size());
  }

 private:
  static Bytes prefixed(std::initializer_list<unsigned char> head, const Bytes &body) {
    Bytes b(head);
    b.insert(b.end(), body.begin(), body.end());
    return b;
  }
  static Bytes slice(const unsigned char *p, size_t n) { return Bytes(p, p + n); }

  void write(const char *dir, const Bytes &b) {
    std::string key(b.begin(), b.end());
    char name[32];
    std::snprintf(name, sizeof name, "%016zx", std::hash<std::string>{}(key));
    std::ofstream f(out_ / dir / name, std::ios::binary);
    f.write(reinterpret_cast<const char *>(b.data()), static_cast<std::streamsize>(b.size()));
  }

  void add_json_text(const Bytes &der) {
    if (json_seeds_ >= 300) return;
    KORVU_JSON *tree = korvu_asn1_tojson(der.data(), static_cast<int32_t>(der.size()));
    if (tree == nullptr) return;
    uint32_t n = 0;
    char *text = korvu_json_print(tree, 0, &n);
    if (text != nullptr && n <= kMaxSeed) {
      Bytes b{0x01};
      b.insert(b.end(), text, text + n);
      write("json", b);
      json_seeds_++;
    }
    korvu_free(text);
    korvu_json_free(tree);
  }

  // Tries one element against every type that can take its tag.
  void try_types(const unsigned char *p, const Element &e) {
    for (uint32_t t : types_) {
      const korvu::TypeDesc *d = korvu::type_desc(t);
      bool tag_free = d->tag_number == 0 && d->tag_class == 0;  // choices, ANY, abstract strings
      if (!tag_free && (d->tag_number != e.tag || d->tag_class != e.tag_class)) continue;
      size_t &have = per_type_[t];
      if (have >= kPerType) continue;
      void *v = nullptr;
      uint32_t used = korvu_asn1_mem_decode(p, static_cast<int32_t>(e.size), t, &v);
      if (used == 0xFFFFFFFFu) continue;
      if (t == KORVU_TYPE_OBJECT_IDENTIFIER || t == KORVU_TYPE_RELATIVE_OID) add_oid_text(t, v);
      korvu_asn1_value_free(t, v);
      if (used != e.size) continue;
      Bytes b{static_cast<unsigned char>(t >> 8), static_cast<unsigned char>(t & 0xFF)};
      b.insert(b.end(), p, p + e.size);
      write("registry", b);
      have++;
    }
  }

  void add_oid_text(uint32_t type, void *v) {
    if (oid_seeds_ >= 200) return;
    const bool absolute = type == KORVU_TYPE_OBJECT_IDENTIFIER;
    const char *s = absolute ? korvu_asn1_oid_getstring(static_cast<KORVU_ASN1_OID *>(v))
                             : korvu_asn1_relative_oid_getstring(static_cast<KORVU_ASN1_OID *>(v));
    if (s == nullptr) return;
    Bytes b{static_cast<unsigned char>(absolute ? 0x00 : 0x01)};
    b.insert(b.end(), s, s + std::strlen(s));
    write("text", b);
    oid_seeds_++;
    if (absolute) {
      // The same arcs as a relative OID.
      b[0] = 0x01;
      write("text", b);
    }
  }

  void walk(const unsigned char *p, size_t n, int depth) {
    size_t pos = 0;
    while (pos < n && depth < 32) {
      Element e;
      if (!parse_element(p + pos, n - pos, e)) return;
      const unsigned char *q = p + pos;
      if (e.size <= kMaxSeed && seen_.size() < kMaxElements && seen_.insert(std::string(q, q + e.size)).second) {
        try_types(q, e);
        if (e.tag_class == 0 && !e.constructed && (e.tag == 23 || e.tag == 24) && e.size - e.header < 64 &&
            time_seeds_++ < 300) {
          Bytes t{static_cast<unsigned char>(0x02), static_cast<unsigned char>(e.tag == 24 ? 1 : 0)};
          t.insert(t.end(), q + e.header, q + e.size);
          write("text", t);
        }
        if (e.tag_class == 0 && e.tag == 4 && push_octet_seeds_ < 200) {
          write("push", prefixed({0x01, 0x56, 0x78}, slice(q, e.size)));
          push_octet_seeds_++;
        }
      }
      size_t content_end = e.indefinite ? e.size - 2 : e.size;
      if (e.constructed) {
        walk(q + e.header, content_end - e.header, depth + 1);
      } else if (e.tag_class == 0 && (e.tag == 4 || e.tag == 3)) {
        // Encodings wrapped in OCTET STRING (extension values) or BIT STRING
        // (public keys).
        size_t skip = e.header + (e.tag == 3 ? 1 : 0);
        Element inner;
        if (skip < e.size && parse_element(q + skip, e.size - skip, inner) && inner.size == e.size - skip)
          walk(q + skip, e.size - skip, depth + 1);
      }
      pos += e.size;
    }
  }

  fs::path out_;
  std::vector<uint32_t> types_;
  std::map<uint32_t, size_t> per_type_;
  std::set<std::string> seen_;
  size_t json_seeds_ = 0, time_seeds_ = 0, oid_seeds_ = 0, text_seeds_ = 0, push_octet_seeds_ = 0;
};

Bytes read_all(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// hex("...") literals of a test source.
std::vector<Bytes> hex_literals(const Bytes &src) {
  std::vector<Bytes> out;
  std::string s(src.begin(), src.end());
  size_t pos = 0;
  while ((pos = s.find("hex(\"", pos)) != std::string::npos) {
    pos += 5;
    size_t end = s.find('"', pos);
    if (end == std::string::npos) break;
    Bytes b;
    int hi = -1;
    for (size_t i = pos; i < end; i++) {
      char c = s[i];
      int v = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
      if (v < 0) continue;
      if (hi < 0) {
        hi = v;
      } else {
        b.push_back(static_cast<unsigned char>(hi * 16 + v));
        hi = -1;
      }
    }
    if (!b.empty()) out.push_back(std::move(b));
    pos = end;
  }
  return out;
}

void add_file(SeedMaker &m, const fs::path &p) {
  Bytes raw = read_all(p);
  if (raw.empty()) return;
  const std::string ext = p.extension().string();
  if (ext == ".cpp" || ext == ".h" || ext == ".c") {
    for (const Bytes &b : hex_literals(raw)) m.add_encoding(b);
    return;
  }
  if (ext == ".md" || ext == ".tsv" || ext == ".json") return;
  m.add_text(raw);
  std::string text(raw.begin(), raw.end());
  // Every PEM block of a bundle, else the whole file as the tool reads it.
  size_t pos = text.find("-----BEGIN ");
  if (pos != std::string::npos && std::memchr(raw.data(), 0, raw.size()) == nullptr) {
    while (pos != std::string::npos) {
      korvu::tool::LoadedInput in;
      std::string error;
      if (korvu::tool::load_input(raw.data() + pos, raw.size() - pos, in, error)) m.add_encoding(in.bytes);
      pos = text.find("-----BEGIN ", pos + 11);
    }
    return;
  }
  korvu::tool::LoadedInput in;
  std::string error;
  if (korvu::tool::load_input(raw, in, error)) m.add_encoding(in.bytes);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTDIR INPUT...\n", argv[0]);
    return 64;
  }
  SeedMaker m(argv[1]);
  // OCSP and time-stamp values no public file carries on their own: CrlID, ServiceLocator,
  // PreferredSignatureAlgorithms, a request whose TBSRequest has a non-minimal length, a TSTInfo with every
  // component.
  for (const char *v : {"3036a01b1619687474703a2f2f63726c2e6578616d706c652f63612e63726ca10402021234a211180f3230323430"
                        "3130323033303430355a",
                        "303b30153113301106035504030c0a4578616d706c652043413022302006082b060105050730018614687474703a"
                        "2f2f6f6373702e6578616d706c652f",
                        "302c301c300b06092a864886f70d01010b300d06092a864886f70d0101010500300c300a06082a8648ce3d040302",
                        "30053081023000",
                        "304e02010106032a0304300c300706052b0e03021a0401aa020105180f3230323430313031303030"
                        "3030305a30090201018001018101010101ff020109a00686047473613aa109300706022a03040100"}) {
    Bytes b;
    for (size_t k = 0; v[k] != 0 && v[k + 1] != 0; k += 2)
      b.push_back(static_cast<unsigned char>(std::stoi(std::string(v + k, 2), nullptr, 16)));
    m.add_encoding(b);
  }
  for (int i = 2; i < argc; i++) {
    fs::path p(argv[i]);
    std::error_code ec;
    if (fs::is_directory(p, ec)) {
      std::vector<fs::path> files;
      for (auto &e : fs::recursive_directory_iterator(p, ec))
        if (e.is_regular_file()) files.push_back(e.path());
      std::sort(files.begin(), files.end());
      for (auto &f : files) add_file(m, f);
    } else if (fs::is_regular_file(p, ec)) {
      add_file(m, p);
    }
  }
  // Extension values no public file carries: AAIssuingDistributionPoint, IdentityCode, TypeOfBiometricData,
  // BiometricData, identification items.
  const char *const values[] = {
      "302ca01da01b8619687474703a2f2f6578616d706c652e636f6d2f61612e63726c810204508201ff830100850100",
      "810a4f666669636572203432", "8209453132333435363738", "020101", "06042a030405",
      "3033020100300d06096086480165030402010500040501020304051618687474703a2f2f6578616d706c652e636f6d2f70686f746f",
      "3018300a0201010201020402a0b1300a0201010201020402a0b1"};
  for (const char *v : values) {
    Bytes b;
    for (size_t k = 0; v[k] != 0 && v[k + 1] != 0; k += 2)
      b.push_back(static_cast<unsigned char>(std::stoi(std::string(v + k, 2), nullptr, 16)));
    m.add_encoding(b);
  }
  // Hand-made starting points for the text parsers.
  struct Manual {
    unsigned char selector;
    int sub;  // a second octet (time kind), or -1
    const char *text;
  };
  const Manual manual[] = {{0, -1, "1.2.840.113549.1.1.11"},       {0, -1, "2.999.18446744073709551615"},
                           {1, -1, "8571.3.2"},                    {2, 0, "491231235959Z"},
                           {2, 1, "20240229120000.123+0130"},      {2, 1, "19991231235960Z"},
                           {4, -1, "-----BEGIN X-----\nAAEC\n-----END X-----\n"}};
  int i = 0;
  for (const Manual &t : manual) {
    std::string b(1, static_cast<char>(t.selector));
    if (t.sub >= 0) b += static_cast<char>(t.sub);
    b += t.text;
    std::ofstream f(fs::path(argv[1]) / "text" / ("manual" + std::to_string(i++)), std::ios::binary);
    f << b;
  }
  m.report();
  return 0;
}
