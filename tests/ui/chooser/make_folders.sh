#!/usr/bin/env bash
# tests/ui/chooser/make_folders.sh FIXTURE_DIR
# The folders the chooser's tests walk to: names in mixed case, one with a dot in its name,
# and a file and an archive beside them (the tree lists folders only).
set -euo pipefail
root=$1/chooser
rm -rf "$root"
mkdir -p "$root/pick"
cd "$root/pick"
mkdir gamma Beta alpha delta.v2
mkdir -p alpha/inner
printf 'a file\n' > zeta.txt
# An empty zip archive: the shell may show it as a folder; the tree must not.
{ printf 'PK\005\006'; head -c 18 /dev/zero; } > bundle.zip
