#include "interaction/souris.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>

#include "etat/conversion.h"
#include "etat/etat.h"
#include "display/aplat.h"
#include "display/placement.h"
#include "interaction/passe_couleur.h"
#include "interaction/recette.h"
#include "interaction/selection.h"

namespace {

bool zoomUtilisable(double zoom) { return zoom > 0.0 && std::isfinite(zoom); }

// Window point to photo pixel; double sums so x + w never wraps.
int32_t colonneDe(double wx, double decalage, double zoom) { return plancher((wx + decalage) / zoom); }

void enregistrerAppui(int32_t x, int32_t y) {
  Etat& e = *g_etat;
  const int32_t s = e.m_demi_croix;
  e.m_x_appui = x;
  e.m_y_appui = y;
  // a point far outside the window (a drag off screen) must not wrap the bars
  e.m_croix_appui_h = {versInt32(double(x) - s), y, 2 * s, 1};
  e.m_croix_appui_v = {x, versInt32(double(y) - s), 1, 2 * s};
  e.m_afficher_croix_appui = true;
}

void finirZone(int32_t x, int32_t y) {
  Etat& e = *g_etat;
  e.m_x_fin_zone = x;
  e.m_y_fin_zone = y;
  e.m_rect_zone = rectangleNormalise(e.m_x_appui, e.m_y_appui, x, y);
  CoinsZone c;
  bool acceptee = false;
  // no photo (or no view): nothing to list, the drag ends like a refused zone
  if (coinsZone(e.m_rect_zone, e.m_zoom, e.m_decalage_x, e.m_decalage_y, e.m_largeur_photo, e.m_hauteur_photo, c)) {
    acceptee = definirZone(c.x0, c.y0, c.x1, c.y1);
    ++e.m_version_selection;  // an accepted zone clears every selection bit
    if (acceptee) noterZone();
  }
  if (!acceptee) {
    e.m_afficher_zone = false;
    e.m_afficher_croix_appui = true;
    return;
  }
  placerZone();
  if (e.m_rect_zone.w > 0 && e.m_rect_zone.h > 0) construireFog();
  e.m_afficher_zone = true;
  e.m_afficher_croix_appui = false;
}

void finirModification(int32_t x, int32_t y) {
  Etat& e = *g_etat;
  e.m_x_souris = x;
  e.m_y_souris = y;
  e.m_rect_marqueur = rectangleNormalise(e.m_x_appui, e.m_y_appui, x, y);
  if (!zoomUtilisable(e.m_zoom)) return;
  const SDL_Rect& r = e.m_rect_marqueur;
  // not clamped: parts outside the zone simply match no entry
  e.m_modif_x0 = colonneDe(r.x, e.m_decalage_x, e.m_zoom);
  e.m_modif_y0 = colonneDe(r.y, e.m_decalage_y, e.m_zoom);
  e.m_modif_x1 = colonneDe(double(r.x) + r.w, e.m_decalage_x, e.m_zoom);
  e.m_modif_y1 = colonneDe(double(r.y) + r.h, e.m_decalage_y, e.m_zoom);
  modifierRectangle(e.m_modif_x0, e.m_modif_y0, e.m_modif_x1, e.m_modif_y1, e.m_ajout_souris);
  noterRectangle(e.m_modif_x0, e.m_modif_y0, e.m_modif_x1, e.m_modif_y1, e.m_ajout_souris);
  ++e.m_version_selection;
  e.m_afficher_croix_appui = false;
}

}  // namespace

SDL_Rect rectangleNormalise(int32_t xa, int32_t ya, int32_t x, int32_t y) {
  auto axe = [](int32_t a, int32_t b, int& pos, int& taille) {
    const int64_t d = int64_t(b) - a;
    pos = a < b ? a : b;
    taille = versInt32(double(d < 0 ? -d : d));
  };
  SDL_Rect r{0, 0, 0, 0};
  axe(xa, x, r.x, r.w);
  axe(ya, y, r.y, r.h);
  return r;
}

