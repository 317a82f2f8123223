#!/usr/bin/env bash
# A result file that cannot be opened (here a folder in its place) is named
# on the console once, at start; the other two files still get every
# measurement.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"

e2e_photo photos/img_001.png 200 150 bg 30,30,30 disc 40,30,10 220,40,40
e2e_photo photos/img_002.png 200 150 bg 30,30,30 disc 52.5,47,10 220,40,40
e2e_photo photos/figure_fin.png 40 30 bg 10,200,10
e2e_donnees largeur=200 hauteur=150 zoom=3 fin=2
mkdir "$E2E_DOSSIER/$RESU_POINT"
e2e_lancer
e2e_attendre_ligne "init success"
[ "$(sed -n 2p "$E2E_DOSSIER/console.txt")" = "Pb pour ouvrir le fichier $RESU_POINT" ] ||
  e2e_echec "the failed open is not the second console line"
[ "$(e2e_nombre_debut "Pb pour ouvrir")" -eq 1 ] || e2e_echec "x or y file reported as not opened"
e2e_fenetre

photo=0
for centre in "40 30" "52 47"; do
  photo=$((photo + 1))
  set -- $centre
  e2e_glisser $(($1 - 15)) $(($2 - 15)) $(($1 + 15)) $(($2 + 15))
  e2e_attendre_ligne "Taille de is_select : 961" $photo
  e2e_tenir i "$I_LIGNE"
  e2e_clic "$1" "$2"
  e2e_attendre_debut "centre: x= " $photo
  e2e_tenir Return "Vue suivante"
  e2e_attendre_ligne "Image chargee" $((photo + 1))
done
[ "$(e2e_nombre_debut "Pb pour ")" -eq 1 ] || e2e_echec "a file named more than once, or the x or y file"
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"

[ -d "$E2E_DOSSIER/$RESU_POINT" ] && [ -z "$(ls -A "$E2E_DOSSIER/$RESU_POINT")" ] ||
  e2e_echec "the folder in the way was touched"
printf '40.0000000000;52.5000000000;' | cmp -s - "$E2E_DOSSIER/$RESU_X" || e2e_echec "x file: $(cat -A "$E2E_DOSSIER/$RESU_X")"
printf '30.0000000000;47.0000000000;' | cmp -s - "$E2E_DOSSIER/$RESU_Y" || e2e_echec "y file: $(cat -A "$E2E_DOSSIER/$RESU_Y")"
