#!/usr/bin/env bash
# Prints the address of the Debian archive this machine is configured to install from:
# the first URI of the first enabled binary source for bookworm's main component, read in
# apt's own order (sources.list, then sources.list.d/ by name; deb822 `.sources` files and
# one-line `.list` files). Fails with a message when there is none.
# usage: debian_source_uri.sh [APT_CONFIG_DIR]   (default /etc/apt)
set -euo pipefail
apt_dir=${1:-/etc/apt}
suite=bookworm
component=main

# One-line format: deb [options] URI SUITE COMPONENT...
uri_of_list() {
    awk -v suite="$suite" -v component="$component" '
        $1 != "deb" { next }
        {
            field = 2
            if ($field ~ /^\[/) { while ($field !~ /\]$/ && field < NF) field++; field++ }
            if ($(field + 1) != suite) next
            for (i = field + 2; i <= NF; i++) if ($i == component) { print $field; exit }
        }' "$1"
}

# deb822 format: stanzas of "Field: value" lines, separated by blank lines.
uri_of_sources() {
    awk -v suite="$suite" -v component="$component" '
        function has(list, word,   n, words, i) {
            n = split(list, words, /[ \t]+/)
            for (i = 1; i <= n; i++) if (words[i] == word) return 1
            return 0
        }
        function consider() {
            if (!found && has(types, "deb") && has(suites, suite) && has(components, component) &&
                tolower(enabled) != "no" && uris != "") {
                split(uris, first, /[ \t]+/); print first[1]; found = 1; exit
            }
            types = suites = components = uris = enabled = ""
        }
        /^[ \t]*#/ { next }
        /^[ \t]*$/ { consider(); next }
        /^[^ \t]/ {
            name = tolower($0); sub(/:.*/, "", name)
            value = $0; sub(/^[^:]*:[ \t]*/, "", value); sub(/[ \t]+$/, "", value)
            if (name == "types") types = value
            else if (name == "suites") suites = value
            else if (name == "components") components = value
            else if (name == "uris") uris = value
            else if (name == "enabled") enabled = value
        }
        END { consider() }' "$1"
}

uri_in() {
    case "$1" in
        *.sources) uri_of_sources "$1" ;;
        *) uri_of_list "$1" ;;
    esac
}

# apt reads sources.list first, then the files of sources.list.d/ in the order of their names.
source_files() {
    [ -f "$apt_dir/sources.list" ] && echo "$apt_dir/sources.list"
    for file in "$apt_dir"/sources.list.d/*; do
        case "$file" in *.list | *.sources) [ -f "$file" ] && echo "$file" ;; esac
    done
}

while IFS= read -r file; do
    uri=$(uri_in "$file")
    # A disc the machine was installed from holds no source packages.
    if [ -n "$uri" ] && [[ "$uri" != cdrom:* ]]; then
        echo "$uri"
        exit 0
    fi
done < <(source_files)
echo "no enabled 'deb' source for $suite $component in $apt_dir/sources.list or" \
    "$apt_dir/sources.list.d/: configure the Debian archive apt should use first" >&2
exit 1
