#!/bin/bash
# tests/engine/partition/make_partition_fixtures.sh
# Small disk images with real partition tables, and each table's layout as sfdisk reads it
# back ("start size" per line), the golden values of the tests.
set -euo pipefail
out="$1/partition"
rm -rf "$out" && mkdir -p "$out"
cd "$out"

# MBR: one primary, and an extended partition holding three logicals (a chain of EBRs).
truncate -s 8M dos.img
sfdisk --quiet dos.img <<'LAYOUT'
label: dos
start=2048, size=2048, type=c
start=4096, size=12288, type=5
size=2048, type=7
size=2048, type=83
size=2048, type=c
LAYOUT

# GPT: three partitions of different types.
truncate -s 8M gpt.img
sgdisk --clear -n 1:2048:+1M -t 1:0700 -c 1:data -n 2:0:+2M -t 2:8300 -n 3:0:+1M -t 3:ef00 gpt.img >/dev/null

for img in dos gpt; do
  # Extended partitions are containers, not volumes: left out of the golden list.
  sfdisk -d "$img.img" | awk -F'[=,: ]+' '/start=/ {
      s=""; n=""; t="";
      for (i = 1; i <= NF; ++i) { if ($i == "start") s = $(i+1); if ($i == "size") n = $(i+1); if ($i == "type") t = $(i+1) }
      if (t != "5" && t != "f") print s, n }' > "$img.expected"
done

# MBR with one FAT16 partition, formatted in place; its file system is what the analysers find.
truncate -s 8M fat.img
printf 'label: dos\nstart=2048, size=8192, type=6\n' | sfdisk --quiet fat.img
mkfs.fat -F 16 -s 1 -n PARTLABEL --offset=2048 fat.img 4096 >/dev/null 2>&1
