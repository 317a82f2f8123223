#!/usr/bin/env bash
# Damaged parameter files through the real program: CR LF line ends and 10 000
# lines read as the plain file does; an empty file and one of random bytes
# name the line they stop at. The program runs on in every case until the
# close request, and exits with 0.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

e2e_photo photos/img_001.png 160 120 bg 40,40,40 disc 80,60,10 200,30,30
donnees="$E2E_DOSSIER/donnees/donnees.txt"

# executer NAME: one run on the current parameter file, its console kept as NAME.txt.
executer() {
  e2e_lancer
  e2e_attendre_ligne "init success"
  e2e_fermer_entree   # a missing photo then never waits for a number
  e2e_fenetre
  e2e_arreter
  [ "$E2E_CODE" -eq 0 ] || e2e_echec "$1: exit code $E2E_CODE"
  [ "$(tail -n 2 "$E2E_DOSSIER/console.txt")" = $'cleaning game\napres delete[]' ] || e2e_echec "$1: no shutdown"
  cp "$E2E_DOSSIER/console.txt" "$E2E_DOSSIER/$1.txt"
}

e2e_donnees largeur=320 hauteur=240 zoom=3
cp "$donnees" "$E2E_DOSSIER/lf.txt"
executer normal
if grep -q "^Pb pour" "$E2E_DOSSIER/normal.txt"; then e2e_echec "the plain file gives an error"; fi

sed 's/$/\r/' "$E2E_DOSSIER/lf.txt" >"$donnees"
executer crlf
cmp -s "$E2E_DOSSIER/normal.txt" "$E2E_DOSSIER/crlf.txt" ||
  e2e_echec "CR LF: $(diff "$E2E_DOSSIER/normal.txt" "$E2E_DOSSIER/crlf.txt" | head -n 10)"

{
  cat "$E2E_DOSSIER/lf.txt"
  for ((n = 27; n <= 10000; ++n)); do echo "$n ligne en trop"; done
} >"$donnees"
executer longues
cmp -s "$E2E_DOSSIER/normal.txt" "$E2E_DOSSIER/longues.txt" ||
  e2e_echec "10000 lines: $(diff "$E2E_DOSSIER/normal.txt" "$E2E_DOSSIER/longues.txt" | head -n 10)"

: >"$donnees"
executer vide
[ "$(sed -n 2,3p "$E2E_DOSSIER/vide.txt")" = $'Fichier de donnes ouvert\nPb pour lire la ligne 1 du fichier donnees/donnees.txt' ] ||
  e2e_echec "empty file: $(head -n 3 "$E2E_DOSSIER/vide.txt")"

# 3000 bytes from a fixed linear congruential sequence: the same file on every machine
LC_ALL=C awk 'BEGIN { x = 7; for (i = 0; i < 3000; ++i) { x = (x * 75 + 74) % 65537; printf "%c", x % 255 + 1 } }' >"$donnees"
executer aleatoire
grep -qE '^Pb pour lire la ligne [0-9]+ du fichier donnees/donnees.txt$' "$E2E_DOSSIER/aleatoire.txt" ||
  e2e_echec "random bytes: no line named as unreadable"
