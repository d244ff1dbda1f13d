// Signed messages (RFC 5652, RFC 2315): corpus files and fresh openssl output decoded as ContentInfo and as
// SignedData in both forms and by the streaming decoder, every offset checked against an independent walk of the
// octets, the getters compared with pyasn1-modules (tests/asn1_peer.py), a SignedData built with the constructors
// that openssl verifies, the SignedData record's offsets and wrapper kind, malformed input for the generic and the
// streaming decoders, and the command-line summary and signeddata command.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "input.h"
#include "vectors.h"

using namespace korvu_test;

namespace {

constexpr uint32_t kCi = KORVU_TYPE_CONTENTINFO;
constexpr uint32_t kSd7 = KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM;
constexpr uint32_t kSdCms = KORVU_TYPE_SIGNEDDATA_CMS_FORM;
const std::string kIdData = "06 09 2A 86 48 86 F7 0D 01 07 01 ", kIdSigned = "06 09 2A 86 48 86 F7 0D 01 07 02 ";
// SignedData contents up to contentInfo: version 1, no digest algorithms, contentInfo { id-data }.
const std::string kSdHead = "02 01 01 31 00 30 0B " + kIdData;

// ---- an independent walk of BER octets ---------------------------------------------
struct Tlv {
  size_t start = 0, body = 0, end = 0;  // identifier, first contents octet, first octet after
  unsigned char id = 0;
  bool ok = false;
};

Tlv walk(const Bytes &b, size_t pos, size_t limit) {
  Tlv t;
  t.start = pos;
  if (pos + 2 > limit) return t;
  t.id = b[pos++];
  if ((t.id & 0x1F) == 0x1F)
    while (pos < limit && (b[pos++] & 0x80)) {
    }
  if (pos >= limit) return t;
  const unsigned char l = b[pos++];
  if (l == 0x80) {
    t.body = pos;
    while (true) {
      if (pos + 2 > limit) return t;
      if (b[pos] == 0 && b[pos + 1] == 0) {
        t.end = pos + 2;
        t.ok = true;
        return t;
      }
      Tlv in = walk(b, pos, limit);
      if (!in.ok) return t;
      pos = in.end;
    }
  }
  size_t n = l;
  if (l > 0x80) {
    n = 0;
    for (int i = 0; i < (l & 0x7F); i++) {
      if (pos >= limit) return t;
      n = n << 8 | b[pos++];
    }
  }
  t.body = pos;
  t.end = pos + n;
  t.ok = t.end <= limit;
  return t;
}

// Where the parts of a signed message lie, found by walking it.
struct Layout {
  bool ok = false;
  uint32_t kind = 1;
  size_t sd = 0, sd_body = 0;            // the SignedData element
  size_t ci = 0, ci_end = 0, si = 0;     // contentInfo, the octet after it, signerInfos
  std::vector<Bytes> signed_attrs;       // each signer's [0] as received
};

Layout layout(const Bytes &b) {
  Layout l;
  Tlv outer = walk(b, 0, b.size());
  if (!outer.ok) return l;
  Tlv first = walk(b, outer.body, outer.end);
  Tlv sd = outer;
  if (first.id == 0x06) {
    const Bytes gmt = hex("2A 81 1C CF 55 06 01 04 02 02");
    l.kind = Bytes(b.begin() + first.body, b.begin() + first.end) == gmt ? 2 : 0;
    Tlv wrapper = walk(b, first.end, outer.end);
    sd = walk(b, wrapper.body, wrapper.end);
  }
  l.sd = sd.start;
  l.sd_body = sd.body;
  Tlv version = walk(b, sd.body, sd.end);
  Tlv digests = walk(b, version.end, sd.end);
  Tlv ci = walk(b, digests.end, sd.end);
  l.ci = ci.start;
  l.ci_end = ci.end;
  Tlv next = walk(b, ci.end, sd.end);
  while (next.ok && (next.id == 0xA0 || next.id == 0xA1)) next = walk(b, next.end, sd.end);
  if (!next.ok || next.id != 0x31) return l;
  l.si = next.start;
  for (size_t p = next.body; p + 2 <= b.size() && !(b[p] == 0 && b[p + 1] == 0) && p < next.end;) {
    Tlv si = walk(b, p, next.end);
    if (!si.ok) return l;
    Tlv c = walk(b, si.body, si.end);
    for (int i = 0; i < 3 && c.ok; i++) c = walk(b, c.end, si.end);  // version, sid, digestAlgorithm
    if (c.ok && c.id == 0xA0) l.signed_attrs.emplace_back(b.begin() + c.start, b.begin() + c.end);
    p = si.end;
  }
  l.ok = true;
  return l;
}

bool is_der_twin(const Bytes &b) {
  for (size_t i = 0; i + 1 < b.size(); i++)
    if ((b[i] & 0x20) && b[i + 1] == 0x80) return false;  // a cheap look for indefinite lengths
  return true;
}

// Everything the tests check of one signed message (a ContentInfo of signed data, or a bare SignedData).
void check_signed_message(const Bytes &msg, const std::string &label) {
  SCOPED_TRACE(label);
  const Layout l = layout(msg);
  ASSERT_TRUE(l.ok) << "the independent walk failed";
  const bool der = is_der_twin(msg);
  ErrCtx ctx;

  // Generic decode of the SignedData element alone, as 133 and 134.
  const Bytes sd_bytes(msg.begin() + l.sd, msg.begin() + walk(msg, l.sd, msg.size()).end);
  Val sd(kSd7, decode(kSd7, sd_bytes, ctx));
  ASSERT_NE(sd.v, nullptr) << "first code " << std::hex << (ctx.count() ? ctx.codes()[0] : 0);
  auto *s = sd.as<KORVU_PKCS7_SIGNEDDATA>();
  EXPECT_EQ(korvu_pkcs7signeddata_gettype(s), 1u);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfooffset(s), l.ci - l.sd);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfoendoffset(s), l.ci_end - l.sd);
  EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(s), l.si - l.sd);
  const Bytes again = encode(kSd7, s);
  if (der) {
    EXPECT_EQ(again, sd_bytes) << "DER re-encodes byte for byte";
    // each signer's signed attributes, written as a SET, are the octets received under [0]
    auto signers = list_items<KORVU_CMS_SIGNERINFO>(korvu_pkcs7signeddata_getsignerinfos(s));
    size_t with = 0;
    for (auto *si : signers) {
      if (!korvu_cmssignerinfo_hassignattrs(si)) continue;
      ASSERT_LT(with, l.signed_attrs.size());
      Bytes want = l.signed_attrs[with++];
      want[0] = 0x31;
      EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTES, korvu_cmssignerinfo_getsignattrs(si)), want);
    }
    EXPECT_EQ(with, l.signed_attrs.size());
  } else {
    Val twice(kSd7, decode(kSd7, again, ctx));
    ASSERT_NE(twice.v, nullptr);
    EXPECT_EQ(encode(kSd7, twice.v), again) << "encode, decode, encode gives the same octets";
  }
  // The CMS form: offsets from the first contents octet; refused when the content is not an OCTET STRING.
  const KORVU_ASN1_ANY *content = korvu_pkcs7contentinfo_getcontent(korvu_pkcs7signeddata_getcontentinfo(s));
  const bool octets = content == nullptr || (content->tag_class == 0 && content->tag_number == 4);
  ctx.clear();
  Val cms(kSdCms, decode(kSdCms, sd_bytes, ctx));
  EXPECT_EQ(cms.v != nullptr, octets);
  if (octets && cms.v != nullptr) {
    EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfooffset(cms.as<KORVU_PKCS7_SIGNEDDATA>()), l.ci - l.sd_body);
    EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(cms.as<KORVU_PKCS7_SIGNEDDATA>()), l.si - l.sd_body);
  } else if (!octets) {
    EXPECT_TRUE(ctx.has(0x10355));
    EXPECT_TRUE(encode(kSdCms, s).empty()) << "the same record does not encode in the CMS form";
  }

  // The streaming decoder on the whole message.
  ctx.clear();
  KORVU_STREAM *m = korvu_stream_new_romem(msg.data(), static_cast<uint32_t>(msg.size()));
  KORVU_PKCS7_SIGNEDDATA *st = nullptr;
  uint32_t consumed = 0;
  ASSERT_EQ(korvu_asn1_decode_pkcs7signeddata(m, &st, &consumed, ctx), 1);
  korvu_stream_free(m);
  Val owned(kSd7, st);
  EXPECT_EQ(korvu_pkcs7signeddata_gettype(st), l.kind);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfooffset(st), l.ci);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfoendoffset(st), l.ci_end);
  EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(st), l.si);
  EXPECT_EQ(consumed, walk(msg, 0, msg.size()).end);
  EXPECT_EQ(encode(kSd7, st), again) << "the streamed record holds what the generic decode holds";
}

