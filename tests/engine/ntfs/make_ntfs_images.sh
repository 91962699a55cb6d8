#!/bin/bash
# tests/engine/ntfs/make_ntfs_images.sh FOLDER
# NTFS images made by mkntfs, as small as it allows.
set -euo pipefail
out="$1/ntfs"
rm -rf "$out"
mkdir -p "$out"
cd "$out"
truncate -s 4M ntfs.img
/usr/sbin/mkntfs -F -f -q -L "NTLABEL" ntfs.img >/dev/null 2>&1
# 4096-byte sectors and 4096-byte MFT records, whose update sequence protects eight strides.
truncate -s 8M ntfs4k.img
/usr/sbin/mkntfs -F -f -q -s 4096 -c 4096 -L "BIGSECT" ntfs4k.img >/dev/null 2>&1
truncate -s 4M nolabel.img
/usr/sbin/mkntfs -F -f -q nolabel.img >/dev/null 2>&1
# Labels longer than the 80 bytes kept: plain letters, and a character of two UTF-16 units
# that straddles the limit. ntfslabel's reading is kept as the golden (UTF-8).
truncate -s 4M longlabel.img
/usr/sbin/mkntfs -F -f -q -L "$(printf 'L%.0s' $(seq 1 100))" longlabel.img >/dev/null 2>&1
cp longlabel.img straddle.img
LC_ALL=C.UTF-8 ntfslabel straddle.img "$(printf 'a%.0s' $(seq 1 79))😀bc" >/dev/null 2>&1
for image in longlabel.img straddle.img; do
    LC_ALL=C.UTF-8 ntfslabel "$image" 2>/dev/null | tr -d '\n' > "$image.label"
done
# Other cluster sizes; the size ntfsinfo reports is kept as the golden of each image.
truncate -s 4M ntfs1k.img
/usr/sbin/mkntfs -F -f -q -c 1024 ntfs1k.img >/dev/null 2>&1
truncate -s 8M ntfs16k.img
/usr/sbin/mkntfs -F -f -q -c 16384 ntfs16k.img >/dev/null 2>&1
for image in ntfs.img ntfs4k.img ntfs1k.img ntfs16k.img; do
    ntfsinfo -m "$image" 2>/dev/null | sed -n 's/^[[:space:]]*Cluster Size: *\([0-9]*\).*/\1/p' > "$image.cluster"
done
