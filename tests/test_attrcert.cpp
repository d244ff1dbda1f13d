// Attribute certificates (RFC 5755) and their value types: corpus files and
// certificates built by pyasn1-modules read through the getters and compared
// with pyasn1's reading (tests/attrcert_peer.py), certificates built with the
// constructors, DEFAULT handling, malformed input and the summary.
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "summary.h"
#include "test_util.h"

using namespace korvu_test;

namespace {

// ---- pyasn1's reading ---------------------------------------------------------
struct PeerRecord {
  bool cert = false;
  std::string label;
  uint32_t type = 0;
  Bytes der;
  std::vector<std::pair<std::string, std::string>> comps;  // "c": name, hex (or "-")
  std::map<std::string, std::string> texts;                // "n" and "s": name, text
};

bool require_peer(std::string &python) {
  python = pyasn1_python("pyasn1_modules.rfc5755");
  return !python.empty();
}

std::vector<PeerRecord> run_peer(const std::string &python, const std::string &args) {
  const std::string out = run_peer_script(python, "attrcert_peer.py", args);
  std::vector<PeerRecord> records;
  std::istringstream lines(out);
  std::string line;
  PeerRecord r;
  while (std::getline(lines, line)) {
    std::istringstream w(line);
    std::string kind, a, b, c;
    w >> kind >> a;
    std::getline(w >> std::ws, b);
    if (kind == "cert") {
      r = PeerRecord{};
      r.cert = true;
      r.label = a;
      r.der = hex(b);
    } else if (kind == "value") {
      r = PeerRecord{};
      r.label = a;
      std::istringstream v(b);
      v >> r.type >> c;
      r.der = hex(c);
    } else if (kind == "c") {
      r.comps.emplace_back(a, b);
    } else if (kind == "n" || kind == "s") {
      r.texts[a] = b;
    } else if (kind == "end") {
      records.push_back(r);
    }
  }
  return records;
}

// A component read through a getter: its type and value (null when absent).
struct Comp {
  uint32_t type;
  const void *value;
};
using CertGetter = std::function<Comp(const KORVU_AC_CERT *)>;

const KORVU_AC_INFO *info(const KORVU_AC_CERT *c) { return korvu_attributecertificate_getacinfo(c); }
const KORVU_AC_HOLDER *holder(const KORVU_AC_CERT *c) { return korvu_attributecertificateinfo_getholder(info(c)); }
const KORVU_AC_V2FORM *v2(const KORVU_AC_CERT *c) {
  return korvu_attcertissuer_getv2(korvu_attributecertificateinfo_getissuer(info(c)));
}

const std::map<std::string, CertGetter> &cert_getters() {
  static const std::map<std::string, CertGetter> m = {
      {"version", [](auto c) { return Comp{KORVU_TYPE_INTEGER, korvu_attributecertificateinfo_getversion(info(c))}; }},
      {"holder.baseCertificateID",
       [](auto c) { return Comp{KORVU_TYPE_ATTCERT_ISSUERSERIAL, korvu_holder_getbasecertid(holder(c))}; }},
      {"holder.baseCertificateID.serial",
       [](auto c) {
         return Comp{KORVU_TYPE_INTEGER, korvu_acissuerserial_getserial(korvu_holder_getbasecertid(holder(c)))};
       }},
      {"holder.entityName",
       [](auto c) { return Comp{KORVU_TYPE_GENERALNAMES, korvu_holder_getbaseentityname(holder(c))}; }},
      {"holder.objectDigestInfo",
       [](auto c) { return Comp{KORVU_TYPE_OBJECTDIGESTINFO, korvu_holder_getobjectdigestinfo(holder(c))}; }},
      {"issuer.v1",
       [](auto c) {
         return Comp{KORVU_TYPE_GENERALNAMES, korvu_attcertissuer_getv1(korvu_attributecertificateinfo_getissuer(info(c)))};
       }},
      {"issuer.v2", [](auto c) { return Comp{KORVU_TYPE_V2FORM, v2(c)}; }},
      {"issuer.v2.issuerName", [](auto c) { return Comp{KORVU_TYPE_GENERALNAMES, korvu_acv2form_getissuername(v2(c))}; }},
      {"issuer.v2.baseCertificateID",
       [](auto c) { return Comp{KORVU_TYPE_ATTCERT_ISSUERSERIAL, korvu_acv2form_getbasecertid(v2(c))}; }},
      {"issuer.v2.baseCertificateID.serial",
       [](auto c) {
         return Comp{KORVU_TYPE_INTEGER, korvu_acissuerserial_getserial(korvu_acv2form_getbasecertid(v2(c)))};
       }},
      {"issuer.v2.objectDigestInfo",
       [](auto c) { return Comp{KORVU_TYPE_OBJECTDIGESTINFO, korvu_acv2form_getobjectdigestinfo(v2(c))}; }},
      {"signature",
       [](auto c) { return Comp{KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_attributecertificateinfo_getsignaturealgo(info(c))}; }},
      {"serialNumber",
       [](auto c) { return Comp{KORVU_TYPE_INTEGER, korvu_attributecertificateinfo_getserialnumber(info(c))}; }},
      {"notBefore",
       [](auto c) {
         return Comp{KORVU_TYPE_GENERALIZEDTIME,
                     korvu_attcertvalidityperiod_getnotbefore(korvu_attributecertificateinfo_getvalidity(info(c)))};
       }},
      {"notAfter",
       [](auto c) {
         return Comp{KORVU_TYPE_GENERALIZEDTIME,
                     korvu_attcertvalidityperiod_getnotafter(korvu_attributecertificateinfo_getvalidity(info(c)))};
       }},
      {"issuerUniqueID",
       [](auto c) { return Comp{KORVU_TYPE_BIT_STRING, korvu_attributecertificateinfo_getissueruniqueid(info(c))}; }},
      {"signatureAlgorithm",
       [](auto c) { return Comp{KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_attributecertificate_getsignalgo(c)}; }},
      {"signatureValue", [](auto c) { return Comp{KORVU_TYPE_BIT_STRING, korvu_attributecertificate_getsignvalue(c)}; }},
  };
  return m;
}

using ValueGetter = std::function<Comp(const void *)>;
template <class R>
const R *as(const void *v) {
  return static_cast<const R *>(v);
}
// Components of the value types, by type number and pyasn1's component name.
const std::map<uint32_t, std::map<std::string, ValueGetter>> &value_getters() {
  static const std::map<uint32_t, std::map<std::string, ValueGetter>> m = {
      {KORVU_TYPE_SVCEAUTHINFO,
       {{"service", [](auto v) { return Comp{KORVU_TYPE_GENERALNAME, korvu_ac_svceauthinfo_getservice(as<KORVU_AC_SVCEAUTHINFO>(v))}; }},
        {"ident", [](auto v) { return Comp{KORVU_TYPE_GENERALNAME, korvu_ac_svceauthinfo_getident(as<KORVU_AC_SVCEAUTHINFO>(v))}; }},
        {"authInfo", [](auto v) { return Comp{KORVU_TYPE_OCTET_STRING, korvu_ac_svceauthinfo_getauthinfo(as<KORVU_AC_SVCEAUTHINFO>(v))}; }}}},
      {KORVU_TYPE_IETFATTRSYNTAX,
       {{"policyAuthority", [](auto v) { return Comp{KORVU_TYPE_GENERALNAMES, korvu_ac_ietfattrsyntax_getpolicyauth(as<KORVU_AC_IETFATTRSYNTAX>(v))}; }},
        {"values", [](auto v) { return Comp{KORVU_TYPE_IETFATTRSYNTAX_VALUES, korvu_ac_ietfattrsyntax_getvalues(as<KORVU_AC_IETFATTRSYNTAX>(v))}; }}}},
      {KORVU_TYPE_ROLESYNTAX,
       {{"roleAuthority", [](auto v) { return Comp{KORVU_TYPE_GENERALNAMES, korvu_ac_rolesyntax_getauthority(as<KORVU_AC_ROLESYNTAX>(v))}; }},
        {"roleName", [](auto v) { return Comp{KORVU_TYPE_GENERALNAME, korvu_ac_rolesyntax_getname(as<KORVU_AC_ROLESYNTAX>(v))}; }}}},
      {KORVU_TYPE_CLEARANCE,
       {{"policyId", [](auto v) { return Comp{KORVU_TYPE_OBJECT_IDENTIFIER, korvu_ac_clearance_getpolicyid(as<KORVU_AC_CLEARANCE>(v))}; }},
        {"classList", [](auto v) { return Comp{KORVU_TYPE_BIT_STRING, korvu_ac_securitycategory_getclasslist(as<KORVU_AC_CLEARANCE>(v))}; }}}},
      {KORVU_TYPE_AACONTROLS,
       {{"pathLenConstraint", [](auto v) { return Comp{KORVU_TYPE_INTEGER, korvu_ac_aacontrols_getpathlencontraint(as<KORVU_AC_AACONTROLS>(v))}; }},
        {"permittedAttrs", [](auto v) { return Comp{KORVU_TYPE_ATTRSPEC, korvu_ac_aacontrols_getpermittedattrs(as<KORVU_AC_AACONTROLS>(v))}; }},
        {"excludedAttrs", [](auto v) { return Comp{KORVU_TYPE_ATTRSPEC, korvu_ac_aacontrols_getexcludedattrs(as<KORVU_AC_AACONTROLS>(v))}; }},
        {"permitUnSpecified", [](auto v) { return Comp{KORVU_TYPE_BOOLEAN, korvu_ac_aacontrols_getpermitunspecified(as<KORVU_AC_AACONTROLS>(v))}; }}}},
      {KORVU_TYPE_ACCLEARATTRS,
       {{"acIssuer", [](auto v) { return Comp{KORVU_TYPE_GENERALNAME, korvu_acclearattrs_getissuer(as<KORVU_AC_CLEARATTRS>(v))}; }},
        {"acSerial", [](auto v) { return Comp{KORVU_TYPE_INTEGER, korvu_acclearattrs_getserial(as<KORVU_AC_CLEARATTRS>(v))}; }},
        {"attrs", [](auto v) { return Comp{KORVU_TYPE_SEQUENCE_OF_ATTRIBUTE, korvu_acclearattrs_getattrs(as<KORVU_AC_CLEARATTRS>(v))}; }}}},
  };
  return m;
}


std::string oid_text(const KORVU_ASN1_OID *o) {
  const char *s = o ? korvu_asn1_oid_getstring(o) : nullptr;
  return s ? s : "?";
}

std::string join(const std::vector<std::string> &v) {
  std::string out;
  for (const std::string &s : v) out += (out.empty() ? "" : ",") + s;
  return out.empty() ? "none" : out;
}

// The texts pyasn1 gives ("n" and "s" lines), as the library reads them.
std::map<std::string, std::string> cert_texts(const KORVU_AC_CERT *c) {
  std::map<std::string, std::string> t;
  std::vector<std::string> h;
  if (korvu_holder_getbasecertid(holder(c))) h.push_back("baseCertificateID");
  if (korvu_holder_getbaseentityname(holder(c))) h.push_back("entityName");
  if (korvu_holder_getobjectdigestinfo(holder(c))) h.push_back("objectDigestInfo");
  t["holder"] = join(h);
  auto odi_type = [](const KORVU_AC_OBJECTDIGESTINFO *o) {
    int32_t v = -1;
    return o && korvu_asn1_enum_getlong(korvu_objectdigestinfo_gettype(o), &v) == 1 ? std::to_string(v) : "?";
  };
  t["holder.objectDigestInfo.type"] = odi_type(korvu_holder_getobjectdigestinfo(holder(c)));
  t["issuer.v2.objectDigestInfo.type"] = odi_type(korvu_acv2form_getobjectdigestinfo(v2(c)));
  t["issuer.choice"] = std::to_string(korvu_attcertissuer_gettype(korvu_attributecertificateinfo_getissuer(info(c))));
  std::vector<std::string> attrs, exts;
  for (auto *a : list_items<KORVU_X500_ATTRIBUTE>(korvu_attributecertificateinfo_getattributes(info(c))))
    attrs.push_back(oid_text(korvu_x500attribute_gettype(a)) + ":" +
                    std::to_string(korvu_asn1_list_getsize(korvu_x500attribute_getvalue(a))));
  t["attributes"] = join(attrs);
  const KORVU_ASN1_LIST *el = korvu_attributecertificateinfo_getextensions(info(c));
  for (auto *e : list_items<KORVU_X509_EXTENSION>(el)) exts.push_back(oid_text(korvu_x509extension_getid(e)));
  t["extensions"] = el ? join(exts) : "none";
  return t;
}

std::map<std::string, std::string> value_texts(uint32_t type, const void *v) {
  std::map<std::string, std::string> t;
  std::vector<std::string> kinds;
  if (type == KORVU_TYPE_IETFATTRSYNTAX) {
    for (auto *x : list_items<KORVU_AC_IETFATTRVALUE>(korvu_ac_ietfattrsyntax_getvalues(as<KORVU_AC_IETFATTRSYNTAX>(v))))
      kinds.push_back(std::to_string(korvu_ac_ietfattrsyntaxvalue_gettype(x)));
    t["kinds"] = join(kinds);
  } else if (type == KORVU_TYPE_SEQUENCE_OF_TARGETS) {
    for (auto *targets : list_items<KORVU_ASN1_LIST>(static_cast<const KORVU_ASN1_LIST *>(v)))
      for (auto *target : list_items<KORVU_AC_TARGET>(targets)) kinds.push_back(std::to_string(korvu_ac_target_gettype(target)));
    t["kinds"] = join(kinds);
  }
  return t;
}

Bytes tbs_octets(KORVU_AC_CERT *c) {
  uint32_t n = 0;
  if (korvu_attributecertificate_gettbsocts(c, nullptr, &n, nullptr) != 1) return {};
  Bytes out(n);
  EXPECT_EQ(korvu_attributecertificate_gettbsocts(c, out.data(), &n, nullptr), 1);
  return out;
}

// Values this library refuses although pyasn1's reading of the certificate
// holds them, and why.
const std::map<std::string, std::pair<uint32_t, const char *>> kRefusedValues = {
    {"attrcert/pyasn1-alt-modules__rfc4476_pem_text.der/ext/2.5.29.55",
     {0x1020A, "a Targets list where SEQUENCE OF Targets belongs"}},
    {"attrcert/tongsuo__certs_acert_ietf.pem/attr1.0/2.5.4.72",
     {0x1026A, "roleName holds a primitive [3] (x400Address is a SEQUENCE)"}},
};

// Checks one record of pyasn1's reading; returns the number of components compared.
size_t check_record(const PeerRecord &r) {
  ErrCtx ctx;
  const uint32_t type = r.cert ? KORVU_TYPE_ATTRIBUTECERTIFICATE : r.type;
  Val v(type, decode(type, r.der, ctx));
  auto refused = kRefusedValues.find(r.label);
  if (refused != kRefusedValues.end()) {
    EXPECT_EQ(v.v, nullptr) << r.label;
    EXPECT_TRUE(ctx.has(refused->second.first)) << r.label << ": " << refused->second.second << " "
                                                 << testing::PrintToString(ctx.codes());
    EXPECT_EQ(r.texts.count("peer"), 1u) << r.label << ": pyasn1 reads it now";
    return 0;
  }
  if (v.v == nullptr) {
    ADD_FAILURE() << r.label << " refused: " << testing::PrintToString(ctx.codes());
    return 0;
  }
  EXPECT_EQ(to_hex(encode(type, v.v)), to_hex(r.der)) << r.label << ": re-encoding differs";
  size_t compared = 0;
  std::map<std::string, std::string> texts;
  if (r.cert) {
    auto *c = v.as<KORVU_AC_CERT>();
    texts = cert_texts(c);
    for (const auto &[name, want] : r.comps) {
      if (name == "acinfo") {
        EXPECT_EQ(to_hex(tbs_octets(c)), to_hex(hex(want))) << r.label << ": to-be-signed octets";
        compared++;
        continue;
      }
      auto g = cert_getters().find(name);
      if (g == cert_getters().end()) continue;
      Comp got = g->second(c);
      EXPECT_EQ(got.value ? to_hex(encode(got.type, got.value)) : "-", want == "-" ? "-" : to_hex(hex(want)))
          << r.label << ": " << name;
      compared++;
    }
  } else {
    texts = value_texts(type, v.v);
    auto getters = value_getters().find(type);
    if (getters == value_getters().end() && !r.comps.empty()) {
      ADD_FAILURE() << r.label << ": no getters for type " << type;
      return compared;
    }
    for (const auto &[name, want] : r.comps) {
      auto g = getters->second.find(name);
      if (g == getters->second.end()) {
        ADD_FAILURE() << r.label << ": no getter for " << name;
        continue;
      }
      Comp got = g->second(v.v);
      EXPECT_EQ(got.value ? to_hex(encode(got.type, got.value)) : "-", want == "-" ? "-" : to_hex(hex(want)))
          << r.label << ": " << name;
      compared++;
    }
  }
  for (const auto &[name, want] : r.texts) {
    if (name == "peer") {
      ADD_FAILURE() << r.label << ": pyasn1 could not read a value the library reads";
      continue;
    }
    EXPECT_EQ(texts[name], want) << r.label << ": " << name;
    compared++;
  }
  return compared;
}

// ---- corpus ------------------------------------------------------------------
std::vector<ManifestRow> attrcert_rows() {
  std::vector<ManifestRow> rows;
  std::set<std::string> seen;
  for (ManifestRow &row : corpus_manifest())
    if (row.type.rfind("AttributeCertificate", 0) == 0 && seen.insert(row.path).second) rows.push_back(row);
  return rows;
}

// The DER of a corpus file; PEM files may carry text before the block.
Bytes corpus_der(const ManifestRow &row) {
  Bytes file = read_file(corpus_dir() + "/" + row.path);
  if (row.encoding != "pem") return file;
  std::string text(file.begin(), file.end());
  size_t b = text.find("-----BEGIN ATTRIBUTE CERTIFICATE-----");
  if (b == std::string::npos) return {};
  text = text.substr(b);
  unsigned char *der = nullptr;
  uint32_t n = 0;
  Bytes out;
  if (korvu_pemdecode("ATTRIBUTE CERTIFICATE", text.data(), static_cast<uint32_t>(text.size()), &der, &n) == 1)
    out.assign(der, der + n);
  korvu_free(der);
  return out;
}


// One TLV of a DER encoding (one-octet identifiers, definite lengths).
struct Node {
  size_t at = 0, hdr = 0, len = 0;
  size_t end() const { return at + hdr + len; }
};

bool node_at(const Bytes &b, size_t at, size_t limit, Node &n) {
  if (at + 2 > limit) return false;
  n.at = at;
  n.hdr = 2;
  n.len = b[at + 1];
  if (n.len & 0x80) {
    size_t k = n.len & 0x7F;
    if (k == 0 || k > 4 || at + 2 + k > limit) return false;
    n.len = 0;
    for (size_t i = 0; i < k; i++) n.len = n.len << 8 | b[at + 2 + i];
    n.hdr += k;
  }
  return n.end() <= limit;
}

std::vector<Node> kids(const Bytes &b, const Node &parent) {
  std::vector<Node> out;
  Node n;
  for (size_t p = parent.at + parent.hdr; p < parent.end() && node_at(b, p, parent.end(), n); p = n.end())
    out.push_back(n);
  return out;
}

// The whole encodings of the elements directly inside the outer TLV.
std::vector<Bytes> children(const Bytes &der) {
  Node top;
  std::vector<Bytes> out;
  if (!node_at(der, 0, der.size(), top)) return out;
  for (const Node &n : kids(der, top))
    out.emplace_back(der.begin() + static_cast<long>(n.at), der.begin() + static_cast<long>(n.end()));
  return out;
}

// The elements the certificate's own tables read (not those inside ANY values,
// extension values or names): the certificate's, its info's, and those of the
// holder, a v2Form issuer and the validity period. Each with whether it is the
// last inside its parent.
std::vector<std::pair<Node, bool>> structural(const Bytes &der) {
  std::vector<std::pair<Node, bool>> out;
  Node top;
  if (!node_at(der, 0, der.size(), top)) return out;
  auto add = [&](const std::vector<Node> &v) {
    for (size_t i = 0; i < v.size(); i++) out.emplace_back(v[i], i + 1 == v.size());
  };
  std::vector<Node> outer = kids(der, top);
  add(outer);
  if (outer.empty()) return out;
  std::vector<Node> info = kids(der, outer[0]);
  add(info);
  for (size_t i : {size_t{1}, size_t{2}, size_t{5}})
    if (i < info.size() && (der[info[i].at] == 0x30 || der[info[i].at] == 0xA0)) add(kids(der, info[i]));
  return out;
}

}  // namespace

