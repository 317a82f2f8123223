#include "output/vue_suivante.h"

bool vueSuivante() { return true; }  // placeholder
