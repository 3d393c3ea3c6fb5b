# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts: how they say what they are doing.

# One line as a stage begins.
stage() {
    printf '==> %s\n' "$*"
}

# A folder of our own for the toolkit's runtime files when the session has none, so that it
# does not warn about a missing XDG_RUNTIME_DIR; removed when the script ends.
private_runtime_dir() {
    if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
        XDG_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/kurvanto-runtime.XXXXXX")
        chmod 700 "$XDG_RUNTIME_DIR"
        export XDG_RUNTIME_DIR
        trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
    fi
}

# Builds into the folder (further arguments go to build.sh) showing CMake's percentage in
# steps of ten instead of every compiler line; on a failure the end of the log.
build_with_progress() {
    local log status=0
    log=$(mktemp "${TMPDIR:-/tmp}/kurvanto-build.XXXXXX")
    "$root/scripts/build.sh" "$@" 2>&1 | tee "$log" | awk '
        /^-- Configuring done/ { print "    configured"; fflush() }
        match($0, /^\[ *[0-9]+%\]/) {
            p = substr($0, RSTART + 1, RLENGTH - 3) + 0
            if (p >= last + 10 || (p == 100 && last < 100)) { printf "    %d %%\n", p; last = p; fflush() }
        }' || status=$?
    if [ "$status" -ne 0 ]; then
        echo "The build failed; the end of its log:" >&2
        tail -n 40 "$log" >&2
    fi
    rm -f "$log"
    return "$status"
}
