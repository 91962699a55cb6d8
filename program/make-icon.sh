#!/usr/bin/env bash
# program/make-icon.sh OUT.ico
# Draws the program's icon (two overlapping pages) with ImageMagick, at 48, 32 and 16 pixels.
set -euo pipefail
out=$1
/usr/bin/convert -size 48x48 xc:none \
    -fill "#2A3440" -stroke "#65A9C0" -strokewidth 2 -draw "roundrectangle 5,3 31,37 3,3" \
    -fill "#1E2431" -stroke "#7CDB00" -strokewidth 2 -draw "roundrectangle 16,11 42,45 3,3" \
    -stroke "#7CDB00" -strokewidth 2 -draw "line 22,21 36,21" -draw "line 22,28 36,28" \
    -draw "line 22,35 32,35" \
    -define icon:auto-resize=48,32,16 "$out"
