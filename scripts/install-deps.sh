#!/usr/bin/env bash
# Installs the Debian packages that building the program needs, and with --tests also those of the
# tests and CI. Idempotent: when every package is already installed it changes nothing; otherwise it
# refreshes the package lists first. The package manager's output goes to standard error, so that a
# caller's standard output stays its own.
# Usage: scripts/install-deps.sh [--tests]
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libxerces-c-dev          # the XML parser behind the result-document reader
  nlohmann-json3-dev       # JSON output, JSON dictionaries, JSON tests
  libcli11-dev             # the nptests command line
  libfreetype-dev libfontconfig-dev fonts-liberation2   # chart texts measured with the chart font
  libboost-math-dev        # distributions of the effect size intervals
)
test_packages=(
  git
  googletest libgtest-dev libgmock-dev   # unit tests
  clang-format
  clang libclang-rt-14-dev # libFuzzer for the reader's fuzz run in CI
  r-base-core r-cran-coin  # CI recomputes the examples' statistics (scripts/check-examples.R)
  r-cran-effectsize r-cran-rstatix r-cran-jsonlite   # ... and their effect sizes
)
if [ "${1:-}" = "--tests" ]; then
  packages+=("${test_packages[@]}")
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--tests]" >&2
  exit 2
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}" >&2
$SUDO apt-get update -q >&2
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
