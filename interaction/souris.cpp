#include "interaction/souris.h"

void appuiSouris(uint8_t, int32_t, int32_t) {}    // placeholder
void relacheSouris(uint8_t, int32_t, int32_t) {}  // placeholder
void placerZone() {}                              // placeholder
void construireFog() {}                           // placeholder
