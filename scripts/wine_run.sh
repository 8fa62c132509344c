#!/usr/bin/env bash
# Runs one Windows program under Wine; CTest uses it as the cross-compiling emulator.
# usage: wine_run.sh ARCH WINEPREFIX PROGRAM.exe [ARGS...]   (ARCH: x64 or x86)
# With TARNWICK_WINE_DPI set, the prefix's screen gets that DPI first.
# Inside with_wine.sh the display and a warm wineserver are already there; alone it
# starts a virtual display for this one program and keeps the program's exit code.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh" "$1" "$2"
shift 2
ensure_wine_prefix
if [ -n "${TARNWICK_WINE_DPI:-}" ]; then set_wine_dpi "$TARNWICK_WINE_DPI"; fi
if [ -n "${DISPLAY:-}" ]; then
    exec wine "$@"
fi
exec xvfb-run -a sh -c 'wine "$@"; rc=$?; wineserver -w; exit $rc' wine_run "$@"
