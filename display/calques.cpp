#include "display/calques.h"

void dessinerZone() {}       // placeholder
void dessinerMarqueurs() {}  // placeholder
