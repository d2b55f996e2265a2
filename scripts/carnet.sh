#!/usr/bin/env bash
# Builds and runs Carnet, the expense ledger, on FILE (by default the sample ledger
# examples/carnet/compte.csv). With a DISPLAY it runs there until the user quits. Without one it
# runs on a private Xvfb inside Wine's virtual desktop, tours the program with real input (the
# ledger, the form of a new entry, the unsaved-changes question), saves the screenshots in the
# folder it prints, quits through Fichier > Quitter, answering Non, and exits with Carnet's exit
# code.
set -uo pipefail
cd "$(dirname "$0")/.."
file="$(realpath "${1:-examples/carnet/compte.csv}")"
bash scripts/deps.sh || exit 1
cmake --preset mingw64 >/dev/null || exit 1
cmake --build --preset mingw64 --target carnet zkprobe || exit 1

source scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
  ZK_USE_DISPLAY=1 zk_wine_start
  trap zk_wine_stop EXIT
  (cd build/mingw64/bin && wine carnet.exe "$(winepath -w "$file" 2>/dev/null)")
  exit $?
fi

zk_wine_start
export ZK_BIN="$PWD/build/mingw64/bin" ZK_KEEP_SHOTS=1
source tests/e2e/lib.sh
trap 'zk_cleanup; zk_wine_stop' EXIT
shots="$(mktemp -d /tmp/carnet-tour.XXXXXX)"
shot() { import -window root -crop "$(zk_field "$2" w)x$(zk_field "$2" h)+$(zk_field "$2" x)+$(zk_field "$2" y)" "$shots/$1"; }
menu() {
  xdotool windowfocus --sync "$(xdotool search --name ' - Carnet$' | head -n 1)" 2>/dev/null || true
  zk_keys "alt+$1" "$2"
}

(cd "$ZK_BIN" && exec wine carnet.exe "$(winepath -w "$file" 2>/dev/null)" 2>/dev/null) &
zk_velmo=$!  # lib.sh's clean-up ends the program by this name
zk_probe wait 20000 has-main || { echo "Carnet's window did not appear." >&2; exit 1; }
sleep 1  # the caption, the menu bar and the grid paint
[[ "$(zk_probe status)" =~ ^[0-9]+\ \\xE9critures,\ total\ -?[0-9,]+$ ]] ||
  zk_fail "the status bar shows no total: $(zk_probe status)"
shot main.png "$(zk_probe main)"

menu c a
zk_wait "Ecriture > Ajouter opens its form" has-form
zk_type 1
zk_keys Tab
zk_type "Fleuriste"
zk_keys Tab
xdotool type --delay 80 -- "-24,90"
sleep 0.5
shot ajout.png "$(zk_probe main)"
zk_keys Return
zk_wait "OK adds the entry" no-form

menu f q
zk_wait "Quitter asks about the unsaved entry" has-form
sleep 0.5
shot question.png "$(zk_probe main)"
zk_click_item 104  # Non
for _ in $(seq 100); do
  kill -0 "$zk_velmo" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$zk_velmo" 2>/dev/null && zk_fail "Carnet did not quit through Fichier > Quitter"
wait "$zk_velmo"
status=$?
zk_velmo=""
echo "Screenshots: $shots (main.png, ajout.png, question.png)"
echo "Carnet exit code: $status"
[ "$status" -eq 0 ] && [ "$zk_failures" -ne 0 ] && status=1
exit "$status"
