// Reading one signed message front to back from any stream: a ContentInfo of id-signedData (RFC 5652 5.1), the
// GM/T signed-data type (GM/T 0010), or a bare SignedData. The two wrapper levels are walked here, so the offsets
// recorded count from the first octet of the input; the SignedData's contents are read through the SignedData
// table, as the generic decode reads them.
//
// Reads are exact and forward only. Once an enclosing definite length is known, the rest of that element is read
// from a bounded view (the stream's own bytes for a memory stream, else one read of exactly that many octets), so
// nothing past the message is ever consumed; a header that would cross an enclosing definite end fails at once.
#define KORVU_SRC "KORVU_ASN1_CMS"
#include <cstdio>
#include <cstring>

#include "cms_internal.h"

using namespace korvu;

namespace {

constexpr char kSignedDataOid[] = "1.2.840.113549.1.7.2";
constexpr char kGmtSignedDataOid[] = "1.2.156.10197.6.1.4.2.2";
constexpr uint32_t kSequenceTag = kCatalog[KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM].tag_number;
// Identifier octets of a universal primitive INTEGER and OBJECT IDENTIFIER.
constexpr unsigned char kIntegerId = kCatalog[KORVU_TYPE_INTEGER].tag_number;
constexpr unsigned char kOidId = kCatalog[KORVU_TYPE_OBJECT_IDENTIFIER].tag_number;
constexpr uint64_t kNoEnd = ~uint64_t{0};
constexpr uint32_t kMaxTag = 1u << 24;  // tag numbers from here on are refused

bool is_universal(const Header &h, int primitive, uint32_t tag) {
  return h.tag_class == KORVU_CLASS_UNIVERSAL && h.primitive == primitive && h.tag == tag;
}
bool is_context(const Header &h, uint32_t tag) { return h.tag_class == KORVU_CLASS_CONTEXT && h.tag == tag; }

// The input as read so far: the count of octets from the first one, the open
// definite ends, and the bounded view once one is open.
class Reader {
 public:
  Reader(KORVU_STREAM *s, KORVU_ERR_CTX *ctx) : orig_(s), ctx_(ctx) {}
  ~Reader() {
    sync();
    korvu_free(buffer_);
  }
  Reader(const Reader &) = delete;
  Reader &operator=(const Reader &) = delete;

  uint64_t count() const { return count_; }

  // The nearest enclosing definite end.
  uint64_t end() const {
    uint64_t e = kNoEnd;
    for (int i = 0; i < levels_; i++) e = ends_[i] < e ? ends_[i] : e;
    return e;
  }

  // The stream the next octets come from.
  KORVU_STREAM *in() {
    if (viewing_ && count_ >= view_end_) sync();
    return viewing_ ? view_.get() : orig_;
  }

  // Reads one identifier and length, octet by octet, never past end().
  int header(Header &h) {
    unsigned char raw[sizeof(h.raw)];
    uint32_t n = 0;
    auto next = [&]() -> int {
      if (count_ + 1 > end() || n >= sizeof(raw)) {
        KORVU_ERR(ctx_, kErrIncorrectLength);
        return 0;
      }
      int r = stream::readn(in(), &raw[n], 1);
      if (r != 1) {
        KORVU_ERR(ctx_, static_cast<uint32_t>(r));
        KORVU_ERR(ctx_, kErrDecodeIdentifier);
        return r;
      }
      n++;
      count_++;
      return 1;
    };
    int r = next();
    if (r != 1) return r;
    if ((raw[0] & 0x1F) == 0x1F) {
      // As many octets as the codec would read before refusing the tag.
      do {
        r = next();
        if (r != 1) return r;
      } while ((raw[n - 1] & 0x80) != 0 && n < 18);
    }
    r = next();
    if (r != 1) return r;
    const unsigned char first = raw[n - 1];
    if (first > 0x80 && first != 0xFF) {
      uint32_t value = 0;
      for (uint32_t i = 0; i < (first & 0x7Fu) && value < 0x800000u; i++) {
        r = next();
        if (r != 1) return r;
        value = (value << 8) | raw[n - 1];
      }
    }
    MemView v(raw, n);
    r = read_header(v.get(), h, ctx_);
    if (r != 1) return r == KORVU_STREAM_ERR_READ ? 0 : r;
    if (h.tag >= kMaxTag) {
      KORVU_ERR(ctx_, kErrTagTooLarge);
      KORVU_ERR(ctx_, kErrDecodeIdentifier);
      return 0;
    }
    return 1;
  }

  // The next octet, left unread (0 at the end of the input or of the level).
  int peek(unsigned char *b) {
    if (count_ >= end()) return 0;
    KORVU_STREAM *s = in();
    if (stream::is_mem(s)) {
      if (s->pos >= s->size) return 0;
      *b = s->data[s->pos];
      return 1;
    }
    const int c = s->fp != nullptr ? std::getc(s->fp) : EOF;
    if (c == EOF || std::ungetc(c, s->fp) == EOF) return 0;
    *b = static_cast<unsigned char>(c);
    return 1;
  }

