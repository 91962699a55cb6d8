# Sourced by the build, run and test scripts: which Windows build this machine can execute,
# where each build lives, and how Wine is started for it.
#
# Two builds come from one tree: i686 (the program as shipped, 32-bit) and x86_64. Machines
# of this kind differ in whether the kernel executes 32-bit x86 code; where it does not,
# 32-bit Wine cannot start and only the 64-bit build can be run and tested.
# WINDOWS_TARGET=i686 or WINDOWS_TARGET=x86_64 forces the choice.

WINDOWS_TARGETS="i686 x86_64"

# The build this machine runs: the shipped 32-bit one wherever 32-bit code executes.
runnable_target() {
  case ${WINDOWS_TARGET:-} in
    i686|x86_64) echo "$WINDOWS_TARGET"; return ;;
    "") ;;
    *) echo "WINDOWS_TARGET must be i686 or x86_64, not '$WINDOWS_TARGET'" >&2; return 2 ;;
  esac
  if runs_32bit_code; then echo i686; else echo x86_64; fi
}

runs_32bit_code() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# The folder of one target's build below the build root.
target_build_dir() {   # target_build_dir ROOT TARGET
  echo "$1/$2"
}

# Exports the Wine environment for a build of TARGET whose folder is BUILD. Debian's `wine`
# script always takes the 32-bit loader when wine32 is installed, so the loader is named here.
wine_env() {   # wine_env TARGET BUILD
  export WINE_BUILD_DIR=$2 WINEPREFIX=$2/wineprefix WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  # The 64-bit server serves prefixes of both kinds.
  export WINESERVER=/usr/lib/wine/wineserver64
  if [ "$1" = x86_64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  else
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  fi
}

# The target a build folder was configured for (its toolchain file says).
build_target_of() {   # build_target_of BUILD
  sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=.*mingw-\(i686\|x86_64\)\.cmake$/\1/p' "$1/CMakeCache.txt" 2>/dev/null
}

# What a bench prints about the build it timed.
target_description() {   # target_description TARGET
  if [ "$1" = i686 ]; then echo "i686 build (32-bit Windows, 32-bit Wine)"
  else echo "x86_64 build (64-bit Windows, 64-bit Wine)"; fi
}

# Sets root (BUILD_DIR, default HERE/build), target (the build this machine runs) and build
# (that target's folder), for the scripts that run one build.
use_runnable_build() {   # use_runnable_build HERE
  root=${BUILD_DIR:-$1/build}
  mkdir -p "$root"
  root=$(cd "$root" && pwd)
  target=$(runnable_target)
  build=$(target_build_dir "$root" "$target")
  export BUILD_DIR=$root
}
