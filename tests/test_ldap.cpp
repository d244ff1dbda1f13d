// LDAP messages: the corpus's messages and bare operations read by the library and by pyasn1-modules' rfc2251
// as corrected in tests/peer_rfc4511.py, hex vectors of the tagging rules and of bad input
// (tests/data/ldap_vectors.txt), the outcome of every malformed file (tests/data/ldap_corpus_outcomes.tsv),
// filters nested past the recursion limit, and values built by the constructors.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <regex>
#include <set>
#include <thread>

#include "core/catalog.h"
#include "peer_compare.h"

using namespace korvu_test;

namespace {

using Msg = KORVU_LDAP_MESSAGE;
const char *const kOpNames[] = {"bindRequest",    "bindResponse",   "unbindRequest",   "searchRequest",
                                "searchResEntry", "searchResDone",  "searchResRef",    "modifyRequest",
                                "modifyResponse", "addRequest",     "addResponse",     "delRequest",
                                "delResponse",    "modDNRequest",   "modDNResponse",   "compareRequest",
                                "compareResponse", "abandonRequest", "extendedReq",    "extendedResp",
                                "intermediateResponse"};

// The type of an operation by its first octet ([APPLICATION n]), 0 for none.
uint32_t op_type(unsigned char first) {
  for (uint32_t t = KORVU_TYPE_BINDREQUEST; t <= KORVU_TYPE_INTERMEDIATERESPONSE; t++)
    if (korvu::kCatalog[t].tag_class == 0x40 && korvu::kCatalog[t].tag_number == (first & 0x1Fu)) return t;
  return 0;
}

// The library's reading of a message, by pyasn1's paths.
struct Dump : LibDump {
  void os(const std::string &p, const void *v) { der(p, KORVU_TYPE_OCTET_STRING, v); }
  void strings(const std::string &p, const KORVU_ASN1_LIST *l) { list_der(p, KORVU_TYPE_OCTET_STRING, l); }
  void ava(const std::string &p, const KORVU_LDAP_AVA *a) {
    os(p + "/attributeDesc", a->attributeDesc);
    os(p + "/assertionValue", a->assertionValue);
  }
  void attrs(const std::string &p, const KORVU_ASN1_LIST *l) {
    list<KORVU_LDAP_ATTRIBUTE>(p, l, [&](const std::string &q, const KORVU_LDAP_ATTRIBUTE *a) {
      os(q + "/type", a->type);
      strings(q + "/vals", a->vals);
    });
  }
  template <class R>
  void result(const std::string &p, const R *r) {
    der(p + "/resultCode", KORVU_TYPE_ENUMERATED, r->resultCode);
    os(p + "/matchedDN", r->matchedDN);
    os(p + "/errorMessage", r->diagnosticMessage);
    strings(p + "/referral", r->referral);
  }
  void filter(const std::string &p, const KORVU_LDAP_FILTER *f) {
    static const char *const names[] = {"and",         "or",      "not",         "equalityMatch", "substrings",
                                        "greaterOrEqual", "lessOrEqual", "present", "approxMatch", "extensibleMatch"};
    const std::string q = p + "/" + names[f->choice];
    if (f->choice <= 1)
      list<KORVU_LDAP_FILTER>(q, static_cast<KORVU_ASN1_LIST *>(f->value),
                              [&](const std::string &e, const KORVU_LDAP_FILTER *g) { filter(e, g); });
    else if (f->choice == 2) filter(q, static_cast<KORVU_LDAP_FILTER *>(f->value));
    else if (f->choice == 7) os(q, f->value);
    else if (f->choice == 4) {
      auto *s = static_cast<KORVU_LDAP_SUBSTRINGFILTER *>(f->value);
      os(q + "/type", s->type);
      list<KORVU_LDAP_SUBSTRING>(q + "/substrings", s->substrings, [&](const std::string &e, const KORVU_LDAP_SUBSTRING *x) {
        os(e + "/" + std::string(x->choice == 0 ? "initial" : x->choice == 1 ? "any" : "final"), x->value);
      });
    } else if (f->choice == 9) {
      auto *m = static_cast<KORVU_LDAP_MRA *>(f->value);
      os(q + "/matchingRule", m->matchingRule);
      os(q + "/type", m->type);
      os(q + "/matchValue", m->matchValue);
      der(q + "/dnAttributes", KORVU_TYPE_BOOLEAN, m->dnAttributes);
    } else ava(q, static_cast<KORVU_LDAP_AVA *>(f->value));
  }
  void op(const std::string &p, uint32_t c, const void *v);
  void message(const Msg *m) {
    der("/messageID", KORVU_TYPE_INTEGER, m->messageID);
    at["/protocolOp/"] = kOpNames[m->protocolOpType];
    op("/protocolOp/" + std::string(kOpNames[m->protocolOpType]), m->protocolOpType, m->protocolOp);
    list<KORVU_LDAP_CONTROL>("/controls", m->controls, [&](const std::string &q, const KORVU_LDAP_CONTROL *c) {
      os(q + "/controlType", c->controlType);
      der(q + "/criticality", KORVU_TYPE_BOOLEAN, c->criticality);
      os(q + "/controlValue", c->controlValue);
    });
  }
};

void Dump::op(const std::string &p, uint32_t c, const void *v) {
  switch (c) {
    case 0: {
      auto *b = static_cast<const KORVU_LDAP_BINDREQUEST *>(v);
      der(p + "/version", KORVU_TYPE_INTEGER, b->version);
      os(p + "/name", b->name);
      auto *sasl = korvu_ldapauthenticationchoice_getsasl(b->authentication);
      if (sasl == nullptr) os(p + "/authentication/simple", b->authentication->value);
      else os(p + "/authentication/sasl/mechanism", sasl->mechanism), os(p + "/authentication/sasl/credentials", sasl->credentials);
      break;
    }
    case 1: result(p, static_cast<const KORVU_LDAP_BINDRESPONSE *>(v));
      os(p + "/serverSaslCreds", static_cast<const KORVU_LDAP_BINDRESPONSE *>(v)->serverSaslCreds);
      break;
    case 3: {
      auto *s = static_cast<const KORVU_LDAP_SEARCHREQUEST *>(v);
      os(p + "/baseObject", s->baseObject);
      der(p + "/scope", KORVU_TYPE_ENUMERATED, s->scope);
      der(p + "/derefAliases", KORVU_TYPE_ENUMERATED, s->derefAliases);
      der(p + "/sizeLimit", KORVU_TYPE_INTEGER, s->sizeLimit);
      der(p + "/timeLimit", KORVU_TYPE_INTEGER, s->timeLimit);
      der(p + "/typesOnly", KORVU_TYPE_BOOLEAN, s->typesOnly);
      filter(p + "/filter", s->filter);
      strings(p + "/attributes", s->attributes);
      break;
    }
    case 4: os(p + "/objectName", static_cast<const KORVU_LDAP_SEARCHRESULTENTRY *>(v)->objectName);
      attrs(p + "/attributes", static_cast<const KORVU_LDAP_SEARCHRESULTENTRY *>(v)->attributes);
      break;
    case 6: strings(p, static_cast<const KORVU_ASN1_LIST *>(v)); break;
    case 7: {
      auto *m = static_cast<const KORVU_LDAP_MODIFYREQUEST *>(v);
      os(p + "/object", m->object);
      list<KORVU_LDAP_CHANGE>(p + "/modification", m->changes, [&](const std::string &q, const KORVU_LDAP_CHANGE *x) {
        der(q + "/operation", KORVU_TYPE_ENUMERATED, x->operation);
        os(q + "/modification/type", x->modification->type);
        strings(q + "/modification/vals", x->modification->vals);
      });
      break;
    }
    case 9: os(p + "/entry", static_cast<const KORVU_LDAP_ADDREQUEST *>(v)->entry);
      attrs(p + "/attributes", static_cast<const KORVU_LDAP_ADDREQUEST *>(v)->attributes);
      break;
    case 11: der(p, KORVU_TYPE_DELREQUEST, v); break;
    case 13: {
      auto *m = static_cast<const KORVU_LDAP_MODIFYDNREQUEST *>(v);
      os(p + "/entry", m->entry), os(p + "/newrdn", m->newrdn), os(p + "/newSuperior", m->newSuperior);
      der(p + "/deleteoldrdn", KORVU_TYPE_BOOLEAN, m->deleteoldrdn);
      break;
    }
    case 15: os(p + "/entry", static_cast<const KORVU_LDAP_COMPAREREQUEST *>(v)->entry);
      ava(p + "/ava", static_cast<const KORVU_LDAP_COMPAREREQUEST *>(v)->ava);
      break;
    case 17: der(p, KORVU_TYPE_ABANDONREQUEST, v); break;
    case 18: os(p + "/requestName", static_cast<const KORVU_LDAP_EXTENDEDREQUEST *>(v)->requestName);
      os(p + "/requestValue", static_cast<const KORVU_LDAP_EXTENDEDREQUEST *>(v)->requestValue);
      break;
    case 19: result(p, static_cast<const KORVU_LDAP_EXTENDEDRESPONSE *>(v));
      os(p + "/responseName", static_cast<const KORVU_LDAP_EXTENDEDRESPONSE *>(v)->responseName);
      os(p + "/response", static_cast<const KORVU_LDAP_EXTENDEDRESPONSE *>(v)->responseValue);
      break;
    case 20: os(p + "/responseName", static_cast<const KORVU_LDAP_INTERMEDIATERESPONSE *>(v)->responseName);
      os(p + "/responseValue", static_cast<const KORVU_LDAP_INTERMEDIATERESPONSE *>(v)->responseValue);
      break;
    case 2: break;
    default: result(p, static_cast<const KORVU_LDAP_RESULT *>(v));
  }
}

// pyasn1's reading, with its booleans as DER (it writes TRUE as 01) and the operation's name.
PeerDump normalised(PeerDump p) {
  static const std::regex op("^/protocolOp/([A-Za-z]+)$"), flag("(criticality|typesOnly|deleteoldrdn|dnAttributes)$");
  for (auto &[k, v] : std::map<std::string, std::string>(p.at)) {
    std::smatch m;
    if (std::regex_search(k, m, op)) p.at["/protocolOp/"] = m[1];
    if (std::regex_search(k, flag) && v.size() == 6) p.at[k] = v.substr(4) == "00" ? "010100" : "0101ff";
  }
  return p;
}

// Decodes `in` as `type` and checks the re-encoding (the same octets for DER, else DER that decodes to the
// same reading); returns the value's reading, empty on failure.
std::map<std::string, std::string> read_back(uint32_t type, const Bytes &in, bool der, const std::string &label) {
  ErrCtx ctx;
  Val v(type, decode(type, in, ctx));
  EXPECT_NE(v.v, nullptr) << label;
  if (v.v == nullptr) return {};
  Dump d, again;
  if (type == KORVU_TYPE_LDAPMESSAGE) d.message(v.as<Msg>());
  const Bytes out = encode(type, v.v);
  if (der) {
    EXPECT_EQ(to_hex(out), to_hex(in)) << label;
  }
  Val w(type, decode(type, out, ctx));
  EXPECT_NE(w.v, nullptr) << label;
  if (w.v != nullptr && type == KORVU_TYPE_LDAPMESSAGE) again.message(w.as<Msg>());
  if (type == KORVU_TYPE_LDAPMESSAGE) {
    EXPECT_EQ(d.at, again.at) << label;
  }
  return d.at;
}

}  // namespace

