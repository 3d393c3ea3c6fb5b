#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the reference pictures of cases.tsv with the given kurvanto-cli: NAME.png for each
# case and sha256.txt with the hash of each case's BMP output.
set -euo pipefail
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
: > "$here/sha256.txt"
while IFS=$'\t' read -r -a fields; do
    name=${fields[0]}
    args=("${fields[@]:1}")
    QT_QPA_PLATFORM=offscreen "$cli" plot "${args[@]}" -o "$tmp/$name.bmp"
    QT_QPA_PLATFORM=offscreen "$cli" plot "${args[@]}" -o "$here/$name.png"
    (cd "$tmp" && sha256sum "$name.bmp") >> "$here/sha256.txt"
done < "$here/cases.tsv"
