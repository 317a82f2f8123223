#pragma once
#include <cstdint>

enum class Direction { Droite, Gauche, Bas, Haut };
// One pan step of m_pas_deplacement window pixels. Ignored without a valid zoom.
void deplacerVue(Direction direction);
// One zoom step (+1 or -1) about the window centre. Ignored without a valid
// zoom, with the index outside the table, or at either end of the table.
void changerZoom(int sens);

// Pure arithmetic of the view, for tests.
// Offset after a zoom from zoom_avant to zoom_apres that keeps the photo point
// under window column (or row) taille_fenetre / 2 where it is.
double decalageApresZoom(double decalage, int32_t taille_fenetre, double zoom_avant, double zoom_apres);
