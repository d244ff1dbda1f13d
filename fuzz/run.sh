#!/usr/bin/env bash
# Runs every fuzz harness for a given time each.
#
#   fuzz/run.sh [SECONDS_PER_HARNESS] [HARNESS...]
#
# Builds build/fuzz with clang when needed, makes the seed corpora from the
# tests' vectors, samples/, tests/fuzz_regressions/ and the shared corpus
# (build/fuzz/seeds, rebuilt each run, never committed), then runs each
# harness with libFuzzer on a working corpus under build/fuzz/corpus (kept
# between runs). Crash inputs land in build/fuzz/findings/. Exits non-zero
# when any harness finds a crash, a leak or a broken property.
#
# Environment: KORVU_FUZZ_BUILD (build folder, default build/fuzz),
# KORVU_FUZZ_JOBS (harnesses run at once, default 1), KORVU_CORPUS_DIR
# (default ../shared/corpus next to the checkout), KORVU_FUZZ_RSS (MB, 2048),
# KORVU_FUZZ_KEEP_GOING=1 (go on after a finding, libFuzzer's fork mode; the
# run still fails when anything was found).
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=(registry json push text)
build=${KORVU_FUZZ_BUILD:-$here/build/fuzz}
jobs=${KORVU_FUZZ_JOBS:-1}
corpus_dir=${KORVU_CORPUS_DIR:-$here/../shared/corpus}
rss=${KORVU_FUZZ_RSS:-2048}

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DKORVU_FUZZ=ON -DKORVU_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 2
fi
cmake --build "$build" --target korvu_fuzzers >/dev/null || { echo "fuzz build failed" >&2; exit 2; }

seeds=$build/seeds
rm -rf "$seeds"
inputs=("$here/tests" "$here/samples")
[ -d "$here/tests/fuzz_regressions" ] && inputs+=("$here/tests/fuzz_regressions")
[ -d "$corpus_dir" ] && inputs+=("$corpus_dir")
[ -f /etc/ssl/certs/ca-certificates.crt ] && inputs+=(/etc/ssl/certs/ca-certificates.crt)
ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/korvu_fuzz_seeds" "$seeds" "${inputs[@]}" || exit 2
# Saved findings replay as seeds of the harness they came from.
if [ -d "$here/tests/fuzz_regressions" ]; then
  for f in "$here"/tests/fuzz_regressions/*; do
    [ -f "$f" ] || continue
    h=$(basename "$f"); h=${h%%-*}
    [ -d "$seeds/$h" ] && cp "$f" "$seeds/$h/"
  done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p "$build/findings" "$build/logs"

keep_going=()
[ "${KORVU_FUZZ_KEEP_GOING:-0}" = 1 ] && keep_going=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)

run_one() {
  local h=$1 work=$build/corpus/$1 log=$build/logs/$1.log
  mkdir -p "$work"
  local before
  before=$(ls "$build/findings" | grep -c "^$h-")
  "$build/fuzz/fuzz_$h" "$work" "$seeds/$h" -max_total_time="$seconds" -max_len=16384 -rss_limit_mb="$rss" \
    -timeout=25 -print_final_stats=1 -artifact_prefix="$build/findings/$h-" "${keep_going[@]}" >"$log" 2>&1
  local rc=$?
  [ "$(ls "$build/findings" | grep -c "^$h-")" -gt "$before" ] && rc=${rc/#0/1}
  local execs
  execs=$(grep -o '^#[0-9]*' "$log" | tr -d '#' | sort -n | tail -1)
  echo "fuzz_$h: exit $rc, ${execs:-?} executions, $(ls "$work" | wc -l) corpus files (log $log)"
  [ $rc -eq 0 ] || { grep -m5 -E 'korvu fuzz|ERROR: |SUMMARY' "$log" >&2; }
  return $rc
}

status=0
pids=()
names=()
for h in "${harnesses[@]}"; do
  run_one "$h" &
  pids+=($!)
  names+=("$h")
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
[ $status -eq 0 ] && echo "fuzz: all harnesses clean" || echo "fuzz: findings in $build/findings" >&2
exit $status
