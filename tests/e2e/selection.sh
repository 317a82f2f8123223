#!/usr/bin/env bash
# The operator's selection flow on a photo the size of the window at zoom 1,
# so a window point is the photo pixel of the same coordinates: a zone drag,
# a colour click on the disc, a remove drag over half of it, and tolerances
# typed on the console that change what the next colour click takes. Every
# centre line is checked byte for byte against the centre of the known disc
# pixels, worked out here.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

W=200 H=160
CX=60 CY=70 RAYON=20
FOND=190,30,30 DISQUE=200,30,30   # red 10 apart: a red tolerance of 10 or more takes both
e2e_photo photos/img_001.png $W $H bg $FOND disc $CX,$CY,$RAYON $DISQUE
e2e_donnees largeur=$W hauteur=$H zoom=3 tolerances="5 30 30" max=5000

# e2e_centre X0 Y0 X1 Y1 GARDER [RX0 RY0 RX1 RY1]: the centre line of the zone
# pixels kept by GARDER (disque: the disc's, fond: the background's, tout:
# all), less those in the removed rectangle; pixel (c, r) is in the disc by
# the photo tool's own rule. The doubles as the console prints them (%.6g).
e2e_centre() {
  awk -v x0="$1" -v y0="$2" -v x1="$3" -v y1="$4" -v garder="$5" \
    -v rx0="${6:-1}" -v ry0="${7:-1}" -v rx1="${8:-0}" -v ry1="${9:-0}" \
    -v cx=$CX -v cy=$CY -v rayon=$RAYON 'BEGIN {
      for (r = y0; r <= y1; ++r) for (c = x0; c <= x1; ++c) {
        dx = c + 0.5 - cx; dy = r + 0.5 - cy
        disque = dx * dx + dy * dy <= rayon * rayon
        if (garder == "disque" && !disque) continue
        if (garder == "fond" && disque) continue
        if (rx0 <= c && c <= rx1 && ry0 <= r && r <= ry1) continue
        n++; sx += c + 0.5; sy += r + 0.5
      }
      printf "centre: x= %.6g y= %.6g\n", sx / n, sy / n
    }'
}

# e2e_mode KEY LINE: a sub-mode key, held until the program has shown it.
e2e_mode() {
  local avant
  avant=$(e2e_nombre_lignes "$2")
  e2e_tenir "$1" "$2" $((avant + 1))
}

# e2e_tolerance PROMPT REPLY: R held until its prompt shows, released, then
# the reply typed; the program is blocked on the read meanwhile, so it sees
# the key up before its next frame.
e2e_tolerance() {
  local avant
  avant=$(e2e_nombre_lignes "$1")
  xdotool keydown r
  e2e_attendre_ligne "$1" $((avant + 1))
  xdotool keyup r
  e2e_taper "$2"
}

ZONE="Couleurs voisines : selectionner la zone de trelune avec la souris : diagonale cliquer-glisser gauche"
COULEURS="Ajouter a la selection par couleurs similaires"
RETRAIT="Retirer de la selection avec la souris : diagonale cliquer-glisser gauche"
ROUGE="Couleurs voisines : tolerance sur le rouge ? ("

e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
grep -qx "photo : x_source = 0 larg = $W y = 0 haut = $H" "$E2E_DOSSIER/console.txt" ||
  e2e_echec "the photo does not fill the window"
e2e_souris 5 5   # keys go to the window under the pointer

# The zone sub-mode is the first one: drag from (30, 40) to (90, 100) makes
# columns 30..90 and rows 40..100, 61 x 61 entries (60 x 60 <= 5000).
e2e_glisser 30 40 90 100
e2e_attendre_ligne "Taille de is_select : 3721"

# The colour click on the disc: tolerance 5 on red keeps the background out.
e2e_mode i "$COULEURS"
attendu=$(e2e_centre 30 40 90 100 disque)
[ "$attendu" = "centre: x= 60 y= 70" ] || e2e_echec "the disc's own centre is $attendu"
e2e_clic $CX $CY
e2e_attendre_ligne "$attendu"
grep -qx "Fin lecture couleur" "$E2E_DOSSIER/console.txt" || e2e_echec "no end of colour read"
# The selected pixels show at once, at the starting zoom, before any zoom key:
# the disc's red (200,30,30) under the zone's red overlay at alpha 30 is
# 206,26,26, and the white marker at alpha 30 over that gives 212,53,53.
e2e_attendre_marqueur() {
  local limite=$((SECONDS + E2E_DELAI)) vu
  until vu=$(e2e_pixel "$1" "$2") &&
    awk -F, '{ exit !($1 >= 211 && $1 <= 213 && $2 >= 52 && $2 <= 54 && $3 >= 52 && $3 <= 54) }' <<<"$vu"; do
    [ "$SECONDS" -lt "$limite" ] || e2e_echec "no marker at window pixel ($1, $2): $vu"
    sleep 0.1
  done
}
e2e_attendre_marqueur $((CX + 5)) $((CY + 5))   # off the crosses

# Remove the disc's right half: columns 60..100 of rows 40..100.
e2e_mode d "$RETRAIT"
moitie=$(e2e_centre 30 40 90 100 disque 60 40 100 100)
e2e_glisser 60 40 100 100
e2e_attendre_ligne "$moitie"
[ "$moitie" = "centre: x= 51.481 y= 70" ] || e2e_echec "half disc centre worked out as $moitie"

# A word keeps the red tolerance (the next prompt still shows 5); then 20
# lets the click on the disc take the background too: the whole zone.
e2e_tolerance "${ROUGE}5 )" abc
e2e_tolerance "${ROUGE}5 )" 20
e2e_mode i "$COULEURS"
tout=$(e2e_centre 30 40 90 100 tout)
avant=$(e2e_nombre_lignes "$tout")
e2e_clic $CX $CY
e2e_attendre_ligne "$tout" $((avant + 1))

# -5 is clamped to 0: in a fresh zone, a click on the background now takes
# the background only.
e2e_tolerance "${ROUGE}20 )" -5
e2e_mode s "$ZONE"
e2e_glisser 30 40 90 100
e2e_attendre_ligne "Taille de is_select : 3721" 2
e2e_mode i "$COULEURS"
fond=$(e2e_centre 30 40 90 100 fond)
e2e_clic 35 45
e2e_attendre_ligne "$fond"
e2e_tolerance "${ROUGE}0 )" 0

e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
# each tolerance prompt once: the key was seen up after each reply
[ "$(grep -c "^$ROUGE" "$E2E_DOSSIER/console.txt")" -eq 4 ] || e2e_echec "tolerance prompts repeated"
# the centre lines in their order, nothing in between
grep '^centre: ' "$E2E_DOSSIER/console.txt" >"$E2E_DOSSIER/centres.txt"
printf '%s\n' "$attendu" "$moitie" "$tout" "$fond" >"$E2E_DOSSIER/attendu.txt"
cmp -s "$E2E_DOSSIER/attendu.txt" "$E2E_DOSSIER/centres.txt" ||
  e2e_echec "centre lines: $(diff "$E2E_DOSSIER/attendu.txt" "$E2E_DOSSIER/centres.txt")"
