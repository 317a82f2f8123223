# Helpers of the measuring scripts, on top of lib.sh (source that first):
# holding a key until the program answers, counting console lines by their
# start, and the expected bytes of the three result files.

I_LIGNE="Ajouter a la selection par couleurs similaires"
RESU_POINT=donnees/resu_point.txt
RESU_X=donnees/resu_point_orbelan_x.txt
RESU_Y=donnees/resu_point_orbelan_y.txt

# e2e_nombre_debut TEXT: how many console lines start with TEXT.
e2e_nombre_debut() { cut -c "1-${#1}" "$E2E_DOSSIER/console.txt" 2>/dev/null | grep -cxF -- "$1" || true; }

# e2e_attendre_debut TEXT COUNT: waits until COUNT console lines start with TEXT.
e2e_attendre_debut() {
  local limite=$((SECONDS + E2E_DELAI))
  until [ "$(e2e_nombre_debut "$1")" -ge "$2" ]; do
    [ "$SECONDS" -lt "$limite" ] || e2e_echec "no console line starting '$1' (x$2)"
    kill -0 "$E2E_PID" 2>/dev/null || [ "$(e2e_nombre_debut "$1")" -ge "$2" ] ||
      e2e_echec "program ended before '$1' (x$2)"
    sleep 0.02
  done
}

# e2e_tenir KEY TEXT: holds KEY down until the program has written one more
# TEXT line, then lets it go. A key is sampled once per frame: waiting for its
# answer is both the shortest and the safest press.
e2e_tenir() {
  local avant
  avant=$(e2e_nombre_lignes "$2")
  xdotool keydown "$1"
  e2e_attendre_ligne "$2" $((avant + 1))
  xdotool keyup "$1"
}

# resu_attendus FILE: reads "x y" centres (one a line, exact decimal values)
# and writes the three expected result files beside FILE: FILE.point,
# FILE.x and FILE.y, in the result files' byte formats.
resu_attendus() {
  LC_ALL=C awk -v point="$1.point" -v fx="$1.x" -v fy="$1.y" '
    BEGIN { printf "" >point; printf "" >fx; printf "" >fy }
    { printf "%.10f;%.10f\r\n", $1, $2 >point; printf "%.10f;", $1 >fx; printf "%.10f;", $2 >fy }
  ' "$1"
}

# resu_comparer PREFIX [SUFFIX]: the three result files (with SUFFIX added to
# their names) equal PREFIX.point, .x and .y.
resu_comparer() {
  local attendu fichier paire
  for paire in "point:$RESU_POINT" "x:$RESU_X" "y:$RESU_Y"; do
    attendu="$1.${paire%%:*}"
    fichier="$E2E_DOSSIER/${paire#*:}${2:-}"
    cmp -s "$attendu" "$fichier" ||
      e2e_echec "${paire#*:} differs: expected $(od -c "$attendu" | head -n 3), got $(od -c "$fichier" | head -n 3)"
  done
}
