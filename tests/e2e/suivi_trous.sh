#!/usr/bin/env bash
# The automatic run over gaps, on a disc moving 9.3 by 2.7 pixels a photo:
# a missing photo gets an "absente" row and the run goes on across it; three
# photos where the disc is hidden stop the run (its stop shown in the strip,
# H off, until the next key) until K lets it pass them with N's row; three
# missing photos in a row stop it. Every record is the disc's exact centre,
# and F reads such a run back.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"
lecteur="$(dirname "$0")/../outils/lire_detail.py"

fond=30,30,30
centre() { LC_ALL=C awk -v k="$1" 'BEGIN { printf "%.1f,%.1f", 30 + 9.3 * (k - 1), 60 + 2.7 * (k - 1) }'; }
for k in $(seq 1 16); do
  case $k in
    4 | 13 | 14 | 15) ;;                                                             # missing
    7 | 8 | 9) e2e_photo "$(printf 'photos/img_%03d.png' "$k")" 200 150 bg $fond ;;  # hidden
    *) e2e_photo "$(printf 'photos/img_%03d.png' "$k")" 200 150 bg $fond disc "$(centre "$k"),8" 220,40,40 ;;
  esac
done
e2e_photo photos/figure_fin.png 400 300 bg 10,200,10
e2e_donnees largeur=200 hauteur=150 zoom=3 fin=16

e2e_lancer
e2e_fermer_entree  # a missing photo shown then never waits for a number
e2e_attendre_ligne "init success"
e2e_fenetre
# photo 1 by hand: a zone around the disc, I, a click on it, RETURN
e2e_glisser 10 40 50 80
e2e_attendre_motif "^Taille de is_select : "
e2e_tenir i "$I_LIGNE"
e2e_clic 30 60
e2e_attendre_motif "^centre: "
e2e_tenir Return "Vue suivante"
e2e_attendre_ligne "nom_photo_complet photos/img_002.png"

# K off: the hidden disc stops the run on photo 7, the strip says so
e2e_tenir space "Suivi demarre"
e2e_attendre_ligne "Suivi arrete : proposition douteuse"
[ "$(e2e_nombre_lignes "Suivi douteux : rien de selectionne dans la zone")" -eq 1 ] || e2e_echec "not one doubt"
[ "$(grep '^nom_photo_complet ' "$E2E_DOSSIER/console.txt" | tail -n 1)" = "nom_photo_complet photos/img_007.png" ] ||
  e2e_echec "not stopped on photo 7"
e2e_attendre_pixel 2 148 10,10,10   # the photo's 30,30,30 under the strip's dark band
e2e_tenir k "Photos cachees passees : oui"
e2e_attendre_pixel 2 148 30,30,30   # a key: the stop and its strip go

# K on: photos 7 to 9 passed, 10 to 12 measured, 13 and 14 missing, the third
# missing photo stops the run
e2e_tenir space "Suivi demarre" 2
e2e_attendre_ligne "Suivi arrete : photos absentes"
e2e_attendre_pixel 2 148 0,50,0     # no photo: the window's 0,150,0 under the band
python3 "$lecteur" "$E2E_DOSSIER/donnees/resu_detail.csv" "$E2E_DOSSIER/donnees" || e2e_echec "detail and result files disagree"
python3 - "$E2E_DOSSIER/donnees/resu_detail.csv" <<'PY' || e2e_echec "detail rows"
import csv, sys
lignes = list(csv.reader(open(sys.argv[1], newline=""), delimiter=";"))[1:]
attendu = ["manuel", "propose", "propose", "absente", "propose", "propose", "saute", "saute", "saute",
           "propose", "propose", "propose", "absente", "absente"]
origines = [l[19] for l in lignes]
if origines != attendu:
    sys.exit("origines %s" % origines)
for l in lignes:
    k = int(l[0])
    if l[2] != "1":
        continue
    # the disc's pixels as trelune_photo_disque draws them, their centre exact
    cx, cy = 30 + 9.3 * (k - 1), 60 + 2.7 * (k - 1)
    pixels = [(c + 0.5, r + 0.5) for c in range(200) for r in range(150)
              if (c + 0.5 - cx) ** 2 + (r + 0.5 - cy) ** 2 <= 64]
    x = sum(p[0] for p in pixels) / len(pixels)
    y = sum(p[1] for p in pixels) / len(pixels)
    if abs(float(l[3]) - x) > 1e-6 or abs(float(l[4]) - y) > 1e-6:
        sys.exit("photo %d at %s;%s, not %.10f;%.10f" % (k, l[3], l[4], x, y))
PY
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"

# F reads the run back, its absente rows as passed photos: on to photo 15
e2e_lancer
e2e_fermer_entree
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_tenir f "Reprise de 14 photos"
e2e_attendre_ligne "nom_photo_complet photos/img_015.png"
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
