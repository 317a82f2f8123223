#!/usr/bin/env bash
# The automatic run while a second disc of the same colour crosses ahead of
# the first: no stop before it comes near, no record off the first disc.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
source "$(dirname "$0")/lib_suivi.sh"
e2e_debut "${1:-}"
suivi_serie --pas 3.37 --photos 24 --croisement
