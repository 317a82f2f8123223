#!/usr/bin/env bash
# Key H over a photo light on the left and dark on the right: until H the
# frame is today's; H darkens a band along the bottom with light text on both
# halves and puts the key help at the top left; a second H gives back the
# frame pixel for pixel.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

# zoom index 4 (2): the 220 x 180 photo covers the whole 440 x 360 window
mkdir -p "$E2E_DOSSIER/photos"
convert -size 220x180 'xc:rgb(230,230,230)' -fill 'rgb(20,20,20)' -draw 'rectangle 110,0 219,179' \
  "PNG24:$E2E_DOSSIER/photos/img_001.png"
e2e_donnees largeur=440 hauteur=360 zoom=4
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_attendre_pixel 220 180 0,0,255

# fenetre FILE: the window's pixels of a fresh screenshot, as raw RGB
fenetre() {
  e2e_capture "$E2E_DOSSIER/ecran.png"
  convert "$E2E_DOSSIER/ecran.png" -crop "440x360+$E2E_FX+$E2E_FY" +repage -depth 8 "rgb:$1"
}
# basculer X Y COLOUR sans|avec: H held until window pixel (X, Y) is no
# longer (sans) or again (avec) COLOUR
basculer() {
  local x=$1 y=$2 couleur=$3 attendu=$4 limite=$((SECONDS + E2E_DELAI)) vu
  xdotool keydown h
  while :; do
    vu=$(e2e_pixel "$x" "$y")
    if [ "$attendu" = sans ]; then [ "$vu" != "$couleur" ] && break; else [ "$vu" = "$couleur" ] && break; fi
    [ "$SECONDS" -lt "$limite" ] || { xdotool keyup h; e2e_echec "pixel ($x, $y) stays $vu after H"; }
    sleep 0.1
  done
  xdotool keyup h
}

# today's frame: the photo down to the last row, the blue cross
[ "$(e2e_pixel 2 358)" = 230,230,230 ] || e2e_echec "bottom left is not the photo before H"
[ "$(e2e_pixel 437 358)" = 20,20,20 ] || e2e_echec "bottom right is not the photo before H"
fenetre "$E2E_DOSSIER/avant.rgb"

basculer 2 358 230,230,230 sans
e2e_capture "$E2E_DOSSIER/avec.png"
# light photo darkened at the strip's corner and at the help panel's
for point in "2 358" "8 8"; do
  set -- $point
  IFS=, read -r r g b < <(e2e_pixels "$E2E_DOSSIER/avec.png" "$1" "$2" 1 1 | cut -d' ' -f3)
  [ "$r" -lt 120 ] && [ "$g" -lt 120 ] && [ "$b" -lt 120 ] || e2e_echec "pixel ($1, $2) is $r,$g,$b: not darkened"
done
# light text in the strip over both halves of the photo
for moitie in "0 200" "220 220"; do
  set -- $moitie
  clairs=$(e2e_pixels "$E2E_DOSSIER/avec.png" "$1" 325 "$2" 35 |
    awk '{ split($3, c, ","); if (c[1] > 200 && c[2] > 200 && c[3] > 200) n++ } END { print n + 0 }')
  [ "$clairs" -gt 20 ] || e2e_echec "only $clairs light text pixels in the strip from x = $1"
done
# the photo between the help and the strip untouched
[ "$(e2e_pixel 437 250)" = 20,20,20 ] || e2e_echec "the photo above the strip changed"

basculer 2 358 230,230,230 avec
fenetre "$E2E_DOSSIER/apres.rgb"
cmp -s "$E2E_DOSSIER/avant.rgb" "$E2E_DOSSIER/apres.rgb" || e2e_echec "the frame after H H differs from before"
[ "$(e2e_nombre_motifs '^Police')" -eq 0 ] || e2e_echec "a font line with the font installed"

e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