// Every valid file: a whole message decodes as LDAPMessage, a bare operation as the type of its APPLICATION
// tag; DER files re-encode byte for byte, BER ones to DER read the same; every truncation fails; every whole
// message's reading agrees with pyasn1's (all 110 of them).
TEST(LdapCorpus, DecodesReencodesAndAgreesWithPyasn1) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string python = pyasn1_python("pyasn1_modules.rfc2251");
  std::vector<PeerJob> jobs;
  std::map<std::string, std::map<std::string, std::string>> ours;
  int bare = 0;
  for (const ManifestRow &r : corpus_manifest()) {
    if (r.family != "ldap" || r.expect != "valid") continue;
    const Bytes in = read_file(corpus_dir() + "/" + r.path);
    ASSERT_FALSE(in.empty()) << r.path;
    const uint32_t type = in[0] == 0x30 ? KORVU_TYPE_LDAPMESSAGE : op_type(in[0]);
    ASSERT_NE(type, 0u) << r.path;
    auto reading = read_back(type, in, r.encoding == "der", r.path);
    for (size_t n = 1; n < in.size(); n++) {  // every truncation fails with an entry, handing out nothing
      ErrCtx ctx;
      EXPECT_EQ(decode(type, Bytes(in.begin(), in.begin() + long(n)), ctx), nullptr) << r.path << " " << n;
      EXPECT_GT(ctx.count(), 0u) << r.path << " " << n;
    }
    if (type != KORVU_TYPE_LDAPMESSAGE) {
      bare++;
      continue;
    }
    ours[r.path] = reading;
    jobs.push_back({r.path, "peer_rfc4511.LDAPMessage", corpus_dir() + "/" + r.path, "ber"});
  }
  EXPECT_EQ(ours.size(), 110u);
  EXPECT_EQ(bare, 19);
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  size_t compared = 0;
  for (const auto &[label, peer] : run_asn1_peer(python, jobs)) {
    EXPECT_EQ(peer.error, "") << label;
    Dump lib;
    lib.at = ours[label];
    compared += compare_dumps(lib, normalised(peer), label) > 0;
  }
  EXPECT_EQ(compared, 110u);
}

