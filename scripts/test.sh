#!/usr/bin/env bash
# Builds Quiverdesk (64-bit and 32-bit) and its tests, and runs every test once under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" x86_64 -DQUIVERDESK_BUILD_TESTS=ON
"$root/scripts/build.sh" i686 -DQUIVERDESK_BUILD_TESTS=OFF -DQUIVERDESK_BUILD_BENCH=OFF

. "$root/scripts/wine-env.sh"
qd_wine_env "$root/build/wine"
# The trash is the tests' to inspect: start it empty.
rm -rf "$XDG_DATA_HOME/Trash"
ctest --test-dir "$root/build" --output-on-failure "$@"
