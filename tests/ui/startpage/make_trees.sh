#!/usr/bin/env bash
# tests/ui/startpage/make_trees.sh FIXTURE_DIR
# The folders the start page's tests drop and scan: one with duplicates, one without, one
# partly unreadable, a large one that takes long enough to stop, and a plain file.
set -euo pipefail
root=$1/startpage
rm -rf "$root"
mkdir -p "$root"
cd "$root"

# A file of random bytes: rnd PATH BYTES
rnd() {
  mkdir -p "$(dirname "$1")"
  head -c "$2" /dev/urandom > "$1"
}

# Two pairs of copies (a picture and a document) and one file of its own.
rnd dups/holiday.jpg 6000
mkdir -p dups/copy
cp dups/holiday.jpg dups/copy/holiday.jpg
rnd dups/notes.txt 1500
cp dups/notes.txt dups/notes-again.txt
rnd dups/alone.bin 3000

# Three files, no two alike.
rnd nodups/a.jpg 4000
rnd nodups/b.jpg 4000
rnd nodups/c.txt 2500

# No two alike, and a folder the tests refuse to list.
rnd partial/a.jpg 3500
rnd partial/b.txt 1200
rnd partial/locked/c.jpg 3500

# Many files of one size and kind, none alike: every one must be opened to tell them apart.
# The tests read this tree through a slowed-down disk, so that its scan lasts for seconds.
python3 - <<'PY'
import os
for d in range(40):
    folder = os.path.join("large", "d%03d" % d)
    os.makedirs(folder)
    for f in range(100):
        with open(os.path.join(folder, "f%03d.dat" % f), "wb") as out:
            out.write(os.urandom(2048))
PY

printf 'just a file\n' > plain.txt
