#!/usr/bin/env bash
# The automatic run over 60 photos of a disc moving 1.37 pixels a photo: no
# stop at all, no record off the disc.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_mesure.sh"
source "$(dirname "$0")/lib_suivi.sh"
e2e_debut "${1:-}"
suivi_serie --pas 1.37 --photos 60
