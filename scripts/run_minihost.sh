#!/usr/bin/env bash
# Starts minihost under Wine with Tarnwick.dll, the two sample logs in tabs of the main view
# and the sample search list, opens the panel and runs a search in the log shown (the one
# opened last); switching tabs shows the marks following the document. With a display it stays open for the user; without
# one it runs under Xvfb and saves screenshots (the editor with the panel, and the About
# box) to the paths it prints.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=build/mingw-x64
source scripts/wine_env.sh x64 "$build/wineprefix"

if [ -z "${DISPLAY:-}" ] && [ "${1:-}" != --headless ]; then
    exec scripts/with_wine.sh x64 "$build/wineprefix" "$0" --headless
fi
ensure_wine_prefix

# Headless runs start from the sample list every time; with a display the user's own
# changes are kept from one run to the next.
if [ "${1:-}" = --headless ]; then config=$build/run/headless-config; rm -rf "$config"; else config=$build/run/config; fi
mkdir -p "$config/Tarnwick"
[ -f "$config/Tarnwick/searches.json" ] || cp scripts/sample/searches.json "$config/Tarnwick/"

windows_path() { winepath -w "$(realpath -m "$1")" 2>/dev/null; }
minihost=(wine "$build/bin/minihost.exe" --plugin "$(windows_path "$build/bin/Tarnwick.dll")"
          --config "$(windows_path "$config")"
          --open "$(windows_path scripts/sample/sample.log)"
          --open "$(windows_path scripts/sample/gateway.log)"
          --show-panel --click 2005)  # 2005: the panel's "Search"

if [ "${1:-}" != --headless ]; then
    exec "${minihost[@]}"
fi
shots=build/screenshots
mkdir -p "$shots"
echo "screenshots:"
"${minihost[@]}" --screenshot "$(windows_path "$shots/minihost.png")" >/dev/null
realpath "$shots/minihost.png"
"${minihost[@]}" --click 2009 --screenshot "$(windows_path "$shots/about.png")" >/dev/null  # 2009: "Info"
realpath "$shots/about.png"
