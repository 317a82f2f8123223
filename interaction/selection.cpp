#include "interaction/selection.h"

bool definirZone(int32_t, int32_t, int32_t, int32_t) { return false; }  // placeholder
Uint32 lirePixel(SDL_Surface*, int32_t, int32_t) { return 0; }          // placeholder
void ajouterCouleursSimilaires(int32_t, int32_t) {}                      // placeholder
void calculerCentre() {}                                                 // placeholder
void placerCroixCentre() {}                                              // placeholder
void modifierRectangle(int32_t, int32_t, int32_t, int32_t, bool) {}     // placeholder