// ---- openssl ----------------------------------------------------------------------------
bool run(const std::string &cmd) { return std::system(("( " + cmd + " ) >/dev/null 2>&1").c_str()) == 0; }

// openssl's output, made once per run in a folder removed at exit: a CA, a signer certificate it issued (s.pem,
// s.key), a second self-signed signer (e.pem, e.key), a CRL of the CA, a data file, and the messages below
// (NAME.der: cms -sign variants, crl2pkcs7 output, and "gmt", the streamed one under the GM/T signed-data OID).
// No folder when openssl is missing or fails.
struct Openssl {
  std::string dir;
  std::map<std::string, Bytes> messages;
  Openssl() {
    char t[] = "/tmp/korvu_cms_XXXXXX";
    if (!run("openssl version") || mkdtemp(t) == nullptr) return;
    dir = t;
    const std::string o = " && openssl ";
    if (!run("cd " + dir + o + "req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -subj /CN=CA -days 30" +
             o + "req -newkey rsa:2048 -nodes -keyout s.key -out s.csr -subj /CN=Signer/O=Korvu" +
             " && printf 'subjectKeyIdentifier=hash\\n' > ext.cnf" + o +
             "x509 -req -in s.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out s.pem -days 30 -extfile ext.cnf" + o +
             "req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout e.key -out e.pem -subj /CN=Second"
             " -days 30 && printf 'hello signed world\\n' > data.txt && : > index.txt && echo 01 > crlnumber"
             " && printf '[ca]\\ndefault_ca=c\\n[c]\\ndatabase=index.txt\\ncrlnumber=crlnumber\\ndefault_md=sha256\\n"
             "default_crl_days=30\\n' > ca.cnf" + o + "ca -gencrl -config ca.cnf -keyfile ca.key -cert ca.pem -out ca.crl")) {
      ADD_FAILURE() << "openssl could not make the keys in " << dir;
      return;
    }
    const std::string sign = "openssl cms -sign -binary -in data.txt -outform DER -signer s.pem -inkey s.key ";
    const std::map<std::string, std::string> cmds = {
        {"detached", sign},
        {"nodetach", sign + "-nodetach"},
        {"stream", sign + "-nodetach -stream"},
        {"nocerts_noattr", sign + "-nodetach -nocerts -noattr"},
        {"keyid", sign + "-nodetach -keyid"},
        {"two_signers", sign + "-signer e.pem -inkey e.key -md sha384 -certfile ca.pem"},
        {"cades", sign + "-nodetach -cades"},
        {"pss", sign + "-keyopt rsa_padding_mode:pss"},
        {"crl2pkcs7", "openssl crl2pkcs7 -in ca.crl -certfile s.pem -outform DER"},
        {"crl2pkcs7_nocrl", "openssl crl2pkcs7 -nocrl -certfile s.pem -outform DER"},
    };
    for (const auto &[name, cmd] : cmds) {
      if (run("cd " + dir + " && " + cmd + " -out " + name + ".der"))
        messages[name] = read_file(*this / (name + ".der"));
      else
        ADD_FAILURE() << "openssl failed: " << cmd;
    }
    Bytes g = messages["stream"];
    const Bytes from = hex("06 09 2A 86 48 86 F7 0D 01 07 02"), to = hex("06 0A 2A 81 1C CF 55 06 01 04 02 02");
    auto at = std::search(g.begin(), g.end(), from.begin(), from.end());
    if (at == g.end()) return;
    at = g.insert(g.erase(at, at + static_cast<long>(from.size())), to.begin(), to.end());
    messages["gmt"] = g;
  }
  ~Openssl() {
    if (!dir.empty()) std::system(("rm -rf " + dir).c_str());
  }
  std::string operator/(const std::string &f) const { return dir + "/" + f; }
};

