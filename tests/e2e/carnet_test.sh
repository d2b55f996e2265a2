#!/usr/bin/env bash
# Carnet driven as a user would: an entry added through its form (Enter pressing OK, a refused
# field keeping it open), edited in place, a wrong date refused, a sort by a title's click, a
# deletion, a save compared byte for byte, a reopen and a save as giving the same bytes, shortcuts
# from the grid and from its cell editor, a file name with accents, the unsaved-changes question's
# three answers, a save into a folder that has vanished (nothing lost), a malformed file refused
# with its line number, and the grid filling the window as it is resized. Then undo and redo by
# their keys, the running balance and its red, categories chosen and their totals, a period and
# find, two Carnets on one ledger and a file changed on disk, a UTF-8 file with its mark saved
# back byte for byte, and the recent files.
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
# The system's file dialog: the path typed into its file name field, then Enter. The probe types
# with the system's own input: xdotool remaps a key for each character the keyboard lacks, and a
# loaded Wine reads some after the map is back ("relev d'ao\xFBt.csv").
choose_file() {
  zk_wait "$1: the file dialog opens" has-form
  sleep 0.5
  zk_probe type "$(winepath -w "$2" 2>/dev/null)"
  zk_keys Return
}
# The open message box says $2; Enter closes it.
expect_message() {
  zk_wait "$1: a message box" has-form
  # The box is there before its text: under load the first look can come in between.
  local _
  for _ in $(seq 25); do zk_probe form | grep -qF -- "$2" && break; sleep 0.2; done
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
  zk_wait "Ajouter... the form opens" has-form
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
  zk_expect "the entry as the form completed it, its balance after it" "01/$month|Essai|-5,5|1295,69|" \
    "$(zk_probe rows $grid 12 1)"
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
  xdotool mousemove $(($(zk_field "$line" x) + 400)) $(($(zk_field "$line" y) + 10)) click 1
  zk_wait "a click on Montant sorts by amount" cell-is $grid 0 2 "-780"
  zk_expect "... in order" "-780 -64,37 2150" \
    "$(zk_probe cell $grid 0 2) $(zk_probe cell $grid 1 2) $(zk_probe cell $grid 12 2)"
  zk_keys ctrl+Home
  zk_keys Delete
  zk_wait "Delete (Supprimer) deletes the current entry" status-is '12 \xE9critures, total 2074,19'
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

  # Ctrl+Maj+S (Enregistrer sous) typed to a name with accents, without its extension: ".csv" is
  # added. winepath would drop the accents: they are given to the probe in code page 1252.
  zk_keys ctrl+shift+s
  zk_wait "Ctrl+Maj+S: the file dialog opens" has-form
  sleep 0.5
  zk_probe type "$(winepath -w "$work" 2>/dev/null)\\relev\xE9 d'ao\xFBt"
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
  zk_keys ctrl+n
  zk_wait "Ctrl+N asks again" has-form
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

# Opens a copy of the sample as NAME through Ctrl+O, answering Non to the unsaved-changes question
# when one comes.
open_copy() {
  cp "$sample" "$work/$1"
  xdotool windowfocus --sync "$(carnet_window)" 2>/dev/null || true
  zk_keys ctrl+o
  zk_wait "Ctrl+O: a question or the file dialog" has-form
  if zk_probe form | grep -qF '&Non'; then
    zk_click_item $question_no
  fi
  choose_file "Ouvrir $1" "$work/$1"
  zk_wait "$1 opens" status-is '12 \xE9critures, total 1301,19'
}

# Undo and redo by their keys over a deletion, a sort, an edit, an added entry and a paste (one
# step); the title's "*" follows, gone again when back at the saved state.
check_undo_redo() {
  local line
  open_copy undo.csv
  zk_keys ctrl+Home Delete
  zk_wait "Delete deletes the first entry" status-is '11 \xE9critures, total 1304,39'
  zk_expect "... unsaved" "* undo.csv - Carnet" "$(title)"
  zk_keys ctrl+z
  zk_wait "Ctrl+Z brings it back" cell-is $grid 0 1 "Boulangerie"
  zk_wait "... with the total" status-is '12 \xE9critures, total 1301,19'
  zk_expect "... and the title is clean again" "undo.csv - Carnet" "$(title)"
  zk_keys ctrl+y
  zk_wait "Ctrl+Y deletes it again" status-is '11 \xE9critures, total 1304,39'
  zk_keys ctrl+z
  line="$(zk_item $grid)"
  xdotool mousemove $(($(zk_field "$line" x) + 400)) $(($(zk_field "$line" y) + 10)) click 1
  # Up or down, as the title's last click left it.
  local first
  for _ in $(seq 25); do
    first="$(zk_probe cell $grid 0 2)"
    [[ "$first" == "-780" || "$first" == "2150" ]] && break
    sleep 0.2
  done
  [[ "$first" == "-780" || "$first" == "2150" ]] && echo "ok: a click on Montant sorts" ||
    zk_fail "a click on Montant did not sort: [$first]"
  zk_keys ctrl+z
  zk_wait "Ctrl+Z takes the sort back" cell-is $grid 0 1 "Boulangerie"
  zk_expect "... every entry in its place" "Salaire de f\xE9vrier|Loyer|Vente d'un v\xE9lo" \
    "$(zk_probe cell $grid 1 1)|$(zk_probe cell $grid 2 1)|$(zk_probe cell $grid 11 1)"
  zk_keys ctrl+y
  zk_wait "Ctrl+Y sorts again" cell-is $grid 0 2 "$first"
  zk_keys ctrl+z Insert
  zk_wait "Insert opens Nouvelle \xE9criture" has-form
  zk_type 2/3/2026
  zk_keys Tab
  zk_type Ajout
  zk_keys Tab
  zk_type 10
  zk_keys Return
  zk_wait "... which adds the entry" status-is '13 \xE9critures, total 1311,19'
  # xclip stays to serve the clipboard until another program takes it: not on the test's output.
  printf '20/03/2026\tCollage\t-1\r\n21/03/2026\tCollage 2\t-2\r\n' |
    xclip -selection clipboard -i >/dev/null 2>&1
  # From the added entry's date on: it is overwritten, the second row appended.
  zk_keys ctrl+End Home ctrl+v
  zk_wait "Ctrl+V pastes two entries" status-is '14 \xE9critures, total 1298,19'
  zk_expect "... as pasted" "20/03/2026|Collage|-1|21/03/2026|Collage 2|-2" \
    "$(zk_probe rows $grid 12 2 | cut -d"|" -f1-3 | paste -sd"|")"
  zk_keys ctrl+z
  zk_wait "one Ctrl+Z takes the whole paste back" status-is '13 \xE9critures, total 1311,19'
  zk_keys ctrl+z
  zk_wait "... the next the added entry" status-is '12 \xE9critures, total 1301,19'
  zk_expect "... back at the file as opened" "undo.csv - Carnet" "$(title)"
}

# The running balance read back, red where it is below zero; categories chosen in the grid and
# their totals.
check_balance_and_categories() {
  local shot="$zk_shots/carnet-balance.png"
  open_copy categories.csv
  zk_expect "the balance follows the entries" "-3,2|2146,8|1366,8|1301,19" \
    "$(zk_probe cell $grid 0 3)|$(zk_probe cell $grid 1 3)|$(zk_probe cell $grid 2 3)|$(zk_probe cell $grid 11 3)"
  zk_keys ctrl+Home Down
  sleep 0.5
  zk_shot_item $grid "$shot"
  if [ "$(zk_count "$shot" c00000)" -gt 0 ]; then
    echo "ok: the negative balance is red"
  else
    zk_fail "no red in the grid: $shot"
  fi
  zk_keys ctrl+Home Right Right Right Right
  zk_type "Courses"
  zk_keys Return
  zk_wait "a new category typed in the grid" cell-is $grid 0 4 "Courses"
  # F4 opens the list (Alt+Down would reach the menu bar under Wine), Enter closes it on the
  # entry picked, Tab takes it.
  zk_keys Down Down Down F2 F4
  sleep 0.5
  zk_keys Down Return Tab
  zk_wait "... then chosen from the list for another entry" cell-is $grid 3 4 "Courses"
  zk_keys ctrl+Home Down Down Right Right Right Right
  zk_type "Logement"
  zk_keys Return
  zk_wait "a second category" cell-is $grid 2 4 "Logement"
  menu a o
  zk_wait "Totaux par cat\xE9gorie opens" has-form
  zk_expect "each category's exact total" \
    "(sans cat\xE9gorie)|9|2102,84 Courses|2|-21,65 Logement|1|-780 Total|12|1301,19" \
    "$(zk_probe rows 102 0 4 | xargs -d '\n')"
  zk_keys Escape
  zk_wait "Escape closes it" no-form
}

# A period shown: the status bar, the balance and the total follow; Toutes les écritures shows
# them all again. Find in the labels, accents and case folded, forward and back.
check_period_and_find() {
  menu a p
  zk_wait "P\xE9riode... opens" has-form
  zk_type 1/3/2026
  zk_keys Tab
  zk_type 5/3/2026
  zk_keys Return
  zk_wait "the entries of the period" status-is '5 \xE9critures affich\xE9es sur 12, total -882,05'
  zk_expect "... their balance" "-3,2|-882,05" "$(zk_probe cell $grid 0 3)|$(zk_probe cell $grid 4 3)"
  menu a t
  zk_wait "Toutes les \xE9critures" status-is '12 \xE9critures, total 1301,19'
  zk_keys ctrl+Home ctrl+f
  zk_wait "Ctrl+F opens Rechercher" has-form
  zk_type "ar"
  zk_keys Return
  zk_wait "the first label holding it" current-is $grid 3
  zk_keys F3
  zk_wait "F3: the next" current-is $grid 6
  zk_keys shift+F3
  zk_wait "Maj+F3: the previous" current-is $grid 3
  zk_keys ctrl+f ctrl+a
  zk_type "CAFE"
  zk_keys Return
  zk_wait "case and accents folded" current-is $grid 7
}

# Two Carnets on one ledger: the second says so and opens it read-only, its save refused; a file
# changed on disk is replaced only when the user says so, its previous version kept as .bak.
check_lock_and_disk() {
  local second pid
  open_copy lock.csv
  cp "$work/lock.csv" "$work/lock.orig"
  (cd "$zk_bin" && exec wine carnet.exe "$(winepath -w "$work/lock.csv" 2>/dev/null)") &
  pid=$!
  for _ in $(seq 100); do
    second="$(xdotool search --name '^lock.csv \(lecture seule\) - Carnet$' 2>/dev/null | head -n 1)"
    [ -n "$second" ] && break
    sleep 0.2
  done
  if [ -n "$second" ]; then echo "ok: the second Carnet opens the ledger read-only"; else
    zk_fail "no read-only Carnet on lock.csv"; fi
  sleep 1
  zk_keys Return  # its message: "déjà ouvert dans un autre programme ; ouvert en lecture seule"
  xdotool windowfocus --sync "$second" 2>/dev/null || true
  zk_keys Delete
  for _ in $(seq 20); do [[ "$(xdotool getwindowname "$second")" == "* "* ]] && break; sleep 0.2; done
  zk_expect "... where entries may still be deleted" "* lock.csv (lecture seule) - Carnet" \
    "$(xdotool getwindowname "$second")"
  zk_keys ctrl+s
  sleep 2
  zk_keys Return  # its refusal: "rien n'est enregistré (enregistrer sous un autre nom)"
  cmp "$work/lock.orig" "$work/lock.csv" && echo "ok: ... but its save writes nothing" ||
    zk_fail "the read-only Carnet changed the file"
  xdotool windowfocus --sync "$second" 2>/dev/null || true
  zk_keys ctrl+q
  sleep 1
  zk_keys Tab Return  # Non to its unsaved-changes question
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then zk_fail "the second Carnet did not quit"; kill "$pid"; fi
  wait "$pid" 2>/dev/null

  # The first Carnet's grid clicked to take the keys again.
  zk_click_item $grid 200 30
  printf '15/03/2026;Autre programme;1\r\n' >>"$work/lock.csv"
  cp "$work/lock.csv" "$work/lock.other"
  zk_keys ctrl+Home Delete ctrl+s
  sleep 1
  if zk_probe form | grep -qF 'modifi\xE9 par un autre programme'; then echo "ok: ... and says why"; else
    zk_fail "no reason in: $(zk_probe form)"; fi
  zk_keys Tab Return
  zk_wait "Non keeps the file" no-form
  cmp "$work/lock.other" "$work/lock.csv" && echo "ok: ... untouched" || zk_fail "the file changed"
  zk_keys ctrl+s
  sleep 1
  zk_expect "asked again" "Carnet" "$(zk_field "$(zk_probe form | head -n 1)" text)"
  zk_keys Return
  zk_wait "Oui replaces it" no-form
  for _ in $(seq 20); do [ "$(title)" == "lock.csv - Carnet" ] && break; sleep 0.2; done
  { sed -n 1p "$work/lock.orig"; sed -n '3,$p' "$work/lock.orig"; } | cmp - "$work/lock.csv" &&
    echo "ok: the ledger as shown replaced it" || zk_fail "the saved file is not the ledger shown"
  cmp "$work/lock.other" "$work/lock.csv.bak" && echo "ok: the replaced version kept as .bak" ||
    zk_fail "no .bak of the replaced version"
}

# A UTF-8 file with its byte-order mark: saved back byte for byte, an edited line in UTF-8 too.
# The recent files: Fichier's first offers the ledger opened before.
check_utf8_and_recent() {
  local bom=$'\xef\xbb\xbf'
  printf '%sdate;libell\xc3\xa9;montant\r\n01/02/2026;Caf\xc3\xa9 cr\xc3\xa8me;-3,5\r\n02/02/2026;Th\xc3\xa9;-2\r\n' \
    "$bom" >"$work/bom.csv"
  cp "$work/bom.csv" "$work/bom.orig"
  xdotool windowfocus --sync "$(carnet_window)" 2>/dev/null || true
  zk_keys ctrl+o
  choose_file "Ouvrir bom.csv" "$work/bom.csv"
  zk_wait "the UTF-8 ledger opens" status-is '2 \xE9critures, total -5,5'
  zk_expect "... its labels in the window's code page" "Caf\xE9 cr\xE8me" "$(zk_probe cell $grid 0 1)"
  zk_keys ctrl+shift+s
  choose_file "Enregistrer sous bom2.csv" "$work/bom2.csv"
  for _ in $(seq 20); do [ "$(title)" == "bom2.csv - Carnet" ] && break; sleep 0.2; done
  cmp "$work/bom.orig" "$work/bom2.csv" && echo "ok: saved back byte for byte" ||
    zk_fail "the UTF-8 file changed"
  zk_keys ctrl+End Home Right Right F2 ctrl+a
  xdotool type --delay 80 -- "-2,5"
  zk_keys Return ctrl+s
  for _ in $(seq 20); do [ "$(title)" == "bom2.csv - Carnet" ] && break; sleep 0.2; done
  { head -c -20 "$work/bom.orig"; printf '02/02/2026;Th\xc3\xa9;-2,5\r\n'; } | cmp - "$work/bom2.csv" &&
    echo "ok: an edited line in UTF-8, the others as they were" || zk_fail "the edited UTF-8 file"
  menu f 2
  zk_wait "Fichier > 2 opens the ledger before" status-is '2 \xE9critures, total -5,5'
  zk_expect "... bom.csv" "bom.csv - Carnet" "$(title)"
  zk_keys Delete
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
check_undo_redo
check_balance_and_categories
check_period_and_find
check_lock_and_disk
check_utf8_and_recent
quit_carnet
zk_done
