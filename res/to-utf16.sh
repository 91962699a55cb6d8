#!/usr/bin/env bash
# res/to-utf16.sh SOURCE TARGET
# Language files are kept as UTF-8 text so that they diff; the program reads them through the
# wide profile interface, which wants UTF-16 LE with a byte-order mark. Lines end in CR LF.
set -euo pipefail
tmp="$2.tmp.$$"
{ printf '\377\376'; sed 's/\r$//; s/$/\r/' "$1" | iconv -f UTF-8 -t UTF-16LE; } > "$tmp"
mv "$tmp" "$2"
