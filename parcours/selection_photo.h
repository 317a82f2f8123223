// A photo's selection kept and brought back: the RETURN step keeps it in the
// history of the run, the step back and the resume bring it back into the
// record. The one place that knows which fields of the record it holds.
#pragma once

#include <vector>

#include "etat/historique.h"

// The record's selection as it stands: zone, bits, count, centre, reference
// colour, sub-mode, recipe and what the records say of it.
SelectionPhoto selectionDuRecord();

// Brings a selection back into the record: zone and its lists, bits
// (unselected when the history gave them up), count, centre, sub-mode,
// recipe, with the zone, markers and centre cross shown for the current view;
// RETURN free to record. depart: the bits the photo started from (empty: none).
void restaurerSelection(const SelectionPhoto& selection, const std::vector<bool>& depart);
