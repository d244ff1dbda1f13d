// Properties every decoder must keep on any input, shared by the libFuzzer
// harnesses (which abort on a broken property) and by the regression test
// that replays saved findings (which reports them as test failures).
//
// Each check_* function takes one fuzzer input and returns an empty string
// when every property holds, or a description of the first broken one.
//
// Functions of families that may not be linked into every build (JSON
// rendering, certificate text input) are referenced weakly: a check whose
// function is absent passes trivially, and starts checking as soon as the
// family is linked.
#ifndef KORVU_FUZZ_CHECKS_H
#define KORVU_FUZZ_CHECKS_H

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/internal.h"
#include "korvu/asn1.h"
#include "korvu/util.h"
#include "korvu/util_json.h"
#include "korvu/x509_cert.h"
#include "tools/lib/input.h"

#pragma weak korvu_asn1_tojson
#pragma weak korvu_asn1_encodejson
#pragma weak korvu_x509pubkeycert_new

namespace korvu_fuzz {

using Bytes = std::vector<unsigned char>;

// Type numbers whose values keep the encoding they were decoded from and
// write it back unchanged.
inline constexpr uint32_t kKeptTypes[] = {KORVU_TYPE_ATTRIBUTETYPEANDDISTINGUISHEDVALUE,
                                          KORVU_TYPE_ATTRIBUTETYPEANDVALUE,
                                          KORVU_TYPE_NAME,
                                          KORVU_TYPE_CERTIFICATE,
                                          KORVU_TYPE_CERTIFICATELIST,
                                          KORVU_TYPE_CERTIFICATIONREQUEST,
                                          KORVU_TYPE_ATTRIBUTECERTIFICATE};

inline bool is_kept_type(uint32_t type) {
  for (uint32_t t : kKeptTypes)
    if (t == type) return true;
  return false;
}

// True when the type number has operations linked in.
inline bool type_exists(uint32_t type) {
  const korvu::TypeDesc *d = korvu::type_desc(type);
  return d != nullptr && d->ops != nullptr;
}

inline bool have_json() { return &korvu_asn1_tojson != nullptr && &korvu_asn1_encodejson != nullptr; }
inline bool have_pubkeycert() { return &korvu_x509pubkeycert_new != nullptr; }

inline std::string hex(const unsigned char *p, size_t n, size_t limit = 64) {
  static const char d[] = "0123456789ABCDEF";
  std::string s;
  for (size_t i = 0; i < n && i < limit; i++) {
    s += d[p[i] >> 4];
    s += d[p[i] & 15];
  }
  if (n > limit) s += "...";
  return s;
}
inline std::string hex(const Bytes &b) { return hex(b.data(), b.size()); }

class ErrCtx {
 public:
  ErrCtx() : ctx_(korvu_err_ctx_new()) {}
  ~ErrCtx() { korvu_err_ctx_free(ctx_); }
  ErrCtx(const ErrCtx &) = delete;
  ErrCtx &operator=(const ErrCtx &) = delete;
  operator KORVU_ERR_CTX *() const { return ctx_; }
  uint32_t count() const { return korvu_err_ctx_count(ctx_); }

 private:
  KORVU_ERR_CTX *ctx_;
};

// A value of one type number, freed on scope exit.
class Value {
 public:
  explicit Value(uint32_t type, void *v = nullptr) : type_(type), v_(v) {}
  ~Value() {
    if (v_ != nullptr) korvu_asn1_value_free(type_, v_);
  }
  Value(const Value &) = delete;
  Value &operator=(const Value &) = delete;
  void *get() const { return v_; }
  void **out() { return &v_; }
  void reset(void *v) {
    if (v_ != nullptr) korvu_asn1_value_free(type_, v_);
    v_ = v;
  }

