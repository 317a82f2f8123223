#include "interaction/vue.h"

void deplacerVue(Direction) {}     // placeholder
void changerZoom(int) {}           // placeholder
void construireMarqueurPixel() {}  // placeholder
