#!/usr/bin/env bash
# Builds dist/Quiverdesk-1.11-win64.zip and -win32.zip from clean builds, each with a README.txt
# rendered from README.md. With --check it builds everything twice and fails unless both rounds
# give the same bytes and each zip's README.txt is README.md as it reads now.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=1.11
"$root/scripts/setup.sh"

# One clean build per architecture, in a folder of the release's own.
build_release() {  # arch build-dir
  rm -rf "$2"
  cmake -S "$root" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$1-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQUIVERDESK_BUILD_TESTS=OFF -DQUIVERDESK_BUILD_BENCH=OFF \
    -DQUIVERDESK_LINK_TIME_OPTIMISATION=ON >/dev/null
  cmake --build "$2" -j"$(nproc)" --target Quiverdesk >/dev/null
}

# The zip's README.txt is README.md rendered as plain text, made afresh for every zip: it has no
# copy in the tree that could fall behind the program.
make_readme() {  # output-path
  python3 "$root/scripts/make-readme-txt.py" "$root/README.md" "$1" "$version"
}

# Zip entries in a fixed order, with fixed dates and permissions, so equal inputs give equal bytes.
make_zip() {  # zip-path exe readme
  python3 - "$1" "$2" "$3" "$root/LICENSE" <<'PY'
import sys, zipfile
out, exe, readme, license_ = sys.argv[1:]
entries = [("Quiverdesk/Quiverdesk.exe", exe), ("Quiverdesk/README.txt", readme), ("Quiverdesk/LICENSE.txt", license_)]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for name, path in entries:
        info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        info.external_attr = 0o644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0
        with open(path, "rb") as f:
            data = f.read()
        if path != exe:
            data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")  # Notepad-friendly text
        z.writestr(info, data, compresslevel=9)
PY
}

release_round() {  # output-dir
  mkdir -p "$1"
  build_release x86_64 "$root/build-release/x86_64"
  build_release i686 "$root/build-release/i686"
  make_readme "$root/build-release/README.txt"
  make_zip "$1/Quiverdesk-$version-win64.zip" "$root/build-release/x86_64/bin/Quiverdesk.exe" "$root/build-release/README.txt"
  make_zip "$1/Quiverdesk-$version-win32.zip" "$root/build-release/i686/bin/Quiverdesk.exe" "$root/build-release/README.txt"
}

rm -rf "$root/dist"
release_round "$root/dist"
# At most 88 KiB each, and no exception runtime in the link maps.
"$root/scripts/check_size.sh" "$root/build-release/x86_64" "$root/build-release/i686"
if [ "${1:-}" = "--check" ]; then
  again=$(mktemp -d)
  release_round "$again"
  for zip in "$root"/dist/*.zip; do
    if ! cmp -s "$zip" "$again/$(basename "$zip")"; then
      echo "release: $(basename "$zip") differs between two builds" >&2
      exit 1
    fi
  done
  rm -rf "$again"
  echo "release: both builds gave the same bytes"

  # Each zip's README.txt is what README.md renders to now, byte for byte.
  fresh=$(mktemp)
  make_readme "$fresh"
  for zip in "$root"/dist/*.zip; do
    if ! python3 -c 'import sys, zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).read("Quiverdesk/README.txt") != open(sys.argv[2], "rb").read())' "$zip" "$fresh"; then
      echo "release: $(basename "$zip")'s README.txt is not README.md as it reads now" >&2
      exit 1
    fi
  done
  rm -f "$fresh"
  echo "release: each zip's README.txt is rendered from README.md"

  # The black-box test, run against the program as it comes out of the win64 zip.
  checker="$root/build/bin/blackbox_tests.exe"
  if [ -f "$checker" ]; then
    unpacked="$root/build-release/unpacked"
    rm -rf "$unpacked" && mkdir -p "$unpacked"
    (cd "$unpacked" && python3 -m zipfile -e "$root/dist/Quiverdesk-$version-win64.zip" .)
    . "$root/scripts/wine-env.sh"
    qd_wine_env "$root/build/wine"
    QD_TEST_DATA="Z:$(echo "$root/tests/data" | tr / '\\')" \
    QD_PROGRAM="Z:$(echo "$unpacked/Quiverdesk/Quiverdesk.exe" | tr / '\\')" "$WINE64" "$checker"
    echo "release: the win64 program from the zip passed the black-box test"
  fi
fi
sha256sum "$root"/dist/*.zip
