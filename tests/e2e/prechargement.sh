#!/usr/bin/env bash
# The next photo is read ahead while the current one is shown; a file
# replaced or deleted after that read is loaded again at RETURN: the new
# photo (another size and content) is shown, the deleted one gives the usual
# error line with the reason a plain load gives.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

P="$E2E_DOSSIER/photos"
mkdir -p "$P"
# noise: megabytes per file, so the program's reads stand out from the rest
for n in 1 2 3; do convert -size 1600x1200 xc: -seed $n +noise Random "PNG24:$P/img_00$n.png"; done
e2e_photo photos/figure_fin.png 400 300 bg 10,200,10
e2e_donnees largeur=640 hauteur=480 zoom=3 fin=3

taille() { stat -c %s "$1"; }
lus() { awk '/^rchar:/ { print $2 }' "/proc/$E2E_PID/io"; }
# attendre_lus BYTES: until the program has read that many bytes in all.
attendre_lus() {
  local limite=$((SECONDS + E2E_DELAI))
  until [ "$(lus)" -ge "$1" ]; do
    [ "$SECONDS" -lt "$limite" ] || e2e_echec "the program read $(lus) bytes, not $1"
    sleep 0.05
  done
}
# remplacer FILE ARGS...: a new photo made aside, then moved over FILE.
remplacer() {
  local cible=$1
  shift
  "$E2E_PHOTO_DISQUE" "$cible.neuve.png" "$@" || e2e_echec "photo not written"
  mv "$cible.neuve.png" "$cible"
}
# appuyer KEY LINE: holds KEY until one more console line is LINE.
appuyer() { e2e_tenir "$1" "$2" $(($(e2e_nombre_lignes "$2") + 1)); }
suivante() {
  appuyer s "Couleurs voisines : selectionner la zone de trelune avec la souris : diagonale cliquer-glisser gauche"
  appuyer Return "Vue suivante"
}

lus_avant=$(($(taille "$P/img_001.png") + $(taille "$P/img_002.png")))
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fermer_entree
e2e_fenetre
# img_002 read ahead, then replaced by a smaller green photo
attendre_lus "$lus_avant"
remplacer "$P/img_002.png" 800 600 bg 0,200,0
lus_avant=$((lus_avant + $(taille "$P/img_002.png") + $(taille "$P/img_003.png")))
suivante
e2e_attendre_ligne "Image chargee" 2
e2e_attendre_pixel 100 100 0,200,0

# img_003 read ahead, then deleted
attendre_lus "$lus_avant"
rm "$P/img_003.png"
suivante
e2e_attendre_ligne "Image chargee" 3
suivante
e2e_attendre_ligne "Traitement termine"
e2e_attendre_ligne "Image chargee" 4
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
cp "$E2E_DOSSIER/console.txt" "$E2E_DOSSIER/console_prechargee.txt"

# The reason a plain load gives for the missing photo: the first load of a run
# starting there, which nothing reads ahead.
e2e_donnees largeur=640 hauteur=480 zoom=3 debut=3 fin=3
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fermer_entree
e2e_arreter
sans_texture="Erreur de chargement de la photo : m_pTexture_prairie n'existe pas"
attendu=$(grep '^Erreur de chargement de la photo : ' "$E2E_DOSSIER/console.txt" | grep -vxF "$sans_texture")
[ -n "$attendu" ] || e2e_echec "no load error for the missing first photo"
erreurs=$(grep '^Erreur de chargement de la photo : ' "$E2E_DOSSIER/console_prechargee.txt" | grep -vxF "$sans_texture")
[ "$erreurs" = "$attendu" ] || e2e_echec "load errors: '$erreurs', expected '$attendu'"
# after each release, what the load said
awk '/^Memoire liberee$/ { suite = 1; next }
     suite && /^(Erreur de chargement de la photo : |Image chargee$)/ { print; suite = 0 }' \
  "$E2E_DOSSIER/console_prechargee.txt" >"$E2E_DOSSIER/chargements.txt"
printf '%s\n' "Image chargee" "$attendu" "Image chargee" >"$E2E_DOSSIER/chargements_attendus.txt"
cmp -s "$E2E_DOSSIER/chargements_attendus.txt" "$E2E_DOSSIER/chargements.txt" ||
  e2e_echec "loads differ: $(diff "$E2E_DOSSIER/chargements_attendus.txt" "$E2E_DOSSIER/chargements.txt")"

# A read ahead that never returns (the next photo is a pipe nobody writes
# to: its opening waits for a writer) does not keep the closed window's
# program alive.
rm -f "$P/img_002.png"
mkfifo "$P/img_002.png"
e2e_donnees largeur=640 hauteur=480 zoom=3 fin=3
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fermer_entree
limite=$((SECONDS + E2E_DELAI))
until cat /proc/"$E2E_PID"/task/*/wchan 2>/dev/null | grep -q wait_for_partner; do
  [ "$SECONDS" -lt "$limite" ] || e2e_echec "the next photo was never read ahead"
  sleep 0.05
done
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE with a read blocked"
