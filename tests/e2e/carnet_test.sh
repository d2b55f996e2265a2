#!/usr/bin/env bash
# Carnet driven as a user would: an entry added through its form (Enter pressing OK, a refused
# field keeping it open), edited in place, a wrong date refused, a sort by a title's click, a
# deletion, a save compared byte for byte, a reopen and a save as giving the same bytes, shortcuts
# from the grid and from its cell editor, a file name with accents, the unsaved-changes question's
# three answers, a save into a folder that has vanished (nothing lost), a malformed file refused
# with its line number, and the grid filling the window as it is resized.
source "$(dirname "$0")/lib.sh"

# The question box is the system's message box: its Non is the button IDNO (7) of the open box.
grid=carnet.ecritures question_no=7 entry_montant=ecriture.montant
sample="$(cd "$(dirname "$0")/../../examples/carnet" && pwd)/compte.csv"
work="$zk_shots/work"
mkdir -p "$work/folder"
cp "$sample" "$work/compte.csv"
printf 'date;libell\xe9;montant\r\n01/01/2026;A;1\r\n32/01/2026;B;2\r\n' >"$work/mauvais.csv"
month="$(date +%m/%Y)"

carnet_window() { xdotool search --name ' - Carnet$' 2>/dev/null | head -n 1; }
# Menu keys on the main window: "f n" is Fichier > Nouveau, "c a" Écriture > Ajouter...
menu() {
  xdotool windowfocus --sync "$(carnet_window)" 2>/dev/null || true
  zk_keys "alt+$1"
  zk_keys "$2"
}
# The system's file dialog: the path typed into its file name field, then Enter.
choose_file() {
  zk_wait "$1: the file dialog opens" has-form
  sleep 0.5
  xdotool type --delay 15 "$(winepath -w "$2" 2>/dev/null)"
  zk_keys Return
}
# The open message box says $2; Enter closes it.
expect_message() {
  zk_wait "$1: a message box" has-form
  if zk_probe form | grep -qF -- "$2"; then echo "ok: $1"; else zk_fail "$1: no [$2] in: $(zk_probe form)"; fi
  zk_keys Return
  zk_wait "$1: the message box closes" no-form
}
title() { zk_field "$(zk_probe main)" text; }
add_entry() {  # add_entry DATE LABEL AMOUNT
  menu c a
  zk_wait "the form Nouvelle \xE9criture opens" has-form
  zk_type "$1"
  zk_keys Tab
  zk_type "$2"
  zk_keys Tab
  xdotool type --delay 80 -- "$3"
  zk_keys Return
  zk_wait "Enter in the form adds the entry" no-form
}

start_carnet() {
  zk_program_start ' - Carnet$' carnet.exe "$(winepath -w "$work/compte.csv" 2>/dev/null)" || exit 1
  zk_wait "the sample ledger opens" status-is '12 \xE9critures, total 1301,19'
  zk_expect "the title names the file" "compte.csv - Carnet" "$(title)"
}

check_add_and_edit() {
  # OK checks every field first: a required amount left empty keeps the form open on it.
  menu c a
  zk_wait "Ctrl+E... the form opens" has-form
  zk_type 2
  zk_keys Tab
  zk_type Refus
  zk_keys Return
  zk_wait "an empty amount keeps the form open with the focus on it" focus-is $entry_montant
  zk_wait "... and says why" status-is "Saisie obligatoire"
  zk_keys Escape
  zk_wait "Escape presses Annuler" no-form
  zk_wait "... and nothing is added" status-is '12 \xE9critures, total 1301,19'

  add_entry 1 Essai "-5,50"
  zk_wait "the status bar counts the new entry" status-is '13 \xE9critures, total 1295,69'
  zk_expect "the entry as the form completed it" "01/$month|Essai|-5,5" "$(zk_probe rows $grid 12 1)"
  zk_expect "unsaved changes show in the title" "* compte.csv - Carnet" "$(title)"
  zk_wait "the new entry is current" current-is $grid 12
  zk_keys Right
  zk_type Courrier
  zk_keys Return
  zk_wait "a label edited in place" cell-is $grid 12 1 Courrier
  zk_keys Right
  xdotool type --delay 80 -- "-7"
  zk_keys Return
  zk_wait "an amount edited in place changes the total" status-is '13 \xE9critures, total 1294,19'
  zk_keys Home
  zk_type "32/13/2026"
  zk_keys Return
  zk_wait "a wrong date is refused" status-is "Saisie incorrecte"
  zk_wait "... its editor stays open" editor-is $grid 1
  zk_keys Escape
  zk_wait "Escape gives the status bar back" status-is '13 \xE9critures, total 1294,19'
  zk_wait "... and the date is kept" cell-is $grid 12 0 "01/$month"
}

