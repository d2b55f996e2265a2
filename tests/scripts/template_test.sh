#!/usr/bin/env bash
# Sessions made from one template prefix: each starts from a copy of it (a file put in the template
# shows in the session), with the project's settings and its own DPI on top, on a display and in a
# prefix of its own, beside the others; what one writes the others and the template never see,
# and stopping removes the copy. zarvik-session copies the template the same way.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
work="$(mktemp -d -t zktemplate.XXXXXX)"
source "$root/scripts/wine-env.sh"
trap 'zk_wine_template_remove; rm -rf "$work"' EXIT
unset ZK_USE_DISPLAY ZK_WINE_TEMPLATE ZARVIK_SESSION_TEMPLATE ZK_DPI ZK_DESKTOP

zk_wine_template || { echo "FAIL: no template" >&2; exit 1; }
template="$ZK_WINE_TEMPLATE"
[ "$ZARVIK_SESSION_TEMPLATE" == "$template" ] || fail "zarvik-session is not given the template"
echo made-once >"$template/drive_c/zk-template-mark.txt"
cp "$template/user.reg" "$work/template-user.reg"

reg_value() {  # reg_value KEY NAME: the value's data as reg query prints it
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $NF }'
}

# Two sessions at once, one at 144 DPI; each notes what it sees, writes a value of its own and
# stops.
for i in 1 2; do
  (
    [ "$i" -eq 2 ] && export ZK_DPI=144
    zk_wine_start || exit 1
    {
      echo "display $DISPLAY"
      echo "prefix $WINEPREFIX"
      echo "mark $(cat "$WINEPREFIX/drive_c/zk-template-mark.txt" 2>/dev/null)"
      echo "arial $(reg_value 'HKCU\Software\Wine\Fonts\Replacements' Arial)"
      echo "dpi $(reg_value 'HKCU\Control Panel\Desktop' LogPixels)"
      wine reg add 'HKCU\Software\Zarvik' /v Session /d "session$i" /f >/dev/null 2>&1
      sleep 2  # both sessions run at once while each reads its own value back
      echo "own $(reg_value 'HKCU\Software\Zarvik' Session)"
    } >"$work/session.$i"
    zk_wine_stop
    [ -e "$WINEPREFIX" ] && echo "left $WINEPREFIX" >>"$work/session.$i"
    exit 0
  ) &
done
wait

field() { awk -v k="$2" '$1 == k { $1 = ""; sub(/^ /, ""); print }' "$work/session.$1"; }
[ "$(field 1 display)" != "$(field 2 display)" ] || fail "the two sessions shared a display"
[ "$(field 1 prefix)" != "$(field 2 prefix)" ] || fail "the two sessions shared a prefix"
for i in 1 2; do
  [ -s "$work/session.$i" ] || { fail "session $i did not start"; continue; }
  [ "$(field $i prefix)" != "$template" ] || fail "session $i ran in the template itself"
  [ "$(field $i mark)" == made-once ] || fail "session $i was not copied from the template"
  [ "$(field $i arial)" == Sans ] || fail "session $i lacks the project's font settings"
  [ "$(field $i own)" == "session$i" ] || fail "session $i read [$(field $i own)] for its own value"
  [ -z "$(field $i left)" ] || fail "session $i left its prefix behind"
done
[ "$(field 2 dpi)" == 0x90 ] || fail "the session at 144 DPI has LogPixels [$(field 2 dpi)]"
[ "$(field 1 dpi)" != 0x90 ] || fail "144 DPI reached the other session"
cmp -s "$template/user.reg" "$work/template-user.reg" || fail "a session changed the template"

# zarvik-session from the template, with its own DPI.
ZARVIK_SESSION_TEMPLATE="$template" bash "$root/scripts/zarvik-session.sh" --dpi 120 bash -c '
  echo "prefix $WINEPREFIX"
  echo "mark $(cat "$WINEPREFIX/drive_c/zk-template-mark.txt" 2>/dev/null)"
  wine reg query "HKCU\Control Panel\Desktop" /v LogPixels 2>/dev/null | tr -d "\r" |
    awk "\$1 == \"LogPixels\" { print \"dpi \" \$NF }"' >"$work/session.3"
[ "$(field 3 mark)" == made-once ] || fail "zarvik-session did not copy the template"
[ "$(field 3 dpi)" == 0x78 ] || fail "zarvik-session's --dpi 120 gave LogPixels [$(field 3 dpi)]"
[ -n "$(field 3 prefix)" ] && [ ! -e "$(field 3 prefix)" ] || fail "zarvik-session left its prefix"
cmp -s "$template/user.reg" "$work/template-user.reg" || fail "zarvik-session changed the template"

zk_wine_template_remove
[ ! -e "$template" ] || fail "the template was not removed"
if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "sessions from the template are copies of it, each its own"
