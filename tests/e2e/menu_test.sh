#!/usr/bin/env bash
# Velmo as a user drives it through its menu: Alt, the mnemonics and Enter open Fichier > Ouvrir;
# the box is read from outside and closed with OK; Fichier > Quitter ends Velmo with 0. A second
# run ends through the close message.
source "$(dirname "$0")/lib.sh"

zk_start
xdotool windowfocus --sync "$(zk_main_window)" 2>/dev/null || true
zk_keys alt+f
zk_keys Return  # the drop-down opens on its first entry, Ouvrir
text=""
for _ in $(seq 50); do
  text="$(zk_probe box Ouvrir)" && break
  sleep 0.2
done
# "Il n'y a rien à ouvrir, utilisez le menu Formulaires", à in code page 1252
zk_expect "menu: the Ouvrir box's text" "Il n'y a rien \\xE0 ouvrir, utilisez le menu Formulaires" "$text"
zk_probe press Ouvrir 1 || zk_fail "no OK button in the Ouvrir box"  # IDOK
for _ in $(seq 50); do
  zk_probe box Ouvrir >/dev/null || break
  sleep 0.1
done
zk_probe box Ouvrir >/dev/null && zk_fail "the Ouvrir box is still open"
kill -0 "$zk_velmo" 2>/dev/null && echo "ok: Velmo runs on after the box" || zk_fail "Velmo ended"
zk_quit

zk_start
zk_probe close-main || zk_fail "no main window to close"
zk_velmo_wait
zk_expect "menu: closing the main window exits with" 0 "$zk_status"
zk_done
