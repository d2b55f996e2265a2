#!/usr/bin/env bash
# zarvik-session: runs one command in a private, headless Windows session on Linux: an Xvfb
# display of its own and a fresh Wine prefix set up as the toolkit's tests expect (a virtual
# desktop, so that windows get drawn captions and menu bars; metric-compatible fonts for Arial,
# Courier New and Times New Roman; no crash dialog), with Wine's services started beforehand.
# Installed with the package as bin/zarvik-session; zarvik_add_gui_test() runs its tests in it.
#
#   zarvik-session [--dpi N] [--desktop WxH] COMMAND [ARGUMENT...]
#
# A COMMAND ending in .exe runs under Wine; any other (a shell script calling wine, say) runs as
# it is, with DISPLAY and WINEPREFIX set. The exit code is the command's, or 125 when the session
# cannot start. The display and the prefix are removed at the end. With ZARVIK_SESSION=reuse the
# caller's own DISPLAY and WINEPREFIX serve instead (a caller that runs a session already). With
# ZARVIK_SESSION_TEMPLATE naming a prefix made as this one is and at rest, a copy of it serves as
# the fresh prefix (seconds faster than making one, for many sessions in a row).
# Needs Debian's xvfb, wine, wine64, fonts-liberation and fonts-wine.
set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
dpi="" desktop=""
while [ $# -gt 0 ]; do
  case "$1" in
    --dpi) dpi="${2:?--dpi needs a number}"; shift 2 ;;
    --desktop) desktop="${2:?--desktop needs WxH}"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
if [ $# -eq 0 ]; then
  sed -n '8,18s/^# \{0,1\}//p' "${BASH_SOURCE[0]}" >&2
  exit 2
fi

run() {
  if [[ "$1" == *.exe || "$1" == *.EXE ]]; then wine "$@"; else "$@"; fi
}

export WINEDEBUG="${WINEDEBUG:--all}"
# A new prefix would otherwise offer to install Mono and Gecko.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ "${ZARVIK_SESSION:-}" == reuse ]; then
  run "$@"
  exit $?
fi

missing=()
for program in Xvfb wine wineboot wineserver winepath; do
  command -v "$program" >/dev/null || missing+=("$program")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "zarvik-session: not found: ${missing[*]} (Debian: apt-get install xvfb wine wine64" \
    "fonts-liberation fonts-wine)" >&2
  exit 125
fi
# The prefix's settings: beside this script in the sources, in share/zarvik once installed.
registry="$here/../share/zarvik/wine-prefix.reg"
[ -f "$registry" ] || registry="$here/wine-prefix.reg"
if [ ! -f "$registry" ]; then
  echo "zarvik-session: wine-prefix.reg not found beside $here" >&2
  exit 125
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/zarvik-session.XXXXXX")"
xvfb=""
stop() {
  wineserver -k >/dev/null 2>&1
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and writes its number: sessions started side by side never
# take the same one.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then
  echo "zarvik-session: Xvfb did not start" >&2
  exit 125
fi
export DISPLAY=":$(head -n 1 "$work/display")"
export WINEARCH=win64 WINEPREFIX="$work/prefix"

template="${ZARVIK_SESSION_TEMPLATE:-}"
if [ -n "$template" ] && [ -f "$template/system.reg" ]; then
  if ! cp -a "$template" "$WINEPREFIX"; then
    echo "zarvik-session: could not copy the prefix $template" >&2
    exit 125
  fi
else
  if ! wineboot -i >/dev/null 2>&1 </dev/null; then
    echo "zarvik-session: wineboot could not make a prefix" >&2
    exit 125
  fi
  wineserver -w
  wine regedit /S "$(winepath -w "$registry" 2>/dev/null)" >/dev/null 2>&1 </dev/null
fi
if [ -n "$dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1 </dev/null
fi
if [ -n "$desktop" ]; then
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f \
    >/dev/null 2>&1 </dev/null
fi
wineserver -w
# Wine's services must not inherit the caller's output (a test runner waits on its pipe until
# they end): started here, detached, before the command.
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null

run "$@"