bool coinsZone(const SDL_Rect& r, double zoom, double dx, double dy, int32_t largeur, int32_t hauteur,
               CoinsZone& c) {
  if (!zoomUtilisable(zoom) || largeur <= 0 || hauteur <= 0) return false;
  c.x0 = colonneDe(r.x, dx, zoom);
  c.y0 = colonneDe(r.y, dy, zoom);
  c.x1 = colonneDe(double(r.x) + r.w, dx, zoom);
  c.y1 = colonneDe(double(r.y) + r.h, dy, zoom);
  if (c.x0 < 0) c.x0 = 0;
  if (c.y0 < 0) c.y0 = 0;
  if (c.x0 >= largeur) c.x0 = largeur - 3;
  if (c.y0 >= hauteur) c.y0 = hauteur - 3;
  if (c.x1 < 0) c.x1 = 1;
  if (c.y1 < 0) c.y1 = 1;
  if (c.x1 >= largeur) c.x1 = largeur - 1;
  if (c.y1 >= hauteur) c.y1 = hauteur - 1;
  // photos 1 or 2 pixels wide or high: W - 3 and the "1" above fall outside
  c.x0 = std::clamp(c.x0, 0, largeur - 1);
  c.x1 = std::clamp(c.x1, 0, largeur - 1);
  c.y0 = std::clamp(c.y0, 0, hauteur - 1);
  c.y1 = std::clamp(c.y1, 0, hauteur - 1);
  return true;
}

ZoneFenetre zoneFenetre(int32_t zx0, int32_t zy0, int32_t zx1, int32_t zy1, double zoom, double dx, double dy) {
  ZoneFenetre z;
  z.x0 = plancher(zx0 * zoom - dx);
  z.y0 = plancher(zy0 * zoom - dy);
  // up to one pixel before the left edge of the column after the last
  z.x1 = plancher((zx1 + 1.0) * zoom - dx) - 1;
  z.y1 = plancher((zy1 + 1.0) * zoom - dy) - 1;
  z.rect = {z.x0, z.y0, z.x1 - z.x0, z.y1 - z.y0};
  return z;
}

int32_t coteFog(int32_t cote_zone, int32_t cote_fenetre) {
  return std::min(cote_zone, std::max(cote_fenetre, 1));
}

void appuiSouris(uint8_t bouton, int32_t x, int32_t y) {
  Etat& e = *g_etat;
  if (bouton != SDL_BUTTON_LEFT || !e.m_mode_couleurs_voisines) return;
  if (e.m_choix_zone) enregistrerAppui(x, y);
  if (e.m_retrait_souris || e.m_ajout_souris) enregistrerAppui(x, y);
  if (e.m_ajout_couleurs) {
    e.m_x_souris = x;
    e.m_y_souris = y;
    if (!zoomValide()) return;
    // a click with no photo to read changes nothing and records nothing
    const bool photo = e.pTempSurface_prairie != nullptr;
    const int64_t avant = photo ? nombreDeBits(e.is_select) : 0;
    ajouterCouleursSimilaires(x, y);
    if (photo) noterCouleur(avant);
    ++e.m_version_selection;
  }
}

void relacheSouris(uint8_t bouton, int32_t x, int32_t y) {
  Etat& e = *g_etat;
  if (bouton != SDL_BUTTON_LEFT || !e.m_mode_couleurs_voisines) return;
  if (e.m_choix_zone) {
    finirZone(x, y);
  } else if (e.m_ajout_souris || e.m_retrait_souris) {
    finirModification(x, y);
  }
}

void placerZone() {
  Etat& e = *g_etat;
  ZoneFenetre z = zoneFenetre(e.m_zone_x0, e.m_zone_y0, e.m_zone_x1, e.m_zone_y1, e.m_zoom, e.m_decalage_x,
                              e.m_decalage_y);
  e.m_zone_fenetre_x0 = z.x0;
  e.m_zone_fenetre_y0 = z.y0;
  e.m_zone_fenetre_x1 = z.x1;
  e.m_zone_fenetre_y1 = z.y1;
  e.m_rect_zone = z.rect;
  e.m_rect_source_fog = {0, 0, z.rect.w, z.rect.h};
}

void construireFog() {
  Etat& e = *g_etat;
  const SDL_Rect& r = e.m_rect_zone;
  if (r.w <= 0 || r.h <= 0) return;
  libererFog();
  // The overlay is one flat colour: a window-sized piece covers every screen
  // pixel of the zone, whatever the zoom (dessinerZone clips to the window).
  creerFog(coteFog(r.w, e.m_largeur_fenetre), coteFog(r.h, e.m_hauteur_fenetre));
}

void creerFog(int32_t largeur, int32_t hauteur) {
  Etat& e = *g_etat;
  creerAplat({e.Fog, e.m_fog_existe, e.gFog, e.m_gfog_existe}, largeur, hauteur, e.m_rouge_fog, e.m_vert_fog,
             e.m_bleu_fog, e.m_alpha_fog);
}

void libererFog() {
  Etat& e = *g_etat;
  if (e.m_fog_existe != 0) {
    SDL_FreeSurface(e.Fog);
    e.Fog = nullptr;
    e.m_fog_existe = 0;
  }
  if (e.m_gfog_existe != 0) {
    if (e.gFog != nullptr) SDL_DestroyTexture(e.gFog);
    e.gFog = nullptr;
    e.m_gfog_existe = 0;
  }
}
