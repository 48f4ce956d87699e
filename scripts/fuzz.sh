#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a fixed time, guided by the dictionary of
# result-document names: fuzz_reader (the reader alone, seeded with the reader's test documents)
# and fuzz_report (the whole report in every format, seeded with those and the bundled examples).
# A crash leaves its input in the build folder (crash-*); turn it into a regression case of the
# tests of the part that failed (tests/reader/HostileTest.cpp for the reader). fuzz_data feeds data
# files through the reader, the dictionary and the engine, seeded with the bundled data sets.
# Usage: scripts/fuzz.sh [READER_SECONDS] [REPORT_SECONDS] [BUILD_DIR] [DATA_SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
reader_seconds=${1:-30}
report_seconds=${2:-45}
build=$(realpath -m "${3:-$root/build-fuzz}")
data_seconds=${4:-20}
# Every target of the build is instrumented, so a compiler cache, when there is one, saves most of
# the build's time from the second run on.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DNPTESTS_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" >/dev/null
cmake --build "$build" --target fuzz_reader fuzz_report fuzz_data -j "$(nproc)"

# The fuzzer writes new inputs into its corpus, so the seeds are copied rather than used in place.
# Usage: run TARGET SECONDS SEED_FOLDER...   (the seeds of fuzz_data are data files, else documents)
run() {
  local target=$1 seconds=$2
  shift 2
  local corpus="$build/${target}_corpus" pattern='*.xml' dict=fuzz_reader.dict
  if [ "$target" = fuzz_data ]; then
    pattern='*.csv' dict=fuzz_data.dict
  fi
  mkdir -p "$corpus"
  find "$@" -name "$pattern" -exec cp {} "$corpus/" \;
  (cd "$build" && "$build/bin/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=10 -dict="$root/tests/fuzz/$dict" "$corpus")
}
run fuzz_reader "$reader_seconds" "$root/tests/reader/documents"
run fuzz_report "$report_seconds" "$root/tests/reader/documents" "$root/examples"
run fuzz_data "$data_seconds" "$root/examples/data" "$root/tests/fuzz/data_seeds"
