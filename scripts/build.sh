#!/usr/bin/env bash
# Installs what is missing, then configures and builds Quirello into build/.
# The program lands in build/Quirello/ (the application folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$root/build" -j"$(nproc)"
