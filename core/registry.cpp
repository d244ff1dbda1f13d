// The type registry and the message table: constant data, built at compile
// time from core/catalog.inc and core/messages.inc.
#define KORVU_SRC "KORVU_ASN1_Registry"
#include <array>

#include "internal.h"

// Every type's operations are referenced weakly: a type whose module is not
// linked has a null operations pointer and fails cleanly in the drivers.
namespace korvu::ops {
#define KORVU_TYPE(n, id, form, cls, tag, code, name) \
  extern const ::korvu::TypeOps t##n __attribute__((weak, visibility("hidden")));
#include "catalog.inc"
#undef KORVU_TYPE
}  // namespace korvu::ops

namespace korvu {

constexpr TypeDesc kRegistry[kTypeCount] = {
#define KORVU_TYPE(n, id, form, cls, tag, code, name) {&ops::t##n, form, cls, tag, code, name},
#include "catalog.inc"
#undef KORVU_TYPE
};

namespace {

inline constexpr uint32_t kFirstCode = kErrInvalidTagClass;
inline constexpr uint32_t kLastCode = kErrDecodeSm9EnvelopedData;
// Stream errors (korvu/util.h) lie below the message codes, general errors
// below the stream errors.
inline constexpr uint32_t kFirstStreamCode = 0x10100;

// One enumerator per entry name: a name used twice in messages.inc fails here.
enum class MessageName {
#define KORVU_MSG_TEXT(code, name, text) name,
#define KORVU_MSG_PAIR(code, name, text) name,
#include "messages.inc"
#undef KORVU_MSG_TEXT
#undef KORVU_MSG_PAIR
};

struct MessageEntry {
  uint32_t code;
  const char *text;
};

constexpr MessageEntry kMessageEntries[] = {
#define KORVU_MSG_TEXT(code, name, text) {code, text},
#define KORVU_MSG_PAIR(code, name, text) {code, "encode " text " fail"}, {code + 1, "decode " text " fail"},
#include "messages.inc"
#undef KORVU_MSG_TEXT
#undef KORVU_MSG_PAIR
};

// Codes run upwards without overlap from kFirstCode to kLastCode; the few
// codes of this library's own after the numbered catalogue come last.
constexpr bool entries_ordered() {
  if (kMessageEntries[0].code != kFirstCode) return false;
  bool last_seen = false;
  for (size_t i = 0; i < sizeof(kMessageEntries) / sizeof(kMessageEntries[0]); ++i) {
    if (i > 0 && kMessageEntries[i].code <= kMessageEntries[i - 1].code) return false;
    last_seen = last_seen || kMessageEntries[i].code == kLastCode;
  }
  return last_seen;
}
static_assert(entries_ordered(), "messages.inc codes must ascend from kFirstCode to kLastCode");

constexpr std::array<const char *, kLastCode - kFirstCode + 1> build_messages() {
  std::array<const char *, kLastCode - kFirstCode + 1> t{};
  for (auto &m : t) m = "";
  for (const auto &e : kMessageEntries)
    if (e.code <= kLastCode) t[e.code - kFirstCode] = e.text;
  return t;
}
constexpr auto kMessages = build_messages();

}  // namespace

const char *message(uint32_t code) {
  if (code == kErrNoCodec) return kMessageEntries[sizeof(kMessageEntries) / sizeof(kMessageEntries[0]) - 1].text;
  if (code < kFirstCode || code > kLastCode) return "";
  return kMessages[code - kFirstCode];
}

void put_err(KORVU_ERR_CTX *ctx, const char *src, int line, uint32_t code) {
  if (ctx == nullptr) return;
  const char *text;
  if (code >= kFirstCode)
    text = message(code);
  else if (code >= kFirstStreamCode)
    text = korvu_igetStreamError(code);
  else
    text = korvu_igetGeneralError(code);
  korvu_err_ctx_put(ctx, src, line, code, text);
}

void put_encode_err(KORVU_ERR_CTX *ctx, uint32_t type, const char *src, int line) {
  const TypeDesc *d = type_desc(type);
  put_err(ctx, src, line, d ? static_cast<uint32_t>(d->error_code) : kErrUnsupportType);
}

void put_decode_err(KORVU_ERR_CTX *ctx, uint32_t type, const char *src, int line) {
  const TypeDesc *d = type_desc(type);
  put_err(ctx, src, line, d ? static_cast<uint32_t>(d->error_code) + 1 : kErrUnsupportType);
}

}  // namespace korvu

extern "C" {

KORVU_API const char *korvu_asn1_errmessage(uint32_t code) { return korvu::message(code); }

KORVU_API const char *korvu_asn1_typename(uint32_t type) {
  const korvu::TypeDesc *d = korvu::type_desc(type);
  return d ? d->name : nullptr;
}

static_assert(korvu::kErrNoCodec == KORVU_ASN1_ERR_NOCODEC, "the public code of a type without a codec");

KORVU_API int korvu_asn1_hascodec(uint32_t type) {
  const korvu::TypeDesc *d = korvu::type_desc(type);
  return d != nullptr && d->ops != nullptr ? 1 : 0;
}

KORVU_API const char *korvu_asn1_version(void) { return "KORVU ASN.1 Library 1.10,Build on 2021"; }

KORVU_API void korvu_asn1_encode_puterr(KORVU_ERR_CTX *ctx, uint32_t type, const char *file, int line) {
  korvu::put_encode_err(ctx, type, file, line);
}

KORVU_API void korvu_asn1_decode_puterr(KORVU_ERR_CTX *ctx, uint32_t type, const char *file, int line) {
  korvu::put_decode_err(ctx, type, file, line);
}

}  // extern "C"
