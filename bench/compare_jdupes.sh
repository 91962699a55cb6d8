#!/usr/bin/env bash
# bench/compare_jdupes.sh [TREE_DIR]
# Makes the bench tree (bench/make_tree.py, about 103,000 files; kept when it already exists),
# then, in one run and with a warm cache:
#   - the finder's whole scan (scan_bench) under Wine,
#   - the floor (scan_floor): list, then open, read whole and close every candidate, 4 threads,
#   - jdupes -r natively,
# and prints their wall and user CPU times, the ratios against the floor, the bytes read against
# the duplicates' own bytes, peak memory, and whether scan and jdupes found the same groups.
# Then the same scan on a tree twice as large (scale 2, TREE_DIR-2x) for its peak memory.
# BENCH_SKIP_2X=1 leaves the large tree out. The cost of a system call under Wine drifts within
# minutes on a shared machine, so scan and floor take turns BENCH_ROUNDS times (default 5) and
# the medians are compared, as are the rounds' own ratios. The timed scans do the scan alone; the
# groups compared with jdupes come from one more scan, untimed, that lists them.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/tools/target.sh"
use_runnable_build "$here"
tree=${1:-$root/bench-tree}
BUILD_TARGETS="scan_bench scan_floor" "$here/tools/build" "$target" >/dev/null
echo "timing the $(target_description "$target")"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

make_tree() {  # make_tree DIR SCALE
  if [ ! -f "$1.done" ]; then
    rm -rf "$1"
    echo "making the tree in $1 (scale $2) ..."
    python3 "$here/bench/make_tree.py" "$1" "$2" > "$1.done"
  fi
  # Warm the page cache: every run reads from memory, none from the disk.
  find "$1" -type f -size +0 -print0 | xargs -0 cat > /dev/null
}
make_tree "$tree" 1

wine_env "$target" "$build"
# A wineserver of its own, detached from this output, gone a few seconds after the last program.
"$WINESERVER" -p5 </dev/null >/dev/null 2>&1 || true
"$here/tools/wine-run" "$build/program/scan_bench.exe" --help >/dev/null 2>&1 || true

# timed NAME COMMAND...: wall, user CPU and peak resident memory of the command and its children.
timed() {
  local name=$1
  shift
  /usr/bin/time -f "%e %U %M" -o "$out/$name.time" "$@" > "$out/$name.txt"
}
field() { tr -d '\r' < "$out/$1.txt" | sed -n "s/^$2: *//p" | head -1 | cut -d' ' -f1; }

echo "tree: $tree, $(cat "$tree.done") files; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
rounds=${BENCH_ROUNDS:-5}
for round in $(seq 1 "$rounds"); do
  timed "floor$round" "$here/tools/wine-run" "$build/program/scan_floor.exe" "$tree"
  timed "scan$round" "$here/tools/wine-run" "$build/program/scan_bench.exe" "$tree"
done
timed scan "$here/tools/wine-run" "$build/program/scan_bench.exe" "$tree" --list
cp "$out/floor1.txt" "$out/floor.txt"
timed jdupes jdupes -r -q "$tree"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

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
normalise "$out/scan.txt" bench > "$out/scan.groups"
normalise "$out/jdupes.txt" jdupes > "$out/jdupes.groups"

python3 - "$out" "$(field scan 'bytes read')" "$(field floor 'bytes read')" "$(field scan 'peak memory')" \
  "$(field scan 'files seen')" "$rounds" <<'PY'
import os, statistics, sys
out, scan_bytes, floor_bytes, scan_peak, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4]), int(sys.argv[5])
rounds = int(sys.argv[6])
def measured(name):
    wall, user, rss = open(os.path.join(out, name + ".time")).read().split()[-3:]
    return (float(wall), float(user), int(rss) / 1024.0)
t = {"jdupes": measured("jdupes")}
for name in ("scan", "floor"):
    runs = [measured(name + str(r)) for r in range(1, rounds + 1)]
    print("  %-6s rounds (wall s / user CPU s): %s" % (name, ", ".join("%.2f/%.2f" % r[:2] for r in runs)))
    t[name] = tuple(statistics.median(r[i] for r in runs) for i in range(3))
print("  (medians below)")
dup = sum(os.path.getsize(p) for line in open(os.path.join(out, "jdupes.groups"))
          for p in line.rstrip("\n").split("\t") if p)
print("                 wall s   user CPU s   peak RSS MiB")
for name, label in (("scan", "scan (Wine)"), ("floor", "floor (Wine)"), ("jdupes", "jdupes")):
    print("  %-13s %8.2f   %10.2f   %12.1f" % (label, *t[name]))
print("  scan / floor:   wall %.2f (goal 1.15 or less), user CPU %.2f (goal 2 or less)"
      % (t["scan"][0] / t["floor"][0], t["scan"][1] / max(t["floor"][1], 0.01)))
pairs = [(measured("scan" + str(r)), measured("floor" + str(r))) for r in range(1, rounds + 1)]
print("  each round's scan / floor (wall, user CPU): %s; medians %.2f, %.2f"
      % (", ".join("%.2f/%.2f" % (s[0] / f[0], s[1] / max(f[1], 0.01)) for s, f in pairs),
         statistics.median(s[0] / f[0] for s, f in pairs),
         statistics.median(s[1] / max(f[1], 0.01) for s, f in pairs)))
print("  scan / jdupes:  wall %.2f" % (t["scan"][0] / t["jdupes"][0]))
print("  bytes read: scan %d, floor %d, the duplicates' own bytes %d (scan reads %.3fx them)"
      % (scan_bytes, floor_bytes, dup, scan_bytes / max(dup, 1)))
print("  scan peak working set: %.1f MiB for %d files, %.0f bytes a file above Wine's own 25 MiB"
      % (scan_peak, files, (scan_peak - 25) * 1048576 / max(files, 1)))
PY
tr -d '\r' < "$out/scan.txt" | sed -n '1,/^$/p' | grep -v '^$' | sed 's/^/  scan_bench /'
echo "groups: scan $(wc -l < "$out/scan.groups"), jdupes $(wc -l < "$out/jdupes.groups")"
status=0
if cmp -s "$out/scan.groups" "$out/jdupes.groups"; then
  echo "same groups: yes"
else
  echo "same groups: NO"
  diff "$out/scan.groups" "$out/jdupes.groups" | head -20
  status=1
fi

if [ -z "${BENCH_SKIP_2X:-}" ]; then
  make_tree "$tree-2x" 2
  timed scan2 "$here/tools/wine-run" "$build/program/scan_bench.exe" "$tree-2x"
  python3 - "$(field scan2 'peak memory')" "$(field scan2 'files seen')" "$(cat "$tree-2x.done")" \
    "$(cut -d' ' -f3 "$out/scan2.time")" "$(cut -d' ' -f1 "$out/scan2.time")" <<'PY'
import sys
peak, files, made, rss, wall = float(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), float(sys.argv[5])
print("scale 2 (%d files): scan peak working set %.1f MiB (goal under 80), %.0f bytes a file above 25 MiB; "
      "peak RSS %.1f MiB; wall %.2f s" % (made, peak, (peak - 25) * 1048576 / max(files, 1), rss / 1024.0, wall))
PY
fi
exit $status
