#!/usr/bin/env bash
# The main job: installs what is missing, builds, and runs nptests on the bundled examples. The HTML
# report goes to out/nptests-report.html and the text report to the terminal.
# Usage: scripts/run-examples.sh               the bundled examples
#        scripts/run-examples.sh ARGS...       nptests ARGS... (own documents, other options)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
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
