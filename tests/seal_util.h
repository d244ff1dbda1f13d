// Seal and Authenticode test helpers: hex vectors in a data file, run through decode, write-back and the
// constructors.
#ifndef KORVU_TESTS_SEAL_UTIL_H
#define KORVU_TESTS_SEAL_UTIL_H

#include <functional>
#include <map>

#include "ocsp_peer.h"

namespace korvu_test::seal {

struct Vector {
  std::string name;
  uint32_t type = 0;
  Bytes in, out;
  uint32_t code = 0;  // refused with this code
};

// Hex where "TT(...)" is a TLV of tag TT with its length counted and "$NAME" a definition.
inline Bytes expand(const std::string &t, size_t &i, const std::map<std::string, std::string> &defs) {
  Bytes out, b;
  for (size_t j; i < t.size() && t[i] != ')'; out.insert(out.end(), b.begin(), b.end())) {
    for (b.clear(); t[i] == ' ';) i++;
    if (t[i] == '$') {
      for (j = ++i; j < t.size() && (std::isalnum(static_cast<unsigned char>(t[j])) || t[j] == '_');) j++;
      size_t k = 0;
      b = expand(defs.at(t.substr(i, j - i)), k, defs);
      i = j;
      continue;
    }
    for (j = i; j < t.size() && std::isxdigit(static_cast<unsigned char>(t[j]));) j++;
    b = hex(t.substr(i, j - i));
    if ((i = j) < t.size() && t[i] == '(') b = der_tlv(b.at(0), expand(t, ++i, defs)), i++;
  }
  return out;
}

inline std::vector<Vector> read_vectors(const std::string &path) {
  std::ifstream f(path);
  std::map<std::string, std::string> defs;
  std::vector<Vector> out;
  for (std::string line; std::getline(f, line);) {
    std::vector<std::string> c;
    for (std::istringstream cells(line.substr(line[0] == '@'));; c.back().erase(0, c.back().find_first_not_of(' '))) {
      c.emplace_back();
      if (!std::getline(cells, c.back(), line[0] == '@' ? '=' : '|')) break;
      c.back().erase(c.back().find_last_not_of(' ') + 1);
    }
    size_t i = 0, k = 0;
    if (line[0] == '@') defs[c.at(0)] = c.at(1);
    if (line[0] == '@' || line[0] == '#' || c.size() < 4) continue;
    Vector v{c[0], static_cast<uint32_t>(std::stoul(c[1])), expand(c[2], i, defs)};
    if (c[3][0] == '!') v.code = static_cast<uint32_t>(std::stoul(c[3].substr(1), nullptr, 16));
    else v.out = c[3] == "=" ? v.in : expand(c[3], k, defs);
    out.push_back(v);
  }
  return out;
}

// Each vector decoded: refused with its code, or consumed whole, written back as expected and rebuilt with the
// constructors from its getters (`rebuild`) to the same octets. Returns the number of vectors run.
inline int run_vectors(const std::string &file, const std::function<void *(uint32_t, const void *)> &rebuild,
                       const std::function<bool(uint32_t)> &skip = nullptr) {
  int run = 0;
  for (const Vector &c : read_vectors(KORVU_SOURCE_DIR "/tests/data/" + file)) {
    if (skip && skip(c.type)) continue;
    ErrCtx ctx;
    uint32_t used = 0;
    Val v(c.type, decode(c.type, c.in, ctx, &used));
    run++;
    if (c.code != 0) {
      EXPECT_TRUE(v.v == nullptr && ctx.has(c.code)) << c.name << ": " << ::testing::PrintToString(ctx.codes());
      continue;
    }
    if (v.v == nullptr) {
      ADD_FAILURE() << c.name << ": " << ::testing::PrintToString(ctx.codes());
      continue;
    }
    EXPECT_EQ(used, c.in.size()) << c.name;
    EXPECT_EQ(to_hex(encode(c.type, v.v)), to_hex(c.out)) << c.name;
    Val again(c.type, rebuild(c.type, v.v));
    EXPECT_EQ(to_hex(encode(c.type, again.v)), to_hex(c.out)) << c.name << " (rebuilt)";
  }
  return run;
}

// A seal value built with its constructor from the getters of `p` (components passed as they are; a list copied).
inline void *rebuild(uint32_t type, const void *p) {
#define KORVU_T_(T) auto *r = static_cast<const T *>(p)
  switch (type) {
    case KORVU_TYPE_EXTDATA: { KORVU_T_(KORVU_SES_EXTDATA);
      return korvu_ses_extdata_new(korvu_ses_extdata_getextnid(r), korvu_ses_extdata_getcritical(r), korvu_ses_extdata_getextnvalue(r)); }
    case KORVU_TYPE_SES_HEADER: { KORVU_T_(KORVU_SES_HEADER);
      return korvu_ses_header_new(korvu_ses_header_getid(r), korvu_ses_header_geversion(r), korvu_ses_header_getvid(r)); }
    case KORVU_TYPE_SES_ESPICTUREINFO: { KORVU_T_(KORVU_SES_ESPICTUREINFO);
      return korvu_ses_espictureinfo_new(korvu_ses_espictureinfo_gettype(r), korvu_ses_espictureinfo_getdata(r),
                                         korvu_ses_espictureinfo_getwidth(r), korvu_ses_espictureinfo_getheigth(r)); }
    case KORVU_TYPE_CERTDIGESTOBJ: { KORVU_T_(KORVU_SES_CERTDIGESTOBJ);
      return korvu_ses_certdigestobj_new(korvu_ses_certdigestobj_gettype(r), korvu_ses_certdigestobj_getvalue(r)); }
    case KORVU_TYPE_SES_ESPROPERTYINFO: { KORVU_T_(KORVU_SES_ESPROPERTYINFO);
      return korvu_ses_espropertyinfo_new(korvu_ses_espropertyinfo_gettype(r), korvu_ses_espropertyinfo_getname(r),
                                          korvu_ses_espropertyinfo_getcertlist(r), korvu_ses_espropertyinfo_getcreatedate(r),
                                          korvu_ses_espropertyinfo_getvalidstart(r), korvu_ses_espropertyinfo_getvalidend(r)); }
    case KORVU_TYPE_SES_ESPROPERTYINFO_GB: { KORVU_T_(KORVU_GB_SES_ESPROPERTYINFO);
      const bool certs = korvu_gb_ses_espropertyinfo_getcertlistype(r) == 1;
      return (certs ? korvu_gb_ses_espropertyinfo_newcert : korvu_gb_ses_espropertyinfo_newcertdigest)(
          korvu_gb_ses_espropertyinfo_gettype(r), korvu_gb_ses_espropertyinfo_getname(r),
          certs ? korvu_gb_ses_espropertyinfo_getcertlist(r) : korvu_gb_ses_espropertyinfo_getcertdigestlist(r),
          korvu_gb_ses_espropertyinfo_getcreatedate(r), korvu_gb_ses_espropertyinfo_getvalidstart(r),
          korvu_gb_ses_espropertyinfo_getvalidend(r)); }
    case KORVU_TYPE_SES_SEALINFO: { KORVU_T_(KORVU_SES_SEALINFO);
      return korvu_ses_sealinfo_new(korvu_ses_sealinfo_getheader(r), korvu_ses_sealinfo_getesid(r), korvu_ses_sealinfo_getproperty(r),
                                    korvu_ses_sealinfo_getpicture(r), korvu_ses_sealinfo_getextdatas(r)); }
    case KORVU_TYPE_SES_SEALINFO_GB: { KORVU_T_(KORVU_GB_SES_SEALINFO);
      return korvu_gb_ses_sealinfo_new(korvu_gb_ses_sealinfo_getheader(r), korvu_gb_ses_sealinfo_getesid(r),
                                       korvu_gb_ses_sealinfo_getproperty(r), korvu_gb_ses_sealinfo_getpicture(r),
                                       korvu_gb_ses_sealinfo_getextdatas(r)); }
    case KORVU_TYPE_SES_SIGNINFO: { KORVU_T_(KORVU_SES_SIGNINFO);
      return korvu_ses_signinfo_new(korvu_ses_signinfo_getcert(r), korvu_ses_signinfo_getsignaturealgorithm(r),
                                    korvu_ses_signinfo_getsigndata(r)); }
    case KORVU_TYPE_SESEALTBS: { KORVU_T_(KORVU_SES_SESEALTBS);
      return korvu_ses_sesealtbs_new(korvu_ses_sesealtbs_getesealinfo(r), korvu_ses_sesealtbs_getcert(r),
                                     korvu_ses_sesealtbs_getsignaturealgorithm(r)); }
    case KORVU_TYPE_SESEAL: { KORVU_T_(KORVU_SES_SESEAL);
      return korvu_ses_seseal_new(korvu_ses_seseal_getesealinfo(r), korvu_ses_seseal_getsigninfo(r)); }
    case KORVU_TYPE_TBS_SIGN: { KORVU_T_(KORVU_SES_TBSSIGN);
      return korvu_ses_tbssign_new(korvu_ses_tbssign_getversion(r), korvu_ses_tbssign_geteseal(r), korvu_ses_tbssign_gettimeinfo(r),
                                   korvu_ses_tbssign_getdatahash(r), korvu_ses_tbssign_getpropertyinfo(r),
                                   korvu_ses_tbssign_getcert(r), korvu_ses_tbssign_getsignaturealgorithm(r)); }
    case KORVU_TYPE_SES_SIGNATURE: { KORVU_T_(KORVU_SES_SIGNATURE);
      return korvu_ses_signature_new(korvu_ses_signature_gettosign(r), korvu_ses_signature_getsignature(r)); }
    case KORVU_TYPE_SES_SEAL: { KORVU_T_(KORVU_GB_SES_SEAL);
      return korvu_gb_ses_seal_new(korvu_gb_ses_seal_getesealinfo(r), korvu_gb_ses_seal_getcert(r), korvu_gb_ses_seal_getsignalgid(r),
                                   korvu_gb_ses_seal_getsignedvalue(r)); }
    case KORVU_TYPE_TBS_SIGN_GB: { KORVU_T_(KORVU_GB_SES_TBSSIGN);
      return korvu_gb_ses_tbssign_new(korvu_gb_ses_tbssign_getversion(r), korvu_gb_ses_tbssign_geteseal(r),
                                      korvu_gb_ses_tbssign_gettimeinfo(r), korvu_gb_ses_tbssign_getdatahash(r),
                                      korvu_ses_gb_tbssign_getpropertyinfo(r), korvu_gb_ses_tbssign_getextdatas(r)); }
    case KORVU_TYPE_SES_SIGNATURE_GB: { KORVU_T_(KORVU_GB_SES_SIGNATURE);
      return korvu_gb_ses_signature_new(korvu_gb_ses_signature_gettosign(r), korvu_gb_ses_signature_getcert(r),
                                        korvu_gb_ses_signature_getsignaturealgid(r), korvu_gb_ses_signature_getsignature(r),
                                        korvu_gb_ses_signature_gettimestamp(r)); }
    default: return korvu_asn1_dupobject(type, p, nullptr);
  }
#undef KORVU_T_
}

}  // namespace korvu_test::seal

#endif
