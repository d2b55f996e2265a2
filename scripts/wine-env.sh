# Sourced by the project's scripts: a private Xvfb display and a fresh Wine prefix for this run.
#   zk_wine_start   starts Xvfb (unless ZK_USE_DISPLAY=1 keeps the caller's DISPLAY), creates and
#                   configures the prefix, and warms Wine's background services
#   zk_wine_stop    stops Wine and Xvfb and removes the prefix
#   zk_wine_template
#                   makes a configured prefix once (on an Xvfb display of its own, stopped after)
#                   and exports ZK_WINE_TEMPLATE:
#                   every zk_wine_start after it (in this shell and in its children, the tests
#                   that start sessions of their own) copies it instead of making a prefix, which
#                   takes a second or two instead of many, and so does zarvik-session (exported
#                   as ZARVIK_SESSION_TEMPLATE too); zk_wine_template_remove removes it
#   zk_program_or_tour PROGRAM [ARGUMENT...]
#                   with a DISPLAY, runs build/mingw64/bin/PROGRAM there until the user quits it
#                   and exits with its code; without one, starts a private session for a headless
#                   tour, stopped when the calling script exits
# The prefix's default desktop is virtual: windows get drawn captions and menu bars, and hiding
# or destroying a top-level window costs milliseconds instead of seconds.
# ZK_DPI (96), ZK_SCREEN (1280x1024) and ZK_DESKTOP (1024x768) give the display scale, the Xvfb
# screen and the virtual desktop a prefix is made with; ZK_DISPLAY_FIRST (77) the display number
# the search for a free one starts from.

zk_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

zk_wine_start() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  zk_xvfb_pid=""
  if [ "${ZK_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    zk_xvfb_start || return 1
  fi
  export WINEPREFIX="$(mktemp -d /tmp/zarvik-wine.XXXXXX)"
  if [ -n "${ZK_WINE_TEMPLATE:-}" ] && [ -f "$ZK_WINE_TEMPLATE/system.reg" ]; then
    cp -a "$ZK_WINE_TEMPLATE/." "$WINEPREFIX/" || return 1
  else
    zk_prefix_make
  fi
  if [ -n "${ZK_DPI:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$ZK_DPI" /f \
      >/dev/null 2>&1 </dev/null
  fi
  if [ -n "${ZK_DESKTOP:-}" ]; then
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$ZK_DESKTOP" /f \
      >/dev/null 2>&1 </dev/null
  fi
  wineserver -w
  # Wine's services must not inherit a test runner's output pipe: start them here, detached.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

# Makes the prefix WINEPREFIX names, with the project's settings.
zk_prefix_make() {
  wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
  wine regedit /S "$(winepath -w "$zk_root/scripts/wine-prefix.reg" 2>/dev/null)" \
    >/dev/null 2>&1 </dev/null
}

# Nothing runs in the template once it is made (wineserver -w): a copy is a prefix at rest.
zk_wine_template() {
  local template
  template="$(mktemp -d /tmp/zarvik-wine.XXXXXX)" || return 1
  (
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 WINEPREFIX="$template"
    zk_xvfb_start || exit 1
    zk_prefix_make
    wineserver -w
    kill "$zk_xvfb_pid" 2>/dev/null
    wait "$zk_xvfb_pid" 2>/dev/null
  )
  if [ ! -f "$template/system.reg" ]; then
    rm -rf "$template"
    echo "The template prefix could not be made." >&2
    return 1
  fi
  export ZK_WINE_TEMPLATE="$template" ZARVIK_SESSION_TEMPLATE="$template"
}

zk_wine_template_remove() {
  case "${ZK_WINE_TEMPLATE:-}" in /tmp/zarvik-wine.*) rm -rf "$ZK_WINE_TEMPLATE" ;; esac
  unset ZK_WINE_TEMPLATE ZARVIK_SESSION_TEMPLATE
}

# Starts Xvfb on the first free display from ZK_DISPLAY_FIRST (77): the server takes a display
# by binding its socket, which only one server can do, and writes the number to -displayfd once
# it listens; a display taken by another session makes it exit at once, and the next is tried.
# Looking for a free number first and starting the server after would race with sessions
# started at the same moment.
zk_xvfb_start() {
  local n="${ZK_DISPLAY_FIRST:-77}" ready
  ready="$(mktemp -t zarvik-xvfb.XXXXXX)"
  for _ in $(seq 64); do
    : >"$ready"
    Xvfb ":$n" -displayfd 3 -screen 0 "${ZK_SCREEN:-1280x1024}x24" -nolisten tcp \
      3>"$ready" >/dev/null 2>&1 </dev/null &
    zk_xvfb_pid=$!
    while kill -0 "$zk_xvfb_pid" 2>/dev/null && [ ! -s "$ready" ]; do sleep 0.05; done
    if [ -s "$ready" ]; then
      export DISPLAY=":$n"
      rm -f "$ready"
      return 0
    fi
    wait "$zk_xvfb_pid" 2>/dev/null
    zk_xvfb_pid=""
    n=$((n + 1))
  done
  rm -f "$ready"
  echo "No free X display from :${ZK_DISPLAY_FIRST:-77} on." >&2
  return 1
}

zk_wine_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    case "$WINEPREFIX" in /tmp/zarvik-wine.*) rm -rf "$WINEPREFIX" ;; esac
  fi
  if [ -n "${zk_xvfb_pid:-}" ]; then
    kill "$zk_xvfb_pid" 2>/dev/null || true
    wait "$zk_xvfb_pid" 2>/dev/null || true
  fi
}

zk_program_or_tour() {
  if [ -n "${DISPLAY:-}" ]; then
    ZK_USE_DISPLAY=1 zk_wine_start
    trap zk_wine_stop EXIT
    (cd "$zk_root/build/mingw64/bin" && wine "$@")
    exit $?
  fi
  zk_wine_start
  trap zk_wine_stop EXIT
}
