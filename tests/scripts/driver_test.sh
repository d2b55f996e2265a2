#!/usr/bin/env bash
# The driver's probe readings: one that ends silently is asked again and said, one the probe
# explains is not, and commands that act run once. "wine" stands in for the probe here.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/velmo-driver.sh
failures=0
calls="$(mktemp)"
trap 'rm -f "$calls"' EXIT
check() {
  if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}

# The first call crashes without a word, the second answers.
wine() {
  echo "$*" >>"$calls"
  [ "$(wc -l <"$calls")" -ge 2 ] || return 5
  printf 'item id=115 x=480\r\n'
}
line="$(zk_item tous.bouton2 2>"$calls.err")"
check "a silent end is asked again" "480" "$(zk_field "$line" x)"
check "it is said" 1 "$(grep -c 'ended silently with status 5 (attempt 1)' "$calls.err")"
: >"$calls"

wine() { echo "$*" >>"$calls"; echo "zarvik-probe: no open form named tous" >&2; return 3; }
zk_item tous.bouton2 2>/dev/null
check "an explained failure keeps its status" 3 "$?"
check "and is asked once" 1 "$(wc -l <"$calls")"
: >"$calls"

wine() { echo "$*" >>"$calls"; return 5; }
zk_probe press tous.ok
check "an action ending silently keeps its status" 5 "$?"
check "and runs once" 1 "$(wc -l <"$calls")"
zk_probe --utf8 form 2>/dev/null
check "options before a reading are passed over" 4 "$(wc -l <"$calls")"
rm -f "$calls.err"
exit $((failures > 0))
