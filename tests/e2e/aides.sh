#!/usr/bin/env bash
# The two measuring aids on a run of three measured photos: T draws the
# recorded centres over the fourth photo and T again gives the frame back
# pixel for pixel; "-" and "=" move the tolerances and redo the colour click,
# so a dim disc on a close background is selected alone or with its zone.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"

fond=30,30,30
e2e_photo photos/img_001.png 200 150 bg $fond disc 40,30,10 220,40,40
e2e_photo photos/img_002.png 200 150 bg $fond disc 52.5,47,10 220,40,40
e2e_photo photos/img_003.png 200 150 bg $fond disc 71,33.5,10 220,40,40
# 20 from the background: within the starting tolerance 30, out of it at 18
e2e_photo photos/img_004.png 200 150 bg $fond disc 90,60,10 50,50,50
e2e_photo photos/figure_fin.png 400 300 bg 10,200,10
e2e_donnees largeur=200 hauteur=150 zoom=3 fin=4

avancer() {  # PHOTO: RETURN, up to the next photo's name
  e2e_tenir Return "Vue suivante"
  e2e_attendre_ligne "nom_photo_complet $1"
}
# fenetre FILE: the window's pixels, one "x y R,G,B" a line.
fenetre() {
  e2e_capture "$E2E_DOSSIER/ecran.png"
  e2e_pixels "$E2E_DOSSIER/ecran.png" 0 0 200 150 >"$1"
}
# dernier PREFIX: the last console line starting with PREFIX.
dernier() { grep -a "^$1" "$E2E_DOSSIER/console.txt" | tail -n 1 || true; }
# regler KEY TEST LIMIT: holds KEY until the last tolerance printed is TEST
# (-le, -ge) LIMIT, then waits for the centre of every retune.
regler() {
  local limite=$((SECONDS + E2E_DELAI)) v
  xdotool keydown "$1"
  until v=$(dernier "Tolerances : " | awk '{ print $3 }') && [ -n "$v" ] && [ "$v" "$2" "$3" ]; do
    [ "$SECONDS" -lt "$limite" ] || { xdotool keyup "$1"; e2e_echec "tolerance stays at $v"; }
    sleep 0.02
  done
  xdotool keyup "$1"
  e2e_attendre_debut "centre: x= " $((avant + 1 + $(e2e_nombre_debut "Tolerances : ")))
}

e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_souris 100 75
e2e_mesurer_disque 40 30 "centre: x= 40 y= 30"
avancer photos/img_002.png
e2e_mesurer_disque 52 47 "centre: x= 52.5 y= 47"
avancer photos/img_003.png
e2e_mesurer_disque 71 33 "centre: x= 71 y= 33.5"
avancer photos/img_004.png
e2e_attendre_pixel 90 60 50,50,50
fenetre "$E2E_DOSSIER/avant.txt"

e2e_tenir t "Trajectoire affichee : 3 centres"
# a frame or two may pass before the line shows: wait for the crosses
limite=$((SECONDS + E2E_DELAI))
while :; do
  fenetre "$E2E_DOSSIER/avec.txt"
  diff "$E2E_DOSSIER/avant.txt" "$E2E_DOSSIER/avec.txt" | sed -n 's/^> //p' >"$E2E_DOSSIER/changes.txt" || true
  [ "$(wc -l <"$E2E_DOSSIER/changes.txt")" -ge 30 ] && break
  [ "$SECONDS" -lt "$limite" ] || e2e_echec "trajectory not drawn: $(wc -l <"$E2E_DOSSIER/changes.txt") pixels changed"
  sleep 0.1
done
# only trajectory colours, and the three centres' crosses among them
autres=$(awk '$3 != "255,255,0" && $3 != "160,160,0" && $3 != "255,0,0"' "$E2E_DOSSIER/changes.txt" | wc -l)
[ "$autres" -eq 0 ] || e2e_echec "$autres changed pixels of another colour: $(head -n 5 "$E2E_DOSSIER/changes.txt")"
for p in "40 30" "52 47" "71 33"; do
  set -- $p
  n=$(awk -v x="$1" -v y="$2" '($1 - x) ^ 2 + ($2 - y) ^ 2 <= 9' "$E2E_DOSSIER/changes.txt" | wc -l)
  [ "$n" -ge 3 ] || e2e_echec "no cross near ($1, $2)"
done

e2e_tenir t "Trajectoire masquee"
limite=$((SECONDS + E2E_DELAI))
until fenetre "$E2E_DOSSIER/sans.txt" && cmp -s "$E2E_DOSSIER/avant.txt" "$E2E_DOSSIER/sans.txt"; do
  [ "$SECONDS" -lt "$limite" ] ||
    e2e_echec "frame after T T differs: $(diff "$E2E_DOSSIER/avant.txt" "$E2E_DOSSIER/sans.txt" | head -n 6)"
  sleep 0.1
done

# The zone is off the disc's centre: all of it selected, its centre is not
# the disc's; the disc alone, it is.
e2e_glisser 75 45 120 90
e2e_attendre_motif "^Taille de is_select : 2116$"
e2e_tenir i "$I_LIGNE"
avant=$(e2e_nombre_debut "centre: x= ")
e2e_clic 90 60
e2e_attendre_debut "centre: x= " $((avant + 1))
tout=$(dernier "centre: x= ")
[ "$tout" != "centre: x= 90 y= 60" ] || e2e_echec "the whole zone should be selected"

e2e_tenir minus "Tolerances : 28 28 28"
e2e_attendre_debut "centre: x= " $((avant + 2))
[ "$(dernier "centre: x= ")" = "$tout" ] || e2e_echec "28: $(dernier "centre: x= ")"
regler minus -le 18
[ "$(dernier "centre: x= ")" = "centre: x= 90 y= 60" ] || e2e_echec "disc alone: $(dernier "centre: x= ")"
regler equal -ge 24
[ "$(dernier "centre: x= ")" = "$tout" ] || e2e_echec "zone again: $(dernier "centre: x= ")"

e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