  // Decodes the contents of the level just opened with h through table d (an
  // indefinite level up to and including its end-of-contents) and closes it.
  // Offsets the record notes count from the first octet of the input.
  int contents(const st::StructDef &d, const Header &h, void **out, int depth) {
    const uint64_t start = count_;
    uint32_t n = 0;
    int r = st::decode_content(d, in(), out, 0, h.length, &n, ctx_, depth);
    if (r != 1) return r;
    count_ += n;
    const uint64_t e = ends_[--levels_];
    if (count_ > end() || (h.length != 0xFFFFFFFFu && count_ != e)) {
      st::free_record(d, *out);
      *out = nullptr;
      KORVU_ERR(ctx_, kErrIncorrectLength);
      return 0;
    }
    st::shift_offsets(d, *out, static_cast<uint32_t>(start));
    return 1;
  }

  // A header's definite contents must fit in the nearest enclosing end.
  bool fits(const Header &h) {
    if (h.length != 0xFFFFFFFFu && count_ + h.length > end()) {
      KORVU_ERR(ctx_, kErrIncorrectLength);
      return false;
    }
    return true;
  }

  // Opens a level with h's contents (just read); a definite one sets an end
  // and, the first time, opens the bounded view up to it.
  int open(const Header &h) {
    if (h.length == 0xFFFFFFFFu) {
      ends_[levels_++] = kNoEnd;
      return 1;
    }
    if (!fits(h)) return 0;
    ends_[levels_++] = count_ + h.length;
    if (viewing_) return 1;
    const uint64_t need = h.length;
    if (stream::is_mem(orig_)) {
      const size_t avail = orig_->pos <= orig_->size ? orig_->size - orig_->pos : 0;
      view_ = MemView(orig_->data + orig_->pos, need < avail ? need : avail);
    } else {
      int r = read_alloc(orig_, h.length, &buffer_, ctx_);
      if (r != 1) return r;
      view_ = MemView(buffer_, need);
    }
    viewing_ = true;
    view_end_ = count_ + need;
    return 1;
  }

  // Closes the innermost level: a definite one must have been read exactly,
  // an indefinite one is closed by end-of-contents.
  int close(const Header &opened, uint32_t eoc_code) {
    const uint64_t e = ends_[--levels_];
    if (opened.length != 0xFFFFFFFFu) {
      if (count_ != e) {
        KORVU_ERR(ctx_, kErrIncorrectLength);
        return 0;
      }
      return 1;
    }
    Header h;
    int r = header(h);
    if (r == 1 && !(is_universal(h, 1, 0) && h.length == 0)) {
      KORVU_ERR(ctx_, kErrIncorrectItem);
      r = 0;
    }
    if (r != 1 && eoc_code != 0) KORVU_ERR(ctx_, eoc_code);
    return r;
  }

  // Decodes a value of `type` whose header h has been read; `contents`: h
  // stands for the contents of `type` under another tag (IMPLICIT).
  int value(uint32_t type, const Header &h, bool contents, void **out, int depth) {
    *out = nullptr;
    if (!fits(h)) return 0;
    uint32_t n = 0;
    int r;
    if (contents) {
      const TypeOps *o = type_desc(type)->ops;
      if (h.primitive) {
        KORVU_ERR(ctx_, kErrPcBit);
        return 0;
      }
      r = o->decode_content(in(), out, h.primitive, h.length, &n, ctx_, depth);
    } else {
      r = decode_after_header(in(), type, h, out, &n, ctx_, depth);
    }
    if (r != 1) return r;
    count_ += n;
    if (count_ > end()) {
      // The value ran past an enclosing end: it goes, and nothing is handed out.
      korvu_asn1_value_free(type, *out);
      *out = nullptr;
      KORVU_ERR(ctx_, kErrIncorrectLength);
      return 0;
    }
    return 1;
  }

 private:
  // Gives the octets read from a memory stream's view back to the stream's
  // position, and leaves the view.
  void sync() {
    if (!viewing_) return;
    if (stream::is_mem(orig_) && buffer_ == nullptr) orig_->pos += view_.s.pos;
    viewing_ = false;
  }

