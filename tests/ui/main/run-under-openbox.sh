#!/usr/bin/env bash
# tests/ui/main/run-under-openbox.sh BUILD_DIR PROGRAM [ARGS...]
# Runs a Windows test program under a window manager (openbox, Debian package "openbox"), on
# an X display of its own and in a Wine prefix of its own whose windows the manager manages
# ("Managed"="Y"). Every other test keeps the build's unmanaged prefix and the shared display.
# The program clicks through xdotool (package "xdotool"), as the X server delivers a user's
# clicks to the manager and the windows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)

if [ "${1:-}" = --inside ]; then
  shift
  openbox --sm-disable </dev/null >/dev/null 2>&1 &
  wm=$!
  # The manager is up once it names itself on the root window.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  set +e
  "$root/tools/wine-run" "$@"
  rc=$?
  set -e
  "$WINESERVER" -k || true
  kill "$wm" 2>/dev/null || true
  wait "$wm" 2>/dev/null || true
  exit $rc
fi

build=$(cd "$1" && pwd)
shift
for tool in openbox xdotool xprop xvfb-run; do
  command -v "$tool" >/dev/null || { echo "run-under-openbox: $tool is not installed" >&2; exit 1; }
done
. "$root/tools/target.sh"
target=$(build_target_of "$build")
wine_env "$target" "$build"
export WINEPREFIX=$build/wineprefix-managed
stamp=$WINEPREFIX/.project-ready
if [ ! -f "$stamp" ]; then
  "$WINELOADER" wineboot -i </dev/null >/dev/null 2>&1 || true
  # The build's own prefix settings, with the windows managed.
  sed 's/^"Managed"="N"/"Managed"="Y"/' "$build/prefix-settings.reg" > "$build/prefix-managed.reg"
  grep -q '^"Managed"="Y"' "$build/prefix-managed.reg"
  "$WINELOADER" regedit /S "$("$WINELOADER" winepath -w "$build/prefix-managed.reg" 2>/dev/null)" \
    </dev/null >/dev/null 2>&1
  "$WINESERVER" -w
  touch "$stamp"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$@"
