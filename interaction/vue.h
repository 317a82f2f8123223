#pragma once
#include <cstdint>

enum class Direction { Droite, Gauche, Bas, Haut };
// One pan step of m_pas_deplacement window pixels. Ignored without a valid zoom.
void deplacerVue(Direction direction);
// One zoom step (+1 or -1) about the window centre. Ignored without a valid
// zoom, with the index outside the table, or at either end of the table.
void changerZoom(int sens);
// One zoom step (+1 or -1) of the wheel about window point (wx, wy): the
// photo point under it stays there; the pan follows so the next pan step goes
// on from this view. One console line; nothing at either end of the table.
void zoomerMolette(int sens, int32_t wx, int32_t wy);
// Key 0: the largest zoom of the table at which the whole photo fits the
// window, centred (pan cleared). One console line.
void montrerPhotoEntiere();

// Pure arithmetic of the view, for tests.
// Offset after a zoom from zoom_avant to zoom_apres that keeps the photo point
// under window column (or row) taille_fenetre / 2 where it is.
double decalageApresZoom(double decalage, int32_t taille_fenetre, double zoom_avant, double zoom_apres);
// Offset after a zoom that keeps the photo point under window column (or
// row) `point` where it is.
double decalageAutour(double decalage, int32_t point, double zoom_avant, double zoom_apres);
// The translation the pan rule gives for an offset (decalageCentre inverted).
double translationDe(double decalage, int32_t taille_photo, double zoom, int32_t taille_fenetre);
// The largest index up to indice_max whose usable factor shows the whole
// photo in the window; the smallest usable one when none does; -1 with no
// usable factor.
int32_t indicePhotoEntiere(const double* table, int32_t indice_max, int32_t largeur_photo, int32_t hauteur_photo,
                           int32_t largeur_fenetre, int32_t hauteur_fenetre);
