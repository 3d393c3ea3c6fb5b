#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and runs every test through CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/stages.sh"
stage "Checking the Debian packages the build and the tests need"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build
cd "$root/build"
private_runtime_dir
stage "Running $(ctest -N | sed -n 's/^Total Tests: //p') tests through CTest on $(nproc) cores"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
