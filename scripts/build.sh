#!/usr/bin/env bash
# Configures and builds one target architecture: build.sh [x86_64|i686] [extra cmake args...]
# QD_TARGETS names the targets to build (default: all).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
shift || true
case "$arch" in
  x86_64) build="$root/build" ;;
  i686)   build="$root/build-i686" ;;
  *) echo "build.sh: unknown architecture '$arch'" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
targets=()
for target in ${QD_TARGETS:-}; do targets+=(--target "$target"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