// Malformed and unknown files keep their recorded outcome: decoded, or refused with these codes.
TEST(LdapCorpus, MalformedFilesKeepTheirOutcome) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  std::ifstream f(KORVU_SOURCE_DIR "/tests/data/ldap_corpus_outcomes.tsv");
  std::map<std::string, std::string> want;
  for (std::string line; std::getline(f, line);) {
    std::istringstream files(line.substr(line.find('\t') + 1));
    for (std::string file; line[0] != '#' && files >> file;) {
      const size_t colon = file.find(':');
      want["ldap/" + file.substr(0, colon)] = line.substr(0, line.find('\t')) +
                                              (colon == std::string::npos ? "" : " " + file.substr(colon + 1));
    }
  }
  size_t seen = 0;
  for (const ManifestRow &r : corpus_manifest()) {
    if (r.family != "ldap" || r.expect == "valid") continue;
    const Bytes in = read_file(corpus_dir() + "/" + r.path);
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(KORVU_TYPE_LDAPMESSAGE, decode(KORVU_TYPE_LDAPMESSAGE, in, ctx, &used));
    std::string got = v.v ? "decoded " + std::to_string(used) : "refused";
    for (uint32_t c : ctx.codes()) got += " " + (std::ostringstream() << std::hex << std::uppercase << c).str();
    EXPECT_EQ(got, want[r.path]) << r.path;
    seen++;
  }
  EXPECT_EQ(seen, want.size());
}

