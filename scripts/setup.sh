#!/usr/bin/env bash
# Installs what building, running and testing Quiverdesk needs on Debian. Quick when all is there.
set -euo pipefail

packages=(
  cmake make python3 zip git locales clang-format
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64 googletest
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb fonts-ipafont-gothic imagemagick xdotool
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
