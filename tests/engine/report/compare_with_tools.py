#!/usr/bin/env python3
# tests/engine/report/compare_with_tools.py
# Makes disk images with the real tools (sfdisk, sgdisk, mkfs.fat, mkfs.exfat, mkntfs), runs
# the disk report over each, and compares every partition, file system, size and label with
# what sfdisk -J, blkid -p, fsck.fat/fatlabel, dump.exfat and ntfsinfo/ntfslabel say about the
# same image.
#   compare_with_tools.py WORK_DIR DISK_REPORT [RUNNER]
# RUNNER (tools/wine-run) starts the report program when it is a Windows one.
# CASES=REGEX runs only the matching cases. The 4096-byte-sector cases need loop devices (root).
#
# A case marked `known` is a misread still being mended: it must fail, and the run fails as
# soon as it passes, so the mark is removed with the mend.
import contextlib
import json
import os
import re
import shutil
import subprocess
import sys

MIB = 1024 * 1024
# The tools read and print labels in the locale's character set.
os.environ["LC_ALL"] = "C.UTF-8"
LDM_TYPES = {"5808C8AA-7E8F-42E0-85D2-E1E90434CFB3", "AF9B60A0-1431-4F62-BC68-3311714A69AD"}
EXTENDED_TYPES = {"5", "f", "85"}


def run(*args, **kw):
    return subprocess.run(args, check=True, capture_output=True, **kw).stdout


def sparse(path, size):
    with open(path, "wb") as f:
        f.truncate(size)


def put(image, offset, source):
    """Copies the file system made in `source` into `image` at byte `offset`."""
    with open(source, "rb") as src, open(image, "r+b") as dst:
        dst.seek(offset)
        shutil.copyfileobj(src, dst, 4 * MIB)
    os.remove(source)


def patch(image, offset, data):
    with open(image, "r+b") as f:
        f.seek(offset)
        f.write(data)


def read(image, offset, size):
    with open(image, "rb") as f:
        f.seek(offset)
        return f.read(size)


# --- file systems, each made in a file of its own and copied into place -----------------------
def mkfat(path, sectors, label, *options, sector=512):
    sparse(path, sectors * sector)
    # Code page 437, the OEM code page of the Windows the program is tested on.
    run("mkfs.fat", "--codepage=437", "-S", str(sector), "-n", label, *options, path)


def mkexfat(path, sectors, label):
    sparse(path, sectors * 512)
    run("mkfs.exfat", "-L", label, path)


def mkntfs(path, sectors, label, sector=512):
    sparse(path, sectors * sector)
    run("mkntfs", "-q", "-F", "-f", "-s", str(sector), "-L", label, path)


def fs_into(image, start, sectors, kind, label, *options, sector=512):
    tmp = image + ".fs"
    if kind == "ntfs":
        mkntfs(tmp, sectors, label, sector)
    elif kind == "exfat":
        mkexfat(tmp, sectors, label)
    else:
        mkfat(tmp, sectors, label, *options, sector=sector)
    put(image, start * sector, tmp)


@contextlib.contextmanager
def disk(image, sector):
    """The image as the tools should see it: itself, or for larger sectors a loop device with
    that logical sector size (sfdisk takes the size from the device)."""
    if sector == 512:
        yield image
        return
    dev = run("losetup", "--find", "--show", "--sector-size", str(sector), image).decode().strip()
    try:
        yield dev
    finally:
        subprocess.run(["losetup", "--detach", dev], check=True)


def sfdisk(image, script, sector=512):
    with disk(image, sector) as dev:
        subprocess.run(["sfdisk", "--quiet", "--no-reread", dev], input=script.encode(),
                       check=True, capture_output=True)


# --- the cases ---------------------------------------------------------------------------------
def one_partition(img, mib, sectors, mbr_type):
    """A disk of `mib` MiB with one MBR partition of `sectors` sectors from sector 2048."""
    sparse(img, mib * MIB)
    sfdisk(img, "label: dos\nstart=2048, size=%d, type=%s\n" % (sectors, mbr_type))


