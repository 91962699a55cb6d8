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