const Openssl &openssl() {
  static const Openssl o;
  if (o.dir.empty() && under_ci()) ADD_FAILURE() << "openssl missing or failing";
  return o;
}

// ---- pyasn1's reading -------------------------------------------------------------------
// pyasn1's reading of signed messages: as RFC 5652's SignedData, or as RFC 2315's when the content is not an
// OCTET STRING; the SignedData under "/content~".
std::map<std::string, std::pair<PeerDump, bool>> run_peer(const std::string &python,
                                                          const std::vector<std::string> &files) {
  std::map<std::string, std::pair<PeerDump, bool>> out;
  for (const char *module : {"rfc2315", "rfc5652"}) {
    std::vector<PeerJob> jobs;
    for (const std::string &f : files) jobs.push_back({f, module + std::string(".ContentInfo"), f, ""});
    for (auto &[path, d] : run_asn1_peer(python, jobs, {"1.2.840.113549.1.7.2\t" + std::string(module) + ".SignedData"}))
      if (d.error.empty() && d.at.count("/content~") && d.at["/content~"][0] != '!')
        out[path] = {d, std::string(module) == "rfc5652"};
  }
  return out;
}

// The library's reading of a ContentInfo of signed data by the paths of rfc5652 (`cms`) or rfc2315.
LibDump lib_dump(const Bytes &msg, bool cms) {
  LibDump o;
  ErrCtx ctx;
  Val ci(kCi, decode(kCi, msg, ctx));
  if (ci.v == nullptr) return o;
  void *v = nullptr;
  korvu_asn1_any_toobject(korvu_pkcs7contentinfo_getcontent(ci.as<KORVU_PKCS7_CONTENTINFO>()), kSd7, &v, ctx);
  Val sdv(kSd7, v);
  auto *sd = sdv.as<KORVU_PKCS7_SIGNEDDATA>();
  if (sd == nullptr) return o;
  const std::string s = "/content~";
  o.der(s + "/version", KORVU_TYPE_INTEGER, korvu_pkcs7signeddata_getversion(sd));
  o.list_der(s + "/digestAlgorithms", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_pkcs7signeddata_getdigestalgos(sd));
  o.der(s + (cms ? "/encapContentInfo/eContent" : "/contentInfo/content"), KORVU_TYPE_ANY,
        korvu_pkcs7contentinfo_getcontent(korvu_pkcs7signeddata_getcontentinfo(sd)));
  if (korvu_pkcs7signeddata_hascerts(sd))
    o.list<KORVU_CMS_CERTCHOICE>(s + "/certificates", korvu_pkcs7signeddata_getcerts(sd), [&](auto &p, auto *c) {
      o.der(p + "/certificate", KORVU_TYPE_CERTIFICATE, korvu_cmscertchoice_getx509pubkeycert(c));
    });
  o.list<KORVU_CMS_REVINFOCHOICE>(s + "/crls", korvu_pkcs7signeddata_getcrls(sd), [&](auto &p, auto *c) {
      o.der(p + (cms ? "/crl" : ""), KORVU_TYPE_CERTIFICATELIST, korvu_cmsrevinfochoice_getcrl(c));
    });
  o.list<KORVU_CMS_SIGNERINFO>(s + "/signerInfos", korvu_pkcs7signeddata_getsignerinfos(sd), [&](auto &p, auto *si) {
    const KORVU_CMS_SIGNERID *sid = korvu_cmssignerinfo_getsid(si);
    o.der(p + "/version", KORVU_TYPE_INTEGER, korvu_cmssignerinfo_getversion(si));
    o.der(p + (cms ? "/sid/issuerAndSerialNumber" : "/issuerAndSerialNumber"), KORVU_TYPE_ISSUERANDSERIALNUMBER,
          korvu_cmssignerid_getissuersn(sid));
    if (cms) o.der(p + "/sid/subjectKeyIdentifier", KORVU_TYPE_OCTET_STRING, korvu_cmssignerid_getkeyid(sid));
    o.der(p + "/digestAlgorithm", KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_cmssignerinfo_getdigestalgo(si));
    o.der(p + (cms ? "/signatureAlgorithm" : "/digestEncryptionAlgorithm"), KORVU_TYPE_ALGORITHMIDENTIFIER,
          korvu_cmssignerinfo_getsignalgo(si));
    o.der(p + (cms ? "/signature" : "/encryptedDigest"), KORVU_TYPE_OCTET_STRING, korvu_cmssignerinfo_getsignature(si));
    const std::string a = p + (cms ? "/signedAttrs" : "/authenticatedAttributes");
    if (korvu_cmssignerinfo_hassignattrs(si))
      o.list_der(a, KORVU_TYPE_ATTRIBUTE_PLAIN, korvu_cmssignerinfo_getsignattrs(si));
    else
      o.at[a] = "-";
    const std::string u = p + (cms ? "/unsignedAttrs" : "/unauthenticatedAttributes");
    if (korvu_cmssignerinfo_hasunsignattrs(si))
      o.at[u + "/#"] = std::to_string(korvu_asn1_list_getsize(korvu_cmssignerinfo_getunsignattrs(si)));
    else
      o.at[u] = "-";
  });
  return o;
}

// Corpus rows of signed messages.
struct CorpusFile {
  std::string path;
  Bytes bytes;
  bool der;
};

