#!/usr/bin/env bash
# Velmo's form "tous" driven as a user would: opened from the menu, every control in creation
# order, the remarks while Tab walks the items, the check boxes by click and by Space, the two
# buttons that do nothing, OK and the close box, and a second opening.
source "$(dirname "$0")/lib.sh"

# Expected children in creation order: id, class, text, x, y, width, height in the client area.
# Static texts and rectangles carry no identifier and their item name as window text.
expected_controls=(
  "0 Static titre 50 10 600 40"
  "0 Static rectangle1 50 60 600 300"
  "0 Static edit1texte 60 65 180 25"
  "105 Edit  180 65 400 25"
  "0 Static check1texte 60 95 180 25"
  "107 Button check1 180 100 14 14"
  "0 Static check2texte 400 95 180 25"
  "109 Button check2 480 100 20 20"
  "0 Static combo1texte 60 125 180 25"
  "111 ComboBox un 180 125 100 -"
  "0 Static bouton1texte 60 155 180 25"
  "113 Button bouton1 180 155 100 30"
  "0 Static bouton2texte 400 155 180 25"
  "115 Button bouton2 480 155 100 30"
  "116 Button ok 300 400 100 30"
  "100 msctls_statusbar32 - - - - -"
)

# The input items by their names.
edit1=tous.edit1 check1=tous.check1 check2=tous.check2 combo1=tous.combo1
bouton1=tous.bouton1 bouton2=tous.bouton2 ok=tous.ok

# The Tab walk from the first input item: the item and the remark shown in the status bar.
tab_walk=(
  "$edit1 Champ de saisie simple"
  "$check1 Case \\xE0 cocher"
  "$check2 Case \\xE0 cocher ownerdraw"
  "$combo1 Combo box"
  "$bouton1 Bouton syst\\xE8me - ne r\\xE9pond pas au clic"
  "$bouton2 Bouton ownerdraw - ne r\\xE9pond pas au clic"
  "$ok Ferme le formulaire"
  "$edit1 Champ de saisie simple"
)

check_form_layout() {
  local form lines i
  form="$(zk_probe form)"
  local first="${form%%$'\n'*}"
  zk_expect "tous: caption" "Zarvik Form" "$(zk_field "$first" text)"
  zk_expect "tous: class" "#32770" "$(zk_field "$first" class)"
  zk_expect "tous: size" "700x500" "$(zk_field "$first" w)x$(zk_field "$first" h)"
  mapfile -t lines < <(printf '%s\n' "$form" | tail -n +2)
  zk_expect "tous: number of controls" "${#expected_controls[@]}" "${#lines[@]}"
  for i in "${!expected_controls[@]}"; do
    local line="${lines[$i]:-}" id class text x y w h
    read -r id class text x y w h <<<"${expected_controls[$i]}"
    [ "$class" == "Edit" ] && { h="$w"; w="$y"; y="$x"; x="$text"; text=""; }
    local got="$(zk_field "$line" id) $(zk_field "$line" class)"
    local want="$id $class"
    [ "$text" != "-" ] && { got+=" $(zk_field "$line" text)"; want+=" $text"; }
    [ "$x" != "-" ] && { got+=" $(zk_field "$line" cx) $(zk_field "$line" cy) $(zk_field "$line" w)"; want+=" $x $y $w"; }
    [ "$h" != "-" ] && { got+=" $(zk_field "$line" h)"; want+=" $h"; }
    zk_expect "tous: control $((i + 1)) in creation order" "$want" "$got"
    zk_expect "tous: control $((i + 1)) visible and enabled" "1 1" \
      "$(zk_field "$line" visible) $(zk_field "$line" enabled)"
  done
  zk_expect "tous: check1 starts checked" 1 "$(zk_field "$(zk_item $check1)" check)"
  zk_expect "tous: combo1 entries" "un|deux|trois" "$(zk_field "$(zk_item $combo1)" entries)"
  zk_expect "tous: combo1 selects the first" 0 "$(zk_field "$(zk_item $combo1)" cursel)"
}

check_tab_walk() {
  local step id remark
  zk_click_item $edit1
  for step in "${tab_walk[@]}"; do
    id="${step%% *}" remark="${step#* }"
    zk_wait "tous: focus on $id" focus-is "$id"
    zk_wait "tous: remark of $id in the status bar" status-is "$remark"
    zk_keys Tab
  done
}

# The owner-drawn check box shows its state as a red cross on white.
check2_crossed() {
  zk_shot_item $check2 "$zk_shots/check2.png"
  [ "$(zk_count "$zk_shots/check2.png" FF0000)" -gt 10 ] && echo 1 || echo 0
}

check_boxes() {
  zk_expect "tous: check2 starts checked (red cross drawn)" 1 "$(check2_crossed)"
  zk_shot_item $check2 "$zk_shots/check2.png"
  zk_expect "tous: check2 border black" 000000 "$(zk_pixel "$zk_shots/check2.png" 0 0)"
  zk_click_item $check1
  zk_wait "tous: click unchecks check1" check-is $check1 0
  zk_click_item $check1
  zk_wait "tous: click checks check1 again" check-is $check1 1
  zk_keys space
  zk_wait "tous: Space unchecks check1" check-is $check1 0
  zk_click_item $check2
  sleep 0.3
  zk_expect "tous: click unchecks check2" 0 "$(check2_crossed)"
  zk_keys space
  zk_expect "tous: Space checks check2 again" 1 "$(check2_crossed)"
}

check_dead_buttons() {
  local before after
  before="$(zk_probe form | grep -v 'id=100 ')"
  zk_click_item $bouton1
  zk_click_item $bouton2
  zk_wait "tous: the form stays open after bouton1 and bouton2" has-form
  after="$(zk_probe form | grep -v 'id=100 ')"
  zk_expect "tous: bouton1 and bouton2 change nothing" "$before" "$after"
}

zk_start

# First run: every check, closed with OK; then twice more, with the close box and with OK.
zk_menu_open t || exit 1
check_form_layout
check_tab_walk
check_boxes
check_dead_buttons
zk_click_item $ok
zk_wait "tous: OK closes the form" no-form

zk_menu_open t && {
  zk_expect "tous: reopened fresh, check1 checked" 1 "$(zk_field "$(zk_item $check1)" check)"
  zk_close_box
  zk_wait "tous: the close box closes the form" no-form
}
zk_menu_open t && {
  zk_click_item $ok
  zk_wait "tous: opens and closes again after the close box" no-form
}

zk_quit
zk_done
