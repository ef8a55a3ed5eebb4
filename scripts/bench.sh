#!/usr/bin/env bash
# Builds Quiverdesk and its benchmarks, runs them under Wine in a prefix of their own, and
# writes docs/benchmarks.md. bench.sh [--quick | N...]   (--quick: 10 and 100 shortcuts only)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sizes="10 100 1000 5000"
soak="500 500"
if [ "${1:-}" = "--quick" ]; then sizes="10 100"; soak="50 50"; elif [ $# -gt 0 ]; then sizes="$*"; fi

"$root/scripts/setup.sh"
"$root/scripts/build.sh" x86_64
"$root/scripts/build.sh" i686 -DQUIVERDESK_BUILD_TESTS=OFF -DQUIVERDESK_BUILD_BENCH=OFF

. "$root/scripts/wine-env.sh"
# Its own prefix: the benchmark fills Send To, which must never disturb the tests' folders.
qd_wine_env "$root/build/wine-bench"

bin="$root/build/bin"
out="$root/docs/benchmarks.md"
tmp=$(mktemp)
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)
mem=$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
# Windows programs end their lines with CR LF; the document keeps plain LF.
run() { (cd "$bin" && "$WINE64" "$@") | tr -d '\r'; }

{
  echo "# Benchmarks"
  echo
  echo "Written by \`scripts/bench.sh${1:+ $*}\`; numbers are medians of several runs in one process."
  echo
  echo "- Machine: $(nproc) CPUs, ${cpu:-unknown CPU}, $mem memory, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"
  echo "- Wine: $("$WINE64" --version) (wine64, Xvfb display, code page 932)"
  echo "- Date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "- Build: mingw-w64 g++ $(x86_64-w64-mingw32-g++-posix -dumpversion), Release, static runtime"
  echo
  echo "## Refresh of the Send To folder"
  echo
  echo "Send To holds N shortcuts to notepad.exe, regedit.exe and the Windows folder in turn."
  echo "The floor makes, per file, the calls a refresh cannot avoid, bare: find the file,"
  echo "create the shell link and load it, \`GetPath\`, \`GetDescription\`, and \`SHGetFileInfoA\`"
  echo "for the display name and for the small icon."
  echo
  # shellcheck disable=SC2086
  run refresh_bench.exe $sizes
  echo
  echo "## Soak and a big drop"
  echo
  echo "Refreshes of 50 shortcuts, then one drop of many files onto Send To, on the real window."
  echo
  # shellcheck disable=SC2086
  run soak_bench.exe $soak
  echo
  echo "## Start-up"
  echo
  run startup_bench.exe Quiverdesk.exe 5
  echo
  echo "## Size of the programs"
  echo
  echo "| program | bytes | KiB |"
  echo "|---|---:|---:|"
  for exe in "$root/build/bin/Quiverdesk.exe" "$root/build-i686/bin/Quiverdesk.exe"; do
    [ -f "$exe" ] || continue
    size=$(stat -c %s "$exe")
    echo "| ${exe#"$root"/} | $size | $((size / 1024)) |"
  done
} >"$tmp"
mkdir -p "$root/docs"
mv "$tmp" "$out"
echo "bench: wrote $out"
