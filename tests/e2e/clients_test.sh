#!/usr/bin/env bash
# The Clients example (the README's guide) driven as a user would, at 96 DPI and again in a prefix
# of its own at 144 DPI: Enter pressing OK with every field checked first and the focus on the
# first refused one, menu shortcuts from a field and from the grid, Ctrl+Z and Ctrl+C left to a
# field, the form resized by its frame and by the program with every rectangle read back from
# outside, Escape pressing Fermer. At 144 DPI every rectangle is also the 96-DPI one times 1.5.
source "$(dirname "$0")/lib.sh"
nom=clients.nom montant=clients.montant liste=clients.liste
measures="$zk_shots/measures"
mkdir -p "$measures"

# Every control of the form: key (its item's name, "status"), place in the form's client area and
# size.
rects() {
  local line key
  zk_probe form | while read -r line; do
    case "$line" in
      item*msctls_statusbar32*) key=status ;;
      item*) key="$(zk_field "$line" key)" key="${key#clients.}" ;;
      *) continue ;;
    esac
    echo "$key $(zk_field "$line" cx) $(zk_field "$line" cy) $(zk_field "$line" w) $(zk_field "$line" h)"
  done
}

# compare_grown BEFORE AFTER DX DY: the name stretches, OK and Fermer follow the right edge, the
# grid both edges, the status bar the bottom; everything else stays where it was.
compare_grown() {
  local report
  report="$(awk -v dx="$3" -v dy="$4" '
    NR == FNR { x[$1] = $2; y[$1] = $3; w[$1] = $4; h[$1] = $5; next }
    {
      ex = x[$1]; ey = y[$1]; ew = w[$1]; eh = h[$1]
      if ($1 == "nom") ew += dx
      if ($1 == "ok" || $1 == "fermer") ex += dx
      if ($1 == "liste") { ew += dx; eh += dy }
      if ($1 == "status") { ey += dy; ew += dx }
      want = ex " " ey " " ew " " eh; got = $2 " " $3 " " $4 " " $5
      print (want == got ? "ok " : "FAIL ") $1 ": " got (want == got ? "" : ", expected " want)
    }' "$1" "$2")"
  printf '%s\n' "$report"
  [ "$(grep -c '^ok' <<<"$report")" -ge 10 ] || zk_fail "too few rectangles compared"
  ! grep -q '^FAIL' <<<"$report" || zk_fail "the items did not follow the form's new size ($3, $4)"
}

client_size() { local line; line="$(zk_probe form | head -n 1)"; echo "$(zk_field "$line" cw) $(zk_field "$line" ch)"; }

# The form opens with the focus on its empty, required name; the required amount is empty too.
check_entry() {
  zk_keys Return
  zk_wait "Enter checks every field: the first refused, the name, keeps the focus" focus-is $nom
  zk_wait "... with its message" status-is "Saisie obligatoire"
  zk_type Dupont
  zk_keys Return
  zk_wait "then the amount, never visited, takes it" focus-is $montant
  zk_type abc
  zk_keys Return
  zk_wait "a wrong amount keeps it" focus-is $montant
  zk_keys ctrl+a
  zk_type "12,5"
  zk_keys Return
  zk_wait "Enter presses OK: the client is added" rows-is $liste 1
  zk_wait "... as checked" cell-is $liste 0 2 "12,5"
  zk_wait "... and the name takes the focus again" focus-is $nom

  zk_type Martin
  zk_keys Tab Tab
  xdotool type --delay 80 -- "-3"
  zk_keys ctrl+s
  zk_wait "Ctrl+S in a field adds the client" rows-is $liste 2
  zk_wait "... as typed" cell-is $liste 1 0 Martin

  zk_type Durand
  zk_keys Tab Tab
  zk_type 7
  zk_click_item $liste 20 100  # below the rows
  zk_wait "the grid has the focus" focus-is $liste
  zk_keys ctrl+s
  zk_wait "Ctrl+S in the grid adds the client" rows-is $liste 3
  zk_wait "... as typed" cell-is $liste 2 0 Durand
  # The name takes the focus again, empty: a name lets it go back to the grid.
  zk_type Essai
  zk_click_item $liste 20 100
  zk_wait "the grid has the focus again" focus-is $liste
  zk_keys ctrl+z
  zk_wait "Ctrl+Z in the grid takes the last client back" rows-is $liste 2

  zk_click_item $nom
  zk_keys ctrl+a
  zk_type Copie
  zk_keys ctrl+a ctrl+c
  zk_expect "Ctrl+C in a field copies its text" Copie "$(zk_probe clipboard)"
  zk_keys ctrl+z
  local text
  text="$(zk_field "$(zk_item $nom)" text)"
  [ "$text" != Copie ] && echo "ok: Ctrl+Z in a field undoes its typing ($text)" ||
    zk_fail "Ctrl+Z in a field did not undo its typing"
  zk_wait "... and takes no client back" rows-is $liste 2
  zk_keys ctrl+a
  zk_type Fin
}

