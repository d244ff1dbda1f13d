// pyasn1-modules' reading of a value (tests/asn1_peer.py: every component by
// path, as DER) and the library's reading of the same paths through its
// getters, compared path by path.
#ifndef KORVU_TESTS_PEER_COMPARE_H
#define KORVU_TESTS_PEER_COMPARE_H

#include <unistd.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "test_util.h"

namespace korvu_test {

inline std::string lower_hex(const Bytes &b) {
  static const char d[] = "0123456789abcdef";
  std::string s;
  for (unsigned char c : b) {
    s += d[c >> 4];
    s += d[c & 15];
  }
  return s;
}

// One value as pyasn1 read it: the octets read, and path -> DER hex ("-" absent, "N" for "path/#").
struct PeerDump {
  Bytes in;
  std::string error;  // pyasn1 refused it
  std::map<std::string, std::string> at;
  std::string get(const std::string &path) const {
    auto it = at.find(path);
    return it == at.end() ? "-" : it->second;
  }
  bool has(const std::string &path) const { return get(path) != "-"; }
};

// A job for tests/asn1_peer.py: label, MODULE.TYPE, source (a file or "hex:..."), options.
struct PeerJob {
  std::string label, type, source, options;
};

// Runs tests/asn1_peer.py over `jobs` (after the "open OID MODULE.TYPE" lines `open`); a failing script fails
// the test.
inline std::map<std::string, PeerDump> run_asn1_peer(const std::string &python, const std::vector<PeerJob> &jobs,
                                                     const std::vector<std::string> &open = {}) {
  char path[] = "/tmp/korvu_peer_XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) {
    ADD_FAILURE() << "no temporary file";
    return {};
  }
  close(fd);
  {
    std::ofstream f(path);
    for (const std::string &o : open) f << "open\t" << o << "\n";
    for (const PeerJob &j : jobs) f << j.label << "\t" << j.type << "\t" << j.source << "\t" << j.options << "\n";
  }
  const std::string out = run_peer_script(python, "asn1_peer.py", std::string("< ") + path);
  std::remove(path);
  std::map<std::string, PeerDump> dumps;
  PeerDump *d = nullptr;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("= ", 0) == 0) {
      d = &dumps[line.substr(2)];
      continue;
    }
    const size_t tab = line.find('\t');
    if (d == nullptr || tab == std::string::npos) continue;
    const std::string key = line.substr(0, tab), value = line.substr(tab + 1);
    if (key == "@in") d->in = hex(value);
    else if (key == "!") d->error = value;
    else d->at[key] = value;
  }
  return dumps;
}

// The library's reading, by the paths pyasn1 gives.
struct LibDump {
  std::map<std::string, std::string> at;
  // INTEGER and ENUMERATED values by value: pyasn1 writes them minimal, the library as received.
  void der(const std::string &path, uint32_t type, const void *v) {
    Bytes d = v ? encode(type, v) : Bytes{};
    if ((type == KORVU_TYPE_INTEGER || type == KORVU_TYPE_ENUMERATED) && d.size() > 3 && d[1] < 0x80) {
      size_t skip = 0;
      while (skip + 3 < d.size() && ((d[2 + skip] == 0 && d[3 + skip] < 0x80) || (d[2 + skip] == 0xFF && d[3 + skip] >= 0x80)))
        skip++;
      d.erase(d.begin() + 2, d.begin() + 2 + static_cast<long>(skip));
      d[1] = static_cast<unsigned char>(d[1] - skip);
    }
    at[path] = v ? lower_hex(d) : "-";
  }
  // A list: its count under "path/#" and `each(path/i, element)`; "-" when null.
  template <class T, class F>
  void list(const std::string &path, const KORVU_ASN1_LIST *l, F each) {
    if (l == nullptr) {
      at[path] = "-";
      return;
    }
    const std::vector<T *> items = list_items<T>(l);
    at[path + "/#"] = std::to_string(items.size());
    for (size_t i = 0; i < items.size(); i++) {
      const std::string p = path + "/" + std::to_string(i);
      each(p, items[i]);
    }
  }
  // A list whose elements are compared whole as `type`.
  void list_der(const std::string &path, uint32_t type, const KORVU_ASN1_LIST *l) {
    list<void>(path, l, [&](const std::string &p, const void *e) { der(p, type, e); });
  }
};

