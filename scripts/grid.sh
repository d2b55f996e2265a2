#!/usr/bin/env bash
# Builds and runs the grid example (examples/grid). With a DISPLAY it runs there until the user
# quits. Without one it runs on a private Xvfb inside Wine's virtual desktop: sorts the list by
# amount with a click on the title, opens the third row's category list with the keys, saves a
# screenshot of the form in the folder it prints, quits through File > Quit, and exits with the
# example's exit code.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh zarvik_grid zarvik_probe || exit 1

source scripts/wine-env.sh
zk_program_or_tour zarvik_grid.exe
ZK_BIN="$PWD/build/mingw64/bin"
source scripts/velmo-driver.sh
list=expenses.list

(cd "$zk_bin" && exec wine zarvik_grid.exe) &
zk_velmo=$!
if ! zk_probe wait 20000 has-form; then
  echo "The grid example's form did not appear." >&2
  kill "$zk_velmo" 2>/dev/null
  wait "$zk_velmo"
  exit 1
fi
sleep 1

line="$(zk_item $list)"
x="$(zk_field "$line" x)" y="$(zk_field "$line" y)"
xdotool mousemove $((x + 400)) $((y + 10)) click 1  # the Amount title
sleep 0.5
zk_keys ctrl+Home Down Down Right Right Right F2 alt+Down
sleep 0.5
shots="$(mktemp -d /tmp/grid-tour.XXXXXX)"
zk_shot "$(zk_probe form | head -n 1)" "$shots/grid.png"
echo "Screenshot: $shots/grid.png"

zk_keys Escape Escape
zk_click_item expenses.close
zk_probe wait 5000 no-form || echo "The form did not close." >&2
xdotool windowfocus --sync "$(xdotool search --name '^Grid$' 2>/dev/null | head -n 1)" 2>/dev/null
zk_keys alt+f q
zk_velmo_wait
echo "Grid example exit code: $zk_status"
exit "$zk_status"
