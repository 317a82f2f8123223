#include "series/parametres.h"

bool readParameters() { return false; }  // placeholder
