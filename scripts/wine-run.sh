#!/bin/sh
# Runs one Windows program under Wine: CTest's emulator for the cross build.
# The Wine prefix and display come from the environment (see scripts/wine-env.sh).
# The program's output goes through files, not straight to CTest: the desktop's explorer, which a
# program starts again whenever the desktop had closed, inherits the program's error output and
# lives while other programs keep the desktop open; holding CTest's pipe, it would keep a test
# that has ended running until its time-out while the other tests keep the desktop busy.
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEDEBUG WINEDLLOVERRIDES
# With ZK_RUN_AGAIN_DIR (the project's own test run), a program that fails is run once more, and
# its first run's status and output are kept in a file of that folder for the run to show: tests
# share a desktop on a loaded machine, where another test's window can take the focus a test
# needs, or a Wine process can end before it started. A consumer's tests run once.
out="$(mktemp -t zarvik-run.XXXXXX)" || exit 1
err="$(mktemp -t zarvik-run.XXXXXX)" || exit 1
wine "$@" >"$out" 2>"$err" </dev/null
status=$?
if [ "$status" -ne 0 ] && [ -d "${ZK_RUN_AGAIN_DIR:-}" ]; then
  first="$(mktemp "$ZK_RUN_AGAIN_DIR/run.XXXXXX")" || exit 1
  { echo "$* (status $status)"; cat "$out" "$err"; } >"$first"
  wine "$@" >"$out" 2>"$err" </dev/null
  status=$?
  echo "run again: status $status" >>"$first"
fi
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit "$status"
