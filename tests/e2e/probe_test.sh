#!/usr/bin/env bash
# The test driver zarvik-probe against the minimal example: each command by name, each error with
# its exit code and message; message boxes on Carnet's question box; and scripts that pass, fail
# (with a screenshot, the program ended) and go wrong (a program that cannot start, one that ends
# early, an unknown command).
source "$(dirname "$0")/lib.sh"

work="$zk_shots/probe"
mkdir -p "$work"
# probe ARGUMENT...: out and err hold what the driver printed, code its exit code.
probe() {
  (cd "$zk_bin" && wine zarvik-probe.exe "$@") >"$work/out" 2>"$work/err"
  code=$?
  out="$(tr -d '\r' <"$work/out")" err="$(tr -d '\r' <"$work/err")"
}
# expect_code DESCRIPTION CODE [TEXT]: the last call's exit code, and TEXT in what it printed.
expect_code() {
  zk_expect "$1: exit code" "$2" "$code"
  if [ -n "${3:-}" ] && [[ "$out$err" != *"$3"* ]]; then
    zk_fail "$1: no [$3] in [$out$err]"
  fi
}
minimals() { xdotool search --name '^Minimal$' 2>/dev/null | wc -l; }

zk_program_start '^Minimal$' zarvik_minimal.exe || exit 1

probe wait-window Main
expect_code "wait-window finds the main window by its name" 0
probe --timeout 300 wait-window Nowhere
expect_code "wait-window for no such window times out" 4 'no window "Nowhere" opened within 300 ms'
probe --timeout 300 wait-form hello
expect_code "wait-form for a form that never opens times out" 4 \
  'form "hello" did not open within 300 ms'
probe list hello
expect_code "list of a form that is not open" 3 'no open form named "hello" (no form is open)'

probe key alt+f h
expect_code "key opens the form from the menu" 0
probe wait-form hello
expect_code "wait-form" 0
probe list hello
expect_code "list" 0
zk_expect "list: every item by name in creation order" "label name greet greeting close" \
  "$(sed 's/^name=\([a-z]*\) .*/\1/' <<<"$out" | xargs)"
zk_expect "list: the focused edit's line" "class=Edit id=103 text=\"\" visible=1 enabled=1 checked=0 focused=1" \
  "$(sed -n 's/^name=name \(.*\) x=.*/\1/p' <<<"$out")"
probe expect-items hello label name greet greeting close
expect_code "expect-items" 0
probe find hello.nmae
expect_code "find of a name that does not exist" 3 \
  'form "hello" has no item "nmae" (its items: label, name, greet, greeting, close)'
probe find nope.name
expect_code "find in a form that is not open" 3 'no open form named "nope" (open: hello)'
probe find hello
expect_code "find without an item name" 2 'an item is named form.item, not "hello"'

probe type hello.greeting "Hi"
expect_code "type into a label, which never takes the focus" 6 \
  'the focus did not come to hello.greeting: it stays on hello.name'
probe type hello.name "Zoé"
expect_code "type" 0
probe text hello.name
zk_expect "text: what was typed, in UTF-8" "Zoé" "$out"
probe --escape --cp1252 text hello.name
zk_expect "text --escape --cp1252" 'Zo\xE9' "$out"
probe type hello.name "Ann"
probe text hello.name
zk_expect "type replaces the text" "Ann" "$out"
probe click hello.greet
expect_code "click" 0
probe expect-text hello.greeting "Hello, Ann!"
expect_code "expect-text: the button's event wrote the greeting" 0
probe text hello.greeting
zk_expect "text of a toolkit-drawn static: its value" "Hello, Ann!" "$out"
probe --timeout 300 expect-text hello.greeting "Hello, Bob!"
expect_code "expect-text unmet" 1 \
  'hello.greeting: expected "Hello, Bob!", got "Hello, Ann!" after 300 ms'
probe state hello.greet
zk_expect "state of the clicked button" "visible=1 enabled=1 checked=0 focused=1" "$out"
probe expect-state hello.name focused=0 visible=1
expect_code "expect-state" 0
probe expect-state hello.name colour=red
expect_code "expect-state of no such state" 2 'a state is visible=, enabled=, checked= or focused='
probe status hello
zk_expect "status: the focused button's remark" "Shows the greeting" "$out"
probe expect-status hello "Shows the greeting"
expect_code "expect-status" 0
probe key nosuchkey
expect_code "key of no such name" 2 'unknown key "nosuchkey"'
probe frobnicate
expect_code "an unknown command" 2 'unknown command "frobnicate"'
probe cell hello.name
expect_code "a command with too few arguments" 2 'usage: cell FORM.ITEM ROW COLUMN'

probe shot hello "$(winepath -w "$work/hello.png" 2>/dev/null)"
expect_code "shot" 0
zk_expect "shot: the form's size" "380x260" "$(identify -format %wx%h "$work/hello.png" 2>&1)"
zk_expect "shot: the form's white background" "FFFFFF" "$(zk_pixel "$work/hello.png" 190 180)"
probe shot hello "$work/hello.gif"
expect_code "shot into a file of no known kind" 2 'a screenshot is a .png or a .bmp file'