TEST(AttrCert, CorpusFilesDecodeAndKeepTheirOctets) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  size_t checked = 0, v1 = 0;
  for (const ManifestRow &row : attrcert_rows()) {
    Bytes der = corpus_der(row);
    ASSERT_FALSE(der.empty()) << row.path;
    ErrCtx ctx;
    Val ac(KORVU_TYPE_ATTRIBUTECERTIFICATE, decode(KORVU_TYPE_ATTRIBUTECERTIFICATE, der, ctx));
    if (row.type != "AttributeCertificate") {
      // X.509's first form has no version: its first element is the holder's [0].
      EXPECT_EQ(ac.v, nullptr) << row.path;
      EXPECT_TRUE(ctx.has(0x1020A)) << row.path << " " << testing::PrintToString(ctx.codes());
      v1++;
      continue;
    }
    ASSERT_NE(ac.v, nullptr) << row.path << " " << testing::PrintToString(ctx.codes());
    auto *c = ac.as<KORVU_AC_CERT>();
    EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTECERTIFICATE, c), der) << row.path;
    EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_ATTRIBUTECERTIFICATE, c), der.size()) << row.path;
    // The info's octets are the first element inside the outer SEQUENCE.
    std::vector<Bytes> outer = children(der);
    ASSERT_EQ(outer.size(), 3u) << row.path;
    EXPECT_EQ(tbs_octets(c), outer[0]) << row.path;
    // A copy keeps the octets too.
    Val dup(KORVU_TYPE_ATTRIBUTECERTIFICATE, korvu_asn1_dupobject(KORVU_TYPE_ATTRIBUTECERTIFICATE, c, ctx));
    EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTECERTIFICATE, dup.v), der) << row.path;
    checked++;
  }
  EXPECT_EQ(checked, 11u);
  EXPECT_EQ(v1, 1u);
}

