#!/usr/bin/env bash
# Counts non-blank lines of the tests against those of the product, whose third is the tests'
# budget: a test earns its lines by catching a fault. Prints the figures; CI shows them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count() {
  (cd "$root" && find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name CMakeLists.txt \) \
    -not -path '*/data/*' -print0 | xargs -0 cat | grep -c -v '^[[:space:]]*$')
}
product=$(count app model controls commands)
tests=$(count tests)
verdict="within the third"
[ $((3 * tests)) -le "$product" ] || verdict="over the third by $((tests - product / 3)) lines"
echo "test budget: tests $tests non-blank lines, product $product: $((100 * tests / product))%, $verdict"
