#!/usr/bin/env python3
# tests/engine/report/check_command_line.py
# disk_report's answers to what it cannot read: a sector size it does not take, a split image
# with a file missing, which must be named and fail, never read as an empty raw disk with
# success, and one whose chunks cannot be decoded, whose sectors are named and fail the run.
#   check_command_line.py FIXTURE_DIR DISK_REPORT [RUNNER]
import os
import re
import subprocess
import sys


def main():
    fixtures, program = sys.argv[1], sys.argv[2]
    runner = sys.argv[3:4] + [program]
    windows = len(runner) > 1
    images = os.path.join(fixtures, "image", "img.dir")

    def path(name):
        full = os.path.join(images, name)
        return "Z:" + full.replace("/", "\\") if windows else full

    # (arguments, exit status, text the error output must hold, text the report must hold)
    cases = [
        (["--sector-size", "1000", path("volume.raw")], 2, "a power of two from 512 to 65536", None),
        (["--sector-size", "4k", path("volume.raw")], 2, "a power of two from 512 to 65536", None),
        (["--sector-size", "4096", path("volume.raw")], 0, None, "sector-size=4096"),
        ([path("missing.img")], 1, "missing.part1.edf", None),
        ([path("nolist.img")], 1, "nolist.edp", None),
        ([path("lzma.img")], 0, None, 'partition disk=0 start=0 sectors=4096 fs=FAT12'),
        # The disk that opens is still reported beside the one that does not.
        ([path("lzma.img"), path("missing.img")], 1, "missing.part1.edf", "disk 0 sectors=4096"),
        # A damaged first chunk is no empty disk: its sectors are named, and the run fails.
        ([path("firstbad.img")], 1, "sectors 0-255 lie in damaged chunks", "damaged-sectors=0-255"),
    ]
    failed = 0
    for args, status, error, shown in cases:
        out = subprocess.run(runner + args, capture_output=True, text=True, errors="replace")
        problems = []
        if out.returncode != status:
            problems.append("exit status %d, wanted %d" % (out.returncode, status))
        if error and error not in out.stderr:
            problems.append("error output %r lacks %r" % (out.stderr, error))
        if shown and not re.search(re.escape(shown), out.stdout):
            problems.append("report %r lacks %r" % (out.stdout, shown))
        if problems:
            failed += 1
            print("FAIL    %s: %s" % (" ".join(args), "; ".join(problems)))
        else:
            print("ok      %s" % " ".join(args))
    print("%d passed, %d failed" % (len(cases) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
