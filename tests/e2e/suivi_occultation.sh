#!/usr/bin/env bash
# The automatic run over a disc hidden on photos 13 to 15: no stop before
# them, nothing recorded on them, no record off the disc.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
source "$(dirname "$0")/lib_suivi.sh"
e2e_debut "${1:-}"
suivi_serie --pas 3.37 --photos 24 --occultation
