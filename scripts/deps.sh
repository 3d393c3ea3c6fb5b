#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build and the tests need, only those missing.
set -euo pipefail
packages=(cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation2 xvfb xauth desktop-file-utils
          qt6-translations-l10n ccache locales qt6-svg-dev poppler-utils lintian appstream
          acl)
packages+=("$@") # extra packages a script needs
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "==> Installing ${#missing[@]} Debian packages (a few minutes on a new machine): ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    # apt's and dpkg's own lines go to a log, shown when something fails.
    log=$(mktemp "${TMPDIR:-/tmp}/kurvanto-apt.XXXXXX")
    if ! { $SUDO apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"; } >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        exit 1
    fi
    rm -f "$log"
fi

# A comma locale for the tests that type numbers in one (ru_RU.UTF-8), generated once.
if ! locale -a 2>/dev/null | grep -qiE '^ru_RU\.utf-?8$'; then
    echo "==> Generating the locale ru_RU.UTF-8"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO sed -i 's/^# *\(ru_RU\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU\.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
