#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks what a desktop and a distribution
# need is there: programs, desktop entry, AppStream metainfo, icons, compressed manual pages,
# copyright and changelog, each carrying the version of the build.
#   check_install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
id=org.kurvanto.Kurvanto
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
fail=0
complain() {
    echo "$*"
    fail=1
}
expect() {
    [ -e "$prefix/$1" ] || complain "missing: $1"
}
expect bin/kurvanto
expect bin/kurvanto-cli
expect "share/applications/$id.desktop"
expect "share/metainfo/$id.metainfo.xml"
expect "share/mime/packages/$id.xml"
expect share/doc/kurvanto/copyright
expect share/doc/kurvanto/changelog.gz
expect share/lintian/overrides/kurvanto
for size in 16 22 24 32 48 64 128 256; do
    expect "share/icons/hicolor/${size}x${size}/apps/kurvanto.png"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail=1
# The worksheets' type: named by the desktop file and the metainfo, a glob for *.kurv.
mime=application/x-kurvanto-worksheet
grep -q "^MimeType=.*$mime;" "$prefix/share/applications/$id.desktop" ||
    complain "desktop file: no MimeType $mime"
grep -q "<mediatype>$mime</mediatype>" "$prefix/share/metainfo/$id.metainfo.xml" ||
    complain "metainfo: does not provide $mime"
grep -q '<glob pattern="\*.kurv"/>' "$prefix/share/mime/packages/$id.xml" ||
    complain "MIME package: no glob *.kurv"
if command -v update-mime-database >/dev/null; then
    mkdir -p "$prefix/mimecheck/packages"
    cp "$prefix/share/mime/packages/$id.xml" "$prefix/mimecheck/packages/"
    update-mime-database "$prefix/mimecheck" 2>&1 | grep -iE "warning|error" &&
        complain "MIME package: warnings"
    [ -f "$prefix/mimecheck/application/x-kurvanto-worksheet.xml" ] ||
        complain "MIME package: update-mime-database made no $mime"
fi

# The metainfo: valid, launching the desktop file of the same id, the build's release first.
metainfo=$prefix/share/metainfo/$id.metainfo.xml
if [ -f "$metainfo" ]; then
    grep -q "<id>$id</id>" "$metainfo" || complain "metainfo: the id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        complain "metainfo: does not launch $id.desktop"
    grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
        complain "metainfo: the project licence is not GPL-3.0-or-later"
    grep -q '<content_rating type="oars-1.1"' "$metainfo" || complain "metainfo: no OARS content rating"
    for word in график функция plot function; do
        grep -q "<keyword[^>]*>$word</keyword>" "$metainfo" || complain "metainfo: no keyword $word"
    done
    first_release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1)
    [ "$first_release" = "<release version=\"$version\"" ] ||
        complain "metainfo: the newest release is '$first_release', not $version"
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "$metainfo" > "$prefix/validate.log" 2>&1 ||
            { cat "$prefix/validate.log"; complain "metainfo: appstreamcli validate failed"; }
    else
        echo "appstreamcli is not installed: the metainfo is not validated"
    fi
fi

# The licence: the copyright file in the machine-readable format, naming GPL 3 or later.
copyright=$prefix/share/doc/kurvanto/copyright
if [ -f "$copyright" ]; then
    head -n1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        complain "copyright: not in the machine-readable format"
    grep -q '^License: GPL-3+$' "$copyright" || complain "copyright: no GPL-3+ licence paragraph"
fi

# The licence text itself stays in the source tree (Debian points at its own copy).
licence=$(dirname "$0")/../../LICENSE
head -n2 "$licence" | tr -s ' ' | grep -q 'Version 3, 29 June 2007' ||
    complain "LICENSE is not the GNU GPL, version 3"

# Manual pages for both programs, compressed, the version of the build on their title line.
# The changelog's newest entry is this version.
for page in kurvanto kurvanto-cli; do
    gz=$prefix/share/man/man1/$page.1.gz
    [ -e "$prefix/share/man/man1/$page.1" ] && complain "man page $page.1 is not compressed"
    if [ ! -f "$gz" ]; then
        complain "missing: share/man/man1/$page.1.gz"
        continue
    fi
    gzip -t "$gz" || complain "$page.1.gz is not a valid gzip file"
    zcat "$gz" | grep -q "^\.TH .*\"Kurvanto $version\"" ||
        complain "$page.1.gz: the title line does not name Kurvanto $version"
done
if [ -f "$prefix/share/doc/kurvanto/changelog.gz" ]; then
    zcat "$prefix/share/doc/kurvanto/changelog.gz" | head -n1 |
        grep -q "^kurvanto ($version) " || complain "changelog.gz: the newest entry is not $version"
fi

# The installed tool works from its new place and names the same version.
got=$("$prefix/bin/kurvanto-cli" --version)
[ "$got" = "kurvanto-cli $version" ] || complain "kurvanto-cli --version printed '$got'"
QT_QPA_PLATFORM=offscreen "$prefix/bin/kurvanto-cli" plot 'x' -o "$prefix/x.bmp"
[ -s "$prefix/x.bmp" ] || complain "the installed kurvanto-cli wrote no picture"
exit $fail
