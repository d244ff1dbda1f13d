#include "progress.h"

#include <sys/stat.h>
#include <unistd.h>

#include <ostream>

namespace korvu::tool {

bool progress_wanted(uint64_t total, int fd) { return (total == 0 || total > kProgressFrom) && ::isatty(fd) == 1; }

uint64_t file_size(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<uint64_t>(st.st_size);
}

void Progress::update(uint64_t done) {
  if (!enabled_) return;
  constexpr uint64_t kMiB = 1024 * 1024;
  if (total_ == 0) {
    if (done <= kProgressFrom || done / kMiB == last_) return;
    last_ = done / kMiB;
    err_ << "\rkorvu-asn1: " << what_ << " " << last_ << " MiB" << std::flush;
  } else {
    const uint64_t percent = done >= total_ ? 100 : done * 100 / total_;
    if (percent == last_) return;
    last_ = percent;
    err_ << "\rkorvu-asn1: " << what_ << " " << percent << "% (" << done / kMiB << " of " << total_ / kMiB << " MiB)"
         << std::flush;
  }
  shown_ = true;
}

void Progress::finish(uint64_t done) {
  if (!enabled_) return;
  update(done);
  if (shown_) err_ << "\n" << std::flush;
}

}  // namespace korvu::tool
