#!/usr/bin/env bash
# bench/removal_bench.sh [FILES] [FOLDERS]
# Runs removal_bench under Wine on fresh files in the build folder, with the Wine trash on the
# same file system, then clears both away.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/tools/target.sh"
use_runnable_build "$here"
BUILD_TARGETS="removal_bench" "$here/tools/build" "$target" >/dev/null
echo "timing the $(target_description "$target")"
work=$build/removal-bench
rm -rf "$work"
mkdir -p "$work/files" "$work/xdg/Trash/files" "$work/xdg/Trash/info"
trap 'rm -rf "$work"' EXIT
prefix=${WINEPREFIX:-}
wine_env "$target" "$build"
[ -z "$prefix" ] || export WINEPREFIX=$prefix
export XDG_DATA_HOME=$work/xdg
"$WINESERVER" -p5 </dev/null >/dev/null 2>&1 || true
"$here/tools/wine-run" "$build/program/removal_bench.exe" "Z:$(echo "$work/files" | tr / '\\')" "$@"
