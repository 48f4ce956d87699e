#!/usr/bin/env bash
# The main job: installs what is missing, builds, and runs nptests on the bundled examples. The HTML
# report goes to out/nptests-report.html and the text report to the terminal.
# Usage: scripts/run-examples.sh               the bundled examples
#        scripts/run-examples.sh ARGS...       nptests ARGS... (own documents, other options)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# The build's progress goes to a log, so that the report is what the terminal shows.
mkdir -p "$root/build"
log="$root/build/build.log"
if ! "$root/scripts/build.sh" "$root/build" > "$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "The build failed; the whole log is $log" >&2
  exit 1
fi
nptests="$root/build/bin/nptests"

if [ $# -gt 0 ]; then
  exec "$nptests" "$@"
fi

mkdir -p "$root/out"
report="$root/out/nptests-report.html"
status=0
"$nptests" --format text || status=$?
"$nptests" -o "$report" || status=$?
echo
echo "HTML report: $report"
exit "$status"
