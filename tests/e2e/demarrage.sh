#!/usr/bin/env bash
# Start-up and shutdown: the whole console transcript byte for byte, and exit
# code 0 after the close request.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

e2e_photo photos/img_001.png 320 240 bg 40,40,40 disc 100,80,20 200,30,30
e2e_donnees largeur=640 hauteur=480 zoom=3
e2e_lancer
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"

cat >"$E2E_DOSSIER/attendu.txt" <<'EOF2'
Dessin BMP dans la fenetre
Fichier de donnes ouvert
Dossier photos : photos
m_prefixe ABCDEFGHIJKLMNOPQR m_suffixe.jpeg
fichier init :ABCDEFGHIJKLMNOPQR1.5.jpeg
fichier fin :ABCDEFGHIJKLMNOPQR2.100.jpeg
indice prefixe = 4 prefixe = img_
indice separateur = 1 separateur = _
indice suffixe = 4 suffixe = .png
nom_photo_complet photos/img_001.png
SDL init success
window creation success
renderer creation success
Image chargee
larg photo = 320 haut photo = 240
photo : x_source = 0 larg = 320 y = 0 haut = 240
init success
cleaning game
apres delete[]
EOF2
e2e_comparer_console "$E2E_DOSSIER/attendu.txt"
[ -f "$E2E_DOSSIER/donnees/ficlog.txt" ] || e2e_echec "no log file"
cmp -s "$E2E_DOSSIER/donnees/ficlog.txt" <(sed '24s/ .*//' "$E2E_DOSSIER/donnees/donnees.txt") ||
  e2e_echec "log file differs from the parameter file"
