#pragma once
#include <SDL.h>

#include <cstdint>

// Stores the zone corners (photo pixels, inclusive), applies the size limit and
// rebuilds the lists. False when the zone is refused.
bool definirZone(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// The pixel value at a photo position, for SDL_GetRGB.
Uint32 lirePixel(SDL_Surface* surface, int32_t colonne, int32_t ligne);
// The colour click at a window point.
void ajouterCouleursSimilaires(int32_t wx, int32_t wy);
// Turns the sums and the count of a selection pass into the centre.
void calculerCentre();
// Places the centre cross from the centre and the current view.
void placerCroixCentre();
// Sets (ajout) or clears the selection bit of every zone pixel within the
// inclusive photo bounds, recounts the sums and the count, then calculerCentre.
void modifierRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool ajout);
