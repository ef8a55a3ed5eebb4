#!/usr/bin/env bash
# Builds Quiverdesk and its benchmarks, runs them under Wine in a prefix of their own, and
# writes docs/benchmarks.md. bench.sh [--quick | N...]   (--quick: 10 and 100 shortcuts only)
# QD_BASELINE_DIR, when set, names a folder with an older Quiverdesk-win64.exe and -win32.exe to
# compare with: its responsiveness, start-up and bytes by section go beside today's, and, when it
# holds the older refresh_bench.exe, its refresh too. QD_RESPONSIVE_SIZES, when set, gives the
# responsiveness runs their own sizes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sizes="10 100 1000 5000"
soak="500 500"
state_sizes="100 1000"
live_sizes="10 100"
responsive_sizes="1000 5000"
if [ "${1:-}" = "--quick" ]; then
  sizes="10 100"; soak="50 50"; state_sizes="100"; live_sizes="10"; responsive_sizes="10 100"
elif [ $# -gt 0 ]; then
  sizes="$*"; responsive_sizes="$*"
fi
# The responsiveness runs may take larger folders than the rest: QD_RESPONSIVE_SIZES="1000 5000".
responsive_sizes=${QD_RESPONSIVE_SIZES:-$responsive_sizes}

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
  echo "The floor makes, per file, the very shell calls by which a refresh lists it, bare, keeping"
  echo "nothing: the folder bound once, then the file's name parsed there and \`SHGetFileInfoW\` for"
  echo "its display name and small-icon index, a shell link made and loaded, \`GetPath\` and the"
  echo "path of its id list, and \`GetDescription\`. The by-path yardstick makes the calls by whole"
  echo "path the refresh once made: the link loaded, \`GetPath\` with the target's find data,"
  echo "\`GetDescription\`, and \`SHGetFileInfoA\` by path for the display name and again for the"
  echo "small icon. The refresh is reported against both."
  echo
  # shellcheck disable=SC2086
  run refresh_bench.exe $sizes
  echo
  if [ -n "${QD_BASELINE_DIR:-}" ] && [ -f "$QD_BASELINE_DIR/refresh_bench.exe" ]; then
    # The older program's own refresh benchmark, in the same prefix and the same run, in its own
    # words, but for one: programs before the by-path yardstick had that name called it the floor.
    echo "### The same, with the program before this change, in the same run"
    echo
    cp "$QD_BASELINE_DIR/refresh_bench.exe" "$bin/refresh_bench-before.exe"
    # shellcheck disable=SC2086
    before=$(run refresh_bench-before.exe $sizes | sed 's/^## /#### /; s/^### /#### /')
    if grep -q 'Floor: the same platform calls done bare' <<<"$before"; then
      before=$(sed 's/Floor: the same platform calls done bare/By-path yardstick/; s/floor/by-path yardstick/g' <<<"$before")
    fi
    echo "$before"
    rm -f "$bin/refresh_bench-before.exe"
    echo
  fi
  echo "## What the state column costs"
  echo
  echo "A folder of N shortcuts of one kind each, refreshed on the real main window. The switch's"
  echo "registry reads are part of the refresh, not of the state pass: its row less the first"
  echo "one is what they cost."
  echo
  run state_bench.exe $state_sizes
  echo
  echo "## The memory between runs"
  echo
  echo "What reading the memory file costs a first listing, and how large the file grows."
  echo
  run memory_bench.exe 1000
  echo
  echo "## The list on the command line"
  echo
  echo "\`Quiverdesk.exe /list\` beside the window's own first listing of the same rows."
  echo
  run list_bench.exe 1000
  echo
  echo "## Soak and a big drop"
  echo
  echo "Refreshes of 50 shortcuts, then one drop of many files onto Send To, on the real window."
  echo
  # shellcheck disable=SC2086
  run soak_bench.exe $soak
  echo
  echo "## The Startup tab's rows, and a click on a tab"
  echo
  echo "First the Startup tab listed with N shortcuts in the user's Startup folder, N values in the"
  echo "user's Run key, or both; ms per row is the refresh's time above that of the empty tab, per"
  echo "row. Then Send To holds N shortcuts, and Startup N shortcuts and N Run values; the bench"
  echo "clicks the tab that is not selected six times, then the selected one six times, and counts"
  echo "the listings (the fills of the list). A click's time includes the messages it leaves queued;"
  echo "one refresh's does not."
  echo
  run tab_click_bench.exe 20 100
  echo
  echo "## Live listing"
  echo
  echo "The message loop sleeps on change notifications for the folder on show; a burst of them ends"
  echo "after 200 ms without one (600 ms after its first at most), and the tab is listed again only"
  echo "if a digest of what a listing reads changed. On the Send To tab of the real main window,"
  echo "pumped as the program's own loop pumps: a file made, renamed and deleted behind the"
  echo "program's back, 20 times, with N other shortcuts in the folder, each timed to the list"
  echo "showing it; bursts of empty files written as fast as the bench can, then deleted alike, each"
  echo "pumped until no listing came for 1.5 s; the loop's own turn (\`PumpMessagesAndChanges\`)"
  echo "run for 5 s in turns of up to 5 s, after 2 s to settle, counting the turns that returned"
  echo "before their time-out and the process's CPU time (Wine counts it in 10 ms steps); and a"
  echo "selected row hidden from the menu by the command and shown again, with the listings after."
  echo
  # shellcheck disable=SC2086
  run live_bench.exe $live_sizes
  echo
  echo "## Responsiveness"
  echo
  echo "How long the main window goes unanswered, watched from another process, while the program lists"
  echo "Send To at start and on F5, lists the Startup tab and switches an entry off, shows a file made"
  echo "behind its back, and then idles. The smallest N is also the Startup tab's number of Run values."
  echo
  if [ -n "${QD_BASELINE_DIR:-}" ] && [ -f "$QD_BASELINE_DIR/Quiverdesk-win64.exe" ]; then
    # The older program beside today's, in the same run, taking turns with it.
    cp "$QD_BASELINE_DIR/Quiverdesk-win64.exe" "$bin/Quiverdesk-before.exe"
    # shellcheck disable=SC2086
    run responsive_bench.exe $responsive_sizes Quiverdesk.exe Quiverdesk-before.exe
    rm -f "$bin/Quiverdesk-before.exe"
  else
    # shellcheck disable=SC2086
    run responsive_bench.exe $responsive_sizes Quiverdesk.exe
  fi
  echo
  echo "## Start-up"
  echo
  echo "Five yardsticks: a bare window with a tab control, the same with an empty report list of four"
  echo "columns on the tabs' page, the same window with every kind of control Quiverdesk shows (menu"
  echo "bar, toolbar with tooltips and images, report list, status bar with a grip), styled alike but"
  echo "holding nothing: what the controls cost alone; and that window showing the names of Send To's"
  echo "first 128 files as rows, every file read, the folder taken from the registry so that no shell DLL"
  echo "loads: the least any program pays to show a folder's first rows in those controls; and the same"
  echo "with the folder asked of the shell by the calls Quiverdesk makes, which a program finding it the"
  echo "supported way pays too."
  echo
  if [ -n "${QD_BASELINE_DIR:-}" ] && [ -f "$QD_BASELINE_DIR/Quiverdesk-win64.exe" ]; then
    # The older program beside today's, in the same run; once more with today's manifest beside
    # it, which tells what the themed controls and DPI awareness cost on their own.
    cp "$QD_BASELINE_DIR/Quiverdesk-win64.exe" "$bin/Quiverdesk-before.exe"
    cp "$QD_BASELINE_DIR/Quiverdesk-win64.exe" "$bin/Quiverdesk-before-manifest.exe"
    cp "$root/res/quiverdesk.manifest" "$bin/Quiverdesk-before-manifest.exe.manifest"
    run startup_bench.exe 25 Quiverdesk.exe Quiverdesk-before.exe Quiverdesk-before-manifest.exe
    rm -f "$bin"/Quiverdesk-before*
  else
    run startup_bench.exe 25 Quiverdesk.exe
  fi
  echo
  echo "### With 1,000 shortcuts in Send To"
  echo
  echo "Quiverdesk names the rows before its window first shows, so its window painted whole is its first"
  echo "rows on screen."
  echo
  run startup_bench.exe 15 1000
  echo
  echo "## Size of the programs"
  echo
  echo "Release builds, as \`scripts/release.sh\` makes them; bytes each section takes in the file"
  echo "(\`objdump -h\` sizes; the file pads each section to 512 bytes)."
  echo
  # The shipped programs, optimised at link time, which the benchmarks' own build is not.
  "$root/scripts/release.sh" >/dev/null
  exes=("$root/build-release/x86_64/bin/Quiverdesk.exe" "$root/build-release/i686/bin/Quiverdesk.exe")
  labels=("win64" "win32")
  if [ -n "${QD_BASELINE_DIR:-}" ]; then
    exes+=("$QD_BASELINE_DIR/Quiverdesk-win64.exe" "$QD_BASELINE_DIR/Quiverdesk-win32.exe")
    labels+=("win64 before" "win32 before")
  fi
  sections() {  # exe: "name bytes" per section
    x86_64-w64-mingw32-objdump -h "$1" | while read -r index name size _; do
      if [[ "$index" =~ ^[0-9]+$ ]]; then echo "$name $((16#$size))"; fi
    done
  }
  header="| section |"; rule="|---|"
  for label in "${labels[@]}"; do header+=" $label |"; rule+="---:|"; done
  echo "$header"; echo "$rule"
  names=$(for exe in "${exes[@]}"; do if [ -f "$exe" ]; then sections "$exe"; fi; done | awk '{ print $1 }' | awk '!seen[$0]++')
  for name in $names; do
    row="| $name |"
    for exe in "${exes[@]}"; do
      row+=" $(if [ -f "$exe" ]; then sections "$exe" | awk -v n="$name" '$1 == n { print $2 }'; fi) |"
    done
    echo "$row"
  done
  row="| **file** |"
  # An older program of one build only leaves the other's column empty.
  for exe in "${exes[@]}"; do row+=" **$(if [ -f "$exe" ]; then stat -c %s "$exe"; fi)** |"; done
  echo "$row"
} >"$tmp"
mkdir -p "$root/docs"
mv "$tmp" "$out"
echo "bench: wrote $out"
