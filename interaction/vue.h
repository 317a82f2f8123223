#pragma once
#include <cstdint>

enum class Direction { Droite, Gauche, Bas, Haut };
// One pan step of m_pas_deplacement window pixels. Ignored without a valid zoom.
void deplacerVue(Direction direction);
// One zoom step (+1 or -1) about the window centre. Ignored without a valid
// zoom, with the index outside the table, or at either end of the table.
void changerZoom(int sens);
// Rebuilds the pixel marker for m_taille_pixel.
void construireMarqueurPixel();

// Pure arithmetic of the view, for tests.
// Side of the marker texture for an on-screen pixel side: the render insets
// each marker by one pixel on each side from a side of 3 up.
int32_t coteMarqueur(int32_t taille_pixel);
// On-screen side of one photo pixel: max(1, floor(zoom)).
int32_t taillePixel(double zoom);
// Offset after a zoom from zoom_avant to zoom_apres that keeps the photo point
// under window column (or row) taille_fenetre / 2 where it is.
double decalageApresZoom(double decalage, int32_t taille_fenetre, double zoom_avant, double zoom_apres);

// The marker pair, created and released only here so its flags change in one
// place; releases each object whose flag is set.
void libererMarqueurPixel();
