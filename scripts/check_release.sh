#!/usr/bin/env bash
# Checks the release of one architecture: the zip holds Tarnwick.dll alone, at its root,
# the built DLL stripped (the same code, no debug sections, while the built DLL keeps them),
# built for that architecture and importing nothing but Windows' own libraries; the plugin list entry names that zip by its SHA-256 and the
# version of the DLL's version resource.
# usage: check_release.sh MINGW_PREFIX DLL ZIP PLUGIN_LIST
set -euo pipefail
prefix=$1
dll=$2
zip=$(realpath "$3")
list=$4
case "$prefix" in
    x86_64-*) format=pei-x86-64 arch=x64 ;;
    i686-*) format=pei-i386 arch=x86 ;;
    *) echo "unknown MinGW prefix $prefix"; exit 2 ;;
esac

listing=$(cmake -E tar tf "$zip")
[ "$listing" = "Tarnwick.dll" ] || { echo "zip holds: $listing"; exit 1; }

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
zipped=$unpacked/Tarnwick.dll
$prefix-objcopy -O binary --only-section=.text "$dll" "$unpacked/built.text"
$prefix-objcopy -O binary --only-section=.text "$zipped" "$unpacked/zipped.text"
cmp "$unpacked/built.text" "$unpacked/zipped.text" ||
    { echo "zipped DLL's code differs from the build's"; exit 1; }
debug_sections() { $prefix-objdump -h "$1" | grep -c ' \.debug_' || true; }
[ "$(debug_sections "$zipped")" = 0 ] || { echo "zipped DLL has debug sections"; exit 1; }
[ "$(debug_sections "$dll")" != 0 ] || { echo "built DLL has no debug sections"; exit 1; }
echo "zipped DLL: $(stat -c %s "$zipped") bytes, built: $(stat -c %s "$dll")"

built_as=$($prefix-objdump -f "$zipped" | sed -n 's/.*file format //p')
[ "$built_as" = "$format" ] || { echo "DLL is $built_as, not $format"; exit 1; }

windows_dlls='^(kernel32|user32|gdi32|gdiplus|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32|msvcrt|uxtheme|version|imm32|msimg32|uuid)\.dll$'
imports=$($prefix-objdump -p "$zipped" | sed -n 's/^\s*DLL Name: //p')
echo "imports: $(echo $imports)"
foreign=$(echo "$imports" | tr 'A-Z' 'a-z' | grep -Ev "$windows_dlls" || true)
[ -z "$foreign" ] || { echo "imports beyond Windows: $foreign"; exit 1; }

exports=$($prefix-objdump -p "$zipped" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$exports" = "beNotified getFuncsArray getName isUnicode messageProc setInfo " ] ||
    { echo "exports: $exports"; exit 1; }

# The list is a JSON array of one entry; prints that entry's member $1.
entry() {
    perl -MJSON::PP -0777 -e '
        my $list = decode_json(<STDIN>);
        ref $list eq "ARRAY" && @$list == 1 or die "not a list of one entry\n";
        my $value = $list->[0]{$ARGV[0]};
        defined $value && !ref $value or die "no text member \"$ARGV[0]\"\n";
        print $value' "$1" <"$list"
}
expect_entry() {
    local actual
    actual=$(entry "$1") || exit 1
    [ "$actual" = "$2" ] || { echo "plugin list $1: '$actual', expected '$2'"; exit 1; }
}

hash=$(sha256sum "$zip" | cut -d' ' -f1)
# The version resource's texts are UTF-16; each value follows its key.
dll_version=$($prefix-strings -el -n 3 "$zipped" | grep -x -A1 FileVersion | sed -n 2p)
[ "$(basename "$zip")" = "Tarnwick-$dll_version-$arch.zip" ] ||
    { echo "zip $(basename "$zip") is not named by version $dll_version and $arch"; exit 1; }
expect_entry id "$hash"
expect_entry version "$dll_version"
expect_entry folder-name Tarnwick
repository=$(entry repository)
[ "${repository##*/}" = "$(basename "$zip")" ] ||
    { echo "plugin list repository $repository names another zip"; exit 1; }
for member in display-name description author homepage; do
    [ -n "$(entry $member)" ] || { echo "plugin list $member is empty"; exit 1; }
done
echo "release ok: $(basename "$zip"), version $dll_version, sha256 $hash"