def one_volume(mib, sectors, mbr_type, kind, label, *options):
    """The maker of a disk whose one MBR partition holds a fresh file system."""
    def make(img):
        one_partition(img, mib, sectors, mbr_type)
        fs_into(img, 2048, sectors, kind, label, *options)
    return make


def floppy(kib):
    def make(img):
        run("mkfs.fat", "-C", "--codepage=437", "-n", "FLOPPY%d" % kib, img, str(kib))
    return make


def mformat_floppy(img):
    """mformat's boot sector carries one partition entry over the whole floppy, from sector 0."""
    subprocess.run(["mformat", "-C", "-f", "1440", "-v", "MFORMAT", "-i", img, "::"], check=True,
                   capture_output=True, env=dict(os.environ, MTOOLS_SKIP_CHECK="1"))


def blank_disk(img):
    sparse(img, 8 * MIB)


def fat_non_ascii(img):
    one_partition(img, 32, 40000, "6")
    tmp = img + ".fs"
    mkfat(tmp, 40000, "PLAIN", "-F", "16")
    # mlabel writes the OEM bytes (0x90 for É); mkfs.fat here takes ASCII labels only.
    subprocess.run(["mlabel", "-i", tmp, "::ÉTÉ ÇA"], check=True, capture_output=True,
                   env=dict(os.environ, MTOOLS_SKIP_CHECK="1"))
    put(img, 2048 * 512, tmp)


def fat32_masked_chain(img):
    """A FAT32 root directory of several clusters whose label entry lies in a later cluster,
    with the reserved top four bits of its FAT entries set (readers must mask them)."""
    one_partition(img, 96, 160000, "c")
    tmp = img + ".fs"
    mkfat(tmp, 160000, "CHAIN32", "-F", "32", "-s", "1")
    run("fatlabel", "-r", tmp)
    env = dict(os.environ, MTOOLS_SKIP_CHECK="1")
    names = []
    for i in range(40):  # 40 short entries: the root spans three 512-byte clusters
        names.append("::F%02d.TXT" % i)
    empty = tmp + ".empty"
    open(empty, "w").close()
    for n in names:
        subprocess.run(["mcopy", "-i", tmp, empty, n], check=True, capture_output=True, env=env)
    os.remove(empty)
    run("fatlabel", tmp, "CHAIN32")
    boot = read(tmp, 0, 512)
    reserved = int.from_bytes(boot[14:16], "little")
    fat = reserved * 512
    root = int.from_bytes(boot[44:48], "little")
    cluster, seen = root, 0
    with open(tmp, "r+b") as f:
        while 2 <= cluster < 0x0FFFFFF0 and seen < 64:
            f.seek(fat + 4 * cluster)
            entry = int.from_bytes(f.read(4), "little")
            f.seek(fat + 4 * cluster)
            f.write((entry | 0xF0000000).to_bytes(4, "little"))
            cluster, seen = entry & 0x0FFFFFFF, seen + 1
    if seen < 3:
        raise RuntimeError("the root directory has %d clusters; the label must lie beyond the first" % seen)
    put(img, 2048 * 512, tmp)


def gpt_linux_types(img):
    sparse(img, 128 * MIB)
    run("sgdisk", "--clear", "-n", "1:2048:+20M", "-t", "1:8304", "-n", "2:0:+20M", "-t", "2:8302",
        "-n", "3:0:+20M", "-t", "3:ea00", "-n", "4:0:+20M", "-t", "4:ea00", "-n", "5:0:+20M", "-t", "5:0700", img)
    parts = gpt_partitions(img)
    fs_into(img, parts[0][0], parts[0][1], "fat", "ROOTFS", "-F", "16")
    fs_into(img, parts[1][0], parts[1][1], "exfat", "HOME")
    fs_into(img, parts[2][0], parts[2][1], "fat", "XBOOT16", "-F", "16")
    fs_into(img, parts[3][0], parts[3][1], "exfat", "XBOOTEX")
    fs_into(img, parts[4][0], parts[4][1], "ntfs", "Data")


