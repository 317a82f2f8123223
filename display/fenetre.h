#pragma once

struct Etat;

// Starts SDL, opens the window and its renderer, loads and places the first
// photo; sets m_en_marche. False when SDL, the window or the renderer failed.
bool init();
// Centres the photo scaled by m_zoom in the window (pan not read).
void placerPhoto();
// The window's size, from the renderer when it tells, else the record's.
void tailleSortie(const Etat& e, int& largeur, int& hauteur);
