#!/usr/bin/env bash
# Builds and runs Velmo. With a DISPLAY it runs there until the user quits. Without one it runs on
# a private Xvfb inside Wine's virtual desktop, tours the three forms with real input (each
# opened from the menu, photographed and closed with its own button), saves the screenshots in the
# folder it prints, quits through Fichier > Quitter, and exits with Velmo's exit code.
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

# The tour: each form opened from the menu with the keyboard, photographed, and closed with its
# own button, found and read from outside by the probe.
probe() { (cd build/mingw64/bin && wine zkprobe.exe "$@") | tr -d '\r'; }
field() { [[ " $1" =~ \ $2=([^ ]*) ]] && echo "${BASH_REMATCH[1]}"; }
shot() {  # shot FILE PROBE-LINE: the window's rectangle from the screen
  import -window root -crop "$(field "$2" w)x$(field "$2" h)+$(field "$2" x)+$(field "$2" y)" "$1"
}
shots="$(mktemp -d /tmp/velmo-tour.XXXXXX)"
tour=0
for form in "tous t 116" "static s 131" "edit e 115"; do
  read -r name letter button <<<"$form"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --delay 200 alt+o "$letter"
  if ! probe wait 5000 has-form; then
    echo "The form \"$name\" did not open." >&2
    tour=1
    continue
  fi
  sleep 1  # the owner-drawn items paint after the dialog shows
  shot "$shots/$name.png" "$(probe form | head -n 1)"
  line="$(probe item "$button")"
  xdotool mousemove "$(($(field "$line" x) + 20))" "$(($(field "$line" y) + 10))" click 1
  probe wait 5000 no-form || { echo "The form \"$name\" did not close." >&2; tour=1; }
done
sleep 0.5
shot "$shots/main.png" "$(probe main)"
echo "Screenshots: $shots (main.png, tous.png, static.png, edit.png)"

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
[ "$status" -eq 0 ] && [ "$tour" -ne 0 ] && status=1
exit "$status"