def gpt_ldm(img):
    """A GPT dynamic disk's two LDM partitions hold no volume of their own."""
    sparse(img, 64 * MIB)
    run("sgdisk", "--clear", "-a", "1", "-n", "1:34:2081", "-t", "1:4201", "-c", "1:LDM metadata partition",
        "-n", "2:2082:0", "-t", "2:4200", "-c", "2:LDM data partition", img)


def gpt_damaged_primary(img):
    sparse(img, 64 * MIB)
    run("sgdisk", "--clear", "-n", "1:2048:+20M", "-t", "1:0700", "-n", "2:0:+20M", "-t", "2:0700", img)
    parts = gpt_partitions(img)
    fs_into(img, parts[0][0], parts[0][1], "fat", "FIRST", "-F", "16")
    fs_into(img, parts[1][0], parts[1][1], "ntfs", "Second")
    patch(img, 512 + 16, b"\xde\xad\xbe\xef")  # the primary header's CRC


def mbr_zero_length_entry(img):
    """sfdisk's table with the second entry's length patched to 0, over a FAT volume: the
    kernel and libblkid pass such an entry by."""
    sparse(img, 64 * MIB)
    sfdisk(img, "label: dos\nstart=2048, size=40960, type=6\nstart=43008, size=40960, type=6\n")
    fs_into(img, 2048, 40960, "fat", "FIRST", "-F", "16")
    fs_into(img, 43008, 40960, "fat", "SECOND", "-F", "16")
    patch(img, 446 + 16 + 12, b"\0\0\0\0")


def gpt_4k(img):
    sparse(img, 256 * MIB)
    sfdisk(img, "label: gpt\nstart=256, size=16384, type=EBD0A0A2-B9E5-4433-87C0-68B6B72699C7\n"
                "start=16640, size=16384, type=EBD0A0A2-B9E5-4433-87C0-68B6B72699C7\n", sector=4096)
    fs_into(img, 256, 16384, "fat", "FOURK32", "-F", "32", sector=4096)
    fs_into(img, 16640, 16384, "ntfs", "FourK", sector=4096)


def mbr_4k(img):
    sparse(img, 128 * MIB)
    sfdisk(img, "label: dos\nstart=256, size=16384, type=c\n", sector=4096)
    fs_into(img, 256, 16384, "fat", "DOS4K", "-F", "32", sector=4096)


def hybrid_mbr(img):
    sparse(img, 64 * MIB)
    run("sgdisk", "--clear", "-n", "1:2048:+20M", "-t", "1:0700", "-n", "2:0:+20M", "-t", "2:8300", img)
    parts = gpt_partitions(img)
    fs_into(img, parts[0][0], parts[0][1], "fat", "HYBRID", "-F", "16")
    fs_into(img, parts[1][0], parts[1][1], "exfat", "LINUXSIDE")
    run("sgdisk", "-h", "1:EE", img)  # slot 1 the FAT partition, slot 2 the protective entry


def with_logicals(img, primary, extended, logicals):
    """An MBR with the given primary and extended partitions, then the logical partitions
    (sfdisk numbers them from 5 when each line names its partition)."""
    lines = ["label: dos"] + ["%s%d: %s" % (img, i + 1, p) for i, p in enumerate(primary + [extended])]
    lines += ["%s%d: %s" % (img, 5 + i, p) for i, p in enumerate(logicals)]
    sfdisk(img, "\n".join(lines) + "\n")
    return sfdisk_partitions(img)


def linux_extended(img):
    sparse(img, 64 * MIB)
    parts = with_logicals(img, ["start=2048, size=20000, type=7"], "start=24576, size=100000, type=5",
                          ["size=40000, type=6", "size=40000, type=7"])
    run("sfdisk", "--part-type", img, "2", "85")  # the container becomes a Linux extended one
    fs_into(img, parts[1][0], parts[1][1], "fat", "LOGICAL1", "-F", "16")
    fs_into(img, parts[2][0], parts[2][1], "ntfs", "Logical2")


def long_ebr_chain(img):
    sparse(img, 160 * MIB)
    parts = with_logicals(img, [], "start=2048, size=300000, type=f", ["size=1800, type=6"] * 55)
    if len(parts) != 55:  # about the most sfdisk makes
        raise RuntimeError("sfdisk made %d logical partitions" % len(parts))
    for i in (0, 29, 54):
        fs_into(img, parts[i][0], parts[i][1], "fat", "L%02d" % (i + 1), "-F", "12")


