#!/usr/bin/env bash
# Sets up and builds, then runs the whole test suite headless, and again under
# AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen
ctest --preset default -j "$jobs"

cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --preset sanitize -j "$jobs"
