#!/usr/bin/env bash
# bench/removal_bench.sh [FILES] [FOLDERS]
# Runs removal_bench under Wine on fresh files in the build folder, with the Wine trash on the
# same file system, then clears both away.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
BUILD_TARGETS="removal_bench" "$here/tools/build" "$build" >/dev/null
work=$build/removal-bench
rm -rf "$work"
mkdir -p "$work/files" "$work/xdg/Trash/files" "$work/xdg/Trash/info"
trap 'rm -rf "$work"' EXIT
export WINE_BUILD_DIR=$build WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all WINEARCH=win32
export XDG_DATA_HOME=$work/xdg
wineserver -p5 </dev/null >/dev/null 2>&1 || true
"$here/tools/wine-run" "$build/program/removal_bench.exe" "Z:$(echo "$work/files" | tr / '\\')" "$@"
