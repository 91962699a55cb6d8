#!/usr/bin/env python3
# tests/fuzz/make_seeds.py
# Seed inputs for the fuzz targets, cut from images that the real tools make (mkfs.fat,
# mkfs.exfat, mkntfs, sfdisk, sgdisk), kept small so the fuzzers mutate what the parsers read.
#   make_seeds.py OUT_DIR      -> OUT_DIR/<target>/<seed>
#   make_seeds.py --regression NAME FILE   -> the input kept as regressions/ldm/NAME
import bz2
import lzma
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "engine", "ldm"))
import make_ldm_fixtures as ldm  # noqa: E402

KIB = 1024
os.environ["LC_ALL"] = "C.UTF-8"


def run(*args, stdin=None):
    subprocess.run(args, check=True, capture_output=True, input=stdin)


def image(tmp, name, size):
    path = os.path.join(tmp, name)
    with open(path, "wb") as f:
        f.truncate(size)
    return path


def head(path, size):
    with open(path, "rb") as f:
        return f.read(size)


def save(out, target, name, data):
    folder = os.path.join(out, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def disks_input(disks, sector_sizes):
    """Several disks as one input, as tests/fuzz/FuzzInput.h's DisksOf reads it."""
    flags = len(disks) - 1
    for n, size in enumerate(sector_sizes):
        if size == 4096:
            flags |= 0x10 << n
    sizes = b"".join(len(d).to_bytes(3, "little") for d in disks[:-1])
    return bytes([flags]) + sizes + b"".join(bytes(d) for d in disks)


def split_image_input(raw, compression, parts):
    """A split image (header file, then its part files) as fuzz_split_image reads it, written
    from the published layout: 256-sector chunks, each part file 512 reserved bytes and then
    its stored chunks; the header's index holds each chunk's end within its part."""
    pack = {0: lambda d: d, 1: bz2.compress, 2: zlib.compress,
            3: lambda d: bytes([93]) + struct.pack("<I", 1 << 20) + lzma.compress(
                d, format=lzma.FORMAT_RAW,
                filters=[{"id": lzma.FILTER_LZMA1, "dict_size": 1 << 20, "lc": 3, "lp": 0, "pb": 2}])}
    chunk_bytes = 256 * 512
    chunks = [raw[i:i + chunk_bytes] for i in range(0, len(raw), chunk_bytes)]
    assert sum(parts) == len(chunks)
    header = bytearray(512)
    header[0:10] = b"fuzz image"
    struct.pack_into("<IIIII", header, 256, 512, compression, 7, len(parts), len(chunks))
    for i, n in enumerate(parts):
        struct.pack_into("<I", header, 276 + 4 * i, n)
    index, files, k = bytearray(), [], 0
    for n in parts:
        part, end = bytearray(512), 0
        for _ in range(n):
            stored = pack[compression](chunks[k])
            part += stored
            end += len(stored)
            index += struct.pack("<I", end)
            k += 1
        files.append(bytes(part))
    return disks_input([bytes(header) + bytes(index)] + files, [512] * (1 + len(files)))


def ldm_groups():
    """Small disk groups written from the documented LDM layout: every layout over two disks,
    RAID-5 and striping over three, and a pair of 512 and 4096 bytes a sector."""
    two = ldm.DiskGroup([512, 512], 192)
    two.volume(b"Simple", "gen", [[(0, 0, 16)]])
    two.volume(b"Spanned", "gen", [[(0, 16, 16), (1, 0, 16)]])
    two.volume(b"Striped", "striped", [[(0, 32, 16), (1, 16, 16)]])
    two.volume(b"Mirror", "gen", [[(0, 48, 16)], [(1, 32, 16)]])
    three = ldm.DiskGroup([512, 512, 512], 192)
    three.volume(b"Raid5", "raid5", [[(0, 0, 32), (1, 0, 32), (2, 0, 32)]])
    three.volume(b"Striped3", "striped", [[(0, 32, 16), (1, 32, 16), (2, 32, 16)]])
    mixed = ldm.DiskGroup([512, 4096], 192)
    mixed.volume(b"OnSmall", "gen", [[(0, 0, 16)]])
    mixed.volume(b"OnLarge", "gen", [[(1, 0, 16)]])
    mixed.volume(b"Across", "gen", [[(0, 16, 16), (1, 16, 16)]])
    return {"two-disks": two, "three-disks": three, "512-and-4096": mixed}


def repeated_ids(count):
    """One disk whose database repeats one id for each kind of record, count times over."""
    group = ldm.DiskGroup([512], count + 192, config_units=count + 64)
    blocks = group.vblks
    for _ in range(count):
        blocks.add(0x51, 0, ldm.volume_record(100, b"Volume", 8, 1, bytes(16)))
        blocks.add(0x32, 0, ldm.component_record(101, b"Volume-01", 2, 1, 100))
        blocks.add(0x33, 0, ldm.partition_record(102, b"Disk1-01", 0, 0, 8, 101, group.disk_records[0]))
        blocks.add(0x34, 0, ldm.var_num(group.disk_records[0]) + ldm.var_str(b"Disk1") +
                   ldm.var_str(group.disk_ids[0]) + ldm.var_str(b""))
    return disks_input(group.disks(), [512])


def mixed_sector_sizes():
    """A volume spanned over disks of 512 and 4096 bytes a sector (the database read from the
    4096-byte one), its first member, on the 512-byte disk, shorter than the reads at its start."""
    group = ldm.DiskGroup([4096, 512], 192)
    group.volume(b"Across", "gen", [[(1, 0, 32), (0, 0, 64)]])
    return disks_input(group.disks(), group.sector_sizes)


REGRESSIONS = {"repeated-ids": lambda: repeated_ids(400), "mixed-sector-sizes": mixed_sector_sizes}


def main():
    out = sys.argv[1]
    shutil.rmtree(out, ignore_errors=True)
    tmp = tempfile.mkdtemp()
    try:
        # FAT: a 360 KiB floppy, a small FAT16 and a small FAT32 (cut after their root folders).
        p = os.path.join(tmp, "floppy.img")
        run("mkfs.fat", "-C", "-n", "FLOPPY", p, "360")
        save(out, "fat", "floppy360", head(p, 368640))
        p = image(tmp, "fat16.img", 4 * 1024 * KIB)
        run("mkfs.fat", "-F", "16", "-s", "1", "-n", "SIXTEEN", p)
        save(out, "fat", "fat16", head(p, 128 * KIB))
        p = image(tmp, "fat32.img", 34 * 1024 * KIB)
        run("mkfs.fat", "-F", "32", "-s", "1", "-n", "THIRTYTWO", p)
        fat32 = head(p, 640 * KIB)
        save(out, "fat", "fat32", fat32)

        # exFAT with a small alignment, so its root folder lies in the first 64 KiB.
        p = image(tmp, "exfat.img", 4 * 1024 * KIB)
        run("mkfs.exfat", "-b", "16K", "-c", "4K", "-L", "EXLABEL", p)
        exfat = head(p, 64 * KIB)
        save(out, "exfat", "exfat", exfat)

        # NTFS: the boot sector, the MFT's first records and the runs of its data attributes.
        p = image(tmp, "ntfs.img", 4 * 1024 * KIB)
        run("mkntfs", "-q", "-F", "-f", "-L", "NtfsLabel", p)
        ntfs = head(p, 128 * KIB)
        save(out, "ntfs_volume", "ntfs", ntfs)
        spc = ntfs[13]
        mft = struct.unpack_from("<Q", ntfs, 48)[0] * spc * 512
        for n in range(12):
            record = ntfs[mft + n * 1024: mft + (n + 1) * 1024]
            save(out, "ntfs_record", "record%02d" % n, record)
            offset = struct.unpack_from("<H", record, 20)[0]
            while offset + 16 <= len(record):
                kind, length = struct.unpack_from("<II", record, offset)
                if kind == 0xFFFFFFFF or length == 0 or offset + length > len(record):
                    break
                if kind == 0x80 and record[offset + 8]:  # non-resident data: its runs
                    runs = struct.unpack_from("<H", record, offset + 32)[0]
                    save(out, "ntfs_runs", "record%02d" % n, record[offset + runs: offset + length])
                offset += length

        # Partition tables: MBR with an EBR chain, GPT, a hybrid MBR; the first byte picks
        # 512-byte sectors. File systems in the first partitions so the probes find them.
        p = image(tmp, "dos.img", 2 * 1024 * KIB)
        layout = "label: dos\n{0}1: start=63, size=400, type=6\n{0}2: start=500, size=3000, type=5\n" \
                 "{0}5: size=300, type=7\n{0}6: size=300, type=83\n{0}7: size=300, type=c\n".format(p)
        run("sfdisk", "--quiet", p, stdin=layout.encode())
        with open(p, "r+b") as f:
            f.seek(63 * 512)
            f.write(head(os.path.join(tmp, "floppy.img"), 200 * 512))
        save(out, "partitions", "dos", b"\0" + head(p, 256 * KIB))
        p = image(tmp, "gpt.img", 2 * 1024 * KIB)
        run("sgdisk", "--clear", "-a", "1", "-n", "1:40:+100K", "-t", "1:0700", "-n", "2:0:+200K", "-t", "2:8300",
            "-n", "3:0:+100K", "-t", "3:ef00", p)
        gpt_disk = head(p, 64 * KIB)
        save(out, "partitions", "gpt", b"\0" + gpt_disk)
        run("sgdisk", "-h", "1:EE", p)
        save(out, "partitions", "hybrid", b"\0" + head(p, 64 * KIB))

        # LDM: small disk groups with their databases, a GPT dynamic disk's partitions and an MBR
        # dynamic disk (type 0x42). The partition walk and the collection get one disk of each
        # group.
        for name, group in ldm_groups().items():
            disks = group.disks()
            save(out, "ldm", name, disks_input(disks, group.sector_sizes))
            save(out, "disk_report", name, disks_input(disks, group.sector_sizes))
            save(out, "partitions", "ldm-" + name, (b"\1" if group.sector_sizes[-1] == 4096 else b"\0") + disks[-1])
        p = image(tmp, "ldm.img", 4 * 1024 * KIB)
        run("sgdisk", "--clear", "-a", "1", "-n", "1:34:2081", "-t", "1:4201", "-c", "1:LDM metadata partition",
            "-n", "2:2082:0", "-t", "2:4200", "-c", "2:LDM data partition", p)
        gpt = head(p, 64 * KIB)
        save(out, "ldm", "gpt-dynamic", disks_input([gpt, gpt], [512, 512]))
        p = image(tmp, "mbr42.img", 1024 * KIB)
        run("sfdisk", "--quiet", p, stdin=b"label: dos\nstart=63, size=1900, type=42\n")
        mbr = head(p, 32 * KIB)
        save(out, "ldm", "mbr-dynamic", disks_input([mbr, mbr], [512, 512]))

        # FAT tables as mkfs.fat writes them (byte 0: 0 FAT16, 1 FAT32, 512-byte sectors).
        for name, width, data in (("fat16", 0, head(os.path.join(tmp, "fat16.img"), 128 * KIB)), ("fat32", 1, fat32)):
            reserved = struct.unpack_from("<H", data, 14)[0]
            length = struct.unpack_from("<H", data, 22)[0] or struct.unpack_from("<I", data, 36)[0]
            save(out, "fat_table", name, bytes([width]) + data[reserved * 512:(reserved + length) * 512])
        # The exFAT volume's sectors for the raw scanner (byte 0: 512-byte sectors, shift 12).
        save(out, "exfat_scanner", "exfat", bytes([12 << 2]) + exfat)

        # The volume layouts over their member disks (fuzz_dynamic_volumes.cpp): layout and
        # members, the volume's size, members (disk, start, offset / 4, length), reads.
        def volume(layout, size, members, reads):
            data = bytes([layout | (len(members) - 1) << 5]) + size.to_bytes(2, "little")
            for disk, start, offset, length in members:
                data += bytes([disk, start, offset // 4, length])
            for first, count in reads:
                data += first.to_bytes(2, "little") + bytes([count])
            return data
        reads = [(0, 8), (60, 10), (127, 1)]
        save(out, "dynamic_volumes", "simple", volume(0, 128, [(0, 10, 0, 128)], reads))
        save(out, "dynamic_volumes", "spanned", volume(1, 192, [(0, 0, 0, 64), (1, 0, 64, 128)], reads))
        save(out, "dynamic_volumes", "striped", volume(2, 200, [(0, 0, 0, 100), (3, 0, 0, 100)], reads))
        save(out, "dynamic_volumes", "raid5", volume(3, 200, [(0, 0, 0, 100), (1, 0, 0, 100), (3, 0, 0, 100)], reads))
        save(out, "dynamic_volumes", "mirror", volume(4, 100, [(0, 0, 0, 100), (1, 5, 0, 100)], reads))
        save(out, "dynamic_volumes", "mixed-sizes", volume(1, 100, [(0, 0, 0, 50), (2, 0, 48, 50)], reads))

        # A partition entry of a dynamic volume on two disks and an image entry, as the keyed
        # record stream carries them.
        entry = bytearray(1277)
        struct.pack_into("<IIII", entry, 0, 0, 0, 1, 3)
        entry[16] = ord("E")
        entry[17:17 + 8] = b"VOLUME 1"
        struct.pack_into("<QQI", entry, 125, 2048, 4096, 1)
        struct.pack_into("<QQI", entry, 145, 63, 8192, 1)
        text = b"disk 1\ndisk 2"
        entry[765:765 + len(text)] = text
        save(out, "record_stream", "dynamic", bytes(entry))
        image_entry = bytearray(entry)
        struct.pack_into("<I", image_entry, 0, 1)
        path = b"C:\\images\\a.img"
        image_entry[280:280 + len(path)] = path
        save(out, "record_stream", "image", bytes(image_entry))

        # The file tree: nodes and a root made, linked, cloned, given objects, asked, deleted.
        ops = [(0 | 0 << 3, 0), (1 | 1 << 3, 0), (0 | 2 << 3, 0), (3 | 1 << 3, 0), (3 | 0 << 3, 2),
               (6 | 2 << 3, 0x10), (2 | 3 << 3, 2), (3 | 1 << 3, 3), (7 | 2 << 3, 1), (3 | 2 << 3, 1),
               (4 | 0 << 3, 2), (5 | 0 << 3, 0), (7 | 3 << 3, 1)]
        save(out, "file_tree", "tree", bytes(b for op in ops for b in op))

        # Split images: a header of two parts with its part list, and chunks of real sectors
        # compressed the three ways (the first byte picks bzip2, zlib or LZMA).
        header = bytearray(512)
        header[0:9] = b"disk copy"
        struct.pack_into("<IIIIIII", header, 256, 512, 3, 0, 2, 5, 3, 2)
        index = struct.pack("<5I", 1000, 2000, 3000, 900, 1900)
        save(out, "image_header", "two-parts", bytes(header) + index + b"disk.part0.edf\r\ndisk.part1.edf\r\n")
        chunk = fat32[:256 * 512]
        save(out, "image_chunk", "bzip2", b"\0" + bz2.compress(chunk))
        save(out, "image_chunk", "zlib", b"\1" + zlib.compress(chunk))
        alone = lzma.compress(chunk, format=lzma.FORMAT_ALONE)
        save(out, "image_chunk", "lzma", b"\2" + alone[:5] + alone[13:])  # no size field
        # Whole split images of the FAT32 volume's first sectors, read through their files.
        save(out, "split_image", "zlib-two-parts", split_image_input(fat32[:3 * 256 * 512], 2, [2, 1]))
        save(out, "split_image", "bzip2-three-parts", split_image_input(fat32[:3 * 256 * 512], 1, [1, 1, 1]))
        save(out, "split_image", "lzma-one-part", split_image_input(fat32[:2 * 256 * 512], 3, [2]))
        save(out, "split_image", "stored-two-parts", split_image_input(fat32[:2 * 256 * 512], 0, [1, 1]))

        # Raw image files: an MBR disk with a FAT16 partition made in place, and the GPT disk.
        # Their byte 0 (boot code, 0) names 512-byte sectors. The report gets the MBR disk too.
        p = image(tmp, "rawdos.img", 8 * 1024 * KIB)
        run("sfdisk", "--quiet", p, stdin=b"label: dos\nstart=64, size=8192, type=6\n")
        run("mkfs.fat", "-F", "16", "-s", "1", "-n", "RAWDOS", "--offset=64", p, "4096")
        save(out, "raw_image", "dos-fat16", head(p, 256 * KIB))
        save(out, "disk_report", "dos-fat16", disks_input([head(p, 256 * KIB)], [512]))
        save(out, "raw_image", "gpt", gpt_disk)

        # The system's answers as the documented structures lay them out: a storage descriptor
        # (version, size, device type bytes, the four text offsets, bus type 11 SATA, no raw
        # properties) with its texts, and a volume's disk extents (count, padding, then disk
        # number, padding, starting offset and length in bytes).
        texts = b"ATA     \0QEMU HARDDISK   \0" + b"2.5+\0" + b"  QM00001   \0"
        descriptor = struct.pack("<II4BIIIIII", 1, 40 + len(texts), 0, 0, 0, 1, 40, 49, 66, 71, 11, 0) + bytes(4)
        save(out, "system_answers", "descriptor", descriptor + texts)
        extents = struct.pack("<II", 2, 0) + struct.pack("<IIqq", 0, 0, 1 << 20, 100 << 20) + \
            struct.pack("<IIqq", 1, 0, 2048 * 4096, 1 << 30)
        save(out, "system_answers", "extents", extents)

        # File names for the type table and the typed positions.
        save(out, "file_tree", "names", b"photo.JPG/song.mp3/README/archive.tar.gz/a.docx/.profile/x.")
    finally:
        shutil.rmtree(tmp)


if __name__ == "__main__":
    if sys.argv[1] == "--regression":
        with open(sys.argv[3], "wb") as f:
            f.write(REGRESSIONS[sys.argv[2]]())
    else:
        main()
