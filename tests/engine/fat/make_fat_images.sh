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

# A file before the label in a fixed root: the label is found only when the file's entry
# passes the entry checks.
truncate -s 8M fat16late.img
mkfs.fat -F 16 -s 1 fat16late.img >/dev/null
mcopy -i fat16late.img small.txt ::/SMALL.TXT
mlabel -i fat16late.img ::LATE

for image in fat12.img fat16.img fat32.img fat32chain.img; do
    stat -c %s "$image" > "$image.size"
done
for image in fat32.img fat32chain.img; do
    head -c 4M "$image" > "$image.head" && mv "$image.head" "$image"
done
minfo -i fat16big-head.img :: | sed -n 's/^big size: *\([0-9]*\) sectors.*/\1/p' > fat16big.total

# Volumes that the formatter makes and the checkers read, each with the total sectors that
# fsck.fat reports and the label that fatlabel reads, kept as goldens.
# fatlabel converts the label from the volume's code page; the golden is UTF-8.
golden() {
    local image="$1" report
    report=$(fsck.fat -nv "$image" 2>/dev/null || true)
    sed -n 's/^ *\([0-9]*\) sectors total.*/\1/p' <<<"$report" > "$image.total"
    LC_ALL=C.UTF-8 fatlabel "$image" 2>/dev/null | tr -d '\n' > "$image.label"
}
# Floppies hold 112 root entries; a FAT16 may too.
truncate -s 360K floppy360.img
mkfs.fat -n "FLOPPY360" floppy360.img >/dev/null
truncate -s 720K floppy720.img
mkfs.fat -n "FLOPPY720" floppy720.img >/dev/null
# One FAT, 112 root entries and a label with inner spaces.
truncate -s 8M onefat16.img
mkfs.fat -F 16 -f 1 -r 112 -n "PHOTOS  OLD" onefat16.img >/dev/null
# A label outside ASCII, stored in the OEM code page (0x90 is capital E acute).
truncate -s 1440K oemlabel.img
mkfs.fat oemlabel.img >/dev/null
LC_ALL=C.UTF-8 mlabel -i oemlabel.img "::ÉTÉ"
# FAT12 beyond 65,535 sectors: its total is in the 32-bit field. Only the head is kept.
truncate -s 79M fat12big.img
mkfs.fat -F 12 -s 64 -n "BIG12" fat12big.img >/dev/null
# FAT32 below 65,536 sectors: its total is in the 16-bit field. mtools refuses to write into
# so small a FAT32, so the root is grown by hand to two clusters, the label in the second,
# and fsck.fat must find the volume sound.
truncate -s 16M small32.img
mkfs.fat -F 32 -s 1 -n "SMALLCHAIN" small32.img >/dev/null 2>&1
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
reserved=$(u16 small32.img 14)
fatSectors=$(u32 small32.img 36)
data=$(( (reserved + 2 * fatSectors) * 512 ))
dd if=small32.img of=label.entry bs=1 skip=$data count=32 status=none
for i in $(seq 0 15); do
    printf 'FILE%04d' "$i" | dd of=small32.img bs=1 seek=$(( data + i * 32 )) conv=notrunc status=none
    printf 'TXT\x20' | dd of=small32.img bs=1 seek=$(( data + i * 32 + 8 )) conv=notrunc status=none
    head -c 20 /dev/zero | dd of=small32.img bs=1 seek=$(( data + i * 32 + 12 )) conv=notrunc status=none
done
dd if=label.entry of=small32.img bs=1 seek=$(( data + 512 )) conv=notrunc status=none
for copy in 0 1; do
    fat=$(( (reserved + copy * fatSectors) * 512 ))
    printf '\x03\x00\x00\x00\xff\xff\xff\x0f' | dd of=small32.img bs=1 seek=$(( fat + 8 )) conv=notrunc status=none
done
# The free count of the FSInfo sector becomes "unknown".
fsinfo=$(u16 small32.img 48)
printf '\xff\xff\xff\xff' | dd of=small32.img bs=1 seek=$(( fsinfo * 512 + 488 )) conv=notrunc status=none
rm label.entry
report=$(fsck.fat -n small32.img 2>/dev/null)
if ! grep -q '17 files' <<<"$report" || grep -qi 'wrong\|correct' <<<"$report"; then
    echo "small32.img: fsck.fat does not find the grown root sound: $report" >&2
    exit 1
fi

for image in floppy360.img floppy720.img onefat16.img oemlabel.img fat12big.img small32.img; do
    golden "$image"
done
head -c 1M fat12big.img > fat12big.head && mv fat12big.head fat12big.img
