#include "display/calques.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/conversion.h"
#include "app/etat.h"

namespace {

void copier(SDL_Texture* texture, const SDL_Rect& source, const SDL_Rect& destination) {
  SDL_RenderCopyEx(g_etat->m_rendu, texture, &source, &destination, 0.0, nullptr, SDL_FLIP_NONE);
}

// The drawing target's size: what the renderer clips to.
SDL_Rect cible() {
  Etat& e = *g_etat;
  int w = 0, h = 0;
  if (SDL_GetRendererOutputSize(e.m_rendu, &w, &h) != 0) {
    w = e.m_largeur_fenetre;
    h = e.m_hauteur_fenetre;
  }
  return {0, 0, std::max(w, 0), std::max(h, 0)};
}

CleMarqueurs cleCourante(const SDL_Rect& fenetre) {
  Etat& e = *g_etat;
  static_assert(sizeof(CleMarqueurs) == 240, "8-byte fields only: the key compares bytewise");
  CleMarqueurs c;
  c.version = e.m_version_selection;
  c.zone[0] = e.m_zone_x0;
  c.zone[1] = e.m_zone_y0;
  c.zone[2] = e.m_zone_x1;
  c.zone[3] = e.m_zone_y1;
  c.zone[4] = e.m_zone_dx;
  c.zone[5] = e.m_zone_dy;
  c.tailles[0] = int64_t(std::min(e.m_liste_x.size(), e.m_liste_y.size()));
  c.tailles[1] = int64_t(e.is_select.size());
  c.tailles[2] = e.m_nombre_selectionnes;
  c.tailles[3] = e.m_taille_pixel;
  c.vue[0] = e.m_zoom;
  c.vue[1] = e.m_decalage_x;
  c.vue[2] = e.m_decalage_y;
  c.vue[3] = e.m_centre_x;
  c.vue[4] = e.m_centre_y;
  c.source[0] = e.m_rect_source_pixel.x;
  c.source[1] = e.m_rect_source_pixel.y;
  c.source[2] = e.m_rect_source_pixel.w;
  c.source[3] = e.m_rect_source_pixel.h;
  int tw = 0, th = 0;
  if (e.m_texture_pixel != nullptr) SDL_QueryTexture(e.m_texture_pixel, nullptr, nullptr, &tw, &th);
  c.fenetre[0] = fenetre.w;
  c.fenetre[1] = fenetre.h;
  c.fenetre[2] = tw;
  c.fenetre[3] = th;
  c.couleur[0] = e.m_rouge_pixel & 0xFF;
  c.couleur[1] = e.m_vert_pixel & 0xFF;
  c.couleur[2] = e.m_bleu_pixel & 0xFF;
  c.couleur[3] = e.m_alpha_pixel & 0xFF;
  c.objets[0] = e.m_rendu;
  c.objets[1] = e.m_texture_pixel;
  return c;
}

// A copy of the marker texture shows anything only when its source
// rectangle meets the texture and its destination is not empty.
bool marqueurVisible(const CleMarqueurs& c) {
  Etat& e = *g_etat;
  if (e.m_texture_pixel == nullptr || e.m_taille_pixel <= 0) return false;
  SDL_Rect texture{0, 0, int(c.fenetre[2]), int(c.fenetre[3])};
  SDL_Rect commun;
  return SDL_IntersectRect(&e.m_rect_source_pixel, &texture, &commun) == SDL_TRUE;
}

// Coverage count of every window pixel (how many markers blend over it),
// then rectangles of equal count: a pixel blended n times by n marker copies
// gets the same n blends from its rectangle copied n times. One walk over the
// entries (never past the shortest list) fills a difference table of the
// window; off-window markers draw nothing and are skipped.
void construireRectangles(CacheMarqueurs& c, const SDL_Rect& fenetre) {
  Etat& e = *g_etat;
  c.rectangles.clear();
  c.repetitions.clear();
  const int64_t l = fenetre.w, h = fenetre.h;
  if (l <= 0 || h <= 0) return;
  const int64_t zone = (int64_t(e.m_zone_dx) + 1) * (int64_t(e.m_zone_dy) + 1);
  const int64_t n = std::min<int64_t>({zone < 0 ? 0 : zone, int64_t(e.m_liste_x.size()),
                                       int64_t(e.m_liste_y.size()), int64_t(e.is_select.size())});
  const int32_t taille = e.m_taille_pixel;
  const int64_t retrait = taille > 2 ? 1 : 0;
  const int64_t cote = taille > 2 ? taille - 2 : taille;
  const double zoom = e.m_zoom, dx = e.m_decalage_x, dy = e.m_decalage_y;
  std::vector<int32_t> d(size_t((l + 1) * (h + 1)), 0);
  auto at = [&](int64_t x, int64_t y) -> int32_t& { return d[size_t(y * (l + 1) + x)]; };
  int64_t bx0 = l, by0 = h, bx1 = 0, by1 = 0;
  auto bit = e.is_select.cbegin();
  for (int64_t k = 0; k < n; ++k, ++bit) {
    if (!*bit) continue;
    const int64_t x = int64_t(plancher(e.m_liste_x[size_t(k)] * zoom - dx)) + retrait;
    const int64_t y = int64_t(plancher(e.m_liste_y[size_t(k)] * zoom - dy)) + retrait;
    const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min(x + cote, l), y1 = std::min(y + cote, h);
    if (x0 >= x1 || y0 >= y1) continue;
    ++at(x0, y0);
    --at(x1, y0);
    --at(x0, y1);
    ++at(x1, y1);
    bx0 = std::min(bx0, x0);
    by0 = std::min(by0, y0);
    bx1 = std::max(bx1, x1);
    by1 = std::max(by1, y1);
  }
  if (bx0 >= bx1 || by0 >= by1) return;
  // the table is zero left of and above the box: sum within it only
  for (int64_t y = by0; y < by1; ++y)
    for (int64_t x = bx0; x < bx1; ++x)
      at(x, y) += (x > bx0 ? at(x - 1, y) : 0) + (y > by0 ? at(x, y - 1) : 0) -
                  (x > bx0 && y > by0 ? at(x - 1, y - 1) : 0);
  // runs of equal count per row, stacked onto the run just above when it has
  // the same columns and count
  std::vector<size_t> dessus, courants;
  for (int64_t y = by0; y < by1; ++y) {
    courants.clear();
    size_t p = 0;
    for (int64_t x = bx0; x < bx1;) {
      const int32_t compte = at(x, y);
      int64_t fin = x + 1;
      while (fin < bx1 && at(fin, y) == compte) ++fin;
      if (compte > 0) {
        const int gx = int(x), largeur = int(fin - x);
        while (p < dessus.size() && c.rectangles[dessus[p]].x < gx) ++p;
        if (p < dessus.size() && c.rectangles[dessus[p]].x == gx && c.rectangles[dessus[p]].w == largeur &&
            c.repetitions[dessus[p]] == compte) {
          ++c.rectangles[dessus[p]].h;
          courants.push_back(dessus[p]);
          ++p;
        } else {
          c.rectangles.push_back({gx, int(y), largeur, 1});
          c.repetitions.push_back(compte);
          courants.push_back(c.rectangles.size() - 1);
        }
      }
      x = fin;
    }
    dessus.swap(courants);
  }
}

// The flat texture the rectangles are copied from: made exactly as the
// marker texture (same format, fill, blend mode and alpha), so each copied
// pixel blends as a marker's would.
bool preparerAplat(CacheMarqueurs& c, const CleMarqueurs& cle) {
  Etat& e = *g_etat;
  const bool meme = c.aplat != nullptr && c.rendu_aplat == e.m_rendu && c.aplat_w == cle.fenetre[0] &&
                    c.aplat_h == cle.fenetre[1] && std::equal(cle.couleur, cle.couleur + 4, c.couleur_aplat);
  if (meme) return true;
  // a texture of another renderer went with it; only ours is destroyed here
  if (c.aplat != nullptr && c.rendu_aplat == e.m_rendu) SDL_DestroyTexture(c.aplat);
  c.aplat = nullptr;
  c.rendu_aplat = e.m_rendu;
  c.aplat_w = cle.fenetre[0];
  c.aplat_h = cle.fenetre[1];
  std::copy(cle.couleur, cle.couleur + 4, c.couleur_aplat);
  SDL_Surface* s = SDL_CreateRGBSurface(0, int(c.aplat_w), int(c.aplat_h), 32, 0, 0, 0, 0);
  if (s == nullptr) return false;
  SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, Uint8(cle.couleur[0]), Uint8(cle.couleur[1]),
                                       Uint8(cle.couleur[2]), 255));
  c.aplat = SDL_CreateTextureFromSurface(e.m_rendu, s);
  SDL_FreeSurface(s);
  if (c.aplat == nullptr) return false;
  SDL_SetTextureBlendMode(c.aplat, SDL_BLENDMODE_BLEND);
  SDL_SetTextureAlphaMod(c.aplat, Uint8(cle.couleur[3]));
  return true;
}

}  // namespace

