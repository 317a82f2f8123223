#include "output/resultats.h"

void ecrireResultats() {}  // placeholder
