// Extension value types: every such extension of the corpus certificates and
// CRLs, and of CRLs and requests made by openssl, decoded, re-encoded and read
// through the getters against pyasn1's reading (tests/asn1_peer.py);
// values without public data written by `openssl asn1parse -genconf` and by
// the constructors; DEFAULT handling, constructor rules and malformed input.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>

#include "vectors.h"

using namespace korvu_test;

namespace {

// ---- pyasn1's reading ---------------------------------------------------------
bool require(bool have, const char *what) {
  if (!have && under_ci()) ADD_FAILURE() << what << " missing";
  return have;
}

// Extension values (and the UserNotice and SemanticsInformation values inside them) by OID: the library's
// type and pyasn1's.
const std::map<std::string, std::pair<uint32_t, const char *>> kValueTypes = {
    {"2.5.29.35", {KORVU_TYPE_AUTHORITYKEYIDENTIFIER, "rfc5280.AuthorityKeyIdentifier"}},
    {"2.5.29.37", {KORVU_TYPE_SEQUENCE_OF_OBJECT_IDENTIFIER, "rfc5280.ExtKeyUsageSyntax"}},
    {"2.5.29.16", {KORVU_TYPE_PRIVATEKEYUSAGEPERIOD, "rfc5280.PrivateKeyUsagePeriod"}},
    {"2.5.29.32", {KORVU_TYPE_CERTIFICATEPOLICIES, "rfc5280.CertificatePolicies"}},
    {"2.5.29.33", {KORVU_TYPE_POLICYMAPPINGS, "rfc5280.PolicyMappings"}},
    {"2.5.29.9", {KORVU_TYPE_SUBJECTDIRECTORYATTRIBUTES, "rfc5280.SubjectDirectoryAttributes"}},
    {"2.5.29.19", {KORVU_TYPE_BASICCONSTRAINTS, "rfc5280.BasicConstraints"}},
    {"2.5.29.30", {KORVU_TYPE_NAMECONSTRAINTS_PKIX, "rfc5280.NameConstraints"}},
    {"2.5.29.36", {KORVU_TYPE_POLICYCONSTRAINTS, "rfc5280.PolicyConstraints"}},
    {"2.5.29.31", {KORVU_TYPE_CRLDISTRIBUTIONPOINTS, "rfc5280.CRLDistributionPoints"}},
    {"2.5.29.46", {KORVU_TYPE_CRLDISTRIBUTIONPOINTS, "rfc5280.FreshestCRL"}},
    {"1.3.6.1.5.5.7.1.1", {KORVU_TYPE_AUTHORITYINFOACCESS, "rfc5280.AuthorityInfoAccessSyntax"}},
    {"1.3.6.1.5.5.7.1.11", {KORVU_TYPE_AUTHORITYINFOACCESS, "rfc5280.SubjectInfoAccessSyntax"}},
    {"2.5.29.28", {KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT, "rfc5280.IssuingDistributionPoint"}},
    {"1.3.6.1.5.5.7.1.3", {KORVU_TYPE_QCSTATEMENTS, "local.QCStatements"}},
    {"1.3.6.1.5.5.7.2.2", {KORVU_TYPE_USERNOTICE, "rfc5280.UserNotice"}},
    {"1.3.6.1.5.5.7.11.1", {KORVU_TYPE_SEMANTICSINFORMATION, "local.SemanticsInformation"}},
    {"1.3.6.1.5.5.7.11.2", {KORVU_TYPE_SEMANTICSINFORMATION, "local.SemanticsInformation"}},
};

// One value pyasn1 found, keyed "FILE[BLOCK]#EXTENSION/OID", with "/I/J" for one inside another.
struct PeerValue {
  std::string label, path;
  uint32_t type = 0;
  Bytes der;
  const PeerDump *dump = nullptr;
  bool unreadable = false;
};

// Runs the dumper over `jobs` (label "NAME[BLOCK]") and lists every value of a known type it read.
std::vector<PeerValue> peer_values(const std::vector<PeerJob> &jobs, std::map<std::string, PeerDump> &dumps) {
  std::vector<std::string> open = {"1.2.840.113549.1.9.14\trfc5280.Extensions"};  // a request's extensions
  for (const auto &[oid, t] : kValueTypes) open.push_back(oid + "\t" + t.second);
  dumps = run_asn1_peer(pyasn1_python("pyasn1_modules.rfc5280"), jobs, open);
  std::vector<PeerValue> values;
  for (const auto &[label, d] : dumps) {  // those pyasn1 refuses (a PEM key block, ...) have no values
    for (const auto &[path, text] : d.at) {
      if (path.empty() || path.back() != '~') continue;
      auto t = kValueTypes.find(d.get(path + "oid"));
      if (t == kValueTypes.end()) continue;  // a request's extensionRequest
      PeerValue v{label, path, t->second.first, hex(d.get(path.substr(0, path.size() - 1))), &d, text[0] == '!'};
      if (v.der.size() > 1 && v.der[0] == 0x04) {  // an extension's OCTET STRING: its contents
        DerNode n;
        if (der_node(v.der, 0, v.der.size(), n)) v.der.erase(v.der.begin(), v.der.begin() + static_cast<long>(n.hdr));
      }
      // The label: the extension's index and OID, then the indexes inside it.
      const size_t ext = path.find("/extnValue~");
      const std::string where = path.substr(0, ext);
      v.label += "#" + where.substr(where.rfind('/') + 1) + "/" + d.get(where + "/extnValue~oid");
      for (size_t at = ext + 11; at < path.size();) {
        const size_t next = path.find('/', at + 1);
        const std::string step = path.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        if (!step.empty() && std::isdigit(static_cast<unsigned char>(step[0]))) v.label += "/" + step;
        at = next;
      }
      values.push_back(v);
    }
  }
  return values;
}

// ---- the library's reading, by pyasn1's component names -----------------------
struct Comp {
  uint32_t type;
  const void *value;
};
using Getter = std::function<Comp(const void *)>;
template <class R, class A>
Getter g(uint32_t type, R *(*get)(const A *)) {
  return [type, get](const void *v) { return Comp{type, get(static_cast<const A *>(v))}; };
}

const std::map<uint32_t, std::map<std::string, Getter>> &getters() {
  static const std::map<uint32_t, std::map<std::string, Getter>> m = {
      {KORVU_TYPE_AUTHORITYKEYIDENTIFIER,
       {{"keyIdentifier", g(KORVU_TYPE_OCTET_STRING, korvu_x509akid_getkeyid)},
        {"authorityCertIssuer", g(KORVU_TYPE_GENERALNAMES, korvu_x509akid_getissuerissuer)},
        {"authorityCertSerialNumber", g(KORVU_TYPE_INTEGER, korvu_x509akid_getissuercertsn)}}},
      {KORVU_TYPE_PRIVATEKEYUSAGEPERIOD,
       {{"notBefore", g(KORVU_TYPE_GENERALIZEDTIME, korvu_x509privkeyperiod_getnotbefore)},
        {"notAfter", g(KORVU_TYPE_GENERALIZEDTIME, korvu_x509privkeyperiod_getnotafter)}}},
      {KORVU_TYPE_POLICYINFORMATION,
       {{"policyIdentifier", g(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_x509policyinfo_getid)},
        {"policyQualifiers", g(KORVU_TYPE_POLICYQUALIFIERINFOS, korvu_x509policyinfo_getqualifiers)}}},
      {KORVU_TYPE_POLICYQUALIFIERINFO,
       {{"policyQualifierId", g(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_x509polqualifierinfo_getid)},
        {"qualifier", g(KORVU_TYPE_ANY, korvu_x509polqualifierinfo_getqualifier)}}},
      {KORVU_TYPE_USERNOTICE,
       {{"noticeRef", g(KORVU_TYPE_NOTICEREFERENCE, korvu_pkixusernotice_getref)},
        {"explicitText", g(KORVU_TYPE_DISPLAYTEXT, korvu_pkixusernotice_gettext)}}},
      {KORVU_TYPE_NOTICEREFERENCE,
       {{"organization", g(KORVU_TYPE_DISPLAYTEXT, korvu_pkixnoticeref_getorg)},
        {"noticeNumbers", g(KORVU_TYPE_NOTICENUMBERS, korvu_pkixnoticeref_getnums)}}},
      {KORVU_TYPE_POLICYMAPPING,
       {{"issuerDomainPolicy", g(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_x509policymapping_getissuerpolicy)},
        {"subjectDomainPolicy", g(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_x509policymapping_getsubjectpolicy)}}},
      {KORVU_TYPE_BASICCONSTRAINTS,
       {{"cA", g(KORVU_TYPE_BOOLEAN, korvu_x509basicconstraints_getisca)},
        {"pathLenConstraint", g(KORVU_TYPE_INTEGER, korvu_x509basicconstraints_getlen)}}},
      {KORVU_TYPE_GENERALSUBTREE,
       {{"base", g(KORVU_TYPE_GENERALNAME, korvu_x509gensubtree_getbase)},
        {"minimum", g(KORVU_TYPE_INTEGER, korvu_x509gensubtree_getmin)},
        {"maximum", g(KORVU_TYPE_INTEGER, korvu_x509gensubtree_getmax)}}},
      {KORVU_TYPE_NAMECONSTRAINTS_PKIX,
       {{"permittedSubtrees", g(KORVU_TYPE_GENERALSUBTREES, korvu_x509namecons_getpermit)},
        {"excludedSubtrees", g(KORVU_TYPE_GENERALSUBTREES, korvu_x509namecons_getexclude)}}},
      {KORVU_TYPE_POLICYCONSTRAINTS,
       {{"requireExplicitPolicy", g(KORVU_TYPE_INTEGER, korvu_x509polcons_getreqexppol)},
        {"inhibitPolicyMapping", g(KORVU_TYPE_INTEGER, korvu_x509polcons_getinhibitpolmap)}}},
      {KORVU_TYPE_DISTRIBUTIONPOINTNAME,
       {{"fullName", g(KORVU_TYPE_GENERALNAMES, korvu_x509distpointname_getfullname)},
        {"nameRelativeToCRLIssuer", g(KORVU_TYPE_RELATIVEDISTINGUISHEDNAME, korvu_x509distpointname_getrelname)}}},
      {KORVU_TYPE_DISTRIBUTIONPOINT,
       {{"distributionPoint", g(KORVU_TYPE_DISTRIBUTIONPOINTNAME, korvu_x509distpoint_getname)},
        {"reasons", g(KORVU_TYPE_BIT_STRING, korvu_x509distpoint_getreason)},
        {"cRLIssuer", g(KORVU_TYPE_GENERALNAMES, korvu_x509distpoint_getcrlissuer)}}},
      {KORVU_TYPE_ACCESSDESCRIPTION,
       {{"accessMethod", g(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_pkixaccessdesp_getmethod)},
        {"accessLocation", g(KORVU_TYPE_GENERALNAME, korvu_pkixaccessdesp_getlocate)}}},
      {KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT,
       {{"distributionPoint", g(KORVU_TYPE_DISTRIBUTIONPOINTNAME, korvu_pkixidp_getdpname)},
        {"onlyContainsUserCerts", g(KORVU_TYPE_BOOLEAN, korvu_pkixidp_getonlyusercert)},
        {"onlyContainsCACerts", g(KORVU_TYPE_BOOLEAN, korvu_pkixidp_getonlycacert)},
        {"onlySomeReasons", g(KORVU_TYPE_BIT_STRING, korvu_pkixidp_getonlysomereason)},
        {"indirectCRL", g(KORVU_TYPE_BOOLEAN, korvu_pkixidp_getindirectCRL)},
        {"onlyContainsAttributeCerts", g(KORVU_TYPE_BOOLEAN, korvu_pkixidp_getonlyattrcert)}}},
      {KORVU_TYPE_QCSTATEMENT,
       {{"statementId", g(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_x509algoid_getalgo)},
        {"statementInfo", g(KORVU_TYPE_ANY, korvu_x509algoid_getparam)}}},
      {KORVU_TYPE_SEMANTICSINFORMATION,
       {{"semanticsIdentifier", g(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_semanticsinformation_getsemanticsIdentifier)},
        {"nameRegistrationAuthorities", g(KORVU_TYPE_NAMEREGISTRATIONAUTHORITIES, korvu_semanticsinformation_getnameregauthorities)}}},
  };
  return m;
}

// Element type of each list type.
const std::map<uint32_t, uint32_t> kElements = {
    {KORVU_TYPE_SEQUENCE_OF_OBJECT_IDENTIFIER, KORVU_TYPE_OBJECT_IDENTIFIER},
    {KORVU_TYPE_CERTIFICATEPOLICIES, KORVU_TYPE_POLICYINFORMATION},
    {KORVU_TYPE_POLICYQUALIFIERINFOS, KORVU_TYPE_POLICYQUALIFIERINFO},
    {KORVU_TYPE_NOTICENUMBERS, KORVU_TYPE_INTEGER},
    {KORVU_TYPE_POLICYMAPPINGS, KORVU_TYPE_POLICYMAPPING},
    {KORVU_TYPE_SUBJECTDIRECTORYATTRIBUTES, KORVU_TYPE_ATTRIBUTE},
    {KORVU_TYPE_GENERALSUBTREES, KORVU_TYPE_GENERALSUBTREE},
    {KORVU_TYPE_CRLDISTRIBUTIONPOINTS, KORVU_TYPE_DISTRIBUTIONPOINT},
    {KORVU_TYPE_AUTHORITYINFOACCESS, KORVU_TYPE_ACCESSDESCRIPTION},
    {KORVU_TYPE_QCSTATEMENTS, KORVU_TYPE_QCSTATEMENT},
    {KORVU_TYPE_NAMEREGISTRATIONAUTHORITIES, KORVU_TYPE_GENERALNAME},
};

// The library's reading of a value by pyasn1's paths: the components through the getters, list elements by index.
void lib_walk(LibDump &o, const std::string &path, Comp c) {
  if (c.value == nullptr) return;
  auto list = kElements.find(c.type);
  if (list != kElements.end()) {
    o.list<void>(path, static_cast<const KORVU_ASN1_LIST *>(c.value), [&](auto &p, auto *e) {
      o.der(p, list->second, e);
      lib_walk(o, p, Comp{list->second, e});
    });
    return;
  }
  auto record = getters().find(c.type);
  if (record == getters().end()) return;
  for (const auto &[name, get] : record->second) {
    const Comp x = get(c.value);
    o.der(path + "/" + name, x.type, x.value);
    lib_walk(o, path + "/" + name, x);
  }
}

enum class Outcome { RoundTrip, Differs, Fails };
struct Result {
  Outcome outcome;
  uint32_t code = 0;  // first error code on failure
  Bytes reencoded;
};

// Decodes a value, hands out its re-encoding, checks the getters.
Result check_value(const PeerValue &p) {
  ErrCtx ctx;
  uint32_t used = 0;
  Val v(p.type, decode(p.type, p.der, ctx, &used));
  if (v.v == nullptr) {
    const std::vector<uint32_t> codes = ctx.codes();
    EXPECT_FALSE(codes.empty()) << p.label << ": a failure without an error entry";
    return Result{Outcome::Fails, codes.empty() ? 0 : codes[0], {}};
  }
  EXPECT_EQ(used, p.der.size()) << p.label;
  if (!p.unreadable) {
    LibDump o;
    lib_walk(o, "", Comp{p.type, v.v});
    compare_dumps(o, *p.dump, p.label, p.path);
  }
  Bytes again = encode(p.type, v.v);
  return Result{again == p.der ? Outcome::RoundTrip : Outcome::Differs, 0, again};
}

// Corpus values the library does not give back unchanged, and why. Keyed by
// "file[block]#extension index/OID".
struct Known {
  Outcome outcome;
  uint32_t code;
  const char *why;
};
const std::map<std::string, Known> kKnown = {
#include "extvalues_known.inc"
};

}  // namespace

