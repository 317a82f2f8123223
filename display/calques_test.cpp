#include "display/calques.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "display/marqueur_pixel.h"
#include "interaction/souris.h"
#include "tests/etat_fixture.h"

namespace {

constexpr int kL = 64, kH = 48;

// A drawing target with a varied background, so every blend is visible.
struct Toile {
  SDL_Surface* surface = nullptr;
  SDL_Renderer* rendu = nullptr;
  Toile() {
    surface = SDL_CreateRGBSurfaceWithFormat(0, kL, kH, 32, SDL_PIXELFORMAT_RGB888);
    effacer();
    rendu = SDL_CreateSoftwareRenderer(surface);
  }
  void effacer() {
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kL; ++x)
        static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x] =
            SDL_MapRGB(surface->format, Uint8(x * 4), Uint8(y * 5), Uint8(x * 7 + y * 3));
  }
  ~Toile() {
    SDL_DestroyRenderer(rendu);
    SDL_FreeSurface(surface);
  }
  // Colour channels only: the unused byte of the pixel is no part of the image.
  int differences(const Toile& autre) const {
    int n = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kL; ++x) {
        const Uint32 a = static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x];
        const Uint32 b = static_cast<Uint32*>(autre.surface->pixels)[y * autre.surface->pitch / 4 + x];
        n += (a & 0xFFFFFF) != (b & 0xFFFFFF);
      }
    return n;
  }
};

// A flat texture made as the program makes its overlay and marker textures.
SDL_Texture* texturePleine(SDL_Renderer* rendu, int w, int h, int r, int g, int b, int alpha) {
  SDL_Surface* s = SDL_CreateRGBSurface(0, w, h, 32, 0, 0, 0, 0);
  SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, Uint8(r), Uint8(g), Uint8(b), 255));
  SDL_Texture* t = SDL_CreateTextureFromSurface(rendu, s);
  SDL_FreeSurface(s);
  SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
  SDL_SetTextureAlphaMod(t, Uint8(alpha));
  return t;
}

// The straightforward layer: one copy of the marker texture per selected pixel.
void marqueursUnParUn(SDL_Renderer* rendu, SDL_Texture* marqueur) {
  Etat& e = *g_etat;
  for (int i = 0; i <= e.m_zone_dy; ++i)
    for (int j = 0; j <= e.m_zone_dx; ++j) {
      const size_t k = size_t(i * (e.m_zone_dx + 1) + j);
      if (!e.is_select[k]) continue;
      SDL_Rect r{int(std::floor(e.m_liste_x[k] * e.m_zoom - e.m_decalage_x)),
                 int(std::floor(e.m_liste_y[k] * e.m_zoom - e.m_decalage_y)), e.m_taille_pixel, e.m_taille_pixel};
      if (e.m_taille_pixel > 2) {
        r.x += 1;
        r.y += 1;
        r.w = r.h = e.m_taille_pixel - 2;
      }
      SDL_RenderCopyEx(rendu, marqueur, &e.m_rect_source_pixel, &r, 0.0, nullptr, SDL_FLIP_NONE);
    }
}

class CalquesTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    Etat& e = *g_etat;
    e.m_largeur_fenetre = kL;
    e.m_hauteur_fenetre = kH;
    e.m_rendu = programme_.rendu;
  }
  void TearDown() override {
    libererFog();
    libererMarqueurPixel();
    EtatTest::TearDown();
  }
  // A zone of photo pixels with a random selection.
  void zone(int x0, int y0, int l, int h, double densite, unsigned graine) {
    Etat& e = *g_etat;
    std::mt19937 alea(graine);
    std::bernoulli_distribution tirage(densite);
    e.m_zone_x0 = x0;
    e.m_zone_y0 = y0;
    e.m_zone_dx = l - 1;
    e.m_zone_dy = h - 1;
    e.m_liste_x.clear();
    e.m_liste_y.clear();
    e.is_select.clear();
    for (int i = 0; i < h; ++i)
      for (int j = 0; j < l; ++j) {
        e.m_liste_x.push_back(x0 + j);
        e.m_liste_y.push_back(y0 + i);
        e.is_select.push_back(tirage(alea));
      }
    ++e.m_version_selection;
  }
  // The marker of the zoom step, and the source rectangle of the last selection change.
  void marqueur(int taille) {
    Etat& e = *g_etat;
    e.m_taille_pixel = taille;
    construireMarqueurPixel();
    const int m = taille >= 3 ? taille - 2 : taille;
    e.m_rect_source_pixel = {0, 0, m, m};
  }
  int ecartAvecUnParUn() {
    Etat& e = *g_etat;
    Toile reference;
    SDL_Texture* t = texturePleine(reference.rendu, std::max(1, e.m_rect_source_pixel.w),
                                   std::max(1, e.m_rect_source_pixel.h), e.m_rouge_pixel, e.m_vert_pixel,
                                   e.m_bleu_pixel, e.m_alpha_pixel);
    marqueursUnParUn(reference.rendu, t);
    SDL_RenderPresent(reference.rendu);
    EXPECT_GT(reference.differences(Toile()), 0) << "no marker in the window";
    programme_.effacer();
    dessinerMarqueurs();
    SDL_RenderPresent(programme_.rendu);
    return programme_.differences(reference);
  }
  Toile programme_;
};

TEST_F(CalquesTest, MarkersGiveThePixelsOfOneCopyPerSelectedPixel) {
  Etat& e = *g_etat;
  struct Cas { double zoom; int taille; double dx, dy; int alpha; };
  const Cas cas[] = {
      {1.0, 1, -3.0, -2.0, 30},   {1.0, 1, 0.5, -0.25, 128}, {2.0, 2, -1.5, 3.0, 30},
      {5.0, 5, 90.0, 70.0, 200},  {10.0, 10, 190.3, 141.9, 30}, {20.0, 20, 390.0, 290.0, 77},
      {0.5, 1, -10.0, -5.0, 30},  {0.25, 1, -2.0, -2.0, 30},  {0.125, 1, -1.0, 0.0, 128},
      // after the closing picture: zoom 0.25 with the marker of zoom 10
      {0.25, 10, -5.0, -5.0, 30},
  };
  unsigned graine = 1;
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " taille " << c.taille << " alpha " << c.alpha);
    libererMarqueurPixel();
    programme_.~Toile();  // its textures go with its renderer
    new (&programme_) Toile();
    e.m_rendu = programme_.rendu;
    e.m_cache_marqueurs = CacheMarqueurs();
    e.m_alpha_pixel = c.alpha;
    e.m_rouge_pixel = 250;
    e.m_vert_pixel = 200;
    e.m_bleu_pixel = 10;
    e.m_zoom = c.zoom;
    e.m_decalage_x = c.dx;
    e.m_decalage_y = c.dy;
    zone(20, 15, 90, 70, 0.6, graine++);
    marqueur(c.taille);
    EXPECT_EQ(0, ecartAvecUnParUn());
  }
}

