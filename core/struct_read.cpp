// The structure engine: reading one component after its header (tagged,
// inline, lists, kept octets).
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct_engine.h"

namespace korvu::st::eng {

void report_decode(const Field &f, KORVU_ERR_CTX *ctx) {
  if (f.code != 0)
    KORVU_ERR(ctx, static_cast<uint32_t>(f.code) + 1);
  else
    KORVU_DECODE_ERR(ctx, f.type);
}

// Reads an end-of-contents (00 00) closing an indefinite length.
int read_eoc(KORVU_STREAM *s, KORVU_ERR_CTX *ctx) {
  unsigned char b[2];
  int r = stream::readn(s, b, 2);
  if (r != 1 || b[0] != 0 || b[1] != 0) {
    if (r != 1) KORVU_ERR(ctx, static_cast<uint32_t>(r));
    KORVU_ERR(ctx, kErrDecodeEocOctets);
    return r != 1 ? r : 0;
  }
  return 1;
}

int read_list(const Field &f, KORVU_STREAM *s, const Header &h, void **v, uint32_t *n, KORVU_ERR_CTX *ctx,
              int depth) {
  KORVU_ASN1_LIST *l = nullptr;
  // A SIZE with a code of its own is checked below, by size_ok.
  int r = list::decode_content(s, &l, h.primitive, h.length, elem_spec(f), n, ctx, depth + 1,
                               f.size_code ? 0 : f.min_size);
  if (r == 1 && !size_ok(f, l)) {
    report_size(f, ctx);
    r = 0;
  }
  if (r != 1) {
    korvu_asn1_list_free(l, f.type);
    l = nullptr;
  }
  *v = l;
  return r;
}

// Reads an OCTET STRING of exactly the inline size into the record.
int read_inline(const Field &f, KORVU_STREAM *s, const Header &h, void *record, uint32_t *n, KORVU_ERR_CTX *ctx,
                int depth) {
  Holder v(KORVU_TYPE_OCTET_STRING);
  int r = decode_after_header(s, KORVU_TYPE_OCTET_STRING, h, v.out(), n, ctx, depth + 1);
  if (r != 1) return r;
  auto *os = static_cast<const KORVU_ASN1_OCTETSTRING *>(v.get());
  if (korvu_asn1_octetstring_getlength(os) != f.min_size) {
    report_size(f, ctx);
    return 0;
  }
  return korvu_asn1_octetstring_getall(os, static_cast<unsigned char *>(record) + f.offset) == 1 ? 1 : 0;
}

// Decodes the component whose header h has been read; contents octets only
// are counted in n. Inline octets go straight into the record.
int read_tagged(const Field &f, KORVU_STREAM *s, const Header &h, void *record, void **v, uint32_t *n,
                KORVU_ERR_CTX *ctx, int depth) {
  switch (f.tagging) {
    case Tagging::None:
      if (is_inline(f)) return read_inline(f, s, h, record, n, ctx, depth);
      if (is_list(f)) return read_list(f, s, h, v, n, ctx, depth);
      return decode_after_header(s, f.type, h, v, n, ctx, depth + 1);
    case Tagging::Implicit: {
      if (is_list(f)) return read_list(f, s, h, v, n, ctx, depth);
      if (implicit_kept_def(f) != nullptr) {
        // The value keeps the octets as received, under its own identifier.
        const TypeDesc *t = type_desc(f.type);
        Header own = h;
        own.tag_class = t->tag_class;
        own.tag = t->tag_number;
        // The type's own identifier octets, constructed (X.690 8.1.2.4).
        unsigned char id[8];
        uint32_t idn = identifier_octets(t->tag_number);
        id[0] = static_cast<unsigned char>(t->tag_class | 0x20 | (idn == 1 ? t->tag_number : 0x1F));
        for (uint32_t j = 1; j < idn; j++)
          id[j] = static_cast<unsigned char>(((t->tag_number >> (7 * (idn - 1 - j))) & 0x7F) | (j + 1 < idn ? 0x80 : 0));
        const uint32_t old = identifier_size(h.raw, h.size);
        if (h.primitive || old >= h.size) {
          KORVU_ERR(ctx, kErrPcBit);
          return 0;
        }
        if (h.size - old + idn > sizeof(own.raw)) {
          KORVU_ERR(ctx, kErrIncorrectLength);
          return 0;
        }
        std::memcpy(own.raw, id, idn);
        std::memmove(own.raw + idn, h.raw + old, h.size - old);
        own.size = h.size - old + idn;
        return t->ops->decode_tlv(s, own, v, n, ctx, depth + 1);
      }
      const TypeOps *o = type_desc(f.type)->ops;
      if (o == nullptr || o->decode_content == nullptr) {
        KORVU_ERR(ctx, kErrUnsupportDecode);
        return 0;
      }
      const uint32_t form = kCatalog[f.type].form;
      if (form != KORVU_FORM_EITHER && static_cast<uint32_t>(h.primitive) != form) {
        KORVU_ERR(ctx, kErrPcBit);
        return 0;
      }
      return o->decode_content(s, v, h.primitive, h.length, n, ctx, depth + 1);
    }
    case Tagging::Explicit: {
      if (h.primitive) {
        KORVU_ERR(ctx, kErrPcBit);
        return 0;
      }
      Header inner;
      int r = read_header(s, inner, ctx);
      if (r != 1) return r;
      if (h.length != 0xFFFFFFFFu && (inner.size > h.length ||
                                      (inner.length != 0xFFFFFFFFu && inner.length > h.length - inner.size))) {
        KORVU_ERR(ctx, kErrIncorrectLength);
        return 0;
      }
      uint32_t m = 0;
      if (is_list(f) || is_inline(f)) {
        if (inner.tag_class != 0 || inner.tag != (is_inline(f) ? kOctetStringTag : list_tag(f))) {
          KORVU_ERR(ctx, kErrIncorrectItem);
          return 0;
        }
        r = is_list(f) ? read_list(f, s, inner, v, &m, ctx, depth) : read_inline(f, s, inner, record, &m, ctx, depth);
      } else {
        r = decode_after_header(s, f.type, inner, v, &m, ctx, depth + 1);
      }
      if (r != 1) return r;
      uint64_t total = static_cast<uint64_t>(inner.size) + m;
      if (h.length == 0xFFFFFFFFu) {
        r = read_eoc(s, ctx);
        if (r != 1) return r;
        total += 2;
      } else if (total != h.length) {
        KORVU_ERR(ctx, kErrIncorrectLength);
        return 0;
      }
      if (total > kLenMax) {
        KORVU_ERR(ctx, kErrIncorrectLength);
        return 0;
      }
      *n = static_cast<uint32_t>(total);
      return 1;
    }
  }
  return 0;
}

bool field_accepts(const Field &f, const Header &h) {
  if (f.constructed_only && h.primitive) return false;
  if (f.tagging != Tagging::None) return h.tag_class == f.tag_class && h.tag == f.tag;
  if (is_inline(f)) return h.tag_class == 0 && h.tag == kOctetStringTag;
  if (is_list(f)) return h.tag_class == 0 && h.tag == list_tag(f);
  return type_accepts(f.type, h);
}

int field_decode(const Field &f, KORVU_STREAM *s, const Header &h, void *record, uint32_t *consumed,
                 KORVU_ERR_CTX *ctx, int depth, const InPlace *plan) {
  void *v = nullptr;
  uint32_t n = 0;
  auto body = [&](KORVU_STREAM *in, uint32_t *m) { return read_tagged(f, in, h, record, &v, m, ctx, depth); };
  int r;
  if (f.kept != kNone)
    r = decode_keeping(s, h, ctx, depth, at<Kept>(record, f.kept), &n, plan, body);
  else if (f.tagging == Tagging::None && !is_inline(f) && !is_list(f))
    r = decode_after_header(s, f.type, h, &v, &n, ctx, depth + 1);  // read_tagged's first case, one call fewer
  else
    r = body(s, &n);
  if (r == 1 && !is_list(f) && !size_ok(f, v)) {
    report_size(f, ctx);
    r = 0;
  }
  if (r != 1) {
    free_value(f, v);
    report_decode(f, ctx);
    return r;
  }
  if (!is_inline(f)) at<void *>(record, f.offset) = v;
  if (f.flag != kNone) at<uint32_t>(record, f.flag) = 1;
  if (consumed) *consumed = n;
  return 1;
}

}  // namespace korvu::st::eng

namespace korvu::st {

bool type_accepts(uint32_t type, const Header &h) {
  if (h.tag_class == 0 && h.tag == 0) return false;  // an end-of-contents starts no value
  const TypeDesc *d = type_desc(type);
  if (d == nullptr) return false;
  if (d->ops != nullptr && d->ops->accepts != nullptr) return d->ops->accepts(h);
  if (untagged_row(type)) return true;  // ANY: every value
  return h.tag_class == d->tag_class && h.tag == d->tag_number;
}

bool choice_accepts(const StructDef &d, const Header &h) {
  for (uint32_t i = 0; i < d.count; i++)
    if (field_accepts(d.fields[i], h)) return true;
  return false;
}

}  // namespace korvu::st
