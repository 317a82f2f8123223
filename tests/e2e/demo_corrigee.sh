#!/usr/bin/env bash
# The demo series corrected as an operator would: six photos measured, photo
# 2 measured wrongly on purpose (half the disc), then shown again and
# measured right, photo 4 passed with N, SPACE from photo 5 to the end; the
# window closed, the program started again and F: the four files and the
# picture of the run hold the corrected run, every record at its photo's true
# centre.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"
DETAIL=donnees/resu_detail.csv
lecteur="$(dirname "$0")/../outils/lire_detail.py"
(cd "$E2E_DOSSIER" && "$E2E_BUILD/trelune_demo" . >/dev/null) || e2e_echec "demo series not written"
photos=$(wc -l <"$E2E_DOSSIER/photos/centres.txt")

suivante() { e2e_tenir Return "nom_photo_complet $(printf 'photos/demo_%03d.png' "$1")"; }

e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
demo_mesurer 1
suivante 2
demo_mesurer 2 demi                   # the wrong record
suivante 3
for n in 3 4 5 6; do
  demo_mesurer $n
  suivante $((n + 1))
done
e2e_tenir Home "Photo 1/7 : photos/demo_001.png"
e2e_tenir Next "Photo 2/7 : photos/demo_002.png"
demo_mesurer 2
e2e_tenir Return "Photo 3/7 : photos/demo_003.png"
e2e_tenir Next "Photo 4/7 : photos/demo_004.png"
e2e_tenir n "Photo 5/7 : photos/demo_005.png"
e2e_tenir space "Suivi demarre"
e2e_attendre_ligne "Suivi arrete : fin de la serie"
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
mkdir -p "$E2E_DOSSIER/premier"
cp "$E2E_DOSSIER"/donnees/resu_* "$E2E_DOSSIER"/donnees/trajectoire.svg "$E2E_DOSSIER/premier/"

# started again: F brings the corrected run back
e2e_relancer 1
e2e_tenir f "Reprise de $photos photos"
for f in "$E2E_DOSSIER"/premier/resu_*; do
  cmp -s "$f" "$E2E_DOSSIER/donnees/${f##*/}" || e2e_echec "${f##*/} is not the corrected run's after F"
done
e2e_arreter

python3 "$lecteur" "$E2E_DOSSIER/$DETAIL" "$E2E_DOSSIER/donnees" || e2e_echec "detail and result files disagree"
python3 "$lecteur" "$E2E_DOSSIER/$DETAIL" |
  python3 -c 'import json, sys
for r in json.load(sys.stdin)[1:]: print(r[0], r[2], r[3] or "-", r[4] or "-", r[19])' >"$E2E_DOSSIER/lignes.txt"
# rows 1 to 3 by hand, 4 passed, the others proposals; each record within 0.01 of its true centre
LC_ALL=C awk -F'[ ;]' '
  NR == FNR { vx[FNR] = $1; vy[FNR] = $2; next }
  {
    k = $1
    origine = k <= 3 ? "manuel" : k == 4 ? "saute" : "propose"
    if ($5 != origine) { print "row " k " origin " $5; bad = 1 }
    if (k == 4) { if ($2 != 0) { print "row 4 recorded"; bad = 1 }; next }
    if ($2 != 1) { print "row " k " not recorded"; bad = 1 }
    else if ((d = $3 - vx[k]) * d > 1e-4 || (d = $4 - vy[k]) * d > 1e-4) { print "row " k " at " $3 ";" $4 ", not " vx[k] ";" vy[k]; bad = 1 }
  }
  END { if (k != 12) { print k " rows"; bad = 1 } exit bad }
' "$E2E_DOSSIER/photos/centres.txt" "$E2E_DOSSIER/lignes.txt" >&2 || e2e_echec "rows: $(cat "$E2E_DOSSIER/lignes.txt")"
grep -q "Trajectoire, centres enregistres : $((photos - 1))<" "$E2E_DOSSIER/premier/trajectoire.svg" ||
  e2e_echec "the picture of the run does not hold $((photos - 1)) centres"
