#!/usr/bin/env bash
# A failing disk never misaligns a record. A result file made unwritable
# during an automatic run is named once, misses records, takes no later one,
# and is caught up at the first advance after it is writable again. The
# detail file refusing its row keeps the photo shown until RETURN works. A
# step back whose cut is refused changes no file. A full disk (a small
# tmpfs) costs the picture of the run, the calibrated file, the picture of
# the motion and F their writes, named with their reason once, and their
# return once when space is back. Needs root (chattr, mount):
# skipped otherwise.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"
DETAIL=donnees/resu_detail.csv
lecteur="$(dirname "$0")/../outils/lire_detail.py"

: >"$E2E_DOSSIER/sonde"
if [ "$(id -u)" != 0 ] || ! chattr +i "$E2E_DOSSIER/sonde" 2>/dev/null; then
  echo "needs root and a file system with chattr: skipped"
  exit 77
fi
chattr -i "$E2E_DOSSIER/sonde"
# a file left immutable or a tmpfs left mounted would outlive the folder
liberer() {
  chattr -i -a "$E2E_DOSSIER"/donnees/resu_* 2>/dev/null || true
  if mountpoint -q "$E2E_DOSSIER/donnees"; then umount "$E2E_DOSSIER/donnees" || true; fi
}
trap 'code=$?; liberer; (exit $code); e2e_nettoyer' EXIT

# 12 photos of a red disc moving 4 pixels a photo, that jumps at photo 8:
# the automatic run stops there in doubt.
centre() { if [ "$1" -lt 8 ]; then echo "$((36 + 4 * $1)) 40"; else echo "$((100 + 4 * $1)) 110"; fi; }
for n in $(seq 1 12); do
  set -- $(centre "$n")
  e2e_photo "$(printf 'photos/img_%03d.png' "$n")" 200 150 bg 30,30,30 disc "$1,$2,10" 220,40,40
done
e2e_photo photos/figure_fin.png 40 30 bg 10,200,10
e2e_donnees largeur=200 hauteur=150 zoom=3 fin=12

# plus_un LINE: the count LINE must reach after the next action.
plus_un() { echo $(($(e2e_nombre_lignes "$1") + 1)); }
# mesurer N: photo N measured by hand (zone, I, click) and RETURN pressed.
mesurer() {
  set -- $(centre "$1")
  e2e_tenir s "$S_LIGNE"
  e2e_selectionner $(($1 - 10)) $(($2 - 10)) $(($1 + 10)) $(($2 + 10)) "$1" "$2"
}
# en_phase ROWS: the four files hold ROWS detail rows, every record of a row
# in the three result files, in order, and nothing else.
en_phase() {
  python3 "$lecteur" "$E2E_DOSSIER/$DETAIL" "$E2E_DOSSIER/donnees" || e2e_echec "detail and result files disagree"
  local lignes
  lignes=$(python3 "$lecteur" "$E2E_DOSSIER/$DETAIL" | python3 -c 'import json, sys; print(len(json.load(sys.stdin)) - 1)')
  [ "$lignes" -eq "$1" ] || e2e_echec "$lignes detail rows, not $1"
}
copier() { mkdir -p "$E2E_DOSSIER/$1" && cp "$E2E_DOSSIER"/donnees/resu_* "$E2E_DOSSIER/$1/"; }
inchanges() {
  for f in "$E2E_DOSSIER/$1"/*; do
    cmp -s "$f" "$E2E_DOSSIER/donnees/${f##*/}" || e2e_echec "${f##*/} changed by $2"
  done
}

e2e_lancer
e2e_attendre_ligne "init success"
e2e_fermer_entree
e2e_fenetre
mesurer 1
e2e_tenir Return "Vue suivante" 1

# The x file refuses every write during the run: named once, out of step.
chattr +i "$E2E_DOSSIER/$RESU_X"
e2e_tenir space "Suivi demarre"
e2e_attendre_ligne "Suivi arrete : proposition douteuse"
[ "$(e2e_nombre_lignes "Pb pour ecrire dans le fichier $RESU_X")" -eq 1 ] || e2e_echec "x file not named once"
[ "$(e2e_nombre_debut "Pb pour ")" -eq 1 ] || e2e_echec "another file named"
python3 "$lecteur" "$E2E_DOSSIER/$DETAIL" "$E2E_DOSSIER/donnees" 2>/dev/null && e2e_echec "x file in step"
chattr -i "$E2E_DOSSIER/$RESU_X"