// Hex vectors: "TYPE | HEX | =" (re-encodes to the same), "| DER" (re-encodes to that) or "| !CODE ..." (refused,
// each code in the error context).
TEST(LdapVectors, TaggingRulesAndBadInput) {
  std::ifstream f(KORVU_SOURCE_DIR "/tests/data/ldap_vectors.txt");
  int n = 0;
  for (std::string line; std::getline(f, line);) {
    if (line[0] == '#') continue;
    line = line.substr(0, line.find('#'));
    const size_t a = line.find('|'), b = line.find('|', a + 1);
    const uint32_t type = std::stoul(line.substr(0, a));
    const Bytes in = hex(line.substr(a + 1, b - a - 1));
    std::istringstream want(line.substr(b + 1));
    std::string first;
    want >> first;
    ErrCtx ctx;
    Val v(type, decode(type, in, ctx));
    if (first[0] == '!') {
      EXPECT_EQ(v.v, nullptr) << line;
      for (std::string c = first.substr(1); !c.empty(); c = (want >> c) ? c.substr(c[0] == '!') : "")
        EXPECT_TRUE(ctx.has(std::stoul(c, nullptr, 16))) << line << ": " << c;
    } else {
      ASSERT_NE(v.v, nullptr) << line;
      EXPECT_EQ(to_hex(encode(type, v.v)), first == "=" ? to_hex(in) : to_hex(hex(line.substr(b + 1))))
          << line;
    }
    n++;
  }
  EXPECT_GT(n, 30);
}

