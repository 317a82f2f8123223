#!/usr/bin/env bash
# A whole series measured by hand: RETURN with nothing selected writes
# nothing; three photos whose disc moves by known amounts are each measured
# (zone, I, click) and left with RETURN; the result files hold their centres
# byte for byte after every step; RETURN held down advances once; the closing
# picture ends the series. Two more starts keep the first run's results as
# .bak copies.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"

# Zoom 1 with the photo the size of the window: window and photo pixels agree.
# A disc centred on a pixel corner or a pixel centre is symmetric about that
# point, so its centre is exact.
fond=30,30,30
e2e_photo photos/img_001.png 200 150 bg $fond disc 100,75,10 220,40,40
e2e_photo photos/img_002.png 200 150 bg $fond disc 40,30,10 220,40,40
e2e_photo photos/img_003.png 200 150 bg $fond disc 52.5,47,10 220,40,40  # moved by (12.5, 17)
e2e_photo photos/img_004.png 200 150 bg $fond disc 71,33.5,10 220,40,40  # then by (18.5, -13.5)
e2e_photo photos/figure_fin.png 400 300 bg 10,200,10
e2e_donnees largeur=200 hauteur=150 zoom=3 fin=4
printf '40 30\n52.5 47\n71 33.5\n' >"$E2E_DOSSIER/centres"
resu_attendus "$E2E_DOSSIER/centres"
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_souris 100 75   # keys go to the window under the pointer

# Nothing selected yet: the series advances, the files stay empty.
e2e_tenir Return "Vue suivante"
e2e_attendre_ligne "nom_photo_complet photos/img_002.png"
for f in $RESU_POINT $RESU_X $RESU_Y; do
  [ -f "$E2E_DOSSIER/$f" ] && [ ! -s "$E2E_DOSSIER/$f" ] || e2e_echec "$f is not empty after an unmeasured photo"
  [ ! -e "$E2E_DOSSIER/$f.bak" ] || e2e_echec "$f.bak made from nothing"
done

# mesurer K X Y CENTRE: zone around the disc centred on window point (X, Y),
# I, click on the disc; waits for the centre line CENTRE.
mesurer() {
  e2e_glisser $(($2 - 15)) $(($3 - 15)) $(($2 + 15)) $(($3 + 15))
  e2e_attendre_ligne "Taille de is_select : 961" "$1"
  e2e_tenir i "$I_LIGNE"
  e2e_clic "$2" "$3"
  e2e_attendre_ligne "$4"
}
# avancer K PHOTO: RETURN after the K-th measurement; the next name is
# composed after the record is written, so the files then hold K records.
avancer() {
  e2e_tenir Return "Vue suivante"
  e2e_attendre_ligne "nom_photo_complet $2"
  head -n "$1" "$E2E_DOSSIER/centres" >"$E2E_DOSSIER/debut"
  resu_attendus "$E2E_DOSSIER/debut"
  resu_comparer "$E2E_DOSSIER/debut"
}

mesurer 1 40 30 "centre: x= 40 y= 30"
avancer 1 photos/img_003.png

mesurer 2 52 47 "centre: x= 52.5 y= 47"
# RETURN held for several frames (X answers once per frame while held)
xdotool keydown Return
e2e_attendre_ligne "Vue suivante" 3
avant=$(e2e_nombre_lignes "Mode de selection par couleurs voisines")
xdotool keydown x
e2e_attendre_ligne "Mode de selection par couleurs voisines" $((avant + 5))
xdotool keyup x keyup Return
e2e_attendre_ligne "nom_photo_complet photos/img_004.png"
[ "$(e2e_nombre_lignes "Vue suivante")" -eq 3 ] || e2e_echec "RETURN held down advanced more than once"
head -n 2 "$E2E_DOSSIER/centres" >"$E2E_DOSSIER/debut"
resu_attendus "$E2E_DOSSIER/debut"
resu_comparer "$E2E_DOSSIER/debut"

mesurer 3 71 33 "centre: x= 71 y= 33.5"
e2e_tenir Return "Vue suivante"
e2e_attendre_ligne "Image chargee" 5
resu_comparer "$E2E_DOSSIER/centres"

# The closing picture at zoom 0.25: 100 x 75 window pixels centred in 200 x 150.
tail -n 3 "$E2E_DOSSIER/console.txt" >"$E2E_DOSSIER/fin.txt"
printf 'Traitement termine\nnom_photo_complet photos/figure_fin.png\nImage chargee\n' |
  cmp -s - "$E2E_DOSSIER/fin.txt" || e2e_echec "end of the series: $(cat "$E2E_DOSSIER/fin.txt")"
e2e_attendre_pixel 60 50 10,200,10
e2e_attendre_pixel 140 105 10,200,10
e2e_attendre_pixel 40 30 0,150,0
e2e_attendre_pixel 160 120 0,150,0
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
resu_comparer "$E2E_DOSSIER/centres"

# relancer: the program started again in the same folder, stopped at once.
relancer() {
  mv "$E2E_DOSSIER/console.txt" "$E2E_DOSSIER/console_$1.txt"
  : >"$E2E_DOSSIER/console.txt"   # counted before the new run opens it
  e2e_fermer_entree
  rm -f "$E2E_DOSSIER/entree"
  e2e_lancer
  e2e_attendre_ligne "init success"
  e2e_arreter
  [ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE at start $1"
}
# The second start empties the files but keeps the run as .bak; the third
# finds them empty and leaves the copies alone.
for depart in 2 3; do
  relancer "$depart"
  for f in $RESU_POINT $RESU_X $RESU_Y; do
    [ -f "$E2E_DOSSIER/$f" ] && [ ! -s "$E2E_DOSSIER/$f" ] || e2e_echec "$f not emptied by start $depart"
  done
  resu_comparer "$E2E_DOSSIER/centres" .bak
done
