# Sourced: drives a running Velmo as a user would, with real X input (xdotool), and reads it from
# outside with the test driver (zarvik-probe.exe) and screenshots (ImageMagick). scripts/velmo.sh
# and the end-to-end tests share it. Needs DISPLAY and WINEPREFIX from scripts/wine-env.sh; zk_bin is the
# folder of the programs (ZK_BIN, or the current folder); zk_program the program (ZK_PROGRAM, or
# velmo.exe) and zk_title a pattern of its main window's title (ZK_TITLE).
#   zk_velmo_start          starts zk_program (Velmo) and waits for its main window
#                           (zk_program_start: another program of the toolkit)
#   zk_menu_open LETTER     opens a form from the Formulaires menu (Alt+O, then the letter)
#   zk_click_item ID [DX DY] clicks a control of the open form (its middle, or DX,DY in it)
#   zk_velmo_quit           quits through Fichier > Quitter; zk_status is Velmo's exit code
#   zk_velmo_wait           waits for the program to end; zk_status is its exit code
# A problem met on the way goes to zk_problem, which the sourcing script may define again.

zk_bin="${ZK_BIN:-$(pwd)}"
zk_program="${ZK_PROGRAM:-velmo.exe}"
zk_title="${ZK_TITLE:-^Velmo v1\.1\$}"
zk_velmo=""
zk_status=""

zk_problem() { echo "$*" >&2; }

zk_probe_run() { (cd "$zk_bin" && wine zarvik-probe.exe --escape --cp1252 "$@") | tr -d '\r'; }

# The probe explains each of its failures on a line "zarvik-probe: ..."; a reading that ends
# silently with an error (its process crashed or never started on a loaded machine) is asked
# again, twice at most, and said. Commands that act or watch run once, their output streamed.
zk_probe() {
  local command="$1" word
  for word in "$@"; do
    case "$word" in --*) ;; *) command="$word" && break ;; esac
  done
  case "$command" in
    form | item | main | cell | rows | status | clipboard | box | focus | access | foreground) ;;
    *) zk_probe_run "$@"; return ;;
  esac
  local output errors status attempt
  errors="$(mktemp)"
  for attempt in 1 2 3; do
    output="$(zk_probe_run "$@" 2>"$errors")" && status=0 || status=$?
    [ "$status" -eq 0 ] || grep -q '^zarvik-probe:' "$errors" && break
    echo "zarvik-probe $command ended silently with status $status (attempt $attempt)" >&2
  done
  cat "$errors" >&2
  rm -f "$errors"
  [ -z "$output" ] || printf '%s\n' "$output"
  return "$status"
}

# The value of key=value or key="value" in a probe line.
zk_field() {
  local line="$1" key="$2"
  if [[ " $line" =~ \ $key=\"([^\"]*)\" ]]; then
    echo "${BASH_REMATCH[1]}"
  elif [[ " $line" =~ \ $key=([^ ]*) ]]; then
    echo "${BASH_REMATCH[1]}"
  fi
}

zk_item() { zk_probe item "$1"; }

zk_keys() {
  xdotool key --delay 80 "$@"
  sleep 0.3
}

zk_main_window() { xdotool search --name "$zk_title" 2>/dev/null | head -n 1; }

# zk_shot LINE OUTPUT: the screen rectangle of a probe line (x, y, w, h) into OUTPUT.
zk_shot() {
  import -window root \
    -crop "$(zk_field "$1" w)x$(zk_field "$1" h)+$(zk_field "$1" x)+$(zk_field "$1" y)" "$2"
}

# zk_program_start TITLE PROGRAM [ARGUMENT...]: starts a program of zk_bin (zk_velmo is its
# process) and waits for its main window, whose caption matches the pattern TITLE.
zk_program_start() {
  local title="$1"
  shift
  (cd "$zk_bin" && exec wine "$@") &
  zk_velmo=$!
  if ! zk_probe wait 30000 has-main; then
    zk_problem "the main window of $1 did not appear"
    return 1
  fi
  # Wine gives each top-level window an X window of its own inside the desktop: wait for it.
  for _ in $(seq 50); do
    [ -n "$(xdotool search --name "$title" 2>/dev/null | head -n 1)" ] && break
    sleep 0.1
  done
  sleep 1  # let the caption and the menu bar be painted
}

zk_velmo_start() { zk_program_start "$zk_title" "$zk_program"; }

zk_menu_open() {
  xdotool windowfocus --sync "$(zk_main_window)" 2>/dev/null || true
  xdotool key --delay 200 alt+o "$1"
  if ! zk_probe wait 20000 has-form; then
    zk_problem "menu letter $1 opened no form"
    return 1
  fi
  sleep 1  # the owner-drawn items paint after the dialog shows
}

zk_click_item() {
  local line x y w h
  line="$(zk_item "$1")"
  x="$(zk_field "$line" x)" y="$(zk_field "$line" y)"
  w="$(zk_field "$line" w)" h="$(zk_field "$line" h)"
  [ -n "$x" ] || { zk_problem "no control $1 to click"; return 1; }
  xdotool mousemove "$((x + ${2:-$((w / 2))}))" "$((y + ${3:-$((h / 2))}))" click 1
  sleep 0.3
}

# Waits up to 10 s for Velmo to end; zk_status is its exit code.
zk_velmo_wait() {
  for _ in $(seq 100); do
    kill -0 "$zk_velmo" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$zk_velmo" 2>/dev/null; then
    zk_problem "Velmo is still running"
    kill "$zk_velmo" 2>/dev/null
  fi
  wait "$zk_velmo"
  zk_status=$?
  zk_velmo=""
}

zk_velmo_quit() {
  xdotool windowfocus --sync "$(zk_main_window)" 2>/dev/null || true
  xdotool key --delay 200 alt+f
  sleep 0.5
  xdotool key q
  zk_velmo_wait
}
