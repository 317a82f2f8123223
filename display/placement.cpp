#include "display/placement.h"

#include <cmath>

#include "etat/conversion.h"
#include "etat/etat.h"

double decalageCentre(int32_t taille_photo, double zoom, int32_t taille_fenetre, double translation) {
  return (taille_photo * zoom - taille_fenetre) * 0.5 - translation * zoom;
}

Axe placerAxe(int32_t taille_photo, double zoom, double decalage) {
  Axe axe;
  if (!(zoom > 0.0) || !std::isfinite(zoom)) return axe;
  axe.destination_pos = -arrondi(decalage);
  axe.source_pos = 0;
  axe.source_taille = zoom < 1.0 ? arrondi(taille_photo / zoom) : taille_photo;
  axe.destination_taille = arrondi(taille_photo * zoom);
  return axe;
}

void appliquerAxeX() {
  Etat& e = *g_etat;
  Axe axe = placerAxe(e.m_largeur_photo, e.m_zoom, e.m_decalage_x);
  e.m_rect_source.x = axe.source_pos;
  e.m_rect_source.w = axe.source_taille;
  e.m_rect_destination.x = axe.destination_pos;
  e.m_rect_destination.w = axe.destination_taille;
}

void appliquerAxeY() {
  Etat& e = *g_etat;
  Axe axe = placerAxe(e.m_hauteur_photo, e.m_zoom, e.m_decalage_y);
  e.m_rect_source.y = axe.source_pos;
  e.m_rect_source.h = axe.source_taille;
  e.m_rect_destination.y = axe.destination_pos;
  e.m_rect_destination.h = axe.destination_taille;
}

void placerAvecTranslation(double translation_x, double translation_y) {
  Etat& e = *g_etat;
  e.m_decalage_x = decalageCentre(e.m_largeur_photo, e.m_zoom, e.m_largeur_fenetre, translation_x);
  appliquerAxeX();
  e.m_decalage_y = decalageCentre(e.m_hauteur_photo, e.m_zoom, e.m_hauteur_fenetre, translation_y);
  appliquerAxeY();
}

bool zoomValide() {
  double z = g_etat->m_zoom;
  return z > 0.0 && std::isfinite(z);
}
