#!/usr/bin/env bash
# Runs a Windows program under Wine with the build tree's own prefix.
# WINEPREFIX comes from the caller (scripts/test); a default keeps
# a stray ctest call from touching ~/.wine.
: "${WINEPREFIX:=${KORLAN_WINEPREFIX:-/tmp/korlan-wineprefix}}"
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
