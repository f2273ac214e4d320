#!/usr/bin/env bash
# Redraws the application's pictures: SVG sources from draw_pictures.py, then PNG/JPEG files
# in resources/images/ rendered with Qt SVG. Needs qt6-svg-dev; run after changing a picture.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
res="$here/.."
python3 "$here/draw_pictures.py"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++17 -fPIC -O1 -o "$tmp/render_pictures" "$here/render_pictures.cpp" \
  $(pkg-config --cflags --libs Qt6Gui Qt6Svg)
QT_QPA_PLATFORM=offscreen "$tmp/render_pictures" "$res/svg" "$res/images"
# The sources themselves, compiled in for drawing at HiDPI ratios.
{
  echo '<!DOCTYPE RCC><RCC version="1.0">'
  echo '<qresource prefix="/svg">'
  for f in "$res"/svg/*.svg; do
    n="$(basename "$f")"
    echo "  <file alias=\"$n\">svg/$n</file>"
  done
  echo '</qresource>'
  echo '</RCC>'
} > "$res/pictures.qrc"
echo "rendered $(ls "$res/images" | wc -l) pictures into resources/images"
