#!/usr/bin/env bash
# Builds Quirello and starts it from its application folder, build/Quirello/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
exec "$root/build/Quirello/quirello" "$@"
