#!/usr/bin/env bash
# Runs bench_effects on a private Xvfb display of 1920x1080.
# Usage: bench/effects/run.sh [build folder] [bench_effects arguments...]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
shift || true
exec "$root/bench/on-xvfb.sh" "$build" bench_effects 200 "$@"
