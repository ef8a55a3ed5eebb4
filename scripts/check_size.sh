#!/usr/bin/env bash
# Guards the release programs' size: each Quiverdesk.exe at most 88 KiB, and its link map free of
# the C++ exception runtime (a throw, std::string or plain new would bring some 110 KB back).
# check_size.sh BUILD_DIR...   (release build folders, as scripts/release.sh leaves them)
set -euo pipefail
limit=90112
status=0
for build in "$@"; do
  exe="$build/bin/Quiverdesk.exe"
  map="$build/Quiverdesk.map"
  size=$(stat -c %s "$exe")
  if [ "$size" -gt "$limit" ]; then
    echo "check_size: $exe is $size bytes, over the $limit-byte limit" >&2
    status=1
  else
    echo "check_size: $exe is $size bytes (limit $limit)"
  fi
  if [ ! -f "$map" ]; then
    echo "check_size: no link map $map" >&2
    status=1
  # Only what was linked: the map's list of discarded sections would name them too.
  elif sed -n '/^Linker script and memory map/,$p' "$map" |
       grep -E -m5 '__cxa_throw|__gxx_personality|__cxa_begin_catch|_ZSt9terminatev|__cxa_demangle|d_print_comp|_Unwind_RaiseException' >&2; then
    echo "check_size: the exception runtime is linked into $exe again (above, from $map)" >&2
    status=1
  fi
done
exit $status
