#!/usr/bin/env bash
# Runs clang-tidy, with the checks .clang-tidy names, over the program's own sources (not the
# tests, benchmarks or fuzz drivers) as the build's compile_commands.json compiles them, the
# program's headers included. Prints every finding and fails on any; its last line says how many
# checks ran over how many files.
#   scripts/tidy.sh [BUILD]          BUILD defaults to build/, configured by scripts/build.sh
#   scripts/tidy.sh [BUILD] FILE...  only those sources
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$(realpath "${1:-build}")
shift || true
if [ ! -f "$build/compile_commands.json" ]; then
    echo "no $build/compile_commands.json: run scripts/build.sh first" >&2
    exit 1
fi

if [ $# -gt 0 ]; then
    files=$(realpath "$@")
else
    files=$(git ls-files '*.cpp' |
            grep -E '^(app|panel|showwindow|controls|picturehelper|soundhelper|helpers|desktop|decoders|pictures|startup|show|settings|catalogue|effects|sound|sounddecoders|audio|platform|core)/' |
            sed "s|^|$root/|")
fi
checks=$(clang-tidy -p "$build" --list-checks "$(head -n1 <<<"$files")" | grep -c "^    ")

# One clang-tidy a file, as many at a time as there are cores; each file's findings are kept
# apart and printed whole, so that parallel runs do not interleave their lines.
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
n=$(wc -l <<<"$files")
i=0
while read -r file; do
    i=$((i + 1))
    printf '%s\0%s\0' "$file" "$out/$i.log"
done <<<"$files" |
    xargs -0 -n2 -P"$(nproc)" sh -c 'clang-tidy -p "$0" --quiet "$1" >"$2" 2>&1 || echo "$1" >"$2.failed"' "$build" || true
# (the sh above only passes names on as arguments; it never expands them)

cat "$out"/*.log | grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' || true
failed=$(find "$out" -name "*.failed" | wc -l)
if [ "$failed" -gt 0 ]; then
    echo "clang-tidy: findings in $failed of $n files" >&2
    exit 1
fi
echo "clang-tidy: $checks checks over $n files, no finding"
