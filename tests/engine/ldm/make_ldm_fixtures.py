#!/usr/bin/env python3
# tests/engine/ldm/make_ldm_fixtures.py
# Two MBR dynamic disks of one disk group, laid out by hand from the publicly documented LDM
# on-disk format: a protective MBR entry of type 0x42, PRIVHEAD at sector 6 and its copies in
# the database, the two TOCBLOCKs, the VMDB and the VBLK records (disk group, disks, volumes,
# components, partitions). Nothing here comes from the engine's own layout header.
#
# Volume1: simple, 4096 sectors at the start of disk 1's data area, holding the FAT volume in
#          fat.fs (made by mkfs.fat beforehand).
# Volume2: spanned, 2048 sectors on disk 1 after Volume1, then 4096 sectors on disk 2; every
#          sector starts with "V2 %08d" (its number inside the volume).
# As a module (tests/fuzz/make_seeds.py) it lays out smaller disk groups of any sector size:
# see DiskGroup.
import sys

SECTOR = 512
DISK_SECTORS = 16384                   # 8 MiB
CONFIG_SECTORS = 2048                  # the database: the disk's last 1 MiB
CONFIG_START = DISK_SECTORS - CONFIG_SECTORS
DATA_START = 63                        # "logical disk start"
DATA_SIZE = CONFIG_START - DATA_START
VMDB_SECTOR = 17                       # inside the database
TOC_SECTORS = (1, 2)
PRIVHEAD_COPIES = (CONFIG_START + 1856, DISK_SECTORS - 1)
GROUP_NAME = b"TESTDG0"
GROUP_ID = b"4a7e9e52-3c1d-11ef-9a1b-0800275e1c01"
DISK_IDS = [b"9d1c7a00-3c1d-11ef-9a1b-0800275e1c01", b"9d1c7a01-3c1d-11ef-9a1b-0800275e1c01"]
HOST_ID = b"5b2f1e10-3c1d-11ef-9a1b-0800275e1c01"
COMMITTED = 42


def be(value, width):
    return value.to_bytes(width, "big")


