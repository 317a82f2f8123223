#pragma once
#include <SDL.h>

#include <cstdint>

// Stores the zone corners (photo pixels, inclusive), applies the size limit and
// rebuilds the lists. False when the zone is refused: the previous zone (corners,
// differences and lists) is then kept whole.
bool definirZone(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// The zone and its lists as definirZone makes an accepted zone (every bit
// cleared), without the size test and without a console line.
void construireZone(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
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
// Turns the sums and the count of a selection pass into the centre, the cross
// and the "centre: " line; hides the cross when nothing is selected.
void calculerCentre();
// Places the centre cross from the centre and the current view.
void placerCroixCentre();

// The add (ajout true) or remove drag over the photo bounds x0..x1, y0..y1
// (inclusive, in any part outside the zone matching nothing): sets or clears
// is_select for those zone entries, recounts the whole zone and calls
// calculerCentre.
void modifierRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool ajout);
// Recounts m_nombre_selectionnes and the sums in m_centre_x, m_centre_y (of
// column + 0.5 and row + 0.5) over the selected zone entries.
void recompterSelection();
