#!/usr/bin/env bash
# Installs from Debian's packages whatever the build and the tests need and is missing:
# the 32-bit architecture for the 32-bit Wine, the packages, and the source entry that
# `apt-get source` needs for Scintilla, on the archive the machine already installs from.
# Does nothing when everything is there. Runs as root, or as a user through sudo for the
# installs only.
set -euo pipefail

packages=(
    ca-certificates cmake ninja-build g++ make dpkg-dev xz-utils perl clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
    wine wine64 wine32:i386 xvfb xauth
    nlohmann-json3-dev libutfcpp-dev googletest libgtest-dev libgmock-dev
)
source_list=/etc/apt/sources.list.d/tarnwick-deb-src.sources

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "setup: '$*' needs root, and sudo is not installed" >&2
        exit 1
    fi
}

is_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

has_scite_source() {
    apt-cache showsrc scite 2>/dev/null | grep -q '^Package: scite'
}

needs_update=false
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture for the 32-bit Wine"
    as_root dpkg --add-architecture i386
    needs_update=true
fi

missing=()
for package in "${packages[@]}"; do
    is_installed "$package" || missing+=("$package")
done

if ! has_scite_source; then
    if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        archive=$("$(dirname "${BASH_SOURCE[0]}")/debian_source_uri.sh")
        echo "setup: adding bookworm's source packages from $archive to apt's sources"
        printf '%s\n' 'Types: deb-src' "URIs: $archive" 'Suites: bookworm' \
            'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
            as_root tee "$source_list" >/dev/null
    fi
    needs_update=true
fi
[ ${#missing[@]} -gt 0 ] && needs_update=true

# A mirror caught mid-sync fails one index now and then: a few tries, then the install
# goes on with what was fetched and fails clearly if a package is really missing.
update_package_lists() {
    local attempt
    for attempt in 1 2 3; do
        echo "setup: apt-get update"
        as_root apt-get update -q && return 0
        sleep $((attempt * 5))
    done
    echo "setup: apt-get update failed for some sources; going on with the lists fetched" >&2
}

if $needs_update; then update_package_lists; fi
install_packages() {
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "$@" "${missing[@]}"
}

# The 32-bit libraries must carry the very versions of their 64-bit twins. When one
# architecture's index of the security suite could not be fetched, the two disagree;
# taking both from the release itself makes them agree again.
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if ! install_packages; then
        echo "setup: the install failed; trying again with every package from bookworm itself" >&2
        install_packages -t bookworm
    fi
fi