// Filters nested past the recursion limit: decoding stops with the depth entry and the Filter's code; one
// built a million levels deep by filling and-lists fails to measure and to encode, and frees without recursion.
TEST(LdapFilter, NestingIsBounded) {
  auto nested = [](const char *open, size_t levels) {
    std::string s;
    for (size_t i = 0; i < levels; i++) s += open;
    s += "87 01 61";
    for (size_t i = 0; i < levels * std::strlen(open) / 6; i++) s += " 00 00";
    return hex(s);
  };
  for (const char *open : {"A2 80 ", "A0 80 ", "A1 80 A2 80 "}) {
    ErrCtx ctx;
    EXPECT_EQ(decode(KORVU_TYPE_FILTER, nested(open, 100000), ctx), nullptr) << open;
    EXPECT_TRUE(ctx.has(KORVU_ERR_DEPTH) && ctx.has(0x104C2)) << open;
    Val ok(KORVU_TYPE_FILTER, decode(KORVU_TYPE_FILTER, nested(open, 96 / std::strlen(open)), ctx));
    EXPECT_NE(ok.v, nullptr) << open;
    EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_FILTER, ok.v), encode(KORVU_TYPE_FILTER, ok.v).size()) << open;
  }
  KORVU_ASN1_LIST *none = korvu_asn1_list_new();
  KORVU_LDAP_FILTER *deep = korvu_ldapfilter_newand(none);
  for (int i = 0; i < 1000000; i++) {
    KORVU_LDAP_FILTER *up = i % 2 ? korvu_ldapfilter_newand(none) : korvu_ldapfilter_newor(none);
    ASSERT_EQ(korvu_asn1_list_put(static_cast<KORVU_ASN1_LIST *>(up->value), deep), 1);
    deep = up;
  }
  korvu_asn1_list_free(none, KORVU_TYPE_FILTER);
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_FILTER, deep), 0xFFFFFFFEu);
  ErrCtx ctx;
  KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
  EXPECT_NE(korvu_asn1_encode(s, KORVU_TYPE_FILTER, deep, nullptr, ctx), 1);
  EXPECT_TRUE(ctx.has(0x104C1));
  korvu_stream_free(s);
  korvu_asn1_value_free(KORVU_TYPE_FILTER, deep);
}

