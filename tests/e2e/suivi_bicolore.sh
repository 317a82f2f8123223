#!/usr/bin/env bash
# The automatic run over a disc of two colours, its orange half selected: no
# stop, no record off the disc.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
source "$(dirname "$0")/lib_suivi.sh"
e2e_debut "${1:-}"
suivi_serie --pas 3.37 --photos 24 --bicolore