# measure DPI: the form as it opens, grown by its frame's corner, restored by the program.
measure() {
  local dpi="$1" line x y w h before after
  zk_program_start '^Clients$' zarvik_clients.exe || return 1
  zk_wait "the Clients form opens at $dpi DPI" has-form
  sleep 1
  check_entry
  rects >"$measures/$dpi.txt"
  before="$(client_size)"
  line="$(zk_probe form | head -n 1)"
  x="$(zk_field "$line" x)" y="$(zk_field "$line" y)" w="$(zk_field "$line" w)" h="$(zk_field "$line" h)"
  xdotool mousemove $((x + w - 2)) $((y + h - 2)) mousedown 1
  sleep 0.3
  xdotool mousemove $((x + w + 50)) $((y + h + 30)) sleep 0.3 mousemove $((x + w + 118)) $((y + h + 78))
  sleep 0.3
  xdotool mouseup 1
  sleep 1
  after="$(client_size)"
  rects >"$measures/$dpi-grown.txt"
  read -r bw bh <<<"$before"
  read -r aw ah <<<"$after"
  [ $((aw - bw)) -gt 50 ] && [ $((ah - bh)) -gt 30 ] || zk_fail "the frame's corner did not resize the form ($before, $after)"
  compare_grown "$measures/$dpi.txt" "$measures/$dpi-grown.txt" $((aw - bw)) $((ah - bh))

  zk_keys ctrl+0
  sleep 0.5
  rects >"$measures/$dpi-restored.txt"
  cmp -s "$measures/$dpi.txt" "$measures/$dpi-restored.txt" && echo "ok: Ctrl+0 gives the form and its items their places back" ||
    zk_fail "Ctrl+0 did not restore the places: $(diff "$measures/$dpi.txt" "$measures/$dpi-restored.txt" | tr '\n' ' ')"

  zk_keys Escape
  zk_wait "Escape presses Fermer" no-form
  zk_keys F2
  zk_wait "F2 opens the form again" has-form
  zk_keys ctrl+q
  zk_velmo_wait
  zk_expect "exit code after Ctrl+Q" 0 "$zk_status"
}

measure 96
(
  source "$(dirname "$0")/../../scripts/wine-env.sh"
  export ZK_DPI=144 ZK_SCREEN=1600x1200 ZK_DESKTOP=1500x1100
  unset ZK_USE_DISPLAY
  zk_wine_start
  measure 144
  status=$?
  zk_wine_stop
  exit $(( status != 0 || zk_failures != 0 ))
) || zk_fail "the 144-DPI run"

# As the form opens, every item at 144 DPI is the 96-DPI one times 1.5 (the status bar is the
# system's, along the frame's client area).
report="$(awk '
  function scaled(v) { return int((v * 144 + 48) / 96) }
  NR == FNR { x[$1] = $2; y[$1] = $3; w[$1] = $4; h[$1] = $5; next }
  $1 != "status" {
    want = scaled(x[$1]) " " scaled(y[$1]) " " scaled(w[$1]) " " scaled(h[$1])
    got = $2 " " $3 " " $4 " " $5
    print (want == got ? "ok " : "FAIL ") $1 ": 144 DPI " got (want == got ? "" : ", expected " want)
  }' "$measures/96.txt" "$measures/144.txt")"
printf '%s\n' "$report"
[ "$(grep -c '^ok' <<<"$report")" -ge 9 ] || zk_fail "too few rectangles compared at 144 DPI"
! grep -q '^FAIL' <<<"$report" || zk_fail "rectangles at 144 DPI are not the 96-DPI ones times 1.5"
zk_done