TEST(AttrCert, AgreesWithPyasn1Modules) {
  std::string python;
  if (!require_peer(python)) GTEST_SKIP() << "python3-pyasn1-modules missing";
  std::string corpus = have_corpus() ? corpus_dir() : "";
  std::vector<PeerRecord> records = run_peer(python, corpus);
  size_t certs = 0, values = 0, compared = 0;
  std::set<uint32_t> types;
  for (const PeerRecord &r : records) {
    compared += check_record(r);
    if (r.cert) certs++;
    else {
      values++;
      types.insert(r.type);
    }
  }
  EXPECT_EQ(certs, corpus.empty() ? 2u : 13u);
  // Every value type the built certificates carry was read.
  for (uint32_t t : {KORVU_TYPE_SVCEAUTHINFO, KORVU_TYPE_IETFATTRSYNTAX, KORVU_TYPE_ROLESYNTAX, KORVU_TYPE_CLEARANCE,
                     KORVU_TYPE_ACCLEARATTRS, KORVU_TYPE_SEQUENCE_OF_TARGETS, KORVU_TYPE_AACONTROLS})
    EXPECT_EQ(types.count(t), 1u) << t;
  std::printf("[          ] %zu certificates and %zu values, %zu components compared with pyasn1\n", certs, values,
              compared);
}