// Every extension of the valid corpus certificates and CRLs whose OID has a
// type of its own, and the UserNotice and SemanticsInformation values inside
// them.
TEST(ExtValues, CorpusValuesRoundTripAndAgreeWithPyasn1) {
  if (!have_corpus() || pyasn1_python("pyasn1_modules.rfc5280").empty()) {
    GTEST_SKIP();
  }
  std::vector<PeerJob> jobs;
  for (const ManifestRow &row : corpus_manifest()) {
    if (row.expect != "valid" || (row.type != "Certificate" && row.type != "CertificateList")) continue;
    const std::string file = corpus_dir() + "/" + row.path;
    const Bytes data = read_file(file);
    const std::string text(data.begin(), data.end());
    size_t blocks = 1;
    if (row.encoding == "pem")
      for (size_t at = 0, n = 0; (at = text.find("-----BEGIN ", at)) != std::string::npos; at++) blocks = ++n;
    for (size_t i = 0; i < blocks; i++)
      jobs.push_back({row.path + "[" + std::to_string(i) + "]",
                      row.type == "Certificate" ? "rfc5280.Certificate" : "local.CertificateListLite", file,
                      (row.type == "Certificate" ? "only=/tbsCertificate/extensions" : "only=/tbsCertList/crlExtensions") +
                          std::string(row.encoding == "pem" ? ",pem#" + std::to_string(i) : "")});
  }
  std::map<std::string, PeerDump> dumps;
  std::vector<PeerValue> values = peer_values(jobs, dumps);
  ASSERT_GT(values.size(), 2500u);
  std::map<uint32_t, int> per_type;
  std::set<std::string> seen;
  for (const PeerValue &p : values) {
    Result r = check_value(p);
    per_type[p.type]++;
    auto known = kKnown.find(p.label);
    if (known == kKnown.end()) {
      EXPECT_EQ(r.outcome, Outcome::RoundTrip) << p.label << " type " << p.type << "\n  in  " << to_hex(p.der)
                                               << "\n  out " << to_hex(r.reencoded) << " code " << std::hex << r.code;
      continue;
    }
    seen.insert(p.label);
    EXPECT_EQ(r.outcome, known->second.outcome) << p.label << ": " << known->second.why;
    if (r.outcome == Outcome::Fails) {
      EXPECT_EQ(r.code, known->second.code) << p.label;
    }
  }
  for (const auto &[label, k] : kKnown) EXPECT_TRUE(seen.count(label)) << label << " no longer in the corpus";
  for (uint32_t t : {65u, 66u, 67u, 70u, 73u, 74u, 75u, 76u, 81u, 82u, 85u, 87u, 88u, 222u, 224u})
    EXPECT_GT(per_type[t], 0) << "no corpus value of type " << t;
}

