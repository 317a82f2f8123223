#pragma once
enum class Direction { Droite, Gauche, Bas, Haut };
// One pan step of m_pas_deplacement window pixels.
void deplacerVue(Direction direction);
// One zoom step (+1 or -1) about the window centre.
void changerZoom(int sens);
// Rebuilds the pixel marker for m_taille_pixel.
void construireMarqueurPixel();
