#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack into a temporary folder and runs lintian on it: any
# error or warning fails, unless dist/kurvanto.lintian-overrides overrides it, and every
# override there must have a comment line above it saying why.
#   check_package.sh BUILD_DIR SOURCE_DIR VERSION
# Exits 77 (skipped) when lintian or dpkg-deb is not installed.
set -euo pipefail
build=$1
source=$2
version=$3
overrides=$source/dist/kurvanto.lintian-overrides

fail=0
# Overrides without a reason: a tag line whose previous line is not a comment.
awk 'NF && $0 !~ /^#/ && prev !~ /^#/ { print FILENAME ":" FNR ": an override without a comment line saying why: " $0; bad = 1 }
     { prev = $0 }
     END { exit bad }' "$overrides" || fail=1

for tool in lintian dpkg-deb; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed: the package is not checked"
        exit 77
    fi
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" > "$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; echo "cpack failed"; exit 1; }
deb=$out/kurvanto_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    echo "cpack did not write $(basename "$deb"); it wrote:"
    ls "$out"
    exit 1
fi
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
    { echo "the package's version is $(dpkg-deb -f "$deb" Version), not $version"; fail=1; }

# Errors and warnings fail; overridden tags are shown but do not.
if ! lintian --fail-on error,warning --show-overrides "$deb"; then
    echo "lintian: errors or warnings on $(basename "$deb") (above)"
    fail=1
fi
exit $fail
