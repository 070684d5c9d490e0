#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built by CPack from this build tree, unpacked into a
# throwaway root, every file where the desktop looks for it and nothing else,
# its data valid, lintian without errors, the completion offering what each
# option takes.
# usage: tst_package.sh CPACK BUILD_DIR WORK_DIR
set -euo pipefail
cpack=$1 build=$2 work=$3
id=org.example.varko2000
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A missing tool fails the test by its Debian package: a skip would hide it.
while read -r tool package; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: apt-get install $package" >&2; exit 1; }
done <<'EOF'
dpkg-shlibdeps dpkg-dev
lintian lintian
appstreamcli appstream
desktop-file-validate desktop-file-utils
EOF
bash_completion=/usr/share/bash-completion/bash_completion
[[ -f $bash_completion ]] || { echo "FAIL: $bash_completion is missing: apt-get install bash-completion" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack did not build the package" >&2
    exit 1
fi
deb=$(echo "$work"/cpack/varko2000_*.deb)
root=$work/root
dpkg -x "$deb" "$root"

# Where a desktop, man, dpkg and bash-completion look, and the archivers where
# the program looks first: every file of the package, no more, no fewer.
expected=$(sort <<EOF
usr/bin/varko2000
usr/libexec/varko2000/wace
usr/libexec/varko2000/wrar
usr/share/applications/$id.desktop
usr/share/metainfo/$id.metainfo.xml
usr/share/mime/packages/varko2000.xml
usr/share/icons/hicolor/scalable/apps/varko2000.svg
usr/share/icons/hicolor/16x16/apps/varko2000.png
usr/share/icons/hicolor/22x22/apps/varko2000.png
usr/share/icons/hicolor/24x24/apps/varko2000.png
usr/share/icons/hicolor/32x32/apps/varko2000.png
usr/share/icons/hicolor/48x48/apps/varko2000.png
usr/share/icons/hicolor/64x64/apps/varko2000.png
usr/share/icons/hicolor/128x128/apps/varko2000.png
usr/share/icons/hicolor/256x256/apps/varko2000.png
usr/share/man/man1/varko2000.1.gz
usr/share/man/man1/wace.1.gz
usr/share/man/man1/wrar.1.gz
usr/share/bash-completion/completions/varko2000
usr/share/doc/varko2000/copyright
usr/share/doc/varko2000/changelog.gz
EOF
)
installed=$(cd "$root" && find . ! -type d | sed 's|^\./||' | sort)
[[ $installed == "$expected" ]] ||
    fail "the package's files differ from where they belong (< expected, > in the package):
$(diff <(echo "$expected") <(echo "$installed") | grep '^[<>]')"

# The menu entry, the software-centre data and the script type name each other.
desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $id.metainfo.xml"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli finds the installed tree inconsistent"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f $root/usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "the menu entry's icon $icon is not installed"
mime=$(grep -o 'mime-type type="[^"]*"' "$root/usr/share/mime/packages/varko2000.xml" | cut -d'"' -f2)
grep -q "^MimeType=.*$mime;" "$desktop" || fail "the menu entry does not open $mime"
grep -q "<mediatype>$mime</mediatype>" "$metainfo" || fail "the software-centre data does not name $mime"

# The control fields dpkg and apt go by; one version everywhere.
field() { dpkg-deb --field "$deb" "$1"; }
version=$(field Version)
[[ $(field Section) == utils ]] || fail "section $(field Section), not utils"
[[ $(field Depends) == *libqt6widgets6* ]] || fail "dpkg-shlibdeps left Qt out of Depends: $(field Depends)"
[[ $(field Depends) == *libqt6svg6* ]] || fail "Depends lacks the SVG icon engine: $(field Depends)"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the software-centre data does not release $version"
[[ $("$root/usr/bin/varko2000" --version) == "Varko 2000 v$version" ]] || fail "the installed program is not $version"
"$root/usr/libexec/varko2000/wrar" --version >/dev/null || fail "the installed wrar does not run"

# Warnings and notes are printed for the record; an error fails.
lintian --fail-on error "$deb" || fail "lintian reports errors on $(basename "$deb")"

# What Tab offers after the words before it, in a folder holding one file of each kind.
fixture=$work/files
mkdir -p "$fixture/sub"
touch "$fixture"/{a.v2k,b.txt,c.zip,d.sfv,e.par2}
offered() {
    bash -c 'source "$1"; source "$2"; cd "$3"; shift 3
        COMP_WORDS=(varko2000 "$@"); COMP_CWORD=$#; COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
        _varko2000; printf "%s\n" "${COMPREPLY[@]}" | sort | xargs' \
        _ "$bash_completion" "$root/usr/share/bash-completion/completions/varko2000" "$fixture" "$@"
}
while IFS='|' read -r words want; do
    eval "set -- $words"
    got=$(offered "$@")
    [[ $got == "$want" ]] || fail "completion after 'varko2000 $words': '$got', not '$want'"
done <<'EOF'
--|--help --pack --repair --test --version
''|a.v2k sub
--pack ''|a.v2k sub
--pack a.v2k --sfv --|--name --par2 --replace --test
--name x --|--pack --par2 --replace --sfv --test
--pack a.v2k --par2 ''|
--test ''|c.zip d.sfv sub
--repair ''|c.zip d.sfv e.par2 sub
--test c.zip ''|
EOF

[[ $failures -eq 0 ]] && echo "package $(basename "$deb"): as expected"
exit $((failures > 0))