// Renderers with a display take the first blend of every covered pixel from
// a mask and only the further blends as copies. The unit run has the dummy
// video driver and skips this; ctest runs it again under Xvfb.
TEST_F(CalquesTest, DisplayRendererMarkersGiveThePixelsOfOneCopyPerSelectedPixel) {
  // SDL_Quit, when nothing else had SDL up, also releases what the display
  // connection brought in (its bus connection among others)
  const bool seul = SDL_WasInit(0) == 0;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << SDL_GetError();
  struct Video {
    bool seul;
    SDL_Window* fenetre = nullptr;
    SDL_Renderer* rendu = nullptr;
    ~Video() {
      if (rendu != nullptr) SDL_DestroyRenderer(rendu);
      if (fenetre != nullptr) SDL_DestroyWindow(fenetre);
      if (seul)
        SDL_Quit();
      else
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
  } video{seul};
  if (std::string(SDL_GetCurrentVideoDriver()) == "dummy") GTEST_SKIP() << "no display";
  video.fenetre = SDL_CreateWindow("marqueurs", 0, 0, kL, kH, SDL_WINDOW_HIDDEN);
  if (video.fenetre != nullptr) video.rendu = SDL_CreateRenderer(video.fenetre, -1, 0);
  SDL_RendererInfo info;
  if (video.rendu == nullptr || SDL_GetRendererInfo(video.rendu, &info) != 0 ||
      (info.flags & SDL_RENDERER_SOFTWARE) != 0)
    GTEST_SKIP() << "no renderer but the software one";
  Etat& e = *g_etat;
  e.m_rendu = video.rendu;
  // the varied background of Toile, as a texture copied over the whole target
  Toile motif;
  SDL_Texture* fond = SDL_CreateTextureFromSurface(video.rendu, motif.surface);
  ASSERT_NE(nullptr, fond);
  auto lire = [&] {
    std::vector<Uint32> p(size_t(kL) * kH);
    SDL_RenderReadPixels(video.rendu, nullptr, SDL_PIXELFORMAT_RGB888, p.data(), kL * 4);
    for (Uint32& v : p) v &= 0xFFFFFF;
    return p;
  };
  struct Cas { double zoom; int taille; double dx, dy; int alpha; };
  // overlapping markers below zoom 1 take copies beyond the mask's one blend
  const Cas cas[] = {{1.0, 1, 0.5, -0.25, 128}, {2.0, 2, -1.5, 3.0, 30},   {5.0, 5, 90.0, 70.0, 200},
                     {10.0, 10, 190.3, 141.9, 30}, {0.5, 1, -10.0, -5.0, 30}, {0.125, 1, -1.0, 0.0, 128},
                     {0.25, 10, -5.0, -5.0, 30}};
  unsigned graine = 1;
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " taille " << c.taille << " alpha " << c.alpha);
    e.m_alpha_pixel = c.alpha;
    e.m_rouge_pixel = 250;
    e.m_vert_pixel = 200;
    e.m_bleu_pixel = 10;
    e.m_zoom = c.zoom;
    e.m_decalage_x = c.dx;
    e.m_decalage_y = c.dy;
    zone(20, 15, 90, 70, 0.6, graine++);
    marqueur(c.taille);
    SDL_Texture* t = texturePleine(video.rendu, std::max(1, e.m_rect_source_pixel.w),
                                   std::max(1, e.m_rect_source_pixel.h), 250, 200, 10, c.alpha);
    SDL_RenderCopy(video.rendu, fond, nullptr, nullptr);
    const std::vector<Uint32> vierge = lire();
    marqueursUnParUn(video.rendu, t);
    const std::vector<Uint32> attendu = lire();
    EXPECT_TRUE(attendu != vierge) << "no marker in the window";
    SDL_DestroyTexture(t);
    SDL_RenderCopy(video.rendu, fond, nullptr, nullptr);
    dessinerMarqueurs();
    EXPECT_TRUE(lire() == attendu);
    SDL_RenderPresent(video.rendu);
  }
  SDL_DestroyTexture(fond);
  libererMarqueurPixel();
  e.m_cache_marqueurs = CacheMarqueurs();
}

TEST_F(CalquesTest, NoMarkersWithoutTextureSizeOrSource) {
  Etat& e = *g_etat;
  Toile vierge;
  e.m_zoom = 2.0;
  zone(0, 0, 20, 20, 1.0, 3);
  // before the first zoom step: no texture, size 0, empty source
  dessinerMarqueurs();
  EXPECT_EQ(0, programme_.differences(vierge));
  // a selection made before the first zoom keeps an empty source rectangle
  marqueur(2);
  e.m_rect_source_pixel = {0, 0, 0, 0};
  dessinerMarqueurs();
  EXPECT_EQ(0, programme_.differences(vierge));
  // a source rectangle from another zoom only samples another part
  e.m_rect_source_pixel = {0, 0, 8, 8};
  dessinerMarqueurs();
  EXPECT_GT(programme_.differences(vierge), 0);
}

