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
out="$(mktemp -t zarvik-run.XXXXXX)" || exit 1
err="$(mktemp -t zarvik-run.XXXXXX)" || exit 1
wine "$@" >"$out" 2>"$err" </dev/null
status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit "$status"
