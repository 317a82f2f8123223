// The colour passes: a click's colour and every zone pixel within the
// tolerances of it, read from the photo in any pixel format.
#pragma once
#include <SDL.h>

#include <cstdint>

// The pixel value at a photo position, for SDL_GetRGB; sets m_octets_par_pixel
// and m_adresse_pixel. 0 for a position outside the surface (address untouched).
Uint32 lirePixel(SDL_Surface* surface, int32_t colonne, int32_t ligne);
// The colour click at a window point: adds every zone pixel within the
// tolerances of the clicked pixel's colour, then computes the centre.
void ajouterCouleursSimilaires(int32_t wx, int32_t wy);
// The colour pass of a click with a given reference colour and tolerances
// (the tolerances in force are left as they are): adds every zone pixel of
// the photo within them, leaves the count and the sums. False, with nothing
// changed, when there is no photo surface.
bool passeCouleurDe(Uint8 rouge, Uint8 vert, Uint8 bleu, int32_t tolerance_rouge, int32_t tolerance_vert,
                    int32_t tolerance_bleu);

// The photo pixel a colour click at window point (wx, wy) reads: the pixel
// under it by the view (zoom, dx, dy), brought to 0 below the photo's
// fields and to W - 2 (H - 2) past them, then onto the surface; (0, 0) for
// an empty surface.
struct PixelClic {
  int32_t colonne = 0, ligne = 0;
};
PixelClic pixelClic(int32_t wx, int32_t wy, double zoom, double dx, double dy, int32_t largeur_photo,
                    int32_t hauteur_photo, int32_t largeur_surface, int32_t hauteur_surface);
