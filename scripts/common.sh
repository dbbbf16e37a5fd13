# Shared by scripts/run and scripts/test.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${KORLAN_BUILD_DIR:-$ROOT/build}
JOBS=${KORLAN_JOBS:-$(nproc)}

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
}

configure_and_build() {  # dir toolchain-or-empty extra-cmake-args...
  local dir=$1 tc=$2; shift 2
  if [ ! -f "$dir/build.ninja" ]; then
    local tcarg=()
    [ -n "$tc" ] && tcarg=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$tc")
    cmake -S "$ROOT" -B "$dir" -G Ninja "${tcarg[@]}" "$@" >/dev/null
  fi
  cmake --build "$dir" -j "$JOBS"
}
