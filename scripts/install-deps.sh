#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Idempotent: when every package is
# already installed it changes nothing; otherwise it refreshes the package lists first.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  libxerces-c-dev          # the XML parser behind the result-document reader
  nlohmann-json3-dev       # JSON output, JSON dictionaries, JSON tests
  libcli11-dev             # the nptests command line
  googletest libgtest-dev libgmock-dev   # unit tests
  clang-format
  clang libclang-rt-14-dev # libFuzzer for the reader's fuzz run in CI
  r-base-core r-cran-coin  # CI recomputes the examples' statistics (scripts/check-examples.R)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
