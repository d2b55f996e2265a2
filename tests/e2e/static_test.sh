#!/usr/bin/env bash
# Velmo's form "static": picks made with real input restyle the sample label "static1", checked
# in screenshots of its rectangle; a label without border colours only its text cells; a label
# repainted alone leaves the combo box it reaches over as it was; Enter, Escape and a plain close
# request leave the form open; the focus outline of "Fermer" follows the focus.
source "$(dirname "$0")/lib.sh"

form=DFDFDF  # the form's LIGHTGREY
sample=static.static1 cbpolice=static.cbpolice cbtaille=static.cbtaille gras=static.gras
cbtxcol=static.cbcouleurtexte cbbkcol=static.cbcouleurfond cbhoriz=static.cbhorizalign
cbvert=static.cbverticalign cbbrdsize=static.cbtaillebrd cbbrdcol=static.cbcouleurbrd
cbbrdstyle=static.cbstylebrd texte=static.texte fermer=static.fermer

# pick COMBO INDEX: selects an entry with the keyboard, as a user would.
pick() {
  zk_click_item "$1"
  zk_keys Escape Home
  local i
  for ((i = 0; i < $2; i++)); do zk_keys Down; done
  sleep 0.3
}

snap() { zk_shot_item $sample "$zk_shots/$1.png"; echo "$zk_shots/$1.png"; }
# Pixels of Fermer's focus outline: inverted dots, cyan on its red background.
outline() { zk_shot_item $fermer "$zk_shots/$1.png"; zk_count "$zk_shots/$1.png" 00FFFF; }
is_open() { zk_probe wait 100 has-form && echo yes; }
width_of() { local g="${1%%x*}"; echo "$g"; }
x_of() { local g="${1#*+}"; echo "${g%%+*}"; }
y_of() { echo "${1##*+}"; }

zk_start
zk_menu_open s || exit 1

line="$(zk_probe form | head -n 1)"
zk_expect "static: caption and size" "Zarvik Form 700x550" \
  "$(zk_field "$line" text) $(zk_field "$line" w)x$(zk_field "$line" h)"
zk_expect "static: 30 controls and the status bar" 31 "$(($(zk_probe form | wc -l) - 1))"
zk_expect "static: cbcouleurfond holds -1 last" \
  "WHITE|BLACK|RED|BLUE|GREEN|YELLOW|MAGENTA|CYAN|MAGENTA|LIGHTGREY|GREY|DARKGREY|-1" \
  "$(zk_field "$(zk_item $cbbkcol)" entries)"

# "couleurfond" has a grey background and no border: grey text cells on the form's colour.
zk_shot_item static.couleurfond "$zk_shots/couleurfond.png"
cells="$(zk_bbox "$zk_shots/couleurfond.png" $form 0)"
zk_expect "static: couleurfond's corners show the form" "$form $form" \
  "$(zk_pixel "$zk_shots/couleurfond.png" 0 0) $(zk_pixel "$zk_shots/couleurfond.png" 129 24)"
zk_expect "static: couleurfond is grey only in its text cells" yes \
  "$([ "$(zk_count "$zk_shots/couleurfond.png" BFBFBF)" -gt 100 ] &&
    [ "$(width_of "$cells")" -lt 110 ] && [ "$(x_of "$cells")" -le 1 ] && echo yes)"

# "police" reaches over the combo box "cbpolice": repainted alone, it leaves the combo box as it was.
zk_shot_item $cbpolice "$zk_shots/cbpolice.png"
zk_probe redraw static.police
sleep 0.5
zk_shot_item $cbpolice "$zk_shots/cbpolice-after.png"
zk_expect "static: repainting police leaves cbpolice as it was" 0 \
  "$(compare -metric AE "$zk_shots/cbpolice.png" "$zk_shots/cbpolice-after.png" null: 2>&1)"

f="$(snap initial)"
zk_expect "static: sample border black" 000000 "$(zk_pixel "$f" 0 0)"
zk_expect "static: sample background white" FFFFFF "$(zk_pixel "$f" 395 45)"
initial_box="$(zk_bbox "$f" FFFFFF 2)"
zk_expect "static: text starts at the top left" "yes" \
  "$([ "$(x_of "$initial_box")" -lt 10 ] && [ "$(y_of "$initial_box")" -lt 10 ] && echo yes)"

pick $cbtaille 6  # 24
f="$(snap size24)"
big_box="$(zk_bbox "$f" FFFFFF 2)"
zk_expect "static: size 24 widens the text" yes \
  "$([ "$(width_of "$big_box")" -gt "$(width_of "$initial_box")" ] && echo yes)"
pick $cbtaille 0

pick $cbpolice 1  # Courier New
f="$(snap courier)"
zk_expect "static: Courier New changes the text" yes \
  "$([ "$(zk_bbox "$f" FFFFFF 2)" != "$initial_box" ] && echo yes)"
pick $cbpolice 0

zk_click_item $gras 7 7
f="$(snap bold)"
# Smoothed glyphs: bold shows as more non-white pixels, not necessarily more pure black ones.
zk_expect "static: bold text has more ink" yes \
  "$([ "$(zk_count "$f" FFFFFF)" -lt "$(zk_count "$zk_shots/initial.png" FFFFFF)" ] && echo yes)"
zk_click_item $gras 7 7

