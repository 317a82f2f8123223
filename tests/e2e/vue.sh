#!/usr/bin/env bash
# Pan and zoom keep the centre cross on its photo point: after a selection,
# two zoom steps and a pan, the cross is where the printed centre falls in the
# view. Zooming on to 50 over a 200 x 200 zone keeps the memory bounded.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"
# The sanitizer build holds freed blocks back (256 MB by default) to catch
# their reuse: a smaller hold keeps the memory figure the program's own.
export ASAN_OPTIONS="$ASAN_OPTIONS:quarantine_size_mb=16"

W=320 H=240 WW=640 WH=480 PAS=20
# a red disc around (150, 110); a blue block from column 180 on, rows 140 to
# 239, whose left edge shows how far the view was panned
mkdir -p "$E2E_DOSSIER/photos"
convert -size ${W}x$H 'xc:rgb(40,40,40)' +antialias -fill 'rgb(200,30,30)' -draw 'circle 150,110 150,125' \
  -fill 'rgb(30,30,200)' -draw 'rectangle 180,140 319,239' "PNG24:$E2E_DOSSIER/photos/img_001.png"
e2e_donnees largeur=$WW hauteur=$WH zoom=3 deplacement=$PAS max=100000
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_attendre_pixel 320 240 0,0,255

# A key whose line tells that every earlier frame, and what its keys did, is
# over, its drawing included. A frame sees keys as they were one or two frames
# before, so the third new line comes from a frame that saw x down, and with
# it every key pressed before x and still held (arrows act before x).
synchroniser() {
  local ligne="Mode de selection par couleurs voisines"
  e2e_tenir x "$ligne" $(($(e2e_nombre_lignes "$ligne") + 3))
}
# zoomer N: P held until the Nth "dans P"; then a frame sees it up, so the
# next press counts as a new one
zoomer() {
  e2e_tenir p "dans P" "$1"
  synchroniser
}
# panoramique KEY: at least one pan step
panoramique() {
  xdotool keydown "$1"
  synchroniser
  xdotool keyup "$1"
  synchroniser
}

# zoom 1: the photo covers window [160, 480) x [120, 360); the zone is photo
# columns 60..259 and rows 20..219
e2e_glisser 220 140 419 339
e2e_attendre_ligne "Taille de is_select : 40000"
e2e_tenir i "Ajouter a la selection par couleurs similaires"
e2e_clic 310 230
e2e_attendre_motif '^centre: x= '
read -r CX CY < <(sed -n 's/^centre: x= \([^ ]*\) y= \(.*\)$/\1 \2/p' "$E2E_DOSSIER/console.txt" | tail -n 1)
synchroniser
avant_zoom=$(e2e_memoire)

zoomer 1
zoomer 2
panoramique Right
Z=5
capture="$E2E_DOSSIER/vue.png"
e2e_capture "$capture"

# The block's left edge on window row 390 (photo row 150): 420 + k * PAS after
# k pan steps. Its colour shows through the zone overlay, hence no exact match.
bord=$(e2e_pixels "$capture" 0 390 $WW 1 |
  awk '{ split($3, c, ","); if (bord == "" && c[3] > 120 && c[1] < 120) bord = $1 } END { print bord }')
[ -n "$bord" ] || e2e_echec "no blue block on window row 390"
k=$(awk -v b="$bord" -v p=$PAS 'BEGIN { d = b - 420; if (d > 0 && d % p == 0) print d / p }')
[ -n "$k" ] || e2e_echec "the photo is not where whole pan steps put it (block edge at $bord)"

# pan rule: tx = k * PAS / z; dx = (W z - Ww) / 2 - tx z; the cross at round(cx z - dx)
read -r X Y < <(awk -v cx="$CX" -v cy="$CY" -v z=$Z -v k="$k" -v p=$PAS -v w=$W -v h=$H -v ww=$WW -v wh=$WH '
  function arrondi(v) { return v < 0 ? -int(-v + 0.5) : int(v + 0.5) }
  BEGIN {
    tx = k * p / z
    dx = (w * z - ww) * 0.5 - tx * z
    dy = (h * z - wh) * 0.5
    print arrondi(cx * z - dx), arrondi(cy * z - dy)
  }')
# Around that point the only pure green pixels are the cross's two bars.
e2e_pixels "$capture" $((X - 20)) $((Y - 20)) 41 41 | awk '$3 == "0,255,0" { print $1, $2 }' | sort >"$E2E_DOSSIER/vert.txt"
awk -v x=$X -v y=$Y 'BEGIN { for (i = -10; i < 10; ++i) { print x + i, y; if (i != 0) print x, y + i } }' |
  sort >"$E2E_DOSSIER/croix.txt"
cmp -s "$E2E_DOSSIER/croix.txt" "$E2E_DOSSIER/vert.txt" ||
  e2e_echec "centre ($CX, $CY) after $k pan steps at zoom $Z: cross expected at ($X, $Y);" \
    "green pixels: $(head -n 5 "$E2E_DOSSIER/vert.txt" | tr '\n' ' ')"

# on to zoom 50, where the zone covers 10000 x 10000 window pixels, and a pan step there
for n in 3 4 5; do zoomer $n; done
panoramique Left
apres=$(e2e_memoire)
[ $((apres - avant_zoom)) -lt $((50 * 1024)) ] ||
  e2e_echec "resident memory grew from $avant_zoom kB to $apres kB"

e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
