#!/usr/bin/env bash
# A run killed (SIGKILL) while it writes: every measurement whose advance got
# as far as the next photo's name on the console is in all three files, each
# file holds whole records only, and the next start keeps them as .bak.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"

serie_demarrer 30
serie_mesurer 1 14
# the 15th RETURN: killed as soon as it is announced, in the middle of the
# release, the write and the next load
serie_cliquer 15
serie_avancer
kill -KILL "$E2E_PID"
wait "$E2E_PID" 2>/dev/null || true
E2E_PID=""
serie_finir

# The name of the next photo is composed after the record is written: each
# advance that printed it is on disk. The one killed may or may not be.
console="$E2E_DOSSIER/console.txt"
annonces=$(grep -cx "Vue suivante" "$console" || true)
ecrits=$(($(grep -c "^nom_photo_complet " "$console" || true) - 1))
[ "$annonces" -eq 15 ] && [ "$ecrits" -ge 14 ] || e2e_echec "$annonces advances, $ecrits names after them"
cp -r "$E2E_DOSSIER/donnees" "$E2E_DOSSIER/donnees_tuees"
for paire in "point:$RESU_POINT" "x:$RESU_X" "y:$RESU_Y"; do
  fichier="$E2E_DOSSIER/${paire#*:}"
  case "${paire%%:*}" in
    point) records=$(tr -cd '\n' <"$fichier" | wc -c) ;;
    *) records=$(tr -cd ';' <"$fichier" | wc -c) ;;
  esac
  [ "$records" -ge "$ecrits" ] && [ "$records" -le "$annonces" ] ||
    e2e_echec "${paire#*:} holds $records records; $ecrits were reported written"
  head -n "$records" "$E2E_DOSSIER/centres" >"$E2E_DOSSIER/debut"
  resu_attendus "$E2E_DOSSIER/debut"
  cmp -s "$E2E_DOSSIER/debut.${paire%%:*}" "$fichier" ||
    e2e_echec "${paire#*:} is not the first $records records: $(cat -A "$fichier" | tail -c 200)"
done

# Started again after the crash, the program keeps the killed run's results.
e2e_fermer_entree
rm -f "$E2E_DOSSIER/entree"
mv "$console" "$E2E_DOSSIER/console_tuee.txt"
: >"$console"   # counted before the new run opens it
e2e_lancer
e2e_attendre_ligne "init success"
e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE after the crash"
for f in $RESU_POINT $RESU_X $RESU_Y; do
  cmp -s "$E2E_DOSSIER/donnees_tuees/${f#donnees/}" "$E2E_DOSSIER/$f.bak" || e2e_echec "$f.bak is not the killed run's file"
done
