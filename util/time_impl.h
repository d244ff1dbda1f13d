// The time handle's record, shared inside the project so that a decoded Time
// can keep a copy of its handle in its record's block (util/room_mark.h).
#ifndef KORVU_UTIL_TIME_IMPL_H
#define KORVU_UTIL_TIME_IMPL_H

#include <cstddef>
#include <cstdint>

#include "korvu/util.h"
#include "room_mark.h"

struct korvu_time_st {
  int64_t minutes;  // minutes since the epoch of the wall-clock fields
  uint32_t second;  // 0 to 60
  uint32_t ns;      // 0 to 999999999
  bool utc;
};

namespace korvu::room {
// The padding word after `utc`.
inline constexpr size_t kTimeHandleWord = 20;
static_assert(!kHasWords || (sizeof(korvu_time_st) == 24 && offsetof(korvu_time_st, utc) == 16));
}  // namespace korvu::room

#endif
