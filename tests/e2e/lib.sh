# Sourced by the end-to-end tests: starts Velmo under Wine, drives it with real X input (xdotool),
# reads it back with the probe (zkprobe.exe) and with screenshots (ImageMagick).
# Needs DISPLAY and WINEPREFIX from scripts/wine-env.sh; ZK_BIN is the folder of the programs.
set -uo pipefail

zk_bin="${ZK_BIN:-$(pwd)}"
zk_failures=0
zk_velmo=""
zk_shots="$(mktemp -d /tmp/zarvik-e2e.XXXXXX)"

zk_probe() { (cd "$zk_bin" && wine zkprobe.exe "$@") | tr -d '\r'; }

zk_fail() {
  echo "FAIL: $*" >&2
  zk_failures=$((zk_failures + 1))
  zk_error_box
}

# A toolkit error report on screen is a failure in itself: print it and answer No to go on.
zk_error_box() {
  local report
  report="$(zk_probe error)" || return 0
  echo "FAIL: the toolkit reported an error:" >&2
  printf '%s\n' "$report" | sed 's/^/  /' >&2
  zk_failures=$((zk_failures + 1))
  xdotool key --delay 100 n
  sleep 0.5
}

# zk_expect DESCRIPTION EXPECTED ACTUAL
zk_expect() {
  if [ "$2" == "$3" ]; then echo "ok: $1"; else zk_fail "$1: expected [$2], got [$3]"; fi
}

# zk_wait DESCRIPTION CHECK...: waits up to 5 s for a probe check (see zkprobe's usage).
zk_wait() {
  local what="$1"
  shift
  if zk_probe wait 5000 "$@"; then echo "ok: $what"; else zk_fail "$what (check: $*)"; fi
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

# Clicks the middle of a control (or at DX,DY from its top-left corner).
zk_click_item() {
  local line x y w h
  line="$(zk_item "$1")"
  x="$(zk_field "$line" x)" y="$(zk_field "$line" y)"
  w="$(zk_field "$line" w)" h="$(zk_field "$line" h)"
  [ -n "$x" ] || { zk_fail "no control $1 to click"; return 1; }
  xdotool mousemove "$((x + ${2:-$((w / 2))}))" "$((y + ${3:-$((h / 2))}))" click 1
  sleep 0.3
}

zk_keys() {
  xdotool key --delay 80 "$@"
  sleep 0.3
}

zk_type() {
  xdotool type --delay 80 "$1"
  sleep 0.3
}

zk_cleanup() {
  if [ -n "$zk_velmo" ] && kill -0 "$zk_velmo" 2>/dev/null; then
    zk_probe terminate >/dev/null
    wait "$zk_velmo" 2>/dev/null
  fi
  [ -n "${ZK_KEEP_SHOTS:-}" ] || rm -rf "$zk_shots"
}
trap zk_cleanup EXIT

zk_main_window() { xdotool search --name '^Velmo v1\.1$' 2>/dev/null | head -n 1; }

zk_velmo_start() {
  (cd "$zk_bin" && exec wine velmo.exe) &
  zk_velmo=$!
  if ! zk_probe wait 20000 has-main; then
    zk_fail "Velmo's main window did not appear"
    exit 1
  fi
  for _ in $(seq 50); do
    [ -n "$(zk_main_window)" ] && break
    sleep 0.1
  done
  sleep 0.5
}

# Opens a form from the menu with the keyboard: Alt+O, then the entry's mnemonic letter.
zk_menu_open() {
  local window
  window="$(zk_main_window)"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  zk_keys alt+o
  zk_keys "$1"
  if ! zk_probe wait 5000 has-form; then
    zk_fail "menu letter $1 opened no form"
    return 1
  fi
  sleep 0.5  # let the owner-drawn items paint
}

# Clicks the close box of the open form (the rightmost caption button).
zk_close_box() {
  local line x y w
  line="$(zk_probe form)"
  x="$(zk_field "$line" x)" y="$(zk_field "$line" y)" w="$(zk_field "$line" w)"
  xdotool mousemove "$((x + w - 14))" "$((y + 12))" click 1
  sleep 0.3
}

# Quits through Fichier > Quitter and checks the exit code.
zk_velmo_quit() {
  local window status
  window="$(zk_main_window)"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  zk_keys alt+f
  zk_keys q
  for _ in $(seq 100); do
    kill -0 "$zk_velmo" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$zk_velmo" 2>/dev/null; then
    zk_fail "Velmo did not quit through Fichier > Quitter"
    return
  fi
  wait "$zk_velmo"
  status=$?
  zk_velmo=""
  zk_expect "exit code after Quitter" 0 "$status"
}

# zk_shot_item ID FILE: a screenshot of a control's rectangle.
zk_shot_item() {
  local line
  line="$(zk_item "$1")"
  import -window root -crop "$(zk_field "$line" w)x$(zk_field "$line" h)+$(zk_field "$line" x)+$(zk_field "$line" y)" \
    miff:- | convert - +repage -type TrueColor "$2"
}

# zk_pixel FILE X Y: the pixel's colour as RRGGBB.
zk_pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }

# zk_count FILE RRGGBB: how many pixels have exactly that colour.
zk_count() {
  local n
  n="$(convert "$1" -alpha off -format %c histogram:info:- | grep -i "#$2 " | head -n 1 |
    sed 's/^ *\([0-9]*\):.*/\1/')"
  echo "${n:-0}"
}

# zk_bbox FILE RRGGBB INSET: geometry WxH+X+Y of what differs from the background colour, inside
# a margin of INSET pixels (to leave a border out).
zk_bbox() {
  local w h
  w="$(convert "$1" -format %w info:)" h="$(convert "$1" -format %h info:)"
  convert "$1" -alpha off -crop "$((w - 2 * $3))x$((h - 2 * $3))+$3+$3" +repage \
    -bordercolor "#$2" -border 1 -fuzz 0 -format '%@' info:
}

zk_done() {
  zk_error_box
  if [ "$zk_failures" -ne 0 ]; then
    echo "$zk_failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
