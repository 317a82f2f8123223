#include "display/marqueur_pixel.h"

#include <algorithm>

#include "etat/conversion.h"
#include "etat/etat.h"
#include "display/aplat.h"
#include "display/placement.h"

int32_t taillePixel(double zoom) { return std::max<int32_t>(1, plancher(zoom)); }

int32_t coteMarqueur(int32_t taille_pixel) { return taille_pixel < 3 ? taille_pixel : taille_pixel - 2; }

void construireMarqueurPixel() {
  Etat& e = *g_etat;
  libererMarqueurPixel();
  const int32_t cote = coteMarqueur(e.m_taille_pixel);
  creerAplat({e.m_surface_pixel, e.m_surface_pixel_existe, e.m_texture_pixel, e.m_texture_pixel_existe}, cote, cote,
             e.m_rouge_pixel, e.m_vert_pixel, e.m_bleu_pixel, e.m_alpha_pixel);
  e.m_rect_source_pixel = {0, 0, cote, cote};
}

void marqueurPourLeZoom() {
  Etat& e = *g_etat;
  if (!zoomValide()) return;
  e.m_taille_pixel = taillePixel(e.m_zoom);
  construireMarqueurPixel();
}

void libererMarqueurPixel() {
  Etat& e = *g_etat;
  if (e.m_surface_pixel_existe != 0) {
    SDL_FreeSurface(e.m_surface_pixel);
    e.m_surface_pixel = nullptr;
    e.m_surface_pixel_existe = 0;
  }
  if (e.m_texture_pixel_existe != 0) {
    if (e.m_texture_pixel != nullptr) SDL_DestroyTexture(e.m_texture_pixel);
    e.m_texture_pixel = nullptr;
    e.m_texture_pixel_existe = 0;
  }
}
