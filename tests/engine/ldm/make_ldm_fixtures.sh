#!/bin/bash
# tests/engine/ldm/make_ldm_fixtures.sh
# Two dynamic disks written from the documented LDM layout (make_ldm_fixtures.py); the simple
# volume holds a FAT volume made by mkfs.fat, whose label and type blkid reads for the test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$1/ldm"
rm -rf "$out" && mkdir -p "$out"
truncate -s 2M "$out/fat.fs"
mkfs.fat -F 12 -n DYNVOL1 "$out/fat.fs" >/dev/null
echo "$(blkid -p -o value -s TYPE "$out/fat.fs") $(blkid -p -o value -s LABEL "$out/fat.fs")" > "$out/fat.expected"
python3 "$here/make_ldm_fixtures.py" "$out"
rm -f "$out/fat.fs"
