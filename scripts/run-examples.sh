#!/usr/bin/env bash
# The main job: installs what the program needs, builds the program and its plug-in, and runs
# nptests on the bundled examples. The text report goes to standard output and the HTML report to
# out/nptests-report.html; what the script is doing goes to standard error, so that
# `scripts/run-examples.sh > report.txt` captures the report alone.
# Usage: scripts/run-examples.sh               the bundled examples
#        scripts/run-examples.sh ARGS...       nptests ARGS... (own documents, other options)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
say() { echo "run-examples: $*" >&2; }

say "checking the Debian packages the program needs (scripts/install-deps.sh)"
"$root/scripts/install-deps.sh"

# The build's progress goes to a log, so that the report is what the terminal shows. Only the
# program, its plug-in and their resources are built; scripts/test.sh builds the tests.
# A build folder configured before (by scripts/test.sh, say) keeps its options, its tests among
# them: switching them off there would leave stale test programs behind for the next ctest.
mkdir -p "$root/build"
log="$root/build/build.log"
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
[ -f "$root/build/CMakeCache.txt" ] || options+=(-DNPTESTS_BUILD_TESTS=OFF)
say "building nptests and its plug-in in build/; the first build takes a few minutes (log: $log)"
if ! { cmake -S "$root" -B "$root/build" "${options[@]}" &&
       cmake --build "$root/build" --target nptests -j "$(nproc)"; } > "$log" 2>&1; then
  tail -n 40 "$log" >&2
  say "the build failed; the whole log is $log"
  exit 1
fi
nptests="$root/build/bin/nptests"

if [ $# -gt 0 ]; then
  say "running $nptests $*"
  exec "$nptests" "$@"
fi

mkdir -p "$root/out"
report="$root/out/nptests-report.html"
status=0
say "running nptests on the bundled examples: the text report follows"
"$nptests" --format text || status=$?
"$nptests" -o "$report" || status=$?
say "HTML report: $report"
exit "$status"
