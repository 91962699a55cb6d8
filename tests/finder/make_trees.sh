#!/usr/bin/env bash
# tests/finder/make_trees.sh FIXTURE_DIR
# Makes the folder trees the finder's tests walk, and beside each tree "<tree>.find": the
# non-empty regular files that find lists in it, which the walk must record exactly once each.
set -euo pipefail
# --unmount FIXTURE_DIR: only takes away the file systems mounted inside the trees.
unmount_only=0
if [ "${1:-}" = --unmount ]; then unmount_only=1; shift; fi
root=$1/finder
# Mounted file systems inside the trees go first, or the trees cannot be removed.
if [ -d "$root" ]; then
  awk -v r="$root/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r | while read -r m; do umount "$m"; done
fi
[ "$unmount_only" = 0 ] || exit 0
rm -rf "$root"
mkdir -p "$root"
cd "$root"

# A file of n bytes of seeded pseudo-random content (never the same for two seeds).
rnd() {  # rnd PATH BYTES SEED
  mkdir -p "$(dirname "$1")"
  python3 -c 'import random,sys; r=random.Random(int(sys.argv[2])); sys.stdout.buffer.write(bytes(r.getrandbits(8) for _ in range(int(sys.argv[1]))))' "$2" "$3" > "$1"
}
small() {  # small PATH TEXT
  mkdir -p "$(dirname "$1")"
  printf '%s' "$2" > "$1"
}

# Trees with 0, 1, 3, 4 and 40 top-level folders; each folder holds a few files and a nested one.
for n in 0 1 3 4 40; do
  t=top$n
  mkdir -p "$t"
  small "$t/root-a.txt" "root file of $t"
  small "$t/root-b.dat" "another root file of $t"
  : > "$t/empty-root.txt"
  for i in $(seq 1 "$n"); do
    small "$t/d$i/f1.txt" "file one in $i"
    small "$t/d$i/f2.bin" "file two in folder $i"
    : > "$t/d$i/empty.txt"
    small "$t/d$i/inner/deep.txt" "deep file $i"
  done
done

# Deep and wide: two top folders, each with 30 sub-folders (more than a walker keeps to itself,
# so the shared queue is used), each 4 levels deep.
t=wide
for top in A B; do
  for i in $(seq 1 30); do
    d="$t/$top/s$i"
    for level in 1 2 3 4; do
      d="$d/l$level"
      small "$d/f.txt" "$top $i $level"
    done
    small "$t/$top/s$i/x.log" "log $top $i"
  done
done
small "$t/top.txt" "top"

# A folder that links back to its parent: a loop that is never followed.
t=loop
small "$t/real/a.txt" "real a"
small "$t/real/sub/b.txt" "real b"
ln -s .. "$t/real/sub/back"

# Hidden files: dot-files are hidden under Wine.
t=hidden
small "$t/seen.txt" "seen"
small "$t/.secret.txt" "hidden"
small "$t/sub/.also-hidden.jpg" "hidden picture"
small "$t/.hdir/inside.txt" "inside hidden folder"

for t in top0 top1 top3 top4 top40 wide loop hidden; do
  find "$t" -type f -size +0c | sed "s|^|$root/|" | LC_ALL=C sort > "$t.find"
done

# Contents for grouping.
t=content
rnd "$t/ident/one.txt" 5000 1
cp "$t/ident/one.txt" "$t/ident/two.txt"
mkdir -p "$t/ident/sub" && cp "$t/ident/one.txt" "$t/ident/sub/three.txt"
# The same file again through a symbolic link (Wine lists it as a plain file) and a hard link:
# neither is a copy, so neither may join the group.
mkdir -p "$t/links"
ln -s ../ident/one.txt "$t/links/link-to-one.txt"
ln "$t/ident/two.txt" "$t/links/hard-two.txt"
# Same size, differing at byte 250000 only: past the head, before the tail.
rnd "$t/late/base.bin" 300000 2
cp "$t/late/base.bin" "$t/late/other.bin"
printf '\x5a' | dd of="$t/late/other.bin" bs=1 seek=250000 conv=notrunc status=none
cmp -s "$t/late/base.bin" "$t/late/other.bin" && printf '\xa5' | dd of="$t/late/other.bin" bs=1 seek=250000 conv=notrunc status=none
# Over 2 MiB, differing in the last byte only.
rnd "$t/big/first.bin" 3145728 3
cp "$t/big/first.bin" "$t/big/second.bin"
last=$(( 3145728 - 1 ))
b=$(od -An -tu1 -j "$last" -N1 "$t/big/first.bin" | tr -d ' ')
printf "\\x$(printf %02x $(( (b + 1) % 256 )))" | dd of="$t/big/second.bin" bs=1 seek="$last" conv=notrunc status=none
# Two sizes of the same repeated byte: two groups, never one.
mkdir -p "$t/samesig"
head -c 1000 /dev/zero | tr '\0' 'a' > "$t/samesig/a1000.txt"
cp "$t/samesig/a1000.txt" "$t/samesig/b1000.txt"
head -c 1001 /dev/zero | tr '\0' 'a' > "$t/samesig/a1001.txt"
cp "$t/samesig/a1001.txt" "$t/samesig/b1001.txt"
# Zero-filled copies group; empty files never do.
mkdir -p "$t/zeros"
head -c 4096 /dev/zero > "$t/zeros/z1.bin"
head -c 4096 /dev/zero > "$t/zeros/z2.bin"
: > "$t/zeros/e1.bin"
: > "$t/zeros/e2.bin"
# A unique file.
small "$t/unique.txt" "nothing like it"

