#!/bin/bash
# tests/engine/exfat/make_exfat_images.sh FOLDER
# exFAT images made by mkfs.exfat.
set -euo pipefail
out="$1/exfat"
rm -rf "$out"
mkdir -p "$out"
cd "$out"
truncate -s 4M exfat.img
mkfs.exfat -L "EXLABEL" exfat.img >/dev/null
truncate -s 4M nolabel.img
mkfs.exfat nolabel.img >/dev/null
stat -c %s exfat.img > exfat.img.size
# A label with U+00FF (y with diaeresis), which exFAT allows in names and labels.
truncate -s 4M ydiaeresis.img
LC_ALL=C.UTF-8 mkfs.exfat -L "Yÿ chÿr" ydiaeresis.img >/dev/null

# A label entry no longer in use (type 0x03, as left when a label is removed): exfatlabel and
# blkid show no label. Its old text stays in the entry.
cp exfat.img unusedlabel.img
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
heap=$(u32 unusedlabel.img 88)
root=$(u32 unusedlabel.img 96)
shift=$(od -An -tu1 -j 109 -N1 unusedlabel.img | tr -d ' ')
rootAt=$(( (heap + (root - 2) * (1 << shift)) * 512 ))
[ "$(od -An -tx1 -j "$rootAt" -N1 unusedlabel.img | tr -d ' ')" = 83 ] || { echo "no label entry first in the root" >&2; exit 1; }
printf '\x03' | dd of=unusedlabel.img bs=1 seek="$rootAt" conv=notrunc status=none
# The labels blkid reads, kept as goldens (empty for none).
for image in exfat.img nolabel.img unusedlabel.img ydiaeresis.img; do
    LC_ALL=C.UTF-8 blkid -p -o value -s LABEL "$image" | tr -d '\n' > "$image.label" || true
done
# What dump.exfat reads from the root of exfat.img, one number a line: the root cluster, the
# allocation bitmap's first cluster and size, the up-case table's first cluster and size.
dump.exfat exfat.img 2>/dev/null | sed -n \
    -e 's/^Root Cluster.*:[[:space:]]*\([0-9]*\)$/\1/p' \
    -e 's/^Bitmap start cluster:[[:space:]]*\([0-9]*\)$/\1/p' \
    -e 's/^Bitmap size:[[:space:]]*\([0-9]*\)$/\1/p' \
    -e 's/^Upcase table start cluster:[[:space:]]*\([0-9]*\)$/\1/p' \
    -e 's/^Upcase table size:[[:space:]]*\([0-9]*\)$/\1/p' > exfat.img.dump
[ "$(wc -l < exfat.img.dump)" = 5 ] || { echo "dump.exfat gave no root summary" >&2; exit 1; }
