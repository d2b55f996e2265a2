#!/usr/bin/env bash
# The grid example (examples/grid) driven as a user would: keys and clicks move the current cell,
# edit, refuse, cancel and sort; the cells, titles and status bar read back from outside; the
# colours read from a screenshot; Ctrl+C read from the clipboard; text put on the clipboard from
# outside (xclip) pasted with Ctrl+V, refused and vetoed; choice and check cells; rows added and
# deleted with Insert and Delete.
source "$(dirname "$0")/lib.sh"

list=expenses.list add=expenses.add close=expenses.close
month="$(date +%m/%Y)"

grid_start() {
  (cd "$zk_bin" && exec wine zarvik_grid.exe) &
  zk_velmo=$!  # lib.sh's clean-up ends the program under test by this name
  if ! zk_probe wait 20000 has-form; then
    zk_fail "the grid example's form did not appear"
    exit 1
  fi
  sleep 0.5
}

grid_quit() {
  local window
  zk_click_item $close
  zk_wait "grid: Close closes the form" no-form
  window="$(xdotool search --name '^Grid$' 2>/dev/null | head -n 1)"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  zk_keys alt+f
  zk_keys q
  zk_velmo_wait
  zk_expect "grid: exit code after File > Quit" 0 "$zk_status"
}

cell() { zk_probe cell $list "$1" "$2"; }
grid_line() { zk_item $list; }

check_layout() {
  local line
  line="$(grid_line)"
  zk_expect "grid: titles" "Date|Label|Amount|Category|Checked|Entered by" \
    "$(zk_field "$line" titles)"
  zk_expect "grid: six rows, the first current" "6 0" \
    "$(zk_field "$line" rows) $(zk_field "$line" current)"
  zk_expect "grid: the rows as inserted, a check box's text blank" \
    "02/03/2026|Bakery|-3,2|Food||Anne" "$(zk_probe rows $list 0 1)"
  zk_wait "grid: the grid has the focus" focus-is $list
}

# The item's text colour (0x602000, blue-black), the read-only column's light grey, and the
# colour procedure's: negative amounts in red (0xC00000), checked rows on pale green (0xE0F4E0).
check_colours() {
  local shot="$zk_shots/grid.png" colour count
  zk_keys Down  # the first row unselected: its cells show their own colours
  zk_shot_item $list "$shot"
  for colour in dfdfdf:500:"the read-only column is light grey" \
    002060:50:"texts in the item's colour" c00000:20:"negative amounts in red" \
    e0f4e0:500:"checked rows on pale green"; do
    count="$(zk_count "$shot" "${colour%%:*}")"
    colour="${colour#*:}"
    [ "$count" -gt "${colour%%:*}" ] && echo "ok: grid: ${colour#*:}" ||
      zk_fail "grid: ${colour#*:} ($count pixels)"
  done
  zk_keys Up
}

check_moves() {
  zk_keys Down Down
  zk_wait "grid: Down twice makes row 2 current" current-is $list 2
  zk_keys Right
  zk_wait "grid: the label column's remark" status-is "What the money went on (40 characters)"
  zk_keys Next
  zk_wait "grid: Page Down goes to the last row in view" current-is $list 5
  zk_keys Prior
  zk_wait "grid: Page Up to the first row in view" current-is $list 0
  zk_keys ctrl+End
  zk_wait "grid: Ctrl+End goes to the last row" current-is $list 5
  zk_keys ctrl+Home
  zk_wait "grid: Ctrl+Home to the first" current-is $list 0
  zk_wait "grid: ... in the first column" status-is "Date: 1 is the 1st of this month"
  zk_click_item $list 200 60  # the third row's label
  zk_wait "grid: a click makes its row current" current-is $list 2
  zk_wait "grid: ... and its cell" status-is "What the money went on (40 characters)"
}

