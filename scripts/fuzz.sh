#!/usr/bin/env bash
# Builds the foundation with clang under AddressSanitizer and UndefinedBehaviorSanitizer, runs its
# tests, then runs every fuzz target for the given seconds each (default 20). A crash, sanitizer
# report, leak or time-out fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
bash scripts/deps.sh
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize
export ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in build/sanitize/bin/*_fuzz; do
  name="$(basename "$target")"
  corpus="build/sanitize/corpus/$name"
  mkdir -p "$corpus"
  echo "=== $name for ${seconds}s"
  # New inputs go to the build's own corpus; the committed seeds are only read.
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$corpus" "fuzz/corpus/$name" 2>"build/sanitize/$name.log" \
    || { tail -n 40 "build/sanitize/$name.log"; echo "=== FAILED: $name"; exit 1; }
  grep -E '^stat::number_of_executed_units' "build/sanitize/$name.log" || true
done
echo "Fuzzing passed."
