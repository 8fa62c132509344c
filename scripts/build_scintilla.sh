#!/usr/bin/env bash
# Builds Scintilla.dll for Windows from Debian's scite source package with Scintilla's own
# win32 makefile and the MinGW-w64 cross compiler whose prefix is given (x86_64-w64-mingw32
# for 64-bit Windows, i686-w64-mingw32 for 32-bit).
# usage: build_scintilla.sh MINGW_PREFIX OUTPUT_DLL WORK_DIR
# The source and the build stay in WORK_DIR, so later runs only copy the DLL.
set -euo pipefail
prefix=$1
output=$2
work=$3
mkdir -p "$work" "$(dirname "$output")"
cd "$work"

if ! compgen -G 'scite-*/scintilla/win32/makefile' >/dev/null; then
    echo "scintilla: fetching the scite source package"
    apt-get source -q scite >source.log 2>&1 || { cat source.log >&2; exit 1; }
fi
win32=$(dirname "$(compgen -G 'scite-*/scintilla/win32/makefile' | head -n 1)")

if [ ! -f "$win32/../bin/Scintilla.dll" ]; then
    echo "scintilla: building $win32 (log in $work/build.log)"
    make -C "$win32" -j"$(nproc)" CXX=$prefix-g++-posix AR=$prefix-ar RANLIB=$prefix-ranlib \
        WINDRES=$prefix-windres ../bin/Scintilla.dll >build.log 2>&1 ||
        { tail -n 40 build.log >&2; exit 1; }
fi
cp "$win32/../bin/Scintilla.dll" "$output"
