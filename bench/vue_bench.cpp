// Frame costs of the zone overlay and of the selected-pixel markers, against
// drawing one renderer call per selected pixel. Runs on the software renderer
// and, when a display is available (xvfb-run -a), on the default renderer.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "etat/etat.h"
#include "display/calques.h"
#include "display/marqueur_pixel.h"
#include "display/placement.h"
#include "display/rendu.h"
#include "interaction/souris.h"
#include "interaction/vue.h"

namespace {

constexpr int kL = 800, kH = 600;
const double kTable[9] = {0.125, 0.25, 0.5, 1, 2, 5, 10, 20, 50};

double maintenant() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <typename F>
double mediane(int fois, F f) {
  std::vector<double> t;
  for (int i = 0; i < fois; ++i) {
    const double debut = maintenant();
    f();
    t.push_back(maintenant() - debut);
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

// One tab-separated line per figure for bench/lancer.sh's summary: figure,
// measured, baseline, ratio, target.
void resume(const char* figure, const char* rendu, double ms, double budget_ms, double cible) {
  std::printf("resume\t%s (%s)\t%.2f ms\tbudget %.0f ms\t%.2f\t<= %g\n", figure, rendu, ms, budget_ms,
              ms / budget_ms, cible);
}

// The photo and view of a run; the record is fresh for each renderer.
void preparer(SDL_Renderer* rendu, SDL_Texture*& photo) {
  creerEtat();
  Etat& e = *g_etat;
  e.m_rendu = rendu;
  e.m_largeur_fenetre = kL;
  e.m_hauteur_fenetre = kH;
  e.m_largeur_photo = 2000;
  e.m_hauteur_photo = 1500;
  e.m_pas_deplacement = 20;
  for (int i = 0; i < 9; ++i) e.m_table_zoom[i] = kTable[i];
  e.m_indice_zoom_max = 8;
  SDL_Surface* s = SDL_CreateRGBSurface(0, 2000, 1500, 32, 0, 0, 0, 0);
  std::mt19937 alea(5);
  for (int y = 0; y < 1500; ++y)
    for (int x = 0; x < 2000; ++x) static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x] = alea();
  photo = SDL_CreateTextureFromSurface(rendu, s);
  SDL_FreeSurface(s);
}

void vueA(int indice) {
  Etat& e = *g_etat;
  e.m_indice_zoom = indice;
  e.m_zoom = kTable[indice];
  e.m_taille_pixel = std::max(1, int(std::floor(e.m_zoom)));
  construireMarqueurPixel();
  const int m = e.m_taille_pixel >= 3 ? e.m_taille_pixel - 2 : e.m_taille_pixel;
  e.m_rect_source_pixel = {0, 0, m, m};
  e.m_decalage_x = decalageCentre(e.m_largeur_photo, e.m_zoom, kL, 0.0);
  e.m_decalage_y = decalageCentre(e.m_hauteur_photo, e.m_zoom, kH, 0.0);
  appliquerAxeX();
  appliquerAxeY();
}

// A 1000 x 1000 zone centred on the photo, n of its pixels selected at random.
void selection(int n) {
  Etat& e = *g_etat;
  e.m_zone_x0 = 500;
  e.m_zone_y0 = 250;
  e.m_zone_x1 = 1499;
  e.m_zone_y1 = 1249;
  e.m_zone_dx = e.m_zone_dy = 999;
  e.m_liste_x.clear();
  e.m_liste_y.clear();
  e.is_select.assign(1000000, false);
  for (int i = 0; i < 1000; ++i)
    for (int j = 0; j < 1000; ++j) {
      e.m_liste_x.push_back(500 + j);
      e.m_liste_y.push_back(250 + i);
    }
  std::vector<int> ordre(1000000);
  for (int k = 0; k < 1000000; ++k) ordre[size_t(k)] = k;
  std::shuffle(ordre.begin(), ordre.end(), std::mt19937(11));
  for (int k = 0; k < n; ++k) e.is_select[size_t(ordre[size_t(k)])] = true;
  e.m_nombre_selectionnes = n;
  ++e.m_version_selection;
}

void marqueursUnParUn() {
  Etat& e = *g_etat;
  for (int i = 0; i <= e.m_zone_dy; ++i)
    for (int j = 0; j <= e.m_zone_dx; ++j) {
      const size_t k = size_t(i * (e.m_zone_dx + 1) + j);
      if (!e.is_select[k]) continue;
      e.m_rect_marqueur = {int(std::floor(e.m_liste_x[k] * e.m_zoom - e.m_decalage_x)),
                           int(std::floor(e.m_liste_y[k] * e.m_zoom - e.m_decalage_y)), e.m_taille_pixel,
                           e.m_taille_pixel};
      if (e.m_taille_pixel > 2) {
        e.m_rect_marqueur.x += 1;
        e.m_rect_marqueur.y += 1;
        e.m_rect_marqueur.w = e.m_rect_marqueur.h = e.m_taille_pixel - 2;
      }
      SDL_RenderCopyEx(e.m_rendu, e.m_texture_pixel, &e.m_rect_source_pixel, &e.m_rect_marqueur, 0.0, nullptr,
                       SDL_FLIP_NONE);
    }
}

template <typename F>
void image(SDL_Texture* photo, F couche) {
  Etat& e = *g_etat;
  SDL_SetRenderDrawColor(e.m_rendu, 0, 150, 0, 255);
  SDL_RenderClear(e.m_rendu);
  // The photo's visible part only: a destination far beyond the window costs
  // the software renderer a second per frame at zoom 10, whatever the layers.
  const double z = e.m_zoom;
  const int x0 = std::max(0, int(std::floor(e.m_decalage_x / z)));
  const int y0 = std::max(0, int(std::floor(e.m_decalage_y / z)));
  const int x1 = std::min(e.m_largeur_photo, int(std::ceil((kL + e.m_decalage_x) / z)));
  const int y1 = std::min(e.m_hauteur_photo, int(std::ceil((kH + e.m_decalage_y) / z)));
  SDL_Rect source{x0, y0, x1 - x0, y1 - y0};
  SDL_Rect destination{int(std::floor(x0 * z - e.m_decalage_x)), int(std::floor(y0 * z - e.m_decalage_y)),
                       int(std::lround(source.w * z)), int(std::lround(source.h * z))};
  SDL_RenderCopyEx(e.m_rendu, photo, &source, &destination, 0.0, nullptr, SDL_FLIP_NONE);
  couche();
  SDL_RenderPresent(e.m_rendu);
}

// Reads the target back: the image of both ways must match.
std::vector<Uint32> lire(SDL_Renderer* rendu) {
  std::vector<Uint32> p(size_t(kL) * kH);
  SDL_RenderReadPixels(rendu, nullptr, SDL_PIXELFORMAT_RGB888, p.data(), kL * 4);
  for (Uint32& v : p) v &= 0xFFFFFF;
  return p;
}

void mesurer(SDL_Renderer* rendu, const char* nom, bool relire) {
  SDL_RendererInfo info;
  SDL_GetRendererInfo(rendu, &info);
  std::printf("== %s renderer (%s), window %dx%d\n", nom, info.name, kL, kH);
  const std::string etiquette = std::strcmp(nom, "default") == 0 ? std::string("default: ") + info.name : nom;
  SDL_Texture* photo = nullptr;
  preparer(rendu, photo);
  Etat& e = *g_etat;
  e.m_pTexture_prairie = photo;  // for the frames drawn by render itself

  // Overlay: a 200 x 200 zone at zoom 50, one pan step and one frame.
  vueA(8);
  e.m_zone_x0 = 900;
  e.m_zone_y0 = 650;
  e.m_zone_x1 = 1099;
  e.m_zone_y1 = 849;
  e.m_afficher_zone = true;
  placerZone();
  construireFog();
  const double pas = mediane(9, [] { deplacerVue(Direction::Droite); });
  const double cadre = mediane(9, [&] { image(photo, dessinerZone); });
  const double pasRendu = mediane(9, [] {
    deplacerVue(Direction::Gauche);
    render();
  });
  const double octets = double(e.Fog->w) * e.Fog->h * 4;
  const double litteral = double(e.m_rect_zone.w) * e.m_rect_zone.h * 4;
  std::printf("overlay zoom 50, zone 200x200 (%dx%d window px): surface %dx%d = %.2f MiB "
              "(whole-zone surface %.0f MiB, %.0fx more); pan step %.2f ms; frame %.2f ms\n",
              e.m_rect_zone.w, e.m_rect_zone.h, e.Fog->w, e.Fog->h, octets / 1048576.0, litteral / 1048576.0,
              litteral / octets, pas, cadre);
  std::printf("pan step and its render frame %.2f ms\n", pasRendu);
  resume("pan step + render frame, zoom 50, zone 200x200", etiquette.c_str(), pasRendu, 30.0, 1.0);
  libererFog();
  e.m_afficher_zone = false;

  for (int indice : {3, 6}) {
    vueA(indice);
    for (int n : {1000, 100000, 1000000}) {
      selection(n);
      const int fois = n >= 1000000 ? 5 : 9;
      const double unParUn = mediane(fois, [&] { image(photo, marqueursUnParUn); });
      std::vector<Uint32> attendu;
      if (relire) attendu = lire(rendu);
      // a selection change or a pan step before every frame: the rectangles are made again
      const double reconstruit = mediane(fois, [&] {
        ++e.m_version_selection;
        image(photo, dessinerMarqueurs);
      });
      const double cache = mediane(fois, [&] { image(photo, dessinerMarqueurs); });
      bool pareil = true;
      if (relire) pareil = lire(rendu) == attendu;
      // a held pan key: one step and one frame, back and forth
      int sens = 0;
      const double panoramique = mediane(fois, [&] {
        deplacerVue((sens++ & 1) != 0 ? Direction::Gauche : Direction::Droite);
        image(photo, dessinerMarqueurs);
      });
      if (relire) {  // one step off the first view: both ways again
        deplacerVue(Direction::Droite);
        image(photo, marqueursUnParUn);
        attendu = lire(rendu);
        image(photo, dessinerMarqueurs);
        pareil = pareil && lire(rendu) == attendu;
        deplacerVue(Direction::Gauche);
      }
      // The program's own frame: photo and markers, after a selection change or not.
      e.m_afficher_selection = true;
      const double renduChange = mediane(fois, [&] {
        ++e.m_version_selection;
        render();
      });
      const double renduCache = mediane(fois, render);
      e.m_afficher_selection = false;
      std::printf("render zoom %-3g n=%-8d selection-change frame %6.2f ms (%.3f of 50 ms) | cached frame %6.2f ms "
                  "(%.3f of 50 ms)\n",
                  e.m_zoom, n, renduChange, renduChange / 50.0, renduCache, renduCache / 50.0);
      char figure[96];
      std::snprintf(figure, sizeof figure, "render frame, 10^%d selected, zoom %g, selection changed",
                    int(std::lround(std::log10(n))), e.m_zoom);
      resume(figure, etiquette.c_str(), renduChange, 50.0, n >= 1000000 ? 0.5 : 1.0);
      std::printf("markers zoom %-3g n=%-8d per-call frame %8.2f ms | cached frame %6.2f ms (ratio %.3f) | "
                  "selection-change frame %6.2f ms (ratio %.3f) | pan-step frame %6.2f ms (ratio %.3f) | "
                  "%zu rectangles | image %s\n",
                  e.m_zoom, n, unParUn, cache, cache / unParUn, reconstruit, reconstruit / unParUn, panoramique,
                  panoramique / unParUn,
                  e.m_cache_marqueurs.rectangles.size(), relire ? (pareil ? "identical" : "DIFFERENT") : "not read");
    }
  }
  libererMarqueurPixel();
  e.m_pTexture_prairie = nullptr;
  SDL_DestroyTexture(photo);
  detruireEtat();
}

}  // namespace

int main(int, char**) {
  SDL_Surface* ecran = SDL_CreateRGBSurfaceWithFormat(0, kL, kH, 32, SDL_PIXELFORMAT_RGB888);
  SDL_Renderer* logiciel = SDL_CreateSoftwareRenderer(ecran);
  mesurer(logiciel, "software", true);
  SDL_DestroyRenderer(logiciel);
  SDL_FreeSurface(ecran);

  if (SDL_Init(SDL_INIT_VIDEO) != 0 || std::strcmp(SDL_GetCurrentVideoDriver(), "dummy") == 0) {
    std::printf("no display: default renderer skipped (run under xvfb-run -a)\n");
    return 0;
  }
  SDL_Window* fenetre = SDL_CreateWindow("bench", 100, 20, kL, kH, 0);
  SDL_Renderer* rendu = fenetre != nullptr ? SDL_CreateRenderer(fenetre, -1, 0) : nullptr;
  if (rendu == nullptr) {
    std::printf("default renderer unavailable: %s\n", SDL_GetError());
  } else {
    mesurer(rendu, "default", true);
    SDL_DestroyRenderer(rendu);
  }
  if (fenetre != nullptr) SDL_DestroyWindow(fenetre);
  SDL_Quit();
  return 0;
}
