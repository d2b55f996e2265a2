#!/usr/bin/env bash
# A refusal says why at once: in Velmo's form "edit", the first Tab out of a refused field keeps
# the focus there and shows the reason in the status bar, which a screen reader hears as it
# appears.
source "$(dirname "$0")/lib.sh"

champ3=110 champ4=112

# retype ID TEXT: the field's text replaced by typing; the Tab that leaves it is the caller's.
retype() {
  zk_click_item "$1"
  zk_keys End shift+Home BackSpace
  [ -n "$2" ] && zk_type "$2"
}

zk_start
zk_menu_open e || exit 1

# Each refused, told at once, then corrected.
for refusal in "$champ3 abc Saisie incorrecte 7" "$champ4 - Saisie obligatoire 1234"; do
  read -r id typed message1 message2 good <<<"$refusal"
  message="$message1 $message2"
  [ "$typed" == "-" ] && typed=""
  retype "$id" "$typed"
  events="$zk_shots/events.$id"
  # Straight into the file (zk_probe's filter would hold the lines back until the end).
  (cd "$zk_bin" && exec wine zarvik-probe.exe --escape --cp1252 events 6000) >"$events" &
  watcher=$!
  for _ in $(seq 100); do grep -q watching "$events" 2>/dev/null && break; sleep 0.1; done
  zk_keys Tab  # once
  zk_wait "$id: the first Tab keeps the focus in the refused field" focus-is "$id"
  zk_wait "$id: and says why: $message" status-is "$message"
  wait "$watcher"
  zk_expect "$id: a screen reader hears it from the status bar" yes \
    "$(grep -q "^event live-region id=100 .* name=\"$message\"" "$events" && echo yes)"
  zk_keys End shift+Home BackSpace
  zk_type "$good"
  zk_keys Tab
  zk_wait "$id: a good value lets the focus go" focus-is $((id == champ3 ? champ4 : 114))
done

zk_click_item 115
zk_wait "Fermer closes the form" no-form
zk_quit
zk_done
