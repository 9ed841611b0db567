#!/usr/bin/env bash
# Runs bench_slide on a private Xvfb display of 1920x1080.
# Usage: bench/slide/run.sh [build folder]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exec "$root/bench/on-xvfb.sh" "${1:-$root/build}" bench_slide 140
