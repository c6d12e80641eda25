#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's hermetic test prefix.
# CTest uses this as the cross-compiling emulator, so test programs run with no further glue.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${GLYPHDOCK_WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
exec wine "$@"
