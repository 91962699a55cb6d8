#!/usr/bin/env bash
# tests/ui/update/stop-upgrade-server.sh FIXTURE_DIR: ends the server the start script began.
root="${1:?fixture folder}/upgrade-server"
[ -s "$root/pid" ] && kill "$(cat "$root/pid")" 2>/dev/null
rm -f "$root/pid"
exit 0
