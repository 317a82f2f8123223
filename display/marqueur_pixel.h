// The pixel marker: the flat square copied onto every selected zone pixel,
// sized for the zoom of the moment.
#pragma once
#include <cstdint>

// On-screen side of one photo pixel: max(1, floor(zoom)).
int32_t taillePixel(double zoom);
// Side of the marker texture for an on-screen pixel side: the render insets
// each marker by one pixel on each side from a side of 3 up.
int32_t coteMarqueur(int32_t taille_pixel);

// Rebuilds the marker for m_taille_pixel and sets m_rect_source_pixel to its
// whole square, so a frame never copies from a stale or empty source.
void construireMarqueurPixel();
// m_taille_pixel from m_zoom, then the marker for it: at the first placement
// and after every zoom step. Ignored without a valid zoom.
void marqueurPourLeZoom();

// The marker pair, created and released only here so its flags change in one
// place; releases each object whose flag is set.
void libererMarqueurPixel();
