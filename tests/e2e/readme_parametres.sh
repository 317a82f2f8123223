#!/usr/bin/env bash
# The parameter-file example of the README, copied as it stands, is read
# line for line: no line reported, every later line where the README puts it,
# and the first photo, window and zoom the README announces.
source "$(dirname "$0")/lib.sh"
e2e_debut "${1:-}"

readme="$(dirname "$0")/../../README.md"
# the first fenced block after the heading
awk '/^## Parameter file/ { dans = 1 } dans && /^```/ { if (n++) exit; next } dans && n == 1' "$readme" \
  >"$E2E_DOSSIER/donnees/donnees.txt"
[ "$(wc -l <"$E2E_DOSSIER/donnees/donnees.txt")" -eq 26 ] ||
  e2e_echec "the README example has $(wc -l <"$E2E_DOSSIER/donnees/donnees.txt") lines, not 26"
grep -q "the first photo is \`photos/img_0001_000.png\`, the window 800 by 600, the zoom 1" "$readme" ||
  e2e_echec "the README no longer says what the example gives"
e2e_photo photos/img_0001_000.png 200 150 bg 40,40,40 disc 100,75,20 200,30,30

e2e_lancer
e2e_attendre_motif '^nom_photo_complet '
e2e_attendre_ligne "init success"
e2e_fenetre
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"

console="$E2E_DOSSIER/console.txt"
! grep -q "^Pb pour lire la ligne" "$console" || e2e_echec "$(grep "^Pb pour lire la ligne" "$console" | head -n 1)"
! grep -q "^Valeur du zoom incorrecte" "$console" || e2e_echec "the zoom line is not where the README puts it"
[ "$(grep -m 1 '^nom_photo_complet ' "$console")" = "nom_photo_complet photos/img_0001_000.png" ] ||
  e2e_echec "first photo: $(grep -m 1 '^nom_photo_complet ' "$console")"
grep -qx "photo : x_source = 0 larg = 200 y = 0 haut = 150" "$console" || e2e_echec "the zoom is not 1"
[ "$E2E_FW" -eq 800 ] && [ "$E2E_FH" -eq 600 ] || e2e_echec "window is ${E2E_FW}x$E2E_FH"
# the log keeps each line as read: the last one is the README's line 26
[ "$(wc -l <"$E2E_DOSSIER/donnees/ficlog.txt")" -eq 26 ] || e2e_echec "the log does not hold 26 lines"
tail -n 1 "$E2E_DOSSIER/donnees/ficlog.txt" | grep -q " 26  selected-pixel marker" ||
  e2e_echec "the log's last line is not line 26: $(tail -n 1 "$E2E_DOSSIER/donnees/ficlog.txt")"
