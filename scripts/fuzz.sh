#!/usr/bin/env bash
# Builds the reader's fuzz target with clang and runs it for a fixed time, seeded with the reader's
# test documents and guided by the dictionary of result-document names. A crash leaves its input
# in the build folder (crash-*); turn it into a regression case of tests/reader/HostileTest.cpp.
# Usage: scripts/fuzz-reader.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$(realpath -m "${2:-$root/build-fuzz}")
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DNPTESTS_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target fuzz_reader -j "$(nproc)"
# The fuzzer writes new inputs into its corpus, so the seeds are copied rather than used in place.
corpus="$build/fuzz_reader_corpus"
mkdir -p "$corpus"
find "$root/tests/reader/documents" -name '*.xml' -exec cp {} "$corpus/" \;
cd "$build"
"$build/bin/fuzz_reader" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -dict="$root/tests/fuzz/fuzz_reader.dict" "$corpus"
