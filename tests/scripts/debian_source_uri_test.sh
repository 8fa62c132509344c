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
URIs: http://security.example.invalid/debian-security
Suites: bookworm-security
Components: main

Types: deb-src
URIs: http://sources-only.example.invalid/debian
Suites: bookworm
Components: main

Types: deb
URIs: http://switched-off.example.invalid/debian
Suites: bookworm
Components: main
Enabled: no

types: deb deb-src
uris: http://archive.example.invalid/debian http://second.example.invalid/debian
suites: bookworm bookworm-updates
components: contrib main
signed-by:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 -----END PGP PUBLIC KEY BLOCK-----
SOURCES
expect_uri "deb822: the first URI of the first enabled binary bookworm main stanza" \
    http://archive.example.invalid/debian

apt=$(config)
printf 'Types: deb\nURIs: http://last.example.invalid/debian\nSuites: bookworm\nComponents: main' \
    >"$apt/sources.list.d/debian.sources"
expect_uri "deb822: a stanza that ends the file without a blank line" \
    http://last.example.invalid/debian

apt=$(config)
cat >"$apt/sources.list" <<'LIST'
# deb http://commented.example.invalid/debian bookworm main
deb cdrom:[Debian GNU/Linux 12 DVD]/ bookworm main
deb http://other.example.invalid/apt cloud-bookworm main
deb http://other.example.invalid/debian bookworm-updates main
deb-src http://sources-only.example.invalid/debian bookworm main
deb [ arch=amd64 signed-by=/usr/share/keyrings/k.gpg ] http://lined.example.invalid/debian bookworm contrib main
LIST
printf 'Types: deb\nURIs: http://later.example.invalid/debian\nSuites: bookworm\nComponents: main\n' \
    >"$apt/sources.list.d/debian.sources"
expect_uri "one-line: sources.list before sources.list.d, options skipped, no disc" \
    http://lined.example.invalid/debian

apt=$(config)
echo 'deb http://b.example.invalid/debian bookworm main' >"$apt/sources.list.d/b.list"
printf 'Types: deb\nURIs: http://a.example.invalid/debian\nSuites: bookworm\nComponents: main\n' \
    >"$apt/sources.list.d/a.sources"
echo 'deb http://ignored.example.invalid/debian bookworm main' \
    >"$apt/sources.list.d/0.list.disabled"
expect_uri "sources.list.d in the order of the names, other files ignored" \
    http://a.example.invalid/debian

apt=$(config)
echo 'deb http://security.example.invalid/debian-security bookworm-security main' \
    >"$apt/sources.list"
expect_failure "no binary bookworm main source"

rm -rf "$root/apt"
expect_failure "no apt configuration at all"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