TEST_F(CalquesTest, CachedMarkersFollowTheSelectionAndTheView) {
  Etat& e = *g_etat;
  e.m_zoom = 1.0;
  zone(5, 5, 30, 30, 0.5, 7);
  marqueur(1);
  dessinerMarqueurs();
  const size_t avant = e.m_cache_marqueurs.rectangles.size();
  // a selection change the mouse handling reports
  for (size_t k = 0; k < e.is_select.size(); ++k) e.is_select[k] = (k % 3) == 0;
  ++e.m_version_selection;
  EXPECT_EQ(0, ecartAvecUnParUn());
  EXPECT_NE(avant, e.m_cache_marqueurs.rectangles.size());
  // a pan only moves the offsets
  e.m_decalage_x -= 7.0;
  EXPECT_EQ(0, ecartAvecUnParUn());
  // a zoom step rebuilds the marker
  e.m_zoom = 5.0;
  marqueur(5);
  EXPECT_EQ(0, ecartAvecUnParUn());
}

TEST_F(CalquesTest, WidelySpreadCoordinatesGiveTheSameMarkers) {
  Etat& e = *g_etat;
  struct Cas { double zoom; int taille; };
  for (Cas c : {Cas{1.0, 1}, Cas{5.0, 5}, Cas{0.5, 1}}) {
    SCOPED_TRACE(testing::Message() << "zoom " << c.zoom);
    e.m_zoom = c.zoom;
    e.m_decalage_x = c.zoom * 15;
    e.m_decalage_y = c.zoom * 10;
    zone(20, 15, 40, 30, 0.5, 13);
    // far photo coordinates leave too wide a range for a table of the axis
    e.m_liste_x[0] = 40000000;
    e.m_liste_y[1] = -40000000;
    e.is_select[0] = e.is_select[1] = true;
    marqueur(c.taille);
    EXPECT_EQ(0, ecartAvecUnParUn());
  }
}

TEST_F(CalquesTest, MarkerWalkNeverPassesTheLists) {
  Etat& e = *g_etat;
  e.m_zoom = 1.0;
  marqueur(1);
  zone(0, 0, 4, 4, 1.0, 9);
  e.m_zone_dx = 1000;  // fields of a refused zone over lists of another
  e.m_zone_dy = 1000;
  dessinerMarqueurs();
  EXPECT_EQ(1u, e.m_cache_marqueurs.rectangles.size());
}

TEST_F(CalquesTest, OverlayCoversTheVisiblePartOfTheZone) {
  Etat& e = *g_etat;
  e.m_rouge_fog = 20;
  e.m_vert_fog = 90;
  e.m_bleu_fog = 250;
  struct Cas { SDL_Rect zone; };
  for (Cas c : {Cas{{10, 8, 30, 20}}, Cas{{-20, -10, 50, 100}}, Cas{{40, 30, 500, 400}}, Cas{{-5, 20, 100, 0}},
                Cas{{-300, -200, 600, 400}}}) {
    SCOPED_TRACE(testing::Message() << c.zone.x << "," << c.zone.y << " " << c.zone.w << "x" << c.zone.h);
    Toile reference;
    // the overlay as large as the zone, copied onto the whole zone rectangle
    SDL_SetRenderDrawColor(reference.rendu, 0, 255, 0, 255);
    SDL_RenderDrawRect(reference.rendu, &c.zone);
    if (c.zone.w > 0 && c.zone.h > 0) {
      SDL_Texture* t = texturePleine(reference.rendu, c.zone.w, c.zone.h, 20, 90, 250, 30);
      SDL_Rect source{0, 0, c.zone.w, c.zone.h};
      SDL_RenderCopyEx(reference.rendu, t, &source, &c.zone, 0.0, nullptr, SDL_FLIP_NONE);
    }
    SDL_RenderPresent(reference.rendu);

    programme_.~Toile();
    new (&programme_) Toile();
    e.m_rendu = programme_.rendu;
    libererFog();
    e.m_rect_zone = c.zone;
    if (c.zone.w > 0 && c.zone.h > 0) construireFog();
    if (e.Fog != nullptr) {
      EXPECT_LE(e.Fog->w, kL);
      EXPECT_LE(e.Fog->h, kH);
    }
    dessinerZone();
    SDL_RenderPresent(programme_.rendu);
    EXPECT_EQ(0, programme_.differences(reference));
  }
}

}  // namespace
