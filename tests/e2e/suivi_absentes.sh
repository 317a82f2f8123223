#!/usr/bin/env bash
# The automatic run over a series without photos 9, 17 and 18: no stop
# before the first gap, nothing recorded for the gaps, no record off the disc.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
source "$(dirname "$0")/lib_suivi.sh"
e2e_debut "${1:-}"
suivi_serie --pas 3.37 --photos 24 --absentes
