#!/usr/bin/env bash
# Prints the tests' share of the C++ lines: non-blank lines that are not only a // comment, of
# the files git knows. Tests are the files under tests/; the program is every other file but
# those under bench/.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { xargs -r cat | grep -cvE '^\s*(//.*)?$' || true; }
files=$(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc')
code=$(grep -vE '(^|/)(tests?|bench)/' <<<"$files" | count)
tests=$(grep -E '(^|/)tests?/' <<<"$files" | count)
all=$((code + tests))
echo "tests: $tests lines of $all C++ lines ($((100 * tests / all))%; program $code, bench/ not counted)"
