#!/usr/bin/env python3
# bench/make_tree.py ROOT [SCALE]
# Makes a large test tree for the duplicate finder (SCALE 1: about 103,000 files): files of
# unique sizes, files of one size with different content, exact copies, large files sharing a
# long prefix, empty files and zero-filled files, spread over three levels of folders.
import os
import random
import sys

root = sys.argv[1]
scale = float(sys.argv[2]) if len(sys.argv) > 2 else 1.0
rng = random.Random(20261210)
exts = ["txt", "jpg", "doc", "mp3", "bin", "dat", "png", "zip"]
counter = 0


def place(ext):
    """A new path, about 100 files a folder, three levels deep."""
    global counter
    counter += 1
    n = counter // 100
    folder = os.path.join(root, "a%02d" % (n % 37), "b%03d" % (n % 211), "c%05d" % n)
    os.makedirs(folder, exist_ok=True)
    return os.path.join(folder, "f%06d.%s" % (counter, ext))


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def n(x):
    return max(1, int(x * scale))


# Unique sizes: no other file has their size; a finder need not open them.
for size in range(1, n(25000) + 1):
    write(place(rng.choice(exts)), rng.randbytes(size))

# One size, different content: ten files a size; their first bytes tell them apart.
for k in range(n(4500)):
    size = 30000 + k
    ext = rng.choice(exts)
    for _ in range(10):
        write(place(ext), rng.randbytes(size))

# Exact copies: 5,000 contents, 2 to 8 copies each, some in large sizes.
for k in range(n(5000)):
    size = rng.choice([40000 + k, 40000 + k, 40000 + k, 200000 + k])
    ext = rng.choice(exts)
    data = rng.randbytes(size)
    for _ in range(rng.randint(2, 8)):
        write(place(ext), data)

# Large files sharing a 7 MiB prefix: one size; pairs of identical ones among them.
prefix = rng.randbytes(7 << 20)
for k in range(n(12)):
    tail = rng.randbytes(1 << 20)
    for copy in range(2 if k % 3 == 0 else 1):
        write(place("iso"), prefix + tail)

# Empty files: never duplicates.
for _ in range(n(5000)):
    write(place(rng.choice(exts)), b"")

# Zero-filled files: ten a size.
for k in range(n(300)):
    size = 1000 + 7 * k
    for _ in range(10):
        write(place("img"), bytes(size))

print(counter)