std::vector<CorpusFile> corpus_signed_messages(bool bare_too) {
  std::vector<CorpusFile> out;
  const Bytes oid = hex("06 09 2A 86 48 86 F7 0D 01 07 02");
  for (const auto &row : corpus_manifest()) {
    if (row.expect != "valid" || (row.encoding != "der" && row.encoding != "ber")) continue;
    if (row.type == "SignedData" && bare_too) {
      out.push_back({corpus_dir() + "/" + row.path, read_file(corpus_dir() + "/" + row.path), true});
      continue;
    }
    if (row.type != "ContentInfo") continue;
    Bytes b = read_file(corpus_dir() + "/" + row.path);
    Tlv outer = walk(b, 0, b.size());
    Tlv first = walk(b, outer.body, outer.end);
    if (!first.ok || Bytes(b.begin() + first.start, b.begin() + first.end) != oid) continue;
    out.push_back({corpus_dir() + "/" + row.path, b, row.encoding == "der"});
  }
  return out;
}

// ---- built with the constructors -----------------------------------------------------------
// Owns a list of values of one type.
struct List {
  uint32_t type;
  KORVU_ASN1_LIST *l = korvu_asn1_list_new();
  explicit List(uint32_t t) : type(t) {}
  ~List() { korvu_asn1_list_free(l, type); }
  List &add(void *v) {
    EXPECT_NE(v, nullptr);
    EXPECT_EQ(korvu_asn1_list_put(l, v), 1);
    return *this;
  }
};

KORVU_ASN1_ANY *any_of(uint32_t type, const void *v) { return korvu_asn1_objecttoany(type, v); }

KORVU_X500_ATTRIBUTE *attribute(const char *oid, uint32_t type, const void *value) {
  Val o(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new(oid));
  List values(KORVU_TYPE_ANY);
  values.add(any_of(type, value));
  return korvu_x500attribute_new(static_cast<KORVU_ASN1_OID *>(o.v), values.l);
}

// Builds ContentInfo { signedData, SignedData } over data.txt with the constructors, signed by s.pem's key;
// `attached`: the data is inside.
Bytes build_message(const Openssl &d, bool attached) {
  const Bytes data = read_file(d / "data.txt");
  const Bytes cert_pem = read_file(d / "s.pem");
  ErrCtx ctx;
  Val cert(KORVU_TYPE_CERTIFICATE, korvu_x509pubkeycert_new(cert_pem.data(), static_cast<int32_t>(cert_pem.size()), ctx));
  EXPECT_NE(cert.v, nullptr);
  if (cert.v == nullptr) return {};
  auto *c = cert.as<KORVU_X509_CERT>();

  Val id_data(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.840.113549.1.7.1"));
  const Bytes digest = hex(run_command("openssl dgst -sha256 -r " + d / "data.txt").substr(0, 64));
  Val md(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(digest.data(), static_cast<int32_t>(digest.size())));
  // messageDigest first, contentType second: sorting puts them in DER order (the SET OF's elements by encoding).
  List attrs(KORVU_TYPE_ATTRIBUTE_PLAIN);
  attrs.add(attribute("1.2.840.113549.1.9.4", KORVU_TYPE_OCTET_STRING, md.v));
  attrs.add(attribute("1.2.840.113549.1.9.3", KORVU_TYPE_OBJECT_IDENTIFIER, id_data.v));
  const Bytes unsorted = encode(KORVU_TYPE_ATTRIBUTES, attrs.l);
  EXPECT_EQ(korvu_asn1_pkcs10attributes_sort(attrs.l), 1);
  const Bytes sorted = encode(KORVU_TYPE_ATTRIBUTES, attrs.l);
  EXPECT_NE(sorted, unsorted) << "a list built out of DER order is written in its own order until sorted";
  std::ofstream(d / "attrs.der", std::ios::binary).write(reinterpret_cast<const char *>(sorted.data()),
                                                         static_cast<long>(sorted.size()));
  EXPECT_TRUE(run("openssl dgst -sha256 -sign " + d / "s.key" + " -out " + d / "sig.bin " + d / "attrs.der"));
  const Bytes sig = read_file(d / "sig.bin");

  Val one(KORVU_TYPE_INTEGER, korvu_asn1_integer_new("\x01", 1));
  Val ias(KORVU_TYPE_ISSUERANDSERIALNUMBER,
          korvu_cmsissuerandsn_new(korvu_x509pubkeycert_getissuer(c), korvu_x509pubkeycert_getserialno(c)));
  Val sid(KORVU_TYPE_SIGNERIDENTIFIER, korvu_cmssignerid_newissuersn(ias.as<KORVU_CMS_ISSUERANDSN>()));
  Val sha256_oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("2.16.840.1.101.3.4.2.1"));
  Val rsa_oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.840.113549.1.1.1"));
  Val sha256(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509algoid_new_without_param(sha256_oid.as<KORVU_ASN1_OID>()));
  Val rsa(KORVU_TYPE_ALGORITHMIDENTIFIER, korvu_x509algoid_new(rsa_oid.as<KORVU_ASN1_OID>(), KORVU_TYPE_NULL, nullptr));
  Val sigv(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(sig.data(), static_cast<int32_t>(sig.size())));
  Val si(KORVU_TYPE_SIGNERINFO,
         korvu_cmssignerinfo_new(one.as<KORVU_ASN1_INTEGER>(), sid.as<KORVU_CMS_SIGNERID>(),
                                 sha256.as<KORVU_X509_ALGID>(), attrs.l, rsa.as<KORVU_X509_ALGID>(),
                                 sigv.as<KORVU_ASN1_OCTETSTRING>(), nullptr));
  EXPECT_NE(si.v, nullptr);

  Val content_os(KORVU_TYPE_OCTET_STRING, korvu_asn1_octetstring_new(data.data(), static_cast<int32_t>(data.size())));
  Val content(KORVU_TYPE_ANY, any_of(KORVU_TYPE_OCTET_STRING, content_os.v));
  Val eci(kCi, korvu_pkcs7contentinfo_new(id_data.as<KORVU_ASN1_OID>(),
                                          attached ? content.as<KORVU_ASN1_ANY>() : nullptr));
  List digests(KORVU_TYPE_ALGORITHMIDENTIFIER), certs(KORVU_TYPE_CERTIFICATECHOICES), signers(KORVU_TYPE_SIGNERINFO);
  digests.add(korvu_asn1_dupobject(KORVU_TYPE_ALGORITHMIDENTIFIER, sha256.v, nullptr));
  certs.add(korvu_cmscertchoice_newx509pubkeycert(c));
  signers.add(korvu_asn1_dupobject(KORVU_TYPE_SIGNERINFO, si.v, nullptr));
  Val sd(kSd7, korvu_pkcs7signeddata_new(one.as<KORVU_ASN1_INTEGER>(), digests.l, eci.as<KORVU_PKCS7_CONTENTINFO>(),
                                         certs.l, nullptr, signers.l));
  EXPECT_NE(sd.v, nullptr);
  if (sd.v == nullptr) return {};
  auto *s = sd.as<KORVU_PKCS7_SIGNEDDATA>();
  EXPECT_EQ(korvu_pkcs7signeddata_gettype(s), 1u);
  EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfooffset(s), 0xFFFFFFFFu) << "no offsets before the first encode";
  EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(s), 0xFFFFFFFFu);

  Val signed_oid(KORVU_TYPE_OBJECT_IDENTIFIER, korvu_asn1_oid_new("1.2.840.113549.1.7.2"));
  Val wrapped(KORVU_TYPE_ANY, any_of(kSd7, s));
  Val ci(kCi, korvu_pkcs7contentinfo_new(signed_oid.as<KORVU_ASN1_OID>(), wrapped.as<KORVU_ASN1_ANY>()));
  return encode(kCi, ci.v);
}

}  // namespace

