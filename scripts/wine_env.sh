# Sourced by the Wine scripts: a private prefix in the build tree, no Mono or Gecko
# prompts, no debug chatter.
export WINEPREFIX=$(realpath -m "$1")  # Wine takes absolute prefixes only
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

ensure_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine: creating the prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot --init >"$WINEPREFIX.log" 2>&1 || { cat "$WINEPREFIX.log" >&2; return 1; }
        wineserver -w
    fi
}
