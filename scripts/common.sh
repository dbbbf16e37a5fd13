# Shared by scripts/run, scripts/test and scripts/run-macro.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${KORLAN_BUILD_DIR:-$ROOT/build}
JOBS=${KORLAN_JOBS:-$(nproc)}

# Compiles go through ccache where it is installed: a second build of the
# same sources, in this checkout or in another one, takes minutes less.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CCACHE_DIR=${CCACHE_DIR:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/korlan-ccache}
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT}
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-10G}
fi

# One Wine prefix per build tree, created once.
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

ensure_wineprefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # A program that crashes gets its backtrace written to standard error and
  # ends; Wine's crash dialog would wait on the invisible display for a
  # click that never comes.
  if ! grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        </dev/null >/dev/null 2>&1
  fi
  # No window manager runs on the virtual display. Wine waits up to two
  # seconds for one to withdraw each managed window that is hidden, so
  # every closed dialog cost two seconds; unmanaged windows close at once.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null 2>&1
  fi
}

configure_tree() {  # dir toolchain-or-empty extra-cmake-args...
  local dir=$1 tc=$2; shift 2
  if [ ! -f "$dir/build.ninja" ]; then
    local tcarg=()
    [ -n "$tc" ] && tcarg=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$tc")
    cmake -S "$ROOT" -B "$dir" -G Ninja "${tcarg[@]}" "$@" >/dev/null
  fi
}

build_tree() {  # dir [targets...]
  local dir=$1; shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake --build "$dir" -j "$JOBS" "${targets[@]}"
}

configure_and_build() {  # dir toolchain-or-empty extra-cmake-args...
  configure_tree "$@" && build_tree "$1"
}

# Seconds as "1m05s".
format_seconds() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# A virtual X display of this run's own; Xvfb picks a free number.
XVFB_PID=""
start_virtual_display() {
  local f
  f=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$f" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 200); do
    [ -s "$f" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  local n
  n=$(head -1 "$f")
  rm -f "$f"
  if [ -z "$n" ]; then
    echo "the virtual display did not start" >&2
    XVFB_PID=""
    return 1
  fi
  export DISPLAY=":$n"
}
stop_virtual_display() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  fi
}

# Starts the Wine server, the prefix's services and the desktop once, with
# their output sent nowhere, and keeps them until stop_wine_session. Wine
# starts these background processes with the first program otherwise, and
# they inherit that program's output. The desktop needs DISPLAY and the
# keeper program (tests/tools/desktop_keeper.cpp) from a build tree;
# without it the first window program starts the desktop.
# With "fresh" a server left running in this prefix is ended first.
WINE_STARTED=0
start_wine_session() {  # desktop-keeper-exe-or-empty [fresh]
  local keeper=$1
  ensure_wineprefix
  [ "${2:-}" = fresh ] && wineserver -k >/dev/null 2>&1
  WINE_STARTED=0
  if wineserver -p </dev/null >/dev/null 2>&1; then WINE_STARTED=1; fi
  wineboot </dev/null >/dev/null 2>&1 || true
  # A server that was running already has its desktop.
  if [ "$WINE_STARTED" = 1 ] && [ -n "$keeper" ] && [ -f "$keeper" ]; then
    local ready
    ready=$(mktemp -u)
    wine "$keeper" "Z:$ready" </dev/null >/dev/null 2>&1 &
    for _ in $(seq 300); do [ -e "$ready" ] && break; sleep 0.1; done
    if [ -e "$ready" ]; then rm -f "$ready"; else echo "the Wine desktop did not start" >&2; return 1; fi
  fi
}
stop_wine_session() {
  if [ "$WINE_STARTED" = 1 ]; then
    wineserver -k >/dev/null 2>&1
    WINE_STARTED=0
  fi
}
