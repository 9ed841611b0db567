#!/usr/bin/env bash
# Soak run of the show: 500 pictures of mixed formats and sizes, a tenth broken, each with a
# comment, to music, one-second ticks, on a private 1920x1080 Xvfb display. Usage:
#   bench/soak/run.sh [build folder] [seconds, 600 unless given] [pictures before the first
#   memory figures, 60 unless given]
# A short try: bench/soak/run.sh build 180. The files are made once in /tmp/quirello-soak.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
seconds=${2:-600}
start=${3:-60}
exec bash "$root/bench/on-xvfb.sh" "$build" bench_soak 70 /tmp/quirello-soak "$seconds" "$start"