namespace {

// Keeps what a test builds until the end of the scope.
class Arena {
 public:
  Arena() = default;
  Arena(const Arena &) = delete;
  Arena &operator=(const Arena &) = delete;
  ~Arena() {
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) {
      if (it->list) korvu_asn1_list_free(static_cast<KORVU_ASN1_LIST *>(it->v), it->type);
      else korvu_asn1_value_free(it->type, it->v);
    }
  }
  template <class T>
  T *keep(uint32_t type, T *v) {
    EXPECT_NE(v, nullptr) << "building type " << type;
    held_.push_back({type, v, false});
    return v;
  }
  // A list of copies of the given elements.
  KORVU_ASN1_LIST *list(uint32_t elem_type, std::initializer_list<const void *> elems) {
    KORVU_ASN1_LIST *l = korvu_asn1_list_new();
    for (const void *e : elems) EXPECT_EQ(korvu_asn1_list_put(l, korvu_asn1_dupobject(elem_type, e, nullptr)), 1);
    held_.push_back({elem_type, l, true});
    return l;
  }
  KORVU_ASN1_OID *oid(const char *text) { return keep(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new(text)); }
  KORVU_ASN1_INTEGER *integer(int32_t v) { return keep(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(v)); }
  KORVU_X509_GENERALNAME *uri(const char *text) {
    KORVU_ASN1_STRING *s = keep(KORVU_TYPE_IA5STRING, korvu_asn1_string_new(text, static_cast<int32_t>(std::strlen(text))));
    return keep(KORVU_TYPE_GENERALNAME, korvu_x509generalname_new_uri(s));
  }
  void *decoded(uint32_t type, const std::string &hex_text) {
    ErrCtx ctx;
    void *v = decode(type, hex(hex_text), ctx);
    return keep(type, v);
  }

 private:
  struct Held {
    uint32_t type;
    void *v;
    bool list;
  };
  std::vector<Held> held_;
};

