#!/usr/bin/env bash
# Builds the tests with ThreadSanitizer (build/tsan, option KORVU_TSAN) and
# runs them; by default only the concurrency tests, or the whole suite with
# "all", or any gtest filter.
#
#   fuzz/run_tsan.sh [all | GTEST_FILTER]
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVU_TSAN_BUILD:-$here/build/tsan}
filter=${1:-Concurrency.*:FuzzRegressions.*}
[ "$filter" = all ] && filter='*'

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DKORVU_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 2
fi
cmake --build "$build" --target korvu_tests >/dev/null || { echo "TSan build failed" >&2; exit 2; }

export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
run=("$build/tests/korvu_tests" "--gtest_filter=$filter")
# Some kernels map memory where TSan cannot shadow it unless ASLR is off.
if command -v setarch >/dev/null && setarch "$(uname -m)" -R true 2>/dev/null; then
  run=(setarch "$(uname -m)" -R "${run[@]}")
fi
"${run[@]}"
