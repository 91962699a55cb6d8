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

# Golden list from sfdisk's JSON: "start size" of every partition but containers (MBR types
# 5, f, 85) and the two LDM partitions of a GPT dynamic disk (their volumes come from LDM).
golden() {
  sfdisk -J "$1" | jq -r '.partitiontable.partitions[]
      | select((.type | ascii_downcase) as $t | ($t != "5" and $t != "f" and $t != "85"
               and $t != "5808c8aa-7e8f-42e0-85d2-e1e90434cfb3" and $t != "af9b60a0-1431-4f62-bc68-3311714a69ad"))
      | "\(.start) \(.size)"'
}

# GPT with types outside the known-types table: Linux x86-64 root, /home holding exFAT and
# XBOOTLDR holding FAT16. blkid names each file system ("start TYPE LABEL" lines).
truncate -s 16M gptlinux.img
sgdisk --clear -n 1:2048:+2M -t 1:8304 -n 2:0:+4M -t 2:8302 -n 3:0:+4M -t 3:ea00 gptlinux.img >/dev/null
truncate -s 4M home.fs boot.fs
mkfs.exfat -L HOMEX home.fs >/dev/null 2>&1
mkfs.fat -F 16 -s 1 -n BOOTFAT boot.fs >/dev/null 2>&1
: > gptlinux.fs
for pair in 2:home 3:boot; do
  n=${pair%%:*}; f=${pair#*:}.fs
  start=$(sfdisk -J gptlinux.img | jq ".partitiontable.partitions[$((n - 1))].start")
  dd if="$f" of=gptlinux.img bs=512 seek="$start" conv=notrunc status=none
  echo "$start $(blkid -p -o value -s TYPE "$f") $(blkid -p -o value -s LABEL "$f")" >> gptlinux.fs
done
rm -f home.fs boot.fs
golden gptlinux.img > gptlinux.expected

# Hybrid MBR: the GPT's first two partitions mirrored in MBR slots 0 and 1, the protective
# 0xEE entry in slot 2. sfdisk reads the GPT, and so must we.
truncate -s 8M hybrid.img
sgdisk --clear -n 1:2048:+1M -t 1:0700 -n 2:0:+1M -t 2:0700 -n 3:0:+2M -t 3:8300 hybrid.img >/dev/null
sgdisk -h 1:2:EE hybrid.img >/dev/null
golden hybrid.img > hybrid.expected

# A Linux extended container (0x85) holding two logical partitions: sfdisk lays the chain out
# under type 5, then the container's type is changed; sfdisk still lists the logicals.
truncate -s 8M linuxext.img
sfdisk --quiet linuxext.img <<'LAYOUT'
label: dos
start=2048, size=2048, type=83
start=4096, type=5
size=2048, type=83
size=2048, type=7
LAYOUT
sfdisk --quiet --part-type linuxext.img 2 85
golden linuxext.img > linuxext.expected

# A GPT dynamic disk's partitions: LDM metadata and LDM data beside a basic data partition.
truncate -s 8M gptldm.img
sgdisk --clear -n 1:2048:+1M -t 1:4201 -n 2:0:+3M -t 2:4200 -n 3:0:+1M -t 3:0700 gptldm.img >/dev/null
golden gptldm.img > gptldm.expected

# Floppies without a partition table: mformat's boot sector carries one entry over the whole
# floppy, from sector 0; mkfs.fat's carries none. An empty MBR (sfdisk, no partitions) is a
# table all the same.
MTOOLS_SKIP_CHECK=1 mformat -C -f 1440 -v MFLOPPY -i mformat.img ::
mkfs.fat -C -n MKFLOPPY mkfsfat.img 1440 >/dev/null
truncate -s 1M blank.img
truncate -s 1M emptydos.img
printf 'label: dos\n' | sfdisk --quiet emptydos.img

# A GPT disk image cut short: sgdisk's last partition runs to the end of the 8 MiB disk and holds
# a 2048-sector FAT12; the image keeps 7 MiB, so that entry ends past the disk (and the backup
# is gone). sgdisk still reads the primary: its listing is the golden ("start sectors" lines),
# and fsck.fat gives the file system's own size.
truncate -s 8M gpttrunc.img
sgdisk --clear -n 1:2048:+1M -t 1:0700 -n 2:0:+2M -t 2:8300 -n 3:0:0 -t 3:0700 gpttrunc.img >/dev/null
truncate -s 1M last.fs
mkfs.fat -F 12 -n LASTVOL last.fs >/dev/null
fsck.fat -nv last.fs 2>/dev/null | sed -n 's/^ *\([0-9]*\) sectors total.*/\1/p' > gpttrunc.fssize
start=$(sfdisk -J gpttrunc.img | jq '.partitiontable.partitions[2].start')
dd if=last.fs of=gpttrunc.img bs=512 seek="$start" conv=notrunc status=none
rm last.fs
truncate -s 7M gpttrunc.img
sgdisk -p gpttrunc.img 2>/dev/null | awk '$1 ~ /^[0-9]+$/ && NF >= 5 { print $2, $3 - $2 + 1 }' > gpttrunc.sgdisk
