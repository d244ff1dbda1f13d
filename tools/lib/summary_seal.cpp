// Seal and Authenticode summaries, read through the public getters.
#include "summary_seal.h"

#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "summary.h"

namespace korvu::tool {
namespace {

using Bytes = std::vector<unsigned char>;

// The contents octets of a value's encoding as `type`.
Bytes contents(uint32_t type, const void *v) {
  KORVU_DATA_BLOB *b = v ? korvu_asn1_mem_encode(type, v) : nullptr;
  if (b == nullptr) return {};
  uint32_t h = 2;
  if (b->length > 1 && (b->data[1] & 0x80)) h += b->data[1] & 0x7F;
  Bytes out(b->data + (h < b->length ? h : b->length), b->data + b->length);
  korvu_data_blob_free(b);
  return out;
}
std::string text(uint32_t type, const void *v) {
  const Bytes c = contents(type, v);
  return v ? std::string(c.begin(), c.end()) : "?";
}
std::string number(const KORVU_ASN1_INTEGER *v) {
  int32_t n = 0;
  return v && korvu_asn1_integer_getlong(v, &n) == 1 ? std::to_string(n) : "?";
}
std::string time_text(const KORVU_ASN1_TIME *t) { return t && t->text ? t->text : "?"; }
int32_t list_size(const KORVU_ASN1_LIST *l) { return l ? korvu_asn1_list_getsize(l) : 0; }

// The lines both editions share, from the seal information's parts.
void seal_lines(std::string &o, const KORVU_SES_HEADER *h, const KORVU_ASN1_STRING *es_id,
                const KORVU_ASN1_INTEGER *type, const KORVU_ASN1_STRING *name, const std::string &list,
                const KORVU_ASN1_TIME *const dates[3], const KORVU_SES_ESPICTUREINFO *pic,
                const KORVU_ASN1_LIST *ext, const KORVU_ASN1_OID *algorithm) {
  o += "header: " + text(KORVU_TYPE_IA5STRING, korvu_ses_header_getid(h)) + " " +
       number(korvu_ses_header_geversion(h)) + " " + text(KORVU_TYPE_IA5STRING, korvu_ses_header_getvid(h)) + "\n";
  o += "esID: " + text(KORVU_TYPE_IA5STRING, es_id) + "\n";
  o += "seal: type " + number(type) + ", name " + text(KORVU_TYPE_UTF8STRING, name) + "\n" + list;
  o += "validity: " + time_text(dates[0]) + " created, " + time_text(dates[1]) + " to " + time_text(dates[2]) + "\n";
  o += "picture: " + text(KORVU_TYPE_IA5STRING, korvu_ses_espictureinfo_gettype(pic)) + ", " +
       std::to_string(contents(KORVU_TYPE_OCTET_STRING, korvu_ses_espictureinfo_getdata(pic)).size()) +
       " octets, " + number(korvu_ses_espictureinfo_getwidth(pic)) + "x" +
       number(korvu_ses_espictureinfo_getheigth(pic)) + "\n";
  o += "extDatas: " + (ext ? std::to_string(list_size(ext)) : std::string("none")) + "\n";
  o += "seal signature algorithm: " + oid_string(algorithm) + "\n";
}

bool old_seal(std::string &o, const KORVU_SES_SESEAL *s) {
  const KORVU_SES_SEALINFO *i = korvu_ses_seseal_getesealinfo(s);
  const KORVU_SES_ESPROPERTYINFO *p = korvu_ses_sealinfo_getproperty(i);
  if (p == nullptr) return false;
  const KORVU_ASN1_TIME *dates[3] = {korvu_ses_espropertyinfo_getcreatedate(p),
                                     korvu_ses_espropertyinfo_getvalidstart(p), korvu_ses_espropertyinfo_getvalidend(p)};
  seal_lines(o, korvu_ses_sealinfo_getheader(i), korvu_ses_sealinfo_getesid(i), korvu_ses_espropertyinfo_gettype(p),
             korvu_ses_espropertyinfo_getname(p),
             "certificates: " + std::to_string(list_size(korvu_ses_espropertyinfo_getcertlist(p))) + "\n", dates,
             korvu_ses_sealinfo_getpicture(i), korvu_ses_sealinfo_getextdatas(i),
             korvu_ses_signinfo_getsignaturealgorithm(korvu_ses_seseal_getsigninfo(s)));
  return true;
}

bool gb_seal(std::string &o, const KORVU_GB_SES_SEAL *s) {
  const KORVU_GB_SES_SEALINFO *i = korvu_gb_ses_seal_getesealinfo(s);
  const KORVU_GB_SES_ESPROPERTYINFO *p = korvu_gb_ses_sealinfo_getproperty(i);
  if (p == nullptr) return false;
  const uint32_t t = korvu_gb_ses_espropertyinfo_getcertlistype(p);
  const KORVU_ASN1_TIME *dates[3] = {korvu_gb_ses_espropertyinfo_getcreatedate(p),
                                     korvu_gb_ses_espropertyinfo_getvalidstart(p),
                                     korvu_gb_ses_espropertyinfo_getvalidend(p)};
  const int32_t n = list_size(t == 1 ? korvu_gb_ses_espropertyinfo_getcertlist(p)
                                     : korvu_gb_ses_espropertyinfo_getcertdigestlist(p));
  seal_lines(o, korvu_gb_ses_sealinfo_getheader(i), korvu_gb_ses_sealinfo_getesid(i),
             korvu_gb_ses_espropertyinfo_gettype(p), korvu_gb_ses_espropertyinfo_getname(p),
             "certListType: " + std::to_string(t) + (t == 1 ? " (certificates), " : " (digests), ") +
                 std::to_string(n) + " entries\n",
             dates, korvu_gb_ses_sealinfo_getpicture(i), korvu_gb_ses_sealinfo_getextdatas(i),
             korvu_gb_ses_seal_getsignalgid(s));
  return true;
}

std::string link_text(const KORVU_SPC_LINK *l) {
  if (korvu_spclink_geturl(l)) return "url " + text(KORVU_TYPE_IA5STRING, korvu_spclink_geturl(l));
  if (korvu_spclink_getmoniker(l)) {
    const Bytes c = contents(KORVU_TYPE_OCTET_STRING, korvu_spcserialzedobject_getclassid(korvu_spclink_getmoniker(l)));
    return "moniker " + hex(c.data(), c.size());
  }
  const KORVU_SPC_STRING *f = korvu_spclink_getfile(l);
  if (f == nullptr) return "?";
  std::string s;
  const Bytes c = contents(korvu_spcstring_gettype(f) == 0 ? KORVU_TYPE_BMPSTRING : KORVU_TYPE_IA5STRING,
                           korvu_spcstring_getstring(f));
  for (size_t i = korvu_spcstring_gettype(f) == 0 ? 1 : 0; i < c.size(); i += korvu_spcstring_gettype(f) == 0 ? 2 : 1)
    s += static_cast<char>(c[i]);
  return "file " + s;
}

bool indirect(std::string &o, const KORVU_SPC_INDIRECTDATACONTENT *c) {
  const KORVU_X509_ALGID *data = korvu_spcindirectdatacontent_getdata(c);
  if (data == nullptr) return false;
  const std::string type = oid_string(korvu_spcattrtypeandoptvalue_gettype(data));
  o += "data type: " + type + "\n";
  void *pe = nullptr;
  if (type == "1.3.6.1.4.1.311.2.1.15" && korvu_spcattrtypeandoptvalue_hasvalue(data) &&
      korvu_asn1_any_toobject(korvu_spcattrtypeandoptvalue_getvalue(data), KORVU_TYPE_SPCPEIMAGEDATA, &pe, nullptr) == 1) {
    KORVU_DATA_BLOB *flags = korvu_asn1_mem_encode(KORVU_TYPE_BIT_STRING,
                                                   korvu_spcpeimagedata_getflag(static_cast<KORVU_SPC_PEIMAGEDATA *>(pe)));
    o += "PE flags: " + (flags ? hex(flags->data, flags->length) : std::string("?")) + "\n";
    korvu_data_blob_free(flags);
    o += "link: " + link_text(korvu_spcpeimagedata_getfile(static_cast<KORVU_SPC_PEIMAGEDATA *>(pe))) + "\n";
    korvu_asn1_value_free(KORVU_TYPE_SPCPEIMAGEDATA, pe);
  }
  // DigestInfo ::= SEQUENCE { digestAlgorithm AlgorithmIdentifier, digest OCTET STRING }, read as two ANY.
  void *parts = nullptr;
  KORVU_DATA_BLOB *whole = korvu_asn1_mem_encode(KORVU_TYPE_DIGESTINFO, korvu_spcindirectdatacontent_getmessagedigest(c));
  if (whole == nullptr) return false;
  const Bytes der(whole->data, whole->data + whole->length);
  korvu_data_blob_free(whole);
  if (korvu_asn1_mem_decode(der.data(), static_cast<int32_t>(der.size()), KORVU_TYPE_SEQUENCE_OF_ANY, &parts) != der.size())
    return false;
  auto *l = static_cast<KORVU_ASN1_LIST *>(parts);
  void *alg = nullptr, *a0 = nullptr, *a1 = nullptr;
  bool ok = korvu_asn1_list_get(l, 0, &a0) == 1 && korvu_asn1_list_get(l, 1, &a1) == 1 &&
            korvu_asn1_any_toobject(static_cast<KORVU_ASN1_ANY *>(a0), KORVU_TYPE_ALGORITHMIDENTIFIER, &alg, nullptr) == 1;
  if (ok) {
    o += "digest algorithm: " + oid_string(korvu_x509algoid_getalgo(static_cast<KORVU_X509_ALGID *>(alg))) + "\n";
    KORVU_DATA_BLOB *d = korvu_asn1_mem_encode(KORVU_TYPE_ANY, a1);
    const Bytes octets = d ? Bytes(d->data, d->data + d->length) : Bytes{};
    korvu_data_blob_free(d);
    o += "digest: " + (octets.size() > 2 ? hex(octets.data() + 2, octets.size() - 2) : std::string("?")) + "\n";
  }
  korvu_asn1_value_free(KORVU_TYPE_ALGORITHMIDENTIFIER, alg);
  korvu_asn1_list_free(l, KORVU_TYPE_ANY);
  return ok;
}

}  // namespace

int print_seal_summary(uint32_t type, const void *value, std::FILE *out) {
  if (value == nullptr || out == nullptr) return 0;
  std::string o;
  bool ok = false;
  switch (type) {
    case KORVU_TYPE_SESEAL: ok = old_seal(o, static_cast<const KORVU_SES_SESEAL *>(value)); break;
    case KORVU_TYPE_SES_SEAL: ok = gb_seal(o, static_cast<const KORVU_GB_SES_SEAL *>(value)); break;
    case KORVU_TYPE_SES_SIGNATURE: {
      const KORVU_SES_TBSSIGN *t = korvu_ses_signature_gettosign(static_cast<const KORVU_SES_SIGNATURE *>(value));
      o += "version: " + number(korvu_ses_tbssign_getversion(t)) + "\n";
      ok = old_seal(o, korvu_ses_tbssign_geteseal(t));
      const Bytes time = contents(KORVU_TYPE_BIT_STRING, korvu_ses_tbssign_gettimeinfo(t));
      o += "timeInfo: " + (time.size() > 1 ? hex(time.data() + 1, time.size() - 1) : std::string()) + "\n";
      o += "dataHash: " + std::to_string(contents(KORVU_TYPE_BIT_STRING, korvu_ses_tbssign_getdatahash(t)).size() - 1) +
           " octets\npropertyInfo: " + text(KORVU_TYPE_IA5STRING, korvu_ses_tbssign_getpropertyinfo(t)) +
           "\nsignature algorithm: " + oid_string(korvu_ses_tbssign_getsignaturealgorithm(t)) + "\n";
      break;
    }
    case KORVU_TYPE_SES_SIGNATURE_GB: {
      auto *s = static_cast<const KORVU_GB_SES_SIGNATURE *>(value);
      const KORVU_GB_SES_TBSSIGN *t = korvu_gb_ses_signature_gettosign(s);
      o += "version: " + number(korvu_gb_ses_tbssign_getversion(t)) + "\n";
      ok = gb_seal(o, korvu_gb_ses_tbssign_geteseal(t));
      o += "timeInfo: " + time_text(korvu_gb_ses_tbssign_gettimeinfo(t)) + "\ndataHash: " +
           std::to_string(contents(KORVU_TYPE_BIT_STRING, korvu_gb_ses_tbssign_getdatahash(t)).size() - 1) +
           " octets\npropertyInfo: " + text(KORVU_TYPE_IA5STRING, korvu_ses_gb_tbssign_getpropertyinfo(t)) +
           "\nsignature algorithm: " + oid_string(korvu_gb_ses_signature_getsignaturealgid(s)) +
           "\ntime-stamp: " + (korvu_gb_ses_signature_gettimestamp(s) ? "yes" : "no") + "\n";
      break;
    }
    case KORVU_TYPE_SPCINDIRECTDATACONTENT:
      ok = indirect(o, static_cast<const KORVU_SPC_INDIRECTDATACONTENT *>(value));
      break;
    default: return 0;
  }
  return ok && std::fputs(o.c_str(), out) >= 0 ? 1 : 0;
}

}  // namespace korvu::tool
