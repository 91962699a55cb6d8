#!/bin/bash
# tests/appperiphery/make-fixtures.sh
# JPEG pictures wrapped in other bytes, for the embedded-picture loader.
set -e
out="$1/appperiphery"
mkdir -p "$out"
/usr/bin/convert -size 24x16 xc:'#3366cc' "$out/plain.jpg"
# A picture behind a 100-byte header and before a trailer, as container files hold them.
{ head -c 100 /dev/zero; cat "$out/plain.jpg"; printf 'TRAILER'; } > "$out/wrapped.bin"
# A picture that starts beyond the scan limit of 262144 bytes.
{ head -c 300000 /dev/zero; cat "$out/plain.jpg"; } > "$out/far.bin"
# A start marker with no end: a file cut short.
head -c 200 "$out/plain.jpg" > "$out/cut.bin"
