#include "interaction/vue.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "etat/conversion.h"
#include "etat/etat.h"
#include "display/marqueur_pixel.h"
#include "display/placement.h"
#include "interaction/selection.h"
#include "interaction/souris.h"

namespace {

constexpr int32_t kTailleTable = 9;

bool facteurUtilisable(double z) { return z > 0.0 && std::isfinite(z); }

// After every pan or zoom step: bring the zone, its overlay and the centre
// cross onto their photo pixels again.
void terminerVue() {
  Etat& e = *g_etat;
  placerZone();
  if (e.m_rect_zone.w > 0 && e.m_rect_zone.h > 0) construireFog();
  if (e.m_nombre_selectionnes > 0) {
    placerCroixCentre();
    e.m_afficher_centre = true;
    e.m_afficher_zone = true;
  }
}

// The table index one step from the current one; -1 at either end of the
// table or where the table holds no usable factor.
int32_t indiceVoisin(int sens) {
  const Etat& e = *g_etat;
  const int32_t maximum = std::min(e.m_indice_zoom_max, kTailleTable - 1);
  if ((sens == 1 && e.m_indice_zoom >= maximum) || (sens == -1 && e.m_indice_zoom <= 0)) return -1;
  const int32_t suivant = e.m_indice_zoom + sens;
  return facteurUtilisable(e.m_table_zoom[suivant]) ? suivant : -1;
}

// The zoom of table index `indice`, from zoom_avant, keeping the photo point
// under window point (wx, wy) where it is; the marker, the photo, the zone
// and the cross follow.
void zoomerAutour(int32_t indice, double zoom_avant, int32_t wx, int32_t wy) {
  Etat& e = *g_etat;
  e.m_indice_zoom = indice;
  e.m_zoom = e.m_table_zoom[indice];
  marqueurPourLeZoom();
  e.m_decalage_x = decalageAutour(e.m_decalage_x, wx, zoom_avant, e.m_zoom);
  appliquerAxeX();
  e.m_decalage_y = decalageAutour(e.m_decalage_y, wy, zoom_avant, e.m_zoom);
  appliquerAxeY();
  terminerVue();
}

}  // namespace

double decalageApresZoom(double decalage, int32_t taille_fenetre, double zoom_avant, double zoom_apres) {
  // integer half, as the window-centre cross
  return decalageAutour(decalage, taille_fenetre / 2, zoom_avant, zoom_apres);
}

void deplacerVue(Direction direction) {
  Etat& e = *g_etat;
  if (!zoomValide()) return;
  const double p = e.m_pas_deplacement / e.m_zoom;
  switch (direction) {
    case Direction::Droite:
    case Direction::Gauche:
      e.m_translation_x += direction == Direction::Droite ? p : -p;
      e.m_decalage_x = decalageCentre(e.m_largeur_photo, e.m_zoom, e.m_largeur_fenetre, e.m_translation_x);
      appliquerAxeX();
      break;
    case Direction::Bas:
    case Direction::Haut:
      e.m_translation_y += direction == Direction::Bas ? p : -p;
      e.m_decalage_y = decalageCentre(e.m_hauteur_photo, e.m_zoom, e.m_hauteur_fenetre, e.m_translation_y);
      appliquerAxeY();
      break;
  }
  terminerVue();
}

void changerZoom(int sens) {
  Etat& e = *g_etat;
  if (sens != 1 && sens != -1) return;
  if (!zoomValide()) return;
  // an index the parameter file got wrong must never reach the table
  if (e.m_indice_zoom < 0 || e.m_indice_zoom >= kTailleTable) return;
  e.m_zoom_precedent = e.m_table_zoom[e.m_indice_zoom];
  const int32_t suivant = indiceVoisin(sens);
  // an unfilled table would divide by zero below
  if (suivant < 0 || !facteurUtilisable(e.m_zoom_precedent)) return;
  std::cout << (sens == 1 ? "dans P" : "dans L") << std::endl;
  zoomerAutour(suivant, e.m_zoom_precedent, e.m_largeur_fenetre / 2, e.m_hauteur_fenetre / 2);
}

void zoomerMolette(int sens, int32_t wx, int32_t wy) {
  Etat& e = *g_etat;
  if (sens != 1 && sens != -1) return;
  if (!zoomValide()) return;
  if (e.m_indice_zoom < 0 || e.m_indice_zoom >= kTailleTable) return;
  const int32_t suivant = indiceVoisin(sens);
  if (suivant < 0) return;  // at either end of the table, as P and L: nothing
  // from the zoom shown, which the closing picture sets apart from the table
  e.m_zoom_precedent = e.m_zoom;
  std::cout << "Molette : zoom " << e.m_table_zoom[suivant] << std::endl;
  zoomerAutour(suivant, e.m_zoom_precedent, wx, wy);
  // the pan rule takes the window centre's photo point from the translation:
  // the next pan step goes on from this view
  e.m_translation_x = translationDe(e.m_decalage_x, e.m_largeur_photo, e.m_zoom, e.m_largeur_fenetre);
  e.m_translation_y = translationDe(e.m_decalage_y, e.m_hauteur_photo, e.m_zoom, e.m_hauteur_fenetre);
}

void montrerPhotoEntiere() {
  Etat& e = *g_etat;
  if (e.m_largeur_photo <= 0 || e.m_hauteur_photo <= 0) {
    std::cout << "Photo entiere : pas de photo" << std::endl;
    return;
  }
  const int32_t indice = indicePhotoEntiere(e.m_table_zoom, std::min(e.m_indice_zoom_max, kTailleTable - 1),
                                            e.m_largeur_photo, e.m_hauteur_photo, e.m_largeur_fenetre,
                                            e.m_hauteur_fenetre);
  if (indice < 0) return;  // no table: the parameter file stopped before it
  e.m_zoom_precedent = e.m_zoom;
  e.m_indice_zoom = indice;
  e.m_zoom = e.m_table_zoom[indice];
  std::cout << "Photo entiere : zoom " << e.m_zoom << std::endl;
  marqueurPourLeZoom();
  e.m_translation_x = e.m_translation_y = 0.0;
  placerAvecTranslation(0.0, 0.0);
  terminerVue();
}

int32_t indicePhotoEntiere(const double* table, int32_t indice_max, int32_t largeur_photo, int32_t hauteur_photo,
                           int32_t largeur_fenetre, int32_t hauteur_fenetre) {
  int32_t plus_petit = -1;
  for (int32_t k = indice_max; k >= 0; --k) {
    if (!facteurUtilisable(table[k])) continue;
    // the placed sizes, rounded as the placement rounds them
    if (arrondi(largeur_photo * table[k]) <= largeur_fenetre && arrondi(hauteur_photo * table[k]) <= hauteur_fenetre)
      return k;
    plus_petit = k;
  }
  return plus_petit;  // too large at every zoom: as small as the table goes
}

double decalageAutour(double decalage, int32_t point, double zoom_avant, double zoom_apres) {
  return (point + decalage) * zoom_apres / zoom_avant - point;
}

double translationDe(double decalage, int32_t taille_photo, double zoom, int32_t taille_fenetre) {
  return ((taille_photo * zoom - taille_fenetre) * 0.5 - decalage) / zoom;
}
