#!/bin/bash
# tests/engine/fat/make_fat_images.sh FOLDER
# FAT12/16/32 images made by mkfs.fat, with folders, files and long names put in by mtools.
set -euo pipefail
out="$1/fat"
rm -rf "$out"
mkdir -p "$out"
cd "$out"
export MTOOLS_SKIP_CHECK=1

printf 'hello\n' > small.txt
head -c 5000 /dev/zero | tr '\0' 'x' > medium.bin

fill() {
    local image="$1"
    mmd -i "$image" ::/Folder
    mmd -i "$image" ::/Folder/Inner
    mcopy -i "$image" small.txt ::/SMALL.TXT
    mcopy -i "$image" medium.bin "::/A long file name.bin"
    mcopy -i "$image" small.txt "::/Folder/Another long name.txt"
}

truncate -s 1440K fat12.img
mkfs.fat -F 12 -n "MYDISK12" fat12.img >/dev/null
fill fat12.img

truncate -s 8M fat16.img
mkfs.fat -F 16 -s 1 -n "DATA16" fat16.img >/dev/null
fill fat16.img

# More than 65535 sectors: the 16-bit total is 0 and the 32-bit total counts. Only the head
# of the volume is kept; the analyser reads nothing beyond its root directory.
truncate -s 40M fat16big.img
mkfs.fat -F 16 -n "BIGDATA" fat16big.img >/dev/null
head -c 1M fat16big.img > fat16big-head.img
rm fat16big.img

# mtools cannot write into a FAT32 volume below the FAT32 minimum of 65525 clusters, so these
# are full-size volumes of which only the head is kept (the analyser reads nothing beyond
# the root directory and the first FAT blocks). Their sizes are kept as the golden totals.
truncate -s 34M fat32.img
mkfs.fat -F 32 -s 1 -n "VOL 32" fat32.img >/dev/null
fill fat32.img

# Many entries before the label: the root spans several one-sector clusters, so the label is
# found by following the root chain.
truncate -s 34M fat32chain.img
mkfs.fat -F 32 -s 1 fat32chain.img >/dev/null
for i in $(seq 1 40); do mcopy -i fat32chain.img small.txt "::/file number $i with a long name.txt"; done
mlabel -i fat32chain.img ::CHAINED

for image in fat12.img fat16.img fat32.img fat32chain.img; do
    stat -c %s "$image" > "$image.size"
done
for image in fat32.img fat32chain.img; do
    head -c 4M "$image" > "$image.head" && mv "$image.head" "$image"
done
minfo -i fat16big-head.img :: | sed -n 's/^big size: *\([0-9]*\) sectors.*/\1/p' > fat16big.total
