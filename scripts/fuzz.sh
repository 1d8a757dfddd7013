#!/usr/bin/env bash
# Builds the fuzz targets and runs each on a copy of its seed corpus.
# usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 60)
# A crash, hang, sanitizer report or oversized allocation fails the run; the input that
# caused it is left as crash-*/timeout-*/oom-* in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)"
bin="$PWD/build/fuzz/tests/fuzz"
findings="$PWD/build/fuzz/findings"
mkdir -p "$findings"
for pair in read_dis0_fuzz:dis0 read_dis1_fuzz:dis1 column_import_fuzz:columns; do
  target="${pair%%:*}"
  corpus="$PWD/build/fuzz/corpus-${pair##*:}"
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"${pair##*:}"/* "$corpus"/ 2>/dev/null || true
  echo "== $target for ${seconds}s"
  (cd "$findings" && "$bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -malloc_limit_mb=1024 -max_len=65536 -print_final_stats=1 "$corpus" 2>&1 | tail -n 12)
done
