#include "display/fenetre.h"

bool init() { return false; }  // placeholder
void placerPhoto() {}          // placeholder