check_sort_delete_save() {
  local line orig="$work/compte.orig" n
  cp "$work/compte.csv" "$orig"
  line="$(zk_item $grid)"
  xdotool mousemove $(($(zk_field "$line" x) + 560)) $(($(zk_field "$line" y) + 10)) click 1
  zk_wait "a click on Montant sorts by amount" cell-is $grid 0 2 "-780"
  zk_expect "... in order" "-780 -64,37 2150" \
    "$(zk_probe cell $grid 0 2) $(zk_probe cell $grid 1 2) $(zk_probe cell $grid 12 2)"
  zk_keys ctrl+Home
  zk_keys ctrl+Delete
  zk_wait "Ctrl+Delete (Supprimer) deletes the current entry" status-is '12 \xE9critures, total 2074,19'
  zk_wait "... the next one takes its place" cell-is $grid 0 2 "-64,37"
  zk_keys ctrl+s
  zk_wait "Ctrl+S in the grid saves" no-form
  for _ in $(seq 20); do [ "$(title)" == "compte.csv - Carnet" ] && break; sleep 0.2; done
  zk_expect "the title shows no unsaved change" "compte.csv - Carnet" "$(title)"
  # Untouched entries keep their bytes, quotes included; the edited one is written canonically.
  {
    sed -n 1p "$orig"
    for n in 10 7 6 12 5 8 11; do sed -n "${n}p" "$orig"; done
    printf '01/%s;Courrier;-7\r\n' "$month"
    for n in 2 9 13 3; do sed -n "${n}p" "$orig"; done
  } >"$work/expected.csv"
  cmp "$work/expected.csv" "$work/compte.csv" && echo "ok: the saved bytes" ||
    zk_fail "the saved file differs from the expected bytes"

  menu f o
  choose_file "Ouvrir" "$work/compte.csv"
  zk_wait "the saved ledger reopens" status-is '12 \xE9critures, total 2074,19'
  menu f s
  choose_file "Enregistrer sous" "$work/copie.csv"
  for _ in $(seq 20); do [ "$(title)" == "copie.csv - Carnet" ] && break; sleep 0.2; done
  zk_expect "Enregistrer sous names the ledger after its new file" "copie.csv - Carnet" "$(title)"
  cmp "$work/compte.csv" "$work/copie.csv" && echo "ok: reopened and saved again, the same bytes" ||
    zk_fail "reopening and saving changed the bytes"

  # F12 (Enregistrer sous) typed to a name with accents, without its extension: ".csv" is added.
  # The name is typed as UTF-8 whatever the caller's locale; winepath would drop its accents.
  zk_keys F12
  zk_wait "F12: the file dialog opens" has-form
  sleep 0.5
  LC_ALL=C.UTF-8 xdotool type --delay 15 "$(winepath -w "$work" 2>/dev/null)\\relev$(printf '\xc3\xa9') d'ao$(printf '\xc3\xbb')t"
  zk_keys Return
  for _ in $(seq 20); do [ "$(title)" == "relev\xE9 d'ao\xFBt.csv - Carnet" ] && break; sleep 0.2; done
  zk_expect "a name with accents reaches the title" "relev\xE9 d'ao\xFBt.csv - Carnet" "$(title)"
  cmp "$work/compte.csv" "$work/relev"$'\xc3\xa9'" d'ao"$'\xc3\xbb'"t.csv" &&
    echo "ok: saved under the name with accents" || zk_fail "no file under the name with accents"

  # A label changed, then Ctrl+S from the cell editor opened again saves; Ctrl+Z there stays the
  # editor's.
  zk_keys ctrl+Home Right F2
  zk_type "Paye"
  zk_keys Return
  zk_wait "a label changed" cell-is $grid 0 1 "Paye"
  zk_expect "... unsaved" "* relev\xE9 d'ao\xFBt.csv - Carnet" "$(title)"
  zk_keys F2
  zk_wait "F2 opens the cell editor" editor-is $grid 1
  zk_keys ctrl+z ctrl+s
  for _ in $(seq 20); do [ "$(title)" == "relev\xE9 d'ao\xFBt.csv - Carnet" ] && break; sleep 0.2; done
  zk_expect "Ctrl+S in the cell editor saves" "relev\xE9 d'ao\xFBt.csv - Carnet" "$(title)"
  zk_wait "... and the editor stays open" editor-is $grid 1
  zk_keys Escape
  zk_wait "Escape closes the editor" editor-is $grid 0
}