// An AttributeCertificate built with the constructors only: v2Form issuer, a
// holder with all three components, attributes of every value type and the
// target-information and AA-controls extensions.
KORVU_AC_CERT *build_certificate(Arena &a) {
  auto *names = a.list(KORVU_TYPE_GENERALNAME, {a.uri("urn:issuer")});
  Bytes uid_bytes = hex("0F0E");
  auto *uid = a.keep(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_new(0, uid_bytes.data(), 2));
  auto *base = a.keep(KORVU_TYPE_ATTCERT_ISSUERSERIAL, korvu_acissuerserial_new(names, a.integer(0x1234), uid));
  auto *sha256 = a.keep(KORVU_TYPE_ALGORITHMIDENTIFIER,
                        korvu_x509algoid_new_without_param(a.oid("2.16.840.1.101.3.4.2.1")));
  Bytes digest_bytes(32, 0xAB);
  auto *digest = a.keep(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_new(0, digest_bytes.data(), 32));
  auto *kind = a.keep(KORVU_TYPE_ENUMERATED, korvu_asn1_enum_value(2));
  auto *odi = a.keep(KORVU_TYPE_OBJECTDIGESTINFO,
                     korvu_objectdigestinfo_new(kind, a.oid("1.3.6.1.4.1.99999.1"), sha256, digest));
  auto *holder = a.keep(KORVU_TYPE_HOLDER,
                        korvu_holder_new(base, a.list(KORVU_TYPE_GENERALNAME, {a.uri("urn:holder")}), odi));
  auto *form = a.keep(KORVU_TYPE_V2FORM, korvu_acv2form_new(names, base, nullptr));
  auto *issuer = a.keep(KORVU_TYPE_ATTCERTISSUER, korvu_attcertissuer_newv2(form));
  auto *rsa = a.keep(KORVU_TYPE_ALGORITHMIDENTIFIER,
                     korvu_x509algoid_new(a.oid("1.2.840.113549.1.1.11"), KORVU_TYPE_NULL, nullptr));
  auto *nb = a.keep(KORVU_TYPE_GENERALIZEDTIME, korvu_asn1_gentime_new(2024, 1, 1, 0, 0, 0, 0));
  auto *na = a.keep(KORVU_TYPE_GENERALIZEDTIME, korvu_asn1_gentime_new(2034, 12, 31, 23, 59, 59, 0));
  auto *period = a.keep(KORVU_TYPE_ATTCERTVALIDITYPERIOD, korvu_attcertvalidityperiod_new(nb, na));

  // Attribute values.
  Bytes token = {'t', 'o', 'k'};
  auto *auth = a.keep(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(token.data(), 3));
  auto *svce = a.keep(KORVU_TYPE_SVCEAUTHINFO, korvu_ac_svceauthinfo_new(a.uri("ldap://svc"), a.uri("urn:id"), auth));
  auto *utf8 = a.keep(KORVU_TYPE_UTF8STRING, korvu_asn1_string_new("Gr\xC3\xBC\xC3\x9F" "e", 7));
  auto *ietf = a.keep(
      KORVU_TYPE_IETFATTRSYNTAX,
      korvu_ac_ietfattrsyntax_new(
          names, a.list(KORVU_TYPE_IETFATTRSYNTAX_VALUE,
                        {a.keep(KORVU_TYPE_IETFATTRSYNTAX_VALUE, korvu_ac_ietfattrsyntaxvalue_newoctets(auth)),
                         a.keep(KORVU_TYPE_IETFATTRSYNTAX_VALUE, korvu_ac_ietfattrsyntaxvalue_newoid(a.oid("1.2.3.4"))),
                         a.keep(KORVU_TYPE_IETFATTRSYNTAX_VALUE, korvu_ac_ietfattrsyntaxvalue_newutf8(utf8))})));
  auto *role = a.keep(KORVU_TYPE_ROLESYNTAX, korvu_ac_rolesyntax_new(nullptr, a.uri("urn:role:admin")));
  auto *clearance = a.keep(KORVU_TYPE_CLEARANCE, korvu_ac_clearance_new(a.oid("1.3.6.1.4.1.99999.2"), nullptr, nullptr));
  auto attribute = [&](const char *oid, uint32_t type, const void *value) {
    Val any(KORVU_TYPE_ANY, nullptr);
    Bytes der = encode(type, value);
    ErrCtx ctx;
    any.v = decode(KORVU_TYPE_ANY, der, ctx);
    return a.keep(KORVU_TYPE_ATTRIBUTE, korvu_x500attribute_new(a.oid(oid), a.list(KORVU_TYPE_ANY, {any.v})));
  };
  auto *attrs = a.list(KORVU_TYPE_ATTRIBUTE,
                       {attribute("1.3.6.1.5.5.7.10.1", KORVU_TYPE_SVCEAUTHINFO, svce),
                        attribute("1.3.6.1.5.5.7.10.4", KORVU_TYPE_IETFATTRSYNTAX, ietf),
                        attribute("2.5.4.72", KORVU_TYPE_ROLESYNTAX, role),
                        attribute("2.5.4.55", KORVU_TYPE_CLEARANCE, clearance)});

  // Extensions: targets of all three kinds, and AA controls.
  auto *tc = a.keep(KORVU_TYPE_TARGETCERT, korvu_ac_targetcert_new(base, a.uri("urn:t"), odi));
  auto *targets = a.list(KORVU_TYPE_TARGET, {a.keep(KORVU_TYPE_TARGET, korvu_ac_target_newname(a.uri("urn:name"))),
                                            a.keep(KORVU_TYPE_TARGET, korvu_ac_target_newgroup(a.uri("urn:group"))),
                                            a.keep(KORVU_TYPE_TARGET, korvu_ac_target_newcert(tc))});
  KORVU_ASN1_LIST *target_info = a.list(KORVU_TYPE_TARGETS, {targets});
  auto *no = a.keep(KORVU_TYPE_BOOLEAN, korvu_asn1_boolean_false());
  auto *aa = a.keep(KORVU_TYPE_AACONTROLS,
                    korvu_ac_aacontrols_new(a.integer(3), a.list(KORVU_TYPE_OBJECT_IDENTIFIER, {a.oid("2.5.4.72")}),
                                            nullptr, no));
  auto *yes = a.keep(KORVU_TYPE_BOOLEAN, korvu_asn1_boolean_true());
  auto *exts = a.list(
      KORVU_TYPE_EXTENSION,
      {a.keep(KORVU_TYPE_EXTENSION, korvu_x509extension_create(a.oid("2.5.29.55"), yes, KORVU_TYPE_SEQUENCE_OF_TARGETS,
                                                               target_info)),
       a.keep(KORVU_TYPE_EXTENSION,
              korvu_x509extension_create(a.oid("1.3.6.1.5.5.7.1.6"), yes, KORVU_TYPE_AACONTROLS, aa))});
  auto *acinfo = a.keep(KORVU_TYPE_ATTRIBUTECERTIFICATEINFO,
                        korvu_attributecertificateinfo_new(a.integer(1), holder, issuer, rsa, a.integer(0x7F0102), period,
                                                           attrs, nullptr, exts));
  Bytes sig_bytes(64, 0x5A);
  auto *sig = a.keep(KORVU_TYPE_BIT_STRING, korvu_asn1_bitstring_new(0, sig_bytes.data(), 64));
  return korvu_attributecertificate_new(acinfo, sig);
}

}  // namespace

