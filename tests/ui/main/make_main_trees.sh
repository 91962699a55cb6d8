#!/usr/bin/env bash
# tests/ui/main/make_main_trees.sh FIXTURE_DIR
# The folders the main dialog's scan tests drop: copies whose last-write times and path
# lengths disagree on which to keep, and many pairs of copies that a slowed-down disk turns
# into a scan of seconds.
set -euo pipefail
root=$1/main
rm -rf "$root"
mkdir -p "$root"
cd "$root"

# copies SOURCE_BYTES "TIME" PATH ["TIME" PATH]...: one random content under every path, each
# with its own last-write time.
copies() {
  local bytes=$1
  shift
  local content
  content=$(mktemp)
  head -c "$bytes" /dev/urandom > "$content"
  while [ $# -gt 0 ]; do
    mkdir -p "$(dirname "$2")"
    cp "$content" "$2"
    touch -d "$1" "$2"
    shift 2
  done
  rm -f "$content"
}

# The oldest copy has the longest path, or comes last in path order; where times tie, the
# shorter path is kept, then the first in path order.
copies 5000 "2021-03-01 10:00" keeporder/report.txt \
            "2015-06-01 10:00" "keeporder/archive/old/report (copy).txt" \
            "2019-01-01 10:00" keeporder/b/report.txt
copies 7000 "2020-05-05 12:00" keeporder/a.jpg \
            "2022-01-01 12:00" keeporder/b.jpg \
            "2018-02-02 12:00" keeporder/zz/backup/photo.jpg
copies 3000 "2019-09-09 09:00" keeporder/tie/a-much-longer-name.dat \
            "2019-09-09 09:00" keeporder/tie/zz.dat
copies 2500 "2017-07-07 07:00" keeporder/same/b1.bin \
            "2017-07-07 07:00" keeporder/same/a1.bin
head -c 4000 /dev/urandom > keeporder/alone.txt

# Eighty pairs of copies, each pair of its own size: eighty comparisons, one after another
# finished, so that a stop lands between them.
python3 - <<'PY'
import os, shutil
for p in range(80):
    folder = os.path.join("manypairs", "d%02d" % (p // 10))
    os.makedirs(os.path.join(folder, "copy"), exist_ok=True)
    name = "f%02d.dat" % p
    with open(os.path.join(folder, name), "wb") as out:
        out.write(os.urandom(3000 + 11 * p))
    shutil.copyfile(os.path.join(folder, name), os.path.join(folder, "copy", name))
PY
