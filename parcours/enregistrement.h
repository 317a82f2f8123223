// What an advance leaves behind beyond the three result files: its detail
// row, its place in the history of the run (for the step back), the next
// photo's recipe and the picture of the run.
#pragma once

#include "etat/historique.h"

// The photo being left as the RETURN found it: taken before the advance
// resets the modes.
Souvenir souvenirAvantAvance();
// Before the advance: the souvenir's record (when something is selected)
// and detail row set, and the row written. False when the detail file is
// open and did not take it: nothing else is written, and "<quoi>
// impossible : " with the reason is printed.
bool ecrireLigneDetail(Souvenir& souvenir, const char* quoi);
// After the record: keeps the souvenir, brings files out of step back in
// step, starts the next photo's recipe from the bits as they are, redraws
// the picture of the run.
void enregistrerAvance(Souvenir souvenir);
