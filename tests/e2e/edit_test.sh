#!/usr/bin/env bash
# Velmo's form "edit" driven as a user would: the date, amount and required fields typed into and
# left with Tab, and the four buttons that hide, show, disable and enable the input items.
source "$(dirname "$0")/lib.sh"

# The items by their names (their identifiers, order + 101, are checked by check_layout).
champ1=edit.champ1 champ2=edit.champ2 champ3=edit.champ3 champ4=edit.champ4 check=edit.check
fermer=edit.fermer masquer=edit.masquer montrer=edit.montrer desactiver=edit.desactiver
activer=edit.activer
inputs=($champ1 $champ2 $champ3 $champ4 $check)
labels="titre rectangle1 champ1texte champ2texte champ2texte2 champ3texte champ4texte checktexte"

# Expected children in creation order: id and class (and size where the table fixes it).
expected_controls=(
  "0 Static" "0 Static" "0 Static" "105 Edit 400x25" "0 Static" "107 Edit 100x25" "0 Static"
  "0 Static" "110 Edit 100x25" "0 Static" "112 Edit 100x25" "0 Static" "114 Button 14x14"
  "115 Button 100x30" "116 Button 100x30" "117 Button 100x30" "118 Button 100x30"
  "119 Button 100x30" "100 msctls_statusbar32"
)

# Replaces a field's text by typing, then leaves it with Tab.
retype() {
  zk_click_item "$1"
  zk_keys End shift+Home BackSpace
  [ -n "$2" ] && zk_type "$2"
  zk_keys Tab
}

check_layout() {
  local form first lines i
  form="$(zk_probe form)"
  first="${form%%$'\n'*}"
  zk_expect "edit: caption" "Zarvik Form" "$(zk_field "$first" text)"
  zk_expect "edit: size" "700x550" "$(zk_field "$first" w)x$(zk_field "$first" h)"
  mapfile -t lines < <(printf '%s\n' "$form" | tail -n +2)
  zk_expect "edit: number of controls" "${#expected_controls[@]}" "${#lines[@]}"
  for i in "${!expected_controls[@]}"; do
    local line="${lines[$i]:-}" id class size got
    read -r id class size <<<"${expected_controls[$i]}"
    got="$(zk_field "$line" id) $(zk_field "$line" class)"
    [ -n "${size:-}" ] && got+=" $(zk_field "$line" w)x$(zk_field "$line" h)"
    zk_expect "edit: control $((i + 1)) in creation order" "${expected_controls[$i]}" "$got"
  done
  zk_expect "edit: champ4 starts with its value" 1234567890 "$(zk_field "$(zk_item $champ4)" text)"
  zk_expect "edit: Montrer starts hidden" 0 "$(zk_field "$(zk_item $montrer)" visible)"
  zk_expect "edit: Activer starts disabled" 0 "$(zk_field "$(zk_item $activer)" enabled)"
  zk_expect "edit: Fermer's caption" fermer "$(zk_field "$(zk_item $fermer)" text)"
}

check_date() {
  retype $champ2 1
  zk_wait "edit: '1' in champ2 becomes the first of this month" \
    text-is $champ2 "01/$(date +%m/%Y)"
  retype $champ2 1/1
  zk_wait "edit: '1/1' in champ2 becomes the first of January" text-is $champ2 "01/01/$(date +%Y)"
}

check_amount() {
  retype $champ3 12,5
  zk_wait "edit: '12,5' in champ3 stays" text-is $champ3 "12,5"
  zk_wait "edit: an accepted amount lets the focus go" focus-is $champ4
  retype $champ3 1234
  zk_wait "edit: '1234' in champ3 keeps three integer digits" text-is $champ3 "234"
}

# Refused input, in a run of its own so that a fault there cannot hide the other checks.
check_refused_amount() {
  retype $champ3 abc
  zk_wait "edit: 'abc' in champ3 is refused, the focus comes back" focus-is $champ3
  zk_keys Tab
  zk_wait "edit: Saisie incorrecte at the next focus-in" status-is "Saisie incorrecte"
  zk_wait "edit: the focus stays in the refused champ3" focus-is $champ3
  retype $champ3 7
  zk_wait "edit: a good amount is taken after a refusal" focus-is $champ4
}

