#!/bin/bash
# tests/engine/device/make_device_fixtures.sh
# Partition-table images made by sfdisk and sgdisk for the dynamic-disk test.
set -e
out="$1/device"
rm -rf "$out" && mkdir -p "$out"
cd "$out"
truncate -s 8M basic.img
printf 'label: dos\n2048,4096,83\n6144,,5\n8192,2048,83\n' | sfdisk -q basic.img
truncate -s 8M ldm_mbr.img
printf 'label: dos\n2048,4096,83\n6144,,5\n8192,2048,42\n' | sfdisk -q ldm_mbr.img
truncate -s 8M ldm_gpt.img >/dev/null
sgdisk -o -n 1:2048:4095 -c 1:"LDM metadata partition" -n 2:4096:8191 -c 2:"LDM data partition" ldm_gpt.img >/dev/null
truncate -s 8M gpt_half.img >/dev/null
sgdisk -o -n 1:2048:4095 -c 1:"LDM metadata partition" -n 2:4096:8191 -c 2:"Basic data" gpt_half.img >/dev/null
