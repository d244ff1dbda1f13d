// Seal test helpers: the vector file's notation, rebuilding a seal value from its getters with the constructors,
// and a walk that checks every getter against the TLV at its place in the input.
#ifndef KORVU_TESTS_SEAL_UTIL_H
#define KORVU_TESTS_SEAL_UTIL_H

#include <functional>
#include <map>
#include <memory>

#include "test_util.h"

namespace korvu_test::seal {

struct Vector {
  std::string name;
  uint32_t type = 0;
  Bytes in, out;
  uint32_t code = 0;  // refused with this code
};

// Hex where "TT(...)" is a TLV of tag TT with its length counted and "$NAME" a definition.
inline Bytes expand(const std::string &t, size_t &i, const std::map<std::string, std::string> &defs) {
  Bytes out;
  while (i < t.size() && t[i] != ')') {
    if (t[i] == ' ') {
      i++;
    } else if (t[i] == '$') {
      size_t j = ++i;
      while (j < t.size() && (std::isalnum(static_cast<unsigned char>(t[j])) || t[j] == '_')) j++;
      size_t k = 0;
      const Bytes b = expand(defs.at(t.substr(i, j - i)), k, defs);
      out.insert(out.end(), b.begin(), b.end());
      i = j;
    } else {
      size_t j = i;
      while (j < t.size() && std::isxdigit(static_cast<unsigned char>(t[j]))) j++;
      const Bytes b = hex(t.substr(i, j - i));
      if (j == i) throw std::runtime_error("bad vector text at " + t.substr(i));
      i = j;
      if (i < t.size() && t[i] == '(') {
        const Bytes body = expand(t, ++i, defs);
        i++;  // ')'
        const Bytes tlv = der_tlv(b.at(0), body);
        out.insert(out.end(), tlv.begin(), tlv.end());
      } else {
        out.insert(out.end(), b.begin(), b.end());
      }
    }
  }
  return out;
}

inline std::vector<Vector> read_vectors(const std::string &path) {
  std::ifstream f(path);
  std::map<std::string, std::string> defs;
  std::vector<Vector> out;
  const auto trim = [](std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
  };
  for (std::string line; std::getline(f, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '@') {
      const size_t eq = line.find('=');
      defs[trim(line.substr(1, eq - 1))] = trim(line.substr(eq + 1));
      continue;
    }
    std::vector<std::string> cells;
    for (size_t a = 0, b; a <= line.size(); a = b + 1) {
      b = line.find('|', a);
      if (b == std::string::npos) b = line.size();
      cells.push_back(trim(line.substr(a, b - a)));
    }
    Vector v{cells.at(0), static_cast<uint32_t>(std::stoul(cells.at(1)))};
    size_t i = 0;
    v.in = expand(cells.at(2), i, defs);
    if (cells.at(3) == "=") {
      v.out = v.in;
    } else if (cells[3][0] == '!') {
      v.code = static_cast<uint32_t>(std::stoul(cells[3].substr(1), nullptr, 16));
    } else {
      i = 0;
      v.out = expand(cells[3], i, defs);
    }
    out.push_back(v);
  }
  return out;
}

inline void *item(const KORVU_ASN1_LIST *l, int32_t i) {
  void *e = nullptr;
  return korvu_asn1_list_get(l, i, &e) == 1 ? e : nullptr;
}

// ---- rebuilding from getters ---------------------------------------------------------------------------------
using Rebuild = std::function<void *(const void *)>;
inline const Rebuild *rebuilder(uint32_t type);
// A component rebuilt (or null for an absent one), freed with the holder.
inline std::unique_ptr<Val> rb(uint32_t type, const void *v) {
  return std::make_unique<Val>(type, v ? (*rebuilder(type))(v) : nullptr);
}
template <class T>
const T *cv(const void *p) {
  return static_cast<const T *>(p);
}
inline void *rebuild_list(uint32_t list_type, uint32_t element, const void *p) {
  KORVU_ASN1_LIST *l = korvu_asn1_list_new();
  for (int32_t i = 0; i < korvu_asn1_list_getsize(cv<KORVU_ASN1_LIST>(p)); i++)
    korvu_asn1_list_put(l, (*rebuilder(element))(item(cv<KORVU_ASN1_LIST>(p), i)));
  (void)list_type;
  return l;
}

inline const Rebuild *rebuilder(uint32_t type) {
  static const std::map<uint32_t, Rebuild> m = {
      {KORVU_TYPE_EXTDATA, [](const void *p) -> void * {
         auto *e = cv<KORVU_SES_EXTDATA>(p);
         return korvu_ses_extdata_new(korvu_ses_extdata_getextnid(e), korvu_ses_extdata_getcritical(e),
                                      korvu_ses_extdata_getextnvalue(e));
       }},
      {KORVU_TYPE_EXTDATAS, [](const void *p) { return rebuild_list(KORVU_TYPE_EXTDATAS, KORVU_TYPE_EXTDATA, p); }},
      {KORVU_TYPE_SES_HEADER, [](const void *p) -> void * {
         auto *h = cv<KORVU_SES_HEADER>(p);
         return korvu_ses_header_new(korvu_ses_header_getid(h), korvu_ses_header_geversion(h), korvu_ses_header_getvid(h));
       }},
      {KORVU_TYPE_SES_ESPICTUREINFO, [](const void *p) -> void * {
         auto *i = cv<KORVU_SES_ESPICTUREINFO>(p);
         return korvu_ses_espictureinfo_new(korvu_ses_espictureinfo_gettype(i), korvu_ses_espictureinfo_getdata(i),
                                            korvu_ses_espictureinfo_getwidth(i), korvu_ses_espictureinfo_getheigth(i));
       }},
      {KORVU_TYPE_CERTDIGESTOBJ, [](const void *p) -> void * {
         auto *d = cv<KORVU_SES_CERTDIGESTOBJ>(p);
         return korvu_ses_certdigestobj_new(korvu_ses_certdigestobj_gettype(d), korvu_ses_certdigestobj_getvalue(d));
       }},
      {KORVU_TYPE_CERTDIGESTLIST,
       [](const void *p) { return rebuild_list(KORVU_TYPE_CERTDIGESTLIST, KORVU_TYPE_CERTDIGESTOBJ, p); }},
      {KORVU_TYPE_SES_ESPROPERTYINFO, [](const void *p) -> void * {
         auto *r = cv<KORVU_SES_ESPROPERTYINFO>(p);
         return korvu_ses_espropertyinfo_new(korvu_ses_espropertyinfo_gettype(r), korvu_ses_espropertyinfo_getname(r),
                                             korvu_ses_espropertyinfo_getcertlist(r),
                                             korvu_ses_espropertyinfo_getcreatedate(r),
                                             korvu_ses_espropertyinfo_getvalidstart(r),
                                             korvu_ses_espropertyinfo_getvalidend(r));
       }},
      {KORVU_TYPE_SES_ESPROPERTYINFO_GB, [](const void *p) -> void * {
         auto *r = cv<KORVU_GB_SES_ESPROPERTYINFO>(p);
         if (korvu_gb_ses_espropertyinfo_getcertlistype(r) == 1)
           return korvu_gb_ses_espropertyinfo_newcert(
               korvu_gb_ses_espropertyinfo_gettype(r), korvu_gb_ses_espropertyinfo_getname(r),
               korvu_gb_ses_espropertyinfo_getcertlist(r), korvu_gb_ses_espropertyinfo_getcreatedate(r),
               korvu_gb_ses_espropertyinfo_getvalidstart(r), korvu_gb_ses_espropertyinfo_getvalidend(r));
         auto list = rb(KORVU_TYPE_CERTDIGESTLIST, korvu_gb_ses_espropertyinfo_getcertdigestlist(r));
         return korvu_gb_ses_espropertyinfo_newcertdigest(
             korvu_gb_ses_espropertyinfo_gettype(r), korvu_gb_ses_espropertyinfo_getname(r),
             list->as<KORVU_ASN1_LIST>(), korvu_gb_ses_espropertyinfo_getcreatedate(r),
             korvu_gb_ses_espropertyinfo_getvalidstart(r), korvu_gb_ses_espropertyinfo_getvalidend(r));
       }},
      {KORVU_TYPE_SES_SEALINFO, [](const void *p) -> void * {
         auto *s = cv<KORVU_SES_SEALINFO>(p);
         auto h = rb(KORVU_TYPE_SES_HEADER, korvu_ses_sealinfo_getheader(s));
         auto pr = rb(KORVU_TYPE_SES_ESPROPERTYINFO, korvu_ses_sealinfo_getproperty(s));
         auto pic = rb(KORVU_TYPE_SES_ESPICTUREINFO, korvu_ses_sealinfo_getpicture(s));
         auto ext = rb(KORVU_TYPE_EXTDATAS, korvu_ses_sealinfo_getextdatas(s));
         return korvu_ses_sealinfo_new(h->as<KORVU_SES_HEADER>(), korvu_ses_sealinfo_getesid(s),
                                       pr->as<KORVU_SES_ESPROPERTYINFO>(), pic->as<KORVU_SES_ESPICTUREINFO>(),
                                       ext->as<KORVU_ASN1_LIST>());
       }},
      {KORVU_TYPE_SES_SEALINFO_GB, [](const void *p) -> void * {
         auto *s = cv<KORVU_GB_SES_SEALINFO>(p);
         auto h = rb(KORVU_TYPE_SES_HEADER, korvu_gb_ses_sealinfo_getheader(s));
         auto pr = rb(KORVU_TYPE_SES_ESPROPERTYINFO_GB, korvu_gb_ses_sealinfo_getproperty(s));
         auto pic = rb(KORVU_TYPE_SES_ESPICTUREINFO, korvu_gb_ses_sealinfo_getpicture(s));
         auto ext = rb(KORVU_TYPE_EXTDATAS, korvu_gb_ses_sealinfo_getextdatas(s));
         return korvu_gb_ses_sealinfo_new(h->as<KORVU_SES_HEADER>(), korvu_gb_ses_sealinfo_getesid(s),
                                          pr->as<KORVU_GB_SES_ESPROPERTYINFO>(), pic->as<KORVU_SES_ESPICTUREINFO>(),
                                          ext->as<KORVU_ASN1_LIST>());
       }},
      {KORVU_TYPE_SES_SIGNINFO, [](const void *p) -> void * {
         auto *s = cv<KORVU_SES_SIGNINFO>(p);
         return korvu_ses_signinfo_new(korvu_ses_signinfo_getcert(s), korvu_ses_signinfo_getsignaturealgorithm(s),
                                       korvu_ses_signinfo_getsigndata(s));
       }},
      {KORVU_TYPE_SESEALTBS, [](const void *p) -> void * {
         auto *s = cv<KORVU_SES_SESEALTBS>(p);
         auto info = rb(KORVU_TYPE_SES_SEALINFO, korvu_ses_sesealtbs_getesealinfo(s));
         return korvu_ses_sesealtbs_new(info->as<KORVU_SES_SEALINFO>(), korvu_ses_sesealtbs_getcert(s),
                                        korvu_ses_sesealtbs_getsignaturealgorithm(s));
       }},
      {KORVU_TYPE_SESEAL, [](const void *p) -> void * {
         auto *s = cv<KORVU_SES_SESEAL>(p);
         auto info = rb(KORVU_TYPE_SES_SEALINFO, korvu_ses_seseal_getesealinfo(s));
         auto sign = rb(KORVU_TYPE_SES_SIGNINFO, korvu_ses_seseal_getsigninfo(s));
         return korvu_ses_seseal_new(info->as<KORVU_SES_SEALINFO>(), sign->as<KORVU_SES_SIGNINFO>());
       }},
      {KORVU_TYPE_TBS_SIGN, [](const void *p) -> void * {
         auto *t = cv<KORVU_SES_TBSSIGN>(p);
         auto seal = rb(KORVU_TYPE_SESEAL, korvu_ses_tbssign_geteseal(t));
         return korvu_ses_tbssign_new(korvu_ses_tbssign_getversion(t), seal->as<KORVU_SES_SESEAL>(),
                                      korvu_ses_tbssign_gettimeinfo(t), korvu_ses_tbssign_getdatahash(t),
                                      korvu_ses_tbssign_getpropertyinfo(t), korvu_ses_tbssign_getcert(t),
                                      korvu_ses_tbssign_getsignaturealgorithm(t));
       }},
      {KORVU_TYPE_SES_SIGNATURE, [](const void *p) -> void * {
         auto *s = cv<KORVU_SES_SIGNATURE>(p);
         auto tbs = rb(KORVU_TYPE_TBS_SIGN, korvu_ses_signature_gettosign(s));
         return korvu_ses_signature_new(tbs->as<KORVU_SES_TBSSIGN>(), korvu_ses_signature_getsignature(s));
       }},
      {KORVU_TYPE_SES_SEAL, [](const void *p) -> void * {
         auto *s = cv<KORVU_GB_SES_SEAL>(p);
         auto info = rb(KORVU_TYPE_SES_SEALINFO_GB, korvu_gb_ses_seal_getesealinfo(s));
         return korvu_gb_ses_seal_new(info->as<KORVU_GB_SES_SEALINFO>(), korvu_gb_ses_seal_getcert(s),
                                      korvu_gb_ses_seal_getsignalgid(s), korvu_gb_ses_seal_getsignedvalue(s));
       }},
      {KORVU_TYPE_TBS_SIGN_GB, [](const void *p) -> void * {
         auto *t = cv<KORVU_GB_SES_TBSSIGN>(p);
         auto seal = rb(KORVU_TYPE_SES_SEAL, korvu_gb_ses_tbssign_geteseal(t));
         auto ext = rb(KORVU_TYPE_EXTDATAS, korvu_gb_ses_tbssign_getextdatas(t));
         return korvu_gb_ses_tbssign_new(korvu_gb_ses_tbssign_getversion(t), seal->as<KORVU_GB_SES_SEAL>(),
                                         korvu_gb_ses_tbssign_gettimeinfo(t), korvu_gb_ses_tbssign_getdatahash(t),
                                         korvu_ses_gb_tbssign_getpropertyinfo(t), ext->as<KORVU_ASN1_LIST>());
       }},
      {KORVU_TYPE_SES_SIGNATURE_GB, [](const void *p) -> void * {
         auto *s = cv<KORVU_GB_SES_SIGNATURE>(p);
         auto tbs = rb(KORVU_TYPE_TBS_SIGN_GB, korvu_gb_ses_signature_gettosign(s));
         return korvu_gb_ses_signature_new(tbs->as<KORVU_GB_SES_TBSSIGN>(), korvu_gb_ses_signature_getcert(s),
                                           korvu_gb_ses_signature_getsignaturealgid(s),
                                           korvu_gb_ses_signature_getsignature(s),
                                           korvu_gb_ses_signature_gettimestamp(s));
       }},
  };
  auto it = m.find(type);
  return it == m.end() ? nullptr : &it->second;
}

// ---- the TLV walk --------------------------------------------------------------------------------------------
// Compares the DER of getters with the TLV at a path of element indices ("0.2.3") in the input.
struct Walk {
  const Bytes &in;
  std::string label;
  int compared = 0;
  bool node(const std::string &path, DerNode &n) const {
    if (!der_node(in, 0, in.size(), n)) return false;
    for (size_t a = 0; a < path.size();) {
      size_t b = path.find('.', a);
      if (b == std::string::npos) b = path.size();
      const std::vector<DerNode> kids = der_kids(in, n);
      const size_t k = std::stoul(path.substr(a, b - a));
      if (k >= kids.size()) return false;
      n = kids[k];
      a = b + 1;
    }
    return true;
  }
  size_t kids(const std::string &path) const {
    DerNode n;
    return node(path, n) ? der_kids(in, n).size() : 0;
  }
  void eq(const std::string &path, uint32_t type, const void *v) {
    DerNode n;
    ASSERT_TRUE(node(path, n)) << label << ": no element at " << path;
    EXPECT_EQ(to_hex(encode(type, v)), to_hex(Bytes(in.begin() + static_cast<long>(n.at),
                                                    in.begin() + static_cast<long>(n.end()))))
        << label << ": " << path;
    compared++;
  }
};
inline std::string at(const std::string &p, const char *k) { return p.empty() ? k : p + "." + k; }

inline void walk_extdatas(Walk &w, const std::string &p, const KORVU_ASN1_LIST *l) {
  ASSERT_EQ(static_cast<size_t>(korvu_asn1_list_getsize(l)), w.kids(p)) << w.label;
  for (int32_t i = 0; i < korvu_asn1_list_getsize(l); i++) {
    auto *e = static_cast<const KORVU_SES_EXTDATA *>(item(l, i));
    const std::string q = at(p, std::to_string(i).c_str());
    w.eq(at(q, "0"), KORVU_TYPE_OBJECT_IDENTIFIER, korvu_ses_extdata_getextnid(e));
    if (w.kids(q) == 3) w.eq(at(q, "1"), KORVU_TYPE_BOOLEAN, korvu_ses_extdata_getcritical(e));
    else EXPECT_EQ(korvu_asn1_boolean_istrue(korvu_ses_extdata_getcritical(e)), 0);
    w.eq(at(q, w.kids(q) == 3 ? "2" : "1"), KORVU_TYPE_OCTET_STRING, korvu_ses_extdata_getextnvalue(e));
  }
}

// SES_SealInfo of either edition at p.
template <class Info>
void walk_sealinfo(Walk &w, const std::string &p, const Info *s, bool gb) {
  const auto *h = s->header;
  w.eq(at(p, "0.0"), KORVU_TYPE_IA5STRING, korvu_ses_header_getid(h));
  w.eq(at(p, "0.1"), KORVU_TYPE_INTEGER, korvu_ses_header_geversion(h));
  w.eq(at(p, "0.2"), KORVU_TYPE_IA5STRING, korvu_ses_header_getvid(h));
  w.eq(at(p, "1"), KORVU_TYPE_IA5STRING, s->esID);
  const uint32_t time = gb ? KORVU_TYPE_GENERALIZEDTIME : KORVU_TYPE_UTCTIME;
  const std::string q = at(p, "2");
  int k = 2;
  const KORVU_ASN1_TIME *dates[3];
  if (gb) {
    auto *r = reinterpret_cast<const KORVU_GB_SES_ESPROPERTYINFO *>(s->property);
    w.eq(at(q, "0"), KORVU_TYPE_INTEGER, korvu_gb_ses_espropertyinfo_gettype(r));
    w.eq(at(q, "1"), KORVU_TYPE_UTF8STRING, korvu_gb_ses_espropertyinfo_getname(r));
    Val n(KORVU_TYPE_INTEGER, korvu_asn1_integer_value(static_cast<int32_t>(korvu_gb_ses_espropertyinfo_getcertlistype(r))));
    w.eq(at(q, "2"), KORVU_TYPE_INTEGER, n.v);
    const bool certs = korvu_gb_ses_espropertyinfo_getcertlistype(r) == 1;
    w.eq(at(q, "3"), certs ? KORVU_TYPE_SEQUENCE_OF_OCTET_STRING : KORVU_TYPE_CERTDIGESTLIST,
         certs ? korvu_gb_ses_espropertyinfo_getcertlist(r) : korvu_gb_ses_espropertyinfo_getcertdigestlist(r));
    k = 4;
    dates[0] = korvu_gb_ses_espropertyinfo_getcreatedate(r);
    dates[1] = korvu_gb_ses_espropertyinfo_getvalidstart(r);
    dates[2] = korvu_gb_ses_espropertyinfo_getvalidend(r);
  } else {
    auto *r = reinterpret_cast<const KORVU_SES_ESPROPERTYINFO *>(s->property);
    w.eq(at(q, "0"), KORVU_TYPE_INTEGER, korvu_ses_espropertyinfo_gettype(r));
    w.eq(at(q, "1"), KORVU_TYPE_UTF8STRING, korvu_ses_espropertyinfo_getname(r));
    w.eq(at(q, "2"), KORVU_TYPE_SEQUENCE_OF_OCTET_STRING, korvu_ses_espropertyinfo_getcertlist(r));
    k = 3;
    dates[0] = korvu_ses_espropertyinfo_getcreatedate(r);
    dates[1] = korvu_ses_espropertyinfo_getvalidstart(r);
    dates[2] = korvu_ses_espropertyinfo_getvalidend(r);
  }
  for (int i = 0; i < 3; i++) w.eq(at(q, std::to_string(k + i).c_str()), time, dates[i]);
  const KORVU_SES_ESPICTUREINFO *pic = s->picture;
  w.eq(at(p, "3.0"), KORVU_TYPE_IA5STRING, korvu_ses_espictureinfo_gettype(pic));
  w.eq(at(p, "3.1"), KORVU_TYPE_OCTET_STRING, korvu_ses_espictureinfo_getdata(pic));
  w.eq(at(p, "3.2"), KORVU_TYPE_INTEGER, korvu_ses_espictureinfo_getwidth(pic));
  w.eq(at(p, "3.3"), KORVU_TYPE_INTEGER, korvu_ses_espictureinfo_getheigth(pic));
  if (s->extDatas) walk_extdatas(w, at(p, "4"), s->extDatas);
  else EXPECT_EQ(w.kids(p), 4u) << w.label;
}

inline void walk_gb_seal(Walk &w, const std::string &p, const KORVU_GB_SES_SEAL *s) {
  walk_sealinfo(w, at(p, "0"), korvu_gb_ses_seal_getesealinfo(s), true);
  w.eq(at(p, "1"), KORVU_TYPE_OCTET_STRING, korvu_gb_ses_seal_getcert(s));
  w.eq(at(p, "2"), KORVU_TYPE_OBJECT_IDENTIFIER, korvu_gb_ses_seal_getsignalgid(s));
  w.eq(at(p, "3"), KORVU_TYPE_BIT_STRING, korvu_gb_ses_seal_getsignedvalue(s));
}

inline void walk(Walk &w, uint32_t type, const void *v) {
  if (type == KORVU_TYPE_SES_SEAL) return walk_gb_seal(w, "", cv<KORVU_GB_SES_SEAL>(v));
  if (type == KORVU_TYPE_SESEAL) {
    auto *s = cv<KORVU_SES_SESEAL>(v);
    walk_sealinfo(w, "0", korvu_ses_seseal_getesealinfo(s), false);
    const KORVU_SES_SIGNINFO *si = korvu_ses_seseal_getsigninfo(s);
    w.eq("1.0", KORVU_TYPE_OCTET_STRING, korvu_ses_signinfo_getcert(si));
    w.eq("1.1", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_ses_signinfo_getsignaturealgorithm(si));
    w.eq("1.2", KORVU_TYPE_BIT_STRING, korvu_ses_signinfo_getsigndata(si));
    return;
  }
  auto *s = cv<KORVU_GB_SES_SIGNATURE>(v);
  const KORVU_GB_SES_TBSSIGN *t = korvu_gb_ses_signature_gettosign(s);
  w.eq("0.0", KORVU_TYPE_INTEGER, korvu_gb_ses_tbssign_getversion(t));
  walk_gb_seal(w, "0.1", korvu_gb_ses_tbssign_geteseal(t));
  w.eq("0.2", KORVU_TYPE_GENERALIZEDTIME, korvu_gb_ses_tbssign_gettimeinfo(t));
  w.eq("0.3", KORVU_TYPE_BIT_STRING, korvu_gb_ses_tbssign_getdatahash(t));
  w.eq("0.4", KORVU_TYPE_IA5STRING, korvu_ses_gb_tbssign_getpropertyinfo(t));
  if (korvu_gb_ses_tbssign_getextdatas(t)) walk_extdatas(w, "0.5.0", korvu_gb_ses_tbssign_getextdatas(t));
  w.eq("1", KORVU_TYPE_OCTET_STRING, korvu_gb_ses_signature_getcert(s));
  w.eq("2", KORVU_TYPE_OBJECT_IDENTIFIER, korvu_gb_ses_signature_getsignaturealgid(s));
  w.eq("3", KORVU_TYPE_BIT_STRING, korvu_gb_ses_signature_getsignature(s));
  if (korvu_gb_ses_signature_gettimestamp(s)) w.eq("4.0", KORVU_TYPE_BIT_STRING, korvu_gb_ses_signature_gettimestamp(s));
  else EXPECT_EQ(w.kids(""), 4u) << w.label;
}

// The seal type of a corpus manifest row, 0 for other rows.
inline uint32_t seal_type(const std::string &t) {
  if (t.rfind("SESeal", 0) == 0) return KORVU_TYPE_SESEAL;
  if (t.rfind("SES_Seal", 0) == 0) return KORVU_TYPE_SES_SEAL;
  if (t.rfind("SES_Signature", 0) == 0) return KORVU_TYPE_SES_SIGNATURE_GB;
  return 0;
}

// DER `in` without the BOOLEAN FALSE elements (01 01 00) directly inside three-element SEQUENCEs, lengths
// adjusted: what DER makes of an ExtData with an explicit FALSE.
inline Bytes without_false_critical(const Bytes &in, const DerNode *n = nullptr) {
  DerNode top;
  if (n == nullptr) {
    if (!der_node(in, 0, in.size(), top)) return in;
    n = &top;
  }
  const Bytes whole(in.begin() + static_cast<long>(n->at), in.begin() + static_cast<long>(n->end()));
  if (!(in[n->at] & 0x20)) return whole;
  const std::vector<DerNode> kids = der_kids(in, *n);
  Bytes body;
  for (const DerNode &k : kids) {
    const bool false_flag = in[n->at] == 0x30 && kids.size() == 3 && k.at == kids[1].at && k.len == 1 &&
                            in[k.at] == 0x01 && in[k.at + 2] == 0x00;
    if (false_flag) continue;
    const Bytes b = without_false_critical(in, &k);
    body.insert(body.end(), b.begin(), b.end());
  }
  return der_tlv(in[n->at], body);
}

// openssl asn1parse -genconf tests/data/seal_genconf.cnf -genstr SEQUENCE:<section>; empty on failure.
inline Bytes openssl_genconf(const std::string &section) {
  const std::string out = std::string(::testing::TempDir()) + "/korvu_seal_genconf.der";
  const std::string cmd = "openssl asn1parse -genconf " KORVU_SOURCE_DIR "/tests/data/seal_genconf.cnf -genstr SEQUENCE:" +
                          section + " -noout -out " + out + " >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0 ? read_file(out) : Bytes{};
}
// Vector name -> the genconf section of the same field values.
inline std::vector<std::pair<std::string, std::string>> genconf_forms() {
  return {{"GB signature with timeStamp", "gbsig"}, {"Older signature", "oldsig"}, {"SeSealTbs", "sesealtbs"}};
}

}  // namespace korvu_test::seal

#endif
