#!/usr/bin/env bash
# tests/ui/results/make_results_files.sh FIXTURE_DIR
# An empty work folder for the removal tests and the trash folder that XDG_DATA_HOME names,
# both on one file system so the shell can move files into the trash.
set -euo pipefail
root=$1/results
# A removal test that ended before it could clear its immutable file leaves it behind.
[ -d "$root" ] && chattr -R -i "$root" 2>/dev/null || true
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

# The removal flow's trees, one per test: a picture in three copies and a document in two
# ("scan-whole", "scan-keep-gone"); a picture in four and a document in three
# ("scan-refresh"); a picture in two folders ("scan-nobin"); a picture in three folders for a
# bin that takes nothing ("scan-unusable"); a picture in six folders ("scan-many").
for name in scan-whole scan-keep-gone; do cp -r "$scan" "$root/$name"; done
mk_copies() {  # folder, size, copies...
  local dir=$1 size=$2; shift 2
  local first=$dir/$1
  mkdir -p "$(dirname "$first")"
  head -c "$size" /dev/urandom > "$first"
  shift
  for copy in "$@"; do mkdir -p "$(dirname "$dir/$copy")"; cp "$first" "$dir/$copy"; done
}
mk_copies "$root/scan-refresh" 6000 p1.jpg a/p2.jpg b/p3.jpg c/p4.jpg
mk_copies "$root/scan-refresh" 2200 d1.txt a/d2.txt b/d3.txt
mk_copies "$root/scan-nobin" 5000 beach.jpg nobin/beach.jpg
mk_copies "$root/scan-unusable" 4500 beach.jpg a/beach.jpg b/beach.jpg
mk_copies "$root/scan-many" 4000 1/sea.jpg 2/sea.jpg 3/sea.jpg 4/sea.jpg 5/sea.jpg 6/sea.jpg
# A picture in eleven copies, ten of them in one folder, for a bin that refuses one of them.
mk_copies "$root/scan-immutable" 4500 beach.jpg dup/c0.jpg dup/c1.jpg dup/c2.jpg dup/c3.jpg dup/c4.jpg \
  dup/c5.jpg dup/c6.jpg dup/c7.jpg dup/c8.jpg dup/c9.jpg
# The gallery's removal pictures: a picture in three copies (twice), and one in six folders.
cp -r "$scan" "$root/gallery-whole"
cp -r "$scan" "$root/gallery-outcome"
cp -r "$root/scan-many" "$root/gallery-many"
# Names a removal must tell apart after the shell call: a copy whose name differs from the
# kept file's in case only (two files on this file system), a Cyrillic name the code page
# cannot hold (reached by its short name) and German letters the code page holds; one tree
# for a removal that succeeds, one for a shell that refuses the copies.
for names in "$root/names-gone" "$root/names-refused"; do
  mk_copies "$names" 3000 forest.jpg FOREST.JPG
  mk_copies "$names" 2000 photo.jpeg "фото.jpeg"
  mk_copies "$names" 1000 "Grüße.txt" "Grüße - Kopie.txt"
  touch -d 2020-01-01 "$names/forest.jpg" "$names/photo.jpeg" "$names/Grüße.txt"
done
