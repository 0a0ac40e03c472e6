#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal
# build and one with AddressSanitizer and UndefinedBehaviorSanitizer; then a
# short run of every fuzz target of the file readers.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== normal build"
"$top/scripts/build.sh" "$top/build/test"
ctest --test-dir "$top/build/test" --output-on-failure -j "$(nproc)"

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
"$top/scripts/build.sh" "$top/build/asan" -DZIRPA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir "$top/build/asan" --output-on-failure -j "$(nproc)"

echo "== fuzz targets of the file readers, 10 s each"
"$top/scripts/fuzz.sh" 10
