#!/usr/bin/env bash
# Builds and runs the benchmarks and prints one table: the foundation natively (Google Benchmark,
# Release build), then the form rows under Wine, each against its hand-written Win32 baseline.
# BENCH_QUICK=1 gives a shorter, rougher run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

out="$(mktemp -d /tmp/zarvik-bench.XXXXXX)"
trap 'rm -rf "$out"' EXIT

echo "=== building" >&2
cmake -S . -B build/bench-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARVIK_BUILD_TESTS=OFF \
  >/dev/null
cmake --build build/bench-release --target foundation_bench >/dev/null
cmake --preset mingw64 >/dev/null
cmake --build --preset mingw64 --target form_bench >/dev/null

echo "=== native foundation" >&2
build/bench-release/bin/foundation_bench --benchmark_format=csv \
  --benchmark_repetitions="${BENCH_NATIVE_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true >"$out/native.csv" 2>/dev/null

echo "=== forms under Wine" >&2
source scripts/wine-env.sh
zk_wine_start
status=0
(cd build/mingw64/bin && wine form_bench.exe) >"$out/forms.txt" 2>"$out/forms.err" || status=$?
zk_wine_stop
if [ "$status" -ne 0 ]; then
  cat "$out/forms.err" >&2
  echo "form_bench.exe failed with status $status" >&2
fi

awk -F'|' '
  function shown(seconds) {
    if (seconds >= 1) return sprintf("%.3f s", seconds)
    if (seconds >= 1e-3) return sprintf("%.3f ms", seconds * 1e3)
    if (seconds >= 1e-6) return sprintf("%.2f us", seconds * 1e6)
    return sprintf("%.1f ns", seconds * 1e9)
  }
  function kib(bytes) { return sprintf("%d KiB", bytes / 1024) }
  BEGIN {
    line = "%-3s %-40s %-12s %-12s %-12s %-7s %-11s %-11s %s\n"
    printf line, "row", "case", "per", "toolkit", "raw Win32", "ratio", "GDI", "raw GDI",
      "private bytes"
  }
  FILENAME ~ /native.csv$/ {
    if ($0 !~ /_median"?,/) next
    split($0, f, ",")
    name = f[1]; gsub(/"/, "", name); sub(/_median$/, "", name)
    # items_per_second is the 7th column: one item is one call.
    perItem = f[7] > 0 ? 1 / f[7] : 0
    printf line, "4", name " (native)", "call", shown(perItem), "-", "-", "-", "-", "-"
    next
  }
  $1 == "ROW" {
    ratio = $5 > 0 ? sprintf("%.2f", $4 / $5) : "-"
    printf line, $2, $3, $6, shown($4), shown($5), ratio, $7 " -> " $8, $9 " -> " $10,
      kib($11) " -> " kib($12)
  }
  $1 == "REPORTS" && $2 != 0 { printf "toolkit error reports during the run: %d\n", $2 }
' FS=',' "$out/native.csv" FS='|' "$out/forms.txt"
exit "$status"
