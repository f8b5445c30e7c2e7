#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build (unit, scenario, real-component
# and end-to-end tests) and the AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
bash "$src/scripts/setup.sh"
bash "$src/scripts/check_format.sh"
bash "$src/scripts/build.sh" release
(cd "$src/build" && ctest --output-on-failure -j2)
bash "$src/scripts/build.sh" asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$src/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$src/build-asan" && ctest --output-on-failure -j2 -LE e2e)