def var_num(value):
    raw = value.to_bytes(max(1, (value.bit_length() + 7) // 8), "big")
    return bytes([len(raw)]) + raw


def var_str(text):
    return bytes([len(text)]) + text


def privhead(disk_id, signature):
    h = bytearray(SECTOR)
    h[0x00:0x08] = b"PRIVHEAD"
    h[0x0C:0x0E] = be(2, 2)                 # version 2.12
    h[0x0E:0x10] = be(12, 2)
    h[0x10:0x18] = be(0x01DAC0FFEE000000, 8)  # timestamp
    h[0x18:0x20] = be(7, 8)                 # sequence number
    h[0x20:0x28] = be(6, 8)                 # primary PRIVHEAD
    h[0x28:0x30] = be(PRIVHEAD_COPIES[0], 8)
    h[0x30:0x30 + len(disk_id)] = disk_id
    h[0x70:0x70 + len(HOST_ID)] = HOST_ID
    h[0xB0:0xB0 + len(GROUP_ID)] = GROUP_ID
    h[0xF0:0xF0 + len(GROUP_NAME)] = GROUP_NAME
    h[0x11B:0x123] = be(DATA_START, 8)      # logical disk start
    h[0x123:0x12B] = be(DATA_SIZE, 8)       # logical disk size
    h[0x12B:0x133] = be(CONFIG_START, 8)    # config start
    h[0x133:0x13B] = be(CONFIG_SECTORS, 8)  # config size
    h[0x13B:0x143] = be(2, 8)               # number of TOCs
    h[0x143:0x14B] = be(1, 8)               # TOC size
    h[0x14B:0x14F] = be(1, 4)               # number of configs
    h[0x14F:0x153] = be(1, 4)               # number of logs
    h[0x153:0x15B] = be(1481, 8)            # config size
    h[0x15B:0x163] = be(224, 8)             # log size
    h[0x163:0x167] = be(signature, 4)       # disk signature
    return bytes(h)


def tocblock():
    t = bytearray(SECTOR)
    t[0x00:0x08] = b"TOCBLOCK"
    t[0x08:0x0C] = be(1, 4)                 # sequence number
    t[0x24:0x2A] = b"config"
    t[0x2E:0x36] = be(VMDB_SECTOR, 8)       # config start (in the database)
    t[0x36:0x3E] = be(1481, 8)              # config size
    t[0x46:0x49] = b"log"
    t[0x50:0x58] = be(VMDB_SECTOR + 1481, 8)
    t[0x58:0x60] = be(224, 8)
    return bytes(t)


def vmdb(last_sequence):
    # A sector of its own: the first VBLK lies 512 bytes after it.
    v = bytearray(SECTOR)
    v[0x00:0x04] = b"VMDB"
    v[0x04:0x08] = be(last_sequence, 4)     # sequence number of the last VBLK
    v[0x08:0x0C] = be(128, 4)               # VBLK size
    v[0x0C:0x10] = be(512, 4)               # first VBLK offset
    v[0x10:0x12] = be(1, 2)                 # update status: clean
    v[0x12:0x14] = be(4, 2)                 # version 4.10
    v[0x14:0x16] = be(10, 2)
    v[0x16:0x16 + len(GROUP_NAME)] = GROUP_NAME
    v[0x35:0x35 + len(GROUP_ID)] = GROUP_ID
    v[0x75:0x7D] = be(COMMITTED, 8)         # committed sequence number
    v[0x7D:0x85] = be(COMMITTED, 8)         # pending sequence number
    return bytes(v)


class Vblks:
    """VBLK blocks after the VMDB: a header of 16 bytes, then the record (first fragment:
    status, flags, type, data size, 104 data bytes; further fragments: 112 data bytes)."""

    def __init__(self):
        self.blocks = []
        self.group = 0

    def add(self, record_type, flags, data):
        self.group += 1
        fragments = [data[:104]] + [data[i:i + 112] for i in range(104, len(data), 112)]
        for number, piece in enumerate(fragments):
            sequence = 4 + len(self.blocks)  # the VMDB's sector holds blocks 0 to 3
            b = bytearray(128)
            b[0:4] = b"VBLK"
            b[4:8] = be(sequence, 4)
            b[8:12] = be(self.group, 4)
            b[12:14] = be(number, 2)
            b[14:16] = be(len(fragments), 2)
            if number == 0:
                b[16:18] = be(0, 2)        # status
                b[18] = flags
                b[19] = record_type
                b[20:24] = be(len(data), 4)
                b[24:24 + len(piece)] = piece
            else:
                b[16:16 + len(piece)] = piece
            self.blocks.append(bytes(b))


def volume_record(obj_id, name, size, number, guid, volume_type=3, components=1, commit=be(COMMITTED, 8)):
    return (var_num(obj_id) + var_str(name) + var_str(b"gen" if volume_type == 3 else b"raid5") + b"\0" +
            b"ACTIVE".ljust(14, b"\0") + bytes([volume_type, 0, number]) + bytes(3) + bytes([0]) +
            var_num(components) + commit + bytes(8) + var_num(size) + bytes(4) + bytes([0x07]) + guid)


def component_record(obj_id, name, kind, children, parent, stripe=0, columns=0, commit=be(COMMITTED, 8)):
    """Kind 1 striped, 2 spanned or simple, 3 RAID-5; with a stripe the record carries its size
    and columns (flags 0x10)."""
    data = (var_num(obj_id) + var_str(name) + var_str(b"ACTIVE") + bytes([kind]) + bytes(4) +
            var_num(children) + commit + bytes(8) + var_num(parent) + bytes(1))
    if stripe:
        data += var_num(stripe) + var_num(columns)
    return data


def partition_record(obj_id, name, start, offset, size, parent, disk, column=None, commit=be(COMMITTED, 8)):
    """With a column the record carries its index (flags 0x08)."""
    data = (var_num(obj_id) + var_str(name) + bytes(4) + commit + be(start, 8) + be(offset, 8) +
            var_num(size) + var_num(parent) + var_num(disk))
    if column is not None:
        data += var_num(column)
    return data


def database():
    v = Vblks()
    commit = be(COMMITTED, 8)
    # Disk group (0x35): id, name, group GUID text, then zeros.
    v.add(0x35, 0, var_num(1) + var_str(GROUP_NAME) + var_str(GROUP_ID) + bytes(12))
    # Disks (0x34): id, name, disk GUID text, alternate name, zeros, commit id.
    v.add(0x34, 0, var_num(3) + var_str(b"Disk1") + var_str(DISK_IDS[0]) + var_str(b"") + bytes(4) + commit)
    v.add(0x34, 0, var_num(4) + var_str(b"Disk2") + var_str(DISK_IDS[1]) + var_str(b"") + bytes(4) + commit)

    volume, component, partition = volume_record, component_record, partition_record

    v.add(0x51, 0, volume(5, b"Volume1", 4096, 1, bytes(range(0x10, 0x20))))
    v.add(0x32, 0, component(6, b"Volume1-01", 2, 1, 5))
    v.add(0x33, 0, partition(7, b"Disk1-01", 0, 0, 4096, 6, 3))
    v.add(0x51, 0, volume(8, b"Volume2", 6144, 2, bytes(range(0x20, 0x30))))
    v.add(0x32, 0, component(9, b"Volume2-01", 2, 2, 8))
    v.add(0x33, 0, partition(10, b"Disk1-02", 4096, 0, 2048, 9, 3))
    v.add(0x33, 0, partition(11, b"Disk2-01", 0, 2048, 4096, 9, 4))
    return v.blocks


def protective_mbr(signature, sectors):
    mbr = bytearray(SECTOR)
    mbr[440:444] = signature.to_bytes(4, "little")
    entry = bytearray(16)
    entry[4] = 0x42                         # dynamic disk
    entry[8:12] = (1).to_bytes(4, "little")
    entry[12:16] = (sectors - 1).to_bytes(4, "little")
    mbr[446:462] = entry
    mbr[510:512] = b"\x55\xaa"
    return bytes(mbr)


def disk(index, blocks):
    d = bytearray(DISK_SECTORS * SECTOR)
    signature = 0x1D5C0000 + index
    d[0:SECTOR] = protective_mbr(signature, DISK_SECTORS)
    head = privhead(DISK_IDS[index], signature)
    for at in (6,) + PRIVHEAD_COPIES:
        d[at * SECTOR:(at + 1) * SECTOR] = head
    for at in TOC_SECTORS:
        d[(CONFIG_START + at) * SECTOR:(CONFIG_START + at + 1) * SECTOR] = tocblock()
    base = (CONFIG_START + VMDB_SECTOR) * SECTOR
    d[base:base + SECTOR] = vmdb(4 + len(blocks) - 1)
    for i, block in enumerate(blocks):
        at = base + SECTOR + i * 128
        d[at:at + 128] = block
    return d


def tag_spanned(disks):
    # Volume2: sectors 0..2047 on disk 1 at data + 4096, 2048..6143 on disk 2 at data + 0.
    for v in range(6144):
        if v < 2048:
            target, sector = disks[0], DATA_START + 4096 + v
        else:
            target, sector = disks[1], DATA_START + v - 2048
        text = b"V2 %08d" % v
        target[sector * SECTOR:sector * SECTOR + len(text)] = text


class DiskGroup:
    """A disk group of small dynamic disks, each of its own sector size: the PRIVHEAD at sector 6
    and in the last sector, the database (TOCBLOCKs, VMDB, VBLKs) in the last config_units
    512-byte units. Every number in the database counts 512-byte units."""

    def __init__(self, sector_sizes, disk_units, config_units=64, data_start=64, name=b"SEEDDG0"):
        self.sector_sizes = sector_sizes
        self.disk_units = disk_units
        self.config_units = config_units
        self.config_start = disk_units - config_units
        self.data_start = data_start
        self.name = name
        self.vblks = Vblks()
        self.vblks.add(0x35, 0, var_num(1) + var_str(name) + var_str(GROUP_ID) + bytes(12))
        self.next_id = 2
        self.disk_ids = []
        self.disk_records = []
        for i in range(len(sector_sizes)):
            disk_id = b"9d1c7a%02x-3c1d-11ef-9a1b-0800275e1c01" % (0x10 + i)
            record = self.new_id()
            self.disk_ids.append(disk_id)
            self.disk_records.append(record)
            self.vblks.add(0x34, 0, var_num(record) + var_str(b"Disk%d" % (i + 1)) + var_str(disk_id) + var_str(b"") +
                           bytes(4) + be(COMMITTED, 8))

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def volume(self, name, layout, components):
        """layout: "gen" or "raid5"; components: lists of (disk index, start, size) extents, laid
        end to end in the volume (striped and RAID-5 columns each take their column index)."""
        vol = self.new_id()
        size = 0
        records = []
        for c, extents in enumerate(components):
            comp = self.new_id()
            kind = 3 if layout == "raid5" else (1 if layout == "striped" else 2)
            stripe = 128 if kind in (1, 3) else 0
            records.append((0x32, 0x10 if stripe else 0,
                            component_record(comp, name + b"-%02d" % (c + 1), kind, len(extents), vol, stripe,
                                             len(extents))))
            offset = 0
            for column, (disk, start, length) in enumerate(extents):
                part = self.new_id()
                columned = kind in (1, 3)
                records.append((0x33, 0x08 if columned else 0,
                                partition_record(part, b"Disk%d-%02d" % (disk + 1, part), start,
                                                 0 if columned else offset, length, comp, self.disk_records[disk],
                                                 column if columned else None)))
                offset += length
            if c == 0:
                size = offset if kind == 2 else (offset if kind == 1 else offset - offset // len(extents))
        number = len([b for b in self.vblks.blocks if b[19] == 0x51]) % 255 + 1
        self.vblks.add(0x51, 0, volume_record(vol, name, size, number, bytes((16 * number + i) % 256 for i in range(16)),
                                              4 if layout == "raid5" else 3, len(components)))
        for record_type, flags, data in records:
            self.vblks.add(record_type, flags, data)

    def disks(self):
        out = []
        blocks = self.vblks.blocks
        for i, sector in enumerate(self.sector_sizes):
            d = bytearray(self.disk_units * 512)
            head = bytearray(privhead(self.disk_ids[i], 0x1D5C0100 + i))
            head[0xF0:0x110] = self.name.ljust(32, b"\0")
            head[0x11B:0x123] = be(self.data_start, 8)
            head[0x123:0x12B] = be(self.config_start - self.data_start, 8)
            head[0x12B:0x133] = be(self.config_start, 8)
            head[0x133:0x13B] = be(self.config_units, 8)
            sectors = len(d) // sector
            d[0:512] = protective_mbr(0x1D5C0100 + i, sectors)
            for at in (6, sectors - 1):
                d[at * sector:at * sector + 512] = head
            base = self.config_start * 512
            for at in TOC_SECTORS:
                d[base + at * 512:base + (at + 1) * 512] = tocblock()
            vmdb_at = base + 3 * 512
            d[vmdb_at:vmdb_at + 512] = vmdb(4 + len(blocks) - 1)
            for n, block in enumerate(blocks):
                at = vmdb_at + 512 + n * 128
                d[at:at + 128] = block
            assert vmdb_at + 512 + len(blocks) * 128 <= (sectors - 1) * sector - sector, "database too large"
            out.append(d)
        return out


def main(out_dir):
    fat = open(out_dir + "/fat.fs", "rb").read()
    assert len(fat) == 4096 * SECTOR
    blocks = database()
    disks = [disk(0, blocks), disk(1, blocks)]
    disks[0][DATA_START * SECTOR:(DATA_START + 4096) * SECTOR] = fat
    tag_spanned(disks)
    for i, d in enumerate(disks):
        assert len(d) == DISK_SECTORS * SECTOR
        open("%s/dyn%d.img" % (out_dir, i + 1), "wb").write(d)


if __name__ == "__main__":
    main(sys.argv[1])
