#!/bin/bash
# tests/engine/image/make_image_fixtures.sh
# Split disk images of a FAT volume made by mkfs.fat and mtools, written in each compression by
# an independent writer (python3's bz2, zlib and lzma), plus damaged copies.
set -e
out="$1/image/img.dir"   # a dot in a folder name must not change the part names
rm -rf "$1/image" && mkdir -p "$out"
cd "$out"
truncate -s 2M volume.raw   # 4096 sectors: 16 chunks
mkfs.fat -F 12 -n IMGTEST volume.raw >/dev/null
/usr/bin/python3 -c "import random; random.seed(7); open('data.bin','wb').write(bytes(random.getrandbits(8) for _ in range(300000)))"
mcopy -i volume.raw data.bin ::DATA.BIN
rm data.bin
/usr/bin/python3 - <<'PY'
import bz2, lzma, os, struct, zlib

raw = open('volume.raw', 'rb').read()
CHUNK = 256 * 512

def lzma_chunk(data):
    lc, lp, pb, dict_size = 3, 0, 2, 1 << 20
    filters = [{'id': lzma.FILTER_LZMA1, 'dict_size': dict_size, 'lc': lc, 'lp': lp, 'pb': pb}]
    return bytes([(pb * 5 + lp) * 9 + lc]) + struct.pack('<I', dict_size) + \
        lzma.compress(data, format=lzma.FORMAT_RAW, filters=filters)

PACK = {0: lambda d: d, 1: bz2.compress, 2: zlib.compress, 3: lzma_chunk}

def write_image(path, compression, parts, stem=None):
    chunks = [raw[i:i + CHUNK] for i in range(0, len(raw), CHUNK)]
    assert sum(parts) == len(chunks)
    stored = [PACK[compression](c) for c in chunks]
    base = path[:path.rfind('.') + 1] if '.' in path else path + '.'
    header = bytearray(512)
    header[0:len(b'Test image')] = b'Test image'
    struct.pack_into('<IIIII', header, 256, 512, compression, 1234, len(parts), len(chunks))
    for i, n in enumerate(parts):
        struct.pack_into('<I', header, 276 + 4 * i, n)
    index = bytearray()
    names = []
    k = 0
    for p, n in enumerate(parts):
        name = base + 'part%d.edf' % p
        names.append(name)
        end = 0
        with open(name, 'wb') as f:
            f.write(bytes(512))
            for _ in range(n):
                f.write(stored[k])
                end += len(stored[k])
                index += struct.pack('<I', end)
                k += 1
    open(path, 'wb').write(bytes(header) + bytes(index))
    open(base + 'edp', 'wb').write(b''.join(n.encode() + b'\r\n' for n in names))

for c, name in [(0, 'stored.img'), (1, 'bzip2.img'), (2, 'zlib.img'), (3, 'lzma.img')]:
    write_image(name, c, [10, 6])
write_image('plain', 2, [16])           # no extension: plain.part0.edf, plain.edp

write_image('corrupt.img', 2, [10, 6])  # chunk 3's stream damaged in the middle
index = open('corrupt.img', 'rb').read()
start3, end3 = struct.unpack_from('<II', index, 512 + 4 * 2)
with open('corrupt.part0.edf', 'r+b') as f:
    f.seek(512 + (start3 + end3) // 2)
    f.write(b'\xff' * 16)

write_image('firstbad.img', 2, [10, 6])  # chunk 0, the partition table's, damaged
with open('firstbad.part0.edf', 'r+b') as f:
    f.seek(512 + 40)
    f.write(b'\xff' * 16)

write_image('missing.img', 1, [10, 6])
os.remove('missing.part1.edf')

write_image('nolist.img', 2, [10, 6])   # the part list is gone, the parts are there
os.remove('nolist.edp')

write_image('short.img', 3, [10, 6])    # the last chunk is cut off
size = os.path.getsize('short.part1.edf')
os.truncate('short.part1.edf', size - 100)

write_image('badindex.img', 2, [10, 6])  # chunk 5 claims far more than a chunk
with open('badindex.img', 'r+b') as f:
    f.seek(512 + 4 * 5)
    f.write(struct.pack('<I', 0x7FFFFFF0))

write_image('badparts.img', 2, [10, 6])  # more parts than the header has room for
with open('badparts.img', 'r+b') as f:
    f.seek(268)
    f.write(struct.pack('<I', 200))

write_image('longline.img', 0, [16])     # a part-list line longer than any name
open('longline.edp', 'wb').write(b'x' * 300 + b'longline.part0.edf\r\n')

write_image('sector1000.img', 0, [16])   # an invalid sector size reads as 512
with open('sector1000.img', 'r+b') as f:
    f.seek(256)
    f.write(struct.pack('<I', 1000))
PY
# A raw disk whose first sector parses as a header by chance: part count 1, one chunk.
cp volume.raw lookalike.raw
printf '\x01\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00' | dd of=lookalike.raw bs=1 seek=268 conv=notrunc status=none
