// Push decoders for OCTET STRING and ANY encodings, and the streaming encoder
// of an OCTET STRING in the constructed indefinite form (X.690 8.7.3).
//
// Both decoders run one state machine (push_internal.h) that takes octets as
// they come, in buffers of any size, and keeps everything it needs between
// calls: the header being read, the primitive contents still expected, and a
// stack of the constructed levels that are open. Rules applied while walking:
//  - identifier and length octets follow X.690 8.1.2 and 8.1.3; a long-form
//    length may carry leading zero octets but must stay below 2^31;
//  - in a definite level every element's length is checked against what is
//    left of the level as soon as it is read, and header octets may not run
//    past the level's end either, so no octet of an overrunning element is
//    ever taken as data;
//  - an end-of-contents (00 00) closes an indefinite level and nothing else;
//  - a primitive element may not have an indefinite length;
//  - opening a constructed level needs the current depth below
//    korvu_get_recursive_level().
// Failures are silent: the machine goes to its failed state (final) and the
// feeding call returns 0.
#define KORVU_SRC "KORVU_ASN1_Stream"
#include <cstring>

#include "internal.h"
#include "push_internal.h"

namespace korvu::push {
namespace {

bool push_level(Machine &m, bool indefinite, uint64_t end) {
  if (m.depth >= static_cast<uint32_t>(kRecursiveLevel)) return false;
  if (m.depth == m.capacity) {
    uint32_t cap = m.capacity == 0 ? 4 : m.capacity * 2;
    auto *grown = static_cast<Level *>(KORVU_ALLOC(sizeof(Level) * cap));
    if (grown == nullptr) return false;
    if (m.depth != 0) std::memcpy(grown, m.levels, sizeof(Level) * m.depth);
    korvu_free(m.levels);
    m.levels = grown;
    m.capacity = cap;
  }
  uint64_t outer = m.depth == 0 ? kNoBound : m.levels[m.depth - 1].bound;
  m.levels[m.depth++] = Level{end, indefinite ? outer : end, indefinite};
  return true;
}

// An element (primitive segment, constructed level, end-of-contents) has
// ended: close every definite level that it completes.
void element_done(Machine &m) {
  while (m.depth > 0) {
    const Level &l = m.levels[m.depth - 1];
    if (l.indefinite || m.total != l.end) {
      m.state = kIdent;
      return;
    }
    m.depth--;
  }
  m.state = kFinished;
}

}  // namespace


// The header of an element is complete (m.primitive, m.length, m.indefinite).
bool begin_contents(Machine &m) {
  if (m.depth == 0) {
    m.top_header_done = true;
    m.top_class = m.tag_class;
    m.top_primitive = m.primitive;
    m.top_tag = m.tag;
    m.top_length = m.indefinite ? 0xFFFFFFFFu : m.length;
  }
  if (m.indefinite) {
    if (m.primitive) return false;
    if (!push_level(m, true, kNoBound)) return false;
    m.state = kIdent;
    return true;
  }
  uint64_t bound = m.depth == 0 ? kNoBound : m.levels[m.depth - 1].bound;
  if (m.length > bound - m.total) return false;  // runs past the enclosing level
  if (m.length == 0) {
    element_done(m);
    return true;
  }
  if (m.primitive) {
    m.data_left = m.length;
    m.state = kContents;
    return true;
  }
  if (!push_level(m, false, m.total + m.length)) return false;
  m.state = kIdent;
  return true;
}

namespace {

// A whole header at p (n octets there) that the octet-by-octet steps of run()
// would read without failing and without an end-of-contents: a tag number
// below 31, a definite length of at most three octets, every octet before
// the enclosing definite level's end. Its element is then set in m and its
// size returned; 0 leaves everything to those steps. Its octets go where
// run() sends them only when they are not the outermost ANY header (which
// goes to the header stream octet by octet).
uint32_t whole_header(Machine &m, Mode mode, const unsigned char *p, uint32_t n) {
  if (n < 2) return 0;
  const unsigned char b = p[0], l = p[1];
  if ((b & 0x1Fu) == 0x1F || (b & 0xDFu) == 0) return 0;  // long tag number, end-of-contents, universal 0
  if (mode == Mode::OctetString && (b & 0xDFu) != 0x04u) return 0;
  uint32_t size, length;
  if (l < 0x80) {
    size = 2;
    length = l;
  } else if (l >= 0x81 && l <= 0x83 && n >= 2u + (l & 0x7Fu)) {
    size = 2 + (l & 0x7Fu);
    length = 0;
    for (uint32_t k = 2; k < size; k++) length = length << 8 | p[k];
  } else {
    return 0;
  }
  if (m.depth > 0 && m.levels[m.depth - 1].bound - m.total < size) return 0;
  m.tag_class = b & 0xC0u;
  m.primitive = (b & 0x20u) != 0 ? 0 : 1;
  m.tag = b & 0x1Fu;
  m.indefinite = false;
  m.length = length;
  return size;
}

// Runs the machine over p[0..n). `header_only` stops once the outermost
// header is complete. Returns false on failure (the caller marks the state).
bool run(Machine &m, const Sinks &out, const unsigned char *p, uint32_t n, uint32_t *used, bool header_only) {
  uint32_t i = 0;
  uint32_t run_from = UINT32_MAX;  // ANY: first octet of this call bound for `data`
  bool ok = true;
  while (i < n && m.state != kFinished) {
    if (header_only && m.top_header_done) break;
    if (m.state == kContents) {
      uint64_t take64 = m.data_left < n - i ? m.data_left : n - i;
      auto take = static_cast<uint32_t>(take64);
      if (out.mode == Mode::OctetString) {
        if (korvu_stream_writen(out.data, p + i, take) != 1) {
          ok = false;
          break;
        }
      } else if (run_from == UINT32_MAX) {
        run_from = i;
      }
      i += take;
      m.total += take;
      m.data_left -= take;
      if (m.data_left == 0) element_done(m);
      continue;
    }
    if (m.state == kIdent && !header_only && (out.mode == Mode::OctetString || m.depth > 0 || m.top_header_done)) {
      const uint32_t size = whole_header(m, out.mode, p + i, n - i);
      if (size != 0) {
        if (out.mode == Mode::Any && run_from == UINT32_MAX) run_from = i;
        i += size;
        m.total += size;
        if (!begin_contents(m)) {
          ok = false;
          break;
        }
        continue;
      }
    }
    // A header or end-of-contents octet. Inside a definite level it may not
    // lie past the level's end.
    if (m.depth > 0 && m.total >= m.levels[m.depth - 1].bound) {
      ok = false;
      break;
    }
    unsigned char b = p[i];
    if (out.mode == Mode::Any) {
      if (m.depth > 0 || m.top_header_done) {
        if (run_from == UINT32_MAX) run_from = i;
      } else if (korvu_stream_writen(out.header, &b, 1) != 1) {
        ok = false;
        break;
      }
    }
    i++;
    m.total++;
    switch (m.state) {
      case kIdent: {
        bool eoc_allowed = m.depth > 0 ? m.levels[m.depth - 1].indefinite : out.mode == Mode::Any;
        if (b == 0x00 && eoc_allowed) {
          m.state = kEocSecond;
          break;
        }
        m.tag_class = b & 0xC0u;
        m.primitive = (b & 0x20u) != 0 ? 0 : 1;
        m.tag = b & 0x1Fu;
        if (out.mode == Mode::OctetString) {
          // Universal class, tag 4, either form (X.690 8.7.3.2).
          ok = (b & 0xDFu) == 0x04u;
          m.state = kLenFirst;
        } else if (m.tag == 0x1F) {
          m.tag = 0;
          m.state = kTagMore;
        } else {
          // Universal tag 0 is reserved for the end-of-contents.
          ok = !(m.tag_class == 0 && m.tag == 0);
          m.state = kLenFirst;
        }
        break;
      }
      case kTagMore:
        // Base-128 groups; tag numbers stop below 2^24.
        m.tag = (m.tag << 7) | (b & 0x7Fu);
        if (m.tag >= 0x1000000u) {
          ok = false;
        } else if ((b & 0x80u) == 0) {
          ok = m.tag >= 31;  // a short tag number in the long form
          m.state = kLenFirst;
        }
        break;
      case kLenFirst:
        if (b == 0x80) {
          m.indefinite = true;
          m.length = 0;
          ok = begin_contents(m);
        } else if (b == 0xFF) {
          ok = false;  // reserved (X.690 8.1.3.5 c)
        } else if ((b & 0x80u) != 0) {
          m.indefinite = false;
          m.length = 0;
          m.length_octets = b & 0x7Fu;
          m.state = kLenMore;
        } else {
          m.indefinite = false;
          m.length = b;
          ok = begin_contents(m);
        }
        break;
      case kLenMore:
        if (m.length >= 0x800000u) {
          ok = false;  // would reach 2^31
          break;
        }
        m.length = (m.length << 8) | b;
        if (--m.length_octets == 0) ok = begin_contents(m);
        break;
      case kEocSecond:
        if (b != 0x00) {
          ok = false;
        } else if (m.depth == 0) {
          // The outermost encoding is itself an end-of-contents (ANY).
          m.top_eoc = true;
          m.top_header_done = true;
          m.top_class = 0;
          m.top_primitive = 1;
          m.top_tag = 0;
          m.top_length = 0;
          m.state = kFinished;
        } else {
          m.depth--;
          element_done(m);
        }
        break;
      default:
        ok = false;
        break;
    }
    if (!ok) break;
  }
  if (ok && out.mode == Mode::Any && run_from != UINT32_MAX) {
    ok = korvu_stream_writen(out.data, p + run_from, i - run_from) == 1;
  }
  *used = i;
  return ok;
}

}  // namespace

void fail(Machine &m) { m.state = kFailed; }

void release(Machine &m) {
  korvu_free(m.levels);
  m.levels = nullptr;
  m.depth = m.capacity = 0;
}

// The common part of every feeding call: argument checks and the final and
// finished states, then the machine.
int feed(Machine &m, const Sinks &out, const void *bytes, int32_t count, uint32_t *left, bool header_only) {
  if (count < 0 || (bytes == nullptr && count != 0)) return 0;
  if (m.state == kFailed) return 0;
  if (count == 0) return 1;
  if (m.state == kFinished) {
    *left = static_cast<uint32_t>(count);
    return 1;
  }
  uint32_t used = 0;
  if (!run(m, out, static_cast<const unsigned char *>(bytes), static_cast<uint32_t>(count), &used, header_only)) {
    fail(m);
    release(m);
    return 0;
  }
  if (m.state == kFinished) {
    release(m);
    *left = static_cast<uint32_t>(count) - used;
  } else if (header_only && m.top_header_done) {
    *left = static_cast<uint32_t>(count) - used;
  }
  return 1;
}

}  // namespace korvu::push