 private:
  uint32_t type_;
  void *v_;
};

// Encodes through korvu_asn1_encode into a memory stream; checks that the
// count it reports is the count it wrote. False when encoding fails.
inline bool encode_value(uint32_t type, const void *v, Bytes &out, std::string &why) {
  ErrCtx ctx;
  KORVU_STREAM *s = korvu_stream_new_mem(256, nullptr);
  if (s == nullptr) {
    why = "out of memory";
    return false;
  }
  uint32_t written = 0;
  int r = korvu_asn1_encode(s, type, v, &written, ctx);
  uint32_t n = 0;
  const unsigned char *p = korvu_memstream_data(s, &n);
  bool ok = r == 1;
  if (ok) {
    out.assign(p, p + n);
    if (written != n) {
      why = "korvu_asn1_encode reported " + std::to_string(written) + " octets but wrote " + std::to_string(n);
      ok = false;
    }
  } else {
    why = "encoding failed (result " + std::to_string(r) + ", " + std::to_string(ctx.count()) + " errors)";
  }
  korvu_stream_free(s);
  return ok;
}

// Checks a value decoded as `type`: it encodes, its length is the length of
// what it writes, its copy writes the same octets, encoding twice gives the
// same octets, and a kept-encoding type writes back `consumed_bytes` (when
// given). `encoding` receives its encoding.
inline std::string check_decoded_value(uint32_t type, const void *v, const unsigned char *consumed_bytes,
                                       size_t consumed, Bytes &encoding) {
  const std::string where = " (type " + std::to_string(type) + ")";
  std::string why;
  if (!encode_value(type, v, encoding, why)) return "decoded value does not encode: " + why + where;
  uint32_t len = korvu_asn1_length(type, v);
  if (len == KORVU_LENGTH_ERROR) return "korvu_asn1_length fails on a decoded value" + where;
  if (len != KORVU_LENGTH_INDEFINITE && len != encoding.size())
    return "korvu_asn1_length gives " + std::to_string(len) + " but " + std::to_string(encoding.size()) +
           " octets were written" + where;
  if (consumed_bytes != nullptr && is_kept_type(type) &&
      (encoding.size() != consumed || std::memcmp(encoding.data(), consumed_bytes, consumed) != 0))
    return "kept encoding not written back: consumed " + hex(consumed_bytes, consumed) + " wrote " + hex(encoding) +
           where;

  ErrCtx ctx;
  Value copy(type, korvu_asn1_dupobject(type, v, ctx));
  if (copy.get() == nullptr) return "korvu_asn1_dupobject fails on a decoded value" + where;
  Bytes copied;
  if (!encode_value(type, copy.get(), copied, why)) return "copy does not encode: " + why + where;
  if (copied != encoding) return "copy writes " + hex(copied) + " but the original " + hex(encoding) + where;
  Bytes again;
  if (!encode_value(type, v, again, why) || again != encoding)
    return "encoding the same value twice gives different octets" + where;
  return {};
}

// ---- Registry harness ------------------------------------------------------
// Input: two octets selecting the type number (big-endian, modulo 450), then
// the encoding to decode as that type.
inline std::string check_registry(const uint8_t *data, size_t size) {
  if (size < 2 || size > 0x7FFFFFFF) return {};
  const uint32_t type = ((uint32_t{data[0]} << 8) | data[1]) % korvu::kTypeCount;
  if (!type_exists(type)) return {};
  const unsigned char *in = data + 2;
  const uint32_t n = static_cast<uint32_t>(size - 2);
  const std::string where = " (type " + std::to_string(type) + ")";

  // Pull decoding through a stream, with an error context.
  ErrCtx ctx;
  KORVU_STREAM *s = korvu_stream_new_romem(in, n);
  if (s == nullptr) return {};
  int sentinel = 0;
  void *raw = &sentinel;  // a failed decode must overwrite it with null
  uint32_t consumed = 0;
  int r = korvu_asn1_decode(s, type, &raw, &consumed, ctx);
  korvu_stream_free(s);
  if (r != 1) {
    if (raw != nullptr) {
      if (raw != &sentinel) korvu_asn1_value_free(type, raw);
      return "failed decode (result " + std::to_string(r) + ") handed out a non-null value" + where;
    }
    if (ctx.count() == 0) return "failed decode recorded nothing in the error context" + where;
  }
  Value v(type, r == 1 ? raw : nullptr);
  if (r == 1) {
    if (raw == nullptr) return "successful decode handed out null" + where;
    if (consumed == 0 || consumed > n) return "decode consumed " + std::to_string(consumed) + " of " +
                                              std::to_string(n) + " octets" + where;
  }

  // The memory decoder agrees with the stream decoder.
  void *mraw = &sentinel;
  uint32_t mused = n == 0 ? 0xFFFFFFFFu : korvu_asn1_mem_decode(in, static_cast<int32_t>(n), type, &mraw);
  if (n == 0) mraw = nullptr;
  Value mv(type, mused != 0xFFFFFFFFu ? mraw : nullptr);
  if (mused == 0xFFFFFFFFu && mraw != nullptr) {
    if (mraw != &sentinel) korvu_asn1_value_free(type, mraw);
    return "failed korvu_asn1_mem_decode handed out a non-null value" + where;
  }
  if ((mused != 0xFFFFFFFFu) != (r == 1))
    return std::string("korvu_asn1_mem_decode ") + (r == 1 ? "refuses" : "accepts") +
           " what korvu_asn1_decode " + (r == 1 ? "accepts" : "refuses") + where;
  if (r != 1) return {};
  if (mused != consumed)
    return "korvu_asn1_mem_decode consumed " + std::to_string(mused) + ", korvu_asn1_decode " +
           std::to_string(consumed) + where;

  Bytes encoding;
  std::string why = check_decoded_value(type, v.get(), in, consumed, encoding);
  if (!why.empty()) return why;
  Bytes mencoding;
  if (!encode_value(type, mv.get(), mencoding, why) || mencoding != encoding)
    return "the two decoders' values encode differently" + where;
  return {};
}

// ---- JSON harness ----------------------------------------------------------
// First octet even: the rest is an encoding rendered to JSON, which must
// encode back to exactly the rest when accepted. Odd: the rest is JSON text;
// a tree that encodes must render back to a tree encoding the same octets.
inline std::string check_json(const uint8_t *data, size_t size) {
  if (!have_json() || size < 2 || size > 0x7FFFFFFF) return {};
  const unsigned char *in = data + 1;
  const uint32_t n = static_cast<uint32_t>(size - 1);
  if ((data[0] & 1) == 0) {
    KORVU_JSON *tree = korvu_asn1_tojson(in, static_cast<int32_t>(n));
    if (tree == nullptr) return {};
    KORVU_DATA_BLOB *b = korvu_asn1_encodejson(tree);
    std::string why;
    if (b == nullptr) {
      uint32_t tl = 0;
      char *text = korvu_json_print(tree, 0, &tl);
      why = "rendered tree does not encode: " + std::string(text ? text : "", text ? tl : 0).substr(0, 400);
      korvu_free(text);
    } else if (b->length != n || std::memcmp(b->data, in, n) != 0) {
      why = "rendering is not lossless: input " + hex(in, n) + " encodes back to " + hex(b->data, b->length);
    }
    korvu_data_blob_free(b);
    korvu_json_free(tree);
    return why;
  }
  KORVU_JSON *tree = korvu_json_parse(reinterpret_cast<const char *>(in), n);
  if (tree == nullptr) return {};
  KORVU_DATA_BLOB *b = korvu_asn1_encodejson(tree);
  korvu_json_free(tree);
  if (b == nullptr) return {};
  Bytes first(b->data, b->data + b->length);
  korvu_data_blob_free(b);
  if (first.empty() || first.size() > 0x7FFFFFFF) return first.empty() ? "a tree encoded to no octets" : "";
  KORVU_JSON *again = korvu_asn1_tojson(first.data(), static_cast<int32_t>(first.size()));
  if (again == nullptr) return {};  // raw "user defined" octets may form no sound encoding
  KORVU_DATA_BLOB *b2 = korvu_asn1_encodejson(again);
  korvu_json_free(again);
  std::string why;
  if (b2 == nullptr)
    why = "rendering of an encoded tree does not encode: " + hex(first);
  else if (b2->length != first.size() || std::memcmp(b2->data, first.data(), first.size()) != 0)
    why = "tree encoded to " + hex(first) + ", its rendering to " + hex(b2->data, b2->length);
  korvu_data_blob_free(b2);
  return why;
}

// ---- Push harness ----------------------------------------------------------
// Piece sizes come from a small generator seeded by the input, so that a
// saved input replays the same split.
class Pieces {
 public:
  explicit Pieces(uint32_t seed) : x_(seed * 2654435761u + 1) {}
  uint32_t next(uint32_t remaining) {
    x_ ^= x_ << 13;
    x_ ^= x_ >> 17;
    x_ ^= x_ << 5;
    uint32_t k;
    switch (x_ & 7) {
      case 0: k = 0; break;
      case 1: k = 1; break;
      case 7: k = (x_ >> 8) % 257; break;
      default: k = (x_ >> 8) % 9;
    }
    return k < remaining ? k : remaining;
  }

