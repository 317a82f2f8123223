# The automatic run on a generated series with events, driven as an operator
# drives it, and what must hold whatever the tracking does: no record off the
# disc (farther than its radius from the true centre, or on a photo that
# hides it or has no file), and no stop before the series' first event.
# Source lib.sh and lib_mesure.sh first.
#
#   suivi_serie --pas 3.37 --photos 24 --occultation
#
# Photos of 640 x 480 shown whole at zoom 1, a disc of radius 20. Photo 1 is
# measured by hand, K turned on where the program has it, SPACE; at each stop
# one intervention (N on a hidden or missing photo; otherwise a zone drawn
# around the true centre clear of the second disc, I, a click on the disc,
# RETURN), then SPACE, up to the closing picture.

SUIVI_RAYON=20
SUIVI_CENTRES=photos/centres.txt

# suivi_ligne N FIELD: field FIELD (1 x, 2 y, 3 mark) of centres.txt's line N.
suivi_ligne() { awk -F';' -v n="$1" -v c="$2" 'NR == n { print $c }' "$E2E_DOSSIER/$SUIVI_CENTRES"; }

# suivi_zone N: "x0 y0 x1 y1 x y", the window corners of the operator's zone
# around photo N's disc (a radius and 60 % more each side, narrowed to keep
# the second disc out) and the window point of its centre. Zoom 1, the
# 640 x 480 photo centred in the 700 x 540 window.
suivi_zone() {
  local second=""
  [ -f "$E2E_DOSSIER/photos/second.txt" ] && second=$(sed -n "${1}p" "$E2E_DOSSIER/photos/second.txt")
  LC_ALL=C awk -F';' -v n="$1" -v r=$SUIVI_RAYON -v s="$second" 'NR == n {
    demi = 1.6 * r
    if (s != "") {
      split(s, b, ";")
      while (demi > r + 3) {
        dx = b[1] - $1; dx = (dx < 0 ? -dx : dx) - demi; if (dx < 0) dx = 0
        dy = b[2] - $2; dy = (dy < 0 ? -dy : dy) - demi; if (dy < 0) dy = 0
        if (dx * dx + dy * dy > (r + 2) * (r + 2)) break
        demi -= 1
      }
    }
    printf "%d %d %d %d %d %d\n", 30 + $1 - demi, 30 + $2 - demi, 30 + $1 + demi, 30 + $2 + demi, 30 + $1, 30 + $2
  }' "$E2E_DOSSIER/$SUIVI_CENTRES"
}

# suivi_mesurer N: S, the zone, I, a click on the disc, RETURN.
suivi_mesurer() {
  e2e_tenir s "$S_LIGNE"
  # shellcheck disable=SC2046 # the zone's six numbers
  e2e_selectionner $(suivi_zone "$1")
  e2e_tenir Return "Vue suivante"
}

# suivi_serie OPTIONS...: the series, the run to its end, the checks.
suivi_serie() {
  (cd "$E2E_DOSSIER" && "$E2E_BUILD/trelune_demo" . --taille 640x480 --rayon $SUIVI_RAYON --fenetre 700x540 \
    --zoom 3 "$@" >/dev/null) || e2e_echec "series $* not written"
  e2e_lancer
  e2e_attendre_ligne "init success"
  # the operator types nothing: with the console's input at its end, a
  # missing photo's pause lets the frames go on
  e2e_fermer_entree
  e2e_fenetre
  suivi_mesurer 1
  if grep -q "Photos cachees passees" "$E2E_TRELUNE"; then
    e2e_tenir k "Photos cachees passees : oui"
  fi
  local arrets=() photo raison
  while :; do
    e2e_tenir space "Suivi demarre"
    E2E_DELAI=120 e2e_attendre_debut "Suivi arrete : " $((${#arrets[@]} + 1))
    raison=$(grep '^Suivi arrete : ' "$E2E_DOSSIER/console.txt" | tail -n 1)
    [ "$raison" = "Suivi arrete : fin de la serie" ] && break
    photo=$(grep '^nom_photo_complet ' "$E2E_DOSSIER/console.txt" | tail -n 1 | sed 's/.*demo_0*\([0-9]*\)\.png/\1/')
    arrets+=("$photo")
    [ "${#arrets[@]}" -le 12 ] || e2e_echec "more than 12 stops: ${arrets[*]}"
    if [ -n "$(suivi_ligne "$photo" 3)" ]; then
      e2e_tenir n "Vue suivante"
    else
      suivi_mesurer "$photo"
    fi
  done
  e2e_arreter
  echo "stops: ${arrets[*]:-none}"
  suivi_verifier "${arrets[@]}"
}

# suivi_verifier STOP...: the records against the true centres, the stops
# against the first event.
suivi_verifier() {
  local premier
  premier=$(head -n 1 "$E2E_DOSSIER/photos/evenements.txt" 2>/dev/null | cut -d';' -f1)
  for photo in "$@"; do
    [ -n "$premier" ] && [ "$photo" -ge "$premier" ] ||
      e2e_echec "the run stopped on photo $photo, before any event (first: ${premier:-none})"
  done
  LC_ALL=C awk -F';' -v r=$SUIVI_RAYON '
    NR == FNR { vx[FNR] = $1; vy[FNR] = $2; marque[FNR] = $3; next }
    FNR > 1 && $3 == 1 {
      n = $2; sub(/.*demo_0*/, "", n); sub(/\.png$/, "", n)
      if (marque[n] != "") { print "photo " n " (" marque[n] ") recorded at " $4 ";" $5; bad = 1 }
      else if ((dx = $4 - vx[n]) * dx + (dy = $5 - vy[n]) * dy > r * r) {
        print "photo " n " recorded at " $4 ";" $5 ", true centre " vx[n] ";" vy[n]; bad = 1
      }
    }
    END { exit bad }
  ' "$E2E_DOSSIER/$SUIVI_CENTRES" "$E2E_DOSSIER/donnees/resu_detail.csv" >&2 || e2e_echec "records off the disc"
}