// The extension values openssl writes into CRLs (crl_extensions) and requests (-addext), made by
// tests/make_signed.sh, decode as their types, re-encode unchanged and read as pyasn1 reads them.
TEST(ExtValues, OpensslCrlAndRequestExtensions) {
  const std::string dir = openssl_made_dir();
  if (dir.empty() || pyasn1_python("pyasn1_modules.rfc5280").empty()) GTEST_SKIP();
  std::map<std::string, PeerDump> dumps;
  std::vector<PeerValue> values =
      peer_values({{"full.pem[0]", "local.CertificateListLite", dir + "/full.pem", "pem=X509 CRL"},
                   {"relative.pem[0]", "local.CertificateListLite", dir + "/relative.pem", "pem=X509 CRL"},
                   {"req.pem[0]", "rfc2986.CertificationRequest", dir + "/req.pem", "pem=CERTIFICATE REQUEST"}},
                  dumps);
  std::multiset<uint32_t> types;
  for (const PeerValue &p : values) {
    EXPECT_FALSE(p.unreadable) << p.label;
    EXPECT_EQ(check_value(p).outcome, Outcome::RoundTrip) << p.label << " " << to_hex(p.der);
    types.insert(p.type);
  }
  // AKID and IDP in each CRL; BasicConstraints, EKU, policies, CRL DP and AIA in the request.
  EXPECT_EQ(types, (std::multiset<uint32_t>{KORVU_TYPE_AUTHORITYKEYIDENTIFIER, KORVU_TYPE_AUTHORITYKEYIDENTIFIER,
                                            KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT, KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT,
                                            KORVU_TYPE_BASICCONSTRAINTS, KORVU_TYPE_SEQUENCE_OF_OBJECT_IDENTIFIER,
                                            KORVU_TYPE_CERTIFICATEPOLICIES, KORVU_TYPE_CRLDISTRIBUTIONPOINTS,
                                            KORVU_TYPE_AUTHORITYINFOACCESS}));
}

