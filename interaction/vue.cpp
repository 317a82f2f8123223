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

}  // namespace

double decalageApresZoom(double decalage, int32_t taille_fenetre, double zoom_avant, double zoom_apres) {
  const int32_t c = taille_fenetre / 2;  // integer half, as the window-centre cross
  return (c + decalage) * zoom_apres / zoom_avant - c;
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
  const int32_t maximum = std::min(e.m_indice_zoom_max, kTailleTable - 1);
  if ((sens == 1 && e.m_indice_zoom >= maximum) || (sens == -1 && e.m_indice_zoom <= 0)) return;
  const int32_t suivant = e.m_indice_zoom + sens;
  // an unfilled table would divide by zero below
  if (!facteurUtilisable(e.m_zoom_precedent) || !facteurUtilisable(e.m_table_zoom[suivant])) return;
  e.m_indice_zoom = suivant;
  e.m_zoom = e.m_table_zoom[suivant];
  std::cout << (sens == 1 ? "dans P" : "dans L") << std::endl;
  marqueurPourLeZoom();
  e.m_decalage_x = decalageApresZoom(e.m_decalage_x, e.m_largeur_fenetre, e.m_zoom_precedent, e.m_zoom);
  appliquerAxeX();
  e.m_decalage_y = decalageApresZoom(e.m_decalage_y, e.m_hauteur_fenetre, e.m_zoom_precedent, e.m_zoom);
  appliquerAxeY();
  terminerVue();
}