pick $cbtxcol 2  # RED
f="$(snap red)"
zk_expect "static: RED text" yes "$([ "$(zk_count "$f" FF0000)" -gt 20 ] && echo yes)"
pick $cbtxcol 0

pick $cbbkcol 12  # -1
f="$(snap nobk)"
zk_expect "static: -1 leaves no white background" 0 "$(zk_count "$f" FFFFFF)"
pick $cbbkcol 3  # BLUE
f="$(snap bluebk)"
zk_expect "static: BLUE background" 0000FF "$(zk_pixel "$f" 395 45)"
# Border 0 takes the background fill with it: red only in the cells of the text, at the top left.
pick $cbbkcol 2  # RED
pick $cbbrdsize 1  # 0
f="$(snap redcells)"
box="$(zk_bbox "$f" $form 0)"
zk_expect "static: RED without border colours only the text cells" "$form $form yes" \
  "$(zk_pixel "$f" 395 45) $(zk_pixel "$f" 399 0) $([ "$(zk_count "$f" FF0000)" -gt 50 ] &&
    [ "$(width_of "$box")" -lt 250 ] && [ "$(y_of "$box")" -le 1 ] && echo yes)"
pick $cbbrdsize 0
pick $cbbkcol 0

pick $cbhoriz 2; pick $cbvert 2  # RIGHT, BOTTOM
f="$(snap rightbottom)"
box="$(zk_bbox "$f" FFFFFF 2)"
zk_expect "static: RIGHT and BOTTOM move the text to the lower right" yes \
  "$([ "$(x_of "$box")" -gt 200 ] && [ "$(y_of "$box")" -gt 20 ] && echo yes)"
pick $cbhoriz 1; pick $cbvert 1  # CENTER, CENTER
f="$(snap centre)"
box="$(zk_bbox "$f" FFFFFF 2)"
zk_expect "static: CENTER puts the text in the middle" yes \
  "$([ "$(x_of "$box")" -gt 100 ] && [ "$(x_of "$box")" -lt 200 ] && echo yes)"
pick $cbhoriz 0; pick $cbvert 0

pick $cbbrdcol 2  # RED border
f="$(snap redborder)"
zk_expect "static: RED border" FF0000 "$(zk_pixel "$f" 0 0)"
pick $cbbrdcol 0
pick $cbbrdsize 1  # 0
f="$(snap noborder)"
zk_expect "static: border 0 draws no border" yes \
  "$([ "$(zk_pixel "$f" 0 0)" != 000000 ] && echo yes)"
pick $cbbrdstyle 2  # 3DIN
f="$(snap sunken)"
zk_expect "static: 3DIN fills the background again" FFFFFF "$(zk_pixel "$f" 395 45)"
pick $cbbrdsize 0; pick $cbbrdstyle 0

# With border size 0 nothing but the painter's own erase fills the sample: after moving its text
# about, only the text at its last place may show, in its white cells on the form's colour,
# without the border or the earlier places.
pick $cbbrdsize 1  # 0
pick $cbhoriz 2; pick $cbvert 2  # RIGHT, BOTTOM
pick $cbhoriz 1; pick $cbvert 1  # CENTER, CENTER
f="$(snap ghosts)"
box="$(zk_bbox "$f" $form 0)"
zk_expect "static: after border 0 and moves only the centred text shows" yes \
  "$([ "$(x_of "$box")" -gt 100 ] && [ $(($(x_of "$box") + $(width_of "$box"))) -lt 300 ] &&
    [ "$(y_of "$box")" -gt 5 ] && echo yes)"
zk_expect "static: after border 0 no border is left" $form "$(zk_pixel "$f" 0 0)"
pick $cbhoriz 0; pick $cbvert 0; pick $cbbrdsize 0

zk_click_item $texte
zk_keys End shift+Home BackSpace
zk_type "Bonjour"
f="$(snap typing)"
zk_expect "static: typing does not change the sample yet" "$initial_box" "$(zk_bbox "$f" FFFFFF 2)"
# Commands that come from no item do nothing: the form stays, and the field keeps text and focus.
for key in Return Escape; do
  zk_keys $key
  zk_expect "static: $key in texte leaves the form open" yes "$(is_open)"
done
zk_probe close
sleep 0.5
zk_expect "static: a plain WM_CLOSE leaves the form open" yes "$(is_open)"
zk_wait "static: texte keeps the focus" focus-is $texte
zk_wait "static: texte keeps its text" text-is $texte Bonjour
zk_keys Tab
f="$(snap typed)"
zk_expect "static: leaving texte changes the sample" yes \
  "$([ "$(zk_bbox "$f" FFFFFF 2)" != "$initial_box" ] && echo yes)"

zk_wait "static: Tab gives Fermer the focus" focus-is $fermer
zk_expect "static: focused Fermer shows its outline" yes "$([ "$(outline focused)" -gt 10 ] && echo yes)"
zk_probe redraw $fermer
sleep 0.5
zk_expect "static: a full repaint keeps the outline" yes "$([ "$(outline redrawn)" -gt 10 ] && echo yes)"
zk_keys shift+Tab
zk_wait "static: shift+Tab takes the focus back to texte" focus-is $texte
zk_expect "static: Fermer without the focus shows no outline" 0 "$(outline left)"

zk_click_item $fermer
zk_wait "static: Fermer closes the form" no-form
zk_menu_open s && { zk_close_box; zk_wait "static: the close box closes it" no-form; }
zk_quit
zk_done