// Every ContentInfo of the corpus decodes as type 111 and re-encodes (DER: byte for byte; BER: stably); the signed
// ones pass every check of check_signed_message.
TEST(Cms, CorpusMessages) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  size_t content_infos = 0, signed_messages = 0;
  for (const auto &row : corpus_manifest()) {
    if (row.type != "ContentInfo" || row.expect != "valid" || (row.encoding != "der" && row.encoding != "ber"))
      continue;
    const Bytes b = read_file(corpus_dir() + "/" + row.path);
    SCOPED_TRACE(row.path);
    ErrCtx ctx;
    uint32_t used = 0;
    Val ci(kCi, decode(kCi, b, ctx, &used));
    ASSERT_NE(ci.v, nullptr);
    EXPECT_EQ(used, walk(b, 0, b.size()).end);  // some files have a trailing octet
    content_infos++;
    const Bytes again = encode(kCi, ci.v);
    if (row.encoding == "der") {
      EXPECT_EQ(again, b);
    } else {
      Val twice(kCi, decode(kCi, again, ctx));
      ASSERT_NE(twice.v, nullptr);
      EXPECT_EQ(encode(kCi, twice.v), again);
    }
  }
  for (const auto &f : corpus_signed_messages(true)) {
    check_signed_message(f.bytes, f.path);
    signed_messages++;
  }
  EXPECT_GT(content_infos, 150u);
  EXPECT_GT(signed_messages, 50u);
  // The two broken SignerInfo files fail as SignerInfos; the element of the second (a SEQUENCE where a SET
  // belongs) is a SignerInfo.
  const Bytes explicit_attrs = read_file(corpus_dir() + "/cms/rustcrypto__cms_signer_info_explicit_attrs.bin");
  const Bytes not_set = read_file(corpus_dir() + "/cms/rustcrypto__cms_signer_info_sequence_not_set.bin");
  ASSERT_GT(not_set.size(), 4u);
  ErrCtx ctx;
  for (const Bytes *b : {&explicit_attrs, &not_set}) {
    Val v(KORVU_TYPE_SIGNERINFOS, decode(KORVU_TYPE_SIGNERINFOS, *b, ctx));
    EXPECT_EQ(v.v, nullptr);
  }
  const Bytes element(not_set.begin() + 4, not_set.end());
  Val si(KORVU_TYPE_SIGNERINFO, decode(KORVU_TYPE_SIGNERINFO, element, ctx));
  ASSERT_NE(si.v, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_SIGNERINFO, si.v), element);
}

// The getters agree with pyasn1-modules on corpus messages (DER ones directly, BER ones through openssl's DER
// twin) and on fresh openssl output of every shape.
TEST(Cms, GettersAgreeWithPyasn1) {
  const std::string python = pyasn1_python("pyasn1_modules.rfc5652, pyasn1_modules.rfc2315");
  const Openssl &d = openssl();
  if (python.empty() || d.dir.empty()) GTEST_SKIP() << "pyasn1-modules or openssl missing";
  std::vector<std::string> files;
  std::map<std::string, Bytes> by_file;
  for (auto &[name, b] : d.messages) {
    if (name == "gmt") continue;  // the GM/T content type is not id-signedData for pyasn1
    files.push_back(d / (name + ".der"));
    by_file[files.back()] = b;
  }
  if (have_corpus()) {
    int n = 0;
    for (const auto &f : corpus_signed_messages(false)) {
      std::string path = f.path;
      if (!f.der) {
        path = d / ("twin" + std::to_string(n++) + ".der");
        if (!run("openssl cms -cmsout -inform DER -in '" + f.path + "' -outform DER -out " + path)) continue;
      }
      files.push_back(path);
      by_file[path] = read_file(path);
    }
  }
  size_t compared = 0;
  for (const auto &[path, peer] : run_peer(python, files)) {
    EXPECT_GE(compare_dumps(lib_dump(by_file[path], peer.second), peer.first, path), 3u);
    compared++;
  }
  EXPECT_GT(compared, 60u);
}

