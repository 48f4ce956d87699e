#!/usr/bin/env bash
# Renders the charts of a report to PNG, to look at them as a reader would: runs nptests with
# --charts-dir, lays the chart files out on contact sheets of six, and screenshots each sheet with
# headless Chromium (Debian's `chromium`). Without arguments, the bundled examples.
# Usage: scripts/render-report.sh [BUILD_DIR] [OUTPUT_DIR] [-- NPTESTS_ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
out=$root/out/charts
[ $# -gt 0 ] && [ "$1" != "--" ] && { build=$(realpath -m "$1"); shift; }
[ $# -gt 0 ] && [ "$1" != "--" ] && { out=$(realpath -m "$1"); shift; }
[ $# -gt 0 ] && [ "$1" = "--" ] && shift

cmake --build "$build" --target nptests -j "$(nproc)" >&2
rm -rf "$out"
mkdir -p "$out/svg"
"$build/bin/nptests" --charts-dir "$out/svg" -o "$out/report.html" "$@" || true
echo "wrote $out/report.html and $(ls "$out/svg" | wc -l) chart files in $out/svg" >&2

# Six charts to a sheet, two by three, each scaled into a 680-pixel cell under its file name.
sheet=0
count=0
# In the report's order: heading numbers sort as versions do.
mapfile -t files < <(cd "$out/svg" && ls | sort -V)
[ ${#files[@]} -gt 0 ] || { echo "no charts were drawn" >&2; exit 1; }
start_sheet() {
  printf '<!DOCTYPE html><html><head><meta charset="utf-8"><style>
body{margin:0;font:11px sans-serif} div{display:inline-block;vertical-align:top;width:680px;
margin:2px;border:1px solid #ccc} img{width:680px}</style></head><body>\n' >"$out/sheet$1.html"
}
for file in "${files[@]}"; do
  if [ $((count % 6)) -eq 0 ]; then
    sheet=$((count / 6 + 1))
    start_sheet "$sheet"
  fi
  printf '<div>%s<br><img src="svg/%s"></div>\n' "$file" "$file" >>"$out/sheet$sheet.html"
  count=$((count + 1))
done

if ! command -v chromium >/dev/null; then
  echo "chromium is not installed: open $out/sheet*.html in a browser instead" >&2
  exit 0
fi
for page in "$out"/sheet*.html; do
  png=${page%.html}.png
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --screenshot="$png" \
    --window-size=1400,1600 "file://$page" >/dev/null 2>&1
  echo "wrote $png" >&2
done