 private:
  uint32_t x_;
};

struct PushResult {
  bool failed = false;
  bool finished = false;
  uint32_t consumed = 0;  // octets of the encoding, when finished
  Bytes data;             // OCTET STRING data octets
  Bytes any_encoding;     // ANY: toobject as ANY, encoded
  int toobject = 1;       // ANY: result of toobject as ANY
  std::string problem;    // a broken push-decoder property
};

// Feeds `in` to a fresh push decoder, in pieces from `pieces` (one piece when
// null). `octet_string` picks the OCTET STRING decoder, else ANY.
inline PushResult push_decode(bool octet_string, const unsigned char *in, uint32_t n, Pieces *pieces) {
  PushResult res;
  KORVU_ASN1_DECODE_OCTETSTRING_CTX *oc = nullptr;
  KORVU_ASN1_DECODE_ANY_CTX *ac = nullptr;
  KORVU_STREAM *out = nullptr;
  if (octet_string) {
    oc = korvu_asn1_decode_octetstring_ctx_new();
    out = korvu_stream_new_mem(64, nullptr);
  } else {
    ac = korvu_asn1_decode_any_ctx_new();
  }
  if ((octet_string && (oc == nullptr || out == nullptr)) || (!octet_string && ac == nullptr)) {
    res.failed = true;
    res.problem = "out of memory";
  }
  uint32_t pos = 0;
  while (!res.failed && !res.finished) {
    uint32_t k = pieces ? pieces->next(n - pos) : n - pos;
    if (pos == n && k == 0) break;  // input used up, not finished
    uint32_t left = 0xDEADu;
    int r = octet_string ? korvu_asn1_decode_octetstring_update(oc, out, in + pos, static_cast<int32_t>(k), &left)
                         : korvu_asn1_decode_any_update(ac, in + pos, static_cast<int32_t>(k), &left);
    if (r != 1) {
      res.failed = true;
      break;
    }
    bool fin = octet_string ? korvu_asn1_decode_octetstring_isfinish(oc) == 1 : korvu_asn1_decode_any_isfinish(ac) == 1;
    if (fin) {
      if (left > k) {
        res.problem = "finished with " + std::to_string(left) + " octets left of a " + std::to_string(k) + "-octet piece";
        break;
      }
      res.finished = true;
      res.consumed = pos + k - left;
    } else if (left != 0) {
      res.problem = "unfinished decoder reported " + std::to_string(left) + " octets left";
      break;
    }
    pos += k;
  }
  if (res.finished && res.problem.empty()) {
    // A finished decoder takes nothing more.
    static const unsigned char extra[3] = {0x30, 0x00, 0x00};
    uint32_t left = 0;
    int r = octet_string ? korvu_asn1_decode_octetstring_update(oc, out, extra, 3, &left)
                         : korvu_asn1_decode_any_update(ac, extra, 3, &left);
    if (r != 1 || left != 3) res.problem = "a finished decoder took more octets";
  }
  if (res.finished && res.problem.empty()) {
    if (octet_string) {
      uint32_t len = korvu_asn1_decode_octetstring_ctx_getencodelength(oc);
      if (len != res.consumed)
        res.problem = "encode length " + std::to_string(len) + " but the encoding took " + std::to_string(res.consumed);
      uint32_t dn = 0;
      const unsigned char *d = korvu_memstream_data(out, &dn);
      res.data.assign(d, d + dn);
    } else {
      ErrCtx ctx;
      void *v = nullptr;
      int r = korvu_asn1_decode_any_ctx_toobject(ac, KORVU_TYPE_ANY, &v, ctx);
      Value val(KORVU_TYPE_ANY, r == 1 ? v : nullptr);
      if (r != 1 && v != nullptr) res.problem = "failed toobject handed out a value";
      if (r == 1) {
        std::string why;
        if (!encode_value(KORVU_TYPE_ANY, val.get(), res.any_encoding, why)) res.problem = "pushed ANY does not encode: " + why;
      }
      res.toobject = r;
    }
  }
  korvu_asn1_decode_octetstring_ctx_free(oc);
  korvu_asn1_decode_any_ctx_free(ac);
  korvu_stream_free(out);
  return res;
}

// Input: octet 0 picks the decoder (bit 0: OCTET STRING, else ANY), octets 1
// and 2 seed the piece sizes, the rest is fed.
inline std::string check_push(const uint8_t *data, size_t size) {
  if (size < 4 || size > 0x7FFFFFFF) return {};
  const bool octet_string = (data[0] & 1) != 0;
  const uint32_t type = octet_string ? KORVU_TYPE_OCTET_STRING : KORVU_TYPE_ANY;
  const char *name = octet_string ? "OCTET STRING" : "ANY";
  Pieces pieces((uint32_t{data[1]} << 8) | data[2]);
  const unsigned char *in = data + 3;
  const uint32_t n = static_cast<uint32_t>(size - 3);

  PushResult whole = push_decode(octet_string, in, n, nullptr);
  if (!whole.problem.empty()) return std::string(name) + " push decoder, one piece: " + whole.problem;
  PushResult split = push_decode(octet_string, in, n, &pieces);
  if (!split.problem.empty()) return std::string(name) + " push decoder, in pieces: " + split.problem;
  if (whole.failed != split.failed || whole.finished != split.finished || whole.consumed != split.consumed ||
      whole.data != split.data || whole.any_encoding != split.any_encoding || whole.toobject != split.toobject)
    return std::string(name) + " push decoder gives another result in pieces than in one piece: failed " +
           std::to_string(whole.failed) + "/" + std::to_string(split.failed) + " finished " +
           std::to_string(whole.finished) + "/" + std::to_string(split.finished) + " consumed " +
           std::to_string(whole.consumed) + "/" + std::to_string(split.consumed);
  if (!whole.finished) return {};

  // Compare with the pull decoder on what both accept.
  void *raw = nullptr;
  uint32_t used = korvu_asn1_mem_decode(in, static_cast<int32_t>(n), type, &raw);
  Value pulled(type, used != 0xFFFFFFFFu ? raw : nullptr);
  if (used == 0xFFFFFFFFu) return {};
  if (used != whole.consumed)
    return std::string(name) + ": push decoder took " + std::to_string(whole.consumed) + " octets, pull decoder " +
           std::to_string(used);
  if (octet_string) {
    auto *os = static_cast<KORVU_ASN1_OCTETSTRING *>(pulled.get());
    uint32_t len = korvu_asn1_octetstring_getlength(os);
    Bytes d(len);
    if (len != 0 && korvu_asn1_octetstring_getall(os, d.data()) != 1) return "OCTET STRING getall fails";
    if (d != whole.data)
      return "OCTET STRING data differ: push " + hex(whole.data) + ", pull " + hex(d);
  } else {
    Bytes enc;
    std::string why;
    if (!encode_value(KORVU_TYPE_ANY, pulled.get(), enc, why)) return "pulled ANY does not encode: " + why;
    if (whole.toobject != 1)
      return "ANY: toobject refuses (" + std::to_string(whole.toobject) + ") what the pull decoder accepts: " +
             hex(in, used);
    if (enc != whole.any_encoding)
      return "ANY values differ: push " + hex(whole.any_encoding) + ", pull " + hex(enc);
  }
  return {};
}

// ---- Text harness ------------------------------------------------------------
// Octet 0 picks the parser (modulo 5), the rest is its text.
// The streaming SignedData decoder: a failure hands out nothing; a success
// has its offsets in order inside what it consumed, never more than the input,
// and a record that encodes.
inline std::string check_signeddata(const uint8_t *data, size_t size) {
  if (size > 0x7FFFFFFF) return {};
  KORVU_ERR_CTX *ctx = korvu_err_ctx_new();
  KORVU_STREAM *s = korvu_stream_new_romem(data, static_cast<uint32_t>(size));
  KORVU_PKCS7_SIGNEDDATA *sd = nullptr;
  uint32_t used = 0;
  const int r = korvu_asn1_decode_pkcs7signeddata(s, &sd, &used, ctx);
  korvu_stream_free(s);
  korvu_err_ctx_free(ctx);
  korvu_fuzz::Value held(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd);
  if (r != 1) return sd == nullptr ? "" : "a failed streaming decode handed out a record";
  if (sd == nullptr) return {};
  const uint32_t ci = korvu_pkcs7signeddata_getcontentinfooffset(sd),
                 end = korvu_pkcs7signeddata_getcontentinfoendoffset(sd),
                 si = korvu_pkcs7signeddata_getsignerinfosoffset(sd);
  if (used > size) return "consumed " + std::to_string(used) + " of " + std::to_string(size) + " octets";
  if (!(ci < end && end <= si && si < used))
    return "offsets out of order: " + std::to_string(ci) + " " + std::to_string(end) + " " + std::to_string(si) +
           " consumed " + std::to_string(used);
  if (korvu_pkcs7signeddata_gettype(sd) > 2) return "wrapper kind " + std::to_string(korvu_pkcs7signeddata_gettype(sd));
  korvu_fuzz::Bytes enc;
  std::string why;
  if (!korvu_fuzz::encode_value(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd, enc, why))
    return "a streamed SignedData does not encode: " + why;
  return {};
}

// The push harness's input: octet 0 with bit 1 set sends the rest to the
// streaming SignedData decoder, anything else goes to check_push.
inline std::string check_push_input(const uint8_t *data, size_t size) {
  if (size > 0 && (data[0] & 2) != 0) return check_signeddata(data + 1, size - 1);
  return check_push(data, size);
}

inline std::string check_oid_text(bool relative, const std::string &text) {
  const uint32_t type = relative ? KORVU_TYPE_RELATIVE_OID : KORVU_TYPE_OBJECT_IDENTIFIER;
  if (!type_exists(type)) return {};
  auto *v = relative ? korvu_asn1_relative_oid_new(text.c_str()) : korvu_asn1_oid_new(text.c_str());
  Value val(type, v);
  if (v == nullptr) return {};
  const char *s = relative ? korvu_asn1_relative_oid_getstring(v) : korvu_asn1_oid_getstring(v);
  if (s == nullptr) return "OID without text";
  std::string canon = s;
  Bytes enc;
  std::string why;
  if (!encode_value(type, v, enc, why)) return "OID from text \"" + text + "\" does not encode: " + why;
  void *raw = nullptr;
  uint32_t used = korvu_asn1_mem_decode(enc.data(), static_cast<int32_t>(enc.size()), type, &raw);
  Value back(type, used != 0xFFFFFFFFu ? raw : nullptr);
  if (used != enc.size()) return "OID from \"" + text + "\" encodes to " + hex(enc) + ", which does not decode";
  const char *s2 = relative ? korvu_asn1_relative_oid_getstring(static_cast<KORVU_ASN1_OID *>(back.get()))
                            : korvu_asn1_oid_getstring(static_cast<KORVU_ASN1_OID *>(back.get()));
  if (s2 == nullptr || canon != s2)
    return "OID text \"" + canon + "\" decodes back as \"" + (s2 ? s2 : "(null)") + "\"";
  auto *v2 = relative ? korvu_asn1_relative_oid_new(canon.c_str()) : korvu_asn1_oid_new(canon.c_str());
  Value val2(type, v2);
  Bytes enc2;
  if (v2 == nullptr || !encode_value(type, v2, enc2, why) || enc2 != enc)
    return "OID text \"" + canon + "\" does not give the same OID again";
  return {};
}

inline std::string check_time_text(const unsigned char *in, uint32_t n) {
  if (n < 1) return {};
  const unsigned char tag = (in[0] & 1) ? 0x18 : 0x17;
  Bytes tlv{tag};
  const uint32_t len = n - 1;
  if (len < 0x80) {
    tlv.push_back(static_cast<unsigned char>(len));
  } else if (len < 0x100) {
    tlv.push_back(0x81);
    tlv.push_back(static_cast<unsigned char>(len));
  } else {
    tlv.push_back(0x82);
    tlv.push_back(static_cast<unsigned char>(len >> 8));
    tlv.push_back(static_cast<unsigned char>(len));
  }
  tlv.insert(tlv.end(), in + 1, in + n);
  // The Time choice and the tag's own type accept the same texts, and a
  // decoded time is written back octet for octet.
  const uint32_t own = tag == 0x17 ? KORVU_TYPE_UTCTIME : KORVU_TYPE_GENERALIZEDTIME;
  bool accepted[2] = {false, false};
  const uint32_t types[2] = {KORVU_TYPE_TIME, own};
  for (int i = 0; i < 2; i++) {
    if (!type_exists(types[i])) return {};
    void *raw = nullptr;
    uint32_t used = korvu_asn1_mem_decode(tlv.data(), static_cast<int32_t>(tlv.size()), types[i], &raw);
    Value v(types[i], used != 0xFFFFFFFFu ? raw : nullptr);
    if (used == 0xFFFFFFFFu) {
      if (raw != nullptr) return "failed time decode handed out a value";
      continue;
    }
    accepted[i] = true;
    if (used != tlv.size()) return "time decode consumed " + std::to_string(used) + " of " + std::to_string(tlv.size());
    Bytes enc;
    std::string why = check_decoded_value(types[i], v.get(), tlv.data(), used, enc);
    if (!why.empty()) return why;
    if (enc != tlv) return "time " + hex(tlv) + " is written back as " + hex(enc);
    auto *t = static_cast<KORVU_ASN1_TIME *>(v.get());
    KORVU_TIME *handle = korvu_asn1_time_getutctime(t);
    if (handle == nullptr) return "decoded time " + hex(tlv) + " has no time handle";
    korvu_time_free(handle);
  }
  if (accepted[0] != accepted[1]) return "Time choice and its alternative disagree on " + hex(tlv);
  return {};
}

inline std::string check_cert_text(const unsigned char *in, uint32_t n) {
  if (!have_pubkeycert() || !type_exists(KORVU_TYPE_CERTIFICATE) || n == 0) return {};
  ErrCtx ctx;
  KORVU_X509_CERT *c = korvu_x509pubkeycert_new(in, static_cast<int32_t>(n), ctx);
  Value v(KORVU_TYPE_CERTIFICATE, c);
  if (c == nullptr) return ctx.count() == 0 ? "refused certificate input recorded nothing" : "";
  Bytes enc;
  std::string why = check_decoded_value(KORVU_TYPE_CERTIFICATE, c, nullptr, 0, enc);
  if (!why.empty()) return why;
  // DER input holds exactly one certificate, which is kept as it came.
  if (in[0] == 0x30 && (enc.size() != n || std::memcmp(enc.data(), in, n) != 0))
    return "certificate from DER " + hex(in, n) + " writes " + hex(enc);
  return {};
}

inline std::string check_load_input(const unsigned char *in, uint32_t n) {
  korvu::tool::LoadedInput out;
  out.label = "untouched";
  std::string error;
  if (!korvu::tool::load_input(in, n, out, error)) {
    if (error.empty()) return "refused input without a message";
    if (out.label != "untouched" || !out.bytes.empty()) return "refused input changed the result";
    return {};
  }
  if (out.format == korvu::tool::InputFormat::Der &&
      (out.bytes.size() != n || (n != 0 && std::memcmp(out.bytes.data(), in, n) != 0)))
    return "binary input not passed through unchanged";
  if (out.format == korvu::tool::InputFormat::Base64 && out.bytes.empty()) return "Base64 input decoded to nothing";
  if (out.format != korvu::tool::InputFormat::Pem && !out.label.empty()) return "label outside PEM";
  return {};
}

inline std::string check_text(const uint8_t *data, size_t size) {
  if (size < 1 || size > 0x7FFFFFFF) return {};
  const unsigned char *in = data + 1;
  const uint32_t n = static_cast<uint32_t>(size - 1);
  switch (data[0] % 5) {
    case 0: return check_oid_text(false, std::string(reinterpret_cast<const char *>(in), n));
    case 1: return check_oid_text(true, std::string(reinterpret_cast<const char *>(in), n));
    case 2: return check_time_text(in, n);
    case 3: return check_cert_text(in, n);
    default: return check_load_input(in, n);
  }
}

}  // namespace korvu_fuzz

#endif