// Fresh openssl messages of every shape pass check_signed_message: detached, encapsulated, streamed (indefinite
// everywhere), without certificates or attributes, by key identifier, two signers with an extra certificate, CAdES,
// RSA-PSS, crl2pkcs7 with and without a CRL, and the GM/T wrapper. Two of them sent one after the other through a
// pipe are read in turn, each to its last octet.
TEST(Cms, OpensslMessagesAlsoThroughAPipe) {
  const Openssl &d = openssl();
  if (d.dir.empty()) GTEST_SKIP() << "openssl missing";
  EXPECT_EQ(d.messages.size(), 11u);
  for (const auto &[name, b] : d.messages) check_signed_message(b, name);
  const Bytes &a = d.messages.at("stream"), &b = d.messages.at("keyid");
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  Bytes both = a;
  both.insert(both.end(), b.begin(), b.end());
  ASSERT_LT(both.size(), 60000u);  // fits in the pipe's buffer
  ASSERT_EQ(write(fds[1], both.data(), both.size()), static_cast<ssize_t>(both.size()));
  close(fds[1]);
  KORVU_STREAM *s = korvu_stream_new_file(("/dev/fd/" + std::to_string(fds[0])).c_str(), "rb");
  ASSERT_NE(s, nullptr);
  ErrCtx ctx;
  for (const Bytes *m : {&a, &b}) {
    KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
    uint32_t used = 0;
    ASSERT_EQ(korvu_asn1_decode_pkcs7signeddata(s, &sd, &used, ctx), 1);
    ASSERT_NE(sd, nullptr);
    EXPECT_EQ(used, m->size());
    EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(sd), layout(*m).si);
    korvu_asn1_value_free(kSd7, sd);
  }
  KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
  EXPECT_NE(korvu_asn1_decode_pkcs7signeddata(s, &sd, nullptr, ctx), 1) << "nothing left";
  EXPECT_EQ(sd, nullptr);
  korvu_stream_free(s);
  close(fds[0]);
}

// A SignedData built with the constructors, its signed attributes sorted and signed by openssl over their DER,
// passes openssl's verification, attached and detached.
TEST(Cms, ConstructedMessagesVerify) {
  const Openssl &d = openssl();
  if (d.dir.empty()) GTEST_SKIP() << "openssl missing";
  for (bool attached : {true, false}) {
    SCOPED_TRACE(attached ? "attached" : "detached");
    const Bytes msg = build_message(d, attached);
    ASSERT_FALSE(msg.empty());
    std::ofstream(d / "msg.der", std::ios::binary).write(reinterpret_cast<const char *>(msg.data()),
                                                         static_cast<long>(msg.size()));
    const std::string verify = "openssl cms -verify -inform DER -in " + d / "msg.der" + " -noverify -binary -out " +
                               d / "out.txt" + (attached ? "" : " -content " + d / "data.txt");
    EXPECT_TRUE(run(verify)) << verify;
    EXPECT_EQ(read_file(d / "out.txt"), read_file(d / "data.txt"));
  }
}

// decode --summary of a ContentInfo and the signeddata command, through the program, on a file and on a pipe.
TEST(Cms, CommandLine) {
  const Openssl &d = openssl();
  if (d.dir.empty()) GTEST_SKIP() << "openssl missing";
  auto output = [](const std::string &cmd) { return run_command(cmd + " 2>&1"); };
  const std::string tool = KORVU_TOOL_PATH;
  std::string s = output(tool + " decode -t 111 --summary " + d / "detached.der");
  EXPECT_NE(s.find("contentType: signedData (1.2.840.113549.1.7.2)\nversion: 1\n"
                   "digestAlgorithms: sha256 (2.16.840.1.101.3.4.2.1)\n"
                   "content: data (1.2.840.113549.1.7.1), detached\nsigner 1: issuerAndSerialNumber CN=CA, serial "),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("certificates: 1\ncrls: 0\n"), std::string::npos) << s;
  s = output(tool + " decode -t 111 --summary " + d / "stream.der");
  EXPECT_NE(s.find("content: data (1.2.840.113549.1.7.1), 19 octets\n"), std::string::npos) << s;
  s = output("cat " + d / "stream.der " + d / "detached.der | " + tool + " signeddata -");
  EXPECT_NE(s.find("wrapper: pkcs7\n"), std::string::npos) << s;
  EXPECT_NE(s.find("consumed: " + std::to_string(d.messages.at("stream").size()) + "\n"), std::string::npos) << s;
  s = output(tool + " signeddata " + d / "data.txt");
  EXPECT_NE(s.find("not a signed message\n"), std::string::npos) << s;
  s = output(tool + " decode -t 133 --summary " + d / "data.txt");
  EXPECT_NE(s.find("does not decode"), std::string::npos) << s;
}

// SignedData records through check_signed_message: a content that is not an OCTET STRING (the CMS form refuses it
// on decode and on encode) and one that is (both forms write it); without certificates and CRLs the signer infos
// follow the content info. new0 takes its arguments over only on success.
TEST(Cms, SignedDataRecord) {
  // SignedData { 1, {sha256}, { id-data, [0] SEQUENCE {} }, {} }, and with [0] OCTET STRING "hi".
  check_signed_message(hex("30 25 02 01 01 31 0D 30 0B 06 09 60 86 48 01 65 03 04 02 01 30 0F" + kIdData +
                           " A0 02 30 00 31 00"),
                       "SEQUENCE content");
  const Bytes os_content = hex(
      "30 27 02 01 01 31 0D 30 0B 06 09 60 86 48 01 65 03 04 02 01 30 11" + kIdData + " A0 04 04 "
      "02 68 69 31 00");
  check_signed_message(os_content, "OCTET STRING content");
  ErrCtx ctx;
  Val sd2(kSd7, decode(kSd7, os_content, ctx));
  ASSERT_NE(sd2.v, nullptr);
  auto *s2 = sd2.as<KORVU_PKCS7_SIGNEDDATA>();
  EXPECT_EQ(korvu_pkcs7signeddata_hascerts(s2) + korvu_pkcs7signeddata_hascrls(s2), 0);

  // new0: takes the values over on success; on a missing required one it takes nothing.
  auto *ver = static_cast<KORVU_ASN1_INTEGER *>(korvu_asn1_dupobject(KORVU_TYPE_INTEGER, s2->version, nullptr));
  auto *dig = static_cast<KORVU_ASN1_LIST *>(
      korvu_asn1_dupobject(KORVU_TYPE_DIGESTALGORITHMIDENTIFIERS, s2->digestAlgorithms, nullptr));
  auto *ci = static_cast<KORVU_PKCS7_CONTENTINFO *>(korvu_asn1_dupobject(kCi, s2->contentInfo, nullptr));
  auto *sis = static_cast<KORVU_ASN1_LIST *>(korvu_asn1_dupobject(KORVU_TYPE_SIGNERINFOS, s2->signerInfos, nullptr));
  EXPECT_EQ(korvu_pkcs7signeddata_new0(ver, dig, nullptr, nullptr, nullptr, sis), nullptr);
  KORVU_PKCS7_SIGNEDDATA *taken = korvu_pkcs7signeddata_new0(ver, dig, ci, nullptr, nullptr, sis);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(korvu_pkcs7signeddata_getversion(taken), ver) << "taken over, not copied";
  EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(taken), 0xFFFFFFFFu);
  EXPECT_EQ(encode(kSdCms, taken), os_content);
  korvu_asn1_value_free(kSd7, taken);  // frees all four
  EXPECT_EQ(korvu_pkcs7signeddata_new(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), nullptr);
}

