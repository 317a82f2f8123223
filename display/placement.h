// Where the photo goes in the window, axis by axis. Pure arithmetic: the view
// operations, the first placement and the next photo all use these rules.
#pragma once

#include <cstdint>

// One axis of the photo's source and destination rectangles.
struct Axe {
  int32_t source_pos = 0;
  int32_t source_taille = 0;
  int32_t destination_pos = 0;
  int32_t destination_taille = 0;
};

// Offset that shows photo point (taille_photo / 2 - translation) at the window
// centre: (taille_photo * zoom - taille_fenetre) * 0.5 - translation * zoom.
double decalageCentre(int32_t taille_photo, double zoom, int32_t taille_fenetre, double translation);

// Rectangles of one axis from its offset. With no valid zoom (0, negative,
// NaN) the rectangles are empty.
Axe placerAxe(int32_t taille_photo, double zoom, double decalage);

// Writes the horizontal (or vertical) members of m_rect_source and
// m_rect_destination from m_decalage_x (or m_decalage_y) and m_zoom.
void appliquerAxeX();
void appliquerAxeY();

// Places both axes from the current photo size and zoom, with the given pan
// (photo pixels) taken as the translation; the pan fields are not read.
void placerAvecTranslation(double translation_x, double translation_y);

// True when m_zoom can be divided by: mouse input, pan and zoom wait for it.
bool zoomValide();