namespace {

// A value decoded from hex, owned by the caller; V(...) is one as a constructor argument (the
// temporary lives until the call returns).
Val dec(uint32_t type, const std::string &h) { return Val(type, decode(type, hex(h), nullptr)); }
#define V(T, type, h) dec(type, h).as<T>()
#define TRUE_ V(KORVU_ASN1_BOOLEAN, KORVU_TYPE_BOOLEAN, "01 01 FF")
#define FALSE_ V(KORVU_ASN1_BOOLEAN, KORVU_TYPE_BOOLEAN, "01 01 00")
#define INT_(h) V(KORVU_ASN1_INTEGER, KORVU_TYPE_INTEGER, h)
#define STR_(type, h) V(KORVU_ASN1_STRING, type, h)

struct Made {
  uint32_t type;
  const char *genconf;
  std::function<void *()> build;  // the same value from the constructors
};

const std::vector<Made> &made() {
  static const std::vector<Made> m = {
      {KORVU_TYPE_AAISSUINGDISTRIBUTIONPOINT,
       "asn1 = SEQUENCE:aaidp\n[aaidp]\ndp = EXPLICIT:0,IMPLICIT:0,SEQUENCE:gns\n"
       "reasons = IMPLICIT:1,FORMAT:BITLIST,BITSTRING:1,3\nindirect = IMPLICIT:2,BOOLEAN:TRUE\n"
       "user = IMPLICIT:3,BOOLEAN:FALSE\nsoa = IMPLICIT:5,BOOLEAN:FALSE\n"
       "[gns]\nuri = IMPLICIT:6,IA5STRING:http://example.com/aa.crl\n",
       [] {
         return (void *)korvu_x509aaidp_new(
             V(KORVU_X509_DISTPOINTNAME, KORVU_TYPE_DISTRIBUTIONPOINTNAME,
               "A0 1B 86 19 68 74 74 70 3A 2F 2F 65 78 61 6D 70 6C 65 2E 63 6F 6D 2F 61 61 2E 63 72 6C"),
             nullptr, FALSE_, FALSE_, V(KORVU_ASN1_BITSTRING, KORVU_TYPE_BIT_STRING, "03 02 04 50"), TRUE_);
       }},
      {KORVU_TYPE_AAISSUINGDISTRIBUTIONPOINT, "asn1 = SEQUENCE:empty\n[empty]\n",
       [] { return (void *)korvu_x509aaidp_new(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }},
      {KORVU_TYPE_IDENTITYCODE, "asn1 = IMPLICIT:0,PRINTABLESTRING:110101\n",
       [] { return (void *)korvu_identitycode_newresidentercardnumber(STR_(KORVU_TYPE_PRINTABLESTRING, "13 06 31 31 30 31 30 31")); }},
      {KORVU_TYPE_IDENTITYCODE, "asn1 = IMPLICIT:1,UTF8String:Officer\n",
       [] { return (void *)korvu_identitycode_newmilitaryofficercardnumber(STR_(KORVU_TYPE_UTF8STRING, "0C 07 4F 66 66 69 63 65 72")); }},
      {KORVU_TYPE_IDENTITYCODE, "asn1 = IMPLICIT:2,PRINTABLESTRING:E123\n",
       [] { return (void *)korvu_identitycode_newpassportnumber(STR_(KORVU_TYPE_PRINTABLESTRING, "13 04 45 31 32 33")); }},
      {KORVU_TYPE_TYPEOFBIOMETRICDATA, "asn1 = INTEGER:1\n",
       [] { return (void *)korvu_typeofbiometricdata_newpredefined(INT_("02 01 01")); }},
      {KORVU_TYPE_TYPEOFBIOMETRICDATA, "asn1 = OID:1.2.3.4.5\n",
       [] { return (void *)korvu_typeofbiometricdata_newoid(V(KORVU_ASN1_OID, KORVU_TYPE_OBJECT_IDENTIFIER, "06 04 2A 03 04 05")); }},
      {KORVU_TYPE_BIOMETRICDATA,
       "asn1 = SEQUENCE:bio\n[bio]\ntype = INTEGER:0\nalg = SEQUENCE:alg\nhash = FORMAT:HEX,OCTETSTRING:0102030405\n"
       "uri = IA5STRING:http://a.example\n[alg]\noid = OID:2.16.840.1.101.3.4.2.1\nnull = NULL\n",
       [] {
         return (void *)korvu_biometricdata_new(
             V(KORVU_TYPEOFBIOMETRICDATA, KORVU_TYPE_TYPEOFBIOMETRICDATA, "02 01 00"),
             V(KORVU_X509_ALGID, KORVU_TYPE_ALGORITHMIDENTIFIER, "30 0D 06 09 60 86 48 01 65 03 04 02 01 05 00"),
             V(KORVU_ASN1_OCTETSTRING, KORVU_TYPE_OCTET_STRING, "04 05 01 02 03 04 05"),
             STR_(KORVU_TYPE_IA5STRING, "16 10 68 74 74 70 3A 2F 2F 61 2E 65 78 61 6D 70 6C 65"));
       }},
      {KORVU_TYPE_IDENTIFICATION_ITEM,
       "asn1 = SEQUENCE:item\n[item]\ntype = INTEGER:1\nencode = INTEGER:2\nvalue = FORMAT:HEX,OCTETSTRING:A0B1\n",
       [] {
         return (void *)korvu_korvuidentificationitem_new(INT_("02 01 01"), INT_("02 01 02"),
                                                          V(KORVU_ASN1_OCTETSTRING, KORVU_TYPE_OCTET_STRING, "04 02 A0 B1"));
       }},
      {KORVU_TYPE_IDENTIFICATION_ITEMS,
       "asn1 = SEQUENCE:items\n[items]\na = SEQUENCE:item\nb = SEQUENCE:item\n"
       "[item]\ntype = INTEGER:1\nencode = INTEGER:2\nvalue = FORMAT:HEX,OCTETSTRING:A0B1\n",
       [] {
         KORVU_ASN1_LIST *l = korvu_asn1_list_new();
         for (int i = 0; i < 2; i++)
           korvu_asn1_list_put(l, korvu_korvuidentificationitem_new(INT_("02 01 01"), INT_("02 01 02"),
                                  V(KORVU_ASN1_OCTETSTRING, KORVU_TYPE_OCTET_STRING, "04 02 A0 B1")));
         return (void *)l;
       }},
  };
  return m;
}

}  // namespace

// Types without public data: openssl's DER round-trips and equals what the constructors write.
TEST(ExtValues, GenconfValuesEqualConstructorOutput) {
  if (!require(std::system("openssl version >/dev/null 2>&1") == 0, "openssl")) {
    GTEST_SKIP();
  }
  int n = 0;
  for (const Made &m : made()) {
    const std::string name = ::testing::TempDir() + "/korvu_genconf" + std::to_string(n++);
    std::ofstream(name + ".cnf") << m.genconf;
    const std::string cmd = "openssl asn1parse -genconf " + name + ".cnf -out " + name + ".der >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << m.genconf;
    const Bytes der = read_file(name + ".der");
    ErrCtx ctx;
    Val v(m.type, decode(m.type, der, ctx));
    ASSERT_NE(v.v, nullptr) << name << " " << to_hex(der);
    EXPECT_EQ(to_hex(encode(m.type, v.v)), to_hex(der)) << name;
    Val built(m.type, m.build());
    ASSERT_NE(built.v, nullptr) << name;
    EXPECT_EQ(to_hex(encode(m.type, built.v)), to_hex(der)) << name;
  }
}

// Hex vectors (tests/data/extvalues_vectors.txt): DEFAULTs, sizes, the PKIX form of NameConstraints, tags; each
// valid one cut short at every length fails.
TEST(ExtValues, VectorsDecodeOrFailWithTheirCode) { run_hex_vectors("extvalues_vectors.txt", 20, 24); }

namespace {

// A constructor call and the DER it must give (nullptr: the call returns null).
struct Built {
  const char *what;
  uint32_t type;
  std::function<void *()> build;
  const char *der;
};
#define GNS_ V(KORVU_ASN1_LIST, KORVU_TYPE_GENERALNAMES, "30 04 82 02 61 62")
#define OCTETS_(h) V(KORVU_ASN1_OCTETSTRING, KORVU_TYPE_OCTET_STRING, h)
#define OID_(h) V(KORVU_ASN1_OID, KORVU_TYPE_OBJECT_IDENTIFIER, h)

const std::vector<Built> &built() {
  static const std::vector<Built> b = {
      {"akid keyid", KORVU_TYPE_AUTHORITYKEYIDENTIFIER,
       [] { return (void *)korvu_x509akid_new(OCTETS_("04 02 01 02"), nullptr, nullptr); }, "30 04 80 02 01 02"},
      {"akid issuer and serial", KORVU_TYPE_AUTHORITYKEYIDENTIFIER,
       [] { return (void *)korvu_x509akid_new(nullptr, GNS_, INT_("02 01 05")); }, "30 09 A1 04 82 02 61 62 82 01 05"},
      {"akid issuer without serial", KORVU_TYPE_AUTHORITYKEYIDENTIFIER,
       [] { return (void *)korvu_x509akid_new(OCTETS_("04 01 01"), GNS_, nullptr); }, nullptr},
      {"akid nothing", KORVU_TYPE_AUTHORITYKEYIDENTIFIER,
       [] { return (void *)korvu_x509akid_new(nullptr, nullptr, nullptr); }, nullptr},
      {"period neither", KORVU_TYPE_PRIVATEKEYUSAGEPERIOD,
       [] { return (void *)korvu_x509privkeyperiod_new(nullptr, nullptr); }, nullptr},
      {"basic constraints cA FALSE drops the path length", KORVU_TYPE_BASICCONSTRAINTS,
       [] { return (void *)korvu_x509basicconstraints_new(FALSE_, INT_("02 01 03")); }, "30 00"},
      {"basic constraints null cA", KORVU_TYPE_BASICCONSTRAINTS,
       [] { return (void *)korvu_x509basicconstraints_new(nullptr, INT_("02 01 03")); }, "30 00"},
      {"basic constraints CA with path length", KORVU_TYPE_BASICCONSTRAINTS,
       [] { return (void *)korvu_x509basicconstraints_new(TRUE_, INT_("02 01 00")); }, "30 06 01 01 FF 02 01 00"},
      {"subtree minimum 0 left out", KORVU_TYPE_GENERALSUBTREE,
       [] {
         return (void *)korvu_x509gensubtree_new(V(KORVU_X509_GENERALNAME, KORVU_TYPE_GENERALNAME, "82 02 61 62"),
                                                 INT_("02 01 00"), INT_("02 01 02"));
       },
       "30 07 82 02 61 62 81 01 02"},
      {"name forms neither", KORVU_TYPE_NAMEFORMS, [] { return (void *)korvu_x509nameforms_new(nullptr, nullptr); },
       nullptr},
      {"semantics neither", KORVU_TYPE_SEMANTICSINFORMATION,
       [] { return (void *)korvu_semanticsinformation_new(nullptr, nullptr); }, nullptr},
      {"semantics identifier", KORVU_TYPE_SEMANTICSINFORMATION,
       [] { return (void *)korvu_semanticsinformation_new(OID_("06 07 04 00 8B EC 49 01 01"), nullptr); },
       "30 09 06 07 04 00 8B EC 49 01 01"},
      {"idp all null", KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT,
       [] { return (void *)korvu_pkixidp_new2(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }, "30 00"},
      {"idp three only-flags TRUE", KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT,
       [] { return (void *)korvu_pkixidp_new2(nullptr, TRUE_, TRUE_, nullptr, nullptr, TRUE_); }, nullptr},
      {"idp CA before user in the arguments", KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT,
       [] { return (void *)korvu_pkixidp_new(nullptr, TRUE_, FALSE_, nullptr, FALSE_); }, "30 03 82 01 FF"},
      {"idp two only-flags TRUE", KORVU_TYPE_ISSUINGDISTRIBUTIONPOINT,
       [] { return (void *)korvu_pkixidp_new(nullptr, TRUE_, TRUE_, nullptr, nullptr); }, "30 06 81 01 FF 82 01 FF"},
      {"aaidp all null", KORVU_TYPE_AAISSUINGDISTRIBUTIONPOINT,
       [] { return (void *)korvu_x509aaidp_new(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }, "30 00"},
      {"aaidp argument order", KORVU_TYPE_AAISSUINGDISTRIBUTIONPOINT,
       [] { return (void *)korvu_x509aaidp_new(nullptr, FALSE_, nullptr, nullptr, nullptr, nullptr); },
       "30 03 84 01 00"},
      {"display text BMPString", KORVU_TYPE_DISPLAYTEXT,
       [] { return (void *)korvu_pkixdisplaytext_new(30, OCTETS_("04 02 00 68")); }, "1E 02 00 68"},
      {"display text PrintableString", KORVU_TYPE_DISPLAYTEXT,
       [] { return (void *)korvu_pkixdisplaytext_new(19, OCTETS_("04 01 68")); }, nullptr},
      {"policy qualifier without qualifier", KORVU_TYPE_POLICYQUALIFIERINFO,
       [] { return (void *)korvu_x509polqualifierinfo_new(OID_("06 08 2B 06 01 05 05 07 02 01"), nullptr); },
       "30 0A 06 08 2B 06 01 05 05 07 02 01"},
      {"policy qualifier CPS", KORVU_TYPE_POLICYQUALIFIERINFO,
       [] {
         return (void *)korvu_x509polqualifierinfo_new(OID_("06 08 2B 06 01 05 05 07 02 01"),
                                                       V(KORVU_ASN1_ANY, KORVU_TYPE_ANY, "16 01 78"));
       },
       "30 0D 06 08 2B 06 01 05 05 07 02 01 16 01 78"},
      {"distribution point name relative", KORVU_TYPE_DISTRIBUTIONPOINTNAME,
       [] {
         return (void *)korvu_x509distpointname_new_relname(
             V(KORVU_ASN1_LIST, KORVU_TYPE_RELATIVEDISTINGUISHEDNAME, "31 09 30 07 06 03 55 04 03 0C 00"));
       },
       "A1 09 30 07 06 03 55 04 03 0C 00"},
  };
  return b;
}

}  // namespace

// Constructors: argument rules, defaults, argument order.
TEST(ExtValues, ConstructorsFollowTheirRules) {
  for (const Built &b : built()) {
    Val v(b.type, b.build());
    if (b.der == nullptr) {
      EXPECT_EQ(v.v, nullptr) << b.what;
      continue;
    }
    ASSERT_NE(v.v, nullptr) << b.what;
    EXPECT_EQ(to_hex(encode(b.type, v.v)), to_hex(hex(b.der))) << b.what;
  }
}

// Choice numbers through the gettype exports, DEFAULT values made on decoding,
// and the PKIX form refused when written.
TEST(ExtValues, ChoicesDefaultsAndRefusals) {
  EXPECT_EQ(korvu_x509distpointname_gettype(nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_identitycode_gettype(nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(korvu_typeofbiometricdata_gettype(nullptr), 0xFFFFFFFFu);
  uint32_t tag = 0;
  EXPECT_EQ(korvu_pkixdisplaytext_gettype(nullptr, &tag), 0);
  Val text = dec(KORVU_TYPE_DISPLAYTEXT, "16 01 78");
  ASSERT_EQ(korvu_pkixdisplaytext_gettype(text.as<KORVU_PKIX_DISPLAYTEXT>(), &tag), 1);
  EXPECT_EQ(tag, 22u);
  Val code = dec(KORVU_TYPE_IDENTITYCODE, "81 02 41 42");
  EXPECT_EQ(korvu_identitycode_gettype(code.as<KORVU_IDENTITYCODE>()), 1u);
  EXPECT_EQ(korvu_identitycode_getresidentercardnumber(code.as<KORVU_IDENTITYCODE>()), nullptr);
  EXPECT_NE(korvu_identitycode_getmilitaryofficercardnumber(code.as<KORVU_IDENTITYCODE>()), nullptr);
  Val bio = dec(KORVU_TYPE_TYPEOFBIOMETRICDATA, "06 02 2A 03");
  EXPECT_EQ(korvu_typeofbiometricdata_gettype(bio.as<KORVU_TYPEOFBIOMETRICDATA>()), 2u);
  EXPECT_EQ(korvu_typeofbiometricdata_getpredefined(bio.as<KORVU_TYPEOFBIOMETRICDATA>()), nullptr);

  // Absent DEFAULT booleans are made: AAIssuingDistributionPoint's contains-flags TRUE, indirectCRL FALSE.
  Val aa = dec(KORVU_TYPE_AAISSUINGDISTRIBUTIONPOINT, "30 00");
  auto *a = aa.as<KORVU_X509_AAIDP>();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_x509aaidp_getcontuserattrcert(a)) +
                korvu_asn1_boolean_istrue(korvu_x509aaidp_getcontaacert(a)) +
                korvu_asn1_boolean_istrue(korvu_x509aaidp_getcontsoacert(a)),
            3);
  EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_x509aaidp_getindirectCRL(a)), 0);
  EXPECT_EQ(korvu_x509aaidp_getdpname(a), nullptr);

  // A NameConstraints with requiredNameForms is written as the X.509 form, refused as the PKIX form.
  Val forms = dec(KORVU_TYPE_NAMEFORMS, "30 04 80 02 07 80");
  ASSERT_NE(forms.v, nullptr);
  Val nc(KORVU_TYPE_NAMECONSTRAINTS, korvu_x509namecons_new(nullptr, nullptr, forms.as<KORVU_X509_NAMEFORMS>()));
  ASSERT_NE(nc.v, nullptr);
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_NAMECONSTRAINTS, nc.v)), "30 06 A2 04 80 02 07 80");
  ErrCtx ctx;
  KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
  uint32_t written = 0;
  EXPECT_NE(korvu_asn1_encode(s, KORVU_TYPE_NAMECONSTRAINTS_PKIX, nc.v, &written, ctx), 1);
  korvu_stream_free(s);
  EXPECT_TRUE(ctx.has(0x102CC));
}
