#!/usr/bin/env bash
# tests/finder/picturehash/make_pictures.sh
# Makes the pictures the picture-hash tests compare: a few unrelated source pictures and,
# of three of them, near-copies (resized, recompressed, brighter, darker, re-encoded).
#   make_pictures.sh FIXTURE_DIR
set -euo pipefail
out=$1/picturehash
rm -rf "$out"
mkdir -p "$out"
cd "$out"
im=/usr/bin/convert  # the first convert on PATH is not ImageMagick

# Sources. Fixed seeds keep them the same from run to run.
$im -size 320x240 -seed 11 plasma:fractal src_plasma.png
$im -size 320x240 xc:white -fill red -draw "circle 100,120 100,40" \
    -fill navy -draw "rectangle 180,40 300,200" -fill green -draw "polygon 20,230 160,150 300,230" \
    src_shapes.png
# Photograph-like: smooth shapes under fine grain.
$im -size 320x240 -seed 13 xc:gray50 +noise Random -blur 0x6 -normalize \
    \( -size 320x240 -seed 14 xc:gray50 +noise Gaussian -colorspace gray \) \
    -compose overlay -composite src_photo.png

# Unrelated pictures.
$im -size 320x240 -seed 21 plasma:fractal other_plasma.png
$im -size 320x240 gradient:navy-gold other_gradient.png
$im -size 320x240 gradient:gold-navy other_gradient_reversed.png
$im -size 320x240 pattern:checkerboard other_checker.png
$im -size 320x240 -seed 22 xc:gray50 +noise Random -blur 0x6 -normalize other_photo.png
$im -size 320x240 xc:'#3060a0' other_flat_blue.png
$im -size 320x240 xc:'#a06030' other_flat_orange.png
$im -size 240x320 -seed 23 plasma:fractal other_portrait.png

# Near-copies of each source.
for name in plasma shapes photo; do
    src=src_$name.png
    $im "$src" -resize 50% "near_${name}_half.png"
    $im "$src" -resize 175% "near_${name}_larger.png"
    $im "$src" -quality 10 "near_${name}_q10.jpg"
    $im "$src" -quality 75 "near_${name}_q75.jpg"
    $im "$src" -modulate 105 "near_${name}_bright.png"
    $im "$src" -modulate 95 "near_${name}_dark.png"
    $im "$src" -define png:compression-level=1 -define png:compression-filter=0 "near_${name}_reencoded.png"
    $im "$src" "near_${name}.bmp"
    $im "$src" "near_${name}.gif"
    $im "$src" -resize 60% -quality 30 "near_${name}_small_q30.jpg"
done

# Formats and sizes beyond the loop: a TIFF, and a photograph-sized JPEG.
$im src_plasma.png -compress none near_plasma.tif
$im src_plasma.png -resize 6000x4500 -quality 85 near_plasma_6000x4500.jpg

# Extreme shapes that must still hash.
$im -size 1x1 xc:red shape_dot.png
$im -size 8x16000 gradient:black-white -rotate 90 shape_wide.png  # ImageMagick stops at 16000
$im -size 8x16000 gradient:black-white shape_tall.png

# Only the first bytes of a good picture, and bytes that are no picture at all.
head -c 200 src_plasma.png >bad_truncated.png
printf 'This is not a picture.\n' >bad_text.png