# The detail file refuses its row: the photo stays, RETURN tries again.
chattr +i "$E2E_DOSSIER/$DETAIL"
mesurer 8
e2e_tenir Return "Vue suivante impossible : fichier $DETAIL : ecriture refusee"
[ "$(e2e_nombre_lignes "Vue suivante")" -eq 7 ] || e2e_echec "an advance happened without its detail row"
chattr -i "$E2E_DOSSIER/$DETAIL"
e2e_tenir Return "Vue suivante" 8
e2e_attendre_ligne "Fichier $RESU_X de nouveau a jour"
e2e_attendre_ligne "Fichier $DETAIL de nouveau a jour"
en_phase 8
# photo 9 by hand too: the run predicts from the last step
mesurer 9
e2e_tenir Return "Vue suivante"
e2e_tenir space "Suivi demarre"
e2e_attendre_ligne "Suivi arrete : fin de la serie"
en_phase 12

# A step back whose cut is refused changes none of the four files.
copier avant_retour
chattr +a "$E2E_DOSSIER/$RESU_Y"
e2e_tenir BackSpace "Retour impossible : fichier $RESU_Y : ecriture refusee"
inchanges avant_retour "a refused step back"
chattr -a "$E2E_DOSSIER/$RESU_Y"
e2e_tenir BackSpace "Retour a la photo precedente"
en_phase 11
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
[ "$(e2e_nombre_debut "Pb pour ")" -eq 2 ] || e2e_echec "a failure named twice, or one not named"

# A full disk: the folder is a small tmpfs holding the parameters and the
# run's copies; the picture and F fail with the reason, then work.
copier premier_run
mount -t tmpfs -o size=256k tmpfs "$E2E_DOSSIER/donnees" || { echo "no tmpfs: rest skipped"; exit 0; }
cp "$E2E_DOSSIER/premier_run"/* "$E2E_DOSSIER/donnees/"
e2e_donnees largeur=200 hauteur=150 zoom=3 fin=12
e2e_relancer plein
copier au_depart
dd if=/dev/zero of="$E2E_DOSSIER/donnees/plein" bs=4k 2>/dev/null || true
e2e_tenir f "Reprise impossible : fichier $RESU_POINT : disque plein"
inchanges au_depart "a refused resume"
rm "$E2E_DOSSIER/donnees/plein"
e2e_tenir f "Reprise de 11 photos"
en_phase 11
dd if=/dev/zero of="$E2E_DOSSIER/donnees/plein" bs=4k 2>/dev/null || true
mesurer 12
e2e_tenir Return "Pb pour ecrire l'image du parcours donnees/trajectoire.svg : disque plein"
# the calibrated file and the picture of the motion, with no calibration too
e2e_attendre_ligne "Pb pour ecrire le fichier calibre donnees/resu_calibre.csv : disque plein"
e2e_attendre_ligne "Pb pour ecrire l'image du mouvement donnees/mouvement.svg : disque plein"
rm "$E2E_DOSSIER/donnees/plein"
e2e_tenir BackSpace "Image du parcours donnees/trajectoire.svg de nouveau a jour"
e2e_attendre_ligne "Fichier calibre donnees/resu_calibre.csv de nouveau a jour"
e2e_attendre_ligne "Image du mouvement donnees/mouvement.svg de nouveau a jour"
en_phase 11
[ -s "$E2E_DOSSIER/donnees/trajectoire.svg" ] || e2e_echec "no picture"
grep -q "^11;" "$E2E_DOSSIER/donnees/resu_calibre.csv" || e2e_echec "calibrated file not caught up"
[ -s "$E2E_DOSSIER/donnees/mouvement.svg" ] || e2e_echec "no picture of the motion"
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
for ligne in "Pb pour ecrire le fichier calibre" "Pb pour ecrire l'image du mouvement" "Fichier calibre" \
  "Image du mouvement"; do
  [ "$(e2e_nombre_debut "$ligne")" -eq 1 ] || e2e_echec "\"$ligne\" not printed once"
done