check_required() {
  retype $champ4 ""
  zk_wait "edit: an empty champ4 takes the focus back" focus-is $champ4
  zk_keys Tab
  zk_wait "edit: Saisie obligatoire at the next focus-in" status-is "Saisie obligatoire"
  zk_wait "edit: the focus stays in champ4" focus-is $champ4
  zk_type 12345678901234
  zk_keys Tab
  zk_wait "edit: champ4 holds at most ten characters" text-is $champ4 1234567890
}

# states ATTRIBUTE VALUE: the attribute of the five inputs.
input_states() {
  local id out=""
  for id in "${inputs[@]}"; do out+="$(zk_field "$(zk_item "$id")" "$1")"; done
  echo "$out"
}

labels_untouched() {
  local form name bad=""
  form="$(zk_probe form)"
  for name in $labels; do
    grep -q "text=\"$name\" visible=1 enabled=1" <<<"$form" || bad+=" $name"
  done
  zk_expect "edit: labels untouched after $1" "" "$bad"
  zk_expect "edit: Fermer untouched after $1" "1 1" \
    "$(zk_field "$(zk_item $fermer)" visible) $(zk_field "$(zk_item $fermer)" enabled)"
}

check_switches() {
  zk_click_item $masquer
  zk_wait "edit: Masquer shows Montrer" visible-is $montrer 1
  zk_expect "edit: Masquer hides the five inputs" 00000 "$(input_states visible)"
  zk_expect "edit: Masquer hides itself" 0 "$(zk_field "$(zk_item $masquer)" visible)"
  labels_untouched Masquer
  zk_click_item $montrer
  zk_wait "edit: Montrer shows Masquer" visible-is $masquer 1
  zk_expect "edit: Montrer shows the five inputs" 11111 "$(input_states visible)"
  zk_expect "edit: Montrer hides itself" 0 "$(zk_field "$(zk_item $montrer)" visible)"
  labels_untouched Montrer

  zk_click_item $desactiver
  sleep 0.3
  zk_expect "edit: Desactiver disables the five inputs" 00000 "$(input_states enabled)"
  zk_expect "edit: Desactiver disables itself, enables Activer" "0 1" \
    "$(zk_field "$(zk_item $desactiver)" enabled) $(zk_field "$(zk_item $activer)" enabled)"
  zk_expect "edit: Desactiver leaves them visible" 11111 "$(input_states visible)"
  labels_untouched Desactiver
  zk_click_item $activer
  sleep 0.3
  zk_expect "edit: Activer enables the five inputs" 11111 "$(input_states enabled)"
  zk_expect "edit: Activer enables Desactiver, disables itself" "1 0" \
    "$(zk_field "$(zk_item $desactiver)" enabled) $(zk_field "$(zk_item $activer)" enabled)"
  labels_untouched Activer
}

zk_start

zk_menu_open e || exit 1
check_layout
check_date
check_amount
check_switches
zk_click_item $fermer
zk_wait "edit: Fermer closes the form" no-form

zk_menu_open e && {
  zk_expect "edit: reopened with champ4's first value" 1234567890 \
    "$(zk_field "$(zk_item $champ4)" text)"
  zk_expect "edit: reopened with Montrer hidden again" 0 "$(zk_field "$(zk_item $montrer)" visible)"
  zk_close_box
  zk_wait "edit: the close box closes the form" no-form
}
zk_menu_open e && {
  zk_click_item $fermer
  zk_wait "edit: opens and closes again after the close box" no-form
}

zk_quit

zk_start
zk_menu_open e && {
  check_refused_amount
  check_required
  zk_click_item $fermer
  zk_wait "edit: Fermer closes the form after refused input" no-form
}
zk_quit
zk_done
