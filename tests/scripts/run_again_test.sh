#!/usr/bin/env bash
# scripts/wine-run.sh runs a failed program once more only when the run asks (ZK_RUN_AGAIN_DIR),
# keeps the first run's status and output there, and returns the second run's status. A stand-in
# "wine" fails until it has been called $PASS_AT times.
set -uo pipefail
cd "$(dirname "$0")/../.."
work="$(mktemp -d -t zkagain.XXXXXX)"
trap 'rm -rf "$work"' EXIT
failures=0
check() {
  if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}
mkdir "$work/bin" "$work/again"
cat >"$work/bin/wine" <<'STUB'
#!/bin/sh
echo x >>"$CALLS"
n=$(wc -l <"$CALLS")
echo "run $n of $*"
[ "$n" -ge "$PASS_AT" ] || { echo "broke" >&2; exit 7; }
STUB
chmod +x "$work/bin/wine"
run() { PATH="$work/bin:$PATH" CALLS="$work/calls" sh scripts/wine-run.sh prog.exe --x; }

: >"$work/calls"
out="$(PASS_AT=2 run 2>/dev/null)"
check "without the folder a failure is run once" "7 1" "$? $(wc -l <"$work/calls")"

: >"$work/calls"
out="$(PASS_AT=2 ZK_RUN_AGAIN_DIR="$work/again" run 2>/dev/null)"
check "with it the second run's status and output" "0 run 2 of prog.exe --x" "$? $out"
kept="$(cat "$work"/again/run.*)"
check "the first run is kept" "prog.exe --x (status 7)|run 1 of prog.exe --x|broke|run again: status 0" \
  "$(paste -sd'|' <<<"$kept")"

rm -f "$work"/again/*
: >"$work/calls"
PASS_AT=9 ZK_RUN_AGAIN_DIR="$work/again" run >/dev/null 2>&1
check "twice failed is failed, run twice" "7 2" "$? $(wc -l <"$work/calls")"

: >"$work/calls"
PASS_AT=1 ZK_RUN_AGAIN_DIR="$work/again" run >/dev/null 2>&1
check "a pass runs once" "0 1" "$? $(wc -l <"$work/calls")"
exit $((failures > 0))
