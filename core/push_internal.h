// Layout of the push decoding contexts. Private to the library (and to
// white-box tests, which read the ANY context's streams).
#ifndef KORVU_CORE_PUSH_INTERNAL_H
#define KORVU_CORE_PUSH_INTERNAL_H

#include <cstdint>

#include "korvu/asn1.h"

namespace korvu::push {

enum State : int32_t {
  kIdent = 0,      // first identifier octet
  kTagMore = 1,    // further tag-number octets
  kLenFirst = 2,   // first length octet
  kLenMore = 3,    // further length octets
  kContents = 4,   // primitive contents (the data octets of a segment)
  kEocSecond = 5,  // second octet of an end-of-contents
  kFinished = 6,
  kFailed = 7,
};

inline constexpr uint64_t kNoBound = UINT64_MAX;

// One open constructed level. Offsets count octets from the start of the
// encoding (64 bits, so an indefinite stream may run past 4 GiB).
struct Level {
  uint64_t end;     // one past the last contents octet; kNoBound when indefinite
  uint64_t bound;   // nearest definite end enclosing this level (itself included)
  bool indefinite;
};

// The state machine shared by both decoders. The stack of open constructed
// levels replaces recursion: input is walked by one loop, and the depth is
// only that of the encoding's nesting, bounded by korvu_get_recursive_level().
struct Machine {
  uint64_t total = 0;       // octets consumed
  int32_t state = kIdent;   // phase of the element being read
  // The element whose header is being read.
  uint32_t tag_class = 0;
  uint32_t primitive = 1;
  uint32_t tag = 0;
  uint32_t length = 0;
  uint32_t length_octets = 0;  // long-form length octets still to read
  bool indefinite = false;
  uint64_t data_left = 0;      // primitive contents still to come
  // The outermost encoding's header, once read.
  bool top_header_done = false;
  bool top_eoc = false;
  uint32_t top_class = 0;
  uint32_t top_primitive = 1;
  uint32_t top_tag = 0;
  uint32_t top_length = 0;
  // Open constructed levels.
  Level *levels = nullptr;
  uint32_t depth = 0;
  uint32_t capacity = 0;
};

// The state the caller sees: 4 throughout the contents of the outermost
// encoding, whatever the nested segments are doing.
inline int32_t visible_state(const Machine &m) {
  if (m.state == kFinished || m.state == kFailed) return m.state;
  if (m.top_header_done) return kContents;
  return m.state;
}

enum class Mode { OctetString, Any };

// Where the octets go. OCTET STRING: only the data octets, to `data`, written
// at once. ANY: the outermost header octets to `header` one by one, every
// other octet to `data`, in one write per call (they form one run of the
// buffer, since the header comes first).
struct Sinks {
  Mode mode;
  KORVU_STREAM *data;
  KORVU_STREAM *header;
};

// The machine's steps that the exported operations call (push.cpp).
// The header of an element is complete (m.primitive, m.length, m.indefinite).
bool begin_contents(Machine &m);
// Marks the machine failed (final).
void fail(Machine &m);
// Releases the stack of open levels.
void release(Machine &m);
// The common part of every feeding call: argument checks and the final and
// finished states, then the machine. Returns 0 on failure (the machine then
// stays failed), 1 otherwise; `left` receives the octets not taken once the
// encoding (or with `header_only` its header) is complete.
int feed(Machine &m, const Sinks &out, const void *bytes, int32_t count, uint32_t *left, bool header_only);

}  // namespace korvu::push

struct korvu_asn1_decode_octetstring_ctx_st {
  korvu::push::Machine m;
};

struct korvu_asn1_decode_any_ctx_st {
  korvu::push::Machine m;
  KORVU_STREAM *header;   // identifier and length octets as read
  KORVU_STREAM *content;  // contents octets
};

#endif
