#!/usr/bin/env bash
# tests/ui/results/make_results_files.sh FIXTURE_DIR
# An empty work folder for the removal tests and the trash folder that XDG_DATA_HOME names,
# both on one file system so the shell can move files into the trash.
set -euo pipefail
root=$1/results
rm -rf "$root"
mkdir -p "$root/work" "$root/xdg/Trash/files" "$root/xdg/Trash/info"
