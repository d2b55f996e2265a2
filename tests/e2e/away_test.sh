#!/usr/bin/env bash
# Validation never fights another window. In zkaway, a form fills the main window with a required
# field "nom"; while "nom" is empty and has the focus, a message box, the toolkit's error box and
# another form are opened from the menu with the keyboard, and the user goes to another program
# and back: each window stays in front and takes the keys, and coming back to the form gives the
# focus to "nom" with "Saisie obligatoire" in the status bar.
export ZK_PROGRAM=zkaway.exe ZK_TITLE='^Ailleurs$'
source "$(dirname "$0")/lib.sh"

nom=103 ville=105

# The foreground window's caption and the root caption of the control the keys go to.
front() {
  local lines
  lines="$(zk_probe foreground)"
  printf '%s|%s\n' "$(zk_field "$(head -n 1 <<<"$lines")" text)" \
    "$(zk_field "$(sed -n 2p <<<"$lines")" root)"
}

# In the refused field, empty, with the focus.
in_nom() {
  zk_click_item $nom
  zk_keys End shift+Home BackSpace
  zk_wait "$1: nom has the focus" focus-is $nom
}

back_in_nom() {
  zk_wait "$1: back in the form, nom has the focus again" focus-is $nom
  zk_wait "$1: and the status bar says why" status-is "Saisie obligatoire"
}

zk_start

# A message box from the menu (Test > Message), answered with Enter.
in_nom "message box"
zk_keys alt+t m
zk_probe wait 20000 foreground-is Message
zk_expect "message box: in front, with the keys" "Message|Message" "$(front)"
zk_keys Return
zk_wait "message box: Enter closed it" foreground-is Ailleurs
back_in_nom "message box"

# The toolkit's own error box (Test > Erreur: a window that does not exist), answered No.
in_nom "error box"
zk_keys alt+t e
zk_probe wait 20000 foreground-is "Zarvik Error"
zk_expect "error box: in front, with the keys" "Zarvik Error|Zarvik Error" "$(front)"
zk_keys n
zk_wait "error box: No closed it" foreground-is Ailleurs
back_in_nom "error box"

# Another form (Test > Fiche): it takes the focus and what is typed.
in_nom "other form"
zk_keys alt+t f
zk_probe wait 20000 foreground-is Autre
zk_expect "other form: in front, with the keys" "Autre|Autre" "$(front)"
zk_type abc
zk_wait "other form: the typing went into its field" text-is 102 abc
zk_click_item 103  # its OK
zk_wait "other form: OK closed it" foreground-is Ailleurs
back_in_nom "other form"

# Another program: the user goes to Notepad and back. Wine's virtual desktop has no task
# switcher (Alt+Tab reaches the program as a key), so the switch is a click on the other window,
# away from the main window, which stands off the desktop's corner where Notepad opens.
in_nom "another program"
(cd "$zk_bin" && exec wine notepad.exe) >/dev/null 2>&1 &
notepad=$!
zk_probe wait 10000 foreground-is "Untitled - Notepad" || zk_fail "another program: Notepad did not open"
xdotool mousemove 100 100 click 1
sleep 0.5
zk_expect "another program: in front, with the keys" "Untitled - Notepad|Untitled - Notepad" "$(front)"
zk_type xyz
zk_expect "another program: the typing went into it" xyz \
  "$(zk_field "$(zk_probe foreground | sed -n 2p)" text)"
zk_expect "another program: nom is still empty" "" "$(zk_field "$(zk_item $nom)" text)"
line="$(zk_probe main)"
xdotool mousemove "$(($(zk_field "$line" x) + $(zk_field "$line" w) - 20))" \
  "$(($(zk_field "$line" y) + $(zk_field "$line" h) - 20))" click 1
zk_wait "another program: a click on the main window brings it back" foreground-is Ailleurs
back_in_nom "another program"
kill "$notepad" 2>/dev/null
wait "$notepad" 2>/dev/null

# Filled in, nom lets the focus go.
zk_type Martin
zk_keys Tab
zk_wait "filled in, nom lets the focus go" focus-is $ville

xdotool windowfocus --sync "$(zk_main_window)" 2>/dev/null
zk_keys alt+t q
zk_velmo_wait
zk_expect "exit code after Test > Quitter" 0 "$zk_status"
zk_done
