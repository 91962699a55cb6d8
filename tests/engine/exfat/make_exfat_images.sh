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
