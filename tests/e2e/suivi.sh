#!/usr/bin/env bash
# The automatic run on the demo series: photo 1 measured by hand and
# recorded, SPACE, and the run goes to the closing picture on its own, every
# photo recorded at its true centre from a proposal. On the harder series
# the run stops in doubt on the jump photo, every photo before it recorded.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"
DETAIL=donnees/resu_detail.csv
lecteur="$(dirname "$0")/../outils/lire_detail.py"

# fenetre_x X / fenetre_y Y: a photo point in the window (zoom 0.5, offset).
fenetre_x() { LC_ALL=C awk -v v="$1" 'BEGIN { printf "%d", 180 + v / 2 }'; }
fenetre_y() { LC_ALL=C awk -v v="$1" 'BEGIN { printf "%d", 135 + v / 2 }'; }

# premiere_mesure: zone around the disc of photo 1, I, click on its centre,
# RETURN: photo 1 recorded, photo 2 shown.
premiere_mesure() {
  local x y
  IFS=';' read -r x y < <(head -n 1 "$E2E_DOSSIER/photos/centres.txt")
  x=$(fenetre_x "$x")
  y=$(fenetre_y "$y")
  e2e_selectionner $((x - 32)) $((y - 32)) $((x + 32)) $((y + 32)) "$x" "$y"
  e2e_tenir Return "Vue suivante"
  e2e_attendre_ligne "nom_photo_complet photos/demo_002.png"
}

# lignes: the detail rows as "rang ecrit x y origine", header left out.
lignes() {
  python3 "$lecteur" "$E2E_DOSSIER/$DETAIL" "$E2E_DOSSIER/donnees" || e2e_echec "detail and result files disagree"
  python3 "$lecteur" "$E2E_DOSSIER/$DETAIL" |
    python3 -c 'import json, sys
for r in json.load(sys.stdin)[1:]: print(r[0], r[2], r[3] or "-", r[4] or "-", r[19])'
}

# verifier N: N rows, each recorded within 0.01 of its true centre, the first
# by hand and the others from proposals.
verifier() {
  lignes >"$E2E_DOSSIER/lignes.txt"
  LC_ALL=C awk -v n="$1" -F'[ ;]' '
    NR == FNR { vx[FNR] = $1; vy[FNR] = $2; next }
    {
      ++k
      if ($2 != 1) { print "row " $1 " not recorded"; bad = 1 }
      else if ((d = $3 - vx[k]) * d > 1e-4 || (d = $4 - vy[k]) * d > 1e-4) { print "row " $1 " at " $3 ";" $4 ", not " vx[k] ";" vy[k]; bad = 1 }
      if ($5 != (k == 1 ? "manuel" : "propose")) { print "row " $1 " origin " $5; bad = 1 }
    }
    END { if (k != n) { print k " rows, not " n; bad = 1 } exit bad }
  ' "$E2E_DOSSIER/photos/centres.txt" "$E2E_DOSSIER/lignes.txt" >&2 || e2e_echec "detail rows: $(cat "$E2E_DOSSIER/lignes.txt")"
}

# The plain series, to its end.
(cd "$E2E_DOSSIER" && "$E2E_BUILD/trelune_demo" . >/dev/null) || e2e_echec "demo series not written"
photos=$(wc -l <"$E2E_DOSSIER/photos/centres.txt")
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
premiere_mesure
e2e_tenir space "Suivi demarre"
e2e_attendre_ligne "Suivi arrete : fin de la serie"
[ "$(e2e_nombre_debut "Suivi douteux : ")" -eq 0 ] || e2e_echec "a doubt on the plain series"
verifier "$photos"
# SPACE from a past photo: each photo's proposal, made from the photo before
# it, replaces its record; the same centres give the same files, byte for byte.
mkdir -p "$E2E_DOSSIER/avant"
cp "$E2E_DOSSIER"/donnees/resu_* "$E2E_DOSSIER/avant/"
e2e_tenir Home "Photo 1/$((photos + 1)) : photos/demo_001.png"
e2e_tenir Next "Photo 2/$((photos + 1)) : photos/demo_002.png"
e2e_tenir space "Suivi demarre"
e2e_attendre_ligne "Suivi arrete : fin de la serie" 2
[ "$(e2e_nombre_debut "Photo $photos corrigee : ")" -eq 1 ] || e2e_echec "photo $photos not corrected by the run"
for f in "$E2E_DOSSIER"/avant/*; do
  cmp -s "$f" "$E2E_DOSSIER/donnees/${f##*/}" || e2e_echec "${f##*/} changed by the run from a past photo"
done
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"

# The harder series: the doubt stops it on the jump photo.
e2e_fermer_entree
rm -rf "$E2E_DOSSIER/photos" "$E2E_DOSSIER/donnees"
mkdir -p "$E2E_DOSSIER/donnees"
: >"$E2E_DOSSIER/console.txt"
(cd "$E2E_DOSSIER" && "$E2E_BUILD/trelune_demo" --difficile . >/dev/null) || e2e_echec "harder series not written"
saut=$(cat "$E2E_DOSSIER/photos/saut.txt")
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
premiere_mesure
e2e_tenir space "Suivi demarre"
e2e_attendre_ligne "Suivi arrete : proposition douteuse"
[ "$(e2e_nombre_debut "Suivi douteux : ")" -eq 1 ] || e2e_echec "not one doubt"
vue=$(grep '^nom_photo_complet ' "$E2E_DOSSIER/console.txt" | tail -n 1)
[ "$vue" = "$(printf 'nom_photo_complet photos/demo_%03d.png' "$saut")" ] || e2e_echec "stopped on '$vue', not photo $saut"
verifier $((saut - 1))
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
