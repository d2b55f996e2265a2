#!/usr/bin/env bash
# Builds and runs Velmo. With a DISPLAY it runs there until the user quits. Without one it runs on
# a private Xvfb inside Wine's virtual desktop, saves a screenshot whose path it prints, quits
# through Fichier > Quitter with real keyboard input, and exits with Velmo's exit code.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh || exit 1
cmake --preset mingw64 >/dev/null || exit 1
cmake --build --preset mingw64 || exit 1

source scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
  ZK_USE_DISPLAY=1 zk_wine_start
  trap zk_wine_stop EXIT
  (cd build/mingw64/bin && wine velmo.exe)
  exit $?
fi

zk_wine_start
trap zk_wine_stop EXIT
(cd build/mingw64/bin && exec wine velmo.exe) &
velmo=$!

# Wine gives each top-level window an X window of its own inside the desktop: wait for it.
window=""
for _ in $(seq 150); do
  window="$(xdotool search --name '^Velmo v1\.1$' 2>/dev/null | head -n 1)"
  [ -n "$window" ] && break
  kill -0 "$velmo" 2>/dev/null || break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "Velmo's main window did not appear." >&2
  kill "$velmo" 2>/dev/null
  wait "$velmo"
  exit 1
fi
sleep 1  # let the caption and the menu bar be painted

screenshot="$(mktemp /tmp/velmo-XXXXXX.png)"
import -window root "$screenshot"
echo "Screenshot: $screenshot"

# Fichier > Quitter, as a user would type it.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 200 alt+f
sleep 0.5
xdotool key q
for _ in $(seq 100); do
  kill -0 "$velmo" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$velmo" 2>/dev/null; then
  echo "Velmo did not quit through Fichier > Quitter." >&2
  kill "$velmo" 2>/dev/null
fi
wait "$velmo"
status=$?
echo "Velmo exit code: $status"
exit "$status"
