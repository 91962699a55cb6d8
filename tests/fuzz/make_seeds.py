#!/usr/bin/env python3
# tests/fuzz/make_seeds.py
# Seed inputs for the fuzz targets, cut from images that the real tools make (mkfs.fat,
# mkfs.exfat, mkntfs, sfdisk, sgdisk), kept small so the fuzzers mutate what the parsers read.
#   make_seeds.py OUT_DIR      -> OUT_DIR/<target>/<seed>
import bz2
import lzma
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

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
        save(out, "partitions", "gpt", b"\0" + head(p, 64 * KIB))
        run("sgdisk", "-h", "1:EE", p)
        save(out, "partitions", "hybrid", b"\0" + head(p, 64 * KIB))

        # LDM: a GPT dynamic disk's partitions and an MBR dynamic disk (type 0x42); the
        # database itself comes from the dictionary's signatures.
        p = image(tmp, "ldm.img", 4 * 1024 * KIB)
        run("sgdisk", "--clear", "-a", "1", "-n", "1:34:2081", "-t", "1:4201", "-c", "1:LDM metadata partition",
            "-n", "2:2082:0", "-t", "2:4200", "-c", "2:LDM data partition", p)
        gpt = head(p, 64 * KIB)
        save(out, "ldm", "gpt-dynamic", struct.pack("<I", len(gpt) << 8) + gpt + gpt)
        p = image(tmp, "mbr42.img", 1024 * KIB)
        run("sfdisk", "--quiet", p, stdin=b"label: dos\nstart=63, size=1900, type=42\n")
        mbr = head(p, 32 * KIB)
        save(out, "ldm", "mbr-dynamic", struct.pack("<I", len(mbr) << 8) + mbr + mbr)

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
    finally:
        shutil.rmtree(tmp)


if __name__ == "__main__":
    main()
