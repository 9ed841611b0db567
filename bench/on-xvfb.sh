#!/usr/bin/env bash
# Builds one benchmark target and runs it on a private 1920x1080 Xvfb display, then stops Xvfb.
# Usage: bench/on-xvfb.sh BUILD_FOLDER TARGET FIRST_DISPLAY [benchmark arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1 target=$2 first=$3
shift 3
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target "$target" -j2

display=""
for n in $(seq "$first" $((first + 59))); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=$n
        break
    fi
done
[ -n "$display" ] || { echo "no free display" >&2; exit 1; }

Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
echo "load average: $(cut -d" " -f1-3 /proc/loadavg) on $(nproc) cores"
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$build/bench/${target#bench_}/$target" "$@"