# Names the ANSI code page cannot hold. A Cyrillic pair of copies; and a file whose name the
# code page turns, by best fit, into that of its neighbour a.txt (same size, other content),
# which has a true copy in b.txt.
t=names
small "$t/дубль1.txt" "same content of the cyrillic pair"
small "$t/дубль2.txt" "same content of the cyrillic pair"
small "$t/a.txt" "content of the plain a"
small "$t/ā.txt" "content of a with a bar"
small "$t/b.txt" "content of a with a bar"
small "$t/café1.txt" "the code page holds this name"
small "$t/café2.txt" "the code page holds this name"

# A name reached by its short name ("....JPE") whose long name's extension is "jpeg", and its
# copy under a plain name.
t=longext
small "$t/фото.jpeg" "the same picture bytes"
small "$t/photo.jpeg" "the same picture bytes"

# Names ending in a dot or a space, which Windows paths drop: "a." would be read as its
# neighbour "a", and "..." not at all.
t=trailing
small "$t/a/h.txt" "the plain a holds this"
small "$t/a./x.txt" "a pair inside a dot"
small "$t/a./y.txt" "a pair inside a dot"
small "$t/.../z1.txt" "a pair inside dots"
small "$t/.../z2.txt" "a pair inside dots"
small "$t/b /w1.txt" "a pair inside a space"
small "$t/b /w2.txt" "a pair inside a space"

# Names that Windows paths take for a device, beside ordinary copies of their bytes: they are
# never opened (by such a path the port or the console would be), and folders of such names
# are searched like any other.
t=devices
small "$t/ordinary1.txt" "an ordinary pair"
small "$t/ordinary2.txt" "an ordinary pair"
small "$t/con.txt" "an ordinary pair"
for n in aux lpt1 nul plain; do small "$t/$n" "the same bytes under four names"; done
small "$t/com1.bin" "a binary pair"
small "$t/copy.bin" "a binary pair"
small "$t/AUX.log" "a log pair"
small "$t/copy.log" "a log pair"
small "$t/folders/aux/inside1.txt" "a pair in a folder named aux"
small "$t/folders/aux/inside2.txt" "a pair in a folder named aux"
small "$t/folders/nul.txt/x.dat" "a pair in a folder named nul.txt"
small "$t/folders/nul.txt/y.dat" "a pair in a folder named nul.txt"

# Another file system mounted inside the folder, holding a copy of a file outside it; beside it
# a link back into the tree and a link to the mount, which are never followed. Where mounting
# is not permitted, "mounted.no-mount" says why.
t=mounted
small "$t/outside.txt" "the same bytes inside and outside the mount"
mkdir -p "$t/mnt"
if mount -t tmpfs -o size=1m finder-fixture "$t/mnt" 2> "$t.no-mount"; then
  rm -f "$t.no-mount"
  small "$t/mnt/sub/inside.txt" "the same bytes inside and outside the mount"
fi
ln -s .. "$t/back"
ln -s mnt "$t/mnt-link"

# A pair of copies below a path longer than the ANSI functions take.
t=longpath
d="$t"
for i in $(seq 1 12); do d="$d/a-folder-name-of-some-length-$i"; done
small "$d/copy1.txt" "deep copy"
small "$d/copy2.txt" "deep copy"

# An empty drive root: it lists no "." or "..", so the listing finds nothing at all. Drive Q:
# of the build's own Wine prefix stands for it.
mkdir -p "$root/emptyroot"
if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/dosdevices" ]; then
  ln -sfn "$root/emptyroot" "$WINEPREFIX/dosdevices/q:"
fi

# Pictures: one source, a near-copy (resized, recompressed) and an unrelated one.
t=pictures
mkdir -p "$t"
/usr/bin/convert -size 256x256 -seed 7 plasma:fractal "$t/scene.png"
/usr/bin/convert "$t/scene.png" -resize 200x200 -quality 70 "$t/scene-small.jpg"
/usr/bin/convert -size 256x256 -seed 99 plasma:red-blue -swirl 180 "$t/other.png"

# A look-alike group with an exact copy inside: the original, its copy (newer) and a smaller
# re-encode (the oldest, but with the fewest pixels).
t=picturecopies
mkdir -p "$t"
cp pictures/scene.png "$t/scene.png"
cp pictures/scene.png "$t/scene-copy.png"
cp pictures/scene-small.jpg "$t/scene-small.jpg"
touch -d "2020-01-01 00:00:00" "$t/scene.png"
touch -d "2021-01-01 00:00:00" "$t/scene-copy.png"
touch -d "2019-01-01 00:00:00" "$t/scene-small.jpg"

# One picture met three times (itself, a symbolic link, a hard link), a real copy of it and an
# unrelated one. The content's first byte is what the tests' stand-in picture hash looks at.
t=picturelinks
small "$t/a.png" "A picture that stands here once"
ln -s a.png "$t/link-a.png"
ln "$t/a.png" "$t/hard-a.png"
cp "$t/a.png" "$t/copy-a.png"
small "$t/b.png" "B picture of another kind"