// Hex vectors of SignerInfo, SignedData and ContentInfo (tests/data/cms_vectors.txt): malformed ones fail with
// their codes, a null result and nothing leaked. Every truncation of a valid message fails in both decoders.
TEST(Cms, MalformedInput) {
  run_hex_vectors("cms_vectors.txt", 3, 10);
  // The streaming decoder on every truncation of the indefinite message of the vectors (the generic decoder's:
  // run_hex_vectors).
  const Bytes msg = hex(
      "30 80" + kIdSigned + " A0 80 30 80 02 01 01 31 0D 30 0B 06 09 60 86 48 01 65 03 04 02 01 30 "
      "80" + kIdData + " A0 80 24 80 04 02 68 69 00 00 00 00 00 00 31 00 00 00 00 00 00 00");
  for (size_t n = 0; n < msg.size(); n++) {
    ErrCtx ctx;
    const Bytes cut(msg.begin(), msg.begin() + n);
    KORVU_STREAM *s = korvu_stream_new_romem(cut.data(), static_cast<uint32_t>(cut.size()));
    KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
    const int r = korvu_asn1_decode_pkcs7signeddata(s, &sd, nullptr, ctx);
    korvu_stream_free(s);
    EXPECT_NE(r, 1) << n;
    EXPECT_EQ(sd, nullptr) << n;
    EXPECT_GT(ctx.count(), 0u) << n;
  }
}

// The streaming decoder's outcomes on the edges of what it accepts.
TEST(Cms, StreamingOutcomes) {
  const std::string sd_body = kSdHead + " 31 00";
  struct Case {
    const char *what;
    std::string hex;
    int result;
    bool value;
    uint32_t code;       // an entry it must carry (0: none at all)
    uint32_t kind = 0;
    uint32_t ci = 0, si = 0;
  } cases[] = {
      {"bare SignedData", "30 14 " + sd_body, 1, true, 0, 1, 7, 20},
      {"PKCS #7 wrapper", "30 23" + kIdSigned + " A0 16 30 14 " + sd_body, 1, true, 0, 0, 22, 35},
      {"GM/T wrapper", "30 24 06 0A 2A 81 1C CF 55 06 01 04 02 02 A0 16 30 14 " + sd_body, 1, true, 0, 2, 23, 36},
      {"indefinite on every level",
       "30 80" + kIdSigned + " A0 80 30 80 " + sd_body + " 00 00 00 00 00 00", 1, true, 0, 0, 22, 35},
      {"an INTEGER", "02 01 05", 1, false, 0},
      {"first inner element constructed", "30 02 30 00", 1, false, 0x10354},
      {"first inner element a BOOLEAN", "30 03 01 01 FF", 1, false, 0x10354},
      {"empty outer SEQUENCE", "30 00", 1, false, 0x10354},
      {"the data content type", "30 0F" + kIdData + " A0 02 04 00", 0, false, 0x10354},
      {"an OID that starts with id-signedData", "30 10 06 0A 2A 86 48 86 F7 0D 01 07 02 01 A0 02 30 00", 0, false,
       0x10354},
      {"only the signed-data OID", "30 0B " + kIdSigned, 0, false, 0x10354},
      {"[0] primitive", "30 0F" + kIdSigned + " 80 02 30 00", 0, false, 0x10354},
      {"SignedData not a SEQUENCE", "30 0F" + kIdSigned + " A0 02 31 00", 0, false, 0x10354},
      {"version not an INTEGER", "30 12" + kIdSigned + " A0 05 30 03 04 01 01", 0, false, 0x10354},
      {"SignedData longer than its wrapper", "30 23" + kIdSigned + " A0 16 30 15 " + sd_body + " 00",
       0, false, 0x1020B},
      {"SignedData ends where contentInfo is due", "30 05 02 01 01 31 00", 0, false, 0x10322},
      {"signerInfos missing", "30 12 " + kSdHead, 0, false, 0x1020A},
      {"crls before certificates", "30 18" + kSdHead + " A1 00 A0 00 31 00", 0, false, 0x1020A},
      {"certificates and crls", "30 18" + kSdHead + " A0 00 A1 00 31 00", 1, true, 0, 1, 7, 24},
      {"crls alone", "30 16" + kSdHead + " A1 00 31 00", 1, true, 0, 1, 7, 22},
      {"indefinite SignedData closed by something else", "30 80 " + sd_body + " 05 00", 0, false, 0x1020A},
      {"a header crossing the wrapper's end", "30 0F" + kIdSigned + " A0 02 30 81 05 02 01 01", 0, false, 0x1020B},
      {"tag number reaching 2^24", "3F 88 80 80 00 00", 0, false, 0x10202},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ErrCtx ctx;
    Bytes in = hex(c.hex);
    const Bytes next = hex("AA BB");  // whatever follows the message stays unread
    in.insert(in.end(), next.begin(), next.end());
    KORVU_STREAM *s = korvu_stream_new_romem(in.data(), static_cast<uint32_t>(in.size()));
    KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
    uint32_t used = 0;
    const int r = korvu_asn1_decode_pkcs7signeddata(s, &sd, &used, ctx);
    uint8_t after = 0;
    if (c.value) {
      EXPECT_EQ(korvu_stream_readn(s, &after, 1), 1);
    }
    korvu_stream_free(s);
    EXPECT_EQ(r, c.result);
    EXPECT_EQ(sd != nullptr, c.value);
    if (c.code != 0) {
      EXPECT_TRUE(ctx.has(c.code)) << ctx.count();
    }
    if (c.code == 0 && !c.value) {
      EXPECT_EQ(ctx.count(), 0u);
    }
    if (sd == nullptr) continue;
    EXPECT_EQ(used, in.size() - next.size());
    EXPECT_EQ(after, 0xAA);
    EXPECT_EQ(korvu_pkcs7signeddata_gettype(sd), c.kind);
    EXPECT_EQ(korvu_pkcs7signeddata_getcontentinfooffset(sd), c.ci);
    EXPECT_EQ(korvu_pkcs7signeddata_getsignerinfosoffset(sd), c.si);
    korvu_asn1_value_free(kSd7, sd);
  }
  ErrCtx ctx;
  KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
  EXPECT_EQ(korvu_asn1_decode_pkcs7signeddata(nullptr, &sd, nullptr, ctx), 0);
  EXPECT_TRUE(ctx.has(0x10002));
  // The corpus ContentInfo that holds the signed-data OID and nothing else.
  if (!have_corpus()) return;
  korvu::tool::LoadedInput pem;
  std::string error;
  ASSERT_TRUE(korvu::tool::load_input(read_file(corpus_dir() + "/cms/tongsuo__25-test_pkcs7_data_malformed.pkcs7"),
                                      pem, error));
  ErrCtx ctx2;
  KORVU_STREAM *s = korvu_stream_new_romem(pem.bytes.data(), static_cast<uint32_t>(pem.bytes.size()));
  EXPECT_EQ(korvu_asn1_decode_pkcs7signeddata(s, &sd, nullptr, ctx2), 0);
  korvu_stream_free(s);
  EXPECT_EQ(sd, nullptr);
  EXPECT_TRUE(ctx2.has(0x10354));
}