check_edits() {
  zk_keys F2
  zk_wait "grid: F2 opens the editor" editor-is $list 1
  zk_type "Bus"
  zk_keys Return
  zk_wait "grid: Enter takes the new label" cell-is $list 2 1 "Bus"
  zk_wait "grid: ... and closes the editor" editor-is $list 0
  zk_keys Right
  xdotool type --delay 80 -- "-12,50"  # typing starts an edit
  zk_keys Return
  zk_wait "grid: an amount is written in its picture" cell-is $list 2 2 "-12,5"

  zk_type "abc"
  zk_keys Return
  zk_wait "grid: a refused amount keeps the editor open" editor-is $list 1
  zk_wait "grid: ... with the required field's message" status-is "Saisie obligatoire"
  zk_keys Down
  zk_wait "grid: ... and the cell" current-is $list 2
  zk_keys Escape
  zk_wait "grid: Escape closes the editor" editor-is $list 0
  zk_wait "grid: ... and keeps the value" cell-is $list 2 2 "-12,5"

  zk_keys Home
  zk_type "1"
  zk_keys Tab
  zk_wait "grid: '1' becomes the first of this month, Tab takes it" cell-is $list 2 0 "01/$month"
  zk_wait "grid: ... and moves to the next cell" status-is "What the money went on (40 characters)"
  zk_click_item $list 200 28  # the first row's label, double-clicked
  xdotool click --repeat 2 --delay 80 1
  sleep 0.3
  zk_wait "grid: a double-click opens the editor" editor-is $list 1
  zk_keys Escape
}

check_sort() {
  local line x y
  line="$(grid_line)"
  x="$(zk_field "$line" x)" y="$(zk_field "$line" y)"
  xdotool mousemove $((x + 400)) $((y + 10)) click 1  # the Amount title
  sleep 0.4
  zk_wait "grid: a title's click sorts by amount" cell-is $list 0 2 "-780"
  zk_expect "grid: the title shows the order" "Date|Label|Amount^|Category|Checked|Entered by" \
    "$(zk_field "$(grid_line)" titles)"
  zk_expect "grid: amounts in order, the edited one among them" "-780 -32,9 -18,45 -12,5" \
    "$(cell 0 2) $(cell 1 2) $(cell 2 2) $(cell 3 2)"
  xdotool mousemove $((x + 400)) $((y + 10)) click 1
  sleep 0.4
  zk_wait "grid: again, the other way" cell-is $list 0 2 "2150"
  xdotool mousemove $((x + 50)) $((y + 10)) click 1  # the Date title
  sleep 0.4
  zk_wait "grid: by date, in time order" cell-is $list 0 0 "28/02/2026"
}

check_copy_and_tab() {
  zk_keys ctrl+Home
  zk_keys ctrl+c
  zk_expect "grid: Ctrl+C copies the row as tab-separated text" \
    '28/02/2026\x09Salary\x092150\x09Income\x09yes\x09Paul\x0D\x0A' "$(zk_probe clipboard)"
  zk_keys shift+Down
  zk_expect "grid: Shift+Down selects two rows, the second current" "2 1" \
    "$(zk_field "$(grid_line)" selected) $(zk_field "$(grid_line)" current)"
  zk_keys ctrl+c
  zk_expect "grid: Ctrl+C copies both" \
    '28/02/2026\x09Salary\x092150\x09Income\x09yes\x09Paul\x0D\x0A01/03/2026\x09Rent\x09-780\x09Home\x09yes\x09Paul\x0D\x0A' \
    "$(zk_probe clipboard)"
}

# Ctrl+A, then Tab past the last cell, which adds a row here, and Ctrl+Tab, which leaves.
check_tab() {
  zk_keys ctrl+a
  zk_expect "grid: Ctrl+A selects every row" 7 "$(zk_field "$(grid_line)" selected)"
  zk_keys ctrl+End Tab
  zk_wait "grid: Tab past the last cell adds a row" current-is $list 7
  zk_keys Delete ctrl+Tab
  zk_wait "grid: Ctrl+Tab leaves the grid" focus-is $add
}

