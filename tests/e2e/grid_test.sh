#!/usr/bin/env bash
# The grid example (examples/grid) driven as a user would: keys and clicks move the current cell,
# edit, refuse, cancel and sort; the cells, titles and status bar read back from outside; the
# colours read from a screenshot; Ctrl+C read from the clipboard.
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
  zk_expect "grid: titles" "Date|Label|Amount|Entered by" "$(zk_field "$line" titles)"
  zk_expect "grid: six rows, the first current" "6 0" \
    "$(zk_field "$line" rows) $(zk_field "$line" current)"
  zk_expect "grid: the rows as inserted" "02/03/2026|Bakery|-3,2|Anne" "$(zk_probe rows $list 0 1)"
  zk_wait "grid: the grid has the focus" focus-is $list
}

# The item's text colour (0x602000, blue-black) and the read-only column's light grey.
check_colours() {
  local shot="$zk_shots/grid.png"
  zk_keys Down  # the first row unselected: its cells show their own colours
  zk_shot_item $list "$shot"
  [ "$(zk_count "$shot" dfdfdf)" -gt 500 ] && echo "ok: grid: the read-only column is light grey" ||
    zk_fail "grid: no light grey column ($(zk_count "$shot" dfdfdf) pixels)"
  [ "$(zk_count "$shot" 002060)" -gt 50 ] && echo "ok: grid: texts in the item's colour" ||
    zk_fail "grid: no text in 002060 ($(zk_count "$shot" 002060) pixels)"
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
  zk_expect "grid: the title shows the order" "Date|Label|Amount^|Entered by" \
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
    '28/02/2026\x09Salary\x092150\x09Paul\x0D\x0A' "$(zk_probe clipboard)"
  zk_keys shift+Down
  zk_expect "grid: Shift+Down selects two rows, the second current" "2 1" \
    "$(zk_field "$(grid_line)" selected) $(zk_field "$(grid_line)" current)"
  zk_keys ctrl+c
  zk_expect "grid: Ctrl+C copies both" \
    '28/02/2026\x09Salary\x092150\x09Paul\x0D\x0A01/03/2026\x09Rent\x09-780\x09Paul\x0D\x0A' \
    "$(zk_probe clipboard)"
  zk_keys ctrl+End Tab
  zk_wait "grid: Tab past the last cell leaves the grid" focus-is $add
}

grid_start
check_layout
check_colours
check_moves
check_edits
check_sort
check_copy_and_tab
grid_quit
zk_done
