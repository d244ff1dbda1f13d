#!/bin/sh
# Installs what is missing, builds the Release configuration and decodes the
# sample certificate with a DER round-trip check.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release
cmake --build --preset release
build/release/korvu-asn1 decode --type 24 --check samples/sample-cert.der
