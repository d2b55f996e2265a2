#!/usr/bin/env bash
# Builds and runs Carnet, the expense ledger, on FILE (by default the sample ledger
# examples/carnet/compte.csv). With a DISPLAY it runs there until the user quits. Without one it
# runs on a private Xvfb inside Wine's virtual desktop, tours the program with real input (the
# ledger, categories given to three entries, a period shown, the totals by category, the form of a
# new entry, the unsaved-changes question), saves the screenshots in the
# folder it prints, quits through Fichier > Quitter, answering Non, and exits with Carnet's exit
# code.
set -uo pipefail
cd "$(dirname "$0")/.."
file="$(realpath "${1:-examples/carnet/compte.csv}")"
bash scripts/build.sh carnet zarvik_probe || exit 1

# Wine reads a full Unix path as one on its drive Z:, the root of the Unix files.
source scripts/wine-env.sh
zk_program_or_tour carnet.exe "$file"
ZK_BIN="$PWD/build/mingw64/bin"
source scripts/velmo-driver.sh
tour=0
zk_problem() {
  echo "$*" >&2
  tour=1
}
menu() {  # menu LETTER LETTER: Alt+LETTER on the main window, then the entry's letter
  xdotool windowfocus --sync "$(xdotool search --name ' - Carnet$' | head -n 1)" 2>/dev/null || true
  zk_keys "alt+$1" "$2"
}
expect() { zk_probe wait 5000 "$@" || zk_problem "check failed: $*"; }

zk_program_start ' - Carnet$' carnet.exe "$file" || exit 1
shots="$(mktemp -d /tmp/carnet-tour.XXXXXX)"
[[ "$(zk_probe status)" =~ ^[0-9]+\ \\xE9critures,\ total\ -?[0-9,]+$ ]] ||
  zk_problem "the status bar shows no total: $(zk_probe status)"
zk_shot "$(zk_probe main)" "$shots/main.png"

# Categories typed into the grid's last column for the first, third and fourth entries; then
# Affichage > Période... from the 1st to the 31st of March 2026, photographed.
zk_keys ctrl+Home Right Right Right Right
for category in Courses "" Logement Courses; do
  if [ -n "$category" ]; then
    xdotool type --delay 80 -- "$category"
    zk_keys Return
  fi
  zk_keys Down
done
menu a p
expect has-form
xdotool type --delay 80 -- 01/03/2026
zk_keys Tab
xdotool type --delay 80 -- 31/03/2026
zk_keys Return
expect no-form
zk_keys ctrl+Home
sleep 0.5
zk_shot "$(zk_probe main)" "$shots/periode.png"

# Affichage > Totaux par catégorie..., photographed, closed with Escape; then every entry again.
menu a o
expect has-form
sleep 0.5
zk_shot "$(zk_probe main)" "$shots/totaux.png"
zk_keys Escape
expect no-form
menu a t

# Ecriture > Ajouter..., an entry typed in, photographed over the ledger, added with Enter.
menu c a
expect has-form
xdotool type --delay 80 -- 1
zk_keys Tab
xdotool type --delay 80 -- Fleuriste
zk_keys Tab
xdotool type --delay 80 -- -24,90
sleep 0.5
zk_shot "$(zk_probe main)" "$shots/ajout.png"
zk_keys Return
expect no-form

# Fichier > Quitter asks about the unsaved entry: photographed, then answered Non.
menu f q
expect has-form
sleep 0.5
zk_shot "$(zk_probe main)" "$shots/question.png"
zk_click_item 7  # the question box's Non (IDNO)
zk_velmo_wait
echo "Screenshots: $shots (main.png, periode.png, totaux.png, ajout.png, question.png)"
echo "Carnet exit code: $zk_status"
[ "$zk_status" -eq 0 ] && [ "$tour" -ne 0 ] && zk_status=1
exit "$zk_status"
