#!/usr/bin/env bash
# Starts minihost under Wine with Tarnwick.dll, the two sample logs in tabs of the main view
# and the sample search list, opens the panel and runs a search in the log shown (the one
# opened last); switching tabs shows the marks following the document. The log shown is a
# copy that minihost watches (tail -f) and appends a line to every few tenths of a second,
# so the results follow a growing file. With a display it
# stays open for the user; without one it runs under Xvfb and saves screenshots (the editor
# with the panel, and the About box) to the paths it prints. With --dark the host is in dark
# mode, and the screenshots' names end in -dark; with --dpi N the screen has N dots per inch
# (96 is 100 %, 192 is 200 %), in a Wine prefix of its own, and the names end in -Ndpi.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=build/mingw-x64

usage() { echo "usage: $0 [--dark] [--dpi N]" >&2; exit 2; }
headless=false
dark=()
dpi=
arguments=("$@")
while [ $# -gt 0 ]; do
    case "$1" in
        --headless) headless=true ;;
        --dark) dark=(--dark) ;;
        --dpi) [[ "${2:-}" =~ ^[1-9][0-9]*$ ]] || usage; dpi=$2; shift ;;
        *) usage ;;
    esac
    shift
done
prefix=$build/wineprefix${dpi:+-$dpi}
source scripts/wine_env.sh x64 "$prefix"

if [ -z "${DISPLAY:-}" ] && ! $headless; then
    exec scripts/with_wine.sh x64 "$prefix" "$0" --headless "${arguments[@]}"
fi
ensure_wine_prefix
if [ -n "$dpi" ]; then set_wine_dpi "$dpi"; fi

# Headless runs start from the sample list every time; with a display the user's own
# changes are kept from one run to the next.
if $headless; then config=$build/run/headless-config; rm -rf "$config"; else config=$build/run/config; fi
mkdir -p "$config/Tarnwick"
[ -f "$config/Tarnwick/searches.json" ] || cp scripts/sample/searches.json "$config/Tarnwick/"

# The growing log starts from the sample each run; the sample itself stays as it is.
growing=$build/run/gateway.log
cp scripts/sample/gateway.log "$growing"

windows_path() { winepath -w "$(realpath -m "$1")" 2>/dev/null; }
minihost=(wine "$build/bin/minihost.exe" --plugin "$(windows_path "$build/bin/Tarnwick.dll")"
          --config "$(windows_path "$config")"
          --open "$(windows_path scripts/sample/sample.log)"
          --tail "$(windows_path "$growing")" --grow-log "$(windows_path "$growing")"
          --show-panel --click 2005 "${dark[@]}")  # 2005: the panel's "Search"

if ! $headless; then
    exec "${minihost[@]}"
fi
shots=build/screenshots
suffix=${dark:+-dark}${dpi:+-${dpi}dpi}
mkdir -p "$shots"
echo "screenshots:"
"${minihost[@]}" --screenshot "$(windows_path "$shots/minihost$suffix.png")" >/dev/null
realpath "$shots/minihost$suffix.png"
"${minihost[@]}" --click 2009 --screenshot "$(windows_path "$shots/about$suffix.png")" >/dev/null  # 2009: "Info"
realpath "$shots/about$suffix.png"
