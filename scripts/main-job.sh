#!/bin/sh
# Installs what is missing, builds the Release configuration and decodes the
# sample certificate with a DER round-trip check and a summary, then renders
# it as a JSON tree.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release
cmake --build --preset release
build/release/korvu-asn1 decode --type 39 --summary --check samples/sample-cert.der
build/release/korvu-asn1 json samples/sample-cert.der
