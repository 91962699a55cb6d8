#!/usr/bin/env bash
# bench/compare_jdupes.sh [TREE_DIR] [SCALE]
# Makes a large tree (bench/make_tree.py; kept when it already exists), then runs the finder's
# scan_bench under Wine and jdupes -r on it, printing both times, their ratio and whether both
# found the same groups (as sets of paths; both leave empty files out).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
tree=${1:-$build/bench-tree}
scale=${2:-1}
BUILD_TARGETS="scan_bench" "$here/tools/build" "$build" >/dev/null
if [ ! -f "$tree.done" ]; then
  rm -rf "$tree"
  echo "making the tree in $tree ..."
  files=$(python3 "$here/bench/make_tree.py" "$tree" "$scale")
  echo "$files" > "$tree.done"
fi
echo "tree: $tree, $(cat "$tree.done") files"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Warm the page cache and the Wine prefix alike for both.
find "$tree" -type f > /dev/null
export WINE_BUILD_DIR=$build WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEARCH=win32
# A wineserver of its own, detached from this output, gone a few seconds after the last program.
wineserver -p5 </dev/null >/dev/null 2>&1 || true
"$here/tools/wine-run" "$build/program/scan_bench.exe" --help >/dev/null 2>&1 || true

t0=$(date +%s.%N)
"$here/tools/wine-run" "$build/program/scan_bench.exe" "$tree" --list > "$out/bench.txt"
t1=$(date +%s.%N)
jdupes -r -q "$tree" > "$out/jdupes.txt"
t2=$(date +%s.%N)

# Groups as sorted lines of sorted Linux paths.
normalise() {
  python3 - "$1" "$2" <<'PY'
import sys
text = open(sys.argv[1], encoding="latin-1").read().replace("\r", "")
if sys.argv[2] == "bench":
    text = text.split("\n\n", 1)[1] if "\n\n" in text else ""
groups = []
for block in text.split("\n\n"):
    paths = [p for p in block.split("\n") if p.strip() and not p.startswith("#")]
    if sys.argv[2] == "bench":
        paths = [p[2:].replace("\\", "/") if p[1:2] == ":" else p for p in paths]
    if len(paths) > 1:
        groups.append("\t".join(sorted(paths)))
print("\n".join(sorted(groups)))
PY
}
normalise "$out/bench.txt" bench > "$out/bench.groups"
normalise "$out/jdupes.txt" jdupes > "$out/jdupes.groups"

tr -d '\r' < "$out/bench.txt" | sed -n '2,/^$/p' | grep -v '^$' | sed 's/^/  bench /'
python3 - "$out/jdupes.groups" <<'PY'
import os, sys
total = sum(os.path.getsize(p) for line in open(sys.argv[1]) for p in line.rstrip("\n").split("\t") if p)
print("  bytes in duplicate files (what a full-content check reads at least): %d" % total)
PY
python3 - "$t0" "$t1" "$t2" <<'PY'
import sys
t0, t1, t2 = map(float, sys.argv[1:])
print("scan_bench under Wine (whole process): %.2f s" % (t1 - t0))
print("jdupes -r:                             %.2f s" % (t2 - t1))
print("ratio bench / jdupes:                  %.2f" % ((t1 - t0) / (t2 - t1)))
PY
echo "groups: bench $(wc -l < "$out/bench.groups"), jdupes $(wc -l < "$out/jdupes.groups")"
if cmp -s "$out/bench.groups" "$out/jdupes.groups"; then
  echo "same groups: yes"
else
  echo "same groups: NO"
  diff "$out/bench.groups" "$out/jdupes.groups" | head -20
  exit 1
fi
