#!/bin/sh
# Installs what is missing, then builds and runs every test in the Release
# configuration and under AddressSanitizer + UndefinedBehaviorSanitizer.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in release asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
