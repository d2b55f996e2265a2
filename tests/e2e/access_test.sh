#!/usr/bin/env bash
# Velmo's forms as a screen reader hears them, read through the platform's accessibility
# interface from another process: every item's name is what a sighted user reads, with its role,
# state and help; a run-time change renames; a refusal's message is announced.
source "$(dirname "$0")/lib.sh"

# One item of the open form, by its name, with the window text it must have: accessible
# name|role|checked (0/1)|description, or nothing when the text differs.
heard() {
  local line state
  line="$(zk_probe access | grep " key=$1\$" | grep -F " text=\"$2\"")"
  state="$(zk_field "$line" state)"
  printf '%s|%s|%s|%s\n' "$(zk_field "$line" name)" "$(zk_field "$line" role)" \
    "$(((${state:-0} & 0x10) ? 1 : 0))" "$(zk_field "$line" description)"
}

# Form "tous": item, window text ("-": none), then what is heard (name|role|checked|description).
# Roles: 41 static text, 20 grouping, 42 editable text, 44 check box, 46 combo box, 43 push button.
tous=(
  "titre titre D\xE9monstrateur Formulaire Zarvik (tous)|41|0|"
  "rectangle1 rectangle1 |20|0|"
  "edit1texte edit1texte Edit :|41|0|"
  "edit1 - Edit :|42|0|Champ de saisie simple"
  "check1 check1 CheckSys :|44|1|Case \xE0 cocher"
  "check2 check2 Check :|44|1|Case \xE0 cocher ownerdraw"
  "combo1 un ComboSys :|46|0|Combo box"
  "bouton1 bouton1 bouton1|43|0|Bouton syst\xE8me - ne r\xE9pond pas au clic"
  "bouton2 bouton2 Bouton|43|0|Bouton ownerdraw - ne r\xE9pond pas au clic"
  "ok ok OK|43|0|Ferme le formulaire"
)

zk_start
zk_menu_open t || exit 1
for row in "${tous[@]}"; do
  read -r item text expected <<<"$row"
  [ "$text" == "-" ] && text=""
  zk_expect "tous: $item is heard as a sighted user reads it" "$expected" \
    "$(heard "tous.$item" "$text")"
done
zk_click_item tous.check2
zk_expect "tous: the toolkit-drawn check box is heard unchecked after a click" \
  "Check :|44|0|Case \xE0 cocher ownerdraw" "$(heard tous.check2 check2)"
zk_click_item tous.ok
zk_wait "tous: OK closes it" no-form

# Form "edit": a refusal's message is announced without the focus moving; disabled and hidden
# inputs are heard so.
zk_menu_open e || exit 1
events="$zk_shots/events"
zk_probe events 8000 >"$events" &
watcher=$!
for _ in $(seq 50); do grep -q watching "$events" && break; sleep 0.1; done
zk_click_item edit.champ3
zk_keys End shift+Home BackSpace
zk_type abc
zk_keys Tab
zk_wait "edit: 'abc' is refused, the focus comes back" focus-is edit.champ3
zk_keys Tab
zk_wait "edit: Saisie incorrecte shows" status-is "Saisie incorrecte"
wait "$watcher"
zk_expect "edit: Saisie incorrecte is announced from the status bar" yes \
  "$(grep -q '^event live-region id=100 .* name="Saisie incorrecte"' "$events" && echo yes)"
zk_wait "edit: the announcement leaves the focus in the refused field" focus-is edit.champ3
zk_keys End shift+Home BackSpace
zk_type 7
zk_keys Tab
zk_click_item edit.desactiver
state="$(zk_field "$(zk_probe access | grep ' key=edit.champ1$')" state)"
zk_expect "edit: a disabled input is heard unavailable" 1 "$(((state & 0x1) ? 1 : 0))"
zk_click_item edit.masquer
state="$(zk_field "$(zk_probe access | grep ' key=edit.champ1$')" state)"
zk_expect "edit: a hidden input is heard invisible" 1 "$(((state & 0x8000) ? 1 : 0))"
zk_click_item edit.fermer
zk_wait "edit: Fermer closes it" no-form

# Form "static": typing a new text for the sample renames it.
zk_menu_open s || exit 1
zk_click_item static.texte
zk_keys End shift+Home BackSpace
zk_type "Bonjour"
zk_keys Tab
zk_expect "static: the sample is heard by its new text" "Bonjour" \
  "$(zk_field "$(zk_probe access | grep -F ' text="static1"')" name)"
zk_click_item static.fermer
zk_wait "static: Fermer closes it" no-form

zk_quit
zk_done
