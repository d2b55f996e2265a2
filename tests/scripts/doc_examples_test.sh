#!/usr/bin/env bash
# scripts/doc-examples.sh holds every C++ block of a page against the code: a page passes only when
# each block's fence says what it is, each fragment's lines are lines of its file in order, each
# whole file is its file exactly, and the build compiled the complete examples as the page gives
# them now. Each case is a page of its own; the files named are the project's.
set -uo pipefail
cd "$(dirname "$0")/../.."
failures=0
work="$(mktemp -d -t zkdocex.XXXXXX)"
trap 'rm -rf "$work"' EXIT

whole="examples/clients/clients.cpp"
fence='```'
# page NAME FENCE-WORDS TEXT: a page of one C++ block.
page() {
  printf '# %s\n\n%scpp %s\n%s\n%s\n' "$1" "$fence" "$2" "$3" "$fence" >"$work/$1.md"
}
page whole "file=$whole" "$(cat "$whole")"
page whole_edited "file=$whole" "$(sed '5s/$/ /' "$whole")"
page whole_cut "file=$whole" "$(sed '$d' "$whole")"
page whole_absent "file=examples/clients/absent.cpp" "int x;"
page fragment "from=examples/grid/grid.cpp" "$(printf '#include <windows.h>\n// ...\n#include <zarvik/zarvik.h>')"
page fragment_disordered "from=examples/grid/grid.cpp" "$(printf '#include <zarvik/zarvik.h>\n#include <windows.h>')"
page unfenced "" "int main() { return 0; }"

# case page expected-status expected-message
while read -r name status message; do
  out="$(bash scripts/doc-examples.sh check "$work/none" "$work/$name.md" 2>&1)"
  got=$?
  if [ "$got" -ne "$status" ] || ! grep -qF -- "$message" <<<"$out"; then
    echo "FAIL: $name: status $got, expected $status and \"$message\"; said: $out" >&2
    failures=$((failures + 1))
  fi
done <<'EOF'
whole 0 Every C++ block
whole_edited 1 is not the whole of examples/clients/clients.cpp
whole_cut 1 is not the whole of examples/clients/clients.cpp
whole_absent 1 the block's file examples/clients/absent.cpp does not exist
fragment 0 Every C++ block
fragment_disordered 1 is not in examples/grid/grid.cpp, in this order
unfenced 1 a C++ block whose fence says none of
EOF

# A complete example: extracted with its page's place, held as extracted, and stale once edited.
page program "example=hello" "int main() { return 0; }"
bash scripts/doc-examples.sh extract "$work/built" "$work/program.md" || failures=$((failures + 1))
built="$(ls "$work/built"/*program-hello.cpp 2>/dev/null)"
if [ -z "$built" ] || ! head -n 1 "$built" | grep -q "^#line 4 "; then
  echo "FAIL: the example was not extracted after a #line of its page: $built" >&2
  failures=$((failures + 1))
fi
bash scripts/doc-examples.sh check "$work/built" "$work/program.md" >/dev/null 2>&1 ||
  { echo "FAIL: the example as extracted is refused" >&2; failures=$((failures + 1)); }
page program "example=hello" "int main() { return 1; }"
if bash scripts/doc-examples.sh check "$work/built" "$work/program.md" >/dev/null 2>&1; then
  echo "FAIL: an example edited after the build passes" >&2
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "doc-examples: every case as expected"
exit "$failures"
