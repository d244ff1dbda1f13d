// pyasn1-modules' reading of CRLs and certification requests
// (tests/crl_peer.py), shared by tests/test_crl.cpp and tests/test_request.cpp.
#ifndef KORVU_TESTS_SIGNED_PEER_H
#define KORVU_TESTS_SIGNED_PEER_H

#include <array>
#include <initializer_list>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "test_util.h"

namespace korvu_test {

struct PeerFile {
  std::string path, kind;  // kind: crl or req
  bool refused = false;    // pyasn1 does not read it
  Bytes der;
  std::map<std::string, std::string> comps;         // "c": component -> hex DER or "-"
  std::map<std::string, std::string> texts;         // "s": name -> text
  std::vector<std::array<std::string, 3>> entries;  // serial DER, date DER, entry extension OIDs
};

// The Debian interpreter, which has pyasn1-modules; empty (and a failure under CI=true) without it.
inline std::string signed_peer_python() { return pyasn1_python("pyasn1_modules.rfc2986"); }

// Runs tests/crl_peer.py with `args` and reads its records, keyed by path.
inline std::map<std::string, PeerFile> run_signed_peer(const std::string &python, const std::string &args) {
  const std::string out = run_peer_script(python, "crl_peer.py", args);
  std::map<std::string, PeerFile> files;
  std::istringstream lines(out);
  std::string line;
  PeerFile f;
  while (std::getline(lines, line)) {
    std::istringstream w(line);
    std::string kind, a, b;
    w >> kind >> a;
    std::getline(w >> std::ws, b);
    if (kind == "file") {
      f = PeerFile{};
      f.path = a;
      f.kind = b;
    } else if (kind == "refused") {
      PeerFile r;
      r.path = a;
      r.refused = true;
      files[a] = r;
    } else if (kind == "der") {
      f.der = hex(a);
    } else if (kind == "c") {
      f.comps[a] = b;
    } else if (kind == "s") {
      f.texts[a] = b;
    } else if (kind == "e") {
      std::istringstream e(b);
      std::array<std::string, 3> entry{a, "", ""};
      e >> entry[1] >> entry[2];
      f.entries.push_back(entry);
    } else if (kind == "end") {
      files[f.path] = f;
    }
  }
  return files;
}

// The bytes a parser is given for a corpus file: DER as it is, PEM from its
// first BEGIN line on (some files carry text before the block).
inline Bytes parser_input(const Bytes &file) {
  std::string text(file.begin(), file.end());
  size_t b = text.find("-----BEGIN ");
  if (b == std::string::npos || (!file.empty() && file[0] == 0x30)) return file;
  return Bytes(file.begin() + static_cast<long>(b), file.end());
}

// The first element inside the outer TLV of a DER encoding (the to-be-signed
// part of a signed structure); empty when it cannot be walked.
inline Bytes first_child(const Bytes &der) {
  auto header = [&](size_t at, size_t &hdr, size_t &len) {
    if (at + 2 > der.size()) return false;
    len = der[at + 1];
    hdr = 2;
    if (len & 0x80) {
      size_t k = len & 0x7F;
      if (k == 0 || k > 4 || at + 2 + k > der.size()) return false;
      len = 0;
      for (size_t i = 0; i < k; i++) len = len << 8 | der[at + 2 + i];
      hdr += k;
    }
    return at + hdr + len <= der.size();
  };
  size_t h0, l0, h1, l1;
  if (!header(0, h0, l0) || !header(h0, h1, l1)) return {};
  return Bytes(der.begin() + static_cast<long>(h0), der.begin() + static_cast<long>(h0 + h1 + l1));
}


// Extension identifiers joined by commas, "none" for none.
inline std::string extension_oids(const KORVU_ASN1_LIST *exts) {
  std::string out;
  for (auto *e : list_items<KORVU_X509_EXTENSION>(exts)) {
    const char *s = korvu_asn1_oid_getstring(korvu_x509extension_getid(e));
    out += (out.empty() ? "" : ",") + std::string(s ? s : "?");
  }
  return out.empty() ? "none" : out;
}

inline Bytes cat_bytes(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes &p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// The DER of a getter's value, "-" for null.
inline std::string der_or_dash(uint32_t type, const void *v) { return v ? to_hex(encode(type, v)) : "-"; }
inline std::string hex_or_dash(const std::string &want) { return want == "-" ? "-" : to_hex(hex(want)); }

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

}  // namespace korvu_test

#endif
