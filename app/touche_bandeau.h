// Key H's action: hands the strip its help lines, from the key table, and
// the way to place the photo in its series, by stepping the counters as
// RETURN does.
#pragma once

#include <cstdint>

#include "display/bandeau.h"
#include "series/nom_photo.h"

void toucheBandeau();

// Rank of `courant` from the series' first photo (rank 1) and the series'
// length, by stepping the first counters at most `plafond` times; -1 for a
// rank the walk never meets and for a length it never ends (a zero step, a
// series longer than the bound, an unknown naming scheme).
constexpr int64_t kPlafondSerie = 1000000;
PlaceSerie placeDansLaSerie(const CompteursSerie& courant, int64_t plafond = kPlafondSerie);
