// Attribute certificates (RFC 5755) and their value types: corpus files and
// certificates written by pyasn1-modules read through the getters and compared
// with pyasn1's reading (tests/asn1_peer.py), certificates built with the
// constructors, DEFAULT handling, malformed input and the summary.
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <fstream>

#include "vectors.h"
#include "dump.h"
#include "input.h"
#include "summary.h"

using namespace korvu_test;

namespace {

// ---- pyasn1's reading -----------------------------------------------------------
// The value types of RFC 5755 by attribute or extension OID: the library's type, pyasn1-modules' type.
const std::map<std::string, std::pair<uint32_t, const char *>> kValueTypes = {
    {"1.3.6.1.5.5.7.10.1", {KORVU_TYPE_SVCEAUTHINFO, "rfc5755.SvceAuthInfo"}},
    {"1.3.6.1.5.5.7.10.2", {KORVU_TYPE_SVCEAUTHINFO, "rfc5755.SvceAuthInfo"}},
    {"1.3.6.1.5.5.7.10.3", {KORVU_TYPE_IETFATTRSYNTAX, "rfc5755.IetfAttrSyntax"}},
    {"1.3.6.1.5.5.7.10.4", {KORVU_TYPE_IETFATTRSYNTAX, "rfc5755.IetfAttrSyntax"}},
    {"2.5.4.72", {KORVU_TYPE_ROLESYNTAX, "rfc5755.RoleSyntax"}},
    {"2.5.4.55", {KORVU_TYPE_CLEARANCE, "rfc5755.Clearance"}},
    {"2.5.29.55", {KORVU_TYPE_SEQUENCE_OF_TARGETS, "local.TargetInformation"}},
    {"1.3.6.1.5.5.7.1.6", {KORVU_TYPE_AACONTROLS, "rfc5755.AAControls"}},
    {"1.3.6.1.4.1.99999.3", {KORVU_TYPE_ACCLEARATTRS, "rfc5755.ACClearAttrs"}},  // in the built certificates
};

// pyasn1's reading of attribute certificates, their values under ".../values/K~" and ".../extnValue~".
std::map<std::string, PeerDump> run_peer(const std::string &python, const std::vector<std::string> &files) {
  std::vector<PeerJob> jobs;
  for (const std::string &f : files) jobs.push_back({f, "rfc5755.AttributeCertificate", f, ""});
  std::vector<std::string> open;
  for (const auto &[oid, t] : kValueTypes) open.push_back(oid + "\t" + t.second);
  return run_asn1_peer(python, jobs, open);
}

template <class R>
const R *as(const void *v) {
  return static_cast<const R *>(v);
}

const KORVU_AC_INFO *info(const KORVU_AC_CERT *c) { return korvu_attributecertificate_getacinfo(c); }

void issuer_serial(LibDump &o, const std::string &p, const KORVU_AC_ISSUERSERIAL *v) {
  o.der(p, KORVU_TYPE_ATTCERT_ISSUERSERIAL, v);
  if (v) o.der(p + "/serial", KORVU_TYPE_INTEGER, korvu_acissuerserial_getserial(v));
}

void digest_info(LibDump &o, const std::string &p, const KORVU_AC_OBJECTDIGESTINFO *v) {
  o.der(p, KORVU_TYPE_OBJECTDIGESTINFO, v);
  if (v) o.der(p + "/digestedObjectType", KORVU_TYPE_ENUMERATED, korvu_objectdigestinfo_gettype(v));
}

LibDump cert_dump(const KORVU_AC_CERT *c) {
  LibDump o;
  const KORVU_AC_INFO *i = info(c);
  const KORVU_AC_HOLDER *h = korvu_attributecertificateinfo_getholder(i);
  const KORVU_AC_ATTCERTISSUER *is = korvu_attributecertificateinfo_getissuer(i);
  const KORVU_AC_V2FORM *v2 = korvu_attcertissuer_getv2(is);
  o.der("/acinfo/version", KORVU_TYPE_INTEGER, korvu_attributecertificateinfo_getversion(i));
  issuer_serial(o, "/acinfo/holder/baseCertificateID", korvu_holder_getbasecertid(h));
  o.der("/acinfo/holder/entityName", KORVU_TYPE_GENERALNAMES, korvu_holder_getbaseentityname(h));
  digest_info(o, "/acinfo/holder/objectDigestInfo", korvu_holder_getobjectdigestinfo(h));
  o.der("/acinfo/issuer/v1Form", KORVU_TYPE_GENERALNAMES, korvu_attcertissuer_getv1(is));
  o.der("/acinfo/issuer/v2Form", KORVU_TYPE_V2FORM, v2);
  if (v2) {
    o.der("/acinfo/issuer/v2Form/issuerName", KORVU_TYPE_GENERALNAMES, korvu_acv2form_getissuername(v2));
    issuer_serial(o, "/acinfo/issuer/v2Form/baseCertificateID", korvu_acv2form_getbasecertid(v2));
    digest_info(o, "/acinfo/issuer/v2Form/objectDigestInfo", korvu_acv2form_getobjectdigestinfo(v2));
  }
  o.der("/acinfo/signature", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_attributecertificateinfo_getsignaturealgo(i));
  o.der("/acinfo/serialNumber", KORVU_TYPE_INTEGER, korvu_attributecertificateinfo_getserialnumber(i));
  const KORVU_AC_VALIDITYPERIOD *period = korvu_attributecertificateinfo_getvalidity(i);
  o.der("/acinfo/attrCertValidityPeriod/notBeforeTime", KORVU_TYPE_GENERALIZEDTIME,
        korvu_attcertvalidityperiod_getnotbefore(period));
  o.der("/acinfo/attrCertValidityPeriod/notAfterTime", KORVU_TYPE_GENERALIZEDTIME,
        korvu_attcertvalidityperiod_getnotafter(period));
  o.list<KORVU_X500_ATTRIBUTE>("/acinfo/attributes", korvu_attributecertificateinfo_getattributes(i),
                               [&](auto &p, auto *a) {
                                 o.der(p + "/type", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_x500attribute_gettype(a));
                                 o.list_der(p + "/values", KORVU_TYPE_ANY, korvu_x500attribute_getvalue(a));
                               });
  o.der("/acinfo/issuerUniqueID", KORVU_TYPE_BIT_STRING, korvu_attributecertificateinfo_getissueruniqueid(i));
  o.list_der("/acinfo/extensions", KORVU_TYPE_EXTENSION, korvu_attributecertificateinfo_getextensions(i));
  o.der("/signatureAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_attributecertificate_getsignalgo(c));
  o.der("/signatureValue", KORVU_TYPE_BIT_STRING, korvu_attributecertificate_getsignvalue(c));
  return o;
}

// A value of one of kValueTypes read through its getters.
LibDump value_dump(uint32_t type, const void *v) {
  LibDump o;
  switch (type) {
    case KORVU_TYPE_SVCEAUTHINFO:
      o.der("/service", KORVU_TYPE_GENERALNAME, korvu_ac_svceauthinfo_getservice(as<KORVU_AC_SVCEAUTHINFO>(v)));
      o.der("/ident", KORVU_TYPE_GENERALNAME, korvu_ac_svceauthinfo_getident(as<KORVU_AC_SVCEAUTHINFO>(v)));
      o.der("/authInfo", KORVU_TYPE_OCTET_STRING, korvu_ac_svceauthinfo_getauthinfo(as<KORVU_AC_SVCEAUTHINFO>(v)));
      break;
    case KORVU_TYPE_IETFATTRSYNTAX: {
      auto *s = as<KORVU_AC_IETFATTRSYNTAX>(v);
      o.der("/policyAuthority", KORVU_TYPE_GENERALNAMES, korvu_ac_ietfattrsyntax_getpolicyauth(s));
      o.list<KORVU_AC_IETFATTRVALUE>("/values", korvu_ac_ietfattrsyntax_getvalues(s), [&](auto &p, auto *x) {
        static const char *const kinds[] = {"/octets", "/oid", "/string"};
        o.der(p + kinds[korvu_ac_ietfattrsyntaxvalue_gettype(x) % 3], KORVU_TYPE_IETFATTRSYNTAX_VALUE, x);
      });
      break;
    }
    case KORVU_TYPE_ROLESYNTAX:
      o.der("/roleAuthority", KORVU_TYPE_GENERALNAMES, korvu_ac_rolesyntax_getauthority(as<KORVU_AC_ROLESYNTAX>(v)));
      o.der("/roleName", KORVU_TYPE_GENERALNAME, korvu_ac_rolesyntax_getname(as<KORVU_AC_ROLESYNTAX>(v)));
      break;
    case KORVU_TYPE_CLEARANCE:
      o.der("/policyId", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_ac_clearance_getpolicyid(as<KORVU_AC_CLEARANCE>(v)));
      o.der("/classList", KORVU_TYPE_BIT_STRING, korvu_ac_securitycategory_getclasslist(as<KORVU_AC_CLEARANCE>(v)));
      break;
    case KORVU_TYPE_SEQUENCE_OF_TARGETS:
      o.list<KORVU_ASN1_LIST>("", as<KORVU_ASN1_LIST>(v), [&](auto &p, auto *targets) {
        o.list<KORVU_AC_TARGET>(p, targets, [&](auto &q, auto *t) {
          o.der(q + "/targetName", KORVU_TYPE_GENERALNAME, korvu_ac_target_getname(t));
          o.der(q + "/targetGroup", KORVU_TYPE_GENERALNAME, korvu_ac_target_getgroup(t));
          o.der(q + "/targetCert", KORVU_TYPE_TARGETCERT, korvu_ac_target_getcert(t));
        });
      });
      break;
    case KORVU_TYPE_AACONTROLS: {
      auto *a = as<KORVU_AC_AACONTROLS>(v);
      o.der("/pathLenConstraint", KORVU_TYPE_INTEGER, korvu_ac_aacontrols_getpathlencontraint(a));
      o.der("/permittedAttrs", KORVU_TYPE_ATTRSPEC, korvu_ac_aacontrols_getpermittedattrs(a));
      o.der("/excludedAttrs", KORVU_TYPE_ATTRSPEC, korvu_ac_aacontrols_getexcludedattrs(a));
      o.der("/permitUnSpecified", KORVU_TYPE_BOOLEAN, korvu_ac_aacontrols_getpermitunspecified(a));
      break;
    }
    default:
      o.der("/acIssuer", KORVU_TYPE_GENERALNAME, korvu_acclearattrs_getissuer(as<KORVU_AC_CLEARATTRS>(v)));
      o.der("/acSerial", KORVU_TYPE_INTEGER, korvu_acclearattrs_getserial(as<KORVU_AC_CLEARATTRS>(v)));
      o.der("/attrs", KORVU_TYPE_SEQUENCE_OF_ATTRIBUTE, korvu_acclearattrs_getattrs(as<KORVU_AC_CLEARATTRS>(v)));
  }
  return o;
}

std::string oid_text(const KORVU_ASN1_OID *o) {
  const char *s = o ? korvu_asn1_oid_getstring(o) : nullptr;
  return s ? s : "?";
}

Bytes tbs_octets(KORVU_AC_CERT *c) { return tbs_octets_of(korvu_attributecertificate_gettbsocts, c); }

// Values this library refuses although pyasn1's reading of the certificate
// holds them, and why: label, the value's path.
const std::map<std::pair<std::string, std::string>, std::pair<uint32_t, const char *>> kRefusedValues = {
    {{"attrcert/pyasn1-alt-modules__rfc4476_pem_text.der", "/acinfo/extensions/2/extnValue~"},
     {0x1020A, "a Targets list where SEQUENCE OF Targets belongs"}},
    {{"attrcert/tongsuo__certs_acert_ietf.pem", "/acinfo/attributes/1/values/0~"},
     {0x1026A, "roleName holds a primitive [3] (x400Address is a SEQUENCE)"}},
};

// Compares one certificate and the values of known types inside it with pyasn1's reading; returns the number
// of components compared and adds the value types met to `types`.
size_t check_certificate(const std::string &label, const PeerDump &p, std::set<uint32_t> &types) {
  EXPECT_EQ(p.error, "") << label;
  ErrCtx ctx;
  Val v(KORVU_TYPE_ATTRIBUTECERTIFICATE, decode(KORVU_TYPE_ATTRIBUTECERTIFICATE, p.in, ctx));
  if (v.v == nullptr) {
    ADD_FAILURE() << label << " refused: " << testing::PrintToString(ctx.codes());
    return 0;
  }
  auto *c = v.as<KORVU_AC_CERT>();
  EXPECT_EQ(lower_hex(encode(KORVU_TYPE_ATTRIBUTECERTIFICATE, c)), lower_hex(p.in)) << label << ": re-encoding";
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_ATTRIBUTECERTIFICATE, c), p.in.size()) << label;
  EXPECT_EQ(lower_hex(tbs_octets(c)), p.get("/acinfo")) << label << ": to-be-signed octets";
  // A copy keeps the octets too.
  Val dup(KORVU_TYPE_ATTRIBUTECERTIFICATE, korvu_asn1_dupobject(KORVU_TYPE_ATTRIBUTECERTIFICATE, c, ctx));
  EXPECT_EQ(lower_hex(encode(KORVU_TYPE_ATTRIBUTECERTIFICATE, dup.v)), lower_hex(p.in)) << label << ": copy";
  size_t compared = compare_dumps(cert_dump(c), p, label);
  // Every value pyasn1 read by its OID ("...~"), through the library's type.
  for (const auto &[path, want] : p.at) {
    if (path.empty() || path.back() != '~') continue;
    auto known = kValueTypes.find(p.get(path + "oid"));
    if (known == kValueTypes.end()) {
      ADD_FAILURE() << label << " " << path << ": no type";
      continue;
    }
    const uint32_t type = known->second.first;
    const bool ext = path.find("/extnValue~") != std::string::npos;
    Bytes der = hex(p.get(path.substr(0, path.size() - 1)));
    if (ext) {  // the OCTET STRING's contents
      DerNode n;
      EXPECT_TRUE(der_node(der, 0, der.size(), n)) << label << path;
      der.erase(der.begin(), der.begin() + static_cast<long>(n.hdr));
    }
    ErrCtx vctx;
    Val value(type, decode(type, der, vctx));
    auto refused = kRefusedValues.find({label, path});
    if (refused != kRefusedValues.end()) {
      EXPECT_EQ(value.v, nullptr) << label << path;
      EXPECT_TRUE(vctx.has(refused->second.first)) << label << path << ": " << refused->second.second;
      EXPECT_EQ(want[0], '!') << label << path << ": pyasn1 reads it now";
      continue;
    }
    EXPECT_NE(want[0], '!') << label << path << ": pyasn1 could not read a value the library reads";
    if (value.v == nullptr) {
      ADD_FAILURE() << label << path << " refused: " << testing::PrintToString(vctx.codes());
      continue;
    }
    EXPECT_EQ(lower_hex(encode(type, value.v)), lower_hex(der)) << label << path << ": re-encoding";
    compared += compare_dumps(value_dump(type, value.v), p, label, path);
    types.insert(type);
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

// The DER of a corpus file, read as korvu-asn1 reads its input (PEM files may carry text before the block).
Bytes corpus_der(const ManifestRow &row) {
  korvu::tool::LoadedInput in;
  std::string error;
  return korvu::tool::load_input(read_file(corpus_dir() + "/" + row.path), in, error) ? in.bytes : Bytes{};
}


// The elements the certificate's own tables read (not those inside ANY values,
// extension values or names): the certificate's, its info's, and those of the
// holder, a v2Form issuer and the validity period. Each with whether it is the
// last inside its parent.
std::vector<std::pair<DerNode, bool>> structural(const Bytes &der) {
  std::vector<std::pair<DerNode, bool>> out;
  DerNode top;
  if (!der_node(der, 0, der.size(), top)) return out;
  auto add = [&](const std::vector<DerNode> &v) {
    for (size_t i = 0; i < v.size(); i++) out.emplace_back(v[i], i + 1 == v.size());
  };
  std::vector<DerNode> outer = der_kids(der, top);
  add(outer);
  if (outer.empty()) return out;
  std::vector<DerNode> info = der_kids(der, outer[0]);
  add(info);
  for (size_t i : {size_t{1}, size_t{2}, size_t{5}})
    if (i < info.size() && (der[info[i].at] == 0x30 || der[info[i].at] == 0xA0)) add(der_kids(der, info[i]));
  return out;
}

}  // namespace

// Every corpus certificate and two certificates written by pyasn1-modules with every value type of RFC 5755
// (tests/data/attrcert_built*.der), read by both; the one of X.509's first form (no version: its first element is
// the holder's [0]) is refused.
TEST(AttrCert, AgreesWithPyasn1Modules) {
  const std::string python = pyasn1_python("pyasn1_modules.rfc5755");
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  std::map<std::string, std::string> files;  // path -> label
  for (int i = 0; i < 2; i++)
    files[KORVU_SOURCE_DIR "/tests/data/attrcert_built" + std::to_string(i) + ".der"] = "built" + std::to_string(i);
  size_t v1 = 0;
  for (const ManifestRow &row : have_corpus() ? attrcert_rows() : std::vector<ManifestRow>{}) {
    if (row.type == "AttributeCertificate") {
      EXPECT_EQ(row.expect, "valid") << row.path;
      files[corpus_dir() + "/" + row.path] = row.path;
      continue;
    }
    ErrCtx ctx;
    Val ac(KORVU_TYPE_ATTRIBUTECERTIFICATE, decode(KORVU_TYPE_ATTRIBUTECERTIFICATE, corpus_der(row), ctx));
    EXPECT_EQ(ac.v, nullptr) << row.path;
    EXPECT_TRUE(ctx.has(0x1020A)) << row.path << " " << testing::PrintToString(ctx.codes());
    v1++;
  }
  EXPECT_EQ(v1, have_corpus() ? 1u : 0u);
  std::vector<std::string> paths;
  for (const auto &f : files) paths.push_back(f.first);
  size_t certs = 0, compared = 0;
  std::set<uint32_t> types;
  for (const auto &[path, dump] : run_peer(python, paths)) {
    compared += check_certificate(files.at(path), dump, types);
    certs++;
  }
  EXPECT_EQ(certs, have_corpus() ? 13u : 2u);
  // Every value type the built certificates carry was read.
  for (uint32_t t : {KORVU_TYPE_SVCEAUTHINFO, KORVU_TYPE_IETFATTRSYNTAX, KORVU_TYPE_ROLESYNTAX, KORVU_TYPE_CLEARANCE,
                     KORVU_TYPE_ACCLEARATTRS, KORVU_TYPE_SEQUENCE_OF_TARGETS, KORVU_TYPE_AACONTROLS})
    EXPECT_EQ(types.count(t), 1u) << t;
  std::printf("[          ] %zu certificates, %zu components compared with pyasn1\n", certs, compared);
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
  ASSERT_EQ(der_elements(der).size(), 3u);
  EXPECT_EQ(der_elements(der)[0], acinfo);
  EXPECT_EQ(encode(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_attributecertificate_getsignalgo(c)),
            encode(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_attributecertificateinfo_getsignaturealgo(info(c))));
  // Without issuerUniqueID and extensions the info has exactly seven elements.
  const KORVU_AC_INFO *i = info(c);
  Val seven(KORVU_TYPE_ATTRIBUTECERTIFICATEINFO,
            korvu_attributecertificateinfo_new(i->version, i->holder, i->issuer, i->signature, i->serialNumber,
                                               i->attrCertValidityPeriod, i->attributes, nullptr, nullptr));
  ASSERT_NE(seven.v, nullptr);
  Bytes s7 = encode(KORVU_TYPE_ATTRIBUTECERTIFICATEINFO, seven.v);
  EXPECT_EQ(der_elements(s7).size(), 7u) << to_hex(s7);
  // Missing required arguments give null.
  EXPECT_EQ(korvu_attributecertificateinfo_new(nullptr, i->holder, i->issuer, i->signature, i->serialNumber,
                                               i->attrCertValidityPeriod, i->attributes, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(korvu_attributecertificate_new(i, nullptr), nullptr);
  EXPECT_EQ(korvu_attributecertificate_new(nullptr, korvu_attributecertificate_getsignvalue(c)), nullptr);

  const std::string python = pyasn1_python("pyasn1_modules.rfc5755");
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  const std::string path = ::testing::TempDir() + "/korvu_ac_built" + std::to_string(getpid()) + ".der";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(der.data()), static_cast<long>(der.size()));
  auto peer = run_peer(python, {path});
  std::remove(path.c_str());
  ASSERT_EQ(peer.size(), 1u);
  std::set<uint32_t> types;
  EXPECT_GT(check_certificate("built", peer.begin()->second, types), 30u);
  EXPECT_EQ(types.size(), 6u);  // all but ACClearAttrs
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

  // CHOICE numbers: 1 and 2 for AttCertIssuer, 0..2 for Target and the IetfAttrSyntax value (the built
  // certificate's are compared with pyasn1); 0xFFFFFFFF (-1) for a null value.
  auto *names = a.list(KORVU_TYPE_GENERALNAME, {a.uri("urn:x")});
  auto *v1 = a.keep(KORVU_TYPE_ATTCERTISSUER, korvu_attcertissuer_newv1(names));
  EXPECT_EQ(korvu_attcertissuer_gettype(v1), 1u);
  EXPECT_EQ(korvu_attcertissuer_getv2(v1), nullptr);
  auto *form = a.keep(KORVU_TYPE_V2FORM, korvu_acv2form_new(names, nullptr, nullptr));
  EXPECT_EQ(korvu_attcertissuer_gettype(a.keep(KORVU_TYPE_ATTCERTISSUER, korvu_attcertissuer_newv2(form))), 2u);
  EXPECT_EQ(korvu_ac_target_gettype(a.keep(KORVU_TYPE_TARGET, korvu_ac_target_newgroup(a.uri("urn:g")))), 1u);
  EXPECT_EQ(korvu_attcertissuer_gettype(nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(static_cast<int32_t>(korvu_ac_target_gettype(nullptr)), -1);
  EXPECT_EQ(static_cast<int32_t>(korvu_ac_ietfattrsyntaxvalue_gettype(nullptr)), -1);
  auto *oidv = a.keep(KORVU_TYPE_IETFATTRSYNTAX_VALUE, korvu_ac_ietfattrsyntaxvalue_newoid(a.oid("1.2.3")));
  EXPECT_EQ(korvu_ac_ietfattrsyntaxvalue_gettype(oidv), 1u);
  EXPECT_EQ(korvu_ac_ietfattrsyntaxvalue_getoctets(oidv), nullptr);
  EXPECT_EQ(korvu_ac_ietfattrsyntaxvalue_getutf8(oidv), nullptr);
  EXPECT_EQ(oid_text(korvu_ac_ietfattrsyntaxvalue_getoid(oidv)), "1.2.3");
}

// ---- malformed input --------------------------------------------------------------

// Hex vectors (tests/data/attrcert_vectors.txt): components out of order or under foreign tags, primitive where
// constructed belongs, RFC 3281's tagged Clearance, overruns; each with its code, nothing handed out.
TEST(AttrCert, MalformedValuesAreRefused) { run_hex_vectors("attrcert_vectors.txt", 0, 20); }

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
    std::vector<Bytes> outer = der_elements(der);
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
  // 2.5.4.55 (clearance) has a name only in dumpasn1's table, when installed.
  const char *clearance = korvu::tool::oid_name("2.5.4.55");
  EXPECT_EQ(text,
            "version: v2\n"
            "holder: baseCertificateID, entityName, objectDigestInfo\n"
            "holder serial: 1234\n"
            "holder objectDigestInfo: otherObjectTypes\n"
            "issuer: v2Form\n"
            "issuer name: URI:urn:issuer\n"
            "serial: 7F0102\n"
            "notBefore: 2024-01-01T00:00:00Z\n"
            "notAfter: 2034-12-31T23:59:59Z\n"
            "attributes: authenticationInfo (1.3.6.1.5.5.7.10.1), group (1.3.6.1.5.5.7.10.4), role (2.5.4.72), " +
                (clearance != nullptr ? std::string(clearance) + " (2.5.4.55)" : std::string("2.5.4.55")) +
                "\n"
                "extensions: targetInformation (2.5.29.55), aaControls (1.3.6.1.5.5.7.1.6)\n");
}