// ldap-utils' requests, recorded by a listener on 127.0.0.1 that answers each with success under the matching
// response tag: search (a filter with all ten alternatives, paged results and ManageDsaIT controls), modify,
// add, modrdn with a new superior, delete, compare, whoami and password modify (extended), bind and unbind.
// Each request decodes, re-encodes byte for byte and agrees with pyasn1; the recorded stream is an --each case.
TEST(LdapClients, RequestsOfLdapUtils) {
  if (std::system("command -v ldapsearch >/dev/null 2>&1") != 0) {
    if (under_ci()) ADD_FAILURE() << "ldap-utils missing";
    GTEST_SKIP() << "ldap-utils missing";
  }
  const int ls = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t alen = sizeof addr;
  ASSERT_EQ(bind(ls, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
  ASSERT_EQ(listen(ls, 4), 0);
  ASSERT_EQ(getsockname(ls, reinterpret_cast<sockaddr *>(&addr), &alen), 0);
  std::vector<Bytes> got;
  std::atomic<bool> stop{false};
  // Reads n octets within 5 seconds each.
  auto readn = [](int fd, unsigned char *p, size_t n) {
    for (size_t k = 0; k < n;) {
      pollfd pf{fd, POLLIN, 0};
      if (poll(&pf, 1, 5000) != 1) return false;
      const ssize_t r = read(fd, p + k, n - k);
      if (r <= 0) return false;
      k += size_t(r);
    }
    return true;
  };
  std::thread server([&] {
    for (int conns = 0; conns < 20 && !stop;) {
      pollfd pl{ls, POLLIN, 0};
      if (poll(&pl, 1, 100) != 1) continue;
      const int fd = accept(ls, nullptr, nullptr);
      conns++;
      for (int msgs = 0; fd >= 0 && msgs < 50; msgs++) {
        Bytes m(2);
        if (!readn(fd, m.data(), 2) || (m[1] & 0x80 && m[1] > 0x84)) break;
        size_t len = m[1] & 0x7F, k = m[1] & 0x80 ? len : 0;
        if (k) {
          m.resize(2 + k);
          if (!readn(fd, m.data() + 2, k)) break;
          len = 0;
          for (size_t i = 0; i < k; i++) len = len << 8 | m[2 + i];
        }
        const size_t head = m.size();
        m.resize(head + len);
        if (len > 65536 || !readn(fd, m.data() + head, len)) break;
        got.push_back(m);
        const size_t idn = m[head + 1];  // 02 n ID, then the operation's identifier
        const unsigned char op = m[head + 2 + idn] & 0x1F;
        if (op == 2) break;  // unbind
        const unsigned char reply = op == 0 ? 0x61 : op == 3 ? 0x65 : op == 23 ? 0x78 : 0x60 | (op + 1);
        Bytes r = {0x30, uint8_t(idn + 11), 0x02, uint8_t(idn)};
        r.insert(r.end(), m.begin() + long(head + 2), m.begin() + long(head + 2 + idn));
        r.insert(r.end(), {reply, 0x07, 0x0A, 0x01, 0x00, 0x04, 0x00, 0x04, 0x00});
        if (write(fd, r.data(), r.size()) != ssize_t(r.size())) break;
      }
      if (fd >= 0) close(fd);
    }
  });
  const std::string tmp = ::testing::TempDir() + "korvu_ldap_", url = " -x -H ldap://127.0.0.1:" +
                                                                      std::to_string(ntohs(addr.sin_port));
  std::ofstream(tmp + "mods.ldif") << "dn: cn=a,dc=x\nchangetype: modify\nadd: mail\nmail: a@x\n-\ndelete: sn\n-\n"
                                      "replace: cn\ncn: a\ncn: b\n-\n\ndn: cn=n,dc=x\nchangetype: add\nobjectClass: "
                                      "person\ncn: n\nsn: s\n\ndn: cn=n,dc=x\nchangetype: modrdn\nnewrdn: cn=m\n"
                                      "deleteoldrdn: 1\nnewsuperior: ou=p,dc=x\n\ndn: cn=m,ou=p,dc=x\nchangetype: "
                                      "delete\n";
  for (const std::string &c : {"ldapsearch" + url + " -b dc=x -E pr=5/noprompt -M '(&(cn=a)(sn=*)(|(mail=x*y*z)"
                              "(uid>=1)(uid<=9))(!(cn~=b))(cn:dn:2.5.13.5:=c))' cn mail",
                              "ldapmodify" + url + " -f " + tmp + "mods.ldif", "ldapcompare" + url + " cn=a,dc=x cn:a",
                              "ldapwhoami" + url, "ldappasswd" + url + " -s secret cn=a,dc=x"})
    run_command("timeout 3 " + c + " >/dev/null 2>&1");
  stop = true;
  server.join();
  close(ls);
  std::set<uint32_t> kinds;
  std::vector<PeerJob> jobs;
  std::map<std::string, std::map<std::string, std::string>> ours;
  Bytes stream;
  for (const Bytes &m : got) {
    const std::string label = to_hex(m);
    ours[label] = read_back(KORVU_TYPE_LDAPMESSAGE, m, true, label);
    const auto *name = std::find(std::begin(kOpNames), std::end(kOpNames), ours[label]["/protocolOp/"]);
    kinds.insert(uint32_t(name - std::begin(kOpNames)));
    jobs.push_back({label, "peer_rfc4511.LDAPMessage", "hex:" + lower_hex(m), ""});
    stream.insert(stream.end(), m.begin(), m.end());
  }
  EXPECT_EQ(kinds, (std::set<uint32_t>{0, 2, 3, 7, 9, 11, 13, 15, 18}));
  const std::string python = pyasn1_python("pyasn1_modules.rfc2251");
  if (!python.empty())
    for (const auto &[label, peer] : run_asn1_peer(python, jobs)) {
      Dump lib;
      lib.at = ours[label];
      EXPECT_GT(compare_dumps(lib, normalised(peer), label), 0u);
    }
  std::ofstream(tmp + "stream.bin", std::ios::binary).write(reinterpret_cast<const char *>(stream.data()), long(stream.size()));
  int status = 0;
  const std::string out = run_command(KORVU_TOOL_PATH " decode --type 353 --each " + tmp + "stream.bin", &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(size_t(std::count(out.begin(), out.end(), '\n')), got.size()) << out;
}

namespace {
KORVU_ASN1_OCTETSTRING *os(const char *s) {
  return korvu_asn1_octetstring_new(s, static_cast<int32_t>(std::strlen(s)));
}
}  // namespace

// Messages built by the constructors: an operation under its APPLICATION identifier and back to its choice
// number, an ExtendedResponse equal to the one openssl asn1parse -genconf writes; a message whose choice number
// a caller spoiled neither measures nor encodes.
TEST(LdapBuild, ConstructorsWriteTheRightIdentifiers) {
  Val id(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(7));
  Val refs(KORVU_TYPE_SEARCHRESULTREFERENCE, korvu_asn1_list_new());
  korvu_asn1_list_put(refs.as<KORVU_ASN1_LIST>(), os("ldap://h/"));
  Val ref(KORVU_TYPE_LDAPMESSAGE, korvu_ldapmessage_newsearchresref(id.as<KORVU_ASN1_INTEGER>(), refs.as<KORVU_ASN1_LIST>(), nullptr));
  const Bytes der = encode(KORVU_TYPE_LDAPMESSAGE, ref.v);
  EXPECT_EQ(to_hex(der), "30 10 02 01 07 73 0B 04 09 6C 64 61 70 3A 2F 2F 68 2F");
  Val back(KORVU_TYPE_LDAPMESSAGE, decode(KORVU_TYPE_LDAPMESSAGE, der, nullptr));
  EXPECT_EQ(korvu_ldapmessage_gettype(back.as<Msg>()), 6u);
  Val unbind(KORVU_TYPE_LDAPMESSAGE, korvu_ldapmessage_newunbindrequest(id.as<KORVU_ASN1_INTEGER>(), nullptr));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_LDAPMESSAGE, unbind.v)), "30 05 02 01 07 42 00");
  // ExtendedResponse { success, "", "", responseName [10] "1.3.6.1.4.1.1466.20037" }.
  Val code(KORVU_TYPE_ENUMERATED, decode(KORVU_TYPE_ENUMERATED, hex("0A 01 00"), nullptr)), empty(KORVU_TYPE_OCTET_STRING, os(""));
  Val oid(KORVU_TYPE_OCTET_STRING, os("1.3.6.1.4.1.1466.20037"));
  auto *e = empty.as<KORVU_ASN1_OCTETSTRING>();
  Val ext(KORVU_TYPE_EXTENDEDRESPONSE, korvu_ldapextendedresponse_new(code.as<KORVU_ASN1_INTEGER>(), e, e, nullptr,
                                                                      oid.as<KORVU_ASN1_OCTETSTRING>(), nullptr));
  Val resp(KORVU_TYPE_LDAPMESSAGE, korvu_ldapmessage_newextendedresp(id.as<KORVU_ASN1_INTEGER>(), ext.as<KORVU_LDAP_EXTENDEDRESPONSE>(), nullptr));
  const std::string conf = ::testing::TempDir() + "korvu_ldap_ext.cnf";
  std::ofstream(conf) << "asn1 = SEQUENCE:msg\n[msg]\nid = INT:7\nop = IMPLICIT:24A,SEQUENCE:ext\n[ext]\ncode = ENUM:0\n"
                         "dn = OCTETSTRING:\nmsg = OCTETSTRING:\nname = IMPLICIT:10C,OCTETSTRING:1.3.6.1.4.1.1466.20037\n";
  int status = 0;
  const std::string made = run_command("openssl asn1parse -genconf " + conf + " -noout -out /dev/stdout", &status);
  if (status == 0) {
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_LDAPMESSAGE, resp.v)), to_hex(Bytes(made.begin(), made.end())));
  } else if (under_ci()) {
    ADD_FAILURE() << "openssl asn1parse -genconf failed";
  }
  // A spoiled choice number.
  for (uint32_t spoiled : {21u, 0xFFFFFFFFu}) {
    const uint32_t keep = resp.as<Msg>()->protocolOpType;
    resp.as<Msg>()->protocolOpType = spoiled;
    EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_LDAPMESSAGE, resp.v), 0xFFFFFFFEu);
    ErrCtx ctx;
    KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
    EXPECT_NE(korvu_asn1_encode(s, KORVU_TYPE_LDAPMESSAGE, resp.v, nullptr, ctx), 1);
    EXPECT_TRUE(ctx.has(0x1020A) && ctx.has(0x104F3));
    korvu_stream_free(s);
    resp.as<Msg>()->protocolOpType = keep;
  }
}

// decode --each over corpus files holding more than one message (or trailing zero octets), and --summary.
TEST(LdapCli, EachAndSummary) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string dir = corpus_dir() + "/ldap/apache-ldap-api__", tool = KORVU_TOOL_PATH " decode --type 353 ";
  int status = 0;
  std::string out = run_command(tool + "--each " + dir + "LdapDecoderTest.testDecode2Messages.bin", &status);
  EXPECT_EQ(out, "offset 0: 53 octets: ok\noffset 53: 53 octets: ok\n");
  EXPECT_EQ(status, 0);
  out = run_command(tool + "--each " + dir + "SearchRequestTest.testDecodeSearchRequestNoAttributes.bin", &status);
  EXPECT_NE(out.find(": failed: 0x"), std::string::npos) << out;
  EXPECT_NE(status, 0);
  out = run_command(tool + "--summary " + dir + "SearchRequestTest.decodeComplexFilter.bin", &status);
  EXPECT_NE(out.find("operation: searchRequest\ncontrols: none\nbase: dc=example,dc=com\nscope: 2\n"
                     "filter: (&(|(&(objectclass=groupofnames)))(owner=*))"), std::string::npos) << out;
}
