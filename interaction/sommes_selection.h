// What the zone's operations (selection.cpp) and the colour passes
// (passe_couleur.cpp) share, and no one else: the sums of a selection pass
// and the shape of the zone lists it walks.
#pragma once

#include <cstddef>
#include <cstdint>

#include "etat/etat.h"

// Sums of a selection pass, kept in integers: a double sum of column + 0.5
// taken pixel by pixel is exact below 2^52, so the integer sums give the very
// same centre and cost far less.
struct Sommes {
  int64_t nombre = 0;
  int64_t colonnes = 0;
  int64_t lignes = 0;
};

// The count (capped at int32) and the sums of column + 0.5 and row + 0.5 in
// m_centre_x, m_centre_y, for calculerCentre to divide.
void publierSommes(Etat& e, const Sommes& s);

// The lists as definirZone builds them: the zone rectangle row by row. Checks
// the lengths, the whole first row and both ends of every row; only
// definirZone writes the lists, so this tells a zone built here from anything
// else without reading every entry.
bool listesRectangle(const Etat& e);

// Entries every pass may walk: the three lists can differ only through a bug,
// and then no pass reads past the shortest.
size_t entreesSures(const Etat& e);