TEST(AttrCert, BuiltWithConstructorsReadsBackInPyasn1) {
  Arena a;
  Val ac(KORVU_TYPE_ATTRIBUTECERTIFICATE, build_certificate(a));
  ASSERT_NE(ac.v, nullptr);
  auto *c = ac.as<KORVU_AC_CERT>();
  EXPECT_EQ(c->hasEncoded, 1u);
  Bytes der = encode(KORVU_TYPE_ATTRIBUTECERTIFICATE, c);
  // The info's octets are those inside the whole encoding, and the outer
  // signatureAlgorithm is a copy of the info's signature.
  Bytes acinfo = encode(KORVU_TYPE_ATTRIBUTECERTIFICATEINFO, korvu_attributecertificate_getacinfo(c));
  EXPECT_EQ(tbs_octets(c), acinfo);
  ASSERT_GT(der.size(), acinfo.size() + 4);
  ASSERT_EQ(children(der).size(), 3u);
  EXPECT_EQ(children(der)[0], acinfo);
  EXPECT_EQ(encode(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_attributecertificate_getsignalgo(c)),
            encode(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_attributecertificateinfo_getsignaturealgo(info(c))));
  // Without issuerUniqueID and extensions the info has exactly seven elements.
  const KORVU_AC_INFO *i = info(c);
  Val seven(KORVU_TYPE_ATTRIBUTECERTIFICATEINFO,
            korvu_attributecertificateinfo_new(i->version, i->holder, i->issuer, i->signature, i->serialNumber,
                                               i->attrCertValidityPeriod, i->attributes, nullptr, nullptr));
  ASSERT_NE(seven.v, nullptr);
  Bytes s7 = encode(KORVU_TYPE_ATTRIBUTECERTIFICATEINFO, seven.v);
  EXPECT_EQ(children(s7).size(), 7u) << to_hex(s7);
  // Missing required arguments give null.
  EXPECT_EQ(korvu_attributecertificateinfo_new(nullptr, i->holder, i->issuer, i->signature, i->serialNumber,
                                               i->attrCertValidityPeriod, i->attributes, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(korvu_attributecertificate_new(i, nullptr), nullptr);
  EXPECT_EQ(korvu_attributecertificate_new(nullptr, korvu_attributecertificate_getsignvalue(c)), nullptr);

  std::string python;
  if (!require_peer(python)) GTEST_SKIP() << "python3-pyasn1-modules missing";
  char path[] = "/tmp/korvu_ac_XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  FILE *f = fdopen(fd, "wb");
  std::fwrite(der.data(), 1, der.size(), f);
  std::fclose(f);
  std::vector<PeerRecord> records = run_peer(python, std::string("--file ") + path);
  std::remove(path);
  size_t compared = 0;
  std::set<uint32_t> types;
  for (const PeerRecord &r : records) {
    compared += check_record(r);
    if (!r.cert) types.insert(r.type);
  }
  EXPECT_EQ(records.empty() ? 0 : records[0].cert, true);
  EXPECT_EQ(types.size(), 6u);  // 283, 280, 284, 287, 289, 291
  EXPECT_GT(compared, 30u);
}

// ---- DEFAULT components and CHOICE numbers -------------------------------------

TEST(AttrCert, DefaultsAndChoices) {
  Arena a;
  // Clearance: a null class list gives { unclassified } (03 02 06 40), which is
  // not written; the same set written with trailing zero bits is left out too.
  auto *clearance = a.keep(KORVU_TYPE_CLEARANCE, korvu_ac_clearance_new(a.oid("1.2.3"), nullptr, nullptr));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_BIT_STRING, korvu_ac_securitycategory_getclasslist(clearance))), "03 02 06 40");
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_CLEARANCE, clearance)), "30 04 06 02 2A 03");
  EXPECT_EQ(korvu_ac_securitycategory_getsecuritycategories(clearance), nullptr);
  EXPECT_EQ(korvu_ac_clearance_new(nullptr, nullptr, nullptr), nullptr);
  struct {
    const char *in, *out, *class_list;
  } const clearances[] = {
      {"30 04 06 02 2A 03", "30 04 06 02 2A 03", "03 02 06 40"},                       // absent: default
      {"30 08 06 02 2A 03 03 02 04 40", "30 04 06 02 2A 03", "03 02 04 40"},           // {1} with trailing zeros
      {"30 08 06 02 2A 03 03 02 06 40", "30 04 06 02 2A 03", "03 02 06 40"},           // the default written
      {"30 08 06 02 2A 03 03 02 03 18", "30 08 06 02 2A 03 03 02 03 18", "03 02 03 18"},  // confidential, secret
      {"30 08 06 02 2A 03 03 02 05 60", "30 08 06 02 2A 03 03 02 05 60", "03 02 05 60"},  // {1, 2}
      {"30 13 06 02 2A 03 31 0D 30 0B 80 03 2A 03 04 A1 04 0C 02 4E 4F",
       "30 13 06 02 2A 03 31 0D 30 0B 80 03 2A 03 04 A1 04 0C 02 4E 4F", "03 02 06 40"},  // categories
  };
  for (const auto &c : clearances) {
    ErrCtx ctx;
    Val v(KORVU_TYPE_CLEARANCE, decode(KORVU_TYPE_CLEARANCE, hex(c.in), ctx));
    ASSERT_NE(v.v, nullptr) << c.in << " " << testing::PrintToString(ctx.codes());
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_CLEARANCE, v.v)), c.out) << c.in;
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_BIT_STRING, korvu_ac_securitycategory_getclasslist(v.as<KORVU_AC_CLEARANCE>()))),
              c.class_list)
        << c.in;
  }
  // The categories read back, and a constructor given them writes them.
  ErrCtx ctx;
  auto *cats = static_cast<KORVU_ASN1_LIST *>(
      a.decoded(KORVU_TYPE_SECURITYCATEGORIES, "31 0D 30 0B 80 03 2A 03 04 A1 04 0C 02 4E 4F"));
  ASSERT_NE(cats, nullptr);
  auto *cat = list_items<KORVU_AC_SECURITYCATEGORY>(cats).at(0);
  EXPECT_EQ(oid_text(korvu_ac_securitycategory_gettype(cat)), "1.2.3.4");
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ANY, korvu_ac_securitycategory_getvalue(cat))), "0C 02 4E 4F");
  auto *built = a.keep(KORVU_TYPE_SECURITYCATEGORY,
                       korvu_ac_securitycategory_new(korvu_ac_securitycategory_gettype(cat),
                                                     korvu_ac_securitycategory_getvalue(cat)));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_SECURITYCATEGORY, built)), "30 0B 80 03 2A 03 04 A1 04 0C 02 4E 4F");
  auto *with_cats = a.keep(KORVU_TYPE_CLEARANCE, korvu_ac_clearance_new(a.oid("1.2.3"), nullptr, cats));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_CLEARANCE, with_cats)),
            "30 13 06 02 2A 03 31 0D 30 0B 80 03 2A 03 04 A1 04 0C 02 4E 4F");

  // AAControls: permitUnSpecified TRUE when absent or null, written only when FALSE.
  auto *aa = a.keep(KORVU_TYPE_AACONTROLS, korvu_ac_aacontrols_new(nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_ac_aacontrols_getpermitunspecified(aa)), 1);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_AACONTROLS, aa)), "30 00");
  struct {
    const char *in, *out;
    int permit;
  } const controls[] = {
      {"30 00", "30 00", 1},
      {"30 03 01 01 FF", "30 00", 1},
      {"30 03 01 01 00", "30 03 01 01 00", 0},
      {"30 0F 02 01 02 A0 04 06 02 2A 03 A1 04 06 02 2A 04", "30 0F 02 01 02 A0 04 06 02 2A 03 A1 04 06 02 2A 04", 1},
  };
  for (const auto &c : controls) {
    Val v(KORVU_TYPE_AACONTROLS, decode(KORVU_TYPE_AACONTROLS, hex(c.in), ctx));
    ASSERT_NE(v.v, nullptr) << c.in;
    EXPECT_EQ(to_hex(encode(KORVU_TYPE_AACONTROLS, v.v)), c.out) << c.in;
    EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_ac_aacontrols_getpermitunspecified(v.as<KORVU_AC_AACONTROLS>())),
              c.permit)
        << c.in;
  }

  // CHOICE numbers: 1 and 2 for AttCertIssuer, 0..2 for Target and the
  // IetfAttrSyntax value; 0xFFFFFFFF (-1) for a null value; the getter of the
  // other alternative gives null.
  auto *names = a.list(KORVU_TYPE_GENERALNAME, {a.uri("urn:x")});
  auto *v1 = a.keep(KORVU_TYPE_ATTCERTISSUER, korvu_attcertissuer_newv1(names));
  auto *form = a.keep(KORVU_TYPE_V2FORM, korvu_acv2form_new(names, nullptr, nullptr));
  auto *v2i = a.keep(KORVU_TYPE_ATTCERTISSUER, korvu_attcertissuer_newv2(form));
  EXPECT_EQ(korvu_attcertissuer_gettype(v1), 1u);
  EXPECT_EQ(korvu_attcertissuer_gettype(v2i), 2u);
  EXPECT_EQ(korvu_attcertissuer_gettype(nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_attcertissuer_getv1(v2i), nullptr);
  EXPECT_EQ(korvu_attcertissuer_getv2(v1), nullptr);
  EXPECT_NE(korvu_attcertissuer_getv1(v1), nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_ATTCERTISSUER, v2i)), "A0 09 30 07 86 05 75 72 6E 3A 78");
  EXPECT_EQ(static_cast<int32_t>(korvu_ac_target_gettype(nullptr)), -1);
  EXPECT_EQ(static_cast<int32_t>(korvu_ac_ietfattrsyntaxvalue_gettype(nullptr)), -1);
  auto *group = a.keep(KORVU_TYPE_TARGET, korvu_ac_target_newgroup(a.uri("urn:g")));
  EXPECT_EQ(korvu_ac_target_gettype(group), 1u);
  EXPECT_EQ(korvu_ac_target_getname(group), nullptr);
  EXPECT_NE(korvu_ac_target_getgroup(group), nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_TARGET, group)), "A1 07 86 05 75 72 6E 3A 67");
  auto *oidv = a.keep(KORVU_TYPE_IETFATTRSYNTAX_VALUE, korvu_ac_ietfattrsyntaxvalue_newoid(a.oid("1.2.3")));
  EXPECT_EQ(korvu_ac_ietfattrsyntaxvalue_gettype(oidv), 1u);
  EXPECT_EQ(korvu_ac_ietfattrsyntaxvalue_getoctets(oidv), nullptr);
  EXPECT_EQ(korvu_ac_ietfattrsyntaxvalue_getutf8(oidv), nullptr);
  EXPECT_EQ(oid_text(korvu_ac_ietfattrsyntaxvalue_getoid(oidv)), "1.2.3");
  // Holder and V2Form write their implicit components constructed.
  auto *h = a.keep(KORVU_TYPE_HOLDER, korvu_holder_new(nullptr, names, nullptr));
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_HOLDER, h)), "30 09 A1 07 86 05 75 72 6E 3A 78");
  EXPECT_EQ(korvu_holder_getbasecertid(h), nullptr);
}

