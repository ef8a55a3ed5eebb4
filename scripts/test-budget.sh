#!/usr/bin/env bash
# Counts non-blank lines of the tests against those of the product, and fails when the tests
# pass a third of the product: a test earns its lines by catching a fault.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count() {
  (cd "$root" && find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name CMakeLists.txt \) \
    -not -path '*/data/*' -print0 | xargs -0 cat | grep -c -v '^[[:space:]]*$')
}
product=$(count app model controls commands)
tests=$(count tests)
echo "test budget: tests $tests non-blank lines, product $product, $((100 * tests / product))% (at most 33%)"
[ $((3 * tests)) -le "$product" ]
