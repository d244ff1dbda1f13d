// Signature attribute values: the corpus's, read by the library and by pyasn1-modules; hex vectors; openssl-made
// signingCertificate(V2); PDF revocation archives made by asn1crypto and by the constructors.
#include <algorithm>

#include "ocsp_peer.h"
#include "summary_cades.h"
#include "vectors.h"

using namespace korvu_test;
using namespace korvu_test::ocsp;

namespace {

// One attribute value found in a file: label "path#k", its type by the tool's table, its octets.
struct Found {
  std::string label;
  uint32_t type;
  Bytes der;
};

// Walks every TLV of d[i, end) (BER, and DER inside OCTET STRINGs) for SEQUENCE { OID, SET OF value } of a known
// attribute; returns the position after the walk (after the end-of-contents of an indefinite level).
size_t walk(const Bytes &d, size_t i, size_t end, int depth, const std::string &file, std::vector<Found> &out) {
  while (i + 2 <= end && depth < 60) {
    if (d[i] == 0 && d[i + 1] == 0) return i + 2;
    if (d[i + 1] == 0x80) {
      i = (d[i] & 0x20) ? walk(d, i + 2, end, depth + 1, file, out) : end;
      continue;
    }
    DerNode n;
    if (!der_node(d, i, end, n)) return end;
    const std::vector<DerNode> kids = d[i] == 0x30 ? der_kids(d, n) : std::vector<DerNode>{};
    if (kids.size() == 2 && d[kids[0].at] == 0x06 && d[kids[1].at] == 0x31) {
      ErrCtx ctx;
      Val oid(KORVU_TYPE_OBJECT_IDENTIFIER,
              decode(KORVU_TYPE_OBJECT_IDENTIFIER, Bytes(d.begin() + kids[0].at, d.begin() + kids[0].end()), ctx));
      const auto *known = oid.v ? korvu::tool::signer_attribute_type(oid_text(oid.as<KORVU_ASN1_OID>())) : nullptr;
      for (const DerNode &v : known ? der_kids(d, kids[1]) : std::vector<DerNode>{})
        out.push_back(
            {file + "#" + std::to_string(out.size()), known->type, Bytes(d.begin() + v.at, d.begin() + v.end())});
    }
    const size_t c = n.at + n.hdr;
    if ((d[i] & 0x20) || (d[i] == 0x04 && n.len > 2 && (d[c] == 0x30 || d[c] == 0xA0)))
      walk(d, c, n.end(), depth + 1, file, out);
    i = n.end();
  }
  return i;
}

std::vector<Found> corpus_attributes() {
  std::vector<Found> found;
  for (const ManifestRow &row : corpus_manifest())
    if ((row.encoding == "der" || row.encoding == "ber") &&
        (row.type == "CAdES attribute" ||
         (row.expect == "valid" &&
          std::string(" cms tsp ers authenticode scvp ").find(" " + row.family + " ") != std::string::npos))) {
      const Bytes d = read_file(corpus_dir() + "/" + row.path);
      walk(d, 0, d.size(), 0, row.path, found);
    }
  return found;
}

// The library's reading by the paths of pyasn1-modules' rfc2634, rfc5035, rfc5751 and rfc6211.
LibDump read_value(uint32_t type, const void *v) {
  LibDump o;
  auto *sc = static_cast<const KORVU_ESS_SIGNINGCERTIFICATE *>(v);
  if (type == KORVU_TYPE_SIGNINGCERTIFICATE || type == KORVU_TYPE_SIGNINGCERTIFICATEV2) {
    o.list_der("/certs", type - 5, korvu_ess_signingcertificate_getcerts(sc));
    o.der("/policies", KORVU_TYPE_SEQUENCE_OF_POLICYINFORMATION, korvu_ess_signingcertificate_getpolicies(sc));
  }
  const auto *h = static_cast<const KORVU_ESS_CONTENTHINTS *>(v);
  const auto *r = static_cast<const KORVU_ESS_CONTENTREFERENCE *>(v);
  const auto *k = static_cast<const KORVU_SMIME_ENCRYPTIONKEYPREFERENCE *>(v);
  const auto *a = static_cast<const KORVU_CMS_ALGORITHMPROTECTION *>(v);
  std::vector<std::tuple<const char *, uint32_t, const void *>> rows;
  if (type == KORVU_TYPE_CONTENTHINTS)
    rows = {{"/contentDescription", KORVU_TYPE_UTF8STRING, korvu_contenthints_getdecription(h)},
            {"/contentType", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_contenthints_gettype(h)}};
  if (type == KORVU_TYPE_CONTENTREFERENCE)
    rows = {{"/contentType", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_contentreference_getcontenttype(r)},
            {"/signedContentIdentifier", KORVU_TYPE_OCTET_STRING, korvu_contentreference_getsigncontentid(r)},
            {"/originatorSignatureValue", KORVU_TYPE_OCTET_STRING, korvu_contentreference_getsignvalue(r)}};
  if (type == KORVU_TYPE_SMIMEENCRYPTIONKEYPREFERENCE)
    rows = {{"/issuerAndSerialNumber", KORVU_TYPE_ISSUERANDSERIALNUMBER,
             korvu_smimeencryptionkeypreference_getissuerandsn(k)},
            {"/subjectAltKeyIdentifier", KORVU_TYPE_OCTET_STRING,
             korvu_smimeencryptionkeypreference_getsubjectaltkeyid(k)}};
  if (type == KORVU_TYPE_CMSALGORITHMPROTECTION)
    rows = {
        {"/digestAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_cmsalgorithmprotection_getdigestalgorithm(a)},
        {"/signatureAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_cmsalgorithmprotection_getsignaturealgorithm(a)},
        {"/macAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_cmsalgorithmprotection_getmacalgorithm(a)}};
  for (const auto &[path, component, value] : rows) o.der(path, component, value);
  return o;
}

const std::map<uint32_t, std::string> kPeerTypes = {
    {KORVU_TYPE_SIGNINGCERTIFICATE, "rfc2634.SigningCertificate"},
    {KORVU_TYPE_SIGNINGCERTIFICATEV2, "rfc5035.SigningCertificateV2"},
    {KORVU_TYPE_CONTENTHINTS, "rfc2634.ContentHints"},
    {KORVU_TYPE_CONTENTREFERENCE, "rfc2634.ContentReference"},
    {KORVU_TYPE_SMIMEENCRYPTIONKEYPREFERENCE, "rfc5751.SMIMEEncryptionKeyPreference"},
    {KORVU_TYPE_CMSALGORITHMPROTECTION, "rfc6211.CMSAlgorithmProtection"}};

}  // namespace

// Each value decodes as its type and is written back byte for byte, except an ESSCertIDv2 whose SHA-256 with NULL
// parameters is left out and a contentHints whose OID has no octets; the getters read what pyasn1-modules reads.
TEST(CadesCorpus, AttributeValuesDecodeReencodeAndAgreeWithPyasn1) {
  if (!have_corpus()) GTEST_SKIP() << "corpus missing";
  const std::string python =
      pyasn1_python("pyasn1_modules.rfc2634, pyasn1_modules.rfc5035, pyasn1_modules.rfc5751, pyasn1_modules.rfc6211");
  if (python.empty()) GTEST_SKIP() << "python3-pyasn1-modules missing";
  const std::vector<Found> found = corpus_attributes();
  std::map<uint32_t, int> count;
  std::vector<PeerJob> jobs;
  for (const Found &f : found) {
    count[f.type]++;
    if (kPeerTypes.count(f.type)) jobs.push_back({f.label, kPeerTypes.at(f.type), "hex:" + lower_hex(f.der), "ber"});
  }
  EXPECT_EQ(count, (std::map<uint32_t, int>{
                       {199, 31}, {200, 22}, {216, 3}, {231, 1}, {233, 1}, {263, 2}, {264, 8}, {401, 8}}));
  const std::map<std::string, PeerDump> peer = run_asn1_peer(python, jobs);
  int shortened = 0, refused = 0;
  size_t compared = 0;
  for (const Found &f : found) {
    ErrCtx ctx;
    Val v(f.type, decode(f.type, f.der, ctx));
    if (v.v == nullptr && f.type == KORVU_TYPE_CONTENTHINTS && f.der[f.der.size() - 2] == 0x06 && f.der.back() == 0) {
      EXPECT_TRUE(ctx.has(0x10203) && ctx.has(0x10442)) << f.label << ::testing::PrintToString(ctx.codes());
      refused++;
      continue;
    }
    ASSERT_NE(v.v, nullptr) << f.label << " " << ::testing::PrintToString(ctx.codes());
    const Bytes out = encode(f.type, v.v);
    if (out != f.der) {  // SHA-256 with NULL parameters left out (pyasn1 writes it back)
      EXPECT_TRUE(f.type == KORVU_TYPE_SIGNINGCERTIFICATEV2 && out.size() + 15 == f.der.size()) << f.label;
      shortened++;
      continue;
    }
    if (peer.count(f.label)) {
      ASSERT_EQ(peer.at(f.label).error, "") << f.label;
      compared += compare_dumps(read_value(f.type, v.v), peer.at(f.label), f.label);
    }
  }
  EXPECT_EQ(shortened, 1);
  EXPECT_EQ(refused, 1);
  EXPECT_GT(compared, 120u);
}

namespace {
KORVU_ASN1_LIST *list_of(std::initializer_list<const void *> items, uint32_t type) {
  KORVU_ASN1_LIST *l = korvu_asn1_list_new();
  for (const void *e : items) korvu_asn1_list_put(l, korvu_asn1_dupobject(type, e, nullptr));
  return l;
}
// The SHA-1 (or SHA-256) hash of a certificate's (with tool "crl", a CRL's) DER, by openssl.
Bytes fingerprint(const std::string &pem, const char *md, const std::string &tool = "x509") {
  std::string out = run_command("openssl " + tool + " -in " + pem + " -noout -fingerprint -" + md);
  out = out.substr(out.find('=') + 1);
  out.erase(std::remove(out.begin(), out.end(), ':'), out.end());
  return hex(out);
}
}  // namespace

// The hex vectors of the DEFAULT, peeking and tagging rules and of bad input; the constructors' CHOICE rules; a record
// with an unknown choice number is not written.
TEST(CadesVectors, DecodeWriteAndRefuse) {
  run_hex_vectors("cades_vectors.txt", 29, 7);
  Val sha1(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new("01234567890123456789", 20));
  Val h1(KORVU_TYPE_OTHERHASH, korvu_otherhash_newsha1(sha1.as<KORVU_ASN1_OCTETSTRING>()));
  EXPECT_TRUE(korvu_otherhash_gettype(h1.as<KORVU_CADES_OTHERHASH>()) == 1 &&
              !korvu_otherhash_getother(h1.as<KORVU_CADES_OTHERHASH>()));
  Val implied(KORVU_TYPE_SIGNATUREPOLICYIDENTIFIER, korvu_signaturepolicyidentifier_newimplied());
  EXPECT_EQ(to_hex(encode(KORVU_TYPE_SIGNATUREPOLICYIDENTIFIER, implied.v)), "05 00");
  EXPECT_EQ(korvu_signerlocation_new(nullptr, nullptr, nullptr), nullptr);
  ErrCtx ctx;
  h1.as<KORVU_CADES_OTHERHASH>()->choice = 7;
  KORVU_STREAM *s = korvu_stream_new_mem(64, nullptr);
  EXPECT_TRUE(korvu_asn1_encode(s, KORVU_TYPE_OTHERHASH, h1.v, nullptr, ctx) != 1 && ctx.has(0x1020A))
      << ::testing::PrintToString(ctx.codes());
  korvu_stream_free(s);
  EXPECT_EQ(korvu_asn1_length(KORVU_TYPE_OTHERHASH, h1.v), 0xFFFFFFFEu);
  h1.as<KORVU_CADES_OTHERHASH>()->choice = 1;
}

// openssl's CAdES signatures: SHA-1 gives a signingCertificate, SHA-256 a V2 without its (default) algorithm,
// SHA-384 a V2 that writes it; each holds the signer's certificate hash and serial, is written back as openssl wrote
// it, rebuilt by the constructors, and named by the signed-message summary.
TEST(CadesOpenssl, SigningCertificates) {
  const std::string dir = make_openssl_data();
  if (dir.empty()) GTEST_SKIP() << "openssl missing";
  const std::string sign =
      "cd " + dir +
      " && openssl cms -sign -cades -binary -nodetach -in f -signer a.pem -inkey a.key -certfile ca.pem -outform DER";
  ErrCtx ctx;
  const std::string cert_pem = dir + "/a.pem";
  const Bytes pem = read_file(cert_pem);
  Val cert(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(pem.data(), static_cast<int32_t>(pem.size()), ctx));
  const std::string issuer = der_hex(KORVU_TYPE_INTEGER, korvu_x509pubkeycert_getserialno(cert.as<KORVU_X509_CERT>()));
  for (const std::string md : {"sha1", "sha256", "sha384"}) {
    const bool one = md == "sha1";
    ASSERT_EQ(std::system((sign + " -md " + md + " -out m.der >/dev/null 2>&1").c_str()), 0) << md;
    const Bytes m = read_file(dir + "/m.der");
    std::vector<Found> found;
    walk(m, 0, m.size(), 0, md, found);
    const uint32_t type = one ? KORVU_TYPE_SIGNINGCERTIFICATE : KORVU_TYPE_SIGNINGCERTIFICATEV2;
    ASSERT_TRUE(found.size() == 1 && found[0].type == type) << md;
    Val v(type, decode(type, found[0].der, ctx));
    ASSERT_EQ(encode(type, v.v), found[0].der) << md;
    const KORVU_ASN1_LIST *ids = korvu_ess_signingcertificate_getcerts(v.as<KORVU_ESS_SIGNINGCERTIFICATE>());
    auto *v1 = static_cast<KORVU_ESS_CERTID *>(item(ids, 0));
    auto *v2 = static_cast<KORVU_ESS_CERTIDV2 *>(item(ids, 0));
    const KORVU_ASN1_OCTETSTRING *hash = one ? korvu_ess_certid_getcerthash(v1) : korvu_ess_certidv2_getcerthash(v2);
    const KORVU_ESS_ISSUERSERIAL *is = one ? korvu_ess_certid_getissuersn(v1) : korvu_ess_certidv2_getissuersn(v2);
    EXPECT_EQ(octets_hex(hash), lower_hex(fingerprint(cert_pem, md.c_str())));
    EXPECT_EQ(der_hex(KORVU_TYPE_INTEGER, korvu_ess_issuerserial_getsn(is)), issuer);
    // The algorithm: written for SHA-384 only, read as SHA-256 when left out; rebuilt with a null one for SHA-256.
    const std::string written =
        lower_hex(found[0].der).find("0609608648016503040202") != std::string::npos ? "384" : "-";
    if (!one) {
      EXPECT_EQ(oid_text(korvu_ess_certidv2_getcerthashalgo(v2)->algorithm) + written,
                md == "sha256" ? "2.16.840.1.101.3.4.2.1-" : "2.16.840.1.101.3.4.2.2384");
    }
    Val id(type - 5, one ? static_cast<void *>(korvu_ess_certid_new(hash, is))
                         : korvu_ess_certidv2_new(md == "sha256" ? nullptr : v2->hashAlgorithm, hash, is));
    Val list(type - 3, list_of({id.v}, type - 5));
    Val rebuilt(type, one ? korvu_ess_signingcertificate_new(list.as<KORVU_ASN1_LIST>(), nullptr)
                          : korvu_ess_signingcertificatev2_new(list.as<KORVU_ASN1_LIST>(), nullptr));
    EXPECT_EQ(encode(type, rebuilt.v), found[0].der) << md;
    const std::string line =
        "signer 1 " +
        std::string(one ? "signingCertificate: SigningCertificate" : "signingCertificateV2: SigningCertificateV2") +
        ", 1 certificate identifiers\n";
    EXPECT_NE(summary_of(KORVU_TYPE_CONTENTINFO, dir + "/m.der").find(line), std::string::npos) << line;
  }
  std::system(("rm -rf " + dir).c_str());
}

// asn1crypto's PDF revocation archive of openssl's CRL and OCSP response is written back as read; the constructors
// make the same octets.
TEST(CadesPdf, RevocationInfoArchival) {
  const std::string dir = make_openssl_data(), crls = openssl_made_dir();
  if (dir.empty() || crls.empty()) GTEST_SKIP() << "openssl missing";
  ErrCtx ctx;
  const Bytes crl_pem = read_file(crls + "/full.pem");
  Val crl(KORVU_TYPE_CERTIFICATELIST, korvu_x509crl_new(crl_pem.data(), static_cast<int32_t>(crl_pem.size()), ctx));
  Val resp(KORVU_TYPE_OCSPRESPONSE, decode(KORVU_TYPE_OCSPRESPONSE, read_file(dir + "/resp.der"), ctx));
  if (std::system("/usr/bin/python3 -c 'import asn1crypto.pdf' 2>/dev/null") != 0) {
    if (under_ci()) ADD_FAILURE() << "python3-asn1crypto missing";
    GTEST_SKIP() << "python3-asn1crypto missing";
  }
  std::ofstream(dir + "/pdf.py")
      << "import sys\nfrom asn1crypto import pdf, crl, ocsp, pem\n"
         "d = open(sys.argv[1], 'rb').read()\nd = pem.unarmor(d)[2] if pem.detect(d) else d\n"
         "a = pdf.RevocationInfoArchival({'crl': [crl.CertificateList.load(d)], 'ocsp': "
         "[ocsp.OCSPResponse.load(open(sys.argv[2], 'rb').read())],"
         " 'other_rev_info': [{'type': '1.2.3', 'value': b'\\x01'}]})\nopen(sys.argv[3], 'wb').write(a.dump())\n"
         "b = pdf.RevocationInfoArchival.load(open(sys.argv[4], 'rb').read())\n"
         "print(len(b['crl']), len(b['ocsp']), b['other_rev_info'][0]['type'].dotted, b.dump() == a.dump())\n";
  Val oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.3"));
  Val one(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new("\x01", 1));
  Val other(KORVU_TYPE_PDF_OTHERREVINFO,
            korvu_adobe_otherrevinfo_new(oid.as<KORVU_ASN1_OID>(), one.as<KORVU_ASN1_OCTETSTRING>()));
  Val l1(KORVU_TYPE_PDF_CRLS, list_of({crl.v}, KORVU_TYPE_CERTIFICATELIST));
  Val l2(KORVU_TYPE_PDF_OCSP_RESPONSES, list_of({resp.v}, KORVU_TYPE_OCSPRESPONSE));
  Val l3(KORVU_TYPE_PDF_OTHERREVINFOS, list_of({other.v}, KORVU_TYPE_PDF_OTHERREVINFO));
  Val built(KORVU_TYPE_REVOCATIONINFOARCHIVAL,
            korvu_adobe_revocationinfoarchival_new(l1.as<KORVU_ASN1_LIST>(), l2.as<KORVU_ASN1_LIST>(),
                                                   l3.as<KORVU_ASN1_LIST>()));
  write_file(dir + "/ours.der", encode(KORVU_TYPE_REVOCATIONINFOARCHIVAL, built.v));
  EXPECT_EQ(run_command("/usr/bin/python3 " + dir + "/pdf.py " + crls + "/full.pem " + dir + "/resp.der " + dir +
                        "/theirs.der " + dir + "/ours.der"),
            "1 1 1.2.3 True\n");
  const Bytes theirs = read_file(dir + "/theirs.der");
  Val v(KORVU_TYPE_REVOCATIONINFOARCHIVAL, decode(KORVU_TYPE_REVOCATIONINFOARCHIVAL, theirs, ctx));
  EXPECT_EQ(encode(KORVU_TYPE_REVOCATIONINFOARCHIVAL, v.v), theirs);
  auto *a = v.as<KORVU_ADOBE_REVOCATIONINFOARCHIVAL>();
  EXPECT_EQ(der_hex(KORVU_TYPE_OCSPRESPONSE, item(korvu_adobe_revocationinfoarchival_getocsp(a), 0)),
            lower_hex(read_file(dir + "/resp.der")));
  EXPECT_EQ(octets_hex(korvu_adobe_otherrevinfo_getvalue(static_cast<KORVU_ADOBE_OTHERREVINFO *>(
                item(korvu_adobe_revocationinfoarchival_getotherrevinfo(a), 0)))),
            "01");
  std::system(("rm -rf " + dir).c_str());
}

// A TSA configured with ess_cert_id_chain names its certificate and the CA's in one signingCertificateV2, its own
// without issuerSerial (openssl 3.0 writes it for the chain only); references and values built by the constructors from openssl's certificate, CRL and OCSP
// response give the octets composed here from the same parts (RFC 5126).
TEST(CadesOpenssl, ChainReferencesAndValues) {
  const std::string dir = make_openssl_data(), crls = openssl_made_dir();
  if (dir.empty() || crls.empty()) GTEST_SKIP() << "openssl missing";
  ASSERT_EQ(std::system(("cd " + dir + " && sed 's/^ess_cert_id_alg.*/&\\ness_cert_id_chain = yes/' tsa.cnf > c.cnf" +
                         " && openssl ts -reply -queryfile q.tsq -config c.cnf -out rc.tsr >/dev/null 2>&1").c_str()), 0);
  const Bytes tsr = read_file(dir + "/rc.tsr");
  std::vector<Found> found;
  walk(tsr, 0, tsr.size(), 0, "rc.tsr", found);
  ASSERT_TRUE(found.size() == 1 && found[0].type == KORVU_TYPE_SIGNINGCERTIFICATEV2);
  ErrCtx ctx;
  Val sc(KORVU_TYPE_SIGNINGCERTIFICATEV2, decode(KORVU_TYPE_SIGNINGCERTIFICATEV2, found[0].der, ctx));
  ASSERT_EQ(encode(KORVU_TYPE_SIGNINGCERTIFICATEV2, sc.v), found[0].der);
  const auto ids =
      list_items<KORVU_ESS_CERTIDV2>(korvu_ess_signingcertificate_getcerts(sc.as<KORVU_ESS_SIGNINGCERTIFICATE>()));
  ASSERT_EQ(ids.size(), 2u);
  EXPECT_EQ(octets_hex(korvu_ess_certidv2_getcerthash(ids[0])) + " " +
                octets_hex(korvu_ess_certidv2_getcerthash(ids[1])),
            lower_hex(fingerprint(dir + "/tsa.pem", "sha256")) + " " + lower_hex(fingerprint(dir + "/ca.pem", "sha256")));
  const Bytes ca_pem = read_file(dir + "/ca.pem");
  Val ca(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(ca_pem.data(), static_cast<int32_t>(ca_pem.size()), ctx));
  EXPECT_EQ(korvu_ess_certidv2_getissuersn(ids[0]), nullptr);
  EXPECT_EQ(der_hex(KORVU_TYPE_INTEGER, korvu_ess_issuerserial_getsn(korvu_ess_certidv2_getissuersn(ids[1]))),
            der_hex(KORVU_TYPE_INTEGER, korvu_x509pubkeycert_getserialno(ca.as<KORVU_X509_CERT>())));

  const Bytes crl_pem = read_file(crls + "/full.pem");
  Val crl(KORVU_TYPE_CERTIFICATELIST, korvu_x509crl_new(crl_pem.data(), static_cast<int32_t>(crl_pem.size()), ctx));
  Val resp(KORVU_TYPE_OCSPRESPONSE, decode(KORVU_TYPE_OCSPRESPONSE, read_file(dir + "/resp.der"), ctx));
  ASSERT_TRUE(crl.v && resp.v);
  const Bytes basic_der = contents(encode(KORVU_TYPE_OCTET_STRING, korvu_ocsp_responsebytes_getresponse(
                                                                       korvu_ocsp_ocspresponse_getresponse(
                                                                           resp.as<KORVU_OCSP_OCSPRESPONSE>()))));
  Val basic(KORVU_TYPE_BASICOCSPRESPONSE, decode(KORVU_TYPE_BASICOCSPRESPONSE, basic_der, ctx));
  auto *rd = korvu_ocsp_basicocspresponse_gettbs(basic.as<KORVU_OCSP_BASICRESPONSE>());
  auto *x = crl.as<KORVU_X509_CRL>();
  const Bytes crl_sha1 = fingerprint(crls + "/full.pem", "sha1", "crl");
  const Bytes cert_sha1 = fingerprint(dir + "/tsa.pem", "sha1");
  const Bytes resp_sha1 = hex(run_command("openssl dgst -sha1 -r " + dir + "/resp.der").substr(0, 40));
  auto other_hash = [](const Bytes &b) {
    Val os(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(b.data(), static_cast<uint32_t>(b.size())));
    return korvu_otherhash_newsha1(os.as<KORVU_ASN1_OCTETSTRING>());
  };
  Val oh_crl(KORVU_TYPE_OTHERHASH, other_hash(crl_sha1)), oh_resp(KORVU_TYPE_OTHERHASH, other_hash(resp_sha1)),
      oh_cert(KORVU_TYPE_OTHERHASH, other_hash(cert_sha1));
  Val crl_id(KORVU_TYPE_CRLIDENTIFIER,
             korvu_crlidentifier_new(korvu_x509crl_getissuer(x), korvu_x509crl_getthisupdate(x), nullptr));
  Val vid(KORVU_TYPE_CRLVALIDATEDID,
          korvu_crlvalidatedid_new(oh_crl.as<KORVU_CADES_OTHERHASH>(), crl_id.as<KORVU_CADES_CRLIDENTIFIER>()));
  Val vids(KORVU_TYPE_CRLVALIDATEDIDS, list_of({vid.v}, KORVU_TYPE_CRLVALIDATEDID));
  Val crl_list(KORVU_TYPE_CRLLISTID, korvu_crllistid_new(vids.as<KORVU_ASN1_LIST>()));
  Val ocsp_id(KORVU_TYPE_OCSPIDENTIFIER, korvu_ocspidentifier_new(korvu_ocsp_responsedata_getrespid(rd),
                                                                  korvu_ocsp_responsedata_getproducedat(rd)));
  Val rid(KORVU_TYPE_OCSPRESPONSESID, korvu_ocspresponsesid_new(ocsp_id.as<KORVU_CADES_OCSPIDENTIFIER>(),
                                                                oh_resp.as<KORVU_CADES_OTHERHASH>()));
  Val rids(KORVU_TYPE_OCSPRESPONSESIDS, list_of({rid.v}, KORVU_TYPE_OCSPRESPONSESID));
  Val ocsp_list(KORVU_TYPE_OCSPLISTID, korvu_ocsplistid_new(rids.as<KORVU_ASN1_LIST>()));
  Val ref(KORVU_TYPE_CRLOCSPREF, korvu_crlocspref_new(crl_list.as<KORVU_CADES_CRLLISTID>(),
                                                      ocsp_list.as<KORVU_CADES_OCSPLISTID>(), nullptr));
  Val refs(KORVU_TYPE_COMPLETEREVOCATIONREFS, list_of({ref.v}, KORVU_TYPE_CRLOCSPREF));
  Val cid(KORVU_TYPE_OTHERCERTID, korvu_othercertid_new(oh_cert.as<KORVU_CADES_OTHERHASH>(), nullptr));
  Val cids(KORVU_TYPE_OTHERCERTIDS, list_of({cid.v}, KORVU_TYPE_OTHERCERTID));
  Val crl_vals(KORVU_TYPE_CRLS, list_of({crl.v}, KORVU_TYPE_CERTIFICATELIST));
  Val basic_vals(KORVU_TYPE_BASICOCSPRESPONSES, list_of({basic.v}, KORVU_TYPE_BASICOCSPRESPONSE));
  Val values(KORVU_TYPE_REVOCATIONVALUES, korvu_revocationvalues_new(crl_vals.as<KORVU_ASN1_LIST>(),
                                                                     basic_vals.as<KORVU_ASN1_LIST>(), nullptr));
  auto seq = [](const Bytes &b) { return der_tlv(0x30, b); };
  const Bytes crl_ref = seq(seq(seq(cat_bytes(
      {der_tlv(0x04, crl_sha1), seq(cat_bytes({encode(KORVU_TYPE_NAME, korvu_x509crl_getissuer(x)),
                                               encode(KORVU_TYPE_TIME, korvu_x509crl_getthisupdate(x))}))}))));
  const Bytes ocsp_ref = seq(seq(seq(cat_bytes(
      {seq(cat_bytes({encode(KORVU_TYPE_RESPONDERID, korvu_ocsp_responsedata_getrespid(rd)),
                      encode(KORVU_TYPE_GENERALIZEDTIME, korvu_ocsp_responsedata_getproducedat(rd))})),
       der_tlv(0x04, resp_sha1)}))));
  const std::vector<std::pair<Val *, Bytes>> want = {
      {&refs, seq(seq(cat_bytes({der_tlv(0xA0, crl_ref), der_tlv(0xA1, ocsp_ref)})))},
      {&cids, seq(seq(der_tlv(0x04, cert_sha1)))},
      {&values, seq(cat_bytes({der_tlv(0xA0, seq(encode(KORVU_TYPE_CERTIFICATELIST, crl.v))),
                               der_tlv(0xA1, seq(basic_der))}))}};
  for (const auto &[v, der] : want) {
    EXPECT_EQ(to_hex(encode(v->type, v->v)), to_hex(der)) << v->type;
    Val back(v->type, decode(v->type, der, ctx));
    EXPECT_EQ(encode(v->type, back.v), der) << v->type;
  }
  std::system(("rm -rf " + dir).c_str());
}
