#!/bin/sh
# Writes docs/dump-vs-dumpasn1.md: the first lines of `korvu-asn1 dump` and
# of Debian's `dumpasn1 -a` on five corpus files. Needs a build in
# build/release, dumpasn1 (scripts/setup.sh installs it) and ../shared/corpus.
set -eu
cd "$(dirname "$0")/.."
T=build/release/korvu-asn1
C=../shared/corpus
out=docs/dump-vs-dumpasn1.md
{
  sed -n '/^# /,/^<!-- excerpts -->/p' "$out"
  for spec in "x509/asn1crypto__admin.ch.crt 16" "crl/rfc4134__CarlDSSCRLEmpty.crl 14" \
              "cms/asn1crypto__cms-signed-indefinite-length.der 14" "ocsp/asn1crypto__ocsp_response 14" \
              "cms/tongsuo__d2i-tests_bad-cms.der 30"; do
    set -- $spec
    printf '### `%s`\n\nkorvu-asn1 dump:\n\n```\n' "$1"
    "$T" dump "$C/$1" 2>/dev/null | head -n "$2" || true
    printf '```\n\ndumpasn1 -a:\n\n```\n'
    dumpasn1 -a "$C/$1" 2>&1 | head -n "$2" || true
    printf '```\n\n'
  done
  sed -n '/^<!-- end of excerpts -->/,$p' "$out"
} > "$out.new"
mv "$out.new" "$out"
