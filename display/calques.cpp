#include "display/calques.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "etat/conversion.h"
#include "etat/etat.h"
#include "display/fenetre.h"

namespace {

void copier(SDL_Texture* texture, const SDL_Rect& source, const SDL_Rect& destination) {
  SDL_RenderCopyEx(g_etat->m_rendu, texture, &source, &destination, 0.0, nullptr, SDL_FLIP_NONE);
}

// The drawing target's size: what the renderer clips to.
SDL_Rect cible() {
  Etat& e = *g_etat;
  int w = 0, h = 0;
  tailleSortie(e, w, h);
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

// Window span [debut, fin) of the markers of one photo coordinate on one
// axis, clipped to the window; empty (debut >= fin) when off the window.
struct Portee {
  int32_t debut, fin;
};

// The spans of one axis. A zone holds a few thousand distinct coordinates
// for a million entries, so each coordinate's floor is computed once into a
// table; coordinates spread too widely for a table are mapped one by one.
class Axe {
 public:
  Axe(int32_t minimum, int32_t maximum, int64_t n, double zoom, double decalage, int64_t retrait, int64_t cote,
      int64_t limite)
      : zoom_(zoom), decalage_(decalage), retrait_(retrait), cote_(cote), limite_(limite), minimum_(minimum) {
    const int64_t etendue = int64_t(maximum) - minimum + 1;
    if (n <= 0 || etendue > n + 65536) return;
    table_.resize(size_t(etendue));
    for (int64_t v = 0; v < etendue; ++v) table_[size_t(v)] = calculer(minimum_ + v);
  }
  bool tabule() const { return !table_.empty(); }
  Portee lire(int32_t v) const { return table_[size_t(int64_t(v) - minimum_)]; }
  Portee calculer(int64_t v) const {
    const int64_t p = int64_t(plancher(double(v) * zoom_ - decalage_)) + retrait_;
    const int64_t debut = std::max<int64_t>(p, 0), fin = std::min(p + cote_, limite_);
    return debut < fin ? Portee{int32_t(debut), int32_t(fin)} : Portee{0, 0};
  }

 private:
  double zoom_, decalage_;
  int64_t retrait_, cote_, limite_;
  int64_t minimum_;
  std::vector<Portee> table_;
};

// Collects the photo coordinates of the selected entries (never past the
// shortest list) once per selection, with their bounds.
void collecterChoix(CacheMarqueurs& c, const CleMarqueurs& cle) {
  Etat& e = *g_etat;
  const bool meme = c.choix_valide && c.cle_choix.version == cle.version &&
                    std::equal(cle.zone, cle.zone + 6, c.cle_choix.zone) && c.cle_choix.tailles[0] == cle.tailles[0] &&
                    c.cle_choix.tailles[1] == cle.tailles[1];
  if (meme) return;
  c.choix_x.clear();
  c.choix_y.clear();
  const int64_t zone = (int64_t(e.m_zone_dx) + 1) * (int64_t(e.m_zone_dy) + 1);
  const int64_t n = std::min<int64_t>({zone < 0 ? 0 : zone, int64_t(e.m_liste_x.size()),
                                       int64_t(e.m_liste_y.size()), int64_t(e.is_select.size())});
  int32_t minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
  auto bit = e.is_select.cbegin();
  for (int64_t k = 0; k < n; ++k, ++bit) {
    if (!*bit) continue;
    const int32_t x = e.m_liste_x[size_t(k)], y = e.m_liste_y[size_t(k)];
    c.choix_x.push_back(x);
    c.choix_y.push_back(y);
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  c.choix_min[0] = minX;
  c.choix_min[1] = minY;
  c.choix_max[0] = maxX;
  c.choix_max[1] = maxY;
  c.cle_choix = cle;
  c.choix_valide = true;
}

// Adds every selected marker to the window table d (row stride pas): its
// top-left pixel only for one-pixel markers, else the four corners of a
// difference table. Widens the box [x0, x1) x [y0, y1) to what it touched.
template <typename FX, typename FY>
void compter(const CacheMarqueurs& c, FX versX, FY versY, bool ponctuel, int32_t* d, int64_t pas, int32_t& bx0,
             int32_t& by0, int32_t& bx1, int32_t& by1) {
  const size_t n = c.choix_x.size();
  const int32_t* const lx = c.choix_x.data();
  const int32_t* const ly = c.choix_y.data();
  for (size_t i = 0; i < n; ++i) {
    const Portee px = versX(lx[i]);
    if (px.debut >= px.fin) continue;
    const Portee py = versY(ly[i]);
    if (py.debut >= py.fin) continue;
    ++d[py.debut * pas + px.debut];
    if (!ponctuel) {
      --d[py.debut * pas + px.fin];
      --d[py.fin * pas + px.debut];
      ++d[py.fin * pas + px.fin];
    }
    bx0 = std::min(bx0, px.debut);
    by0 = std::min(by0, py.debut);
    bx1 = std::max(bx1, px.fin);
    by1 = std::max(by1, py.fin);
  }
}

// Renderers other than the software one blend a texel as exact arithmetic on
// the texel and the modulation: an opaque marker-colour texel under alpha
// modulation blends as the flat marker texture does, and a transparent one
// leaves the pixel as it was. The software renderer blends per-pixel alpha
// by other rounding than a flat copy, so it gets no mask.
bool masqueExact(SDL_Renderer* rendu) {
  SDL_RendererInfo info;
  return SDL_GetRendererInfo(rendu, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) == 0;
}

// Fills the mask over boite from the coverage counts: the marker colour,
// opaque where at least one marker falls; plus gets the largest count. False
// when no mask can be had.
bool remplirMasque(CacheMarqueurs& c, const CleMarqueurs& cle, const int32_t* comptes, int64_t pas,
                   const SDL_Rect& boite, int32_t& plus) {
  Etat& e = *g_etat;
  if (!masqueExact(e.m_rendu)) return false;
  if (c.masque == nullptr || c.rendu_masque != e.m_rendu || c.masque_w != cle.fenetre[0] ||
      c.masque_h != cle.fenetre[1]) {
    // a texture of another renderer went with it; only ours is destroyed here
    if (c.masque != nullptr && c.rendu_masque == e.m_rendu) SDL_DestroyTexture(c.masque);
    c.rendu_masque = e.m_rendu;
    c.masque_w = cle.fenetre[0];
    c.masque_h = cle.fenetre[1];
    c.masque = SDL_CreateTexture(e.m_rendu, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 int(c.masque_w), int(c.masque_h));
    if (c.masque == nullptr) return false;
    SDL_SetTextureBlendMode(c.masque, SDL_BLENDMODE_BLEND);
    // a smoothing filter would blur the mask's edges
    SDL_SetTextureScaleMode(c.masque, SDL_ScaleModeNearest);
  }
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(c.masque, &boite, &pixels, &pitch) != 0) return false;
  const Uint32 teinte = (Uint32(cle.couleur[0]) << 16) | (Uint32(cle.couleur[1]) << 8) | Uint32(cle.couleur[2]);
  const Uint32 plein = 0xFF000000u | teinte;
  for (int y = 0; y < boite.h; ++y) {
    Uint32* sortie = reinterpret_cast<Uint32*>(static_cast<Uint8*>(pixels) + int64_t(y) * pitch);
    const int32_t* ligne = comptes + (int64_t(boite.y) + y) * pas + boite.x;
    for (int x = 0; x < boite.w; ++x) {
      sortie[x] = ligne[x] > 0 ? plein : teinte;
      plus = std::max(plus, ligne[x]);
    }
  }
  SDL_UnlockTexture(c.masque);
  SDL_SetTextureAlphaMod(c.masque, Uint8(cle.couleur[3]));
  c.boite_masque = boite;
  return true;
}

// Coverage count of every window pixel (how many markers blend over it),
// then rectangles of equal count: a pixel blended n times by n marker copies
// gets the same n blends from its rectangle copied n times. One walk over the
// selected coordinates fills a difference table of the window, or the counts
// themselves for one-pixel markers; off-window markers draw nothing and are
// skipped.
void construireRectangles(CacheMarqueurs& c, const CleMarqueurs& cle, const SDL_Rect& fenetre) {
  Etat& e = *g_etat;
  c.rectangles.clear();
  c.repetitions.clear();
  c.boite_masque = SDL_Rect{0, 0, 0, 0};
  const int64_t l = fenetre.w, h = fenetre.h;
  if (l <= 0 || h <= 0) return;
  collecterChoix(c, cle);
  const int64_t n = int64_t(c.choix_x.size());
  const int32_t taille = e.m_taille_pixel;
  const int64_t retrait = taille > 2 ? 1 : 0;
  const int64_t cote = taille > 2 ? taille - 2 : taille;
  const Axe axeX(c.choix_min[0], c.choix_max[0], n, e.m_zoom, e.m_decalage_x, retrait, cote, l);
  const Axe axeY(c.choix_min[1], c.choix_max[1], n, e.m_zoom, e.m_decalage_y, retrait, cote, h);
  const int64_t pas = l + 1;
  c.comptes.assign(size_t(pas * (h + 1)), 0);
  int32_t* const d = c.comptes.data();
  const bool ponctuel = cote == 1;
  int32_t bx0 = int32_t(l), by0 = int32_t(h), bx1 = 0, by1 = 0;
  const auto tableX = [&](int32_t v) { return axeX.lire(v); };
  const auto tableY = [&](int32_t v) { return axeY.lire(v); };
  const auto calculX = [&](int32_t v) { return axeX.calculer(v); };
  const auto calculY = [&](int32_t v) { return axeY.calculer(v); };
  if (axeX.tabule() && axeY.tabule())
    compter(c, tableX, tableY, ponctuel, d, pas, bx0, by0, bx1, by1);
  else
    compter(c, calculX, calculY, ponctuel, d, pas, bx0, by0, bx1, by1);
  if (bx0 >= bx1 || by0 >= by1) return;
  // the table is zero left of and above the box: sum within it only, each
  // row's running sum added to the finished row above
  if (!ponctuel) {
    for (int64_t y = by0; y < by1; ++y) {
      int32_t* ligne = d + y * pas;
      const int32_t* dessus = y > by0 ? ligne - pas : nullptr;
      int32_t cumul = 0;
      for (int64_t x = bx0; x < bx1; ++x) {
        cumul += ligne[x];
        ligne[x] = cumul + (dessus != nullptr ? dessus[x] : 0);
      }
    }
  }
  // the mask gives every covered pixel its first blend; the rectangles the rest
  const SDL_Rect boite{bx0, by0, bx1 - bx0, by1 - by0};
  int32_t plus = 0;
  const int32_t deja = remplirMasque(c, cle, d, pas, boite, plus) ? 1 : 0;
  if (deja == 1 && plus <= 1) return;  // no pixel needs a second blend
  // runs of equal count per row, stacked onto the run just above when it has
  // the same columns and count
  std::vector<size_t> dessus, courants;
  for (int64_t y = by0; y < by1; ++y) {
    const int32_t* ligne = d + y * pas;
    courants.clear();
    size_t p = 0;
    for (int64_t x = bx0; x < bx1;) {
      const int32_t compte = ligne[x] - deja;
      int64_t fin = x + 1;
      while (fin < bx1 && ligne[fin] - deja == compte) ++fin;
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
    c.boite_masque = SDL_Rect{0, 0, 0, 0};
    if (marqueurVisible(cle)) construireRectangles(c, cle, fenetre);
    c.cle = cle;
    c.valide = true;
  }
  if (c.boite_masque.w > 0 && c.masque != nullptr) copier(c.masque, c.boite_masque, c.boite_masque);
  if (c.rectangles.empty() || !preparerAplat(c, cle)) return;
  for (size_t i = 0; i < c.rectangles.size(); ++i) {
    const SDL_Rect& r = c.rectangles[i];
    for (int32_t n = 0; n < c.repetitions[i]; ++n) copier(c.aplat, SDL_Rect{0, 0, r.w, r.h}, r);
  }
}

void libererMarqueurs() {
  Etat& e = *g_etat;
  CacheMarqueurs& c = e.m_cache_marqueurs;
  // a texture of another renderer went with it
  if (c.masque != nullptr && c.rendu_masque == e.m_rendu) SDL_DestroyTexture(c.masque);
  if (c.aplat != nullptr && c.rendu_aplat == e.m_rendu) SDL_DestroyTexture(c.aplat);
  c = CacheMarqueurs{};
}