def exfat_unused_label(img):
    one_partition(img, 64, 80000, "7")
    tmp = img + ".fs"
    mkexfat(tmp, 80000, "GONE")
    # Clear the in-use bit of the label entry (0x83 -> 0x03), as a removed label looks.
    boot = read(tmp, 0, 512)
    heap = int.from_bytes(boot[88:92], "little")
    root = int.from_bytes(boot[96:100], "little")
    spc = 1 << boot[109]
    at = (heap + (root - 2) * spc) * 512
    data = bytearray(read(tmp, at, spc * 512))
    for i in range(0, len(data), 32):
        if data[i] == 0x83:
            data[i] = 0x03
            break
    else:
        raise RuntimeError("no label entry")
    patch(tmp, at, bytes(data))
    put(img, 2048 * 512, tmp)


# (name, maker, sector size, known misread or None)
CASES = [
    ("fat32-below-65536-sectors", one_volume(64, 60000, "c", "fat", "SMALL32", "-F", "32", "-s", "1"), 512, None),
    ("fat12-161792-sectors", one_volume(100, 161792, "1", "fat", "BIG12", "-F", "12", "-s", "64"), 512, None),
    ("floppy-360k", floppy(360), 512, None),
    ("floppy-720k", floppy(720), 512, None),
    ("fat16-112-root-entries", one_volume(32, 40000, "6", "fat", "ROOT112", "-F", "16", "-r", "112"), 512, None),
    ("fat-one-fat", one_volume(32, 40000, "6", "fat", "ONEFAT", "-F", "16", "-f", "1"), 512, None),
    ("fat-label-inner-spaces", one_volume(96, 160000, "c", "fat", "PHOTOS  OLD", "-F", "32"), 512, None),
    ("floppy-mformat", mformat_floppy, 512, None),
    ("no-table-blank-disk", blank_disk, 512, None),
    ("fat-label-non-ascii", fat_non_ascii, 512, None),
    ("fat32-entries-masked-to-28-bits", fat32_masked_chain, 512, None),
    ("gpt-linux-home-xbootldr", gpt_linux_types, 512, None),
    ("gpt-ldm-partitions", gpt_ldm, 512, None),
    ("gpt-damaged-primary", gpt_damaged_primary, 512, None),
    ("gpt-4096-byte-sectors", gpt_4k, 4096, None),
    ("mbr-4096-byte-sectors", mbr_4k, 4096, None),
    ("mbr-hybrid-protective-in-slot-2", hybrid_mbr, 512, None),
    ("mbr-entry-of-length-0", mbr_zero_length_entry, 512, None),
    ("mbr-linux-extended-0x85", linux_extended, 512, None),
    ("mbr-55-logical-partitions", long_ebr_chain, 512, None),
    ("exfat-unused-label-entry", exfat_unused_label, 512, None),
    ("exfat-label-non-ascii", one_volume(64, 80000, "7", "exfat", "Été Ñ"), 512, None),
    ("exfat-label-y-diaeresis", one_volume(64, 80000, "7", "exfat", "Ÿes ÿ"), 512, None),
    ("ntfs-label-over-80-bytes", one_volume(64, 80000, "7", "ntfs", "Archive of the family photographs, letters and school reports, scanned in the winter of 2019-2020"), 512, None),
    ("ntfs-label-non-ascii", one_volume(64, 80000, "7", "ntfs", "Ñandú Ünïcode € fotos"), 512, None),
]
# name -> why it still fails. Each is a misread being mended in the engine; remove the mark
# with the mend (the run fails while a marked case passes).
KNOWN = {
}


# Misreads that only the Windows build shows (its code-page conversion differs).
KNOWN_UNDER_WINE = {
}


# --- what the tools say ------------------------------------------------------------------------
def sfdisk_json(img, sector=512):
    with disk(img, sector) as dev:
        out = subprocess.run(["sfdisk", "-J", dev], capture_output=True)
    if out.returncode != 0:
        return None
    return json.loads(out.stdout)["partitiontable"]


