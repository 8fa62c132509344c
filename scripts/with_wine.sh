#!/usr/bin/env bash
# Runs a command (typically ctest) with a virtual display and one persistent wineserver,
# so each Windows program it starts under Wine starts warm.
# usage: with_wine.sh ARCH WINEPREFIX COMMAND [ARGS...]   (ARCH: x64 or x86)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh" "$1" "$2"
shift 2
ensure_wine_prefix
exec xvfb-run -a -s '-screen 0 1280x1024x24' \
    bash -c 'wineserver -p
             # Start Wine'"'"'s own background processes now, detached from our output:
             # started by the first test they would hold its pipe open and stall CTest.
             wineboot </dev/null >/dev/null 2>&1
             "$@"; rc=$?
             wineserver -k
             exit $rc' with_wine "$@"
