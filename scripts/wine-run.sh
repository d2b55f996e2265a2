#!/bin/sh
# Runs one Windows program under Wine: CTest's emulator for the cross build.
# The Wine prefix and display come from the environment (see scripts/wine-env.sh).
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEDEBUG WINEDLLOVERRIDES
exec wine "$@"