void dessinerZone() {
  Etat& e = *g_etat;
  SDL_SetRenderDrawColor(e.m_rendu, 0, 255, 0, 255);
  SDL_RenderDrawRect(e.m_rendu, &e.m_rect_zone);
  if (e.gFog == nullptr) return;
  // The overlay is one flat colour no larger than the window: copy it 1:1
  // onto the visible part of the zone. Clipping the destination also keeps
  // the renderer from stretching through a zone-sized temporary.
  SDL_Rect fenetre = cible();
  SDL_Rect destination;
  if (SDL_IntersectRect(&e.m_rect_zone, &fenetre, &destination) != SDL_TRUE) return;
  copier(e.gFog, SDL_Rect{0, 0, destination.w, destination.h}, destination);
}

void dessinerMarqueurs() {
  Etat& e = *g_etat;
  if (e.m_rendu == nullptr) return;
  const SDL_Rect fenetre = cible();
  const CleMarqueurs cle = cleCourante(fenetre);
  CacheMarqueurs& c = e.m_cache_marqueurs;
  if (!c.valide || std::memcmp(&cle, &c.cle, sizeof cle) != 0) {
    c.rectangles.clear();
    c.repetitions.clear();
    if (marqueurVisible(cle)) construireRectangles(c, fenetre);
    c.cle = cle;
    c.valide = true;
  }
  if (c.rectangles.empty() || !preparerAplat(c, cle)) return;
  for (size_t i = 0; i < c.rectangles.size(); ++i) {
    const SDL_Rect& r = c.rectangles[i];
    for (int32_t n = 0; n < c.repetitions[i]; ++n) copier(c.aplat, SDL_Rect{0, 0, r.w, r.h}, r);
  }
}
