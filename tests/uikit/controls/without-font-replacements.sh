#!/usr/bin/env bash
# tests/uikit/controls/without-font-replacements.sh BUILD PROGRAM [ARGUMENTS...]
# Runs a test program in a prefix that is the build's own less its font replacements, as a
# system without the faces the skin asks for: GDI+ then finds neither "Arial" nor "Microsoft
# Sans Serif" and has no generic sans-serif family. The prefix copies the build prefix's
# registry and shares its drive C; it has a wine server of its own and is removed afterwards.
set -euo pipefail
build=$(cd "$1" && pwd)
program=$2
shift 2
here=$(cd "$(dirname "$0")/../../.." && pwd)
. "$here/tools/target.sh"
wine_env "$(build_target_of "$build")" "$build"
source=$WINEPREFIX
[ -f "$source/.project-ready" ] || { echo "no prepared prefix in $source" >&2; exit 2; }
prefix=$(mktemp -d "$build/prefix-without-fonts.XXXXXX")
cleanup() {
  WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap cleanup EXIT
cp "$source"/system.reg "$source"/userdef.reg "$source"/.update-timestamp "$prefix"/
# The replacements' key and its values end at the next blank line.
awk '/^\[Software\\\\Wine\\\\Fonts\\\\Replacements\]/ { skip = 1 } skip && /^$/ { skip = 0; next } !skip' \
  "$source/user.reg" > "$prefix/user.reg"
if grep -q 'Fonts\\\\Replacements' "$prefix/user.reg"; then
  echo "the font replacements are still in the copied registry" >&2
  exit 2
fi
ln -s "$source/drive_c" "$prefix/drive_c"
mkdir "$prefix/dosdevices"
ln -s ../drive_c "$prefix/dosdevices/c:"
ln -s / "$prefix/dosdevices/z:"
export WINEPREFIX=$prefix
# A server started by the program would hold on to the test runner's output.
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINELOADER" "$program" "$@"
