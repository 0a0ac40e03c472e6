#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on a data folder:
#   scripts/run.sh [data folder]      (default: ./data beside the sources)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/setup.sh"
"$top/scripts/build.sh" "$top/build/release" -DZIRPA_TESTS=OFF
data="${1:-$top/data}"
mkdir -p "$data"
cd "$data"
exec "$top/build/release/src/app/zirpa"