probe click hello.close
probe wait-closed hello
expect_code "click on OK, wait-closed" 0
probe key alt+f q
zk_velmo_wait
zk_expect "the minimal example quits with 0" 0 "$zk_status"

# Message boxes by caption, on Carnet's question box: its message, its buttons by their texts.
cp "$(dirname "$0")/../../examples/carnet/compte.csv" "$work/compte.csv"
zk_program_start ' - Carnet$' carnet.exe "$(winepath -w "$work/compte.csv" 2>/dev/null)" || exit 1
probe wait-form carnet
probe key ctrl+Delete alt+f q
probe expect-box Carnet "Enregistrer les modifications ?"
expect_code "expect-box" 0
# The box in front, its default button Oui (IDYES) holding the keys.
probe wait 20000 foreground-is Carnet
expect_code "wait foreground-is the box" 0
probe --escape foreground
zk_expect "foreground: the box, then where its keys go" \
  'foreground class=#32770 text="Carnet"|keys id=6 class=Button text="&Oui" root="Carnet"' \
  "$(sed -n '1s/ visible=.*//p; 2p' <<<"$out" | paste -sd '|')"
probe wait 300 foreground-is Nowhere
expect_code "wait foreground-is another caption" 1 'did not hold within 300 ms'
probe --timeout 300 expect-box Carnet "Tout effacer ?"
expect_code "expect-box unmet" 1 \
  'the message box Carnet: expected "Tout effacer ?", got "Enregistrer les modifications ?"'
probe answer Carnet Plus
expect_code "answer with no such button" 3 \
  'the message box "Carnet" has no button "Plus" (its buttons: Oui, Non, Annuler)'
probe --timeout 300 answer Nowhere Non
expect_code "answer in a box that never opens" 4 'no message box "Nowhere" opened within 300 ms'
probe answer Carnet Annuler
expect_code "answer" 0
probe --timeout 300 expect-box Carnet "Enregistrer les modifications ?"
expect_code "... Annuler closed the box" 4 'no message box "Carnet" opened within 300 ms'
probe key alt+f q
probe answer Carnet Non
zk_velmo_wait
zk_expect "... Non quits Carnet without saving" "0 $(cat "$(dirname "$0")/../../examples/carnet/compte.csv" | md5sum)" \
  "$zk_status $(md5sum <"$work/compte.csv")"

# Scripts: one that passes; one whose expectation fails (the screen kept, the program ended); one
# with an unknown command; programs that cannot start or end before their time.
script() { printf '%s\n' "$@" >"$work/$name.zkt"; probe run "$(winepath -w "$work/$name.zkt")"; }
name=passes script "start zarvik_minimal.exe" "wait-window Main" "key alt+f h" "wait-form hello" \
  "type hello.name Bob" "click hello.greet" 'expect-text hello.greeting "Hello, Bob!"' \
  "click hello.close" "wait-closed hello" "key alt+f q" "expect-exit 0"
expect_code "a passing script" 0 '[11] expect-exit 0'
name=fails script "# a comment" "start zarvik_minimal.exe" "wait-window Main" "key alt+f h" \
  "wait-form hello" "timeout 500" 'expect-text hello.greeting "Hello, Bob!"' "key Escape"
expect_code "a failing script" 1 'fails.zkt:7: hello.greeting: expected "Hello, Bob!", got "" after 500 ms'
expect_code "... names its screenshot" 1 "the screen at the failure: "
zk_expect "... the screenshot is the screen" "1024x768" \
  "$(identify -format %wx%h "$zk_bin/fails-failure.png" 2>&1)"
rm -f "$zk_bin/fails-failure.png"
for _ in $(seq 20); do [ "$(minimals)" -eq 0 ] && break; sleep 0.2; done
zk_expect "... and the program it started is ended" 0 "$(minimals)"
name=unknown script "start zarvik_minimal.exe" "wait-window Main" "frobnicate hello"
expect_code "a script with an unknown command" 2 'unknown.zkt:3: unknown command "frobnicate"'
rm -f "$zk_bin/unknown-failure.png"
name=nostart script "start no_such_program.exe"
expect_code "a program that cannot start" 5 'cannot start "no_such_program.exe"'
rm -f "$zk_bin/nostart-failure.png"
name=early script "start zarvik_minimal.exe" "wait-window Main" "key alt+f q" "wait-form hello"
expect_code "a program that ends before its time" 5 'early.zkt:4: the program ended with code 0'
rm -f "$zk_bin/early-failure.png"
name=code script "start zarvik_minimal.exe" "wait-window Main" "key alt+f q" "expect-exit 3"
expect_code "an exit code that is not the one expected" 1 'the program ended with code 0, expected 3'
rm -f "$zk_bin/code-failure.png"
zk_done
