#!/usr/bin/env bash
# A series of damaged and unusual photos, driven with RETURN: each one either
# fails with the load error line or loads and can be measured; the run goes
# on to the closing picture, and the result files hold every centre.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

P="$E2E_DOSSIER/photos"
mkdir -p "$P"
# 320x240: a red disc around (150, 110) on a dark background
convert -size 320x240 'xc:rgb(20,20,20)' +antialias -fill 'rgb(220,60,60)' -draw 'circle 150,110 150,125' \
  "PNG24:$P/base.png"
convert "$P/base.png" -quality 90 "$P/base.jpg"
cp "$P/base.png" "$P/img_001.png"
head -c $(($(stat -c %s "$P/base.png") / 2)) "$P/base.png" >"$P/img_002.png"  # cut in its image data
head -c 200 "$P/base.jpg" >"$P/img_003.png"                                   # cut in its headers
: >"$P/img_004.png"
printf 'ceci n est pas une photo\n' >"$P/img_005.png"
convert -size 1x1 'xc:rgb(90,140,200)' "PNG24:$P/img_006.png"
convert -size 1x10000 'xc:rgb(90,140,200)' "PNG24:$P/img_007.png"
convert "$P/base.png" -depth 16 "PNG48:$P/img_008.png"
convert "$P/base.png" "PNG8:$P/img_009.png"
convert "$P/base.png" -colorspace Gray "PNG:$P/img_010.png"
convert "$P/base.png" -alpha set -channel A -evaluate set 50% +channel "PNG32:$P/img_011.png"
# cut in its scan data: the decoder fills in the missing part, the photo loads
head -c $(($(stat -c %s "$P/base.jpg") * 2 / 3)) "$P/base.jpg" >"$P/img_012.png"
cp "$P/base.png" "$P/figure_fin.png"
rm "$P/base.png" "$P/base.jpg"

# what each photo gives: the zone drag (window points at zoom 1) and the click
# for those that load, or "erreur"
declare -A QUOI=(
  [1]="270 190 350 270 310 230" [2]=erreur [3]=erreur [4]=erreur [5]=erreur
  [6]="300 220 340 260 320 240" [7]="300 200 340 280 320 240"
  [8]="270 190 350 270 310 230" [9]="270 190 350 270 310 230" [10]="270 190 350 270 310 230"
  [11]="270 190 350 270 310 230" [12]="270 190 350 270 310 230"
)
DERNIERE=12

e2e_donnees fin=$DERNIERE largeur=640 hauteur=480 zoom=3 max=100000
e2e_lancer
e2e_attendre_ligne "init success"
# No console input: a missing photo texture then never waits for a number.
e2e_fermer_entree
e2e_fenetre

# appuyer KEY LINE: holds KEY until one more console line is LINE.
appuyer() { e2e_tenir "$1" "$2" $(($(e2e_nombre_lignes "$2") + 1)); }

centres=()   # the centre written by each RETURN (the last one measured)
dernier=""
for ((n = 1; n <= DERNIERE; ++n)); do
  if [ "${QUOI[$n]}" = erreur ]; then
    appuyer s "Couleurs voisines : selectionner la zone de trelune avec la souris : diagonale cliquer-glisser gauche"
  else
    # shellcheck disable=SC2086 # the zone's six numbers
    e2e_selectionner ${QUOI[$n]}
    dernier=$(sed -n 's/^centre: x= \([^ ]*\) y= \(.*\)$/\1 \2/p' "$E2E_DOSSIER/console.txt" | tail -n 1)
  fi
  appuyer Return "Vue suivante"
  centres+=("$dernier")
done
e2e_attendre_ligne "Traitement termine"
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"

# After each release, what the load of the next photo said.
console="$E2E_DOSSIER/console.txt"
awk '/^Memoire liberee$/ { suite = 1; next }
     suite && /^(Erreur de chargement de la photo : |Image chargee$)/ { print; suite = 0 }' "$console" |
  sed 's/^\(Erreur de chargement de la photo : \).\+$/\1REASON/' >"$E2E_DOSSIER/chargements.txt"
{
  for ((n = 2; n <= DERNIERE; ++n)); do
    [ "${QUOI[$n]}" = erreur ] && echo "Erreur de chargement de la photo : REASON" || echo "Image chargee"
  done
  echo "Image chargee"   # the closing picture
} >"$E2E_DOSSIER/chargements_attendus.txt"
cmp -s "$E2E_DOSSIER/chargements_attendus.txt" "$E2E_DOSSIER/chargements.txt" ||
  e2e_echec "loads differ: $(diff "$E2E_DOSSIER/chargements_attendus.txt" "$E2E_DOSSIER/chargements.txt")"
if grep -qx "Erreur de chargement de la photo : " "$console"; then e2e_echec "a load error without its reason"; fi

# The measured photos have their expected centres (a pixel's centre is half a
# pixel in): the disc's, and the middle of each one-column zone.
grep '^centre: x= ' "$console" >"$E2E_DOSSIER/centres.txt"
for n in 1 4 5 6 7; do
  [ "$(sed -n ${n}p "$E2E_DOSSIER/centres.txt")" = "centre: x= 150.5 y= 110.5" ] || e2e_echec "disc centre $n"
done
[ "$(sed -n 2p "$E2E_DOSSIER/centres.txt")" = "centre: x= 0.5 y= 0.5" ] || e2e_echec "1 x 1 photo: $(sed -n 2p "$E2E_DOSSIER/centres.txt")"
[ "$(sed -n 3p "$E2E_DOSSIER/centres.txt")" = "centre: x= 0.5 y= 5000.5" ] || e2e_echec "1 x 10000 photo: $(sed -n 3p "$E2E_DOSSIER/centres.txt")"

# Every RETURN wrote the last centre measured, in all three files.
resu="$E2E_DOSSIER/donnees"
printf '%s\n' "${centres[@]}" >"$E2E_DOSSIER/attendus.txt"
[ "$(wc -l <"$resu/resu_point.txt")" -eq $DERNIERE ] || e2e_echec "$(wc -l <"$resu/resu_point.txt") result lines"
tr -d '\r' <"$resu/resu_point.txt" | tr ';' ' ' | paste -d ' ' "$E2E_DOSSIER/attendus.txt" - |
  awk 'function ecart(a, b) { return a > b ? a - b : b - a }
       NF != 4 || ecart($1, $3) > 1e-3 || ecart($2, $4) > 1e-3 { print "line " NR ": " $0; bad = 1 }
       END { exit bad }' || e2e_echec "result file differs from the printed centres"
[ "$(tr -d '\r' <"$resu/resu_point.txt" | cut -d ';' -f 1 | tr '\n' ';')" = "$(cat "$resu/resu_point_orbelan_x.txt")" ] ||
  e2e_echec "x file differs"
[ "$(tr -d '\r' <"$resu/resu_point.txt" | cut -d ';' -f 2 | tr '\n' ';')" = "$(cat "$resu/resu_point_orbelan_y.txt")" ] ||
  e2e_echec "y file differs"