// A certificate set with every alternative: an attribute certificate under [2] is written back under [2] as
// received (a non-minimal length kept), and alone it is a SEQUENCE with the same contents and to-be-signed octets;
// the obsolete [0] form is read as its elements and written back; [3] is the other format.
TEST(Cms, CertificateChoices) {
  if (!have_corpus()) GTEST_SKIP() << "no corpus";
  const Bytes ac = read_file(corpus_dir() + "/attrcert/asn1crypto__example-attr-cert.der");
  ASSERT_GT(ac.size(), 4u);
  DerNode top, info;
  ASSERT_TRUE(der_node(ac, 0, ac.size(), top));
  const Bytes contents(ac.begin() + static_cast<long>(top.hdr), ac.end());
  ASSERT_TRUE(der_node(contents, 0, contents.size(), info));
  Bytes a2 = {0xA2, 0x84};
  for (int i = 3; i >= 0; i--) a2.push_back(static_cast<unsigned char>(contents.size() >> (8 * i)));
  a2.insert(a2.end(), contents.begin(), contents.end());
  Bytes body = hex("A0 0B 30 00 30 03 06 01 2A 03 02 00 00");  // extendedCertificate
  body.insert(body.end(), a2.begin(), a2.end());
  const Bytes other = hex("A3 06 06 02 2A 03 05 00");
  body.insert(body.end(), other.begin(), other.end());
  const Bytes set = der_tlv(0x31, body);

  ErrCtx ctx;
  Val v(KORVU_TYPE_CERTIFICATESET, decode(KORVU_TYPE_CERTIFICATESET, set, ctx));
  ASSERT_NE(v.v, nullptr) << ::testing::PrintToString(ctx.codes());
  auto *list = v.as<KORVU_ASN1_LIST>();
  const std::vector<KORVU_CMS_CERTCHOICE *> e = list_items<KORVU_CMS_CERTCHOICE>(list);
  ASSERT_EQ(e.size(), 3u);
  KORVU_CMS_CERTCHOICE *ext = e[0], *attr = e[1], *oth = e[2];
  EXPECT_EQ(korvu_cmscertchoice_gettype(ext), 1u);
  EXPECT_EQ(korvu_cmscertchoice_getx509pubkeycert(ext), nullptr);
  EXPECT_EQ(korvu_cmscertchoice_gettype(attr), 3u);
  EXPECT_EQ(korvu_cmscertchoice_gettype(oth), 4u);
  EXPECT_STREQ(korvu_asn1_oid_getstring(korvu_cmsothercertformat_getformat(korvu_cmscertchoice_getothercert(oth))),
               "1.2.3");
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATESET, list), set) << "every alternative written back as read";

  KORVU_AC_CERT *cert = korvu_cmscertchoice_getv2attrcert(attr);
  ASSERT_NE(cert, nullptr);
  Bytes alone = a2;
  alone[0] = 0x30;
  EXPECT_EQ(encode(KORVU_TYPE_ATTRIBUTECERTIFICATE, cert), alone);
  uint32_t n = 0;
  ASSERT_EQ(korvu_attributecertificate_gettbsocts(cert, nullptr, &n, ctx), 1);
  Bytes tbs(n);
  ASSERT_EQ(korvu_attributecertificate_gettbsocts(cert, tbs.data(), &n, ctx), 1);
  EXPECT_EQ(tbs, Bytes(contents.begin(), contents.begin() + static_cast<long>(info.end())));

  // Built by the constructor from the decoded certificate: the same octets under [2].
  Val made(KORVU_TYPE_CERTIFICATECHOICES, korvu_cmscertchoice_newv2attrcert(cert));
  ASSERT_NE(made.v, nullptr);
  EXPECT_EQ(encode(KORVU_TYPE_CERTIFICATECHOICES, made.v), a2);
  EXPECT_EQ(korvu_cmscertchoice_newv2attrcert(nullptr), nullptr);
}
