#!/usr/bin/env bash
# Runs a Windows program under Wine with the build tree's own prefix.
# WINEPREFIX comes from the caller (scripts/test); a default keeps
# a stray ctest call from touching ~/.wine.
#
# The program's exit code is the result: a program that exits non-zero,
# or that has not exited by itself, fails whatever it printed. The lines
# this wrapper adds start with "wine-emulator:".
: "${WINEPREFIX:=${KORLAN_WINEPREFIX:-/tmp/korlan-wineprefix}}"
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}

# Seconds a program may take to exit after GoogleTest printed its last line.
exit_grace=${KORLAN_EXIT_GRACE:-30}

tmp=$(mktemp -d)
wine_pid="" tee_out="" tee_err="" watchdog=""
cleanup() {
  [ -n "$wine_pid" ] && kill -9 "$wine_pid" 2>/dev/null
  [ -n "$watchdog" ] && kill "$watchdog" 2>/dev/null
  [ -n "$tee_out" ] && kill "$tee_out" 2>/dev/null
  [ -n "$tee_err" ] && kill "$tee_err" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

note() { echo "wine-emulator: $*" >&2; }

run_once() {
  # The program writes into two pipes read by tee processes of their own,
  # so that a Wine background process which inherits the program's output
  # (the server and its helpers when no run started them before) holds
  # those pipes and not the caller's.
  rm -f "$tmp/out.pipe" "$tmp/err.pipe" "$tmp/hung"
  mkfifo "$tmp/out.pipe" "$tmp/err.pipe"
  : >"$tmp/out"
  : >"$tmp/err"
  tee "$tmp/out" <"$tmp/out.pipe" &
  tee_out=$!
  tee "$tmp/err" <"$tmp/err.pipe" >&2 &
  tee_err=$!

  wine "$@" >"$tmp/out.pipe" 2>"$tmp/err.pipe" </dev/null &
  wine_pid=$!

  reported() { grep -qE '^\[  (PASSED|FAILED)  \]|^\[==========\] [0-9]+ tests? from .* ran\.' "$tmp/out"; }

  # Once GoogleTest has reported, the program has exit_grace seconds to end.
  (
    until reported; do
      sleep 1
      kill -0 "$wine_pid" 2>/dev/null || exit 0
    done
    for _ in $(seq "$exit_grace"); do
      sleep 1
      kill -0 "$wine_pid" 2>/dev/null || exit 0
    done
    : >"$tmp/hung"
    kill -9 "$wine_pid" 2>/dev/null
  ) &
  watchdog=$!
  wait "$wine_pid" 2>/dev/null
  rc=$?
  wine_pid=""
  # The watchdog's shell acts on the signal only once its sleep has ended;
  # ending the sleep too spares every run up to a second.
  kill "$watchdog" 2>/dev/null
  pkill -P "$watchdog" sleep 2>/dev/null
  wait "$watchdog" 2>/dev/null
  watchdog=""
  if [ -e "$tmp/hung" ]; then
    note "the program reported its results but had not exited ${exit_grace} s later: it hangs in its exit; ended, counted as failed"
    exit 1
  fi

  # Wait for the tee processes, so the checks below read the whole output.
  # A background Wine process that inherited the pipes keeps them open; the
  # output written before the exit is in by then.
  for _ in $(seq 100); do
    kill -0 "$tee_out" 2>/dev/null || kill -0 "$tee_err" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$tee_out" 2>/dev/null || kill -0 "$tee_err" 2>/dev/null; then
    note "a Wine background process holds the program's output (start the Wine server before the tests, as scripts/test does)"
  else
    wait "$tee_out" "$tee_err" 2>/dev/null
    tee_out="" tee_err=""
  fi
}

run_once "$@"
# A program that ends with an error before it printed a single line has
# usually not started at all (Wine could not load it or its libraries);
# one more try, with Wine's error channel open, tells a passing hiccup
# from a real failure and shows its cause.
if [ ! -s "$tmp/out" ] && [ "$rc" -ne 0 ]; then
  note "$1 ended with exit code $rc before printing anything; trying once more with Wine's error messages on"
  export WINEDEBUG=err+all,fixme-all
  run_once "$@"
fi

if [ ! -s "$tmp/out" ]; then
  note "$1 ended with exit code $rc before printing anything; its standard error:"
  if [ -s "$tmp/err" ]; then sed 's/^/  | /' "$tmp/err" >&2; else echo "  | (empty)" >&2; fi
  [ "$rc" -eq 0 ] && rc=1
elif [ "$rc" -ne 0 ] && reported; then
  note "the program reported its results and then exited with code $rc: counted as failed"
fi
exit "$rc"
