#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line "SPDX-License-Identifier: GPL-3.0-or-later" at the top of every
# tracked source file that has none, in the comment syntax of the file's type:
#   C++ (.cpp .h .hpp .cc .cxx)     // SPDX-...
#   CMake, shell, .desktop          # SPDX-...        (after a #! line)
#   HTML, .qrc, metainfo            <!-- SPDX-... --> (after <!DOCTYPE ...> or <?xml ...?>)
#   CSS                             /* SPDX-... */    (after @charset)
#   manual pages (.1 to .9)         .\" SPDX-...      (after a '\" preprocessor line)
# A file already has the line when "SPDX-License-Identifier:" stands in its first five
# lines; it is then left alone, so running the script twice changes nothing. Pictures, test
# data, fuzz corpora and other data files are not source and are skipped.
#
#   scripts/spdx.sh           add the line where it is missing, list the files changed
#   scripts/spdx.sh --check   change nothing; list the files without it, exit 1 if any
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
id='SPDX-License-Identifier: GPL-3.0-or-later'

check=0
case "${1:-}" in
    --check) check=1 ;;
    '') ;;
    -h|--help) sed -n '3,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "spdx.sh: unknown argument '$1' (use --check or nothing)" >&2; exit 2 ;;
esac

if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "spdx.sh: $root is not a git work tree; the tracked files are unknown" >&2
    exit 2
fi

# The comment line for a file, or nothing when the file is not source.
line_for() {
    local f=$1 base=${1##*/}
    case "$base" in
        *.cpp|*.h|*.hpp|*.cc|*.cxx) echo "// $id" ;;
        CMakeLists.txt|*.cmake|*.sh|*.desktop) echo "# $id" ;;
        *.html|*.htm|*.qrc|*.metainfo.xml|*.metainfo.xml.in) echo "<!-- $id -->" ;;
        *.css) echo "/* $id */" ;;
        *.[1-9]) echo ".\\\" $id" ;;
        *.*) ;;
        *)  # no extension: a shell script by its #! line
            if head -n1 -- "$f" | grep -qE '^#!.*\b(ba|da|z)?sh\b'; then
                echo "# $id"
            fi ;;
    esac
}

# How many first lines must stay first: a #! line, an XML declaration or document type,
# a CSS @charset, a man page's preprocessor line.
keep_lines() {
    local first
    first=$(head -n1 -- "$1")
    case "$first" in
        '#!'*|'<?xml'*|'<!DOCTYPE'*|'<!doctype'*|'@charset'*|"'\\\""*) echo 1 ;;
        *) echo 0 ;;
    esac
}

status=0
while IFS= read -r -d '' f; do
    [ -f "$f" ] && [ ! -L "$f" ] || continue
    line=$(line_for "$f")
    [ -n "$line" ] || continue
    if head -n5 -- "$f" | grep -q 'SPDX-License-Identifier:'; then
        continue
    fi
    if [ "$check" -eq 1 ]; then
        echo "no licence line: $f"
        status=1
        continue
    fi
    keep=$(keep_lines "$f")
    tmp=$(mktemp "$f.spdx.XXXXXX")
    # Every line ends in a newline afterwards, also a last line that had none.
    SPDX_LINE=$line awk -v keep="$keep" \
        'NR == keep + 1 { print ENVIRON["SPDX_LINE"] } { print } END { if (NR <= keep) print ENVIRON["SPDX_LINE"] }' \
        "$f" > "$tmp"
    chmod --reference="$f" "$tmp"
    mv -- "$tmp" "$f"
    echo "added: $f"
done < <(git ls-files -z)
exit $status
