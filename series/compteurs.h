// The counter step of the naming schemes: how the counters of the record
// move from one photo of the series to the next, where the series ends, and
// where a photo stands in it. Prints nothing.
#pragma once

#include <cstdint>
#include <string>

#include "etat/compteurs.h"

CompteursSerie compteursSerie();  // those of the record
void remettreCompteurs(const CompteursSerie& c);

// Where the series stands, as the end test compares it: (high part, low part)
// in scheme 1, (number, second number) in scheme 2, (number, 0) in scheme 3.
// 64 bits: a step of int32 counters never overflows here.
struct PositionSerie {
  int64_t majeur = 0;
  int64_t mineur = 0;
};

// One counter step of each naming scheme, before saturation.
PositionSerie incrementerSchema1(int32_t partie_haute, int32_t partie_basse, int32_t pas);
PositionSerie incrementerSchema2(int32_t numero, int32_t numero_2, int32_t pas, int32_t pas_2, int32_t modulo_2);
PositionSerie incrementerSchema3(int32_t numero, int32_t pas);
// True while the position is not past the last photo (pairs compared in order).
bool dansLaSerie(PositionSerie position, PositionSerie fin);
// The counter value stored for a position member: clamped to int32.
int32_t saturer(int64_t valeur);

enum class Increment { DansLaSerie, ApresLaFin, SchemaInconnu };
// One counter step by the active scheme, saturated as the record stores
// them; the counters are unchanged for an unknown scheme.
Increment incrementerCompteurs(CompteursSerie& c);
// The path the next RETURN from c would load: the next photo, or the
// closing picture past the end; empty for an unknown scheme.
std::string cheminApres(CompteursSerie c);
// The closing picture's path.
std::string cheminImageFin();

// Where the current photo stands in its series: rank from 1 and series
// length, each -1 when it cannot be told (shown as "?").
struct PlaceSerie {
  int64_t rang = -1;
  int64_t longueur = -1;
};
// Rank of `courant` from the series' first photo (rank 1) and the series'
// length, by stepping the first counters at most `plafond` times; -1 for a
// rank the walk never meets and for a length it never ends (a zero step, a
// series longer than the bound, an unknown naming scheme).
constexpr int64_t kPlafondSerie = 1000000;
PlaceSerie placeDansLaSerie(const CompteursSerie& courant, int64_t plafond = kPlafondSerie);
