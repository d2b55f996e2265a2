#!/usr/bin/env bash
# CTest's emulator (scripts/wine-run.sh) gives CTest no pipe that outlives the program: a program
# that finds the desktop closed starts its explorer again, which inherits the program's error
# output and lives while any other program keeps the desktop open. Here a test that opens and closes a
# form for a few seconds runs through the emulator into a pipe while the desktop is closed, and
# Notepad keeps the desktop open meanwhile: the pipe must end with the test, not with Notepad.
# It starts a Wine session of its own (scripts/wine-env.sh), whose desktop no other test keeps
# open; ZK_BIN is the folder of the programs.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "${ZK_BIN:?}"
work="$(mktemp -d -t zkemulator.XXXXXX)"
holder=""
source "$root/scripts/wine-env.sh"
cleanup() {
  [ -n "$holder" ] && kill "$holder" 2>/dev/null
  zk_wine_stop
  rm -rf "$work"
}
trap cleanup EXIT
unset ZK_USE_DISPLAY
zk_wine_start || { echo "FAIL: no Wine session" >&2; exit 1; }

# This prefix's desktop process, if it runs.
desktop_runs() {
  local pid
  for pid in $(pgrep -f 'explorer.exe /desktop'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

for _ in $(seq 300); do desktop_runs || break; sleep 0.1; done
desktop_runs && { echo "FAIL: the desktop did not close" >&2; exit 1; }

test=FormRepeat.ModalFormOfThirtyItemsOpenedAndClosedTwoHundredTimes
# Its error output into the pipe, as CTest reads it.
("$root/scripts/wine-run.sh" forms_serial_tests.exe --gtest_filter=$test 2>&1 >"$work/out" |
  cat >"$work/err"
  touch "$work/ended") &
# Once the test has made its first window, and with it the desktop.
sleep 2
wine notepad.exe >/dev/null 2>&1 </dev/null &
holder=$!
for _ in $(seq 900); do [ -e "$work/ended" ] && break; sleep 0.1; done
grep -q "PASSED.*1 test" "$work/out" || { echo "FAIL: the test did not pass:" >&2; cat "$work/out" >&2; exit 1; }
if [ ! -e "$work/ended" ]; then
  echo "FAIL: the emulator's output stayed open after its program ended" >&2
  exit 1
fi
echo "the emulator's output ended with its program"
