#!/usr/bin/env bash
# Velmo at 150 % display scale. Its forms are measured from outside in this session (96 DPI) and
# again in a prefix of its own at 144 DPI: every control's place in its form and size is the
# 96-DPI one times 1.5, each rounded as MulDiv rounds (half away from zero); so are the forms and
# the main window. The system sizes a combo box's height and the status bar itself. The texts of
# drawn labels and buttons lie inside their controls, with background all round (not clipped).
source "$(dirname "$0")/lib.sh"
measures="$zk_shots/measures"
mkdir -p "$measures"

# measure DPI: Velmo's main window and forms into $measures/DPI.txt, one line per window or
# control (key x y w h), and the ink of drawn texts (ink:item 0 0 w h).
measure() {
  local out="$measures/$1.txt"
  zk_start
  local line
  line="$(zk_probe main)"
  echo "main 0 0 $(zk_field "$line" w) $(zk_field "$line" h)" >"$out"
  local form letter close
  for form in "tous t tous.ok" "static s static.fermer" "edit e edit.fermer"; do
    read -r form letter close <<<"$form"
    zk_menu_open "$letter" || return 1
    zk_probe form | while read -r line; do
      case "$line" in
        form*) echo "$form 0 0 $(zk_field "$line" w) $(zk_field "$line" h)" ;;
        *msctls_statusbar32*) ;;
        *) echo "$form:$(zk_field "$line" id):$(zk_field "$line" class):$(zk_field "$line" text | tr ' ' _)" \
          "$(zk_field "$line" cx) $(zk_field "$line" cy) $(zk_field "$line" w) $(zk_field "$line" h)" ;;
      esac
    done >>"$out"
    # Drawn texts end before the control's right and bottom edges (inside a border of up to 3
    # pixels): a clipped text's ink runs to the edge. The title has a font of its own, the buttons
    # the system's; other labels of the form lie under other controls.
    for item in tous.titre tous.bouton2 tous.ok; do
      [ "$form" = tous ] || break
      zk_shot_item "$item" "$measures/$item-$1.png"
      local box
      box="$(zk_bbox "$measures/$item-$1.png" "$(zk_pixel "$measures/$item-$1.png" 4 4)" 3)"
      local w h
      w="$(convert "$measures/$item-$1.png" -format %w info:)" h="$(convert "$measures/$item-$1.png" -format %h info:)"
      if [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && [ "${BASH_REMATCH[1]}" -ge 10 ] &&
        [ $((BASH_REMATCH[1] + BASH_REMATCH[3])) -lt $((w - 6 + 1)) ] &&
        [ $((BASH_REMATCH[2] + BASH_REMATCH[4])) -lt $((h - 6 + 1)) ]; then
        echo "ok: $item at $1 DPI: text inside its control (ink $box in ${w}x$h)"
        echo "ink:$item 0 0 ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}" >>"$out"
      else
        zk_fail "$item at $1 DPI: text clipped or missing (ink $box in ${w}x$h)"
      fi
    done
    [ -z "${ZK_DPI_SHOTS:-}" ] || zk_shot "$(zk_probe form | head -n 1)" "$ZK_DPI_SHOTS/velmo-$form-$1.png"
    zk_click_item "$close"
    zk_wait "$form closed at $1 DPI" no-form
  done
  zk_velmo_quit
}

measure 96
# A display of its own, large enough for Velmo at 150 %, and a prefix at 144 DPI.
(
  source "$(dirname "$0")/../../scripts/wine-env.sh"
  export ZK_DPI=144 ZK_SCREEN=1600x1200 ZK_DESKTOP=1500x1100
  unset ZK_USE_DISPLAY
  zk_wine_start
  measure 144
  status=$?
  zk_wine_stop
  exit $status
) || zk_fail "the 144-DPI run"

# Every line of the 96-DPI run, scaled, against the 144-DPI run's line of the same key.
report="$(awk '
  function scaled(v) { return v >= 0 ? int((v * 144 + 48) / 96) : -int((-v * 144 + 48) / 96) }
  NR == FNR { x[$1] = $2; y[$1] = $3; w[$1] = $4; h[$1] = $5; next }
  {
    seen[$1] = 1
    if (!($1 in w)) { print "FAIL only at 144 DPI: " $0; next }
    if ($1 ~ /^ink:/) {  # the text grows with its font: about 1.5 times as tall
      ok = $5 * 10 >= h[$1] * 13 && $5 * 10 <= h[$1] * 18
      print (ok ? "ok " : "FAIL ") $1 ": text " w[$1] "x" h[$1] " at 96 DPI, " $4 "x" $5 " at 144 DPI"
      next
    }
    want = scaled(x[$1]) " " scaled(y[$1]) " " scaled(w[$1]) " " (index($1, ":ComboBox:") ? $5 : scaled(h[$1]))
    got = $2 " " $3 " " $4 " " $5
    print (want == got ? "ok " : "FAIL ") $1 ": 96 DPI " x[$1] " " y[$1] " " w[$1] " " h[$1] ", 144 DPI " got (want == got ? "" : ", expected " want)
  }
  END { for (k in w) if (!(k in seen)) print "FAIL missing at 144 DPI: " k }
' "$measures/96.txt" "$measures/144.txt")"
printf '%s\n' "$report"
count="$(grep -c '^ok' <<<"$report")"
[ "$count" -ge 60 ] || zk_fail "only $count rectangles compared"
grep -q '^FAIL' <<<"$report" && zk_fail "rectangles at 144 DPI are not the 96-DPI ones times 1.5"
zk_done
