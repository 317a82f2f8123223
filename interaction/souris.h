#pragma once
#include <SDL.h>

#include <cstdint>

// A mouse button press or release at a window point (from the event step).
void appuiSouris(uint8_t bouton, int32_t x, int32_t y);
void relacheSouris(uint8_t bouton, int32_t x, int32_t y);
// Recomputes the zone's window edges, m_rect_zone and m_rect_source_fog.
void placerZone();
// Rebuilds the zone overlay for m_rect_zone.
void construireFog();

// The overlay pair, created and released only here so its flags change in one
// place. creerFog makes Fog and gFog of the given size (window-bounded by the
// caller); libererFog releases each one whose flag is set.
void creerFog(int32_t largeur, int32_t hauteur);
void libererFog();

// Rectangle of a drag from the press point (xa, ya) to (x, y), corners in any
// order; widths fit int32 for any two int32 points within kEntierSur.
SDL_Rect rectangleNormalise(int32_t xa, int32_t ya, int32_t x, int32_t y);

struct CoinsZone {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
// Photo corners of a zone drawn as window rectangle r: the clamps of the zone
// choice, then brought into the photo so tiny photos keep x0 <= x1 inside it.
// False when there is no photo (W or H not above 0) or no valid zoom.
bool coinsZone(const SDL_Rect& r, double zoom, double dx, double dy, int32_t largeur, int32_t hauteur,
               CoinsZone& coins);

struct ZoneFenetre {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // edges in window pixels
  SDL_Rect rect{0, 0, 0, 0};               // {x0, y0, x1 - x0, y1 - y0}
};
// Window edges of the inclusive photo zone under the view (zoom, dx, dy).
ZoneFenetre zoneFenetre(int32_t zx0, int32_t zy0, int32_t zx1, int32_t zy1, double zoom, double dx, double dy);

// Overlay side along one axis: the zone's window side, but never more than
// the window (at least 1 so a zero-sized window still gets a valid surface).
int32_t coteFog(int32_t cote_zone, int32_t cote_fenetre);
