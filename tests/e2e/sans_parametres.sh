#!/usr/bin/env bash
# No parameter file: reported, the window opens all the same without a photo,
# every frame reports the missing photo and waits for a number; the close
# request ends the run without waiting.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

e2e_lancer
manque="Erreur de chargement de la photo : m_pTexture_prairie n'existe pas"
e2e_attendre_ligne "$manque"
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"

# the reason of the failed load is the image library's own text
sed -i '/^Erreur de chargement de la photo : /{/m_pTexture_prairie/!s/: .*/: REASON/}' "$E2E_DOSSIER/console.txt"
cat >"$E2E_DOSSIER/attendu.txt" <<EOF2
Dessin BMP dans la fenetre
Pb pour ouvrir le fichier donnees/donnees.txt
SDL init success
window creation success
renderer creation success
Erreur de chargement de la photo : REASON
Image chargee
larg photo = 0 haut photo = 0
photo : x_source = 0 larg = 0 y = 0 haut = 0
init success
$manque
$manque
cleaning game
apres delete[]
EOF2
e2e_comparer_console "$E2E_DOSSIER/attendu.txt"
[ -f "$E2E_DOSSIER/donnees/ficlog.txt" ] && [ ! -s "$E2E_DOSSIER/donnees/ficlog.txt" ] ||
  e2e_echec "the log file must exist and be empty"
