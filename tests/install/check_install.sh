#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs is there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
fail=0
expect() {
    if [ ! -e "$prefix/$1" ]; then
        echo "missing: $1"
        fail=1
    fi
}
expect bin/kurvanto
expect bin/kurvanto-cli
expect share/applications/kurvanto.desktop
expect share/man/man1/kurvanto.1
expect share/man/man1/kurvanto-cli.1
for size in 16 22 24 32 48 64 128 256; do
    expect "share/icons/hicolor/${size}x${size}/apps/kurvanto.png"
done
desktop-file-validate "$prefix/share/applications/kurvanto.desktop" || fail=1
# The installed tool works from its new place.
QT_QPA_PLATFORM=offscreen "$prefix/bin/kurvanto-cli" plot 'x' -o "$prefix/x.bmp"
[ -s "$prefix/x.bmp" ] || { echo "the installed kurvanto-cli wrote no picture"; fail=1; }
exit $fail
