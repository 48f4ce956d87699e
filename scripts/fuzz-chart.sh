#!/usr/bin/env bash
# Builds the charts' fuzz target with clang and runs it for a fixed time: shipped templates with
# fuzzed extra elements, or fuzzed specifications, drawn with fuzzed data. Seeds are one input per
# template, and each template's whole text as a fuzzed specification; inputs may be up to 64 KiB
# from the start (-len_control=0), so that mutations reach specifications the size of real templates
# with their data (libFuzzer's default stops at the seeds' length, and widens it only slowly). The
# dictionary holds the chart grammar's names. A crash, leak or hang leaves its input in the build folder (crash-*, leak-*,
# timeout-*); turn it into a case of tests/chart/DrawRobustnessTest.cpp.
# Usage: scripts/fuzz-chart.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build=$(realpath -m "${2:-$root/build-fuzz}")
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DNPTESTS_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target fuzz_chart -j "$(nproc)"
corpus="$build/fuzz_chart_corpus"
mkdir -p "$corpus"
# Input: a byte that picks the template, the fuzzed text up to a NUL, then the data bytes.
templates=$(find "$root/resources/templates" -name '*.viztemplate' | wc -l)
for ((i = 0; i <= templates; i++)); do
  { printf "\\$(printf '%03o' "$i")"; printf '\0'; head -c 300 /dev/urandom; } >"$corpus/seed-$i"
done
# The last pick takes the text as the whole specification: start it from each real template.
n=0
for file in "$root"/resources/templates/*.viztemplate; do
  { printf "\\$(printf '%03o' "$templates")"; tr -d '\0' <"$file"; printf '\0'
    head -c 2000 /dev/urandom; } >"$corpus/seed-template-$((n++))"
done
cd "$build"
"$build/bin/fuzz_chart" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 -len_control=0 \
  -dict="$root/tests/fuzz/fuzz_chart.dict" "$corpus"
