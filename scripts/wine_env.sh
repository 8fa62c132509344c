# Sourced by the Wine scripts with the architecture (x64 or x86) and a prefix: a private
# prefix in the build tree, 64-bit or 32-bit Windows to match the programs it runs, no
# Mono or Gecko prompts, no debug chatter.
# usage: source wine_env.sh ARCH WINEPREFIX
case "$1" in
    x64) export WINEARCH=win64 ;;
    x86) export WINEARCH=win32 ;;  # a 32-bit Windows, made by the 32-bit Wine
    *) echo "wine: unknown architecture '$1' (x64 or x86)" >&2; exit 2 ;;
esac
export WINEPREFIX=$(realpath -m "$2")  # Wine takes absolute prefixes only
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine maps Windows file names to Unix ones through the locale: under a bare C locale a
# name with characters beyond ASCII cannot be created at all.
export LC_ALL=C.UTF-8

# A 64-bit prefix made while the 32-bit Wine was not installed has no 32-bit half; once it
# is installed, Debian's `wine` starts the 32-bit loader, which then runs nothing there.
lacks_its_32bit_half() {
    [ "$WINEARCH" = win64 ] && [ -x /usr/lib/wine/wine ] && [ -f "$WINEPREFIX/system.reg" ] &&
        [ -z "$(ls -A "$WINEPREFIX/drive_c/windows/syswow64" 2>/dev/null)" ]
}

ensure_wine_prefix() {
    if lacks_its_32bit_half; then
        echo "wine: making $WINEPREFIX anew, with the 32-bit Wine installed since"
        rm -rf "$WINEPREFIX"
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine: creating the prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot --init >"$WINEPREFIX.log" 2>&1 || { cat "$WINEPREFIX.log" >&2; return 1; }
        wineserver -w
    fi
}

# Wine takes the screen's DPI from the user's LogPixels in the prefix, read as a program
# starts: a prefix of its own per DPI keeps the default one at 96.
set_wine_dpi() {
    local marker="$WINEPREFIX/tarnwick-dpi"
    [ "$(cat "$marker" 2>/dev/null)" = "$1" ] && return
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -w
    echo "$1" >"$marker"
}