// ---- malformed input --------------------------------------------------------------

TEST(AttrCert, MalformedValuesAreRefused) {
  struct {
    uint32_t type;
    const char *in;
    uint32_t code;
    const char *why;
  } const cases[] = {
      {KORVU_TYPE_HOLDER, "30 0E A1 07 86 05 75 72 6E 3A 78 A0 03 30 01 00", 0x1020A,
       "entityName before baseCertificateID"},
      {KORVU_TYPE_HOLDER, "30 09 A3 07 86 05 75 72 6E 3A 78", 0x1020A, "a holder component under [3]"},
      {KORVU_TYPE_HOLDER, "30 09 81 07 86 05 75 72 6E 3A 78", 0x1026A, "a primitive entityName"},
      {KORVU_TYPE_ATTCERTISSUER, "A1 09 30 07 86 05 75 72 6E 3A 78", 0x1020A, "AttCertIssuer under [1]"},
      {KORVU_TYPE_TARGET, "A3 07 86 05 75 72 6E 3A 78", 0x1020A, "Target under [3]"},
      {KORVU_TYPE_TARGET, "80 07 86 05 75 72 6E 3A 78", 0x1026A, "a primitive targetName"},
      {KORVU_TYPE_AACONTROLS, "30 06 80 04 06 02 2A 03", 0x1026A, "a primitive permittedAttrs"},
      {KORVU_TYPE_AACONTROLS, "30 06 81 04 06 02 2A 03", 0x1026A, "a primitive excludedAttrs"},
      {KORVU_TYPE_AACONTROLS, "30 09 01 01 00 A1 04 06 02 2A 03", 0x1020A, "permitUnSpecified before [1]"},
      {KORVU_TYPE_AACONTROLS, "30 0C A1 04 06 02 2A 03 A0 04 06 02 2A 03", 0x1020A, "[1] before [0]"},
      {KORVU_TYPE_CLEARANCE, "30 08 80 02 2A 03 81 02 06 40", 0x1020A, "the tagged Clearance of RFC 3281"},
      {KORVU_TYPE_CLEARANCE, "30 08 06 02 2A 03 03 02 08 40", 0x10214, "a class list with 8 unused bits"},
      {KORVU_TYPE_CLEARANCE, "30 08 06 02 2A 03 03 03 06 40 00", 0x1020B, "a class list past its Clearance"},
      {KORVU_TYPE_SECURITYCATEGORY, "30 0B 80 03 2A 03 04 81 04 0C 02 4E 4F", 0x1026A,
       "a value under a primitive [1]"},
      {KORVU_TYPE_ROLESYNTAX, "30 07 81 05 75 72 6E 3A 78", 0x1026A, "roleName not wrapped"},
      {KORVU_TYPE_IETFATTRSYNTAX_VALUE, "13 01 41", 0x1020A, "a PrintableString value"},
      {KORVU_TYPE_OBJECTDIGESTINFO, "30 05 0A 01 00 05 00", 0x1020A, "no digestAlgorithm"},
      {KORVU_TYPE_ATTCERTVALIDITYPERIOD, "30 1E 17 0D 32 34 30 31 30 31 30 30 30 30 30 30 5A 17 0D 33 34 30 31 30 31 30 30 30 30 30 30 5A",
       0x1020A, "UTCTime where GeneralizedTime belongs"},
      {KORVU_TYPE_SVCEAUTHINFO, "31 0E 86 05 75 72 6E 3A 78 86 05 75 72 6E 3A 79", 0x1020A, "a SET"},
      {KORVU_TYPE_SVCEAUTHINFO, "10 0E 86 05 75 72 6E 3A 78 86 05 75 72 6E 3A 79", 0x1026A, "a primitive SEQUENCE"},
  };
  for (const auto &c : cases) {
    ErrCtx ctx;
    void *v = decode(c.type, hex(c.in), ctx);
    EXPECT_EQ(v, nullptr) << c.why;
    korvu_asn1_value_free(c.type, v);
    EXPECT_TRUE(ctx.has(c.code)) << c.why << " " << testing::PrintToString(ctx.codes());
  }
}

