#!/usr/bin/env bash
# tests/ui/results/make_results_files.sh FIXTURE_DIR
# An empty work folder for the removal tests and the trash folder that XDG_DATA_HOME names,
# both on one file system so the shell can move files into the trash.
set -euo pipefail
root=$1/results
rm -rf "$root"
mkdir -p "$root/work" "$root/xdg/Trash/files" "$root/xdg/Trash/info"

# A tree the page tests scan: three copies of a picture, two of a document, one file alone.
# Each copy differs in name and folder only.
scan=$root/scan
mkdir -p "$scan/trip" "$scan/docs"
head -c 7000 /dev/urandom > "$scan/beach.jpg"
cp "$scan/beach.jpg" "$scan/trip/beach.jpg"
cp "$scan/beach.jpg" "$scan/trip/beach-copy.jpg"
head -c 2500 /dev/urandom > "$scan/docs/report.txt"
cp "$scan/docs/report.txt" "$scan/docs/report-old.txt"
head -c 3000 /dev/urandom > "$scan/alone.bin"
# The gallery and the second page test scan copies of their own: removals change the tree.
cp -r "$scan" "$root/gallery"
cp -r "$scan" "$root/scan-by-tab"

# Look-alike pictures made by ImageMagick: an original, its exact copy, a quality-60 re-encode
# and a half-size version; their pixel sizes as identify reports them ("name width height").
# A text file stands for a file that is no picture.
look=$root/lookalike
mkdir -p "$look"
/usr/bin/convert -size 640x480 -seed 7 plasma:fractal -blur 0x2 -quality 92 "$look/forest.jpg"
cp "$look/forest.jpg" "$look/forest-copy.jpg"
/usr/bin/convert "$look/forest.jpg" -quality 60 "$look/forest-q60.jpg"
/usr/bin/convert "$look/forest.jpg" -resize 50% "$look/forest-small.jpg"
for f in forest.jpg forest-copy.jpg forest-q60.jpg forest-small.jpg; do
  /usr/bin/identify -format "$f %w %h\n" "$look/$f"
done > "$look/sizes.txt"
printf 'minutes of the meeting\n' > "$look/notes.txt"
