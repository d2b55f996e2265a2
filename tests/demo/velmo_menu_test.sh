#!/usr/bin/env bash
# Velmo as a user drives it: Alt, the mnemonics and Enter open Fichier > Ouvrir; the box is read
# from outside and closed with OK; Fichier > Quitter ends Velmo with 0. A second run ends through
# the close message. Runs in the folder of the programs, with DISPLAY and WINEPREFIX set.
set -uo pipefail
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  echo "needs DISPLAY and WINEPREFIX (scripts/wine-env.sh)"
  exit 77
fi
failures=0
velmo=""
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
probe() { wine velmo_box_probe.exe "$@" | tr -d '\r'; }

cleanup() {
  if [ -n "$velmo" ] && kill -0 "$velmo" 2>/dev/null; then
    probe "Velmo v1.1" close >/dev/null
    sleep 1
    kill "$velmo" 2>/dev/null
  fi
}
trap cleanup EXIT

start() {
  (exec wine velmo.exe) &
  velmo=$!
  for _ in $(seq 100); do
    [ -n "$(xdotool search --name '^Velmo v1\.1$' 2>/dev/null)" ] && break
    sleep 0.2
  done
  local window
  window="$(xdotool search --name '^Velmo v1\.1$' 2>/dev/null | head -n 1)"
  [ -n "$window" ] || { fail "Velmo's main window did not appear"; exit 1; }
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 0.5
}

# Waits for Velmo to end and checks its exit code.
expect_exit() {
  for _ in $(seq 100); do
    kill -0 "$velmo" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$velmo" 2>/dev/null; then
    fail "$1: Velmo is still running"
    cleanup
    velmo=""
    return
  fi
  wait "$velmo"
  local status=$?
  velmo=""
  [ "$status" -eq 0 ] && echo "ok: $1 exits with 0" || fail "$1: exit code $status"
}

start
xdotool key --delay 150 alt+f
sleep 0.3
xdotool key Return  # the drop-down opens on its first entry, Ouvrir
text=""
for _ in $(seq 50); do
  text="$(probe Ouvrir text)" && break
  sleep 0.2
done
# "Il n'y a rien à ouvrir, utilisez le menu Formulaires", à in code page 1252
want="Il n'y a rien \\xE0 ouvrir, utilisez le menu Formulaires"
[ "$text" == "$want" ] && echo "ok: the Ouvrir box says [$text]" || fail "box text [$text]"
probe Ouvrir press 1 || fail "no OK button in the Ouvrir box"  # IDOK
for _ in $(seq 50); do
  probe Ouvrir text >/dev/null || break
  sleep 0.1
done
probe Ouvrir text >/dev/null && fail "the Ouvrir box is still open"
kill -0 "$velmo" 2>/dev/null && echo "ok: Velmo runs on after the box" || fail "Velmo ended"
sleep 0.3
xdotool key --delay 150 alt+f
sleep 0.3
xdotool key q
expect_exit "Fichier > Quitter"

start
probe "Velmo v1.1" close || fail "no main window to close"
expect_exit "closing the main window"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all checks passed"
