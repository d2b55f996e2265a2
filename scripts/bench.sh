#!/usr/bin/env bash
# Builds and runs the benchmarks and prints one table: the foundation natively (Google Benchmark,
# Release build), then the form rows under Wine, each against its hand-written Win32 baseline,
# then Carnet's ledger against plain reading, writing and sorting, natively and under Wine, and
# (row 9) Carnet's own window opening and saving the same ledger, under Wine.
# BENCH_QUICK=1 gives a shorter, rougher run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

out="$(mktemp -d /tmp/zarvik-bench.XXXXXX)"
trap 'rm -rf "$out"' EXIT

echo "=== building" >&2
cmake -S . -B build/bench-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARVIK_BUILD_TESTS=OFF \
  >/dev/null
cmake --build build/bench-release --target foundation_bench carnet_bench >/dev/null
bash scripts/build.sh form_bench grid_bench carnet_bench >/dev/null

echo "=== native foundation" >&2
build/bench-release/bin/foundation_bench --benchmark_format=csv \
  --benchmark_repetitions="${BENCH_NATIVE_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true >"$out/native.csv" 2>/dev/null

echo "=== native ledger" >&2
status=0
build/bench-release/bin/carnet_bench >"$out/carnet-native.txt" 2>"$out/carnet-native.err" || {
  status=$?
  cat "$out/carnet-native.err" >&2
  echo "carnet_bench failed with status $status" >&2
}

echo "=== forms, grid and ledger under Wine" >&2
source scripts/wine-env.sh
zk_wine_start
# Each window call under Wine is a round trip to the Wine server. On a virtual machine one whose
# server wakes on the other processor costs several times one on the same (a form of 5 000 items
# opens in 15 s or in 4), and which it is drifts within a run: the form and grid rows run the
# program and its server on one processor, both sides alike. Carnet's rows use their threads.
server=""
for pid in $(pgrep wineserver); do
  if grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null; then server=$pid; fi
done
cpu=$(($(nproc) - 1))
for program in form_bench grid_bench carnet_bench; do
  code=0
  pin=()
  if [ -n "$server" ]; then
    cpus="0-$cpu"
    [ "$program" = carnet_bench ] || { cpus=$cpu && pin=(taskset -c "$cpu"); }
    taskset -a -p -c "$cpus" "$server" >/dev/null
  fi
  (cd build/mingw64/bin && "${pin[@]}" wine "$program.exe") >"$out/$program-wine.txt" \
    2>"$out/$program-wine.err" || code=$?
  if [ "$code" -ne 0 ]; then
    cat "$out/$program-wine.err" >&2
    echo "$program.exe failed with status $code" >&2
    status=$code
  fi
done
zk_wine_stop

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
  { sub(/\r$/, "") }  # programs under Wine end their lines with CR LF
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
  # Grid rows: bytes against their reference, sorts against std::sort of ready keys, pastes.
  $1 == "MEM" {
    ratio = $5 > 0 ? sprintf("%.2f", $4 / $5) : "-"
    printf line, $2, $3, "process", kib($4), kib($5), ratio, "-", "-", kib($6) " -> " kib($7)
  }
  # A time without a baseline (row 13, a paste) is said alone.
  $1 == "TIME" {
    ratio = $5 > 0 ? sprintf("%.2f", $4 / $5) : "-"
    # In parentheses: a bare ">" among the arguments of printf is a redirection to mawk.
    printf line, $2, $3, $6, shown($4), ($5 > 0 ? shown($5) : "-"), ratio, "-", "-", "-"
  }
  $1 == "REPORTS" && $2 != 0 { printf "toolkit error reports during the run: %d\n", $2 }
  # Carnet rows: "toolkit" is the ledger, "raw Win32" the plain loop doing the same work.
  $1 == "LEDGER" || $1 == "LEDGERMEM" { where = FILENAME ~ /-wine.txt$/ ? " (Wine)" : " (native)" }
  $1 == "LEDGER" {
    ratio = $5 > 0 ? sprintf("%.2f", $4 / $5) : "-"
    printf line, $2, $3 where, $6, shown($4), shown($5), ratio, "-", "-", "-"
  }
  $1 == "LEDGERMEM" {
    ratio = $6 > 0 ? sprintf("%.2f", $5 / $6) : "-"
    printf line, $2, $3 where, "process", kib($5), kib($6), ratio, "-", "-", kib($4) " -> " kib($5)
  }
' FS=',' "$out/native.csv" FS='|' "$out/form_bench-wine.txt" "$out/grid_bench-wine.txt" \
  "$out/carnet-native.txt" \
  "$out/carnet_bench-wine.txt"
exit "$status"
