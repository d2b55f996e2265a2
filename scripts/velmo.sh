#!/usr/bin/env bash
# Builds and runs Velmo. With a DISPLAY it runs there until the user quits. Without one it runs on
# a private Xvfb inside Wine's virtual desktop, tours the three forms with real input (each
# opened from the menu, photographed and closed with its own button), saves the screenshots in the
# folder it prints, quits through Fichier > Quitter, and exits with Velmo's exit code.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh velmo zarvik_probe || exit 1

source scripts/wine-env.sh
zk_program_or_tour velmo.exe
ZK_BIN="$PWD/build/mingw64/bin"
source scripts/velmo-driver.sh
if ! zk_velmo_start; then
  kill "$zk_velmo" 2>/dev/null
  wait "$zk_velmo"
  exit 1
fi

# The tour: each form opened from the menu with the keyboard, photographed, and closed with its
# own button, found and read from outside by the probe.
shots="$(mktemp -d /tmp/velmo-tour.XXXXXX)"
tour=0
for form in "tous t tous.ok" "static s static.fermer" "edit e edit.fermer"; do
  read -r name letter button <<<"$form"
  if ! zk_menu_open "$letter"; then
    echo "The form \"$name\" did not open." >&2
    tour=1
    continue
  fi
  zk_shot "$(zk_probe form | head -n 1)" "$shots/$name.png"
  zk_click_item "$button" 20 10
  zk_probe wait 5000 no-form || { echo "The form \"$name\" did not close." >&2; tour=1; }
done
sleep 0.5
zk_shot "$(zk_probe main)" "$shots/main.png"
echo "Screenshots: $shots (main.png, tous.png, static.png, edit.png)"

zk_velmo_quit
echo "Velmo exit code: $zk_status"
[ "$zk_status" -eq 0 ] && [ "$tour" -ne 0 ] && zk_status=1
exit "$zk_status"
