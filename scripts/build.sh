#!/usr/bin/env bash
# Configures and builds into a build folder (default build/). Extra arguments go to CMake.
# Usage: scripts/build.sh [BUILD_DIR] [-DOPTION=VALUE ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
