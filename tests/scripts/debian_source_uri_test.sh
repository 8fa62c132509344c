#!/usr/bin/env bash
# Runs debian_source_uri.sh against apt configurations made here, one folder per case.
# usage: debian_source_uri_test.sh PATH/TO/debian_source_uri.sh
set -uo pipefail
script=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
passed=0
failed=0

# A fresh apt configuration folder for one case.
config() {
    rm -rf "$root/apt"
    mkdir -p "$root/apt/sources.list.d"
    echo "$root/apt"
}

expect_uri() {
    local name=$1 expected=$2 actual
    actual=$("$script" "$root/apt" 2>&1)
    if [ $? -eq 0 ] && [ "$actual" = "$expected" ]; then
        passed=$((passed + 1))
    else
        echo "FAILED $name: expected '$expected', got '$actual'"
        failed=$((failed + 1))
    fi
}

expect_failure() {
    local name=$1 output
    if output=$("$script" "$root/apt" 2>&1); then
        echo "FAILED $name: succeeded with '$output'"
        failed=$((failed + 1))
    elif [[ "$output" != *"no enabled 'deb' source for bookworm main"* ]]; then
        echo "FAILED $name: message '$output'"
        failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
}

apt=$(config)
cat >"$apt/sources.list.d/debian.sources" <<'SOURCES'
# Security updates come first and are not the archive.
Types: deb
URIs: file:/srv/mirrors/security/debian-security
Suites: bookworm-security
Components: main

Types: deb-src
URIs: file:/srv/mirrors/sources-only/debian
Suites: bookworm
Components: main

Types: deb
URIs: file:/srv/mirrors/switched-off/debian
Suites: bookworm
Components: main
Enabled: no

types: deb deb-src
uris: file:/srv/mirrors/archive/debian file:/srv/mirrors/second/debian
suites: bookworm bookworm-updates
components: contrib main
signed-by:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 -----END PGP PUBLIC KEY BLOCK-----
SOURCES
expect_uri "deb822: the first URI of the first enabled binary bookworm main stanza" \
    file:/srv/mirrors/archive/debian

apt=$(config)
printf 'Types: deb\nURIs: file:/srv/mirrors/last/debian\nSuites: bookworm\nComponents: main' \
    >"$apt/sources.list.d/debian.sources"
expect_uri "deb822: a stanza that ends the file without a blank line" \
    file:/srv/mirrors/last/debian

apt=$(config)
cat >"$apt/sources.list" <<'LIST'
# deb file:/srv/mirrors/commented/debian bookworm main
deb cdrom:[Debian GNU/Linux 12 DVD]/ bookworm main
deb file:/srv/mirrors/other/apt cloud-bookworm main
deb file:/srv/mirrors/other/debian bookworm-updates main
deb-src file:/srv/mirrors/sources-only/debian bookworm main
deb [ arch=amd64 signed-by=/usr/share/keyrings/k.gpg ] file:/srv/mirrors/lined/debian bookworm contrib main
LIST
printf 'Types: deb\nURIs: file:/srv/mirrors/later/debian\nSuites: bookworm\nComponents: main\n' \
    >"$apt/sources.list.d/debian.sources"
expect_uri "one-line: sources.list before sources.list.d, options skipped, no disc" \
    file:/srv/mirrors/lined/debian

apt=$(config)
echo 'deb file:/srv/mirrors/b/debian bookworm main' >"$apt/sources.list.d/b.list"
printf 'Types: deb\nURIs: file:/srv/mirrors/a/debian\nSuites: bookworm\nComponents: main\n' \
    >"$apt/sources.list.d/a.sources"
echo 'deb file:/srv/mirrors/ignored/debian bookworm main' \
    >"$apt/sources.list.d/0.list.disabled"
expect_uri "sources.list.d in the order of the names, other files ignored" \
    file:/srv/mirrors/a/debian

apt=$(config)
echo 'deb file:/srv/mirrors/security/debian-security bookworm-security main' \
    >"$apt/sources.list"
expect_failure "no binary bookworm main source"

rm -rf "$root/apt"
expect_failure "no apt configuration at all"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
