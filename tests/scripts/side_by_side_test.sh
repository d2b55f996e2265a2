#!/usr/bin/env bash
# Scripts started side by side share nothing by chance: Wine sessions started at the same moment
# from one display number each get an X display of their own, and scripts/build.sh configures and
# builds only once it holds the build tree's lock, so that tours started together take turns.
set -uo pipefail
cd "$(dirname "$0")/../.."
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
work="$(mktemp -d -t zkside.XXXXXX)"
cleanup() {
  local pid
  for pid in $(cat "$work"/xvfb.* 2>/dev/null); do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

# Four sessions' displays, asked for at once from one number.
first=$((${ZK_DISPLAY_FIRST:-77} + 20))
for i in 1 2 3 4; do
  (
    source scripts/wine-env.sh
    ZK_DISPLAY_FIRST=$first zk_xvfb_start || exit 1
    echo "$zk_xvfb_pid" >"$work/xvfb.$i"
    echo "$DISPLAY" >"$work/display.$i"
  ) &
done
wait
displays="$(cat "$work"/display.* 2>/dev/null | sort -u | wc -l)"
[ "$displays" -eq 4 ] || fail "four sessions got $displays displays: $(cat "$work"/display.* 2>/dev/null)"
# A server that cannot listen on its display exits: four servers alive on four displays are the
# sessions' own.
for i in 1 2 3 4; do
  pid="$(cat "$work/xvfb.$i" 2>/dev/null)"
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || fail "session $i has no X server of its own"
done

# scripts/build.sh waits for the lock before it runs cmake (a stand-in here, which only notes the
# moment it was called).
mkdir -p build "$work/bin"
cat >"$work/bin/cmake" <<STANDIN
#!/bin/sh
date +%s%N >>"$work/cmake.log"
STANDIN
chmod +x "$work/bin/cmake"
flock build/.mingw64.lock -c "touch '$work/held'; sleep 2; date +%s%N >'$work/released'" &
holder=$!
for _ in $(seq 100); do [ -e "$work/held" ] && break; sleep 0.05; done
PATH="$work/bin:$PATH" bash scripts/build.sh velmo >/dev/null || fail "scripts/build.sh failed"
wait "$holder"
called="$(head -n 1 "$work/cmake.log" 2>/dev/null)"
released="$(cat "$work/released" 2>/dev/null)"
[ -n "$called" ] && [ -n "$released" ] && [ "$called" -ge "$released" ] ||
  fail "scripts/build.sh ran cmake at [$called], before the lock was released at [$released]"

# The tours build through it, never configuring on their own.
for tour in scripts/velmo.sh scripts/grid.sh scripts/carnet.sh scripts/soak.sh; do
  grep -q 'cmake --preset' "$tour" && fail "$tour configures the build tree itself"
  grep -q 'bash scripts/build.sh' "$tour" || fail "$tour does not build through scripts/build.sh"
done

[ "$failures" -eq 0 ] || exit 1
echo "side by side: all checks passed"
