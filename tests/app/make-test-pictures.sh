#!/usr/bin/env bash
# tests/app/make-test-pictures.sh OUTDIR
# Bitmaps for the picture-loading tests, made with ImageMagick: each is red in its top half
# and blue in its bottom half, stored with 1, 4 and 8 bits per pixel (colour tables of 2, 16
# and 256 entries, so the pixels start at 62, 118 and 1078) and with 24 bits (at 54); and a
# PNG for the skin loader; a GIF loaded as a resource of its own type; a JPEG under the
# named type "JPEG"; and a packed DIB
# whose colour table runs past its end (40-byte header, 8 bits, 100 bytes in all).
set -euo pipefail
out=$1
mkdir -p "$out"
im=/usr/bin/convert
"$im" -size 8x4 xc:red -size 8x4 xc:blue -append -type Palette BMP3:"$out/pal1.bmp"
"$im" -size 8x3 xc:red \( xc:lime xc:yellow xc:white xc:black -scale 200% +append -crop 8x1+0+0 \) \
      -size 8x4 xc:blue -append -type Palette BMP3:"$out/pal4.bmp"
"$im" -size 24x3 xc:red \( -size 1x24 gradient:lime-yellow -rotate 90 \) -size 24x4 xc:blue \
      -append -type Palette -compress None BMP3:"$out/pal8.bmp"
"$im" -size 8x4 xc:red -size 8x4 xc:blue -append -type TrueColor BMP3:"$out/rgb24.bmp"
"$im" -size 12x5 xc:red -units PixelsPerInch -density 72 PNG24:"$out/skin.png"
"$im" -size 8x4 xc:red -size 8x4 xc:blue -append GIF:"$out/pic.gif"
"$im" -size 16x8 xc:red -size 16x8 xc:blue -append -quality 95 JPEG:"$out/pic.jpg"
{ printf '\050\000\000\000\010\000\000\000\010\000\000\000\001\000\010\000'; head -c 84 /dev/zero; } \
    > "$out/short.dib"