# Paste from outside (xclip) with real keys: a good paste, a refused one, a vetoed one; the
# clipboard read back from outside after Ctrl+C.
check_paste() {
  zk_keys ctrl+End Home
  printf '10/03/2026\tCinema\t-12\tLeisure\tyes\r\n11/03/2026\tTaxi\t-20,5\tTravel\tno\r\n' |
    xclip -selection clipboard -i
  zk_keys ctrl+v
  zk_wait "paste: two rows from the last, one appended" cell-is $list 6 1 "Taxi"
  zk_expect "paste: the cells as their columns write them" "10/03/2026|Cinema|-12|Leisure||Anne" \
    "$(zk_probe rows $list 5 1)"
  zk_expect "paste: the current row where the paste began" "7 5" \
    "$(zk_field "$(grid_line)" rows) $(zk_field "$(grid_line)" current)"
  zk_keys shift+Down ctrl+c
  zk_expect "paste: copied back as pasted" \
    '10/03/2026\x09Cinema\x09-12\x09Leisure\x09yes\x09Anne\x0D\x0A11/03/2026\x09Taxi\x09-20,5\x09Travel\x09no\x09\x0D\x0A' \
    "$(zk_probe clipboard)"
  printf '12/03/2026\tBus\t-3\tTravel\tno\n13/03/2026\tBoat\tabc\tTravel\tno\n' |
    xclip -selection clipboard -i
  zk_keys ctrl+Home ctrl+v
  zk_wait "paste: a refused cell is named in the status bar" status-is \
    'Collage refus\xE9, ligne 2, colonne Amount : Saisie obligatoire'
  zk_expect "paste: ... and nothing changed" "7|28/02/2026|Salary|01/03/2026" \
    "$(zk_field "$(grid_line)" rows)|$(cell 0 0)|$(cell 0 1)|$(cell 1 0)"
  for n in $(seq 1 25); do printf '01/04/2026\tRow %d\t-1\tFood\tno\n' "$n"; done |
    xclip -selection clipboard -i
  zk_keys ctrl+End Home ctrl+v
  zk_wait "paste: the application's veto is said" status-is "A paste adds at most 20 rows"
  zk_expect "paste: ... and nothing changed" "7|Taxi" "$(zk_field "$(grid_line)" rows)|$(cell 6 1)"
}

# A choice by typing, a check box by Space and by a click, a row added and one deleted by keys.
check_columns_and_rows() {
  local line x y
  zk_keys ctrl+Home Right Right Right
  zk_type "h"
  zk_wait "choice: typing opens the list on its entry" editor-is $list 1
  zk_keys Return
  zk_wait "choice: Enter takes it" cell-is $list 0 3 "Home"
  zk_keys Right space ctrl+c
  zk_expect "check: Space unticks it" '28/02/2026\x09Salary\x092150\x09Home\x09no\x09Paul\x0D\x0A' \
    "$(zk_probe clipboard)"
  line="$(grid_line)"
  x="$(zk_field "$line" x)" y="$(zk_field "$line" y)"
  xdotool mousemove $((x + 567)) $((y + 28)) click 1  # the first row's box
  sleep 0.4
  zk_keys ctrl+c
  zk_expect "check: a click on its box ticks it" \
    '28/02/2026\x09Salary\x092150\x09Home\x09yes\x09Paul\x0D\x0A' "$(zk_probe clipboard)"
  zk_keys Insert
  zk_wait "rows: Insert adds a row at the current one" cell-is $list 0 5 "Anne"
  zk_expect "rows: ... now 8" 8 "$(zk_field "$(grid_line)" rows)"
  zk_keys Delete
  zk_wait "rows: Delete deletes it" cell-is $list 0 1 "Salary"
  zk_expect "rows: ... 7 again" 7 "$(zk_field "$(grid_line)" rows)"
}

grid_start
check_layout
check_colours
check_moves
check_edits
check_sort
check_copy_and_tab
check_paste
check_columns_and_rows
check_tab
grid_quit
zk_done
