// Progress of long work on standard error: only for inputs over 64 MiB and
// only when standard error is a terminal, so it never reaches a pipe, a
// file or the output.
#ifndef KORVU_TOOL_PROGRESS_H
#define KORVU_TOOL_PROGRESS_H

#include <cstdint>
#include <iosfwd>

namespace korvu::tool {

inline constexpr uint64_t kProgressFrom = 64ull * 1024 * 1024;

// Whether to show progress for an input of `total` octets (0: unknown, as
// for a pipe) on the descriptor `fd`.
bool progress_wanted(uint64_t total, int fd);

// Size of the regular file behind `fd`, or 0.
uint64_t file_size(int fd);

// "\rkorvu-asn1: unwrap 37% (26 of 70 MiB)" at each whole percent (or
// "... 80 MiB" at each MiB past 64 when the total is unknown), then a final
// line. Does nothing when disabled.
class Progress {
 public:
  Progress(std::ostream &err, const char *what, uint64_t total, bool enabled)
      : err_(err), what_(what), total_(total), enabled_(enabled) {}
  void update(uint64_t done);
  void finish(uint64_t done);

 private:
  std::ostream &err_;
  const char *what_;
  uint64_t total_;
  bool enabled_;
  uint64_t last_ = UINT64_MAX;  // last percent or MiB shown
  bool shown_ = false;
};

}  // namespace korvu::tool

#endif
