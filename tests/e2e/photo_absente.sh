#!/usr/bin/env bash
# A missing first photo: reported, the run goes on; each frame waits for a
# number on the console; the close request then ends the run. With the
# console's input at its end, the line comes once and the frames go on.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

e2e_donnees largeur=320 hauteur=240 zoom=3
mkdir -p "$E2E_DOSSIER/photos"
e2e_lancer
manque="Erreur de chargement de la photo : m_pTexture_prairie n'existe pas"
e2e_attendre_ligne "$manque"
e2e_taper 7                    # the pause takes the number: the next frame asks again
e2e_attendre_ligne "$manque" 2
e2e_taper "abc"                # a word: dropped, the next frame asks again
e2e_attendre_ligne "$manque" 3
e2e_fenetre
e2e_attendre_pixel 10 10 0,150,0
e2e_attendre_pixel 160 120 0,0,255
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"

console="$E2E_DOSSIER/console.txt"
grep -qx "Erreur de chargement de la photo : .*" <(sed -n '/^renderer creation success$/{n;p}' "$console") ||
  e2e_echec "the failed load is not reported after the renderer"
tail -n 10 "$console" | head -n 5 >"$E2E_DOSSIER/debut_boucle.txt"
cat >"$E2E_DOSSIER/attendu.txt" <<EOF2
Image chargee
larg photo = 0 haut photo = 0
photo : x_source = 0 larg = 0 y = 0 haut = 0
init success
$manque
EOF2
cmp -s "$E2E_DOSSIER/attendu.txt" "$E2E_DOSSIER/debut_boucle.txt" ||
  e2e_echec "start of the run differs: $(diff "$E2E_DOSSIER/attendu.txt" "$E2E_DOSSIER/debut_boucle.txt")"
[ "$(tail -n 2 "$console")" = $'cleaning game\napres delete[]' ] || e2e_echec "no shutdown lines"
[ "$(e2e_nombre_lignes "$manque")" -eq 4 ] || e2e_echec "expected 4 missing-photo lines"

# Again with the console's input ended: one line, and the frames go on (a
# zoom key still acts) without printing it again.
e2e_lancer
e2e_fermer_entree
e2e_attendre_ligne "init success"
e2e_attendre_ligne "$manque"
e2e_fenetre
e2e_tenir p "dans P"
e2e_tenir l "dans L"
[ "$(e2e_nombre_lignes "$manque")" -eq 1 ] || e2e_echec "the missing photo's line repeats at the end of input"
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
[ "$(e2e_nombre_lignes "$manque")" -eq 1 ] || e2e_echec "the missing photo's line repeats at the close"
