#!/usr/bin/env bash
# The demo series in millimetres and seconds: a calibration file with a time
# interval (and a damaged line), then C and O set a scale and an origin on
# the console, refused once for two clicks on one pixel and once for a zero
# length. Five photos measured, photo 2 wrongly; the calibrated file is read
# with Python's csv module; photo 2 corrected (PAGE UP, RETURN) updates it at
# once; the picture of the motion renders with rsvg-convert.
source "$(dirname "$0")/lib.sh"
# its e2e_tenir: one more answer than before the press, so a hold the
# program answered twice (a loaded machine) does not shift later counts
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"
CALIBRE=donnees/resu_calibre.csv
(cd "$E2E_DOSSIER" && "$E2E_BUILD/trelune_demo" . >/dev/null) || e2e_echec "demo series not written"
printf 'intervalle 0.5\nechelle 0,5\n' >"$E2E_DOSSIER/donnees/calibration.txt"

# lire: the calibrated file's rows as "rang t x y ix iy vx vy unite unite_temps", through csv.
lire() {
  python3 - "$E2E_DOSSIER/$CALIBRE" <<'PY'
import csv, sys
with open(sys.argv[1], newline="") as f:
    brut = f.read()
assert brut.endswith("\r\n") and "\n" not in brut.replace("\r\n", ""), "lines must end with CR LF"
lignes = list(csv.reader(brut.splitlines(), delimiter=";"))
assert lignes[0] == "rang;photo;t;x;y;incertitude_x;incertitude_y;vx;vy;ax;ay;unite;unite_temps".split(";"), lignes[0]
for l in lignes[1:]:
    assert len(l) == 13, l
    print(l[0], l[2], l[3], l[4], l[5], l[6], l[7] or "-", l[8] or "-", l[11], l[12])
PY
}

e2e_lancer
e2e_attendre_ligne "Calibration : ligne 2 illisible, ignoree"
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_tenir c "Calibration : cliquez les deux extremites d'une longueur connue"
e2e_clic 230 185
e2e_clic 230 185
e2e_attendre_ligne "Calibration impossible : les deux extremites sont sur le meme pixel"
e2e_tenir c "Calibration : cliquez les deux extremites d'une longueur connue"
e2e_clic 230 185
e2e_clic 730 185
e2e_attendre_ligne "Longueur ? "
e2e_taper 0
e2e_attendre_ligne "Calibration impossible : longueur nulle"
e2e_tenir c "Calibration : cliquez les deux extremites d'une longueur connue"
e2e_clic 230 185
e2e_clic 730 185
e2e_attendre_ligne "Longueur ? " 2
e2e_taper "250,0"
e2e_attendre_ligne "Unite ? "
e2e_taper mm
e2e_attendre_ligne "Echelle : 0.25 mm par pixel"
e2e_tenir o "Calibration : cliquez l'origine des axes"
e2e_clic 180 614
e2e_attendre_ligne "Origine : 0.5 958.5"
grep -qx "intervalle 0.5" "$E2E_DOSSIER/donnees/calibration.txt" || e2e_echec "the interval left the calibration file"

demo_mesurer 1
e2e_tenir Return "nom_photo_complet photos/demo_002.png"
demo_mesurer 2 demi
e2e_tenir Return "nom_photo_complet photos/demo_003.png"
for n in 3 4 5; do
  demo_mesurer $n
  e2e_tenir Return "nom_photo_complet $(printf 'photos/demo_%03d.png' $((n + 1)))"
done
# verifier: every row within 0.01 mm of its true centre but photo 2 (WRONG: 1 when it is wrong)
verifier() {
  lire >"$E2E_DOSSIER/lignes.txt" || e2e_echec "calibrated file unreadable"
  LC_ALL=C awk -v faux="$1" '
    NR == FNR { split($0, c, ";"); vx[FNR] = 0.25 * (c[1] - 0.5); vy[FNR] = 0.25 * (958.5 - c[2]); next }
    {
      k = $1
      if ($2 != 0.5 * (k - 1) || $9 != "mm" || $10 != "s") { print "row " k ": " $0; bad = 1 }
      dx = $3 - vx[k]; dy = $4 - vy[k]
      loin = dx * dx + dy * dy > 1e-4
      if (loin != (k == 2 && faux)) { print "row " k " at " $3 ";" $4 ", true " vx[k] ";" vy[k]; bad = 1 }
      if (!($5 > 0 && $5 < 0.5 && $6 > 0 && $6 < 0.5)) { print "row " k " uncertainty " $5 " " $6; bad = 1 }
      if ($7 == "-") { print "row " k " without velocity"; bad = 1 }
      # 10 px a photo to the right: 2.5 mm in 0.5 s
      else if (!faux && ($7 < 4.5 || $7 > 5.5)) { print "row " k " vx " $7; bad = 1 }
    }
    END { if (k != 5) { print k " rows"; bad = 1 } exit bad }
  ' "$E2E_DOSSIER/photos/centres.txt" "$E2E_DOSSIER/lignes.txt" >&2 ||
    e2e_echec "calibrated rows: $(cat "$E2E_DOSSIER/lignes.txt")"
}
verifier 1
e2e_tenir Home "Photo 1/6 : photos/demo_001.png"
e2e_tenir Next "Photo 2/6 : photos/demo_002.png"
demo_mesurer 2
e2e_tenir Return "Photo 3/6 : photos/demo_003.png"
verifier 0
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"

rsvg-convert -o "$E2E_DOSSIER/mouvement.png" "$E2E_DOSSIER/donnees/mouvement.svg" ||
  e2e_echec "the picture of the motion does not render"
[ -s "$E2E_DOSSIER/mouvement.png" ] || e2e_echec "empty rendering of the picture of the motion"
if [ -n "${TRELUNE_E2E_GARDER_PNG:-}" ]; then cp "$E2E_DOSSIER/mouvement.png" "$TRELUNE_E2E_GARDER_PNG"; fi
grep -q "5 positions, 5 vitesses" "$E2E_DOSSIER/donnees/mouvement.svg" || e2e_echec "picture of the motion: $(tail -n 3 "$E2E_DOSSIER/donnees/mouvement.svg")"
