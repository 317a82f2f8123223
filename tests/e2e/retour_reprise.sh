#!/usr/bin/env bash
# The records tied to their photos: a RETURN with nothing selected, three
# photos measured, two step backs and the photo recorded again, the four
# files byte for byte what they were at every step and the detail file read
# back by a CSV reader; then a run stopped at its fourth photo, started again
# and resumed with F: the four files equal their copies and the fourth photo
# is shown.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"

DETAIL=donnees/resu_detail.csv
fond=30,30,30
e2e_photo photos/img_001.png 200 150 bg $fond disc 100,75,10 220,40,40
e2e_photo photos/img_002.png 200 150 bg $fond disc 40,30,10 220,40,40
e2e_photo photos/img_003.png 200 150 bg $fond disc 52.5,47,10 220,40,40
e2e_photo photos/img_004.png 200 150 bg $fond disc 71,33.5,10 220,40,40
e2e_photo photos/img_005.png 200 150 bg $fond disc 90,60,10 220,40,40
e2e_photo photos/figure_fin.png 400 300 bg 10,200,10
e2e_donnees largeur=200 hauteur=150 zoom=3 fin=5

# etat NAME: keeps the four files as they are now under NAME.
etat() {
  mkdir -p "$E2E_DOSSIER/etats/$1"
  cp "$E2E_DOSSIER"/{$RESU_POINT,$RESU_X,$RESU_Y,$DETAIL} "$E2E_DOSSIER/etats/$1/"
}
# egal NAME: the four files are byte for byte those kept under NAME.
egal() {
  local f
  for f in $RESU_POINT $RESU_X $RESU_Y $DETAIL; do
    cmp -s "$E2E_DOSSIER/etats/$1/${f#donnees/}" "$E2E_DOSSIER/$f" ||
      e2e_echec "$f differs from state $1: $(cat -A "$E2E_DOSSIER/$f" | tail -n 3)"
  done
}
avancer() {  # PHOTO: RETURN, up to the next photo's name
  e2e_tenir Return "Vue suivante"
  e2e_attendre_ligne "nom_photo_complet $1" $(($(e2e_nombre_lignes "nom_photo_complet $1") + 0))
}
reculer() {  # PHOTO: BACKSPACE, back to that photo
  local avant
  avant=$(e2e_nombre_lignes "nom_photo_complet $1")
  e2e_tenir BackSpace "Retour a la photo precedente"
  e2e_attendre_ligne "nom_photo_complet $1" $((avant + 1))
}

e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_souris 100 75
e2e_tenir BackSpace "Pas de photo precedente"
etat 0
[ "$(cat -A "$E2E_DOSSIER/$DETAIL")" = "$(printf '%s^M$' "rang;photo;ecrit;x;y;pixels;repete;zone_x0;zone_y0;zone_x1;zone_y1;rouge;vert;bleu;tol_rouge;tol_vert;tol_bleu;ecart_type_x;ecart_type_y;origine")" ] ||
  e2e_echec "detail header: $(cat -A "$E2E_DOSSIER/$DETAIL")"

e2e_tenir Return "Vue suivante"            # photo 1: nothing selected
e2e_attendre_ligne "nom_photo_complet photos/img_002.png"
etat 1
e2e_mesurer_disque 40 30 "centre: x= 40 y= 30"
avancer photos/img_003.png
etat 2
e2e_mesurer_disque 52 47 "centre: x= 52.5 y= 47"
avancer photos/img_004.png
etat 3
e2e_mesurer_disque 71 33 "centre: x= 71 y= 33.5"
avancer photos/img_005.png
etat 4

reculer photos/img_004.png
egal 3
reculer photos/img_003.png
egal 2
# the selection came back as it was: one RETURN records it again, unchanged
e2e_tenir Return "Vue suivante"
e2e_attendre_ligne "nom_photo_complet photos/img_004.png" 2
egal 3
e2e_mesurer_disque 71 33 "centre: x= 71 y= 33.5"
avancer photos/img_005.png
egal 4
e2e_tenir f "Reprise impossible : la serie a deja avance"

lecteur="$(dirname "$0")/../outils/lire_detail.py"
python3 "$lecteur" "$E2E_DOSSIER/$DETAIL" "$E2E_DOSSIER/donnees" || e2e_echec "detail and result files disagree"
# rang photo ecrit x y pixels repete origine, as the CSV reader gives them
cat >"$E2E_DOSSIER/lignes_attendues.txt" <<'FIN'
1 photos/img_001.png 0   0 1 aucun
2 photos/img_002.png 1 40.0000000000 30.0000000000 316 0 manuel
3 photos/img_003.png 1 52.5000000000 47.0000000000 312 0 manuel
4 photos/img_004.png 1 71.0000000000 33.5000000000 312 0 manuel
FIN
python3 "$lecteur" "$E2E_DOSSIER/$DETAIL" |
  python3 -c 'import json, sys
for r in json.load(sys.stdin)[1:]: print(*(r[i] for i in (0, 1, 2, 3, 4, 5, 6, 19)))' |
  diff "$E2E_DOSSIER/lignes_attendues.txt" - >&2 || e2e_echec "detail rows differ"

# Back to the fourth photo, stopped there, started again: F brings the run
# back from the copies the new start made.
reculer photos/img_004.png
egal 3
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
e2e_relancer 1
e2e_souris 100 75
for f in $RESU_POINT $RESU_X $RESU_Y $DETAIL; do
  cmp -s "$E2E_DOSSIER/etats/3/${f#donnees/}" "$E2E_DOSSIER/$f.bak" || e2e_echec "$f.bak is not the first run's"
done
e2e_tenir f "Reprise de 3 photos"
e2e_attendre_ligne "nom_photo_complet photos/img_004.png"
e2e_attendre_ligne "Image chargee"
for f in $RESU_POINT $RESU_X $RESU_Y $DETAIL; do
  cmp -s "$E2E_DOSSIER/$f.bak" "$E2E_DOSSIER/$f" || e2e_echec "$f is not its copy after the resume"
done
# a step back works on a resumed row: its record goes
reculer photos/img_003.png
egal 2
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
