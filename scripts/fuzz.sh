#!/usr/bin/env bash
# Builds the foundation with clang under AddressSanitizer and UndefinedBehaviorSanitizer, runs its
# tests, then runs every fuzz target for the given seconds each (default 20), two at a time (a
# target fuzzes on one core). A crash, sanitizer report, leak or time-out fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
bash scripts/deps.sh
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize
export ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# fuzz TARGET: its report into build/sanitize/NAME.report, printed once every target has run.
fuzz() {
  local name corpus
  name="$(basename "$1")"
  corpus="build/sanitize/corpus/$name"
  mkdir -p "$corpus"
  exec >"build/sanitize/$name.report"
  echo "=== $name for ${seconds}s"
  # New inputs go to the build's own corpus; the committed seeds are only read.
  "$1" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$corpus" "fuzz/corpus/$name" 2>"build/sanitize/$name.log" \
    || { tail -n 40 "build/sanitize/$name.log"; echo "=== FAILED: $name"; return 1; }
  grep -E '^stat::number_of_executed_units' "build/sanitize/$name.log" || true
}
export -f fuzz
export seconds
targets=(build/sanitize/bin/*_fuzz)
status=0
printf '%s\0' "${targets[@]}" | xargs -0 -n 1 -P 2 bash -c 'fuzz "$1"' fuzz || status=1
for target in "${targets[@]}"; do cat "build/sanitize/$(basename "$target").report"; done
[ "$status" -eq 0 ] || exit 1
echo "Fuzzing passed."
