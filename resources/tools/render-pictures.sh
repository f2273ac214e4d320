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
echo "rendered $(ls "$res/images" | wc -l) pictures into resources/images"
