#!/usr/bin/env bash
# The C++ examples of the documentation pages, held against the code. The fence of each C++ block
# says what the block is:
#   ```cpp example=NAME   a part of the complete program NAME: the blocks of one NAME in a page, in
#                         their order, are its whole source, compiled and linked with the toolkit
#                         by the build (tests/docs/CMakeLists.txt)
#   ```cpp unit=NAME      a part of a complete source file of the toolkit's inside, compiled by
#                         the build against the toolkit's internal headers
#   ```cpp from=PATH      a fragment of the project's file PATH: its lines are lines of that file,
#                         in their order (a line "// ..." stands for lines left out)
#   ```cpp file=PATH      the whole of the project's source file PATH, which the build compiles
#                         with the project (an example program): the block is that file, exactly
# A C++ block whose fence says none of these is an error.
#   doc-examples.sh extract DIR PAGE...  writes the complete examples of the pages into DIR, as
#                                        PAGE-NAME.cpp and PAGE-NAME.unit.cpp, each block after a
#                                        #line of its place in the page; rewrites only what changed
#   doc-examples.sh check DIR PAGE...    checks every block's fence, every fragment and whole
#                                        file, and that DIR holds the examples as the pages give
#                                        them now
# Exits non-zero, naming the page and line, on the first kind of fault found.
set -uo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 2 ] || {
  echo "usage: $0 extract|check DIR PAGE..." >&2
  exit 2
}
mode="$1" dir="$2"
shift 2

# Splits one page: complete examples into $2, fragments and whole files into $2/fragments (first
# line: the path; second: the block's place in the page; a whole file's path after "=").
split_page() {
  local page="$1" into="$2" stem
  stem="$(sed 's|/|_|g; s|\.md$||' <<<"$page")"
  LC_ALL=C awk -v page="$page" -v dir="$into" -v stem="$stem" '
    function fail(message) {
      printf "%s:%d: %s\n", page, NR, message > "/dev/stderr"
      failed = 1
    }
    !inside && /^```[ \t]*([Cc][Pp][Pp]|[Cc]\+\+|[Cc][Xx][Xx])([ \t]|$)/ {
      inside = 1
      kind = ""
      name = ""
      count = split($0, words, /[ \t]+/)
      for (i = 1; i <= count; ++i) {
        split(words[i], pair, "=")
        if (pair[1] == "example" || pair[1] == "unit" || pair[1] == "from" || pair[1] == "file") {
          kind = pair[1]
          name = substr(words[i], length(pair[1]) + 2)
        }
      }
      if (kind == "" || name == "" || name !~ /^[A-Za-z0-9_.\/-]+$/) {
        fail("a C++ block whose fence says none of example=NAME, unit=NAME, from=PATH, file=PATH")
        file = "/dev/null"
        next
      }
      if (kind == "from" || kind == "file") {
        file = dir "/fragments/" stem "." NR
        print (kind == "file" ? "=" : "") name > file
        printf "%s:%d\n", page, NR + 1 > file
      } else {
        file = dir "/" stem "-" name (kind == "unit" ? ".unit" : "") ".cpp"
        printf "#line %d \"%s\"\n", NR + 1, page > file
      }
      next
    }
    # A file stays open to the end: the next block of its example goes on after this one.
    inside && /^```[ \t]*$/ {
      inside = 0
      next
    }
    inside { print > file }
    END {
      if (inside) fail("a C++ block is not closed")
      exit failed
    }' "$page"
}

extract_all() {
  local into="$1" page
  mkdir -p "$into/fragments"
  for page in "${pages[@]}"; do split_page "$page" "$into" || return 1; done
}

# A fragment's lines, trimmed, are lines of its file, in order; "// ..." skips. A whole file's
# block is its file, line for line.
check_fragment() {
  local fragment="$1" source where
  source="$(head -n 1 "$fragment")"
  where="$(sed -n 2p "$fragment")"
  if [ ! -f "${source#=}" ]; then
    echo "$where: the block's file ${source#=} does not exist" >&2
    return 1
  fi
  if [ "${source:0:1}" = "=" ]; then
    source="${source#=}"
    if ! tail -n +3 "$fragment" | cmp -s - "$source"; then
      echo "$where: the block is not the whole of $source as it is now:" >&2
      tail -n +3 "$fragment" | diff - "$source" | head -n 20 >&2
      return 1
    fi
    return 0
  fi
  LC_ALL=C awk -v where="$where" -v source="$source" '
    function trim(text) {
      sub(/^[ \t]+/, "", text)
      sub(/[ \t\r]+$/, "", text)
      return text
    }
    FNR == NR { lines[++count] = trim($0); next }
    FNR <= 2 { next }
    {
      line = trim($0)
      if (line == "" || line == "// ...") next
      while (at < count && lines[++at] != line) {}
      if (lines[at] != line) {
        printf "%s: this line of the fragment is not in %s, in this order: %s\n", where,
          source, line > "/dev/stderr"
        exit 1
      }
    }' "$source" "$fragment"
}

pages=("$@")
case "$mode" in
  extract)
    fresh="$(mktemp -d -t zkexamples.XXXXXX)"
    trap 'rm -rf "$fresh"' EXIT
    extract_all "$fresh" || exit 1
    mkdir -p "$dir"
    # Unchanged examples keep their time stamps, and are not compiled again.
    for file in "$fresh"/*.cpp; do
      [ -e "$file" ] || continue
      cmp -s "$file" "$dir/$(basename "$file")" || cp "$file" "$dir/"
    done
    for file in "$dir"/*.cpp; do
      [ -e "$file" ] && [ ! -e "$fresh/$(basename "$file")" ] && rm -f "$file"
    done
    exit 0
    ;;
  check)
    fresh="$(mktemp -d -t zkexamples.XXXXXX)"
    trap 'rm -rf "$fresh"' EXIT
    extract_all "$fresh" || exit 1
    failed=0
    for fragment in "$fresh"/fragments/*; do
      [ -e "$fragment" ] || continue
      check_fragment "$fragment" || failed=1
    done
    complete="$(cd "$fresh" && ls -- *.cpp 2>/dev/null)"
    built="$(cd "$dir" 2>/dev/null && ls -- *.cpp 2>/dev/null)"
    if [ "$complete" != "$built" ]; then
      echo "The build compiled other examples ($built) than the pages give ($complete): build again." >&2
      failed=1
    fi
    for file in "$fresh"/*.cpp; do
      [ -e "$file" ] || continue
      if ! cmp -s "$file" "$dir/$(basename "$file")"; then
        echo "The build compiled $(basename "$file") as it was, not as its page gives it now: build again." >&2
        failed=1
      fi
    done
    [ "$failed" -eq 0 ] && echo "Every C++ block of the pages is a compiled example or a fragment of its file."
    exit "$failed"
    ;;
  *)
    echo "usage: $0 extract|check DIR PAGE..." >&2
    exit 2
    ;;
esac
