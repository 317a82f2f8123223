#include "app/boucle.h"

void handleEvents() {}  // placeholder
void clean() {}         // placeholder
