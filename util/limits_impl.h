// The recursion limit korvu_get_recursive_level() reports, for callers in the
// library that test it once per nesting level. Not a public header.
#ifndef KORVU_UTIL_LIMITS_IMPL_H
#define KORVU_UTIL_LIMITS_IMPL_H

namespace korvu {
inline constexpr int kRecursiveLevel = 64;
}  // namespace korvu

#endif
