#!/bin/sh
# Installs what is missing, then builds and runs every test in the Release
# configuration and under AddressSanitizer + UndefinedBehaviorSanitizer.
# Both test runs happen even when the first one fails; the status is that of
# the whole.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
status=0
for preset in release asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  if ! ctest --preset "$preset"; then
    echo "test: ctest --preset $preset failed" >&2
    status=1
  fi
done
exit "$status"