// Every corpus certificate cut short at every octet, with a foreign
// identifier at every TLV, and with its elements running past their parents.
TEST(AttrCert, TruncatedWrongTagsAndOverruns) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  size_t tried = 0;
  for (const ManifestRow &row : attrcert_rows()) {
    if (row.type != "AttributeCertificate") continue;
    const Bytes der = corpus_der(row);
    auto refused = [&](const Bytes &in, uint32_t code, const std::string &what) {
      ErrCtx ctx;
      void *v = decode(KORVU_TYPE_ATTRIBUTECERTIFICATE, in, ctx);
      EXPECT_EQ(v, nullptr) << row.path << ": " << what;
      korvu_asn1_value_free(KORVU_TYPE_ATTRIBUTECERTIFICATE, v);
      EXPECT_GT(ctx.count(), 0u) << row.path << ": " << what;
      if (code) {
        EXPECT_TRUE(ctx.has(code)) << row.path << ": " << what << " " << testing::PrintToString(ctx.codes());
      }
      tried++;
    };
    for (size_t n = 0; n < der.size(); n++) refused(Bytes(der.begin(), der.begin() + static_cast<long>(n)), 0,
                                                    "cut at " + std::to_string(n));
    for (const auto &[n, last] : structural(der)) {
      // A private-class identifier of the same form, which no component takes.
      Bytes bad = der;
      bad[n.at] = static_cast<unsigned char>(0xDE | (der[n.at] & 0x20));
      refused(bad, 0, "foreign identifier at " + std::to_string(n.at));
      // The last element of its parent claiming one octet more than the parent holds.
      if (last && n.hdr == 2 && n.len < 0x7F) {
        Bytes over = der;
        over[n.at + 1] = static_cast<unsigned char>(n.len + 1);
        refused(over, 0x1020B, "element at " + std::to_string(n.at) + " past its parent");
      }
    }
    // Contents left over inside the outer SEQUENCE, and a primitive info.
    std::vector<Bytes> outer = children(der);
    ASSERT_EQ(outer.size(), 3u);
    Bytes body;
    for (const Bytes &e : outer) body.insert(body.end(), e.begin(), e.end());
    Bytes extra = body;
    extra.push_back(0x05);
    extra.push_back(0x00);
    refused(der_tlv(0x30, extra), 0x1020B, "an element after signatureValue");
    Bytes prim = der;
    prim[der.size() - body.size()] = 0x10;
    refused(prim, 0x1026A, "a primitive AttributeCertificateInfo");
  }
  EXPECT_GT(tried, 1000u);
}

TEST(AttrCert, Summary) {
  Arena a;
  Val ac(KORVU_TYPE_ATTRIBUTECERTIFICATE, build_certificate(a));
  ASSERT_NE(ac.v, nullptr);
  std::FILE *f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(korvu::tool::print_attrcert_summary(ac.v, f), 1);
  EXPECT_EQ(korvu::tool::print_attrcert_summary(nullptr, f), 0);
  std::rewind(f);
  std::string text;
  char buf[512];
  while (std::fgets(buf, sizeof buf, f)) text += buf;
  std::fclose(f);
  EXPECT_EQ(text,
            "version: 1\n"
            "holder: baseCertificateID, entityName, objectDigestInfo\n"
            "holder serial: 1234\n"
            "holder objectDigestInfo: otherObjectTypes\n"
            "issuer: v2Form\n"
            "issuer name: URI:urn:issuer\n"
            "serial: 7F0102\n"
            "notBefore: 20240101000000Z\n"
            "notAfter: 20341231235959Z\n"
            "attributes: 1.3.6.1.5.5.7.10.1, 1.3.6.1.5.5.7.10.4, 2.5.4.72, 2.5.4.55\n"
            "extensions: 2.5.29.55, 1.3.6.1.5.5.7.1.6\n");
}