  KORVU_STREAM *orig_;
  KORVU_ERR_CTX *ctx_;
  uint64_t count_ = 0;
  uint64_t ends_[3] = {kNoEnd, kNoEnd, kNoEnd};
  int levels_ = 0;
  MemView view_{nullptr, 0};
  bool viewing_ = false;
  uint64_t view_end_ = 0;
  unsigned char *buffer_ = nullptr;
};

// A failure of an identified message: the record goes, the result is null.
int fail(KORVU_PKCS7_SIGNEDDATA *sd, int r) {
  korvu_asn1_value_free(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, sd);
  return r == 1 ? 0 : r;
}

// An identified signed message that is malformed: 0 (or the stream's code).
int refuse_with(KORVU_ERR_CTX *ctx, int r) {
  KORVU_ERR(ctx, kErrDecodeCmsSignedData);
  return r == 1 ? 0 : r;
}
int refuse(KORVU_ERR_CTX *ctx) { return refuse_with(ctx, 0); }

}  // namespace

KORVU_API int korvu_asn1_decode_pkcs7signeddata(KORVU_STREAM *stream, KORVU_PKCS7_SIGNEDDATA **result,
                                                uint32_t *consumed, KORVU_ERR_CTX *ctx) {
  if (stream == nullptr || result == nullptr) {
    KORVU_ERR(ctx, KORVU_ERR_NULLARG);
    return 0;
  }
  *result = nullptr;
  Reader in(stream, ctx);
  Header outer, wrapper, body, h;
  int r = in.header(outer);
  if (r != 1) return r;
  if (!is_universal(outer, 0, kSequenceTag)) return 1;  // not a signed message: nothing to say
  if ((r = in.open(outer)) != 1) return r;
  // An element due where an enclosing definite length has run out counts as a
  // wrong element there.
  auto due = [&](Header &at) -> int {
    if (in.count() >= in.end()) {
      at = Header{};
      at.tag_class = 0xFFFFFFFFu;
      return 1;
    }
    return in.header(at);
  };
  // The first inner element: an OBJECT IDENTIFIER (a wrapper) or the version INTEGER (a bare SignedData),
  // told by its identifier octet and left unread.
  unsigned char first = 0;
  if (in.peek(&first) != 1) {
    if ((r = due(h)) != 1) return r;
    first = 0;
  }
  if (first != kOidId && first != kIntegerId) {
    KORVU_ERR(ctx, kErrDecodeCmsSignedData);
    return 1;  // not a signed message
  }
  uint32_t kind = KORVU_PKCS7_SIGNEDDATA_BARE;
  if (first == kOidId) {
    if ((r = due(h)) != 1) return r;
    void *oid = nullptr;
    if ((r = in.value(KORVU_TYPE_OBJECT_IDENTIFIER, h, false, &oid, 1)) != 1) return r;
    const char *text = korvu_asn1_oid_getstring(static_cast<KORVU_ASN1_OID *>(oid));
    if (text != nullptr && std::strcmp(text, kSignedDataOid) == 0)
      kind = KORVU_PKCS7_SIGNEDDATA_WRAPPED;
    else if (text != nullptr && std::strcmp(text, kGmtSignedDataOid) == 0)
      kind = KORVU_PKCS7_SIGNEDDATA_GMT;
    korvu_asn1_value_free(KORVU_TYPE_OBJECT_IDENTIFIER, oid);
    if (kind == KORVU_PKCS7_SIGNEDDATA_BARE) return refuse(ctx);
    // [0] EXPLICIT SignedData, whose first component is the version
    if ((r = due(wrapper)) != 1) return refuse_with(ctx, r);
    if (!is_context(wrapper, 0) || wrapper.primitive) return refuse(ctx);
    if ((r = in.open(wrapper)) != 1) return refuse_with(ctx, r);
    if ((r = due(body)) != 1) return refuse_with(ctx, r);
    if (!is_universal(body, 0, kSequenceTag)) return refuse(ctx);
    if ((r = in.open(body)) != 1) return refuse_with(ctx, r);
    if (in.peek(&first) != 1) {
      if ((r = due(h)) != 1) return refuse_with(ctx, r);
      first = 0;
    }
    if (first != kIntegerId) return refuse(ctx);
  } else {
    body = outer;
  }

  // The SignedData's contents, read through its table.
  const auto *table = static_cast<const st::StructDef *>(type_desc(KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM)->ops->def);
  void *v = nullptr;
  if ((r = in.contents(*table, body, &v, 2)) != 1) {
    KORVU_DECODE_ERR(ctx, KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM);
    return r;
  }
  auto *sd = static_cast<KORVU_PKCS7_SIGNEDDATA *>(v);
  sd->wrapperKind = kind;
  if (kind != KORVU_PKCS7_SIGNEDDATA_BARE) {
    if ((r = in.close(wrapper, kErrDecodeCmsSignedData)) != 1) return fail(sd, r);
    if ((r = in.close(outer, kErrDecodeCmsSignedData)) != 1) return fail(sd, r);
  }
  if (in.count() > kLenMax) {
    KORVU_ERR(ctx, kErrIncorrectLength);
    return fail(sd, 0);
  }
  if (consumed != nullptr) *consumed = static_cast<uint32_t>(in.count());
  *result = sd;
  return 1;
}