def sfdisk_partitions(img, sector=512):
    table = sfdisk_json(img, sector)
    return [(p["start"], p["size"]) for p in table["partitions"] if p.get("type", "").lower() not in EXTENDED_TYPES]


def gpt_partitions(img):
    return [(p["start"], p["size"]) for p in sfdisk_json(img)["partitions"]]


def tool_volumes(img, sector):
    """[(start, sectors)] of every volume the tools see: the table's entries (containers and
    the LDM partitions left out), or the whole image when it has no table."""
    table = sfdisk_json(img, sector)
    if table is None or not table.get("partitions"):
        with disk(img, sector) as dev:
            whole = blkid(dev).get("TYPE")
        return [(0, os.path.getsize(img) // sector)] if whole else []
    out = []
    for p in table["partitions"]:
        kind = p.get("type", "")
        # sfdisk shows an entry of no sectors as it stands; the kernel and partx pass it by.
        if kind.lower() in EXTENDED_TYPES or kind.upper() in LDM_TYPES or p["size"] == 0:
            continue
        out.append((p["start"], p["size"]))
    return out


def blkid(path):
    out = subprocess.run(["blkid", "-p", "-o", "export", path], capture_output=True, text=True)
    return dict(line.split("=", 1) for line in out.stdout.splitlines() if "=" in line)


def tool_file_system(img, start, sectors, sector):
    """(name, fs sectors or (low, high), label) from the file-system tools, over the volume's
    bytes copied to a file of their own."""
    tmp = img + ".vol"
    with open(img, "rb") as src, open(tmp, "wb") as dst:
        src.seek(start * sector)
        left = sectors * sector
        while left:
            block = src.read(min(left, 4 * MIB))
            if not block:
                break
            dst.write(block)
            left -= len(block)
    try:
        info = blkid(tmp)
        kind = info.get("TYPE")
        if kind == "vfat":
            # Exit status 1 only means it would mend something (it writes nothing with -n).
            text = subprocess.run(["fsck.fat", "-n", "-v", tmp], capture_output=True, text=True).stdout
            total = int(re.search(r"(\d+) sectors total", text).group(1))
            label = run("fatlabel", "-c", "437", tmp).decode().rstrip("\n")
            return info["VERSION"], total, label
        if kind == "exfat":
            text = run("dump.exfat", tmp).decode()
            total = int(re.search(r"Volume Length\(sectors\):\s+(\d+)", text).group(1))
            # dump.exfat shows a label entry that is no longer in use as well; exfatlabel (and
            # blkid) read only the label in use.
            # It ends with status 255 when the volume has no label.
            shown = subprocess.run(["exfatlabel", tmp], capture_output=True, text=True,
                                   env=dict(os.environ, LC_ALL="C.UTF-8")).stdout
            found = re.search(r"^label: (.*)$", shown, re.M)
            return "exFAT", total, found.group(1) if found else ""
        if kind == "ntfs":
            text = run("ntfsinfo", "-m", "-f", tmp).decode()
            clusters = int(re.search(r"Volume Size in Clusters: (\d+)", text).group(1))
            per = int(re.search(r"Cluster Size: (\d+)", text).group(1)) // sector
            label = run("ntfslabel", "-f", tmp).decode().rstrip("\n")
            return "NTFS", (clusters * per, (clusters + 1) * per - 1), label
        return "none", 0, ""
    finally:
        os.remove(tmp)


# --- the report --------------------------------------------------------------------------------
LINE = re.compile(r'partition disk=0 start=(\d+) sectors=(\d+) fs=(\S+) fs-sectors=(\d+) label="(.*)"$')
DISK = re.compile(r'disk 0 sectors=\d+ sector-size=\d+ table=(\S+)')
TABLES = {"dos": "MBR", "gpt": "GPT"}


def tool_table(img, sector):
    """The partition table blkid finds on the disk: a file system over the whole disk is none."""
    with disk(img, sector) as dev:
        kind = blkid(dev).get("PTTYPE")
    return TABLES.get(kind, "none")


def report(runner, img, sector):
    if len(runner) > 1:  # under Wine: the Linux root is drive Z:
        img = "Z:" + os.path.abspath(img).replace("/", "\\")
    out = subprocess.run(runner + ["--sector-size", str(sector), img], capture_output=True, check=True).stdout
    lines = out.decode("utf-8", "replace").splitlines()
    page = re.match(r"labels code-page=(\S+)", lines[0]).group(1)
    table = DISK.match(lines[1]).group(1)
    volumes = []
    for line in lines[2:]:
        m = LINE.match(line)
        if m:
            label = re.sub(r"\\x([0-9A-F]{2})", lambda h: chr(int(h.group(1), 16)), m.group(5))
            volumes.append((int(m.group(1)), int(m.group(2)), m.group(3), int(m.group(4)), label))
    return page, table, volumes, lines


def shown(label, page):
    """The tool's label as the engine can give it: characters outside its code page as '_'."""
    out = ""
    for ch in label:
        try:
            ch.encode(page)
            out += ch
        except UnicodeEncodeError:
            out += "_"
    return out


def label_matches(got, want):
    if got == want:
        return True
    # A label longer than the engine keeps comes back cut, never inside a character.
    return len(want) > 79 and len(got) >= 79 and want.startswith(got)


def check(name, img, sector, runner):
    page, table, volumes, lines = report(runner, img, sector)
    problems = []
    if table != tool_table(img, sector):
        problems.append("table=%s, blkid says %s" % (table, tool_table(img, sector)))
    # One volume is listed once: only a size far from the table's adds a second record.
    listed = [(v[0], v[1]) for v in volumes]
    if len(set(listed)) != len(listed):
        problems.append("a volume listed twice: %s" % listed)
    want = dict(tool_volumes(img, sector))
    starts = sorted({v[0] for v in volumes})
    if starts != sorted(want):
        problems.append("volumes at %s, tools say %s" % (starts, sorted(want)))
    for start, sectors in sorted(want.items()):
        mine = [v for v in volumes if v[0] == start]
        if not mine:
            continue
        kind, total, tool_label = tool_file_system(img, start, sectors, sector)
        own = total if isinstance(total, tuple) else (total, total)
        for _, length, fs, fs_sectors, label in mine:
            # A partition is listed with the table's size, or with its file system's when
            # that is smaller (both when they differ much).
            if length != sectors and not own[0] <= length <= own[1]:
                problems.append("at %d: %d sectors, tools say %d (file system %s)" % (start, length, sectors, total))
            if fs != kind:
                problems.append("at %d: file system %s, tools say %s" % (start, fs, kind))
            if not own[0] <= fs_sectors <= own[1]:
                problems.append("at %d: %d file-system sectors, tools say %s" % (start, fs_sectors, total))
            if not label_matches(label, shown(tool_label, page)):
                problems.append("at %d: label %r, tools say %r" % (start, label, shown(tool_label, page)))
    return problems, lines, len(want)


def main():
    work, program = sys.argv[1], sys.argv[2]
    runner = sys.argv[3:4] + [program]
    only = os.environ.get("CASES")
    os.makedirs(work, exist_ok=True)
    failed = images = checked = 0
    for name, make, sector, _ in CASES:
        if only and not re.search(only, name):
            continue
        img = os.path.join(work, name + ".img")
        if os.path.exists(img):
            os.remove(img)
        make(img)
        problems, lines, volumes = check(name, img, sector, runner)
        images += 1
        checked += volumes
        known = KNOWN.get(name) or (KNOWN_UNDER_WINE.get(name) if len(runner) > 1 else None)
        if known and problems:
            print("known   %s: %s (%s)" % (name, "; ".join(problems), known))
        elif known:
            print("FIXED   %s: passes now; remove its mark in KNOWN" % name)
            failed += 1
        elif problems:
            print("FAIL    %s: %s" % (name, "; ".join(problems)))
            print("        report:\n          " + "\n          ".join(lines))
            failed += 1
        else:
            print("ok      %s" % name)
        os.remove(img)
    print("%d image(s), %d volume(s) compared with the tools; %d case(s) failed" % (images, checked, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
