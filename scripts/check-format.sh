#!/usr/bin/env bash
# Checks that every C++ file holds the house style of .clang-format, so that no file is packed
# past it; prints the files that do not. check-format.sh --fix formats them instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files -- app model controls commands tests bench | grep -E '\.(cpp|h)$')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
status=0
for file in "${files[@]}"; do
  if ! clang-format "$file" | cmp -s - "$file"; then
    echo "check-format: $file is not formatted (scripts/check-format.sh --fix)" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "check-format: ${#files[@]} files hold the house style"
exit $status
