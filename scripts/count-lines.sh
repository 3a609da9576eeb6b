#!/usr/bin/env bash
# Prints the code lines of the product's C++ and of the tests, as cloc
# counts them, and the tests' share of the product.
set -euo pipefail
cd "$(dirname "$0")/.."

code_lines() {
    cloc --quiet --csv --exclude-dir=node_modules,corpus --include-lang="$1" "${@:2}" |
        awk -F, '$2 == "SUM" { print $5; found = 1 } END { if (!found) print 0 }'
}

product=$(code_lines "C++,C/C++ Header" engine computer document view app bench)
tests=$(code_lines "C++,C/C++ Header,JavaScript" tests)
ratio=$(awk -v t="$tests" -v p="$product" 'BEGIN { printf "%.3f", t / p }')
echo "product C++: $product code lines; tests: $tests code lines; tests/product: $ratio"
