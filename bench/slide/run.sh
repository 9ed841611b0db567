#!/usr/bin/env bash
# Builds bench_slide and runs it on a private Xvfb display of 1920x1080.
# Usage: bench/slide/run.sh [build folder]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target bench_slide -j2

display=""
for n in $(seq 140 199); do
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
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$build/bench/slide/bench_slide"
