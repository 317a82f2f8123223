#include "interaction/clavier.h"

bool sectionClavier() { return false; }  // placeholder
