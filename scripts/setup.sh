#!/bin/sh
# Installs the Debian 12 packages needed to build and test the library.
# Does nothing when they are all installed already; otherwise needs root
# (or sudo).
set -eu

PACKAGES="cmake ninja-build g++ binutils git libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev \
libssl-dev openssl ca-certificates python3 libbenchmark-dev clang libclang-rt-14-dev libtasn1-6-dev \
python3-pyasn1 python3-pyasn1-modules pkg-config osslsigncode python3-asn1crypto \
ldap-utils libldap-dev doxygen dumpasn1 libmimalloc-dev"

missing=""
for p in $PACKAGES; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *" installed") ;;
    *) missing="$missing $p" ;;
  esac
done

if [ -z "$missing" ]; then
  echo "setup: all build and test packages are installed"
  exit 0
fi

echo "setup: installing$missing"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "setup: missing packages:$missing; run this script as root" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $missing