// Compares every path the library gave with pyasn1's reading under `prefix`; returns the number of present
// components that agreed or not (absent ones are compared too but not counted).
inline size_t compare_dumps(const LibDump &lib, const PeerDump &peer, const std::string &label,
                            const std::string &prefix = "") {
  size_t n = 0;
  for (const auto &[path, got] : lib.at) {
    const std::string want = peer.get(prefix + path);
    EXPECT_EQ(got, want) << label << ": " << prefix + path;
    n += want != "-";
  }
  return n;
}

// The bytes a parser is given for a corpus file: DER as it is, PEM from its first BEGIN line on (some files carry
// text before the block).
inline Bytes parser_input(const Bytes &file) {
  const std::string text(file.begin(), file.end());
  const size_t b = text.find("-----BEGIN ");
  if (b == std::string::npos || (!file.empty() && file[0] == 0x30)) return file;
  return Bytes(file.begin() + static_cast<long>(b), file.end());
}

// A folder of CRLs and a request made by tests/make_signed.sh with the openssl tool, made once per run; empty
// when openssl is missing (a failure under CI=true).
inline std::string openssl_made_dir() {
  static const std::string dir = [] {
    if (std::system("openssl version >/dev/null 2>&1") != 0) return std::string();
    char tmpl[] = "/tmp/korvu_signed_XXXXXX";
    if (mkdtemp(tmpl) == nullptr) return std::string();
    std::string cmd = "sh " KORVU_SOURCE_DIR "/tests/make_signed.sh " + std::string(tmpl) + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0 ? std::string(tmpl) : std::string();
  }();
  if (dir.empty() && under_ci()) ADD_FAILURE() << "openssl missing or failing";
  return dir;
}

// The valid rows of a hex-vector file of tests/vectors.h's format (tests/data/FILE): type, name, input and the
// octets it is written back as, for the tests that also read them with a peer.
struct VectorRow {
  uint32_t type = 0;
  std::string name;
  Bytes in, out;
};
inline std::vector<VectorRow> valid_vectors(const std::string &file_name) {
  std::vector<VectorRow> rows;
  std::ifstream file(KORVU_SOURCE_DIR "/tests/data/" + file_name);
  for (std::string line; std::getline(file, line);) {
    std::istringstream cells(line.substr(0, line.find(':')));
    VectorRow r;
    std::string code;
    if (line.empty() || line[0] == '#' || !(cells >> r.type >> code >> r.name) || code != "0") continue;
    const std::string rest = line.substr(line.find(':') + 1);
    const size_t arrow = rest.find("=>");
    r.in = hex(rest.substr(0, arrow));
    r.out = arrow == std::string::npos ? r.in : hex(rest.substr(arrow + 2));
    rows.push_back(r);
  }
  return rows;
}

// Values a test builds, freed when it ends: own() keeps a value (which must not be null), der() decodes one,
// list() makes a list of copies of `items` (of type `element`) and take() a list that takes `items` over.
struct OwnedValues {
  std::vector<std::unique_ptr<Val>> values;
  template <class T = void>
  T *own(uint32_t type, void *v) {
    EXPECT_NE(v, nullptr) << "a value of type " << type;
    return static_cast<T *>(values.emplace_back(std::make_unique<Val>(type, v))->v);
  }
  template <class T = void>
  T *der(uint32_t type, const Bytes &b) {
    return own<T>(type, decode(type, b, nullptr));
  }
  KORVU_ASN1_LIST *list(uint32_t type, uint32_t element, std::initializer_list<const void *> items) {
    KORVU_ASN1_LIST *l = own<KORVU_ASN1_LIST>(type, korvu_asn1_list_new());
    for (const void *e : items) korvu_asn1_list_put(l, korvu_asn1_dupobject(element, e, nullptr));
    return l;
  }
  KORVU_ASN1_LIST *take(uint32_t type, std::initializer_list<void *> items) {
    KORVU_ASN1_LIST *l = own<KORVU_ASN1_LIST>(type, korvu_asn1_list_new());
    for (void *e : items) korvu_asn1_list_put(l, e);
    return l;
  }
};

}  // namespace korvu_test

#endif
