#!/usr/bin/env bash
# Checks the release: the zip holds Tarnwick.dll alone, at its root, identical to the built
# DLL, and the DLL imports nothing but Windows' own libraries.
# usage: check_release.sh DLL ZIP
set -euo pipefail
dll=$1
zip=$(realpath "$2")
objdump=x86_64-w64-mingw32-objdump

listing=$(cmake -E tar tf "$zip")
[ "$listing" = "Tarnwick.dll" ] || { echo "zip holds: $listing"; exit 1; }

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
cmp "$dll" "$unpacked/Tarnwick.dll" || { echo "zipped DLL differs from the build"; exit 1; }

windows_dlls='^(kernel32|user32|gdi32|gdiplus|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32|msvcrt|uxtheme|version|imm32|msimg32|uuid)\.dll$'
imports=$($objdump -p "$dll" | sed -n 's/^\s*DLL Name: //p')
echo "imports: $(echo $imports)"
foreign=$(echo "$imports" | tr 'A-Z' 'a-z' | grep -Ev "$windows_dlls" || true)
[ -z "$foreign" ] || { echo "imports beyond Windows: $foreign"; exit 1; }

exports=$($objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$exports" = "beNotified getFuncsArray getName isUnicode messageProc setInfo " ] ||
    { echo "exports: $exports"; exit 1; }
echo "release ok"
