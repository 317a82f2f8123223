// The search zone and its selection: the zone's lists, the drags over them,
// the count and the centre. The colour passes are in passe_couleur.h.
#pragma once

#include <cstdint>

// Stores the zone corners (photo pixels, inclusive), applies the size limit and
// rebuilds the lists. False when the zone is refused: the previous zone (corners,
// differences and lists) is then kept whole.
bool definirZone(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// The zone and its lists as definirZone makes an accepted zone (every bit
// cleared), without the size test and without a console line.
void construireZone(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
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
