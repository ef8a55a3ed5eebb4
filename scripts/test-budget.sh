#!/usr/bin/env bash
# Counts non-blank lines of the tests against those of the product, whose third is the tests'
# budget: a test earns its lines by catching a fault. Each file is counted as clang-format lays it
# out (.clang-format), so packing lines gains nothing. Fails when the tests pass their third.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count() {
  (cd "$root" && git ls-files -- "$@" | grep -E '\.(cpp|h)$|\.cmake$|CMakeLists\.txt$' | grep -v '/data/' |
    while read -r file; do
      case "$file" in
        *.cpp | *.h) clang-format "$file" ;;
        *) cat "$file" ;;
      esac
    done | grep -c -v '^[[:space:]]*$')
}
product=$(count app model controls commands)
tests=$(count tests)
if [ $((3 * tests)) -le "$product" ]; then
  echo "test budget: tests $tests non-blank lines, product $product: $((100 * tests / product))%, within the third"
else
  echo "test budget: tests $tests non-blank lines, product $product: $((100 * tests / product))%, over the third by $((tests - product / 3)) lines" >&2
  exit 1
fi
