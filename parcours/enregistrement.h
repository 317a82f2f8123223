// What an advance leaves behind beyond the three result files: its detail
// row, its place in the history of the run (for the step back), the next
// photo's recipe and the picture of the run.
#pragma once

#include "etat/historique.h"
#include "output/resultats.h"

// The photo being left as the RETURN found it: taken before the advance
// resets the modes.
Souvenir souvenirAvantAvance();
// After the record: appends and syncs the detail row, keeps the souvenir,
// starts the next photo's recipe from the bits as they are, redraws the
// picture of the run.
void enregistrerAvance(Souvenir souvenir, const RecordEcrit& ecrit);
