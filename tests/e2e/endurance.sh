#!/usr/bin/env bash
# A long series measured photo after photo (TRELUNE_ENDURANCE_PHOTOS, 300 by
# default): the zone once, then I, a colour click and RETURN on every photo.
# The result files must hold every centre byte for byte, the resident memory
# must stay flat after the first 20 photos, and the sanitizers, in their
# build, must report nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
e2e_debut "${1:-}"
photos=${TRELUNE_ENDURANCE_PHOTOS:-300}
[ "$photos" -gt 20 ] || e2e_echec "the series needs more than 20 photos"
# Freed blocks would sit in the sanitizer's quarantine and read as growth.
export ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=1

serie_demarrer "$photos"

debut=$SECONDS
serie_mesurer 1 20
lecteur_attendre "Image chargee"
rss_20=$(serie_rss)
serie_mesurer 21 "$photos"
lecteur_attendre "Traitement termine"
lecteur_attendre "Image chargee"
serie_finir
rss_fin=$(serie_rss)
echo "$photos photos in $((SECONDS - debut)) s; resident memory ${rss_20} kB after 20, ${rss_fin} kB at the end"

e2e_arreter
[ "$E2E_CODE" -eq 0 ] || e2e_echec "exit code $E2E_CODE"
! grep -qE "Sanitizer|runtime error" "$E2E_DOSSIER/erreurs.txt" || e2e_echec "sanitizer report"
resu_comparer "$E2E_DOSSIER/centres"
[ $((rss_fin * 10)) -le $((rss_20 * 11)) ] && [ $((rss_fin * 10)) -ge $((rss_20 * 9)) ] ||
  e2e_echec "resident memory went from $rss_20 kB to $rss_fin kB"