check_question() {
  menu c s
  zk_wait "a deletion" status-is '11 \xE9critures, total 2138,56'
  menu f n
  zk_wait "Nouveau with unsaved changes asks" has-form
  zk_expect "... with the buttons Oui, Non, Annuler" "&Oui &Non Annuler" \
    "$(zk_probe form | sed -n 's/.* class=Button text="\([^"]*\)".*/\1/p' | xargs)"
  zk_keys Escape
  zk_wait "Annuler (Escape) keeps the ledger" status-is '11 \xE9critures, total 2138,56'
  menu f n
  zk_wait "asked again" has-form
  zk_click_item $question_no
  zk_wait "Non drops the changes: a new, empty ledger" status-is '0 \xE9critures, total 0'
  zk_expect "... unnamed" "Sans titre - Carnet" "$(title)"

  add_entry 2/1/2026 Caution 500
  menu f n
  zk_wait "asked for the unnamed ledger" has-form
  zk_keys Return
  choose_file "Oui saves through Enregistrer sous" "$work/folder/nouveau.csv"
  zk_wait "... then the new ledger" status-is '0 \xE9critures, total 0'
  printf 'date;libell\xe9;montant\r\n02/01/2026;Caution;500\r\n' | cmp - "$work/folder/nouveau.csv" &&
    echo "ok: Oui saved the entry" || zk_fail "Oui did not save the entry"
}

check_nothing_lost() {
  menu f o
  choose_file "Ouvrir" "$work/folder/nouveau.csv"
  zk_wait "the saved ledger opens" status-is '1 \xE9critures, total 500'
  add_entry 3/1/2026 Loyer "-400"
  rm -rf "$work/folder"
  menu f e
  expect_message "a save into a vanished folder says so" "enregistrement impossible"
  zk_wait "... and keeps the entries" status-is '2 \xE9critures, total 100'
  zk_expect "... unsaved" "* nouveau.csv - Carnet" "$(title)"

  menu f o
  zk_wait "Ouvrir with unsaved changes asks" has-form
  zk_click_item $question_no
  choose_file "Ouvrir" "$work/mauvais.csv"
  expect_message "a malformed file is refused with its line" "mauvais.csv, ligne 3 : date incorrecte"
  zk_wait "... and the window keeps its ledger" status-is '2 \xE9critures, total 100'
}

# The window resized by the program's user: the ledger's grid fills it above the status bar.
check_resize() {
  local main line bar
  main="$(carnet_window)"
  xdotool windowsize "$main" 900 640
  sleep 1
  line="$(zk_probe main)"
  bar="$(zk_probe form | grep msctls_statusbar32)"
  zk_expect "the grid fills the resized window's width" "$(zk_field "$line" cw)" "$(zk_field "$(zk_item $grid)" w)"
  zk_expect "... and its height above the status bar" \
    "$(($(zk_field "$line" ch) - $(zk_field "$bar" h)))" "$(zk_field "$(zk_item $grid)" h)"
}

quit_carnet() {
  menu f q
  zk_wait "Quitter with unsaved changes asks" has-form
  zk_click_item $question_no
  zk_velmo_wait
  zk_expect "exit code after Quitter, answering Non" 0 "$zk_status"
}

start_carnet
check_add_and_edit
check_sort_delete_save
check_question
check_nothing_lost
check_resize
quit_carnet
zk_done
