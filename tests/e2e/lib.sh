# Sourced by the end-to-end tests: Velmo driven with scripts/velmo-driver.sh, every check counted,
# a toolkit error report on screen taken as a failure, and readers of screenshots' pixels.
# Each test runs in a Wine session of its own (scripts/wine-env.sh: an Xvfb display and a prefix,
# a copy of ZK_WINE_TEMPLATE when the caller made one), so that tests run side by side: nothing
# they share, neither keyboard focus nor pointer. ZK_BIN is the folder of the programs.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/velmo-driver.sh"
unset ZK_USE_DISPLAY
zk_wine_start || { echo "FAIL: no Wine session" >&2; zk_wine_stop; exit 1; }
zk_failures=0
zk_shots="$(mktemp -d /tmp/zarvik-e2e.XXXXXX)"

zk_fail() {
  echo "FAIL: $*" >&2
  zk_failures=$((zk_failures + 1))
  zk_error_box
}
zk_problem() { zk_fail "$@"; }

# A toolkit error report on screen is a failure in itself: print it and answer No to go on.
zk_error_box() {
  local report
  report="$(zk_probe error 2>/dev/null)" || return 0
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

# zk_wait DESCRIPTION CHECK...: waits up to 20 s for a probe check (see zarvik-probe help): tests
# run side by side on a loaded machine, and a check that holds ends the wait at once.
zk_wait() {
  local what="$1"
  shift
  if zk_probe wait 20000 "$@"; then echo "ok: $what"; else zk_fail "$what (check: $*)"; fi
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
  zk_wine_stop
}
trap zk_cleanup EXIT

zk_start() { zk_velmo_start || exit 1; }

# Clicks the close box of the open form (the rightmost caption button).
zk_close_box() {
  local line x y w
  line="$(zk_probe form)"
  x="$(zk_field "$line" x)" y="$(zk_field "$line" y)" w="$(zk_field "$line" w)"
  xdotool mousemove "$((x + w - 14))" "$((y + 12))" click 1
  sleep 0.3
}

# Quits through Fichier > Quitter and checks the exit code.
zk_quit() {
  zk_velmo_quit
  zk_expect "exit code after Quitter" 0 "$zk_status"
}

# zk_shot_item ID FILE: a screenshot of a control's rectangle.
zk_shot_item() {
  zk_shot "$(zk_item "$1")" miff:- | convert - +repage -type TrueColor "$2"
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
