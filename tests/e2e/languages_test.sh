#!/usr/bin/env bash
# The UTF-8 example read from outside as UTF-16: its title, its form's caption, its fields, its list
# and its status bar carry the French, Greek, Russian and Japanese texts it gave, and its drawn
# labels and button show ink.
export ZK_PROGRAM=zarvik_languages.exe ZK_TITLE='^Zarvik en UTF-8'
source "$(dirname "$0")/lib.sh"

# The system font draws the scripts it lacks (Greek, Japanese) from WenQuanYi Micro Hei (Debian
# fonts-wqy-microhei), as Windows links its own fonts. Only for this program: Wine then draws
# the system font's Latin letters from the linked font too, which would change Velmo's pixels.
# The link is made in this test's own prefix, which goes when the test ends.
link_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
wine reg add "$link_key" /v System /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f \
  >/dev/null 2>&1

french='Bonjour, \xC3\xA7a va ?'
greek='\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1'
russian='\xD0\x97\xD0\xB4\xD1\x80\xD0\xB0\xD0\xB2\xD1\x81\xD1\x82\xD0\xB2\xD1\x83\xD0\xB9\xD1\x82\xD0\xB5'
japanese='\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF'
dot=' \xC2\xB7 '

zk_start
zk_wait "the form opens with the program" has-form
sleep 1 # the drawn items paint after the dialog shows

zk_expect "main window title" "Zarvik en UTF-8$dot\\xCE\\x96\\xCE\\xAC\\xCF\\x81\\xCE\\xB2\\xCE\\xB9\\xCE\\xBA$dot\\xD0\\x97\\xD0\\xB0\\xD1\\x80\\xD0\\xB2\\xD0\\xB8\\xD0\\xBA$dot\\xE3\\x82\\xB6\\xE3\\x83\\xAB\\xE3\\x83\\xB4\\xE3\\x82\\xA3\\xE3\\x82\\xAF" \
  "$(zk_field "$(zk_probe --utf8 main)" text)"
zk_expect "form caption" "Langues$dot\\xCE\\x93\\xCE\\xBB\\xCF\\x8E\\xCF\\x83\\xCF\\x83\\xCE\\xB5\\xCF\\x82$dot\\xD0\\xAF\\xD0\\xB7\\xD1\\x8B\\xD0\\xBA\\xD0\\xB8$dot\\xE8\\xA8\\x80\\xE8\\xAA\\x9E" \
  "$(zk_field "$(zk_probe --utf8 form | head -n 1)" text)"

field=2
for greeting in "$french" "$greek" "$russian" "$japanese"; do
  zk_expect "field$field" "$greeting" "$(zk_field "$(zk_probe --utf8 item langues.field$field)" text)"
  field=$((field + 2))
done
zk_expect "list entries" "$french|$greek|$russian|$japanese" \
  "$(zk_field "$(zk_probe --utf8 item langues.list)" entries)"
names=('Fran\xC3\xA7ais' '\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC'
  '\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9' '\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E')
zk_expect "grid rows" "${names[0]}|$french,${names[1]}|$greek,${names[2]}|$russian,${names[3]}|$japanese" \
  "$(zk_probe --utf8 rows langues.grid 0 4 | sed -n 1,4p | paste -sd, -)"
# The focused first field's remark, its language's name.
zk_expect "status bar" 'Fran\xC3\xA7ais' "$(zk_probe --utf8 status)"

# Each drawn label and the button show ink of their text on their background.
for item in label1 label3 label5 label7 langues.close; do
  zk_shot_item "$item" "$zk_shots/$item.png"
  box="$(zk_bbox "$zk_shots/$item.png" "$(zk_pixel "$zk_shots/$item.png" 1 1)" 3)"
  [[ "$box" =~ ^([0-9]+)x([0-9]+) ]] && [ "${BASH_REMATCH[1]}" -ge 20 ] ||
    zk_fail "$item: no text drawn (ink $box)"
done

zk_probe close-main
zk_velmo_wait
zk_expect "exit code after closing" 0 "$zk_status"
zk_done
