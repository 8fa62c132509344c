# Sourced by the Wine scripts: a private prefix in the build tree, no Mono or Gecko
# prompts, no debug chatter.
export WINEPREFIX=$(realpath -m "$1")  # Wine takes absolute prefixes only
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine maps Windows file names to Unix ones through the locale: under a bare C locale a
# name with characters beyond ASCII cannot be created at all.
export LC_ALL=C.UTF-8

ensure_wine_prefix() {
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
