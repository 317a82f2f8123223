// BACKSPACE: back one photo. The last advance is taken back from the four
// files and the photo left then comes back with its selection as it was at
// that RETURN, so one RETURN records it again.
#pragma once

#include <vector>

#include "etat/historique.h"

void reculerPhoto();

// Brings a souvenir's selection back into the record: zone and its lists,
// bits (unselected when the history gave them up), count, centre, sub-mode,
// recipe, with the zone, markers and centre cross shown for the current view.
// depart: the bits the photo started from (empty: none).

void restaurerSelection(const Souvenir& souvenir, const std::vector<bool>& depart);
