#!/usr/bin/env bash
# Draws every chart template with sample data into one HTML page and, when Chromium is there,
# takes a screenshot of it. Usage: scripts/render-charts.sh [BUILD_DIR] [OUTPUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$build/charts}
mkdir -p "$out"
cmake --build "$build" --target chart_gallery -j2
"$build/bin/chart_gallery" "$root/resources/templates" "$out/gallery.html"
echo "wrote $out/gallery.html"
if command -v chromium >/dev/null; then
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --screenshot="$out/gallery.png" \
    --window-size=1400,4000 "file://$out/gallery.html" 2>/dev/null
  echo "wrote $out/gallery.png"
fi
